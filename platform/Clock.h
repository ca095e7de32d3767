#pragma once
// The millisecond clock of the serial library's tick timers: a 32-bit count
// that wraps at 2^32 like the multimedia timer it stands in for.
#include <cstdint>
#include <functional>

// Wait forever, for every time-out argument of this layer.
constexpr uint32_t INFINITE = 0xFFFFFFFFu;

// Milliseconds of a monotonic clock, truncated to 32 bits: it wraps about
// every 49.7 days, and every user of it must survive the wrap.
uint32_t TimeGetTime();

// Replaces the clock with Source (for instance a counter a test advances past
// 0xFFFFFFFF); an empty function brings the real clock back. Only the value of
// TimeGetTime changes: the waits of this layer still sleep in real time.
void SetTimeSourceForTests(std::function<uint32_t()> Source);
