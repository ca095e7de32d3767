#include "chart/canvas/ZuzCanvas3D.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/ClipHistory.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzShadow.h"

#include "rtl/Exceptions.h"

#include <QImage>

#include <cmath>

void (*ZuzSetDCBrushColor)(TCanvas*, TColor) = [](TCanvas* DC, TColor C) { DC->SetDCBrushColor(C); };
void (*ZuzSetDCPenColor)(TCanvas*, TColor) = [](TCanvas* DC, TColor C) { DC->SetDCPenColor(C); };

TZuzCanvas3D::TZuzCanvas3D()
{
  FFontZoom = 100;
  IZoomText = true;
  FontQuality = fqBest;
  FBufferedDisplay = true;
  FDirty = true;
}

TZuzCanvas3D::~TZuzCanvas3D()
{
  if (FCanvas == (FBitmap ? FBitmap->Canvas() : nullptr))
    FCanvas = nullptr;
  DeleteBitmap();
}

String TZuzCanvas3D::ClassName() const { return QStringLiteral("TZuzCanvas3D"); }
String TZuzCanvas3D::Description() { return QStringLiteral("GDI"); }

// --- device state --------------------------------------------------------------------

TColor TZuzCanvas3D::GetBackColor() { return FCanvas ? FCanvas->BkColor() : clWhite; }

TCanvasBackMode TZuzCanvas3D::GetBackMode()
{
  if (!FCanvas)
    return cbmNone;
  return FCanvas->BkMode() == OPAQUE ? cbmOpaque : cbmTransparent;
}

TCanvas* TZuzCanvas3D::GetHandle() { return FCanvas; }
bool TZuzCanvas3D::GetIsNoBMPGrid() { return false; }
bool TZuzCanvas3D::GetMonochrome() { return FMonochrome; }
TColor TZuzCanvas3D::GetPixel(int32_t X, int32_t Y) { return FCanvas ? FCanvas->Pixel(X, Y) : CLR_INVALID; }
bool TZuzCanvas3D::GetSupportsFullRotation() { return false; }
bool TZuzCanvas3D::GetSupportsXORMode() { return true; }
int32_t TZuzCanvas3D::GetTextAlign() { return FCanvas ? FCanvas->TextAlign() : 0; }
bool TZuzCanvas3D::GetUseBuffer() { return FBufferedDisplay; }
bool TZuzCanvas3D::GetSupports3DText() { return false; }

void TZuzCanvas3D::SetBackColor(TColor Color)
{
  if (FCanvas)
    FCanvas->SetBkColor(Color);
}

void TZuzCanvas3D::SetBackMode(TCanvasBackMode Mode)
{
  if (!FCanvas || Mode == cbmNone)
    return;
  FCanvas->SetBkMode(Mode == cbmOpaque ? OPAQUE : TRANSPARENT);
}

void TZuzCanvas3D::SetMonochrome(bool Value)
{
  if (FMonochrome == Value)
    return;
  FMonochrome = Value;
  FDirty = true;
  if (F3DOptions)
    F3DOptions->Repaint();
}

void TZuzCanvas3D::SetPixel(int32_t X, int32_t Y, TColor Value)
{
  if (FCanvas)
    FCanvas->SetPixel(X, Y, Value);
}

void TZuzCanvas3D::SetTextAlign(int32_t Align)
{
  if (FCanvas)
    FCanvas->SetTextAlign(Align);
}

void TZuzCanvas3D::SetFastLine(bool Value) { IFastLine = Value ? FCanvas : nullptr; }

void TZuzCanvas3D::FastLineTo(int32_t X, int32_t Y)
{
  if (IFastLine)
    IFastLine->LineTo(X, Y);
  else
    LineTo(X, Y);
}

void TZuzCanvas3D::Invalidate() { FDirty = true; }

// --- buffer ------------------------------------------------------------------------

void TZuzCanvas3D::SetUseBuffer(bool Value)
{
  if (FBufferedDisplay == Value)
    return;
  FBufferedDisplay = Value;
  if (!FBitmap)
    return;
  if (!Value) {
    if (!IKeepBitmap) {
      if (FCanvas == FBitmap->Canvas())
        FCanvas = nullptr;
      DeleteBitmap();
      SetCanvas(nullptr);
      FDirty = true;
    }
  } else {
    SetCanvas(FBitmap->Canvas());
  }
}

std::unique_ptr<TBitmap> TZuzCanvas3D::SetBitmap(std::unique_ptr<TBitmap> Value)
{
  if (FBitmap && FCanvas == FBitmap->Canvas())
    FCanvas = Value ? Value->Canvas() : nullptr;
  std::swap(FBitmap, Value);
  return Value;
}

