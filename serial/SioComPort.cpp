#include "serial/SioComPort.h"

#include "platform/Application.h"
#include "platform/Messages.h"
#include "platform/Thread.h"
#include "rtl/Exceptions.h"
#include "rtl/Strings.h"
#include "serial/PortProbe.h"
#include "serial/SioBaseDispatcher.h"
#include "serial/SioDataPacket.h"
#include "serial/SioErrors.h"
#include "serial/SioExceptions.h"
#include "serial/SioTicks.h"
#include "serial/SioWin32Dispatcher.h"

#include <algorithm>

namespace {

// The longest data trigger text a port passes on (a short string).
constexpr int32_t MaxTriggerText = 255;
constexpr uint16_t InputRingFree = static_cast<uint16_t>(InputRingSize);

} // namespace

struct TSioCustomComPort::TUserEntry {
  uint32_t Handle = 0; // 0 for a callback entry
  TPortCallback Callback;
  TPortCallbackEx CallbackEx;
  bool IsEx = false;
};

// ------------------------------------------------------------ life cycle

TSioCustomComPort::TSioCustomComPort(TComponent* AOwner)
    : TSioBaseComponent(AOwner), FTraceName(QStringLiteral("TELV.TRC")), FLogName(QStringLiteral("TELV.LOG"))
{
}

TSioCustomComPort::~TSioCustomComPort()
{
  Destroying = true;
  if (PortState == psOpen) {
    try {
      DonePort();
    } catch (const std::exception& E) {
      HandleApplicationException(E);
    }
  }
  // A close still completing: the dispatcher waits for its threads as it goes.
  FDispatcher.reset();
  // The packets bound to this port must not reach it once it is gone.
  if (TSioDataPacketManager* M = PacketManagerList->GetPortManager(this))
    M->PortGone();
  UserList.clear();
  TSioBaseDispatcher::ClearSaveBuffers(SaveTriggerBuffer);
}

String TSioCustomComPort::ClassName() const { return QStringLiteral("TSioCustomComPort"); }

TSioComPort::TSioComPort(TComponent* AOwner) : TSioCustomComPort(AOwner) {}

TSioComPort::~TSioComPort() = default;

String TSioComPort::ClassName() const { return QStringLiteral("TSioComPort"); }

int32_t TSioCustomComPort::Check(int32_t Res) const
{
  return CheckException(const_cast<TSioCustomComPort*>(this), Res);
}

void TSioCustomComPort::Assign(TPersistent* Source)
{
  auto* Src = dynamic_cast<TSioCustomComPort*>(Source);
  if (!Src) {
    TSioBaseComponent::Assign(Source);
    return;
  }
  UserList.clear();
  for (const auto& E : Src->UserList)
    UserList.push_back(std::make_unique<TUserEntry>(*E));
  if (Src->IsOpenPort()) {
    Src->FDispatcher->SaveTriggers(SaveTriggerBuffer);
    CopyTriggers = true;
  }
  Force = Src->Force;
  FDeviceLayer = Src->FDeviceLayer;
  FComNumber = Src->FComNumber;
  FBaud = Src->FBaud;
  FParity = Src->FParity;
  FDataBits = Src->FDataBits;
  FStopBits = Src->FStopBits;
  FInSize = Src->FInSize;
  FOutSize = Src->FOutSize;
  FAutoOpen = Src->FAutoOpen;
  FPromptForPort = Src->FPromptForPort;
  FRS485Mode = Src->FRS485Mode;
  FThreadBoost = Src->FThreadBoost;
  FDTR = Src->FDTR;
  FRTS = Src->FRTS;
  FBufferFull = Src->FBufferFull;
  FBufferResume = Src->FBufferResume;
  FHWFlowOptions = Src->FHWFlowOptions;
  FSWFlowOptions = Src->FSWFlowOptions;
  FXOnChar = Src->FXOnChar;
  FXOffChar = Src->FXOffChar;
  FTriggerLength = Src->FTriggerLength;
  FTracing = Src->FTracing == tlOn ? tlOn : tlOff;
  FTraceSize = Src->FTraceSize;
  FTraceName = Src->FTraceName;
  FTraceHex = Src->FTraceHex;
  FTraceAllHex = Src->FTraceAllHex;
  FLogging = Src->FLogging == tlOn ? tlOn : tlOff;
  FLogSize = Src->FLogSize;
  FLogName = Src->FLogName;
  FLogHex = Src->FLogHex;
  FLogAllHex = Src->FLogAllHex;
  FOpen = false;
  SetOnTrigger(Src->FOnTrigger);
  SetOnTriggerAvail(Src->FOnTriggerAvail);
  SetOnTriggerData(Src->FOnTriggerData);
  SetOnTriggerStatus(Src->FOnTriggerStatus);
  SetOnTriggerTimer(Src->FOnTriggerTimer);
  OnPortOpen = Src->OnPortOpen;
  OnPortClose = Src->OnPortClose;
  FTapiMode = Src->FTapiMode;
}

void TSioCustomComPort::Loaded()
{
  TSioBaseComponent::Loaded();
  if (Designing())
    return;
  if (ForceOpen)
    FOpen = true;
  if (FOpen) {
    ForceOpen = false;
    FOpen = false;
    try {
      InitPort();
    } catch (const std::exception& E) {
      FOpen = false;
      HandleApplicationException(E);
    }
  }
}

// ------------------------------------------------------------ open and close

void TSioCustomComPort::SetOpen(bool Value)
{
  // Closing again while a close completes withdraws an open asked for meanwhile.
  if (!Value)
    OpenPending = false;
  if (Value == FOpen)
    return;
  if (Designing() || Loading()) {
    FOpen = Value;
    if (Value)
      ForceOpen = true;
    return;
  }
  if (!Value)
    DonePort();
  else if (PortState != psClosed)
    OpenPending = true;
  else
    InitPort();
}

void TSioCustomComPort::ForcePortOpen()
{
  if (FAutoOpen)
    ForceOpen = true;
}

TSioBaseDispatcher* TSioCustomComPort::Dispatcher()
{
  if (!FDispatcher && !Designing() && !Loading() && !FOpen && FAutoOpen)
    SetOpen(true);
  return FDispatcher.get();
}

TSioBaseDispatcher* TSioCustomComPort::ValidDispatcher()
{
  TSioBaseDispatcher* D = Dispatcher();
  if (!D || PortState != psOpen)
    Check(ecCommNotOpen);
  return D;
}

void TSioCustomComPort::ValidateComport()
{
  if (FComNumber != 0)
    return;
  uint16_t Chosen = 0;
  if (!FPromptForPort || !ExecuteComSelectDialog(Chosen))
    throw ENoPortSelected(ecNoPortSelected, false);
  FComNumber = Chosen;
}

