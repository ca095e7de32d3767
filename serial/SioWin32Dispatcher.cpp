#include "serial/SioWin32Dispatcher.h"

#include "platform/Application.h"
#include "platform/Component.h"
#include "platform/Messages.h"
#include "platform/SerialDevice.h"
#include "platform/SyncObjs.h"
#include "platform/Thread.h"
#include "rtl/Exceptions.h"
#include "rtl/ScopeGuard.h"
#include "serial/IOQueue.h"
#include "serial/SectionLock.h"
#include "serial/SioErrors.h"
#include "serial/SioExceptions.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>

namespace {

constexpr int32_t PieceSize = 256;
constexpr uint32_t ThreadStartWaitMs = 3000;
constexpr uint32_t FlushWaitMs = 5000;
// After handing a block to the device the write thread lets output gather
// for a pause before it takes the ring again. A port sending now and then
// does not involve it at all (the sender writes to the device itself); one
// sending block after block (an output port at full rate) has them written
// in one device write per pause rather than one write and two thread
// switches per block, and the sender never has to wake the writer. The pause follows the
// rate, so that a take holds a quarter to a half of the ring: half as long
// after a bigger block, twice as long after a smaller one, within these
// bounds (the longest is half a character time at 9600 baud). Should the
// ring fill to three quarters within a pause all the same, the sender ends
// it.
constexpr int32_t MinGatherUs = 50;
constexpr int32_t MaxGatherUs = 500;
// A block queued this long after the one before it (more than a
// millisecond, on a clock that counts whole ones) is written by the caller
// when it can be: a port sending now and then pays a system call per block
// and no thread switch; one sending more often has its blocks gathered by
// the write thread.
constexpr uint32_t DirectWriteGapMs = 2;
// The longest the dispatch thread sleeps with nothing arriving. A timer set
// meanwhile that runs out later than its planned wake-up need not wake it:
// a packet's collection time-out (seconds), armed and stopped for every
// data string by whichever thread handles the string, then costs nothing;
// an idle port costs one look a second.
constexpr uint32_t IdleLookMs = 1000;
// How long a close waits for each of the write and status threads; they
// end as soon as the device is closed, so this only bounds a fault.
constexpr uint32_t WorkerEndWaitMs = 5000;
constexpr uint32_t DispatchEndWaitMs = 36 * TickMilliseconds;

// The comm events the status thread waits for (the dispatch thread watches
// the device for received bytes itself): CTS, DSR, DCD, break, line errors
// and ring.
constexpr uint32_t StatusEventMask =
    CommEvent::Cts | CommEvent::Dsr | CommEvent::Rlsd | CommEvent::Break | CommEvent::Err | CommEvent::Ring;
constexpr uint32_t QueuedEvents = 0x21F8;
constexpr uint32_t RingEvents = 0x2100;
constexpr uint32_t ModemEvents = 0x2138;

int32_t SysCode(uint32_t Err) { return -static_cast<int32_t>(Err); }

uint32_t NowMs()
{
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
          .count());
}

} // namespace

// ------------------------------------------------------------ threads

class TSioDispatcherThread : public TThread {
public:
  explicit TSioDispatcherThread(TSioWin32Dispatcher* AH) : H(AH) { SetFreeOnTerminate(true); }

protected:
  // A device failure ends every thread; the first one to see it reports it.
  int32_t Fail(uint32_t Err, int32_t Code) { return H->DeviceFailed(Err, Code); }

  TSioWin32Dispatcher* H;
};

class TDispThread : public TSioDispatcherThread {
public:
  using TSioDispatcherThread::TSioDispatcherThread;
  String ClassName() const override { return QStringLiteral("TDispThread"); }

protected:
  void Execute() override;
};

class TSioWin32Thread : public TSioDispatcherThread {
public:
  using TSioDispatcherThread::TSioDispatcherThread;

protected:
  SerialDevice& Device() { return *H->FDevice; }
  bool KillThreads() const { return H->KillThreads.load(); }
};

class TWriteThread : public TSioWin32Thread {
public:
  using TSioWin32Thread::TSioWin32Thread;
  String ClassName() const override { return QStringLiteral("TWriteThread"); }

protected:
  void Execute() override;
};

class TStatusThread : public TSioWin32Thread {
public:
  using TSioWin32Thread::TSioWin32Thread;
  String ClassName() const override { return QStringLiteral("TStatusThread"); }

protected:
  void Execute() override;
};

