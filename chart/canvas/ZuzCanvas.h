#pragma once
// The two-dimensional drawing interface of the chart library. Every chart
// element paints through one canvas of its panel: it sets the attributes
// (AssignVisiblePen, AssignBrush, AssignFont, or Pen, Brush, Font directly)
// and calls drawing operations. The attribute objects notify the canvas of
// every change and the canvas passes it on to its reference canvas (the
// device canvas it draws on) at once.
//
// The virtual operations below are the canvas's slots in their fixed order
// (0..73); the 3D canvas adds its own after them. Concrete canvases (the
// GDI canvas, the GDI+ canvas) implement the abstract ones.
#include "chart/canvas/CanvasTypes.h"
#include "platform/GraphicsTypes.h"
#include "rtl/Object.h"

#include <memory>
#include <span>
#include <vector>

class TCanvas;
class TPen;
class TGraphic;
class TZuzBasePath;
class TZuzBlend;
class TZuzBrush;
class TZuzCorners;
class TZuzFont;
class TZuzGradient;
class TZuzPen;

struct TRGB {
  uint8_t Blue = 0;
  uint8_t Green = 0;
  uint8_t Red = 0;
};

class TZuzCanvas : public TObject {
public:
  TZuzCanvas();
  ~TZuzCanvas() override;
  String ClassName() const override;

  // --- attributes ------------------------------------------------------------
  TZuzBrush* Brush() const { return FBrush.get(); }
  TZuzPen* Pen() const { return FPen.get(); }
  TZuzFont* Font() const { return FFont.get(); }
  // The brush's gradient, created on first read.
  TZuzGradient* Gradient() const;
  const TRect& Bounds() const { return FBounds; }
  // TextHeight("W").
  int32_t FontHeight();
  double FontZoom() const { return FFontZoom; }
  void SetFontZoom(double Value) { FFontZoom = Value; }
  bool Metafiling() const { return FMetafiling; }
  void SetMetafiling(bool Value) { FMetafiling = Value; }
  TCanvasStretchQuality StretchDrawQuality() const { return FStretchQuality; }
  void SetStretchDrawQuality(TCanvasStretchQuality Value) { FStretchQuality = Value; }
  bool SupportsAlpha() const { return FSupportsAlpha; }
  bool SupportsConcave() const { return FSupportsConcave; }
  TCanvas* ReferenceCanvas() const { return FCanvas; }
  void SetReferenceCanvas(TCanvas* Value) { SetCanvas(Value); }
  TColor BackColor() { return GetBackColor(); }
  TCanvasBackMode BackMode() { return GetBackMode(); }
  TCanvas* Handle() { return GetHandle(); }
  bool IsNoBMPGrid() { return GetIsNoBMPGrid(); }
  bool Monochrome() { return GetMonochrome(); }
  bool SupportsFullRotation() { return GetSupportsFullRotation(); }
  bool SupportsXORMode() { return GetSupportsXORMode(); }
  int32_t TextAlign() { return GetTextAlign(); }
  bool UseBuffer() { return GetUseBuffer(); }

  // Transparency in percent of the current blending level.
  uint8_t Transparency = 0;
  // Optional centre of rotated text.
  bool IUseTextCenter = false;
  TPoint ITextCenter;

