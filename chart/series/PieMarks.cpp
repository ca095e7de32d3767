// Pie marks (outside with a callout and optional leg, or inside the
// slice, optionally turned along it, kept clear of the previous slice's
// mark, their tail aimed at the slice) and the pie's legend items (the
// grouped points only in the other slice's own legend).
#include "chart/series/PieSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzGeometry.h"
#include "platform/CanvasMath.h"

#include <QScopeGuard>

#include <cmath>
#include <numbers>

void TPieSeries::DrawMarks()
{
  TSeriesMarks* M = Marks();
  // The tail is turned per mark; its settings come back afterwards.
  auto Saved = std::make_unique<TMarksTail>(this);
  if (M->Tail()->AutoAlign()) {
    FAutoMarkPointer = true;
    Saved->Assign(M->Tail());
  }
  const auto Restore = qScopeGuard([&] {
    if (FAutoMarkPointer) {
      FAutoMarkPointer = false;
      M->Tail()->Assign(Saved.get());
    }
  });
  TCircledSeries::DrawMarks();
}

void TPieSeries::AntiOverlap(int32_t ValueIndex, TSeriesMarkPosition& Position)
{
  const int32_t First = FirstDisplayedIndex();
  if (ValueIndex <= First)
    return;
  TSeriesMarks* M = Marks();
  // The mark moves the way the slices run, counter-clockwise: upwards on
  // the right of the pie, downwards on its left, until it is clear of the
  // marks before it. (Moving it by the difference of its top and the
  // previous mark's top leaves marks on top of each other.)
  const TRect Start = M->TotalBounds(ValueIndex, Position);
  const bool Up = Start.Left + Start.Right >= 2 * FCircleXCenter;
  for (int32_t Pass = First; Pass < ValueIndex; ++Pass) {
    const TRect R1 = M->TotalBounds(ValueIndex, Position);
    bool Moved = false;
    for (int32_t J = ValueIndex - 1; J >= First && !Moved; --J) {
      const TSeriesMarkPosition* Other = M->Positions().Get(J);
      if (!Other)
        continue;
      const TRect R0 = M->TotalBounds(J, *Other);
      TRect Both;
      if (!ZuzRectIntersects(Both, R1, R0))
        continue;
      Position.Offset(TPoint{0, Up ? R0.Top - R1.Bottom : R0.Bottom - R1.Top});
      Moved = true;
    }
    if (!Moved)
      return;
  }
}

void TPieSeries::DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position)
{
  if (BelongsToOtherSlice(ValueIndex) || (!FPieMarks->EmptySlice() && YValue(ValueIndex) == 0))
    return;
  TSeriesMarks* M = Marks();
  TCanvas3D* C = FParent->InternalCanvas();
  int32_t XR, YR;
  CalcExplodedRadius(ValueIndex, XR, YR);
  CheckAngles();
  double Mid = FAngles[ValueIndex].MidAngle;
  // The mark of a whole pie stands at 3 o'clock.
  if (Count() == 1 && std::fabs(Mid - std::numbers::pi) < 1e-12)
    Mid = 0;
  M->ZPosition = C->SupportsFullRotation() ? EndZ - SliceEndZ(ValueIndex) : SliceEndZ(ValueIndex);
  TWhitePen* Arrow = M->Arrow();
  const bool ArrowShown = Arrow->Visible();
  if (FPieMarks->InsideSlice()) {
    Arrow->SetVisible(false);
    int32_t X, Y;
    AngleToPos(Mid, XR * 0.5, YR * 0.5, X, Y);
    Position.LeftTop = TPoint{X - Position.Width / 2, Y - Position.Height / 2};
  } else {
    Position.ArrowFix = true;
    const int32_t Distance = M->Callout()->Distance();
    const int32_t L = M->Callout()->Length() + Distance;
    int32_t R, S;
    AngleToPos(Mid, XR + L, YR + L, R, S);
    AngleToPos(Mid, XR + Distance, YR + Distance, Position.ArrowFrom.X, Position.ArrowFrom.Y);
    Position.LeftTop.X = R > FCircleXCenter ? R : R - Position.Width;
    Position.LeftTop.Y = S > FCircleYCenter ? S : S - Position.Height;
    if (FPieMarks->VertCenter())
      S += S > FCircleYCenter ? Position.Height / 2 : -(Position.Height / 2);
    const int32_t Leg = FPieMarks->LegSize();
    if (Leg > 0) {
      Position.HasMid = true;
      Position.MidPoint.Y = S;
      const int32_t StartX = Position.ArrowFrom.X;
      if (R > FCircleXCenter) {
        if (R - Leg < StartX) {
          Position.MidPoint.X = StartX;
          R += Leg;
          Position.LeftTop.X += Leg;
        } else
          Position.MidPoint.X = R - Leg;
      } else if (R + Leg > StartX) {
        Position.MidPoint.X = StartX;
        R = StartX - Leg;
        Position.LeftTop.X = R - Position.Width;
      } else
        Position.MidPoint.X = R + Leg;
    } else {
      Position.HasMid = false;
      Position.MidPoint = TPoint{0, 0};
    }
    Position.ArrowTo = TPoint{R, S};
    if (M->Automatic()->Move())
      AntiOverlap(ValueIndex, Position);
  }
  const int32_t SavedAngle = M->Angle();
  const bool SavedAuto = M->AutoPosition();
  const auto Restore = qScopeGuard([&] {
    M->SetAngle(SavedAngle);
    M->SetAutoPosition(SavedAuto);
    if (FPieMarks->InsideSlice())
      Arrow->SetVisible(ArrowShown);
  });
  TMarksTail* Tail = M->Tail();
  if (Tail->Visible() && FAutoMarkPointer) {
    TTailAlign Align = Tail->Align();
    const TTailEdge Edge = GetMarkQuadrant(Align, Mid);
    Tail->SetEdge(Edge);
    if (Tail->CustomPoint())
      Tail->SetCustomPointPos(
          GetTailEnd(Position.ArrowFrom.X, Position.ArrowFrom.Y, Align, Edge, M->ZPosition, Tail->Margin()));
    Tail->SetAlign(Align);
  }
  if (FPieMarks->Rotated()) {
    // Text never stands upside down.
    int32_t A = PixelRound(Mid * 180 / std::numbers::pi) + RotationAngle();
    if (FPieMarks->RotateStyle() == rsTangencial)
      A += 90;
    if (A >= 90 && A <= 270) {
      A += 180;
      if (A > 360)
        A -= 360;
    }
    M->SetAngle(A);
    M->SetAutoPosition(false);
  }
  // The pie has kept its marks apart itself, slice after slice; the
  // generic rule (clear of every earlier mark, or dropped) would undo that
  // where the marks turn round the pie.
  if (!FPieMarks->InsideSlice() && M->Automatic()->Move())
    M->SetAutoPosition(false);
  TCircledSeries::DrawMark(ValueIndex, Text, Position);
}

