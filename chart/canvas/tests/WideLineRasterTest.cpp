// Wide anti-aliased segments drawn straight into an image: the band each
// covers, translucent joints blended once, the clip, and the formats it
// leaves to the painter.
#include "chart/canvas/WideLineRaster.h"

#include <QImage>
#include <QPointF>

#include <gtest/gtest.h>

#include <vector>

namespace {

QImage White(QImage::Format F = QImage::Format_ARGB32_Premultiplied)
{
  QImage I(40, 30, F);
  I.fill(Qt::white);
  return I;
}

int Red(const QImage& I, int X, int Y) { return qRed(I.pixel(X, Y)); }
int Green(const QImage& I, int X, int Y) { return qGreen(I.pixel(X, Y)); }

} // namespace

TEST(WideLineRaster, ATwoPixelLineCoversTwoRowsOnWholeCoordinates)
{
  QImage I = White();
  const std::vector<QPointF> P{{5, 10}, {30, 10}};
  ASSERT_TRUE(RasterWideSegments(I, P, 2, qRgb(0, 0, 255), I.rect()));
  for (int X = 5; X < 30; ++X) {
    EXPECT_EQ(I.pixel(X, 9), qRgb(0, 0, 255)) << X;
    EXPECT_EQ(I.pixel(X, 10), qRgb(0, 0, 255)) << X;
    EXPECT_EQ(I.pixel(X, 8), qRgb(255, 255, 255)) << X;
    EXPECT_EQ(I.pixel(X, 11), qRgb(255, 255, 255)) << X;
  }
  // Flat ends: nothing beyond the end points.
  EXPECT_EQ(I.pixel(4, 10), qRgb(255, 255, 255));
  EXPECT_EQ(I.pixel(30, 10), qRgb(255, 255, 255));
}

TEST(WideLineRaster, HalfCoveredPixelsAreBlendedByTheirShare)
{
  QImage I = White();
  // Centred on a pixel row: the rows above and below are half covered.
  const std::vector<QPointF> P{{5, 10.5}, {30, 10.5}};
  RasterWideSegments(I, P, 2, qRgb(0, 0, 0), I.rect());
  EXPECT_EQ(Red(I, 12, 10), 0);
  EXPECT_NEAR(Red(I, 12, 9), 128, 2);
  EXPECT_NEAR(Red(I, 12, 11), 128, 2);
}

TEST(WideLineRaster, ATranslucentPolylineIsBlendedOnceAtItsJoints)
{
  QImage I = White();
  const std::vector<QPointF> P{{2, 10}, {12, 10}, {22, 12}, {32, 10}};
  RasterWideSegments(I, P, 2, qRgba(255, 0, 0, 128), I.rect());
  // Along the whole line the green channel shows one layer of the colour,
  // joints included (two layers would go darker).
  for (int X : {11, 12, 13, 21, 22, 23})
    EXPECT_GE(Green(I, X, 10) + Green(I, X, 11) + Green(I, X, 12) + Green(I, X, 9), 2 * 127) << X;
  EXPECT_NEAR(Green(I, 5, 10), 127, 2);
}

TEST(WideLineRaster, TheClipAndTheFormats)
{
  QImage I = White();
  const std::vector<QPointF> P{{0, 10}, {40, 10}};
  RasterWideSegments(I, P, 4, qRgb(0, 0, 0), QRect(10, 0, 10, 30));
  EXPECT_EQ(Red(I, 9, 10), 255);
  EXPECT_EQ(Red(I, 10, 10), 0);
  EXPECT_EQ(Red(I, 19, 10), 0);
  EXPECT_EQ(Red(I, 20, 10), 255);
  // A 32-bit RGB image keeps its alpha byte.
  QImage R = White(QImage::Format_RGB32);
  RasterWideSegments(R, P, 3, qRgba(0, 0, 0, 100), R.rect());
  EXPECT_EQ(qAlpha(reinterpret_cast<const QRgb*>(R.constScanLine(10))[15]), 255);
  // Formats it does not write are left to the painter.
  QImage G(10, 10, QImage::Format_Grayscale8);
  EXPECT_FALSE(RasterWideSegments(G, P, 2, qRgb(0, 0, 0), G.rect()));
}
