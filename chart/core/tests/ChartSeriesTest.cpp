// Series data: adding, colours, labels and null points, deleting and
// clearing, update bracketing, and what the chart, the handlers and the
// linked series hear, in order.
#include "CoreTestSupport.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/LabelsList.h"
#include "chart/core/ZuzConst.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

const char* EventName(TChartSeriesEvent E)
{
  static const char* Names[] = {"seAdd",  "seRemove",       "seChangeTitle", "seChangeColor",
                                "seSwap", "seChangeActive", "seDataChanged", "seAfterRemove"};
  return Names[E];
}

// Logs the chart's series events.
class TSeriesEventLog : public IZuzEventListener {
public:
  explicit TSeriesEventLog(TLog& L) : Log(L) {}
  void ZuzEvent(TZuzEvent* Event) override
  {
    if (auto* E = dynamic_cast<TZuzSeriesEvent*>(Event))
      Log.push_back(std::string("chart ") + EventName(E->Event));
  }
  TLog& Log;
};

// A series that logs what it is told as a linked series.
class TFollower : public TChartSeries {
public:
  TFollower(TLog& L) : TChartSeries(nullptr), Log(L) {}
  void AddedValue(TChartSeries* Source, int32_t Index) override
  {
    if (!Rebuilding)
      Log.push_back("follower added " + std::to_string(Index));
    TChartSeries::AddedValue(Source, Index);
  }
  void DeletedValue(TChartSeries* Source, int32_t Index) override
  {
    Log.push_back("follower deleted " + std::to_string(Index));
    TChartSeries::DeletedValue(Source, Index);
  }
  void AddValues(TChartSeries* Source) override
  {
    Log.push_back("follower rebuilt");
    Rebuilding = true;
    TChartSeries::AddValues(Source);
    Rebuilding = false;
  }
  void Clear() override
  {
    Log.push_back("follower cleared");
    TChartSeries::Clear();
  }
  TLog& Log;
  bool Rebuilding = false;
};

std::vector<double> Xs(const TChartSeries& S)
{
  std::vector<double> R;
  for (int32_t I = 0; I < S.Count(); ++I)
    R.push_back(S.XValue(I));
  return R;
}

std::vector<double> Ys(const TChartSeries& S)
{
  std::vector<double> R;
  for (int32_t I = 0; I < S.Count(); ++I)
    R.push_back(S.YValue(I));
  return R;
}

// A chart with one series and one follower, every handler logging.
struct TEventFixture {
  TLog Log;
  TImageChart Chart;
  TSeriesEventLog Listener{Log};
  TChartSeries* Series = new TChartSeries(nullptr);
  TFollower* Follower = new TFollower(Log);
  TEventFixture()
  {
    Chart.AddSeries(Series);
    Chart.AddSeries(Follower);
    Follower->SetDataSource(Series);
    Chart.AddListener(&Listener);
    Series->OnBeforeAdd = [this](TChartSeries*) {
      Log.push_back("before add");
      return true;
    };
    Series->OnAfterAdd = [this](TChartSeries*, int32_t I) { Log.push_back("after add " + std::to_string(I)); };
    Series->OnClearValues = [this](TChartSeries*) { Log.push_back("cleared"); };
    Chart.OnInvalidate = [this] { Log.push_back("repaint"); };
  }
};

} // namespace

TEST(ChartSeries, PointsLandByXOrder)
{
  TChartSeries S(nullptr);
  EXPECT_EQ(S.AddXY(5, 1), 0);
  EXPECT_EQ(S.AddXY(3, 2), 0);
  EXPECT_EQ(S.AddXY(5, 3), 2);
  EXPECT_EQ(Xs(S), (std::vector<double>{3, 5, 5}));
  EXPECT_EQ(Ys(S), (std::vector<double>{2, 1, 3}));

  TChartSeries Arrival(nullptr);
  Arrival.XValues()->SetOrder(loNone);
  for (const double X : {5, 3, 5})
    Arrival.AddXY(X, 0);
  EXPECT_EQ(Xs(Arrival), (std::vector<double>{5, 3, 5}));
}

TEST(ChartSeries, AddFormsPlaceValuesAtTheCount)
{
  TChartSeries S(nullptr);
  S.XValues()->SetOrder(loNone);
  S.Add(10);
  S.AddX(7);
  S.AddY(20);
  EXPECT_EQ(Xs(S), (std::vector<double>{0, 7, 2}));
  EXPECT_EQ(Ys(S), (std::vector<double>{10, 1, 20}));
  // Horizontal kinds count along Y.
  TChartSeries H(nullptr);
  H.SetHorizontal();
  H.Add(10);
  H.Add(11);
  EXPECT_EQ(Xs(H), (std::vector<double>{10, 11}));
  EXPECT_EQ(Ys(H), (std::vector<double>{0, 1}));
  EXPECT_EQ(S.AddArray({1, 2, 3}), 3);
  EXPECT_EQ(S.AddArray({1, 2, 3}, {4, 5}), 2);
  EXPECT_EQ(S.Count(), 8);
}

