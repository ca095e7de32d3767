#include "app/program/MainForm.h"

#include "app/core/CoreData.h"
#include "app/core/DataReplay.h"
#include "app/program/MainFormDialogues.h"
#include "app/core/SampleRoad.h"
#include "app/core/SettingsFile.h"
#include "app/program/SetupScreenHost.h"
#include "app/setup/MDISetup.h"
#include "app/windows/AboutBox.h"
#include "app/windows/ChartScaleDlg.h"
#include "app/windows/DisplayNameDlg.h"
#include "app/windows/DisplayWindows.h"
#include "app/windows/SetupIcon.h"
#include "platform/ActnList.h"
#include "platform/Application.h"
#include "platform/ComCtrls.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/SerialDevice.h"
#include "platform/StdCtrls.h"
#include "platform/Timer.h"
#include "rtl/Exceptions.h"
#include "rtl/Files.h"
#include "rtl/Numbers.h"
#include "rtl/ScopeGuard.h"
#include "rtl/StringList.h"
#include "rtl/Strings.h"
#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"
#include "serial/SioTicks.h"
#include "serial/terminal/SioTerminal.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QIcon>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

TMainForm* MainForm = nullptr;

namespace {

void LogLine(const String& Text) { qWarning().noquote() << QStringLiteral("Fathomix:") << Text; }

// The packets as the window's form sets them: start condition and string,
// end string, time-out in ticks, port.
struct TPacketForm {
  TPacketStartCond StartCond;
  const char* StartString;
  const char* EndString;
  int32_t TimeOut;
  int32_t Port;
};

constexpr TPacketForm PacketForms[DataPacketCount] = {
    {scString, "\n", "\r", 91, 1},                        // 1: profiling instrument data
    {scString, "You", "\r\n>", 91, 1},                    // 2
    {scAnyData, "", "\r\n>", 91, 1},                      // 3
    {scAnyData, "", "\r\n>", 91, 1},                      // 4
    {scAnyData, "", "\r\n>", 91, 1},                      // 5
    {scAnyData, "", "\r\n>", 91, 1},                      // 6
    {scAnyData, "", "\r\n>", 91, 1},                      // 7
    {scAnyData, "", ">", 91, 1},                          // 8
    {scAnyData, "", "\r\n>", 270, 1},                     // 9
    {scString, ">", "\r\n", 91, 4},                       // 10: QYR
    {scString, "", "\r\n", 91, 5},                        // 11: atmospheric
    {scAnyData, "", ">", 2184, 4},                        // 12
    {scString, "kirvo units fitted\r\n", "\r\n>", 91, 4}, // 13
    {scString, "\r\n", "\r\n>", 91, 4},                   // 14
    {scString, "\r\n", "\r\n>", 91, 4},                   // 15
    {scString, ">", "\r\n", 91, 6},                       // 16: QYR
    {scString, ">", "\r\n", 91, 7},                       // 17: QYR
    {scString, ">", "\r\n", 91, 7},                       // 18: QYR
};

// The Display Type menu items: caption, name and the window kind.
struct TDisplayItem {
  const char* Caption;
  const char* Name;
  TMdiChildKind Kind;
};
constexpr TDisplayItem DisplayItems[8] = {
    {"Simple Display", "SimpleDisplay1", TMdiChildKind::SingleValue},
    {"Scroll Display", "ScrollDisplay1", TMdiChildKind::Scroll},
    {"Graph Display", "GraphDisplay1", TMdiChildKind::Graph},
    {"Bathy Graph Display", "BathyGraphDisplay1", TMdiChildKind::BathyGraph},
    {"Position Graph Display", "PositionGraphDisplay1", TMdiChildKind::PositionGraph},
    {"Last Data Display", "LastDataDisplay1", TMdiChildKind::LastData},
    {"Scale Display", "ScaleDisplay1", TMdiChildKind::Scale},
    {"Depth Scroll Display", "DensityArrayDisplay1", TMdiChildKind::DepthScroll},
};

// The window kinds a saved "Form Style" can name, in the order they are
// tried.
struct TLayoutFormStyle {
  const char* Name;
  TMdiChildKind Kind;
};
constexpr TLayoutFormStyle FormStyles[8] = {
    {"MDIFont", TMdiChildKind::SingleValue},
    {"MDIGraph", TMdiChildKind::Graph},
    {"MDIPosGraph", TMdiChildKind::PositionGraph},
    {"MDIBathyGraph", TMdiChildKind::BathyGraph},
    {"MDILast", TMdiChildKind::LastData},
    {"MDIScroll", TMdiChildKind::Scroll},
    {"MDIScale", TMdiChildKind::Scale},
    {"MDIDepthScroll", TMdiChildKind::DepthScroll},
};

} // namespace

// ---------------------------------------------------------------------------
// Construction

