#pragma once
// The anti-aliased chart canvas: everything the GDI canvas draws in two
// dimensions is drawn here through a graphics object (GDIPlusGraphics.h)
// with smoothing, per-primitive alpha, gradient, hatch and picture brushes
// and text with a rendering hint. The third dimension, the buffer, the
// projection and the solids stay the GDI canvas's. Pens in XOR or NOT-XOR
// mode draw through a private GDI canvas, whose raster operations the
// anti-aliased surface does not have.
//
// Colours: a TColor with its high byte H under a canvas alpha A paints with
// alpha max(0, A - H); system colours are therefore invisible, and clNone
// paints nothing. Transparency holds the canvas alpha (255 opaque) instead
// of a percentage; BeginBlending multiplies it by the blend's share.
//
// Registered in the canvas kinds as "TGDIPlusCanvas" (RegisterGDIPlusCanvas).
#include "chart/canvas/ZuzCanvas3D.h"

#include <array>
#include <memory>
#include <vector>

class QFont;
class QImage;
class QPainterPath;
class QPointF;
class QRectF;
class QTransform;
class TGPBrush;
class TGPGraphics;
class TGPPen;
class TZuzGradientColor;
class TZuzShadow;
class TZuzTransform;
struct TEntityTransform;

using TGPColor = uint32_t;

enum TGDIPlusFontQuality : uint8_t { gpfBest, gpfDefault, gpfClearType, gpfNormal };

// What the GDI+ font was last built for.
struct TZuzFontCache {
  String Name;
  float Size = 0;
  TFontStyles Style = 0;
};

class TGDIPlusCanvas : public TZuzCanvas3D {
public:
  TGDIPlusCanvas();
  ~TGDIPlusCanvas() override;
  String ClassName() const override;

  using TZuzCanvas3D::Arc;
  using TZuzCanvas3D::ClipRectangle;
  using TZuzCanvas3D::CreatePath;
  using TZuzCanvas3D::Ellipse;
  using TZuzCanvas3D::GradientFill;
  using TZuzCanvas3D::Line;
  using TZuzCanvas3D::LineTo;
  using TZuzCanvas3D::LineTo3D;
  using TZuzCanvas3D::LineWithZ;
  using TZuzCanvas3D::MoveTo;
  using TZuzCanvas3D::MoveTo3D;
  using TZuzCanvas3D::Pie;
  using TZuzCanvas3D::Polyline;
  using TZuzCanvas3D::PolylineFloat;
  using TZuzCanvas3D::Rectangle;
  using TZuzCanvas3D::RoundRect;
  using TZuzCanvas3D::StretchDraw;
  using TZuzCanvas3D::TextOut;
  using TZuzCanvas3D::TextOut3D;

  // --- properties ----------------------------------------------------------------
  TGPGraphics* Graphics() { return GetGraphics(); }
  // The graphics object, bound on first use to the buffer (buffering on) or
  // to the reference canvas; nullptr without either.
  TGPGraphics* GetGraphics();
  float Scale() const { return FScale; }
  void SetScale(float Value);
  // The enlargement InitWindow applies to a window of that size: Scale,
  // with 1 for a value that is no positive number, and cut so that the
  // enlarged buffer stays within MaxScaledSide pixels a side and
  // MaxScaledPixels in all.
  double EffectiveScale(const TRect& UserRect) const;
  static constexpr double MaxScaledSide = 16384;
  static constexpr double MaxScaledPixels = 64.0 * 1024 * 1024;
  bool AntiAlias() const { return FAnti; }
  void SetAnti(bool Value);
  TGDIPlusFontQuality AntiAliasText() const { return GetAntiText(); }
  TGDIPlusFontQuality GetAntiText() const;
  void SetAntiText(TGDIPlusFontQuality Value);
  // The GDI+ font of the canvas font (nullptr before the first font change).
  const QFont* GPFont() const { return FGPFont.get(); }
  // The brush of the last fill, the pen of the last outline.
  const TGPBrush* GPBrush() const { return FGPBrush.get(); }
  const TGPPen* GPPen() const { return FGPPen.get(); }
  // The private GDI canvas that draws in XOR mode.
  TZuzCanvas3D* XORCanvas() const { return IXORCanvas.get(); }

