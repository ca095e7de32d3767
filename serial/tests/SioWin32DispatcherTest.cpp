// The device dispatcher and its threads on a pseudo-terminal.
#include "serial/SioWin32Dispatcher.h"

#include "PortTestSupport.h"
#include "TestClock.h"
#include "platform/Messages.h"
#include "platform/PtyPair.h"
#include "platform/Thread.h"
#include "rtl/Exceptions.h"
#include "serial/IOQueue.h"
#include "serial/SioErrors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <mutex>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

const String TestComName = QStringLiteral("\\\\.\\COM211");

class DeviceDispatcher : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Pty.IsOpen());
    ShownMessages().clear();
  }
  int32_t Open() { return D.InitPort(TestComName, 19200, 0, 8, 1, 4096, 4096, 0x03); }

  PtyPair Pty;
  ScopedEnv Env{"FATHOMIX_COM211", Pty.SlavePath()};
  TSioWin32Dispatcher D{nullptr};
};

// Collects what a non-synchronised handler receives on the dispatch thread.
struct Receiver {
  std::mutex M;
  AnsiString Data;
  std::atomic<int32_t> Calls{0};
  std::atomic<bool> OnMainThread{false};
  TSioBaseDispatcher* D = nullptr;
  void Notify(uint32_t Msg, uint32_t W, int32_t)
  {
    ++Calls;
    OnMainThread = IsMainThread();
    if (Msg != TriggerAvailMsg)
      return;
    AnsiString Got(qsizetype(W), '\0');
    if (D->GetBlock(Got.data(), W) == int32_t(W)) {
      std::lock_guard<std::mutex> G(M);
      Data += Got;
    }
  }
  AnsiString Text()
  {
    std::lock_guard<std::mutex> G(M);
    return AnsiString(Data.constData(), Data.size()); // a copy of its own, not a shared one
  }
};

} // namespace

TEST_F(DeviceDispatcher, BytesFromTheFarSideReachAHandler)
{
  ASSERT_EQ(Open(), ecOK);
  EXPECT_TRUE(D.Active());
  Receiver R;
  R.D = &D;
  D.ChangeLengthTrigger(1);
  D.RegisterEventTriggerHandler(MethodEvent(&R, &Receiver::Notify));
  ASSERT_TRUE(Pty.WriteMaster("hello"));
  ASSERT_TRUE(PumpUntil([&] { return R.Text() == "hello"; }));
  EXPECT_FALSE(R.OnMainThread) << "method handlers run in the dispatch thread";
  EXPECT_EQ(D.InBuffUsed(), 0u);
}

TEST_F(DeviceDispatcher, ManyBytesArriveInOrder)
{
  ASSERT_EQ(Open(), ecOK);
  Receiver R;
  R.D = &D;
  D.ChangeLengthTrigger(1);
  D.RegisterEventTriggerHandler(MethodEvent(&R, &Receiver::Notify));
  AnsiString All;
  for (int I = 0; I < 20000; ++I)
    All.append(char('a' + I % 26));
  ASSERT_TRUE(Pty.WriteMaster(All));
  ASSERT_TRUE(PumpUntil([&] { return R.Text().size() >= All.size(); }));
  EXPECT_EQ(R.Text(), All);
}

