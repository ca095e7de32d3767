// Value lists: the order rule of adds, insert positions, checked indexes,
// growth, statistics, sorting and what the owner series is told.
#include "CoreTestSupport.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/ChartValueList.h"
#include "chart/core/LabelsList.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

std::vector<double> ValuesOf(const TChartValueList& L)
{
  return std::vector<double>(L.Value.begin(), L.Value.begin() + L.Count());
}

void Fill(TChartValueList& L, const std::vector<double>& Values)
{
  for (const double V : Values)
    L.InsertChartValue(L.Count(), V);
}

// A series that records the notices its value lists send it.
class TNoticeSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
  void NotifyValue(TValueEvent Event, int32_t Index) override
  {
    Notices.push_back({Event, Index});
    TChartSeries::NotifyValue(Event, Index);
  }
  std::vector<std::pair<TValueEvent, int32_t>> Notices;
};

} // namespace

TEST(ChartValueList, AddFollowsTheOrderRule)
{
  struct Case {
    const char* Name;
    TChartListOrder Order;
    std::vector<double> Before;
    double Value;
    int32_t Index;
    std::vector<double> After;
  };
  const Case Cases[] = {
      {"empty ascending", loAscending, {}, 7, 0, {7}},
      {"empty descending", loDescending, {}, 7, 0, {7}},
      {"after equal ascending values", loAscending, {1, 2, 2, 3}, 2, 3, {1, 2, 2, 2, 3}},
      {"before all ascending", loAscending, {1, 2, 2, 3}, 0, 0, {0, 1, 2, 2, 3}},
      {"in order appends", loAscending, {1, 2, 2, 3}, 5, 4, {1, 2, 2, 3, 5}},
      {"equal to the last ascending", loAscending, {1, 2, 3}, 3, 3, {1, 2, 3, 3}},
      {"after equal descending values", loDescending, {5, 3, 3, 1}, 3, 3, {5, 3, 3, 3, 1}},
      {"before all descending", loDescending, {5, 3, 3, 1}, 6, 0, {6, 5, 3, 3, 1}},
      {"in order descending appends", loDescending, {5, 3, 3, 1}, 1, 4, {5, 3, 3, 1, 1}},
      {"no order keeps arrival", loNone, {5, 1, 9}, 3, 3, {5, 1, 9, 3}},
      {"negative values ascending", loAscending, {-3, -1}, -2, 1, {-3, -2, -1}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TChartValueList L(nullptr, QStringLiteral("X"));
    L.SetOrder(C.Order);
    Fill(L, C.Before);
    EXPECT_EQ(L.AddChartValue(C.Value), C.Index);
    EXPECT_EQ(ValuesOf(L), C.After);
    EXPECT_EQ(L.TempValue(), C.Value);
  }
}

TEST(ChartValueList, InsertPutsTheValueWhereAsked)
{
  struct Case {
    int32_t Index;
    std::vector<double> After;
  };
  const Case Cases[] = {
      {0, {9, 1, 2, 3}},
      {1, {1, 9, 2, 3}},
      {3, {1, 2, 3, 9}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Index);
    TChartValueList L(nullptr, QStringLiteral("Y"));
    L.SetOrder(loAscending); // the order does not matter to an insert
    Fill(L, {1, 2, 3});
    L.InsertChartValue(C.Index, 9);
    EXPECT_EQ(ValuesOf(L), C.After);
  }
}

TEST(ChartValueList, IndexesOutsideTheListAreRefused)
{
  struct Case {
    const char* Name;
    std::function<void(TChartValueList&)> Op;
  };
  const Case Cases[] = {
      {"read below", [](TChartValueList& L) { (void)L.GetValue(-1); }},
      {"read past the count, inside the storage", [](TChartValueList& L) { (void)L.GetValue(3); }},
      {"write past the count", [](TChartValueList& L) { L.SetValue(3, 1); }},
      {"insert below", [](TChartValueList& L) { L.InsertChartValue(-1, 1); }},
      {"insert past the end", [](TChartValueList& L) { L.InsertChartValue(4, 1); }},
      {"exchange past the count", [](TChartValueList& L) { L.Exchange(0, 3); }},
      {"delete below", [](TChartValueList& L) { L.Delete(-1); }},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TChartValueList L(nullptr, QStringLiteral("Y"));
    Fill(L, {1, 2, 3});
    ASSERT_GT(L.Capacity(), 3);
    EXPECT_THROW(C.Op(L), EListError);
    EXPECT_EQ(ValuesOf(L), (std::vector<double>{1, 2, 3}));
  }
  TChartValueList Empty(nullptr, QStringLiteral("Y"));
  EXPECT_THROW((void)Empty.First(), EListError);
  EXPECT_THROW((void)Empty.Last(), EListError);
}

TEST(ChartValueList, DeleteChecksTheRunAndKeepsTheCapacity)
{
  TChartValueList L(nullptr, QStringLiteral("Y"));
  Fill(L, {1, 2, 3, 4, 5});
  try {
    L.Delete(3, 3);
    FAIL() << "a run past the last value was deleted";
  } catch (const EAssertionFailed& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Quantity of data to delete must be less than Count."));
  }
  EXPECT_EQ(L.Count(), 5);
  L.Delete(1, 2);
  EXPECT_EQ(ValuesOf(L), (std::vector<double>{1, 4, 5}));
  EXPECT_EQ(L.Capacity(), 1000);
}

TEST(ChartValueList, CapacityGrowsInStepsAndOnlyClearReleasesIt)
{
  TChartValueList L(nullptr, QStringLiteral("X"));
  L.SetOrder(loAscending);
  EXPECT_EQ(L.Capacity(), 0);
  for (int I = 0; I < 1000; ++I)
    L.AddChartValue(I);
  EXPECT_EQ(L.Capacity(), 1000);
  L.AddChartValue(1000);
  EXPECT_EQ(L.Capacity(), 2000);
  L.Delete(0, 900);
  EXPECT_EQ(L.Capacity(), 2000);
  EXPECT_EQ(L.First(), 900);
  L.ClearValues();
  EXPECT_EQ(L.Capacity(), 0);
  EXPECT_EQ(L.Count(), 0);
}

TEST(ChartValueList, ACountBeyondTheStorageIsReported)
{
  TChartValueList L(nullptr, QStringLiteral("X"));
  L.Value.resize(4);
  L.SetCount(4);
  EXPECT_EQ(L.Count(), 4);
  L.SetCount(5);
  try {
    (void)L.Count();
    FAIL() << "the count passed the storage unnoticed";
  } catch (const EAssertionFailed& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("ValueList Count (5) greater than array length (4)."));
  }
  EXPECT_THROW(L.SetCount(-1), EListError);
}

