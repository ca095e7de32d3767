// The function base: which values a function gathers and where its results
// go, by period of points or of X range, over all points, over a moving
// window and over several sources by index or by X value; nulls taken or
// left; recalculation when a source or a setting changes; and the periods
// that cannot be computed. The function here sums, so that each result
// tells exactly which values it was given.
#include "CoreTestSupport.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzFunction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

class TSumFunction : public TZuzFunction {
public:
  using TZuzFunction::TZuzFunction;
  ~TSumFunction() override
  {
    if (Freed)
      *Freed = true;
  }
  double CalculateValue(const TFunctionValues& Values) override
  {
    ++Calls;
    double R = 0;
    for (double V : Values)
      R += V;
    return R;
  }
  int Calls = 0;
  bool* Freed = nullptr;
};

class TMovingSum : public TZuzMovingFunction {
public:
  using TZuzMovingFunction::TZuzMovingFunction;
  double CalculateValue(const TFunctionValues& Values) override
  {
    double R = 0;
    for (double V : Values)
      R += V;
    return R;
  }
};

TChartSeries* NewSource(TCustomAxisPanel& C, const TPoints& Points)
{
  auto* S = new TChartSeries(&C);
  C.AddSeries(S);
  for (const auto& [X, Y] : Points)
    S->AddXY(X, Y);
  return S;
}

// An output series computed by F from Source.
TChartSeries* NewOutput(TCustomAxisPanel& C, TZuzFunction* F, TChartSeries* Source, bool AllowSingle = true)
{
  auto* Out = new TChartSeries(&C);
  Out->AllowSinglePoint = AllowSingle;
  C.AddSeries(Out);
  Out->SetFunction(F);
  if (Source)
    Out->SetDataSource(Source);
  return Out;
}

TPoints Ten()
{
  TPoints P;
  for (int I = 0; I < 10; ++I)
    P.emplace_back(I, I + 1); // Y 1 .. 10
  return P;
}

} // namespace

TEST(FunctionBase, AllPointsGiveOneResultInTheMiddleOrALevelLine)
{
  TImageChart C;
  TChartSeries* Source = NewSource(C, {{2, 1}, {4, 2}, {10, 3}});
  TChartSeries* Single = NewOutput(C, new TSumFunction(&C), Source, true);
  EXPECT_EQ(PointsOf(Single), (TPoints{{6, 6}}));
  TChartSeries* Line = NewOutput(C, new TSumFunction(&C), Source, false);
  EXPECT_EQ(PointsOf(Line), (TPoints{{2, 6}, {10, 6}}));
  EXPECT_FALSE(Line->ManualData);
}

TEST(FunctionBase, PeriodsOfPointsPlaceEachResultByTheAlignment)
{
  const struct {
    TFunctionPeriodAlign Align;
    TPoints Expected;
  } Cases[] = {
      // Periods 0..2, 3..5, 6..8 of Y 1..10; point 9 alone makes no period.
      {paFirst, {{0, 6}, {3, 15}, {6, 24}}},
      {paCenter, {{1, 6}, {4, 15}, {7, 24}}},
      {paLast, {{2, 6}, {5, 15}, {8, 24}}},
  };
  for (const auto& K : Cases) {
    TImageChart C;
    TChartSeries* Source = NewSource(C, Ten());
    auto* F = new TSumFunction(&C);
    F->InternalSetPeriod(3);
    F->SetPeriodAlign(K.Align);
    TChartSeries* Out = NewOutput(C, F, Source);
    EXPECT_EQ(PointsOf(Out), K.Expected) << int(K.Align);
  }
}

TEST(FunctionBase, PeriodsOfRangeAddZeroForARangeWithoutPoints)
{
  TImageChart C;
  TChartSeries* Source = NewSource(C, {{0, 1}, {1, 2}, {25, 4}});
  auto* F = new TSumFunction(&C);
  F->InternalSetPeriod(10);
  F->SetPeriodStyle(psRange);
  TChartSeries* Out = NewOutput(C, F, Source);
  // [0, 10) holds 1 + 2, [10, 20) nothing, [20, 30) holds 4; each result at
  // the middle of its range's first X and its end less a thousandth.
  const TPoints Expected = {{4.995, 3}, {14.995, 0}, {24.995, 4}};
  ASSERT_EQ(Out->Count(), 3);
  for (int32_t I = 0; I < 3; ++I) {
    EXPECT_NEAR(Out->XValue(I), Expected[I].first, 1e-12);
    EXPECT_EQ(Out->YValue(I), Expected[I].second);
  }
}

