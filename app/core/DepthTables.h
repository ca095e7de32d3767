#pragma once
// The twenty depth tables: for every sensor slot (slot order) and every
// pressure bin 1..6000, the slot's value of the last sample that fell into
// that bin, 0 where none has yet. The profile chart, the depth grid and the
// depth file read them; the sample store and the depth-file replay write
// them.
#include <cstddef>
#include <cstdint>
#include <vector>

class TDepthTables {
public:
  static constexpr int32_t ItemCount = 20;

  TDepthTables();

  // The data reset: every entry back to 0.
  void Clear();

  static bool ValidBin(int32_t Bin);
  // Item in 0..ItemCount - 1, the sensor slots in slot order (TSlot: 0 is
  // ConductivityArray, 1 WP1Array, ... 19 QYR4DepthArray), Bin in
  // 1..TDepthBins::BinCount; anything else raises ERangeError.
  double Value(int32_t Item, int32_t Bin) const;
  void SetValue(int32_t Item, int32_t Bin, double Value);

private:
  size_t Offset(int32_t Item, int32_t Bin) const;

  std::vector<double> FValues;
};
