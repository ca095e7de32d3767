// The string grid driven from the keyboard on screen: where keys take the
// cursor across a hidden column and merged ranges, what editing through the
// text editor writes and where, what a refused value does, the events of a
// cell change and of an edit, Tab at the end of the grid, and the update
// lock.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/core/tests/GuiInput.h"

#include "grid/base/GridBehaviour.h"
#include "grid/edit/GridCombo.h"
#include "grid/edit/RurInplaceEdit.h"
#include "platform/Clipbrd.h"
#include "platform/Forms.h"
#include "platform/Messages.h"
#include "platform/StdCtrls.h"
#include "platform/tests/QtTestApp.h"
#include "rtl/StringList.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

std::string S(const String& Q) { return Q.toStdString(); }
std::string N(int32_t I) { return std::to_string(I); }

// One step of a key sequence: a key with its shift keys, or text typed.
struct TStep {
  Qt::Key K = Qt::Key_unknown;
  Qt::KeyboardModifiers M = Qt::NoModifier;
  const char* Typed = nullptr;
};
TStep K(Qt::Key Key, Qt::KeyboardModifiers M = Qt::NoModifier) { return TStep{Key, M, nullptr}; }
TStep T(const char* Typed) { return TStep{Qt::Key_unknown, Qt::NoModifier, Typed}; }

struct TCellText {
  int32_t RealCol, Row;
  const char* Text;
};

// Seven real columns, column 2 hidden, so that display columns 0 to 5 are
// real columns 0, 1, 3, 4, 5, 6; eight rows. Cell (real c, r) holds its
// column's letter and its row ("d3"). Two merged ranges: real columns 4 and
// 5 of row 2 (display 3 and 4), and real column 3 of rows 4 to 6 (display
// column 2).
class Editing : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureQtApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(30, 30, 620, 320);
    G = new TZurEvoderOzod(Form.get());
    G->SetParent(Form.get());
    G->SetBounds(0, 0, 560, 280);
    G->SetColCount(7);
    G->SetRowCount(8);
    G->SetDefaultColWidth(60);
    G->SetDefaultRowHeight(24);
    G->SetOptions(G->Options() | GridOptionBit(goEditing) | GridOptionBit(goTabs));
    for (int32_t R = 1; R < 8; ++R)
      for (int32_t C = 1; C < 7; ++C)
        G->SetCells(C, R, Text(C, R));
    G->HideColumn(2);
    G->MergeCells(4, 2, 2, 1);
    G->MergeCells(3, 4, 1, 3);
    Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(570, 10, 40, 24);
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Handle()));
    G->SetFocus();
    Pump();
  }

  static String Text(int32_t RealCol, int32_t Row) { return QString(QChar(u'a' + RealCol)) + QString::number(Row); }
  static void Pump() { PumpInput(); }
  // A key to whatever has the keyboard: the grid or its editor.
  void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) { KeyToFocus(K, M); }
  void Type(const QString& Text) { TypeToFocus(Text); }
  // F2, all the text selected, Text typed over it.
  void Edit(const QString& Text)
  {
    Key(Qt::Key_F2);
    Key(Qt::Key_A, Qt::ControlModifier);
    Type(Text);
  }
  // A validation that takes whole numbers only.
  void DigitsOnly()
  {
    G->OnCellValidate = [](TObject*, int32_t, int32_t, String& Value, bool& Valid) {
      bool Ok = false;
      Value.toInt(&Ok);
      Valid = Ok;
    };
  }
  void Start(int32_t C, int32_t R)
  {
    G->FocusCell(C, R);
    ASSERT_EQ(G->Col(), C);
    ASSERT_EQ(G->Row(), R);
  }
  // From (Col, Row) through the keys: the cursor lands on (ToCol, ToRow)
  // and the cells (real columns) hold their texts.
  void Play(int32_t Col, int32_t Row, const std::vector<TStep>& Keys, int32_t ToCol, int32_t ToRow,
            const std::vector<TCellText>& Texts)
  {
    Start(Col, Row);
    for (const TStep& Step : Keys) {
      if (Step.Typed)
        Type(QString::fromUtf8(Step.Typed));
      else
        Key(Step.K, Step.M);
    }
    EXPECT_EQ(G->Col(), ToCol);
    EXPECT_EQ(G->Row(), ToRow);
    for (const TCellText& X : Texts)
      EXPECT_EQ(S(G->Cells(X.RealCol, X.Row)), X.Text) << "cell " << X.RealCol << "," << X.Row;
  }
  TRurInplaceEdit* Editor() const { return G->GetInplaceEditor(); }
  bool EditorOpen() const { return Editor() && Editor()->Visible(); }

  std::unique_ptr<TForm> Form;
  TZurEvoderOzod* G = nullptr;
  TEdit* Other = nullptr;
};

} // namespace

