#pragma once
// The serial port as a component.
//
// TSioCustomComPort holds the line settings, buffer sizes, flow control and
// diagnostics switches of one COM port, opens the port by creating a
// dispatcher (TSioWin32Dispatcher) and closes it by freeing it, forwards
// reads, writes, flushes and trigger calls to the dispatcher (turning its
// negative codes into exceptions through CheckException), and turns the
// dispatcher's trigger notifications into events on the thread that opened
// the port. TSioComPort is the same class under its published name.
//
// Port n opens "\\.\COMn", which the serial device layer maps to the device
// named by $FATHOMIX_COMn.
//
// A port whose device fails while open (unplugged, far side gone) shows the
// error once and closes itself: Open() turns false, OnPortClose fires and
// the port's users are told it closed.
#include "platform/Events.h"
#include "serial/SioBaseComponent.h"
#include "serial/SioDispatchTypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TMessageWindow;
class TSioBaseDispatcher;

enum TPortState : uint8_t { psClosed, psShuttingDown, psOpen };
enum TParity : uint8_t { pNone, pOdd, pEven, pMark, pSpace };
enum TDeviceLayer : uint8_t { dlWin32, dlWinsock };
using TDeviceLayers = uint8_t; // bit 1 << TDeviceLayer
enum THWFlowOptions : uint8_t { hwfUseDTR, hwfUseRTS, hwfRequireDSR, hwfRequireCTS };
using THWFlowOptionSet = uint8_t; // bit 1 << THWFlowOptions
constexpr THWFlowOptionSet HWFlowBit(THWFlowOptions O) { return THWFlowOptionSet(1u << O); }
enum TSWFlowOptions : uint8_t { swfNone, swfReceive, swfTransmit, swfBoth };
enum TTraceLogState : uint8_t { tlOff, tlOn, tlDump, tlAppend, tlClear, tlPause, tlAppendAndContinue };
enum TTapiMode : uint8_t { tmNone, tmAuto, tmOn, tmOff };
enum TApThreadBoost : uint8_t { tbNone, tbPlusOne, tbPlusTwo };
enum TSioCallbackType : uint8_t { ctOpen, ctClosing, ctClosed };
enum TFlowControlState : uint8_t { fcOff, fcOn, fcDsrHold, fcCtsHold, fcDcdHold, fcXOutHold, fcXInHold, fcXBothHold };

// Messages the port sends its window users.
constexpr uint32_t PortOpenMsg = 0x7E08;
constexpr uint32_t PortClosedMsg = 0x7E09;
constexpr uint32_t PortClosingMsg = 0x7E0A;

using TTriggerEvent = std::function<void(TObject* CP, uint16_t Msg, uint16_t TriggerHandle, uint16_t Data)>;
using TTriggerAvailEvent = std::function<void(TObject* CP, uint16_t Count)>;
using TTriggerHandleEvent = std::function<void(TObject* CP, uint16_t TriggerHandle)>;
using TTriggerDataEvent = TTriggerHandleEvent;
using TTriggerStatusEvent = TTriggerHandleEvent;
using TTriggerTimerEvent = TTriggerHandleEvent;
using TTriggerLineErrorEvent = std::function<void(TObject* CP, uint16_t Error, bool LineBreak)>;
using TWaitCharEvent = std::function<void(TObject* CP, char C)>;
using TPortCallback = TMethodEvent<void(TObject* CP, bool Opening)>;
using TPortCallbackEx = TMethodEvent<void(TObject* CP, TSioCallbackType CallbackType)>;
// Supplies the dispatcher instead of the built-in choice.
using TActivationProcedure = std::function<std::unique_ptr<TSioBaseDispatcher>(TObject* Owner)>;

class TSioCustomComPort : public TSioBaseComponent {
public:
  explicit TSioCustomComPort(TComponent* AOwner);
  ~TSioCustomComPort() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  void Loaded() override;

  // ---- opening and closing
  bool Open() const { return FOpen; }
  void SetOpen(bool Value);
  TPortState PortStateValue() const { return PortState; }
  void ForcePortOpen();
  // The dispatcher; opens the port first when AutoOpen allows.
  TSioBaseDispatcher* Dispatcher();
  // As Dispatcher, raising ECommNotOpen (-2007) when there is none.
  TSioBaseDispatcher* ValidDispatcher();
  // The dispatcher of the open port, nullptr otherwise; never opens.
  TSioBaseDispatcher* ActiveDispatcher() const { return PortState == psOpen ? FDispatcher.get() : nullptr; }

