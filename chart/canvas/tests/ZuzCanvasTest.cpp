// The canvas interface: operations built on the slots, attribute
// propagation to the device and the transparency stack.
#include "RecordingCanvas.h"
#include "TestSupport.h"

#include "platform/Canvas.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(ZuzCanvasArrows, PointsOfAnArrow)
{
  TRecordingCanvas C;
  const struct {
    TPoint From, To;
    int32_t Width, Height;
    TPointArray Want;
  } Cases[] = {
      {{0, 0}, {100, 0}, 20, 10, {{0, 5}, {0, -5}, {90, -5}, {90, -10}, {100, 0}, {90, 10}, {90, 5}}},
      // The head is cut to the arrow's length.
      {{0, 0}, {100, 0}, 20, 500, {{0, 5}, {0, -5}, {0, -5}, {0, -10}, {100, 0}, {0, 10}, {0, 5}}},
      // Pointing up the screen.
      {{0, 0}, {0, -100}, 20, 10, {{5, 0}, {-5, 0}, {-5, -90}, {-10, -90}, {0, -100}, {10, -90}, {5, -90}}},
      {{7, 7}, {7, 7}, 20, 10, {}},
  };
  for (const auto& T : Cases)
    EXPECT_EQ(C.GetArrowPoints(50, T.From, T.To, T.Width, T.Height), T.Want) << T.To.X << "," << T.To.Y;
}

TEST(ZuzCanvasArrows, DrawnAsPolygonOrLines)
{
  TRecordingCanvas C;
  C.Arrow(true, 50.0, Point(0, 0), Point(100, 0), 20, 10);
  EXPECT_EQ(C.Log, QStringList({"Polygon(0 5,0 -5,90 -5,90 -10,100 0,90 10,90 5)"}));
  C.Log.clear();
  C.Arrow(false, 50.0, Point(0, 0), Point(100, 0), 20, 10);
  EXPECT_EQ(C.Log, QStringList({"MoveTo(0,0)", "LineTo(100,0)", "LineTo(90,10)", "MoveTo(100,0)", "LineTo(90,-10)"}));
  C.Log.clear();
  C.Arrow(true, 50.0, Point(3, 3), Point(3, 3), 20, 10);
  EXPECT_TRUE(C.Log.isEmpty());
}

TEST(ZuzCanvasArcs, ByAnglesRunCounterClockwiseFromTheSmallerAngle)
{
  TRecordingCanvas C;
  C.Arc(0, 0, 100, 50, 0.0f, 90.0f);
  C.Arc(0, 0, 100, 50, 90.0f, 0.0f);
  EXPECT_EQ(C.Log, QStringList({"Arc(0,0,100,50,100,25,50,0)", "Arc(0,0,100,50,100,25,50,0)"}));

  const struct {
    int32_t X, Y;
    float Angle;
  } Radials[] = {{100, 50, 0}, {50, 0, 90}, {0, 50, 180}, {50, 100, 270}, {100, 0, 45}};
  for (const auto& R : Radials) {
    float S = -1, E = -1;
    TZuzCanvas::CalcArcAngles(0, 0, 100, 100, R.X, R.Y, 100, 50, S, E);
    EXPECT_NEAR(S, R.Angle, 1e-4) << R.X << "," << R.Y;
    EXPECT_NEAR(E, 0, 1e-4);
  }
}

TEST(ZuzCanvasPolygons, Convexity)
{
  const struct {
    const char* Name;
    TPointArray P;
    bool Convex;
  } Cases[] = {
      {"triangle", {{0, 0}, {10, 0}, {0, 10}}, true},
      {"collinear", {{0, 0}, {5, 5}, {10, 10}}, false},
      {"square clockwise", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true},
      {"square counter-clockwise", {{0, 0}, {0, 10}, {10, 10}, {10, 0}}, true},
      {"L shape", {{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}}, false},
      {"two points", {{0, 0}, {10, 0}}, false},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(TZuzCanvas::IsConvexPolygon(C.P), C.Convex) << C.Name;
    TPointFloatArray F;
    for (const TPoint& P : C.P)
      F.push_back(TPointFloat{float(P.X), float(P.Y)});
    EXPECT_EQ(TZuzCanvas::IsConvexPolygon(F), C.Convex) << C.Name << " (floating)";
  }
}

TEST(ZuzCanvasColors, SystemColorsAndAlpha)
{
  EXPECT_EQ(TZuzCanvas::SystemColor(clNone), 0u);
  EXPECT_EQ(TZuzCanvas::SystemColor(0x123456), 0x123456u);
  EXPECT_EQ(TZuzCanvas::SystemColor(clBtnFace), 0xF0F0F0u);
  EXPECT_EQ(TZuzCanvas::SystemColor(clWindowText), 0u);
  EXPECT_EQ(TZuzCanvas::ColorFrom(0x123456, 0x80), 0x80123456u);
  EXPECT_EQ(TZuzCanvas::ColorAlpha(0x80123456), 0x80);
  const TRGB R = TZuzCanvas::RGBValue(0x123456);
  EXPECT_EQ(R.Red, 0x56);
  EXPECT_EQ(R.Green, 0x34);
  EXPECT_EQ(R.Blue, 0x12);
}