TEST(ChartSeries, AVetoedAddChangesNothing)
{
  TChartSeries S(nullptr);
  S.AddXY(1, 1, QStringLiteral("a"), clRed);
  S.OnBeforeAdd = [](TChartSeries* Sender) { return Sender->XValues()->TempValue() < 10; };
  EXPECT_EQ(S.AddXY(20, 2, QStringLiteral("b"), clBlue), -1);
  EXPECT_EQ(S.Count(), 1);
  EXPECT_EQ(S.Labels()->Count(), 1);
  EXPECT_EQ(S.InternalColor(1), clDefault);
  // The staged values stay readable.
  EXPECT_EQ(S.YValues()->TempValue(), 2);
  EXPECT_EQ(S.AddXY(5, 2), 1);
}

TEST(ChartSeries, ColoursLabelsAndNullPoints)
{
  TChartSeries S(nullptr);
  S.SetSeriesColor(clGreen);
  for (int I = 0; I < 3; ++I)
    S.Add(I);
  EXPECT_EQ(S.InternalColor(0), clDefault); // no colour list yet
  S.Add(3, QString(), clRed);
  EXPECT_EQ(S.ValueColor(0), clGreen);
  EXPECT_EQ(S.ValueColor(2), clGreen);
  EXPECT_EQ(S.ValueColor(3), clRed);
  EXPECT_EQ(S.XLabel(3), QString());
  S.Add(4, QStringLiteral("four"));
  EXPECT_EQ(S.XLabel(4), QStringLiteral("four"));
  EXPECT_EQ(S.XLabel(0), QString());

  // Colouring a point past the end appends null points first.
  TChartSeries T(nullptr);
  T.SetDefaultNullValue(-1);
  for (int I = 0; I < 3; ++I)
    T.Add(I);
  T.SetValueColor(10, clRed);
  EXPECT_EQ(T.Count(), 11);
  for (int32_t I = 3; I < 10; ++I) {
    EXPECT_TRUE(T.IsNull(I)) << I;
    EXPECT_EQ(T.YValue(I), -1) << I;
  }
  EXPECT_FALSE(T.IsNull(10));
  EXPECT_EQ(T.ValueColor(10), clRed);

  TChartSeries N(nullptr);
  N.AddNull(5.0);
  N.AddNull(QStringLiteral("gap"));
  N.AddNullXY(3, 4);
  N.Add(1);
  EXPECT_TRUE(N.IsNull(0));
  EXPECT_TRUE(N.IsNull(1));
  EXPECT_EQ(N.XLabel(1), QStringLiteral("gap"));
  EXPECT_FALSE(N.IsNull(3));
  N.SetNull(0, false);
  EXPECT_FALSE(N.IsNull(0));
  N.SetNull(3);
  EXPECT_TRUE(N.IsNull(3));
  // Null points keep their colour through a colour range.
  N.ColorRange(N.YValues(), 0, 10, clBlue);
  EXPECT_EQ(N.ValueColor(0), clBlue);
  EXPECT_TRUE(N.IsNull(1));
}

TEST(ChartSeries, EachPointTakesAPaletteColour)
{
  TImageChart Chart;
  auto* S = new TChartSeries(nullptr);
  Chart.AddSeries(S);
  for (int I = 0; I < 3; ++I)
    S->Add(I);
  S->SetColorEachPoint(true);
  EXPECT_EQ(S->ValueColor(0), Chart.GetDefaultColor(0));
  EXPECT_EQ(S->ValueColor(2), Chart.GetDefaultColor(2));
  Chart.ColorPalette = {clRed, clBlue};
  EXPECT_EQ(S->ValueColor(2), clRed);
}

