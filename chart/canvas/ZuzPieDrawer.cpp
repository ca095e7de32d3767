// 3D pie and donut slices of the GDI canvas. A slice is an elliptical
// sector of some thickness (optionally with a hole and a bevelled top
// edge); the drawer decides from the positions of its radial points which
// faces can be seen and paints them back to front. Curved faces are
// polygons of one point per whole degree.
#include "platform/Canvas.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"

#include <algorithm>
#include <cmath>

namespace {

TRect MovedDown(const TRect& R, int32_t D) { return TRect{R.Left, R.Top + D, R.Right, R.Bottom + D}; }

TRect CentredBox(int32_t XC, int32_t YC, int32_t HalfW, int32_t HalfH)
{
  return TRect{XC - HalfW, YC - HalfH, XC + HalfW, YC + HalfH};
}

// An angle in whole degrees brought into 0..360.
int32_t Normalised(int32_t A)
{
  if (A > 360)
    A = (A - 1) % 360 + 1;
  if (A < -360)
    A = -((-A - 1) % 360 + 1);
  if (A < 0)
    A += 360;
  return A;
}

class TPieDrawer {
public:
  explicit TPieDrawer(TZuzCanvas3D* Canvas) : ICanvas(Canvas) {}

  TRect z0Rect, z1Rect, z0DonutRect, z1DonutRect, z0BevelRect, z1BevelRect;
  int32_t zPos = 0;
  int32_t count = 0;
  TPointFloatArray list;
  TPoint middle0, middle1;
  TPoint start0, end0, start1, end1;
  TPoint startD0, endD0, startD1, endD1;
  TPoint startB0, endB0, startB1, endB1;
  int32_t sweepAngle = 0;
  bool isDonut = false, drawEntirePie = false, iDrawSides = false, hasBevel = false;
  TColor OldColor = clBlack;
  int32_t iStartAngle = 0, iEndAngle = 0;
  TZuzCanvas3D* ICanvas;
  bool Pie3DUsingArcs = false;
  int32_t BevelBright = 0;
  bool BevelBorder = false;
  bool HideSides = false;
  bool Full360 = false;

  TPointFloat PointOn(const TRect& R, int32_t Angle) { return ICanvas->PointFromCircle(R, Angle, float(zPos), false); }
  TPoint RadialOn(const TRect& R, int32_t Angle)
  {
    const TPointFloat P = PointOn(R, Angle);
    return TPoint{PixelRound(P.x), PixelRound(P.y)};
  }
  TPoint CalcPieStart(const TRect& R) { return RadialOn(R, iStartAngle); }
  TPoint CalcPieEnd(const TRect& R) { return RadialOn(R, iEndAngle); }

  void CalcStartEnd(const TPoint& Center)
  {
    middle0 = ICanvas->Calculate3DPosition(Center.X, Center.Y, zPos);
    middle1 = ICanvas->Calculate3DPosition(Center.X, Center.Y + zPos, zPos);
    start0 = CalcPieStart(z0Rect);
    end0 = CalcPieEnd(z0Rect);
    start1 = CalcPieStart(z1Rect);
    end1 = CalcPieEnd(z1Rect);
    sweepAngle = iEndAngle - iStartAngle;
  }

  void PrepareDonut(const TRect& R)
  {
    z0DonutRect = R;
    z1DonutRect = MovedDown(R, zPos);
    startD0 = CalcPieStart(z0DonutRect);
    endD0 = CalcPieEnd(z0DonutRect);
    startD1 = CalcPieStart(z1DonutRect);
    endD1 = CalcPieEnd(z1DonutRect);
    isDonut = true;
  }

  void PrepareBevel(const TRect& R, int32_t Size)
  {
    z0BevelRect = R;
    z1BevelRect = MovedDown(z0Rect, Size);
    startB0 = CalcPieStart(z0BevelRect);
    endB0 = CalcPieEnd(z0BevelRect);
    startB1 = CalcPieStart(z1BevelRect);
    endB1 = CalcPieEnd(z1BevelRect);
    hasBevel = true;
  }

  void Loop(int32_t A, int32_t B, const TRect& R)
  {
    const int32_t Step = B < A ? -1 : 1;
    for (int32_t i = A;; i += Step) {
      list.push_back(PointOn(R, i));
      ++count;
      if (i == B)
        break;
    }
  }

  void DrawPoints() { ICanvas->PolygonFloat(list); }

