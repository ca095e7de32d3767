// Cost of the depth scroll window's rewrite at each sample against the same
// writes into a QStandardItemModel shown by a QTableView of the same size,
// in the same run.
//
// The window, in the real main window, shows every item the core can have
// (20 sensor slots: 6,000 bins x 21 columns, 126,000 cells); its DataUpdate formats each bin's
// depth and each item's depth-table value with the item's mask, writes the
// cells and paints (DataUpdate pumps messages, but Qt's events at most once a
// millisecond, so the paint is asked for explicitly). The reference formats the same texts
// the same way, writes them with setData and lets the view paint. Between
// two rounds one bin of every item changes, as a sample does.
//
// A second pair writes 31 columns (186,000 cells, the shape thirty items
// would give) into a bare string grid and into the model.
//
// The times are medians of the rounds, taken in alternation so that both
// see the same machine. Run by hand:
//   build/bench/table_window_bench [rounds]
#include "app/core/CoreData.h"
#include "app/program/MainForm.h"
#include "app/windows/MDIDepthScroll.h"
#include "app/windows/MDIScroll.h"
#include "bench/DepthTableReference.h"
#include "bench/RoadBenchSupport.h"
#include "grid/core/ZurEvoderOzod.h"
#include "platform/ActnList.h"
#include "platform/Forms.h"
#include "platform/FontFamilies.h"
#include "platform/Graphics.h"
#include "platform/PtyPair.h"
#include "platform/QtConvert.h"
#include "rtl/Numbers.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int W = 1280, H = 1000;
constexpr int Bins = TDepthBins::BinCount;
const char* const Masks[] = {"0.000", "0.00", "##0.000", "0.0", "0.0000"};

// The settings of the main window the window opens in: every slot fitted
// on COM1 (a pseudo-terminal nobody writes to), each with a mask of its own.
QByteArray Settings()
{
  QByteArray S;
  for (int N = 0; N < SlotCount; ++N)
    S += "[Serial " + QByteArray::number(N) + "]\r\nFitted=1\r\nPort=1\r\nBaud=9600\r\nPacket=1\r\nLabel=Item " +
         QByteArray::number(N + 1) + "\r\nUnits=u\r\nOutput Format=" + Masks[N % 5] + "\r\n";
  return S;
}

// The depth tables as a cast to 3,000 m leaves them.
void FillTables(TCoreData& C)
{
  for (int B = 1; B <= Bins; ++B) {
    C.Bins.SetTableDepthArray(B, B);
    if (B <= 3000)
      for (int S = 0; S < SlotCount; ++S)
        C.DepthTables.SetValue(S, B, 10.0 * S + std::sin(B * 0.01 + S) * 5.0);
  }
}

// What a sample does to the tables: one bin of every slot changes.
void Sample(TCoreData& C, int Round)
{
  const int B = 1 + (Round * 37) % 3000;
  for (int S = 0; S < SlotCount; ++S)
    C.DepthTables.SetValue(S, B, C.DepthTables.Value(S, B) + 0.001);
}

void Report(const char* What, int Rounds, const std::vector<double>& Grid, const std::vector<double>& Model,
            const char* Asked)
{
  const double G = Median(Grid), M = Median(Model);
  std::printf("%s (median of %d)\n", What, Rounds);
  std::printf("  string grid            %8.2f ms\n", G);
  std::printf("  QStandardItemModel     %8.2f ms\n", M);
  std::printf("  ratio grid / model: %.2f%s\n", G / M, Asked);
}

} // namespace

