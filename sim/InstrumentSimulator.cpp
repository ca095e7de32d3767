#include "sim/InstrumentSimulator.h"

#include "sim/CastProfile.h"
#include "sim/KirvoModel.h"
#include "sim/QuorndeckModel.h"

#include "platform/PtyPair.h"
#include "rtl/Exceptions.h"

#include <QFile>
#include <QString>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace sim {

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::milliseconds;

constexpr int MaxCommandLine = 256;            // an instrument's input line buffer
constexpr qsizetype MaxLog = 16 * 1024 * 1024; // received bytes kept for tests
constexpr qsizetype MaxQueued = 1024 * 1024;   // output held while nobody reads

[[noreturn]] void ThrowOs(const char* What, const std::string& Path)
{
  const int E = errno;
  throw EOSError(
      QStringLiteral("%1 %2: %3")
          .arg(QString::fromLatin1(What), QString::fromStdString(Path), QString::fromLocal8Bit(std::strerror(E))),
      E);
}

void MakeRaw(int Fd)
{
  termios T{};
  if (tcgetattr(Fd, &T) == 0) {
    cfmakeraw(&T);
    tcsetattr(Fd, TCSANOW, &T);
  }
}

void SetNonBlocking(int Fd) { fcntl(Fd, F_SETFL, fcntl(Fd, F_GETFL) | O_NONBLOCK); }

enum class ChunkKind : uint8_t { Echo, Reply, Sample, Raw };

struct Chunk {
  Clock::time_point Due;
  AnsiString Bytes;
  ChunkKind Kind;
  bool HangUpAfter = false;
};

} // namespace

struct InstrumentSimulator::Impl {
  std::string Path;
  std::unique_ptr<PtyPair> Pty; // null on an existing device
  int Master = -1;              // the pty's master, or the device
  int Probe = -1;               // a slave handle of our own, to see what the program has not read
  int Wake = -1;
  std::thread Thread;

  mutable std::mutex Lock;
  bool StopFlag = false;
  std::unique_ptr<InstrumentModel> Model;
  int IntervalMs = 1000;
  bool WasRunning = false;
  Clock::time_point NextSample;
  ReplyFault Fault = ReplyFault::None;
  AnsiString FaultCommand;
  int ReplyDelayMs = 0;
  int DropEvery = 0;
  uint64_t BytesOut = 0;
  uint64_t NoiseState = 0x2545F4914F6CDD1Dull;
  bool CutNextLine = false;
  bool HangUpPending = false;
  bool HangUpSeenUnread = false;
  Clock::time_point HangUpStart;
  bool HungUp = false;
  std::deque<Chunk> Queue;
  qsizetype QueuedBytes = 0;
  qsizetype HeadWritten = 0;
  AnsiString LineBuf;
  bool LineTooLong = false;
  Clock::time_point QuietUntil;

  mutable std::mutex LogLock;
  mutable std::condition_variable LogCond;
  AnsiString Log;

  // Changes the instrument's state under the lock and wakes the thread so
  // the change shows at once (a new interval, run mode, queued output).
  template <class F>
  void Change(F&& Body)
  {
    {
      std::lock_guard G(Lock);
      Body();
    }
    Notify();
  }

  ~Impl()
  {
    if (!HungUp)
      CloseLine();
    if (Wake >= 0)
      close(Wake);
  }

  void Notify() const
  {
    if (Wake >= 0) {
      const uint64_t One = 1;
      [[maybe_unused]] ssize_t N = write(Wake, &One, sizeof One);
    }
  }

  char NoiseByte()
  {
    for (;;) {
      NoiseState ^= NoiseState >> 12;
      NoiseState ^= NoiseState << 25;
      NoiseState ^= NoiseState >> 27;
      const char C = char((NoiseState * 0x2545F4914F6CDD1Dull) >> 56);
      if (C != '\r' && C != '\n' && C != '>')
        return C;
    }
  }
  AnsiString Noise(qsizetype N)
  {
    AnsiString S;
    S.reserve(N);
    for (qsizetype I = 0; I < N; ++I)
      S += NoiseByte();
    return S;
  }

  void Enqueue(AnsiString Bytes, ChunkKind Kind, Clock::time_point Due)
  {
    if (HungUp || HangUpPending || Bytes.isEmpty())
      return;
    // Nobody reading: like a real line, what nobody takes is lost, and the
    // program cannot grow our memory by talking without listening.
    if (Kind != ChunkKind::Raw && QueuedBytes >= MaxQueued)
      return;
    if (DropEvery > 0) {
      AnsiString Kept;
      for (char C : Bytes)
        if (++BytesOut % uint64_t(DropEvery) != 0)
          Kept += C;
      Bytes = Kept;
    }
    Chunk C{Due, Bytes, Kind};
    if (CutNextLine && (Kind == ChunkKind::Reply || Kind == ChunkKind::Sample)) {
      const qsizetype LineEnd = Bytes.indexOf('\n');
      const qsizetype LineLen = LineEnd < 0 ? Bytes.size() : LineEnd + 1;
      C.Bytes.truncate(std::max<qsizetype>(1, LineLen / 2));
      C.HangUpAfter = true;
      CutNextLine = false;
    }
    QueuedBytes += C.Bytes.size();
    Queue.push_back(std::move(C));
  }

