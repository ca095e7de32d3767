// Triggers and notifications of TSioBaseDispatcher: the trigger records and
// their handles, the checks the dispatch thread runs, and the delivery of a
// notification to every registered handler.
#include "serial/SioBaseDispatcher.h"

#include "platform/Application.h"
#include "platform/Messages.h"
#include "platform/Thread.h"
#include "rtl/Exceptions.h"
#include "serial/SectionLock.h"
#include "serial/SioErrors.h"
#include "serial/SioTriggerRecords.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <type_traits>

namespace {

// The last handle the counter hands out before handles are reused.
constexpr uint32_t TriggerCounterLimit = 4096;
constexpr uint32_t LargestReusedHandle = 4096;
constexpr uint32_t WindowNotifyTimeoutMs = 3000;

uint8_t UpCase(uint8_t C) { return (C >= 'a' && C <= 'z') ? uint8_t(C - 32) : C; }

// Offers one received byte to a data trigger. Every running candidate
// advances and at most one new candidate starts with this byte, so a match is
// found even when another candidate failed part-way (aab in aaab). A full
// match drops every candidate and ends the step: matches never overlap.
bool MatchString(TCheckIndex& Indexes, uint8_t C, uint32_t Len, const uint8_t* P, bool IgnoreCase)
{
  if (IgnoreCase)
    C = UpCase(C);
  bool Started = false;
  bool Check = true;
  for (uint32_t I = 0; I < Len; ++I) {
    if (Check) {
      if (Indexes[I] < Len && P[Indexes[I]] == C) {
        if (Indexes[I] == Len - 1) {
          Indexes.fill(0);
          return true;
        }
        ++Indexes[I];
      } else if (P[0] == C) {
        Indexes[I] = 1;
        Started = true;
      } else {
        Indexes[I] = 0;
      }
    }
    if (Indexes[I] == 1)
      Started = true;
    if (I + 1 >= Len)
      Check = false;
    else if (Started)
      Check = Indexes[I + 1] != 0;
    else
      Check = Indexes[I + 1] != 0 || P[0] == C;
  }
  return false;
}

void ShowHandlerException(const std::exception& E) { HandleApplicationException(E); }

} // namespace

// ------------------------------------------------------------ handles

uint32_t TSioBaseDispatcher::GetTriggerHandle()
{
  if (TriggerCounter < TriggerCounterLimit)
    return TriggerCounter++ * 8;
  for (uint32_t H = 8; H <= LargestReusedHandle; H += 8) {
    const bool Used =
        std::any_of(TimerTriggers.begin(), TimerTriggers.end(), [H](const auto& T) { return T->tHandle == H; }) ||
        std::any_of(DataTriggers.begin(), DataTriggers.end(), [H](const auto& T) { return T->tHandle == H; }) ||
        std::any_of(StatusTriggers.begin(), StatusTriggers.end(),
                    [H](const auto& T) { return (T->tHandle & ~7u) == H; });
    if (!Used)
      return H;
  }
  return 0;
}

uint32_t TSioBaseDispatcher::LenTriggerValue() const { return LenTrigger.load(); }

int32_t TSioBaseDispatcher::ChangeLengthTrigger(uint32_t Length)
{
  TSectionLock L(*DataSection);
  LenTrigger = Length;
  AddDispatchEntry(dtTriggerDataChange, dstAvailTrigger, Length, nullptr, 0);
  WakeDispatcher();
  return ecOK;
}

int32_t TSioBaseDispatcher::AddTimerTrigger()
{
  TSectionLock L(*DataSection);
  const uint32_t H = GetTriggerHandle();
  if (H == 0)
    return ecNoMoreTriggers;
  auto T = std::make_unique<TTimerTrigger>();
  T->tHandle = H;
  T->tValid = true;
  TimerTriggers.push_back(std::move(T));
  AddDispatchEntry(dtTriggerAlloc, dstTimerTrigger, H, nullptr, 0);
  return static_cast<int32_t>(H);
}

