// The three chart windows (time-series graph, depth-profile graph, position
// graph) in the real main window, fed by the simulator's cast through the
// real core (CastFixture.h): their lines hold what the core computed and
// kept (value table, history, depth tables); the legend's check boxes, the
// axis click, the copy action and the look after a short cast.
#include "CastFixture.h"

#include "app/windows/ChartActionCopy.h"
#include "app/windows/ChartScaleDlg.h"
#include "app/windows/ChartWindow.h"
#include "app/windows/DisplayNameDlg.h"
#include "app/windows/MDIBathyGraph.h"
#include "app/windows/MDIGraph.h"
#include "app/windows/MDIPosGraph.h"
#include "app/windows/QvNumEdit.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomChart.h"
#include "chart/series/FastLineSeries.h"
#include "platform/ActnList.h"
#include "platform/Bitmap.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/tests/GoldenImage.h"
#include "rtl/FormatSettings.h"
#include "rtl/Numbers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <optional>
#include <utility>

namespace {

using TPoints = std::vector<std::pair<double, double>>;

TPoints Points(const TChartSeries& S)
{
  TPoints P;
  for (int32_t I = 0; I < S.Count(); ++I)
    P.emplace_back((*S.XValues())[I], (*S.YValues())[I]);
  return P;
}

// The instrument's values and what the core derives from them; bathy
// depth, density and mean density not fitted, so total depth is item 7 and
// salinity item 8.
const std::set<int> Fitted = {0, 1, 2, 3, 4, 5, 7, 10};
// With the depth: depth is item 7, total depth item 8, salinity item 9.
const std::set<int> WithDepth = {0, 1, 2, 3, 4, 5, 6, 7, 10};

class ChartWindowsTest : public TCastTest {
protected:
  // A pixel of Chart where Hit holds, after the chart has been painted.
  static std::optional<QPoint> Find(TChart& Chart, const std::function<bool(const TPoint&)>& Hit)
  {
    (void)Chart.Handle()->grab();
    for (int32_t Y = 0; Y < Chart.Height(); ++Y)
      for (int32_t X = 0; X < Chart.Width(); ++X)
        if (Hit(TPoint{X, Y}))
          return QPoint(X, Y);
    return std::nullopt;
  }

  static std::optional<QPoint> FindAxis(TChart& Chart, TChartAxis* Axis)
  {
    return Find(Chart, [&](const TPoint& P) {
      const TChartClickedPart Part = Chart.CalcNeedClickedPart(P, false);
      return Part.Part == cpAxis && Part.AAxis == Axis;
    });
  }

  // The line's points as the core's history gives them for item slot
  // Slot: one per sample whose text is a number.
  TPoints HistoryPoints(int Slot)
  {
    const TCoreData& C = Core();
    TPoints P;
    for (int32_t J = 0; J < C.History.Time_Array_Index(); ++J) {
      double V = 0;
      if (TryStrToFloat(C.History.Value(Slot, J), V))
        P.emplace_back(TChartWindow::PointTime(C.History.DateArray(J), C.History.TimeArray(J)), V);
    }
    return P;
  }
};

} // namespace

