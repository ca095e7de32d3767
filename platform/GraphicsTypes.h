#pragma once
// Value types of the drawing layer: colours, points, rectangles and the
// enumerations of the platform's pens, brushes and fonts.
#include "platform/Colors.h"

#include <array>
#include <cstdint>
#include <vector>

// The colour as the device paints it: a system colour becomes its fixed
// RGB value (a table of the platform's default scheme), every other value
// keeps its low 24 bits. clNone has no device colour; callers test it first.
TColor ColorToRGB(TColor C);

// Percent 0 (opaque) .. 100 (invisible).
using TZuzTransparency = uint8_t;

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TPointFloat {
  float x = 0;
  float y = 0;
  bool operator==(const TPointFloat&) const = default;
};

struct TPoint3D {
  int32_t x = 0;
  int32_t y = 0;
  int32_t z = 0;
  bool operator==(const TPoint3D&) const = default;
};

struct TPoint3DFloat {
  float X = 0;
  float Y = 0;
  float Z = 0;
  bool operator==(const TPoint3DFloat&) const = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TRect&) const = default;
};

struct TRectF {
  float Left = 0;
  float Top = 0;
  float Right = 0;
  float Bottom = 0;
  float Width() const { return Right - Left; }
  float Height() const { return Bottom - Top; }
  bool operator==(const TRectF&) const = default;
};

using TFourPoints = std::array<TPoint, 4>;
using TTrianglePoints = std::array<TPoint, 3>;
using TTrianglePoints3D = std::array<TPoint3D, 3>;
using TTriangleColors3D = std::array<TColor, 3>;
using TPointArray = std::vector<TPoint>;
using TPointFloatArray = std::vector<TPointFloat>;
using TCirclePoints = std::vector<TPointFloat>;
using TPathPointTypes = std::vector<uint8_t>;

inline TPoint Point(int32_t X, int32_t Y) { return TPoint{X, Y}; }
inline TRect Rect(int32_t L, int32_t T, int32_t R, int32_t B) { return TRect{L, T, R, B}; }

// Platform pen, brush and font enumerations, in the platform's order.
enum TPenStyle : uint8_t {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame,
  psUserStyle,
  psAlternate
};

enum TPenMode : uint8_t {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};

enum TBrushStyle : uint8_t {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = uint8_t; // a set of TFontStyle bits (1 << fsBold, ...)
inline constexpr TFontStyles FontStyleBit(TFontStyle S) { return static_cast<TFontStyles>(1u << S); }

// Horizontal alignment of text in a control or cell.
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
// The bevel of a panel or a framed box.
enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;
constexpr TFontCharset DEFAULT_CHARSET = 1;

// Device background modes; the numbers are the device's.
constexpr int32_t TRANSPARENT = 1;
constexpr int32_t OPAQUE = 2;

// Device text alignment flags.
constexpr int32_t TA_NOUPDATECP = 0;
constexpr int32_t TA_UPDATECP = 1;
constexpr int32_t TA_LEFT = 0;
constexpr int32_t TA_RIGHT = 2;
constexpr int32_t TA_CENTER = 6;
constexpr int32_t TA_TOP = 0;
constexpr int32_t TA_BOTTOM = 8;
constexpr int32_t TA_BASELINE = 24;

// Formats of TCanvas::DrawText.
constexpr uint32_t DT_LEFT = 0x0000;
constexpr uint32_t DT_CENTER = 0x0001;
constexpr uint32_t DT_RIGHT = 0x0002;
constexpr uint32_t DT_TOP = 0x0000;
constexpr uint32_t DT_VCENTER = 0x0004;
constexpr uint32_t DT_BOTTOM = 0x0008;
constexpr uint32_t DT_WORDBREAK = 0x0010;
constexpr uint32_t DT_SINGLELINE = 0x0020;
constexpr uint32_t DT_EXPANDTABS = 0x0040;
constexpr uint32_t DT_NOCLIP = 0x0100;
constexpr uint32_t DT_CALCRECT = 0x0400;
constexpr uint32_t DT_NOPREFIX = 0x0800;
constexpr uint32_t DT_EDITCONTROL = 0x2000;
constexpr uint32_t DT_END_ELLIPSIS = 0x8000;

// Device font qualities.
constexpr uint8_t DEFAULT_QUALITY = 0;
constexpr uint8_t NONANTIALIASED_QUALITY = 3;
constexpr uint8_t ANTIALIASED_QUALITY = 4;
constexpr uint8_t CLEARTYPE_QUALITY = 5;

// Region combination modes.
enum TRegionMode : uint8_t { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };

// Arc directions and graphics modes of a device.
constexpr int32_t AD_COUNTERCLOCKWISE = 1;
constexpr int32_t AD_CLOCKWISE = 2;
constexpr int32_t GM_COMPATIBLE = 1;
constexpr int32_t GM_ADVANCED = 2;
