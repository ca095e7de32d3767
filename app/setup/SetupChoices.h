#pragma once
// The choices the set-up screen offers whose meaning is the core's: the
// sample intervals with the rates that go with them, and the sound-velocity
// sources it keeps.
#include "rtl/Types.h"

#include <cstdint>

// A sample interval of the modular instruments (ms, as text) and the
// profiling instrument's rate argument that goes with it.
struct TSampleInterval {
  const char* KirvoRate;
  const char* Rate;
};
constexpr int32_t SampleIntervalCount = 7;
extern const TSampleInterval SampleIntervals[SampleIntervalCount];

// The sound-velocity source as the operator left it: "Measured",
// "Calculated" or a whole number of m/s from 1300 to 1700 stays; anything
// else becomes "1500".
String AcceptedSoundVelocity(const String& Text);
