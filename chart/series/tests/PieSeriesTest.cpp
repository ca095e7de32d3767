// The pie series: slice angles (grouping into the other slice, zero and
// negative values, half pies), exploded slices, concentric rings, the
// angles a 2D donut is drawn with, the slice lists kept in step with the
// points, the legend items of grouped points, mark placement, and the
// circle geometry of circled series.
#include "chart/core/tests/CoreTestSupport.h"

#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzGeometry.h"
#include "chart/series/PieSeries.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;

// Logs the slices drawn in 2D with their angles (degrees).
class TSliceLogCanvas : public TRecordingCanvas {
public:
  using TRecordingCanvas::Pie;
  void Pie(const TRect& R, double Start, double End) override
  {
    Slices << QStringLiteral("Pie %1..%2 r%3").arg(Start).arg(End).arg((R.Right - R.Left) / 2);
  }
  void Donut(int32_t, int32_t, int32_t XRadius, int32_t, double Start, double End, double Hole) override
  {
    Slices << QStringLiteral("Donut %1..%2 r%3 hole %4").arg(Start).arg(End).arg(XRadius).arg(Hole);
  }
  QStringList Slices;
};

class TPieChart : public TImageChart {
public:
  TPieChart() : TImageChart(400, 300)
  {
    auto C = std::make_unique<TSliceLogCanvas>();
    Canvas = C.get();
    SetInternalCanvas(std::move(C));
    SetView3D(false);
    SetAxisVisible(false);
  }
  TPieSeries* AddPie(std::vector<double> Values, bool Marks = false)
  {
    auto* S = new TPieSeries(this);
    AddSeries(S);
    S->Marks()->SetVisible(Marks);
    S->Shadow()->SetVisible(false);
    S->Emboss()->SetVisible(false);
    for (double V : Values)
      S->Add(V);
    return S;
  }
  TSliceLogCanvas* Canvas;
};

// "start..end" of each slice in whole degrees.
QStringList AnglesOf(TPieSeries* S)
{
  QStringList Result;
  for (const TPieAngle& A : S->Angles())
    Result
        << QStringLiteral("%1..%2").arg(std::lround(A.StartAngle * 180 / Pi)).arg(std::lround(A.EndAngle * 180 / Pi));
  return Result;
}

} // namespace

