#include "chart/canvas/Canvas3D.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"

#include <QImage>

#include <cmath>

int32_t CircleSteps = 180;

TZuzCachedObject::~TZuzCachedObject() = default;

TCanvas3D::TCanvas3D() = default;
TCanvas3D::~TCanvas3D() = default;

String TCanvas3D::ClassName() const { return QStringLiteral("TCanvas3D"); }

TVisualBlock* TCanvas3D::BeginEntity(const String&, TVisualBlock* Visual, TZuzTransform*) { return Visual; }
void TCanvas3D::EndEntity() {}
void TCanvas3D::DrawLighting(TEdgeStyle, int32_t, const TRect&, const TRect&, const TRect&, int32_t, int32_t,
                             const TPoint&, bool)
{
}
bool TCanvas3D::CheckFastBrush() { return false; }
String TCanvas3D::Description() { return String(); }
String TCanvas3D::EditorClass() { return String(); }
bool TCanvas3D::IsAvailable() { return true; }
bool TCanvas3D::RenderToBitmap(TBitmap*, const TRect&) { return false; }
void TCanvas3D::DisableRotation() {}
void TCanvas3D::EnableRotation() {}
void TCanvas3D::Triangles(std::span<const TPoint3D>, bool, std::unique_ptr<TZuzCachedObject>&) {}

void TCanvas3D::Assign(TCanvas3D* Source)
{
  if (!Source)
    return;
  SetMonochrome(Source->GetMonochrome());
  F3DOptions = Source->F3DOptions;
  FFontZoom = Source->FFontZoom;
}

void TCanvas3D::SmoothShadow(TZuzShadow* AShadow, const TRect& R, bool IsEllipse, int32_t RoundSize,
                             std::span<const TPoint> P, int32_t, double StartAngle, double EndAngle)
{
  Brush()->SetColor(AShadow->Color());
  Brush()->SetStyle(bsSolid);
  if (Pen()->Style() != psClear) {
    Pen()->SetStyle(psSolid);
    Pen()->SetColor(Brush()->Color());
  }
  auto EllipseOrPie = [&] {
    if (EndAngle - StartAngle == 360)
      TZuzCanvas::Ellipse(R);
    else
      Pie(R, StartAngle, EndAngle);
  };
  if (!P.empty()) {
    Polygon(P);
  } else if (IsEllipse) {
    if (AShadow->Smooth()) {
      TZuzGradient Saved;
      Saved.Assign(Gradient());
      TZuzGradient* G = Gradient();
      G->SetDirection(gdRadial);
      G->SetStartColor(ApplyDark(AShadow->Color(), 128));
      G->SetEndColor(AShadow->Color() == 0 ? clSilver : ApplyBright(AShadow->Color(), 32));
      G->SetVisible(true);
      const TPenStyle OldPen = Pen()->Style();
      Pen()->SetStyle(psClear);
      EllipseOrPie();
      Pen()->SetStyle(OldPen);
      G->Assign(&Saved);
      G->DoChanged();
    } else {
      EllipseOrPie();
    }
  } else if (RoundSize == 0) {
    FillRect(R);
  } else {
    RoundRect(R.Left, R.Top, R.Right, R.Bottom, RoundSize, RoundSize);
  }
}

// --- projection helpers ---------------------------------------------------------

TPoint TCanvas3D::Calculate3DPosition(const TPoint3D& P) { return Calculate3DPosition(P.x, P.y, P.z); }
TPoint TCanvas3D::Calculate3DPosition(const TPoint& P, int32_t z) { return Calculate3DPosition(P.X, P.Y, z); }

TRect TCanvas3D::CalcRect3D(const TRect& R, int32_t Z)
{
  const TPoint A = Calculate3DPosition(R.Left, R.Top, Z);
  const TPoint B = Calculate3DPosition(R.Right, R.Bottom, Z);
  return TRect{A.X, A.Y, B.X, B.Y};
}

void TCanvas3D::FourPointsFromRect(const TRect& R, int32_t Z, TFourPoints& P)
{
  P[0] = Calculate3DPosition(R.Left, R.Top, Z);
  P[1] = Calculate3DPosition(R.Right, R.Top, Z);
  P[2] = Calculate3DPosition(R.Right, R.Bottom, Z);
  P[3] = Calculate3DPosition(R.Left, R.Bottom, Z);
}

