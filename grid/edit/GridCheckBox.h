#pragma once
// TGridCheckBox and TGridButton: the grid's check-box editor (edCheckBox)
// and push-button editor (edButton). One of each per grid, made with it and
// kept; the grid places, loads, shows and hides them.
//
// The check box: Space toggles it; Return, the page keys, End and the
// arrows end the edit and give the grid the focus (Return advances when
// Navigation.AdvanceOnEnter, Up and Down move the current row). Its state
// goes into the cell as the grid's check texts when the edit ends.
//
// The button: captioned with the cell's text. Its click fires the grid's
// OnButtonClick (bound by the grid); a mouse or Space release on it first
// asks OnEllipsClick with the caption, and what the handler leaves becomes
// the caption and the cell's text. The arrows end the edit and reach the
// grid as keys; Escape puts the cell's text from before the edit back and
// reaches the grid.
//
// Both end the edit when they lose the focus. Main thread only.
#include "platform/StdCtrls.h"

class TGridEditHost;

class TGridCheckBox : public TCheckBox {
public:
  // Raises EInvalidCast "Invalid class typecast" without a host.
  TGridCheckBox(TComponent* AOwner, TGridEditHost* AHost);
  ~TGridCheckBox() override;
  String ClassName() const override;
  // The grid is going: nothing is called back from now on.
  void Detach() { FGrid = nullptr; }

protected:
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void DoExit() override;

private:
  TGridEditHost* FGrid;
};

class TGridButton : public TButton {
public:
  // Raises EInvalidCast "Invalid class typecast" without a host.
  TGridButton(TComponent* AOwner, TGridEditHost* AHost);
  ~TGridButton() override;
  String ClassName() const override;
  void Detach() { FGrid = nullptr; }

protected:
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  bool CMWantSpecialKey(uint16_t Key) override;
  void DoExit() override;
  // The mouse release reaches the grid's ellipsis event before the
  // button's own click.
  bool WidgetEvent(QObject* Watched, QEvent* Event) override;

private:
  // OnEllipsClick with the caption; the answer becomes caption and cell.
  void AskEllipsis();
  // Hidden and disabled, the edit over, the grid focused.
  void PutAway();

  TGridEditHost* FGrid;
};
