#include "StreamTestClasses.h"

#include "platform/ObjectText.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

template <size_t N>
QByteArray Bin(const char (&S)[N])
{
  return QByteArray(S, N - 1);
}

// Every value form the text has, in the shape the converter writes it.
const char* const RichText = "object Form1: TTestRoot\r\n"
                             "  Title = 'It''s'#13#10'two lines'\r\n"
                             "  Names.Strings = (\r\n"
                             "    'a'\r\n"
                             "    ''\r\n"
                             "    #233't'#26085\r\n"
                             "    #65279'xyz')\r\n"
                             "  Empty = ()\r\n"
                             "  Ints = (\r\n"
                             "    0\r\n"
                             "    -128\r\n"
                             "    40000\r\n"
                             "    -9223372036854775808)\r\n"
                             "  Floats = (\r\n"
                             "    0.1\r\n"
                             "    -0.0\r\n"
                             "    1e+300\r\n"
                             "    2.5e-320\r\n"
                             "    0.1s\r\n"
                             "    12.3456c\r\n"
                             "    -922337203685477.5808c\r\n"
                             "    3c\r\n"
                             "    45000.5d\r\n"
                             "    +INF\r\n"
                             "    -INF\r\n"
                             "    +NAN\r\n"
                             "    +INFs)\r\n"
                             "  Color = clRed\r\n"
                             "  Flags = [fsBold, fsItalic]\r\n"
                             "  NoFlags = []\r\n"
                             "  Buddy = Form2.Panel1\r\n"
                             "  Yes = True\r\n"
                             "  No = False\r\n"
                             "  Nothing = nil\r\n"
                             "  Data = {\r\n"
                             "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\r\n"
                             "    FF}\r\n"
                             "  NoData = {}\r\n"
                             "  Long = '0123456789012345678901234567890123456789012345678901234567890123' +\r\n"
                             "    '4567'\r\n"
                             "  Items = <\r\n"
                             "    item\r\n"
                             "      Caption = 'x'\r\n"
                             "      Sub.Value = 1\r\n"
                             "    end\r\n"
                             "    item [5]\r\n"
                             "    end>\r\n"
                             "  NoItems = <>\r\n"
                             "  object Panel1: TTestPanel\r\n"
                             "    inherited Child1: TTestChild [2]\r\n"
                             "    end\r\n"
                             "    inline TTestChild\r\n"
                             "    end\r\n"
                             "  end\r\n"
                             "end\r\n";

TEST(ObjectText, TextToBinaryAndBackGivesTheSameText)
{
  const QByteArray Binary = TextToBinary(RichText);
  EXPECT_EQ(BinaryToText(Binary), QByteArray(RichText));
}

TEST(ObjectText, WriterStreamsSurviveText)
{
  TTestRoot Root(nullptr);
  Root.SetName(QStringLiteral("Form1"));
  auto* W = new TTestWidget(&Root);
  W->SetName(QStringLiteral("Widget1"));
  W->SetCount(-70000);
  W->SetBig(int64_t(1) << 40);
  W->SetUBig(~uint64_t(0));
  W->SetShape(tsSquare);
  W->SetStyles(0b0110);
  W->SetColor(0x00ABCDEF);
  W->SetRatio(1.0 / 3);
  W->SetScale(0.1f);
  W->SetPrice(-0.0001);
  W->SetWhen(1e-5);
  W->SetCaption(QString(200, QChar(0x263A)) + QStringLiteral("'\"\t"));
  W->SetRaw(AnsiString("\x01raw", 4));
  W->Font()->SetName(QStringLiteral("Courier New"));
  static_cast<TTestItem*>(W->Items()->Add())->SetCaption(QStringLiteral("first"));
  W->Items()->Add();
  W->Lines()->Add(QStringLiteral("l1"));
  W->Blob = QByteArray(100, '\xAB');
  W->Extra = 1 << 20;
  W->SetBuddy(&Root);
  auto* P = new TTestPanel(&Root);
  P->SetName(QStringLiteral("Panel1"));
  (new TTestChild(&Root))->SetParentComponent(P);

  const QByteArray Binary = StreamOf(&Root);
  const QByteArray Text = BinaryToText(Binary);
  EXPECT_EQ(TextToBinary(Text).toHex(), Binary.toHex()) << Text.toStdString();

  TTestRoot Copy(nullptr);
  ReadInto(TextToBinary(Text), &Copy);
  EXPECT_EQ(StreamOf(&Copy), Binary);

  // The text does not tell string value types apart: an 8-bit string
  // beyond ASCII or a WideString comes back in the type the text's
  // characters need, and reads into the same value.
  W->SetRaw(AnsiString("\x01\x80\xff", 3));
  W->SetWide(QStringLiteral("w"));
  TTestRoot Copy2(nullptr);
  ReadInto(TextToBinary(BinaryToText(StreamOf(&Root))), &Copy2);
  auto* W2 = static_cast<TTestWidget*>(Copy2.FindComponent(QStringLiteral("Widget1")));
  EXPECT_EQ(W2->Raw(), W->Raw());
  EXPECT_EQ(W2->Wide(), W->Wide());
}

