#include "rtl/DateTime.h"

#include <ctime>

#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"

#include <QDateTime>
#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>

namespace {

constexpr int32_t MonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                      {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Time-stamp day numbers of 0001-01-01 and 9999-12-31.
constexpr int32_t FirstDay = 1;
constexpr int32_t LastDay = 3652059;

// A day count this large already overflows the 32-bit day of a time stamp;
// beyond it rounding to milliseconds would not fit 64 bits either.
constexpr double MaxAbsDateTime = 2.0e9;

std::atomic<TNowFunction> NowFunction{nullptr};

int64_t RoundToMSecs(TDateTime DT)
{
  if (!std::isfinite(DT) || std::fabs(DT) > MaxAbsDateTime)
    throw EInvalidOp(QStringLiteral("Invalid floating point operation"));
  // Halves go to the even millisecond, as the run-time Round does everywhere.
  return static_cast<int64_t>(std::nearbyint(DT * MSecsPerDay));
}

struct TDateParts {
  uint16_t Year = 0;
  uint16_t Month = 0;
  uint16_t Day = 0;
  bool Valid = false;
};

TDateParts DecodeDayNumber(int32_t T)
{
  TDateParts R;
  if (T < FirstDay || T > LastDay)
    return R;
  constexpr int32_t D1 = 365;
  constexpr int32_t D4 = D1 * 4 + 1;
  constexpr int32_t D100 = D4 * 25 - 1;
  constexpr int32_t D400 = D100 * 4 + 1;
  int32_t Rest = T - 1;
  int32_t Year = 1 + (Rest / D400) * 400;
  Rest %= D400;
  int32_t I = Rest / D100;
  Rest %= D100;
  if (I == 4) { // the last day of a 400-year cycle
    --I;
    Rest += D100;
  }
  Year += I * 100;
  Year += (Rest / D4) * 4;
  Rest %= D4;
  I = Rest / D1;
  Rest %= D1;
  if (I == 4) { // the leap day closing a four-year cycle
    --I;
    Rest += D1;
  }
  Year += I;
  const int32_t* Table = MonthDays[IsLeapYear(Year) ? 1 : 0];
  int32_t Month = 0;
  while (Rest >= Table[Month]) {
    Rest -= Table[Month];
    ++Month;
  }
  R.Year = static_cast<uint16_t>(Year);
  R.Month = static_cast<uint16_t>(Month + 1);
  R.Day = static_cast<uint16_t>(Rest + 1);
  R.Valid = true;
  return R;
}

String InvalidTimeStampMessage(const TTimeStamp& TS)
{
  return QLatin1Char('\'') + QString::number(TS.Date) + QLatin1Char('.') + QString::number(TS.Time) +
         QStringLiteral("' is not a valid timestamp");
}

TDateTime ComposeDateTime(TDateTime Date, TDateTime Time) { return Date < 0 ? Date - Time : Date + Time; }

// localtime_r, unlike QDateTime::currentDateTime() and localtime(), does not
// go back to the zone file on every call; the clock is read for every
// sample and every telegram, so that saving is most of the cost of a read.
TDateTime SystemNow()
{
  timespec Ts{};
  clock_gettime(CLOCK_REALTIME, &Ts);
  tm Local{};
  if (!localtime_r(&Ts.tv_sec, &Local))
    throw EConvertError(QStringLiteral("The system clock gave an invalid date and time"));
  TDateTime Result = 0;
  if (!TryEncodeDateTime(Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday, Local.tm_hour, Local.tm_min,
                         std::min(Local.tm_sec, 59), static_cast<int>(Ts.tv_nsec / 1000000), Result))
    throw EConvertError(QStringLiteral("The system clock gave an invalid date and time"));
  return Result;
}

// ---------------------------------------------------------------- formatting

bool IsAsciiLetter(char16_t C) { return (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z'); }

char16_t AsciiUpper(char16_t C) { return (C >= u'a' && C <= u'z') ? static_cast<char16_t>(C - 32) : C; }

// Case-insensitive (ASCII) match of Literal at position I of F.
bool MatchAt(const String& F, int32_t I, const char* Literal)
{
  for (int32_t K = 0; Literal[K] != 0; ++K) {
    if (I + K >= F.size() || AsciiUpper(F[I + K].unicode()) != AsciiUpper(static_cast<char16_t>(Literal[K])))
      return false;
  }
  return true;
}

class TDateTimeWriter {
public:
  TDateTimeWriter(TDateTime DT, const TFormatSettings& FS) : FDT(DT), FFS(FS) {}
  void Append(const String& F, int32_t Level);
  String Result;

private:
  void GetDate();
  void GetTime();
  void AppendNumber(int32_t Value, int32_t Digits);
  String DayName(bool Long);

  TDateTime FDT;
  const TFormatSettings& FFS;
  bool FDateDecoded = false;
  bool FTimeDecoded = false;
  uint16_t FYear = 0, FMonth = 0, FDay = 0;
  uint16_t FHour = 0, FMin = 0, FSec = 0, FMSec = 0;
};

void TDateTimeWriter::GetDate()
{
  if (!FDateDecoded) {
    DecodeDate(FDT, FYear, FMonth, FDay);
    FDateDecoded = true;
  }
}

void TDateTimeWriter::GetTime()
{
  if (!FTimeDecoded) {
    DecodeTime(FDT, FHour, FMin, FSec, FMSec);
    FTimeDecoded = true;
  }
}

// Zeros in front up to Digits characters (a "-" counts as one), written
// straight into the result: the clock fields of every telegram pass here.
void TDateTimeWriter::AppendNumber(int32_t Value, int32_t Digits)
{
  char Buf[16];
  const std::to_chars_result R = std::to_chars(Buf, Buf + sizeof Buf, Value);
  const int32_t Length = static_cast<int32_t>(R.ptr - Buf);
  for (int32_t I = Length; I < Digits; ++I)
    Result += QLatin1Char('0');
  Result += QLatin1StringView(Buf, Length);
}

String TDateTimeWriter::DayName(bool Long)
{
  GetDate();
  if (FYear == 0) // out of range: no weekday to name
    return String();
  const int32_t I = DayOfWeek(FDT) - 1;
  return Long ? FFS.LongDayNames[I] : FFS.ShortDayNames[I];
}

void TDateTimeWriter::Append(const String& F, int32_t Level)
{
  // A named format ("c", "ddddd", "t") may itself name formats, but only one
  // level deep, so settings that name each other cannot recurse forever.
  if (Level > 1)
    return;
  const int32_t N = static_cast<int32_t>(F.size());
  int32_t I = 0;
  char16_t LastToken = u' ';
  bool Use12HourClock = false;
  while (I < N) {
    const QChar Starter = F[I++];
    char16_t Token = AsciiUpper(Starter.unicode());
    if (IsAsciiLetter(Token)) {
      if (Token == u'M' && LastToken == u'H')
        Token = u'N';
      LastToken = Token;
    }
    auto GetCount = [&]() {
      int32_t Count = 1;
      while (I < N && F[I] == Starter) {
        ++I;
        ++Count;
      }
      return Count;
    };
    switch (Token) {
    case u'Y': {
      const int32_t Count = GetCount();
      GetDate();
      if (Count <= 2)
        AppendNumber(FYear % 100, 2);
      else
        AppendNumber(FYear, 4);
      break;
    }
    case u'G':
      GetCount();
      // The Gregorian calendar has a single era.
      Result += QStringLiteral("A.D.");
      break;
    case u'E': {
      const int32_t Count = GetCount();
      GetDate();
      if (Count == 1)
        Result += QString::number(FYear % 100);
      else if (Count == 2)
        AppendNumber(FYear % 100, 2);
      else
        AppendNumber(FYear, 4);
      break;
    }
    case u'M': {
      const int32_t Count = GetCount();
      GetDate();
      if (Count <= 2)
        AppendNumber(FMonth, Count);
      else if (FMonth >= 1 && FMonth <= 12)
        Result += Count == 3 ? FFS.ShortMonthNames[FMonth - 1] : FFS.LongMonthNames[FMonth - 1];
      break;
    }
    case u'D': {
      const int32_t Count = GetCount();
      switch (Count) {
      case 1:
      case 2:
        GetDate();
        AppendNumber(FDay, Count);
        break;
      case 3:
        Result += DayName(false);
        break;
      case 4:
        Result += DayName(true);
        break;
      case 5:
        Append(FFS.ShortDateFormat, Level + 1);
        break;
      default:
        Append(FFS.LongDateFormat, Level + 1);
        break;
      }
      break;
    }
    case u'H': {
      int32_t Count = GetCount();
      GetTime();
      // An AM/PM marker later in the format (before the next hour) switches
      // this hour to the 12-hour clock.
      bool BetweenQuotes = false;
      for (int32_t P = I; P < N; ++P) {
        const char16_t C = F[P].unicode();
        if ((C == u'A' || C == u'a') && !BetweenQuotes) {
          if (MatchAt(F, P, "AM/PM") || MatchAt(F, P, "A/P") || MatchAt(F, P, "AMPM"))
            Use12HourClock = true;
          break;
        }
        if (C == u'H' || C == u'h')
          break;
        if (C == u'\'' || C == u'"')
          BetweenQuotes = !BetweenQuotes;
      }
      int32_t H = FHour;
      if (Use12HourClock) {
        if (H == 0)
          H = 12;
        else if (H > 12)
          H -= 12;
      }
      AppendNumber(H, Count > 2 ? 2 : Count);
      break;
    }
    case u'N': {
      const int32_t Count = GetCount();
      GetTime();
      AppendNumber(FMin, Count > 2 ? 2 : Count);
      break;
    }
    case u'S': {
      const int32_t Count = GetCount();
      GetTime();
      AppendNumber(FSec, Count > 2 ? 2 : Count);
      break;
    }
    case u'T': {
      const int32_t Count = GetCount();
      Append(Count == 1 ? FFS.ShortTimeFormat : FFS.LongTimeFormat, Level + 1);
      break;
    }
    case u'Z': {
      const int32_t Count = GetCount();
      GetTime();
      AppendNumber(FMSec, Count > 3 ? 3 : Count);
      break;
    }
    case u'A': {
      const int32_t P = I - 1;
      if (MatchAt(F, P, "AM/PM")) {
        GetTime();
        // Written in the letter case of the format: "am/pm" gives "pm".
        Result += F.mid(FHour >= 12 ? P + 3 : P, 2);
        I += 4;
        Use12HourClock = true;
      } else if (MatchAt(F, P, "A/P")) {
        GetTime();
        Result += F.mid(FHour >= 12 ? P + 2 : P, 1);
        I += 2;
        Use12HourClock = true;
      } else if (MatchAt(F, P, "AMPM")) {
        GetTime();
        Result += FHour < 12 ? FFS.TimeAMString : FFS.TimePMString;
        I += 3;
        Use12HourClock = true;
      } else if (MatchAt(F, P, "AAAA")) {
        Result += DayName(true);
        I += 3;
      } else if (MatchAt(F, P, "AAA")) {
        Result += DayName(false);
        I += 2;
      } else {
        Result += Starter;
      }
      break;
    }
    case u'C': {
      GetCount();
      Append(FFS.ShortDateFormat, Level + 1);
      GetTime();
      if (FHour != 0 || FMin != 0 || FSec != 0 || FMSec != 0) {
        Result += QLatin1Char(' ');
        Append(FFS.LongTimeFormat, Level + 1);
      }
      break;
    }
    case u'/':
      if (!FFS.DateSeparator.isNull())
        Result += FFS.DateSeparator;
      break;
    case u':':
      if (!FFS.TimeSeparator.isNull())
        Result += FFS.TimeSeparator;
      break;
    case u'\'':
    case u'"': {
      // An unclosed quote runs to the end of the format.
      const int32_t Start = I;
      while (I < N && F[I] != Starter)
        ++I;
      Result += F.mid(Start, I - Start);
      if (I < N)
        ++I;
      break;
    }
    default:
      Result += Starter;
      break;
    }
  }
}

// ------------------------------------------------------------------ parsing

enum class TDateOrder { doMDY, doDMY, doYMD };

TDateOrder GetDateOrder(const String& DateFormat)
{
  for (const QChar C : DateFormat) {
    switch (AsciiUpper(C.unicode())) {
    case u'E':
    case u'Y':
      return TDateOrder::doYMD;
    case u'M':
      return TDateOrder::doMDY;
    case u'D':
      return TDateOrder::doDMY;
    default:
      break;
    }
  }
  return TDateOrder::doMDY;
}

// Reads a date or a time from untrusted text; every read is bounded by the
// text's length.
class TScanner {
public:
  TScanner(const String& S, const TFormatSettings& FS) : FText(S), FFS(FS) {}
  bool ScanDate(TDateTime& Date);
  bool ScanTime(TDateTime& Time);
  bool AtEnd() const { return FPos >= FText.size(); }

private:
  void ScanBlanks();
  bool ScanNumber(int32_t& Number, int32_t& CharCount);
  bool ScanChar(QChar Ch);
  bool ScanString(const String& Symbol);
  bool ScanAmPm(int32_t& BaseHour);

  const String& FText;
  const TFormatSettings& FFS;
  int32_t FPos = 0;
};

void TScanner::ScanBlanks()
{
  while (FPos < FText.size() && FText[FPos] == QLatin1Char(' '))
    ++FPos;
}

bool TScanner::ScanNumber(int32_t& Number, int32_t& CharCount)
{
  ScanBlanks();
  int32_t I = FPos;
  int32_t N = 0;
  // Stops once the value has four significant digits, so a long run of
  // digits cannot overflow; the digits left over make the parse fail.
  while (I < FText.size() && FText[I] >= QLatin1Char('0') && FText[I] <= QLatin1Char('9') && N < 1000) {
    N = N * 10 + (FText[I].unicode() - u'0');
    ++I;
  }
  if (I == FPos)
    return false;
  CharCount = I - FPos;
  FPos = I;
  Number = N;
  return true;
}

bool TScanner::ScanChar(QChar Ch)
{
  ScanBlanks();
  if (FPos < FText.size() && FText[FPos] == Ch) {
    ++FPos;
    return true;
  }
  return false;
}

bool TScanner::ScanString(const String& Symbol)
{
  if (Symbol.isEmpty())
    return false;
  ScanBlanks();
  if (FPos + Symbol.size() <= FText.size() &&
      QStringView(FText).mid(FPos, Symbol.size()).compare(Symbol, Qt::CaseInsensitive) == 0) {
    FPos += static_cast<int32_t>(Symbol.size());
    return true;
  }
  return false;
}

bool TScanner::ScanAmPm(int32_t& BaseHour)
{
  if (ScanString(FFS.TimeAMString) || ScanString(QStringLiteral("AM")))
    BaseHour = 0;
  else if (ScanString(FFS.TimePMString) || ScanString(QStringLiteral("PM")))
    BaseHour = 12;
  else
    return false;
  return true;
}

bool TScanner::ScanDate(TDateTime& Date)
{
  const TDateOrder Order = GetDateOrder(FFS.ShortDateFormat);
  int32_t N1 = 0, N2 = 0, N3 = 0, L1 = 0, L2 = 0, L3 = 0;
  if (!(ScanNumber(N1, L1) && ScanChar(FFS.DateSeparator) && ScanNumber(N2, L2)))
    return false;
  int32_t Y = 0, M = 0, D = 0;
  if (ScanChar(FFS.DateSeparator)) {
    if (!ScanNumber(N3, L3))
      return false;
    int32_t YearLen = L3;
    switch (Order) {
    case TDateOrder::doMDY:
      Y = N3;
      M = N1;
      D = N2;
      break;
    case TDateOrder::doDMY:
      Y = N3;
      M = N2;
      D = N1;
      break;
    case TDateOrder::doYMD:
      Y = N1;
      YearLen = L1;
      M = N2;
      D = N3;
      break;
    }
    if (YearLen <= 2) {
      // Two-digit years fall in the hundred years that end Window years
      // after the current year (no window: the current century).
      const int32_t Window = FFS.TwoDigitYearCenturyWindow;
      const int32_t CenturyBase = CurrentYear() - Window;
      Y += CenturyBase / 100 * 100;
      if (Window > 0 && Y < CenturyBase)
        Y += 100;
    }
  } else {
    Y = CurrentYear();
    if (Order == TDateOrder::doDMY) {
      D = N1;
      M = N2;
    } else {
      M = N1;
      D = N2;
    }
  }
  ScanChar(FFS.DateSeparator);
  ScanBlanks();
  return TryEncodeDate(Y, M, D, Date);
}

bool TScanner::ScanTime(TDateTime& Time)
{
  int32_t BaseHour = -1;
  if (ScanAmPm(BaseHour))
    ScanBlanks();
  int32_t Hour = 0, Min = 0, Sec = 0, MSec = 0, Len = 0;
  if (!ScanNumber(Hour, Len))
    return false;
  if (ScanChar(FFS.TimeSeparator)) {
    if (!ScanNumber(Min, Len))
      return false;
    if (ScanChar(FFS.TimeSeparator)) {
      if (!ScanNumber(Sec, Len))
        return false;
      if (ScanChar(FFS.DecimalSeparator) && !ScanNumber(MSec, Len))
        return false;
    }
  }
  if (BaseHour < 0)
    ScanAmPm(BaseHour);
  if (BaseHour >= 0) {
    if (Hour == 0 || Hour > 12)
      return false;
    if (Hour == 12)
      Hour = 0;
    Hour += BaseHour;
  }
  ScanBlanks();
  return TryEncodeTime(Hour, Min, Sec, MSec, Time);
}

String ConvertMessage(const String& S, const char* What)
{
  return QLatin1Char('\'') + S + QStringLiteral("' is not a valid ") + QLatin1String(What);
}

// The raising forms of the TryStrTo... readers: What names the kind of value
// in the message.
using TryParseFn = bool (*)(const String&, TDateTime&, const TFormatSettings&);

TDateTime ParseOrRaise(const String& S, const TFormatSettings& FS, TryParseFn TryParse, const char* What)
{
  TDateTime Result = 0;
  if (!TryParse(S, Result, FS))
    throw EConvertError(ConvertMessage(S, What));
  return Result;
}

} // namespace

// ----------------------------------------------------------- encode, decode

bool IsLeapYear(int32_t Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

int32_t DaysInAMonth(int32_t Year, int32_t Month)
{
  if (Month < 1 || Month > 12)
    throw ERangeError(QStringLiteral("Range check error"));
  return MonthDays[IsLeapYear(Year) ? 1 : 0][Month - 1];
}

bool TryEncodeDate(int32_t Year, int32_t Month, int32_t Day, TDateTime& Date)
{
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12)
    return false;
  const int32_t* Table = MonthDays[IsLeapYear(Year) ? 1 : 0];
  if (Day < 1 || Day > Table[Month - 1])
    return false;
  for (int32_t I = 0; I < Month - 1; ++I)
    Day += Table[I];
  const int32_t I = Year - 1;
  Date = static_cast<TDateTime>(I * 365 + I / 4 - I / 100 + I / 400 + Day - DateDelta);
  return true;
}

TDateTime EncodeDate(int32_t Year, int32_t Month, int32_t Day)
{
  TDateTime Result = 0;
  if (!TryEncodeDate(Year, Month, Day, Result))
    throw EConvertError(QStringLiteral("Invalid argument to date encode"));
  return Result;
}

bool TryEncodeTime(int32_t Hour, int32_t Min, int32_t Sec, int32_t MSec, TDateTime& Time)
{
  if (Hour < 0 || Hour >= HoursPerDay || Min < 0 || Min >= MinsPerHour || Sec < 0 || Sec >= SecsPerMin || MSec < 0 ||
      MSec >= MSecsPerSec)
    return false;
  Time = static_cast<TDateTime>(Hour * (MinsPerHour * SecsPerMin * MSecsPerSec) + Min * (SecsPerMin * MSecsPerSec) +
                                Sec * MSecsPerSec + MSec) /
         MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int32_t Hour, int32_t Min, int32_t Sec, int32_t MSec)
{
  TDateTime Result = 0;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, Result))
    throw EConvertError(QStringLiteral("Invalid argument to time encode"));
  return Result;
}

bool TryEncodeDateTime(int32_t Year, int32_t Month, int32_t Day, int32_t Hour, int32_t Min, int32_t Sec, int32_t MSec,
                       TDateTime& Value)
{
  TDateTime D = 0;
  TDateTime T = 0;
  if (!TryEncodeDate(Year, Month, Day, D) || !TryEncodeTime(Hour, Min, Sec, MSec, T))
    return false;
  Value = ComposeDateTime(D, T);
  return true;
}

TDateTime EncodeDateTime(int32_t Year, int32_t Month, int32_t Day, int32_t Hour, int32_t Min, int32_t Sec, int32_t MSec)
{
  TDateTime Result = 0;
  if (!TryEncodeDateTime(Year, Month, Day, Hour, Min, Sec, MSec, Result)) {
    const TFormatSettings& FS = FormatSettings;
    const String Text = QString::number(Year) + FS.DateSeparator + QString::number(Month) + FS.DateSeparator +
                        QString::number(Day) + QLatin1Char(' ') + QString::number(Hour) + FS.TimeSeparator +
                        QString::number(Min) + FS.TimeSeparator + QString::number(Sec) + FS.DecimalSeparator +
                        QString::number(MSec);
    throw EConvertError(ConvertMessage(Text, "date and time"));
  }
  return Result;
}

TTimeStamp DateTimeToTimeStamp(TDateTime DT)
{
  const int64_t MSecs = RoundToMSecs(DT);
  TTimeStamp TS;
  // Whole days truncate towards zero and the time of day is the magnitude
  // of the rest: that is what makes -1.25 read as 06:00 of day -1.
  TS.Date = static_cast<int32_t>(DateDelta + MSecs / MSecsPerDay);
  TS.Time = static_cast<int32_t>((MSecs < 0 ? -MSecs : MSecs) % MSecsPerDay);
  return TS;
}

TDateTime TimeStampToDateTime(const TTimeStamp& TS)
{
  if (TS.Time < 0 || TS.Time >= MSecsPerDay || TS.Date < 1)
    throw EConvertError(InvalidTimeStampMessage(TS));
  return ComposeDateTime(static_cast<TDateTime>(TS.Date - DateDelta), static_cast<TDateTime>(TS.Time) / MSecsPerDay);
}

int64_t TimeStampToMSecs(const TTimeStamp& TS) { return static_cast<int64_t>(TS.Date) * MSecsPerDay + TS.Time; }

TTimeStamp MSecsToTimeStamp(int64_t MSecs)
{
  const int64_t Days = MSecs / MSecsPerDay;
  TTimeStamp TS;
  TS.Time = static_cast<int32_t>(MSecs % MSecsPerDay);
  if (Days > INT32_MAX || Days < INT32_MIN) {
    TS.Date = Days > 0 ? INT32_MAX : INT32_MIN;
    throw EConvertError(InvalidTimeStampMessage(TS));
  }
  TS.Date = static_cast<int32_t>(Days);
  return TS;
}

void DecodeDate(TDateTime DT, uint16_t& Year, uint16_t& Month, uint16_t& Day)
{
  const TDateParts P = DecodeDayNumber(DateTimeToTimeStamp(DT).Date);
  Year = P.Year;
  Month = P.Month;
  Day = P.Day;
}

void DecodeTime(TDateTime DT, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec)
{
  const int32_t T = DateTimeToTimeStamp(DT).Time;
  Hour = static_cast<uint16_t>(T / (MinsPerHour * SecsPerMin * MSecsPerSec));
  Min = static_cast<uint16_t>(T / (SecsPerMin * MSecsPerSec) % MinsPerHour);
  Sec = static_cast<uint16_t>(T / MSecsPerSec % SecsPerMin);
  MSec = static_cast<uint16_t>(T % MSecsPerSec);
}

void DecodeDateTime(TDateTime DT, uint16_t& Year, uint16_t& Month, uint16_t& Day, uint16_t& Hour, uint16_t& Min,
                    uint16_t& Sec, uint16_t& MSec)
{
  DecodeDate(DT, Year, Month, Day);
  DecodeTime(DT, Hour, Min, Sec, MSec);
}

int32_t DayOfWeek(TDateTime DT)
{
  // Time-stamp day 1, 0001-01-01, was a Monday.
  const int32_t D = DateTimeToTimeStamp(DT).Date % 7;
  return (D < 0 ? D + 7 : D) + 1;
}

TDateTime DateOf(TDateTime DT)
{
  const TTimeStamp TS = DateTimeToTimeStamp(DT);
  return static_cast<TDateTime>(TS.Date - DateDelta);
}

TDateTime TimeOf(TDateTime DT) { return static_cast<TDateTime>(DateTimeToTimeStamp(DT).Time) / MSecsPerDay; }

TDateTime IncMilliSecond(TDateTime DT, int64_t NumberOfMilliSeconds)
{
  int64_t MSecs = 0;
  if (__builtin_add_overflow(TimeStampToMSecs(DateTimeToTimeStamp(DT)), NumberOfMilliSeconds, &MSecs))
    throw EIntOverflow(QStringLiteral("Integer overflow"));
  return TimeStampToDateTime(MSecsToTimeStamp(MSecs));
}

TDateTime IncSecond(TDateTime DT, int64_t NumberOfSeconds)
{
  int64_t MSecs = 0;
  if (__builtin_mul_overflow(NumberOfSeconds, int64_t{MSecsPerSec}, &MSecs))
    throw EIntOverflow(QStringLiteral("Integer overflow"));
  return IncMilliSecond(DT, MSecs);
}

TDateTime IncDay(TDateTime DT, int32_t NumberOfDays)
{
  // Adding days to the raw value would move a time before 1899-12-30 the
  // wrong way round once the sum changes sign; the time stamp keeps it.
  TTimeStamp TS = DateTimeToTimeStamp(DT);
  const int64_t Day = static_cast<int64_t>(TS.Date) + NumberOfDays;
  TS.Date = static_cast<int32_t>(std::clamp<int64_t>(Day, INT32_MIN, INT32_MAX));
  if (TS.Date != Day)
    throw EConvertError(InvalidTimeStampMessage(TS));
  return TimeStampToDateTime(TS);
}

int64_t MilliSecondsBetween(TDateTime ANow, TDateTime AThen)
{
  const int64_t D = TimeStampToMSecs(DateTimeToTimeStamp(ANow)) - TimeStampToMSecs(DateTimeToTimeStamp(AThen));
  return D < 0 ? -D : D;
}

int64_t SecondsBetween(TDateTime ANow, TDateTime AThen) { return MilliSecondsBetween(ANow, AThen) / MSecsPerSec; }

// ------------------------------------------------------------------- clock

void SetNowFunction(TNowFunction F) { NowFunction.store(F); }

TDateTime Now()
{
  const TNowFunction F = NowFunction.load();
  return F ? F() : SystemNow();
}

TDateTime Date() { return DateOf(Now()); }

TDateTime Time() { return TimeOf(Now()); }

uint16_t CurrentYear()
{
  uint16_t Year = 0, Month = 0, Day = 0;
  DecodeDate(Now(), Year, Month, Day);
  return Year;
}

// ------------------------------------------------------------- to text

void DateTimeToString(String& Result, const String& Format, TDateTime DT, const TFormatSettings& FS)
{
  TDateTimeWriter W(DT, FS);
  W.Append(Format.isEmpty() ? QStringLiteral("C") : Format, 0);
  Result = W.Result;
}

void DateTimeToString(String& Result, const String& Format, TDateTime DT)
{
  DateTimeToString(Result, Format, DT, FormatSettings);
}

String FormatDateTime(const String& Format, TDateTime DT, const TFormatSettings& FS)
{
  String Result;
  DateTimeToString(Result, Format, DT, FS);
  return Result;
}

String FormatDateTime(const String& Format, TDateTime DT) { return FormatDateTime(Format, DT, FormatSettings); }

String DateToStr(TDateTime DT, const TFormatSettings& FS) { return FormatDateTime(FS.ShortDateFormat, DT, FS); }

String DateToStr(TDateTime DT) { return DateToStr(DT, FormatSettings); }

String TimeToStr(TDateTime DT, const TFormatSettings& FS) { return FormatDateTime(FS.LongTimeFormat, DT, FS); }

String TimeToStr(TDateTime DT) { return TimeToStr(DT, FormatSettings); }

String DateTimeToStr(TDateTime DT, const TFormatSettings& FS) { return FormatDateTime(String(), DT, FS); }

String DateTimeToStr(TDateTime DT) { return DateTimeToStr(DT, FormatSettings); }

// ----------------------------------------------------------- from text

bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& FS)
{
  TScanner Sc(S, FS);
  TDateTime D = 0;
  if (!Sc.ScanDate(D) || !Sc.AtEnd())
    return false;
  Value = D;
  return true;
}

