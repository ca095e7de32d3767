// The current row, scrolling a cell into view, the parked selection and
// the selected text.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "platform/Forms.h"
#include "platform/tests/QtTestApp.h"

#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A grid in a window, 200 rows of 20 pixels, rows 30 to 89 hidden: a cell
// far below the view comes into view at the place asked for, counted in
// display rows.
TEST(View, ScrollingACellIntoViewPastHiddenRows)
{
  EnsureQtApplication();
  TForm Form(nullptr);
  Form.SetBounds(10, 10, 400, 300);
  auto* G = new TZurEvoderOzod(&Form);
  G->SetParent(&Form);
  G->SetBounds(0, 0, 380, 262);
  G->SetScrollBars(ssNone);
  G->SetColCount(20);
  G->SetRowCount(200);
  G->SetDefaultRowHeight(20);
  G->SetDefaultColWidth(60);
  for (int32_t R = 1; R < 200; ++R)
    G->SetCells(1, R, QString::number(R));
  G->HideRows(30, 89);
  Form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Handle()));
  ASSERT_EQ(G->RowCount(), 140);
  const int32_t Visible = G->VisibleRowCount();
  ASSERT_GT(Visible, 5);

  struct Case {
    int32_t Row;
    TScrollPosition Position;
    int32_t Top; // -1: the last rows stay in view
  };
  const std::vector<Case> Cases = {
      {100, spLeading, 100}, {100, spMiddle, 100 - Visible / 2}, {100, spTrailing, 101 - Visible}, {139, spMiddle, -1},
      {20, spLeading, 20},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.Row) + " " + std::to_string(C.Position));
    G->SetTopRow(1);
    G->ScrollInView(3, C.Row, C.Position);
    EXPECT_EQ(G->Row(), C.Row);
    if (C.Top >= 0)
      EXPECT_EQ(G->TopRow(), C.Top);
    EXPECT_GE(C.Row, G->TopRow());
    EXPECT_LT(C.Row, G->TopRow() + Visible + 1);
    // The row shown is the real row the display row stands for.
    EXPECT_EQ(G->Cells(1, C.Row).toStdString(), std::to_string(G->RealRowIndex(C.Row)));
  }
  EXPECT_EQ(G->Cells(1, 100).toStdString(), "160");
  // Beyond the grid nothing moves.
  const int32_t Top = G->TopRow();
  G->ScrollInView(3, 140, spLeading);
  EXPECT_EQ(G->TopRow(), Top);
  // A column out of view becomes the current column.
  G->ScrollInView(15, 5, spLeading);
  EXPECT_EQ(G->Col(), 15);
  EXPECT_LE(G->LeftCol(), 15);
  EXPECT_GT(G->LeftCol() + G->VisibleColCount(), 15);
}

TEST(View, TheCurrentRowAndItsEvent)
{
  TZurEvoderOzod G(nullptr);
  G.SetRowCount(10);
  std::vector<std::pair<int32_t, int32_t>> Changes;
  G.OnRowChanged = [&](TObject*, int32_t Old, int32_t New) { Changes.emplace_back(Old, New); };
  G.SetRow(0); // below the fixed rows: the first normal row
  EXPECT_EQ(G.Row(), 1);
  G.SetRow(4);
  G.SetRow(4);
  G.SetRow(7);
  EXPECT_EQ(Changes, (std::vector<std::pair<int32_t, int32_t>>{{1, 4}, {4, 7}}));
  G.SetTopRowEx(0); // outside: ignored
  EXPECT_EQ(G.TopRow(), 1);
  // A synchronised grid follows the row.
  TZurEvoderOzod Other(nullptr);
  Other.SetRowCount(10);
  G.SyncGrid()->SetGrid(&Other);
  G.SyncGrid()->SetSelectionRow(true);
  G.SetRow(5);
  EXPECT_EQ(Other.Row(), 5);
}

TEST(View, ParkedSelectionAndSelectedText)
{
  TZurEvoderOzod G(nullptr);
  G.SetColCount(4);
  G.SetRowCount(5);
  G.SetCells(1, 1, QStringLiteral("a"));
  G.SetCells(2, 1, QStringLiteral("b"));
  G.SetCells(1, 2, QStringLiteral("c"));
  G.SetCells(2, 2, QStringLiteral("{\\rtf1 d}"));
  G.SelectCells(1, 1, 2, 2);
  EXPECT_EQ(G.SelectedText().toStdString(), "a\tb\r\nc\td");
  EXPECT_TRUE(G.IsSelected(2, 2));

  G.HideSelection();
  EXPECT_TRUE(G.IsSelectionHidden());
  for (int32_t C = 0; C < 4; ++C)
    for (int32_t R = 0; R < 5; ++R)
      EXPECT_FALSE(G.IsSelected(C, R)) << C << "," << R;
  G.UnHideSelection();
  EXPECT_FALSE(G.IsSelectionHidden());
  EXPECT_EQ(G.Selection(), (TGridRect{1, 1, 2, 2}));

  // A selection that no longer fits comes back as the first normal cell.
  G.SelectCells(1, 3, 2, 4);
  G.HideSelection();
  G.SetRowCount(3);
  G.UnHideSelection();
  EXPECT_EQ(G.Selection(), (TGridRect{1, 1, 1, 1}));
  G.SetRowCount(5);
  G.SelectCells(1, 1, 2, 2);

  // Selected rows each end their line.
  G.MouseActions()->SetDisjunctRowSelect(true);
  G.SetRowSelect(2, true);
  EXPECT_EQ(G.SelectedText().toStdString(), "c\td\r\n");
  // Disjunct cells.
  G.MouseActions()->SetDisjunctRowSelect(false);
  G.MouseActions()->SetDisjunctCellSelect(true);
  G.SelectCells(2, 3, 3, 3);
  EXPECT_TRUE(G.IsSelected(3, 3));
  EXPECT_FALSE(G.IsSelected(1, 3));
}
