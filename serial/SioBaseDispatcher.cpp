#include "serial/SioBaseDispatcher.h"

#include "platform/Messages.h"
#include "platform/Thread.h"
#include "serial/IOQueue.h"
#include "serial/SectionLock.h"
#include "serial/SioErrors.h"
#include "serial/SioTriggerRecords.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <new>
#include <thread>

namespace {

// The largest output ring a port may ask for; far beyond any port's OutSize.
constexpr uint32_t MaxOutputRing = 1u << 20;

// The process-wide table of dispatchers; its index is the dispatcher's Handle.
struct PortTable {
  TCriticalSection Lock;
  std::vector<TSioBaseDispatcher*> List;
};

PortTable& Ports()
{
  static PortTable* Table = new PortTable; // lives as long as the process
  return *Table;
}

} // namespace

TSioBaseDispatcher::TSioBaseDispatcher(TObject* AOwner)
    : fOwner(AOwner), DataSection(std::make_unique<TCriticalSection>()),
      OutputSection(std::make_unique<TCriticalSection>()), DispSection(std::make_unique<TCriticalSection>()),
      LogSection(std::make_unique<TCriticalSection>()), FQueue(std::make_unique<TIOQueue>()),
      DLoggingQueue(std::make_unique<TIOQueue>()), DataArrived(std::make_unique<TEvent>(false, false))
{
  PortTable& T = Ports();
  TSectionLock L(T.Lock);
  const auto Free = std::find(T.List.begin(), T.List.end(), nullptr);
  if (Free != T.List.end()) {
    *Free = this;
    fHandle = static_cast<int32_t>(Free - T.List.begin());
  } else {
    T.List.push_back(this);
    fHandle = static_cast<int32_t>(T.List.size() - 1);
  }
  TriggerCounter = 1;
}

TSioBaseDispatcher::~TSioBaseDispatcher()
{
  PortTable& T = Ports();
  TSectionLock L(T.Lock);
  if (fHandle >= 0 && fHandle < static_cast<int32_t>(T.List.size()) && T.List[size_t(fHandle)] == this)
    T.List[size_t(fHandle)] = nullptr;
  while (!T.List.empty() && T.List.back() == nullptr)
    T.List.pop_back();
}

String TSioBaseDispatcher::ClassName() const { return QStringLiteral("TSioBaseDispatcher"); }

void TSioBaseDispatcher::ShutdownForDestroy()
{
  if (ShutDown)
    return;
  ShutDown = true;
  if (ClosePending)
    DonePortPrim();
  else
    DonePort();
  // Worker threads that still end must not find their dispatcher gone; the
  // pump keeps synchronised handlers they wait on running meanwhile.
  while (ActiveThreads.load() > 0) {
    if (SafeYield() == 0)
      WaitMessageOrTimeout(5);
  }
}

uint32_t TSioBaseDispatcher::Flags() const { return FFlags.load(); }

void TSioBaseDispatcher::SetEventBusy(bool Value)
{
  {
    TSectionLock L(*DataSection);
    fEventBusy = Value;
  }
  // Triggers are not checked while busy; they may be due now.
  if (!Value)
    WakeDispatcher();
}

// ------------------------------------------------------------ defaults

void TSioBaseDispatcher::DonePortPrim()
{
  DoDonePortPrim = false;
  if (DispActive)
    StopDispatcher();
  {
    TSectionLock L(*DispSection);
    DBuffer.reset();
    DBufHead = DBufTail = 0;
    DispatchFull = false;
    InAvailMessage = false;
    FlushedInNotice = false;
    GetCount = MaxGetCount = 0;
  }
  {
    TSectionLock L(*OutputSection);
    OBuffer.reset();
    OBufHead = OBufTail = 0;
    OBufFull = false;
  }
}

uint32_t TSioBaseDispatcher::InQueueUsed() { return 0; }

void TSioBaseDispatcher::SetThreadBoost(uint8_t Boost) { ThreadBoost = Boost; }

