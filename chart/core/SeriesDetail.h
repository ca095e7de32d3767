#pragma once
// Detail series: series whose values are aggregated into the points of a
// master series (one point per detail series, its value the sum, count,
// average, minimum or maximum of the detail's values); and the tests that
// tell what a series' stored data must carry (own X values, own colours,
// labels).
#include "chart/core/SeriesList.h"

#include <cstdint>

class TChartValueList;

enum TDetailAggregate : uint8_t { daSum, daCount, daAverage, daMin, daMax };

class TSeriesDetail : public TCustomSeriesList {
public:
  explicit TSeriesDetail(TChartSeries* AParent);
  // Frees every detail series.
  ~TSeriesDetail() override;
  String ClassName() const override;

  // A new series of the master's kind, owned by the master, entered by hand,
  // appended.
  TChartSeries* CreateNew(TChartSeries* Master);
  // The aggregate of a value list's values (0 for an empty list).
  double Calculate(const TChartValueList* List) const;
  // The master gets one point per detail series (labelled with its title),
  // each the aggregate of that series' mandatory values; one repaint.
  void ReCalculate();
  TDetailAggregate Aggregate() const { return FAggregate; }
  void SetAggregate(TDetailAggregate Value);

private:
  TDetailAggregate FAggregate = daSum;
  TChartSeries* IParent;
};

// Every point is looked at: a test of the first points only would let a
// series whose later points differ be written without what they carry.
// Positions other than 0, 1, 2 ... (only for series that use them).
bool HasNoMandatoryValues(const TChartSeries* Series);
// A point colour of its own that is neither the default nor the series
// colour.
bool HasColors(const TChartSeries* Series);
// A label that is not empty.
bool HasLabels(const TChartSeries* Series);
