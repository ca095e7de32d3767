#pragma once
// The three-dimensional drawing interface every chart element paints
// through: the two-dimensional canvas plus a depth coordinate, a projection
// from chart space (X right, Y down, Z into the screen, in pixels) to device
// pixels, off-screen buffering and a family of solids.
//
// One paint runs InitWindow (bind the device, size the buffer, set up the
// view), Projection (centre of rotation and zoom), any number of drawing
// calls in chart coordinates, then ShowImage (copy the buffer to the screen).
// A repaint first tries ReDrawBitmap.
#include "chart/canvas/ZuzCanvas.h"

#include <functional>
#include <memory>

class TBitmap;
class TView3DOptions;
class TVisualBlock;
class TZuzShadow;
class TZuzTransform;
class TCustomZuzGradient;

// Geometry a canvas able to cache it keeps between calls; owned by the caller.
class TZuzCachedObject : public TObject {
public:
  ~TZuzCachedObject() override;
};

// One segment of a surface grid, filled by the surface's callback.
struct TSurfaceVertex {
  TPoint3DFloat P0, P1;
  TPoint3DFloat N0, N1;
  TColor C0 = clNone, C1 = clNone;
  bool Flag = false;
};

using TCanvasSurfacePoints = std::function<void(int32_t X, int32_t Z, bool CalcColors, TSurfaceVertex& Vertex)>;
using TCanvasTrianglePoints = std::function<void(int32_t Index, TTrianglePoints3D& Points, TTriangleColors3D& Colors)>;

class TCanvas3D : public TZuzCanvas {
public:
  TCanvas3D();
  ~TCanvas3D() override;
  String ClassName() const override;

  using TZuzCanvas::Arc;
  using TZuzCanvas::Arrow;
  using TZuzCanvas::Ellipse;
  using TZuzCanvas::GetArrowPoints;
  using TZuzCanvas::LineTo;
  using TZuzCanvas::MoveTo;
  using TZuzCanvas::PolygonConcave;
  using TZuzCanvas::Polyline;
  using TZuzCanvas::Rectangle;
  using TZuzCanvas::RoundRect;
  using TZuzCanvas::StretchDraw;
  using TZuzCanvas::TextOut;

