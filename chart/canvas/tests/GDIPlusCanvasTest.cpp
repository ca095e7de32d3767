// The anti-aliased canvas: colours and alpha, pens, shapes, clipping, world
// transforms of entities and XOR drawing.
#include "GDIPlusTestSupport.h"
#include "TestSupport.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/GDIPlusGraphics.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzTransform.h"

#include "rtl/Exceptions.h"

#include <QPainterPath>

#include <gtest/gtest.h>

TEST(GDIPlusColors, ColourAndAlphaConversion)
{
  struct TCase {
    TColor Color;
    uint8_t Alpha;
    TGPColor Want;
  } Cases[] = {
      {0x000000FF, 255, 0xFFFF0000},                                // red: TColor keeps red in the low byte
      {0x00123456, 255, 0xFF563412}, {0x800000FF, 255, 0x7FFF0000}, // an alpha byte in the colour lowers the alpha
      {0x000000FF, 153, 0x99FF0000}, {clBtnFace, 255, 0x000F0000},  // system colours (0xFF0000nn) are invisible
      {clNone, 255, 0x00FFFFFF},                                    // "no colour" paints nothing
      {0x90000000, 100, 0x00000000},                                // never below 0
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(TGDIPlusCanvas::GDIPColor(C.Color, C.Alpha), C.Want) << std::hex << C.Color;
  }
}

TEST(GDIPlusColors, BlendingMultipliesTheCanvasAlpha)
{
  TGDIPlusCanvas C;
  EXPECT_EQ(C.Transparency, 255);
  EXPECT_EQ(C.ApplyTransparency(0), 255);
  EXPECT_EQ(C.ApplyTransparency(100), 0);
  auto B1 = C.BeginBlending(TRect{}, 40);
  EXPECT_EQ(B1, nullptr);
  EXPECT_EQ(C.Transparency, 153);
  auto B2 = C.BeginBlending(TRect{}, 40);
  EXPECT_EQ(C.Transparency, 92); // 60 % of 153, rounded
  C.EndBlending(std::move(B2));
  EXPECT_EQ(C.Transparency, 153);
  C.EndBlending(std::move(B1));
  EXPECT_EQ(C.Transparency, 255);
  EXPECT_THROW(C.EndBlending(nullptr), EInvalidOperation);
}

TEST(GDIPlusColors, NoColourPaintsNothing)
{
  TGDIPlusBuffer B(40, 40);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Brush()->SetColor(clNone);
  C.Pen()->SetColor(clNone);
  C.Rectangle(5, 5, 35, 35);
  C.Line(0, 0, 40, 40);
  C.Brush()->SetColor(clBlue);
  C.Brush()->SetStyle(bsCross);
  C.Brush()->SetBackColor(clNone); // the gaps of a hatch stay clear
  C.Pen()->Hide();
  C.Rectangle(5, 5, 35, 35);
  const QImage I = B.Image();
  EXPECT_EQ(CountColor(I, clWhite) + CountColor(I, clBlue), 40 * 40);
  EXPECT_GT(CountColor(I, clBlue), 0);
}

TEST(GDIPlusColors, SemiTransparentFillMixesWithTheBackground)
{
  TGDIPlusBuffer B(40, 40);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Pen()->Hide();
  C.Brush()->SetColor(clBlack);
  auto Blend = C.BeginBlending(TRect{}, 50);
  C.Rectangle(10, 10, 30, 30);
  C.EndBlending(std::move(Blend));
  EXPECT_LE(ColorDistance(B.Pixel(20, 20), RGBColor(128, 128, 128)), 2);
  EXPECT_EQ(B.Pixel(5, 5), clWhite);
}

