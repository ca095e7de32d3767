// Brushes of the anti-aliased canvas: plain, hatch and gradient brushes,
// colour stops, the gradient fill, the lighting highlight and smooth
// shadows.
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
#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzShadow.h"

#include <QPainterPath>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {
TZuzGradient* RedToBlue(TGDIPlusCanvas& C, TGradientDirection D)
{
  TZuzGradient* G = C.Gradient();
  G->SetVisible(true);
  G->SetDirection(D);
  G->SetStartColor(clRed);
  G->SetEndColor(clBlue);
  return G;
}

double LineAngle(const TGPBrush& B)
{
  QPointF S, E;
  B.GradientLine(S, E);
  return std::atan2(E.y() - S.y(), E.x() - S.x()) * 180 / 3.14159265358979;
}
} // namespace

TEST(GDIPlusBrushes, SolidBrushCarriesTheCanvasAlpha)
{
  TGDIPlusCanvas C;
  C.Brush()->SetColor(0x000000FF);
  auto B = C.GBrush();
  ASSERT_EQ(B->Kind(), gbkSolid);
  EXPECT_EQ(B->Color(), 0xFFFF0000u);
  auto Blend = C.BeginBlending(TRect{}, 40);
  EXPECT_EQ(C.GBrush()->Color(), 0x99FF0000u);
  C.EndBlending(std::move(Blend));
  C.Brush()->SetStyle(bsClear);
  EXPECT_EQ(C.GBrush()->Color() >> 24, 0u) << "a clear brush lets everything through";
}

TEST(GDIPlusBrushes, HatchStyleFromTheHatchOrTheBrushStyle)
{
  struct TCase {
    TBrushStyle Style;
    THatchStyle Hatch;
    int32_t Want;
  } Cases[] = {
      {bsCross, hsDottedGrid, 43},                              // from 05 percent on, the hatch decides
      {bsVertical, hs05Percent, 6},   {bsVertical, hsCross, 1}, // below it, the brush style
      {bsFDiagonal, hsHorizontal, 2}, {bsBDiagonal, hsHorizontal, 3},     {bsCross, hsVertical, 4},
      {bsDiagCross, hsHorizontal, 5}, {bsHorizontal, hsSolidDiamond, 52},
  };
  for (const TCase& T : Cases) {
    TGDIPlusCanvas C;
    C.Brush()->SetHatchStyle(T.Hatch); // the first six set the style too
    C.Brush()->SetStyle(T.Style);
    C.Brush()->SetColor(clNavy);
    C.Brush()->SetBackColor(clYellow);
    auto B = C.GBrush();
    ASSERT_EQ(B->Kind(), gbkHatch);
    EXPECT_EQ(B->HatchStyle(), T.Want) << int(T.Style) << " " << int(T.Hatch);
    EXPECT_EQ(B->Color(), 0xFF000080u);
    EXPECT_EQ(B->BackColor(), 0xFFFFFF00u);
  }
}

TEST(GDIPlusBrushes, FiftyThreeDistinctHatchPatterns)
{
  std::set<uint64_t> Seen;
  int32_t Previous = 0;
  for (int32_t S = 0; S < GPHatchStyleCount; ++S) {
    const uint8_t* P = GPHatchPattern(S);
    ASSERT_NE(P, nullptr);
    uint64_t Bits = 0;
    int32_t Lit = 0;
    for (int i = 0; i < 8; ++i) {
      Bits = (Bits << 8) | P[i];
      Lit += __builtin_popcount(P[i]);
    }
    EXPECT_TRUE(Seen.insert(Bits).second) << "hatch " << S << " repeats another";
    EXPECT_GT(Lit, 0) << S;
    EXPECT_LT(Lit, 64) << S;
    if (S >= 6 && S <= 17) { // 5 % .. 90 %: ever denser
      EXPECT_GT(Lit, Previous) << S;
      Previous = Lit;
    }
  }
  EXPECT_EQ(GPHatchPattern(GPHatchStyleCount), nullptr);
  EXPECT_EQ(GPHatchPattern(-1), nullptr);
}

