#pragma once
// The chart windows' "&Copy" (hint "Copy to Clipboard"): the whole chart,
// drawn at its size, goes to the clipboard as a bitmap.
//
// The action is bound to one chart (Chart) and forgets it when the chart is
// freed; without a chart it does nothing. The other two chart actions of the
// windows' "Chart" menu (save to a chart or picture file, the chart editor)
// need the chart-file and editor libraries and are not offered.
//
// Main thread only.
#include "platform/ActnList.h"

class TCustomChart;
class TBitmap;

class TChartActionCopy : public TAction {
public:
  explicit TChartActionCopy(TComponent* AOwner);
  ~TChartActionCopy() override;
  String ClassName() const override;

  TCustomChart* Chart() const { return FChart; }
  void SetChart(TCustomChart* Value);

  // OnExecute when assigned (and it takes the action), else the copy.
  bool Execute() override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TCustomChart* FChart = nullptr;
};

// The chart drawn into Into at the chart's own size.
void DrawChartBitmap(TCustomChart& Chart, TBitmap& Into);
