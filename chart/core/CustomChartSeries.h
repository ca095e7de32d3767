#pragma once
// What every series has before any data: a title, its own legend entry, a
// free identifier and the style flags that tell the chart editor what the
// user may do with it. TChartSeries (ChartSeries.h) adds the points.
//
// Public (kinds publish some): SeriesIndex (read only), Legend,
// LegendTitle, ShowInLegend, Title, Identifier, Style; stored besides the
// published properties: "Identifier" (when not empty) and "Style" (the set
// as bits 0..5, when not empty).
#include "chart/core/CustomChartElement.h"
#include "platform/GraphicsTypes.h"

#include <cstdint>
#include <memory>

class TChartAxis;
class TZuzTransform;

// What the chart editor lets the user do with a series; a set of bits.
using TChartSeriesStyle = uint8_t;
constexpr TChartSeriesStyle tssIsTemplate = 1u << 0;
constexpr TChartSeriesStyle tssDenyChangeType = 1u << 1;
constexpr TChartSeriesStyle tssDenyDelete = 1u << 2;
constexpr TChartSeriesStyle tssDenyClone = 1u << 3;
constexpr TChartSeriesStyle tssIsPersistent = 1u << 4;
constexpr TChartSeriesStyle tssHideDataSource = 1u << 5;
constexpr TChartSeriesStyle AllSeriesStyles = 0x3F;

class TSeriesLegend;

class TCustomChartSeries : public TCustomChartElement {
public:
  explicit TCustomChartSeries(TComponent* AOwner);
  ~TCustomChartSeries() override;
  String ClassName() const override;

  // From another series: identifier, legend entry (copied, or freed when
  // Source has none), style and title; then the element's Assign.
  void Assign(TPersistent* Source) override;
  // "Identifier" and "Style" (see the header comment).
  void DefineProperties(TFiler* Filer) override;

  // When changed: repaints and the chart broadcasts seChangeActive.
  void SetActive(bool Value) override;

  // The chart has added this series (gives the legend entry the chart).
  virtual void Added();
  // The chart has removed it (clears the chart reference).
  virtual void Removed();
  // Pixels a kind needs beside its points; 0 here.
  virtual void CalcHorizMargins(int32_t& LeftMargin, int32_t& RightMargin);
  virtual void CalcVerticalMargins(int32_t& TopMargin, int32_t& BottomMargin);
  virtual void DoBeforeDrawChart();
  // Pixels a kind needs around its points on Axis, added to Rect.
  virtual void RecalcAxisMargins(TChartAxis* Axis, TRect& Rect);

  // Position in the chart's series list, -1 without a chart.
  int32_t SeriesIndex() const;
  const String& Title() const { return FTitle; }
  // When changed: repaints and the chart broadcasts seChangeTitle.
  void SetTitle(const String& Value);
  const String& Identifier() const { return FIdentifier; }
  void SetIdentifier(const String& Value) { FIdentifier = Value; }
  TChartSeriesStyle Style() const { return FStyle; }
  void SetStyle(TChartSeriesStyle Value) { FStyle = Value & AllSeriesStyles; }

  // Created for the chart on first use.
  TSeriesLegend* Legend();
  TSeriesLegend* LegendIfAny() const { return FLegend.get(); }
  // Copies Value into the (created) entry; nullptr frees the entry.
  void SetLegend(TSeriesLegend* Value);
  // Empty without an entry; reading creates none.
  String LegendTitle() const;
  void SetLegendTitle(const String& Value);
  // True without an entry; reading creates none.
  bool ShowInLegend() const;
  void SetShowInLegend(bool Value);

  // The two series are of one kind (either's class derives from the other's).
  bool SameClass(const TCustomChartSeries* Series) const;

  // An optional drawing transform, owned.
  std::unique_ptr<TZuzTransform> Transform;

private:
  void ReadStyle(int64_t Bits) { SetStyle(static_cast<TChartSeriesStyle>(Bits)); }

  String FIdentifier;
  std::unique_ptr<TSeriesLegend> FLegend;
  TChartSeriesStyle FStyle = 0;
  String FTitle;
};
