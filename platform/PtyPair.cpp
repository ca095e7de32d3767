#include "platform/PtyPair.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
{
  char Name[128] = {};
  int Master = -1, Slave = -1;
  if (openpty(&Master, &Slave, Name, nullptr, nullptr) != 0)
    return;
  // Raw from the start: a cooked slave would echo the master's bytes back
  // and turn CR into LF before the port has opened and set its own mode.
  termios Raw{};
  if (tcgetattr(Slave, &Raw) == 0) {
    cfmakeraw(&Raw);
    Raw.c_cflag |= CLOCAL | CREAD;
    tcsetattr(Slave, TCSANOW, &Raw);
  }
  fcntl(Master, F_SETFD, FD_CLOEXEC);
  fcntl(Slave, F_SETFD, FD_CLOEXEC);
  FMaster = Master;
  FSlave = Slave;
  FSlavePath = QString::fromLocal8Bit(Name);
}

PtyPair::~PtyPair()
{
  CloseMaster();
  if (FSlave >= 0)
    close(FSlave);
}

void PtyPair::CloseMaster()
{
  if (FMaster >= 0)
    close(FMaster);
  FMaster = -1;
}

bool PtyPair::WriteMaster(const AnsiString& Data)
{
  qsizetype Done = 0;
  while (FMaster >= 0 && Done < Data.size()) {
    const ssize_t N = write(FMaster, Data.constData() + Done, size_t(Data.size() - Done));
    if (N > 0)
      Done += N;
    else if (N < 0 && errno != EINTR)
      return false;
  }
  return FMaster >= 0;
}

AnsiString PtyPair::ReadMaster(int32_t Count, int32_t TimeoutMs)
{
  using Clock = std::chrono::steady_clock;
  const auto Until = Clock::now() + std::chrono::milliseconds(TimeoutMs);
  AnsiString Got;
  while (FMaster >= 0 && Got.size() < Count) {
    const auto Left = std::chrono::ceil<std::chrono::milliseconds>(Until - Clock::now()).count();
    if (Left <= 0)
      break;
    pollfd P = {FMaster, POLLIN, 0};
    const int R = poll(&P, 1, int(Left));
    if (R < 0 && errno == EINTR)
      continue;
    if (R <= 0 || !(P.revents & POLLIN))
      break;
    char Buf[256];
    const ssize_t N = read(FMaster, Buf, size_t(std::min<qsizetype>(sizeof Buf, Count - Got.size())));
    if (N < 0 && errno == EINTR)
      continue;
    if (N <= 0)
      break;
    Got.append(Buf, N);
  }
  return Got;
}
