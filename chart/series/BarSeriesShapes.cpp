// The fifteen bar shapes, the lines across bars at the value axis' ticks
// and the hit test, for both kinds at once. A bar is described across (the
// category axis: Left..Right of a vertical bar, Top..Bottom of a
// horizontal one) and along (the value axis); BarPoint turns that into
// pixels. The value grows towards smaller pixels on a vertical axis and
// towards larger ones on a horizontal axis.
#include "chart/series/BarSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/ZuzGeometry.h"

#include <algorithm>
#include <vector>

namespace {
bool IsRectangular(TBarStyle S)
{
  return S == bsRectangle || S == bsRectGradient || S == bsBevel || S == bsRoundRectangle;
}

bool InPolygon(const TPoint& P, const std::vector<TPoint>& Points)
{
  return PointInPolygon(P, Points, static_cast<int32_t>(Points.size()) - 1);
}
} // namespace

void TCustomBarSeries::DrawBarShape(TBarStyle Style, int32_t StartPos, int32_t EndPos)
{
  TCanvas3D* C = Canvas();
  const TRect& R = FBarBounds;
  const bool V = Vertical();
  const int32_t A0 = V ? R.Left : R.Top, A1 = V ? R.Right : R.Bottom, Mid = (A0 + A1) / 2, Width = A1 - A0;
  const int32_t Low = V ? EndPos : StartPos, High = V ? StartPos : EndPos;
  // The box from one value-axis end to the other, as the solids take it.
  const auto Box = [&](int32_t From, int32_t To) { return V ? TRect{A0, From, A1, To} : TRect{From, A0, To, A1}; };
  const bool Inverted = Style == bsInvPyramid || Style == bsInvCone || Style == bsInvArrow;
  const TRect Solid = Inverted ? Box(EndPos, StartPos) : Box(StartPos, EndPos);
  const TPoint ArrowFrom = BarPoint(Mid, Inverted ? High : Low), ArrowTo = BarPoint(Mid, Inverted ? Low : High);
  if (Is3D()) {
    switch (Style) {
    case bsRectangle:
    case bsRectGradient:
    case bsBevel:
    case bsRoundRectangle:
      C->Cube(Solid.Left, Solid.Right, Solid.Top, Solid.Bottom, StartZ, EndZ, FDark3D,
              Style == bsRoundRectangle ? FRoundSize : 0);
      break;
    case bsPyramid:
    case bsInvPyramid:
      C->Pyramid(V, Solid.Left, Solid.Top, Solid.Right, Solid.Bottom, StartZ, EndZ, FDark3D);
      break;
    case bsCone:
    case bsInvCone:
      C->Cone(V, Solid.Left, Solid.Top, Solid.Right, Solid.Bottom, StartZ, EndZ, FDark3D, FConePercent);
      break;
    case bsCilinder:
      C->Cylinder(V, R.Left, R.Top, R.Right, R.Bottom, StartZ, EndZ, FDark3D);
      break;
    case bsSlantCube: {
      const int32_t Old = CylinderSides;
      CylinderSides = 4;
      C->Cylinder(V, R.Left, R.Top, R.Right, R.Bottom, StartZ, EndZ, FDark3D);
      CylinderSides = Old;
      break;
    }
    case bsEllipse:
      C->EllipseWithZ(R.Left, R.Top, R.Right, R.Bottom, MiddleZ);
      break;
    case bsArrow:
    case bsInvArrow:
      C->Arrow(true, ArrowFrom, ArrowTo, Width, Width / 2, StartZ, EndZ, 50);
      break;
    case bsDiamond:
      C->Diamond(Solid.Left, Solid.Top, Solid.Right, Solid.Bottom, StartZ, EndZ);
      break;
    case bsCustom:
      break;
    }
    return;
  }
  switch (Style) {
  case bsRectangle:
  case bsRectGradient:
  case bsBevel:
  case bsCilinder:
    BarRectangle(NormalBarColor, R, false);
    break;
  case bsRoundRectangle:
    BarRectangle(NormalBarColor, R, true);
    break;
  case bsSlantCube:
    BarRectangle(NormalBarColor, R, false);
    C->Line(BarPoint(Mid, V ? R.Top : R.Left), BarPoint(Mid, V ? R.Bottom : R.Right));
    break;
  case bsPyramid:
  case bsCone:
  case bsInvPyramid:
  case bsInvCone: {
    const int32_t Base = Inverted ? High : Low, Apex = Inverted ? Low : High;
    const TPoint P[3] = {BarPoint(A0, Base), BarPoint(Mid, Apex), BarPoint(A1, Base)};
    C->Polygon(P);
    break;
  }
  case bsEllipse:
    C->Ellipse(R.Left, R.Top, R.Right, R.Bottom);
    break;
  case bsArrow:
  case bsInvArrow:
    C->Arrow(true, ArrowFrom, ArrowTo, Width, Width / 2, MiddleZ);
    break;
  case bsDiamond:
    C->Diamond(Solid.Left, Solid.Top, Solid.Right, Solid.Bottom, StartZ, EndZ);
    break;
  case bsCustom:
    break;
  }
}

