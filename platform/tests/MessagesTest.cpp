#include "platform/Messages.h"

#include "QtTestApp.h"
#include "platform/SyncObjs.h"
#include "platform/Thread.h"
#include "rtl/Exceptions.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

using SteadyClock = std::chrono::steady_clock;

int64_t ThreadCpuMs()
{
  timespec Ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Ts);
  return static_cast<int64_t>(Ts.tv_sec) * 1000 + Ts.tv_nsec / 1000000;
}

int64_t MsSince(SteadyClock::time_point Start)
{
  return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - Start).count();
}

uint32_t CodeOf(HWND Wnd, uint32_t Msg) { return ((Wnd & 0xFFFFu) << 16) | (Msg & 0xFFFFu); }

// Empties the main thread's queue and Qt's of whatever earlier tests left.
void DrainMainThread()
{
  for (int I = 0; I < 1000 && PumpOneMessage(true) != 0; ++I) {
  }
}

struct Seen {
  uint32_t Msg;
  TThreadID Thread;
};

// A thread that owns a window and pumps until stopped. The handler records
// every message and answers Msg + 1000, or runs the test's own handler; the
// message WM_NULL stops the pump.
class TOwnerThread {
public:
  explicit TOwnerThread(std::function<void()> BeforePumping = {}, std::function<intptr_t(uint32_t)> Handler = {})
      : FHandler(std::move(Handler))
  {
    FThread = std::thread([this, BeforePumping] {
      TMessageWindow W([this](uint32_t Msg, uintptr_t, intptr_t) -> intptr_t {
        {
          std::lock_guard<std::mutex> Lock(FLock);
          FSeen.push_back({Msg, GetCurrentThreadId()});
        }
        // Posted last by Stop: everything posted before it has been handled.
        if (Msg == WM_NULL)
          FStop = true;
        return FHandler ? FHandler(Msg) : Msg + 1000;
      });
      Wnd = W.Handle();
      Id = GetCurrentThreadId();
      Ready.SetEvent();
      if (BeforePumping)
        BeforePumping();
      while (!FStop) {
        if (PumpOneMessage() == 0)
          WaitMessageOrTimeout(INFINITE);
      }
    });
    Ready.WaitFor(INFINITE);
  }
  ~TOwnerThread() { Stop(); }
  void Stop()
  {
    if (!FThread.joinable())
      return;
    PostMessage(Wnd, WM_NULL, 0, 0);
    FThread.join();
  }
  std::vector<uint32_t> Messages()
  {
    std::lock_guard<std::mutex> Lock(FLock);
    std::vector<uint32_t> R;
    for (const Seen& S : FSeen)
      if (S.Msg != WM_NULL)
        R.push_back(S.Msg);
    return R;
  }
  std::vector<Seen> All()
  {
    std::lock_guard<std::mutex> Lock(FLock);
    return FSeen;
  }

  HWND Wnd = 0;
  TThreadID Id = 0;
  TEvent Ready;

private:
  std::function<intptr_t(uint32_t)> FHandler;
  std::thread FThread;
  std::atomic<bool> FStop{false};
  std::mutex FLock;
  std::vector<Seen> FSeen;
};

} // namespace

TEST(Messages, PumpOneMessageCodesAndQuit)
{
  // On a thread of its own: no Qt loop, nothing else queued.
  std::thread([] {
    std::vector<uint32_t> Handled;
    TMessageWindow W([&](uint32_t Msg, uintptr_t, intptr_t) -> intptr_t {
      Handled.push_back(Msg);
      return 0;
    });
    const HWND H = W.Handle();
    EXPECT_NE(H & 0xFFFFu, 0u);
    EXPECT_EQ(PumpOneMessage(), 0u);

    PostMessage(H, WM_USER + 5, 0, 0);
    PostQuitMessage(3);
    PostMessage(H, 0x12345, 0, 0); // quit waits for the messages behind it
    PostMessage(H, WM_TIMER, 0, 0);
    const uint32_t Expected[] = {CodeOf(H, WM_USER + 5), CodeOf(H, 0x2345), CodeOf(H, WM_TIMER), WM_QUIT, WM_QUIT};
    for (uint32_t E : Expected)
      EXPECT_EQ(PumpOneMessage(), E);
    EXPECT_EQ(Handled, (std::vector<uint32_t>{WM_USER + 5, 0x12345, WM_TIMER}));
    // The quit message stays until a loop takes it for good.
    EXPECT_TRUE(WaitMessageOrTimeout(INFINITE));
    EXPECT_EQ(PumpOneMessage(true), WM_QUIT);
    EXPECT_EQ(PumpOneMessage(), 0u);

    // A message for a window freed after posting is dropped, not counted.
    const HWND Gone = AllocateHWnd([&](uint32_t, uintptr_t, intptr_t) -> intptr_t {
      Handled.push_back(999);
      return 0;
    });
    PostMessage(Gone, WM_USER, 0, 0);
    DeallocateHWnd(Gone);
    EXPECT_EQ(PumpOneMessage(), 0u);
    EXPECT_EQ(Handled.size(), 3u);
  }).join();
}