int32_t TSioBaseDispatcher::AddDataTriggerLenPrim(const char* Data, bool IgnoreCase, uint32_t Len)
{
  if (Len > MaxTrigData)
    return ecTriggerTooLong;
  if (!Data && Len > 0)
    return ecBadArgument;
  TSectionLock L(*DataSection);
  const uint32_t H = GetTriggerHandle();
  if (H == 0)
    return ecNoMoreTriggers;
  auto T = std::make_unique<TDataTrigger>();
  T->tHandle = H;
  T->tLen = Len;
  T->tIgnoreCase = IgnoreCase;
  for (uint32_t I = 0; I < Len; ++I) {
    const uint8_t C = static_cast<uint8_t>(Data[I]);
    T->tData[I] = IgnoreCase ? UpCase(C) : C;
  }
  AddDispatchEntry(dtTriggerAlloc, dstDataTrigger, H, T->tData.data(), Len);
  DataTriggers.push_back(std::move(T));
  return static_cast<int32_t>(H);
}

int32_t TSioBaseDispatcher::AddDataTriggerLen(const char* Data, bool IgnoreCase, uint32_t Len)
{
  return AddDataTriggerLenPrim(Data, IgnoreCase, Len);
}

int32_t TSioBaseDispatcher::AddDataTrigger(const char* Data, bool IgnoreCase)
{
  if (!Data)
    return ecBadArgument;
  // Looking one byte past the longest match string is enough to refuse it.
  return AddDataTriggerLenPrim(Data, IgnoreCase, static_cast<uint32_t>(strnlen(Data, MaxTrigData + 1)));
}

int32_t TSioBaseDispatcher::AddStatusTrigger(uint32_t SType)
{
  if (SType > StatusOutSent)
    return ecBadArgument;
  TSectionLock L(*DataSection);
  const uint32_t H = GetTriggerHandle();
  if (H == 0)
    return ecNoMoreTriggers;
  auto T = std::make_unique<TStatusTrigger>();
  T->tHandle = H + SType;
  T->tSType = SType;
  const uint8_t Kind = static_cast<uint8_t>(SType);
  AddDispatchEntry(dtTriggerAlloc, dstStatusTrigger, T->tHandle, &Kind, 1);
  const int32_t Result = static_cast<int32_t>(T->tHandle);
  StatusTriggers.push_back(std::move(T));
  return Result;
}

int32_t TSioBaseDispatcher::FindTriggerFromHandle(uint32_t TriggerHandle, bool Delete, TTriggerType& T, void*& Trigger)
{
  T = ttNone;
  Trigger = nullptr;
  if (TriggerHandle < 2)
    return ecBadTriggerHandle;
  TSectionLock L(*DataSection);
  // The three lists are searched alike; a data trigger is found by its handle
  // with the low three bits cleared, and a removed status trigger is logged
  // with its kind.
  const auto Search = [&](auto& List, TTriggerType Kind, uint32_t Wanted, TDispatchSubType Disposed) {
    for (auto It = List.begin(); It != List.end(); ++It) {
      if ((*It)->tHandle != Wanted)
        continue;
      T = Kind;
      if (!Delete) {
        Trigger = It->get();
        return true;
      }
      uint8_t KindByte = 0;
      if constexpr (std::is_same_v<std::decay_t<decltype(**It)>, TStatusTrigger>)
        KindByte = static_cast<uint8_t>((*It)->tSType);
      List.erase(It);
      AddDispatchEntry(dtTriggerDispose, Disposed, TriggerHandle, Kind == ttStatus ? &KindByte : nullptr,
                       Kind == ttStatus ? 1 : 0);
      return true;
    }
    return false;
  };
  if (Search(TimerTriggers, ttTimer, TriggerHandle, dstTimer) ||
      Search(StatusTriggers, ttStatus, TriggerHandle, dstStatusTrigger) ||
      Search(DataTriggers, ttData, TriggerHandle & ~7u, dstData))
    return ecOK;
  return ecBadTriggerHandle;
}

int32_t TSioBaseDispatcher::RemoveTrigger(uint32_t TriggerHandle)
{
  if (TriggerHandle == AvailTriggerHandle) {
    LenTrigger = 0;
    return ecOK;
  }
  TTriggerType T;
  void* Trigger;
  return FindTriggerFromHandle(TriggerHandle, true, T, Trigger);
}