std::unique_ptr<TSioBaseDispatcher> TSioCustomComPort::ActivateDeviceLayer()
{
  if (fCustomDispatcher)
    return fCustomDispatcher(this);
  if (FDeviceLayer != dlWin32)
    throw ENullApi(ecNullApi, false);
  // No telephony layer hands over opened devices on this platform.
  if (FTapiMode == tmOn)
    throw ENotOpenedByTapi(ecNotOpenedByTapi, false);
  return std::make_unique<TSioWin32Dispatcher>(this);
}

int32_t TSioCustomComPort::InitializePort()
{
  uint32_t Flags = 0;
  if (FDTR)
    Flags |= 0x01;
  if (FRTS)
    Flags |= 0x02;
  if (FHWFlowOptions & HWFlowBit(hwfUseDTR))
    Flags |= 0x10;
  if (FHWFlowOptions & HWFlowBit(hwfUseRTS))
    Flags |= 0x20;
  return FDispatcher->InitPort(MakeComName(FComNumber), FBaud, FParity, FDataBits, FStopBits, FInSize, FOutSize, Flags);
}

void TSioCustomComPort::ApplyStoredSettings()
{
  SetTracing(FTracing);
  SetLogging(FLogging);
  const THWFlowOptionSet HW = FHWFlowOptions;
  SetHWFlowOptions(HW);
  SetSWFlowOptions(FSWFlowOptions);
  SetXOnChar(FXOnChar);
  SetXOffChar(FXOffChar);
  SetTriggerLength(FTriggerLength);
  SetDTR(FDTR);
  SetRTS(FRTS);
  SetUseEventWord(FUseEventWord);
  SetRS485Mode(FRS485Mode);
  SetThreadBoost(FThreadBoost);
}

void TSioCustomComPort::InitPort()
{
  if (FTapiMode != tmOn)
    ValidateComport();
  FDispatcher = ActivateDeviceLayer();
  FDispatcher->DeviceName = MakeComName(FComNumber);
  try {
    int32_t Res = InitializePort();
    if (Res == -5)
      Res = ecAlreadyOpen;
    else if (Res == -2 || Res == -3)
      Res = ecBadId;
    if (Res != 0)
      Check(Res);
    PortState = psOpen;
    UpdateHandlerFlag();
    Force = true;
    ApplyStoredSettings();
    Force = false;
    FOpen = true;
    RegisterComPort(true);
    if (CopyTriggers) {
      CopyTriggers = false;
      FDispatcher->RestoreTriggers(SaveTriggerBuffer);
      // The port's threads already run: bytes waiting in the device at the
      // open may have been examined before these triggers were back.
      FDispatcher->ExamineUnreadInput();
    }
  } catch (...) {
    Force = false;
    FOpen = false;
    PortState = psClosed;
    FDispatcher.reset();
    throw;
  }
  PortOpen();
}

void TSioCustomComPort::DonePort()
{
  if (PortState != psOpen)
    return;
  // An active trace or log goes to its file; a file that cannot be written
  // is reported but does not keep the port from closing.
  try {
    SetTracing(tlDump);
  } catch (const std::exception& E) {
    FTracing = tlOff;
    HandleApplicationException(E);
  }
  try {
    SetLogging(tlDump);
  } catch (const std::exception& E) {
    FLogging = tlOff;
    HandleApplicationException(E);
  }
  PortState = psShuttingDown;
  PortClosing();
  FDispatcher->SaveTriggers(SaveTriggerBuffer);
  CopyTriggers = true;
  FDispatcher->DonePort();
  // The port says it is closed from here on, also while a close from inside
  // one of its handlers is still completing; an open asked for meanwhile
  // waits for that (OpenPending).
  FOpen = false;
  if (FDispatcher->EventBusy() || FDispatcher->Active()) {
    PostMessage(ComWindow(), PortClosingMsg, 0, intptr_t(uint32_t(FDispatcher->Handle()) << 16));
    SafeYield();
  } else {
    FinishClose();
  }
  PortClose();
}

void TSioCustomComPort::FinishClose()
{
  RegisterComPort(false);
  FDispatcher.reset();
  PortState = psClosed;
  FOpen = false;
}

uint32_t TSioCustomComPort::ComWindow() const { return fComWindow ? fComWindow->Handle() : 0; }

void TSioCustomComPort::RegisterComPort(bool Enabling)
{
  // One window serves the port for its whole life: a close that completes
  // inside the window's own message must not free the window under it.
  if (!fComWindow)
    fComWindow = std::make_unique<TMessageWindow>(
        [this](uint32_t Msg, uintptr_t WParam, intptr_t LParam) { return ComWindowProc(Msg, WParam, LParam); });
  if (!FDispatcher)
    return;
  if (Enabling) {
    FDispatcher->RegisterWndTriggerHandler(fComWindow->Handle());
    if (auto* W = dynamic_cast<TSioWin32Dispatcher*>(FDispatcher.get()))
      W->SetDispatcherWindow(fComWindow->Handle());
  } else {
    FDispatcher->DeregisterWndTriggerHandler(fComWindow->Handle());
  }
}