TMainForm::TMainForm(TComponent* AOwner)
    : TForm(AOwner), FCore(std::make_unique<TCoreData>()), FSetupFolder(DefaultSetupFolder())
{
  SetName(QStringLiteral("MainForm"));
  FDataFiles = std::make_unique<TDataFiles>(*FCore, *this);
  SetCaption(QStringLiteral("Fathomix Display"));
  SetFormStyle(fsMDIForm);
  SetWindowState(wsMaximized);
  OnShow = [this](TObject*) {
    if (FShown)
      return;
    FShown = true;
    Guarded([this] { FormShow(); });
  };
  OnClose = [this](TObject*, TCloseAction&) { Guarded([this] { FormClose(); }); };

  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetName(QStringLiteral("StatusBar1"));
  StatusBar1->SetParent(this);
  // The last panel, the clock, takes what the others leave, right-aligned.
  for (const int32_t Width : {200, 200, 50})
    StatusBar1->Panels()->Add()->SetWidth(Width);
  StatusBar1->Panels()->Items(2)->SetAlignment(taRightJustify);

  // Ports first: the owner frees its components last-created first, so the
  // timers and packets are gone before the ports they use close.
  CreatePorts();
  CreatePackets();
  CreateTimers();
  CreateTerminal();
  CreateMenus();
  WireCoreHooks();
  FDialogues = std::make_unique<TMainFormDialogues>(*this);
  FSetupHost = std::make_unique<TSetupScreenHost>(*this);
  FDisplayWindows = std::make_unique<TDisplayWindows>(*this);
  SetDisplayWindowOpener([](TMainForm& Form, TMdiChildKind Kind) { Form.FDisplayWindows->Open(Kind); },
                         [this](TMdiChildKind Kind) { return FDisplayWindows->CanOpen(Kind); });
  // The three dialogs live as long as the window.
  FChartScaleDlg = new TChartScaleDlg(this);
  FDisplayNameDlg = new TDisplayNameDlg(this, *this);
  FAboutBox = new TAboutBox(this, *this);
  if (!MainForm) {
    MainForm = this;
    ChartScaleDlg = FChartScaleDlg;
    DisplayNameDlg = FDisplayNameDlg;
    AboutBox = FAboutBox;
  }
}

TMainForm::~TMainForm()
{
  if (MainForm == this)
    MainForm = nullptr;
  // The data files call back into this window while they go, so they go
  // while it is whole; the set-up screen, a component, leaves the children
  // as it is freed.
  FMdiChildren.clear();
  FDataFiles.reset();
  DestroyComponents();
}

String TMainForm::ClassName() const { return QStringLiteral("TMainForm"); }

void TMainForm::CreatePorts()
{
  for (int32_t N = 1; N <= ComPortCount; ++N) {
    auto* Port = new TSioComPort(this);
    Port->SetName(QStringLiteral("SioComPort%1").arg(N));
    Port->SetComNumber(static_cast<uint16_t>(N));
    Port->SetAutoOpen(false);
    Port->SetPromptForPort(false);
    Port->SetTapiMode(tmOff);
    Port->SetTraceName(QStringLiteral("TELV.TRC"));
    Port->SetLogName(QStringLiteral("TELV.LOG"));
    FPorts[static_cast<size_t>(N - 1)] = Port;
  }
}

void TMainForm::CreatePackets()
{
  for (int32_t N = 1; N <= DataPacketCount; ++N) {
    const TPacketForm& F = PacketForms[N - 1];
    auto* Packet = new TSioDataPacket(this);
    Packet->SetName(QStringLiteral("SioDataPacket%1").arg(N));
    Packet->SetEnabled(false);
    Packet->SetAutoEnable(false);
    Packet->SetIncludeStrings(false);
    Packet->SetEndCond(EndBit(ecString));
    Packet->SetStartCond(F.StartCond);
    Packet->SetStartString(AnsiString(F.StartString));
    Packet->SetEndString(AnsiString(F.EndString));
    Packet->SetTimeOut(F.TimeOut);
    Packet->SetComPort(FPorts[static_cast<size_t>(F.Port - 1)]);
    FPackets[static_cast<size_t>(N - 1)] = Packet;
  }
  FPackets[0]->OnStringPacket = [this](TObject*, const AnsiString& Data) { SioDataPacket1StringPacket(*FCore, Data); };
  FPackets[0]->OnTimeout = [this](TObject*) { SioDataPacket1Timeout(); };
}

