// Text and pictures of the anti-aliased canvas: the font and its rendering
// hint, the display fonts, measuring, alignment, rotation, shadows and
// pictures with the canvas alpha.
#include "GDIPlusTestSupport.h"
#include "TestSupport.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/GDIPlusGraphics.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzShadow.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QTransform>

#include <gtest/gtest.h>

#include <functional>

namespace {
// Bounds of the pixels for which Keep is true; empty when none.
TRect InkBounds(const QImage& I, const std::function<bool(TColor)>& Keep)
{
  TRect R{I.width(), I.height(), -1, -1};
  for (int y = 0; y < I.height(); ++y)
    for (int x = 0; x < I.width(); ++x)
      if (Keep(PixelOf(I, x, y))) {
        R.Left = std::min(R.Left, x);
        R.Top = std::min(R.Top, y);
        R.Right = std::max(R.Right, x + 1);
        R.Bottom = std::max(R.Bottom, y + 1);
      }
  return R.Right < 0 ? TRect{} : R;
}

bool Dark(TColor C) { return GetRValue(C) < 128 && GetGValue(C) < 128 && GetBValue(C) < 128; }
bool Reddish(TColor C) { return GetRValue(C) > GetGValue(C) + 60; }
} // namespace

TEST(GDIPlusText, FontSizeAndRenderingHint)
{
  struct TCase {
    float Size;
    TFontQuality Quality;
    TGDIPlusFontQuality Text;
    TGPTextRenderingHint Want;
  } Cases[] = {
      {20, fqDefault, gpfDefault, TextRenderingHintAntiAlias},
      {19.5f, fqDefault, gpfDefault, TextRenderingHintClearTypeGridFit},
      {30, fqDefault, gpfNormal, TextRenderingHintSingleBitPerPixelGridFit},
      {8, fqDefault, gpfBest, TextRenderingHintAntiAlias},
      {8, fqDefault, gpfClearType, TextRenderingHintClearTypeGridFit},
      {8, fqBest, gpfNormal, TextRenderingHintAntiAlias},
      {40, fqNormal, gpfBest, TextRenderingHintSingleBitPerPixelGridFit},
      {8, fqClearType, gpfNormal, TextRenderingHintClearTypeGridFit},
  };
  for (const TCase& T : Cases) {
    TGDIPlusBuffer B(20, 20);
    TGDIPlusCanvas& C = *B.Canvas;
    C.SetAntiText(T.Text);
    EXPECT_EQ(C.AntiAliasText(), T.Text);
    C.Font()->SetQuality(T.Quality);
    C.Font()->SetSizeFloat(T.Size);
    EXPECT_EQ(C.Graphics()->TextRenderingHint(), T.Want) << T.Size << " " << int(T.Quality) << " " << int(T.Text);
    EXPECT_FLOAT_EQ(float(C.GPFont()->pointSizeF()), T.Size);
  }
  TGDIPlusCanvas Tiny;
  Tiny.Font()->SetSizeFloat(0.05f);
  EXPECT_FLOAT_EQ(float(Tiny.GPFont()->pointSizeF()), 0.1f);
  // The font is built again only when name, size or style change.
  const QFont* Before = Tiny.GPFont();
  Tiny.Font()->SetColor(clRed);
  EXPECT_EQ(Tiny.GPFont(), Before);
  Tiny.Font()->SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsItalic));
  EXPECT_TRUE(Tiny.GPFont()->bold());
  EXPECT_TRUE(Tiny.GPFont()->italic());
}

TEST(GDIPlusText, MeasuringRules)
{
  TGDIPlusBuffer B(20, 20);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Font()->SetSize(12);
  const QString S = QStringLiteral("Depth 123");
  const QImage Device = *C.BufferImage();
  const QFontMetricsF M(*C.GPFont(), &Device);
  const double Em = 12 * Device.logicalDpiY() / 72.0;
  // The default format adds a sixth of the em size at each end; the
  // typographic one nothing.
  EXPECT_EQ(C.InternalTextWidth(S, true), qRound(M.horizontalAdvance(S)));
  EXPECT_NEAR(C.TextWidth(S), M.horizontalAdvance(S) + Em / 3, 0.51);
  EXPECT_EQ(C.TextHeight(S), int32_t(std::lround(M.lineSpacing() + 0.5)));
  EXPECT_FLOAT_EQ(C.TextSize(S).y, float(M.lineSpacing()));
  EXPECT_EQ(C.TextSize(QStringLiteral("a\r\nb")).y, float(2 * M.lineSpacing()));
  // A shadow with sizes -3 and 2 widens by 3 and heightens by 2; an
  // invisible emboss adds nothing.
  const TPointFloat Plain = C.TextSize(S);
  C.Font()->Shadow()->SetHorizSize(-3);
  C.Font()->Shadow()->SetVertSize(2);
  C.Font()->Emboss()->SetSize(5);
  C.Font()->Emboss()->SetVisible(false);
  EXPECT_FLOAT_EQ(C.TextSize(S).x, Plain.x + 3);
  EXPECT_FLOAT_EQ(C.TextSize(S).y, Plain.y + 2);
  EXPECT_EQ(C.TextWidth(S), C.InternalTextWidth(S, false));
}

