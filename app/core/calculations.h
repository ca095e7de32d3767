#pragma once
// CALCULATIONS: the derived oceanographic values of a profiling-instrument
// sample (salinity, sound speed, density, depth with its dynamic
// correction) and the depth-bin tables that the correction builds up down
// a profile.
//
// Units: temperature in degrees C as the instrument reports it (ITS-90; the
// routines convert it to IPTS-68 with the factor 1.00024 before the
// published IPTS-68 formulas), pressure in dbar, conductivity in mS/cm,
// latitude in degrees, gravity in m/s^2, density in kg/m^3.
//
// Failures follow the run-time floating-point rules: a division by zero
// raises EZeroDivide, an invalid operation (NaN) raises EInvalidOp, an
// overflow raises EOverflow; the caller ends the sample on any of them.
#include "rtl/Types.h"
#include <cstdint>
#include <vector>

struct TCalcSettings;

// The 6000 pressure bins of a profile (1-based; index 0 is unused), with
// the bin state the depth routines leave behind. One instance lives for
// the program's life: the tables are allocated once, in the constructor.
class TDepthBins {
public:
  static constexpr int32_t BinCount = 6000;

  TDepthBins();

  // The data reset: every table entry and the bin state back to 0.
  void Clear();

  // Table entries, Bin in 1..BinCount; any other bin raises ERangeError.
  double SVAArray(int32_t Bin) const;
  double IntSVAArray(int32_t Bin) const;
  int32_t TableDepthArray(int32_t Bin) const;
  // Written by the SVA table loader (and by the depth routines).
  void SetIntSVAArray(int32_t Bin, double Value);
  void SetTableDepthArray(int32_t Bin, int32_t Value);

  // IntSVAArray[1..Bin] summed from bin 1 upwards, the same value a plain
  // loop gives, but from a prefix kept between calls so that a sample
  // costs only the bins that changed since the last one. Bin is clamped
  // to 0..BinCount (0 gives 0). Raises EOverflow/EInvalidOp when the sum
  // is not finite.
  double IntSVASum(int32_t Bin) const;

  // The bin of the last sample (0 before the first one), the geopotential
  // anomaly down to it (J/kg) and the mean density above it (kg/m^3).
  int32_t SVA_Array_Index = 0;
  double SVA_Sum = 0;
  double MeanDensity = 0;

private:
  friend class TDepthStep;

  // Every empty bin (exactly 0) in 1..Bin takes Value; filled bins keep
  // theirs.
  void FillEmptyLayers(int32_t Bin, double Value);
  void Invalidate(int32_t Bin);
  // IntSVASum(Bin) as it will be once FillEmptyLayers(FillTo, Layer) has
  // run, without running it.
  double SumFilled(int32_t Bin, int32_t FillTo, double Layer) const;
  void ExtendPrefix(int32_t Bin) const;

  std::vector<double> FSVAArray;
  std::vector<double> FIntSVAArray;
  std::vector<int32_t> FTableDepthArray;
  // FPrefix[i] = FPrefix[i - 1] + FIntSVAArray[i], correct for
  // i <= FPrefixValid. Only a cache of the table, so the sums extend it
  // without changing the bins.
  mutable std::vector<double> FPrefix;
  mutable int32_t FPrefixValid = 0;
  // No bin below FFirstEmpty is empty (a lower bound, not exact).
  int32_t FFirstEmpty = 1;
};

// The sound-speed equation the core selects. The routines carry six
// equations, but no setting or control chooses among them: this one is
// always used.
inline constexpr char DefaultSoundSpeedEquation[] = "Chen & Millero 1977";

// The settings the calculations read. The set-up screen and the settings
// file change them; the routines only read them.
struct TCalcSettings {
  int32_t Maximum_Pressure = 6000; // dbar
  int32_t Pressure_Resolution = 1;
  String Sound_Speed_Equation = QString::fromLatin1(DefaultSoundSpeedEquation);
  // Slot 0 (the profiling instrument) fitted: the QYR depths then use the
  // dynamic correction of the instrument's current bin.
  bool QuorndeckFitted = true;
};

// Normal gravity at a latitude (degrees), the UNESCO 1983 formula without
// its pressure term.
double NormalGravity(double Latitude);

// Practical salinity (PSS-78).
double Salinity(double Temperature, double Pressure, double Conductivity);

// Sound speed (m/s) by Settings.Sound_Speed_Equation; 0 when Salinity <= 0.
double SoundSpeed(double Temperature, double Pressure, double Salinity, double Latitude, const TCalcSettings& Settings);
double cal_chenmillero(double Temperature, double Pressure, double Salinity);
double cal_delgrosso(double Temperature, double Pressure, double Salinity, double Latitude);
double cal_mckenzie(double Temperature, double Pressure, double Salinity, double Latitude);
double cal_medwin(double Temperature, double Pressure, double Salinity, double Latitude);
double cal_wilsonfull(double Temperature, double Pressure, double Salinity, double Latitude);
double cal_wilsonsimp(double Temperature, double Pressure, double Salinity, double Latitude);

// In-situ density minus 1000 (EOS-80).
double Density(double Temperature, double Pressure, double Salinity);

// The depth step of one sample: the profiling instrument's depth and the
// QYR depths worked out against the bins without changing them; Commit then
// makes every change at once and cannot fail. A sample whose step raises
// before Commit leaves the bins as they were, so the next sample finds them
// as if the failed one had never come. Bins and Settings must outlive the
// step.
class TDepthStep {
public:
  TDepthStep(TDepthBins& Bins, const TCalcSettings& Settings);

  // Depth (m) of a pressure with the dynamic correction of the water column
  // measured so far; the sample is filed into its bin (anomaly, empty
  // layers above it, bin label, mean density) at Commit. Density is the
  // in-situ density (not minus 1000). Once per step.
  double BathyDepth(double Pressure /* dbar */, double Density /* kg/m^3 */, double Gravity /* m/s^2 */);
  // Depth (m) of a QYR sensor's pressure with the dynamic correction: the
  // profiling instrument's as this step leaves it when the instrument is
  // fitted, else the table's down to the sensor's own bin, which becomes
  // the current bin at Commit.
  double QYRDepth(double Pressure /* dbar */, double Gravity /* m/s^2 */);
  // The mean density above the current bin as Commit leaves it (kg/m^3).
  double MeanDensity() const { return FMeanDensity; }

  void Commit();

private:
  TDepthBins& FBins;
  const TCalcSettings& FSettings;
  // The sample filed by BathyDepth; FLayer 0 fills nothing.
  bool FFiled = false;
  int32_t FBin = 0;
  double FAnomaly = 0;
  double FLayer = 0;
  int32_t FLabel = 0;
  // The bin state Commit leaves.
  int32_t FIndex;
  double FSum;
  double FMeanDensity;
};

// One-step forms of the above: the step worked out and committed at once.
double BathyDepth(double Pressure /* dbar */, double Density /* kg/m^3 */, double Gravity /* m/s^2 */, TDepthBins& Bins,
                  const TCalcSettings& Settings);
double QYRDepth(double Pressure /* dbar */, double Gravity /* m/s^2 */, TDepthBins& Bins,
                const TCalcSettings& Settings);

// Pressure divided by the normal gravity at the latitude (dbar to about
// kg/cm^2).
double calc_pk(double Pressure, double Latitude);
// UNESCO 1983 depth (m) of a pressure, without dynamic correction.
double calc_unesco_depth(double Pressure, double Latitude);
