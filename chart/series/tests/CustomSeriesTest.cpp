// The line family's base over a recording canvas: what a line and an area
// draw point by point (nulls, stairs, scrolling, origins), stacking and
// the extents it reports, margins, clicks on segments, points and areas,
// per-point pointers and hover, and the whole-series path with its
// partial display and effects.
#include "chart/series/tests/SeriesTestSupport.h"

#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzSelected.h"
#include "chart/series/AreaSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PointSeries.h"
#include "platform/tests/GoldenImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace {

template <class S>
S* Add(TCustomAxisPanel& C)
{
  auto* Series = new S(&C);
  C.AddSeries(Series);
  return Series;
}

// Adds (X, row) points in pixels.
void AddRows(TPixelChart& C, TChartSeries* S, std::initializer_list<std::pair<double, int>> Points)
{
  for (const auto& [X, Row] : Points)
    S->AddXY(X, C.Y(Row));
}

// A line series that logs each pointer it draws: "x,y" and the colour's
// alpha byte when it has one.
class TPointerLogSeries : public TLineSeries {
public:
  using TLineSeries::TLineSeries;
  void DrawPointer(int32_t AX, int32_t AY, TColor AColor, int32_t ValueIndex) override
  {
    QString S = QStringLiteral("%1:%2,%3").arg(ValueIndex).arg(AX).arg(AY);
    if (AColor >> 24)
      S += QStringLiteral(" a%1").arg(AColor >> 24);
    Pointers << S;
    TLineSeries::DrawPointer(AX, AY, AColor, ValueIndex);
  }
  QStringList Pointers;
};

// A recording canvas that also logs the pen width and colour of lines.
class TPenCanvas : public TRecordingCanvas {
public:
  void LineTo(int32_t X, int32_t Y) override
  {
    TRecordingCanvas::LineTo(X, Y);
    Pens << QStringLiteral("%1 #%2").arg(Pen()->Width()).arg(Pen()->Color(), 6, 16, QLatin1Char('0'));
  }
  QStringList Pens;
};

// A recording canvas that logs the 3D faces, each marked "dark" when its
// brush is the darkened Base colour.
class TFaceCanvas : public TRecordingCanvas {
public:
  void Face(const char* Name)
  {
    Faces << QString::fromLatin1(Name) +
                 (Brush()->Color() == ApplyDark(Base, 64) ? QStringLiteral(" dark") : QString());
  }
  void Plane3D(const TPoint&, const TPoint&, int32_t, int32_t) override { Face("Plane3D"); }
  void PlaneWithZ(const TPoint&, const TPoint&, const TPoint&, const TPoint&, int32_t) override { Face("PlaneWithZ"); }
  void RectangleY(int32_t, int32_t, int32_t, int32_t, int32_t) override { Face("RectangleY"); }
  void RectangleZ(int32_t, int32_t, int32_t, int32_t, int32_t) override { Face("RectangleZ"); }
  void RectangleWithZ(const TRect&, int32_t) override { Face("RectangleWithZ"); }
  TColor Base = clNone;
  QStringList Faces;
};

struct TLineCase {
  const char* Name;
  std::function<void(TPixelChart&, TLineSeries*)> Build;
  QStringList Expected;
};

} // namespace

