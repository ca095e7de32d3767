#pragma once
// The GDI canvas: draws through the device canvas into an off-screen buffer
// bitmap (or straight on the destination when buffering is off), with the
// projection of the 3D canvas, the shared clip stack, picture and gradient
// fills, rotated and decorated text and the device's gradient fill. The
// GDI+ canvas derives from it.
#include "chart/canvas/Canvas3D.h"

#include <memory>

class QImage;
class TCustomZuzGradient;
struct TLogFont;

class TZuzCanvas3D : public TCanvas3D {
public:
  TZuzCanvas3D();
  ~TZuzCanvas3D() override;
  String ClassName() const override;

  using TCanvas3D::Arc;
  using TCanvas3D::Arrow;
  using TCanvas3D::Calculate3DPosition;
  using TCanvas3D::ClipRectangle;
  using TCanvas3D::Cube;
  using TCanvas3D::Ellipse;
  using TCanvas3D::EllipseWithZ;
  using TCanvas3D::GradientFill;
  using TCanvas3D::LineTo;
  using TCanvas3D::MoveTo;
  using TCanvas3D::Pie;
  using TCanvas3D::PlaneWithZ;
  using TCanvas3D::Polyline;
  using TCanvas3D::PolylineFloat;
  using TCanvas3D::Rectangle;
  using TCanvas3D::RoundRect;
  using TCanvas3D::StretchDraw;
  using TCanvas3D::TextOut;
  using TCanvas3D::TextOut3D;

