#include "chart/canvas/ZuzShadow.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "chart/canvas/Canvas3D.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzPen.h"

#include "platform/PixelRows.h"

#include "platform/Published.h"
#include "rtl/RtlMath.h"

#include <algorithm>
#include <cmath>

namespace {
const TEnumInfo ShadowDirectionInfo("TShadowDirection",
                                    {"sdLeftTop", "sdLeftBottom", "sdRightTop", "sdRightBottom", "sdCenter"});

[[maybe_unused]] const TClassInfo& ShadowClass = PublishClass<TZuzShadow>(
    "TZuzShadow", "TPersistent",
    {
        PropBool("Clip", &TZuzShadow::Clip, &TZuzShadow::SetClip, false),
        PropColor("Color", &TZuzShadow::Color, &TZuzShadow::SetColor).Stored(&TZuzShadow::IsColorStored),
        PropEnum("Direction", &TZuzShadow::Direction, &TZuzShadow::SetDirection, ShadowDirectionInfo)
            .Stored(&TZuzShadow::IsDirectionStored),
        PropInt("HorizSize", &TZuzShadow::HorizSize, &TZuzShadow::SetHorizSize).Stored(&TZuzShadow::IsHorizSizeStored),
        PropBool("Smooth", &TZuzShadow::Smooth, &TZuzShadow::SetSmooth, true),
        PropInt("SmoothBlur", &TZuzShadow::SmoothBlur, &TZuzShadow::SetSmoothBlur, 0),
        PropInt("Transparency", &TZuzShadow::Transparency, &TZuzShadow::SetTransparency, 50),
        PropInt("VertSize", &TZuzShadow::VertSize, &TZuzShadow::SetVertSize).Stored(&TZuzShadow::IsVertSizeStored),
        PropBool("Visible", &TZuzShadow::Visible, &TZuzShadow::SetVisible).Stored(&TZuzShadow::IsVisibleStored),
    });
[[maybe_unused]] const TClassInfo& EmbossClass = PublishClass<TZuzEmboss>("TZuzEmboss", "TZuzShadow");
} // namespace

TZuzShadow::TZuzShadow(TNotifyEvent AOnChange)
{
  FSmooth = true;
  FDirection = sdRightBottom;
  BlurSize = 4;
  InitValues(true, 0xC0C0C0, 0);
  FTransparency = 50;
  IOnChange = std::move(AOnChange);
}

TZuzShadow::~TZuzShadow() = default;

String TZuzShadow::ClassName() const { return QStringLiteral("TZuzShadow"); }

void TZuzShadow::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TZuzShadow*>(Source)) {
    FColor = S->FColor;
    FDirection = S->FDirection;
    FHorizSize = S->FHorizSize;
    FSmooth = S->FSmooth;
    FSmoothBlur = S->FSmoothBlur;
    FTransparency = S->FTransparency;
    FVertSize = S->FVertSize;
    FVisible = S->FVisible;
    return;
  }
  TPersistent::Assign(Source);
}

void TZuzShadow::DoChanged()
{
  if (IOnChange)
    IOnChange(this);
}

#define FX_SHADOW_SETTER(Name, Field, Type)                                                                            \
  void TZuzShadow::Set##Name(Type Value)                                                                               \
  {                                                                                                                    \
    if (Field == Value)                                                                                                \
      return;                                                                                                          \
    Field = Value;                                                                                                     \
    DoChanged();                                                                                                       \
  }

FX_SHADOW_SETTER(Clip, FClip, bool)
FX_SHADOW_SETTER(Color, FColor, TColor)
FX_SHADOW_SETTER(Direction, FDirection, TShadowDirection)
FX_SHADOW_SETTER(HorizSize, FHorizSize, int32_t)
FX_SHADOW_SETTER(Smooth, FSmooth, bool)
FX_SHADOW_SETTER(SmoothBlur, FSmoothBlur, int32_t)
FX_SHADOW_SETTER(Transparency, FTransparency, TZuzTransparency)
FX_SHADOW_SETTER(VertSize, FVertSize, int32_t)
FX_SHADOW_SETTER(Visible, FVisible, bool)
#undef FX_SHADOW_SETTER