void TSioBaseDispatcher::SleepMilliseconds(uint32_t Ms) { std::this_thread::sleep_for(std::chrono::milliseconds(Ms)); }

void TSioBaseDispatcher::SyncCall(const std::function<void()>& Call) { TThread::Synchronize(Call); }

// ------------------------------------------------------------ the table

void TSioBaseDispatcher::LockPortList() { Ports().Lock.Enter(); }

void TSioBaseDispatcher::UnlockPortList() { Ports().Lock.Leave(); }

TSioBaseDispatcher* TSioBaseDispatcher::PortListEntry(int32_t Handle)
{
  PortTable& T = Ports();
  if (Handle < 0 || Handle >= static_cast<int32_t>(T.List.size()))
    return nullptr;
  return T.List[size_t(Handle)];
}

// ------------------------------------------------------------ open and close

int32_t TSioBaseDispatcher::InitPort(const String& AComName, int32_t Baud, uint32_t Parity, TDatabits DataBits,
                                     TStopbits StopBits, uint32_t InSize, uint32_t OutSize, uint32_t FlowOpts)
{
  // A second open would leak the first device and start a second set of threads.
  if (CidEx >= 0 || DispActive)
    return ecAlreadyOpen;
  if (OutSize > MaxOutputRing || InSize > MaxOutputRing)
    return ecBufferTooBig;
  RingFlag = false;
  ModemStatusUnsupported = false;
  fEventBusy = false;
  DeletePending = false;
  ClosePending = false;

  const auto Fail = [this](int32_t Code) {
    DonePort();
    return Code;
  };

  const int32_t Cid = OpenCom(AComName, InSize, OutSize);
  if (Cid < 0) {
    if (Cid == ecOutOfMemory)
      return Fail(ecOutOfMemory);
    const uint32_t Err = SerialLastError();
    return Fail(Err != 0 ? -static_cast<int32_t>(Err) : -static_cast<int32_t>(SysErr::GenFailure));
  }
  CidEx = Cid;
  const int32_t Buffers = SetCommBuffers(int32_t(InSize), int32_t(OutSize));
  if (Buffers < 0)
    return Fail(Buffers);

  {
    std::unique_ptr<char[]> In(new (std::nothrow) char[InputRingSize]());
    std::unique_ptr<char[]> Out(new (std::nothrow) char[std::max<uint32_t>(OutSize, 1)]());
    if (!In || !Out)
      return Fail(ecOutOfMemory);
    {
      TSectionLock L(*DispSection);
      DBuffer = std::move(In);
      DBufHead = DBufTail = 0;
      DispatchFull = false;
      GetCount = MaxGetCount = 0;
      InAvailMessage = false;
      FlushedInNotice = false;
    }
    {
      TSectionLock L(*OutputSection);
      OBuffer = std::move(Out);
      OBufHead = OBufTail = 0;
      OBufFull = false;
      OutQue = OutSize;
    }
  }
  InQue = InSize;
  LastError = 0;
  OutSentPending = false;
  fDispatcherWindow = 0;
  {
    TSectionLock L(*DataSection);
    RS485Mode = false;
    BaseAddress = 0;
    if (GetComState(DCB) < 0)
      return Fail(-static_cast<int32_t>(SysErr::GenFailure));
  }

  if (FlowOpts & 0x10) {
    DTRAuto = true;
  } else {
    DTRAuto = false;
    SetDtr((FlowOpts & 0x01) != 0);
  }
  if (FlowOpts & 0x20) {
    RTSAuto = true;
  } else {
    RTSAuto = false;
    SetRts((FlowOpts & 0x02) != 0);
  }

  LastTailData = 0;
  RemoveAllTriggers();
  NotifyTail = 0;
  ResetStatusHits();
  {
    TSectionLock L(*DataSection);
    ModemStatus = 0;
  }
  GetModemStatusPrim(0xF0);
  LastBaud = 115200;

  // A line the device cannot run would garble every byte: the open fails.
  const int32_t Line = SetLine(Baud, Parity, DataBits, StopBits);
  if (Line < 0)
    return Fail(Line);

  RefreshStatus();
  AbortTracing();
  TimeBase = SioTimeGetTime();
  AbortDispatchLogging();
  {
    TSectionLock L(*DataSection);
    DLoggingMax = 0;
  }
  StartDispatcher();
  return ecOK;
}

