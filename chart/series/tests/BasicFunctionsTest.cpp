// The basic functions: each combination over value sets worked out by hand
// (empty, one value, ties, zero divisors, NaN), then the whole road through
// output series for the kinds with their own calculation (whole-series
// shortcuts with nulls, median and mode gathered sorted, Pareto, y = f(x),
// subset), and the gallery registration in its order.
#include "chart/core/tests/CoreTestSupport.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzSeriesTypes.h"
#include "chart/series/BasicFunctions.h"
#include "platform/ClassRegistry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

TChartSeries* NewSource(TCustomAxisPanel& C, const std::vector<double>& Y)
{
  auto* S = new TChartSeries(&C);
  C.AddSeries(S);
  for (double V : Y)
    S->Add(V);
  return S;
}

TChartSeries* NewOutput(TCustomAxisPanel& C, TZuzFunction* F, TChartSeries* Source)
{
  auto* Out = new TChartSeries(&C);
  C.AddSeries(Out);
  Out->SetFunction(F);
  if (Source)
    Out->SetDataSource(Source);
  return Out;
}

// The values gathered in arrival order, as the base gathers them.
double Combine(TZuzFunction& F, const std::vector<double>& In)
{
  TFunctionValues V(In.size());
  for (size_t I = 0; I < In.size(); ++I)
    F.AddValue(V, static_cast<int32_t>(I), In[I]);
  return F.CalculateValue(V);
}

} // namespace

TEST(BasicFunctions, CombinationsWorkedOutByHand)
{
  using TMake = std::function<std::unique_ptr<TZuzFunction>()>;
  const auto Make = [](auto* Tag) -> TMake {
    using T = std::remove_pointer_t<decltype(Tag)>;
    return [] { return std::make_unique<T>(nullptr); };
  };
  const double NaN = std::nan("");
  const struct {
    const char* Name;
    TMake New;
    std::vector<double> Values;
    double Expected;
  } Cases[] = {
      {"add", Make((TAddZuzFunction*)nullptr), {1, 2, 3.5}, 6.5},
      {"add none", Make((TAddZuzFunction*)nullptr), {}, 0},
      {"subtract", Make((TSubtractZuzFunction*)nullptr), {10, 3, 2}, 5},
      {"subtract one", Make((TSubtractZuzFunction*)nullptr), {7}, 7},
      {"multiply", Make((TMultiplyZuzFunction*)nullptr), {2, -3, 0.5}, -3},
      {"multiply none", Make((TMultiplyZuzFunction*)nullptr), {}, 0},
      {"divide skips a zero divisor", Make((TDivideZuzFunction*)nullptr), {10, 0, 5}, 2},
      {"divide a zero", Make((TDivideZuzFunction*)nullptr), {0, 4}, 0},
      {"high", Make((THighZuzFunction*)nullptr), {3, -1, 9, 2}, 9},
      {"high none", Make((THighZuzFunction*)nullptr), {}, 0},
      {"low", Make((TLowZuzFunction*)nullptr), {3, -1, 9, 2}, -1},
      {"average", Make((TAverageZuzFunction*)nullptr), {1, 2, 6}, 3},
      {"average none", Make((TAverageZuzFunction*)nullptr), {}, 0},
      {"median odd", Make((TMedianZuzFunction*)nullptr), {3, 1, 2}, 2},
      {"median even", Make((TMedianZuzFunction*)nullptr), {4, 1, 3, 2}, 2.5},
      {"median one", Make((TMedianZuzFunction*)nullptr), {8}, 8},
      {"median none", Make((TMedianZuzFunction*)nullptr), {}, 0},
      // NaN sorts after every number: the median of the numbers' side.
      {"median with NaN", Make((TMedianZuzFunction*)nullptr), {NaN, 5, 1}, 5},
      {"mode first of equal runs", Make((TModeZuzFunction*)nullptr), {1, 1, 2, 2, 3}, 1},
      {"mode longest run", Make((TModeZuzFunction*)nullptr), {5, 2, 2}, 2},
      {"mode one", Make((TModeZuzFunction*)nullptr), {7}, 7},
      {"mode none", Make((TModeZuzFunction*)nullptr), {}, 0},
      {"mode unsorted arrival", Make((TModeZuzFunction*)nullptr), {3, 9, 3, 1, 9, 3}, 3},
  };
  for (const auto& K : Cases) {
    auto F = K.New();
    EXPECT_EQ(Combine(*F, K.Values), K.Expected) << K.Name;
  }
}

