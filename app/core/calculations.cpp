#include "app/core/calculations.h"

#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "rtl/RtlMath.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace {

// The instrument reports ITS-90 temperatures; every published formula used
// here was fitted on the IPTS-68 scale.
constexpr double T68Factor = 1.00024;

double ToT68(double Temperature) { return T68Factor * Temperature; }

// Numerator of the UNESCO 1983 depth formula, pressure in dbar.
double UnescoDepthNumerator(double P) { return (((-1.82e-15 * P + 2.279e-10) * P - 2.2512e-5) * P + 9.72659) * P; }

struct TBinLayout {
  double Width;      // dbar per bin
  int32_t LabelStep; // TableDepthArray[b] = LabelStep * b
};

// The bin layout of the settings. Settings from the file are not bounded
// by the set-up screen's limits, and a layout without at least one bin
// (Maximum_Pressure div Pressure_Resolution below 2, or non-positive
// values) has no meaningful bin width; it raises, which ends the sample
// before any table is touched, rather than filing it somewhere arbitrary.
TBinLayout BinLayoutOf(const TCalcSettings& Settings)
{
  const int32_t MaxP = Settings.Maximum_Pressure;
  const int32_t Res = Settings.Pressure_Resolution;
  const auto NoBins = [&] {
    return EInvalidOp(Format("Maximum Pressure %d with Pressure Resolution %d leaves no depth bins", {MaxP, Res}));
  };
  if (MaxP < 1 || Res < 1 || MaxP / Res < 2)
    throw NoBins();
  const int32_t N = MaxP / Res - 1;
  const int32_t Step = MaxP / N;
  // The bin labels are Integers; bins so wide that the last label would
  // not fit are no usable layout either.
  if (Step > INT32_MAX / TDepthBins::BinCount)
    throw NoBins();
  return {static_cast<double>(MaxP) / N, Step};
}

// The bin of a pressure: the smallest integer not below P / Width, kept
// within the table. A pressure at or below zero (after the atmospheric
// correction a surface reading can be slightly negative) goes to bin 1.
// A pressure beyond the last bin (above about 6001 dbar with the
// default settings) is filed in the last bin: the tables end there, the
// depth itself still comes from the full pressure, and only the dynamic
// correction stops growing, which that deep is a small part of the depth.
int32_t BinOf(double Pressure, double Width)
{
  const double X = Pressure / Width;
  if (!(X > 1))
    return 1;
  if (X >= TDepthBins::BinCount)
    return TDepthBins::BinCount;
  return static_cast<int32_t>(Ceil(X));
}

void CheckBin(int32_t Bin)
{
  if (Bin < 1 || Bin > TDepthBins::BinCount)
    throw ERangeError(Format("Depth bin %d outside 1..%d", {Bin, TDepthBins::BinCount}));
}

} // namespace

// ---------------------------------------------------------------------------
// Depth bins

TDepthBins::TDepthBins()
    : FSVAArray(BinCount + 1, 0.0), FIntSVAArray(BinCount + 1, 0.0), FTableDepthArray(BinCount + 1, 0),
      FPrefix(BinCount + 1, 0.0)
{
}

void TDepthBins::Clear()
{
  std::fill(FSVAArray.begin(), FSVAArray.end(), 0.0);
  std::fill(FIntSVAArray.begin(), FIntSVAArray.end(), 0.0);
  std::fill(FTableDepthArray.begin(), FTableDepthArray.end(), 0);
  std::fill(FPrefix.begin(), FPrefix.end(), 0.0);
  FPrefixValid = BinCount;
  FFirstEmpty = 1;
  SVA_Array_Index = 0;
  SVA_Sum = 0;
  MeanDensity = 0;
}

double TDepthBins::SVAArray(int32_t Bin) const
{
  CheckBin(Bin);
  return FSVAArray[Bin];
}

double TDepthBins::IntSVAArray(int32_t Bin) const
{
  CheckBin(Bin);
  return FIntSVAArray[Bin];
}

int32_t TDepthBins::TableDepthArray(int32_t Bin) const
{
  CheckBin(Bin);
  return FTableDepthArray[Bin];
}

void TDepthBins::SetIntSVAArray(int32_t Bin, double Value)
{
  CheckBin(Bin);
  FIntSVAArray[Bin] = Value;
  Invalidate(Bin);
}

void TDepthBins::SetTableDepthArray(int32_t Bin, int32_t Value)
{
  CheckBin(Bin);
  FTableDepthArray[Bin] = Value;
}

