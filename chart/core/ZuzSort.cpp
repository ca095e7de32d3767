#include "chart/core/ZuzSort.h"

void ZuzSort(int32_t L, int32_t R, const TZuzCompareFunc& Compare, const TZuzSwapFunc& Swap)
{
  while (L < R) {
    int32_t I = L;
    int32_t J = R;
    // The pivot is an item, not a place: it follows its item when swapped.
    int32_t M = L + (R - L) / 2;
    while (I < J) {
      while (I < R && Compare(I, M) < 0)
        ++I;
      while (J > L && Compare(M, J) < 0)
        --J;
      if (I < J) {
        Swap(I, J);
        if (M == I)
          M = J;
        else if (M == J)
          M = I;
      }
      if (I <= J) {
        ++I;
        --J;
      }
    }
    // The smaller side recursively, the larger one in this loop, so that
    // the stack stays shallow on any input.
    if (J - L < R - I) {
      if (L < J)
        ZuzSort(L, J, Compare, Swap);
      L = I;
    } else {
      if (I < R)
        ZuzSort(I, R, Compare, Swap);
      R = J;
    }
  }
}
