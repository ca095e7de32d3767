#include "serial/terminal/TerminalMappings.h"

#include "platform/Resources.h"
#include "rtl/Exceptions.h"
#include "rtl/StringList.h"
#include "serial/terminal/SioTerminalParser.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <utility>
#include <vector>

namespace {

class MappingFiles : public testing::Test {
protected:
  String Path(const char* Name) const { return Dir.filePath(QLatin1String(Name)); }
  String WriteText(const char* Name, const QByteArray& Text) const
  {
    QFile F(Path(Name));
    EXPECT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Text);
    return Path(Name);
  }
  QByteArray ReadBytes(const String& Name) const
  {
    QFile F(Name);
    EXPECT_TRUE(F.open(QIODevice::ReadOnly));
    return F.readAll();
  }
  QTemporaryDir Dir;
};

// Every run of a draw script, "font:text".
std::vector<std::string> Script(TAdCharSetMapping& M, const char* Set, const AnsiString& Text)
{
  M.GenerateDrawScript(Set, Text);
  std::vector<std::string> Runs;
  TAdKeyString Font;
  AnsiString Run;
  while (M.GetNextDrawCommand(Font, Run))
    Runs.push_back((Font + ":" + Run).toStdString());
  return Runs;
}

TEST(TerminalMappings, ElfHashes)
{
  // Values of the standard ELF hash, worked out apart from this code.
  const std::vector<std::pair<const char*, uint32_t>> Cases = {
      {"", 0}, {"a", 97}, {"VK_UP", 5969056}, {"DEC_KP.k", 160696267}, {"ABCDEFGHIJKLMNOP", 109054432}};
  for (const auto& [S, H] : Cases)
    EXPECT_EQ(HashELF(S), H) << S;
  EXPECT_EQ(HashELFPlusChar("VT100-linedraw", 'a'), 151580183u);
}

// ------------------------------------------------------------ the VT100 resources

TEST(TerminalMappings, Vt100KeyboardResource)
{
  TAdKeyboardMapping M;
  M.LoadFromRes(QStringLiteral("ADVT100KEYMAP"));
  EXPECT_EQ(M.Count(), 221);
  const std::vector<std::pair<const char*, const char*>> Cases = {
      {"\\x08", "VK_BACK"},
      {"\\x26", "VK_UP"},
      {"\\x2B", "VK_EXECUTE"},
      {"\\x2A", ""}, // not a key of the table
      {"\\x30", "VK_0"},
      {"\\x5A", "VK_Z"},
      {"\\x60", "VK_NUMPAD0"},
      {"\\x6F", "VK_DIVIDE"},
      {"\\x70", "VK_F1"},
      {"\\x87", "VK_F24"},
      {"\\x91", "VK_SCROLL"},
      {"VK_UP", "DEC_UPc"},
      {"vk_up", ""}, // keys are case-sensitive
      {"VK_NUMPAD7", "DEC_KP7k"},
      {"ctrl+VK_DECIMAL", "DEC_KP,k"},
      {"shift+VK_EXECUTE", "DEC_LF"},
      {"ctrl+VK_SPACE", "DEC_NULL"},
      {"DEC_UP0", "\\eA"},
      {"DEC_DOWN1", "\\e[B"},
      {"DEC_LEFT2", "\\eOD"},
      {"DEC_PF44", "\\eS"},
      {"DEC_PF15", "\\eOP"},
      {"DEC_KP-3", "-"},
      {"DEC_KP,4", "\\e?l"},
      {"DEC_KP.6", "\\eOn"},
      {"DEC_KP95", "9"},
      {"DEC_KPE3", "\\x0D"},
      {"DEC_KPE4", "\\e?M"},
      {"DEC_NULL", "\\x00"},
      {"DEC_DEL", "\\x7F"},
  };
  for (const auto& [Key, Value] : Cases)
    EXPECT_EQ(M.Get(Key), AnsiString(Value)) << Key;
}

