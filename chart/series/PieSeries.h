#pragma once
// The pie series: each point a slice whose angle is proportional to the
// point's absolute value.
//
// Before each paint the values are sorted when their order asks for it,
// the X values are renumbered 0, 1, 2 ..., and with OtherSlice active the
// points below OtherSlice.Value (of the value, or of the percentage) are
// grouped: they get X -1 and no slice, and one point labelled
// OtherSlice.Text ("Other", X 2147483647) carrying their sum is added at
// the end for this paint only (never saved). The slice angles (radians,
// before rotation) are then computed on first need: they span AngleSize
// degrees in point order.
//
// Several pies in one chart share its area in a grid (mpAutomatic), each
// use all of it (mpDisabled), or nest as rings (mpConcentric: the first is
// the innermost disc). Slices are drawn in point order in 2D and on canvases
// that rotate freely, else back to front; exploded slices move out by
// their ExplodedSlice percent of the radius (the circle shrinks so that
// they stay inside), DonutPercent leaves a hole, the bevel draws a lighter
// outer ring. Marks sit outside the pie with a callout (or inside the
// slices), kept from overlapping the previous slice's mark; the grouped
// points leave the chart's legend and can be listed in OtherSlice.Legend.
//
// Published (default): AngleSize (360), Bevel, BevelPercent (0),
// CircleBackColor (clDefault), ColorEachPoint (True), Dark3D (True),
// DarkPen (0), EdgeStyle (edNone), ExplodeBiggest (0), Gradient,
// GradientBright (0), MultiPie (mpAutomatic), OtherSlice, PieMarks,
// PiePen, RotationAngle (0), Transparency (0), UsePatterns (False), besides
// the circled series'. Main thread only.
#include "chart/canvas/CanvasTypes.h"
#include "chart/series/CircledSeries.h"

#include <memory>
#include <vector>

class TChartLegend;
class TCustomChartLegend;
class TPieSeries;

struct TPieAngle {
  double StartAngle = 0;
  double MidAngle = 0;
  double EndAngle = 0;
};
using TPieAngles = std::vector<TPieAngle>;

// Per-point integers (explode and height percent): reading past the end
// gives 0, writing past it pads with zeros.
class TSliceValueList {
public:
  explicit TSliceValueList(TPieSeries* AOwner) : OwnerSeries(AOwner) {}
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  int32_t Get(int32_t Index) const;
  // Repaints the pie when the value changed.
  void Put(int32_t Index, int32_t Value);
  void Assign(const TSliceValueList& Source) { FItems = Source.FItems; }
  void Clear() { FItems.clear(); }
  void Delete(int32_t Index);
  void Exchange(int32_t A, int32_t B);
  bool Empty() const { return FItems.empty(); }
  TPieSeries* OwnerSeries;

private:
  std::vector<int32_t> FItems;
};

class TPieBevel : public TPersistent {
public:
  explicit TPieBevel(TPieSeries* ASeries) : ISeries(ASeries) {}
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  int32_t Bright() const { return FBright; }
  void SetBright(int32_t Value);
  int32_t Percent() const { return FPercent; }
  void SetPercent(int32_t Value);
  bool UseBorder() const { return FUseBorder; }
  void SetUseBorder(bool Value);

private:
  int32_t FBright = 32;
  int32_t FPercent = 0;
  bool FUseBorder = true;
  TPieSeries* ISeries;
};

enum TPieOtherStyle : uint8_t { poNone, poBelowPercent, poBelowValue };

class TPieOtherSlice : public TPersistent {
public:
  explicit TPieOtherSlice(TPieSeries* AOwner);
  ~TPieOtherSlice() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // The legend of the grouped points, made on first read (hidden).
  TChartLegend* Legend();
  TChartLegend* LegendIfAny() const { return FLegend.get(); }
  void SetLegend(TChartLegend* Value);
  TPieOtherStyle Style() const { return FStyle; }
  void SetStyle(TPieOtherStyle Value);
  // "Other" when empty.
  String Text() const;
  void SetText(const String& Value);
  bool IsTextStored() const { return !FText.isEmpty(); }
  double Value() const { return FValue; }
  void SetValue(double Value);

private:
  TColor FColor = clDefault;
  std::unique_ptr<TChartLegend> FLegend;
  TPieOtherStyle FStyle = poNone;
  String FText;
  double FValue = 0;
  TPieSeries* FOwner;
};

enum TRotateStyle : uint8_t { rsRadial, rsTangencial };

