#include "serial/terminal/AaByteQueue.h"

#include "rtl/Exceptions.h"

#include <algorithm>
#include <cstring>

TaaByteQueue::TaaByteQueue() { SetCapacity(64); }

TaaByteQueue::~TaaByteQueue() = default;

String TaaByteQueue::ClassName() const { return QStringLiteral("TaaByteQueue"); }

void TaaByteQueue::SetCapacity(int32_t Value)
{
  Value = std::max(Value, Count());
  Value = std::max((Value + 63) / 64 * 64, 64);
  const int32_t N = Count();
  auto Block = std::make_unique<uint8_t[]>(static_cast<size_t>(Value) * 2);
  if (N > 0)
    std::memcpy(Block.get(), bqHead, static_cast<size_t>(N));
  bqQueue = std::move(Block);
  bqHead = bqQueue.get();
  bqTail = bqHead + N;
  bqQueueEnd = bqHead + static_cast<size_t>(Value) * 2;
  FCapacity = Value;
}

void TaaByteQueue::Grow(int32_t aDataLen)
{
  if (aDataLen < 0)
    throw Exception(QStringLiteral("Negative length put into the byte queue (%1 bytes)").arg(aDataLen));
  int64_t Needed = int64_t(Count()) + aDataLen;
  int64_t Cap = FCapacity;
  while (Cap < Needed)
    Cap *= 2;
  if (Cap > INT32_MAX / 2)
    throw EOutOfMemory(QStringLiteral("Byte queue too large"));
  if (Cap != FCapacity)
    SetCapacity(static_cast<int32_t>(Cap));
}

void TaaByteQueue::Put(const void* aData, int32_t aDataLen)
{
  std::memcpy(PutPeek(aDataLen), aData, static_cast<size_t>(aDataLen));
  AdvanceAfterPut(aDataLen);
}

uint8_t* TaaByteQueue::PutPeek(int32_t aDataLen)
{
  Grow(aDataLen);
  return bqTail;
}

void TaaByteQueue::AdvanceAfterPut(int32_t aDataLen)
{
  // Never past the reserved room.
  bqTail = std::min(bqTail + std::max(aDataLen, 0), bqHead + FCapacity);
}

void TaaByteQueue::CheckCount(int32_t aDataLen) const
{
  if (aDataLen > Count())
    throw Exception(QStringLiteral("Not enough data in queue (%1 bytes) to satisfy read request (%2 bytes)")
                        .arg(Count())
                        .arg(aDataLen));
}

const uint8_t* TaaByteQueue::Peek(int32_t aDataLen) const
{
  CheckCount(aDataLen);
  return bqHead;
}

void TaaByteQueue::Remove(int32_t aDataLen)
{
  CheckCount(aDataLen);
  if (aDataLen <= 0)
    return;
  const int32_t Rest = Count() - aDataLen;
  if (Rest > 0)
    std::memmove(bqHead, bqHead + aDataLen, static_cast<size_t>(Rest));
  bqTail = bqHead + Rest;
}

void TaaByteQueue::Clear() { bqTail = bqHead; }
