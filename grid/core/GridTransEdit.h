#pragma once
// TGridTransEdit and TGridTransCombo: the grid's bare editors for fixed
// (header) cells, a plain edit and a combo box that the grid opens over a
// header cell (ShowFixedInplaceEdit, or a click as MouseActions asks). One
// of each per grid, made with it, hidden, and only moved, filled and shown.
//
// The edit ends when it loses the focus or Return is pressed in it; the
// combo when it loses the focus (Return in it is swallowed). Ending asks
// the grid's OnCellValidate with the text: accepted, OnEditingDone fires,
// the cell (FCol, FRow) takes the text as validation left it, the editor
// hides and (the edit only) OnEditCellDone fires; refused, a balloon on the
// editor shows the grid's InvalidEntry texts, the grid's current cell moves
// to the edited cell and the editor keeps the focus, so that the next
// StartFixedEdit cannot open meanwhile.
//
// Main thread only.
#include "grid/edit/ZogComboBox.h"
#include "platform/StdCtrls.h"

class TZurEvoderOzod;

class TGridTransEdit : public TCustomEdit {
public:
  explicit TGridTransEdit(TZurEvoderOzod* AGrid);
  ~TGridTransEdit() override;
  String ClassName() const override;
  // False when validation refused the text (the editor stays).
  bool StopEdit();
  void Detach() { FGrid = nullptr; }

  // The cell the text goes to: real column, row.
  int32_t FCol = -1;
  int32_t FRow = -1;
  // The edit serves the filter row.
  bool FFilterEdit = false;

protected:
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  bool CMWantSpecialKey(uint16_t Key) override;
  void DoExit() override;

private:
  TZurEvoderOzod* FGrid;
};

class TGridTransCombo : public TZogComboBox {
public:
  explicit TGridTransCombo(TZurEvoderOzod* AGrid);
  ~TGridTransCombo() override;
  String ClassName() const override;
  bool StopEdit();
  // Widens the opened list to its longest item (the grid's font).
  void SizeDropDownWidth();
  void Detach() { FGrid = nullptr; }

  int32_t FCol = -1;
  int32_t FRow = -1;

protected:
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  bool CMWantSpecialKey(uint16_t Key) override;
  void DoExit() override;

private:
  TZurEvoderOzod* FGrid;
};
