#pragma once
// Colour names as streams and editors write them: "clRed" for 0x000000FF,
// "clNone" for 0x1FFFFFFF, "clBtnFace" for the system colour 0xFF00000F. A
// colour is a 32-bit value, red in the low byte (0x00BBGGRR); a value
// without a name is written as a number.
//
// The high byte marks special values: clNone paints nothing, clDefault takes
// the owner's default, 0xFF000000..0xFF00001E are the system colours;
// canvases that support alpha may carry an alpha value there.
#include "rtl/Types.h"

#include <cstdint>

class TIdentMap;

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

inline constexpr uint8_t GetRValue(TColor C) { return static_cast<uint8_t>(C & 0xFF); }
inline constexpr uint8_t GetGValue(TColor C) { return static_cast<uint8_t>((C >> 8) & 0xFF); }
inline constexpr uint8_t GetBValue(TColor C) { return static_cast<uint8_t>((C >> 16) & 0xFF); }
inline constexpr TColor RGBColor(uint32_t R, uint32_t G, uint32_t B)
{
  return (R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16);
}

// Where two names share a value the first of the standard list is written
// (clGray, not clDkGray).
extern const TIdentMap ColorIdentMap;

bool ColorToIdent(int32_t Color, String& Ident);
// Case-insensitive.
bool IdentToColor(const String& Ident, int32_t& Color);
// The name, or "$" and eight hexadecimal digits.
String ColorToString(int32_t Color);
// A name or an integer (decimal or "$" hexadecimal); raises EConvertError
// for anything else.
int32_t StringToColor(const String& S);
