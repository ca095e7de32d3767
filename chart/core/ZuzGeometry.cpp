#include "chart/core/ZuzGeometry.h"

#include "chart/canvas/Geometry.h"

#include <algorithm>
#include <cmath>

TRect RectFromCenter(const TPoint& P, int32_t XRadius, int32_t YRadius)
{
  return RectFromCenter(P.X, P.Y, XRadius, YRadius);
}

namespace {

// Distance from P to the segment, in single precision.
float SegmentDistance(const TPoint& P, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1)
{
  const float Dx = float(X1) - float(X0);
  const float Dy = float(Y1) - float(Y0);
  const auto Dist = [&](float X, float Y) { return std::hypot(float(P.X) - X, float(P.Y) - Y); };
  if (Dx == 0 && Dy == 0)
    return Dist(float(X0), float(Y0));
  const float T = ((float(P.X) - float(X0)) * Dx + (float(P.Y) - float(Y0)) * Dy) / (Dx * Dx + Dy * Dy);
  if (T < 0)
    return Dist(float(X0), float(Y0));
  if (T > 1)
    return Dist(float(X1), float(Y1));
  return Dist(float(X0) + T * Dx, float(Y0) + T * Dy);
}

} // namespace

bool PointInLine(const TPoint& P, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Tolerance)
{
  if ((P.X == X0 && P.Y == Y0) || (P.X == X1 && P.Y == Y1))
    return true;
  return SegmentDistance(P, X0, Y0, X1, Y1) <= float(Tolerance) + 1;
}

bool PointInLine(const TPoint& P, const TPoint& P0, const TPoint& P1, int32_t Tolerance)
{
  return PointInLine(P, P0.X, P0.Y, P1.X, P1.Y, Tolerance);
}

bool PointInPolygon(const TPoint& P, std::span<const TPoint> Points, int32_t High)
{
  if (High < 1 || static_cast<size_t>(High) >= Points.size())
    return false;
  bool Result = false;
  const double X = P.X, Y = P.Y;
  double Xj = Points[High].X, Yj = Points[High].Y;
  for (int32_t I = 0; I <= High; ++I) {
    const double Xi = Points[I].X, Yi = Points[I].Y;
    if (((Yi <= Y && Y < Yj) || (Yj <= Y && Y < Yi)) && X < (Y - Yi) * (Xj - Xi) / (Yj - Yi) + Xi)
      Result = !Result;
    Xj = Xi;
    Yj = Yi;
  }
  return Result;
}

bool PointInTriangle(const TPoint& P, int32_t X0, int32_t X1, int32_t Y0, int32_t Y1)
{
  const TPoint T[3] = {{X0, Y0}, {(X0 + X1) / 2, Y1}, {X1, Y0}};
  return PointInPolygon(P, T, 2);
}

bool PointInHorizTriangle(const TPoint& P, int32_t Y0, int32_t Y1, int32_t X0, int32_t X1)
{
  const TPoint T[3] = {{X0, Y0}, {X1, (Y0 + Y1) / 2}, {X0, Y1}};
  return PointInPolygon(P, T, 2);
}

bool PointInEllipse(const TPoint& P, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom)
{
  const int32_t Cx = (Left + Right) / 2;
  const int32_t Cy = (Top + Bottom) / 2;
  const double A2 = double(Cx - Left) * (Cx - Left);
  const double B2 = double(Cy - Top) * (Cy - Top);
  if (A2 == 0 || B2 == 0)
    return false;
  const double Dx = P.X - Cx, Dy = P.Y - Cy;
  return Dx * Dx / A2 + Dy * Dy / B2 <= 1;
}

bool PointInEllipse(const TPoint& P, const TRect& R) { return PointInEllipse(P, R.Left, R.Top, R.Right, R.Bottom); }

bool CrossingLines(double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4, double Y4, double& X,
                   double& Y)
{
  const double Dx1 = X2 - X1, Dx2 = X4 - X3;
  if (Dx1 == 0 || Dx2 == 0)
    return false;
  const double Dy1 = Y2 - Y1, Dy2 = Y4 - Y3;
  const double M1 = Dy1 / Dx1, M2 = Dy2 / Dx2;
  const double B1 = Y1 - M1 * X1, B2 = Y3 - M2 * X3;
  X = std::fabs(M2 - M1) <= 1e-15 ? X2 : (B1 - B2) / (M2 - M1);
  Y = M1 * X + B1;
  const double C1 = X1 * Y2 - X2 * Y1;
  const double C2 = X3 * Y4 - X4 * Y3;
  const double S1 = Dy1 * X3 - Dx1 * Y3 - C1;
  const double S2 = Dy1 * X4 - Dx1 * Y4 - C1;
  const double S3 = Dy2 * X1 - Dx2 * Y1 - C2;
  const double S4 = Dy2 * X2 - Dx2 * Y2 - C2;
  if ((S1 > 0) != (S2 > 0) && (S3 > 0) != (S4 > 0))
    return true;
  return (S1 != 0) != (S2 != 0) && (S3 != 0) != (S4 != 0);
}

bool ZuzRectIntersects(TRect& R, const TRect& R1, const TRect& R2)
{
  R = TRect{std::max(R1.Left, R2.Left), std::max(R1.Top, R2.Top), std::min(R1.Right, R2.Right),
            std::min(R1.Bottom, R2.Bottom)};
  if (R.IsEmpty()) {
    R = TRect{};
    return false;
  }
  return true;
}