TEST(BasicFunctions, SortedGatheringKeepsEqualValuesInArrivalOrder)
{
  TMedianZuzFunction F(nullptr);
  TFunctionValues V(6);
  const double In[] = {3, -0.0, 1, 0.0, std::nan(""), 1};
  for (int I = 0; I < 6; ++I)
    F.AddValue(V, I, In[I]);
  EXPECT_EQ(V[0], 0);
  EXPECT_TRUE(std::signbit(V[0])); // -0 arrived before +0
  EXPECT_FALSE(std::signbit(V[1]));
  EXPECT_EQ(V[2], 1);
  EXPECT_EQ(V[3], 1);
  EXPECT_EQ(V[4], 3);
  EXPECT_TRUE(std::isnan(V[5]));
}

TEST(BasicFunctions, WholeSeriesResultsAndPeriodsThroughOutputSeries)
{
  const struct {
    const char* Name;
    std::function<TZuzFunction*(TComponent*)> New;
    double Period;
    bool NullAtIndex1;
    bool IncludeNulls;
    std::vector<double> Y;
    std::vector<double> Expected;
  } Cases[] = {
      // Over all points: one result; with nulls included the list's own
      // statistics, the null counting with its stored value.
      {"average of all with a null",
       [](TComponent* O) { return new TAverageZuzFunction(O); },
       0,
       true,
       true,
       {2, 10, 6},
       {6}},
      {"average of all without nulls",
       [](TComponent* O) { return new TAverageZuzFunction(O); },
       0,
       true,
       false,
       {2, 10, 6},
       {4}},
      {"high of all", [](TComponent* O) { return new THighZuzFunction(O); }, 0, false, true, {2, 10, 6}, {10}},
      {"low without the null", [](TComponent* O) { return new TLowZuzFunction(O); }, 0, true, false, {2, -10, 6}, {2}},
      {"average of an empty source", [](TComponent* O) { return new TAverageZuzFunction(O); }, 0, false, true, {}, {}},
      {"high by periods of 2",
       [](TComponent* O) { return new THighZuzFunction(O); },
       2,
       false,
       true,
       {1, 4, 3, 2, 9},
       {4, 3}},
      {"median by periods of 3",
       [](TComponent* O) { return new TMedianZuzFunction(O); },
       3,
       false,
       true,
       {9, 1, 5, 2, 8, 4},
       {5, 4}},
      {"mode of all", [](TComponent* O) { return new TModeZuzFunction(O); }, 0, false, true, {4, 2, 4, 2, 2}, {2}},
      {"Pareto", [](TComponent* O) { return new TParetoZuzFunction(O); }, 1, false, true, {50, -30, 20}, {50, 80, 100}},
      {"Pareto of zeros", [](TComponent* O) { return new TParetoZuzFunction(O); }, 1, false, true, {0, 0}, {0, 0}},
  };
  for (const auto& K : Cases) {
    TImageChart C;
    TChartSeries* Source = NewSource(C, K.Y);
    if (K.NullAtIndex1)
      Source->SetNull(1);
    TZuzFunction* F = K.New(&C);
    F->InternalSetPeriod(K.Period);
    F->SetIncludeNulls(K.IncludeNulls);
    TChartSeries* Out = NewOutput(C, F, Source);
    std::vector<double> Got;
    for (int32_t I = 0; I < Out->Count(); ++I)
      Got.push_back(Out->YValue(I));
    EXPECT_EQ(Got, K.Expected) << K.Name;
  }
}

