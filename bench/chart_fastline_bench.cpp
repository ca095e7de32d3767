// Drawing cost of the fast line series on the anti-aliased canvas at
// 1280 x 800, against the painter drawing the same points directly, each
// best of several rounds in one run:
//   1. the graph window's load: 30 fast lines of 1440 points (a day of
//      one-minute samples, slowly varying) with 2-pixel pens, a date-time
//      bottom axis, a custom vertical axis per line, a gradient
//      background and titles, fully repainted; against the painter drawing
//      the same 30 polylines as 1-pixel cosmetic anti-aliased lines (its
//      fastest way). Limit: 5 times.
//   2. one line of 10^6 points thinned by pixel column (DrawAllPoints off,
//      daMinMax), fully repainted; against the painter drawing all 10^6
//      points as one 1-pixel anti-aliased polyline. Limit: 0.05 times.
//      Also the share of pixels where the two pictures differ.
//   3. with AutoRepaint off, one point added to each of the 30 lines of
//      part 1 (only the new segment is drawn): the cost per point.
// Exits non-zero when a limit is exceeded.
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCoreInit.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartTitle.h"
#include "chart/core/ChartValueList.h"
#include "chart/core/CustomChart.h"
#include "chart/series/FastLineSeries.h"
#include "platform/Canvas.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int W = 1280, H = 800;
constexpr int Lines = 30, LinePoints = 1440;
constexpr int BigPoints = 1000000;
constexpr int Rounds = 7;

using TClock = std::chrono::steady_clock;

double Millis(TClock::time_point A, TClock::time_point B)
{
  return std::chrono::duration<double, std::milli>(B - A).count();
}

template <class F>
double Best(F Work)
{
  double B = 1e300;
  for (int R = 0; R < Rounds; ++R) {
    const auto T0 = TClock::now();
    Work();
    B = std::min(B, Millis(T0, TClock::now()));
  }
  return B;
}

// A chart drawing into an image, on the anti-aliased canvas.
class TBenchChart : public TChart {
public:
  TBenchChart() : TChart(nullptr), Image(W, H, QImage::Format_RGB32)
  {
    SetBounds(0, 0, W, H);
    Canvas()->BindImage(&Image);
    SetInternalCanvas(std::make_unique<TGDIPlusCanvas>());
    SetView3D(false);
    Legend()->SetVisible(false);
  }
  ~TBenchChart() override { Canvas()->Release(); }
  QImage Image;
};

// A slowly varying instrument reading: a few slow swings and a little
// noise, as a temperature or a sound velocity over a day.
double Reading(int Series, int I, uint32_t& Seed)
{
  Seed = Seed * 1664525u + 1013904223u;
  const double Noise = (double(Seed >> 8) / double(1u << 24) - 0.5) * 0.02;
  return 10 + Series + std::sin(I * 0.004 + Series * 0.7) + 0.3 * std::sin(I * 0.031 + Series) + Noise;
}

void BuildGraphWindow(TBenchChart& C, std::vector<TFastLineSeries*>& Series)
{
  C.Gradient()->SetVisible(true);
  C.Gradient()->SetStartColor(15378841);
  C.Gradient()->SetEndColor(16777088);
  C.Title()->SetCaption(QStringLiteral("Profiler 1 - time series"));
  C.SubTitle()->SetCaption(QStringLiteral("30 parameters"));
  C.SetMarginUnits(muPixels);
  C.SetMarginLeft(10);
  C.SetMarginTop(5);
  C.SetMarginRight(5);
  C.SetMarginBottom(5);
  C.BottomAxis()->SetDateTimeFormat(QStringLiteral("hh:mm"));
  uint32_t Seed = 4711;
  for (int K = 0; K < Lines; ++K) {
    TChartAxis* A = C.CustomAxes()->Add();
    A->SetPositionPercent(K * 100.0 / Lines);
    A->Grid()->SetVisible(false);
    auto* S = new TFastLineSeries(&C);
    C.AddSeries(S);
    S->SetCustomVertAxis(A);
    S->XValues()->SetDateTime(true);
    S->XValues()->SetOrder(loNone);
    S->LinePen()->SetWidth(2);
    A->Axis()->SetColor(S->SeriesColor());
    for (int I = 0; I < LinePoints; ++I)
      S->AddXY(45000.0 + I / 1440.0, Reading(K, I, Seed));
    Series.push_back(S);
  }
}

std::vector<QPointF> PixelsOf(const TChartSeries* S)
{
  std::vector<QPointF> P(static_cast<size_t>(S->Count()));
  for (int I = 0; I < S->Count(); ++I)
    P[static_cast<size_t>(I)] = QPointF(S->CalcXPos(I), S->CalcYPos(I));
  return P;
}

void PaintPolylines(QImage& Img, const std::vector<std::vector<QPointF>>& Lines, const QColor& Color)
{
  Img.fill(Qt::white);
  QPainter P(&Img);
  P.setRenderHint(QPainter::Antialiasing);
  QPen Pen(Color, 1);
  Pen.setCosmetic(true);
  P.setPen(Pen);
  for (const auto& L : Lines)
    P.drawPolyline(L.data(), static_cast<int>(L.size()));
}

} // namespace

