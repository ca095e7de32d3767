#pragma once
// The dispatcher a port actually runs: TSioBaseDispatcher's device
// operations over the platform's serial device layer (the stand-in for the
// Win32 communications calls), with three worker threads per open port:
//
//  - dispatch thread: sleeps until the device has bytes, a comm event is
//    queued, a timer trigger runs out (a second at most, so an idle port
//    costs one wake-up a second) or someone asks the triggers to be looked
//    at again; reads the bytes itself in pieces of at most 256 bytes, one
//    piece per pass, takes them and the queued events into the input ring
//    in arrival order, checks the triggers and delivers notifications. One
//    thread from the device to the handlers: a data string costs one
//    wake-up, not a hand-over from a reader to the dispatcher;
//  - status thread: blocks on the device's comm events (modem lines, line
//    errors, break) and queues them behind the bytes that arrived before
//    them, which it queues first;
//  - write thread: blocks until output must wait for the device, hands the
//    output ring to the device in one block per wake-up (output the device
//    takes at once, with nothing queued before it, the caller writes
//    itself).
//
// A thread that meets a device error (a vanished device included) ends all
// three; its error is shown to the user once ("Device read error", "Device
// write error") and, when they have all gone, DispatcherWindow receives
// PortFailedMsg so the port can close itself.
//
// Closing from inside a trigger handler (on the dispatch thread, or on the
// main thread in a synchronised handler): the close stops the other two
// threads and the device at once and leaves the dispatch thread to end by
// itself when the handler returns; it releases the port then. The object
// stays alive until every thread has gone.
#include "serial/SioBaseDispatcher.h"

#include <memory>

class SerialDevice;
class TCriticalSection;
class TDataBuffer;
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

  // The most received data held in the queue while the input ring is full
  // (or while comm events are queued before it); beyond it the device keeps
  // the bytes until the dispatch thread has made room.
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
  friend class TWriteThread;
  friend class TStatusThread;

  // Ends every worker thread; with Error set the end is a failure.
  void KillAll(bool Error);
  // A worker thread met device error Err: every thread ends, and the thread
  // exits with Code.
  int32_t DeviceFailed(uint32_t Err, int32_t Code);
  // Reads up to Pieces pieces of what the device holds into the queue,
  // stopping at a short piece or a full queue: the device's failure, else
  // success. More tells whether the last piece was whole (the device may
  // hold more). Under ReadSection.
  uint32_t ReadPiecesLocked(int32_t Pieces, bool& More);
  // The dispatch thread's read of one piece.
  uint32_t ReadPiece(bool& More);
  // The status thread's: the bytes before a comm event go into the queue
  // before it.
  void QueueStatus(uint32_t Events);
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
  std::unique_ptr<TEvent> ComEvent;
  std::unique_ptr<TEvent> ReadyEvent;
  std::unique_ptr<TEvent> GeneralEvent;
  std::unique_ptr<TEvent> OutputEvent;
  std::unique_ptr<TEvent> SentEvent;
  std::unique_ptr<TEvent> OutFlushEvent;
  // Held while bytes go from the device into the queue, so that the bytes
  // the status thread queues before an event and the dispatch thread's
  // pieces keep their order, and an input flush drops all or none of a
  // piece.
  std::unique_ptr<TCriticalSection> ReadSection;
  // The next piece's buffer, kept while reads find nothing (ReadSection).
  std::unique_ptr<TDataBuffer> FSpare;
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
