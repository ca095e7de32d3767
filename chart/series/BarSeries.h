#pragma once
// Bar series: vertical bars standing on the horizontal axis (TBarSeries)
// and horizontal bars standing on the vertical axis (THorizBarSeries), on
// their common base TCustomBarSeries.
//
// Two axis roles: the value axis (MandatoryAxis) carries the bar values,
// the category axis (NotMandatoryAxis) the positions the bars stand at.
// Layout (BarSeriesLayout.cpp), recomputed at the start of every paint:
//   - Bar group: the active series of one bar class that share the value
//     axis (both on standard axes, or on the same custom axis).
//   - MultiBar: mbNone draws every series centred over the category;
//     mbSide puts the group's series side by side in slots, slot 1
//     leftmost (topmost for horizontal bars); mbStacked stacks positive
//     values on the positive ones of the earlier series of the same
//     StackGroup and negative values on the negative ones; mbStacked100
//     scales each category's stack to 0..100; mbSideAll lays the series
//     one after the other along the category axis; mbSelfStack stacks the
//     points of one series in a single column (at SelfStack.Position, or
//     at the series' index in the chart).
//   - Width: BarWidthPercent of the category slot (AutoBarSize: of the
//     axis scale), shared by the slots; odd widths become even;
//     CustomBarWidth / CustomBarHeight fixes it in pixels.
//   - Side margins keep half a category free at both ends of the category
//     axis. MultiBar and SideMargins are kept equal across all bar series
//     of one class in a chart; a series joining the chart adopts the
//     layout of the chart's first bar series of its class.
// Drawing (BarSeriesDraw.cpp): fifteen styles in 2D and 3D, the pen drawn
// inside the bar, darkened pens, (value-relative) gradients, round
// corners, bevels, shadow and emboss, transparency and lines across bars
// at the value axis' ticks. A click finds the first visible bar whose
// shape (by BarStyle, not by OnGetBarStyle) holds the point.
//
// Published (default): AutoBarSize (False), BarBrush, BarPen, BarRound
// (brAtValue), BarStyle (bsRectangle), BarWidthPercent (70), BevelSize
// (1), ConePercent (0), CustomBarWidth / CustomBarHeight (0), Dark3D
// (True), DarkPen (0), DepthPercent (100), Emboss, Gradient,
// GradientRelative (False), MarksLocation (mlEnd), MarksOnBar (False),
// MultiBar (mbSide), OffsetPercent (0), RoundSize (16), SelfStack, Shadow,
// SideMargins (True), Sides (32), StackGroup (0), TickLines, UseYOrigin
// (True), YOrigin (0). Main thread only.
#include "chart/core/ChartSeries.h"

#include <memory>
#include <vector>

class TCanvas3D;
class TCustomBarSeries;
class TZuzBlend;
class TZuzEmboss;
class TZuzGradient;
class TZuzHiddenPen;
class TZuzShadow;

enum TMultiBar : uint8_t { mbNone, mbSide, mbStacked, mbStacked100, mbSideAll, mbSelfStack };
enum TMarksLocation : uint8_t { mlStart, mlCenter, mlEnd };
enum TBarStyle : uint8_t {
  bsRectangle,
  bsPyramid,
  bsInvPyramid,
  bsCilinder,
  bsEllipse,
  bsArrow,
  bsRectGradient,
  bsCone,
  bsBevel,
  bsSlantCube,
  bsDiamond,
  bsInvArrow,
  bsInvCone,
  bsCustom,
  bsRoundRectangle
};
enum TBarRound : uint8_t { brNone, brAtValue, brBothEnds };

using TGetBarStyleEvent = std::function<void(TCustomBarSeries* Sender, int32_t ValueIndex, TBarStyle& Style)>;
using TGetBarBoundsEvent = std::function<void(TCustomBarSeries* Sender, int32_t ValueIndex, TRect& R)>;

// Where the column of a self-stacked series stands.
class TSelfStack : public TPersistent {
public:
  explicit TSelfStack(TCustomBarSeries* AParent) : IParent(AParent) {}
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  double Position() const { return FPosition; }
  void SetPosition(double Value);
  bool UsePosition() const { return FUsePosition; }
  void SetUsePosition(bool Value);

private:
  bool FUsePosition = false;
  double FPosition = 0;
  TCustomBarSeries* IParent;
};

class TCustomBarSeries : public TChartSeries {
public:
  explicit TCustomBarSeries(TComponent* AOwner);
  ~TCustomBarSeries() override;
  String ClassName() const override;