int main(int argc, char** argv)
{
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication App(argc, argv);
  InitializeChartCore();
  bool Ok = true;

  // ---- 1. The graph window ----
  double Load = 0, LoadRef = 0;
  std::vector<TFastLineSeries*> Series;
  auto Window = std::make_unique<TBenchChart>();
  BuildGraphWindow(*Window, Series);
  Window->Draw();
  {
    std::vector<std::vector<QPointF>> Ref;
    for (const TFastLineSeries* S : Series)
      Ref.push_back(PixelsOf(S));
    QImage Img(W, H, QImage::Format_RGB32);
    Load = Best([&] { Window->Draw(); });
    LoadRef = Best([&] { PaintPolylines(Img, Ref, Qt::red); });
  }
  const double LoadRatio = Load / LoadRef;
  std::printf("1. graph window, %d lines x %d points, 2-pixel pens, %d custom axes, %dx%d\n", Lines, LinePoints, Lines,
              W, H);
  std::printf("   chart full repaint:                 %8.2f ms\n", Load);
  std::printf("   painter, 1-pixel cosmetic polylines: %8.2f ms\n", LoadRef);
  std::printf("   ratio chart / painter:              %8.2f (limit 5)\n", LoadRatio);
  Ok = Ok && LoadRatio <= 5;

  // ---- 3. The no-repaint path (on the window of part 1) ----
  for (TFastLineSeries* S : Series)
    S->SetAutoRepaint(false);
  constexpr int Adds = 200;
  uint32_t Seed = 99;
  int Next = LinePoints;
  const double AddMs = Best([&] {
    for (int R = 0; R < Adds; ++R, ++Next)
      for (int K = 0; K < Lines; ++K)
        Series[static_cast<size_t>(K)]->AddXY(45000.0 + Next / 1440.0, Reading(K, Next, Seed));
  });
  const double PerPointUs = AddMs * 1000.0 / (Adds * Lines);
  std::printf("3. AutoRepaint off, %d points added to each of %d lines: %.3f ms, %.2f us per point\n", Adds, Lines,
              AddMs, PerPointUs);
  Window.reset();

  // ---- 2. A million points, thinned by pixel column ----
  TBenchChart Big;
  Big.SetAxisVisible(false);
  Big.SetView3DWalls(false);
  Big.SetColor(clWhite);
  Big.SetBevelOuter(bvNone);
  Big.SetMarginUnits(muPixels);
  for (int I = 0; I < 4; ++I)
    Big.SetMargin(I, 0);
  auto* S = new TFastLineSeries(&Big);
  Big.AddSeries(S);
  S->SetDrawAllPoints(false);
  S->SetDrawAllPointsStyle(daMinMax);
  S->SetSeriesColor(clRed);
  {
    uint32_t Sd = 1234;
    S->BeginUpdate();
    for (int I = 0; I < BigPoints; ++I) {
      Sd = Sd * 1664525u + 1013904223u;
      const double Noise = (double(Sd >> 8) / double(1u << 24) - 0.5) * 0.08;
      S->AddXY(I, std::sin(I * 0.00001) + 0.5 * std::sin(I * 0.00037) + Noise);
    }
    S->EndUpdate();
  }
  Big.Draw();
  const double BigMs = Best([&] { Big.Draw(); });
  std::vector<std::vector<QPointF>> Ref{PixelsOf(S)};
  QImage RefImg(W, H, QImage::Format_RGB32);
  const double BigRef = Best([&] { PaintPolylines(RefImg, Ref, Qt::red); });
  const double BigRatio = BigMs / BigRef;
  if (std::getenv("FATHOMIX_BENCH_IMAGES")) {
    Big.Image.save(QStringLiteral("fastline_chart.png"));
    RefImg.save(QStringLiteral("fastline_painter.png"));
  }
  int64_t Differ = 0, Inked = 0;
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      const QRgb A = Big.Image.pixel(X, Y), B = RefImg.pixel(X, Y);
      if (A != 0xFFFFFFFFu || B != 0xFFFFFFFFu)
        ++Inked;
      if (std::abs(qRed(A) - qRed(B)) > 32 || std::abs(qGreen(A) - qGreen(B)) > 32 ||
          std::abs(qBlue(A) - qBlue(B)) > 32)
        ++Differ;
    }
  std::printf("2. one line of %d points, DrawAllPoints off, daMinMax\n", BigPoints);
  std::printf("   chart full repaint:                  %8.2f ms\n", BigMs);
  std::printf("   painter, one 1-pixel polyline:       %8.2f ms\n", BigRef);
  std::printf("   ratio chart / painter:               %8.3f (limit 0.05)\n", BigRatio);
  std::printf("   pixels differing by more than 32 in a channel: %lld of %d (%.2f %%), %.2f %% of %lld inked\n",
              static_cast<long long>(Differ), W * H, 100.0 * double(Differ) / (W * H),
              Inked ? 100.0 * double(Differ) / double(Inked) : 0.0, static_cast<long long>(Inked));
  Ok = Ok && BigRatio <= 0.05;

  FinalizeChartCore();
  return Ok ? 0 : 1;
}
