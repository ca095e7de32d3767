#include "platform/Colors.h"

#include "platform/TypInfo.h"
#include "rtl/Numbers.h"

const TIdentMap ColorIdentMap("TColor",
                              {
                                  {clBlack, "clBlack"},
                                  {clMaroon, "clMaroon"},
                                  {clGreen, "clGreen"},
                                  {clOlive, "clOlive"},
                                  {clNavy, "clNavy"},
                                  {clPurple, "clPurple"},
                                  {clTeal, "clTeal"},
                                  {clGray, "clGray"},
                                  {clSilver, "clSilver"},
                                  {clRed, "clRed"},
                                  {clLime, "clLime"},
                                  {clYellow, "clYellow"},
                                  {clBlue, "clBlue"},
                                  {clFuchsia, "clFuchsia"},
                                  {clAqua, "clAqua"},
                                  {clWhite, "clWhite"},
                                  {clMoneyGreen, "clMoneyGreen"},
                                  {clSkyBlue, "clSkyBlue"},
                                  {clCream, "clCream"},
                                  {clMedGray, "clMedGray"},
                                  {clNone, "clNone"},
                                  {clDefault, "clDefault"},
                                  {clScrollBar, "clScrollBar"},
                                  {clBackground, "clBackground"},
                                  {clActiveCaption, "clActiveCaption"},
                                  {clInactiveCaption, "clInactiveCaption"},
                                  {clMenu, "clMenu"},
                                  {clWindow, "clWindow"},
                                  {clWindowFrame, "clWindowFrame"},
                                  {clMenuText, "clMenuText"},
                                  {clWindowText, "clWindowText"},
                                  {clCaptionText, "clCaptionText"},
                                  {clActiveBorder, "clActiveBorder"},
                                  {clInactiveBorder, "clInactiveBorder"},
                                  {clAppWorkSpace, "clAppWorkSpace"},
                                  {clHighlight, "clHighlight"},
                                  {clHighlightText, "clHighlightText"},
                                  {clBtnFace, "clBtnFace"},
                                  {clBtnShadow, "clBtnShadow"},
                                  {clGrayText, "clGrayText"},
                                  {clBtnText, "clBtnText"},
                                  {clInactiveCaptionText, "clInactiveCaptionText"},
                                  {clBtnHighlight, "clBtnHighlight"},
                                  {cl3DDkShadow, "cl3DDkShadow"},
                                  {cl3DLight, "cl3DLight"},
                                  {clInfoText, "clInfoText"},
                                  {clInfoBk, "clInfoBk"},
                                  {clHotLight, "clHotLight"},
                                  {clGradientActiveCaption, "clGradientActiveCaption"},
                                  {clGradientInactiveCaption, "clGradientInactiveCaption"},
                                  {clMenuHighlight, "clMenuHighlight"},
                                  {clMenuBar, "clMenuBar"},
                                  // Aliases: read, never written.
                                  {clLtGray, "clLtGray"},
                                  {clDkGray, "clDkGray"},
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

String ColorToString(TColor Color)
{
  String Name;
  if (ColorToIdent(Color, Name))
    return Name;
  return QLatin1Char('$') + IntToHex(static_cast<uint32_t>(Color), 8);
}

TColor StringToColor(const String& S)
{
  int32_t Color = 0;
  if (IdentToColor(S, Color))
    return Color;
  return StrToInt(S);
}
