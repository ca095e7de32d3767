#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <mutex>

namespace {

// The injected source is read by every thread that asks for the time; the
// flag keeps the real clock free of the lock.
std::atomic<bool> gHasSource{false};
std::mutex gSourceLock;
std::function<uint32_t()> gSource;

} // namespace

uint32_t TimeGetTime()
{
  if (gHasSource.load(std::memory_order_acquire)) {
    std::function<uint32_t()> Source;
    {
      std::lock_guard<std::mutex> Lock(gSourceLock);
      Source = gSource;
    }
    if (Source)
      return Source();
  }
  const auto Ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
  return static_cast<uint32_t>(static_cast<uint64_t>(Ms.count()));
}

void SetTimeSourceForTests(std::function<uint32_t()> Source)
{
  std::lock_guard<std::mutex> Lock(gSourceLock);
  gSource = std::move(Source);
  gHasSource.store(static_cast<bool>(gSource), std::memory_order_release);
}