int32_t TZuzShadow::Size() const { return std::max(std::abs(FHorizSize), std::abs(FVertSize)); }

void TZuzShadow::SetSize(int32_t Value)
{
  SetHorizSize(Value);
  SetVertSize(Value);
}

void TZuzShadow::InitValues(bool AVisible, TColor AColor, int32_t ASize)
{
  FVisible = AVisible;
  DefaultVisible = AVisible;
  FColor = AColor;
  DefaultColor = AColor;
  FHorizSize = ASize;
  FVertSize = ASize;
  DefaultSize = ASize;
}

bool TZuzShadow::ShouldDraw() const { return FVisible && (FHorizSize != 0 || FVertSize != 0); }

TRect TZuzShadow::OffsetRectangle(const TRect& R) const
{
  const int32_t H = FHorizSize, V = FVertSize;
  switch (FDirection) {
  case sdLeftTop:
    return TRect{R.Left - H, R.Top - V, R.Right - H, R.Bottom - V};
  case sdLeftBottom:
    return TRect{R.Left - H, R.Top + V, R.Right - H, R.Bottom + V};
  case sdRightTop:
    return TRect{R.Left + H, R.Top - V, R.Right + H, R.Bottom - V};
  case sdRightBottom:
    return TRect{R.Left + H, R.Top + V, R.Right + H, R.Bottom + V};
  case sdCenter:
    break;
  }
  return TRect{R.Left - std::abs(H), R.Top - std::abs(V), R.Right + std::abs(H), R.Bottom + std::abs(V)};
}

void TZuzShadow::RectToFourPoints(const TRect& R, double Angle, TFourPoints& P)
{
  const int32_t XC = (R.Left + R.Right) / 2, YC = (R.Top + R.Bottom) / 2;
  const double A = Angle * DegToRad, S = std::sin(A), C = std::cos(A);
  auto Turn = [&](int32_t X, int32_t Y) {
    const double Dx = X - XC, Dy = Y - YC;
    return TPoint{PixelRound(Dx * C + Dy * S) + XC, PixelRound(-Dx * S + Dy * C) + YC};
  };
  P[0] = Turn(R.Left, R.Top);
  P[1] = Turn(R.Right, R.Top);
  P[2] = Turn(R.Right, R.Bottom);
  P[3] = Turn(R.Left, R.Bottom);
}

bool TZuzShadow::PrepareCanvas(TCanvas3D* ACanvas, const TRect& R, int32_t Angle)
{
  if (FColor == clNone || (FHorizSize == 0 && FVertSize == 0))
    return false;
  ITransp = FTransparency;
  if (ITransp == 0)
    ITransp = ACanvas->Transparency;
  if (ITransp == 0)
    return true;
  if (ACanvas->SupportsAlpha()) {
    IBlend = ACanvas->BeginBlending(TRect{}, FTransparency);
    return true;
  }
  TRect Area;
  if (FSmooth) {
    const int32_t H = std::abs(FHorizSize) * 2, V = std::abs(FVertSize) * 2;
    Area = TRect{R.Left - H, R.Top - V, R.Right + H, R.Bottom + V};
  } else {
    Area = OffsetRectangle(R);
  }
  if (Angle != 0) {
    TFourPoints P;
    RectToFourPoints(Area, Angle, P);
    Area = PolygonBounds(P);
  }
  IBlend = ACanvas->BeginBlending(Area, FTransparency);
  return true;
}

void TZuzShadow::FinishBlending(TZuzCanvas* ACanvas)
{
  if (ITransp != 0)
    ACanvas->EndBlending(std::move(IBlend));
}