TEST_F(Editing, KeySequencesAcrossAHiddenColumnAndMergedRanges)
{
  struct TCase {
    const char* Name;
    int32_t Col, Row; // display start
    std::vector<TStep> Keys;
    int32_t ToCol, ToRow;
    std::vector<TCellText> Texts; // real columns
  };
  const std::vector<TCase> Cases = {
      {"right steps over the hidden column", 1, 1, {K(Qt::Key_Right)}, 2, 1, {{2, 1, "c1"}}},
      {"left steps back over it", 2, 1, {K(Qt::Key_Left)}, 1, 1, {}},
      {"right into a merged range stops on its base", 2, 2, {K(Qt::Key_Right)}, 3, 2, {}},
      {"right out of the range lands beside its far edge", 3, 2, {K(Qt::Key_Right)}, 5, 2, {}},
      {"left into the range from the right stops on its base", 5, 2, {K(Qt::Key_Left)}, 3, 2, {}},
      {"left out of the range", 3, 2, {K(Qt::Key_Left)}, 2, 2, {}},
      {"down into a tall range stops on its base", 2, 3, {K(Qt::Key_Down)}, 2, 4, {}},
      {"down out of the tall range lands below it", 2, 4, {K(Qt::Key_Down)}, 2, 7, {}},
      {"up into the tall range from below stops on its base", 2, 7, {K(Qt::Key_Up)}, 2, 4, {}},
      {"up out of the tall range lands right above it", 2, 4, {K(Qt::Key_Up)}, 2, 3, {}},
      {"home and end of the row", 3, 5, {K(Qt::Key_End)}, 5, 5, {}},
      {"home", 4, 5, {K(Qt::Key_Home)}, 1, 5, {}},
      {"ctrl home goes to the first cell", 4, 6, {K(Qt::Key_Home, Qt::ControlModifier)}, 1, 1, {}},
      {"tab", 1, 1, {K(Qt::Key_Tab)}, 2, 1, {}},
      {"tab over a merged range", 2, 2, {K(Qt::Key_Tab), K(Qt::Key_Tab)}, 5, 2, {}},
      {"tab onto a covered cell goes to its base", 1, 5, {K(Qt::Key_Tab)}, 2, 4, {}},
      {"tab at the end of a row wraps", 5, 1, {K(Qt::Key_Tab)}, 1, 2, {}},
      {"shift tab at the start of a row goes back", 1, 3, {K(Qt::Key_Backtab, Qt::ShiftModifier)}, 5, 2, {}},
      {"tab at the last cell goes to the first", 5, 7, {K(Qt::Key_Tab)}, 1, 1, {}},
      {"editing writes the real column",
       2,
       1,
       {K(Qt::Key_F2), K(Qt::Key_A, Qt::ControlModifier), T("new"), K(Qt::Key_Return)},
       2,
       1,
       {{3, 1, "new"}, {2, 1, "c1"}}},
      {"typing opens the editor; down ends the edit in its own cell",
       4,
       3,
       {T("xy"), K(Qt::Key_Down)},
       4,
       4,
       {{5, 3, "xy"}, {5, 4, "f4"}}},
      {"editing a merged range writes its base",
       3,
       2,
       {K(Qt::Key_F2), K(Qt::Key_A, Qt::ControlModifier), T("m"), K(Qt::Key_Return)},
       3,
       2,
       {{4, 2, "m"}, {5, 2, "f2"}}},
      {"escape puts the old text back", 1, 6, {K(Qt::Key_F2), T("zz"), K(Qt::Key_Escape)}, 1, 6, {{1, 6, "b6"}}},
      {"tab in the editor ends the edit and moves on",
       1,
       7,
       {K(Qt::Key_F2), K(Qt::Key_A, Qt::ControlModifier), T("q"), K(Qt::Key_Tab)},
       2,
       7,
       {{1, 7, "q"}, {3, 7, "d7"}}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    SetUp();
    Play(C.Col, C.Row, C.Keys, C.ToCol, C.ToRow, C.Texts);
  }
}

TEST_F(Editing, TheEditingRoadAsksItsEventsInOrderWithTheRealColumn)
{
  TLog Log;
  G->OnCanEditCell = [&](TObject*, int32_t ARow, int32_t ACol, bool&) {
    Log.push_back("can edit " + N(ACol) + "," + N(ARow));
  };
  G->OnGetEditorType = [&](TObject*, int32_t ACol, int32_t ARow, TEditorType&) {
    Log.push_back("editor type " + N(ACol) + "," + N(ARow));
  };
  G->OnGetEditorProp = [&](TObject*, int32_t ACol, int32_t ARow, TEditLink*) {
    Log.push_back("editor prop " + N(ACol) + "," + N(ARow));
  };
  G->OnCellValidate = [&](TObject*, int32_t ACol, int32_t ARow, String& Value, bool&) {
    Log.push_back("validate " + N(ACol) + "," + N(ARow) + " " + S(Value));
  };
  G->OnCellsChanged = [&](TObject*, const TRect& R) { Log.push_back("cells changed " + N(R.Left) + "," + N(R.Top)); };
  G->OnEditingDone = [&](TObject*) { Log.push_back("editing done"); };
  G->OnEditCellDone = [&](TObject*, int32_t ACol, int32_t ARow) {
    Log.push_back("edit cell done " + N(ACol) + "," + N(ARow));
  };
  Start(2, 3);
  Log.clear();
  Edit(QStringLiteral("v"));
  Key(Qt::Key_Return);
  const auto Find = [&](const std::string& E) { return std::find(Log.begin(), Log.end(), E) - Log.begin(); };
  // Display column 2 is real column 3.
  ASSERT_LT(Find("editor type 3,3"), Log.size());
  EXPECT_LT(Find("editor type 3,3"), Find("editor prop 3,3"));
  EXPECT_LT(Find("editor prop 3,3"), Find("validate 3,3 v"));
  EXPECT_LT(Find("validate 3,3 v"), Find("cells changed 3,3"));
  EXPECT_LT(Find("cells changed 3,3"), Find("editing done"));
  EXPECT_LT(Find("editing done"), Find("edit cell done 2,3"));
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "validate 3,3 v"), 1);
  EXPECT_EQ(S(G->Cells(3, 3)), "v");
}

