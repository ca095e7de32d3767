#pragma once
// The time base of the serial library: ticks of 55 ms taken from the
// millisecond clock, tick timers, and the message-pumping wait every pause of
// the instrument dialogues is made of.
//
// A tick is the 32-bit millisecond clock divided by 55; the clock wraps about
// every 49.7 days and the tick count with it (from 78090314 back to 0), so
// every comparison of tick counts below allows for one wrap.
#include "rtl/Types.h"

#include <cstdint>

class TextFile;

constexpr uint32_t TickMilliseconds = 55;
// Ticks in 2^31 ms: the longest a timer can be armed for.
constexpr int32_t MaxTicks = 39045157;
// Ticks in one turn of the 32-bit millisecond clock (2^32 / 55, rounded up):
// how far the tick count falls back when the clock wraps.
constexpr int32_t TickWrap = 78090315;

// A tick timer: plain value, copied freely.
struct EventTimer {
  int32_t StartTicks = 0;
  int32_t ExpireTicks = 0;
};

// The millisecond clock (the platform's injectable one).
uint32_t SioTimeGetTime();
// The current tick count.
int32_t SioTicksNow();

// Arms ET for Ticks ticks from now (capped at MaxTicks; negatives pass).
void NewTimer(EventTimer& ET, int32_t Ticks);
// True from the first tick after StartTicks + Ticks on.
bool TimerExpired(const EventTimer& ET);
// Ticks left, never below 0.
int32_t RemainingTime(const EventTimer& ET);
// Milliseconds of real time until ET expires (0 when it has), for waits that
// sleep until then instead of testing the clock over and over.
uint32_t RemainingMilliseconds(const EventTimer& ET);

// Waits Ticks ticks. With Yield non-zero the calling thread's messages are
// handled meanwhile, one at a time, and a quit message ends the wait early
// (result 18, the quit message stays queued); the result is the last pump
// step's code. With Yield 0 the queue is not touched and the result is 0.
// Between steps the thread sleeps until the next message or the expiry
// instead of spinning.
int32_t DelayTicks(int32_t Ticks, int32_t Yield);
// Handles at most one message of the calling thread: (low word of its window
// << 16) | low word of its number, 18 for the quit message (which is left
// queued), 0 when nothing was pending.
uint32_t SafeYield();

bool FlagIsSet(uint32_t Flags, uint32_t FlagMask);
// Whether the file exists (symbolic links followed).
bool ExistFileZ(const String& FileName);

namespace Sio {
// Binds a text file to a name and raises the pending I/O error at once; the
// data-file writers and readers open their files through this one.
void AssignFile(TextFile& F, const String& FileName);
// The binding alone, leaving any I/O error pending for IOResult.
void Assign(TextFile& F, const String& FileName);
} // namespace Sio
