#include "serial/ComSelectForm.h"

#include "rtl/Numbers.h"
#include "rtl/Strings.h"
#include "serial/PortProbe.h"
#include "serial/SioWin32Dispatcher.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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

TComSelectForm::TComSelectForm(QWidget* Parent) : QDialog(Parent)
{
  setWindowTitle(QStringLiteral("Select Port"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(220, 131);

  auto* Frame = new QFrame(this);
  Frame->setFrameShape(QFrame::StyledPanel);
  Frame->setFrameShadow(QFrame::Sunken);
  Label1 = new QLabel(QStringLiteral("The configured serial port is not valid."), Frame);
  Label2 = new QLabel(QStringLiteral("Please choose another port."), Frame);
  PortsComboBox = new QComboBox(Frame);
  PortsComboBox->setEditable(false);
  auto* FrameLayout = new QVBoxLayout(Frame);
  FrameLayout->addWidget(Label1);
  FrameLayout->addWidget(Label2);
  FrameLayout->addWidget(PortsComboBox);

  OkBtn = new QPushButton(QStringLiteral("OK"), this);
  OkBtn->setDefault(true);
  AbortBtn = new QPushButton(QStringLiteral("Cancel"), this);
  auto* Buttons = new QHBoxLayout;
  Buttons->addStretch();
  Buttons->addWidget(OkBtn);
  Buttons->addWidget(AbortBtn);
  auto* Layout = new QVBoxLayout(this);
  Layout->addWidget(Frame);
  Layout->addLayout(Buttons);

  connect(OkBtn, &QPushButton::clicked, this, [this] {
    // Nothing to choose: OK cannot stand for a port.
    if (SelectedComNum() > 0)
      accept();
  });
  connect(AbortBtn, &QPushButton::clicked, this, &QDialog::reject);
  FormCreate();
}

TComSelectForm::~TComSelectForm() = default;

void TComSelectForm::FormCreate()
{
  for (uint32_t N = 1; N <= MaxProbedPort; ++N)
    if (IsPortAvailable(N))
      PortsComboBox->addItem(QStringLiteral("COM%1").arg(N));
  if (PortsComboBox->count() > 0)
    PortsComboBox->setCurrentIndex(0);
  OkBtn->setEnabled(PortsComboBox->count() > 0);
}

String TComSelectForm::SelectedCom() const
{
  return PortsComboBox->currentIndex() >= 0 ? PortsComboBox->currentText() : String();
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
  TComSelectForm Form;
  if (Form.exec() != QDialog::Accepted)
    return false;
  const int32_t N = Form.SelectedComNum();
  if (N <= 0 || N > 0xFFFF)
    return false;
  ComNumber = static_cast<uint16_t>(N);
  return true;
}
