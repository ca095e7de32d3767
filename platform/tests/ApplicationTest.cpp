#include "platform/Application.h"

#include "QtTestApp.h"
#include "platform/Messages.h"
#include "platform/Thread.h"
#include "platform/Timer.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Ends Run even when the code under test fails to: a test that hangs
// reports nothing.
class TRunGuard {
public:
  TRunGuard()
  {
    FTimer.SetInterval(10000);
    FTimer.OnTimer = [this](TObject*) {
      TimedOut = true;
      Application->Terminate();
    };
  }
  bool TimedOut = false;

private:
  TTimer FTimer{nullptr};
};

} // namespace

TEST(Application, RunHandlesMessagesOfOtherThreadsAndEndsOnTerminate)
{
  EnsureQtApplication();
  TApplication App(nullptr);
  ASSERT_EQ(Application, &App);
  TRunGuard Guard;

  bool HandledOnMain = false;
  TMessageWindow W([&](uint32_t Msg, uintptr_t, intptr_t) -> intptr_t {
    if (Msg == WM_USER + 1)
      return 7;
    if (Msg == WM_USER) {
      HandledOnMain = IsMainThread();
      // A worker asks the main thread through Synchronize to end the loop.
      std::thread([] { TThread::Synchronize([] { Application->Terminate(); }); }).detach();
    }
    return 0;
  });
  // The way a port's dispatch thread notifies: a timed send, then a post.
  bool SendAnswered = false;
  intptr_t SendResult = 0;
  std::thread Notifier([&, H = W.Handle()] {
    SendAnswered = SendMessageTimeout(H, WM_USER + 1, 0, 0, 3000, &SendResult);
    PostMessage(H, WM_USER, 0, 0);
  });
  App.Run();
  Notifier.join();
  EXPECT_FALSE(Guard.TimedOut);
  EXPECT_TRUE(SendAnswered);
  EXPECT_EQ(SendResult, 7);
  EXPECT_TRUE(HandledOnMain);
  EXPECT_TRUE(App.Terminated());
  EXPECT_NE(PumpOneMessage(), WM_QUIT); // Run took the quit message
}

TEST(Application, TerminateFromAWorkerEndsRun)
{
  EnsureQtApplication();
  TApplication App(nullptr);
  TRunGuard Guard;
  TTimer Kick(nullptr);
  Kick.SetInterval(1);
  Kick.OnTimer = [&](TObject*) {
    Kick.SetEnabled(false);
    std::thread([] { Application->Terminate(); }).detach();
  };
  App.Run();
  EXPECT_FALSE(Guard.TimedOut);
  EXPECT_TRUE(App.Terminated());
}

TEST(Application, ProcessMessagesNotesTheQuitMessageAndLeavesIt)
{
  EnsureQtApplication();
  TApplication App(nullptr);
  PostQuitMessage(0);
  App.ProcessMessages();
  EXPECT_TRUE(App.Terminated());
  EXPECT_EQ(PumpOneMessage(), WM_QUIT);
  EXPECT_EQ(PumpOneMessage(true), WM_QUIT);
  // Already terminated: Run does not start a loop that nothing would end.
  App.Run();
}

TEST(Application, HandleExceptionWhenHeadless)
{
  EnsureQtApplication();
  TApplication App(nullptr);
  App.SetTitle(QStringLiteral("Fathomix"));
  struct Case {
    std::function<void()> Raise;
    const char* Logged; // nullptr: nothing
  } Cases[] = {
      {[] { throw EInOutError(QStringLiteral("File not found"), 2); }, "Fathomix: File not found.\n"},
      {[] { throw std::runtime_error("ends in punctuation!"); }, "Fathomix: ends in punctuation!\n"},
      {[] { throw EAbort(QStringLiteral("Operation aborted")); }, nullptr},
  };
  for (const Case& C : Cases) {
    testing::internal::CaptureStderr();
    try {
      C.Raise();
    } catch (const std::exception& E) {
      App.HandleException(E);
    }
    const std::string Err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Err, C.Logged ? C.Logged : "");
  }

  // From a worker thread the line is written at once.
  testing::internal::CaptureStderr();
  std::thread([] { HandleApplicationException(EReadError(QStringLiteral("Stream read error"))); }).join();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fathomix: Stream read error.\n");
}

TEST(Application, OnExceptionReplacesTheDefaultHandler)
{
  EnsureQtApplication();
  TApplication App(nullptr);
  std::string Got;
  bool OnMain = false;
  App.OnException = [&](TObject* Sender, const std::exception& E) {
    Got += E.what();
    OnMain = IsMainThread() && Sender == &App;
  };
  testing::internal::CaptureStderr();
  App.HandleException(EConvertError(QStringLiteral("one")));
  // A worker's exception is handed to the main thread, which shows it when
  // it pumps.
  std::thread([] { HandleApplicationException(EConvertError(QStringLiteral("two"))); }).join();
  for (int I = 0; I < 100 && Got != "onetwo"; ++I)
    if (PumpOneMessage() == 0)
      WaitMessageOrTimeout(20);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(Got, "onetwo");
  EXPECT_TRUE(OnMain);
}

TEST(Application, OwnedFormsAreFreedWhileTheApplicationStands)
{
  // A form's ports close in its destructor, pumping messages and reporting
  // worker failures through the application object.
  EnsureQtApplication();
  struct TForm : TComponent {
    using TComponent::TComponent;
    bool* SawApplication = nullptr;
    ~TForm() override
    {
      *SawApplication =
          Application == Owner() && Application != nullptr && (Owner()->ComponentState() & csDestroying) != 0;
      if (Application) {
        Application->ProcessMessages();
        Application->HandleException(EConvertError(QStringLiteral("Port closed badly")));
      }
    }
  };
  bool Saw = false;
  testing::internal::CaptureStderr();
  {
    auto* App = new TApplication(nullptr);
    App->SetTitle(QStringLiteral("Fathomix"));
    auto* Form = new TForm(App);
    Form->SawApplication = &Saw;
    delete App;
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fathomix: Port closed badly.\n");
  EXPECT_TRUE(Saw);
  EXPECT_EQ(Application, nullptr);
}
