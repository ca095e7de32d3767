#include "chart/canvas/ZuzShadow.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/CanvasMath.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzPen.h"

#include <cmath>

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

#define FX_SHADOW_SETTER(Name, Field, Type) \
  void TZuzShadow::Set##Name(Type Value)    \
  {                                         \
    if (Field == Value)                     \
      return;                               \
    Field = Value;                          \
    DoChanged();                            \
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
  case sdLeftTop: return TRect{R.Left - H, R.Top - V, R.Right - H, R.Bottom - V};
  case sdLeftBottom: return TRect{R.Left - H, R.Top + V, R.Right - H, R.Bottom + V};
  case sdRightTop: return TRect{R.Left + H, R.Top - V, R.Right + H, R.Bottom - V};
  case sdRightBottom: return TRect{R.Left + H, R.Top + V, R.Right + H, R.Bottom + V};
  case sdCenter: break;
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

// ---------------------------------------------------------------------------

TZuzEmboss::TZuzEmboss(TNotifyEvent AOnChange) : TZuzShadow(std::move(AOnChange))
{
  FVisible = false;
  DefaultVisible = false;
  FDirection = sdLeftTop;
}

String TZuzEmboss::ClassName() const { return QStringLiteral("TZuzEmboss"); }