void TZuzShadow::Draw(TCanvas3D* ACanvas, std::span<const TPoint> P)
{
  TPointArray Moved(P.begin(), P.end());
  for (TPoint& Q : Moved) {
    Q.X += FHorizSize;
    Q.Y += FVertSize;
  }
  const TRect Area = ACanvas->SupportsAlpha() ? TRect{} : PolygonBounds(Moved);
  if (PrepareCanvas(ACanvas, Area, 0)) {
    ACanvas->SmoothShadow(this, Area, false, 0, Moved, 0, 0, 360);
    FinishBlending(ACanvas);
  }
}

void TZuzShadow::Draw(TCanvas3D* ACanvas, const TRect& Rect, int32_t RoundSize, int32_t Angle)
{
  const TPenStyle OldStyle = ACanvas->Pen()->Style();
  const TColor OldColor = ACanvas->Pen()->Color();
  if (PrepareCanvas(ACanvas, Rect, Angle)) {
    const TRect S = OffsetRectangle(Rect);
    if (Angle == 0) {
      ACanvas->SmoothShadow(this, S, false, RoundSize, {}, 0, 0, 360);
    } else {
      TFourPoints P;
      RectToFourPoints(S, Angle, P);
      ACanvas->SmoothShadow(this, PolygonBounds(P), false, RoundSize, P, 0, 0, 360);
    }
    FinishBlending(ACanvas);
  }
  ACanvas->Pen()->SetStyle(OldStyle);
  ACanvas->Pen()->SetColor(OldColor);
}

void TZuzShadow::DrawEllipse(TCanvas3D* ACanvas, const TRect& Rect, int32_t DonutPercent, double StartAngle,
                             double EndAngle)
{
  if (PrepareCanvas(ACanvas, Rect, 0)) {
    ACanvas->SmoothShadow(this, OffsetRectangle(Rect), true, 0, {}, DonutPercent, StartAngle, EndAngle);
    FinishBlending(ACanvas);
  }
}

// --- smooth shadows ------------------------------------------------------------

std::unique_ptr<TBitmap> TZuzShadow::SmoothShape(const TRect& R, bool IsEllipse, int32_t RoundSize,
                                                 std::span<const TPoint> P, int32_t DonutPercent) const
{
  const int32_t B = std::clamp(BlurSize, 0, 8191);
  int64_t W, H;
  TPointArray Moved;
  if (P.empty()) {
    W = std::max<int64_t>(1, int64_t(R.Right) - R.Left);
    H = std::max<int64_t>(1, int64_t(R.Bottom) - R.Top);
  } else {
    Moved.assign(P.begin(), P.end());
    int32_t MinX = Moved[0].X, MinY = Moved[0].Y;
    for (const TPoint& Q : Moved) {
      MinX = std::min(MinX, Q.X);
      MinY = std::min(MinY, Q.Y);
    }
    for (TPoint& Q : Moved) {
      Q.X = static_cast<int32_t>(int64_t(Q.X) - MinX + 1);
      Q.Y = static_cast<int32_t>(int64_t(Q.Y) - MinY + 1);
    }
    const TRect Bounds = PolygonBounds(Moved);
    W = std::max<int64_t>(1, int64_t(Bounds.Width()) + B);
    H = std::max<int64_t>(1, int64_t(Bounds.Height()) + B);
  }
  if (W * H > MaxSmoothShadowPixels)
    return nullptr;
  auto Bmp = std::make_unique<TBitmap>(static_cast<int32_t>(W), static_cast<int32_t>(H));
  TCanvas* C = Bmp->Canvas();
  C->Brush()->SetColor(ColorToRGB(FColor));
  C->Brush()->SetStyle(bsSolid);
  C->Pen()->SetStyle(psClear);
  const int32_t Half = B / 2;
  const TRect Shape{Half, Half, static_cast<int32_t>(W) - Half, static_cast<int32_t>(H) - Half};
  if (!Moved.empty()) {
    C->Polygon(Moved);
  } else if (IsEllipse) {
    C->Ellipse(Shape.Left, Shape.Top, Shape.Right, Shape.Bottom);
    if (DonutPercent != 0) {
      const int32_t DX = PixelRound((100 - DonutPercent) * (double(R.Right) - R.Left) * 0.005);
      const int32_t DY = PixelRound((100 - DonutPercent) * (double(R.Bottom) - R.Top) * 0.005);
      C->Brush()->SetColor(clWhite);
      C->Ellipse(Shape.Left + DX, Shape.Top + DY, Shape.Right - DX, Shape.Bottom - DY);
    }
  } else if (RoundSize != 0) {
    C->RoundRect(Shape.Left, Shape.Top, Shape.Right, Shape.Bottom, RoundSize, RoundSize);
  } else {
    C->FillRect(Shape);
  }
  C->Release();
  return Bmp;
}

