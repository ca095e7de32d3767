#pragma once
// A 3D canvas that draws nothing and records every drawing call as text,
// for tests where the order of the operations is what matters. The
// projection is the identity (z is ignored).
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzPath.h"

#include <QStringList>

class TRecordingCanvas : public TCanvas3D {
public:
  TRecordingCanvas();
  ~TRecordingCanvas() override;

  using TCanvas3D::Arc;
  using TCanvas3D::Arrow;
  using TCanvas3D::Calculate3DPosition;
  using TCanvas3D::ClipRectangle;
  using TCanvas3D::CreatePath;
  using TCanvas3D::Cube;
  using TCanvas3D::Ellipse;
  using TCanvas3D::EllipseWithZ;
  using TCanvas3D::GetArrowPoints;
  using TCanvas3D::LineTo;
  using TCanvas3D::MoveTo;
  using TCanvas3D::Pie;
  using TCanvas3D::PlaneWithZ;
  using TCanvas3D::Polyline;
  using TCanvas3D::Rectangle;
  using TCanvas3D::RoundRect;
  using TCanvas3D::StretchDraw;
  using TCanvas3D::TextOut;
  using TCanvas3D::TextOut3D;

  QStringList Log;
  // Records the call and returns nothing else.
  void Rec(const char* Name, std::initializer_list<double> Args = {});
  // Log entries starting with Prefix.
  QStringList Calls(const QString& Prefix) const;

