#include "app/windows/DisplayNameDlg.h"

#include "app/core/CoreData.h"
#include "app/windows/DialogParts.h"
#include "app/windows/DisplayHost.h"
#include "platform/StdCtrls.h"

TDisplayNameDlg* DisplayNameDlg = nullptr;

TDisplayNameDlg::TDisplayNameDlg(TComponent* AOwner, IDisplayHost& Host) : TForm(AOwner), FHost(Host)
{
  MakeDialogForm(*this, "DisplayNameDlg", "Display Name Dialog", 265, 96);

  Label1 = MakeDialogLabel(this, "Label1", 8, 8, 249, "Enter New Display Name:");

  Edit1 = new TEdit(this);
  Edit1->SetName(QStringLiteral("Edit1"));
  Edit1->SetParent(this);
  Edit1->SetBounds(8, 26, 249, 21);
  Edit1->SetText(String());

  OKBtn = MakeDialogButton(this, "OKBtn", 102, 60, "OK", TDialogButton::Default, mrNone);
  OKBtn->OnClick = [this](TObject*) { OKBtnClick(); };

  CancelBtn = MakeDialogButton(this, "CancelBtn", 182, 60, "Cancel", TDialogButton::Cancel, mrNone);
  CancelBtn->OnClick = [this](TObject*) { CancelBtnClick(); };
}

TDisplayNameDlg::~TDisplayNameDlg()
{
  if (DisplayNameDlg == this)
    DisplayNameDlg = nullptr;
}

String TDisplayNameDlg::ClassName() const { return QStringLiteral("TDisplayNameDlg"); }

void TDisplayNameDlg::OKBtnClick()
{
  const int32_t N = FHost.Core().UserDisplayIndex;
  if (N >= 1 && N <= 6)
    FHost.SetUserDisplayCaption(N, Edit1->Text());
  FHost.RequestLayoutSave();
  Close();
}

void TDisplayNameDlg::CancelBtnClick() { Close(); }