  // --- the two-dimensional slots ---------------------------------------------------
  TColor GetBackColor() override;
  TCanvasBackMode GetBackMode() override;
  TCanvas* GetHandle() override;
  bool GetIsNoBMPGrid() override;
  bool GetMonochrome() override;
  TColor GetPixel(int32_t X, int32_t Y) override;
  bool GetSupportsFullRotation() override;
  bool GetSupportsXORMode() override;
  int32_t GetTextAlign() override;
  bool GetUseBuffer() override;
  void SetBackColor(TColor Color) override;
  void SetBackMode(TCanvasBackMode Mode) override;
  void SetFastLine(bool Value) override;
  void FastLineTo(int32_t X, int32_t Y) override;
  void SetMonochrome(bool Value) override;
  void SetPixel(int32_t X, int32_t Y, TColor Value) override;
  void SetTextAlign(int32_t Align) override;
  void SetUseBuffer(bool Value) override;
  void Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t StartX, int32_t StartY, int32_t EndX,
           int32_t EndY) override;
  void ArcTo(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4,
             bool ClockWise) override;
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
  void ClipRectangle(const TRect& Rect) override;
  void EraseBackground(const TRect& Rect) override;
  void GradientFill(const TRect& Rect, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                    int32_t Balance = 50, int32_t RadialX = 0, int32_t RadialY = 0) override;
  void Invalidate() override;
  void Polyline(std::span<const TPoint> Points) override;
  void PolylineFloat(std::span<const TPointFloat> Points) override;
  void Polygon(std::span<const TPoint> Points) override;
  void PolygonFloat(std::span<const TPointFloat> Points) override;
  void RotateLabel(int32_t x, int32_t y, const String& St, double RotDegree, bool AllowHTML = false) override;
  void UnClipRectangle() override;

  // --- the three-dimensional slots ---------------------------------------------------
  bool CheckFastBrush() override;
  TColor GetPixel3D(int32_t X, int32_t Y, int32_t Z) override;
  bool GetSupports3DText() override;
  void SetPixel3D(int32_t X, int32_t Y, int32_t Z, TColor Value) override;
  void SmoothShadow(TZuzShadow* AShadow, const TRect& R, bool IsEllipse, int32_t RoundSize, std::span<const TPoint> P,
                    int32_t DonutPercent, double StartAngle, double EndAngle) override;
  String Description() override;
  void Calculate2DPosition(int32_t& x, int32_t& y, int32_t z) override;
  TPoint Calculate3DPosition(int32_t x, int32_t y, int32_t z) override;
  void Calculate3DPosition(TPointFloat& P, float zPos) override;
  TRect InitWindow(TCanvas* DestCanvas, TView3DOptions* A3DOptions, TColor ABackColor, bool Is3D,
                   const TRect& UserRect) override;
  void Projection(int32_t MaxDepth, const TRect& ABounds, const TRect& Rect) override;
  void ShowImage(TCanvas* DestCanvas, TCanvas* DefaultCanvas, const TRect& UserRect) override;
  bool ReDrawBitmap() override;
  bool RenderToBitmap(TBitmap* ABitmap, const TRect& R) override;
  void Arrow(bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int32_t ArrowWidth, int32_t ArrowHeight,
             int32_t Z0, int32_t Z1, double ArrowPercent) override;
  void ClipCube(const TRect& Rect, int32_t MinZ, int32_t MaxZ) override;
  void Cone(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0, int32_t Z1,
            bool Dark3D, int32_t ConePercent) override;
  void Cube(int32_t Left, int32_t Right, int32_t Top, int32_t Bottom, int32_t Z0, int32_t Z1, bool DarkSides,
            int32_t RoundSize = 0) override;
  void Cube(int32_t Left, int32_t Right, int32_t Top, int32_t Bottom, int32_t Z0, int32_t Z1, int32_t BevelSize,
            bool DarkSides, int32_t RoundSize) override;
  void Cylinder(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0, int32_t Z1,
                bool Dark3D) override;
  void DisableRotation() override;
  void EllipseWithZ(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t Z) override;
  void EnableRotation() override;
  void Pie3D(int32_t XCenter, int32_t YCenter, int32_t XRadius, int32_t YRadius, int32_t Z0, int32_t Z1,
             double StartAngle, double EndAngle, bool DarkSides, bool DrawSides, int32_t DonutPercent,
             TCustomZuzGradient* Gradient, int32_t BevelPercent, TEdgeStyle EdgeStyle, TZuzTransparency Transparency,
             int32_t BevelBright, bool BevelBorder, bool HideSides) override;
  void Plane3D(const TPoint& A, const TPoint& B, int32_t Z0, int32_t Z1) override;
  void PlaneWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, const TPoint& P4, int32_t Z) override;
  void PlaneFour3D(TFourPoints& Points, int32_t Z0, int32_t Z1) override;
  void Polygon3D(std::span<const TPoint3D> Points) override;
  void Pyramid(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t z0, int32_t z1,
               bool DarkSides) override;
  void RectangleWithZ(const TRect& Rect, int32_t Z) override;
  void RectangleY(int32_t Left, int32_t Top, int32_t Right, int32_t Z0, int32_t Z1) override;
  void RectangleZ(int32_t Left, int32_t Top, int32_t Bottom, int32_t Z0, int32_t Z1) override;
  void RotateLabel3D(int32_t x, int32_t y, int32_t z, const String& St, double RotDegree,
                     bool AllowHTML = false) override;
  void Sphere(int32_t x, int32_t y, int32_t z, double Radius) override;
  void Surface3D(TZuzCanvasSurfaceStyle Style, bool SameBrush, bool CreateCached, bool AddNormals, int32_t NumXValues,
                 int32_t NumZValues, const TCanvasSurfacePoints& CalcPoints,
                 std::unique_ptr<TZuzCachedObject>& Cached) override;
  void TextOut3D(int32_t x, int32_t y, int32_t z, const String& Text, bool AllowHTML) override;
  void Triangle3D(const TTrianglePoints3D& Points, const TTriangleColors3D& Colors) override;
  void TriangleWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, int32_t Z) override;

  // --- own operations -----------------------------------------------------------------
  // Draws IPoints as a four-point polygon.
  virtual void PolygonFour();
  // Puts Value in place of the buffer bitmap and hands the old one back.
  virtual std::unique_ptr<TBitmap> SetBitmap(std::unique_ptr<TBitmap> Value);
  virtual void DeleteBitmap();
  // Copies the whole buffer to DestCanvas at (X, Y); raises when the copy
  // fails ("Error <n> transferring internal Bitmap using BitBlt").
  virtual void TransferBitmap(int32_t X, int32_t Y, TCanvas* DestCanvas);
  // Each point projected at its own depth, then the 2D polyline.
  virtual void PolylineFloat(std::span<const TPoint3DFloat> Points);

  // The gradient object: rotated, monochrome and middle-colour handling
  // around the two-colour fill.
  void GradientFill(TCustomZuzGradient* Gradient, const TRect& Rect);
  // Text with the font's shadow, emboss, outline and fills at the device's
  // alignment.
  void DirectTextOut(TCanvas* DC, int32_t X, int32_t Y, const String& Text);
  // Selects a device font made from the canvas font at Size points; returns
  // the font it replaced.
  TLogFont GetNewFont(TCanvas* DC, float Size);
  // The device quality of the font's quality hint.
  void SetFontQuality(TLogFont& LogFont);
  // The text's rectangle at (X, Y) under the device's alignment.
  TRect RectText(int32_t X, int32_t Y, const String& Text);
  // The picture of a transparent graphic composed over the buffer.
  std::unique_ptr<TBitmap> TranspBitmap(const TGraphic* Graphic, const TRect& Rect);
  // Points of the ellipse in the box, the first at its bottom, the last
  // equal to the first.
  void GetCirclePoints(TPointFloatArray& P, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);
  void GetCirclePoints(TPointFloatArray& P, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t Z);
  // Reduces Points to their convex hull (pivot last); false for fewer than
  // three points.
  static bool ConvexHull(TPointArray& Points);

  TBitmap* Bitmap() const { return FBitmap.get(); }
  // The buffer's pixels, for the panel to show.
  QImage* BufferImage() const;
  bool Dirty() const { return FDirty; }

  TFourPoints IPoints;
  double CharacterAngle = 0;
  bool Pie3DUsingArcs = false;
  TFontQuality FontQuality = fqBest;
  TObject* Tag = nullptr;