int32_t TSioBaseDispatcher::SetCommBuffers(int32_t InSize, int32_t OutSize)
{
  if (InSize < 0 || OutSize < 0)
    return ecBadArgument;
  if (!SetupCom(InSize, OutSize)) {
    const uint32_t Err = SerialLastError();
    return Err != 0 ? -static_cast<int32_t>(Err) : -static_cast<int32_t>(SysErr::GenFailure);
  }
  return ecOK;
}

void TSioBaseDispatcher::DonePort()
{
  if (CidEx >= 0) {
    FlushOutBuffer();
    FlushInBuffer();
    CloseCom();
  }
  if (fEventBusy) {
    // A handler is running: the delivery ends after it and the dispatch
    // thread releases the port itself.
    ClosePending = true;
    WakeDispatcher();
  } else {
    DonePortPrim();
  }
}

// ------------------------------------------------------------ input ring

uint32_t TSioBaseDispatcher::InRingCount() const
{
  if (DBufHead == DBufTail)
    return DispatchFull ? InputRingSize : 0;
  if (DBufHead > DBufTail)
    return DBufHead - DBufTail;
  return DBufHead + InputRingSize - DBufTail;
}

int32_t TSioBaseDispatcher::PeekCharPrim(char& C, uint32_t Count)
{
  if (!DBuffer)
    return ecCommNotOpen;
  if (Count == 0 || InRingCount() < Count)
    return ecBufferIsEmpty;
  C = DBuffer[(DBufTail + Count - 1) % InputRingSize];
  return ecOK;
}

int32_t TSioBaseDispatcher::PeekBlockPrim(char* Block, uint32_t Offset, uint32_t Len, uint32_t& NewTail)
{
  if (!DBuffer)
    return ecCommNotOpen;
  NewTail = (DBufTail + Offset % InputRingSize) % InputRingSize;
  if (uint64_t(InRingCount()) < uint64_t(Offset) + Len)
    return ecBufferIsEmpty;
  const uint32_t First = std::min(Len, InputRingSize - NewTail);
  std::memcpy(Block, DBuffer.get() + NewTail, First);
  if (Len > First)
    std::memcpy(Block + First, DBuffer.get(), Len - First);
  NewTail = (NewTail + Len) % InputRingSize;
  return static_cast<int32_t>(Len);
}

bool TSioBaseDispatcher::CharReady()
{
  TSectionLock L(*DispSection);
  if (!DBuffer)
    return false;
  if (InAvailMessage)
    return !FlushedInNotice &&
           ((DBufTail + GetCount) % InputRingSize != DBufHead || (DispatchFull && GetCount < InputRingSize));
  return DBufHead != DBufTail || DispatchFull;
}

int32_t TSioBaseDispatcher::PeekChar(char& C, uint32_t Count)
{
  // Count 0 would name the byte before the oldest one, which is not stored.
  if (Count == 0 || Count > InputRingSize)
    return ecBadArgument;
  TSectionLock L(*DispSection);
  if (InAvailMessage && FlushedInNotice)
    return ecBufferIsEmpty;
  if (InAvailMessage)
    return PeekCharPrim(C, std::min<uint64_t>(uint64_t(GetCount) + Count, InputRingSize + 1));
  return PeekCharPrim(C, Count);
}