TEST(BasicFunctions, YOfXComputesItsPointsWithoutASource)
{
  TImageChart C;
  auto* F = new TCustomZuzFunction(&C);
  EXPECT_EQ(F->NumPoints(), 100);
  EXPECT_EQ(F->Period(), 1);
  auto* Out = NewOutput(C, F, nullptr);
  Out->AddXY(9, 9);
  // Unassigned handler: the points stay.
  F->AddPoints(nullptr);
  EXPECT_EQ(PointsOf(Out), (TPoints{{9, 9}}));
  std::vector<int32_t> Indexes;
  F->OnCalculate = [&](TCustomZuzFunction* Sender, double X, double& Y) {
    Indexes.push_back(Sender->ValueIndex);
    Y = X * X;
  };
  F->BeginUpdate();
  F->SetStartX(1);
  F->SetPeriod(0.5);
  F->SetNumPoints(3);
  F->EndUpdate();
  EXPECT_EQ(PointsOf(Out), (TPoints{{1, 1}, {1.5, 2.25}, {2, 4}}));
  EXPECT_EQ(Indexes, (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(F->ValueIndex, -1);
  // A handler that leaves Y keeps the previous one.
  F->OnCalculate = [](TCustomZuzFunction* Sender, double, double& Y) {
    if (Sender->ValueIndex == 0)
      Y = 7;
  };
  F->ReCalculate();
  EXPECT_EQ(PointsOf(Out), (TPoints{{1, 7}, {1.5, 7}, {2, 7}}));
  F->SetNumPoints(0);
  EXPECT_EQ(Out->Count(), 0);
}

TEST(BasicFunctions, SubsetCopiesThePointsInItsRange)
{
  TImageChart C;
  auto* Source = new TChartSeries(&C);
  C.AddSeries(Source);
  for (int X = 1; X <= 5; ++X)
    Source->AddXY(X, X * 10);
  auto* F = new TSubsetZuzFunction(&C);
  EXPECT_FALSE(F->CanUsePeriod);
  TChartSeries* Out = NewOutput(C, F, Source);
  F->SetStartValue(2);
  F->SetEndValue(4);
  EXPECT_EQ(PointsOf(Out), (TPoints{{2, 20}, {3, 30}, {4, 40}}));
  F->SetStartValue(4.5);
  EXPECT_EQ(Out->Count(), 0);
}

TEST(BasicFunctions, RegisteredOnTheStandardPageInOrder)
{
  RegisterZuzBasicFunctions();
  const String* Expected[] = {&ZuzMsg_FunctionAdd,     &ZuzMsg_FunctionSubtract, &ZuzMsg_FunctionMultiply,
                              &ZuzMsg_FunctionDivide,  &ZuzMsg_FunctionHigh,     &ZuzMsg_FunctionLow,
                              &ZuzMsg_FunctionAverage, &ZuzMsg_FunctionCustom,   &ZuzMsg_FunctionMedian,
                              &ZuzMsg_FunctionMode,    &ZuzMsg_FunctionSubset,   &ZuzMsg_FunctionPareto};
  std::vector<const String*> Got;
  for (int32_t I = 0; I < ZuzSeriesTypes().Count(); ++I) {
    const TZuzSeriesType* T = ZuzSeriesTypes().Items(I);
    if (T->FunctionClass && !T->SeriesClass && T->GalleryPage == &ZuzMsg_GalleryStandard) {
      EXPECT_EQ(T->NumGallerySeries, 2);
      Got.push_back(T->Description);
    }
  }
  EXPECT_EQ(Got, std::vector<const String*>(std::begin(Expected), std::end(Expected)));
  // Found by name for chart files.
  EXPECT_NE(GetClass(QStringLiteral("TMedianZuzFunction")), nullptr);
}

TEST(BasicFunctions, GalleryPreviewsSetUpTheirCharts)
{
  {
    // The subset takes the middle half: round(10 x 0.25) = 2 (half to
    // even), round(10 x 0.75) = 8.
    TImageChart C;
    TChartSeries* Source = NewSource(C, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    auto* Out = new TChartSeries(&C);
    C.AddSeries(Out);
    auto* F = new TSubsetZuzFunction(&C);
    F->PrepareForGallery(&C);
    EXPECT_EQ(Out->FunctionType(), F);
    EXPECT_EQ(Out->DataSource(), Source);
    EXPECT_EQ(F->StartValue(), 2);
    EXPECT_EQ(F->EndValue(), 8);
    EXPECT_EQ(Out->Count(), 7);
  }
  {
    TImageChart C;
    TChartSeries* Source = NewSource(C, {20, 50, 30});
    auto* Out = new TChartSeries(&C);
    C.AddSeries(Out);
    auto* F = new TParetoZuzFunction(&C);
    F->PrepareForGallery(&C);
    EXPECT_EQ(Source->YValue(0), 50);
    EXPECT_EQ(Source->YValue(2), 20);
    EXPECT_EQ(Out->VertAxis(), aRightAxis);
    EXPECT_EQ(C.RightAxis()->AxisValuesFormat(), QStringLiteral("0%"));
    std::vector<double> Got;
    for (int32_t I = 0; I < Out->Count(); ++I)
      Got.push_back(Out->YValue(I));
    EXPECT_EQ(Got, (std::vector<double>{50, 80, 100}));
  }
  {
    TImageChart C;
    NewSource(C, {1, 2});
    auto* Out = new TChartSeries(&C);
    C.AddSeries(Out);
    (new TMultiplyZuzFunction(&C))->PrepareForGallery(&C);
    EXPECT_EQ(Out->VertAxis(), aRightAxis);
    EXPECT_EQ(C.RightAxis()->AxisValuesFormat(), QStringLiteral("1E+1"));
  }
}