TEST_F(ChartWindowsTest, TheChartKindsOpenFromTheDisplayTypeMenuWithTheirChartMenu)
{
  TMainForm& F = StartWith(Fitted);
  EXPECT_TRUE(F.DisplayTypeItems[2]->Enabled()); // Graph Display
  EXPECT_TRUE(F.DisplayTypeItems[3]->Enabled()); // Bathy Graph Display
  EXPECT_TRUE(F.DisplayTypeItems[4]->Enabled()); // Position Graph Display
  EXPECT_TRUE(F.DisplayTypeItems[6]->Enabled()); // Scale Display
  struct TCase {
    TMdiChildKind Kind;
    const char* Form;
    const char* Caption;
    bool Items;
  };
  const TCase Cases[] = {
      {TMdiChildKind::Graph, "MDIGraph", "Graph Window", true},
      {TMdiChildKind::BathyGraph, "MDIBathyGraph", "Bathy Graph Window", true},
      {TMdiChildKind::PositionGraph, "MDIPosGraph", "Position Graph Window", false},
  };
  for (const TCase& K : Cases) {
    SCOPED_TRACE(K.Form);
    const size_t Entries = F.ActionArray.size();
    auto* W = Open<TChartWindow>(K.Kind);
    ASSERT_NE(W, nullptr);
    EXPECT_EQ(W->Name(), QString::fromLatin1(K.Form));
    EXPECT_EQ(W->Caption(), QString::fromLatin1(K.Caption));
    EXPECT_EQ(W->BoundsRect(), (TRect{0, 0, 320, 240}));
    EXPECT_EQ(W->ScreenNumber(), F.CreateNumber);
    EXPECT_EQ(F.ActionArray.size(), Entries + 1);
    EXPECT_EQ(W->Chart1->Parent(), W);
    TMenuItem* Menu = W->PopupActionBar1->Items();
    const int32_t Lists = K.Items ? 3 : 0;
    ASSERT_EQ(Menu->Count(), Lists + 1);
    if (K.Items)
      EXPECT_EQ(W->Action(8)->Caption(), QStringLiteral("Salinity, PSU"));
    TMenuItem* Chart = Menu->Items(Lists);
    EXPECT_EQ(Chart->Caption(), QStringLiteral("Chart"));
    ASSERT_EQ(Chart->Count(), 1);
    EXPECT_EQ(Chart->Items(0)->Caption(), QStringLiteral("&Copy"));
    EXPECT_EQ(W->ChartActionCopy1->Hint(), QStringLiteral("Copy to Clipboard"));
    EXPECT_EQ(W->ChartActionCopy1->Chart(), W->Chart1);
  }
  // The graph's bottom axis shows dates as the creator set them; the
  // position graph's as its showing did.
  EXPECT_EQ(Windows<TMDIGraph>().front()->Chart1->BottomAxis()->DateTimeFormat(), QStringLiteral("dd/mm/yy hh:mm:ss"));
  EXPECT_EQ(Windows<TMDIPosGraph>().front()->Chart1->BottomAxis()->DateTimeFormat(),
            QStringLiteral("dd/mm/yy hh:mm:ss"));
}

TEST_F(ChartWindowsTest, TheGraphDrawsOneLineAndAxisPerItemInItemOrderWithTheCoresValues)
{
  StartWith(Fitted);
  auto* G = Open<TMDIGraph>(TMdiChildKind::Graph);
  ASSERT_NE(G, nullptr);
  // Chosen out of order: lines and axes follow the items.
  Choose(*G, {7, 3, 1, 2});
  TChart* C = G->Chart1;
  ASSERT_EQ(C->SeriesCount(), 4);
  ASSERT_EQ(C->CustomAxes()->Count(), 4);
  EXPECT_EQ(C->MarginLeft(), 240);
  EXPECT_EQ(C->BottomAxis()->Title()->Caption(), QStringLiteral("DATE / TIME"));
  struct TWant {
    int Item;
    int Slot;
    const char* Title;
    bool Inverted;
  };
  // ", mS/cm" holds ", m" as a length does: inverted as the rule has it.
  const TWant Wants[] = {{1, 0, "Conductivity, mS/cm", true},
                         {2, 1, "Pressure, dBar", true},
                         {3, 2, "Temperature, degC", false},
                         {7, 7, "Total Depth, m", true}};
  for (int32_t K = 0; K < 4; ++K) {
    SCOPED_TRACE(Wants[K].Title);
    TChartSeries* S = C->GetSeries(K);
    TChartAxis* A = C->CustomAxes()->Get(K);
    EXPECT_NE(dynamic_cast<TFastLineSeries*>(S), nullptr);
    EXPECT_EQ(S->Title(), QString::fromLatin1(Wants[K].Title));
    EXPECT_EQ(S->CustomVertAxis(), A);
    EXPECT_TRUE(S->XValues()->DateTime());
    EXPECT_EQ(S->XValues()->Order(), loNone);
    EXPECT_FALSE(A->Horizontal());
    EXPECT_EQ(A->PositionPercent(), -60.0 * K);
    EXPECT_EQ(A->Inverted(), Wants[K].Inverted);
    EXPECT_EQ(A->Title()->Caption(), S->Title());
    EXPECT_EQ(A->Axis()->Color(), S->SeriesColor());
    EXPECT_EQ(A->LabelsFont()->Color(), S->SeriesColor());
  }
  // Each line its own colour.
  EXPECT_NE(C->GetSeries(0)->SeriesColor(), C->GetSeries(1)->SeriesColor());

  constexpr int Count = 25;
  Cast(Count);
  for (int32_t K = 0; K < 4; ++K) {
    SCOPED_TRACE(Wants[K].Title);
    const TPoints Got = Points(*C->GetSeries(K));
    ASSERT_EQ(Got.size(), static_cast<size_t>(Count));
    EXPECT_EQ(Got, HistoryPoints(Wants[K].Slot));
    // The newest point is the value table's, at the item's own stamp.
    const auto Index = static_cast<size_t>(2 * Wants[K].Item - 1);
    EXPECT_EQ(Got.back().second, StrToFloat(Core().DataArray[Index]));
    EXPECT_EQ(Got.back().first, TChartWindow::PointTime(Core().DataDateArray[Index], Core().DataTimeArray[Index]));
  }
  EXPECT_EQ(FormatSettings.LongTimeFormat, QStringLiteral("HH:mm:ss"));

  // A graph opened now replays the history: the same lines at once.
  auto* Late = Open<TMDIGraph>(TMdiChildKind::Graph);
  Choose(*Late, {1, 2, 3, 7});
  for (int32_t K = 0; K < 4; ++K)
    EXPECT_EQ(Points(*Late->Chart1->GetSeries(K)), Points(*C->GetSeries(K))) << Wants[K].Title;

  // Items off: the others keep their lines; the last off empties the chart
  // and samples are ignored.
  Choose(*G, {2, 3, 7});
  ASSERT_EQ(C->SeriesCount(), 1);
  EXPECT_EQ(C->CustomAxes()->Count(), 1);
  EXPECT_EQ(C->GetSeries(0)->Count(), Count);
  Choose(*G, {1});
  EXPECT_EQ(C->SeriesCount(), 0);
  EXPECT_EQ(C->CustomAxes()->Count(), 0);
  EXPECT_EQ(G->DataUpdateFlag, 0);
  Cast(1);
  EXPECT_EQ(C->SeriesCount(), 0);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ChartWindowsTest, AGraphLineKeepsMaximumViewPointsPlusOne)
{
  StartWith(Fitted, "[Quorndeck]\r\nMaximum View Points=60\r\n");
  auto* G = Open<TMDIGraph>(TMdiChildKind::Graph);
  Choose(*G, {2});
  Cast(70);
  const TPoints Got = Points(*G->Chart1->GetSeries(0));
  ASSERT_EQ(Got.size(), 61u);
  // The newest 61 samples: the first dropped one by one.
  const TDateTime Newest = TChartWindow::PointTime(Core().DataDateArray[3], Core().DataTimeArray[3]);
  EXPECT_NEAR(Got.back().first, Newest, 1e-9);
  EXPECT_NEAR(Got.front().first, Newest - 60.0 / 86400.0, 1e-9);
  // A rebuild replays the history the core keeps: its 59 samples.
  Choose(*G, {3});
  EXPECT_EQ(G->Chart1->GetSeries(0)->Count(), Core().History.Time_Array_Index());
  EXPECT_EQ(G->Chart1->GetSeries(0)->Count(), 59);
}