TEST_F(Editing, ACellChangeFiresItsEventsInOrderAndARefusalKeepsTheCell)
{
  TLog Log;
  G->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) { Log.push_back("key " + N(Key)); };
  G->OnColChanging = [&](TObject*, int32_t OldCol, int32_t NewCol, bool&) {
    Log.push_back("col changing " + N(OldCol) + ">" + N(NewCol));
  };
  G->OnRowChanging = [&](TObject*, int32_t OldRow, int32_t NewRow, bool&) {
    Log.push_back("row changing " + N(OldRow) + ">" + N(NewRow));
  };
  bool Refuse = false;
  G->OnCellChanging = [&](TObject*, int32_t OldRow, int32_t OldCol, int32_t NewRow, int32_t NewCol, bool& Allow) {
    Log.push_back("cell changing " + N(OldRow) + "," + N(OldCol) + ">" + N(NewRow) + "," + N(NewCol));
    Allow = !Refuse;
  };
  G->OnRowChanged = [&](TObject*, int32_t OldRow, int32_t NewRow) {
    Log.push_back("row changed " + N(OldRow) + ">" + N(NewRow));
  };
  Start(1, 1);
  Log.clear();
  Key(Qt::Key_Down);
  EXPECT_EQ(Log, (TLog{"key 40", "row changing 1>2", "cell changing 1,1>2,1", "row changed 1>2"}));

  Log.clear();
  Key(Qt::Key_Right);
  EXPECT_EQ(Log, (TLog{"key 39", "col changing 1>2", "cell changing 2,1>2,2"}));

  Log.clear();
  Refuse = true;
  Key(Qt::Key_Down);
  EXPECT_EQ(G->Row(), 2);
  EXPECT_EQ(G->Col(), 2);
  ASSERT_FALSE(Log.empty());
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "row changed 2>3"), 0);
}

