#pragma once
// The data packet matcher: cuts instrument messages out of a port's byte
// stream.
//
// A TSioDataPacket waits for a start string (or takes any data), collects
// until an end string and/or a byte count, and delivers the collected bytes
// as OnPacket / OnStringPacket; a time-out ends a collection that takes too
// long. In patterns "?" matches any byte, "\?" a question mark, "\\" a
// backslash; with IgnoreCase a to z match their capitals.
//
// All packets bound to one port share one TSioDataPacketManager, which
// receives the port's bytes in the dispatch thread, keeps them in a buffer,
// offers each new byte to its packets, removes the bytes a packet consumed
// and fires time-outs. The manager's state is guarded by its own lock: the
// dispatch thread holds it while matching, the main thread while it enables,
// disables or rebinds packets. The main thread runs the events without it,
// so handlers may enable and disable packets, send on ports, flush buffers
// and close the port.
//
// The events run on the main thread (SyncEvents): the dispatch thread hands
// them over with a copy of the collected bytes, valid only during the event,
// and goes on reading without waiting for them; the manager defers all
// matching until the event has ended, so the bytes that arrive meanwhile
// wait for it as they would in the port's input buffer. A packet may be moved, freed (also by its own handler) or see
// its port close while one of its deliveries waits; the events of a freed packet do not run, and the delivery's end
// leaves a packet that is no longer its own alone.
#include "serial/SioBaseComponent.h"
#include "serial/SioDispatchTypes.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TSioCustomComPort;
class TSioBaseDispatcher;
class TSioDataPacketManager;
class TPacketLock;
class TMessageWindow;
struct TManagerToken;
enum TSioCallbackType : uint8_t;

enum TPacketStartCond : uint8_t { scString, scAnyData };
enum TPacketEndCond : uint8_t { ecString, ecPacketSize };
using TPacketEndSet = uint8_t; // bit 1 << TPacketEndCond
constexpr TPacketEndSet EndBit(TPacketEndCond C) { return TPacketEndSet(1u << C); }
enum TPacketMode : uint8_t { dpIdle, dpWaitStart, dpCollecting };

using TPacketNotifyEvent = std::function<void(TObject* Sender, const void* Data, int32_t Size)>;
using TStringPacketNotifyEvent = std::function<void(TObject* Sender, const AnsiString& Data)>;

class TSioDataPacket : public TSioBaseComponent {
public:
  explicit TSioDataPacket(TComponent* AOwner);
  ~TSioDataPacket() override;
  String ClassName() const override;
  void Loaded() override;

  // ---- published properties
  bool Enabled() const { return fEnabled; }
  // True validates the settings (EInvalidProperty) and starts matching once
  // the port is open; Enabled becomes true only if that succeeded. False,
  // outside the packet's own event, also drops an event of the packet that
  // is already on its way to the main thread: none arrives until the packet
  // is enabled again, and AutoEnable does not bring it back.
  void SetEnabled(bool Value);
  bool AutoEnable() const { return fAutoEnable; }
  void SetAutoEnable(bool Value);
  TPacketStartCond StartCond() const { return fStartCond; }
  void SetStartCond(TPacketStartCond Value);
  TPacketEndSet EndCond() const { return fEndCond; }
  void SetEndCond(TPacketEndSet Value);
  const AnsiString& StartString() const { return fStartString; }
  // Taken at the next enable.
  void SetStartString(const AnsiString& Value);
  const AnsiString& EndString() const { return fEndString; }
  void SetEndString(const AnsiString& Value);
  bool IgnoreCase() const { return fIgnoreCase; }
  void SetIgnoreCase(bool Value);
  TSioCustomComPort* ComPort() const { return fComPort; }
  void SetComPort(TSioCustomComPort* Value);
  int32_t PacketSize() const { return fPacketSize; }
  void SetPacketSize(int32_t Value);
  bool IncludeStrings() const { return fIncludeStrings; }
  void SetIncludeStrings(bool Value);
  int32_t TimeOut() const { return fTimeOut; }
  void SetTimeOut(int32_t Value);

  // ---- public properties
  int32_t EnableTimeout() const { return FEnableTimeout; }
  void SetEnableTimeout(int32_t Value);
  bool FlushOnTimeout() const { return FFlushOnTimeout; }
  void SetFlushOnTimeout(bool Value);
  bool SyncEvents() const { return FSyncEvents; }
  void SetSyncEvents(bool Value);
  TPacketMode PacketMode() const { return fMode; }
  TSioDataPacketManager* InternalManager() const { return fManager; }

  // The data of the packet's own event (delivery or time-out); empty outside it.
  void GetCollectedString(AnsiString& Data) const;
  void GetCollectedData(const void*& Data, int32_t& Size) const;
  // Enables the packet (AutoEnable off) and handles the thread's messages
  // until it delivers, times out, its port closes or a quit message comes.
  // True with the data when it delivered.
  bool WaitForString(AnsiString& Data);
  // The same; the bytes come as a copy, since the buffer they arrived in is
  // reused as soon as the event returns.
  bool WaitForPacket(AnsiString& Data);