intptr_t TSioCustomComPort::ComWindowProc(uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
  const bool Trigger = Msg >= TriggerAvailMsg && Msg <= TriggerStatusMsg;
  if (!Trigger && Msg != PortClosingMsg && Msg != PortFailedMsg)
    return 0;
  // A port being destroyed runs no more trigger events: a notification still
  // on its way would reach handlers whose objects may be gone.
  if (Trigger && Destroying)
    return 0;
  TSioBaseDispatcher* D = nullptr;
  TSioBaseDispatcher::LockPortList();
  D = TSioBaseDispatcher::PortListEntry(int32_t((uint32_t(LParam) >> 16) & 0xFFFF));
  const bool Ours = D && D->Owner() == this && D == FDispatcher.get();
  TSioBaseDispatcher::UnlockPortList();
  if (!Ours)
    return 0;
  try {
    if (Msg == PortClosingMsg) {
      if (PortState != psShuttingDown)
        return 0;
      // Only the threads are waited for: a busy mark (PrepareWait) may stay
      // set for good on a dispatcher whose threads have ended.
      if (D->Active()) {
        // The dispatch thread is still finishing the handler that closed us;
        // a short wait keeps the re-posting from spinning.
        WaitMessageOrTimeout(1);
        PostMessage(ComWindow(), PortClosingMsg, 0, LParam);
        return 0;
      }
      FinishClose();
      if (OpenPending) {
        OpenPending = false;
        InitPort();
      }
      return 0;
    }
    if (Msg == PortFailedMsg) {
      if (PortState == psOpen)
        DonePort();
      return 0;
    }
    const uint16_t Handle = static_cast<uint16_t>(WParam);
    const uint16_t Data = Msg == TriggerAvailMsg ? static_cast<uint16_t>(WParam) : static_cast<uint16_t>(LParam);
    this->Trigger(static_cast<uint16_t>(Msg), Handle, Data);
    switch (Msg) {
    case TriggerAvailMsg:
      TriggerAvail(Handle);
      break;
    case TriggerDataMsg:
      TriggerData(Handle);
      break;
    case TriggerTimerMsg:
      TriggerTimer(Handle);
      break;
    case TriggerStatusMsg:
      TriggerStatus(Handle);
      switch (TSioBaseDispatcher::ClassifyStatusTrigger(Handle)) {
      case StatusModem:
        TriggerModemStatus();
        break;
      case StatusLine:
        TriggerLineError(LineError(), LineBreak());
        break;
      case StatusOutFree:
        TriggerOutbuffFree();
        break;
      case StatusOutUsed:
        TriggerOutbuffUsed();
        break;
      case StatusOutSent:
        TriggerOutSent();
        break;
      default:
        break;
      }
      break;
    default:
      break;
    }
  } catch (const std::exception& E) {
    // From a port served by another thread the application hands the
    // message to the main thread.
    HandleApplicationException(E);
  }
  return 0;
}

// ------------------------------------------------------------ users

void TSioCustomComPort::NotifyUsers(uint32_t WindowMsg, bool ExtendedWindowsOnly, bool CallPlain, bool Opening,
                                    TSioCallbackType Kind)
{
  // Walked from the last entry; a user may deregister itself meanwhile.
  for (size_t I = UserList.size(); I-- > 0;) {
    if (I >= UserList.size())
      continue;
    const TUserEntry E = *UserList[I];
    if (E.Handle != 0) {
      if (!ExtendedWindowsOnly || E.IsEx)
        SendMessage(E.Handle, WindowMsg, 0, 0);
    } else if (E.IsEx) {
      if (E.CallbackEx.Fn)
        E.CallbackEx.Fn(this, Kind);
    } else if (CallPlain && E.Callback.Fn) {
      E.Callback.Fn(this, Opening);
    }
  }
}

void TSioCustomComPort::PortOpen()
{
  NotifyUsers(PortOpenMsg, false, true, true, ctOpen);
  if (OnPortOpen)
    OnPortOpen(this);
}

void TSioCustomComPort::PortClosing() { NotifyUsers(PortClosingMsg, true, false, false, ctClosing); }

void TSioCustomComPort::PortClose()
{
  NotifyUsers(PortClosedMsg, false, true, false, ctClosed);
  if (OnPortClose)
    OnPortClose(this);
}

void TSioCustomComPort::RegisterUser(uint32_t H)
{
  auto E = std::make_unique<TUserEntry>();
  E->Handle = H;
  UserList.push_back(std::move(E));
}

void TSioCustomComPort::RegisterUserEx(uint32_t H)
{
  auto E = std::make_unique<TUserEntry>();
  E->Handle = H;
  E->IsEx = true;
  UserList.push_back(std::move(E));
}

void TSioCustomComPort::RegisterUserCallback(const TPortCallback& CallBack)
{
  auto E = std::make_unique<TUserEntry>();
  E->Callback = CallBack;
  UserList.push_back(std::move(E));
}

void TSioCustomComPort::RegisterUserCallbackEx(const TPortCallbackEx& CallBackEx)
{
  auto E = std::make_unique<TUserEntry>();
  E->CallbackEx = CallBackEx;
  E->IsEx = true;
  UserList.push_back(std::move(E));
}

void TSioCustomComPort::DeregisterUser(uint32_t H)
{
  if (Destroying)
    return;
  std::erase_if(UserList, [H](const auto& E) { return E->Handle == H; });
}

void TSioCustomComPort::DeregisterUserCallback(const TMethod& CallBack)
{
  if (Destroying)
    return;
  // Method and object both: another object's callback of the same class stays.
  std::erase_if(UserList, [&](const auto& E) { return E->Handle == 0 && !E->IsEx && E->Callback.Method == CallBack; });
}

void TSioCustomComPort::DeregisterUserCallbackEx(const TMethod& CallBackEx)
{
  if (Destroying)
    return;
  std::erase_if(UserList,
                [&](const auto& E) { return E->Handle == 0 && E->IsEx && E->CallbackEx.Method == CallBackEx; });
}

// ------------------------------------------------------------ properties

void TSioCustomComPort::SetDeviceLayer(TDeviceLayer Value)
{
  if (PortState != psClosed || !(FDeviceLayers & (1u << Value)))
    return;
  if (Value != FDeviceLayer) {
    FDeviceLayer = Value;
    DeviceLayerChanged();
  }
}

void TSioCustomComPort::SetComNumber(uint16_t Value)
{
  if (Value == FComNumber)
    return;
  const bool WasOpen = IsOpenPort();
  TTriggerSave Saved;
  const TTraceLogState OldTracing = FTracing;
  const TTraceLogState OldLogging = FLogging;
  if (WasOpen) {
    FDispatcher->SaveTriggers(Saved);
    SetOpen(false);
  }
  FComNumber = Value;
  if (WasOpen) {
    SetOpen(true);
    if (IsOpenPort()) {
      FDispatcher->RestoreTriggers(Saved);
      SetTracing(OldTracing);
      SetLogging(OldLogging);
    }
  }
}

void TSioCustomComPort::SetBaud(int32_t Value)
{
  if (Value == FBaud && !Force)
    return;
  FBaud = Value;
  if (IsOpenPort())
    Check(FDispatcher->SetLine(FBaud, FParity, FDataBits, FStopBits));
}

void TSioCustomComPort::SetParity(TParity Value)
{
  if (Value == FParity && !Force)
    return;
  FParity = Value;
  if (IsOpenPort())
    Check(FDispatcher->SetLine(FBaud, FParity, FDataBits, FStopBits));
}

void TSioCustomComPort::SetDataBits(uint16_t Value)
{
  if (Value == FDataBits && !Force)
    return;
  FDataBits = Value;
  if (IsOpenPort())
    Check(FDispatcher->SetLine(FBaud, FParity, FDataBits, FStopBits));
}

void TSioCustomComPort::SetStopBits(uint16_t Value)
{
  if (Value == FStopBits && !Force)
    return;
  FStopBits = Value;
  if (IsOpenPort())
    Check(FDispatcher->SetLine(FBaud, FParity, FDataBits, FStopBits));
}

