// The picture filters: each rule on small bitmaps, the colour-space
// conversions, untrusted parameters and one golden image of every filter.
#include "TestSupport.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "chart/canvas/ZuzFilters.h"
#include "chart/canvas/ZuzGradient.h"

#include "platform/ClassRegistry.h"
#include "rtl/StringList.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

QRgb Q(TColor C) { return qRgb(GetRValue(C), GetGValue(C), GetBValue(C)); }
TColor At(const TBitmap& B, int X, int Y) { return PixelOf(*B.ImageData(), X, Y); }

std::unique_ptr<TBitmap> Filled(int W, int H, TColor C)
{
  auto B = std::make_unique<TBitmap>(W, H);
  B->ImageData()->fill(Q(C));
  return B;
}

// Row y painted in grey y * 10 (column x in x * 10 when ByColumn).
std::unique_ptr<TBitmap> Stripes(int W, int H, bool ByColumn = false)
{
  auto B = std::make_unique<TBitmap>(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const int V = (ByColumn ? x : y) * 10;
      B->ImageData()->setPixel(x, y, qRgb(V, V, V));
    }
  return B;
}

int GreyAt(const TBitmap& B, int X, int Y) { return GetRValue(At(B, X, Y)); }

TColor OnePixel(TZuzFilter& F, TColor C)
{
  auto B = Filled(1, 1, C);
  F.Apply(B.get());
  return At(*B, 0, 0);
}

// The picture every filter is shown on in the golden image: colour ramps,
// a dark frame, a disc and a diagonal.
std::unique_ptr<TBitmap> TestPicture()
{
  auto B = std::make_unique<TBitmap>(32, 24);
  QImage& I = *B->ImageData();
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 32; ++x) {
      int R = x * 8, G = y * 10, Bl = 255 - x * 4;
      if ((x - 20) * (x - 20) + (y - 12) * (y - 12) < 36) {
        R = 250;
        G = 220;
        Bl = 30;
      }
      if (x == y + 4)
        R = G = Bl = 20;
      if (x == 0 || y == 0 || x == 31 || y == 23)
        R = G = Bl = 60;
      I.setPixel(x, y, qRgb(R, G, Bl));
    }
  return B;
}

} // namespace

TEST(Filters, PixelRules)
{
  TInvertFilter Invert;
  EXPECT_EQ(OnePixel(Invert, RGBColor(10, 200, 255)), RGBColor(245, 55, 0));
  TSepiaFilter Sepia;
  // R = .393*100 + .769*50 + .189*20 = 81.53; G = 72.56; B = 56.52.
  EXPECT_EQ(OnePixel(Sepia, RGBColor(100, 50, 20)), RGBColor(82, 73, 57));
  EXPECT_EQ(OnePixel(Sepia, clWhite), RGBColor(255, 255, 239));

  const struct {
    TGrayMethod M;
    int Want;
  } Grey[] = {{gmSimple, 86}, {gmEye, 90}, {gmEye2, 95}, {gmLight, 105}};
  for (const auto& C : Grey) {
    TGrayScaleFilter F;
    F.SetMethod(C.M);
    EXPECT_EQ(OnePixel(F, RGBColor(200, 50, 10)), RGBColor(C.Want, C.Want, C.Want)) << int(C.M);
  }

  TColorFilter Color;
  Color.SetRed(100);
  Color.SetBlue(-300);
  EXPECT_EQ(OnePixel(Color, RGBColor(200, 50, 100)), RGBColor(255, 50, 0));

  const struct {
    int Amount;
    bool Percent;
    TColor In, Want;
  } Bright[] = {{100, true, RGBColor(0, 10, 200), clWhite},
                {-10, true, RGBColor(0, 30, 200), RGBColor(0, 4, 174)},
                {40, false, RGBColor(0, 230, 100), RGBColor(40, 255, 140)},
                {INT_MAX, false, RGBColor(0, 1, 2), clWhite},
                {INT_MIN, true, RGBColor(0, 1, 2), clBlack}};
  for (const auto& C : Bright) {
    TBrightnessFilter F;
    F.SetAmount(C.Amount);
    F.SetPercent(C.Percent);
    EXPECT_EQ(OnePixel(F, C.In), C.Want) << C.Amount;
  }
  // Amount 0 leaves the bitmap as it was, its pixel format included.
  TBitmap Untouched(2, 2);
  TBrightnessFilter Zero;
  Zero.SetAmount(0);
  Zero.Apply(&Untouched);
  EXPECT_EQ(Untouched.PixelFormat(), pfDevice);

  const struct {
    int Amount;
    bool Percent;
    int In, Want;
  } Contrast[] = {
      {50, true, 200, 228},  // 200 + (100 * 72) div 256
      {50, true, 50, 43},    // 50 + (25 * -78) div 256, truncated
      {64, false, 255, 255}, // 255 + 64 * 127 div 256, limited
      {64, false, 0, 0},     // 0 - 32, limited
      {INT_MAX, false, 129, 255},
  };
  for (const auto& C : Contrast) {
    TContrastFilter F;
    F.SetAmount(C.Amount);
    F.SetPercent(C.Percent);
    EXPECT_EQ(OnePixel(F, RGBColor(C.In, C.In, C.In)), RGBColor(C.Want, C.Want, C.Want)) << C.In;
  }
}

