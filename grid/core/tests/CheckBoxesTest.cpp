// Check boxes, radio groups and radio buttons in cells: their states, how
// toggling changes them and which events it fires.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/core/GridSettings.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TChange {
  int32_t Col;
  int32_t Row;
  bool State;
  bool operator==(const TChange&) const = default;
};

// A grid of 4 columns and 8 rows that records its check-box changes.
class Checks : public ::testing::Test {
protected:
  void SetUp() override
  {
    G.SetColCount(4);
    G.SetRowCount(8);
    G.OnCheckBoxChange = [this](TObject*, int32_t C, int32_t R, bool S) { Changes.push_back({C, R, S}); };
  }
  bool State(int32_t C, int32_t R)
  {
    bool S = false;
    EXPECT_TRUE(G.GetCheckBoxState(C, R, S));
    return S;
  }
  TZurEvoderOzod G{nullptr};
  std::vector<TChange> Changes;
};

} // namespace

// A data check box keeps a text that already is a check text and sets any
// other to the one of its state.
TEST_F(Checks, DataCheckBoxesTakeOrKeepTheirText)
{
  struct Case {
    const char* Before;
    bool State;
    const char* After;
  };
  const Case Cases[] = {{"abc", true, "Y"}, {"abc", false, "N"}, {"", true, "Y"}, {"N", true, "N"}, {"Y", false, "Y"}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.Before) + (C.State ? " checked" : " unchecked"));
    G.SetCells(1, 1, QString::fromLatin1(C.Before));
    G.AddCheckBox(1, 1, C.State, true);
    EXPECT_EQ(G.Cells(1, 1).toStdString(), C.After);
    EXPECT_EQ(G.GetCellType(1, 1), ctDataCheckBox);
    EXPECT_EQ(G.IsChecked(1, 1), std::string(C.After) == "Y");
  }
  // The comparison is exact: "y" is not checked.
  G.SetCells(1, 1, QStringLiteral("y"));
  EXPECT_FALSE(State(1, 1));
  // A plain check box leaves the text alone.
  G.SetCells(2, 1, QStringLiteral("label"));
  G.AddCheckBox(2, 1, true, false);
  EXPECT_EQ(G.Cells(2, 1).toStdString(), "label");
  EXPECT_TRUE(State(2, 1));
  // New boxes stand before the text, flat, at the grid's vertical alignment.
  const TCellGraphic* B = G.GetCellGraphic(2, 1);
  EXPECT_EQ(B->CellHAlign(), haBeforeText);
  EXPECT_TRUE(B->CellTransparent());
  EXPECT_EQ(B->CellVAlign(), vaTop);
}

TEST_F(Checks, CellsBeyondTheGridRaise)
{
  G.HideRow(3);
  G.HideColumn(2);
  // Hidden rows and columns count in.
  EXPECT_NO_THROW(G.AddCheckBox(3, 7, true, false));
  EXPECT_NO_THROW(G.AddRadioButton(3, 7, false));
  for (const TPoint P : {TPoint{4, 1}, TPoint{1, 8}}) {
    try {
      G.AddCheckBox(P.X, P.Y, cbChecked);
      FAIL() << "no exception at " << P.X << "," << P.Y;
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message().toStdString(), "Invalid cell");
    }
    EXPECT_THROW(G.AddRadioButtonGroup(P.X, P.Y, rgRow, true), Exception);
  }
}

// Toggling each kind: the new state, the text written and the event.
TEST_F(Checks, TogglingEachKindAndItsEvent)
{
  G.AddCheckBox(1, 1, false, false);
  G.SetCells(1, 2, QStringLiteral("N"));
  G.AddCheckBox(1, 2, false, true);
  G.AddCheckBox(1, 3, cbUnchecked);
  G.AddButton(1, 4, 10, 10, String(), haLeft, vaTop);

  EXPECT_TRUE(G.ToggleCheck(1, 1, false));
  EXPECT_TRUE(State(1, 1));
  EXPECT_TRUE(G.ToggleCheck(1, 2, false));
  EXPECT_EQ(G.Cells(1, 2).toStdString(), "Y");
  EXPECT_TRUE(G.ToggleCheckBox(1, 2));
  EXPECT_EQ(G.Cells(1, 2).toStdString(), "N");
  EXPECT_FALSE(G.ToggleCheck(1, 4, false)); // a button is no check box
  EXPECT_FALSE(G.ToggleCheck(2, 1, false));
  EXPECT_EQ(Changes, (std::vector<TChange>{{1, 1, true}, {1, 2, true}, {1, 2, false}}));
  EXPECT_TRUE(G.Modified());

  // Each cell its own check texts.
  G.OnGetCheckTrue = [](TObject*, int32_t, int32_t ARow, String& V) { V = ARow == 2 ? QStringLiteral("on") : V; };
  G.ToggleCheck(1, 2, false);
  EXPECT_EQ(G.Cells(1, 2).toStdString(), "on");
  EXPECT_TRUE(State(1, 2));

  // A refused toggle changes nothing and reports nothing.
  Changes.clear();
  G.OnCheckBoxCanToggle = [](TObject*, int32_t, int32_t, bool, bool& Allow) { Allow = false; };
  EXPECT_FALSE(G.ToggleCheck(1, 1, false));
  EXPECT_TRUE(State(1, 1));
  EXPECT_TRUE(Changes.empty());
}