void TSioCustomComPort::SetInSize(uint16_t Value)
{
  if (Value == FInSize && !Force)
    return;
  FInSize = Value;
  if (IsOpenPort())
    FDispatcher->SetCommBuffers(FInSize, FOutSize);
}

void TSioCustomComPort::SetOutSize(uint16_t Value)
{
  if (Value == FOutSize && !Force)
    return;
  FOutSize = Value;
  if (IsOpenPort())
    FDispatcher->SetCommBuffers(FInSize, FOutSize);
}

void TSioCustomComPort::SetDTR(bool Value)
{
  if (Value == FDTR && !Force)
    return;
  if (!IsOpenPort()) {
    FDTR = Value;
    return;
  }
  // Under flow control (result 1) the line is not ours to set.
  if (Check(FDispatcher->SetDtr(Value)) == 0)
    FDTR = Value;
}

void TSioCustomComPort::SetRTS(bool Value)
{
  if (Value == FRTS && !Force)
    return;
  if (!IsOpenPort()) {
    FRTS = Value;
    return;
  }
  if (Check(FDispatcher->SetRts(Value)) == 0)
    FRTS = Value;
}

void TSioCustomComPort::SetHWFlowOptions(THWFlowOptionSet Value)
{
  if (Value == FHWFlowOptions && !Force)
    return;
  uint32_t Bits = 0;
  if (Value & HWFlowBit(hwfUseDTR))
    Bits |= 1;
  if (Value & HWFlowBit(hwfUseRTS))
    Bits |= 2;
  if (Value & HWFlowBit(hwfRequireDSR))
    Bits |= 4;
  if (Value & HWFlowBit(hwfRequireCTS))
    Bits |= 8;
  if (Bits != 0) {
    if (FBufferFull == 0 || FBufferFull > FInSize)
      FBufferFull = static_cast<uint16_t>(FInSize * 0.9);
    if (FBufferResume == 0 || FBufferResume > FBufferFull)
      FBufferResume = static_cast<uint16_t>(FInSize * 0.1);
  }
  if (IsOpenPort())
    Check(FDispatcher->HWFlowOptions(FBufferFull, FBufferResume, Bits));
  FHWFlowOptions = Value;
  if (Value & (HWFlowBit(hwfUseRTS) | HWFlowBit(hwfRequireCTS)))
    FRS485Mode = false;
}

void TSioCustomComPort::SetSWFlowOptions(TSWFlowOptions Value)
{
  if (Value == FSWFlowOptions && !Force)
    return;
  uint32_t Bits = 0;
  switch (Value) {
  case swfReceive:
    Bits = 2;
    break;
  case swfTransmit:
    Bits = 1;
    break;
  case swfBoth:
    Bits = 3;
    break;
  default:
    break;
  }
  if (Bits != 0) {
    if (FBufferFull == 0 || FBufferFull > FInSize)
      FBufferFull = static_cast<uint16_t>(FInSize * 0.75);
    if (FBufferResume == 0 || FBufferResume > FBufferFull)
      FBufferResume = static_cast<uint16_t>(FInSize * 0.25);
  }
  if (IsOpenPort()) {
    if (Bits != 0)
      Check(FDispatcher->SWFlowEnable(FBufferFull, FBufferResume, Bits));
    else
      Check(FDispatcher->SWFlowDisable());
  }
  FSWFlowOptions = Value;
}

void TSioCustomComPort::SetXOnChar(char Value)
{
  if (Value == FXOnChar && !Force)
    return;
  FXOnChar = Value;
  if (IsOpenPort())
    Check(FDispatcher->SWFlowChars(FXOnChar, FXOffChar));
}

void TSioCustomComPort::SetXOffChar(char Value)
{
  if (Value == FXOffChar && !Force)
    return;
  FXOffChar = Value;
  if (IsOpenPort())
    Check(FDispatcher->SWFlowChars(FXOnChar, FXOffChar));
}

void TSioCustomComPort::SetBufferFull(uint16_t Value)
{
  if (Value == FBufferFull && !Force)
    return;
  FBufferFull = Value > FInSize ? static_cast<uint16_t>(Value * 0.9) : Value;
  // Flow control on brings the thresholds back within the input size.
  const bool OldForce = Force;
  Force = true;
  SetHWFlowOptions(FHWFlowOptions);
  SetSWFlowOptions(FSWFlowOptions);
  Force = OldForce;
}

void TSioCustomComPort::SetBufferResume(uint16_t Value)
{
  if (Value == FBufferResume && !Force)
    return;
  FBufferResume = Value > FBufferFull ? static_cast<uint16_t>(FBufferFull * 0.1) : Value;
  const bool OldForce = Force;
  Force = true;
  SetHWFlowOptions(FHWFlowOptions);
  SetSWFlowOptions(FSWFlowOptions);
  Force = OldForce;
}

void TSioCustomComPort::SetUseMSRShadow(bool) {}

void TSioCustomComPort::SetUseEventWord(bool Value)
{
  if (Value == FUseEventWord && !Force)
    return;
  FUseEventWord = Value;
  if (IsOpenPort()) {
    if (Value)
      FDispatcher->OptionsOn(4);
    else
      FDispatcher->OptionsOff(4);
  }
}

void TSioCustomComPort::SetRS485Mode(bool Value)
{
  if (Value == FRS485Mode && !Force)
    return;
  FRS485Mode = Value;
  if (IsOpenPort())
    FDispatcher->SetRS485Mode(Value);
  if (Value) {
    // The transmitter is switched with RTS, so RTS cannot also be flow control.
    FHWFlowOptions &= THWFlowOptionSet(~(HWFlowBit(hwfUseRTS) | HWFlowBit(hwfRequireCTS)));
    SetRTS(false);
  }
}

uint16_t TSioCustomComPort::BaseAddress() { return IsOpenPort() ? FDispatcher->GetBaseAddress() : 0; }

void TSioCustomComPort::SetBaseAddress(uint16_t Value)
{
  if (IsOpenPort())
    FDispatcher->SetBaseAddress(Value);
}

void TSioCustomComPort::SetThreadBoost(TApThreadBoost Value)
{
  if (Value == FThreadBoost && !Force)
    return;
  FThreadBoost = Value;
  if (IsOpenPort())
    FDispatcher->SetThreadBoost(static_cast<uint8_t>(Value));
}

void TSioCustomComPort::SetTriggerLength(uint16_t Value)
{
  if (Value == FTriggerLength && !Force)
    return;
  FTriggerLength = Value;
  if (IsOpenPort())
    FDispatcher->ChangeLengthTrigger(Value);
}