void TMainForm::CreateTimers()
{
  const uint32_t Intervals[] = {1000, 15000, 10000, 240000, 1000};
  TTimer** Timers[] = {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5};
  for (size_t I = 0; I < std::size(Timers); ++I) {
    auto* T = new TTimer(this);
    T->SetEnabled(false);
    T->SetName(QStringLiteral("Timer%1").arg(I + 1));
    T->SetInterval(Intervals[I]);
    *Timers[I] = T;
  }
  Timer1->OnTimer = [this](TObject*) { Timer1Timer(); };
  Timer2->OnTimer = [this](TObject*) { Timer2Timer(); };
  Timer3->OnTimer = [this](TObject*) { Timer3Timer(); };
  Timer4->OnTimer = [this](TObject*) { Timer4Timer(); };
  Timer5->OnTimer = [this](TObject*) { Timer5Timer(); };
}

void TMainForm::CreateTerminal()
{
  SioTerminal1 = new TSioTerminal(this);
  SioTerminal1->SetName(QStringLiteral("SioTerminal1"));
  SioTerminal1->SetParent(this);
  SioTerminal1->SetVisible(false);
  SioTerminal1->SetEnabled(false);
  SioTerminal1->SetBounds(8, 8, 300, 200);
  SioTerminal1->SetCaptureFile(QStringLiteral("TELVTERM.CAP"));
  SioTerminal1->SetScrollback(false);
  SioTerminal1->SetColor(clBlack);
  SioTerminal1->Font()->SetName(QStringLiteral("Terminal"));
  SioTerminal1->Font()->SetHeight(-12);
  SioTerminal1->Font()->SetColor(clSilver);
  // Its window, never shown: with it the terminal follows its port's
  // traffic, as a terminal on a form does.
  SioTerminal1->Handle();
  SioTerminal1->SetComPort(FPorts[1]);
}

void TMainForm::CreateMenus()
{
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName(QStringLiteral("MainMenu1"));
  ActionList1 = new TActionList(this);
  ActionList1->SetName(QStringLiteral("ActionList1"));
  const auto MakeAction = [this](const char* Caption, const char* Name, std::function<void()> Handler) {
    auto* A = new TAction(this);
    A->SetName(QString::fromLatin1(Name));
    A->SetCaption(QString::fromLatin1(Caption));
    A->SetActionList(ActionList1);
    if (Handler)
      A->OnExecute = [this, Handler](TObject*) { Guarded(Handler); };
    return A;
  };
  const auto MakeItem = [this](TMenuItem* Parent, const char* Caption, const char* Name = nullptr) {
    auto* I = new TMenuItem(this);
    if (Name)
      I->SetName(QString::fromLatin1(Name));
    I->SetCaption(QString::fromLatin1(Caption));
    Parent->Add(I);
    return I;
  };
  const auto ItemOf = [&](TMenuItem* Parent, TAction* A) {
    TMenuItem* I = MakeItem(Parent, "");
    I->SetAction(A);
    return I;
  };
  const auto ClickOf = [this](TMenuItem* I, std::function<void()> Handler) {
    I->OnClick = [this, Handler](TObject*) { Guarded(Handler); };
  };

  TMenuItem* File = MakeItem(MainMenu1->Items(), "File");
  FileOpen1 = MakeAction("Open Data File", "FileOpen1", [this] { FileOpen1Execute(); });
  FileOpen1->SetShortCut(ShortCut('O', ssCtrl));
  ItemOf(File, FileOpen1);
  FileSaveData1 = MakeAction("Save Data File", "FileSaveData1", [this] { FileSaveData1Execute(); });
  ItemOf(File, FileSaveData1);
  Action1 = MakeAction("Stop Saving Data File", "Action1", [this] { FDataFiles->Action1Execute(); });
  Action1->SetEnabled(false);
  ItemOf(File, Action1);
  RealTimeDisplay1 = MakeItem(File, "RealTime Display", "RealTimeDisplay1");
  ClickOf(RealTimeDisplay1, [this] { RealTime1Execute(*FDataFiles); });
  RealTimeDisplay1->SetEnabled(false);
  FileOpenSVA1 = MakeAction("Open SVA File", "FileOpenSVA1", [this] { FileOpenSVA1Execute(); });
  ItemOf(File, FileOpenSVA1);
  FileSaveSVA1 = MakeAction("Save SVA File Now", "FileSaveSVA1", [this] { FileSaveSVA1Execute(); });
  ItemOf(File, FileSaveSVA1);

  TMenuItem* DisplayType = MakeItem(MainMenu1->Items(), "Display Type");
  OpenSetup1 = MakeAction("Setup", "OpenSetup1", [this] { OpenSetup1Execute(); });
  ItemOf(DisplayType, OpenSetup1);
  // Enabled for the kinds the display windows can open.
  for (size_t I = 0; I < DisplayTypeItems.size(); ++I) {
    const TMdiChildKind Kind = DisplayItems[I].Kind;
    DisplayTypeItems[I] = MakeItem(DisplayType, DisplayItems[I].Caption, DisplayItems[I].Name);
    ClickOf(DisplayTypeItems[I], [this, Kind] { DisplayTypeClick(Kind); });
    DisplayTypeItems[I]->SetEnabled(false);
  }

  TMenuItem* User = MakeItem(MainMenu1->Items(), "User Display");
  for (int32_t N = 1; N <= 6; ++N) {
    TMenuItem* Sub = MakeItem(User, "");
    Sub->SetCaption(QStringLiteral("User Display %1").arg(N));
    Sub->SetName(QStringLiteral("UserDisplay%1").arg(N) + QLatin1Char('1'));
    UserDisplayMenus[static_cast<size_t>(N - 1)] = Sub;
    const QByteArray LoadName = QStringLiteral("Load%1").arg(N).toLatin1();
    LoadActions[static_cast<size_t>(N - 1)] =
        MakeAction("Load", LoadName.constData(), [this, N] { LoadUserDisplay(N); });
    ItemOf(Sub, LoadActions[static_cast<size_t>(N - 1)]);
    if (N >= 2) {
      const QByteArray SaveName = QStringLiteral("Save%1").arg(N).toLatin1();
      SaveActions[static_cast<size_t>(N - 1)] =
          MakeAction("Save", SaveName.constData(), [this, N] { SaveUserDisplay(N); });
      ItemOf(Sub, SaveActions[static_cast<size_t>(N - 1)]);
    }
  }

  TMenuItem* Window = MakeItem(MainMenu1->Items(), "Window");
  WindowClose1 = MakeAction("Close", "WindowClose1", [this] {
    if (TCustomForm* Child = ActiveMDIChild())
      Child->Close();
  });
  ItemOf(Window, WindowClose1);
  WindowTileHorizontal1 = MakeAction("Tile", "WindowTileHorizontal1", [this] {
    SetTileMode(tbHorizontal);
    Tile();
  });
  ItemOf(Window, WindowTileHorizontal1);
  WindowMinimizeAll1 = MakeAction("Minimize All", "WindowMinimizeAll1", [this] {
    for (int32_t I = TCustomForm::MDIChildCount() - 1; I >= 0; --I)
      TCustomForm::MDIChildren(I)->SetWindowState(wsMinimized);
  });
  ItemOf(Window, WindowMinimizeAll1);

  TMenuItem* Help = MakeItem(MainMenu1->Items(), "Help");
  HelpAbout1 = MakeAction("About", "HelpAbout1", [this] { HelpAbout1Execute(); });
  ItemOf(Help, HelpAbout1);
  ResetDisplay1 = MakeAction("Reset Display", "ResetDisplay1", [this] { ResetDisplay1Execute(); });
  ItemOf(Help, ResetDisplay1);
  AddressMode1 = MakeItem(Help, "Reset Address Mode", "AddressMode1");
  ClickOf(AddressMode1, [this] { AddressMode1Click(); });
  SetMenu(MainMenu1);
}

