// A complete chart with titles, walls and three fast lines, drawn on the
// aliased and the anti-aliased canvas, against golden images.
#include "chart/core/tests/CoreTestSupport.h"

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartTitle.h"
#include "chart/core/ChartWalls.h"
#include "chart/series/FastLineSeries.h"
#include "platform/tests/GoldenImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace {

void BuildTitledChart(TImageTChart& C)
{
  C.SetView3D(false);
  C.Legend()->SetVisible(false);
  C.Title()->SetCaption(QStringLiteral("Sound velocity cast"));
  C.SubTitle()->SetCaption(QStringLiteral("Station 14"));
  C.Foot()->SetCaption(QStringLiteral("Fathomix"));
  C.BackWall()->SetTransparent(false);
  C.BackWall()->SetColor(0xF0F0E0);
  const struct {
    int Width;
    bool Stairs;
    double Phase;
  } Lines[] = {{1, false, 0}, {2, false, 1.3}, {3, true, 2.1}};
  for (const auto& L : Lines) {
    auto* S = new TFastLineSeries(&C);
    C.AddSeries(S);
    S->LinePen()->SetWidth(L.Width);
    S->SetStairs(L.Stairs);
    for (int I = 0; I <= 40; ++I)
      S->AddXY(I, 50 + 30 * std::sin(I * 0.25 + L.Phase) + (L.Stairs ? 0 : I * 0.5));
  }
}

} // namespace

TEST(FastLineChart, GoldenChartWithTitlesWallsAndThreeLines)
{
  struct Case {
    const char* Name;
    std::function<std::unique_ptr<TCanvas3D>()> Make;
  };
  const Case Cases[] = {
      {"chart_fastlines_gdi", [] { return std::make_unique<TZuzCanvas3D>(); }},
      {"chart_fastlines_gdiplus", [] { return std::make_unique<TGDIPlusCanvas>(); }},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TImageTChart Chart(480, 320);
    Chart.SetInternalCanvas(K.Make());
    BuildTitledChart(Chart);
    Chart.Image.fill(Qt::black);
    Chart.Draw();
    EXPECT_GOLDEN(Chart.Image, QString::fromLatin1(K.Name), 8, 40);
  }
}
