// Row sorting of the string grid: by a column in each direction with ties,
// blanks and the column's format; by several columns; what travels with a
// row; the current row; unsorting; the header click's sort state; and
// inputs that used to exhaust the stack or the time.
#include "grid/core/ZurEvoderOzod.h"

#include "Tracked.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/core/ControlLook.h"
#include "grid/core/GridSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

using TTexts = std::vector<std::string>;

// One fixed row ("h0", "h1", ...) and column (row numbers), then a row per
// entry of Rows, each a list of the texts of columns 1, 2, ...
std::unique_ptr<TZurEvoderOzod> Grid(const std::vector<TTexts>& Rows)
{
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  const int32_t Cols = static_cast<int32_t>(Rows.front().size()) + 1;
  G->SetColCount(Cols);
  G->SetRowCount(static_cast<int32_t>(Rows.size()) + 1);
  for (int32_t C = 0; C < Cols; ++C)
    G->SetCells(C, 0, QStringLiteral("h%1").arg(C));
  for (size_t R = 0; R < Rows.size(); ++R) {
    const int32_t Row = static_cast<int32_t>(R) + 1;
    G->SetCells(0, Row, QString::number(Row));
    for (size_t C = 0; C < Rows[R].size(); ++C)
      G->SetCells(static_cast<int32_t>(C) + 1, Row, QString::fromStdString(Rows[R][C]));
  }
  return G;
}

// The texts of store column C in the normal rows.
TTexts Column(TZurEvoderOzod& G, int32_t C)
{
  TTexts Out;
  for (int32_t R = G.FixedRows(); R < G.RowCount(); ++R)
    Out.push_back(G.Cells(C, R).toStdString());
  return Out;
}

} // namespace

TEST(Sort, EachDirectionWithTiesBrokenByTheNextColumns)
{
  struct TCase {
    const char* What;
    bool Full;
    TSortDirection Direction;
    TTexts Keys; // columns 1 and 2 joined, in the expected order
  };
  const std::vector<TTexts> Rows = {{"10", "b"}, {"9", "z"}, {"100", "a"}, {"10", "a"}, {"9", "c"}};
  const TCase Cases[] = {
      {"ascending", true, sdAscending, {"9c", "9z", "10a", "10b", "100a"}},
      {"descending", true, sdDescending, {"100a", "10b", "10a", "9z", "9c"}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.What);
    auto G = Grid(Rows);
    G->SortSettings()->SetFull(C.Full);
    G->Sort(1, C.Direction);
    TTexts Keys;
    for (int32_t R = 1; R < G->RowCount(); ++R)
      Keys.push_back((G->Cells(1, R) + G->Cells(2, R)).toStdString());
    EXPECT_EQ(Keys, C.Keys);
    EXPECT_EQ(G->SortSettings()->Column(), 1);
  }
  // Without Full the second column is never asked.
  auto G = Grid(Rows);
  G->SortSettings()->SetFull(false);
  G->Sort(1, sdAscending);
  const TTexts First = Column(*G, 1);
  EXPECT_EQ(First, (TTexts{"9", "9", "10", "10", "100"}));
}

TEST(Sort, BlanksGoWhereTheSettingsSayInBothDirections)
{
  struct TCase {
    bool IgnoreBlanks;
    TSortBlankPosition Pos;
    TSortDirection Direction;
    TTexts Expected;
  };
  const TCase Cases[] = {
      {true, blLast, sdAscending, {"3", "5", "40", "", ""}},  {true, blLast, sdDescending, {"40", "5", "3", "", ""}},
      {true, blFirst, sdAscending, {"", "", "3", "5", "40"}}, {true, blFirst, sdDescending, {"", "", "40", "5", "3"}},
      {false, blLast, sdAscending, {"", "", "3", "5", "40"}}, {false, blLast, sdDescending, {"40", "5", "3", "", ""}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.IgnoreBlanks << " " << int(C.Pos) << " " << int(C.Direction));
    auto G = Grid({{"5"}, {""}, {"40"}, {""}, {"3"}});
    G->SortSettings()->SetIgnoreBlanks(C.IgnoreBlanks);
    G->SortSettings()->SetBlankPos(C.Pos);
    G->Sort(1, C.Direction);
    EXPECT_EQ(Column(*G, 1), C.Expected);
  }
}

