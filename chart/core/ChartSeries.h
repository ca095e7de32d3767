#pragma once
// The base of every series kind, its data side: the value lists (X, Y and
// the kind's extra dimensions), per-point colours, labels and null points;
// adding, inserting, changing, deleting and clearing points with their
// events; update bracketing; and telling the chart and the series that take
// their data from this one (linked series) of every change.
//
// Adding a point (AddXY and the forms that end in it):
//   1. OnBeforeAdd may veto: the add returns -1 and nothing changes.
//   2. The non-mandatory list (X of vertical kinds) takes the value by its
//      order rule (ChartValueList.h); its index is the point's index. The
//      other lists insert their staged TempValue at that index.
//   3. Colour, label and picture lists, when they exist, take an entry.
//   4. Unless updating: OnAfterAdd(Sender, index), NotifyValue(veAdd,
//      index) to the linked series, repaint.
// A change of values outside adding and deleting (SetXValue, a value
// list's SetValue) tells the linked series NotifyValue(veModify); adds and
// deletes announce themselves with veAdd and veDelete only.
// BeginUpdate/EndUpdate nest; inside, nothing is announced; the outermost
// EndUpdate sends one refresh (NotifyValue(veRefresh), seDataChanged) and
// repaints once.
//
// Null points are points whose colour is clNone; clDefault as a point's
// colour means the series colour (or the palette's when ColorEachPoint).
//
// Main thread only. Indexes of points are checked: a point index outside
// the series raises (ChartException or EListError) and changes nothing.
#include "chart/core/ChartValueList.h"
#include "chart/core/CustomChartSeries.h"
#include "platform/VirtualKeys.h"
#include "rtl/Exceptions.h"

#include <functional>
#include <memory>
#include <vector>

class TChartAxis;
class TChartSeries;
class TLabelsList;
class TCustomTextShape;
class TSeriesMarkPosition;
class TSeriesMarks;
class TZuzPictureList;
class TVisualsList;
class TVisualBlock;
class TZuzSelected;
class TZuzFunction;
class TSeriesDetail;
class TStream;
class TStringList;
enum TAxisLabelStyle : uint8_t;
enum TLegendTextStyle : uint8_t;
enum TSeriesMarksStyle : uint8_t;
enum TBrushStyle : uint8_t;

// Errors of charts and series, carrying a message of ZuzConst.h.
class ChartException : public Exception {
public:
  explicit ChartException(const String& Msg) : Exception(Msg) {}
};

enum TValueEvent : uint8_t { veClear, veAdd, veDelete, veRefresh, veModify };
enum THorizAxis : uint8_t { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis : uint8_t { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };
enum TTreatNullsStyle : uint8_t { tnDontPaint, tnSkip, tnIgnore };

// Which changes of a source series a linked series follows; a set of bits.
using TSeriesRecalcOptions = uint8_t;
constexpr TSeriesRecalcOptions rOnDelete = 1u << 0;
constexpr TSeriesRecalcOptions rOnModify = 1u << 1;
constexpr TSeriesRecalcOptions rOnInsert = 1u << 2;
constexpr TSeriesRecalcOptions rOnClear = 1u << 3;
constexpr TSeriesRecalcOptions AllRecalcOptions = 0x0F;

using TSeriesOnBeforeAdd = std::function<bool(TChartSeries* Sender)>;
using TSeriesOnAfterAdd = std::function<void(TChartSeries* Sender, int32_t ValueIndex)>;
using TSeriesOnClear = std::function<void(TChartSeries* Sender)>;
using TSeriesOnGetMarkText = std::function<void(TChartSeries* Sender, int32_t ValueIndex, String& MarkText)>;
using TSeriesClick = std::function<void(TChartSeries* Sender, int32_t ValueIndex, TMouseButton Button,
                                        TShiftState Shift, int32_t X, int32_t Y)>;
// Which part of a series the mouse was found on.
enum TSeriesClickedPartStyle : uint8_t { scpNone, scpSegment, scpPointer, scpMark };
// What the hover formatting covers: a set of bits.
using THoverElements = uint8_t;
constexpr THoverElements hePrevious = 1u << 0;
constexpr THoverElements heCurrent = 1u << 1;
constexpr THoverElements heNext = 1u << 2;
constexpr THoverElements heJoin = 1u << 3;
// Adds one entry (its text) to a gallery's list of sub-kinds.
using TSubGalleryProc = std::function<void(const String& Name)>;

class TChartSeries : public TCustomChartSeries {
public:
  explicit TChartSeries(TComponent* AOwner);
  // Leaves its chart, stops taking data from its sources, clears itself
  // (clearing the linked series that follow rOnClear) and leaves its
  // linked series without a source.
  ~TChartSeries() override;
  String ClassName() const override;

