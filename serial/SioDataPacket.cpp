#include "serial/SioDataPacket.h"

#include "platform/Application.h"
#include "platform/Messages.h"
#include "platform/Thread.h"
#include "rtl/Exceptions.h"
#include "rtl/ScopeGuard.h"
#include "serial/SioBaseDispatcher.h"
#include "serial/SioComPort.h"
#include "serial/SioErrors.h"
#include "serial/SioExceptions.h"
#include "serial/SioTicks.h"

#include <algorithm>
#include <cstring>
#include <mutex>

// The manager's lock; the thread that holds it may take it again.
class TPacketLock {
public:
  void Enter() { M.lock(); }
  void Leave() { M.unlock(); }

private:
  std::recursive_mutex M;
};

namespace {

class TPacketLocked {
public:
  explicit TPacketLocked(TPacketLock* L) : FL(L)
  {
    if (FL)
      FL->Enter();
  }
  ~TPacketLocked()
  {
    if (FL)
      FL->Leave();
  }
  TPacketLocked(const TPacketLocked&) = delete;
  TPacketLocked& operator=(const TPacketLocked&) = delete;

private:
  TPacketLock* FL;
};

} // namespace

struct TManagerToken {
  std::mutex M;
  TSioDataPacketManager* Manager = nullptr;
  int32_t InFlight = 0;
};

namespace {

// Posted by a manager to itself when its last packet left.
constexpr uint32_t ReleaseManagerMsg = WM_USER + 0x0301;
// The query the system sends before it shuts down.
constexpr uint32_t QueryEndSessionMsg = 0x0011;
constexpr uint32_t MaxNotifyBytes = InputRingSize;

uint8_t UpCase(uint8_t C) { return (C >= 'a' && C <= 'z') ? uint8_t(C - 32) : C; }

AnsiString UpCaseLetters(const AnsiString& S)
{
  AnsiString R = S;
  for (qsizetype I = 0; I < R.size(); ++I)
    R[I] = char(UpCase(uint8_t(R[I])));
  return R;
}

// Drops each backslash and makes the character after it literal; "?" is any
// byte. S keeps the characters, Mask has "1" where any byte matches.
void SetupWildMask(AnsiString& S, AnsiString& Mask)
{
  AnsiString Out;
  Mask.clear();
  bool Literal = false;
  for (const char C : std::as_const(S)) {
    if (!Literal && C == '\\') {
      Literal = true;
      continue;
    }
    Out.append(C);
    Mask.append(!Literal && C == '?' ? '1' : '0');
    Literal = false;
  }
  S = Out;
}

TSioDataPacketManagerList ManagerListInstance;

} // namespace

TSioDataPacketManagerList* PacketManagerList = &ManagerListInstance;

// ------------------------------------------------------------ the list

TSioDataPacketManagerList::TSioDataPacketManagerList() = default;

TSioDataPacketManagerList::~TSioDataPacketManagerList()
{
  // At the end of the program the ports may be gone already.
  const std::vector<TSioDataPacketManager*> Left = ManagerList;
  for (TSioDataPacketManager* M : Left) {
    M->fComPort = nullptr;
    M->Disp = nullptr;
    delete M;
  }
  ManagerList.clear();
}

void TSioDataPacketManagerList::Insert(TSioDataPacketManager* Manager) { ManagerList.push_back(Manager); }

void TSioDataPacketManagerList::Remove(TSioDataPacketManager* Manager) { std::erase(ManagerList, Manager); }

TSioDataPacketManager* TSioDataPacketManagerList::GetPortManager(TSioCustomComPort* ComPort) const
{
  for (TSioDataPacketManager* M : ManagerList)
    if (M->ComPort() == ComPort)
      return M;
  return nullptr;
}

// ------------------------------------------------------------ manager

TSioDataPacketManager::TSioDataPacketManager(TSioCustomComPort* AComPort)
    : fComPort(AComPort), Lock(std::make_unique<TPacketLock>()), Token(std::make_shared<TManagerToken>())
{
  Token->Manager = this;
  fComPort->RegisterUserCallbackEx(MethodEvent(this, &TSioDataPacketManager::PortOpenCloseEx));
  PacketManagerList->Insert(this);
  const TComponentState State = fComPort->ComponentState();
  if (fComPort->Open() && !(State & (csDesigning | csLoading)))
    SetEnabled(true);
  EnablePending = fComPort->Open() && !fEnabled && !(State & csDesigning);
  FWindowHandle = std::make_unique<TMessageWindow>(
      [this](uint32_t Msg, uintptr_t WParam, intptr_t LParam) { return WindowProc(Msg, WParam, LParam); });
}

TSioDataPacketManager::~TSioDataPacketManager()
{
  {
    std::lock_guard<std::mutex> G(Token->M);
    Token->Manager = nullptr;
  }
  PacketManagerList->Remove(this);
  SetEnabled(false);
  if (fComPort)
    fComPort->DeregisterUserCallbackEx(MethodOf(this, &TSioDataPacketManager::PortOpenCloseEx));
  for (TSioDataPacket* P : PacketList)
    if (P->fManager == this)
      P->fManager = nullptr;
  PacketList.clear();
  FreeBuffer();
}