TEST(ZuzCanvasBlending, NestedLevelsMultiplyOpacity)
{
  TBufferedCanvas B(20, 20);
  TZuzCanvas3D& C = *B.Canvas;
  EXPECT_EQ(C.Transparency, 0);
  auto Outer = C.BeginBlending(TRect{0, 0, 10, 10}, 50);
  EXPECT_EQ(C.Transparency, 50);
  auto Inner = C.BeginBlending(TRect{0, 0, 10, 10}, 50);
  EXPECT_EQ(C.Transparency, 75);
  C.EndBlending(std::move(Inner));
  EXPECT_EQ(C.Transparency, 50);
  C.EndBlending(std::move(Outer));
  EXPECT_EQ(C.Transparency, 0);

  C.PushTransp();
  C.EndBlending(nullptr);
  EXPECT_EQ(C.Transparency, 0);
  try {
    C.PopTransp();
    FAIL() << "no exception";
  } catch (const EInvalidOperation& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Canvas Transparency Stack might be corrupt"));
  }
}

TEST(ZuzCanvasBlending, BlendedDrawingMixesWithTheBackground)
{
  TBufferedCanvas B(20, 20);
  TZuzCanvas3D& C = *B.Canvas;
  C.Brush()->SetColor(clWhite);
  C.FillRect(TRect{0, 0, 20, 20});
  auto Blend = C.BeginBlending(TRect{0, 0, 10, 10}, 50);
  C.Brush()->SetColor(clBlack);
  C.FillRect(TRect{0, 0, 20, 20});
  C.EndBlending(std::move(Blend));
  const TColor Mixed = B.Pixel(5, 5);
  EXPECT_NEAR(GetRValue(Mixed), 127, 2);
  EXPECT_NEAR(GetBValue(Mixed), 127, 2);
  EXPECT_EQ(B.Pixel(15, 15), clBlack); // outside the blended rectangle
}

TEST(ZuzCanvasAttributes, InvisiblePenClearsOnlyTheStyle)
{
  TRecordingCanvas C;
  C.Pen()->SetColor(clRed);
  C.Pen()->SetWidth(3);
  TZuzPen Hidden;
  Hidden.Hide();
  Hidden.SetColor(clBlue);
  Hidden.SetWidth(7);
  C.AssignVisiblePen(&Hidden);
  EXPECT_EQ(C.Pen()->Style(), psClear);
  EXPECT_EQ(C.Pen()->Color(), clRed);
  EXPECT_EQ(C.Pen()->Width(), 3);

  TZuzPen Visible;
  Visible.SetWidth(2);
  C.AssignVisiblePenColor(&Visible, clLime);
  EXPECT_EQ(C.Pen()->Color(), clLime);
  EXPECT_EQ(C.Pen()->Width(), 2);
  C.SetMonochrome(true);
  C.AssignVisiblePenColor(&Visible, clLime);
  EXPECT_EQ(C.Pen()->Color(), clBlack);
}

TEST(ZuzCanvasAttributes, AssignBrushColours)
{
  TRecordingCanvas C;
  TZuzBrush B;
  B.SetColor(clRed);
  B.SetBackColor(clBlue);
  // The brush as it is.
  C.AssignBrush(&B);
  EXPECT_EQ(C.Brush()->Color(), clRed);
  EXPECT_EQ(C.Brush()->BackColor(), clBlue);
  // The given colour fills; the brush colour goes to the hatch gaps.
  C.AssignBrush(&B, clLime);
  EXPECT_EQ(C.Brush()->Color(), clLime);
  EXPECT_EQ(C.Brush()->BackColor(), clRed);
  C.AssignBrushColor(&B, clYellow, clAqua);
  EXPECT_EQ(C.Brush()->Color(), clYellow);
  EXPECT_EQ(C.Brush()->BackColor(), clAqua);
  C.SetMonochrome(true);
  C.AssignBrushColor(&B, clYellow, clAqua);
  EXPECT_EQ(C.Brush()->Color(), clWhite);
  B.SetStyle(bsClear);
  C.AssignBrushColor(&B, clYellow, clAqua);
  EXPECT_EQ(C.Brush()->Style(), bsClear);
}

TEST(ZuzCanvasAttributes, TextSizeGrowsByVisibleShadows)
{
  TRecordingCanvas C;
  EXPECT_EQ(C.TextSize(QStringLiteral("x")), (TPointFloat{0, 0}));
  C.Font()->Shadow()->SetHorizSize(-3);
  C.Font()->Shadow()->SetVertSize(5);
  EXPECT_EQ(C.TextSize(QStringLiteral("x")), (TPointFloat{3, 5}));
  C.Font()->Emboss()->SetSize(2);
  EXPECT_EQ(C.TextWidth(QStringLiteral("x")), 3); // the emboss is hidden
  C.Font()->Emboss()->Show();
  EXPECT_EQ(C.TextSize(QStringLiteral("x")), (TPointFloat{5, 7}));
  C.Font()->Shadow()->Hide();
  EXPECT_EQ(C.TextHeight(QStringLiteral("x")), 2);
}