TEST(CustomSeries, WhatALineDrawsPointByPoint)
{
  const TLineCase Cases[] = {
      {"three points",
       [](TPixelChart& C, TLineSeries* S) {
         AddRows(C, S, {{10, 10}, {20, 30}, {30, 15}});
       },
       {"10,10-20,30", "20,30-30,15"}},
      {"a point on the previous one's pixel draws no segment",
       [](TPixelChart& C, TLineSeries* S) {
         AddRows(C, S, {{10, 10}, {10.2, 10}, {20, 30}});
       },
       {"10,10-20,30"}},
      {"don't-paint: no segment into or out of a null point",
       [](TPixelChart& C, TLineSeries* S) {
         AddRows(C, S, {{10, 10}});
         S->AddNullXY(20, C.Y(20));
         AddRows(C, S, {{30, 30}, {40, 10}});
       },
       {"30,30-40,10"}},
      {"skip: the null point takes the previous position and the line bridges it",
       [](TPixelChart& C, TLineSeries* S) {
         S->SetTreatNulls(tnSkip);
         AddRows(C, S, {{10, 10}});
         S->AddNullXY(20, C.Y(20));
         AddRows(C, S, {{30, 30}, {40, 10}});
       },
       {"10,10-30,30", "30,30-40,10"}},
      {"ignore: the null point is drawn at its value",
       [](TPixelChart& C, TLineSeries* S) {
         S->SetTreatNulls(tnIgnore);
         AddRows(C, S, {{10, 10}});
         S->AddNullXY(20, C.Y(20));
         AddRows(C, S, {{30, 30}});
       },
       {"10,10-20,20", "20,20-30,30"}},
      {"skip: a first null point takes the next point's position",
       [](TPixelChart& C, TLineSeries* S) {
         S->SetTreatNulls(tnSkip);
         S->AddNullXY(10, C.Y(50));
         AddRows(C, S, {{20, 30}, {30, 15}});
       },
       {"20,30-30,15"}},
      {"stairs change at the later point",
       [](TPixelChart& C, TLineSeries* S) {
         S->SetStairs(true);
         AddRows(C, S, {{10, 10}, {20, 30}});
       },
       {"10,10-20,10", "20,10-20,30"}},
      {"inverted stairs change at the earlier point",
       [](TPixelChart& C, TLineSeries* S) {
         S->SetStairs(true);
         S->SetInvertedStairs(true);
         AddRows(C, S, {{10, 10}, {20, 30}});
       },
       {"10,10-10,30", "10,30-20,30"}},
      {"scrolled: the line starts at the chart's edge, cut there",
       [](TPixelChart& C, TLineSeries* S) {
         AddRows(C, S, {{C.R.Left - 20.0, 100}, {C.R.Left + 20.0, 60}});
       },
       {"1,80-21,60"}},
      {"scrolled, stairs: the line starts at the edge at the earlier point's level",
       [](TPixelChart& C, TLineSeries* S) {
         S->SetStairs(true);
         AddRows(C, S, {{C.R.Left - 20.0, 100}, {C.R.Left + 20.0, 60}});
       },
       {"1,100-21,100", "21,100-21,60"}},
  };
  for (const TLineCase& K : Cases) {
    SCOPED_TRACE(K.Name);
    TPixelChart C;
    ASSERT_EQ(C.R.Left, 1);
    auto* S = Add<TLineSeries>(C);
    K.Build(C, S);
    EXPECT_EQ(C.Redraw(), K.Expected);
  }
}

