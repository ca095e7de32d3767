#pragma once
// Units of panel margins and axis positions.
#include <cstdint>

enum TZuzUnits : uint8_t { muPercent, muPixels };
