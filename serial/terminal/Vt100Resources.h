#pragma once
// The VT100 keyboard and character-set tables, in the stored mapping form:
// the data of the resources ADVT100KEYMAP and ADVT100CHARSET.
#include "rtl/Types.h"

#include <array>

// The VT100 character sets.
inline constexpr std::array<const char*, 5> AdVT100CharSetNames = {"VT100-USASCII", "VT100-UK", "VT100-linedraw",
                                                                   "VT100-ROM1", "VT100-ROM2"};

// Virtual-key codes as text "\xNN" to their names, key names (optionally
// "shift+" or "ctrl+") to DEC key names, and DEC key names with their
// variant digit to the text they send ("\e" for ESC, "\xNN" for other bytes).
QByteArray Vt100KeyMapData();
QByteArray Vt100CharSetData();
