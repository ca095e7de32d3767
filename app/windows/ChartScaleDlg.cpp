#include "app/windows/ChartScaleDlg.h"

#include "app/windows/DialogParts.h"
#include "app/windows/QvNumEdit.h"
#include "chart/core/ChartAxis.h"
#include "platform/StdCtrls.h"
#include "rtl/Numbers.h"

TChartScaleDlg* ChartScaleDlg = nullptr;

namespace {

TQvNumEdit* MakeLimitEdit(TForm* Form, const char* Name, int32_t Top, const char* Text)
{
  auto* E = new TQvNumEdit(Form);
  E->SetName(QString::fromLatin1(Name));
  E->SetParent(Form);
  E->SetBounds(16, Top, 121, 21);
  E->SetMinValue(-9999);
  E->SetMaxValue(9999);
  E->SetDecimals(0);
  E->SetText(QString::fromLatin1(Text));
  return E;
}

} // namespace

TChartScaleDlg::TChartScaleDlg(TComponent* AOwner) : TForm(AOwner)
{
  MakeDialogForm(*this, "ChartScaleDlg", "Chart Scale", 233, 110);
  Label1 = MakeDialogLabel(this, "Label1", 16, 8, 121, "Minimum Value");
  QvNumEdit1 = MakeLimitEdit(this, "QvNumEdit1", 24, "-9999");
  Label2 = MakeDialogLabel(this, "Label2", 16, 56, 121, "Maximum Value");
  QvNumEdit2 = MakeLimitEdit(this, "QvNumEdit2", 72, "25");

  OKBtn = MakeDialogButton(this, "OKBtn", 152, 22, "OK", TDialogButton::Default, mrOk);
  OKBtn->OnClick = [this](TObject*) { OKBtnClick(); };

  CancelBtn = MakeDialogButton(this, "CancelBtn", 152, 70, "Auto", TDialogButton::Cancel, mrCancel);
  CancelBtn->OnClick = [this](TObject*) { CancelBtnClick(); };

  OnShow = [this](TObject*) { FormShow(); };
}

TChartScaleDlg::~TChartScaleDlg()
{
  if (ChartScaleDlg == this)
    ChartScaleDlg = nullptr;
}

String TChartScaleDlg::ClassName() const { return QStringLiteral("TChartScaleDlg"); }

void TChartScaleDlg::FormShow() { QvNumEdit1->SetText(QStringLiteral("0")); }

void TChartScaleDlg::OKBtnClick()
{
  int32_t Min = 0;
  int32_t Max = 0;
  try {
    Min = StrToInt(QvNumEdit1->Text());
    Max = StrToInt(QvNumEdit2->Text());
  } catch (...) {
    // The button gave the dialog its result before this ran.
    SetModalResult(mrNone);
    throw;
  }
  ChartScaleMin = Min;
  ChartScaleMax = Max;
  ChartScaleAuto = 0;
}

void TChartScaleDlg::CancelBtnClick() { ChartScaleAuto = 1; }

void ChartScaleAxisClick(TChartScaleDlg& Dialog, TChartAxis& Axis)
{
  if (Axis.IsDateTime())
    return;
  Dialog.ShowModal();
  if (Dialog.ChartScaleAuto != 0)
    Axis.SetAutomatic(true);
  else
    Axis.SetMinMax(Dialog.ChartScaleMin, Dialog.ChartScaleMax);
}