TEST(ChartValueList, StatisticsFollowTheValues)
{
  struct Case {
    std::vector<double> Values;
    double Min, Max, Total, TotalABS;
  };
  const Case Cases[] = {
      {{}, 0, 0, 0, 0},
      {{4}, 4, 4, 4, 4},
      {{3, -2, 7, 0}, -2, 7, 8, 12},
      {{-5, -1, -9}, -9, -1, -15, 15},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Values.size());
    TChartValueList L(nullptr, QStringLiteral("Y"));
    Fill(L, C.Values);
    EXPECT_EQ(L.MinValue(), C.Min);
    EXPECT_EQ(L.MaxValue(), C.Max);
    EXPECT_EQ(L.Total(), C.Total);
    EXPECT_EQ(L.TotalABS(), C.TotalABS);
    EXPECT_EQ(L.Range(), C.Max - C.Min);
  }
  // Changes make them stale; reading computes them afresh.
  TChartValueList L(nullptr, QStringLiteral("Y"));
  Fill(L, {1, 2, 3});
  EXPECT_EQ(L.MaxValue(), 3);
  L.SetValue(0, 10);
  EXPECT_EQ(L.MaxValue(), 10);
  L.Delete(0);
  EXPECT_EQ(L.MaxValue(), 3);
  L.FillSequence();
  EXPECT_EQ(L.Total(), 1);
}

TEST(ChartValueList, ScrollRotatesAndKeepsTheStatistics)
{
  TChartValueList L(nullptr, QStringLiteral("Y"));
  Fill(L, {1, 2, 3});
  EXPECT_EQ(L.Total(), 6);
  L.Scroll();
  EXPECT_EQ(ValuesOf(L), (std::vector<double>{2, 3, 1}));
  EXPECT_FALSE(L.Modified());
}

TEST(ChartValueList, LocateFindsTheFirstEqualValue)
{
  TChartValueList L(nullptr, QStringLiteral("Y"));
  Fill(L, {4, 7, 4, 9});
  struct Case {
    double Value;
    int32_t First, Last, Expected;
  };
  const Case Cases[] = {{4, 0, 3, 0}, {4, 1, 3, 2}, {9, 0, 2, -1}, {5, 0, 3, -1}, {7, 3, 1, -1}, {9, 0, 100, 3}};
  for (const Case& C : Cases)
    EXPECT_EQ(L.Locate(C.Value, C.First, C.Last), C.Expected) << C.Value << " " << C.First << ".." << C.Last;
  EXPECT_EQ(L.Locate(7), 1);
}

TEST(ChartValueList, AssignCopiesSettingsNotNameOrValues)
{
  TChartValueList Source(nullptr, QStringLiteral("Start"));
  Source.SetOrder(loDescending);
  Source.SetDateTime(true);
  Source.SetValueSource(QStringLiteral("Field1"));
  Fill(Source, {1, 2});
  TChartValueList Dest(nullptr, QStringLiteral("End"));
  Dest.Assign(&Source);
  EXPECT_EQ(Dest.Order(), loDescending);
  EXPECT_TRUE(Dest.DateTime());
  EXPECT_EQ(Dest.ValueSource(), QStringLiteral("Field1"));
  EXPECT_EQ(Dest.Name(), QStringLiteral("End"));
  EXPECT_EQ(Dest.Count(), 0);
  // DateTime is stored only when it differs from the kind's default.
  EXPECT_TRUE(Dest.IsDateStored());
  Dest.InitDateTime(true);
  EXPECT_FALSE(Dest.IsDateStored());
}

