#include "rtl/Numbers.h"

#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

std::string U8(const String& S) { return S.toStdString(); }
String L(const char* S) { return QString::fromUtf8(S); }

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// A fixed-seed xorshift generator: many varied cases, the same every run.
class XorShift {
public:
  explicit XorShift(uint64_t Seed) : FSeed(Seed) {}
  uint64_t operator()()
  {
    FSeed ^= FSeed << 13;
    FSeed ^= FSeed >> 7;
    FSeed ^= FSeed << 17;
    return FSeed;
  }

private:
  uint64_t FSeed;
};

// ---------------------------------------------------------------------------
// Integers

TEST(NumbersTest, IntegerToText)
{
  EXPECT_EQ(U8(IntToStr(0)), "0");
  EXPECT_EQ(U8(IntToStr(-42)), "-42");
  EXPECT_EQ(U8(IntToStr(std::numeric_limits<int64_t>::min())), "-9223372036854775808");
  EXPECT_EQ(U8(IntToStr(std::numeric_limits<int64_t>::max())), "9223372036854775807");
  EXPECT_EQ(U8(UIntToStr(std::numeric_limits<uint64_t>::max())), "18446744073709551615");
  EXPECT_EQ(U8(IntToHex(255, 4)), "00FF");
  EXPECT_EQ(U8(IntToHex(0xABCDEF, 2)), "ABCDEF");
  EXPECT_EQ(U8(IntToHex(0, 0)), "0");
  EXPECT_EQ(U8(IntToHex(-1, 4)), "FFFFFFFFFFFFFFFF");
}

TEST(NumbersTest, StrToIntAcceptsDecimalAndHex)
{
  struct Case {
    const char* S;
    int32_t Expected;
  };
  const Case Cases[] = {
      {"0", 0},
      {"12", 12},
      {"-12", -12},
      {"+12", 12},
      {" 12", 12},
      {"   -7", -7},
      {"007", 7},
      {"$1F", 31},
      {"0x1F", 31},
      {"0X1f", 31},
      {"x1F", 31},
      {"X1F", 31},
      {"-$10", -16},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$7FFFFFFF", INT32_MAX},
      {"$FFFFFFFF", -1}, // hexadecimal is a bit pattern
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.S);
    EXPECT_EQ(StrToInt(L(C.S)), C.Expected);
    int32_t V = 99;
    EXPECT_TRUE(TryStrToInt(L(C.S), V));
    EXPECT_EQ(V, C.Expected);
    EXPECT_EQ(StrToIntDef(L(C.S), 99), C.Expected);
  }
}

TEST(NumbersTest, StrToIntRejectsEverythingElse)
{
  const char* const Bad[] = {"",   " ",   "12 ", "1.0", "1e3", "2147483648", "-2147483649", "$100000000",
                             "0x", "$",   "-",   "--1", "1-",  "12a",        "\t12",        "99999999999999999999999",
                             "$G", "1 2", "0x-1"};
  for (const char* S : Bad) {
    SCOPED_TRACE(S);
    try {
      StrToInt(L(S));
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& E) {
      EXPECT_EQ(U8(E.Message()), "'" + std::string(S) + "' is not a valid integer value");
    }
    int32_t V = 99;
    EXPECT_FALSE(TryStrToInt(L(S), V));
    EXPECT_EQ(V, 99); // untouched on failure
    EXPECT_EQ(StrToIntDef(L(S), -5), -5);
  }
}

TEST(NumbersTest, StrToInt64CoversSixtyFourBits)
{
  EXPECT_EQ(StrToInt64(L("9223372036854775807")), INT64_MAX);
  EXPECT_EQ(StrToInt64(L("-9223372036854775808")), INT64_MIN);
  EXPECT_EQ(StrToInt64(L("2147483648")), 2147483648LL);
  EXPECT_EQ(StrToInt64(L("$FFFFFFFFFFFFFFFF")), -1);
  EXPECT_EQ(StrToInt64(L("0x100000000")), 0x100000000LL);
  EXPECT_THROW(StrToInt64(L("9223372036854775808")), EConvertError);
  EXPECT_THROW(StrToInt64(L("$10000000000000000")), EConvertError);
  EXPECT_EQ(StrToInt64Def(L("x"), 3), 3);
  int64_t V = 0;
  EXPECT_TRUE(TryStrToInt64(L(" -5"), V));
  EXPECT_EQ(V, -5);
}

