// The anti-aliased canvas compared with golden images in tests/data
// (regenerate deliberately with FATHOMIX_REGENERATE_GOLDEN=1). Edges are
// anti-aliased, so a small per-pixel tolerance and a few differing pixels
// are allowed.
#include "GDIPlusTestSupport.h"
#include "TestSupport.h"

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"

#include <gtest/gtest.h>

namespace {
constexpr int Tolerance = 24;
} // namespace

TEST(GDIPlusGolden, LinesShapesAndHatches)
{
  TGDIPlusBuffer B(240, 180);
  TGDIPlusCanvas& C = *B.Canvas;
  const TPenStyle Styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
  for (int i = 0; i < 5; ++i) {
    C.Pen()->SetStyle(Styles[i]);
    C.Line(5, 5 + i * 5, 95, 5 + i * 5);
  }
  C.Pen()->SetStyle(psSolid);
  C.Pen()->SetWidth(6);
  const TPenEndStyle Ends[] = {esRound, esSquare, esFlat};
  for (int i = 0; i < 3; ++i) {
    C.Pen()->SetEndStyle(Ends[i]);
    C.Line(110 + i * 40, 8, 135 + i * 40, 22);
  }
  C.Pen()->SetWidth(1);
  C.Pen()->SetEndStyle(esRound);

  C.Brush()->SetColor(clYellow);
  C.Rectangle(5, 35, 45, 65);
  C.Brush()->SetColor(clAqua);
  C.Ellipse(50, 35, 95, 65);
  C.Brush()->SetColor(clFuchsia);
  C.RoundRect(100, 35, 145, 65, 16, 12);
  C.Brush()->SetColor(clLime);
  const TPoint Star[5] = {{170, 35}, {190, 65}, {150, 45}, {190, 45}, {150, 65}};
  C.Polygon(Star);
  C.Brush()->SetColor(clSilver);
  const TPoint Wave[5] = {{200, 65}, {210, 35}, {220, 60}, {230, 38}, {236, 65}};
  C.Curve(Wave, 0.5f, true, 0);

  C.Brush()->SetColor(clRed);
  C.Pie(TRect{5, 75, 55, 125}, 30, 300);
  C.Pen()->SetWidth(2);
  C.Arc(60, 75, 110, 125, 45.0f, 225.0f);
  C.Pen()->SetWidth(1);
  C.Brush()->SetColor(clBlue);
  C.Donut(140, 100, 25, 25, 90, 360, 40);
  // Overlapping half-transparent discs.
  C.Pen()->Hide();
  const TColor Discs[3] = {clRed, clLime, clBlue};
  for (int i = 0; i < 3; ++i) {
    C.Brush()->SetColor(Discs[i]);
    auto Blend = C.BeginBlending(TRect{}, 50);
    C.Ellipse(180 + (i % 2) * 18, 75 + (i / 2) * 16, 215 + (i % 2) * 18, 110 + (i / 2) * 16);
    C.EndBlending(std::move(Blend));
  }
  C.Pen()->Show();

  // Twelve of the hatch patterns, on a back colour and without.
  const THatchStyle Hatches[] = {hsHorizontal,     hsDiagonalCross, hs20Percent, hs50Percent, hsDarkUpwardDiagonal,
                                 hsDashedVertical, hsZigZag,        hsWave,      hsWeave,     hsDottedDiamond,
                                 hsSphere,         hsSolidDiamond};
  for (int i = 0; i < 12; ++i) {
    C.Brush()->SetHatchStyle(Hatches[i]);
    C.Brush()->SetStyle(bsDiagCross);
    C.Brush()->SetColor(clNavy);
    C.Brush()->SetBackColor(i % 2 ? clSilver : clNone);
    C.Rectangle(5 + i * 19, 140, 22 + i * 19, 175);
  }
  EXPECT_GOLDEN(B.Image(), QStringLiteral("gdiplus_shapes"), Tolerance, 60);
}