String TSioDataPacketManager::ClassName() const { return QStringLiteral("TSioDataPacketManager"); }

intptr_t TSioDataPacketManager::WindowProc(uint32_t Msg, uintptr_t, intptr_t)
{
  if (Msg == QueryEndSessionMsg)
    return 1;
  if (Msg != ReleaseManagerMsg)
    return 0;
  {
    TPacketLocked L(Lock.get());
    if (!PacketList.empty() || FKeepAlive) {
      ReleasePosted = false;
      return 0; // a packet came back meanwhile
    }
  }
  bool Free = false;
  {
    std::lock_guard<std::mutex> G(Token->M);
    if (Token->InFlight == 0) {
      Token->Manager = nullptr;
      Free = true;
    }
  }
  if (!Free) {
    // A notification is still being handled: look again shortly.
    WaitMessageOrTimeout(1);
    PostMessage(FWindowHandle->Handle(), ReleaseManagerMsg, 0, 0);
    return 0;
  }
  delete this;
  return 0;
}

void TSioDataPacketManager::RequestRelease()
{
  if (ReleasePosted)
    return;
  ReleasePosted = true;
  SetEnabled(false);
  if (fComPort)
    fComPort->DeregisterUserCallbackEx(MethodOf(this, &TSioDataPacketManager::PortOpenCloseEx));
  fComPort = nullptr;
  PostMessage(FWindowHandle->Handle(), ReleaseManagerMsg, 0, 0);
}

void TSioDataPacketManager::PortGone()
{
  TPacketLocked L(Lock.get());
  SetEnabled(false);
  for (TSioDataPacket* P : PacketList) {
    P->Disable();
    P->fComPort = nullptr;
    P->fManager = nullptr;
  }
  PacketList.clear();
  fComPort = nullptr;
  if (!ReleasePosted) {
    ReleasePosted = true;
    PostMessage(FWindowHandle->Handle(), ReleaseManagerMsg, 0, 0);
  }
}

void TSioDataPacketManager::Insert(TSioDataPacket* Packet)
{
  TPacketLocked L(Lock.get());
  PacketList.push_back(Packet);
  Packet->fManager = this;
}

void TSioDataPacketManager::Remove(TSioDataPacket* Packet)
{
  TPacketLocked L(Lock.get());
  if (fCapture == Packet) {
    Packet->SetMode(dpIdle);
    fCapture = nullptr;
  }
  std::erase(PacketList, Packet);
  if (Packet->FEnableTimer != 0 && Disp) {
    Disp->RemoveTrigger(Packet->FEnableTimer);
    Packet->FEnableTimer = 0;
  }
  // Also during an event: the delivery in progress keeps its own reference
  // to the manager and leaves a packet that is no longer its own alone.
  if (Packet->fManager == this)
    Packet->fManager = nullptr;
  if (PacketList.empty() && !FKeepAlive)
    RequestRelease();
}

void TSioDataPacketManager::SetEnabled(bool Value)
{
  TPacketLocked L(Lock.get());
  if (Value == fEnabled)
    return;
  if (Value) {
    TSioBaseDispatcher* D = fComPort ? fComPort->ActiveDispatcher() : nullptr;
    if (!HandlerInstalled && D) {
      Disp = D;
      std::shared_ptr<TManagerToken> T = Token;
      TSioNotifyEvent Handler;
      Handler.Method = MethodOf(this, &TSioDataPacketManager::PacketTriggerHandler);
      Handler.Fn = [T](uint32_t Msg, uint32_t WParam, int32_t LParam) {
        TSioDataPacketManager* Mgr;
        {
          std::lock_guard<std::mutex> G(T->M);
          Mgr = T->Manager;
          if (!Mgr)
            return;
          ++T->InFlight;
        }
        struct Leave {
          TManagerToken* Token;
          ~Leave()
          {
            std::lock_guard<std::mutex> G(Token->M);
            --Token->InFlight;
          }
        } Done{T.get()};
        Mgr->PacketTriggerHandler(Msg, WParam, LParam);
      };
      CheckException(fComPort, D->RegisterEventTriggerHandler(Handler));
      HandlerInstalled = true;
      Timer = static_cast<uint32_t>(CheckException(fComPort, D->AddTimerTrigger()));
    }
    fEnabled = HandlerInstalled;
    return;
  }
  if (HandlerInstalled) {
    TSioBaseDispatcher* D = fComPort ? fComPort->ActiveDispatcher() : nullptr;
    if (D && D == Disp) {
      D->RemoveTrigger(Timer);
      D->DeregisterEventTriggerHandler(MethodOf(this, &TSioDataPacketManager::PacketTriggerHandler));
    }
    HandlerInstalled = false;
  }
  Timer = 0;
  fCapture = nullptr;
  for (TSioDataPacket* P : PacketList) {
    P->HaveCapture = false;
    P->FEnableTimer = 0;
  }
  Disp = nullptr;
  fEnabled = false;
  FreeBuffer();
}

