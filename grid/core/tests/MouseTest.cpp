// The left button on the grid, driven as a user drives it: press, release
// and double click on data cells, fixed cells, check boxes, radio groups
// and cell buttons, what each changes and which events fire in which
// order; and the header click that sorts, reverses and unsorts.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/core/tests/GuiInput.h"

#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/core/ControlLook.h"
#include "grid/core/GridTransEdit.h"
#include "grid/edit/RurInplaceEdit.h"
#include "platform/Forms.h"
#include "platform/Messages.h"
#include "platform/tests/QtTestApp.h"
#include "rtl/StringList.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

std::string S(const String& Q) { return Q.toStdString(); }
std::string N(int32_t I) { return std::to_string(I); }

// One mouse action on a cell (display coordinates), at an offset from the
// cell's top-left corner.
struct TAct {
  enum TKind { Click, Press, Release, Double } Kind;
  int32_t Col, Row;
  int32_t DX = 10, DY = 10;
  Qt::KeyboardModifiers M = Qt::NoModifier;
};

// Six columns and seven rows, one fixed row and one fixed column; data cell
// (c, r) holds its column's letter and its row ("c3"). Every click event
// the tests care about is logged with its arguments in declared order.
class Mouse : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureQtApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(30, 30, 520, 300);
    G = new TZurEvoderOzod(Form.get());
    G->SetParent(Form.get());
    G->SetBounds(0, 0, 500, 260);
    G->SetColCount(6);
    G->SetRowCount(7);
    G->SetDefaultColWidth(70);
    G->SetDefaultRowHeight(26);
    G->SetOptions(G->Options() | GridOptionBit(goEditing));
    for (int32_t C = 0; C < 6; ++C)
      G->SetCells(C, 0, QStringLiteral("H%1").arg(C));
    for (int32_t R = 1; R < 7; ++R)
      for (int32_t C = 1; C < 6; ++C)
        G->SetCells(C, R, QString(QChar(u'a' + C)) + QString::number(R));
    G->OnClickCell = [this](TObject*, int32_t ARow, int32_t ACol) {
      Log.push_back("click " + N(ARow) + "," + N(ACol));
    };
    G->OnCanClickCell = [this](TObject*, int32_t ARow, int32_t ACol, bool& Allow) {
      Log.push_back("can click " + N(ARow) + "," + N(ACol));
      Allow = AllowClicks;
    };
    G->OnFixedCellClick = [this](TObject*, int32_t ACol, int32_t ARow) {
      Log.push_back("fixed " + N(ACol) + "," + N(ARow));
    };
    G->OnCheckBoxClick = [this](TObject*, int32_t ACol, int32_t ARow, bool State) {
      Log.push_back("check " + N(ACol) + "," + N(ARow) + " " + N(State));
    };
    G->OnCheckBoxMouseUp = [this](TObject*, int32_t ACol, int32_t ARow, bool State) {
      Log.push_back("check up " + N(ACol) + "," + N(ARow) + " " + N(State));
    };
    G->OnRadioClick = [this](TObject*, int32_t ACol, int32_t ARow, int32_t Idx) {
      Log.push_back("radio " + N(ACol) + "," + N(ARow) + " " + N(Idx));
    };
    G->OnRadioMouseUp = [this](TObject*, int32_t ACol, int32_t ARow, int32_t Idx) {
      Log.push_back("radio up " + N(ACol) + "," + N(ARow) + " " + N(Idx));
    };
    G->OnButtonClick = [this](TObject*, int32_t ACol, int32_t ARow) {
      Log.push_back("button " + N(ACol) + "," + N(ARow));
    };
    G->OnClickSort = [this](TObject*, int32_t ACol) { Log.push_back("sorted " + N(ACol)); };
    G->OnDblClickCell = [this](TObject*, int32_t ARow, int32_t ACol) {
      Log.push_back("double " + N(ARow) + "," + N(ACol));
    };
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Handle()));
    G->SetFocus();
    G->FocusCell(1, 1);
    Pump();
    Log.clear();
  }

  static void Pump() { PumpInput(); }
  QWidget* View() const { return qobject_cast<QAbstractScrollArea*>(G->Handle())->viewport(); }
  QPoint At(const TAct& A) const
  {
    const TRect R = G->CellRect(A.Col, A.Row);
    return QPoint(R.Left + A.DX, R.Top + A.DY);
  }
  void Do(const TAct& A)
  {
    switch (A.Kind) {
    case TAct::Click:
      QTest::mouseClick(View(), Qt::LeftButton, A.M, At(A));
      break;
    case TAct::Press:
      QTest::mousePress(View(), Qt::LeftButton, A.M, At(A));
      break;
    case TAct::Release:
      QTest::mouseRelease(View(), Qt::LeftButton, A.M, At(A));
      break;
    case TAct::Double:
      QTest::mouseClick(View(), Qt::LeftButton, A.M, At(A));
      QTest::mouseDClick(View(), Qt::LeftButton, A.M, At(A));
      break;
    }
    Pump();
  }
  bool TextEditorOpen() const { return G->GetInplaceEditor() && G->GetInplaceEditor()->Visible(); }
  // The texts of column C, rows 1 to 6.
  std::vector<std::string> Column(int32_t C) const
  {
    std::vector<std::string> V;
    for (int32_t R = 1; R < G->RowCount(); ++R)
      V.push_back(S(G->Cells(C, R)));
    return V;
  }

  std::unique_ptr<TForm> Form;
  TZurEvoderOzod* G = nullptr;
  TLog Log;
  bool AllowClicks = true;
};