  // Nothing when unchanged; otherwise leaves the old chart (RemoveSeries)
  // and joins the new one (InternalAddSeries), which calls Added.
  void SetParentChart(TCustomAxisPanel* Value) override;
  // Takes the chart's next free colour when the series has no colour of
  // its own, and resolves its axes.
  void Added() override;
  void Removed() override;

  // ---- Adding -------------------------------------------------------------------
  // Each returns the new point's index, or -1 when OnBeforeAdd vetoed it.
  virtual int32_t AddXY(double AXValue, double AYValue, const String& ALabel = String(), TColor AColor = clDefault);
  // At position Count: AddXY(Count, AValue) for vertical kinds,
  // AddXY(AValue, Count) for horizontal ones.
  virtual int32_t Add(double AValue, const String& ALabel = String(), TColor AColor = clDefault);
  int32_t AddX(double AXValue, const String& ALabel = String(), TColor AColor = clDefault);
  int32_t AddY(double AYValue, const String& ALabel = String(), TColor AColor = clDefault);
  // A null point (colour clNone) of value AValue.
  virtual int32_t AddNull(double AValue);
  // A null point of DefaultNullValue with the label.
  int32_t AddNull(const String& ALabel);
  virtual int32_t AddNullXY(double X, double Y, const String& ALabel = String());
  // Add for each value inside one update; returns the number of values.
  int32_t AddArray(const std::vector<double>& Values);
  // AddXY pairwise (up to the shorter array) inside one update.
  int32_t AddArray(const std::vector<double>& XValues, const std::vector<double>& YValues);
  // Clears the series and copies every point of Source (inside one update).
  virtual void AddValues(TChartSeries* Source);
  void AssignValues(TChartSeries* Source) { AddValues(Source); }
  // Copies point SourceIndex of Source (values, colour, label).
  virtual void AddedValue(TChartSeries* Source, int32_t SourceIndex);
  // Adds the values of point SourceIndex of Source to the value lists;
  // returns the new index.
  virtual int32_t AddChartValue(TChartSeries* Source, int32_t SourceIndex);

  // ---- Access -------------------------------------------------------------------
  int32_t Count() const { return FX->Count(); }
  virtual int32_t CountLegendItems() const { return Count(); }
  TChartValueList* XValues() const { return FX; }
  TChartValueList* YValues() const { return FY; }
  // Assign the list settings (order, date-time, source) and repaint.
  void SetXValues(TChartValueList* Value);
  void SetYValues(TChartValueList* Value);
  TChartValueLists& ValuesList() { return FValuesList; }
  const TChartValueLists& ValuesList() const { return FValuesList; }
  double XValue(int32_t Index) const { return FX->GetValue(Index); }
  void SetXValue(int32_t Index, double Value);
  double YValue(int32_t Index) const { return FY->GetValue(Index); }
  void SetYValue(int32_t Index, double Value);
  // The point's label; empty beyond the labels.
  String XLabel(int32_t Index) const;
  void SetXLabel(int32_t Index, const String& Value);
  String ValueMarkText(int32_t Index) const { return XLabel(Index); }
  void SetValueMarkText(int32_t Index, const String& Value) { SetXLabel(Index, Value); }
  TLabelsList* Labels() const { return FLabels.get(); }
  // The extra list (index 2 up) named Name ignoring case, else the
  // mandatory list.
  virtual TChartValueList* GetYValueList(const String& AListName) const;
  // Takes NewList out of the lists when it is there; when OldList is
  // found, NewList takes its name, place and role and OldList is freed.
  void ReplaceList(TChartValueList* OldList, TChartValueList* NewList);
  virtual double GetMarkValue(int32_t ValueIndex) const;
  virtual double GetOriginValue(int32_t ValueIndex) const { return GetMarkValue(ValueIndex); }
  virtual double MaxXValue() const;
  virtual double MinXValue() const;
  virtual double MaxYValue() const;
  virtual double MinYValue() const;
  virtual double MaxZValue() const;
  virtual double MinZValue() const;
  // Horizontal kinds: the mandatory list becomes X.
  void SetHorizontal();
  // The axis that holds each point's value: vertical for vertical kinds.
  TChartAxis* MandatoryAxis() const;