void TSioDataPacketManager::EnableIfPending()
{
  if (!EnablePending)
    return;
  EnablePending = false;
  SetEnabled(true);
}

void TSioDataPacketManager::PortOpenCloseEx(TObject*, TSioCallbackType CallbackType)
{
  TPacketLocked L(Lock.get());
  if (CallbackType == ctOpen) {
    SetEnabled(true);
    const std::vector<TSioDataPacket*> Packets = PacketList;
    for (TSioDataPacket* P : Packets) {
      if (!P->fEnabled)
        continue;
      try {
        P->Enable();
      } catch (const std::exception& E) {
        // One packet's settings must not keep the port from opening.
        P->fEnabled = false;
        HandleApplicationException(E);
      }
    }
    return;
  }
  const std::vector<TSioDataPacket*> Packets = PacketList;
  for (TSioDataPacket* P : Packets)
    P->Disable();
  SetEnabled(false);
}

void TSioDataPacketManager::PacketTriggerHandler(uint32_t Msg, uint32_t WParam, int32_t LParam)
{
  HandleTrigger(Msg, WParam, LParam);
  PostHandOvers();
}

void TSioDataPacketManager::PostHandOvers()
{
  std::vector<std::function<void()>> Calls;
  {
    TPacketLocked L(Lock.get());
    Calls.swap(FHandOvers);
  }
  // After the lock is let go: the main thread, woken by the first, takes it
  // at once.
  for (std::function<void()>& Call : Calls)
    TThread::Queue(std::move(Call));
}

void TSioDataPacketManager::HandleTrigger(uint32_t Msg, uint32_t WParam, int32_t)
{
  TPacketLocked L(Lock.get());
  if (!fEnabled || !Disp)
    return;
  if (Msg == TriggerAvailMsg) {
    const int32_t Count = static_cast<int32_t>(std::min(WParam, MaxNotifyBytes));
    if (Count <= 0)
      return;
    // A collection that never ends must not hold the port's bytes without
    // limit: it times out (and without one, the bytes are dropped).
    if (BufferPtr + Count > MaxHeldBytes) {
      if (fCapture)
        fCapture->TimedOut();
      if (BufferPtr + Count > MaxHeldBytes)
        FreeBuffer();
    }
    const int32_t NewStart = BufferPtr;
    if (BufferPtr + Count >= static_cast<int32_t>(fDataBuffer.size()))
      fDataBuffer.resize(fDataBuffer.size() + InputRingSize);
    const int32_t Got = Disp->GetBlock(fDataBuffer.data() + BufferPtr, static_cast<uint32_t>(Count));
    if (Got > 0)
      BufferPtr += Got;
    NotifyData(NewStart);
    return;
  }
  if (Msg != TriggerTimerMsg)
    return;
  if (WParam == Timer && fCapture) {
    fCapture->TimedOut();
    return;
  }
  // A packet's own limit on its whole wait.
  for (TSioDataPacket* P : PacketList) {
    if (P->FEnableTimer == WParam && P->fMode != dpIdle) {
      P->TimedOut();
      return;
    }
  }
}

void TSioDataPacketManager::InputFlushed()
{
  TPacketLocked L(Lock.get());
  for (TSioDataPacket* P : PacketList)
    ++P->FFlushCount;
  NotifyPending = false;
  FreeBuffer();
  for (TSioDataPacket* P : PacketList)
    P->fBeginMatch = -1;
  // Inside an event (a handler flushing, or the main thread flushing while a
  // delivery waits for it) the end of the event restarts the packets.
  if (fInEvent || !fEnabled)
    return;
  const std::vector<TSioDataPacket*> Packets = PacketList;
  for (TSioDataPacket* P : Packets) {
    if (!P->fEnabled || P->fManager != this)
      continue;
    P->Disable();
    P->RestartOrSwitchOff();
  }
}

bool TSioDataPacketManager::AnyMatchInProgress() const
{
  return std::any_of(PacketList.begin(), PacketList.end(),
                     [](const TSioDataPacket* P) { return P->fEnabled && P->fMode != dpIdle && P->fBeginMatch != -1; });
}