TEST(GDIPlusBrushes, HatchesLieOnTheDeviceGrid)
{
  TGDIPlusBuffer B(40, 40);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Pen()->Hide();
  C.Brush()->SetStyle(bsHorizontal);
  C.Brush()->SetColor(clBlack);
  C.Brush()->SetBackColor(clYellow);
  C.FillRect(TRect{3, 3, 30, 30});
  for (int32_t y = 3; y < 30; ++y)
    EXPECT_EQ(B.Pixel(10, y), y % 8 == 0 ? clBlack : clYellow) << y;
}

TEST(GDIPlusBrushes, LinearGradientDirectionsAndColours)
{
  struct TCase {
    TGradientDirection Direction;
    int32_t Angle;
    TGPColor Start;
    double LineAngle;
  } Cases[] = {
      {gdTopBottom, 0, 0xFF0000FF, 90}, // the last stop at the start
      {gdBottomTop, 0, 0xFFFF0000, 90}, // stop 0 at the start
      {gdLeftRight, 0, 0xFF0000FF, 0},     {gdRightLeft, 0, 0xFFFF0000, 0},
      {gdTopBottom, 30, 0xFF0000FF, 120}, // base angle plus the gradient's
      {gdRightLeft, 45, 0xFFFF0000, -135},
  };
  for (const TCase& T : Cases) {
    TGDIPlusCanvas C;
    RedToBlue(C, T.Direction)->SetAngle(T.Angle);
    auto B = C.GBrush(TRect{0, 0, 100, 50});
    ASSERT_EQ(B->Kind(), gbkLinearGradient);
    EXPECT_EQ(B->StartColor(), T.Start) << int(T.Direction);
    EXPECT_NEAR(LineAngle(*B), T.LineAngle, 0.01) << int(T.Direction) << " " << T.Angle;
  }
  // A diagonal mode follows the rectangle's shape: the colour lines run
  // along the other diagonal, so the line ends at the far corner's level.
  TGDIPlusCanvas C;
  RedToBlue(C, gdFromTopLeft);
  auto B = C.GBrush(TRect{0, 0, 199, 49}); // 200 x 50 with the extra pixel
  QPointF S, E;
  B->GradientLine(S, E);
  EXPECT_NEAR(LineAngle(*B), std::atan2(200.0, 50.0) * 180 / 3.14159265358979, 0.01);
  const QPointF Corner(200, 50);
  EXPECT_NEAR(QPointF::dotProduct(Corner - S, E - S) / QPointF::dotProduct(E - S, E - S), 1.0, 1e-6);
}

TEST(GDIPlusBrushes, RadialGradientGeometry)
{
  TGDIPlusCanvas C;
  TZuzGradient* G = RedToBlue(C, gdRadial);
  G->SetRadialX(7);
  G->SetRadialY(-3);
  auto B = C.GBrush(TRect{0, 0, 100, 50});
  ASSERT_EQ(B->Kind(), gbkPathGradient);
  const QRectF E = B->Boundary().boundingRect();
  EXPECT_NEAR(E.x(), -26, 1e-3);
  EXPECT_NEAR(E.y(), -13.5, 1e-3);
  EXPECT_NEAR(E.width(), 152, 1e-3);
  EXPECT_NEAR(E.height(), 77, 1e-3);
  EXPECT_EQ(B->CenterPoint(), QPointF(57, 22));
  // Stop 0 at the centre, the last stop at the rim.
  EXPECT_EQ(B->ColorAt(1), 0xFFFF0000u);
  EXPECT_EQ(B->ColorAt(0), 0xFF0000FFu);
}

TEST(GDIPlusBrushes, CustomTargetRectangleWins)
{
  TGDIPlusCanvas C;
  TZuzGradient* G = RedToBlue(C, gdLeftRight);
  G->SetCustomTargetRectangle(TRectF{100, 100, 200, 150});
  auto B = C.GBrush(TRect{0, 0, 50, 50});
  QPointF S, E;
  B->GradientLine(S, E);
  EXPECT_NEAR(S.x(), 100, 1e-3);
  EXPECT_NEAR(E.x(), 201, 1e-3);
}

