#pragma once
// A collection of axes streamed with its owner: the chart's CustomAxes (the
// program's extra axes) or an axis' SubAxes (axes drawn along it, which
// follow it as their master).
#include "platform/Collection.h"

class TChartAxis;

class TChartCustomAxes : public TOwnedCollection {
public:
  // AOwner: the chart or the master axis.
  explicit TChartCustomAxes(TPersistent* AOwner);
  String ClassName() const override;

  // A new axis; in an axis' SubAxes it takes that axis as master, copies
  // its orientation and side and hides its grid.
  TChartAxis* Add();
  // Raise EListError for an index outside the collection.
  TChartAxis* Get(int32_t Index) const;
  // The axis at Index copies Value.
  void Put(int32_t Index, TChartAxis* Value);
  // Every axis whose master is Axis takes Axis' Minimum and Maximum.
  void ResetScales(TChartAxis* Axis);
};