void TStatusThread::Execute()
{
  H->ThreadStart();
  int32_t Code = 0;
  try {
    uint32_t R = Device().SetEventMask(StatusEventMask);
    while (R == SysErr::Success && !Terminated() && !KillThreads()) {
      uint32_t Events = 0;
      R = Device().WaitEvent(Events, -1);
      if (KillThreads())
        break;
      if (R == SysErr::Timeout)
        R = SysErr::Success;
      if (R == SysErr::Success && (Events & QueuedEvents) != 0)
        H->QueueStatus(Events);
    }
    if (R != SysErr::Success && R != SysErr::InvalidHandle && !KillThreads())
      Code = Fail(R, ecDeviceRead);
  } catch (const EOutOfMemory&) {
    Code = Fail(SysErr::NotEnoughMemory, ecTapiNoMem);
  } catch (const std::bad_alloc&) {
    Code = Fail(SysErr::NotEnoughMemory, ecTapiNoMem);
  }
  SetReturnValue(Code);
  H->ThreadGone(this);
}

void TWriteThread::Execute()
{
  H->ThreadStart();
  int32_t Code = 0;
  while (!Terminated() && !KillThreads()) {
    const TWaitTwoResult W = WaitForTwo(*H->OutputEvent, *H->OutFlushEvent, INFINITE);
    if (KillThreads())
      break;
    if (W == wtSecond) {
      H->GeneralEvent->SetEvent(); // the flush handshake
      continue;
    }
    if (W == wtFirst && H->WriteSerial() != 0) {
      Code = Fail(static_cast<uint32_t>(H->FLastWinError.load()), ecDeviceWrite);
      break;
    }
  }
  SetReturnValue(Code);
  H->ThreadGone(this);
}

void TDispThread::Execute()
{
  ++H->ActiveThreads;
  H->DispThreadId = GetCurrentThreadId();
  H->GeneralEvent->SetEvent();
  int32_t Code = 0;
  try {
    // The last piece read was whole: the device may hold more, to be read
    // without waiting first.
    bool More = false;
    for (;;) {
      const bool Busy = H->fEventBusy || H->ClosePending;
      const uint32_t Wait = H->TimerWaitMs(Busy, IdleLookMs);
      const bool RingFull = H->InBuffFree() == 0;
      // The queue holds what the input ring cannot take yet, up to a limit;
      // beyond it the device keeps the bytes.
      const bool Room = H->FQueue->BytesQueued() < TSioWin32Dispatcher::MaxQueuedBytes;
      bool Readable = More;
      uint32_t R = SysErr::Success;
      // Queued events or bytes are taken at once, unless the ring is full:
      // then only a reader making room (or bytes to queue) ends the wait.
      // Otherwise sleep until bytes arrive, an event is queued, a timer
      // trigger runs out, someone asks the triggers to be looked at again,
      // or for a second.
      if (RingFull || (H->FQueue->Count() == 0 && !(More && Room)))
        R = H->FDevice->WaitInputOrWake(Wait == INFINITE ? -1 : static_cast<int32_t>(Wait), Room, Readable);
      if (H->KillThreads)
        break;
      if (R == SysErr::Success && Readable && Room)
        R = H->ReadPiece(More);
      if (R == SysErr::InvalidHandle)
        break; // closed under the thread: the close is under way
      if (R != SysErr::Success && R != SysErr::Timeout && R != SysErr::OperationAborted) {
        Code = Fail(R, R == SysErr::NotEnoughMemory ? ecTapiNoMem : ecDeviceRead);
        break;
      }
      H->ProcessComEvent();
      H->ProcessTimer();
      if (H->KillThreads || H->ClosePending)
        break;
    }
    if (!H->KillThreads)
      H->GeneralEvent->SetEvent();
  } catch (const std::exception& E) {
    HandleApplicationException(E);
    H->KillAll(true);
  }
  SetReturnValue(Code);
  H->DoDonePortPrim = H->ClosePending || H->KillThreads;
  H->ThreadGone(this);
}

// ------------------------------------------------------------ the dispatcher

