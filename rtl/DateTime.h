#pragma once
// Dates and times. A TDateTime counts days since 1899-12-30; its fraction is
// the time of day. Before that day the whole days count backwards while the
// fraction still counts forward from the start of the day, so -1.25 is
// 1899-12-29 06:00. Every decode first rounds to the millisecond, so a value
// a hair below midnight reads as the next day's 00:00:00.000, never as 24:00.
//
// Conversions without explicit settings use the process default
// FormatSettings (en-GB); the C locale of the process plays no part.
#include "rtl/Types.h"

struct TFormatSettings;

constexpr int32_t HoursPerDay = 24;
constexpr int32_t MinsPerHour = 60;
constexpr int32_t SecsPerMin = 60;
constexpr int32_t MSecsPerSec = 1000;
constexpr int32_t MinsPerDay = HoursPerDay * MinsPerHour;
constexpr int32_t SecsPerDay = MinsPerDay * SecsPerMin;
constexpr int32_t MSecsPerDay = SecsPerDay * MSecsPerSec;
// Time-stamp day number of 1899-12-30 (time-stamp day 1 is 0001-01-01).
constexpr int32_t DateDelta = 693594;
// Days from 1899-12-30 to 1970-01-01.
constexpr int32_t UnixDateDelta = 25569;

// A date-time as whole numbers: milliseconds since midnight and the day
// number counted from 0001-01-01 = 1.
struct TTimeStamp {
  int32_t Time = 0;
  int32_t Date = 0;
};

// Years 1..9999. EncodeDate raises EConvertError "Invalid argument to date
// encode", EncodeTime "Invalid argument to time encode" (hours 0..23).
bool TryEncodeDate(int32_t Year, int32_t Month, int32_t Day, TDateTime& Date);
TDateTime EncodeDate(int32_t Year, int32_t Month, int32_t Day);
bool TryEncodeTime(int32_t Hour, int32_t Min, int32_t Sec, int32_t MSec, TDateTime& Time);
TDateTime EncodeTime(int32_t Hour, int32_t Min, int32_t Sec, int32_t MSec);
// Date and time together; before 1899-12-30 the time is subtracted so that
// it still counts forward from the day's start. EncodeDateTime raises
// EConvertError "'<y/m/d h:n:s.ms>' is not a valid date and time".
bool TryEncodeDateTime(int32_t Year, int32_t Month, int32_t Day, int32_t Hour, int32_t Min, int32_t Sec, int32_t MSec,
                       TDateTime& Value);
TDateTime EncodeDateTime(int32_t Year, int32_t Month, int32_t Day, int32_t Hour, int32_t Min, int32_t Sec,
                         int32_t MSec);

// A date outside 0001-01-01..9999-12-31 decodes as 0/0/0. A value that is
// not a finite number of days, or too large for a time stamp, raises
// EInvalidOp, the error of rounding such a value.
void DecodeDate(TDateTime DT, uint16_t& Year, uint16_t& Month, uint16_t& Day);
void DecodeTime(TDateTime DT, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec);
void DecodeDateTime(TDateTime DT, uint16_t& Year, uint16_t& Month, uint16_t& Day, uint16_t& Hour, uint16_t& Min,
                    uint16_t& Sec, uint16_t& MSec);

int32_t DayOfWeek(TDateTime DT); // 1 = Sunday .. 7 = Saturday
bool IsLeapYear(int32_t Year);
// Raises ERangeError for a month outside 1..12.
int32_t DaysInAMonth(int32_t Year, int32_t Month);
// The day and the time of day of DT, both taken after rounding DT to the
// millisecond, so DateOf(DT) and TimeOf(DT) always describe the same instant.
// TimeOf is never negative.
TDateTime DateOf(TDateTime DT);
TDateTime TimeOf(TDateTime DT);

