#include "platform/SerialDevice.h"
#include "platform/SerialLineSettings.h"
#include "platform/Thread.h"

// termios2 comes from the kernel headers; <termios.h> must stay out.
#include <asm/termbits.h>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <linux/serial.h>
#include <mutex>
#include <poll.h>
#include <pthread.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>
#include <atomic>

namespace {

using Clock = std::chrono::steady_clock;

uint32_t Fail(uint32_t Code)
{
  SetSerialLastError(Code);
  return Code;
}

// The kernel says a device has no such line or feature in several ways.
bool NotSupported(int Err) { return Err == ENOTTY || Err == EINVAL || Err == ENOSYS || Err == EOPNOTSUPP; }

bool DeviceGoneErrno(int Err) { return Err == EIO || Err == ENXIO || Err == ENODEV || Err == EPIPE; }

uint32_t OpenErrorCode(int Err)
{
  switch (Err) {
  case ENOENT:
  case ENOTDIR:
  case ENODEV:
  case ENXIO:
  case EIO: // an 8250 port without a UART behind it
  case ENOTTY:
    return SysErr::FileNotFound;
  case EACCES:
  case EPERM:
  case EBUSY: // another opener set TIOCEXCL
  case EWOULDBLOCK:
    return SysErr::AccessDenied;
  case EMFILE:
  case ENFILE:
    return SysErr::TooManyOpenFiles;
  case ENOMEM:
    return SysErr::NotEnoughMemory;
  default:
    return SysErr::GenFailure;
  }
}

// Pseudo-terminal slaves: Unix 98 (majors 136 to 143) and the old BSD ones (3).
bool IsPtySlave(dev_t Rdev)
{
  const unsigned Major = major(Rdev);
  return Major == 3 || (Major >= 136 && Major <= 143);
}

class Deadline {
public:
  explicit Deadline(int32_t TimeoutMs)
      : Forever(TimeoutMs < 0), At(Clock::now() + std::chrono::milliseconds(TimeoutMs < 0 ? 0 : TimeoutMs))
  {
  }
  int RemainingMs() const
  {
    if (Forever)
      return -1;
    const auto Left = std::chrono::ceil<std::chrono::milliseconds>(At - Clock::now()).count();
    return Left <= 0 ? 0 : int(Left);
  }
  bool Expired() const { return !Forever && Clock::now() >= At; }

private:
  bool Forever;
  Clock::time_point At;
};

void Signal(int Fd)
{
  const uint64_t One = 1;
  while (write(Fd, &One, sizeof One) < 0 && errno == EINTR) {
  }
}

void Drain(int Fd)
{
  uint64_t Count;
  while (read(Fd, &Count, sizeof Count) < 0 && errno == EINTR) {
  }
}

// The signal that knocks the modem-line watcher out of TIOCMIWAIT, which no
// file descriptor can wake. Installed once, without SA_RESTART, and only over
// the default action: a handler someone else installed might restart the call.
int WatcherSignal() { return SIGRTMIN + 4; }

void IgnoreSignal(int) {}

bool WatcherSignalReady()
{
  static const bool Ready = [] {
    struct sigaction Old {};
    if (sigaction(WatcherSignal(), nullptr, &Old) != 0 || Old.sa_handler != SIG_DFL)
      return false;
    struct sigaction Act {};
    Act.sa_handler = IgnoreSignal;
    sigemptyset(&Act.sa_mask);
    Act.sa_flags = 0;
    return sigaction(WatcherSignal(), &Act, nullptr) == 0;
  }();
  return Ready;
}

struct LineCounts {
  uint32_t Cts = 0, Dsr = 0, Rng = 0, Dcd = 0;
  uint32_t Frame = 0, Overrun = 0, Parity = 0, Brk = 0, BufOverrun = 0;
};

bool ReadCounts(int Fd, LineCounts& C)
{
  serial_icounter_struct Ic{};
  if (ioctl(Fd, TIOCGICOUNT, &Ic) != 0)
    return false;
  C.Cts = uint32_t(Ic.cts);
  C.Dsr = uint32_t(Ic.dsr);
  C.Rng = uint32_t(Ic.rng);
  C.Dcd = uint32_t(Ic.dcd);
  C.Frame = uint32_t(Ic.frame);
  C.Overrun = uint32_t(Ic.overrun);
  C.Parity = uint32_t(Ic.parity);
  C.Brk = uint32_t(Ic.brk);
  C.BufOverrun = uint32_t(Ic.buf_overrun);
  return true;
}

uint32_t ErrorBitsBetween(const LineCounts& Old, const LineCounts& New)
{
  uint32_t Bits = 0;
  if (New.BufOverrun != Old.BufOverrun)
    Bits |= LineError::RxOver;
  if (New.Overrun != Old.Overrun)
    Bits |= LineError::Overrun;
  if (New.Parity != Old.Parity)
    Bits |= LineError::RxParity;
  if (New.Frame != Old.Frame)
    Bits |= LineError::Frame;
  if (New.Brk != Old.Brk)
    Bits |= LineError::Break;
  return Bits;
}

uint32_t ModemBitsOf(int Lines)
{
  uint32_t S = 0;
  if (Lines & TIOCM_CTS)
    S |= ModemLine::Cts;
  if (Lines & TIOCM_DSR)
    S |= ModemLine::Dsr;
  if (Lines & TIOCM_RNG)
    S |= ModemLine::Ring;
  if (Lines & TIOCM_CD)
    S |= ModemLine::Rlsd;
  return S;
}

// Switches the driver's RS485 mode (RTS raised while sending); false where
// the driver has none.
bool SetRs485(int Fd, bool On)
{
  serial_rs485 Rs{};
  if (ioctl(Fd, TIOCGRS485, &Rs) != 0)
    return false;
  Rs.flags &= ~(SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND | SER_RS485_RTS_AFTER_SEND);
  if (On)
    Rs.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
  return ioctl(Fd, TIOCSRS485, &Rs) == 0;
}

} // namespace

