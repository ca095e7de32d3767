// Cells read and written as numbers, dates and times; cells of hidden rows
// by their real row; the modified and enabled rows; the disjunct row and
// column selections and their events.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

std::string Raised(const std::function<void()>& F)
{
  try {
    F();
  } catch (const ERurGridError& E) {
    return E.Message().toStdString();
  }
  return "nothing";
}

} // namespace

// The process settings: "." decimal, "," thousands.
TEST(TypedAccess, IntegersFromGoodAndBadTexts)
{
  ASSERT_EQ(FormatSettings.DecimalSeparator, u'.');
  ASSERT_EQ(FormatSettings.ThousandSeparator, u',');
  struct Case {
    const char* Text;
    std::optional<int32_t> Value; // none: raises
  };
  const Case Cases[] = {{"", 0},     {"-", 0},    {"  -  ", 0}, {"12", 12},        {" -7 ", -7},
                        {"2.5", 2},  {"3.5", 4},  {"-2.5", -2}, {"<b>42</b>", 42}, {"1,234", {}},
                        {"abc", {}}, {"12x", {}}, {"9e99", {}}, {"2147483648", {}}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    TZurEvoderOzod G(nullptr);
    G.SetCells(1, 1, QString::fromLatin1(C.Text));
    if (C.Value)
      EXPECT_EQ(G.GetInts(1, 1), *C.Value);
    else
      EXPECT_EQ(Raised([&] { G.GetInts(1, 1); }), "Cell does not contain integer value");
    EXPECT_EQ(G.Cells(1, 1).toStdString(), C.Text); // a read leaves the cell
  }
  // The all-rows read takes no markup and no fractions.
  TZurEvoderOzod G(nullptr);
  G.SetCells(1, 1, QStringLiteral("<b>42</b>"));
  EXPECT_EQ(Raised([&] { G.GetAllInts(1, 1); }), "Cell does not contain integer value");
  G.SetCells(1, 1, QStringLiteral("2.5"));
  EXPECT_EQ(Raised([&] { G.GetAllInts(1, 1); }), "Cell does not contain integer value");
  G.SetInts(2, 2, -15);
  EXPECT_EQ(G.Cells(2, 2).toStdString(), "-15");
}

TEST(TypedAccess, FloatsFromGoodAndBadTexts)
{
  struct Case {
    const char* Text;
    std::optional<double> Value;
  };
  const Case Cases[] = {{"(1,234.50)", -1234.5}, {"12 kg", 12},  {"", 0},     {"-", 0},      {"<i>3.25</i>", 3.25},
                        {"-0.5", -0.5},          {"USD 12", 12}, {"abc", {}}, {"1.2.3", {}}, {"--", {}}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    TZurEvoderOzod G(nullptr);
    G.SetCells(1, 1, QString::fromLatin1(C.Text));
    if (C.Value)
      EXPECT_DOUBLE_EQ(G.GetFloats(1, 1), *C.Value);
    else
      EXPECT_EQ(Raised([&] { G.GetFloats(1, 1); }), "Cell does not contain a float value");
  }
  TZurEvoderOzod G(nullptr);
  G.SetFloats(1, 1, 2.0 / 3);
  EXPECT_EQ(G.Cells(1, 1).toStdString(), "0.67");
  G.SetFloatFormat(QStringLiteral("%.4f"));
  G.SetFloats(1, 1, 1.5);
  EXPECT_EQ(G.Cells(1, 1).toStdString(), "1.5000");
  // A cell's float format is the event's when it says so.
  G.OnGetFloatFormat = [](TObject*, int32_t ACol, int32_t, bool& IsFloat, String& F) {
    IsFloat = ACol == 2;
    F = QStringLiteral("%.1e");
  };
  EXPECT_EQ(G.GetCellFloatFormat(1, 1).toStdString(), "%.4f");
  EXPECT_EQ(G.GetCellFloatFormat(2, 1).toStdString(), "%.1e");
}

