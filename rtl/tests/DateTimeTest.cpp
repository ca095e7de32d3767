#include "rtl/DateTime.h"

#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

struct TParts {
  int32_t Y, M, D, H, N, S, MS;
};

void ExpectParts(TDateTime DT, const TParts& P)
{
  uint16_t Y = 0, M = 0, D = 0, H = 0, N = 0, S = 0, MS = 0;
  DecodeDateTime(DT, Y, M, D, H, N, S, MS);
  EXPECT_EQ(Y, P.Y);
  EXPECT_EQ(M, P.M);
  EXPECT_EQ(D, P.D);
  EXPECT_EQ(H, P.H);
  EXPECT_EQ(N, P.N);
  EXPECT_EQ(S, P.S);
  EXPECT_EQ(MS, P.MS);
}

String Q(const char* S) { return QString::fromUtf8(S); }

// The clock the tests run under: 15 June 2026, 10:20:30.400.
TDateTime FixedNow() { return EncodeDateTime(2026, 6, 15, 10, 20, 30, 400); }

class DateTimeTest : public ::testing::Test {
protected:
  void SetUp() override { SetNowFunction(&FixedNow); }
  void TearDown() override { SetNowFunction(nullptr); }
  const TFormatSettings GB = GetLocaleFormatSettings(LOCALE_EN_GB);
  const TFormatSettings US = GetLocaleFormatSettings(LOCALE_EN_US);
};

// ------------------------------------------------------------ encode/decode

TEST_F(DateTimeTest, DatesEncodeAndDecodeAcrossLeapYearsAndTheEpoch)
{
  struct Case {
    int32_t Y, M, D;
    double Serial;
    int32_t Dow; // 1 = Sunday
  };
  const std::vector<Case> Cases = {
      {1899, 12, 30, 0, 7},     {1899, 12, 29, -1, 6},   {1900, 1, 1, 2, 2},
      {1900, 2, 28, 60, 4},     {1900, 3, 1, 61, 5}, // 1900 is not a leap year
      {2000, 2, 29, 36585, 3},                       // 2000 is
      {2007, 1, 1, 39083, 2},   {2024, 2, 29, 45351, 5}, {2026, 12, 8, 46364, 3},
      {2100, 2, 28, 73109, 1},  {2100, 3, 1, 73110, 2},  {1600, 2, 29, -109512, 3},
      {1752, 9, 14, -53797, 5}, {1, 1, 1, -693593, 2},   {9999, 12, 31, 2958465, 6},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.Y << "-" << C.M << "-" << C.D);
    EXPECT_EQ(EncodeDate(C.Y, C.M, C.D), C.Serial);
    ExpectParts(C.Serial, {C.Y, C.M, C.D, 0, 0, 0, 0});
    EXPECT_EQ(DayOfWeek(C.Serial), C.Dow);
  }
}

TEST_F(DateTimeTest, LeapYearsAndMonthLengths)
{
  struct Case {
    int32_t Year;
    bool Leap;
  };
  for (const Case& C :
       std::vector<Case>{{1900, false}, {2000, true}, {2004, true}, {2007, false}, {2100, false}, {2400, true}}) {
    EXPECT_EQ(IsLeapYear(C.Year), C.Leap) << C.Year;
    EXPECT_EQ(DaysInAMonth(C.Year, 2), C.Leap ? 29 : 28) << C.Year;
  }
  EXPECT_EQ(DaysInAMonth(2007, 1), 31);
  EXPECT_EQ(DaysInAMonth(2007, 4), 30);
  EXPECT_EQ(DaysInAMonth(2007, 12), 31);
  EXPECT_THROW(DaysInAMonth(2007, 0), ERangeError);
  EXPECT_THROW(DaysInAMonth(2007, 13), ERangeError);
}