void TMainForm::WireCoreHooks()
{
  TSampleHooks& H = FCore->Hooks;
  // An output whose port is not open takes no telegram: it is dropped and
  // the output's status text keeps saying why.
  H.OutputBufferFree = [this](int32_t N) -> int32_t {
    TSioComPort* P = OutputPort(N);
    if (!P || !P->Open())
      return 0;
    try {
      return P->OutBuffFree();
    } catch (const std::exception& E) {
      LogLine(QStringLiteral("output %1: %2").arg(N).arg(ExceptionMessage(E)));
      return 0;
    }
  };
  H.OutputPutString = [this](int32_t N, const AnsiString& Telegram) {
    TSioComPort* P = OutputPort(N);
    if (!P || !P->Open())
      return;
    try {
      P->PutString(Telegram);
    } catch (const std::exception& E) {
      // One output failing must not cost the sample its other outputs and
      // windows.
      LogLine(QStringLiteral("output %1: telegram not sent: %2").arg(N).arg(ExceptionMessage(E)));
    }
  };
  H.UpdateWindows = [this] { UpdateChildren([](const IMdiChild&) { return true; }); };
  // The road of a sample pumps to stay responsive and to let events run
  // inside it; a pump that would find nothing to serve is skipped, as it
  // mostly is for a sample that has just come out of the event loop.
  H.ProcessMessages = [this] {
    if (MessagesWaiting())
      PumpMessages();
  };
  H.FlushQuorndeckPort = [this] { FlushPort(QuorndeckPort, "after a refused data string"); };
}

// ---------------------------------------------------------------------------
// Window plumbing

void TMainForm::RequestClose()
{
  if (FClosed)
    return;
  if (FStarting) {
    FCloseRequested = true;
    return;
  }
  QTimer::singleShot(0, Handle(), [this] { Close(); });
}

String TMainForm::StatusText(int32_t Panel) const
{
  if (Panel < 0 || Panel >= StatusBar1->Panels()->Count())
    return String();
  return StatusBar1->Panels()->Items(Panel)->Text();
}