// ---------------------------------------------------------------------------
// Text to floating point

TEST(NumbersTest, StrToFloatAcceptsPlainDecimalText)
{
  struct Case {
    const char* S;
    double Expected;
  };
  const Case Cases[] = {
      {"1.5", 1.5},
      {"-1.5", -1.5},
      {"+1.5", 1.5},
      {"  12.25  ", 12.25},
      {"1E3", 1000},
      {"1.5e-3", 0.0015},
      {"2.5E+2", 250},
      {".5", 0.5},
      {"5.", 5},
      {"0", 0},
      {"-0", 0},
      {"007.50", 7.5},
      {"1e-400", 0},
      {"0.1", 0.1},
      {"1500.1", 1500.1},
      {"1.7976931348623157e308", 1.7976931348623157e308},
      {"0.000000000000000000000000000000001", 1e-33},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.S);
    EXPECT_EQ(StrToFloat(L(C.S)), C.Expected); // exact: correctly rounded
    double V = 0;
    EXPECT_TRUE(TryStrToFloat(L(C.S), V));
    EXPECT_EQ(V, C.Expected);
  }
  EXPECT_TRUE(std::signbit(StrToFloat(L("-0.0"))));
  // A long text is read in full, not cut.
  EXPECT_EQ(StrToFloat(L("0.") + String(5000, QLatin1Char('0')) + L("1e5001")), 1.0);
  EXPECT_EQ(StrToFloat(String(400, QLatin1Char('0')) + L("42")), 42);
}

TEST(NumbersTest, StrToFloatFindsTheDoubleNearestTheDecimal)
{
  // Short decimals are worked out directly, the rest through from_chars;
  // either way the result must be the correctly rounded double, bit for
  // bit. Texts of 1 to 19 digits, the point anywhere, with and without an
  // exponent, around the limits of the direct way (2^53, 10^22), compared
  // with std::from_chars on the same text.
  XorShift Next(0x9E3779B97F4A7C15ull);
  std::vector<std::string> Texts = {"9007199254740992",
                                    "9007199254740993",
                                    "9007199254740991.5",
                                    "900719925474099.3",
                                    "1e22",
                                    "1e23",
                                    "123e-22",
                                    "123e-23",
                                    "0.1",
                                    "0.30000000000000004",
                                    "4.35",
                                    "-0.000",
                                    "1234567.8901234567",
                                    "99999999999999999999e-5"};
  for (int N = 0; N < 20000; ++N) {
    const int Digits = 1 + int(Next() % 19);
    std::string T;
    if (Next() % 4 == 0)
      T += '-';
    const int Point = int(Next() % (Digits + 1));
    for (int D = 0; D < Digits; ++D) {
      if (D == Point && D > 0)
        T += '.';
      T += char('0' + Next() % 10);
    }
    if (Next() % 3 == 0) {
      T += 'e';
      T += std::to_string(int(Next() % 61) - 30);
    }
    Texts.push_back(T);
  }
  for (const std::string& T : Texts) {
    double Want = 0;
    const char* Begin = T.data() + (T[0] == '-' ? 1 : 0);
    ASSERT_EQ(std::from_chars(Begin, T.data() + T.size(), Want).ec, std::errc()) << T;
    if (T[0] == '-')
      Want = -Want;
    const double Got = StrToFloat(L(T.c_str()));
    EXPECT_EQ(std::memcmp(&Got, &Want, sizeof Got), 0) << T << ": " << Got << " instead of " << Want;
  }
}

