#pragma once
// The mouse zoom and scroll state of a chart: the rectangle dragged so far
// (TZoomPanning) and the scroll settings (TZuzPanning).
#include "platform/Component.h"

#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzPen.h"
#include "platform/VirtualKeys.h"

#include <cstdint>
#include <memory>
#include <vector>

// A drag in progress: Active from the button press, X0/Y0 where it began,
// X1/Y1 where the mouse is now (pixels).
class TZoomPanning : public TPersistent {
public:
  String ClassName() const override;
  // Starts a drag at (X, Y): both corners there, Active.
  void Activate(int32_t X, int32_t Y);
  // Orders the corners (X0 <= X1, Y0 <= Y1).
  void Check();
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }

  int32_t X0 = 0;
  int32_t Y0 = 0;
  int32_t X1 = 0;
  int32_t Y1 = 0;

protected:
  bool FActive = false;
};

enum TMouseWheelStyle : uint8_t { pmwNormal, pmwInverted, pmwNone };

// Published: InsideBounds (False: scrolling stops when the mouse leaves the
// chart when True), MouseWheel (pmwNormal).
class TZuzPanning : public TZoomPanning {
public:
  String ClassName() const override;
  // InsideBounds and MouseWheel from another TZuzPanning.
  void Assign(TPersistent* Source) override;
  bool InsideBounds() const { return FInsideBounds; }
  void SetInsideBounds(bool Value) { FInsideBounds = Value; }
  TMouseWheelStyle MouseWheel() const { return FMouseWheel; }
  void SetMouseWheel(TMouseWheelStyle Value) { FMouseWheel = Value; }

private:
  bool FInsideBounds = false;
  TMouseWheelStyle FMouseWheel = pmwNormal;
};

enum TZuzZoomDirection : uint8_t { tzdHorizontal, tzdVertical, tzdBoth };

// The outline of the rubber band: silver (its default), 3 pixels wide
// (its default), flat ends.
class TZuzZoomPen : public TZuzPen {
public:
  explicit TZuzZoomPen(TNotifyEvent AChanged = {});
  String ClassName() const override;
};

// The fill of the rubber band: white (its default), clear (its default).
class TZuzZoomBrush : public TZuzBrush {
public:
  explicit TZuzZoomBrush(TNotifyEvent AChanged = {});
  String ClassName() const override;
};

// One zoom step of the axes' scales (minimum and maximum of each standard
// axis, then of each custom axis), kept while History is on.
struct TZoomSnapshot {
  std::vector<double> AxesMinMax;
  int32_t CustomCount = 0;
  std::vector<double> CustomMinMax;
};

// The mouse zoom settings of a chart and the rectangle being dragged.
// Published (default): Allow (True), Animated (False), AnimatedSteps (8),
// Brush, Direction (tzdBoth), FullRepaint (False), History (False),
// KeepAspectRatio (False), KeyShift (none), MinimumPixels (16),
// MouseButton (mbLeft), MouseWheel (pmwNone), Pen, UpLeftZooms (False).
class TZuzZoom : public TZoomPanning {
public:
  explicit TZuzZoom(TNotifyEvent AChanged = {});
  ~TZuzZoom() override;
  String ClassName() const override;
  // Allow, Animated, AnimatedSteps, Brush, Direction, FullRepaint, History
  // (the flag; the list stays), KeepAspectRatio, KeyShift, MouseButton and
  // Pen from another zoom; a source without pen or brush frees this one's.
  void Assign(TPersistent* Source) override;

  // Dragging to (X, Y) from (X0, Y0) with the chart rectangle R's aspect.
  void CorrectAspectRatio(const TRect& R, int32_t X, int32_t Y);

  bool Allow() const { return FAllow; }
  void SetAllow(bool Value) { FAllow = Value; }
  bool Animated() const { return FAnimated; }
  void SetAnimated(bool Value) { FAnimated = Value; }
  int32_t AnimatedSteps() const { return FAnimatedSteps; }
  void SetAnimatedSteps(int32_t Value) { FAnimatedSteps = Value; }
  // Created on first read.
  TZuzZoomBrush* Brush();
  TZuzZoomBrush* BrushIfAny() const { return FBrush.get(); }
  bool HasBrush() const { return FBrush != nullptr; }
  // nullptr frees it.
  void SetBrush(TZuzZoomBrush* Value);
  TZuzZoomDirection Direction() const { return FDirection; }
  void SetDirection(TZuzZoomDirection Value) { FDirection = Value; }
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }
  bool History() const { return FHistory; }
  // Switching off clears the history.
  void SetHistory(bool Value);
  bool KeepAspectRatio() const { return FKeepAspectRatio; }
  void SetKeepAspectRatio(bool Value) { FKeepAspectRatio = Value; }
  TShiftState KeyShift() const { return FKeyShift; }
  void SetKeyShift(TShiftState Value) { FKeyShift = Value; }
  int32_t MinimumPixels() const { return FMinimumPixels; }
  void SetMinimumPixels(int32_t Value) { FMinimumPixels = Value; }
  TMouseButton MouseButton() const { return FMouseButton; }
  void SetMouseButton(TMouseButton Value) { FMouseButton = Value; }
  TMouseWheelStyle MouseWheel() const { return FMouseWheel; }
  void SetMouseWheel(TMouseWheelStyle Value) { FMouseWheel = Value; }
  TZuzZoomPen* Pen();
  TZuzZoomPen* PenIfAny() const { return FPen.get(); }
  bool HasPen() const { return FPen != nullptr; }
  void SetPen(TZuzZoomPen* Value);
  bool UpLeftZooms() const { return FUpLeftZooms; }
  void SetUpLeftZooms(bool Value) { FUpLeftZooms = Value; }
  // Created on first use.
  std::vector<TZoomSnapshot>& AxesHistory();

private:
  TNotifyEvent FChanged;
  bool FAllow = true;
  bool FAnimated = false;
  int32_t FAnimatedSteps = 8;
  std::unique_ptr<TZuzZoomBrush> FBrush;
  TZuzZoomDirection FDirection = tzdBoth;
  bool FFullRepaint = false;
  bool FHistory = false;
  bool FKeepAspectRatio = false;
  TShiftState FKeyShift = 0;
  int32_t FMinimumPixels = 16;
  TMouseButton FMouseButton = mbLeft;
  TMouseWheelStyle FMouseWheel = pmwNone;
  std::unique_ptr<TZuzZoomPen> FPen;
  bool FUpLeftZooms = false;
  std::unique_ptr<std::vector<TZoomSnapshot>> FAxesHistory;
};
