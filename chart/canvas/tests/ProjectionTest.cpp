// The 3D projection: view set-up, integer and floating projection, its
// inverse, rotation switching and the operations built on it.
#include "RecordingCanvas.h"

#include "platform/Canvas.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
struct TView {
  bool Orthogonal = false;
  int32_t OrthoAngle = 45;
  double Rotation = 0, Elevation = 0, Tilt = 0;
  int32_t Perspective = 0, Zoom = 100;
  double HorizOffset = 0, VertOffset = 0;
};

// A canvas set up for one paint of the given view over Rect.
struct TProjected {
  TProjected(const TView& V, bool Is3D, const TRect& Rect = TRect{0, 0, 200, 100}, int32_t MaxDepth = 100)
      : Options(nullptr)
  {
    Options.SetOrthogonal(V.Orthogonal);
    Options.SetOrthoAngle(V.OrthoAngle);
    Options.SetRotationFloat(V.Rotation);
    Options.SetElevationFloat(V.Elevation);
    Options.SetTiltFloat(V.Tilt);
    Options.SetPerspective(V.Perspective);
    Options.SetZoom(V.Zoom);
    Options.SetHorizOffsetFloat(V.HorizOffset);
    Options.SetVertOffsetFloat(V.VertOffset);
    Canvas.SetUseBuffer(false);
    Canvas.InitWindow(&Device, &Options, clWhite, Is3D, Rect);
    Canvas.Projection(MaxDepth, Rect, Rect);
  }
  TView3DOptions Options;
  TCanvas Device;
  TZuzCanvas3D Canvas;
};
} // namespace

TEST(Projection, IntegerProjectionOfViews)
{
  const struct {
    const char* Name;
    TView View;
    bool Is3D;
    TPoint3D In;
    TPoint Want;
  } Cases[] = {
      {"2D ignores offsets", {.HorizOffset = 10}, false, {30, 40, 99}, {30, 40}},
      {"orthogonal 45", {.Orthogonal = true}, true, {100, 50, 10}, {110, 40}},
      {"orthogonal 45 at depth 0", {.Orthogonal = true}, true, {120, 30, 0}, {120, 30}},
      {"orthogonal 135", {.Orthogonal = true, .OrthoAngle = 135}, true, {100, 50, 10}, {90, 40}},
      {"orthogonal 90", {.Orthogonal = true, .OrthoAngle = 90}, true, {100, 50, 10}, {110, 40}},
      {"orthogonal zoom 200", {.Orthogonal = true, .Zoom = 200}, true, {150, 50, 0}, {200, 50}},
      {"orthogonal offsets", {.Orthogonal = true, .HorizOffset = 7, .VertOffset = -3}, true, {100, 50, 0}, {107, 47}},
      {"neutral 3D ignores depth", {}, true, {30, 70, 90}, {30, 70}},
      {"neutral 3D with offset", {.HorizOffset = 7}, true, {30, 70, 0}, {37, 70}},
      {"rotation 90", {.Rotation = 90}, true, {150, 50, 80}, {70, 50}},
      {"elevation 90", {.Elevation = 90}, true, {100, 50, 80}, {100, 80}},
      {"tilt 90", {.Tilt = 90}, true, {110, 70, 0}, {80, 60}},
      {"zoom 50", {.Zoom = 50}, true, {140, 90, 0}, {120, 70}},
  };
  for (const auto& C : Cases) {
    TProjected P(C.View, C.Is3D);
    EXPECT_EQ(P.Canvas.Calculate3DPosition(C.In.x, C.In.y, C.In.z), C.Want) << C.Name;
  }
}