TEST(ZuzCanvasAttributes, FontZoomScalesAssignedFonts)
{
  TBufferedCanvas B(10, 10);
  TZuzFont F;
  F.SetSize(8);
  B.Canvas->AssignFont(&F);
  EXPECT_FLOAT_EQ(B.Canvas->Font()->SizeFloat(), 8);
  B.Canvas->SetFontZoom(150);
  B.Canvas->AssignFont(&F);
  EXPECT_FLOAT_EQ(B.Canvas->Font()->SizeFloat(), 12);
  EXPECT_EQ(B.Canvas->ReferenceCanvas()->Font()->Size(), 12);
}

TEST(ZuzCanvasAttributes, BrushChangesSetTheDeviceBackground)
{
  TBufferedCanvas B(10, 10);
  TZuzCanvas3D& C = *B.Canvas;
  C.Brush()->SetBackColor(clRed);
  C.Brush()->SetStyle(bsCross);
  EXPECT_EQ(C.GetBackMode(), cbmOpaque);
  EXPECT_EQ(C.GetBackColor(), clRed);
  EXPECT_EQ(C.ReferenceCanvas()->Brush()->Style(), bsCross);
  C.Brush()->SetBackColor(clNone);
  EXPECT_EQ(C.GetBackMode(), cbmTransparent);
  C.SetBackMode(cbmOpaque);
  C.Brush()->SetStyle(bsSolid);
  EXPECT_EQ(C.GetBackMode(), cbmTransparent); // BackColor is still none
}

TEST(ZuzCanvasAttributes, PenChangesBuildTheDevicePen)
{
  TBufferedCanvas B(10, 10);
  TZuzCanvas3D& C = *B.Canvas;
  TPen* Device = C.ReferenceCanvas()->Pen();
  C.Pen()->SetSmallSpace(2);
  C.Pen()->SetSmallDots(true);
  ASSERT_NE(Device->Handle(), nullptr);
  EXPECT_EQ(Device->Handle()->UserStyle, (std::vector<uint32_t>{0, 3}));
  C.Pen()->SetSmallSpace(0);
  ASSERT_NE(Device->Handle(), nullptr);
  EXPECT_EQ(Device->Handle()->Style, psAlternate);

  C.Pen()->SetSmallDots(false);
  C.Pen()->SetWidth(4);
  C.Pen()->SetEndStyle(esFlat);
  C.Pen()->SetJoinStyle(jsBevel);
  ASSERT_NE(Device->Handle(), nullptr);
  EXPECT_TRUE(Device->Handle()->Geometric);
  EXPECT_EQ(Device->Handle()->EndCap, esFlat);
  EXPECT_EQ(Device->Handle()->Join, jsBevel);
  EXPECT_EQ(Device->Handle()->Width, 4);

  C.Pen()->SetWidth(1);
  EXPECT_EQ(Device->Handle(), nullptr);
  C.Pen()->Hide();
  EXPECT_EQ(Device->Style(), psClear);
}

TEST(ZuzCanvasOperations, Frame3DDrawsBevelsAndShrinksTheRectangle)
{
  TRecordingCanvas C;
  TRect R{0, 0, 10, 10};
  C.Frame3D(R, clWhite, clGray, 2);
  EXPECT_EQ(C.Log, QStringList({"Polyline(0 9,0 0,9 0)", "Polyline(9 0,9 9,-1 9)", "Polyline(1 8,1 1,8 1)",
                                "Polyline(8 1,8 8,0 8)"}));
  EXPECT_EQ(R, (TRect{2, 2, 8, 8}));
}

TEST(ZuzCanvasOperations, ResetStateReturnsToDefaults)
{
  TBufferedCanvas B(10, 10);
  TZuzCanvas3D& C = *B.Canvas;
  C.Pen()->SetColor(clRed);
  C.Pen()->SetWidth(3);
  C.Brush()->SetStyle(bsClear);
  C.Font()->SetName(QStringLiteral("Courier"));
  C.Gradient()->SetVisible(true);
  C.SetTextAlign(TA_RIGHT);
  C.ResetState();
  EXPECT_EQ(C.Pen()->Color(), clBlack);
  EXPECT_EQ(C.Pen()->Width(), 1);
  EXPECT_EQ(C.Brush()->Color(), clWhite);
  EXPECT_EQ(C.Brush()->Style(), bsSolid);
  EXPECT_EQ(C.Font()->Name(), ZuzFontDefaultName);
  EXPECT_EQ(C.Font()->Size(), ZuzFontDefaultSize);
  EXPECT_FALSE(C.Gradient()->Visible());
  EXPECT_EQ(C.GetTextAlign(), 0);
  EXPECT_EQ(C.GetBackMode(), cbmTransparent);
}
