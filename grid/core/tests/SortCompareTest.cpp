// How two cell texts compare under each sort style, and that every style's
// comparison is one order on a mixed column (a strict weak order), so that
// a sort can never meet a < b < c < a.
#include "grid/core/SortCompare.h"

#include "rtl/FormatSettings.h"

#include <QScopeGuard>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TCase {
  TSortStyle Style;
  const char16_t* S1;
  const char16_t* S2;
  int32_t Expected;
  const char16_t* Prefix = u"";
  bool IgnoreCase = false;
};

int32_t Cmp(TSortStyle Style, const String& A, const String& B, const TSortTextOptions& O = {})
{
  bool E1 = false, E2 = false;
  return CompareSortTexts(Style, A, B, O, E1, E2);
}

} // namespace

TEST(SortCompare, EveryStyleComparesAsItsKindOfValue)
{
  const TCase Cases[] = {
      // Automatic: numbers by value, dates and times by value, empty texts
      // first, numbers before dates before times before other texts.
      {ssAutomatic, u"9", u"10", -1},
      {ssAutomatic, u"100", u"10", 1},
      {ssAutomatic, u"10", u"10.0", 0},
      {ssAutomatic, u"-5", u"1e3", -1},
      {ssAutomatic, u"abc", u"10", 1},
      {ssAutomatic, u"", u"-5", -1},
      {ssAutomatic, u"", u"", 0},
      {ssAutomatic, u"01/02", u"03/04", -1},
      {ssAutomatic, u"2023/01/02", u"2023/01/03", -1}, // separator too far in: text
      {ssAutomatic, u"2023/01/02", u"01/02", 1},
      {ssAutomatic, u"12:30", u"9:15", 1},
      {ssAutomatic, u"15/03/2024 10:00", u"15/03/2024 09:30", 1},
      {ssAutomatic, u"Apple", u"apple", -1},
      {ssAutomatic, u"Apple", u"apple", 0, u"", true},
      {ssAlphabetic, u"b", u"a", 1},
      {ssAlphabetic, u"B", u"a", -1},
      {ssAlphabetic, u"", u"a", -1},
      {ssAlphaCase, u"a", u"a", 0},
      {ssAlphaNoCase, u"B", u"a", 1},
      {ssAlphaNoCase, u"b", u"B", 0},
      {ssAlphaNoCase, u"\u00e9", u"\u00c9", 1}, // only a to z change case
      {ssAnsiAlphaCase, u"apple", u"Banana", -1},
      {ssAnsiAlphaCase, u"a", u"A", -1},
      {ssAnsiAlphaNoCase, u"a", u"A", 0},
      {ssNumeric, u"$5", u"$40", -1, u"$"},
      {ssNumeric, u"abc", u"7", -1},
      {ssNumeric, u"abc", u"xyz", 0},
      {ssNumeric, u"", u"0", 0},
      {ssNumeric, u"1.5x", u"2", -1}, // read as 1.5, never as 15
      {ssNumeric, u"1.5x", u"1.4", 1},
      {ssNumeric, u"1.5x", u"3y", -1},
      {ssNumeric, u"-3", u"2", -1},
      {ssNumeric, u" 12 ", u"9", 1},
      {ssFinancial, u"EUR 1,200", u"EUR 950", 1},
      {ssFinancial, u"EUR 1,200.50", u"EUR 1,200.5", 0},
      {ssDate, u"15/03/2024", u"16/03/2024", -1},
      {ssDate, u"", u"01/01/1900", -1},
      {ssDate, u"garbage", u"", 0},
      {ssDate, u"#15/03/2024", u"#14/03/2024", 1, u"#"},
      {ssShortDateEU, u"15/03/24", u"16/02/24", 1},
      {ssShortDateEU, u"31/02/24", u"01/01/00", -1}, // no such day: 0
      {ssShortDateUS, u"03/15/24", u"02/16/24", 1},
      {ssDateTime, u"15/03/2024 10:00", u"15/03/2024 09:00", 1},
      {ssTime, u"23:30", u"00:30", 1},
      {ssTime, u"", u"00:00:01", -1},
      {ssVarDate, u"03/15/2024", u"12/01/2023", 1},
      {ssAlphaNumeric, u"10", u"9", 1},
      {ssAlphaNumeric, u"10", u"9a", -1}, // numbers before texts
      {ssAlphaNumeric, u"b", u"a", 1},
      {ssAlphaNumericNoCase, u"B", u"a", 1},
      {ssAlphaNumericNoCase, u"A", u"a", 0},
      {ssNatural, u"file9", u"file10", -1},
      {ssNatural, u"File2", u"file10", -1},
      {ssNatural, u"a01", u"a1", 1},
      {ssNatural, u"a1", u"a1", 0},
      {ssCustom, u"a", u"b", 0}, // the grid asks the application
  };
  const String OldCurrency = FormatSettings.CurrencyString;
  FormatSettings.CurrencyString = QStringLiteral("EUR");
  const auto Back = qScopeGuard([&] { FormatSettings.CurrencyString = OldCurrency; });
  for (const TCase& C : Cases) {
    const String A = QString::fromUtf16(C.S1), B = QString::fromUtf16(C.S2);
    SCOPED_TRACE(QStringLiteral("style %1: '%2' against '%3'").arg(C.Style).arg(A, B).toStdString());
    TSortTextOptions O;
    O.Prefix = QString::fromUtf16(C.Prefix);
    O.IgnoreCase = C.IgnoreCase;
    EXPECT_EQ(Cmp(C.Style, A, B, O), C.Expected);
    EXPECT_EQ(Cmp(C.Style, B, A, O), -C.Expected);
  }
}

