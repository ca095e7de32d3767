// What one sample costs the running program when the instrument sends at its
// ordinary pace: data strings at 20 a second on a pseudo-terminal into the
// real program's port set-up (the profiling instrument on COM1, two output
// ports with their telegrams on COM2 and COM3), the main window running its
// event loop as the program does.
//
// Reported per sample, from the kernel's scheduler statistics of every thread
// of this process (/proc/self/task/*: schedstat for the time on the
// processor, status for the context switches), in total and per thread:
//   - processor time (exact nanoseconds, not clock ticks);
//   - context switches, voluntary (the thread went to sleep: a wake-up) plus
//     involuntary (it was preempted).
// The same is measured, in the same run, for a reference: one thread that
// polls the input itself, cuts the strings and runs the same decoding,
// calculations and telegrams (written straight to the output devices). The
// program's figures are also given as ratios to it.
//
// A wake-up's cost on a virtual machine moves with what the host does, by a
// factor of three from one minute to the next, so the two are measured in
// alternating rounds (reference, program, reference, ...) on inputs and
// outputs of their own, and the ratio is given per round and as the median
// of the rounds, which is the figure to compare.
//
// The instrument and the survey systems are a child process, so that their
// own work is not counted: it writes the data strings on the master side of
// the input and counts the telegrams that arrive on the outputs.
//
//   paced_road_bench [--samples N] [--warm-up N] [--rounds N] [--rate N]
//                    [--setup-screen]
//
// The set-up screen the program opens with is minimised, so that its
// status column, repainted at every sample, is not counted as the cost of
// the road; --setup-screen leaves it open.
//
// Defaults: 400 measured samples in all, in 5 rounds each after 10 of
// warm-up, 20 a second. Threads
// carry names ("COM1 read", "COM2 write", ...) where the program gives them.
#include "app/core/CoreData.h"
#include "app/core/SampleRoad.h"
#include "app/program/MainForm.h"
#include "bench/RoadBenchSupport.h"
#include "bench/SerialBenchSupport.h"
#include "bench/ThreadStats.h"
#include "platform/Application.h"
#include "platform/PtyPair.h"
#include "platform/SerialDevice.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int OutputCount = 2;
const char* const Formats[OutputCount] = {"SEAKING LONG", "GREVON PROC (PREFIX)"};

// ------------------------------------------------------------ the child

// Commands from the bench to the child, one byte each; the child answers
// 'C' with the telegram lines counted per output.
constexpr char CmdProgram = 'G', CmdReference = 'R', CmdStop = 'S', CmdCount = 'C', CmdQuit = 'Q';

// The program's outputs, then the reference's.
constexpr int ChildOutputs = 2 * OutputCount;

struct TCounts {
  int64_t Lines[ChildOutputs] = {};
  int64_t Program() const
  {
    int64_t Sum = 0;
    for (int N = 0; N < OutputCount; ++N)
      Sum += Lines[N];
    return Sum;
  }
};

