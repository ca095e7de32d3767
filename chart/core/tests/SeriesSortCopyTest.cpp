// Sorting a series by its lists and by label, sample values, copying one
// series onto another, and series groups (names, activity, look-up, their
// members stored as series indexes).
#include "CoreTestSupport.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/LabelsList.h"
#include "chart/core/SeriesList.h"
#include "chart/core/SeriesMarks.h"
#include "platform/Filer.h"
#include "platform/ObjectText.h"
#include "rtl/StringList.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QStringList LabelsOf(const TChartSeries& S)
{
  QStringList L;
  for (int32_t I = 0; I < S.Count(); ++I)
    L << S.XLabel(I);
  return L;
}

std::vector<double> Ys(const TChartSeries& S)
{
  std::vector<double> R;
  for (int32_t I = 0; I < S.Count(); ++I)
    R.push_back(S.YValue(I));
  return R;
}

std::vector<double> Xs(const TChartSeries& S)
{
  std::vector<double> R;
  for (int32_t I = 0; I < S.Count(); ++I)
    R.push_back(S.XValue(I));
  return R;
}

TChartSeries* Labelled(TCustomAxisPanel& C, const QStringList& Labels)
{
  auto* S = new TChartSeries(&C);
  C.AddSeries(S);
  for (int I = 0; I < Labels.size(); ++I)
    S->AddXY(10 * I, I, Labels[I]);
  return S;
}

} // namespace

TEST(SeriesSort, ByLabelsCarriesEveryValueAndRenumbersThePositions)
{
  const struct {
    QStringList Labels;
    TChartListOrder Order;
    bool CaseSensitive;
    QStringList Sorted;
  } Cases[] = {
      {{"b", "a", "c"}, loAscending, false, {"a", "b", "c"}},
      {{"b", "a", "c"}, loDescending, false, {"c", "b", "a"}},
      // Plain ordinal order: capitals first.
      {{"b", "B", "a", "A"}, loAscending, false, {"A", "B", "a", "b"}},
      // The case-sensitive list compares lower case first, case only breaking
      // ties.
      {{"b", "B", "a", "A"}, loAscending, true, {"A", "a", "B", "b"}},
      {{"x", "", "x", "y", ""}, loAscending, false, {"", "", "x", "x", "y"}},
      {{"b", "a"}, loNone, false, {"b", "a"}},
  };
  for (const auto& K : Cases) {
    TImageChart C;
    TChartSeries* S = Labelled(C, K.Labels);
    S->Labels()->SetCaseSensitive(K.CaseSensitive);
    S->SortByLabels(K.Order);
    EXPECT_EQ(LabelsOf(*S), K.Sorted) << K.Labels.join(',').toStdString();
    // Each point kept its own value and the positions run 0, 1, 2 ...
    for (int32_t I = 0; I < S->Count(); ++I) {
      EXPECT_EQ(K.Labels[static_cast<int>(S->YValue(I))], S->XLabel(I));
      if (K.Order != loNone)
        EXPECT_EQ(S->XValue(I), I);
    }
  }
}

TEST(SeriesSort, LabelComparisonIsAStrictWeakOrder)
{
  TImageChart C;
  TChartSeries* S = Labelled(C, {"", "a", "A", "b", "B", "ab", "aB", "Ab", "\u00e9", "E", "e"});
  for (bool CaseSensitive : {false, true}) {
    S->Labels()->SetCaseSensitive(CaseSensitive);
    for (TChartListOrder Order : {loAscending, loDescending}) {
      const auto Less = [&](int32_t A, int32_t B) { return S->CompareLabelIndex(A, B, Order) < 0; };
      const auto Equiv = [&](int32_t A, int32_t B) { return !Less(A, B) && !Less(B, A); };
      const int32_t N = S->Count();
      for (int32_t A = 0; A < N; ++A) {
        EXPECT_FALSE(Less(A, A));
        for (int32_t B = 0; B < N; ++B) {
          EXPECT_EQ(S->CompareLabelIndex(A, B, Order), -S->CompareLabelIndex(B, A, Order));
          for (int32_t D = 0; D < N; ++D) {
            if (Less(A, B) && Less(B, D))
              EXPECT_TRUE(Less(A, D));
            if (Equiv(A, B) && Equiv(B, D))
              EXPECT_TRUE(Equiv(A, D));
          }
        }
      }
    }
  }
}