TEST(GDIPlusPens, WidthZeroIsNeverSmoothedWiderPensAre)
{
  struct TCase {
    int32_t Width;
    bool Smooth;
  } Cases[] = {{0, false}, {1, true}, {3, true}};
  for (const TCase& T : Cases) {
    TGDIPlusBuffer B(60, 60);
    TGDIPlusCanvas& C = *B.Canvas;
    C.Pen()->SetWidth(T.Width);
    C.Line(5, 5, 55, 40);
    EXPECT_EQ(C.Graphics()->SmoothingHighQuality(), T.Smooth) << T.Width;
    const QImage I = B.Image();
    const int32_t Pure = CountColor(I, clWhite) + CountColor(I, clBlack);
    if (T.Smooth)
      EXPECT_LT(Pure, 60 * 60) << "anti-aliased edges have shades of grey";
    else
      EXPECT_EQ(Pure, 60 * 60);
  }
}

TEST(GDIPlusPens, WidePenShrinksTheFillOfRectanglesAndEllipses)
{
  // Both half transparent: where fill and outline overlap the colours would
  // mix; the fill stops where the wide outline begins.
  for (int Shape = 0; Shape < 2; ++Shape) {
    TGDIPlusBuffer B(60, 60);
    TGDIPlusCanvas& C = *B.Canvas;
    C.Pen()->SetWidth(4);
    C.Pen()->SetColor(clBlue);
    C.Brush()->SetColor(clRed);
    auto Blend = C.BeginBlending(TRect{}, 50);
    if (Shape == 0)
      C.Rectangle(10, 10, 50, 50);
    else
      C.Ellipse(10, 10, 50, 50);
    C.EndBlending(std::move(Blend));
    const TColor Edge = Shape == 0 ? B.Pixel(11, 30) : B.Pixel(11, 30);
    EXPECT_LE(ColorDistance(Edge, RGBColor(127, 127, 255)), 3) << Shape;
    EXPECT_LE(ColorDistance(B.Pixel(30, 30), RGBColor(255, 127, 127)), 3) << Shape;
  }
}

TEST(GDIPlusPens, SetPixelLeavesThePenColourAlone)
{
  TGDIPlusBuffer B(40, 40);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Pen()->SetColor(clBlack);
  C.Line(0, 30, 40, 30); // the pen exists
  C.SetPixel(10, 10, clRed);
  C.Line(0, 20, 40, 20);
  auto Reddish = [&](const TRect& R) {
    int32_t N = 0;
    for (int32_t y = R.Top; y < R.Bottom; ++y)
      for (int32_t x = R.Left; x < R.Right; ++x) {
        const TColor P = B.Pixel(x, y);
        N += GetRValue(P) > GetGValue(P) + 40;
      }
    return N;
  };
  EXPECT_GT(Reddish(TRect{8, 8, 13, 12}), 0);
  EXPECT_EQ(Reddish(TRect{0, 17, 40, 23}), 0);
  EXPECT_LT(GetRValue(B.Pixel(20, 20)), 200); // the line is there, in grey
}

TEST(GDIPlusPens, APenKeptFromBeforeABlendTakesTheBlendsAlpha)
{
  TGDIPlusBuffer B(40, 40);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Pen()->SetWidth(4);
  C.Line(0, 5, 40, 5);
  auto Blend = C.BeginBlending(TRect{}, 50);
  C.Line(0, 20, 40, 20);
  C.EndBlending(std::move(Blend));
  EXPECT_LE(ColorDistance(B.Pixel(20, 20), RGBColor(128, 128, 128)), 3);
}

TEST(GDIPlusShapes, RoundRectCoversOnePixelLessWithoutAntiAliasing)
{
  int32_t Right[2], Bottom[2];
  for (int Anti = 0; Anti < 2; ++Anti) {
    TGDIPlusBuffer B(60, 60);
    TGDIPlusCanvas& C = *B.Canvas;
    C.SetAnti(Anti == 1);
    C.Pen()->Hide();
    C.Brush()->SetColor(clBlack);
    C.RoundRect(10, 10, 50, 40, 6, 6);
    Right[Anti] = Bottom[Anti] = 0;
    for (int32_t x = 0; x < 60; ++x)
      if (ColorDistance(B.Pixel(x, 25), clBlack) < 64)
        Right[Anti] = x;
    for (int32_t y = 0; y < 60; ++y)
      if (ColorDistance(B.Pixel(30, y), clBlack) < 64)
        Bottom[Anti] = y;
  }
  EXPECT_EQ(Right[1], 49);
  EXPECT_EQ(Bottom[1], 39);
  EXPECT_EQ(Right[0], 48);
  EXPECT_EQ(Bottom[0], 38);
}

