#include "rtl/Strings.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

std::string U8(const String& S) { return S.toStdString(); }
// From a literal, embedded nulls included.
template <size_t N>
String Q(const char16_t (&S)[N])
{
  return QString::fromUtf16(S, N - 1);
}
String QP(const char16_t* S) { return QString::fromUtf16(S); }

TEST(StringsTest, CopyClipsIndexAndCount)
{
  struct Case {
    const char* S;
    int Index;
    int Count;
    const char* Expected;
  };
  const Case Cases[] = {
      {"abcdef", 1, 3, "abc"},
      {"abcdef", 3, 2, "cd"},
      {"abcdef", 0, 2, "ab"},
      {"abcdef", -5, 2, "ab"},
      {"abcdef", 5, 10, "ef"},
      {"abcdef", 6, 1, "f"},
      {"abcdef", 7, 1, ""},
      {"abcdef", 2, 0, ""},
      {"abcdef", 2, -1, ""},
      {"abcdef", 2, INT_MAX, "bcdef"},
      {"abcdef", INT_MAX, INT_MAX, ""},
      {"", 1, 5, ""},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.S) + " " + std::to_string(C.Index) + " " + std::to_string(C.Count));
    EXPECT_EQ(U8(Copy(QString::fromLatin1(C.S), C.Index, C.Count)), C.Expected);
    EXPECT_EQ(Copy(AnsiString(C.S), C.Index, C.Count).toStdString(), C.Expected);
  }
}

TEST(StringsTest, PosFindsFirstOccurrenceFromOffset)
{
  struct Case {
    const char* Sub;
    const char* S;
    int Offset;
    int Expected;
  };
  const Case Cases[] = {
      {"b", "abcabc", 1, 2}, {"b", "abcabc", 3, 5}, {"bc", "abcabc", 5, 5}, {"bc", "abcabc", 6, 0},
      {"x", "abcabc", 1, 0}, {"", "abc", 1, 0},     {"a", "", 1, 0},        {"a", "abc", 0, 0},
      {"a", "abc", 4, 0},    {"abcd", "abc", 1, 0}, {"c", "abc", -3, 0},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.Sub) + " in " + C.S + " from " + std::to_string(C.Offset));
    EXPECT_EQ(Pos(QString::fromLatin1(C.Sub), QString::fromLatin1(C.S), C.Offset), C.Expected);
    EXPECT_EQ(Pos(AnsiString(C.Sub), AnsiString(C.S), C.Offset), C.Expected);
    if (std::string(C.Sub).size() == 1) {
      EXPECT_EQ(Pos(QChar(QLatin1Char(C.Sub[0])), QString::fromLatin1(C.S), C.Offset), C.Expected);
    }
  }
}

TEST(StringsTest, DeleteAndInsertIgnoreOutOfRangePositions)
{
  struct DelCase {
    int Index;
    int Count;
    const char* Expected;
  };
  const DelCase Deletes[] = {
      {1, 2, "cdef"},    {3, 2, "abef"},   {5, 100, "abcd"}, {6, 1, "abcde"},   {0, 2, "abcdef"},
      {-1, 2, "abcdef"}, {7, 1, "abcdef"}, {2, 0, "abcdef"}, {2, -3, "abcdef"}, {2, INT_MAX, "a"},
  };
  for (const DelCase& C : Deletes) {
    SCOPED_TRACE(std::to_string(C.Index) + " " + std::to_string(C.Count));
    String S = QStringLiteral("abcdef");
    Delete(S, C.Index, C.Count);
    EXPECT_EQ(U8(S), C.Expected);
    AnsiString A("abcdef");
    Delete(A, C.Index, C.Count);
    EXPECT_EQ(A.toStdString(), C.Expected);
  }

  struct InsCase {
    int Index;
    const char* Expected;
  };
  const InsCase Inserts[] = {{1, "XYabc"}, {2, "aXYbc"}, {4, "abcXY"}, {5, "abcXY"}, {0, "XYabc"}, {-7, "XYabc"}};
  for (const InsCase& C : Inserts) {
    SCOPED_TRACE(C.Index);
    String S = QStringLiteral("abc");
    Insert(QStringLiteral("XY"), S, C.Index);
    EXPECT_EQ(U8(S), C.Expected);
    AnsiString A("abc");
    Insert(AnsiString("XY"), A, C.Index);
    EXPECT_EQ(A.toStdString(), C.Expected);
  }
}