TEST_F(DateTimeTest, InvalidDatesAndTimesAreRefused)
{
  struct DateCase {
    int32_t Y, M, D;
  };
  // 67543 would be 2007 again if the year were cut to 16 bits.
  const std::vector<DateCase> Dates = {{2007, 2, 29}, {2000, 2, 30}, {1900, 2, 29}, {2007, 4, 31},
                                       {0, 1, 1},     {10000, 1, 1}, {2007, 0, 1},  {2007, 13, 1},
                                       {2007, 1, 0},  {-1, 1, 1},    {67543, 1, 1}};
  for (const DateCase& C : Dates) {
    SCOPED_TRACE(testing::Message() << C.Y << "-" << C.M << "-" << C.D);
    TDateTime V = 123;
    EXPECT_FALSE(TryEncodeDate(C.Y, C.M, C.D, V));
    EXPECT_EQ(V, 123); // untouched on failure
    try {
      EncodeDate(C.Y, C.M, C.D);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& E) {
      EXPECT_EQ(E.Message(), Q("Invalid argument to date encode"));
    }
    EXPECT_FALSE(TryEncodeDateTime(C.Y, C.M, C.D, 0, 0, 0, 0, V));
  }
  struct TimeCase {
    int32_t H, N, S, MS;
  };
  const std::vector<TimeCase> Times = {{24, 0, 0, 0},   {0, 60, 0, 0}, {0, 0, 60, 0},
                                       {0, 0, 0, 1000}, {-1, 0, 0, 0}, {0, 0, 0, -1}};
  for (const TimeCase& C : Times) {
    SCOPED_TRACE(testing::Message() << C.H << ":" << C.N << ":" << C.S << "." << C.MS);
    TDateTime V = 0;
    EXPECT_FALSE(TryEncodeTime(C.H, C.N, C.S, C.MS, V));
    try {
      EncodeTime(C.H, C.N, C.S, C.MS);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& E) {
      EXPECT_EQ(E.Message(), Q("Invalid argument to time encode"));
    }
    EXPECT_FALSE(TryEncodeDateTime(2007, 1, 1, C.H, C.N, C.S, C.MS, V));
  }
  try {
    EncodeDateTime(2007, 13, 1, 0, 0, 0, 0);
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), Q("'2007/13/1 0:0:0.0' is not a valid date and time"));
  }
}

TEST_F(DateTimeTest, TimesEncodeAndDecode)
{
  struct Case {
    int32_t H, N, S, MS;
    double Fraction;
  };
  const std::vector<Case> Cases = {{0, 0, 0, 0, 0.0},
                                   {6, 0, 0, 0, 0.25},
                                   {12, 0, 0, 0, 0.5},
                                   {19, 30, 35, 120, 70235120.0 / MSecsPerDay},
                                   {23, 59, 59, 999, 86399999.0 / MSecsPerDay},
                                   {0, 0, 0, 1, 1.0 / MSecsPerDay}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.H << ":" << C.N << ":" << C.S << "." << C.MS);
    const TDateTime T = EncodeTime(C.H, C.N, C.S, C.MS);
    EXPECT_DOUBLE_EQ(T, C.Fraction);
    uint16_t H = 0, N = 0, S = 0, MS = 0;
    DecodeTime(T, H, N, S, MS);
    EXPECT_EQ(H, C.H);
    EXPECT_EQ(N, C.N);
    EXPECT_EQ(S, C.S);
    EXPECT_EQ(MS, C.MS);
    // The same time of day on a day after and on a day before the epoch.
    ExpectParts(EncodeDateTime(2007, 1, 1, C.H, C.N, C.S, C.MS), {2007, 1, 1, C.H, C.N, C.S, C.MS});
    ExpectParts(EncodeDateTime(1850, 7, 4, C.H, C.N, C.S, C.MS), {1850, 7, 4, C.H, C.N, C.S, C.MS});
  }
}

TEST_F(DateTimeTest, DecodingRoundsToTheMillisecondWithoutOverflowingAField)
{
  const TDateTime Jan1 = EncodeDate(2007, 1, 1);
  struct Case {
    TDateTime DT;
    TParts Expected;
  };
  const std::vector<Case> Cases = {
      {0.99999999, {1899, 12, 30, 23, 59, 59, 999}},
      {0.999999999, {1899, 12, 31, 0, 0, 0, 0}},
      {Jan1 + 0.99999999, {2007, 1, 1, 23, 59, 59, 999}},
      {Jan1 + 0.9999999999, {2007, 1, 2, 0, 0, 0, 0}},
      {Jan1 + 0.5 - 1e-10, {2007, 1, 1, 12, 0, 0, 0}},
      {EncodeDate(2007, 12, 31) + EncodeTime(23, 59, 59, 999) + 0.0006 / SecsPerDay, {2008, 1, 1, 0, 0, 0, 0}},
      {Jan1 + EncodeTime(10, 59, 59, 999) + 0.0006 / SecsPerDay, {2007, 1, 1, 11, 0, 0, 0}},
      {-0.99999999, {1899, 12, 30, 23, 59, 59, 999}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << std::to_string(C.DT));
    ExpectParts(C.DT, C.Expected);
    // DateOf and TimeOf agree with the decode and add back up to the instant.
    ExpectParts(DateOf(C.DT), {C.Expected.Y, C.Expected.M, C.Expected.D, 0, 0, 0, 0});
    ExpectParts(TimeOf(C.DT), {1899, 12, 30, C.Expected.H, C.Expected.N, C.Expected.S, C.Expected.MS});
    EXPECT_EQ(MilliSecondsBetween(DateOf(C.DT) + TimeOf(C.DT), C.DT), 0);
  }
}

