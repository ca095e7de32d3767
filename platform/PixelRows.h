#pragma once
// Row addresses of a bitmap's pixels, for the code that works on pixels in
// place (smooth shadows, picture filters). Every pixel is four bytes: blue,
// green, red and a fourth byte that the canvas keeps at 255; pixel x of a
// row starts at byte PixelBytes * x.
#include <cstdint>
#include <vector>

class TBitmap;

constexpr int32_t PixelBytes = 4;

using TRGBArray = std::vector<uint8_t*>;
using TRGBAArray = std::vector<uint8_t*>;

// Marks the bitmap as 24 bits per pixel (32 with RGBA) and lists its rows;
// an empty bitmap gives an empty list.
void ZuzCalcLines(TRGBArray& Lines, TBitmap* Bitmap, bool RGBA = false);

// Bits per pixel of the bitmap's device: 32 unless the bitmap was marked
// as 24 bits (or fewer).
int32_t ZuzBitsPerPixel(const TBitmap* Bitmap);