TEST(Messages, OnePassOfQtEventsCountsAsOneMessage)
{
  EnsureQtApplication();
  DrainMainThread();
  struct TReceiver : QObject {
    int32_t Got = 0;
    void customEvent(QEvent*) override { ++Got; }
  } Receiver;
  QCoreApplication::postEvent(&Receiver, new QEvent(QEvent::User));
  QCoreApplication::postEvent(&Receiver, new QEvent(QEvent::User));
  EXPECT_EQ(PumpOneMessage(), QtEventsPumped);
  EXPECT_EQ(Receiver.Got, 2);
  EXPECT_EQ(PumpOneMessage(), 0u);
}

TEST(Messages, RapidPumpingServesOwnMessagesEveryTimeAndQtEventsSoon)
{
  // A sample loop pumps after every sample; the posted port notifications
  // must be handled at once, Qt's events within a few milliseconds.
  EnsureQtApplication();
  DrainMainThread();
  std::vector<uint32_t> Got;
  TMessageWindow W([&Got](uint32_t Msg, uintptr_t, intptr_t) -> intptr_t {
    Got.push_back(Msg);
    return 0;
  });
  for (uint32_t M = WM_USER; M < WM_USER + 50; ++M) {
    ASSERT_TRUE(PostMessage(W.Handle(), M, 0, 0));
    ProcessPendingMessages();
    ASSERT_EQ(Got.size(), size_t(M - WM_USER + 1)) << "message " << M << " waited for a later pump";
  }

  struct TReceiver : QObject {
    int32_t Got = 0;
    void customEvent(QEvent*) override { ++Got; }
  } Receiver;
  ProcessPendingMessages();
  QCoreApplication::postEvent(&Receiver, new QEvent(QEvent::User));
  const auto Start = SteadyClock::now();
  while (Receiver.Got == 0 && MsSince(Start) < 1000)
    ProcessPendingMessages();
  EXPECT_EQ(Receiver.Got, 1);
  EXPECT_LT(MsSince(Start), 50);
}

