// Bar series. Layout: slots, widths, stacking origins and bar rectangles
// for each way several bar series share a category, worked out by hand on
// a chart whose axes are fixed so that a value maps to a known pixel; the
// axis extents the bars report; and the settings the bars of a chart
// share. Drawing: what a bar puts on the canvas (thin and empty bars, pen
// darkening, gradients, styles chosen per point, stacked zeros).
#include "chart/core/tests/CoreTestSupport.h"

#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/BarSeries.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

// Logs rectangles, polygons and lines with the pen and brush they are
// drawn with: "Rect(l,t,r,b) pen RRGGBB brush clear|RRGGBB [gradient SSSSSS-EEEEEE]".
class TBarLogCanvas : public TRecordingCanvas {
public:
  void Rectangle(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) override
  {
    Shapes << QStringLiteral("Rect(%1,%2,%3,%4) %5").arg(X0).arg(Y0).arg(X1).arg(Y1).arg(Attributes());
  }
  void Polygon(std::span<const TPoint> P) override
  {
    Shapes << QStringLiteral("Polygon(%1) %2").arg(P.size()).arg(Attributes());
  }
  void LineTo(int32_t X, int32_t Y) override
  {
    Shapes << QStringLiteral("Line(%1,%2-%3,%4) %5").arg(Pen0.X).arg(Pen0.Y).arg(X).arg(Y).arg(Attributes());
    Pen0 = TPoint{X, Y};
  }
  void MoveTo(int32_t X, int32_t Y) override { Pen0 = TPoint{X, Y}; }
  QString Attributes() const
  {
    const auto Hex = [](TColor C) { return QStringLiteral("%1").arg(C & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper(); };
    QString Result =
        QStringLiteral("pen %1 brush %2")
            .arg(Hex(Pen()->Color()), Brush()->Style() == bsClear ? QStringLiteral("clear") : Hex(Brush()->Color()));
    if (Brush()->Style() != bsClear && Brush()->GradientIfAny() && Brush()->GradientIfAny()->Visible())
      Result += QStringLiteral(" gradient %1-%2")
                    .arg(Hex(Brush()->GradientIfAny()->StartColor()), Hex(Brush()->GradientIfAny()->EndColor()));
    return Result;
  }
  QStringList Shapes;
  TPoint Pen0;
};

// A 2D chart without axes or margins whose chart rectangle is
// (1, 1)-(401, 301): bottom axis 0..10 maps X = 1 + 40 x, left axis
// 0..100 maps Y = 301 - 3 y.
class TBarChart : public TImageChart {
public:
  TBarChart() : TImageChart(402, 302)
  {
    auto C = std::make_unique<TBarLogCanvas>();
    Canvas = C.get();
    SetInternalCanvas(std::move(C));
    SetView3D(false);
    SetAxisVisible(false);
    SetMarginUnits(muPixels);
    for (int I = 0; I < 4; ++I)
      SetMargin(I, 0);
    BottomAxis()->SetMinMax(0, 10);
    LeftAxis()->SetMinMax(0, 100);
  }
  template <class T = TBarSeries>
  T* AddBars(std::initializer_list<double> Values)
  {
    auto* S = new T(this);
    AddSeries(S);
    for (double V : Values)
      S->Add(V);
    return S;
  }
  // The shapes drawn by a fresh paint, without the panel's background.
  QStringList Redraw()
  {
    Canvas->Shapes.clear();
    Draw();
    Canvas->Shapes.removeIf([](const QString& S) { return S.startsWith(QStringLiteral("Rect(0,0,403,303)")); });
    return Canvas->Shapes;
  }
  TBarLogCanvas* Canvas;
};

struct TRectRow {
  int32_t Left, Top, Right, Bottom;
};

std::ostream& operator<<(std::ostream& Os, const TRect& R)
{
  return Os << '(' << R.Left << ", " << R.Top << ", " << R.Right << ", " << R.Bottom << ')';
}

TRect ToRect(const TRectRow& R) { return TRect{R.Left, R.Top, R.Right, R.Bottom}; }

} // namespace