int32_t TSioBaseDispatcher::GetChar(char& C)
{
  int32_t Result;
  bool WasFull;
  {
    TSectionLock L(*DispSection);
    WasFull = DispatchFull;
    if (InAvailMessage && FlushedInNotice) {
      Result = ecBufferIsEmpty;
    } else if (InAvailMessage) {
      ++GetCount;
      Result = PeekCharPrim(C, GetCount);
      if (Result != ecOK)
        --GetCount;
    } else {
      Result = PeekCharPrim(C, 1);
      if (Result == ecOK) {
        DBufTail = (DBufTail + 1) % InputRingSize;
        DispatchFull = false;
      }
    }
  }
  if (Result == ecOK && TracingOn)
    AddTraceEntry('R', C);
  // The dispatch thread stops reading while the ring is full.
  if (Result == ecOK && WasFull)
    WakeDispatcher();
  return Result;
}

int32_t TSioBaseDispatcher::PeekBlock(void* Block, uint32_t Len)
{
  if (Len == 0)
    return 0;
  if (!Block)
    return ecBadArgument;
  TSectionLock L(*DispSection);
  if (InAvailMessage && FlushedInNotice)
    return ecBufferIsEmpty;
  uint32_t NewTail = 0;
  return PeekBlockPrim(static_cast<char*>(Block), InAvailMessage ? GetCount : 0, Len, NewTail);
}

int32_t TSioBaseDispatcher::GetBlock(void* Block, uint32_t Len)
{
  if (Len == 0)
    return 0;
  if (!Block)
    return ecBadArgument;
  int32_t Result;
  bool WasFull;
  {
    TSectionLock L(*DispSection);
    WasFull = DispatchFull;
    uint32_t NewTail = 0;
    if (InAvailMessage && FlushedInNotice) {
      Result = ecBufferIsEmpty;
    } else if (InAvailMessage) {
      Result = PeekBlockPrim(static_cast<char*>(Block), GetCount, Len, NewTail);
      if (Result > 0)
        GetCount += Len;
    } else {
      Result = PeekBlockPrim(static_cast<char*>(Block), 0, Len, NewTail);
      if (Result > 0) {
        DBufTail = NewTail;
        DispatchFull = false;
      }
    }
  }
  if (Result > 0 && TracingOn)
    TraceBytes('R', static_cast<const char*>(Block), Len);
  if (Result > 0 && WasFull)
    WakeDispatcher();
  return Result;
}

uint32_t TSioBaseDispatcher::InBuffUsed()
{
  TSectionLock L(*DispSection);
  const uint32_t Stored = InRingCount();
  if (InAvailMessage && FlushedInNotice)
    return 0;
  if (InAvailMessage)
    return Stored > GetCount ? Stored - GetCount : 0;
  return Stored;
}

uint32_t TSioBaseDispatcher::InBuffFree()
{
  TSectionLock L(*DispSection);
  const uint32_t Free = InputRingSize - InRingCount();
  if (InAvailMessage && FlushedInNotice)
    return InputRingSize;
  if (InAvailMessage)
    return std::min(InputRingSize, Free + GetCount);
  return Free;
}

int32_t TSioBaseDispatcher::FlushInBuffer()
{
  const int32_t Result = FlushCom(1);
  {
    TSectionLock L(*DispSection);
    if (InAvailMessage) {
      // The delivery moves the tail past everything when it ends; until then
      // a handler still to run (a packet manager waiting for its lock, say)
      // must not be handed the bytes from before the flush.
      MaxGetCount = InRingCount();
      FlushedInNotice = true;
    } else {
      DBufTail = DBufHead;
      GetCount = 0;
    }
    DispatchFull = false;
  }
  {
    TSectionLock L(*DataSection);
    for (auto& T : DataTriggers)
      T->tChkIndex.fill(0);
  }
  WakeDispatcher();
  return Result;
}

