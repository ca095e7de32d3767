// The chart's side of the mouse without a window: what lies under a point
// (the order in which parts are tested), a zoom rectangle mapped by the
// axes or by a series with its own mapping, zooming by percent, the scales
// saved before the first zoom and given back by undo, and the scroll veto.
#include "CoreTestSupport.h"

#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTitle.h"
#include "chart/core/ZuzSelected.h"
#include "chart/core/ZuzPanning.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

class TQuietSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
};

// A series that maps the plot itself: x = pixel / 10, y = -pixel.
class TOwnMapping : public TChartSeries {
public:
  explicit TOwnMapping(TComponent* AOwner) : TChartSeries(AOwner) { ZoomSeries = true; }
  double XScreenToValue(int32_t Pixel) const override { return Pixel / 10.0; }
  double YScreenToValue(int32_t Pixel) const override { return -Pixel; }
};

class ChartZoom : public ::testing::Test {
protected:
  void SetUp() override
  {
    C.SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
    C.SetView3D(false);
    C.Legend()->SetVisible(false);
    S = new TQuietSeries(&C);
    C.AddSeries(S);
    for (int I = 0; I <= 10; ++I)
      S->AddXY(I, I * I);
    C.Draw();
  }
  TImageTChart C{400, 300};
  TQuietSeries* S = nullptr;
};

} // namespace

TEST(ChartHitTest, WhatLiesUnderAPoint)
{
  TImageTChart C(400, 300);
  C.SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
  C.SetView3D(false);
  C.Title()->SetCaption(QStringLiteral("Cast"));
  auto* S = new TDotSeries(&C);
  C.AddSeries(S);
  S->SetTitle(QStringLiteral("Depth"));
  for (int I = 0; I < 5; ++I)
    S->AddXY(I, 10 + I);
  auto* T = new TDotSeries(&C);
  C.AddSeries(T);
  T->SetTitle(QStringLiteral("Speed"));
  T->AddXY(0, 14);
  C.Draw();
  const TRect R = C.ChartRect;
  const TRect L = C.Legend()->GetRectLegend();
  const TRect Ti = C.Title()->ShapeBounds;
  const TPoint Point2{S->CalcXPos(2), S->CalcYPos(2)};
  const TPoint Empty{(R.Left + R.Right) / 2 + 20, R.Bottom - 20};
  ASSERT_EQ(S->Clicked(Empty), -1);
  struct Case {
    const char* Name;
    TPoint P;
    bool OnlyNeeded;
    TChartClickedPartStyle Part;
    int32_t Index;
  };
  const Case Cases[] = {
      {"a point", Point2, false, cpSeries, 2},
      {"a point nobody asks about", Point2, true, cpChartRect, -1},
      {"the left axis line", {R.Left - 1, (R.Top + R.Bottom) / 2}, false, cpAxis, -1},
      {"a legend row", {(L.Left + L.Right) / 2, C.Legend()->FirstItemTop() + 3}, false, cpLegend, 0},
      {"the title", {(Ti.Left + Ti.Right) / 2, (Ti.Top + Ti.Bottom) / 2}, false, cpTitle, -1},
      {"the plot", Empty, false, cpChartRect, -1},
      {"outside every part", {1, 299}, false, cpNone, -1},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    const TChartClickedPart P = C.CalcNeedClickedPart(K.P, K.OnlyNeeded);
    EXPECT_EQ(P.Part, K.Part);
    EXPECT_EQ(P.PointIndex, K.Index);
    EXPECT_EQ(P.ASeries, K.Part == cpSeries ? S : nullptr);
    EXPECT_EQ(P.AAxis, K.Part == cpAxis ? C.LeftAxis() : nullptr);
  }
  // The series drawn last is tested first.
  EXPECT_EQ(C.CalcNeedClickedPart(TPoint{T->CalcXPos(0), T->CalcYPos(0)}, false).ASeries, T);
  // With OnClickSeries assigned every series is tested.
  C.OnClickSeries = [](TCustomChart*, TChartSeries*, int32_t, TMouseButton, TShiftState, int32_t, int32_t) {};
  EXPECT_EQ(C.CalcNeedClickedPart(Point2, true).Part, cpSeries);
  // A legend floating over the plot comes before the series under it.
  C.Legend()->SetLeft(Point2.X - 10);
  C.Legend()->SetTop(Point2.Y - 5);
  C.Draw();
  EXPECT_EQ(C.CalcNeedClickedPart(Point2, false).Part, cpLegend);
  // Without an active series the plot is nobody's.
  S->SetActive(false);
  T->SetActive(false);
  C.Legend()->SetVisible(false);
  C.Draw();
  EXPECT_EQ(C.CalcNeedClickedPart(Empty, false).Part, cpNone);
}

