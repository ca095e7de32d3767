// Geometry helpers: bounds, orientation, containment, centroid, culling,
// persistent points and bitmap resolution.
#include "platform/Bitmap.h"
#include "chart/canvas/Geometry.h"

#include "rtl/Streams.h"

#include <QImage>

#include <gtest/gtest.h>

TEST(Geometry, BoundsAndOrientation)
{
  const TPoint P[2] = {{1, 5}, {4, 2}};
  EXPECT_EQ(PolygonBounds(std::span<const TPoint>(P)), (TRect{1, 2, 5, 6}));
  const TPointFloat F[2] = {{1, 5}, {4, 2}};
  EXPECT_EQ(PolygonBounds(std::span<const TPointFloat>(F)), (TRectF{1, 2, 4, 5}));
  EXPECT_EQ(PolygonBounds(std::span<const TPoint>()), TRect{});
  EXPECT_EQ(PolygonBounds(std::span<const TPointFloat>()), TRectF{});
  EXPECT_EQ(OrientRectangle(10, 20, 0, 5), (TRect{0, 5, 10, 20}));
  EXPECT_EQ(RectFromPolygon(P, 1), (TRect{1, 5, 2, 6}));
  EXPECT_EQ(RectFromCenter(10, 20, 5, 0), (TRect{5, 15, 15, 25}));
  EXPECT_EQ(RectFromCenter(10, 20, 5, 2), (TRect{5, 18, 15, 22}));
  TRectF R{0, 0, 10, 10};
  InflateRectF(R, 1, 2);
  EXPECT_EQ(R, (TRectF{-1, -2, 11, 12}));
  EXPECT_FLOAT_EQ(ZuzHypot(3, 4), 5);
}