TEST_F(Mouse, SequencesOnCellsAndCellControls)
{
  // The grid keeps the caller's list of captions.
  TStringList Items;
  Items.Add(QStringLiteral("low"));
  Items.Add(QStringLiteral("mid"));
  Items.Add(QStringLiteral("high"));
  auto Stacked = [&Items](TZurEvoderOzod& Grid) {
    Grid.SetDefaultRowHeight(60);
    Grid.AddRadio(3, 2, 0, -1, &Items);
  };
  auto Button = [](TZurEvoderOzod& Grid) {
    Grid.AddButton(2, 4, 40, 20, QStringLiteral("Go"), haLeft, vaTop);
    Grid.Repaint();
  };
  struct TCase {
    const char* Name;
    std::function<void(TZurEvoderOzod&)> Set;
    std::vector<TAct> Acts;
    int32_t ToCol, ToRow;
    TLog Events;
    std::function<void(TZurEvoderOzod&)> Check; // what changed besides
  };
  const std::vector<TCase> Cases = {
      {"a data cell becomes current", nullptr, {{TAct::Click, 3, 4}}, 3, 4, {"can click 4,3", "click 4,3"}, nullptr},
      {"a refused press changes nothing",
       [this](TZurEvoderOzod&) { AllowClicks = false; },
       {{TAct::Click, 3, 4}},
       1,
       1,
       {"can click 4,3"},
       nullptr},
      {"a fixed cell reports itself and stays out of the selection",
       nullptr,
       {{TAct::Click, 2, 0}},
       1,
       1,
       {"can click 0,2", "click 0,2", "fixed 2,0"},
       nullptr},
      {"a release over another cell ends the press where it began",
       nullptr,
       {{TAct::Press, 2, 3}, {TAct::Release, 4, 3}},
       2,
       3,
       {"can click 3,2", "click 3,2"},
       nullptr},
      {"a check box toggles, becomes current and reports press and release",
       [](TZurEvoderOzod& Grid) {
         Grid.AddCheckBox(2, 5, false, false);
         Grid.MouseActions()->SetPreciseCheckBoxCheck(true);
       },
       {{TAct::Click, 2, 5, 4, 13}},
       2,
       5,
       {"can click 5,2", "check 2,5 1", "check up 2,5 1"},
       [](TZurEvoderOzod& Grid) {
         bool State = false;
         EXPECT_TRUE(Grid.GetCheckBoxState(2, 5, State));
         EXPECT_TRUE(State);
       }},
      {"a check box of a grid without editing stays as it is",
       [](TZurEvoderOzod& Grid) {
         Grid.AddCheckBox(2, 5, false, false);
         Grid.SetOptions(Grid.Options() & ~GridOptionBit(goEditing));
       },
       {{TAct::Click, 2, 5, 4, 13}},
       2,
       5,
       {"can click 5,2", "click 5,2", "check up 2,5 0"},
       [](TZurEvoderOzod& Grid) {
         bool State = true;
         EXPECT_TRUE(Grid.GetCheckBoxState(2, 5, State));
         EXPECT_FALSE(State);
       }},
      {"a check box that is always active toggles without editing",
       [](TZurEvoderOzod& Grid) {
         Grid.AddCheckBox(2, 5, true, false);
         Grid.SetOptions(Grid.Options() & ~GridOptionBit(goEditing));
         Grid.ControlLook()->SetCheckAlwaysActive(true);
       },
       {{TAct::Click, 2, 5, 4, 13}},
       2,
       5,
       {"can click 5,2", "check 2,5 0", "check up 2,5 0"},
       nullptr},
      {"a press beside the check box is a plain click where the box is told apart",
       [](TZurEvoderOzod& Grid) {
         Grid.AddCheckBox(2, 5, false, false);
         Grid.MouseActions()->SetPreciseCheckBoxCheck(true);
       },
       {{TAct::Click, 2, 5, 60, 13}},
       2,
       5,
       {"can click 5,2", "click 5,2", "check up 2,5 0"},
       nullptr},
      {"a stacked radio group takes the item under the press and its caption",
       Stacked,
       {{TAct::Click, 3, 2, 20, 17}},
       3,
       2,
       {"can click 2,3", "radio 3,2 1", "radio up 3,2 1"},
       [](TZurEvoderOzod& Grid) {
         int32_t Idx = -1;
         EXPECT_TRUE(Grid.GetRadioIdx(3, 2, Idx));
         EXPECT_EQ(Idx, 1);
         EXPECT_EQ(S(Grid.Cells(3, 2)), "mid");
       }},
      {"a press on a radio item boundary selects nothing but moves the focus",
       Stacked,
       {{TAct::Click, 3, 2, 20, 0}},
       3,
       2,
       {"can click 2,3", "radio up 3,2 -1"},
       [](TZurEvoderOzod& Grid) { EXPECT_EQ(S(Grid.Cells(3, 2)), "d2"); }},
      // A press on a cell button asks whether the cell may be selected but
      // leaves the current cell where it is.
      {"a cell button clicks when released over it",
       Button,
       {{TAct::Press, 2, 4, 8, 8}, {TAct::Release, 2, 4, 8, 8}},
       1,
       1,
       {"can click 4,2", "click 4,2", "button 2,4"},
       nullptr},
      {"a cell button released elsewhere does not click",
       Button,
       {{TAct::Press, 2, 4, 8, 8}, {TAct::Release, 4, 5}},
       1,
       1,
       {"can click 4,2", "click 4,2"},
       nullptr},
      {"a double click on a data cell opens its editor",
       nullptr,
       {{TAct::Double, 3, 3}},
       3,
       3,
       {"can click 3,3", "click 3,3"},
       [this](TZurEvoderOzod&) { EXPECT_TRUE(TextEditorOpen()); }},
      {"direct editing opens the editor at the first press",
       [](TZurEvoderOzod& Grid) { Grid.MouseActions()->SetDirectEdit(true); },
       {{TAct::Click, 4, 2}},
       4,
       2,
       {"can click 2,4", "click 2,4"},
       [this](TZurEvoderOzod&) {
         ASSERT_TRUE(TextEditorOpen());
         EXPECT_EQ(S(G->GetInplaceEditor()->Text()), "e2");
       }},
      {"a second press on the current cell opens its editor",
       nullptr,
       {{TAct::Click, 1, 1}, {TAct::Click, 1, 1}},
       1,
       1,
       {"can click 1,1", "click 1,1", "can click 1,1", "click 1,1"},
       [this](TZurEvoderOzod&) { EXPECT_TRUE(TextEditorOpen()); }},
      {"a header cell is edited in place with a left press when asked",
       [](TZurEvoderOzod& Grid) { Grid.MouseActions()->SetFixedRowsEdit(fceLeftClick); },
       {{TAct::Press, 3, 0, 20, 12}},
       1,
       1,
       {"can click 0,3", "click 0,3"},
       [](TZurEvoderOzod& Grid) {
         ASSERT_TRUE(Grid.EditTrans()->Visible());
         EXPECT_EQ(S(Grid.EditTrans()->Text()), "H3");
       }},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TearDown();
    SetUp();
    AllowClicks = true;
    if (C.Set)
      C.Set(*G);
    G->FocusCell(1, 1);
    Pump();
    Log.clear();
    for (const TAct& A : C.Acts)
      Do(A);
    EXPECT_EQ(G->Col(), C.ToCol);
    EXPECT_EQ(G->Row(), C.ToRow);
    EXPECT_EQ(Log, C.Events);
    if (C.Check)
      C.Check(*G);
  }
}