bool TSioBaseDispatcher::ExtractData()
{
  TSectionLock L(*DispSection);
  if (!DBuffer)
    return false;
  if (DBufHead == DBufTail && DispatchFull) {
    static const char Full[] = "Dispatch buffer full.";
    if (DLoggingOn)
      AddDispatchEntry(dtDispatch, dstStatus, 0, Full, sizeof Full - 1);
    return true;
  }
  const uint32_t Avail = InQueueUsed();
  if (Avail == 0)
    return false;

  const uint32_t Free = InputRingSize - InRingCount();
  const uint32_t First = DBufTail > DBufHead ? DBufTail - DBufHead : InputRingSize - DBufHead;
  const uint32_t Total = std::min(Avail, Free);
  uint32_t Second = Total > First ? Total - First : 0;

  const auto ReadInto = [this](uint32_t Want) -> uint32_t {
    int32_t Got = ReadCom(DBuffer.get() + DBufHead, static_cast<int32_t>(Want));
    if (Got < 0) {
      Got = 0;
      GetComEventMask(-1);
    }
    // A device layer that claims more than was asked must not move the head
    // past what was written.
    const uint32_t N = std::min<uint32_t>(static_cast<uint32_t>(Got), Want);
    if (DLoggingOn)
      AddDispatchEntry(dtDispatch, dstReadCom, N, N ? DBuffer.get() + DBufHead : nullptr, N);
    return N;
  };

  uint32_t Read = 0;
  if (First > 0) {
    const uint32_t Got = ReadInto(std::min(First, Total));
    Read += Got;
    DBufHead += Got;
    if (Got < std::min(First, Total))
      Second = 0;
    if (DBufHead >= InputRingSize)
      DBufHead = 0;
    if (Got > 0)
      DispatchFull = DBufHead == DBufTail;
  }
  if (Second > 0) {
    const uint32_t Got = ReadInto(Second);
    Read += Got;
    DBufHead = (DBufHead + Got) % InputRingSize;
    if (Got > 0)
      DispatchFull = DBufHead == DBufTail;
  }
  if (Read > 0)
    FlushedInNotice = false;
  if (Read > 0 && DataWaiter) {
    DataArrived->SetEvent();
    WakeMainThread();
  }
  return true;
}

void TSioBaseDispatcher::SetDataWaiter(bool On)
{
  DataWaiter = On;
  if (On)
    WakeDispatcher(); // bytes may be waiting for a pass
}

bool TSioBaseDispatcher::WaitDataArrived(uint32_t Ms) { return DataArrived->WaitFor(Ms) == wrSignaled; }

// ------------------------------------------------------------ output ring

uint32_t TSioBaseDispatcher::OutRingFill() const
{
  if (OBufFull)
    return OutQue;
  if (OBufHead > OBufTail)
    return OBufHead - OBufTail;
  if (OBufHead < OBufTail)
    return OBufHead + OutQue - OBufTail;
  return 0;
}

void TSioBaseDispatcher::CopyIntoOutRing(const char* Buf, uint32_t Len)
{
  if (!OBuffer || OutQue == 0 || Len == 0)
    return;
  Len = std::min(Len, OutQue - OutRingFill());
  const uint32_t First = std::min(Len, OutQue - OBufHead);
  std::memcpy(OBuffer.get() + OBufHead, Buf, First);
  if (Len > First)
    std::memcpy(OBuffer.get(), Buf + First, Len - First);
  OBufHead = (OBufHead + Len) % OutQue;
  if (Len > 0 && OBufHead == OBufTail)
    OBufFull = true;
}

AnsiString TSioBaseDispatcher::TakeOutRing()
{
  AnsiString Out;
  const uint32_t N = OutRingFill();
  if (N > 0 && OBuffer) {
    Out.resize(static_cast<qsizetype>(N));
    const uint32_t First = std::min(N, OutQue - OBufTail);
    std::memcpy(Out.data(), OBuffer.get() + OBufTail, First);
    if (N > First)
      std::memcpy(Out.data() + First, OBuffer.get(), N - First);
  }
  EmptyOutRing();
  return Out;
}

void TSioBaseDispatcher::EmptyOutRing()
{
  OBufHead = OBufTail = 0;
  OBufFull = false;
}

int32_t TSioBaseDispatcher::PutChar(char C) { return PutBlock(&C, 1); }

