// The solids of the GDI canvas: cubes, cylinders, cones, pyramids, spheres
// and 3D arrows, built from projected faces. Hidden faces are skipped by the
// turn of their projected corners; side faces are shaded with the canvas
// gradient. Everything is drawn with the current pen and brush, so picture
// and gradient brushes fill the faces too.
#include "chart/canvas/ZuzCanvas3D.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"

#include <cmath>

// Unit-level settings of the round solids.
int32_t CylinderSides = 32;
int32_t DefaultConePercent = 0;

namespace {

// On which side B lies when going from A round C.
int64_t Turn(const TPoint& C, const TPoint& A, const TPoint& B)
{
  return (int64_t(B.X) - C.X) * (int64_t(A.Y) - C.Y) - (int64_t(A.X) - C.X) * (int64_t(B.Y) - C.Y);
}

} // namespace

TColor TZuzCanvas3D::SolidFaceColor() { return FBrush->Style() == bsSolid ? FBrush->Color() : GetBackColor(); }

void TZuzCanvas3D::Cube(int32_t Left, int32_t Right, int32_t Top, int32_t Bottom, int32_t Z0, int32_t Z1,
                        bool DarkSides, int32_t)
{
  const TPoint A = Calculate3DPosition(Left, Top, Z0);
  const TPoint B = Calculate3DPosition(Right, Top, Z0);
  const TPoint C = Calculate3DPosition(Right, Bottom, Z0);
  const TPoint D = Calculate3DPosition(Right, Top, Z1);
  const TPoint LB0 = Calculate3DPosition(Left, Bottom, Z0);
  const TPoint LT1 = Calculate3DPosition(Left, Top, Z1);
  const TPoint LB1 = Calculate3DPosition(Left, Bottom, Z1);
  const TPoint RB1 = Calculate3DPosition(Right, Bottom, Z1);
  const TColor Face = SolidFaceColor();
  const bool Wire = FBrush->Style() == bsClear;
  auto Shaded = [&](TGradientDirection Direction, uint8_t Amount) {
    if (DarkSides) {
      TZuzGradient* G = Gradient();
      G->SetVisible(true);
      G->SetDirection(Direction);
      G->SetStartColor(Face);
      G->SetEndColor(ApplyDark(Face, Amount));
    }
    PolygonFour();
    if (DarkSides)
      Gradient()->SetVisible(false);
  };
  IPoints = TFourPoints{A, B, C, LB0};
  if (!Wire && Turn(C, B, LB0) <= 0)
    IPoints = TFourPoints{LT1, Calculate3DPosition(Right, Top, Z1), RB1, LB1};
  PolygonFour();
  if (Wire || Turn(RB1, D, C) > 0) {
    IPoints = TFourPoints{B, D, RB1, C};
    Shaded(gdLeftRight, 128);
  }
  if (Wire || Turn(A, LT1, LB0) > 0) {
    IPoints = TFourPoints{A, LT1, LB1, LB0};
    Shaded(gdRightLeft, 128);
  }
  if (Wire || Turn(B, D, A) > 0) {
    IPoints = TFourPoints{A, B, D, LT1};
    Shaded(gdBottomTop, 64);
  }
  if (Wire || Turn(RB1, LB1, C) < 0) {
    IPoints = TFourPoints{LB0, LB1, RB1, C};
    Shaded(gdTopBottom, 64);
  }
}

void TZuzCanvas3D::Cube(int32_t Left, int32_t Right, int32_t Top, int32_t Bottom, int32_t Z0, int32_t Z1, int32_t,
                        bool DarkSides, int32_t RoundSize)
{
  Cube(Left, Right, Top, Bottom, Z0, Z1, DarkSides, RoundSize);
}

void TZuzCanvas3D::Cylinder(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0,
                            int32_t Z1, bool Dark3D)
{
  InternalCylinder(Vertical, Left, Top, Right, Bottom, Z0, Z1, Dark3D, 100);
}