TEST_F(Editing, ARefusedValueKeepsTheEditorWithTheOldTextRestorable)
{
  G->SetInvalidEntryTitle(QStringLiteral("Not a number"));
  G->SetInvalidEntryText(QStringLiteral("Type digits only"));
  DigitsOnly();
  Start(1, 4);
  Edit(QStringLiteral("bad"));
  Key(Qt::Key_Return);
  // The editor stays on the cell with the refused text selected to type
  // over; the cell keeps its old text.
  ASSERT_TRUE(EditorOpen());
  EXPECT_EQ(S(Editor()->Text()), "bad");
  EXPECT_EQ(S(Editor()->SelText()), "bad");
  EXPECT_EQ(S(G->Cells(1, 4)), "b4");
  EXPECT_EQ(G->Row(), 4);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("Not a number")));
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("Type digits only")));

  // The arrow keys do not leave the cell either.
  Type(QStringLiteral("worse"));
  Key(Qt::Key_Down);
  EXPECT_EQ(G->Row(), 4);
  EXPECT_EQ(S(G->Cells(1, 4)), "b4");

  // Escape gives up: the old text stays.
  Key(Qt::Key_Escape);
  EXPECT_FALSE(EditorOpen());
  EXPECT_EQ(S(G->Cells(1, 4)), "b4");

  // A value the handler takes goes in.
  Edit(QStringLiteral("42"));
  Key(Qt::Key_Return);
  EXPECT_FALSE(EditorOpen());
  EXPECT_EQ(S(G->Cells(1, 4)), "42");
}

TEST_F(Editing, AHandlersReplacementShowsInTheEditorAndTheCell)
{
  G->OnCellValidate = [](TObject*, int32_t, int32_t, String& Value, bool& Valid) {
    if (Value.size() > 3) {
      Value = Value.left(3);
      Valid = false;
    }
  };
  Start(1, 4);
  Edit(QStringLiteral("abcdef"));
  Key(Qt::Key_Return);
  ASSERT_TRUE(EditorOpen());
  EXPECT_EQ(S(Editor()->Text()), "abc");
  EXPECT_EQ(S(G->Cells(1, 4)), "abc");
}

TEST_F(Editing, AReadOnlyCellOpensNoEditorAndTheNextEditableOneDoes)
{
  G->OnCanEditCell = [](TObject*, int32_t ARow, int32_t ACol, bool& CanEdit) {
    if (ACol == 1 && ARow == 2)
      CanEdit = false;
  };
  Start(1, 1);
  Key(Qt::Key_Down);
  EXPECT_FALSE(G->Options() & GridOptionBit(goEditing));
  Key(Qt::Key_F2);
  Type(QStringLiteral("x"));
  Key(Qt::Key_Return);
  EXPECT_FALSE(EditorOpen());
  EXPECT_EQ(S(G->Cells(1, 2)), "b2");
  Key(Qt::Key_Down);
  EXPECT_TRUE(G->Options() & GridOptionBit(goEditing));
  Key(Qt::Key_F2);
  EXPECT_TRUE(EditorOpen());
}

TEST_F(Editing, AnEditorKindOfNoneOrOfASpecialEditorOpensNoTextEditor)
{
  G->OnGetEditorType = [](TObject*, int32_t ACol, int32_t, TEditorType& AEditor) {
    if (ACol == 1)
      AEditor = edNone;
    if (ACol == 3)
      AEditor = edComboList;
    if (ACol == 4)
      AEditor = edNumeric;
  };
  Start(1, 1);
  Key(Qt::Key_F2);
  EXPECT_FALSE(EditorOpen());
  Start(2, 1); // real column 3: the combo editor instead
  Key(Qt::Key_F2);
  EXPECT_FALSE(EditorOpen());
  EXPECT_TRUE(G->EditCombo->Visible());
  EXPECT_EQ(S(G->Cells(3, 1)), "d1");
  Key(Qt::Key_Escape);
  EXPECT_FALSE(G->EditCombo->Visible());
  EXPECT_EQ(S(G->Cells(3, 1)), "d1");
  Start(3, 1); // real column 4: numbers only
  Key(Qt::Key_F2);
  ASSERT_TRUE(EditorOpen());
  Key(Qt::Key_A, Qt::ControlModifier);
  Type(QStringLiteral("7a8"));
  Key(Qt::Key_Return);
  EXPECT_EQ(S(G->Cells(4, 1)), "78");
}

TEST_F(Editing, TabAtTheEndHandsTheFocusOnWithoutWritingIntoTheNextCell)
{
  G->Navigation()->SetTabToNextAtEnd(true);
  Start(5, 7);
  Edit(QStringLiteral("end"));
  Key(Qt::Key_Tab);
  Pump();
  EXPECT_EQ(S(G->Cells(6, 7)), "end");
  EXPECT_EQ(S(G->Cells(1, 1)), "b1");
  EXPECT_TRUE(Other->Focused());
  EXPECT_EQ(S(Other->Text()), "");
  EXPECT_FALSE(EditorOpen());
}

