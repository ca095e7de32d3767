#include "platform/Thread.h"

#include "QtTestApp.h"
#include "platform/Application.h"
#include "platform/Messages.h"
#include "platform/SyncObjs.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include <cerrno>
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

using SteadyClock = std::chrono::steady_clock;

class TLambdaThread : public TThread {
public:
  explicit TLambdaThread(std::function<void(TLambdaThread&)> Body) : FBody(std::move(Body)) {}
  using TThread::SetReturnValue;

protected:
  void Execute() override { FBody(*this); }

private:
  std::function<void(TLambdaThread&)> FBody;
};

// Set by the test while the main thread is inside the pump under test.
bool gInsidePump = false;

struct PumpCase {
  const char* Name;
  // Pumps the main thread until Done, with gInsidePump set only while the
  // pump itself runs.
  std::function<void(TThread&, const std::atomic<bool>& Done)> Pump;
};

void UntilDone(const std::atomic<bool>& Done, const std::function<void()>& Step)
{
  const auto Start = SteadyClock::now();
  while (!Done && SteadyClock::now() - Start < 10s) {
    gInsidePump = true;
    Step();
    gInsidePump = false;
  }
}

} // namespace

TEST(Thread, SynchronizeRunsInsideEveryMainThreadPump)
{
  EnsureQtApplication();
  TApplication App(nullptr);
  const PumpCase Cases[] = {
      {"WaitMessageOrTimeout",
       [](TThread&, const std::atomic<bool>& Done) { UntilDone(Done, [] { WaitMessageOrTimeout(5000); }); }},
      {"PumpOneMessage", [](TThread&, const std::atomic<bool>& Done) { UntilDone(Done, [] { PumpOneMessage(); }); }},
      {"ProcessMessages",
       [](TThread&, const std::atomic<bool>& Done) { UntilDone(Done, [] { Application->ProcessMessages(); }); }},
      {"TThread::WaitFor",
       [](TThread& T, const std::atomic<bool>&) {
         gInsidePump = true;
         T.WaitFor();
         gInsidePump = false;
       }},
  };
  for (const PumpCase& C : Cases) {
    std::atomic<bool> Done{false};
    bool RanOnMain = false, RanInsidePump = false;
    TLambdaThread Worker([&](TLambdaThread&) {
      TThread::Synchronize([&] {
        RanOnMain = IsMainThread();
        RanInsidePump = gInsidePump;
      });
      Done = true;
    });
    Worker.Start();
    C.Pump(Worker, Done);
    Worker.WaitFor();
    EXPECT_TRUE(RanOnMain) << C.Name;
    EXPECT_TRUE(RanInsidePump) << C.Name;
  }
}

TEST(Thread, ExceptionOfASynchronisedCallReachesTheWorker)
{
  std::string Caught;
  TLambdaThread Worker([&](TLambdaThread&) {
    try {
      TThread::Synchronize([] { throw EConvertError(QStringLiteral("'x' is not a valid integer value")); });
    } catch (const EConvertError& E) {
      Caught = E.Message().toStdString();
    }
  });
  Worker.Start();
  Worker.WaitFor();
  EXPECT_EQ(Caught, "'x' is not a valid integer value");
}

TEST(Thread, WaitForGivesReturnValueAndOnTerminateRunsOnMain)
{
  bool OnTerminateOnMain = false;
  TEvent Running(true, false);
  TLambdaThread Worker([&](TLambdaThread& Self) {
    Running.SetEvent();
    while (!Self.Terminated())
      std::this_thread::sleep_for(1ms);
    Self.SetReturnValue(42);
  });
  Worker.OnTerminate = [&](TObject* Sender) { OnTerminateOnMain = IsMainThread() && Sender == &Worker; };
  EXPECT_EQ(Worker.Handle(), 0u);
  Worker.Start();
  EXPECT_NE(Worker.Handle(), 0u);
  EXPECT_THROW(Worker.Start(), EThread);
  // A thread terminated before Execute began skips Execute altogether.
  Running.WaitFor(INFINITE);
  Worker.Terminate();
  EXPECT_EQ(Worker.WaitFor(), 42);
  EXPECT_TRUE(Worker.Finished());
  EXPECT_TRUE(OnTerminateOnMain);
  EXPECT_EQ(Worker.FatalException(), nullptr);
}

