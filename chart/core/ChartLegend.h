#pragma once
// The chart's legend: the framed box that names what the chart shows, one
// row or cell per series, per value of one series, or per series group.
#include "chart/core/ZuzCustomShapePosition.h"

class TChartSeries;
class TCustomChart;

enum TLegendAlignment : uint8_t { laLeft, laRight, laTop, laBottom };
enum TLegendStyle : uint8_t { lsAuto, lsSeries, lsValues, lsLastValues, lsSeriesGroups };
enum TLegendTextStyle : uint8_t {
  ltsPlain,
  ltsLeftValue,
  ltsRightValue,
  ltsLeftPercent,
  ltsRightPercent,
  ltsXValue,
  ltsValue,
  ltsPercent,
  ltsXAndValue,
  ltsXAndPercent,
  ltsXAndText,
  ltsXAndValueAndText
};

class TCustomChartLegend : public TZuzCustomShapePosition {
public:
  explicit TCustomChartLegend(TCustomZuzPanel* AOwner);
  ~TCustomChartLegend() override;
  String ClassName() const override;
  // Every legend setting, then the positioned box.
  void Assign(TPersistent* Source) override;

  TLegendAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TLegendAlignment Value);
  bool CheckBoxes() const { return FCheckBoxes; }
  void SetCheckBoxes(bool Value);
  bool DrawBehind() const { return FDrawBehind; }
  void SetDrawBehind(bool Value);
  TLegendStyle LegendStyle() const { return FLegendStyle; }
  void SetLegendStyle(TLegendStyle Value);
  TLegendTextStyle TextStyle() const { return FTextStyle; }
  void SetTextStyle(TLegendTextStyle Value);
  // laLeft and laRight.
  bool Vertical() const { return FAlignment == laLeft || FAlignment == laRight; }
  // Visible, and check boxes in use or an active series in the chart.
  bool ShouldDraw() const;
  // The effective style (never lsAuto).
  TLegendStyle CalcLegendStyle() const;
  // The text of item Index for the effective style.
  String FormattedLegend(int32_t Index);
  // The legend text of point ValueIndex for the legend's TextStyle.
  String FormattedValue(TChartSeries* ASeries, int32_t ValueIndex);
  // Lays the legend out and takes its room from the chart rectangle.
  void CalcRect();
  void DrawLegend();

protected:
  TCustomChart* Chart() const;

private:
  TLegendAlignment FAlignment = laRight;
  bool FCheckBoxes = false;
  bool FDrawBehind = false;
  TLegendStyle FLegendStyle = lsAuto;
  TLegendTextStyle FTextStyle = ltsLeftValue;
};

class TChartLegend : public TCustomChartLegend {
public:
  explicit TChartLegend(TCustomZuzPanel* AOwner);
  String ClassName() const override;
};
