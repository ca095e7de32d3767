#pragma once
// The scale window (form "MDIScale", the main window's "Scale Display"):
// the latest value of each chosen pressure item as a pointer on one
// vertical scale, "Depth, m", that grows downward from 0 to 250. The
// pointers stand side by side, ascending by item, each named under the
// plot and labelled with its value. Only items whose name holds "dBar" can
// be chosen. No history: every sample redraws all pointers.
//
// A value that is no number ends that sample's update with an error after
// the pointers added so far; the next sample draws them all again.
#include "app/windows/DisplayWindow.h"

class TChart;
class TChartActionCopy;
class TMyPointSeries;

class TMDIScale : public TDisplayWindow {
public:
  explicit TMDIScale(IDisplayHost& Host);
  ~TMDIScale() override;
  String ClassName() const override;

  void DataUpdate() override;
  bool ItemSelectable(const String& SensorName) const override;

  TChart* Chart1 = nullptr;
  TMyPointSeries* Series1 = nullptr;
  TChartActionCopy* ChartActionCopy1 = nullptr;

protected:
  void ContentSetup() override;
};
