// The road of one profiling-instrument sample in the running program, out to
// real ports: the main window started on its settings file (every sensor
// slot fitted, the instruments on pseudo-terminals, four output ports on
// pseudo-terminals whose far sides a reader thread each drains), then data
// strings handed to the data packet's handler one after another: decoding,
// value table, calculations, history, depth tables, the fan-out with its
// message pumps and the set-up screen, and the four telegrams through
// PutString, the output rings and the write threads to the devices.
//
// Prints samples per second and the resident memory as the samples go by
// (it must stay flat), and at the end whether every telegram arrived.
//
//   port_road_bench [--samples N] [--view-points N] [--outputs N] [--rate N]
//
// --outputs takes fewer output ports; --rate hands the data strings over at
// that many a second (the string of sample i not before i / N seconds)
// instead of as fast as they go.
//
// Run it on one core to see what one core sustains:
//   taskset -c 0 build/bench/port_road_bench --view-points 1440
//   taskset -c 0 build/bench/port_road_bench --view-points 60
#include "app/core/CoreData.h"
#include "app/program/MainForm.h"
#include "app/core/SampleRoad.h"
#include "bench/RoadBenchSupport.h"
#include "platform/Application.h"
#include "platform/PtyPair.h"
#include "serial/SioComPort.h"

