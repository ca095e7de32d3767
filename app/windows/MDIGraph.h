#pragma once
// The time-series graph window (form "MDIGraph", the main window's "Graph
// Display"): one line per chosen item against date and time, each on a
// vertical axis of its own in the line's colour, stacked left of the plot
// 60 pixels apart (inverted for lengths and pressures: a title holding
// ", m" or ", dBar"), over one date-time bottom axis
// ("dd/mm/yy hh:mm:ss", title "DATE / TIME").
//
// A change of the choice rebuilds every line and axis and replays the
// core's history into them (the history of each item's sensor slot), so a
// newly chosen item shows at once the samples already taken; then every
// sample adds one point per line at the item's own stamp. A line holds at
// most Maximum_View_Points + 1 points, losing its oldest before each new one
// beyond that. A reading that is no number adds no point.
//
// Main thread only.
#include "app/windows/ChartWindow.h"

class TMDIGraph : public TChartWindow {
public:
  explicit TMDIGraph(IDisplayHost& Host);
  ~TMDIGraph() override;
  String ClassName() const override;

  void KindSetup() override;
  void DataUpdate() override;
  // The history replay, at the end of each rebuild.
  void InitialUpdate();

protected:
  void ContentSetup() override;
};
