#include "platform/Application.h"

#include "platform/Messages.h"
#include "platform/Thread.h"
#include "rtl/Exceptions.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <vector>

TApplication* Application = nullptr;

bool IsHeadless()
{
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    return true;
  const String Platform = QGuiApplication::platformName();
  return Platform == QLatin1String("offscreen") || Platform.startsWith(QLatin1String("minimal"));
}

namespace {

// Posted to the application's window when another thread left messages to
// show.
constexpr uint32_t CM_SHOWQUEUEDEXCEPTIONS = WM_APP + 0x0100;

// A sentence gets its full stop; a message ending in punctuation keeps it.
String AsShown(String Text)
{
  if (!Text.isEmpty() && Text.back() > QLatin1Char('.'))
    Text += QLatin1Char('.');
  return Text;
}

void WriteLogLine(const String& Title, const String& Text)
{
  const String Line = (Title.isEmpty() ? Text : Title + QStringLiteral(": ") + Text) + QLatin1Char('\n');
  const QByteArray Utf8 = Line.toUtf8();
  std::fputs(Utf8.constData(), stderr);
  std::fflush(stderr);
}

} // namespace

struct TApplication::Impl {
  std::atomic<bool> Terminated{false};
  std::unique_ptr<TMessageWindow> Window;
  std::mutex QueuedLock;
  std::vector<String> Queued;
};

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), D(std::make_unique<Impl>())
{
  if (!IsMainThread())
    throw EThread(QStringLiteral("The application object must be created on the main thread"));
  if (QCoreApplication::instance())
    FTitle = QCoreApplication::applicationName();
  D->Window = std::make_unique<TMessageWindow>([this](uint32_t Msg, uintptr_t, intptr_t) -> intptr_t {
    if (Msg != CM_SHOWQUEUEDEXCEPTIONS)
      return 0;
    std::vector<String> Texts;
    {
      std::lock_guard<std::mutex> Lock(D->QueuedLock);
      Texts.swap(D->Queued);
    }
    for (const String& Text : Texts) {
      if (OnException)
        OnException(this, Exception(Text));
      else
        ShowMessageText(AsShown(Text));
    }
    return 0;
  });
  if (!Application)
    Application = this;
}

TApplication::~TApplication()
{
  // The forms go first, while the application object still stands: closing
  // their ports pumps messages and may report a worker thread's failure,
  // both through Application.
  IncludeState(csDestroying);
  DestroyComponents();
  if (Application == this)
    Application = nullptr;
  // Messages of other threads that never got to the screen still reach the
  // log.
  std::lock_guard<std::mutex> Lock(D->QueuedLock);
  for (const String& Text : D->Queued)
    WriteLogLine(FTitle, AsShown(Text));
}

String TApplication::ClassName() const { return QStringLiteral("TApplication"); }

void TApplication::Run()
{
  if (Terminated())
    return;
  if (QCoreApplication::instance()) {
    AttachQueueToQtLoop();
    QCoreApplication::exec();
  } else {
    for (;;) {
      const uint32_t R = PumpOneMessage(true);
      if (R == WM_QUIT)
        break;
      if (R == 0)
        WaitMessageOrTimeout(INFINITE);
    }
  }
  D->Terminated = true;
}

void TApplication::Terminate()
{
  D->Terminated = true;
  PostQuitMessageToMainThread(0);
}

bool TApplication::Terminated() const { return D->Terminated.load(); }

void TApplication::ProcessMessages()
{
  if (ProcessPendingMessages())
    D->Terminated = true;
}

void TApplication::HandleException(const std::exception& E)
{
  if (dynamic_cast<const EAbort*>(&E))
    return;
  if (!IsMainThread()) {
    const String Text = ExceptionMessage(E);
    if (IsHeadless() && !OnException) {
      WriteLogLine(FTitle, AsShown(Text));
      return;
    }
    {
      std::lock_guard<std::mutex> Lock(D->QueuedLock);
      D->Queued.push_back(Text);
    }
    PostMessage(D->Window->Handle(), CM_SHOWQUEUEDEXCEPTIONS, 0, 0);
    return;
  }
  if (!OnException) {
    ShowException(E);
    return;
  }
  try {
    OnException(this, E);
  } catch (const std::exception& Inner) {
    // The handler of last resort must not throw past its callers.
    ShowException(Inner);
  } catch (...) {
    WriteLogLine(FTitle, QStringLiteral("Unknown exception in the application's exception handler"));
  }
}

void TApplication::ShowException(const std::exception& E) { ShowMessageText(AsShown(ExceptionMessage(E))); }

void TApplication::ShowMessageText(const String& Text)
{
  if (IsHeadless() || !IsMainThread())
    WriteLogLine(FTitle, Text);
  else
    QMessageBox::critical(nullptr, FTitle, Text);
}

void HandleApplicationException(const std::exception& E)
{
  if (Application) {
    Application->HandleException(E);
    return;
  }
  if (dynamic_cast<const EAbort*>(&E))
    return;
  WriteLogLine(QCoreApplication::instance() ? QCoreApplication::applicationName() : String(),
               AsShown(ExceptionMessage(E)));
}