  // --- colours ---------------------------------------------------------------------
  static TGPColor GDIPColor(TColor AColor, uint8_t Alpha);
  TGPColor GDIPColor(TColor AColor) const { return GDIPColor(AColor, Transparency); }
  // The alpha of a transparency percentage (0 opaque) on top of the canvas
  // alpha.
  uint8_t ApplyTransparency(TZuzTransparency Percent) const;

  // --- two-dimensional slots -----------------------------------------------------------
  void SetCanvas(TCanvas* Value) override;
  void DoChangedBrush(TZuzBrush* ABrush) override;
  void DoChangedFont() override;
  void DoChangedPen() override;
  void FastLineTo(int32_t X, int32_t Y) override;
  TColor GetBackColor() override { return FBackColor; }
  TCanvasBackMode GetBackMode() override { return FBackMode; }
  bool GetSupportsXORMode() override { return true; }
  int32_t GetTextAlign() override { return FTextAlign; }
  void SetAntiAlias(bool Value) override;
  void SetBackColor(TColor Color) override { FBackColor = Color; }
  void SetBackMode(TCanvasBackMode Mode) override { FBackMode = Mode; }
  void SetFastLine(bool Value) override;
  void SetInterCharSize(int32_t Value) override { FInterCharSize = Value; }
  void SetPixel(int32_t X, int32_t Y, TColor Value) override;
  void SetTextAlign(int32_t Align) override { FTextAlign = Align; }
  void SetUseBuffer(bool Value) override;
  std::unique_ptr<TZuzBlend> BeginBlending(const TRect& R, TZuzTransparency T) override;
  void EndBlending(std::unique_ptr<TZuzBlend> Blend) override;
  void Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t StartX, int32_t StartY, int32_t EndX,
           int32_t EndY) override;
  void Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, float StartAngle, float EndAngle) override;
  void ArcTo(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4,
             bool ClockWise) override;
  // Angles in degrees, counter-clockwise, as on the GDI canvas.
  void Donut(int32_t XCenter, int32_t YCenter, int32_t XRadius, int32_t YRadius, double StartAngle, double EndAngle,
             double HolePercent) override;
  void Draw(int32_t X, int32_t Y, const TGraphic* Graphic) override;
  void Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) override;
  void FillRect(const TRect& Rect) override;
  void LineTo(int32_t X, int32_t Y) override;
  void MoveTo(int32_t X, int32_t Y) override;
  void Pie(const TRect& R, double StartAngle, double EndAngle) override;
  void Pie(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4) override;
  void Rectangle(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) override;
  void RoundRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3) override;
  void StretchDraw(const TRect& Rect, const TGraphic* Graphic) override;
  void TextOut(int32_t X, int32_t Y, const String& Text) override;
  int32_t TextHeight(const String& St) override;
  TPointFloat TextSize(const String& St) override;
  int32_t TextWidth(const String& St) override;
  void ClipRectangle(const TRect& Rect) override;
  void ClipRectangle(const TRect& Rect, int32_t RoundX, int32_t RoundY) override;
  void ClipEllipse(const TRect& Rect, bool Inverted = false) override;
  void ClipPolygon(std::span<const TPoint> Points, int32_t NumPoints, bool DiffRegion = false) override;
  std::unique_ptr<TZuzBasePath> CreatePath(const TPointFloatArray& Points, const TPathPointTypes& Types) override;
  void Curve(std::span<const TPoint> Points, float Tension, bool Closed, float Z) override;
  void DoHorizLine(int32_t X0, int32_t X1, int32_t Y) override;
  void DoVertLine(int32_t X, int32_t Y0, int32_t Y1) override;
  void GradientFill(const TRect& Rect, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                    int32_t Balance = 50, int32_t RadialX = 0, int32_t RadialY = 0) override;
  void Line(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) override;
  void Polyline(std::span<const TPoint> Points) override;
  void SegmentPolyline(std::span<const TPoint> Points) override;
  void PolylineFloat(std::span<const TPointFloat> Points) override;
  void Polygon(std::span<const TPoint> Points) override;
  void PolygonFloat(std::span<const TPointFloat> Points) override;
  void RotateLabel(int32_t x, int32_t y, const String& St, double RotDegree, bool AllowHTML = false) override;
  void UnClipRectangle() override;

  // --- three-dimensional slots -----------------------------------------------------------
  TVisualBlock* BeginEntity(const String& Entity, TVisualBlock* Visual, TZuzTransform* Transform) override;
  void EndEntity() override;
  void DrawLighting(TEdgeStyle Edge, int32_t Z, const TRect& R0, const TRect& R1, const TRect& RInner,
                    int32_t StartAngle, int32_t EndAngle, const TPoint& Middle, bool IsDonut) override;
  bool CheckFastBrush() override { return false; }
  void SetPixel3D(int32_t X, int32_t Y, int32_t Z, TColor Value) override;
  void SmoothShadow(TZuzShadow* AShadow, const TRect& R, bool IsEllipse, int32_t RoundSize, std::span<const TPoint> P,
                    int32_t DonutPercent, double StartAngle, double EndAngle) override;
  String Description() override;
  String EditorClass() override;
  TRect InitWindow(TCanvas* DestCanvas, TView3DOptions* A3DOptions, TColor ABackColor, bool Is3D,
                   const TRect& UserRect) override;
  bool IsAvailable() override { return true; }
  void ShowImage(TCanvas* DestCanvas, TCanvas* DefaultCanvas, const TRect& UserRect) override;
  void HorizLine3D(int32_t Left, int32_t Right, int32_t Y, int32_t Z) override;
  void VertLine3D(int32_t X, int32_t Top, int32_t Bottom, int32_t Z) override;
  void ZLine3D(int32_t X, int32_t Y, int32_t Z0, int32_t Z1) override;
  void LineWithZ(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Z) override;
  void MoveTo3D(int32_t X, int32_t Y, int32_t Z) override;
  void LineTo3D(int32_t X, int32_t Y, int32_t Z) override;
  void RoundRectWithZ(const TRect& R, int32_t X, int32_t Y, int32_t Z) override;
  void TextOut3D(int32_t x, int32_t y, int32_t z, const String& Text, bool AllowHTML) override;

  // --- own operations --------------------------------------------------------------------
  // Fills and outlines Path with the canvas brush and pen.
  void Path(const QPainterPath& P);
  // Angles in degrees, counter-clockwise (as the Donut slot takes them).
  static void DonutPath(QPainterPath& Path, int32_t XCenter, int32_t YCenter, int32_t XRadius, int32_t YRadius,
                        double StartAngle, double EndAngle, double HolePercent);
  static void RoundRectPath(QPainterPath& Path, const TRect& R, int32_t X, int32_t Y);
  // Chart angle range (counter-clockwise degrees from A to B, B = 0 meaning
  // 360) as start and sweep of the graphics object.
  static void FixAngles(double A, double B, double& Start, double& Sweep);
  // Text at a floating origin (the text pipeline).
  void TextOut(float X, float Y, const String& Text);
  int32_t InternalTextWidth(const String& Text, bool Typographic);
  TRect CalcTextRect(const TPointFloat& Origin, const String& Text);
  // Resamples Source into Dest's size in high quality.
  static void ResizeBitmap(const TBitmap* Source, TBitmap* Dest);
  // The family the embedded font of that name (exactly "Elektra" or
  // "DS-Digital") is loaded as; empty for other names or when it is not
  // loaded.
  static String GetPrivateFont(const String& Name);

  // --- brush builders -------------------------------------------------------------------------
  static std::unique_ptr<TGPBrush> CreateNewBrush(TZuzBrush* Brush, uint8_t Alpha);
  std::unique_ptr<TGPBrush> GBrush();
  std::unique_ptr<TGPBrush> GBrush(TZuzBrush* Brush);
  std::unique_ptr<TGPBrush> GBrush(const TRect& Rect);
  std::unique_ptr<TGPBrush> GBrush(TZuzBrush* Brush, const TRect& Rect);
  std::unique_ptr<TGPBrush> GBrush(TZuzBrush* Brush, const TRectF& Rect);
  std::unique_ptr<TGPBrush> GBrush(TZuzBrush* Brush, std::span<const TPoint> Points);
  std::unique_ptr<TGPBrush> GBrush(TZuzBrush* Brush, std::span<const TPointFloat> Points);
  // Over the rectangle (X, Y, Width, Height).
  std::unique_ptr<TGPBrush> CreateLinearGradient(TCustomZuzGradient* Gradient, const QRectF& Rect);
  void SetGradientColors(TCustomZuzGradient* Gradient, TGPBrush& Brush);
  void GetGradientStartEnd(TCustomZuzGradient* Gradient, TGPColor& StartColor, TGPColor& EndColor);
  // Fills the blend arrays; Count receives the number of entries. A
  // gradient of more stops than the arrays hold is sampled evenly down to
  // them, keeping its first and last stop.
  void GetColorBlend(TCustomZuzGradient* Gradient, int32_t& Count);
  TGPColor GradientToColor(TZuzGradientColor* Stop);
  static bool InvertedGradient(TCustomZuzGradient* Gradient);
  static int32_t GradientAngle(TGradientDirection Direction);
  // (Left, Top, Right - Left + 1, Bottom - Top + 1).
  static TRectF MakeRect(const TRectF& R);
  static constexpr int32_t BlendCapacity = 256;

  // Where the next polygon gradient is computed over instead of the shape
  // (set during a lighting pass).
  TPointFloatArray IGradientPolygon;
  // The text rotation of RotateLabel, degrees; 0 outside it.
  double ITextRotation = 0;