// Widths measured once are kept for later graphics (a chart makes new ones
// for every paint), but never handed to a device of another resolution.
TEST(GDIPlusText, KeptWidthsBelongToTheResolutionTheyWereMeasuredAt)
{
  QImage Screen(40, 20, QImage::Format_ARGB32_Premultiplied), Printer(40, 20, QImage::Format_ARGB32_Premultiplied);
  Screen.setDotsPerMeterX(3780); // 96 dpi
  Screen.setDotsPerMeterY(3780);
  Printer.setDotsPerMeterX(7560); // 192 dpi
  Printer.setDotsPerMeterY(7560);
  QFont Font(QStringLiteral("Liberation Sans"));
  Font.setPointSizeF(10);
  const QString S = QStringLiteral("12.345");
  const auto Width = [&](QImage& Device) {
    TCanvas DC;
    DC.BindImage(&Device);
    TGPGraphics G(&DC);
    return G.MeasureString(S, Font, true).width();
  };
  const double OnScreen = Width(Screen);
  const double OnPrinter = Width(Printer);
  EXPECT_NEAR(OnScreen, QFontMetricsF(Font, &Screen).horizontalAdvance(S), 0.01);
  EXPECT_NEAR(OnPrinter, QFontMetricsF(Font, &Printer).horizontalAdvance(S), 0.01);
  EXPECT_NEAR(OnPrinter / OnScreen, 2.0, 0.1);
  EXPECT_DOUBLE_EQ(Width(Screen), OnScreen);
}

TEST(GDIPlusText, ShadowCopyIsDrawnAtItsOffset)
{
  TGDIPlusBuffer B(120, 60);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Font()->SetSize(16);
  C.Font()->Shadow()->SetColor(clRed);
  C.Font()->Shadow()->SetHorizSize(-3);
  C.Font()->Shadow()->SetVertSize(2);
  C.Font()->Shadow()->SetSmooth(false);
  C.TextOut(20, 10, QStringLiteral("IIII"));
  const QImage I = B.Image();
  const TRect Text = InkBounds(I, Dark), Shadow = InkBounds(I, Reddish);
  ASSERT_FALSE(Text.IsEmpty());
  ASSERT_FALSE(Shadow.IsEmpty());
  // Ink bounds of anti-aliased glyphs may differ by a pixel.
  EXPECT_NEAR(Shadow.Left, Text.Left - 3, 1);
  EXPECT_NEAR(Shadow.Bottom, Text.Bottom + 2, 1);
}

TEST(GDIPlusText, AlignmentMovesTheOrigin)
{
  auto Draw = [](int32_t Align) {
    TGDIPlusBuffer B(200, 60);
    B.Canvas->Font()->SetSize(14);
    B.Canvas->SetTextAlign(Align);
    B.Canvas->TextOut(100, 40, QStringLiteral("Sound"));
    return B.Image();
  };
  const QImage Left = Draw(0);
  EXPECT_EQ(DifferingPixels(Left, Draw(TA_RIGHT + TA_BOTTOM)), 0) << "10 leaves the origin";
  const TRect L = InkBounds(Left, Dark), R = InkBounds(Draw(TA_RIGHT), Dark), C = InkBounds(Draw(TA_CENTER), Dark);
  const TRect CB = InkBounds(Draw(TA_CENTER + TA_BOTTOM), Dark);
  EXPECT_GE(L.Left, 100);
  EXPECT_LE(R.Right, 104); // ends at the origin (plus the font's margin)
  EXPECT_GT(R.Right, 95);
  EXPECT_NEAR((C.Left + C.Right) / 2.0, 100 + (L.Left - 100), 2.0);
  EXPECT_EQ(C.Top, L.Top);
  EXPECT_LT(CB.Bottom, 42); // bottom-centred: the text box ends at the origin
  // ... and is centred by its box with the margins (a sixth of the em size
  // each side), where centring alone takes the typographic width.
  EXPECT_NEAR(CB.Left, C.Left - 14 * 96 / 72.0 / 6, 1.5);
}