void TCustomBarSeries::DrawTickLine(int32_t Pos, TBarStyle Style)
{
  TCanvas3D* C = Canvas();
  const TRect& R = FBarBounds;
  const bool V = Vertical();
  const int32_t A0 = V ? R.Left : R.Top, A1 = V ? R.Right : R.Bottom;
  const auto Across = [&](int32_t From, int32_t To, int32_t Z) {
    if (V)
      C->HorizLine3D(From, To, Pos, Z);
    else
      C->VertLine3D(Pos, From, To, Z);
  };
  if (IsRectangular(Style)) {
    Across(A0, A1, Is3D() && FParent->InvertedRotation ? EndZ : StartZ);
    if (!Is3D())
      return;
    // The depth line on the side face that shows: the right (top) one,
    // else the left (bottom) one.
    if (const int32_t Edge = DepthTickEdge(); Edge >= 0) {
      const TPoint P = BarPoint(Edge == 0 ? (V ? A1 : A0) : (V ? A0 : A1), Pos);
      C->ZLine3D(P.X, P.Y, StartZ, EndZ);
    }
  } else if (Style == bsCilinder) {
    if (!Is3D() || FParent->View3DOptions()->Orthogonal())
      DrawCylinderTicks(Pos);
  } else if (Style == bsArrow) {
    const int32_t W = (A1 - A0) / 4;
    Across(A0 + W, A1 - W, MiddleZ);
  }
}

bool TCustomBarSeries::InternalClicked(int32_t ValueIndex, const TPoint& P)
{
  const bool V = Vertical();
  const int32_t X = CalcCategoryPos(ValueIndex), X1 = X + IBarSize, MidX = X + IBarSize / 2;
  const bool In3D = Is3D();
  const int32_t PAcross = V ? P.X : P.Y, PAlong = V ? P.Y : P.X;
  if (!In3D && (PAcross < X || PAcross > X1))
    return false;
  const int32_t E0 = CalcValueEndPos(ValueIndex), E1 = GetOriginPos(ValueIndex);
  const int32_t Lo = std::min(E0, E1), Hi = std::max(E0, E1);
  const int32_t High = V ? Lo : Hi, Low = V ? Hi : Lo;
  TCanvas3D* C = Canvas();
  const auto At = [&](int32_t Across, int32_t Along, int32_t Z) {
    const TPoint Q = BarPoint(Across, Along);
    return In3D ? C->Calculate3DPosition(Q, Z) : Q;
  };
  // The hit test follows BarStyle, not the per-point style event.
  switch (FBarStyle) {
  case bsPyramid:
  case bsCone:
  case bsInvPyramid:
  case bsInvCone: {
    const bool Up = FBarStyle == bsPyramid || FBarStyle == bsCone;
    const int32_t Apex = Up ? High : Low, Base = Up ? Low : High;
    return InPolygon(P, {At(X, Base, StartZ), At(MidX, Apex, MiddleZ), At(X1, Base, StartZ)});
  }
  case bsDiamond: {
    const int32_t MidV = (Lo + Hi) / 2;
    return InPolygon(P, {At(MidX, Lo, StartZ), At(X1, MidV, StartZ), At(MidX, Hi, StartZ), At(X, MidV, StartZ)});
  }
  case bsArrow:
  case bsInvArrow: {
    const bool Inv = FBarStyle == bsInvArrow;
    const TPoint From = BarPoint(MidX, Inv ? High : Low), To = BarPoint(MidX, Inv ? Low : High);
    return InPolygon(P, C->GetArrowPoints(50, From, To, IBarSize, IBarSize / 2, In3D ? MiddleZ : 0));
  }
  default: {
    const TRect Box = V ? TRect{X, Lo, X1, Hi} : TRect{Lo, X, Hi, X1};
    if (In3D)
      return InPolygon(P, C->CubeHull(Box, StartZ, EndZ));
    if (FBarStyle == bsEllipse)
      return PointInEllipse(P, Box);
    return PAlong >= Lo && PAlong <= Hi;
  }
  }
}
