#include "chart/canvas/WideLineRaster.h"

#include <QImage>
#include <QPointF>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

struct TTarget {
  uchar* Bits;
  qsizetype Stride;
  int Left, Top, Right, Bottom; // the clip, right and bottom exclusive
  uint32_t Color;               // premultiplied
  uint32_t Alpha;               // 0..255
  bool Opaque;
  bool KeepAlpha; // 32-bit RGB: the alpha byte stays 0xFF
};

// Source over: the colour scaled by Cover (0..256), the pixel by the rest.
inline void Blend(uint32_t* P, uint32_t C, uint32_t Cover, bool KeepAlpha)
{
  const uint32_t A = ((C >> 24) * Cover) >> 8;
  const uint32_t Rest = 256 - A;
  const uint32_t D = *P;
  const uint32_t SRB = ((C & 0x00FF00FFu) * Cover >> 8) & 0x00FF00FFu;
  const uint32_t SAG = (((C >> 8) & 0x00FF00FFu) * Cover >> 8) & 0x00FF00FFu;
  const uint32_t DRB = ((D & 0x00FF00FFu) * Rest >> 8) & 0x00FF00FFu;
  const uint32_t DAG = (((D >> 8) & 0x00FF00FFu) * Rest >> 8) & 0x00FF00FFu;
  uint32_t R = (SRB + DRB) | ((SAG + DAG) << 8);
  if (KeepAlpha)
    R |= 0xFF000000u;
  *P = R;
}

inline uint32_t* PixelAt(const TTarget& T, int X, int Y)
{
  return reinterpret_cast<uint32_t*>(T.Bits + Y * T.Stride) + X;
}

inline void Put(const TTarget& T, uint32_t* P, float Share)
{
  if (Share <= 0)
    return;
  if (Share >= 1 && T.Opaque) {
    *P = T.Color;
    return;
  }
  const uint32_t Cover = static_cast<uint32_t>(std::min(Share, 1.0f) * 256.0f + 0.5f);
  if (Cover)
    Blend(P, T.Color, Cover, T.KeepAlpha);
}

// The band [Low, High) across one column (row) at Pos, cut to Min..Max.
template <class FPixel>
void Band(const TTarget& T, float Low, float High, int Min, int Max, FPixel Pixel)
{
  const int First = static_cast<int>(std::floor(Low));
  const int Last = static_cast<int>(std::ceil(High)) - 1;
  for (int I = std::max(First, Min); I <= std::min(Last, Max - 1); ++I) {
    const float Share = std::min(float(I + 1), High) - std::max(float(I), Low);
    Put(T, Pixel(I), Share);
  }
}

void Segment(const TTarget& T, float X0, float Y0, float X1, float Y1, float Half)
{
  float DX = X1 - X0, DY = Y1 - Y0;
  if (std::fabs(DX) >= std::fabs(DY)) {
    if (DX == 0)
      return;
    if (DX < 0) {
      std::swap(X0, X1);
      std::swap(Y0, Y1);
      DX = -DX;
      DY = -DY;
    }
    const float Slope = DY / DX;
    const float Thick = Half * std::sqrt(1 + Slope * Slope);
    // The columns whose centres lie in [X0, X1).
    const int C0 = std::max(static_cast<int>(std::ceil(X0 - 0.5f)), T.Left);
    const int C1 = std::min(static_cast<int>(std::ceil(X1 - 0.5f)), T.Right);
    for (int C = C0; C < C1; ++C) {
      const float Mid = Y0 + Slope * (float(C) + 0.5f - X0);
      Band(T, Mid - Thick, Mid + Thick, T.Top, T.Bottom, [&](int Row) { return PixelAt(T, C, Row); });
    }
  } else {
    if (DY < 0) {
      std::swap(X0, X1);
      std::swap(Y0, Y1);
      DX = -DX;
      DY = -DY;
    }
    const float Slope = DX / DY;
    const float Thick = Half * std::sqrt(1 + Slope * Slope);
    const int R0 = std::max(static_cast<int>(std::ceil(Y0 - 0.5f)), T.Top);
    const int R1 = std::min(static_cast<int>(std::ceil(Y1 - 0.5f)), T.Bottom);
    for (int R = R0; R < R1; ++R) {
      const float Mid = X0 + Slope * (float(R) + 0.5f - Y0);
      uint32_t* Row = PixelAt(T, 0, R);
      Band(T, Mid - Thick, Mid + Thick, T.Left, T.Right, [&](int Col) { return Row + Col; });
    }
  }
}

} // namespace

bool RasterWideSegments(QImage& Image, std::span<const QPointF> Points, double Width, QRgb Color, const QRect& Clip)
{
  const QImage::Format F = Image.format();
  if (F != QImage::Format_RGB32 && F != QImage::Format_ARGB32_Premultiplied)
    return false;
  const QRect Area = Clip.intersected(Image.rect());
  if (Points.size() < 2 || Area.isEmpty() || qAlpha(Color) == 0)
    return true;
  TTarget T;
  T.Bits = Image.bits();
  T.Stride = Image.bytesPerLine();
  T.Left = Area.left();
  T.Top = Area.top();
  T.Right = Area.right() + 1;
  T.Bottom = Area.bottom() + 1;
  T.Color = qPremultiply(Color);
  T.Alpha = qAlpha(Color);
  T.Opaque = T.Alpha == 255;
  T.KeepAlpha = F == QImage::Format_RGB32;
  const float Half = static_cast<float>(Width / 2);
  for (size_t I = 1; I < Points.size(); ++I)
    Segment(T, float(Points[I - 1].x()), float(Points[I - 1].y()), float(Points[I].x()), float(Points[I].y()), Half);
  return true;
}