TSioWin32Dispatcher::TSioWin32Dispatcher(TObject* AOwner)
    : TSioBaseDispatcher(AOwner), FDevice(std::make_unique<SerialDevice>()),
      ComEvent(std::make_unique<TEvent>(false, false)), ReadyEvent(std::make_unique<TEvent>(false, false)),
      GeneralEvent(std::make_unique<TEvent>(false, false)), OutputEvent(std::make_unique<TEvent>(false, false)),
      SentEvent(std::make_unique<TEvent>(true, false)), OutFlushEvent(std::make_unique<TEvent>(false, false)),
      ReadSection(std::make_unique<TCriticalSection>()), FGather(std::make_unique<TGather>())
{
}

TSioWin32Dispatcher::~TSioWin32Dispatcher() { ShutdownForDestroy(); }

String TSioWin32Dispatcher::ClassName() const { return QStringLiteral("TSioWin32Dispatcher"); }

String TSioWin32Dispatcher::LastRefusal() const { return FDevice->LastRefusal(); }

bool TSioWin32Dispatcher::Failed() const { return FFailed.load(); }

void TSioWin32Dispatcher::Sync(const std::function<void()>& Method) { TThread::Synchronize(Method); }

void TSioWin32Dispatcher::WakeDispatcher() { FDevice->WakeInputWait(); }

bool TSioWin32Dispatcher::OnDispatchThread() const
{
  return DispThreadId.load() != 0 && DispThreadId.load() == GetCurrentThreadId();
}

int32_t TSioWin32Dispatcher::EscapeComFunction(int32_t Func)
{
  const uint32_t R = FDevice->LineFunction(static_cast<uint32_t>(Func));
  return R == SysErr::Success ? 0 : SysCode(R);
}

int32_t TSioWin32Dispatcher::FlushCom(int32_t Queue)
{
  if (Queue == 0) {
    {
      TSectionLock L(*OutputSection);
      EmptyOutRing();
    }
    const uint32_t R = FDevice->Purge(PurgeFlag::TxAbort | PurgeFlag::TxClear);
    bool Writer;
    {
      TSectionLock L(*DataSection);
      Writer = OutThread != nullptr;
    }
    if (!Writer)
      return 0;
    // The write thread drops the rest of the block it is writing and answers.
    GeneralEvent->ResetEvent();
    OutFlushEvent->SetEvent();
    EndGathering();
    GeneralEvent->WaitFor(FlushWaitMs);
    return R == SysErr::Success ? 1 : 0;
  }
  uint32_t R;
  {
    // A piece read before the purge must not be queued after the clear.
    TSectionLock L(*ReadSection);
    R = FDevice->Purge(PurgeFlag::RxAbort | PurgeFlag::RxClear);
    FQueue->Clear();
  }
  return R == SysErr::Success ? 1 : 0;
}

int32_t TSioWin32Dispatcher::GetComError(TComStat& Stat)
{
  uint32_t Errors = 0;
  TComStat Device;
  if (FDevice->ClearError(Errors, &Device) == SysErr::Success) {
    Stat = Device;
  } else {
    Stat = TComStat();
    Errors = 0;
  }
  Stat.OutQue = OutBufUsed();
  return static_cast<int32_t>(Errors);
}

// The output count is the ring's; only the error bits need the device.
// Asked before every telegram, this spares the queue counts of the full
// GetComError, two calls into the kernel that contend with the write
// thread for the terminal. Whoever reads ComStatus refreshes it first.
int32_t TSioWin32Dispatcher::OutputStatus(uint32_t& OutUsed)
{
  uint32_t Errors = 0;
  if (FDevice->ClearError(Errors, nullptr) != SysErr::Success)
    Errors = 0;
  OutUsed = OutBufUsed();
  return static_cast<int32_t>(Errors);
}

uint32_t TSioWin32Dispatcher::GetComEventMask(int32_t) { return 0; }

int32_t TSioWin32Dispatcher::GetComState(TDCB& ADCB) { return FDevice->GetState(ADCB) == SysErr::Success ? 0 : -1; }

int32_t TSioWin32Dispatcher::ReadCom(char* Buf, int32_t Size)
{
  int32_t Left = Size;
  while (Left > 0) {
    TIOBuffer* B = FQueue->Peek();
    if (!B)
      break;
    auto* Data = dynamic_cast<TDataBuffer*>(B);
    if (!Data) {
      // A comm event first: the event pass takes it before the data behind it.
      B->FInUse = false;
      break;
    }
    const int32_t N = std::min(Left, Data->FDataUsed - Data->FDataRead);
    std::copy_n(Data->Data() + Data->FDataRead, N, Buf + (Size - Left));
    Data->FDataRead += N;
    Left -= N;
    if (Data->FDataRead >= Data->FDataUsed)
      FQueue->Pop();
    else
      Data->FInUse = false;
  }
  return Size - Left;
}

