#include "chart/canvas/View3DOptions.h"
#include "platform/CanvasMath.h"

#include "platform/Published.h"

#include <cmath>

namespace {
const TEnumInfo ZoomTextInfo("TCanvasZoomText", {"ztManual", "ztNo", "ztAuto"});

[[maybe_unused]] const TClassInfo& View3DOptionsClass = PublishClass<TView3DOptions>(
    "TView3DOptions", "TPersistent",
    {
        PropInt("Elevation", &TView3DOptions::Elevation, &TView3DOptions::SetElevation, 345),
        PropInt("FontZoom", &TView3DOptions::FontZoom, &TView3DOptions::SetFontZoom, 100),
        PropInt("HorizOffset", &TView3DOptions::HorizOffset, &TView3DOptions::SetHorizOffset, 0),
        PropInt("OrthoAngle", &TView3DOptions::OrthoAngle, &TView3DOptions::SetOrthoAngle, 45),
        PropBool("Orthogonal", &TView3DOptions::Orthogonal, &TView3DOptions::SetOrthogonal, true),
        PropInt("Perspective", &TView3DOptions::Perspective, &TView3DOptions::SetPerspective, 15),
        PropInt("Rotation", &TView3DOptions::Rotation, &TView3DOptions::SetRotation, 345),
        PropInt("Tilt", &TView3DOptions::Tilt, &TView3DOptions::SetTilt, 0),
        PropInt("VertOffset", &TView3DOptions::VertOffset, &TView3DOptions::SetVertOffset, 0),
        PropInt("Zoom", &TView3DOptions::Zoom, &TView3DOptions::SetZoom, 100),
        PropEnum("ZoomText", &TView3DOptions::ZoomText, &TView3DOptions::SetZoomText, ZoomTextInfo, ztManual),
    });
} // namespace

TView3DOptions::TView3DOptions(IRepaintTarget* AParent) : FParent(AParent) {}

String TView3DOptions::ClassName() const { return QStringLiteral("TView3DOptions"); }

void TView3DOptions::Assign(TPersistent* Source)
{
  auto* V = dynamic_cast<TView3DOptions*>(Source);
  if (!V)
    return;
  FElevation = V->FElevation;
  FFontZoom = V->FFontZoom;
  FHorizOffset = V->FHorizOffset;
  FOrthoAngle = V->FOrthoAngle;
  FOrthogonal = V->FOrthogonal;
  FPerspective = V->FPerspective;
  FRotation = V->FRotation;
  FTilt = V->FTilt;
  FVertOffset = V->FVertOffset;
  FZoom = V->FZoom;
  FZoomText = V->FZoomText;
}

void TView3DOptions::Repaint()
{
  if (FParent)
    FParent->Invalidate();
}

int32_t TView3DOptions::Elevation() const { return PixelRound(FElevation); }
int32_t TView3DOptions::HorizOffset() const { return PixelRound(FHorizOffset); }
int32_t TView3DOptions::Rotation() const { return PixelRound(FRotation); }
int32_t TView3DOptions::Tilt() const { return PixelRound(FTilt); }
int32_t TView3DOptions::VertOffset() const { return PixelRound(FVertOffset); }
int32_t TView3DOptions::Zoom() const { return PixelRound(FZoom); }

void TView3DOptions::SetFontZoom(int32_t Value)
{
  if (FFontZoom == Value)
    return;
  FFontZoom = Value;
  Repaint();
}

void TView3DOptions::SetOrthoAngle(int32_t Value)
{
  if (FOrthoAngle == Value)
    return;
  FOrthoAngle = Value;
  Repaint();
}

void TView3DOptions::SetOrthogonal(bool Value)
{
  if (FOrthogonal == Value)
    return;
  FOrthogonal = Value;
  Repaint();
}

void TView3DOptions::SetPerspective(int32_t Value)
{
  if (Value > 100)
    Value = 100;
  if (FPerspective == Value)
    return;
  FPerspective = Value;
  Repaint();
}

void TView3DOptions::SetZoomText(TCanvasZoomText Value)
{
  if (static_cast<uint8_t>(Value) == 255 || FZoomText == Value)
    return;
  FZoomText = Value;
  Repaint();
}

void TView3DOptions::SetElevationFloat(double Value)
{
  if (FElevation == Value)
    return;
  FElevation = Value;
  Repaint();
}

void TView3DOptions::SetRotationFloat(double Value)
{
  if (FRotation == Value)
    return;
  FRotation = Value;
  Repaint();
}

void TView3DOptions::SetTiltFloat(double Value)
{
  if (FTilt == Value)
    return;
  FTilt = Value;
  Repaint();
}

void TView3DOptions::SetHorizOffsetFloat(double Value)
{
  if (FHorizOffset == Value)
    return;
  FHorizOffset = Value;
  Repaint();
  if (OnScrolled)
    OnScrolled(true);
}

void TView3DOptions::SetVertOffsetFloat(double Value)
{
  if (FVertOffset == Value)
    return;
  FVertOffset = Value;
  Repaint();
  if (OnScrolled)
    OnScrolled(false);
}

void TView3DOptions::SetZOffset(double Value)
{
  if (FZOffset == Value)
    return;
  FZOffset = Value;
  Repaint();
  if (OnScrolled)
    OnScrolled(false);
}

void TView3DOptions::SetZoomFloat(double Value)
{
  if (FZoom == Value)
    return;
  if (OnChangedZoom)
    OnChangedZoom(PixelRound(Value));
  FZoom = Value;
  Repaint();
}

bool TView3DOptions::BackFaced() const
{
  if (FOrthogonal)
    return false;
  const int32_t R = Rotation();
  return R > 90 && R < 270;
}

double TView3DOptions::CalcOrthoRatio() const
{
  if (!FOrthogonal)
    return 1;
  const double A = FOrthoAngle > 90 ? 180 - FOrthoAngle : FOrthoAngle;
  return std::tan(A * DegToRad);
}
