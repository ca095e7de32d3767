#pragma once
// The common base of every series that joins its points by lines, fills
// the space under them or marks them with pointers: line, point and area
// series and the kinds built on them.
//
// Drawing (DrawAllValues): the shadow, emboss and outline passes, then the
// series itself, first tried as one whole-series path (DoDrawAll: 2D,
// DrawStyle dsAll or dsCurve, not both ColorEachPoint and ColorEachLine)
// and otherwise point by point (DrawValue), each point drawing the segment
// from the previous one: a line (2D), stairs or a ribbon (3D), the area
// piece down to the origin, and the pointers. Null points follow
// TreatNulls: tnDontPaint leaves gaps into and out of them, tnSkip bridges
// them, tnIgnore draws them at their value. Coordinates reach the canvas
// limited to +-32767.
//
// Stacking (Stacked): series of one class (area series: of one
// StackGroup) add their values in chart order (cssStack) or show each sum
// as a percentage of the column's absolute total (cssStack100); the origin
// under each point is the top of the series below, else the axis edge
// where values start. The series reports its stacked extent to the axes
// and asks margins for its pointer, its pen, outline and marks.
//
// Clicks: a pointer, a point's exact pixel, then (ClickableLine) the
// segment within ClickTolerance + 1 pixels or the area piece below it; a
// segment answers its lower index. Per-point pointers: Pointer()->Get(i).
//
// Main thread only.
#include "chart/core/SeriesPointer.h"
#include "chart/series/FastLineSeries.h"

#include <functional>
#include <memory>
#include <span>
#include <vector>

class TCustomSeries;
class TEnumInfo;
class TZuzBrush;
class TZuzEmboss;
class TZuzGradient;
class TZuzHiddenPen;
class TZuzPen;
class TZuzShadow;

enum TCustomSeriesDrawStyle : uint8_t { dsSegments, dsAll, dsCurve };
enum TCustomSeriesStack : uint8_t { cssNone, cssOverlap, cssStack, cssStack100 };

using TSeriesClickPointerEvent = std::function<void(TCustomSeries* Sender, int32_t ValueIndex, int32_t X, int32_t Y)>;
using TOnGetPointerStyle = std::function<TSeriesPointerStyle(TChartSeries* Sender, int32_t ValueIndex)>;

// The series pointer, plus optional pointers of single points. An entry
// that is missing (or empty) means the point uses the series pointer.
class TSeriesPointerItems : public TSeriesPointer {
public:
  explicit TSeriesPointerItems(TChartSeries* ASeries);
  ~TSeriesPointerItems() override;
  String ClassName() const override;

  int32_t Count() const { return static_cast<int32_t>(IList.size()); }
  // Appends empty entries until Index is inside the list.
  void Ensure(int32_t Index);
  // The pointer of point Index, made as a copy of the series pointer's
  // current settings when the point has none yet.
  TSeriesPointer* Get(int32_t Index);
  // Gives point Index its own copy of Value (nullptr: back to the series
  // pointer); repaints.
  void Put(int32_t Index, TSeriesPointer* Value);
  // Frees the entry and stores Value (owned from now on).
  void InternalPut(int32_t Index, std::unique_ptr<TSeriesPointer> Value);
  // The pointer that draws point Index: its own, else the series pointer.
  TSeriesPointer* InternalGet(int32_t Index);
  // Removes point Index's entry; later entries move down.
  void Delete(int32_t Index);
  // Exchanges two entries when both lie inside the list.
  void Swap(int32_t A, int32_t B);
  // Frees every entry; repaints.
  void Clear();
  // The points' own pointers follow the series pointer to the chart.
  void SetParent(TCustomZuzPanel* Value) override;

private:
  std::vector<std::unique_ptr<TSeriesPointer>> IList;
};

class TCustomSeries : public TCustomLineSeries {
public:
  explicit TCustomSeries(TComponent* AOwner);
  ~TCustomSeries() override;
  String ClassName() const override;

