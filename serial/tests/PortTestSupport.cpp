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

std::vector<String> ThreadNames()
{
  std::vector<String> Names;
  const QDir Tasks(QStringLiteral("/proc/self/task"));
  for (const QString& Tid : Tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QFile Comm(Tasks.filePath(Tid) + QStringLiteral("/comm"));
    if (Comm.open(QIODevice::ReadOnly))
      Names.push_back(QString::fromUtf8(Comm.readAll()).trimmed());
  }
  std::sort(Names.begin(), Names.end());
  return Names;
}