TRect TCanvas3D::RectFromRectZ(const TRect& R, int32_t Z)
{
  TFourPoints P;
  FourPointsFromRect(R, Z, P);
  return RectFromPolygon(P, 4);
}

TPointArray TCanvas3D::Calc3DPoints(std::span<const TPoint> Points, int32_t z)
{
  TPointArray R(Points.size());
  for (size_t i = 0; i < Points.size(); ++i)
    R[i] = Calculate3DPosition(Points[i].X, Points[i].Y, z);
  return R;
}

TPointFloatArray TCanvas3D::Calc3DPointsFloat(std::span<const TPointFloat> Points, float Z)
{
  TPointFloatArray R(Points.begin(), Points.end());
  for (TPointFloat& P : R)
    Calculate3DPosition(P, Z);
  return R;
}

TPointArray TCanvas3D::CubeHull(const TRect& Rect, int32_t MinZ, int32_t MaxZ)
{
  TPointArray P{Calculate3DPosition(Rect.Left, Rect.Bottom, MinZ), Calculate3DPosition(Rect.Left, Rect.Bottom, MaxZ),
                Calculate3DPosition(Rect.Left, Rect.Top, MaxZ),    Calculate3DPosition(Rect.Right, Rect.Top, MaxZ),
                Calculate3DPosition(Rect.Right, Rect.Top, MinZ),   Calculate3DPosition(Rect.Right, Rect.Bottom, MinZ),
                Calculate3DPosition(Rect.Left, Rect.Top, MinZ),    Calculate3DPosition(Rect.Right, Rect.Bottom, MaxZ)};
  TZuzCanvas3D::ConvexHull(P);
  return P;
}

TPointFloat TCanvas3D::PointFromCircle(const TRect& Rect, double Degrees, float zPos, bool ClockWise)
{
  const double CX = (Rect.Left + Rect.Right) / 2, CY = (Rect.Top + Rect.Bottom) / 2;
  const double HW = (Rect.Right - Rect.Left) * 0.5, HH = (Rect.Bottom - Rect.Top) * 0.5;
  const double A = Degrees * DegToRad;
  TPointFloat P{static_cast<float>(CX + HW * std::cos(A)),
                static_cast<float>(ClockWise ? CY + HH * std::sin(A) : CY - HH * std::sin(A))};
  if (zPos != 0)
    Calculate3DPosition(P, zPos);
  return P;
}

TPoint TCanvas3D::PointFromSpiral(const TRect& Rect, double Degrees, double Twist)
{
  const double A = Degrees * DegToRad;
  const double Rho = std::min((Rect.Right - Rect.Left) * 0.5, (Rect.Bottom - Rect.Top) * 0.5) * std::exp(A * Twist);
  return TPoint{PixelRound(Rho * std::cos(A)) + (Rect.Left + Rect.Right) / 2,
                PixelRound(Rho * std::sin(A)) + (Rect.Top + Rect.Bottom) / 2};
}

TPointArray TCanvas3D::GetArrowPoints(float ArrowPercent, const TPoint& FromPoint, const TPoint& ToPoint,
                                      int32_t ArrowWidth, int32_t ArrowHeight, int32_t Z)
{
  // The outline in the chart plane, each point then projected at depth Z.
  TPointArray P = TZuzCanvas::GetArrowPoints(ArrowPercent, FromPoint, ToPoint, ArrowWidth, ArrowHeight);
  for (TPoint& Q : P)
    Q = Calculate3DPosition(Q, Z);
  return P;
}

void TCanvas3D::TrianglePointsTo2D(const TTrianglePoints3D& P, TTrianglePoints& Result)
{
  for (size_t i = 0; i < 3; ++i)
    Result[i] = Calculate3DPosition(P[i]);
}

// --- drawing built on the projection ------------------------------------------------