  // ---- Colours ------------------------------------------------------------------
  // The user's colour, or the chart's automatic one when that is clDefault.
  TColor SeriesColor() const;
  virtual void SetSeriesColor(TColor AColor);
  TColor Color() const { return SeriesColor(); }
  void SetColor(TColor AColor) { SetSeriesColor(AColor); }
  bool IsColorStored() const { return FColor != clDefault; }
  // Sets the automatic colour and the series colour.
  void ChangeInternalColor(TColor AColor);
  // Drops the user's colour: the chart gives the series a palette colour.
  void SetDefaultColor();
  // The point's own colour, else (ColorEachPoint) the palette colour of
  // its index, else the series colour.
  virtual TColor GetValueColor(int32_t ValueIndex) const;
  TColor ValueColor(int32_t ValueIndex) const { return GetValueColor(ValueIndex); }
  // Appends null points up to ValueIndex first; the colour list is made
  // on the first colour other than clDefault.
  void SetValueColor(int32_t ValueIndex, TColor AColor);
  // The series has per-point colours (null points need them).
  bool HasColorList() const { return FColors != nullptr; }
  // The stored colour; clDefault beyond the colour list or without one.
  TColor InternalColor(int32_t ValueIndex) const;
  bool ColorEachPoint() const { return FColorEachPoint; }
  virtual void SetColorEachPoint(bool Value);
  // Every point not null whose value in ValueList lies in
  // FromValue..ToValue takes AColor; one repaint.
  void ColorRange(TChartValueList* ValueList, double FromValue, double ToValue, TColor AColor);
  bool IsNull(int32_t ValueIndex) const;
  void SetNull(int32_t ValueIndex, bool Null = true);

  // ---- Deleting and clearing ---------------------------------------------------
  // Raises ChartException ZuzMsg_SeriesDelete when ValueIndex is not a
  // point (ValueIndex and Count - 1 in the text).
  virtual void Delete(int32_t ValueIndex);
  // Removes Quantity points from Start on; with RemoveGap the
  // non-mandatory list is renumbered 0, 1, 2 ... Raises EAssertionFailed
  // for Quantity <= 0 or a run beyond the last point.
  virtual void Delete(int32_t Start, int32_t Quantity, bool RemoveGap = false);
  // A source deleted that point.
  virtual void DeletedValue(TChartSeries* Source, int32_t ValueIndex);
  // Empties every list, fires OnClearValues and NotifyValue(veClear).
  virtual void Clear();
  // Exchanges points A and B in every value list, the colours and the
  // labels (the sort's exchange).
  virtual void SwapValueIndex(int32_t A, int32_t B);

  // ---- Updates and notification -------------------------------------------------
  void BeginUpdate();
  // The outermost call refreshes; unbalanced calls are ignored.
  void EndUpdate();
  bool Updating() const { return IUpdating > 0; }
  // NotifyValue(veRefresh), the chart broadcasts seDataChanged, and an
  // active series repaints (the points added meanwhile have not).
  void RefreshSeries();
  // OnAfterAdd, NotifyValue(veAdd), repaint.
  virtual void NotifyNewValue(TChartSeries* Sender, int32_t ValueIndex);
  // Tells the linked series (by their recalculation options); nothing
  // while updating.
  virtual void NotifyValue(TValueEvent ValueEvent, int32_t ValueIndex);
  // A value list's statistics became stale (its first change since they
  // were read): NotifyValue(veModify, -1), except inside an add or delete,
  // which announces itself once every list is in step.
  void ValueListModified();
  // The base repaints.
  virtual void NotifyColorChange(int32_t ValueIndex);

  // ---- Axes ------------------------------------------------------------------------
  THorizAxis HorizAxis() const { return FHorizAxis; }
  void SetHorizAxis(THorizAxis Value);
  TVertAxis VertAxis() const { return FVertAxis; }
  void SetVertAxis(TVertAxis Value);
  TChartAxis* CustomHorizAxis() const { return FCustomHorizAxis; }
  // Binds to Axis (aCustomHorizAxis), or back to the bottom axis for nullptr.
  void SetCustomHorizAxis(TChartAxis* Axis);
  TChartAxis* CustomVertAxis() const { return FCustomVertAxis; }
  void SetCustomVertAxis(TChartAxis* Axis);
  // The resolved axes; nullptr without a chart.
  TChartAxis* GetHorizAxis() const { return FGetHorizAxis; }
  TChartAxis* GetVertAxis() const { return FGetVertAxis; }
  void RecalcGetAxis();
  // The series is bound to Axis (both-axes choices count for either).
  virtual bool AssociatedToAxis(const TChartAxis* Axis) const;
  // X for a horizontal, Y for a vertical axis the series is bound to.
  virtual TChartValueList* ValueListOfAxis(const TChartAxis* Axis) const;
  // Kinds without axes (pies) answer False.
  virtual bool UseAxis() const { return true; }
  // Whether the user's zoom and scroll apply to the series' axes.
  virtual bool CanZoomScroll() const { return UseAxis(); }
  // An axis of the chart changed its scale.
  virtual void ChangedAxisScale() {}
  // The axis is going away: bindings to it fall back to the standard axes.
  void AxisRemoved(const TChartAxis* Axis);

