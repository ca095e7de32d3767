#include "grid/core/GridTransEdit.h"

#include "grid/core/ZurEvoderOzod.h"
#include "grid/edit/GridCombo.h"
#include "rtl/StringList.h"

// ---------------------------------------------------------------- TGridTransEdit

TGridTransEdit::TGridTransEdit(TZurEvoderOzod* AGrid) : TCustomEdit(AGrid), FGrid(AGrid) { SetVisible(false); }

TGridTransEdit::~TGridTransEdit() = default;

String TGridTransEdit::ClassName() const { return QStringLiteral("TGridTransEdit"); }

bool TGridTransEdit::StopEdit()
{
  if (!FGrid) {
    Hide();
    return true;
  }
  if (!Visible())
    return true;
  return FGrid->StopFixedEdit(this, FCol, FRow, true);
}

void TGridTransEdit::KeyDown(uint16_t& Key, TShiftState Shift)
{
  if (Key == VK_RETURN) {
    Key = 0;
    StopEdit();
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

void TGridTransEdit::KeyPress(char16_t& Key)
{
  if (Key == 13)
    Key = 0;
  TCustomEdit::KeyPress(Key);
}

bool TGridTransEdit::CMWantSpecialKey(uint16_t Key) { return Key == VK_RETURN; }

void TGridTransEdit::DoExit()
{
  StopEdit();
  TCustomEdit::DoExit();
}

// ---------------------------------------------------------------- TGridTransCombo

TGridTransCombo::TGridTransCombo(TZurEvoderOzod* AGrid) : TZogComboBox(AGrid), FGrid(AGrid) { SetVisible(false); }

TGridTransCombo::~TGridTransCombo() = default;

String TGridTransCombo::ClassName() const { return QStringLiteral("TGridTransCombo"); }

bool TGridTransCombo::StopEdit()
{
  if (!FGrid) {
    Hide();
    return true;
  }
  return FGrid->StopFixedEdit(this, FCol, FRow, false);
}

void TGridTransCombo::SizeDropDownWidth()
{
  if (FGrid)
    SetDropWidth(ComboDropWidthFor(this, FGrid->Font()));
}

void TGridTransCombo::KeyDown(uint16_t& Key, TShiftState Shift)
{
  // Return ends nothing here: the list is chosen from, then left.
  if (Key == VK_RETURN) {
    Key = 0;
    return;
  }
  TZogComboBox::KeyDown(Key, Shift);
}

void TGridTransCombo::KeyPress(char16_t& Key)
{
  if (Key == 13)
    Key = 0;
  TZogComboBox::KeyPress(Key);
}

bool TGridTransCombo::CMWantSpecialKey(uint16_t Key) { return Key == VK_RETURN; }

void TGridTransCombo::DoExit()
{
  if (Visible())
    StopEdit();
  TZogComboBox::DoExit();
}
