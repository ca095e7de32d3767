// The road of one profiling-instrument sample with one display window of
// each of six kinds open in the real main window (time-series graph, depth
// profile, position graph, latest values, time scroll, depth scroll), every
// item shown (20 sensor slots fitted, so 20 items), Maximum View Points
// 1440, each window 1280 x 1024 and painted after every sample (rendered
// offscreen, so that windows lying under others are painted too).
//
// Reported, per sample, on the main thread:
//   - the processor time of the road with the six windows (decode,
//     calculations, history, depth tables, every window's DataUpdate) and
//     of the six paints, median and 99th percentile, against the same road
//     through the same main window before any display window was opened
//     (the reference of this run);
//   - the resident memory as the samples go by (it must stay flat once the
//     lines and tables are full);
//   - the depth scroll window's rewrite and paint against the same texts
//     written into a QStandardItemModel that a QTableView of the same size
//     shows (the goal: at most a third of it).
//
// Run by hand:
//   build/bench/display_road_bench [samples [timed]]   defaults 100000, 1000
// The first 1500 samples fill the history, the lines and the tables; the
// next `timed` ones are timed with every window painted; the rest run the
// road with a paint of every window at each hundredth sample.
#include "app/core/CoreData.h"
#include "app/core/SampleRoad.h"
#include "app/program/MainForm.h"
#include "app/windows/DisplayWindow.h"
#include "app/windows/MDIDepthScroll.h"
#include "bench/DepthTableReference.h"
#include "bench/RoadBenchSupport.h"
#include "bench/SerialBenchSupport.h"
#include "chart/core/ChartCoreInit.h"
#include "grid/core/ZurEvoderOzod.h"
#include "platform/ActnList.h"
#include "platform/FontFamilies.h"
#include "platform/PtyPair.h"
#include "platform/QtConvert.h"
#include "rtl/Numbers.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

constexpr int W = 1280, H = 1024;
constexpr long FillSamples = 1500;
const char* const Masks[] = {"0.000", "0.00", "##0.000", "0.0", "0.0000"};

QByteArray Settings()
{
  QByteArray S = "[Quorndeck]\r\nMaximum View Points=1440\r\n";
  for (int N = 0; N < SlotCount; ++N)
    S += "[Serial " + QByteArray::number(N) + "]\r\nFitted=1\r\nPort=1\r\nBaud=9600\r\nPacket=1\r\nLabel=Item " +
         QByteArray::number(N + 1) + "\r\nUnits=" + (N % 3 == 0 ? "m" : "u") + "\r\nOutput Format=" + Masks[N % 5] +
         "\r\n";
  return S;
}

// Processor time of the calling thread, ms.
double ThreadMs()
{
  timespec T{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
  return static_cast<double>(T.tv_sec) * 1e3 + static_cast<double>(T.tv_nsec) / 1e6;
}

void Paint(const std::vector<TDisplayWindow*>& Windows, QImage& Into)
{
  for (TDisplayWindow* Window : Windows) {
    QPainter P(&Into);
    Window->Handle()->render(&P);
  }
}

struct TCost {
  std::vector<double> Cpu;
  std::vector<double> Wall;
};

void Report(const char* What, const TCost& C)
{
  std::printf("  %-44s cpu median %7.3f ms, p99 %7.3f ms; wall median %7.3f ms\n", What, Percentile(C.Cpu, 0.5),
              Percentile(C.Cpu, 0.99), Percentile(C.Wall, 0.5));
}

} // namespace

