// The B-spline and the smoothing function: curve points worked out by hand,
// an interpolated curve through its points, the banded solution against
// the full-matrix elimination it replaces (the same numbers), knuckles,
// and the smoothing of known curves into the expected points.
#include "chart/core/tests/CoreTestSupport.h"

#include "chart/core/ChartSeries.h"
#include "chart/series/BSpline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// The interpolation system as a full (m + 1) x (m + 1) matrix, eliminated
// row by row without exchanges: what the spline used to do.
std::vector<TVertex> DenseControlPoints(const std::vector<TVertex>& V /* 1-based, V[0] unused */)
{
  const int M = static_cast<int>(V.size()) - 1;
  std::vector<std::vector<double>> A(M + 1, std::vector<double>(M + 1, 0.0));
  for (int I = 2; I <= M - 1; ++I) {
    A[I][I - 1] = 1.0 / 6.0;
    A[I][I] = 2.0 / 3.0;
    A[I][I + 1] = 1.0 / 6.0;
  }
  A[1][1] = 1;
  A[M][M] = 1;
  const auto Same = [](const TVertex& P, const TVertex& Q) {
    return std::abs(P.X - Q.X) <= 1e-5 && std::abs(P.Y - Q.Y) <= 1e-5;
  };
  for (int I = 3; I < M - 1;) {
    if (Same(V[I - 1], V[I]) && Same(V[I], V[I + 1])) {
      for (int R = I - 1; R <= I + 1; ++R) {
        std::fill(A[R].begin(), A[R].end(), 0.0);
        A[R][R] = 1;
      }
      I += 2;
    } else
      ++I;
  }
  std::vector<double> X(M + 1), Y(M + 1);
  for (int I = 1; I <= M; ++I) {
    X[I] = V[I].X;
    Y[I] = V[I].Y;
  }
  for (int K = 1; K < M; ++K)
    for (int I = K + 1; I <= M; ++I) {
      const double F = A[I][K] / A[K][K];
      for (int J = K; J <= M; ++J)
        A[I][J] -= F * A[K][J];
      X[I] -= F * X[K];
      Y[I] -= F * Y[K];
    }
  std::vector<TVertex> C(M + 1);
  C[M] = TVertex{X[M] / A[M][M], Y[M] / A[M][M]};
  for (int I = M - 1; I >= 1; --I)
    C[I] = TVertex{(X[I] - A[I][I + 1] * C[I + 1].X) / A[I][I], (Y[I] - A[I][I + 1] * C[I + 1].Y) / A[I][I]};
  return C;
}

TBSpline SplineOf(const std::vector<TVertex>& P, bool Interpolated)
{
  TBSpline S(P, static_cast<int32_t>(P.size()) - 1);
  S.SetInterpolated(Interpolated);
  return S;
}

TChartSeries* NewSource(TCustomAxisPanel& C, int N, double (*F)(double))
{
  auto* S = new TChartSeries(&C);
  C.AddSeries(S);
  for (int I = 0; I < N; ++I)
    S->AddXY(I, F(I));
  return S;
}

} // namespace

TEST(BSpline, CurvePointsWorkedOutByHand)
{
  TBSpline One;
  One.AddPoint(3, 4);
  for (double T : {0.0, 0.5, 1.0})
    EXPECT_EQ(One.Value(T).X, 0);
  // (0, 0), (1, 1), (2, 0) with the phantoms (-1, -1) and (3, -1):
  // t = 0: 2/3 (0, 0) + 1/6 ((-1, -1) + (1, 1)) = (0, 0); t = 0.5 lies at
  // the middle vertex: 2/3 (1, 1) + 1/6 ((0, 0) + (2, 0)) = (1, 2/3).
  TBSpline S = SplineOf({{0, 0}, {1, 1}, {2, 0}}, false);
  EXPECT_NEAR(S.Value(0).X, 0, 1e-15);
  EXPECT_NEAR(S.Value(0).Y, 0, 1e-15);
  EXPECT_NEAR(S.Value(0.5).X, 1, 1e-15);
  EXPECT_NEAR(S.Value(0.5).Y, 2.0 / 3.0, 1e-15);
  EXPECT_EQ(S.Vertex(0).X, -1);
  EXPECT_EQ(S.Vertex(4).Y, -1);
}