TEST(FunctionBase, PeriodsThatCannotMoveOnEndWithoutResults)
{
  const struct {
    TFunctionPeriodStyle Style;
    double Period;
    TPoints Source;
  } Cases[] = {
      // Rounds to no points at all.
      {psNumPoints, 0.4, Ten()},
      // Too small to move x on from 1e17.
      {psRange, 1e-3, {{1e17, 1}, {2e17, 2}}},
      // x cannot move from NaN.
      {psRange, 1, {{std::nan(""), 1}}},
  };
  for (const auto& K : Cases) {
    TImageChart C;
    TChartSeries* Source = new TChartSeries(&C);
    Source->XValues()->SetOrder(loNone);
    C.AddSeries(Source);
    for (const auto& [X, Y] : K.Source)
      Source->AddXY(X, Y);
    auto* F = new TSumFunction(&C);
    F->InternalSetPeriod(K.Period);
    F->SetPeriodStyle(K.Style);
    TChartSeries* Out = NewOutput(C, F, Source);
    EXPECT_EQ(Out->Count(), 0) << K.Period;
  }
}

TEST(FunctionBase, NullsTakePartOnlyWhenIncluded)
{
  TImageChart C;
  TChartSeries* Source = NewSource(C, {{0, 1}, {1, 2}, {2, 3}, {3, 4}});
  Source->SetNull(1);
  auto* F = new TSumFunction(&C);
  F->InternalSetPeriod(2);
  TChartSeries* Out = NewOutput(C, F, Source);
  EXPECT_EQ(PointsOf(Out), (TPoints{{0.5, 3}, {2.5, 7}}));
  F->SetIncludeNulls(false);
  EXPECT_EQ(PointsOf(Out), (TPoints{{0.5, 1}, {2.5, 7}}));
}

TEST(FunctionBase, MovingWindowGivesOneResultPerPointFromThePeriodOn)
{
  TImageChart C;
  TChartSeries* Two = NewSource(C, {{0, 1}, {1, 2}});
  auto* F = new TMovingSum(&C);
  F->InternalSetPeriod(3);
  EXPECT_EQ(F->PeriodAlign(), paLast);
  TChartSeries* Out = NewOutput(C, F, Two);
  EXPECT_EQ(Out->Count(), 0);
  TChartSeries* Five = NewSource(C, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}});
  Out->SetDataSource(Five);
  EXPECT_EQ(PointsOf(Out), (TPoints{{2, 6}, {3, 9}, {4, 12}}));
  F->SetPeriodAlign(paFirst);
  EXPECT_EQ(PointsOf(Out), (TPoints{{0, 6}, {1, 9}, {2, 12}}));
}

TEST(FunctionBase, SeveralSourcesCombinePointsOfOneIndex)
{
  TImageChart C;
  TPoints Five, Seven;
  for (int I = 0; I < 5; ++I)
    Five.emplace_back(I, 10 * (I + 1));
  for (int I = 0; I < 7; ++I)
    Seven.emplace_back(I, I + 1);
  TChartSeries* A = NewSource(C, Five);
  TChartSeries* B = NewSource(C, Seven);
  auto* F = new TSumFunction(&C);
  TChartSeries* Out = NewOutput(C, F, A);
  Out->InternalAddDataSource(B);
  Out->CheckDataSource();
  // The longer source sets the points; the shorter one adds 0 past its end.
  EXPECT_EQ(PointsOf(Out), (TPoints{{0, 11}, {1, 22}, {2, 33}, {3, 44}, {4, 55}, {5, 6}, {6, 7}}));
}

TEST(FunctionBase, SeveralSourcesByValueMatchPointsOfOneX)
{
  for (bool IncludeNulls : {true, false}) {
    TImageChart C;
    TChartSeries* A = NewSource(C, {{1, 10}, {2, 20}, {3, 30}});
    TChartSeries* B = NewSource(C, {{1, 1}, {3, 3}});
    auto* F = new TSumFunction(&C);
    F->SetCalcByValue(true);
    F->SetIncludeNulls(IncludeNulls);
    TChartSeries* Out = NewOutput(C, F, A);
    Out->InternalAddDataSource(B);
    Out->CheckDataSource();
    if (IncludeNulls) {
      // X 2 is missing in B: a null point of A's value alone.
      EXPECT_EQ(PointsOf(Out), (TPoints{{1, 11}, {2, 20}, {3, 33}}));
      EXPECT_TRUE(Out->IsNull(1));
    } else
      EXPECT_EQ(PointsOf(Out), (TPoints{{1, 11}, {3, 33}}));
  }
}

