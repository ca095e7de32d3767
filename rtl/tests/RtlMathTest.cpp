#include "rtl/RtlMath.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(RtlMathTest, RoundHalvesToEven)
{
  struct Case {
    double X;
    int64_t Expected;
  };
  const Case Cases[] = {
      {2.5, 2},
      {-2.5, -2},
      {3.5, 4},
      {-3.5, -4},
      {0.5, 0},
      {-0.5, 0},
      {1.5, 2},
      {2.4999999, 2},
      {2.5000001, 3},
      {-2.5000001, -3},
      {0.49999999999999994, 0},
      {1e15 + 0.5, 1000000000000000},
      {4503599627370497.0, 4503599627370497},
      {-7, -7},
      {9.2e18, 9200000000000000000},
      {-9223372036854775808.0, INT64_MIN},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.X);
    EXPECT_EQ(Round(C.X), C.Expected);
  }
}

TEST(RtlMathTest, TruncCeilFloorIntFrac)
{
  struct Case {
    double X;
    int64_t Trunc;
    int64_t Ceil;
    int64_t Floor;
    double Int;
    double Frac;
  };
  const Case Cases[] = {
      {2.75, 2, 3, 2, 2.0, 0.75}, {-2.75, -2, -2, -3, -2.0, -0.75}, {-2.5, -2, -2, -3, -2.0, -0.5},
      {5.0, 5, 5, 5, 5.0, 0.0},   {0.25, 0, 1, 0, 0.0, 0.25},       {-0.25, 0, 0, -1, 0.0, -0.25},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.X);
    EXPECT_EQ(Trunc(C.X), C.Trunc);
    EXPECT_EQ(Ceil(C.X), C.Ceil);
    EXPECT_EQ(Floor(C.X), C.Floor);
    EXPECT_EQ(Int(C.X), C.Int);
    EXPECT_EQ(Frac(C.X), C.Frac);
  }
  EXPECT_EQ(Trunc(-9223372036854775808.0), INT64_MIN);
  EXPECT_TRUE(std::isnan(Int(NaN)));
}

TEST(RtlMathTest, CheckedArithmeticResults)
{
  EXPECT_EQ(FDiv(6, 3), 2);
  EXPECT_EQ(FDiv(-1, 4), -0.25);
  EXPECT_EQ(FSqrt(2.25), 1.5);
  EXPECT_EQ(FSqrt(0), 0);
  EXPECT_EQ(FLn(1), 0);
  EXPECT_DOUBLE_EQ(FLn(std::exp(2.0)), 2.0);
  EXPECT_EQ(FPower(2, 10), 1024);
  EXPECT_EQ(FPower(-2, 3), -8);
  EXPECT_EQ(FPower(0, 0), 1);
  EXPECT_EQ(FPower(0, 2), 0);
  EXPECT_EQ(FPower(9, 0.5), 3);
  EXPECT_EQ(FCheck(1.5), 1.5);
  EXPECT_EQ(FCheck(-0.0), 0.0);
}

enum class Raised { InvalidOp, ZeroDivide, Overflow };

