#pragma once
// The main window TMainForm: the program itself. An MDI frame (a form whose
// MDI area holds the display windows and the set-up screen), shown
// maximised, that owns the twenty serial ports, the eighteen data packets
// and the five timers, the status bar, the menus and actions, the acquisition
// core's shared state (TCoreData) and the data files, and holds the state of
// the start-up unit (the present ports, the clock, the port variables, the
// user-layout values).
//
// Life: FormShow (OnShow) runs when the window is first shown (probe the ports, start
// the clock, read the settings, bind the ports and packets, open the set-up
// screen); then the program is driven by the message loop; closing the
// window (FormClose, OnClose; or SIGINT/SIGTERM/SIGHUP, through
// RequestClose) runs CloseApplication
// once: settings written, every timer stopped, packets disabled, ports
// flushed, data files closed.
//
// The settings file and the port binding are in MainFormSettings.cpp and
// MainFormPorts.cpp.
//
// MDIChildCount and MDIChildren here are the windows registered through
// RegisterMdiChild (IMdiChild), the display subsystem's interface; the
// form's own MDI children are TCustomForm::MDIChildren.
#include "app/core/DataFiles.h"
#include "app/core/MdiChild.h"
#include "app/core/SetupScreen.h"
#include "app/windows/DisplayHost.h"
#include "platform/Forms.h"
#include "rtl/DateTime.h"
#include "rtl/Types.h"

#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TAction;
class TActionList;
class TCoreData;
class TAboutBox;
class TChartScaleDlg;
class TDisplayNameDlg;
class TDisplayWindows;
class TMainFormDialogues;
class TSetupScreenHost;
class TIniFile;
class TSettingsReader;
class TSioComPort;
class TSioCustomComPort;
class TSioDataPacket;
class TSioTerminal;
class TMainMenu;
class TMenuItem;
class TStatusBar;
class TStringList;
class TTimer;

// The state of an instrument row of the set-up grid.
struct TRowState {
  int32_t CommandMode = 0;
  int32_t Busy = 0;
  int32_t RunMode = 0;
};

constexpr int32_t ComPortCount = 20;
constexpr int32_t DataPacketCount = 18;

class TMainForm : public TForm, public TDataFilesHost, public IDisplayHost {
public:
  explicit TMainForm(TComponent* AOwner);
  ~TMainForm() override;
  String ClassName() const override;

  // ---- The window ---------------------------------------------------------
  // Show (the form's) shows the window maximised; the first showing runs
  // FormShow. Close (the form's) runs the shutdown once, through FormClose,
  // then the program ends when TerminateOnClose is set.
  //
  // Close from the message loop, after whatever runs now has finished; a
  // request during start-up waits for its end. For the termination signals.
  void RequestClose();
  // True once CloseApplication has run.
  bool Closed() const { return FClosed; }
  // StatusBar1's panels: 0 instrument dialogue or file outcome, 1 last
  // command sent or the replay / real-time mode, 2 the PC date and time.
  String StatusText(int32_t Panel) const;
  void SetStatusText(int32_t Panel, const String& Text) override;

  // ---- Start-up and shutdown ----------------------------------------------
  void FormShow();
  void FormClose();
  void CloseApplication();
  // Lists in ComPortList the COM ports 1..20 that can be opened now.
  void GetAvailableComPorts();
  // The status-bar clock and the instrument time on the set-up screens.
  void Timer1Timer();
  // Reply watchdog of the profiling instrument's command sequences.
  void Timer2Timer();
  // Reply watchdog and keep-alive of the modular instruments' sequences.
  void Timer3Timer();
  void Timer4Timer();
  // One-shot: the set-up screen reopened after a fitted check box changed.
  void Timer5Timer();
  // Packet 1 gave up on a data string: its port is flushed and it listens
  // again.
  void SioDataPacket1Timeout();
  // The About box, modally.
  void HelpAbout1Execute();