int32_t TSioWin32Dispatcher::SetComState(TDCB& ADCB)
{
  TDCB Current;
  const bool Known = FDevice->GetState(Current) == SysErr::Success;
  const uint32_t R = FDevice->SetState(ADCB);
  if (R == SysErr::Success)
    return 0;
  if (R != SysErr::InvalidParameter)
    return SysCode(R);
  // What the device cannot do is reported as the setting it refused, with
  // its reason in the dispatch log.
  const AnsiString Why = FDevice->LastRefusal().toLatin1();
  AddDispatchEntry(dtError, dstLineStatus, R, Why.constData(), static_cast<uint32_t>(Why.size()));
  return RefusedLineCode(Known ? Current : ADCB, ADCB);
}

int32_t TSioWin32Dispatcher::WriteCom(const char* Buf, int32_t Size)
{
  // With the threads ending (a device that failed, a close under way) no
  // writer would take the bytes: they are refused rather than lost unseen.
  if (Size <= 0 || KillThreads)
    return 0;
  TSectionLock L(*OutputSection);
  // With nothing queued before them, the writer idle and the last block
  // some time ago, the bytes go to the device at once, as far as it takes
  // them without waiting: a telegram now and then costs no thread switch.
  // Behind queued output, while the writer writes or gathers, or close
  // behind the last block (a port sending at full rate), they join the
  // ring, so that bytes keep their order and go out in large writes rather
  // than one system call each. A device that refuses them leaves them to
  // the writer, which waits for it or reports its failure.
  const uint32_t Now = TimeGetTime();
  const bool Quiet = Now - FLastBlockMs >= DirectWriteGapMs;
  FLastBlockMs = Now;
  uint32_t Done = 0;
  if (Quiet && !FWriterBusy && OutRingFill() == 0) {
    uint32_t Sent = 0;
    if (FDevice->Write(Buf, static_cast<uint32_t>(Size), Sent) == SysErr::Success)
      Done = std::min(Sent, static_cast<uint32_t>(Size));
  }
  CopyIntoOutRing(Buf + Done, static_cast<uint32_t>(Size) - Done);
  return Size;
}

void TSioWin32Dispatcher::OutputQueued(uint32_t RingFill)
{
  // The write thread, once woken, takes everything in the ring before it
  // waits again; until it has, further blocks need not wake it, unless the
  // ring fills up while it pauses.
  if (!FWritePending.exchange(true))
    OutputEvent->SetEvent();
  else if (RingFill >= OutQue / 4 * 3 && !FFullTold.exchange(true)) {
    EndGathering();
    // On a busy single processor the woken writer may otherwise wait for
    // the sender's time slice to end, and the ring overflows meanwhile.
    std::this_thread::yield();
  }
}

struct TSioWin32Dispatcher::TGather {
  std::mutex M;
  std::condition_variable CV;
  bool End = false;
};

void TSioWin32Dispatcher::GatherOutput(uint32_t Taken)
{
  if (Taken > OutQue / 2)
    FGatherUs = std::max(MinGatherUs, FGatherUs / 2);
  else if (Taken < OutQue / 4)
    FGatherUs = std::min(MaxGatherUs, FGatherUs * 2);
  std::unique_lock<std::mutex> L(FGather->M);
  FGather->CV.wait_for(L, std::chrono::microseconds(FGatherUs), [this] { return FGather->End || KillThreads.load(); });
  FGather->End = false;
}

void TSioWin32Dispatcher::EndGathering()
{
  {
    std::lock_guard<std::mutex> L(FGather->M);
    FGather->End = true;
  }
  FGather->CV.notify_one();
}

bool TSioWin32Dispatcher::WaitComEvent(uint32_t& EvtMask)
{
  EvtMask = 0;
  return true;
}

bool TSioWin32Dispatcher::SetupCom(int32_t InSize, int32_t OutSize)
{
  return FDevice->SetupQueues(static_cast<uint32_t>(InSize), static_cast<uint32_t>(OutSize)) == SysErr::Success;
}