void TZuzCanvas3D::DeleteBitmap()
{
  if (FBitmap && FCanvas == FBitmap->Canvas())
    FCanvas = nullptr;
  FBitmap.reset();
}

QImage* TZuzCanvas3D::BufferImage() const { return FBitmap ? FBitmap->ImageData() : nullptr; }

TRect TZuzCanvas3D::InitWindow(TCanvas* DestCanvas, TView3DOptions* A3DOptions, TColor, bool Is3D,
                               const TRect& UserRect)
{
  FBounds = UserRect;
  TRect Result;
  if (GetUseBuffer()) {
    const int32_t W = UserRect.Right - UserRect.Left, H = UserRect.Bottom - UserRect.Top;
    if (!FBitmap) {
      FBitmap = std::make_unique<TBitmap>();
      FBitmap->SetIgnorePalette(true);
    }
    ZuzSetBitmapSize(FBitmap.get(), W, H);
    SetCanvas(FBitmap->Canvas());
    Result = TRect{0, 0, W, H};
  } else {
    SetCanvas(DestCanvas);
    Result = UserRect;
  }
  SetBackMode(cbmOpaque);

  F3DOptions = A3DOptions;
  if (F3DOptions) {
    FFontZoom = F3DOptions->FontZoom();
    IZoomText = F3DOptions->ZoomText() != ztNo;
  }
  FIs3D = Is3D;
  FIsOrthogonal = false;
  IZoomFactor = 1;
  if (Is3D && F3DOptions) {
    FIsOrthogonal = F3DOptions->Orthogonal();
    if (FIsOrthogonal) {
      double A = F3DOptions->OrthoAngle();
      if (A > 90) {
        IOrthoX = -1;
        A = 180 - A;
      } else {
        IOrthoX = 1;
      }
      const double S = std::sin(A * DegToRad), C = std::cos(A * DegToRad);
      IOrthoY = C < 0.01 ? 1 : S / C;
    }
  }
  if (Is3D)
    CalcTrigValues();
  return Result;
}

void TZuzCanvas3D::ShowImage(TCanvas* DestCanvas, TCanvas* DefaultCanvas, const TRect& UserRect)
{
  if (GetUseBuffer() && FBitmap) {
    TransferBitmap(UserRect.Left, UserRect.Top, DestCanvas);
    FDirty = false;
  }
  SetCanvas(DefaultCanvas);
}

void TZuzCanvas3D::TransferBitmap(int32_t X, int32_t Y, TCanvas* DestCanvas)
{
  if (!FBitmap)
    return;
  if (!DestCanvas || !DestCanvas->BitBlt(X, Y, FBitmap->Width(), FBitmap->Height(), FBitmap->Canvas(), 0, 0))
    throw EInvalidOperation(QStringLiteral("Error 6 transferring internal Bitmap using BitBlt"));
}

bool TZuzCanvas3D::ReDrawBitmap()
{
  if (FDirty)
    return false;
  TransferBitmap(0, 0, FCanvas);
  return true;
}

bool TZuzCanvas3D::RenderToBitmap(TBitmap* ABitmap, const TRect& R)
{
  if (!ABitmap || FDirty || !GetUseBuffer() || !FBitmap)
    return false;
  if (!(R == TRect{0, 0, FBitmap->Width(), FBitmap->Height()}))
    return false;
  ABitmap->Assign(FBitmap.get());
  return true;
}

// --- projection ---------------------------------------------------------------------

void TZuzCanvas3D::CalcTrigValues()
{
  if (FIsOrthogonal)
    return;
  double E = 0, R = 0;
  int32_t T = 0;
  if (F3DOptions) {
    E = -F3DOptions->ElevationFloat();
    R = -F3DOptions->RotationFloat();
    T = F3DOptions->Tilt();
  }
  IHasPerspec = false;
  IZoomPerspec = 0;
  s1 = std::sin(E * DegToRad);
  c1 = std::cos(E * DegToRad);
  s2 = std::sin(R * DegToRad);
  c2 = std::cos(R * DegToRad);
  IHasTilt = T != 0;
  s3 = std::sin(T * DegToRad);
  c3 = std::cos(T * DegToRad);
  c2s3 = c2 * s3;
  c2c3 = std::max(c2 * c3, 0.00001);
  tempXX = std::max(s1 * s2 * s3 + c1 * c3, 0.00001);
  tempYX = c3 * s1 * s2 - c1 * s3;
  tempXZ = c1 * s2 * s3 - c3 * s1;
  tempYZ = c1 * c3 * s2 + s1 * s3;
}