  // ---- published properties
  TDeviceLayer DeviceLayer() const { return FDeviceLayer; }
  void SetDeviceLayer(TDeviceLayer Value);
  TDeviceLayers DeviceLayers() const { return FDeviceLayers; }
  void SetDeviceLayers(TDeviceLayers Value) { FDeviceLayers = Value; }
  uint16_t ComNumber() const { return FComNumber; }
  void SetComNumber(uint16_t Value);
  int32_t Baud() const { return FBaud; }
  void SetBaud(int32_t Value);
  bool PromptForPort() const { return FPromptForPort; }
  void SetPromptForPort(bool Value) { FPromptForPort = Value; }
  TParity Parity() const { return FParity; }
  void SetParity(TParity Value);
  uint16_t DataBits() const { return FDataBits; }
  void SetDataBits(uint16_t Value);
  uint16_t StopBits() const { return FStopBits; }
  void SetStopBits(uint16_t Value);
  uint16_t InSize() const { return FInSize; }
  void SetInSize(uint16_t Value);
  uint16_t OutSize() const { return FOutSize; }
  void SetOutSize(uint16_t Value);
  bool AutoOpen() const { return FAutoOpen; }
  void SetAutoOpen(bool Value) { FAutoOpen = Value; }
  bool DTR() const { return FDTR; }
  void SetDTR(bool Value);
  bool RTS() const { return FRTS; }
  void SetRTS(bool Value);
  THWFlowOptionSet HWFlowOptions() const { return FHWFlowOptions; }
  void SetHWFlowOptions(THWFlowOptionSet Value);
  TSWFlowOptions SWFlowOptions() const { return FSWFlowOptions; }
  void SetSWFlowOptions(TSWFlowOptions Value);
  char XOnChar() const { return FXOnChar; }
  void SetXOnChar(char Value);
  char XOffChar() const { return FXOffChar; }
  void SetXOffChar(char Value);
  uint16_t BufferFull() const { return FBufferFull; }
  void SetBufferFull(uint16_t Value);
  uint16_t BufferResume() const { return FBufferResume; }
  void SetBufferResume(uint16_t Value);
  bool UseMSRShadow() const { return true; }
  virtual void SetUseMSRShadow(bool Value);
  bool UseEventWord() const { return FUseEventWord; }
  void SetUseEventWord(bool Value);
  uint16_t CommNotificationLevel() const { return FCommNotificationLevel; }
  void SetCommNotificationLevel(uint16_t Value) { FCommNotificationLevel = Value; }
  TTapiMode TapiMode() const { return FTapiMode; }
  void SetTapiMode(TTapiMode Value) { FTapiMode = Value; }
  bool RS485Mode() const { return FRS485Mode; }
  void SetRS485Mode(bool Value);

  // ---- public properties
  uint32_t ComWindow() const;
  const TActivationProcedure& CustomDispatcher() const { return fCustomDispatcher; }
  void SetCustomDispatcher(TActivationProcedure Value) { fCustomDispatcher = std::move(Value); }
  uint16_t TapiCid() const { return FTapiCid; }
  void SetTapiCid(uint16_t Value) { FTapiCid = Value; }
  uint16_t BaseAddress();
  void SetBaseAddress(uint16_t Value);
  TApThreadBoost ThreadBoost() const { return FThreadBoost; }
  void SetThreadBoost(TApThreadBoost Value);
  TComponent* MasterTerminal() const { return FMasterTerminal; }
  void SetMasterTerminal(TComponent* Value) { FMasterTerminal = Value; }
  TFlowControlState FlowState();
  uint16_t TriggerLength() const { return FTriggerLength; }
  void SetTriggerLength(uint16_t Value);
  void SetOutput(const AnsiString& Value) { PutString(Value); }
  void SetOutputUni(const String& Value) { PutString(Value); }
  uint8_t ModemStatus();
  bool DSR();
  bool CTS();
  bool RI();
  bool DCD();
  bool DeltaDSR();
  bool DeltaCTS();
  bool DeltaRI();
  bool DeltaDCD();
  uint16_t LineError();
  bool LineBreak();
  uint16_t InBuffUsed();
  uint16_t InBuffFree();
  uint16_t OutBuffUsed();
  uint16_t OutBuffFree();
  int32_t LastWinError();