TEST_F(ChartZoom, ARectangleMappedByASeriesOfItsOwn)
{
  auto* Own = new TOwnMapping(&C);
  C.AddSeries(Own);
  Own->AddXY(0, 0);
  C.Draw();
  C.ZoomRect(TRect{100, 50, 200, 150});
  for (TChartAxis* A : {C.BottomAxis(), C.TopAxis()}) {
    EXPECT_DOUBLE_EQ(A->Minimum(), 10);
    EXPECT_DOUBLE_EQ(A->Maximum(), 20);
  }
  for (TChartAxis* A : {C.LeftAxis(), C.RightAxis()}) {
    EXPECT_DOUBLE_EQ(A->Minimum(), -150);
    EXPECT_DOUBLE_EQ(A->Maximum(), -50);
  }
  // Only the last active series that zooms decides.
  C.UndoZoom();
  Own->SetActive(false);
  C.Draw();
  const double Expected = C.BottomAxis()->CalcPosPoint(100);
  C.ZoomRect(TRect{100, 50, 200, 150});
  EXPECT_DOUBLE_EQ(C.BottomAxis()->Minimum(), Expected);
}

TEST_F(ChartZoom, ZoomingByPercent)
{
  struct Case {
    const char* Name;
    TZuzZoomDirection Direction;
    double Percent;
    bool Horizontal, Vertical;
  };
  const Case Cases[] = {
      {"in, both", tzdBoth, 110, true, true},
      {"out, both", tzdBoth, 90, true, true},
      {"in, horizontal only", tzdHorizontal, 110, true, false},
      {"in, vertical only", tzdVertical, 120, false, true},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    C.UndoZoom();
    C.Draw();
    C.Zoom()->SetDirection(K.Direction);
    TChartAxis* B = C.BottomAxis();
    TChartAxis* L = C.LeftAxis();
    const double BMin = B->CalcPosPoint(B->IStartPos), BMax = B->CalcPosPoint(B->IEndPos);
    const double LMin = L->CalcPosPoint(L->IEndPos), LMax = L->CalcPosPoint(L->IStartPos);
    ASSERT_LT(BMin, BMax);
    ASSERT_LT(LMin, LMax);
    C.ZoomPercent(K.Percent);
    EXPECT_TRUE(C.Zoomed());
    const double F = (K.Percent - 100) * 0.01;
    EXPECT_NEAR(B->Minimum(), K.Horizontal ? BMin + (BMax - BMin) * F : BMin, 1e-9);
    EXPECT_NEAR(B->Maximum(), K.Horizontal ? BMax - (BMax - BMin) * F : BMax, 1e-9);
    EXPECT_NEAR(L->Minimum(), K.Vertical ? LMin + (LMax - LMin) * F : LMin, 1e-9);
    EXPECT_NEAR(L->Maximum(), K.Vertical ? LMax - (LMax - LMin) * F : LMax, 1e-9);
  }
}

TEST_F(ChartZoom, CustomAxesKeepTheirScalesAndUndoRestoresEveryAxis)
{
  TChartAxis* Custom = C.CustomAxes()->Add();
  Custom->SetMinMax(-5, 5);
  const bool WasAutomatic = C.LeftAxis()->Automatic();
  ASSERT_TRUE(WasAutomatic);
  C.Draw();
  const double LMin = C.LeftAxis()->IMinimum, LMax = C.LeftAxis()->IMaximum;
  C.ZoomRect(TRect{C.ChartRect.Left + 10, C.ChartRect.Top + 10, C.ChartRect.Left + 100, C.ChartRect.Top + 100});
  EXPECT_DOUBLE_EQ(Custom->Minimum(), -5);
  EXPECT_DOUBLE_EQ(Custom->Maximum(), 5);
  EXPECT_FALSE(C.LeftAxis()->Automatic());
  // A second zoom and a wheel scroll later, undo goes back to the start.
  C.Draw();
  C.ZoomPercent(120);
  C.ScrollVerticalAxes(true);
  EXPECT_FALSE(C.RestoredAxisScales);
  C.UndoZoom();
  EXPECT_TRUE(C.RestoredAxisScales);
  EXPECT_FALSE(C.Zoomed());
  EXPECT_TRUE(C.LeftAxis()->Automatic());
  C.Draw();
  EXPECT_DOUBLE_EQ(C.LeftAxis()->IMinimum, LMin);
  EXPECT_DOUBLE_EQ(C.LeftAxis()->IMaximum, LMax);
  EXPECT_FALSE(Custom->Automatic());
  EXPECT_DOUBLE_EQ(Custom->Minimum(), -5);
}