void TSioDataPacketManager::NotifyData(int32_t NewStart)
{
  if (fInEvent) {
    if (!NotifyPending || NewStart < NotifyStart)
      NotifyStart = NewStart;
    NotifyPending = true;
    return;
  }
  if (BufferPtr > 0)
    fCurBfrOffset = NewStart;
  while (fCurBfrOffset < BufferPtr) {
    if (fCapture) {
      fCapture->ProcessData(fCurBfrOffset);
    } else {
      const std::vector<TSioDataPacket*> Packets = PacketList;
      for (TSioDataPacket* P : Packets) {
        if (std::find(PacketList.begin(), PacketList.end(), P) == PacketList.end())
          continue;
        P->ProcessData(fCurBfrOffset);
        if (fCapture || fCurBfrOffset < 0 || fInEvent)
          break;
        if (BufferPtr == 0)
          return;
      }
    }
    // An event handed to the main thread: the bytes after it wait for its
    // end, as bytes arriving during it do.
    if (fInEvent) {
      const int32_t Next = fCurBfrOffset + 1;
      if (!NotifyPending || Next < NotifyStart)
        NotifyStart = Next;
      NotifyPending = true;
      return;
    }
    ++fCurBfrOffset;
  }
  // Bytes that no match has claimed are not kept.
  if (!fCapture && !AnyMatchInProgress())
    FreeBuffer();
}

void TSioDataPacketManager::RemoveData(int32_t Start, int32_t Size)
{
  const int32_t R = std::clamp(Start + Size, 0, BufferPtr);
  BufferPtr -= R;
  fCurBfrOffset -= R;
  if (fCurBfrOffset < 0)
    fCurBfrOffset = -1;
  NotifyStart = std::max(0, NotifyStart - R);
  if (BufferPtr > 0)
    std::memmove(fDataBuffer.data(), fDataBuffer.data() + R, static_cast<size_t>(BufferPtr));
  else
    FreeBuffer();
  // Every match in progress began before the removed bytes ended: each packet
  // restarts (the event's end enables them afresh).
  for (TSioDataPacket* P : PacketList)
    P->fBeginMatch = -1;
}

void TSioDataPacketManager::FreeBuffer()
{
  ++FBufferEpoch;
  BufferPtr = 0;
  fCurBfrOffset = -1;
  std::vector<uint8_t>().swap(fDataBuffer);
}

void TSioDataPacketManager::EnterEvent()
{
  fInEvent = true;
  for (TSioDataPacket* P : PacketList)
    if (P->fEnabled)
      P->Disable();
}

void TSioDataPacketManager::LeaveEvent()
{
  fInEvent = false;
  const std::vector<TSioDataPacket*> Packets = PacketList;
  for (TSioDataPacket* P : Packets) {
    if (!P->fEnabled)
      continue;
    P->EnablePending = false;
    P->RestartOrSwitchOff();
  }
  if (NotifyPending) {
    NotifyPending = false;
    if (BufferPtr > 0)
      NotifyData(NotifyStart);
  }
  if (PacketList.empty() && !FKeepAlive)
    RequestRelease();
}

// ------------------------------------------------------------ packet

TSioDataPacket::TSioDataPacket(TComponent* AOwner) : TSioBaseComponent(AOwner)
{
  if (ComponentState() & csDesigning) {
    fEnabled = true;
    SetComPort(SearchComPort(AOwner));
  }
}

TSioDataPacket::~TSioDataPacket()
{
  {
    // Under the lock of the manager it belongs to: a delivery of this packet
    // that is waiting for the main thread (or for its events to return, when
    // a handler frees its own packet) sees it gone once it takes the lock
    // back. Nothing here waits for that delivery, which may be waiting for
    // this very thread.
    TPacketLocked L(ManagerLock());
    FAlive->store(false);
  }
  try {
    SetComPort(nullptr);
  } catch (const std::exception& E) {
    HandleApplicationException(E);
  }
}

String TSioDataPacket::ClassName() const { return QStringLiteral("TSioDataPacket"); }

void TSioDataPacket::Loaded()
{
  TSioBaseComponent::Loaded();
  if (fManager)
    fManager->EnableIfPending();
  if (EnablePending) {
    EnablePending = false;
    fEnabled = false;
    SetEnabled(true);
  }
}

void TSioDataPacket::Notification(TComponent* AComponent, TOperation Operation)
{
  TSioBaseComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == fComPort) {
    SetComPort(nullptr);
  } else if (Operation == opInsert && !fComPort) {
    if (auto* Port = dynamic_cast<TSioCustomComPort*>(AComponent))
      SetComPort(Port);
  }
}

void TSioDataPacket::SetComPort(TSioCustomComPort* Value)
{
  if (Value == fComPort)
    return;
  if (fComPort) {
    if (TSioDataPacketManager* M = PacketManagerList->GetPortManager(fComPort))
      M->Remove(this);
    else
      fManager = nullptr;
    fComPort->RemoveFreeNotification(this);
  }
  fComPort = Value;
  if (fComPort) {
    fComPort->FreeNotification(this);
    TSioDataPacketManager* M = PacketManagerList->GetPortManager(fComPort);
    if (!M)
      M = new TSioDataPacketManager(fComPort); // owned by PacketManagerList
    M->Insert(this);
  }
}

void TSioDataPacket::SetEnabled(bool Value)
{
  TPacketLocked L(ManagerLock());
  // While a delivery waits for the main thread the packet reads disabled
  // already, so this must count even when nothing else changes. Inside its
  // own event the delivery is the one in progress, and it runs to its end.
  if (!Value && !InOwnEvent)
    ++FDisableCount;
  ApplyEnabled(Value);
}