TEST(BSpline, AnInterpolatedCurvePassesThroughItsPoints)
{
  const std::vector<std::vector<TVertex>> Sets = {
      {{0, 0}, {1, 5}, {2, -3}},
      {{0, 1}, {1, 2}, {3, 0}, {4, 4}, {7, -2}, {8, 8}},
      {{-5, 1e6}, {0, -1e6}, {5, 1e6}, {10, 0}, {11, 3}},
  };
  for (const auto& P : Sets) {
    TBSpline S = SplineOf(P, true);
    const int M = static_cast<int>(P.size());
    for (int I = 1; I <= M; ++I) {
      const TVertex V = S.Value(static_cast<double>(I - 1) / (M - 1));
      const double Scale = std::max(1.0, std::abs(P[I - 1].Y));
      EXPECT_NEAR(V.X, P[I - 1].X, 1e-9 * std::max(1.0, std::abs(P[I - 1].X)));
      EXPECT_NEAR(V.Y, P[I - 1].Y, 1e-9 * Scale);
    }
  }
}

TEST(BSpline, TheBandedSolutionEqualsTheFullMatrixElimination)
{
  // Smooth data, rough data and knuckles (a point given three times), of
  // several lengths.
  for (int N : {3, 4, 7, 40, 101}) {
    for (int Shape = 0; Shape < 3; ++Shape) {
      std::vector<TVertex> P;
      for (int I = 0; I < N; ++I) {
        const double Y = Shape == 0 ? std::sin(I * 0.3) : (Shape == 1 ? ((I * 7919) % 13) - 6.5 : I % 5);
        P.push_back(TVertex{I * 1.5, Y});
        if (Shape == 2 && I % 9 == 4) {
          P.push_back(P.back());
          P.push_back(P.back());
        }
      }
      TBSpline S = SplineOf(P, true);
      std::vector<TVertex> V(1);
      V.insert(V.end(), P.begin(), P.end());
      const std::vector<TVertex> C = DenseControlPoints(V);
      ASSERT_EQ(S.NumberOfVertices(), static_cast<int32_t>(P.size()));
      for (int I = 1; I <= S.NumberOfVertices(); ++I) {
        ASSERT_EQ(S.Vertex(I).X, C[I].X) << N << " " << Shape << " " << I;
        ASSERT_EQ(S.Vertex(I).Y, C[I].Y) << N << " " << Shape << " " << I;
      }
    }
  }
}

TEST(BSpline, AKnuckleIsACornerTheCurveGoesThrough)
{
  TBSpline S = SplineOf({{0, 0}, {1, 2}, {2, 0}, {3, 2}, {4, 0}}, false);
  EXPECT_FALSE(S.Knuckle(1));
  S.SetKnuckle(3, true);
  EXPECT_TRUE(S.Knuckle(3));
  S.SetKnuckle(5, true);
  EXPECT_FALSE(S.Knuckle(5)); // the last point never is one
  EXPECT_EQ(S.NumberOfVertices(), 7);
  // Vertices 3, 4 and 5 are the tripled point (2, 0): at s = 4 the curve
  // lies on it.
  const TVertex V = S.Value(3.0 / 6.0);
  EXPECT_NEAR(V.X, 2, 1e-12);
  EXPECT_NEAR(V.Y, 0, 1e-12);
  EXPECT_THROW(S.SetKnuckle(6, true), ERangeError);
  // Growing the point list keeps the corners already set.
  for (int I = 0; I < 20; ++I)
    S.AddPoint(5 + I, I % 2);
  EXPECT_TRUE(S.Knuckle(3));
  // Point 5 is no longer the last: its flag counts now.
  EXPECT_TRUE(S.Knuckle(5));
  EXPECT_EQ(S.NumberOfVertices(), 25 + 2 + 2);
}

TEST(Smoothing, AStraightLineStaysTheLineAtEvenSteps)
{
  TImageChart C;
  TChartSeries* Source = NewSource(C, 5, [](double X) { return 2 * X + 1; });
  auto* Out = new TChartSeries(&C);
  C.AddSeries(Out);
  Out->SetFunction(new TSmoothingFunction(&C));
  Out->SetDataSource(Source);
  // 5 points x Factor 4 = 20 pieces, 21 points from x 0 to 4.
  ASSERT_EQ(Out->Count(), 21);
  for (int A = 0; A <= 20; ++A) {
    const double X = 4.0 * A / 20;
    EXPECT_NEAR(Out->XValue(A), X, 1e-12) << A;
    EXPECT_NEAR(Out->YValue(A), 2 * X + 1, 1e-12) << A;
  }
}

