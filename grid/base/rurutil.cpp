// Classification of cell text, numbers and dates, and the small helpers of
// the grid's text utilities. The codecs, lines, wide text and HTML live in
// rurutiltext.cpp.
#include "grid/base/rurutil.h"

#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "rtl/Numbers.h"
#include "rtl/StringList.h"
#include "rtl/Strings.h"

#include <QStringList>

#include <algorithm>

namespace {

bool IsDigit(QChar C) { return C >= u'0' && C <= u'9'; }

// Letters compared case-insensitively, ASCII only (tag names).
bool SameLetters(QChar A, QChar B) { return A.toUpper() == B.toUpper(); }

// Positions in the text of the fields day, month and year of the short
// date format, ranked 0..2 in the order they appear.
struct TDateOrder {
  int32_t Rank[3]; // rank of day, month, year
};

TDateOrder ShortDateOrder()
{
  const String F = UpperCase(FormatSettings.ShortDateFormat);
  const int32_t P[3] = {Pos(QChar(u'D'), F), Pos(QChar(u'M'), F), Pos(QChar(u'Y'), F)};
  TDateOrder O;
  for (int32_t I = 0; I < 3; ++I) {
    O.Rank[I] = 0;
    for (int32_t J = 0; J < 3; ++J)
      if (J != I && (P[J] < P[I] || (P[J] == P[I] && J < I)))
        ++O.Rank[I];
  }
  return O;
}

bool ParseTime(const String& T, TDateTime& Time)
{
  const QChar TS = FormatSettings.TimeSeparator;
  const int32_t P1 = Pos(TS, T);
  if (P1 == 0)
    return false;
  int32_t H = 0, M = 0, S = 0;
  if (!TryStrToInt(Trim(Copy(T, 1, P1 - 1)), H) || H > 23)
    return false;
  String Rest = Copy(T, P1 + 1, T.length());
  const int32_t P2 = Pos(TS, Rest);
  if (P2 > 0) {
    if (!TryStrToInt(Trim(Copy(Rest, P2 + 1, Rest.length())), S) || S > 60)
      return false;
    Rest = Copy(Rest, 1, P2 - 1);
  }
  if (!TryStrToInt(Trim(Rest), M) || M >= 60)
    return false;
  return TryEncodeTime(H, M, S, 0, Time);
}

// A year written with one or two digits lies in 1926..2025; a longer one
// is taken as written.
int32_t WindowYear(const String& Field, int32_t Year)
{
  String Digits = Trim(Field);
  if (Digits.startsWith(u'-') || Digits.startsWith(u'+'))
    Digits.remove(0, 1);
  if (Digits.length() > 2)
    return Year;
  return Year <= 25 ? Year + 2000 : Year + 1900;
}

TDateTime ShortDate(const String& S, bool MonthFirst)
{
  QChar Sep;
  if (Pos(QChar(u'/'), S) > 0)
    Sep = u'/';
  else if (Pos(QChar(u'.'), S) > 0)
    Sep = u'.';
  else if (Pos(QChar(u'-'), S) > 0)
    Sep = u'-';
  else
    return 0;
  const QStringList Fields = S.split(Sep);
  if (Fields.size() < 3)
    return 0;
  int32_t A = 0, B = 0, Y = 0;
  // A third separator leaves the year field holding it, which then fails.
  const String YearField = S.section(Sep, 2);
  if (!TryStrToInt(Fields[0], A) || !TryStrToInt(Fields[1], B) || !TryStrToInt(YearField, Y))
    return 0;
  Y = WindowYear(YearField, Y);
  return MonthFirst ? EncodeDate(Y, A, B) : EncodeDate(Y, B, A);
}

} // namespace

// ---------------------------------------------------------------- classification

TTextType TextType(const String& AText, bool CheckHTML)
{
  if (AText.isEmpty())
    return ttText;
  const String S = AText + u' ';
  if (S[0] == u'=')
    return ttFormula;
  if (S.startsWith(u"|\\")) {
    if (S.length() >= 5 && S[3] == u'=' && S[4] == QChar(0))
      return ttFormula;
    return ttUnicode;
  }
  if (S.startsWith(u"{\\"))
    return ttRTF;
  if (CheckHTML) {
    static const char16_t* const Tags[] = {u"IM", u"IN", u"BR", u"HR", u"CO"};
    for (qsizetype I = 0; I + 2 < S.length(); ++I) {
      if (S[I] != u'<')
        continue;
      if (S[I + 1] == u'/')
        return ttHTML;
      for (const char16_t* T : Tags)
        if (SameLetters(S[I + 1], QChar(T[0])) && SameLetters(S[I + 2], QChar(T[1])))
          return ttHTML;
    }
  }
  return IsURL(AText) ? ttURL : ttText;
}