bool TryStrToDate(const String& S, TDateTime& Value) { return TryStrToDate(S, Value, FormatSettings); }

bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& FS)
{
  TScanner Sc(S, FS);
  TDateTime T = 0;
  if (!Sc.ScanTime(T) || !Sc.AtEnd())
    return false;
  Value = T;
  return true;
}

bool TryStrToTime(const String& S, TDateTime& Value) { return TryStrToTime(S, Value, FormatSettings); }

bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& FS)
{
  TScanner Sc(S, FS);
  TDateTime D = 0;
  if (Sc.ScanDate(D)) {
    if (Sc.AtEnd()) {
      Value = D;
      return true;
    }
    // Whatever follows the date must be a complete time: a date with
    // trailing rubbish is not a date and time.
    TDateTime T = 0;
    if (Sc.ScanTime(T) && Sc.AtEnd()) {
      Value = ComposeDateTime(D, T);
      return true;
    }
  }
  return TryStrToTime(S, Value, FS);
}

bool TryStrToDateTime(const String& S, TDateTime& Value) { return TryStrToDateTime(S, Value, FormatSettings); }

TDateTime StrToDate(const String& S, const TFormatSettings& FS) { return ParseOrRaise(S, FS, TryStrToDate, "date"); }

TDateTime StrToDate(const String& S) { return StrToDate(S, FormatSettings); }

TDateTime StrToTime(const String& S, const TFormatSettings& FS) { return ParseOrRaise(S, FS, TryStrToTime, "time"); }

TDateTime StrToTime(const String& S) { return StrToTime(S, FormatSettings); }

TDateTime StrToDateTime(const String& S, const TFormatSettings& FS)
{
  return ParseOrRaise(S, FS, TryStrToDateTime, "date and time");
}

TDateTime StrToDateTime(const String& S) { return StrToDateTime(S, FormatSettings); }

TDateTime IncMonth(TDateTime DT, int32_t NumberOfMonths)
{
  uint16_t Y = 0, M = 0, D = 0;
  DecodeDate(DT, Y, M, D);
  const int32_t Months = Y * 12 + (M - 1) + NumberOfMonths;
  const int32_t NewYear = Months / 12, NewMonth = Months % 12 + 1;
  TDateTime Result = 0;
  if (!TryEncodeDate(NewYear, NewMonth, std::min<int32_t>(D, DaysInAMonth(NewYear, NewMonth)), Result))
    return DT; // beyond the years a date can hold
  const double Time = std::fabs(DT - std::trunc(DT));
  return Result >= 0 ? Result + Time : Result - Time;
}
