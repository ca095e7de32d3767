#pragma once
// The fast line: a series drawn as one line through its points, with none
// of the pointers, areas or per-point styling of the general line series.
// Every chart window of the program draws its traces with it: long,
// growing data on one axis pair each.
//
// Drawing (one full draw, DrawAllValues): the pen starts at the point
// before the first visible one and each visible point is drawn to in turn
// (DrawValue): with the defaults (DrawAllPoints, TreatNulls tnIgnore) at
// once; otherwise after the thinning and null tests below. The segments of
// a 2D full draw are handed to the canvas together (SegmentPolyline), so
// an anti-aliased canvas draws them without stroking each one apart.
// DrawStyle flAll draws the visible range as one polyline instead (only in
// 2D, with every point, tnIgnore and no stairs).
//
// Thinning without DrawAllPoints: daFirst draws the first point of each
// pixel column only; daMinMax draws to the first point of a column and
// then the column's vertical span from its lowest to its highest point.
// Null points: tnIgnore draws them at their value, tnSkip bridges the gap
// from the last point drawn, tnDontPaint leaves a gap into and out of them.
//
// A new point with AutoRepaint off (NotifyNewValue) draws only its own
// segment on the chart's canvas: no OnAfterAdd, no linked series told, no
// repaint.
//
// Published (default): AutoRepaint (True), ClickTolerance (0),
// DrawAllPoints (True), DrawAllPointsStyle (daFirst), DrawStyle
// (flSegments), FastPen (False), IgnoreNulls (True), InvertedStairs
// (False), LinePen, Stairs (False), TreatNulls (tnIgnore), besides the
// series'. Main thread only.
#include "chart/core/ChartSeries.h"

#include <vector>

class TCanvas3D;
class TZuzPen;

enum TDrawAllPointsStyle : uint8_t { daFirst, daMinMax };
enum TFastLineDrawStyle : uint8_t { flSegments, flAll };

// A series with a line pen (the element's Pen).
class TCustomLineSeries : public TChartSeries {
public:
  explicit TCustomLineSeries(TComponent* AOwner);
  String ClassName() const override;
  TZuzPen* LinePen() const { return Pen(); }
  void SetLinePen(TZuzPen* Value) { SetPen(Value); }
};

class TFastLineSeries : public TCustomLineSeries {
public:
  explicit TFastLineSeries(TComponent* AOwner);
  ~TFastLineSeries() override;
  String ClassName() const override;

  // AutoRepaint, ClickTolerance and the seven switches of another fast
  // line, then the series'.
  void Assign(TPersistent* Source) override;
  // The series' formatting; the pen then shows in the series colour.
  void AssignFormatting(TChartSeries* Source) override;
  String GetEditorClass() const override;
  // The pen and the series colour are one.
  void SetPen(TZuzPen* Value) override;
  void SetSeriesColor(TColor Value) override;
  // Room for a thick pen at the axis ends: m = W - (W - 2) div 2 pixels
  // (W the pen width) both sides horizontally; vertically only where the
  // data reach the axis limits.
  void CalcHorizMargins(int32_t& LeftMargin, int32_t& RightMargin) override;
  void CalcVerticalMargins(int32_t& TopMargin, int32_t& BottomMargin) override;
  // "Normal", "Marks", "Dotted", "Stairs".
  void CreateSubGallery(const TSubGalleryProc& AddSubChart) override;
  void SetSubGallery(TChartSeries* ASeries, int32_t Index) override;

  bool CanBeforeParallel() const override { return ShouldDrawAsPolyline(); }
  // Anchors the pen at the point before the first visible one and fills
  // the polyline buffer when drawing as one polyline.
  void DoBeforeParallel() override;
  void DrawAllValues() override;
  void DrawValue(int32_t ValueIndex) override;
  // Without AutoRepaint only the new segment is drawn.
  void NotifyNewValue(TChartSeries* Sender, int32_t ValueIndex) override;
  // The series' range; without DrawAllPoints a lone visible point draws
  // nothing at index 0, and otherwise starts from the earliest point of
  // the column before it.
  void CalcFirstLastVisibleIndex() override;
  // The point at (X, Y), else the first point of a segment within
  // ClickTolerance + 1 pixels; -1.
  int32_t Clicked(int32_t X, int32_t Y) override;