TEST_F(Checks, TriStateCyclesAsNavigationSays)
{
  struct Case {
    TToggleTriStateCheck Mode;
    std::vector<TCheckBoxState> Cycle;
  };
  const Case Cases[] = {{tsAllStates, {cbGrayed, cbChecked, cbUnchecked, cbGrayed}},
                        {tsCheckUnCheck, {cbChecked, cbUnchecked, cbChecked, cbUnchecked}}};
  for (const Case& C : Cases) {
    G.Navigation()->SetToggleTriStateCheck(C.Mode);
    G.AddCheckBox(2, 2, cbUnchecked);
    for (const TCheckBoxState Expected : C.Cycle) {
      G.ToggleCheck(2, 2, false);
      TCheckBoxState S = cbUnchecked;
      EXPECT_TRUE(G.GetCheckBoxState(2, 2, S));
      EXPECT_EQ(S, Expected);
    }
  }
  // The Boolean reading gives nothing for a tri-state box.
  bool B = true;
  EXPECT_FALSE(G.GetCheckBoxState(2, 2, B));
  EXPECT_TRUE(G.SetCheckBoxState(2, 2, cbGrayed));
  EXPECT_FALSE(G.SetCheckBoxState(3, 3, cbGrayed));
}

// A mouse click on a read-only cell toggles nothing, unless check boxes are
// always active; the keyboard is not refused.
TEST_F(Checks, ReadOnlyCellsRefuseTheMouse)
{
  G.AddCheckBox(1, 1, false, false);
  G.OnCanEditCell = [](TObject*, int32_t, int32_t, bool& CanEdit) { CanEdit = false; };
  G.SetOptions(G.Options() | GridOptionBit(goEditing));
  EXPECT_FALSE(G.ToggleCheck(1, 1, true));
  EXPECT_FALSE(State(1, 1));
  EXPECT_TRUE(G.ToggleCheck(1, 1, false));
  G.ControlLook()->SetCheckAlwaysActive(true);
  EXPECT_TRUE(G.ToggleCheck(1, 1, true));
  EXPECT_FALSE(State(1, 1));
}

// CheckAll reports each box that changes; tri-state boxes follow silently.
TEST_F(Checks, CheckAllAndUnCheckAll)
{
  G.AddCheckBoxColumn(2);
  G.SetCheckBoxState(2, 3, true);
  G.AddCheckBox(2, 5, cbUnchecked);
  G.CheckAll(2);
  EXPECT_EQ(Changes, (std::vector<TChange>{{2, 1, true}, {2, 2, true}, {2, 4, true}, {2, 6, true}, {2, 7, true}}));
  for (int32_t R = 1; R < 8; ++R)
    EXPECT_TRUE(G.IsChecked(2, R) || R == 5) << R;
  TCheckBoxState S = cbUnchecked;
  G.GetCheckBoxState(2, 5, S);
  EXPECT_EQ(S, cbChecked);
  Changes.clear();
  G.UnCheckAll(2);
  EXPECT_EQ(Changes.size(), 6u);
  // Removal by column leaves no box.
  G.RemoveCheckBoxColumn(2);
  for (int32_t R = 0; R < 8; ++R)
    EXPECT_FALSE(G.HasCheckBox(2, R)) << R;
}

// The state of a hidden row is read and written by its real row, from the
// row store.
TEST_F(Checks, HiddenRowsByTheirRealRow)
{
  G.AddCheckBox(1, 4, true, false);
  G.SetCells(2, 4, QStringLiteral("N"));
  G.AddCheckBox(2, 4, false, true);
  G.HideRow(4);
  EXPECT_TRUE(State(1, 4));
  EXPECT_FALSE(State(2, 4));
  EXPECT_TRUE(G.SetCheckBoxState(2, 4, true));
  EXPECT_TRUE(State(2, 4));
  G.UnHideRow(4);
  EXPECT_EQ(G.Cells(2, 4).toStdString(), "Y");
  EXPECT_TRUE(G.IsChecked(1, 4));
}

