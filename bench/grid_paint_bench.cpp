// Cost of a full paint of the string grid against a QTableView over a
// QStandardItemModel showing the same texts, fonts, column widths and row
// heights: both 1280 x 800, 31 columns of numbers (a header row and a row
// number column), scrolled to the middle of 6,001 rows; then the string
// grid alone with 600,001 rows, to see its paint time stay flat however
// long the grid is.
//
// Each round renders every view's whole widget into an image of its size;
// the times are the medians of the rounds, taken in alternation so that
// both see the same machine. Run by hand:
//   build/bench/grid_paint_bench [rounds [profile]]
#include "grid/core/ZurEvoderOzod.h"

#include "platform/Forms.h"
#include "platform/FontFamilies.h"
#include "platform/Graphics.h"
#include "platform/QtConvert.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int W = 1280, H = 800;
constexpr int Cols = 31;
constexpr int ColWidth = 64, RowHeight = 22;
constexpr int DistinctTexts = 997;

// The numbers shown: a value per cell from a repeating table, so that even
// the long grid holds shared texts.
const std::vector<QString>& Texts()
{
  static const std::vector<QString> T = [] {
    std::vector<QString> V;
    for (int I = 0; I < DistinctTexts; ++I)
      V.push_back(QString::number(1000.0 + I * 1.379, 'f', 3));
    return V;
  }();
  return T;
}

QString TextOf(int Row, int Col) { return Texts()[static_cast<size_t>((Row * Cols + Col) % DistinctTexts)]; }

QString Header(int Col) { return QStringLiteral("Param %1").arg(Col); }

struct TGridView {
  std::unique_ptr<TForm> Form;
  TZurEvoderOzod* Grid = nullptr;
};

TGridView MakeGrid(int Rows)
{
  TGridView V;
  V.Form = std::make_unique<TForm>(nullptr);
  V.Form->SetBounds(0, 0, W + 40, H + 60);
  V.Grid = new TZurEvoderOzod(V.Form.get());
  TZurEvoderOzod* G = V.Grid;
  G->SetParent(V.Form.get());
  G->SetBounds(0, 0, W, H);
  G->SetLook(glStandard);
  G->ControlLook()->SetControlStyle(csClassic);
  G->SetHideFocusRect(true);
  G->Font()->SetName(QStringLiteral("Arial"));
  G->Font()->SetSize(9);
  G->FixedFont()->SetName(QStringLiteral("Arial"));
  G->FixedFont()->SetSize(9);
  G->SetColCount(Cols + 1);
  G->SetRowCount(Rows + 1);
  G->SetDefaultColWidth(ColWidth);
  G->SetDefaultRowHeight(RowHeight);
  G->SetDefaultAlignment(taRightJustify);
  for (int C = 0; C < Cols; ++C)
    G->SetCells(C + 1, 0, Header(C));
  for (int R = 0; R < Rows; ++R) {
    G->SetCells(0, R + 1, QString::number(R + 1));
    for (int C = 0; C < Cols; ++C)
      G->SetCells(C + 1, R + 1, TextOf(R, C));
  }
  V.Form->Show();
  G->SetTopRow(Rows / 2);
  G->SetRow(Rows / 2 + 5);
  QApplication::processEvents();
  return V;
}

struct TTableView {
  std::unique_ptr<QStandardItemModel> Model;
  std::unique_ptr<QTableView> View;
};

