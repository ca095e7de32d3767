#include "platform/QtConvert.h"

#include "platform/FontFamilies.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

QColor ToQColor(TColor C)
{
  const TColor R = ColorToRGB(C);
  return QColor(GetRValue(R), GetGValue(R), GetBValue(R));
}

TColor FromQColor(const QColor& C) { return RGBColor(C.red(), C.green(), C.blue()); }

QFont ToQFont(const TLogFont& LogFont)
{
  QFont F(FontFamilyFor(LogFont.FaceName));
  int32_t Px = LogFont.Height < 0 ? -LogFont.Height : LogFont.Height;
  if (Px == 0)
    Px = 16;
  F.setPixelSize(Px);
  if (LogFont.Height > 0) {
    // A positive height is the cell height: scale the character height so
    // that ascent and descent together make it.
    QFontMetrics M(F);
    const int Cell = M.ascent() + M.descent();
    if (Cell > 0)
      F.setPixelSize(std::max(1, static_cast<int>(std::lround(double(Px) * Px / Cell))));
  }
  F.setWeight(LogFont.Weight >= 600 ? QFont::Bold : QFont::Normal);
  F.setItalic(LogFont.Italic);
  F.setUnderline(LogFont.Underline);
  F.setStrikeOut(LogFont.StrikeOut);
  F.setKerning(false);
  if (LogFont.Quality == NONANTIALIASED_QUALITY)
    F.setStyleStrategy(QFont::NoAntialias);
  else if (LogFont.Quality == ANTIALIASED_QUALITY || LogFont.Quality == CLEARTYPE_QUALITY)
    F.setStyleStrategy(QFont::PreferAntialias);
  return F;
}

QFont ToQFont(const TFont& F) { return ToQFont(TLogFont::FromFont(F)); }
