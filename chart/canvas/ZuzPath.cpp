#include "chart/canvas/ZuzPath.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"

#include "rtl/Exceptions.h"

#include <cmath>
#include <utility>

TZuzBasePath::~TZuzBasePath() = default;
String TZuzBasePath::ClassName() const { return QStringLiteral("TZuzBasePath"); }

TZuzPath::TZuzPath(TZuzCanvas* Canvas) : ICanvas(Canvas)
{
  TCanvas* DC = ICanvas ? ICanvas->ReferenceCanvas() : nullptr;
  if (!DC)
    throw Exception(QStringLiteral("Cannot create GDI path. Error: 6 The handle is invalid."));
  if (DC->PathOpen())
    throw Exception(QStringLiteral("Cannot create GDI path. Error: 1 Incorrect function."));
  DC->BeginPath();
}

TZuzPath::~TZuzPath()
{
  // A path never drawn leaves no open bracket behind on the device.
  if (!FEnded && ICanvas && ICanvas->ReferenceCanvas() && ICanvas->ReferenceCanvas()->PathOpen())
    ICanvas->ReferenceCanvas()->AbortPath();
}

String TZuzPath::ClassName() const { return QStringLiteral("TZuzPath"); }

void TZuzPath::MoveTo(float X, float Y)
{
  ICanvas->ReferenceCanvas()->MoveTo(PixelRound(X), PixelRound(Y));
  FHasFigure = true;
}

void TZuzPath::LineTo(float X, float Y)
{
  ICanvas->ReferenceCanvas()->LineTo(PixelRound(X), PixelRound(Y));
  FHasFigure = true;
}

void TZuzPath::ArcTo(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle)
{
  // The angles run clockwise on the screen; the arc joins the current
  // figure, so that a rounded outline stays one closed figure.
  const int32_t L = PixelRound(X), T = PixelRound(Y), R = PixelRound(X + Width), B = PixelRound(Y + Height);
  const double CX = (L + R) * 0.5, CY = (T + B) * 0.5;
  const double Rx = std::max(1.0, std::fabs(R - L) * 0.5), Ry = std::max(1.0, std::fabs(B - T) * 0.5);
  auto Radial = [&](double Deg) {
    const double A = Deg * DegToRad;
    return TPoint{PixelRound(CX + 2 * Rx * std::cos(A)), PixelRound(CY + 2 * Ry * std::sin(A))};
  };
  const TPoint S = Radial(StartAngle), E = Radial(double(StartAngle) + SweepAngle);
  TCanvas* DC = ICanvas->ReferenceCanvas();
  if (!FHasFigure) {
    // A path that starts with an arc starts at the arc, not at wherever the
    // device's current position was left.
    const double EX = (L + R - 1) * 0.5, EY = (T + B - 1) * 0.5;
    const double ERx = (R - 1 - L) * 0.5, ERy = (B - 1 - T) * 0.5;
    const double A = StartAngle * DegToRad;
    const double Param = std::atan2(ERx * std::sin(A), ERy * std::cos(A));
    DC->MoveTo(PixelRound(EX + ERx * std::cos(Param)), PixelRound(EY + ERy * std::sin(Param)));
    FHasFigure = true;
  }
  const int32_t Old = DC->SetArcDirection(SweepAngle >= 0 ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE);
  DC->ArcTo(L, T, R, B, S.X, S.Y, E.X, E.Y);
  DC->SetArcDirection(Old);
}

void TZuzPath::Close() { ICanvas->ReferenceCanvas()->CloseFigure(); }

void TZuzPath::Curve(std::span<const TPoint> Points, float, bool Closed)
{
  if (Points.empty())
    return;
  TCanvas* DC = ICanvas->ReferenceCanvas();
  FHasFigure = true;
  if (Closed) {
    DC->Polygon(Points);
    DC->MoveTo(Points.back().X, Points.back().Y);
  } else {
    DC->PolylineTo(Points);
  }
}

void TZuzPath::TextOut(float X, float Y, const String& Text) { ICanvas->TextOut(PixelRound(X), PixelRound(Y), Text); }

void TZuzPath::GetPoints(TPathPointTypes& Types, TPointFloatArray& Points, TRectF&)
{
  Types.clear();
  Points.clear();
}

void TZuzPath::Draw(TZuzCanvas* ACanvas)
{
  TCanvas* DC = ICanvas->ReferenceCanvas();
  const bool PenVisible = ACanvas->Pen()->Visible();
  DC->EndPath();
  FEnded = true;
  bool Fill = ACanvas->Brush()->Style() != bsClear;
  auto FillInside = [&](auto&& Paint) {
    // The path becomes the clip (replacing any clip) for the fill; restoring
    // the saved state brings clip and path back for the outline.
    const int32_t Saved = DC->SaveDC();
    DC->SelectClipPath(RGN_COPY);
    const TRect Box = DC->ClipBox();
    Paint(Box);
    DC->RestoreDC(Saved);
    Fill = false;
  };
  if (ACanvas->Brush()->HasGraphic()) {
    FillInside([&](const TRect& Box) { ACanvas->StretchDraw(Box, ACanvas->Brush()->Image()->Filtered()); });
  }
  if (ACanvas->IsGradientVisible()) {
    FillInside([&](const TRect& Box) { ACanvas->Gradient()->Draw(ACanvas, Box, 0); });
  }
  if (PenVisible && Fill)
    DC->StrokeAndFillPath();
  else if (PenVisible)
    DC->StrokePath();
  else if (Fill)
    DC->FillPath();
  else
    DC->AbortPath();
}

// --- geometry ------------------------------------------------------------------

void SwapInteger(int32_t& A, int32_t& B) { std::swap(A, B); }

TPoint PointAtDistance(const TPoint& P0, const TPoint& P1, float Distance)
{
  if (P1.X != P0.X) {
    const float Angle = std::atan2(float(P1.Y - P0.Y), float(P1.X - P0.X));
    return TPoint{P1.X - PixelRound(Distance * std::cos(Angle)), P1.Y - PixelRound(Distance * std::sin(Angle))};
  }
  if (P1.Y < P0.Y)
    return TPoint{P1.X, P1.Y + PixelRound(Distance)};
  return TPoint{P1.X, P1.Y - PixelRound(Distance)};
}

TPointFloat PointAtDistance(const TPointFloat& P0, const TPointFloat& P1, float Distance)
{
  if (P1.x != P0.x) {
    const long double Angle = std::atan2((long double)P1.y - P0.y, (long double)P1.x - P0.x);
    return TPointFloat{float(P1.x - Distance * std::cos(Angle)), float(P1.y - Distance * std::sin(Angle))};
  }
  if (P1.y < P0.y)
    return TPointFloat{P1.x, P1.y + Distance};
  return TPointFloat{P1.x, P1.y - Distance};
}

double ZuzDistance(double X, double Y) { return std::sqrt(X * X + Y * Y); }
