// The binary record layout the grid's exchange format is made of, byte for
// byte, with small stand-ins for its record classes.
#include "StreamTestClasses.h"

#include "platform/Filer.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// Builds expected bytes from readable pieces.
class TBytes {
public:
  TBytes& Raw(std::initializer_list<int> Bytes)
  {
    for (int B : Bytes)
      FData.append(static_cast<char>(B));
    return *this;
  }
  TBytes& Text(const char* S)
  {
    FData.append(S);
    return *this;
  }
  // Length byte and the text.
  TBytes& Short(const char* S)
  {
    FData.append(static_cast<char>(std::strlen(S)));
    FData.append(S);
    return *this;
  }
  TBytes& Int32(int32_t V)
  {
    for (int I = 0; I < 4; ++I)
      FData.append(static_cast<char>((static_cast<uint32_t>(V) >> (8 * I)) & 0xFF));
    return *this;
  }
  QByteArray Data() const { return FData; }

private:
  QByteArray FData;
};

TEST(GridRecords, CellRecordLayout)
{
  TGridCellIO Rec(nullptr);
  Rec.SetCol(3);
  Rec.SetRow(40000);
  Rec.SetCell(QStringLiteral("abc"));
  Rec.SetHasProp(true);
  const QByteArray Expected = TBytes()
                                  .Text("TPF0")
                                  .Short("TGridCellIO")
                                  .Raw({0})
                                  .Short("Col")
                                  .Raw({2, 3})
                                  .Short("Row")
                                  .Raw({4})
                                  .Int32(40000)
                                  .Short("Cell")
                                  .Raw({6})
                                  .Short("abc")
                                  .Short("HasProp")
                                  .Raw({9})
                                  .Raw({0, 0})
                                  .Data();
  EXPECT_EQ(StreamOf(&Rec).toHex(' '), Expected.toHex(' '));

  // An empty cell text is left out; integers and Booleans are always
  // written.
  TGridCellIO Empty(nullptr);
  const QByteArray EmptyExpected = TBytes()
                                       .Text("TPF0")
                                       .Short("TGridCellIO")
                                       .Raw({0})
                                       .Short("Col")
                                       .Raw({2, 0})
                                       .Short("Row")
                                       .Raw({2, 0})
                                       .Short("HasProp")
                                       .Raw({8})
                                       .Raw({0, 0})
                                       .Data();
  EXPECT_EQ(StreamOf(&Empty).toHex(' '), EmptyExpected.toHex(' '));
}

TEST(GridRecords, CellPropertiesRecordLayout)
{
  TGridCellPropIO Rec(nullptr);
  TTestCellProperties* P = Rec.CellProperties();
  P->SetCellSpanX(-200);
  P->SetAlignment(taCenter);
  P->SetBrushColor(0x00123456);
  P->SetFontName(QStringLiteral("Tahoma"));
  P->SetFontSize(10);
  P->SetFontStyle(0b0011);
  P->SetCellValue(1.5);
  P->SetOwnerCol(9);
  Rec.SetHasGraphic(true);
  const QByteArray Expected = TBytes()
                                  .Text("TPF0")
                                  .Short("TGridCellPropIO")
                                  .Raw({0})
                                  .Short("CellProperties.IsBaseCell")
                                  .Raw({8})
                                  .Short("CellProperties.CellSpanX")
                                  .Raw({3, 0x38, 0xFF})
                                  .Short("CellProperties.Alignment")
                                  .Raw({7})
                                  .Short("taCenter")
                                  .Short("CellProperties.BrushColor")
                                  .Raw({4})
                                  .Int32(0x00123456)
                                  .Short("CellProperties.CellObject")
                                  .Raw({2, 0})
                                  .Short("CellProperties.FontName")
                                  .Raw({6})
                                  .Short("Tahoma")
                                  .Short("CellProperties.FontSize")
                                  .Raw({2, 10})
                                  .Short("CellProperties.FontStyle")
                                  .Raw({11})
                                  .Short("fsBold")
                                  .Short("fsItalic")
                                  .Raw({0})
                                  .Short("CellProperties.CellValue")
                                  .Raw({5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F})
                                  .Short("HasGraphic")
                                  .Raw({9})
                                  .Raw({0, 0})
                                  .Data();
  EXPECT_EQ(StreamOf(&Rec).toHex(' '), Expected.toHex(' '));

  TGridCellPropIO Back(nullptr);
  ReadInto(Expected, &Back);
  EXPECT_EQ(Back.CellProperties()->CellSpanX(), -200);
  EXPECT_EQ(Back.CellProperties()->Alignment(), taCenter);
  EXPECT_EQ(Back.CellProperties()->BrushColor(), 0x00123456);
  EXPECT_EQ(Back.CellProperties()->FontStyle(), 0b0011);
  EXPECT_EQ(Back.CellProperties()->CellValue(), 1.5);
  EXPECT_EQ(Back.CellProperties()->OwnerCol(), 0) << "never stored";
}