TEST_F(DateTimeTest, BeforeTheEpochTheFractionCountsForwardFromTheDayStart)
{
  struct Case {
    TDateTime DT;
    TParts Expected;
    TDateTime Date, Time;
  };
  const std::vector<Case> Cases = {
      {-1.25, {1899, 12, 29, 6, 0, 0, 0}, -1, 0.25},
      {-0.5, {1899, 12, 30, 12, 0, 0, 0}, 0, 0.5},
      {-2.75, {1899, 12, 28, 18, 0, 0, 0}, -2, 0.75},
      {-693593.5, {1, 1, 1, 12, 0, 0, 0}, -693593, 0.5},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.DT));
    ExpectParts(C.DT, C.Expected);
    EXPECT_EQ(DateOf(C.DT), C.Date);
    EXPECT_DOUBLE_EQ(TimeOf(C.DT), C.Time);
    if (C.Date != 0) { // -0.5 and 0.5 are the same instant; encoding gives 0.5
      EXPECT_DOUBLE_EQ(EncodeDateTime(C.Expected.Y, C.Expected.M, C.Expected.D, C.Expected.H, 0, 0, 0), C.DT);
    }
  }
  EXPECT_EQ(DateTimeToStr(-1.25, GB), Q("29/12/1899 06:00:00"));
}

TEST_F(DateTimeTest, StepsAndDistancesWorkOnTheInstantNotTheRawNumber)
{
  struct IncCase {
    const char* Name;
    TDateTime Result;
    TParts Expected;
  };
  const std::vector<IncCase> Cases = {
      {"second over the new year", IncSecond(EncodeDateTime(2007, 12, 31, 23, 59, 59, 0)), {2008, 1, 1, 0, 0, 0, 0}},
      {"second back", IncSecond(EncodeDateTime(2008, 3, 1, 0, 0, 0, 0), -1), {2008, 2, 29, 23, 59, 59, 0}},
      {"milliseconds", IncMilliSecond(EncodeDateTime(2007, 1, 1, 10, 0, 0, 999), 2), {2007, 1, 1, 10, 0, 1, 1}},
      {"day over the epoch", IncDay(-1.25, 2), {1899, 12, 31, 6, 0, 0, 0}},
      {"day onto the epoch", IncDay(-1.25), {1899, 12, 30, 6, 0, 0, 0}},
      {"day back over the epoch", IncDay(1.25, -2), {1899, 12, 29, 6, 0, 0, 0}},
      {"second over the epoch", IncSecond(EncodeDateTime(1899, 12, 29, 23, 59, 59, 500)), {1899, 12, 30, 0, 0, 0, 500}},
      {"millisecond back over the epoch", IncMilliSecond(0.0, -1), {1899, 12, 29, 23, 59, 59, 999}},
      {"leap day", IncDay(EncodeDate(2000, 2, 28)), {2000, 2, 29, 0, 0, 0, 0}},
  };
  for (const IncCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    ExpectParts(C.Result, C.Expected);
  }

  struct BetweenCase {
    TDateTime A, B;
    int64_t MSecs, Secs;
  };
  const TDateTime T0 = EncodeDateTime(2007, 1, 1, 10, 0, 0, 0);
  const std::vector<BetweenCase> Between = {
      {T0, T0, 0, 0},
      {T0, IncMilliSecond(T0, 1999), 1999, 1},
      {IncMilliSecond(T0, 1999), T0, 1999, 1},
      {T0, IncDay(T0), MSecsPerDay, SecsPerDay},
      {-1.25, 0.25, MSecsPerDay, SecsPerDay}, // one day apart, 1.5 apart as numbers
      {-1.25, -1.0, 6 * 3600000, 6 * 3600},
  };
  for (const BetweenCase& C : Between) {
    SCOPED_TRACE(testing::Message() << std::to_string(C.A) << " .. " << std::to_string(C.B));
    EXPECT_EQ(MilliSecondsBetween(C.A, C.B), C.MSecs);
    EXPECT_EQ(SecondsBetween(C.A, C.B), C.Secs);
  }

  EXPECT_THROW(IncDay(EncodeDate(1, 1, 1), -1), EConvertError);
  EXPECT_THROW(IncSecond(0.0, std::numeric_limits<int64_t>::max()), EIntOverflow);
  EXPECT_THROW(IncMilliSecond(0.0, std::numeric_limits<int64_t>::max()), EIntOverflow);
}

