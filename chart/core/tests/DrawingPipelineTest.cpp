// The axis panel's drawing pipeline: the order of its steps and events
// on a recording canvas, which axes it shows, the series' visible points,
// their binding to standard and custom axes, and golden images of a chart
// with four standard axes, two custom vertical axes and a gradient
// background on both canvases.
#include "CoreTestSupport.h"

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "platform/tests/GoldenImage.h"
#include "chart/canvas/tests/RecordingCanvas.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartSeries.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Records entities by name, and every drawing call of the recording canvas.
class TEntityCanvas : public TRecordingCanvas {
public:
  TVisualBlock* BeginEntity(const String& Entity, TVisualBlock*, TZuzTransform*) override
  {
    Log << QStringLiteral("Begin ") + Entity;
    Open.push_back(Entity);
    return nullptr;
  }
  void EndEntity() override
  {
    Log << QStringLiteral("End ") + (Open.empty() ? QString() : Open.back());
    if (!Open.empty())
      Open.pop_back();
  }
  std::vector<String> Open;
};

// A series that draws a polyline point by point and says so.
class TPolylineSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
  void DrawValue(int32_t I) override
  {
    if (auto* R = dynamic_cast<TRecordingCanvas*>(ParentChart()->InternalCanvas()))
      R->Log << QStringLiteral("DrawValue %1").arg(I);
    TCanvas3D* C = ParentChart()->InternalCanvas();
    C->AssignVisiblePenColor(Pen(), SeriesColor());
    if (I == FirstDisplayedIndex())
      C->MoveTo(CalcXPos(I), CalcYPos(I));
    else
      C->LineTo(CalcXPos(I), CalcYPos(I));
  }
};

// A series that uses no axes (as a pie does).
class TNoAxisSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
  bool UseAxis() const override { return false; }
};

const char* ToolEventName(TChartToolEvent E)
{
  static const char* Names[] = {"AfterDraw",      "BeforeDrawSeries", "BeforeDraw",
                                "BeforeDrawAxes", "AfterDrawSeries",  "MouseLeave"};
  return Names[E];
}

// A chart drawing on a recording canvas whose tools and events log into
// the canvas's log.
class TRecordedChart : public TImageChart {
public:
  TRecordedChart()
  {
    auto C = std::make_unique<TEntityCanvas>();
    Canvas = C.get();
    SetInternalCanvas(std::move(C));
    SetView3D(false);
    OnBeforeDrawChart = [this](TObject*) { Canvas->Log << QStringLiteral("OnBeforeDrawChart"); };
    OnBeforeDrawAxes = [this](TObject*) { Canvas->Log << QStringLiteral("OnBeforeDrawAxes"); };
    OnBeforeDrawSeries = [this](TObject*) { Canvas->Log << QStringLiteral("OnBeforeDrawSeries"); };
    OnAfterDraw = [this](TObject*) { Canvas->Log << QStringLiteral("OnAfterDraw"); };
  }
  void BroadcastToolEvent(TChartToolEvent E) override
  {
    Canvas->Log << QStringLiteral("tools ") + QString::fromLatin1(ToolEventName(E));
  }
  void BroadcastAnimationEvent(TChartToolEvent E) override
  {
    Canvas->Log << QStringLiteral("animations ") + QString::fromLatin1(ToolEventName(E));
  }
  void BroadcastSeriesToolEvent(TChartToolEvent E, TChartSeries* S) override
  {
    Canvas->Log << QStringLiteral("tools ") + QString::fromLatin1(ToolEventName(E)) + QLatin1Char(' ') + S->Name();
  }
  // The log without the drawing primitives, and without the inside of the
  // axes' own entities.
  QStringList Steps() const
  {
    QStringList R;
    int Depth = 0;
    for (const QString& S : Canvas->Log) {
      const bool Axis = S == QStringLiteral("Begin Left") || S == QStringLiteral("Begin Bottom");
      if (Depth > 0) {
        if (S.startsWith(QStringLiteral("Begin ")))
          ++Depth;
        else if (S.startsWith(QStringLiteral("End ")))
          --Depth;
        continue;
      }
      if (S.contains(QLatin1Char('(')))
        continue;
      R << S;
      if (Axis)
        Depth = 1;
    }
    return R;
  }
  TEntityCanvas* Canvas;
};

} // namespace