TEST(Sort, ColumnFormatsAndTheApplicationsComparisons)
{
  struct TCase {
    const char* What;
    TSortStyle Style;
    TTexts Cells;
    TTexts Expected;
  };
  const TCase Cases[] = {
      {"automatic, mixed",
       ssAutomatic,
       {"abc", "10", "", "9", "03:00", "01/02"},
       {"", "9", "10", "01/02", "03:00", "abc"}},
      {"numbers with a prefix", ssNumeric, {"$40", "$5", "$100"}, {"$5", "$40", "$100"}},
      {"numbers that stop early", ssNumeric, {"1.5x", "2", "1.4"}, {"1.4", "1.5x", "2"}},
      {"HTML without its tags", ssHTML, {"<b>c</b>", "b", "<i>a</i>"}, {"<i>a</i>", "b", "<b>c</b>"}},
      {"the application's order: longest first", ssCustom, {"bb", "a", "ccc"}, {"ccc", "bb", "a"}},
      {"the application reads the rows: by the other column", ssRaw, {"x", "y", "z"}, {"z", "y", "x"}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.What);
    std::vector<TTexts> Rows;
    for (size_t I = 0; I < C.Cells.size(); ++I)
      Rows.push_back({C.Cells[I], std::to_string(C.Cells.size() - I)});
    auto G = Grid(Rows);
    G->SortSettings()->SetFull(false);
    G->OnGetFormat = [&C](TObject*, int32_t ACol, TSortStyle& Style, String& Prefix, String&) {
      if (ACol == 1) {
        Style = C.Style;
        Prefix = QStringLiteral("$");
      }
    };
    G->OnCustomCompare = [](TObject*, const String& A, const String& B, int32_t& Res) {
      Res = A.length() > B.length() ? -1 : (A.length() < B.length() ? 10 : 0); // any sign will do
    };
    TZurEvoderOzod* Raw = G.get();
    G->OnRawCompare = [Raw](TObject*, int32_t, int32_t R1, int32_t R2, int32_t& Res) {
      Res = Raw->Cells(2, R1).toInt() - Raw->Cells(2, R2).toInt();
    };
    G->Sort(1, sdAscending);
    EXPECT_EQ(Column(*G, 1), C.Expected);
  }
}

TEST(Sort, CheckBoxesAndImagesCompareByStateAndIndex)
{
  auto G = Grid({{"", ""}, {"", ""}, {"", ""}});
  G->CreateCellGraphic(1, 1)->SetCheckBox(true, false, false, haLeft, vaTop);
  G->CreateCellGraphic(1, 2)->SetCheckBox(false, false, false, haLeft, vaTop);
  G->CreateCellGraphic(1, 3)->SetCheckBox(true, false, false, haLeft, vaTop);
  G->Sort(1, sdAscending); // automatic: check boxes are recognised
  EXPECT_FALSE(G->GetCellGraphic(1, 1)->CellBoolean());
  EXPECT_TRUE(G->GetCellGraphic(1, 2)->CellBoolean());
  EXPECT_TRUE(G->GetCellGraphic(1, 3)->CellBoolean());
  EXPECT_EQ(G->ColumnType(1), ctBoolean);

  for (int32_t R = 1; R <= 3; ++R) {
    TCellGraphic* Img = G->CreateCellGraphic(2, R);
    Img->SetCellType(ctImageList);
    Img->SetCellIndex(10 - R);
  }
  G->OnGetFormat = [](TObject*, int32_t ACol, TSortStyle& Style, String&, String&) {
    if (ACol == 2)
      Style = ssImages;
  };
  G->Sort(2, sdAscending);
  EXPECT_EQ(G->GetCellImageIdx(2, 1), 7);
  EXPECT_EQ(G->GetCellImageIdx(2, 3), 9);
}