TEST_F(DateTimeTest, TimeStamps)
{
  struct Case {
    TDateTime DT;
    int32_t Date, Time;
  };
  const std::vector<Case> Cases = {
      {0, DateDelta, 0},
      {EncodeDate(1, 1, 1), 1, 0},
      {-1.25, DateDelta - 1, 21600000},
      {EncodeDateTime(2026, 12, 8, 19, 30, 35, 120), DateDelta + 46364, 70235120},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.DT));
    const TTimeStamp TS = DateTimeToTimeStamp(C.DT);
    EXPECT_EQ(TS.Date, C.Date);
    EXPECT_EQ(TS.Time, C.Time);
    const int64_t MSecs = TimeStampToMSecs(TS);
    EXPECT_EQ(MSecs, int64_t{C.Date} * MSecsPerDay + C.Time);
    const TTimeStamp Back = MSecsToTimeStamp(MSecs);
    EXPECT_EQ(Back.Date, C.Date);
    EXPECT_EQ(Back.Time, C.Time);
    EXPECT_DOUBLE_EQ(TimeStampToDateTime(Back), C.DT);
  }

  // An instrument clock five seconds ahead, as the clock offset is applied.
  const TDateTime PC = EncodeDateTime(2026, 12, 31, 23, 59, 58, 0);
  const int64_t PCMSecs = TimeStampToMSecs(DateTimeToTimeStamp(PC));
  ExpectParts(TimeStampToDateTime(MSecsToTimeStamp(PCMSecs + 5000)), {2027, 1, 1, 0, 0, 3, 0});

  struct Bad {
    int32_t Date, Time;
    const char* Message;
  };
  for (const Bad& B : std::vector<Bad>{{0, 0, "'0.0' is not a valid timestamp"},
                                       {1, -1, "'1.-1' is not a valid timestamp"},
                                       {1, MSecsPerDay, "'1.86400000' is not a valid timestamp"}}) {
    try {
      TimeStampToDateTime(TTimeStamp{B.Time, B.Date});
      ADD_FAILURE() << B.Message;
    } catch (const EConvertError& E) {
      EXPECT_EQ(E.Message(), Q(B.Message));
    }
  }
  EXPECT_THROW(MSecsToTimeStamp(std::numeric_limits<int64_t>::max()), EConvertError);
}

TEST_F(DateTimeTest, ValuesThatAreNoInstantAreCaughtNotDecodedIntoGarbage)
{
  for (const double Bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(), 1e300, -3e9}) {
    SCOPED_TRACE(std::to_string(Bad));
    uint16_t Y = 0, M = 0, D = 0;
    EXPECT_THROW(DecodeDate(Bad, Y, M, D), EInvalidOp);
    EXPECT_THROW(FormatDateTime(Q("hh:nn"), Bad, GB), EInvalidOp);
    EXPECT_THROW(DateTimeToTimeStamp(Bad), EInvalidOp);
  }
  // Finite values outside years 1..9999 decode as 0/0/0 and format without
  // reading past the name tables.
  for (const double Outside : {-693594.0, 2958466.0, 1e9}) {
    SCOPED_TRACE(std::to_string(Outside));
    uint16_t Y = 1, M = 1, D = 1;
    DecodeDate(Outside, Y, M, D);
    EXPECT_EQ(Y, 0);
    EXPECT_EQ(M, 0);
    EXPECT_EQ(D, 0);
    EXPECT_EQ(FormatDateTime(Q("dd/mm/yyyy|ddd|mmmm"), Outside, GB), Q("00/00/0000||"));
  }
}

// -------------------------------------------------------------------- clock

TDateTime OtherNow() { return EncodeDateTime(1999, 12, 31, 23, 59, 59, 999); }

TEST_F(DateTimeTest, TheClockCanBeReplacedAndRestored)
{
  EXPECT_EQ(Now(), FixedNow());
  EXPECT_EQ(Date(), EncodeDate(2026, 6, 15));
  EXPECT_DOUBLE_EQ(Time(), EncodeTime(10, 20, 30, 400));
  EXPECT_EQ(CurrentYear(), 2026);

  SetNowFunction(&OtherNow);
  EXPECT_EQ(Now(), OtherNow());
  EXPECT_EQ(CurrentYear(), 1999);

  // Back on the system clock: the local time, as Qt reads it independently.
  SetNowFunction(nullptr);
  const TDateTime Sys = Now();
  const QDateTime Local = QDateTime::currentDateTime();
  const TDateTime Expected =
      EncodeDateTime(Local.date().year(), Local.date().month(), Local.date().day(), Local.time().hour(),
                     Local.time().minute(), Local.time().second(), Local.time().msec());
  EXPECT_LT(SecondsBetween(Sys, Expected), 60);
  EXPECT_GE(Time(), 0.0);
  EXPECT_LT(Time(), 1.0);
}

// ------------------------------------------------------------------- to text

