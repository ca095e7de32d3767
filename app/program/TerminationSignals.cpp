#include "app/program/TerminationSignals.h"

#include "platform/Application.h"
#include "rtl/Exceptions.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// For the process's life: the handler may run at any moment, also after the
// last watch has gone, so the pipe it writes into is never closed (a closed
// descriptor's number could be reused by a file the byte would land in).
int SignalPipe[2] = {-1, -1};
bool Watching = false;

constexpr int WatchedSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void OnTerminationSignal(int Signal)
{
  // Only async-signal-safe calls here; errno belongs to the code interrupted.
  // A full pipe drops the byte: enough are waiting to close the program.
  const int SavedErrno = errno;
  const unsigned char Byte = static_cast<unsigned char>(Signal);
  [[maybe_unused]] const ssize_t Written = ::write(SignalPipe[1], &Byte, 1);
  errno = SavedErrno;
}

void InstallHandlers()
{
  if (::pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
    throw EOSError(QStringLiteral("Cannot create the signal pipe"), errno);
  struct sigaction Action {};
  Action.sa_handler = OnTerminationSignal;
  sigemptyset(&Action.sa_mask);
  Action.sa_flags = SA_RESTART;
  for (const int Signal : WatchedSignals)
    ::sigaction(Signal, &Action, nullptr);
}

// Reads what is waiting in the pipe into Buffer; 0 when nothing is.
ssize_t ReadPipe(unsigned char (&Buffer)[16])
{
  const ssize_t Got = ::read(SignalPipe[0], Buffer, sizeof Buffer);
  return Got > 0 ? Got : 0;
}

} // namespace

TTerminationSignals::TTerminationSignals()
{
  if (Watching)
    throw EInvalidOperation(QStringLiteral("The termination signals are already being watched"));
  if (SignalPipe[0] < 0) {
    // Whatever comes from here on is for this watch: a stop requested as
    // soon as the handlers are in place must not be lost.
    InstallHandlers();
  } else {
    unsigned char Stale[16];
    while (ReadPipe(Stale) > 0) {
    }
  }
  Watching = true;
  FNotifier = std::make_unique<QSocketNotifier>(SignalPipe[0], QSocketNotifier::Read);
  QObject::connect(FNotifier.get(), &QSocketNotifier::activated, [this] { ReadSignals(); });
}

TTerminationSignals::~TTerminationSignals()
{
  FNotifier.reset();
  Watching = false;
}

void TTerminationSignals::ReadSignals()
{
  unsigned char Buffer[16];
  for (ssize_t Got; (Got = ReadPipe(Buffer)) > 0;) {
    for (ssize_t I = 0; I < Got; ++I) {
      if (!OnSignal)
        continue;
      try {
        OnSignal(Buffer[I]);
      } catch (const std::exception& E) {
        HandleApplicationException(E);
      }
    }
  }
}