void TMainForm::SetStatusText(int32_t Panel, const String& Text)
{
  if (Panel < 0 || Panel >= StatusBar1->Panels()->Count())
    return;
  StatusBar1->Panels()->Items(Panel)->SetText(Text);
}

void TMainForm::Guarded(const std::function<void()>& Handler)
{
  try {
    Handler();
  } catch (const std::exception& E) {
    HandleApplicationException(E);
  }
}

void TMainForm::UpdateChildren(const std::function<bool(const IMdiChild&)>& Which)
{
  // The walk's own copy: every update pumps messages, and a window closed
  // or opened meanwhile must neither shift nor end it.
  const std::vector<IMdiChild*> Walk(FMdiChildren.rbegin(), FMdiChildren.rend());
  for (IMdiChild* Child : Walk) {
    if (std::find(FMdiChildren.begin(), FMdiChildren.end(), Child) == FMdiChildren.end())
      continue; // closed by an earlier window's update: it may be freed
    if (!Which(*Child))
      continue;
    const int32_t Number = Child->ScreenNumber();
    try {
      Child->DataUpdate();
    } catch (const std::exception& E) {
      const String Text = ExceptionMessage(E);
      auto Last = std::find_if(FUpdateErrors.begin(), FUpdateErrors.end(),
                               [Number](const auto& P) { return P.first == Number; });
      if (Last == FUpdateErrors.end()) {
        FUpdateErrors.emplace_back(Number, String());
        Last = FUpdateErrors.end() - 1;
      }
      if (Last->second != Text) {
        Last->second = Text;
        LogLine(QStringLiteral("window %1 (%2) not updated: %3").arg(Number).arg(Child->Name(), Text));
      }
    }
  }
}

void TMainForm::FlushPort(TSioCustomComPort* Port, const char* When)
{
  if (!Port || !Port->Open())
    return;
  try {
    Port->FlushInBuffer();
    Port->FlushOutBuffer();
  } catch (const std::exception& E) {
    LogLine(QStringLiteral("COM%1: flush %2 failed: %3")
                .arg(Port->ComNumber())
                .arg(QLatin1String(When))
                .arg(ExceptionMessage(E)));
  }
}

void TMainForm::PumpMessages()
{
  if (Application)
    Application->ProcessMessages();
  else
    ProcessPendingMessages();
}

void TMainForm::Message(const String& Text)
{
  if (ShowMessage) {
    ShowMessage(Text);
  } else if (IsHeadless()) {
    LogLine(Text);
  } else {
    QMessageBox::information(Handle(), Application ? Application->Title() : QStringLiteral("Fathomix"), Text);
  }
}

// ---------------------------------------------------------------------------
// Start-up

void TMainForm::FormShow()
{
  FStarting = true;
  struct TEndOfStart {
    TMainForm& F;
    ~TEndOfStart()
    {
      F.FStarting = false;
      if (F.FCloseRequested) {
        F.FCloseRequested = false;
        F.RequestClose();
      }
    }
  } EndOfStart{*this};

  TCoreData& C = *FCore;
  ForceDirectories(FSetupFolder);
  ApplyProgramIcon(FSetupFolder, Handle());
  C.Locale_Format = GetLocaleFormatSettings(LOCALE_EN_GB);
  ProductName = QStringLiteral("Product Name: Fathomix");
  Version = QStringLiteral("Version: FX-2101 Issue 1 13/04/2023");
  Comments = QStringLiteral("Changes to the 2 Grevon_Proc formats");

  FComPortList = std::make_unique<TStringList>();
  GetAvailableComPorts();

  C.ResetPortData();
  C.Rate = QStringLiteral("1");
  C.Kirvo_Rate = QStringLiteral("1000");
  InputValue = QStringLiteral("01");
  C.ApplyLatitude(C.Local_Latitude);
  Timer1->SetEnabled(true);

  ReadIniFile();
  OpenSetup1Execute();
  C.Reset_Data_Flag = 0;
}

bool TMainForm::ProbePort(int32_t ComNumber)
{
  if (PortProbe)
    return PortProbe(ComNumber);
  SerialDevice Device;
  if (Device.Open(QStringLiteral("\\\\.\\COM%1").arg(ComNumber)) != SysErr::Success)
    return false;
  Device.Close();
  return true;
}

void TMainForm::GetAvailableComPorts()
{
  if (!FComPortList)
    FComPortList = std::make_unique<TStringList>();
  FComPortList->Clear();
  for (int32_t N = 1; N <= ComPortCount; ++N) {
    if (ProbePort(N))
      FComPortList->Add(QStringLiteral("COM%1").arg(N));
    PumpMessages();
  }
}

