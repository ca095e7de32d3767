#include "bench/DepthTableReference.h"

#include "app/core/CoreData.h"
#include "rtl/Numbers.h"

#include <QApplication>
#include <QHeaderView>

#include <algorithm>
#include <chrono>

TModelView MakeModelView(int Cols, const QFont& Font, int W, int H)
{
  constexpr int Bins = TDepthBins::BinCount;
  TModelView V;
  V.Model = std::make_unique<QStandardItemModel>(Bins, Cols);
  for (int R = 0; R < Bins; ++R)
    for (int K = 0; K < Cols; ++K)
      V.Model->setItem(R, K, new QStandardItem());
  V.View = std::make_unique<QTableView>();
  V.View->setModel(V.Model.get());
  V.View->setFont(Font);
  V.View->verticalHeader()->hide();
  V.View->verticalHeader()->setMinimumSectionSize(1);
  V.View->verticalHeader()->setDefaultSectionSize(21);
  V.View->resize(W, H);
  V.View->show();
  QApplication::processEvents();
  return V;
}

void WriteDepthTexts(const TCoreData& C, int Cols, const std::function<void(int Row, int Col, const String&)>& Write)
{
  for (int B = 1; B <= TDepthBins::BinCount; ++B) {
    Write(B, 0, IntToStr(C.Bins.TableDepthArray(B)));
    for (int K = 1; K < Cols; ++K) {
      const int Slot = (K - 1) % SlotCount;
      Write(B, K, FormatFloat(C.DataFormatArray[static_cast<size_t>(2 * Slot + 1)], C.DepthTables.Value(Slot, B)));
    }
  }
}

double ModelRound(TModelView& V, const TCoreData& C, int Cols)
{
  return Ms([&] {
    WriteDepthTexts(C, Cols, [&](int Row, int Col, const String& Text) {
      V.Model->setData(V.Model->index(Row - 1, Col), Text, Qt::DisplayRole);
    });
    QApplication::processEvents();
  });
}

double Ms(const std::function<void()>& F)
{
  const auto T0 = std::chrono::steady_clock::now();
  F();
  const auto T1 = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(T1 - T0).count();
}

double Median(std::vector<double> V)
{
  std::sort(V.begin(), V.end());
  return V[V.size() / 2];
}
