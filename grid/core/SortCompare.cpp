#include "grid/core/SortCompare.h"

#include "grid/base/rurutil.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "rtl/Numbers.h"
#include "rtl/Strings.h"

namespace {

template <typename T>
int32_t Sign3(T A, T B)
{
  return A < B ? -1 : (B < A ? 1 : 0);
}

int32_t Ordinal(const String& S1, const String& S2)
{
  const int R = S1.compare(S2);
  return R < 0 ? -1 : (R > 0 ? 1 : 0);
}

// Upper case in the ASCII range only, as the grid's case-free text order
// has always had it: accented letters keep their case.
String AsciiUpper(const String& S)
{
  String R = S;
  for (QChar& C : R)
    if (C >= u'a' && C <= u'z')
      C = QChar(C.unicode() - 32);
  return R;
}

bool IsNumberText(const String& S)
{
  const TAutoType T = IsType(S);
  return T == atNumeric || T == atFloat || T == atScientific;
}

void DeleteFirst(String& S, const String& Sub)
{
  if (Sub.isEmpty())
    return;
  const qsizetype P = S.indexOf(Sub);
  if (P >= 0)
    S.remove(P, Sub.length());
}

String WithoutAffixes(String S, const TSortTextOptions& O)
{
  DeleteFirst(S, O.Prefix);
  DeleteFirst(S, O.Suffix);
  return S;
}

// A number cell's text made ready to read: prefix and suffix off, with
// Financial the currency string and thousand separators too, the decimal
// separator turned into the point the reading takes.
String PrepareNumber(const String& Text, bool Financial, const TSortTextOptions& O)
{
  String S = WithoutAffixes(Text, O);
  if (Financial) {
    const String& Cur = FormatSettings.CurrencyString;
    if (!Cur.isEmpty())
      while (S.contains(Cur)) {
        DeleteFirst(S, Cur);
        S = Trim(S);
      }
    S.remove(FormatSettings.ThousandSeparator);
  }
  if (FormatSettings.DecimalSeparator != u'.') {
    const qsizetype P = S.indexOf(FormatSettings.DecimalSeparator);
    if (P >= 0)
      S[P] = u'.';
  }
  return S;
}

// The number as far as the text reads as one: every text has a value, so
// that numbers and unreadable texts form one order.
double NumberOf(const String& S)
{
  double V = 0;
  Val(S, V);
  return V;
}

TDateTime DateTimeOf(const String& S)
{
  TDateTime V = 0;
  if (!S.isEmpty() && !TryStrToDateTime(S, V))
    V = 0;
  return V;
}

TDateTime TimeOf(const String& S)
{
  TDateTime V = 0;
  if (!TryStrToTime(S, V))
    V = 0;
  return V;
}

TDateTime ShortDateOf(const String& S, bool MonthFirst)
{
  try {
    return MonthFirst ? StrToShortdateUS(S) : StrToShortDateEU(S);
  } catch (const EConvertError&) {
    return 0; // a day or month out of range is no date
  }
}

TDateTime VarDateOf(const String& S)
{
  static const TFormatSettings US = GetLocaleFormatSettings(LOCALE_EN_US);
  TDateTime V = 0;
  if (!TryStrToDateTime(S, V, US))
    V = 0;
  return V;
}

// The value of a text of a known kind.
TSortKey KeyOf(TSortKind Kind, const String& S, const TSortTextOptions& O)
{
  TSortKey K;
  K.Kind = Kind;
  switch (Kind) {
  case TSortKind::Number:
    K.Value = NumberOf(PrepareNumber(S, false, O));
    break;
  case TSortKind::Date:
    K.Value = DateTimeOf(WithoutAffixes(S, O));
    break;
  case TSortKind::DateTime:
    K.Value = DateTimeOf(S);
    break;
  case TSortKind::Time:
    K.Value = TimeOf(S);
    break;
  case TSortKind::Empty:
  case TSortKind::Text:
    break;
  }
  return K;
}

int32_t CompareKeys(const TSortKey& K1, const TSortKey& K2, const String& S1, const String& S2, bool NoCase)
{
  if (K1.Kind != K2.Kind)
    return Sign3(K1.Kind, K2.Kind);
  if (K1.Kind != TSortKind::Text)
    return Sign3(K1.Value, K2.Value);
  return NoCase ? Ordinal(AsciiUpper(S1), AsciiUpper(S2)) : Ordinal(S1, S2);
}

TSortKind AlphaNumericKind(const String& S)
{
  if (S.isEmpty())
    return TSortKind::Empty;
  return IsNumberText(S) ? TSortKind::Number : TSortKind::Text;
}

// A separator at the second or third character with digits on both sides.
bool SeparatorBetweenDigits(const String& S, QChar Sep, bool& InPlace)
{
  const qsizetype P = S.indexOf(Sep) + 1; // 1-based, 0 when absent
  InPlace = P >= 2 && P < 4 && P < S.length();
  return InPlace && S[P - 2].isDigit() && S[P].isDigit();
}

} // namespace

