// The grid's spin, combo, check-box and button editors as the keyboard
// drives them: what reaches the cell, where the current cell goes, which
// events fire. The set-up screen's two kinds (an address spin of 1..98 and
// choice-only port lists) are the first cases.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/core/tests/GuiInput.h"

#include "grid/base/GridBehaviour.h"
#include "grid/edit/GridCheckBox.h"
#include "grid/edit/GridCombo.h"
#include "grid/edit/GridSpin.h"
#include "platform/Forms.h"
#include "platform/Messages.h"
#include "platform/tests/QtTestApp.h"
#include "rtl/StringList.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

std::string S(const String& Q) { return Q.toStdString(); }
std::string N(int32_t I) { return std::to_string(I); }

// Column 1 spins 1..98 (the set-up screen's addresses), column 2 is a
// choice-only port list, column 3 an editable combo, column 4 a check box
// editor, column 5 a button editor. Column 0 and row 0 are fixed.
class CellEditors : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureQtApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(30, 30, 560, 300);
    G = new TZurEvoderOzod(Form.get());
    G->SetParent(Form.get());
    G->SetBounds(0, 0, 540, 260);
    G->SetColCount(6);
    G->SetRowCount(6);
    G->SetDefaultColWidth(80);
    G->SetDefaultRowHeight(26);
    G->SetOptions(G->Options() | GridOptionBit(goEditing));
    for (int32_t R = 1; R < 6; ++R) {
      G->SetCells(1, R, QString::number(R * 10));
      G->SetCells(2, R, QStringLiteral("COM1"));
      G->SetCells(3, R, QStringLiteral("9600"));
      G->SetCells(4, R, G->CheckFalse());
      G->SetCells(5, R, QStringLiteral("go"));
    }
    G->OnGetEditorType = [](TObject*, int32_t ACol, int32_t, TEditorType& AEditor) {
      const TEditorType Kinds[] = {edNormal, edSpinEdit, edComboList, edComboEdit, edCheckBox, edButton};
      AEditor = Kinds[ACol];
    };
    G->OnGetEditorProp = [this](TObject*, int32_t ACol, int32_t, TEditLink*) {
      if (ACol == 1) {
        G->EditSpin()->SetMinValue(1);
        G->EditSpin()->SetMaxValue(98);
        G->EditSpin()->SetIncrement(1);
      }
      if (ACol == 2 || ACol == 3) {
        G->ClearComboString();
        for (const char* Item : {"COM1", "COM2", "COM3"})
          G->AddComboString(QString::fromLatin1(Item));
      }
    };
    G->OnSpinClick = [this](TObject*, int32_t ACol, int32_t ARow, int32_t AValue, bool UpDown) {
      Log.push_back("spin " + N(ACol) + "," + N(ARow) + " " + N(AValue) + (UpDown ? " up" : " down"));
    };
    G->OnComboChange = [this](TObject*, int32_t ACol, int32_t ARow, int32_t Index, const String& Text) {
      Log.push_back("combo " + N(ACol) + "," + N(ARow) + " " + N(Index) + " " + S(Text));
    };
    G->OnEllipsClick = [this](TObject*, int32_t ACol, int32_t ARow, String& Value) {
      Log.push_back("ellips " + N(ACol) + "," + N(ARow) + " " + S(Value));
      Value = QStringLiteral("went");
    };
    G->OnButtonClick = [this](TObject*, int32_t ACol, int32_t ARow) {
      Log.push_back("button " + N(ACol) + "," + N(ARow));
    };
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Handle()));
    G->SetFocus();
    Pump();
  }

  static void Pump() { PumpInput(); }
  void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) { KeyToFocus(K, M); }
  void Type(const char* Text) { TypeToFocus(QString::fromLatin1(Text)); }
  void Edit(int32_t C, int32_t R)
  {
    G->FocusCell(C, R);
    Pump();
    Log.clear();
    Key(Qt::Key_F2);
  }

  std::string Selected() const
  {
    const TGridCombo* C = G->EditCombo;
    return S(C->Text().mid(C->SelStart(), C->SelLength()));
  }

  std::unique_ptr<TForm> Form;
  TZurEvoderOzod* G = nullptr;
  TLog Log;
};

