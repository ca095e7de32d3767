#pragma once
// SIGINT, SIGTERM and SIGHUP as requests to close the program: a logger
// started from a terminal (Ctrl+C, or the terminal closed, a remote session
// dropped) or run as a service (stopped by its supervisor) goes through the
// same ordered shutdown as a closed main window, so it keeps its settings
// and finishes a recording.
//
// The signal handler only writes the signal's number into a pipe; the read
// end is watched by the main thread's event loop, which runs OnSignal there.
// A signal that arrives before the loop runs waits in the pipe.
//
// The handlers, once installed by the first watch, stay until the process
// exits: a signal while no watch exists (the shutdown after the event loop
// has ended, when the main window and its ports are freed) changes nothing,
// where the default action would end the process half-way.
#include <functional>
#include <memory>

class QSocketNotifier;

class TTerminationSignals {
public:
  // Starts the watch (installing the handlers the first time); only one
  // watch may exist at a time. Signals that came while none existed are
  // dropped. Needs the Qt application object.
  TTerminationSignals();
  // Ends the watch; the handlers stay.
  ~TTerminationSignals();
  TTerminationSignals(const TTerminationSignals&) = delete;
  TTerminationSignals& operator=(const TTerminationSignals&) = delete;

  // Runs on the main thread once per signal received.
  std::function<void(int Signal)> OnSignal;

private:
  void ReadSignals();

  std::unique_ptr<QSocketNotifier> FNotifier;
};