TEST(Sort, ColumnTypeFromTheFirstTwoNormalRows)
{
  struct TCase {
    TTexts Cells;
    TColumnType Expected;
  };
  const TCase Cases[] = {
      {{"1", "20"}, ctNumeric}, {{"1.5", "2.25"}, ctFloat},   {{"1", "2.5"}, ctAlpha},
      {{"ab", "cd"}, ctAlpha},  {{"12:30", "13:00"}, ctTime},
  };
  for (const TCase& C : Cases) {
    auto G = Grid({{C.Cells[0]}, {C.Cells[1]}});
    EXPECT_EQ(G->ColumnType(1), C.Expected) << C.Cells[0] << " " << C.Cells[1];
  }
}

TEST(Sort, RowsCarryTheirHeightsRecordsObjectsAndHiddenCells)
{
  auto G = Grid({{"c", "r1"}, {"a", "r2"}, {"b", "r3"}});
  G->SetColCount(4);
  for (int32_t R = 1; R <= 3; ++R)
    G->SetCells(3, R, QStringLiteral("hidden%1").arg(R));
  G->SetRowHeights(1, 40);
  G->GetCellProperties(2, 1)->SetBrushColor(clRed);
  bool Freed = false;
  G->SetObjectEx(2, 2, new TTracked(&Freed));
  TObject* Obj = G->GetObjectEx(2, 2);
  G->HideColumn(3);

  G->Sort(1, sdAscending);
  EXPECT_EQ(Column(*G, 1), (TTexts{"a", "b", "c"}));
  EXPECT_EQ(Column(*G, 2), (TTexts{"r2", "r3", "r1"}));
  EXPECT_EQ(Column(*G, 3), (TTexts{"hidden2", "hidden3", "hidden1"}));
  EXPECT_EQ(G->RowHeights(3), 40);
  EXPECT_EQ(G->RowHeights(1), G->DefaultRowHeight());
  EXPECT_EQ(G->GetCellProperties(2, 3)->BrushColor(), clRed);
  EXPECT_EQ(G->GetObjectEx(2, 1), Obj);
  EXPECT_FALSE(Freed); // the pivot's copy shared it and was cleared without freeing it
  EXPECT_EQ(G->RowCount(), 4);
  EXPECT_EQ(G->ColCount(), 3);
  G->UnHideColumn(3);
  EXPECT_EQ(G->Cells(3, 1), QStringLiteral("hidden2"));
  EXPECT_EQ(G->Cells(0, 1), QStringLiteral("2")); // the row numbers travel too
}

TEST(Sort, RowsCarryTheirEnabledSelectedAndModifiedMarks)
{
  // Rows 1..3 hold "c", "a", "b": after sorting, old row 2 is row 1, old row 3
  // row 2 and old row 1 row 3.
  auto G = Grid({{"c"}, {"a"}, {"b"}});
  G->MouseActions()->SetDisjunctRowSelect(true);
  G->Navigation()->SetMoveRowOnSort(true);
  G->ShowModified()->SetEnabled(true);
  G->SetRowEnabled(3, false);
  G->SetRowSelect(1, true);
  G->SetRowModified(2, true);

  G->Sort(1, sdAscending);
  EXPECT_EQ(Column(*G, 1), (TTexts{"a", "b", "c"}));
  for (int32_t R = 1; R <= 3; ++R) {
    EXPECT_EQ(G->RowEnabled(R), R != 2) << R;
    EXPECT_EQ(G->RowSelect(R), R == 3) << R;
    EXPECT_EQ(G->RowModified(R), R == 1) << R;
  }
  ASSERT_EQ(G->SelectedRows()->Count(), 1);
  EXPECT_EQ(G->SelectedRows()->GetInteger(0), 3);
}