TEST(GDIPlusShapes, RoundRectPathCorners)
{
  struct TCase {
    int32_t X, Y;
    bool CornerFilled; // is the rectangle's very corner inside the path?
  } Cases[] = {{0, 0, true}, {1, 1, true}, {20, 20, false}, {500, 500, false}};
  for (const TCase& T : Cases) {
    QPainterPath P;
    TGDIPlusCanvas::RoundRectPath(P, TRect{0, 0, 40, 30}, T.X, T.Y);
    EXPECT_EQ(P.contains(QPointF(0.3, 0.3)), T.CornerFilled) << T.X;
    EXPECT_TRUE(P.contains(QPointF(20, 15)));
    // Corner ellipses never reach beyond the rectangle.
    EXPECT_LE(P.boundingRect().width(), 40.01);
    EXPECT_LE(P.boundingRect().height(), 30.01);
  }
  QPainterPath Big;
  TGDIPlusCanvas::RoundRectPath(Big, TRect{0, 0, 40, 30}, 500, 500);
  EXPECT_TRUE(Big.contains(QPointF(20, 15))); // cut to an ellipse of the whole rectangle
  EXPECT_FALSE(Big.contains(QPointF(3, 3)));
}

TEST(GDIPlusShapes, PieAnglesAndFullTurns)
{
  struct TCase {
    double A, B, Start, Sweep;
  } Cases[] = {{0, 0, 0, 360}, {0, 360, 0, 360}, {300, 60, -60, 120}, {30, 90, 270, 60}};
  for (const TCase& T : Cases) {
    double S = 0, W = 0;
    TGDIPlusCanvas::FixAngles(T.A, T.B, S, W);
    EXPECT_DOUBLE_EQ(S, T.Start) << T.A << " " << T.B;
    EXPECT_DOUBLE_EQ(W, T.Sweep) << T.A << " " << T.B;
  }
  // A full turn is the ellipse's outline: no radius drawn from the centre.
  TGDIPlusBuffer B(80, 80);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Brush()->SetStyle(bsClear);
  C.Pen()->SetWidth(2);
  C.Pie(TRect{10, 10, 70, 70}, 0, 0);
  EXPECT_LT(ColorDistance(B.Pixel(40, 10), clBlack), 128);
  EXPECT_EQ(B.Pixel(55, 40), clWhite);
  // 300 to 60 degrees: the slice to the right, nothing on the left.
  TGDIPlusBuffer P(80, 80);
  P.Canvas->Pen()->Hide();
  P.Canvas->Brush()->SetColor(clBlack);
  P.Canvas->Pie(TRect{10, 10, 70, 70}, 300, 60);
  EXPECT_EQ(P.Pixel(60, 40), clBlack);
  EXPECT_EQ(P.Pixel(20, 40), clWhite);
  EXPECT_EQ(P.Pixel(40, 15), clWhite);
}

TEST(GDIPlusShapes, DonutHole)
{
  // Angles counter-clockwise: 0 to 90 is the upper right quarter.
  struct TCase {
    double Hole;
    double Near, Far; // distance from the centre as a share of the radius
    bool NearIn, FarIn;
  } Cases[] = {{0, 0.1, 0.9, true, true}, {50, 0.4, 0.6, false, true}, {50, 0.45, 0.95, false, true}};
  for (const TCase& T : Cases) {
    QPainterPath P;
    TGDIPlusCanvas::DonutPath(P, 100, 100, 80, 40, 0, 90, T.Hole);
    const double A = 45 * 3.14159265358979 / 180;
    auto At = [&](double F) { return QPointF(100 + 80 * F * std::cos(A), 100 - 40 * F * std::sin(A)); };
    EXPECT_EQ(P.contains(At(T.Near)), T.NearIn) << T.Hole << " " << T.Near;
    EXPECT_EQ(P.contains(At(T.Far)), T.FarIn) << T.Hole << " " << T.Far;
    EXPECT_FALSE(P.contains(QPointF(60, 120))) << "lower left quarter";
  }
}

