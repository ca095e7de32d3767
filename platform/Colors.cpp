#include "platform/Colors.h"

#include "platform/TypInfo.h"
#include "rtl/Numbers.h"

namespace {
// System colour n of the platform's colour table.
constexpr int32_t Sys(int32_t N) { return static_cast<int32_t>(0xFF000000u | static_cast<uint32_t>(N)); }
} // namespace

const TIdentMap ColorIdentMap("TColor", {
                                            {static_cast<int32_t>(clBlack), "clBlack"},
                                            {static_cast<int32_t>(clMaroon), "clMaroon"},
                                            {static_cast<int32_t>(clGreen), "clGreen"},
                                            {static_cast<int32_t>(clOlive), "clOlive"},
                                            {static_cast<int32_t>(clNavy), "clNavy"},
                                            {static_cast<int32_t>(clPurple), "clPurple"},
                                            {static_cast<int32_t>(clTeal), "clTeal"},
                                            {static_cast<int32_t>(clGray), "clGray"},
                                            {static_cast<int32_t>(clSilver), "clSilver"},
                                            {static_cast<int32_t>(clRed), "clRed"},
                                            {static_cast<int32_t>(clLime), "clLime"},
                                            {static_cast<int32_t>(clYellow), "clYellow"},
                                            {static_cast<int32_t>(clBlue), "clBlue"},
                                            {static_cast<int32_t>(clFuchsia), "clFuchsia"},
                                            {static_cast<int32_t>(clAqua), "clAqua"},
                                            {static_cast<int32_t>(clWhite), "clWhite"},
                                            {0xC0DCC0, "clMoneyGreen"},
                                            {0xF0CAA6, "clSkyBlue"},
                                            {0xF0FBFF, "clCream"},
                                            {0xA4A0A0, "clMedGray"},
                                            {static_cast<int32_t>(clNone), "clNone"},
                                            {static_cast<int32_t>(clDefault), "clDefault"},
                                            {Sys(0), "clScrollBar"},
                                            {Sys(1), "clBackground"},
                                            {Sys(2), "clActiveCaption"},
                                            {Sys(3), "clInactiveCaption"},
                                            {Sys(4), "clMenu"},
                                            {Sys(5), "clWindow"},
                                            {Sys(6), "clWindowFrame"},
                                            {Sys(7), "clMenuText"},
                                            {Sys(8), "clWindowText"},
                                            {Sys(9), "clCaptionText"},
                                            {Sys(10), "clActiveBorder"},
                                            {Sys(11), "clInactiveBorder"},
                                            {Sys(12), "clAppWorkSpace"},
                                            {Sys(13), "clHighlight"},
                                            {Sys(14), "clHighlightText"},
                                            {Sys(15), "clBtnFace"},
                                            {Sys(16), "clBtnShadow"},
                                            {Sys(17), "clGrayText"},
                                            {Sys(18), "clBtnText"},
                                            {Sys(19), "clInactiveCaptionText"},
                                            {Sys(20), "clBtnHighlight"},
                                            {Sys(21), "cl3DDkShadow"},
                                            {Sys(22), "cl3DLight"},
                                            {Sys(23), "clInfoText"},
                                            {Sys(24), "clInfoBk"},
                                            {Sys(26), "clHotLight"},
                                            {Sys(27), "clGradientActiveCaption"},
                                            {Sys(28), "clGradientInactiveCaption"},
                                            {Sys(29), "clMenuHighlight"},
                                            {Sys(30), "clMenuBar"},
                                            // Aliases: read, never written.
                                            {0xC0C0C0, "clLtGray"},
                                            {0x808080, "clDkGray"},
                                        });

bool ColorToIdent(int32_t Color, String& Ident) { return ColorIdentMap.IntToIdent(Color, Ident); }

bool IdentToColor(const String& Ident, int32_t& Color)
{
  int64_t V = 0;
  if (!ColorIdentMap.IdentToInt(Ident, V))
    return false;
  Color = static_cast<int32_t>(V);
  return true;
}

String ColorToString(int32_t Color)
{
  String Name;
  if (ColorToIdent(Color, Name))
    return Name;
  return QLatin1Char('$') + IntToHex(static_cast<uint32_t>(Color), 8);
}

int32_t StringToColor(const String& S)
{
  int32_t Color = 0;
  if (IdentToColor(S, Color))
    return Color;
  return StrToInt(S);
}