TEST(TerminalMappings, Vt100CharacterSetResource)
{
  TAdCharSetMapping M;
  M.LoadFromRes(QStringLiteral("ADVT100CHARSET"));
  EXPECT_EQ(M.Count(), 603);
  struct Case {
    const char* Set;
    AnsiString Text;
    std::vector<std::string> Runs;
  };
  const std::vector<Case> Cases = {
      {"VT100-linedraw", "aq", {"Terminal:\xB1\xC4"}},
      {"VT100-USASCII", "Az", {"<Default>:Az"}},
      {"VT100-UK",
       "a#b",
       {"<Default>:a\xA3"
        "b"}},
      {"VT100-USASCII",
       "a\xE9"
       "b",
       {"<Default>:a", "Terminal:\xE9", "<Default>:b"}},
      {"VT100-ROM2", "_`~", {"Terminal: \x04\xFA"}},
      {"VT100-ROM1", "~", {"<Default>:~"}},
      {"no such set", "ab", {"<Default>:ab"}},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(Script(M, C.Set, C.Text), C.Runs) << C.Set;
  TStringList Fonts;
  M.GetFontNames(Fonts);
  EXPECT_EQ(Fonts.Count(), 2);
  EXPECT_GE(Fonts.IndexOf(QStringLiteral("<Default>")), 0);
  EXPECT_GE(Fonts.IndexOf(QStringLiteral("Terminal")), 0);
}

TEST(TerminalMappings, DrawScriptKeepsTheLastScriptForEmptyText)
{
  TAdCharSetMapping M;
  M.Add("S", 'a', 'a', "F", 'x');
  M.GenerateDrawScript("S", "ab");
  M.GenerateDrawScript("S", "");
  TAdKeyString Font;
  AnsiString Text;
  ASSERT_TRUE(M.GetNextDrawCommand(Font, Text));
  EXPECT_EQ(Font + ":" + Text, AnsiString("F:x"));
  ASSERT_TRUE(M.GetNextDrawCommand(Font, Text));
  EXPECT_EQ(Font + ":" + Text, AnsiString("<Default>:b"));
  EXPECT_FALSE(M.GetNextDrawCommand(Font, Text));
}

// ------------------------------------------------------------ adding

TEST(TerminalMappings, AddRefusesWhatExists)
{
  TAdKeyboardMapping K;
  EXPECT_TRUE(K.Add("k", "first"));
  EXPECT_FALSE(K.Add("k", "second"));
  EXPECT_EQ(K.Get("k"), AnsiString("first"));
  EXPECT_EQ(K.Count(), 1);
  // Text beyond 63 characters is cut.
  const AnsiString Long(70, 'x');
  EXPECT_TRUE(K.Add(Long, Long));
  EXPECT_EQ(K.Get(Long.left(63)), Long.left(63));
  K.Clear();
  EXPECT_EQ(K.Count(), 0);
  EXPECT_EQ(K.Get("k"), AnsiString());

  TAdCharSetMapping C;
  EXPECT_TRUE(C.Add("S", 'a', 'e', "F", 'A'));
  EXPECT_EQ(C.Count(), 5);
  EXPECT_TRUE(C.Add("S", 'x', 'w', "F", 'A'));  // reversed: empty, adds nothing
  EXPECT_FALSE(C.Add("S", 'e', 'g', "G", 'E')); // overlaps at 'e'
  EXPECT_EQ(C.Count(), 5);
  EXPECT_EQ(Script(C, "S", "fe"), (std::vector<std::string>{"<Default>:f", "F:E"}));
  EXPECT_TRUE(C.Add("T", 'e', 'g', "G", 'E')); // another set
  EXPECT_EQ(C.Count(), 8);
}

// ------------------------------------------------------------ text forms

TEST_F(MappingFiles, KeyboardTextForm)
{
  const String Name = WriteText("keys.txt", "* a comment line\r\n"
                                            "\r\n"
                                            "one 1\r\n"
                                            "   two    2   trailing words\r\n"
                                            "lonely\r\n"
                                            "lonely-with-spaces    \r\n"
                                            "one again\r\n"
                                            "*star x\r\n"
                                            "tab\tkey value\n"
                                            "last \\e[A");
  TAdKeyboardMapping M;
  M.Add("old", "gone");
  M.LoadFromFile(Name);
  const std::vector<std::pair<const char*, const char*>> Cases = {
      {"one", "1"},  {"two", "2"}, {"lonely", ""},        {"lonely-with-spaces", ""},
      {"*star", ""}, {"old", ""},  {"tab\tkey", "value"}, {"last", "\\e[A"},
  };
  for (const auto& [Key, Value] : Cases)
    EXPECT_EQ(M.Get(Key), AnsiString(Value)) << Key;
  EXPECT_EQ(M.Count(), 4);
}

TEST_F(MappingFiles, CharacterSetTextForm)
{
  struct Case {
    const char* Line;
    std::vector<std::string> Runs; // of the text "#abc" in set "VT100-UK" or "My Set"
  };
  const std::vector<Case> Cases = {
      {"VT100-UK '#' '#' <Default> \\xA3", {"<Default>:#abc"}}, // no leading space
      {" VT100-UK '#' '#' <Default> \\xA3",
       {"<Default>:\xA3"
        "abc"}},
      {" VT100-UK # # Terminal \\xA3 and more", {"Terminal:\xA3", "<Default>:abc"}},
      {" VT100-UK a c Terminal \\x41", {"<Default>:#", "Terminal:ABC"}},
      {" 'My Set' a a \"Font Name\" b", {"<Default>:#", "Font Name:b", "<Default>:bc"}},
      {" VT100-UK '#' '#' <Default>", {"<Default>:#abc"}},        // four fields
      {" VT100-UK '#' '#' <Default> '\\xA3", {"<Default>:#abc"}}, // unterminated quote
      {" VT100-UK '' '#' <Default> \\xA3", {"<Default>:#abc"}},   // empty quoted field
      {" VT100-UK # # <Default> \\XA3", {"<Default>:#abc"}},      // upper-case X
      {" VT100-UK # # <Default> \\xG3", {"<Default>:#abc"}},      // not hexadecimal
      {" VT100-UK ab ab <Default> x", {"<Default>:#abc"}},        // two characters
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Line);
    TAdCharSetMapping M;
    M.LoadFromFile(WriteText("set.txt", QByteArray(C.Line) + "\r\n"));
    const char* Set = QByteArray(C.Line).contains("My Set") ? "My Set" : "VT100-UK";
    EXPECT_EQ(Script(M, Set, "#abc"), C.Runs);
  }
}

