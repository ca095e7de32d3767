#pragma once
// A generated profiling cast: the instrument goes from the surface down to a
// chosen depth and back up, again and again, reporting plausible sea water.
// Every value is a pure function of the parameters and the sample number, so
// two simulators with the same parameters send the same strings.
#include "rtl/Types.h"
#include <cstdint>

namespace sim {

struct CastParams {
  double MaxDepth = 100.0;      // m, turning point of the cast
  double StepMetres = 0.5;      // depth change per sample
  double Latitude = 50.0;       // degrees, for the depth-to-pressure conversion
  double SeabedClearance = 5.0; // m between the turning point and the seabed
  uint32_t Seed = 1;            // noise seed of temperature, salinity, sound velocity
};

struct CastSample {
  double Depth = 0;         // m
  double Pressure = 0;      // dbar, gauge (0 at the surface)
  double Temperature = 0;   // degrees C
  double Salinity = 0;      // practical salinity
  double Conductivity = 0;  // mS/cm
  double SoundVelocity = 0; // m/s
  double Altimeter = 0;     // m above the seabed, capped at the altimeter's range
};

class CastProfile {
public:
  // Throws EArgumentException for a depth outside (0, 11000] m or a step
  // outside (0, depth].
  explicit CastProfile(const CastParams& Params);

  const CastParams& Params() const { return FParams; }
  // Samples in one cast, down and back up to the surface.
  int64_t SamplesPerCast() const { return 2 * FStepsDown; }
  CastSample Sample(int64_t Index) const;

  // The profiling instrument's data string for a sample: nine TAB-separated
  // fields (sound velocity, pressure, temperature, altimeter, conductivity in
  // the odd fields, their units in the even ones), each followed by a TAB,
  // then CR LF.
  static AnsiString DataString(const CastSample& S);

  static constexpr double AltimeterRange = 50.0;

private:
  CastParams FParams;
  int64_t FStepsDown = 1;
};

// Deterministic noise in [-1, 1): a hash of seed, sample number and channel.
double SimNoise(uint32_t Seed, int64_t Index, uint32_t Channel);

// Sea-water relations the generator needs (published formulas).
double PressureFromDepth(double Depth, double Latitude);         // Saunders 1981, dbar
double ConductivityFromSalinity(double S, double T, double P);   // PSS-78 inverted, mS/cm
double SalinityFromConductivity(double C, double T, double P);   // PSS-78
double SoundVelocityMackenzie(double T, double S, double Depth); // Mackenzie 1981, m/s

} // namespace sim
