// Per-cell attributes by array property, rows and rectangles; headers;
// highlights and marks in cell texts; cell checking; fills, swapping and
// hyperlinks.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/ZurEvoderOzodCheck.h"
#include "grid/base/rurutil.h"
#include "platform/Graphics.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Setters, ReadingMakesNoRecordButWordWraps)
{
  TZurEvoderOzod G(nullptr);
  EXPECT_EQ(G.Colors(2, 2), clNone);
  EXPECT_EQ(G.FontColors(2, 2), clNone);
  EXPECT_EQ(G.Alignments(2, 2), taLeftJustify);
  EXPECT_FALSE(G.ReadOnly(2, 2));
  EXPECT_EQ(G.FontNames(2, 2), G.Font()->Name());
  EXPECT_FALSE(G.HasCellProperties(2, 2));
  EXPECT_TRUE(G.WordWraps(2, 2));
  EXPECT_TRUE(G.HasCellProperties(2, 2));
}

TEST(Setters, ArrayPropertiesWriteTheRecord)
{
  TZurEvoderOzod G(nullptr);
  G.SetColors(1, 1, clRed);
  G.SetColorsTo(1, 1, clYellow);
  G.SetGradients(1, 1, GradientHorizontal);
  G.SetFontColors(1, 1, clBlue);
  G.SetFontStyles(1, 1, FontStyleBit(fsBold));
  G.SetFontNames(1, 1, QStringLiteral("Courier New"));
  G.SetAlignments(1, 1, taCenter);
  G.SetReadOnly(1, 1, true);
  G.SetWordWraps(1, 1, false);
  const TCellProperties* CP = G.GetCellProperties(1, 1);
  EXPECT_EQ(CP->BrushColor(), clRed);
  EXPECT_EQ(G.ColorsTo(1, 1), clYellow);
  EXPECT_EQ(G.Gradients(1, 1), GradientHorizontal);
  EXPECT_EQ(G.FontColors(1, 1), clBlue);
  EXPECT_EQ(G.FontStyles(1, 1), FontStyleBit(fsBold));
  EXPECT_EQ(G.FontNames(1, 1).toStdString(), "Courier New");
  EXPECT_EQ(G.Alignments(1, 1), taCenter);
  EXPECT_TRUE(G.ReadOnly(1, 1));
  EXPECT_FALSE(G.WordWraps(1, 1));
  // Without a window a size is set at 96 pixels per inch.
  G.SetFontSizes(1, 1, 10);
  EXPECT_EQ(CP->FontSize(), -13);
  EXPECT_EQ(G.FontSizes(1, 1), 10);
  TFont F;
  F.SetName(QStringLiteral("Arial"));
  F.SetHeight(-20);
  F.SetColor(clGreen);
  G.SetFonts(2, 1, &F);
  EXPECT_EQ(G.GetCellProperties(2, 1)->FontSize(), -20);
  EXPECT_EQ(G.FontColors(2, 1), clGreen);
  // The painter takes them.
  TFont* Cell = G.GetCellFont(1, 1);
  EXPECT_EQ(Cell->Color(), clBlue);
}