void* TSioBaseDispatcher::TriggerOfKind(uint32_t TriggerHandle, TTriggerType Kind)
{
  TTriggerType T;
  void* P;
  if (FindTriggerFromHandle(TriggerHandle, false, T, P) != ecOK || T != Kind)
    return nullptr;
  return P;
}

int32_t TSioBaseDispatcher::SetTimerTrigger(uint32_t TriggerHandle, int32_t Ticks, bool Activate)
{
  bool Wake = false;
  {
    TSectionLock L(*DataSection);
    auto* Timer = static_cast<TTimerTrigger*>(TriggerOfKind(TriggerHandle, ttTimer));
    if (!Timer)
      return ecBadTriggerHandle;
    if (Activate) {
      if (Ticks != 0)
        Timer->tTicks = Ticks;
      NewTimer(Timer->tET, Timer->tTicks);
      AddDispatchEntry(dtTriggerDataChange, dstTimerTrigger, TriggerHandle, &Ticks, sizeof Ticks);
      Wake = SoonerThanPlanned(Timer->tET);
    } else {
      static const char Deactivated[] = "Deactivated";
      AddDispatchEntry(dtTriggerDataChange, dstTimerTrigger, TriggerHandle, Deactivated, sizeof Deactivated - 1);
    }
    Timer->tActive = Activate;
  }
  // Woken outside the lock: it is the first thing the dispatch thread takes.
  if (Wake)
    WakeDispatcher();
  return ecOK;
}

int32_t TSioBaseDispatcher::ExtendTimer(uint32_t TriggerHandle, int32_t Ticks)
{
  bool Wake = false;
  {
    TSectionLock L(*DataSection);
    auto* Timer = static_cast<TTimerTrigger*>(TriggerOfKind(TriggerHandle, ttTimer));
    if (!Timer)
      return ecBadTriggerHandle;
    Timer->tET.ExpireTicks += Ticks;
    AddDispatchEntry(dtTriggerDataChange, dstTimerTrigger, TriggerHandle, &Ticks, sizeof Ticks);
    Wake = Timer->tActive && SoonerThanPlanned(Timer->tET);
  }
  if (Wake)
    WakeDispatcher();
  return ecOK;
}

int32_t TSioBaseDispatcher::TimerTicksRemaining(uint32_t TriggerHandle, int32_t& TicksRemaining)
{
  TicksRemaining = 0;
  TSectionLock L(*DataSection);
  const auto* Timer = static_cast<TTimerTrigger*>(TriggerOfKind(TriggerHandle, ttTimer));
  if (!Timer)
    return ecBadTriggerHandle;
  TicksRemaining = RemainingTime(Timer->tET);
  return ecOK;
}

int32_t TSioBaseDispatcher::SetStatusTrigger(uint32_t TriggerHandle, uint32_t Value, bool Activate)
{
  TSectionLock L(*DataSection);
  auto* S = static_cast<TStatusTrigger*>(TriggerOfKind(TriggerHandle, ttStatus));
  if (!S)
    return ecBadTriggerHandle;
  if (Activate) {
    switch (S->tSType) {
    case StatusModem:
      S->tValue = static_cast<uint16_t>(((Value & 0xFF) << 8) | (Value & ModemStatus & 0xFF));
      break;
    case StatusLine: {
      uint16_t Bits = 0;
      if (Value & 1)
        Bits |= LineError::Overrun;
      if (Value & 2)
        Bits |= LineError::RxParity;
      if (Value & 4)
        Bits |= LineError::Frame;
      if (Value & 8)
        Bits |= LineError::Break;
      S->tValue = Bits;
      break;
    }
    case StatusOutFree:
    case StatusOutUsed:
      S->tValue = static_cast<uint16_t>(Value);
      break;
    default:
      break;
    }
  }
  S->tSActive = Activate;
  if (Activate) {
    uint8_t Bytes[4];
    std::memcpy(Bytes, &S->tValue, 2);
    Bytes[2] = S->tSActive ? 1 : 0;
    Bytes[3] = S->StatusHit ? 1 : 0;
    AddDispatchEntry(dtTriggerDataChange, dstStatusTrigger, TriggerHandle, Bytes, sizeof Bytes);
  }
  WakeDispatcher();
  return ecOK;
}