void TZuzShadow::InternalDrawSmooth(TCanvas3D* ACanvas, const TRect& R, bool IsEllipse, int32_t RoundSize,
                                    std::span<const TPoint> P, int32_t DonutPercent, double StartAngle, double EndAngle)
{
  auto* Gdi = dynamic_cast<TZuzCanvas3D*>(ACanvas);
  TBitmap* Back = Gdi ? Gdi->Bitmap() : nullptr;
  std::unique_ptr<TBitmap> Shape = SmoothShape(R, IsEllipse, RoundSize, P, DonutPercent);
  if (!Shape || !Back) {
    // Too large to blur (or nothing to blur into): the plain shape.
    ACanvas->TCanvas3D::SmoothShadow(this, R, IsEllipse, RoundSize, P, DonutPercent, StartAngle, EndAngle);
    return;
  }
  ZuzShadowSmooth(Shape.get(), Back, R.Left, R.Top, Shape->Width(), Shape->Height(), BlurSize,
                  static_cast<float>(FSmoothBlur), ACanvas, FClip);
}

std::vector<int32_t> ZuzShadowKernel(int32_t Radius, float Blur)
{
  Radius = std::clamp(Radius, 0, 8191);
  std::vector<int32_t> Weights(static_cast<size_t>(2 * Radius + 1));
  float Base = (Blur + 180) * 0.01f;
  if (!(Base >= 1))
    Base = 1;
  Weights[static_cast<size_t>(Radius)] = 100000;
  for (int32_t i = 0; i < Radius; ++i) {
    const float E = -float(i - Radius) * float(i - Radius) / float(Radius);
    const int32_t W = static_cast<int32_t>(Round(double(std::pow(Base, E)) * 100000));
    Weights[static_cast<size_t>(i)] = W;
    Weights[static_cast<size_t>(2 * Radius - i)] = W;
  }
  return Weights;
}

