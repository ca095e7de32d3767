#include "chart/core/DateTimeSteps.h"

#include "rtl/DateTime.h"
#include "rtl/FormatSettings.h"
#include "rtl/RtlMath.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double Second = 1.0 / 86400.0;
} // namespace

const std::array<double, dtNone + 1> DateTimeStep = {
    1.0 / 86400000000.0, // dtOneMicroSecond
    1.0 / 86400000.0,    // dtOneMillisecond
    Second,
    5 * Second,
    10 * Second,
    15 * Second,
    30 * Second,
    60 * Second,
    300 * Second,
    600 * Second,
    900 * Second,
    1800 * Second,
    1.0 / 24.0,
    1.0 / 12.0,
    0.25,
    0.5,
    1,
    2,
    3,
    7,
    15,
    30,
    60,
    90,
    120,
    182,
    365,
    1, // dtNone
};

int32_t DaysInMonth(int32_t Year, int32_t Month) { return DaysInAMonth(Year, Month); }

String DateTimeDefaultFormat(double Step)
{
  return Step <= 1 ? FormatSettings.ShortTimeFormat : FormatSettings.ShortDateFormat;
}

double NextDateTimeStep(double Step)
{
  for (int32_t S = dtSixMonths; S >= dtOneMicroSecond; --S)
    if (DateTimeStep[S] <= Step)
      return DateTimeStep[S + 1];
  return DateTimeStep[dtOneYear];
}

TDateTimeStep FindDateTimeStep(double Step)
{
  for (int32_t S = dtOneYear; S >= dtOneMicroSecond; --S)
    if (std::fabs(DateTimeStep[S] - Step) < DateTimeStep[dtOneMicroSecond])
      return static_cast<TDateTimeStep>(S);
  return dtNone;
}

double ZuzRoundDate(double ADate, TDateTimeStep AStep)
{
  if (ADate == 0)
    return ADate;
  switch (AStep) {
  case dtOneDay:
    return static_cast<double>(Round(ADate));
  case dtTwoDays:
    return 2.0 * static_cast<double>(Round(ADate / 2));
  case dtThreeDays:
    return 3.0 * static_cast<double>(Round(ADate / 3));
  case dtOneWeek:
    // Date-time 2 is Monday 1 January 1900: weeks start on Mondays.
    return 7.0 * static_cast<double>(Round((ADate - 2) / 7)) + 2;
  default:
    break;
  }
  if (AStep < dtHalfMonth)
    return ADate;
  uint16_t Year, Month, Day;
  DecodeDate(ADate, Year, Month, Day);
  if (Year == 0)
    return ADate;
  switch (AStep) {
  case dtHalfMonth:
    Day = Day >= 15 ? 15 : 1;
    break;
  case dtOneYear:
    Day = 1;
    Month = 1;
    break;
  case dtNone:
    break;
  default:
    Day = 1;
    break;
  }
  return EncodeDate(Year, Month, Day);
}

namespace {

int32_t MonthsOfStep(TDateTimeStep Step)
{
  switch (Step) {
  case dtOneMonth:
    return 1;
  case dtTwoMonths:
    return 2;
  case dtThreeMonths:
    return 3;
  case dtFourMonths:
    return 4;
  case dtSixMonths:
    return 6;
  default:
    return 0;
  }
}

// Months counted from year 0, so that moving by months carries into years.
void MoveMonths(int32_t& Year, int32_t& Month, int32_t Delta)
{
  const int32_t Months = Year * 12 + (Month - 1) + Delta;
  Year = Months / 12;
  Month = Months % 12 + 1;
}

} // namespace

void ZuzDateTimeIncrement(bool Increment, double& Value, double AIncrement, TDateTimeStep AStep)
{
  const double Target = Increment ? Value + AIncrement : Value - AIncrement;
  if (SameValue(Target, Value))
    return;
  const int32_t Months = MonthsOfStep(AStep);
  if (!std::isfinite(Value) || (Months == 0 && AStep != dtHalfMonth && AStep != dtOneYear)) {
    Value = Target;
    return;
  }
  uint16_t Y, M, D;
  DecodeDate(Value, Y, M, D);
  int32_t Year = Y, Month = M, Day = D;
  const auto Encode = [&](int32_t NewYear, int32_t NewMonth, int32_t NewDay) {
    TDateTime Result;
    if (!TryEncodeDate(NewYear, NewMonth, NewDay, Result))
      return false;
    Value = Result;
    return true;
  };
  if (Year == 0) {
    Value = Target;
    return;
  }
  if (AStep == dtHalfMonth) {
    // Every move lands on the 1st or the 15th strictly in its direction, so
    // a run of steps never stalls or turns back.
    if (Increment) {
      if (Day < 15)
        Day = 15;
      else {
        Day = 1;
        MoveMonths(Year, Month, 1);
      }
    } else if (Day > 15)
      Day = 15;
    else if (Day > 1)
      Day = 1;
    else {
      Day = 15;
      MoveMonths(Year, Month, -1);
    }
    if (!Encode(Year, Month, Day))
      Value = Target;
    return;
  }
  if (Months > 0) {
    MoveMonths(Year, Month, Increment ? Months : -Months);
    if (!Encode(Year, Month, 1))
      Value = Target;
    return;
  }
  // Years: the day and month stay; the comparison ignores the time of day,
  // which the step drops, so that one year's increment moves one year.
  const double TargetDay = DateOf(Target);
  for (;;) {
    Year += Increment ? 1 : -1;
    const int32_t NewDay = std::min(Day, DaysInMonth(std::clamp(Year, 1, 9999), Month));
    if (!Encode(Year, Month, NewDay)) {
      Value = Target;
      return;
    }
    if (Increment ? Value >= TargetDay : Value <= TargetDay)
      return;
  }
}