TEST(Geometry, PointsInASquare)
{
  const TPoint Square[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  const struct {
    TPoint P;
    bool Inside;
  } Cases[] = {{{5, 0}, true},   {{10, 5}, true}, {{10, 0}, true},  {{5, 5}, true},    {{0, 5}, false},
               {{5, 10}, false}, {{0, 0}, false}, {{0, 10}, false}, {{10, 10}, false}, {{20, 5}, false}};
  for (const auto& C : Cases)
    EXPECT_EQ(PointInPolygon(C.P, Square), C.Inside) << C.P.X << "," << C.P.Y;
  EXPECT_FALSE(PolygonInPolygon(Square, Square));
  const TPoint Inner[2] = {{5, 5}, {5, 0}};
  EXPECT_TRUE(PolygonInPolygon(Inner, Square));
  EXPECT_FALSE(PointInPolygon(Point(1, 1), std::span<const TPoint>()));
}

TEST(Geometry, Centroids)
{
  const struct {
    const char* Name;
    TPointArray P;
    TPointFloat Want;
  } Cases[] = {
      {"square", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {5, 5}},
      {"collinear", {{0, 0}, {5, 5}, {10, 10}}, {0, 0}},
      {"one point", {{3, 4}}, {3, 4}},
      {"two points", {{0, 0}, {4, 2}}, {2, 1}},
      {"none", {}, {0, 0}},
      {"triangle", {{0, 0}, {6, 0}, {0, 6}}, {2, 2}},
  };
  for (const auto& C : Cases) {
    const TPointFloat G = PolygonCentroid(C.P);
    EXPECT_NEAR(G.x, C.Want.x, 1e-5) << C.Name;
    EXPECT_NEAR(G.y, C.Want.y, 1e-5) << C.Name;
  }
}

TEST(Geometry, CullingTellsTheTurn)
{
  EXPECT_NE(ZuzCull(Point(0, 0), Point(10, 0), Point(10, 10)), ZuzCull(Point(10, 10), Point(10, 0), Point(0, 0)));
  const TFourPoints F{{{0, 0}, {10, 0}, {10, 10}, {0, 10}}};
  EXPECT_EQ(ZuzCull(F), ZuzCull(F[0], F[1], F[2]));
  EXPECT_EQ(ZuzCull(TPointFloat{0, 0}, TPointFloat{10, 0}, TPointFloat{10, 10}),
            ZuzCull(Point(0, 0), Point(10, 0), Point(10, 10)));
  EXPECT_EQ(RoundPoints(std::vector<TPointFloat>{{1.5f, 2.5f}, {-0.5f, 3.49f}}), (TPointArray{{2, 2}, {0, 3}}));
}

TEST(Geometry, PersistentPointsStoreZeroAgainstAnotherDefault)
{
  int Changes = 0;
  TPointXYZFloat P(nullptr, 100, [&](TObject*) { ++Changes; });
  EXPECT_FALSE(P.IsXStored() || P.IsYStored() || P.IsZStored());
  P.SetZ(0);
  EXPECT_EQ(Changes, 1);
  EXPECT_TRUE(P.WritesZZero());
  TPointXYZFloat Read(nullptr, 100);
  Read.ReadZZero(true);
  EXPECT_EQ(Read.Z(), 0);
  TPointXYZFloat ZeroDefault(nullptr, 0);
  EXPECT_FALSE(ZeroDefault.WritesZZero());
  P.SetPoint(1, 2, 3);
  P.SetPoint(1, 2, 3);
  EXPECT_EQ(Changes, 3); // SetPoint notifies even without a change
  EXPECT_EQ(P.AsRound(), (TPoint3D{1, 2, 3}));
  P.SetValue(7);
  EXPECT_EQ(P.X(), 7);
  EXPECT_EQ(P.Z(), 7);

  TPointXYFloat XY(nullptr, 5);
  XY.SetX(0);
  EXPECT_TRUE(XY.WritesXZero());
  EXPECT_FALSE(XY.WritesYZero());
}

TEST(Geometry, BitmapResolution)
{
  TMemoryStream S;
  const char Zeros[64] = {};
  S.WriteBuffer(Zeros, sizeof Zeros);
  ASSERT_TRUE(ZuzSetBitmapDPI(S, 96));
  unsigned char B[4] = {};
  S.SetPosition(38);
  S.ReadBuffer(B, 2);
  S.SetPosition(42);
  S.ReadBuffer(B + 2, 2);
  EXPECT_EQ(B[0] | (B[1] << 8), 3780);
  EXPECT_EQ(B[2] | (B[3] << 8), 3780);

  TBitmap Bitmap(4, 3);
  ZuzSetBitmapDPI(&Bitmap, 300);
  EXPECT_EQ(Bitmap.ImageData()->dotsPerMeterX(), 11811);
  EXPECT_EQ(Bitmap.Width(), 4);
  ZuzSetBitmapSize(&Bitmap, 4, 3);
  EXPECT_EQ(Bitmap.ImageData()->dotsPerMeterX(), 11811); // not resized, not touched
}

namespace {
// A block that counts what the chart asks of it.
class TCountingBlock : public TVisualBlock {
public:
  using TVisualBlock::TVisualBlock;
  void DrawBlock(TPen*, TBrush*, TZuzTransparency, TColor) override {}
  void Repaint() override { ++Repaints; }
  void SizeChanged(TObject* Sender) override { Resized.push_back(Sender); }
  QWidget* Editor(QWidget*, bool) override { return nullptr; }
  int Repaints = 0;
  std::vector<TObject*> Resized;
};
} // namespace

TEST(VisualBlock, PlacedByTheElementItStandsFor)
{
  TCountingBlock B(nullptr);
  EXPECT_EQ(B.Location()->X(), 0.0f);
  EXPECT_EQ(B.Size()->Z(), 100.0f);
  EXPECT_TRUE(B.IsCloneable);

  // Screen rectangle and depth range, written without notification.
  B.SetBounds(TRect{50, 20, 10, 80}, 15, 5, 600);
  EXPECT_EQ(B.Repaints, 0);
  EXPECT_TRUE(B.Resized.empty());
  EXPECT_EQ(B.Location()->Point, (TPoint3DFloat{30, 10, 10})); // Z: height less the vertical centre
  EXPECT_EQ(B.Size()->Point, (TPoint3DFloat{40, 10, 60}));

  // A size change tells the block, then repaints it.
  B.Size()->SetX(41);
  ASSERT_EQ(B.Resized.size(), 1u);
  EXPECT_EQ(B.Resized[0], B.Size());
  EXPECT_EQ(B.Repaints, 1);
  B.Location()->SetY(3);
  EXPECT_EQ(B.Repaints, 2);
  EXPECT_EQ(B.Resized.size(), 1u);

  TCountingBlock Copy(nullptr);
  Copy.IsCloneable = false;
  Copy.Assign(&B);
  EXPECT_EQ(Copy.Size()->Point, B.Size()->Point);
  EXPECT_EQ(Copy.Location()->Point, B.Location()->Point);
  EXPECT_TRUE(Copy.IsCloneable);
}
