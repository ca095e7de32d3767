#include "grid/base/rurutil.h"

#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string U8(const String& S) { return S.toStdString(); }
String Q(const char* S) { return QString::fromUtf8(S); }

// Swaps the process format settings for one test.
class TLocale {
public:
  explicit TLocale(int32_t Lcid) : FSaved(FormatSettings) { FormatSettings = GetLocaleFormatSettings(Lcid); }
  ~TLocale() { FormatSettings = FSaved; }

private:
  TFormatSettings FSaved;
};

String Codes(std::initializer_list<char16_t> Units)
{
  String S;
  for (char16_t U : Units)
    S += QChar(U);
  return S;
}

} // namespace

TEST(RurUtil, TextTypeClassifiesCellText)
{
  struct Case {
    String Text;
    bool CheckHTML;
    TTextType Expected;
  };
  const Case Cases[] = {
      {Q(""), true, ttText},
      {Q("plain"), true, ttText},
      {Q("=A1+1"), true, ttFormula},
      {Q("{\\rtf1"), true, ttRTF},
      {Q("a</b>"), true, ttHTML},
      {Q("a</b>"), false, ttText},
      {Q("x<BR>y"), true, ttHTML},
      {Q("x<img src=a>"), true, ttHTML},
      {Q("<co"), true, ttHTML},
      {Q("<b>bold"), true, ttText},
      {Q("see http://x.org"), true, ttURL},
      {Q("mailto:a@b"), false, ttURL},
      // Wide text, and wide text whose first character is "=".
      {EncodeWideStr(Q("ab")), true, ttUnicode},
      {EncodeWideStr(Q("=1")), true, ttFormula},
      {EncodeWideStr(Q("=")), true, ttUnicode},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(U8(C.Text));
    EXPECT_EQ(TextType(C.Text, C.CheckHTML), C.Expected);
  }
}

TEST(RurUtil, IsTypeRecognisesNumbersDatesAndTimes)
{
  TLocale US(LOCALE_EN_US);
  struct Case {
    const char* Text;
    TAutoType Expected;
  };
  const Case Cases[] = {
      {"123", atNumeric},        {"-5", atNumeric},      {"1,234.5", atFloat},
      {"1,234,567", atFloat},    {"1,23,456", atString}, {"1e5", atScientific},
      {"-1.5e-3", atScientific}, {"1e5e", atString},     {"e5", atString},
      {"1e-", atString},         {"12:30", atTime},      {"1/2/2024", atDate},
      {"1/2", atString},         {"1//2", atString},     {"", atString},
      {"1.2.3", atString},       {"5-3", atString},      {"--5", atString},
      {"abc", atString},         {"12:30:15", atTime},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    EXPECT_EQ(IsType(Q(C.Text)), C.Expected);
  }
  // Explicit separators override the process ones.
  EXPECT_EQ(IsType(Q("1.234,5"), u',', u'.'), atFloat);
  EXPECT_EQ(IsType(Q("1.23.4"), u',', u'.'), atString);
}

TEST(RurUtil, RemoveSepsMakesDisplayedNumbersPlain)
{
  TLocale US(LOCALE_EN_US);
  struct Case {
    const char* Text;
    const char* Expected;
  };
  const Case Cases[] = {
      {"(1,234.50)", "-1234.50"}, {"$ 12", "12"}, {"12 kg", "12"}, {"-$5.25", "-5.25"},
      {"1,000,000", "1000000"},   {"1e5", "1e5"}, {"x", ""},       {"", ""},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    EXPECT_EQ(U8(RemoveSeps(Q(C.Text))), C.Expected);
  }
}

TEST(RurUtil, DecimalSeparatorConversions)
{
  TFormatSettings Saved = FormatSettings;
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  EXPECT_EQ(U8(ToFixedDecSep(Q("1.234,5"))), "1234.5");
  EXPECT_EQ(U8(ToFixedDecSep(Q("abc"))), "abc");
  EXPECT_EQ(U8(FromFixedDecSep(Q("1234.5"))), "1234,5");
  EXPECT_EQ(U8(FromFixedDecSep(Q("a.b"))), "a.b");
  EXPECT_EQ(U8(StripThousandSep(Q("1.234,5"))), "1234.5");
  FormatSettings = Saved;
  EXPECT_EQ(U8(FromFixedDecSep(Q("1234.5"))), "1234.5");
}

