// Solids and 3D pies of the GDI canvas: which faces are drawn, in which
// order and how they are shaded; golden images of both.
#include "RecordingCanvas.h"
#include "TestSupport.h"

#include "platform/Canvas.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const char* DirectionName(TGradientDirection D)
{
  switch (D) {
  case gdLeftRight:
    return "LeftRight";
  case gdRightLeft:
    return "RightLeft";
  case gdTopBottom:
    return "TopBottom";
  case gdBottomTop:
    return "BottomTop";
  default:
    return "Other";
  }
}

// The GDI canvas with its projection, logging every face it fills: the
// number of corners, the first two corners, and the shading in force.
class TFaceCanvas : public TZuzCanvas3D {
public:
  using TZuzCanvas3D::Polygon;
  using TZuzCanvas3D::PolygonFloat;
  void Polygon(std::span<const TPoint> P) override
  {
    Record(P.size(), P.empty() ? TPoint{} : P[0], P.size() > 1 ? P[1] : TPoint{});
  }
  void PolygonFloat(std::span<const TPointFloat> P) override
  {
    auto R = [](const TPointFloat& Q) { return TPoint{int32_t(std::lround(Q.x)), int32_t(std::lround(Q.y))}; };
    Record(P.size(), P.empty() ? TPoint{} : R(P[0]), P.size() > 1 ? R(P[1]) : TPoint{});
    Float.push_back(TPointFloatArray(P.begin(), P.end()));
  }
  void Record(size_t N, const TPoint& A, const TPoint& B)
  {
    QString Shade = QStringLiteral("plain");
    if (Gradient()->Visible())
      Shade = QString::fromLatin1(DirectionName(Gradient()->Direction()));
    Log << QStringLiteral("%1 %2,%3 %4,%5 %6").arg(N).arg(A.X).arg(A.Y).arg(B.X).arg(B.Y).arg(Shade);
    Colors.push_back(Brush()->Color());
    Pens.push_back(Pen()->Style());
  }
  QStringList Shades() const
  {
    QStringList S;
    for (const QString& L : Log)
      S << L.section(QLatin1Char(' '), -1);
    return S;
  }
  QStringList Log;
  std::vector<TColor> Colors;
  std::vector<TPenStyle> Pens;
  std::vector<TPointFloatArray> Float;
};

// A face canvas over a 200 x 200 device in an orthogonal view (depth goes
// up and right at 45 degrees, or up and left at 135) or flat.
struct TSolidView {
  explicit TSolidView(int32_t OrthoAngle = 45, bool Is3D = true) : Options(nullptr)
  {
    Options.SetOrthogonal(true);
    Options.SetOrthoAngle(OrthoAngle);
    C.SetUseBuffer(false);
    const TRect R{0, 0, 200, 200};
    C.InitWindow(&Device, &Options, clWhite, Is3D, R);
    C.Projection(100, R, R);
    C.ResetState();
    C.Brush()->SetColor(RGBColor(200, 100, 50));
  }
  TView3DOptions Options;
  TCanvas Device;
  TFaceCanvas C;
};

} // namespace

TEST(Solids, CubeFacesByView)
{
  const struct {
    const char* Name;
    int32_t OrthoAngle;
    bool Is3D;
    TBrushStyle Style;
    QStringList Want;
  } Cases[] = {
      // Straight on, the side faces project to lines and need a strict turn.
      {"flat", 45, false, bsSolid, {"plain"}},
      {"depth up-right", 45, true, bsSolid, {"plain", "LeftRight", "BottomTop"}},
      {"depth up-left", 135, true, bsSolid, {"plain", "RightLeft", "BottomTop"}},
      // A wire cube shows the front and all four sides, never the back.
      {"wire", 45, true, bsClear, {"plain", "LeftRight", "RightLeft", "BottomTop", "TopBottom"}},
  };
  for (const auto& C : Cases) {
    TSolidView V(C.OrthoAngle, C.Is3D);
    V.C.Brush()->SetStyle(C.Style);
    V.C.Cube(50, 100, 60, 120, 0, 20, true);
    EXPECT_EQ(V.C.Shades(), C.Want) << C.Name;
    EXPECT_TRUE(V.C.Log.first().startsWith(QStringLiteral("4 50,60"))) << C.Name; // the front face
    EXPECT_FALSE(V.C.Gradient()->Visible()) << C.Name;
  }
  // Without dark sides nothing is shaded.
  TSolidView V;
  V.C.Cube(50, 100, 60, 120, 0, 20, false);
  EXPECT_EQ(V.C.Shades(), QStringList({"plain", "plain", "plain"}));
}