void TZuzCanvas3D::Projection(int32_t MaxDepth, const TRect&, const TRect& Rect)
{
  FXCenter = (Rect.Left + Rect.Right) / 2 + PixelRound(RotationCenter.X);
  FYCenter = (Rect.Top + Rect.Bottom) / 2 + PixelRound(RotationCenter.Y);
  FZCenter = PixelRound(MaxDepth * 0.5 + RotationCenter.Z);
  XCenterOffset = FXCenter;
  YCenterOffset = FYCenter;
  if (F3DOptions) {
    XCenterOffset += F3DOptions->HorizOffset();
    YCenterOffset += F3DOptions->VertOffset();
    if (FIs3D)
      IZoomFactor = F3DOptions->Zoom() * 0.01;
    IHasPerspec = F3DOptions->Perspective() > 0;
    if (IHasPerspec) {
      const int32_t W = std::max(1, Rect.Right - Rect.Left);
      IZoomPerspec = F3DOptions->Perspective() * IZoomFactor / 120.0 / W;
    }
  }
}

TPoint TZuzCanvas3D::Calculate3DPosition(int32_t x, int32_t y, int32_t z)
{
  const double F = IZoomFactor;
  if (FIsOrthogonal) {
    if (z == 0)
      return TPoint{PixelRound((x - FXCenter) * F) + XCenterOffset, PixelRound((y - FYCenter) * F) + YCenterOffset};
    return TPoint{PixelRound((x - FXCenter + z * IOrthoX) * F) + XCenterOffset,
                  PixelRound((y - FYCenter - z * IOrthoY) * F) + YCenterOffset};
  }
  if (!FIs3D)
    return TPoint{x, y};
  const int32_t X1 = x - FXCenter, Y1 = y - FYCenter, Z1 = z - FZCenter;
  const double T = Z1 * c2 - X1 * s2;
  const double A = X1 * c2 + Z1 * s2;
  const double B = Y1 * c1 - T * s1;
  double G = F;
  if (IHasPerspec)
    G = F / ((T * c1 + Y1 * s1) * IZoomPerspec + 1);
  if (!IHasTilt)
    return TPoint{PixelRound(A * G) + XCenterOffset, PixelRound(B * G) + YCenterOffset};
  return TPoint{PixelRound((A * c3 - B * s3) * G) + XCenterOffset, PixelRound((B * c3 + A * s3) * G) + YCenterOffset};
}

void TZuzCanvas3D::Calculate3DPosition(TPointFloat& P, float zPos)
{
  const float F = static_cast<float>(IZoomFactor);
  if (FIsOrthogonal) {
    P.x = (P.x - FXCenter + zPos * static_cast<float>(IOrthoX)) * F + XCenterOffset;
    P.y = (P.y - FYCenter - zPos * static_cast<float>(IOrthoY)) * F + YCenterOffset;
    return;
  }
  if (!FIs3D) {
    P.x = (P.x - FXCenter) * F + XCenterOffset;
    P.y = (P.y - FYCenter) * F + YCenterOffset;
    return;
  }
  const float X1 = P.x - FXCenter, Y1 = P.y - FYCenter, Z1 = zPos - FZCenter;
  const float C1 = float(c1), S1 = float(s1), C2 = float(c2), S2 = float(s2), C3 = float(c3), S3 = float(s3);
  const float T = Z1 * C2 - X1 * S2;
  const float A = X1 * C2 + Z1 * S2;
  const float B = Y1 * C1 - T * S1;
  float G = F;
  if (IHasPerspec)
    G = F / ((T * C1 + Y1 * S1) * float(IZoomPerspec) + 1);
  P.x = (A * C3 - B * S3) * G + XCenterOffset;
  P.y = (B * C3 + A * S3) * G + YCenterOffset;
}

void TZuzCanvas3D::Calculate2DPosition(int32_t& x, int32_t& y, int32_t z)
{
  if (IZoomFactor == 0)
    return;
  const double K = 1 / IZoomFactor;
  if (FIsOrthogonal) {
    x = PixelRound((x - XCenterOffset) * K - z * IOrthoX) + FXCenter;
    y = PixelRound((y - YCenterOffset) * K + z * IOrthoY) + FYCenter;
    return;
  }
  if (FIs3D && tempXX != 0 && c2c3 != 0) {
    const int32_t X0 = x, Y0 = y, Z1 = z - FZCenter;
    x = PixelRound(((X0 - XCenterOffset) * K - Z1 * tempXZ - (Y0 - FYCenter) * c2s3) / tempXX) + FXCenter;
    y = PixelRound(((Y0 - YCenterOffset) * K - Z1 * tempYZ - (X0 - FXCenter) * tempYX) / c2c3) + FYCenter;
  }
}

