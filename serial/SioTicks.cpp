#include "serial/SioTicks.h"

#include "platform/Clock.h"
#include "platform/Messages.h"
#include "rtl/Files.h"
#include "rtl/TextFile.h"

#include <algorithm>
#include <chrono>
#include <thread>

uint32_t SioTimeGetTime() { return TimeGetTime(); }

int32_t SioTicksNow() { return static_cast<int32_t>(SioTimeGetTime() / TickMilliseconds); }

void NewTimer(EventTimer& ET, int32_t Ticks)
{
  if (Ticks > MaxTicks)
    Ticks = MaxTicks;
  ET.StartTicks = SioTicksNow();
  ET.ExpireTicks = ET.StartTicks + Ticks;
}

bool TimerExpired(const EventTimer& ET)
{
  const int32_t Now = SioTicksNow();
  if (Now > ET.ExpireTicks)
    return true;
  if (Now >= ET.StartTicks)
    return false;
  // The tick count wrapped below the start: the ticks run since then are
  // Now + TickWrap - StartTicks. (Taking MaxTicks, half a turn, as the wrap
  // distance would keep a timer armed just before the wrap from expiring for
  // weeks.)
  return Now + TickWrap > ET.ExpireTicks;
}

int32_t RemainingTime(const EventTimer& ET)
{
  const int32_t Now = SioTicksNow();
  const int32_t Rest = Now >= ET.StartTicks ? ET.ExpireTicks - Now : ET.ExpireTicks - TickWrap - Now;
  return Rest < 0 ? 0 : Rest;
}

uint32_t RemainingMilliseconds(const EventTimer& ET)
{
  if (TimerExpired(ET))
    return 0;
  // Expiry comes with the tick after ExpireTicks: the rest of the current
  // tick plus the whole ticks still to run.
  const uint32_t Ms = SioTimeGetTime();
  const uint32_t IntoTick = Ms % TickMilliseconds;
  const uint64_t Left = uint64_t(RemainingTime(ET)) * TickMilliseconds + (TickMilliseconds - IntoTick);
  return static_cast<uint32_t>(std::min<uint64_t>(Left, INFINITE - 1));
}

uint32_t SafeYield() { return PumpOneMessage(false); }

int32_t DelayTicks(int32_t Ticks, int32_t Yield)
{
  if (Ticks <= 0)
    return 0;
  EventTimer ET;
  NewTimer(ET, std::min(Ticks, MaxTicks));
  int32_t Result = 0;
  for (;;) {
    if (Yield != 0)
      Result = static_cast<int32_t>(SafeYield());
    if (Result == int32_t(WM_QUIT) || TimerExpired(ET))
      return Result;
    // Nothing pumped this step: sleep until something arrives or the time is
    // up, rather than spinning a core on the clock.
    if (Result == 0) {
      const uint32_t Left = RemainingMilliseconds(ET);
      if (Yield != 0)
        WaitMessageOrTimeout(Left);
      else
        std::this_thread::sleep_for(std::chrono::milliseconds(Left));
    }
  }
}

bool FlagIsSet(uint32_t Flags, uint32_t FlagMask) { return (Flags & FlagMask) != 0; }

bool ExistFileZ(const String& FileName) { return FileExists(FileName); }

namespace Sio {

void AssignFile(TextFile& F, const String& FileName)
{
  ::AssignFile(F, FileName);
  const int32_t Code = IOResult();
  if (Code != 0)
    RaiseInOutError(Code);
}

void Assign(TextFile& F, const String& FileName) { ::AssignFile(F, FileName); }

} // namespace Sio