TEST(Thread, ExceptionEndingExecuteIsKept)
{
  TLambdaThread Worker([](TLambdaThread&) { throw EInOutError(QStringLiteral("Disk full"), 101); });
  Worker.Start();
  Worker.WaitFor();
  ASSERT_NE(Worker.FatalException(), nullptr);
  EXPECT_THROW(std::rethrow_exception(Worker.FatalException()), EInOutError);
}

TEST(Thread, FreeOnTerminateDeletesTheObjectOnItsThread)
{
  struct TSelfFreeing : TThread {
    TEvent* Deleted;
    std::atomic<bool>* DeletedOnWorker;
    TSelfFreeing(TEvent* D, std::atomic<bool>* W) : Deleted(D), DeletedOnWorker(W) { SetFreeOnTerminate(true); }
    ~TSelfFreeing() override
    {
      *DeletedOnWorker = !IsMainThread();
      Deleted->SetEvent();
    }
    void Execute() override {}
  };
  TEvent Deleted(true, false);
  std::atomic<bool> OnWorker{false};
  auto* T = NewRunningThread<TSelfFreeing>(&Deleted, &OnWorker);
  (void)T; // owned by itself from here on
  EXPECT_EQ(Deleted.WaitFor(5000), wrSignaled);
  EXPECT_TRUE(OnWorker);
}

TEST(Thread, WaitsThatCouldNeverEndAreRefused)
{
  TLambdaThread NeverStarted([](TLambdaThread&) {});
  EXPECT_THROW(NeverStarted.WaitFor(), EThread);

  TLambdaThread Waiter([](TLambdaThread& Self) {
    try {
      Self.WaitFor();
    } catch (const EThread&) {
      Self.SetReturnValue(1);
    }
  });
  Waiter.Start();
  EXPECT_EQ(Waiter.WaitFor(), 1);

  TEvent Release(true, false);
  TLambdaThread SelfFreeing([&](TLambdaThread&) { Release.WaitFor(INFINITE); });
  SelfFreeing.Start();
  SelfFreeing.SetFreeOnTerminate(true);
  EXPECT_THROW(SelfFreeing.WaitFor(), EThread);
  SelfFreeing.SetFreeOnTerminate(false);
  Release.SetEvent();
  SelfFreeing.WaitFor();

  std::thread([] { EXPECT_THROW(CheckSynchronize(), EThread); }).join();
}

namespace {
std::atomic<bool> gSpinnerSawTerminated{false};
TEvent gSpinnerRunning(true, false);
} // namespace

TEST(Thread, DeletingARunningThreadStopsItFirst)
{
  // Execute touches only the base object and globals, which outlive the
  // derived part during deletion.
  struct TSpinner : TThread {
    void Execute() override
    {
      gSpinnerRunning.SetEvent();
      while (!Terminated())
        std::this_thread::sleep_for(1ms);
      gSpinnerSawTerminated = true;
    }
  };
  {
    TSpinner Worker;
    Worker.Start();
    gSpinnerRunning.WaitFor(INFINITE);
  }
  EXPECT_TRUE(gSpinnerSawTerminated);
}

TEST(Thread, PriorityIsAppliedBeforeAndWhileRunning)
{
  // Lowering is always allowed, so that is what is checked: a priority set
  // before Start applies from the first instruction, one set while running
  // at once.
  errno = 0;
  const int Base = getpriority(PRIO_PROCESS, 0);
  ASSERT_EQ(errno, 0);
  std::atomic<int> SeenAtStart{-100}, SeenLater{-100};
  TEvent Started(true, false), Changed(true, false);
  TLambdaThread Worker([&](TLambdaThread&) {
    SeenAtStart = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    Started.SetEvent();
    Changed.WaitFor(INFINITE);
    SeenLater = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
  });
  Worker.SetPriority(tpLower);
  Worker.Start();
  ASSERT_EQ(Started.WaitFor(5000), wrSignaled);
  Worker.SetPriority(tpIdle);
  Changed.SetEvent();
  Worker.WaitFor();
  EXPECT_EQ(SeenAtStart, std::min(Base + 5, 19));
  EXPECT_EQ(SeenLater, 19);
  EXPECT_EQ(Worker.Priority(), tpIdle);
}