TEST(RurUtil, IsDateReadsTheShortDateOrder)
{
  struct Case {
    int32_t Lcid;
    const char* Text;
    bool Ok;
    int Y = 0, M = 0, D = 0, H = 0, N = 0, S = 0;
  };
  const Case Cases[] = {
      {LOCALE_EN_GB, "31/12/2024", true, 2024, 12, 31, 0, 0, 0},
      {LOCALE_EN_US, "12/31/2024", true, 2024, 12, 31, 0, 0, 0},
      {LOCALE_EN_GB, "1/2/2024 13:45", true, 2024, 2, 1, 13, 45, 0},
      {LOCALE_EN_GB, "1/2/2024 13:45:30", true, 2024, 2, 1, 13, 45, 30},
      // Years as written: no two-digit window.
      {LOCALE_EN_GB, "1/2/24", true, 24, 2, 1, 0, 0, 0},
      {LOCALE_EN_GB, "32/1/2024", false},
      {LOCALE_EN_GB, "1/13/2024", false},
      {LOCALE_EN_GB, "30/2/2024", false},
      {LOCALE_EN_GB, "1/2/2024 24:00", false},
      {LOCALE_EN_GB, "1/2/2024 10:60", false},
      {LOCALE_EN_GB, "1/2/2024 1030", false},
      {LOCALE_EN_GB, "1/2", false},
      {LOCALE_EN_GB, "a/2/2024", false},
      {LOCALE_EN_GB, "2024", false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    TLocale L(C.Lcid);
    TDateTime DT = -1;
    ASSERT_EQ(IsDate(Q(C.Text), DT), C.Ok);
    if (C.Ok) {
      EXPECT_DOUBLE_EQ(DT, EncodeDateTime(C.Y, C.M, C.D, C.H, C.N, C.S, 0));
    }
  }
  EXPECT_TRUE(IsDateStr(Q("1/2/3")));
  EXPECT_FALSE(IsDateStr(Q("/2/3")));
  EXPECT_FALSE(IsDateStr(Q("1//3")));
}

TEST(RurUtil, ShortDatesPlaceOnlyShortYearsInTheWindow)
{
  struct Case {
    const char* Text;
    bool US;
    int Y = 0, M = 0, D = 0; // Y = 0: no date (0)
  };
  const Case Cases[] = {
      {"31/12/99", false, 1999, 12, 31},
      {"31.12.05", false, 2005, 12, 31},
      {"1-2-25", false, 2025, 2, 1},
      {"1-2-26", false, 1926, 2, 1},
      {"12/31/05", true, 2005, 12, 31},
      // Four-digit years are taken as written, not moved by 1900 or 2000.
      {"12/31/1999", true, 1999, 12, 31},
      {"31/12/2024", false, 2024, 12, 31},
      {"12/31", true, 0, 0, 0},
      {"x/31/99", true, 0, 0, 0},
      {"12/31/99 10:00", true, 0, 0, 0},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    const TDateTime V = C.US ? StrToShortdateUS(Q(C.Text)) : StrToShortDateEU(Q(C.Text));
    EXPECT_DOUBLE_EQ(V, C.Y ? EncodeDate(C.Y, C.M, C.D) : 0.0);
  }
  // Dates of either form now compare in their true order.
  EXPECT_LT(StrToShortdateUS(Q("12/31/1999")), StrToShortdateUS(Q("1/1/00")));
  EXPECT_THROW(StrToShortdateUS(Q("2/30/20")), EConvertError);
}

TEST(RurUtil, GetNextDateContinuesASeries)
{
  const TDateTime D = EncodeDateTime(2024, 1, 31, 6, 0, 0, 0);
  EXPECT_DOUBLE_EQ(GetNextDate(D, 0, 0, 2, 7), D + 2);
  EXPECT_DOUBLE_EQ(GetNextDate(EncodeDate(2023, 3, 15), 1, 0, 0, 7), EncodeDate(2024, 3, 15));
  EXPECT_DOUBLE_EQ(GetNextDate(EncodeDate(2024, 12, 10), 0, 1, 0, 7), EncodeDate(2025, 1, 10));
  EXPECT_DOUBLE_EQ(GetNextDate(EncodeDate(2024, 1, 10), 0, -1, 0, 7), EncodeDate(2023, 12, 10));
  EXPECT_DOUBLE_EQ(GetNextDate(D, 1, 1, 0, 7), D + 7);
  EXPECT_DOUBLE_EQ(GetNextDate(D, 0, 0, 0, 0.5), D + 0.5);
  EXPECT_THROW(GetNextDate(D, 0, 1, 0, 7), EConvertError); // 31 February
  EXPECT_THROW(GetNextDate(EncodeDate(2024, 2, 29), 1, 0, 0, 7), EConvertError);
}

TEST(RurUtil, CSVCodecQuotesAndLineBreaks)
{
  EXPECT_EQ(U8(CSVQuotes(Q("say \"hi\""))), "say \"\"hi\"\"");
  EXPECT_EQ(U8(DoubleToSingleChar(u'"', Q("a\"\"b\"\"\"c"))), "a\"b\"\"c");
  struct Unq {
    const char* In;
    const char* Out;
  };
  for (const Unq& C : {Unq{"\"ab\"", "ab"}, Unq{"\"\"", "\"\""}, Unq{"\"a", "\"a"}, Unq{"abc", "abc"}}) {
    SCOPED_TRACE(C.In);
    EXPECT_EQ(U8(GetUnquotedStr(Q(C.In))), C.Out);
  }

  String S = Q("a\r\nb");
  LineFeedsToCSV(S);
  EXPECT_EQ(S, Codes({u'"', u'a', 11, u'b', u'"'}));
  String Inner = S.mid(1, S.length() - 2);
  CSVToLineFeeds(Inner);
  EXPECT_EQ(U8(Inner), "a\r\nb");
  S = Q("a\r\nb\r\n");
  LineFeedsToCSVNQ(S);
  EXPECT_EQ(U8(S), "a\nb\n");

  // A delimiter inside quotes does not count, unless a quote is left open.
  struct Delim {
    const char* Text;
    int32_t Count;
  };
  const Delim Delims[] = {
      {"a,b,c", 2},   {"\"a,b\",c", 1}, {"'a,b',\"c,d\",e", 2},   {"\"it's, ok\",x", 1},
      {"\"a,b,c", 2}, {"x,'a,b", 2},    {"\"\"\"a,b\"\"\",c", 1}, {"", 0},
  };
  for (const Delim& C : Delims) {
    SCOPED_TRACE(C.Text);
    EXPECT_EQ(NumDelim(u',', Q(C.Text)), C.Count);
  }

  struct Single {
    const char* Text;
    int32_t Pos;
  };
  const Single Singles[] = {{"a\"b", 2}, {"a\"\"b\"c", 5}, {"ab\"\"", 4}, {"a\"\"b", 0}, {"\"\"\"x", 3}, {"", 0}};
  for (const Single& C : Singles) {
    SCOPED_TRACE(C.Text);
    int32_t P = -1;
    EXPECT_EQ(SinglePos(u'"', Q(C.Text), P), C.Pos);
    EXPECT_EQ(P, C.Pos);
  }
}

TEST(RurUtil, LineBreakCodecsRoundTrip)
{
  String S = Q("a\r\nb");
  LineFeedsToJava(S);
  EXPECT_EQ(U8(S), "a~b");
  JavaToLineFeeds(S);
  EXPECT_EQ(U8(S), "a\r\nb");
  S = Q("^");
  JavaToLineFeeds(S);
  EXPECT_EQ(U8(S), "");

  EXPECT_EQ(U8(LineFeedsToXLS(Q("a\r\nb"))), "a\nb");
  EXPECT_EQ(U8(CRToLF(Q("a\rb"))), "a\nb");
  EXPECT_EQ(U8(CLFToLF(Q("a\\nb"))), "a\rb");
  EXPECT_EQ(U8(LFToCLF(Q("a\r\nb"))), "a\\nb");

  const String NoCR = Codes({u'a', 9, 0, u'b'});
  EXPECT_EQ(LfToFile(NoCR), NoCR);
  const String Multi = Codes({u'a', 13, 10, u'b', 0, u'c'});
  const String Filed = LfToFile(Multi);
  EXPECT_EQ(Filed, Codes({u'a', 9, 8, u'b', 1, u'c'}));
  EXPECT_EQ(FileToLf(Filed, true), Multi);
  EXPECT_EQ(U8(FileToLf(Filed, false)), "a");
}

TEST(RurUtil, LinesAreCutAtCarriageReturns)
{
  String S = Q("one\r\ntwo\rthree");
  EXPECT_EQ(U8(GetNextLine(S, true)), "one");
  EXPECT_EQ(U8(S), "two\rthree");
  EXPECT_EQ(U8(GetNextLine(S, true)), "two");
  EXPECT_EQ(U8(GetNextLine(S, true)), "three");
  EXPECT_TRUE(S.isEmpty());
  S = Q("one\r\ntwo");
  EXPECT_EQ(U8(GetNextLine(S, false)), "one");
  EXPECT_TRUE(S.isEmpty());

  EXPECT_EQ(LinesInText(Q("a\r\nb\r\nc"), false), 1);
  EXPECT_EQ(LinesInText(Q("a\r\nb\r\nc"), true), 3);
  EXPECT_EQ(LinesInText(Q("a\r"), true), 1);
}

TEST(RurUtil, WideTextTravelsAsBytePairs)
{
  const String Euro(QChar(0x20AC));
  const String Encoded = EncodeWideStr(Euro);
  EXPECT_EQ(Encoded, Q("|\\") + Codes({32, 172}));
  EXPECT_EQ(DecodeWideStr(Encoded), Euro);
  EXPECT_EQ(EncodeWideStr(Q("ab")), Q("|\\") + Codes({0, u'a', 0, u'b'}));
  EXPECT_EQ(U8(DecodeWideStr(Q("plain"))), "plain");
  EXPECT_EQ(DecodeWideStr(Q("|\\") + Codes({0, u'a', 0})), Q("a")); // odd tail ignored
}

TEST(RurUtil, HTMLPieces)
{
  EXPECT_EQ(U8(HTMLColor(0x00336699)), "996633");
  EXPECT_EQ(U8(HTMLLineBreaks(Q("a\r\nb"))), "a<br>\nb");
  EXPECT_EQ(U8(HTMLLineBreaks(Q("a\nb"))), "a\nb");

  String Link;
  EXPECT_FALSE(MakeHTMLHyperlink(Q("no link"), Q("HTTP://"), Link));
  ASSERT_TRUE(MakeHTMLHyperlink(Q("see HTTP://x.org/a?b=1 now <b>"), Q("HTTP://"), Link));
  EXPECT_EQ(U8(Link), "see <a href=\"HTTP://x.org/a?b=1\">HTTP://x.org/a?b=1</a> now &lt;b&gt;");

  String F = Q("<b>x</b>");
  MakeFragment(F);
  const std::string Doc = F.toStdString();
  EXPECT_EQ(Doc.substr(0, 97), "Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000314\r\n"
                               "StartFragment:00000274\r\nEndFragment:00000282\r\n");
  EXPECT_EQ(Doc.substr(274, 8), "<b>x</b>");
  EXPECT_EQ(Doc.size(), 314u);
  // Offsets count UTF-8 bytes.
  String Wide = Q("\xC3\xA9");
  MakeFragment(Wide);
  EXPECT_NE(Wide.indexOf(Q("EndFragment:00000276")), -1);
}

TEST(RurUtil, TokensNamesAndLimits)
{
  TStringList L;
  SplitString(u';', Q("a;;b"), &L);
  ASSERT_EQ(L.Count(), 3);
  EXPECT_EQ(U8(L[0]), "a");
  EXPECT_EQ(U8(L[1]), "");
  EXPECT_EQ(U8(L[2]), "b");
  EXPECT_EQ(U8(StringListToText(L)), "ab");

  String T = Q("a");
  EXPECT_EQ(U8(GetToken(T, Q(";"))), "");
  EXPECT_EQ(U8(T), "a");
  T = Q("key=;rest");
  EXPECT_EQ(U8(GetToken(T, Q(";"))), "key=");
  EXPECT_EQ(U8(T), "rest");

  struct Name {
    const char* Text;
    bool Ok;
    int32_t X = 0, Y = 0;
  };
  for (const Name& C : {Name{"r3c12", true, 12, 3}, Name{"R10C2", true, 2, 10}, Name{"R3", false}, Name{"RC12", false},
                        Name{"x3c1", false}, Name{"R3Cx", false}}) {
    SCOPED_TRACE(C.Text);
    TPoint P{-1, -1};
    ASSERT_EQ(NameToCell(Q(C.Text), P), C.Ok);
    if (C.Ok) {
      EXPECT_EQ(P, Point(C.X, C.Y));
    }
  }

  EXPECT_EQ(FIPos(Q("BC"), Q("abcd")), 2);
  EXPECT_EQ(Limit(15, 0, 10), 10);
  EXPECT_EQ(Limit(-5, 0, 10), 0);
  EXPECT_EQ(CheckLimits(15, 0, 10), 10);
  EXPECT_EQ(CheckLimits(-5, 0, 10), -5); // a bound of 0 is no bound
  EXPECT_EQ(CheckLimits(3, 5, 0), 5);
  EXPECT_EQ(CheckLimits(50, 5, 5), 50);
  EXPECT_TRUE(IsInGridRect(TGridRect{1, 1, 3, 2}, 3, 2));
  EXPECT_FALSE(IsInGridRect(TGridRect{1, 1, 3, 2}, 4, 2));
}

TEST(RurUtil, RemoveAccentedKeepsEveryBaseCharacter)
{
  struct Case {
    const char* In;
    const char* Out;
  };
  const Case Cases[] = {
      {"Café crème", "Cafe creme"},
      // Characters above 255 are base characters like any other.
      {"Łódź €5", "Łodz €5"},
      {"Ελληνικά", "Ελληνικα"},
      {"Москва", "Москва"},
      {"", ""},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.In);
    EXPECT_EQ(U8(RemoveAccentedStr(Q(C.In))), C.Out);
  }
  // Long texts are not cut off.
  const String Long = String(2000, QChar(u'é'));
  EXPECT_EQ(RemoveAccentedStr(Long), String(2000, QChar(u'e')));
}