void TSioDataPacket::ApplyEnabled(bool Value)
{
  TPacketLocked L(ManagerLock());
  if (Value == fEnabled)
    return;
  if (Value)
    Enable();
  else
    Disable();
  fEnabled = Value;
}

TPacketLock* TSioDataPacket::ManagerLock() const { return fManager ? fManager->Lock.get() : nullptr; }

// Settings the dispatch thread reads while it matches change under the lock;
// most take effect at the next enable.
#define PACKET_SETTER(Name, Type, Field)                                                                               \
  void TSioDataPacket::Name(Type Value)                                                                                \
  {                                                                                                                    \
    TPacketLocked L(ManagerLock());                                                                                    \
    Field = Value;                                                                                                     \
  }
PACKET_SETTER(SetAutoEnable, bool, fAutoEnable)
PACKET_SETTER(SetStartCond, TPacketStartCond, fStartCond)
PACKET_SETTER(SetStartString, const AnsiString&, fStartString)
PACKET_SETTER(SetIgnoreCase, bool, fIgnoreCase)
PACKET_SETTER(SetPacketSize, int32_t, fPacketSize)
PACKET_SETTER(SetIncludeStrings, bool, fIncludeStrings)
PACKET_SETTER(SetTimeOut, int32_t, fTimeOut)
PACKET_SETTER(SetEnableTimeout, int32_t, FEnableTimeout)
PACKET_SETTER(SetFlushOnTimeout, bool, FFlushOnTimeout)
PACKET_SETTER(SetSyncEvents, bool, FSyncEvents)
#undef PACKET_SETTER

void TSioDataPacket::SetEndCond(TPacketEndSet Value)
{
  TPacketLocked L(ManagerLock());
  const bool Was = fEnabled;
  ApplyEnabled(false);
  fEndCond = Value;
  ApplyEnabled(Was);
}

void TSioDataPacket::SetEndString(const AnsiString& Value)
{
  TPacketLocked L(ManagerLock());
  const bool Was = fEnabled;
  ApplyEnabled(false);
  fEndString = Value;
  ApplyEnabled(Was);
}

void TSioDataPacket::Validate() const
{
  if (fStartCond == scAnyData && fEndCond == 0)
    throw EInvalidProperty(ecNoEndCharCount, false);
  if (fStartCond == scString) {
    if (fStartString.isEmpty())
      throw EInvalidProperty(ecStartStringEmpty, false);
    if ((fEndCond & EndBit(ecPacketSize)) && fPacketSize < fStartString.size())
      throw EInvalidProperty(ecPacketTooSmall, false);
  }
  if ((fEndCond & EndBit(ecString)) && fEndString.isEmpty())
    throw EInvalidProperty(ecEmptyEndString, false);
  if ((fEndCond & EndBit(ecPacketSize)) && fPacketSize <= 0)
    throw EInvalidProperty(ecZeroSizePacket, false);
}

void TSioDataPacket::Log(TDispatchSubType Sub, const AnsiString& Data) const
{
  TSioBaseDispatcher* D = fManager ? fManager->Disp : nullptr;
  if (D && D->Logging())
    D->AddDispatchEntry(dtPacket, Sub, 0, Data.constData(), static_cast<uint32_t>(Data.size()));
}

void TSioDataPacket::LogName(TDispatchSubType Sub) const { Log(Sub, "Packet:" + Name().toLatin1()); }

void TSioDataPacket::Enable()
{
  if (ComponentState() & csDesigning)
    return;
  if (ComponentState() & csLoading) {
    EnablePending = true;
    return;
  }
  Restart();
}

void TSioDataPacket::RestartOrSwitchOff()
{
  try {
    Restart();
  } catch (const std::exception& E) {
    fEnabled = false;
    HandleApplicationException(E);
  }
}

void TSioDataPacket::Restart()
{
  // The settings are checked before anything changes, also while the port
  // is closed: a packet that cannot match is refused at once.
  Validate();
  const bool Matching = fManager && fManager->fEnabled && fManager->Disp;
  if (Matching && fManager->fInEvent) {
    EnablePending = true;
    return;
  }
  if (Matching) {
    LogName(dstEnable);
    TSioBaseDispatcher* D = fManager->Disp;
    if (FEnableTimeout > 0 && FEnableTimer == 0) {
      FEnableTimer = static_cast<uint32_t>(CheckException(fComPort, D->AddTimerTrigger()));
      CheckException(fComPort, D->SetTimerTrigger(FEnableTimer, FEnableTimeout, true));
    }
    if (fStartCond == scAnyData) {
      if (fManager->fCapture && fManager->fCapture != this)
        WillCollect = true;
      else
        SetMode(dpCollecting);
    } else {
      Log(dstStartStr, fStartString);
      SetMode(dpWaitStart);
      InternalStartString = fIgnoreCase ? UpCaseLetters(fStartString) : fStartString;
      SetupWildMask(InternalStartString, WildStartString);
    }
    if (fEndCond & EndBit(ecString)) {
      Log(dstEndStr, fEndString);
      InternalEndString = fIgnoreCase ? UpCaseLetters(fEndString) : fEndString;
      SetupWildMask(InternalEndString, WildEndString);
    }
  }
  LocalPacketSize = fPacketSize;
  StartMatchPos = 1;
  fBeginMatch = -1;
  EndMatchPos = 1;
}