  // --- slots 0 .. 73 ------------------------------------------------------------
  virtual void SetCanvas(TCanvas* Value);                                                    // 0
  virtual void DoChangedBrush(TZuzBrush* ABrush);                                            // 1
  virtual void DoChangedFont();                                                              // 2
  virtual void DoChangedPen();                                                               // 3
  virtual void FastLineTo(int32_t X, int32_t Y);                                             // 4
  virtual TColor GetBackColor() = 0;                                                         // 5
  virtual TCanvasBackMode GetBackMode() = 0;                                                 // 6
  virtual TCanvas* GetHandle() = 0;                                                          // 7
  virtual bool GetIsNoBMPGrid() = 0;                                                         // 8
  virtual bool GetMonochrome() = 0;                                                          // 9
  virtual TColor GetPixel(int32_t X, int32_t Y) = 0;                                         // 10
  virtual bool GetSupportsFullRotation() = 0;                                                // 11
  virtual bool GetSupportsXORMode() = 0;                                                     // 12
  virtual int32_t GetTextAlign() = 0;                                                        // 13
  virtual bool GetUseBuffer() = 0;                                                           // 14
  virtual void SetAntiAlias(bool Value);                                                     // 15
  virtual void SetBackColor(TColor Color) = 0;                                               // 16
  virtual void SetBackMode(TCanvasBackMode Mode) = 0;                                        // 17
  virtual void SetFastLine(bool Value) = 0;                                                  // 18
  virtual void SetInterCharSize(int32_t Value);                                              // 19
  virtual void SetMonochrome(bool Value) = 0;                                                // 20
  virtual void SetPenMode(TZuzPen* APen);                                                    // 21
  virtual void SetPixel(int32_t X, int32_t Y, TColor Value) = 0;                             // 22
  virtual void SetTextAlign(int32_t Align) = 0;                                              // 23
  virtual void SetUseBuffer(bool Value) = 0;                                                 // 24
  virtual TPointFloatArray Tessellate(std::span<const double> A, std::span<const double> B); // 25
  virtual void AssignBrush(TZuzBrush* ABrush, TColor AColor, TColor ABackColor);             // 26
  virtual void AssignVisiblePenColor(TZuzPen* APen, TColor AColor);                          // 27
  virtual std::unique_ptr<TZuzBlend> BeginBlending(const TRect& R, TZuzTransparency T);      // 28
  virtual void EndBlending(std::unique_ptr<TZuzBlend> Blend);                                // 29
  virtual void Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t StartX, int32_t StartY,
                   int32_t EndX, int32_t EndY) = 0; // 30
  virtual void Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, float StartAngle,
                   float EndAngle); // 31
  virtual void ArcTo(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4,
                     bool ClockWise); // 32
  virtual void Donut(int32_t XCenter, int32_t YCenter, int32_t XRadius, int32_t YRadius, double StartAngle,
                     double EndAngle, double HolePercent) = 0;                           // 33
  virtual void Draw(int32_t X, int32_t Y, const TGraphic* Graphic) = 0;                  // 34
  virtual void Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) = 0;              // 35
  virtual void FillRect(const TRect& Rect) = 0;                                          // 36
  virtual void Frame3D(TRect& Rect, TColor TopColor, TColor BottomColor, int32_t Width); // 37
  virtual void LineTo(int32_t X, int32_t Y) = 0;                                         // 38
  virtual void LineTo(const TPointFloat& P);                                             // 39
  virtual void MoveTo(int32_t X, int32_t Y) = 0;                                         // 40
  virtual void MoveTo(const TPointFloat& P);                                             // 41
  virtual void Pie(const TRect& R, double StartAngle, double EndAngle) = 0;              // 42
  virtual void Pie(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4,
                   int32_t Y4) = 0;                                                                     // 43
  virtual void Rectangle(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) = 0;                           // 44
  virtual void RoundRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3) = 0;   // 45
  virtual void StretchDraw(const TRect& Rect, const TGraphic* Graphic) = 0;                             // 46
  virtual void TextOut(int32_t X, int32_t Y, const String& Text) = 0;                                   // 47
  virtual int32_t TextHeight(const String& St);                                                         // 48 (and 51)
  virtual TPointFloat TextSize(const String& St);                                                       // 49 (and 52)
  virtual int32_t TextWidth(const String& St);                                                          // 50 (and 53)
  virtual void ClipRectangle(const TRect& Rect) = 0;                                                    // 54
  virtual void ClipRectangle(const TRect& Rect, int32_t RoundX, int32_t RoundY);                        // 55
  virtual void ClipEllipse(const TRect& Rect, bool Inverted = false);                                   // 56
  virtual void ClipPolygon(std::span<const TPoint> Points, int32_t NumPoints, bool DiffRegion = false); // 57
  virtual std::unique_ptr<TZuzBasePath> CreatePath(const TPointFloatArray& Points,
                                                   const TPathPointTypes& Types);                  // 58
  virtual void Curve(std::span<const TPoint> Points, float Tension, bool Closed, float Z);         // 59
  virtual void DoHorizLine(int32_t X0, int32_t X1, int32_t Y);                                     // 60
  virtual void DoVertLine(int32_t X, int32_t Y0, int32_t Y1);                                      // 61
  virtual void DrawCheckBox(int32_t x, int32_t y, bool Checked, TColor ABackColor, bool CheckBox); // 62
  virtual void EraseBackground(const TRect& Rect) = 0;                                             // 63
  virtual void GradientFill(const TRect& Rect, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                            int32_t Balance = 50, int32_t RadialX = 0, int32_t RadialY = 0) = 0; // 64
  virtual void Invalidate() = 0;                                                                 // 65
  virtual void Line(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1);                             // 66
  virtual void Polyline(std::span<const TPoint> Points) = 0;                                     // 67
  virtual void PolylineFloat(std::span<const TPointFloat> Points) = 0;                           // 68
  virtual void Polygon(std::span<const TPoint> Points) = 0;                                      // 69
  virtual void PolygonConcave(std::span<const TPoint> Points);                                   // 70
  virtual void PolygonFloat(std::span<const TPointFloat> Points) = 0;                            // 71
  virtual void RotateLabel(int32_t x, int32_t y, const String& St, double RotDegree,
                           bool AllowHTML = false) = 0; // 72
  virtual void UnClipRectangle() = 0;                   // 73

  // A polyline drawn as separate segments, without joins: the same as
  // MoveTo the first point and LineTo each further one (canvases that can
  // draw many short wide lines at once do so).
  virtual void SegmentPolyline(std::span<const TPoint> Points);

  // --- operations built on the slots ------------------------------------------
  // The brush as it is: its colour fills and its back colour fills hatch
  // gaps. (Passing the back colour as the fill would paint a default brush,
  // whose back colour is clNone, in no colour at all.)
  void AssignBrush(TZuzBrush* ABrush);
  // ABackColor fills; the brush's own colour goes to the hatch gaps.
  void AssignBrush(TZuzBrush* ABrush, TColor ABackColor);
  void AssignBrushColor(TZuzBrush* ABrush, TColor AColor, TColor ABackColor);
  void AssignVisiblePen(TZuzPen* APen);
  void AssignFont(TZuzFont* AFont);
  void AssignFontSize(TZuzFont* AFont, float ASize);
  void ResetState();
  void Rectangle(const TRect& R);
  void DoRectangle(const TRect& Rect);
  void Ellipse(const TRect& R);
  void LineTo(const TPoint& P);
  void MoveTo(const TPoint& P);
  void Line(const TPoint& FromPoint, const TPoint& ToPoint);
  void Arc(const TRect& R, float StartAngle, float EndAngle);
  // Without corners the plain rounded rectangle; with corners their path.
  void RoundRect(const TRect& R, int32_t X, int32_t Y, TZuzCorners* ACorners = nullptr);
  // With AllowHtml the tagged-text renderer draws; else slot 47.
  void TextOut(int32_t X, int32_t Y, const String& Text, bool AllowHtml);
  std::unique_ptr<TZuzBasePath> CreatePath();
  void Arrow(bool Filled, double ArrowPercent, const TPoint& FromPoint, const TPoint& ToPoint, int32_t ArrowWidth,
             int32_t ArrowHeight);
  TPointArray GetArrowPoints(float ArrowPercent, const TPoint& FromPoint, const TPoint& ToPoint, int32_t ArrowWidth,
                             int32_t ArrowHeight);
  static bool IsConvexPolygon(std::span<const TPoint> P);
  static bool IsConvexPolygon(std::span<const TPointFloat> P);
  // clNone gives 0, a system colour its RGB value, anything else itself.
  static TColor SystemColor(TColor AColor);
  static uint8_t ColorAlpha(TColor AColor) { return static_cast<uint8_t>(AColor >> 24); }
  static TColor ColorFrom(TColor AColor, uint8_t Alpha) { return (AColor & 0x00FFFFFFu) | (TColor(Alpha) << 24); }
  // Angles in [0, 360) of the radials through (X3, Y3) and (X4, Y4).
  static void CalcArcAngles(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4,
                            int32_t Y4, float& StartAngle, float& EndAngle);
  static TRGB RGBValue(TColor AColor);

  // Darkens AColor by Quantity and sets it as the fill (solid brushes) or as
  // the background colour.
  void InternalDark(TColor AColor, uint8_t Quantity);
  TZuzGradient* GetGradient() const { return Gradient(); }
  // False for a clear brush, else whether the brush has a visible gradient.
  bool IsGradientVisible() const;
  // The device's text extent of Text.
  TPoint TextExtent(const String& Text);
  void PushTransp();
  // Raises when the stack is empty: "Canvas Transparency Stack might be corrupt".
  void PopTransp();

  // Attribute change handlers of the pen, brush and font.
  void ChangedPen(TObject* Sender);
  void ChangedBrush(TObject* Sender);
  void ChangedFont(TObject* Sender);

