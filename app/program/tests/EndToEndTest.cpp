// The road of one sample through the real program: the simulated profiling
// instrument streams a cast on one pseudo-terminal (the program's COM1), the
// program runs headless with its own settings file and sends a telegram per
// sample on a second pseudo-terminal (its COM2, output 1), and the telegrams
// are checked against depth and sound speed worked out here, from the
// published formulas, out of the values the instrument streamed.
#include "MainFormFixture.h"

#include "sim/CastProfile.h"
#include "sim/InstrumentSimulator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// ---- Reference formulas (UNESCO technical papers in marine science 44) ----
// Written out here rather than taken from the program, so that a fault in
// the program's own formulas cannot hide behind itself. Temperatures are on
// the 1968 scale; pressures in decibars or bars as named.

double NormalGravity(double LatitudeDeg)
{
  const double X = std::sin(LatitudeDeg * M_PI / 180.0);
  const double X2 = X * X;
  return 9.780318 * (1.0 + (5.2788e-3 + 2.36e-5 * X2) * X2);
}

double UnescoDepth(double Dbar, double LatitudeDeg)
{
  const double P = Dbar;
  return (((-1.82e-15 * P + 2.279e-10) * P - 2.2512e-5) * P + 9.72659) * P /
         (NormalGravity(LatitudeDeg) + 1.092e-6 * P);
}

// EOS-80, kg/m3.
double Eos80Density(double S, double T, double Bar)
{
  const double Sr = std::sqrt(std::max(S, 0.0));
  const double RhoW =
      999.842594 + T * (6.793952e-2 + T * (-9.095290e-3 + T * (1.001685e-4 + T * (-1.120083e-6 + T * 6.536332e-9))));
  const double Rho0 = RhoW + S * (0.824493 + T * (-4.0899e-3 + T * (7.6438e-5 + T * (-8.2467e-7 + T * 5.3875e-9)))) +
                      S * Sr * (-5.72466e-3 + T * (1.0227e-4 - T * 1.6546e-6)) + 4.8314e-4 * S * S;
  const double Kw = 19652.21 + T * (148.4206 + T * (-2.327105 + T * (1.360477e-2 - T * 5.155288e-5)));
  const double K0 = Kw + S * (54.6746 + T * (-0.603459 + T * (1.09987e-2 - T * 6.1670e-5))) +
                    S * Sr * (7.944e-2 + T * (1.6483e-2 - T * 5.3009e-4));
  const double Aw = 3.239908 + T * (1.43713e-3 + T * (1.16092e-4 - T * 5.77905e-7));
  const double A = Aw + S * (2.2838e-3 + T * (-1.0981e-5 - T * 1.6078e-6)) + 1.91075e-4 * S * Sr;
  const double Bw = 8.50935e-5 + T * (-6.12293e-6 + T * 5.2787e-8);
  const double B = Bw + S * (-9.9348e-7 + T * (2.0816e-8 + T * 9.1697e-10));
  const double K = K0 + Bar * (A + B * Bar);
  return Rho0 / (1.0 - Bar / K);
}

// Chen and Millero (1977), m/s.
double ChenMilleroSoundSpeed(double S, double T, double Bar)
{
  const double P = Bar;
  const double Sr = std::sqrt(std::max(S, 0.0));
  const double C3 = (-2.3643e-12 * T + 3.8504e-10) * T - 9.7729e-9;
  const double C2 = (((1.0405e-12 * T - 2.5335e-10) * T + 2.5974e-8) * T - 1.7107e-6) * T + 3.1260e-5;
  const double C1 = (((-6.1185e-10 * T + 1.3621e-7) * T - 8.1788e-6) * T + 6.8982e-4) * T + 0.153563;
  const double C0 = ((((3.1464e-9 * T - 1.47800e-6) * T + 3.3420e-4) * T - 5.80852e-2) * T + 5.03711) * T + 1402.388;
  const double C = ((C3 * P + C2) * P + C1) * P + C0;
  const double A3 = (-3.389e-13 * T + 6.649e-12) * T + 1.100e-10;
  const double A2 = ((7.988e-12 * T - 1.6002e-10) * T + 9.1041e-9) * T - 3.9064e-7;
  const double A1 = (((-2.0122e-10 * T + 1.0507e-8) * T - 6.4885e-8) * T - 1.2580e-5) * T + 9.4742e-5;
  const double A0 = (((-3.21e-8 * T + 2.006e-6) * T + 7.164e-5) * T - 1.262e-2) * T + 1.389;
  const double A = ((A3 * P + A2) * P + A1) * P + A0;
  const double B = -1.922e-2 - 4.42e-5 * T + (7.3637e-5 + 1.7945e-7 * T) * P;
  const double D = 1.727e-3 - 7.9836e-6 * P;
  return C + (A + B * Sr + D * S) * S;
}

// The instruments report on the 1990 scale; the formulas above want 1968.
double T68(double T90) { return 1.00024 * T90; }

// ---- What the instrument streamed -------------------------------------------