bool IsURL(const String& S) { return S.contains(u"://") || S.contains(u"mailto:"); }

void StripURLProtocol(String& S)
{
  qsizetype P = S.indexOf(u"://");
  if (P >= 0) {
    S.remove(0, P + 3);
    return;
  }
  P = S.indexOf(u"mailto:");
  if (P >= 0)
    S.remove(0, P + 7);
}

TAutoType IsType(const String& S)
{
  return IsType(S, FormatSettings.DecimalSeparator, FormatSettings.ThousandSeparator);
}

TAutoType IsType(const String& S, QChar DS, QChar TS)
{
  if (S.isEmpty())
    return atString;
  const QChar DateSep = FormatSettings.DateSeparator;
  const QChar TimeSep = FormatSettings.TimeSeparator;
  const QChar LocaleDS = FormatSettings.DecimalSeparator;
  const QChar LocaleTS = FormatSettings.ThousandSeparator;

  bool IsInt = true, IsFloat = true, IsSci = true;
  int32_t Minus = 0, Exps = 0, Decs = 0, LastTS = -1;
  for (qsizetype I = 0; I < S.length(); ++I) {
    const QChar C = S[I];
    const bool Digit = IsDigit(C);
    if (C == u'-') {
      ++Minus;
      if (I > 0)
        IsInt = IsFloat = false;
    } else if (!Digit) {
      IsInt = false;
      if (C == TS) {
        if (LastTS >= 0 && I - LastTS <= 3)
          IsFloat = false;
        LastTS = static_cast<int32_t>(I);
      } else if (C != DS)
        IsFloat = false;
    }
    if (C == DS)
      ++Decs;
    if (C == u'e' || C == u'E')
      ++Exps;
    const bool SciChar = Digit || C == u'e' || C == u'E' || C == u'+' || C == u'-' || C == LocaleDS || C == LocaleTS;
    if (!SciChar || C == TS)
      IsSci = false;
  }
  const QChar First = S[0];
  const QChar Last = S[S.length() - 1];
  if (Exps > 1 || First == u'e' || First == u'E' || Last == u'e' || Last == u'E' || Last == u'+' || Last == u'-')
    IsSci = false;

  // Dates and times: digits and separators only, starting with a digit, at
  // most two separators and never two in a row.
  auto SepCount = [&S](QChar Sep) -> int32_t {
    if (!IsDigit(S[0]))
      return -1;
    int32_t N = 0;
    for (qsizetype I = 0; I < S.length(); ++I) {
      if (S[I] == Sep) {
        if (I > 0 && S[I - 1] == Sep)
          return -1;
        ++N;
      } else if (!IsDigit(S[I]))
        return -1;
    }
    return N >= 1 && N <= 2 ? N : -1;
  };

  TAutoType Result = atString;
  if (IsInt)
    Result = atNumeric;
  else if (IsFloat && Exps == 0)
    Result = atFloat;
  else if (IsSci && Exps == 1)
    Result = atScientific;

  if (SepCount(TimeSep) > 0)
    return atTime;
  if (SepCount(DateSep) == 2)
    return atDate;
  if ((Minus > 1 && !(Result == atScientific && Minus == 2)) || Decs > 1)
    return atString;
  return Result;
}

bool IsNumChar(QChar C) { return IsDigit(C); }
bool CheckNum(QChar C) { return IsDigit(C); }
bool CheckSignedNum(QChar C) { return IsDigit(C) || C == u'-'; }
bool CheckFloatNum(QChar C)
{
  return IsDigit(C) || C == FormatSettings.ThousandSeparator || C == FormatSettings.DecimalSeparator || C == u'e' ||
         C == u'E';
}
bool CheckSignedFloatNum(QChar C) { return CheckFloatNum(C) || C == u'+' || C == u'-'; }
bool CheckSignedDottedNum(QChar C)
{
  return IsDigit(C) || C == u'+' || C == u'-' || C == u'.' || C == u'E' || C == u'e';
}
bool CheckFloatNumNoExp(QChar C)
{
  const char16_t U = C.unicode();
  return IsDigit(C) || C == FormatSettings.ThousandSeparator || C == FormatSettings.DecimalSeparator || U == 8 ||
         U == 9 || U == 13 || U == 27 || C == u'-';
}
bool CheckTerminator(QChar C) { return C == u' ' || C == u'\'' || C == u',' || C == u'-' || C == u'.'; }