TEST(Smoothing, ASineIsFollowedThroughItsPoints)
{
  TImageChart C;
  TChartSeries* Source = NewSource(C, 13, [](double X) { return std::sin(X * M_PI / 12); });
  auto* Out = new TChartSeries(&C);
  C.AddSeries(Out);
  auto* F = new TSmoothingFunction(&C);
  F->SetFactor(5);
  Out->SetFunction(F);
  Out->SetDataSource(Source);
  ASSERT_EQ(Out->Count(), 13 * 5 + 1);
  for (int32_t I = 0; I < Out->Count(); ++I) {
    const double X = Out->XValue(I);
    EXPECT_NEAR(Out->YValue(I), std::sin(X * M_PI / 12), 2e-3) << X;
  }
  // Interpolated, the curve reaches the peak point; approximated, it is
  // pulled in by the neighbours (2/3 of the peak and 1/6 of each).
  const auto Peak = [Out] {
    double Max = -1;
    for (int32_t I = 0; I < Out->Count(); ++I)
      Max = std::max(Max, Out->YValue(I));
    return Max;
  };
  EXPECT_GT(Peak(), 0.999);
  F->SetInterpolate(false);
  ASSERT_EQ(Out->Count(), 13 * 5 + 1);
  EXPECT_LT(Peak(), 2.0 / 3.0 + std::sin(5 * M_PI / 12) / 3 + 1e-9);
}

TEST(Smoothing, PointCountsAndFactors)
{
  const struct {
    int Points;
    int Factor;
    int Expected;
  } Cases[] = {{10, 4, 41}, {200, 4, 601}, {10, 0, 11}, {10, -3, 11}, {1, 8, 9}};
  for (const auto& K : Cases) {
    TImageChart C;
    TChartSeries* Source = NewSource(C, K.Points, [](double X) { return X * X; });
    auto* Out = new TChartSeries(&C);
    C.AddSeries(Out);
    auto* F = new TSmoothingFunction(&C);
    F->SetFactor(K.Factor);
    EXPECT_GE(F->Factor(), 1);
    Out->SetFunction(F);
    Out->SetDataSource(Source);
    EXPECT_EQ(Out->Count(), K.Expected) << K.Points << " x " << K.Factor;
  }
}

TEST(Smoothing, ASeriesShownSmoothedGetsItsOwnPointsBack)
{
  TImageChart C;
  auto* S = new TChartSeries(&C);
  C.AddSeries(S);
  for (int I = 0; I < 5; ++I)
    S->AddXY(I, I * I);
  const TPoints Own = PointsOf(S);
  TSeriesSmoothing Smoothing;
  Smoothing.SetSmoothed(true);
  // A kind that draws no line or area is left alone.
  Smoothing.SmoothSeries(*S, false);
  EXPECT_EQ(PointsOf(S), Own);
  Smoothing.SmoothSeries(*S, true);
  ASSERT_EQ(S->Count(), 5 * 8 + 1);
  ASSERT_NE(Smoothing.InternalSeries(), nullptr);
  EXPECT_FALSE(Smoothing.InternalSeries()->ShowInLegend());
  EXPECT_EQ(S->DataSource(), Smoothing.InternalSeries());
  // The smooth curve runs through the series' own points.
  EXPECT_NEAR(S->YValue(S->Count() - 1), 16, 1e-9);
  Smoothing.SmoothSeries(*S, true); // already smoothed: nothing
  EXPECT_EQ(S->Count(), 41);
  Smoothing.SetSmoothed(false);
  Smoothing.SmoothSeries(*S, true);
  EXPECT_EQ(PointsOf(S), Own);
  EXPECT_EQ(S->FunctionType(), nullptr);
  EXPECT_EQ(S->DataSource(), nullptr);
  EXPECT_EQ(Smoothing.InternalSeries(), nullptr);
}