struct TStreamed {
  QByteArray SoundVelocity, Pressure, Temperature, Conductivity; // as sent
  double P = 0, T = 0, C = 0;
  double Salinity = 0;
  double Anomaly = 0; // specific volume anomaly, m3/kg
};

TStreamed Streamed(const sim::CastProfile& Cast, int64_t Index)
{
  const QList<QByteArray> F = sim::CastProfile::DataString(Cast.Sample(Index)).split('\t');
  TStreamed S;
  S.SoundVelocity = F.value(0);
  S.Pressure = F.value(2);
  S.Temperature = F.value(4);
  S.Conductivity = F.value(8);
  S.P = S.Pressure.toDouble();
  S.T = S.Temperature.toDouble();
  S.C = S.Conductivity.toDouble();
  S.Salinity = sim::SalinityFromConductivity(S.C, S.T, S.P);
  S.Anomaly = 1.0 / Eos80Density(S.Salinity, T68(S.T), S.P / 10.0) - 1.0 / Eos80Density(35.0, 0.0, S.P / 10.0);
  return S;
}

// The geopotential anomaly (J/kg) of the water column above each pressure
// of the first descent: the specific volume anomaly integrated over pressure
// (1 dbar = 1e4 Pa) from the surface down. The program keeps the anomaly of
// the first descent through each layer, so the ascent and later casts read
// the same column.
class TDescent {
public:
  explicit TDescent(const sim::CastProfile& Cast)
  {
    double Sum = 0;
    for (int64_t K = 0; K <= Cast.SamplesPerCast() / 2; ++K) {
      const TStreamed S = Streamed(Cast, K);
      if (!FP.empty())
        Sum += (S.P - FP.back()) * (S.Anomaly + FDelta.back()) / 2.0 * 1e4;
      FP.push_back(S.P);
      FDelta.push_back(S.Anomaly);
      FSum.push_back(Sum);
    }
  }

  double GeopotentialAnomaly(double P) const
  {
    size_t I = 1;
    while (I + 1 < FP.size() && FP[I] < P)
      ++I;
    const double Delta = FDelta[I - 1] + (FDelta[I] - FDelta[I - 1]) * (P - FP[I - 1]) / (FP[I] - FP[I - 1]);
    return FSum[I - 1] + (P - FP[I - 1]) * (FDelta[I - 1] + Delta) / 2.0 * 1e4;
  }

private:
  std::vector<double> FP, FDelta, FSum;
};

// ---- The program as a process ------------------------------------------------

// Whether process Pid holds every one of Paths open.
bool HoldsOpen(qint64 Pid, const QStringList& Paths)
{
  const QDir Fds(QStringLiteral("/proc/%1/fd").arg(Pid));
  QStringList Open;
  for (const QString& Fd : Fds.entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System))
    Open.append(QFile::symLinkTarget(Fds.filePath(Fd)));
  for (const QString& P : Paths)
    if (!Open.contains(P))
      return false;
  return true;
}

QByteArray Section(const char* Name, const QByteArray& Keys) { return "[" + QByteArray(Name) + "]\r\n" + Keys; }

} // namespace

TEST(EndToEnd, TheReferenceFormulasGiveThePublishedCheckValues)
{
  struct TCase {
    const char* What;
    double Got, Want, Tolerance;
  };
  // The published densities were worked in single precision; they hold to
  // about 1e-5 kg/m3.
  const TCase Cases[] = {
      {"depth, 10000 dbar at 30 degrees", UnescoDepth(10000, 30), 9712.653, 0.0005},
      {"density, S 35, 5 C, surface", Eos80Density(35, 5, 0), 1027.67547, 0.00001},
      {"density, S 40, 40 C, 1000 bar", Eos80Density(40, 40, 1000), 1059.82037, 0.00001},
      {"sound speed, S 40, 40 C, 1000 bar", ChenMilleroSoundSpeed(40, 40, 1000), 1731.995, 0.0005},
  };
  for (const TCase& C : Cases)
    EXPECT_NEAR(C.Got, C.Want, C.Tolerance) << C.What;
}