TEST(ChartSeries, EventsComeInOrder)
{
  struct Case {
    const char* Name;
    std::function<void(TEventFixture&)> Op;
    TLog Expected;
  };
  const Case Cases[] = {
      {"add",
       [](TEventFixture& F) { F.Series->AddXY(1, 10); },
       {"before add", "after add 0", "follower added 0", "repaint", "repaint"}},
      {"delete", [](TEventFixture& F) { F.Series->Delete(1); }, {"follower deleted 1", "repaint", "repaint"}},
      {"delete a run",
       [](TEventFixture& F) { F.Series->Delete(0, 2); },
       {"follower deleted -1", "follower rebuilt", "follower cleared", "repaint", "chart seDataChanged", "repaint",
        "repaint"}},
      {"clear", [](TEventFixture& F) { F.Series->Clear(); }, {"cleared", "follower cleared", "repaint", "repaint"}},
      {"update bracket",
       [](TEventFixture& F) {
         F.Series->BeginUpdate();
         F.Series->AddXY(5, 5);
         F.Series->AddXY(6, 6);
         F.Series->EndUpdate();
       },
       {"before add", "before add", "follower rebuilt", "follower cleared", "repaint", "chart seDataChanged", "repaint",
        "chart seDataChanged", "repaint"}},
      {"title", [](TEventFixture& F) { F.Series->SetTitle(QStringLiteral("T")); }, {"repaint", "chart seChangeTitle"}},
      {"same title", [](TEventFixture& F) { F.Series->SetTitle(QString()); }, {}},
      {"active", [](TEventFixture& F) { F.Series->SetActive(false); }, {"repaint", "chart seChangeActive"}},
      {"colour", [](TEventFixture& F) { F.Series->SetSeriesColor(clFuchsia); }, {"repaint", "chart seChangeColor"}},
      {"remove",
       [](TEventFixture& F) { F.Chart.RemoveSeries(F.Series); },
       {"chart seRemove", "chart seAfterRemove", "repaint"}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TEventFixture F;
    F.Series->AddXY(3, 30);
    F.Series->AddXY(4, 40);
    F.Series->AddXY(9, 90);
    F.Log.clear();
    C.Op(F);
    EXPECT_EQ(F.Log, C.Expected);
    // The follower holds what the series holds.
    if (F.Follower->DataSource()) {
      EXPECT_EQ(Xs(*F.Follower), Xs(*F.Series));
    }
  }
}

TEST(ChartSeries, UpdatesNestAndEndInOneRefresh)
{
  TLog Log;
  TChartSeries Source(nullptr);
  TFollower Follower(Log);
  Follower.SetDataSource(&Source);
  int AfterAdds = 0;
  Source.OnAfterAdd = [&](TChartSeries*, int32_t) { ++AfterAdds; };
  Source.BeginUpdate();
  Source.BeginUpdate();
  for (int I = 0; I < 10; ++I)
    Source.AddXY(I, I);
  Source.EndUpdate();
  EXPECT_TRUE(Log.empty());
  Source.EndUpdate();
  Source.EndUpdate(); // unbalanced: ignored
  EXPECT_EQ(AfterAdds, 0);
  EXPECT_EQ(Log, (TLog{"follower rebuilt", "follower cleared"}));
  EXPECT_EQ(Follower.Count(), 10);
}

TEST(ChartSeries, LinkedSeriesFollowTheirOptions)
{
  TLog Log;
  TChartSeries Source(nullptr);
  TFollower Follower(Log);
  Follower.SetDataSource(&Source);
  Follower.SetRecalcOptions(rOnClear);
  Source.AddXY(1, 1);
  Source.Delete(0);
  EXPECT_TRUE(Log.empty());
  Source.Clear();
  EXPECT_EQ(Log, (TLog{"follower cleared"}));

  // Feeding a series from itself, or in a circle, is refused.
  TChartSeries A(nullptr), B(nullptr);
  B.SetDataSource(&A);
  EXPECT_THROW(A.SetDataSource(&A), ChartException);
  try {
    A.SetDataSource(&B);
    FAIL() << "a circular source was accepted";
  } catch (const ChartException& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Circular Series dependences are not allowed"));
  }
  EXPECT_EQ(A.DataSource(), nullptr);
}

TEST(ChartSeries, AFreedSourceOrFollowerLeavesNoLink)
{
  TLog Log;
  auto* Source = new TChartSeries(nullptr);
  auto* Follower = new TFollower(Log);
  Follower->SetDataSource(Source);
  delete Follower;
  EXPECT_TRUE(Source->LinkedSeries().empty());
  Source->AddXY(1, 1);
  auto* Second = new TFollower(Log);
  Second->SetDataSource(Source);
  delete Source;
  EXPECT_EQ(Second->DataSource(), nullptr);
  // The source's last clear reached the follower.
  EXPECT_EQ(Log.back(), "follower cleared");
  delete Second;
}

TEST(ChartSeries, DeletingChecksItsIndexes)
{
  TChartSeries S(nullptr);
  for (int I = 0; I < 3; ++I)
    S.AddXY(I, I, QStringLiteral("L%1").arg(I), I == 1 ? clRed : clDefault);
  try {
    S.Delete(3);
    FAIL() << "a point past the end was deleted";
  } catch (const ChartException& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Series Delete: ValueIndex 3 out of bounds (0 to 2)."));
  }
  EXPECT_THROW(S.Delete(-1), ChartException);
  struct Case {
    int32_t Start, Quantity;
    const char* Text;
  };
  const Case Runs[] = {
      {0, 0, "Quantity of data points to delete must be greater than zero."},
      {2, 2, "Quantity of data to delete must be less than Count."},
  };
  for (const Case& C : Runs) {
    try {
      S.Delete(C.Start, C.Quantity);
      FAIL() << C.Text;
    } catch (const EAssertionFailed& E) {
      EXPECT_EQ(E.Message(), QString::fromLatin1(C.Text));
    }
  }
  EXPECT_EQ(S.Count(), 3);
  S.Delete(0, 2, true);
  EXPECT_EQ(S.Count(), 1);
  EXPECT_EQ(S.XLabel(0), QStringLiteral("L2"));
  EXPECT_EQ(S.ValueColor(0), S.SeriesColor());
  EXPECT_EQ(S.XValue(0), 0); // renumbered
}

TEST(ChartSeries, ClearEmptiesEveryListOnce)
{
  TChartSeries S(nullptr);
  auto* Extra = new TChartValueList(&S, QStringLiteral("Radius"));
  Extra->SetTempValue(7);
  S.AddXY(1, 1, QStringLiteral("a"), clRed);
  EXPECT_EQ(Extra->Count(), 1);
  EXPECT_EQ(S.GetYValueList(QStringLiteral("radius")), Extra);
  EXPECT_EQ(S.GetYValueList(QStringLiteral("Other")), S.YValues());
  int Clears = 0;
  S.OnClearValues = [&](TChartSeries*) { ++Clears; };
  S.Clear();
  EXPECT_EQ(Clears, 1);
  EXPECT_EQ(S.Count(), 0);
  EXPECT_EQ(Extra->Count(), 0);
  EXPECT_EQ(S.Labels()->Count(), 0);
  EXPECT_EQ(S.InternalColor(0), clDefault);
}

TEST(ChartSeries, SeriesJoinAndLeaveTheirChart)
{
  auto* Chart = new TImageChart;
  auto* A = new TChartSeries(nullptr);
  auto* B = new TChartSeries(nullptr);
  Chart->AddSeries(A);
  Chart->AddSeries(B);
  EXPECT_EQ(Chart->SeriesCount(), 2);
  EXPECT_EQ(B->SeriesIndex(), 1);
  // Each takes a palette colour the other does not use.
  EXPECT_EQ(A->SeriesColor(), Chart->GetDefaultColor(0));
  EXPECT_EQ(B->SeriesColor(), Chart->GetDefaultColor(1));
  EXPECT_FALSE(A->IsColorStored());
  EXPECT_EQ(A->GetVertAxis(), Chart->LeftAxis());
  EXPECT_EQ(A->GetHorizAxis(), Chart->BottomAxis());
  delete A;
  EXPECT_EQ(Chart->SeriesCount(), 1);
  EXPECT_EQ(B->SeriesIndex(), 0);
  B->SetParentChart(nullptr);
  EXPECT_EQ(Chart->SeriesCount(), 0);
  EXPECT_EQ(B->SeriesIndex(), -1);
  EXPECT_EQ(B->GetVertAxis(), nullptr);
  Chart->AddSeries(B);
  delete Chart; // frees the series it holds
}

TEST(ChartSeries, CustomAxisBindingFallsBackWhenTheAxisGoes)
{
  TImageChart Chart;
  auto* S = new TChartSeries(nullptr);
  Chart.AddSeries(S);
  TChartAxis* Axis = Chart.CustomAxes()->Add();
  S->SetCustomVertAxis(Axis);
  EXPECT_EQ(S->VertAxis(), aCustomVertAxis);
  EXPECT_EQ(S->GetVertAxis(), Axis);
  EXPECT_TRUE(S->AssociatedToAxis(Axis));
  EXPECT_FALSE(S->AssociatedToAxis(Chart.LeftAxis()));
  Chart.CustomAxes()->Delete(0);
  EXPECT_EQ(S->VertAxis(), aLeftAxis);
  EXPECT_EQ(S->GetVertAxis(), Chart.LeftAxis());
}

TEST(ChartSeries, LegendEntryIsMadeOnlyWhenWritten)
{
  TChartSeries S(nullptr);
  EXPECT_TRUE(S.ShowInLegend());
  EXPECT_EQ(S.LegendTitle(), QString());
  EXPECT_EQ(S.LegendIfAny(), nullptr);
  S.SetShowInLegend(false);
  ASSERT_NE(S.LegendIfAny(), nullptr);
  EXPECT_FALSE(S.ShowInLegend());
  S.SetLegend(nullptr);
  EXPECT_TRUE(S.ShowInLegend());
  // Style keeps its six flags only.
  S.SetStyle(0xFF);
  EXPECT_EQ(S.Style(), AllSeriesStyles);
  EXPECT_EQ(S.GetEditorClass(), QString());
  EXPECT_EQ(S.ValueFormat(), QStringLiteral("#,##0.###"));
  EXPECT_EQ(S.PercentFormat(), QStringLiteral("##0.## %"));
}
