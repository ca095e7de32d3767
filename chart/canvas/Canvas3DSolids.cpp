// The truncated pyramid, shared by every canvas: built from floating
// projected points and drawn with PolygonFloat, hidden walls skipped by the
// turn of their corners.
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"

void TCanvas3D::PyramidTrunc(const TRectF& R, double StartZ, double EndZ, double TruncX, double TruncZ, bool TopCover,
                             bool BottomCover)
{
  const double XM = (R.Left + R.Right) * 0.5, ZM = (StartZ + EndZ) * 0.5;
  const bool Down = R.Bottom >= R.Top;
  auto Pf = [this](double X, double Y, double Z) {
    TPointFloat P{static_cast<float>(X), static_cast<float>(Y)};
    Calculate3DPosition(P, static_cast<float>(Z));
    return P;
  };
  auto Face = [this](const TPointFloat& A, const TPointFloat& B, const TPointFloat& C, const TPointFloat& D) {
    const TPointFloat P[4] = {A, B, C, D};
    PolygonFloat(P);
  };
  auto BottomFace = [&] {
    if (BottomCover)
      Face(Pf(R.Left, R.Bottom, StartZ), Pf(R.Right, R.Bottom, StartZ), Pf(R.Right, R.Bottom, EndZ),
           Pf(R.Left, R.Bottom, EndZ));
  };
  auto TopFace = [&] {
    if (TopCover && TruncX != 0)
      Face(Pf(XM - TruncX, R.Top, ZM - TruncZ), Pf(XM + TruncX, R.Top, ZM - TruncZ),
           Pf(XM + TruncX, R.Top, ZM + TruncZ), Pf(XM - TruncX, R.Top, ZM + TruncZ));
  };
  auto FrontWall = [&](bool Flip, double ZBase, double ZTop) {
    const TPointFloat P0 = Pf(XM - TruncX, R.Top, ZTop), P1 = Pf(XM + TruncX, R.Top, ZTop);
    const TPointFloat P2 = Pf(R.Right, R.Bottom, ZBase), P3 = Pf(R.Left, R.Bottom, ZBase);
    bool Visible = ZuzCull(P1, P2, P3);
    if (Flip)
      Visible = !Visible;
    if (!Down)
      Visible = !Visible;
    if (Visible)
      Face(P0, P1, P2, P3);
  };
  auto SideWall = [&](bool Flip, double XTop, double XBase) {
    const TPointFloat P0 = Pf(XTop, R.Top, ZM - TruncZ), P1 = Pf(XTop, R.Top, ZM + TruncZ);
    const TPointFloat P2 = Pf(XBase, R.Bottom, EndZ), P3 = Pf(XBase, R.Bottom, StartZ);
    bool Visible = ZuzCull(P3, P2, P1);
    if (!Flip)
      Visible = !Visible;
    if (!Down)
      Visible = !Visible;
    if (Visible)
      Face(P0, P1, P2, P3);
  };
  const bool BottomFirst = R.Bottom > R.Top;
  if (BottomFirst)
    BottomFace();
  else
    TopFace();
  if (TruncX == 0 && StartZ == EndZ) {
    FrontWall(false, EndZ, ZM + TruncZ);
  } else {
    FrontWall(true, EndZ, ZM + TruncZ);
    SideWall(true, XM - TruncX, R.Left);
    FrontWall(false, StartZ, ZM - TruncZ);
    SideWall(false, XM + TruncX, R.Right);
  }
  if (BottomFirst)
    TopFace();
  else
    BottomFace();
}