TEST(GDIPlusShapes, ArcBetweenRadialsRunsCounterClockwise)
{
  // From the radial at 10 degrees to the one at 350: the long way round,
  // over the top, as the device draws it.
  TGDIPlusBuffer B(80, 80);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Pen()->SetWidth(2);
  C.Arc(10, 10, 70, 70, 70, 35, 70, 45);
  EXPECT_LT(ColorDistance(B.Pixel(40, 10), clBlack), 128);
  EXPECT_LT(ColorDistance(B.Pixel(10, 40), clBlack), 128);
  EXPECT_EQ(B.Pixel(70, 40), clWhite);
}

TEST(GDIPlusClipping, ClipRectangleAddsARowAboveAndBelow)
{
  TGDIPlusBuffer B(120, 40);
  TGDIPlusCanvas& C = *B.Canvas;
  C.ClipRectangle(TRect{0, 10, 100, 20});
  C.Pen()->Hide();
  C.Brush()->SetColor(clBlack);
  C.FillRect(TRect{0, 0, 120, 40});
  const QImage I = B.Image();
  EXPECT_EQ(CountColor(I, clBlack), 100 * 12);
  EXPECT_EQ(CountColor(I, clBlack, TRect{0, 9, 100, 21}), 100 * 12);
  C.UnClipRectangle();
  C.FillRect(TRect{0, 0, 120, 40});
  EXPECT_EQ(CountColor(B.Image(), clBlack), 120 * 40);
}

TEST(GDIPlusClipping, NestedClipsAndShapes)
{
  TGDIPlusBuffer B(100, 100);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Pen()->Hide();
  C.Brush()->SetColor(clBlack);
  C.ClipRectangle(TRect{0, 0, 50, 100});
  C.ClipEllipse(TRect{0, 0, 100, 100});
  C.FillRect(TRect{0, 0, 100, 100});
  EXPECT_EQ(B.Pixel(40, 50), clBlack);
  EXPECT_EQ(B.Pixel(60, 50), clWhite); // outside the rectangle
  EXPECT_EQ(B.Pixel(3, 3), clWhite);   // outside the ellipse
  C.UnClipRectangle();                 // back to the rectangle's bounds
  C.Brush()->SetColor(clBlue);
  C.FillRect(TRect{0, 0, 100, 100});
  EXPECT_EQ(B.Pixel(3, 3), clBlue);
  EXPECT_EQ(B.Pixel(60, 50), clWhite);
  C.UnClipRectangle();
  const TPoint Tri[3] = {{0, 0}, {100, 0}, {0, 100}};
  C.ClipPolygon(Tri, 3, true); // everything but the triangle
  C.Brush()->SetColor(clRed);
  C.FillRect(TRect{0, 0, 100, 100});
  EXPECT_EQ(B.Pixel(90, 90), clRed);
  EXPECT_EQ(B.Pixel(10, 10), clBlue);
  C.UnClipRectangle();
}