// Steps are done on the millisecond count, so they cross 1899-12-30 correctly.
TDateTime IncMilliSecond(TDateTime DT, int64_t NumberOfMilliSeconds = 1);
TDateTime IncSecond(TDateTime DT, int64_t NumberOfSeconds = 1);
// The same day Months months later (earlier for a negative count), on the
// month's last day when it is shorter; the time of day is kept.
TDateTime IncMonth(TDateTime DT, int32_t NumberOfMonths = 1);
TDateTime IncDay(TDateTime DT, int32_t NumberOfDays = 1);
// Whole units between two instants, never negative.
int64_t MilliSecondsBetween(TDateTime ANow, TDateTime AThen);
int64_t SecondsBetween(TDateTime ANow, TDateTime AThen);

TTimeStamp DateTimeToTimeStamp(TDateTime DT);
// Raises EConvertError "'<date>.<time>' is not a valid timestamp" unless
// Date >= 1 and 0 <= Time < MSecsPerDay.
TDateTime TimeStampToDateTime(const TTimeStamp& TS);
int64_t TimeStampToMSecs(const TTimeStamp& TS);
// Raises EConvertError when the day number does not fit a time stamp.
TTimeStamp MSecsToTimeStamp(int64_t MSecs);

// The clock. Now() asks the installed clock function, by default the local
// system time to the millisecond; Date(), Time() and CurrentYear() read
// Now() once. SetNowFunction(nullptr) restores the system clock.
using TNowFunction = TDateTime (*)();
void SetNowFunction(TNowFunction F);
TDateTime Now();
TDateTime Date();
TDateTime Time();
uint16_t CurrentYear();

// ShortDateFormat, LongTimeFormat, and "c" (the short date, then a blank
// and the long time unless the time is exactly midnight).
String DateToStr(TDateTime DT);
String DateToStr(TDateTime DT, const TFormatSettings& FS);
String TimeToStr(TDateTime DT);
String TimeToStr(TDateTime DT, const TFormatSettings& FS);
String DateTimeToStr(TDateTime DT);
String DateTimeToStr(TDateTime DT, const TFormatSettings& FS);

// Format letters (any case): c, d dd ddd dddd ddddd dddddd, e ee eee, g gg,
// m mm mmm mmmm (minutes right after an h), y yy yyyy, h hh, n nn, s ss,
// z zzz, t tt, am/pm a/p ampm, aaa aaaa; "/" and ":" are the settings'
// separators; text in '...' or "..." and every other character is copied.
// An empty format means "c".
String FormatDateTime(const String& Format, TDateTime DT);
String FormatDateTime(const String& Format, TDateTime DT, const TFormatSettings& FS);
void DateTimeToString(String& Result, const String& Format, TDateTime DT);
void DateTimeToString(String& Result, const String& Format, TDateTime DT, const TFormatSettings& FS);

// Dates are read in the order of the settings' ShortDateFormat (day, month,
// year for en-GB) with its DateSeparator; a missing year is the current
// year, a year of one or two digits is placed by TwoDigitYearCenturyWindow.
// Times are hours with optional minutes, seconds and milliseconds (after the
// DecimalSeparator, read as a whole number), with AM/PM before or after.
// Blanks around the numbers are allowed; anything else left over fails.
// Failures raise EConvertError "'<S>' is not a valid date" / "... valid
// time" / "... valid date and time".
TDateTime StrToDate(const String& S);
TDateTime StrToDate(const String& S, const TFormatSettings& FS);
TDateTime StrToTime(const String& S);
TDateTime StrToTime(const String& S, const TFormatSettings& FS);
TDateTime StrToDateTime(const String& S);
TDateTime StrToDateTime(const String& S, const TFormatSettings& FS);
bool TryStrToDate(const String& S, TDateTime& Value);
bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& FS);
bool TryStrToTime(const String& S, TDateTime& Value);
bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& FS);
bool TryStrToDateTime(const String& S, TDateTime& Value);
bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& FS);