TEST(SortCompare, EmptinessIsTheTextAsTheStylePreparesIt)
{
  TSortTextOptions O;
  O.Prefix = QStringLiteral("$");
  bool E1 = false, E2 = false;
  CompareSortTexts(ssNumeric, QStringLiteral("$"), QStringLiteral("$3"), O, E1, E2);
  EXPECT_TRUE(E1);
  EXPECT_FALSE(E2);
  CompareSortTexts(ssAlphabetic, QStringLiteral("$"), QString(), O, E1, E2);
  EXPECT_FALSE(E1);
  EXPECT_TRUE(E2);
}

// For every style on a column mixing numbers, dates, times, texts and empty
// cells: turning the arguments turns the sign, and both "before" and
// "equal" carry over from a, b and b, c to a, c.
TEST(SortCompare, EveryStyleIsOneOrderOnAMixedColumn)
{
  const std::vector<String> Texts = {"",     "10",       "9",     "-5",       "1.5x",  "abc",        "ABC",
                                     "5x",   "01/02",    "03/04", "12:30",    "9:15",  "2023/01/02", "15/03/2024 10:00",
                                     "10.0", "1e3",      "b10",   "b9",       "B9",    "0",          "EUR 5",
                                     "9a",   "15/03/24", "xyz",   "07:00:00", "1,200", "-0.5"};
  const TSortStyle Styles[] = {ssAutomatic,       ssAlphabetic,  ssNumeric,     ssDate,         ssAlphaNoCase,
                               ssAlphaCase,       ssShortDateEU, ssShortDateUS, ssFinancial,    ssAnsiAlphaCase,
                               ssAnsiAlphaNoCase, ssDateTime,    ssTime,        ssAlphaNumeric, ssAlphaNumericNoCase,
                               ssNatural,         ssVarDate};
  const size_t N = Texts.size();
  for (const TSortStyle Style : Styles) {
    for (const bool NoCase : {false, true}) {
      TSortTextOptions O;
      O.IgnoreCase = NoCase;
      std::vector<int32_t> R(N * N);
      for (size_t I = 0; I < N; ++I)
        for (size_t J = 0; J < N; ++J)
          R[I * N + J] = Cmp(Style, Texts[I], Texts[J], O);
      int32_t Faults = 0;
      for (size_t A = 0; A < N; ++A)
        for (size_t B = 0; B < N; ++B) {
          if (R[A * N + B] != -R[B * N + A])
            ++Faults;
          for (size_t C = 0; C < N; ++C) {
            const int32_t AB = R[A * N + B], BC = R[B * N + C], AC = R[A * N + C];
            if ((AB < 0 && BC < 0 && AC >= 0) || (AB == 0 && BC == 0 && AC != 0))
              ++Faults;
          }
        }
      EXPECT_EQ(Faults, 0) << "style " << Style << (NoCase ? " without case" : "");
    }
  }
}