TEST(GDIPlusEntities, TransformAppliesUntilTheEntityEnds)
{
  TGDIPlusBuffer B(100, 60);
  TGDIPlusCanvas& C = *B.Canvas;
  C.EndEntity(); // without a matching begin: nothing happens
  C.Pen()->Hide();
  C.Brush()->SetColor(clBlack);
  TZuzTransform T;
  T.Translate = TPoint3DFloat{50, 0, 0};
  C.BeginEntity(QStringLiteral("series"), nullptr, &T);
  C.FillRect(TRect{0, 0, 10, 10});
  C.EndEntity();
  C.FillRect(TRect{0, 20, 10, 30});
  EXPECT_EQ(B.Pixel(55, 5), clBlack);
  EXPECT_EQ(B.Pixel(5, 5), clWhite);
  EXPECT_EQ(B.Pixel(5, 25), clBlack);

  // An entity that does not clip leaves the clip around it in force.
  C.ClipRectangle(TRect{0, 40, 30, 50});
  TZuzTransform Scale;
  Scale.Scale = TPoint3DFloat{2, 2, 1};
  C.BeginEntity(QStringLiteral("s"), nullptr, &Scale);
  C.EndEntity();
  C.Brush()->SetColor(clBlue);
  C.FillRect(TRect{0, 30, 100, 60});
  EXPECT_EQ(B.Pixel(80, 45), clWhite);
  EXPECT_EQ(B.Pixel(10, 45), clBlue);
  C.UnClipRectangle();

  // An entity that clips takes its own clip back.
  TZuzTransform Clip;
  Clip.Clip = true;
  Clip.Bounds = TRect{0, 0, 20, 60};
  C.BeginEntity(QStringLiteral("c"), nullptr, &Clip);
  C.Brush()->SetColor(clRed);
  C.FillRect(TRect{0, 0, 100, 60});
  C.EndEntity();
  EXPECT_EQ(B.Pixel(10, 15), clRed);
  EXPECT_EQ(B.Pixel(80, 15), clWhite);
  C.FillRect(TRect{0, 0, 100, 60});
  EXPECT_EQ(B.Pixel(80, 15), clRed);
}

TEST(GDIPlusXor, DrawingTheSameFigureTwiceRestoresThePicture)
{
  TGDIPlusBuffer B(80, 80);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Brush()->SetColor(clYellow);
  C.Rectangle(5, 5, 60, 60); // something to draw over
  const QImage Before = B.Image();
  C.Pen()->SetMode(pmXor);
  C.Pen()->SetColor(clRed);
  C.Brush()->SetColor(clBlue);
  const TPoint Tri[3] = {{10, 70}, {70, 10}, {70, 70}};
  const TPoint Zig[4] = {{0, 0}, {20, 30}, {40, 0}, {60, 30}};
  for (int Pass = 0; Pass < 2; ++Pass) {
    C.Line(0, 0, 79, 50);
    C.DoHorizLine(0, 79, 40);
    C.Rectangle(20, 20, 50, 50);
    C.Ellipse(30, 10, 75, 45);
    C.Polygon(Tri);
    C.Polyline(Zig);
    if (Pass == 0) {
      EXPECT_GT(DifferingPixels(Before, B.Image()), 100);
      EXPECT_TRUE(C.XORCanvas()->ReferenceCanvas() != nullptr);
    }
  }
  EXPECT_EQ(DifferingPixels(Before, B.Image()), 0);
  // The device pen is not left in XOR mode for the GDI drawing that follows.
  EXPECT_EQ(C.ReferenceCanvas()->Pen()->Mode(), pmCopy);
}

TEST(GDIPlusCanvasKind, RegisteredAndDescribed)
{
  const TCanvasClass* K = FindCanvasClass(QStringLiteral("TGDIPlusCanvas"));
  ASSERT_NE(K, nullptr);
  auto C = K->Create();
  EXPECT_EQ(C->ClassName(), QStringLiteral("TGDIPlusCanvas"));
  EXPECT_EQ(C->Description(), QStringLiteral("GDI+"));
  EXPECT_EQ(C->EditorClass(), QStringLiteral("TGDIPlusEditor"));
  EXPECT_TRUE(C->SupportsAlpha());
  EXPECT_TRUE(C->GetSupportsXORMode());
  EXPECT_TRUE(C->INoFixAlign);
}