TEST(GDIPlusText, DisplayFontsByTheirExactName)
{
  const QString Loaded = TGDIPlusCanvas::GetPrivateFont(QStringLiteral("Elektra"));
  if (Loaded.isEmpty())
    GTEST_SKIP() << "the display fonts are not installed here";
  TGDIPlusCanvas C;
  C.Font()->SetName(QStringLiteral("Elektra"));
  auto Family = [&] { return QFontInfo(*C.GPFont()).family(); };
  EXPECT_EQ(Family().compare(Loaded, Qt::CaseInsensitive), 0);
  C.Font()->SetName(QStringLiteral("elektra"));
  EXPECT_NE(Family().compare(Loaded, Qt::CaseInsensitive), 0);
  C.Font()->SetName(QStringLiteral("DS-Digital"));
  EXPECT_EQ(Family().compare(TGDIPlusCanvas::GetPrivateFont(QStringLiteral("DS-Digital")), Qt::CaseInsensitive), 0);
  EXPECT_TRUE(TGDIPlusCanvas::GetPrivateFont(QStringLiteral("Arial")).isEmpty());
}

TEST(GDIPlusText, RotatedLabelTurnsAboutItsOriginAndStopsThere)
{
  TGDIPlusBuffer B(100, 200);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Font()->SetSize(14);
  C.RotateLabel(50, 180, QStringLiteral("Temperature"), 90);
  EXPECT_EQ(C.ITextRotation, 0);
  EXPECT_TRUE(C.Graphics()->Transform().isIdentity());
  const TRect R = InkBounds(B.Image(), Dark);
  // Turned a quarter counter-clockwise about (50, 180): the text rises from
  // the origin and the glyphs' height lies to its right.
  EXPECT_GT(R.Height(), 3 * R.Width());
  EXPECT_LE(R.Bottom, 182);
  EXPECT_GE(R.Left, 48);
  EXPECT_LE(R.Right, 50 + C.TextHeight(QStringLiteral("T")) + 1);
  // A plain label afterwards is not turned.
  C.TextOut(5, 5, QStringLiteral("Temperature"));
  const TRect P = InkBounds(B.Image(), Dark);
  EXPECT_LT(P.Top, 20);
  EXPECT_GT(InkBounds(B.Image().copy(0, 0, 100, 30), Dark).Width(), 50);
}

TEST(GDIPlusText, TaggedTextInThreeDimensionsIsBold)
{
  auto Draw = [](const QString& Text, bool Html, bool Bold) {
    TGDIPlusBuffer B(60, 40);
    B.Canvas->Font()->SetSize(16);
    if (Bold)
      B.Canvas->Font()->SetStyle(FontStyleBit(fsBold));
    B.Canvas->TextOut3D(10, 8, 0, Text, Html);
    return B.Image();
  };
  const QImage Tagged = Draw(QStringLiteral("<b>x</b>"), true, false);
  EXPECT_EQ(DifferingPixels(Tagged, Draw(QStringLiteral("x"), false, true)), 0);
  EXPECT_GT(DifferingPixels(Tagged, Draw(QStringLiteral("x"), false, false)), 0);
}

TEST(GDIPlusText, TextLeavesTheBrushWithTheFontColour)
{
  TGDIPlusBuffer B(60, 30);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Font()->SetColor(clNavy);
  C.Brush()->SetColor(clYellow);
  C.Gradient()->SetVisible(true);
  C.SetBackMode(cbmTransparent);
  C.TextOut(2, 2, QStringLiteral("abc"));
  EXPECT_EQ(C.Brush()->Color(), clNavy);
  EXPECT_FALSE(C.IsGradientVisible());
  EXPECT_EQ(C.GetBackMode(), cbmTransparent);
  // A font of no colour draws nothing.
  TGDIPlusBuffer N(60, 30);
  N.Canvas->SetBackMode(cbmTransparent);
  N.Canvas->Font()->SetColor(clNone);
  N.Canvas->TextOut(2, 2, QStringLiteral("abc"));
  EXPECT_EQ(CountColor(N.Image(), clWhite), 60 * 30);
}