void TZuzCanvas3D::Cone(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0, int32_t Z1,
                        bool Dark3D, int32_t ConePercent)
{
  InternalCylinder(Vertical, Left, Top, Right, Bottom, Z0, Z1, Dark3D, ConePercent);
}

void TZuzCanvas3D::InternalCylinder(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0,
                                    int32_t Z1, bool Dark3D, int32_t ConePercent)
{
  if (ConePercent == 0)
    ConePercent = DefaultConePercent;
  const int32_t Sides = std::max(3, CylinderSides);
  int32_t ZR = (Z1 - Z0) / 2;
  const int32_t ZC = (Z1 + Z0) / 2;
  const double Step = 2 * 3.14159265358979323846 / Sides;
  int32_t Radius = Vertical ? (Right - Left) / 2 : (Bottom - Top) / 2;
  const int32_t Centre = Vertical ? (Right + Left) / 2 : (Bottom + Top) / 2;

  auto Ring = [&](int32_t R, int32_t ZRadius, int32_t At, TPointFloatArray& Out) {
    Out.resize(static_cast<size_t>(Sides));
    for (int32_t i = 0; i < Sides; ++i) {
      const double A = i * Step;
      const float Cross = float(PixelRound(R * std::sin(A)) + Centre);
      const float Z = float(ZC - PixelRound(ZRadius * std::cos(A)));
      TPointFloat P = Vertical ? TPointFloat{Cross, float(At)} : TPointFloat{float(At), Cross};
      Calculate3DPosition(P, Z);
      Out[static_cast<size_t>(i)] = P;
    }
  };
  TPointFloatArray Base, Second, Work;
  Ring(Radius, ZR, Vertical ? Bottom : Left, Base);
  const bool HasSecond = ConePercent != 0;
  if (HasSecond) {
    if (ConePercent != 100) {
      Radius = PixelRound(Radius * ConePercent * 0.01);
      ZR = PixelRound(ZR * ConePercent * 0.01);
    }
    Ring(Radius, ZR, Vertical ? Top : Right, Second);
  }
  bool FarCover;
  if (Vertical) {
    FarCover = Bottom < Top;
  } else {
    FarCover = ZuzCull(Calculate3DPosition(0, 0, 0), Calculate3DPosition(0, 10, 0), Calculate3DPosition(0, 10, 10));
    if (Right < Left)
      FarCover = !FarCover;
  }

  Work = HasSecond ? Second : Base;
  if (HasSecond && !FarCover)
    PolygonFloat(Work);

  auto Key = [Vertical](const TPointFloat& P) { return Vertical ? P.x : P.y; };
  size_t Lo = 0, Hi = 0;
  for (size_t i = 1; i < Work.size(); ++i) {
    if (Key(Work[i]) < Key(Work[Lo]))
      Lo = i;
    if (Key(Work[i]) > Key(Work[Hi]))
      Hi = i;
  }
  const size_t N = Work.size();
  TPointFloatArray Mantle;
  for (size_t i = Lo;; i = (i + 1) % N) {
    Mantle.push_back(Work[i]);
    if (i == Hi)
      break;
  }
  if (HasSecond) {
    for (size_t i = Hi;; i = (i + N - 1) % N) {
      Mantle.push_back(Base[i]);
      if (i == Lo)
        break;
    }
  } else {
    TPointFloat Apex = Vertical ? TPointFloat{float(Centre), float(Top)} : TPointFloat{float(Right), float(Centre)};
    Calculate3DPosition(Apex, float(ZC));
    Mantle.push_back(Apex);
  }

  const TColor Color = FBrush->Color();
  TZuzGradient* G = Gradient();
  G->SetMidColor(clNone);
  if (Dark3D) {
    G->SetStartColor(ApplyBright(Color, 64));
    G->SetEndColor(ApplyDark(Color, 128));
  } else {
    G->SetStartColor(Color);
    G->SetEndColor(ApplyDark(Color, 64));
  }
  G->SetDirection(Vertical ? gdLeftRight : gdTopBottom);
  G->SetVisible(true);
  PolygonFloat(Mantle);

  if (FarCover) {
    if (HasSecond)
      Work = Base;
    PolygonFloat(Work);
  }
}

