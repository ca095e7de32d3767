#pragma once
// The mouse zoom and scroll state of a chart: the rectangle dragged so far
// (TZoomPanning) and the scroll settings (TZuzPanning).
#include "platform/Component.h"

#include <cstdint>

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
