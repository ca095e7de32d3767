#pragma once
// The dispatcher a port actually runs: TSioBaseDispatcher's device
// operations over the platform's serial device layer (the stand-in for the
// Win32 communications calls), with four worker threads per open port:
//
//  - read thread: blocks until the device has bytes (or a close or flush
//    wakes it), reads them in pieces of at most 256 bytes and queues them;
//  - status thread: blocks on the device's comm events (modem lines, line
//    errors, break) and queues them in order with the data;
//  - write thread: blocks until output must wait for the device, hands the
//    output ring to the device in one block per wake-up (output the device
//    takes at once, with nothing queued before it, the caller writes
//    itself);
//  - dispatch thread: takes the queued data and events into the input ring,
//    checks the triggers and delivers notifications; with nothing queued it
//    sleeps until the next timer trigger runs out, a second at most, so an
//    idle port costs one wake-up a second.
//
// A thread that meets a device error (a vanished device included) ends all
// four; its error is shown to the user once ("Device read error", "Device
// write error") and, when they have all gone, DispatcherWindow receives
// PortFailedMsg so the port can close itself.
//
// Closing from inside a trigger handler (on the dispatch thread, or on the
// main thread in a synchronised handler): the close stops the other three
// threads and the device at once and leaves the dispatch thread to end by
// itself when the handler returns; it releases the port then. The object
// stays alive until every thread has gone.
#include "serial/SioBaseDispatcher.h"

#include <memory>

class SerialDevice;
class TEvent;

// Posted to DispatcherWindow when the worker threads ended on an error;
// lParam = Handle << 16.
constexpr uint32_t PortFailedMsg = 0x7E0B;

class TSioWin32Dispatcher : public TSioBaseDispatcher {
public:
  explicit TSioWin32Dispatcher(TObject* AOwner);
  ~TSioWin32Dispatcher() override;
  String ClassName() const override;

  int32_t EscapeComFunction(int32_t Func) override;
  int32_t FlushCom(int32_t Queue) override;
  int32_t GetComError(TComStat& Stat) override;
  uint32_t GetComEventMask(int32_t EvtMask) override;
  int32_t GetComState(TDCB& ADCB) override;
  int32_t ReadCom(char* Buf, int32_t Size) override;
  int32_t SetComState(TDCB& ADCB) override;
  int32_t WriteCom(const char* Buf, int32_t Size) override;
  bool WaitComEvent(uint32_t& EvtMask) override;
  bool SetupCom(int32_t InSize, int32_t OutSize) override;
  void StartDispatcher() override;
  void StopDispatcher() override;
  uint32_t OutBufUsed() override;
  uint32_t InQueueUsed() override;
  int32_t OpenCom(const String& ComName, uint32_t InQueue, uint32_t OutQueue) override;
  int32_t CloseCom() override;
  bool CheckPort(const String& ComName) override;
  int32_t ProcessCommunications() override;
  void SetThreadBoost(uint8_t Boost) override;
  int32_t GetModemStatusWord(uint32_t& Status) override;

  // Why the device refused the last line settings (empty when it did not).
  String LastRefusal() const;
  // The window told when the threads end on an error.
  void SetDispatcherWindow(uint32_t Wnd) { fDispatcherWindow = Wnd; }
  // The threads ended because the device failed (not because of a close).
  bool Failed() const;

  // Runs Method on the main thread while the calling (dispatch) thread waits.
  void Sync(const std::function<void()>& Method);

  // The largest amount of received data queued between the read and the
  // dispatch thread; beyond it the read thread waits for the dispatch thread.
  static constexpr int32_t MaxQueuedBytes = 64 * 1024;

protected:
  void WakeDispatcher() override;
  void OutputQueued(uint32_t RingFill) override;
  int32_t OutputStatus(uint32_t& OutUsed) override;
  void UpdateThreadPriorities() override;

private:
  friend class TSioDispatcherThread;
  friend class TDispThread;
  friend class TSioWin32Thread;
  friend class TReadThread;
  friend class TWriteThread;
  friend class TStatusThread;

  // Ends every worker thread; with Error set the end is a failure.
  void KillAll(bool Error);
  // The common exit of every worker thread.
  void ThreadGone(TThread* Sender);
  void ThreadStart();
  // Waits (pumping the caller's messages) until Field is cleared or, with a
  // limit, until LimitMs have passed; false when the thread still runs.
  bool WaitThreadGone(TThread* const& Field, uint32_t LimitMs);
  // The same for every worker thread to have left ThreadGone.
  bool WaitThreadsLeft(uint32_t LimitMs);
  bool OnDispatchThread() const;
  void ProcessComEvent();
  void ProcessTimer();
  void RunStatusChecks();
  int32_t WriteSerial();
  // The write thread's pause between two device writes while output
  // gathers, after a block of Taken bytes; it ends early when EndGathering
  // is called.
  void GatherOutput(uint32_t Taken);
  void EndGathering();

  std::unique_ptr<SerialDevice> FDevice;
  std::unique_ptr<TEvent> FSerialEvent;
  std::unique_ptr<TEvent> ComEvent;
  std::unique_ptr<TEvent> ReadyEvent;
  std::unique_ptr<TEvent> GeneralEvent;
  std::unique_ptr<TEvent> OutputEvent;
  std::unique_ptr<TEvent> SentEvent;
  std::unique_ptr<TEvent> OutFlushEvent;
  std::unique_ptr<TEvent> QueueRoomEvent;
  std::atomic<uint32_t> DispThreadId{0};
  std::atomic<bool> FFailed{false};
  // The write thread has been woken and has not yet taken the ring.
  std::atomic<bool> FWritePending{false};
  // The write thread holds bytes taken from the ring, or pauses to gather
  // more (OutputSection): callers leave the device to it.
  bool FWriterBusy = false;
  // When the last block was queued, on the tick timers' millisecond clock
  // (OutputSection).
  uint32_t FLastBlockMs = 0;
  // The ring filled up since the write thread last took it, and the thread
  // has been told.
  std::atomic<bool> FFullTold{false};
  struct TGather;
  std::unique_ptr<TGather> FGather;
  int32_t FGatherUs = 200; // the write thread's alone
  std::atomic<bool> FailureShown{false};
  // "COM1" for "\\.\COM1": what the threads' names begin with.
  String FPortName;
};
