// The road of one profiling-instrument sample with one display window of
// each of six kinds open in the real main window (time-series graph, depth
// profile, position graph, latest values, time scroll, depth scroll), every
// item shown (20 sensor slots fitted, so 20 items), Maximum View Points
// 1440, each window 1280 x 1024, side by side in a main window large enough
// to show them all (offscreen).
//
// Reported, per sample, on the main thread:
//   - as the program runs: the road (decode, calculations, history, depth
//     tables, every window's DataUpdate) and the paints Qt then makes of
//     what the windows marked changed, median and 99th percentile of the
//     processor time, with each window's share of the paints; against the
//     same road through the same main window before any display window was
//     opened (the reference of this run);
//   - the worst case: every window painted in full after every sample (as
//     when all six are uncovered at once);
//   - the resident memory as the samples go by (it must stay flat once the
//     lines and tables are full);
//   - the depth scroll window's rewrite and paint against the same texts
//     written into a QStandardItemModel that a QTableView of the same size
//     shows (the goal: at most a third of it), both as Qt paints them and
//     painted in full.
//
// Run by hand:
//   build/bench/display_road_bench [samples [timed]]   defaults 100000, 1000
// The first 1500 samples fill the history, the lines and the tables; the
// next `timed` ones are timed, then as many again painted in full; the rest
// run the road with the events handled at each hundredth sample.
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
#include <QEventLoop>
#include <QTimer>
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

// Paint events timed by the display window they fall in.
class TTimedApplication : public QApplication {
public:
  using QApplication::QApplication;
  std::vector<QWidget*> Windows;
  std::vector<double> PaintMs;

  bool notify(QObject* Receiver, QEvent* Event) override
  {
    if (Event->type() != QEvent::Paint || !Receiver->isWidgetType())
      return QApplication::notify(Receiver, Event);
    const int K = WindowOf(static_cast<QWidget*>(Receiver));
    if (K < 0)
      return QApplication::notify(Receiver, Event);
    const double C0 = ThreadMs();
    const bool Done = QApplication::notify(Receiver, Event);
    PaintMs[static_cast<size_t>(K)] += ThreadMs() - C0;
    return Done;
  }

private:
  int WindowOf(const QWidget* W) const
  {
    for (; W; W = W->parentWidget())
      for (size_t K = 0; K < Windows.size(); ++K)
        if (Windows[K] == W)
          return static_cast<int>(K);
    return -1;
  }
};

double CpuMs(const std::function<void()>& F)
{
  const double C0 = ThreadMs();
  F();
  return ThreadMs() - C0;
}