TEST_F(Editing, TabAtTheEndAppendsARowWhenAllowed)
{
  G->Navigation()->SetAdvanceInsert(true);
  TLog Log;
  G->OnCanAddRow = [&](TObject*, bool&) { Log.push_back("can add"); };
  G->OnAutoAddRow = [&](TObject*, int32_t ARow) { Log.push_back("added " + N(ARow)); };
  Start(5, 7);
  Edit(QStringLiteral("last"));
  Key(Qt::Key_Tab);
  EXPECT_EQ(G->RowCount(), 9);
  EXPECT_EQ(G->Row(), 8);
  EXPECT_EQ(G->Col(), 1);
  EXPECT_EQ(Log, (TLog{"can add", "added 8"}));
  EXPECT_EQ(S(G->Cells(6, 7)), "last");
  EXPECT_EQ(S(G->Cells(1, 8)), "");
  // The editor is open on the new row's first cell, empty.
  ASSERT_TRUE(EditorOpen());
  EXPECT_EQ(S(Editor()->Text()), "");
}

TEST_F(Editing, TabOverCellsItCannotStayOnComesToAnEnd)
{
  // Every normal cell counts as fixed: no cell can be visited, and each
  // Tab runs again from where the last one left the cursor.
  G->OnIsFixedCell = [](TObject*, int32_t, int32_t, bool& IsFixed) { IsFixed = true; };
  int32_t Keys = 0;
  G->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) { Keys += Key == VK_TAB; };
  Start(1, 1);
  EXPECT_TRUE(G->TabEdit(false));
  EXPECT_EQ(Keys, 1); // one Tab, one key event, however often it ran again
  EXPECT_TRUE(G->TabEdit(true));
  EXPECT_EQ(Keys, 2);

  // At the end with appending allowed, whole rows selected (so that the
  // cursor may stand on cells it cannot edit): one row appended, not one
  // for every row it then cannot stay on.
  G->Navigation()->SetAdvanceInsert(true);
  G->SetOptions(G->Options() | GridOptionBit(goRowSelect));
  Start(5, 7);
  const int32_t Rows = G->RowCount();
  EXPECT_TRUE(G->TabEdit(false));
  EXPECT_EQ(G->RowCount(), Rows + 1);
  EXPECT_EQ(Keys, 3);
}

// The lock stops the cells being painted (the scroll area's viewport), not
// the whole control: releasing that would repaint its frame and bars too.
TEST_F(Editing, TheUpdateLockBalancesWhetherOrNotTheGridIsShown)
{
  auto* Area = qobject_cast<QAbstractScrollArea*>(G->Handle());
  ASSERT_NE(Area, nullptr);
  QWidget* W = Area->viewport();
  G->BeginUpdate();
  G->BeginUpdate();
  EXPECT_FALSE(W->updatesEnabled());
  G->EndUpdate();
  EXPECT_TRUE(G->LockUpdate());
  EXPECT_FALSE(W->updatesEnabled());
  G->EndUpdate();
  EXPECT_FALSE(G->LockUpdate());
  EXPECT_TRUE(W->updatesEnabled());
  G->EndUpdate(); // never below 0
  EXPECT_EQ(G->UpdateCount(), 0);

  // Locked while shown, released while hidden: painting comes back.
  G->BeginUpdate();
  G->Hide();
  G->EndUpdate();
  G->Show();
  EXPECT_EQ(G->UpdateCount(), 0);
  EXPECT_TRUE(W->updatesEnabled());

  // Locked while hidden, released when shown.
  G->Hide();
  G->BeginUpdate();
  G->Show();
  EXPECT_TRUE(G->LockUpdate());
  G->EndUpdate();
  EXPECT_FALSE(G->LockUpdate());
  EXPECT_TRUE(W->updatesEnabled());

  G->StartUpdate();
  G->ResetUpdate();
  EXPECT_FALSE(G->IsUpdating());
  EXPECT_TRUE(Area->updatesEnabled());

  // A lock reset rather than ended lets the cells be painted again.
  G->BeginUpdate();
  G->ResetUpdate();
  EXPECT_FALSE(G->LockUpdate());
  EXPECT_TRUE(W->updatesEnabled());
}

