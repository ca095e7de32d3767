#include "platform/Colors.h"

#include "platform/TypInfo.h"
#include "rtl/Numbers.h"

namespace {
// System colour n of the platform's colour table.
constexpr int32_t Sys(int32_t N) { return static_cast<int32_t>(0xFF000000u | static_cast<uint32_t>(N)); }
} // namespace

const TIdentMap ColorIdentMap("TColor",
                              {
                                  {0x000000, "clBlack"},
                                  {0x000080, "clMaroon"},
                                  {0x008000, "clGreen"},
                                  {0x008080, "clOlive"},
                                  {0x800000, "clNavy"},
                                  {0x800080, "clPurple"},
                                  {0x808000, "clTeal"},
                                  {0x808080, "clGray"},
                                  {0xC0C0C0, "clSilver"},
                                  {0x0000FF, "clRed"},
                                  {0x00FF00, "clLime"},
                                  {0x00FFFF, "clYellow"},
                                  {0xFF0000, "clBlue"},
                                  {0xFF00FF, "clFuchsia"},
                                  {0xFFFF00, "clAqua"},
                                  {0xFFFFFF, "clWhite"},
                                  {0xC0DCC0, "clMoneyGreen"},
                                  {0xF0CAA6, "clSkyBlue"},
                                  {0xF0FBFF, "clCream"},
                                  {0xA4A0A0, "clMedGray"},
                                  {0x1FFFFFFF, "clNone"},
                                  {0x20000000, "clDefault"},
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