TEST(GDIPlusCanvasKind, StatusTexts)
{
  EXPECT_EQ(GPStatusText(2), QStringLiteral("GDI+ Error: 2 Invalid Parameter"));
  EXPECT_EQ(GPStatusText(18), QStringLiteral("GDI+ Error: 18 Gdiplus Not Initialized"));
  EXPECT_EQ(GPStatusText(20), QStringLiteral("GDI+ Error: 20 Property Not Supported"));
  EXPECT_EQ(GPStatusText(21), QStringLiteral("GDI+ Error: 21 Unknown Status"));
}

TEST(GDIPlusCanvasKind, AntiAliasSwitchAndScale)
{
  TGDIPlusBuffer B(40, 40);
  TGDIPlusCanvas& C = *B.Canvas;
  EXPECT_TRUE(C.AntiAlias());
  EXPECT_TRUE(C.Graphics()->PixelOffsetHighQuality());
  C.SetAnti(false);
  EXPECT_FALSE(C.INoFixAlign);
  EXPECT_FALSE(C.Graphics()->SmoothingHighQuality());
  EXPECT_FALSE(C.Graphics()->PixelOffsetHighQuality());
  C.SetAnti(true);
  // Fast lines switch the pixel offset; smoothing follows the pen's width.
  C.SetFastLine(true);
  EXPECT_FALSE(C.Graphics()->PixelOffsetHighQuality());
  EXPECT_TRUE(C.Graphics()->SmoothingHighQuality());
  C.SetFastLine(false);
  EXPECT_TRUE(C.Graphics()->PixelOffsetHighQuality());

  // A scale enlarges the buffer the chart is drawn into.
  TGDIPlusCanvas S;
  S.SetScale(2);
  QImage Dest(30, 20, QImage::Format_RGB32);
  TCanvas DC;
  DC.BindImage(&Dest);
  S.InitWindow(&DC, nullptr, clWhite, false, TRect{0, 0, 30, 20});
  EXPECT_EQ(S.Bitmap()->Width(), 60);
  EXPECT_EQ(S.Bitmap()->Height(), 40);
  // ... and the enlarged picture is shown shrunk into the window: a black
  // left half of the large picture is the black left half of the window,
  // its edge smoothed by the shrinking.
  S.ResetState();
  S.Pen()->Hide();
  S.Brush()->SetColor(clBlack);
  S.FillRect(TRect{0, 0, 30, 40});
  S.ShowImage(&DC, &DC, TRect{0, 0, 30, 20});
  EXPECT_EQ(PixelOf(Dest, 7, 10), clBlack);
  EXPECT_EQ(PixelOf(Dest, 22, 10), clWhite);
  EXPECT_EQ(PixelOf(Dest, 14, 19), clBlack);
}

TEST(GDIPlusPens, FastLinesDrawWithThePenInForce)
{
  // Fast segments skip the pen check while the pen of the last line lives,
  // but a series that draws only fast segments still draws after a pen
  // change, and a hidden pen still draws nothing.
  struct TCase {
    bool LineFirst;
    bool Hidden;
    TColor Want;
  } Cases[] = {{false, false, clRed}, {true, false, clRed}, {false, true, clWhite}};
  for (const TCase& T : Cases) {
    TGDIPlusBuffer B(60, 40);
    TGDIPlusCanvas& C = *B.Canvas;
    C.SetAnti(false);
    if (T.LineFirst)
      C.Line(0, 5, 60, 5); // a pen of the old colour exists
    C.Pen()->SetColor(clRed);
    if (T.Hidden)
      C.Pen()->Hide();
    C.MoveTo(0, 20);
    C.FastLineTo(30, 20);
    C.FastLineTo(30, 35); // from where the last segment ended
    EXPECT_EQ(B.Pixel(15, 20), T.Want) << T.LineFirst << T.Hidden;
    EXPECT_EQ(B.Pixel(30, 28), T.Want) << T.LineFirst << T.Hidden;
  }
}