TEST_F(MappingFiles, MissingTextFileRaises)
{
  TAdKeyboardMapping K;
  EXPECT_THROW(K.LoadFromFile(Path("missing.txt")), EInOutError);
  TAdCharSetMapping C;
  EXPECT_THROW(C.LoadFromFile(Path("missing.txt")), EInOutError);
}

// ------------------------------------------------------------ stored form and resources

TEST_F(MappingFiles, StoredFormRoundTripsThroughAResource)
{
  TAdKeyboardMapping K;
  K.Add("alpha", "1");
  K.Add("beta", "\\e[B");
  K.StoreToBinFile(Path("keys.bin"));
  const QByteArray Bytes = ReadBytes(Path("keys.bin"));
  EXPECT_EQ(Bytes, K.StoredForm());
  EXPECT_TRUE(Bytes.startsWith("AHT3\x02\x00\x00\x00"));
  EXPECT_TRUE(Bytes.endsWith("AHT3"));
  RegisterResource(RT_RCDATA, QStringLiteral("TESTKEYS"), Bytes);
  TAdKeyboardMapping Back;
  Back.LoadFromRes(QStringLiteral("testkeys")); // resource names ignore case
  EXPECT_EQ(Back.Count(), 2);
  EXPECT_EQ(Back.Get("beta"), AnsiString("\\e[B"));

  TAdCharSetMapping C;
  C.Add("S", 'a', 'c', "F", 'x');
  C.StoreToBinFile(Path("set.bin"));
  // Three entries: 4 + 4 + 3 × (2 + 2 + 1 + 1) + 4 bytes.
  EXPECT_EQ(ReadBytes(Path("set.bin")).size(), 30);
  RegisterResource(RT_RCDATA, QStringLiteral("TESTSET"), ReadBytes(Path("set.bin")));
  TAdCharSetMapping CBack;
  CBack.LoadFromRes(QStringLiteral("TESTSET"));
  EXPECT_EQ(CBack.Count(), 3);
  EXPECT_EQ(Script(CBack, "S", "abcd"), (std::vector<std::string>{"F:xyz", "<Default>:d"}));
  UnregisterResource(RT_RCDATA, QStringLiteral("TESTKEYS"));
  UnregisterResource(RT_RCDATA, QStringLiteral("TESTSET"));
}