TEST(Projection, Perspective)
{
  // A chart rectangle of no width takes width 1: the perspective factor is
  // Perspective / 120 per unit of depth.
  const TRect Narrow{50, 0, 50, 100};
  TProjected With(TView{.Perspective = 12}, true, Narrow);
  TProjected Without(TView{.Perspective = 0}, true, Narrow);
  EXPECT_EQ(With.Canvas.Calculate3DPosition(60, 50, 60), Point(55, 50));
  EXPECT_EQ(Without.Canvas.Calculate3DPosition(60, 50, 60), Point(60, 50));
  // Halves go to the even neighbour.
  TProjected Half(TView{.Zoom = 50}, true);
  EXPECT_EQ(Half.Canvas.Calculate3DPosition(105, 55, 0), Point(102, 52));
  EXPECT_EQ(Half.Canvas.Calculate3DPosition(107, 57, 0), Point(104, 54));
}

TEST(Projection, FloatingProjection)
{
  const struct {
    const char* Name;
    TView View;
    bool Is3D;
    TPointFloat In;
    float Z;
    TPointFloat Want;
  } Cases[] = {
      {"2D adds the offset", {.HorizOffset = 10}, false, {30, 40}, 5, {40, 40}},
      {"orthogonal 45", {.Orthogonal = true}, true, {100, 50}, 10, {110, 40}},
      {"rotation 90 unrounded", {.Rotation = 90}, true, {150.5f, 50}, 80.5f, {69.5f, 50}},
      {"zoom 50 unrounded", {.Zoom = 50}, true, {105, 55}, 0, {102.5f, 52.5f}},
  };
  for (const auto& C : Cases) {
    TProjected P(C.View, C.Is3D);
    TPointFloat Q = C.In;
    P.Canvas.Calculate3DPosition(Q, C.Z);
    EXPECT_NEAR(Q.x, C.Want.x, 1e-3) << C.Name;
    EXPECT_NEAR(Q.y, C.Want.y, 1e-3) << C.Name;
  }
}

TEST(Projection, InverseProjection)
{
  const struct {
    const char* Name;
    TView View;
    TPoint3D Chart;
  } Cases[] = {
      {"orthogonal", {.Orthogonal = true}, {100, 50, 10}},
      {"orthogonal zoomed", {.Orthogonal = true, .Zoom = 200}, {120, 60, 0}},
      {"neutral 3D", {}, {30, 70, 20}},
  };
  for (const auto& C : Cases) {
    TProjected P(C.View, true);
    const TPoint S = P.Canvas.Calculate3DPosition(C.Chart.x, C.Chart.y, C.Chart.z);
    int32_t X = S.X, Y = S.Y;
    P.Canvas.Calculate2DPosition(X, Y, C.Chart.z);
    EXPECT_EQ(Point(X, Y), Point(C.Chart.x, C.Chart.y)) << C.Name;
  }
  // With a rotated view the inverse divides by the view's terms and does
  // not give the chart point back exactly: elevation 30 maps the screen
  // point of (120, 40, 50), which is (120, 41), to (123, 41).
  TProjected E(TView{.Elevation = 30}, true);
  EXPECT_EQ(E.Canvas.Calculate3DPosition(120, 40, 50), Point(120, 41));
  int32_t EX = 120, EY = 41;
  E.Canvas.Calculate2DPosition(EX, EY, 50);
  EXPECT_EQ(Point(EX, EY), Point(123, 41));

  // A zero zoom leaves the point alone.
  TProjected Z(TView{.Orthogonal = true, .Zoom = 0}, true);
  int32_t X = 17, Y = 23;
  Z.Canvas.Calculate2DPosition(X, Y, 5);
  EXPECT_EQ(Point(X, Y), Point(17, 23));
}

TEST(Projection, FrontPlaneDisablesRotationUntilTheLastEnd)
{
  TProjected P(TView{.Rotation = 90}, true);
  const TPoint Rotated = P.Canvas.Calculate3DPosition(150, 50, 80);
  P.Canvas.FrontPlaneBegin();
  P.Canvas.FrontPlaneBegin();
  P.Canvas.FrontPlaneEnd();
  EXPECT_EQ(P.Canvas.Calculate3DPosition(150, 50, 80), Point(150, 50));
  P.Canvas.FrontPlaneEnd();
  EXPECT_EQ(P.Canvas.Calculate3DPosition(150, 50, 80), Rotated);

  // The orthogonal projection stays while rotation is off.
  TProjected O(TView{.Orthogonal = true}, true);
  O.Canvas.FrontPlaneBegin();
  EXPECT_EQ(O.Canvas.Calculate3DPosition(100, 50, 10), Point(110, 40));
  O.Canvas.FrontPlaneEnd();
}