TEST(Filters, GammaTable)
{
  const struct {
    int Amount;
    int In, Want;
  } Cases[] = {{70, 64, 35},  {70, 128, 95}, {70, 200, 180}, {70, 0, 0},
               {0, 255, 255}, {0, 254, 5},   {0, 200, 0},    {INT_MIN, 128, 255}};
  for (const auto& C : Cases) {
    TGammaCorrectionFilter F;
    F.SetAmount(C.Amount);
    EXPECT_EQ(OnePixel(F, RGBColor(C.In, C.In, C.In)), RGBColor(C.Want, C.Want, C.Want)) << C.Amount << " " << C.In;
  }
  EXPECT_EQ(TGammaCorrectionFilter().Amount(), 70);
}

TEST(Filters, FlipAndReverseWithinTheRectangle)
{
  for (const int H : {4, 5}) {
    auto B = Stripes(3, H);
    TFlipFilter Flip;
    Flip.Apply(B.get());
    for (int y = 0; y < H; ++y)
      EXPECT_EQ(GreyAt(*B, 1, y), (H - 1 - y) * 10) << H << " " << y;
  }
  auto B = Stripes(2, 20);
  TFlipFilter Flip;
  Flip.Region()->SetTop(10);
  Flip.Region()->SetHeight(3); // rows 10..13
  Flip.Apply(B.get());
  const int Want[] = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 130, 120, 110, 100, 140, 150};
  for (int y = 0; y < 16; ++y)
    EXPECT_EQ(GreyAt(*B, 0, y), Want[y]) << y;

  auto C = Stripes(5, 2, true);
  TReverseFilter Reverse;
  Reverse.Apply(C.get());
  for (int x = 0; x < 5; ++x)
    EXPECT_EQ(GreyAt(*C, x, 1), (4 - x) * 10);
}

TEST(Filters, MosaicBlocks)
{
  struct {
    int Size;
    int LastBlock;
  } Cases[] = {{16, 8}, {17, 9}};
  for (const auto& C : Cases) {
    auto B = Stripes(C.Size, C.Size, true);
    TMosaicFilter M;
    EXPECT_EQ(M.Amount(), 8);
    EXPECT_FALSE(M.Percent());
    M.Apply(B.get());
    // Columns 0..7 average 35, the last block holds columns 8..Size-1.
    const int LastAvg = (8 + C.Size - 1) * 5;
    for (int y : {0, 7, 8, C.Size - 1}) {
      EXPECT_EQ(GreyAt(*B, 0, y), 35);
      EXPECT_EQ(GreyAt(*B, 7, y), 35);
      EXPECT_EQ(GreyAt(*B, 8, y), LastAvg) << C.Size;
      EXPECT_EQ(GreyAt(*B, C.Size - 1, y), LastAvg) << C.Size;
    }
    EXPECT_EQ(C.Size - 8, C.LastBlock);
  }
  // A block size from a chart file larger than the picture: one block.
  auto Big = Stripes(6, 4, true);
  TMosaicFilter Huge;
  Huge.SetAmount(INT_MAX);
  Huge.Apply(Big.get());
  EXPECT_EQ(GreyAt(*Big, 0, 0), 25);
  EXPECT_EQ(GreyAt(*Big, 5, 3), 25);
}

