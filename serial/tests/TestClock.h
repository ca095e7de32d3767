#pragma once
// Millisecond clocks for the tick tests, installed for the length of a scope.
#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

// A clock that stands where the test puts it.
class TManualClock {
public:
  explicit TManualClock(uint32_t Start) : FNow(std::make_shared<std::atomic<uint32_t>>(Start))
  {
    auto Now = FNow;
    SetTimeSourceForTests([Now] { return Now->load(); });
  }
  ~TManualClock() { SetTimeSourceForTests({}); }
  TManualClock(const TManualClock&) = delete;
  TManualClock& operator=(const TManualClock&) = delete;

  void Set(uint32_t Ms) { FNow->store(Ms); }
  void Advance(uint32_t Ms) { FNow->fetch_add(Ms); }
  uint32_t Now() const { return FNow->load(); }

private:
  std::shared_ptr<std::atomic<uint32_t>> FNow;
};

// A clock that runs in real time from Start (for instance just before the
// 32-bit millisecond count wraps).
class TShiftedClock {
public:
  explicit TShiftedClock(uint32_t Start)
  {
    const auto Origin = std::chrono::steady_clock::now();
    SetTimeSourceForTests([Origin, Start] {
      const auto Ms =
          std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - Origin).count();
      return static_cast<uint32_t>(Start + static_cast<uint32_t>(Ms));
    });
  }
  ~TShiftedClock() { SetTimeSourceForTests({}); }
  TShiftedClock(const TShiftedClock&) = delete;
  TShiftedClock& operator=(const TShiftedClock&) = delete;
};