  // ---- Drawing and pixels (ChartSeriesDraw.cpp) -----------------------------------
  // The points on screen: from the first position (X of vertical kinds) at
  // or beyond the position axis' minimum to the first at or beyond its
  // maximum (one less unless DrawBetweenPoints); the whole series when its
  // positions are unordered or CalcVisiblePoints is off; -1, -1 when none.
  virtual void CalcFirstLastVisibleIndex();
  // The index range of the chart's current page: -1, -1 for an empty
  // series; every point without paging.
  void CalcFirstLastPage(int32_t& First, int32_t& Last) const;
  // The point under the pixel, or -1 (kinds answer; -1 here).
  virtual int32_t Clicked(int32_t X, int32_t Y);
  // The same, remembering a hit as the segment part.
  int32_t Clicked(const TPoint& P);
  // The point's pointer holds P (kinds with pointers answer; False here).
  virtual bool ClickedPointer(int32_t ValueIndex, int32_t X, int32_t Y, const TPoint& P);
  // ClickedPointer, remembering a hit as the pointer part.
  bool ClickedPointerPart(int32_t ValueIndex, int32_t X, int32_t Y, const TPoint& P);
  // The point is drawn: not null, or null points drawn at their value.
  bool IsPainted(int32_t ValueIndex) const;
  // A mouse move over the chart: the hovered point, the cursor, mouse
  // enter and leave. Returns whether the series claims the mouse.
  virtual bool CheckMouse(int32_t X, int32_t Y);
  // A press on point ValueIndex: OnDblClick for a double click, else
  // OnClick.
  virtual void MouseDown(int32_t ValueIndex, bool OnPointer, TMouseButton Button, TShiftState Shift, int32_t X,
                         int32_t Y);
  // OnClick or OnDblClick is assigned.
  virtual bool RaiseClicked() const;
  // The chart's hover shows, and this series' hover formatting.
  virtual bool HoverEnabled() const;
  // The hovered point when it is hovered as a mark (a segment); else -1.
  int32_t HoverOverMark() const;
  int32_t HoverOverSegment() const;
  // The point's mark is drawn in the hover font.
  virtual bool ShouldHoverMark(int32_t ValueIndex) const;
  // The canvas pen becomes the hover pen for the hovered point.
  virtual bool PrepareHoverPen(int32_t ValueIndex);
  // The selection and hover formats, made on first use.
  TZuzSelected* Selected();
  TZuzSelected* SelectedIfAny() const { return FSelected.get(); }
  void SetSelected(TZuzSelected* Value);
  THoverElements HoverElement = heCurrent;
  TSeriesClickedPartStyle IClickedPart = scpNone;
  bool IsMouseInside = false;
  TSeriesClick OnClick;
  TSeriesClick OnDblClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  // The points of the visible range in drawing order, each through the
  // chart's OnDrawValue when set, else DrawValue.
  virtual void DrawAllValues();
  // One point; nothing here (kinds draw).
  virtual void DrawValue(int32_t ValueIndex);
  // An explicit drawing order of the points (empty: First..Last).
  virtual std::vector<int32_t> SortDrawPoints(int32_t First, int32_t Last);
  // An explicit order of the series drawing point ValueIndex together.
  virtual std::vector<int32_t> SortDrawSeries(int32_t SeriesIndex, int32_t SeriesCount, int32_t ValueIndex);
  // Points are drawn from first to last unless the position axis is
  // inverted (the chart's inverted 3D rotation swapping the sense).
  virtual bool DrawValuesForward() const;
  virtual bool DrawSeriesForward(int32_t ValueIndex) const;
  int32_t FirstDisplayedIndex() const;
  int32_t LastDisplayedIndex() const;
  // Tools hear cteBeforeDrawSeries (cteAfterDrawSeries), then the event.
  virtual void DoBeforeDrawValues();
  virtual void DoAfterDrawValues();
  // Opens the series' canvas entity (named SeriesNameOrIndex).
  void BeginEntity();
  // The component name, or "Series" and the position in the chart + 1.
  String SeriesNameOrIndex() const;
  virtual bool CanBeforeParallel() const { return false; }
  virtual void DoBeforeParallel() {}
  virtual void BeforeCalcAxis() {}
  // Points inside both axes' current limits (the visible range's count
  // for ordered positions).
  int32_t VisibleCount();
  // Pixels through the bound axes. Kinds that place points apart from
  // their values (bars, stacked lines and areas) override.
  virtual int32_t CalcXPos(int32_t ValueIndex) const;
  virtual int32_t CalcYPos(int32_t ValueIndex) const;
  int32_t CalcXPosValue(double Value) const;
  int32_t CalcYPosValue(double Value) const;
  // The mandatory axis' mapping.
  int32_t CalcPosValue(double Value) const;
  int32_t CalcXSizeValue(double Value) const;
  int32_t CalcYSizeValue(double Value) const;
  // Values at pixels; kinds that map the plot themselves override both
  // (and set ZoomSeries, so that a zoom rectangle is mapped through them).
  virtual double XScreenToValue(int32_t Pixel) const;
  virtual double YScreenToValue(int32_t Pixel) const;
  String XValueToText(double Value) const;
  String YValueToText(double Value) const;
  virtual void CalcSelectionPos(int32_t ValueIndex, int32_t& X, int32_t& Y) const;
  // The point's pixel lies in the chart rectangle (edges included).
  virtual bool IsPointInChartRect(int32_t ValueIndex) const;
  // ---- Depth ----
  // The z-order the user fixed, else the chart's.
  int32_t ZOrderValue() const { return FZOrder == -1 ? IZOrder : FZOrder; }
  virtual void CalcZOrder();
  virtual void CalcDepthPositions();
  // Another active series without Z values shares this one's z-order.
  virtual bool MoreSameZOrder() const;
  // No earlier active series shares this one's z-order.
  bool FirstInZOrder() const;
  virtual bool DrawSeriesAscending() const;
  int32_t StartZ = 0;
  int32_t MiddleZ = 0;
  int32_t EndZ = 0;
  // Drawn without clipping to the chart rectangle.
  bool IHideWhenVisible = false;
  // ---- Labels and marks ----
  // The style the series asks of an automatic axis: values, or its point
  // labels along the axis of its positions.
  virtual TAxisLabelStyle AxisLabelStyle(const TChartAxis* Axis) const;
  // The kind labels its points itself (pie slices, for one).
  virtual bool HasPointLabels() const { return false; }
  // Some point has a label.
  bool HasLabels() const;
  // ---- Marks (ChartSeriesMarks.cpp) ----
  // Made on first use (hidden by default).
  TSeriesMarks* Marks();
  TSeriesMarks* MarksIfAny() const { return FMarks.get(); }
  void SetMarks(TSeriesMarks* Value);
  // The text of a point's mark: its item's own text (without a final CR
  // LF), else the text of the marks' Style; then OnGetMarkText. Empty: no
  // mark.
  virtual String GetMarkText(int32_t ValueIndex);
  virtual String GetMarkTextStyle(bool MultiLine, int32_t ValueIndex, TSeriesMarksStyle Style);
  virtual String GetMarkLabel(int32_t ValueIndex);
  // The point's share of the total in PercentFormat; with AddTotal
  // "<share> of <total>".
  String MarkPercent(int32_t ValueIndex, bool AddTotal);
  // Not for a null point; with SoftClip only inside the chart rectangle.
  virtual bool CanDrawMark(int32_t ValueIndex);
  // The widest mark text among points whose mark shows.
  virtual int32_t MaxMarkWidth();
  bool HasMarks() const;
  // Every visible point's mark, thinned, hovered and kept clear of the
  // ones before it.
  virtual void DrawMarks();
  virtual void DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position);
  // The size of the mark (with room for a symbol) at the point's pixel.
  void CalculateMarkPosition(TCustomTextShape* Shape, const String& Text, TSeriesMarkPosition& Position, int32_t X,
                             int32_t Y);
  // How far R1 moves to clear R2: vertically for vertical kinds.
  virtual void MarkOverlap(int32_t ValueIndex, const TRect& R1, const TRect& R2, TPoint& Offset);
  // The mark under (X, Y) when the marks show; -1.
  int32_t MarksClicked(int32_t X, int32_t Y);
  TNotifyEvent BeforeDrawValues;
  TNotifyEvent AfterDrawValues;
  TSeriesOnGetMarkText OnGetMarkText;

