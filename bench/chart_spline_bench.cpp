// Cost of the B-spline smoothing, time and peak heap, each best of several
// rounds in one run:
//   1. an interpolated spline through 10^5 points (rebuild and the 601
//      curve points a smoothing samples); limit: 100 MB of heap at peak;
//   2. the smoothing function over a series of 10^5 points into its output
//      series, the chart's own road; the same limit;
//   3. the reference: at 2000 points, the banded solution against the full
//      (m + 1) x (m + 1) matrix eliminated row by row that it replaces (the
//      full matrix at 10^5 points would take 80 GB).
// Heap is counted by this program's own operator new. Exits non-zero when a
// limit is exceeded.
#include "chart/core/ChartCoreInit.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/series/BSpline.h"

#include <QApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

namespace {
std::atomic<size_t> HeapNow{0};
std::atomic<size_t> HeapPeak{0};
constexpr size_t Header = 16;
} // namespace

void* operator new(size_t N)
{
  void* P = std::malloc(N + Header);
  if (!P)
    throw std::bad_alloc();
  *static_cast<size_t*>(P) = N;
  const size_t Now = HeapNow += N;
  size_t Peak = HeapPeak.load();
  while (Now > Peak && !HeapPeak.compare_exchange_weak(Peak, Now)) {
  }
  return static_cast<char*>(P) + Header;
}
void* operator new[](size_t N) { return operator new(N); }
void operator delete(void* P) noexcept
{
  if (!P)
    return;
  char* Base = static_cast<char*>(P) - Header;
  HeapNow -= *reinterpret_cast<size_t*>(Base);
  std::free(Base);
}
void operator delete[](void* P) noexcept { operator delete(P); }
void operator delete(void* P, size_t) noexcept { operator delete(P); }
void operator delete[](void* P, size_t) noexcept { operator delete(P); }

namespace {

constexpr int Points = 100000;
constexpr int RefPoints = 2000;
constexpr int Rounds = 5;
constexpr double LimitMB = 100;

using TClock = std::chrono::steady_clock;

struct TCost {
  double Ms = 1e300;
  double PeakMB = 0;
};

// Best time of the rounds; the heap peak above what was in use before.
template <class F>
TCost Measure(F Work, int N = Rounds)
{
  TCost C;
  for (int R = 0; R < N; ++R) {
    const size_t Before = HeapNow.load();
    HeapPeak = Before;
    const auto T0 = TClock::now();
    Work();
    const auto T1 = TClock::now();
    C.Ms = std::min(C.Ms, std::chrono::duration<double, std::milli>(T1 - T0).count());
    C.PeakMB = std::max(C.PeakMB, (HeapPeak.load() - Before) / 1048576.0);
  }
  return C;
}

std::vector<TVertex> Data(int N)
{
  std::vector<TVertex> P(N);
  for (int I = 0; I < N; ++I)
    P[I] = TVertex{I * 0.5, std::sin(I * 0.01) * 100 + ((I * 7919) % 17) * 0.1};
  return P;
}

double Sink = 0;

void SplineRun(const std::vector<TVertex>& P, int Fragments)
{
  TBSpline S;
  for (const TVertex& V : P)
    S.AddPoint(V.X, V.Y);
  S.SetInterpolated(true);
  S.SetFragments(Fragments);
  for (int A = 0; A <= S.Fragments(); ++A)
    Sink += S.Value(static_cast<double>(A) / S.Fragments()).Y;
}

// The full matrix, eliminated in row order without exchanges.
void DenseRun(const std::vector<TVertex>& P)
{
  const int M = static_cast<int>(P.size());
  std::vector<double> A(size_t(M + 1) * (M + 1), 0.0);
  const auto At = [&](int R, int C) -> double& { return A[size_t(R) * (M + 1) + C]; };
  for (int I = 2; I <= M - 1; ++I) {
    At(I, I - 1) = 1.0 / 6;
    At(I, I) = 2.0 / 3;
    At(I, I + 1) = 1.0 / 6;
  }
  At(1, 1) = At(M, M) = 1;
  std::vector<double> X(M + 1), Y(M + 1);
  for (int I = 1; I <= M; ++I) {
    X[I] = P[I - 1].X;
    Y[I] = P[I - 1].Y;
  }
  for (int K = 1; K < M; ++K)
    for (int I = K + 1; I <= M; ++I) {
      const double F = At(I, K) / At(K, K);
      for (int J = K; J <= M; ++J)
        At(I, J) -= F * At(K, J);
      X[I] -= F * X[K];
      Y[I] -= F * Y[K];
    }
  Sink += X[M] + Y[M];
}

} // namespace

int main(int Argc, char** Argv)
{
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(Argc, Argv);
  InitializeChartCore();
  bool Ok = true;

  const std::vector<TVertex> Big = Data(Points);
  const TCost Spline = Measure([&] { SplineRun(Big, 600); });
  std::printf("1. interpolated spline of %d points, 601 curve points: %.1f ms, heap peak %.1f MB (limit %.0f)\n",
              Points, Spline.Ms, Spline.PeakMB, LimitMB);
  Ok = Ok && Spline.PeakMB <= LimitMB;

  TCost Smooth;
  {
    TCustomAxisPanel Chart(nullptr);
    auto* Source = new TChartSeries(&Chart);
    Chart.AddSeries(Source);
    Source->BeginUpdate();
    for (const TVertex& V : Big)
      Source->AddXY(V.X, V.Y);
    Source->EndUpdate();
    auto* Out = new TChartSeries(&Chart);
    Chart.AddSeries(Out);
    auto* F = new TSmoothingFunction(&Chart);
    Out->SetFunction(F);
    Smooth = Measure([&] {
      Out->SetDataSource(nullptr);
      Out->SetDataSource(Source);
    });
    std::printf("2. smoothing a series of %d points into %d points: %.1f ms, heap peak %.1f MB (limit %.0f)\n", Points,
                Out->Count(), Smooth.Ms, Smooth.PeakMB, LimitMB);
    Ok = Ok && Smooth.PeakMB <= LimitMB && Out->Count() == 601;
  }

  const std::vector<TVertex> Small = Data(RefPoints);
  const TCost Banded = Measure([&] { SplineRun(Small, 600); });
  const TCost Dense = Measure([&] { DenseRun(Small); }, 2);
  std::printf("3. at %d points: banded %.2f ms, %.2f MB; full matrix %.1f ms, %.1f MB: %.0f times the time, "
              "%.0f times the memory\n",
              RefPoints, Banded.Ms, Banded.PeakMB, Dense.Ms, Dense.PeakMB, Dense.Ms / Banded.Ms,
              Dense.PeakMB / std::max(Banded.PeakMB, 1e-6));
  std::printf("   the full matrix at %d points would hold %.0f GB\n", Points,
              double(Points + 1) * (Points + 1) * 8 / 1e9);
  FinalizeChartCore();
  if (Sink == 12345.678)
    std::printf("%f\n", Sink);
  if (!Ok) {
    std::printf("LIMIT EXCEEDED\n");
    return 1;
  }
  return 0;
}
