// One-byte latency of the serial device layer over a pseudo-terminal pair,
// and the processor time an idle open port costs.
//
//   serial_latency [--seconds N] [--trips N]
//
// Latency: the far side (the pty master) writes one byte; a reader thread
// waiting in WaitReadable wakes, reads it and echoes it back. "wake" is far
// side write -> reader awake; "round trip" is far side write -> echo back.
// Idle: a reader waits in WaitReadable and an event waiter in WaitEvent on a
// silent port for N seconds; the process's user + system time is reported.
#include "bench/SerialBenchSupport.h"
#include "platform/PtyPair.h"
#include "platform/SerialDevice.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <poll.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int64_t NowNs()
{
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

} // namespace

int main(int Argc, char** Argv)
{
  int Seconds = 10, Trips = 2000;
  for (int I = 1; I < Argc; ++I) {
    if (!ReadArg(Argc, Argv, I, "--seconds", 1, 3600, Seconds) &&
        !ReadArg(Argc, Argv, I, "--trips", 10, 1000000, Trips)) {
      std::fprintf(stderr, "usage: serial_latency [--seconds N] [--trips N]\n");
      return 2;
    }
  }

  PtyPair Pty;
  SerialDevice Dev;
  if (!Pty.IsOpen() || Dev.OpenPath(Pty.SlavePath()) != SysErr::Success) {
    std::fprintf(stderr, "cannot open a pty pair: %s\n", SerialErrorText(SerialLastError()).toLocal8Bit().constData());
    return 1;
  }

  // Latency.
  std::atomic<int64_t> WokeAt{0};
  std::thread Echo([&] {
    for (;;) {
      if (Dev.WaitReadable(-1) != SysErr::Success)
        return;
      WokeAt.store(NowNs(), std::memory_order_release);
      char C;
      uint32_t N = 0, Sent = 0;
      if (Dev.Read(&C, 1, N) != SysErr::Success)
        return;
      if (N == 1 && Dev.WriteAll(&C, 1, Sent, 1000) != SysErr::Success)
        return;
    }
  });
  std::vector<double> Wake, Round;
  Wake.reserve(size_t(Trips));
  Round.reserve(size_t(Trips));
  const int Master = Pty.MasterFd();
  for (int I = 0; I < Trips; ++I) {
    WokeAt.store(0);
    const char C = char('A' + I % 26);
    const int64_t T0 = NowNs();
    if (write(Master, &C, 1) != 1) {
      std::fprintf(stderr, "far side write failed\n");
      return 1;
    }
    pollfd P = {Master, POLLIN, 0};
    if (poll(&P, 1, 2000) != 1) {
      std::fprintf(stderr, "no echo within 2 s (trip %d)\n", I);
      return 1;
    }
    char Back;
    if (read(Master, &Back, 1) != 1 || Back != C) {
      std::fprintf(stderr, "wrong echo\n");
      return 1;
    }
    const int64_t T2 = NowNs();
    Wake.push_back(double(WokeAt.load(std::memory_order_acquire) - T0) / 1000.0);
    Round.push_back(double(T2 - T0) / 1000.0);
  }
  std::printf("one-byte latency over %d trips (microseconds):\n", Trips);
  std::printf("  far side write -> reader awake:  median %8.1f  p99 %8.1f  max %8.1f\n", Percentile(Wake, 0.5),
              Percentile(Wake, 0.99), Percentile(Wake, 1.0));
  std::printf("  far side write -> echo back:     median %8.1f  p99 %8.1f  max %8.1f\n", Percentile(Round, 0.5),
              Percentile(Round, 0.99), Percentile(Round, 1.0));

  // Idle cost: the echo thread is already waiting; add an event waiter.
  Dev.SetEventMask(CommEvent::RxChar | CommEvent::Cts | CommEvent::Dsr | CommEvent::Rlsd | CommEvent::Ring |
                   CommEvent::Break | CommEvent::Err);
  std::thread Events([&] {
    uint32_t E = 0;
    while (Dev.WaitEvent(E, -1) == SysErr::Success) {
    }
  });
  const double Cpu0 = CpuSeconds();
  const auto Wall0 = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(Seconds));
  const double Cpu = CpuSeconds() - Cpu0;
  const double Wall = std::chrono::duration<double>(Clock::now() - Wall0).count();
  std::printf("idle open port, reader and event waiter blocked, %.1f s: CPU %.3f ms (%.4f %%)\n", Wall, Cpu * 1000.0,
              Cpu * 100.0 / Wall);

  Dev.Close();
  Echo.join();
  Events.join();
  return 0;
}