  TPacketNotifyEvent OnPacket;
  TStringPacketNotifyEvent OnStringPacket;
  TNotifyEvent OnTimeout;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TSioDataPacketManager;
  enum class TEndedBy : uint8_t { SizeOrStart, EndString };

  // The manager's lock, for settings the dispatch thread reads while it matches.
  TPacketLock* ManagerLock() const;

  // SetEnabled without dropping an event on its way: a setting that needs
  // the patterns made afresh.
  void ApplyEnabled(bool Value);
  void Enable();
  // Enable without looking at the component state: the restart of a packet
  // that is enabled already (after an event, when another takes the
  // capture), which may run in the dispatch thread while the main thread
  // changes that state.
  void Restart();
  // Restart for the packets restarted together: one whose settings fail is
  // switched off and its failure shown, and the others go on.
  void RestartOrSwitchOff();
  void Disable();
  void Validate() const;
  void ProcessData(int32_t I);
  void Packet(TEndedBy EndedBy);
  // Takes the start string off the collected count when it is not to be
  // included; returns how many bytes it took.
  int32_t DropStartString();
  void TimedOut();
  void SetMode(TPacketMode M);
  void Log(TDispatchSubType Sub, const AnsiString& Data) const;
  void LogName(TDispatchSubType Sub) const;
  bool Matches(const AnsiString& Pattern, const AnsiString& Mask, int32_t Pos, uint8_t C) const;
  int32_t RetryStart(const AnsiString& Pattern, const AnsiString& Mask, int32_t From, int32_t I) const;
  // What became of a delivery: whether its events ran; whether the packet
  // is still alive and one of its manager's, so that the end of the delivery
  // may touch it (Own); and whether it is, and was not disabled from outside
  // meanwhile (NotDisabled).
  struct TDelivered {
    bool Ran = false;
    bool Own = false;
    bool NotDisabled = false;
  };
  // The end of a delivery or a time-out once its events have run, with the
  // manager's lock held: what became of the packet, the bytes to remove,
  // the manager's event state to leave.
  using TFinish = std::function<void(const TDelivered&)>;
  // Runs the events with Data as the collected bytes, then Finish. With
  // SyncEvents, called off the main thread (or from the end of an event
  // handed over so), both are handed to the main thread and this returns
  // at once: the manager stays in its event state until Finish has run
  // there, so nothing is matched meanwhile and the events of all packets
  // keep their order. Otherwise both run here. The events are dropped when
  // the packet is disabled or its port's input flushed after the call
  // starts (the caller holds the manager's lock, as it did when the data
  // was collected). True when handed over.
  bool DeliverEvents(bool TimeoutEvent, const AnsiString& Data, TFinish Finish);
  // After the events: whether Packet (Alive: a copy of its FAlive taken
  // before them) is still alive and still one of Mgr's, so that the end of
  // its delivery may touch it. Packet itself is not looked at.
  static bool StillIn(const TSioDataPacket* Packet, const std::atomic<bool>& Alive, const TSioDataPacketManager* Mgr);
  bool WaitFor(AnsiString& Data);

  TSioDataPacketManager* fManager = nullptr;
  TPacketStartCond fStartCond = scString;
  TPacketEndSet fEndCond = 0;
  AnsiString fStartString;
  AnsiString fEndString;
  TSioCustomComPort* fComPort = nullptr;
  TPacketMode fMode = dpIdle;
  int32_t fPacketSize = 0;
  int32_t fTimeOut = 2184;
  int32_t fDataSize = 0;
  int32_t fBeginMatch = -1;
  bool fAutoEnable = true;
  bool fIgnoreCase = true;
  bool fEnabled = false;
  bool fIncludeStrings = true;
  // The bytes of the event in progress (the event's own copy) and their count.
  const uint8_t* PacketBuffer = nullptr;
  int32_t StartMatchPos = 1;
  int32_t EndMatchPos = 1;
  int32_t EndMatchStart = 0;
  int32_t LocalPacketSize = 0;
  AnsiString WildStartString;
  AnsiString WildEndString;
  AnsiString InternalStartString;
  AnsiString InternalEndString;
  bool WillCollect = false;
  bool EnablePending = false;
  bool HaveCapture = false;
  bool FSyncEvents = true;
  // Counted up by a disable from outside the packet's own event and by a
  // flush of its port's input: an event whose data was collected before
  // either is not delivered.
  std::atomic<uint32_t> FDisableCount{0};
  std::atomic<uint32_t> FFlushCount{0};
  std::atomic<bool> FDataMatch{false};
  std::atomic<bool> FTimedOut{false};
  int32_t FEnableTimeout = 0;
  uint32_t FEnableTimer = 0;
  bool FFlushOnTimeout = true;
  // Written and read by the thread that runs the events.
  bool InOwnEvent = false;
  int32_t fCollectedSize = 0;
  // False from the moment the packet starts to go. A delivery whose events
  // wait for the main thread holds a copy: the events of a packet freed
  // meanwhile do not run, and the end of the delivery leaves it alone.
  std::shared_ptr<std::atomic<bool>> FAlive = std::make_shared<std::atomic<bool>>(true);
  bool Waiting = false;
  AnsiString WaitData;
};

