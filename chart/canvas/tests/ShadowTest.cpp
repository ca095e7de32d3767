// Shadows: sizes, offsets, turned rectangles and when blending starts.
#include "RecordingCanvas.h"
#include "TestSupport.h"

#include "platform/Bitmap.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Shadow, SizeReadsTheLargerAndWritesBoth)
{
  int N = 0;
  TZuzShadow S([&](TObject*) { ++N; });
  EXPECT_TRUE(S.Visible());
  EXPECT_EQ(S.Color(), 0xC0C0C0u);
  EXPECT_FALSE(S.ShouldDraw());
  S.SetHorizSize(-3);
  S.SetVertSize(5);
  EXPECT_EQ(S.Size(), 5);
  N = 0;
  S.SetSize(5);
  EXPECT_EQ(N, 1); // only the horizontal size changed
  EXPECT_EQ(S.HorizSize(), 5);
  EXPECT_TRUE(S.ShouldDraw());
  S.InitValues(false, clRed, 2);
  EXPECT_EQ(N, 1);
  EXPECT_FALSE(S.IsColorStored() || S.IsHorizSizeStored() || S.IsVertSizeStored() || S.IsVisibleStored());

  TZuzEmboss E;
  EXPECT_FALSE(E.Visible());
  EXPECT_EQ(E.Direction(), sdLeftTop);
}

TEST(Shadow, OffsetsByDirection)
{
  const struct {
    TShadowDirection D;
    TRect Want;
  } Cases[] = {{sdLeftTop, {7, 6, 17, 16}},
               {sdLeftBottom, {7, 14, 17, 24}},
               {sdRightTop, {13, 6, 23, 16}},
               {sdRightBottom, {13, 14, 23, 24}},
               {sdCenter, {7, 6, 23, 24}}};
  for (const auto& C : Cases) {
    TZuzShadow S;
    S.SetHorizSize(3);
    S.SetVertSize(4);
    S.SetDirection(C.D);
    EXPECT_EQ(S.OffsetRectangle(TRect{10, 10, 20, 20}), C.Want) << int(C.D);
  }
  TFourPoints P;
  TZuzShadow::RectToFourPoints(TRect{10, 20, 30, 40}, 0, P);
  EXPECT_EQ(P, (TFourPoints{{{10, 20}, {30, 20}, {30, 40}, {10, 40}}}));
  TZuzShadow::RectToFourPoints(TRect{10, 20, 30, 40}, 90, P);
  EXPECT_EQ(P[0], Point(10, 40));
}

TEST(Shadow, AssignLeavesClip)
{
  TZuzShadow A, B;
  A.SetClip(true);
  A.SetColor(clRed);
  A.SetSize(3);
  A.SetSmoothBlur(7);
  B.Assign(&A);
  EXPECT_FALSE(B.Clip());
  EXPECT_EQ(B.Color(), clRed);
  EXPECT_EQ(B.VertSize(), 3);
  EXPECT_EQ(B.SmoothBlur(), 7);
}

TEST(Shadow, BlendingStartsOnlyWhenSomethingIsTransparent)
{
  TBufferedCanvas B(40, 40);
  TZuzShadow S;
  EXPECT_FALSE(S.PrepareCanvas(B.Canvas.get(), TRect{0, 0, 10, 10}, 0)); // no size
  S.SetSize(2);
  S.SetColor(clNone);
  EXPECT_FALSE(S.PrepareCanvas(B.Canvas.get(), TRect{0, 0, 10, 10}, 0));
  S.SetColor(clGray);
  S.SetTransparency(0);
  ASSERT_TRUE(S.PrepareCanvas(B.Canvas.get(), TRect{0, 0, 10, 10}, 0));
  EXPECT_EQ(B.Canvas->Transparency, 0);
  S.FinishBlending(B.Canvas.get());
  B.Canvas->Transparency = 30;
  ASSERT_TRUE(S.PrepareCanvas(B.Canvas.get(), TRect{0, 0, 10, 10}, 0));
  EXPECT_EQ(B.Canvas->Transparency, 30); // 30 and 0 combine to 30
  S.FinishBlending(B.Canvas.get());
  EXPECT_EQ(B.Canvas->Transparency, 30);
}

TEST(Shadow, DrawnShapesAreMovedCopies)
{
  TRecordingCanvas C;
  TZuzShadow S;
  S.SetSize(3);
  S.SetTransparency(0);
  const TPoint P[3] = {{0, 0}, {10, 0}, {0, 10}};
  S.Draw(&C, P);
  S.Draw(&C, TRect{0, 0, 10, 10}, 0, 0);
  S.Draw(&C, TRect{0, 0, 10, 10}, 4, 0);
  EXPECT_EQ(C.Log, QStringList({"Polygon(3 3,13 3,3 13)", "FillRect(3,3,13,13)", "RoundRect(3,3,13,13,4,4)"}));
}