TEST(Sort, NormalCellsOnlyKeepsTheRowNumbersAndSingleColumnMovesOneColumn)
{
  auto G = Grid({{"c", "x"}, {"a", "y"}, {"b", "z"}});
  G->SortSettings()->SetNormalCellsOnly(true);
  G->Sort(1, sdAscending);
  EXPECT_EQ(Column(*G, 0), (TTexts{"1", "2", "3"}));
  EXPECT_EQ(Column(*G, 2), (TTexts{"y", "z", "x"}));

  auto H = Grid({{"c", "x"}, {"a", "y"}, {"b", "z"}});
  H->SortSettings()->SetSingleColumn(true);
  H->Sort(1, sdAscending);
  EXPECT_EQ(Column(*H, 1), (TTexts{"a", "b", "c"}));
  EXPECT_EQ(Column(*H, 2), (TTexts{"x", "y", "z"}));
}

TEST(Sort, TheCurrentRowStaysOrFollowsItsData)
{
  struct TCase {
    bool MoveRowOnSort;
    int32_t Expected;
    int32_t RowUpdates;
    int32_t RowChanges;
  };
  const TCase Cases[] = {{false, 1, 1, 0}, {true, 3, 0, 1}};
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.MoveRowOnSort);
    auto G = Grid({{"c"}, {"a"}, {"b"}});
    G->Navigation()->SetMoveRowOnSort(C.MoveRowOnSort);
    G->SetRow(1); // holds "c"
    int32_t Updates = 0, Changes = 0;
    G->OnRowUpdate = [&](TObject*, int32_t, int32_t) { ++Updates; };
    G->OnRowChanging = [&](TObject*, int32_t Old, int32_t New, bool&) {
      ++Changes;
      EXPECT_EQ(Old, 1);
      EXPECT_EQ(New, 3);
    };
    G->Sort(1, sdAscending);
    EXPECT_EQ(G->Row(), C.Expected);
    EXPECT_EQ(Updates, C.RowUpdates);
    EXPECT_EQ(Changes, C.RowChanges);
    EXPECT_EQ(G->SortRow, 3);
  }
}

TEST(Sort, UnsortGivesBackTheOrderFromBeforeTheFirstSort)
{
  auto G = Grid({{"b", "2"}, {"c", "1"}, {"a", "3"}});
  G->SetRowHeights(2, 33);
  const TTexts Start = Column(*G, 1);
  G->Sort(1, sdAscending);
  G->Sort(2, sdDescending);
  G->Sort(1, sdDescending);
  EXPECT_EQ(Column(*G, 1), (TTexts{"c", "b", "a"}));
  G->QUnSort();
  EXPECT_EQ(Column(*G, 1), Start);
  EXPECT_EQ(Column(*G, 0), (TTexts{"1", "2", "3"}));
  EXPECT_EQ(G->RowHeights(2), 33);
  EXPECT_EQ(G->SortSettings()->Column(), -1);

  // A row added: the next sort starts from the order before it.
  G->Sort(1, sdAscending);
  G->AddRow();
  G->SetCells(1, 4, QStringLiteral("0"));
  const TTexts BeforeSecond = Column(*G, 1);
  G->Sort(1, sdDescending);
  G->QUnSort();
  EXPECT_EQ(Column(*G, 1), BeforeSecond);
}