TFlowControlState TSioCustomComPort::FlowState()
{
  if (ShuttingDown())
    return fcOff;
  TSioBaseDispatcher* D = ValidDispatcher();
  int32_t State = D->HWFlowState() - 1;
  if (State == fcOff)
    State = D->SWFlowState() - 1;
  return static_cast<TFlowControlState>(std::clamp<int32_t>(State, fcOff, fcXBothHold));
}

// ------------------------------------------------------------ line state

uint8_t TSioCustomComPort::ModemStatus()
{
  if (ShuttingDown())
    return 0;
  return ValidDispatcher()->GetModemStatus();
}

bool TSioCustomComPort::DSR() { return IsOpenPort() && FDispatcher->CheckDSR(); }
bool TSioCustomComPort::CTS() { return IsOpenPort() && FDispatcher->CheckCTS(); }
bool TSioCustomComPort::RI() { return IsOpenPort() && FDispatcher->CheckRI(); }
bool TSioCustomComPort::DCD() { return IsOpenPort() && FDispatcher->CheckDCD(); }
bool TSioCustomComPort::DeltaDSR() { return IsOpenPort() && FDispatcher->CheckDeltaDSR(); }
bool TSioCustomComPort::DeltaCTS() { return IsOpenPort() && FDispatcher->CheckDeltaCTS(); }
bool TSioCustomComPort::DeltaRI() { return IsOpenPort() && FDispatcher->CheckDeltaRI(); }
bool TSioCustomComPort::DeltaDCD() { return IsOpenPort() && FDispatcher->CheckDeltaDCD(); }

uint16_t TSioCustomComPort::LineError()
{
  if (!IsOpenPort())
    return 0;
  return static_cast<uint16_t>(Check(FDispatcher->GetLineError()));
}

bool TSioCustomComPort::LineBreak() { return IsOpenPort() && FDispatcher->CheckLineBreak(); }

uint16_t TSioCustomComPort::InBuffUsed() { return IsOpenPort() ? static_cast<uint16_t>(FDispatcher->InBuffUsed()) : 0; }

uint16_t TSioCustomComPort::InBuffFree()
{
  return IsOpenPort() ? static_cast<uint16_t>(FDispatcher->InBuffFree()) : InputRingFree;
}

uint16_t TSioCustomComPort::OutBuffUsed()
{
  return IsOpenPort() ? static_cast<uint16_t>(FDispatcher->OutBuffUsed()) : 0;
}

uint16_t TSioCustomComPort::OutBuffFree()
{
  return IsOpenPort() ? static_cast<uint16_t>(FDispatcher->OutBuffFree()) : FOutSize;
}

int32_t TSioCustomComPort::LastWinError()
{
  TSioBaseDispatcher* D = Dispatcher();
  return D ? D->LastWinError() : 0;
}

// ------------------------------------------------------------ forwarding

void TSioCustomComPort::PutChar(char C)
{
  if (!ShuttingDown())
    Check(ValidDispatcher()->PutChar(C));
}

void TSioCustomComPort::PutString(const AnsiString& S)
{
  if (!ShuttingDown())
    Check(ValidDispatcher()->PutBlock(S.constData(), static_cast<uint32_t>(S.size())));
}

void TSioCustomComPort::PutString(const String& S) { PutString(ToAnsi(S)); }

int32_t TSioCustomComPort::PutBlock(const void* Block, uint16_t Len)
{
  if (!ShuttingDown())
    Check(ValidDispatcher()->PutBlock(Block, Len));
  return 0;
}

bool TSioCustomComPort::CharReady()
{
  if (ShuttingDown())
    return false;
  return ValidDispatcher()->CharReady();
}

char TSioCustomComPort::PeekChar(uint16_t Count)
{
  if (ShuttingDown())
    return 0;
  char C = 0;
  if (Check(ValidDispatcher()->PeekChar(C, Count)) != 0)
    C = 0;
  return C;
}

char TSioCustomComPort::GetChar()
{
  if (ShuttingDown())
    return 0;
  char C = 0;
  if (Check(ValidDispatcher()->GetChar(C)) != 0)
    C = 0;
  return C;
}

void TSioCustomComPort::PeekBlock(void* Block, uint16_t Len)
{
  if (!ShuttingDown())
    Check(ValidDispatcher()->PeekBlock(Block, Len));
}

void TSioCustomComPort::GetBlock(void* Block, uint16_t Len)
{
  if (!ShuttingDown())
    Check(ValidDispatcher()->GetBlock(Block, Len));
}

void TSioCustomComPort::FlushInBuffer()
{
  if (ShuttingDown())
    return;
  const int32_t Result = ValidDispatcher()->FlushInBuffer();
  // The packets keep bytes of their own, taken from the ring before the
  // flush: a reply half collected then must not be completed by the bytes
  // that follow (nor one completed then be delivered after the flush). The
  // ring is emptied even when the device refused, so they drop theirs too.
  if (TSioDataPacketManager* M = PacketManagerList->GetPortManager(this))
    M->InputFlushed();
  Check(Result < 0 ? ecDeviceRead : 0);
}

void TSioCustomComPort::FlushOutBuffer()
{
  if (!ShuttingDown())
    Check(ValidDispatcher()->FlushOutBuffer() < 0 ? ecDeviceWrite : 0);
}

void TSioCustomComPort::SendBreak(uint16_t Ticks, bool Yield)
{
  if (!ShuttingDown())
    ValidDispatcher()->SendBreak(Ticks, Yield);
}

void TSioCustomComPort::SetBreak(bool BreakOn)
{
  if (!ShuttingDown())
    ValidDispatcher()->SetBreak(BreakOn);
}

void TSioCustomComPort::ProcessCommunications()
{
  if (!ShuttingDown())
    ValidDispatcher()->ProcessCommunications();
}

uint16_t TSioCustomComPort::AddDataTrigger(const AnsiString& Data, bool IgnoreCase)
{
  if (ShuttingDown())
    return 0;
  const AnsiString Text = Data.left(MaxTriggerText);
  return static_cast<uint16_t>(
      Check(ValidDispatcher()->AddDataTriggerLen(Text.constData(), IgnoreCase, static_cast<uint32_t>(Text.size()))));
}

uint16_t TSioCustomComPort::AddTimerTrigger()
{
  if (ShuttingDown())
    return 0;
  return static_cast<uint16_t>(Check(ValidDispatcher()->AddTimerTrigger()));
}