TEST_F(ChartWindowsTest, AReadingThatIsNoNumberAddsNoPoint)
{
  StartWith(WithDepth);
  auto* G = Open<TMDIGraph>(TMdiChildKind::Graph);
  Choose(*G, {2, 3});
  auto* P = Open<TMDIPosGraph>(TMdiChildKind::PositionGraph);
  Cast(3);
  TCoreData& C = Core();
  const TPoints Pressure = Points(*G->Chart1->GetSeries(0));
  const TPoints Depth = Points(*P->Series1);
  ASSERT_EQ(Pressure.size(), 3u);
  ASSERT_EQ(Depth.size(), 3u);
  // No reading from the instrument: the window's walk goes on, the lines
  // keep what they had, the numbers beside them are still added.
  const struct {
    const char* Text;
  } Cases[] = {{"-----"}, {""}, {"nan"}, {"1.#INF"}};
  for (const auto& K : Cases) {
    SCOPED_TRACE(K.Text);
    C.DataArray[3] = QString::fromLatin1(K.Text);
    C.DataArray[static_cast<size_t>(C.BathyDepthIndex)] = QString::fromLatin1(K.Text);
    const int32_t Temperatures = G->Chart1->GetSeries(1)->Count();
    const int32_t TotalDepths = P->Series2->Count();
    C.Hooks.UpdateWindows();
    EXPECT_EQ(Points(*G->Chart1->GetSeries(0)), Pressure);
    EXPECT_EQ(Points(*P->Series1), Depth);
    EXPECT_EQ(G->Chart1->GetSeries(1)->Count(), Temperatures + 1);
    EXPECT_EQ(P->Series2->Count(), TotalDepths + 1);
  }
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ChartWindowsTest, TheDepthProfileDrawsTheDepthTables)
{
  StartWith(WithDepth);
  auto* B = Open<TMDIBathyGraph>(TMdiChildKind::BathyGraph);
  ASSERT_NE(B, nullptr);
  // Before any choice samples are ignored.
  Cast(2);
  EXPECT_EQ(B->Chart1->SeriesCount(), 0);
  Choose(*B, {9, 3, 7});
  TChart* C = B->Chart1;
  ASSERT_EQ(C->SeriesCount(), 3);
  EXPECT_EQ(C->MarginBottom(), 120);
  EXPECT_EQ(C->LeftAxis()->Title()->Caption(), QStringLiteral("Depth, m"));
  EXPECT_TRUE(C->LeftAxis()->Inverted());
  // No history replayed: the profiles come with the next sample.
  EXPECT_EQ(C->GetSeries(0)->Count(), 0);
  struct TWant {
    int Slot;
    const char* Title;
  };
  const TWant Wants[] = {{2, "Temperature, degC"}, {6, "Depth, m"}, {10, "Salinity, PSU"}};
  for (int32_t K = 0; K < 3; ++K) {
    TChartAxis* A = C->CustomAxes()->Get(K);
    EXPECT_EQ(C->GetSeries(K)->Title(), QString::fromLatin1(Wants[K].Title));
    EXPECT_EQ(C->GetSeries(K)->CustomHorizAxis(), A);
    EXPECT_FALSE(C->GetSeries(K)->XValues()->DateTime());
    EXPECT_TRUE(A->Horizontal());
    EXPECT_EQ(A->PositionPercent(), -40.0 * K);
    EXPECT_EQ(A->EndPosition(), 98.0);
    EXPECT_EQ(A->Axis()->Color(), C->GetSeries(K)->SeriesColor());
  }
  Cast(30);
  const TCoreData& D = Core();
  for (int32_t K = 0; K < 3; ++K) {
    SCOPED_TRACE(Wants[K].Title);
    TPoints Want;
    for (int32_t Bin = 1; Bin <= 6000; ++Bin)
      if (const double V = D.DepthTables.Value(Wants[K].Slot, Bin); V > 0)
        Want.emplace_back(V, D.DepthTables.Value(slBathyDepth, Bin));
    EXPECT_GT(Want.size(), 15u);
    EXPECT_EQ(Points(*C->GetSeries(K)), Want);
  }
  // The depth item against itself.
  for (const auto& [X, Y] : Points(*C->GetSeries(1)))
    EXPECT_EQ(X, Y);
  // A data-file replay redraws the profiles from the tables.
  Core().DepthTables.Clear();
  Core().DepthTables.SetValue(2, 10, 7.5);
  Core().DepthTables.SetValue(6, 10, 9.0);
  Form->UpdateDepthWindows();
  EXPECT_EQ(Points(*C->GetSeries(0)), (TPoints{{7.5, 9.0}}));
  EXPECT_EQ(Points(*C->GetSeries(2)), TPoints{});
}

