// Clearing, trimming, colouring, merging and splitting by range, and the
// queries over cells.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "platform/Graphics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::unique_ptr<TZurEvoderOzod> Grid(int32_t Cols, int32_t Rows)
{
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  G->SetColCount(Cols);
  G->SetRowCount(Rows);
  return G;
}

} // namespace

TEST(Range, ClearRowsEmptiesTextsRecordsAndCellObjectsOfHiddenColumnsToo)
{
  struct Case {
    const char* Name;
    bool TextOnly;
    bool RecordsStay;
  };
  for (const Case& C : {Case{"all", false, false}, Case{"text only", true, true}}) {
    SCOPED_TRACE(C.Name);
    auto G = Grid(4, 8);
    for (int32_t Col = 0; Col < 4; ++Col)
      G->SetCells(Col, 5, QStringLiteral("x"));
    G->GetCellProperties(1, 5)->SetBrushColor(clRed);
    G->CreateCellGraphic(2, 5)->SetCheckBox(true, false, false, haLeft, vaTop);
    G->GetCellProperties(3, 5)->SetBrushColor(clBlue);
    G->SetCells(1, 6, QStringLiteral("next row"));
    G->HideColumn(3);
    G->SetClearTextOnly(C.TextOnly);
    G->ClearRows(5, 1);
    for (int32_t Col = 0; Col < 4; ++Col)
      EXPECT_TRUE(G->GetGridCell(Col, 5).isEmpty());
    EXPECT_EQ(G->HasCellProperties(1, 5), C.RecordsStay);
    EXPECT_EQ(G->HasCellProperties(3, 5), C.RecordsStay); // the hidden column's
    EXPECT_EQ(G->GetCellType(2, 5), C.RecordsStay ? ctCheckBox : ctEmpty);
    EXPECT_EQ(G->GetGridCell(1, 6).toStdString(), "next row");
  }
}

TEST(Range, ClearingEverythingReportsNoRecordsLeftOnlyWhenNoneAre)
{
  auto G = Grid(4, 4);
  G->GetCellProperties(1, 1)->SetBrushColor(clRed);
  G->GetCellProperties(3, 2)->SetBrushColor(clRed);
  G->HideColumn(3);
  // The shown columns only: the hidden column's record is still there.
  G->ClearRect(0, 0, G->ColCount() - 1, G->RowCount() - 1);
  EXPECT_TRUE(G->FHasCellProps);
  EXPECT_TRUE(G->HasCellProperties(3, 2));
  G->Clear();
  EXPECT_FALSE(G->FHasCellProps);
  EXPECT_FALSE(G->HasCellProperties(3, 2));
}

TEST(Range, ClearingAnnouncesTheChangedCells)
{
  auto G = Grid(4, 6);
  std::vector<TRect> Seen;
  G->OnCellsChanged = [&](TObject*, const TRect& R) { Seen.push_back(R); };
  G->ClearRows(2, 2);
  ASSERT_EQ(Seen.size(), 1u);
  EXPECT_EQ(Seen[0], (TRect{0, 2, 3, 3}));
  G->ClearRect(3, 3, 2, 3); // reversed: nothing
  G->ClearRows(1, 0);
  EXPECT_EQ(Seen.size(), 1u);
}

TEST(Range, ClearAllReachesEveryCellTheGridEverHad)
{
  auto G = Grid(6, 10);
  G->SetCells(5, 9, QStringLiteral("far"));
  G->GetCellProperties(5, 9)->SetBrushColor(clRed);
  G->SetColCount(3);
  G->SetRowCount(4);
  G->HideColumn(1);
  G->HideRow(2);
  G->ClearAll();
  EXPECT_EQ(G->NumHiddenColumns(), 0);
  EXPECT_EQ(G->NumHiddenRows(), 0);
  G->SetColCount(6);
  G->SetRowCount(10);
  EXPECT_TRUE(G->GetGridCell(5, 9).isEmpty());
  EXPECT_FALSE(G->HasCellProperties(5, 9));
}

