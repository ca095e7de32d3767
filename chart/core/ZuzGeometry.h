#pragma once
// Hit tests on integer pixels, shared by series, legends and tools.
#include "platform/GraphicsTypes.h"

#include <span>

// (P.X - XRadius, P.Y - YRadius, P.X + XRadius, P.Y + YRadius); a YRadius
// of 0 takes XRadius. (The X, Y form is the canvas's RectFromCenter.)
TRect RectFromCenter(const TPoint& P, int32_t XRadius, int32_t YRadius);

// P is an end point, or lies within Tolerance + 1 pixels of the segment
// (X0, Y0)-(X1, Y1).
bool PointInLine(const TPoint& P, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Tolerance = 0);
bool PointInLine(const TPoint& P, const TPoint& P0, const TPoint& P1, int32_t Tolerance = 0);

// Even-odd test of P against the first High + 1 points; a point on a
// right-hand edge is outside. False for fewer than 2 points (or High
// beyond the points given).
bool PointInPolygon(const TPoint& P, std::span<const TPoint> Points, int32_t High);
// The triangle (X0, Y0), ((X0 + X1) div 2, Y1), (X1, Y0): base on the line
// Y0, apex on Y1.
bool PointInTriangle(const TPoint& P, int32_t X0, int32_t X1, int32_t Y0, int32_t Y1);
// The triangle (X0, Y0), (X1, (Y0 + Y1) div 2), (X0, Y1): base on the line
// X0, apex on X1.
bool PointInHorizTriangle(const TPoint& P, int32_t Y0, int32_t Y1, int32_t X0, int32_t X1);
// Inside the ellipse inscribed in the rectangle (its edge included); False
// for a rectangle without width or height.
bool PointInEllipse(const TPoint& P, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
bool PointInEllipse(const TPoint& P, const TRect& R);

// Whether segment 1-2 crosses segment 3-4 (an end point on the other
// segment's line counts); X, Y receive the crossing of the two lines. A
// vertical segment never crosses (False, X and Y unchanged).
bool CrossingLines(double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4, double Y4, double& X,
                   double& Y);

// Whether R1 and R2 overlap; R receives their intersection.
bool ZuzRectIntersects(TRect& R, const TRect& R1, const TRect& R2);
