#include "platform/Timer.h"

#include "QtTestApp.h"
#include "platform/Messages.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <utility>

using namespace std::chrono_literals;

namespace {

using SteadyClock = std::chrono::steady_clock;

void PumpUntil(const std::function<bool()>& Done)
{
  const auto Start = SteadyClock::now();
  while (!Done() && SteadyClock::now() - Start < 10s)
    if (PumpOneMessage() == 0)
      WaitMessageOrTimeout(100);
}

} // namespace

TEST(Timer, SettingEnabledRestartsTheInterval)
{
  EnsureQtApplication();
  TTimer Timer(nullptr);
  Timer.SetInterval(60000);
  Timer.SetEnabled(true);
  std::this_thread::sleep_for(30ms);
  const int32_t Before = Timer.RemainingTime();
  ASSERT_GT(Before, 0);
  ASSERT_LT(Before, 60000 - 20);

  Timer.SetEnabled(true); // already enabled: still starts afresh
  EXPECT_GT(Timer.RemainingTime(), Before);

  std::this_thread::sleep_for(30ms);
  const int32_t Running = Timer.RemainingTime();
  Timer.SetInterval(60000); // unchanged interval: keeps counting
  EXPECT_LE(Timer.RemainingTime(), Running);
  Timer.SetInterval(50000);
  EXPECT_GT(Timer.RemainingTime(), 50000 - 20);

  Timer.SetEnabled(false);
  EXPECT_EQ(Timer.RemainingTime(), -1);
  Timer.SetInterval(0);
  Timer.SetEnabled(true);
  EXPECT_EQ(Timer.RemainingTime(), -1);
}

TEST(Timer, FiresOnlyFromTheEventLoop)
{
  EnsureQtApplication();
  TComponent Owner(nullptr);
  auto* Timer = new TTimer(&Owner);
  int32_t Fired = 0;
  TObject* Sender = nullptr;
  Timer->OnTimer = [&](TObject* S) {
    ++Fired;
    Sender = S;
  };
  Timer->SetInterval(1);
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(Fired, 0); // nobody pumped

  PumpUntil([&] { return Fired > 0; });
  EXPECT_GT(Fired, 0);
  EXPECT_EQ(Sender, Timer);
}

TEST(Timer, HandlerExceptionIsReportedAndTheTimerGoesOn)
{
  EnsureQtApplication();
  TTimer Timer(nullptr);
  int32_t Calls = 0;
  Timer.OnTimer = [&](TObject*) {
    if (++Calls == 1)
      throw EConvertError(QStringLiteral("Timer handler failed"));
  };
  Timer.SetInterval(1);
  testing::internal::CaptureStderr();
  PumpUntil([&] { return Calls >= 2; });
  Timer.SetEnabled(false);
  const std::string Err = testing::internal::GetCapturedStderr();
  EXPECT_GE(Calls, 2);
  EXPECT_NE(Err.find("Timer handler failed."), std::string::npos) << Err;
}

TEST(Timer, AHandlerThatPumpsIsNotReenteredByItsOwnTimer)
{
  // Clock and watchdog handlers pump messages (a status update, a reply
  // wait) for longer than their interval.
  EnsureQtApplication();
  TTimer Timer(nullptr);
  int32_t Depth = 0, Deepest = 0, Calls = 0;
  Timer.OnTimer = [&](TObject*) {
    ++Calls;
    Deepest = std::max(Deepest, ++Depth);
    const auto Start = SteadyClock::now();
    while (SteadyClock::now() - Start < 50ms)
      if (PumpOneMessage() == 0)
        WaitMessageOrTimeout(5);
    --Depth;
  };
  Timer.SetInterval(1);
  PumpUntil([&] { return Calls >= 3; });
  Timer.SetEnabled(false);
  EXPECT_GE(Calls, 3);
  EXPECT_EQ(Deepest, 1);
}

TEST(Timer, AHandlerMayFreeItsOwnTimer)
{
  // A window freed from its own timer's handler takes the timer with it.
  EnsureQtApplication();
  auto* Owner = new TComponent(nullptr);
  auto* Timer = new TTimer(Owner);
  bool Freed = false;
  Timer->OnTimer = [&Owner, &Freed](TObject*) {
    // The handler itself goes with the timer: nothing of it may be touched
    // after the delete.
    Freed = true;
    TComponent* Doomed = std::exchange(Owner, nullptr);
    delete Doomed;
  };
  Timer->SetInterval(1);
  PumpUntil([&] { return Freed; });
  EXPECT_TRUE(Freed);
  // Nothing of the freed timer fires again.
  const auto Start = SteadyClock::now();
  while (SteadyClock::now() - Start < 30ms)
    if (PumpOneMessage() == 0)
      WaitMessageOrTimeout(5);
  delete Owner;
}