TEST(Solids, RoundSolids)
{
  {
    // A cylinder standing up: its top cover first, then the mantle over it.
    TSolidView V;
    V.C.Cylinder(true, 50, 60, 100, 120, 0, 20, false);
    ASSERT_EQ(V.C.Log.size(), 2);
    EXPECT_EQ(V.C.Shades(), QStringList({"plain", "LeftRight"}));
    EXPECT_EQ(V.C.Float[0].size(), size_t(CylinderSides));
    // The gradient stays on with the mantle's colours.
    EXPECT_TRUE(V.C.IsGradientVisible());
    EXPECT_EQ(V.C.Gradient()->EndColor(), ApplyDark(RGBColor(200, 100, 50), 64));
  }
  {
    // Below its origin (Bottom < Top): the mantle first, then the cover at
    // y = Bottom.
    TSolidView V;
    V.C.Cylinder(true, 50, 120, 100, 60, 0, 20, true);
    ASSERT_EQ(V.C.Log.size(), 2);
    EXPECT_EQ(V.C.Shades(), QStringList({"LeftRight", "LeftRight"}));
    EXPECT_EQ(V.C.Float[1].size(), size_t(CylinderSides));
    EXPECT_EQ(V.C.Gradient()->StartColor(), ApplyBright(RGBColor(200, 100, 50), 64));
  }
  {
    // A cone ends in an apex: the mantle is half the ring and the apex.
    TSolidView V;
    V.C.Cone(true, 50, 60, 100, 120, 0, 20, false, 0);
    ASSERT_EQ(V.C.Log.size(), 1);
    const TPointFloatArray& M = V.C.Float[0];
    EXPECT_EQ(M.size(), size_t(CylinderSides / 2 + 2));
    EXPECT_NEAR(M.back().x, 75 + 10, 0.01); // the apex, moved by its depth
    EXPECT_NEAR(M.back().y, 60 - 10, 0.01);
  }
  {
    // At 50 % the top ring has half the radius and half the depth radius.
    TSolidView Flat(45, false);
    Flat.C.Cone(true, 0, 0, 80, 100, 0, 40, false, 50);
    const TPointFloatArray& Top = Flat.C.Float[0];
    float MinX = 1e9f, MaxX = -1e9f;
    for (const TPointFloat& P : Top) {
      MinX = std::min(MinX, P.x);
      MaxX = std::max(MaxX, P.x);
    }
    EXPECT_NEAR(MaxX - MinX, 40, 1);
  }
}

TEST(Solids, PyramidsAndArrows)
{
  TSolidView V;
  V.C.Pyramid(true, 50, 60, 100, 120, 0, 20, true);
  // Front, right side (darkened by 128) and the back seen from above.
  ASSERT_GE(V.C.Log.size(), 2);
  EXPECT_TRUE(V.C.Log.first().startsWith(QStringLiteral("3 ")));
  EXPECT_EQ(V.C.Colors.front(), RGBColor(200, 100, 50));
  EXPECT_EQ(V.C.Colors.back(), ApplyDark(RGBColor(200, 100, 50), 128));
  TSolidView Flat(45, false);
  Flat.C.Pyramid(true, 50, 60, 50 + 40, 60, 0, 20, true); // no height: nothing
  EXPECT_TRUE(Flat.C.Log.isEmpty());

  TSolidView A;
  A.C.Arrow(true, TPoint{10, 10}, TPoint{10, 10}, 8, 8, 0, 0, 50);
  EXPECT_TRUE(A.C.Log.isEmpty());
  A.C.Arrow(true, TPoint{10, 10}, TPoint{60, 10}, 8, 8, 0, 0, 50);
  EXPECT_EQ(A.C.Log.size(), 1);
  EXPECT_TRUE(A.C.Log.first().startsWith(QStringLiteral("7 ")));
}