void TSioBaseDispatcher::RemoveAllTriggers()
{
  TSectionLock L(*DataSection);
  LenTrigger = 0;
  TimerTriggers.clear();
  DataTriggers.clear();
  StatusTriggers.clear();
  TriggerCounter = 1;
}

void TSioBaseDispatcher::SaveTriggers(TTriggerSave& Save)
{
  TSectionLock L(*DataSection);
  ClearSaveBuffers(Save);
  Save.tsLenTrigger = LenTrigger;
  for (const auto& T : TimerTriggers)
    Save.tsTimerTriggers.push_back(*T);
  for (const auto& T : DataTriggers)
    Save.tsDataTriggers.push_back(*T);
  for (const auto& T : StatusTriggers)
    Save.tsStatusTriggers.push_back(*T);
}

void TSioBaseDispatcher::RestoreTriggers(const TTriggerSave& Save)
{
  TSectionLock L(*DataSection);
  LenTrigger = Save.tsLenTrigger;
  TimerTriggers.clear();
  DataTriggers.clear();
  StatusTriggers.clear();
  for (const auto& T : Save.tsTimerTriggers)
    TimerTriggers.push_back(std::make_unique<TTimerTrigger>(T));
  for (const auto& T : Save.tsDataTriggers)
    DataTriggers.push_back(std::make_unique<TDataTrigger>(T));
  for (const auto& T : Save.tsStatusTriggers)
    StatusTriggers.push_back(std::make_unique<TStatusTrigger>(T));
  // The restored handles stay taken: later adds must not hand them out again.
  uint32_t Highest = 0;
  for (const auto& T : TimerTriggers)
    Highest = std::max(Highest, T->tHandle >> 3);
  for (const auto& T : DataTriggers)
    Highest = std::max(Highest, T->tHandle >> 3);
  for (const auto& T : StatusTriggers)
    Highest = std::max(Highest, T->tHandle >> 3);
  if (TriggerCounter <= Highest)
    TriggerCounter = std::min(Highest + 1, TriggerCounterLimit);
  WakeDispatcher();
}

void TSioBaseDispatcher::ExamineUnreadInput()
{
  // Set here, taken by the dispatch thread at the start of a pass: a pass
  // already under way would otherwise put its own position back after it.
  ExamineFromTail = true;
  WakeDispatcher();
}

void TSioBaseDispatcher::ClearSaveBuffers(TTriggerSave& Save)
{
  Save.tsLenTrigger = 0;
  Save.tsTimerTriggers.clear();
  Save.tsDataTriggers.clear();
  Save.tsStatusTriggers.clear();
}

// ------------------------------------------------------------ handlers

int32_t TSioBaseDispatcher::RegisterWndTriggerHandler(uint32_t HW)
{
  if (HW == 0)
    return ecBadArgument;
  TSectionLock L(*DataSection);
  auto H = std::make_unique<TWndTriggerHandler>();
  H->thWnd = HW;
  WndTriggerHandlers.push_back(std::move(H));
  HandlerServiceNeeded = true;
  AddDispatchEntry(dtTriggerHandlerAlloc, dstWndHandler, HW, nullptr, 0);
  return ecOK;
}

int32_t TSioBaseDispatcher::RegisterProcTriggerHandler(TSioNotifyProc NP)
{
  if (!NP)
    return ecBadArgument;
  TSectionLock L(*DataSection);
  auto H = std::make_unique<TProcTriggerHandler>();
  H->thNotify = NP;
  ProcTriggerHandlers.push_back(std::move(H));
  HandlerServiceNeeded = true;
  AddDispatchEntry(dtTriggerHandlerAlloc, dstProcHandler, 0, nullptr, 0);
  return ecOK;
}

int32_t TSioBaseDispatcher::RegisterMethodHandler(const TSioNotifyEvent& NP, bool Sync)
{
  if (!NP.Fn)
    return ecBadArgument;
  TSectionLock L(*DataSection);
  auto H = std::make_unique<TEventTriggerHandler>();
  H->thNotify = NP;
  H->thSync = Sync;
  EventTriggerHandlers.push_back(std::move(H));
  HandlerServiceNeeded = true;
  AddDispatchEntry(dtTriggerHandlerAlloc, dstEventHandler, Sync ? 1 : 0, nullptr, 0);
  return ecOK;
}