TEST(Messages, MessagesWaitingSaysWhetherAPumpWouldServeAnything)
{
  EnsureQtApplication();
  DrainMainThread();
  TMessageWindow W([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
  struct Case {
    const char* Name;
    std::function<void()> Arrange;
    bool Waiting;
  };
  const Case Cases[] = {
      {"nothing", [] {}, false},
      {"a posted message", [&] { PostMessage(W.Handle(), WM_USER, 0, 0); }, true},
      {"a call handed over by a worker",
       [] {
         std::thread Worker([] { TThread::Queue([] {}); });
         Worker.join();
       },
       true},
      {"a call handed over here", [] { TThread::Queue([] {}); }, true},
      {"Qt's events due a look", [] { SetQtPassIntervalForTests(0); }, true},
  };
  for (const Case& C : Cases) {
    // Qt's events looked at a moment ago, and not due for an hour.
    SetQtPassIntervalForTests(3600LL * 1000 * 1000);
    ProcessPendingMessages();
    C.Arrange();
    EXPECT_EQ(MessagesWaiting(), C.Waiting) << C.Name;
    SetQtPassIntervalForTests(3600LL * 1000 * 1000);
    ProcessPendingMessages();
    EXPECT_FALSE(MessagesWaiting()) << C.Name << ": served";
  }
  PostQuitMessage(0);
  EXPECT_TRUE(MessagesWaiting()) << "a quit";
  EXPECT_EQ(PumpOneMessage(true), WM_QUIT);
  SetQtPassIntervalForTests(-1);
}

TEST(Messages, UnknownWindows)
{
  const HWND Gone = AllocateHWnd([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 1; });
  EXPECT_TRUE(IsWindow(Gone));
  DeallocateHWnd(Gone);
  intptr_t Result = 77;
  for (HWND H : {HWND(0), Gone}) {
    EXPECT_FALSE(IsWindow(H));
    EXPECT_FALSE(PostMessage(H, WM_USER, 0, 0));
    EXPECT_EQ(SendMessage(H, WM_USER, 0, 0), 0);
    EXPECT_FALSE(SendMessageTimeout(H, WM_USER, 0, 0, 100, &Result));
  }
  EXPECT_EQ(Result, 77);
}

TEST(Messages, PostAndSendReachTheOwnerThread)
{
  TOwnerThread Owner;
  for (uint32_t M = WM_USER; M < WM_USER + 5; ++M)
    EXPECT_TRUE(PostMessage(Owner.Wnd, M, 0, 0));
  // A send from another thread waits for the owner's answer.
  EXPECT_EQ(SendMessage(Owner.Wnd, WM_USER + 10, 0, 0), WM_USER + 10 + 1000);
  intptr_t Result = 0;
  EXPECT_TRUE(SendMessageTimeout(Owner.Wnd, WM_USER + 11, 0, 0, 3000, &Result));
  EXPECT_EQ(Result, WM_USER + 11 + 1000);
  Owner.Stop();

  // Sent messages overtake posted ones that are still queued; posted ones
  // keep their order.
  std::vector<uint32_t> Posted, Sent;
  for (uint32_t M : Owner.Messages())
    (M < WM_USER + 10 ? Posted : Sent).push_back(M);
  EXPECT_EQ(Posted, (std::vector<uint32_t>{WM_USER, WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_USER + 4}));
  EXPECT_EQ(Sent, (std::vector<uint32_t>{WM_USER + 10, WM_USER + 11}));
  for (const Seen& S : Owner.All())
    EXPECT_EQ(S.Thread, Owner.Id);
}

TEST(Messages, SendToABlockedOwnerTimesOutAndIsWithdrawn)
{
  TEvent Gate(true, false);
  TOwnerThread Owner([&] { Gate.WaitFor(INFINITE); });

  intptr_t Result = 55;
  const auto Start = SteadyClock::now();
  EXPECT_FALSE(SendMessageTimeout(Owner.Wnd, WM_USER + 1, 0, 0, 50, &Result));
  EXPECT_GE(MsSince(Start), 50);
  EXPECT_EQ(Result, 55);

  Gate.SetEvent();
  // Once the owner pumps again, a later send is answered, and the one given
  // up never runs late.
  EXPECT_EQ(SendMessage(Owner.Wnd, WM_USER + 2, 0, 0), WM_USER + 2 + 1000);
  Owner.Stop();
  EXPECT_EQ(Owner.Messages(), (std::vector<uint32_t>{WM_USER + 2}));
}

TEST(Messages, ThreadsSendingToEachOtherDoNotDeadlock)
{
  // The main thread sends to the owner while the owner, before it pumps at
  // all, sends to a window of the main thread and waits for the answer.
  std::atomic<TThreadID> MainHandlerThread{0};
  TMessageWindow MainWindow([&](uint32_t Msg, uintptr_t, intptr_t) -> intptr_t {
    MainHandlerThread = GetCurrentThreadId();
    return Msg + 1;
  });
  std::atomic<intptr_t> OwnerGot{0};
  TEvent Sending(true, false);
  TOwnerThread Owner([&] {
    Sending.SetEvent();
    OwnerGot = SendMessage(MainWindow.Handle(), WM_USER + 20, 0, 0);
  });
  Sending.WaitFor(INFINITE);
  intptr_t Result = 0;
  EXPECT_TRUE(SendMessageTimeout(Owner.Wnd, WM_USER + 21, 0, 0, 5000, &Result));
  EXPECT_EQ(Result, WM_USER + 21 + 1000);
  // The owner's send may still be queued here if it arrived after ours was
  // answered; pumping serves it.
  const auto Start = SteadyClock::now();
  while (OwnerGot == 0 && MsSince(Start) < 5000)
    WaitMessageOrTimeout(50);
  EXPECT_EQ(OwnerGot, WM_USER + 21);
  EXPECT_EQ(MainHandlerThread, GetCurrentThreadId());
}

TEST(Messages, SenderIsReleasedWhenTheOwnerThreadEnds)
{
  std::atomic<int32_t> Handled{0};
  HWND Wnd = 0;
  TEvent Ready(true, false);
  std::thread Owner([&] {
    TMessageWindow W([&](uint32_t, uintptr_t, intptr_t) -> intptr_t {
      ++Handled;
      return 1;
    });
    Wnd = W.Handle();
    Ready.SetEvent();
    std::this_thread::sleep_for(100ms); // ends without ever pumping
  });
  Ready.WaitFor(INFINITE);
  const auto Start = SteadyClock::now();
  EXPECT_EQ(SendMessage(Wnd, WM_USER, 0, 0), 0);
  EXPECT_LT(MsSince(Start), 5000);
  Owner.join();
  EXPECT_EQ(Handled, 0);
  EXPECT_FALSE(PostMessage(Wnd, WM_USER, 0, 0));
}

TEST(Messages, SenderIsReleasedWhenTheWindowIsFreed)
{
  // The owner frees its window and then waits without pumping, as a port
  // that closes waits for its worker threads; a sender must not wait for it.
  std::atomic<int32_t> Handled{0};
  HWND Wnd = 0;
  TEvent Ready(true, false), FreeIt(true, false), Finish(true, false);
  std::thread Owner([&] {
    const HWND W = AllocateHWnd([&](uint32_t, uintptr_t, intptr_t) -> intptr_t {
      ++Handled;
      return 1;
    });
    Wnd = W;
    Ready.SetEvent();
    FreeIt.WaitFor(INFINITE);
    DeallocateHWnd(W);
    Finish.WaitFor(INFINITE);
    PumpOneMessage();
  });
  Ready.WaitFor(INFINITE);
  auto Sender = std::async(std::launch::async, [Wnd] { return SendMessage(Wnd, WM_USER, 0, 0); });
  auto TimedSender = std::async(std::launch::async, [Wnd] {
    intptr_t Result = 77;
    const bool Answered = SendMessageTimeout(Wnd, WM_USER, 0, 0, 60000, &Result);
    return std::make_pair(Answered, Result);
  });
  FreeIt.SetEvent();
  const bool SenderDone = Sender.wait_for(5s) == std::future_status::ready;
  const bool TimedDone = TimedSender.wait_for(5s) == std::future_status::ready;
  Finish.SetEvent();
  Owner.join();
  EXPECT_TRUE(SenderDone);
  EXPECT_TRUE(TimedDone);
  EXPECT_EQ(Sender.get(), 0);
  EXPECT_EQ(TimedSender.get(), std::make_pair(false, intptr_t(77)));
  EXPECT_EQ(Handled, 0);
}

TEST(Messages, HandlerExceptionsGoToTheApplicationHandler)
{
  TMessageWindow W(
      [](uint32_t, uintptr_t, intptr_t) -> intptr_t { throw EConvertError(QStringLiteral("Bad value in handler")); });
  testing::internal::CaptureStderr();
  EXPECT_EQ(SendMessage(W.Handle(), WM_USER, 0, 0), 0);
  PostMessage(W.Handle(), WM_USER, 0, 0);
  while (PumpOneMessage(true) != 0) {
  }
  const std::string Err = testing::internal::GetCapturedStderr();
  EXPECT_NE(Err.find("Bad value in handler."), std::string::npos) << Err;
  EXPECT_NE(Err.find("Bad value in handler.", Err.find("Bad value in handler.") + 1), std::string::npos)
      << "the posted message's exception was not reported";
}

TEST(Messages, AModalLoopInsideAWaitStillHandlesMessages)
{
  // A message box shown from a handler that runs inside a wait must not stop
  // the messages (port notifications) it is waiting for.
  EnsureQtApplication();
  DrainMainThread();
  QEventLoop Modal;
  bool HandledInModal = false;
  TMessageWindow W([&](uint32_t Msg, uintptr_t, intptr_t) -> intptr_t {
    if (Msg == WM_USER) {
      HandledInModal = Modal.isRunning();
      Modal.quit();
    }
    return 0;
  });
  std::atomic<bool> ModalDone{false};
  QTimer::singleShot(0, [&] {
    std::thread([H = W.Handle()] {
      std::this_thread::sleep_for(20ms);
      PostMessage(H, WM_USER, 0, 0);
    }).detach();
    QTimer::singleShot(10000, &Modal, [&] { Modal.quit(); });
    Modal.exec();
    ModalDone = true;
  });
  const auto Start = SteadyClock::now();
  while (!ModalDone && MsSince(Start) < 10000)
    WaitMessageOrTimeout(1000);
  EXPECT_TRUE(HandledInModal);
}

namespace {

// Runs Body on the main thread (with Qt's loop) or on a plain thread.
void OnThreadKind(bool Main, const std::function<void()>& Body)
{
  if (Main) {
    EnsureQtApplication();
    DrainMainThread();
    Body();
  } else {
    std::thread(Body).join();
  }
}

} // namespace

TEST(Messages, WaitReturnsWhenAMessageArrives)
{
  for (bool Main : {true, false}) {
    OnThreadKind(Main, [Main] {
      std::atomic<int32_t> Handled{0};
      TMessageWindow W([&](uint32_t, uintptr_t, intptr_t) -> intptr_t {
        ++Handled;
        return 0;
      });
      std::thread Poster([H = W.Handle()] {
        std::this_thread::sleep_for(30ms);
        PostMessage(H, WM_USER, 0, 0);
      });
      const auto Start = SteadyClock::now();
      bool Arrived = false;
      // Qt may wake the main thread for its own reasons; wait on until ours.
      while (Handled == 0 && MsSince(Start) < 5000) {
        Arrived = WaitMessageOrTimeout(5000);
        while (PumpOneMessage() != 0) {
        }
      }
      Poster.join();
      EXPECT_TRUE(Arrived) << (Main ? "main" : "worker");
      EXPECT_EQ(Handled, 1) << (Main ? "main" : "worker");
      EXPECT_LT(MsSince(Start), 5000) << (Main ? "main" : "worker");
    });
  }
}

TEST(Messages, WaitSleepsInsteadOfSpinning)
{
  for (bool Main : {true, false}) {
    OnThreadKind(Main, [Main] {
      const auto Start = SteadyClock::now();
      const int64_t Cpu0 = ThreadCpuMs();
      bool AnyTimeout = false;
      while (MsSince(Start) < 500)
        AnyTimeout = !WaitMessageOrTimeout(static_cast<uint32_t>(500 - MsSince(Start))) || AnyTimeout;
      const int64_t Cpu = ThreadCpuMs() - Cpu0;
      const int64_t Wall = MsSince(Start);
      EXPECT_TRUE(AnyTimeout) << (Main ? "main" : "worker");
      EXPECT_GE(Wall, 500);
      EXPECT_LT(Cpu, 100) << (Main ? "main" : "worker") << ": " << Cpu << " ms of CPU in " << Wall << " ms";
    });
  }
}

TEST(Messages, PumpAndWaitLoopSleepsWhileTimersRun)
{
  // The shape of every message-pumping delay: pump one message, sleep when
  // there was none. Timers that fire now and then, and one that is far from
  // due, must neither keep it awake nor be starved by it.
  EnsureQtApplication();
  DrainMainThread();
  QTimer Far, Near;
  Far.start(60000);
  int32_t NearFired = 0;
  QObject::connect(&Near, &QTimer::timeout, [&NearFired] { ++NearFired; });
  Near.start(20);
  const auto Start = SteadyClock::now();
  const int64_t Cpu0 = ThreadCpuMs();
  while (MsSince(Start) < 400) {
    if (PumpOneMessage() == 0)
      WaitMessageOrTimeout(static_cast<uint32_t>(std::max<int64_t>(0, 400 - MsSince(Start))));
  }
  const int64_t Cpu = ThreadCpuMs() - Cpu0;
  EXPECT_GE(NearFired, 3);
  EXPECT_LT(Cpu, 100) << Cpu << " ms of CPU in " << MsSince(Start) << " ms";
}

TEST(Messages, ProcessPendingMessagesEndsThoughAHandlerPostsAgain)
{
  // A handler that posts its own next message (a repeating notification)
  // must not keep ProcessMessages from returning.
  for (bool Main : {true, false}) {
    OnThreadKind(Main, [Main] {
      int32_t Handled = 0;
      HWND H = 0;
      TMessageWindow W([&](uint32_t, uintptr_t, intptr_t) -> intptr_t {
        ++Handled;
        PostMessage(H, WM_USER, 0, 0);
        return 0;
      });
      H = W.Handle();
      PostMessage(H, WM_USER, 0, 0);
      PostMessage(H, WM_USER, 0, 0);
      ProcessPendingMessages();
      EXPECT_EQ(Handled, 2) << (Main ? "main" : "worker");
      ProcessPendingMessages();
      EXPECT_EQ(Handled, 4) << (Main ? "main" : "worker");
      DeallocateHWnd(H); // the messages still queued are dropped
      while (PumpOneMessage() != 0) {
      }
      EXPECT_EQ(Handled, 4) << (Main ? "main" : "worker");
    });
  }
}

TEST(RegisteredNames, OneNumberPerNameWhateverTheCase)
{
  const uint32_t A = RegisterWindowMessage(QStringLiteral("GridEditDone"));
  const uint32_t B = RegisterClipboardFormat(QStringLiteral("TZurEvoderOzod Cells"));
  EXPECT_GE(A, 0xC000u);
  EXPECT_LE(A, 0xFFFEu);
  EXPECT_NE(A, B);
  EXPECT_EQ(RegisterWindowMessage(QStringLiteral("gridEDITdone")), A);
  EXPECT_EQ(RegisteredName(B).toStdString(), "TZurEvoderOzod Cells");
  EXPECT_EQ(RegisterWindowMessage(QString()), 0u);
  EXPECT_TRUE(RegisteredName(0x1234).isEmpty());
}