void TZuzCanvas3D::DisableRotation()
{
  FWas3D = FIs3D;
  FIs3D = false;
}

void TZuzCanvas3D::EnableRotation() { FIs3D = FWas3D; }

// --- lines ---------------------------------------------------------------------------

void TZuzCanvas3D::MoveTo(int32_t X, int32_t Y)
{
  if (FCanvas)
    FCanvas->MoveTo(X, Y);
}

void TZuzCanvas3D::LineTo(int32_t X, int32_t Y)
{
  if (FCanvas)
    FCanvas->LineTo(X, Y);
}

void TZuzCanvas3D::Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t StartX, int32_t StartY,
                       int32_t EndX, int32_t EndY)
{
  if (FCanvas)
    FCanvas->Arc(Left, Top, Right, Bottom, StartX, StartY, EndX, EndY);
}

void TZuzCanvas3D::ArcTo(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4,
                         bool ClockWise)
{
  TZuzCanvas::ArcTo(X1, Y1, X2, Y2, X3, Y3, X4, Y4, ClockWise);
}

void TZuzCanvas3D::Polyline(std::span<const TPoint> Points)
{
  if (FCanvas)
    FCanvas->Polyline(Points);
}

namespace {
std::span<const TPoint> RoundInto(TPointArray& Scratch, std::span<const TPointFloat> Points)
{
  Scratch.resize(Points.size());
  for (size_t i = 0; i < Points.size(); ++i)
    Scratch[i] = TPoint{PixelRound(Points[i].x), PixelRound(Points[i].y)};
  return Scratch;
}
} // namespace

void TZuzCanvas3D::PolylineFloat(std::span<const TPointFloat> Points) { Polyline(RoundInto(IScratch, Points)); }

void TZuzCanvas3D::PolylineFloat(std::span<const TPoint3DFloat> Points)
{
  TPointFloatArray P(Points.size());
  for (size_t i = 0; i < Points.size(); ++i) {
    P[i] = TPointFloat{Points[i].X, Points[i].Y};
    Calculate3DPosition(P[i], Points[i].Z);
  }
  PolylineFloat(std::span<const TPointFloat>(P));
}

// --- shapes with picture and gradient fills -------------------------------------------

void TZuzCanvas3D::Rectangle(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1)
{
  if (!FCanvas)
    return;
  bool Filled = false;
  if (FBrush->HasGraphic()) {
    FCanvas->StretchDraw(TRect{X0, Y0, X1, Y1}, FBrush->Image()->Filtered());
    Filled = true;
  } else if (IsGradientVisible()) {
    GradientFill(FBrush->Gradient(), TRect{X0, Y0, X1, Y1});
    Filled = true;
  }
  if (Filled)
    FCanvas->Brush()->SetStyle(bsClear);
  FCanvas->Rectangle(X0, Y0, X1, Y1);
  if (Filled)
    DoChangedBrush(FBrush.get());
}

void TZuzCanvas3D::RoundRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3)
{
  if (!FCanvas)
    return;
  bool Filled = false;
  if (FBrush->HasGraphic() || IsGradientVisible()) {
    const TRect R{X1, Y1, X2, Y2};
    ClipRectangle(R, X3, Y3);
    if (FBrush->HasGraphic())
      FCanvas->StretchDraw(R, FBrush->Image()->Filtered());
    else
      GradientFill(FBrush->Gradient(), R);
    UnClipRectangle();
    Filled = true;
    FCanvas->Brush()->SetStyle(bsClear);
  }
  FCanvas->RoundRect(X1, Y1, X2, Y2, X3, Y3);
  if (Filled)
    DoChangedBrush(FBrush.get());
}

void TZuzCanvas3D::Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2)
{
  if (!FCanvas)
    return;
  if (FCanvas->Brush()->Style() != FBrush->Style())
    DoChangedBrush(FBrush.get());
  bool Filled = false;
  if (IsGradientVisible()) {
    const TRect R{X1, Y1, X2 + 1, Y2 + 1};
    ClipEllipse(R);
    GradientFill(FBrush->Gradient(), R);
    UnClipRectangle();
    Filled = true;
    FCanvas->Brush()->SetStyle(bsClear);
  }
  FCanvas->Ellipse(X1, Y1, X2, Y2);
  if (Filled)
    DoChangedBrush(FBrush.get());
}

void TZuzCanvas3D::Polygon(std::span<const TPoint> Points)
{
  if (!FCanvas || Points.empty())
    return;
  const bool Picture = FBrush->HasGraphic();
  const bool Gradient = !Picture && IsGradientVisible();
  if (Picture || Gradient) {
    ClipPolygon(Points, static_cast<int32_t>(Points.size()), false);
    const TRect B = PolygonBounds(Points);
    if (Picture)
      FCanvas->StretchDraw(B, FBrush->Image()->Filtered());
    else
      GradientFill(FBrush->Gradient(), B);
    UnClipRectangle();
    FCanvas->Brush()->SetStyle(bsClear);
  }
  FCanvas->Polygon(Points);
}

