// Cell text as the grid draws it: number formats, the kinds of text, the
// search hit, links, the sort indicator, multi-line cells, buttons shown
// always and the drawing events.
#include "grid/core/ZurEvoderOzod.h"

#include "PaintedGrid.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/core/BackGround.h"
#include "grid/core/GridSettings.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/tests/GoldenImage.h"
#include "platform/tests/QtTestApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(CellText, NumbersFormattedAsTheEventAsks)
{
  struct Case {
    const char* Text;
    const char* Format;
    bool IsFloat;
    const char* Shown;
  };
  const Case Cases[] = {
      {"2", "%.3f", true, "2.000"}, {"12", "%d items", true, "12 items"},
      {"7.6", "%d", true, "7.6"},   {"7.6", "%.2e", true, "7.6E+000"},
      {"abc", "%.3f", true, "abc"}, {"2", "%.3f", false, "2"},
      {"2", "", true, "2"},         {"2.5", "%s", true, "2.5"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.Text) + " " + C.Format);
    TZurEvoderOzod G(nullptr);
    G.SetCells(1, 1, QString::fromLatin1(C.Text));
    G.OnGetFloatFormat = [&C](TObject*, int32_t, int32_t, bool& IsFloat, String& F) {
      IsFloat = C.IsFloat;
      F = QString::fromLatin1(C.Format);
    };
    EXPECT_EQ(G.GetFormattedCell(1, 1).toStdString(), C.Shown);
  }
  TZurEvoderOzod Plain(nullptr);
  Plain.SetCells(1, 1, QStringLiteral("2"));
  EXPECT_EQ(Plain.GetFormattedCell(1, 1).toStdString(), "2"); // no event: the text as it is
}

TEST(CellText, KindsLinksSearchSortMultiLineAndButtons)
{
  TPaintedGrid G(460, 160);
  G.SetColCount(5);
  G.SetRowCount(5);
  G.SetDefaultColWidth(90);
  G.SetColWidths(0, 20);
  G.SetDefaultRowHeight(24);
  G.SetLook(glStandard);
  G.SetHideFocusRect(true);
  G.SetRowHeights(3, 60);
  G.SetCells(1, 0, QStringLiteral("Name"));
  G.SetCells(2, 0, QStringLiteral("Sorted"));
  G.SortSettings()->SetShow(true);
  G.SortSettings()->SetColumn(2);
  G.SortSettings()->SetDirection(sdDescending);
  G.SetURLShow(true);
  G.SetCells(1, 1, QStringLiteral("http://example.org"));
  G.SetCells(2, 1, QStringLiteral("<b>bold</b> &amp; plain"));
  G.SetCells(3, 1, QStringLiteral("secret"));
  G.OnIsPasswordCell = [](TObject*, int32_t ARow, int32_t ACol, bool& P) { P = ARow == 1 && ACol == 3; };
  // The search hit in a cell.
  G.SearchFooter()->SetVisible(true);
  G.FSearchHighlightDown = true;
  G.FSearchText = QStringLiteral("ell");
  G.SetCells(1, 2, QStringLiteral("yellow"));
  G.SetCells(2, 2, QStringLiteral("Helloworld"));
  // A long single line cut with an ellipsis.
  G.SetEnhTextSize(true);
  G.SetWordWrap(false);
  G.SetCells(3, 2, QStringLiteral("a text much too long for its cell"));
  // Three lines at the bottom of a tall cell.
  G.SetMultilinecells(true);
  G.SetCells(1, 3, QStringLiteral("one\r\ntwo\r\nthree"));
  G.OnGetAlignment = [](TObject*, int32_t ARow, int32_t ACol, TAlignment&, TVAlignment& V) {
    if (ARow == 3 && ACol == 1)
      V = vtaBottom;
  };
  // A border asked for by the application.
  G.OnGetCellBorder = [](TObject*, int32_t ARow, int32_t ACol, TPen* P, TCellBorders& B) {
    if (ARow == 3 && ACol == 2) {
      B = SetBit(cbLeft) | SetBit(cbBottom);
      P->SetColor(clRed);
      P->SetWidth(2);
    }
  };
  // Combo buttons shown always in column 4.
  G.ControlLook()->SetControlStyle(csClassic);
  G.ControlLook()->SetDropDownAlwaysVisible(true);
  G.OnGetEditorType = [](TObject*, int32_t ACol, int32_t, TEditorType& E) {
    if (ACol == 4)
      E = edComboList;
  };
  G.SetCells(4, 1, QStringLiteral("pick"));
  G.SetCol(2);
  G.SetRow(4);
  EXPECT_GOLDEN(G.Painted(), QStringLiteral("grid_text"), 16, 40);
}