// ---------------------------------------------------------------- numbers and dates

String RemoveSeps(const String& S)
{
  const QChar DS = FormatSettings.DecimalSeparator;
  const QChar TS = FormatSettings.ThousandSeparator;
  const String Trimmed = Trim(S);
  bool Negative = Trimmed.startsWith(u'(') && Trimmed.endsWith(u')');
  String T = S;
  while (T.length() >= 2) {
    const QChar C = T[0];
    if (IsDigit(C) || C == DS || C == TS || C == u'e' || C == u'E')
      break;
    if (C == u'-')
      Negative = true;
    T.remove(0, 1);
  }
  String Result;
  for (const QChar C : T) {
    if (C == TS)
      continue;
    if (C == DS)
      Result += u'.';
    else if (IsDigit(C) || C == u'+' || C == u'-' || C == u'.' || C == u'E' || C == u'e')
      Result += C;
    else
      break;
  }
  return Negative ? u'-' + Result : Result;
}

String StripThousandSep(const String& S)
{
  String Result;
  for (const QChar C : S) {
    if (C == FormatSettings.ThousandSeparator)
      continue;
    Result += C == FormatSettings.DecimalSeparator ? QChar(u'.') : C;
  }
  return Result;
}

String ToFixedDecSep(const String& S)
{
  const TAutoType T = IsType(S);
  return T == atNumeric || T == atFloat ? StripThousandSep(S) : S;
}

String FromFixedDecSep(const String& S)
{
  const TAutoType T = IsType(S, u'.', u',');
  if ((T != atNumeric && T != atFloat) || FormatSettings.DecimalSeparator == u'.')
    return S;
  String Result = S;
  Result.replace(u'.', FormatSettings.DecimalSeparator);
  return Result;
}

bool IsDate(const String& S, TDateTime& DT)
{
  const QChar Sep = FormatSettings.DateSeparator;
  int32_t P = Pos(Sep, S);
  if (P == 0)
    return false;
  int32_t Fields[3] = {0, 0, 0};
  if (!TryStrToInt(Trim(Copy(S, 1, P - 1)), Fields[0]))
    return false;
  String Rest = Copy(S, P + 1, S.length());
  P = Pos(Sep, Rest);
  if (P == 0)
    return false;
  if (!TryStrToInt(Trim(Copy(Rest, 1, P - 1)), Fields[1]))
    return false;
  Rest = Trim(Copy(Rest, P + 1, Rest.length()));
  String TimeText;
  P = Pos(QChar(u' '), Rest);
  if (P > 0) {
    TimeText = Trim(Copy(Rest, P + 1, Rest.length()));
    Rest = Copy(Rest, 1, P - 1);
  }
  if (!TryStrToInt(Rest, Fields[2]))
    return false;
  const TDateOrder O = ShortDateOrder();
  const int32_t Day = Fields[O.Rank[0]];
  const int32_t Month = Fields[O.Rank[1]];
  const int32_t Year = Fields[O.Rank[2]];
  if (Day >= 32 || Month > 12)
    return false;
  TDateTime Time = 0;
  if (!TimeText.isEmpty() && !ParseTime(TimeText, Time))
    return false;
  TDateTime D = 0;
  if (!TryEncodeDate(Year, Month, Day, D))
    return false;
  DT = D + Time;
  return true;
}

bool IsDateStr(const String& S)
{
  const QChar Sep = FormatSettings.DateSeparator;
  const int32_t P = Pos(Sep, S);
  if (P <= 1)
    return false;
  return Pos(Sep, Copy(S, P + 1, S.length())) > 1;
}

TDateTime StrToShortdateUS(const String& S) { return ShortDate(S, true); }
TDateTime StrToShortDateEU(const String& S) { return ShortDate(S, false); }