int32_t TSioBaseDispatcher::RegisterEventTriggerHandler(const TSioNotifyEvent& NP)
{
  return RegisterMethodHandler(NP, false);
}

int32_t TSioBaseDispatcher::RegisterSyncEventTriggerHandler(const TSioNotifyEvent& NP)
{
  return RegisterMethodHandler(NP, true);
}

namespace {

// Removes the first live record that Matches: marked while a notification
// is being delivered (the delivery walks the list without the lock), else
// freed at once. False when none matched.
template <class List, class Pred>
bool RemoveHandler(List& Handlers, bool Busy, std::atomic<bool>& DeletePending, Pred Matches)
{
  for (auto It = Handlers.begin(); It != Handlers.end(); ++It) {
    if ((*It)->thDeleted || !Matches(**It))
      continue;
    if (Busy) {
      (*It)->thDeleted = true;
      DeletePending = true;
    } else {
      Handlers.erase(It);
    }
    return true;
  }
  return false;
}

} // namespace

int32_t TSioBaseDispatcher::DeregisterWndTriggerHandler(uint32_t HW)
{
  TSectionLock L(*DataSection);
  if (RemoveHandler(WndTriggerHandlers, fEventBusy, DeletePending,
                    [HW](const TWndTriggerHandler& H) { return H.thWnd == HW; }))
    AddDispatchEntry(dtTriggerHandlerDispose, dstWndHandler, HW, nullptr, 0);
  else
    UpdateHandlerFlags(fuKeepPort);
  return ecOK;
}

int32_t TSioBaseDispatcher::DeregisterProcTriggerHandler(TSioNotifyProc NP)
{
  TSectionLock L(*DataSection);
  if (RemoveHandler(ProcTriggerHandlers, fEventBusy, DeletePending,
                    [NP](const TProcTriggerHandler& H) { return H.thNotify == NP; }))
    AddDispatchEntry(dtTriggerHandlerDispose, dstProcHandler, 0, nullptr, 0);
  else
    UpdateHandlerFlags(fuKeepPort);
  return ecOK;
}

int32_t TSioBaseDispatcher::DeregisterEventTriggerHandler(const TMethod& NP)
{
  TSectionLock L(*DataSection);
  // The object is compared as well as the method: two packets of one port
  // register the same method, and removing one must not remove the other's.
  if (RemoveHandler(EventTriggerHandlers, fEventBusy, DeletePending,
                    [&NP](const TEventTriggerHandler& H) { return H.thNotify.Method == NP; }))
    AddDispatchEntry(dtTriggerHandlerDispose, dstEventHandler, 0, nullptr, 0);
  else
    UpdateHandlerFlags(fuKeepPort);
  return ecOK;
}

bool TSioBaseDispatcher::HandlerNeedLocked() const
{
  const auto Live = [](const auto& List) {
    return std::count_if(List.begin(), List.end(), [](const auto& H) { return !H->thDeleted; });
  };
  // The first window handler is the port's own notification window.
  return Live(WndTriggerHandlers) > 1 || Live(ProcTriggerHandlers) > 0 || Live(EventTriggerHandlers) > 0;
}

void TSioBaseDispatcher::UpdateHandlerFlags(TApHandlerFlagUpdate FlagUpdate)
{
  TSectionLock L(*DataSection);
  const bool Need = HandlerNeedLocked();
  switch (FlagUpdate) {
  case fuKeepPort:
    HandlerServiceNeeded = Need || PortHandlerInstalled;
    break;
  case fuEnablePort:
    PortHandlerInstalled = true;
    HandlerServiceNeeded = true;
    break;
  case fuDisablePort:
    PortHandlerInstalled = false;
    HandlerServiceNeeded = Need;
    break;
  }
}

void TSioBaseDispatcher::SetEventBusy(bool& WasOn, bool SetOn)
{
  {
    TSectionLock L(*DataSection);
    WasOn = fEventBusy;
    fEventBusy = SetOn;
  }
  if (!SetOn)
    WakeDispatcher();
}