TEST(Filters, ColourSpace)
{
  const struct {
    TColor C;
    uint16_t H, L, S;
  } Cases[] = {{clWhite, 160, 240, 0}, {clRed, 0, 120, 240},    {clBlack, 160, 0, 0},
               {clLime, 80, 120, 240}, {clBlue, 160, 120, 240}, {RGBColor(128, 128, 128), 160, 121, 0}};
  for (const auto& C : Cases) {
    uint16_t H, L, S;
    ColorToHLS(C.C, H, L, S);
    EXPECT_EQ(H, C.H) << std::hex << C.C;
    EXPECT_EQ(L, C.L) << std::hex << C.C;
    EXPECT_EQ(S, C.S) << std::hex << C.C;
  }
  EXPECT_EQ(HLSToColor(0, 120, 240), clRed);
  EXPECT_EQ(HLSToColor(80, 120, 240), clLime);
  EXPECT_EQ(HLSToColor(160, 240, 0), clWhite);
  TRGB Out;
  HLSToRGB(160, 120, 240, Out);
  EXPECT_EQ(Out.Blue, 255);
  EXPECT_EQ(Out.Red, 0);
  // A round trip keeps a colour within rounding.
  uint16_t H, L, S;
  ColorToHLS(RGBColor(40, 120, 200), H, L, S);
  const TColor Back = HLSToColor(H, L, S);
  EXPECT_NEAR(GetRValue(Back), 40, 3);
  EXPECT_NEAR(GetGValue(Back), 120, 3);
  EXPECT_NEAR(GetBValue(Back), 200, 3);
}

TEST(Filters, ColourReplaceAndHueLumSat)
{
  TColorReplaceFilter Replace; // hue 0..0 becomes white
  const struct {
    TColor In, Want;
  } Cases[] = {{clRed, clWhite},
               {RGBColor(200, 50, 50), clWhite},
               {RGBColor(128, 128, 128), RGBColor(128, 128, 128)},
               {clLime, clLime}};
  for (const auto& C : Cases)
    EXPECT_EQ(OnePixel(Replace, C.In), C.Want) << std::hex << C.In;
  TColorReplaceFilter Light;
  Light.SetMethod(cmLum);
  Light.SetFromValue(200);
  Light.SetToValue(255);
  Light.SetColor(clNavy);
  EXPECT_EQ(OnePixel(Light, RGBColor(240, 240, 240)), clNavy);
  EXPECT_EQ(OnePixel(Light, RGBColor(20, 20, 20)), RGBColor(20, 20, 20));

  THueLumSatFilter HLS;
  HLS.SetHue(80); // red turns green
  EXPECT_EQ(OnePixel(HLS, clRed), clLime);
  THueLumSatFilter Dark;
  Dark.SetLuminance(-1000);
  EXPECT_EQ(OnePixel(Dark, RGBColor(10, 200, 30)), clBlack);
}

TEST(Filters, ConvolutionKernels)
{
  // A flat picture stays flat under every kernel that sums to one.
  for (TConvolveFilter* F : std::initializer_list<TConvolveFilter*>{new TSharpenFilter, new TSoftenFilter}) {
    std::unique_ptr<TConvolveFilter> Own(F);
    auto B = Filled(6, 6, RGBColor(90, 120, 30));
    F->Apply(B.get());
    EXPECT_EQ(At(*B, 2, 3), RGBColor(90, 120, 30)) << F->ClassName().toStdString();
  }
  // Emboss: above + left + below - centre - right.
  auto E = Filled(3, 3, RGBColor(10, 10, 10));
  E->ImageData()->setPixel(1, 0, qRgb(100, 100, 100)); // above
  E->ImageData()->setPixel(2, 1, qRgb(5, 5, 5));       // right
  TEmbossFilter Emboss;
  Emboss.Apply(E.get());
  EXPECT_EQ(GreyAt(*E, 1, 1), 100 + 10 + 10 - 10 - 5);
  // Soften: the mean of the pixel, its right, lower and lower-right ones.
  auto S = Filled(4, 4, clBlack);
  S->ImageData()->setPixel(2, 2, qRgb(200, 200, 200));
  TSoftenFilter Soften;
  Soften.Apply(S.get());
  EXPECT_EQ(GreyAt(*S, 1, 1), 50);
  EXPECT_EQ(GreyAt(*S, 2, 2), 50);
  EXPECT_EQ(GreyAt(*S, 1, 2), 50);
}

