// TMainForm: reading and writing the settings file.
#include "app/program/MainForm.h"
#include "platform/Graphics.h"

#include "app/core/CoreData.h"
#include "app/core/ModularInstruments.h"
#include "app/setup/SetupModel.h"
#include "app/core/SettingsFile.h"
#include "platform/Timer.h"
#include "rtl/Exceptions.h"
#include "rtl/Files.h"
#include "rtl/IniFile.h"
#include "rtl/Numbers.h"
#include "rtl/ScopeGuard.h"
#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"

#include <QDebug>
#include <QDir>

static_assert(SlotCount == 20, "TMainForm keeps one flag per sensor slot");

namespace {

// The modular instrument (1..5) of a slot, 0 for a slot that is none.
int32_t ModularOfSlot(int32_t Slot)
{
  for (int32_t K = 1; K <= ModularInstrumentCount; ++K)
    if (ModularSlot(K) == Slot)
      return K;
  return 0;
}

bool IsInstrumentSlot(int32_t Slot) { return Slot == slConductivity || ModularOfSlot(Slot) != 0; }

// The set-up grid row of an instrument slot.
int32_t RowOfSlot(int32_t Slot)
{
  return Slot == slConductivity ? SetupRowQuorndeck : ModularSetupRow(ModularOfSlot(Slot));
}

// The status text field of an instrument slot.
String& StatusOfSlot(TCoreData& C, int32_t Slot)
{
  return Slot == slConductivity ? C.PortData1 : ModularStatus(C, ModularOfSlot(Slot));
}

// Every section a file written by the program has.
QStringList RequiredSections()
{
  QStringList S = {QStringLiteral("Display")};
  for (int32_t N = 1; N <= 4; ++N)
    S.append(OutputSection(N));
  S.append(QString::fromLatin1(QuorndeckSection));
  for (int32_t N = 0; N < SlotCount; ++N)
    S.append(SerialSection(N));
  return S;
}

} // namespace

String TMainForm::SettingsFileName() const { return SettingsFilePath(FSetupFolder); }

TSioComPort* TMainForm::OutputPort(int32_t N) const
{
  switch (N) {
  case 1:
    return OutputPort1;
  case 2:
    return OutputPort2;
  case 3:
    return OutputPort3;
  case 4:
    return OutputPort4;
  default:
    return nullptr;
  }
}

void TMainForm::SetSlotFitted(int32_t Slot, bool Fitted)
{
  if (Slot < 0 || Slot >= SlotCount)
    throw ERangeError(QStringLiteral("Sensor slot %1 outside 0..%2").arg(Slot).arg(SlotCount - 1));
  FCore->SerialArray[static_cast<size_t>(Slot)][SerialFitted] = Fitted ? QStringLiteral("1") : QStringLiteral("0");
  FSlotKeptFitted[static_cast<size_t>(Slot)] = false;
}

void TMainForm::SetOutputFitted(int32_t N, bool Fitted)
{
  int32_t* const Flags[] = {&FCore->Output_1_Fitted, &FCore->Output_2_Fitted, &FCore->Output_3_Fitted,
                            &FCore->Output_4_Fitted};
  if (N < 1 || N > 4)
    throw ERangeError(QStringLiteral("Output %1 outside 1..4").arg(N));
  *Flags[N - 1] = Fitted ? 1 : 0;
  FOutputKeptFitted[static_cast<size_t>(N - 1)] = false;
}

void TMainForm::SetupFittedClick(int32_t Row, bool Fitted)
{
  if (Row >= SetupRowOutput1 && Row < SetupRowOutput1 + 4) {
    SetOutputFitted(Row - SetupRowOutput1 + 1, Fitted);
  } else {
    const int32_t Slot = SlotOfSetupRow(Row);
    if (Slot < 0)
      throw ERangeError(QStringLiteral("Set-up grid row %1 has no fitted check box").arg(Row));
    SetSlotFitted(Slot, Fitted);
  }
  WriteIniFile();
  // Read again without the data reset: the history and the depth tables are
  // kept per slot, so a slot fitted or taken out leaves the others' samples
  // (and its own earlier ones) where they are; the value table is rebuilt
  // for the new slots by every load.
  ReadIniFile();
  Timer5->SetEnabled(true);
}

// ---------------------------------------------------------------------------
// Reading

void TMainForm::StopReception()
{
  // No packet event may run against tables that are being rebuilt.
  for (TSioDataPacket* P : FPackets) {
    P->SetEnabled(false);
    P->SetAutoEnable(false);
  }
  PumpMessages();
  for (TSioComPort* P : FPorts)
    FlushPort(P, "before the settings load or shutdown");
  PumpMessages();
}