  void DrawLoops(int32_t A, int32_t B, const TRect& R0, const TRect& R1)
  {
    list.clear();
    count = 0;
    list.reserve(static_cast<size_t>(2 * std::abs(B - A) + 2));
    Loop(A, B, R0);
    Loop(B, A, R1);
    DrawPoints();
  }

  void DrawArc(const TRect& R, const TPoint& P0, const TPoint& P1, bool ClockWise)
  {
    if (P0 == P1)
      return;
    const TRect B = ICanvas->CalcRect3D(R, zPos);
    ICanvas->ArcTo(B.Left, B.Top, B.Right, B.Bottom, P0.X, P0.Y, P1.X, P1.Y, ClockWise);
  }

  bool BeginUsingArcs()
  {
    if (!Pie3DUsingArcs)
      return false;
    TCanvas* DC = ICanvas->ReferenceCanvas();
    return DC && !DC->PathOpen() && DC->BeginPath();
  }

  void EndUsingArcs()
  {
    TCanvas* DC = ICanvas->ReferenceCanvas();
    DC->EndPath();
    DC->StrokeAndFillPath();
  }

  void DrawTopBottom(int32_t A, int32_t B, const TRect& DonutRect, const TRect& Rect, const TPoint& Center,
                     bool UseBevel)
  {
    list.clear();
    count = 0;
    const bool Wedge = !isDonut && !Full360;
    if (Wedge)
      list.push_back(TPointFloat{float(Center.X), float(Center.Y)});
    Loop(A, B, UseBevel ? z0BevelRect : Rect);
    if (isDonut)
      Loop(B, A, DonutRect);
    if (Wedge)
      list.push_back(TPointFloat{float(Center.X), float(Center.Y)});
    DrawPoints();
  }

  void DrawBottom()
  {
    if (drawEntirePie)
      DrawTopBottom(iStartAngle, iEndAngle, z1DonutRect, z1Rect, middle1, false);
  }

  void DrawTop()
  {
    if (BeginUsingArcs()) {
      TCanvas* DC = ICanvas->ReferenceCanvas();
      const TPoint First = isDonut ? startD0 : middle0;
      DC->MoveTo(First.X, First.Y);
      DC->LineTo(start0.X, start0.Y);
      const TRect& T = hasBevel ? z0BevelRect : z0Rect;
      const TPoint EndOnT = RadialOn(T, iEndAngle);
      DrawArc(T, start0, EndOnT, false);
      if (isDonut) {
        DC->LineTo(endD0.X, endD0.Y);
        DrawArc(z0DonutRect, endD0, startD0, true);
      } else {
        DC->LineTo(middle0.X, middle0.Y);
      }
      EndUsingArcs();
      return;
    }
    DrawTopBottom(iStartAngle, iEndAngle, z0DonutRect, z0Rect, middle0, hasBevel);
  }

  void DrawBack(int32_t A, int32_t B)
  {
    if (!isDonut || HideSides)
      return;
    if (drawEntirePie || start0.Y < middle0.Y || end0.Y < middle0.Y || sweepAngle >= 180)
      DrawLoops(A, B, z0DonutRect, z1DonutRect);
  }

  void DrawSide(const TPoint& X0, const TPoint& X1, const TPoint& XD0, const TPoint& XD1, const TPoint& XB0,
                const TPoint& XB1)
  {
    if (sweepAngle >= 360 || (!drawEntirePie && !iDrawSides))
      return;
    if (isDonut && hasBevel) {
      const TPoint P[5] = {XD0, XB0, XB1, X1, XD1};
      ICanvas->Polygon(P);
    } else if (isDonut) {
      ICanvas->IPoints = TFourPoints{XD0, X0, X1, XD1};
      ICanvas->PolygonFour();
    } else if (hasBevel) {
      const TPoint P[5] = {middle0, XB0, XB1, X1, middle1};
      ICanvas->Polygon(P);
    } else {
      ICanvas->IPoints = TFourPoints{middle0, X0, X1, middle1};
      ICanvas->PolygonFour();
    }
  }

  void DrawLeft() { DrawSide(end0, end1, endD0, endD1, endB0, endB1); }
  void DrawRight() { DrawSide(start0, start1, startD0, startD1, startB0, startB1); }