  // ---- The settings file (MainFormSettings.cpp) ----------------------------
  // Rebuilds everything from the settings file: stops reception, flushes the
  // ports, resets the data when Core().Reset_Data_Flag is 1, reads the file,
  // opens the fitted output ports, binds every fitted instrument slot,
  // rebuilds the value tables and reopens the saved user layout. Problems
  // with the file or with a binding do not stop it: each becomes a line of
  // SettingsProblems(), the first is shown in panel 0 and all are logged.
  void ReadIniFile() override;
  // Writes the settings (and the current layout when SaveDisplayFlag is 1).
  // Raises EIniFileException when the file cannot be written.
  void WriteIniFile();
  const QStringList& SettingsProblems() const { return FSettingsProblems; }
  // The set-up folder; fixed when the window is created, changed only by
  // tests before Show. It is created by FormShow when missing.
  const String& SetupFolder() const override { return FSetupFolder; }
  void SetSetupFolder(const String& Folder) { FSetupFolder = Folder; }
  String SettingsFileName() const;
  // The fitted flag of a slot or output as the operator sets it on the
  // set-up screen. A slot or output whose port was missing at start-up runs
  // unfitted but keeps "Fitted=1" in the file; setting the flag here ends
  // that, so the operator's choice is what the next write stores.
  void SetSlotFitted(int32_t Slot, bool Fitted);
  void SetOutputFitted(int32_t N, bool Fitted);
  // The set-up screen's fitted check box of grid row Row (1 the profiling
  // instrument, 2..5 outputs 1..4, 6..9 the QYR sensors, 10 the atmospheric
  // sensor): the flag stored, the settings written, then reloaded (the
  // recorded data kept), and Timer5 started, which reopens the set-up screen once the caller has closed it.
  // ERangeError for any other row.
  void SetupFittedClick(int32_t Row, bool Fitted);

  // ---- Port and packet binding (MainFormPorts.cpp) --------------------------
  TSioComPort* SioComPort(int32_t N) const;       // 1..20, else nullptr
  TSioDataPacket* SioDataPacket(int32_t N) const; // 1..18, else nullptr
  // The packet a slot's "Packet" number names (1, 10, 11, 16, 17, 18);
  // nullptr for any other number.
  TSioDataPacket* DataPacketSetup(int32_t DataPacketNumber) const;
  // Binds instrument slot InstrumentIndex (0, 11..15; others are ignored) to
  // COM port SerialPortNumber at SerialPortBaudRate and the given packet:
  // port variable, baud rate, packet moved to the port (disabled first),
  // start condition, port opened, packet enabled with AutoEnable. Without a
  // packet only the port is bound. A packet that has no start string starts
  // on any data also in RS485 mode, since it has nothing to wait for.
  // Raises ERangeError for a port outside 1..20 (nothing changed) and the
  // serial library's exceptions when the port cannot be opened or set.
  void SerialPortSetup(int32_t InstrumentIndex, int32_t SerialPortNumber, int32_t SerialPortBaudRate,
                       TSioDataPacket* SerialPortDataPacket);
  // ---- Instrument dialogues (MainFormDialogues.cpp) --------------------------
  // Interrupt, set up, run and set the clock of the profiling instrument;
  // interrupt, set up and run the modular instrument of set-up row Row_No
  // (6..10). Each gives false when it failed or did not start because
  // another dialogue runs.
  bool Break_In_Quorndeck();
  bool Set_Quorndeck();
  bool Run_Quorndeck();
  bool Set_Time();
  bool Break_In_Kirvo(int32_t Row_No);
  bool Set_Kirvo(int32_t Row_No);
  bool Run_Kirvo(int32_t Row_No);
  // The engine, the protocols and the set-up screen's buttons.
  TMainFormDialogues& Dialogues() const;

  // "Reset Address Mode": asks for the address and sends it the command
  // that ends address mode on the profiling instrument's port.
  void AddressMode1Click();