TEST(NumbersTest, StrToFloatRejectsOtherText)
{
  const char* const Bad[] = {"",       " ",   "1,5", "1.5.2", "INF", "NAN",   "-INF", "inf",  "1e",
                             "1e+",    "e3",  ".",   "-",     "1 5", "$10",   "0x1A", "1.5x", "1e400",
                             "-1e400", "\t1", "1\r", "1,000", "++1", "1e3.5", "1d3"};
  for (const char* S : Bad) {
    SCOPED_TRACE(S);
    try {
      StrToFloat(L(S));
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& E) {
      EXPECT_EQ(U8(E.Message()), "'" + std::string(S) + "' is not a valid floating point value");
    }
    double V = 42;
    EXPECT_FALSE(TryStrToFloat(L(S), V));
    EXPECT_EQ(V, 42);
    EXPECT_EQ(StrToFloatDef(L(S), -1), -1);
  }
}

TEST(NumbersTest, StrToFloatUsesTheGivenDecimalSeparatorOnly)
{
  TFormatSettings FS = GetLocaleFormatSettings(LOCALE_EN_GB);
  FS.DecimalSeparator = QLatin1Char(',');
  FS.ThousandSeparator = QLatin1Char('.');
  EXPECT_EQ(StrToFloat(L("1,5"), FS), 1.5);
  EXPECT_THROW(StrToFloat(L("1.5"), FS), EConvertError);
  EXPECT_EQ(StrToFloatDef(L("1.5"), 7, FS), 7);
  EXPECT_EQ(U8(FloatToStr(1.5, FS)), "1,5");
  EXPECT_EQ(U8(FormatFloat(L("#,##0.00"), 1234.5, FS)), "1.234,50");
}

// ---------------------------------------------------------------------------
// Floating point to text

