// Paths of the GDI canvas.
#include "TestSupport.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzPath.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(GdiPath, CoordinatesRoundHalfToEven)
{
  TBufferedCanvas B(30, 30);
  B.Canvas->Brush()->SetStyle(bsClear);
  auto P = B.Canvas->CreatePath();
  P->MoveTo(10.5f, 10.5f);
  P->LineTo(11.5f, 11.5f);
  EXPECT_EQ(B.Canvas->ReferenceCanvas()->PenPos(), Point(12, 12));
  P->LineTo(20, 11.5f);
  P->Draw(B.Canvas.get());
  EXPECT_EQ(B.Pixel(10, 10), clBlack);
  EXPECT_EQ(B.Pixel(15, 12), clBlack);
  TPathPointTypes Types{1};
  TPointFloatArray Points{{1, 1}};
  TRectF Bounds{1, 2, 3, 4};
  P->GetPoints(Types, Points, Bounds);
  EXPECT_TRUE(Types.empty() && Points.empty());
  EXPECT_EQ(Bounds, (TRectF{1, 2, 3, 4}));
}

TEST(GdiPath, FillAndStrokeFollowTheCanvas)
{
  {
    // Clear brush, visible pen: the outline only.
    TBufferedCanvas B(30, 30);
    B.Canvas->Brush()->SetStyle(bsClear);
    auto P = B.Canvas->CreatePath();
    const TPoint Square[4] = {{5, 5}, {25, 5}, {25, 25}, {5, 25}};
    P->Curve(Square, 0, true);
    P->Draw(B.Canvas.get());
    EXPECT_EQ(B.Pixel(15, 15), clWhite);
    EXPECT_EQ(B.Pixel(15, 5), clBlack);
  }
  {
    // A picture brush fills the shape; the brush colour is not painted.
    TBufferedCanvas B(30, 30);
    TBitmap Pic(2, 2);
    Pic.Canvas()->Brush()->SetColor(clBlue);
    Pic.Canvas()->FillRect(TRect{0, 0, 2, 2});
    B.Canvas->Brush()->SetColor(clRed);
    B.Canvas->Brush()->Image()->SetGraphic(&Pic);
    auto P = B.Canvas->CreatePath();
    const TPoint Triangle[3] = {{5, 5}, {25, 5}, {5, 25}};
    P->Curve(Triangle, 0, true);
    P->Draw(B.Canvas.get());
    EXPECT_EQ(B.Pixel(8, 8), clBlue);
    EXPECT_EQ(B.Pixel(22, 22), clWhite);
    EXPECT_EQ(CountColor(B.Image(), clRed), 0);
    EXPECT_EQ(B.Pixel(15, 5), clBlack);
  }
}

TEST(GdiPath, OneBracketAtATime)
{
  TBufferedCanvas B(10, 10);
  auto First = B.Canvas->CreatePath();
  EXPECT_THROW(B.Canvas->CreatePath(), Exception);
  First.reset(); // an undrawn path closes its bracket
  EXPECT_NO_THROW(B.Canvas->CreatePath());
  TZuzCanvas3D NoDevice;
  EXPECT_THROW(NoDevice.CreatePath(), Exception);
}

TEST(PathGeometry, PointAtDistance)
{
  const struct {
    TPoint P0, P1;
    float D;
    TPoint Want;
  } Cases[] = {
      {{0, 0}, {10, 0}, 3, {7, 0}}, {{0, 10}, {0, 0}, 3, {0, 3}},    {{5, 5}, {5, 5}, 2, {5, 3}},
      {{0, 0}, {0, 10}, 4, {0, 6}}, {{10, 0}, {0, 0}, 2.5f, {2, 0}}, {{0, 0}, {30, 40}, 5, {27, 36}},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(PointAtDistance(C.P0, C.P1, C.D), C.Want) << C.P1.X << "," << C.P1.Y << " " << C.D;
  const TPointFloat F = PointAtDistance(TPointFloat{0, 0}, TPointFloat{10, 0}, 2.5f);
  EXPECT_FLOAT_EQ(F.x, 7.5f);
  EXPECT_FLOAT_EQ(F.y, 0);
  EXPECT_EQ(PointAtDistance(TPointFloat{1, 9}, TPointFloat{1, 2}, 0.5f), (TPointFloat{1, 2.5f}));
  EXPECT_EQ(ZuzDistance(3, 4), 5);
  int32_t A = 1, B = 2;
  SwapInteger(A, B);
  EXPECT_EQ(A, 2);
  EXPECT_EQ(B, 1);
}
