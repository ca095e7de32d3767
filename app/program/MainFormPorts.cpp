// TMainForm: binding the instrument slots to their ports and data packets,
// and the address-mode command.
#include "app/program/MainForm.h"

#include "app/instruments/CommandEngine.h"
#include "app/core/CoreData.h"
#include "rtl/Exceptions.h"
#include "rtl/Strings.h"
#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"

#include <QInputDialog>
#include <QMainWindow>

TSioComPort* TMainForm::SioComPort(int32_t N) const
{
  if (N < 1 || N > ComPortCount)
    return nullptr;
  return FPorts[static_cast<size_t>(N - 1)];
}

TSioDataPacket* TMainForm::SioDataPacket(int32_t N) const
{
  if (N < 1 || N > DataPacketCount)
    return nullptr;
  return FPackets[static_cast<size_t>(N - 1)];
}

TSioDataPacket* TMainForm::DataPacketSetup(int32_t DataPacketNumber) const
{
  switch (DataPacketNumber) {
  case 1:
  case 10:
  case 11:
  case 16:
  case 17:
  case 18:
    return SioDataPacket(DataPacketNumber);
  default:
    return nullptr;
  }
}

void TMainForm::SerialPortSetup(int32_t InstrumentIndex, int32_t SerialPortNumber, int32_t SerialPortBaudRate,
                                TSioDataPacket* SerialPortDataPacket)
{
  TSioComPort** PortVariable = nullptr;
  switch (InstrumentIndex) {
  case 0:
    PortVariable = &QuorndeckPort;
    break;
  case 11:
    PortVariable = &AtmosPort;
    break;
  case 12:
    PortVariable = &Kirvo1Port;
    break;
  case 13:
    PortVariable = &Kirvo2Port;
    break;
  case 14:
    PortVariable = &Kirvo3Port;
    break;
  case 15:
    PortVariable = &Kirvo4Port;
    break;
  default:
    return; // a computed item: no port of its own
  }
  TSioComPort* Port = SioComPort(SerialPortNumber);
  if (!Port)
    throw ERangeError(QStringLiteral("COM%1 is not one of COM1 to COM20").arg(SerialPortNumber));
  *PortVariable = Port;
  Port->SetBaud(SerialPortBaudRate);
  TSioDataPacket* Packet = SerialPortDataPacket;
  if (Packet) {
    // Matching must not go on while the packet changes ports.
    Packet->SetEnabled(false);
    Packet->SetComPort(Port);
    if (InstrumentIndex >= 11) {
      // In RS485 mode each addressed reply comes after the packet's start
      // string; a packet without one (the atmospheric sensor's) would be
      // refused as enabled, so it takes every line from its first byte in
      // either mode, and its handler reads the address from the line.
      const bool RS232 = FCore->SerialArray[static_cast<size_t>(InstrumentIndex)][SerialMode] == QLatin1String("RS232");
      Packet->SetStartCond(RS232 || Packet->StartString().isEmpty() ? scAnyData : scString);
    }
  }
  Port->SetOpen(true);
  if (Packet) {
    // Last, so that nothing is delivered before the port is set up.
    Packet->SetEnabled(true);
    Packet->SetAutoEnable(true);
  }
}

void TMainForm::AddressMode1Click()
{
  const String Caption = QStringLiteral("Reset Address Mode");
  const String Prompt = QStringLiteral("Please type your Instruments Address");
  for (;;) {
    String Value = InputValue;
    bool Ok = false;
    if (InputQuery) {
      Ok = InputQuery(Caption, Prompt, Value);
    } else {
      Value = QInputDialog::getText(Handle(), Caption, Prompt, QLineEdit::Normal, InputValue, &Ok);
    }
    if (!Ok)
      return;
    InputValue = Value;
    if (InputValue.isEmpty()) {
      Message(QStringLiteral("Please enter a value and try again"));
      continue;
    }
    // The address goes into the command as typed: digits only, so that no
    // line end and no second command can ride along.
    if (!IsDecimalText(InputValue, 2)) {
      Message(QStringLiteral("Please enter an address of one or two digits and try again"));
      continue;
    }
    CommandString = ToAnsi(InputValue) + AnsiString(":#005;OFF\r\n");
    SetStatusText(1, Trim(FromAnsi(CommandString)));
    if (!QuorndeckPort || !QuorndeckPort->Open()) {
      SetStatusText(0, QStringLiteral("Reset Address Mode: the profiling instrument's port is not open"));
      return;
    }
    QuorndeckPort->PutString(CommandString);
    return;
  }
}
