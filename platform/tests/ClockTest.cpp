#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(Clock, InjectedSourceWrapsAndRealClockComesBack)
{
  uint32_t Now = 0xFFFFFFFEu;
  SetTimeSourceForTests([&Now] { return Now; });
  EXPECT_EQ(TimeGetTime(), 0xFFFFFFFEu);
  Now += 3; // past 2^32
  EXPECT_EQ(TimeGetTime(), 1u);

  SetTimeSourceForTests({});
  const uint32_t T1 = TimeGetTime();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const uint32_t Elapsed = TimeGetTime() - T1; // unsigned: right across a wrap too
  EXPECT_GE(Elapsed, 19u);
  EXPECT_LT(Elapsed, 60000u);
}
