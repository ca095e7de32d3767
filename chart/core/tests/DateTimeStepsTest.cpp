// Calendar steps of date-time axes: month ends, leap years, half months in
// both directions, rounding to a step and finding steps by length.
#include "chart/core/DateTimeSteps.h"

#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TYmd {
  int Year, Month, Day, Hour = 0;
};

double At(const TYmd& D) { return EncodeDateTime(D.Year, D.Month, D.Day, D.Hour, 0, 0, 0); }

std::string Text(double V) { return FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn"), V).toStdString(); }

} // namespace

TEST(DateTimeSteps, CalendarStepsMoveByTheCalendar)
{
  struct Case {
    const char* Name;
    TYmd From;
    bool Forward;
    TDateTimeStep Step;
    TYmd To;
  };
  const Case Cases[] = {
      {"half month back from the 20th", {2021, 3, 20}, false, dtHalfMonth, {2021, 3, 15}},
      {"half month back from the 15th", {2021, 3, 15}, false, dtHalfMonth, {2021, 3, 1}},
      {"half month back from the 2nd", {2021, 3, 2}, false, dtHalfMonth, {2021, 3, 1}},
      {"half month back from the 1st", {2021, 3, 1}, false, dtHalfMonth, {2021, 2, 15}},
      {"half month back across the year", {2021, 1, 1, 6}, false, dtHalfMonth, {2020, 12, 15}},
      {"half month on from the 1st", {2021, 3, 1}, true, dtHalfMonth, {2021, 3, 15}},
      {"half month on from the 14th late", {2021, 3, 14, 23}, true, dtHalfMonth, {2021, 3, 15}},
      {"half month on from the 15th", {2021, 3, 15}, true, dtHalfMonth, {2021, 4, 1}},
      {"half month on from the 20th", {2021, 3, 20}, true, dtHalfMonth, {2021, 4, 1}},
      {"half month on from the 31st", {2021, 1, 31}, true, dtHalfMonth, {2021, 2, 1}},
      {"half month on across the year", {2020, 12, 31}, true, dtHalfMonth, {2021, 1, 1}},
      {"month on from a month end", {2021, 1, 31}, true, dtOneMonth, {2021, 2, 1}},
      {"month on in February of a leap year", {2020, 2, 29}, true, dtOneMonth, {2020, 3, 1}},
      {"month back across the year", {2021, 1, 1}, false, dtOneMonth, {2020, 12, 1}},
      {"two months on", {2021, 11, 30}, true, dtTwoMonths, {2022, 1, 1}},
      {"three months back", {2021, 2, 10}, false, dtThreeMonths, {2020, 11, 1}},
      {"four months on", {2021, 9, 5}, true, dtFourMonths, {2022, 1, 1}},
      {"six months on", {2021, 8, 15}, true, dtSixMonths, {2022, 2, 1}},
      {"a year on from a leap day", {2020, 2, 29}, true, dtOneYear, {2021, 2, 28}},
      {"a year back to a leap year", {2021, 2, 28}, false, dtOneYear, {2020, 2, 28}},
      {"a year on with a time of day", {2019, 6, 15, 12}, true, dtOneYear, {2020, 6, 15}},
      {"a year on across a leap day", {2019, 3, 1}, true, dtOneYear, {2020, 3, 1}},
      {"an hour is added", {2021, 3, 31, 23}, true, dtOneHour, {2021, 4, 1, 0}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    double V = At(C.From);
    ZuzDateTimeIncrement(C.Forward, V, DateTimeStep[C.Step], C.Step);
    EXPECT_EQ(Text(V), Text(At(C.To)));
  }
}

TEST(DateTimeSteps, YearStepsCoverTheIncrement)
{
  double V = At({2020, 1, 1});
  ZuzDateTimeIncrement(true, V, 730, dtOneYear);
  EXPECT_EQ(Text(V), Text(At({2022, 1, 1})));
  double Same = At({2020, 1, 1});
  ZuzDateTimeIncrement(true, Same, 0, dtOneMonth);
  EXPECT_EQ(Same, At({2020, 1, 1}));
}

TEST(DateTimeSteps, HalfMonthRunsNeverTurnBack)
{
  for (const bool Forward : {true, false}) {
    SCOPED_TRACE(Forward ? "forward" : "backward");
    double V = At({2019, 1, 7, 9});
    for (int I = 0; I < 60; ++I) {
      const double Before = V;
      ZuzDateTimeIncrement(Forward, V, 15, dtHalfMonth);
      ASSERT_TRUE(Forward ? V > Before : V < Before) << Text(Before) << " -> " << Text(V);
      uint16_t Y, M, D;
      DecodeDate(V, Y, M, D);
      EXPECT_TRUE(D == 1 || D == 15) << Text(V);
      EXPECT_LE(std::abs(V - Before), 17) << Text(Before) << " -> " << Text(V);
    }
  }
}

TEST(DateTimeSteps, RoundingToAStep)
{
  struct Case {
    double Value;
    TDateTimeStep Step;
    double Expected;
  };
  const Case Cases[] = {
      {4.6, dtOneWeek, 2}, // Wednesday 3 January 1900 -> Monday 1 January
      {4.5, dtOneDay, 4},  // halves to even
      {5.5, dtOneDay, 6},
      {5, dtTwoDays, 4}, // 2 x Round(2.5)
      {7.4, dtThreeDays, 6},
      {At({2021, 3, 20, 10}), dtHalfMonth, At({2021, 3, 15})},
      {At({2021, 3, 14, 10}), dtHalfMonth, At({2021, 3, 1})},
      {At({2021, 3, 14, 10}), dtThreeMonths, At({2021, 3, 1})},
      {At({2021, 3, 14, 10}), dtOneYear, At({2021, 1, 1})},
      {At({2021, 3, 14, 10}), dtNone, At({2021, 3, 14})},
      {At({2021, 3, 14, 10}), dtOneHour, At({2021, 3, 14, 10})},
      {0, dtOneYear, 0},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(ZuzRoundDate(C.Value, C.Step), C.Expected) << Text(C.Value) << " step " << int(C.Step);
}

TEST(DateTimeSteps, StepsByLength)
{
  EXPECT_EQ(FindDateTimeStep(1.0 / 24), dtOneHour);
  EXPECT_EQ(FindDateTimeStep(0.3), dtNone);
  EXPECT_EQ(FindDateTimeStep(365), dtOneYear);
  EXPECT_EQ(FindDateTimeStep(15.0 / 86400), dtFifteenSeconds);
  EXPECT_EQ(NextDateTimeStep(1), 2);
  EXPECT_EQ(NextDateTimeStep(500), 365);
  EXPECT_EQ(NextDateTimeStep(1e-12), 365);
  EXPECT_EQ(NextDateTimeStep(0.3), 0.5);
  EXPECT_EQ(DateTimeDefaultFormat(1), FormatSettings.ShortTimeFormat);
  EXPECT_EQ(DateTimeDefaultFormat(1.5), FormatSettings.ShortDateFormat);

  struct Month {
    int Year, Month, Days;
  };
  for (const Month& M : {Month{2020, 2, 29}, Month{2021, 2, 28}, Month{1900, 2, 28}, Month{2000, 2, 29},
                         Month{2021, 12, 31}, Month{2021, 4, 30}})
    EXPECT_EQ(DaysInMonth(M.Year, M.Month), M.Days) << M.Year << "-" << M.Month;
  EXPECT_THROW(DaysInMonth(2021, 13), ERangeError);
}
