#pragma once
// SIGINT and SIGTERM as requests to close the program: a logger started from
// a terminal (Ctrl+C) or run as a service (stopped by its supervisor) goes
// through the same ordered shutdown as a closed main window, so it keeps its
// settings and finishes a recording.
//
// The signal handler only writes the signal's number into a pipe; the read
// end is watched by the main thread's event loop, which runs OnSignal there.
// A signal that arrives before the loop runs waits in the pipe.
#include <functional>
#include <memory>

class QSocketNotifier;

class TTerminationSignals {
public:
  // Installs the handlers; only one instance may exist at a time. Needs the
  // Qt application object.
  TTerminationSignals();
  // Puts the previous handlers back.
  ~TTerminationSignals();
  TTerminationSignals(const TTerminationSignals&) = delete;
  TTerminationSignals& operator=(const TTerminationSignals&) = delete;

  // Runs on the main thread once per signal received.
  std::function<void(int Signal)> OnSignal;

private:
  void ReadSignals();

  std::unique_ptr<QSocketNotifier> FNotifier;
};
