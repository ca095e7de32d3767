// Blending of bitmaps and smooth stretching.
#include "TestSupport.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"

#include <gtest/gtest.h>

namespace {
std::unique_ptr<TBitmap> Solid(int32_t W, int32_t H, TColor C)
{
  auto B = std::make_unique<TBitmap>(W, H);
  B->Canvas()->Brush()->SetColor(C);
  B->Canvas()->FillRect(TRect{0, 0, W, H});
  return B;
}
} // namespace

TEST(BlendBitmaps, PercentOfTheDestinationThatRemains)
{
  const struct {
    double Percent;
    TColor Want;
  } Cases[] = {{100, 0x204060},
               {0, 0xE0C0A0},
               {50, 0x808080},
               // Beyond 0..100 (a transparency byte above 100) the mix is limited.
               {250, 0x204060},
               {-30, 0xE0C0A0}};
  for (const auto& C : Cases) {
    auto A = Solid(4, 4, 0xE0C0A0);
    auto B = Solid(4, 4, 0x204060);
    ZuzBlendBitmaps(C.Percent, A.get(), B.get(), Point(0, 0));
    EXPECT_EQ(PixelOf(*B->ImageData(), 2, 2), C.Want) << C.Percent;
  }
  // A pure white destination pixel loses a little red first.
  auto A = Solid(2, 2, 0);
  auto W = Solid(2, 2, clWhite);
  ZuzBlendBitmaps(100, A.get(), W.get(), Point(0, 0));
  EXPECT_EQ(PixelOf(*W->ImageData(), 0, 0), 0xFFFFFEu);
}

TEST(BlendBitmaps, OriginAndOverlap)
{
  auto A = Solid(6, 6, clRed);
  auto B = Solid(4, 4, clBlue);
  ZuzBlendBitmaps(0, A.get(), B.get(), Point(-3, -3)); // treated as 0
  EXPECT_EQ(CountColor(*B->ImageData(), clRed), 16);
  auto C = Solid(4, 4, clBlue);
  ZuzBlendBitmaps(0, A.get(), C.get(), Point(2, 3));
  EXPECT_EQ(CountColor(*C->ImageData(), clRed), 2 * 1);
  auto D = Solid(4, 4, clBlue);
  ZuzBlendBitmaps(0, A.get(), D.get(), Point(4, 0));
  EXPECT_EQ(CountColor(*D->ImageData(), clBlue), 16);
}

TEST(Blend, RectangleIsNormalisedAndClipped)
{
  TBufferedCanvas B(50, 40);
  const struct {
    TRect In, Want;
  } Cases[] = {
      {{30, 20, 10, 5}, {10, 5, 30, 20}},
      {{10, 10, 10, 20}, {10, 10, 11, 20}},
      {{40, 30, 90, 90}, {40, 30, 50, 40}},
      {{-20, -20, -10, -10}, {0, 0, 1, 1}},
  };
  for (const auto& C : Cases) {
    TZuzBlend Blend(B.Canvas.get(), C.In);
    EXPECT_EQ(Blend.Rectangle(), C.Want) << C.In.Left << "," << C.In.Top;
  }
}

TEST(Blend, DoBlendBetweenDrawingAndBackground)
{
  for (const int T : {0, 100}) {
    TBufferedCanvas B(20, 20);
    B.Canvas->Brush()->SetColor(clBlue);
    B.Canvas->FillRect(TRect{0, 0, 20, 20});
    TZuzBlend Blend(B.Canvas.get(), TRect{0, 0, 20, 20});
    B.Canvas->Brush()->SetColor(clRed);
    B.Canvas->FillRect(TRect{0, 0, 20, 20});
    Blend.DoBlend(static_cast<TZuzTransparency>(T));
    EXPECT_EQ(B.Pixel(5, 5), T == 0 ? clRed : clBlue) << T;
  }
  TBufferedCanvas M(20, 20);
  M.Canvas->Brush()->SetColor(clBlue);
  M.Canvas->FillRect(TRect{0, 0, 20, 20});
  TZuzBlend Blend(M.Canvas.get(), TRect{0, 0, 20, 20});
  M.Canvas->Brush()->SetColor(clRed);
  M.Canvas->FillRect(TRect{0, 0, 20, 20});
  M.Canvas->SetMetafiling(true);
  Blend.DoBlend(100);
  EXPECT_EQ(M.Pixel(5, 5), clRed);
}

TEST(SmoothStretch, KernelsAndSizes)
{
  EXPECT_EQ(Lanczos3Filter(0), 1);
  EXPECT_NEAR(Lanczos3Filter(1), 0, 1e-6);
  EXPECT_NEAR(Lanczos3Filter(2), 0, 1e-6);
  EXPECT_EQ(Lanczos3Filter(3), 0);
  EXPECT_EQ(Lanczos3Filter(-4), 0);
  EXPECT_FLOAT_EQ(TriangleFilter(0.25f), 0.75f);
  EXPECT_EQ(TriangleFilter(-1), 0);

  TBitmap Src(5, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x)
      Src.ImageData()->setPixel(x, y, qRgb(x * 50, y * 60, 200 - x * y * 10));
  for (const auto Option : {ssBestQuality, ssBestPerformance}) {
    TBitmap Dst(5, 4);
    SmoothStretch(&Src, &Dst, Option);
    EXPECT_EQ(*Dst.ImageData(), *Src.ImageData()) << int(Option);
  }
  // Two rows high: only the horizontal pass runs; the destination stays.
  auto Two = Solid(8, 2, clBlue);
  SmoothStretch(&Src, Two.get());
  EXPECT_EQ(CountColor(*Two->ImageData(), clBlue), 16);
  auto One = Solid(1, 5, clBlue);
  SmoothStretch(&Src, One.get());
  EXPECT_EQ(CountColor(*One->ImageData(), clBlue), 5);
  // Enlarging keeps the corners.
  TBitmap Big(50, 40);
  SmoothStretch(&Src, &Big);
  EXPECT_EQ(Big.ImageData()->pixel(0, 0), Src.ImageData()->pixel(0, 0));
  EXPECT_EQ(Big.ImageData()->pixel(49, 39), Src.ImageData()->pixel(4, 3));
}

TEST(SmoothStretch, ExtremeReductionsStayInsideTheSource)
{
  // Reducing a three-pixel picture to two: the filter window is wider than
  // twice the source, and reflected indexes are limited to it.
  for (const auto Option : {ssBestQuality, ssBestPerformance}) {
    auto Src = Solid(3, 3, RGBColor(0, 0, 200));
    TBitmap Dst(2, 3);
    SmoothStretch(Src.get(), &Dst, Option);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 2; ++x) {
        const TColor P = PixelOf(*Dst.ImageData(), x, y);
        EXPECT_EQ(GetRValue(P), 0) << x << "," << y;
        EXPECT_NEAR(GetBValue(P), 200, 2) << x << "," << y;
      }
  }
}