TEST_F(ChartWindowsTest, ThePositionGraphPlotsDepthAndTotalDepthFromItsOpening)
{
  struct TCase {
    const char* What;
    std::set<int> Slots;
    bool Depth, TotalDepth;
  };
  const TCase Cases[] = {
      {"both fitted", WithDepth, true, true},
      // The entry two places after the depth is the salinity's here.
      {"no total depth", {0, 1, 2, 3, 4, 5, 6, 10}, true, false},
      {"no depth", Fitted, false, true},
  };
  for (const TCase& K : Cases) {
    SCOPED_TRACE(K.What);
    Form.reset();
    StartWith(K.Slots);
    Cast(3);
    auto* P = Open<TMDIPosGraph>(TMdiChildKind::PositionGraph);
    ASSERT_NE(P, nullptr);
    EXPECT_EQ(P->DataUpdateFlag, 1);
    EXPECT_EQ(P->ItemMask(), 0);
    // Nothing from before its opening.
    EXPECT_EQ(P->Series1->Count(), 0);
    Cast(5);
    const TCoreData& C = Core();
    const struct {
      TFastLineSeries* Line;
      bool Fitted;
      int32_t Index;
      const char* Title;
    } Lines[] = {{P->Series1, K.Depth, C.BathyDepthIndex, "Depth"},
                 {P->Series2, K.TotalDepth, C.TotalDepthIndex, "Total Depth"}};
    for (const auto& L : Lines) {
      EXPECT_EQ(L.Line->Title(), QString::fromLatin1(L.Title));
      EXPECT_TRUE(L.Line->XValues()->DateTime());
      ASSERT_EQ(L.Line->Count(), L.Fitted ? 5 : 0) << L.Title;
      if (!L.Fitted)
        continue;
      const auto I = static_cast<size_t>(L.Index);
      EXPECT_EQ((*L.Line->YValues())[4], StrToFloat(C.DataArray[I])) << L.Title;
      EXPECT_EQ((*L.Line->XValues())[4], TChartWindow::PointTime(C.DataDateArray[I], C.DataTimeArray[I])) << L.Title;
    }
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
  }
}

