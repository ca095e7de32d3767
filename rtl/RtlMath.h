#pragma once
// Arithmetic with the semantics the design relies on.
#include <cstdint>

// Nearest integer, halves to even (Round(2.5) = 2, Round(3.5) = 4).
// NaN, infinities and values outside 64 bits raise EInvalidOp.
// Inline for the values below 2^52 (every pixel a chart maps goes
// through it); written out rather than left to the current rounding mode,
// which any library may have changed.
int64_t RoundLarge(double X);
inline int64_t Round(double X)
{
  constexpr double TwoTo52 = 4503599627370496.0;
  if (!(X > -TwoTo52 && X < TwoTo52))
    return RoundLarge(X);
  // Without branches on the fraction, which a run of pixels makes
  // unpredictable.
  int64_t T = static_cast<int64_t>(X); // towards zero
  const int64_t Below = static_cast<double>(T) > X;
  T -= Below;
  const double Diff = X - static_cast<double>(T); // exact
  T += static_cast<int64_t>(Diff > 0.5) | (static_cast<int64_t>(Diff == 0.5) & T & 1);
  return T;
}
// Towards zero; same failures as Round.
int64_t Trunc(double X);
double Int(double X);  // integer part as a double
double Frac(double X); // X - Int(X); an infinite X raises EInvalidOp
// Same failures as Round.
int64_t Ceil(double X);
int64_t Floor(double X);

// Floating-point operations whose failure paths the design depends on:
// division by zero raises EZeroDivide (0/0 raises EInvalidOp), a square
// root or logarithm outside its domain raises EInvalidOp (Ln(0) raises
// EZeroDivide), a result that overflows raises EOverflow. A NaN argument
// raises EInvalidOp. FPower(x, 0) is 1; FPower(0, negative) raises
// EZeroDivide; a negative base with a fractional exponent raises EInvalidOp.
double FDiv(double A, double B);
double FSqrt(double X);
double FLn(double X);
double FPower(double Base, double Exponent);
// A and B differ by at most Epsilon. An Epsilon of 0 takes the default
// tolerance: 1e-12 relative to the smaller magnitude, at least 1e-12.
// NaN is the same as nothing.
bool SameValue(double A, double B, double Epsilon = 0);
// Raises EInvalidOp for NaN and EOverflow for an infinite X; returns X.
double FCheck(double X);