void TZuzCanvas3D::PolygonFloat(std::span<const TPointFloat> Points) { Polygon(RoundInto(IScratch, Points)); }

void TZuzCanvas3D::Pie(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4)
{
  if (!FCanvas)
    return;
  const bool Same = X3 == X4 && Y3 == Y4;
  bool Filled = false;
  if (IsGradientVisible() && !Same) {
    FCanvas->BeginPath();
    FCanvas->Pie(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    FCanvas->EndPath();
    SetCanvasRegion(FCanvas, FCanvas->PathToRegion(), RGN_AND);
    GradientFill(FBrush->Gradient(), TRect{X1, Y1, X2, Y2});
    UnClipRectangle();
    Filled = true;
    FCanvas->Brush()->SetStyle(bsClear);
  }
  if (!Same)
    FCanvas->Pie(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  if (Filled)
    DoChangedBrush(FBrush.get());
}

void TZuzCanvas3D::Pie(const TRect& R, double StartAngle, double EndAngle)
{
  const double D = EndAngle - StartAngle;
  if (std::fabs(D - 360) < 0.05 && std::fabs(D) > 180) {
    TZuzCanvas::Ellipse(R);
    return;
  }
  const double CX = (R.Left + R.Right) * 0.5, CY = (R.Top + R.Bottom) * 0.5;
  auto Radial = [&](double A) {
    const double T = A * DegToRad;
    return TPoint{PixelRound((R.Right - R.Left) * std::cos(T) + CX), PixelRound(CY - (R.Bottom - R.Top) * std::sin(T))};
  };
  const TPoint S = Radial(StartAngle), E = Radial(EndAngle);
  if (!(S == E)) {
    Pie(R.Left, R.Top, R.Right, R.Bottom, S.X, S.Y, E.X, E.Y);
    return;
  }
  if (std::fabs(D - 360) < 1 && std::fabs(D) > 180)
    TZuzCanvas::Ellipse(R);
  else
    Pie(R.Left, R.Top, R.Right, R.Bottom, S.X, S.Y, E.X, E.Y);
  Line(PixelRound(CX), PixelRound(CY), R.Right, S.Y);
}

void TZuzCanvas3D::Donut(int32_t XCenter, int32_t YCenter, int32_t XRadius, int32_t YRadius, double StartAngle,
                         double EndAngle, double HolePercent)
{
  if (!FCanvas)
    return;
  const double HX = XRadius * HolePercent * 0.01, HY = YRadius * HolePercent * 0.01;
  auto At = [&](double A) {
    const double T = A * DegToRad;
    return TPoint{PixelRound(XRadius * std::cos(T)) + XCenter, YCenter - PixelRound(YRadius * std::sin(T))};
  };
  const TPoint S = At(StartAngle), E = At(EndAngle);
  // A full turn: start and end meet after nearly 2 pi radians of sweep.
  const bool FullTurn = std::fabs(EndAngle - StartAngle) * DegToRad > 6.2731853;
  const TRect Outer{XCenter - XRadius, YCenter - YRadius, XCenter + XRadius, YCenter + YRadius};
  auto BuildPath = [&] {
    FCanvas->BeginPath();
    if (!(S == E) || FullTurn) {
      if (HolePercent != 0) {
        const int32_t RX = PixelRound(HX), RY = PixelRound(HY);
        FCanvas->SetArcDirection(AD_COUNTERCLOCKWISE);
        FCanvas->ArcTo(Outer.Left, Outer.Top, Outer.Right, Outer.Bottom, S.X, S.Y, E.X, E.Y);
        FCanvas->SetArcDirection(AD_CLOCKWISE);
        FCanvas->ArcTo(XCenter - RX, YCenter - RY, XCenter + RX, YCenter + RY, E.X, E.Y, S.X, S.Y);
        FCanvas->SetArcDirection(AD_COUNTERCLOCKWISE);
      } else {
        FCanvas->Pie(Outer.Left, Outer.Top, Outer.Right, Outer.Bottom, S.X, S.Y, E.X, E.Y);
      }
    } else {
      FCanvas->LineTo(E.X, E.Y);
    }
    FCanvas->EndPath();
  };
  FCanvas->MoveTo(S.X, S.Y);
  BuildPath();
  if (IsGradientVisible()) {
    SetCanvasRegion(FCanvas, FCanvas->PathToRegion(), RGN_AND);
    GradientFill(FBrush->Gradient(), Outer);
    UnClipRectangle();
    FCanvas->MoveTo(S.X, S.Y);
    BuildPath();
    FCanvas->StrokePath();
  } else {
    FCanvas->StrokeAndFillPath();
  }
}

void TZuzCanvas3D::FillRect(const TRect& Rect)
{
  if (!FCanvas)
    return;
  if (IsGradientVisible())
    GradientFill(FBrush->Gradient(), Rect);
  else
    FCanvas->FillRect(Rect);
}

void TZuzCanvas3D::EraseBackground(const TRect& Rect) { FillRect(Rect); }

void TZuzCanvas3D::EllipseWithZ(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t Z)
{
  if (FIsOrthogonal) {
    const TPoint A = Calculate3DPosition(X1, Y1, Z), B = Calculate3DPosition(X2, Y2, Z);
    Ellipse(A.X, A.Y, B.X, B.Y);
  } else if (FIs3D) {
    TPointFloatArray P;
    GetCirclePoints(P, X1, Y1, X2, Y2);
    if (FBrush->Style() != bsClear)
      PolygonFloatWithZ(P, static_cast<float>(Z));
    else if (FPen->Style() != psClear)
      PolylineWithZ(P, static_cast<float>(Z));
  } else {
    Ellipse(X1, Y1, X2 + 1, Y2 + 1);
  }
}

void TZuzCanvas3D::GetCirclePoints(TPointFloatArray& P, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2)
{
  const int32_t N = std::max(2, CircleSteps);
  P.resize(static_cast<size_t>(N));
  const float Step = 360.0f / float(N - 1);
  for (int32_t i = 0; i < N; ++i) {
    const float A = float(i) * Step * 2.0f * 3.14159265358979f / 360.0f;
    P[static_cast<size_t>(i)] = TPointFloat{float((X1 + X2) * 0.5 + (X2 - X1) * 0.5 * std::sin(A)),
                                            float((Y1 + Y2) * 0.5 + (Y2 - Y1) * 0.5 * std::cos(A))};
  }
}

void TZuzCanvas3D::GetCirclePoints(TPointFloatArray& P, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t Z)
{
  GetCirclePoints(P, X1, Y1, X2, Y2);
  for (TPointFloat& Q : P)
    Calculate3DPosition(Q, static_cast<float>(Z));
}

void TZuzCanvas3D::SetPixel3D(int32_t X, int32_t Y, int32_t Z, TColor Value)
{
  if (!FCanvas)
    return;
  const TPoint P = Calculate3DPosition(X, Y, Z);
  if (FPen->Width() == 1) {
    FCanvas->SetPixel(P.X, P.Y, Value);
  } else {
    FCanvas->MoveTo(P.X, P.Y);
    FCanvas->LineTo(P.X, P.Y);
  }
}

TColor TZuzCanvas3D::GetPixel3D(int32_t X, int32_t Y, int32_t Z)
{
  const TPoint P = Calculate3DPosition(X, Y, Z);
  return GetPixel(P.X, P.Y);
}

bool TZuzCanvas3D::CheckFastBrush()
{
  if (!ZuzSetDCBrushColor || !FCanvas)
    return false;
  FCanvas->SelectDCBrush(true);
  return true;
}

void TZuzCanvas3D::SmoothShadow(TZuzShadow* AShadow, const TRect& R, bool IsEllipse, int32_t RoundSize,
                                std::span<const TPoint> P, int32_t DonutPercent, double StartAngle, double EndAngle)
{
  // Only a buffer can be blurred into; a recording keeps plain shapes.
  if (AShadow->Smooth() && !FMetafiling && FBitmap && !FBitmap->Empty())
    AShadow->InternalDrawSmooth(this, R, IsEllipse, RoundSize, P, DonutPercent, StartAngle, EndAngle);
  else
    TCanvas3D::SmoothShadow(AShadow, R, IsEllipse, RoundSize, P, DonutPercent, StartAngle, EndAngle);
}

// --- clipping --------------------------------------------------------------------------

void TZuzCanvas3D::ClipRectangle(const TRect& Rect) { ClipCanvas(FCanvas, Rect); }

void TZuzCanvas3D::UnClipRectangle() { UnClipCanvas(FCanvas); }

void TZuzCanvas3D::ClipCube(const TRect& Rect, int32_t MinZ, int32_t MaxZ)
{
  if (FIs3D) {
    const TPointArray P = CubeHull(Rect, MinZ, MaxZ);
    ClipPolygon(P, static_cast<int32_t>(P.size()), false);
  } else {
    ClipRectangle(TRect{Rect.Left + 1, Rect.Top + 1, Rect.Right, Rect.Bottom - 1});
  }
}

// --- pictures --------------------------------------------------------------------------

std::unique_ptr<TBitmap> TZuzCanvas3D::TranspBitmap(const TGraphic* Graphic, const TRect& Rect)
{
  auto B = std::make_unique<TBitmap>(std::abs(Rect.Width()), std::abs(Rect.Height()));
  B->SetPixelFormat(pf32bit);
  if (FBitmap && !FBitmap->Empty())
    B->Canvas()->CopyRect(TRect{0, 0, B->Width(), B->Height()}, FBitmap->Canvas(), Rect);
  B->Canvas()->StretchDraw(TRect{0, 0, B->Width(), B->Height()}, Graphic);
  return B;
}

void TZuzCanvas3D::Draw(int32_t X, int32_t Y, const TGraphic* Graphic)
{
  if (!FCanvas || !Graphic || Graphic->Empty())
    return;
  if (Graphic->Transparent()) {
    auto B = TranspBitmap(Graphic, TRect{X, Y, X + Graphic->Width(), Y + Graphic->Height()});
    FCanvas->Draw(X, Y, B.get());
  } else {
    FCanvas->Draw(X, Y, Graphic);
  }
}

void TZuzCanvas3D::StretchDraw(const TRect& ARect, const TGraphic* Graphic)
{
  if (!FCanvas || !Graphic || Graphic->Empty())
    return;
  if (FStretchQuality == sqLow) {
    if (Graphic->Transparent()) {
      auto B = TranspBitmap(Graphic, ARect);
      FCanvas->Draw(std::min(ARect.Left, ARect.Right), std::min(ARect.Top, ARect.Bottom), B.get());
    } else {
      FCanvas->StretchDraw(ARect, Graphic);
    }
    return;
  }
  const TBitmap* Source = dynamic_cast<const TBitmap*>(Graphic);
  TBitmap Temp;
  if (!Source) {
    if (Graphic->Transparent()) {
      auto B = TranspBitmap(Graphic, ARect);
      FCanvas->Draw(ARect.Left, ARect.Top, B.get());
      return;
    }
    Temp.Assign(const_cast<TGraphic*>(Graphic));
    Source = &Temp;
  }
  TBitmap Src;
  Src.Assign(const_cast<TBitmap*>(Source));
  TBitmap Dst(std::abs(ARect.Right - ARect.Left), std::abs(ARect.Bottom - ARect.Top));
  if (Dst.Empty())
    return;
  SmoothStretch(&Src, &Dst);
  FCanvas->Draw(ARect.Left, ARect.Top, &Dst);
}

// --- planes -------------------------------------------------------------------------------

void TZuzCanvas3D::PolygonFour() { Polygon(IPoints); }

void TZuzCanvas3D::RectangleWithZ(const TRect& Rect, int32_t Z)
{
  IPoints[0] = Calculate3DPosition(Rect.Left, Rect.Top, Z);
  IPoints[1] = Calculate3DPosition(Rect.Right, Rect.Top, Z);
  IPoints[2] = Calculate3DPosition(Rect.Right, Rect.Bottom, Z);
  IPoints[3] = Calculate3DPosition(Rect.Left, Rect.Bottom, Z);
  PolygonFour();
}

void TZuzCanvas3D::RectangleY(int32_t Left, int32_t Top, int32_t Right, int32_t Z0, int32_t Z1)
{
  IPoints[0] = Calculate3DPosition(Left, Top, Z0);
  IPoints[1] = Calculate3DPosition(Right, Top, Z0);
  IPoints[2] = Calculate3DPosition(Right, Top, Z1);
  IPoints[3] = Calculate3DPosition(Left, Top, Z1);
  PolygonFour();
}

void TZuzCanvas3D::RectangleZ(int32_t Left, int32_t Top, int32_t Bottom, int32_t Z0, int32_t Z1)
{
  IPoints[0] = Calculate3DPosition(Left, Top, Z0);
  IPoints[1] = Calculate3DPosition(Left, Top, Z1);
  IPoints[2] = Calculate3DPosition(Left, Bottom, Z1);
  IPoints[3] = Calculate3DPosition(Left, Bottom, Z0);
  PolygonFour();
}

void TZuzCanvas3D::PlaneWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, const TPoint& P4, int32_t Z)
{
  IPoints[0] = Calculate3DPosition(P1, Z);
  IPoints[1] = Calculate3DPosition(P2, Z);
  IPoints[2] = Calculate3DPosition(P3, Z);
  IPoints[3] = Calculate3DPosition(P4, Z);
  PolygonFour();
}

void TZuzCanvas3D::Plane3D(const TPoint& A, const TPoint& B, int32_t Z0, int32_t Z1)
{
  IPoints[0] = Calculate3DPosition(A, Z0);
  IPoints[1] = Calculate3DPosition(B, Z0);
  IPoints[2] = Calculate3DPosition(B, Z1);
  IPoints[3] = Calculate3DPosition(A, Z1);
  PolygonFour();
}

void TZuzCanvas3D::PlaneFour3D(TFourPoints& Points, int32_t Z0, int32_t Z1)
{
  Points[0] = Calculate3DPosition(Points[0], Z0);
  Points[1] = Calculate3DPosition(Points[1], Z0);
  Points[2] = Calculate3DPosition(Points[2], Z1);
  Points[3] = Calculate3DPosition(Points[3], Z1);
  IPoints = Points;
  PolygonFour();
}

void TZuzCanvas3D::TriangleWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, int32_t Z)
{
  const TPoint P[3] = {Calculate3DPosition(P1, Z), Calculate3DPosition(P2, Z), Calculate3DPosition(P3, Z)};
  Polygon(P);
}