TEST(Sort, HeaderClicksWalkTheSortStates)
{
  struct TClick {
    int32_t Col;
    bool Key;
    TTexts Expected; // column 1
    int32_t Column;
    const char* Indexes;
  };
  struct TCase {
    const char* What;
    bool UndoSort, IndexShow;
    std::vector<TClick> Clicks;
  };
  // Column 1: b, c, a, b; column 2: 2, 1, 3, 4.
  const TCase Cases[] = {
      {"reverse and back",
       false,
       false,
       {{1, false, {"a", "b", "b", "c"}, 1, ""},
        {1, false, {"c", "b", "b", "a"}, 1, ""},
        {1, false, {"a", "b", "b", "c"}, 1, ""}}},
      {"the third click unsorts",
       true,
       false,
       {{1, false, {"a", "b", "b", "c"}, 1, ""},
        {1, false, {"c", "b", "b", "a"}, 1, ""},
        {1, false, {"b", "c", "a", "b"}, -1, ""},
        {1, false, {"a", "b", "b", "c"}, 1, ""}}},
      {"another column sorts afresh",
       true,
       false,
       {{1, false, {"a", "b", "b", "c"}, 1, ""}, {2, false, {"c", "b", "a", "b"}, 2, ""}}},
      {"index sorts",
       false,
       true,
       {{1, false, {"a", "b", "b", "c"}, 1, "u1"},
        {2, true, {"a", "b", "b", "c"}, 1, "u1;u2"},
        {2, true, {"a", "b", "b", "c"}, 1, "u1;d2"},
        {1, true, {"c", "b", "b", "a"}, 1, "d1;d2"},
        {2, false, {"c", "b", "a", "b"}, 2, "u2"},
        {2, false, {"b", "a", "b", "c"}, 2, "d2"}}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.What);
    auto G = Grid({{"b", "2"}, {"c", "1"}, {"a", "3"}, {"b", "4"}});
    G->SortSettings()->SetUndoSort(C.UndoSort);
    G->SortSettings()->SetIndexShow(C.IndexShow);
    int32_t Step = 0;
    for (const TClick& K : C.Clicks) {
      SCOPED_TRACE(++Step);
      G->SortByHeaderClick(K.Col, K.Key);
      EXPECT_EQ(Column(*G, 1), K.Expected);
      EXPECT_EQ(G->SortSettings()->Column(), K.Column);
      EXPECT_EQ(G->SortIndexes()->SaveToString().toStdString(), K.Indexes);
    }
  }
}

TEST(Sort, IndexSortWithoutIndexesRaisesAndChangesNothing)
{
  auto G = Grid({{"b"}, {"a"}});
  try {
    G->QSortIndexed();
    FAIL() << "no error raised";
  } catch (const ERurGridError& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("No indexes specified for indexed sort"));
  }
  EXPECT_EQ(Column(*G, 1), (TTexts{"b", "a"}));
  EXPECT_EQ(G->RowCount(), 3);
}

TEST(Sort, PartsOfTheGridAndSingleLines)
{
  auto G = Grid({{"d"}, {"c"}, {"b"}, {"a"}});
  G->QuickSort(1, 2, 3);
  EXPECT_EQ(Column(*G, 1), (TTexts{"d", "b", "c", "a"}));
  EXPECT_EQ(G->RowCount(), 5);
  G->SortIndexes()->AddIndex(1, false);
  G->QuickSortIndexed(2, 4);
  EXPECT_EQ(Column(*G, 1), (TTexts{"d", "c", "b", "a"}));
  EXPECT_TRUE(G->SortLine(1, 1, 4));
  EXPECT_EQ(Column(*G, 1), (TTexts{"a", "c", "b", "d"}));
  EXPECT_FALSE(G->SortLine(1, 1, 2));
}

// ---------------------------------------------------------------- hard inputs

namespace {

std::unique_ptr<TZurEvoderOzod> BigGrid(int32_t Rows, const std::function<String(int32_t)>& Text)
{
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  G->SetColCount(2);
  G->SetRowCount(Rows + 1);
  for (int32_t R = 1; R <= Rows; ++R)
    G->SetCells(1, R, Text(R));
  return G;
}

bool Ascending(TZurEvoderOzod& G)
{
  for (int32_t R = 2; R < G.RowCount(); ++R)
    if (G.Cells(1, R - 1).toDouble() > G.Cells(1, R).toDouble())
      return false;
  return true;
}

} // namespace

// A recursive partition went as deep as the rows when its pivot kept
// splitting off single rows; equal, sorted and reversed columns of a million
// rows now sort in n log n comparisons on a small, fixed stack.
TEST(SortHardInputs, AMillionRowsOfEqualSortedAndReversedValues)
{
  struct TCase {
    const char* What;
    std::function<String(int32_t)> Text;
  };
  const int32_t N = 1000000;
  const TCase Cases[] = {
      {"equal", [](int32_t) { return QStringLiteral("7"); }},
      {"sorted", [](int32_t R) { return QString::number(R); }},
      {"reversed", [](int32_t R) { return QString::number(N - R); }},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.What);
    auto G = BigGrid(N, C.Text);
    G->SortSettings()->SetFull(false);
    G->Compares = 0;
    G->Sort(1, sdAscending);
    EXPECT_TRUE(Ascending(*G));
    EXPECT_LT(G->Compares, 3.0 * N * std::log2(N));
  }
}