TSortKind AutomaticSortKind(const String& S)
{
  if (S.isEmpty())
    return TSortKind::Empty;
  if (IsNumberText(S))
    return TSortKind::Number;
  bool InPlace = false;
  if (SeparatorBetweenDigits(S, FormatSettings.DateSeparator, InPlace))
    return S.contains(FormatSettings.TimeSeparator) ? TSortKind::DateTime : TSortKind::Date;
  if (!InPlace && SeparatorBetweenDigits(S, FormatSettings.TimeSeparator, InPlace))
    return TSortKind::Time;
  return TSortKind::Text;
}

TSortKey AutomaticSortKey(const String& S, const TSortTextOptions& Options)
{
  return KeyOf(AutomaticSortKind(S), S, Options);
}

int32_t CompareAutomaticKeys(const TSortKey& K1, const TSortKey& K2, const String& S1, const String& S2,
                             bool IgnoreCase)
{
  return CompareKeys(K1, K2, S1, S2, IgnoreCase);
}

int32_t CompareSortTexts(TSortStyle Style, const String& S1, const String& S2, const TSortTextOptions& Options,
                         bool& Empty1, bool& Empty2)
{
  Empty1 = S1.isEmpty();
  Empty2 = S2.isEmpty();
  switch (Style) {
  case ssAutomatic:
    return CompareKeys(AutomaticSortKey(S1, Options), AutomaticSortKey(S2, Options), S1, S2, Options.IgnoreCase);
  case ssAlphaNumeric:
  case ssAlphaNumericNoCase:
    return CompareKeys(KeyOf(AlphaNumericKind(S1), S1, Options), KeyOf(AlphaNumericKind(S2), S2, Options), S1, S2,
                       Style == ssAlphaNumericNoCase);
  case ssAlphabetic:
  case ssAlphaCase:
    return Ordinal(S1, S2);
  case ssAlphaNoCase:
    return Ordinal(AsciiUpper(S1), AsciiUpper(S2));
  case ssAnsiAlphaCase:
    return Sign3(AnsiCompareStr(S1, S2), 0);
  case ssAnsiAlphaNoCase:
    return Sign3(AnsiCompareText(S1, S2), 0);
  case ssNumeric:
  case ssFinancial: {
    const String A = PrepareNumber(S1, Style == ssFinancial, Options);
    const String B = PrepareNumber(S2, Style == ssFinancial, Options);
    Empty1 = A.isEmpty();
    Empty2 = B.isEmpty();
    return Sign3(NumberOf(A), NumberOf(B));
  }
  case ssDate: {
    const String A = WithoutAffixes(S1, Options), B = WithoutAffixes(S2, Options);
    Empty1 = A.isEmpty();
    Empty2 = B.isEmpty();
    return Sign3(DateTimeOf(A), DateTimeOf(B));
  }
  case ssShortDateEU:
  case ssShortDateUS:
    return Sign3(ShortDateOf(S1, Style == ssShortDateUS), ShortDateOf(S2, Style == ssShortDateUS));
  case ssDateTime:
    return Sign3(DateTimeOf(S1), DateTimeOf(S2));
  case ssTime:
    return Sign3(TimeOf(S1), TimeOf(S2));
  case ssVarDate:
    return Sign3(VarDateOf(S1), VarDateOf(S2));
  case ssNatural:
    return StrCmpLogical(S1, S2);
  default:
    return 0;
  }
}
