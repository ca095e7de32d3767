#pragma once
// The engine behind one open serial port.
//
// TSioBaseDispatcher owns the 8192-byte input ring that its dispatch thread
// fills from the device, the output ring its write thread drains, the
// triggers and notification handlers, the line state and the trace and
// dispatch log. It is device-neutral: everything that touches the device goes
// through the virtual device operations, which TSioWin32Dispatcher implements
// over the platform's serial device layer (and tests implement over a fake).
//
// Results are 0 (or a handle) for success and a negative library code
// (SioErrors.h) for failure; a failed operation changes nothing.
//
// Locks: DataSection (triggers, handlers, line state, trace, event-busy
// flags), OutputSection (output ring), DispSection (input ring). No operation
// holds two of them at once. PortListLock guards the process-wide table that
// maps a Handle (the high word of every notification's lParam) back to its
// dispatcher.
//
// A derived class must call ShutdownForDestroy() first thing in its
// destructor: closing the port needs the derived class's device operations.
#include "rtl/Object.h"
#include "serial/SioDispatchTypes.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class TCriticalSection;
class TEvent;
class TIOQueue;
class TThread;

class TSioBaseDispatcher : public TObject {
public:
  explicit TSioBaseDispatcher(TObject* AOwner);
  ~TSioBaseDispatcher() override;
  String ClassName() const override;

  // ---- properties
  TObject* Owner() const { return fOwner; }
  int32_t Handle() const { return fHandle; }
  int32_t ComHandle() const { return CidEx.load(); }
  uint32_t DispatcherWindow() const { return fDispatcherWindow.load(); }
  bool EventBusy() const { return fEventBusy.load(); }
  void SetEventBusy(bool Value);
  bool Active() const { return DispActive.load(); }
  TThread* DispThread() const { return fDispThread; }
  bool Logging() const { return DLoggingOn.load(); }
  bool ClosePendingSet() const { return ClosePending.load(); }
  int32_t LastWinError() const { return FLastWinError.load(); }
  uint32_t Flags() const;
  // The device path or port name the port set before opening; in the log header.
  String DeviceName;

  // ---- virtual device operations
  // 5/6 raise/lower DTR, 3/4 raise/lower RTS, 8/9 start/end a break.
  virtual int32_t EscapeComFunction(int32_t Func) = 0;
  // 0: discard pending output (ring and device); 1: pending input (device and
  // queued reads).
  virtual int32_t FlushCom(int32_t Queue) = 0;
  // Returns and clears the device error bits; Stat.OutQue is the ring fill.
  virtual int32_t GetComError(TComStat& Stat) = 0;
  virtual uint32_t GetComEventMask(int32_t EvtMask) = 0;
  // Reads the device's block into DCB: 0 or -1.
  virtual int32_t GetComState(TDCB& DCB) = 0;
  // Moves up to Size received bytes into Buf: the count, negative on failure.
  virtual int32_t ReadCom(char* Buf, int32_t Size) = 0;
  // Applies DCB: 0 or a negative code (the line settings the device refuses
  // are reported as ecBaudRate, ecByteSize or ecDefault).
  virtual int32_t SetComState(TDCB& DCB) = 0;
  // Hands Size bytes to the device side (room in the ring already checked;
  // called under OutputSection): the count accepted. What is not written
  // at once waits in the output ring, and the writer is woken by
  // OutputQueued once the lock is released.
  virtual int32_t WriteCom(const char* Buf, int32_t Size) = 0;
  virtual bool WaitComEvent(uint32_t& EvtMask) = 0;
  virtual bool SetupCom(int32_t InSize, int32_t OutSize) = 0;
  virtual void DonePortPrim();
  virtual void StartDispatcher() = 0;
  virtual void StopDispatcher() = 0;
  virtual uint32_t OutBufUsed() = 0;
  // Bytes ReadCom could deliver now.
  virtual uint32_t InQueueUsed();
  // The device handle, -8 for lack of memory, or another negative value
  // with the cause in SerialLastError().
  virtual int32_t OpenCom(const String& ComName, uint32_t InQueue, uint32_t OutQueue) = 0;
  // Ends the threads and closes the device: 0 or -1.
  virtual int32_t CloseCom() = 0;
  virtual bool CheckPort(const String& ComName) = 0;
  virtual int32_t ProcessCommunications() = 0;
  virtual void SetThreadBoost(uint8_t Boost);
  virtual void UpdateHandlerFlags(TApHandlerFlagUpdate FlagUpdate);
  // The modem status lines (bits 4 to 7) as the device reports them.
  virtual int32_t GetModemStatusWord(uint32_t& Status) = 0;