void TSioBaseDispatcher::FreeDeletedHandlers()
{
  const auto Sweep = [](auto& List) {
    for (size_t I = List.size(); I-- > 0;)
      if (List[I]->thDeleted)
        List.erase(List.begin() + static_cast<std::ptrdiff_t>(I));
  };
  Sweep(WndTriggerHandlers);
  Sweep(ProcTriggerHandlers);
  Sweep(EventTriggerHandlers);
}

// ------------------------------------------------------------ delivery

bool TSioBaseDispatcher::SendNotify(uint32_t Msg, uint32_t Trigger, uint32_t Data)
{
  if (!HandlerServiceNeeded)
    return true;
  {
    TSectionLock L(*DataSection);
    fEventBusy = true;
  }
  const bool Avail = Msg == TriggerAvailMsg;
  {
    TSectionLock L(*DispSection);
    MaxGetCount = 0;
    InAvailMessage = Avail || Msg == TriggerDataMsg;
  }
  const int32_t LParam = static_cast<int32_t>((static_cast<uint32_t>(fHandle) << 16) + (Data & 0xFFFF));
  bool Stopped = false;

  // After each handler: a close from inside it ends the delivery; otherwise
  // the most any handler consumed is what the tail moves by.
  const auto AfterHandler = [&]() {
    if (ClosePending) {
      Stopped = true;
      return;
    }
    TSectionLock L(*DispSection);
    MaxGetCount = std::max(MaxGetCount, GetCount);
  };
  const auto ResetCount = [&]() {
    TSectionLock L(*DispSection);
    GetCount = 0;
  };
  // The lists are walked by index without holding DataSection while a
  // handler runs; removals meanwhile are deferred (thDeleted), and a copy of
  // the handler is called, so appends cannot pull a record from under it.
  const auto Guarded = [](const std::function<void()>& Call) {
    try {
      Call();
    } catch (const std::exception& E) {
      // One faulty handler must not take the port's dispatch thread down.
      ShowHandlerException(E);
    } catch (...) {
      ShowHandlerException(Exception(QStringLiteral("Unknown exception in a trigger handler")));
    }
  };

  for (size_t I = 0; !Stopped; ++I) {
    TSioNotifyEvent Handler;
    bool Sync = false;
    {
      TSectionLock L(*DataSection);
      if (I >= EventTriggerHandlers.size())
        break;
      if (EventTriggerHandlers[I]->thDeleted)
        continue;
      Handler = EventTriggerHandlers[I]->thNotify;
      Sync = EventTriggerHandlers[I]->thSync;
    }
    ResetCount();
    if (Sync)
      Guarded([&] { SyncCall([&] { Handler.Fn(Msg, Trigger, LParam); }); });
    else
      Guarded([&] { Handler.Fn(Msg, Trigger, LParam); });
    AfterHandler();
  }
  for (size_t I = 0; !Stopped; ++I) {
    TSioNotifyProc Proc = nullptr;
    {
      TSectionLock L(*DataSection);
      if (I >= ProcTriggerHandlers.size())
        break;
      if (ProcTriggerHandlers[I]->thDeleted || !ProcTriggerHandlers[I]->thNotify)
        continue;
      Proc = ProcTriggerHandlers[I]->thNotify;
    }
    ResetCount();
    Guarded([&] { Proc(Msg, Trigger, LParam); });
    AfterHandler();
  }
  bool Windows;
  {
    TSectionLock L(*DataSection);
    Windows = WndTriggerHandlers.size() >= 2 || PortHandlerInstalled;
  }
  // A window's message is served on the main thread ahead of the calls
  // this thread has handed over there (a packet's events): it waits for
  // them, so that the events arrive in the order they happened.
  if (Windows && !Stopped)
    TThread::WaitQueued();
  for (size_t I = 0; Windows && !Stopped; ++I) {
    uint32_t Wnd = 0;
    {
      TSectionLock L(*DataSection);
      if (I >= WndTriggerHandlers.size())
        break;
      if (WndTriggerHandlers[I]->thDeleted)
        continue;
      Wnd = WndTriggerHandlers[I]->thWnd;
    }
    ResetCount();
    intptr_t Reply = 0;
    // A window that does not answer in time is given up for this notification.
    SendMessageTimeout(Wnd, Msg, Trigger, LParam, WindowNotifyTimeoutMs, &Reply);
    AfterHandler();
  }

  bool Result = !Stopped;
  {
    TSectionLock L(*DispSection);
    if (InAvailMessage) {
      InAvailMessage = false;
      if (!Stopped && DBuffer) {
        const uint32_t Moved = std::min(MaxGetCount, InRingCount());
        DBufTail = (DBufTail + Moved) % InputRingSize;
        if (Moved > 0)
          DispatchFull = false;
        if (Avail && Moved != Trigger)
          Result = false;
      }
    }
  }
  {
    TSectionLock L(*DataSection);
    fEventBusy = false;
    if (DeletePending) {
      FreeDeletedHandlers();
      DeletePending = false;
      UpdateHandlerFlags(fuKeepPort);
    }
  }
  if (!Stopped) {
    TSectionLock L(*DispSection);
    GetCount = 0;
  }
  return Result;
}

