// The grid's text editor on a small grid that answers its questions: the
// character rules of each editor kind, the length limit, paste, lookup
// completion, and what validation's answer does to the open editor.
#include "grid/edit/RurInplaceEdit.h"

#include "grid/base/BaseGrid.h"
#include "grid/base/GridBehaviour.h"
#include "grid/edit/GridEditHost.h"
#include "platform/Clipbrd.h"
#include "platform/Forms.h"
#include "platform/Sound.h"
#include "platform/tests/QtTestApp.h"
#include "rtl/FormatSettings.h"
#include "rtl/StringList.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// A grid that is its own editing host, with settings the tests set and a
// validation whose answer the tests choose.
class TEditGrid : public TBaseGrid, public TGridEditHost {
public:
  explicit TEditGrid(TComponent* AOwner) : TBaseGrid(AOwner), FLookup(std::make_unique<TStringList>())
  {
    SetOptions(Options() | GridOptionBit(goEditing));
  }

  TEditorType Kind = edNormal;
  bool Accept = true;
  String Replacement; // what a refusing validation leaves, when set
  bool Tabs = false;
  int32_t Limit = 0;
  bool LookupOn = false;
  bool Case = false;
  String Valid;
  std::vector<std::string> Log;

  TRurInplaceEdit* Editor() const { return dynamic_cast<TRurInplaceEdit*>(InplaceEditor()); }

  // ---- TBaseGrid
  bool IsNode(int32_t) override { return false; }
  bool IsSummary(int32_t) override { return false; }
  bool IsCheckCell(int32_t, int32_t) override { return false; }
  void SetAsCheck(int32_t, int32_t, const String&) override {}

  // ---- Settings
  TNavigation* Navigation() const override { return FNavigation.get(); }
  TMouseActions* MouseActions() const override { return FMouseActions.get(); }
  int32_t MaxEditLength() const override { return Limit; }
  String ValidChars() const override { return Valid; }
  bool InValidCharSet(char16_t Ch) const override { return Ch == u'x' || Ch == u'y'; }
  bool ExcelStyleDecimalSeparator() const override { return false; }
  bool ForceDecimalSeparator() const override { return false; }
  bool Multilinecells() const override { return false; }
  bool WordWrap() const override { return false; }
  TVAlignment VAlignment() const override { return vtaTop; }
  bool Lookup() const override { return LookupOn; }
  TStringList* LookupItems() const override { return FLookup.get(); }
  bool LookupCaseSensitive() const override { return Case; }
  bool LookupHistory() const override { return false; }
  bool SizeWhileTypingHeight() const override { return false; }
  bool SizeWhileTypingWidth() const override { return false; }
  bool EditCellSet() const override { return FEditCellSet; }

  // ---- Cells and the edit
  int32_t RemapCol(int32_t ACol) const override { return ACol; }
  int32_t FixedRightCols() const override { return 0; }
  String GetCurrentCell() override { return GetCellEx(Col(), Row()); }
  void SetCurrentCell(const String& Value) override { SetCellEx(Col(), Row(), Value); }
  void SetEditCell(const String& Value) override
  {
    Log.push_back("store " + Value.toStdString());
    SetCellEx(Col(), Row(), Value);
  }
  bool ValidateCell(const String& NewValue) override
  {
    if (!FEditing)
      return true;
    FEditing = false;
    Log.push_back("validate " + NewValue.toStdString());
    if (Accept) {
      FNewCellText = NewValue;
      SetCellEx(Col(), Row(), NewValue);
      return true;
    }
    FNewCellText = Replacement.isEmpty() ? FOldCellText : Replacement;
    FEditing = true;
    return false;
  }
  void ShowInplaceEdit() override { ShowEditor(); }
  void HideInplaceEdit() override
  {
    if (!EditMode)
      return;
    Log.push_back("hide");
    HideEditor();
    EditMode = false;
  }
  void DoneEditing(int32_t, int32_t) override { Log.push_back("done"); }
  void DoGetEditorProp(int32_t ACol, int32_t ARow, TEditLink*) override
  {
    Log.push_back("prop " + std::to_string(ACol) + "," + std::to_string(ARow));
  }