// The packets of one port. Created when the first packet is bound to the
// port; frees itself (through its message window) when the last one leaves.
class TSioDataPacketManager : public TObject {
public:
  explicit TSioDataPacketManager(TSioCustomComPort* AComPort);
  ~TSioDataPacketManager() override;
  String ClassName() const override;

  void Insert(TSioDataPacket* Packet);
  void Remove(TSioDataPacket* Packet);
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool Value);
  void EnableIfPending();
  TSioCustomComPort* ComPort() const { return fComPort; }
  int32_t PacketCount() const { return static_cast<int32_t>(PacketList.size()); }
  // Bytes held; they are freed whenever no match is in progress.
  int32_t BytesHeld() const { return BufferPtr; }
  // An event is under way: nothing is matched until it has ended.
  bool InEvent() const { return fInEvent; }
  bool KeepAlive() const { return FKeepAlive; }
  void SetKeepAlive(bool Value) { FKeepAlive = Value; }

  // The port's open, closing and closed notifications.
  void PortOpenCloseEx(TObject* CP, TSioCallbackType CallbackType);
  // The port is being destroyed: its packets lose it and the manager goes.
  void PortGone();
  // The port's input was flushed: the bytes held go, every match in progress
  // restarts and the events still waiting for the main thread are dropped.
  void InputFlushed();
  // The dispatcher's notifications (dispatch thread): new bytes, timers.
  void PacketTriggerHandler(uint32_t Msg, uint32_t WParam, int32_t LParam);

  // The most bytes held for one collection; a longer one times out.
  static constexpr int32_t MaxHeldBytes = 256 * 1024;

private:
  friend class TSioDataPacket;
  friend class TSioDataPacketManagerList;

  void HandleTrigger(uint32_t Msg, uint32_t WParam, int32_t LParam);
  // Hands the events waiting in FHandOvers to the main thread; the calling
  // thread does not hold the manager's lock.
  void PostHandOvers();
  void NotifyData(int32_t NewStart);
  void RemoveData(int32_t Start, int32_t Size);
  void FreeBuffer();
  void EnterEvent();
  void LeaveEvent();
  bool AnyMatchInProgress() const;
  intptr_t WindowProc(uint32_t Msg, uintptr_t WParam, intptr_t LParam);
  void RequestRelease();

  std::vector<TSioDataPacket*> PacketList;
  TSioCustomComPort* fComPort = nullptr;
  TSioBaseDispatcher* Disp = nullptr; // the open port's dispatcher while enabled
  bool HandlerInstalled = false;
  bool fEnabled = false;
  int32_t BufferPtr = 0;
  int32_t fCurBfrOffset = 0;
  std::vector<uint8_t> fDataBuffer;
  TSioDataPacket* fCapture = nullptr;
  uint32_t Timer = 0;
  bool fInEvent = false;
  // The end of an event handed to the main thread is running there: events
  // found meanwhile are handed over too, behind it.
  bool FHandedOverEnd = false;
  // Counted up whenever the bytes held are dropped, so that the end of an
  // event removes only the bytes that were held when it began.
  uint32_t FBufferEpoch = 0;
  // Events for the main thread, handed over once the lock is let go.
  std::vector<std::function<void()>> FHandOvers;
  bool NotifyPending = false;
  int32_t NotifyStart = 0;
  bool EnablePending = false;
  bool FKeepAlive = false;
  bool ReleasePosted = false;
  std::unique_ptr<TPacketLock> Lock;
  // What the dispatcher calls: it lets the manager go only when no call is
  // under way, so a late notification never reaches a freed manager.
  std::shared_ptr<TManagerToken> Token;
  std::unique_ptr<TMessageWindow> FWindowHandle;
};

// Finds the manager of a port.
class TSioDataPacketManagerList {
public:
  TSioDataPacketManagerList();
  ~TSioDataPacketManagerList();
  void Insert(TSioDataPacketManager* Manager);
  void Remove(TSioDataPacketManager* Manager);
  TSioDataPacketManager* GetPortManager(TSioCustomComPort* ComPort) const;
  int32_t Count() const { return static_cast<int32_t>(ManagerList.size()); }

private:
  std::vector<TSioDataPacketManager*> ManagerList;
};

extern TSioDataPacketManagerList* PacketManagerList;
