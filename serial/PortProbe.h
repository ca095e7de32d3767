#pragma once
// Which COM ports are present, and the dialog that lets the user choose one
// when a port is opened without a number.
#include "rtl/Types.h"

#include <cstdint>

// The device name of COM port N: "\\.\COMN".
String MakeComName(uint32_t ComNum);
// Whether COM port ComNum exists (through its COM mapping), found without
// opening it, so ports in use by other programs count; false for 0.
bool IsPortAvailable(uint32_t ComNum);
// The highest number the selection dialog offers.
constexpr uint32_t MaxProbedPort = 50;

// Shows the port selection dialog modally; true with the chosen number when
// the user picked a port and pressed OK. False without a GUI application.
bool ExecuteComSelectDialog(uint16_t& ComNumber);
