#pragma once
// The display-name dialog ("Display Name Dialog"): the operator names the
// user display being saved. Made once at start-up and kept; shown without
// being modal by the main window's Save actions, which wait while it is
// visible and then write the settings file.
//
// OK: the menu item of user display UserDisplayIndex (1..6; any other index
// renames nothing) takes the typed name, and the next settings write stores
// the layout; the dialog closes. Cancel only closes it, so the write that
// follows keeps the old layout in the file.
//
// Main thread only.
#include "platform/Forms.h"

class IDisplayHost;
class TButton;
class TEdit;
class TLabel;

class TDisplayNameDlg : public TForm {
public:
  TDisplayNameDlg(TComponent* AOwner, IDisplayHost& Host);
  ~TDisplayNameDlg() override;
  String ClassName() const override;

  void OKBtnClick();
  void CancelBtnClick();

  TLabel* Label1 = nullptr;
  TEdit* Edit1 = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;

private:
  IDisplayHost& FHost;
};

extern TDisplayNameDlg* DisplayNameDlg;