  void DrawBevel(int32_t A, int32_t B)
  {
    if (!hasBevel)
      return;
    TZuzBrush* Brush = ICanvas->Brush();
    if (BevelBright > 0)
      Brush->SetColor(ApplyBright(Brush->Color(), static_cast<uint8_t>(std::min(BevelBright, 255))));
    else if (BevelBright < 0)
      Brush->SetColor(ApplyDark(Brush->Color(), static_cast<uint8_t>(std::min(-int64_t(BevelBright), int64_t(255)))));
    if (!BevelBorder)
      ICanvas->Pen()->SetStyle(psClear);
    DrawLoops(A, B < A ? B + 360 : B, z0BevelRect, z1BevelRect);
  }

  void DrawFront(int32_t A, int32_t B)
  {
    const int32_t An = Normalised(A);
    int32_t Bn = Normalised(B);
    const TRect& T = hasBevel ? z1BevelRect : z0Rect;
    auto Wall = [&](int32_t a, int32_t b) { DrawLoops(a, b, T, z1Rect); };
    auto WallBack = [&](int32_t a, int32_t b) { DrawLoops(a, b, z1Rect, T); };
    const int32_t CY = middle0.Y;
    const bool StartAbove = start0.Y < CY, EndAbove = end0.Y < CY;
    const bool StartBelow = start0.Y > CY, EndBelow = end0.Y > CY;
    if (Full360) {
      Wall(0, 180);
      Wall(180, 360);
      if (!drawEntirePie)
        DrawBevel(0, 360);
      return;
    }
    if (!StartBelow && !EndBelow) {
      if (sweepAngle < 180) {
        if (drawEntirePie)
          Wall(A, B);
        else
          DrawBevel(A, B);
        return;
      }
      Wall(A, B);
      if (!drawEntirePie)
        DrawBevel(iStartAngle, iEndAngle);
      return;
    }
    if (StartBelow && EndAbove) {
      if (drawEntirePie)
        Wall(0, Bn);
      if (An > 0)
        WallBack(360, An);
    } else if (StartAbove && EndBelow) {
      if (drawEntirePie)
        Wall(180, An);
      WallBack(180, Normalised(iEndAngle));
    } else if (!StartAbove && EndBelow && sweepAngle > 180) {
      Wall(180, 0);
      WallBack(Bn, 180);
      if (An > 0)
        WallBack(360, An);
    } else {
      if (Bn < An)
        Bn += 360;
      if (BeginUsingArcs()) {
        TCanvas* DC = ICanvas->ReferenceCanvas();
        const TPoint P0 = RadialOn(T, An), P1 = RadialOn(z1Rect, An), P2 = RadialOn(z1Rect, Bn), P3 = RadialOn(T, Bn);
        DC->MoveTo(P0.X, P0.Y);
        DC->LineTo(P1.X, P1.Y);
        DrawArc(z1Rect, P1, P2, false);
        DC->LineTo(P3.X, P3.Y);
        DrawArc(T, P3, P0, true);
        EndUsingArcs();
      } else {
        Wall(An, Bn);
      }
    }
    DrawBevel(iStartAngle, iEndAngle);
  }

  void DoDrawSides(int32_t A, int32_t B)
  {
    if (A == B)
      return;
    const int32_t M = middle0.X, S = start0.X, E = end0.X;
    const bool Large = sweepAngle > 180;
    if (E > M) {
      if (S < M) {
        DrawBack(A, B);
        DrawRight();
        DrawLeft();
        if (B - A > 180)
          DrawFront(std::max(A, 180), std::min(B, 360));
        else
          DrawFront(A, B);
      } else if (Large) {
        DrawBack(A, B);
        DrawRight();
        DrawLeft();
        DrawFront(A, B);
      } else {
        DrawLeft();
        DrawBack(A, B);
        DrawFront(A, B);
        DrawRight();
      }
    } else if (S < M) {
      if (Large) {
        DrawBack(A, B);
        DrawLeft();
        DrawRight();
        DrawFront(A, B);
      } else {
        DrawRight();
        DrawBack(A, B);
        DrawFront(A, B);
        DrawLeft();
      }
    } else if (Large) {
      DrawBack(A, B);
      DrawLeft();
      DrawFront(A, B);
      DrawRight();
    } else {
      DrawBack(A, B);
      DrawFront(A, B);
      DrawRight();
      DrawLeft();
    }
  }
};

int32_t WholeDegrees(double Radians) { return PixelRound(Radians * 180 / 3.14159265358979323846); }

} // namespace

