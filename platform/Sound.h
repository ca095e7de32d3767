#pragma once
// The system's warning sound (the platform's MessageBeep): controls sound it
// for a key they refuse. Main thread.
#include <cstdint>

// Sounds the beep of the given kind (0: the default beep; every kind sounds
// the same here).
void MessageBeep(uint32_t Type);
// How many beeps have sounded since the program started; lets a caller tell a
// refused key that beeps from one dropped silently.
uint32_t MessageBeepCount();