void TZuzCanvas3D::Triangle3D(const TTrianglePoints3D& Points, const TTriangleColors3D& Colors)
{
  TTrianglePoints P;
  TrianglePointsTo2D(Points, P);
  if (FBrush->Style() != bsClear)
    FBrush->SetColor(Colors[0]);
  Polygon(P);
}

void TZuzCanvas3D::Polygon3D(std::span<const TPoint3D> Points)
{
  IScratch.resize(Points.size());
  for (size_t i = 0; i < Points.size(); ++i)
    IScratch[i] = Calculate3DPosition(Points[i]);
  Polygon(IScratch);
}

void TZuzCanvas3D::Surface3D(TZuzCanvasSurfaceStyle, bool, bool, bool, int32_t, int32_t, const TCanvasSurfacePoints&,
                             std::unique_ptr<TZuzCachedObject>&)
{
}

// --- convex hull -----------------------------------------------------------------------------

namespace {
void QuickSortAngle(TPointArray& P, std::vector<float>& Keys, int32_t L, int32_t R)
{
  int32_t I = L, J = R;
  const float Pivot = Keys[static_cast<size_t>((L + R) / 2)];
  do {
    while (Keys[static_cast<size_t>(I)] < Pivot)
      ++I;
    while (Keys[static_cast<size_t>(J)] > Pivot)
      --J;
    if (I <= J) {
      std::swap(Keys[static_cast<size_t>(I)], Keys[static_cast<size_t>(J)]);
      std::swap(P[static_cast<size_t>(I)], P[static_cast<size_t>(J)]);
      ++I;
      --J;
    }
  } while (I <= J);
  if (J > L)
    QuickSortAngle(P, Keys, L, J);
  if (I < R)
    QuickSortAngle(P, Keys, I, R);
}
} // namespace