// A comparison that decides each answer as late as it can (the adversary
// that drives any quicksort quadratic) still meets n log n comparisons, and
// the rows end in the order its answers fixed.
TEST(SortHardInputs, AnAdversaryComparisonStaysWithinNLogN)
{
  const int32_t N = 3000;
  auto G = BigGrid(N, [](int32_t R) { return QString::number(R); });
  std::vector<int32_t> Val(N + 1, N); // N: not decided yet ("gas")
  int32_t Solid = 0, Candidate = 0;
  G->OnGetFormat = [](TObject*, int32_t, TSortStyle& Style, String&, String&) { Style = ssCustom; };
  G->OnCustomCompare = [&](TObject*, const String& A, const String& B, int32_t& Res) {
    const int32_t X = A.toInt(), Y = B.toInt();
    if (Val[X] == N && Val[Y] == N)
      Val[X == Candidate ? X : Y] = Solid++;
    if (Val[X] == N)
      Candidate = X;
    else if (Val[Y] == N)
      Candidate = Y;
    Res = Val[X] - Val[Y];
  };
  G->SortSettings()->SetFull(false);
  G->Compares = 0;
  G->Sort(1, sdAscending);
  EXPECT_LT(G->Compares, 8.0 * N * std::log2(N)); // quadratic would be about N * N / 4
  for (int32_t R = 2; R <= N; ++R)
    ASSERT_LE(Val[G->Cells(1, R - 1).toInt()], Val[G->Cells(1, R).toInt()]) << R;
}

// An order that contradicts itself cannot lead the sort outside its rows:
// it ends, and every row is still there once.
TEST(SortHardInputs, AContradictoryComparisonLosesNoRow)
{
  const int32_t N = 5000;
  auto G = BigGrid(N, [](int32_t R) { return QString::number(R); });
  std::mt19937 Random(7);
  G->OnGetFormat = [](TObject*, int32_t, TSortStyle& Style, String&, String&) { Style = ssCustom; };
  G->OnCustomCompare = [&](TObject*, const String&, const String&, int32_t& Res) {
    Res = static_cast<int32_t>(Random() % 3) - 1;
  };
  G->Sort(1, sdAscending);
  std::vector<int32_t> Seen;
  for (int32_t R = 1; R <= N; ++R)
    Seen.push_back(G->Cells(1, R).toInt());
  std::sort(Seen.begin(), Seen.end());
  for (int32_t R = 1; R <= N; ++R)
    ASSERT_EQ(Seen[static_cast<size_t>(R - 1)], R);
  EXPECT_EQ(G->RowCount(), N + 1);
}

// With display texts and a raw comparison the pivot is read where it lies,
// so that the application's handler sees a row of the grid; it moves when
// the partition exchanges its row, and the sort follows it there.
TEST(SortHardInputs, APivotReadInPlaceFollowsItsRow)
{
  const int32_t N = 300;
  std::vector<int32_t> Values(N);
  for (int32_t I = 0; I < N; ++I)
    Values[static_cast<size_t>(I)] = I;
  std::shuffle(Values.begin(), Values.end(), std::mt19937(11));
  auto G = BigGrid(N, [&](int32_t R) { return QString::number(Values[static_cast<size_t>(R - 1)]); });
  TZurEvoderOzod* Raw = G.get();
  G->OnGetDisplText = [](TObject*, int32_t, int32_t, String&) {};
  G->OnGetFormat = [](TObject*, int32_t, TSortStyle& Style, String&, String&) { Style = ssRaw; };
  G->OnRawCompare = [Raw](TObject*, int32_t ACol, int32_t R1, int32_t R2, int32_t& Res) {
    Res = Raw->Cells(ACol, R1).toInt() - Raw->Cells(ACol, R2).toInt();
  };
  G->SortSettings()->SetFull(false);
  G->Sort(1, sdAscending);
  EXPECT_TRUE(Ascending(*G));
}