uint16_t TSioCustomComPort::AddStatusTrigger(uint16_t SType)
{
  if (ShuttingDown())
    return 0;
  return static_cast<uint16_t>(Check(ValidDispatcher()->AddStatusTrigger(SType)));
}

void TSioCustomComPort::SetTimerTrigger(uint16_t Handle, int32_t Ticks, bool Activate)
{
  if (!ShuttingDown())
    Check(ValidDispatcher()->SetTimerTrigger(Handle, Ticks, Activate));
}

void TSioCustomComPort::SetStatusTrigger(uint16_t Handle, uint16_t Value, bool Activate)
{
  if (!ShuttingDown())
    Check(ValidDispatcher()->SetStatusTrigger(Handle, Value, Activate));
}

void TSioCustomComPort::RemoveTrigger(uint16_t Handle)
{
  if (IsOpenPort())
    Check(FDispatcher->RemoveTrigger(Handle));
}

void TSioCustomComPort::RemoveAllTriggers()
{
  if (!IsOpenPort())
    return;
  FDispatcher->RemoveAllTriggers();
  FTriggerLength = 0;
}

void TSioCustomComPort::AddStringToLog(const AnsiString& S)
{
  if (!ShuttingDown())
    ValidDispatcher()->AddStringToLog(S);
}

// ------------------------------------------------------------ trigger events

void TSioCustomComPort::UpdateHandlerFlag()
{
  if (!IsOpenPort())
    return;
  const bool Any = FOnTrigger || FOnTriggerAvail || FOnTriggerData || FOnTriggerStatus || FOnTriggerTimer ||
                   FOnTriggerLineError || FOnTriggerModemStatus || FOnTriggerOutbuffFree || FOnTriggerOutbuffUsed ||
                   FOnTriggerOutSent;
  FDispatcher->UpdateHandlerFlags(Any ? fuEnablePort : fuDisablePort);
}

void TSioCustomComPort::SetOnTrigger(TTriggerEvent Value)
{
  FOnTrigger = std::move(Value);
  UpdateHandlerFlag();
}

void TSioCustomComPort::SetOnTriggerAvail(TTriggerAvailEvent Value)
{
  FOnTriggerAvail = std::move(Value);
  UpdateHandlerFlag();
}

void TSioCustomComPort::SetOnTriggerData(TTriggerDataEvent Value)
{
  FOnTriggerData = std::move(Value);
  UpdateHandlerFlag();
}

void TSioCustomComPort::SetOnTriggerStatus(TTriggerStatusEvent Value)
{
  FOnTriggerStatus = std::move(Value);
  UpdateHandlerFlag();
}

void TSioCustomComPort::SetOnTriggerTimer(TTriggerTimerEvent Value)
{
  FOnTriggerTimer = std::move(Value);
  UpdateHandlerFlag();
}

void TSioCustomComPort::SetOnTriggerLineError(TTriggerLineErrorEvent Value)
{
  FOnTriggerLineError = std::move(Value);
  UpdateHandlerFlag();
}

void TSioCustomComPort::SetOnTriggerModemStatus(TNotifyEvent Value)
{
  FOnTriggerModemStatus = std::move(Value);
  UpdateHandlerFlag();
}

void TSioCustomComPort::SetOnTriggerOutbuffFree(TNotifyEvent Value)
{
  FOnTriggerOutbuffFree = std::move(Value);
  UpdateHandlerFlag();
}

void TSioCustomComPort::SetOnTriggerOutbuffUsed(TNotifyEvent Value)
{
  FOnTriggerOutbuffUsed = std::move(Value);
  UpdateHandlerFlag();
}

void TSioCustomComPort::SetOnTriggerOutSent(TNotifyEvent Value)
{
  FOnTriggerOutSent = std::move(Value);
  UpdateHandlerFlag();
}

void TSioCustomComPort::Trigger(uint16_t Msg, uint16_t TriggerHandle, uint16_t Data)
{
  if (FOnTrigger)
    FOnTrigger(this, Msg, TriggerHandle, Data);
}

void TSioCustomComPort::TriggerAvail(uint16_t Count)
{
  if (FOnTriggerAvail)
    FOnTriggerAvail(this, Count);
}

void TSioCustomComPort::TriggerData(uint16_t TriggerHandle)
{
  if (FOnTriggerData)
    FOnTriggerData(this, TriggerHandle);
}

void TSioCustomComPort::TriggerStatus(uint16_t TriggerHandle)
{
  if (FOnTriggerStatus)
    FOnTriggerStatus(this, TriggerHandle);
}

void TSioCustomComPort::TriggerTimer(uint16_t TriggerHandle)
{
  if (FOnTriggerTimer)
    FOnTriggerTimer(this, TriggerHandle);
}

void TSioCustomComPort::TriggerLineError(uint16_t Error, bool LineBreak)
{
  if (FOnTriggerLineError)
    FOnTriggerLineError(this, Error, LineBreak);
}

void TSioCustomComPort::TriggerModemStatus()
{
  if (FOnTriggerModemStatus)
    FOnTriggerModemStatus(this);
}

void TSioCustomComPort::TriggerOutbuffFree()
{
  if (FOnTriggerOutbuffFree)
    FOnTriggerOutbuffFree(this);
}

void TSioCustomComPort::TriggerOutbuffUsed()
{
  if (FOnTriggerOutbuffUsed)
    FOnTriggerOutbuffUsed(this);
}

void TSioCustomComPort::TriggerOutSent()
{
  if (FOnTriggerOutSent)
    FOnTriggerOutSent(this);
}

void TSioCustomComPort::WaitChar(char C)
{
  if (OnWaitChar)
    OnWaitChar(this, C);
}

// ------------------------------------------------------------ tracing and logging

namespace {

constexpr uint32_t MaxTraceSize = 4000000;
constexpr uint32_t MaxLogSize = 16000000;
constexpr int32_t MaxFileName = 255;
constexpr int32_t MaxWaitStrings = 127;
constexpr int32_t MaxCheckedString = 255;

bool Running(TTraceLogState S) { return S == tlOn || S == tlPause; }

char Fold(char C, bool IgnoreCase) { return (IgnoreCase && C >= 'a' && C <= 'z') ? char(C - 32) : C; }

} // namespace

struct TSioCustomComPort::TRecordSwitch {
  TTraceLogState TSioCustomComPort::*State;
  uint32_t TSioCustomComPort::*Size;
  uint32_t MaxSize;
  String TSioCustomComPort::*Name;
  bool TSioCustomComPort::*Hex;
  void (TSioCustomComPort::*Init)(uint32_t);
  void (TSioCustomComPort::*Dump)(const String&, bool);
  void (TSioCustomComPort::*Append)(const String&, bool, TTraceLogState);
  void (TSioCustomComPort::*Clear)();
  void (TSioCustomComPort::*Abort)();
  void (TSioCustomComPort::*Start)();
  void (TSioCustomComPort::*Stop)();
};