void TMainForm::ReadIniFile()
{
  TCoreData& C = *FCore;
  StopReception();
  C.BeginSettingsLoad();
  FSlotKeptFitted.fill(false);
  FOutputKeptFitted.fill(false);

  const String FileName = SettingsFileName();
  SetCaption(SettingsCaption(SettingsFileParameter()));
  TIniFile Ini(FileName);
  TSettingsReader R(Ini);
  bool TablesEnded = false;
  const auto Finish = [&] {
    First_Load_Done = 1;
    if (!TablesEnded)
      C.EndSettingsLoad();
    FSettingsProblems = R.Problems();
    ShowSettingsProblems();
  };
  const auto Finished = ScopeExit([&] { Finish(); });
  if (!FileExists(FileName)) {
    R.AddProblem(QStringLiteral("%1 not found; defaults used until it is written at close").arg(FileName));
  } else if (Ini.Unreadable()) {
    R.AddProblem(QStringLiteral("%1 cannot be read (not permitted, no regular file or too large); defaults "
                                "used, and the file is left as it is")
                     .arg(FileName));
  } else {
    QStringList Missing;
    for (const String& S : RequiredSections())
      if (!Ini.SectionExists(S))
        Missing.append(QLatin1Char('[') + S + QLatin1Char(']'));
    if (!Missing.isEmpty())
      R.AddProblem(QStringLiteral("sections missing, defaults used: ") + Missing.join(QStringLiteral(", ")));
  }
  if (First_Load_Done == 0)
    C.UserDisplayIndex = R.ReadInteger(QStringLiteral("Display"), QStringLiteral("Index"), 1, 1, 6);
  ReadOutputAndQuorndeck(R, C);
  // The gravity follows the latitude just read; the set-up screen's
  // latitude field computes the same when it is filled.
  C.ApplyLatitude(C.Local_Latitude);

  const int32_t OutputPorts[] = {C.Output_1_Port, C.Output_2_Port, C.Output_3_Port, C.Output_4_Port};
  TSioComPort** const OutputVars[] = {&OutputPort1, &OutputPort2, &OutputPort3, &OutputPort4};
  for (int32_t N = 1; N <= 4; ++N)
    if (TSioComPort* P = SioComPort(OutputPorts[N - 1]))
      *OutputVars[N - 1] = P;
  OpenFittedOutputs(R);

  // The port each packet was bound to by this load (index: packet number).
  std::array<int32_t, DataPacketCount + 1> PacketPort{};
  bool AnyFitted = false;
  for (int32_t N = 0; N < SlotCount; ++N) {
    TSerialRow Row = ReadSlot(R, N);
    const int32_t Port = StrToIntDef(Row[SerialPort], 0);
    if (Row[SerialFitted] == QLatin1String("1") && !PortPresent(Port)) {
      // Unfitted while this program runs; the file keeps the slot fitted,
      // so plugging the port in and restarting brings it back.
      Row[SerialFitted] = QStringLiteral("0");
      FSlotKeptFitted[static_cast<size_t>(N)] = true;
      const String Text = QStringLiteral("COM%1 was not found at start-up; the slot is not in use").arg(Port);
      if (IsInstrumentSlot(N))
        ReportSlot(R, N, Text);
      else
        R.AddProblem(QStringLiteral("[%1] %2").arg(SerialSection(N), Text));
    }
    if (!C.AddSlot(N, Row))
      continue;
    AnyFitted = true;
    if (IsInstrumentSlot(N)) {
      RowStates[static_cast<size_t>(RowOfSlot(N))].RunMode = 1;
      BindSlot(R, N, PacketPort);
    }
  }
  C.EndSettingsLoad();
  TablesEnded = true;

  ActionArray.push_back(0);
  CloseDisplayWindows();
  for (int32_t N = 1; N <= 6; ++N)
    SetUserDisplayCaption(
        N, R.ReadString(DisplaySection(N), QStringLiteral("Form Name"), QStringLiteral("User Display %1").arg(N)));
  ReopenLayout(R, AnyFitted);
}

