// Cost of a live series: one million points added with AddXY to a series
// that belongs to a chart (no repaint: the chart's AutoRepaint is off, as
// between two paints of a graph window), against the same values pushed
// into two std::vector<double> in the same run. The X values arrive in
// order, as time stamps do. Prints the best of several rounds of each and
// the ratio series / vectors; the series may cost at most ten times the
// vectors.
#include "chart/core/ChartCoreInit.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomAxisPanel.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int Points = 1000000;
constexpr int Rounds = 7;

using TClock = std::chrono::steady_clock;

double Millis(TClock::time_point A, TClock::time_point B)
{
  return std::chrono::duration<double, std::milli>(B - A).count();
}

struct TValues {
  std::vector<double> X, Y;
};

TValues MakeValues()
{
  TValues V;
  V.X.resize(Points);
  V.Y.resize(Points);
  uint32_t Seed = 4711;
  double T = 45000.0; // a date-time: days since 1899-12-30
  for (int I = 0; I < Points; ++I) {
    Seed = Seed * 1664525u + 1013904223u;
    T += 1.0 / 86400.0;
    V.X[I] = T;
    V.Y[I] = 1480.0 + double(Seed >> 20) / 4096.0;
  }
  return V;
}

// Returns a checksum so that the work cannot be dropped.
double VectorRound(const TValues& V, double& Ms)
{
  const auto T0 = TClock::now();
  std::vector<double> X, Y;
  for (int I = 0; I < Points; ++I) {
    X.push_back(V.X[I]);
    Y.push_back(V.Y[I]);
  }
  const auto T1 = TClock::now();
  Ms = Millis(T0, T1);
  return X.back() + Y[Points / 2];
}

double SeriesRound(TCustomAxisPanel& Chart, const TValues& V, double& Ms)
{
  auto* S = new TChartSeries(nullptr);
  Chart.AddSeries(S);
  const auto T0 = TClock::now();
  for (int I = 0; I < Points; ++I)
    S->AddXY(V.X[I], V.Y[I]);
  const auto T1 = TClock::now();
  Ms = Millis(T0, T1);
  const double Sum = S->XValue(Points - 1) + S->YValue(Points / 2);
  delete S;
  return Sum;
}

} // namespace

int main(int argc, char** argv)
{
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication App(argc, argv);
  InitializeChartCore();
  const TValues V = MakeValues();
  double Check = 0;
  double BestVectors = 1e300, BestSeries = 1e300;
  {
    TCustomAxisPanel Chart(nullptr);
    Chart.SetAutoRepaint(false);
    for (int R = 0; R < Rounds; ++R) {
      double Ms = 0;
      Check += VectorRound(V, Ms);
      BestVectors = std::min(BestVectors, Ms);
      Check += SeriesRound(Chart, V, Ms);
      BestSeries = std::min(BestSeries, Ms);
    }
  }
  const double Ratio = BestSeries / BestVectors;
  std::printf("%d points, best of %d rounds\n", Points, Rounds);
  std::printf("two std::vector<double>: %8.2f ms\n", BestVectors);
  std::printf("AddXY on a chart series: %8.2f ms\n", BestSeries);
  std::printf("ratio series / vectors:  %8.2f (limit 10)   [checksum %.3f]\n", Ratio, Check);
  FinalizeChartCore();
  return Ratio <= 10 ? 0 : 1;
}