TEST(StringsTest, TrimStripsSpacesAndControlCharactersOnly)
{
  const String S = Q(u"\t\r\n \x01"
                     u"a b\u00A0\x1F \x00");
  EXPECT_EQ(Trim(S), Q(u"a b\u00A0"));
  EXPECT_EQ(TrimLeft(S), Q(u"a b\u00A0\x1F \x00"));
  EXPECT_EQ(TrimRight(S), Q(u"\t\r\n \x01"
                            u"a b\u00A0"));
  EXPECT_EQ(U8(Trim(QStringLiteral(" \t "))), "");
  EXPECT_EQ(U8(Trim(QStringLiteral("x"))), "x");
  EXPECT_EQ(Trim(AnsiString("\r\n 12.5\t\r")), AnsiString("12.5"));
  EXPECT_EQ(Trim(AnsiString("\xA0x\xA0")), AnsiString("\xA0x\xA0")); // bytes above 32 stay
}

TEST(StringsTest, CaseMappingAsciiOnlyUnlessAnsi)
{
  const String Mixed = Q(u"abz ABZ \u00E9\u00C9 1_");
  EXPECT_EQ(UpperCase(Mixed), Q(u"ABZ ABZ \u00E9\u00C9 1_"));
  EXPECT_EQ(LowerCase(Mixed), Q(u"abz abz \u00E9\u00C9 1_"));
  EXPECT_EQ(AnsiUpperCase(Mixed), Q(u"ABZ ABZ \u00C9\u00C9 1_"));
  EXPECT_EQ(AnsiLowerCase(Mixed), Q(u"abz abz \u00E9\u00E9 1_"));
}

int Sign(int V) { return V < 0 ? -1 : (V > 0 ? 1 : 0); }

TEST(StringsTest, Comparisons)
{
  struct Case {
    const char16_t* A;
    const char16_t* B;
    int Str;      // CompareStr
    int Text;     // CompareText
    int AnsiStr;  // AnsiCompareStr
    int AnsiText; // AnsiCompareText
  };
  const Case Cases[] = {
      {u"abc", u"abc", 0, 0, 0, 0},
      {u"abc", u"ABC", 1, 0, -1, 0},
      {u"abc", u"abd", -1, -1, -1, -1},
      {u"ab", u"abc", -1, -1, -1, -1},
      {u"b", u"ABC", 1, 1, 1, 1},
      {u"apple", u"Banana", 1, -1, -1, -1},
      // Folding to upper case puts "_" (0x5F) after "Z" (0x5A).
      {u"a_", u"aZ", 1, 1, -1, -1},
      {u"\u00E9", u"\u00C9", 1, 1, -1, 0},
      {u"", u"", 0, 0, 0, 0},
  };
  for (const Case& C : Cases) {
    const String A = QP(C.A);
    const String B = QP(C.B);
    SCOPED_TRACE(U8(A) + " vs " + U8(B));
    EXPECT_EQ(Sign(CompareStr(A, B)), C.Str);
    EXPECT_EQ(Sign(CompareStr(B, A)), -C.Str);
    EXPECT_EQ(Sign(CompareText(A, B)), C.Text);
    EXPECT_EQ(SameStr(A, B), C.Str == 0);
    EXPECT_EQ(SameText(A, B), C.Text == 0);
    EXPECT_EQ(AnsiCompareStr(A, B), C.AnsiStr);
    EXPECT_EQ(AnsiCompareStr(B, A), -C.AnsiStr);
    EXPECT_EQ(AnsiCompareText(A, B), C.AnsiText);
    EXPECT_EQ(AnsiSameText(A, B), C.AnsiText == 0);
  }
}

