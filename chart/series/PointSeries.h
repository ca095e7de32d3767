#pragma once
// The point series: a pointer at each point, no line and no area; the base
// of the Gantt, arrow and bubble series.
//
// Published besides the series' (default): ClickableLine (True),
// ClickTolerance (0), Pointer, OnClickPointer. Main thread only.
#include "chart/series/CustomSeries.h"

class TPointSeries : public TCustomSeries {
public:
  explicit TPointSeries(TComponent* AOwner);
  String ClassName() const override;
  // The series', then the point settings again.
  void Assign(TPersistent* Source) override;
  String GetEditorClass() const override;
  // "Normal", "Colors", "Marks", "Hollow", "No Border", "Gradient", and
  // with CanDoExtra "Point 2D" and the pointer styles.
  void CreateSubGallery(const TSubGalleryProc& AddSubChart) override;
  void SetSubGallery(TChartSeries* ASeries, int32_t Index) override;
  // Switched on, the pointer takes each point's colour.
  void SetColorEachPoint(bool Value) override;
  // The pointer is as transparent as the series.
  void SetTransparency(uint8_t Value) override;
  // Derived series that cannot show the pointer styles answer False.
  virtual bool CanDoExtra() const { return true; }
  // A gallery preview: pointers of half-size 6 (4 in a chart narrower
  // than 50 pixels); the second series of the preview in triangles.
  void PrepareForGallery(bool IsEnabled);

protected:
  // Pointer visible, no area, no line, clicks on pointers only.
  void SetFixed();
};
