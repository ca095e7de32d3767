#pragma once
// Transparency by blending, and smooth resampling of bitmaps.
//
// A chart element drawn with a transparency is first painted opaquely; the
// blend saves the background under the element's rectangle beforehand and
// afterwards mixes the saved background back over the fresh drawing.
#include "platform/GraphicsTypes.h"
#include "chart/canvas/ZuzPen.h"
#include "rtl/Object.h"

#include <memory>

class TBitmap;
class TZuzCanvas;

class TZuzBlend : public TObject {
public:
  // Saves the background under R when ACanvas is given.
  TZuzBlend(TZuzCanvas* ACanvas, const TRect& R);
  ~TZuzBlend() override;
  String ClassName() const override;

  // Normalises R, clips it to the canvas bounds (at least one pixel wide
  // and high) and saves the pixels under it.
  void SetRectangle(const TRect& R);
  // Mixes the saved background over what was drawn since: Transparency
  // percent of the background shows.
  void DoBlend(TZuzTransparency Transparency);
  const TRect& Rectangle() const { return FRect; }

private:
  std::unique_ptr<TBitmap> FBitmap;
  TZuzCanvas* FCanvas;
  TRect FRect;
  bool IValidSize = false;
};

// Mixes ABitmap into BBitmap at BOrigin: Percent (0..100; values beyond
// are limited to it) of BBitmap's pixels remain. Both bitmaps are marked 24
// bits per pixel, as the integer mix works on three channels.
void ZuzBlendBitmaps(double Percent, TBitmap* ABitmap, TBitmap* BBitmap, const TPoint& BOrigin);

// The system's constant-alpha blit: there is none on this platform, so
// blending always takes the integer path, which is the reference result.
// CheckWinAlphaBlend probes for it; the first blend probes once.
bool CheckWinAlphaBlend();
extern bool ZuzAlphaBlendChecked;
extern bool ZuzCanAlphaBlend;

enum TSmoothStretchOption : uint8_t { ssBestQuality, ssBestPerformance };
using TFilterKernel = float (*)(float X);

float Lanczos3Filter(float X);
float TriangleFilter(float X);
// Resamples Src into Dst's current size with a separable filter in 10-bit
// fixed point. Sizes of 1 or less are left alone.
void SmoothStretch(TBitmap* Src, TBitmap* Dst, TFilterKernel Filter, float Radius);
void SmoothStretch(TBitmap* Src, TBitmap* Dst, TSmoothStretchOption Option);
void SmoothStretch(TBitmap* Src, TBitmap* Dst);

// A chart pen whose unstored default colour is white.
class TWhitePen : public TZuzPen {
public:
  explicit TWhitePen(TNotifyEvent OnChangeEvent = {});
  String ClassName() const override;
};