TEST(NumbersTest, FloatToStrIsGeneralWithFifteenDigits)
{
  struct Case {
    double V;
    const char* Expected;
  };
  const Case Cases[] = {
      {99.99 * 100, "9999"},
      {0.1 + 0.2, "0.3"},
      {1e15, "1E15"},
      {123456789012345.0, "123456789012345"},
      {999999999999999.9, "1E15"}, // rounds up into the next decade
      {0.0001, "0.0001"},
      {0.00001, "1E-5"},
      {0.000015, "1.5E-5"},
      {-0.0, "0"},
      {0.0, "0"},
      {1.5e20, "1.5E20"},
      {-1.234567890123456e-7, "-1.23456789012346E-7"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {-123.456, "-123.456"},
      {100, "100"},
      {1e14, "100000000000000"},
      {12345678901234567890.0, "1.23456789012346E19"},
      {1.7976931348623157e308, "1.79769313486232E308"},
      {2.2250738585072014e-308, "2.2250738585072E-308"},
      {NaN, "NAN"},
      {Inf, "INF"},
      {-Inf, "-INF"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Expected);
    EXPECT_EQ(U8(FloatToStr(C.V)), C.Expected);
  }
}

TEST(NumbersTest, FloatToStrFAllFormats)
{
  using F = TFloatFormat;
  struct Case {
    double V;
    F Format;
    int Precision;
    int Digits;
    const char* Expected;
  };
  const Case Cases[] = {
      {12345, F::ffGeneral, 4, 0, "1.235E4"},
      {123.456, F::ffGeneral, 4, 0, "123.5"},
      {0.000012, F::ffGeneral, 15, 3, "1.2E-005"},
      {1.125, F::ffGeneral, 3, 0, "1.13"}, // half away from zero
      {-1.125, F::ffGeneral, 3, 0, "-1.13"},

      {12345, F::ffExponent, 5, 3, "1.2345E+004"},
      {0.00012345, F::ffExponent, 3, 2, "1.23E-04"},
      {-98765, F::ffExponent, 2, 0, "-9.9E+4"},
      {0, F::ffExponent, 4, 2, "0.000E+00"},
      {9.99999, F::ffExponent, 3, 1, "1.00E+1"},

      {1234.5678, F::ffFixed, 15, 2, "1234.57"},
      {1234.5678, F::ffFixed, 15, 0, "1235"},
      {0.5, F::ffFixed, 15, 0, "1"},
      {-0.001, F::ffFixed, 15, 2, "0.00"},
      {-2.5, F::ffFixed, 15, 3, "-2.500"},
      {0.000001, F::ffFixed, 15, 4, "0.0000"},
      {1e20, F::ffFixed, 15, 2, "1.00000000000000E+020"},

      {1234567.891, F::ffNumber, 15, 2, "1,234,567.89"},
      {-1234.5, F::ffNumber, 15, 2, "-1,234.50"},
      {999.9999, F::ffNumber, 15, 2, "1,000.00"},
      {123, F::ffNumber, 15, 0, "123"},

      {1234.5, F::ffCurrency, 15, 2,
       "\xC2\xA3"
       "1,234.50"},
      {-1234.5, F::ffCurrency, 15, 2,
       "-\xC2\xA3"
       "1,234.50"},

      {NaN, F::ffFixed, 15, 2, "NAN"},
      {-Inf, F::ffNumber, 15, 2, "-INF"},
      {Inf, F::ffExponent, 15, 2, "INF"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Expected);
    EXPECT_EQ(U8(FloatToStrF(C.V, C.Format, C.Precision, C.Digits)), C.Expected);
  }
}

TEST(NumbersTest, CurrencyFollowsTheSettingsPatterns)
{
  TFormatSettings FS = GetLocaleFormatSettings(LOCALE_EN_US);
  EXPECT_EQ(U8(FloatToStrF(-5, TFloatFormat::ffCurrency, 15, 2, FS)), "($5.00)");
  EXPECT_EQ(U8(FloatToStrF(5, TFloatFormat::ffCurrency, 15, 2, FS)), "$5.00");
  FS.CurrencyString = L("EUR");
  FS.CurrencyFormat = 3;
  FS.NegCurrFormat = 8;
  EXPECT_EQ(U8(FloatToStrF(5, TFloatFormat::ffCurrency, 15, 1, FS)), "5.0 EUR");
  EXPECT_EQ(U8(FloatToStrF(-5, TFloatFormat::ffCurrency, 15, 1, FS)), "-5.0 EUR");
  FS.NegCurrFormat = 200; // out of range settings fall back to the first pattern
  EXPECT_EQ(U8(FloatToStrF(-5, TFloatFormat::ffCurrency, 15, 0, FS)), "(EUR5)");
}

TEST(NumbersTest, FormatFloatMasks)
{
  struct Case {
    const char* Mask;
    double V;
    const char* Expected;
  };
  const Case Cases[] = {
      // Rounding: 15 significant digits first, then half away from zero.
      {"0.00", 1.005, "1.01"},
      {"##0.000", 12.3455, "12.346"},
      {"##0.000", 12.345, "12.345"},
      {"##0.000", 0, "0.000"},
      {"##0.000", -3.2, "-3.200"},
      {"0", 0.5, "1"},
      {"0", -0.5, "-1"},
      {"0", 2.5, "3"},
      {"0.00", -0.001, "0.00"},
      {"0.00", 1e-20, "0.00"},
      {"0.00", 99.99 * 100, "9999.00"},
      // Placeholders.
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"0.00", 3, "3.00"},
      {"000", 7, "007"},
      {"#", 0, ""},
      {"##0.0", 1234.56, "1234.6"},
      {"0.##", 3, "3"},
      {"0.##", 3.14159, "3.14"},
      {"0.0#", 2, "2.0"},
      {"0.#0", 2, "2.00"},
      {"#0#", 5, "05"},
      {"000,000", 5, "000,005"},
      {"#,##0", -1234567, "-1,234,567"},
      {"0.0000", 0.001, "0.0010"},
      {".00", 12.5, "12.50"},
      {"00-00", 1234, "12-34"},
      {"0%", 45, "45%"},
      // Scientific.
      {"0.0E+00", 12345, "1.2E+04"},
      {"0.00E-00", 0.00012345, "1.23E-04"},
      {"0.00E-00", 12345, "1.23E04"},
      {"0.0e+0", 12345, "1.2e+4"},
      {"0.0E+00", -12345, "-1.2E+04"},
      {"##0.0E+0", 12345, "123.5E+2"},
      // Literals.
      {"\"Depth \"0.0\" m\"", 12.34, "Depth 12.3 m"},
      {"'#'0", 5, "#5"},
      {"0 'E+0'", 5, "5 E+0"},
      {"'0;'0", 5, "0;5"},
      // Sections.
      {"0;(0);zero", -5, "(5)"},
      {"0;(0);zero", 0, "zero"},
      {"0;(0);zero", 5, "5"},
      {"0;;zero", -5, "-5"},
      {"0;(0);", 0, "0"},
      {"0.00;(0.00)", -0.001, "0.00"},
      {"0.00;(0.00);nil", -0.001, "nil"},
      {"0;(0);zero;ignored", 0, "zero"},
      // Too large for a plain mask, and values that are not numbers.
      {"0.000", 1e18, "1E18"},
      {"0.000", -2.5e20, "-2.5E20"},
      {"0.000", 999999999999999999.0, "1E18"},
      {"0.000", 123456789012345678.0, "123456789012346000.000"},
      {"0.00", NaN, "NAN"},
      {"0.00", -Inf, "-INF"},
      // No mask: general format.
      {"", 99.99 * 100, "9999"},
      {"", 0.00001, "1E-5"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.Mask) + " -> " + C.Expected);
    EXPECT_EQ(U8(FormatFloat(L(C.Mask), C.V)), C.Expected);
  }
}

