#pragma once
// The system's warning sound, as a control refusing a key plays it.
#include <cstdint>

// Plays the warning sound (the type is the platform's sound id; every type
// plays the one sound the desktop has) and counts it.
void MessageBeep(uint32_t Type);
// Sounds played since the program started, for tests of who beeps when.
uint32_t MessageBeepCount();