TEST_F(Mouse, AUserSelectionBringsAParkedSelectionBack)
{
  G->FocusCell(2, 2);
  G->HideSelection();
  ASSERT_TRUE(G->IsSelectionHidden());
  KeyToFocus(Qt::Key_Down);
  EXPECT_EQ(G->Row(), 3);
  EXPECT_FALSE(G->IsSelectionHidden());
  EXPECT_TRUE(G->IsSelected(2, 3));

  G->HideSelection();
  Do({TAct::Click, 4, 5});
  EXPECT_FALSE(G->IsSelectionHidden());
  EXPECT_TRUE(G->IsSelected(4, 5));
}

TEST_F(Mouse, ADraggedEdgeSizesItsColumnOrRowAtTheRelease)
{
  // Columns are 70 wide and rows 26 high; the fixed column is column 0 and
  // the fixed row row 0. Each press is at an offset from a cell's top-left.
  struct TCase {
    const char* Name;
    TGridOptions Options;
    int32_t Col, Row, DX, DY; // the press
    int32_t MoveX, MoveY;     // how far the mouse then goes
    int32_t SizedCol, SizedRow;
    int32_t Size;
  };
  const TGridOptions Cols = GridOptionBit(goColSizing), Rows = GridOptionBit(goRowSizing);
  const TCase Cases[] = {
      {"a header's right edge", Cols, 2, 0, 68, 10, 25, 0, 2, -1, 95},
      {"a header's left edge sizes the column before it", Cols, 3, 0, 2, 10, -30, 0, 2, -1, 40},
      {"no narrower than a pixel", Cols, 2, 0, 68, 10, -200, 0, 2, -1, 1},
      {"a fixed row's row edge", Rows, 0, 2, 10, 24, 0, 14, -1, 2, 40},
      {"the middle of a header sizes nothing", Cols, 2, 0, 35, 10, 25, 0, -1, -1, 0},
      {"a data cell's edge sizes nothing", Cols, 2, 3, 68, 10, 25, 0, -1, -1, 0},
      {"no sizing without the option", 0, 2, 0, 68, 10, 25, 0, -1, -1, 0},
  };
  for (const TCase& K : Cases) {
    SCOPED_TRACE(K.Name);
    G->SetOptions((G->Options() & ~(Cols | Rows)) | K.Options);
    G->SetDefaultColWidth(70);
    G->SetDefaultRowHeight(26);
    Pump();
    int32_t Ended = 0;
    G->OnEndColumnSize = [&Ended](TObject*, int32_t) { ++Ended; };
    const QPoint From = At({TAct::Press, K.Col, K.Row, K.DX, K.DY});
    const QPoint To = From + QPoint(K.MoveX, K.MoveY);
    QTest::mouseMove(View(), From);
    Pump();
    const bool Sizing = K.SizedCol >= 0 || K.SizedRow >= 0;
    EXPECT_EQ(G->Cursor(), !Sizing ? crDefault : K.SizedCol >= 0 ? crHSplit : crVSplit);
    QTest::mousePress(View(), Qt::LeftButton, Qt::NoModifier, From);
    QTest::mouseMove(View(), To);
    Pump();
    // Nothing moves before the release.
    for (int32_t C = 0; C < G->ColCount(); ++C)
      EXPECT_EQ(G->ColWidths(C), 70);
    QTest::mouseRelease(View(), Qt::LeftButton, Qt::NoModifier, To);
    Pump();
    for (int32_t C = 0; C < G->ColCount(); ++C)
      EXPECT_EQ(G->ColWidths(C), C == K.SizedCol ? K.Size : 70) << "column " << C;
    for (int32_t R = 0; R < G->RowCount(); ++R)
      EXPECT_EQ(G->RowHeights(R), R == K.SizedRow ? K.Size : 26) << "row " << R;
    EXPECT_EQ(Ended, K.SizedCol >= 0 ? 1 : 0);
    EXPECT_EQ(G->GridState(), gsNormal);
    G->OnEndColumnSize = nullptr;
  }
  // Away from an edge the grid's own cursor comes back.
  G->SetOptions(G->Options() | Cols);
  G->SetCursor(crHandPoint);
  QTest::mouseMove(View(), At({TAct::Press, 3, 3}));
  QTest::mouseMove(View(), At({TAct::Press, 2, 0, 68, 10}));
  Pump();
  EXPECT_EQ(G->Cursor(), crHSplit);
  QTest::mouseMove(View(), At({TAct::Press, 2, 0, 35, 10}));
  Pump();
  EXPECT_EQ(G->Cursor(), crHandPoint);
}

