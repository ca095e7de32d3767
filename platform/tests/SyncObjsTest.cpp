#include "platform/SyncObjs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

TEST(SyncObjs, EventResetModes)
{
  struct Case {
    bool Manual;
    bool Initial;
    TWaitResult First, Second;
  } Cases[] = {
      {true, true, wrSignaled, wrSignaled}, // stays set
      {false, true, wrSignaled, wrTimeout}, // one waiter takes it
      {true, false, wrTimeout, wrTimeout},
      {false, false, wrTimeout, wrTimeout},
  };
  for (const Case& C : Cases) {
    TEvent E(C.Manual, C.Initial);
    EXPECT_EQ(E.WaitFor(0), C.First) << C.Manual << C.Initial;
    EXPECT_EQ(E.WaitFor(1), C.Second) << C.Manual << C.Initial;
    E.SetEvent();
    E.ResetEvent();
    EXPECT_EQ(E.WaitFor(0), wrTimeout);
  }
}

TEST(SyncObjs, SetEventWakesAWaiterOnAnotherThread)
{
  TEvent E(false, false);
  std::atomic<int32_t> Result{-1};
  std::thread T([&] { Result = E.WaitFor(INFINITE); });
  std::this_thread::sleep_for(20ms);
  E.SetEvent();
  T.join();
  EXPECT_EQ(Result, wrSignaled);
  EXPECT_EQ(E.WaitFor(0), wrTimeout); // auto-reset: consumed by the waiter
}

TEST(SyncObjs, AutoResetReleasesOneWaiterPerSignal)
{
  TEvent E(false, false);
  std::atomic<int32_t> Woken{0};
  std::vector<std::thread> Waiters;
  for (int I = 0; I < 2; ++I)
    Waiters.emplace_back([&] {
      E.WaitFor(INFINITE);
      ++Woken;
    });
  E.SetEvent();
  for (int I = 0; I < 500 && Woken < 1; ++I)
    std::this_thread::sleep_for(10ms);
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(Woken, 1);
  E.SetEvent();
  for (auto& T : Waiters)
    T.join();
  EXPECT_EQ(Woken, 2);
}

TEST(SyncObjs, WaitForTwoTellsWhichEvent)
{
  struct Case {
    bool SetA, SetB;
    TWaitTwoResult Expected;
    bool BStillSet;
  } Cases[] = {
      {true, false, wtFirst, false},
      {false, true, wtSecond, false},
      {true, true, wtFirst, true}, // A wins and B keeps its signal
      {false, false, wtTimeout, false},
  };
  for (const Case& C : Cases) {
    TEvent A(false, C.SetA), B(false, C.SetB);
    EXPECT_EQ(WaitForTwo(A, B, 5), C.Expected);
    EXPECT_EQ(B.WaitFor(0) == wrSignaled, C.BStillSet);
  }

  TEvent A(false, false), B(false, false);
  std::thread T([&] {
    std::this_thread::sleep_for(20ms);
    B.SetEvent();
  });
  EXPECT_EQ(WaitForTwo(A, B, INFINITE), wtSecond);
  T.join();
  // The waiter left both events' lists: signalling them now touches no one.
  A.SetEvent();
  EXPECT_EQ(A.WaitFor(0), wrSignaled);
}

TEST(SyncObjs, CriticalSectionIsReentrantAndExclusive)
{
  TCriticalSection CS;
  CS.Enter();
  CS.Enter();
  bool OtherGot = true;
  std::thread([&] { OtherGot = CS.TryEnter(); }).join();
  EXPECT_FALSE(OtherGot);
  CS.Leave();
  std::thread([&] { OtherGot = CS.TryEnter(); }).join();
  EXPECT_FALSE(OtherGot); // still held once
  CS.Leave();
  std::thread([&] {
    OtherGot = CS.TryEnter();
    if (OtherGot)
      CS.Leave();
  }).join();
  EXPECT_TRUE(OtherGot);
}

TEST(SyncObjs, InterlockedCountersLoseNoUpdate)
{
  int32_t Plain = 0;
  std::atomic<int32_t> Atomic{0};
  std::vector<std::thread> Threads;
  for (int I = 0; I < 8; ++I)
    Threads.emplace_back([&] {
      for (int K = 0; K < 20000; ++K) {
        InterlockedIncrement(Plain);
        InterlockedIncrement(Atomic);
      }
      for (int K = 0; K < 5000; ++K) {
        InterlockedDecrement(Plain);
        InterlockedDecrement(Atomic);
      }
    });
  for (auto& T : Threads)
    T.join();
  EXPECT_EQ(InterlockedRead(Plain), 8 * 15000);
  EXPECT_EQ(Atomic.load(), 8 * 15000);
  EXPECT_EQ(InterlockedIncrement(Plain), 8 * 15000 + 1);
  EXPECT_EQ(InterlockedDecrement(Plain), 8 * 15000);
}
