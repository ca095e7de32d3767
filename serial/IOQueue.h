#pragma once
// The queue of received data and comm events in arrival order: the dispatch
// thread pushes the pieces it reads, the status thread an event behind the
// bytes that came before it, and the dispatch thread takes them; the
// dispatch log keeps its entries in one too.
#include "rtl/Object.h"
#include "serial/SioDispatchTypes.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>

class TCriticalSection;
class TEvent;

class TIOBuffer : public TObject {
public:
  explicit TIOBuffer(int32_t DataSize = 0) : FDataSize(DataSize) {}
  ~TIOBuffer() override;
  // Set by Peek; the one consumer clears it when it puts a buffer back.
  std::atomic<bool> FInUse{false};
  int32_t FDataSize;
};

// Received bytes: FDataUsed filled, FDataRead of them already taken.
class TDataBuffer : public TIOBuffer {
public:
  // Raises EOutOfMemory "Insufficient memory to allocate I/O buffer." when the
  // block cannot be had.
  explicit TDataBuffer(int32_t Size);
  ~TDataBuffer() override;
  uint8_t* Data() { return FData.get(); }
  int32_t FDataUsed = 0;
  int32_t FDataRead = 0;

private:
  std::unique_ptr<uint8_t[]> FData;
};

// A comm event mask.
class TStatusBuffer : public TIOBuffer {
public:
  explicit TStatusBuffer(uint32_t Status) : FStatus(Status) {}
  ~TStatusBuffer() override;
  uint32_t FStatus;
};

// One dispatch log entry with a copy of its bytes.
class TLogBuffer : public TIOBuffer {
public:
  TLogBuffer(TDispatchType Type, TDispatchSubType SubType, uint32_t Time, uint32_t Data, const void* Buffer,
             uint32_t BufferLen);
  ~TLogBuffer() override;
  TDispatchType drType() const { return FType; }
  TDispatchSubType drSubType() const { return FSubType; }
  uint32_t drTime() const { return FTime; }
  uint32_t drData() const { return FData; }
  uint32_t drMoreData() const { return static_cast<uint32_t>(FDataSize); }
  const uint8_t* drBuffer() const { return FBuffer.get(); }

private:
  TDispatchType FType;
  TDispatchSubType FSubType;
  uint32_t FTime;
  uint32_t FData;
  std::unique_ptr<uint8_t[]> FBuffer;
};

class TIOQueue {
public:
  TIOQueue();
  ~TIOQueue();
  TIOQueue(const TIOQueue&) = delete;
  TIOQueue& operator=(const TIOQueue&) = delete;

  // Appends and signals the queue's event.
  void Push(std::unique_ptr<TIOBuffer> Buffer);
  // The first buffer, marked in use; nullptr when the queue is empty or the
  // first buffer is already in use. It stays queued and owned by the queue.
  TIOBuffer* Peek();
  // Removes the first buffer, in use or not; nullptr when empty.
  std::unique_ptr<TIOBuffer> Pop();
  // Frees every buffer not in use; the in-use ones stay.
  void Clear();
  // Returns at once when anything is queued, else waits up to Timeout ms
  // (INFINITE: no limit) for a push or a Signal. True when signalled.
  bool WaitForBuffer(uint32_t Timeout);
  // Waits for the next push or Signal even when something is queued (the
  // consumer cannot take what is there yet).
  bool WaitForSignal(uint32_t Timeout);
  // Wakes a WaitForBuffer without queuing anything.
  void Signal();
  int32_t Count() const;
  int32_t BytesQueued() const;

private:
  std::unique_ptr<TCriticalSection> FLock;
  std::unique_ptr<TEvent> FEvent;
  std::deque<std::unique_ptr<TIOBuffer>> FItems;
  int32_t FBytesQueued = 0;
};
