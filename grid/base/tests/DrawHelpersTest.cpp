// The drawing helpers: band counts and colours of gradients, the halves of
// mirrored gradients, gauges and range indicators measured pixel by pixel,
// and a golden image of the helpers side by side.
#include "grid/base/RurStyleIF.h"
#include "grid/base/rurutil.h"

#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/tests/GoldenImage.h"
#include "platform/tests/QtTestApp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

struct TImageCanvas {
  TImageCanvas(int32_t W, int32_t H) : Image(W, H, QImage::Format_RGB32)
  {
    EnsureQtApplication();
    Image.fill(Qt::white);
    Canvas.BindImage(&Image);
    Canvas.Font()->SetName(QStringLiteral("Arial"));
  }
  QImage Done()
  {
    Canvas.Release();
    return Image;
  }
  QImage Image;
  TCanvas Canvas;
};

} // namespace

TEST(DrawHelpers, GradientBandsAreLimitedToOnePerPixel)
{
  TImageCanvas C(50, 10);
  DrawGradient(&C.Canvas, clBlack, clWhite, 200, TRect{0, 0, 50, 10}, true);
  const QImage I = C.Done();
  // 49 steps: 50 bands, band x in grey Round(x * 255 / 49).
  for (int32_t X = 0; X < 50; ++X) {
    SCOPED_TRACE(X);
    const int32_t G = static_cast<int32_t>(std::nearbyint(X * 255.0 / 49));
    EXPECT_EQ(PixelOf(I, X, 5), RGBColor(G, G, G));
  }
}

TEST(DrawHelpers, GradientWithoutOneColourIsSolid)
{
  for (const auto& [From, To, Expected] : {std::tuple{clNone, clRed, clRed}, std::tuple{clBlue, clNone, clBlue}}) {
    TImageCanvas C(20, 20);
    DrawGradient(&C.Canvas, From, To, 10, TRect{0, 0, 20, 20}, false);
    const QImage I = C.Done();
    EXPECT_EQ(CountColor(I, Expected), 400);
  }
}

TEST(DrawHelpers, MirroredGradientFillsTwoHalves)
{
  TImageCanvas C(10, 40);
  DrawVistaGradient(&C.Canvas, TRect{0, 0, 10, 40}, clRed, clRed, clBlue, clBlue, true, clNone, false, true);
  const QImage I = C.Done();
  EXPECT_EQ(CountColor(I, clRed, TRect{0, 0, 10, 20}), 200);
  EXPECT_EQ(CountColor(I, clBlue, TRect{0, 20, 10, 40}), 200);
}

TEST(DrawHelpers, GaugeLevelsAndBlocks)
{
  TGaugeSettings S;
  S.Level0Color = clLime;
  S.Level1Color = clYellow;
  S.Level2Color = clFuchsia;
  S.Level3Color = clRed;
  S.BackgroundColor = clWhite;
  S.ShowGradient = false;
  struct Case {
    int32_t Position;
    TColor Level;
  };
  for (const Case& L : {Case{50, clLime}, Case{80, clYellow}, Case{99, clFuchsia}, Case{100, clRed}}) {
    SCOPED_TRACE(L.Position);
    TImageCanvas C(102, 12);
    DrawGauge(&C.Canvas, TRect{0, 0, 102, 12}, L.Position, S);
    const QImage I = C.Done();
    EXPECT_EQ(PixelOf(I, 3, 6), L.Level);
  }
  // Blocks on an inner extent of 100 at 50 %: five of 7 pixels, then one of 4.
  S.CompletionSmooth = false;
  TImageCanvas C(102, 12);
  DrawGauge(&C.Canvas, TRect{0, 0, 102, 12}, 50, S);
  const QImage I = C.Done();
  std::vector<int32_t> Runs;
  int32_t Run = 0;
  for (int32_t X = 0; X < 102; ++X) {
    if (PixelOf(I, X, 6) == clLime)
      ++Run;
    else if (Run > 0) {
      Runs.push_back(Run);
      Run = 0;
    }
  }
  EXPECT_EQ(Runs, (std::vector<int32_t>{7, 7, 7, 7, 7, 4}));
}