TEST_F(DateTimeTest, FormatDateTimeLanguage)
{
  const TDateTime Evening = EncodeDateTime(2026, 12, 8, 19, 30, 35, 120); // a Tuesday
  const TDateTime Midnight = EncodeDate(2007, 1, 1);
  const TDateTime Morning = EncodeDateTime(2007, 1, 1, 0, 5, 9, 5);
  const TDateTime Noon = EncodeDateTime(2007, 1, 1, 12, 0, 0, 0);
  struct Case {
    const char* Format;
    TDateTime DT;
    const char* Expected;
  };
  const std::vector<Case> Cases = {
      {"dd/mm/yyyy hh:nn:ss", Midnight, "01/01/2007 00:00:00"},
      {"dd/mm/yyyy hh:nn:ss", Evening, "08/12/2026 19:30:35"},
      {"DD/MM/YYYY HH:NN:SS", Evening, "08/12/2026 19:30:35"},
      {"", Midnight, "01/01/2007"},
      {"", Evening, "08/12/2026 19:30:35"},
      {"c", Morning, "01/01/2007 00:05:09"},
      {"d/m/y", Evening, "8/12/26"},
      {"d/m/yy", Midnight, "1/1/07"},
      {"yyy", Midnight, "2007"},
      {"ddd dddd", Evening, "Tue Tuesday"},
      {"ddddd", Evening, "08/12/2026"},
      {"dddddd", Evening, "08 December 2026"},
      {"mmm mmmm MMMM", Evening, "Dec December December"},
      {"m mm", Midnight, "1 01"},
      {"h:m", Morning, "0:5"},
      {"hh:mm:ss", Evening, "19:30:35"},
      {"hh' h 'mm", Evening, "19 h 30"},
      {"mm/hh", Evening, "12/19"},
      {"n nn s ss", Morning, "5 05 9 09"},
      {"z zzz", Morning, "5 005"},
      {"zzz", Evening, "120"},
      {"hh:nn:ss.zzz", Evening, "19:30:35.120"},
      {"t", Evening, "19:30"},
      {"tt", Evening, "19:30:35"},
      {"h:nn am/pm", Evening, "7:30 pm"},
      {"h:nn AM/PM", Morning, "12:05 AM"},
      {"h:nn a/p", Evening, "7:30 p"},
      {"h:nn A/P", Noon, "12:00 P"},
      {"hh:nn ampm", Evening, "07:30 PM"},
      {"hh 'am/pm' hh", Evening, "19 am/pm 19"},
      {"aaa aaaa", Evening, "Tue Tuesday"},
      {"g gg e ee eee", Evening, "A.D. A.D. 26 26 2026"},
      {"e", Midnight, "7"},
      {"'dd' \"mm\" dd", Evening, "dd mm 08"},
      {"[dd] #1", Evening, "[08] #1"},
      {"'unclosed dd", Evening, "unclosed dd"},
      {"yyyy-mm-dd", Evening, "2026-12-08"},
      {"\xc3\xbc\xc3\x9f dd", Evening, "\xc3\xbc\xc3\x9f 08"}, // non-ASCII letters are copied
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Format);
    EXPECT_EQ(FormatDateTime(Q(C.Format), C.DT, GB), Q(C.Expected));
    // Without settings: the process default, which is en-GB.
    EXPECT_EQ(FormatDateTime(Q(C.Format), C.DT), Q(C.Expected));
    String Out;
    DateTimeToString(Out, Q(C.Format), C.DT, GB);
    EXPECT_EQ(Out, Q(C.Expected));
  }
}

TEST_F(DateTimeTest, FormatUsesTheGivenSettings)
{
  const TDateTime Evening = EncodeDateTime(2026, 12, 8, 19, 30, 35, 120);
  TFormatSettings Dotted = GB;
  Dotted.DateSeparator = QLatin1Char('.');
  Dotted.TimeSeparator = QLatin1Char('-');
  Dotted.TimeAMString = Q("vorm.");
  Dotted.TimePMString = Q("nachm.");
  Dotted.LongMonthNames[11] = Q("Dezember");
  Dotted.ShortDayNames[2] = Q("Di");
  EXPECT_EQ(FormatDateTime(Q("dd/mm/yyyy hh:nn"), Evening, Dotted), Q("08.12.2026 19-30"));
  EXPECT_EQ(FormatDateTime(Q("ddd d mmmm h ampm"), Evening, Dotted), Q("Di 8 Dezember 7 nachm."));
  EXPECT_EQ(DateToStr(Evening, US), Q("12/8/2026"));
  EXPECT_EQ(TimeToStr(Evening, US), Q("7:30:35 PM"));
  EXPECT_EQ(DateTimeToStr(Evening, US), Q("12/8/2026 7:30:35 PM"));

  // Settings whose formats name each other must not recurse forever: named
  // formats are expanded one level deep only.
  TFormatSettings Loop = GB;
  Loop.ShortDateFormat = Q("c");
  Loop.LongTimeFormat = Q("tt");
  Loop.ShortTimeFormat = Q("hh");
  EXPECT_EQ(FormatDateTime(Q("c"), Evening, Loop), Q("  "));
  EXPECT_EQ(FormatDateTime(Q("t|ddddd"), Evening, Loop), Q("19| "));
}

