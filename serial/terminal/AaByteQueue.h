#pragma once
// A growing queue of bytes in one block: the queued bytes always start at
// the block's start. Capacity is half the block; it grows in steps of 64
// bytes, doubling while a put does not fit. Not thread-safe: the terminal
// guards it with its own lock.
#include "rtl/Object.h"

#include <cstdint>
#include <memory>

class TaaByteQueue : public TObject {
public:
  TaaByteQueue(); // capacity 64
  ~TaaByteQueue() override;
  String ClassName() const override;

  int32_t Count() const { return static_cast<int32_t>(bqTail - bqHead); }
  int32_t Capacity() const { return FCapacity; }
  // Raised to at least Count, then to a multiple of 64; the queued bytes
  // are kept.
  void SetCapacity(int32_t Value);

  void Put(const void* aData, int32_t aDataLen);
  // Room for aDataLen bytes at the tail, for the caller to fill before
  // AdvanceAfterPut.
  uint8_t* PutPeek(int32_t aDataLen);
  void AdvanceAfterPut(int32_t aDataLen);
  // The first byte; fewer than aDataLen queued bytes raise Exception "Not
  // enough data in queue (<count> bytes) to satisfy read request (<n>
  // bytes)".
  const uint8_t* Peek(int32_t aDataLen) const;
  // The same check; the rest moves to the block's start.
  void Remove(int32_t aDataLen);
  void Clear();

private:
  void Grow(int32_t aDataLen);
  void CheckCount(int32_t aDataLen) const;

  std::unique_ptr<uint8_t[]> bqQueue;
  uint8_t* bqHead = nullptr;
  uint8_t* bqTail = nullptr;
  uint8_t* bqQueueEnd = nullptr;
  int32_t FCapacity = 0;
};