TEST_F(ChartZoom, TheScrollVeto)
{
  TChartAxis* L = C.LeftAxis();
  const double Min = L->Minimum(), Max = L->Maximum();
  // The wheel asks but does not take changed values.
  C.OnAllowScroll = [](TChartAxis*, double& AMin, double& AMax, bool&) {
    AMin = 1000;
    AMax = 2000;
  };
  C.ScrollVerticalAxes(true);
  const double Step = (Max - Min) * 0.03;
  EXPECT_DOUBLE_EQ(L->Minimum(), Min + Step);
  // A refusal leaves the axis where it is.
  C.OnAllowScroll = [](TChartAxis*, double&, double&, bool& Allow) { Allow = false; };
  C.ScrollVerticalAxes(false);
  EXPECT_DOUBLE_EQ(L->Minimum(), Min + Step);
  EXPECT_DOUBLE_EQ(L->Maximum(), Max + Step);
}

namespace {
class THoverChart : public TImageTChart {
public:
  using TCustomChart::MouseMove;
  using TImageTChart::TImageTChart;
};
} // namespace

TEST(ChartHitTest, TheHoveredLegendItemFollowsTheMouse)
{
  THoverChart C(400, 300);
  C.SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
  C.SetView3D(false);
  C.Hover()->SetVisible(true);
  std::vector<TDotSeries*> S;
  for (int K = 0; K < 3; ++K) {
    S.push_back(new TDotSeries(&C));
    C.AddSeries(S.back());
    S.back()->SetTitle(QStringLiteral("S%1").arg(K));
    for (int I = 0; I < 6; ++I)
      S.back()->AddXY(I, I + K);
    S.back()->Selected(); // its hover format shows: it follows the mouse
  }
  C.Draw();
  TChartLegend* L = C.Legend();
  const TRect B = L->GetRectLegend();
  const int32_t X = (B.Left + B.Right) / 2;
  const auto Row = [&](int32_t R) { return L->FirstItemTop() + 1 + R * L->ItemHeight + L->ItemHeight / 2; };
  const auto On = [&](int K, int32_t I) {
    C.MouseMove(0, S[static_cast<size_t>(K)]->CalcXPos(I), S[static_cast<size_t>(K)]->CalcYPos(I));
  };

  // A series legend: the row under the mouse, else the series with a
  // hovered point, counted among those in the legend.
  C.MouseMove(0, X, Row(1));
  EXPECT_EQ(L->Selected()->HoverIndex(), 1);
  On(2, 4);
  EXPECT_EQ(S[2]->Selected()->HoverIndex(), 4);
  EXPECT_EQ(L->Selected()->HoverIndex(), 2);
  S[0]->SetShowInLegend(false);
  On(2, 3);
  EXPECT_EQ(L->Selected()->HoverIndex(), 1);
  S[2]->SetShowInLegend(false);
  On(2, 4);
  EXPECT_EQ(L->Selected()->HoverIndex(), -1);

  // A values legend: the row hovers the point, the point hovers the row.
  S[0]->SetShowInLegend(true);
  S[2]->SetShowInLegend(true);
  L->SetLegendStyle(lsValues);
  L->SetSeries(S[1]);
  C.Draw();
  C.MouseMove(0, X, Row(3));
  EXPECT_EQ(S[1]->Selected()->HoverIndex(), 3);
  EXPECT_EQ(L->Selected()->HoverIndex(), 3);
  On(1, 5);
  EXPECT_EQ(S[1]->Selected()->HoverIndex(), 5);
  EXPECT_EQ(L->Selected()->HoverIndex(), 5);
}
