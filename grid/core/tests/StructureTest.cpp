// Inserting, removing, moving and swapping rows and columns: where every
// text, record and cell graphic ends up, on a grid with a hidden column, a
// hidden row, a merged range and cell objects.
#include "grid/core/ZurEvoderOzod.h"

#include "Tracked.h"

#include "grid/base/CellProperties.h"
#include "grid/base/IntList.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

struct TPos {
  int32_t Col = -1, Row = -1;
  bool operator==(const TPos&) const = default;
};

std::ostream& operator<<(std::ostream& S, const TPos& P) { return S << '(' << P.Col << ", " << P.Row << ')'; }

constexpr TPos Nowhere{};

QString Text(int32_t C, int32_t R) { return QStringLiteral("r%1c%2").arg(R).arg(C); }

// 5 columns x 8 rows, one fixed row and column, "r<row>c<col>" in every
// cell; a check box at (1, 3), a red record in column 2 at row 4, a merged
// range of 2 x 2 at (3, 5); then column 2 and row 7 hidden.
std::unique_ptr<TZurEvoderOzod> Fixture()
{
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  G->SetColCount(5);
  G->SetRowCount(8);
  for (int32_t R = 0; R < 8; ++R)
    for (int32_t C = 0; C < 5; ++C)
      G->SetCells(C, R, Text(C, R));
  for (int32_t C = 0; C < 5; ++C)
    G->SetColWidths(C, 40 + 10 * C);
  G->CreateCellGraphic(1, 3)->SetCheckBox(true, false, false, haLeft, vaTop);
  G->GetCellProperties(2, 4)->SetBrushColor(clRed);
  G->MergeCells(3, 5, 2, 2);
  G->HideColumn(2);
  G->HideRow(7);
  return G;
}

// Searches the whole cell store, hidden columns included (rows come back
// first).
TPos Find(TZurEvoderOzod& G, const std::function<bool(int32_t, int32_t)>& Match)
{
  for (int32_t R = 0; R < G.RowCount(); ++R)
    for (int32_t C = 0; C < G.AllColCount(); ++C)
      if (Match(C, R))
        return TPos{C, R};
  return Nowhere;
}

TPos TextAt(TZurEvoderOzod& G, const QString& T)
{
  return Find(G, [&](int32_t C, int32_t R) { return G.GetGridCell(C, R) == T; });
}

TPos CheckBoxAt(TZurEvoderOzod& G)
{
  return Find(G, [&](int32_t C, int32_t R) { return G.GetCellType(C, R) == ctCheckBox; });
}

TPos RedAt(TZurEvoderOzod& G)
{
  return Find(G, [&](int32_t C, int32_t R) {
    return G.HasCellProperties(C, R) && G.GetCellProperties(C, R)->BrushColor() == clRed;
  });
}

TPos MergeBaseAt(TZurEvoderOzod& G)
{
  return Find(G, [&](int32_t C, int32_t R) { return G.IsBaseCell(C, R) && G.CellSpan(C, R) == TPoint{1, 1}; });
}

int32_t HiddenColumn(TZurEvoderOzod& G)
{
  for (int32_t C = 0; C < G.AllColCount(); ++C)
    if (G.IsHiddenColumn(C))
      return C;
  return -1;
}

struct TCase {
  const char* Name;
  std::function<void(TZurEvoderOzod&)> Op;
  int32_t ColCount;
  int32_t HiddenCol;
  TPos StoredRowCell; // "r7c0" of the hidden row, once it is back
  TPos HiddenColCell; // "r1c2", the hidden column's cell in row 1
  TPos CheckBox;
  TPos Red;
  TPos MergeBase;
};

} // namespace