TEST(DrawHelpers, RangeIndicatorClampsToItsRange)
{
  TImageCanvas C(104, 20);
  DrawRangeIndicator(&C.Canvas, TRect{0, 0, 104, 20}, -30, 10, false, clRed, clGreen);
  const QImage I = C.Done();
  // The whole left half from the inner left edge to the centre.
  EXPECT_EQ(CountColor(I, clRed, TRect{2, 10, 52, 11}), 50);
  EXPECT_EQ(CountColor(I, clRed, TRect{52, 10, 102, 11}), 0);
}

TEST(DrawHelpers, ColourArithmetic)
{
  EXPECT_EQ(DarkenColor(RGBColor(200, 101, 3)), RGBColor(100, 50, 1));
  EXPECT_EQ(ChangeColorPerc(RGBColor(200, 100, 0), -10), RGBColor(180, 90, 0));
  EXPECT_EQ(GradientAt(clBlack, clWhite, 0, 100, 50), RGBColor(128, 128, 128));
  EXPECT_EQ(GradientAt(clRed, clNone, 0, 100, 50), clRed);
}

TEST(DrawHelpers, GoldenHelpers)
{
  TImageCanvas C(300, 170);
  TCanvas* K = &C.Canvas;
  DrawGradient(K, clWhite, clNavy, 64, TRect{4, 4, 104, 24}, true);
  DrawVistaGradient(K, TRect{108, 4, 208, 24}, 0x00FDF8F1, 0x00FCEFD5, 0x00FDDE99, 0x00FCEDCB, true, clGray, false,
                    true);
  DrawSelectionGradient(K, 0x00D7FFFD, 0x0058D4FC, 0x0058D4FC, 0x00B3F1FC, 0x00F4FEFF, 0x00CAF8FF, 0x008DD7D3,
                        0x00C3D9DF, clWhite, TRect{212, 4, 296, 28}, gpFull);
  DrawProgressLin(K, TRect{4, 32, 144, 52}, clTeal, clWhite, clWhite, clBlack, 40, 0, 0, 0, 100, 1, String(), clGray,
                  false);
  DrawProgressLin(K, TRect{150, 32, 296, 52}, clTeal, clWhite, clWhite, clBlack, 7.6, 0, 0, 0, 10, 1,
                  QStringLiteral("%d items"), clGray, false);
  TGaugeSettings S;
  S.Level0Color = 0x0000FF00;
  S.Level0ColorTo = 0x00E1FFE1;
  S.Level1Color = 0x0000FFFF;
  S.Level1ColorTo = 0x00CAFFFF;
  S.Level2Color = 0x0053A9FF;
  S.Level2ColorTo = 0x00A8D3FF;
  S.Level3Color = 0x000000FF;
  S.Level3ColorTo = 0x00CACAFF;
  S.BackgroundColor = clWhite;
  S.ShowBorder = true;
  S.BorderColor = clBlack;
  S.ShowGradient = true;
  S.ShowPercentage = true;
  S.Font = K->Font();
  S.FontColor = clBlack;
  DrawGauge(K, TRect{4, 58, 144, 76}, 80, S);
  S.Stacked = true;
  DrawGauge(K, TRect{150, 58, 296, 76}, 95, S);
  DrawProgressPie(K, TRect{4, 82, 24, 102}, clRed, 30, false);
  DrawRangeIndicator(K, TRect{30, 82, 130, 102}, 4, 10, true, clRed, clGreen);
  int32_t X = 136;
  for (TCellShape Shape : {csCircle, csTriangleUp, csDiamond, csStar, csArrowRight, csRoundRect, csHalfStar}) {
    DrawShape(K, X, 82, 20, 20, Shape, clYellow, clBlack);
    X += 23;
  }
  const TColorTones Tones{};
  DrawButton(K, TRect{4, 110, 84, 134}, cdsClassic, csNormal, Tones, false, QStringLiteral("Run"));
  DrawButton(K, TRect{88, 110, 168, 134}, cdsFlat, csDown, Tones, false, QStringLiteral("Set"));
  DrawComboButton(K, TRect{172, 110, 232, 130}, cdsClassic, csNormal, Tones, 1.0);
  DrawSpinButtons(K, TRect{236, 110, 296, 130}, cdsClassic, csNormal, Tones);
  DrawTriangle(K, 10, 145, clBlack);
  K->Font()->SetColor(clBlack);
  K->TextOut(20, 140, QStringLiteral("error"));
  DrawErrorLines(nullptr, K, QStringLiteral("error"), TRect{20, 140, 120, 156}, 10, 1, 3);
  EXPECT_GOLDEN(C.Done(), QStringLiteral("draw_helpers"), 16, 60);
}