TEST_F(Mouse, TheGridsOwnerMayRefuseAColumnSizing)
{
  G->SetOptions(G->Options() | GridOptionBit(goColSizing));
  Pump();
  std::vector<int32_t> Asked;
  G->OnColumnSize = [&Asked](TObject*, int32_t ACol, bool& Allow) {
    Asked.push_back(ACol);
    Allow = ACol != 2;
  };
  for (const int32_t Col : {2, 3}) {
    const QPoint From = At({TAct::Press, Col, 0, 68, 10});
    QTest::mousePress(View(), Qt::LeftButton, Qt::NoModifier, From);
    QTest::mouseMove(View(), From + QPoint(20, 0));
    QTest::mouseRelease(View(), Qt::LeftButton, Qt::NoModifier, From + QPoint(20, 0));
    Pump();
  }
  EXPECT_EQ(G->ColWidths(2), 70);
  EXPECT_EQ(G->ColWidths(3), 90);
  EXPECT_NE(std::find(Asked.begin(), Asked.end(), 2), Asked.end());
  EXPECT_NE(std::find(Asked.begin(), Asked.end(), 3), Asked.end());
}

// Rows hold numbers out of order in column 2 and words in column 3; the
// header row is the sort row.
class HeaderSort : public Mouse {
protected:
  void SetUp() override
  {
    Mouse::SetUp();
    const char* Numbers[] = {"30", "4", "100", "", "4", "7"};
    const char* Words[] = {"pear", "apple", "fig", "kiwi", "date", "lime"};
    for (int32_t R = 1; R < 7; ++R) {
      G->SetCells(2, R, QString::fromLatin1(Numbers[R - 1]));
      G->SetCells(3, R, QString::fromLatin1(Words[R - 1]));
    }
    G->SortSettings()->SetShow(true);
    G->SortSettings()->SetUndoSort(true);
  }
  void Header(int32_t Col, Qt::KeyboardModifiers M = Qt::NoModifier, int32_t DX = 20)
  {
    Do({TAct::Click, Col, 0, DX, 10, M});
  }
};