  // ---- Legend entries ------------------------------------------------------------
  // Kinds that hide points from the legend remap; identity here.
  virtual int32_t CalcLegendIndex(int32_t LegendIndex) const { return LegendIndex; }
  virtual int32_t LegendToValueIndex(int32_t LegendIndex) const { return LegendIndex; }
  virtual int32_t ValueIndexToLegend(int32_t ValueIndex) const { return ValueIndex; }
  // The point's colour.
  virtual TColor LegendItemColor(int32_t LegendIndex) const { return GetValueColor(LegendIndex); }
  virtual bool InvertedLegend() const { return false; }
  // The legend text of a point for a legend text style (columns separated
  // by ZuzLegendColumnSeparator).
  virtual String LegendString(int32_t LegendIndex, TLegendTextStyle Style);
  // The symbol of a legend row into Rect (-1: the row of the whole series),
  // in the point's (series') colour; nothing for a null point.
  virtual void DrawLegend(int32_t ValueIndex, const TRect& Rect);
  // The symbol itself: the chart's symbol box in the canvas brush (kinds
  // draw their own).
  virtual void DrawLegendShape(int32_t ValueIndex, const TRect& Rect);
  // Kinds set the canvas for their symbol; nothing here.
  virtual void PrepareLegendCanvas(int32_t ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle);
  // The per-point pictures, made on first use.
  TZuzPictureList* Pictures();
  TZuzPictureList* PicturesIfAny() const { return FPictures.get(); }
  // The per-point visual blocks, made on first use.
  TVisualsList* Visuals();
  TVisualsList* VisualsIfAny() const { return FVisuals.get(); }
  // The visual block of a point (cloned from the template on first read);
  // nullptr without one.
  TVisualBlock* PointVisual(int32_t ValueIndex);