TEST(NumbersTest, FormatFloatClassicTable)
{
  // The four columns: 1234, -1234, 0.5, 0.
  struct Case {
    const char* Mask;
    const char* Expected[4];
  };
  const Case Cases[] = {
      {"", {"1234", "-1234", "0.5", "0"}},
      {"0", {"1234", "-1234", "1", "0"}},
      {"0.00", {"1234.00", "-1234.00", "0.50", "0.00"}},
      {"#.##", {"1234", "-1234", ".5", ""}},
      {"#,##0.00", {"1,234.00", "-1,234.00", "0.50", "0.00"}},
      {"#,##0.00;(#,##0.00)", {"1,234.00", "(1,234.00)", "0.50", "0.00"}},
      {"#,##0.00;;Zero", {"1,234.00", "-1,234.00", "0.50", "Zero"}},
      {"0.000E+00", {"1.234E+03", "-1.234E+03", "5.000E-01", "0.000E+00"}},
      {"#.###E-0", {"1.234E3", "-1.234E3", "5E-1", "0E0"}},
  };
  const double Values[4] = {1234, -1234, 0.5, 0};
  for (const Case& C : Cases) {
    for (int I = 0; I < 4; ++I) {
      SCOPED_TRACE(std::string(C.Mask) + " " + std::to_string(Values[I]));
      EXPECT_EQ(U8(FormatFloat(L(C.Mask), Values[I])), C.Expected[I]);
    }
  }
}

std::string Precise(double V)
{
  char Buf[40];
  std::snprintf(Buf, sizeof Buf, "%.17g", V);
  return Buf;
}

