// fathomix-demo: the logger at work without hardware. A simulated profiling
// instrument streams a cast on one pseudo-terminal, the logger (the fathomix
// program; offscreen without a display, else showing six live display
// windows) reads it as COM1 and sends a TARNWICK telegram per sample on
// output 1, COM2, a second pseudo-terminal; the telegrams are printed here as
// they arrive. Ctrl-C stops everything; the logger goes
// through its ordered shutdown.
//
// The logger runs on a settings file written for the demo into a temporary
// folder (removed at the end), so the user's own settings are never touched,
// and every other COM port leads nowhere, so no real serial device is opened.
//
//   fathomix-demo [--program PATH] [--rate HZ] [--depth M]
//
//   --program PATH   the logger (default: fathomix beside this program)
//   --rate HZ        samples per second of the instrument (default 2)
//   --depth M        depth of the cast (default 100)
#include "platform/PtyPair.h"
#include "sim/CastProfile.h"
#include "sim/InstrumentSimulator.h"

#include "rtl/Exceptions.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Slots 0 to 10: the instrument and the values it measures or the logger
// derives from them, in the order TARNWICK sends them.
const char* const SlotNames[][2] = {
    {"Conductivity", "mS/cm"}, {"Pressure", "dBar"},      {"Temperature", "C"}, {"Altimeter", "m"},
    {"Sound Velocity", "m/s"}, {"Sound Speed", "m/s"},    {"Depth", "m"},       {"Total Depth", "m"},
    {"Density", "kg/m3"},      {"Mean Density", "kg/m3"}, {"Salinity", "PSU"},
};
constexpr int DemoSlots = int(sizeof SlotNames / sizeof SlotNames[0]);

QByteArray DemoSettings()
{
  QByteArray S = "[Display]\r\nIndex=1\r\n";
  for (int N = 1; N <= 4; ++N)
    S += "[Output " + QByteArray::number(N) + "]\r\nFitted=" + (N == 1 ? "1" : "0") + "\r\nPort=2\r\nBaud=19200\r\n";
  // No altimeter offset: total depth is then the depth of the seabed.
  S += "[Quorndeck]\r\nOutput 1 Format=TARNWICK\r\nAltimeter Offset=0\r\n";
  for (int N = 0; N < 20; ++N) {
    S += "[Serial " + QByteArray::number(N) + "]\r\nFitted=" + (N < DemoSlots ? "1" : "0") +
         "\r\nPort=1\r\nBaud=19200\r\nPacket=1\r\n";
    if (N < DemoSlots)
      S += "Label=" + QByteArray(SlotNames[N][0]) + "\r\nUnits=" + QByteArray(SlotNames[N][1]) + "\r\n";
  }
  // User display 1: the six live windows, tiled on a 1600 x 1000 screen.
  struct {
    const char* Form;
    int Items, Left, Top, Width, Height;
  } const Windows[] = {
      {"MDIGraph", 0x402 | 0x4, 0, 0, 760, 320},               // pressure, temperature, salinity
      {"MDIPosGraph", 0, 0, 320, 760, 280},                    // depth and total depth
      {"MDIBathyGraph", 0x4 | 0x20 | 0x400, 760, 0, 360, 600}, // temperature, sound speed, salinity
      {"MDILast", 0x7FF, 1120, 0, 420, 300},                   // every item
      {"MDIScroll", 0x2 | 0x4 | 0x40 | 0x400, 0, 600, 760, 300},
      {"MDIDepthScroll", 0x4 | 0x20 | 0x400, 760, 600, 780, 300},
  };
  S += "[Display 1]\r\nForm Name=Live cast\r\nForm Screens=6\r\n";
  int N = 0;
  for (const auto& W : Windows) {
    const QByteArray K = " " + QByteArray::number(++N) + "=";
    S += "Form Style" + K + W.Form + "\r\nAction Flag" + K + QByteArray::number(W.Items) + "\r\nForm Left" + K +
         QByteArray::number(W.Left) + "\r\nForm Top" + K + QByteArray::number(W.Top) + "\r\nForm Width" + K +
         QByteArray::number(W.Width) + "\r\nForm Height" + K + QByteArray::number(W.Height) + "\r\n";
  }
  return S;
}

