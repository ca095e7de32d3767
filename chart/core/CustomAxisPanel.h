#pragma once
// The axis panel: a chart panel with series and axes, and the drawing
// pipeline that paints them. It keeps the series in an ordered list (the
// drawing and legend order), gives each new series a palette colour no
// other series uses, owns the six standard axes and the custom axes, and
// computes the series extremes the automatic axis scales are made of.
//
// One drawing (InternalDraw), in this order, with AutoRepaint off:
//   background (PanelPaint), cteBeforeDraw to tools and animations,
//   OnBeforeDrawChart, each active series' DoBeforeDrawChart, z-orders and
//   walls' rectangle, titles and legend that take room (before series),
//   BeforeCalcAxis of the series, the axes' scales and room (CalcAxisRect),
//   the series' depths, the axes' pixel margins (CalcSeriesRect), walls,
//   axes (OnBeforeDrawAxes, before the series when AxisBehind) and series
//   (OnBeforeDrawSeries; each series: visible range, clip, BeforeDrawValues,
//   its points, AfterDrawValues), titles and legend drawn over the series,
//   the zoom band, cteAfterDraw, OnAfterDraw.
// Walls, titles and the legend are the chart component's; here they take
// no room and draw nothing. Tools and animations hear the pipeline's
// events through BroadcastToolEvent / BroadcastAnimationEvent.
//
// Series join a chart by their ParentChart (TChartSeries::SetParentChart
// calls InternalAddSeries) and leave it by ParentChart nullptr
// (RemoveSeries); the chart frees the series it still holds when it is
// destroyed. A chart with a Theme copies the theme chart's formatting onto
// each series that joins it. With paging (Pages) the axes of the series'
// positions scale to the current page.
//
// Published (default): AxisBehind (True), AxisVisible (True), the six
// standard axes, Chart3DPercent (15, kept in 1..100), ClipPoints (True),
// CustomAxes (when not empty), Pages, View3DWalls (True), OnAddSeries,
// OnPageChange, OnRemoveSeries; besides them, read only, the older
// "MaxPointsPerPage", "Page" and "ScaleLastPage". Main thread only.
#include "chart/core/CustomZuzPanelExtended.h"
#include "chart/core/ZuzEvent.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class TChartAnimations;
class TChartAxes;
class TChartPage;
class TChartTools;
class TZuzCustomTool;
class TZuzHover;
class TChartSeriesList;
class TClassInfo;
class TCustomAxisPanel;
class TSeriesGroups;
class TChartAxis;
class TChartCustomAxes;
class TChartSeries;
class TCustomChartSeries;

using TSeriesNotifyEvent = std::function<void(TCustomChartSeries* Series)>;
using TValidDataSourceEvent =
    std::function<void(TCustomAxisPanel* Sender, TChartSeries* Series, TComponent* Component, bool& Valid)>;
using TColorArray = std::vector<TColor>;
using TSeriesDrawValue = std::function<void(TChartSeries* Sender, int32_t ValueIndex)>;
using TAxisOnGetLabelEvent =
    std::function<void(TChartAxis* Sender, TChartSeries* Series, int32_t ValueIndex, String& LabelText)>;
using TAxisOnGetNextLabelEvent =
    std::function<void(TChartAxis* Sender, int32_t LabelIndex, double& LabelValue, bool& Stop)>;

// What tools and animations hear while a chart draws.
enum TChartToolEvent : uint8_t {
  cteAfterDraw,
  cteBeforeDrawSeries,
  cteBeforeDraw,
  cteBeforeDrawAxes,
  cteAfterDrawSeries,
  cteMouseLeave
};

class TCustomAxisPanel : public TCustomZuzPanelExtended {
public:
  explicit TCustomAxisPanel(TComponent* AOwner);
  ~TCustomAxisPanel() override;
  String ClassName() const override;