  // --- slots after the two-dimensional ones ---------------------------------------
  virtual TVisualBlock* BeginEntity(const String& Entity, TVisualBlock* Visual, TZuzTransform* Transform);
  virtual void EndEntity();
  virtual void DrawLighting(TEdgeStyle Edge, int32_t Z, const TRect& R0, const TRect& R1, const TRect& RInner,
                            int32_t StartAngle, int32_t EndAngle, const TPoint& Middle, bool IsDonut);
  virtual bool CheckFastBrush();
  virtual TColor GetPixel3D(int32_t X, int32_t Y, int32_t Z) = 0;
  virtual bool GetSupports3DText() = 0;
  virtual void SetPixel3D(int32_t X, int32_t Y, int32_t Z, TColor Value) = 0;
  virtual void SmoothShadow(TZuzShadow* AShadow, const TRect& R, bool IsEllipse, int32_t RoundSize,
                            std::span<const TPoint> P, int32_t DonutPercent, double StartAngle, double EndAngle);
  virtual String Description();
  virtual String EditorClass();
  virtual void Calculate2DPosition(int32_t& x, int32_t& y, int32_t z) = 0;
  virtual TPoint Calculate3DPosition(int32_t x, int32_t y, int32_t z) = 0;
  virtual void Calculate3DPosition(TPointFloat& P, float zPos) = 0;
  virtual TRect InitWindow(TCanvas* DestCanvas, TView3DOptions* A3DOptions, TColor ABackColor, bool Is3D,
                           const TRect& UserRect) = 0;
  virtual bool IsAvailable();
  virtual void Assign(TCanvas3D* Source);
  virtual void Projection(int32_t MaxDepth, const TRect& ABounds, const TRect& Rect) = 0;
  virtual void ShowImage(TCanvas* DestCanvas, TCanvas* DefaultCanvas, const TRect& UserRect) = 0;
  virtual bool ReDrawBitmap() = 0;
  virtual bool RenderToBitmap(TBitmap* ABitmap, const TRect& R);
  virtual void Arrow(bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int32_t ArrowWidth,
                     int32_t ArrowHeight, int32_t Z0, int32_t Z1, double ArrowPercent) = 0;
  virtual void ClipCube(const TRect& Rect, int32_t MinZ, int32_t MaxZ) = 0;
  virtual void Cone(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0, int32_t Z1,
                    bool Dark3D, int32_t ConePercent) = 0;
  virtual void Cube(int32_t Left, int32_t Right, int32_t Top, int32_t Bottom, int32_t Z0, int32_t Z1, bool DarkSides,
                    int32_t RoundSize = 0) = 0;
  virtual void Cube(int32_t Left, int32_t Right, int32_t Top, int32_t Bottom, int32_t Z0, int32_t Z1, int32_t BevelSize,
                    bool DarkSides, int32_t RoundSize) = 0;
  virtual void Cylinder(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0, int32_t Z1,
                        bool Dark3D) = 0;
  virtual void Diamond(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0, int32_t Z1);
  virtual void DisableRotation();
  virtual void EllipseWithZ(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t Z) = 0;
  virtual void EnableRotation();
  virtual void HorizLine3D(int32_t Left, int32_t Right, int32_t Y, int32_t Z);
  virtual void RoundRect(const TRect& R, int32_t X, int32_t Y, int32_t Z0, int32_t Z1);
  virtual void VertLine3D(int32_t X, int32_t Top, int32_t Bottom, int32_t Z);
  virtual void ZLine3D(int32_t X, int32_t Y, int32_t Z0, int32_t Z1);
  virtual void FrontPlaneBegin();
  virtual void FrontPlaneEnd();
  virtual void LineWithZ(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Z);
  virtual void MoveTo3D(int32_t X, int32_t Y, int32_t Z);
  virtual void MoveTo3D(float X, float Y, float Z);
  virtual void LineTo3D(int32_t X, int32_t Y, int32_t Z);
  virtual void LineTo3D(float X, float Y, float Z);
  virtual void Pie3D(int32_t XCenter, int32_t YCenter, int32_t XRadius, int32_t YRadius, int32_t Z0, int32_t Z1,
                     double StartAngle, double EndAngle, bool DarkSides, bool DrawSides, int32_t DonutPercent,
                     TCustomZuzGradient* Gradient, int32_t BevelPercent, TEdgeStyle EdgeStyle,
                     TZuzTransparency Transparency, int32_t BevelBright, bool BevelBorder, bool HideSides) = 0;
  virtual void Plane3D(const TPoint& A, const TPoint& B, int32_t Z0, int32_t Z1) = 0;
  virtual void PlaneWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, const TPoint& P4, int32_t Z) = 0;
  virtual void PlaneFour3D(TFourPoints& Points, int32_t Z0, int32_t Z1) = 0;
  virtual void Polygon3D(std::span<const TPoint3D> Points) = 0;
  virtual void Polygon3DConcave(std::span<const TPoint3DFloat> Points, bool Invert);
  virtual void Polygon3DConcave(std::span<const TPoint3D> Points, bool Invert);
  virtual void PolygonWithZ(std::span<const TPoint> Points, int32_t Z);
  virtual void PolygonConcave(std::span<const TPoint> Points, int32_t Z);
  virtual void Polyline(std::span<const TPoint> Points, int32_t Z);
  virtual void Pyramid(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t z0, int32_t z1,
                       bool DarkSides) = 0;
  virtual void PyramidTrunc(const TRectF& R, double StartZ, double EndZ, double TruncX, double TruncZ, bool TopCover,
                            bool BottomCover);
  virtual void RectangleWithZ(const TRect& Rect, int32_t Z) = 0;
  virtual void RectangleY(int32_t Left, int32_t Top, int32_t Right, int32_t Z0, int32_t Z1) = 0;
  virtual void RectangleZ(int32_t Left, int32_t Top, int32_t Bottom, int32_t Z0, int32_t Z1) = 0;
  virtual void RotateLabel3D(int32_t x, int32_t y, int32_t z, const String& St, double RotDegree,
                             bool AllowHTML = false) = 0;
  virtual void RoundRectWithZ(const TRect& R, int32_t X, int32_t Y, int32_t Z);
  virtual void Sphere(int32_t x, int32_t y, int32_t z, double Radius) = 0;
  virtual void StretchDraw(const TRect& Rect, const TGraphic* Graphic, double Pos, TCanvas3DPlane Plane);
  virtual void Surface3D(TZuzCanvasSurfaceStyle Style, bool SameBrush, bool CreateCached, bool AddNormals,
                         int32_t NumXValues, int32_t NumZValues, const TCanvasSurfacePoints& CalcPoints,
                         std::unique_ptr<TZuzCachedObject>& Cached) = 0;
  virtual void TextOut3D(int32_t x, int32_t y, int32_t z, const String& Text, bool AllowHTML) = 0;
  virtual void Triangle3D(const TTrianglePoints3D& Points, const TTriangleColors3D& Colors) = 0;
  virtual void Triangles(std::span<const TPoint3D> P, bool CreateCached, std::unique_ptr<TZuzCachedObject>& Cached);
  virtual void TriangleWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, int32_t Z) = 0;
  virtual void TriSurface(int32_t NumTriangles, bool CreateCached, bool AddNormals, TZuzBlend* Blend,
                          TZuzTransparency Transparency, const TCanvasTrianglePoints& CalcPoints,
                          std::unique_ptr<TZuzCachedObject>& Cached);

  // --- operations built on the projection ----------------------------------------
  TPoint Calculate3DPosition(const TPoint3D& P);
  TPoint Calculate3DPosition(const TPoint& P, int32_t z);
  TRect CalcRect3D(const TRect& R, int32_t Z);
  void FourPointsFromRect(const TRect& R, int32_t Z, TFourPoints& P);
  TRect RectFromRectZ(const TRect& R, int32_t Z);
  TPointArray Calc3DPoints(std::span<const TPoint> Points, int32_t z);
  TPointFloatArray Calc3DPointsFloat(std::span<const TPointFloat> Points, float Z);
  // The convex outline of a projected box.
  TPointArray CubeHull(const TRect& Rect, int32_t MinZ, int32_t MaxZ);
  TPointFloat PointFromCircle(const TRect& Rect, double Degrees, float zPos = 0, bool ClockWise = false);
  TPoint PointFromSpiral(const TRect& Rect, double Degrees, double Twist);
  TPointArray GetArrowPoints(float ArrowPercent, const TPoint& FromPoint, const TPoint& ToPoint, int32_t ArrowWidth,
                             int32_t ArrowHeight, int32_t Z);
  void TrianglePointsTo2D(const TTrianglePoints3D& P, TTrianglePoints& Result);
  void Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t StartX, int32_t StartY, int32_t EndX,
           int32_t EndY, int32_t Z);
  void Arrow(bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int32_t ArrowWidth, int32_t ArrowHeight,
             int32_t Z);
  void Cube(const TRect& R, int32_t Z0, int32_t Z1, bool DarkSides = true, int32_t RoundSize = 0);
  void Diamond(const TRect& R, int32_t Z0, int32_t Z1);
  void EllipseWithZ(const TRect& Rect, int32_t Z);
  void LineWithZ(const TPoint& FromPoint, const TPoint& ToPoint, int32_t Z);
  void MoveTo3D(const TPoint3D& P);
  void LineTo3D(const TPoint3D& P);
  void PlaneWithZ(const TFourPoints& P, int32_t Z);
  void PolygonFloatWithZ(std::span<const TPointFloat> Points, float Z);
  void PolylineWithZ(std::span<const TPointFloat> Points, float Z);
  void Rectangle(const TRect& R, int32_t Z);
  void Rectangle(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Z);
  void RotatedEllipse(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z, double Angle);
  void TextOut3D(int32_t x, int32_t y, int32_t z, const String& Text);
  // The font, its size scaled by the view's zoom when the canvas does not
  // draw 3D text itself.
  void AssignFont3D(TZuzFont* AFont);

  TView3DOptions* View3DOptions() const { return F3DOptions; }
  bool IsOrthogonal() const { return FIsOrthogonal; }
  int32_t XCenter() const { return FXCenter; }
  int32_t YCenter() const { return FYCenter; }
  int32_t ZCenter() const { return FZCenter; }

  // Nesting depth of FrontPlaneBegin / FrontPlaneEnd.
  int32_t IDisabledRotation = 0;
  TZuzTransform* FTransform = nullptr;
  int32_t GradientZ = 0;
  bool SupportsID = false;
  bool INoFixAlign = false;
  TPoint3DFloat RotationCenter;

protected:
  // Projects Points into IScratch (reused between primitives).
  std::span<const TPoint> ProjectToScratch(std::span<const TPoint> Points, int32_t Z);

  TView3DOptions* F3DOptions = nullptr;
  TPointArray IScratch;
  bool FIsNoBMPGrid = false;
  bool FIsOrthogonal = false;
  int32_t FXCenter = 0;
  int32_t FYCenter = 0;
  int32_t FZCenter = 0;
};

// Points of ellipses drawn as polygons in 3D.
extern int32_t CircleSteps;

// Creates a canvas of one registered kind.
using TCanvas3DFactory = std::unique_ptr<TCanvas3D> (*)();

struct TCanvasClass {
  String ClassName;
  TCanvas3DFactory Create = nullptr;
};

// The canvas kinds a chart panel may choose from; the GDI canvas is always
// the first. Other canvas units add themselves at start-up.
std::vector<TCanvasClass>& ZuzRenderClasses();
void RegisterCanvasClass(const String& ClassName, TCanvas3DFactory Create);
void UnregisterCanvasClass(const String& ClassName);
// nullptr when no kind of that name is registered.
const TCanvasClass* FindCanvasClass(const String& ClassName);