// A scrolling table puts a row on top and takes the last one off at every
// sample: within one lock its scroll bar must neither move nor repaint,
// and a change that stays is taken up once the lock ends.
TEST_F(Editing, TheScrollRangeWaitsForTheEndOfTheLock)
{
  auto* Area = qobject_cast<QAbstractScrollArea*>(G->Handle());
  ASSERT_NE(Area, nullptr);
  G->SetRowCount(40);
  QScrollBar* Bar = Area->verticalScrollBar();
  const int Max = Bar->maximum();
  ASSERT_GT(Max, 1);
  int Changes = 0;
  QObject::connect(Bar, &QScrollBar::rangeChanged, [&Changes](int, int) { ++Changes; });

  G->BeginUpdate();
  G->InsertRows(1, 1);
  EXPECT_EQ(Bar->maximum(), Max);
  G->RemoveRows(G->RowCount() - 1, 1);
  G->EndUpdate();
  EXPECT_EQ(Changes, 0);
  EXPECT_EQ(Bar->maximum(), Max);

  G->BeginUpdate();
  G->InsertRows(1, 5);
  EXPECT_EQ(Changes, 0);
  G->EndUpdate();
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Bar->maximum(), Max + 5);

  // A lock given up by a reset still lets the bar follow.
  G->BeginUpdate();
  G->ResetUpdate();
  G->InsertRows(1, 2);
  EXPECT_EQ(Bar->maximum(), Max + 7);
}

TEST_F(Editing, TheGridTimerEndsTheIncrementalSearchAndBlinks)
{
  G->Navigation()->SetAutoGotoIncremental(true);
  G->SetEnableBlink(true);
  G->SearchInc = QStringLiteral("ab");
  const bool Phase = G->GridBlink();
  for (int I = 0; I < 3; ++I)
    G->WMTimer(TZurEvoderOzod::GridTimerID);
  EXPECT_EQ(S(G->SearchInc), "ab");
  EXPECT_NE(G->GridBlink(), Phase);
  G->WMTimer(TZurEvoderOzod::GridTimerID);
  EXPECT_TRUE(G->SearchInc.isEmpty());
  EXPECT_EQ(G->GridBlink(), Phase);
  EXPECT_EQ(G->TimerTicks(), 4);
  G->WMTimer(1); // another timer: not the grid's
  EXPECT_EQ(G->TimerTicks(), 4);
}

TEST_F(Editing, AClickAwayFromARefusedValueLeavesTheOtherCellAlone)
{
  G->SetInvalidEntryTitle(QStringLiteral("Digits"));
  DigitsOnly();
  Start(1, 4);
  Edit(QStringLiteral("bad"));
  QWidget* VP = qobject_cast<QAbstractScrollArea*>(G->Handle())->viewport();
  const TRect Target = G->CellRect(3, 5);
  QTest::mouseClick(VP, Qt::LeftButton, Qt::NoModifier, QPoint(Target.Left + 4, Target.Top + 4));
  Pump();
  EXPECT_EQ(G->Col(), 1);
  EXPECT_EQ(G->Row(), 4);
  EXPECT_EQ(S(G->Cells(4, 5)), "e5");
  EXPECT_EQ(S(G->Cells(1, 4)), "b4");
  ASSERT_TRUE(EditorOpen());
  EXPECT_EQ(S(Editor()->Text()), "bad");
  EXPECT_EQ(S(Editor()->SelText()), "bad");
}

TEST_F(Editing, TheComboEditorsChoiceReachesOnComboChangeWithTheRealColumn)
{
  TGridCombo* Combo = G->EditCombo;
  Combo->Items()->Add(QStringLiteral("COM1"));
  Combo->Items()->Add(QStringLiteral("COM2"));
  TLog Log;
  G->OnComboChange = [&](TObject*, int32_t ACol, int32_t ARow, int32_t Index, const String& Text) {
    Log.push_back(N(ACol) + "," + N(ARow) + " " + N(Index) + " " + S(Text));
  };
  G->OnComboCloseUp = [&](TObject*, int32_t ARow, int32_t ACol) {
    Log.push_back("close up " + N(ARow) + "," + N(ACol));
  };
  G->OnComboDropDown = [&](TObject*, int32_t ARow, int32_t ACol) {
    Log.push_back("drop down " + N(ARow) + "," + N(ACol));
  };
  Start(2, 3); // real column 3
  G->EditMode = true;
  Combo->SetItemIndex(1);
  G->ComboNotify(Combo, 1);
  Combo->SetItemIndex(-1);
  Combo->SetText(QStringLiteral("COM9"));
  G->ComboNotify(Combo, 5);
  G->ComboNotify(Combo, 7);
  G->ComboNotify(Combo, 8);
  EXPECT_EQ(Log, (TLog{"3,3 1 COM2", "3,3 -1 COM9", "drop down 3,3", "close up 3,3"}));
  // Typing while no edit is up: the displayed column, no item.
  Log.clear();
  G->EditMode = false;
  G->ComboNotify(Combo, 5);
  EXPECT_EQ(Log, (TLog{"2,3 -1 COM9"}));
}

