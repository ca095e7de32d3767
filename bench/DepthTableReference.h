// The reference both display benchmarks time the depth scroll window
// against: the same texts, made the way the window makes them, written with
// setData into a QStandardItemModel that a QTableView shows; and the small
// timing helpers they share.
#pragma once

#include "rtl/Strings.h"

#include <QStandardItemModel>
#include <QTableView>

#include <functional>
#include <memory>
#include <vector>

class QFont;
class TCoreData;

struct TModelView {
  std::unique_ptr<QStandardItemModel> Model;
  std::unique_ptr<QTableView> View;
};

// A model of the 6,000 depth bins by Cols columns, every item made, shown
// by a view of W x H with rows 21 pixels high.
TModelView MakeModelView(int Cols, const QFont& Font, int W, int H);

// The texts of the depth window's cells, the way it makes them, into Write:
// each bin's depth in column 0, then the depth table of slot (K - 1) mod 20
// in column K with that slot's mask.
void WriteDepthTexts(const TCoreData& C, int Cols, const std::function<void(int Row, int Col, const String&)>& Write);

// One rewrite of the model: every text made and written, the view painted.
double ModelRound(TModelView& V, const TCoreData& C, int Cols);

// Wall time of F in milliseconds.
double Ms(const std::function<void()>& F);
double Median(std::vector<double> V);