TEST_F(DeviceDispatcher, InputNobodyTakesIsHeldUntilTakenAndKeepsItsOrder)
{
  // More than the input ring and the queue behind it hold together: the
  // ring fills, the queue fills, the device keeps the rest, and each reader
  // making room lets more in. A piece lost, read twice or put out of order
  // shows in the bytes (their pattern does not repeat every 256).
  ASSERT_EQ(Open(), ecOK);
  constexpr int32_t Total = 8192 + TSioWin32Dispatcher::MaxQueuedBytes + 30000;
  AnsiString All;
  for (int32_t I = 0; I < Total; ++I)
    All.append(char(I % 251));
  // The far side writes as the pseudo-terminal takes the bytes, and gives up
  // after a while rather than hang the test should they never be taken.
  fcntl(Pty.MasterFd(), F_SETFL, fcntl(Pty.MasterFd(), F_GETFL) | O_NONBLOCK);
  auto Writer = std::async(std::launch::async, [&] {
    const auto Until = std::chrono::steady_clock::now() + std::chrono::milliseconds(4 * WaitLimitMs);
    qsizetype Done = 0;
    while (Done < All.size() && std::chrono::steady_clock::now() < Until) {
      pollfd P = {Pty.MasterFd(), POLLOUT, 0};
      if (poll(&P, 1, 50) <= 0)
        continue;
      const ssize_t N = write(Pty.MasterFd(), All.constData() + Done, size_t(All.size() - Done));
      if (N > 0)
        Done += N;
    }
    return Done;
  });
  ASSERT_TRUE(PumpUntil([&] { return D.InBuffFree() == 0; }));
  AnsiString Got;
  ASSERT_TRUE(PumpUntil([&] {
    // Small takes, so that the ring is full again and again.
    const uint32_t N = std::min<uint32_t>(D.InBuffUsed(), 3000);
    if (N > 0) {
      AnsiString Part(qsizetype(N), '\0');
      EXPECT_EQ(D.GetBlock(Part.data(), N), int32_t(N));
      Got += Part;
    }
    return Got.size() >= All.size();
  }));
  EXPECT_EQ(Writer.get(), All.size());
  EXPECT_EQ(Got.size(), All.size());
  EXPECT_TRUE(Got == All) << "the bytes differ from the sent ones";
  EXPECT_EQ(D.InBuffUsed(), 0u);
}

TEST_F(DeviceDispatcher, ThreadsAreNamedAfterThePortAndTheirRole)
{
  // The dispatch thread reads the device itself: there is no reader of its own.
  const std::vector<String> Roles = {QStringLiteral("COM211 dispatch"), QStringLiteral("COM211 status"),
                                     QStringLiteral("COM211 write")};
  const auto Ours = [] {
    std::vector<String> Names;
    for (const String& N : ThreadNames())
      if (N.startsWith(QLatin1String("COM211 ")))
        Names.push_back(N);
    return Names;
  };
  // The threads of an earlier test's port may still be on their way out.
  ASSERT_TRUE(PumpUntil([&] { return Ours().empty(); }));
  ASSERT_EQ(Open(), ecOK);
  EXPECT_EQ(Ours(), Roles);
  D.DonePort();
  // A thread lets go of the port before it has quite ended.
  EXPECT_TRUE(PumpUntil([&] { return Ours().empty(); }));
}

TEST_F(DeviceDispatcher, OutputReachesTheFarSide)
{
  ASSERT_EQ(Open(), ecOK);
  ASSERT_EQ(D.PutString("#010;1\r\n"), ecOK);
  EXPECT_EQ(Pty.ReadMaster(8, WaitLimitMs), AnsiString("#010;1\r\n"));
  ASSERT_TRUE(PumpUntil([&] { return D.OutBuffUsed() == 0; }));
}

TEST_F(DeviceDispatcher, ATelegramNowAndThenDoesNotWakeTheWriter)
{
  // The device takes a short block at once when nothing waits before it:
  // the caller writes it, and the write thread sleeps on. Blocks that follow
  // each other closely are the write thread's to gather.
  struct Case {
    const char* Name;
    uint32_t GapMs; // between two telegrams, on the library's clock
    bool WriterSleeps;
  };
  const Case Cases[] = {{"now and then", 50, true}, {"back to back", 0, false}};
  ASSERT_EQ(Open(), ecOK);
  TManualClock Clock(1000);
  const String Writer = QStringLiteral("COM211 write");
  for (const Case& C : Cases) {
    // One writer of that name: an earlier test's may still be on its way out.
    ASSERT_TRUE(PumpUntil([&] { return ThreadSleeps(Writer) >= 0; }));
    const int64_t Before = ThreadSleeps(Writer);
    constexpr int Telegrams = 40;
    for (int I = 0; I < Telegrams; ++I) {
      Clock.Advance(C.GapMs);
      const AnsiString T = "$DEPTH," + AnsiString::number(I) + "\r\n";
      ASSERT_EQ(D.PutString(T), ecOK);
      ASSERT_EQ(Pty.ReadMaster(int32_t(T.size()), WaitLimitMs), T) << C.Name;
    }
    const int64_t WakeUps = ThreadSleeps(Writer) - Before;
    if (C.WriterSleeps)
      EXPECT_LT(WakeUps, 5) << C.Name;
    else
      // Nearly each one waits for the writer; on a busy machine the writer
      // may still be gathering when the next comes and take both at once.
      EXPECT_GE(WakeUps, Telegrams / 2) << C.Name << ": they wait for the writer";
    EXPECT_TRUE(PumpUntil([&] { return D.OutBuffUsed() == 0; }));
    Clock.Advance(1000);
  }
}