void TSioDataPacket::Disable()
{
  if (!EnablePending && !WillCollect && fMode == dpIdle)
    return;
  EnablePending = false;
  WillCollect = false;
  if (FEnableTimer != 0) {
    if (fManager && fManager->Disp)
      fManager->Disp->RemoveTrigger(FEnableTimer);
    FEnableTimer = 0;
  }
  if (fManager) {
    SetMode(dpIdle);
    LogName(dstDisable);
  }
}

void TSioDataPacket::SetMode(TPacketMode M)
{
  if (M == fMode)
    return;
  TSioDataPacketManager* Mgr = fManager;
  if (M == dpCollecting && Mgr) {
    Mgr->fCapture = this;
    if (fTimeOut > 0 && Mgr->Disp)
      Mgr->Disp->SetTimerTrigger(Mgr->Timer, fTimeOut, true);
    HaveCapture = true;
    fMode = M;
    // Every other packet restarts; a packet taking any data then waits.
    const std::vector<TSioDataPacket*> Others = Mgr->PacketList;
    for (TSioDataPacket* P : Others) {
      if (P == this || !P->fEnabled || !P->fManager)
        continue;
      P->Disable();
      P->RestartOrSwitchOff();
    }
  } else {
    if (HaveCapture && Mgr) {
      if (Mgr->Disp)
        CheckException(fComPort, Mgr->Disp->SetTimerTrigger(Mgr->Timer, 0, false));
      if (Mgr->fCapture == this)
        Mgr->fCapture = nullptr;
      HaveCapture = false;
    }
    fMode = M;
  }
  LogName(M == dpIdle ? dstIdle : M == dpWaitStart ? dstWaiting : dstCollecting);
}

bool TSioDataPacket::Matches(const AnsiString& Pattern, const AnsiString& Mask, int32_t Pos, uint8_t C) const
{
  if (Pos < 1 || Pos > Pattern.size())
    return false;
  if (Mask.at(Pos - 1) == '1')
    return true;
  if (fIgnoreCase)
    C = UpCase(C);
  return uint8_t(Pattern.at(Pos - 1)) == C;
}

int32_t TSioDataPacket::RetryStart(const AnsiString& Pattern, const AnsiString& Mask, int32_t From, int32_t I) const
{
  const uint8_t* Buf = fManager->fDataBuffer.data();
  for (int32_t B = std::max(From, 0); B <= I; ++B) {
    const int32_t Len = I - B + 1;
    if (Len >= Pattern.size())
      continue; // a retry never completes the pattern by itself
    bool All = true;
    for (int32_t K = 0; K < Len && All; ++K)
      All = Matches(Pattern, Mask, K + 1, Buf[B + K]);
    if (All)
      return B;
  }
  return -1;
}

void TSioDataPacket::ProcessData(int32_t I)
{
  if (!fEnabled || !fManager || I < 0 || I >= fManager->BufferPtr)
    return;
  const uint8_t C = fManager->fDataBuffer[size_t(I)];
  if (fMode == dpIdle && WillCollect) {
    SetMode(dpCollecting);
    WillCollect = false;
  }
  switch (fMode) {
  case dpWaitStart: {
    const int32_t Len = static_cast<int32_t>(InternalStartString.size());
    if (Matches(InternalStartString, WildStartString, StartMatchPos, C)) {
      if (fBeginMatch == -1)
        fBeginMatch = I;
      if (StartMatchPos >= Len) {
        if (fEndCond == 0 || ((fEndCond & EndBit(ecPacketSize)) && LocalPacketSize == Len)) {
          fDataSize = I - fBeginMatch + 1;
          Packet(TEndedBy::SizeOrStart);
        } else {
          SetMode(dpCollecting);
        }
      } else {
        ++StartMatchPos;
      }
    } else if (fBeginMatch != -1) {
      const int32_t B = RetryStart(InternalStartString, WildStartString, fBeginMatch + 1, I);
      if (B >= 0) {
        fBeginMatch = B;
        StartMatchPos = I - B + 2;
      } else {
        fBeginMatch = -1;
        StartMatchPos = 1;
      }
    }
    break;
  }
  case dpCollecting: {
    if (fBeginMatch == -1)
      fBeginMatch = I;
    if ((fEndCond & EndBit(ecPacketSize)) && I - fBeginMatch + 1 >= LocalPacketSize) {
      fDataSize = I - fBeginMatch + 1;
      Packet(TEndedBy::SizeOrStart);
      break;
    }
    if (fEndCond & EndBit(ecString)) {
      const int32_t Len = static_cast<int32_t>(InternalEndString.size());
      if (Matches(InternalEndString, WildEndString, EndMatchPos, C)) {
        if (EndMatchPos >= Len) {
          fDataSize = I - fBeginMatch + 1;
          Packet(TEndedBy::EndString);
        } else {
          ++EndMatchPos;
        }
      } else if (EndMatchPos > 1) {
        EndMatchStart = I - EndMatchPos + 1;
        const int32_t S = RetryStart(InternalEndString, WildEndString, EndMatchStart, I);
        EndMatchPos = S >= 0 ? I - S + 2 : 1;
      }
    }
    break;
  }
  case dpIdle:
    break;
  }
}

