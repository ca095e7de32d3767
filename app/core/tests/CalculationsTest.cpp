#include "app/core/calculations.h"

#include "CoreFixture.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <vector>

namespace {

// The published check values are on the IPTS-68 scale; the routines take
// the instrument's ITS-90 reading and multiply it by 1.00024.
double FromT68(double T68) { return T68 / 1.00024; }

constexpr double StandardConductivity = 42.914; // mS/cm at S = 35, 15 degC, 0 dbar

// ---------------------------------------------------------------------------
// Salinity

struct TSalinityCase {
  double R, T68, P, S, Tolerance;
};

TEST(Salinity, MatchesPublishedCheckValues)
{
  const TSalinityCase Cases[] = {
      {1.0, 15, 0, 35.000000, 1e-6},
      {1.2, 20, 2000, 37.245628, 1e-6},
      {0.65, 5, 1500, 27.995347, 1e-6},
      {1.888091, 40, 10000, 40.0000, 1e-4},
  };
  for (const auto& C : Cases)
    EXPECT_NEAR(Salinity(FromT68(C.T68), C.P, C.R * StandardConductivity), C.S, C.Tolerance)
        << "R=" << C.R << " t=" << C.T68 << " p=" << C.P;
}

TEST(Salinity, NoConductivityLeavesOnlyTheConstantTerms)
{
  // C = 0 (and a negative reading) gives R_T <= 0; the root is then taken
  // as 0, leaving a0 and the b0 part of the temperature term.
  for (const double C : {0.0, -3.0}) {
    for (const double T : {2.0, 15.0, 28.0}) {
      const double T68 = 1.00024 * T;
      const double Expected = 0.008 + (T68 - 15) / (1 + 0.0162 * (T68 - 15)) * 0.0005;
      const double S = Salinity(T, 100, C);
      EXPECT_NEAR(S, Expected, 1e-12) << "C=" << C << " T=" << T;
      if (S > 0) {
        EXPECT_GT(SoundSpeed(T, 100, S, 50, TCalcSettings()), 1400.0);
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Density

struct TDensityCase {
  double S, T68, PBar, Rho;
};

TEST(Density, MatchesPublishedCheckValues)
{
  const TDensityCase Cases[] = {
      {0, 5, 0, 999.96675},   {0, 5, 1000, 1044.12802},  {0, 25, 0, 997.04796},   {0, 25, 1000, 1037.90204},
      {35, 5, 0, 1027.67547}, {35, 5, 1000, 1069.48914}, {35, 25, 0, 1023.34306}, {35, 25, 1000, 1062.53817},
  };
  for (const auto& C : Cases)
    EXPECT_NEAR(Density(FromT68(C.T68), C.PBar * 10, C.S) + 1000, C.Rho, 1e-5)
        << "S=" << C.S << " t=" << C.T68 << " p=" << C.PBar << " bar";
}

TEST(Density, NegativeSalinityDropsOnlyTheRootTerms)
{
  // S^1.5 is taken as 0 below zero; the routine still answers.
  const double Rho = Density(10, 0, -1) + 1000;
  EXPECT_LT(Rho, Density(10, 0, 0) + 1000);
  EXPECT_GT(Rho, 998.0);
}

// ---------------------------------------------------------------------------
// Sound speed

TEST(SoundSpeed, ChenMilleroMatchesPublishedCheckValue)
{
  EXPECT_NEAR(cal_chenmillero(FromT68(40), 10000, 40), 1731.995, 5e-4);
}

// The pressure (dbar) of a UNESCO depth at the latitude, by bisection.
double PressureAtDepth(double Depth, double Latitude)
{
  double Lo = 0, Hi = 20000;
  for (int I = 0; I < 200; ++I) {
    const double Mid = (Lo + Hi) / 2;
    (calc_unesco_depth(Mid, Latitude) < Depth ? Lo : Hi) = Mid;
  }
  return (Lo + Hi) / 2;
}

TEST(SoundSpeed, MackenzieMatchesPublishedCheckValue)
{
  // Mackenzie's own check: 25 degC, S = 35, 1000 m.
  const double P = PressureAtDepth(1000, 45);
  EXPECT_NEAR(cal_mckenzie(FromT68(25), P, 35, 45), 1550.744, 5e-4);
}

using TSpeedRoutine = std::function<double(double T, double P, double S, double Lat)>;

struct TSpeedEquation {
  const char* Name;
  TSpeedRoutine Routine;
};

std::vector<TSpeedEquation> SpeedEquations()
{
  return {
      {"Chen & Millero 1977", [](double T, double P, double S, double) { return cal_chenmillero(T, P, S); }},
      {"Del Grosso 1974", cal_delgrosso},
      {"McKenzie 1981", cal_mckenzie},
      {"Medwin 1975", cal_medwin},
      {"Wilson (Full) Oct 1960", cal_wilsonfull},
      {"Wilson (Simple) Oct 1960", cal_wilsonsimp},
  };
}

TEST(SoundSpeed, SelectsTheNamedEquation)
{
  const double T = 8.5, P = 750, S = 34.7, Lat = 57;
  TCalcSettings Settings;
  for (const auto& E : SpeedEquations()) {
    Settings.Sound_Speed_Equation = QString::fromUtf8(E.Name);
    EXPECT_EQ(SoundSpeed(T, P, S, Lat, Settings), E.Routine(T, P, S, Lat)) << E.Name;
  }
  for (const char* Other : {"", "chen & millero 1977", "UNESCO"}) {
    Settings.Sound_Speed_Equation = QString::fromUtf8(Other);
    EXPECT_EQ(SoundSpeed(T, P, S, Lat, Settings), cal_chenmillero(T, P, S)) << Other;
  }
}

TEST(SoundSpeed, NoSalinityGivesZero)
{
  for (const auto& E : SpeedEquations())
    for (const double S : {0.0, -0.5})
      EXPECT_EQ(E.Routine(10, 500, S, 50), 0.0) << E.Name << " S=" << S;
}

// The alternative equations have no check values of their own here; they
// must agree with Chen and Millero within the known spread of the
// published equations over ocean conditions (warm water near the surface,
// cold water at depth). A wrong coefficient or unit shows as metres per
// second, not tenths.
TEST(SoundSpeed, AlternativesAgreeWithChenMilleroInTheOcean)
{
  struct TRange {
    double TLo, THi, PLo, PHi;
  };
  const TRange Ranges[] = {{0, 30, 0, 1000}, {0, 4, 1000, 6000}};
  for (const auto& E : SpeedEquations()) {
    const bool ShallowOnly = std::string(E.Name).find("Medwin") != std::string::npos ||
                             std::string(E.Name).find("Simple") != std::string::npos;
    for (const auto& R : Ranges) {
      if (ShallowOnly && R.PLo > 0)
        continue; // near-surface equations, linear in depth
      for (double T = R.TLo; T <= R.THi; T += (R.THi - R.TLo) / 4)
        for (double S = 33; S <= 37; S += 2)
          for (double P = R.PLo; P <= R.PHi; P += (R.PHi - R.PLo) / 4) {
            const double Reference = cal_chenmillero(T, P, S);
            EXPECT_NEAR(E.Routine(T, P, S, 50), Reference, 1.5) << E.Name << " T=" << T << " S=" << S << " P=" << P;
          }
    }
  }
}

// ---------------------------------------------------------------------------
// Gravity and plain depth

TEST(Depth, UnescoFormulaMatchesPublishedCheckValue)
{
  EXPECT_NEAR(calc_unesco_depth(10000, 30), 9712.653, 5e-4);
  // The same through a QYR sensor while no dynamic correction exists yet.
  TDepthBins Bins;
  EXPECT_NEAR(QYRDepth(10000, NormalGravity(30), Bins, TCalcSettings()), 9712.653, 5e-4);
}

TEST(Depth, NormalGravity)
{
  EXPECT_DOUBLE_EQ(NormalGravity(0), 9.780318);
  EXPECT_NEAR(NormalGravity(90), 9.780318 * (1 + 5.2788e-3 + 2.36e-5), 1e-12);
  EXPECT_DOUBLE_EQ(NormalGravity(-45), NormalGravity(45));
  EXPECT_NEAR(calc_pk(1000, 45), 1000 / NormalGravity(45), 1e-12);
}

// ---------------------------------------------------------------------------
// Depth with dynamic correction

constexpr double Latitude = 50.42741;

double Near(double A) { return std::abs(A) * 1e-12; }

TEST(BathyDepth, StandardOceanHasNoDynamicCorrection)
{
  // Water of S = 35 at 0 degC is the reference column itself: its anomaly
  // vanishes and the depth is the plain UNESCO depth, the mean density
  // that of the water.
  const double G = NormalGravity(Latitude);
  TDepthBins Bins;
  for (const double P : {5.0, 200.0, 1500.0, 4000.0}) {
    const double Rho = Density(0, P, 35) + 1000;
    EXPECT_NEAR(BathyDepth(P, Rho, G, Bins, TCalcSettings()), calc_unesco_depth(P, Latitude), 1e-4) << P;
    EXPECT_NEAR(Bins.MeanDensity, Rho, 1e-6) << P;
  }
}

TEST(BathyDepth, FirstSampleFillsEveryBinAbove)
{
  TDepthBins Bins;
  const double G = NormalGravity(Latitude);
  const double Depth = BathyDepth(25, 1025.0, G, Bins, TCalcSettings());

  EXPECT_EQ(Bins.SVA_Array_Index, 25);
  EXPECT_EQ(Bins.TableDepthArray(25), 25);
  const double L = Bins.IntSVAArray(1);
  EXPECT_GT(L, 0.0); // lighter than the standard ocean: positive anomaly
  // One bin's pressure step (6000/5999 dbar in Pa) times the bin's anomaly.
  EXPECT_NEAR(L, 6000.0 / 5999.0 * 10000 * Bins.SVAArray(25), Near(L) * 1e3);
  for (int32_t B = 1; B <= 25; ++B)
    EXPECT_EQ(Bins.IntSVAArray(B), L) << B;
  EXPECT_EQ(Bins.IntSVAArray(26), 0.0);
  EXPECT_NEAR(Bins.SVA_Sum, 25 * L, Near(25 * L) * 100);
  EXPECT_NEAR(Depth, calc_unesco_depth(25, Latitude) + Bins.SVA_Sum / 9.8, 1e-9);
  EXPECT_GT(Depth, calc_unesco_depth(25, Latitude));
}

TEST(BathyDepth, FilledBinsKeepTheirLayerAndNewBinsAverageWithTheOneAbove)
{
  TDepthBins Bins;
  const TCalcSettings Settings;
  const double G = 9.81;
  const double W = 6000.0 / 5999.0;
  BathyDepth(25, 1025.0, G, Bins, Settings);
  const double L1 = Bins.IntSVAArray(1);

  // Back up into a bin that already holds a layer: nothing changes there.
  BathyDepth(10, 1027.5, G, Bins, Settings);
  EXPECT_EQ(Bins.SVA_Array_Index, 10);
  EXPECT_EQ(Bins.IntSVAArray(10), L1);
  EXPECT_NEAR(Bins.SVA_Sum, 10 * L1, Near(10 * L1) * 100);
  EXPECT_NE(Bins.SVAArray(10), Bins.SVAArray(25));

  // Down past the filled layers; bin 26 was skipped and takes the layer
  // of bin 27, whose neighbour above had no anomaly yet.
  BathyDepth(27, 1024.0, G, Bins, Settings);
  EXPECT_EQ(Bins.SVA_Array_Index, 27);
  const double L3 = W * 10000 * Bins.SVAArray(27);
  EXPECT_NEAR(Bins.IntSVAArray(26), L3, Near(L3) * 1e3);
  EXPECT_EQ(Bins.IntSVAArray(27), Bins.IntSVAArray(26));
  EXPECT_EQ(Bins.IntSVAArray(25), L1);

  // Next bin down: the mean of its anomaly and the one above.
  BathyDepth(28, 1023.0, G, Bins, Settings);
  const double L4 = W * 10000 * (Bins.SVAArray(27) + Bins.SVAArray(28)) / 2;
  EXPECT_NEAR(Bins.IntSVAArray(28), L4, Near(L4) * 1e3);
  EXPECT_NEAR(Bins.SVA_Sum, 25 * L1 + 2 * Bins.IntSVAArray(26) + L4, 1e-9);
}

TEST(BathyDepth, AFailureAfterTheBinIsFoundLeavesTheBins)
{
  // Each fails only once the sample's bin, its anomaly and its layers are
  // worked out: the depth itself overflows, or its denominator vanishes.
  struct TCase {
    const char* Name;
    double Pressure, Gravity;
  };
  const TCase Cases[] = {
      {"depth overflows", 1e100, 9.81},
      {"gravity cancels the pressure term", 25, -1.092e-6 * 25},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TDepthBins Bins;
    BathyDepth(10, 1025.0, 9.81, Bins, TCalcSettings());
    const TDepthBins Before = Bins;
    EXPECT_THROW(BathyDepth(C.Pressure, 1025.0, C.Gravity, Bins, TCalcSettings()), EMathError);
    EXPECT_TRUE(SameBins(Bins, Before));
    // The bins go on as if the failed sample had never come.
    TDepthBins Untouched = Before;
    EXPECT_EQ(BathyDepth(30, 1024.0, 9.81, Bins, TCalcSettings()),
              BathyDepth(30, 1024.0, 9.81, Untouched, TCalcSettings()));
    EXPECT_TRUE(SameBins(Bins, Untouched));
  }
}

TEST(BathyDepth, DensityOfZeroEndsTheSampleUntouched)
{
  TDepthBins Bins;
  EXPECT_THROW(BathyDepth(25, 0.0, 9.81, Bins, TCalcSettings()), EZeroDivide);
  EXPECT_EQ(Bins.SVA_Array_Index, 0);
  EXPECT_EQ(Bins.IntSVAArray(1), 0.0);
}

// Bins of pressures and settings at and beyond the table's limits.
struct TBinCase {
  const char* Name;
  int32_t MaxPressure, Resolution;
  double Pressure;
  int32_t Bin;   // 0: the settings leave no bins and the sample fails
  int32_t Label; // TableDepthArray of the bin
};

const TBinCase BinCases[] = {
    {"default, mid table", 6000, 1, 1234.5, 1235, 1235},
    {"resolution 2 labels twice the bin", 6000, 2, 100, 50, 100},
    {"beyond the last bin", 6000, 1, 7000, 6000, 6000},
    {"far beyond the last bin", 6000, 1, 1e12, 6000, 6000},
    {"at zero", 6000, 1, 0, 1, 1},
    {"below zero", 6000, 1, -50, 1, 1},
    {"wider bins reach deeper", 12000, 2, 11999, 5999, 11998},
    {"a single bin", 6000, 3000, 100, 1, 6000},
    {"resolution equals maximum", 6000, 6000, 100, 0, 0},
    {"resolution above half the maximum", 6000, 4000, 100, 0, 0},
    {"zero resolution", 6000, 0, 100, 0, 0},
    {"zero maximum", 0, 1, 100, 0, 0},
    {"negative settings", -6000, -1, 100, 0, 0},
    {"labels beyond Integer", 2000000000, 1000000000, 100, 0, 0},
};

TEST(BathyDepth, BinStaysWithinTheTable)
{
  for (const auto& C : BinCases) {
    SCOPED_TRACE(C.Name);
    TCalcSettings Settings;
    Settings.Maximum_Pressure = C.MaxPressure;
    Settings.Pressure_Resolution = C.Resolution;
    TDepthBins Bins;
    if (C.Bin == 0) {
      EXPECT_THROW(BathyDepth(C.Pressure, 1025, 9.81, Bins, Settings), EInvalidOp);
      EXPECT_EQ(Bins.SVA_Array_Index, 0);
      EXPECT_EQ(Bins.SVA_Sum, 0.0);
      EXPECT_EQ(Bins.IntSVAArray(1), 0.0);
      continue;
    }
    const double Depth = BathyDepth(C.Pressure, 1025, 9.81, Bins, Settings);
    EXPECT_TRUE(std::isfinite(Depth));
    EXPECT_EQ(Bins.SVA_Array_Index, C.Bin);
    EXPECT_EQ(Bins.TableDepthArray(C.Bin), C.Label);
    EXPECT_NE(Bins.IntSVAArray(C.Bin), 0.0);
    if (C.Bin < TDepthBins::BinCount) {
      EXPECT_EQ(Bins.IntSVAArray(C.Bin + 1), 0.0);
    }
  }
}

TEST(QYRDepth, BinStaysWithinTheTable)
{
  for (const auto& C : BinCases) {
    SCOPED_TRACE(C.Name);
    TCalcSettings Settings;
    Settings.Maximum_Pressure = C.MaxPressure;
    Settings.Pressure_Resolution = C.Resolution;
    Settings.QuorndeckFitted = false;
    TDepthBins Bins;
    for (int32_t B = 1; B <= TDepthBins::BinCount; ++B)
      Bins.SetIntSVAArray(B, 1.0);
    if (C.Bin == 0) {
      EXPECT_THROW(QYRDepth(C.Pressure, 9.81, Bins, Settings), EInvalidOp);
      EXPECT_EQ(Bins.SVA_Sum, 0.0);
      continue;
    }
    QYRDepth(C.Pressure, 9.81, Bins, Settings);
    EXPECT_EQ(Bins.SVA_Array_Index, C.Bin);
    EXPECT_EQ(Bins.SVA_Sum, static_cast<double>(C.Bin));
  }
}

TEST(BathyDepth, NonNumbersRaiseAndLeaveTheTables)
{
  const double NaN = std::numeric_limits<double>::quiet_NaN();
  const double Inf = std::numeric_limits<double>::infinity();
  struct TCase {
    double Pressure, Rho, G;
  };
  for (const TCase C : {TCase{NaN, 1025, 9.81}, TCase{Inf, 1025, 9.81}, TCase{-Inf, 1025, 9.81}, TCase{25, NaN, 9.81},
                        TCase{25, 1025, NaN}}) {
    TDepthBins Bins;
    EXPECT_THROW(BathyDepth(C.Pressure, C.Rho, C.G, Bins, TCalcSettings()), EMathError)
        << C.Pressure << " " << C.Rho << " " << C.G;
    EXPECT_EQ(Bins.SVA_Array_Index, 0);
    EXPECT_EQ(Bins.IntSVAArray(1), 0.0);
  }
  TDepthBins Bins;
  EXPECT_THROW(BathyDepth(NaN, 1025, 9.81, Bins, TCalcSettings()), EInvalidOp);
  TCalcSettings Unfitted;
  Unfitted.QuorndeckFitted = false;
  EXPECT_THROW(QYRDepth(NaN, 9.81, Bins, Unfitted), EInvalidOp);
}

TEST(DepthBins, BinsOutsideTheTableAreRefused)
{
  TDepthBins Bins;
  for (const int32_t B : {0, -1, TDepthBins::BinCount + 1}) {
    EXPECT_THROW(Bins.SVAArray(B), ERangeError) << B;
    EXPECT_THROW(Bins.IntSVAArray(B), ERangeError) << B;
    EXPECT_THROW(Bins.TableDepthArray(B), ERangeError) << B;
    EXPECT_THROW(Bins.SetIntSVAArray(B, 1), ERangeError) << B;
    EXPECT_THROW(Bins.SetTableDepthArray(B, 1), ERangeError) << B;
  }
  EXPECT_EQ(Bins.IntSVASum(-5), 0.0);
}

TEST(QYRDepth, UsesTheInstrumentsCorrectionOrTheLoadedTable)
{
  const double G = NormalGravity(Latitude);
  TCalcSettings Settings;
  TDepthBins Bins;
  BathyDepth(25, 1025.0, G, Bins, Settings);
  const double InstrumentSum = Bins.SVA_Sum;

  // Instrument fitted: every sensor takes the instrument's current sum.
  EXPECT_NEAR(QYRDepth(500, G, Bins, Settings), calc_unesco_depth(500, Latitude) + InstrumentSum / 9.8, 1e-9);
  EXPECT_EQ(Bins.SVA_Array_Index, 25);
  EXPECT_EQ(Bins.SVA_Sum, InstrumentSum);

  // Instrument not fitted: a loaded table, summed down to each sensor's bin.
  Settings.QuorndeckFitted = false;
  for (int32_t B = 1; B <= TDepthBins::BinCount; ++B)
    Bins.SetIntSVAArray(B, 0.5);
  EXPECT_NEAR(QYRDepth(100, G, Bins, Settings), calc_unesco_depth(100, Latitude) + 50 / 9.8, 1e-9);
  EXPECT_EQ(Bins.SVA_Array_Index, 100);
  EXPECT_EQ(Bins.SVA_Sum, 50.0);
  QYRDepth(1000, G, Bins, Settings);
  EXPECT_EQ(Bins.SVA_Sum, 500.0);
  QYRDepth(100, G, Bins, Settings);
  EXPECT_EQ(Bins.SVA_Sum, 50.0);
}

// ---------------------------------------------------------------------------
// The bin bookkeeping against the plain loops it replaces

struct TPlainBins {
  std::vector<double> SVA = std::vector<double>(6001, 0.0);
  std::vector<double> IntSVA = std::vector<double>(6001, 0.0);
  std::vector<int32_t> Table = std::vector<int32_t>(6001, 0);
  int32_t Index = 0;
  double Sum = 0, MeanDensity = 0;
};

int32_t PlainBin(double P, double W)
{
  return std::clamp(static_cast<int32_t>(std::ceil(std::min(P / W, 6000.0))), 1, 6000);
}

double PlainDepth(double P, double G, double Sum)
{
  return (9.72659 * P - 2.2512e-5 * P * P + 2.279e-10 * P * P * P - 1.82e-15 * P * P * P * P) / (1.092e-6 * P + G) +
         Sum / 9.8;
}

double PlainBathyDepth(double P, double Rho, double G, TPlainBins& T, int32_t MaxP, int32_t Res)
{
  const double V = 1 / Rho;
  const double PBar = P / 10;
  const double K0 = 21582.27 + 3.359406 * PBar + 5.03217e-5 * PBar * PBar;
  const double V0 = 9.72662039e-4 * (1 - PBar / K0);
  const int32_t N = MaxP / Res - 1;
  const double W = static_cast<double>(MaxP) / N;
  const int32_t B = PlainBin(P, W);
  T.Index = B;
  T.SVA[B] = V - V0;
  const double M = B > 1 && T.SVA[B - 1] != 0 ? (T.SVA[B - 1] + T.SVA[B]) / 2 : T.SVA[B];
  const double L = (W * B - W * (B - 1)) * M * 10000;
  for (int32_t I = 1; I <= B; ++I)
    if (T.IntSVA[I] == 0)
      T.IntSVA[I] = L;
  double Sum = 0;
  for (int32_t I = 1; I <= B; ++I)
    Sum += T.IntSVA[I];
  T.MeanDensity = 1 / (Sum / B / 10000 + V0);
  T.Table[B] = (MaxP / N) * B;
  double Sum2 = 0;
  for (int32_t I = 1; I <= B; ++I)
    Sum2 += T.IntSVA[I];
  T.Sum = Sum2;
  return PlainDepth(P, G, T.Sum);
}

double PlainQYRDepth(double P, double G, TPlainBins& T, int32_t MaxP, int32_t Res)
{
  const int32_t N = MaxP / Res - 1;
  const int32_t B = PlainBin(P, static_cast<double>(MaxP) / N);
  T.Index = B;
  double Sum = 0;
  for (int32_t I = 1; I <= B; ++I)
    Sum += T.IntSVA[I];
  T.Sum = Sum;
  return PlainDepth(P, G, T.Sum);
}

bool Close(double A, double B) { return std::abs(A - B) <= 1e-12 * std::max(std::abs(A), std::abs(B)); }

TEST(DepthBins, MatchThePlainSumsOverALongProfile)
{
  struct TLayout {
    int32_t MaxP, Res;
  };
  for (const TLayout Layout : {TLayout{6000, 1}, TLayout{6000, 2}, TLayout{12000, 2}}) {
    SCOPED_TRACE(Layout.Res);
    TCalcSettings Settings;
    Settings.Maximum_Pressure = Layout.MaxP;
    Settings.Pressure_Resolution = Layout.Res;
    TCalcSettings Unfitted = Settings;
    Unfitted.QuorndeckFitted = false;

    std::mt19937 Random(20240611u + Layout.MaxP + Layout.Res);
    const auto Uniform = [&](double Lo, double Hi) { return Lo + (Hi - Lo) * (Random() / 4294967296.0); };
    TDepthBins Bins;
    TPlainBins Plain;
    const double G = 9.81;
    double P = 0;
    int32_t Mismatches = 0;
    for (int32_t Sample = 0; Sample < 20000; ++Sample) {
      const double Event = Uniform(0, 1);
      if (Event < 0.003) {
        // An SVA table loaded over part of the profile, holes included.
        const int32_t From = 1 + static_cast<int32_t>(Uniform(0, 5999));
        const int32_t To = std::min(6000, From + static_cast<int32_t>(Uniform(0, 800)));
        for (int32_t I = From; I <= To; ++I) {
          const double V = Uniform(0, 1) < 0.2 ? 0.0 : Uniform(-0.01, 0.05);
          Bins.SetIntSVAArray(I, V);
          Plain.IntSVA[I] = V;
        }
        continue;
      }
      if (Event < 0.004) {
        Bins.Clear();
        Plain = TPlainBins();
        continue;
      }
      if (Event < 0.03) {
        const double Q = Uniform(-10, 14000);
        if (!Close(QYRDepth(Q, G, Bins, Unfitted), PlainQYRDepth(Q, G, Plain, Layout.MaxP, Layout.Res)) ||
            Bins.SVA_Array_Index != Plain.Index || !Close(Bins.SVA_Sum, Plain.Sum))
          ++Mismatches;
        continue;
      }
      P = Event < 0.05 ? Uniform(-5, 13000) : std::clamp(P + Uniform(-8, 12), -5.0, 13000.0);
      const double Rho = Uniform(1020, 1031);
      const double Depth = BathyDepth(P, Rho, G, Bins, Settings);
      const double PlainResult = PlainBathyDepth(P, Rho, G, Plain, Layout.MaxP, Layout.Res);
      if (!Close(Depth, PlainResult) || Bins.SVA_Array_Index != Plain.Index || !Close(Bins.SVA_Sum, Plain.Sum) ||
          !Close(Bins.MeanDensity, Plain.MeanDensity))
        ++Mismatches;
      if (Sample % 2500 == 0 || Sample == 19999) {
        for (int32_t B = 1; B <= TDepthBins::BinCount; ++B)
          if (!Close(Bins.IntSVAArray(B), Plain.IntSVA[B]) || !Close(Bins.SVAArray(B), Plain.SVA[B]) ||
              Bins.TableDepthArray(B) != Plain.Table[B])
            ++Mismatches;
      }
    }
    EXPECT_EQ(Mismatches, 0);
  }
}

TEST(DepthBins, ClearEmptiesTablesAndState)
{
  TDepthBins Bins;
  BathyDepth(300, 1025.0, 9.81, Bins, TCalcSettings());
  Bins.SetTableDepthArray(5000, 77);
  Bins.Clear();
  EXPECT_EQ(Bins.SVA_Array_Index, 0);
  EXPECT_EQ(Bins.SVA_Sum, 0.0);
  EXPECT_EQ(Bins.MeanDensity, 0.0);
  EXPECT_EQ(Bins.IntSVASum(TDepthBins::BinCount), 0.0);
  EXPECT_EQ(Bins.SVAArray(300), 0.0);
  EXPECT_EQ(Bins.TableDepthArray(300), 0);
  EXPECT_EQ(Bins.TableDepthArray(5000), 0);

  // The next profile starts from the surface again.
  BathyDepth(5, 1026.0, 9.81, Bins, TCalcSettings());
  EXPECT_NE(Bins.IntSVAArray(5), 0.0);
  EXPECT_EQ(Bins.IntSVAArray(6), 0.0);
  EXPECT_NEAR(Bins.SVA_Sum, 5 * Bins.IntSVAArray(1), 1e-15);
}

} // namespace
