#pragma once
// The flat list of every axis a chart draws: bottom, top, left, right,
// depth and top depth first (indexes 0 to 5), then each custom axis in the
// order made. The list does not own the axes; each axis leaves it when
// freed.
#include <cstdint>
#include <functional>
#include <vector>

class TChartAxis;
class TCustomAxisPanel;

class TChartAxes {
public:
  explicit TChartAxes(TCustomAxisPanel* AChart) : FChart(AChart) {}
  TChartAxes(const TChartAxes&) = delete;
  TChartAxes& operator=(const TChartAxes&) = delete;

  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // Raises EListError for an index outside the list.
  TChartAxis* Get(int32_t Index) const;
  TChartAxis* operator[](int32_t Index) const { return Get(Index); }
  int32_t IndexOf(const TChartAxis* Axis) const;
  void Add(TChartAxis* Axis);
  void Remove(const TChartAxis* Axis);
  // Frees every axis (each leaves the list as it goes).
  void Clear();

  // The linear mapping without the intermediate rounding and clamp;
  // switching re-chooses every axis' mapping routines.
  bool FastCalc() const { return IFastCalc; }
  void SetFastCalc(bool Value);
  // True when every axis is automatic; setting sets every axis.
  bool Automatic() const;
  void SetAutomatic(bool Value);
  // Every axis automatic at both ends.
  void Reset() { SetAutomatic(true); }
  // The first visible axis (in list order: standard axes before custom
  // ones) that the point falls on; nullptr when none.
  TChartAxis* Clicked(int32_t X, int32_t Y) const;
  // The chart's AxisVisible and AxisBehind.
  bool Visible() const;
  void SetVisible(bool Value);
  bool Behind() const;
  void SetBehind(bool Value);
  // The chart draws no axes.
  void Hide() { SetVisible(false); }
  TChartAxis* Left() const;
  TChartAxis* Top() const;
  TChartAxis* Right() const;
  TChartAxis* Bottom() const;
  TChartAxis* Depth() const;
  TChartAxis* DepthTop() const;
  TCustomAxisPanel* Chart() const { return FChart; }
  // May replace the room an axis asks for its labels during layout (Value),
  // also for a hidden axis (Value 0).
  std::function<int32_t(TChartAxis* Axis, int32_t Value)> CalcPosLabels;

private:
  TCustomAxisPanel* FChart;
  std::vector<TChartAxis*> FItems;
  bool IFastCalc = false;
};