TEST_F(ChartWindowsTest, ALegendCheckBoxHidesItsLine)
{
  StartWith(Fitted);
  auto* G = Open<TMDIGraph>(TMdiChildKind::Graph);
  G->SetBounds(0, 0, 640, 400);
  Choose(*G, {2, 3});
  Cast(5);
  TChart& C = *G->Chart1;
  TChartSeries* Pressure = C.GetSeries(0);
  const std::optional<QPoint> Row = Find(C, [&](const TPoint& P) { return C.Legend()->Clicked(P) == 0; });
  ASSERT_TRUE(Row.has_value());
  QTest::mouseClick(C.Handle(), Qt::LeftButton, {}, *Row);
  EXPECT_FALSE(Pressure->Active());
  EXPECT_TRUE(C.GetSeries(1)->Active());
  // Still filled while hidden; shown again by the same box.
  Cast(1);
  EXPECT_EQ(Pressure->Count(), 6);
  QTest::mouseClick(C.Handle(), Qt::LeftButton, {}, *Row);
  EXPECT_TRUE(Pressure->Active());
}

TEST_F(ChartWindowsTest, AClickOnAValueAxisSetsItsRangeAndTheDateAxisOpensNoDialog)
{
  StartWith(Fitted);
  ASSERT_NE(ChartScaleDlg, nullptr);
  auto* G = Open<TMDIGraph>(TMdiChildKind::Graph);
  G->SetBounds(0, 0, 640, 400);
  Choose(*G, {2, 3});
  Cast(5);
  TChart& C = *G->Chart1;
  int Shown = 0;
  const auto AnswerDialog = [&] {
    QTimer::singleShot(0, [&] {
      if (!ChartScaleDlg->Visible())
        return;
      ++Shown;
      ChartScaleDlg->QvNumEdit1->SetValue(40);
      ChartScaleDlg->QvNumEdit2->SetValue(5);
      ChartScaleDlg->OKBtn->Click();
    });
  };
  TChartAxis* Temperature = C.CustomAxes()->Get(1);
  const std::optional<QPoint> OnAxis = FindAxis(C, Temperature);
  ASSERT_TRUE(OnAxis.has_value());
  AnswerDialog();
  QTest::mouseClick(C.Handle(), Qt::LeftButton, {}, *OnAxis);
  EXPECT_EQ(Shown, 1);
  EXPECT_FALSE(Temperature->Automatic());
  EXPECT_EQ(Temperature->Minimum(), 5.0);
  EXPECT_EQ(Temperature->Maximum(), 40.0);
  EXPECT_TRUE(C.CustomAxes()->Get(0)->Automatic());

  const std::optional<QPoint> OnDates = FindAxis(C, C.BottomAxis());
  ASSERT_TRUE(OnDates.has_value());
  AnswerDialog();
  QTest::mouseClick(C.Handle(), Qt::LeftButton, {}, *OnDates);
  QCoreApplication::processEvents();
  EXPECT_EQ(Shown, 1);
  EXPECT_TRUE(C.BottomAxis()->Automatic());
}