// The rule FormatFloat follows, worked on the text: the shortest decimal
// that reads back as the value, cut to 15 significant digits and then to
// Decimals decimals, halves away from zero.
std::string FixedByTheRule(double V, int Decimals)
{
  char Buf[64];
  const std::to_chars_result R = std::to_chars(Buf, Buf + sizeof Buf - 1, std::fabs(V), std::chars_format::scientific);
  *R.ptr = '\0';
  std::string Digits;
  const char* P = Buf;
  for (; P < R.ptr && *P != 'e'; ++P)
    if (*P != '.')
      Digits += *P;
  int Exponent = std::atoi(P + 1) + 1; // value = 0.Digits * 10^Exponent
  const auto RoundAt = [&](int N) {
    if (N < 0) {
      Digits.clear();
      return;
    }
    if (N >= int(Digits.size()))
      return;
    const bool Up = Digits[size_t(N)] >= '5';
    Digits.resize(size_t(N));
    int I = N - 1;
    while (Up && I >= 0 && Digits[size_t(I)] == '9')
      Digits[size_t(I--)] = '0';
    if (Up && I < 0) {
      Digits.insert(Digits.begin(), '1');
      ++Exponent;
    } else if (Up) {
      ++Digits[size_t(I)];
    }
  };
  RoundAt(15);
  RoundAt(Exponent + Decimals);
  // Lay the digits out with Decimals decimals and at least one integer digit.
  std::string Whole, Fraction;
  for (int Place = std::max(Exponent, 1) - 1; Place >= -Decimals; --Place) {
    const int Index = Exponent - 1 - Place;
    const char Digit = (Index >= 0 && Index < int(Digits.size())) ? Digits[size_t(Index)] : '0';
    (Place >= 0 ? Whole : Fraction) += Digit;
  }
  const bool Zero = Digits.find_first_not_of('0') == std::string::npos;
  return (V < 0 && !Zero ? "-" : "") + Whole + (Decimals > 0 ? "." + Fraction : "");
}

TEST(NumbersTest, FormatFloatRoundsTheShortestTextOfTheValue)
{
  // Values of every size and sign, many of them halves in their shortest
  // text (12.3455 and the like), with 0 to 6 decimals.
  XorShift Next(0x2545F4914F6CDD1Dull);
  std::vector<double> Values = {
      0.0005, 0.0015,         1.0005,    1.005, 2.675, 999.9995, 999999.9995, 0.4999999999999999,
      1e-20,  123456789.4999, 1e9 - 0.5, 1e9,   4.35,  1234.5678};
  for (int N = 0; N < 30000; ++N) {
    const int Digits = 1 + int(Next() % 12);
    const int Point = int(Next() % 9);
    double Mantissa = double(Next() % 1000000000000ull % uint64_t(std::pow(10.0, Digits)));
    if (Next() % 2)
      Mantissa = Mantissa * 10 + 5; // a half at the last place
    const double V = Mantissa / std::pow(10.0, Point) * (Next() % 3 == 0 ? -1 : 1);
    Values.push_back(V);
    Values.push_back(std::nextafter(V, 0.0));
  }
  for (int Decimals = 0; Decimals <= 6; ++Decimals) {
    const String Mask = L("0") + (Decimals ? L(".") + String(Decimals, QLatin1Char('0')) : String());
    for (const double V : Values) {
      for (const double W : {V, -V}) {
        ASSERT_EQ(U8(FormatFloat(Mask, W)), FixedByTheRule(W, Decimals)) << Precise(W) << " " << U8(Mask);
      }
    }
  }
}

TEST(NumbersTest, FormatFloatDependsOnlyOnItsOwnMaskAndSettings)
{
  // A run of calls as the road makes them: the same mask again and again,
  // then another mask, other settings, or the same string object changed.
  const TFormatSettings WithSep = GetLocaleFormatSettings(LOCALE_EN_GB);
  TFormatSettings NoSep = WithSep;
  NoSep.ThousandSeparator = QChar();
  String Mask = L("#,##0.0");
  EXPECT_EQ(U8(FormatFloat(Mask, 1234567.25, WithSep)), "1,234,567.3");
  EXPECT_EQ(U8(FormatFloat(Mask, 1234567.25, NoSep)), "1234567.3");
  EXPECT_EQ(U8(FormatFloat(Mask, -1234567.25, WithSep)), "-1,234,567.3");
  Mask.append(QLatin1Char('0'));
  EXPECT_EQ(U8(FormatFloat(Mask, 1234567.25, WithSep)), "1,234,567.25");
  EXPECT_EQ(U8(FormatFloat(L("0;(0);zero"), 0, WithSep)), "zero");
  EXPECT_EQ(U8(FormatFloat(L("0;(0)"), 0, WithSep)), "0");
  EXPECT_EQ(U8(FormatFloat(L("0;(0);zero"), -3, WithSep)), "(3)");
  EXPECT_EQ(U8(FormatFloat(L("0"), -3, WithSep)), "-3");
}