void TDepthBins::Invalidate(int32_t Bin)
{
  FPrefixValid = std::min(FPrefixValid, Bin - 1);
  if (FIntSVAArray[Bin] == 0 && Bin < FFirstEmpty)
    FFirstEmpty = Bin;
}

void TDepthBins::ExtendPrefix(int32_t Bin) const
{
  // Extending in bin order repeats the plain loop's additions one for
  // one, so the prefix is bit-identical to summing from bin 1 each time.
  for (int32_t I = FPrefixValid + 1; I <= Bin; ++I)
    FPrefix[I] = FPrefix[I - 1] + FIntSVAArray[I];
  FPrefixValid = std::max(FPrefixValid, Bin);
}

double TDepthBins::IntSVASum(int32_t Bin) const
{
  Bin = std::clamp(Bin, 0, BinCount);
  ExtendPrefix(Bin);
  return FCheck(FPrefix[Bin]);
}

double TDepthBins::SumFilled(int32_t Bin, int32_t FillTo, double Layer) const
{
  Bin = std::clamp(Bin, 0, BinCount);
  // The first bin the fill would change; below it the prefix is that of
  // the table as it stands. No bin below FFirstEmpty is empty.
  int32_t Changed = Bin + 1;
  if (Layer != 0) {
    const int32_t Last = std::min(FillTo, Bin);
    for (int32_t I = FFirstEmpty; I <= Last; ++I)
      if (FIntSVAArray[I] == 0) {
        Changed = I;
        break;
      }
  }
  ExtendPrefix(Changed - 1);
  // The same additions, in the same order, as the prefix after the fill.
  double Sum = FPrefix[Changed - 1];
  for (int32_t I = Changed; I <= Bin; ++I)
    Sum += I <= FillTo && FIntSVAArray[I] == 0 ? Layer : FIntSVAArray[I];
  return FCheck(Sum);
}

void TDepthBins::FillEmptyLayers(int32_t Bin, double Value)
{
  // Writing 0 into an empty bin leaves it empty (a -0 would print
  // differently in the SVA file but adds up the same).
  if (Value == 0)
    return;
  for (int32_t I = FFirstEmpty; I <= Bin; ++I) {
    if (FIntSVAArray[I] == 0) {
      FIntSVAArray[I] = Value;
      FPrefixValid = std::min(FPrefixValid, I - 1);
    }
  }
  FFirstEmpty = std::max(FFirstEmpty, Bin + 1);
}

// ---------------------------------------------------------------------------
// Gravity and depth

double NormalGravity(double Latitude)
{
  const double Phi = Latitude * std::numbers::pi / 180.0;
  const double X = std::sin(Phi) * std::sin(Phi);
  return FCheck(9.780318 * (1.0 + 5.2788e-3 * X + 2.36e-5 * X * X));
}

double calc_pk(double Pressure, double Latitude) { return FCheck(FDiv(Pressure, NormalGravity(Latitude))); }

double calc_unesco_depth(double Pressure, double Latitude)
{
  return FCheck(FDiv(UnescoDepthNumerator(Pressure), NormalGravity(Latitude) + 1.092e-6 * Pressure));
}

TDepthStep::TDepthStep(TDepthBins& Bins, const TCalcSettings& Settings)
    : FBins(Bins), FSettings(Settings), FIndex(Bins.SVA_Array_Index), FSum(Bins.SVA_Sum), FMeanDensity(Bins.MeanDensity)
{
}

double TDepthStep::BathyDepth(double Pressure, double Density, double Gravity)
{
  FCheck(Pressure);
  FCheck(Density);
  FCheck(Gravity);
  const double V = FDiv(1.0, Density);
  // Specific volume of the standard ocean (S = 35, 0 degC) at the
  // pressure, from the secant bulk modulus at that point.
  const double P = Pressure / 10.0;
  const double K0 = 21582.27 + 3.359406 * P + 5.03217e-5 * P * P;
  const double V0 = 9.72662039e-4 * (1.0 - FDiv(P, K0));
  const double Delta = FCheck(V - V0);

  const TBinLayout Layout = BinLayoutOf(FSettings);
  const int32_t B = BinOf(Pressure, Layout.Width);
  const double W = Layout.Width;
  double M = Delta;
  if (B > 1 && FBins.FSVAArray[B - 1] != 0)
    M = (FBins.FSVAArray[B - 1] + Delta) / 2.0;
  // Bin pressure step in Pa times the mean anomaly: the geopotential
  // anomaly of one layer.
  const double Layer = (W * B - W * (B - 1)) * M * 10000.0;
  const double Sum = FBins.SumFilled(B, B, Layer);
  const double Mean = FDiv(1.0, Sum / B / 10000.0 + V0);
  const double Depth = FCheck(FDiv(UnescoDepthNumerator(Pressure), 1.092e-6 * Pressure + Gravity) + Sum / 9.8);

  FFiled = true;
  FBin = B;
  FAnomaly = Delta;
  FLayer = Layer;
  FLabel = Layout.LabelStep * B;
  FIndex = B;
  FSum = Sum;
  FMeanDensity = Mean;
  return Depth;
}