TEST_F(DateTimeTest, DateAndTimeToStrWriteTheSettingsFormats)
{
  struct Case {
    TDateTime DT;
    const char* Date;
    const char* Time;
    const char* DateTime;
  };
  const std::vector<Case> Cases = {
      {EncodeDate(2007, 1, 1), "01/01/2007", "00:00:00", "01/01/2007"}, // time left out at midnight
      {EncodeDateTime(2007, 1, 1, 0, 0, 0, 1), "01/01/2007", "00:00:00", "01/01/2007 00:00:00"},
      {EncodeDateTime(2026, 12, 8, 19, 30, 35, 120), "08/12/2026", "19:30:35", "08/12/2026 19:30:35"},
      {EncodeTime(19, 30, 35, 120), "30/12/1899", "19:30:35", "30/12/1899 19:30:35"},
      {EncodeDateTime(2023, 4, 13, 23, 59, 59, 999), "13/04/2023", "23:59:59", "13/04/2023 23:59:59"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.DateTime);
    EXPECT_EQ(DateToStr(C.DT), Q(C.Date));
    EXPECT_EQ(DateToStr(C.DT, GB), Q(C.Date));
    EXPECT_EQ(TimeToStr(C.DT), Q(C.Time));
    EXPECT_EQ(TimeToStr(C.DT, GB), Q(C.Time));
    EXPECT_EQ(DateTimeToStr(C.DT), Q(C.DateTime));
    EXPECT_EQ(DateTimeToStr(C.DT, GB), Q(C.DateTime));
  }
}

// ----------------------------------------------------------------- from text

TEST_F(DateTimeTest, TextParsesIntoDatesAndTimes)
{
  enum Kind { KDate, KTime, KDateTime };
  struct Case {
    Kind K;
    const char* Text;
    TDateTime Expected;
  };
  const std::vector<Case> Cases = {
      {KDate, "01/01/2007", EncodeDate(2007, 1, 1)},
      {KDate, " 8/12/2026 ", EncodeDate(2026, 12, 8)},
      {KDate, "8 / 12 / 2026", EncodeDate(2026, 12, 8)},
      {KDate, "29/02/2000", EncodeDate(2000, 2, 29)},
      {KDate, "01/01/0001", EncodeDate(1, 1, 1)},
      {KDate, "31/12/9999", EncodeDate(9999, 12, 31)},
      {KDate, "1/2/2007/", EncodeDate(2007, 2, 1)},
      {KDate, "01/02", EncodeDate(2026, 2, 1)}, // the current year
      // Two-digit years: the hundred years from 1976 (2026 minus the window of 50).
      {KDate, "01/02/07", EncodeDate(2007, 2, 1)},
      {KDate, "1/2/7", EncodeDate(2007, 2, 1)},
      {KDate, "01/02/76", EncodeDate(1976, 2, 1)},
      {KDate, "01/02/75", EncodeDate(2075, 2, 1)},
      {KDate, "01/02/99", EncodeDate(1999, 2, 1)},
      {KDate, "01/02/007", EncodeDate(7, 2, 1)},
      {KTime, "19:30:35", EncodeTime(19, 30, 35, 0)},
      {KTime, "19:30", EncodeTime(19, 30, 0, 0)},
      {KTime, "19", EncodeTime(19, 0, 0, 0)},
      {KTime, " 19 : 30 ", EncodeTime(19, 30, 0, 0)},
      {KTime, "19:30:35.120", EncodeTime(19, 30, 35, 120)},
      {KTime, "19:30:35.5", EncodeTime(19, 30, 35, 5)}, // milliseconds are a whole number
      {KTime, "7:30 PM", EncodeTime(19, 30, 0, 0)},
      {KTime, "7:30pm", EncodeTime(19, 30, 0, 0)},
      {KTime, "PM 7:30", EncodeTime(19, 30, 0, 0)},
      {KTime, "12:00 AM", EncodeTime(0, 0, 0, 0)},
      {KTime, "12:00 pm", EncodeTime(12, 0, 0, 0)},
      {KTime, "11:59:59 am", EncodeTime(11, 59, 59, 0)},
      {KDateTime, "01/01/2007 00:00:00", EncodeDate(2007, 1, 1)},
      {KDateTime, "08/12/2026 19:30:35", EncodeDateTime(2026, 12, 8, 19, 30, 35, 0)},
      {KDateTime, "08/12/2026 7:30:35.120 PM", EncodeDateTime(2026, 12, 8, 19, 30, 35, 120)},
      {KDateTime, "29/12/1899 06:00", -1.25},
      {KDateTime, "01/01/2007", EncodeDate(2007, 1, 1)},
      {KDateTime, "19:30", EncodeTime(19, 30, 0, 0)},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    const String S = Q(C.Text);
    TDateTime V = -99;
    switch (C.K) {
    case KDate:
      EXPECT_TRUE(TryStrToDate(S, V, GB));
      EXPECT_EQ(StrToDate(S), C.Expected);
      break;
    case KTime:
      EXPECT_TRUE(TryStrToTime(S, V, GB));
      EXPECT_EQ(StrToTime(S), C.Expected);
      break;
    case KDateTime:
      EXPECT_TRUE(TryStrToDateTime(S, V, GB));
      EXPECT_EQ(StrToDateTime(S), C.Expected);
      break;
    }
    EXPECT_EQ(V, C.Expected);
  }
}

