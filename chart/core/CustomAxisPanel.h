#pragma once
// The axis panel: a chart panel with series and axes. It keeps the series
// in an ordered list (also the drawing and legend order), gives each new
// series a palette colour no other series uses, owns the six standard axes
// and the custom axes, and computes the series extremes the automatic axis
// scales are made of.
//
// Before drawing, InternalDraw scales every axis (AdjustMaxMin) and gives
// it its pixels along the chart rectangle (InternalCalcPositions).
//
// Series join a chart by their ParentChart (TChartSeries::SetParentChart
// calls InternalAddSeries) and leave it by ParentChart nullptr
// (RemoveSeries); the chart frees the series it still holds when it is
// destroyed. Main thread only.
#include "chart/core/CustomZuzPanel.h"
#include "chart/core/ZuzEvent.h"

#include <functional>
#include <memory>
#include <vector>

class TChartAxes;
class TChartAxis;
class TChartCustomAxes;
class TChartSeries;
class TCustomChartSeries;

using TSeriesNotifyEvent = std::function<void(TCustomChartSeries* Series)>;

class TCustomAxisPanel : public TCustomZuzPanel {
public:
  explicit TCustomAxisPanel(TComponent* AOwner);
  ~TCustomAxisPanel() override;
  String ClassName() const override;

  // ---- Series ----------------------------------------------------------------------
  int32_t SeriesCount() const { return static_cast<int32_t>(FSeriesList.size()); }
  // Raises EListError for an index outside 0..SeriesCount() - 1.
  TChartSeries* GetSeries(int32_t Index) const;
  TChartSeries* operator[](int32_t Index) const { return GetSeries(Index); }
  const std::vector<TChartSeries*>& SeriesList() const { return FSeriesList; }
  int32_t IndexOfSeries(const TCustomChartSeries* Series) const;
  // Series->SetParentChart(this); returns Series.
  TChartSeries* AddSeries(TChartSeries* Series);
  // Appends a series whose parent chart became this one: its Added
  // notice, seAdd to the listeners, OnAddSeries, repaint. A series already
  // in the list is left alone.
  void InternalAddSeries(TChartSeries* Series);
  // Takes a series out of the list without freeing it: seRemove, its
  // Removed notice, OnRemoveSeries, seAfterRemove, repaint. A negative
  // index or a series not in the list does nothing.
  void RemoveSeries(TChartSeries* Series);
  void RemoveSeries(int32_t Index);
  // Detaches and frees every series of the chart.
  void FreeAllSeries();
  int32_t CountActiveSeries() const;
  // The largest point count among the active series; 0 when none.
  int32_t GetMaxValuesCount() const;

  // Sends a TZuzSeriesEvent to the listeners unless DoNotBroadcast is set
  // or nobody listens.
  void BroadcastSeriesEvent(TCustomChartSeries* Series, TChartSeriesEvent Event);
  bool DoNotBroadcast = false;
  TSeriesNotifyEvent OnAddSeries;
  TSeriesNotifyEvent OnRemoveSeries;

  // ---- Colours -----------------------------------------------------------------------
  // The chart's own palette; empty: the library's ZuzColorPalette.
  std::vector<TColor> ColorPalette;
  TColor GetDefaultColor(int32_t Index) const;
  // The first palette colour (the last entry is never offered) that no
  // other series uses and, with CheckBackground, that is not the back
  // colour; when none is free, the colour of index SeriesCount.
  TColor GetFreeSeriesColor(bool CheckBackground, const TChartSeries* Series);
  virtual bool IsFreeSeriesColor(TColor AColor, bool CheckBackground, const TChartSeries* Series);
  // Series without a colour of their own take a new palette colour.
  void ColorPaletteChanged();

  // ---- Data sources ----------------------------------------------------------------
  // Refills Series from its first source when that is a series.
  virtual void CheckDatasource(TChartSeries* Series);
  // Raises ChartException ZuzMsg_CircularSeries when Dest would feed
  // itself through Source.
  void CheckOtherSeries(const TChartSeries* Dest, const TChartSeries* Source) const;

  // ---- Axes ----------------------------------------------------------------------------
  TChartAxis* LeftAxis() const { return FLeftAxis; }
  TChartAxis* TopAxis() const { return FTopAxis; }
  TChartAxis* RightAxis() const { return FRightAxis; }
  TChartAxis* BottomAxis() const { return FBottomAxis; }
  TChartAxis* DepthAxis() const { return FDepthAxis; }
  TChartAxis* DepthTopAxis() const { return FDepthTopAxis; }
  // Every axis: the six standard ones, then the custom ones.
  TChartAxes& Axes() const { return *FAxes; }
  TChartCustomAxes* CustomAxes() const { return FCustomAxes.get(); }
  // The extreme (IsMin: minimum) of the values on Axis (IsX: X values) over
  // the active series bound to it that have points and take part in axis
  // scaling (any series bound to it when none is active); 0 without any.
  virtual double InternalMinMax(const TChartAxis* Axis, bool IsMin, bool IsX) const;
  double MinXValue(const TChartAxis* Axis) const { return InternalMinMax(Axis, true, true); }
  double MaxXValue(const TChartAxis* Axis) const { return InternalMinMax(Axis, false, true); }
  double MinYValue(const TChartAxis* Axis) const { return InternalMinMax(Axis, true, false); }
  double MaxYValue(const TChartAxis* Axis) const { return InternalMinMax(Axis, false, false); }
  // An axis changed its scale: every series is told, then the chart repaints.
  void ChangedAxisScale(TChartAxis* Axis);

  // Scales every axis and places it along the chart rectangle.
  void InternalDraw(const TRect& UserRect) override;

private:
  std::vector<TChartSeries*> FSeriesList;
  std::unique_ptr<TChartAxes> FAxes;
  std::unique_ptr<TChartCustomAxes> FCustomAxes;
  TChartAxis* FBottomAxis = nullptr;
  TChartAxis* FTopAxis = nullptr;
  TChartAxis* FLeftAxis = nullptr;
  TChartAxis* FRightAxis = nullptr;
  TChartAxis* FDepthAxis = nullptr;
  TChartAxis* FDepthTopAxis = nullptr;
};
