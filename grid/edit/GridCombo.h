#pragma once
// TGridCombo: the grid's combo editor, an edit with a list (edComboEdit) or
// a choice of the list only (edComboList). One per grid, made with it and
// kept; the grid fills its items (OnGetEditorProp), places, loads, shows and
// hides it.
//
// While it is up: the grid's OnKeyDown, OnKeyUp and OnKeyPress see its keys
// first (not the navigation keys). Escape puts the text of the cell from
// before the edit back and ends the edit. Return, Up and Down (in an
// editable combo; in a choice-only one Up and Down change the choice) store
// the text in the cell and validate it: a refusal keeps the editor on the
// cell with the text validation left; an accepted value ends the edit and
// the grid moves on. Tab, when the grid takes it, does the same and tabs.
// In a choice-only or dropped-down combo Left and Right end the edit and
// move the current cell. A choice made by typing or with the wheel fires
// OnComboChange and OnComboObjectChange (real column); every change of the
// edit text fires OnEditChange; the grid hears the combo's selection,
// drop-down and close-up notifications. With the grid's Lookup on, typing
// completes the text from the items or LookupItems and selects the
// completed tail; LookupHistory keeps what was typed as a new item when
// the editor is left. Losing the focus ends the edit.
//
// Main thread only.
#include "grid/edit/ZogComboBox.h"

class TFont;
class TGridEditHost;

// The list width that shows every item of Box measured in Font: widened
// beyond the box where an item needs it (more room when the list scrolls).
int32_t ComboDropWidthFor(TCustomComboBox* Box, TFont* Font);

class TGridCombo : public TZogComboBox {
public:
  // AOwner is the grid; AHost the same grid as its editors see it. Raises
  // EInvalidCast "Invalid class typecast" without a host.
  TGridCombo(TComponent* AOwner, TGridEditHost* AHost);
  ~TGridCombo() override;
  String ClassName() const override;

  // The lookup completion of the next change is allowed; off after
  // Backspace and Delete.
  bool WorkMode = true;
  // Return typed in the combo.
  TNotifyEvent OnReturnKey;

  // Widens the opened list to its longest item (the grid's font).
  void SizeDropDownWidth();
  // Completes the text before the caret from the items, else from the
  // grid's LookupItems, and selects the completed tail.
  void DoChange();
  // The caret and selection of the edit field (csDropDown only).
  int32_t SelStart() const;
  int32_t SelLength() const;
  void SetEditSel(int32_t Start, int32_t End);
  // The grid is going: nothing is called back from now on.
  void Detach();

protected:
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  bool CMWantSpecialKey(uint16_t Key) override;
  bool DoMouseWheel(TShiftState Shift, int32_t WheelDelta, const TPoint& MousePos) override;
  void DoEnter() override;
  void DoExit() override;
  void Change() override;
  void Select() override;
  void DropDown() override;
  void CloseUp() override;

private:
  // Validates the text on leaving; false (key swallowed) when refused.
  bool StoreAndValidate(uint16_t& Key, bool SelectAllOnRefusal);
  // The cursor walk of Left at the start and Right at the end of the text.
  void Walk(uint16_t& Key, bool Right);
  void ReportChoice();

  TGridEditHost* FGrid;
  bool FSelecting = false;
};