  bool FaultHits(const AnsiString& Command) const { return FaultCommand.isEmpty() || Command.startsWith(FaultCommand); }

  void HandleLine(const AnsiString& Line, Clock::time_point Now)
  {
    AnsiString Command;
    if (!Model->Accepts(Line, &Command))
      return;
    const bool Hit = Fault != ReplyFault::None && FaultHits(Command);
    if (Hit && Fault == ReplyFault::Silent)
      return;
    Response R = Model->Handle(Line, Hit && Fault == ReplyFault::Error);
    if (!R.Answered)
      return;
    if (Hit && Fault == ReplyFault::Garbage) {
      R.Echo = Noise(R.Echo.size());
      R.Reply = Noise(R.Reply.size());
    }
    Enqueue(R.Echo, ChunkKind::Echo, Now);
    Enqueue(R.Reply, ChunkKind::Reply, Now + Ms(ReplyDelayMs));
  }

  // Bytes from the program: the log first, then command lines. A line end
  // is CR or LF; CR LF counts once since empty lines are ignored.
  void Feed(const char* Data, ssize_t N, Clock::time_point Now, std::vector<AnsiString>& Lines)
  {
    for (ssize_t I = 0; I < N; ++I) {
      const char C = Data[I];
      if (C == '\r' || C == '\n') {
        // An over-long line overflowed the instrument's buffer: lost.
        if (!LineTooLong && !LineBuf.isEmpty()) {
          Lines.push_back(LineBuf);
          HandleLine(LineBuf, Now);
        }
        LineBuf.clear();
        LineTooLong = false;
      } else if (LineBuf.size() < MaxCommandLine) {
        LineBuf += C;
      } else {
        LineTooLong = true;
      }
    }
  }

  void CloseLine()
  {
    HangUpPending = false;
    if (Pty)
      Pty->CloseMaster();
    else if (Master >= 0)
      close(Master);
    if (Probe >= 0)
      close(Probe);
    Master = Probe = -1;
    HungUp = true;
    Queue.clear();
    QueuedBytes = HeadWritten = 0;
  }

  // The kernel hands bytes from master to slave a moment after the write,
  // so "nothing unread" only counts once the bytes were seen waiting, or
  // after a grace time; a program that never reads is given up on.
  void FinishHangUp(Clock::time_point Now)
  {
    if (!HangUpPending)
      return;
    int Unread = 0;
    if (Probe >= 0 && ioctl(Probe, FIONREAD, &Unread) != 0)
      Unread = 0;
    if (!Pty && Master >= 0)
      tcdrain(Master);
    HangUpSeenUnread = HangUpSeenUnread || Unread > 0;
    const auto Waited = Now - HangUpStart;
    if ((Unread == 0 && (HangUpSeenUnread || Waited >= Ms(50))) || Waited >= Ms(2000))
      CloseLine();
  }

  void Stream(Clock::time_point Now)
  {
    const bool Running = Model->Running();
    if (Running && !WasRunning)
      NextSample = Now + Ms(IntervalMs);
    if (!Running && WasRunning) // a break cuts short what was not yet sent
      for (auto It = Queue.begin(); It != Queue.end();) {
        const bool Started = It == Queue.begin() && HeadWritten > 0;
        if (It->Kind == ChunkKind::Sample && !Started) {
          QueuedBytes -= It->Bytes.size();
          It = Queue.erase(It);
        } else {
          ++It;
        }
      }
    WasRunning = Running;
    if (!Running || HungUp)
      return;
    while (Now >= NextSample) {
      if (QueuedBytes < MaxQueued)
        Enqueue(Model->NextSample(), ChunkKind::Sample, Now);
      NextSample += Ms(IntervalMs);
      if (NextSample + Ms(IntervalMs) < Now)
        NextSample = Now + Ms(IntervalMs);
    }
  }

  // Writes what is due; a full device keeps the rest for its next POLLOUT.
  void Flush(Clock::time_point Now)
  {
    while (!Queue.empty() && Master >= 0 && Queue.front().Due <= Now) {
      Chunk& C = Queue.front();
      const ssize_t N = write(Master, C.Bytes.constData() + HeadWritten, size_t(C.Bytes.size() - HeadWritten));
      if (N < 0) {
        if (errno == EAGAIN || errno == EINTR)
          return;
        CloseLine();
        return;
      }
      HeadWritten += N;
      if (HeadWritten < C.Bytes.size())
        return;
      const bool Hang = C.HangUpAfter;
      QueuedBytes -= C.Bytes.size();
      HeadWritten = 0;
      Queue.pop_front();
      if (Hang) {
        // Let the program take the half line first: closing the master
        // discards what the slave has not read yet.
        HangUpPending = true;
        HangUpSeenUnread = false;
        HangUpStart = Now;
        Queue.clear();
        QueuedBytes = 0;
        return;
      }
    }
  }
};

