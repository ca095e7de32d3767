// 3D view options: defaults, limits, repaints and events.
#include "chart/canvas/View3DOptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {
struct TPanelStub : IRepaintTarget {
  int Repaints = 0;
  void Invalidate() override { ++Repaints; }
};
} // namespace

TEST(View3DOptions, NewOptionsHoldTheDeclaredDefaults)
{
  TPanelStub P;
  TView3DOptions V(&P);
  EXPECT_EQ(V.Elevation(), 345);
  EXPECT_EQ(V.FontZoom(), 100);
  EXPECT_EQ(V.HorizOffset(), 0);
  EXPECT_EQ(V.OrthoAngle(), 45);
  EXPECT_TRUE(V.Orthogonal());
  EXPECT_EQ(V.Perspective(), 15);
  EXPECT_EQ(V.Rotation(), 345);
  EXPECT_EQ(V.Tilt(), 0);
  EXPECT_EQ(V.VertOffset(), 0);
  EXPECT_EQ(V.Zoom(), 100);
  EXPECT_EQ(V.ZoomText(), ztManual);
  EXPECT_EQ(V.ZOffset(), 0);
}

TEST(View3DOptions, EveryEffectiveChangeRepaintsOnce)
{
  const std::vector<std::pair<const char*, std::function<void(TView3DOptions&)>>> Setters = {
      {"Elevation", [](TView3DOptions& V) { V.SetElevation(10); }},
      {"FontZoom", [](TView3DOptions& V) { V.SetFontZoom(120); }},
      {"HorizOffset", [](TView3DOptions& V) { V.SetHorizOffset(5); }},
      {"OrthoAngle", [](TView3DOptions& V) { V.SetOrthoAngle(60); }},
      {"Orthogonal", [](TView3DOptions& V) { V.SetOrthogonal(false); }},
      {"Perspective", [](TView3DOptions& V) { V.SetPerspective(30); }},
      {"Rotation", [](TView3DOptions& V) { V.SetRotation(10); }},
      {"Tilt", [](TView3DOptions& V) { V.SetTilt(10); }},
      {"VertOffset", [](TView3DOptions& V) { V.SetVertOffset(5); }},
      {"Zoom", [](TView3DOptions& V) { V.SetZoom(150); }},
      {"ZoomText", [](TView3DOptions& V) { V.SetZoomText(ztAuto); }},
      {"ZOffset", [](TView3DOptions& V) { V.SetZOffset(3); }},
  };
  for (const auto& [Name, Set] : Setters) {
    TPanelStub P;
    TView3DOptions V(&P);
    Set(V);
    EXPECT_EQ(P.Repaints, 1) << Name;
    Set(V);
    EXPECT_EQ(P.Repaints, 1) << Name << " set again";
  }
  TPanelStub P;
  TView3DOptions V(&P);
  V.SetRotation(345);
  V.SetZoomText(static_cast<TCanvasZoomText>(255));
  EXPECT_EQ(P.Repaints, 0);
  EXPECT_EQ(V.ZoomText(), ztManual);
}

TEST(View3DOptions, PerspectiveIsLimitedAbove)
{
  TView3DOptions V(nullptr);
  V.SetPerspective(150);
  EXPECT_EQ(V.Perspective(), 100);
  V.SetPerspective(-5);
  EXPECT_EQ(V.Perspective(), -5);
}

TEST(View3DOptions, RoundingAndBackFaces)
{
  const struct {
    double Rotation;
    bool Orthogonal;
    int32_t Rounded;
    bool BackFaced;
  } Cases[] = {
      {180.5, false, 180, true}, {181.5, false, 182, true}, {90, false, 90, false},  {270, false, 270, false},
      {90.5, false, 90, false},  {91, false, 91, true},     {180, true, 180, false},
  };
  for (const auto& C : Cases) {
    TView3DOptions V(nullptr);
    V.SetOrthogonal(C.Orthogonal);
    V.SetRotationFloat(C.Rotation);
    EXPECT_EQ(V.Rotation(), C.Rounded) << C.Rotation;
    EXPECT_EQ(V.BackFaced(), C.BackFaced) << C.Rotation << " " << C.Orthogonal;
  }
}

TEST(View3DOptions, OrthoRatio)
{
  const struct {
    int32_t Angle;
    bool Orthogonal;
    double Ratio;
  } Cases[] = {
      {45, true, 1}, {120, true, std::tan(60 * M_PI / 180)}, {30, true, std::tan(30 * M_PI / 180)}, {120, false, 1}};
  for (const auto& C : Cases) {
    TView3DOptions V(nullptr);
    V.SetOrthoAngle(C.Angle);
    V.SetOrthogonal(C.Orthogonal);
    EXPECT_NEAR(V.CalcOrthoRatio(), C.Ratio, 1e-12) << C.Angle;
  }
}

TEST(View3DOptions, EventsAroundScrollAndZoom)
{
  TPanelStub P;
  TView3DOptions V(&P);
  std::vector<int> Scrolls;
  V.OnScrolled = [&](bool IsHoriz) { Scrolls.push_back(IsHoriz ? 1 : 0); };
  V.SetHorizOffsetFloat(2.5);
  V.SetVertOffsetFloat(1);
  V.SetZOffset(4);
  EXPECT_EQ(Scrolls, (std::vector<int>{1, 0, 0}));

  int Seen = -1;
  double ZoomWhenCalled = -1;
  V.OnChangedZoom = [&](int32_t NewZoom) {
    Seen = NewZoom;
    ZoomWhenCalled = V.ZoomFloat();
  };
  V.SetZoomFloat(151.5);
  EXPECT_EQ(Seen, 152);
  EXPECT_EQ(ZoomWhenCalled, 100);
  EXPECT_EQ(V.ZoomFloat(), 151.5);
}

TEST(View3DOptions, AssignCopiesThePublishedValuesOnly)
{
  TPanelStub P;
  TView3DOptions Source(nullptr);
  Source.SetRotation(10);
  Source.SetElevation(20);
  Source.SetOrthogonal(false);
  Source.SetZoomText(ztNo);
  Source.SetZOffset(9);
  TView3DOptions Target(&P);
  Target.SetZOffset(3);
  P.Repaints = 0;
  Target.Assign(&Source);
  EXPECT_EQ(P.Repaints, 0);
  EXPECT_EQ(Target.Rotation(), 10);
  EXPECT_EQ(Target.Elevation(), 20);
  EXPECT_FALSE(Target.Orthogonal());
  EXPECT_EQ(Target.ZoomText(), ztNo);
  EXPECT_EQ(Target.ZOffset(), 3);
  EXPECT_EQ(Target.Parent(), &P);
}
