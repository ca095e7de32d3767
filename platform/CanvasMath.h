#pragma once
// Rounding of floating coordinates to device pixels (halves to even). A
// coordinate that is no number or beyond the device's range is first pulled
// into range, so that a stray value cannot abort a paint.
#include "rtl/RtlMath.h"

#include <cmath>
#include <cstdint>

inline int32_t PixelRound(double V)
{
  if (std::isnan(V))
    return 0;
  if (V > 1.0e9)
    V = 1.0e9;
  else if (V < -1.0e9)
    V = -1.0e9;
  return static_cast<int32_t>(Round(V));
}

constexpr double DegToRad = 3.14159265358979323846 / 180.0;