// With AutoCheckGroup a node's box sets its children, and the children
// decide the node: all alike, or grayed.
TEST_F(Checks, GroupsFollowTheirNode)
{
  // Row 1 a node over rows 2 to 4 (span 4, node row included).
  TCellGraphic* Node = G.CreateCellGraphic(0, 1);
  Node->SetCellType(ctNode);
  Node->SetCellIndex(4);
  G.FGroupColumn = 0;
  G.Grouping()->SetAutoCheckGroup(true);
  G.AddCheckBoxColumn(1);
  EXPECT_EQ(G.GetCellType(1, 1), ctTriStateCheckBox);
  EXPECT_EQ(G.GetCellType(1, 2), ctCheckBox);

  TCheckBoxState S = cbUnchecked;
  G.ToggleCheck(1, 1, false);
  for (int32_t R = 2; R <= 4; ++R)
    EXPECT_TRUE(G.IsChecked(1, R)) << R;
  G.ToggleCheck(1, 3, false);
  G.GetCheckBoxState(1, 1, S);
  EXPECT_EQ(S, cbGrayed);
  G.ToggleCheck(1, 3, false);
  G.GetCheckBoxState(1, 1, S);
  EXPECT_EQ(S, cbChecked);
  // A node's box toggles between checked and unchecked only.
  G.ToggleCheck(1, 1, false);
  G.GetCheckBoxState(1, 1, S);
  EXPECT_EQ(S, cbUnchecked);
  G.ToggleCheck(1, 1, false);
  G.GetCheckBoxState(1, 1, S);
  EXPECT_EQ(S, cbChecked);
  EXPECT_FALSE(G.IsChecked(1, 5)); // outside the group
}

// Column 0 shows the rows' selection as check boxes.
TEST_F(Checks, RowCheckBoxesAreTheRowSelection)
{
  G.MouseActions()->SetHotmailRowSelect(true);
  G.MouseActions()->SetDisjunctRowSelect(true);
  EXPECT_TRUE(G.HasCheckBox(0, 3));
  EXPECT_TRUE(G.SetCheckBoxStateInt(0, 3, true));
  EXPECT_TRUE(G.RowSelect(3));
  EXPECT_TRUE(G.IsChecked(0, 3));
  EXPECT_EQ(Changes, (std::vector<TChange>{{0, 3, true}}));
  G.ToggleCheck(0, 3, false);
  EXPECT_FALSE(G.RowSelect(3));
  // The header box: some rows selected shows mixed, all of them checked.
  G.SetRowSelect(2, true);
  EXPECT_EQ(G.GetCellGraphic(0, 0)->CellAngle(), 1);
  G.SelectAll();
  EXPECT_EQ(G.GetCellGraphic(0, 0)->CellAngle(), 0);
  EXPECT_TRUE(G.GetCellGraphic(0, 0)->CellBoolean());
}

// Radio buttons of a column group stop at the first cell that is none.
TEST_F(Checks, RadioButtonGroups)
{
  G.SetRowCount(8);
  for (int32_t R = 2; R <= 6; ++R)
    if (R != 4)
      G.AddRadioButton(1, R, true);
  EXPECT_TRUE(G.ToggleRadioButton(1, 6, false)); // already checked: nothing changes
  G.SetRadioButtonState(1, 6, false);
  EXPECT_TRUE(G.ToggleRadioButton(1, 6, false));
  EXPECT_TRUE(G.IsRadioButtonChecked(1, 6));
  EXPECT_FALSE(G.IsRadioButtonChecked(1, 5));
  EXPECT_TRUE(G.IsRadioButtonChecked(1, 3));
  EXPECT_TRUE(G.IsRadioButtonChecked(1, 2));
  EXPECT_EQ(G.GetRadioButtonColumnIndex(1), 2);
  G.SetRadioButtonColumnIndex(1, 5);
  EXPECT_EQ(G.GetRadioButtonColumnIndex(1), 5);
  EXPECT_FALSE(G.IsRadioButtonChecked(1, 6));
  // A row group: one per row.
  G.AddRadioButtonGroup(1, 7, rgRow, true);
  G.AddRadioButtonGroup(2, 7, rgRow, false);
  G.AddRadioButtonGroup(3, 7, rgRow, false);
  G.ToggleRadioButton(3, 7, false);
  EXPECT_FALSE(G.IsRadioButtonChecked(1, 7));
  EXPECT_TRUE(G.HasRadioButtonGroup(3, 7, rgRow));
  EXPECT_FALSE(G.HasRadioButtonGroup(3, 7, rgCol));
  G.RemoveRadioButtonColumn(1);
  EXPECT_FALSE(G.HasRadioButton(1, 3));
}