void TMainForm::OpenFittedOutputs(TSettingsReader& R)
{
  TCoreData& C = *FCore;
  int32_t* const Fitted[] = {&C.Output_1_Fitted, &C.Output_2_Fitted, &C.Output_3_Fitted, &C.Output_4_Fitted};
  const int32_t Ports[] = {C.Output_1_Port, C.Output_2_Port, C.Output_3_Port, C.Output_4_Port};
  const int32_t Bauds[] = {C.Output_1_Baud, C.Output_2_Baud, C.Output_3_Baud, C.Output_4_Baud};
  for (int32_t N = 1; N <= 4; ++N) {
    if (*Fitted[N - 1] != 1)
      continue;
    const int32_t Port = Ports[N - 1];
    if (!PortPresent(Port)) {
      *Fitted[N - 1] = 0;
      FOutputKeptFitted[static_cast<size_t>(N - 1)] = true;
      C.OutputStatus(N) = QStringLiteral("COM%1 was not found at start-up").arg(Port);
      R.AddProblem(
          QStringLiteral("[%1] COM%2 was not found at start-up; the output is off").arg(OutputSection(N)).arg(Port));
      continue;
    }
    TSioComPort* P = OutputPort(N);
    try {
      P->SetBaud(Bauds[N - 1]);
      P->SetOpen(true);
      P->SetAutoOpen(true);
    } catch (const std::exception& E) {
      // The output stays fitted; with its port closed its telegrams are
      // dropped and its status says why.
      C.OutputStatus(N) = QStringLiteral("COM%1: %2").arg(Port).arg(ExceptionMessage(E));
      R.AddProblem(QStringLiteral("[%1] COM%2 could not be opened: %3")
                       .arg(OutputSection(N))
                       .arg(Port)
                       .arg(ExceptionMessage(E)));
    }
  }
}

void TMainForm::BindSlot(TSettingsReader& R, int32_t Slot, std::array<int32_t, DataPacketCount + 1>& PacketPort)
{
  TCoreData& C = *FCore;
  const int32_t Port = C.DataPort[static_cast<size_t>(Slot)];
  const int32_t Baud = C.DataPortBaud[static_cast<size_t>(Slot)];
  const int32_t Number = C.DataPacket[static_cast<size_t>(Slot)];
  TSioDataPacket* Packet = DataPacketSetup(Number);
  String Problem;
  if (!Packet) {
    Problem = QStringLiteral("packet %1 is not one of the data packets 1, 10, 11, 16, 17, 18; "
                             "nothing is received from COM%2")
                  .arg(Number)
                  .arg(Port);
  } else if (PacketPort[static_cast<size_t>(Number)] != 0 && PacketPort[static_cast<size_t>(Number)] != Port) {
    // A packet listens on one port. Taking it over would silence the slot
    // bound to it before; two slots on the same port share it.
    Problem = QStringLiteral("packet %1 is already in use on COM%2; nothing is received from COM%3")
                  .arg(Number)
                  .arg(PacketPort[static_cast<size_t>(Number)])
                  .arg(Port);
    Packet = nullptr;
  }
  try {
    SerialPortSetup(Slot, Port, Baud, Packet);
    if (Packet)
      PacketPort[static_cast<size_t>(Number)] = Port;
  } catch (const std::exception& E) {
    Problem = QStringLiteral("COM%1 could not be bound: %2").arg(Port).arg(ExceptionMessage(E));
  }
  if (!Problem.isEmpty())
    ReportSlot(R, Slot, Problem);
}

void TMainForm::ReportSlot(TSettingsReader& R, int32_t Slot, const String& Text)
{
  StatusOfSlot(*FCore, Slot) = Text;
  R.AddProblem(QStringLiteral("[%1] %2").arg(SerialSection(Slot), Text));
}

void TMainForm::CloseDisplayWindows()
{
  for (int32_t I = MDIChildCount() - 1; I >= 0; --I) {
    if (I >= MDIChildCount())
      continue;
    IMdiChild* Child = FMdiChildren[static_cast<size_t>(I)];
    if (Child->Kind() != TMdiChildKind::SetupScreen)
      Child->Close();
  }
}

void TMainForm::ReopenLayout(TSettingsReader& R, bool AnyFitted)
{
  const String Section = DisplaySection(FCore->UserDisplayIndex);
  R.ReadString(Section, QStringLiteral("Form Name"), String());
  Form_Screens = R.ReadInteger(Section, QStringLiteral("Form Screens"), 0, 0, MaxLayoutWindows);
  if (!AnyFitted || Form_Screens <= 0)
    return;
  for (int32_t I = 1; I <= Form_Screens; ++I) {
    LayoutValues = ReadLayoutWindow(R, Section, I);
    SetupForm(LayoutValues.Form_Style);
  }
}

