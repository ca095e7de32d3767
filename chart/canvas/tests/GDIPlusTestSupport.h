#pragma once
// Shared by the tests of the anti-aliased canvas: a canvas painting into a
// buffer of a given size, and pixel helpers that tolerate anti-aliasing.
#include "platform/GraphicsTypes.h"

#include <QImage>

#include <memory>

class TCanvas;
class TGDIPlusCanvas;

struct TGDIPlusBuffer {
  TGDIPlusBuffer(int32_t W, int32_t H, bool Is3D = false);
  ~TGDIPlusBuffer();
  QImage Image() const;
  TColor Pixel(int32_t X, int32_t Y) const;
  std::unique_ptr<TGDIPlusCanvas> Canvas;
  QImage Dest;
  std::unique_ptr<TCanvas> DestCanvas;
};

// Largest difference of the three channels.
int32_t ColorDistance(TColor A, TColor B);
// Pixels of the rectangle within Tolerance of C.
int32_t CountNear(const QImage& Image, TColor C, int32_t Tolerance, const TRect& R = TRect{});
// Pixels that differ between two images of the same size.
int32_t DifferingPixels(const QImage& A, const QImage& B);