// ------------------------------------------------------------ checks

uint32_t TSioBaseDispatcher::CharCountBefore(uint32_t Pos, uint32_t MatchLen) const
{
  // Bytes from the tail through Pos, less the match, less what the current
  // delivery has taken.
  const uint32_t Through = (Pos + InputRingSize - DBufTail) % InputRingSize + 1;
  uint32_t Before = Through > MatchLen ? Through - MatchLen : 0;
  if (InAvailMessage)
    Before = Before > GetCount ? Before - GetCount : 0;
  return Before;
}

bool TSioBaseDispatcher::CheckReceiveTriggers()
{
  uint32_t Head;
  uint32_t Pos;
  {
    TSectionLock L(*DispSection);
    if (!DBuffer)
      return false;
    Head = DBufHead;
    if (ExamineFromTail.exchange(false))
      LastTailData = DBufTail;
    // Bytes the readers took before they were examined are gone: start at
    // the tail then, never outside what the ring holds.
    const uint32_t Offset = (LastTailData + InputRingSize - DBufTail) % InputRingSize;
    if (Offset > InRingCount())
      LastTailData = DBufTail;
    Pos = LastTailData % InputRingSize;
  }

  struct Fired {
    uint32_t Handle;
    uint32_t Len;
  };
  std::vector<Fired> Matched;
  uint32_t MatchLen = 0;
  {
    TSectionLock L(*DataSection);
    while (Pos != Head) {
      const uint8_t C = static_cast<uint8_t>(DBuffer[Pos]);
      bool Any = false;
      for (auto& T : DataTriggers) {
        if (T->tLen == 0)
          continue;
        if (MatchString(T->tChkIndex, C, T->tLen, T->tData.data(), T->tIgnoreCase))
          T->tMatched = true;
        if (T->tMatched) {
          Any = true;
          MatchLen = std::max(MatchLen, T->tLen);
        }
      }
      if (Any) {
        for (auto It = DataTriggers.rbegin(); It != DataTriggers.rend(); ++It) {
          if (!(*It)->tMatched)
            continue;
          (*It)->tMatched = false;
          Matched.push_back({(*It)->tHandle, (*It)->tLen});
        }
        break;
      }
      Pos = (Pos + 1) % InputRingSize;
    }
  }

  if (!Matched.empty()) {
    bool Result = false;
    const uint32_t Len = LenTrigger;
    if (Len > 0 && Pos != NotifyTail) {
      uint32_t Before;
      {
        TSectionLock L(*DispSection);
        Before = CharCountBefore(Pos, MatchLen);
      }
      if (Before >= Len) {
        AddDispatchEntry(dtTrigger, dstAvail, Before, nullptr, 0);
        Result = SendNotify(TriggerAvailMsg, Before, 0);
        LastTailData = NotifyTail = Pos;
      }
    }
    for (const Fired& F : Matched) {
      AddDispatchEntry(dtTrigger, dstData, F.Handle, nullptr, 0);
      Result = SendNotify(TriggerDataMsg, F.Handle, F.Len);
      if (ClosePending)
        break;
    }
    LastTailData = (Pos + 1) % InputRingSize;
    return Result;
  }

  LastTailData = Pos;
  const uint32_t Available = InBuffUsed();
  const uint32_t Len = LenTrigger;
  if (Len > 0 && Pos != NotifyTail && Available >= Len) {
    AddDispatchEntry(dtTrigger, dstAvail, Available, nullptr, 0);
    NotifyTail = Pos;
    return SendNotify(TriggerAvailMsg, Available, 0);
  }
  return false;
}

