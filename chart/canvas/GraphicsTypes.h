#pragma once
// Value types of the drawing layer: colours, points, rectangles and the
// enumerations of the platform's pens, brushes and fonts.
//
// Colours are TColor values 0x00BBGGRR (red in the low byte). The high byte
// marks special values: clNone paints nothing, clDefault takes the owner's
// default, 0xFF000000..0xFF00001E are the system colours; canvases that
// support alpha may carry an alpha value there.
#include <array>
#include <cstdint>
#include <vector>

using TColor = uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clDkGray = clGray;
constexpr TColor clLtGray = clSilver;

// System colours: 0xFF000000 plus the platform's colour index.
constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
constexpr TColor clMenuHighlight = clSystemColor | 29;
constexpr TColor clMenuBar = clSystemColor | 30;

inline constexpr bool IsSystemColor(TColor C) { return (C & 0xFF000000u) == 0xFF000000u && (C & 0x00FFFFFFu) <= 30; }

// The colour as the device paints it: a system colour becomes its fixed
// RGB value (a table of the platform's default scheme), every other value
// keeps its low 24 bits. clNone has no device colour; callers test it first.
TColor ColorToRGB(TColor C);

inline constexpr uint8_t GetRValue(TColor C) { return static_cast<uint8_t>(C & 0xFF); }
inline constexpr uint8_t GetGValue(TColor C) { return static_cast<uint8_t>((C >> 8) & 0xFF); }
inline constexpr uint8_t GetBValue(TColor C) { return static_cast<uint8_t>((C >> 16) & 0xFF); }
inline constexpr TColor RGBColor(uint32_t R, uint32_t G, uint32_t B) { return (R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16); }

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
enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate };

enum TPenMode : uint8_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

enum TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = uint8_t; // a set of TFontStyle bits (1 << fsBold, ...)
inline constexpr TFontStyles FontStyleBit(TFontStyle S) { return static_cast<TFontStyles>(1u << S); }

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
