// Hidden and suppressed rows and columns, and index mapping between the
// real and the display space.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/IntList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A grid whose cell (c, r) holds "<letter of r><c>" for the first rows.
std::unique_ptr<TZurEvoderOzod> Filled(int32_t Cols, int32_t Rows)
{
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  G->SetColCount(Cols);
  G->SetRowCount(Rows);
  for (int32_t R = 0; R < Rows; ++R)
    for (int32_t C = 0; C < Cols; ++C)
      G->SetCells(C, R, QString(QChar(u'a' + R)) + QString::number(C));
  return G;
}

std::string Col0(TZurEvoderOzod& G)
{
  std::string S;
  for (int32_t R = 0; R < G.RowCount(); ++R)
    S += G.Cells(0, R).isEmpty() ? '.' : G.Cells(0, R).toStdString()[0];
  return S;
}

} // namespace

TEST(Hidden, NothingHiddenMapsToItself)
{
  auto G = Filled(5, 8);
  for (int32_t I = 0; I < 8; ++I) {
    SCOPED_TRACE(I);
    EXPECT_EQ(G->RemapCol(I), I);
    EXPECT_EQ(G->RemapColInv(I), I);
    EXPECT_EQ(G->RemapRow(I), I);
    EXPECT_EQ(G->RemapRowInv(I), I);
  }
  EXPECT_EQ(G->RemapRowInv(-1), -1);
}

TEST(Hidden, ColumnsLeaveTheDisplayButNotTheStore)
{
  auto G = Filled(5, 3);
  G->SetColWidths(2, 77);
  G->SetColWidths(3, 33);
  G->HideColumn(2);
  EXPECT_EQ(G->ColCount(), 4);
  EXPECT_EQ(G->AllColCount(), 5);
  EXPECT_EQ(G->NumHiddenColumns(), 1);
  EXPECT_TRUE(G->IsHiddenColumn(2));
  struct Case {
    int32_t In;
    int32_t Real, Display;
  };
  // Display -> real, real -> display; a hidden real column maps to the
  // display index of the next visible one.
  for (const Case& C : {Case{0, 0, 0}, Case{1, 1, 1}, Case{2, 3, 2}, Case{3, 4, 2}, Case{4, 4, 3}}) {
    SCOPED_TRACE(C.In);
    EXPECT_EQ(G->RemapCol(C.In), C.Real);
    EXPECT_EQ(G->RemapColInv(C.In), C.Display);
  }
  EXPECT_EQ(G->ColWidths(2), 33); // display column 2 shows real column 3
  EXPECT_EQ(G->AllColWidths(2), 77);
  EXPECT_EQ(G->GetCellEx(2, 1).toStdString(), "b2"); // real index reads it
  EXPECT_EQ(G->GetCellEx(G->RealColIndex(2), 1).toStdString(), "b3");

  G->UnHideColumn(2);
  EXPECT_EQ(G->ColCount(), 5);
  EXPECT_EQ(G->ColWidths(2), 77);
  EXPECT_EQ(G->ColWidths(3), 33);
  EXPECT_EQ(G->RemapCol(2), 2);

  // The last visible column is never hidden.
  auto One = Filled(1, 2);
  One->HideColumn(0);
  EXPECT_EQ(One->ColCount(), 1);
  EXPECT_EQ(One->NumHiddenColumns(), 0);
}

TEST(Hidden, RowsGoToTheStoreWithTheirRecordsAndHeights)
{
  auto G = Filled(4, 10);
  G->SetRowHeights(4, 40);
  TCellProperties* Record = G->GetCellProperties(1, 4);
  Record->SetBrushColor(clRed);
  G->HideRows(3, 5);
  EXPECT_EQ(G->RowCount(), 7);
  EXPECT_EQ(G->NumHiddenRows(), 3);
  EXPECT_EQ(Col0(*G), "abcghij");
  struct Case {
    int32_t Display, Real;
  };
  for (const Case& C : {Case{2, 2}, Case{3, 6}, Case{6, 9}}) {
    SCOPED_TRACE(C.Display);
    EXPECT_EQ(G->RealRowIndex(C.Display), C.Real);
    EXPECT_EQ(G->DisplRowIndex(C.Real), C.Display);
  }
  EXPECT_EQ(G->DisplRowIndex(4), 3); // a hidden row maps to the next shown
  EXPECT_TRUE(G->IsHiddenRow(4));
  EXPECT_FALSE(G->IsHiddenRow(6));
  TIntList* Lookup = nullptr;
  EXPECT_TRUE(G->IsHiddenRow(5, Lookup));
  EXPECT_FALSE(G->IsHiddenRow(2, Lookup));
  delete Lookup;
  EXPECT_FALSE(G->HasCellProperties(1, 4));

  G->HideRows(3, 5); // all hidden already: nothing changes
  EXPECT_EQ(G->RowCount(), 7);

  G->UnHideRows(2, 5); // row 2 is shown: nothing comes back
  EXPECT_EQ(G->NumHiddenRows(), 3);

  G->UnHideRows(3, 5);
  EXPECT_EQ(G->RowCount(), 10);
  EXPECT_EQ(G->NumHiddenRows(), 0);
  EXPECT_EQ(Col0(*G), "abcdefghij");
  EXPECT_EQ(G->Cells(3, 5).toStdString(), "f3");
  EXPECT_EQ(G->RowHeights(4), 40);
  EXPECT_EQ(G->GetCellProperties(1, 4), Record);
  EXPECT_EQ(Record->BrushColor(), clRed);
}