TEST(EndToEnd, ACastStreamedToTheProgramComesOutAsTelegramsWithItsDepthAndSoundSpeed)
{
  EnsureApplication();
  constexpr double Latitude = 10.0; // far from the settings default, so a lost setting shows
  sim::CastParams Params;
  Params.MaxDepth = 60.0; // through the thermocline at 30 m and back
  Params.StepMetres = 0.5;
  Params.Latitude = Latitude;
  Params.Seed = 7;
  const sim::CastProfile Cast(Params);
  const TDescent Column(Cast);

  sim::InstrumentSimulator Instrument(sim::InstrumentKind::Quorndeck);
  Instrument.SetIntervalMs(10);
  Instrument.SetRunning(false); // not before the program listens: it sees the cast from the surface
  Instrument.Start();
  PtyPair Survey;
  ASSERT_TRUE(Survey.IsOpen());

  QTemporaryDir Home;
  ASSERT_TRUE(Home.isValid());
  const QString Folder = Home.path() + QStringLiteral("/fathomix");
  ASSERT_TRUE(QDir().mkpath(Folder));
  {
    // Slot 0 is the instrument on COM1; slots 1 to 10 are its measured and
    // derived values, all on the instrument's port. TARNWICK sends every
    // fitted value in slot order.
    QByteArray Ini = Section("Output 1", "Fitted=1\r\nPort=2\r\nBaud=19200\r\n") +
                     Section("Quorndeck", "Local Latitude=10\r\nOutput 1 Format=TARNWICK\r\n");
    for (int N = 0; N <= 10; ++N)
      Ini += "[Serial " + QByteArray::number(N) + "]\r\nFitted=1\r\nPort=1\r\nBaud=19200\r\nPacket=1\r\n";
    QFile F(Folder + QStringLiteral("/FATHOMIX.INI"));
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Ini);
  }
  QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
  Env.insert(QStringLiteral("XDG_CONFIG_HOME"), Home.path());
  Env.insert(QStringLiteral("XDG_DATA_HOME"), Home.path());
  Env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  // The start-up probe opens every COM port; none may reach a real device.
  for (int N = 1; N <= 20; ++N)
    Env.insert(QStringLiteral("FATHOMIX_COM%1").arg(N), QStringLiteral("/nonexistent/fathomix-test-port"));
  const QString InstrumentPath = QString::fromStdString(Instrument.SlavePath());
  Env.insert(QStringLiteral("FATHOMIX_COM1"), InstrumentPath);
  Env.insert(QStringLiteral("FATHOMIX_COM2"), Survey.SlavePath());

  QProcess Program;
  Program.setProcessEnvironment(Env);
  Program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  Program.start(QStringLiteral(FATHOMIX_BINARY), {});
  ASSERT_TRUE(Program.waitForStarted(10000));
  const qint64 Pid = Program.processId();
  QElapsedTimer Clock;
  Clock.start();
  while (!HoldsOpen(Pid, {InstrumentPath, Survey.SlavePath()})) {
    ASSERT_EQ(Program.state(), QProcess::Running) << "the program ended during start-up";
    ASSERT_LT(Clock.elapsed(), 20000) << "the program did not open its instrument and output ports";
    Program.waitForFinished(20);
  }

  Instrument.SetProfile(Params); // from sample 0
  Instrument.SetRunning(true);

  // A full descent and most of the ascent.
  const int Wanted = int(Cast.SamplesPerCast()) - 20;
  QList<QByteArray> Telegrams;
  AnsiString Pending;
  Clock.restart();
  while (Telegrams.size() < Wanted && Clock.elapsed() < 30000) {
    Pending += Survey.ReadMaster(4096, 100);
    qsizetype End;
    while ((End = Pending.indexOf("\r\n")) >= 0) {
      Telegrams.append(Pending.left(End));
      Pending.remove(0, End + 2);
    }
  }
  ASSERT_GE(Telegrams.size(), Wanted) << "telegrams received: " << Telegrams.size();

  // Each telegram is matched to the streamed sample it carries; they follow
  // one another without a gap. The first string has no line feed in front
  // of it, so the packet takes the stream from the second.
  int64_t Sample = 1;
  for (qsizetype I = 0; I < Telegrams.size(); ++I, ++Sample) {
    const QByteArray& Line = Telegrams[I];
    const QList<QByteArray> F = Line.split('\t');
    // date, time, the eleven values, and the empty rest after the last TAB
    ASSERT_EQ(F.size(), 14) << Line.toStdString();
    const TStreamed S = Streamed(Cast, Sample);
    ASSERT_EQ(F[2], S.Conductivity) << "telegram " << I << ": " << Line.toStdString();
    ASSERT_EQ(F[3], S.Pressure) << "telegram " << I << ": " << Line.toStdString();
    ASSERT_EQ(F[4], S.Temperature) << "telegram " << I << ": " << Line.toStdString();
    ASSERT_EQ(F[6], S.SoundVelocity) << "telegram " << I << ": " << Line.toStdString();

    const double Speed = ChenMilleroSoundSpeed(S.Salinity, T68(S.T), S.P / 10.0);
    const double Depth = UnescoDepth(S.P, Latitude) + Column.GeopotentialAnomaly(S.P) / 9.8;
    // Three decimals on the wire.
    EXPECT_NEAR(F[7].toDouble(), Speed, 0.001) << "telegram " << I << ": " << Line.toStdString();
    // The program sums the column in whole layers of its depth bins (about
    // 1 dbar), down to the bottom of the sample's layer: up to one layer's
    // anomaly, about 2.5 mm here, beyond the integral to the sample itself.
    EXPECT_NEAR(F[8].toDouble(), Depth, 0.005) << "telegram " << I << ": " << Line.toStdString();
  }
  // The ascent passed the thermocline, where the dynamic part of the depth
  // is well above the tolerance.
  EXPECT_GT(Column.GeopotentialAnomaly(Streamed(Cast, Cast.SamplesPerCast() / 2).P) / 9.8, 0.04);

  ASSERT_EQ(::kill(static_cast<pid_t>(Pid), SIGTERM), 0);
  ASSERT_TRUE(Program.waitForFinished(20000));
  EXPECT_EQ(Program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(Program.exitCode(), 0);
}