void TZuzCanvas3D::Pie3D(int32_t XCenter, int32_t YCenter, int32_t XRadius, int32_t YRadius, int32_t Z0, int32_t Z1,
                         double StartAngle, double EndAngle, bool DarkSides, bool DrawSides, int32_t DonutPercent,
                         TCustomZuzGradient* Gradient, int32_t BevelPercent, TEdgeStyle EdgeStyle,
                         TZuzTransparency Transparency, int32_t BevelBright, bool BevelBorder, bool HideSides)
{
  TPieDrawer D(this);
  D.Pie3DUsingArcs = Pie3DUsingArcs;
  D.BevelBright = BevelBright;
  D.BevelBorder = BevelBorder;
  D.HideSides = HideSides;
  D.zPos = Z1 - Z0;
  D.z0Rect = CentredBox(XCenter, YCenter, XRadius, YRadius);
  D.z1Rect = MovedDown(D.z0Rect, D.zPos);
  D.iDrawSides = DrawSides;

  D.Full360 = StartAngle == EndAngle;
  D.iStartAngle = WholeDegrees(StartAngle);
  D.iEndAngle = WholeDegrees(EndAngle);
  if (!D.Full360)
    D.Full360 = int64_t(D.iEndAngle) - D.iStartAngle == 360;
  if (D.iEndAngle < D.iStartAngle)
    D.iEndAngle += 360;
  // A whole turn sweeps 360 degrees from the start, also when it was given
  // as equal angles. Angles from a chart file may sweep many turns: more
  // than one draws the same as one, without a polygon point per degree.
  if (D.Full360 || int64_t(D.iEndAngle) - D.iStartAngle >= 360) {
    D.iEndAngle = D.iStartAngle + 360;
    D.Full360 = true;
  }

  D.OldColor = FBrush->Style() == bsSolid ? FBrush->Color() : GetBackColor();
  D.drawEntirePie = Transparency != 0 && !HideSides;

  if (DonutPercent > 0)
    D.PrepareDonut(CentredBox(XCenter, YCenter, PixelRound(DonutPercent * double(XRadius) * 0.01),
                              PixelRound(DonutPercent * double(YRadius) * 0.01)));
  if (BevelPercent > 0) {
    const double Bevel = D.zPos * BevelPercent * 0.01;
    D.PrepareBevel(CentredBox(XCenter, YCenter, PixelRound(XRadius - Bevel), PixelRound(YRadius - Bevel)),
                   PixelRound(Bevel));
  }
  D.CalcStartEnd(TPoint{XCenter, YCenter});

  std::unique_ptr<TZuzBlend> Blend;
  if (Transparency != 0) {
    const int32_t W = FPen->Width() / 2;
    Blend = BeginBlending(FSupportsAlpha
                              ? TRect{}
                              : TRect{D.z0Rect.Left - W, D.z0Rect.Top - W, D.z0Rect.Right + W + 1, D.z1Rect.Bottom + W},
                          Transparency);
  }
  try {
    D.DrawBottom();
    const bool PenSame = FPen->Color() == D.OldColor;
    const TColor OldBrushColor = FBrush->Color();
    if (DarkSides) {
      if (FBrush->Style() != bsClear)
        FBrush->SetColor(ApplyDark(FBrush->Color(), 32));
      if (PenSame)
        FPen->SetColor(ApplyDark(FPen->Color(), 32));
    }
    D.DoDrawSides(D.iStartAngle, D.iEndAngle);
    if (DarkSides) {
      // A hatched brush gets its own colour back too, not only the
      // background the hatch is drawn on.
      if (FBrush->Style() != bsSolid) {
        SetBackColor(D.OldColor);
        FBrush->SetColor(OldBrushColor);
      } else {
        FBrush->SetColor(D.OldColor);
      }
      if (PenSame)
        FPen->SetColor(D.OldColor);
    }
    D.DrawTop();
    if ((Gradient && Gradient->Visible()) || EdgeStyle != edNone)
      DrawLighting(EdgeStyle, D.zPos, D.hasBevel ? D.z0BevelRect : D.z0Rect, D.hasBevel ? D.z1BevelRect : D.z1Rect,
                   D.z0DonutRect, D.iStartAngle, D.iEndAngle, D.middle0, D.isDonut);
  } catch (...) {
    if (Blend)
      EndBlending(std::move(Blend));
    throw;
  }
  if (Transparency != 0)
    EndBlending(std::move(Blend));
}