struct SerialDevice::Impl {
  // Guards the descriptor's life: Fd, Users, Closing, Path and the flags set at open.
  mutable std::mutex M;
  std::condition_variable Idle;
  int Fd = -1;
  int EpollFd = -1; // the device, edge-triggered: one report per arrival
  int Users = 0;
  bool Closing = false;
  bool Pty = false;
  // Cleared as well when the driver refuses to report the lines later.
  std::atomic<bool> HasModemLines{false};
  bool HasCounters = false;
  String Path;
  // What the device's own thread is called after: "COM1", or the device's
  // file name when it was opened by path.
  String Name;
  std::atomic<bool> Gone{false};

  // One wake-up per kind of wait, so that waking one kind never eats the
  // wake-up of another; CloseWake stays signalled from Close to the next Open.
  int ReadWake = -1, WriteWake = -1, EventWake = -1, CloseWake = -1, NoteWake = -1, InputWake = -1;
  std::atomic<uint64_t> ReadAborts{0}, WriteAborts{0}, MaskChanges{0};
  // InputWake has been signalled and its waiter has not yet taken it: more
  // wake-ups need no system call.
  std::atomic<bool> InputWakePending{false};

  // Line state the device cannot report itself; guarded by LineM.
  mutable std::mutex LineM;
  SerialLineState Asked;
  uint32_t DtrControl = LineFlag::DtrEnable;
  uint32_t RtsControl = LineFlag::RtsEnable;
  bool Rs485On = false;
  // What the device had before we opened it, given back at Close: a probe
  // that opens and closes every port must leave other users' lines alone.
  termios2 Original{};
  bool OriginalRs485 = false;
  uint32_t InSize = 0, OutSize = 0;
  LineCounts ErrorBase;
  String Refusal;

  // Events; EventBase and History belong to the one event-waiting thread
  // and SetEventMask, under EventM.
  std::mutex EventM;
  std::atomic<uint32_t> EventMask{0};
  uint32_t History = 0;
  LineCounts EventBase;
  // Events noted outside WaitEvent (modem lines, bytes taken by Read), for NoteWake.
  std::atomic<uint32_t> Pending{0};

  std::thread Watcher;
  std::atomic<bool> StopWatcher{false};
  std::atomic<bool> WatcherDone{true};

  ~Impl()
  {
    for (int F : {ReadWake, WriteWake, EventWake, CloseWake, NoteWake, InputWake})
      if (F >= 0)
        close(F);
  }

  bool MakeWakes()
  {
    for (int* F : {&ReadWake, &WriteWake, &EventWake, &CloseWake, &NoteWake, &InputWake}) {
      if (*F < 0)
        *F = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
      if (*F < 0)
        return false;
    }
    return true;
  }

  uint32_t MarkGone()
  {
    if (!Gone.exchange(true)) {
      // The other waits learn it from their own wake-up rather than from the
      // device, which may not report the loss to every waiter.
      Signal(ReadWake);
      Signal(WriteWake);
      Signal(EventWake);
    }
    return Fail(SysErr::BadCommand);
  }

  uint32_t IoError(int Err)
  {
    if (DeviceGoneErrno(Err))
      return MarkGone();
    if (Err == EBADF)
      return Fail(SysErr::InvalidHandle);
    return Fail(SysErr::GenFailure);
  }

  // The event wait learns of arrivals from the device, but only of bytes
  // still unread when it looks; bytes a reader has taken meanwhile are noted
  // here, so that their arrival (and any line error with them) is reported.
  void NoteArrival()
  {
    if (WatchesArrivals() && !(Pending.fetch_or(CommEvent::RxChar) & CommEvent::RxChar))
      Signal(NoteWake);
  }