// Three series with 3, 5 and 4 points; point 1 of each is 20, -10 and 10.
// The category of point 1 is at X 41; a slot is the series' place in it.
TEST(BarLayout, EachModeWithMixedPointCounts)
{
  struct Case {
    const char* Name;
    TMultiBar Mode;
    std::function<void(TBarSeries*, TBarSeries*, TBarSeries*)> Setup;
    int32_t NumBars, MaxBarPoints, BarSize;
    TRectRow Bars[3];
  };
  const auto None = [](TBarSeries*, TBarSeries*, TBarSeries*) {};
  const Case Cases[] = {
      // Width: 70 % of 400 pixels over 5 + 1 categories, shared by the slots.
      {"over each other", mbNone, None, 1, 6, 48, {{17, 241, 66, 301}, {17, 331, 66, 301}, {17, 271, 66, 301}}},
      {"side by side", mbSide, None, 3, 6, 16, {{17, 241, 34, 301}, {33, 331, 50, 301}, {49, 271, 66, 301}}},
      // The third bar stands on the first (both positive); the negative
      // one hangs from the origin.
      {"stacked", mbStacked, None, 1, 6, 48, {{17, 241, 66, 301}, {17, 331, 66, 301}, {17, 211, 66, 241}}},
      // The stack's absolute total 40 is 100 %.
      {"stacked to 100 %", mbStacked100, None, 1, 6, 48, {{17, 151, 66, 301}, {17, 376, 66, 301}, {17, 76, 66, 151}}},
      {"two stack groups",
       mbStacked,
       [](TBarSeries*, TBarSeries* B, TBarSeries*) { B->SetStackGroup(1); },
       2,
       6,
       24,
       {{17, 241, 42, 301}, {41, 331, 66, 301}, {17, 211, 42, 241}}},
      // Series after series along the axis: 3 then 5 then 4 positions.
      {"one after another",
       mbSideAll,
       None,
       3,
       6,
       16,
       {{33, 241, 50, 301}, {153, 331, 170, 301}, {353, 271, 370, 301}}},
      // Columns at the series' indexes; each point on its own side's sum.
      {"self-stacked", mbSelfStack, None, 3, 3, 76, {{-37, 211, 40, 271}, {3, 331, 80, 301}, {43, 151, 120, 181}}},
      // A fixed odd width stays odd.
      {"fixed width",
       mbSide,
       [](TBarSeries* A, TBarSeries* B, TBarSeries* C) {
         for (TBarSeries* S : {A, B, C})
           S->SetCustomBarWidth(7);
       },
       3,
       6,
       7,
       {{31, 241, 39, 301}, {37, 331, 45, 301}, {45, 271, 53, 301}}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TBarChart C;
    TBarSeries* A = C.AddBars({10, 20, 30});
    TBarSeries* B = C.AddBars({5, -10, 15, 20, 25});
    TBarSeries* S3 = C.AddBars({40, 10, -5, 10});
    A->SetMultiBar(K.Mode);
    K.Setup(A, B, S3);
    C.Draw();
    TBarSeries* All[3] = {A, B, S3};
    for (int I = 0; I < 3; ++I) {
      SCOPED_TRACE(I);
      EXPECT_EQ(All[I]->MultiBar(), K.Mode);
      EXPECT_EQ(All[I]->INumBars, K.NumBars);
      EXPECT_EQ(All[I]->IMaxBarPoints, K.MaxBarPoints);
      EXPECT_EQ(All[I]->IBarSize, K.BarSize);
      EXPECT_EQ(All[I]->CalcBarBounds(1), ToRect(K.Bars[I]));
    }
  }
}

// The width of every bar comes from the category count of the series with
// the most points; which series that is, and where it stands in the chart,
// must not change it.
TEST(BarLayout, WidthDoesNotDependOnTheOrderOfTheSeries)
{
  for (const bool LongFirst : {false, true}) {
    SCOPED_TRACE(LongFirst);
    TBarChart C;
    const std::initializer_list<double> Five{1, 2, 3, 4, 5}, Six{1, 2, 3, 4, 5, 6};
    TBarSeries* A = C.AddBars(LongFirst ? Six : Five);
    TBarSeries* B = C.AddBars(LongFirst ? Five : Six);
    C.Draw();
    for (TBarSeries* S : {A, B}) {
      EXPECT_EQ(S->IMaxBarPoints, 7);
      EXPECT_EQ(S->IBarSize, 20); // 70 % of 400 over 7 categories, 2 slots
    }
  }
}

TEST(BarLayout, HorizontalBarsMirrorTheVerticalOnes)
{
  // Left axis 0..10 (Y = 301 - 30 y) carries the categories, the bottom
  // axis 0..100 (X = 1 + 4 x) the values.
  TBarChart C;
  C.BottomAxis()->SetMinMax(0, 100);
  C.LeftAxis()->SetMinMax(0, 10);
  auto* A = C.AddBars<THorizBarSeries>({10, 20, 30});
  auto* B = C.AddBars<THorizBarSeries>({5, 40, 15});
  C.Draw();
  EXPECT_EQ(A->IBarSize, 26); // 70 % of 300 over 3 + 1 categories, 2 slots
  // Slot 1 is the topmost; a horizontal bar is one pixel less tall than
  // its width.
  EXPECT_EQ(A->CalcBarBounds(1), (TRect{1, 245, 81, 270}));
  EXPECT_EQ(B->CalcBarBounds(1), (TRect{1, 271, 161, 296}));
}

TEST(BarLayout, OffsetsOriginsAndFullWidthBars)
{
  struct Case {
    const char* Name;
    std::function<void(TBarSeries*)> Setup;
    TRectRow Bar1;
  };
  const Case Cases[] = {
      // One series: 70 % of 400 over 4 categories is 70 pixels.
      {"plain", [](TBarSeries*) {}, {6, 241, 77, 301}},
      {"offset half a bar", [](TBarSeries* S) { S->SetOffsetPercent(50); }, {41, 241, 112, 301}},
      {"origin 50", [](TBarSeries* S) { S->SetYOrigin(50); }, {6, 241, 77, 151}},
      {"no origin: from the axis' end", [](TBarSeries* S) { S->SetUseYOrigin(false); }, {6, 241, 77, 301}},
      // Full-width bars of one series reach the next bar, without a pen
      // one pixel further down and right.
      {"full width",
       [](TBarSeries* S) {
         S->SetMultiBar(mbNone);
         S->SetBarWidthPercent(100);
         S->BarPen()->SetVisible(false);
       },
       {-9, 241, 33, 302}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TBarChart C;
    TBarSeries* S = C.AddBars({10, 20, 30});
    K.Setup(S);
    C.Draw();
    EXPECT_EQ(S->CalcBarBounds(1), ToRect(K.Bar1));
  }
}

TEST(BarLayout, StackedExtentsReportedToTheValueAxis)
{
  struct Case {
    const char* Name;
    TMultiBar Mode;
    std::vector<double> A, B;
    double Min, Max; // of the second series
  };
  const Case Cases[] = {
      {"stacked", mbStacked, {3, 1}, {4, -2}, -2, 7},
      {"side by side keeps its origin in range", mbSide, {3, 1}, {4, 2}, 0, 4},
      {"stacked to 100 %", mbStacked100, {3, 1}, {1, 3}, 0, 100},
      // A category whose stack is all zero adds nothing; a series whose
      // values total below zero tops out at 0.
      {"stacked to 100 % with an empty category", mbStacked100, {0, 1}, {0, -3}, -75, 0},
      {"self-stacked", mbSelfStack, {3, 1}, {4, -2, 5}, -2, 9},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TBarChart C;
    auto* A = new TBarSeries(&C);
    auto* B = new TBarSeries(&C);
    C.AddSeries({A, B});
    A->SetMultiBar(K.Mode);
    for (double V : K.A)
      A->Add(V);
    for (double V : K.B)
      B->Add(V);
    C.Draw();
    EXPECT_DOUBLE_EQ(B->MinYValue(), K.Min);
    EXPECT_DOUBLE_EQ(B->MaxYValue(), K.Max);
  }
}

TEST(BarLayout, BarsOfOneChartShareTheirLayoutMode)
{
  TBarChart C;
  TBarSeries* A = C.AddBars({1, 2});
  A->SetMultiBar(mbStacked);
  A->SetSideMargins(false);
  // A series joining the chart adopts the layout of the bars there.
  TBarSeries* B = C.AddBars({3, 4});
  EXPECT_EQ(B->MultiBar(), mbStacked);
  EXPECT_FALSE(B->SideMargins());
  // A change on any of them reaches all.
  B->SetMultiBar(mbSelfStack);
  EXPECT_EQ(A->MultiBar(), mbSelfStack);
  EXPECT_FALSE(A->CalcVisiblePoints);
  // Horizontal bars are another class: they keep their own.
  auto* H = C.AddBars<THorizBarSeries>({1});
  EXPECT_EQ(H->MultiBar(), mbSide);
}

// One series drawn in 0080C0 with a black pen: a single bar of 20 at X 0
// is 140 pixels wide (70 % of 400 over 1 + 1 categories) from -69 to 72,
// two bars 94 pixels wide.
TEST(BarDrawing, WhatABarPutsOnTheCanvas)
{
  struct Case {
    const char* Name;
    std::vector<double> Values;
    std::function<void(TBarSeries*)> Setup;
    QStringList Shapes;
  };
  const auto None = [](TBarSeries*) {};
  const Case Cases[] = {
      {"plain", {20}, None, {"Rect(-69,241,72,301) pen 000000 brush 0080C0"}},
      // A bar as high as its origin is a line in the bar colour.
      {"zero height", {0}, None, {"Line(-69,301-72,301) pen 0080C0 brush 0080C0"}},
      // A bar no wider than its pen is its outline in the bar colour.
      {"thinner than the pen",
       {20},
       [](TBarSeries* S) {
         S->BarPen()->SetWidth(3);
         S->SetCustomBarWidth(2);
       },
       {"Rect(1,242,2,300) pen 0080C0 brush clear"}},
      // Each channel of the point colour lowered by 255 - 130.
      {"dark pen", {20}, [](TBarSeries* S) { S->SetDarkPen(130); }, {"Rect(-69,241,72,301) pen 000343 brush 0080C0"}},
      {"dark pen 255 keeps the colour",
       {20},
       [](TBarSeries* S) { S->SetDarkPen(255); },
       {"Rect(-69,241,72,301) pen 0080C0 brush 0080C0"}},
      {"custom style draws nothing", {20}, [](TBarSeries* S) { S->SetBarStyle(bsCustom); }, {}},
      {"style of the point",
       {20, 30},
       [](TBarSeries* S) {
         S->OnGetBarStyle = [](TCustomBarSeries*, int32_t I, TBarStyle& Style) {
           if (I == 1)
             Style = bsPyramid;
         };
       },
       {"Rect(-46,241,49,301) pen 000000 brush 0080C0", "Polygon(3) pen 000000 brush 0080C0"}},
      // Towards the largest value the end colour reaches the bar colour.
      {"gradient relative to the value",
       {20, 40},
       [](TBarSeries* S) {
         S->Gradient()->SetVisible(true);
         S->Gradient()->SetStartColor(clWhite);
         S->SetGradientRelative(true);
       },
       {"Rect(-46,241,49,301) pen 000000 brush 0080C0 gradient FFFFFF-7FBFDF",
        "Rect(-6,181,89,301) pen 000000 brush 0080C0 gradient FFFFFF-0080C0"}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TBarChart C;
    auto* S = new TBarSeries(&C);
    C.AddSeries(S);
    S->SetColor(0x0080C0);
    S->Marks()->SetVisible(false);
    for (double V : K.Values)
      S->Add(V);
    K.Setup(S);
    EXPECT_EQ(C.Redraw(), K.Shapes);
  }
}

TEST(BarDrawing, StackedZeroLeavesNoBarNorShadow)
{
  TBarChart C;
  TBarSeries* A = C.AddBars({0, 10});
  A->SetColor(0x0080C0);
  A->SetMultiBar(mbStacked);
  A->Marks()->SetVisible(false);
  A->Shadow()->SetSize(4);
  A->Shadow()->SetSmooth(false);
  const QStringList Shapes = C.Redraw();
  // The shadow and the bar of the second point only.
  ASSERT_EQ(Shapes.size(), 2);
  EXPECT_TRUE(Shapes[0].endsWith(QStringLiteral("brush 808080")));
  EXPECT_TRUE(Shapes[1].endsWith(QStringLiteral("brush 0080C0")));
}

TEST(BarDrawing, HitTestFollowsBarStyleNotThePointsStyle)
{
  TBarChart C;
  C.BottomAxis()->SetMinMax(-1, 2); // bars 94 pixels wide, 133 apart
  TBarSeries* S = C.AddBars({20, 30});
  S->OnGetBarStyle = [](TCustomBarSeries*, int32_t, TBarStyle& Style) { Style = bsPyramid; };
  C.Draw();
  const TRect R = S->CalcBarBounds(1);
  // A corner of the rectangle, outside the drawn pyramid.
  EXPECT_EQ(S->Clicked(R.Left + 1, R.Top + 1), 1);
  S->SetBarStyle(bsPyramid);
  C.Draw();
  EXPECT_EQ(S->Clicked(R.Left + 1, R.Top + 1), -1);
  EXPECT_EQ(S->Clicked((R.Left + R.Right) / 2, R.Bottom - 2), 1);
  EXPECT_EQ(S->Clicked(R.Right + 20, R.Bottom - 2), -1);
}

TEST(BarDrawing, PatternsCycleThroughSixHatches)
{
  EXPECT_EQ(GetDefaultPattern(0), bsHorizontal);
  EXPECT_EQ(GetDefaultPattern(5), bsDiagCross);
  EXPECT_EQ(GetDefaultPattern(7), bsVertical);
}

// Room on the value axis for a wide pen (width 4: 2 + 2 + 1 pixels) on the
// side(s) of the origin where bars end; marks hidden.
TEST(BarLayout, ValueAxisRoomWhereBarsEnd)
{
  struct Case {
    const char* Name;
    bool Horizontal, Inverted;
    std::vector<double> Values;
    int32_t AtMinimum, AtMaximum; // bottom and top, or left and right
  };
  const Case Cases[] = {
      {"upwards", false, false, {1, 2}, 0, 5},
      {"both ways", false, false, {-1, 2}, 5, 5},
      {"upwards on an inverted axis", false, true, {1, 2}, 5, 0},
      {"leftwards", true, false, {-1, -2}, 5, 0},
      {"leftwards on an inverted axis", true, true, {-1, -2}, 0, 5},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TBarChart C;
    TCustomBarSeries* S = K.Horizontal ? static_cast<TCustomBarSeries*>(new THorizBarSeries(&C))
                                       : static_cast<TCustomBarSeries*>(new TBarSeries(&C));
    C.AddSeries(S);
    S->Marks()->SetVisible(false);
    S->BarPen()->SetWidth(4);
    for (double V : K.Values)
      S->Add(V);
    (K.Horizontal ? C.BottomAxis() : C.LeftAxis())->SetInverted(K.Inverted);
    C.Draw();
    int32_t A = 0, B = 0;
    if (K.Horizontal)
      S->CalcHorizMargins(A, B); // left, right
    else
      S->CalcVerticalMargins(B, A); // top, bottom
    EXPECT_EQ(A, K.AtMinimum);
    EXPECT_EQ(B, K.AtMaximum);
  }
}
