// Latency and idle cost of a port with a data packet, over a pseudo-terminal.
//
//   serial_packet_bench [--trips N] [--idle-seconds N]
//
// Latency: a far-side thread writes a profiling-instrument line "\n...\r"
// in one write; the time from just before that write to the packet's
// OnStringPacket running on the main thread is measured, one line at a time.
// Idle: the port stays open with the packet enabled and waiting for its start
// string while the main thread waits for messages; the process's
// user + system time over that period is reported.
#include "bench/SerialBenchSupport.h"
#include "platform/Messages.h"
#include "platform/PtyPair.h"
#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Handles the main thread's messages until Done or the limit passes.
bool PumpUntil(const std::atomic<bool>& Done, int LimitMs)
{
  const auto Until = Clock::now() + std::chrono::milliseconds(LimitMs);
  while (!Done.load()) {
    const auto Left = std::chrono::ceil<std::chrono::milliseconds>(Until - Clock::now()).count();
    if (Left <= 0)
      return false;
    if (PumpOneMessage() == 0)
      WaitMessageOrTimeout(uint32_t(Left));
  }
  return true;
}

} // namespace

int main(int Argc, char** Argv)
{
  int Trips = 500, IdleSeconds = 5;
  for (int I = 1; I < Argc; ++I) {
    if (!ReadArg(Argc, Argv, I, "--trips", 10, 100000, Trips) &&
        !ReadArg(Argc, Argv, I, "--idle-seconds", 1, 3600, IdleSeconds)) {
      std::fprintf(stderr, "usage: serial_packet_bench [--trips N] [--idle-seconds N]\n");
      return 2;
    }
  }

  PtyPair Pty;
  if (!Pty.IsOpen()) {
    std::fprintf(stderr, "cannot open a pty pair\n");
    return 1;
  }
  setenv("FATHOMIX_COM250", Pty.SlavePath().toLocal8Bit().constData(), 1);

  TSioComPort Port(nullptr);
  Port.SetComNumber(250);
  Port.SetPromptForPort(false);
  Port.SetAutoOpen(false);
  TSioDataPacket Packet(nullptr);
  Packet.SetComPort(&Port);
  Packet.SetStartString("\n");
  Packet.SetEndString("\r");
  Packet.SetEndCond(EndBit(ecString));
  Packet.SetIncludeStrings(false);
  Packet.SetTimeOut(91);

  std::atomic<int64_t> WrittenAt{0};
  std::atomic<bool> Arrived{false};
  std::vector<double> Latency;
  Latency.reserve(size_t(Trips));
  int32_t BadLines = 0;
  const AnsiString Line = "1500.123\t10.25\t8.456\t12.5\t42.123";
  Packet.OnStringPacket = [&](TObject*, const AnsiString& Data) {
    const int64_t Now = Clock::now().time_since_epoch().count();
    Latency.push_back(double(Now - WrittenAt.load()) / 1e6);
    if (Data != Line)
      ++BadLines;
    Arrived = true;
  };
  try {
    Port.SetOpen(true);
    Packet.SetEnabled(true);
  } catch (const std::exception& E) {
    std::fprintf(stderr, "cannot open the port: %s\n", E.what());
    return 1;
  }

  // The far side: one line at a time, each after the previous has arrived.
  std::atomic<bool> FarDone{false};
  std::atomic<bool> Failed{false};
  std::thread Far([&] {
    const AnsiString Wire = "\n" + Line + "\r";
    for (int I = 0; I < Trips && !Failed; ++I) {
      while (Arrived.load() && !Failed)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
      std::this_thread::sleep_for(std::chrono::milliseconds(2)); // a quiet port between lines
      // Stamped just before the write: the line may arrive before the write
      // call returns, so this slightly overstates the latency.
      WrittenAt = Clock::now().time_since_epoch().count();
      if (!Pty.WriteMaster(Wire)) {
        Failed = true;
        break;
      }
      while (!Arrived.load() && !Failed)
        std::this_thread::sleep_for(std::chrono::microseconds(50));
      Arrived = false;
    }
    FarDone = true;
    WakeMainThread();
  });
  const bool Finished = PumpUntil(FarDone, 60000);
  if (!Finished)
    Failed = true;
  Far.join();
  if (!Finished || Latency.size() != size_t(Trips) || BadLines != 0) {
    std::fprintf(stderr, "lost lines: %zu of %d arrived, %d wrong\n", Latency.size(), Trips, BadLines);
    return 1;
  }
  std::printf("far side write of \"\\n...\\r\" -> OnStringPacket on the main thread, %d lines (ms):\n", Trips);
  std::printf("  median %.3f  p90 %.3f  p99 %.3f  max %.3f\n", Percentile(Latency, 0.5), Percentile(Latency, 0.9),
              Percentile(Latency, 0.99), Percentile(Latency, 1.0));

  // Idle: packet enabled and waiting, nothing arrives.
  std::atomic<bool> Never{false};
  const double Cpu0 = CpuSeconds();
  const auto Wall0 = Clock::now();
  PumpUntil(Never, IdleSeconds * 1000);
  const double Cpu = CpuSeconds() - Cpu0;
  const double Wall = std::chrono::duration<double>(Clock::now() - Wall0).count();
  std::printf("idle open port, packet enabled, %.1f s: CPU %.3f ms (%.4f %%)\n", Wall, Cpu * 1000.0,
              Cpu * 100.0 / Wall);
  Port.SetOpen(false);
  return 0;
}
