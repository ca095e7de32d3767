#pragma once
// Paging of a chart's points: MaxPointsPerPage points per page (0: no
// paging) and the current page, counted from 1. The number of pages comes
// from the active series on the position axes; the axes scale to the
// current page's own values (AutoScale) or as a full page even on a short
// last page (ScaleLastPage off).
//
// Published (default): AutoScale (False), Current (1), MaxPointsPerPage
// (0), ScaleLastPage (True). Main thread only.
#include "chart/core/ZuzEvent.h"
#include "platform/Component.h"

#include <functional>

class TCustomAxisPanel;
class TChartAxis;

// Broadcast to the chart's listeners when the page changes.
class TChartChangePage : public TZuzEvent {
public:
  String ClassName() const override;
};

class TChartPage : public TPersistent {
public:
  explicit TChartPage(TCustomAxisPanel* AParent);
  String ClassName() const override;
  // The four settings, without repaint.
  void Assign(TPersistent* Source) override;

  // 1 without paging or series; else the larger page count of the two
  // position axes of the first series' kind (top and bottom for the usual
  // vertical series).
  int32_t Count() const;
  // (Current - 1) x MaxPointsPerPage.
  int32_t FirstValueIndex() const { return (FCurrent - 1) * FPointsPerPage; }
  // Kept in 1..Count(); when changed: repaint, TChartChangePage to the
  // listeners, OnPageChange (with the page object as Sender).
  void SetCurrent(int32_t Value);
  int32_t Current() const { return FCurrent; }
  // Raises ChartException ZuzMsg_MaxPointsPerPage for a negative value.
  // A page count below Current moves to the last page.
  void SetPointsPerPage(int32_t Value);
  int32_t MaxPointsPerPage() const { return FPointsPerPage; }
  bool AutoScale() const { return FAutoScale; }
  void SetAutoScale(bool Value);
  bool ScaleLastPage() const { return FScaleLastPage; }
  void SetScaleLastPage(bool Value);
  // Only while paging is on.
  void NextPage();
  void PreviousPage();

private:
  int32_t AxisPageCount(const TChartAxis* Axis) const;

  bool FAutoScale = false;
  int32_t FCurrent = 1;
  int32_t FPointsPerPage = 0;
  bool FScaleLastPage = true;
  TCustomAxisPanel* IParent;
};