TEST(Range, SelectionIsClearedThroughItsDisplayColumns)
{
  auto G = Grid(5, 5);
  for (int32_t C = 0; C < 5; ++C)
    G->SetCells(C, 2, QString::number(C));
  G->HideColumn(1);
  G->SetSelection(TGridRect{1, 2, 2, 2}); // display 1, 2 = real 2, 3
  G->ClearSelection();
  EXPECT_EQ(G->GetGridCell(1, 2).toStdString(), "1");
  EXPECT_TRUE(G->GetGridCell(2, 2).isEmpty());
  EXPECT_TRUE(G->GetGridCell(3, 2).isEmpty());
  EXPECT_EQ(G->GetGridCell(4, 2).toStdString(), "4");
  EXPECT_FALSE(G->SaveHiddenCells());
}

TEST(Range, TrimmingRemovesBlanksAndControlCharacters)
{
  auto G = Grid(3, 3);
  G->SetCells(1, 1, QStringLiteral("  a b \t"));
  G->SetCells(2, 1, QStringLiteral("\r\nx"));
  G->SetCells(1, 2, QStringLiteral(" keep "));
  G->TrimRow(1);
  EXPECT_EQ(G->Cells(1, 1).toStdString(), "a b");
  EXPECT_EQ(G->Cells(2, 1).toStdString(), "x");
  EXPECT_EQ(G->Cells(1, 2).toStdString(), " keep ");
  G->TrimColumn(1);
  EXPECT_EQ(G->Cells(1, 2).toStdString(), "keep");
}

TEST(Range, TakingTheColourAwayKeepsRecordsInUse)
{
  auto G = Grid(5, 5);
  G->CreateCellGraphic(1, 1)->SetCheckBox(true, false, false, haLeft, vaTop);
  G->GetCellProperties(1, 1)->SetBrushColor(clRed);
  G->GetCellProperties(2, 1)->SetFontStyle(FontStyleBit(fsBold));
  G->GetCellProperties(2, 1)->SetBrushColor(clRed);
  G->MergeCells(3, 1, 2, 2);
  G->ColorRect(1, 1, 4, 2, clYellow);
  EXPECT_EQ(G->GetCellProperties(4, 2)->BrushColor(), clYellow);

  G->ColorRect(0, 0, 4, 2, clNone);
  EXPECT_EQ(G->GetCellType(1, 1), ctCheckBox);
  EXPECT_EQ(G->GetCellProperties(1, 1)->BrushColor(), clNone);
  EXPECT_EQ(G->GetCellProperties(2, 1)->FontStyle(), FontStyleBit(fsBold));
  EXPECT_EQ(G->CellSpan(3, 1), (TPoint{1, 1}));
  EXPECT_FALSE(G->HasCellProperties(0, 0)); // no record made to hold no colour
}

TEST(Range, MergingRunsOfEqualTexts)
{
  auto G = Grid(5, 6); // one fixed row and column
  const char* Down[] = {"h", "a", "a", "b", "b", "b"};
  for (int32_t R = 0; R < 6; ++R)
    G->SetCells(1, R, QString::fromLatin1(Down[R]));
  G->MergeColumnCells(1, true);
  EXPECT_EQ(G->CellSpan(1, 1), (TPoint{0, 1}));
  EXPECT_EQ(G->CellSpan(1, 3), (TPoint{0, 2}));
  EXPECT_FALSE(G->IsMergedCell(1, 0)); // the fixed row is left out
  G->SplitColumnCells(1);
  EXPECT_FALSE(G->IsMergedCell(1, 1));
  EXPECT_FALSE(G->IsMergedCell(1, 4));

  const char* Along[] = {"h", "a", "b", "b"};
  auto H = Grid(4, 3);
  for (int32_t C = 0; C < 4; ++C)
    H->SetCells(C, 1, QString::fromLatin1(Along[C]));
  H->MergeRowCells(1, true);
  EXPECT_EQ(H->CellSpan(1, 1), (TPoint{0, 0})); // a range of its own
  EXPECT_EQ(H->BaseCell(3, 1), (TPoint{2, 1}));
  EXPECT_EQ(H->CellSpan(2, 1), (TPoint{1, 0}));
  H->SplitAllCells();
  EXPECT_FALSE(H->IsMergedCell(2, 1));
  EXPECT_FALSE(H->IsMergedCell(3, 1));
}