TEST(GDIPlusBrushes, MoreStopsThanTheBlendHoldsAreSampled)
{
  for (const TGradientDirection D : {gdBottomTop, gdTopBottom}) {
    TGDIPlusCanvas C;
    TZuzGradient* G = C.Gradient();
    G->SetVisible(true);
    G->SetDirection(D);
    TZuzGradientColors* Stops = G->Colors();
    Stops->Clear();
    for (int i = 0; i < 300; ++i)
      Stops->Add(i / 299.0, i == 0 ? clRed : i == 299 ? clBlue : clGreen, 0);
    auto B = C.GBrush(TRect{0, 0, 100, 100});
    ASSERT_EQ(B->InterpolationCount(), TGDIPlusCanvas::BlendCapacity);
    TGPColor First = 0, Last = 0;
    float P0 = -1, P1 = -1;
    B->InterpolationEntry(0, First, P0);
    B->InterpolationEntry(B->InterpolationCount() - 1, Last, P1);
    EXPECT_FLOAT_EQ(P0, 0);
    EXPECT_FLOAT_EQ(P1, 1);
    // Along the line: stop 0 first for the inverted direction, last otherwise.
    EXPECT_EQ(First, D == gdBottomTop ? 0xFFFF0000u : 0xFF0000FFu);
    EXPECT_EQ(Last, D == gdBottomTop ? 0xFF0000FFu : 0xFFFF0000u);
    TGDIPlusBuffer Buf(60, 60);
    Buf.Canvas->Gradient()->Assign(G);
    Buf.Canvas->FillRect(TRect{0, 0, 60, 60}); // draws without trouble
    EXPECT_EQ(CountColor(Buf.Image(), clWhite), 0);
  }
}

TEST(GDIPlusBrushes, PolygonGradientOverTheOutline)
{
  TGDIPlusCanvas C;
  RedToBlue(C, gdRadial)->SetRadialX(10);
  const TPointFloat Tri[3] = {{0, 0}, {100, 0}, {0, 40}};
  auto B = C.GBrush(C.Brush(), std::span<const TPointFloat>(Tri));
  ASSERT_EQ(B->Kind(), gbkPathGradient);
  // The bounds grown by a quarter of their size on each side.
  const QRectF E = B->Boundary().boundingRect();
  EXPECT_NEAR(E.x(), -25, 1e-3);
  EXPECT_NEAR(E.y(), -10, 1e-3);
  EXPECT_NEAR(E.width(), 150, 1e-3);
  EXPECT_NEAR(E.height(), 60, 1e-3);
  EXPECT_EQ(B->CenterPoint(), QPointF(60, 20));
  // A lighting outline, when set, is used instead of the shape.
  C.IGradientPolygon = {{0, 0}, {20, 0}, {20, 20}, {0, 20}};
  auto L = C.GBrush(C.Brush(), std::span<const TPointFloat>(Tri));
  EXPECT_NEAR(L->Boundary().boundingRect().width(), 30, 1e-3);
}

TEST(GDIPlusBrushes, GradientFillPaintsAndGivesTheBrushBack)
{
  TGDIPlusBuffer B(100, 40);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Brush()->SetColor(clYellow);
  C.GradientFill(TRect{0, 0, 100, 40}, clRed, clBlue, gdLeftRight);
  EXPECT_LE(ColorDistance(B.Pixel(1, 20), clBlue), 8);
  EXPECT_LE(ColorDistance(B.Pixel(98, 20), clRed), 8);
  EXPECT_FALSE(C.IsGradientVisible());
  C.FillRect(TRect{0, 0, 10, 10});
  EXPECT_EQ(B.Pixel(5, 5), clYellow);
}

namespace {
// Records the polygons and gradient outlines of a lighting pass.
class TLightingCanvas : public TGDIPlusCanvas {
public:
  struct TFill {
    TPointFloatArray Points;
    size_t Outline = 0;
    TGradientDirection Direction = gdTopBottom;
  };
  std::vector<TFill> Fills;
  void PolygonFloat(std::span<const TPointFloat> P) override
  {
    Fills.push_back(TFill{TPointFloatArray(P.begin(), P.end()), IGradientPolygon.size(), Gradient()->Direction()});
    TGDIPlusCanvas::PolygonFloat(P);
  }
};
} // namespace