const TSioCustomComPort::TRecordSwitch TSioCustomComPort::TraceSwitch = {
    &TSioCustomComPort::FTracing,     &TSioCustomComPort::FTraceSize,   MaxTraceSize,
    &TSioCustomComPort::FTraceName,   &TSioCustomComPort::FTraceHex,    &TSioCustomComPort::InitTracing,
    &TSioCustomComPort::DumpTrace,    &TSioCustomComPort::AppendTrace,  &TSioCustomComPort::ClearTracing,
    &TSioCustomComPort::AbortTracing, &TSioCustomComPort::StartTracing, &TSioCustomComPort::StopTracing};

const TSioCustomComPort::TRecordSwitch TSioCustomComPort::LogSwitch = {
    &TSioCustomComPort::FLogging,     &TSioCustomComPort::FLogSize,     MaxLogSize,
    &TSioCustomComPort::FLogName,     &TSioCustomComPort::FLogHex,      &TSioCustomComPort::InitLogging,
    &TSioCustomComPort::DumpLog,      &TSioCustomComPort::AppendLog,    &TSioCustomComPort::ClearLogging,
    &TSioCustomComPort::AbortLogging, &TSioCustomComPort::StartLogging, &TSioCustomComPort::StopLogging};

void TSioCustomComPort::SetRecordState(const TRecordSwitch& R, TTraceLogState Value)
{
  TTraceLogState& State = this->*R.State;
  if (Value == State && !Force)
    return;
  if (!IsOpenPort()) {
    // Only on and off last; the commands mean nothing without a record.
    State = Value == tlOn ? tlOn : tlOff;
    return;
  }
  const TTraceLogState C = State;
  switch (Value) {
  case tlOff:
    if (Running(C))
      (this->*R.Abort)();
    break;
  case tlOn:
    if (C == tlPause)
      (this->*R.Start)();
    else
      (this->*R.Init)(this->*R.Size);
    break;
  case tlDump:
    if (Running(C)) {
      (this->*R.Start)();
      (this->*R.Dump)(this->*R.Name, this->*R.Hex);
    }
    break;
  case tlAppend:
  case tlAppendAndContinue:
    if (Running(C)) {
      (this->*R.Start)();
      (this->*R.Append)(this->*R.Name, this->*R.Hex, Value == tlAppend ? tlOff : tlOn);
    }
    break;
  case tlClear:
    if (Running(C))
      (this->*R.Clear)();
    break;
  case tlPause:
    if (C == tlOn)
      (this->*R.Stop)();
    break;
  }
}

void TSioCustomComPort::SetRecordSize(const TRecordSwitch& R, uint32_t Value)
{
  Value = std::min(Value, R.MaxSize);
  if (Value == this->*R.Size)
    return;
  this->*R.Size = Value;
  // A running record starts again, empty, at the new size; a paused one ends.
  const TTraceLogState Was = this->*R.State;
  if (IsOpenPort() && Running(Was)) {
    (this->*R.Abort)();
    SetRecordState(R, Was);
  }
}

void TSioCustomComPort::SetTracing(TTraceLogState Value) { SetRecordState(TraceSwitch, Value); }

void TSioCustomComPort::SetTraceSize(uint32_t Value) { SetRecordSize(TraceSwitch, Value); }

void TSioCustomComPort::SetTraceName(const String& Value) { FTraceName = Value.left(MaxFileName); }

void TSioCustomComPort::SetLogging(TTraceLogState Value) { SetRecordState(LogSwitch, Value); }

void TSioCustomComPort::SetLogSize(uint32_t Value) { SetRecordSize(LogSwitch, Value); }

void TSioCustomComPort::SetLogName(const String& Value) { FLogName = Value.left(MaxFileName); }

void TSioCustomComPort::InitTracing(uint32_t NumEntries)
{
  if (ShuttingDown())
    return;
  if (NumEntries != 0)
    FTraceSize = std::min(NumEntries, MaxTraceSize);
  Check(ValidDispatcher()->InitTracing(FTraceSize));
  FTracing = tlOn;
}

void TSioCustomComPort::DumpTrace(const String& FName, bool InHex)
{
  if (ShuttingDown())
    return;
  TSioBaseDispatcher* D = ValidDispatcher();
  FTracing = tlOff;
  const int32_t Res = D->DumpTrace(FName.left(MaxFileName), InHex, FTraceAllHex);
  // The port says tracing is off, so nothing more is traced behind its back.
  D->StopTracing();
  Check(Res);
}

void TSioCustomComPort::AppendTrace(const String& FName, bool InHex, TTraceLogState NewState)
{
  if (ShuttingDown())
    return;
  TSioBaseDispatcher* D = ValidDispatcher();
  FTracing = NewState;
  const int32_t Res = D->AppendTrace(FName.left(MaxFileName), InHex, FTraceAllHex);
  if (NewState != tlOn)
    D->StopTracing();
  Check(Res);
}

void TSioCustomComPort::ClearTracing()
{
  if (!ShuttingDown())
    Check(ValidDispatcher()->ClearTracing());
}

void TSioCustomComPort::AbortTracing()
{
  if (ShuttingDown())
    return;
  ValidDispatcher()->AbortTracing();
  FTracing = tlOff;
}

void TSioCustomComPort::StartTracing()
{
  if (ShuttingDown())
    return;
  ValidDispatcher()->StartTracing();
  FTracing = tlOn;
}

void TSioCustomComPort::StopTracing()
{
  if (ShuttingDown())
    return;
  ValidDispatcher()->StopTracing();
  FTracing = tlPause;
}

void TSioCustomComPort::AddTraceEntry(char CurEntry, char CurCh)
{
  if (!ShuttingDown())
    ValidDispatcher()->AddTraceEntry(CurEntry, CurCh);
}

void TSioCustomComPort::InitLogging(uint32_t Size)
{
  if (ShuttingDown())
    return;
  if (Size != 0)
    FLogSize = std::min(Size, MaxLogSize);
  ValidDispatcher()->InitDispatchLogging(FLogSize);
  FLogging = tlOn;
}

void TSioCustomComPort::DumpLog(const String& FName, bool InHex)
{
  if (ShuttingDown())
    return;
  TSioBaseDispatcher* D = ValidDispatcher();
  FLogging = tlOff;
  const int32_t Res = D->DumpDispatchLog(FName.left(MaxFileName), InHex, FLogAllHex);
  D->StopDispatchLogging();
  Check(Res);
}

