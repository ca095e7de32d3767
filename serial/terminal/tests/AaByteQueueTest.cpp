#include "serial/terminal/AaByteQueue.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

TEST(TaaByteQueue, GrowsAndKeepsItsBytesAtTheStart)
{
  TaaByteQueue Q;
  EXPECT_EQ(Q.Capacity(), 64);
  AnsiString All;
  for (int I = 0; I < 300; ++I)
    All.append(char('a' + I % 26));
  Q.Put(All.constData(), 10);
  Q.Put(All.constData() + 10, 290);
  EXPECT_EQ(Q.Count(), 300);
  EXPECT_EQ(Q.Capacity(), 512); // doubled until it fitted
  EXPECT_EQ(AnsiString(reinterpret_cast<const char*>(Q.Peek(300)), 300), All);
  Q.Remove(100);
  EXPECT_EQ(Q.Count(), 200);
  EXPECT_EQ(AnsiString(reinterpret_cast<const char*>(Q.Peek(200)), 200), All.mid(100));
  // Room reserved and filled by the caller.
  uint8_t* Room = Q.PutPeek(3);
  std::memcpy(Room, "xyz", 3);
  Q.AdvanceAfterPut(3);
  EXPECT_EQ(AnsiString(reinterpret_cast<const char*>(Q.Peek(203)) + 200, 3), AnsiString("xyz"));
  Q.SetCapacity(10); // never below the bytes queued, in steps of 64
  EXPECT_EQ(Q.Capacity(), 256);
  EXPECT_EQ(Q.Count(), 203);
  Q.Clear();
  EXPECT_EQ(Q.Count(), 0);
}

TEST(TaaByteQueue, ReadingMoreThanQueuedRaises)
{
  TaaByteQueue Q;
  Q.Put("abc", 3);
  for (const auto& Read : {std::function<void()>([&] { Q.Peek(4); }), std::function<void()>([&] { Q.Remove(4); })}) {
    try {
      Read();
      ADD_FAILURE() << "no exception";
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), QStringLiteral("Not enough data in queue (3 bytes) to satisfy read request (4 bytes)"));
    }
  }
  EXPECT_EQ(Q.Count(), 3);
}

} // namespace
