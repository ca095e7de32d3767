#pragma once
// A chart panel with one line whose x values are dates, kept out of the
// tests' other sources: the chart core's event header and the platform's
// control headers cannot share one source file yet.
#include <memory>

class TChartAxis;

class TDateAxisChart {
public:
  TDateAxisChart();
  ~TDateAxisChart();
  TChartAxis& BottomAxis();
  TChartAxis& LeftAxis();
  void SetLineActive(bool Active);

private:
  struct Impl;
  std::unique_ptr<Impl> D;
};