// Inputs[0] is the program's, Inputs[1] the reference's.
[[noreturn]] void RunInstrumentAndSurvey(int Control, int Reply, const int* Inputs, const int* Outputs, int Rate)
{
  const std::vector<AnsiString> Strings = CastStrings();
  for (int N = 0; N < 2; ++N)
    fcntl(Inputs[N], F_SETFL, fcntl(Inputs[N], F_GETFL) | O_NONBLOCK);
  TCounts Counts;
  int Feeding = -1; // the input fed, or none
  size_t Next = 0;
  const auto Period = std::chrono::nanoseconds(1000000000 / Rate);
  Clock::time_point Due = Clock::now();
  std::vector<char> Buf(65536);
  for (;;) {
    int Timeout = 1000;
    if (Feeding >= 0) {
      const auto Left = std::chrono::ceil<std::chrono::milliseconds>(Due - Clock::now()).count();
      Timeout = Left < 0 ? 0 : int(Left);
    }
    pollfd P[1 + ChildOutputs] = {{Control, POLLIN, 0}};
    for (int N = 0; N < ChildOutputs; ++N)
      P[1 + N] = {Outputs[N], POLLIN, 0};
    poll(P, 1 + ChildOutputs, Timeout);
    for (int N = 0; N < ChildOutputs; ++N) {
      if (!(P[1 + N].revents & POLLIN))
        continue;
      const ssize_t Got = read(Outputs[N], Buf.data(), Buf.size());
      for (ssize_t I = 0; I < Got; ++I)
        Counts.Lines[N] += Buf[size_t(I)] == '\n';
    }
    if (P[0].revents & (POLLIN | POLLHUP)) {
      char Cmd = CmdQuit;
      if (read(Control, &Cmd, 1) != 1)
        Cmd = CmdQuit;
      if (Cmd == CmdProgram || Cmd == CmdReference) {
        Feeding = Cmd == CmdProgram ? 0 : 1;
        Due = Clock::now();
      } else if (Cmd == CmdStop) {
        Feeding = -1;
      } else if (Cmd == CmdCount) {
        (void)!write(Reply, &Counts, sizeof Counts);
      } else if (Cmd == CmdQuit) {
        _exit(0);
      }
    }
    if (Feeding >= 0 && Clock::now() >= Due) {
      // As the instrument sends it: the string, CR, LF.
      const AnsiString Line = Strings[Next++ % Strings.size()] + "\r\n";
      (void)!write(Inputs[Feeding], Line.constData(), size_t(Line.size()));
      Due += Period;
    }
  }
}

class TChild {
public:
  TChild(const int* Inputs, const int* Outputs, int Rate)
  {
    int C[2], R[2];
    if (pipe(C) != 0 || pipe(R) != 0) {
      std::perror("pipe");
      std::exit(1);
    }
    FPid = fork();
    if (FPid == 0) {
      close(C[1]);
      close(R[0]);
      RunInstrumentAndSurvey(C[0], R[1], Inputs, Outputs, Rate);
    }
    close(C[0]);
    close(R[1]);
    FControl = C[1];
    FReply = R[0];
  }
  ~TChild()
  {
    Send(CmdQuit);
    close(FControl);
    close(FReply);
    waitpid(FPid, nullptr, 0);
  }
  void Send(char Cmd) { (void)!write(FControl, &Cmd, 1); }
  TCounts Counts()
  {
    Send(CmdCount);
    TCounts C;
    if (read(FReply, &C, sizeof C) != sizeof C)
      std::fprintf(stderr, "the child did not answer\n");
    return C;
  }

private:
  pid_t FPid = -1;
  int FControl = -1;
  int FReply = -1;
};

// ------------------------------------------------------------ reporting

struct TFigures {
  double CpuUs = 0;     // per sample
  double Switches = 0;  // per sample
  double Voluntary = 0; // per sample
  std::map<std::string, TThreadCost> ByName;
  int64_t Samples = 0;
};

// Rounds add up per thread.
void AddCosts(std::map<int, TThreadCost>& Sum, const std::map<int, TThreadCost>& Round)
{
  for (const auto& [Tid, C] : Round) {
    TThreadCost& S = Sum[Tid];
    S.Name = C.Name;
    S.RunNs += C.RunNs;
    S.Voluntary += C.Voluntary;
    S.Involuntary += C.Involuntary;
  }
}

TFigures Figures(const std::map<int, TThreadCost>& Costs, int64_t Samples)
{
  const TThreadCost T = TotalCost(Costs);
  TFigures F;
  F.Samples = Samples;
  F.CpuUs = double(T.RunNs) / 1e3 / double(Samples);
  F.Switches = double(T.Switches()) / double(Samples);
  F.Voluntary = double(T.Voluntary) / double(Samples);
  F.ByName = CostByName(Costs);
  return F;
}