TEST(Solids, TruncatedPyramidWalls)
{
  const struct {
    double TruncX, StartZ, EndZ;
    bool TopCover;
    int Faces;
  } Cases[] = {
      {0, 10, 10, true, 1}, // one flat wall; no top cover without a top
      {5, 0, 20, false, 3}, // the visible walls of four, with the bottom cover
      {5, 0, 20, true, 4},
  };
  for (const auto& C : Cases) {
    TRecordingCanvas R;
    R.PyramidTrunc(TRectF{10, 10, 50, 60}, C.StartZ, C.EndZ, C.TruncX, 5, C.TopCover, C.Faces != 1);
    EXPECT_EQ(R.Calls(QStringLiteral("PolygonFloat")).size(), C.Faces) << C.TruncX << " " << C.TopCover;
  }
}

namespace {
// A pie over a flat view: centre (100, 100), radii 50 x 30, 10 deep.
struct TPieView {
  TPieView() : V(45, false) {}
  void Pie(double StartDeg, double EndDeg, int32_t Donut = 0, TZuzTransparency T = 0, bool HideSides = false,
           int32_t Bevel = 0, int32_t BevelBright = 0, bool BevelBorder = true)
  {
    V.C.Pie3D(100, 100, 50, 30, 0, 10, StartDeg * 3.14159265358979323846 / 180, EndDeg * 3.14159265358979323846 / 180,
              false, true, Donut, nullptr, Bevel, edNone, T, BevelBright, BevelBorder, HideSides);
  }
  TSolidView V;
};
} // namespace

TEST(Pie3D, FaceOrder)
{
  // Sides: 4 corners from the centre, then the radial point of their angle;
  // walls and tops: polygons of one point per degree.
  const struct {
    double Start, End;
    QStringList Want;
  } Cases[] = {
      // End right of the centre, start left of it: right, left, front.
      {120, 300, {"4 100,100 75,74", "4 100,100 125,126", "242 50,110"}},
      // Both right of the centre, small: left side, front, right side.
      {300, 350, {"4 100,100 149,105", "102 125,126", "4 100,100 125,126"}},
      // Both left of the centre, small: right side, front, left side.
      {200, 250, {"4 100,100 53,110", "102 53,110", "4 100,100 83,128"}},
      // Small slice above the centre: the walls face away, only the sides.
      {30, 60, {"4 100,100 143,85", "4 100,100 125,74"}},
  };
  for (const auto& C : Cases) {
    TPieView P;
    P.Pie(C.Start, C.End);
    QStringList Got;
    for (int i = 0; i + 1 < P.V.C.Log.size(); ++i) // the last entry is the top
      Got << P.V.C.Log[i].section(QLatin1Char(' '), 0, 1);
    QStringList Want;
    for (const QString& W : C.Want)
      Want << W.section(QLatin1Char(' '), 0, 1);
    EXPECT_EQ(Got, Want) << C.Start << ".." << C.End;
  }
}