void TMainForm::ShowSettingsProblems()
{
  if (FSettingsProblems.isEmpty())
    return;
  for (const String& P : FSettingsProblems)
    qWarning().noquote() << QStringLiteral("Fathomix: settings:") << P;
  String Text = QStringLiteral("Settings: ") + FSettingsProblems.constFirst();
  if (FSettingsProblems.size() > 1)
    Text += QStringLiteral(" (and %1 more)").arg(FSettingsProblems.size() - 1);
  SetStatusText(0, Text);
}

// ---------------------------------------------------------------------------
// Writing

void TMainForm::WriteIniFile()
{
  const TCoreData& C = *FCore;
  if (!QDir::isAbsolutePath(SettingsFileParameter()))
    ForceDirectories(FSetupFolder);
  TIniFile Ini(SettingsFileName());
  const auto Restore = ScopeExit([&] { SaveDisplayFlag = 0; });
  Ini.WriteInteger(QStringLiteral("Display"), QStringLiteral("Index"), C.UserDisplayIndex);
  int32_t Fitted[4];
  for (int32_t N = 1; N <= 4; ++N)
    Fitted[N - 1] = C.OutputFitted(N) == 1 || FOutputKeptFitted[static_cast<size_t>(N - 1)] ? 1 : 0;
  WriteOutputs(Ini, C, Fitted);
  WriteQuorndeck(Ini, C);
  for (int32_t N = 0; N < SlotCount; ++N)
    WriteSlot(Ini, N, C.SerialArray[static_cast<size_t>(N)],
              C.SlotFitted(N) || FSlotKeptFitted[static_cast<size_t>(N)] ? 1 : 0);
  if (SaveDisplayFlag == 1)
    SaveLayout(Ini);
}

void TMainForm::SaveLayout(TIniFile& Ini)
{
  const int32_t U = FCore->UserDisplayIndex;
  const String Section = DisplaySection(U);
  const int32_t Count = MDIChildCount();
  Ini.WriteString(Section, QStringLiteral("Form Name"), UserDisplayCaption(U));
  Ini.WriteInteger(Section, QStringLiteral("Form Screens"), Count);
  const auto ItemMask = [this](const IMdiChild& Child) {
    const int32_t I = Child.ScreenNumber() - 1;
    return I >= 0 && I < static_cast<int32_t>(ActionArray.size()) ? ActionArray[static_cast<size_t>(I)] : 0;
  };
  // The child at the end of the list first, the active one last, so that
  // reopening in saved order restores the stacking.
  for (int32_t I = 1; I <= Count; ++I) {
    const IMdiChild& Child = *FMdiChildren[static_cast<size_t>(Count - I)];
    LayoutValues.Form_Style = Child.Name();
    switch (Child.Kind()) {
    case TMdiChildKind::SingleValue:
    case TMdiChildKind::Scroll:
    case TMdiChildKind::LastData:
    case TMdiChildKind::DepthScroll: {
      LayoutValues.Action_Flag = ItemMask(Child);
      TLayoutAppearance A;
      if (Child.Appearance(A)) {
        LayoutValues.Form_Color = A.Color;
        LayoutValues.Form_Font_Name = A.FontName;
        LayoutValues.Form_Font_CharSet = A.FontCharSet;
        LayoutValues.Form_Font_Color = A.FontColor;
        LayoutValues.Form_Font_Size = A.FontSize;
        LayoutValues.Form_Font_Style = A.FontStyle;
      }
      break;
    }
    case TMdiChildKind::Graph:
    case TMdiChildKind::PositionGraph:
    case TMdiChildKind::BathyGraph:
    case TMdiChildKind::Scale: {
      LayoutValues.Action_Flag = ItemMask(Child);
      LayoutValues.Form_Color = 0;
      const TFont* F = Font();
      LayoutValues.Form_Font_Name = F->Name();
      LayoutValues.Form_Font_CharSet = 1;
      LayoutValues.Form_Font_Color = 0;
      LayoutValues.Form_Font_Size = F->Size() > 0 ? F->Size() : 8;
      LayoutValues.Form_Font_Style = F->Style() & 0x0F; // bold, italic, underline, strike-out
      break;
    }
    case TMdiChildKind::SetupScreen:
      break;
    }
    LayoutValues.Form_Top = Child.Top();
    LayoutValues.Form_Left = Child.Left();
    LayoutValues.Form_Height = Child.Height();
    LayoutValues.Form_Width = Child.Width();
    WriteLayoutWindow(Ini, Section, I, LayoutValues);
  }
}