  // ---- Series ----------------------------------------------------------------------
  int32_t SeriesCount() const;
  // Raises EListError for an index outside 0..SeriesCount() - 1.
  TChartSeries* GetSeries(int32_t Index) const;
  TChartSeries* operator[](int32_t Index) const { return GetSeries(Index); }
  // The chart's series in drawing and legend order.
  TChartSeriesList& SeriesList() const { return *FSeriesList; }
  int32_t IndexOfSeries(const TCustomChartSeries* Series) const;
  // Series->SetParentChart(this); returns Series.
  TChartSeries* AddSeries(TChartSeries* Series);
  // Each in order.
  void AddSeries(std::initializer_list<TChartSeries*> Series);
  // A new series of the class (a TChartSeries kind), owned by the chart's
  // owner, added to the chart.
  TChartSeries* AddSeries(const TClassInfo* SeriesClass);
  // Appends a series whose parent chart became this one: the theme's
  // formatting, its Added notice, seAdd to the listeners, OnAddSeries,
  // repaint. A series already in the list is left alone.
  void InternalAddSeries(TChartSeries* Series);
  // Takes a series out of the list without freeing it: seRemove, its
  // Removed notice, OnRemoveSeries, seAfterRemove, repaint. A negative
  // index or a series not in the list does nothing.
  void RemoveSeries(TChartSeries* Series);
  void RemoveSeries(int32_t Index);
  // Detaches and frees every series of the class (all with nullptr); a
  // detail series of another series is only detached.
  void FreeAllSeries(const TClassInfo* SeriesClass = nullptr);
  // Swaps two series; an internal-use series at either index gives its
  // turn to the next series that is not. seSwap to the listeners, repaint.
  void ExchangeSeries(int32_t IndexA, int32_t IndexB);
  // Within one chart by index; series of two charts swap charts.
  void ExchangeSeries(TChartSeries* SeriesA, TChartSeries* SeriesB);
  int32_t CountActiveSeries() const;
  // The largest point count among the active series; 0 when none.
  int32_t GetMaxValuesCount() const;
  // The first series bound to Axis that is active (any series bound to it
  // when none active is); nullptr when none.
  TChartSeries* GetAxisSeries(const TChartAxis* Axis) const;
  // Of the same candidates, the one with the most points (the first wins
  // ties).
  TChartSeries* GetAxisSeriesMaxPoints(const TChartAxis* Axis) const;
  // The ItemIndex-th series (from 0) shown in the legend, counting only
  // active series with OnlyActive; nullptr when there are fewer.
  TChartSeries* SeriesLegend(int32_t ItemIndex, bool OnlyActive) const;
  TChartSeries* ActiveSeriesLegend(int32_t ItemIndex) const { return SeriesLegend(ItemIndex, true); }
  // The legend text of that series: its legend title without line breaks,
  // else its title or name; empty when there is no such series.
  String SeriesTitleLegend(int32_t ItemIndex, bool OnlyActive) const;
  // The widest point label of all series (plain text, widest line).
  int32_t MaxTextWidth();
  // The widest mark text among the active series (0 without marks).
  int32_t MaxMarkWidth();
  TSeriesGroups& SeriesGroups() const;
  void SetSeriesGroups(const TSeriesGroups& Value);
  bool IsSeriesGroupsStored() const;
  // The groups as the published "SeriesGroups" (setting copies).
  TSeriesGroups* GroupsObj() const { return &SeriesGroups(); }
  void SetGroupsObj(TSeriesGroups* Value);
  // The platform's children, then every series not marked DontSerialize.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  // Groups read from a file are linked to their series.
  void Loaded() override;
  // The axis-panel settings of another panel (not its series, tools or
  // animations), then the panel's.
  void Assign(TPersistent* Source) override;
  // The older paging values.
  void DefineProperties(TFiler* Filer) override;

  // Sends a TZuzSeriesEvent to the listeners unless DoNotBroadcast is set
  // or nobody listens.
  void BroadcastSeriesEvent(TCustomChartSeries* Series, TChartSeriesEvent Event);
  bool DoNotBroadcast = false;
  TSeriesNotifyEvent OnAddSeries;
  TSeriesNotifyEvent OnRemoveSeries;
  TValidDataSourceEvent OnValidDataSource;

  // ---- Pages -----------------------------------------------------------------------
  TChartPage* Pages() const { return FPages.get(); }
  void SetPages(TChartPage* Value);
  int32_t NumPages() const;
  int32_t GetPage() const;
  void SetPage(int32_t Value);
  int32_t GetPointsPerPage() const;
  void SetPointsPerPage(int32_t Value);
  bool GetScaleLastPage() const;
  void SetScaleLastPage(bool Value);
  // Called with the page object as Sender.
  TNotifyEvent OnPageChange;

  // ---- Themes ------------------------------------------------------------------------
  // Copy the formatting of the Theme chart's template (its first series of
  // the kind; its first axis of the orientation) onto a new series or axis;
  // nothing without a Theme. A theme chart without a template gets one.
  void ApplyThemeSeries(TChartSeries* Series);
  void ApplyThemeAxes(TChartAxis* Axis);
  void ApplyThemeTools(TZuzCustomTool* Tool);

