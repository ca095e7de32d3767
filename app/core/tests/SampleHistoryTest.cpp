#include "app/core/SampleHistory.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The history as plain arrays: written at the index, moved down one place
// when full, the index moving on while there is room.
struct TPlainHistory {
  std::vector<std::string> Slots;
  int32_t Index = 0;

  explicit TPlainHistory(int32_t Length) : Slots(static_cast<size_t>(Length)) {}

  void Store(const std::string& V)
  {
    const auto M = static_cast<int32_t>(Slots.size());
    Slots[static_cast<size_t>(Index)] = V;
    if (Index > M - 2 && M >= 2)
      for (int32_t I = 0; I <= M - 2; ++I)
        Slots[static_cast<size_t>(I)] = Slots[static_cast<size_t>(I + 1)];
    if (Index < M - 1)
      ++Index;
  }
};

String Sample(int32_t N) { return QString::number(N); }

// One sample: its number as the text of item 0 and of the last item, and as
// its date and time.
void Store(TSampleHistory& H, int32_t N)
{
  H.SetCurrentStamps(N, N / 1000.0);
  H.SetCurrentValue(0, Sample(N));
  H.SetCurrentValue(TSampleHistory::ItemCount - 1, Sample(N));
  H.Advance();
}

void ExpectSame(const TSampleHistory& H, const TPlainHistory& Plain, int32_t AfterSample)
{
  ASSERT_EQ(H.Length(), static_cast<int32_t>(Plain.Slots.size()));
  ASSERT_EQ(H.Time_Array_Index(), Plain.Index) << "after sample " << AfterSample;
  for (int32_t J = 0; J < H.Length(); ++J) {
    const std::string Expected = Plain.Slots[static_cast<size_t>(J)];
    ASSERT_EQ(H.Value(0, J).toStdString(), Expected) << "slot " << J << " after sample " << AfterSample;
    ASSERT_EQ(H.Value(TSampleHistory::ItemCount - 1, J).toStdString(), Expected);
    ASSERT_EQ(H.DateArray(J), Expected.empty() ? 0 : std::stod(Expected)) << "slot " << J;
  }
}

TEST(SampleHistory, EverySlotMatchesTheShiftedArrays)
{
  for (const int32_t M : {1, 2, 3, 60}) {
    SCOPED_TRACE(M);
    TSampleHistory H(M);
    TPlainHistory Plain(M);
    for (int32_t N = 1; N <= 3 * M + 5; ++N) {
      Store(H, N);
      Plain.Store(std::to_string(N));
      ExpectSame(H, Plain, N);
    }
  }
}

TEST(SampleHistory, SixtyViewPoints)
{
  TSampleHistory H(60);
  for (int32_t N = 1; N <= 59; ++N)
    Store(H, N);
  EXPECT_EQ(H.Time_Array_Index(), 59);
  EXPECT_EQ(H.Value(0, 58), Sample(59));

  Store(H, 60);
  EXPECT_EQ(H.Time_Array_Index(), 59);
  for (int32_t J = 0; J <= 58; ++J)
    EXPECT_EQ(H.Value(0, J), Sample(J + 2)) << J;
  EXPECT_EQ(H.Value(0, 59), Sample(60));
  EXPECT_EQ(H.TimeArray(59), 60 / 1000.0);

  Store(H, 61);
  EXPECT_EQ(H.Value(0, 0), Sample(3));
  EXPECT_EQ(H.Value(0, 58), Sample(61));
  EXPECT_EQ(H.Value(0, 59), Sample(61));
}

TEST(SampleHistory, GrowingKeepsEverySampleAndFillsOn)
{
  // Full and rolled at 60, then the view points grow to 100: plain arrays
  // would simply be made longer.
  TSampleHistory H(60);
  TPlainHistory Plain(60);
  for (int32_t N = 1; N <= 75; ++N) {
    Store(H, N);
    Plain.Store(std::to_string(N));
  }
  H.SetLength(100);
  Plain.Slots.resize(100);
  ExpectSame(H, Plain, 75);
  for (int32_t N = 76; N <= 250; ++N) {
    Store(H, N);
    Plain.Store(std::to_string(N));
    ExpectSame(H, Plain, N);
  }
}

TEST(SampleHistory, ShrinkingKeepsTheNewestSamples)
{
  TSampleHistory H(100);
  for (int32_t N = 1; N <= 80; ++N)
    Store(H, N);
  ASSERT_EQ(H.Time_Array_Index(), 80);

  H.SetLength(60);
  // Slots 0..58 replay samples 22..80; the next sample goes into the last
  // slot and rolls as in any full history.
  EXPECT_EQ(H.Time_Array_Index(), 59);
  EXPECT_EQ(H.Value(0, 0), Sample(22));
  EXPECT_EQ(H.Value(0, 58), Sample(80));
  Store(H, 81);
  EXPECT_EQ(H.Time_Array_Index(), 59);
  EXPECT_EQ(H.Value(0, 0), Sample(23));
  EXPECT_EQ(H.Value(0, 58), Sample(81));
  EXPECT_EQ(H.Value(0, 59), Sample(81));

  // Shrinking a history that is not that far yet keeps it as it is.
  TSampleHistory Short(100);
  for (int32_t N = 1; N <= 10; ++N)
    Store(Short, N);
  Short.SetLength(60);
  EXPECT_EQ(Short.Time_Array_Index(), 10);
  EXPECT_EQ(Short.Value(0, 9), Sample(10));
}

TEST(SampleHistory, LengthIsHeldToOneToTheViewPointLimit)
{
  struct TCase {
    int32_t Asked, Held;
  };
  const TCase Cases[] = {{-5, 1}, {0, 1}, {1, 1}, {1440, 1440}, {1441, 1440}, {2000000000, 1440}};
  for (const auto& C : Cases) {
    TSampleHistory H(C.Asked);
    EXPECT_EQ(H.Length(), C.Held) << C.Asked;
    H.SetLength(60);
    H.SetLength(C.Asked);
    EXPECT_EQ(H.Length(), C.Held) << C.Asked;
  }
  // A one-slot history always holds the newest sample and replays nothing.
  TSampleHistory One(0);
  Store(One, 1);
  Store(One, 2);
  EXPECT_EQ(One.Time_Array_Index(), 0);
  EXPECT_EQ(One.Value(0, 0), Sample(2));
}

TEST(SampleHistory, ResetEmptiesAndOutOfRangeSlotsRaise)
{
  TSampleHistory H(3);
  for (int32_t N = 1; N <= 5; ++N)
    Store(H, N);
  H.Reset(4);
  EXPECT_EQ(H.Length(), 4);
  EXPECT_EQ(H.Time_Array_Index(), 0);
  for (int32_t J = 0; J < 4; ++J) {
    EXPECT_TRUE(H.Value(0, J).isEmpty());
    EXPECT_EQ(H.DateArray(J), 0);
  }
  EXPECT_THROW(H.Value(0, 4), ERangeError);
  EXPECT_THROW(H.Value(0, -1), ERangeError);
  EXPECT_THROW(H.Value(TSampleHistory::ItemCount, 0), ERangeError);
  EXPECT_THROW(H.DateArray(4), ERangeError);
  EXPECT_THROW(H.SetCurrentValue(-1, String()), ERangeError);

  H.SetTime_Array_Index(99);
  EXPECT_EQ(H.Time_Array_Index(), 3);
  H.SetTime_Array_Index(-2);
  EXPECT_EQ(H.Time_Array_Index(), 0);
}

} // namespace