bool TMainForm::PortPresent(int32_t Port) const
{
  if (!FComPortList)
    return false;
  for (int32_t I = 0; I < FComPortList->Count(); ++I)
    if (StrToIntDef(FComPortList->Strings(I).mid(3), -1) == Port)
      return true;
  return false;
}

// ---------------------------------------------------------------------------
// Timers

void TMainForm::Timer1Timer()
{
  TCoreData& C = *FCore;
  // One reading of the clock for both texts, so that the date and the time
  // shown always belong together.
  now_time = Now();
  SetStatusText(2, DateToStr(now_time, C.Locale_Format) + QLatin1Char(' ') + TimeToStr(now_time, C.Locale_Format));
  now_time_stamp = DateTimeToTimeStamp(now_time);
  now_milliseconds = TimeStampToMSecs(now_time_stamp);
  rtc_milliseconds = Instrument_Clock_Offset + now_milliseconds;
  String InstrumentTime;
  try {
    rtc_time_stamp = MSecsToTimeStamp(rtc_milliseconds);
    rtc_date_time = TimeStampToDateTime(rtc_time_stamp);
    InstrumentTime = DateTimeToStr(rtc_date_time, C.Locale_Format);
  } catch (const EConvertError&) {
    // An offset from a garbled clock reply that puts the instrument outside
    // the calendar.
    InstrumentTime = UnknownStatus;
  }
  for (ISetupScreen* S : SetupScreens())
    S->SetPanelCaption(1, InstrumentTime);
  PumpMessages();
}

void TMainForm::Timer2Timer() { FDialogues->Dialogues().Quorndeck.Timer2Timer(); }

void TMainForm::Timer3Timer() { FDialogues->Dialogues().Kirvo.Timer3Timer(); }

void TMainForm::Timer4Timer() { FDialogues->Dialogues().Kirvo.Timer4Timer(); }

void TMainForm::Timer5Timer()
{
  Timer5->SetEnabled(false);
  // An event already queued when the shutdown stopped the timer.
  if (FClosed)
    return;
  if (OpenSetup1->Enabled())
    OpenSetup1Execute();
}

void TMainForm::SioDataPacket1Timeout()
{
  TSioDataPacket* Packet = FPackets[0];
  // A port that fails to flush must not also leave the instrument's data
  // unheard until the next settings load.
  FlushPort(Packet->ComPort(), "after a packet time-out");
  Packet->SetEnabled(true);
}

void TMainForm::HelpAbout1Execute() { FAboutBox->ShowModal(); }

TProgramInfo TMainForm::ProgramInfo() const { return {ProductName, Version, Comments, FCore->serial_no}; }

// ---------------------------------------------------------------------------
// Shutdown

void TMainForm::FormClose()
{
  if (FClosed)
    return;
  // A window closed before it was ever shown has read no settings, and
  // writing would replace the file with defaults.
  if (FShown)
    CloseApplication();
  FClosed = true;
  if (TerminateOnClose && Application)
    Application->Terminate();
}

void TMainForm::CloseApplication()
{
  if (FClosed)
    return;
  FClosed = true;
  // A dialogue waiting for its instrument ends at its next pause.
  FDialogues->Dialogues().Engine.Abort();
  // Every step runs whatever the one before it did: a settings file that
  // cannot be written must not leave a recording without its depth file.
  try {
    WriteIniFile();
  } catch (const std::exception& E) {
    LogLine(QStringLiteral("settings not written: %1").arg(ExceptionMessage(E)));
    SetStatusText(0, QStringLiteral("Settings not written: ") + ExceptionMessage(E));
  }
  // Every timer, the set-up screen's reopening too: it would bring a window
  // back up while the program goes down.
  for (TTimer* T : {Timer1, Timer2, Timer3, Timer4, Timer5})
    T->SetEnabled(false);
  // The packets off, pending deliveries drained, the open ports flushed:
  // the same as before a settings load.
  StopReception();
  FDataFiles->CloseDataFiles();
  FComPortList.reset();
}

// ---------------------------------------------------------------------------
// Set-up screen and MDI children

void TMainForm::RegisterMdiChild(IMdiChild* Child)
{
  if (!Child)
    return;
  UnregisterMdiChild(Child);
  FMdiChildren.insert(FMdiChildren.begin(), Child);
}

void TMainForm::UnregisterMdiChild(IMdiChild* Child) { std::erase(FMdiChildren, Child); }

IMdiChild* TMainForm::MDIChildren(int32_t Index) const
{
  if (Index < 0 || Index >= MDIChildCount())
    return nullptr;
  return FMdiChildren[static_cast<size_t>(Index)];
}