TEST(DrawingPipeline, StepsAndEventsInTheirOrder)
{
  for (const bool Behind : {true, false}) {
    SCOPED_TRACE(Behind ? "axes behind the series" : "axes over the series");
    TRecordedChart Chart;
    Chart.SetAxisBehind(Behind);
    auto* S = new TPolylineSeries(&Chart);
    S->SetName(QStringLiteral("Trace"));
    Chart.AddSeries(S);
    for (int I = 0; I < 3; ++I)
      S->AddXY(I, I * I);
    S->BeforeDrawValues = [&](TObject*) { Chart.Canvas->Log << QStringLiteral("BeforeDrawValues"); };
    S->AfterDrawValues = [&](TObject*) { Chart.Canvas->Log << QStringLiteral("AfterDrawValues"); };
    Chart.Draw();
    const QStringList Axes = {QStringLiteral("tools BeforeDrawAxes"),
                              QStringLiteral("animations BeforeDrawAxes"),
                              QStringLiteral("Begin Axes"),
                              QStringLiteral("OnBeforeDrawAxes"),
                              QStringLiteral("Begin Bottom"),
                              QStringLiteral("Begin Left"),
                              QStringLiteral("End Axes")};
    QStringList Want = {QStringLiteral("Begin Panel"), QStringLiteral("End Panel"), QStringLiteral("tools BeforeDraw"),
                        QStringLiteral("animations BeforeDraw"), QStringLiteral("OnBeforeDrawChart")};
    if (Behind)
      Want << Axes;
    Want << QStringLiteral("tools BeforeDrawSeries") << QStringLiteral("animations BeforeDrawSeries")
         << QStringLiteral("OnBeforeDrawSeries") << QStringLiteral("Begin Series") << QStringLiteral("Begin Trace")
         << QStringLiteral("tools BeforeDrawSeries Trace") << QStringLiteral("BeforeDrawValues")
         << QStringLiteral("DrawValue 0") << QStringLiteral("DrawValue 1") << QStringLiteral("DrawValue 2")
         << QStringLiteral("tools AfterDrawSeries Trace") << QStringLiteral("AfterDrawValues")
         << QStringLiteral("End Trace") << QStringLiteral("End Series") << QStringLiteral("tools AfterDrawSeries")
         << QStringLiteral("animations AfterDrawSeries");
    if (!Behind)
      Want << Axes;
    Want << QStringLiteral("tools AfterDraw") << QStringLiteral("animations AfterDraw")
         << QStringLiteral("OnAfterDraw");
    EXPECT_EQ(Chart.Steps(), Want);
  }
}

TEST(DrawingPipeline, AFailingStepLeavesRepaintingOn)
{
  TRecordedChart Chart;
  Chart.OnBeforeDrawSeries = [](TObject*) { throw Exception(QStringLiteral("broken handler")); };
  EXPECT_THROW(Chart.Draw(), Exception);
  EXPECT_TRUE(Chart.AutoRepaint());
}