void ZuzShadowSmooth(TBitmap* Bitmap, TBitmap* Back, int32_t Left, int32_t Top, int32_t Width, int32_t Height,
                     int32_t Radius, float Blur, TCanvas3D* ACanvas, bool Clip)
{
  if (!Bitmap || Bitmap->Empty())
    return;
  // The working size never exceeds the bitmap the rows come from.
  Width = std::min(Width, Bitmap->Width());
  Height = std::min(Height, Bitmap->Height());
  if (Width <= 0 || Height <= 0)
    return;
  Radius = std::clamp(Radius, 0, 8191);
  const std::vector<int32_t> K = ZuzShadowKernel(Radius, Blur);
  TRGBArray Src, Dst;
  ZuzCalcLines(Src, Bitmap, ZuzBitsPerPixel(Bitmap) == 32);
  if (Back)
    ZuzCalcLines(Dst, Back, ZuzBitsPerPixel(Back) == 32);

  const int64_t L = Left, T = Top;
  const int32_t StartX = static_cast<int32_t>(std::clamp<int64_t>(-L, 0, Width));
  const int32_t StartY = static_cast<int32_t>(std::clamp<int64_t>(-T, 0, Height));
  int32_t EndX = Width - 1, EndY = Height - 1;
  if (Back) {
    EndX = static_cast<int32_t>(std::min<int64_t>(Width, Back->Width() - L) - 1);
    EndY = static_cast<int32_t>(std::min<int64_t>(Height, Back->Height() - T) - 1);
  }
  if (EndX < StartX || EndY < StartY)
    return;

  // Horizontal pass into rows of three channels.
  std::vector<uint8_t> Temp(static_cast<size_t>(Width) * Height * 3, 0);
  for (int32_t y = StartY; y <= EndY; ++y) {
    const uint8_t* Row = Src[static_cast<size_t>(y)];
    uint8_t* Out = &Temp[(static_cast<size_t>(y) * Width) * 3];
    for (int32_t x = StartX; x <= EndX; ++x) {
      int64_t S0 = 0, S1 = 0, S2 = 0, WS = 0;
      const int32_t From = std::max(0, x - Radius), To = std::min(Width - 1, x + Radius);
      for (int32_t i = From; i <= To; ++i) {
        const int64_t W = K[static_cast<size_t>(i - x + Radius)];
        const uint8_t* P = Row + i * PixelBytes;
        S0 += W * P[0];
        S1 += W * P[1];
        S2 += W * P[2];
        WS += W;
      }
      if (WS > 0) {
        Out[x * 3] = static_cast<uint8_t>(S0 / WS);
        Out[x * 3 + 1] = static_cast<uint8_t>(S1 / WS);
        Out[x * 3 + 2] = static_cast<uint8_t>(S2 / WS);
      }
    }
  }

  TCanvas* DC = (Clip && ACanvas) ? ACanvas->ReferenceCanvas() : nullptr;
  // Vertical pass, multiplied into the background. Only rows the first pass
  // filled take part, so a shadow cut at the top edge is not darkened by
  // rows it never computed.
  for (int32_t x = StartX; x <= EndX; ++x)
    for (int32_t y = StartY; y <= EndY; ++y) {
      if (DC && !DC->PtVisible(static_cast<int32_t>(x + L), static_cast<int32_t>(y + T)))
        continue;
      int64_t S0 = 0, S1 = 0, S2 = 0, WS = 0;
      const int32_t From = std::max(StartY, y - Radius), To = std::min(EndY, y + Radius);
      for (int32_t j = From; j <= To; ++j) {
        const int64_t W = K[static_cast<size_t>(j - y + Radius)];
        const uint8_t* P = &Temp[(static_cast<size_t>(j) * Width + x) * 3];
        S0 += W * P[0];
        S1 += W * P[1];
        S2 += W * P[2];
        WS += W;
      }
      if (WS == 0)
        continue;
      if (Back) {
        uint8_t* P = Dst[static_cast<size_t>(y + T)] + (x + L) * PixelBytes;
        const double D = 255.0 * double(WS);
        P[0] = static_cast<uint8_t>(std::min<int64_t>(255, Round(P[0] * (double(S0) / D))));
        P[1] = static_cast<uint8_t>(std::min<int64_t>(255, Round(P[1] * (double(S1) / D))));
        P[2] = static_cast<uint8_t>(std::min<int64_t>(255, Round(P[2] * (double(S2) / D))));
      } else {
        uint8_t* P = Src[static_cast<size_t>(y)] + x * PixelBytes;
        P[0] = static_cast<uint8_t>(Round(double(S0) / double(WS)));
        P[1] = static_cast<uint8_t>(Round(double(S1) / double(WS)));
        P[2] = static_cast<uint8_t>(Round(double(S2) / double(WS)));
      }
    }
}

// ---------------------------------------------------------------------------

TZuzEmboss::TZuzEmboss(TNotifyEvent AOnChange) : TZuzShadow(std::move(AOnChange))
{
  FVisible = false;
  DefaultVisible = false;
  FDirection = sdLeftTop;
  DefaultDirection = sdLeftTop;
}

String TZuzEmboss::ClassName() const { return QStringLiteral("TZuzEmboss"); }
