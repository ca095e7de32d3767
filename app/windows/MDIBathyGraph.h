#pragma once
// The depth-profile graph window (form "MDIBathyGraph", the main window's
// "Bathy Graph Display"): the depth table of each chosen item drawn against
// depth, depth growing downward on the left axis ("Depth, m"), each item on
// a horizontal axis of its own in the line's colour, stacked below the plot
// 40 pixels apart.
//
// Every sample (and a data-file replay) redraws every profile from the
// tables: bin by bin, the item's value in the bin against the bin's depth
// (the depth item's own table); a bin where the item was never seen (0) or
// holds a negative value adds no point, so the line joins its neighbours.
// A change of the choice rebuilds lines and axes; the profiles come back at
// the next sample.
//
// Main thread only.
#include "app/windows/ChartWindow.h"

class TMDIBathyGraph : public TChartWindow {
public:
  explicit TMDIBathyGraph(IDisplayHost& Host);
  ~TMDIBathyGraph() override;
  String ClassName() const override;

  void DataUpdate() override;

protected:
  void ContentSetup() override;
};