int main(int argc, char** argv)
{
  const long Samples = argc > 1 ? std::max(FillSamples + 10, std::atol(argv[1])) : 100000;
  const long Timed = argc > 2 ? std::max(10L, std::atol(argv[2])) : 1000;
  UseOffscreenWithoutDisplay();
  QApplication App(argc, argv);
  InstallFontFamilies();
  InitializeChartCore();
  std::unique_ptr<TQuietProgram> Program = StartQuietProgram(Settings());
  if (!Program)
    return 1;
  TMainForm* Form = Program->Form.get();
  TCoreData& Core = Form->Core();
  if (Core.SensorCount != SlotCount || Core.Maximum_View_Points != 1440) {
    std::fprintf(stderr, "%d sensors, %d view points\n", Core.SensorCount, Core.Maximum_View_Points);
    return 1;
  }
  const std::vector<AnsiString> Lines = CastStrings();
  long Next = 0;
  const auto Road = [&] { SioDataPacket1StringPacket(Core, Lines[static_cast<size_t>(Next++) % Lines.size()]); };
  const auto Time = [](TCost& Into, const std::function<void()>& F) {
    const double C0 = ThreadMs();
    Into.Wall.push_back(Ms(F));
    Into.Cpu.push_back(ThreadMs() - C0);
  };
  std::printf("resident at start: %ld KiB\n", ResidentKiB());

  // ---- The reference: the same road, no display window open.
  for (int I = 0; I < 50; ++I)
    Road();
  TCost Bare;
  for (long I = 0; I < Timed; ++I)
    Time(Bare, Road);

  // ---- Six windows, every item.
  const TMdiChildKind Kinds[] = {TMdiChildKind::Graph,    TMdiChildKind::BathyGraph, TMdiChildKind::PositionGraph,
                                 TMdiChildKind::LastData, TMdiChildKind::Scroll,     TMdiChildKind::DepthScroll};
  std::vector<TDisplayWindow*> Windows;
  for (const TMdiChildKind Kind : Kinds) {
    Form->DisplayTypeClick(Kind);
    auto* Window = dynamic_cast<TDisplayWindow*>(Form->MDIChildren(0));
    if (!Window) {
      std::fprintf(stderr, "a window did not open\n");
      return 1;
    }
    Window->SetBounds(0, 0, W, H);
    if (Window->Choice() == TItemChoice::Many)
      for (int N = 1; N <= SlotCount; ++N)
        Window->Action(N)->Execute();
    Windows.push_back(Window);
  }
  QImage Canvas(W, H, QImage::Format_ARGB32_Premultiplied);
  for (long I = 0; I < FillSamples; ++I) {
    Road();
    if (I % 100 == 0)
      Paint(Windows, Canvas);
  }
  std::printf("after %ld samples (history, lines and tables full): resident %ld KiB\n", Next, ResidentKiB());

  TCost Road6, Paint6, Total;
  for (long I = 0; I < Timed; ++I) {
    const double C0 = ThreadMs();
    Time(Road6, Road);
    Time(Paint6, [&] { Paint(Windows, Canvas); });
    Total.Cpu.push_back(ThreadMs() - C0);
    Total.Wall.push_back(Road6.Wall.back() + Paint6.Wall.back());
  }
  std::printf("per sample, %d items, %d view points, six windows of %d x %d (%ld samples timed)\n", SlotCount,
              Core.Maximum_View_Points, W, H, Timed);
  Report("road, no display window (reference)", Bare);
  Report("road with the six windows' DataUpdate", Road6);
  Report("paint of the six windows", Paint6);
  Report("road and paint (goal: median 6, p99 20)", Total);
  std::printf("  ratio road and paint / reference road (cpu medians): %.1f\n",
              Percentile(Total.Cpu, 0.5) / Percentile(Bare.Cpu, 0.5));
  std::printf("  8 samples a second cost %.1f %% of a core\n", Percentile(Total.Cpu, 0.5) * 8 / 10);

  // ---- On to the full count, memory read as it goes.
  const long Lap = std::max(1L, (Samples - Next) / 10);
  long Mark = Next + Lap;
  while (Next < Samples) {
    Road();
    if (Next % 100 == 0)
      Paint(Windows, Canvas);
    if (Next >= Mark || Next == Samples) {
      std::printf("  %8ld samples: resident %ld KiB\n", Next, ResidentKiB());
      std::fflush(stdout);
      Mark += Lap;
    }
  }

  // ---- The depth scroll window against a model and view of the same texts.
  auto* Depth = dynamic_cast<TMDIDepthScroll*>(Windows.back());
  const int Cols = Depth->ZurEvoderOzod1->ColCount();
  TModelView Model = MakeModelView(Cols, ToQFont(*Depth->ZurEvoderOzod1->Font()), W, H);
  QImage ViewCanvas(W, H, QImage::Format_ARGB32_Premultiplied);
  std::vector<double> WindowTimes, ModelTimes;
  for (int I = 0; I < 40; ++I) {
    // What a sample does to the tables: one bin of every slot changes.
    const int Bin = 1 + (I * 37) % 3000;
    for (int S = 0; S < SlotCount; ++S)
      Core.DepthTables.SetValue(S, Bin, Core.DepthTables.Value(S, Bin) + 0.125);
    WindowTimes.push_back(Ms([&] {
      Depth->DataUpdate();
      QPainter P(&Canvas);
      Depth->Handle()->render(&P);
    }));
    ModelTimes.push_back(Ms([&] {
      WriteDepthTexts(Core, Cols, [&](int Row, int Col, const String& Text) {
        Model.Model->setData(Model.Model->index(Row - 1, Col), Text, Qt::DisplayRole);
      });
      QPainter P(&ViewCanvas);
      Model.View->render(&P);
    }));
  }
  const double Wm = Median(WindowTimes), Mm = Median(ModelTimes);
  std::printf("depth scroll window, %d bins x %d columns = %d cells, rewrite and paint (median of 40)\n",
              TDepthBins::BinCount, Cols, TDepthBins::BinCount * Cols);
  std::printf("  window %8.2f ms, QStandardItemModel + QTableView %8.2f ms, ratio %.3f (at most 0.33 asked)\n", Wm, Mm,
              Wm / Mm);
  Model = {};
  Program.reset();
  FinalizeChartCore();
  return 0;
}
