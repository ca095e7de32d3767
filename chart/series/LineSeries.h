#pragma once
// The line series (points joined by a line, pointers hidden) and its
// horizontal twin (values on the horizontal axis, points ordered along the
// vertical one).
//
// Published besides the series' (default): Brush, ClickableLine (True),
// ClickTolerance (0), ColorEachLine (True), Dark3D (True), DrawStyle
// (dsSegments), Emboss, Gradient, InflateMargins (True), InvertedStairs
// (False), LineBrush (bsSolid), LineHeight (0), LinePen, OutLine, Pointer,
// PointerBehind (False), Shadow, Stacked (cssNone), Stairs (False),
// OnClickPointer. Main thread only.
#include "chart/series/CustomSeries.h"

class TLineSeries : public TCustomSeries {
public:
  explicit TLineSeries(TComponent* AOwner);
  String ClassName() const override;
  // The series'; a source that is no line series leaves the pointer
  // hidden. The line is drawn, the area not.
  void Assign(TPersistent* Source) override;
  // "Normal", "Stairs", "Points", "Height", "Hollow", "Colors", "Marks",
  // "No Border", "Outline".
  void CreateSubGallery(const TSubGalleryProc& AddSubChart) override;
  void SetSubGallery(TChartSeries* ASeries, int32_t Index) override;
  // LinePen in its own colour; the legend brush in LineBrush.
  void PrepareLegendCanvas(int32_t ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
};

class THorizLineSeries : public TLineSeries {
public:
  explicit THorizLineSeries(TComponent* AOwner);
  String ClassName() const override;
  // A mark of a point left of its origin goes to the left of the point.
  void DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position) override;
  // The widest mark text.
  int32_t CalcMarkLength() override;
};
