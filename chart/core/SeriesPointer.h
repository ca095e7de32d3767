#pragma once
// The marker drawn at a data point: a rectangle, circle, triangle, cross,
// diamond, hexagon, ring, arrow or a single pixel, flat or (in a 3D chart)
// as a solid, with its own pen, brush (and gradient), shadow, emboss,
// transparency and picture. Line, point and area series draw it for each
// point; a marks callout is one too.
//
// Sizes are half sizes in pixels (HorizSize, VertSize; at least 1), or one
// size for both (SizeFloat: pixels, or axis units with suAxis).
//
// Published (default): Brush, Dark3D (True), DarkPen (0), Depth (0),
// Draw3D (True), Emboss, FullGradient (stored when not its default),
// Gradient, HorizSize (4), InflateMargins (always), Pen, Picture, Shadow,
// SizeUnits (suPixels), Style (always), Transparency (0), VertSize (4),
// Visible, Selected. Main thread only.
#include "chart/core/ZuzShape.h"

#include <memory>

class TCanvas3D;
class TChartSeries;
class TZuzPicture;
class TZuzSelected;

enum TSeriesPointerStyle : uint8_t {
  psRectangle,
  psCircle,
  psTriangle,
  psDownTriangle,
  psCross,
  psDiagCross,
  psStar,
  psDiamond,
  psSmallDot,
  psNothing,
  psLeftTriangle,
  psRightTriangle,
  psHexagon,
  psVisual,
  psDonut,
  psArrow
};
enum TPointerSizeUnits : uint8_t { suPixels, suAxis };

class TSeriesPointer : public TZuzCustomShapeBrushPen {
public:
  // The series' chart as parent (none without a series).
  explicit TSeriesPointer(TChartSeries* ASeries);
  ~TSeriesPointer() override;
  String ClassName() const override;
  // Every setting but CenterPixel and Selected, then brush, pen, Visible.
  void Assign(TPersistent* Source) override;

  // Room at the axis ends for pointers at the extremes: each margin at
  // least the size plus the pen's half width (+1 horizontally), or plus 1
  // without a pen; only visible pointers with InflateMargins.
  void CalcHorizMargins(int32_t& Left, int32_t& Right) const;
  void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) const;
  // The half sizes in pixels.
  void CalcSize(int32_t& Horiz, int32_t& Vert) const;
  // Pen and brush for a point of colour PointColor.
  void PrepareCanvas(TCanvas3D* ACanvas, TColor PointColor);
  void Prepare();
  // One marker at (X, Y) on the chart canvas (3D in a 3D chart).
  void Draw(int32_t X, int32_t Y);
  void Draw(const TPoint& P) { Draw(P.X, P.Y); }
  void Draw(int32_t X, int32_t Y, TColor Color, TSeriesPointerStyle AStyle);
  // One marker; the canvas must be prepared.
  void DrawPointer(TCanvas3D* ACanvas, bool Is3D, int32_t PX, int32_t PY, int32_t Horiz, int32_t Vert, TColor Color,
                   TSeriesPointerStyle AStyle);
  // A marker of AStyle centred at (X, Y) holds P.
  bool Clicked(TSeriesPointerStyle AStyle, const TPoint& P, int32_t X, int32_t Y);

  bool Dark3D() const { return FDark3D; }
  void SetDark3D(bool Value);
  int32_t DarkPen() const { return FDarkPen; }
  void SetDarkPen(int32_t Value);
  int32_t Depth() const { return FDepth; }
  void SetDepth(int32_t Value);
  bool Draw3D() const { return FDraw3D; }
  void SetDraw3D(bool Value);
  TZuzEmboss* Emboss();
  TZuzEmboss* EmbossIfAny() const { return FEmboss.get(); }
  void SetEmboss(TZuzEmboss* Value);
  bool FullGradient() const { return FFullGradient; }
  void SetFullGradient(bool Value);
  bool IsFullGradientStored() const { return FFullGradient != DefaultFullGradient; }
  TZuzGradient* Gradient() const;
  void SetGradient(TZuzGradient* Value);
  int32_t HorizSize() const { return FHorizSize; }
  // Values <= 0 are stored as 1.
  void SetHorizSize(int32_t Value);
  int32_t VertSize() const { return FVertSize; }
  void SetVertSize(int32_t Value);
  // The larger of the two; setting sets both.
  int32_t Size() const { return std::max(FHorizSize, FVertSize); }
  void SetSize(int32_t Value);
  // Without checks or repaint (for series that size pointers as they draw).
  void ChangeHorizSize(int32_t Value) { FHorizSize = Value; }
  void ChangeVertSize(int32_t Value) { FVertSize = Value; }
  bool InflateMargins() const { return FInflate; }
  void SetInflateMargins(bool Value);
  bool CenterPixel() const { return FCenterPixel; }
  void SetCenterPixel(bool Value);
  TZuzPicture* Picture();
  TZuzPicture* PictureIfAny() const { return FPicture.get(); }
  void SetPicture(TZuzPicture* Value);
  TZuzShadow* Shadow();
  TZuzShadow* ShadowIfAny() const { return FShadow.get(); }
  void SetShadow(TZuzShadow* Value);
  float SizeFloat() const { return FSizeFloat; }
  void SetSizeFloat(float Value) { FSizeFloat = Value; }
  TPointerSizeUnits SizeUnits() const { return FSizeUnits; }
  void SetSizeUnits(TPointerSizeUnits Value) { FSizeUnits = Value; }
  TSeriesPointerStyle Style() const { return FStyle; }
  void SetStyle(TSeriesPointerStyle Value);
  TZuzTransparency Transparency() const { return FTransparency; }
  void SetTransparency(TZuzTransparency Value);
  TColor Color() const;
  void SetColor(TColor Value);
  TZuzSelected* Selected();
  TZuzSelected* SelectedIfAny() const { return FSelected.get(); }
  void SetSelected(TZuzSelected* Value);
  TChartSeries* Series() const { return FSeries; }

  bool AllowChangeSize = true;
  bool DefaultFullGradient = false;
  // The depth when the pointer has no series.
  int32_t Z = 0;

  // The pointer's depths: its own depth around the series' middle, else
  // the series' front and back.
  void DepthRange(int32_t& StartZ, int32_t& MiddleZ, int32_t& EndZ) const;

private:
  TCanvas3D* ChartCanvas() const;
  template <class T>
  void Change(T& Field, T Value);

  bool FDark3D = true;
  int32_t FDarkPen = 0;
  int32_t FDepth = 0;
  bool FDraw3D = true;
  std::unique_ptr<TZuzEmboss> FEmboss;
  bool FFullGradient = false;
  int32_t FHorizSize = 4;
  bool FInflate = true;
  bool FCenterPixel = true;
  std::unique_ptr<TZuzPicture> FPicture;
  TChartSeries* FSeries;
  std::unique_ptr<TZuzShadow> FShadow;
  float FSizeFloat = 0;
  TPointerSizeUnits FSizeUnits = suPixels;
  TSeriesPointerStyle FStyle = psRectangle;
  TZuzTransparency FTransparency = 0;
  int32_t FVertSize = 4;
  std::unique_ptr<TZuzSelected> FSelected;
};