class TPieMarks : public TPersistent {
public:
  explicit TPieMarks(TPieSeries* AParent) : IParent(AParent) {}
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  bool EmptySlice() const { return FEmptySlice; }
  void SetEmptySlice(bool Value);
  bool InsideSlice() const { return FInsideSlice; }
  void SetInsideSlice(bool Value);
  int32_t LegSize() const { return FLegSize; }
  void SetLegSize(int32_t Value);
  bool Rotated() const { return FRotated; }
  void SetRotated(bool Value);
  TRotateStyle RotateStyle() const { return FRotateStyle; }
  void SetRotateStyle(TRotateStyle Value);
  bool VertCenter() const { return FVertCenter; }
  void SetVertCenter(bool Value);

private:
  void Change(bool& Field, bool Value);
  bool FEmptySlice = false;
  bool FInsideSlice = false;
  int32_t FLegSize = 0;
  bool FRotated = false;
  TRotateStyle FRotateStyle = rsRadial;
  bool FVertCenter = false;
  TPieSeries* IParent;
};

enum TMultiPie : uint8_t { mpAutomatic, mpDisabled, mpConcentric };
enum TTailAlign : uint8_t;
enum TTailEdge : uint8_t;

class TPieSeries : public TCircledSeries {
public:
  // X of the added other slice, and of a point grouped into it.
  static constexpr double OtherSliceX = 2147483647;
  static constexpr double GroupedX = -1;

  explicit TPieSeries(TComponent* AOwner);
  ~TPieSeries() override;
  String ClassName() const override;
  String GetEditorClass() const override;
  void SetParentChart(TCustomAxisPanel* Value) override;
  void AssignFormatting(TChartSeries* Source) override;
  int32_t AddPie(double Value, const String& Label = String(), TColor Color = clDefault);

  // ---- Data (PieSeries.cpp) ----
  void DoBeforeDrawChart() override;
  void CalcFirstLastVisibleIndex() override;
  // The angles, computed on first need in a paint.
  const TPieAngles& Angles();
  void CheckAngles();
  // The point was grouped into the other slice.
  bool BelongsToOtherSlice(int32_t ValueIndex) const { return XValue(ValueIndex) == GroupedX; }
  void RemoveOtherSlice();
  void Clear() override;
  void Delete(int32_t ValueIndex) override;
  using TCircledSeries::Delete;
  void SwapValueIndex(int32_t A, int32_t B) override;
  double MaxXValue() const override;
  double MinXValue() const override;
  double MaxYValue() const override;
  double MinYValue() const override;
  int32_t CalcXPos(int32_t ValueIndex) const override;
  void CalcZOrder() override { IZOrder = -1; }
  bool MoreSameZOrder() const override { return false; }
  bool HasPointLabels() const override { return true; }

  // ---- Layout and drawing (PieSeriesDraw.cpp) ----
  void DoBeforeDrawValues() override;
  void DoAfterDrawValues() override;
  void DrawAllValues() override;
  void DrawValue(int32_t ValueIndex) override;
  virtual void DrawPie(int32_t ValueIndex);
  // How far slice ValueIndex moves out (DX right, DY up).
  void CalcExplodedOffset(int32_t ValueIndex, int32_t& DX, int32_t& DY) const;
  // The radii grown by the slice's explode percent.
  void CalcExplodedRadius(int32_t ValueIndex, int32_t& AXRadius, int32_t& AYRadius) const;
  int32_t SliceEndZ(int32_t ValueIndex) const;
  TBrushStyle SliceBrushStyle(int32_t ValueIndex) const;
  void PreparePiePen(int32_t ValueIndex);
  // The slice under (X, Y) (moved out when Exploded), or -1.
  int32_t CalcClickedPie(int32_t X, int32_t Y, bool Exploded);
  int32_t Clicked(int32_t X, int32_t Y) override;
  using TCircledSeries::Clicked;
  void CalcSelectionPos(int32_t ValueIndex, int32_t& X, int32_t& Y) const override;
  // The visible slices back to front for a canvas that cannot rotate.
  std::vector<int32_t> CalcSortedSlices();
  void CalcExplodeBiggest();
  void CreateSubGallery(const TSubGalleryProc& AddSubChart) override;
  void SetSubGallery(TChartSeries* ASeries, int32_t Index) override;