  // Whether an arrival of bytes can give an event the mask asks for: the
  // arrival itself, or the line errors and breaks the driver counts with it.
  // A device without those counters (a pseudo-terminal, some USB adapters)
  // never reports them, so its event wait is not woken by every arrival
  // only to find nothing to report.
  bool WatchesArrivals() const
  {
    const uint32_t Mask = EventMask;
    return (Mask & CommEvent::RxChar) || ((Mask & (CommEvent::Err | CommEvent::Break)) && HasCounters);
  }

  // Under EventM: the events that come with an arrival of bytes.
  uint32_t ArrivalEvents(int Device)
  {
    uint32_t Bits = CommEvent::RxChar;
    LineCounts Now;
    // Line errors and breaks arrive with received bytes, so the driver's
    // counters are worth a look exactly when bytes arrive.
    if (HasCounters && ReadCounts(Device, Now)) {
      const uint32_t Errors = ErrorBitsBetween(EventBase, Now);
      if (Errors & LineError::Break)
        Bits |= CommEvent::Break;
      if (Errors & (LineError::Frame | LineError::Overrun | LineError::RxParity))
        Bits |= CommEvent::Err;
      EventBase = Now;
    }
    return Bits;
  }

  void StartWatcher();
  void StopWatching();
  void WatchModemLines(int Device);
};

namespace {

// Holds the device open for the length of one call: Close waits until every
// call has left, so no call ever uses a closed (or reused) descriptor.
class DeviceUse {
public:
  explicit DeviceUse(SerialDevice::Impl* Dev) : D(Dev)
  {
    std::lock_guard<std::mutex> Lock(D->M);
    if (D->Fd < 0 || D->Closing)
      Error = SysErr::InvalidHandle;
    else if (D->Gone)
      Error = SysErr::BadCommand;
    else {
      ++D->Users;
      Fd = D->Fd;
    }
  }
  ~DeviceUse()
  {
    if (Fd < 0)
      return;
    std::lock_guard<std::mutex> Lock(D->M);
    if (--D->Users == 0)
      D->Idle.notify_all();
  }
  DeviceUse(const DeviceUse&) = delete;
  DeviceUse& operator=(const DeviceUse&) = delete;

  uint32_t Error = 0;
  int Fd = -1;

private:
  SerialDevice::Impl* D;
};

// Waits for Events on the device or for the wake-up of this kind of wait.
// Aborts counts the aborts of this kind; a change since Seen ends the wait.
uint32_t WaitDevice(SerialDevice::Impl* D, int Fd, short Events, int Wake, const std::atomic<uint64_t>& Aborts,
                    uint64_t Seen, const Deadline& Until)
{
  for (;;) {
    pollfd P[3] = {{Fd, Events, 0}, {Wake, POLLIN, 0}, {D->CloseWake, POLLIN, 0}};
    const int R = poll(P, 3, Until.RemainingMs());
    if (R < 0) {
      if (errno == EINTR)
        continue;
      return Fail(SysErr::GenFailure);
    }
    if (P[2].revents)
      return Fail(SysErr::InvalidHandle);
    if (P[1].revents) {
      Drain(Wake);
      if (D->Gone)
        return Fail(SysErr::BadCommand);
      if (Aborts.load() != Seen)
        return Fail(SysErr::OperationAborted);
    }
    if (P[0].revents & Events)
      return SysErr::Success;
    if (P[0].revents & (POLLHUP | POLLERR | POLLNVAL))
      return D->MarkGone();
    if (R == 0)
      return Fail(SysErr::Timeout);
  }
}

} // namespace

void SerialDevice::Impl::StartWatcher()
{
  if (!HasModemLines || !WatcherDone || Watcher.joinable() || !WatcherSignalReady())
    return;
  StopWatcher = false;
  WatcherDone = false;
  Watcher = std::thread(&Impl::WatchModemLines, this, Fd);
}

