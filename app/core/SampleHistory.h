#pragma once
// The time history of the profiling instrument's samples: the date, time and
// the twenty item texts of the last "Maximum View Points" samples, which the
// graph and scroll windows replay when they open.
//
// Callers see the logical slots 0..Length() - 1 exactly as a plain array that
// is shifted down by one place per sample once it is full: while the history
// fills, sample j sits in slot j; from the sample written into the last slot
// on, slots 0..Length() - 2 hold the newest Length() - 1 samples, oldest
// first, the last slot repeats the newest one, and Time_Array_Index() stays
// at Length() - 1. The windows replay slots 0..Time_Array_Index() - 1.
//
// Underneath it is a ring, so a sample costs the same whatever the length.
#include "rtl/Types.h"

#include <array>
#include <cstdint>
#include <vector>

class TSampleHistory {
public:
  static constexpr int32_t ItemCount = 20;
  // The set-up screen refuses more view points than this; a settings file
  // edited by hand is held to the same limit so that a stray value cannot
  // claim gigabytes.
  static constexpr int32_t MaxLength = 1440;

  // Length is held to 1..MaxLength, as by SetLength.
  explicit TSampleHistory(int32_t Length = MaxLength);

  // The data reset: every slot empty, Time_Array_Index() 0, the new length.
  void Reset(int32_t Length);
  // Follows a changed "Maximum View Points" without losing samples that
  // still fit: a longer history keeps every slot and lets Time_Array_Index()
  // grow on; a shorter one keeps the newest samples (slot k moves to
  // k - d, where d is how far Time_Array_Index() must come down to fit).
  // Length is held to 1..MaxLength; anything below 1 (a value the set-up
  // screen never accepts) gives a one-slot history that is always
  // overwritten and never replayed.
  void SetLength(int32_t Length);
  int32_t Length() const { return FLength; }

  // The slot the next sample is written to.
  int32_t Time_Array_Index() const { return FIndex; }
  // Held to 0..Length() - 1. Moves the write position only; the slots keep
  // their contents.
  void SetTime_Array_Index(int32_t Index);

  // Logical slot J in 0..Length() - 1 and Item in 0..ItemCount - 1, the
  // sensor slots in slot order (TSlot: 0 is TimeConductivityArray, 1
  // TimeWP1Array, ... 19 TimeQYR4DepthArray); anything else raises
  // ERangeError.
  TDateTime DateArray(int32_t J) const;
  TDateTime TimeArray(int32_t J) const;
  const String& Value(int32_t Item, int32_t J) const;

  // Writing a sample: fill the slot at Time_Array_Index(), then Advance().
  // An item not written keeps what the slot held.
  void SetCurrentStamps(TDateTime Date, TDateTime Time);
  void SetCurrentValue(int32_t Item, const String& Text);
  // Rolls the history when it is full and moves Time_Array_Index() on.
  void Advance();

private:
  struct TRow {
    TDateTime Date = 0;
    TDateTime Time = 0;
    std::array<String, ItemCount> Values;
  };

  const TRow& Row(int32_t J) const;
  TRow& RowAt(int32_t J);

  std::vector<TRow> FRows; // physical storage, FLength rows
  int32_t FLength = 1;
  int32_t FHead = 0;  // physical row of logical slot 0
  int32_t FIndex = 0; // Time_Array_Index
};