  // ClickableLine, ClickTolerance, DrawStyle and Stacked, then the series'.
  void Assign(TPersistent* Source) override;
  // Area brush and colour, pens, line and area switches, pointer,
  // outline, emboss and shadow; then the series' formatting.
  void AssignFormatting(TChartSeries* Source) override;
  String GetEditorClass() const override;
  // The pointer follows the series to the chart.
  void SetParentChart(TCustomAxisPanel* Value) override;
  // The inherited clear, and the series is marked dirty.
  void Clear() override;
  // The point's own pointer goes with it.
  void Delete(int32_t ValueIndex) override;
  using TCustomLineSeries::Delete;
  void SwapValueIndex(int32_t A, int32_t B) override;
  // The series brush back to solid with default colours.
  virtual void ResetBrush();

  // ---- Drawing (CustomSeriesDraw.cpp) ----
  void DrawAllValues() override;
  void DrawValue(int32_t ValueIndex) override;
  // A point whose value lies in an axis break between Value1 and Value2:
  // drawn Size div 2 pixels beyond the pixel of Value1 on Axis.
  void DrawHiddenValue(int32_t ValueIndex, double Value1, double Value2, int32_t Size, TChartAxis* Axis);
  // Pen and brush for a line segment in AColor.
  void LinePrepareCanvas(TCanvas3D* ACanvas, TColor AColor);
  // The pixel, on the value axis, of the straight line between points
  // ValueIndex and OtherIndex at position XValue of the index axis.
  int32_t CalcPosLeftRight(double XValue, int32_t ValueIndex, int32_t OtherIndex) const;
  // The effect's colour during a shadow, emboss or outline pass.
  TColor GetValueColor(int32_t ValueIndex) const override;
  // AColor when ColorEachPoint, else AreaColor unless that is clDefault.
  TColor GetAreaBrushColor(TColor AColor) const;