TEST_F(Editing, ARefusedValueOfAnEditorWithoutTheFocusStaysInItsOwnCell)
{
  // A combo cell: its editor holds the edit without the text editor (and
  // its value lives in the cell).
  G->OnGetEditorType = [](TObject*, int32_t ACol, int32_t, TEditorType& AEditor) {
    if (ACol == 1)
      AEditor = edComboList;
  };
  G->SetInvalidEntryTitle(QStringLiteral("No"));
  G->OnCellValidate = [](TObject*, int32_t, int32_t, String& Value, bool& Valid) { Valid = Value != "bad"; };
  Start(1, 4);
  Key(Qt::Key_F2);
  G->SetCells(1, 4, QStringLiteral("bad"));
  Key(Qt::Key_Down);
  Pump();
  EXPECT_EQ(G->Row(), 4);
  EXPECT_EQ(S(G->Cells(1, 5)), "b5");

  // Towards a check-box cell, which the grid operates by clicks: the
  // refused value goes back to the edited cell, not into the check box.
  G->CreateCellGraphic(1, 5)->SetCheckBox(false, false, false, haLeft, vaTop);
  Start(1, 6);
  Start(1, 4);
  Key(Qt::Key_F2);
  G->SetCells(1, 4, QStringLiteral("bad"));
  Key(Qt::Key_Down);
  Pump();
  EXPECT_EQ(G->Row(), 4);
  EXPECT_EQ(S(G->Cells(1, 5)), "b5");
}

