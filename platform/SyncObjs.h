#pragma once
// Synchronisation objects of the worker threads: events, a two-event wait,
// re-entrant critical sections and interlocked counters.
#include "platform/Clock.h"

#include <atomic>
#include <cstdint>
#include <memory>

enum TWaitResult : uint8_t {
  wrSignaled,
  wrTimeout,
  // Kept for callers that switch over every outcome; no event of this layer
  // is ever abandoned or fails a wait.
  wrAbandoned,
  wrError,
};

enum TWaitTwoResult : uint8_t { wtFirst, wtSecond, wtTimeout };

// An event object. A manual-reset event stays signalled until ResetEvent and
// releases every waiter; an auto-reset event releases one waiter and resets
// itself. An event must outlive every wait on it.
class TEvent {
public:
  explicit TEvent(bool ManualReset = true, bool InitialState = false);
  ~TEvent();
  TEvent(const TEvent&) = delete;
  TEvent& operator=(const TEvent&) = delete;

  void SetEvent();
  void ResetEvent();
  // Timeout in milliseconds, INFINITE to wait for ever, 0 to test.
  TWaitResult WaitFor(uint32_t Timeout);

  struct Impl;

private:
  friend TWaitTwoResult WaitForTwo(TEvent& A, TEvent& B, uint32_t Timeout);
  std::unique_ptr<Impl> D;
};

// Waits until A or B is signalled or Timeout ms pass. When both are
// signalled A wins; only the event reported is reset (if auto-reset).
TWaitTwoResult WaitForTwo(TEvent& A, TEvent& B, uint32_t Timeout);

// A re-entrant lock: the thread that holds it may enter again and must
// leave as often as it entered.
class TCriticalSection {
public:
  TCriticalSection();
  ~TCriticalSection();
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;

  void Enter();
  void Leave();
  bool TryEnter();
  void Acquire() { Enter(); }
  void Release() { Leave(); }

private:
  struct Impl;
  std::unique_ptr<Impl> D;
};

// Atomic add and subtract of a shared counter; each returns the new value.
// A plain int32_t counter changed by these must be read with
// InterlockedRead while other threads may change it.
int32_t InterlockedIncrement(int32_t& Target);
int32_t InterlockedDecrement(int32_t& Target);
int32_t InterlockedRead(const int32_t& Target);
int32_t InterlockedIncrement(std::atomic<int32_t>& Target);
int32_t InterlockedDecrement(std::atomic<int32_t>& Target);