  // ---- forwarding calls
  void PutChar(char C);
  void PutString(const AnsiString& S);
  void PutString(const char* S) { PutString(AnsiString(S)); }
  // Sent as Windows-1252 text.
  void PutString(const String& S);
  int32_t PutBlock(const void* Block, uint16_t Len);
  bool CharReady();
  char PeekChar(uint16_t Count);
  char GetChar();
  void PeekBlock(void* Block, uint16_t Len);
  void GetBlock(void* Block, uint16_t Len);
  // Discards the bytes received so far: the dispatcher's and those the
  // port's data packets were collecting (their matches restart, and their
  // events still waiting for the main thread are dropped).
  void FlushInBuffer();
  void FlushOutBuffer();
  void SendBreak(uint16_t Ticks, bool Yield);
  void SetBreak(bool BreakOn);
  virtual void ProcessCommunications();
  uint16_t AddDataTrigger(const AnsiString& Data, bool IgnoreCase);
  uint16_t AddTimerTrigger();
  uint16_t AddStatusTrigger(uint16_t SType);
  void SetTimerTrigger(uint16_t Handle, int32_t Ticks, bool Activate);
  void SetStatusTrigger(uint16_t Handle, uint16_t Value, bool Activate);
  void RemoveTrigger(uint16_t Handle);
  void RemoveAllTriggers();
  void AddStringToLog(const AnsiString& S);

  // ---- tracing and dispatch logging (the switches are state machines: an
  // active trace or log is written to its file when set to tlDump, and when
  // the port closes)
  TTraceLogState Tracing() const { return FTracing; }
  void SetTracing(TTraceLogState Value);
  uint32_t TraceSize() const { return FTraceSize; }
  void SetTraceSize(uint32_t Value);
  const String& TraceName() const { return FTraceName; }
  void SetTraceName(const String& Value);
  bool TraceHex() const { return FTraceHex; }
  void SetTraceHex(bool Value) { FTraceHex = Value; }
  bool TraceAllHex() const { return FTraceAllHex; }
  void SetTraceAllHex(bool Value) { FTraceAllHex = Value; }
  TTraceLogState Logging() const { return FLogging; }
  void SetLogging(TTraceLogState Value);
  uint32_t LogSize() const { return FLogSize; }
  void SetLogSize(uint32_t Value);
  const String& LogName() const { return FLogName; }
  void SetLogName(const String& Value);
  bool LogHex() const { return FLogHex; }
  void SetLogHex(bool Value) { FLogHex = Value; }
  bool LogAllHex() const { return FLogAllHex; }
  void SetLogAllHex(bool Value) { FLogAllHex = Value; }

  void InitTracing(uint32_t NumEntries);
  void DumpTrace(const String& FName, bool InHex);
  void AppendTrace(const String& FName, bool InHex, TTraceLogState NewState);
  void ClearTracing();
  void AbortTracing();
  void StartTracing();
  void StopTracing();
  void AddTraceEntry(char CurEntry, char CurCh);
  void InitLogging(uint32_t Size);
  void DumpLog(const String& FName, bool InHex);
  void AppendLog(const String& FName, bool InHex, TTraceLogState NewState);
  void ClearLogging();
  void AbortLogging();
  void StartLogging();
  void StopLogging();

  // ---- waiting for strings on the line (not for bytes a packet takes)
  // True when S (or, with IgnoreCase, S with a to z folded) came within
  // Timeout ticks, or at once for an empty S; false when the time ran out.
  // With Yield the thread's messages are handled meanwhile.
  bool WaitForString(const AnsiString& S, int32_t Timeout, bool Yield, bool IgnoreCase);
  // The 1-based number of the first of the SepChar-separated strings of S
  // that came (at most 127), 0 when the time ran out first.
  int32_t WaitForMultiString(const AnsiString& S, int32_t Timeout, bool Yield, bool IgnoreCase, char SepChar);
  // One step of the same matching for a caller's own loop: Index counts the
  // characters of S matched so far; true (and Index 0) when S is complete.
  bool CheckForString(uint8_t& Index, char C, const AnsiString& S, bool IgnoreCase);
  // Marks the port busy before a command is sent, so its reply is kept for
  // the wait that follows rather than taken by the triggers.
  void PrepareWait();