void Print(const char* Title, const TFigures& F)
{
  std::printf("%s: %lld samples\n", Title, static_cast<long long>(F.Samples));
  std::printf("  %-18s %12s %12s %12s\n", "thread", "CPU us/smp", "switch/smp", "of them vol.");
  for (const auto& [Name, C] : F.ByName) {
    if (C.RunNs == 0 && C.Switches() == 0)
      continue;
    std::printf("  %-18s %12.1f %12.2f %12.2f\n", Name.c_str(), double(C.RunNs) / 1e3 / double(F.Samples),
                double(C.Switches()) / double(F.Samples), double(C.Voluntary) / double(F.Samples));
  }
  std::printf("  %-18s %12.1f %12.2f %12.2f\n", "total", F.CpuUs, F.Switches, F.Voluntary);
}

void SetTwoOutputs(TCoreData& Core)
{
  Core.Output_1_Fitted = Core.Output_2_Fitted = 1;
  Core.Output_3_Fitted = Core.Output_4_Fitted = 0;
  Core.Output_1_Format = QString::fromLatin1(Formats[0]);
  Core.Output_2_Format = QString::fromLatin1(Formats[1]);
}

// ------------------------------------------------------------ the reference

// One thread, no dispatcher: waits for the input itself, cuts what lies
// between LF and CR, runs the sample road and writes the telegrams.
class TReference {
public:
  TReference(const String& InputPath, const String* OutputPaths)
  {
    Array2D Slots = Core.SerialArray;
    Slots[0][SerialFitted] = QStringLiteral("1");
    Core.RebuildFromSlots(Slots);
    Core.Reset_Data_Flag = 0;
    SetTwoOutputs(Core);
    if (In.OpenPath(InputPath) != SysErr::Success) {
      std::fprintf(stderr, "reference: cannot open the input\n");
      std::exit(1);
    }
    for (int N = 0; N < OutputCount; ++N)
      if (Out[N].OpenPath(OutputPaths[N]) != SysErr::Success) {
        std::fprintf(stderr, "reference: cannot open output %d\n", N + 1);
        std::exit(1);
      }
    Core.Hooks.OutputBufferFree = [](int32_t) { return 4096; };
    Core.Hooks.OutputPutString = [this](int32_t N, const AnsiString& T) {
      uint32_t Sent = 0;
      Out[N - 1].WriteAll(T.constData(), uint32_t(T.size()), Sent, 1000);
    };
  }

  // The cost of Samples samples after WarmUp, on this thread.
  std::map<int, TThreadCost> Round(TChild& Child, int64_t WarmUp, int64_t Samples)
  {
    const int Tid = CurrentTid();
    std::map<int, TThreadCost> Before;
    int64_t Done = 0;
    char Buf[256];
    Child.Send(CmdReference);
    while (Done < WarmUp + Samples) {
      if (In.WaitReadable(5000) != SysErr::Success) {
        std::fprintf(stderr, "reference: no data\n");
        std::exit(1);
      }
      uint32_t Got = 0;
      while (In.Read(Buf, sizeof Buf, Got) == SysErr::Success && Got > 0) {
        for (uint32_t I = 0; I < Got; ++I) {
          const char C = Buf[I];
          if (!Collecting) {
            Collecting = C == '\n';
            continue;
          }
          if (C != '\r') {
            Pending += C;
            continue;
          }
          SioDataPacket1StringPacket(Core, Pending);
          Pending.clear();
          Collecting = false;
          if (++Done == WarmUp)
            Before = TakeThreadSnapshot(Tid);
        }
      }
    }
    const auto After = TakeThreadSnapshot(Tid);
    Child.Send(CmdStop);
    if (Core.RejectedDataStrings != 0)
      std::fprintf(stderr, "reference: %lld strings rejected\n", static_cast<long long>(Core.RejectedDataStrings));
    return ThreadCostBetween(Before, After);
  }

private:
  TCoreData Core;
  SerialDevice In;
  SerialDevice Out[OutputCount];
  AnsiString Pending;
  bool Collecting = false;
};