#include <QApplication>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <thread>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double ThreadCpuSeconds()
{
  timespec T{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
  return double(T.tv_sec) + double(T.tv_nsec) / 1e9;
}

double ProcessCpuSeconds()
{
  timespec T{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &T);
  return double(T.tv_sec) + double(T.tv_nsec) / 1e9;
}

bool ReadArg(int Argc, char** Argv, int& I, const char* Name, long Min, long Max, long& Value)
{
  if (std::strcmp(Argv[I], Name) != 0)
    return false;
  char* End = nullptr;
  const long V = I + 1 < Argc ? std::strtol(Argv[++I], &End, 10) : 0;
  if (!End || *End != '\0' || V < Min || V > Max) {
    std::fprintf(stderr, "%s must be %ld to %ld\n", Name, Min, Max);
    std::exit(2);
  }
  Value = V;
  return true;
}

// The far side of an output port: counts the telegrams (lines) that arrive.
class TDrain {
public:
  TDrain() : FThread([this] { Run(); }) {}
  ~TDrain()
  {
    FStop = true;
    FThread.join();
  }
  PtyPair& Pty() { return FPty; }
  int64_t Lines() const { return FLines.load(); }
  int64_t Bytes() const { return FBytes.load(); }

private:
  void Run()
  {
    std::vector<char> Buf(65536);
    fcntl(FPty.MasterFd(), F_SETFL, fcntl(FPty.MasterFd(), F_GETFL) | O_NONBLOCK);
    while (!FStop) {
      pollfd P = {FPty.MasterFd(), POLLIN, 0};
      if (poll(&P, 1, 50) <= 0 || !(P.revents & POLLIN))
        continue;
      // Everything waiting: a read returns at most what the line
      // discipline holds, a few KiB.
      ssize_t N;
      while ((N = read(FPty.MasterFd(), Buf.data(), Buf.size())) > 0) {
        int64_t Ends = 0;
        for (ssize_t I = 0; I < N; ++I)
          Ends += Buf[size_t(I)] == '\n';
        FLines += Ends;
        FBytes += N;
      }
      // A survey system takes its serial input in gulps.
      std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
  }

  PtyPair FPty;
  std::atomic<bool> FStop{false};
  std::atomic<int64_t> FLines{0};
  std::atomic<int64_t> FBytes{0};
  std::thread FThread;
};

} // namespace

int main(int argc, char** argv)
{
  long Samples = 1000000, ViewPoints = 1440, Outputs = 4, Rate = 0;
  for (int I = 1; I < argc; ++I) {
    if (!ReadArg(argc, argv, I, "--samples", 1, 100000000, Samples) &&
        !ReadArg(argc, argv, I, "--view-points", 1, 1440, ViewPoints) &&
        !ReadArg(argc, argv, I, "--outputs", 0, 4, Outputs) && !ReadArg(argc, argv, I, "--rate", 1, 10000000, Rate)) {
      std::fprintf(stderr, "usage: port_road_bench [--samples N] [--view-points N] [--outputs N] [--rate N]\n");
      return 2;
    }
  }
  UseOffscreenWithoutDisplay();
  QApplication App(argc, argv);
  TApplication FathomixApplication(nullptr);
  QTemporaryDir Home;
  if (!Home.isValid())
    return 1;
  IsolateProgram(Home.path());

  // COM1 the profiling instrument, COM3 the atmospheric instrument, COM4 to
  // COM7 the four QYR instruments (all idle), COM8 to COM11 the outputs.
  std::vector<std::unique_ptr<PtyPair>> Instruments;
  for (int N : {1, 3, 4, 5, 6, 7}) {
    Instruments.push_back(std::make_unique<PtyPair>());
    MapComPort(N, Instruments.back()->SlavePath());
  }
  std::vector<std::unique_ptr<TDrain>> Drains;
  for (int N = 0; N < 4; ++N) {
    Drains.push_back(std::make_unique<TDrain>());
    MapComPort(8 + N, Drains.back()->Pty().SlavePath());
  }

  const char* Formats[] = {"SEAKING LONG", "GREVON PROC (PREFIX)", "UK90 STD", "TARNWICK"};
  QByteArray Ini;
  for (int N = 1; N <= 4; ++N)
    Ini += "[Output " + QByteArray::number(N) + "]\r\nFitted=" + (N <= Outputs ? "1" : "0") +
           "\r\nPort=" + QByteArray::number(7 + N) + "\r\n";
  Ini += "[Display]\r\nIndex=1\r\n[Quorndeck]\r\nMaximum View Points=" + QByteArray::number(ViewPoints) + "\r\n";
  for (int N = 1; N <= 4; ++N)
    Ini += "Output " + QByteArray::number(N) + " Format=" + Formats[N - 1] + "\r\n";
  const int InstrumentPort[20] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3, 4, 5, 6, 7, 1, 1, 1, 1};
  const int Packet[20] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 11, 10, 16, 17, 18, 1, 1, 1, 1};
  for (int N = 0; N < 20; ++N)
    Ini += "[Serial " + QByteArray::number(N) + "]\r\nFitted=1\r\nAtmos=" + (N == 0 ? "1" : "0") + "\r\nLabel=Item " +
           QByteArray::number(N) + "\r\nUnits=u\r\nPort=" + QByteArray::number(InstrumentPort[N]) +
           "\r\nPacket=" + QByteArray::number(Packet[N]) + "\r\n";
  auto Form = StartMainForm(Home.path() + QStringLiteral("/fathomix"), Ini, int(Outputs));
  if (!Form)
    return 1;
  TCoreData& Core = Form->Core();
  for (int N = 1; N <= Outputs; ++N)
    if (Core.OutputFitted(N) != 1) {
      std::fprintf(stderr, "output %d is not fitted\n", N);
      return 1;
    }
  if (Core.SensorCount != 20) {
    std::fprintf(stderr, "only %d of 20 slots fitted\n", Core.SensorCount);
    return 1;
  }
  // The modular instruments' latest readings, as their own handlers leave them.
  const int32_t Modular[] = {Core.AP1Index, Core.QYR1Index, Core.QYR2Index, Core.QYR3Index, Core.QYR4Index};
  const char* ModularValues[] = {"10.130", "150.000", "250.000", "350.000", "450.000"};
  for (int I = 0; I < 5; ++I)
    Core.DataArray[static_cast<size_t>(Modular[I])] = QString::fromLatin1(ModularValues[I]);

  // Telegrams handed to the ports, counted on the way: an output whose
  // buffer had no room for a telegram dropped it.
  int64_t Handed = 0;
  const auto PutString = Core.Hooks.OutputPutString;
  Core.Hooks.OutputPutString = [&](int32_t N, const AnsiString& Telegram) {
    ++Handed;
    PutString(N, Telegram);
  };

  const std::vector<AnsiString> Lines = CastStrings();
  std::printf("samples %ld, history %ld points, every slot fitted, %ld output ports on pseudo-terminals\n", Samples,
              ViewPoints, Outputs);
  std::printf("resident at start: %ld KiB\n", ResidentKiB());
  const double ProcessCpu0 = ProcessCpuSeconds();
  const double MainCpu0 = ThreadCpuSeconds();
  const auto Start = Clock::now();
  auto LapStart = Start;
  const long Lap = Samples >= 10 ? Samples / 10 : 1;
  for (long I = 0; I < Samples; ++I) {
    // Paced: a sample is not handed over before its time, and the road
    // sleeps whenever it is a millisecond ahead, as it waits for its port.
    if (Rate > 0 && I % 64 == 0) {
      const auto Due = Start + std::chrono::nanoseconds(int64_t(1e9 * double(I) / double(Rate)));
      if (Due - Clock::now() > std::chrono::milliseconds(1))
        std::this_thread::sleep_until(Due);
    }
    SioDataPacket1StringPacket(Core, Lines[static_cast<size_t>(I) % Lines.size()]);
    if ((I + 1) % Lap == 0) {
      const auto Now = Clock::now();
      const double Secs = std::chrono::duration<double>(Now - LapStart).count();
      std::printf("  %9ld samples: %9.0f samples/s, resident %ld KiB, %lld telegrams dropped\n", I + 1, Lap / Secs,
                  ResidentKiB(), static_cast<long long>((I + 1) * Outputs - Handed));
      std::fflush(stdout);
      LapStart = Now;
    }
  }
  const double Secs = std::chrono::duration<double>(Clock::now() - Start).count();
  const double MainCpu = ThreadCpuSeconds() - MainCpu0;
  const double ProcessCpu = ProcessCpuSeconds() - ProcessCpu0;
  std::printf("total: %.3f s, %.0f samples/s, %.2f us/sample\n", Secs, Samples / Secs, Secs * 1e6 / Samples);
  std::printf("CPU per sample: main thread %.2f us, whole process %.2f us (the kernel's tty workers not counted)\n",
              MainCpu * 1e6 / Samples, ProcessCpu * 1e6 / Samples);

  // Every telegram must have reached its far side; one that found its
  // output buffer full was dropped.
  const auto Until = Clock::now() + std::chrono::seconds(10);
  auto AllArrived = [&] {
    for (int N = 0; N < Outputs; ++N)
      if (Drains[size_t(N)]->Lines() < Samples)
        return false;
    return true;
  };
  while (!AllArrived() && Clock::now() < Until) {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  bool Complete = true;
  for (int N = 0; N < Outputs; ++N) {
    const int64_t Got = Drains[size_t(N)]->Lines();
    std::printf("output %d (%s): %lld telegrams, %lld bytes, %lld dropped\n", N + 1, Formats[N],
                static_cast<long long>(Got), static_cast<long long>(Drains[size_t(N)]->Bytes()),
                static_cast<long long>(Samples - Got));
    Complete = Complete && Got == Samples;
  }
  std::printf("rejected strings %lld, history index %d, last depth %s\n",
              static_cast<long long>(Core.RejectedDataStrings), Core.History.Time_Array_Index(),
              qPrintable(Core.Value(Core.BathyDepthIndex)));
  Form.reset();
  return Complete && Core.RejectedDataStrings == 0 ? 0 : 1;
}