TEST_F(Editing, KeysThatTheSettingsSwitchOn)
{
  struct TCase {
    const char* Name;
    std::function<void(TZurEvoderOzod&)> Set;
    int32_t Col, Row;
    std::vector<TStep> Keys;
    int32_t ToCol, ToRow;
    int32_t Rows; // RowCount afterwards
    std::vector<TCellText> Texts;
  };
  auto Nav = [](auto Setter) { return [Setter](TZurEvoderOzod& G) { Setter(*G.Navigation()); }; };
  const std::vector<TCase> Cases = {
      {"insert adds a row before the current one",
       Nav([](TNavigation& N) { N.SetAllowInsertRow(true); }),
       1,
       3,
       {K(Qt::Key_Insert)},
       1,
       3,
       9,
       {{1, 3, ""}, {1, 4, "b3"}}},
      {"insert after",
       Nav([](TNavigation& N) {
         N.SetAllowInsertRow(true);
         N.SetInsertPosition(pInsertAfter);
       }),
       1,
       3,
       {K(Qt::Key_Insert)},
       1,
       4,
       9,
       {{1, 3, "b3"}, {1, 4, ""}}},
      {"delete removes the current row",
       Nav([](TNavigation& N) { N.SetAllowDeleteRow(true); }),
       1,
       3,
       {K(Qt::Key_Delete)},
       1,
       3,
       7,
       {{1, 3, "b4"}}},
      {"without the setting insert and delete change nothing",
       nullptr,
       1,
       3,
       {K(Qt::Key_Insert), K(Qt::Key_Delete)},
       1,
       3,
       8,
       {{1, 3, "b3"}}},
      {"down on the last row appends one",
       Nav([](TNavigation& N) { N.SetAppendOnArrowDown(true); }),
       1,
       7,
       {K(Qt::Key_Down)},
       1,
       8,
       9,
       {{1, 8, ""}}},
      {"loop: right in the last column goes to the first",
       Nav([](TNavigation& N) { N.SetCursorAdvance(caLoop); }),
       5,
       3,
       {K(Qt::Key_Right)},
       1,
       3,
       8,
       {}},
      {"snake: and on to the next row",
       Nav([](TNavigation& N) { N.SetCursorAdvance(caSnake); }),
       5,
       3,
       {K(Qt::Key_Right)},
       1,
       4,
       8,
       {}},
      {"scrolling only keeps the cell",
       Nav([](TNavigation& N) { N.SetMoveScrollOnly(true); }),
       1,
       3,
       {K(Qt::Key_Down), K(Qt::Key_PageDown)},
       1,
       3,
       8,
       {}},
      {"return moves on after an edit",
       Nav([](TNavigation& N) { N.SetAdvanceOnEnter(true); }),
       1,
       3,
       {K(Qt::Key_F2), T("x"), K(Qt::Key_Return)},
       2,
       3,
       8,
       {{1, 3, "x"}}},
      {"shift return moves back",
       Nav([](TNavigation& N) { N.SetAdvanceOnEnter(true); }),
       2,
       3,
       {K(Qt::Key_F2), T("y"), K(Qt::Key_Return, Qt::ShiftModifier)},
       1,
       3,
       8,
       {{3, 3, "y"}}},
      {"left skips a cell the application calls fixed",
       [](TZurEvoderOzod& G) {
         G.OnIsFixedCell = [](TObject*, int32_t ARow, int32_t ACol, bool& IsFixed) {
           IsFixed = ACol == 2 && ARow == 3;
         };
       },
       3,
       3,
       {K(Qt::Key_Left)},
       1,
       3,
       8,
       {}},
      {"select all with a range selection ends on the last cell",
       nullptr,
       2,
       2,
       {K(Qt::Key_A, Qt::ControlModifier)},
       5,
       7,
       8,
       {}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    SetUp();
    if (C.Set)
      C.Set(*G);
    Play(C.Col, C.Row, C.Keys, C.ToCol, C.ToRow, C.Texts);
    EXPECT_EQ(G->RowCount(), C.Rows);
  }
}

TEST_F(Editing, ClipboardKeysCopyCutAndPasteTheSelectedCells)
{
  G->Navigation()->SetAllowClipboardShortCuts(true);
  TLog Log;
  G->OnClipboardCopyDone = [&](TObject*, const TGridRect& R) { Log.push_back("copied " + N(R.Left) + "," + N(R.Top)); };
  Start(1, 1);
  Key(Qt::Key_Right, Qt::ShiftModifier);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(S(ClipboardAsText()), "b1\td1");
  EXPECT_EQ(Log, (TLog{"copied 1,1"}));
  EXPECT_FALSE(EditorOpen()); // Ctrl+C types nothing into a cell

  Start(1, 3);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(S(G->Cells(1, 3)), "b1");
  EXPECT_EQ(S(G->Cells(3, 3)), "d1");
  EXPECT_EQ(S(G->Cells(2, 3)), "c3"); // the hidden column keeps its text

  G->OnClipboardCut = [](TObject*, bool& Allow) { Allow = false; };
  Start(1, 6);
  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(S(G->Cells(1, 6)), "b6");
  G->OnClipboardCut = nullptr;
  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(S(G->Cells(1, 6)), "");
  EXPECT_EQ(S(ClipboardAsText()), "b6");
}

TEST_F(Editing, ValidationComparesWithTheTextTheEditBeganWith)
{
  TLog Log;
  struct TCase {
    const char* Name;
    bool Always;
    const char* Value;
    TLog Expected;
    bool Modified;
  };
  const TCase Cases[] = {
      {"unchanged text asks nothing", false, "b2", {}, false},
      {"unchanged text with AlwaysValidate is asked, nothing changed", true, "b2", {"validate 1,2 b2"}, false},
      {"a changed text is asked and announced", false, "new", {"validate 1,2 new", "changed 1,2"}, true},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    SetUp();
    G->OnCellValidate = [&](TObject*, int32_t ACol, int32_t ARow, String& Value, bool&) {
      Log.push_back("validate " + N(ACol) + "," + N(ARow) + " " + S(Value));
    };
    G->OnCellsChanged = [&](TObject*, const TRect& R) { Log.push_back("changed " + N(R.Left) + "," + N(R.Top)); };
    G->SetAlwaysValidate(C.Always);
    Start(1, 2);
    G->InitValidate(1, 2);
    G->FEditing = true;
    Log.clear();
    EXPECT_TRUE(G->ValidateCell(QString::fromUtf8(C.Value)));
    EXPECT_EQ(Log, C.Expected);
    EXPECT_EQ(G->Modified(), C.Modified);
    EXPECT_EQ(G->RowModified(2), C.Modified); // the grid has a fixed column
    // The edit is over: a second call answers at once.
    EXPECT_TRUE(G->ValidateCell(QStringLiteral("other")));
    EXPECT_EQ(S(G->Cells(1, 2)), C.Modified ? C.Value : "b2");
  }
}