void TCanvas3D::Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t StartX, int32_t StartY,
                    int32_t EndX, int32_t EndY, int32_t Z)
{
  const TRect R = CalcRect3D(TRect{Left, Top, Right, Bottom}, Z);
  const TPoint S = Calculate3DPosition(StartX, StartY, Z);
  const TPoint E = Calculate3DPosition(EndX, EndY, Z);
  Arc(R.Left, R.Top, R.Right, R.Bottom, S.X, S.Y, E.X, E.Y);
}

void TCanvas3D::Arrow(bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int32_t ArrowWidth,
                      int32_t ArrowHeight, int32_t Z)
{
  Arrow(Filled, FromPoint, ToPoint, ArrowWidth, ArrowHeight, Z, Z, 50);
}

void TCanvas3D::Cube(const TRect& R, int32_t Z0, int32_t Z1, bool DarkSides, int32_t RoundSize)
{
  Cube(R.Left, R.Right, R.Top, R.Bottom, Z0, Z1, DarkSides, RoundSize);
}

void TCanvas3D::Diamond(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0, int32_t Z1)
{
  const int32_t CX = (Left + Right) / 2, CY = (Top + Bottom) / 2;
  const TPoint P[4] = {{CX, Top}, {Right, CY}, {CX, Bottom}, {Left, CY}};
  PolygonWithZ(P, (Z0 + Z1) / 2);
}

void TCanvas3D::Diamond(const TRect& R, int32_t Z0, int32_t Z1) { Diamond(R.Left, R.Top, R.Right, R.Bottom, Z0, Z1); }

void TCanvas3D::EllipseWithZ(const TRect& Rect, int32_t Z)
{
  EllipseWithZ(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom, Z);
}

void TCanvas3D::MoveTo3D(int32_t X, int32_t Y, int32_t Z) { MoveTo(Calculate3DPosition(X, Y, Z)); }
void TCanvas3D::LineTo3D(int32_t X, int32_t Y, int32_t Z) { LineTo(Calculate3DPosition(X, Y, Z)); }
void TCanvas3D::MoveTo3D(float X, float Y, float Z) { MoveTo3D(PixelRound(X), PixelRound(Y), PixelRound(Z)); }
void TCanvas3D::LineTo3D(float X, float Y, float Z) { LineTo3D(PixelRound(X), PixelRound(Y), PixelRound(Z)); }
void TCanvas3D::MoveTo3D(const TPoint3D& P) { MoveTo3D(P.x, P.y, P.z); }
void TCanvas3D::LineTo3D(const TPoint3D& P) { LineTo3D(P.x, P.y, P.z); }

void TCanvas3D::LineWithZ(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Z)
{
  MoveTo3D(X0, Y0, Z);
  LineTo3D(X1, Y1, Z);
}

void TCanvas3D::LineWithZ(const TPoint& FromPoint, const TPoint& ToPoint, int32_t Z)
{
  LineWithZ(FromPoint.X, FromPoint.Y, ToPoint.X, ToPoint.Y, Z);
}

void TCanvas3D::HorizLine3D(int32_t Left, int32_t Right, int32_t Y, int32_t Z)
{
  MoveTo3D(Left, Y, Z);
  LineTo3D(Right, Y, Z);
}

void TCanvas3D::VertLine3D(int32_t X, int32_t Top, int32_t Bottom, int32_t Z)
{
  MoveTo3D(X, Top, Z);
  LineTo3D(X, Bottom, Z);
}

void TCanvas3D::ZLine3D(int32_t X, int32_t Y, int32_t Z0, int32_t Z1)
{
  MoveTo3D(X, Y, Z0);
  LineTo3D(X, Y, Z1);
}

void TCanvas3D::FrontPlaneBegin()
{
  if (IDisabledRotation == 0)
    DisableRotation();
  ++IDisabledRotation;
}

void TCanvas3D::FrontPlaneEnd()
{
  --IDisabledRotation;
  if (IDisabledRotation == 0)
    EnableRotation();
}

void TCanvas3D::RoundRect(const TRect& R, int32_t X, int32_t Y, int32_t Z0, int32_t)
{
  if (GetSupportsFullRotation()) {
    RectangleWithZ(R, Z0);
    return;
  }
  const TRect P = CalcRect3D(R, Z0);
  RoundRect(P.Left, P.Top, P.Right, P.Bottom, X, Y);
}