  // Style, layout mode, origin, self-stack and stack group of another bar
  // series, then the series'.
  void Assign(TPersistent* Source) override;
  // The bar look (widths, rounding, bevel, cone, pens, emboss, shadow,
  // gradient rule, marks place, offset, side margins, tick lines); not
  // AutoBarSize, Sides nor BarStyle.
  void AssignFormatting(TChartSeries* Source) override;
  String GetEditorClass() const override;
  // Joins the chart and adopts the layout of its first bar series.
  void SetParentChart(TCustomAxisPanel* Value) override;
  int32_t AddBar(double Value, const String& Label = String(), TColor Color = clDefault);

  // ---- Layout (BarSeriesLayout.cpp) ----
  void DoBeforeDrawChart() override;
  void DoBeforeDrawValues() override;
  // The bar width in pixels from the layout pass.
  void CalcBarWidth();
  // Where point ValueIndex's bar starts on the value axis (see the
  // stacking rules at the top); SumAll gives the total of the absolute
  // values of the point's stack.
  virtual double PointOrigin(int32_t ValueIndex, bool SumAll) const;
  // The value-axis pixel of the bar's origin end; Default where bars
  // without origin start.
  int32_t InternalGetOriginPos(int32_t ValueIndex, int32_t Default) const;
  virtual int32_t GetOriginPos(int32_t ValueIndex) const = 0;
  // The value-axis pixel of the bar's value end.
  int32_t CalcValueEndPos(int32_t ValueIndex) const;
  // The left (top) edge of the bar on the category axis.
  int32_t CalcCategoryPos(int32_t ValueIndex) const;
  // Extents on the value axis with M the plain extreme of the values.
  double MaxMandatoryValue(double M) const;
  double MinMandatoryValue(double M) const;
  // The self-stack column value.
  double SelfStackColumn() const;
  TChartAxis* NotMandatoryAxis() const;
  void CalcZOrder() override;
  void CalcDepthPositions() override;
  bool MoreSameZOrder() const override;
  void CalcFirstLastVisibleIndex() override;
  bool IsPointInChartRect(int32_t ValueIndex) const override;
  bool DrawValuesForward() const override;
  bool DrawSeriesAscending() const override;
  std::vector<int32_t> SortDrawSeries(int32_t SeriesIndex, int32_t SeriesCount, int32_t ValueIndex) override;
  std::vector<int32_t> SortDrawPoints(int32_t First, int32_t Last) override;
  // The point order of a self-stacked column (below the origin first,
  // outwards); OwnOnly: only this series' values decide.
  std::vector<int32_t> DoSortSelfStacked(int32_t First, int32_t Last, bool OwnOnly) const;
  // Room for the bars at both ends of the category axis.
  int32_t BarMargin() const;
  // Room for the marks beyond the bars' ends.
  int32_t CalcMarkLength(int32_t ValueIndex);
  virtual int32_t InternalCalcMarkLength(int32_t ValueIndex);

  // ---- Drawing (BarSeriesDraw.cpp) ----
  void DrawValue(int32_t ValueIndex) override;
  virtual TRect CalcBarBounds(int32_t ValueIndex) = 0;
  // The bar of BarIndex between the value-axis pixels StartPos <= EndPos.
  void DrawBar(int32_t BarIndex, int32_t StartPos, int32_t EndPos);
  TBarStyle GetBarStyle(int32_t ValueIndex);
  // The canvas pen and brush for a bar of BarColor.
  void SetPenBrushBar(TColor BarColor, int32_t ValueIndex);
  void PrepareBarPen(int32_t ValueIndex);
  void BarRectangle(TColor BarColor, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, bool Rounded);
  void BarRectangle(TColor BarColor, const TRect& R, bool Rounded)
  {
    BarRectangle(BarColor, R.Left, R.Top, R.Right, R.Bottom, Rounded);
  }
  void PrepareLegendCanvas(int32_t ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void DrawLegendShape(int32_t ValueIndex, const TRect& Rect) override;
  void DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position) override;
  // The first visible point whose bar holds (X, Y), or -1.
  int32_t Clicked(int32_t X, int32_t Y) override;
  using TChartSeries::Clicked;
  // The bar of point ValueIndex holds P (by BarStyle).
  virtual bool InternalClicked(int32_t ValueIndex, const TPoint& P);
  bool SubGalleryStack() const { return true; }
  void CreateSubGallery(const TSubGalleryProc& AddSubChart) override;
  void SetSubGallery(TChartSeries* ASeries, int32_t Index) override;
  // Gallery preview: wide gradient bars over each other, darker pens.
  void PrepareForGallery();
  // Six, or the point count of another bar series of the chart.
  int32_t NumSampleValues() const;