bool TZuzCanvas3D::ConvexHull(TPointArray& Points)
{
  const size_t N = Points.size();
  if (N == 3)
    return true;
  if (N < 3)
    return false;
  int32_t PivY = 10000000, PivX = 10000000;
  size_t Pivot = 0;
  bool Found = false;
  for (size_t i = 0; i < N; ++i) {
    const TPoint& P = Points[i];
    if (!Found || P.Y < PivY || (P.Y == PivY && P.X > PivX)) {
      PivY = P.Y;
      PivX = P.X;
      Pivot = i;
      Found = true;
    }
  }
  const TPoint PivotPoint = Points[Pivot];
  Points[Pivot] = Points.back();
  Points.pop_back();
  std::vector<float> Keys(Points.size());
  for (size_t i = 0; i < Points.size(); ++i) {
    const float DX = float(PivotPoint.X - Points[i].X), DY = float(PivotPoint.Y - Points[i].Y);
    const float D = std::sqrt(DX * DX + DY * DY);
    Keys[i] = D == 0 ? 0 : DX / D;
  }
  QuickSortAngle(Points, Keys, 0, static_cast<int32_t>(Points.size()) - 1);
  int32_t K = 1;
  while (K < static_cast<int32_t>(Points.size()) - 1) {
    if (K == 0) {
      ++K;
      continue;
    }
    const TPoint A = Points[static_cast<size_t>(K - 1)], C = Points[static_cast<size_t>(K)],
                 B = Points[static_cast<size_t>(K + 1)];
    const int64_t Cross = int64_t(A.X - C.X) * (B.Y - C.Y) - int64_t(B.X - C.X) * (A.Y - C.Y);
    if (Cross < 0) {
      ++K;
    } else {
      Points.erase(Points.begin() + K);
      --K;
    }
  }
  Points.push_back(PivotPoint);
  return true;
}