TEST(GDIPlusLighting, SideHighlightCoversTheBandPart)
{
  struct TCase {
    int32_t Start, End;
    int32_t SidePoints; // 0: no side highlight
  } Cases[] = {{300, 320, 2 * 21}, {10, 200, 0}, {250, 300, 2 * 6}, {280, 350, 2 * 41}};
  const TRect R0{0, 0, 100, 60}, R1{0, 10, 100, 70};
  for (const TEdgeStyle Edge : {edFlat, edCurved}) {
    for (const TCase& T : Cases) {
      TLightingCanvas C;
      C.Pen()->SetStyle(psSolid);
      C.Gradient()->SetDirection(gdLeftRight);
      C.DrawLighting(Edge, 0, R0, R1, TRect{}, T.Start, T.End, TPoint{50, 30}, false);
      ASSERT_EQ(C.Fills.size(), T.SidePoints ? 2u : 1u) << T.Start;
      EXPECT_EQ(C.Fills[0].Points.size(), size_t(1 + T.End - T.Start + 1));
      EXPECT_EQ(C.Fills[0].Outline, 361u);
      EXPECT_EQ(C.Fills[0].Direction, gdRadial);
      if (T.SidePoints) {
        EXPECT_EQ(C.Fills[1].Points.size(), size_t(T.SidePoints)) << T.Start;
        EXPECT_EQ(C.Fills[1].Outline, 82u);
        EXPECT_EQ(C.Fills[1].Direction, Edge == edFlat ? gdTopBottom : gdRadial);
      }
      // Everything given back.
      EXPECT_TRUE(C.IGradientPolygon.empty());
      EXPECT_EQ(C.Pen()->Style(), psSolid);
      EXPECT_EQ(C.Gradient()->Direction(), gdLeftRight);
    }
  }
  TLightingCanvas None;
  None.DrawLighting(edNone, 0, R0, R1, TRect{}, 300, 320, TPoint{50, 30}, false);
  EXPECT_EQ(None.Fills.size(), 1u);
}

TEST(GDIPlusLighting, DonutTopHighlightRunsAlongBothEdges)
{
  TLightingCanvas C;
  const TRect R0{0, 0, 100, 60}, Hole{30, 18, 70, 42};
  C.DrawLighting(edNone, 0, R0, R0, Hole, 0, 90, TPoint{50, 30}, true);
  ASSERT_EQ(C.Fills.size(), 1u);
  const TPointFloatArray& P = C.Fills[0].Points;
  ASSERT_EQ(P.size(), 2u * 91);
  EXPECT_NE(P.front(), (TPointFloat{50, 30}));
  EXPECT_NEAR(P.front().x, 100, 0.5); // outer edge at 0 degrees
  EXPECT_NEAR(P.back().x, 70, 0.5);   // hole edge at 0 degrees
}

TEST(GDIPlusShadows, SmoothShadowReachesItsColourByTheBlur)
{
  struct TCase {
    int32_t Blur;
    int32_t LightAt, FullAt; // distance from the edge, pixels of 100 to the centre
  } Cases[] = {{0, 4, 12}, {100, 20, 33}};
  for (const TCase& T : Cases) {
    TGDIPlusBuffer B(200, 200);
    TGDIPlusCanvas& C = *B.Canvas;
    TZuzShadow S;
    S.SetColor(clBlack);
    S.SetSmooth(true);
    S.SetSmoothBlur(T.Blur);
    C.SmoothShadow(&S, TRect{0, 0, 200, 200}, false, 0, {}, 0, 0, 360);
    EXPECT_GT(GetRValue(B.Pixel(T.LightAt, 100)), 40) << T.Blur;
    EXPECT_LT(GetRValue(B.Pixel(T.FullAt, 100)), 8) << T.Blur;
    EXPECT_LT(GetRValue(B.Pixel(100, 100)), 8);
  }
}