int main(int argc, char** argv)
{
  const int Rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 30;
  UseOffscreenWithoutDisplay();
  QApplication App(argc, argv);
  InstallFontFamilies();

  // ---- The depth scroll window with every item, in the real main window.
  const std::unique_ptr<TQuietProgram> Program = StartQuietProgram(Settings());
  if (!Program)
    return 1;
  TMainForm* Form = Program->Form.get();
  TCoreData& C = Form->Core();
  if (C.SensorCount != SlotCount) {
    std::fprintf(stderr, "%d sensors fitted instead of %d\n", C.SensorCount, SlotCount);
    return 1;
  }
  FillTables(C);
  Form->DisplayTypeClick(TMdiChildKind::DepthScroll);
  auto* Window = dynamic_cast<TMDIDepthScroll*>(Form->MDIChildren(0));
  if (!Window) {
    std::fprintf(stderr, "the depth scroll window did not open\n");
    return 1;
  }
  for (int N = 1; N <= SlotCount; ++N)
    Window->Action(N)->Execute();
  Window->SetBounds(0, 0, W, H);
  const int Cols = Window->ZurEvoderOzod1->ColCount();
  const QFont Font = ToQFont(*Window->ZurEvoderOzod1->Font());
  TModelView Model = MakeModelView(Cols, Font, W, H);

  const auto FormatOnly = [&](int K) {
    return Ms([&] {
      size_t Chars = 0;
      WriteDepthTexts(C, K, [&](int, int, const String& Text) { Chars += static_cast<size_t>(Text.size()); });
      if (Chars == 0)
        std::printf("no text\n");
    });
  };
  for (int I = 0; I < 3; ++I) {
    Window->DataUpdate();
    ModelRound(Model, C, Cols);
  }
  std::vector<double> GridTimes, ModelTimes, FormatTimes;
  for (int I = 0; I < Rounds; ++I) {
    Sample(C, I);
    GridTimes.push_back(Ms([&] {
      Window->DataUpdate();
      QApplication::processEvents();
    }));
    ModelTimes.push_back(ModelRound(Model, C, Cols));
    FormatTimes.push_back(FormatOnly(Cols));
  }
  std::printf("depth scroll window, %d items: %d bins x %d columns = %d cells per sample, %d x %d\n", SlotCount, Bins,
              Cols, Bins * Cols, W, H);
  Report("  DataUpdate against setData of the same texts", Rounds, GridTimes, ModelTimes, " (at most 0.33 asked)");
  std::printf("  of which making the texts alone   %8.2f ms\n", Median(FormatTimes));
  // After a rebuild every cell is written once.
  std::vector<double> FullTimes;
  for (int I = 0; I < 5; ++I) {
    Window->Action(SlotCount)->Execute();
    Window->Action(SlotCount)->Execute();
    FullTimes.push_back(Ms([&] {
      Window->DataUpdate();
      QApplication::processEvents();
    }));
  }
  std::printf("  the first DataUpdate after a rebuild, every cell (median of 5)  %8.2f ms\n", Median(FullTimes));

  // ---- The time scroll window with every item, its history full.
  for (int J = 0; J < C.Maximum_View_Points; ++J) {
    C.History.SetCurrentStamps(45000 + J / 86400.0, J / 86400.0);
    for (int S = 0; S < SlotCount; ++S)
      C.History.SetCurrentValue(S, FormatFloat(QStringLiteral("0.000"), J * 0.25 + S));
    C.History.Advance();
  }
  Form->DisplayTypeClick(TMdiChildKind::Scroll);
  auto* Scroll = dynamic_cast<TMDIScroll*>(Form->MDIChildren(0));
  if (!Scroll) {
    std::fprintf(stderr, "the time scroll window did not open\n");
    return 1;
  }
  Scroll->SetBounds(0, 0, W, H);
  for (int N = 1; N < SlotCount; ++N)
    Scroll->Action(N)->Execute();
  const double Replay = Ms([&] {
    Scroll->Action(SlotCount)->Execute();
    QApplication::processEvents();
  });
  std::vector<double> ScrollTimes;
  for (int I = 0; I < Rounds; ++I) {
    for (int S = 0; S < SlotCount; ++S)
      C.DataArray[static_cast<size_t>(2 * S + 1)] = FormatFloat(QStringLiteral("0.000"), I * 0.5 + S);
    ScrollTimes.push_back(Ms([&] {
      Scroll->DataUpdate();
      QApplication::processEvents();
    }));
  }
  std::printf("time scroll window, %d items, %d rows held\n", SlotCount, Scroll->ZurEvoderOzod1->RowCount());
  std::printf("  rebuild replaying %d history samples  %8.2f ms\n", C.History.Time_Array_Index(), Replay);
  std::printf("  DataUpdate, a row in and one out, painted (median of %d)  %8.2f ms\n", Rounds, Median(ScrollTimes));
  Scroll->Close();

  // ---- The write path alone: 31 columns of texts made beforehand, into a
  // bare grid of the window's settings and into the model.
  constexpr int Wide = 31;
  TForm Bare(nullptr);
  Bare.SetBounds(0, 0, W + 40, H + 80);
  auto* Grid = new TZurEvoderOzod(&Bare);
  Grid->SetParent(&Bare);
  Grid->SetBounds(0, 0, W, H);
  Grid->Font()->Assign(Window->ZurEvoderOzod1->Font());
  Grid->SetDefaultRowHeight(21);
  Grid->SetColCount(Wide);
  Grid->SetRowCount(Bins + 1);
  Grid->SetFixedCols(0);
  Grid->SetFixedRows(1);
  Bare.Show();
  QApplication::processEvents();
  Model = {};
  Window->Close();
  TModelView WideModel = MakeModelView(Wide, Font, W, H);
  std::vector<String> Texts(static_cast<size_t>(Bins * Wide));
  const auto MakeTexts = [&] {
    WriteDepthTexts(C, Wide, [&](int Row, int Col, const String& Text) {
      Texts[static_cast<size_t>((Row - 1) * Wide + Col)] = Text;
    });
  };
  const auto Write = [&](const std::function<void(int Row, int Col, const String&)>& Into) {
    return Ms([&] {
      for (int B = 1; B <= Bins; ++B)
        for (int K = 0; K < Wide; ++K)
          Into(B, K, Texts[static_cast<size_t>((B - 1) * Wide + K)]);
      QApplication::processEvents();
    });
  };
  const auto GridWrite = [&] { return Write([&](int Row, int Col, const String& T) { Grid->SetCells(Col, Row, T); }); };
  const auto ModelWrite = [&] {
    return Write([&](int Row, int Col, const String& T) {
      WideModel.Model->setData(WideModel.Model->index(Row - 1, Col), T, Qt::DisplayRole);
    });
  };
  MakeTexts();
  for (int I = 0; I < 3; ++I) {
    GridWrite();
    ModelWrite();
  }
  GridTimes.clear();
  ModelTimes.clear();
  for (int I = 0; I < Rounds; ++I) {
    Sample(C, I);
    MakeTexts();
    GridTimes.push_back(GridWrite());
    ModelTimes.push_back(ModelWrite());
  }
  std::printf("the write path alone: %d bins x %d columns = %d cells per sample, texts made beforehand\n", Bins, Wide,
              Bins * Wide);
  Report("  SetCells against setData", Rounds, GridTimes, ModelTimes, "");
  return 0;
}