  // ---- Moving on
  bool SelectCell(int32_t ACol, int32_t ARow) override { return TBaseGrid::SelectCell(ACol, ARow); }
  bool ShouldHandleTab() override { return Tabs; }
  bool TabEdit(bool Backward) override
  {
    Log.push_back(Backward ? "tab back" : "tab");
    return true;
  }
  void AppendLastRow() override { SetRowCount(RowCount() + 1); }
  void AdvanceEdit(int32_t, int32_t, bool, bool, bool Forward, bool, bool) override
  {
    Log.push_back(Forward ? "advance" : "advance back");
  }
  void WMKeyDown(uint16_t& Key, TShiftState Shift) override { TBaseGrid::WMKeyDown(Key, Shift); }
  void KeyPress(char16_t& Key) override { TBaseGrid::KeyPress(Key); }
  bool HasStaticEdit(int32_t, int32_t) override { return false; }
  void SelectAll() override {}
  void ClearRowSelectInt() override {}
  void SetRowSelect(int32_t, bool) override {}
  void AutoSizeRow(int32_t, int32_t) override {}
  void SizeToLines(int32_t, int32_t, int32_t) override {}
  void SizeToWidth(int32_t, bool) override {}
  int32_t MaxLinesInRow(int32_t) override { return 1; }
  int32_t YOffsetSize() override { return 0; }
  void WithoutSizeSync(const std::function<void()>& Action) override { Action(); }
  void Edit_WMKeyDown(uint16_t&, TShiftState) override {}
  void EditKeyDown(uint16_t&, TShiftState) override {}
  void EditProgress(const String&, TPoint, int32_t) override {}
  void SetCellSelectMode(bool) override {}

  // ---- Events
  void DoEditChange(int32_t, int32_t, const String&) override {}
  void DoDblClickCell(int32_t, int32_t) override {}
  void DoEndRowSize(int32_t) override {}
  void DoGridKeyDown(uint16_t& Key, TShiftState) override { Log.push_back("grid key " + std::to_string(Key)); }
  void DoClipboardCopy(TObject*, bool& Allow) override { Allow = AllowClipboard; }
  void DoClipboardCut(TObject*, bool& Allow) override { Allow = AllowClipboard; }
  void DoClipboardPaste(TObject*, bool& Allow) override { Allow = Allow && AllowClipboard; }
  void DoClipboardBeforePasteCell(TObject*, int32_t, int32_t, String&, bool&) override {}
  void DoClipboardAfterPasteCell(TObject*, int32_t, int32_t, const String& Value) override
  {
    Log.push_back("pasted " + Value.toStdString());
  }
  bool AllowClipboard = true;

  // ---- What the other special editors ask; the text editor asks none of it.
  TCustomGrid* EditGrid() override { return this; }
  int32_t GetFixedColsEx() const override { return FixedCols(); }
  int32_t GetColCountEx() const override { return ColCount(); }
  TPoint CellSpan(int32_t ACol, int32_t ARow) const override { return TBaseGrid::CellSpan(ACol, ARow); }
  void SetColEx(int32_t Value) override { SetCol(Value); }
  void DoneInplaceEdit(uint16_t, TShiftState) override {}
  void RestoreCache() override {}
  void UpdateEditingCell(int32_t, int32_t, const String&) override {}
  void EllipsClick(const String& Value, String& Result) override { Result = Value; }
  void ComboNotify(TCustomComboBox*, uint16_t) override {}
  void PostEditShow() override {}
  void WMKeyUp(uint16_t&, TShiftState) override {}
  void DoGridKeyUp(uint16_t&, TShiftState) override {}
  void DoGridKeyPress(TObject*, char16_t&) override {}
  void DoComboChange(int32_t, int32_t, int32_t, const String&, TObject*) override {}
  void DoSpinClick(int32_t, int32_t, int32_t, bool) override {}
  void DoFloatSpinClick(int32_t, int32_t, double, bool) override {}
  void DoDateSpinClick(int32_t, int32_t, TDateTime, bool) override {}
  void DoTimeSpinClick(int32_t, int32_t, TDateTime, bool) override {}

protected:
  bool CanEditShow() override
  {
    const bool Can = TBaseGrid::CanEditShow();
    if (Can && !EditMode) {
      EditControl = Kind;
      FCellCache = GetCurrentCell();
      FOldCellText = FCellCache;
      EditMode = true;
      FEditing = true;
    }
    return Can;
  }
  TInplaceEdit* CreateEditor() override { return new TRurInplaceEdit(this, this); }
  String GetEditText(int32_t ACol, int32_t ARow) override { return GetCellEx(ACol, ARow); }
  void SetEditText(int32_t ACol, int32_t ARow, const String& Value) override { SetCellEx(ACol, ARow, Value); }

private:
  std::unique_ptr<TNavigation> FNavigation = std::make_unique<TNavigation>();
  std::unique_ptr<TMouseActions> FMouseActions = std::make_unique<TMouseActions>();
  std::unique_ptr<TStringList> FLookup;
};