void TZuzCanvas3D::Pyramid(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t z0,
                           int32_t z1, bool DarkSides)
{
  const TColor Face = SolidFaceColor();
  auto Darken = [&](uint8_t Amount) {
    if (DarkSides)
      InternalDark(Face, Amount);
  };
  auto Triangle = [&](const TPoint& P0, const TPoint& P1, const TPoint& P2) {
    const TPoint T[3] = {P0, P1, P2};
    Polygon(T);
  };
  const int32_t ZM = (z0 + z1) / 2;
  if (Vertical) {
    if (Bottom == Top)
      return;
    const bool Up = Top < Bottom;
    const TPoint V = Calculate3DPosition((Left + Right) / 2, Top, ZM);
    const TPoint LF = Calculate3DPosition(Left, Bottom, z0), RF = Calculate3DPosition(Right, Bottom, z0);
    const TPoint LB = Calculate3DPosition(Left, Bottom, z1), RB = Calculate3DPosition(Right, Bottom, z1);
    Triangle(LF, V, RF);
    if (ZuzCull(LF, V, LB) != Up)
      Triangle(LF, V, LB);
    Darken(128);
    if (ZuzCull(RF, V, RB) == Up)
      Triangle(RF, V, RB);
    if (Up && ZuzCull(V, LB, RB))
      Triangle(V, LB, RB);
    if (ZuzCull(LF, RF, LB) == Up) {
      Darken(64);
      RectangleY(Left, Bottom, Right, z0, z1);
    }
  } else {
    if (Right == Left)
      return;
    const bool ToRight = Left < Right;
    const TPoint V = Calculate3DPosition(Right, (Top + Bottom) / 2, ZM);
    const TPoint TF = Calculate3DPosition(Left, Top, z0), BF = Calculate3DPosition(Left, Bottom, z0);
    const TPoint TB = Calculate3DPosition(Left, Top, z1), BB = Calculate3DPosition(Left, Bottom, z1);
    Triangle(TF, V, BF);
    if (ZuzCull(TB, V, BB) != ToRight)
      Triangle(TB, V, BB);
    Darken(64);
    if (ZuzCull(TF, V, TB) != ToRight)
      Triangle(TF, V, TB);
    if (ZuzCull(BB, V, BF) != ToRight)
      Triangle(BB, V, BF);
    if (ZuzCull(TF, BF, TB) == ToRight) {
      Darken(128);
      RectangleZ(Left, Top, Bottom, z0, z1);
    }
  }
}

void TZuzCanvas3D::Sphere(int32_t x, int32_t y, int32_t z, double Radius)
{
  const int32_t R = PixelRound(Radius);
  EllipseWithZ(x - R, y - R, x + R, y + R, z);
}

void TZuzCanvas3D::Arrow(bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int32_t ArrowWidth,
                         int32_t ArrowHeight, int32_t Z0, int32_t Z1, double ArrowPercent)
{
  const int32_t Z = (Z0 + Z1) / 2;
  const TPointArray P =
      GetArrowPoints(static_cast<float>(ArrowPercent), FromPoint, ToPoint, ArrowWidth, ArrowHeight, Z);
  if (P.size() < 7)
    return;
  if (Filled) {
    Polygon(P);
    return;
  }
  // An open arrow: the shaft a single line, the head two strokes.
  MoveTo(Calculate3DPosition(FromPoint, Z));
  LineTo(P[4]);
  LineTo(P[5]);
  MoveTo(P[4]);
  LineTo(P[3]);
}