int32_t TSioBaseDispatcher::PutString(const AnsiString& S)
{
  return PutBlock(S.constData(), static_cast<uint32_t>(S.size()));
}

int32_t TSioBaseDispatcher::PutBlock(const void* Block, uint32_t Len)
{
  if (Len == 0)
    return ecOK;
  if (!Block)
    return ecBadArgument;
  int32_t Result = ecOK;
  int32_t Sent = 0;
  uint32_t Waiting = 0;
  {
    TSectionLock L(*OutputSection);
    if (!OBuffer)
      return ecCommNotOpen;
    const uint32_t Used = OutBufUsed();
    const uint32_t Room = OutQue > Used ? OutQue - Used : 0;
    if (Room < Len)
      return ecOutputBufferTooSmall;
    Sent = WriteCom(static_cast<const char*>(Block), static_cast<int32_t>(Len));
    if (Sent <= 0) {
      Sent = Sent < 0 ? -Sent : 0;
      Result = ecPutBlockFail;
      TComStat Stat;
      LastError = static_cast<uint32_t>(GetComError(Stat));
    }
    OutSentPending = true;
    // What the device did not take at once waits in the ring for the writer.
    Waiting = OutRingFill();
  }
  if (Sent > 0 && Waiting > 0)
    OutputQueued(Waiting);
  const uint32_t Count = std::min<uint32_t>(static_cast<uint32_t>(Sent), Len);
  if (DLoggingOn)
    AddDispatchEntry(dtDispatch, dstWriteCom, Count, Count ? Block : nullptr, Count);
  if (TracingOn)
    TraceBytes('T', static_cast<const char*>(Block), Count);
  // A status trigger on the output may be waiting for this.
  if (HasStatusTriggers())
    WakeDispatcher();
  return Result;
}

bool TSioBaseDispatcher::HasStatusTriggers()
{
  TSectionLock L(*DataSection);
  return !StatusTriggers.empty();
}

uint32_t TSioBaseDispatcher::OutBuffUsed()
{
  uint32_t Used = 0;
  const int32_t Errors = OutputStatus(Used);
  LastError |= static_cast<uint32_t>(Errors) & 0x1F;
  return Used;
}

int32_t TSioBaseDispatcher::OutputStatus(uint32_t& OutUsed)
{
  TComStat Stat;
  const int32_t Errors = GetComError(Stat);
  {
    TSectionLock L(*DataSection);
    ComStatus = Stat;
  }
  OutUsed = Stat.OutQue;
  return Errors;
}

uint32_t TSioBaseDispatcher::OutBuffFree()
{
  const uint32_t Used = OutBuffUsed();
  return OutQue > Used ? OutQue - Used : 0;
}

int32_t TSioBaseDispatcher::FlushOutBuffer() { return FlushCom(0); }

void TSioBaseDispatcher::BufferSizes(uint32_t& InSize, uint32_t& OutSize) const
{
  InSize = InQue;
  OutSize = OutQue;
}

// ------------------------------------------------------------ user slots

int32_t TSioBaseDispatcher::SetDataPointer(void* P, uint32_t Index)
{
  if (Index < 1 || Index > 3)
    return ecBadArgument;
  DataPointers[Index - 1] = P;
  return ecOK;
}

int32_t TSioBaseDispatcher::GetDataPointer(void*& P, uint32_t Index) const
{
  if (Index < 1 || Index > 3)
    return ecBadArgument;
  P = DataPointers[Index - 1];
  return ecOK;
}

void TSioBaseDispatcher::OptionsOn(uint32_t Options)
{
  TSectionLock L(*DataSection);
  FFlags |= Options;
}

void TSioBaseDispatcher::OptionsOff(uint32_t Options)
{
  TSectionLock L(*DataSection);
  FFlags &= ~Options;
}

bool TSioBaseDispatcher::OptionsAreOn(uint32_t Options) const { return (FFlags.load() & Options) == Options; }
