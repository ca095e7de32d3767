// The road of one profiling-instrument sample without ports: data string
// decoded, atmospheric correction, value table, calculations, history (1440
// points), depth tables and the telegrams of four outputs, every sensor slot
// fitted. Prints samples per second and the resident memory as the samples
// go by (it must stay flat) and what the clock reads cost.
//
//   sample_road_bench [samples]      default 1000000
#include "app/core/CoreData.h"
#include "app/core/SampleRoad.h"
#include "bench/RoadBenchSupport.h"
#include "rtl/DateTime.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
  const long Samples = argc > 1 ? std::atol(argv[1]) : 1000000;

  TCoreData Core;
  Array2D Slots = Core.SerialArray;
  for (int32_t N = 0; N < SlotCount; ++N) {
    Slots[static_cast<size_t>(N)][SerialFitted] = QStringLiteral("1");
    Slots[static_cast<size_t>(N)][SerialLabel] = QStringLiteral("Item %1").arg(N);
    Slots[static_cast<size_t>(N)][SerialUnits] = QStringLiteral("u");
  }
  Slots[0][SerialAtmos] = QStringLiteral("1");
  Core.Maximum_View_Points = 1440;
  Core.RebuildFromSlots(Slots);
  Core.Reset_Data_Flag = 0;
  // The modular instruments' latest readings, as their own handlers leave them.
  const int32_t Modular[] = {Core.AP1Index, Core.QYR1Index, Core.QYR2Index, Core.QYR3Index, Core.QYR4Index};
  const char* ModularValues[] = {"10.130", "150.000", "250.000", "350.000", "450.000"};
  for (int I = 0; I < 5; ++I)
    Core.DataArray[static_cast<size_t>(Modular[I])] = QString::fromLatin1(ModularValues[I]);

  Core.Output_1_Fitted = Core.Output_2_Fitted = Core.Output_3_Fitted = Core.Output_4_Fitted = 1;
  Core.Output_1_Format = QStringLiteral("SEAKING LONG");
  Core.Output_2_Format = QStringLiteral("GREVON PROC (PREFIX)");
  Core.Output_3_Format = QStringLiteral("UK90 STD");
  Core.Output_4_Format = QStringLiteral("TARNWICK");

  long long TelegramBytes = 0;
  Core.Hooks.OutputBufferFree = [](int32_t) { return 4096; };
  Core.Hooks.OutputPutString = [&](int32_t, const AnsiString& T) { TelegramBytes += T.size(); };

  const std::vector<AnsiString> Lines = CastStrings();
  std::printf("samples %ld, history %d points, %zu distinct strings, 4 outputs\n", Samples, Core.Maximum_View_Points,
              Lines.size());
  std::printf("resident at start: %ld KiB\n", ResidentKiB());

  using Clock = std::chrono::steady_clock;
  const auto Start = Clock::now();
  auto LapStart = Start;
  const long Lap = Samples >= 10 ? Samples / 10 : 1;
  for (long I = 0; I < Samples; ++I) {
    SioDataPacket1StringPacket(Core, Lines[static_cast<size_t>(I) % Lines.size()]);
    if ((I + 1) % Lap == 0) {
      const auto Now = Clock::now();
      const double Secs = std::chrono::duration<double>(Now - LapStart).count();
      std::printf("  %8ld samples: %9.0f samples/s, resident %ld KiB\n", I + 1, Lap / Secs, ResidentKiB());
      LapStart = Now;
    }
  }
  const double Secs = std::chrono::duration<double>(Clock::now() - Start).count();

  std::printf("total: %.3f s, %.0f samples/s, %.2f us/sample\n", Secs, Samples / Secs, Secs * 1e6 / Samples);
  std::printf("telegram bytes %lld, rejected strings %lld, history index %d\n", TelegramBytes,
              static_cast<long long>(Core.RejectedDataStrings), Core.History.Time_Array_Index());
  // The road reads the clock five times per sample (the string's stamps, the
  // calculations' stamps, three telegrams with a time field); show what
  // that costs on this machine.
  const int Reads = 100000;
  double Sink = 0;
  const auto ClockStart = Clock::now();
  for (int I = 0; I < Reads; ++I)
    Sink += Now();
  const double ClockUs = std::chrono::duration<double>(Clock::now() - ClockStart).count() * 1e6 / Reads;
  std::printf("clock: %.2f us per Now(), %.2f us of each sample%s\n", ClockUs, 5 * ClockUs,
              Sink > 0 ? "" : " (no clock)");
  std::printf("last depth %s, last status: %s\n", qPrintable(Core.Value(Core.BathyDepthIndex)),
              qPrintable(Core.PortData1));
  return Core.RejectedDataStrings == 0 ? 0 : 1;
}