  // ---- Data sources --------------------------------------------------------------
  // Series this one takes its data from, and series that take theirs from
  // this one. Making a series a source links both ways; a source that would
  // feed itself raises ChartException ZuzMsg_CircularSeries.
  const std::vector<TComponent*>& DataSources() const { return FDataSources; }
  const std::vector<TChartSeries*>& LinkedSeries() const { return FLinkedSeries; }
  // The first source, or nullptr.
  TComponent* DataSource() const { return FDataSources.empty() ? nullptr : FDataSources.front(); }
  // Makes Value (a series) the only source and refills from it; nullptr
  // removes the sources. Raises ChartException ZuzMsg_SeriesInvDataSource
  // for this series itself or a component that is no series.
  void SetDataSource(TComponent* Value);
  int32_t InternalAddDataSource(TComponent* Value);
  void RemoveDataSource(TComponent* Value);
  void RemoveAllLinkedSeries();
  void AddLinkedSeries(TChartSeries* Value);
  void RemoveLinkedSeries(TChartSeries* Value);
  // Refills from the first source (the chart's check of the source).
  void CheckDataSource();
  // Whether Value may take data from this series (not this series itself).
  virtual bool IsValidSourceOf(const TChartSeries* Value) const { return Value != this; }
  TSeriesRecalcOptions RecalcOptions() const { return FRecalcOptions; }
  void SetRecalcOptions(TSeriesRecalcOptions Value) { FRecalcOptions = Value; }
  // The single source of a chart file ("DataSource"); several sources are
  // stored as "DataSources".
  bool IsDataSourceStored() const { return FDataSources.size() == 1; }

  // ---- Functions (ChartSeriesData.cpp) -------------------------------------------
  // The function that computes the points; nullptr for a series filled by
  // hand or copied from its source.
  TZuzFunction* FunctionType() const { return FZuzFunction; }
  // Nothing when unchanged; frees the former function, takes Value (which
  // gets this series as its parent), ManualData off, checks the source.
  void SetFunction(TZuzFunction* Value);

  // ---- Detail series --------------------------------------------------------------
  // Made on first use.
  TSeriesDetail* Detail();
  TSeriesDetail* DetailIfAny() const { return FDetail.get(); }