TEST(SeriesSort, CheckOrderSortsByTheOrderedLists)
{
  TImageChart C;
  auto* S = new TChartSeries(&C);
  C.AddSeries(S);
  S->XValues()->SetOrder(loNone);
  S->AddXY(5, 3, QStringLiteral("c"));
  S->AddXY(1, 1, QStringLiteral("a"));
  S->AddXY(3, 2, QStringLiteral("b"));
  // By the positions.
  S->XValues()->SetOrder(loAscending);
  S->CheckOrder();
  EXPECT_EQ(Xs(*S), (std::vector<double>{1, 3, 5}));
  EXPECT_EQ(LabelsOf(*S), (QStringList{"a", "b", "c"}));
  // By the values, descending: the positions are renumbered.
  S->XValues()->SetOrder(loNone);
  S->YValues()->SetOrder(loDescending);
  S->CheckOrder();
  EXPECT_EQ(Ys(*S), (std::vector<double>{3, 2, 1}));
  EXPECT_EQ(Xs(*S), (std::vector<double>{0, 1, 2}));
  EXPECT_EQ(LabelsOf(*S), (QStringList{"c", "b", "a"}));
}

TEST(SeriesSampleValues, ARandomWalkThatNeverGoesNegative)
{
  TImageChart C;
  auto* S = new TChartSeries(&C);
  C.AddSeries(S);
  S->AddXY(1, 1);
  S->ManualData = true;
  S->FillSampleValues(0);
  ASSERT_EQ(S->Count(), 25);
  EXPECT_FALSE(S->ManualData);
  for (int32_t I = 0; I < S->Count(); ++I)
    EXPECT_GE(S->YValue(I), 0);
  // Positions in even steps, in order.
  for (int32_t I = 1; I < S->Count(); ++I)
    EXPECT_GT(S->XValue(I), S->XValue(I - 1));
  S->INumSampleValues = 7;
  S->FillSampleValues();
  EXPECT_EQ(S->Count(), 7);
  S->FillSampleValues(3);
  EXPECT_EQ(S->Count(), 3);
}

TEST(SeriesCopy, ManualPointsAreCopiedAndASourceIsShared)
{
  TImageChart C;
  auto* Manual = new TChartSeries(&C);
  C.AddSeries(Manual);
  Manual->AddXY(1, 10, QStringLiteral("one"));
  Manual->AddXY(2, 20);
  Manual->SetValueFormat(QStringLiteral("0.0"));
  Manual->Marks()->SetVisible(true);
  auto* Copy = new TChartSeries(&C);
  C.AddSeries(Copy);
  Copy->Assign(Manual);
  EXPECT_EQ(Xs(*Copy), (std::vector<double>{1, 2}));
  EXPECT_EQ(Copy->XLabel(0), QStringLiteral("one"));
  EXPECT_EQ(Copy->ValueFormat(), QStringLiteral("0.0"));
  EXPECT_TRUE(Copy->Marks()->Visible());
  EXPECT_TRUE(Copy->ManualData);

  auto* Fed = new TChartSeries(&C);
  C.AddSeries(Fed);
  Fed->SetDataSource(Manual);
  auto* Second = new TChartSeries(&C);
  C.AddSeries(Second);
  Second->Assign(Fed);
  EXPECT_EQ(Second->DataSource(), Manual);
  EXPECT_EQ(Ys(*Second), (std::vector<double>{10, 20}));
  // It follows its source from then on.
  Manual->AddXY(3, 30);
  EXPECT_EQ(Second->Count(), 3);
}