  // The look of what the mouse is over (series points, legend items, axis
  // labels); shown while visible.
  TZuzHover* Hover() const { return FHover.get(); }
  void SetHover(TZuzHover* Value);

  // ---- Tools and animations ------------------------------------------------------------
  // The chart's tools and animations (the lists do not own them).
  TChartTools& Tools() const { return *FTools; }
  TChartAnimations& Animations() const { return *FAnimations; }
  // The open chart editor's hook (it installs and removes it); nullptr.
  class TZuzCustomDesigner* Designer = nullptr;

  // ---- Colours -----------------------------------------------------------------------
  // The chart's own palette; empty: the library's ZuzColorPalette.
  TColorArray ColorPalette;
  TColor GetDefaultColor(int32_t Index) const;
  // The first palette colour that no other series uses and, with
  // CheckBackground, that is not the back colour; when none is free, the
  // colour of index SeriesCount (the colours repeat).
  TColor GetFreeSeriesColor(bool CheckBackground, const TChartSeries* Series);
  virtual bool IsFreeSeriesColor(TColor AColor, bool CheckBackground, const TChartSeries* Series);
  // Series without a colour of their own take a new palette colour.
  void ColorPaletteChanged();

  // ---- Data sources ----------------------------------------------------------------
  // Refills Series from its first source when that is a series (through
  // its function when it has one); a function that needs no source
  // recomputes the series. Nothing while the series is being loaded.
  virtual void CheckDatasource(TChartSeries* Series);
  // Whether Component may feed Series: the series' answer, which
  // OnValidDataSource may turn down.
  virtual bool IsValidDataSource(TChartSeries* Series, TComponent* Component);
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
  void SetCustomAxes(TChartCustomAxes* Value);
  bool IsCustomAxesStored() const;
  // The extreme (IsMin: minimum) of the values on Axis (IsX: X values) over
  // the active series bound to it that have points and take part in axis
  // scaling (any series bound to it when none is active); 0 without any.
  // A depth axis showing series titles spans -0.5 .. highest z-order + 0.5.
  virtual double InternalMinMax(TChartAxis* Axis, bool IsMin, bool IsX);
  // The extremes of the current page's positions, from the series with the
  // most points on Axis; a short last page is stretched to a full one
  // unless ScaleLastPage.
  double CalcPageMinMax(TChartAxis* Axis, bool IsMin);
  double MinXValue(TChartAxis* Axis) { return InternalMinMax(Axis, true, true); }
  double MaxXValue(TChartAxis* Axis) { return InternalMinMax(Axis, false, true); }
  double MinYValue(TChartAxis* Axis) { return InternalMinMax(Axis, true, false); }
  double MaxYValue(TChartAxis* Axis) { return InternalMinMax(Axis, false, false); }
  // An axis changed its scale: every series is told, then the chart repaints.
  void ChangedAxisScale(TChartAxis* Axis);
  // Whether the last layout showed Axis.
  bool IsAxisVisible(const TChartAxis* Axis) const;
  // Shown: AxisVisible and the axis' Visible on; a depth axis in 3D only;
  // another one while an active series uses it, or while no series is
  // active.
  bool CalcIsAxisVisible(const TChartAxis* Axis) const;
  // The first active series that does not use axes makes it False, the
  // first one bound to Axis True; otherwise False with active series and
  // Default without.
  bool HasActiveSeries(const TChartAxis* Axis, bool Default) const;
  bool NoActiveSeries(const TChartAxis* Axis) const;
  // Wall thickness beside Axis (the chart component's walls; 0 here).
  virtual int32_t CalcWallSize(TChartAxis* Axis);

  // ---- Drawing ---------------------------------------------------------------------
  // The pipeline (see the top of this file).
  void InternalDraw(const TRect& UserRect) override;
  // Walls, axes and series in their order.
  void DrawAxesSeries();
  // 3D depth sizes of the whole chart and of one series slot.
  void CalcSize3DWalls();
  void CalcInvertedRotation();
  // Whether the back wall at depth Z faces away (the bottom axis is then
  // drawn with it).
  virtual bool DrawBackWallAfter(int32_t Z);
  // The active tools (animations) hear Event, in list order.
  virtual void BroadcastToolEvent(TChartToolEvent Event);
  virtual void BroadcastAnimationEvent(TChartToolEvent Event);
  // A series begins (cteBeforeDrawSeries) or ends (cteAfterDrawSeries)
  // drawing its points: tools hear it.
  virtual void BroadcastSeriesToolEvent(TChartToolEvent Event, TChartSeries* Series);
  // The values a legend shows for point ValueIndex (the chart's; empty).
  virtual String FormattedValueLegend(TChartSeries* Series, int32_t ValueIndex);

