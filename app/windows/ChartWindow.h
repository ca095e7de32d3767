#pragma once
// What the chart windows (time-series graph, depth-profile graph, position
// graph) share on top of the display-window frame: the chart Chart1 over
// the whole client area with the pop-up menu, its look, the "Chart" entry
// with the copy action, the axis click, and the reading of the core's texts
// into points.
//
//   - the chart: 2D on the anti-aliased canvas, panel colour 4194304, a
//     background gradient from 15378841 to 16777088, no title, margins in
//     pixels, the middle mouse button scrolls, the legend at the top listing
//     the series in plain text in their own colours with check boxes (a
//     cleared box hides the line), right and top axes hidden, print margins
//     left 15, top 22 (the kind may change them), OnClickAxis to the
//     frame's chart-scale dialog (an axis showing dates opens none);
//   - item lines (graph and depth-profile kinds): one fast line per shown
//     item, ascending, owned by the window, titled with the item's name,
//     pen width 2, x order none, each on a custom axis of its own in the
//     line's colour, stacked outward from the plot's edge;
//   - a value is the core's text read with the process-wide number format;
//     a text that is no number ("-----" while an instrument has no reading)
//     or no finite number gives no point, so a line never shows a false 0;
//   - a point's time is its date stamp's day and its time stamp's whole
//     seconds, as written with the core's en-GB formats and read back.
//
// Main thread only.
#include "app/windows/DisplayWindow.h"

#include <cstdint>

class TChart;
class TChartActionCopy;
class TChartSeries;
class TFastLineSeries;

class TChartWindow : public TDisplayWindow {
public:
  ~TChartWindow() override;

  TChart* Chart1 = nullptr;
  TChartActionCopy* ChartActionCopy1 = nullptr;

  // The value of a text as a point takes it; false for no finite number.
  static bool PointValue(const String& Text, double& Value);
  // The x of a point stamped Date and Time: Date's day plus Time's whole
  // seconds.
  static double PointTime(TDateTime Date, TDateTime Time);

protected:
  TChartWindow(IDisplayHost& Host, TMdiChildKind Kind, const char* FormName, const char* Caption, TItemChoice Choice);

  // The chart's margins, pixels.
  void SetChartMargins(int32_t Top, int32_t Right, int32_t Bottom, int32_t Left);
  // How the item lines' axes stand: vertical ones to the left of the plot
  // (graph), horizontal ones below it (depth profile).
  enum class TItemAxes : uint8_t { Vertical, Horizontal };
  // Frees every line and custom axis, then makes one line and axis per
  // shown item; XDateTime marks the lines' x values as dates. Repaints.
  void MakeItemLines(TItemAxes Axes, bool XDateTime);
  // Item line K (0-based), in ascending item order.
  TChartSeries* Line(int32_t K) const;
  // Appends (X, Y) to Line; first drops the oldest point when the line
  // holds more than Limit points (a negative Limit keeps them all).
  static void AddPoint(TChartSeries& Line, double X, double Y, int32_t Limit);

  // The process-wide long time format carries milliseconds while a window
  // writes its points and is "HH:mm:ss" after it, whatever it was before,
  // also when the writing fails.
  class TLongTimeScope {
  public:
    TLongTimeScope();
    ~TLongTimeScope();
    TLongTimeScope(const TLongTimeScope&) = delete;
    TLongTimeScope& operator=(const TLongTimeScope&) = delete;
  };
};