  // ---- Stacking, origins, ranges, margins (CustomSeriesStack.cpp) ----
  // Series of the same class (or one derived from the other) stack
  // together.
  virtual bool SameClassOrigin(const TCustomSeries* Series) const;
  // The sum of the origin values of point ValueIndex over the stacking
  // series before this one (SumAll: over all of them, in absolute value).
  double PointOrigin(int32_t ValueIndex, bool SumAll) const;
  int32_t CalcStackedPos(int32_t ValueIndex, double Value) const;
  // The value-axis pixel under point ValueIndex: the top of the series
  // below when stacked, else the axis edge where values start.
  virtual int32_t GetOriginPos(int32_t ValueIndex) const;
  int32_t CalcXPos(int32_t ValueIndex) const override;
  int32_t CalcYPos(int32_t ValueIndex) const override;
  // The smallest (IsMin) or largest mandatory value of the painted points.
  virtual double CalcMinMaxValue(bool IsMin) const;
  double MaxXValue() const override;
  double MaxYValue() const override;
  double MinXValue() const override;
  double MinYValue() const override;
  void CalcZOrder() override;
  bool IsPointInChartRect(int32_t ValueIndex) const override;
  void CalcFirstLastVisibleIndex() override;
  void CalcHorizMargins(int32_t& LeftMargin, int32_t& RightMargin) override;
  void CalcVerticalMargins(int32_t& TopMargin, int32_t& BottomMargin) override;
  virtual int32_t CalcMarkLength();
  void DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position) override;

  // ---- Pointers, clicks and hover (CustomSeriesMouse.cpp) ----
  TSeriesPointerStyle DoGetPointerStyle(int32_t ValueIndex);
  // Before a pointer is hit-tested (kinds size it per point).
  virtual void PreparePointer(int32_t ValueIndex);
  virtual void DrawPointer(int32_t AX, int32_t AY, TColor AColor, int32_t ValueIndex);
  bool ClickedPointer(int32_t ValueIndex, int32_t X, int32_t Y, const TPoint& P) override;
  int32_t Clicked(int32_t X, int32_t Y) override;
  using TCustomLineSeries::Clicked;
  void MouseDown(int32_t ValueIndex, bool OnPointer, TMouseButton Button, TShiftState Shift, int32_t X,
                 int32_t Y) override;
  bool RaiseClicked() const override;
  bool HoverEnabled() const override;
  bool HoverPointerEnabled() const;
  int32_t HoverOverPointer() const;
  // The segment from point ValueIndex to the next is highlighted: the
  // canvas pen becomes the hover pen.
  bool PrepareHoverPen(int32_t ValueIndex) override;
  bool PreparePointerHoverPen(int32_t ValueIndex);
  bool ShouldHoverMark(int32_t ValueIndex) const override;

  // ---- Whole-series path, effects, legend (CustomSeriesPath.cpp) ----
  // Draws the series as one path; False (drawing nothing) when the
  // settings do not allow it.
  bool DoDrawAll(TZuzPen* APen, TColor AColor);
  void DrawLegendShape(int32_t ValueIndex, const TRect& Rect) override;

  // ---- Settings ----
  TZuzBrush* AreaChartBrush() const { return FAreaBrush.get(); }
  void SetAreaChartBrush(TZuzBrush* Value);
  TBrushStyle AreaBrush() const;
  void SetAreaBrush(TBrushStyle Value);
  TColor AreaColor() const { return FAreaColor; }
  void SetAreaColor(TColor Value);
  TZuzPen* AreaLinesPen() const { return FAreaLinesPen.get(); }
  void SetAreaLinesPen(TZuzPen* Value);
  bool ClickableLine() const { return FClickableLine; }
  void SetClickableLine(bool Value) { FClickableLine = Value; }
  int32_t ClickTolerance() const { return FClickTolerance; }
  void SetClickTolerance(int32_t Value) { FClickTolerance = Value; }
  bool ColorEachLine() const { return FColorEachLine; }
  void SetColorEachLine(bool Value);
  bool Dark3D() const { return FDark3D; }
  void SetDark3D(bool Value);
  bool DrawArea() const { return FDrawArea; }
  void SetDrawArea(bool Value);
  bool DrawLine() const { return FDrawLine; }
  void SetDrawLine(bool Value);
  TCustomSeriesDrawStyle DrawStyle() const { return FDrawStyle; }
  void SetDrawStyle(TCustomSeriesDrawStyle Value);
  TZuzEmboss* Emboss() const { return FEmboss.get(); }
  void SetEmboss(TZuzEmboss* Value);
  TZuzGradient* Gradient() const { return GetGradient(); }
  // The series brush's gradient (the area brush's for area series).
  virtual TZuzGradient* GetGradient() const;
  void SetGradient(TZuzGradient* Value);
  bool InflateMargins() const { return FInflateMargins; }
  void SetInflateMargins(bool Value);
  bool InvertedStairs() const { return FInvertedStairs; }
  void SetInvertedStairs(bool Value);
  TBrushStyle LineBrush() const;
  void SetLineBrush(TBrushStyle Value);
  int32_t LineHeight() const { return FLineHeight; }
  void SetLineHeight(int32_t Value);
  // Made hidden on first read.
  TZuzHiddenPen* OutLine();
  TZuzHiddenPen* OutLineIfAny() const { return FOutLine.get(); }
  // nullptr frees the outline.
  void SetOutLine(TZuzHiddenPen* Value);
  TSeriesPointerItems* Pointer() const { return FPointer.get(); }
  void SetPointer(TSeriesPointer* Value);
  bool PointerBehind() const { return FPointerBehind; }
  void SetPointerBehind(bool Value);
  TZuzShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(TZuzShadow* Value);
  TCustomSeriesStack Stacked() const { return FStacked; }
  // Also every line-family series of this class or an ancestor class in
  // the chart.
  void SetStacked(TCustomSeriesStack Value);
  bool Stairs() const { return FStairs; }
  void SetStairs(bool Value);
  bool Dirty() const { return FDirty; }

  TSeriesClickPointerEvent OnClickPointer;
  TOnGetPointerStyle OnGetPointerStyle;

  // The fraction of the points the whole-series path shows (animations).
  float DisplayLast = 1.0f;

protected:
  TCanvas3D* Canvas() const;
  bool Is3D() const;
  // Pixel positions of point i (drawing helpers of the kinds).
  TPoint PointPos(int32_t ValueIndex) const { return TPoint{CalcXPos(ValueIndex), CalcYPos(ValueIndex)}; }

  bool FDrawArea = false;
  bool FDrawLine = false;

  // The state of a point-by-point pass.
  int32_t BottomPos = 0;
  int32_t OldBottomPos = 0;
  int32_t OldX = 0;
  int32_t OldY = 0;
  TColor OldColor = clNone;
  double tmpDark3DRatio = 1;
  bool HasTemplate = false;
  TRect IClientRect;