class InplaceEdit : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureQtApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(40, 40, 400, 260);
    G = new TEditGrid(Form.get());
    G->SetParent(Form.get());
    G->SetBounds(0, 0, 380, 240);
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Handle()));
    G->SetFocus();
  }

  // Opens the editor on cell (1, 1) holding Text, kind K, the caret at Caret
  // (-1: all selected).
  void Open(TEditorType K, const String& Text, int32_t Caret = -1)
  {
    G->Kind = K;
    G->SetCellEx(1, 1, Text);
    G->ShowEditor();
    QApplication::processEvents();
    ASSERT_NE(G->Editor(), nullptr);
    ASSERT_TRUE(G->Editor()->Visible());
    if (Caret >= 0)
      G->Editor()->SetSelStart(Caret);
  }
  QWidget* Keys() const { return G->Editor()->Handle(); }
  void Type(const QString& S) { QTest::keyClicks(Keys(), S); }

  std::unique_ptr<TForm> Form;
  TEditGrid* G = nullptr;
};

} // namespace

TEST_F(InplaceEdit, TypedCharactersFollowTheRulesOfTheKind)
{
  FormatSettings.DecimalSeparator = u'.';
  FormatSettings.ThousandSeparator = u',';
  struct TCase {
    const char* Name;
    TEditorType Kind;
    const char* Start;
    int32_t Caret;
    const char* Typed;
    const char* Result;
    uint32_t Beeps;
  };
  const TCase Cases[] = {
      {"plain text takes everything", edNormal, "", 0, "a-1.,", "a-1.,", 0},
      {"numeric: digits", edNumeric, "12", 2, "34", "1234", 0},
      {"numeric: a minus not at the start beeps", edNumeric, "12", 2, "-", "12", 1},
      {"numeric: a minus at the start", edNumeric, "12", 0, "-", "-12", 0},
      {"numeric: a letter beeps", edNumeric, "12", 2, "a", "12", 1},
      {"positive numeric: a minus beeps", edPositiveNumeric, "5", 0, "-", "5", 1},
      {"float: a second separator is dropped", edFloat, "1.5", 3, ".", "1.5", 0},
      {"float: the thousands separator is dropped", edFloat, "1", 1, ",", "1", 0},
      {"float: a letter is dropped", edFloat, "1", 1, "a", "1", 0},
      {"float: a minus at the start", edFloat, "1", 0, "-", "-1", 0},
      {"float: a minus inside beeps", edFloat, "12", 1, "-", "12", 1},
      {"positive float: a minus is dropped", edPositiveFloat, "1", 0, "-", "1", 0},
      {"capital letters", edCapital, "", 0, "ab", "AB", 0},
      {"upper case", edUpperCase, "", 0, "ab", "AB", 0},
      {"lower case", edLowerCase, "", 0, "AB", "ab", 0},
      {"mixed case capitalises each word", edMixedCase, "", 0, "ann lee", "Ann Lee", 0},
      {"valid characters: the list", edValidChars, "", 0, "abz", "ab", 1},
      {"no typing into a kind without text", edComboList, "keep", 4, "z", "keep", 0},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    G->Valid = C.Kind == edValidChars ? QStringLiteral("abc") : String();
    Open(C.Kind, QString::fromUtf8(C.Start), C.Caret);
    const uint32_t Before = MessageBeepCount();
    Type(QString::fromUtf8(C.Typed));
    EXPECT_EQ(G->Editor()->Text(), QString::fromUtf8(C.Result));
    EXPECT_EQ(MessageBeepCount() - Before, C.Beeps);
    G->HideInplaceEdit();
  }
}