bool TSioDataPacket::DeliverEvents(bool TimeoutEvent, const AnsiString& Data, TFinish Finish)
{
  TSioDataPacketManager* Mgr = fManager;
  const uint32_t Disables = FDisableCount.load();
  const uint32_t Flushes = FFlushCount.load();
  // The events get their own copy of the bytes: while they wait for the main
  // thread the manager's buffer may be freed (the port closing, the last
  // packet leaving) or grow. The packet itself may be freed meanwhile, also
  // by its own handler: each step looks at Alive first, and every handler is
  // called through a copy, so that freeing its packet does not pull the
  // handler from under its own call.
  const std::shared_ptr<std::atomic<bool>> Alive = FAlive;
  const auto Fire = [this, Alive, TimeoutEvent, Data, Disables, Flushes]() {
    if (!Alive->load())
      return false;
    // Read on the thread that disables and flushes: a dialogue that disabled
    // the packet or flushed the port must not get a reply from before that.
    if (FDisableCount.load() != Disables || FFlushCount.load() != Flushes)
      return false;
    InOwnEvent = true;
    PacketBuffer = reinterpret_cast<const uint8_t*>(Data.constData());
    fCollectedSize = static_cast<int32_t>(Data.size());
    try {
      if (TimeoutEvent) {
        if (const TNotifyEvent H = OnTimeout)
          H(this);
      } else {
        if (const TPacketNotifyEvent H = OnPacket)
          H(this, Data.constData(), static_cast<int32_t>(Data.size()));
        if (!Alive->load())
          return true;
        if (const TStringPacketNotifyEvent H = OnStringPacket)
          H(this, Data);
      }
    } catch (const std::exception& E) {
      HandleApplicationException(E);
    }
    if (!Alive->load())
      return true;
    InOwnEvent = false;
    PacketBuffer = nullptr;
    fCollectedSize = 0;
    return true;
  };
  // After the events, under Mgr's lock.
  const auto Outcome = [this, Alive, Mgr, Disables](bool Ran) {
    TDelivered R;
    R.Ran = Ran;
    // Freed or moved to another port meanwhile: the packet is not this
    // delivery's to finish, only the manager is.
    R.Own = StillIn(this, *Alive, Mgr);
    R.NotDisabled = R.Own && FDisableCount.load() == Disables;
    return R;
  };
  if (FSyncEvents && (!IsMainThread() || Mgr->FHandedOverEnd)) {
    // The manager is not freed while the event is on its way.
    const std::shared_ptr<TManagerToken> Token = Mgr->Token;
    {
      std::lock_guard<std::mutex> G(Token->M);
      ++Token->InFlight;
    }
    // Queued by the caller once it has let go of the manager's lock.
    Mgr->FHandOvers.push_back([Token, Fire, Outcome, Finish] {
      const auto Landed = ScopeExit([&] {
        std::lock_guard<std::mutex> G(Token->M);
        --Token->InFlight;
      });
      TSioDataPacketManager* M;
      {
        std::lock_guard<std::mutex> G(Token->M);
        M = Token->Manager;
      }
      if (!M)
        return;
      const bool Ran = Fire();
      {
        TPacketLocked L(M->Lock.get());
        const bool Outer = M->FHandedOverEnd;
        M->FHandedOverEnd = true;
        const auto Restore = ScopeExit([&] { M->FHandedOverEnd = Outer; });
        Finish(Outcome(Ran));
      }
      // The events its end found in the bytes that came meanwhile.
      M->PostHandOvers();
    });
    return true;
  }
  Finish(Outcome(Fire()));
  return false;
}

bool TSioDataPacket::StillIn(const TSioDataPacket* Packet, const std::atomic<bool>& Alive,
                             const TSioDataPacketManager* Mgr)
{
  // Alive is cleared under the lock of the packet's manager, and a packet
  // leaves a manager's list only under that manager's lock, which the caller
  // holds. The packet itself is not looked at: it may be gone.
  return Alive.load() && std::find(Mgr->PacketList.begin(), Mgr->PacketList.end(), Packet) != Mgr->PacketList.end();
}

int32_t TSioDataPacket::DropStartString()
{
  if (fStartCond != scString || fIncludeStrings)
    return 0;
  const int32_t Start = std::min<int32_t>(static_cast<int32_t>(InternalStartString.size()), fDataSize);
  fDataSize -= Start;
  return Start;
}

