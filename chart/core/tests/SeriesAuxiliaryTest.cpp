// A series' side lists and styles: sparse labels and pictures, detail
// series aggregated into a master, the selection and hover indexes with
// their repaints, and the tests that decide what the stored data carries.
#include "CoreTestSupport.h"

#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartValueList.h"
#include "chart/core/LabelsList.h"
#include "chart/core/SeriesDetail.h"
#include "chart/core/ZuzPictureList.h"
#include "chart/core/ZuzSelected.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

class TQuietSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
};

QStringList LabelsOf(const TLabelsList& L)
{
  QStringList R;
  for (int32_t I = 0; I < L.Count(); ++I)
    R << L.GetLabel(I);
  return R;
}

} // namespace

TEST(SeriesAuxiliary, LabelsAreSparse)
{
  TQuietSeries S(nullptr);
  TLabelsList& L = *S.Labels();
  L.SetLabel(5, QStringLiteral("x"));
  EXPECT_EQ(LabelsOf(L), (QStringList{{}, {}, {}, {}, {}, QStringLiteral("x")}));
  EXPECT_FALSE(L.IAnyEmpty);
  EXPECT_EQ(L.GetLabel(99), QString());

  // An empty label past the end changes nothing but is remembered.
  L.Clear();
  L.SetLabel(0, QStringLiteral("a"));
  L.SetLabel(1, QStringLiteral("b"));
  L.SetLabel(3, QString());
  EXPECT_EQ(L.Count(), 2);
  EXPECT_TRUE(L.IAnyEmpty);

  // Inserting past the end grows to the index; inserting inside moves up.
  L.InsertLabel(4, QStringLiteral("e"));
  EXPECT_EQ(LabelsOf(L), (QStringList{QStringLiteral("a"), QStringLiteral("b"), {}, {}, QStringLiteral("e")}));
  L.InsertLabel(1, QStringLiteral("ab"));
  EXPECT_EQ(L.GetLabel(2), QStringLiteral("b"));
  L.DeleteLabel(10);
  EXPECT_EQ(L.Count(), 6);
  EXPECT_EQ(L.IndexOfLabel(QStringLiteral("AB"), false), 1);
  EXPECT_EQ(L.IndexOfLabel(QStringLiteral("AB"), true), -1);
  // An empty text on an empty list inserts nothing.
  L.Clear();
  EXPECT_FALSE(L.IAnyEmpty);
  L.InsertLabel(0, QString());
  EXPECT_EQ(L.Count(), 0);
  EXPECT_TRUE(L.IAnyEmpty);
}

TEST(SeriesAuxiliary, DeletingPointsDeletesOnlyTheLabelsThatExist)
{
  TQuietSeries S(nullptr);
  for (int I = 0; I < 20; ++I)
    S.AddXY(I, I);
  EXPECT_EQ(S.Labels()->Count(), 0);
  for (int I = 0; I < 12; ++I)
    S.SetXLabel(I, QStringLiteral("L%1").arg(I));
  ASSERT_EQ(S.Labels()->Count(), 12);
  S.Delete(10, 5);
  EXPECT_EQ(S.Count(), 15);
  EXPECT_EQ(S.Labels()->Count(), 10);
  EXPECT_EQ(S.XLabel(9), QStringLiteral("L9"));
  EXPECT_EQ(S.XLabel(10), QString());
}

TEST(SeriesAuxiliary, PicturesAreSparseAndOwned)
{
  TQuietSeries S(nullptr);
  TZuzPictureList& P = *S.Pictures();
  auto* A = new TZuzPicture();
  P.Put(3, A);
  EXPECT_EQ(P.Count(), 4);
  EXPECT_EQ(P.Get(3), A);
  EXPECT_EQ(P.Get(0), nullptr);
  EXPECT_EQ(P.Get(10), nullptr);
  EXPECT_EQ(P.IndexOf(A), 3);
  P.Insert(0, new TZuzPicture());
  EXPECT_EQ(P.IndexOf(A), 4);
  P.Delete(0);
  P.Delete(99);
  EXPECT_EQ(P.IndexOf(A), 3);
  P.Put(3, nullptr);
  EXPECT_EQ(P.Get(3), nullptr);
  EXPECT_EQ(P.IndexOf(A), -1);
  TZuzPictureList Empty(nullptr);
  Empty.Insert(0, nullptr);
  EXPECT_EQ(Empty.Count(), 0);
}