  // ---- opening and closing
  int32_t InitPort(const String& AComName, int32_t Baud, uint32_t Parity, TDatabits DataBits, TStopbits StopBits,
                   uint32_t InSize, uint32_t OutSize, uint32_t FlowOpts);
  int32_t SetCommBuffers(int32_t InSize, int32_t OutSize);
  void DonePort();

  // ---- input ring
  bool CharReady();
  // The Count-th byte waiting (1 = next), without taking it.
  int32_t PeekChar(char& C, uint32_t Count);
  int32_t GetChar(char& C);
  // All Len bytes or nothing: Len, or ecBufferIsEmpty when fewer are stored.
  int32_t PeekBlock(void* Block, uint32_t Len);
  int32_t GetBlock(void* Block, uint32_t Len);
  uint32_t InBuffUsed();
  uint32_t InBuffFree();
  int32_t FlushInBuffer();
  // Dispatch thread: moves what the device holds into the input ring. True
  // when data was waiting or the ring is full.
  bool ExtractData();

  // ---- output ring
  int32_t PutChar(char C);
  int32_t PutString(const AnsiString& S);
  // All or nothing: 0, ecOutputBufferTooSmall (nothing queued), ecPutBlockFail.
  int32_t PutBlock(const void* Block, uint32_t Len);
  uint32_t OutBuffUsed();
  uint32_t OutBuffFree();
  int32_t FlushOutBuffer();
  void BufferSizes(uint32_t& InSize, uint32_t& OutSize) const;

  // ---- user slots 1 to 3 and option flags
  int32_t SetDataPointer(void* P, uint32_t Index);
  int32_t GetDataPointer(void*& P, uint32_t Index) const;
  void OptionsOn(uint32_t Options);
  void OptionsOff(uint32_t Options);
  bool OptionsAreOn(uint32_t Options) const;

  // ---- the table of dispatchers
  static void LockPortList();
  static void UnlockPortList();
  // The dispatcher at Handle, or nullptr; call between LockPortList and
  // UnlockPortList.
  static TSioBaseDispatcher* PortListEntry(int32_t Handle);

  // ---- triggers and handlers (SioTriggers.cpp)
  int32_t ChangeLengthTrigger(uint32_t Length);
  int32_t AddTimerTrigger();
  int32_t AddDataTriggerLen(const char* Data, bool IgnoreCase, uint32_t Len);
  int32_t AddDataTrigger(const char* Data, bool IgnoreCase);
  int32_t AddStatusTrigger(uint32_t SType);
  int32_t RemoveTrigger(uint32_t TriggerHandle);
  int32_t SetTimerTrigger(uint32_t TriggerHandle, int32_t Ticks, bool Activate);
  int32_t ExtendTimer(uint32_t TriggerHandle, int32_t Ticks);
  int32_t TimerTicksRemaining(uint32_t TriggerHandle, int32_t& TicksRemaining);
  int32_t SetStatusTrigger(uint32_t TriggerHandle, uint32_t Value, bool Activate);
  // Finds the trigger; with Delete it is removed and Trigger stays nullptr.
  int32_t FindTriggerFromHandle(uint32_t TriggerHandle, bool Delete, TTriggerType& T, void*& Trigger);
  void RemoveAllTriggers();
  void SaveTriggers(TTriggerSave& Save);
  void RestoreTriggers(const TTriggerSave& Save);
  // From the next pass on, the data triggers look at every byte still
  // unread in the input ring again: triggers brought back as the port opens
  // come after its threads, which may already have taken bytes in.
  void ExamineUnreadInput();
  static void ClearSaveBuffers(TTriggerSave& Save);
  int32_t RegisterWndTriggerHandler(uint32_t HW);
  int32_t RegisterProcTriggerHandler(TSioNotifyProc NP);
  int32_t RegisterEventTriggerHandler(const TSioNotifyEvent& NP);
  int32_t RegisterSyncEventTriggerHandler(const TSioNotifyEvent& NP);
  int32_t DeregisterWndTriggerHandler(uint32_t HW);
  int32_t DeregisterProcTriggerHandler(TSioNotifyProc NP);
  int32_t DeregisterEventTriggerHandler(const TMethod& NP);
  void SetEventBusy(bool& WasOn, bool SetOn);
  static uint32_t ClassifyStatusTrigger(uint32_t TriggerHandle) { return TriggerHandle & 7; }
  uint32_t LenTriggerValue() const;
  bool HandlerServiceNeededValue() const { return HandlerServiceNeeded.load(); }
  bool PortHandlerInstalledValue() const { return PortHandlerInstalled.load(); }

