// Charts of each line-family kind, flat and in 3D, on the aliased and the
// anti-aliased canvas, against golden images.
#include "chart/core/tests/CoreTestSupport.h"

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartTitle.h"
#include "chart/series/AreaSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PointSeries.h"
#include "platform/tests/GoldenImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Two series of a kind, each over the same eight values shifted.
const double Values[] = {3, 5, 4, 7, 6, 8, 5, 9};

template <class S>
std::pair<S*, S*> AddTwo(TImageTChart& C)
{
  auto* A = new S(&C);
  auto* B = new S(&C);
  C.AddSeries(A);
  C.AddSeries(B);
  A->SetSeriesColor(0x3060C0);
  B->SetSeriesColor(0x20A040);
  for (int I = 0; I < 8; ++I) {
    if (A->YMandatory) {
      A->AddXY(I, Values[I]);
      B->AddXY(I, Values[7 - I] - 1);
    } else {
      A->AddXY(Values[I], I);
      B->AddXY(Values[7 - I] - 1, I);
    }
  }
  return {A, B};
}

struct TKind {
  const char* Name;
  std::function<void(TImageTChart&)> Build;
};

const TKind Kinds[] = {
    {"line",
     [](TImageTChart& C) {
       auto [A, B] = AddTwo<TLineSeries>(C);
       A->LinePen()->SetWidth(2);
       B->SetStairs(true);
       B->Pointer()->SetVisible(true);
     }},
    {"horizline",
     [](TImageTChart& C) {
       auto [A, B] = AddTwo<THorizLineSeries>(C);
       B->Pointer()->SetVisible(true);
       B->Pointer()->SetStyle(psDiamond);
     }},
    {"point",
     [](TImageTChart& C) {
       auto [A, B] = AddTwo<TPointSeries>(C);
       B->Pointer()->SetStyle(psCircle);
     }},
    {"area",
     [](TImageTChart& C) {
       auto [A, B] = AddTwo<TAreaSeries>(C);
       A->SetMultiArea(maStacked);
     }},
    {"horizarea",
     [](TImageTChart& C) {
       auto [A, B] = AddTwo<THorizAreaSeries>(C);
       B->SetStairs(true);
       (void)A;
     }},
};

} // namespace

TEST(LinePointAreaChart, GoldenImagesOfEachKind)
{
  struct Canvas {
    const char* Name;
    std::function<std::unique_ptr<TCanvas3D>()> Make;
  };
  const Canvas Canvases[] = {
      {"gdi", [] { return std::make_unique<TZuzCanvas3D>(); }},
      {"gdiplus", [] { return std::make_unique<TGDIPlusCanvas>(); }},
  };
  for (const TKind& K : Kinds)
    for (const bool ThreeD : {false, true})
      for (const Canvas& Cv : Canvases) {
        const QString Name = QStringLiteral("kind_%1_%2_%3")
                                 .arg(QLatin1String(K.Name), ThreeD ? QStringLiteral("3d") : QStringLiteral("2d"),
                                      QLatin1String(Cv.Name));
        SCOPED_TRACE(Name.toStdString());
        TImageTChart Chart(260, 180);
        Chart.SetInternalCanvas(Cv.Make());
        Chart.SetView3D(ThreeD);
        Chart.Legend()->SetVisible(false);
        Chart.Title()->SetCaption(QString::fromLatin1(K.Name));
        K.Build(Chart);
        Chart.Image.fill(Qt::black);
        Chart.Draw();
        EXPECT_GOLDEN(Chart.Image, Name, 8, 40);
      }
}

TEST(LinePointAreaChart, GoldenLegendSymbolsOfEachKind)
{
  // A line with and without pointers, points, an area and a stepped area:
  // each legend row shows the series' own symbol.
  TImageTChart Chart(300, 180);
  Chart.SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
  Chart.SetView3D(false);
  Chart.Title()->SetCaption(QStringLiteral("legend"));
  auto* Line = new TLineSeries(&Chart);
  auto* Pointed = new TLineSeries(&Chart);
  auto* Points = new TPointSeries(&Chart);
  auto* Area = new TAreaSeries(&Chart);
  const TColor Colors[] = {0x808000, 0x3060C0, 0x20A040, 0xC03060};
  // The area first, lowest: the others are drawn over it.
  TChartSeries* All[] = {Area, Line, Pointed, Points};
  for (int I = 0; I < 4; ++I) {
    Chart.AddSeries(All[I]);
    All[I]->SetSeriesColor(Colors[I]);
    All[I]->SetTitle(All[I]->ClassName());
    for (int J = 0; J < 8; ++J)
      All[I]->AddXY(J, Values[J] + 2 * I);
  }
  Pointed->Pointer()->SetVisible(true);
  Pointed->Pointer()->SetStyle(psTriangle);
  Line->LinePen()->SetWidth(3);
  Chart.Image.fill(Qt::black);
  Chart.Draw();
  EXPECT_GOLDEN(Chart.Image, QStringLiteral("kind_legend_gdi"), 8, 40);
}
