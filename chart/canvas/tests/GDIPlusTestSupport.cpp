#include "GDIPlusTestSupport.h"
#include "TestSupport.h"

#include "platform/Canvas.h"
#include "chart/canvas/GDIPlusCanvas.h"

#include <cstdlib>

TGDIPlusBuffer::TGDIPlusBuffer(int32_t W, int32_t H, bool Is3D)
    : Canvas(std::make_unique<TGDIPlusCanvas>()), Dest(W, H, QImage::Format_RGB32),
      DestCanvas(std::make_unique<TCanvas>())
{
  StartBufferedCanvas(*Canvas, Dest, *DestCanvas, Is3D);
  Canvas->FillRect(TRect{0, 0, W, H});
}

TGDIPlusBuffer::~TGDIPlusBuffer()
{
  Canvas.reset();
  DestCanvas.reset();
}

QImage TGDIPlusBuffer::Image() const { return Canvas->BufferImage()->copy(); }
TColor TGDIPlusBuffer::Pixel(int32_t X, int32_t Y) const { return PixelOf(*Canvas->BufferImage(), X, Y); }

int32_t ColorDistance(TColor A, TColor B)
{
  return std::max({std::abs(int(GetRValue(A)) - GetRValue(B)), std::abs(int(GetGValue(A)) - GetGValue(B)),
                   std::abs(int(GetBValue(A)) - GetBValue(B))});
}

int32_t CountNear(const QImage& Image, TColor C, int32_t Tolerance, const TRect& R)
{
  const TRect Area = R.IsEmpty() ? TRect{0, 0, Image.width(), Image.height()} : R;
  int32_t N = 0;
  for (int32_t y = Area.Top; y < Area.Bottom; ++y)
    for (int32_t x = Area.Left; x < Area.Right; ++x)
      if (ColorDistance(PixelOf(Image, x, y), C) <= Tolerance)
        ++N;
  return N;
}

int32_t DifferingPixels(const QImage& A, const QImage& B)
{
  int32_t N = 0;
  for (int y = 0; y < A.height(); ++y)
    for (int x = 0; x < A.width(); ++x)
      if ((A.pixel(x, y) & 0xFFFFFF) != (B.pixel(x, y) & 0xFFFFFF))
        ++N;
  return N;
}
