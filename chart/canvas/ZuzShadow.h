#pragma once
// The drop shadow of a chart element, and the emboss of chart text (a
// shadow towards the top left, hidden by default). A shadow holds colour,
// offset, direction, transparency and smoothing; its sizes also enlarge
// measured text.
//
// Published (declared default; stored rule): Clip (False), Color (-;
// IsColorStored), Direction (sdRightBottom, the emboss sdLeftTop;
// IsDirectionStored), HorizSize (-; IsHorizSizeStored), Smooth (True),
// SmoothBlur (0), Transparency (50), VertSize (-; IsVertSizeStored),
// Visible (-; IsVisibleStored).
#include "platform/GraphicsTypes.h"
#include "platform/Component.h"
#include "platform/Events.h"

#include <memory>
#include <span>
#include <vector>

class TBitmap;
class TCanvas3D;
class TZuzCanvas;
class TZuzBlend;

enum TShadowDirection : uint8_t { sdLeftTop, sdLeftBottom, sdRightTop, sdRightBottom, sdCenter };

class TZuzShadow : public TPersistent {
public:
  explicit TZuzShadow(TNotifyEvent AOnChange = {});
  ~TZuzShadow() override;
  String ClassName() const override;
  // From another shadow: colour, direction, sizes, smoothing, transparency
  // and visibility, without notification; Clip stays.
  void Assign(TPersistent* Source) override;

  bool Clip() const { return FClip; }
  void SetClip(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TShadowDirection Direction() const { return FDirection; }
  void SetDirection(TShadowDirection Value);
  int32_t HorizSize() const { return FHorizSize; }
  void SetHorizSize(int32_t Value);
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  int32_t SmoothBlur() const { return FSmoothBlur; }
  void SetSmoothBlur(int32_t Value);
  TZuzTransparency Transparency() const { return FTransparency; }
  void SetTransparency(TZuzTransparency Value);
  int32_t VertSize() const { return FVertSize; }
  void SetVertSize(int32_t Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // The larger of the two sizes' magnitudes; writing sets both.
  int32_t Size() const;
  void SetSize(int32_t Value);

  // Visibility, colour and size together with their unstored defaults,
  // without notification.
  void InitValues(bool AVisible, TColor AColor, int32_t ASize);
  void Hide() { SetVisible(false); }
  void Show() { SetVisible(true); }
  // Visible and at least one size not 0.
  bool ShouldDraw() const;

  bool IsColorStored() const { return FColor != DefaultColor; }
  bool IsHorizSizeStored() const { return FHorizSize != DefaultSize; }
  bool IsVertSizeStored() const { return FVertSize != DefaultSize; }
  bool IsDirectionStored() const { return FDirection != DefaultDirection; }
  bool IsVisibleStored() const { return FVisible != DefaultVisible; }

  // R moved by the sizes towards the direction; sdCenter grows it instead.
  TRect OffsetRectangle(const TRect& R) const;
  // The corners of R turned by Angle degrees about its centre: top-left,
  // top-right, bottom-right, bottom-left.
  static void RectToFourPoints(const TRect& R, double Angle, TFourPoints& P);

  // Starts the blending of one shadow; false (and nothing begun) when the
  // shadow would not show.
  bool PrepareCanvas(TCanvas3D* ACanvas, const TRect& R, int32_t Angle);
  void FinishBlending(TZuzCanvas* ACanvas);
  void Draw(TCanvas3D* ACanvas, std::span<const TPoint> P);
  void Draw(TCanvas3D* ACanvas, const TRect& Rect, int32_t RoundSize, int32_t Angle);
  virtual void DrawEllipse(TCanvas3D* ACanvas, const TRect& Rect, int32_t DonutPercent, double StartAngle,
                           double EndAngle);

  // The smooth shadow of the buffered GDI canvas: the shape drawn in the
  // shadow colour on white, blurred and multiplied into the canvas's buffer
  // at R's top-left. The parameters are those of the canvas's SmoothShadow.
  void InternalDrawSmooth(TCanvas3D* ACanvas, const TRect& R, bool IsEllipse, int32_t RoundSize,
                          std::span<const TPoint> P, int32_t DonutPercent, double StartAngle, double EndAngle);
  // The working bitmap of a smooth shadow before blurring: white, with the
  // shape in the shadow colour inset by half the blur radius (points are
  // moved so that their smallest X and Y become 1). nullptr when the shape
  // would need more than MaxSmoothShadowPixels.
  std::unique_ptr<TBitmap> SmoothShape(const TRect& R, bool IsEllipse, int32_t RoundSize, std::span<const TPoint> P,
                                       int32_t DonutPercent) const;

  TNotifyEvent IOnChange;
  TColor DefaultColor = 0xC0C0C0;
  int32_t DefaultSize = 0;
  bool DefaultVisible = true;
  // The direction of the class (the shadow's, or the emboss's), not stored.
  TShadowDirection DefaultDirection = sdRightBottom;
  int32_t BlurSize = 4;
  double ZPosition = 0;

protected:
  void DoChanged();
  bool FClip = false;
  TColor FColor = 0xC0C0C0;
  TShadowDirection FDirection = sdRightBottom;
  int32_t FHorizSize = 0;
  bool FSmooth = true;
  int32_t FSmoothBlur = 0;
  TZuzTransparency FTransparency = 50;
  int32_t FVertSize = 0;
  bool FVisible = true;
  std::unique_ptr<TZuzBlend> IBlend;
  uint8_t ITransp = 0;
};

// Blurs Bitmap with a separable kernel of radius Radius (weights
// base ^ (-d^2 / Radius), base = (Blur + 180) / 100, scaled to 100000) and
// multiplies the result into Back with Bitmap's top-left at (Left, Top):
// white leaves the background as it was, the shadow colour darkens it by
// its own fraction. Without Back the blurred pixels go back into Bitmap.
// With Clip only pixels the canvas's clip region shows are written. Radius
// is limited to 0..8191 and the base to at least 1 (a kernel heavier at its
// ends than at its centre is no blur).
void ZuzShadowSmooth(TBitmap* Bitmap, TBitmap* Back, int32_t Left, int32_t Top, int32_t Width, int32_t Height,
                     int32_t Radius, float Blur, TCanvas3D* ACanvas, bool Clip);
// The kernel weights ZuzShadowSmooth uses (2 * Radius + 1 of them).
std::vector<int32_t> ZuzShadowKernel(int32_t Radius, float Blur);

// Larger smooth shadows are drawn plain.
constexpr int64_t MaxSmoothShadowPixels = 16777215;

class TZuzEmboss : public TZuzShadow {
public:
  explicit TZuzEmboss(TNotifyEvent AOnChange = {});
  String ClassName() const override;
};