void TCanvas3D::RoundRectWithZ(const TRect& R, int32_t, int32_t, int32_t Z) { RectangleWithZ(R, Z); }

void TCanvas3D::Polygon3DConcave(std::span<const TPoint3DFloat> Points, bool Invert)
{
  std::vector<TPoint3D> P(Points.size());
  for (size_t i = 0; i < Points.size(); ++i)
    P[i] = TPoint3D{PixelRound(Points[i].X), PixelRound(Points[i].Y), PixelRound(Points[i].Z)};
  Polygon3DConcave(std::span<const TPoint3D>(P), Invert);
}

void TCanvas3D::Polygon3DConcave(std::span<const TPoint3D> Points, bool) { Polygon3D(Points); }

std::span<const TPoint> TCanvas3D::ProjectToScratch(std::span<const TPoint> Points, int32_t Z)
{
  IScratch.resize(Points.size());
  for (size_t i = 0; i < Points.size(); ++i)
    IScratch[i] = Calculate3DPosition(Points[i].X, Points[i].Y, Z);
  return IScratch;
}

void TCanvas3D::PolygonWithZ(std::span<const TPoint> Points, int32_t Z) { Polygon(ProjectToScratch(Points, Z)); }
void TCanvas3D::PolygonConcave(std::span<const TPoint> Points, int32_t Z) { PolygonWithZ(Points, Z); }
void TCanvas3D::Polyline(std::span<const TPoint> Points, int32_t Z) { Polyline(ProjectToScratch(Points, Z)); }

void TCanvas3D::PolygonFloatWithZ(std::span<const TPointFloat> Points, float Z)
{
  PolygonFloat(Calc3DPointsFloat(Points, Z));
}
void TCanvas3D::PolylineWithZ(std::span<const TPointFloat> Points, float Z)
{
  PolylineFloat(Calc3DPointsFloat(Points, Z));
}

void TCanvas3D::PlaneWithZ(const TFourPoints& P, int32_t Z) { PlaneWithZ(P[0], P[1], P[2], P[3], Z); }
void TCanvas3D::Rectangle(const TRect& R, int32_t Z) { RectangleWithZ(R, Z); }
void TCanvas3D::Rectangle(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Z)
{
  RectangleWithZ(TRect{X0, Y0, X1, Y1}, Z);
}

void TCanvas3D::RotatedEllipse(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z, double Angle)
{
  const int32_t N = std::max(2, CircleSteps);
  TPointFloatArray P(static_cast<size_t>(N));
  const double CX = (Left + Right) * 0.5, CY = (Top + Bottom) * 0.5;
  const double SA = std::sin(Angle * DegToRad), CA = std::cos(Angle * DegToRad);
  for (int32_t i = 0; i < N; ++i) {
    const double T = i * 2 * 3.14159265358979323846 / (N - 1);
    const double U = (CX - Left) * std::sin(T), V = (CY - Top) * std::cos(T);
    P[static_cast<size_t>(i)] =
        TPointFloat{static_cast<float>(CX + U * CA + V * SA), static_cast<float>(CY - U * SA + V * CA)};
  }
  if (Brush()->Style() != bsClear)
    PolygonFloatWithZ(P, static_cast<float>(Z));
  else if (Pen()->Style() != psClear)
    PolylineWithZ(P, static_cast<float>(Z));
}

void TCanvas3D::TextOut3D(int32_t x, int32_t y, int32_t z, const String& Text) { TextOut3D(x, y, z, Text, false); }

void TCanvas3D::AssignFont3D(TZuzFont* AFont)
{
  if (!GetSupports3DText() && F3DOptions && F3DOptions->ZoomText() != ztNo && F3DOptions->Zoom() != 100)
    AssignFontSize(AFont, static_cast<float>(AFont->SizeFloat() * F3DOptions->ZoomFloat() * 0.01));
  else
    AssignFont(AFont);
}