TEST(GDIPlusShadows, PlainShadowShapes)
{
  TGDIPlusBuffer B(120, 60);
  TGDIPlusCanvas& C = *B.Canvas;
  TZuzShadow S;
  S.SetColor(clBlack);
  S.SetSmooth(false);
  S.SetTransparency(0);
  // A rectangle without a corner size: 4-pixel rounded corners.
  C.SmoothShadow(&S, TRect{10, 10, 50, 50}, false, 0, {}, 0, 0, 360);
  EXPECT_GT(GetRValue(B.Pixel(10, 10)), 120); // a square corner would be black
  EXPECT_EQ(B.Pixel(14, 14), clBlack);
  EXPECT_EQ(B.Pixel(30, 10), clBlack);
  // An ellipse slice.
  C.SmoothShadow(&S, TRect{60, 10, 100, 50}, true, 0, {}, 0, 0, 90);
  EXPECT_EQ(B.Pixel(90, 20), clBlack);
  EXPECT_EQ(B.Pixel(70, 40), clWhite);
  // The shadow's transparency applies.
  S.SetTransparency(50);
  C.SmoothShadow(&S, TRect{104, 10, 118, 50}, false, 2, {}, 0, 0, 360);
  EXPECT_LE(ColorDistance(B.Pixel(110, 30), RGBColor(128, 128, 128)), 2);
}

TEST(GDIPlusBrushes, PictureBrushTilesFromTheOriginWithTheCanvasAlpha)
{
  // A 4 x 4 picture, red on its left half: the fill repeats it from the
  // device origin, and a blend fades it like any other brush.
  TBitmap Pic(4, 4);
  Pic.Canvas()->Brush()->SetColor(clRed);
  Pic.Canvas()->FillRect(TRect{0, 0, 2, 4});
  TGDIPlusBuffer B(60, 20);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Pen()->Hide();
  C.Brush()->SetColor(clBlack);
  C.FillRect(TRect{0, 0, 60, 20});
  C.Brush()->SetColor(clYellow); // a picture wins over the colour
  C.Brush()->Image()->SetGraphic(&Pic);
  C.Rectangle(10, 0, 30, 20);
  auto Blend = C.BeginBlending(TRect{}, 50);
  C.Rectangle(40, 0, 60, 20);
  C.EndBlending(std::move(Blend));
  EXPECT_EQ(B.Pixel(12, 5), clRed);
  EXPECT_EQ(B.Pixel(14, 5), clWhite);
  EXPECT_EQ(B.Pixel(27, 5), clWhite);
  EXPECT_EQ(B.Pixel(8, 5), clBlack);
  EXPECT_LE(ColorDistance(B.Pixel(44, 5), RGBColor(128, 0, 0)), 2);
  EXPECT_LE(ColorDistance(B.Pixel(46, 5), RGBColor(128, 128, 128)), 2);
  // Without the picture the brush is its colour again.
  C.Brush()->SetImage(nullptr);
  C.Rectangle(0, 0, 5, 5);
  EXPECT_EQ(B.Pixel(2, 2), clYellow);
}

TEST(GDIPlusBrushes, GradientPenRunsAcrossTheWholeShape)
{
  // The pen's gradient is laid over the shape's box widened by half the pen
  // width: its outline runs from one end colour to the other.
  TGDIPlusBuffer B(80, 70);
  TGDIPlusCanvas& C = *B.Canvas;
  C.Brush()->SetStyle(bsClear);
  C.Pen()->SetWidth(6);
  TZuzGradient* G = C.Pen()->Fill()->Gradient();
  G->SetVisible(true);
  G->SetDirection(gdLeftRight);
  G->SetStartColor(clRed);
  G->SetEndColor(clBlue);
  C.Rectangle(10, 10, 70, 50);
  const TPoint Zig[3] = {{10, 60}, {40, 65}, {70, 60}};
  C.Polyline(Zig);
  // Left to right from the last stop to the first, as for brushes.
  for (const int32_t Y : {30, 60}) {
    EXPECT_LE(ColorDistance(B.Pixel(10, Y), clBlue), 48) << Y;
    EXPECT_LE(ColorDistance(B.Pixel(70, Y), clRed), 48) << Y;
    const TColor Mid = B.Pixel(40, Y == 30 ? 10 : 62);
    EXPECT_GT(GetRValue(Mid), 60) << Y;
    EXPECT_GT(GetBValue(Mid), 60) << Y;
  }
}