std::vector<ISetupScreen*> TMainForm::SetupScreens() const
{
  std::vector<ISetupScreen*> Screens;
  for (auto I = FMdiChildren.rbegin(); I != FMdiChildren.rend(); ++I)
    if ((*I)->Kind() == TMdiChildKind::SetupScreen)
      Screens.push_back(static_cast<ISetupScreen*>(*I));
  return Screens;
}

ISetupScreen* TMainForm::CreateSetupScreen()
{
  // Owned by this window as its component; it frees itself when it closes.
  auto* Screen = new TMDISetup(*FSetupHost);
  RegisterMdiChild(Screen);
  SetupScreenShown(*Screen);
  Screen->Show();
  return Screen;
}

void TMainForm::SetupScreenShown(ISetupScreen&)
{
  OpenSetup1->SetEnabled(false);
  SaveDisplayFlag = 0;
}

void TMainForm::SetupScreenClosed(ISetupScreen& Screen)
{
  UnregisterMdiChild(&Screen);
  OpenSetup1->SetEnabled(true);
  SaveDisplayFlag = 1;
}

void TMainForm::OpenSetup1Execute()
{
  ISetupScreen* Screen = CreateSetupScreen();
  ++CreateNumber;
  Screen->SetScreenNumber(CreateNumber);
  LayoutValues.Action_Flag = 0;
  ActionArray.push_back(0);
  FillSetupScreen(*Screen);
}

void TMainForm::FillSetupScreen(ISetupScreen& Screen)
{
  const TCoreData& C = *FCore;
  // Copies first: each field's change handler stores its value back into the
  // core as it is filled.
  const double Values[] = {C.Local_Density,
                           C.Local_Gravity,
                           C.Local_Latitude,
                           double(C.Maximum_Pressure),
                           double(C.Pressure_Resolution),
                           double(C.Maximum_View_Points),
                           C.Altimeter_Offset};
  const String Height = C.Height_Above_Sea_Level;
  const String Tare = FloatToStr(C.Pressure_Tare);
  const String TareTime = C.pressure_tare_time;
  const String SV = C.SV_Value;
  const String KirvoRate = C.Kirvo_Rate;
  const int32_t Altimeter = C.Altimeter_Flag;
  for (int32_t Edit = 1; Edit <= 7; ++Edit)
    Screen.SetQvNumEditValue(Edit, Values[Edit - 1]);
  Screen.SetQvNumEdit8Text(Height);
  Screen.SetPanelCaption(2, Tare);
  Screen.SetPanelCaption(3, TareTime);
  Screen.SetComboBox1Text(SV);
  Screen.SetComboBox2Text(KirvoRate);
  Screen.SetRadioGroup1ItemIndex(Altimeter);
}

void TMainForm::LoadUserDisplay(int32_t N)
{
  FCore->UserDisplayIndex = N;
  ReadIniFile();
}

void TMainForm::Load1Execute() { LoadUserDisplay(1); }
void TMainForm::Load2Execute() { LoadUserDisplay(2); }
void TMainForm::Load3Execute() { LoadUserDisplay(3); }
void TMainForm::Load4Execute() { LoadUserDisplay(4); }
void TMainForm::Load5Execute() { LoadUserDisplay(5); }
void TMainForm::Load6Execute() { LoadUserDisplay(6); }

void TMainForm::ResetDisplay1Execute()
{
  FCore->Reset_Data_Flag = 1;
  const auto Restore = ScopeExit([&] { FCore->Reset_Data_Flag = 0; });
  ReadIniFile();
}

void TMainForm::SetupForm(const String& Text)
{
  for (const TLayoutFormStyle& Style : FormStyles) {
    if (!Text.contains(QLatin1String(Style.Name)))
      continue;
    if (FOpenDisplayWindow && (!FCanOpenDisplayWindow || FCanOpenDisplayWindow(Style.Kind)))
      FOpenDisplayWindow(*this, Style.Kind);
    else
      LogLine(QStringLiteral("saved window %1 not reopened: this kind of window is not available")
                  .arg(QLatin1String(Style.Name)));
  }
}

void TMainForm::DisplayTypeClick(TMdiChildKind Kind)
{
  if (!FOpenDisplayWindow || (FCanOpenDisplayWindow && !FCanOpenDisplayWindow(Kind)))
    return;
  Menu_Open_Flag = 1;
  const auto Restore = ScopeExit([&] { Menu_Open_Flag = 0; });
  FOpenDisplayWindow(*this, Kind);
}

void TMainForm::SetDisplayWindowOpener(TDisplayWindowOpener Opener, std::function<bool(TMdiChildKind)> CanOpen)
{
  FOpenDisplayWindow = std::move(Opener);
  FCanOpenDisplayWindow = std::move(CanOpen);
  UpdateDisplayTypeItems();
}

void TMainForm::UpdateDisplayTypeItems()
{
  for (size_t I = 0; I < DisplayTypeItems.size(); ++I)
    DisplayTypeItems[I]->SetEnabled(FOpenDisplayWindow &&
                                    (!FCanOpenDisplayWindow || FCanOpenDisplayWindow(DisplayItems[I].Kind)));
}