TEST_F(DeviceDispatcher, OutputTheDeviceCannotTakeWaitsInOrderInTheRing)
{
  // Nobody reads the far side: the device fills up, a block is split between
  // the device and the ring, later ones queue behind it until the ring has
  // no room. Every block accepted reaches the far side once it reads, in
  // order, whole.
  ASSERT_EQ(Open(), ecOK);
  AnsiString Accepted;
  bool Refused = false;
  for (int I = 0; I < 100000 && !Refused; ++I) {
    const AnsiString Block = AnsiString::number(I) + ':' + AnsiString(10 + I % 50, char('a' + I % 26)) + "\r\n";
    const int32_t R = D.PutString(Block);
    Refused = R == ecOutputBufferTooSmall;
    if (!Refused) {
      ASSERT_EQ(R, ecOK);
      Accepted += Block;
    }
  }
  ASSERT_TRUE(Refused) << "the ring never filled";
  AnsiString Far;
  while (Far.size() < Accepted.size()) {
    const AnsiString Got = Pty.ReadMaster(int32_t(Accepted.size() - Far.size()), WaitLimitMs);
    if (Got.isEmpty())
      break;
    Far += Got;
  }
  EXPECT_EQ(Far.size(), Accepted.size());
  EXPECT_TRUE(Far == Accepted);
  ASSERT_TRUE(PumpUntil([&] { return D.OutBuffUsed() == 0; }));
}

TEST_F(DeviceDispatcher, BlocksQueuedFasterThanTheyAreWrittenAllArriveInOrder)
{
  ASSERT_EQ(Open(), ecOK);
  // The write thread takes the ring in gulps while the blocks come in one
  // after another, pausing between its writes, woken early when the ring
  // fills up; a block refused for want of room is offered again. Every
  // byte must come out once, in order, the last block too.
  AnsiString Far;
  std::atomic<qsizetype> Expected{-1};
  std::thread Reader([&] {
    const auto Until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while ((Expected < 0 || Far.size() < Expected) && std::chrono::steady_clock::now() < Until)
      Far += Pty.ReadMaster(65536, 20);
  });
  AnsiString All;
  for (int I = 0; I < 3000; ++I) {
    const AnsiString Block = AnsiString::number(I) + ':' + AnsiString(I % 150, char('a' + I % 26)) + "\r\n";
    if (!PumpUntil([&] { return D.PutString(Block) == ecOK; })) {
      ADD_FAILURE() << "block " << I << " never found room";
      break;
    }
    All += Block;
  }
  EXPECT_EQ(D.PutString("end"), ecOK);
  All += "end";
  Expected = All.size();
  Reader.join();
  ASSERT_EQ(Far.size(), All.size());
  EXPECT_TRUE(Far == All) << "first difference at "
                          << std::mismatch(Far.begin(), Far.end(), All.begin()).first - Far.begin();
}

TEST_F(DeviceDispatcher, ASecondStartIsRefused)
{
  ASSERT_EQ(Open(), ecOK);
  try {
    D.StartDispatcher();
    ADD_FAILURE() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Dispatcher already started."));
  }
  EXPECT_TRUE(D.Active());
  ASSERT_EQ(D.PutString("still"), ecOK);
  EXPECT_EQ(Pty.ReadMaster(5, WaitLimitMs), AnsiString("still"));
}

