#pragma once
// TGridSpin: the grid's spin editor for the edSpinEdit, edFloatSpinEdit,
// edTimeSpinEdit and edDateSpinEdit cells. One per grid, made on first use
// and kept; the grid places, loads, shows and hides it.
//
// While it is up: Up and Down step the value and fire the grid's spin event
// of its kind (OnSpinClick, OnFloatSpinClick, OnDateSpinClick,
// OnTimeSpinClick) without leaving the cell; the page keys step without an
// event. Home sets the maximum and End the minimum (integers and floats;
// dates and times keep theirs) and fire OnSpinClick. Escape puts the text
// of the cell from before the edit back. Return and Tab clamp the value,
// store it in the cell and validate it: a refusal keeps the editor open on
// the cell showing the cell's text; an accepted value ends the edit (Tab
// with goTabs moves to the next cell, Return advances as after any edit).
// Every change of the text fires the grid's OnEditChange; the grid's
// OnKeyPress sees the typed characters first. Losing the focus clamps the
// value and ends the edit.
//
// Main thread only.
#include "grid/edit/ZogSpinEdit.h"

class TGridEditHost;

class TGridSpin : public TZogSpinEdit {
public:
  // AOwner is the grid (a control); AHost is the same grid as its editors
  // see it. Raises EInvalidCast "Invalid class typecast" without a host.
  TGridSpin(TComponent* AOwner, TGridEditHost* AHost);
  ~TGridSpin() override;
  String ClassName() const override;

  // The base's step, then the spin event of the current kind.
  void UpClick(TObject* Sender) override;
  void DownClick(TObject* Sender) override;
  // Fires the spin event of the current SpinType with the value as it is.
  void DoClick(bool UpDown);
  // Clamps an integer or float value into its limits (equal limits: none);
  // dates and times are left alone.
  void CheckMinMax();
  // The grid is going: nothing is called back from now on.
  void Detach();

protected:
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void WMChar(char16_t& Key, TShiftState Shift) override;
  bool CMWantSpecialKey(uint16_t Key) override;
  void DoExit() override;
  void Change() override;

private:
  // Escape: the text from before the edit, read back into the value.
  void RestoreCachedValue();

  TGridEditHost* FGrid;
};