TEST_F(DateTimeTest, BadTextIsRefusedWithItsMessage)
{
  enum Kind { KDate, KTime, KDateTime };
  struct Case {
    Kind K;
    const char* Text;
  };
  const std::vector<Case> Cases = {
      {KDate, ""},
      {KDate, "abc"},
      {KDate, "32/01/2007"},
      {KDate, "29/02/2007"},
      {KDate, "01/13/2007"},
      {KDate, "00/01/2007"},
      {KDate, "01-01-2007"},
      {KDate, "01/01/2007x"},
      {KDate, "01/01/10000"},
      {KDate, "1/1/20071"},
      {KDate, "01/01/2007 12:00"},
      {KDate, "01/"},
      {KDate, "99999999999999999999/1/2007"},
      {KTime, ""},
      {KTime, "AM"},
      {KTime, "24:00"},
      {KTime, "12:60"},
      {KTime, "12:00:60"},
      {KTime, "12:00:00.1000"},
      {KTime, "13:00 PM"},
      {KTime, "0:30 AM"},
      {KTime, "12:"},
      {KTime, "12:00x"},
      {KTime, "12:00:00."},
      {KTime, "12.00"},
      {KDateTime, ""},
      {KDateTime, "xx"},
      {KDateTime, "01/01/2007 25:00"},
      {KDateTime, "01/01/2007 12:00 xyz"},
      {KDateTime, "01/01/2007 xyz"},
      {KDateTime, "32/01/2007 12:00"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    const String S = Q(C.Text);
    TDateTime V = -99;
    String Expected = QLatin1Char('\'') + S + Q("' is not a valid ");
    try {
      switch (C.K) {
      case KDate:
        EXPECT_FALSE(TryStrToDate(S, V, GB));
        Expected += Q("date");
        StrToDate(S, GB);
        break;
      case KTime:
        EXPECT_FALSE(TryStrToTime(S, V, GB));
        Expected += Q("time");
        StrToTime(S, GB);
        break;
      case KDateTime:
        EXPECT_FALSE(TryStrToDateTime(S, V, GB));
        Expected += Q("date and time");
        StrToDateTime(S, GB);
        break;
      }
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& E) {
      EXPECT_EQ(E.Message(), Expected);
    }
    EXPECT_EQ(V, -99); // untouched on failure
  }
}

TEST_F(DateTimeTest, ParsingFollowsTheSettingsOrderAndWindow)
{
  EXPECT_EQ(StrToDate(Q("12/8/2026"), US), EncodeDate(2026, 12, 8));
  EXPECT_EQ(StrToDate(Q("12/8"), US), EncodeDate(2026, 12, 8));
  EXPECT_EQ(StrToDateTime(Q("12/8/2026 7:30:35 PM"), US), EncodeDateTime(2026, 12, 8, 19, 30, 35, 0));

  TFormatSettings Iso = GB;
  Iso.ShortDateFormat = Q("yyyy-mm-dd");
  Iso.DateSeparator = QLatin1Char('-');
  EXPECT_EQ(StrToDate(Q("2026-12-08"), Iso), EncodeDate(2026, 12, 8));
  EXPECT_EQ(StrToDate(Q("07-1-2"), Iso), EncodeDate(2007, 1, 2));
  TDateTime V = 0;
  EXPECT_FALSE(TryStrToDate(Q("08/12/2026"), V, Iso));

  TFormatSettings NoWindow = GB;
  NoWindow.TwoDigitYearCenturyWindow = 0; // always the current century
  EXPECT_EQ(StrToDate(Q("01/02/75"), NoWindow), EncodeDate(2075, 2, 1));
  EXPECT_EQ(StrToDate(Q("01/02/99"), NoWindow), EncodeDate(2099, 2, 1));

  TFormatSettings German = GB;
  German.DateSeparator = QLatin1Char('.');
  German.DecimalSeparator = QLatin1Char(',');
  German.TimeAMString = Q("vorm.");
  German.TimePMString = Q("nachm.");
  EXPECT_EQ(StrToDateTime(Q("08.12.2026 19:30:35,120"), German), EncodeDateTime(2026, 12, 8, 19, 30, 35, 120));
  EXPECT_EQ(StrToTime(Q("7:30 NACHM."), German), EncodeTime(19, 30, 0, 0));
  EXPECT_EQ(StrToTime(Q("7:30 PM"), German), EncodeTime(19, 30, 0, 0));

  // The year-less and two-digit rules follow the injected clock.
  SetNowFunction(&OtherNow); // 1999
  EXPECT_EQ(StrToDate(Q("01/02")), EncodeDate(1999, 2, 1));
  EXPECT_EQ(StrToDate(Q("01/02/48")), EncodeDate(2048, 2, 1));
  EXPECT_EQ(StrToDate(Q("01/02/49")), EncodeDate(1949, 2, 1));
}

TEST_F(DateTimeTest, WrittenTextReadsBackToTheSameInstant)
{
  const std::vector<TDateTime> Values = {
      EncodeDate(2007, 1, 1), EncodeDateTime(2026, 12, 8, 19, 30, 35, 0), EncodeDateTime(1899, 12, 29, 6, 0, 0, 0),
      EncodeDateTime(2000, 2, 29, 23, 59, 59, 0), EncodeDateTime(1, 1, 1, 0, 0, 1, 0)};
  for (const TDateTime DT : Values) {
    SCOPED_TRACE(std::to_string(DT));
    EXPECT_EQ(StrToDateTime(DateTimeToStr(DT, GB), GB), DT);
    EXPECT_EQ(StrToDateTime(DateTimeToStr(DT, US), US), DT);
    EXPECT_EQ(StrToDate(DateToStr(DT, GB), GB), DateOf(DT));
    EXPECT_EQ(StrToTime(TimeToStr(DT, GB), GB), TimeOf(DT));
    EXPECT_EQ(StrToDateTime(FormatDateTime(Q("dd/mm/yyyy hh:nn:ss.zzz"), DT, GB), GB), DT);
  }
}

// --------------------------------------------------------- process locale

// Every result must be the same whatever C locale the process runs under:
// instrument text must decode the same on every machine.
std::vector<String> LocaleSensitiveResults()
{
  const TFormatSettings GB = GetLocaleFormatSettings(LOCALE_EN_GB);
  const TDateTime DT = EncodeDateTime(2026, 12, 8, 19, 30, 35, 120);
  std::vector<String> R = {
      FormatDateTime(Q("dd/mm/yyyy hh:nn:ss.zzz ddd dddd mmm mmmm ampm am/pm"), DT),
      FormatDateTime(Q("c"), DT, GB),
      DateToStr(DT),
      TimeToStr(DT),
      DateTimeToStr(EncodeDate(2007, 1, 1)),
      DateTimeToStr(-1.25),
  };
  for (const char* S : {"08/12/2026 19:30:35.120", "8/12/26 7:30 pm", "19:30:35.120", "01/01/2007"}) {
    TDateTime V = 0;
    const bool Ok = TryStrToDateTime(Q(S), V, GB);
    R.push_back(Ok ? QString::number(TimeStampToMSecs(DateTimeToTimeStamp(V))) : Q("failed"));
  }
  TDateTime V = 0;
  R.push_back(TryStrToDateTime(Q("08/12/2026 19:30:35,120"), V, GB) ? Q("accepted comma") : Q("refused comma"));
  return R;
}

TEST_F(DateTimeTest, TheProcessLocaleChangesNothing)
{
  const std::string Saved = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "C");
  const std::vector<String> Neutral = LocaleSensitiveResults();
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    std::setlocale(LC_ALL, Saved.c_str());
    FAIL() << "The de_DE.UTF-8 locale is not installed; scripts/test.sh creates it "
              "(localedef -i de_DE -f UTF-8 de_DE.UTF-8).";
  }
  const std::vector<String> German = LocaleSensitiveResults();
  std::setlocale(LC_ALL, Saved.c_str());
  ASSERT_EQ(German.size(), Neutral.size());
  for (size_t I = 0; I < Neutral.size(); ++I)
    EXPECT_EQ(German[I], Neutral[I]) << "result " << I;
  // The AM/PM markers put the hour on the 12-hour clock.
  EXPECT_EQ(Neutral[0], Q("08/12/2026 07:30:35.120 Tue Tuesday Dec December PM pm"));
  EXPECT_EQ(Neutral.back(), Q("refused comma"));
}

} // namespace

TEST_F(DateTimeTest, IncMonthKeepsTheDayWhereTheMonthHasIt)
{
  struct Case {
    int32_t Y, M, D, Step, WantY, WantM, WantD;
  };
  const Case Cases[] = {
      {2024, 3, 15, 1, 2024, 4, 15}, {2024, 1, 31, 1, 2024, 2, 29}, {2023, 1, 31, 1, 2023, 2, 28},
      {2024, 12, 5, 1, 2025, 1, 5},  {2024, 1, 5, -1, 2023, 12, 5}, {2024, 3, 31, -13, 2023, 2, 28},
  };
  for (const Case& C : Cases) {
    const TDateTime In = EncodeDate(C.Y, C.M, C.D) + 0.25;
    EXPECT_EQ(IncMonth(In, C.Step), EncodeDate(C.WantY, C.WantM, C.WantD) + 0.25) << C.Y << "-" << C.M << "-" << C.D;
  }
  EXPECT_EQ(IncMonth(EncodeDate(9999, 12, 1), 1), EncodeDate(9999, 12, 1));
}