TEST_F(DeviceDispatcher, OpeningFailures)
{
  TSioWin32Dispatcher Missing(nullptr);
  ScopedEnv Nowhere("FATHOMIX_COM212", QStringLiteral("/nonexistent/tty"));
  EXPECT_EQ(Missing.InitPort(QStringLiteral("\\\\.\\COM212"), 19200, 0, 8, 1, 4096, 4096, 3), -2);
  EXPECT_FALSE(Missing.Active());
  ASSERT_EQ(Open(), ecOK);
  TSioWin32Dispatcher Second(nullptr);
  EXPECT_EQ(Second.InitPort(TestComName, 19200, 0, 8, 1, 4096, 4096, 3), -5) << "held by the first";
}

TEST_F(DeviceDispatcher, LineSettingsOnTheDevice)
{
  ASSERT_EQ(Open(), ecOK);
  ASSERT_EQ(D.ChangeBaud(9600), ecOK);
  int32_t Baud = 0;
  uint16_t Parity = 9;
  TDatabits Bits = 0;
  TStopbits Stop = 0;
  ASSERT_EQ(D.GetLine(Baud, Parity, Bits, Stop), ecOK);
  EXPECT_EQ(Baud, 9600);
  EXPECT_EQ(Parity, 0);
  EXPECT_EQ(Bits, 8);
  EXPECT_EQ(Stop, 1);
  ASSERT_EQ(D.SetLine(4800, 2, 5, 2), ecOK);
  ASSERT_EQ(D.GetLine(Baud, Parity, Bits, Stop), ecOK);
  EXPECT_EQ(Baud, 4800);
  EXPECT_EQ(Parity, 2);
  EXPECT_EQ(Bits, 5);
  EXPECT_EQ(Stop, 2) << "one and a half stop bits read back as two";
  EXPECT_EQ(D.SetDtr(false), ecOK);
  EXPECT_EQ(D.SetRts(false), ecOK);
}

TEST_F(DeviceDispatcher, WhatTheDeviceCannotDoIsRefusedWithTheLibraryCode)
{
  ASSERT_EQ(Open(), ecOK);
  const struct {
    const char* Name;
    uint32_t Options;
  } Cases[] = {{"DTR handshake", 1}, {"RTS handshake without CTS flow", 2}, {"DSR output flow", 4}};
  for (const auto& C : Cases) {
    EXPECT_EQ(D.HWFlowOptions(3000, 500, C.Options), ecDefault) << C.Name;
    EXPECT_FALSE(D.LastRefusal().isEmpty()) << C.Name;
    EXPECT_EQ(D.SetDtr(true), ecOK) << C.Name << ": DTR is still set by hand";
  }
  EXPECT_EQ(D.HWFlowOptions(3000, 500, 2 | 8), ecOK) << "RTS/CTS together is what the platform has";
  D.SetRS485Mode(true);
  EXPECT_EQ(D.HWFlowOptions(0, 0, 0), ecDefault) << "a pseudo-terminal cannot toggle RTS";
}

TEST_F(DeviceDispatcher, FlushOutBufferReturnsAfterTheWriterAnswered)
{
  ASSERT_EQ(Open(), ecOK);
  // The far side reads nothing, so the output backs up: the writer blocks in
  // the device and the ring fills behind it.
  const AnsiString Block(1000, 'x');
  ASSERT_TRUE(PumpUntil([&] { return D.PutString(Block) == ecOutputBufferTooSmall; }));
  EXPECT_GT(D.FlushOutBuffer(), 0);
  EXPECT_EQ(D.OutBuffUsed(), 0u);
  ASSERT_EQ(D.PutString("after"), ecOK);
  const AnsiString Seen = Pty.ReadMaster(64000, 300);
  EXPECT_TRUE(Seen.endsWith("after")) << "the writer goes on after a flush";
}

TEST_F(DeviceDispatcher, CheckPortWithAndWithoutThePrefix)
{
  EXPECT_TRUE(D.CheckPort(TestComName));
  EXPECT_TRUE(D.CheckPort(QStringLiteral("COM211")));
  ScopedEnv Nowhere("FATHOMIX_COM213", QStringLiteral("/nonexistent/tty"));
  EXPECT_FALSE(D.CheckPort(QStringLiteral("COM213")));
  EXPECT_FALSE(D.CheckPort(QStringLiteral("LPT1")));
}