  TColor GetBackColor() override { return FBackColor; }
  TCanvasBackMode GetBackMode() override { return FBackMode; }
  TCanvas* GetHandle() override { return nullptr; }
  bool GetIsNoBMPGrid() override { return false; }
  bool GetMonochrome() override { return FMono; }
  TColor GetPixel(int32_t, int32_t) override { return clNone; }
  bool GetSupportsFullRotation() override { return false; }
  bool GetSupportsXORMode() override { return false; }
  int32_t GetTextAlign() override { return FAlign; }
  bool GetUseBuffer() override { return false; }
  void SetBackColor(TColor C) override { FBackColor = C; }
  void SetBackMode(TCanvasBackMode M) override { FBackMode = M; }
  void SetFastLine(bool) override {}
  void SetMonochrome(bool V) override { FMono = V; }
  void SetPixel(int32_t X, int32_t Y, TColor) override { Rec("SetPixel", {double(X), double(Y)}); }
  void SetTextAlign(int32_t A) override { FAlign = A; }
  void SetUseBuffer(bool) override {}
  void Arc(int32_t L, int32_t T, int32_t R, int32_t B, int32_t SX, int32_t SY, int32_t EX, int32_t EY) override;
  void Donut(int32_t, int32_t, int32_t, int32_t, double, double, double) override { Rec("Donut"); }
  void Draw(int32_t X, int32_t Y, const TGraphic*) override { Rec("Draw", {double(X), double(Y)}); }
  void Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) override;
  void FillRect(const TRect& R) override;
  void LineTo(int32_t X, int32_t Y) override { Rec("LineTo", {double(X), double(Y)}); }
  void MoveTo(int32_t X, int32_t Y) override { Rec("MoveTo", {double(X), double(Y)}); }
  void Pie(const TRect&, double, double) override { Rec("PieAngles"); }
  void Pie(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override { Rec("Pie"); }
  void Rectangle(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) override;
  void RoundRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3) override;
  void StretchDraw(const TRect&, const TGraphic*) override { Rec("StretchDraw"); }
  void TextOut(int32_t X, int32_t Y, const String& Text) override;
  void ClipRectangle(const TRect& R) override;
  void EraseBackground(const TRect&) override { Rec("EraseBackground"); }
  void GradientFill(const TRect& R, TColor S, TColor E, TGradientDirection D, int32_t Balance = 50, int32_t RX = 0,
                    int32_t RY = 0) override;
  void Invalidate() override {}
  void Polyline(std::span<const TPoint> P) override;
  void PolylineFloat(std::span<const TPointFloat> P) override;
  void Polygon(std::span<const TPoint> P) override;
  void PolygonFloat(std::span<const TPointFloat> P) override;
  void RotateLabel(int32_t x, int32_t y, const String&, double Deg, bool = false) override
  {
    Rec("RotateLabel", {double(x), double(y), Deg});
  }
  void UnClipRectangle() override { Rec("UnClipRectangle"); }
  std::unique_ptr<TZuzBasePath> CreatePath(const TPointFloatArray&, const TPathPointTypes&) override;

  TColor GetPixel3D(int32_t, int32_t, int32_t) override { return clNone; }
  bool GetSupports3DText() override { return false; }
  void SetPixel3D(int32_t, int32_t, int32_t, TColor) override { Rec("SetPixel3D"); }
  void Calculate2DPosition(int32_t&, int32_t&, int32_t) override {}
  TPoint Calculate3DPosition(int32_t x, int32_t y, int32_t) override { return TPoint{x, y}; }
  void Calculate3DPosition(TPointFloat&, float) override {}
  TRect InitWindow(TCanvas*, TView3DOptions* O, TColor, bool, const TRect& R) override
  {
    F3DOptions = O;
    FBounds = R;
    return R;
  }
  void Projection(int32_t, const TRect&, const TRect&) override {}
  void ShowImage(TCanvas*, TCanvas*, const TRect&) override {}
  bool ReDrawBitmap() override { return false; }
  void Arrow(bool, const TPoint&, const TPoint&, int32_t, int32_t, int32_t, int32_t, double) override
  {
    Rec("Arrow3D");
  }
  void ClipCube(const TRect&, int32_t, int32_t) override { Rec("ClipCube"); }
  void Cone(bool, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool, int32_t) override { Rec("Cone"); }
  void Cube(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool, int32_t = 0) override { Rec("Cube"); }
  void Cube(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool, int32_t) override { Rec("Cube"); }
  void Cylinder(bool, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool) override { Rec("Cylinder"); }
  void EllipseWithZ(int32_t, int32_t, int32_t, int32_t, int32_t) override { Rec("EllipseWithZ"); }
  void Pie3D(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, double, double, bool, bool, int32_t,
             TCustomZuzGradient*, int32_t, TEdgeStyle, TZuzTransparency, int32_t, bool, bool) override
  {
    Rec("Pie3D");
  }
  void Plane3D(const TPoint&, const TPoint&, int32_t, int32_t) override { Rec("Plane3D"); }
  void PlaneWithZ(const TPoint&, const TPoint&, const TPoint&, const TPoint&, int32_t) override { Rec("PlaneWithZ"); }
  void PlaneFour3D(TFourPoints&, int32_t, int32_t) override { Rec("PlaneFour3D"); }
  void Polygon3D(std::span<const TPoint3D>) override { Rec("Polygon3D"); }
  void Pyramid(bool, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool) override { Rec("Pyramid"); }
  void RectangleWithZ(const TRect& R, int32_t Z) override
  {
    Rec("RectangleWithZ", {double(R.Left), double(R.Top), double(R.Right), double(R.Bottom), double(Z)});
  }
  void RectangleY(int32_t, int32_t, int32_t, int32_t, int32_t) override { Rec("RectangleY"); }
  void RectangleZ(int32_t, int32_t, int32_t, int32_t, int32_t) override { Rec("RectangleZ"); }
  void RotateLabel3D(int32_t, int32_t, int32_t, const String&, double, bool = false) override { Rec("RotateLabel3D"); }
  void Sphere(int32_t, int32_t, int32_t, double) override { Rec("Sphere"); }
  void Surface3D(TZuzCanvasSurfaceStyle, bool, bool, bool, int32_t, int32_t, const TCanvasSurfacePoints&,
                 std::unique_ptr<TZuzCachedObject>&) override
  {
    Rec("Surface3D");
  }
  void TextOut3D(int32_t, int32_t, int32_t, const String&, bool) override { Rec("TextOut3D"); }
  void Triangle3D(const TTrianglePoints3D&, const TTriangleColors3D& C) override { Rec("Triangle3D", {double(C[0])}); }
  void TriangleWithZ(const TPoint&, const TPoint&, const TPoint&, int32_t) override { Rec("TriangleWithZ"); }

private:
  TColor FBackColor = clWhite;
  TCanvasBackMode FBackMode = cbmTransparent;
  bool FMono = false;
  int32_t FAlign = 0;
};

// A path that records its operations into a canvas's log.
class TRecordingPath : public TZuzBasePath {
public:
  explicit TRecordingPath(TRecordingCanvas* C) : FC(C) {}
  void ArcTo(float X, float Y, float W, float H, float S, float Sweep) override
  {
    FC->Rec("Path.ArcTo", {X, Y, W, H, S, Sweep});
  }
  void Close() override { FC->Rec("Path.Close"); }
  void Curve(std::span<const TPoint>, float, bool) override { FC->Rec("Path.Curve"); }
  void Draw(TZuzCanvas*) override { FC->Rec("Path.Draw"); }
  void GetPoints(TPathPointTypes&, TPointFloatArray&, TRectF&) override {}
  void LineTo(float X, float Y) override { FC->Rec("Path.LineTo", {X, Y}); }
  void MoveTo(float X, float Y) override { FC->Rec("Path.MoveTo", {X, Y}); }
  void TextOut(float, float, const String&) override { FC->Rec("Path.TextOut"); }
  using TZuzBasePath::LineTo;
  using TZuzBasePath::MoveTo;

private:
  TRecordingCanvas* FC;
};