void TMainForm::SaveUserDisplay(int32_t N)
{
  if (N < 2 || N > 6)
    return;
  FCore->UserDisplayIndex = N;
  FDisplayNameDlg->Edit1->SetText(UserDisplayCaption(N));
  FDisplayNameDlg->Show();
  // Not modal: samples, timers and packets go on while the operator types.
  while (FDisplayNameDlg->Visible() && !FClosed)
    DelayTicks(3, 1);
  if (FClosed)
    return; // the shutdown has written the settings
  PumpMessages();
  WriteIniFile();
}

String TMainForm::UserDisplayCaption(int32_t N) const
{
  if (N < 1 || N > 6)
    return String();
  return UserDisplayMenus[static_cast<size_t>(N - 1)]->Caption();
}

void TMainForm::SetUserDisplayCaption(int32_t N, const String& Caption)
{
  if (N < 1 || N > 6)
    return;
  UserDisplayMenus[static_cast<size_t>(N - 1)]->SetCaption(Caption);
}

// ---------------------------------------------------------------------------
// Data files

void TMainForm::SetActionEnabled(TDataFileAction Action, bool Enabled)
{
  TAction* A = nullptr;
  switch (Action) {
  case TDataFileAction::FileOpen1:
    A = FileOpen1;
    break;
  case TDataFileAction::FileSaveData1:
    A = FileSaveData1;
    break;
  case TDataFileAction::Action1:
    A = Action1;
    break;
  case TDataFileAction::RealTimeDisplay1:
    RealTimeDisplay1->SetEnabled(Enabled);
    break;
  case TDataFileAction::FileOpenSVA1:
    A = FileOpenSVA1;
    break;
  case TDataFileAction::FileSaveSVA1:
    A = FileSaveSVA1;
    break;
  }
  if (A)
    A->SetEnabled(Enabled);
}

void TMainForm::SetWaitCursor(bool Wait) { Screen->SetCursor(Wait ? crHourGlass : crDefault); }

void TMainForm::UpdateDepthWindows()
{
  UpdateChildren([](const IMdiChild& Child) {
    return Child.Kind() == TMdiChildKind::BathyGraph || Child.Kind() == TMdiChildKind::DepthScroll;
  });
}

String TMainForm::DataFolder() const
{
  String Base = QString::fromLocal8Bit(std::getenv("XDG_DATA_HOME"));
  if (Base.isEmpty() || !QDir::isAbsolutePath(Base))
    Base = QDir::homePath() + QStringLiteral("/.local/share");
  const String Folder = ExcludeTrailingPathDelimiter(Base) + QStringLiteral("/fathomix");
  ForceDirectories(Folder);
  return Folder;
}

void TMainForm::FileOpen1Execute()
{
  const String Name = QFileDialog::getOpenFileName(Handle(), QStringLiteral("Open Data File"), DataFolder(),
                                                   QStringLiteral("Fathomix Data Files (*.btd)"));
  if (!Name.isEmpty())
    FileOpen1Accept(*FDataFiles, Name);
}

void TMainForm::FileSaveData1Execute()
{
  const String Default = FDataFiles->FileSaveData1BeforeExecute();
  QFileDialog Dialog(Handle(), QStringLiteral("Save Data File"), DataFolder(),
                     QStringLiteral("Fathomix Data Files (*.btd)"));
  Dialog.setAcceptMode(QFileDialog::AcceptSave);
  Dialog.setDefaultSuffix(QStringLiteral("btd"));
  Dialog.selectFile(Default);
  if (Dialog.exec() == QDialog::Accepted && !Dialog.selectedFiles().isEmpty())
    FDataFiles->FileSaveData1Accept(Dialog.selectedFiles().constFirst());
}

void TMainForm::FileOpenSVA1Execute()
{
  const String Name = QFileDialog::getOpenFileName(Handle(), QStringLiteral("Open SVA File"), DataFolder(),
                                                   QStringLiteral("SVA Files (*.sva)"));
  if (!Name.isEmpty())
    FDataFiles->FileOpenSVA1Accept(Name);
}

void TMainForm::FileSaveSVA1Execute()
{
  QFileDialog Dialog(Handle(), QStringLiteral("Save SVA File"), DataFolder(), QStringLiteral("SVA Files (*.sva)"));
  Dialog.setAcceptMode(QFileDialog::AcceptSave);
  Dialog.setDefaultSuffix(QStringLiteral("sva"));
  if (Dialog.exec() == QDialog::Accepted && !Dialog.selectedFiles().isEmpty())
    FDataFiles->FileSaveSVA1Accept(Dialog.selectedFiles().constFirst());
}