void TSioCustomComPort::AppendLog(const String& FName, bool InHex, TTraceLogState NewState)
{
  if (ShuttingDown())
    return;
  TSioBaseDispatcher* D = ValidDispatcher();
  FLogging = NewState;
  const int32_t Res = D->AppendDispatchLog(FName.left(MaxFileName), InHex, FLogAllHex);
  if (NewState != tlOn)
    D->StopDispatchLogging();
  Check(Res);
}

void TSioCustomComPort::ClearLogging()
{
  if (!ShuttingDown())
    ValidDispatcher()->ClearDispatchLogging();
}

void TSioCustomComPort::AbortLogging()
{
  if (ShuttingDown())
    return;
  ValidDispatcher()->AbortDispatchLogging();
  FLogging = tlOff;
}

void TSioCustomComPort::StartLogging()
{
  if (ShuttingDown())
    return;
  ValidDispatcher()->StartDispatchLogging();
  FLogging = tlOn;
}

void TSioCustomComPort::StopLogging()
{
  if (ShuttingDown())
    return;
  ValidDispatcher()->StopDispatchLogging();
  FLogging = tlPause;
}

// ------------------------------------------------------------ string waits

void TSioCustomComPort::PrepareWait()
{
  if (ShuttingDown())
    return;
  TSioBaseDispatcher* D = ValidDispatcher();
  WaitPrepped = true;
  D->SetEventBusy(BusyBeforeWait, true);
}

void TSioCustomComPort::EndWait(bool WasBusy)
{
  const bool Clear = WaitPrepped ? !BusyBeforeWait : !WasBusy;
  if (IsOpenPort()) {
    if (Clear)
      FDispatcher->SetEventBusy(false);
    FDispatcher->SetDataWaiter(false);
  }
  WaitPrepped = false;
  BusyBeforeWait = false;
}

void TSioCustomComPort::WaitForData(uint32_t Ms, bool Yield)
{
  if (!Yield) {
    FDispatcher->WaitDataArrived(Ms);
    return;
  }
  if (Application)
    Application->ProcessMessages();
  else
    ProcessPendingMessages();
  if (!IsOpenPort() || FDispatcher->CharReady())
    return;
  // On the main thread arriving bytes wake the message wait; another thread
  // waits for the bytes alone.
  if (IsMainThread())
    WaitMessageOrTimeout(Ms);
  else
    FDispatcher->WaitDataArrived(Ms);
}

bool TSioCustomComPort::WaitForString(const AnsiString& S, int32_t Timeout, bool Yield, bool IgnoreCase)
{
  if (S.isEmpty() || ShuttingDown())
    return true;
  const int32_t Count = WaitForStrings({S}, Timeout, Yield, IgnoreCase);
  if (Application && Application->Terminated())
    return true;
  return Count == 1;
}

int32_t TSioCustomComPort::WaitForMultiString(const AnsiString& S, int32_t Timeout, bool Yield, bool IgnoreCase,
                                              char SepChar)
{
  if (ShuttingDown())
    return 0;
  // The strings, at most 127; the last one runs to the end of S, and a
  // separator at the very end closes the list.
  std::vector<AnsiString> List;
  qsizetype Start = 0;
  while (Start < S.size()) {
    const qsizetype Sep = S.indexOf(SepChar, Start);
    if (Sep < 0 || int32_t(List.size()) == MaxWaitStrings - 1) {
      List.push_back(S.mid(Start));
      break;
    }
    List.push_back(S.mid(Start, Sep - Start));
    Start = Sep + 1;
  }
  return WaitForStrings(List, Timeout, Yield, IgnoreCase);
}

int32_t TSioCustomComPort::WaitForStrings(const std::vector<AnsiString>& List, int32_t Timeout, bool Yield,
                                          bool IgnoreCase)
{
  if (List.empty())
    return 0;
  TSioBaseDispatcher* D = ValidDispatcher();
  bool WasBusy = false;
  D->SetEventBusy(WasBusy, true);
  D->SetDataWaiter(true);
  EventTimer ET;
  NewTimer(ET, Timeout);
  std::vector<int32_t> Matched(List.size(), 0);
  int32_t Result = 0;
  for (;;) {
    if (Application && Application->Terminated())
      break;
    // Messages handled while waiting may have closed the port; its busy
    // mark went with its dispatcher.
    if (!IsOpenPort() || FDispatcher.get() != D) {
      WaitPrepped = false;
      BusyBeforeWait = false;
      return 0;
    }
    if (D->CharReady()) {
      char C = 0;
      const int32_t Got = D->GetChar(C);
      if (Got == ecBufferIsEmpty)
        continue;
      Check(Got);
      WaitChar(C);
      const char F = Fold(C, IgnoreCase);
      for (size_t I = 0; I < List.size() && Result == 0; ++I) {
        const AnsiString& W = List[I];
        if (W.isEmpty())
          continue;
        if (F == Fold(W[Matched[I]], IgnoreCase)) {
          if (++Matched[I] == W.size())
            Result = int32_t(I) + 1;
        } else {
          Matched[I] = F == Fold(W[0], IgnoreCase) ? 1 : 0;
        }
      }
      if (Result != 0)
        break;
      continue;
    }
    if (TimerExpired(ET))
      break;
    WaitForData(RemainingMilliseconds(ET), Yield);
  }
  EndWait(WasBusy);
  return Result;
}

bool TSioCustomComPort::CheckForString(uint8_t& Index, char C, const AnsiString& S, bool IgnoreCase)
{
  if (ShuttingDown() || S.isEmpty())
    return false;
  // The count fits a byte: longer strings are matched on their first 255.
  const AnsiString W = S.left(MaxCheckedString);
  if (Index >= W.size())
    Index = 0;
  const char F = Fold(C, IgnoreCase);
  if (F == Fold(W[Index], IgnoreCase)) {
    if (++Index == W.size()) {
      Index = 0;
      return true;
    }
    return false;
  }
  Index = F == Fold(W[0], IgnoreCase) ? 1 : 0;
  return false;
}

// ------------------------------------------------------------ search

TSioCustomComPort* SearchComPort(TComponent* C)
{
  if (!C)
    return nullptr;
  for (int32_t I = 0; I < C->ComponentCount(); ++I) {
    TComponent* Child = C->Components(I);
    if (auto* Port = dynamic_cast<TSioCustomComPort*>(Child))
      return Port;
    if (TSioCustomComPort* Found = SearchComPort(Child))
      return Found;
  }
  return nullptr;
}
