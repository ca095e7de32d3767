// The chart's series list and paging: the hit test over overlapping
// series, switching all series, groups re-linked after loading, the page
// count and current page with their event, the index range of a page, and
// how paging scales the position axis.
#include "CoreTestSupport.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartPage.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesList.h"
#include "chart/core/ZuzConst.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A series that answers a fixed point for clicks inside a box.
class TBoxSeries : public TChartSeries {
public:
  TBoxSeries(TComponent* AOwner, TRect ABox, int32_t AIndex) : TChartSeries(AOwner), Box(ABox), Index(AIndex) {}
  int32_t Clicked(int32_t X, int32_t Y) override
  {
    return X >= Box.Left && X <= Box.Right && Y >= Box.Top && Y <= Box.Bottom ? Index : -1;
  }
  TRect Box;
  int32_t Index;
};

TChartSeries* AddPoints(TCustomAxisPanel& C, int N)
{
  auto* S = new TChartSeries(&C);
  C.AddSeries(S);
  for (int I = 0; I < N; ++I)
    S->AddXY(I, I * 2);
  return S;
}

} // namespace

TEST(SeriesList, ClickedFindsTheSeriesDrawnOnTop)
{
  TImageChart C;
  auto* Under = new TBoxSeries(&C, TRect{0, 0, 100, 100}, 3);
  auto* Over = new TBoxSeries(&C, TRect{50, 50, 150, 150}, 7);
  C.AddSeries(Under);
  C.AddSeries(Over);
  int32_t Index = 0;
  EXPECT_EQ(C.SeriesList().Clicked(60, 60, Index), Over);
  EXPECT_EQ(Index, 7);
  EXPECT_EQ(C.SeriesList().Clicked(10, 10, Index), Under);
  EXPECT_EQ(Index, 3);
  // Inactive series are not hit.
  Over->SetActive(false);
  EXPECT_EQ(C.SeriesList().Clicked(60, 60, Index), Under);
  EXPECT_EQ(C.SeriesList().Clicked(200, 200, Index), nullptr);
  EXPECT_EQ(Index, -1);
}

TEST(SeriesList, FindSwitchAllFirstAndLast)
{
  TImageChart C;
  EXPECT_TRUE(C.SeriesList().AllActive());
  EXPECT_THROW(C.SeriesList().First(), EListError);
  EXPECT_THROW(C.SeriesList().Last(), EListError);
  TChartSeries* A = AddPoints(C, 3);
  TChartSeries* B = AddPoints(C, 2);
  A->SetName(QStringLiteral("Temperature"));
  EXPECT_EQ(C.SeriesList().Find(QStringLiteral("Temperature")), A);
  EXPECT_EQ(C.SeriesList().Find(QStringLiteral("temperature")), nullptr);
  EXPECT_EQ(C.SeriesList().First(), A);
  EXPECT_EQ(C.SeriesList().Last(), B);
  C.SeriesList().SetAllActive(false);
  EXPECT_FALSE(A->Active());
  EXPECT_FALSE(C.SeriesList().AllActive());
  B->SetActive(true);
  EXPECT_FALSE(C.SeriesList().AllActive());
  C.SeriesList().ClearValues();
  EXPECT_EQ(A->Count(), 0);
  EXPECT_EQ(B->Count(), 0);
}

TEST(SeriesList, GroupsReadFromAFileAreLinkedToTheirSeries)
{
  TImageChart C;
  TChartSeries* S0 = AddPoints(C, 1);
  AddPoints(C, 1);
  TChartSeries* S2 = AddPoints(C, 1);
  TSeriesGroup* G = C.SeriesList().AddGroup(QStringLiteral("Pressure"));
  TSeriesGroup* Kept = C.SeriesList().AddGroup(QStringLiteral("Kept"));
  Kept->Series().Add(S0);
  G->Series().Add(S0);
  G->TempSeries = std::make_unique<TStringList>();
  G->TempSeries->Add(QStringLiteral("2"));
  G->TempSeries->Add(QStringLiteral("0"));
  C.Loaded();
  ASSERT_EQ(G->Series().Count(), 2);
  EXPECT_EQ(G->Series()[0], S2);
  EXPECT_EQ(G->Series()[1], S0);
  EXPECT_EQ(G->TempSeries, nullptr);
  ASSERT_EQ(Kept->Series().Count(), 1);
  // A stored index beyond the list fails the loading; the list goes all
  // the same.
  G->TempSeries = std::make_unique<TStringList>();
  G->TempSeries->Add(QStringLiteral("5"));
  EXPECT_THROW(C.Loaded(), EListError);
  EXPECT_EQ(G->TempSeries, nullptr);
  // Whole, partial and no activity of a group's series.
  EXPECT_EQ(Kept->Active(), gaYes);
  S0->SetActive(false);
  EXPECT_EQ(Kept->Active(), gaNo);
}

