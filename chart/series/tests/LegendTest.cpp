// The legend with fast lines: its look in each style and alignment
// (golden images), and the check boxes the graph windows rely on, clicked
// with the mouse.
#include "chart/core/tests/CoreTestSupport.h"

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartTitle.h"
#include "chart/core/SeriesList.h"
#include "chart/series/FastLineSeries.h"
#include "platform/tests/GoldenImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace {

TFastLineSeries* AddLine(TCustomChart& C, const char* Title, double Phase)
{
  auto* S = new TFastLineSeries(&C);
  C.AddSeries(S);
  S->SetTitle(QString::fromLatin1(Title));
  S->LinePen()->SetWidth(2);
  for (int I = 0; I <= 12; ++I) {
    S->AddXY(I, 10 + 5 * std::sin(I * 0.5 + Phase));
    S->SetXLabel(I, QStringLiteral("P%1").arg(I));
  }
  return S;
}

struct TLegendCase {
  const char* Name;
  std::function<void(TImageTChart&)> Build;
};

} // namespace

TEST(Legend, GoldenLegendStyles)
{
  const TLegendCase Cases[] = {
      {"legend_series_right",
       [](TImageTChart& C) {
         AddLine(C, "Temperature", 0);
         AddLine(C, "Salinity", 1);
         AddLine(C, "Sound velocity", 2);
       }},
      {"legend_top_checkboxes",
       [](TImageTChart& C) {
         C.Legend()->SetAlignment(laTop);
         C.Legend()->SetCheckBoxes(true);
         C.Legend()->SetFontSeriesColor(true);
         C.Legend()->SetTextStyle(ltsPlain);
         C.Legend()->SetTopPos(0);
         AddLine(C, "Temperature", 0);
         AddLine(C, "Salinity", 1)->SetActive(false);
         AddLine(C, "Sound velocity", 2);
         AddLine(C, "Pressure", 3);
       }},
      {"legend_values_left",
       [](TImageTChart& C) {
         C.Legend()->SetAlignment(laLeft);
         C.Legend()->SetTextStyle(ltsLeftValue);
         C.Legend()->DividingLines()->SetVisible(true);
         AddLine(C, "Depth", 0);
       }},
      {"legend_bottom_title_inverted",
       [](TImageTChart& C) {
         C.Legend()->SetAlignment(laBottom);
         C.Legend()->SetInverted(true);
         C.Legend()->Title()->SetCaption(QStringLiteral("Sensors"));
         C.Legend()->Symbol()->SetSquared(false);
         C.Legend()->Symbol()->SetWidthUnits(lcsPixels);
         C.Legend()->Symbol()->SetWidth(30);
         AddLine(C, "Temperature", 0);
         AddLine(C, "Salinity", 1);
       }},
      {"legend_last_values_symbols_right",
       [](TImageTChart& C) {
         C.Legend()->SetLegendStyle(lsLastValues);
         C.Legend()->SetTextStyle(ltsRightValue);
         C.Legend()->Symbol()->SetPosition(spRight);
         C.Legend()->DividingLines()->SetVisible(true);
         C.Legend()->SetVertSpacing(6);
         AddLine(C, "Temperature", 0);
         AddLine(C, "Salinity", 1);
         AddLine(C, "Sound velocity", 2);
       }},
      {"legend_groups_checkboxes",
       [](TImageTChart& C) {
         C.Legend()->SetLegendStyle(lsSeriesGroups);
         C.Legend()->SetCheckBoxes(true);
         TSeriesGroup* Water = C.SeriesGroups().Add(QStringLiteral("Water"));
         Water->Series().Add(AddLine(C, "Temperature", 0));
         Water->Series().Add(AddLine(C, "Salinity", 1));
         TSeriesGroup* Air = C.SeriesGroups().Add(QStringLiteral("Air"));
         Air->Series().Add(AddLine(C, "Pressure", 2));
         Air->SetActive(gaNo);
       }},
  };
  for (const TLegendCase& K : Cases) {
    SCOPED_TRACE(K.Name);
    TImageTChart C(360, 220);
    C.SetInternalCanvas(std::make_unique<TGDIPlusCanvas>());
    C.SetView3D(false);
    K.Build(C);
    C.Image.fill(Qt::black);
    C.Draw();
    EXPECT_GOLDEN(C.Image, QString::fromLatin1(K.Name), 8, 40);
  }
}