TEST(NumbersTest, FormatFloatWithoutThousandSeparatorIgnoresCommas)
{
  TFormatSettings FS = GetLocaleFormatSettings(LOCALE_EN_GB);
  FS.ThousandSeparator = QChar();
  EXPECT_EQ(U8(FormatFloat(L("#,##0.0"), 1234567.25, FS)), "1234567.3");
}

// ---------------------------------------------------------------------------
// Format

TEST(NumbersTest, FormatConversions)
{
  int Anchor = 0;
  const void* Ptr = &Anchor;
  const std::string PtrHex =
      U8(IntToHex(static_cast<int64_t>(reinterpret_cast<uintptr_t>(Ptr)), static_cast<int>(sizeof(void*) * 2)));
  struct Case {
    const char* Fmt;
    std::initializer_list<TVarRec> Args;
    std::string Expected;
  };
  const Case Cases[] = {
      {"%d", {42}, "42"},
      {"%5d|", {42}, "   42|"},
      {"%-5d|", {42}, "42   |"},
      {"%.3d", {-5}, "-005"},
      {"%3d", {12345}, "12345"},
      {"%D", {7}, "7"},
      {"%d", {INT64_MIN}, "-9223372036854775808"},
      {"%d", {UINT64_MAX}, "18446744073709551615"},
      {"%u", {-1}, "4294967295"},
      {"%u", {int64_t(-1)}, "18446744073709551615"},
      {"%u", {3000000000u}, "3000000000"},
      {"%x", {255}, "FF"},
      {"%.4x", {255}, "00FF"},
      {"%x", {-1}, "FFFFFFFF"},
      {"%x", {int64_t(-1)}, "FFFFFFFFFFFFFFFF"},
      {"%.2f", {3.14159}, "3.14"},
      {"%f", {2.5}, "2.50"},
      {"%.0f", {2.5}, "3"},
      {"%.2f", {1.005}, "1.01"},
      {"%.2f", {-0.001}, "0.00"},
      {"%8.3f|", {-1.5}, "  -1.500|"},
      {"%f", {1e20}, "1.00000000000000E+020"},
      {"%e", {1000.0}, "1.00000000000000E+003"},
      {"%.3e", {-0.00123}, "-1.23E-003"},
      {"%g", {0.1 + 0.2}, "0.3"},
      {"%g", {1e20}, "1E20"},
      {"%.3g", {1234.5}, "1.23E3"},
      {"%n", {1234567.5}, "1,234,567.50"},
      {"%.0n", {1234567.5}, "1,234,568"},
      {"%m",
       {1234.5},
       "\xC2\xA3"
       "1,234.50"},
      {"%.0m",
       {-3.0},
       "-\xC2\xA3"
       "3"},
      {"%f", {2.5f}, "2.50"},
      {"%s", {"abc"}, "abc"},
      {"%.2s", {"abc"}, "ab"},
      {"%5s|", {"ab"}, "   ab|"},
      {"%-5s|", {"ab"}, "ab   |"},
      {"%s", {QChar(0x20AC)}, "\xE2\x82\xAC"},
      {"%s", {'x'}, "x"},
      {"%s", {AnsiString("\x80 5")}, "\xE2\x82\xAC 5"},
      {"%s", {String()}, ""},
      {"%1:s %0:s", {"a", "b"}, "b a"},
      {"%1:s %s %0:s", {"a", "b", "c"}, "b c a"},
      {"%*d|", {5, 42}, "   42|"},
      {"%-*d|", {4, 7}, "7   |"},
      {"%*d|", {-4, 7}, "7   |"},
      {"%.*f", {3, 1.0}, "1.000"},
      {"100%%", {}, "100%"},
      {"no args", {}, "no args"},
      {"%s=%d", {"n", 3}, "n=3"},
      {"%p", {Ptr}, PtrHex},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Fmt);
    EXPECT_EQ(U8(Format(L(C.Fmt), C.Args)), C.Expected);
  }
}