// The event loop for a frame's time: Qt paints what was marked changed at
// its next frame, not at once.
void Settle()
{
  QEventLoop Loop;
  QTimer::singleShot(25, &Loop, &QEventLoop::quit);
  Loop.exec();
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
  TTimedApplication App(argc, argv);
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

  // ---- Six windows, every item, side by side.
  Form->SetBounds(0, 0, 3 * W + 64, 2 * H + 160);
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
    const int K = static_cast<int>(Windows.size());
    Window->SetBounds((K % 3) * W, (K / 3) * H, W, H);
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

  for (TDisplayWindow* Window : Windows)
    App.Windows.push_back(Window->Handle());
  App.PaintMs.assign(Windows.size(), 0);
  QApplication::processEvents();
  Settle();
  std::printf("per sample, %d items, %d view points, six windows of %d x %d (%ld samples timed)\n", SlotCount,
              Core.Maximum_View_Points, W, H, Timed);
  Report("road, no display window (reference)", Bare);

  // As the program runs: the road, then the paints of what changed.
  TCost Live;
  std::vector<TCost> LiveEach(Windows.size());
  for (long I = 0; I < Timed; ++I) {
    std::fill(App.PaintMs.begin(), App.PaintMs.end(), 0.0);
    Time(Live, [&] {
      Road();
      Settle();
    });
    for (size_t K = 0; K < Windows.size(); ++K)
      LiveEach[K].Cpu.push_back(App.PaintMs[K]);
  }
  std::printf("  %-52s cpu median %7.3f ms, p99 %7.3f ms\n", "road and the paints Qt makes (goal: median 6, p99 20)",
              Percentile(Live.Cpu, 0.5), Percentile(Live.Cpu, 0.99));
  for (size_t K = 0; K < Windows.size(); ++K) {
    const auto Painted = std::count_if(LiveEach[K].Cpu.begin(), LiveEach[K].Cpu.end(), [](double V) { return V > 0; });
    std::printf("    paints of %-22s cpu median %7.3f ms, p99 %7.3f ms (painted after %ld of %ld samples)\n",
                qPrintable(Windows[K]->ClassName()), Percentile(LiveEach[K].Cpu, 0.5),
                Percentile(LiveEach[K].Cpu, 0.99), static_cast<long>(Painted), Timed);
  }
  std::printf("  ratio to the reference road (cpu medians): %.1f; 8 samples a second cost %.1f %% of a core\n",
              Percentile(Live.Cpu, 0.5) / Percentile(Bare.Cpu, 0.5), Percentile(Live.Cpu, 0.5) * 8 / 10);

  // The worst case: every window painted in full after every sample.
  TCost Road6, Paint6, Total;
  std::vector<TCost> Each(Windows.size());
  for (long I = 0; I < Timed; ++I) {
    const double C0 = ThreadMs();
    Time(Road6, Road);
    Time(Paint6, [&] {
      for (size_t K = 0; K < Windows.size(); ++K)
        Time(Each[K], [&] { Paint({Windows[K]}, Canvas); });
    });
    Total.Cpu.push_back(ThreadMs() - C0);
    Total.Wall.push_back(Road6.Wall.back() + Paint6.Wall.back());
  }
  std::printf("every window painted in full after every sample:\n");
  Report("road with the six windows' DataUpdate", Road6);
  Report("paint of the six windows", Paint6);
  for (size_t K = 0; K < Windows.size(); ++K)
    Report(("  of which " + Windows[K]->ClassName().toStdString()).c_str(), Each[K]);
  Report("road and paint", Total);

  // ---- On to the full count, memory read as it goes.
  const long Lap = std::max(1L, (Samples - Next) / 10);
  long Mark = Next + Lap;
  while (Next < Samples) {
    Road();
    if (Next % 100 == 0)
      QApplication::processEvents();
    if (Next >= Mark || Next == Samples) {
      std::printf("  %8ld samples: resident %ld KiB, heap in use %ld KiB\n", Next, ResidentKiB(), HeapInUseKiB());
      std::fflush(stdout);
      Mark += Lap;
    }
  }

  // ---- The depth scroll window against a model and view of the same texts.
  auto* Depth = dynamic_cast<TMDIDepthScroll*>(Windows.back());
  const int Cols = Depth->ZurEvoderOzod1->ColCount();
  TModelView Model = MakeModelView(Cols, ToQFont(*Depth->ZurEvoderOzod1->Font()), W, H);
  QImage ViewCanvas(W, H, QImage::Format_ARGB32_Premultiplied);
  std::printf("depth scroll window, %d bins x %d columns = %d cells, rewrite and paint (cpu, median of 40)\n",
              TDepthBins::BinCount, Cols, TDepthBins::BinCount * Cols);
  for (const bool Full : {false, true}) {
    std::vector<double> WindowTimes, ModelTimes;
    for (int I = 0; I < 40; ++I) {
      // What a sample does to the tables: one bin of every slot changes,
      // every other time one in view.
      const int Bin = I % 2 == 0 ? 1 + I % 40 : 1 + (I * 37) % 3000;
      for (int S = 0; S < SlotCount; ++S)
        Core.DepthTables.SetValue(S, Bin, Core.DepthTables.Value(S, Bin) + 0.125);
      WindowTimes.push_back(CpuMs([&] {
        Depth->DataUpdate();
        if (Full) {
          QPainter P(&Canvas);
          Depth->Handle()->render(&P);
        } else {
          Settle();
        }
      }));
      ModelTimes.push_back(CpuMs([&] {
        WriteDepthTexts(Core, Cols, [&](int Row, int Col, const String& Text) {
          Model.Model->setData(Model.Model->index(Row - 1, Col), Text, Qt::DisplayRole);
        });
        if (Full) {
          QPainter P(&ViewCanvas);
          Model.View->render(&P);
        } else {
          Settle();
        }
      }));
    }
    const double Wm = Median(WindowTimes), Mm = Median(ModelTimes);
    std::printf("  %-22s window %8.2f ms, QStandardItemModel + QTableView %8.2f ms, ratio %.3f (at most 0.33 asked)\n",
                Full ? "painted in full:" : "as Qt paints them:", Wm, Mm, Wm / Mm);
  }
  Model = {};
  Program.reset();
  FinalizeChartCore();
  return 0;
}
