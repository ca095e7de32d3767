#pragma once
// Between this layer's value types and Qt's: colours, fonts, points and
// rectangles. Qt-facing glue: include it in sources only, never in a header
// that the rest of the program includes.
#include "platform/Canvas.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>

// The colour the device paints (system colours resolved, clNone black).
QColor ToQColor(TColor C);
TColor FromQColor(const QColor& C);

// The Qt font a device font stands for: a negative height is the character
// height in pixels, a positive one the cell height (ascent plus descent).
QFont ToQFont(const TLogFont& F);
QFont ToQFont(const TFont& F);

inline QPoint ToQPoint(const TPoint& P) { return QPoint(P.X, P.Y); }
inline TPoint FromQPoint(const QPoint& P) { return TPoint{P.x(), P.y()}; }
// A rectangle whose right and bottom edges lie outside it, as this layer's.
inline QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Width(), R.Height()); }
inline TRect FromQRect(const QRect& R) { return TRect{R.left(), R.top(), R.left() + R.width(), R.top() + R.height()}; }
