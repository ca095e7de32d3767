#include "platform/StringGridCells.h"

#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Text(const TStringGridCells& G, int32_t C, int32_t R) { return G.Cell(C, R).toStdString(); }

// The texts of rows 0..Rows-1, columns 0..Cols-1, one string per row.
std::vector<std::string> Grid(const TStringGridCells& G, int32_t Cols, int32_t Rows)
{
  std::vector<std::string> Out;
  for (int32_t R = 0; R < Rows; ++R) {
    std::string Line;
    for (int32_t C = 0; C < Cols; ++C)
      Line += G.Cell(C, R).isEmpty() ? "." : G.Cell(C, R).toStdString();
    Out.push_back(Line);
  }
  return Out;
}

void Fill(TStringGridCells& G, const std::vector<std::string>& Rows)
{
  for (size_t R = 0; R < Rows.size(); ++R)
    for (size_t C = 0; C < Rows[R].size(); ++C)
      if (Rows[R][C] != '.')
        G.SetCell(static_cast<int32_t>(C), static_cast<int32_t>(R), QString(QChar(Rows[R][C])));
}

} // namespace

TEST(StringGridCells, EmptyCellsTakeNoSlots)
{
  TStringGridCells G;
  for (int32_t R = 0; R < 6001; ++R)
    for (int32_t C = 0; C < 31; ++C)
      G.SetCell(C, R, QString()); // writing empty text allocates nothing
  EXPECT_EQ(G.SlotCount(), 0);
  EXPECT_EQ(G.RowsHeld(), 0);
  EXPECT_EQ(Text(G, 30, 6000), "");
  EXPECT_EQ(G.Object(-1, 3), nullptr);

  G.SetCell(2, 5000, QStringLiteral("x"));
  EXPECT_EQ(G.RowsHeld(), 1);
  EXPECT_EQ(G.SlotCount(), 3);
  TObject Obj;
  G.SetObject(0, 5000, &Obj);
  G.SetCell(2, 5000, QString());
  EXPECT_EQ(G.SlotCount(), 1); // the object keeps its cell
  G.SetObject(0, 5000, nullptr);
  EXPECT_EQ(G.SlotCount(), 0);
  EXPECT_EQ(G.RowsHeld(), 0);

  G.SetCell(-1, 0, QStringLiteral("ignored"));
  EXPECT_EQ(G.SlotCount(), 0);
}

TEST(StringGridCells, RowsAndColumnsMove)
{
  struct Case {
    const char* What;
    void (TStringGridCells::*Op)(int32_t, int32_t);
    int32_t From, To;
    std::vector<std::string> Expected;
  };
  const std::vector<std::string> Start = {"abc", "def", "ghi", "..."};
  const Case Cases[] = {
      {"row down", &TStringGridCells::MoveRow, 0, 2, {"def", "ghi", "abc", "..."}},
      {"row up", &TStringGridCells::MoveRow, 2, 0, {"ghi", "abc", "def", "..."}},
      {"row beyond the filled ones", &TStringGridCells::MoveRow, 1, 3, {"abc", "ghi", "...", "def"}},
      {"empty row in", &TStringGridCells::MoveRow, 3, 0, {"...", "abc", "def", "ghi"}},
      {"rows exchanged", &TStringGridCells::ExchangeRows, 2, 0, {"ghi", "def", "abc", "..."}},
      {"row exchanged with an empty one", &TStringGridCells::ExchangeRows, 1, 3, {"abc", "...", "ghi", "def"}},
      {"row exchanged beyond what is held", &TStringGridCells::ExchangeRows, 9, 0, {"...", "def", "ghi", "..."}},
      {"two empty rows exchanged", &TStringGridCells::ExchangeRows, 5, 7, {"abc", "def", "ghi", "..."}},
      {"column right", &TStringGridCells::MoveCol, 0, 2, {"bca", "efd", "hig", "..."}},
      {"column left", &TStringGridCells::MoveCol, 2, 0, {"cab", "fde", "igh", "..."}},
      {"column out past the end", &TStringGridCells::MoveCol, 0, 3, {"bc.", "ef.", "hi.", "..."}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    TStringGridCells G;
    Fill(G, Start);
    (G.*C.Op)(C.From, C.To);
    EXPECT_EQ(Grid(G, 3, 4), C.Expected);
  }
  TStringGridCells G;
  Fill(G, Start);
  G.MoveCol(0, 3);
  EXPECT_EQ(Text(G, 3, 1), "d");
  G.ExchangeRows(0, 9);
  EXPECT_EQ(Text(G, 1, 9), "c"); // row 0 after the column move: "bc.a"
  G.ExchangeRows(9, 0);
  EXPECT_EQ(G.RowExtent(), 3); // nothing is held beyond the rows filled
}

TEST(StringGridCells, DeletingShiftsTheRest)
{
  TStringGridCells G;
  Fill(G, {"abc", "def", "ghi"});
  G.DeleteRow(1);
  EXPECT_EQ(Grid(G, 3, 3), (std::vector<std::string>{"abc", "ghi", "..."}));
  G.DeleteCol(0);
  EXPECT_EQ(Grid(G, 3, 3), (std::vector<std::string>{"bc.", "hi.", "..."}));
  G.DeleteRow(7); // nothing there
  G.DeleteCol(9);
  EXPECT_EQ(G.SlotCount(), 4);
}

TEST(StringGridCells, WholeRowsCarryTheirObjects)
{
  TStringGridCells G;
  TObject A, B;
  G.SetCell(0, 1, QStringLiteral("x"));
  G.SetObject(1, 1, &A);
  G.SetCell(4, 1, QStringLiteral("beyond")); // beyond the three columns asked for
  TStringList Row;
  G.GetRow(1, 3, Row);
  ASSERT_EQ(Row.Count(), 3);
  EXPECT_EQ(Row[0].toStdString(), "x");
  EXPECT_EQ(Row.Objects(1), &A);

  TStringList Other;
  Other.AddObject(QStringLiteral("p"), &B);
  G.SetRow(1, 3, Other); // entries beyond the list empty their cells
  EXPECT_EQ(Text(G, 0, 1), "p");
  EXPECT_EQ(G.Object(0, 1), &B);
  EXPECT_EQ(G.Object(1, 1), nullptr);
  EXPECT_EQ(Text(G, 4, 1), "beyond");

  TStringList Col;
  G.GetCol(0, 3, Col);
  EXPECT_EQ(Col[1].toStdString(), "p");
  G.SetCol(0, 3, TStringList());
  EXPECT_EQ(Text(G, 0, 1), "");
}