TEST(PieSeries, SliceAngles)
{
  struct Case {
    const char* Name;
    std::vector<double> Values;
    std::function<void(TPieSeries*)> Setup;
    QStringList Angles;
    QStringList Labels; // of the points after the paint ("" for none)
  };
  const auto None = [](TPieSeries*) {};
  const Case Cases[] = {
      {"proportional", {10, 20, 70}, None, {"0..36", "36..108", "108..360"}, {"", "", ""}},
      {"negative values count by size", {10, 0, -30}, None, {"0..90", "90..90", "90..360"}, {"", "", ""}},
      // With nothing to share out, the first slice takes the whole pie.
      {"all zero", {0, 0, 0}, None, {"0..360", "360..360", "360..360"}, {"", "", ""}},
      {"half pie", {1, 1}, [](TPieSeries* S) { S->SetAngleSize(180); }, {"0..90", "90..180"}, {"", ""}},
      // 10 % is below 15 %: the point leaves its slice to "Other".
      {"grouped below a percentage",
       {10, 20, 70},
       [](TPieSeries* S) {
         S->OtherSlice()->SetStyle(poBelowPercent);
         S->OtherSlice()->SetValue(15);
       },
       {"0..0", "0..72", "72..324", "324..360"},
       {"", "", "", "Other"}},
      // Exactly at the limit is not below it.
      {"not grouped at the limit",
       {15, 20, 65},
       [](TPieSeries* S) {
         S->OtherSlice()->SetStyle(poBelowPercent);
         S->OtherSlice()->SetValue(15);
       },
       {"0..54", "54..126", "126..360"},
       {"", "", ""}},
      {"grouped below a value, own text",
       {10, 20, 70},
       [](TPieSeries* S) {
         S->OtherSlice()->SetStyle(poBelowValue);
         S->OtherSlice()->SetValue(25);
         S->OtherSlice()->SetText(QStringLiteral("Rest"));
       },
       {"0..0", "0..0", "0..252", "252..360"},
       {"", "", "", "Rest"}},
      {"all zero, nothing grouped",
       {0, 0},
       [](TPieSeries* S) {
         S->OtherSlice()->SetStyle(poBelowValue);
         S->OtherSlice()->SetValue(5);
       },
       {"0..360", "360..360"},
       {"", ""}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TPieChart C;
    TPieSeries* S = C.AddPie(K.Values);
    K.Setup(S);
    C.Draw();
    EXPECT_EQ(AnglesOf(S), K.Angles);
    QStringList Labels;
    for (int I = 0; I < S->Count(); ++I)
      Labels << S->XLabel(I);
    EXPECT_EQ(Labels, K.Labels);
  }
}

TEST(PieSeries, OtherSliceExistsOnlyForOnePaint)
{
  TPieChart C;
  TPieSeries* S = C.AddPie({10, 20, 70});
  S->OtherSlice()->SetStyle(poBelowPercent);
  S->OtherSlice()->SetValue(15);
  C.Draw();
  ASSERT_EQ(S->Count(), 4);
  EXPECT_DOUBLE_EQ(S->YValue(3), 10);
  EXPECT_TRUE(S->BelongsToOtherSlice(0));
  // The legend lists the ungrouped points and "Other".
  EXPECT_EQ(S->CountLegendItems(), 3);
  EXPECT_EQ(S->LegendToValueIndex(0), 1);
  EXPECT_EQ(S->LegendToValueIndex(2), 3);
  // The next paint rebuilds it instead of adding a second one.
  S->OtherSlice()->SetValue(25);
  C.Draw();
  ASSERT_EQ(S->Count(), 4);
  EXPECT_DOUBLE_EQ(S->YValue(3), 30);
  S->OtherSlice()->SetStyle(poNone);
  C.Draw();
  EXPECT_EQ(S->Count(), 3);
}

// A pie written to a chart file after a paint holds its own points, not the
// slice the paint grouped them into.
TEST(PieSeries, TheOtherSliceIsNotWrittenWithThePoints)
{
  TPieChart C;
  TPieSeries* S = C.AddPie({10, 20, 70});
  S->OtherSlice()->SetStyle(poBelowPercent);
  S->OtherSlice()->SetValue(15);
  C.Draw();
  ASSERT_EQ(S->Count(), 4);
  TBytesStream Bytes;
  S->WriteData(Bytes);
  TPieSeries Back(nullptr);
  Bytes.SetPosition(0);
  Back.ReadData(Bytes);
  ASSERT_EQ(Back.Count(), 3);
  for (int32_t I = 0; I < 3; ++I)
    EXPECT_DOUBLE_EQ(Back.YValue(I), S->YValue(I));
}

// Both canvases take the angles of a 2D donut in degrees, as those of a
// pie: slices given in radians would all crowd into the first 6 degrees.
TEST(PieSeries, DonutSlicesDrawnInDegrees)
{
  TPieChart C;
  TPieSeries* S = C.AddPie({1, 3});
  S->SetDonutPercent(50);
  S->SetRotationAngle(90);
  C.Draw();
  const int R = S->XRadius();
  EXPECT_EQ(C.Canvas->Slices, (QStringList{QStringLiteral("Donut 90..180 r%1 hole 50").arg(R),
                                           QStringLiteral("Donut 180..450 r%1 hole 50").arg(R)}));
  // The bevel ring is drawn over each slice with its own hole.
  C.Canvas->Slices.clear();
  S->SetDonutPercent(0);
  S->SetBevelPercent(20);
  C.Draw();
  EXPECT_EQ(
      C.Canvas->Slices,
      (QStringList{QStringLiteral("Pie 90..180 r%1").arg(R), QStringLiteral("Donut 90..180 r%1 hole 80").arg(R),
                   QStringLiteral("Pie 180..450 r%1").arg(R), QStringLiteral("Donut 180..450 r%1 hole 80").arg(R)}));
}

TEST(PieSeries, ConcentricPiesNestAsRings)
{
  TPieChart C;
  std::vector<TPieSeries*> Pies;
  for (int I = 0; I < 3; ++I) {
    Pies.push_back(C.AddPie({1, 1}));
    Pies.back()->SetMultiPie(mpConcentric);
  }
  TPieChart Single;
  TPieSeries* Whole = Single.AddPie({1, 1});
  Single.Draw();
  C.Draw();
  const int Full = Whole->XRadius();
  const double Scale[3] = {0.33, 0.66, 0.99};
  for (int I = 0; I < 3; ++I)
    EXPECT_EQ(Pies[I]->XRadius(), std::lround(Full * Scale[I])) << I;
  // The first is a disc, every later one a ring around the one before.
  const QStringList& L = C.Canvas->Slices;
  ASSERT_EQ(L.size(), 6);
  EXPECT_TRUE(L[0].startsWith(QStringLiteral("Pie")));
  EXPECT_TRUE(
      L[2].endsWith(QStringLiteral("hole %1").arg(std::lround(Pies[0]->XRadius() * 100.0 / Pies[1]->XRadius()))));
  EXPECT_TRUE(
      L[4].endsWith(QStringLiteral("hole %1").arg(std::lround(Pies[1]->XRadius() * 100.0 / Pies[2]->XRadius()))));
  // The hole lasts one paint; the pie's own setting stays.
  EXPECT_EQ(Pies[1]->DonutPercent(), 0);
}

TEST(PieSeries, ExplodeBiggestKeepsTheSliceInside)
{
  TPieChart Plain;
  TPieSeries* P = Plain.AddPie({5, 9, 9});
  Plain.Draw();
  TPieChart C;
  TPieSeries* S = C.AddPie({5, 9, 9});
  S->SetExplodeBiggest(30);
  C.Draw();
  // The first of the equal biggest slices moves out.
  EXPECT_EQ(S->ExplodedSlice().Get(1), 30);
  EXPECT_EQ(S->ExplodedSlice().Get(2), 0);
  int32_t DX = 0, DY = 0;
  S->CalcExplodedOffset(1, DX, DY);
  EXPECT_LT(DX, 0); // its middle is left of the centre (at 180 degrees)
  // The circle shrinks by half the offset at each side.
  EXPECT_GE(S->CircleRect().Left, P->CircleRect().Left + std::abs(DX) / 2);
  EXPECT_LE(S->CircleRect().Right, P->CircleRect().Right - std::abs(DX) / 2);
}

TEST(PieSeries, SliceListsFollowThePoints)
{
  TPieChart C;
  TPieSeries* S = C.AddPie({1, 2, 3, 4});
  S->ExplodedSlice().Put(1, 10);
  S->ExplodedSlice().Put(2, 20);
  S->ExplodedSlice().Put(3, 30);
  EXPECT_EQ(S->ExplodedSlice().Get(7), 0); // past the end
  S->Delete(2);
  EXPECT_EQ(S->ExplodedSlice().Get(1), 10);
  EXPECT_EQ(S->ExplodedSlice().Get(2), 30);
  // Sorting the values takes the explode percents along.
  S->YValues()->SetOrder(loDescending);
  C.Draw();
  EXPECT_DOUBLE_EQ(S->YValue(0), 4);
  EXPECT_EQ(S->ExplodedSlice().Get(0), 30);
  EXPECT_EQ(S->ExplodedSlice().Get(1), 10);
  EXPECT_EQ(S->ExplodedSlice().Get(2), 0);
}

TEST(PieSeries, MarksAroundThePie)
{
  TPieChart C;
  TPieSeries* S = C.AddPie({1}, true);
  // A whole pie's mark stands right of the centre.
  std::vector<TSeriesMarkPosition> Seen;
  S->Marks()->SetVisible(true);
  C.Draw();
  const TSeriesMarkPosition* P = S->Marks()->Positions().Get(0);
  ASSERT_NE(P, nullptr);
  EXPECT_GT(P->LeftTop.X, S->CircleXCenter());
  // Zero slices have no mark unless asked for.
  TPieChart Z;
  TPieSeries* T = Z.AddPie({0, 5}, true);
  Z.Draw();
  EXPECT_EQ(T->Marks()->Positions().Get(0), nullptr);
  T->PieMarks()->SetEmptySlice(true);
  Z.Draw();
  EXPECT_NE(T->Marks()->Positions().Get(0), nullptr);
}

TEST(PieSeries, MarkQuadrantsAndRotatedText)
{
  TPieChart C;
  TPieSeries* S = C.AddPie({1});
  struct Row {
    double Degrees;
    TTailEdge Edge;
    TTailAlign Align;
  };
  const Row Rows[] = {{10, tteLeft, ttaFar},   {50, tteBottom, ttaNear}, {100, tteBottom, ttaFar},
                      {150, tteRight, ttaFar}, {200, tteRight, ttaNear}, {250, tteTop, ttaFar},
                      {300, tteTop, ttaNear},  {330, tteLeft, ttaNear}};
  for (const Row& R : Rows) {
    TTailAlign Align = ttaCenter;
    EXPECT_EQ(S->GetMarkQuadrant(Align, R.Degrees * Pi / 180), R.Edge) << R.Degrees;
    EXPECT_EQ(Align, R.Align) << R.Degrees;
  }
}

TEST(CircledSeries, CircleGeometry)
{
  TPieChart C;
  TPieSeries* S = C.AddPie({1, 1});
  C.Draw();
  // Circled: the longer side is trimmed so that both radii are equal.
  EXPECT_EQ(S->XRadius(), S->YRadius());
  const int CX = S->CircleXCenter(), CY = S->CircleYCenter();
  EXPECT_DOUBLE_EQ(S->PointToAngle(CX, CY - 10), Pi / 2);
  EXPECT_DOUBLE_EQ(S->PointToAngle(CX - 10, CY), Pi);
  S->SetRotationAngle(90);
  EXPECT_NEAR(S->PointToAngle(CX, CY - 10), 0, 1e-12);
  int32_t X, Y;
  S->AngleToPos(0, 10, 10, X, Y);
  EXPECT_EQ(X, CX); // turned a quarter: 3 o'clock becomes 12
  EXPECT_EQ(Y, CY - 10);
  // A negative rotation stays negative.
  S->SetRotationAngle(-390);
  EXPECT_EQ(S->RotationAngle(), -30);
  // Custom radii are shared by the pies of a chart; Circled clears them.
  TPieSeries* Other = C.AddPie({1});
  S->SetCustomXRadius(40);
  EXPECT_EQ(Other->CustomXRadius(), 40);
  S->SetCircled(false);
  EXPECT_EQ(Other->CustomXRadius(), 0);
  EXPECT_FALSE(Other->Circled());
}

TEST(CircledSeries, TinyChartRectangleGivesTheSmallestCircle)
{
  TPieChart C;
  TPieSeries* S = C.AddPie({1});
  S->SetCircled(false);
  C.SetCustomChartRect(true);
  C.SetChartRect(TRect{10, 10, 13, 13});
  C.Draw();
  EXPECT_EQ(S->CircleWidth(), 4);
  EXPECT_EQ(S->CircleHeight(), 4);
}

// Turned marks never stand upside down: the angle of each mark, as the
// canvas is asked to turn its text.
TEST(PieSeries, RotatedMarks)
{
  struct Case {
    const char* Name;
    TRotateStyle Style;
    std::vector<double> Values;
    QStringList Angles;
  };
  const Case Cases[] = {
      // Middles at 45 and 225 degrees: the second turns by half a turn.
      {"radial", rsRadial, {1, 3}, {"45", "45"}},
      // Middles at 135 and 315.
      {"radial, left half", rsRadial, {3, 1}, {"315", "315"}},
      // Along the rim: 135 and 315, the first turned by half a turn.
      {"along the rim", rsTangencial, {1, 3}, {"315", "315"}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TPieChart C;
    TPieSeries* S = C.AddPie(K.Values, true);
    S->PieMarks()->SetRotated(true);
    S->PieMarks()->SetRotateStyle(K.Style);
    C.Canvas->Log.clear();
    C.Draw();
    QStringList Angles;
    for (const QString& L : C.Canvas->Calls(QStringLiteral("RotateLabel")))
      Angles << L.section(QLatin1Char(','), 2).chopped(1);
    EXPECT_EQ(Angles, K.Angles);
    EXPECT_EQ(S->Marks()->Angle(), 0); // put back after each mark
  }
}

TEST(PieSeries, MarksInsideTheSlices)
{
  TPieChart C;
  TPieSeries* S = C.AddPie({1, 1}, true);
  S->PieMarks()->SetInsideSlice(true);
  ASSERT_TRUE(S->Marks()->Arrow()->Visible());
  C.Draw();
  // Centred half way out along the slice's middle, without an arrow that
  // outlives the mark.
  const TSeriesMarkPosition* P = S->Marks()->Positions().Get(0);
  ASSERT_NE(P, nullptr);
  int32_t X, Y;
  S->AngleToPos(Pi / 2, S->XRadius() * 0.5, S->YRadius() * 0.5, X, Y);
  EXPECT_EQ(P->LeftTop.X, X - P->Width / 2);
  EXPECT_EQ(P->LeftTop.Y, Y - P->Height / 2);
  EXPECT_TRUE(S->Marks()->Arrow()->Visible());
  // Inside marks take no room: the pie fills the chart's height.
  EXPECT_EQ(S->CircleHeight(), C.ChartRect.Bottom - C.ChartRect.Top - (C.ChartRect.Bottom - C.ChartRect.Top) % 2);
}
// Small neighbouring slices on both sides of the pie: each mark moves clear
// of the one before it, the way the slices run.
TEST(PieSeries, MarksOfSmallSlicesDoNotOverlap)
{
  TPieChart C;
  TPieSeries* S = C.AddPie({1, 1, 1, 1, 1, 40, 1, 1, 1, 1, 1, 40}, true);
  C.Draw();
  TSeriesMarks* M = S->Marks();
  std::vector<TRect> Boxes;
  for (int I = 0; I < S->Count(); ++I) {
    const TSeriesMarkPosition* P = M->Positions().Get(I);
    ASSERT_NE(P, nullptr) << I;
    Boxes.push_back(M->TotalBounds(I, *P));
  }
  for (size_t I = 0; I < Boxes.size(); ++I)
    for (size_t J = I + 1; J < Boxes.size(); ++J) {
      TRect Both;
      EXPECT_FALSE(ZuzRectIntersects(Both, Boxes[I], Boxes[J])) << I << " and " << J;
    }
}