TEST(Setters, RowColoursAndRectangles)
{
  TZurEvoderOzod G(nullptr);
  G.SetColCount(5);
  G.SetRowColor(2, clAqua);
  for (int32_t C = 1; C < 5; ++C)
    EXPECT_EQ(G.Colors(C, 2), clAqua) << C;
  EXPECT_EQ(G.Colors(0, 2), clNone); // fixed column untouched
  // Taking the colour away keeps the records of cells that hold something.
  G.SetCells(2, 2, QStringLiteral("text"));
  G.MergeCells(3, 2, 2, 1);
  G.SetRowColor(2, clNone);
  EXPECT_FALSE(G.HasCellProperties(1, 2));
  EXPECT_TRUE(G.HasCellProperties(2, 2));
  EXPECT_EQ(G.Colors(2, 2), clNone);
  EXPECT_TRUE(G.IsMergedCell(3, 2));

  const TGridRect R{1, 3, 3, 4};
  G.SetAlignment(R, taRightJustify);
  EXPECT_TRUE(G.IsAlignment(R, taRightJustify));
  G.SetAlignments(2, 4, taCenter);
  EXPECT_FALSE(G.IsAlignment(R, taRightJustify));
  G.SetFontStyle(R, fsItalic, true);
  EXPECT_TRUE(G.IsFontStyle(R, fsItalic));
  G.SetFontStyle(TGridRect{1, 3, 1, 3}, fsItalic, false);
  EXPECT_FALSE(G.IsFontStyle(R, fsItalic));
  G.SetCellColor(R, clLime);
  G.SetCellTextColor(R, clNavy);
  EXPECT_EQ(G.Colors(3, 4), clLime);
  EXPECT_EQ(G.FontColors(1, 3), clNavy);
  // An empty rectangle changes nothing and holds any alignment.
  const TGridRect Empty{3, 1, 1, 1};
  G.SetCellColor(Empty, clRed);
  EXPECT_EQ(G.Colors(2, 1), clNone);
  EXPECT_TRUE(G.IsAlignment(Empty, taCenter));
}

TEST(Setters, HeadersFromTheirLists)
{
  TZurEvoderOzod G(nullptr);
  G.SetColCount(4);
  G.ColumnHeaders()->Add(QStringLiteral("Name"));
  G.ColumnHeaders()->Add(QStringLiteral("Depth\\nm"));
  EXPECT_EQ(G.Cells(1, 0).toStdString(), "Depth\rm");
  G.HideColumn(1); // headers go by the store's columns
  G.ColumnHeaders()->Add(QStringLiteral("Salinity"));
  EXPECT_EQ(G.Cells(2, 0).toStdString(), "Salinity");
  G.RowHeaders()->Add(QStringLiteral("#"));
  G.RowHeaders()->Add(QStringLiteral("1"));
  EXPECT_EQ(G.Cells(0, 1).toStdString(), "1");
  G.ClearColumnHeaders();
  EXPECT_TRUE(G.Cells(2, 0).isEmpty());
}