std::string ProgramBesideThis()
{
  char Self[4096];
  const ssize_t N = readlink("/proc/self/exe", Self, sizeof Self - 1);
  if (N <= 0)
    return "fathomix";
  Self[N] = '\0';
  std::string Path(Self);
  return Path.substr(0, Path.rfind('/') + 1) + "fathomix";
}

void Usage() { std::fprintf(stderr, "usage: fathomix-demo [--program PATH] [--rate HZ] [--depth M]\n"); }

bool ReadNumber(const char* Text, double Lo, double Hi, double& V)
{
  char* End = nullptr;
  V = std::strtod(Text, &End);
  return End != Text && *End == '\0' && V >= Lo && V <= Hi;
}

// The logger as a child process, with the default signal mask and
// dispositions (this process blocks the stop signals to take them in turn).
pid_t Spawn(const std::string& Program)
{
  posix_spawnattr_t Attr;
  posix_spawnattr_init(&Attr);
  sigset_t None, Defaults;
  sigemptyset(&None);
  sigemptyset(&Defaults);
  for (int S : {SIGINT, SIGTERM, SIGHUP, SIGCHLD, SIGPIPE})
    sigaddset(&Defaults, S);
  posix_spawnattr_setsigmask(&Attr, &None);
  posix_spawnattr_setsigdefault(&Attr, &Defaults);
  posix_spawnattr_setflags(&Attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  char* Argv[] = {const_cast<char*>(Program.c_str()), nullptr};
  pid_t Pid = -1;
  const int R = posix_spawn(&Pid, Program.c_str(), nullptr, &Attr, Argv, environ);
  posix_spawnattr_destroy(&Attr);
  if (R != 0) {
    std::fprintf(stderr, "fathomix-demo: cannot start %s: %s\n", Program.c_str(), std::strerror(R));
    return -1;
  }
  return Pid;
}

// Prints every complete telegram in Pending (without its CR LF) and keeps
// the incomplete rest. A line without an end is cut at 4 KiB, so noise
// cannot grow it without bound.
void PrintTelegrams(QByteArray& Pending)
{
  qsizetype End;
  while ((End = Pending.indexOf("\r\n")) >= 0) {
    std::printf("%s\n", Pending.left(End).constData());
    Pending.remove(0, End + 2);
  }
  if (Pending.size() > 4096) {
    std::printf("%s...\n", Pending.left(4096).constData());
    Pending.clear();
  }
  std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
  std::string Program = ProgramBesideThis();
  double Rate = 2.0;
  sim::CastParams Cast;
  for (int I = 1; I < argc; ++I) {
    const std::string A = argv[I];
    const bool HasValue = I + 1 < argc;
    if (A == "--program" && HasValue) {
      Program = argv[++I];
    } else if (A == "--rate" && HasValue) {
      if (!ReadNumber(argv[++I], 0.01, 100, Rate))
        return Usage(), 2;
    } else if (A == "--depth" && HasValue) {
      if (!ReadNumber(argv[++I], 1, 11000, Cast.MaxDepth))
        return Usage(), 2;
    } else {
      Usage();
      return A == "--help" || A == "-h" ? 0 : 2;
    }
  }
  if (access(Program.c_str(), X_OK) != 0) {
    std::fprintf(stderr, "fathomix-demo: no program at %s\n", Program.c_str());
    return 1;
  }

  QTemporaryDir Home;
  if (!Home.isValid()) {
    std::fprintf(stderr, "fathomix-demo: cannot make a temporary folder\n");
    return 1;
  }
  {
    QFile F(Home.filePath(QStringLiteral("fathomix/FATHOMIX.INI")));
    if (!QDir().mkpath(Home.filePath(QStringLiteral("fathomix"))) || !F.open(QIODevice::WriteOnly) ||
        F.write(DemoSettings()) < 0) {
      std::fprintf(stderr, "fathomix-demo: cannot write the demo settings\n");
      return 1;
    }
  }

  // Blocked before any thread starts, so that every thread inherits the
  // mask and the signals come only through the descriptor below.
  sigset_t Stop;
  sigemptyset(&Stop);
  for (int S : {SIGINT, SIGTERM, SIGHUP, SIGCHLD})
    sigaddset(&Stop, S);
  pthread_sigmask(SIG_BLOCK, &Stop, nullptr);
  const int Signals = signalfd(-1, &Stop, SFD_CLOEXEC);
  if (Signals < 0) {
    std::perror("fathomix-demo: signalfd");
    return 1;
  }

  int Status = 1;
  try {
    sim::InstrumentSimulator Instrument(sim::InstrumentKind::Quorndeck);
    Instrument.SetIntervalMs(std::max(1, int(1000.0 / Rate + 0.5)));
    Instrument.SetProfile(Cast);
    PtyPair Output;
    if (!Output.IsOpen()) {
      std::fprintf(stderr, "fathomix-demo: cannot make a pseudo-terminal\n");
      return 1;
    }
    Instrument.Start();

    const QByteArray Folder = Home.path().toLocal8Bit();
    setenv("XDG_CONFIG_HOME", Folder.constData(), 1);
    setenv("XDG_DATA_HOME", Folder.constData(), 1);
    if (!getenv("XDG_RUNTIME_DIR"))
      setenv("XDG_RUNTIME_DIR", Folder.constData(), 1);
    // On a display the logger shows its windows; without one it runs
    // offscreen and the telegrams printed here are what is seen.
    if (!getenv("DISPLAY") && !getenv("WAYLAND_DISPLAY"))
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (int N = 3; N <= 20; ++N)
      setenv(("FATHOMIX_COM" + std::to_string(N)).c_str(), "/nonexistent/fathomix-demo-port", 1);
    setenv("FATHOMIX_COM1", Instrument.SlavePath().c_str(), 1);
    setenv("FATHOMIX_COM2", Output.SlavePath().toLocal8Bit().constData(), 1);

    std::printf("Fathomix demo: a simulated profiling instrument casting to %g m at %g samples/s on COM1 (%s),\n"
                "output 1 sending TARNWICK telegrams on COM2 (%s). Ctrl-C stops.\n\n",
                Cast.MaxDepth, Rate, Instrument.SlavePath().c_str(), Output.SlavePath().toLocal8Bit().constData());
    std::printf("date\ttime");
    for (const auto& Name : SlotNames)
      std::printf("\t%s", Name[0]);
    std::printf("\n");
    std::fflush(stdout);

    const pid_t Child = Spawn(Program);
    if (Child < 0)
      return 1;

    using Clock = std::chrono::steady_clock;
    Clock::time_point StopAsked{};
    bool Stopping = false;
    bool ChildGone = false;
    QByteArray Pending;
    while (!ChildGone) {
      pollfd Fds[2] = {{Output.MasterFd(), POLLIN, 0}, {Signals, POLLIN, 0}};
      const int R = poll(Fds, 2, 200);
      if (R < 0 && errno != EINTR)
        break;
      if (R > 0 && (Fds[0].revents & POLLIN)) {
        char Buf[4096];
        const ssize_t N = read(Output.MasterFd(), Buf, sizeof Buf);
        if (N > 0) {
          Pending.append(Buf, N);
          PrintTelegrams(Pending);
        }
      }
      if (R > 0 && (Fds[1].revents & POLLIN)) {
        signalfd_siginfo Info;
        if (read(Signals, &Info, sizeof Info) == ssize_t(sizeof Info) && Info.ssi_signo != SIGCHLD && !Stopping) {
          // A Ctrl-C in the terminal reaches the logger as well; the
          // SIGTERM covers a stop sent to this process alone.
          Stopping = true;
          StopAsked = Clock::now();
          kill(Child, SIGTERM);
        }
      }
      int ChildStatus = 0;
      if (waitpid(Child, &ChildStatus, WNOHANG) == Child) {
        ChildGone = true;
        Status = WIFEXITED(ChildStatus) ? WEXITSTATUS(ChildStatus) : 128 + WTERMSIG(ChildStatus);
        if (!Stopping)
          std::fprintf(stderr, "fathomix-demo: the logger ended by itself (status %d)\n", Status);
      } else if (Stopping && Clock::now() - StopAsked > std::chrono::seconds(20)) {
        std::fprintf(stderr, "fathomix-demo: the logger did not stop within 20 s; killed\n");
        kill(Child, SIGKILL);
        waitpid(Child, &ChildStatus, 0);
        ChildGone = true;
        Status = 1;
      }
    }
    Instrument.Stop();
  } catch (const Exception& E) {
    std::fprintf(stderr, "fathomix-demo: %s\n", E.what());
    return 1;
  }
  if (Status == 0)
    std::printf("\nThe logger stopped cleanly.\n");
  return Status;
}
