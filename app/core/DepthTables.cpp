#include "app/core/DepthTables.h"

#include "app/core/calculations.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"

#include <algorithm>

TDepthTables::TDepthTables() : FValues(static_cast<size_t>(ItemCount) * TDepthBins::BinCount, 0.0) {}

void TDepthTables::Clear() { std::fill(FValues.begin(), FValues.end(), 0.0); }

bool TDepthTables::ValidBin(int32_t Bin) { return Bin >= 1 && Bin <= TDepthBins::BinCount; }

size_t TDepthTables::Offset(int32_t Item, int32_t Bin) const
{
  if (Item < 0 || Item >= ItemCount)
    throw ERangeError(Format("Depth table %d outside 0..%d", {Item, ItemCount - 1}));
  if (!ValidBin(Bin))
    throw ERangeError(Format("Depth bin %d outside 1..%d", {Bin, TDepthBins::BinCount}));
  return static_cast<size_t>(Item) * TDepthBins::BinCount + static_cast<size_t>(Bin - 1);
}

double TDepthTables::Value(int32_t Item, int32_t Bin) const { return FValues[Offset(Item, Bin)]; }

void TDepthTables::SetValue(int32_t Item, int32_t Bin, double Value) { FValues[Offset(Item, Bin)] = Value; }