TEST(RurUtil, ShiftCaseCapitalisesWords)
{
  struct Case {
    const char* In;
    const char* Out;
  };
  const Case Cases[] = {
      {"mcdonald", "McDonald"},       {"ann mcdonald", "Ann McDonald"}, {"henry iii", "Henry III"},
      {"HELLO WORLD", "Hello World"}, {"o'neil-smith", "O'Neil-Smith"}, {"", ""},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.In);
    EXPECT_EQ(U8(ShiftCase(Q(C.In))), C.Out);
  }
}

TEST(RurUtil, MarkupStrippedAndHighlighted)
{
  struct Strip {
    const char* Text;
    const char* Plain;
  };
  const Strip Strips[] = {{"<b>bold</b> text", "bold text"},
                          {"one<br>two<HR>three", "one\r\ntwo\r\nthree"},
                          {"a<b", "a<b"},
                          {"x &amp; y", "x &amp; y"},
                          {"<a href=\"x\">link</a>", "link"}};
  for (const Strip& S : Strips)
    EXPECT_EQ(HTMLStrip(QString::fromLatin1(S.Text)).toStdString(), S.Plain) << S.Text;

  // Highlights: plain text escaped around the hits, once however often.
  const String Once =
      HiLight(QStringLiteral("Tom & Jerry"), QStringLiteral("JERRY"), QStringLiteral("hi"), false, false);
  EXPECT_EQ(Once.toStdString(), "Tom &amp; <HI>Jerry</HI>");
  EXPECT_EQ(HiLight(Once, QStringLiteral("JERRY"), QStringLiteral("hi"), false, false), Once);
  EXPECT_EQ(UnHiLight(QStringLiteral("a <hi>&lt;</hi> b"), QStringLiteral("HI")).toStdString(), "a < b");
  EXPECT_EQ(UnHiLight(HiLight(QStringLiteral("x<y"), QStringLiteral("Y"), QStringLiteral("e"), false, false),
                      QStringLiteral("e"))
                .toStdString(),
            "x<y");
  // Whole text: only an equal text, as a whole.
  EXPECT_EQ(HiLight(QStringLiteral("Depth"), QStringLiteral("DEPTH"), QStringLiteral("e"), false, true).toStdString(),
            "<E>Depth</E>");
  EXPECT_EQ(HiLight(QStringLiteral("Depths"), QStringLiteral("DEPTH"), QStringLiteral("e"), false, true).toStdString(),
            "Depths");
  // No hit leaves the text as it was, unescaped.
  EXPECT_EQ(HiLight(QStringLiteral("a & b"), QStringLiteral("z"), QStringLiteral("e"), false, false).toStdString(),
            "a & b");
}