void TCanvas3D::StretchDraw(const TRect& Rect, const TGraphic* Graphic, double Pos, TCanvas3DPlane Plane)
{
  if (!Graphic || Graphic->Empty())
    return;
  Pen()->SetStyle(psClear);
  TBitmap Copy;
  const TBitmap* B = dynamic_cast<const TBitmap*>(Graphic);
  if (!B) {
    Copy.Assign(const_cast<TGraphic*>(Graphic));
    B = &Copy;
  }
  const int32_t W = B->Width(), H = B->Height();
  if (W == 0 || H == 0)
    return;
  const double SY = double(Rect.Bottom - Rect.Top) / H, SX = double(Rect.Right - Rect.Left) / W;
  const int32_t P = PixelRound(Pos);
  TCanvas* DC = ReferenceCanvas();
  const bool Fast = DC && ZuzSetDCBrushColor && CheckFastBrush();
  SetAntiAlias(false);
  auto Project = [&](int32_t X, int32_t Y) {
    switch (Plane) {
    case cpX:
      return Calculate3DPosition(P, Y, X);
    case cpY:
      return Calculate3DPosition(X, P, Y);
    case cpZ:
      break;
    }
    return Calculate3DPosition(X, Y, P);
  };
  const QImage* Img = B->ImageData();
  int32_t Y0 = Rect.Top;
  for (int32_t r = 0; r < H; ++r) {
    const int32_t Y1 = PixelRound((r + 1) * SY) + Rect.Top;
    int32_t X0 = Rect.Left;
    const auto* Line = reinterpret_cast<const QRgb*>(Img->constScanLine(r));
    for (int32_t c = 0; c < W; ++c) {
      const int32_t X1 = PixelRound((c + 1) * SX) + Rect.Left;
      const TColor Color = RGBColor(qRed(Line[c]), qGreen(Line[c]), qBlue(Line[c]));
      if (Fast)
        ZuzSetDCBrushColor(DC, Color);
      else
        Brush()->SetColor(Color);
      const TPoint Q[4] = {Project(X0, Y0), Project(X1, Y0), Project(X1, Y1), Project(X0, Y1)};
      Polygon(Q);
      X0 = X1;
    }
    Y0 = Y1;
  }
  SetAntiAlias(true);
  if (Fast)
    DC->SelectDCBrush(false);
}

void TCanvas3D::TriSurface(int32_t NumTriangles, bool, bool, TZuzBlend* Blend, TZuzTransparency Transparency,
                           const TCanvasTrianglePoints& CalcPoints, std::unique_ptr<TZuzCachedObject>&)
{
  if (NumTriangles <= 0 || !CalcPoints)
    return;
  for (int32_t Index = 1; Index <= NumTriangles; ++Index) {
    TTrianglePoints3D P;
    TTriangleColors3D C{};
    CalcPoints(Index, P, C);
    if (Blend) {
      TTrianglePoints T;
      TrianglePointsTo2D(P, T);
      Blend->SetRectangle(RectFromTriangle(T));
    }
    Triangle3D(P, C);
    if (Blend)
      Blend->DoBlend(Transparency);
  }
}

// --- canvas kinds ------------------------------------------------------------------------

std::vector<TCanvasClass>& ZuzRenderClasses()
{
  static std::vector<TCanvasClass> List{{QStringLiteral("TZuzCanvas3D"), []() -> std::unique_ptr<TCanvas3D> {
                                           return std::make_unique<TZuzCanvas3D>();
                                         }}};
  return List;
}

void RegisterCanvasClass(const String& ClassName, TCanvas3DFactory Create)
{
  auto& L = ZuzRenderClasses();
  for (auto& C : L)
    if (C.ClassName.compare(ClassName, Qt::CaseInsensitive) == 0) {
      C.Create = Create;
      return;
    }
  L.push_back({ClassName, Create});
}

void UnregisterCanvasClass(const String& ClassName)
{
  auto& L = ZuzRenderClasses();
  std::erase_if(L, [&](const TCanvasClass& C) { return C.ClassName.compare(ClassName, Qt::CaseInsensitive) == 0; });
}

const TCanvasClass* FindCanvasClass(const String& ClassName)
{
  for (const auto& C : ZuzRenderClasses())
    if (C.ClassName.compare(ClassName, Qt::CaseInsensitive) == 0)
      return &C;
  return nullptr;
}
