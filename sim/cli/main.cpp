// fathomix-sim: a simulated instrument on a serial line, for running the
// logger without hardware.
//
// Usage:
//   fathomix-sim [options]
//
// Without --device it makes a new pseudo-terminal pair and prints the path of
// the side the logger opens (e.g. /dev/pts/7) as the first line on stdout.
// Then it plays the instrument until interrupted (Ctrl-C), printing every
// line it receives to stderr.
//
//   --device PATH        play on an existing device instead of a new pty
//   --kind KIND          quorndeck (profiling instrument, default), qyr
//                        (modular system with QYR pressure sensors) or atmos
//                        (modular system with the atmospheric sensor)
//   --mode MODE          rs232 (default) or rs485
//   --address N          RS485 address; for a modular system the unit number
//                        of its (first) module (default 2)
//   --units N,N,...      modular system: unit numbers of all its modules
//   --interval MS        sampling interval in milliseconds (default 1000)
//   --rate HZ            sampling rate instead of --interval
//   --depth M            depth of the generated cast (default 100)
//   --step M             depth change per sample (default 0.5)
//   --seed N             noise seed of the generated values (default 1)
//   --script FILE        stream the lines of FILE (in turn, again and again)
//                        instead of generated values
//   --command-mode       start interrupted instead of streaming
//   --fault F            silent, error or garbage: misbehave on every command
//   --fault-command C    only on commands starting with C (e.g. "#010")
//   --late MS            answer MS milliseconds late
//   --drop-every N       drop every N-th byte sent
//   --quiet              do not print the lines received
//
// Example: a profiling instrument casting to 200 m at 4 samples a second,
// and the logger with its COM1 on the printed device:
//   build/sim/fathomix-sim --depth 200 --rate 4          (prints /dev/pts/7)
//   FATHOMIX_COM1=/dev/pts/7 ./scripts/run.sh
// A QYR sensor at address 05 on an RS485 bus, left interrupted:
//   build/sim/fathomix-sim --kind qyr --mode rs485 --address 5 --command-mode
#include "sim/CastProfile.h"
#include "sim/InstrumentSimulator.h"

#include "rtl/Exceptions.h"

#include <QString>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>

namespace {

void Usage()
{
  std::cerr << "usage: fathomix-sim [--device PATH] [--kind quorndeck|qyr|atmos] [--mode rs232|rs485]\n"
               "                    [--address N] [--units N,N,...] [--interval MS | --rate HZ]\n"
               "                    [--depth M] [--step M] [--seed N] [--script FILE] [--command-mode]\n"
               "                    [--fault silent|error|garbage] [--fault-command C] [--late MS]\n"
               "                    [--drop-every N] [--quiet]\n";
}

// Shows control characters of a received line readably.
std::string Printable(const AnsiString& L)
{
  std::string S;
  for (char C : L) {
    if (static_cast<unsigned char>(C) >= 32 && C != 127) {
      S += C;
    } else {
      char Hex[8];
      std::snprintf(Hex, sizeof Hex, "<%02X>", static_cast<unsigned char>(C));
      S += Hex;
    }
  }
  return S;
}

bool ToInt(const QString& S, int Lo, int Hi, int& V)
{
  bool Ok = false;
  V = S.toInt(&Ok);
  return Ok && V >= Lo && V <= Hi;
}

bool ToDouble(const QString& S, double Lo, double Hi, double& V)
{
  bool Ok = false;
  V = S.toDouble(&Ok);
  return Ok && V >= Lo && V <= Hi;
}

} // namespace