TEST(ChartPage, PageCountsAndTheCurrentPage)
{
  struct Case {
    const char* Name;
    int Points, PerPage;
    int Pages;
  };
  const Case Cases[] = {
      {"25 points, 10 a page", 25, 10, 3},
      {"30 points, 10 a page", 30, 10, 3},
      {"no paging", 30, 0, 1},
      {"no points", 0, 10, 1},
      {"one a page", 4, 1, 4},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TImageChart C;
    AddPoints(C, K.Points);
    C.SetPointsPerPage(K.PerPage);
    EXPECT_EQ(C.NumPages(), K.Pages);
  }
  TImageChart Empty;
  Empty.SetPointsPerPage(10);
  EXPECT_EQ(Empty.NumPages(), 1);
}

TEST(ChartPage, ChangingThePageTellsTheChartOnce)
{
  TImageChart C;
  AddPoints(C, 25);
  int Changes = 0;
  TObject* Sender = nullptr;
  C.OnPageChange = [&](TObject* S) {
    ++Changes;
    Sender = S;
  };
  // Next and previous do nothing without paging, even on page 1.
  C.Pages()->NextPage();
  C.Pages()->PreviousPage();
  EXPECT_EQ(Changes, 0);
  C.SetPointsPerPage(10);
  struct Step {
    int Set, Expected, Changes;
  };
  const Step Steps[] = {{0, 1, 0}, {99, 3, 1}, {3, 3, 1}, {2, 2, 2}, {-5, 1, 3}};
  for (const Step& S : Steps) {
    SCOPED_TRACE(S.Set);
    C.SetPage(S.Set);
    EXPECT_EQ(C.GetPage(), S.Expected);
    EXPECT_EQ(Changes, S.Changes);
  }
  EXPECT_EQ(Sender, C.Pages());
  C.Pages()->NextPage();
  C.Pages()->NextPage();
  C.Pages()->NextPage();
  EXPECT_EQ(C.GetPage(), 3);
  // Fewer pages than the current one: the last page becomes current.
  Changes = 0;
  C.SetPointsPerPage(20);
  EXPECT_EQ(C.GetPage(), 2);
  EXPECT_EQ(Changes, 1);
  EXPECT_THROW(C.SetPointsPerPage(-1), ChartException);
  EXPECT_EQ(C.GetPointsPerPage(), 20);
  try {
    C.SetPointsPerPage(-1);
  } catch (const ChartException& E) {
    EXPECT_EQ(E.Message(), ZuzMsg_MaxPointsPerPage);
  }
}

TEST(ChartPage, TheIndexRangeOfAPage)
{
  struct Case {
    int Points, PerPage, Page, First, Last;
  };
  // Page 4 of 25 points exists only in a page object copied from a chart
  // with more points (copying takes the fields as they are).
  const Case Cases[] = {
      {25, 10, 1, 0, 9}, {25, 10, 3, 20, 24}, {25, 10, 4, 10, 19},
      {25, 0, 1, 0, 24}, {0, 10, 1, -1, -1},  {5, 1, 2, 1, 1},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(testing::Message() << K.Points << " points, " << K.PerPage << " a page, page " << K.Page);
    TImageChart Source;
    AddPoints(Source, 1000);
    Source.SetPointsPerPage(K.PerPage);
    Source.SetPage(K.Page);
    TImageChart C;
    TChartSeries* S = AddPoints(C, K.Points);
    C.SetPages(Source.Pages());
    int32_t First = 0, Last = 0;
    S->CalcFirstLastPage(First, Last);
    EXPECT_EQ(First, K.First);
    EXPECT_EQ(Last, K.Last);
  }
}

TEST(ChartPage, PagesScaleThePositionAxis)
{
  TImageChart C;
  TChartSeries* S = AddPoints(C, 45);
  C.SetPointsPerPage(10);
  C.SetPage(2);
  EXPECT_EQ(C.MinXValue(C.BottomAxis()), 10);
  EXPECT_EQ(C.MaxXValue(C.BottomAxis()), 19);
  // The values keep the whole series unless AutoScale.
  EXPECT_EQ(C.MaxYValue(C.LeftAxis()), 88);
  C.Pages()->SetAutoScale(true);
  EXPECT_EQ(C.MinYValue(C.LeftAxis()), 20);
  EXPECT_EQ(C.MaxYValue(C.LeftAxis()), 38);
  // A short last page (40 .. 44) stretched as if it were full.
  C.SetPage(5);
  EXPECT_EQ(C.MaxXValue(C.BottomAxis()), 44);
  C.SetScaleLastPage(false);
  EXPECT_EQ(C.MaxXValue(C.BottomAxis()), 40 + 10 * 4 / 5.0);
  EXPECT_EQ(S->Count(), 45);
}
