#pragma once
// The data strings of the modular instruments in run mode: one line per
// sample from each QYR pressure sensor and from the atmospheric sensor,
// received by data packets 10, 11, 16, 17 and 18. A line updates the value
// of the instrument (or instruments) it belongs to and runs the fan-out
// UpdateData; unlike the profiling instrument's string it runs no
// calculations and feeds no history.
//
// Line layout: the value, a TAB, further fields (RS232); or the same led by
// the sender's two-digit address and ":" (RS485), e.g. "02:30.1325\t12.000".
#include "rtl/Types.h"

#include <cstdint>

class TCoreData;

// A modular line is some twenty bytes; anything near this long is noise on
// the line or a lost line end, and is refused before it is looked at.
constexpr int32_t MaxModularLineLength = 1024;

// A module reports in the unit chosen for it, so a reading is refused only
// when no unit makes its magnitude real: it is a number broken on the line.
constexpr double MaxModularMagnitude = 1e7;

// Whether Line is led by a two-digit address and ":" and, if so, that
// address. A ":" anywhere else (a time of day in a later field) does not
// make a line addressed.
bool IsAddressedLine(const String& Line, int32_t& Address);

// The handler of modular data packet Packet with the text between its start
// and end strings. An addressed line goes to every fitted modular instrument
// with that address, whichever packet delivered it; an unaddressed line to
// every fitted modular instrument bound to Packet. Each receiver's status
// text (PortData3..PortData7) becomes the trimmed line; its value (less the
// live atmospheric pressure for a QYR slot that asks for it) goes into its
// value table entry through the entry's mask, with the time stamps.
//
// A receiver whose value does not convert (or lies beyond
// MaxModularMagnitude) keeps its old value, and its status text names the
// fault; the other receivers of the line are still
// served. Then, unless every receiver failed, the message pump runs once
// and, unless a data file is being replayed, UpdateData.
//
// Returns false when any receiver refused the line (or the line was too
// long); the caller then flushes the packet's port (input, then output).
bool ModularStringPacket(TCoreData& Core, int32_t Packet, const AnsiString& Data);

// The five handlers by their packets.
bool SioDataPacket10StringPacket(TCoreData& Core, const AnsiString& Data);
bool SioDataPacket11StringPacket(TCoreData& Core, const AnsiString& Data);
bool SioDataPacket16StringPacket(TCoreData& Core, const AnsiString& Data);
bool SioDataPacket17StringPacket(TCoreData& Core, const AnsiString& Data);
bool SioDataPacket18StringPacket(TCoreData& Core, const AnsiString& Data);