TEST(StringsTest, StartsEndsContains)
{
  const String T = Q(u"Sound \u00C9quation");
  EXPECT_TRUE(StartsText(QStringLiteral("sOUND"), T));
  EXPECT_TRUE(EndsText(Q(u"\u00E9QUATION"), T));
  EXPECT_TRUE(ContainsText(T, QStringLiteral("D \u00C9q")));
  EXPECT_FALSE(StartsText(QStringLiteral("Sound Equation and more"), T));
  EXPECT_TRUE(StartsText(String(), T));
  EXPECT_TRUE(EndsText(String(), T));
  EXPECT_FALSE(ContainsText(T, String()));
  EXPECT_TRUE(StartsStr(QStringLiteral("Sound"), T));
  EXPECT_FALSE(StartsStr(QStringLiteral("sound"), T));
  EXPECT_TRUE(EndsStr(QStringLiteral("ation"), T));
  EXPECT_FALSE(EndsStr(QStringLiteral("ATION"), T));
  EXPECT_TRUE(StartsStr(String(), T));
}

TEST(StringsTest, StringReplace)
{
  struct Case {
    const char* S;
    const char* Old;
    const char* New;
    TReplaceFlags Flags;
    const char* Expected;
  };
  const Case Cases[] = {
      {"a.b.c", ".", "", rfReplaceAll, "abc"},    {"a.b.c", ".", ",", 0, "a,b.c"},
      {"aXbxc", "x", "-", rfReplaceAll, "aXb-c"}, {"aXbxc", "x", "-", rfReplaceAll | rfIgnoreCase, "a-b-c"},
      {"aXbxc", "x", "-", rfIgnoreCase, "a-bxc"}, {"aaa", "aa", "b", rfReplaceAll, "ba"}, // no overlapping matches
      {"abc", "b", "bb", rfReplaceAll, "abbc"}, // replacement is not searched again
      {"abc", "", "x", rfReplaceAll, "abc"},      {"", "a", "x", rfReplaceAll, ""},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.S);
    EXPECT_EQ(
        U8(StringReplace(QString::fromLatin1(C.S), QString::fromLatin1(C.Old), QString::fromLatin1(C.New), C.Flags)),
        C.Expected);
  }
}

TEST(StringsTest, QuotingAndDequoting)
{
  EXPECT_EQ(U8(QuotedStr(QStringLiteral("it's"))), "'it''s'");
  EXPECT_EQ(U8(QuotedStr(String())), "''");
  EXPECT_EQ(U8(AnsiQuotedStr(QStringLiteral("say \"hi\""), QLatin1Char('"'))), "\"say \"\"hi\"\"\"");

  struct Case {
    const char* S;
    const char* Expected;
  };
  const Case Cases[] = {
      {"'abc'", "abc"}, {"'it''s'", "it's"}, {"''", ""},
      {"abc", "abc"},   {"'abc", "'abc"},    {"'abc'def", "abc"},
      {"", ""},         {"'a''", "a'"},      {"x'abc'", "x'abc'"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.S);
    EXPECT_EQ(U8(AnsiDequotedStr(QString::fromLatin1(C.S), QLatin1Char('\''))), C.Expected);
  }
  EXPECT_EQ(U8(AnsiDequotedStr(AnsiQuotedStr(QStringLiteral("a\"b"), QLatin1Char('"')), QLatin1Char('"'))), "a\"b");
}

TEST(StringsTest, DelimitersAndStringOfChar)
{
  EXPECT_EQ(LastDelimiter(QStringLiteral("\\/."), QStringLiteral("C:\\data/run.1.btd")), 14);
  EXPECT_EQ(LastDelimiter(QStringLiteral("."), QStringLiteral("nodot")), 0);
  EXPECT_EQ(LastDelimiter(String(), QStringLiteral("abc")), 0);
  EXPECT_TRUE(IsDelimiter(QStringLiteral(",;"), QStringLiteral("a;b"), 2));
  EXPECT_FALSE(IsDelimiter(QStringLiteral(",;"), QStringLiteral("a;b"), 1));
  EXPECT_FALSE(IsDelimiter(QStringLiteral(",;"), QStringLiteral("a;b"), 0));
  EXPECT_FALSE(IsDelimiter(QStringLiteral(",;"), QStringLiteral("a;b"), 4));
  EXPECT_EQ(U8(StringOfChar(QLatin1Char('0'), 3)), "000");
  EXPECT_EQ(U8(StringOfChar(QLatin1Char('0'), 0)), "");
  EXPECT_EQ(U8(StringOfChar(QLatin1Char('0'), -2)), "");
}