TEST(FunctionBase, ASourceChangeOrASettingRecomputesTheOutput)
{
  TImageChart C;
  TChartSeries* Source = NewSource(C, {{0, 1}, {1, 2}});
  auto* F = new TSumFunction(&C);
  TChartSeries* Out = NewOutput(C, F, Source);
  EXPECT_EQ(PointsOf(Out), (TPoints{{0.5, 3}}));
  Source->AddXY(2, 4);
  EXPECT_EQ(PointsOf(Out), (TPoints{{1, 7}}));
  Source->Delete(0);
  EXPECT_EQ(PointsOf(Out), (TPoints{{1.5, 6}}));
  Source->YValues()->SetValue(0, 10);
  EXPECT_EQ(PointsOf(Out), (TPoints{{1.5, 14}}));
  // Several settings inside an update: one recalculation at its end.
  F->Calls = 0;
  F->BeginUpdate();
  F->SetPeriod(1);
  F->SetPeriodAlign(paFirst);
  EXPECT_EQ(F->Calls, 0);
  F->EndUpdate();
  EXPECT_EQ(PointsOf(Out), (TPoints{{1, 10}, {2, 4}}));
  EXPECT_EQ(F->Calls, 2);
}

TEST(FunctionBase, ANegativePeriodIsRefusedAndTheOldOneKept)
{
  TImageChart C;
  auto* F = new TSumFunction(&C);
  F->SetPeriod(2);
  try {
    F->SetPeriod(-1);
    FAIL() << "no exception";
  } catch (const ChartException& E) {
    EXPECT_EQ(E.Message(), ZuzMsg_FunctionPeriod);
  }
  EXPECT_EQ(F->Period(), 2);
  delete F;
}

TEST(FunctionBase, TheSeriesOwnsItsFunctionAndAnotherSeriesCanTakeIt)
{
  TImageChart C;
  TChartSeries* Source = NewSource(C, {{0, 1}, {1, 2}});
  auto* F = new TSumFunction(&C);
  TChartSeries* First = NewOutput(C, F, Source);
  auto* Second = new TChartSeries(&C);
  C.AddSeries(Second);
  F->SetParentSeries(Second);
  EXPECT_EQ(First->FunctionType(), nullptr);
  EXPECT_EQ(Second->FunctionType(), F);
  EXPECT_EQ(F->ParentSeries(), Second);
  // A new function frees the former one.
  bool Freed = false;
  F->Freed = &Freed;
  auto* G = new TSumFunction(&C);
  Second->SetFunction(G);
  EXPECT_TRUE(Freed);
  EXPECT_EQ(Second->FunctionType(), G);
  // Freeing the function leaves the series without one.
  delete Second->FunctionType();
  EXPECT_EQ(Second->FunctionType(), nullptr);
}

TEST(FunctionBase, SortingComparisonsAreStrictWeakOrders)
{
  // Irreflexive, asymmetric and transitive, with incomparability
  // transitive too, over values that include NaN, infinities and zeros of
  // both signs: what a sort needs from its comparison.
  const std::vector<double> V = {std::nan(""), -INFINITY, -1, -0.0, 0.0, 1e-300, 2, INFINITY, std::nan("")};
  const auto Less = [](double A, double B) { return CompareFunctionValues(A, B) < 0; };
  const auto Equiv = [&](double A, double B) { return !Less(A, B) && !Less(B, A); };
  for (double A : V) {
    EXPECT_FALSE(Less(A, A));
    for (double B : V) {
      EXPECT_FALSE(Less(A, B) && Less(B, A));
      EXPECT_EQ(CompareFunctionValues(A, B), -CompareFunctionValues(B, A));
      for (double D : V) {
        if (Less(A, B) && Less(B, D))
          EXPECT_TRUE(Less(A, D));
        if (Equiv(A, B) && Equiv(B, D))
          EXPECT_TRUE(Equiv(A, D));
      }
    }
  }
}