double Median(std::vector<double> V)
{
  std::sort(V.begin(), V.end());
  const size_t H = V.size() / 2;
  return V.size() % 2 ? V[H] : (V[H - 1] + V[H]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
  int Samples = 400, WarmUp = 10, Rounds = 5, Rate = 20;
  bool SetupScreenOpen = false;
  for (int I = 1; I < argc; ++I) {
    if (std::strcmp(argv[I], "--setup-screen") == 0) {
      SetupScreenOpen = true;
      continue;
    }
    if (!ReadArg(argc, argv, I, "--samples", 10, 1000000, Samples) &&
        !ReadArg(argc, argv, I, "--warm-up", 1, 100000, WarmUp) &&
        !ReadArg(argc, argv, I, "--rounds", 1, 100, Rounds) && !ReadArg(argc, argv, I, "--rate", 1, 1000, Rate)) {
      std::fprintf(stderr, "usage: paced_road_bench [--samples N] [--warm-up N] [--rounds N] [--rate N] "
                           "[--setup-screen]\n");
      return 2;
    }
  }
  const int PerRound = std::max(1, Samples / Rounds);

  // Before any thread exists: the child is forked from here. The program
  // and the reference each have their own input and outputs.
  PtyPair Instrument[2];
  PtyPair Survey[ChildOutputs];
  int InputMasters[2], OutputMasters[ChildOutputs];
  for (int N = 0; N < 2; ++N) {
    if (!Instrument[N].IsOpen()) {
      std::fprintf(stderr, "no pseudo-terminals\n");
      return 1;
    }
    InputMasters[N] = Instrument[N].MasterFd();
  }
  for (int N = 0; N < ChildOutputs; ++N) {
    if (!Survey[N].IsOpen()) {
      std::fprintf(stderr, "no pseudo-terminals\n");
      return 1;
    }
    OutputMasters[N] = Survey[N].MasterFd();
  }
  TChild Child(InputMasters, OutputMasters, Rate);
  const String OutputPaths[OutputCount] = {Survey[0].SlavePath(), Survey[1].SlavePath()};
  const String ReferenceOutputPaths[OutputCount] = {Survey[OutputCount].SlavePath(),
                                                    Survey[OutputCount + 1].SlavePath()};

  std::printf("%d data strings a second; %d rounds of %d samples each, after %d of warm-up\n\n", Rate, Rounds,
              PerRound, WarmUp);
  TReference Reference(Instrument[1].SlavePath(), ReferenceOutputPaths);

  // ---- the program
  UseOffscreenWithoutDisplay();
  QApplication App(argc, argv);
  App.setQuitOnLastWindowClosed(false);
  TApplication FathomixApplication(nullptr);
  QTemporaryDir Home;
  if (!Home.isValid())
    return 1;
  IsolateProgram(Home.path());
  MapComPort(1, Instrument[0].SlavePath());
  MapComPort(2, OutputPaths[0]);
  MapComPort(3, OutputPaths[1]);

  QByteArray Ini;
  for (int N = 1; N <= 4; ++N)
    Ini += "[Output " + QByteArray::number(N) + "]\r\nFitted=" + (N <= OutputCount ? "1" : "0") +
           "\r\nPort=" + QByteArray::number(N + 1) + "\r\nBaud=19200\r\n";
  Ini += "[Quorndeck]\r\n";
  for (int N = 1; N <= OutputCount; ++N)
    Ini += "Output " + QByteArray::number(N) + " Format=" + Formats[N - 1] + "\r\n";
  Ini += "[Display]\r\nIndex=1\r\n[Serial 0]\r\nFitted=1\r\nPort=1\r\nBaud=19200\r\nPacket=1\r\n";
  for (int N = 1; N < 20; ++N)
    Ini += "[Serial " + QByteArray::number(N) + "]\r\nFitted=0\r\n";
  auto Form = StartMainForm(Home.path() + QStringLiteral("/fathomix"), Ini, OutputCount);
  if (!Form)
    return 1;
  if (!SetupScreenOpen)
    for (int32_t N = 0; N < Form->TCustomForm::MDIChildCount(); ++N)
      Form->TCustomForm::MDIChildren(N)->SetWindowState(wsMinimized);
  TCoreData& Core = Form->Core();
  const TCounts AtStart = Child.Counts();

  // Samples counted where the fan-out reaches the windows, once per sample;
  // the snapshots are taken there, at the same point of a sample each time.
  // A string already on its way when a round ends is taken but not counted.
  int64_t Done = 0, Handed = 0;
  bool Measuring = false;
  std::map<int, TThreadCost> Before, After;
  const auto PutString = Core.Hooks.OutputPutString;
  Core.Hooks.OutputPutString = [&](int32_t N, const AnsiString& Telegram) {
    ++Handed;
    PutString(N, Telegram);
  };
  const auto UpdateWindows = Core.Hooks.UpdateWindows;
  Core.Hooks.UpdateWindows = [&] {
    if (UpdateWindows)
      UpdateWindows();
    if (!Measuring)
      return;
    ++Done;
    if (Done == WarmUp) {
      Before = TakeThreadSnapshot();
    } else if (Done == WarmUp + PerRound) {
      After = TakeThreadSnapshot();
      Measuring = false;
      Child.Send(CmdStop);
      QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    }
  };

  std::map<int, TThreadCost> ReferenceSum, ProgramSum;
  std::vector<double> Ratios;
  std::printf("round   reference us/smp   program us/smp   ratio\n");
  for (int R = 1; R <= Rounds; ++R) {
    const auto Ref = Reference.Round(Child, WarmUp, PerRound);
    AddCosts(ReferenceSum, Ref);

    Done = 0;
    Measuring = true;
    // A program that stopped receiving would otherwise wait here for ever.
    QTimer Watchdog;
    Watchdog.setSingleShot(true);
    QObject::connect(&Watchdog, &QTimer::timeout, [] {
      std::fprintf(stderr, "the program stopped taking samples\n");
      QCoreApplication::exit(1);
    });
    Watchdog.start(int((WarmUp + PerRound) * 1000LL / Rate + 30000));
    Child.Send(CmdProgram);
    if (QCoreApplication::exec() != 0)
      return 1;
    const auto Prog = ThreadCostBetween(Before, After);
    AddCosts(ProgramSum, Prog);

    const double RefUs = double(TotalCost(Ref).RunNs) / 1e3 / double(PerRound);
    const double ProgUs = double(TotalCost(Prog).RunNs) / 1e3 / double(PerRound);
    Ratios.push_back(ProgUs / RefUs);
    std::printf("%5d   %16.1f   %14.1f   %5.2f\n", R, RefUs, ProgUs, Ratios.back());
  }

  const TFigures RefFigures = Figures(ReferenceSum, int64_t(PerRound) * Rounds);
  const TFigures Program = Figures(ProgramSum, int64_t(PerRound) * Rounds);
  std::printf("\n");
  Print("reference (one thread: poll, cut, sample road, write)", RefFigures);
  std::printf("\n");
  Print("program (main window, COM1 in, COM2 and COM3 out)", Program);
  std::printf("\nprogram / reference: CPU %.2f (median of the rounds %.2f), context switches %.2f (%.1f more per "
              "sample)\n",
              Program.CpuUs / RefFigures.CpuUs, Median(Ratios), Program.Switches / std::max(RefFigures.Switches, 0.01),
              Program.Switches - RefFigures.Switches);

  // Every telegram handed to a port must reach its far side.
  const auto Until = Clock::now() + std::chrono::seconds(5);
  int64_t Total = 0;
  for (;;) {
    Total = Child.Counts().Program() - AtStart.Program();
    if (Total >= Handed || Clock::now() > Until)
      break;
    Application->ProcessMessages();
    usleep(10000);
  }
  std::printf("telegrams: %lld handed to the ports, %lld arrived; %lld strings rejected\n",
              static_cast<long long>(Handed), static_cast<long long>(Total),
              static_cast<long long>(Core.RejectedDataStrings));
  Form.reset();
  return Total == Handed && Core.RejectedDataStrings == 0 ? 0 : 1;
}