  // ---- Settings ----
  bool AutoBarSize() const { return FAutoBarSize; }
  void SetAutoBarSize(bool Value);
  TZuzBrush* BarBrush() const { return Brush(); }
  void SetBarBrush(TZuzBrush* Value) { SetBrush(Value); }
  TZuzPen* BarPen() const { return Pen(); }
  void SetBarPen(TZuzPen* Value) { SetPen(Value); }
  TBarRound BarRound() const { return FBarRound; }
  void SetBarRound(TBarRound Value);
  TBarStyle BarStyle() const { return FBarStyle; }
  // bsRectangle switches the gradient off.
  void SetBarStyle(TBarStyle Value);
  int32_t BarWidthPercent() const { return FBarWidthPercent; }
  void SetBarWidthPercent(int32_t Value);
  int32_t BevelSize() const { return FBevelSize; }
  void SetBevelSize(int32_t Value);
  int32_t ConePercent() const { return FConePercent; }
  void SetConePercent(int32_t Value);
  int32_t CustomBarSize() const { return FCustomBarSize; }
  void SetCustomBarSize(int32_t Value);
  bool Dark3D() const { return FDark3D; }
  void SetDark3D(bool Value);
  int32_t DarkPen() const { return FDarkPen; }
  void SetDarkPen(int32_t Value);
  int32_t DepthPercent() const { return FDepthPercent; }
  void SetDepthPercent(int32_t Value);
  TZuzEmboss* Emboss() const { return FEmboss.get(); }
  void SetEmboss(TZuzEmboss* Value);
  TZuzGradient* Gradient() const;
  void SetGradient(TZuzGradient* Value);
  bool GradientRelative() const { return FGradientRelative; }
  void SetGradientRelative(bool Value);
  TMarksLocation MarksLocation() const { return FMarksLocation; }
  void SetMarksLocation(TMarksLocation Value);
  bool MarksOnBar() const { return FMarksOnBar; }
  void SetMarksOnBar(bool Value);
  TMultiBar MultiBar() const { return FMultiBar; }
  void SetMultiBar(TMultiBar Value);
  int32_t OffsetPercent() const { return FOffsetPercent; }
  void SetOffsetPercent(int32_t Value);
  int32_t RoundSize() const { return FRoundSize; }
  void SetRoundSize(int32_t Value);
  TSelfStack* SelfStack() const { return FSelfStack.get(); }
  void SetSelfStack(TSelfStack* Value);
  TZuzShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(TZuzShadow* Value);
  bool SideMargins() const { return FSideMargins; }
  void SetSideMargins(bool Value);
  int32_t Sides() const { return FSides; }
  void SetSides(int32_t Value);
  int32_t StackGroup() const { return FStackGroup; }
  void SetStackGroup(int32_t Value);
  // Created on first read (hidden, flat ends).
  TZuzHiddenPen* TickLines();
  void SetTickLines(TZuzHiddenPen* Value);
  bool UseYOrigin() const { return FUseOrigin; }
  void SetUseYOrigin(bool Value);
  double YOrigin() const { return FOrigin; }
  void SetYOrigin(double Value);
  bool AutoMarkPosition();
  void SetAutoMarkPosition(bool Value);
  const TRect& BarBounds() const { return FBarBounds; }

  TGetBarStyleEvent OnGetBarStyle;
  TGetBarBoundsEvent OnCalcBounds;

  // ---- Layout of the last paint ----
  int32_t INumBars = 0;
  int32_t IMaxBarPoints = 0;
  int32_t IOrderPos = 1;
  int32_t IPreviousCount = 0;
  int32_t IBarSize = 0;
  // Colour of the bar being drawn (the shadow's while a shadow draws).
  TColor NormalBarColor = clDefault;

protected:
  // Copies this series' MultiBar and SideMargins to every bar series of
  // its class (Propagate), or takes them from the first one.
  void SetOtherBars(bool Propagate);
  // Both series are in one bar group.
  bool InSameGroup(const TChartSeries* S) const;
  bool IsStacked() const { return FMultiBar == mbStacked || FMultiBar == mbStacked100; }
  TCanvas3D* Canvas() const;
  bool Is3D() const;
  int32_t ApplyBarOffset(int32_t Position) const;
  // The category-axis margins both sides (kinds add them to their axis).
  void InternalApplyBarMargin(int32_t& MarginA, int32_t& MarginB);
  // The value-axis room of marks and pen (L) at the side(s) of the origin.
  void ValueAxisMargins(int32_t MarkLength, bool Inverted, double MinValue, double MaxValue, int32_t& NearMargin,
                        int32_t& FarMargin);

