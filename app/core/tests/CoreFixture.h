#pragma once
// Shared by the core's tests: a settable clock and a core with a chosen set
// of fitted slots.
#include "app/core/CoreData.h"
#include "rtl/DateTime.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <ostream>
#include <vector>

// Readable texts in test failures.
inline void PrintTo(const QString& S, std::ostream* Os) { *Os << '"' << S.toStdString() << '"'; }

// The clock the core reads through rtl Now(). Every read returns Value and
// then moves it on by Step milliseconds, and is counted.
struct TTestClock {
  static inline TDateTime Value = 0;
  static inline int64_t StepMs = 0;
  static inline int Reads = 0;
  static TDateTime Read()
  {
    ++Reads;
    const TDateTime V = Value;
    Value = IncMilliSecond(Value, StepMs);
    return V;
  }
};

// Installs the test clock for the life of the object.
class TClockScope {
public:
  explicit TClockScope(TDateTime Start, int64_t StepMs = 0)
  {
    TTestClock::Value = Start;
    TTestClock::StepMs = StepMs;
    TTestClock::Reads = 0;
    SetNowFunction(&TTestClock::Read);
  }
  ~TClockScope() { SetNowFunction(nullptr); }
  TClockScope(const TClockScope&) = delete;
  TClockScope& operator=(const TClockScope&) = delete;
};

// Core's slot table with exactly the given slots fitted (defaults otherwise),
// labels "S<slot>", units "u".
inline Array2D TestSlots(const TCoreData& Core, const std::vector<int32_t>& FittedSlots)
{
  Array2D Slots = Core.SerialArray;
  for (int32_t N = 0; N < SlotCount; ++N) {
    TSerialRow& Row = Slots[static_cast<size_t>(N)];
    Row[SerialFitted] = QStringLiteral("0");
    Row[SerialLabel] = QStringLiteral("S%1").arg(N);
    Row[SerialUnits] = QStringLiteral("u");
  }
  for (const int32_t N : FittedSlots)
    Slots[static_cast<size_t>(N)][SerialFitted] = QStringLiteral("1");
  return Slots;
}

// A core whose slot table has exactly the given slots fitted (defaults
// otherwise), rebuilt as a settings load with a data reset does it. Labels
// are "S<slot>", units "u".
inline std::unique_ptr<TCoreData> MakeCore(std::initializer_list<int32_t> FittedSlots)
{
  auto Core = std::make_unique<TCoreData>();
  const Array2D Slots = TestSlots(*Core, FittedSlots);
  Core->Reset_Data_Flag = 1;
  Core->RebuildFromSlots(Slots);
  Core->Reset_Data_Flag = 0;
  return Core;
}

// Every slot fitted, in slot order: slot n's value sits at 2n + 1.
inline std::unique_ptr<TCoreData> MakeFullCore()
{
  return MakeCore({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19});
}

// Whether two sets of bins hold the same tables and bin state.
inline ::testing::AssertionResult SameBins(const TDepthBins& A, const TDepthBins& B)
{
  if (A.SVA_Array_Index != B.SVA_Array_Index || A.SVA_Sum != B.SVA_Sum || A.MeanDensity != B.MeanDensity)
    return ::testing::AssertionFailure() << "bin state " << A.SVA_Array_Index << "/" << A.SVA_Sum << "/"
                                         << A.MeanDensity << " where " << B.SVA_Array_Index << "/" << B.SVA_Sum << "/"
                                         << B.MeanDensity;
  for (int32_t Bin = 1; Bin <= TDepthBins::BinCount; ++Bin)
    if (A.SVAArray(Bin) != B.SVAArray(Bin) || A.IntSVAArray(Bin) != B.IntSVAArray(Bin) ||
        A.TableDepthArray(Bin) != B.TableDepthArray(Bin))
      return ::testing::AssertionFailure() << "bin " << Bin << " differs";
  return ::testing::AssertionSuccess();
}
