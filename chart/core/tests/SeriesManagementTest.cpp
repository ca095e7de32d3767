// Series joining and leaving a chart with their events in order, free
// palette colours (every entry offered, the last one too), freeing,
// exchanging, data-source checks, the legend's series, the axis' series
// and a theme chart's formatting.
#include "CoreTestSupport.h"

#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesList.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzCustomTool.h"
#include "platform/ClassRegistry.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TLog : public IZuzEventListener {
public:
  void ZuzEvent(TZuzEvent* Event) override
  {
    if (auto* E = dynamic_cast<TZuzSeriesEvent*>(Event)) {
      static const char* Names[] = {"add", "remove", "title", "color", "swap", "active", "data", "afterremove"};
      Lines << QString::fromLatin1(Names[E->Event]);
    }
  }
  QStringList Lines;
};

TChartSeries* NewSeries(TCustomAxisPanel& C, const char* Name = nullptr)
{
  auto* S = new TChartSeries(&C);
  if (Name)
    S->SetName(QString::fromLatin1(Name));
  C.AddSeries(S);
  return S;
}

} // namespace

TEST(SeriesManagement, AddingTwiceKeepsOneEntry)
{
  TImageChart C;
  TLog Log;
  C.AddListener(&Log);
  int Added = 0;
  C.OnAddSeries = [&](TCustomChartSeries*) { ++Added; };
  auto* S = new TChartSeries(&C);
  C.AddSeries(S);
  C.AddSeries(S);
  C.InternalAddSeries(S);
  EXPECT_EQ(C.SeriesCount(), 1);
  EXPECT_EQ(Added, 1);
  EXPECT_EQ(Log.Lines.count(QStringLiteral("add")), 1);
  C.RemoveListener(&Log);
}

TEST(SeriesManagement, RemovingTellsListenersBeforeAndAfterTheEvent)
{
  TImageChart C;
  TLog Log;
  C.AddListener(&Log);
  TChartSeries* S = NewSeries(C);
  Log.Lines.clear();
  C.OnRemoveSeries = [&](TCustomChartSeries*) { Log.Lines << QStringLiteral("OnRemoveSeries"); };
  C.RemoveSeries(S);
  EXPECT_EQ(Log.Lines, (QStringList{"remove", "OnRemoveSeries", "afterremove"}));
  EXPECT_EQ(S->ParentChart(), nullptr);
  // The series lives on and can join another chart.
  TImageChart Other;
  Other.AddSeries(S);
  EXPECT_EQ(Other.SeriesCount(), 1);
  // Nothing for a negative index or a series not in the list.
  Log.Lines.clear();
  C.RemoveSeries(-1);
  C.RemoveSeries(S);
  EXPECT_TRUE(Log.Lines.isEmpty());
  C.RemoveListener(&Log);
}

TEST(SeriesManagement, FreeColoursOfferEveryPaletteEntry)
{
  // Each series in turn takes the first colour no other series shows; a
  // palette of N colours gives N series N colours, the last one included,
  // before the colours repeat.
  struct Case {
    const char* Name;
    TColorArray Palette;
    std::vector<TColor> Taken;
    TColor Expected;
  };
  const Case Cases[] = {
      {"the last entry is free", {0x11, 0x22, 0x33}, {0x11, 0x22}, 0x33},
      {"the first entry is free", {0x11, 0x22, 0x33}, {0x22}, 0x11},
      {"all taken: by the number of series", {0x11, 0x22, 0x33}, {0x11, 0x22, 0x33}, 0x11},
      {"one colour", {0x11}, {0x11}, 0x11},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TImageChart C;
    C.ColorPalette = K.Palette;
    for (TColor T : K.Taken)
      NewSeries(C)->SetSeriesColor(T);
    EXPECT_EQ(C.GetFreeSeriesColor(false, nullptr), K.Expected);
  }
  // Three series on a three-colour palette get three different colours.
  TImageChart C;
  C.ColorPalette = {0x11, 0x22, 0x33};
  TChartSeries* A = NewSeries(C);
  TChartSeries* B = NewSeries(C);
  TChartSeries* D = NewSeries(C);
  EXPECT_EQ(A->SeriesColor(), TColor(0x11));
  EXPECT_EQ(B->SeriesColor(), TColor(0x22));
  EXPECT_EQ(D->SeriesColor(), TColor(0x33));
  // With the background checked, its colour is not offered.
  TImageChart E;
  E.ColorPalette = {E.GetBackColor(), 0x22};
  EXPECT_EQ(E.GetFreeSeriesColor(true, nullptr), TColor(0x22));
}