TEST(CustomSeries, WhatIsDrawnIn3D)
{
  struct Case {
    const char* Name;
    bool Area;
    std::function<void(TCustomSeries*)> Build;
    std::initializer_list<std::pair<double, int>> Points;
    QStringList Faces;
  };
  const auto Plain = [](TCustomSeries*) {};
  const Case Cases[] = {
      {"a falling ribbon", false, Plain, {{10, 10}, {20, 30}}, {"Plane3D"}},
      {"a steeply rising ribbon shows its darkened underside", false, Plain, {{10, 150}, {12, 10}}, {"Plane3D dark"}},
      {"without Dark3D it does not",
       false,
       [](TCustomSeries* S) { S->SetDark3D(false); },
       {{10, 150}, {12, 10}},
       {"Plane3D"}},
      {"a line with height: front face, end face, ribbon",
       false,
       [](TCustomSeries* S) { S->SetLineHeight(5); },
       {{10, 10}, {20, 30}},
       {"PlaneWithZ", "RectangleZ", "Plane3D"}},
      {"stairs: tread, then the darkened riser",
       false,
       [](TCustomSeries* S) { S->SetStairs(true); },
       {{10, 10}, {20, 30}},
       {"RectangleY", "RectangleZ dark"}},
      {"inverted stairs: the riser first",
       false,
       [](TCustomSeries* S) {
         S->SetStairs(true);
         S->SetInvertedStairs(true);
       },
       {{10, 10}, {20, 30}},
       {"RectangleZ dark", "RectangleY"}},
      {"an area: top ribbon, darkened end face, front",
       true,
       Plain,
       {{10, 10}, {20, 30}},
       {"Plane3D", "RectangleZ dark", "PlaneWithZ"}},
      {"a stepped area: the step's faces, end face, front rectangle",
       true,
       [](TCustomSeries* S) { S->SetStairs(true); },
       {{10, 10}, {20, 30}},
       {"RectangleY", "RectangleZ dark", "RectangleZ dark", "RectangleWithZ"}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    auto Canvas = std::make_unique<TFaceCanvas>();
    TFaceCanvas* Faces = Canvas.get();
    TPixelChart C(std::move(Canvas));
    C.SetView3D(true);
    TCustomSeries* S = K.Area ? static_cast<TCustomSeries*>(Add<TAreaSeries>(C)) : Add<TLineSeries>(C);
    S->SetSeriesColor(0x40C080);
    Faces->Base = 0x40C080;
    K.Build(S);
    AddRows(C, S, K.Points);
    C.Redraw();
    EXPECT_EQ(Faces->Faces, K.Faces);
  }
}

TEST(CustomSeries, LogarithmicValueAxisCutsTheFirstSegmentInLogarithms)
{
  TPixelChart C;
  C.LeftAxis()->SetLogarithmic(true);
  C.LeftAxis()->SetMinMax(1, 10000);
  auto* S = Add<TLineSeries>(C);
  S->AddXY(-20, 10);
  S->AddXY(20, 1000);
  C.Redraw();
  // At the edge, (Left + 20) / 40 of the way in X is as far in
  // logarithms: about 112, where a straight cut would give about 530.
  const double AtEdge = std::pow(10, 1 + 2 * (C.R.Left + 20) / 40.0);
  const QStringList Lines = C.Segments();
  ASSERT_EQ(Lines.size(), 1);
  EXPECT_EQ(Lines[0],
            QStringLiteral("%1,%2-20,%3").arg(C.R.Left).arg(S->CalcYPosValue(AtEdge)).arg(S->CalcYPosValue(1000)));
}

TEST(CustomSeries, AHiddenPenWithoutPointerIsSwitchedOnIn2D)
{
  TPixelChart C;
  auto* S = Add<TLineSeries>(C);
  AddRows(C, S, {{10, 10}, {20, 30}});
  S->LinePen()->SetVisible(false);
  EXPECT_EQ(C.Redraw(), (QStringList{"10,10-20,30"}));
  EXPECT_TRUE(S->LinePen()->Visible());
}

TEST(CustomSeries, CoordinatesStayWithinTheCanvasLimits)
{
  TPixelChart C;
  auto* S = Add<TLineSeries>(C);
  S->AddXY(0, C.Y(10));
  S->AddXY(1, C.Y(30));
  S->AddXY(2, C.Y(10));
  // A huge zoom: a pixel is a millionth of a unit.
  C.BottomAxis()->SetMinMax(0.5, 0.5 + 300e-6);
  C.Redraw();
  const QStringList Lines = C.Canvas->Calls(QStringLiteral("LineTo"));
  ASSERT_FALSE(Lines.isEmpty());
  for (const QString& L : C.Canvas->Calls(QStringLiteral("LineTo")) + C.Canvas->Calls(QStringLiteral("MoveTo")))
    for (const QString& N : L.section(QLatin1Char('('), 1).chopped(1).split(QLatin1Char(',')))
      EXPECT_LE(std::abs(N.toDouble()), 32767) << L.toStdString();
}

TEST(CustomSeries, WhatAnAreaDraws)
{
  struct Case {
    const char* Name;
    std::function<void(TPixelChart&, TAreaSeries*)> Build;
    QStringList Polygons;
    QStringList Rectangles;
  };
  const Case Cases[] = {
      {"filled down to the axis bottom",
       [](TPixelChart& C, TAreaSeries* S) {
         AddRows(C, S, {{10, 10}, {20, 30}});
       },
       {"Polygon(10 199,10 10,20 30,20 199)"},
       {}},
      {"filled down to its own origin",
       [](TPixelChart& C, TAreaSeries* S) {
         S->SetUseYOrigin(true);
         S->SetYOrigin(C.Y(150));
         AddRows(C, S, {{10, 10}, {20, 30}});
       },
       {"Polygon(10 150,10 10,20 30,20 150)"},
       {}},
      {"a null point leaves a gap on both sides",
       [](TPixelChart& C, TAreaSeries* S) {
         AddRows(C, S, {{10, 10}});
         S->AddNullXY(20, C.Y(20));
         AddRows(C, S, {{30, 30}, {40, 40}});
       },
       {"Polygon(30 199,30 30,40 40,40 199)"},
       {}},
      {"stairs fill from the origin to the earlier level",
       [](TPixelChart& C, TAreaSeries* S) {
         S->SetStairs(true);
         AddRows(C, S, {{10, 10}, {20, 30}});
       },
       {},
       {"Rectangle(10,10,21,199)"}},
      {"inverted stairs fill to the later level",
       [](TPixelChart& C, TAreaSeries* S) {
         S->SetStairs(true);
         S->SetInvertedStairs(true);
         AddRows(C, S, {{10, 10}, {20, 30}});
       },
       {},
       {"Rectangle(10,30,21,199)"}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TPixelChart C;
    ASSERT_EQ(C.R.Bottom, 199);
    auto* S = Add<TAreaSeries>(C);
    K.Build(C, S);
    C.Redraw();
    EXPECT_EQ(C.Canvas->Calls(QStringLiteral("Polygon")), K.Polygons);
    // After the chart's own frame.
    EXPECT_EQ(C.Canvas->Calls(QStringLiteral("Rectangle(")).mid(1), K.Rectangles);
  }
}

TEST(CustomSeries, StackedAreasFillDownToTheSeriesBelow)
{
  TPixelChart C;
  auto* A = Add<TAreaSeries>(C);
  auto* B = Add<TAreaSeries>(C);
  A->SetMultiArea(maStacked);
  A->AddXY(10, 20);
  A->AddXY(20, 40);
  B->AddXY(10, 30);
  B->AddXY(20, 10);
  C.Redraw();
  EXPECT_EQ(C.Canvas->Calls(QStringLiteral("Polygon")),
            (QStringList{"Polygon(10 199,10 180,20 160,20 199)", "Polygon(10 180,10 150,20 150,20 160)"}));
}

TEST(CustomSeries, StackedPositionsAndExtents)
{
  struct Case {
    const char* Name;
    TCustomSeriesStack Stack;
    std::vector<std::vector<double>> Values; // per series, per index
    std::vector<std::vector<double>> Drawn;  // the value each point is drawn at
    std::vector<double> Min, Max;            // per series
  };
  const Case Cases[] = {
      {"three series at one index", cssStack, {{1}, {2}, {3}}, {{1}, {3}, {6}}, {1, 2, 3}, {1, 3, 6}},
      {"three series at one index, as percentages",
       cssStack100,
       {{1}, {2}, {3}},
       {{100.0 / 6}, {50}, {100}},
       {0, 0, 0},
       {100, 100, 100}},
      {"negative values", cssStack, {{5, -2}, {1, 3}}, {{5, -2}, {6, 1}}, {-2, 1}, {5, 6}},
      {"negative values as percentages of the absolute totals",
       cssStack100,
       {{5, -2}, {1, 3}},
       {{500.0 / 6, -40}, {100, 20}},
       {-40, 0},
       {100, 100}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TPixelChart C;
    C.LeftAxis()->SetMinMax(-100, 100);
    std::vector<TLineSeries*> S;
    for (const auto& Values : K.Values) {
      S.push_back(Add<TLineSeries>(C));
      for (size_t I = 0; I < Values.size(); ++I)
        S.back()->AddXY(double(I), Values[I]);
    }
    S[0]->SetStacked(K.Stack);
    C.Draw();
    for (size_t J = 0; J < S.size(); ++J) {
      EXPECT_EQ(S[J]->Stacked(), K.Stack);
      for (size_t I = 0; I < K.Drawn[J].size(); ++I)
        EXPECT_EQ(S[J]->CalcYPos(int32_t(I)), C.LeftAxis()->CalcYPosValue(K.Drawn[J][I])) << J << ' ' << I;
      EXPECT_NEAR(S[J]->MinYValue(), K.Min[J], 1e-9) << J;
      EXPECT_NEAR(S[J]->MaxYValue(), K.Max[J], 1e-9) << J;
    }
  }
}

TEST(CustomSeries, AStackedHorizontalSeriesReportsItsStackedMinimum)
{
  // A negative stacked sum must reach the axis' minimum, or it is drawn
  // outside the axis.
  TPixelChart C;
  auto* A = Add<THorizLineSeries>(C);
  auto* B = Add<THorizLineSeries>(C);
  A->AddXY(-5, 0);
  B->AddXY(2, 0);
  A->SetStacked(cssStack);
  EXPECT_EQ(B->MinXValue(), -3);
  EXPECT_EQ(B->MaxXValue(), 2);
  A->SetStacked(cssStack100);
  EXPECT_NEAR(B->MinXValue(), -300.0 / 7, 1e-9);
  EXPECT_EQ(B->MaxXValue(), 100);
}

TEST(CustomSeries, StackingEdges)
{
  TPixelChart C;
  auto* A = Add<TLineSeries>(C);
  auto* B = Add<TLineSeries>(C);
  auto* Area = Add<TAreaSeries>(C);
  A->AddXY(0, 0);
  B->AddXY(0, 0);
  Area->AddXY(0, 30);
  A->SetStacked(cssStack100);
  C.Draw();
  // Lines stack among themselves, not with the area.
  EXPECT_EQ(B->Stacked(), cssStack100);
  EXPECT_EQ(Area->Stacked(), cssNone);
  // An index where everything is 0 is drawn at the axis' end.
  EXPECT_EQ(A->CalcYPos(0), C.LeftAxis()->IEndPos);
  EXPECT_EQ(B->CalcYPos(0), C.LeftAxis()->IEndPos);
  // A stacked sum below the axis minimum stays at the bottom.
  A->SetStacked(cssStack);
  A->SetYValue(0, -50);
  C.Draw();
  EXPECT_EQ(A->CalcYPos(0), C.LeftAxis()->IEndPos);
  // Area series only stack on areas of their stack group.
  auto* Area2 = Add<TAreaSeries>(C);
  Area2->AddXY(0, 10);
  Area->SetMultiArea(maStacked);
  C.Draw();
  EXPECT_EQ(Area2->CalcYPos(0), C.LeftAxis()->CalcYPosValue(40));
  Area2->SetStackGroup(1);
  EXPECT_EQ(Area2->CalcYPos(0), C.LeftAxis()->CalcYPosValue(10));
}

TEST(CustomSeries, UnpaintedNullPointsStayOutOfTheExtent)
{
  TLineSeries S(nullptr);
  S.AddXY(0, 5);
  S.AddNullXY(1, 500);
  S.AddXY(2, -1);
  EXPECT_EQ(S.MaxYValue(), 5);
  EXPECT_EQ(S.MinYValue(), -1);
  S.SetTreatNulls(tnIgnore);
  EXPECT_EQ(S.MaxYValue(), 500);
  TLineSeries Empty(nullptr);
  EXPECT_EQ(Empty.MaxYValue(), 0);
}

TEST(CustomSeries, AreaOriginWidensTheExtent)
{
  TPixelChart C;
  auto* S = Add<TAreaSeries>(C);
  S->AddXY(0, 60);
  S->AddXY(1, 80);
  EXPECT_EQ(S->MinYValue(), 60);
  S->SetUseYOrigin(true);
  S->SetYOrigin(50);
  EXPECT_EQ(S->MinYValue(), 50);
  EXPECT_EQ(S->MaxYValue(), 80);
}

TEST(CustomSeries, Margins)
{
  struct Case {
    const char* Name;
    std::function<void(TCustomAxisPanel&, TLineSeries*)> Build;
    int Left, Right, Top, Bottom;
  };
  const Case Cases[] = {
      {"a thin pen needs nothing", [](TCustomAxisPanel&, TLineSeries*) {}, 0, 0, 0, 0},
      {"a pen of width 3", [](TCustomAxisPanel&, TLineSeries* S) { S->LinePen()->SetWidth(3); }, 3, 3, 3, 3},
      {"a pen of width 5 (half rounds to even)", [](TCustomAxisPanel&, TLineSeries* S) { S->LinePen()->SetWidth(5); },
       3, 3, 3, 3},
      {"stairs take the whole pen width",
       [](TCustomAxisPanel&, TLineSeries* S) {
         S->LinePen()->SetWidth(5);
         S->SetStairs(true);
       },
       5, 5, 5, 5},
      {"nothing without InflateMargins",
       [](TCustomAxisPanel&, TLineSeries* S) {
         S->LinePen()->SetWidth(5);
         S->SetInflateMargins(false);
       },
       0, 0, 0, 0},
      {"a visible outline",
       [](TCustomAxisPanel&, TLineSeries* S) {
         S->OutLine()->SetVisible(true);
         S->OutLine()->SetWidth(6);
       },
       6, 6, 6, 6},
      {"a pointer", [](TCustomAxisPanel&, TLineSeries* S) { S->Pointer()->SetVisible(true); }, 5, 5, 4, 4},
      {"the first and last points' own pointers",
       [](TCustomAxisPanel&, TLineSeries* S) {
         S->Pointer()->SetVisible(true);
         S->Pointer()->Get(0)->SetHorizSize(7);
         S->Pointer()->Get(2)->SetHorizSize(9);
       },
       8, 10, 4, 4},
      {"marks above the points (the callout's length and distance)",
       [](TCustomAxisPanel&, TLineSeries* S) {
         S->Marks()->SetVisible(true);
         S->Marks()->Callout()->SetLength(12);
       },
       0, 0, 12, 0},
      {"a 3D line's height below it",
       [](TCustomAxisPanel& C, TLineSeries* S) {
         C.SetView3D(true);
         S->SetLineHeight(7);
       },
       0, 0, 0, 7},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TPixelChart C;
    auto* S = Add<TLineSeries>(C);
    for (int I = 0; I < 3; ++I)
      S->AddXY(I, I);
    K.Build(C, S);
    int L = 0, R = 0, T = 0, B = 0;
    S->CalcHorizMargins(L, R);
    S->CalcVerticalMargins(T, B);
    EXPECT_EQ((std::vector<int>{L, R, T, B}), (std::vector<int>{K.Left, K.Right, K.Top, K.Bottom}));
  }
}

TEST(CustomSeries, APointWhosePointerReachesIntoTheChartIsDrawn)
{
  TPixelChart C;
  auto* S = Add<TLineSeries>(C);
  S->Pointer()->SetVisible(true);
  S->Pointer()->SetHorizSize(10);
  AddRows(C, S, {{-5, 50}, {20, 50}, {40, 60}});
  C.Redraw();
  EXPECT_EQ(S->FirstValueIndex(), 0);
  EXPECT_EQ(C.Segments().first(), QStringLiteral("-5,50-20,50"));
  // Equal positions are never split: the point below the chart goes with
  // the one whose pointer shows.
  TPixelChart D;
  auto* T = Add<TLineSeries>(D);
  T->Pointer()->SetHorizSize(10);
  AddRows(D, T, {{-8, 300}, {-8, 50}, {20, 50}});
  D.Redraw();
  EXPECT_EQ(T->FirstValueIndex(), 0);
}

TEST(CustomSeries, Clicks)
{
  struct Case {
    const char* Name;
    std::function<void(TPixelChart&, TCustomSeries*)> Build;
    TPoint Click;
    int Expected;
    TSeriesClickedPartStyle Part;
  };
  const auto Line = [](TPixelChart&, TCustomSeries*) {};
  const Case Cases[] = {
      {"on a segment", Line, {30, 10}, 0, scpSegment},
      {"one pixel off a segment", Line, {30, 11}, 0, scpSegment},
      {"two pixels off a segment", Line, {30, 12}, -1, scpNone},
      {"on the second segment", Line, {70, 30}, 1, scpSegment},
      {"a hidden pointer's exact pixel", Line, {50, 10}, 1, scpSegment},
      {"between two points with the axis inverted",
       [](TPixelChart& C, TCustomSeries*) { C.BottomAxis()->SetInverted(true); },
       {270, 10},
       0,
       scpSegment},
      {"not clickable: a segment",
       [](TPixelChart&, TCustomSeries* S) { S->SetClickableLine(false); },
       {30, 10},
       -1,
       scpNone},
      {"not clickable: an exact pixel",
       [](TPixelChart&, TCustomSeries* S) { S->SetClickableLine(false); },
       {50, 10},
       1,
       scpSegment},
      {"a pointer", [](TPixelChart&, TCustomSeries* S) { S->Pointer()->SetVisible(true); }, {53, 10}, 1, scpPointer},
      {"a pointer drawn as nothing",
       [](TPixelChart&, TCustomSeries* S) {
         S->Pointer()->SetVisible(true);
         S->OnGetPointerStyle = [](TChartSeries*, int32_t) { return psNothing; };
       },
       {53, 10},
       -1,
       scpNone},
      {"inside the area under a segment",
       [](TPixelChart&, TCustomSeries* S) { S->SetDrawArea(true); },
       {30, 150},
       0,
       scpSegment},
      {"above the area", [](TPixelChart&, TCustomSeries* S) { S->SetDrawArea(true); }, {30, 5}, -1, scpNone},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TPixelChart C;
    auto* S = Add<TLineSeries>(C);
    AddRows(C, S, {{10, 10}, {50, 10}, {90, 50}});
    K.Build(C, S);
    C.Redraw();
    S->IClickedPart = scpNone;
    EXPECT_EQ(S->Clicked(K.Click.X, K.Click.Y), K.Expected);
    EXPECT_EQ(S->IClickedPart, K.Part);
  }
}

TEST(CustomSeries, PerPointPointers)
{
  TPixelChart C;
  auto* S = Add<TPointSeries>(C);
  for (int I = 0; I < 3; ++I)
    S->AddXY(I * 10, 10);
  S->Pointer()->SetHorizSize(6);
  TSeriesPointer* Five = S->Pointer()->Get(5);
  EXPECT_EQ(S->Pointer()->Count(), 6);
  EXPECT_EQ(S->Pointer()->InternalGet(3), S->Pointer());
  EXPECT_EQ(S->Pointer()->InternalGet(4), S->Pointer());
  EXPECT_EQ(Five->HorizSize(), 6);
  S->Pointer()->SetHorizSize(2);
  EXPECT_EQ(Five->HorizSize(), 6);
  EXPECT_EQ(S->Pointer()->InternalGet(5), Five);
  // Deleting a point takes its pointer along and moves the later ones.
  TSeriesPointer* One = S->Pointer()->Get(1);
  One->SetStyle(psCircle);
  S->Delete(0);
  EXPECT_EQ(S->Pointer()->InternalGet(0), One);
  EXPECT_EQ(S->Pointer()->InternalGet(4), Five);
  S->Pointer()->Put(4, nullptr);
  EXPECT_EQ(S->Pointer()->InternalGet(4), S->Pointer());
  // Each point is drawn with its own pointer.
  C.Redraw();
  EXPECT_EQ(C.Canvas->Calls(QStringLiteral("Ellipse")).size(), 1);
  const qsizetype Drawn = C.Canvas->Calls(QStringLiteral("Rectangle(")).size();
  // A style of nothing draws nothing.
  S->OnGetPointerStyle = [](TChartSeries*, int32_t I) { return I == 1 ? psNothing : psRectangle; };
  C.Redraw();
  EXPECT_EQ(C.Canvas->Calls(QStringLiteral("Rectangle(")).size(), Drawn);
  EXPECT_EQ(C.Canvas->Calls(QStringLiteral("Ellipse")).size(), 0);
}

TEST(CustomSeries, ClicksOnA3DRibbon)
{
  TPixelChart C;
  C.SetView3D(true);
  auto* S = Add<TLineSeries>(C);
  AddRows(C, S, {{10, 50}, {90, 50}});
  C.Redraw();
  const int32_t W = C.SeriesWidth3D(), H = C.SeriesHeight3D();
  ASSERT_GT(W, 2);
  const int32_t X = (S->CalcXPos(0) + S->CalcXPos(1)) / 2, Y = S->CalcYPos(0);
  // Inside the ribbon, half-way back.
  EXPECT_EQ(S->Clicked(X + W / 2, Y - H / 2), 0);
  // Below its front edge.
  EXPECT_EQ(S->Clicked(X, Y + 3), -1);
}

TEST(CustomSeries, HoveringAPointerHighlightsItAndItsSegments)
{
  TPixelChart C;
  C.Hover()->SetVisible(true);
  auto* S = Add<TLineSeries>(C);
  for (int I = 0; I < 7; ++I)
    S->AddXY(I * 20 + 10, C.Y(50));
  S->Pointer()->SetVisible(true);
  S->Selected()->Hover()->SetVisible(true);
  S->Pointer()->Selected()->Hover()->SetVisible(true);
  S->HoverElement = heCurrent | hePrevious | heNext;
  C.Redraw();
  ASSERT_EQ(S->Clicked(91, 50), 4);
  EXPECT_EQ(S->IClickedPart, scpPointer);
  EXPECT_EQ(S->HoverOverPointer(), 4);
  QString Lit;
  for (int I = 0; I < 6; ++I)
    Lit += S->PrepareHoverPen(I) ? QLatin1Char('s') : QLatin1Char('.');
  for (int I = 0; I < 7; ++I)
    Lit += S->PreparePointerHoverPen(I) ? QLatin1Char('p') : QLatin1Char('.');
  // Segments 3-4 and 4-5; the pointer of point 4.
  EXPECT_EQ(Lit, QStringLiteral("...ss.") + QStringLiteral("....p.."));
}

TEST(CustomSeries, ClickPointerEvent)
{
  TPixelChart C;
  auto* S = Add<TPointSeries>(C);
  EXPECT_FALSE(S->RaiseClicked());
  QStringList Log;
  S->OnClickPointer = [&](TCustomSeries*, int32_t I, int32_t X, int32_t Y) {
    Log << QStringLiteral("%1 %2,%3").arg(I).arg(X).arg(Y);
  };
  EXPECT_TRUE(S->RaiseClicked());
  S->MouseDown(2, true, mbLeft, 0, 5, 6);
  S->MouseDown(3, false, mbLeft, 0, 5, 6);
  EXPECT_EQ(Log, (QStringList{"2 5,6"}));
}

TEST(CustomSeries, WholeSeriesPathAndPartialDisplay)
{
  struct Case {
    const char* Name;
    int Points;
    float DisplayLast;
    QString Polyline;
    QStringList Pointers;
  };
  const Case Cases[] = {
      {"all points", 4, 1.0f, "Polyline(0 100,10 100,20 100,30 100)", {"0:0,100", "1:10,100", "2:20,100", "3:30,100"}},
      {"a fraction beyond 1 shows all",
       4,
       2.0f,
       "Polyline(0 100,10 100,20 100,30 100)",
       {"0:0,100", "1:10,100", "2:20,100", "3:30,100"}},
      {"half of ten points",
       10,
       0.5f,
       "Polyline(0 100,10 100,20 100,30 100,40 100,50 100)",
       {"0:0,100", "1:10,100", "2:20,100", "3:30,100", "4:40,100", "5:50,100"}},
      {"half of nine points ends half-way to point 5",
       9,
       0.5f,
       "Polyline(0 100,10 100,20 100,30 100,40 100,45 100)",
       {"0:0,100", "1:10,100", "2:20,100", "3:30,100", "4:40,100", "5:45,100 a127"}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TPixelChart C;
    auto* S = new TPointerLogSeries(&C);
    C.AddSeries(S);
    S->Pointer()->SetVisible(true);
    S->SetDrawStyle(dsAll);
    S->DisplayLast = K.DisplayLast;
    for (int I = 0; I < K.Points; ++I)
      S->AddXY(I * 10, C.Y(100));
    C.Redraw();
    // After the chart's own frame.
    EXPECT_EQ(C.Canvas->Calls(QStringLiteral("Polyline")).last(), K.Polyline);
    EXPECT_EQ(S->Pointers, K.Pointers);
    EXPECT_TRUE(C.Segments().isEmpty());
  }
}

TEST(CustomSeries, WholeSeriesPathFallsBackToPointByPoint)
{
  const std::function<void(TPixelChart&, TLineSeries*)> Cases[] = {
      [](TPixelChart&, TLineSeries* S) {
        S->SetColorEachPoint(true);
        S->SetColorEachLine(true);
      },
      [](TPixelChart& C, TLineSeries*) { C.SetView3D(true); },
  };
  TPixelChart Empty;
  Empty.Redraw();
  const qsizetype Frame = Empty.Canvas->Calls(QStringLiteral("Polyline")).size();
  for (const auto& Build : Cases) {
    TPixelChart C;
    auto* S = Add<TLineSeries>(C);
    S->SetDrawStyle(dsAll);
    AddRows(C, S, {{10, 10}, {20, 30}, {30, 15}});
    Build(C, S);
    C.Redraw();
    EXPECT_EQ(C.Canvas->Calls(QStringLiteral("Polyline")).size(), Frame);
    // Segments in 2D, ribbons in 3D.
    EXPECT_FALSE(C.Segments().isEmpty() && C.Canvas->Calls(QStringLiteral("Plane3D")).isEmpty());
  }
}

TEST(CustomSeries, ShadowAndOutlinePasses)
{
  auto Canvas = std::make_unique<TPenCanvas>();
  TPenCanvas* Pens = Canvas.get();
  TPixelChart C(std::move(Canvas));
  auto* S = new TPointerLogSeries(&C);
  C.AddSeries(S);
  S->SetSeriesColor(0x0000FF);
  S->Pointer()->SetVisible(true);
  AddRows(C, S, {{10, 10}, {20, 30}});
  const QStringList Plain = C.Redraw();
  const qsizetype PlainPointers = C.Canvas->Calls(QStringLiteral("Rectangle(")).size();
  EXPECT_EQ(Plain, (QStringList{"10,10-20,30"}));

  // A shadow of size 0 draws nothing.
  S->Shadow()->SetVisible(true);
  S->Shadow()->SetSize(0);
  S->Pointers.clear();
  EXPECT_EQ(C.Redraw(), Plain);
  // A visible shadow: the series once more, offset, before it, without
  // pointers.
  S->Shadow()->SetSize(3);
  S->Shadow()->SetColor(0x808080);
  S->Pointers.clear();
  Pens->Pens.clear();
  EXPECT_EQ(C.Redraw(), (QStringList{"13,13-23,33", "10,10-20,30"}));
  EXPECT_EQ(C.Canvas->Calls(QStringLiteral("Rectangle(")).size(), PlainPointers);
  EXPECT_EQ(Pens->Pens, (QStringList{"1 #808080", "1 #0000ff"}));
  S->Shadow()->SetVisible(false);

  // An outline of width 2 under a pen of width 3: a line of 7 pixels.
  S->LinePen()->SetWidth(3);
  S->OutLine()->SetVisible(true);
  S->OutLine()->SetWidth(2);
  S->OutLine()->SetColor(0x00FF00);
  Pens->Pens.clear();
  EXPECT_EQ(C.Redraw(), (QStringList{"10,10-20,30", "10,10-20,30"}));
  EXPECT_EQ(Pens->Pens, (QStringList{"7 #00ff00", "3 #0000ff"}));
  EXPECT_EQ(S->LinePen()->Width(), 3);
}

TEST(CustomSeries, LegendLineTakesTheItemColourForABlackPen)
{
  TPixelChart C;
  auto* S = Add<TLineSeries>(C);
  S->SetSeriesColor(0x00A000);
  S->AddXY(0, 0);
  const TRect Rect{0, 0, 20, 10};
  const struct {
    TColor Pen, Expected;
  } Cases[] = {{clBlack, 0x00A000}, {0x0000FF, 0x0000FF}};
  for (const auto& K : Cases) {
    S->LinePen()->SetColor(K.Pen);
    C.Canvas->Log.clear();
    S->DrawLegendShape(-1, Rect);
    EXPECT_EQ(C.Canvas->Pen()->Color(), K.Expected);
    EXPECT_EQ(C.Canvas->Log, (QStringList{"MoveTo(0,5)", "LineTo(20,5)"}));
  }
}

TEST(CustomSeries, AreasFillInTheirOwnColours)
{
  // Each area in its series colour, as its legend symbol shows it, both
  // point by point and as one path.
  for (const TCustomSeriesDrawStyle Style : {dsSegments, dsAll}) {
    TImageChart C(300, 200);
    C.SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
    C.SetView3D(false);
    // The higher area first: the lower one is drawn over its foot.
    auto* High = Add<TAreaSeries>(C);
    auto* Low = Add<TAreaSeries>(C);
    Low->SetSeriesColor(0x0000FF);
    High->SetSeriesColor(0x00FF00);
    for (auto* S : {Low, High}) {
      S->SetDrawStyle(Style);
      S->AreaLinesPen()->SetVisible(false);
    }
    for (int I = 0; I < 3; ++I) {
      Low->AddXY(I, 10);
      High->AddXY(I, 20);
    }
    C.LeftAxis()->SetMinMax(0, 20);
    C.Paint();
    const TRect& R = C.ChartRect;
    const int32_t X = (R.Left + R.Right) / 2;
    EXPECT_EQ(PixelOf(C.Image, X, R.Bottom - 5), TColor(0x0000FF)) << int(Style);
    EXPECT_EQ(PixelOf(C.Image, X, R.Top + 5), TColor(0x00FF00)) << int(Style);
  }
}
