#include "serial/IOQueue.h"

#include "platform/SyncObjs.h"
#include "rtl/Exceptions.h"

#include <cstring>
#include <new>

TIOBuffer::~TIOBuffer() = default;

TDataBuffer::TDataBuffer(int32_t Size) : TIOBuffer(Size < 0 ? 0 : Size)
{
  FData.reset(new (std::nothrow) uint8_t[static_cast<size_t>(FDataSize) + 1]());
  if (!FData)
    throw EOutOfMemory(QStringLiteral("Insufficient memory to allocate I/O buffer."));
}

TDataBuffer::~TDataBuffer() = default;

TStatusBuffer::~TStatusBuffer() = default;

TLogBuffer::TLogBuffer(TDispatchType Type, TDispatchSubType SubType, uint32_t Time, uint32_t Data, const void* Buffer,
                       uint32_t BufferLen)
    : TIOBuffer(Buffer ? static_cast<int32_t>(BufferLen) : 0), FType(Type), FSubType(SubType), FTime(Time), FData(Data)
{
  if (FDataSize > 0) {
    FBuffer = std::make_unique<uint8_t[]>(static_cast<size_t>(FDataSize));
    std::memcpy(FBuffer.get(), Buffer, static_cast<size_t>(FDataSize));
  }
}

TLogBuffer::~TLogBuffer() = default;

TIOQueue::TIOQueue() : FLock(std::make_unique<TCriticalSection>()), FEvent(std::make_unique<TEvent>(false, false)) {}

TIOQueue::~TIOQueue() = default;

void TIOQueue::Push(std::unique_ptr<TIOBuffer> Buffer)
{
  if (!Buffer)
    return;
  FLock->Enter();
  FBytesQueued += Buffer->FDataSize;
  FItems.push_back(std::move(Buffer));
  FLock->Leave();
  FEvent->SetEvent();
}

TIOBuffer* TIOQueue::Peek()
{
  FLock->Enter();
  TIOBuffer* Result = nullptr;
  if (!FItems.empty() && !FItems.front()->FInUse) {
    Result = FItems.front().get();
    Result->FInUse = true;
  }
  FLock->Leave();
  return Result;
}

std::unique_ptr<TIOBuffer> TIOQueue::Pop()
{
  FLock->Enter();
  std::unique_ptr<TIOBuffer> Result;
  if (!FItems.empty()) {
    Result = std::move(FItems.front());
    FItems.pop_front();
    FBytesQueued -= Result->FDataSize;
  }
  FLock->Leave();
  return Result;
}

void TIOQueue::Clear()
{
  FLock->Enter();
  std::deque<std::unique_ptr<TIOBuffer>> Kept;
  for (auto& B : FItems) {
    if (B->FInUse)
      Kept.push_back(std::move(B));
    else
      FBytesQueued -= B->FDataSize;
  }
  FItems.swap(Kept);
  FLock->Leave();
}

bool TIOQueue::WaitForBuffer(uint32_t Timeout)
{
  if (Count() > 0)
    return true;
  return FEvent->WaitFor(Timeout) == wrSignaled;
}

bool TIOQueue::WaitForSignal(uint32_t Timeout) { return FEvent->WaitFor(Timeout) == wrSignaled; }

void TIOQueue::Signal() { FEvent->SetEvent(); }

int32_t TIOQueue::Count() const
{
  FLock->Enter();
  const int32_t N = static_cast<int32_t>(FItems.size());
  FLock->Leave();
  return N;
}

int32_t TIOQueue::BytesQueued() const
{
  FLock->Enter();
  const int32_t N = FBytesQueued;
  FLock->Leave();
  return N;
}
