#include "app/core/SampleHistory.h"

#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"

#include <algorithm>
#include <utility>

namespace {

int32_t HeldLength(int32_t Length) { return std::clamp(Length, 1, TSampleHistory::MaxLength); }

} // namespace

TSampleHistory::TSampleHistory(int32_t Length) { Reset(Length); }

void TSampleHistory::Reset(int32_t Length)
{
  FLength = HeldLength(Length);
  FRows.assign(static_cast<size_t>(FLength), TRow());
  FHead = 0;
  FIndex = 0;
}

void TSampleHistory::SetLength(int32_t Length)
{
  const int32_t NewLength = HeldLength(Length);
  if (NewLength == FLength)
    return;
  const int32_t NewIndex = std::min(FIndex, NewLength - 1);
  const int32_t Drop = FIndex - NewIndex;
  std::vector<TRow> Rows(static_cast<size_t>(NewLength));
  for (int32_t J = 0; J < NewLength && J + Drop < FLength; ++J)
    Rows[static_cast<size_t>(J)] = std::move(RowAt(J + Drop));
  FRows = std::move(Rows);
  FLength = NewLength;
  FHead = 0;
  FIndex = NewIndex;
}

void TSampleHistory::SetTime_Array_Index(int32_t Index) { FIndex = std::clamp(Index, 0, FLength - 1); }

const TSampleHistory::TRow& TSampleHistory::Row(int32_t J) const
{
  if (J < 0 || J >= FLength)
    throw ERangeError(Format("History slot %d outside 0..%d", {J, FLength - 1}));
  return FRows[static_cast<size_t>((FHead + J) % FLength)];
}

TSampleHistory::TRow& TSampleHistory::RowAt(int32_t J) { return const_cast<TRow&>(std::as_const(*this).Row(J)); }

TDateTime TSampleHistory::DateArray(int32_t J) const { return Row(J).Date; }

TDateTime TSampleHistory::TimeArray(int32_t J) const { return Row(J).Time; }

const String& TSampleHistory::Value(int32_t Item, int32_t J) const
{
  if (Item < 0 || Item >= ItemCount)
    throw ERangeError(Format("History item %d outside 0..%d", {Item, ItemCount - 1}));
  return Row(J).Values[static_cast<size_t>(Item)];
}

void TSampleHistory::SetCurrentStamps(TDateTime Date, TDateTime Time)
{
  TRow& R = RowAt(FIndex);
  R.Date = Date;
  R.Time = Time;
}

void TSampleHistory::SetCurrentValue(int32_t Item, const String& Text)
{
  if (Item < 0 || Item >= ItemCount)
    throw ERangeError(Format("History item %d outside 0..%d", {Item, ItemCount - 1}));
  RowAt(FIndex).Values[static_cast<size_t>(Item)] = Text;
}

void TSampleHistory::Advance()
{
  if (FIndex > FLength - 2 && FLength >= 2) {
    // The plain array moves every slot down one place and leaves the newest
    // sample in the last slot as well. Moving the head does the first part;
    // the last slot now maps onto the row that held the oldest sample, so
    // it takes a copy of the newest (now the last-but-one slot).
    FHead = (FHead + 1) % FLength;
    RowAt(FLength - 1) = Row(FLength - 2);
  }
  if (FIndex < FLength - 1)
    ++FIndex;
}
