#include "platform/SyncObjs.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// One waiting thread. Events hold it by shared pointer, so that a waker that
// has let go of the event's lock may still tell it, even if it has stopped
// waiting meanwhile (a time-out, another event): it is woken with no lock
// held, and so never wakes only to wait for its waker's lock.
struct Waiter {
  std::mutex M;
  std::condition_variable CV;
  bool Fired = false;
};

using Clock = std::chrono::steady_clock;

// Each thread waits with one waiter, reused: a late wake-up meant for an
// earlier wait is only a spurious one, which every wait looks past.
const std::shared_ptr<Waiter>& ThreadWaiter()
{
  thread_local const std::shared_ptr<Waiter> W = std::make_shared<Waiter>();
  return W;
}

} // namespace

struct TEvent::Impl {
  std::mutex M;
  bool Manual = true;
  bool Signaled = false;
  std::vector<std::shared_ptr<Waiter>> Waiters;
};

namespace {

// Takes the signal when it is there (resetting an auto-reset event);
// otherwise registers W when asked to.
bool TryTake(TEvent::Impl& E, const std::shared_ptr<Waiter>* W)
{
  std::lock_guard<std::mutex> Lock(E.M);
  if (E.Signaled) {
    if (!E.Manual)
      E.Signaled = false;
    return true;
  }
  if (W)
    E.Waiters.push_back(*W);
  return false;
}

void Unregister(TEvent::Impl& E, const std::shared_ptr<Waiter>& W)
{
  std::lock_guard<std::mutex> Lock(E.M);
  E.Waiters.erase(std::remove(E.Waiters.begin(), E.Waiters.end(), W), E.Waiters.end());
}

// Index of the event taken, -1 on time-out.
int32_t WaitAny(TEvent::Impl* const* Events, int32_t Count, uint32_t Timeout)
{
  for (int32_t I = 0; I < Count; ++I)
    if (TryTake(*Events[I], nullptr))
      return I;
  if (Timeout == 0)
    return -1;

  const bool Forever = Timeout == INFINITE;
  const auto Deadline = Clock::now() + std::chrono::milliseconds(Forever ? 0 : Timeout);
  const std::shared_ptr<Waiter>& W = ThreadWaiter();
  {
    std::lock_guard<std::mutex> Lock(W->M);
    W->Fired = false;
  }
  bool Registered = false;
  int32_t Result = -1;
  for (;;) {
    bool Taken = false;
    for (int32_t I = 0; I < Count && !Taken; ++I) {
      if (TryTake(*Events[I], Registered ? nullptr : &W)) {
        Result = I;
        Taken = true;
      }
    }
    if (Taken)
      break;
    // After the first pass W is in every list (a pass that took nothing
    // registered it everywhere).
    Registered = true;
    std::unique_lock<std::mutex> Lock(W->M);
    if (Forever) {
      W->CV.wait(Lock, [&] { return W->Fired; });
    } else if (!W->CV.wait_until(Lock, Deadline, [&] { return W->Fired; })) {
      break;
    }
    W->Fired = false;
  }
  // A pass may have registered W with the events before the one it took.
  for (int32_t I = 0; I < Count; ++I)
    Unregister(*Events[I], W);
  return Result;
}

} // namespace

TEvent::TEvent(bool ManualReset, bool InitialState) : D(std::make_unique<Impl>())
{
  D->Manual = ManualReset;
  D->Signaled = InitialState;
}

TEvent::~TEvent() = default;

void TEvent::SetEvent()
{
  std::vector<std::shared_ptr<Waiter>> Wake;
  {
    std::lock_guard<std::mutex> Lock(D->M);
    D->Signaled = true;
    // Every waiter is woken; for an auto-reset event they race for the one
    // signal in TryTake and the losers wait again.
    Wake = D->Waiters;
  }
  for (const std::shared_ptr<Waiter>& W : Wake) {
    {
      std::lock_guard<std::mutex> WLock(W->M);
      W->Fired = true;
    }
    W->CV.notify_one();
  }
}

void TEvent::ResetEvent()
{
  std::lock_guard<std::mutex> Lock(D->M);
  D->Signaled = false;
}

TWaitResult TEvent::WaitFor(uint32_t Timeout)
{
  Impl* Events[] = {D.get()};
  return WaitAny(Events, 1, Timeout) == 0 ? wrSignaled : wrTimeout;
}

TWaitTwoResult WaitForTwo(TEvent& A, TEvent& B, uint32_t Timeout)
{
  if (&A == &B)
    return A.WaitFor(Timeout) == wrSignaled ? wtFirst : wtTimeout;
  TEvent::Impl* Events[] = {A.D.get(), B.D.get()};
  switch (WaitAny(Events, 2, Timeout)) {
  case 0:
    return wtFirst;
  case 1:
    return wtSecond;
  default:
    return wtTimeout;
  }
}

// ---------------------------------------------------------- TCriticalSection

struct TCriticalSection::Impl {
  std::recursive_mutex M;
};

TCriticalSection::TCriticalSection() : D(std::make_unique<Impl>()) {}
TCriticalSection::~TCriticalSection() = default;
void TCriticalSection::Enter() { D->M.lock(); }
void TCriticalSection::Leave() { D->M.unlock(); }
bool TCriticalSection::TryEnter() { return D->M.try_lock(); }

// ---------------------------------------------------------------- Interlocked

int32_t InterlockedIncrement(int32_t& Target) { return std::atomic_ref<int32_t>(Target).fetch_add(1) + 1; }

int32_t InterlockedDecrement(int32_t& Target) { return std::atomic_ref<int32_t>(Target).fetch_sub(1) - 1; }

int32_t InterlockedRead(const int32_t& Target) { return std::atomic_ref<int32_t>(const_cast<int32_t&>(Target)).load(); }

int32_t InterlockedIncrement(std::atomic<int32_t>& Target) { return Target.fetch_add(1) + 1; }
int32_t InterlockedDecrement(std::atomic<int32_t>& Target) { return Target.fetch_sub(1) - 1; }