  // ---- Sorting and sample values (ChartSeriesData.cpp) ---------------------------
  // Sorts by the mandatory list's order (renumbering the positions unless
  // they have a value source) and by the positions' order; repaints when
  // either sorted.
  void CheckOrder();
  // Sorts the points by label (loNone: nothing), renumbers the positions
  // 0, 1, 2 ... and repaints. Case only breaks ties of labels equal but for
  // case when the labels list is case sensitive.
  void SortByLabels(TChartListOrder Order = loAscending);
  // The label order of points A and B: < 0, 0 or > 0.
  int32_t CompareLabelIndex(int32_t A, int32_t B, TChartListOrder Order) const;
  // NumValues 0: the kind's number; then Clear and a random walk of
  // non-negative values (AddSampleValues) inside one update; ManualData off.
  void FillSampleValues(int32_t NumValues = 0);
  // Adds NumValues random values; returns the last index.
  virtual int32_t AddSampleValues(int32_t NumValues, bool OnlyMandatory = false);
  struct TSeriesRandomBounds {
    double tmpX = 0, StepX = 0, tmpY = 0, MinY = 0, DifY = 0;
  };
  TSeriesRandomBounds RandomBounds(int32_t NumValues);
  // The number of sample values a kind shows (25 here).
  virtual int32_t NumSampleValues() const { return 25; }
  int32_t INumSampleValues = 0;

  // ---- Copying (ChartSeriesData.cpp) -----------------------------------------------
  // From another series: the element's and the series' settings
  // (AssignFormat), the marks' visibility, the function, ManualData; then
  // Source's sources when it takes its data from them, else its points.
  void Assign(TPersistent* Source) override;
  // The value-list settings, label and colour sources, ColorEachPoint and
  // the formatting of Source (without its data or sources).
  virtual void AssignFormat(TChartSeries* Source);

  // ---- The chart-file data (ChartSeriesStream.cpp) --------------------------------
  // "DataSources", "CustomHorizAxis", "CustomVertAxis", "Data" and
  // "Detail" after the series' other stored values.
  void DefineProperties(TFiler* Filer) override;
  // ForceSaveData, or ManualData without DontSaveData.
  bool IsDataStored() const;
  // Both series write the same "Data" bytes.
  bool SameData(TChartSeries* Ancestor);
  // The points in the "Data" layout.
  virtual void WriteData(TStream& Stream);
  // Replaces the points by those of a "Data" value. The whole value is
  // checked before anything changes: a value that ends early, declares
  // more than it holds or holds more than it declares raises EReadError
  // and leaves the series as it was.
  virtual void ReadData(TStream& Stream);
  void WriteDetail(TStream& Stream);
  // The same rule: a damaged "Detail" changes nothing.
  void ReadDetail(TStream& Stream);
  // Lists its function, which the chart file holds as its child.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  // Sources named in the file are found and the data recomputed.
  void Loaded() override;

  // ---- Formats and settings ------------------------------------------------------
  // The gallery's sub-kinds of the kind: "Normal" here.
  virtual void CreateSubGallery(const TSubGalleryProc& AddSubChart);
  // Makes ASeries (a gallery preview) the sub-kind Index; nothing here.
  virtual void SetSubGallery(TChartSeries* ASeries, int32_t Index);
  // The look of Source without its data: legend switch, brush, pen, colour
  // (a Source without its own colour takes the chart's next free one),
  // formats, axis choices, cursor, depth, transparency and null rule.
  virtual void AssignFormatting(TChartSeries* Source);
  const String& ValueFormat() const { return FValueFormat; }
  virtual void SetValueFormat(const String& Value);
  bool IsValueFormatStored() const;
  const String& PercentFormat() const { return FPercentFormat; }
  void SetPercentFormat(const String& Value);
  bool IsPercentFormatStored() const;
  TTreatNullsStyle TreatNulls() const { return FTreatNulls; }
  void SetTreatNulls(TTreatNullsStyle Value);
  int32_t Depth() const { return FDepth; }
  void SetDepth(int32_t Value);
  int32_t ZOrder() const { return FZOrder; }
  // Also the chart's z-order (0 for -1).
  void SetZOrder(int32_t Value);
  int32_t Cursor() const { return FCursor; }
  void SetCursor(int32_t Value) { FCursor = Value; }
  uint8_t Transparency() const { return FTransparency; }
  virtual void SetTransparency(uint8_t Value);
  const String& ColorSource() const { return FColorSource; }
  void SetColorSource(const String& Value);
  const String& XLabelsSource() const { return FLabelsSource; }
  void SetXLabelsSource(const String& Value);
  double DefaultNullValue() const { return FDefaultNull; }
  void SetDefaultNullValue(double Value) { FDefaultNull = Value; }
  int32_t FirstValueIndex() const { return FFirstVisibleIndex; }
  int32_t LastValueIndex() const { return FLastVisibleIndex; }

