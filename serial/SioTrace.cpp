// The trace ring and the dispatch log of TSioBaseDispatcher.
#include "serial/SioBaseDispatcher.h"

#include "serial/SectionLock.h"
#include "serial/IOQueue.h"
#include "serial/SioErrors.h"

#include <new>

namespace {

constexpr uint32_t MaxTraceEntries = 4000000;
// What an entry costs beyond its bytes: type, subtype, time and data.
constexpr uint64_t LogEntryOverhead = 16;

} // namespace

// ------------------------------------------------------------ trace

int32_t TSioBaseDispatcher::InitTracing(uint32_t NumEntries)
{
  TSectionLock L(*DataSection);
  if (TraceQueue) {
    ClearTracing();
  } else {
    // An empty ring would have no slot for the first entry.
    if (NumEntries == 0 || NumEntries > MaxTraceEntries)
      return ecBadArgument;
    TraceQueue.reset(new (std::nothrow) uint8_t[size_t(NumEntries) * 2]());
    if (!TraceQueue)
      return ecOutOfMemory;
    TraceMax = NumEntries;
    TraceIndex = 0;
    TraceWrapped = false;
  }
  TracingOn = true;
  return ecOK;
}

void TSioBaseDispatcher::StartTracing()
{
  TSectionLock L(*DataSection);
  if (TraceQueue)
    TracingOn = true;
}

void TSioBaseDispatcher::StopTracing()
{
  TSectionLock L(*DataSection);
  TracingOn = false;
}

int32_t TSioBaseDispatcher::ClearTracing()
{
  TSectionLock L(*DataSection);
  TraceIndex = 0;
  TraceWrapped = false;
  return ecOK;
}

void TSioBaseDispatcher::AbortTracing()
{
  TSectionLock L(*DataSection);
  TracingOn = false;
  TraceQueue.reset();
  TraceMax = 0;
  TraceIndex = 0;
  TraceWrapped = false;
}

void TSioBaseDispatcher::AddTraceEntry(char CurEntry, char CurCh)
{
  TSectionLock L(*DataSection);
  if (!TraceQueue || TraceMax == 0)
    return;
  TraceQueue[size_t(TraceIndex) * 2] = static_cast<uint8_t>(CurEntry);
  TraceQueue[size_t(TraceIndex) * 2 + 1] = static_cast<uint8_t>(CurCh);
  if (++TraceIndex >= TraceMax) {
    TraceIndex = 0;
    TraceWrapped = true;
  }
}

void TSioBaseDispatcher::TraceBytes(char Kind, const char* Bytes, uint32_t Len)
{
  TSectionLock L(*DataSection);
  for (uint32_t I = 0; I < Len; ++I)
    AddTraceEntry(Kind, Bytes[I]);
}

// ------------------------------------------------------------ dispatch log

void TSioBaseDispatcher::InitDispatchLogging(uint32_t QueueSize)
{
  TSectionLock L(*LogSection);
  while (DLoggingQueue->Pop()) {
  }
  DLoggingWeight = 0;
  DLoggingMax = QueueSize;
  DLoggingOn = true;
}

void TSioBaseDispatcher::StartDispatchLogging() { DLoggingOn = true; }

void TSioBaseDispatcher::StopDispatchLogging() { DLoggingOn = false; }

void TSioBaseDispatcher::ClearDispatchLogging()
{
  TSectionLock L(*LogSection);
  while (DLoggingQueue->Pop()) {
  }
  DLoggingWeight = 0;
}

void TSioBaseDispatcher::AbortDispatchLogging()
{
  DLoggingOn = false;
  ClearDispatchLogging();
}

void TSioBaseDispatcher::AddDispatchEntry(TDispatchType DT, TDispatchSubType DST, uint32_t Data,
                                          const void* Buffer, uint32_t BufferLen)
{
  if (!DLoggingOn)
    return;
  TSectionLock L(*LogSection);
  // The limit is tested before the append, so the log may exceed it by one
  // entry.
  while (DLoggingMax > 0 && DLoggingWeight > DLoggingMax) {
    std::unique_ptr<TIOBuffer> Oldest = DLoggingQueue->Pop();
    if (!Oldest)
      break;
    DLoggingWeight -= uint64_t(Oldest->FDataSize) + LogEntryOverhead;
  }
  auto Entry = std::make_unique<TLogBuffer>(DT, DST, GetDispatchTime(), Data, Buffer, Buffer ? BufferLen : 0);
  DLoggingWeight += uint64_t(Entry->FDataSize) + LogEntryOverhead;
  DLoggingQueue->Push(std::move(Entry));
}

void TSioBaseDispatcher::AddStringToLog(const AnsiString& S)
{
  if (DLoggingOn)
    AddDispatchEntry(dtUser, dstNone, 0, S.constData(), static_cast<uint32_t>(S.size()));
}

uint32_t TSioBaseDispatcher::GetDispatchTime() const { return SioTimeGetTime() - TimeBase; }