protected:
  // The cylinder and the cone: a ConePercent of 100 a cylinder, 0 a cone
  // ending in an apex, between the two a cone cut at that share of its
  // radius.
  void InternalCylinder(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0, int32_t Z1,
                        bool Dark3D, int32_t ConePercent);
  // The colour the solids shade: the brush colour of a solid brush, else
  // the background colour.
  TColor SolidFaceColor();
  void DoTextOut(TCanvas* DC, int32_t X, int32_t Y, const String& Text);
  void DoFontShadow(TCanvas* DC, TZuzShadow* Shadow, int32_t Direction, int32_t& X, int32_t& Y, const String& Text);
  // Blurs the buffer under a smooth text shadow drawn at (SX, SY).
  void BlurTextShadow(TCanvas* DC, TZuzShadow* Shadow, int32_t SX, int32_t SY, const String& Text);

  std::unique_ptr<TBitmap> FBitmap;
  bool FMonochrome = false;
  TCanvas* IFastLine = nullptr;
  bool FBufferedDisplay = true;
  bool FDirty = true;
  bool IKeepBitmap = false;

  // Projection terms of one paint.
  double s1 = 0, c1 = 1, s2 = 0, c2 = 1, s3 = 0, c3 = 1;
  double c2s3 = 0, c2c3 = 1, tempXX = 1, tempYX = 0, tempXZ = 0, tempYZ = 0;
  bool FIs3D = false;
  bool FWas3D = false;
  bool IHasPerspec = false;
  bool IHasTilt = false;
  double IOrthoX = 1, IOrthoY = 1;
  double IZoomPerspec = 0;
  double IZoomFactor = 1;
  int32_t XCenterOffset = 0;
  int32_t YCenterOffset = 0;

private:
  void CalcTrigValues();
};

// The device's stock brush and pen colours (always available here).
extern void (*ZuzSetDCBrushColor)(TCanvas* DC, TColor Color);
extern void (*ZuzSetDCPenColor)(TCanvas* DC, TColor Color);
// Device font quality of fqBest and fqClearType fonts; 4 (antialiased).
extern uint8_t BestFontQuality;
// Band thickness of gdFromCenter fills in pixels.
extern int32_t CenterGradientStep;
// Points of a cylinder or cone ring (32), and the cone percentage that
// replaces 0 (0: a cone ends in an apex).
extern int32_t CylinderSides;
extern int32_t DefaultConePercent;

// Each channel lowered (raised) by HowMuch, limited to 0 (255); the top byte
// is dropped.
TColor ApplyDark(TColor Color, uint8_t HowMuch);
TColor ApplyBright(TColor Color, uint8_t HowMuch);
// The four values packed into four bytes, R lowest and A highest.
TColor RGBA(uint8_t R, uint8_t G, uint8_t B, uint8_t A);