TEST(SeriesManagement, ANewPaletteRecoloursSeriesWithoutTheirOwnColour)
{
  TImageChart C;
  TChartSeries* Auto = NewSeries(C);
  TChartSeries* Own = NewSeries(C);
  Own->SetSeriesColor(0x123456);
  C.ColorPalette = {0xAA, 0xBB};
  C.ColorPaletteChanged();
  EXPECT_EQ(Auto->SeriesColor(), TColor(0xAA));
  EXPECT_EQ(Own->SeriesColor(), TColor(0x123456));
}

TEST(SeriesManagement, FreeAllSeriesKeepsDetailSeriesAlive)
{
  TImageChart C;
  NewSeries(C);
  TChartSeries* Master = NewSeries(C);
  auto* Detail = new TChartSeries(nullptr);
  Detail->ParentSeries = Master;
  C.AddSeries(Detail);
  NewSeries(C);
  C.FreeAllSeries();
  EXPECT_EQ(C.SeriesCount(), 0);
  EXPECT_EQ(Detail->ParentChart(), nullptr);
  delete Detail;
}

TEST(SeriesManagement, FreeAllSeriesOfOneKind)
{
  TImageChart C;
  NewSeries(C);
  NewSeries(C);
  // No series is of an unrelated kind; every one is a TChartSeries.
  C.FreeAllSeries(ClassInfoFor<TZuzCustomTool>());
  EXPECT_EQ(C.SeriesCount(), 2);
  C.FreeAllSeries(ClassInfoFor<TChartSeries>());
  EXPECT_EQ(C.SeriesCount(), 0);
}

TEST(SeriesManagement, ExchangingSkipsSeriesForInternalUse)
{
  TImageChart C;
  TChartSeries* A = NewSeries(C, "A");
  TChartSeries* B = NewSeries(C, "B");
  TChartSeries* D = NewSeries(C, "D");
  A->IInternalUse = true;
  TLog Log;
  C.AddListener(&Log);
  TSeriesGroup* G = C.SeriesList().AddGroup(QStringLiteral("G"));
  G->Series().Add(B);
  G->Series().Add(D);
  C.ExchangeSeries(0, 2);
  EXPECT_EQ(C.GetSeries(0), A);
  EXPECT_EQ(C.GetSeries(1), D);
  EXPECT_EQ(C.GetSeries(2), B);
  EXPECT_EQ(Log.Lines, QStringList{QStringLiteral("swap")});
  // The stored order and the group follow.
  EXPECT_LT(D->ComponentIndex(), B->ComponentIndex());
  EXPECT_EQ(G->Series()[0], D);
  // Series of two charts swap charts.
  TImageChart Other;
  TChartSeries* O = NewSeries(Other);
  C.ExchangeSeries(B, O);
  EXPECT_EQ(B->ParentChart(), &Other);
  EXPECT_EQ(O->ParentChart(), &C);
  C.RemoveListener(&Log);
}

TEST(SeriesManagement, CircularSourcesAreRefused)
{
  TImageChart C;
  TChartSeries* A = NewSeries(C);
  TChartSeries* B = NewSeries(C);
  TChartSeries* D = NewSeries(C);
  B->SetDataSource(A);
  D->SetDataSource(B);
  EXPECT_NO_THROW(C.CheckOtherSeries(D, nullptr));
  try {
    A->SetDataSource(D);
    FAIL() << "a loop of sources was accepted";
  } catch (const ChartException& E) {
    EXPECT_EQ(E.Message(), ZuzMsg_CircularSeries);
  }
  EXPECT_EQ(A->DataSource(), nullptr);
  EXPECT_THROW(C.CheckOtherSeries(A, D), ChartException);
  // A source may be turned down by the chart's event.
  EXPECT_TRUE(C.IsValidDataSource(D, A));
  C.OnValidDataSource = [](TCustomAxisPanel*, TChartSeries*, TComponent*, bool& Valid) { Valid = false; };
  EXPECT_FALSE(C.IsValidDataSource(D, A));
  EXPECT_FALSE(C.IsValidDataSource(A, A));
}