TEST_F(HeaderSort, SortReverseAndUnsortRoundTrip)
{
  const std::vector<std::string> Original = Column(3);
  Header(3);
  EXPECT_EQ(G->SortSettings()->Column(), 3);
  EXPECT_EQ(Column(3), (std::vector<std::string>{"apple", "date", "fig", "kiwi", "lime", "pear"}));
  Header(3);
  EXPECT_EQ(G->SortSettings()->Direction(), sdDescending);
  EXPECT_EQ(Column(3), (std::vector<std::string>{"pear", "lime", "kiwi", "fig", "date", "apple"}));
  Header(3);
  EXPECT_EQ(G->SortSettings()->Column(), -1);
  EXPECT_EQ(Column(3), Original);
  // The numbers came back with their rows.
  EXPECT_EQ(Column(2), (std::vector<std::string>{"30", "4", "100", "", "4", "7"}));
  EXPECT_EQ(Log, (TLog{"can click 0,3", "click 0,3", "fixed 3,0", "sorted 3", "can click 0,3", "click 0,3", "fixed 3,0",
                       "sorted 3", "can click 0,3", "click 0,3", "fixed 3,0", "sorted -1"}));

  // Without UndoSort the third click sorts ascending again.
  G->SortSettings()->SetUndoSort(false);
  Header(2);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"", "4", "4", "7", "30", "100"}));
  Header(2);
  Header(2);
  EXPECT_EQ(G->SortSettings()->Column(), 2);
  EXPECT_EQ(G->SortSettings()->Direction(), sdAscending);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"", "4", "4", "7", "30", "100"}));
}

