#pragma once
// The legend entry of one series: its own text, visibility and picture, a
// text box drawn by the chart's legend. Made on first use; a series
// without one shows in the legend with an empty legend title.
#include "chart/core/TextShape.h"

class TSeriesLegend : public TCustomTextShape {
public:
  explicit TSeriesLegend(TCustomZuzPanel* AParent);
  String ClassName() const override;
};