TEST(Range, MergingTwoColumnsJoinsAndRemovesTheSecond)
{
  auto G = Grid(4, 3);
  G->SetCells(1, 1, QStringLiteral("x"));
  G->SetCells(1, 2, QStringLiteral("y"));
  G->SetCells(2, 2, QStringLiteral("z"));
  G->SetCells(3, 1, QStringLiteral("last"));
  G->MergeCols(1, 2, QStringLiteral(" "));
  EXPECT_EQ(G->ColCount(), 3);
  EXPECT_EQ(G->Cells(1, 1).toStdString(), "x");
  EXPECT_EQ(G->Cells(1, 2).toStdString(), "y z");
  EXPECT_EQ(G->Cells(2, 1).toStdString(), "last");
}

TEST(Range, FindingCellsAndTheUsedArea)
{
  auto G = Grid(5, 8);
  EXPECT_EQ(G->GetUsedCells(), (TRect{0, 0, 0, 0}));
  G->SetCells(3, 5, QStringLiteral("Abc"));
  EXPECT_EQ(G->GetUsedCells(), (TRect{3, 5, 3, 5}));
  G->SetCells(1, 6, QStringLiteral("Abc"));
  G->SetCells(4, 2, QStringLiteral("abc"));
  EXPECT_EQ(G->GetUsedCells(), (TRect{1, 2, 4, 6}));

  int32_t C = -7, R = -7;
  EXPECT_FALSE(G->IsCell(QStringLiteral("ABC"), C, R));
  EXPECT_EQ(C, -7);
  EXPECT_TRUE(G->IsCell(QStringLiteral("Abc"), C, R));
  EXPECT_EQ((TPoint{C, R}), (TPoint{3, 5})); // topmost first, then leftmost
  G->SetCells(2, 2, QStringLiteral("|\\0041"));
  EXPECT_TRUE(G->IsWideCell(2, 2));
  EXPECT_FALSE(G->IsWideCell(4, 2));
}

TEST(Range, SaveRangeFollowsTheFixedCellSettings)
{
  auto G = Grid(6, 9);
  G->SetFixedRightCols(1);
  G->SetFixedFooters(2);
  struct Case {
    bool Cells, Cols, Rows;
    int32_t StartCol, EndCol, ColCount, StartRow, EndRow, RowCount;
  };
  for (const Case& C : {Case{true, false, false, 0, 5, 6, 0, 8, 9}, Case{false, false, false, 1, 4, 4, 1, 6, 6},
                        Case{false, true, false, 0, 5, 6, 1, 6, 6}, Case{false, false, true, 1, 4, 4, 0, 8, 9}}) {
    G->SetSaveFixedCells(C.Cells);
    G->SetSaveFixedCols(C.Cols);
    G->SetSaveFixedRows(C.Rows);
    EXPECT_EQ(G->GetSaveStartCol(), C.StartCol);
    EXPECT_EQ(G->GetSaveEndCol(), C.EndCol);
    EXPECT_EQ(G->GetSaveColCount(), C.ColCount);
    EXPECT_EQ(G->GetSaveStartRow(), C.StartRow);
    EXPECT_EQ(G->GetSaveEndRow(), C.EndRow);
    EXPECT_EQ(G->GetSaveRowCount(), C.RowCount);
  }
}
