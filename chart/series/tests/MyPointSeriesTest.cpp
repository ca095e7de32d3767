// The scale series: each point tied to both axes by its lines, drawn under
// the pointer, on an inverted vertical axis as the scale window has it.
#include "chart/core/tests/CoreTestSupport.h"

#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/SeriesPointer.h"
#include "chart/series/MyPointSeries.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr TColor LineRed = 0x0000FF; // BGR: pure red
constexpr TColor PointGreen = 0x00C000;

QRgb Pixel(const QImage& Image, int32_t X, int32_t Y) { return Image.pixel(X, Y) & 0xFFFFFF; }

struct TScaleChart {
  TImageTChart Chart{300, 240};
  TMyPointSeries* Series = nullptr;

  explicit TScaleChart(bool LinesVisible)
  {
    Chart.SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
    Chart.SetView3D(false);
    Chart.Legend()->SetVisible(false);
    Chart.LeftAxis()->SetMinMax(0, 250);
    Chart.LeftAxis()->SetInverted(true);
    Chart.BottomAxis()->SetMinMax(-1, 2);
    Series = new TMyPointSeries(&Chart);
    Chart.AddSeries(Series);
    Series->SetSeriesColor(PointGreen);
    Series->Pointer()->SetVisible(true);
    Series->Pointer()->SetStyle(psLeftTriangle);
    Series->LinesPen()->SetColor(LineRed);
    Series->LinesPen()->SetWidth(2);
    Series->LinesPen()->SetVisible(LinesVisible);
    Series->AddXY(0, 50);
    Series->AddXY(1, 200);
    Chart.Image.fill(Qt::black);
    Chart.Draw();
  }
};

} // namespace

TEST(MyPointSeries, EachPointIsTiedToBothAxesUnderItsPointer)
{
  for (const bool LinesVisible : {true, false}) {
    SCOPED_TRACE(LinesVisible ? "lines visible" : "lines hidden");
    TScaleChart S(LinesVisible);
    const QImage& Img = S.Chart.Image;
    const int32_t AxisX = S.Chart.LeftAxis()->PosAxis();
    const int32_t AxisY = S.Chart.BottomAxis()->PosAxis();
    // The inverted axis puts the smaller value higher up.
    ASSERT_LT(S.Series->CalcYPos(0), S.Series->CalcYPos(1));
    for (int32_t I = 0; I < 2; ++I) {
      SCOPED_TRACE(I);
      const int32_t X = S.Series->CalcXPos(I), Y = S.Series->CalcYPos(I);
      ASSERT_LT(AxisX + 20, X);
      ASSERT_LT(Y + 20, AxisY);
      // Across from the vertical axis, clear of the pointer.
      const int32_t AcrossX = (AxisX + X - 10) / 2;
      // Down to the horizontal axis, clear of the pointer.
      const int32_t DownY = (Y + 10 + AxisY) / 2;
      if (LinesVisible) {
        EXPECT_EQ(Pixel(Img, AcrossX, Y), 0xFF0000u);
        EXPECT_EQ(Pixel(Img, X, DownY), 0xFF0000u);
      } else {
        EXPECT_NE(Pixel(Img, AcrossX, Y), 0xFF0000u);
        EXPECT_NE(Pixel(Img, X, DownY), 0xFF0000u);
      }
      // The pointer lies over the lines' meeting point.
      EXPECT_EQ(Pixel(Img, X, Y), 0x00C000u);
    }
  }
}

TEST(MyPointSeries, AssignCopiesTheLinesPen)
{
  TScaleChart From(true);
  TMyPointSeries To(nullptr);
  To.Assign(From.Series);
  EXPECT_EQ(To.LinesPen()->Color(), LineRed);
  EXPECT_EQ(To.LinesPen()->Width(), 2);
}
