#pragma once
// The chart library's index sort: a quicksort that knows nothing of what it
// sorts. Compare(A, B) tells whether the item at index A goes before (< 0),
// with (0) or after (> 0) the item at index B; Swap(A, B) exchanges two
// items. So one sort serves value lists (which swap every dimension of a
// series at once), labels and pie slices.
#include <cstdint>
#include <functional>

using TZuzCompareFunc = std::function<int32_t(int32_t A, int32_t B)>;
using TZuzSwapFunc = std::function<void(int32_t A, int32_t B)>;

// Sorts the items StartIndex..EndIndex (nothing when EndIndex <= StartIndex).
// Not stable. The scans never leave the range and the recursion depth stays
// logarithmic, whatever the comparison answers; a comparison that is not a
// consistent order then only leaves the items in some order.
void ZuzSort(int32_t StartIndex, int32_t EndIndex, const TZuzCompareFunc& CompareFunc, const TZuzSwapFunc& SwapFunc);
