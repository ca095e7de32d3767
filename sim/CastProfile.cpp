#include "sim/CastProfile.h"

#include "rtl/Exceptions.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

// Temperature falls through a thermocline around 30 m from a warm mixed
// layer to cold deep water; salinity rises a little with depth.
double TemperatureAt(double Depth) { return 6.0 + 9.0 * (1.0 - std::tanh((Depth - 30.0) / 10.0)) / 2.0; }
double SalinityAt(double Depth) { return 34.6 + 0.5 * (1.0 - std::exp(-Depth / 50.0)); }

AnsiString Fixed(double V, int Decimals) { return QByteArray::number(V, 'f', Decimals); }

} // namespace

CastProfile::CastProfile(const CastParams& Params) : FParams(Params)
{
  if (!(Params.MaxDepth > 0.0 && Params.MaxDepth <= 11000.0))
    throw EArgumentException(QStringLiteral("Cast depth must lie in (0, 11000] m"));
  if (!(Params.StepMetres > 0.0 && Params.StepMetres <= Params.MaxDepth))
    throw EArgumentException(QStringLiteral("Cast step must lie in (0, depth]"));
  FStepsDown = std::max<int64_t>(1, int64_t(std::ceil(Params.MaxDepth / Params.StepMetres)));
}

CastSample CastProfile::Sample(int64_t Index) const
{
  const int64_t Cycle = 2 * FStepsDown;
  int64_t K = Index % Cycle;
  if (K < 0)
    K += Cycle;
  const int64_t Steps = K <= FStepsDown ? K : Cycle - K;

  CastSample S;
  S.Depth = std::min(FParams.MaxDepth, double(Steps) * FParams.StepMetres);
  S.Pressure = PressureFromDepth(S.Depth, FParams.Latitude);
  S.Temperature = TemperatureAt(S.Depth) + 0.004 * SimNoise(FParams.Seed, Index, 1);
  S.Salinity = SalinityAt(S.Depth) + 0.002 * SimNoise(FParams.Seed, Index, 2);
  S.Conductivity = ConductivityFromSalinity(S.Salinity, S.Temperature, S.Pressure);
  S.SoundVelocity =
      SoundVelocityMackenzie(S.Temperature, S.Salinity, S.Depth) + 0.02 * SimNoise(FParams.Seed, Index, 3);
  S.Altimeter = std::min(AltimeterRange, FParams.MaxDepth + FParams.SeabedClearance - S.Depth);
  return S;
}

AnsiString CastProfile::DataString(const CastSample& S)
{
  AnsiString L;
  L += Fixed(S.SoundVelocity, 3) + "\tm/s\t";
  L += Fixed(S.Pressure, 3) + "\tdBar\t";
  L += Fixed(S.Temperature, 3) + "\tC\t";
  L += Fixed(S.Altimeter, 2) + "\tm\t";
  L += Fixed(S.Conductivity, 3) + "\tmS/cm\t";
  L += "\r\n";
  return L;
}

// Random access noise: a hash of (seed, sample, channel) rather than a
// running generator, so any sample can be produced without its predecessors.
double SimNoise(uint32_t Seed, int64_t Index, uint32_t Channel)
{
  uint64_t X = (uint64_t(Seed) << 32) ^ (uint64_t(Index) * 0x9E3779B97F4A7C15ull) ^ (uint64_t(Channel) << 56);
  X += 0x9E3779B97F4A7C15ull;
  X = (X ^ (X >> 30)) * 0xBF58476D1CE4E5B9ull;
  X = (X ^ (X >> 27)) * 0x94D049BB133111EBull;
  X ^= X >> 31;
  return double(X >> 11) / double(1ull << 53) * 2.0 - 1.0;
}

double PressureFromDepth(double Depth, double Latitude)
{
  const double SinPhi = std::sin(Latitude * M_PI / 180.0);
  const double C1 = (5.92 + 5.25 * SinPhi * SinPhi) * 1e-3;
  return ((1.0 - C1) - std::sqrt((1.0 - C1) * (1.0 - C1) - 8.84e-6 * Depth)) / 4.42e-6;
}

double SalinityFromConductivity(double C, double T, double P)
{
  // IPTS-68 temperature, as the logger's own salinity uses.
  const double t = 1.00024 * T;
  const double R = C / 42.914;
  const double rt = 0.6766097 + t * (2.00564e-2 + t * (1.104259e-4 + t * (-6.9698e-7 + t * 1.0031e-9)));
  const double Rp = 1.0 + P * (2.070e-5 + P * (-6.370e-10 + P * 3.989e-15)) /
                              (1.0 + t * (3.426e-2 + t * 4.464e-4) + R * (4.215e-1 - 3.107e-3 * t));
  const double Rt = R / (Rp * rt);
  if (Rt <= 0.0)
    return 0.0;
  const double X = std::sqrt(Rt);
  const double Dt = t - 15.0;
  const double DS =
      Dt / (1.0 + 0.0162 * Dt) * (0.0005 + X * (-0.0056 + X * (-0.0066 + X * (-0.0375 + X * (0.0636 + X * -0.0144)))));
  return 0.0080 + X * (-0.1692 + X * (25.3851 + X * (14.0941 + X * (-7.0261 + X * 2.7081)))) + DS;
}

double ConductivityFromSalinity(double S, double T, double P)
{
  // Salinity grows monotonically with conductivity over the ocean's range,
  // so bisection is enough and never diverges.
  double Lo = 0.0, Hi = 3.0 * 42.914;
  for (int I = 0; I < 80; ++I) {
    const double Mid = (Lo + Hi) / 2.0;
    (SalinityFromConductivity(Mid, T, P) < S ? Lo : Hi) = Mid;
  }
  return (Lo + Hi) / 2.0;
}

double SoundVelocityMackenzie(double T, double S, double D)
{
  return 1448.96 + 4.591 * T - 5.304e-2 * T * T + 2.374e-4 * T * T * T + 1.340 * (S - 35.0) + 1.630e-2 * D +
         1.675e-7 * D * D - 1.025e-2 * T * (S - 35.0) - 7.139e-13 * T * D * D * D;
}

} // namespace sim
