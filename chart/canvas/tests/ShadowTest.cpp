// Shadows: sizes, offsets, turned rectangles and when blending starts.
#include "RecordingCanvas.h"
#include "TestSupport.h"

#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzShadow.h"

#include <gtest/gtest.h>

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
  EXPECT_FALSE(S.IsColorStored() || S.IsSizeStored() || S.IsVisibleStored());

  TZuzEmboss E;
  EXPECT_FALSE(E.Visible());
  EXPECT_EQ(E.Direction(), sdLeftTop);
}

TEST(Shadow, OffsetsByDirection)
{
  const struct {
    TShadowDirection D;
    TRect Want;
  } Cases[] = {{sdLeftTop, {7, 6, 17, 16}},   {sdLeftBottom, {7, 14, 17, 24}}, {sdRightTop, {13, 6, 23, 16}},
               {sdRightBottom, {13, 14, 23, 24}}, {sdCenter, {7, 6, 23, 24}}};
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