TEST_F(InplaceEdit, ValidCharactersFromTheSetWhenNoListIsGiven)
{
  Open(edValidChars, String(), 0);
  Type(QStringLiteral("xqy"));
  EXPECT_EQ(G->Editor()->Text(), QStringLiteral("xy"));
}

TEST_F(InplaceEdit, TheLengthLimitStopsTypingButNeverCutsTheCell)
{
  G->Limit = 4;
  Open(edNormal, QStringLiteral("abcd"), 4);
  Type(QStringLiteral("e"));
  EXPECT_EQ(G->Editor()->Text(), QStringLiteral("abcd"));
  QTest::keyClick(Keys(), Qt::Key_Backspace);
  EXPECT_EQ(G->Editor()->Text(), QStringLiteral("abc"));
  G->HideInplaceEdit();

  // A cell already longer than the limit keeps its whole text.
  Open(edNormal, QStringLiteral("abcdefgh"));
  EXPECT_EQ(G->Editor()->Text(), QStringLiteral("abcdefgh"));
  G->HideInplaceEdit();
  EXPECT_EQ(G->GetCellEx(1, 1), QStringLiteral("abcdefgh"));
}

TEST_F(InplaceEdit, PasteTakesWhatFitsTheKindAndStoresTheCell)
{
  struct TCase {
    const char* Name;
    TEditorType Kind;
    int32_t Limit;
    const char* Start;
    const char* Clip;
    const char* Result;
    bool Stored; // the grid stored the editor's text at once
  };
  const TCase Cases[] = {
      {"numeric takes an integer with a closing line break", edNumeric, 0, "", "42\r\n", "42", true},
      {"numeric refuses a line break inside", edNumeric, 0, "", "4\r\n2", "", true},
      {"positive numeric refuses a minus", edPositiveNumeric, 0, "", "-3", "", true},
      {"float takes a float", edFloat, 0, "", "1.25", "1.25", true},
      {"capital pastes unchanged", edCapital, 0, "", "ab", "ab", true},
      {"upper case pastes upper-cased", edUpperCase, 0, "", "ab", "AB", true},
      {"two characters fit the limit", edNormal, 4, "", "ab", "ab", true},
      {"five do not", edNormal, 4, "", "abcde", "", false},
      {"nor do three onto two", edNormal, 4, "xy", "abc", "xy", false},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    G->Limit = C.Limit;
    Open(C.Kind, QString::fromUtf8(C.Start), static_cast<int32_t>(strlen(C.Start)));
    SetClipboardAsText(QString::fromUtf8(C.Clip));
    G->Log.clear();
    QTest::keyClick(Keys(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(G->Editor()->Text(), QString::fromUtf8(C.Result));
    const bool Stored = !G->Log.empty() && G->Log.front().rfind("store", 0) == 0;
    EXPECT_EQ(Stored, C.Stored);
    if (C.Stored) {
      EXPECT_EQ(G->GetCellEx(1, 1), QString::fromUtf8(C.Result));
    }
    G->HideInplaceEdit();
  }
}

TEST_F(InplaceEdit, PasteReplacesTheSelectionAndTheGridMayForbidIt)
{
  Open(edNormal, QStringLiteral("hello"));
  G->Editor()->SetSelStart(1);
  G->Editor()->SetSelLength(3);
  SetClipboardAsText(QStringLiteral("ELL"));
  QTest::keyClick(Keys(), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(G->Editor()->Text(), QStringLiteral("hELLo"));
  EXPECT_EQ(G->Editor()->SelText(), QStringLiteral("ELL"));

  G->AllowClipboard = false;
  G->Editor()->SelectAll();
  QTest::keyClick(Keys(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(G->Editor()->Text(), QStringLiteral("hELLo"));
  // Copying is refused too: the clipboard keeps what it had.
  QTest::keyClick(Keys(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(ClipboardAsText(), QStringLiteral("ELL"));
}

TEST_F(InplaceEdit, LookupCompletesTheTypedTextAndBackspaceDoesNotComplete)
{
  G->LookupOn = true;
  G->LookupItems()->Add(QStringLiteral("Apple"));
  G->LookupItems()->Add(QStringLiteral("Apricot"));
  Open(edNormal, String(), 0);
  Type(QStringLiteral("ap"));
  EXPECT_EQ(G->Editor()->Text(), QStringLiteral("apple"));
  EXPECT_EQ(G->Editor()->SelText(), QStringLiteral("ple"));
  QTest::keyClick(Keys(), Qt::Key_Backspace);
  EXPECT_EQ(G->Editor()->Text(), QStringLiteral("ap"));
  Type(QStringLiteral("r"));
  EXPECT_EQ(G->Editor()->Text(), QStringLiteral("apricot"));
  // With the caret at the start nothing was typed: nothing is completed
  // (the text stays as it is).
  G->Editor()->SetText(QStringLiteral("zz"));
  G->Editor()->SetSelStart(0);
  QTest::keyClick(Keys(), Qt::Key_Home);
  EXPECT_EQ(G->Editor()->Text(), QStringLiteral("zz"));
}

TEST_F(InplaceEdit, ReturnValidatesAndARefusalKeepsTheEditorWithTheOldText)
{
  Open(edNormal, QStringLiteral("old"));
  Type(QStringLiteral("new"));
  G->Accept = false;
  QTest::keyClick(Keys(), Qt::Key_Return);
  ASSERT_TRUE(G->Editor()->Visible());
  EXPECT_EQ(G->Editor()->Text(), QStringLiteral("old"));
  EXPECT_EQ(G->Editor()->SelText(), QStringLiteral("old")); // all selected to type over
  // The handler was asked once for the one Return.
  EXPECT_EQ(std::count(G->Log.begin(), G->Log.end(), "validate new"), 1);

  // A refusal that leaves a replacement shows the replacement.
  G->Replacement = QStringLiteral("fixed");
  Type(QStringLiteral("bad"));
  QTest::keyClick(Keys(), Qt::Key_Return);
  EXPECT_EQ(G->Editor()->Text(), QStringLiteral("fixed"));

  G->Accept = true;
  Type(QStringLiteral("good"));
  QTest::keyClick(Keys(), Qt::Key_Return);
  EXPECT_FALSE(G->Editor()->Visible());
  EXPECT_EQ(G->GetCellEx(1, 1), QStringLiteral("good"));
}

TEST_F(InplaceEdit, EscapePutsTheCellBackAndTabGoesToTheGridAfterValidation)
{
  Open(edNormal, QStringLiteral("before"));
  Type(QStringLiteral("after"));
  QTest::keyClick(Keys(), Qt::Key_Escape);
  EXPECT_FALSE(G->Editor()->Visible());
  EXPECT_EQ(G->GetCellEx(1, 1), QStringLiteral("before"));

  G->Tabs = true;
  G->SetOptions(G->Options() | GridOptionBit(goTabs));
  Open(edNormal, QStringLiteral("x"));
  G->Log.clear();
  Type(QStringLiteral("y"));
  QTest::keyClick(Keys(), Qt::Key_Tab);
  // Hiding gives the grid the focus, which ends the edit.
  EXPECT_EQ(G->Log, (std::vector<std::string>{"validate y", "hide", "done", "tab"}));

  // Refused: the editor stays and the grid's key event hears of the Tab.
  Open(edNormal, QStringLiteral("x"));
  G->Accept = false;
  G->Log.clear();
  Type(QStringLiteral("z"));
  QTest::keyClick(Keys(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(G->Editor()->Visible());
  EXPECT_EQ(G->Log, (std::vector<std::string>{"validate z", "grid key 9"}));
}

TEST_F(InplaceEdit, TheGridMayChangeTheEditorOnceItShows)
{
  G->Log.clear();
  Open(edNormal, QStringLiteral("v"));
  EXPECT_EQ(G->Log, (std::vector<std::string>{"prop 1,1"}));
}
