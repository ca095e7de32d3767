#include "app/program/TerminationSignals.h"

#include "platform/Application.h"
#include "rtl/Exceptions.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int SignalPipe[2] = {-1, -1};
struct sigaction OldInt;
struct sigaction OldTerm;

extern "C" void OnTerminationSignal(int Signal)
{
  // Only async-signal-safe calls here; errno belongs to the code interrupted.
  const int SavedErrno = errno;
  const unsigned char Byte = static_cast<unsigned char>(Signal);
  [[maybe_unused]] const ssize_t Written = ::write(SignalPipe[1], &Byte, 1);
  errno = SavedErrno;
}

} // namespace

TTerminationSignals::TTerminationSignals()
{
  if (SignalPipe[0] >= 0)
    throw EInvalidOperation(QStringLiteral("The termination signals are already being watched"));
  if (::pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
    throw EOSError(QStringLiteral("Cannot create the signal pipe"), errno);
  struct sigaction Action {};
  Action.sa_handler = OnTerminationSignal;
  sigemptyset(&Action.sa_mask);
  Action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &Action, &OldInt);
  ::sigaction(SIGTERM, &Action, &OldTerm);
  FNotifier = std::make_unique<QSocketNotifier>(SignalPipe[0], QSocketNotifier::Read);
  QObject::connect(FNotifier.get(), &QSocketNotifier::activated, [this] { ReadSignals(); });
}

TTerminationSignals::~TTerminationSignals()
{
  ::sigaction(SIGINT, &OldInt, nullptr);
  ::sigaction(SIGTERM, &OldTerm, nullptr);
  FNotifier.reset();
  ::close(SignalPipe[0]);
  ::close(SignalPipe[1]);
  SignalPipe[0] = SignalPipe[1] = -1;
}

void TTerminationSignals::ReadSignals()
{
  unsigned char Buffer[16];
  for (;;) {
    const ssize_t Got = ::read(SignalPipe[0], Buffer, sizeof Buffer);
    if (Got <= 0)
      break;
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