TEST(Projection, PointsOnCirclesAndSpirals)
{
  TProjected P(TView{.Rotation = 90}, true);
  const TRect R{0, 0, 100, 50};
  const TPointFloat Top = P.Canvas.PointFromCircle(R, 90);
  EXPECT_NEAR(Top.x, 50, 1e-4);
  EXPECT_NEAR(Top.y, 0, 1e-4);
  const TPointFloat Bottom = P.Canvas.PointFromCircle(R, 90, 0, true);
  EXPECT_NEAR(Bottom.y, 50, 1e-4);
  // A depth other than 0 goes through the projection.
  const TPointFloat Deep = P.Canvas.PointFromCircle(R, 0, 80);
  EXPECT_NEAR(Deep.x, 70, 1e-3);
  EXPECT_EQ(P.Canvas.PointFromSpiral(R, 0, 0), Point(75, 25));
  EXPECT_EQ(P.Canvas.PointFromSpiral(R, 90, 0), Point(50, 50));
}

TEST(Projection, ArrowPointsInDepth)
{
  TProjected Flat(TView{}, false);
  EXPECT_EQ(Flat.Canvas.GetArrowPoints(50, Point(0, 0), Point(100, 0), 20, 500, 0),
            (TPointArray{{0, 5}, {0, -5}, {0, -5}, {0, -10}, {100, 0}, {0, 10}, {0, 5}}));
  TProjected Ortho(TView{.Orthogonal = true}, true);
  const TPointArray P = Ortho.Canvas.GetArrowPoints(50, Point(0, 0), Point(100, 0), 20, 10, 10);
  ASSERT_EQ(P.size(), 7u);
  EXPECT_EQ(P[4], Point(110, -10));
  EXPECT_EQ(P[0], Point(10, -5));
  EXPECT_TRUE(Ortho.Canvas.GetArrowPoints(50, Point(4, 4), Point(4, 4), 20, 10, 10).empty());
}

TEST(Projection, ShapesBuiltOnTheProjection)
{
  TRecordingCanvas C;
  C.Diamond(0, 0, 10, 20, 4, 8);
  C.RotatedEllipse(0, 0, 10, 10, 0, 30);
  C.Brush()->SetStyle(bsClear);
  C.RotatedEllipse(0, 0, 10, 10, 0, 30);
  C.Pen()->SetStyle(psClear);
  C.RotatedEllipse(0, 0, 10, 10, 0, 30);
  C.RoundRect(TRect{1, 2, 3, 4}, 5, 6, 7, 8);
  C.LineWithZ(1, 2, 3, 4, 5);
  EXPECT_EQ(C.Log, QStringList({"Polygon(5 0,10 10,5 20,0 10)", "PolygonFloat(180)", "PolylineFloat(180)",
                                "RoundRect(1,2,3,4,5,6)", "MoveTo(1,2)", "LineTo(3,4)"}));
}

TEST(Projection, Fonts3DFollowTheZoom)
{
  const struct {
    TCanvasZoomText ZoomText;
    int32_t Zoom;
    float Want;
  } Cases[] = {{ztManual, 200, 16}, {ztNo, 200, 8}, {ztManual, 100, 8}};
  for (const auto& C : Cases) {
    TProjected P(TView{.Zoom = C.Zoom}, true);
    P.Options.SetZoomText(C.ZoomText);
    P.Canvas.InitWindow(&P.Device, &P.Options, clWhite, true, TRect{0, 0, 200, 100});
    TZuzFont F;
    F.SetSize(8);
    P.Canvas.AssignFont3D(&F);
    EXPECT_FLOAT_EQ(P.Canvas.Font()->SizeFloat(), C.Want) << int(C.ZoomText) << " " << C.Zoom;
  }
}