TTailEdge TPieSeries::GetMarkQuadrant(TTailAlign& Align, double Angle) const
{
  double D = RotationAngle() + Angle * 180 / std::numbers::pi;
  if (D > 360)
    D -= 360;
  struct TQuadrant {
    double Below;
    TTailEdge Edge;
    TTailAlign Align;
  };
  static const TQuadrant Quadrants[] = {{45, tteLeft, ttaFar},   {90, tteBottom, ttaNear}, {135, tteBottom, ttaFar},
                                        {180, tteRight, ttaFar}, {225, tteRight, ttaNear}, {270, tteTop, ttaFar},
                                        {315, tteTop, ttaNear}};
  if (D >= 0)
    for (const TQuadrant& Q : Quadrants)
      if (D < Q.Below) {
        Align = Q.Align;
        return Q.Edge;
      }
  Align = ttaNear;
  return tteLeft;
}

TPoint TPieSeries::GetTailEnd(int32_t X, int32_t Y, TTailAlign Align, TTailEdge Edge, int32_t Z, int32_t Margin) const
{
  int32_t DX = Margin, DY = Margin;
  if ((Align == ttaNear && Edge == tteBottom) || (Align == ttaFar && Edge == tteLeft))
    DY = -Margin;
  else if (Align == ttaFar && (Edge == tteBottom || Edge == tteRight)) {
    DX = -Margin;
    DY = -Margin;
  } else if ((Align == ttaNear && Edge == tteRight) || (Align == ttaFar && Edge == tteTop))
    DX = -Margin;
  return FParent->InternalCanvas()->Calculate3DPosition(TPoint{X + DX, Y + DY}, Z);
}

// ---- Legend ----------------------------------------------------------------------------

int32_t TPieSeries::CountLegendItems() const
{
  int32_t Grouped = 0;
  for (int32_t I = 0; I < Count(); ++I)
    if (BelongsToOtherSlice(I))
      ++Grouped;
  return ILegend ? Grouped : Count() - Grouped;
}

int32_t TPieSeries::LegendToValueIndex(int32_t LegendIndex) const
{
  int32_t N = -1;
  for (int32_t I = 0; I < Count(); ++I)
    if (BelongsToOtherSlice(I) == (ILegend != nullptr) && ++N == LegendIndex)
      return I;
  return LegendIndex;
}

void TPieSeries::PrepareLegendCanvas(int32_t ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle)
{
  BackColor = CalcCircleBackColor();
  PreparePiePen(ValueIndex);
  BrushStyle = SliceBrushStyle(ValueIndex);
}

void TPieSeries::DrawLegendShape(int32_t ValueIndex, const TRect& Rect)
{
  const TColor Colour = FParent->Monochrome() ? clBlack : GetValueColor(ValueIndex);
  if (CircleGradient()->Visible() && Colour != clNone) {
    TZuzGradient* G = FParent->InternalCanvas()->Gradient();
    G->Assign(CircleGradient());
    G->SetVisible(true);
    G->SetEndColor(Colour);
    G->SetStartColor(ZuzPie::ChangeColor(Colour, FGradientBright));
  }
  TCircledSeries::DrawLegendShape(ValueIndex, Rect);
}

void TPieSeries::DrawOtherLegend()
{
  TChartLegend* L = FOtherSlice->LegendIfAny();
  if (!L || !FParent)
    return;
  const TRect SavedChartRect = FParent->ChartRect;
  ILegend = L;
  const auto Restore = qScopeGuard([&] {
    ILegend = nullptr;
    FParent->ChartRect = SavedChartRect;
  });
  L->CalcRect();
  L->DrawLegend();
}
