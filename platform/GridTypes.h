#pragma once
// Value types of the framework's grid: cell coordinates and ranges, the
// draw state a cell is painted in and the grid's options. Sets are bit
// masks, bit i standing for member i, as streams hold them.
#include <cstdint>

struct TGridCoord {
  int32_t X = 0; // column
  int32_t Y = 0; // row
  bool operator==(const TGridCoord&) const = default;
};

// Inclusive cell coordinates: Left and Right are columns, Top and Bottom rows.
struct TGridRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  bool operator==(const TGridRect&) const = default;
};

enum TGridDrawStateItem : uint8_t { gdSelected, gdFocused, gdFixed, gdRowSelected, gdHotTrack, gdPressed };
using TGridDrawState = uint8_t;
inline constexpr TGridDrawState GridDrawBit(TGridDrawStateItem S) { return static_cast<TGridDrawState>(1u << S); }

enum TGridOption : uint8_t {
  goFixedVertLine,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goRangeSelect,
  goDrawFocusSelected,
  goRowSizing,
  goColSizing,
  goRowMoving,
  goColMoving,
  goEditing,
  goTabs,
  goRowSelect,
  goAlwaysShowEditor,
  goThumbTracking,
  goFixedColClick,
  goFixedRowClick,
  goFixedHotTrack
};
using TGridOptions = uint32_t;
inline constexpr TGridOptions GridOptionBit(TGridOption O) { return 1u << O; }

enum TGridDrawingStyle : uint8_t { gdsClassic, gdsThemed, gdsGradient };
