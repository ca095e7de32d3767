#include "serial/ComSelectForm.h"

#include "rtl/Numbers.h"
#include "rtl/Strings.h"
#include "serial/PortProbe.h"
#include "serial/SioWin32Dispatcher.h"

#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "rtl/StringList.h"

#include <QApplication>

String MakeComName(uint32_t ComNum) { return QStringLiteral("\\\\.\\COM%1").arg(ComNum); }

bool IsPortAvailable(uint32_t ComNum)
{
  if (ComNum == 0)
    return false;
  // Asked of a dispatcher of its own, whether the port has a configuration:
  // that needs no opening, so a port another program holds is listed too.
  TSioWin32Dispatcher Probe(nullptr);
  return Probe.CheckPort(MakeComName(ComNum));
}

TComSelectForm::TComSelectForm(TComponent* AOwner) : TForm(AOwner)
{
  SetName(QStringLiteral("ComSelectForm"));
  SetCaption(QStringLiteral("Select Port"));
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 220, 131);

  Panel1 = new TPanel(this);
  Panel1->SetParent(this);
  Panel1->SetBounds(8, 8, 204, 81);
  Panel1->SetBevelOuter(bvLowered);
  Panel1->SetCaption(String());
  Label1 = new TLabel(this);
  Label1->SetParent(Panel1);
  Label1->SetBounds(8, 8, 0, 0);
  Label1->SetCaption(QStringLiteral("The configured serial port is not valid."));
  Label2 = new TLabel(this);
  Label2->SetParent(Panel1);
  Label2->SetBounds(8, 24, 0, 0);
  Label2->SetCaption(QStringLiteral("Please choose another port."));
  PortsComboBox = new TComboBox(this);
  PortsComboBox->SetParent(Panel1);
  PortsComboBox->SetStyle(csDropDownList);
  PortsComboBox->SetBounds(8, 48, 185, 21);

  OkBtn = new TButton(this);
  OkBtn->SetParent(this);
  OkBtn->SetBounds(56, 98, 75, 25);
  OkBtn->SetCaption(QStringLiteral("OK"));
  OkBtn->SetDefault(true);
  OkBtn->OnClick = [this](TObject*) { OkBtnClick(); };
  AbortBtn = new TButton(this);
  AbortBtn->SetParent(this);
  AbortBtn->SetBounds(137, 98, 75, 25);
  AbortBtn->SetCaption(QStringLiteral("Cancel"));
  AbortBtn->SetCancel(true);
  AbortBtn->SetModalResult(mrCancel);
  FormCreate();
}

TComSelectForm::~TComSelectForm() = default;

String TComSelectForm::ClassName() const { return QStringLiteral("TComSelectForm"); }

void TComSelectForm::OkBtnClick()
{
  // Nothing to choose: OK cannot stand for a port.
  if (SelectedComNum() > 0)
    SetModalResult(mrOk);
}

void TComSelectForm::FormCreate()
{
  for (uint32_t N = 1; N <= MaxProbedPort; ++N)
    if (IsPortAvailable(N))
      PortsComboBox->Items()->Add(QStringLiteral("COM%1").arg(N));
  if (PortsComboBox->Items()->Count() > 0)
    PortsComboBox->SetItemIndex(0);
  OkBtn->SetEnabled(PortsComboBox->Items()->Count() > 0);
}

String TComSelectForm::SelectedCom() const
{
  const int32_t I = PortsComboBox->ItemIndex();
  return I >= 0 ? PortsComboBox->Items()->Strings(I) : String();
}

int32_t TComSelectForm::SelectedComNum() const
{
  const String Com = SelectedCom();
  return Com.size() > 3 ? StrToIntDef(Copy(Com, 4, Com.size()), 0) : 0;
}

bool ExecuteComSelectDialog(uint16_t& ComNumber)
{
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    return false;
  TComSelectForm Form(nullptr);
  if (Form.ShowModal() != mrOk)
    return false;
  const int32_t N = Form.SelectedComNum();
  if (N <= 0 || N > 0xFFFF)
    return false;
  ComNumber = static_cast<uint16_t>(N);
  return true;
}