void TSioDataPacket::Packet(TEndedBy EndedBy)
{
  TSioDataPacketManager* Mgr = fManager;
  Mgr->EnterEvent();
  fEnabled = false;
  const int32_t Begin = fBeginMatch;
  const int32_t Span = fDataSize;
  const int32_t Offset = Begin + DropStartString();
  if (!fIncludeStrings && EndedBy == TEndedBy::EndString)
    fDataSize = std::max<int32_t>(0, fDataSize - static_cast<int32_t>(InternalEndString.size()));
  const AnsiString Data(reinterpret_cast<const char*>(Mgr->fDataBuffer.data() + Offset), fDataSize);
  Log(EndedBy == TEndedBy::EndString ? dstStringPacket : dstSizePacket, Data);
  const uint32_t Epoch = Mgr->FBufferEpoch;
  const bool HandedOver = DeliverEvents(false, Data, [this, Mgr, Begin, Span, Epoch, Data](const TDelivered& D) {
    if (D.Own && D.Ran) {
      // Marked once the events have run: a wait that starts while they run
      // on the main thread cannot clear the mark of its own packet.
      if (Waiting)
        WaitData = Data;
      FDataMatch = true;
    }
    // Unless a flush or the port's closing dropped them meanwhile.
    if (Mgr->FBufferEpoch == Epoch)
      Mgr->RemoveData(Begin, Span);
    // Disabled from outside since the bytes came: it stays off, AutoEnable
    // or not. Dropped by a flush: it waits on, as if the bytes had never
    // come.
    if (D.NotDisabled && (!D.Ran || (fAutoEnable && !Waiting)))
      fEnabled = true; // enabled afresh when the event ends
    Mgr->LeaveEvent();
  });
  // A wait for this packet on the main thread looks again.
  if (!HandedOver && !IsMainThread())
    WakeMainThread();
}

void TSioDataPacket::TimedOut()
{
  TSioDataPacketManager* Mgr = fManager;
  if (!Mgr)
    return;
  Mgr->EnterEvent();
  LogName(dstPacketTimeout);
  fEnabled = false;
  fDataSize = 0;
  AnsiString Data;
  if (fBeginMatch >= 0 && fBeginMatch < Mgr->BufferPtr) {
    fDataSize = Mgr->BufferPtr - fBeginMatch;
    const int32_t Offset = fBeginMatch + DropStartString();
    Data = AnsiString(reinterpret_cast<const char*>(Mgr->fDataBuffer.data() + Offset), fDataSize);
  }
  const bool FlushAsSet = FFlushOnTimeout;
  const int32_t Held = Mgr->BufferPtr;
  const uint32_t Epoch = Mgr->FBufferEpoch;
  const bool HandedOver = DeliverEvents(true, Data, [this, Mgr, FlushAsSet, Held, Epoch](const TDelivered& D) {
    if (D.Own && D.Ran)
      FTimedOut = true;
    // Overtaken by a flush of the port's input: the packet waits afresh.
    if (D.NotDisabled && !D.Ran)
      fEnabled = true;
    // The bytes held when it timed out, not those that came after.
    if ((D.Own ? FFlushOnTimeout : FlushAsSet) && Mgr->FBufferEpoch == Epoch)
      Mgr->RemoveData(0, Held);
    Mgr->LeaveEvent();
  });
  if (!HandedOver && !IsMainThread())
    WakeMainThread();
}

void TSioDataPacket::GetCollectedString(AnsiString& Data) const
{
  Data = InOwnEvent && PacketBuffer ? AnsiString(reinterpret_cast<const char*>(PacketBuffer), fCollectedSize)
                                    : AnsiString();
}

void TSioDataPacket::GetCollectedData(const void*& Data, int32_t& Size) const
{
  Data = InOwnEvent ? PacketBuffer : nullptr;
  Size = InOwnEvent && PacketBuffer ? fCollectedSize : 0;
}

bool TSioDataPacket::WaitFor(AnsiString& Data)
{
  {
    TPacketLocked L(ManagerLock());
    // A wait reports only what happens during it.
    FDataMatch = false;
    FTimedOut = false;
    WaitData.clear();
    Waiting = true;
    fAutoEnable = false;
  }
  try {
    SetEnabled(true);
  } catch (...) {
    Waiting = false;
    throw;
  }
  while (!FDataMatch && !FTimedOut) {
    if (!fComPort || !fComPort->Open())
      break;
    const uint32_t R = SafeYield();
    if (R == WM_QUIT)
      break;
    if (R == 0)
      WaitMessageOrTimeout(10);
  }
  TPacketLocked L(ManagerLock());
  Waiting = false;
  const bool Got = FDataMatch;
  if (Got)
    Data = WaitData;
  WaitData.clear();
  return Got;
}

bool TSioDataPacket::WaitForString(AnsiString& Data) { return WaitFor(Data); }

bool TSioDataPacket::WaitForPacket(AnsiString& Data) { return WaitFor(Data); }