TEST(Filters, EqualizeSobelBevel)
{
  // Equalize stretches the interior's channels to 0..255.
  auto B = Stripes(4, 6); // interior rows 1..4: 10..40
  TEqualizeFilter Eq;
  Eq.Apply(B.get());
  EXPECT_EQ(GreyAt(*B, 1, 1), 0);
  EXPECT_EQ(GreyAt(*B, 1, 2), 85);
  EXPECT_EQ(GreyAt(*B, 1, 4), 255);
  EXPECT_EQ(GreyAt(*B, 1, 5), 50); // the border stays
  auto Full = Stripes(3, 30);
  for (int y = 1; y < 29; ++y)
    Full->ImageData()->setPixel(1, y, y == 1 ? qRgb(0, 0, 0) : (y == 2 ? qRgb(255, 255, 255) : qRgb(7, 7, 7)));
  const QImage Before = *Full->ImageData();
  Eq.Apply(Full.get());
  EXPECT_EQ(*Full->ImageData(), Before);

  // Sobel: a flat picture has no edges; the border keeps its pixels.
  auto F = Filled(5, 5, RGBColor(90, 90, 90));
  TSobelFilter Sobel;
  Sobel.Apply(F.get());
  EXPECT_EQ(GreyAt(*F, 2, 2), 0);
  EXPECT_EQ(GreyAt(*F, 0, 0), 90);
  // Next to the border the buffer's zero frame shows as an edge.
  EXPECT_EQ(GreyAt(*F, 1, 2), 255);

  auto V = Filled(10, 10, RGBColor(100, 100, 100));
  TBevelFilter Bevel;
  Bevel.SetSize(2);
  Bevel.SetBright(50);
  Bevel.Apply(V.get());
  EXPECT_EQ(GreyAt(*V, 5, 0), 150);
  EXPECT_EQ(GreyAt(*V, 5, 9), 50);
  EXPECT_EQ(GreyAt(*V, 0, 5), 150);
  EXPECT_EQ(GreyAt(*V, 9, 5), 50);
  EXPECT_EQ(GreyAt(*V, 5, 1), 150);
  EXPECT_EQ(GreyAt(*V, 5, 5), 100);
  // Sizes and brightness from a chart file at their extremes stay inside.
  TBevelFilter Wild;
  Wild.SetSize(INT_MAX);
  Wild.SetBright(INT_MIN);
  Wild.Apply(V.get());
  EXPECT_EQ(GreyAt(*V, 5, 0), 0);
  EXPECT_EQ(GreyAt(*V, 5, 9), 255);
}

TEST(Filters, GeometricFiltersChangeTheSize)
{
  auto B = Stripes(8, 4, true);
  TResizeFilter Resize;
  Resize.Apply(B.get()); // 0 x 0: nothing
  EXPECT_EQ(B->Width(), 8);
  Resize.SetWidth(16);
  Resize.SetHeight(6);
  Resize.Apply(B.get());
  EXPECT_EQ(B->Width(), 16);
  EXPECT_EQ(B->Height(), 6);
  EXPECT_EQ(GreyAt(*B, 0, 0), 0);
  EXPECT_EQ(GreyAt(*B, 15, 5), 70);
  // A size from a chart file beyond the limit is refused.
  Resize.SetWidth(100000);
  Resize.SetHeight(100000);
  Resize.Apply(B.get());
  EXPECT_EQ(B->Width(), 16);

  const struct {
    TMirrorDirection D;
    int W, H;
    QPoint Plain, Mirrored; // where column 0 of the original lands
  } Mirror[] = {{mdDown, 4, 6, {0, 0}, {0, 3}},
                {mdUp, 4, 6, {0, 3}, {0, 0}},
                {mdRight, 8, 3, {0, 0}, {7, 0}},
                {mdLeft, 8, 3, {4, 0}, {3, 0}}};
  for (const auto& C : Mirror) {
    auto M = Stripes(4, 3, true);
    M->ImageData()->setPixel(0, 0, qRgb(255, 0, 0));
    TMirrorFilter F;
    F.SetDirection(C.D);
    F.Apply(M.get());
    EXPECT_EQ(M->Width(), C.W) << int(C.D);
    EXPECT_EQ(M->Height(), C.H) << int(C.D);
    EXPECT_EQ(At(*M, C.Plain.x(), C.Plain.y()), clRed) << int(C.D);
    const int MY = C.D == mdDown ? 5 : (C.D == mdUp ? 2 : 0);
    EXPECT_EQ(At(*M, C.Mirrored.x(), MY), clRed) << int(C.D);
  }
}