  // The canvas pen from LinePen in the series colour (its own colour when
  // it has one), no brush, transparent text.
  void PrepareCanvas();
  void PrepareLegendCanvas(int32_t ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
  // The marks' arrow length applies first.
  void DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position) override;
  using TCustomLineSeries::Clicked;
  // A horizontal line across the middle of the legend row.
  void DrawLegendShape(int32_t ValueIndex, const TRect& Rect) override;

  // ---- Settings ----
  bool AutoRepaint() const { return FAutoRepaint; }
  void SetAutoRepaint(bool Value);
  int32_t ClickTolerance() const { return FClickTolerance; }
  void SetClickTolerance(int32_t Value);
  bool DrawAllPoints() const { return FDrawAll; }
  void SetDrawAllPoints(bool Value);
  TDrawAllPointsStyle DrawAllPointsStyle() const { return FDAPStyle; }
  void SetDrawAllPointsStyle(TDrawAllPointsStyle Value);
  TFastLineDrawStyle DrawStyle() const { return FDrawStyle; }
  void SetDrawStyle(TFastLineDrawStyle Value);
  bool FastPen() const { return FFastPen; }
  void SetFastPen(bool Value);
  bool IgnoreNulls() const { return FIgnoreNulls; }
  void SetIgnoreNulls(bool Value);
  bool InvertedStairs() const { return FInvertedStairs; }
  void SetInvertedStairs(bool Value);
  bool Stairs() const { return FStairs; }
  void SetStairs(bool Value);

  // Reuse the buffer's X (Y) pixels from the last pass instead of
  // computing them (nothing in the program sets them).
  bool ReuseXValues = false;
  bool ReuseYValues = false;

private:
  bool ShouldDrawAsPolyline() const;
  bool UseFastLine() const;
  bool Is3D() const;
  bool IsNewPixelPosition(int32_t X, int32_t Y) const;
  bool ShouldDrawPoint(int32_t ValueIndex, int32_t X, int32_t Y);
  void DoDrawPoint(int32_t X, int32_t Y);
  void DrawColumn();
  void MovePen(int32_t X, int32_t Y);
  void LineToPen(int32_t X, int32_t Y);
  void FlushRun();
  TCanvas3D* Canvas() const;
  // The pixel of a point: from the pass's buffers during a full draw.
  int32_t PointX(int32_t ValueIndex) const;
  int32_t PointY(int32_t ValueIndex) const;
  void MapRange(int32_t Start, int32_t Last, bool WithY);
  void DrawMinMaxColumns(int32_t From, int32_t Last);

  bool FAutoRepaint = true;
  int32_t FClickTolerance = 0;
  TDrawAllPointsStyle FDAPStyle = daFirst;
  bool FDrawAll = true;
  TFastLineDrawStyle FDrawStyle = flSegments;
  bool FFastPen = false;
  bool FIgnoreNulls = true;
  bool FInvertedStairs = false;
  bool FStairs = false;
  int32_t OldX = 0;
  int32_t OldY = 0;
  int32_t IMin = 0;
  int32_t IMax = 0;
  bool ISameX = false;
  std::vector<TPoint> IPoints;
  bool IDrawingAllValues = false;
  // Where the canvas pen is (OldX, OldY may move without it).
  TPoint IPen;
  // The connected segments of a full draw, not yet handed to the canvas.
  std::vector<TPoint> IRun;
  bool IBatching = false;
  // The pixels of the points IBase, IBase + 1 ... of the current full draw.
  std::vector<int32_t> IXPixels;
  std::vector<int32_t> IYPixels;
  int32_t IBase = 0;
  bool IMapped = false;
  // The last displayed index, fixed for a full draw.
  int32_t ILastDisplayed = -1;
};

// Registers the standard series kinds with the series gallery.
void RegisterZuzStandardSeries();
