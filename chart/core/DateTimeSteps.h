#pragma once
// Calendar steps of date-time axes: the named steps with their length in
// days, finding the step of a length, and moving or rounding a date by a
// step the way a calendar does (months of unequal length, leap years,
// weeks starting on Monday).
#include "rtl/Types.h"

#include <array>
#include <cstdint>

enum TDateTimeStep : uint8_t {
  dtOneMicroSecond,
  dtOneMillisecond,
  dtOneSecond,
  dtFiveSeconds,
  dtTenSeconds,
  dtFifteenSeconds,
  dtThirtySeconds,
  dtOneMinute,
  dtFiveMinutes,
  dtTenMinutes,
  dtFifteenMinutes,
  dtThirtyMinutes,
  dtOneHour,
  dtTwoHours,
  dtSixHours,
  dtTwelveHours,
  dtOneDay,
  dtTwoDays,
  dtThreeDays,
  dtOneWeek,
  dtHalfMonth,
  dtOneMonth,
  dtTwoMonths,
  dtThreeMonths,
  dtFourMonths,
  dtSixMonths,
  dtOneYear,
  dtNone
};

// The length of each step in days; calendar steps count a month as 30
// days, half a month as 15 and a year as 365; dtNone is 1.
extern const std::array<double, dtNone + 1> DateTimeStep;

// The days of a month in the Gregorian calendar (February has 29 in leap
// years). Raises ERangeError for a month outside 1..12.
int32_t DaysInMonth(int32_t Year, int32_t Month);

// The short time format of the program's format settings for steps up to
// one day (Step in days), the short date format for longer ones.
String DateTimeDefaultFormat(double Step /* days */);

// The length of the next larger step than the largest one not longer than
// Step (dtSixMonths at most is looked at, so the result is at most a
// year); a Step shorter than a microsecond gives a year.
double NextDateTimeStep(double Step /* days */);

// The step whose length is Step within a microsecond; dtNone when none is.
TDateTimeStep FindDateTimeStep(double Step /* days */);

// ADate rounded to the start of its step: whole days (to the nearest, ties
// to even) for one to three days, the Monday of the nearest week, the 1st
// or 15th for half months, the 1st of the month for month steps, the 1st
// of January for a year; dtNone drops the time of day. Steps below a day
// and a zero date return ADate unchanged.
double ZuzRoundDate(double ADate, TDateTimeStep AStep);

// Moves Value one step forward (Increment) or backward. AIncrement is the
// step's length in days; when moving by it would not change Value, nothing
// changes. Month steps land on the 1st of the month 1, 2, 3, 4 or 6 months
// on; half months land on the 1st or the 15th, always strictly in the
// direction of the move; a year step keeps the day and month (29 February
// becomes 28 February in a common year) and repeats until Value has
// covered AIncrement. Calendar steps drop the time of day; other steps add
// AIncrement. A date that cannot be decoded or lies outside years
// 1..9999 after the move falls back to adding AIncrement.
void ZuzDateTimeIncrement(bool Increment, double& Value, double AIncrement /* days */, TDateTimeStep AStep);