bool TSioBaseDispatcher::CheckTimerTriggers()
{
  uint32_t Handle = 0;
  {
    TSectionLock L(*DataSection);
    for (auto& T : TimerTriggers) {
      if (T->tActive && TimerExpired(T->tET)) {
        T->tActive = false;
        Handle = T->tHandle;
        break;
      }
    }
  }
  if (Handle == 0)
    return false;
  AddDispatchEntry(dtTrigger, dstTimer, Handle, nullptr, 0);
  return SendNotify(TriggerTimerMsg, Handle, 0);
}

bool TSioBaseDispatcher::StatusConditionHolds(const TStatusTrigger& T, uint32_t& Data, uint32_t OutFree,
                                              uint32_t OutUsed)
{
  Data = 0;
  switch (T.tSType) {
  case StatusModem:
    return (((T.tValue & 0xFF) ^ ModemStatus) & (T.tValue >> 8)) != 0;
  case StatusLine:
    return (LastError.load() & T.tValue) != 0;
  case StatusOutFree:
    Data = OutFree;
    return OutFree >= T.tValue;
  case StatusOutUsed:
    Data = OutUsed;
    return OutUsed <= T.tValue;
  case StatusOutSent:
    return OutSentPending.exchange(false);
  default:
    return false;
  }
}

bool TSioBaseDispatcher::CheckStatusTriggers()
{
  bool NeedCounts = false;
  {
    TSectionLock L(*DataSection);
    for (const auto& T : StatusTriggers)
      if (T->tSActive && !T->StatusHit && (T->tSType == StatusOutFree || T->tSType == StatusOutUsed))
        NeedCounts = true;
  }
  // The output counts ask the device, which is done outside DataSection.
  uint32_t OutUsed = 0;
  uint32_t OutFree = 0;
  if (NeedCounts) {
    OutUsed = OutBuffUsed();
    OutFree = OutQue > OutUsed ? OutQue - OutUsed : 0;
  }
  uint32_t Handle = 0;
  uint32_t Data = 0;
  {
    TSectionLock L(*DataSection);
    for (auto& T : StatusTriggers) {
      if (!T->tSActive || T->StatusHit)
        continue;
      if (!StatusConditionHolds(*T, Data, OutFree, OutUsed))
        continue;
      T->tSActive = false;
      T->StatusHit = true;
      GlobalStatHit = true;
      Handle = T->tHandle;
      break;
    }
  }
  if (Handle == 0)
    return false;
  AddDispatchEntry(dtTrigger, dstStatus, Handle, nullptr, 0);
  return SendNotify(TriggerStatusMsg, Handle, Data);
}

void TSioBaseDispatcher::ResetStatusHits()
{
  TSectionLock L(*DataSection);
  for (auto& T : StatusTriggers)
    T->StatusHit = false;
  GlobalStatHit = false;
}

uint32_t TSioBaseDispatcher::TimerWaitMs(bool IgnoreTimers, uint32_t Longest)
{
  TSectionLock L(*DataSection);
  uint32_t Wait = INFINITE;
  if (!IgnoreTimers) {
    Wait = Longest;
    for (const auto& T : TimerTriggers)
      if (T->tActive)
        Wait = std::min(Wait, RemainingMilliseconds(T->tET));
  }
  PlannedWaitFrom = SioTimeGetTime();
  PlannedWait = Wait;
  return Wait;
}

bool TSioBaseDispatcher::SoonerThanPlanned(const EventTimer& ET) const
{
  if (PlannedWait == INFINITE)
    return true;
  const uint32_t Passed = SioTimeGetTime() - PlannedWaitFrom;
  const uint32_t Left = PlannedWait > Passed ? PlannedWait - Passed : 0;
  return RemainingMilliseconds(ET) < Left;
}