TEST(GDIPlusGolden, GradientsLightingAndShadows)
{
  TGDIPlusBuffer B(260, 190);
  TGDIPlusCanvas& C = *B.Canvas;
  const TGradientDirection Dirs[] = {gdTopBottom,   gdBottomTop,      gdLeftRight, gdRightLeft,  gdFromCenter,
                                     gdFromTopLeft, gdFromBottomLeft, gdRadial,    gdDiagonalUp, gdDiagonalDown};
  for (int i = 0; i < 10; ++i) {
    const int X = 5 + (i % 5) * 50, Y = 5 + (i / 5) * 40;
    C.GradientFill(TRect{X, Y, X + 45, Y + 35}, clRed, clBlue, Dirs[i]);
  }
  // A three-stop gradient at an angle, with a transparent middle.
  TZuzGradient* G = C.Gradient();
  G->SetVisible(true);
  G->SetDirection(gdLeftRight);
  G->SetAngle(30);
  G->Colors()->Clear();
  G->Colors()->Add(0, clYellow, 0);
  G->Colors()->Add(0.5, clGreen, 60);
  G->Colors()->Add(1, clNavy, 0);
  C.Pen()->Hide();
  C.Rectangle(5, 90, 125, 120);
  // A pie slice with its lighting.
  G->SetAngle(0);
  G->SetVisible(false);
  C.Brush()->SetColor(clTeal);
  const TRect Pie{140, 85, 250, 135};
  C.Pie(Pie, 200, 340);
  C.DrawLighting(edCurved, 0, Pie, TRect{140, 90, 250, 140}, TRect{}, 200, 340, TPoint{195, 110}, false);
  // Smooth and plain shadows.
  TZuzShadow S;
  S.SetColor(clBlack);
  S.SetSmooth(true);
  S.SetSmoothBlur(50);
  C.SmoothShadow(&S, TRect{10, 135, 80, 180}, false, 0, {}, 0, 0, 360);
  C.SmoothShadow(&S, TRect{90, 135, 160, 185}, true, 0, {}, 0, 0, 360);
  S.SetSmooth(false);
  S.SetTransparency(60);
  C.SmoothShadow(&S, TRect{170, 140, 250, 185}, true, 0, {}, 50, 30, 300);
  EXPECT_GOLDEN(B.Image(), QStringLiteral("gdiplus_gradients"), Tolerance, 60);
}

TEST(GDIPlusGolden, Text)
{
  TGDIPlusBuffer B(260, 170);
  TGDIPlusCanvas& C = *B.Canvas;
  C.SetBackMode(cbmTransparent);
  C.Font()->SetSize(10);
  C.TextOut(5, 5, QStringLiteral("Sound velocity 1500.0 m/s"));
  C.Font()->SetSize(14);
  C.Font()->SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsItalic));
  C.Font()->SetColor(clNavy);
  C.TextOut(5, 22, QStringLiteral("Depth 12.5 m"));
  C.Font()->SetStyle(0);
  C.Font()->Shadow()->SetColor(clSilver);
  C.Font()->Shadow()->SetSize(2);
  C.Font()->Shadow()->SetSmooth(false);
  C.Font()->SetColor(clMaroon);
  C.TextOut(5, 45, QStringLiteral("Shadowed"));
  C.Font()->Shadow()->SetSize(0);
  C.Font()->SetSize(20);
  C.Font()->OutLine()->SetVisible(true);
  C.Font()->OutLine()->SetColor(clRed);
  C.Font()->SetColor(clYellow);
  C.TextOut(5, 68, QStringLiteral("Outline"));
  C.Font()->OutLine()->SetVisible(false);
  C.Font()->SetSize(18);
  C.Font()->Brush()->Gradient()->SetVisible(true);
  C.Font()->Brush()->Gradient()->SetDirection(gdLeftRight);
  C.Font()->Brush()->Gradient()->SetStartColor(clRed);
  C.Font()->Brush()->Gradient()->SetEndColor(clBlue);
  C.TextOut(5, 100, QStringLiteral("Gradient text"));
  C.Font()->Brush()->Gradient()->SetVisible(false);
  C.Font()->SetSize(10);
  C.Font()->SetColor(clBlack);
  C.RotateLabel(240, 160, QStringLiteral("Rotated label"), 90);
  C.RotateLabel(200, 60, QStringLiteral("45 degrees"), 45);
  C.TZuzCanvas::TextOut(5, 135,
                        QStringLiteral("<b>Bold</b>, <i>italic</i>, <font color=red size=+3>big red</font>, "
                                       "x<sup>2</sup>"),
                        true);
  EXPECT_GOLDEN(B.Image(), QStringLiteral("gdiplus_text"), Tolerance, 80);
}