TEST(GridRecords, ColourNamesAndEmptySets)
{
  TGridCellPropIO Rec(nullptr);
  Rec.CellProperties()->SetBrushColor(clNone);
  const QByteArray Bytes = StreamOf(&Rec);
  EXPECT_TRUE(Bytes.contains(TBytes().Short("CellProperties.BrushColor").Raw({7}).Short("clNone").Data()));
  EXPECT_TRUE(Bytes.contains(TBytes().Short("CellProperties.FontStyle").Raw({11, 0}).Data()));
  EXPECT_FALSE(Bytes.contains("FontName")) << "an empty string is left out";
  EXPECT_FALSE(Bytes.contains("CellValue")) << "a float of 0 is left out";
}

TEST(GridRecords, IntegerAndStringEncodingsFollowTheValue)
{
  struct TIntCase {
    int32_t Value;
    QByteArray Bytes;
  };
  const TIntCase Ints[] = {
      {127, TBytes().Raw({2, 0x7F}).Data()},          {-128, TBytes().Raw({2, 0x80}).Data()},
      {128, TBytes().Raw({3, 0x80, 0x00}).Data()},    {-32768, TBytes().Raw({3, 0x00, 0x80}).Data()},
      {32768, TBytes().Raw({4}).Int32(32768).Data()},
  };
  for (const TIntCase& C : Ints) {
    TGridCellPropIO Rec(nullptr);
    Rec.CellProperties()->SetFontSize(C.Value);
    const QByteArray Bytes = StreamOf(&Rec);
    EXPECT_TRUE(Bytes.contains(TBytes().Short("CellProperties.FontSize").Data() + C.Bytes)) << C.Value;
  }

  // An unsigned 32-bit value goes as its 32-bit pattern: never beyond
  // type 4, and it reads back unsigned.
  struct TUnsignedCase {
    uint32_t Value;
    QByteArray Bytes;
  };
  const TUnsignedCase Unsigned[] = {
      {200, TBytes().Raw({3, 200, 0}).Data()},
      {0x80000000u, TBytes().Raw({4}).Int32(std::numeric_limits<int32_t>::min()).Data()},
      {0xFFFFFFFFu, TBytes().Raw({2, 0xFF}).Data()},
  };
  for (const TUnsignedCase& C : Unsigned) {
    TGridCellPropIO Rec(nullptr);
    Rec.CellProperties()->SetCellObject(C.Value);
    const QByteArray Bytes = StreamOf(&Rec);
    EXPECT_TRUE(Bytes.contains(TBytes().Short("CellProperties.CellObject").Data() + C.Bytes)) << C.Value;
    TGridCellPropIO Back(nullptr);
    ReadInto(Bytes, &Back);
    EXPECT_EQ(Back.CellProperties()->CellObject(), C.Value);
  }

  struct TStrCase {
    QString Text;
    QByteArray Bytes;
  };
  const QByteArray Long(300, 'x');
  const TStrCase Strings[] = {
      {QStringLiteral("abc"), TBytes().Raw({6}).Short("abc").Data()},
      {QString::fromLatin1(Long), TBytes().Raw({12}).Int32(300).Data() + Long},
      {QStringLiteral("h\u00e9llo"), TBytes().Raw({20}).Int32(6).Data() + QByteArray("h\xC3\xA9llo")},
      // UTF-8 no shorter than twice the character count goes wide.
      {QStringLiteral("\u00e9"), TBytes().Raw({18}).Int32(1).Raw({0xE9, 0x00}).Data()},
      {QStringLiteral("\u65e5\u672c"), TBytes().Raw({18}).Int32(2).Raw({0xE5, 0x65, 0x2C, 0x67}).Data()},
  };
  for (const TStrCase& C : Strings) {
    TGridCellIO Rec(nullptr);
    Rec.SetCell(C.Text);
    const QByteArray Bytes = StreamOf(&Rec);
    EXPECT_TRUE(Bytes.contains(TBytes().Short("Cell").Data() + C.Bytes)) << C.Text.left(10).toStdString();
    TGridCellIO Back(nullptr);
    ReadInto(Bytes, &Back);
    EXPECT_EQ(Back.Cell(), C.Text);
  }
}

TEST(GridRecords, BrokenRecordsStopWithTheFrameworkMessages)
{
  TGridCellIO Rec(nullptr);
  EXPECT_EQ(ReadErrorOf(QByteArray("TPF1\x0BTGridCellIO\x00\x00\x00", 19), &Rec),
            QStringLiteral("Invalid stream format"));
  const QByteArray Unknown =
      TBytes().Text("TPF0").Short("TGridCellIO").Raw({0}).Short("Foo").Raw({2, 1}).Raw({0, 0}).Data();
  EXPECT_EQ(ReadErrorOf(Unknown, &Rec), QStringLiteral("Error reading TGridCellIO.Foo: Property Foo does not exist"));
}

} // namespace