TEST(Filters, RotateAngles)
{
  auto Source = [] {
    auto B = std::make_unique<TBitmap>(3, 2);
    int V = 0;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x, V += 40)
        B->ImageData()->setPixel(x, y, qRgb(V, V, V));
    return B;
  };
  {
    // 450 is a quarter turn clockwise on screen, and the angle keeps 90.
    auto B = Source();
    TRotateFilter R;
    R.SetAngle(450);
    R.Apply(B.get());
    EXPECT_EQ(R.Angle(), 90);
    ASSERT_EQ(B->Width(), 2);
    ASSERT_EQ(B->Height(), 3);
    EXPECT_EQ(GreyAt(*B, 1, 0), 0);   // old (0,0) -> new (H-1-0, 0)
    EXPECT_EQ(GreyAt(*B, 0, 2), 200); // old (2,1) -> new (0, 2)
  }
  {
    auto B = Source();
    TRotateFilter R;
    R.SetAngle(270);
    R.Apply(B.get());
    EXPECT_EQ(GreyAt(*B, 0, 2), 0); // old (0,0) -> new (0, W-1)
  }
  {
    auto B = Source();
    TRotateFilter R;
    R.SetAngle(180);
    R.Apply(B.get());
    EXPECT_EQ(GreyAt(*B, 0, 0), 200);
    EXPECT_EQ(GreyAt(*B, 2, 1), 0);
  }
  {
    auto B = Stripes(7, 5);
    const QImage Before = *B->ImageData();
    TRotateFilter R;
    R.SetAngle(360);
    R.Apply(B.get());
    EXPECT_EQ(*B->ImageData(), Before);
    R.SetAngle(720);
    R.Apply(B.get());
    EXPECT_EQ(R.Angle(), 360);
  }
  {
    // -90 takes the general path: the picture turns the other way round.
    auto B = Stripes(8, 4);
    TRotateFilter R;
    R.SetAngle(-90);
    R.Apply(B.get());
    EXPECT_EQ(B->Width(), 4);
    EXPECT_EQ(B->Height(), 8);
    EXPECT_EQ(R.Angle(), -90);
  }
  {
    // 45 degrees grows the bitmap; the corners take the background.
    auto B = Filled(10, 10, clRed);
    TRotateFilter R;
    R.SetAngle(45);
    R.SetBackColor(clBlue);
    R.Apply(B.get());
    EXPECT_EQ(B->Width(), 14);
    EXPECT_EQ(At(*B, 0, 0), clBlue);
    EXPECT_EQ(At(*B, 7, 7), clRed);
    auto T = Filled(10, 10, clRed);
    TRotateFilter Clear;
    Clear.SetAngle(30);
    Clear.SetBackColor(clNone);
    Clear.Apply(T.get());
    EXPECT_TRUE(T->Transparent());
  }
  // Angles no whole turn can reduce end at once instead of looping.
  for (const double A : {1e300, std::numeric_limits<double>::infinity(), std::nan("")}) {
    auto B = Stripes(4, 4);
    TRotateFilter R;
    R.SetAngle(A);
    R.Apply(B.get());
    EXPECT_LE(R.Angle(), 360);
  }
}