TEST(TypedAccess, DatesAndTimes)
{
  TZurEvoderOzod G(nullptr);
  const TDateTime Day = EncodeDate(2024, 3, 9);
  G.SetDates(1, 1, Day);
  EXPECT_EQ(G.Cells(1, 1), DateToStr(Day));
  EXPECT_EQ(G.GetDates(1, 1), Day);
  G.SetTimes(1, 2, 0.75);
  EXPECT_NEAR(G.GetTimes(1, 2), 0.75, 1e-9);
  G.SetDateTimes(1, 3, Day + 0.5);
  EXPECT_NEAR(G.GetDateTimes(1, 3), Day + 0.5, 1e-6);
  // Day nought: written unless null dates are hidden.
  G.SetDates(1, 4, 0);
  EXPECT_EQ(G.Cells(1, 4), DateToStr(0));
  G.SetShowNullDates(false);
  G.SetDates(1, 4, 0);
  EXPECT_TRUE(G.Cells(1, 4).isEmpty());
  G.SetDateTimes(1, 3, -1);
  EXPECT_TRUE(G.Cells(1, 3).isEmpty());
  // A text that is no date raises the conversion error; the date-time read
  // gives nought.
  G.SetCells(1, 5, QStringLiteral("soon"));
  EXPECT_THROW(G.GetDates(1, 5), EConvertError);
  EXPECT_THROW(G.GetTimes(1, 5), EConvertError);
  EXPECT_EQ(G.GetDateTimes(1, 5), 0);
  EXPECT_EQ(G.Cells(1, 5).toStdString(), "soon");
}

// Real rows: a hidden row's cells are read and written in the row store.
TEST(TypedAccess, HiddenRowsByRealRow)
{
  TZurEvoderOzod G(nullptr);
  G.SetColCount(4);
  G.SetRowCount(6);
  for (int32_t R = 1; R < 6; ++R)
    G.SetCells(1, R, QString::number(R * 10));
  G.HideRow(2);
  EXPECT_EQ(G.GetCellsEx(1, 2).toStdString(), "20");
  EXPECT_EQ(G.GetCellsEx(1, 3).toStdString(), "30"); // shown at display row 2
  EXPECT_EQ(G.GetAllInts(1, 2), 20);
  G.SetCellsEx(3, 2, QStringLiteral("beyond")); // the stored row grows to the column
  G.SetAllFloats(2, 2, 1.25);
  G.SetCellsEx(1, 4, QStringLiteral("forty"));
  EXPECT_EQ(G.Cells(1, 3).toStdString(), "forty");
  EXPECT_TRUE(G.GetCellsEx(-1, 2).isEmpty());
  // Objects: in a hidden row they live in its record, made when needed.
  TStringList Tag;
  G.SetObjectsEx(2, 2, &Tag);
  EXPECT_EQ(G.GetObjectsEx(2, 2), &Tag);
  G.UnHideRow(2);
  EXPECT_EQ(G.Cells(3, 2).toStdString(), "beyond");
  EXPECT_EQ(G.Cells(2, 2).toStdString(), "1.25");
  EXPECT_EQ(G.GetObjectEx(2, 2), &Tag);
  // Display columns and the column before moves.
  G.HideColumn(1);
  EXPECT_EQ(G.GetRealCell(1, 2).toStdString(), "1.25");
}

// Rows selected one by one: the events fire once per change, a handler
// may refuse, fixed rows carry a flag but are never listed.
TEST(TypedAccess, DisjunctRowSelection)
{
  TZurEvoderOzod G(nullptr);
  G.SetRowCount(8);
  G.MouseActions()->SetDisjunctRowSelect(true);
  std::vector<std::string> Log;
  G.OnRowDisjunctSelect = [&](TObject*, int32_t R, bool S, bool& Allow) {
    Log.push_back("ask " + std::to_string(R) + (S ? "+" : "-"));
    Allow = R != 6;
  };
  G.OnRowDisjunctSelected = [&](TObject*, int32_t R) { Log.push_back("done " + std::to_string(R)); };
  G.SetRowSelect(5, true);
  G.SetRowSelect(5, true);
  G.SetRowSelect(3, true);
  G.SetRowSelect(0, true);
  G.SetRowSelect(6, true); // refused
  EXPECT_EQ(Log, (std::vector<std::string>{"ask 5+", "done 5", "ask 3+", "done 3", "ask 0+", "done 0", "ask 6+"}));
  EXPECT_TRUE(G.RowSelect(0));
  EXPECT_FALSE(G.RowSelect(6));
  ASSERT_EQ(G.SelectedRows()->Count(), 2);
  EXPECT_EQ(G.SelectedRows()->GetInteger(0), 5);
  EXPECT_EQ(G.SelectedRows()->GetInteger(1), 3);
  EXPECT_EQ(G.RowSelectCount(), 3);
  EXPECT_TRUE(G.IsSelected(1, 5));
  EXPECT_FALSE(G.IsSelected(1, 4));
  EXPECT_FALSE(G.IsSelected(0, 5)); // fixed column

  EXPECT_EQ(Raised([&] { G.SetRowSelect(8, true); }), "Invalid row accessed");
  EXPECT_EQ(Raised([&] { G.SetRowSelect(-1, true); }), "Invalid row accessed");
  EXPECT_EQ(Raised([&] { G.RowSelect(99); }), "Invalid row 99 accessed");
  G.MouseActions()->SetRowSelectPersistent(true);
  EXPECT_FALSE(G.RowSelect(99));

  Log.clear();
  G.ClearRowSelect();
  EXPECT_EQ(Log, (std::vector<std::string>{"done 0", "done 3", "done 5"}));
  EXPECT_EQ(G.SelectedRows()->Count(), 0);
  // The rectangle into flags: every row inside, none outside.
  G.SetSelection(TGridRect{1, 2, 3, 4});
  EXPECT_TRUE(G.SelectToRowSelect(true));
  for (int32_t R = 1; R < 8; ++R)
    EXPECT_EQ(G.RowSelect(R), R >= 2 && R <= 4) << R;
  EXPECT_FALSE(G.SelectToRowSelect(true)); // the same top again: nothing to do
}

