#pragma once
// The viewing parameters of one chart panel: orthogonal (oblique) or
// rotated view, rotation, elevation and tilt, perspective, zoom, scroll
// offsets and text zoom. Every effective change repaints the owning panel;
// the canvas reads the options at the start of every paint.
//
// Published, all stored when they differ from the declared default:
//   Elevation (345), FontZoom (100), HorizOffset (0), OrthoAngle (45),
//   Orthogonal (True), Perspective (15), Rotation (345), Tilt (0),
//   VertOffset (0), Zoom (100), ZoomText (ztManual).
#include "chart/canvas/CanvasTypes.h"
#include "platform/Component.h"

#include <functional>

// What the options repaint: the panel that owns them.
class IRepaintTarget {
public:
  virtual ~IRepaintTarget() = default;
  virtual void Invalidate() = 0;
};

using TZuzView3DScrolled = std::function<void(bool IsHoriz)>;
using TZuzView3DChangedZoom = std::function<void(int32_t NewZoom)>;

class TView3DOptions : public TPersistent {
public:
  explicit TView3DOptions(IRepaintTarget* AParent);
  String ClassName() const override;
  // From other options: every published value (no repaint, no events);
  // ZOffset, parent and events stay. Other sources are ignored.
  void Assign(TPersistent* Source) override;

  // Integer forms: the value rounded (halves to even).
  int32_t Elevation() const;
  void SetElevation(int32_t Value) { SetElevationFloat(Value); }
  int32_t FontZoom() const { return FFontZoom; }
  void SetFontZoom(int32_t Value);
  int32_t HorizOffset() const;
  void SetHorizOffset(int32_t Value) { SetHorizOffsetFloat(Value); }
  int32_t OrthoAngle() const { return FOrthoAngle; }
  void SetOrthoAngle(int32_t Value);
  bool Orthogonal() const { return FOrthogonal; }
  void SetOrthogonal(bool Value);
  int32_t Perspective() const { return FPerspective; }
  // Values above 100 become 100.
  void SetPerspective(int32_t Value);
  int32_t Rotation() const;
  void SetRotation(int32_t Value) { SetRotationFloat(Value); }
  int32_t Tilt() const;
  void SetTilt(int32_t Value) { SetTiltFloat(Value); }
  int32_t VertOffset() const;
  void SetVertOffset(int32_t Value) { SetVertOffsetFloat(Value); }
  int32_t Zoom() const;
  void SetZoom(int32_t Value) { SetZoomFloat(Value); }
  TCanvasZoomText ZoomText() const { return FZoomText; }
  void SetZoomText(TCanvasZoomText Value);

  double ElevationFloat() const { return FElevation; }
  void SetElevationFloat(double Value);
  double HorizOffsetFloat() const { return FHorizOffset; }
  void SetHorizOffsetFloat(double Value);
  double RotationFloat() const { return FRotation; }
  void SetRotationFloat(double Value);
  double TiltFloat() const { return FTilt; }
  void SetTiltFloat(double Value);
  double VertOffsetFloat() const { return FVertOffset; }
  void SetVertOffsetFloat(double Value);
  double ZOffset() const { return FZOffset; }
  void SetZOffset(double Value);
  double ZoomFloat() const { return FZoom; }
  // OnChangedZoom first, then the value is stored.
  void SetZoomFloat(double Value);

  IRepaintTarget* Parent() const { return FParent; }
  void SetParent(IRepaintTarget* Value) { FParent = Value; }
  TZuzView3DScrolled OnScrolled;
  TZuzView3DChangedZoom OnChangedZoom;

  void Repaint();
  // Not orthogonal and the rounded rotation strictly between 90 and 270.
  bool BackFaced() const;
  // 1 when not orthogonal, else tan of OrthoAngle (of 180 - OrthoAngle above 90).
  double CalcOrthoRatio() const;

private:
  double FElevation = 345;
  int32_t FFontZoom = 100;
  double FHorizOffset = 0;
  bool FOrthogonal = true;
  int32_t FOrthoAngle = 45;
  int32_t FPerspective = 15;
  double FRotation = 345;
  double FTilt = 0;
  double FVertOffset = 0;
  double FZOffset = 0;
  double FZoom = 100;
  TCanvasZoomText FZoomText = ztManual;
  IRepaintTarget* FParent;
};