TEST(ChartValueList, CompareValueIndexOrdersByValueThenPlace)
{
  TChartValueList L(nullptr, QStringLiteral("Y"));
  Fill(L, {5, 1, 5, 9, 5, NaN, 1});
  struct Case {
    TChartListOrder Order;
    int32_t A, B, Expected;
  };
  const Case Cases[] = {
      {loAscending, 1, 0, -1},
      {loAscending, 0, 1, 1},
      {loDescending, 1, 0, 1},
      {loDescending, 0, 1, -1},
      {loAscending, 4, 2, 0},
      {loAscending, 2, 4, -1},
      {loDescending, 4, 2, 0},
      {loDescending, 2, 4, -1},
      // NaN after every number, in both orders.
      {loAscending, 5, 3, 1},
      {loAscending, 3, 5, -1},
      {loDescending, 5, 1, 1},
      {loDescending, 1, 5, -1},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.A) + " " + std::to_string(C.B));
    L.SetOrder(C.Order);
    EXPECT_EQ(L.CompareValueIndex(C.A, C.B), C.Expected);
  }
}

TEST(ChartValueList, SortMovesEveryDimensionAndEndsWithNaN)
{
  struct Case {
    const char* Name;
    TChartListOrder Order;
    std::vector<double> X;
    std::vector<double> SortedX;
  };
  const Case Cases[] = {
      {"ascending", loAscending, {3, NaN, 1, 2, 1, NaN, 0}, {0, 1, 1, 2, 3, NaN, NaN}},
      {"descending", loDescending, {3, NaN, 1, 2, 1, NaN, 0}, {3, 2, 1, 1, 0, NaN, NaN}},
      {"no order keeps the points", loNone, {3, 1, 2}, {3, 1, 2}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TChartSeries S(nullptr);
    S.XValues()->SetOrder(loNone);
    for (size_t I = 0; I < C.X.size(); ++I)
      S.AddXY(C.X[I], 100 + double(I), QStringLiteral("p%1").arg(I));
    S.XValues()->SetOrder(C.Order);
    S.XValues()->Sort();
    for (int32_t I = 0; I < S.Count(); ++I) {
      const double X = S.XValue(I);
      if (std::isnan(C.SortedX[I]))
        EXPECT_TRUE(std::isnan(X)) << I;
      else
        EXPECT_EQ(X, C.SortedX[I]) << I;
      // Y and the label still belong to the point they came with.
      const int32_t From = int32_t(S.YValue(I)) - 100;
      EXPECT_EQ(S.XLabel(I), QStringLiteral("p%1").arg(From));
      if (std::isnan(X))
        EXPECT_TRUE(std::isnan(C.X[From]));
      else
        EXPECT_EQ(C.X[From], X);
    }
  }
}

TEST(ChartValueList, SortAgreesWithTheStandardSortOnLargeInputs)
{
  std::mt19937 Random(20);
  for (const TChartListOrder Order : {loAscending, loDescending}) {
    for (const int Distinct : {3, 1000}) {
      TChartValueList L(nullptr, QStringLiteral("Y"));
      L.SetOrder(Order);
      std::vector<double> Values(5000);
      for (double& V : Values)
        V = double(Random() % Distinct);
      Fill(L, Values);
      L.Sort();
      std::sort(Values.begin(), Values.end());
      if (Order == loDescending)
        std::reverse(Values.begin(), Values.end());
      EXPECT_EQ(ValuesOf(L), Values) << Order << " " << Distinct;
    }
  }
}

TEST(ChartValueList, TheOwnerHearsOfStaleStatisticsOncePerBurst)
{
  TNoticeSeries S(nullptr);
  TChartValueList* Y = S.YValues();
  S.Notices.clear();
  // Adds announce themselves (veAdd), so their stale statistics are not
  // announced again.
  S.AddXY(1, 10);
  S.AddXY(2, 20);
  EXPECT_EQ(S.Notices, (std::vector<std::pair<TValueEvent, int32_t>>{{veAdd, 0}, {veAdd, 1}}));
  (void)Y->MaxValue();
  S.Notices.clear();
  Y->SetValue(0, 5);
  Y->SetValue(1, 6);
  EXPECT_EQ(S.Notices, (std::vector<std::pair<TValueEvent, int32_t>>{{veModify, 0}, {veModify, 1}}));
  // A write through the series marks the list stale: one notice until the
  // statistics are read again.
  (void)Y->MaxValue();
  S.Notices.clear();
  S.SetYValue(0, 7);
  S.SetYValue(1, 8);
  EXPECT_EQ(S.Notices, (std::vector<std::pair<TValueEvent, int32_t>>{{veModify, -1}}));
}
