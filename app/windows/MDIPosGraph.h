#pragma once
// The position graph window (form "MDIPosGraph", the main window's
// "Position Graph Display"): the depth ("Depth", red) and the total depth
// ("Total Depth", green) against date and time, depth growing downward. It
// has no item choice and plots from the first sample after it is shown;
// each line holds at most Maximum_View_Points + 1 points.
//
// The lines read the value-table entries of the depth and total-depth
// slots (BathyDepthIndex, TotalDepthIndex) with their own stamps; a line
// whose slot is not fitted stays empty, and a reading that is no number
// adds no point.
//
// Main thread only.
#include "app/windows/ChartWindow.h"

class TMDIPosGraph : public TChartWindow {
public:
  explicit TMDIPosGraph(IDisplayHost& Host);
  ~TMDIPosGraph() override;
  String ClassName() const override;

  void DataUpdate() override;

  TFastLineSeries* Series1 = nullptr;
  TFastLineSeries* Series2 = nullptr;

protected:
  void FormShow() override;
};