TEST(RtlMathTest, FailuresRaiseTheMathErrors)
{
  struct Case {
    const char* Name;
    std::function<void()> Call;
    Raised Expected;
  };
  const Case Cases[] = {
      {"Round(NaN)", [] { Round(NaN); }, Raised::InvalidOp},
      {"Round(inf)", [] { Round(Inf); }, Raised::InvalidOp},
      {"Round(1e19)", [] { Round(1e19); }, Raised::InvalidOp},
      {"Round(-9.3e18)", [] { Round(-9.3e18); }, Raised::InvalidOp},
      {"Round(2^63)", [] { Round(9223372036854775808.0); }, Raised::InvalidOp},
      {"Trunc(2^63)", [] { Trunc(9223372036854775808.0); }, Raised::InvalidOp},
      {"Trunc(-inf)", [] { Trunc(-Inf); }, Raised::InvalidOp},
      {"Trunc(NaN)", [] { Trunc(NaN); }, Raised::InvalidOp},
      {"Ceil(NaN)", [] { Ceil(NaN); }, Raised::InvalidOp},
      {"Floor(-1e300)", [] { Floor(-1e300); }, Raised::InvalidOp},
      {"Frac(inf)", [] { Frac(Inf); }, Raised::InvalidOp},
      {"FDiv(1,0)", [] { FDiv(1, 0); }, Raised::ZeroDivide},
      {"FDiv(-1,-0)", [] { FDiv(-1, -0.0); }, Raised::ZeroDivide},
      {"FDiv(0,0)", [] { FDiv(0, 0); }, Raised::InvalidOp},
      {"FDiv(NaN,1)", [] { FDiv(NaN, 1); }, Raised::InvalidOp},
      {"FDiv(inf,inf)", [] { FDiv(Inf, Inf); }, Raised::InvalidOp},
      {"FDiv(1e308,1e-308)", [] { FDiv(1e308, 1e-308); }, Raised::Overflow},
      {"FSqrt(-1)", [] { FSqrt(-1); }, Raised::InvalidOp},
      {"FSqrt(NaN)", [] { FSqrt(NaN); }, Raised::InvalidOp},
      {"FLn(0)", [] { FLn(0); }, Raised::ZeroDivide},
      {"FLn(-1)", [] { FLn(-1); }, Raised::InvalidOp},
      {"FPower(0,-1)", [] { FPower(0, -1); }, Raised::ZeroDivide},
      {"FPower(-8,1/3)", [] { FPower(-8, 1.0 / 3.0); }, Raised::InvalidOp},
      {"FPower(10,400)", [] { FPower(10, 400); }, Raised::Overflow},
      {"FPower(NaN,0)", [] { FPower(NaN, 0); }, Raised::InvalidOp},
      {"FCheck(NaN)", [] { FCheck(NaN); }, Raised::InvalidOp},
      {"FCheck(inf)", [] { FCheck(Inf); }, Raised::Overflow},
      {"FCheck(-inf)", [] { FCheck(-Inf); }, Raised::Overflow},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    try {
      C.Call();
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidOp& E) {
      EXPECT_EQ(C.Expected, Raised::InvalidOp);
      EXPECT_STREQ(E.what(), "Invalid floating point operation");
    } catch (const EZeroDivide& E) {
      EXPECT_EQ(C.Expected, Raised::ZeroDivide);
      EXPECT_STREQ(E.what(), "Floating point division by zero");
    } catch (const EOverflow& E) {
      EXPECT_EQ(C.Expected, Raised::Overflow);
      EXPECT_STREQ(E.what(), "Floating point overflow");
    }
  }
}

} // namespace

TEST(RtlMathTest, SameValueToleranceIsRelativeToTheSmallerMagnitude)
{
  struct Case {
    double A, B, Epsilon;
    bool Expected;
  };
  const Case Cases[] = {
      {1.0, 1.0 + 5e-13, 0, true},                                // within the 1e-12 floor
      {1.0, 1.0 + 5e-12, 0, false},                               // beyond it
      {0.0, 9e-13, 0, true},                                      // the floor also holds at zero
      {1e6, 1e6 + 5e-7, 0, true},                                 // 1e-12 relative: 1e-6 here
      {1e6, 1e6 + 2e-6, 0, false},  {-1e6, -1e6 - 5e-7, 0, true}, // magnitudes, not signed values
      {1.0, 1.25, 0.25, true},                                    // an explicit tolerance replaces the default
      {1.25, 1.0, 0.2, false},      {NaN, NaN, 0, false},         {1.0, NaN, 1e300, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.A) + " " + std::to_string(C.B));
    EXPECT_EQ(SameValue(C.A, C.B, C.Epsilon), C.Expected);
  }
}