TEST(Pie3D, WholePiesDonutsAndBevels)
{
  {
    // Equal angles: a whole pie, two walls and a top without centre point.
    TPieView P;
    P.Pie(90, 90);
    ASSERT_EQ(P.V.C.Log.size(), 3);
    EXPECT_EQ(P.V.C.Float[0].size(), 2u * 181);
    EXPECT_EQ(P.V.C.Float[2].size(), 361u);
  }
  {
    // Exactly a whole turn: no side faces either.
    TPieView P;
    P.Pie(0, 360);
    EXPECT_EQ(P.V.C.Log.size(), 3);
  }
  {
    // Transparent: the bottom first and every wall, the far ones too.
    TPieView P;
    P.Pie(30, 60, 0, 50);
    ASSERT_GE(P.V.C.Log.size(), 4);
    EXPECT_EQ(P.V.C.Float[0].size(), 33u); // centre, 31 points, centre
    EXPECT_EQ(P.V.C.Float[0][0].y, 110);   // on the bottom ellipse
  }
  {
    // A donut whose inner wall is hidden never draws it.
    TPieView Shown, Hidden;
    Shown.Pie(100, 300, 50);
    Hidden.Pie(100, 300, 50, 0, true);
    EXPECT_EQ(Shown.V.C.Log.size(), Hidden.V.C.Log.size() + 1);
  }
  {
    // A bevel band 40 darker, without an outline.
    TPieView P;
    P.Pie(200, 340, 0, 0, false, 40, -40, false);
    const TColor Base = RGBColor(200, 100, 50);
    bool Found = false;
    for (size_t i = 0; i < P.V.C.Colors.size(); ++i)
      if (P.V.C.Colors[i] == ApplyDark(Base, 40)) {
        Found = true;
        EXPECT_EQ(P.V.C.Pens[i], psClear);
      }
    EXPECT_TRUE(Found);
  }
  {
    // Angles of many turns from a chart file draw one whole pie.
    TPieView P;
    P.Pie(0, 1e9);
    EXPECT_LE(P.V.C.Float.back().size(), 362u);
  }
}

TEST(Pie3D, ZeroThicknessIsNotProjected)
{
  TSolidView V;
  V.C.Pie3D(100, 100, 50, 30, 5, 5, 0, 3.14159265358979323846 / 2, false, true, 0, nullptr, 0, edNone, 0, 0, true,
            false);
  ASSERT_FALSE(V.C.Float.empty());
  const TPointFloatArray& Top = V.C.Float.back();
  EXPECT_EQ(Top.front(), (TPointFloat{100, 100})); // the centre, unmoved by depth
  EXPECT_NEAR(Top[1].x, 150, 0.01);
}

// With Pie3DUsingArcs the top face and a front wall facing the viewer are
// paths of arcs on the device instead of polygons of one point per degree;
// they cover the same area.
TEST(Pie3D, ArcPathsCoverWhatThePolygonsCover)
{
  const double D = 3.14159265358979323846 / 180;
  const struct {
    const char* Name;
    double Start, End;
    int32_t Donut;
    int32_t PolygonsLess; // faces that became paths
  } Cases[] = {
      {"slice above the centre", 30, 120, 0, 1},  // the top only
      {"slice below the centre", 200, 330, 0, 2}, // top and front wall
      {"donut slice below the centre", 200, 330, 40, 2},
  };
  for (const auto& C : Cases) {
    int32_t Covered[2] = {};
    size_t Faces[2] = {};
    for (int UsingArcs = 0; UsingArcs < 2; ++UsingArcs) {
      TView3DOptions Options(nullptr);
      Options.SetOrthogonal(true);
      Options.SetOrthoAngle(90); // depth goes straight up
      TBufferedCanvas B(200, 200);
      QImage Target(200, 200, QImage::Format_RGB32);
      TCanvas Device;
      Device.BindImage(&Target);
      TFaceCanvas Log;
      for (TZuzCanvas3D* Canvas : {static_cast<TZuzCanvas3D*>(B.Canvas.get()), static_cast<TZuzCanvas3D*>(&Log)}) {
        const TRect R{0, 0, 200, 200};
        Canvas->SetUseBuffer(Canvas == B.Canvas.get());
        Canvas->InitWindow(Canvas == B.Canvas.get() ? B.DestCanvas.get() : &Device, &Options, clWhite, true, R);
        Canvas->Projection(20, R, R);
        Canvas->ResetState();
        Canvas->Brush()->SetColor(clWhite);
        Canvas->FillRect(R);
        Canvas->Pen()->SetStyle(psClear);
        Canvas->Brush()->SetColor(clNavy);
        Canvas->Pie3DUsingArcs = UsingArcs != 0;
        Canvas->Pie3D(100, 100, 60, 40, 0, 12, C.Start * D, C.End * D, false, true, C.Donut, nullptr, 0, edNone, 0, 0,
                      true, false);
      }
      Covered[UsingArcs] = CountColor(B.Image(), clNavy);
      Faces[UsingArcs] = Log.Log.size();
    }
    EXPECT_GT(Covered[0], 1000) << C.Name;
    // The device's arcs and the degree polygons may part by a pixel along
    // the curved edges.
    EXPECT_NEAR(Covered[1], Covered[0], Covered[0] / 25) << C.Name;
    EXPECT_EQ(Faces[0] - Faces[1], size_t(C.PolygonsLess)) << C.Name;
  }
}

