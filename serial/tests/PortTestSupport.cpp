#include "PortTestSupport.h"

#include "platform/Application.h"
#include "platform/Messages.h"
#include "platform/Thread.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <thread>

ScopedEnv::ScopedEnv(const char* Name, const String& Value) : FName(Name)
{
  if (const char* Old = getenv(Name)) {
    FHad = true;
    FOld = Old;
  }
  setenv(Name, Value.toLocal8Bit().constData(), 1);
}

ScopedEnv::~ScopedEnv()
{
  if (FHad)
    setenv(FName.c_str(), FOld.c_str(), 1);
  else
    unsetenv(FName.c_str());
}

std::vector<String>& ShownMessages()
{
  static std::vector<String> Messages;
  static TApplication* App = [] {
    auto* A = new TApplication(nullptr);
    A->OnException = [](TObject*, const std::exception& E) { Messages.push_back(QString::fromUtf8(E.what())); };
    return A;
  }();
  (void)App;
  return Messages;
}

bool PumpUntil(const std::function<bool()>& Done, uint32_t LimitMs)
{
  ShownMessages(); // the application object takes the messages of other threads
  const auto Until = std::chrono::steady_clock::now() + std::chrono::milliseconds(LimitMs);
  while (!Done()) {
    if (std::chrono::steady_clock::now() >= Until)
      return Done();
    if (PumpOneMessage() == 0)
      WaitMessageOrTimeout(5);
  }
  return true;
}

bool WaitForHandOver()
{
  const auto Until = std::chrono::steady_clock::now() + std::chrono::milliseconds(WaitLimitMs);
  while (!SynchronizePending()) {
    if (std::chrono::steady_clock::now() >= Until)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

AnsiString ReadWholeFile(const String& Name)
{
  QFile F(Name);
  if (!F.open(QIODevice::ReadOnly))
    return "<missing>";
  return F.readAll();
}

namespace {

// Calls Each with the folder of every thread of this process and its name.
void ForEachThread(const std::function<void(const QString& Folder, const String& Name)>& Each)
{
  const QDir Tasks(QStringLiteral("/proc/self/task"));
  for (const QString& Tid : Tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QFile Comm(Tasks.filePath(Tid) + QStringLiteral("/comm"));
    if (Comm.open(QIODevice::ReadOnly))
      Each(Tasks.filePath(Tid), QString::fromUtf8(Comm.readAll()).trimmed());
  }
}

} // namespace

std::vector<String> ThreadNames()
{
  std::vector<String> Names;
  ForEachThread([&](const QString&, const String& Name) { Names.push_back(Name); });
  std::sort(Names.begin(), Names.end());
  return Names;
}

int64_t ThreadSleeps(const String& Name)
{
  int64_t Sleeps = -1;
  int32_t Found = 0;
  ForEachThread([&](const QString& Folder, const String& Thread) {
    if (Thread != Name || ++Found > 1)
      return;
    QFile Status(Folder + QStringLiteral("/status"));
    if (!Status.open(QIODevice::ReadOnly))
      return;
    for (const QByteArray& Line : Status.readAll().split('\n'))
      if (Line.startsWith("voluntary_ctxt_switches:"))
        Sleeps = Line.mid(24).trimmed().toLongLong();
  });
  return Found == 1 ? Sleeps : -1;
}