TTableView MakeTable(int Rows, const QFont& Font, const QFont& HeaderFont)
{
  TTableView V;
  V.Model = std::make_unique<QStandardItemModel>(Rows, Cols);
  for (int C = 0; C < Cols; ++C)
    V.Model->setHorizontalHeaderItem(C, new QStandardItem(Header(C)));
  for (int R = 0; R < Rows; ++R)
    for (int C = 0; C < Cols; ++C) {
      auto* Item = new QStandardItem(TextOf(R, C));
      Item->setTextAlignment(Qt::AlignRight | Qt::AlignTop);
      V.Model->setItem(R, C, Item);
    }
  V.View = std::make_unique<QTableView>();
  V.View->setModel(V.Model.get());
  V.View->setFont(Font);
  V.View->horizontalHeader()->setFont(HeaderFont);
  V.View->verticalHeader()->setFont(HeaderFont);
  V.View->verticalHeader()->setMinimumSectionSize(1);
  V.View->verticalHeader()->setDefaultSectionSize(RowHeight);
  V.View->verticalHeader()->setFixedWidth(ColWidth);
  V.View->horizontalHeader()->setFixedHeight(RowHeight);
  for (int C = 0; C < Cols; ++C)
    V.View->setColumnWidth(C, ColWidth);
  V.View->resize(W, H);
  V.View->show();
  QApplication::processEvents();
  V.View->verticalScrollBar()->setValue(Rows / 2);
  V.View->setCurrentIndex(V.Model->index(Rows / 2 + 5, 3));
  QApplication::processEvents();
  return V;
}

// Milliseconds of one full paint of the widget, as rendered into an image.
double PaintMs(QWidget* Widget, QImage& Into)
{
  const auto T0 = std::chrono::steady_clock::now();
  Widget->render(&Into);
  const auto T1 = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(T1 - T0).count();
}

double Median(std::vector<double> V)
{
  std::sort(V.begin(), V.end());
  return V[V.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
  const int Rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 60;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication App(argc, argv);
  InstallFontFamilies();

  TGridView Small = MakeGrid(6000);
  // "profile" as the second argument: only the grid's paints, for a profiler.
  if (argc > 2 && QByteArray(argv[2]) == "profile") {
    QImage Image(W, H, QImage::Format_RGB32);
    double Total = 0;
    for (int I = 0; I < Rounds; ++I)
      Total += PaintMs(Small.Grid->Handle(), Image);
    std::printf("string grid: %.3f ms per full paint\n", Total / Rounds);
    return 0;
  }
  const QFont Font = ToQFont(*Small.Grid->Font());
  const QFont HeaderFont = ToQFont(*Small.Grid->FixedFont());
  TTableView Table = MakeTable(6000, Font, HeaderFont);

  QImage GridImage(W, H, QImage::Format_RGB32), TableImage(W, H, QImage::Format_RGB32);
  // Warm up: fonts, glyph caches, layouts.
  for (int I = 0; I < 5; ++I) {
    PaintMs(Small.Grid->Handle(), GridImage);
    PaintMs(Table.View.get(), TableImage);
  }
  std::vector<double> GridTimes, TableTimes;
  for (int I = 0; I < Rounds; ++I) {
    GridTimes.push_back(PaintMs(Small.Grid->Handle(), GridImage));
    TableTimes.push_back(PaintMs(Table.View.get(), TableImage));
  }
  const double GridMs = Median(GridTimes), TableMs = Median(TableTimes);
  std::printf("full paint, 1280 x 800, 6,001 rows x 31 columns, scrolled to the middle (median of %d)\n", Rounds);
  std::printf("  string grid   %8.3f ms\n", GridMs);
  std::printf("  QTableView    %8.3f ms\n", TableMs);
  std::printf("  ratio grid / QTableView: %.2f (at most 1.00 asked)\n", GridMs / TableMs);
  GridImage.save(QStringLiteral("grid_paint_bench_grid.png"));
  TableImage.save(QStringLiteral("grid_paint_bench_table.png"));
  Table = {};

  TGridView Large = MakeGrid(600000);
  for (int I = 0; I < 5; ++I)
    PaintMs(Large.Grid->Handle(), GridImage);
  std::vector<double> SmallTimes, LargeTimes;
  for (int I = 0; I < Rounds; ++I) {
    SmallTimes.push_back(PaintMs(Small.Grid->Handle(), GridImage));
    LargeTimes.push_back(PaintMs(Large.Grid->Handle(), GridImage));
  }
  const double SmallMs = Median(SmallTimes), LargeMs = Median(LargeTimes);
  std::printf("string grid, the same view of 6,001 and of 600,001 rows\n");
  std::printf("  6,001 rows    %8.3f ms\n", SmallMs);
  std::printf("  600,001 rows  %8.3f ms\n", LargeMs);
  std::printf("  growth: %.2f (at most 1.20 asked)\n", LargeMs / SmallMs);
  return 0;
}
