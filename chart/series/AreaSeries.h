#pragma once
// The area series (the space between the line and its origin filled) and
// its horizontal twin. The origin is the axis edge where values start, the
// top of the series below when stacked, or YOrigin when UseYOrigin.
// MultiArea is Stacked seen as area stacking; only area series with equal
// StackGroup stack on each other.
//
// Published besides the series' (default): AreaBrush (bsSolid),
// AreaChartBrush, AreaColor (clDefault), AreaLinesPen, Brush,
// ClickableLine (True), ClickTolerance (0), ColorEachLine (True), Dark3D
// (True), DrawArea (False), DrawStyle (dsSegments), Gradient,
// InflateMargins (True), InvertedStairs (False), LinePen, MultiArea
// (maNone), Pointer, PointerBehind (False), Stairs (False), StackGroup
// (0), UseYOrigin (False), YOrigin, OnClickPointer. Main thread only.
#include "chart/series/CustomSeries.h"

enum TMultiArea : uint8_t { maNone, maStacked, maStacked100 };

class TAreaSeries : public TCustomSeries {
public:
  explicit TAreaSeries(TComponent* AOwner);
  String ClassName() const override;
  // Area and line drawn; YOrigin, StackGroup and UseYOrigin from another
  // area series, the pointer hidden for any other source.
  void Assign(TPersistent* Source) override;
  String GetEditorClass() const override;
  // "Normal", "Stairs", "Marks", "Colors", "Hollow", "No Lines", "Stack",
  // "Stack 100%", "Points", "Gradient".
  void CreateSubGallery(const TSubGalleryProc& AddSubChart) override;
  void SetSubGallery(TChartSeries* ASeries, int32_t Index) override;
  void DrawLegendShape(int32_t ValueIndex, const TRect& Rect) override;
  void PrepareLegendCanvas(int32_t ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
  // The extent on the value axis includes YOrigin when UseYOrigin.
  double MaxXValue() const override;
  double MaxYValue() const override;
  double MinXValue() const override;
  double MinYValue() const override;
  // Stacked areas draw forward unless the value axis is inverted.
  bool DrawSeriesForward(int32_t ValueIndex) const override;
  // Same class and the same stack group.
  bool SameClassOrigin(const TCustomSeries* Series) const override;
  int32_t GetOriginPos(int32_t ValueIndex) const override;
  void ResetBrush() override;
  TZuzGradient* GetGradient() const override;

  TMultiArea MultiArea() const;
  void SetMultiArea(TMultiArea Value);
  int32_t StackGroup() const { return FStackGroup; }
  void SetStackGroup(int32_t Value);
  bool UseYOrigin() const { return FUseOrigin; }
  void SetUseYOrigin(bool Value);
  double YOrigin() const { return FOrigin; }
  void SetYOrigin(double Value);

private:
  double FOrigin = 0;
  int32_t FStackGroup = 0;
  bool FUseOrigin = false;
};

class THorizAreaSeries : public TAreaSeries {
public:
  explicit THorizAreaSeries(TComponent* AOwner);
  String ClassName() const override;
  // The mark to the right of the point's end.
  void DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position) override;
};
