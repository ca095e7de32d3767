#include "serial/SioTicks.h"

#include "TestClock.h"
#include "platform/Messages.h"
#include "rtl/Exceptions.h"
#include "rtl/TextFile.h"
#include "serial/SioBaseComponent.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <unistd.h>

namespace {

constexpr uint32_t NearWrap = 0xFFFFFFFFu - 30; // tick 78090313

struct TimerCase {
  const char* Name;
  uint32_t ArmAt;
  int32_t Ticks;
  uint32_t CheckAt;
  bool Expired;
  int32_t Remaining;
};

const TimerCase TimerCases[] = {
    {"0 ticks, same tick", 550, 0, 604, false, 0},
    {"0 ticks, next tick", 550, 0, 605, true, 0},
    {"3 ticks, one tick in", 550, 3, 605, false, 2},
    {"3 ticks, three ticks in", 550, 3, 715, false, 0},
    {"3 ticks, four ticks in", 550, 3, 770, true, 0},
    {"negative ticks", 550, -5, 550, true, 0},
    {"before the clock wraps", NearWrap, 5, 0xFFFFFFFFu, false, 4},
    {"three ticks after the wrap", NearWrap, 5, 100, false, 2},
    {"seven ticks after the wrap", NearWrap, 5, 300, true, 0},
    {"longest timer across the wrap, early", NearWrap, MaxTicks, 1000000, false, 39026974},
    {"longest timer across the wrap, run out", NearWrap, MaxTicks, 0x80000000u, true, 0},
};

// Counts the messages a window handles.
struct CountingWindow {
  int32_t Handled = 0;
  TMessageWindow Window{[this](uint32_t, uintptr_t, intptr_t) -> intptr_t {
    ++Handled;
    return 0;
  }};
};

// Takes every queued message and a pending quit message off this thread's queue.
void EmptyQueue()
{
  while (PumpOneMessage(true) != 0) {
  }
}

} // namespace

TEST(TickTimers, ExpiryAndRemainingTime)
{
  for (const TimerCase& C : TimerCases) {
    TManualClock Clock(C.ArmAt);
    EventTimer ET;
    NewTimer(ET, C.Ticks);
    Clock.Set(C.CheckAt);
    EXPECT_EQ(TimerExpired(ET), C.Expired) << C.Name;
    EXPECT_EQ(RemainingTime(ET), C.Remaining) << C.Name;
  }
}

TEST(TickTimers, ArmingIsCappedAtMaxTicks)
{
  TManualClock Clock(1000);
  EventTimer ET;
  NewTimer(ET, MaxTicks + 100);
  EXPECT_EQ(ET.ExpireTicks - ET.StartTicks, MaxTicks);
  NewTimer(ET, 39045157);
  EXPECT_EQ(ET.ExpireTicks - ET.StartTicks, 39045157);
}

TEST(TickTimers, RemainingMillisecondsReachesTheExpiry)
{
  TManualClock Clock(560); // 5 ms into tick 10
  EventTimer ET;
  NewTimer(ET, 2);
  // Expiry comes at tick 13, which starts at 715 ms.
  EXPECT_EQ(RemainingMilliseconds(ET), 715u - 560u);
  Clock.Set(715);
  EXPECT_TRUE(TimerExpired(ET));
  EXPECT_EQ(RemainingMilliseconds(ET), 0u);
}

TEST(DelayTicks, NothingToWaitForReturnsAtOnceWithoutPumping)
{
  EmptyQueue();
  CountingWindow W;
  PostMessage(W.Window.Handle(), WM_USER, 0, 0);
  EXPECT_EQ(DelayTicks(0, 1), 0);
  EXPECT_EQ(DelayTicks(-3, 1), 0);
  EXPECT_EQ(W.Handled, 0);
  EmptyQueue();
}