TEST(TerminalMappings, DamagedResourcesLeaveTheMappingEmpty)
{
  TAdKeyboardMapping Good;
  Good.Add("a", "1");
  Good.Add("b", "2");
  const QByteArray Form = Good.StoredForm();
  struct Case {
    const char* Name;
    QByteArray Data;
  };
  QByteArray BadCount = Form;
  BadCount[4] = char(0x7F); // more entries than there are
  const std::vector<Case> Cases = {
      {"wrong magic", "XHT3" + Form.mid(4)},
      {"wrong trailer", Form.left(Form.size() - 4) + "AHT4"},
      {"cut short", Form.left(Form.size() - 6)},
      {"count too large", BadCount},
      {"empty", QByteArray()},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    RegisterResource(RT_RCDATA, QStringLiteral("DAMAGED"), C.Data);
    TAdKeyboardMapping M;
    M.Add("kept?", "no");
    M.LoadFromRes(QStringLiteral("DAMAGED"));
    EXPECT_EQ(M.Count(), 0);
    EXPECT_EQ(M.Get("a"), AnsiString());
    TAdCharSetMapping S;
    S.Add("S", 'a', 'a', "F", 'b');
    S.LoadFromRes(QStringLiteral("DAMAGED"));
    EXPECT_EQ(S.Count(), 0);
  }
  UnregisterResource(RT_RCDATA, QStringLiteral("DAMAGED"));
  TAdKeyboardMapping Missing;
  Missing.Add("a", "1");
  Missing.LoadFromRes(QStringLiteral("NO SUCH RESOURCE"));
  EXPECT_EQ(Missing.Count(), 0);
}

TEST_F(MappingFiles, TextDumps)
{
  TAdKeyboardMapping K;
  K.Add("a", "1"); // bucket 97 mod 57 = 40
  K.DebugPrint(Path("keys.dump"));
  const QList<QByteArray> Lines = ReadBytes(Path("keys.dump")).split('\n');
  ASSERT_EQ(Lines.size(), 57 + 1 + 1 + 1 + 1); // buckets, entry, empty, count, end
  EXPECT_EQ(Lines[0], "---0---\r");
  EXPECT_EQ(Lines[40], "---40---\r");
  EXPECT_EQ(Lines[41], QByteArray(19, ' ') + "a" + QByteArray(19, ' ') + "1\r");
  EXPECT_EQ(Lines[42], "---41---\r");
  EXPECT_EQ(Lines[58], "\r");
  EXPECT_EQ(Lines[59], "Count: 1 (mean: 0.018)\r");

  TAdCharSetMapping C;
  C.Add("S", 'a', 'a', "F", 'b');
  C.DebugPrint(Path("set.dump"));
  const QByteArray Dump = ReadBytes(Path("set.dump"));
  EXPECT_TRUE(Dump.contains(QByteArray(19, ' ') + "S  97" + QByteArray(19, ' ') + "F  98\r\n"));
  EXPECT_TRUE(Dump.endsWith("\r\nCount: 1 (mean: 0.005)\r\n"));
}

TEST(SioTerminalParser, TheBaseRecognisesNothing)
{
  TSioTerminalParser P(false);
  for (int C = 0; C < 256; ++C)
    EXPECT_EQ(P.ProcessChar(char(C)), pctNone) << C;
  EXPECT_EQ(P.ProcessWideChar(u'\u20AC'), pctNone);
  EXPECT_EQ(P.Command(), 0);
  P.ForceCommand(7);
  EXPECT_EQ(P.Command(), 7);
  EXPECT_EQ(P.Argument(0), 0);
  EXPECT_EQ(P.Sequence(), AnsiString());
}

} // namespace