  // ---- Events ----------------------------------------------------------------------
  TSeriesOnBeforeAdd OnBeforeAdd;
  TSeriesOnAfterAdd OnAfterAdd;
  TSeriesOnClear OnClearValues;

  // ---- Kind settings (set by series kinds and the chart) ---------------------------
  TChartValueList* MandatoryValueList = nullptr;
  TChartValueList* NotMandatoryValueList = nullptr;
  bool YMandatory = true;
  // The points were added by code or read from a file (not from a source).
  bool ManualData = true;
  bool DontSaveData = false;
  bool ForceSaveData = false;
  bool AllowSinglePoint = true;
  bool CalcVisiblePoints = true;
  bool DrawBetweenPoints = false;
  bool HasZValues = false;
  // Left out when axes compute their automatic limits.
  bool INoAxisMinMax = false;
  bool IUseSeriesColor = true;
  bool IUseNotMandatory = true;
  // The automatic 3D order given by the chart.
  int32_t IZOrder = 0;
  // The automatic colour given by the chart.
  TColor ISeriesColor = clDefault;
  // The master of a detail series (its chart frees only masters).
  TChartSeries* ParentSeries = nullptr;
  // Set by kinds whose own pixel mapping turns a zoom rectangle into scales.
  bool ZoomSeries = false;

protected:
  // A freed visual template (or referenced block) is forgotten.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Every value list cleared, colours and labels dropped.
  virtual void ClearLists();

  int32_t FFirstVisibleIndex = -1;
  int32_t FLastVisibleIndex = -1;
  int32_t IUpdating = 0;

private:
  class TModifyGuard;
  void NotifyColorChanged();
  void InsertColor(int32_t Index, TColor AColor);
  void InternalRemoveSource(TComponent* Value);
  bool FeedsFrom(const TChartSeries* Source) const;

  TChartValueLists FValuesList;
  TChartValueList* FX = nullptr;
  TChartValueList* FY = nullptr;
  TColor FColor = clDefault;
  bool FColorEachPoint = false;
  String FColorSource;
  int32_t FCursor = 0;
  std::vector<TComponent*> FDataSources;
  std::vector<TChartSeries*> FLinkedSeries;
  int32_t FDepth = -1;
  TChartAxis* FGetHorizAxis = nullptr;
  TChartAxis* FGetVertAxis = nullptr;
  std::unique_ptr<TLabelsList> FLabels;
  String FLabelsSource;
  String FPercentFormat;
  uint8_t FTransparency = 0;
  TTreatNullsStyle FTreatNulls = tnDontPaint;
  String FValueFormat;
  double FDefaultNull = 0;
  THorizAxis FHorizAxis = aBottomAxis;
  TChartAxis* FCustomHorizAxis = nullptr;
  TChartAxis* FCustomVertAxis = nullptr;
  int32_t FZOrder = -1;
  TVertAxis FVertAxis = aLeftAxis;
  TSeriesRecalcOptions FRecalcOptions = AllRecalcOptions;
  std::unique_ptr<std::vector<TColor>> FColors;
  std::unique_ptr<TZuzPictureList> FPictures;
  std::unique_ptr<TVisualsList> FVisuals;
  std::unique_ptr<TZuzSelected> FSelected;
  std::unique_ptr<TSeriesMarks> FMarks;
  // Inside an add, delete or copy: value-list notices are not sent.
  int32_t IHoldModify = 0;
  friend class TZuzFunction;
  TZuzFunction* FZuzFunction = nullptr;
  std::unique_ptr<TSeriesDetail> FDetail;
  // Source names read from a chart file, until Loaded finds them.
  std::vector<String> FTempDataSources;
  bool IDestroying = false;
};

// The flags byte of a series' "Data": 1 positions, 2 colours, 4 labels, 8
// mark positions, 16 pictures are stored (each only when some point needs
// it).
uint8_t SeriesGuessContents(const TChartSeries* Series);

// The series' title when it is not blank (untrimmed; line breaks and legend
// column separators made blanks with RemoveLineBreaks), else its name, else
// "Series" and its position in the chart from 1; empty for an unnamed
// series without chart.
String SeriesTitleOrName(const TChartSeries* Series, bool RemoveLineBreaks = false);
// Adds to Items, inside one update, every series of List shown in editors
// (or, while designing, stored) that is not for internal use: its title
// (without line breaks) with UseTitles, else its name, the series as the
// object.
void FillSeriesItems(TStringList* Items, const class TCustomSeriesList* List, bool UseTitles = true);