  bool AxisBehind() const { return FAxisBehind; }
  void SetAxisBehind(bool Value);
  bool AxisVisible() const { return FAxisVisible; }
  void SetAxisVisible(bool Value);
  bool ClipPoints() const { return FClipPoints; }
  void SetClipPoints(bool Value);
  bool View3DWalls() const { return FView3DWalls; }
  void SetView3DWalls(bool Value);
  int32_t Chart3DPercent() const { return F3DPercent; }
  // Kept in 1..100.
  void SetChart3DPercent(int32_t Value);
  int32_t SeriesWidth3D() const { return FSeriesWidth3D; }
  int32_t SeriesHeight3D() const { return FSeriesHeight3D; }
  // A depth of the user's own instead of the computed one.
  void SetCustomWidth3D(int32_t Value);
  int32_t MaxZOrder() const { return FMaxZOrder; }
  void SetMaxZOrder(int32_t Value) { FMaxZOrder = Value; }

  // The standard axes as published properties (setting copies).
  TChartAxis* GetBottomAxis() const { return FBottomAxis; }
  void SetBottomAxis(TChartAxis* Value);
  void SetTopAxis(TChartAxis* Value);
  void SetLeftAxis(TChartAxis* Value);
  void SetRightAxis(TChartAxis* Value);
  void SetDepthAxis(TChartAxis* Value);
  void SetDepthTopAxis(TChartAxis* Value);

  // Computed in every drawing.
  bool InvertedRotation = false;
  // Worker threads for the series preparation; 0: none.
  int32_t ParallelThreads = 0;

  // ---- Events ----------------------------------------------------------------------
  TNotifyEvent OnBeforeDrawChart;
  TNotifyEvent OnBeforeDrawAxes;
  TNotifyEvent OnBeforeDrawSeries;
  // Replaces a label's text (Series nullptr and ValueIndex -1 for value
  // labels).
  TAxisOnGetLabelEvent OnGetAxisLabel;
  // Gives the value labels one by one instead of the increment.
  TAxisOnGetNextLabelEvent OnGetNextAxisLabel;
  // Draws a point instead of the series.
  TSeriesDrawValue OnDrawValue;

protected:
  virtual void DoOnAfterDraw();
  virtual void DoOnBeforeDrawAxes();
  virtual void DoOnBeforeDrawChart();
  virtual void DoOnBeforeDrawSeries();
  // The chart component's parts: walls, titles and legend.
  virtual void CalcWallsRect();
  virtual void DrawTitlesAndLegend(bool BeforeSeries);
  virtual void DrawWalls();
  void InternalDoMouseLeave() override;

private:
  void SetSeriesZOrder();
  void CalcAxisRect();
  void CalcSeriesRect();
  void CalcSeriesAxisRect(TChartAxis* Axis);
  void CalcAxisMargins(TChartAxis* Axis);
  void DrawAllAxis();
  void DrawAllSeries();
  void DrawSeries(TChartSeries* Series);
  void DrawSeriesGroup(TChartSeries* Series);
  void DrawMarksSeries(TChartSeries* Series);
  void ClipRegionCreate();

  std::unique_ptr<TChartAxes> FAxes;
  std::unique_ptr<TChartCustomAxes> FCustomAxes;
  std::unique_ptr<TChartSeriesList> FSeriesList;
  std::unique_ptr<TChartPage> FPages;
  std::unique_ptr<TChartTools> FTools;
  std::unique_ptr<TChartAnimations> FAnimations;
  std::unique_ptr<TZuzHover> FHover;
  TChartAxis* FBottomAxis = nullptr;
  TChartAxis* FTopAxis = nullptr;
  TChartAxis* FLeftAxis = nullptr;
  TChartAxis* FRightAxis = nullptr;
  TChartAxis* FDepthAxis = nullptr;
  TChartAxis* FDepthTopAxis = nullptr;
  int32_t F3DPercent = 15;
  bool FAxisBehind = true;
  bool FAxisVisible = true;
  bool FClipPoints = true;
  bool FView3DWalls = true;
  bool FCustomWidth3D = false;
  int32_t FMaxZOrder = 0;
  int32_t FSeriesWidth3D = 0;
  int32_t FSeriesHeight3D = 0;
};