TEST(Golden, SolidsAndPies)
{
  TView3DOptions Options(nullptr);
  Options.SetOrthogonal(false);
  Options.SetRotation(340);
  Options.SetElevation(345);
  Options.SetPerspective(0);
  TBufferedCanvas B(240, 160);
  TZuzCanvas3D& C = *B.Canvas;
  const TRect R{0, 0, 240, 160};
  C.InitWindow(B.DestCanvas.get(), &Options, clWhite, true, R);
  C.Projection(60, R, R);
  C.ResetState();
  C.Brush()->SetColor(clWhite);
  C.FillRect(R);
  C.Pen()->SetColor(clBlack);
  C.Brush()->SetColor(RGBColor(220, 60, 40));
  C.Cube(10, 40, 20, 70, 10, 40, true);
  C.Brush()->SetColor(RGBColor(40, 160, 60));
  C.Cylinder(true, 55, 20, 85, 70, 10, 40, true);
  C.Brush()->SetColor(RGBColor(60, 80, 200));
  C.Cone(true, 100, 20, 130, 70, 10, 40, false, 0);
  C.Gradient()->SetVisible(false);
  C.Brush()->SetColor(RGBColor(230, 180, 30));
  C.Pyramid(true, 145, 20, 175, 70, 10, 40, true);
  C.Brush()->SetColor(RGBColor(150, 60, 160));
  C.Sphere(205, 45, 25, 20);
  C.Brush()->SetColor(RGBColor(40, 160, 160));
  C.Arrow(true, TPoint{10, 85}, TPoint{60, 85}, 12, 10, 10, 20, 50);
  C.Gradient()->SetVisible(false);

  TView3DOptions Flat(nullptr);
  Flat.SetOrthogonal(true);
  Flat.SetOrthoAngle(90);
  C.InitWindow(B.DestCanvas.get(), &Flat, clWhite, false, R);
  C.Projection(60, R, R);
  const double D = 3.14159265358979323846 / 180;
  C.Brush()->SetColor(RGBColor(230, 120, 40));
  C.Pie3D(110, 120, 40, 22, 0, 10, 20 * D, 140 * D, true, true, 0, nullptr, 0, edNone, 0, 0, true, false);
  C.Brush()->SetColor(RGBColor(70, 130, 210));
  C.Pie3D(110, 120, 40, 22, 0, 10, 140 * D, 380 * D, true, true, 0, nullptr, 30, edNone, 0, -40, true, false);
  C.Brush()->SetColor(RGBColor(120, 190, 90));
  C.Pie3D(200, 120, 30, 18, 0, 8, 0, 270 * D, true, true, 45, nullptr, 0, edNone, 0, 0, true, false);
  EXPECT_GOLDEN(B.Image(), QStringLiteral("solids_pies"), 8, 40);
}