  // Dispatch thread: the checks and the delivery. Each check returns the
  // result of the notification it sent, false when it sent none.
  bool SendNotify(uint32_t Msg, uint32_t Trigger, uint32_t Data);
  bool CheckReceiveTriggers();
  bool CheckTimerTriggers();
  bool CheckStatusTriggers();
  void ResetStatusHits();
  bool GlobalStatusHit() const { return GlobalStatHit; }
  // Milliseconds until the first active timer trigger runs out (0 when one
  // has), at most Longest; INFINITE when IgnoreTimers is set: how long the
  // dispatch thread sleeps when nothing arrives. Remembered, so that a timer
  // set meanwhile wakes it only when it runs out sooner.
  uint32_t TimerWaitMs(bool IgnoreTimers = false, uint32_t Longest = 0xFFFFFFFFu);

  // ---- line settings, flow control and modem status (SioLineSettings.cpp)
  int32_t SetLine(int32_t Baud, uint32_t Parity, TDatabits DataBits, TStopbits StopBits);
  int32_t ChangeBaud(int32_t NewBaud);
  int32_t GetLine(int32_t& Baud, uint16_t& Parity, TDatabits& DataBits, TStopbits& StopBits);
  void WaitTxSent();
  int32_t SetCommStateFix(TDCB& ADCB);
  int32_t SetDtr(bool OnOff);
  int32_t SetRts(bool OnOff);
  int32_t SetModem(bool DTR, bool RTS);
  uint8_t GetModemStatusPrim(uint8_t ClearMask);
  uint8_t GetModemStatus();
  bool CheckCTS();
  bool CheckDSR();
  bool CheckRI();
  bool CheckDCD();
  bool CheckDeltaCTS();
  bool CheckDeltaDSR();
  bool CheckDeltaRI();
  bool CheckDeltaDCD();
  void MapEventsToMS(uint32_t EventMask);
  void RefreshStatus();
  int32_t GetLineError();
  bool CheckLineBreak();
  void SendBreak(uint32_t Ticks, bool Yield);
  void SetBreak(bool BreakOn);
  int32_t HWFlowOptions(uint32_t BufferFull, uint32_t BufferResume, uint32_t Options);
  int32_t HWFlowState();
  int32_t SWFlowEnable(uint32_t BufferFull, uint32_t BufferResume, uint32_t Options);
  int32_t SWFlowDisable();
  int32_t SWFlowState();
  int32_t SWFlowChars(char OnChar, char OffChar);
  int32_t GetFlowOptions(uint32_t& HWOpts, uint32_t& SWOpts, uint32_t& BufferFull, uint32_t& BufferResume, char& OnChar,
                         char& OffChar);
  void SetRS485Mode(bool OnOff);
  bool RS485ModeValue() const;
  void SetBaseAddress(uint16_t Value);
  uint16_t GetBaseAddress() const;
  // Translates the legacy rate codes a device block may hold.
  static int32_t ActualBaud(int32_t BaudCode);
  // The library's code for line settings Asked that the device refused while
  // it ran Current: ecBaudRate when the rate is the change (or no rate),
  // ecByteSize when the data bits are, otherwise ecDefault.
  static int32_t RefusedLineCode(const TDCB& Current, const TDCB& Asked);
  uint32_t LastErrorBits() const { return LastError.load(); }
  uint8_t ModemStatusValue() const;
  int32_t LastBaudValue() const;
  const TDCB& CachedDCB() const { return DCB; }

  // ---- trace and dispatch log (SioTrace.cpp)
  int32_t InitTracing(uint32_t NumEntries);
  void StartTracing();
  void StopTracing();
  int32_t ClearTracing();
  void AbortTracing();
  void AddTraceEntry(char CurEntry, char CurCh);
  bool TracingActive() const { return TracingOn.load(); }
  void InitDispatchLogging(uint32_t QueueSize);
  void StartDispatchLogging();
  void StopDispatchLogging();
  void ClearDispatchLogging();
  void AbortDispatchLogging();
  void AddDispatchEntry(TDispatchType DT, TDispatchSubType DST, uint32_t Data, const void* Buffer, uint32_t BufferLen);
  void AddStringToLog(const AnsiString& S);
  uint32_t GetDispatchTime() const;
  // Write the trace or the dispatch log to FName (creating or replacing it;
  // the Append forms add to an existing file). InHex shows the bytes that are
  // not printable as hexadecimal codes rather than decimal ones, AllHex shows
  // every byte so. The trace is emptied and goes on; the log is emptied.
  // 0, or minus the run-time I/O error code of the file operation.
  int32_t DumpTrace(const String& FName, bool InHex, bool AllHex);
  int32_t AppendTrace(const String& FName, bool InHex, bool AllHex);
  int32_t DumpDispatchLog(const String& FName, bool InHex, bool AllHex);
  int32_t AppendDispatchLog(const String& FName, bool InHex, bool AllHex);
  // Entries waiting in the dispatch log.
  int32_t DispatchLogCount() const;