double TDepthStep::QYRDepth(double Pressure, double Gravity)
{
  FCheck(Pressure);
  FCheck(Gravity);
  int32_t Index = FIndex;
  double Sum = FSum;
  // Without the profiling instrument there is no current bin; the sensor
  // uses the loaded table down to its own pressure instead.
  if (!FSettings.QuorndeckFitted) {
    const TBinLayout Layout = BinLayoutOf(FSettings);
    Index = BinOf(Pressure, Layout.Width);
    Sum = FBins.SumFilled(Index, FBin, FLayer);
  }
  const double Depth = FCheck(FDiv(UnescoDepthNumerator(Pressure), 1.092e-6 * Pressure + Gravity) + Sum / 9.8);
  FIndex = Index;
  FSum = Sum;
  return Depth;
}

void TDepthStep::Commit()
{
  if (FFiled) {
    FBins.FSVAArray[FBin] = FAnomaly;
    FBins.FillEmptyLayers(FBin, FLayer);
    FBins.FTableDepthArray[FBin] = FLabel;
  }
  FBins.SVA_Array_Index = FIndex;
  FBins.SVA_Sum = FSum;
  FBins.MeanDensity = FMeanDensity;
}

double BathyDepth(double Pressure, double Density, double Gravity, TDepthBins& Bins, const TCalcSettings& Settings)
{
  TDepthStep Step(Bins, Settings);
  const double Depth = Step.BathyDepth(Pressure, Density, Gravity);
  Step.Commit();
  return Depth;
}

double QYRDepth(double Pressure, double Gravity, TDepthBins& Bins, const TCalcSettings& Settings)
{
  TDepthStep Step(Bins, Settings);
  const double Depth = Step.QYRDepth(Pressure, Gravity);
  Step.Commit();
  return Depth;
}

// ---------------------------------------------------------------------------
// Salinity and density

double Salinity(double Temperature, double Pressure, double Conductivity)
{
  const double T = ToT68(Temperature);
  const double P = Pressure;
  // Ratio to the conductivity of standard seawater (S = 35, 15 degC, 0 dbar).
  const double R = Conductivity / 42.914;

  const double Rt = 0.6766097 + T * (2.00564e-2 + T * (1.104259e-4 + T * (-6.9698e-7 + T * 1.0031e-9)));
  const double Rp = 1.0 + FDiv(P * (2.070e-5 + P * (-6.370e-10 + P * 3.989e-15)),
                               1.0 + T * (3.426e-2 + T * 4.464e-4) + R * (4.215e-1 + T * -3.107e-3));
  const double RT = FDiv(R, Rp * Rt);
  // A zero or negative ratio (no water in the cell) leaves only the
  // constant terms rather than failing on the root.
  const double X = RT > 0 ? FSqrt(RT) : 0.0;

  const double DT = T - 15.0;
  const double DeltaS = FDiv(DT, 1.0 + 0.0162 * DT) *
                        (0.0005 + X * (-0.0056 + X * (-0.0066 + X * (-0.0375 + X * (0.0636 + X * -0.0144)))));
  return FCheck(0.0080 + X * (-0.1692 + X * (25.3851 + X * (14.0941 + X * (-7.0261 + X * 2.7081)))) + DeltaS);
}