TEST(CellText, GradientBackgroundUnderTheCells)
{
  TPaintedGrid G(200, 90);
  G.SetColCount(3);
  G.SetRowCount(4);
  G.SetLook(glStandard);
  G.SetHideFocusRect(true);
  G.SetShowSelection(false);
  G.BackGround()->SetDisplay(bdGradientHorz);
  G.BackGround()->SetColor(clWhite);
  G.BackGround()->SetColorTo(clNavy);
  const QImage I = G.Painted();
  // Normal cells follow the grid-wide gradient, darker to the right.
  const TColor Left = PixelOf(I, 70, 40), Right = PixelOf(I, 180, 40);
  EXPECT_GT(GetRValue(Left), GetRValue(Right));
  EXPECT_GT(GetRValue(Left), 150);
}

TEST(CellText, DrawingEventsSeeTheRealColumnAndPaintsAreReported)
{
  TPaintedGrid G(300, 100);
  G.SetColCount(4);
  G.SetRowCount(3);
  G.HideColumn(1);
  std::vector<int32_t> BackgroundCols, ContentCols;
  int32_t Painted = 0;
  G.OnCustomCellBkgDraw = [&](TObject*, TCanvas*, int32_t ACol, int32_t ARow, TGridDrawState, const TRect&, bool P) {
    EXPECT_FALSE(P);
    if (ARow == 1)
      BackgroundCols.push_back(ACol);
  };
  G.OnCustomCellDraw = [&](TObject*, TCanvas*, int32_t ACol, int32_t ARow, TGridDrawState, const TRect&, bool) {
    if (ARow == 1)
      ContentCols.push_back(ACol);
  };
  G.OnPainted = [&](TObject*) { ++Painted; };
  G.Painted();
  EXPECT_EQ(BackgroundCols, (std::vector<int32_t>{0, 2, 3}));
  EXPECT_EQ(ContentCols, BackgroundCols);
  EXPECT_EQ(Painted, 1);
}

TEST(CellText, MeasuredInTheCellsFont)
{
  TPaintedGrid G(300, 200);
  G.SetColCount(3);
  G.SetRowCount(4);
  G.SetCells(1, 1, QStringLiteral("WWWW"));
  G.SetCells(2, 1, QStringLiteral("iiii"));
  const TPoint Wide = G.GetCellTextSize(1, 1, false, false), Narrow = G.GetCellTextSize(2, 1, false, false);
  EXPECT_GT(Wide.X, Narrow.X);
  EXPECT_EQ(Wide.Y, Narrow.Y);
  // A bigger font in the record measures bigger.
  G.GetCellProperties(2, 1)->SetFontSize(-30);
  EXPECT_GT(G.GetCellTextSize(2, 1, false, false).Y, 2 * Wide.Y);
  // Lines: one per line of a multi-line cell, one otherwise.
  G.SetCells(1, 2, QStringLiteral("a\r\nb\r\nc"));
  EXPECT_EQ(G.GetCellTextSize(1, 2, false, false).Y, Wide.Y);
  G.SetMultilinecells(true);
  EXPECT_EQ(G.GetCellTextSize(1, 2, false, false).Y, 3 * Wide.Y);
  // Wrapped in the cell's width, a long text takes several lines.
  G.SetCells(1, 3, QStringLiteral("several words that cannot stand on one line"));
  EXPECT_GT(G.GetCellTextSize(1, 3, false, true).Y, 2 * Wide.Y);
  EXPECT_EQ(G.GetCellTextSize(2, 3, false, true), (TPoint{0, 0}));
}

// A cell is measured as it is drawn: markup and rich-text control words
// stripped, numbers in their format, passwords as their characters. The
// measure of a cell holding the kind of text equals that of a cell holding
// what it shows.
TEST(CellText, MeasuredAsItIsShown)
{
  struct Case {
    const char* Stored;
    const char* Shown;
    bool Password;
  };
  const Case Cases[] = {
      {"<b>Depth</b> in <i>metres</i>", "Depth in metres", false},
      {"{\\rtf1\\ansi Sound velocity\\par}", "Sound velocity", false},
      {"2", "2.0000", false},
      {"secret", "******", true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Stored);
    TPaintedGrid G(300, 100);
    G.SetColCount(3);
    G.SetRowCount(2);
    G.SetCells(1, 1, QString::fromLatin1(C.Stored));
    G.SetCells(2, 1, QString::fromLatin1(C.Shown));
    G.OnGetFloatFormat = [](TObject*, int32_t ACol, int32_t, bool& IsFloat, String& F) {
      IsFloat = ACol == 1;
      F = QStringLiteral("%.4f");
    };
    G.OnIsPasswordCell = [&C](TObject*, int32_t, int32_t ACol, bool& IsPassword) {
      IsPassword = C.Password && ACol == 1;
    };
    EXPECT_EQ(G.ShownCellText(1, 1).toStdString(), C.Shown);
    EXPECT_EQ(G.GetCellTextSize(1, 1, false, false), G.GetCellTextSize(2, 1, false, false));
    // Sized to its content, the column holds the shown text exactly.
    G.AutoSizeCol(1, 0);
    G.AutoSizeCol(2, 0);
    EXPECT_EQ(G.ColWidths(1), G.ColWidths(2));
  }
}