void SerialDevice::Impl::StopWatching()
{
  if (!Watcher.joinable())
    return;
  StopWatcher = true;
  // The signal may land just before the thread enters the ioctl, so it is
  // repeated until the thread has seen the stop request.
  while (!WatcherDone) {
    pthread_kill(Watcher.native_handle(), WatcherSignal());
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  Watcher.join();
}

void SerialDevice::Impl::WatchModemLines(int Device)
{
  SetCurrentThreadName(Name + QStringLiteral(" lines"));
  sigset_t Set;
  sigemptyset(&Set);
  sigaddset(&Set, WatcherSignal());
  pthread_sigmask(SIG_UNBLOCK, &Set, nullptr);

  // Which line changed: from the driver's transition counters where it keeps
  // them (a pulse shorter than our wake-up still counts), else from levels.
  auto Snapshot = [&](LineCounts& C) {
    if (HasCounters && ReadCounts(Device, C))
      return true;
    int Lines = 0;
    if (ioctl(Device, TIOCMGET, &Lines) != 0)
      return false;
    C = LineCounts();
    C.Cts = Lines & TIOCM_CTS;
    C.Dsr = Lines & TIOCM_DSR;
    C.Rng = Lines & TIOCM_RNG;
    C.Dcd = Lines & TIOCM_CD;
    return true;
  };
  LineCounts Prev;
  bool Ok = Snapshot(Prev);
  while (Ok && !StopWatcher) {
    LineCounts Now;
    if (!Snapshot(Now))
      break;
    uint32_t Bits = 0;
    if (Now.Cts != Prev.Cts)
      Bits |= CommEvent::Cts;
    if (Now.Dsr != Prev.Dsr)
      Bits |= CommEvent::Dsr;
    if (Now.Dcd != Prev.Dcd)
      Bits |= CommEvent::Rlsd;
    if (Now.Rng != Prev.Rng)
      Bits |= CommEvent::Ring;
    Prev = Now;
    if (Bits) {
      Pending |= Bits;
      Signal(NoteWake);
      continue; // look again before waiting: more may have changed meanwhile
    }
    if (ioctl(Device, TIOCMIWAIT, TIOCM_CTS | TIOCM_DSR | TIOCM_CD | TIOCM_RNG) != 0 && errno != EINTR)
      break; // the driver cannot wait for lines, or the device has gone
  }
  WatcherDone = true;
}

SerialDevice::SerialDevice() : d(std::make_unique<Impl>()) {}

SerialDevice::~SerialDevice() { Close(); }

uint32_t SerialDevice::Open(const String& ComName)
{
  const int32_t N = ParseComPortName(ComName);
  if (N == 0)
    return Fail(SysErr::FileNotFound);
  const uint32_t R = OpenPath(ComPortDevicePath(N));
  if (R == SysErr::Success) {
    std::lock_guard<std::mutex> Lock(d->M);
    d->Name = QStringLiteral("COM%1").arg(N);
  }
  return R;
}

uint32_t SerialDevice::OpenPath(const String& Path)
{
  std::unique_lock<std::mutex> Lock(d->M);
  if (d->Fd >= 0)
    return Fail(SysErr::AccessDenied);
  if (!d->MakeWakes())
    return Fail(SysErr::TooManyOpenFiles);
  const QByteArray Name = Path.toLocal8Bit();
  const int Fd = open(Name.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (Fd < 0)
    return Fail(OpenErrorCode(errno));
  auto Refuse = [&](uint32_t Code) {
    close(Fd);
    return Fail(Code);
  };
  termios2 T{};
  if (ioctl(Fd, TCGETS2, &T) != 0)
    return Refuse(SysErr::FileNotFound); // not a terminal device
  const termios2 Original = T;
  // TIOCEXCL keeps other users out but not root; the lock keeps out every
  // other opener that locks, root or not, this process included.
  if (flock(Fd, LOCK_EX | LOCK_NB) != 0)
    return Refuse(errno == EWOULDBLOCK ? SysErr::AccessDenied : SysErr::GenFailure);
  ioctl(Fd, TIOCEXCL);
  MakeRawLine(T);
  if (ioctl(Fd, TCSETS2, &T) != 0) {
    const int Err = errno;
    ioctl(Fd, TIOCNXCL);
    return Refuse(DeviceGoneErrno(Err) ? SysErr::FileNotFound : SysErr::GenFailure);
  }
  const int Ep = epoll_create1(EPOLL_CLOEXEC);
  epoll_event Ev{};
  Ev.events = EPOLLIN | EPOLLET;
  if (Ep < 0 || epoll_ctl(Ep, EPOLL_CTL_ADD, Fd, &Ev) != 0) {
    if (Ep >= 0)
      close(Ep);
    ioctl(Fd, TIOCNXCL);
    return Refuse(SysErr::TooManyOpenFiles);
  }

  struct stat St {};
  d->Pty = fstat(Fd, &St) == 0 && IsPtySlave(St.st_rdev);
  int Lines = 0;
  d->HasModemLines = ioctl(Fd, TIOCMGET, &Lines) == 0;
  LineCounts Counts;
  d->HasCounters = ReadCounts(Fd, Counts);
  serial_rs485 Rs{};
  const bool Rs485 = ioctl(Fd, TIOCGRS485, &Rs) == 0 && (Rs.flags & SER_RS485_ENABLED);

  for (int W : {d->ReadWake, d->WriteWake, d->EventWake, d->CloseWake, d->NoteWake, d->InputWake})
    Drain(W);
  d->InputWakePending = false;
  {
    std::lock_guard<std::mutex> L(d->LineM);
    d->Asked = SerialLineState();
    DecodeLineState(T, d->Asked);
    // The kernel raises DTR and RTS when a port opens.
    d->DtrControl = LineFlag::DtrEnable;
    d->RtsControl = LineFlag::RtsEnable;
    d->Rs485On = Rs485;
    d->Original = Original;
    d->OriginalRs485 = Rs485;
    d->InSize = d->OutSize = 0;
    d->ErrorBase = Counts;
    d->Refusal.clear();
  }
  {
    std::lock_guard<std::mutex> L(d->EventM);
    d->EventMask = 0;
    d->History = 0;
    d->EventBase = Counts;
    d->Pending = 0;
  }
  d->Gone = false;
  d->Closing = false;
  d->Users = 0;
  d->EpollFd = Ep;
  d->Path = Path;
  d->Name = Path.section(QLatin1Char('/'), -1);
  d->Fd = Fd;
  return SysErr::Success;
}

void SerialDevice::Close()
{
  std::unique_lock<std::mutex> Lock(d->M);
  if (d->Fd < 0)
    return;
  if (d->Closing) {
    // Another thread is closing: return once it has finished.
    d->Idle.wait(Lock, [&] { return d->Fd < 0 || !d->Closing; });
    return;
  }
  d->Closing = true;
  Signal(d->CloseWake);
  Lock.unlock();
  d->StopWatching();
  Lock.lock();
  d->Idle.wait(Lock, [&] { return d->Users == 0; });
  if (!d->Gone) {
    // The last close of a serial tty waits until the driver has sent what it
    // holds, up to 30 s, and for ever as far as anyone can tell when the far
    // side holds the line by CTS or XOFF: a program could not end. Output
    // still queued at close is dropped instead, as the port's own close
    // purges it first anyway. A pseudo-terminal never waits, and flushing
    // it would take back bytes the far side has already been given.
    if (!d->Pty)
      ioctl(d->Fd, TCFLSH, TCOFLUSH);
    std::lock_guard<std::mutex> L(d->LineM);
    if (d->Rs485On != d->OriginalRs485)
      SetRs485(d->Fd, d->OriginalRs485);
    ioctl(d->Fd, TCSETS2, &d->Original);
  }
  // The exclusive flag belongs to the terminal, not to our descriptor: left
  // set, it would keep everyone but root out after we have gone.
  ioctl(d->Fd, TIOCNXCL);
  close(d->EpollFd);
  close(d->Fd);
  d->EpollFd = -1;
  d->Fd = -1;
  d->Closing = false;
  d->Idle.notify_all();
}

bool SerialDevice::IsOpen() const
{
  std::lock_guard<std::mutex> Lock(d->M);
  return d->Fd >= 0 && !d->Closing;
}

String SerialDevice::DevicePath() const
{
  std::lock_guard<std::mutex> Lock(d->M);
  return d->Path;
}

bool SerialDevice::IsGone() const { return d->Gone; }

bool SerialDevice::IsPseudoTerminal() const
{
  std::lock_guard<std::mutex> Lock(d->M);
  return d->Pty;
}

uint32_t SerialDevice::SetupQueues(uint32_t InSize, uint32_t OutSize)
{
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  std::lock_guard<std::mutex> L(d->LineM);
  d->InSize = InSize;
  d->OutSize = OutSize;
  return SysErr::Success;
}

uint32_t SerialDevice::GetState(SerialLineState& State)
{
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  termios2 T{};
  if (ioctl(Use.Fd, TCGETS2, &T) != 0)
    return d->IoError(errno);
  std::lock_guard<std::mutex> L(d->LineM);
  State = d->Asked;
  // A pseudo-terminal forces 8 bits without parity; what it was asked for is
  // what a port on the far side of it would run.
  DecodeLineState(T, State, d->Pty ? &d->Asked : nullptr);
  State.Flags &= ~(LineFlag::DtrControlMask | LineFlag::RtsControlMask);
  State.Flags |= d->DtrControl | (d->Rs485On ? LineFlag::RtsToggle : d->RtsControl);
  return SysErr::Success;
}

uint32_t SerialDevice::SetState(const SerialLineState& State)
{
  auto Refuse = [&](const String& Why) {
    std::lock_guard<std::mutex> L(d->LineM);
    d->Refusal = Why;
    return Fail(SysErr::InvalidParameter);
  };
  String Why;
  if (!CheckLineState(State, &Why))
    return Refuse(Why);
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  const int Fd = Use.Fd;
  std::unique_lock<std::mutex> L(d->LineM);
  termios2 Old{};
  if (ioctl(Fd, TCGETS2, &Old) != 0)
    return d->IoError(errno);

  // RS485 first: a driver without it refuses before anything has changed.
  const bool WantToggle = (State.Flags & LineFlag::RtsControlMask) == LineFlag::RtsToggle;
  const bool WasToggle = d->Rs485On;
  if (WantToggle != WasToggle && !SetRs485(Fd, WantToggle)) {
    L.unlock();
    return Refuse(WantToggle ? QStringLiteral("RTS toggle needs a driver with RS485 support, which this device lacks")
                             : QStringLiteral("The device refused to leave RS485 mode"));
  }
  auto Undo = [&] {
    ioctl(Fd, TCSETS2, &Old);
    if (WantToggle != WasToggle)
      SetRs485(Fd, WasToggle);
  };

  termios2 T = Old;
  EncodeLineState(State, T);
  if (ioctl(Fd, TCSETS2, &T) != 0) {
    const int Err = errno;
    Undo();
    L.unlock();
    if (DeviceGoneErrno(Err))
      return d->MarkGone();
    return Refuse(QStringLiteral("The device refused the line settings"));
  }
  // Drivers adjust what they cannot do (an 8250 clamps the rate to its
  // clock) instead of failing; such a line would garble every byte.
  termios2 Got{};
  if (ioctl(Fd, TCGETS2, &Got) != 0) {
    const int Err = errno;
    Undo();
    return d->IoError(Err);
  }
  const String Mismatch = LineMismatch(T, Got, !d->Pty);
  if (!Mismatch.isEmpty()) {
    Undo();
    L.unlock();
    return Refuse(Mismatch);
  }
  d->Asked = State;
  d->Rs485On = WantToggle;
  d->DtrControl = State.Flags & LineFlag::DtrControlMask;
  if (!WantToggle)
    d->RtsControl = State.Flags & LineFlag::RtsControlMask;
  L.unlock();

  // The control modes set the line levels, as a new DCB does.
  uint32_t R = SetDtr((State.Flags & LineFlag::DtrControlMask) == LineFlag::DtrEnable);
  if (R == SysErr::Success && !WantToggle)
    R = SetRts((State.Flags & LineFlag::RtsControlMask) != 0);
  return R;
}

String SerialDevice::LastRefusal() const
{
  std::lock_guard<std::mutex> L(d->LineM);
  return d->Refusal;
}

namespace {

uint32_t ChangeModemLine(SerialDevice::Impl* D, int Line, bool On)
{
  DeviceUse Use(D);
  if (Use.Error)
    return Fail(Use.Error);
  if (ioctl(Use.Fd, On ? TIOCMBIS : TIOCMBIC, &Line) != 0 && !NotSupported(errno))
    return D->IoError(errno);
  return SysErr::Success;
}

uint32_t DeviceCall(SerialDevice::Impl* D, unsigned long Request, unsigned long Arg)
{
  DeviceUse Use(D);
  if (Use.Error)
    return Fail(Use.Error);
  if (ioctl(Use.Fd, Request, Arg) != 0)
    return D->IoError(errno);
  return SysErr::Success;
}

// The bytes in one of the driver's queues: FIONREAD (received, unread) or
// TIOCOUTQ (not yet sent). False with errno set on failure.
bool ReadQueueCount(int Fd, unsigned long Request, uint32_t& Count)
{
  int N = 0;
  if (ioctl(Fd, Request, &N) != 0)
    return false;
  Count = uint32_t(N < 0 ? 0 : N);
  return true;
}

uint32_t QueueCall(SerialDevice::Impl* D, unsigned long Request, uint32_t& Count)
{
  Count = 0;
  DeviceUse Use(D);
  if (Use.Error)
    return Fail(Use.Error);
  if (!ReadQueueCount(Use.Fd, Request, Count))
    return D->IoError(errno);
  return SysErr::Success;
}

} // namespace

uint32_t SerialDevice::SetDtr(bool On) { return ChangeModemLine(d.get(), TIOCM_DTR, On); }

uint32_t SerialDevice::SetRts(bool On) { return ChangeModemLine(d.get(), TIOCM_RTS, On); }

uint32_t SerialDevice::SetBreak(bool On) { return DeviceCall(d.get(), On ? TIOCSBRK : TIOCCBRK, 0); }

uint32_t SerialDevice::LineFunction(uint32_t Function)
{
  switch (Function) {
  case LineFunc::SetXoff:
    return DeviceCall(d.get(), TCXONC, TCOOFF);
  case LineFunc::SetXon:
    return DeviceCall(d.get(), TCXONC, TCOON);
  case LineFunc::SetRts:
    return SetRts(true);
  case LineFunc::ClrRts:
    return SetRts(false);
  case LineFunc::SetDtr:
    return SetDtr(true);
  case LineFunc::ClrDtr:
    return SetDtr(false);
  case LineFunc::SetBreak:
    return SetBreak(true);
  case LineFunc::ClrBreak:
    return SetBreak(false);
  default:
    return Fail(SysErr::InvalidParameter);
  }
}

uint32_t SerialDevice::GetModemStatus(uint32_t& Status)
{
  Status = 0;
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  if (!d->HasModemLines)
    return SysErr::NotSupported;
  int Lines = 0;
  if (ioctl(Use.Fd, TIOCMGET, &Lines) != 0) {
    if (!NotSupported(errno))
      return d->IoError(errno);
    d->HasModemLines = false;
    return SysErr::NotSupported;
  }
  Status = ModemBitsOf(Lines);
  return SysErr::Success;
}

uint32_t SerialDevice::ClearError(uint32_t& Errors, SerialStatus* Status)
{
  Errors = 0;
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  const int Fd = Use.Fd;
  bool CtsFlow;
  {
    std::lock_guard<std::mutex> L(d->LineM);
    LineCounts Now;
    if (d->HasCounters && ReadCounts(Fd, Now)) {
      Errors = ErrorBitsBetween(d->ErrorBase, Now);
      d->ErrorBase = Now;
    }
    CtsFlow = d->Asked.Flags & LineFlag::OutxCtsFlow;
  }
  if (!Status)
    return SysErr::Success;
  *Status = SerialStatus();
  if (!ReadQueueCount(Fd, FIONREAD, Status->InQue) || !ReadQueueCount(Fd, TIOCOUTQ, Status->OutQue))
    return d->IoError(errno);
  int Lines = 0;
  if (CtsFlow && ioctl(Fd, TIOCMGET, &Lines) == 0)
    Status->CtsHold = !(Lines & TIOCM_CTS);
  return SysErr::Success;
}

uint32_t SerialDevice::Purge(uint32_t Flags)
{
  if (Flags & ~(PurgeFlag::TxAbort | PurgeFlag::RxAbort | PurgeFlag::TxClear | PurgeFlag::RxClear))
    return Fail(SysErr::InvalidParameter);
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  if (Flags & PurgeFlag::TxAbort) {
    ++d->WriteAborts;
    Signal(d->WriteWake);
  }
  if (Flags & PurgeFlag::RxAbort) {
    ++d->ReadAborts;
    Signal(d->ReadWake);
  }
  if ((Flags & PurgeFlag::TxClear) && ioctl(Use.Fd, TCFLSH, TCOFLUSH) != 0)
    return d->IoError(errno);
  if ((Flags & PurgeFlag::RxClear) && ioctl(Use.Fd, TCFLSH, TCIFLUSH) != 0)
    return d->IoError(errno);
  return SysErr::Success;
}

uint32_t SerialDevice::InQueue(uint32_t& Count) { return QueueCall(d.get(), FIONREAD, Count); }

uint32_t SerialDevice::OutQueue(uint32_t& Count) { return QueueCall(d.get(), TIOCOUTQ, Count); }

uint32_t SerialDevice::Read(void* Buf, uint32_t Size, uint32_t& Got)
{
  Got = 0;
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  if (Size == 0)
    return SysErr::Success;
  for (;;) {
    const ssize_t N = read(Use.Fd, Buf, Size);
    if (N > 0) {
      Got = uint32_t(N);
      d->NoteArrival();
      return SysErr::Success;
    }
    // With O_NONBLOCK an empty queue is EAGAIN; end of file is a hang-up.
    if (N == 0)
      return d->MarkGone();
    if (errno == EINTR)
      continue;
    if (errno == EAGAIN)
      return SysErr::Success;
    return d->IoError(errno);
  }
}

uint32_t SerialDevice::WaitReadable(int32_t TimeoutMs)
{
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  const uint64_t Seen = d->ReadAborts;
  return WaitDevice(d.get(), Use.Fd, POLLIN, d->ReadWake, d->ReadAborts, Seen, Deadline(TimeoutMs));
}

uint32_t SerialDevice::WaitInputOrWake(int32_t TimeoutMs, bool WatchInput, bool& Readable)
{
  Readable = false;
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  const uint64_t Seen = d->ReadAborts;
  const Deadline Until(TimeoutMs);
  for (;;) {
    // The device stays in the poll without WatchInput: a hang-up is reported
    // whatever events are asked for.
    pollfd P[4] = {{Use.Fd, short(WatchInput ? POLLIN : 0), 0},
                   {d->InputWake, POLLIN, 0},
                   {d->ReadWake, POLLIN, 0},
                   {d->CloseWake, POLLIN, 0}};
    const int R = poll(P, 4, Until.RemainingMs());
    if (R < 0) {
      if (errno == EINTR)
        continue;
      return Fail(SysErr::GenFailure);
    }
    if (P[3].revents)
      return Fail(SysErr::InvalidHandle);
    if (P[2].revents) {
      Drain(d->ReadWake);
      if (d->Gone)
        return Fail(SysErr::BadCommand);
      if (d->ReadAborts.load() != Seen)
        return Fail(SysErr::OperationAborted);
    }
    if (P[0].revents & POLLIN)
      Readable = true;
    else if (P[0].revents & (POLLHUP | POLLERR | POLLNVAL))
      return d->MarkGone();
    if (P[1].revents) {
      // Drained before the flag is taken back: a wake-up given in between
      // finds the flag still set and writes nothing, and the caller, which
      // looks at its work only after this, sees what it was woken for. The
      // exchange (not a plain store) is what makes that work visible.
      Drain(d->InputWake);
      d->InputWakePending.exchange(false);
      return SysErr::Success;
    }
    if (Readable)
      return SysErr::Success;
    if (R == 0)
      return Fail(SysErr::Timeout);
  }
}

void SerialDevice::WakeInputWait()
{
  if (!d->InputWakePending.exchange(true))
    Signal(d->InputWake);
}

uint32_t SerialDevice::Write(const void* Buf, uint32_t Size, uint32_t& Sent)
{
  Sent = 0;
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  if (Size == 0)
    return SysErr::Success;
  for (;;) {
    const ssize_t N = write(Use.Fd, Buf, Size);
    if (N >= 0) {
      Sent = uint32_t(N);
      return SysErr::Success;
    }
    if (errno == EINTR)
      continue;
    if (errno == EAGAIN)
      return SysErr::Success;
    return d->IoError(errno);
  }
}

uint32_t SerialDevice::WaitWritable(int32_t TimeoutMs)
{
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  const uint64_t Seen = d->WriteAborts;
  return WaitDevice(d.get(), Use.Fd, POLLOUT, d->WriteWake, d->WriteAborts, Seen, Deadline(TimeoutMs));
}

uint32_t SerialDevice::WriteAll(const void* Buf, uint32_t Size, uint32_t& Sent, int32_t TimeoutMs)
{
  Sent = 0;
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  // Taken once, so that an abort between two pieces still ends the write.
  const uint64_t Seen = d->WriteAborts;
  const Deadline Until(TimeoutMs);
  const char* P = static_cast<const char*>(Buf);
  while (Sent < Size) {
    const ssize_t N = write(Use.Fd, P + Sent, Size - Sent);
    if (N > 0) {
      Sent += uint32_t(N);
      continue;
    }
    if (N < 0 && errno == EINTR)
      continue;
    if (N < 0 && errno != EAGAIN)
      return d->IoError(errno);
    if (d->WriteAborts.load() != Seen)
      return Fail(SysErr::OperationAborted);
    const uint32_t R = WaitDevice(d.get(), Use.Fd, POLLOUT, d->WriteWake, d->WriteAborts, Seen, Until);
    if (R != SysErr::Success)
      return R;
  }
  return SysErr::Success;
}

uint32_t SerialDevice::SetEventMask(uint32_t Mask)
{
  if (Mask & ~CommEvent::All)
    return Fail(SysErr::InvalidParameter);
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  {
    std::lock_guard<std::mutex> L(d->EventM);
    d->EventMask = Mask;
    d->History &= Mask;
  }
  ++d->MaskChanges;
  Signal(d->EventWake);
  if (Mask & (CommEvent::Cts | CommEvent::Dsr | CommEvent::Rlsd | CommEvent::Ring)) {
    std::lock_guard<std::mutex> L(d->M);
    if (!d->Closing)
      d->StartWatcher();
  }
  return SysErr::Success;
}

uint32_t SerialDevice::GetEventMask(uint32_t& Mask)
{
  Mask = 0;
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  Mask = d->EventMask;
  return SysErr::Success;
}

uint32_t SerialDevice::WaitEvent(uint32_t& Events, int32_t TimeoutMs)
{
  Events = 0;
  DeviceUse Use(d.get());
  if (Use.Error)
    return Fail(Use.Error);
  const uint64_t Seen = d->MaskChanges;
  const Deadline Until(TimeoutMs);
  for (;;) {
    {
      std::lock_guard<std::mutex> L(d->EventM);
      const uint32_t Take = d->History & d->EventMask;
      if (Take) {
        d->History &= ~Take;
        Events = Take;
        return SysErr::Success;
      }
    }
    // A negative descriptor is left out of the poll.
    pollfd P[4] = {{d->WatchesArrivals() ? d->EpollFd : -1, POLLIN, 0},
                   {d->EventWake, POLLIN, 0},
                   {d->CloseWake, POLLIN, 0},
                   {d->NoteWake, POLLIN, 0}};
    const int R = poll(P, 4, Until.RemainingMs());
    if (R < 0) {
      if (errno == EINTR)
        continue;
      return Fail(SysErr::GenFailure);
    }
    if (P[2].revents)
      return Fail(SysErr::InvalidHandle);
    if (P[1].revents) {
      Drain(d->EventWake);
      if (d->Gone)
        return Fail(SysErr::BadCommand);
      if (d->MaskChanges.load() != Seen)
        return SysErr::Success; // a new mask ends the wait with no events
    }
    if (P[3].revents) {
      Drain(d->NoteWake);
      std::lock_guard<std::mutex> L(d->EventM);
      uint32_t Bits = d->Pending.exchange(0);
      if (Bits & CommEvent::RxChar)
        Bits |= d->ArrivalEvents(Use.Fd);
      d->History |= Bits & d->EventMask;
    }
    if (P[0].revents) {
      epoll_event Ev[2];
      const int N = epoll_wait(d->EpollFd, Ev, 2, 0);
      for (int I = 0; I < N; ++I) {
        if (Ev[I].events & (EPOLLHUP | EPOLLERR))
          return d->MarkGone();
        if (!(Ev[I].events & EPOLLIN))
          continue;
        std::lock_guard<std::mutex> L(d->EventM);
        d->History |= d->ArrivalEvents(Use.Fd) & d->EventMask;
      }
    }
    if (R == 0)
      return Fail(SysErr::Timeout);
  }
}