int main(int argc, char** argv)
{
  static const QStringList Flags = {"--command-mode", "--quiet"};
  static const QStringList Valued = {"--device",   "--kind",  "--mode",  "--address",       "--units",
                                     "--interval", "--rate",  "--depth", "--step",          "--seed",
                                     "--script",   "--fault", "--late",  "--fault-command", "--drop-every"};
  std::map<QString, QString> Opt;
  for (int I = 1; I < argc; ++I) {
    const QString A = QString::fromLocal8Bit(argv[I]);
    if (A == "--help" || A == "-h") {
      Usage();
      return 0;
    }
    if (Flags.contains(A)) {
      Opt[A] = "1";
    } else if (Valued.contains(A) && I + 1 < argc) {
      Opt[A] = QString::fromLocal8Bit(argv[++I]);
    } else {
      std::cerr << "fathomix-sim: bad argument " << argv[I] << "\n";
      Usage();
      return 2;
    }
  }
  auto Bad = [](const char* What) {
    std::cerr << "fathomix-sim: bad value of " << What << "\n";
    return 2;
  };

  sim::InstrumentKind Kind = sim::InstrumentKind::Quorndeck;
  if (Opt.count("--kind")) {
    const QString K = Opt["--kind"].toLower();
    if (K == "qyr")
      Kind = sim::InstrumentKind::Qyr;
    else if (K == "atmos" || K == "atmospheric")
      Kind = sim::InstrumentKind::Atmospheric;
    else if (K != "quorndeck")
      return Bad("--kind");
  }

  sim::CastParams Cast;
  int Address = 2, IntervalMs = 1000, Late = 0, DropEvery = 0, Seed = 1;
  double Rate = 0;
  if (Opt.count("--address") && !ToInt(Opt["--address"], 0, 99, Address))
    return Bad("--address");
  if (Opt.count("--interval") && !ToInt(Opt["--interval"], 1, 3600000, IntervalMs))
    return Bad("--interval");
  if (Opt.count("--rate")) {
    if (!ToDouble(Opt["--rate"], 0.001, 1000, Rate))
      return Bad("--rate");
    IntervalMs = std::max(1, int(1000.0 / Rate + 0.5));
  }
  if (Opt.count("--depth") && !ToDouble(Opt["--depth"], 0.1, 11000, Cast.MaxDepth))
    return Bad("--depth");
  if (Opt.count("--step") && !ToDouble(Opt["--step"], 0.001, Cast.MaxDepth, Cast.StepMetres))
    return Bad("--step");
  if (Opt.count("--seed") && !ToInt(Opt["--seed"], 0, 0x7FFFFFFF, Seed))
    return Bad("--seed");
  Cast.Seed = uint32_t(Seed);
  if (Opt.count("--late") && !ToInt(Opt["--late"], 0, 600000, Late))
    return Bad("--late");
  if (Opt.count("--drop-every") && !ToInt(Opt["--drop-every"], 0, 1000000, DropEvery))
    return Bad("--drop-every");
  std::vector<int> Units;
  if (Opt.count("--units")) {
    for (const QString& U : Opt["--units"].split(',')) {
      int V;
      if (!ToInt(U, 2, 98, V))
        return Bad("--units");
      Units.push_back(V);
    }
  }
  sim::ReplyFault Fault = sim::ReplyFault::None;
  if (Opt.count("--fault")) {
    const QString F = Opt["--fault"].toLower();
    if (F == "silent")
      Fault = sim::ReplyFault::Silent;
    else if (F == "error")
      Fault = sim::ReplyFault::Error;
    else if (F == "garbage")
      Fault = sim::ReplyFault::Garbage;
    else
      return Bad("--fault");
  }
  sim::LineMode Mode = sim::LineMode::RS232;
  if (Opt.count("--mode")) {
    const QString M = Opt["--mode"].toLower();
    if (M == "rs485")
      Mode = sim::LineMode::RS485;
    else if (M != "rs232")
      return Bad("--mode");
  }

  // Ctrl-C and kill are taken synchronously below, not by a handler.
  sigset_t Stop;
  sigemptyset(&Stop);
  sigaddset(&Stop, SIGINT);
  sigaddset(&Stop, SIGTERM);
  sigaddset(&Stop, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &Stop, nullptr);

  try {
    std::unique_ptr<sim::InstrumentSimulator> Sim =
        Opt.count("--device") ? std::make_unique<sim::InstrumentSimulator>(Kind, Opt["--device"].toStdString())
                              : std::make_unique<sim::InstrumentSimulator>(Kind);
    Sim->SetMode(Mode);
    if (Units.empty())
      Sim->SetAddress(Address);
    else
      Sim->SetUnits(Units);
    Sim->SetIntervalMs(IntervalMs);
    Sim->SetProfile(Cast);
    if (Opt.count("--script") && !Sim->LoadScript(Opt["--script"])) {
      std::cerr << "fathomix-sim: cannot read a script from " << Opt["--script"].toStdString() << "\n";
      return 1;
    }
    Sim->SetRunning(!Opt.count("--command-mode"));
    Sim->SetReplyFault(Fault, Opt.count("--fault-command") ? Opt["--fault-command"].toLatin1() : AnsiString());
    Sim->SetReplyDelayMs(Late);
    Sim->SetDropEvery(DropEvery);
    if (!Opt.count("--quiet"))
      Sim->OnCommandLine = [](const AnsiString& L) { std::cerr << "<< " << Printable(L) << std::endl; };

    std::cout << Sim->SlavePath() << std::endl;
    Sim->Start();
    int Sig = 0;
    sigwait(&Stop, &Sig);
    Sim->Stop();
  } catch (const Exception& E) {
    std::cerr << "fathomix-sim: " << E.what() << "\n";
    return 1;
  }
  return 0;
}
