#pragma once
// The pens of an axis: its line (TChartAxisPen), its major, inner and
// minor ticks (TTicks) and its grid (TAxisGridPen).
#include "chart/canvas/ZuzPen.h"

#include <cstdint>

enum TPenLineMode : uint8_t { lmLine, lmCylinder, lmRectangle };

// The axis line: width 2 and flat ends by default.
// Published: EndStyle (esFlat), LineMode (lmLine), Width (2).
class TChartAxisPen : public TZuzPen {
public:
  explicit TChartAxisPen(TNotifyEvent OnChangeEvent = {});
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  TPenLineMode LineMode() const { return FLineMode; }
  void SetLineMode(TPenLineMode Value);

private:
  TPenLineMode FLineMode = lmLine;
};

// Tick pens: dark grey by default.
class TTicks : public TDarkGrayPen {
public:
  explicit TTicks(TNotifyEvent OnChangeEvent = {});
  String ClassName() const override;
};

// The grid lines of an axis: silver, width 1, a line at every label
// (DrawEvery 1). ZPosition is the depth of the side-wall grid line in
// percent; the chart gives its top and right axes 100 (also their default).
// Published: DrawAlways (False), Color (clSilver), DrawEvery (1), Width
// (1), ZPosition (stored when it differs from IDefaultZ); besides them
// "ZZero", written True when a zero ZPosition differs from its default.
class TAxisGridPen : public TZuzPen {
public:
  explicit TAxisGridPen(TNotifyEvent OnChangeEvent = {});
  String ClassName() const override;
  // Centered, DrawAlways, DrawEvery and ZPosition, then the pen.
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;

  bool Centered() const { return FCentered; }
  void SetCentered(bool Value);
  bool DrawAlways() const { return FDrawAlways; }
  void SetDrawAlways(bool Value);
  int32_t DrawEvery() const { return FDrawEvery; }
  void SetDrawEvery(int32_t Value);
  double ZPosition() const { return FZ; }
  void SetZPosition(double Value);
  bool IsZStored() const { return FZ != IDefaultZ; }

  double IDefaultZ = 0;

private:
  void Notify();

  bool FCentered = false;
  bool FDrawAlways = false;
  int32_t FDrawEvery = 1;
  double FZ = 0;
};