double Density(double Temperature, double Pressure, double Salinity)
{
  const double T = ToT68(Temperature);
  const double P = Pressure / 10.0; // bar
  const double S = Salinity;
  const double S15 = S > 0 ? S * FSqrt(S) : 0.0;

  // Density at one atmosphere.
  const double RhoW =
      999.842594 + T * (6.793952e-2 + T * (-9.095290e-3 + T * (1.001685e-4 + T * (-1.120083e-6 + T * 6.536332e-9))));
  const double Rho0 = RhoW + S * (0.824493 + T * (-4.0899e-3 + T * (7.6438e-5 + T * (-8.2467e-7 + T * 5.3875e-9)))) +
                      S15 * (-5.72466e-3 + T * (1.0227e-4 + T * -1.6546e-6)) + 4.8314e-4 * S * S;

  // Secant bulk modulus.
  const double Kw = 19652.21 + T * (148.4206 + T * (-2.327105 + T * (1.360477e-2 + T * -5.155288e-5)));
  const double KS0 = Kw + S * (54.6746 + T * (-0.603459 + T * (1.09987e-2 + T * -6.1670e-5))) +
                     S15 * (7.944e-2 + T * (1.6483e-2 + T * -5.3009e-4));
  const double Aw = 3.239908 + T * (1.43713e-3 + T * (1.16092e-4 + T * -5.77905e-7));
  const double A = Aw + S * (2.2838e-3 + T * (-1.0981e-5 + T * -1.6078e-6)) + 1.91075e-4 * S15;
  const double Bw = 8.50935e-5 + T * (-6.12293e-6 + T * 5.2787e-8);
  const double B = Bw + S * (-9.9348e-7 + T * (2.0816e-8 + T * 9.1697e-10));
  const double K = KS0 + P * (A + B * P);

  // A vanishing modulus or compression factor gives a density of 0; the
  // depth step then fails on it and ends the sample.
  if (K == 0)
    return -1000.0;
  const double Compression = 1.0 - FDiv(P, K);
  if (Compression == 0)
    return -1000.0;
  return FCheck(FDiv(Rho0, Compression) - 1000.0);
}

// ---------------------------------------------------------------------------
// Sound speed

double SoundSpeed(double Temperature, double Pressure, double Salinity, double Latitude, const TCalcSettings& Settings)
{
  const String& Eq = Settings.Sound_Speed_Equation;
  if (Eq == QLatin1String("Del Grosso 1974"))
    return cal_delgrosso(Temperature, Pressure, Salinity, Latitude);
  if (Eq == QLatin1String("McKenzie 1981"))
    return cal_mckenzie(Temperature, Pressure, Salinity, Latitude);
  if (Eq == QLatin1String("Medwin 1975"))
    return cal_medwin(Temperature, Pressure, Salinity, Latitude);
  if (Eq == QLatin1String("Wilson (Full) Oct 1960"))
    return cal_wilsonfull(Temperature, Pressure, Salinity, Latitude);
  if (Eq == QLatin1String("Wilson (Simple) Oct 1960"))
    return cal_wilsonsimp(Temperature, Pressure, Salinity, Latitude);
  return cal_chenmillero(Temperature, Pressure, Salinity);
}

// Chen and Millero (1977), UNESCO 1983 form; pressure in bar.
double cal_chenmillero(double Temperature, double Pressure, double Salinity)
{
  if (Salinity <= 0)
    return 0.0;
  const double T = ToT68(Temperature);
  const double P = Pressure / 10.0;
  const double S = Salinity;
  const double SR = FSqrt(S);

  const double C0 = ((((3.1464e-9 * T - 1.47800e-6) * T + 3.3420e-4) * T - 5.80852e-2) * T + 5.03711) * T + 1402.388;
  const double C1 = (((-6.1185e-10 * T + 1.3621e-7) * T - 8.1788e-6) * T + 6.8982e-4) * T + 0.153563;
  const double C2 = (((1.0405e-12 * T - 2.5335e-10) * T + 2.5974e-8) * T - 1.7107e-6) * T + 3.1260e-5;
  const double C3 = (-2.3643e-12 * T + 3.8504e-10) * T - 9.7729e-9;
  const double Cw = ((C3 * P + C2) * P + C1) * P + C0;

  const double A0 = (((-3.21e-8 * T + 2.006e-6) * T + 7.164e-5) * T - 1.262e-2) * T + 1.389;
  const double A1 = (((-2.0122e-10 * T + 1.0507e-8) * T - 6.4885e-8) * T - 1.2580e-5) * T + 9.4742e-5;
  const double A2 = ((7.988e-12 * T - 1.6002e-10) * T + 9.1041e-9) * T - 3.9064e-7;
  const double A3 = (-3.389e-13 * T + 6.649e-12) * T + 1.100e-10;
  const double A = ((A3 * P + A2) * P + A1) * P + A0;

  const double B = (-1.922e-2 - 4.42e-5 * T) + (7.3637e-5 + 1.7945e-7 * T) * P;
  const double D = 1.727e-3 - 7.9836e-6 * P;

  return FCheck(Cw + (A + B * SR + D * S) * S);
}