private:
  // Point by point.
  void DrawPoint(int32_t ValueIndex, bool DrawPointers);
  void DrawPreviousPoint(int32_t ValueIndex);
  void DrawPointers(int32_t ValueIndex);
  void DrawLine2D(int32_t ValueIndex, TColor AColor);
  void DrawLinePlane(int32_t ValueIndex, TColor FillColor);
  void DrawStairs(TColor FillColor);
  void InternalDrawArea(int32_t ValueIndex, TColor AColor);
  void DarkFace(TColor FillColor, const std::function<void()>& Face);
  void TryFixOverflowCoordinates(int32_t ValueIndex, int32_t& AX, int32_t& AY, int32_t& BX, int32_t& BY) const;
  void PointByPoint();
  // Effects.
  void DrawShadowEmboss(TZuzShadow* Effect, int32_t Sign);
  void DrawOutline();
  // The visual template: placed over the series before the pass, then fed
  // the points (chart height up) instead of drawing the 3D line.
  // False without a template or when nothing it takes is drawn.
  bool DrawTemplate();
  void AddTemplatePoint(int32_t ValueIndex, int32_t X, int32_t Y);
  void ShiftAxes(int32_t DX, int32_t DY);
  void InternalCalcMargin(bool SameSide, bool Horizontal, int32_t& A, int32_t& B);
  bool SegmentClicked(int32_t PX, int32_t PY, int32_t X, int32_t Y, const TPoint& P) const;
  void DrawLineSymbol(int32_t ValueIndex, const TRect& Rect, TColor AColor, bool Filled);
  // During a shadow, emboss or outline pass: the effect's colour.
  TColor LineColor() const;
  bool PenShown() const;
  bool PointerShown() const;
  bool EachLine() const { return FColorEachLine && !IEffectPass; }

  std::unique_ptr<TZuzBrush> FAreaBrush;
  TColor FAreaColor = clDefault;
  std::unique_ptr<TZuzPen> FAreaLinesPen;
  bool FClickableLine = true;
  int32_t FClickTolerance = 0;
  bool FColorEachLine = true;
  bool FDark3D = true;
  TCustomSeriesDrawStyle FDrawStyle = dsSegments;
  std::unique_ptr<TZuzEmboss> FEmboss;
  bool FInflateMargins = true;
  bool FInvertedStairs = false;
  int32_t FLineHeight = 0;
  std::unique_ptr<TZuzHiddenPen> FOutLine;
  std::unique_ptr<TSeriesPointerItems> FPointer;
  bool FPointerBehind = false;
  std::unique_ptr<TZuzShadow> FShadow;
  TCustomSeriesStack FStacked = cssNone;
  bool FStairs = false;
  bool FDirty = false;

  // Current point of a pass.
  int32_t IX = 0;
  int32_t IY = 0;
  TColor IColor = clNone;
  int32_t INeighbour = 0;
  // A shadow, emboss or outline pass: every painted point takes
  // IEffectColor; a shadow or emboss pass also hides pen and pointers.
  TColor IEffectColor = clNone;
  bool IEffectPass = false;
};

// One gallery sub-kind: its caption and what it changes on a preview.
struct TSeriesSubStyle {
  const String* Caption;
  void (*Apply)(TCustomSeries* Series);
};
// Adds the captions of Styles after the inherited "Normal".
void AddSubStyles(const TSubGalleryProc& AddSubChart, std::span<const TSeriesSubStyle> Styles);
// Applies sub-kind Index (1 is the first of Styles) to Series, when it is
// one of the line family; nothing for an index outside them.
void ApplySubStyle(TChartSeries* Series, std::span<const TSeriesSubStyle> Styles, int32_t Index);

// The names of the enumerations above, for the kinds' published properties.
const TEnumInfo& CustomSeriesDrawStyleInfo();
const TEnumInfo& CustomSeriesStackInfo();

// Draws Pointer as a legend symbol into Rect in Color.
void ZuzPointerDrawLegend(TSeriesPointer* Pointer, TColor Color, const TRect& Rect, TSeriesPointerStyle Style,
                          bool DrawPen);