TEST(ObjectText, SmallObjectReadsAsExpected)
{
  TTestWidget W(nullptr);
  W.SetName(QStringLiteral("W"));
  W.SetShape(tsSquare);
  W.Font()->SetSize(12);
  EXPECT_EQ(BinaryToText(StreamOf(&W)), QByteArray("object W: TTestWidget\r\n"
                                                   "  Always = False\r\n"
                                                   "  Shape = tsSquare\r\n"
                                                   "  Font.Size = 12\r\n"
                                                   "end\r\n"));
}

TEST(ObjectText, KeywordsInAnyCaseAndLooseLayout)
{
  const QByteArray Binary =
      TextToBinary("\xEF\xBB\xBFOBJECT W:TTestWidget Count=3 Caption='a'+'b' Styles=[ fsBold,fsItalic ] END");
  TTestWidget W(nullptr);
  ReadInto(Binary, &W);
  EXPECT_EQ(W.Count(), 3);
  EXPECT_EQ(W.Caption(), QStringLiteral("ab"));
  EXPECT_EQ(W.Styles(), 0b0011);
  EXPECT_EQ(W.Name(), QStringLiteral("W"));
  EXPECT_EQ(TextToBinary("object W: TTestWidget\n  Count = $FF\nend"),
            TextToBinary("object W: TTestWidget\n  Count = 255\nend"));
}

TEST(ObjectText, MalformedTextIsRejectedWithItsLine)
{
  struct TCase {
    const char* Text;
    const char* Message;
  };
  const TCase Cases[] = {
      {"", "'object' expected on line 1"},
      {"thing X: TFoo\nend", "'object' expected on line 1"},
      {"object X: TFoo\n  A = 'open\nend", "Invalid string constant on line 2"},
      {"object X: TFoo\n  A 1\nend", "'=' expected on line 2"},
      {"object X: TFoo\n\n  A = {0G}\nend", "Invalid binary value on line 3"},
      {"object X: TFoo\n  A = {ABC}\nend", "Invalid binary value on line 2"},
      {"object X: TFoo\n  A = 12abc\nend", "Invalid numeric value on line 2"},
      {"object X: TFoo\n  A = 99999999999999999999\nend", "Invalid numeric value on line 2"},
      {"object X: TFoo\n  A = [a b]\nend", "',' expected on line 2"},
      {"object X: TFoo\n  A = <thing>\nend", "'item' expected on line 2"},
      {"object X: TFoo\n  A = (1 2", "')' expected on line 2"},
      {"object X: TFoo\n  A = = \nend", "Invalid property value on line 2"},
      {"object X: TFoo\n  A = 'x' + 1\nend", "String expected on line 2"},
      {"object X: TFoo\n  A = #1114112\nend", "Invalid string constant on line 2"},
      {"object X: TFoo\n  A =", "Unexpected end of file on line 2"},
  };
  for (const TCase& C : Cases) {
    try {
      TextToBinary(C.Text);
      ADD_FAILURE() << C.Text;
    } catch (const EParserError& E) {
      EXPECT_EQ(E.Message(), QString::fromLatin1(C.Message)) << C.Text;
    }
  }
  // A class name must not reach the prefix bytes (240 and up).
  EXPECT_NO_THROW(TextToBinary("object X: T" + QByteArray(238, 'x') + " end"));
  try {
    TextToBinary("object X: T" + QByteArray(239, 'x') + " end");
    ADD_FAILURE();
  } catch (const EParserError& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Class name too long on line 1"));
  }
}

TEST(ObjectText, NestingIsBounded)
{
  QByteArray Deep = "object X: TFoo\n  A = ";
  Deep += QByteArray(MaxObjectTextDepth, '(');
  Deep += QByteArray(MaxObjectTextDepth, ')');
  Deep += "\nend";
  try {
    TextToBinary(Deep);
    ADD_FAILURE();
  } catch (const EParserError& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Objects nested too deeply on line 2"));
  }
  // One level less is fine both ways.
  QByteArray Ok = "object X: TFoo\n  A = ";
  Ok += QByteArray(MaxObjectTextDepth - 1, '(');
  Ok += QByteArray(MaxObjectTextDepth - 1, ')');
  Ok += "\nend";
  EXPECT_NO_THROW(BinaryToText(TextToBinary(Ok)));
}

TEST(ObjectText, BinaryThatTextCannotCarryIsRejected)
{
  struct TCase {
    const char* Name;
    QByteArray Binary;
  };
  const TCase Cases[] = {
      {"truncated", Bin("TPF0\x04TFoo\x01X\x01")},
      {"bad signature", Bin("TPF9\x04TFoo\x00\x00\x00")},
      {"class name with a blank", Bin("TPF0\x05T Foo\x00\x00\x00")},
      {"property named end", Bin("TPF0\x04TFoo\x00\x03"
                                 "end\x02\x01\x00\x00")},
      {"unknown value type", Bin("TPF0\x04TFoo\x00\x01"
                                 "A\x63\x00\x00")},
      {"identifier with a quote", Bin("TPF0\x04TFoo\x00\x01"
                                      "A\x07\x02"
                                      "a'\x00\x00")},
      {"value list end in place of a value", Bin("TPF0\x04TFoo\x00\x01"
                                                 "A\x00\x00\x00")},
  };
  for (const TCase& C : Cases)
    EXPECT_THROW(BinaryToText(C.Binary), EReadError) << C.Name;
}

} // namespace