TEST(Structure, EverythingTravelsWithItsRowOrColumn)
{
  // Positions are cell-store (real column, display row) once every row is
  // back. Unchanged by the fixture: r7c0 (0, 7), r1c2 (2, 1), check box
  // (1, 3), red record (2, 4), merge base (3, 5), hidden column 2.
  const TCase Cases[] = {
      {"InsertRows", [](TZurEvoderOzod& G) { G.InsertRows(2, 2); }, 4, 2, {0, 9}, {2, 1}, {1, 5}, {2, 6}, {3, 7}},
      {"RemoveRows", [](TZurEvoderOzod& G) { G.RemoveRows(2, 1); }, 4, 2, {0, 6}, {2, 1}, {1, 2}, {2, 3}, {3, 4}},
      {"MoveRow", [](TZurEvoderOzod& G) { G.MoveRow(3, 6); }, 4, 2, {0, 7}, {2, 1}, {1, 6}, {2, 3}, {3, 4}},
      {"SwapRows", [](TZurEvoderOzod& G) { G.SwapRows(3, 4); }, 4, 2, {0, 7}, {2, 1}, {1, 4}, {2, 3}, {3, 5}},
      {"MoveRows", [](TZurEvoderOzod& G) { G.MoveRows(2, 5, 2); }, 4, 2, {0, 7}, {2, 1}, {1, 4}, {2, 2}, {3, 5}},
      // Display column 1 is real 1, display 3 real 4.
      {"MoveColumn", [](TZurEvoderOzod& G) { G.MoveColumn(1, 3); }, 4, 1, {0, 7}, {1, 1}, {4, 3}, {1, 4}, {2, 5}},
      {"SwapColumns", [](TZurEvoderOzod& G) { G.SwapColumns(1, 3); }, 4, 2, {0, 7}, {2, 1}, {4, 3}, {2, 4}, {3, 5}},
      // Cell-store column 2 is the hidden one.
      {"InsertCols", [](TZurEvoderOzod& G) { G.InsertCols(2, 1); }, 5, 3, {0, 7}, {3, 1}, {1, 3}, {3, 4}, {4, 5}},
      {"RemoveHiddenCol",
       [](TZurEvoderOzod& G) { G.RemoveCols(2, 1); },
       4,
       -1,
       {0, 7},
       Nowhere,
       {1, 3},
       Nowhere,
       {2, 5}},
      {"RemoveShownCol", [](TZurEvoderOzod& G) { G.RemoveCols(1, 1); }, 3, 1, {0, 7}, {1, 1}, Nowhere, {1, 4}, {2, 5}},
      {"AddColumn", [](TZurEvoderOzod& G) { G.AddColumn(); }, 5, 2, {0, 7}, {2, 1}, {1, 3}, {2, 4}, {3, 5}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto G = Fixture();
    C.Op(*G);
    EXPECT_EQ(G->ColCount(), C.ColCount);
    EXPECT_EQ(HiddenColumn(*G), C.HiddenCol);
    G->UnHideRowsAll();
    EXPECT_EQ(G->NumHiddenRows(), 0);
    EXPECT_EQ(TextAt(*G, QStringLiteral("r7c0")), C.StoredRowCell);
    EXPECT_EQ(TextAt(*G, QStringLiteral("r1c2")), C.HiddenColCell);
    EXPECT_EQ(CheckBoxAt(*G), C.CheckBox);
    EXPECT_EQ(RedAt(*G), C.Red);
    EXPECT_EQ(MergeBaseAt(*G), C.MergeBase);
  }
}

TEST(Structure, HiddenCellsOfAStoredRowStayWithTheirColumn)
{
  // The hidden row's cells follow column changes as the shown rows' do.
  struct Case {
    const char* Name;
    std::function<void(TZurEvoderOzod&)> Op;
    TPos Cell; // "r7c4"
  };
  const Case Cases[] = {
      {"MoveColumn", [](TZurEvoderOzod& G) { G.MoveColumn(3, 1); }, {1, 7}},
      {"SwapColumns", [](TZurEvoderOzod& G) { G.SwapColumns(1, 3); }, {1, 7}},
      {"InsertCols", [](TZurEvoderOzod& G) { G.InsertCols(0, 2); }, {6, 7}},
      {"RemoveCols", [](TZurEvoderOzod& G) { G.RemoveCols(1, 2); }, {2, 7}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto G = Fixture();
    C.Op(*G);
    G->UnHideRowsAll();
    EXPECT_EQ(TextAt(*G, QStringLiteral("r7c4")), C.Cell);
  }
}

TEST(Structure, RemovedRowsTakeTheirRecordsButNotTheUsersObjects)
{
  auto G = Fixture();
  bool Freed = false;
  auto* Mine = new TTracked(&Freed);
  G->SetObjectEx(4, 3, Mine);
  G->RemoveRows(3, 1);
  EXPECT_EQ(CheckBoxAt(*G), Nowhere);
  EXPECT_FALSE(Freed);
  delete Mine;

  // With OwnsObjects the grid frees them on clearing.
  auto H = Fixture();
  H->SetOwnsObjects(true);
  H->SetObjectEx(4, 3, new TTracked(&Freed));
  H->ClearRows(3, 1);
  EXPECT_TRUE(Freed);
}

TEST(Structure, RemovingShownRowsAroundAHiddenOneKeepsItBetweenTheSameRows)
{
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  G->SetColCount(2);
  G->SetRowCount(8);
  for (int32_t R = 0; R < 8; ++R)
    G->SetCells(0, R, Text(0, R));
  G->HideRow(3);
  G->HideRow(6);
  // Display rows 2 and 3 are real rows 2 and 4: one before and one after
  // the hidden row 3.
  G->RemoveRows(2, 2);
  G->UnHideRowsAll();
  std::string Order;
  for (int32_t R = 0; R < G->RowCount(); ++R)
    Order += G->Cells(0, R).toStdString().substr(1, 1);
  EXPECT_EQ(Order, "013567");
}

TEST(Structure, MoveRowsByBlocks)
{
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  G->SetColCount(2);
  G->SetRowCount(8);
  for (int32_t R = 0; R < 8; ++R) {
    G->SetCells(0, R, Text(0, R));
    G->SetCells(1, R, Text(1, R));
  }
  G->SetRowHeights(2, 40);
  G->HideColumn(1);
  G->MoveRows(2, 6, 2);
  EXPECT_EQ(G->Cells(1, 4).toStdString(), "r2c1"); // the hidden cell came along
  std::string Order;
  for (int32_t R = 0; R < 8; ++R)
    Order += G->Cells(0, R).toStdString().substr(1, 1);
  EXPECT_EQ(Order, "01452367");
  EXPECT_EQ(G->RowHeights(4), G->DefaultRowHeight()); // moved rows take the default
  G->MoveRows(2, 2, 3);                               // nothing to do
  G->MoveRows(2, 4, 0);
  EXPECT_EQ(G->Cells(0, 2).toStdString(), "r4c0");
}

TEST(Structure, SwappingFreesNothingEvenWhenTheGridOwnsObjects)
{
  auto G = Fixture();
  G->SetOwnsObjects(true);
  bool Freed = false;
  G->SetObjectEx(1, 4, new TTracked(&Freed));
  G->SwapRows(3, 4);
  EXPECT_FALSE(Freed);
  EXPECT_EQ(CheckBoxAt(*G), (TPos{1, 4}));
  EXPECT_NE(G->GetObjectEx(1, 3), nullptr);
  G->SwapColumns(1, 2);
  EXPECT_FALSE(Freed);
}

TEST(Structure, WidthsFollowTheirDisplayColumns)
{
  auto G = Fixture(); // display widths 40, 50, 70, 80 (real 2 hidden, 60)
  G->MoveColumn(1, 3);
  EXPECT_EQ(G->ColWidths(3), 50);
  EXPECT_EQ(G->ColWidths(1), 70);
  G->SwapColumns(0, 3);
  EXPECT_EQ(G->ColWidths(0), 50);
  EXPECT_EQ(G->ColWidths(3), 40);
  G->UnHideColumnsAll();
  EXPECT_EQ(G->ColWidths(1), 60); // the hidden column kept its width
}

TEST(Structure, AppendedRowsAreBlankAndHaveNoRecords)
{
  auto G = Fixture();
  G->SetCells(0, 7, QStringLiteral("beyond")); // a cell beyond the count after hiding
  const int32_t Before = G->RowCount();
  G->AddRow();
  EXPECT_EQ(G->RowCount(), Before + 1);
  for (int32_t C = 0; C < G->AllColCount(); ++C) {
    EXPECT_TRUE(G->GetGridCell(C, Before).isEmpty());
    EXPECT_FALSE(G->HasCellProperties(C, Before));
  }
}

TEST(Structure, RemovalByCheckBoxAndDuplicates)
{
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  G->SetColCount(3);
  G->SetRowCount(6);
  const char* Texts[] = {"head", "abc", "ABC", "abc", "x", "abc"};
  for (int32_t R = 0; R < 6; ++R)
    G->SetCells(1, R, QString::fromLatin1(Texts[R]));
  auto Remaining = [&] {
    std::string S;
    for (int32_t R = 1; R < G->RowCount(); ++R)
      S += G->Cells(1, R).toStdString() + ' ';
    return S;
  };
  G->RemoveDuplicates(1, true);
  EXPECT_EQ(Remaining(), "abc ABC x ");
  G->RemoveDuplicates(1, false);
  EXPECT_EQ(Remaining(), "abc x ");

  for (int32_t R = 1; R < G->RowCount(); ++R)
    G->CreateCellGraphic(2, R)->SetCheckBox(R == 2, false, false, haLeft, vaTop);
  G->RemoveCheckedRows(2, true);
  EXPECT_EQ(Remaining(), "abc ");
}