TEST_F(DeviceDispatcher, CloseFromAHandlerInTheDispatchThread)
{
  ASSERT_EQ(Open(), ecOK);
  std::atomic<bool> Closed{false};
  struct Closer {
    TSioWin32Dispatcher* D;
    std::atomic<bool>* Closed;
    void Notify(uint32_t, uint32_t, int32_t)
    {
      D->DonePort();
      *Closed = true;
    }
  } C{&D, &Closed};
  D.ChangeLengthTrigger(1);
  D.RegisterEventTriggerHandler(MethodEvent(&C, &Closer::Notify));
  ASSERT_TRUE(Pty.WriteMaster("x"));
  ASSERT_TRUE(PumpUntil([&] { return Closed.load() && !D.Active(); }));
  EXPECT_EQ(D.ComHandle(), -1);
  EXPECT_EQ(D.PutString("x"), ecCommNotOpen) << "released by the dispatch thread itself";
  EXPECT_TRUE(ShownMessages().empty());
  // The port opens again on the same object.
  ASSERT_EQ(Open(), ecOK);
  EXPECT_TRUE(D.Active());
}

TEST_F(DeviceDispatcher, CloseFromASynchronisedHandler)
{
  ASSERT_EQ(Open(), ecOK);
  bool Closed = false;
  struct Closer {
    TSioWin32Dispatcher* D;
    bool* Closed;
    void Notify(uint32_t, uint32_t, int32_t)
    {
      EXPECT_TRUE(IsMainThread());
      D->DonePort();
      *Closed = true;
    }
  } C{&D, &Closed};
  D.ChangeLengthTrigger(1);
  D.RegisterSyncEventTriggerHandler(MethodEvent(&C, &Closer::Notify));
  ASSERT_TRUE(Pty.WriteMaster("x"));
  ASSERT_TRUE(PumpUntil([&] { return Closed && !D.Active(); }));
  EXPECT_EQ(D.ComHandle(), -1);
}

TEST_F(DeviceDispatcher, AVanishedDeviceEndsTheThreadsAndSaysSoOnce)
{
  ASSERT_EQ(Open(), ecOK);
  int32_t Failures = 0;
  TMessageWindow W([&](uint32_t Msg, uintptr_t, intptr_t LParam) -> intptr_t {
    if (Msg == PortFailedMsg && (LParam >> 16) == D.Handle())
      ++Failures;
    return 0;
  });
  D.SetDispatcherWindow(W.Handle());
  Pty.CloseMaster();
  ASSERT_TRUE(PumpUntil([&] { return Failures == 1 && !D.Active(); }));
  EXPECT_TRUE(D.Failed());
  EXPECT_EQ(D.LastWinError(), int32_t(SysErr::BadCommand));
  ASSERT_TRUE(PumpUntil([] { return !ShownMessages().empty(); }));
  EXPECT_EQ(ShownMessages(), std::vector<String>{QStringLiteral("Device read error")});
  EXPECT_EQ(D.PutString("x"), ecCommNotOpen);
}

TEST(IOQueue, ClearKeepsTheBufferInUse)
{
  TIOQueue Q;
  auto Make = [](int32_t Size) { return std::make_unique<TDataBuffer>(Size); };
  Q.Push(Make(10));
  Q.Push(Make(20));
  Q.Push(std::make_unique<TStatusBuffer>(0x8));
  EXPECT_EQ(Q.BytesQueued(), 30);
  TIOBuffer* First = Q.Peek();
  ASSERT_NE(First, nullptr);
  EXPECT_EQ(Q.Peek(), nullptr) << "the first buffer is already in use";
  Q.Clear();
  EXPECT_EQ(Q.Count(), 1);
  EXPECT_EQ(Q.BytesQueued(), 10);
  auto Popped = Q.Pop();
  EXPECT_EQ(Popped.get(), First);
  EXPECT_EQ(Q.Count(), 0);
  EXPECT_EQ(Q.BytesQueued(), 0);
  Q.WaitForSignal(0); // the pushes' wake-up
  EXPECT_FALSE(Q.WaitForBuffer(0));
  Q.Signal();
  EXPECT_TRUE(Q.WaitForBuffer(0));
}