TEST_F(ChartWindowsTest, CopyPutsTheChartOnTheClipboardAsAPicture)
{
  StartWith(Fitted);
  auto* G = Open<TMDIGraph>(TMdiChildKind::Graph);
  Choose(*G, {2});
  Cast(4);
  QGuiApplication::clipboard()->clear();
  ASSERT_TRUE(G->ChartActionCopy1->Execute());
  const QImage Copied = QGuiApplication::clipboard()->image();
  ASSERT_EQ(Copied.size(), QSize(G->Chart1->Width(), G->Chart1->Height()));
  const QImage Shown = G->Chart1->Handle()->grab().toImage().convertToFormat(Copied.format());
  // The picture is what the window shows.
  int Differing = 0;
  for (int Y = 0; Y < Copied.height(); ++Y)
    for (int X = 0; X < Copied.width(); ++X) {
      const QRgb A = Copied.pixel(X, Y), B = Shown.pixel(X, Y);
      Differing += std::abs(qRed(A) - qRed(B)) > 16 || std::abs(qGreen(A) - qGreen(B)) > 16 ||
                   std::abs(qBlue(A) - qBlue(B)) > 16;
    }
  EXPECT_LE(Differing, 30);
  // A drawn chart, not an empty picture: gradient, line and texts.
  std::set<QRgb> Colours;
  for (int Y = 0; Y < Copied.height(); Y += 3)
    for (int X = 0; X < Copied.width(); X += 3)
      Colours.insert(Copied.pixel(X, Y));
  EXPECT_GT(Colours.size(), 20u);
  // The chart freed: the action forgets it and copies nothing.
  TChartActionCopy Loose(nullptr);
  {
    TChart Chart(nullptr);
    Loose.SetChart(&Chart);
  }
  EXPECT_EQ(Loose.Chart(), nullptr);
  EXPECT_FALSE(Loose.Execute());
}

TEST_F(ChartWindowsTest, AUserDisplayReopensTheChartWindowsWithTheirPlacesAndItems)
{
  TMainForm& F = StartWith(WithDepth);
  auto* G = Open<TMDIGraph>(TMdiChildKind::Graph);
  Choose(*G, {2, 8});
  G->SetBounds(10, 20, 400, 300);
  auto* B = Open<TMDIBathyGraph>(TMdiChildKind::BathyGraph);
  Choose(*B, {3});
  B->SetBounds(420, 0, 300, 400);
  auto* P = Open<TMDIPosGraph>(TMdiChildKind::PositionGraph);
  P->SetBounds(0, 330, 500, 250);
  Cast(3);
  QTimer::singleShot(0, [this] { Form->DisplayNameDialog()->OKBtn->Click(); });
  F.SaveActions[3]->Execute();
  ASSERT_TRUE(ReadSettings().contains("=MDIPosGraph\r\n")) << ReadSettings().toStdString();

  F.Load4Execute();
  ASSERT_EQ(Windows<TChartWindow>().size(), 3u);
  auto* G2 = Windows<TMDIGraph>().front();
  auto* B2 = Windows<TMDIBathyGraph>().front();
  auto* P2 = Windows<TMDIPosGraph>().front();
  EXPECT_NE(G2, G);
  EXPECT_EQ(G2->BoundsRect(), (TRect{10, 20, 410, 320}));
  EXPECT_EQ(G2->ItemMask(), 2 + 128);
  ASSERT_EQ(G2->Chart1->SeriesCount(), 2);
  EXPECT_EQ(G2->Chart1->GetSeries(1)->Title(), QStringLiteral("Total Depth, m"));
  // The history replayed into the reopened graph.
  EXPECT_EQ(G2->Chart1->GetSeries(0)->Count(), 3);
  EXPECT_EQ(B2->BoundsRect(), (TRect{420, 0, 720, 400}));
  EXPECT_EQ(B2->ItemMask(), 4);
  EXPECT_EQ(B2->Chart1->SeriesCount(), 1);
  EXPECT_EQ(P2->BoundsRect(), (TRect{0, 330, 500, 580}));
  EXPECT_EQ(P2->ItemMask(), 0);
  // The reopened position graph plots at once.
  Core().Hooks.UpdateWindows();
  EXPECT_EQ(P2->Series1->Count(), 1);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ChartWindowsTest, EachChartWindowAfterAShortCastLooksAsItDid)
{
  StartWith(WithDepth);
  auto* G = Open<TMDIGraph>(TMdiChildKind::Graph);
  Choose(*G, {2, 3, 8});
  auto* B = Open<TMDIBathyGraph>(TMdiChildKind::BathyGraph);
  Choose(*B, {3, 9});
  auto* P = Open<TMDIPosGraph>(TMdiChildKind::PositionGraph);
  for (TChartWindow* W : {static_cast<TChartWindow*>(G), static_cast<TChartWindow*>(B), static_cast<TChartWindow*>(P)})
    W->SetBounds(0, 0, 480, 360);
  Cast(20);
  struct TCase {
    TChartWindow* Window;
    const char* Golden;
  };
  for (const TCase& K : {TCase{G, "chart_graph"}, TCase{B, "chart_bathy"}, TCase{P, "chart_position"}}) {
    const QImage Shot = K.Window->Handle()->grab().toImage();
    EXPECT_GOLDEN(Shot, QString::fromLatin1(K.Golden), 16, 60);
  }
}