  // ---- a thread waiting for received bytes outside the triggers (the
  // port's string waits): while set, every read from the device signals the
  // waiter and wakes the main thread's message waits.
  void SetDataWaiter(bool On);
  // True when bytes were read since the last call, or arrive within Ms.
  bool WaitDataArrived(uint32_t Ms);

protected:
  // Closes the port for destruction and waits for the worker threads; the
  // derived destructor calls it before its own members go.
  void ShutdownForDestroy();
  // Wakes the dispatch thread so it looks at its triggers again (a timer was
  // set, output was queued, a close is pending); a no-op without threads.
  virtual void WakeDispatcher() {}
  // PutBlock queued output with WriteCom and has left OutputSection, with
  // about RingFill (> 0) bytes now waiting in the ring: the device side
  // should start sending.
  // Woken outside the lock, the writer does not run into the lock its waker
  // still holds.
  virtual void OutputQueued(uint32_t RingFill) { (void)RingFill; }
  // For OutBuffUsed: the device's error bits (taken, as GetComError takes
  // them) and the output waiting in the ring. The default asks GetComError
  // and keeps its counts in ComStatus.
  virtual int32_t OutputStatus(uint32_t& OutUsed);
  // Whether any status trigger exists. Output moving in or out of the ring
  // matters to the dispatch thread only then; without one, waking it for
  // every block queued or written would cost two thread switches a block.
  bool HasStatusTriggers();
  // Sleeps the calling thread (the output drain before a line change).
  virtual void SleepMilliseconds(uint32_t Ms);
  // The RS485 mode or the thread boost changed: the worker threads'
  // priorities follow.
  virtual void UpdateThreadPriorities() {}

  // Output ring helpers for WriteCom and the write thread, under OutputSection.
  uint32_t OutRingFill() const;
  void CopyIntoOutRing(const char* Buf, uint32_t Len);
  // Takes everything queued out of the ring, leaving it empty.
  AnsiString TakeOutRing();
  void EmptyOutRing();

  uint32_t InRingCount() const; // under DispSection

  // A notification's method handlers on the main thread.
  virtual void SyncCall(const std::function<void()>& Call);
  void SetGlobalStatHit(bool Value) { GlobalStatHit = Value; }

  TObject* fOwner;
  int32_t fHandle = -1;
  std::atomic<int32_t> CidEx{-1};
  std::atomic<uint32_t> LastError{0};
  uint32_t InQue = 0;
  uint32_t OutQue = 0;
  uint8_t ModemStatus = 0;
  TComStat ComStatus;
  TDCB DCB;
  int32_t LastBaud = 0;
  std::atomic<uint32_t> FFlags{0};
  bool DTRState = true;
  bool DTRAuto = false;
  bool RTSState = true;
  bool RTSAuto = false;
  std::atomic<uint32_t> fDispatcherWindow{0};
  bool RS485Mode = false;
  uint16_t BaseAddress = 0;
  std::atomic<bool> PortHandlerInstalled{false};
  std::atomic<bool> HandlerServiceNeeded{false};
  std::atomic<bool> RingFlag{false};
  // The next trigger pass starts at the input ring's tail (ExamineUnreadInput).
  std::atomic<bool> ExamineFromTail{false};
  // The device said it has no modem lines to report (until the next open).
  std::atomic<bool> ModemStatusUnsupported{false};

  std::atomic<bool> KillThreads{false};
  std::atomic<bool> DispActive{false};
  std::atomic<bool> DoDonePortPrim{false};
  std::atomic<bool> ClosePending{false};
  std::atomic<bool> fEventBusy{false};
  std::atomic<bool> DeletePending{false};
  std::atomic<bool> OutSentPending{false};
  std::atomic<bool> CloseComActive{false};
  std::atomic<int32_t> ActiveThreads{0};
  std::atomic<int32_t> FLastWinError{0};
  uint8_t ThreadBoost = 0;
  TThread* fDispThread = nullptr;
  TThread* OutThread = nullptr;
  TThread* StatusThread = nullptr;
  uint32_t CurrentEvent = 0;

