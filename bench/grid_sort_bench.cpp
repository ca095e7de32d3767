// Cost of sorting the string grid's rows against std::stable_sort of the
// same texts with the same comparison: a grid of 1,000,000 rows holding a
// column of numbers ("-1234.567") and a column of words (eight lower-case
// letters), sorted ascending by each column in turn with the automatic
// style (numbers by value, words by their characters), ties not broken by
// other columns. The reference sorts a vector of the same texts with the
// comparison the grid applies to two cell texts (CompareSortTexts), so the
// ratio is what the grid adds: reading cells, the pivot copies and the row
// exchanges. Both start from the same shuffled order; medians of the rounds.
// Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/grid_sort_bench [rows [rounds]]
#include "grid/core/ControlLook.h"
#include "grid/core/SortCompare.h"
#include "grid/core/ZurEvoderOzod.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace {

double Seconds(const std::chrono::steady_clock::time_point& Start)
{
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

double Median(std::vector<double> V)
{
  std::sort(V.begin(), V.end());
  return V[V.size() / 2];
}

std::vector<String> Numbers(int32_t N, std::mt19937& Random)
{
  std::uniform_int_distribution<int32_t> D(-9999999, 9999999);
  std::vector<String> V;
  V.reserve(static_cast<size_t>(N));
  for (int32_t I = 0; I < N; ++I)
    V.push_back(QString::number(D(Random) / 1000.0, 'f', 3));
  return V;
}

std::vector<String> Words(int32_t N, std::mt19937& Random)
{
  std::uniform_int_distribution<int32_t> D(0, 25);
  std::vector<String> V;
  V.reserve(static_cast<size_t>(N));
  for (int32_t I = 0; I < N; ++I) {
    String W(8, u'a');
    for (QChar& C : W)
      C = QChar(u'a' + D(Random));
    V.push_back(W);
  }
  return V;
}

// One round: the grid filled with the texts in column Col (the other
// column holds its own texts), sorted; then the vector sorted.
void Round(int32_t Col, const std::vector<String>& A, const std::vector<String>& B, std::vector<double>& GridTimes,
           std::vector<double>& RefTimes)
{
  const int32_t N = static_cast<int32_t>(A.size());
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  G->SetColCount(3);
  G->SetRowCount(N + 1);
  for (int32_t R = 0; R < N; ++R) {
    G->SetCells(1, R + 1, A[static_cast<size_t>(R)]);
    G->SetCells(2, R + 1, B[static_cast<size_t>(R)]);
  }
  G->SortSettings()->SetFull(false);
  auto Start = std::chrono::steady_clock::now();
  G->Sort(Col, sdAscending);
  GridTimes.push_back(Seconds(Start));

  std::vector<String> V = Col == 1 ? A : B;
  const TSortTextOptions Options;
  Start = std::chrono::steady_clock::now();
  std::stable_sort(V.begin(), V.end(), [&Options](const String& X, const String& Y) {
    bool E1 = false, E2 = false;
    return CompareSortTexts(ssAutomatic, X, Y, Options, E1, E2) < 0;
  });
  RefTimes.push_back(Seconds(Start));

  // The same order, or the comparison is not the same.
  for (int32_t R = 0; R < N; ++R)
    if (G->Cells(Col, R + 1) != V[static_cast<size_t>(R)]) {
      std::fprintf(stderr, "row %d differs: %s against %s\n", R + 1, qPrintable(G->Cells(Col, R + 1)),
                   qPrintable(V[static_cast<size_t>(R)]));
      std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
  QApplication App(argc, argv);
  const int32_t N = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const int32_t Rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  std::mt19937 Random(2024);
  const std::vector<String> Nums = Numbers(N, Random), Texts = Words(N, Random);
  std::printf("%d rows, %d rounds, medians\n", N, Rounds);
  std::printf("%-10s %12s %16s %8s\n", "column", "grid (s)", "stable_sort (s)", "ratio");
  for (const int32_t Col : {1, 2}) {
    std::vector<double> GridTimes, RefTimes;
    for (int32_t I = 0; I < Rounds; ++I)
      Round(Col, Nums, Texts, GridTimes, RefTimes);
    const double Grid = Median(GridTimes), Ref = Median(RefTimes);
    std::printf("%-10s %12.3f %16.3f %8.2f\n", Col == 1 ? "numbers" : "words", Grid, Ref, Grid / Ref);
  }
  return 0;
}