TEST(Filters, CropZoomTile)
{
  // Crop (2, 1, 3, 2): source columns 2..3 and row 1 stretch over the
  // whole bitmap.
  auto B = Stripes(8, 4, true);
  TCropFilter Crop;
  Crop.SetLeft(2);
  Crop.SetTop(1);
  Crop.SetWidth(3);
  Crop.SetHeight(2);
  Crop.Apply(B.get());
  EXPECT_EQ(B->Width(), 8);
  EXPECT_EQ(GreyAt(*B, 0, 0), 20);
  EXPECT_EQ(GreyAt(*B, 7, 3), 30);
  // A crop reaching outside the picture reads nothing outside it.
  auto O = Stripes(8, 4, true);
  TCropFilter Out;
  Out.SetLeft(-1000000);
  Out.SetTop(INT_MAX - 2);
  Out.SetWidth(5);
  Out.SetHeight(5);
  Out.Apply(O.get());
  EXPECT_EQ(At(*O, 3, 3), clWhite);

  auto Z = Stripes(20, 20, true);
  TZoomFilter Zoom;
  EXPECT_EQ(Zoom.Percent(), 10);
  Zoom.SetPercent(50); // the middle half
  Zoom.Apply(Z.get());
  EXPECT_EQ(GreyAt(*Z, 0, 0), 50);
  auto ZR = Stripes(20, 20, true);
  TZoomFilter Part;
  Part.SetPercent(50);
  Part.Region()->SetLeft(10);
  Part.Apply(ZR.get());
  EXPECT_EQ(GreyAt(*ZR, 0, 0), 0);    // left of the region untouched
  EXPECT_EQ(GreyAt(*ZR, 10, 0), 120); // 10 + round(10 * 50 * .005)
  TZoomFilter Wild;
  Wild.SetPercent(1e300);
  Wild.Apply(ZR.get());
  Wild.SetPercent(std::nan(""));
  Wild.Apply(ZR.get());

  auto T = Stripes(12, 12, true);
  TTileFilter Tile;
  Tile.SetNumCols(0);
  Tile.SetNumRows(2);
  Tile.Apply(T.get());
  EXPECT_EQ(Tile.NumCols(), 1);
  // One column of 11 pixels, two rows of 5: the resampled picture.
  EXPECT_EQ(GreyAt(*T, 0, 0), 0);
  EXPECT_EQ(GreyAt(*T, 0, 5), 0);
  TTileFilter Many;
  Many.SetNumCols(INT_MAX);
  Many.Apply(T.get());
}

TEST(Filters, RotateGradientHook)
{
  EXPECT_TRUE(ZuzGradientRotateHook);
  TZuzGradient G;
  G.SetAngle(90);
  auto B = Filled(6, 3, clRed);
  ZuzGradientRotateHook(&G, B.get());
  EXPECT_EQ(B->Width(), 3);
  TBitmap Huge(5000, 4000); // 20 million pixels: left alone
  RotateGradient(&G, &Huge);
  EXPECT_EQ(Huge.Width(), 5000);
}

TEST(Filters, EveryFilterOnTheTestPicture)
{
  // Each registered filter with its defaults (and its gallery values) on
  // the test picture, laid out in a 5 x 5 grid of 40 x 32 cells.
  QImage Sheet(5 * 40, 5 * 32, QImage::Format_RGB32);
  Sheet.fill(Qt::white);
  QPainter P(&Sheet);
  ASSERT_NE(ZuzFilterClasses(), nullptr);
  for (int i = 0; i < ZuzFilterClasses()->Count(); ++i) {
    const TClassInfo* C = FindClass(ZuzFilterClasses()->Strings(i));
    std::unique_ptr<TCollectionItem> Item(C->CreateItem(nullptr));
    auto* F = static_cast<TZuzFilter*>(Item.get());
    F->PrepareForGallery();
    auto B = TestPicture();
    F->Apply(B.get());
    const QImage Cell = B->ImageData()->copy(0, 0, std::min(40, B->Width()), std::min(32, B->Height()));
    P.drawImage((i % 5) * 40, (i / 5) * 32, Cell);
  }
  P.end();
  EXPECT_GOLDEN(Sheet, QStringLiteral("filters"), 2, 0);
}
