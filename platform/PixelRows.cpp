#include "platform/PixelRows.h"
#include "platform/Bitmap.h"

#include <QImage>

void ZuzCalcLines(TRGBArray& Lines, TBitmap* Bitmap, bool RGBA)
{
  Lines.clear();
  if (!Bitmap)
    return;
  Bitmap->SetPixelFormat(RGBA ? pf32bit : pf24bit);
  if (Bitmap->Empty())
    return;
  QImage* Image = Bitmap->ImageData();
  Lines.resize(static_cast<size_t>(Image->height()));
  for (int32_t y = 0; y < Image->height(); ++y)
    Lines[static_cast<size_t>(y)] = Image->scanLine(y);
}

int32_t ZuzBitsPerPixel(const TBitmap* Bitmap)
{
  if (!Bitmap)
    return 0;
  switch (Bitmap->PixelFormat()) {
  case pf1bit:
    return 1;
  case pf4bit:
    return 4;
  case pf8bit:
    return 8;
  case pf15bit:
    return 15;
  case pf16bit:
    return 16;
  case pf24bit:
    return 24;
  default:
    return 32;
  }
}