TEST(DrawingPipeline, WhichAxesAreShown)
{
  struct Case {
    const char* Name;
    std::function<void(TImageChart&)> Setup;
    std::vector<bool> Shown; // bottom, top, left, right
  };
  const Case Cases[] = {
      {"without series every axis shows", [](TImageChart&) {}, {true, true, true, true}},
      {"an active series shows its own axes",
       [](TImageChart& C) { C.AddSeries(new TChartSeries(&C))->AddXY(1, 1); },
       {true, false, true, false}},
      {"an inactive series does not",
       [](TImageChart& C) {
         C.AddSeries(new TChartSeries(&C))->AddXY(1, 1);
         TChartSeries* Off = C.AddSeries(new TChartSeries(&C));
         Off->SetHorizAxis(aTopAxis);
         Off->SetVertAxis(aRightAxis);
         Off->SetActive(false);
       },
       {true, false, true, false}},
      {"no active series at all: every axis shows",
       [](TImageChart& C) { C.AddSeries(new TChartSeries(&C))->SetActive(false); },
       {true, true, true, true}},
      {"a series without axes hides the axes after it",
       [](TImageChart& C) {
         C.AddSeries(new TNoAxisSeries(&C));
         C.AddSeries(new TChartSeries(&C));
       },
       {false, false, false, false}},
      {"both axes of a pair",
       [](TImageChart& C) {
         TChartSeries* S = C.AddSeries(new TChartSeries(&C));
         S->SetHorizAxis(aBothHorizAxis);
       },
       {true, true, true, false}},
      {"axes switched off", [](TImageChart& C) { C.SetAxisVisible(false); }, {false, false, false, false}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TImageChart Chart;
    Chart.SetView3D(false);
    C.Setup(Chart);
    Chart.Draw();
    const std::vector<bool> Got = {Chart.IsAxisVisible(Chart.BottomAxis()), Chart.IsAxisVisible(Chart.TopAxis()),
                                   Chart.IsAxisVisible(Chart.LeftAxis()), Chart.IsAxisVisible(Chart.RightAxis())};
    EXPECT_EQ(Got, C.Shown);
    EXPECT_FALSE(Chart.IsAxisVisible(Chart.DepthAxis())); // 2D
  }
}

TEST(DrawingPipeline, VisiblePointsFollowTheAxis)
{
  struct Case {
    const char* Name;
    double Min, Max;
    bool Between, Ordered, Inverted;
    int32_t First, Last;
  };
  const Case Cases[] = {
      {"inside", 10.5, 20.5, false, true, false, 11, 20},
      {"with the segment leading out", 10.5, 20.5, true, true, false, 11, 21},
      {"inverted axis", 10.5, 20.5, false, true, true, 11, 20},
      {"points wholly left of the scale", 150, 200, false, true, false, -1, -1},
      {"unordered points are all drawn", 10.5, 20.5, false, false, false, 0, 99},
      {"the scale beyond the points", -10, 200, false, true, false, 0, 99},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TRecordedChart Chart;
    auto* S = new TPolylineSeries(&Chart);
    Chart.AddSeries(S);
    if (!C.Ordered)
      S->XValues()->SetOrder(loNone);
    for (int I = 0; I < 100; ++I)
      S->AddXY(I, I % 7);
    S->DrawBetweenPoints = C.Between;
    Chart.BottomAxis()->SetMinMax(C.Min, C.Max);
    Chart.BottomAxis()->SetInverted(C.Inverted);
    Chart.Draw();
    EXPECT_EQ(S->FirstValueIndex(), C.First);
    EXPECT_EQ(S->LastValueIndex(), C.Last);
    const int32_t Drawn = C.First < 0 ? 0 : C.Last - C.First + 1;
    EXPECT_EQ(Chart.Canvas->Calls(QStringLiteral("DrawValue")).size(), Drawn);
    if (C.Inverted) // drawn from the last visible point on
      EXPECT_EQ(Chart.Canvas->Calls(QStringLiteral("DrawValue")).front(), QStringLiteral("DrawValue %1").arg(C.Last));
  }
}

TEST(DrawingPipeline, SeriesDrawThroughTheirAxes)
{
  TRecordedChart Chart;
  TChartAxis* Custom = Chart.CustomAxes()->Add();
  auto* S = new TPolylineSeries(&Chart);
  Chart.AddSeries(S);
  S->SetCustomVertAxis(Custom);
  EXPECT_EQ(S->GetVertAxis(), Custom);
  EXPECT_EQ(S->VertAxis(), aCustomVertAxis);
  Custom->SetMinMax(0, 10);
  Custom->SetStartPosition(50); // the lower half of the chart
  S->AddXY(0, 0);
  S->AddXY(1, 10);
  Chart.Draw();
  const TRect& R = Chart.ChartRect;
  EXPECT_EQ(S->CalcYPos(0), R.Bottom);
  EXPECT_EQ(S->CalcYPos(1), R.Top + (R.Bottom - R.Top) / 2);
  EXPECT_EQ(S->CalcXPos(1), R.Right);
  // Far beyond the scale the pixels handed to the canvas stay in range.
  S->AddXY(2, 1e12);
  Chart.BottomAxis()->SetMinMax(0, 1);
  Chart.Canvas->Log.clear();
  Chart.Draw();
  for (const QString& L : Chart.Canvas->Calls(QStringLiteral("LineTo")))
    for (const QString& V : L.mid(7).chopped(1).split(QLatin1Char(',')))
      EXPECT_LE(std::abs(V.toLongLong()), ZuzMaxPixelPos) << L.toStdString();
  // Back to the left axis.
  S->SetCustomVertAxis(nullptr);
  EXPECT_EQ(S->GetVertAxis(), Chart.LeftAxis());
  EXPECT_EQ(S->VertAxis(), aLeftAxis);

  // The chart's OnDrawValue draws instead of the series.
  std::vector<int32_t> Drawn;
  Chart.OnDrawValue = [&](TChartSeries*, int32_t I) { Drawn.push_back(I); };
  Chart.Canvas->Log.clear();
  Chart.Draw();
  EXPECT_EQ(Drawn, (std::vector<int32_t>{0, 1}));
  EXPECT_TRUE(Chart.Canvas->Calls(QStringLiteral("DrawValue")).isEmpty());

  // Unnamed series are named by their place.
  Chart.AddSeries(new TChartSeries(&Chart));
  auto* Third = Chart.AddSeries(new TChartSeries(&Chart));
  EXPECT_EQ(Third->SeriesNameOrIndex(), QStringLiteral("Series3"));
}

TEST(DrawingPipeline, DepthSizesAndZOrders)
{
  TImageChart Chart;
  auto* A = Chart.AddSeries(new TChartSeries(&Chart));
  auto* B = Chart.AddSeries(new TChartSeries(&Chart));
  A->AddXY(0, 1);
  B->AddXY(0, 2);
  Chart.SetView3D(false);
  Chart.Draw();
  EXPECT_EQ(Chart.Width3D(), 0);
  EXPECT_EQ(Chart.Height3D(), 0);
  EXPECT_EQ(Chart.SeriesWidth3D(), 0);
  EXPECT_EQ(A->IZOrder, 0);
  EXPECT_EQ(B->IZOrder, 0);
  Chart.SetView3D(true);
  Chart.View3DOptions()->SetOrthogonal(true);
  Chart.Draw();
  // Two series slots, each Chart3DPercent tenths of a percent of the chart
  // width deep.
  EXPECT_GT(Chart.SeriesWidth3D(), 0);
  EXPECT_EQ(Chart.Width3D(), 2 * Chart.SeriesWidth3D());
  EXPECT_EQ(Chart.Height3D(), 2 * Chart.SeriesHeight3D());
  EXPECT_EQ(A->IZOrder, 1); // the first series lies at the back
  EXPECT_EQ(B->IZOrder, 0);
  EXPECT_EQ(A->StartZ, Chart.SeriesWidth3D());
  EXPECT_EQ(A->EndZ, 2 * Chart.SeriesWidth3D());
}

namespace {

// The chart of the golden images: a gradient background, bottom and left
// axes for one trace, top and right axes for another, and two custom
// vertical axes left of the chart for two more (one inverted, as depths
// are), each 60 pixels further out.
void BuildGoldenChart(TImageChart& C)
{
  C.SetView3D(false);
  C.Gradient()->SetVisible(true);
  C.Gradient()->SetStartColor(15378841);
  C.Gradient()->SetEndColor(16777088);
  C.SetMarginUnits(muPixels);
  C.SetMarginLeft(130);
  C.SetMarginTop(5);
  C.SetMarginRight(5);
  C.SetMarginBottom(5);
  auto* Main = new TPolylineSeries(&C);
  C.AddSeries(Main);
  for (int I = 0; I <= 20; ++I)
    Main->AddXY(I, (I * 7) % 13);
  auto* Other = new TPolylineSeries(&C);
  C.AddSeries(Other);
  Other->SetHorizAxis(aTopAxis);
  Other->SetVertAxis(aRightAxis);
  for (int I = 0; I <= 10; ++I)
    Other->AddXY(100 + I * 10, 1000 - I * I * 7);
  const char* Titles[] = {"Temperature", "Depth, m"};
  for (int K = 0; K < 2; ++K) {
    TChartAxis* A = C.CustomAxes()->Add();
    A->SetPositionUnits(muPixels);
    A->SetPositionPercent(-60 * (K + 1));
    A->Grid()->SetVisible(false);
    A->Title()->SetCaption(QString::fromLatin1(Titles[K]));
    A->SetInverted(K == 1);
    auto* S = new TPolylineSeries(&C);
    C.AddSeries(S);
    S->SetCustomVertAxis(A);
    A->Axis()->SetColor(S->SeriesColor());
    for (int I = 0; I <= 20; ++I)
      S->AddXY(I, K ? I * 2.5 : 10 + (I % 5));
  }
  C.BottomAxis()->Title()->SetCaption(QStringLiteral("Time"));
  C.LeftAxis()->Title()->SetCaption(QStringLiteral("Level"));
}

} // namespace

TEST(DrawingPipeline, GoldenChartWithStandardAndCustomAxes)
{
  struct Case {
    const char* Name;
    std::function<std::unique_ptr<TCanvas3D>()> Make;
  };
  const Case Cases[] = {
      {"chart_axes_gdi", [] { return std::make_unique<TZuzCanvas3D>(); }},
      {"chart_axes_gdiplus", [] { return std::make_unique<TGDIPlusCanvas>(); }},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TImageChart Chart(500, 320);
    Chart.SetInternalCanvas(C.Make());
    BuildGoldenChart(Chart);
    Chart.Image.fill(Qt::black);
    Chart.Draw();
    EXPECT_GOLDEN(Chart.Image, QString::fromLatin1(C.Name), 8, 40);
  }
}

TEST(DrawingPipeline, TheBottomAxisShowsInTheUsualThreeDView)
{
  // The back wall seen from the front faces the viewer: the bottom axis is
  // drawn with the others, not left for a wall in front of the series.
  TImageChart Chart;
  ASSERT_TRUE(Chart.View3D());
  auto* S = Chart.AddSeries(new TChartSeries(&Chart));
  S->AddXY(0, 0);
  S->AddXY(100, 1);
  Chart.Draw();
  EXPECT_FALSE(Chart.DrawBackWallAfter(0));
  EXPECT_GT(Chart.BottomAxis()->Items()->Count(), 1);
}