TEST(GDIPlusText, OpaqueBackModeFillsTheTextBox)
{
  TGDIPlusBuffer B(80, 40);
  TGDIPlusCanvas& C = *B.Canvas;
  C.SetBackMode(cbmOpaque);
  C.Brush()->SetColor(clYellow);
  C.TextOut(10, 10, QStringLiteral("ab"));
  const TRect Box = C.CalcTextRect(TPointFloat{10, 10}, QStringLiteral("ab"));
  EXPECT_EQ(B.Pixel(Box.Left, Box.Top), clYellow);
  EXPECT_EQ(B.Pixel(Box.Right - 1, Box.Bottom - 1), clYellow);
  EXPECT_EQ(B.Pixel(Box.Right + 1, Box.Top), clWhite);
}

TEST(GDIPlusText, OutlinedText)
{
  TGDIPlusBuffer B(100, 50);
  TGDIPlusCanvas& C = *B.Canvas;
  C.SetBackMode(cbmTransparent);
  C.Font()->SetSize(24);
  C.Font()->SetColor(clYellow);
  C.Font()->OutLine()->SetVisible(true);
  C.Font()->OutLine()->SetColor(clRed);
  C.Font()->OutLine()->SetWidth(2);
  C.TextOut(5, 5, QStringLiteral("OK"));
  const QImage I = B.Image();
  EXPECT_GT(CountNear(I, clRed, 40), 20);
  EXPECT_GT(CountNear(I, clYellow, 40), 5);
}

TEST(GDIPlusPictures, StretchedTransparentBitmapLetsItsKeyColourThrough)
{
  TBitmap Pic(10, 10); // white, the bottom-left pixel too
  Pic.Canvas()->Brush()->SetColor(clBlack);
  Pic.Canvas()->FillRect(TRect{3, 3, 7, 7});
  Pic.SetTransparent(true);
  TGDIPlusBuffer B(40, 40);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Brush()->SetColor(clYellow);
  C.FillRect(TRect{0, 0, 40, 40});
  C.SetStretchDrawQuality(sqLow);
  C.StretchDraw(TRect{0, 0, 20, 20}, &Pic);
  EXPECT_EQ(B.Pixel(2, 2), clYellow);
  EXPECT_EQ(B.Pixel(10, 10), clBlack);
  EXPECT_EQ(CountColor(B.Image(), clWhite), 0);
  // A reversed rectangle mirrors the picture.
  TBitmap Half(2, 1);
  Half.Canvas()->SetPixel(0, 0, clRed);
  C.StretchDraw(TRect{40, 20, 20, 40}, &Half);
  EXPECT_EQ(B.Pixel(35, 30), clRed);
  EXPECT_EQ(B.Pixel(25, 30), clWhite);
}

TEST(GDIPlusPictures, CanvasAlphaScalesThePicture)
{
  TBitmap Pic(10, 10);
  Pic.Canvas()->Brush()->SetColor(clBlack);
  Pic.Canvas()->FillRect(TRect{0, 0, 10, 10});
  TGDIPlusBuffer B(40, 20);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Draw(2, 2, &Pic);
  C.Transparency = 128;
  C.Draw(20, 2, &Pic);
  C.Transparency = 255;
  EXPECT_EQ(B.Pixel(5, 5), clBlack);
  EXPECT_LE(ColorDistance(B.Pixel(25, 5), RGBColor(127, 127, 127)), 2);
  EXPECT_EQ(B.Pixel(15, 5), clWhite);
  // Natural size: nothing beyond the picture.
  EXPECT_EQ(B.Pixel(12, 5), clWhite);
}

TEST(GDIPlusPictures, ResizeBitmapResamples)
{
  TBitmap Src(4, 4);
  Src.Canvas()->Brush()->SetColor(clBlack);
  Src.Canvas()->FillRect(TRect{0, 0, 2, 4});
  TBitmap Dst(40, 20);
  TGDIPlusCanvas::ResizeBitmap(&Src, &Dst);
  EXPECT_EQ(Dst.Width(), 40);
  EXPECT_EQ(PixelOf(*Dst.ImageData(), 2, 10), clBlack);
  EXPECT_EQ(PixelOf(*Dst.ImageData(), 37, 10), clWhite);
}