TEST_F(HeaderSort, ClicksThatDoNotSort)
{
  struct TCase {
    const char* Name;
    std::function<void(TZurEvoderOzod&)> Set;
    int32_t DX;
  };
  const std::vector<TCase> Cases = {
      {"a header border with column sizing is a sizing click",
       [](TZurEvoderOzod& Grid) { Grid.SetOptions(Grid.Options() | GridOptionBit(goColSizing)); }, 67},
      {"the indicator is off", [](TZurEvoderOzod& Grid) { Grid.SortSettings()->SetShow(false); }, 20},
      {"the application refuses",
       [](TZurEvoderOzod& Grid) { Grid.OnCanSort = [](TObject*, int32_t, bool& DoSort) { DoSort = false; }; }, 20},
      {"two rows are too few to sort", [](TZurEvoderOzod& Grid) { Grid.SetRowCount(2); }, 20},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TearDown();
    SetUp();
    C.Set(*G);
    const std::vector<std::string> Before = Column(3);
    Header(3, Qt::NoModifier, C.DX);
    EXPECT_EQ(G->SortSettings()->Column(), -1);
    EXPECT_EQ(Column(3), Before);
  }
  // Four pixels from the border it sorts.
  TearDown();
  SetUp();
  G->SetOptions(G->Options() | GridOptionBit(goColSizing));
  Header(3, Qt::NoModifier, 66);
  EXPECT_EQ(G->SortSettings()->Column(), 3);
}

TEST_F(HeaderSort, TheIndexKeyAddsAColumnToAnIndexSort)
{
  G->SortSettings()->SetIndexShow(true);
  Header(2);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"", "4", "4", "7", "30", "100"}));
  // Shift adds the words as the second key: the two 4s come in word order.
  Header(3, Qt::ShiftModifier);
  EXPECT_EQ(G->SortIndexes()->Count(), 2);
  EXPECT_EQ(Column(3), (std::vector<std::string>{"kiwi", "apple", "date", "lime", "pear", "fig"}));
  // Shift on the second key again reverses it alone.
  Header(3, Qt::ShiftModifier);
  EXPECT_EQ(Column(3), (std::vector<std::string>{"kiwi", "date", "apple", "lime", "pear", "fig"}));
  // A plain click on another column replaces the index sort by it.
  Header(3);
  EXPECT_EQ(G->SortIndexes()->Count(), 1);
  EXPECT_EQ(G->SortSettings()->Column(), 3);
  EXPECT_EQ(Column(3), (std::vector<std::string>{"apple", "date", "fig", "kiwi", "lime", "pear"}));
}

TEST_F(HeaderSort, AHiddenColumnLeftOfTheClickedOneSortsTheColumnShown)
{
  G->HideColumn(1);
  // Display column 2 shows real column 3, the words.
  Header(2);
  EXPECT_EQ(G->SortSettings()->Column(), 3);
  EXPECT_EQ(Column(3), (std::vector<std::string>{"apple", "date", "fig", "kiwi", "lime", "pear"}));
}

} // namespace