  // ---- Display windows and user layouts -------------------------------------
  // The set-up screen: created, placed, numbered and filled.
  void OpenSetup1Execute();
  void Load1Execute();
  void Load2Execute();
  void Load3Execute();
  void Load4Execute();
  void Load5Execute();
  void Load6Execute();
  void ResetDisplay1Execute();
  // Save2Execute..Save6Execute: user display N (2..6) named in the
  // display-name dialog, shown without being modal; once it is hidden the
  // settings are written, with the layout when the operator confirmed.
  void SaveUserDisplay(int32_t N);
  // Opens the window kind named in a saved "Form Style" value, with the
  // layout values just read.
  void SetupForm(const String& Text);
  // A Display Type menu click: the window of Kind at the default place and
  // size, showing no item yet.
  void DisplayTypeClick(TMdiChildKind Kind);
  // The Open actions: create, place, number and prepare a window of the
  // kind (Menu_Open_Flag and LayoutValues say how). The window's own opener
  // (DisplayWindows) is set at construction; CanOpen says which kinds it
  // has (empty: all). A kind it lacks keeps its Display Type item disabled
  // and is not reopened from a saved layout.
  using TDisplayWindowOpener = std::function<void(TMainForm& Form, TMdiChildKind Kind)>;
  void SetDisplayWindowOpener(TDisplayWindowOpener Opener, std::function<bool(TMdiChildKind)> CanOpen = {});
  // The dialogs made with the window.
  TChartScaleDlg* ChartScaleDialog() const { return FChartScaleDlg; }
  TDisplayNameDlg* DisplayNameDialog() const { return FDisplayNameDlg; }
  TAboutBox* AboutDialog() const { return FAboutBox; }
  // The display windows' kinds and their Open action.
  TDisplayWindows& DisplayWindows() const { return *FDisplayWindows; }
  // The Display Type items enabled for the kinds that can be opened now.
  void UpdateDisplayTypeItems();

  // The MDI children, index 0 the active one. Windows register when shown
  // and unregister when freed.
  void RegisterMdiChild(IMdiChild* Child) override;
  void UnregisterMdiChild(IMdiChild* Child) override;
  int32_t MDIChildCount() const { return static_cast<int32_t>(FMdiChildren.size()); }
  IMdiChild* MDIChildren(int32_t Index) const;
  // Every open set-up screen, from the last MDI child to the first.
  std::vector<ISetupScreen*> SetupScreens() const;
  // Fills a set-up screen's controls from the core (FormShow step 12).
  void FillSetupScreen(ISetupScreen& Screen);
  // The set-up screen's show and close effects on the main window.
  void SetupScreenShown(ISetupScreen& Screen);
  void SetupScreenClosed(ISetupScreen& Screen);

  // ---- TDataFilesHost ---------------------------------------------------------
  void SetActionEnabled(TDataFileAction Action, bool Enabled) override;
  void SetWaitCursor(bool Wait) override;
  void UpdateDepthWindows() override;

  // ---- IDisplayHost ---------------------------------------------------------
  TCustomForm* Frame() override { return this; }
  std::vector<int32_t>& ItemMasks() override { return ActionArray; }
  int32_t NextScreenNumber() override { return ++CreateNumber; }
  bool MenuOpen() const override { return Menu_Open_Flag != 0; }
  TLayoutWindow& OpeningLayout() override { return LayoutValues; }
  void RequestLayoutSave() override { SaveDisplayFlag = 1; }
  TProgramInfo ProgramInfo() const override;

  // ---- Shared state ---------------------------------------------------------
  TCoreData& Core() override { return *FCore; }
  TDataFiles& DataFiles() { return *FDataFiles; }