TDateTime GetNextDate(TDateTime D, int32_t YearStep, int32_t MonthStep, int32_t DayStep, TDateTime DefaultStep)
{
  uint16_t Y = 0, M = 0, Day = 0;
  if (DayStep != 0 && YearStep == 0 && MonthStep == 0)
    return D + DayStep;
  if (YearStep != 0 && MonthStep == 0 && DayStep == 0) {
    DecodeDate(D, Y, M, Day);
    return EncodeDate(Y + YearStep, M, Day);
  }
  if (MonthStep != 0 && YearStep == 0 && DayStep == 0) {
    DecodeDate(D, Y, M, Day);
    int32_t NewMonth = M + MonthStep;
    int32_t NewYear = Y;
    if (NewMonth < 1) {
      NewMonth += 12;
      --NewYear;
    } else if (NewMonth > 12) {
      NewMonth -= 12;
      ++NewYear;
    }
    return EncodeDate(NewYear, NewMonth, Day);
  }
  return D + DefaultStep;
}

// ---------------------------------------------------------------- other

void SplitString(QChar Separator, const String& S, TStringList* List)
{
  for (const String& Piece : S.split(Separator))
    List->Add(Piece);
}

String GetToken(String& S, const String& Separator)
{
  const int32_t P = Pos(Separator, S);
  if (P == 0)
    return String();
  const String Token = Copy(S, 1, P - 1);
  Delete(S, 1, P - 1 + static_cast<int32_t>(Separator.length()));
  return Token;
}

String StringListToText(const TStringList& List)
{
  String Result;
  for (int32_t I = 0; I < List.Count(); ++I)
    Result += List[I];
  return Result;
}

int32_t FIPos(const String& Sub, const String& S) { return Pos(Sub, AnsiUpperCase(S)); }

bool NameToCell(const String& S, TPoint& Cell)
{
  const String U = UpperCase(S);
  if (U.length() <= 3 || U[0] != u'R')
    return false;
  const int32_t C = Pos(QChar(u'C'), U);
  if (C < 3)
    return false;
  int32_t Row = 0, Col = 0;
  if (!TryStrToInt(Copy(U, 2, C - 2), Row) || !TryStrToInt(Copy(U, C + 1, U.length()), Col))
    return false;
  Cell.X = Col;
  Cell.Y = Row;
  return true;
}

String RemoveAccentedStr(const String& S)
{
  const String Decomposed = S.normalized(QString::NormalizationForm_D);
  String Result;
  Result.reserve(Decomposed.length());
  for (const QChar C : Decomposed) {
    const QChar::Category Cat = C.category();
    if (Cat == QChar::Mark_NonSpacing || Cat == QChar::Mark_SpacingCombining || Cat == QChar::Mark_Enclosing)
      continue;
    Result += C;
  }
  return Result;
}

String ShiftCase(const String& S)
{
  String Result;
  Result.reserve(S.length());
  bool WordStart = true;
  const qsizetype N = S.length();
  for (qsizetype I = 0; I < N; ++I) {
    const QChar C = S[I];
    if (CheckTerminator(C)) {
      Result += C;
      WordStart = true;
    } else if (WordStart) {
      Result += AnsiUpperCase(String(C));
      WordStart = false;
    } else
      Result += AnsiLowerCase(String(C));
    // "Mc" names, and Roman numerals I and II at the end of the text,
    // continue with a capital.
    if (Result == u"Mc" || (Result.endsWith(u" Mc") && Result.indexOf(u" Mc") == Result.length() - 3) ||
        (I >= N - 3 && (Result.endsWith(u" I") || Result.endsWith(u" II"))))
      WordStart = true;
  }
  return Result;
}

void StringToPassword(String& S, QChar PasswordChar) { S.fill(PasswordChar); }
void StringToOem(String&) {}
void OemToString(String&) {}

int32_t Limit(int32_t Value, int32_t Min, int32_t Max)
{
  if (Value > Max)
    Value = Max;
  if (Value < Min)
    Value = Min;
  return Value;
}

int32_t CheckLimits(int32_t Value, int32_t Min, int32_t Max)
{
  if (Min == Max)
    return Value;
  if (Min > 0 && Value < Min)
    Value = Min;
  if (Max > 0 && Value > Max)
    Value = Max;
  return Value;
}

int32_t MaxI(int32_t A, int32_t B) { return std::max(A, B); }
int32_t MinI(int32_t A, int32_t B) { return std::min(A, B); }

bool IsInGridRect(const TGridRect& R, int32_t ACol, int32_t ARow)
{
  return ACol >= R.Left && ACol <= R.Right && ARow >= R.Top && ARow <= R.Bottom;
}