TEST(Hidden, HiddenColumnsTravelWithHiddenRows)
{
  auto G = Filled(4, 6);
  G->HideColumn(3);
  G->HideRow(2);
  G->UnHideColumn(3);
  G->UnHideRow(2);
  EXPECT_EQ(G->Cells(3, 2).toStdString(), "c3");
  EXPECT_EQ(Col0(*G), "abcdef");
}

TEST(Hidden, SingleRowsAndRunsComeBackInPlace)
{
  auto G = Filled(2, 10);
  G->HideRow(7);
  G->HideRows(2, 3);
  EXPECT_EQ(Col0(*G), "abefgij");
  G->UnHideRow(7);
  EXPECT_EQ(Col0(*G), "abefghij");
  G->HideRow(9);
  G->UnHideRowsAll();
  EXPECT_EQ(Col0(*G), "abcdefghij");
}

TEST(Hidden, RowListsHideAFilterLevel)
{
  auto G = Filled(3, 8);
  TIntList List(-1, 0);
  for (int32_t R : {2, 4, 5})
    List.Add(R);
  G->HideRowList(&List);
  EXPECT_EQ(G->RowCount(), 5);
  EXPECT_EQ(Col0(*G), "abdgh");
  EXPECT_EQ(G->FFilterLevel, 1);
  G->UnHideRowList();
  EXPECT_EQ(G->RowCount(), 8);
  EXPECT_EQ(Col0(*G), "abcdefgh");
  EXPECT_EQ(G->NumHiddenRows(), 0);

  // Listing every row leaves the first listed row shown.
  TIntList All(-1, 0);
  for (int32_t R = 0; R < 8; ++R)
    All.Add(R);
  G->FFilterLevel = 0;
  G->HideRowList(&All);
  EXPECT_EQ(G->RowCount(), 1);
  EXPECT_EQ(Col0(*G), "a");

  auto S = Filled(3, 6);
  S->SetFilterType(ftSuppress);
  TIntList Two(-1, 0);
  Two.Add(1);
  Two.Add(3);
  S->HideRowList(&Two);
  EXPECT_EQ(S->RowCount(), 6);
  EXPECT_TRUE(S->IsSuppressedRow(1));
  EXPECT_TRUE(S->IsSuppressedRow(3));
  EXPECT_FALSE(S->IsSuppressedRow(2));
}

TEST(Hidden, SuppressionRemembersSizes)
{
  auto G = Filled(4, 5);
  G->SetRowHeights(2, 30);
  G->SuppressRow(2);
  EXPECT_EQ(G->RowHeights(2), 0);
  EXPECT_TRUE(G->IsSuppressedRow(2));
  G->SetRowHeights(3, 0); // zero height counts as suppressed for rows
  EXPECT_TRUE(G->IsSuppressedRow(3));
  G->UnSuppressRow(2);
  EXPECT_EQ(G->RowHeights(2), 30);

  TZurEvoderOzod Fresh(nullptr);
  Fresh.SetColWidths(1, 0); // never suppressed: not a suppressed column
  EXPECT_FALSE(Fresh.IsSuppressedColumn(1));
  G->SetColWidths(2, 50);
  G->SetColumnOrder();
  G->SuppressColumn(2);
  EXPECT_TRUE(G->IsSuppressedColumn(2));
  G->UnSuppressAllColumns();
  EXPECT_EQ(G->ColWidths(2), 50);
  EXPECT_FALSE(G->IsSuppressedColumn(2));
}