  int32_t CreateNumber = 0;
  std::vector<int32_t> ActionArray;
  String ProductName;
  String Version;
  String Comments;
  // The last address typed for "Reset Address Mode".
  String InputValue = QStringLiteral("01");
  // The instrument command last sent.
  AnsiString CommandString;
  std::array<TRowState, SetupRowCount> RowStates{};

  // The ports present at start ("COM2", "COM5"); created by FormShow, freed
  // by CloseApplication (nullptr outside).
  TStringList* ComPortList() const { return FComPortList.get(); }

  // Port variables: the components bound to the instruments and outputs.
  TSioComPort* QuorndeckPort = nullptr;
  TSioComPort* AtmosPort = nullptr;
  TSioComPort* Kirvo1Port = nullptr;
  TSioComPort* Kirvo2Port = nullptr;
  TSioComPort* Kirvo3Port = nullptr;
  TSioComPort* Kirvo4Port = nullptr;
  TSioComPort* OutputPort1 = nullptr;
  TSioComPort* OutputPort2 = nullptr;
  TSioComPort* OutputPort3 = nullptr;
  TSioComPort* OutputPort4 = nullptr;
  // The output port variable of output N (1..4); nullptr outside.
  TSioComPort* OutputPort(int32_t N) const;

  // The instrument clock: instrument minus PC, milliseconds.
  int64_t Instrument_Clock_Offset = 0;
  TDateTime now_time = 0;
  TTimeStamp now_time_stamp;
  int64_t now_milliseconds = 0;
  int64_t rtc_milliseconds = 0;
  TTimeStamp rtc_time_stamp;
  TDateTime rtc_date_time = 0;

  int32_t First_Load_Done = 0;
  int32_t SaveDisplayFlag = 0;
  int32_t Menu_Open_Flag = 0;
  int32_t Form_Screens = 0;
  // The values of the layout window being opened (Form_Style, Action_Flag,
  // Form_Color, ...).
  TLayoutWindow LayoutValues;

  // ---- Components ------------------------------------------------------------
  TTimer* Timer1 = nullptr;
  TTimer* Timer2 = nullptr;
  TTimer* Timer3 = nullptr;
  TTimer* Timer4 = nullptr;
  TTimer* Timer5 = nullptr;
  // Hidden and disabled on the second port; nothing of the program uses it.
  TSioTerminal* SioTerminal1 = nullptr;

  TStatusBar* StatusBar1 = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TActionList* ActionList1 = nullptr;
  // Actions and menu items, by their names.
  TAction* FileOpen1 = nullptr;
  TAction* FileSaveData1 = nullptr;
  TAction* Action1 = nullptr;
  TMenuItem* RealTimeDisplay1 = nullptr; // the menu item of RealTime1
  TAction* FileOpenSVA1 = nullptr;
  TAction* FileSaveSVA1 = nullptr;
  TAction* OpenSetup1 = nullptr;
  // SimpleDisplay1, ScrollDisplay1, GraphDisplay1, BathyGraphDisplay1,
  // PositionGraphDisplay1, LastDataDisplay1, ScaleDisplay1,
  // DensityArrayDisplay1 (the depth scroll window).
  std::array<TMenuItem*, 8> DisplayTypeItems{};
  std::array<TAction*, 6> LoadActions{};        // Load1 .. Load6
  std::array<TAction*, 6> SaveActions{};        // Save1 (none) .. Save6; [0] is nullptr
  std::array<TMenuItem*, 6> UserDisplayMenus{}; // UserDisplay11 .. UserDisplay61
  TAction* WindowClose1 = nullptr;
  TAction* WindowTileHorizontal1 = nullptr;
  TAction* WindowMinimizeAll1 = nullptr;
  TAction* HelpAbout1 = nullptr;
  TAction* ResetDisplay1 = nullptr;
  TMenuItem* AddressMode1 = nullptr;
  // The caption of the menu item of user display N (1..6).
  String UserDisplayCaption(int32_t N) const;
  void SetUserDisplayCaption(int32_t N, const String& Caption) override;