protected:
  void DoSetAnti(bool On);
  void DoSetAntiAlias(bool On);
  void DoSetAntiAliasText();
  void RecreateGraphics(TCanvas* DC);
  TCanvas* BufferHandle();
  // The pen check before an outline, over the integer rectangle, the float
  // rectangle (X, Y, Width, Height) or points: builds the pen when missing,
  // applies the pen-width smoothing rule and the pen's gradient fill.
  bool HasPen();
  bool HasPen(const TRect& R);
  bool HasPenF(const TRectF& XYWH);
  bool HasPen(std::span<const TPoint> Points, bool IsCurve);
  bool HasPen(std::span<const TPointFloat> Points);
  void CreateGPPen(TGPColor Color);
  void SetPenFillBox(const TRectF& Box);
  bool PenVisible() const;
  bool XORMode() const;
  void PrepareXOR(bool WithBrush);
  void EndXOR();
  // Rebuilds FGPBrush for a fill over a box (false when nothing fills).
  bool FillBrushFor(const TRectF& Box);
  bool FillBrushForPolygon(std::span<const TPointFloat> Points);
  void ApplyTransform(TZuzTransform* T);
  void LineBetween(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, bool AllowXOR);
  void InternalTextOut(const TPointFloat& P, TColor Color, const String& Text);
  std::unique_ptr<TGPBrush> TextBrush(TColor Color, const TPointFloat& P, const String& Text);
  void TryDrawShadow(TZuzShadow* S, int32_t Sign, const TPointFloat& Origin, const String& Text);
  void DrawOutline(const TPointFloat& Origin, const String& Text);
  void DrawSmoothShadow(const QPainterPath& Path, TColor Color, float Position);
  void DrawSmoothShadowWith(std::unique_ptr<TGPBrush> Brush, const QPainterPath& Path, TColor Color, float Position);
  void DrawBlendImage(const QImage& Image, const TRect& DestRect);
  std::unique_ptr<TGPBrush> CreateCircular(TCustomZuzGradient* Gradient, bool Rectangular, const TRectF& T);

  std::unique_ptr<TGPGraphics> FGraphics;
  std::unique_ptr<QFont> FGPFont;
  std::unique_ptr<TGPPen> FGPPen;
  std::unique_ptr<TGPBrush> FGPPenFill;
  std::unique_ptr<TGPBrush> FGPBrush;
  int32_t FX = 0, FY = 0, FZ = 0;
  bool FAnti = true;
  float FScale = 1.0f;
  std::unique_ptr<TZuzCanvas3D> IXORCanvas;
  std::vector<TRectF> IOldClipRect;
  std::array<TGPColor, BlendCapacity> IBlendColors{};
  std::array<float, BlendCapacity> IBlendPositions{};
  TZuzFontCache IOldFont;
  TColor FBackColor = clWhite;
  TCanvasBackMode FBackMode = cbmNone;
  int32_t FTextAlign = 0;
  int32_t FInterCharSize = 0;
  bool ICachedAntialias = false;
  // One entry per open entity: the world transform to return to, when the
  // entity set one.
  std::vector<std::unique_ptr<TEntityTransform>> ITransform;
  // The canvas alpha FGPPen was built with: a pen kept from before a
  // blending began is built again with the blend's alpha.
  uint8_t IPenAlpha = 255;
};

// Adds "TGDIPlusCanvas" to the canvas kinds (once); the chart canvas's
// start-up calls it.
void RegisterGDIPlusCanvas();
void UnregisterGDIPlusCanvas();