TEST(SeriesManagement, TheLegendsSeriesAndTheAxisSeries)
{
  TImageChart C;
  TChartSeries* A = NewSeries(C, "A");
  TChartSeries* Hidden = NewSeries(C, "Hidden");
  TChartSeries* Off = NewSeries(C, "Off");
  Hidden->SetShowInLegend(false);
  Off->SetActive(false);
  Off->SetTitle(QStringLiteral("Salinity"));
  EXPECT_EQ(C.SeriesLegend(0, true), A);
  EXPECT_EQ(C.SeriesLegend(1, true), nullptr);
  EXPECT_EQ(C.SeriesLegend(1, false), Off);
  EXPECT_EQ(C.SeriesTitleLegend(1, false), QStringLiteral("Salinity"));
  EXPECT_EQ(C.SeriesTitleLegend(0, true), QStringLiteral("A"));
  EXPECT_EQ(C.SeriesTitleLegend(5, true), String());
  A->SetLegendTitle(QStringLiteral("Sound\rvelocity"));
  EXPECT_EQ(C.SeriesTitleLegend(0, true), QStringLiteral("Sound velocity"));

  // The axis series: active ones first; with none active on the axis, any.
  TChartAxis* Custom = C.CustomAxes()->Add();
  Off->SetCustomVertAxis(Custom);
  for (int I = 0; I < 5; ++I)
    Off->AddXY(I, I);
  EXPECT_EQ(C.GetAxisSeries(Custom), Off);
  EXPECT_EQ(C.GetAxisSeries(C.LeftAxis()), A);
  A->AddXY(0, 0);
  Hidden->AddXY(0, 0);
  Hidden->AddXY(1, 1);
  EXPECT_EQ(C.GetAxisSeriesMaxPoints(C.LeftAxis()), Hidden);
  EXPECT_EQ(C.GetAxisSeriesMaxPoints(C.RightAxis()), nullptr);
  EXPECT_EQ(C.GetMaxValuesCount(), 2);
  EXPECT_EQ(C.CountActiveSeries(), 2);
}

TEST(SeriesManagement, AThemeChartLendsItsFormatting)
{
  TImageChart C;
  auto Theme = std::make_unique<TImageChart>();
  TImageChart* T = Theme.get();
  TChartSeries* Template = NewSeries(*T);
  Template->SetValueFormat(QStringLiteral("0.000"));
  Template->Pen()->SetWidth(3);
  Template->SetSeriesColor(0x0000FF);
  C.SetTheme(std::move(Theme));
  TChartSeries* S = NewSeries(C);
  EXPECT_EQ(S->ValueFormat(), QStringLiteral("0.000"));
  EXPECT_EQ(S->Pen()->Width(), 3);
  EXPECT_EQ(S->SeriesColor(), TColor(0x0000FF));
  // A theme chart without series gets a plain one as its template.
  TImageChart D;
  D.SetTheme(std::make_unique<TImageChart>());
  NewSeries(D);
  EXPECT_EQ(dynamic_cast<TCustomAxisPanel*>(D.Theme())->SeriesCount(), 1);
  // Tools copy the theme's first tool of their kind.
  auto* Tool = new TZuzCustomTool(nullptr);
  Tool->SetActive(false);
  T->Tools().Add(Tool);
  auto* Mine = new TZuzCustomTool(nullptr);
  C.Tools().Add(Mine);
  EXPECT_FALSE(Mine->Active());
  delete Mine;
  EXPECT_EQ(C.Tools().Count(), 0);
  delete Tool;
}