// Del Grosso (1974); pressure in kg/cm^2 (gauge).
double cal_delgrosso(double Temperature, double Pressure, double Salinity, double Latitude)
{
  if (Salinity <= 0)
    return 0.0;
  const double T = ToT68(Temperature);
  const double P = calc_pk(Pressure, Latitude);
  const double S = Salinity;

  const double DCT = (0.5012285e1 + (-0.551184e-1 + 0.221649e-3 * T) * T) * T;
  const double DCS = (0.1329530e1 + 0.1288598e-3 * S) * S;
  const double DCP = (0.1560592 + (0.2449993e-4 - 0.8833959e-8 * P) * P) * P;
  const double DCSTP = 0.6353509e-2 * T * P - 0.4383615e-6 * T * T * T * P - 0.1593895e-5 * T * P * P +
                       0.2656174e-7 * T * T * P * P + 0.5222483e-9 * T * P * P * P - 0.1275936e-1 * S * T +
                       0.9688441e-4 * S * T * T - 0.3406824e-3 * S * T * P + 0.4857614e-5 * S * S * T * P -
                       0.1616745e-8 * S * S * P * P;
  return FCheck(1402.392 + DCT + DCS + DCP + DCSTP);
}

// Mackenzie (1981); depth in m.
double cal_mckenzie(double Temperature, double Pressure, double Salinity, double Latitude)
{
  if (Salinity <= 0)
    return 0.0;
  const double T = ToT68(Temperature);
  const double D = calc_unesco_depth(Pressure, Latitude);
  const double DS = Salinity - 35.0;
  return FCheck(1448.96 + 4.591 * T - 5.304e-2 * T * T + 2.374e-4 * T * T * T + 1.340 * DS + 1.630e-2 * D +
                1.675e-7 * D * D - 1.025e-2 * T * DS - 7.139e-13 * T * D * D * D);
}

// Medwin (1975); depth in m.
double cal_medwin(double Temperature, double Pressure, double Salinity, double Latitude)
{
  if (Salinity <= 0)
    return 0.0;
  const double T = ToT68(Temperature);
  const double Z = calc_unesco_depth(Pressure, Latitude);
  return FCheck(1449.2 + 4.6 * T - 0.055 * T * T + 0.00029 * T * T * T + (1.34 - 0.010 * T) * (Salinity - 35.0) +
                0.016 * Z);
}

// Wilson (1960), full form; pressure in kg/cm^2 (gauge).
double cal_wilsonfull(double Temperature, double Pressure, double Salinity, double Latitude)
{
  if (Salinity <= 0)
    return 0.0;
  const double T = ToT68(Temperature);
  const double P = calc_pk(Pressure, Latitude);
  const double DS = Salinity - 35.0;

  const double VT = T * (4.5721 + T * (-4.4532e-2 + T * (-2.6045e-4 + T * 7.9851e-6)));
  const double VP = P * (1.60272e-1 + P * (1.0268e-5 + P * (3.5216e-9 + P * -3.3603e-12)));
  const double VS = DS * (1.39799 + DS * 1.69202e-3);
  const double VSTP = DS * (-1.1244e-2 * T + 7.7711e-7 * T * T + 7.7016e-5 * P - 1.2943e-7 * P * P + 3.1580e-8 * P * T +
                            1.5790e-9 * P * T * T) +
                      P * (-1.8607e-4 * T + 7.4812e-6 * T * T + 4.5283e-8 * T * T * T) +
                      P * P * (-2.5294e-7 * T + 1.8563e-9 * T * T) + P * P * P * (-1.9646e-10 * T);
  return FCheck(1449.14 + VT + VP + VS + VSTP);
}

// Wilson (1960), simplified form; depth in m.
double cal_wilsonsimp(double Temperature, double Pressure, double Salinity, double Latitude)
{
  if (Salinity <= 0)
    return 0.0;
  const double T = ToT68(Temperature);
  const double Z = calc_unesco_depth(Pressure, Latitude);
  return FCheck(1449.0 + 4.6 * T - 0.055 * T * T + 0.0003 * T * T * T + 1.39 * (Salinity - 35.0) + 0.017 * Z);
}