uint32_t TSioWin32Dispatcher::OutBufUsed()
{
  TSectionLock L(*OutputSection);
  return OutRingFill();
}

uint32_t TSioWin32Dispatcher::InQueueUsed()
{
  TIOBuffer* B = FQueue->Peek();
  if (!B)
    return 0;
  uint32_t N = 0;
  if (auto* Data = dynamic_cast<TDataBuffer*>(B))
    N = static_cast<uint32_t>(Data->FDataUsed - Data->FDataRead);
  B->FInUse = false;
  return N;
}

int32_t TSioWin32Dispatcher::OpenCom(const String& ComName, uint32_t, uint32_t)
{
  FFailed = false;
  FailureShown = false;
  for (TEvent* E :
       {ComEvent.get(), ReadyEvent.get(), GeneralEvent.get(), OutputEvent.get(), SentEvent.get(), OutFlushEvent.get()})
    E->ResetEvent();
  FQueue->Clear();
  const int32_t Number = ParseComPortName(ComName);
  FPortName = Number > 0 ? QStringLiteral("COM%1").arg(Number) : ComName;
  const uint32_t R = FDevice->Open(ComName);
  if (R == SysErr::NotEnoughMemory)
    return ecOutOfMemory;
  if (R != SysErr::Success)
    return -1;
  return 1;
}

void TSioWin32Dispatcher::ThreadStart()
{
  ++ActiveThreads;
  GeneralEvent->SetEvent();
}

void TSioWin32Dispatcher::StartDispatcher()
{
  {
    TSectionLock L(*DataSection);
    if (DispActive)
      throw EInvalidOperation(QStringLiteral("Dispatcher already started."));
    DispActive = true;
    KillThreads = false;
    DoDonePortPrim = false;
    DispThreadId = 0;
  }
  // Named after the port and their role, so that a process list tells them
  // apart: "COM1 read", "COM1 dispatch", ...
  const auto Launch = [this](TThread* T, TThread*& Field, const char* Role) {
    {
      TSectionLock L(*DataSection);
      Field = T;
    }
    T->SetName(FPortName + QLatin1Char(' ') + QLatin1String(Role));
    T->Start();
    GeneralEvent->WaitFor(ThreadStartWaitMs);
  };
  Launch(new TDispThread(this), fDispThread, "dispatch");
  Launch(new TWriteThread(this), OutThread, "write");
  Launch(new TStatusThread(this), StatusThread, "status");
  UpdateThreadPriorities();
}

void TSioWin32Dispatcher::KillAll(bool Error)
{
  if (Error)
    FFailed = true;
  KillThreads = true;
  EndGathering();
  OutFlushEvent->SetEvent();
  ComEvent->SetEvent();
  WakeDispatcher();
  // Closing the device ends every wait on it at once, in whatever state the
  // waiting thread is; the handle itself is given up by CloseCom.
  FDevice->Close();
}

int32_t TSioWin32Dispatcher::DeviceFailed(uint32_t Err, int32_t Code)
{
  FLastWinError = static_cast<int32_t>(Err);
  KillAll(true);
  return Code;
}

uint32_t TSioWin32Dispatcher::ReadPiecesLocked(int32_t Pieces, bool& More)
{
  More = false;
  for (int32_t N = 0; N < Pieces && FQueue->BytesQueued() < MaxQueuedBytes; ++N) {
    if (!FSpare)
      FSpare = std::make_unique<TDataBuffer>(PieceSize);
    uint32_t Got = 0;
    const uint32_t R = FDevice->Read(FSpare->Data(), PieceSize, Got);
    if (R != SysErr::Success || Got == 0)
      return R;
    FSpare->FDataUsed = static_cast<int32_t>(Got);
    FQueue->Push(std::move(FSpare));
    // A short piece took all the device held: a wait tells when more has
    // come, without a read that finds nothing first.
    More = Got == uint32_t(PieceSize);
    if (!More)
      break;
  }
  return SysErr::Success;
}

uint32_t TSioWin32Dispatcher::ReadPiece(bool& More)
{
  try {
    TSectionLock L(*ReadSection);
    return ReadPiecesLocked(1, More);
  } catch (const EOutOfMemory&) {
  } catch (const std::bad_alloc&) {
    // The buffers come from the standard allocator too.
  }
  More = false;
  return SysErr::NotEnoughMemory;
}