  // ---- The kinds' shapes ----
  // The shapes of both kinds (BarSeriesShapes.cpp), in bar terms: across
  // the bar runs along the category axis, along it the value axis.
  void DrawBarShape(TBarStyle Style, int32_t StartPos, int32_t EndPos);
  virtual void DrawTickLine(int32_t Pos, TBarStyle Style);
  // The pixel of (Across, Along) for this kind.
  TPoint BarPoint(int32_t Across, int32_t Along) const
  {
    return Vertical() ? TPoint{Across, Along} : TPoint{Along, Across};
  }
  bool Vertical() const { return YMandatory; }
  void DrawTickLines(int32_t StartPos, int32_t EndPos, TBarStyle Style);
  void DrawCylinderTicks(int32_t Pos);
  void DrawBevel();
  bool CalcBarGradient(int32_t ValueIndex);
  void SwapGradientColors();
  std::unique_ptr<TZuzBlend> CreateBlend(TZuzTransparency T);
  void DoDrawBar(int32_t ValueIndex, TZuzTransparency T);
  void TryDrawShadow(int32_t ValueIndex, TZuzShadow* S);
  // Whether a depth line of a 3D rectangular bar at the tick is drawn at
  // the far edge (First) or the near edge, or not at all.
  int32_t DepthTickEdge() const;

  TRect FBarBounds;

private:
  bool FAutoBarSize = false;
  TBarRound FBarRound = brAtValue;
  TBarStyle FBarStyle = bsRectangle;
  int32_t FBarWidthPercent = 70;
  int32_t FBevelSize = 1;
  int32_t FConePercent = 0;
  bool FDark3D = true;
  int32_t FDarkPen = 0;
  int32_t FDepthPercent = 100;
  std::unique_ptr<TZuzEmboss> FEmboss;
  bool FGradientRelative = false;
  TMarksLocation FMarksLocation = mlEnd;
  bool FMarksOnBar = false;
  TMultiBar FMultiBar = mbSide;
  int32_t FOffsetPercent = 0;
  double FOrigin = 0;
  int32_t FRoundSize = 16;
  std::unique_ptr<TSelfStack> FSelfStack;
  std::unique_ptr<TZuzShadow> FShadow;
  bool FSideMargins = true;
  int32_t FSides = 32;
  int32_t FStackGroup = 0;
  std::unique_ptr<TZuzHiddenPen> FTickLines;
  bool FUseOrigin = true;
  int32_t FCustomBarSize = 0;
};

// Vertical bars.
class TBarSeries : public TCustomBarSeries {
public:
  explicit TBarSeries(TComponent* AOwner);
  String ClassName() const override;
  int32_t CustomBarWidth() const { return CustomBarSize(); }
  void SetCustomBarWidth(int32_t Value) { SetCustomBarSize(Value); }

  int32_t CalcXPos(int32_t ValueIndex) const override;
  int32_t CalcYPos(int32_t ValueIndex) const override;
  int32_t GetOriginPos(int32_t ValueIndex) const override;
  double MaxXValue() const override;
  double MinXValue() const override;
  double MaxYValue() const override;
  double MinYValue() const override;
  void CalcHorizMargins(int32_t& LeftMargin, int32_t& RightMargin) override;
  void CalcVerticalMargins(int32_t& TopMargin, int32_t& BottomMargin) override;
  void CalcSelectionPos(int32_t ValueIndex, int32_t& X, int32_t& Y) const override;
  bool DrawSeriesForward(int32_t ValueIndex) const override;
  TRect CalcBarBounds(int32_t ValueIndex) override;
  int32_t InternalCalcMarkLength(int32_t ValueIndex) override;
  void DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position) override;
};

// Horizontal bars: the vertical kind with the axes' roles exchanged.
class THorizBarSeries : public TCustomBarSeries {
public:
  explicit THorizBarSeries(TComponent* AOwner);
  String ClassName() const override;
  int32_t CustomBarHeight() const { return CustomBarSize(); }
  void SetCustomBarHeight(int32_t Value) { SetCustomBarSize(Value); }

  int32_t CalcXPos(int32_t ValueIndex) const override;
  int32_t CalcYPos(int32_t ValueIndex) const override;
  int32_t GetOriginPos(int32_t ValueIndex) const override;
  double MaxXValue() const override;
  double MinXValue() const override;
  double MaxYValue() const override;
  double MinYValue() const override;
  void CalcHorizMargins(int32_t& LeftMargin, int32_t& RightMargin) override;
  void CalcVerticalMargins(int32_t& TopMargin, int32_t& BottomMargin) override;
  void CalcSelectionPos(int32_t ValueIndex, int32_t& X, int32_t& Y) const override;
  // The points from last to first unless the vertical axis is inverted.
  bool InvertedLegend() const override;
  bool DrawValuesForward() const override;
  bool DrawSeriesAscending() const override;
  bool DrawSeriesForward(int32_t ValueIndex) const override;
  TRect CalcBarBounds(int32_t ValueIndex) override;
  int32_t InternalCalcMarkLength(int32_t ValueIndex) override;
  void DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position) override;
};

// The hatch of pattern number Index: horizontal, vertical, forward and
// backward diagonal, cross, diagonal cross, then again.
TBrushStyle GetDefaultPattern(int32_t Index);

void RegisterZuzBarSeries();