// A radio group moves to its next choice, from the text when it has no
// index, and mirrors the choice in the text.
TEST_F(Checks, RadioGroupsStepThroughTheirChoices)
{
  struct Case {
    int32_t Index;
    const char* Text;
    int32_t Next;
  };
  const Case Cases[] = {{2, "", 0}, {0, "", 1}, {-1, "Calculated", 2}, {-1, "other", 0}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Index);
    TStringList* Choices = G.CreateRadio(1, 1, 0, C.Index);
    for (const char* S : {"Measured", "Calculated", "Fixed"})
      Choices->Add(QString::fromLatin1(S));
    G.SetCells(1, 1, QString::fromLatin1(C.Text));
    EXPECT_FALSE(G.ToggleRadio(1, 1, false));
    int32_t Idx = -5;
    EXPECT_TRUE(G.GetRadioIdx(1, 1, Idx));
    EXPECT_EQ(Idx, C.Next);
    EXPECT_EQ(G.Cells(1, 1), Choices->Strings(C.Next));
  }
  EXPECT_EQ(G.GetRadioStrings(1, 1)->Count(), 3);
  EXPECT_TRUE(G.SetRadioIdx(1, 1, -1));
  EXPECT_TRUE(G.Cells(1, 1).isEmpty());
  // Another kind still hands over its index field, but says it is no group.
  G.AddButton(2, 1, 10, 10, String(), haLeft, vaTop);
  G.GetCellGraphic(2, 1)->SetCellIndex(7);
  int32_t Idx = 0;
  EXPECT_FALSE(G.GetRadioIdx(2, 1, Idx));
  EXPECT_EQ(Idx, 7);
  EXPECT_FALSE(G.GetRadioIdx(3, 1, Idx));
}

// The precise hit test finds the box where the cell's alignment puts it.
TEST_F(Checks, PreciseHitTest)
{
  G.AddCheckBox(1, 1, false, false);
  const TRect R = G.CellRect(1, 1);
  EXPECT_TRUE(G.IsInCheckBox(1, 1, R.Right - 1, R.Bottom - 1)); // anywhere without precision
  G.MouseActions()->SetPreciseCheckBoxCheck(true);
  EXPECT_TRUE(G.IsInCheckBox(1, 1, R.Left + 2, R.Top + 2));
  EXPECT_TRUE(G.IsInCheckBox(1, 1, R.Left + 16, R.Top + 16));
  EXPECT_FALSE(G.IsInCheckBox(1, 1, R.Left + 17, R.Top + 2));
  EXPECT_FALSE(G.IsInCheckBox(1, 1, R.Left + 1, R.Top + 2));
  G.OnGetAlignment = [](TObject*, int32_t, int32_t, TAlignment& H, TVAlignment&) { H = taRightJustify; };
  EXPECT_TRUE(G.IsInCheckBox(1, 1, R.Right - 3, R.Top + 2));
  EXPECT_FALSE(G.IsInCheckBox(1, 1, R.Left + 2, R.Top + 2));
  EXPECT_FALSE(G.IsInCheckBox(2, 1, R.Right + 3, R.Top + 2)); // no box there
}

TEST_F(Checks, StaticAndDataCells)
{
  G.AddCheckBox(1, 1, false, true);
  G.AddButton(1, 2, 10, 10, String(), haLeft, vaTop);
  G.CreateRadio(1, 3, 0, 0);
  EXPECT_TRUE(G.HasDataCell(1, 1));
  EXPECT_FALSE(G.HasDataCell(1, 2));
  EXPECT_TRUE(G.HasStaticEdit(1, 1));
  EXPECT_TRUE(G.HasStaticEdit(1, 2));
  EXPECT_TRUE(G.HasStaticEdit(1, 3));
  G.Navigation()->SetAllowEditButtonCells(true);
  EXPECT_FALSE(G.HasStaticEdit(1, 2));
  EXPECT_FALSE(G.HasStaticEdit(-1, 1));
  EXPECT_TRUE(G.IsDataCheckCol(1) == false);
  G.AddCheckBox(1, 2, false, true);
  EXPECT_TRUE(G.IsDataCheckCol(1));
}