TEST(NumbersTest, FormatRejectsBadSpecifiersAndArguments)
{
  struct Case {
    const char* Fmt;
    std::initializer_list<TVarRec> Args;
  };
  const Case Cases[] = {
      {"%d", {1.5}},     {"%d", {"1"}},       {"%d", {true}},      {"%x", {2.0}},       {"%f", {1}}, {"%e", {"1.0"}},
      {"%s", {1}},       {"%s", {1.5}},       {"%s", {true}},      {"%p", {1}},         {"%d", {}},  {"%d %d", {1}},
      {"%2:d", {1, 2}},  {"%", {1}},          {"abc%", {}},        {"%z", {1}},         {"%5", {1}}, {"%.", {1.0}},
      {"%*d", {"x", 1}}, {"%99999999d", {1}}, {"%.70000f", {1.0}}, {"%*d", {70000, 1}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Fmt);
    try {
      Format(L(C.Fmt), C.Args);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& E) {
      EXPECT_EQ(U8(E.Message()), "Format '" + std::string(C.Fmt) + "' invalid or incompatible with argument");
    }
  }
}

// ---------------------------------------------------------------------------
// The process locale must not matter.

TEST(NumbersTest, ResultsIgnoreTheProcessLocale)
{
  const std::string SavedC = std::setlocale(LC_ALL, nullptr);
  const QLocale SavedQt;
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
      << "the de_DE.UTF-8 locale is missing on this machine (build it with localedef -i de_DE -f UTF-8 "
         "de_DE.UTF-8); the locale-independence test cannot run without it";
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

  const double Parsed = StrToFloat(L("1.5"));
  const std::string General = U8(FloatToStr(1234.5));
  const std::string Masked = U8(FormatFloat(L("#,##0.00"), 1234.5));
  const std::string Formatted = U8(Format(L("%.2f"), {1234.5}));
  const std::string Exponent = U8(Format(L("%e"), {0.5}));
  bool CommaRejected = false;
  try {
    StrToFloat(L("1,5"));
  } catch (const EConvertError&) {
    CommaRejected = true;
  }

  std::setlocale(LC_ALL, SavedC.c_str());
  QLocale::setDefault(SavedQt);

  EXPECT_EQ(Parsed, 1.5);
  EXPECT_TRUE(CommaRejected);
  EXPECT_EQ(General, "1234.5");
  EXPECT_EQ(Masked, "1,234.50");
  EXPECT_EQ(Formatted, "1234.50");
  EXPECT_EQ(Exponent, "5.00000000000000E-001");
}

// The conversions read the process-wide settings at each call.
TEST(NumbersTest, DefaultSettingsAreReadAtEachCall)
{
  const TFormatSettings Saved = FormatSettings;
  FormatSettings.DecimalSeparator = QLatin1Char(',');
  const std::string Text = U8(FloatToStr(2.5));
  const double Parsed = StrToFloatDef(L("2,5"), 0);
  FormatSettings = Saved;
  EXPECT_EQ(Text, "2,5");
  EXPECT_EQ(Parsed, 2.5);
  EXPECT_EQ(U8(FloatToStr(2.5)), "2.5");
}

} // namespace

TEST(NumbersTest, ValReadsAsFarAsTheNumberGoes)
{
  struct Case {
    const char* Text;
    double Value;
    int32_t Code;
  };
  const Case Cases[] = {
      {"12", 12, 0},       {"  -3.25", -3.25, 0}, {"+7", 7, 0},           {"1e3", 1000, 0},
      {"2.5E-1", 0.25, 0}, {"1.5x", 1.5, 4},      {"abc", 0, 1},          {"", 0, 1},
      {"-", 0, 2},         {"12 ", 12, 3},        {"2e", 2, 2},           {"3e+", 3, 2},
      {".5", 0.5, 0},      {"1,5", 1, 2},         {"1e999", HUGE_VAL, 0}, {"1e-999", 0, 0},
  };
  for (const Case& C : Cases) {
    double V = -1;
    EXPECT_EQ(Val(QString::fromLatin1(C.Text), V), C.Code) << C.Text;
    EXPECT_EQ(V, C.Value) << C.Text;
  }
}