void TSioWin32Dispatcher::QueueStatus(uint32_t Events)
{
  {
    TSectionLock L(*ReadSection);
    // A failing device is the dispatch thread's to report, from its own read.
    bool More = false;
    ReadPiecesLocked(std::numeric_limits<int32_t>::max(), More);
    FQueue->Push(std::make_unique<TStatusBuffer>(Events));
  }
  WakeDispatcher();
}

bool TSioWin32Dispatcher::WaitThreadGone(TThread* const& Field, uint32_t LimitMs)
{
  const uint32_t Start = NowMs();
  for (;;) {
    {
      TSectionLock L(*DataSection);
      if (Field == nullptr)
        return true;
    }
    if (LimitMs != INFINITE && NowMs() - Start >= LimitMs)
      return false;
    // A synchronised handler the thread is waiting for runs here.
    if (SafeYield() == 0)
      WaitMessageOrTimeout(5);
  }
}

bool TSioWin32Dispatcher::WaitThreadsLeft(uint32_t LimitMs)
{
  const uint32_t Start = NowMs();
  while (ActiveThreads.load() > 0) {
    if (NowMs() - Start >= LimitMs)
      return false;
    if (SafeYield() == 0)
      WaitMessageOrTimeout(1);
  }
  return true;
}

int32_t TSioWin32Dispatcher::CloseCom()
{
  {
    TSectionLock L(*DataSection);
    if (CloseComActive)
      return 0;
    CloseComActive = true;
  }
  if (DispActive) {
    KillAll(false);
    WaitThreadGone(StatusThread, WorkerEndWaitMs);
    WaitThreadGone(OutThread, WorkerEndWaitMs);
    // Inside a notification the dispatch thread cannot end before the handler
    // returns: it ends by itself then and releases the port.
    if (!OnDispatchThread() && !fEventBusy) {
      if (!WaitThreadGone(fDispThread, DispatchEndWaitMs)) {
        ComEvent->SetEvent();
        WaitThreadGone(fDispThread, DispatchEndWaitMs);
      }
      // A thread lets go of its field before it has finished leaving (the
      // dispatch thread still releases the rings then): the port is closed,
      // and not Active any more, once the last one has.
      WaitThreadsLeft(DispatchEndWaitMs);
    }
  }
  FDevice->Close();
  CidEx = -1;
  CloseComActive = false;
  return 0;
}

void TSioWin32Dispatcher::StopDispatcher()
{
  if (DispActive)
    CloseCom();
}

void TSioWin32Dispatcher::ThreadGone(TThread* Sender)
{
  const int32_t Code = Sender->ReturnValue();
  // One failure is reported once, however many threads it ended.
  if (Code != 0 && !FailureShown.exchange(true)) {
    try {
      // Without the port: a port whose threads run is not being loaded, and
      // its state may be changing on the main thread meanwhile.
      CheckException(nullptr, Code);
    } catch (const std::exception& E) {
      HandleApplicationException(E);
    }
  }
  bool Dispatch = false;
  bool Writer = false;
  {
    TSectionLock L(*DataSection);
    if (OutThread == Sender) {
      OutThread = nullptr;
      Writer = true;
    }
    if (StatusThread == Sender)
      StatusThread = nullptr;
    if (fDispThread == Sender) {
      fDispThread = nullptr;
      Dispatch = true;
    }
  }
  if (Writer)
    GeneralEvent->SetEvent(); // a flush waiting for the writer need not wait longer
  if (Dispatch && DoDonePortPrim) {
    DonePortPrim();
    DoDonePortPrim = false;
  }
  const bool Tell = FFailed.load();
  const uint32_t Wnd = fDispatcherWindow;
  const intptr_t LParam = intptr_t(uint32_t(fHandle) << 16);
  // The last thread clears DispActive before the count reaches 0: whoever
  // sees the count at 0 may free the dispatcher, so nothing of it is touched
  // after the decrement but the copies above.
  bool Last = false;
  for (int32_t N = ActiveThreads.load();;) {
    if (N == 1)
      DispActive = false;
    if (ActiveThreads.compare_exchange_weak(N, N - 1)) {
      Last = N == 1;
      break;
    }
  }
  if (Last && Tell && Wnd != 0)
    PostMessage(Wnd, PortFailedMsg, 0, LParam);
}

bool TSioWin32Dispatcher::CheckPort(const String& ComName) { return SerialPortExists(ComName); }