TEST(TypedAccess, ColumnsSelectionAndRanges)
{
  TZurEvoderOzod G(nullptr);
  G.SetColCount(6);
  G.SetRowCount(8);
  EXPECT_EQ(Raised([&] { G.SetColSelect(6, true); }), "Invalid column accessed");
  EXPECT_EQ(Raised([&] { G.ColSelect(-1); }), "Invalid column accessed");
  G.MouseActions()->SetDisjunctColSelect(true);
  G.SelectCols(2, 2);
  EXPECT_TRUE(G.ColSelect(2));
  EXPECT_TRUE(G.ColSelect(3));
  EXPECT_FALSE(G.ColSelect(4));
  EXPECT_EQ(G.ColSelectCount(), 2);
  G.UnSelectCols(3, 5);
  EXPECT_FALSE(G.ColSelect(3));
  G.MouseActions()->SetDisjunctColSelect(false);

  G.SelectRange(1, 3, 2, 4);
  EXPECT_EQ(G.Col(), 3);
  EXPECT_EQ(G.Row(), 4);
  EXPECT_EQ(G.Selection(), (TGridRect{1, 2, 3, 4}));
  EXPECT_EQ(G.ColSelectCount(), 3);
  G.SelectRows(5, 10); // clipped at the last row
  EXPECT_EQ(G.Selection(), (TGridRect{1, 5, 5, 7}));
}

TEST(TypedAccess, ModifiedAndEnabledRows)
{
  TZurEvoderOzod G(nullptr);
  G.SetRowCount(5);
  EXPECT_FALSE(G.RowModified(3));
  G.SetRowModified(3, true);
  G.SetRowModified(1, true);
  G.SetRowModified(1, false);
  EXPECT_TRUE(G.RowModified(3));
  EXPECT_EQ(G.ModifiedRowCount(), 1);

  EXPECT_TRUE(G.RowEnabled(4));
  G.SetRow(2);
  G.SetRowEnabled(2, false);
  EXPECT_TRUE(G.UseEnabledRows());
  EXPECT_FALSE(G.RowEnabled(2));
  EXPECT_EQ(G.Row(), 1); // the first other enabled row
  G.SetRowEnabled(3, false);
  G.SetRowEnabled(4, false);
  G.SetRowEnabled(1, false); // no other row left: it stays
  EXPECT_EQ(G.Row(), 1);
  // Enabling the current row keeps it current.
  G.SetRowEnabled(2, true);
  G.SetRowEnabled(1, true);
  EXPECT_EQ(G.Row(), 1);
}

TEST(TypedAccess, DistinctValuesOfAColumn)
{
  TZurEvoderOzod G(nullptr);
  G.SetRowCount(7);
  const char* Texts[] = {"Salinity", " depth", "Depth", "salinity", "Temp", "Depth "};
  for (int32_t R = 1; R < 7; ++R)
    G.SetCells(1, R, QString::fromLatin1(Texts[R - 1]));
  G.HideRow(5);
  std::unique_ptr<TStringList> Folded(G.DistinctValues(1, false));
  std::unique_ptr<TStringList> Exact(G.DistinctValues(1, true));
  auto Joined = [](const TStringList& L) {
    std::string S;
    for (int32_t I = 0; I < L.Count(); ++I)
      S += L.Strings(I).toStdString() + "|";
    return S;
  };
  EXPECT_EQ(Joined(*Folded), "depth|Salinity|Temp|");
  EXPECT_EQ(Joined(*Exact).size(), std::string("depth|Depth|salinity|Salinity|Temp|").size());
}
