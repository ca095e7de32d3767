#include "app/windows/DialogParts.h"

#include "platform/StdCtrls.h"

void MakeDialogForm(TForm& Form, const char* Name, const char* Caption, int32_t ClientWidth, int32_t ClientHeight)
{
  Form.SetName(QString::fromLatin1(Name));
  Form.SetCaption(QString::fromLatin1(Caption));
  Form.SetBorderStyle(bsDialog);
  Form.SetFormStyle(fsStayOnTop);
  Form.SetPosition(poScreenCenter);
  Form.SetClientWidth(ClientWidth);
  Form.SetClientHeight(ClientHeight);
}

TLabel* MakeDialogLabel(TWinControl* Parent, const char* Name, int32_t Left, int32_t Top, int32_t Width,
                        const char* Caption)
{
  // Owned by the dialog, whether it lies on the dialog or on a panel of it.
  TComponent* Owner = dynamic_cast<TCustomForm*>(Parent) ? Parent : Parent->Owner();
  auto* L = new TLabel(Owner);
  L->SetName(QString::fromLatin1(Name));
  L->SetParent(Parent);
  L->SetBounds(Left, Top, Width, 13);
  L->SetCaption(QString::fromLatin1(Caption));
  return L;
}

TButton* MakeDialogButton(TForm* Form, const char* Name, int32_t Left, int32_t Top, const char* Caption,
                          TDialogButton Role, TModalResult Result)
{
  auto* B = new TButton(Form);
  B->SetName(QString::fromLatin1(Name));
  B->SetParent(Form);
  B->SetBounds(Left, Top, 75, 25);
  B->SetCaption(QString::fromLatin1(Caption));
  B->SetDefault(Role == TDialogButton::Default);
  B->SetCancel(Role == TDialogButton::Cancel);
  B->SetModalResult(Result);
  return B;
}