TEST(StringsTest, AnsiConversionIsWindows1252AndRoundTripsEveryByte)
{
  AnsiString All;
  for (int B = 0; B < 256; ++B)
    All.append(static_cast<char>(B));
  const String Wide = FromAnsi(All);
  ASSERT_EQ(Wide.size(), 256);
  EXPECT_EQ(ToAnsi(Wide), All);

  struct Case {
    unsigned char Byte;
    char16_t Ch;
  };
  const Case Cases[] = {
      {0x41, u'A'},   {0x80, 0x20AC}, {0x81, 0x0081}, {0x8A, 0x0160}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090},
      {0x93, 0x201C}, {0x99, 0x2122}, {0x9D, 0x009D}, {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xB0, 0x00B0}, {0xFF, 0x00FF},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(int(C.Byte));
    EXPECT_EQ(Wide.at(C.Byte).unicode(), C.Ch);
    EXPECT_EQ(ToAnsi(QString(QChar(C.Ch))), AnsiString(1, static_cast<char>(C.Byte)));
  }
  // Characters the code page has no byte for.
  EXPECT_EQ(ToAnsi(Q(u"a\u0080b\u20ACc\u4E2D")), AnsiString("a?b\x80"
                                                            "c?"));
  EXPECT_EQ(ToAnsi(Q(u"x\U0001F600y")), AnsiString("x?y"));
  EXPECT_EQ(ToAnsi(Q(u"\xD800")), AnsiString("?")); // a lone surrogate
  // Longer texts go eight ASCII characters at a time until the first that
  // is not ASCII, wherever it falls.
  const String Long = Q(u"Depth 12.345 m, 10.5\u00b0C, \u20ac1 \U0001F600 and plain text after it");
  const AnsiString LongBytes("Depth 12.345 m, 10.5\xb0"
                             "C, \x80"
                             "1 ? and plain text after it");
  EXPECT_EQ(ToAnsi(Long), LongBytes);
  EXPECT_EQ(FromAnsi(AnsiString("Depth 12.345 m, 10.5\xb0"
                                "C, \x80"
                                "1 and plain text after it")),
            Q(u"Depth 12.345 m, 10.5\u00b0C, \u20ac1 and plain text after it"));
}

} // namespace

TEST(Strings, IsValidIdent)
{
  const struct {
    const char* Text;
    bool Valid;
  } Cases[] = {{"SioComPort1", true}, {"_x", true},   {"A", true},    {"", false},
               {"1abc", false},       {"a b", false}, {"a.b", false}, {"\xc3\xa9t\xc3\xa9", false}};
  for (const auto& C : Cases)
    EXPECT_EQ(IsValidIdent(QString::fromUtf8(C.Text)), C.Valid) << C.Text;
}

TEST(StringsTest, StrCmpLogicalComparesDigitRunsByValue)
{
  struct Case {
    const char* A;
    const char* B;
    int Expected;
  };
  const Case Cases[] = {
      {"file9", "file10", -1}, {"File2", "file10", -1}, {"a01", "a1", 1}, {"a1", "a1", 0},
      {"abc", "ABC", 1},       {"x", "x1", -1},         {"10", "9b", 1},  {"", "0", -1},
  };
  for (const Case& C : Cases) {
    const String A = QString::fromLatin1(C.A), B = QString::fromLatin1(C.B);
    EXPECT_EQ(StrCmpLogical(A, B), C.Expected) << C.A << " " << C.B;
    EXPECT_EQ(StrCmpLogical(B, A), -C.Expected) << C.B << " " << C.A;
  }
}