  // ---- What the environment supplies ------------------------------------------
  // Whether COM port n can be opened now; empty: the device is opened and
  // closed again. Tests put their own.
  std::function<bool(int32_t ComNumber)> PortProbe;
  // End the program when the window has closed (tests keep it running).
  bool TerminateOnClose = true;
  // An input query: false when cancelled. Empty: a dialog box.
  std::function<bool(const String& Caption, const String& Prompt, String& Value)> InputQuery;
  // An information message. Empty: a message box (stderr when headless).
  std::function<void(const String& Text)> ShowMessage;

private:
  friend class TMainFormDialogues;
  friend class TSetupScreenHost;

  void CreatePorts();
  void CreatePackets();
  void CreateTimers();
  void CreateTerminal();
  void CreateMenus();
  void WireCoreHooks();
  void Guarded(const std::function<void()>& Handler);
  // DataUpdate of every child that Which picks, from the last to the first.
  // A window closed or freed meanwhile (updates pump messages) is skipped,
  // and one that fails does not cost the others their update: its error is
  // logged.
  void UpdateChildren(const std::function<bool(const IMdiChild&)>& Which);
  // Flushes the input, then the output buffer of an open port; a failure is
  // logged, so that whatever follows the flush still runs.
  void FlushPort(TSioCustomComPort* Port, const char* When);
  void PumpMessages();
  void Message(const String& Text);
  bool ProbePort(int32_t ComNumber);
  bool PortPresent(int32_t Port) const;
  ISetupScreen* CreateSetupScreen();
  void LoadUserDisplay(int32_t N);
  void FileOpen1Execute();
  void FileSaveData1Execute();
  void FileOpenSVA1Execute();
  void FileSaveSVA1Execute();
  String DataFolder() const;

  // The settings load's steps (StopReception also serves the shutdown).
  void StopReception();
  void OpenFittedOutputs(TSettingsReader& R);
  void BindSlot(TSettingsReader& R, int32_t Slot, std::array<int32_t, DataPacketCount + 1>& PacketPort);
  void ReportSlot(TSettingsReader& R, int32_t Slot, const String& Text);
  void CloseDisplayWindows();
  void ReopenLayout(TSettingsReader& R, bool AnyFitted);
  void ShowSettingsProblems();
  void SaveLayout(TIniFile& Ini);

  std::unique_ptr<TCoreData> FCore;
  std::unique_ptr<TDataFiles> FDataFiles;
  std::unique_ptr<TMainFormDialogues> FDialogues;
  std::unique_ptr<TSetupScreenHost> FSetupHost;
  std::array<TSioComPort*, ComPortCount> FPorts{};
  std::array<TSioDataPacket*, DataPacketCount> FPackets{};
  std::unique_ptr<TStringList> FComPortList;
  std::vector<IMdiChild*> FMdiChildren;
  String FSetupFolder;
  TDisplayWindowOpener FOpenDisplayWindow;
  std::function<bool(TMdiChildKind)> FCanOpenDisplayWindow;
  std::unique_ptr<TDisplayWindows> FDisplayWindows;
  TChartScaleDlg* FChartScaleDlg = nullptr;
  TDisplayNameDlg* FDisplayNameDlg = nullptr;
  TAboutBox* FAboutBox = nullptr;
  // The last error each window's update gave, by ScreenNumber: a window
  // that fails on every sample is logged once per new error.
  std::vector<std::pair<int32_t, String>> FUpdateErrors;
  QStringList FSettingsProblems;
  // Fitted in the file but running unfitted, because the port was missing
  // at start-up.
  std::array<bool, 20> FSlotKeptFitted{}; // per sensor slot
  std::array<bool, 4> FOutputKeptFitted{};
  bool FShown = false;
  bool FStarting = false;
  bool FCloseRequested = false;
  bool FClosed = false;
};

extern TMainForm* MainForm;