TEST(GDIPlusText, TurnedTextTurnsAboutTheCallersCentreWhenOneIsSet)
{
  // Half a turn: the text lies to the left of and above the turning point,
  // which is the label's origin or the caller's centre (one pixel right).
  struct TCase {
    bool UseCentre;
    TPoint Pivot;
  } Cases[] = {{false, {100, 100}}, {true, {101, 60}}};
  for (const TCase& T : Cases) {
    TGDIPlusBuffer B(200, 200);
    TGDIPlusCanvas& C = *B.Canvas;
    C.Font()->SetSize(14);
    C.IUseTextCenter = T.UseCentre;
    C.ITextCenter = TPoint{100, 60};
    C.RotateLabel(100, 100, QStringLiteral("Sv"), 180);
    C.IUseTextCenter = false;
    // The origin (100, 100) goes to the point opposite the pivot.
    const TPoint Corner{2 * T.Pivot.X - 100, 2 * T.Pivot.Y - 100};
    const TRect R = InkBounds(B.Image(), Dark);
    ASSERT_FALSE(R.IsEmpty()) << T.UseCentre;
    EXPECT_LE(R.Right, Corner.X + 1) << T.UseCentre;
    EXPECT_GT(R.Right, Corner.X - 8) << T.UseCentre;
    EXPECT_LE(R.Bottom, Corner.Y + 1) << T.UseCentre;
    EXPECT_GE(R.Top, Corner.Y - C.TextHeight(QStringLiteral("Sv"))) << T.UseCentre;
  }
}

TEST(GDIPlusText, SmoothShadowIsBlurredInTheBuffer)
{
  // The same red shadow, sharp and smooth: blurring spreads it into pale
  // shades, so few pixels keep the pure shadow colour.
  int32_t Pure[2] = {0, 0}, Pale[2] = {0, 0};
  for (int Smooth = 0; Smooth < 2; ++Smooth) {
    TGDIPlusBuffer B(120, 50);
    TGDIPlusCanvas& C = *B.Canvas;
    C.SetBackMode(cbmTransparent);
    C.Font()->SetSize(16);
    TZuzShadow* S = C.Font()->Shadow();
    S->SetColor(clRed);
    S->SetHorizSize(4);
    S->SetVertSize(4);
    S->SetSmooth(Smooth == 1);
    S->SetSmoothBlur(4);
    C.TextOut(10, 10, QStringLiteral("Wave"));
    const QImage I = B.Image();
    Pure[Smooth] = CountColor(I, clRed);
    for (int32_t y = 0; y < I.height(); ++y)
      for (int32_t x = 0; x < I.width(); ++x) {
        const TColor P = PixelOf(I, x, y);
        Pale[Smooth] += GetRValue(P) > 200 && GetGValue(P) > 60 && GetGValue(P) < 200;
      }
  }
  EXPECT_GT(Pure[0], 40);
  EXPECT_LT(Pure[1], Pure[0] / 3);
  EXPECT_GT(Pale[1], 2 * Pale[0]);
}

TEST(GDIPlusText, PictureAndGradientFilledText)
{
  // The font's brush fills the glyphs: with a picture its pixels, with a
  // gradient its colours across the text box; the canvas brush keeps
  // neither afterwards.
  TBitmap Pic(4, 4);
  Pic.Canvas()->Brush()->SetColor(clRed);
  Pic.Canvas()->FillRect(TRect{0, 0, 4, 4});
  for (int Kind = 0; Kind < 2; ++Kind) {
    TGDIPlusBuffer B(160, 50);
    TGDIPlusCanvas& C = *B.Canvas;
    C.SetBackMode(cbmTransparent);
    C.Font()->SetSize(24);
    C.Font()->SetStyle(FontStyleBit(fsBold));
    if (Kind == 0) {
      C.Font()->Brush()->Image()->SetGraphic(&Pic);
    } else {
      TZuzGradient* G = C.Font()->Brush()->Gradient();
      G->SetVisible(true);
      G->SetDirection(gdLeftRight);
      G->SetStartColor(clRed);
      G->SetEndColor(clBlue);
    }
    C.TextOut(5, 5, QStringLiteral("MMMMM"));
    const QImage I = B.Image();
    const TRect Black =
        InkBounds(I, [](TColor P) { return GetRValue(P) < 60 && GetGValue(P) < 60 && GetBValue(P) < 60; });
    EXPECT_TRUE(Black.IsEmpty()) << Kind << ": no glyph in the font's own black";
    const TRect Red = InkBounds(I, Reddish);
    ASSERT_FALSE(Red.IsEmpty()) << Kind;
    if (Kind == 1) {
      const TRect Blue = InkBounds(I, [](TColor P) { return GetBValue(P) > GetRValue(P) + 60; });
      ASSERT_FALSE(Blue.IsEmpty());
      EXPECT_LT(Blue.Left, Red.Left) << "the gradient runs across the text";
    }
    EXPECT_FALSE(C.Brush()->HasImage());
    EXPECT_FALSE(C.IsGradientVisible());
  }
}