  // ---- users of the port's notifications
  void RegisterUser(uint32_t H);
  void RegisterUserEx(uint32_t H);
  void RegisterUserCallback(const TPortCallback& CallBack);
  void RegisterUserCallbackEx(const TPortCallbackEx& CallBackEx);
  void DeregisterUser(uint32_t H);
  void DeregisterUserCallback(const TMethod& CallBack);
  void DeregisterUserCallbackEx(const TMethod& CallBackEx);

  // ---- events
  TNotifyEvent OnPortOpen;
  TNotifyEvent OnPortClose;
  TWaitCharEvent OnWaitChar;
  // Assigning a trigger event tells the dispatcher whether the port's own
  // window needs the notifications.
  const TTriggerEvent& OnTrigger() const { return FOnTrigger; }
  void SetOnTrigger(TTriggerEvent Value);
  const TTriggerAvailEvent& OnTriggerAvail() const { return FOnTriggerAvail; }
  void SetOnTriggerAvail(TTriggerAvailEvent Value);
  const TTriggerDataEvent& OnTriggerData() const { return FOnTriggerData; }
  void SetOnTriggerData(TTriggerDataEvent Value);
  const TTriggerStatusEvent& OnTriggerStatus() const { return FOnTriggerStatus; }
  void SetOnTriggerStatus(TTriggerStatusEvent Value);
  const TTriggerTimerEvent& OnTriggerTimer() const { return FOnTriggerTimer; }
  void SetOnTriggerTimer(TTriggerTimerEvent Value);
  const TTriggerLineErrorEvent& OnTriggerLineError() const { return FOnTriggerLineError; }
  void SetOnTriggerLineError(TTriggerLineErrorEvent Value);
  const TNotifyEvent& OnTriggerModemStatus() const { return FOnTriggerModemStatus; }
  void SetOnTriggerModemStatus(TNotifyEvent Value);
  const TNotifyEvent& OnTriggerOutbuffFree() const { return FOnTriggerOutbuffFree; }
  void SetOnTriggerOutbuffFree(TNotifyEvent Value);
  const TNotifyEvent& OnTriggerOutbuffUsed() const { return FOnTriggerOutbuffUsed; }
  void SetOnTriggerOutbuffUsed(TNotifyEvent Value);
  const TNotifyEvent& OnTriggerOutSent() const { return FOnTriggerOutSent; }
  void SetOnTriggerOutSent(TNotifyEvent Value);

protected:
  virtual std::unique_ptr<TSioBaseDispatcher> ActivateDeviceLayer();
  virtual void DeviceLayerChanged() {}
  virtual int32_t InitializePort();
  virtual void RegisterComPort(bool Enabling);
  virtual void ValidateComport();
  virtual void Trigger(uint16_t Msg, uint16_t TriggerHandle, uint16_t Data);
  virtual void TriggerAvail(uint16_t Count);
  virtual void TriggerData(uint16_t TriggerHandle);
  virtual void TriggerStatus(uint16_t TriggerHandle);
  virtual void TriggerTimer(uint16_t TriggerHandle);
  virtual void UpdateHandlerFlag();
  virtual void TriggerLineError(uint16_t Error, bool LineBreak);
  virtual void TriggerModemStatus();
  virtual void TriggerOutbuffFree();
  virtual void TriggerOutbuffUsed();
  virtual void TriggerOutSent();
  virtual void WaitChar(char C);
  virtual void DonePort();
  virtual void PortOpen();
  virtual void PortClose();
  virtual void PortClosing();
  virtual void InitPort();

  bool Force = false;
  TPortState PortState = psClosed;
  bool OpenPending = false;
  bool ForceOpen = false;
  bool CopyTriggers = false;
  TTriggerSave SaveTriggerBuffer;
  bool BusyBeforeWait = false;
  bool WaitPrepped = false;
  std::unique_ptr<TSioBaseDispatcher> FDispatcher;

private:
  struct TUserEntry;
  // The trace and the dispatch log have one state machine: the record's
  // fields and calls, for each.
  struct TRecordSwitch;
  static const TRecordSwitch TraceSwitch;
  static const TRecordSwitch LogSwitch;
  void SetRecordState(const TRecordSwitch& R, TTraceLogState Value);
  void SetRecordSize(const TRecordSwitch& R, uint32_t Value);