  std::unique_ptr<TCriticalSection> DataSection;
  std::unique_ptr<TCriticalSection> OutputSection;
  std::unique_ptr<TCriticalSection> DispSection;
  // The dispatch log's own lock: entries come from every thread, some of
  // them holding one of the sections above.
  std::unique_ptr<TCriticalSection> LogSection;
  std::unique_ptr<TIOQueue> FQueue;
  std::unique_ptr<TIOQueue> DLoggingQueue;
  std::atomic<bool> DataWaiter{false};
  std::unique_ptr<TEvent> DataArrived;

  // Output ring (OutputSection).
  std::unique_ptr<char[]> OBuffer;
  uint32_t OBufHead = 0;
  uint32_t OBufTail = 0;
  bool OBufFull = false;

  // Input ring (DispSection).
  std::unique_ptr<char[]> DBuffer;
  uint32_t DBufHead = 0;
  uint32_t DBufTail = 0;
  bool DispatchFull = false;
  bool InAvailMessage = false;
  // The ring was flushed during the notification being delivered: the
  // handlers still to read in it find nothing (the bytes were received
  // before the flush), though the tail moves only when it ends. Cleared
  // when new bytes come in.
  bool FlushedInNotice = false;
  uint32_t GetCount = 0;
  uint32_t MaxGetCount = 0;

  uint32_t TimeBase = 0;

private:
  struct TWndTriggerHandler;
  struct TProcTriggerHandler;
  struct TEventTriggerHandler;

  uint32_t GetTriggerHandle();
  int32_t AddDataTriggerLenPrim(const char* Data, bool IgnoreCase, uint32_t Len);
  int32_t RegisterMethodHandler(const TSioNotifyEvent& NP, bool Sync);
  // The trigger of the handle when it is of kind Kind, else nullptr.
  void* TriggerOfKind(uint32_t TriggerHandle, TTriggerType Kind);
  void FreeDeletedHandlers();
  bool HandlerNeedLocked() const;
  uint32_t CharCountBefore(uint32_t Pos, uint32_t MatchLen) const;
  // Under DataSection: whether ET runs out before the dispatch thread's
  // planned wake-up (TimerWaitMs).
  bool SoonerThanPlanned(const EventTimer& ET) const;
  int32_t PeekCharPrim(char& C, uint32_t Count);
  int32_t PeekBlockPrim(char* Block, uint32_t Offset, uint32_t Len, uint32_t& NewTail);
  void TraceBytes(char Kind, const char* Bytes, uint32_t Len);
  int32_t WriteTrace(const String& FName, bool InHex, bool AllHex, bool AppendToFile);
  int32_t WriteDispatchLog(const String& FName, bool InHex, bool AllHex, bool AppendToFile);
  bool StatusConditionHolds(const TStatusTrigger& T, uint32_t& Data, uint32_t OutFree, uint32_t OutUsed);
  int32_t SetLineDCBChecked(TDCB& ADCB);

  std::vector<std::unique_ptr<TWndTriggerHandler>> WndTriggerHandlers;
  std::vector<std::unique_ptr<TProcTriggerHandler>> ProcTriggerHandlers;
  std::vector<std::unique_ptr<TEventTriggerHandler>> EventTriggerHandlers;
  std::vector<std::unique_ptr<TTimerTrigger>> TimerTriggers;
  std::vector<std::unique_ptr<TDataTrigger>> DataTriggers;
  std::vector<std::unique_ptr<TStatusTrigger>> StatusTriggers;
  uint32_t LastTailData = 0;
  std::atomic<uint32_t> LenTrigger{0};
  bool GlobalStatHit = false;
  uint32_t NotifyTail = 0;
  uint32_t TriggerCounter = 1;
  // The dispatch thread's last planned sleep: PlannedWait ms (INFINITE: no
  // limit) from PlannedWaitFrom on the tick clock (DataSection).
  uint32_t PlannedWaitFrom = 0;
  uint32_t PlannedWait = 0xFFFFFFFFu;
  void* DataPointers[3] = {nullptr, nullptr, nullptr};

  // Trace ring and dispatch log (DataSection).
  std::atomic<bool> TracingOn{false};
  std::unique_ptr<uint8_t[]> TraceQueue; // pairs of (kind, byte)
  uint32_t TraceIndex = 0;
  uint32_t TraceMax = 0;
  bool TraceWrapped = false;
  std::atomic<bool> DLoggingOn{false};
  uint32_t DLoggingMax = 0;
  // Weight of the logged entries: their bytes plus a fixed share per entry,
  // so that entries without bytes count against the limit too.
  uint64_t DLoggingWeight = 0;

  bool ShutDown = false;
};