InstrumentSimulator::InstrumentSimulator(InstrumentKind Kind) : D(std::make_unique<Impl>())
{
  D->Model = InstrumentModel::Create(Kind);
  D->Pty = std::make_unique<PtyPair>();
  if (!D->Pty->IsOpen())
    ThrowOs("openpty", "");
  D->Path = D->Pty->SlavePath().toStdString();
  D->Master = D->Pty->MasterFd();
  SetNonBlocking(D->Master);
  D->Probe = open(D->Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  D->Wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (D->Wake < 0)
    ThrowOs("eventfd for", D->Path);
}

InstrumentSimulator::InstrumentSimulator(InstrumentKind Kind, const std::string& DevicePath)
    : D(std::make_unique<Impl>())
{
  D->Model = InstrumentModel::Create(Kind);
  D->Path = DevicePath;
  D->Master = open(DevicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (D->Master < 0)
    ThrowOs("open", DevicePath);
  if (isatty(D->Master))
    MakeRaw(D->Master);
  D->Wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (D->Wake < 0)
    ThrowOs("eventfd for", D->Path);
}

InstrumentSimulator::~InstrumentSimulator() { Stop(); }

const std::string& InstrumentSimulator::SlavePath() const { return D->Path; }

void InstrumentSimulator::Start()
{
  std::lock_guard G(D->Lock);
  if (D->Thread.joinable())
    return;
  D->StopFlag = false;
  D->Thread = std::thread([this] { Run(); });
}

void InstrumentSimulator::Stop()
{
  {
    std::lock_guard G(D->Lock);
    D->StopFlag = true;
  }
  D->Notify();
  if (D->Thread.joinable())
    D->Thread.join();
}

void InstrumentSimulator::Run()
{
  std::vector<AnsiString> Lines;
  char Buf[4096];
  for (;;) {
    int Timeout = -1;
    pollfd Fds[2] = {{D->Wake, POLLIN, 0}, {-1, 0, 0}};
    {
      std::lock_guard G(D->Lock);
      if (D->StopFlag)
        return;
      const auto Now = Clock::now();
      auto Until = [&](Clock::time_point T) {
        const auto Left = std::chrono::ceil<Ms>(T - Now).count();
        const int L = Left < 0 ? 0 : int(std::min<int64_t>(Left, 60000));
        Timeout = Timeout < 0 ? L : std::min(Timeout, L);
      };
      if (D->Master >= 0) {
        const bool Quiet = Now < D->QuietUntil;
        Fds[1] = {D->Master, short(Quiet ? 0 : POLLIN), 0};
        if (Quiet)
          Until(D->QuietUntil);
        if (D->HangUpPending)
          Timeout = 2;
        else if (D->Model->Running() != D->WasRunning)
          Timeout = 0;
        else if (D->Model->Running())
          Until(D->NextSample);
        if (!D->Queue.empty()) {
          if (D->Queue.front().Due <= Now)
            Fds[1].events |= POLLOUT;
          else
            Until(D->Queue.front().Due);
        }
      }
    }
    poll(Fds, Fds[1].fd >= 0 ? 2 : 1, Timeout);
    if (Fds[0].revents & POLLIN) {
      uint64_t V;
      [[maybe_unused]] ssize_t N = read(D->Wake, &V, sizeof V);
    }

    Lines.clear();
    {
      std::lock_guard G(D->Lock);
      const auto Now = Clock::now();
      if (D->Master >= 0 && (Fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
        const ssize_t N = read(D->Master, Buf, sizeof Buf);
        if (N > 0) {
          {
            std::lock_guard L(D->LogLock);
            D->Log.append(Buf, std::min<qsizetype>(N, std::max<qsizetype>(0, MaxLog - D->Log.size())));
          }
          D->LogCond.notify_all();
          D->Feed(Buf, N, Now, Lines);
        } else if (N == 0 || (errno != EAGAIN && errno != EINTR)) {
          // A device whose far end is gone reports it on every poll; look
          // again later rather than spin.
          D->QuietUntil = Now + Ms(100);
        }
      }
      D->Stream(Now);
      D->Flush(Now);
      D->FinishHangUp(Now);
    }
    if (OnCommandLine)
      for (const AnsiString& L : Lines)
        OnCommandLine(L);
  }
}

void InstrumentSimulator::SetMode(LineMode M)
{
  D->Change([&] { D->Model->SetMode(M); });
}
LineMode InstrumentSimulator::Mode() const
{
  std::lock_guard G(D->Lock);
  return D->Model->Mode();
}
void InstrumentSimulator::SetAddress(int A)
{
  D->Change([&] { D->Model->SetAddress(A); });
}
int InstrumentSimulator::Address() const
{
  std::lock_guard G(D->Lock);
  return D->Model->Address();
}
void InstrumentSimulator::SetUnits(const std::vector<int>& Units)
{
  D->Change([&] {
    if (auto* K = dynamic_cast<KirvoModel*>(D->Model.get()))
      K->SetUnits(Units);
  });
}
void InstrumentSimulator::SetProfile(const CastParams& P)
{
  D->Change([&] {
    if (auto* Q = dynamic_cast<QuorndeckModel*>(D->Model.get()))
      Q->SetProfile(P);
  });
}
void InstrumentSimulator::SetScript(std::vector<AnsiString> Lines)
{
  D->Change([&] { D->Model->SetScript(std::move(Lines)); });
}

bool InstrumentSimulator::LoadScript(const QString& Path)
{
  QFile F(Path);
  if (!F.open(QIODevice::ReadOnly))
    return false;
  std::vector<AnsiString> Lines;
  // A script is a developer's file, but still bounded: a line of data is
  // short, a script of a day's samples at 8 Hz well under the cap.
  constexpr qint64 MaxScript = 64 * 1024 * 1024;
  if (F.size() > MaxScript)
    return false;
  for (const QByteArray& L : F.readAll().split('\n')) {
    QByteArray T = L;
    while (T.endsWith('\r'))
      T.chop(1);
    if (!T.isEmpty())
      Lines.push_back(T);
  }
  if (Lines.empty())
    return false;
  SetScript(std::move(Lines));
  return true;
}

void InstrumentSimulator::SetIntervalMs(int Ms)
{
  D->Change([&] { D->IntervalMs = std::max(1, Ms); });
}
void InstrumentSimulator::SetRunning(bool R)
{
  D->Change([&] { D->Model->SetRunning(R); });
}
bool InstrumentSimulator::Running() const
{
  std::lock_guard G(D->Lock);
  return D->Model->Running();
}
int64_t InstrumentSimulator::SamplesSent() const
{
  std::lock_guard G(D->Lock);
  return D->Model->SamplesSent();
}
void InstrumentSimulator::WithModel(const std::function<void(InstrumentModel&)>& F)
{
  D->Change([&] { F(*D->Model); });
}

void InstrumentSimulator::SetReplyFault(ReplyFault F, const AnsiString& OnlyCommand)
{
  D->Change([&] {
    D->Fault = F;
    D->FaultCommand = OnlyCommand;
  });
}
void InstrumentSimulator::SetReplyDelayMs(int Ms)
{
  D->Change([&] { D->ReplyDelayMs = std::max(0, Ms); });
}
void InstrumentSimulator::SetDropEvery(int N)
{
  D->Change([&] {
    D->DropEvery = std::max(0, N);
    D->BytesOut = 0;
  });
}
void InstrumentSimulator::SendRaw(const AnsiString& Bytes)
{
  D->Change([&] { D->Enqueue(Bytes, ChunkKind::Raw, Clock::now()); });
}
void InstrumentSimulator::SendGarbage(int Count)
{
  D->Change([&] { D->Enqueue(D->Noise(std::max(0, Count)), ChunkKind::Raw, Clock::now()); });
}
void InstrumentSimulator::SendOverLongLine(int Count)
{
  AnsiString L;
  L.reserve(std::max(0, Count) + 2);
  for (int I = 0; I < Count; ++I)
    L += char('0' + I % 10);
  D->Change([&] { D->Enqueue(L + "\r\n", ChunkKind::Sample, Clock::now()); });
}
void InstrumentSimulator::HangUpMidLine()
{
  D->Change([&] { D->CutNextLine = true; });
}
void InstrumentSimulator::HangUp()
{
  D->Change([&] {
    if (!D->HungUp)
      D->CloseLine();
  });
}
bool InstrumentSimulator::HungUp() const
{
  std::lock_guard G(D->Lock);
  return D->HungUp;
}

AnsiString InstrumentSimulator::Received() const
{
  std::lock_guard L(D->LogLock);
  return D->Log;
}

void InstrumentSimulator::ClearReceived()
{
  std::lock_guard L(D->LogLock);
  D->Log.clear();
}

bool InstrumentSimulator::WaitForReceived(const AnsiString& Sequence, int TimeoutMs) const
{
  std::unique_lock L(D->LogLock);
  return D->LogCond.wait_for(L, Ms(std::max(0, TimeoutMs)), [&] { return D->Log.contains(Sequence); });
}

} // namespace sim