TEST_F(CellEditors, KeySequencesInEachEditor)
{
  struct TStep {
    Qt::Key K = Qt::Key_unknown;
    const char* Typed = nullptr;
    Qt::KeyboardModifiers M = Qt::NoModifier;
  };
  struct TCase {
    const char* Name;
    int32_t Col, Row;
    std::function<void(TZurEvoderOzod&)> Set;
    std::vector<TStep> Steps;
    int32_t ToCol, ToRow;
    const char* Cell; // the edited cell afterwards
    TLog Events;
  };
  auto AllText = TStep{Qt::Key_A, nullptr, Qt::ControlModifier};
  const std::vector<TCase> Cases = {
      {"typed beyond the spin's maximum, Return stores the maximum",
       1,
       2,
       nullptr,
       {AllText, {Qt::Key_unknown, "150"}, {Qt::Key_Return}},
       1,
       2,
       "98",
       {}},
      {"typed below the minimum, the minimum",
       1,
       2,
       nullptr,
       {AllText, {Qt::Key_unknown, "0"}, {Qt::Key_Return}},
       1,
       2,
       "1",
       {}},
      {"equal limits clamp nothing",
       1,
       2,
       [](TZurEvoderOzod& Grid) {
         Grid.OnGetEditorProp = [&Grid](TObject*, int32_t, int32_t, TEditLink*) {
           Grid.EditSpin()->SetMinValue(5);
           Grid.EditSpin()->SetMaxValue(5);
         };
       },
       {AllText, {Qt::Key_unknown, "150"}, {Qt::Key_Return}},
       1,
       2,
       "150",
       {}},
      {"Up steps the value and stays in the cell; Return leaves it",
       1,
       2,
       nullptr,
       {{Qt::Key_Up}, {Qt::Key_Up}, {Qt::Key_Return}},
       1,
       2,
       "22",
       {"spin 1,2 21 up", "spin 1,2 22 up"}},
      {"Home goes to the maximum, End to the minimum",
       1,
       3,
       nullptr,
       {{Qt::Key_Home}, {Qt::Key_End}, {Qt::Key_Return}},
       1,
       3,
       "1",
       {"spin 1,3 98 up", "spin 1,3 1 down"}},
      {"Escape puts the text from before the edit back",
       1,
       4,
       nullptr,
       {{Qt::Key_Up}, {Qt::Key_Escape}},
       1,
       4,
       "40",
       {"spin 1,4 41 up"}},
      {"Down in a closed port list picks the next port",
       2,
       2,
       nullptr,
       {{Qt::Key_Down}, {Qt::Key_Return}},
       2,
       2,
       "COM2",
       {"combo 2,2 1 COM2"}},
      {"without ComboGetUpDown, Down leaves the port list for the next row",
       2,
       2,
       [](TZurEvoderOzod& Grid) { Grid.Navigation()->SetComboGetUpDown(false); },
       {{Qt::Key_Down}},
       2,
       3,
       "COM1",
       {}},
      {"a port chosen by typing is reported and written on Return",
       2,
       2,
       nullptr,
       {{Qt::Key_End}, {Qt::Key_Return}},
       2,
       2,
       "COM3",
       {"combo 2,2 2 COM3"}},
      {"Escape in a port list restores the cell",
       2,
       3,
       nullptr,
       {{Qt::Key_End}, {Qt::Key_Escape}},
       2,
       3,
       "COM1",
       {"combo 2,3 2 COM3"}},
      {"Escape in a choice-only combo keeps a text that is none of its items",
       2,
       4,
       [](TZurEvoderOzod& Grid) { Grid.SetCells(2, 4, QStringLiteral("USB0")); },
       {{Qt::Key_Escape}},
       2,
       4,
       "USB0",
       {"combo 2,4 0 COM1"}},
      {"an editable combo takes typed text",
       3,
       2,
       nullptr,
       {AllText, {Qt::Key_unknown, "192"}, {Qt::Key_Return}},
       3,
       2,
       "192",
       {"combo 3,2 -1 1", "combo 3,2 -1 19", "combo 3,2 -1 192"}},
      {"a check box toggled with Space and left with Down writes its state",
       4,
       2,
       nullptr,
       {{Qt::Key_Space}, {Qt::Key_Down}},
       4,
       3,
       "true",
       {}},
      {"a check box left with Escape writes nothing new", 4, 2, nullptr, {{Qt::Key_Escape}}, 4, 2, "false", {}},
      {"Escape on a button cell restores the cell", 5, 2, nullptr, {{Qt::Key_Escape}}, 5, 2, "go", {}},
      {"Space on a button asks OnEllipsClick and writes its answer",
       5,
       3,
       nullptr,
       {{Qt::Key_Space}},
       5,
       3,
       "went",
       {"ellips 5,3 go", "button 5,3"}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TearDown();
    SetUp();
    G->SetCheckTrue(QStringLiteral("true"));
    G->SetCheckFalse(QStringLiteral("false"));
    for (int32_t R = 1; R < 6; ++R)
      G->SetCells(4, R, QStringLiteral("false"));
    if (C.Set)
      C.Set(*G);
    Edit(C.Col, C.Row);
    for (const TStep& St : C.Steps) {
      if (St.Typed)
        Type(St.Typed);
      else
        Key(St.K, St.M);
    }
    EXPECT_EQ(G->Col(), C.ToCol);
    EXPECT_EQ(G->Row(), C.ToRow);
    EXPECT_EQ(S(G->Cells(C.Col, C.Row)), C.Cell);
    EXPECT_EQ(Log, C.Events);
  }
}

TEST_F(CellEditors, ARefusedSpinValueKeepsTheEditorOnItsCell)
{
  G->OnCellValidate = [](TObject*, int32_t, int32_t, String& Value, bool& Valid) { Valid = Value != "13"; };
  Edit(1, 2);
  Key(Qt::Key_A, Qt::ControlModifier);
  Type("13");
  Key(Qt::Key_Return);
  EXPECT_TRUE(G->EditSpin()->Visible());
  EXPECT_EQ(G->Row(), 2);
  // The cell's text is shown again with the caret at its end.
  EXPECT_EQ(S(G->EditSpin()->Text()), "20");
  Key(Qt::Key_Backspace);
  Key(Qt::Key_Backspace);
  Type("14");
  EXPECT_EQ(S(G->EditSpin()->Text()), "14");
  Key(Qt::Key_Return);
  EXPECT_FALSE(G->EditSpin()->Visible());
  EXPECT_EQ(S(G->Cells(1, 2)), "14");
}

TEST_F(CellEditors, TheComboShowsTheCellsItemAndCompletesFromItsItems)
{
  G->SetCells(2, 3, QStringLiteral("COM2"));
  Edit(2, 3);
  ASSERT_TRUE(G->EditCombo->Visible());
  EXPECT_EQ(G->EditCombo->ItemIndex(), 1);
  Key(Qt::Key_Escape);

  G->SetLookup(true);
  G->OnGetEditorProp = [this](TObject*, int32_t, int32_t, TEditLink*) {
    G->ClearComboString();
    G->AddComboString(QStringLiteral("Apple"));
    G->AddComboString(QStringLiteral("Apricot"));
  };
  G->LookupItems()->Add(QStringLiteral("Banana"));
  Edit(3, 2);
  Key(Qt::Key_A, Qt::ControlModifier);
  Type("b");
  EXPECT_EQ(S(G->EditCombo->Text()), "banana");
  EXPECT_EQ(Selected(), "anana");
  EXPECT_EQ(G->EditCombo->ItemIndex(), -1);
  Key(Qt::Key_A, Qt::ControlModifier);
  Type("ap");
  EXPECT_EQ(S(G->EditCombo->Text()), "apple");
  EXPECT_EQ(Selected(), "ple");
  EXPECT_EQ(G->EditCombo->ItemIndex(), 0);
  // Nothing before the caret completes nothing.
  Key(Qt::Key_Home);
  EXPECT_EQ(S(G->EditCombo->Text()), "apple");
}

TEST_F(CellEditors, TheEditorsAreTheGridsOwnAndAreNotStoredAsItsChildren)
{
  TGridSpin* Spin = G->EditSpin();
  EXPECT_EQ(G->EditSpin(), Spin);
  EXPECT_FALSE(Spin->Enabled());
  EXPECT_FALSE(Spin->Visible());
  EXPECT_EQ(Spin->MaxValue(), 100);
  EXPECT_EQ(G->EditCombo->ButtonWidth(), 16);
  EXPECT_EQ(G->GetCellEditorControl(), nullptr);
  Edit(1, 2);
  EXPECT_EQ(G->GetCellEditorControl(), Spin);
  int32_t Children = 0;
  G->GetChildren([&](TComponent*) { ++Children; }, G);
  EXPECT_EQ(Children, 0);
}

} // namespace
