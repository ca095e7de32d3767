#include "rtl/RtlMath.h"

#include "rtl/Exceptions.h"

#include <algorithm>
#include <cmath>

namespace {

[[noreturn]] void RaiseInvalidOp() { throw EInvalidOp(QStringLiteral("Invalid floating point operation")); }
[[noreturn]] void RaiseZeroDivide() { throw EZeroDivide(QStringLiteral("Floating point division by zero")); }
[[noreturn]] void RaiseOverflow() { throw EOverflow(QStringLiteral("Floating point overflow")); }

// 2^63 is exact as a double; every integral double in [-2^63, 2^63) fits.
constexpr double Int64Limit = 9223372036854775808.0;

int64_t ToInt64(double Integral)
{
  if (!(Integral >= -Int64Limit && Integral < Int64Limit)) // also false for NaN
    RaiseInvalidOp();
  return static_cast<int64_t>(Integral);
}

} // namespace

int64_t RoundLarge(double X)
{
  // Beyond 2^52 every double is a whole number.
  if (!std::isfinite(X))
    RaiseInvalidOp();
  return ToInt64(X);
}

int64_t Trunc(double X) { return ToInt64(std::trunc(X)); }

double Int(double X) { return std::trunc(X); }

double Frac(double X)
{
  if (std::isinf(X))
    RaiseInvalidOp();
  return X - std::trunc(X);
}

bool SameValue(double A, double B, double Epsilon)
{
  constexpr double Resolution = 1e-12;
  if (Epsilon == 0)
    Epsilon = std::max(std::min(std::fabs(A), std::fabs(B)) * Resolution, Resolution);
  if (A > B)
    return A - B <= Epsilon;
  return B - A <= Epsilon;
}

int64_t Ceil(double X) { return ToInt64(std::ceil(X)); }

int64_t Floor(double X) { return ToInt64(std::floor(X)); }

double FDiv(double A, double B)
{
  if (B == 0.0) {
    if (A == 0.0 || std::isnan(A))
      RaiseInvalidOp();
    RaiseZeroDivide();
  }
  return FCheck(A / B);
}

double FSqrt(double X)
{
  if (std::isnan(X) || X < 0.0)
    RaiseInvalidOp();
  return FCheck(std::sqrt(X));
}

double FLn(double X)
{
  if (std::isnan(X) || X < 0.0)
    RaiseInvalidOp();
  if (X == 0.0)
    RaiseZeroDivide();
  return FCheck(std::log(X));
}

double FPower(double Base, double Exponent)
{
  if (std::isnan(Base) || std::isnan(Exponent))
    RaiseInvalidOp();
  if (Exponent == 0.0)
    return 1.0;
  if (Base == 0.0 && Exponent < 0.0)
    RaiseZeroDivide();
  // A negative base has a real power only for a whole exponent; std::pow
  // gives NaN otherwise, which FCheck turns into the invalid operation.
  return FCheck(std::pow(Base, Exponent));
}

double FCheck(double X)
{
  if (std::isnan(X))
    RaiseInvalidOp();
  if (std::isinf(X))
    RaiseOverflow();
  return X;
}