TEST(SeriesAuxiliary, DetailSeriesAggregateIntoTheMaster)
{
  TQuietSeries Master(nullptr);
  TSeriesDetail D(&Master);
  TChartSeries* A = D.CreateNew(&Master);
  A->SetTitle(QStringLiteral("North"));
  for (double V : {3.0, 1.0, 2.0})
    A->Add(V);
  TChartSeries* B = D.CreateNew(&Master);
  B->SetTitle(QStringLiteral("South"));
  EXPECT_EQ(A->ParentSeries, &Master);
  struct Case {
    TDetailAggregate Aggregate;
    double North, South;
  };
  const Case Cases[] = {
      {daSum, 6, 0}, {daCount, 3, 0}, {daAverage, 2, 0}, {daMin, 1, 0}, {daMax, 3, 0},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(int(K.Aggregate));
    D.SetAggregate(K.Aggregate);
    D.ReCalculate();
    ASSERT_EQ(Master.Count(), 2);
    EXPECT_DOUBLE_EQ(Master.YValues()->GetValue(0), K.North);
    EXPECT_DOUBLE_EQ(Master.YValues()->GetValue(1), K.South);
    EXPECT_EQ(Master.XLabel(1), QStringLiteral("South"));
  }
  // After deleting a value the sum covers the rest only.
  D.SetAggregate(daSum);
  A->Delete(0);
  D.ReCalculate();
  EXPECT_DOUBLE_EQ(Master.YValues()->GetValue(0), 3);
  EXPECT_EQ(Master.Count(), 2);
}

TEST(SeriesAuxiliary, WhatTheStoredDataMustCarry)
{
  struct Case {
    const char* Name;
    std::vector<double> X;
    bool Expected;
  };
  const Case Cases[] = {
      {"0, 1, 2", {0, 1, 2}, false},
      {"0, 1, 3", {0, 1, 3}, true},
      {"1, 2, 3", {1, 2, 3}, true},
      {"0, 2, 2", {0, 2, 2}, true},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TQuietSeries S(nullptr);
    S.XValues()->SetOrder(loNone);
    for (double X : K.X)
      S.AddXY(X, 1);
    EXPECT_EQ(HasNoMandatoryValues(&S), K.Expected);
  }
  TQuietSeries S(nullptr);
  S.SetSeriesColor(clRed);
  S.AddXY(0, 1, QString(), clRed);
  S.AddXY(1, 1);
  EXPECT_FALSE(HasColors(&S));
  EXPECT_FALSE(HasLabels(&S));
  S.AddXY(2, 1, QStringLiteral("x"), clBlue);
  EXPECT_TRUE(HasColors(&S));
  EXPECT_TRUE(HasLabels(&S));
}

TEST(SeriesAuxiliary, SelectionIndexesRepaintOnlyWhenShown)
{
  TImageChart C;
  int Repaints = 0;
  C.OnInvalidate = [&] { ++Repaints; };
  TZuzSelected Sel(&C);
  EXPECT_EQ(Sel.ItemIndex(), -1);
  EXPECT_EQ(Sel.HoverIndex(), -1);
  EXPECT_FALSE(Sel.Visible());
  EXPECT_EQ(Sel.Hover()->Font()->Color(), TColor(0x0000FF));
  EXPECT_EQ(Sel.Hover()->Pen()->Width(), 3);
  struct Step {
    const char* Name;
    std::function<void()> Do;
    int Repaints;
  };
  const Step Steps[] = {
      {"item, selection hidden", [&] { Sel.SetItemIndex(2); }, 0},
      {"hover, hover shown", [&] { Sel.SetHoverIndex(4); }, 1},
      {"the same hover index", [&] { Sel.SetHoverIndex(4); }, 1},
      {"item, selection shown",
       [&] {
         Sel.SetVisible(true);
         Repaints = 1;
         Sel.SetItemIndex(3);
       },
       2},
      {"hover, hover hidden",
       [&] {
         Sel.Hover()->SetVisible(false);
         Repaints = 2;
         Sel.SetHoverIndex(5);
       },
       2},
  };
  Sel.Hover()->SetVisible(true);
  Repaints = 0;
  for (const Step& K : Steps) {
    SCOPED_TRACE(K.Name);
    K.Do();
    EXPECT_EQ(Repaints, K.Repaints);
  }
  EXPECT_EQ(Sel.ItemIndex(), 3);
  EXPECT_EQ(Sel.HoverIndex(), 5);
}