TEST(SmoothShadow, KernelWeights)
{
  const struct {
    int32_t Radius;
    float Blur;
    std::vector<int32_t> Want;
  } Cases[] = {
      {4, 0, {9526, 26646, 55556, 86334, 100000, 86334, 55556, 26646, 9526}},
      {0, 0, {100000}},
      {1, 20, {50000, 100000, 50000}}, // base 2: 2^-1
      // A blur below -80 would weigh the ends above the centre (and beyond
      // any integer for wide kernels): the base stays at least 1.
      {3, -500, {100000, 100000, 100000, 100000, 100000, 100000, 100000}},
      {2, 1e30f, {0, 0, 100000, 0, 0}},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(ZuzShadowKernel(C.Radius, C.Blur), C.Want) << C.Radius << " " << C.Blur;
  EXPECT_EQ(ZuzShadowKernel(100000, 0).size(), 2u * 8191 + 1);
  EXPECT_EQ(ZuzShadowKernel(-5, 0).size(), 1u);
}

TEST(SmoothShadow, WorkingShapeBeforeBlurring)
{
  TZuzShadow S;
  S.SetColor(clGray);
  auto B = S.SmoothShape(TRect{30, 30, 40, 40}, false, 0, {}, 0);
  ASSERT_NE(B, nullptr);
  EXPECT_EQ(B->Width(), 10);
  EXPECT_EQ(CountColor(*B->ImageData(), clGray), 36);
  EXPECT_EQ(CountColor(*B->ImageData(), clGray, TRect{2, 2, 8, 8}), 36);
  // Points are moved so that their smallest X and Y become 1, with room
  // for the blur on the right and below.
  const TPoint P[3] = {{100, 50}, {120, 50}, {100, 70}};
  auto T = S.SmoothShape(TRect{}, false, 0, P, 0);
  ASSERT_NE(T, nullptr);
  EXPECT_EQ(T->Width(), 21 + 4);
  EXPECT_EQ(PixelOf(*T->ImageData(), 2, 2), clGray);
  EXPECT_EQ(PixelOf(*T->ImageData(), 0, 0), clWhite);
  // A donut shadow keeps its hole white.
  auto D = S.SmoothShape(TRect{0, 0, 40, 40}, true, 0, {}, 50);
  EXPECT_EQ(PixelOf(*D->ImageData(), 20, 20), clWhite);
  EXPECT_EQ(PixelOf(*D->ImageData(), 20, 5), clGray);
  // A shape larger than any buffer is not made at all.
  EXPECT_EQ(S.SmoothShape(TRect{0, 0, 100000, 100000}, false, 0, {}, 0), nullptr);
}

TEST(SmoothShadow, MultipliedIntoTheBuffer)
{
  TBufferedCanvas B(80, 80);
  B.Canvas->Brush()->SetColor(RGBColor(200, 100, 50));
  B.Canvas->FillRect(TRect{0, 0, 80, 80});
  TZuzShadow S;
  S.SetSize(3);
  S.SetTransparency(0);
  S.Draw(B.Canvas.get(), TRect{10, 10, 50, 50}, 0, 0);
  // Under the core the background is multiplied by 192 / 255; far away it
  // is untouched; at the edge it fades.
  EXPECT_EQ(B.Pixel(30, 30), RGBColor(151, 75, 38));
  EXPECT_EQ(B.Pixel(70, 70), RGBColor(200, 100, 50));
  const TColor Edge = B.Pixel(52, 30);
  EXPECT_GT(GetRValue(Edge), 151);
  EXPECT_LT(GetRValue(Edge), 200);
  // A shadow reaching past the buffer is cut at its edges.
  S.Draw(B.Canvas.get(), TRect{-30, 60, 30, 200}, 0, 0);
  EXPECT_EQ(B.Pixel(5, 75), RGBColor(151, 75, 38));
}

TEST(SmoothShadow, ClipAndPlainFallbacks)
{
  {
    // With Clip only what the clip region shows is darkened.
    TBufferedCanvas B(60, 60);
    B.Canvas->ClipRectangle(TRect{0, 0, 30, 60});
    TZuzShadow S;
    S.SetSize(2);
    S.SetTransparency(0);
    S.SetClip(true);
    S.Draw(B.Canvas.get(), TRect{10, 10, 50, 50}, 0, 0);
    B.Canvas->UnClipRectangle();
    EXPECT_NE(B.Pixel(20, 30), clWhite);
    EXPECT_EQ(B.Pixel(40, 30), clWhite);
  }
  {
    // Not smooth, or no buffer to blur into: the plain shape.
    TBufferedCanvas B(60, 60);
    TZuzShadow S;
    S.SetSize(2);
    S.SetTransparency(0);
    S.SetSmooth(false);
    S.Draw(B.Canvas.get(), TRect{10, 10, 50, 50}, 0, 0);
    EXPECT_EQ(B.Pixel(12, 12), clSilver);
    EXPECT_EQ(B.Pixel(51, 51), clSilver);
  }
}

TEST(Golden, Shadows)
{
  TBufferedCanvas B(220, 90);
  TZuzCanvas3D& C = *B.Canvas;
  C.Brush()->SetColor(RGBColor(230, 240, 250));
  C.FillRect(TRect{0, 0, 220, 90});
  TZuzShadow S;
  S.SetSize(4);
  S.SetColor(RGBColor(60, 60, 90));
  S.Draw(&C, TRect{10, 10, 50, 50}, 0, 0);
  S.Draw(&C, TRect{60, 10, 100, 50}, 12, 0);
  S.DrawEllipse(&C, TRect{110, 10, 150, 50}, 40, 0, 360);
  S.Draw(&C, TRect{165, 15, 195, 45}, 0, 30);
  const TPoint Star[5] = {{30, 60}, {45, 88}, {10, 70}, {50, 70}, {15, 88}};
  S.Draw(&C, Star);
  S.SetSmooth(false);
  S.Draw(&C, TRect{70, 60, 110, 85}, 0, 0);
  S.SetSmooth(true);
  S.SetSmoothBlur(100);
  S.Draw(&C, TRect{130, 60, 170, 85}, 0, 0);
  C.Pen()->SetColor(clBlack);
  C.Brush()->SetColor(clYellow);
  C.Rectangle(10, 10, 50, 50);
  C.RoundRect(60, 10, 100, 50, 12, 12);
  C.Donut(130, 30, 20, 20, 0, 360, 40);
  C.Polygon(Star);
  C.Rectangle(70, 60, 110, 85);
  C.Rectangle(130, 60, 170, 85);
  EXPECT_GOLDEN(B.Image(), QStringLiteral("shadows"), 8, 20);
}