TEST(GDIPlusCanvasKind, EachPaintStartsWithoutTheLastPaintsClipAndTransform)
{
  // A paint that ends with a clip and an entity still open (an exception on
  // the way) must not cut or move the next paint, whether the canvas draws
  // into its buffer or straight on the device.
  for (const bool Buffered : {true, false}) {
    QImage Dest(60, 60, QImage::Format_RGB32);
    Dest.fill(Qt::white);
    TCanvas DC;
    DC.BindImage(&Dest);
    TGDIPlusCanvas C;
    C.SetUseBuffer(Buffered);
    const TRect R{0, 0, 60, 60};
    C.InitWindow(&DC, nullptr, clWhite, false, R);
    C.ClipRectangle(TRect{0, 0, 10, 10});
    TZuzTransform T;
    T.Translate = TPoint3DFloat{20, 0, 0};
    C.BeginEntity(QStringLiteral("series"), nullptr, &T);

    C.InitWindow(&DC, nullptr, clWhite, false, R);
    C.Pen()->Hide();
    C.Brush()->SetColor(clBlack);
    C.FillRect(TRect{0, 0, 10, 60});
    C.ShowImage(&DC, &DC, R);
    EXPECT_EQ(PixelOf(Dest, 5, 40), clBlack) << Buffered;
    EXPECT_EQ(PixelOf(Dest, 25, 40), clWhite) << Buffered;
  }
}

TEST(GDIPlusCanvasKind, BrushChangesSetTheBackMode)
{
  struct TCase {
    TBrushStyle Style;
    TColor Color;
    TCanvasBackMode Mode;
    TColor Back;
  } Cases[] = {
      {bsCross, clRed, cbmOpaque, clRed}, // a hatch paints its gaps
      {bsClear, clRed, cbmTransparent, clGreen},
      {bsSolid, clNone, cbmTransparent, clGreen},
      {bsSolid, clRed, cbmNone, clGreen}, // a solid brush changes neither
  };
  for (const TCase& T : Cases) {
    TGDIPlusCanvas C;
    C.SetBackMode(cbmNone);
    C.SetBackColor(clGreen);
    C.Brush()->SetColor(T.Color);
    C.Brush()->SetStyle(T.Style);
    EXPECT_EQ(C.GetBackMode(), T.Mode) << int(T.Style) << " " << T.Color;
    EXPECT_EQ(C.GetBackColor(), T.Back) << int(T.Style) << " " << T.Color;
  }
}

TEST(GDIPlusCanvasKind, AScaleFromAChartFileNeverFailsThePaint)
{
  // Scale comes from chart files: no number or no positive one draws
  // unscaled; a huge one is cut to a buffer that can be had, so the paint
  // still shows the chart.
  struct TCase {
    float Scale;
    int32_t Width, Height; // of the buffer
  } Cases[] = {
      {std::nanf(""), 300, 200}, {-2, 300, 200},      {0, 300, 200}, {1, 300, 200},
      {2.5f, 750, 500},          {1e6f, 10033, 6689}, // as large as the pixel budget allows, in shape
  };
  for (const TCase& T : Cases) {
    QImage Dest(300, 200, QImage::Format_RGB32);
    Dest.fill(Qt::white);
    TCanvas DC;
    DC.BindImage(&Dest);
    TGDIPlusCanvas C;
    C.SetScale(T.Scale);
    const TRect Window{0, 0, 300, 200};
    ASSERT_NO_THROW(C.InitWindow(&DC, nullptr, clWhite, false, Window)) << T.Scale;
    EXPECT_EQ(C.Bitmap()->Width(), T.Width) << T.Scale;
    EXPECT_EQ(C.Bitmap()->Height(), T.Height) << T.Scale;
    // Within the budget but for the rounding of each side.
    EXPECT_LE(double(C.Bitmap()->Width()) * C.Bitmap()->Height(), TGDIPlusCanvas::MaxScaledPixels * 1.001);
    C.Pen()->Hide();
    C.Brush()->SetColor(clRed);
    C.FillRect(TRect{0, 0, T.Width, T.Height});
    C.ShowImage(&DC, &DC, Window);
    EXPECT_EQ(PixelOf(Dest, 150, 100), clRed) << T.Scale;
  }
}
