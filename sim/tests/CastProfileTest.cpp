#include "sim/CastProfile.h"

#include "rtl/Exceptions.h"

#include <QList>
#include <gtest/gtest.h>

using namespace sim;

namespace {

CastParams Deep()
{
  CastParams P;
  P.MaxDepth = 300.0;
  P.StepMetres = 2.0;
  P.Seed = 7;
  return P;
}

} // namespace

// A cast goes down to the chosen depth and back: pressure never turns
// before the bottom nor after it, and ends where it started.
TEST(CastProfile, PressureRisesToTheBottomAndFallsBack)
{
  const CastProfile C(Deep());
  const int64_t N = C.SamplesPerCast();
  const int64_t Bottom = N / 2;
  ASSERT_EQ(N, 300);
  for (int64_t I = 1; I <= Bottom; ++I)
    EXPECT_GT(C.Sample(I).Pressure, C.Sample(I - 1).Pressure) << "descending, sample " << I;
  for (int64_t I = Bottom + 1; I < N; ++I)
    EXPECT_LT(C.Sample(I).Pressure, C.Sample(I - 1).Pressure) << "ascending, sample " << I;
  EXPECT_DOUBLE_EQ(C.Sample(Bottom).Depth, 300.0);
  EXPECT_NEAR(C.Sample(Bottom).Pressure, PressureFromDepth(300.0, 50.0), 1e-9);
  EXPECT_EQ(C.Sample(0).Pressure, 0.0);
  EXPECT_EQ(C.Sample(N).Pressure, 0.0); // the next cast starts at the surface
}

// Every value lies where sea water puts it, and the conductivity is the one
// that gives back the salinity the generator chose.
TEST(CastProfile, ValuesArePhysicallyPlausible)
{
  const CastProfile C(Deep());
  for (int64_t I = 0; I < C.SamplesPerCast(); ++I) {
    const CastSample S = C.Sample(I);
    SCOPED_TRACE(I);
    EXPECT_GE(S.Temperature, 5.0);
    EXPECT_LE(S.Temperature, 16.0);
    EXPECT_GE(S.Salinity, 34.0);
    EXPECT_LE(S.Salinity, 36.0);
    EXPECT_GE(S.Conductivity, 30.0);
    EXPECT_LE(S.Conductivity, 50.0);
    EXPECT_GE(S.SoundVelocity, 1470.0);
    EXPECT_LE(S.SoundVelocity, 1520.0);
    EXPECT_GE(S.Altimeter, 5.0 - 1e-9); // the seabed lies 5 m below the turning point
    EXPECT_LE(S.Altimeter, CastProfile::AltimeterRange);
    EXPECT_NEAR(SalinityFromConductivity(S.Conductivity, S.Temperature, S.Pressure), S.Salinity, 1e-6);
  }
  // Warm mixed layer above cold deep water.
  EXPECT_GT(C.Sample(0).Temperature, C.Sample(C.SamplesPerCast() / 2).Temperature + 5.0);
}

// Published check values of the formulas the generator relies on.
TEST(CastProfile, SeaWaterRelationsMatchPublishedValues)
{
  // UNESCO 1983: 10000 dbar at 30 degrees is 9712.653 m; Saunders' inverse
  // is good to well under 0.1 %.
  EXPECT_NEAR(PressureFromDepth(9712.653, 30.0), 10000.0, 10.0);
  // PSS-78: R = 1 at 15 degrees and 0 dbar is salinity 35 by definition.
  EXPECT_NEAR(SalinityFromConductivity(42.914, 15.0 / 1.00024, 0.0), 35.0, 1e-3);
  // UNESCO 1983 check value: S = 40.0000 at R = 1.888091, t68 = 40, p = 10000.
  EXPECT_NEAR(SalinityFromConductivity(1.888091 * 42.914, 40.0 / 1.00024, 10000.0), 40.0, 1e-3);
  // Mackenzie 1981 at T = 25, S = 35, D = 1000.
  EXPECT_NEAR(SoundVelocityMackenzie(25.0, 35.0, 1000.0), 1550.744, 0.01);
}

TEST(CastProfile, SameParametersSameStringsAndSeedChangesNoise)
{
  const CastProfile A(Deep()), B(Deep());
  CastParams Other = Deep();
  Other.Seed = 8;
  const CastProfile C(Other);
  for (int64_t I : {0, 17, 150, 299}) {
    EXPECT_EQ(CastProfile::DataString(A.Sample(I)), CastProfile::DataString(B.Sample(I)));
    EXPECT_NE(CastProfile::DataString(A.Sample(I)), CastProfile::DataString(C.Sample(I)));
  }
}

// The layout the logger's decoder cuts: values in the odd fields, each field
// followed by a TAB, the line closed by CR LF.
TEST(CastProfile, DataStringLayout)
{
  const CastProfile C(Deep());
  const CastSample S = C.Sample(40);
  const AnsiString L = CastProfile::DataString(S);
  ASSERT_TRUE(L.endsWith("\t\r\n"));
  const QList<QByteArray> F = L.chopped(2).split('\t');
  ASSERT_EQ(F.size(), 11); // ten fields and the empty rest after the last TAB
  const double Expected[] = {S.SoundVelocity, S.Pressure, S.Temperature, S.Altimeter, S.Conductivity};
  for (int K = 0; K < 5; ++K) {
    bool Ok = false;
    EXPECT_NEAR(F[2 * K].toDouble(&Ok), Expected[K], 0.006) << "field " << 2 * K + 1;
    EXPECT_TRUE(Ok);
  }
}

TEST(CastProfile, RejectsImpossibleCasts)
{
  const struct {
    double Depth, Step;
  } Bad[] = {{0.0, 0.5}, {-10.0, 0.5}, {12000.0, 0.5}, {100.0, 0.0}, {100.0, 200.0}};
  for (const auto& B : Bad) {
    CastParams P;
    P.MaxDepth = B.Depth;
    P.StepMetres = B.Step;
    EXPECT_THROW(CastProfile{P}, EArgumentException) << B.Depth << " " << B.Step;
  }
}