  intptr_t ComWindowProc(uint32_t Msg, uintptr_t WParam, intptr_t LParam);
  // Frees the dispatcher of a completed close.
  void FinishClose();
  bool IsOpenPort() const { return PortState == psOpen && FDispatcher != nullptr; }
  bool ShuttingDown() const { return PortState == psShuttingDown; }
  bool Designing() const { return (ComponentState() & csDesigning) != 0; }
  bool Loading() const { return (ComponentState() & csLoading) != 0; }
  int32_t Check(int32_t Res) const;
  void ApplyStoredSettings();
  // The end of a wait: the busy mark goes unless it was there before.
  void EndWait(bool WasBusy);
  // The waits: the 1-based number of the first string of List that came.
  int32_t WaitForStrings(const std::vector<AnsiString>& List, int32_t Timeout, bool Yield, bool IgnoreCase);
  // Waits for data or, with Yield, a message, at most Ms.
  void WaitForData(uint32_t Ms, bool Yield);
  void NotifyUsers(uint32_t WindowMsg, bool ExtendedWindowsOnly, bool CallPlain, bool Opening, TSioCallbackType Kind);

  std::vector<std::unique_ptr<TUserEntry>> UserList;
  std::unique_ptr<TMessageWindow> fComWindow;
  TActivationProcedure fCustomDispatcher;
  TComponent* FMasterTerminal = nullptr;
  TDeviceLayer FDeviceLayer = dlWin32;
  TDeviceLayers FDeviceLayers = 1u << dlWin32;
  uint16_t FComNumber = 0;
  int32_t FBaud = 19200;
  bool FPromptForPort = true;
  TParity FParity = pNone;
  uint16_t FDataBits = 8;
  uint16_t FStopBits = 1;
  uint16_t FInSize = 4096;
  uint16_t FOutSize = 4096;
  bool FAutoOpen = true;
  bool FOpen = false;
  bool FDTR = true;
  bool FRTS = true;
  THWFlowOptionSet FHWFlowOptions = 0;
  TSWFlowOptions FSWFlowOptions = swfNone;
  char FXOnChar = 17;
  char FXOffChar = 19;
  uint16_t FBufferFull = 0;
  uint16_t FBufferResume = 0;
  bool FUseEventWord = true;
  uint16_t FCommNotificationLevel = 10;
  TTapiMode FTapiMode = tmAuto;
  bool FRS485Mode = false;
  uint16_t FTapiCid = 0;
  TApThreadBoost FThreadBoost = tbNone;
  uint16_t FTriggerLength = 1;
  TTraceLogState FTracing = tlOff;
  uint32_t FTraceSize = 10000;
  String FTraceName;
  bool FTraceHex = true;
  bool FTraceAllHex = false;
  TTraceLogState FLogging = tlOff;
  uint32_t FLogSize = 10000;
  String FLogName;
  bool FLogHex = true;
  bool FLogAllHex = false;
  bool Destroying = false;

  TTriggerEvent FOnTrigger;
  TTriggerAvailEvent FOnTriggerAvail;
  TTriggerDataEvent FOnTriggerData;
  TTriggerStatusEvent FOnTriggerStatus;
  TTriggerTimerEvent FOnTriggerTimer;
  TTriggerLineErrorEvent FOnTriggerLineError;
  TNotifyEvent FOnTriggerModemStatus;
  TNotifyEvent FOnTriggerOutbuffFree;
  TNotifyEvent FOnTriggerOutbuffUsed;
  TNotifyEvent FOnTriggerOutSent;
};

class TSioComPort : public TSioCustomComPort {
public:
  explicit TSioComPort(TComponent* AOwner);
  ~TSioComPort() override;
  String ClassName() const override;
};

// The first port among the components owned by C, searching each owned
// component's own components before going on; nullptr when there is none.
TSioCustomComPort* SearchComPort(TComponent* C);