int32_t TSioWin32Dispatcher::ProcessCommunications()
{
  std::this_thread::yield();
  return 0;
}

void TSioWin32Dispatcher::SetThreadBoost(uint8_t Boost)
{
  if (Boost == ThreadBoost)
    return;
  ThreadBoost = Boost;
  UpdateThreadPriorities();
}

void TSioWin32Dispatcher::UpdateThreadPriorities()
{
  TSectionLock L(*DataSection);
  const auto Level = [](int32_t Raise) {
    return static_cast<TThreadPriority>(std::min<int32_t>(tpNormal + Raise, tpTimeCritical));
  };
  const TThreadPriority Base = Level(ThreadBoost);
  for (TThread* T : {fDispThread, StatusThread})
    if (T)
      T->SetPriority(Base);
  if (OutThread)
    OutThread->SetPriority(Level(ThreadBoost + (RS485Mode ? 1 : 0)));
}

int32_t TSioWin32Dispatcher::GetModemStatusWord(uint32_t& Status)
{
  const uint32_t R = FDevice->GetModemStatus(Status);
  return R == SysErr::Success ? 0 : SysCode(R);
}

// ------------------------------------------------------------ passes

int32_t TSioWin32Dispatcher::WriteSerial()
{
  // Idle again on every way out: callers may write to the device themselves.
  const auto Idle = ScopeExit([this] {
    TSectionLock L(*OutputSection);
    FWriterBusy = false;
  });
  for (;;) {
    AnsiString Block;
    {
      TSectionLock L(*OutputSection);
      // Cleared before the take: a block queued after it wakes this thread
      // again, one queued before it is in what is taken.
      FWritePending = false;
      FFullTold = false;
      Block = TakeOutRing();
      FWriterBusy = !Block.isEmpty();
    }
    if (Block.isEmpty())
      return 0;
    if (HasStatusTriggers())
      WakeDispatcher(); // the ring has room again: output triggers may fire
    uint32_t Sent = 0;
    const uint32_t R = FDevice->WriteAll(Block.constData(), static_cast<uint32_t>(Block.size()), Sent, -1);
    if (R == SysErr::OperationAborted || R == SysErr::InvalidHandle)
      return 0; // a flush dropped the rest, or a close is under way
    if (R != SysErr::Success) {
      FLastWinError = static_cast<int32_t>(R);
      return ecDeviceWrite;
    }
    if (HasStatusTriggers())
      WakeDispatcher();
    GatherOutput(static_cast<uint32_t>(Block.size()));
  }
}

void TSioWin32Dispatcher::RunStatusChecks()
{
  if (fEventBusy)
    return;
  while (!ClosePending && CheckStatusTriggers()) {
  }
  if (GlobalStatusHit())
    ResetStatusHits();
}

void TSioWin32Dispatcher::ProcessComEvent()
{
  CurrentEvent = 0;
  if (TIOBuffer* B = FQueue->Peek()) {
    if (auto* S = dynamic_cast<TStatusBuffer*>(B)) {
      CurrentEvent = S->FStatus;
      FQueue->Pop();
    } else {
      B->FInUse = false;
    }
  }
  if (CurrentEvent & RingEvents)
    RingFlag = true;
  if (CurrentEvent & ModemEvents) {
    MapEventsToMS(CurrentEvent);
    RunStatusChecks();
    if (ClosePending)
      return;
  }
  if ((CurrentEvent & 0xFF) >= CommEvent::Break) {
    RefreshStatus();
    RunStatusChecks();
    if (ClosePending)
      return;
  }
  ExtractData();
  if (!fEventBusy) {
    GetModemStatusPrim(0xFF);
    while (!ClosePending && CheckStatusTriggers()) {
    }
    while (!ClosePending && CheckReceiveTriggers()) {
    }
  }
  if (GlobalStatusHit())
    ResetStatusHits();
  ReadyEvent->SetEvent();
}

void TSioWin32Dispatcher::ProcessTimer()
{
  if (ClosePending || fEventBusy)
    return;
  SetGlobalStatHit(false);
  bool Fired;
  do {
    Fired = CheckStatusTriggers();
    if (!Fired)
      Fired = CheckTimerTriggers();
  } while (Fired && !ClosePending);
  if (GlobalStatusHit())
    ResetStatusHits();
}