// Search hits wrapped in tags: written only on a change; taking them out
// always writes and gives the text back.
TEST(Setters, HighlightsAndMarks)
{
  struct Case {
    const char* Text;
    const char* Search;
    bool DoCase;
    const char* Highlighted;
  };
  const Case Cases[] = {
      {"Tom & Jerry", "jerry", false, "Tom &amp; <HI>Jerry</HI>"},
      {"depth depth", "DEPTH", false, "<HI>depth</HI> <HI>depth</HI>"},
      {"Depth", "depth", true, "Depth"},
      {"<b>Deep</b> water", "p w", false, "<b>Dee<HI>p</b> w</HI>ater"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    TZurEvoderOzod G(nullptr);
    G.SetCells(1, 1, QString::fromLatin1(C.Text));
    G.HilightInCell(C.DoCase, 1, 1, QString::fromLatin1(C.Search));
    EXPECT_EQ(G.Cells(1, 1).toStdString(), C.Highlighted);
    // Twice gives the same.
    G.HilightInCell(C.DoCase, 1, 1, QString::fromLatin1(C.Search));
    EXPECT_EQ(G.Cells(1, 1).toStdString(), C.Highlighted);
  }
  TZurEvoderOzod G(nullptr);
  G.SetCells(1, 1, QStringLiteral("salinity"));
  G.HilightInCell(false, 1, 1, QStringLiteral("lin"));
  EXPECT_EQ(G.Cells(1, 1).toStdString(), "sa<HI>lin</HI>ity");
  G.UnHilightInCell(1, 1);
  EXPECT_EQ(G.Cells(1, 1).toStdString(), "salinity");
  // Marks in the grid without its fixed cells do not reach hidden
  // columns; taking them out does.
  G.SetColCount(4);
  for (int32_t C = 1; C < 4; ++C)
    G.SetCells(C, 2, QStringLiteral("bad"));
  G.HideColumn(3);
  G.MarkInGrid(false, false, QStringLiteral("bad"));
  EXPECT_EQ(G.Cells(1, 2).toStdString(), "<E>bad</E>");
  EXPECT_EQ(G.Cells(3, 2).toStdString(), "bad");
  G.SetCells(3, 2, QStringLiteral("<e>bad</e>"));
  G.UnMarkInGrid(false);
  EXPECT_EQ(G.Cells(3, 2).toStdString(), "bad");
  EXPECT_EQ(G.Cells(1, 2).toStdString(), "bad");
}

namespace {

// A checker that corrects "teh" and stops after its second dialog.
class TTestChecker : public TZurEvoderOzodCheck {
public:
  TTestChecker() : TZurEvoderOzodCheck(nullptr) {}
  void Correct(int32_t, int32_t, String& Result, const String& Value) override
  {
    Result = QString(Value).replace(QStringLiteral("teh"), QStringLiteral("the"));
    if (++Calls == 2)
      SetLastResult(2);
  }
  int32_t Calls = 0;
};

} // namespace

TEST(Setters, CheckingCellsStopsWhenTheDialogSaysSo)
{
  TZurEvoderOzod G(nullptr);
  G.SetColCount(3);
  G.SetRowCount(3);
  EXPECT_TRUE(G.CheckGrid(false)); // no checker: nothing to do
  TTestChecker Checker;
  Checker.SetUseCorrect(true);
  G.SetCellChecker(&Checker);
  G.SetCells(1, 1, QStringLiteral("teh end"));
  G.SetCells(2, 1, QStringLiteral("fine"));
  G.SetCells(1, 2, QStringLiteral("teh"));
  EXPECT_FALSE(G.CheckGrid(false));
  EXPECT_EQ(Checker.Calls, 2);
  EXPECT_EQ(G.Cells(1, 1).toStdString(), "the end");
  EXPECT_EQ(G.Cells(1, 2).toStdString(), "teh"); // after the stop
  G.SetCellChecker(nullptr);
}

TEST(Setters, FillsSwapsAndHyperlinks)
{
  TZurEvoderOzod G(nullptr);
  G.SetColCount(3);
  G.SetRowCount(3);
  G.FormatFill(false, QStringLiteral("%d-%d"));
  EXPECT_EQ(G.Cells(2, 1).toStdString(), "2-1");
  EXPECT_TRUE(G.Cells(0, 0).isEmpty());
  G.LinearFill(true);
  EXPECT_EQ(G.Cells(0, 2).toStdString(), "0:2");
  G.RandomFill(false, 5);
  EXPECT_LT(G.GetInts(1, 1), 5);
  G.TextFill(false, QStringLiteral("x"));
  EXPECT_EQ(G.Cells(2, 2).toStdString(), "x");

  G.SetCells(1, 1, QStringLiteral("first"));
  G.SetColors(1, 1, clRed);
  G.SetCells(2, 2, QStringLiteral("second"));
  G.SwapCells(TGridCoord{1, 1}, TGridCoord{2, 2});
  EXPECT_EQ(G.Cells(1, 1).toStdString(), "second");
  EXPECT_EQ(G.Colors(2, 2), clRed);
  EXPECT_EQ(G.Colors(1, 1), clNone);

  G.SetCells(1, 2, QStringLiteral("See <a href=\"HTTP://Survey.Example/Log\">The Log</a> now"));
  String URL, Text;
  G.GetHyperlinkDetails(1, 2, URL, Text);
  EXPECT_EQ(URL.toStdString(), "http://survey.example/log");
  EXPECT_EQ(Text.toStdString(), "The Log");
  EXPECT_TRUE(G.HasHyperlink(1, 2));
  G.SetCells(2, 1, QStringLiteral("mail 'mailto:ops@ship' now"));
  EXPECT_EQ(G.GetHyperlink(2, 1).toStdString(), "mailto:ops@ship");
  EXPECT_TRUE(G.GetHyperlink(0, 0).isEmpty());
  G.SetCells(0, 1, QStringLiteral("a\r\nb\r\nc"));
  G.SetMultilinecells(true);
  EXPECT_EQ(G.LinesInCell(0, 1), 3);
}