TEST(SeriesCopy, ASeriesCannotFeedItself)
{
  TImageChart C;
  auto* A = new TChartSeries(&C);
  auto* B = new TChartSeries(&C);
  C.AddSeries({A, B});
  EXPECT_THROW(A->SetDataSource(A), ChartException);
  B->SetDataSource(A);
  EXPECT_THROW(A->SetDataSource(B), ChartException);
  EXPECT_EQ(A->DataSource(), nullptr);
  EXPECT_EQ(B->DataSource(), A);
}

TEST(SeriesGroups, NamesActivityAndLookUp)
{
  TImageChart C;
  auto* A = new TChartSeries(&C);
  auto* B = new TChartSeries(&C);
  auto* D = new TChartSeries(&C);
  C.AddSeries({A, B, D});
  TSeriesGroup* First = C.SeriesGroups().Add();
  TSeriesGroup* Second = C.SeriesGroups().Add();
  EXPECT_EQ(First->Name, QStringLiteral("Group1"));
  EXPECT_EQ(Second->Name, QStringLiteral("Group2"));
  EXPECT_EQ(First->Active(), gaYes); // no members
  First->Add(A);
  First->Add(B);
  First->Add(D);
  D->SetActive(false);
  EXPECT_EQ(First->Active(), gaSome);
  First->SetActive(gaSome);
  EXPECT_TRUE(A->Active());
  EXPECT_FALSE(D->Active());
  First->Hide();
  EXPECT_EQ(First->Active(), gaNo);
  First->Show();
  EXPECT_TRUE(D->Active());

  Second->Add(D);
  EXPECT_EQ(C.SeriesGroups().Contains(B), 0);
  EXPECT_EQ(C.SeriesGroups().Contains(D), 0);
  auto* Alone = new TChartSeries(&C);
  C.AddSeries(Alone);
  EXPECT_EQ(C.SeriesGroups().Contains(Alone), -1);
  EXPECT_EQ(C.SeriesGroups().FindByName(QStringLiteral("group1"), false), First);
  EXPECT_EQ(C.SeriesGroups().FindByName(QStringLiteral("group1"), true), nullptr);
  EXPECT_EQ(C.SeriesGroups().FindByName(QStringLiteral("Group2"), true), Second);
}

TEST(SeriesGroups, MembersAreStoredAsSeriesIndexes)
{
  TImageChart C;
  auto* A = new TChartSeries(&C);
  auto* B = new TChartSeries(&C);
  auto* D = new TChartSeries(&C);
  C.AddSeries({A, B, D});
  TSeriesGroup* G = C.SeriesGroups().Add(QStringLiteral("Casts"));
  G->Add(A);
  G->Add(D);
  C.SeriesGroups().Add(QStringLiteral("Empty"));

  TBytesStream S;
  WriteComponentToStream(S, &C);
  TBytesStream Binary(S.Bytes()), TextOut;
  ObjectBinaryToText(Binary, TextOut);
  QByteArray Text = TextOut.Bytes();
  Text.replace(" ", "").replace("\r\n", "");
  EXPECT_TRUE(Text.contains("Series=('0''2')")) << Text.toStdString();

  TImageChart Back;
  TBytesStream In(S.Bytes());
  ReadComponentFromStream(In, &Back);
  ASSERT_EQ(Back.SeriesCount(), 3);
  ASSERT_EQ(Back.SeriesGroups().Count(), 2);
  TSeriesGroup* R = Back.SeriesGroups().Items(0);
  EXPECT_EQ(R->Name, QStringLiteral("Casts"));
  ASSERT_EQ(R->Series().Count(), 2);
  EXPECT_EQ(R->Series()[0], Back.GetSeries(0));
  EXPECT_EQ(R->Series()[1], Back.GetSeries(2));
  EXPECT_EQ(Back.SeriesGroups().Items(1)->Series().Count(), 0);
}
