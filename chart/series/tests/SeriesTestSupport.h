#pragma once
// What the series tests share: a chart over a recording canvas whose
// hidden, fixed axes make a value its pixel, so that the expected drawing
// can be written in pixels.
#include "chart/core/tests/CoreTestSupport.h"

#include <QStringList>

// X values are pixel columns, Y values pixel rows (Y(row) converts).
class TPixelChart : public TImageChart {
public:
  // Over Canvas when given (it becomes the chart's), else over a plain
  // recording canvas.
  explicit TPixelChart(std::unique_ptr<TRecordingCanvas> Canvas = nullptr);
  // The Y value drawn at pixel row Row.
  double Y(int Row) const { return R.Top + R.Bottom - Row; }
  // Draws and returns the lines drawn, as "x0,y0-x1,y1".
  QStringList Redraw();
  QStringList Segments() const;
  TRecordingCanvas* Canvas;
  TRect R;
};