  // ---- Marks and legend (PieMarks.cpp) ----
  void DrawMarks() override;
  void DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position) override;
  // The tail edge for a mark at Angle; sets its alignment.
  TTailEdge GetMarkQuadrant(TTailAlign& Align, double Angle) const;
  // The tail's tip near (X, Y) at depth Z.
  TPoint GetTailEnd(int32_t X, int32_t Y, TTailAlign Align, TTailEdge Edge, int32_t Z, int32_t Margin) const;
  int32_t CountLegendItems() const override;
  int32_t LegendToValueIndex(int32_t LegendIndex) const override;
  int32_t CalcLegendIndex(int32_t LegendIndex) const override { return LegendToValueIndex(LegendIndex); }
  void PrepareLegendCanvas(int32_t ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void DrawLegendShape(int32_t ValueIndex, const TRect& Rect) override;
  // Draws OtherSlice.Legend listing the grouped points.
  void DrawOtherLegend();

  // ---- Settings ----
  int32_t AngleSize() const { return FAngleSize; }
  void SetAngleSize(int32_t Value);
  TPieBevel* Bevel() const { return FBevel.get(); }
  void SetBevel(TPieBevel* Value) { FBevel->Assign(Value); }
  int32_t BevelPercent() const { return FBevel->Percent(); }
  void SetBevelPercent(int32_t Value) { FBevel->SetPercent(Value); }
  bool Dark3D() const { return FDark3D; }
  void SetDark3D(bool Value);
  int32_t DarkPen() const { return FDarkPen; }
  void SetDarkPen(int32_t Value);
  int32_t DonutPercent() const { return FDonutPercent; }
  void SetDonutPercent(int32_t Value);
  TEdgeStyle EdgeStyle() const { return FEdgeStyle; }
  void SetEdgeStyle(TEdgeStyle Value);
  TSliceValueList& ExplodedSlice() { return FExplodedSlice; }
  const TSliceValueList& ExplodedSlice() const { return FExplodedSlice; }
  int32_t ExplodeBiggest() const { return FExplodeBiggest; }
  void SetExplodeBiggest(int32_t Value);
  int32_t GradientBright() const { return FGradientBright; }
  void SetGradientBright(int32_t Value);
  TMultiPie MultiPie() const { return FMultiPie; }
  void SetMultiPie(TMultiPie Value);
  TPieOtherSlice* OtherSlice() const { return FOtherSlice.get(); }
  void SetOtherSlice(TPieOtherSlice* Value) { FOtherSlice->Assign(Value); }
  TPieMarks* PieMarks() const { return FPieMarks.get(); }
  void SetPieMarks(TPieMarks* Value) { FPieMarks->Assign(Value); }
  TZuzPen* PiePen() const { return Pen(); }
  void SetPiePen(TZuzPen* Value) { SetPen(Value); }
  TSliceValueList& SliceHeight() { return FSliceHeights; }
  const TSliceValueList& SliceHeight() const { return FSliceHeights; }
  bool UsePatterns() const { return FUsePatterns; }
  void SetUsePatterns(bool Value);
  bool AutoMarkPosition();
  void SetAutoMarkPosition(bool Value);

protected:
  void ClearLists() override;
  void InitCustom3DOptions(TView3DOptions* Options) override;
  void CheckOtherSeriesMarks() override {}

private:
  void CalcAngles();
  // The layouts of several pies.
  void GuessRectangle();
  void PrepareConcentric();
  int32_t PieCount() const;
  int32_t PieIndex() const;
  int32_t CalcMaxExplodedIndex() const;
  void ExplodeCircleRect();
  void DrawPieShadow();
  void DrawSortedSlices();
  bool IsOtherSlicePoint(int32_t ValueIndex) const { return XValue(ValueIndex) == OtherSliceX; }
  // The mark of a slice moved clear of the previous slice's mark.
  void AntiOverlap(int32_t ValueIndex, TSeriesMarkPosition& Position);

  int32_t FAngleSize = 360;
  std::unique_ptr<TPieBevel> FBevel;
  bool FDark3D = true;
  int32_t FDarkPen = 0;
  int32_t FDonutPercent = 0;
  TEdgeStyle FEdgeStyle = edNone;
  TSliceValueList FExplodedSlice;
  int32_t FExplodeBiggest = 0;
  int32_t FGradientBright = 0;
  TMultiPie FMultiPie = mpAutomatic;
  std::unique_ptr<TPieOtherSlice> FOtherSlice;
  std::unique_ptr<TPieMarks> FPieMarks;
  TSliceValueList FSliceHeights;
  bool FUsePatterns = false;
  bool FAutoMarkPointer = false;
  TRect IOldChartRect;
  int32_t IOldDonut = 0;
  bool IHideSides = false;
  bool IChangedChartRect = false;
  TPieAngles FAngles;
  bool IsExploded = false;
  // The legend being drawn when it is the other slice's.
  TCustomChartLegend* ILegend = nullptr;
};

// Color darkened (Amount < 0) or brightened (Amount > 0) by |Amount| per
// channel; 0 keeps it. Kept in its own namespace: the grid library has a
// ChangeColor of its own, by percent, and a program links both.
namespace ZuzPie {
TColor ChangeColor(TColor Color, int32_t Amount);
} // namespace ZuzPie

void RegisterZuzPieSeries();