protected:
  std::unique_ptr<TZuzBrush> FBrush;
  TCanvas* FCanvas = nullptr;
  std::unique_ptr<TZuzFont> FFont;
  std::unique_ptr<TZuzPen> FPen;
  TCanvasStretchQuality FStretchQuality = sqHigh;
  bool FMetafiling = false;
  bool IChangingFont = false;
  std::vector<uint8_t> ITranspStack;
  TRect FBounds;
  double FFontZoom = 100;
  bool FSupportsAlpha = false;
  bool FSupportsConcave = true;
  bool IZoomText = false;
};

// The device pen a chart pen stands for: small dots, a plain copy for thin
// pens, a geometric pen with the pen's ends and joins for wide ones.
void ZuzSetZuzPen(TPen* DevicePen, TZuzPen* ChartPen, TColor Color);
// A dotted pen: a dot, then Space + 1 pixels of gap; every other pixel when
// Space is 0 or less.
struct TPenHandle;
TPenHandle ZuzCreatePenSmallDots(TColor Color, int32_t Space);

// The platform is of the NT family (fixed at start-up).
extern bool ZuzOnWindowsNT;

// Tagged chart text, installed by the tagged-text unit: drawing at (X, Y)
// and measuring. Until it is installed, tagged text is drawn and measured
// as plain text.
extern void (*ZuzHtmlTextOut)(TZuzCanvas* ACanvas, int32_t X, int32_t Y, const String& Text);
extern TPoint (*ZuzHtmlTextExtent)(TZuzCanvas* ACanvas, const String& Text);
// The check-box painter of the canvas editor controls, when installed.
extern void (*ZuzDrawCheckBoxHook)(TCanvas* Canvas, int32_t X, int32_t Y, bool Checked, TColor ABackColor,
                                   bool CheckBox);