TEST(DelayTicks, WithoutYieldWaitsTheTicksAndLeavesTheQueueAlone)
{
  EmptyQueue();
  CountingWindow W;
  PostMessage(W.Window.Handle(), WM_USER, 0, 0);
  // Across the wrap of the millisecond clock.
  TShiftedClock Clock(0xFFFFFFFFu - 60);
  const int32_t Start = SioTicksNow();
  EXPECT_EQ(DelayTicks(2, 0), 0);
  const int32_t End = SioTicksNow();
  const int32_t Elapsed = End >= Start ? End - Start : End + TickWrap - Start;
  EXPECT_GE(Elapsed, 3) << "returns only once the first tick after the two has begun";
  EXPECT_EQ(W.Handled, 0);
  EXPECT_EQ(PumpOneMessage(), (W.Window.Handle() & 0xFFFF) << 16 | WM_USER) << "the message is still queued";
  EmptyQueue();
}

TEST(DelayTicks, WithYieldHandlesMessagesWhileWaiting)
{
  EmptyQueue();
  CountingWindow W;
  for (int I = 0; I < 3; ++I)
    PostMessage(W.Window.Handle(), WM_USER, 0, 0);
  EXPECT_EQ(DelayTicks(1, 1), 0);
  EXPECT_EQ(W.Handled, 3);
}

TEST(DelayTicks, QuitMessageEndsTheWaitAndStaysQueued)
{
  EmptyQueue();
  PostQuitMessage(0);
  EXPECT_EQ(DelayTicks(1000, 1), int32_t(WM_QUIT));
  EXPECT_EQ(SafeYield(), WM_QUIT) << "the thread's own loop must still see the quit message";
  EmptyQueue();
}

TEST(SafeYield, CodeNamesWindowAndMessage)
{
  EmptyQueue();
  CountingWindow W;
  EXPECT_EQ(SafeYield(), 0u);
  PostMessage(W.Window.Handle(), 0x12345, 0, 0);
  EXPECT_EQ(SafeYield(), (W.Window.Handle() & 0xFFFF) << 16 | 0x2345);
  EXPECT_EQ(W.Handled, 1);
}

TEST(TickUnitHelpers, FlagIsSet)
{
  const struct {
    uint32_t Flags, Mask;
    bool Set;
  } Cases[] = {
      {0x0, 0x0, false}, {0x5, 0x4, true}, {0x5, 0x2, false}, {0x5, 0x6, true}, {0xFFFFFFFF, 0x80000000, true}};
  for (const auto& C : Cases)
    EXPECT_EQ(FlagIsSet(C.Flags, C.Mask), C.Set) << C.Flags << " " << C.Mask;
}

TEST(TickUnitHelpers, ExistFileZFollowsLinks)
{
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  const String File = Dir.filePath(QStringLiteral("data.btd"));
  const String Link = Dir.filePath(QStringLiteral("link"));
  const String Dangling = Dir.filePath(QStringLiteral("dangling"));
  EXPECT_FALSE(ExistFileZ(File));
  TextFile F;
  AssignFile(F, File);
  Rewrite(F);
  CloseFile(F);
  ASSERT_EQ(symlink(File.toLocal8Bit().constData(), Link.toLocal8Bit().constData()), 0);
  ASSERT_EQ(symlink("missing", Dangling.toLocal8Bit().constData()), 0);
  EXPECT_TRUE(ExistFileZ(File));
  EXPECT_TRUE(ExistFileZ(Link));
  EXPECT_FALSE(ExistFileZ(Dangling));
}

TEST(TickUnitHelpers, AssignFileRaisesAPendingIOErrorAssignLeavesIt)
{
  QTemporaryDir Dir;
  const String Missing = Dir.filePath(QStringLiteral("missing.btd"));
  SetIOChecks(false);
  TextFile F;
  AssignFile(F, Missing);
  Reset(F); // fails with 2, left pending
  TextFile G;
  try {
    Sio::AssignFile(G, Missing);
    ADD_FAILURE() << "no exception";
  } catch (const EInOutError& E) {
    EXPECT_EQ(E.ErrorCode, 2);
  }
  Reset(F);
  Sio::Assign(G, Missing);
  EXPECT_EQ(IOResult(), 2);
  SetIOChecks(true);
  EXPECT_EQ(G.FileName(), Missing);
}

TEST(SioBaseComponent, VersionCannotBeChanged)
{
  TSioBaseComponent C(nullptr);
  EXPECT_EQ(C.Version(), QStringLiteral("v5.00"));
  C.SetVersion(QStringLiteral("v9.99"));
  EXPECT_EQ(C.Version(), QStringLiteral("v5.00"));
}
