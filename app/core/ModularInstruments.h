#pragma once
// The modular (Kirvo) instruments: four QYR pressure sensors and the
// atmospheric pressure sensor. Their data strings, their command dialogues
// and the set-up grid all name them by the same number k = 1..5, always in
// this order:
//
//   k  instrument    slot  set-up row  value index  status text
//   1  QYR 1         12    6           QYR1Index    PortData3
//   2  QYR 2         13    7           QYR2Index    PortData4
//   3  QYR 3         14    8           QYR3Index    PortData5
//   4  QYR 4         15    9           QYR4Index    PortData6
//   5  atmospheric   11    10          AP1Index     PortData7
#include "rtl/Types.h"

#include <cstdint>

class TCoreData;

constexpr int32_t ModularInstrumentCount = 5;
constexpr int32_t ModularAtmospheric = 5;

// Each raises ERangeError for K outside 1..5.
int32_t ModularSlot(int32_t K);
int32_t ModularSetupRow(int32_t K);
int32_t ModularValueIndex(const TCoreData& Core, int32_t K);
String& ModularStatus(TCoreData& Core, int32_t K);

// The instrument of a set-up grid row, 0 for a row that holds none.
int32_t ModularOfSetupRow(int32_t Row);