namespace {

// The name the kernel shows for the calling thread.
std::string OwnThreadName()
{
  char Name[32] = {};
  pthread_getname_np(pthread_self(), Name, sizeof Name);
  return Name;
}

} // namespace

TEST(Thread, TheSystemShowsTheThreadsName)
{
  struct Case {
    const char* Given;
    const char* Shown;
  };
  // The kernel keeps 15 bytes: longer names are cut, never inside a character.
  const Case Cases[] = {
      {"COM1 read", "COM1 read"},
      {"COM20 dispatch", "COM20 dispatch"},
      {"a thread with a long name", "a thread with a"},
      {"12345678901234\xC3\xA9", "12345678901234"},
  };
  for (const Case& C : Cases) {
    std::string Seen;
    TLambdaThread Worker([&](TLambdaThread&) { Seen = OwnThreadName(); });
    Worker.SetName(QString::fromUtf8(C.Given));
    Worker.Start();
    Worker.WaitFor();
    EXPECT_EQ(Seen, C.Shown) << C.Given;
    EXPECT_EQ(Worker.Name(), QString::fromUtf8(C.Given)) << "the name as given is kept";
  }

  // A running thread that names itself takes the name at once.
  std::string Before, After;
  TLambdaThread Renaming([&](TLambdaThread& Self) {
    Before = OwnThreadName();
    Self.SetName(QStringLiteral("renamed"));
    After = OwnThreadName();
  });
  Renaming.SetName(QStringLiteral("first"));
  Renaming.Start();
  Renaming.WaitFor();
  EXPECT_EQ(Before, "first");
  EXPECT_EQ(After, "renamed");
}

TEST(Thread, QueuedCallsRunOnTheMainThreadInOrderWithSynchronisedOnes)
{
  EnsureQtApplication();
  TApplication App(nullptr);
  std::vector<String> Failures;
  App.OnException = [&](TObject*, const std::exception& E) { Failures.push_back(ExceptionMessage(E)); };
  std::vector<std::string> Ran;
  bool AllOnMain = true;
  const auto Note = [&](const char* Name) {
    return [&, Name] {
      AllOnMain = AllOnMain && IsMainThread();
      Ran.push_back(Name);
    };
  };
  TEvent Queued(true, false);
  std::atomic<bool> Done{false};
  std::vector<std::string> SeenAfterWait;
  TLambdaThread Worker([&](TLambdaThread&) {
    TThread::Queue(Note("first"));
    TThread::Queue([] { throw EConvertError(QStringLiteral("queued call failed")); });
    TThread::Queue(Note("second"));
    Queued.SetEvent();
    // Once this returns, all three have run.
    TThread::WaitQueued();
    SeenAfterWait = Ran;
    TThread::Queue(Note("third"));
    TThread::Synchronize(Note("synchronised"));
    Done = true;
  });
  Worker.Start();
  // Queue returned without the main thread having run anything.
  ASSERT_EQ(Queued.WaitFor(5000), wrSignaled);
  EXPECT_TRUE(Ran.empty());
  UntilDone(Done, [] { Application->ProcessMessages(); });
  Worker.WaitFor();
  EXPECT_EQ(SeenAfterWait, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(Ran, (std::vector<std::string>{"first", "second", "third", "synchronised"}));
  EXPECT_TRUE(AllOnMain);
  EXPECT_EQ(Failures, std::vector<String>{QStringLiteral("queued call failed")});

  // Queued from the main thread itself: not at once, at the next pump.
  Ran.clear();
  TThread::Queue(Note("from main"));
  EXPECT_TRUE(Ran.empty());
  Application->ProcessMessages();
  EXPECT_EQ(Ran, std::vector<std::string>{"from main"});
}
