// Axis placement and drawing: where the line goes, the room an axis takes,
// grid lines and minor ticks, the title's room, hit tests and the grid's
// stored depth.
#include "CoreTestSupport.h"

#include "chart/canvas/tests/RecordingCanvas.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartSeries.h"
#include "platform/Filer.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A flat chart on a recording canvas.
struct TRecorded {
  TImageChart Chart;
  TRecordingCanvas* Canvas;
  TRecorded()
  {
    auto C = std::make_unique<TRecordingCanvas>();
    Canvas = C.get();
    Chart.SetInternalCanvas(std::move(C));
    Chart.SetView3D(false);
  }
  // The X (vertical lines) or Y (horizontal lines) of every line drawn.
  std::vector<int32_t> Lines(bool Vertical) const
  {
    std::vector<int32_t> R;
    const QStringList& L = Canvas->Log;
    for (int I = 1; I < L.size(); ++I)
      if (L[I].startsWith(QStringLiteral("LineTo(")) && L[I - 1].startsWith(QStringLiteral("MoveTo("))) {
        const QStringList A = L[I - 1].mid(7).chopped(1).split(QLatin1Char(','));
        const QStringList B = L[I].mid(7).chopped(1).split(QLatin1Char(','));
        const int K = Vertical ? 0 : 1;
        if (A[K] == B[K])
          R.push_back(A[K].toInt());
      }
    return R;
  }
};

} // namespace

TEST(AxisDrawing, WhereTheLineGoes)
{
  const TRect R{100, 50, 500, 350}; // 400 x 300
  struct Case {
    const char* Name;
    bool Horizontal, OtherSide;
    TZuzUnits Units;
    double Position;
    int32_t Pos;
  };
  const Case Cases[] = {
      {"left edge", false, false, muPercent, 0, 100},
      {"left, 60 pixels out", false, false, muPixels, -60, 40},
      {"left, 10 percent in", false, false, muPercent, 10, 140},
      {"right, 10 percent in", false, true, muPercent, 10, 460},
      {"bottom, 20 pixels in", true, false, muPixels, 20, 330},
      {"top, 10 percent in", true, true, muPercent, 10, 80},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TChartAxis A(nullptr, C.Horizontal, C.OtherSide);
    A.SetPositionUnits(C.Units);
    A.SetPositionPercent(C.Position);
    EXPECT_EQ(A.ApplyPosition(A.GetRectangleEdge(R), R), C.Pos);
  }
}

TEST(AxisDrawing, RoomTakenFromTheChartRectangle)
{
  struct Case {
    bool Horizontal, OtherSide;
    int32_t Amount;
    TRect Expected;
  };
  const TRect R{0, 0, 100, 50};
  const Case Cases[] = {
      {true, false, 10, {0, 0, 100, 40}},    {true, true, 10, {0, 10, 100, 50}}, {false, false, 10, {10, 0, 100, 50}},
      {false, true, 10, {0, 0, 90, 50}},     {true, false, 500, {0, 0, 100, 1}}, {true, true, 500, {0, 49, 100, 50}},
      {false, false, 500, {99, 0, 100, 50}}, {false, true, 500, {0, 0, 1, 50}},
  };
  for (const Case& C : Cases) {
    TChartAxis A(nullptr, C.Horizontal, C.OtherSide);
    TRect Got = R;
    A.InflateAxisRect(Got, C.Amount);
    EXPECT_EQ(Got, C.Expected) << C.Horizontal << C.OtherSide << " " << C.Amount;
    // Outward is away from the chart.
    EXPECT_EQ(A.InflateAxisPos(10, 3), (C.Horizontal != C.OtherSide) ? 13 : 7);
  }
}

TEST(AxisDrawing, GridLinesAtTheTicks)
{
  struct Case {
    const char* Name;
    int32_t Every;
    bool Centered;
    std::vector<int32_t> Ticks;
    std::vector<int32_t> Lines;
  };
  const Case Cases[] = {
      {"every tick", 1, false, {300, 250, 200, 150, 100}, {250, 200, 150}},
      {"every second tick", 2, false, {290, 250, 200, 150, 120, 110}, {290, 200, 120}},
      {"centred", 1, true, {290, 250, 200, 150}, {270, 225, 175}},
      {"centred, every second", 2, true, {290, 250, 200, 150, 120}, {225, 135}},
      {"a single tick centres nothing", 1, true, {200}, {}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TRecorded T;
    TChartAxis* A = T.Chart.BottomAxis();
    T.Chart.ChartRect = TRect{100, 20, 300, 220};
    A->IStartPos = 100;
    A->IEndPos = 300;
    A->RecalcSizeCenter();
    A->Grid()->SetDrawEvery(C.Every);
    A->SetGridCentered(C.Centered);
    A->Tick = C.Ticks;
    A->DrawGrids(static_cast<int32_t>(C.Ticks.size()));
    // Grid lines at the axis' ends (100 and 300 here) are never drawn.
    EXPECT_EQ(T.Lines(true), C.Lines);
  }
}

TEST(AxisDrawing, MinorTicksBetweenAndBeyondTheMajorOnes)
{
  TRecorded T;
  TChartAxis* A = T.Chart.LeftAxis();
  T.Chart.AddSeries(new TChartSeries(&T.Chart))->AddXY(0, 300);
  A->SetMinMax(0, 600);
  A->IStartPos = 0;
  A->IEndPos = 600;
  A->RecalcSizeCenter();
  A->AdjustMaxMin();
  A->SetIncrement(200);
  A->SetLabelsOnAxis(false); // major ticks at 400 and 200 only: pixels 200 and 400
  A->SetMinorTickCount(3);
  A->SetTickLength(0);
  A->Grid()->SetVisible(false);
  A->Axis()->SetVisible(false);
  T.Canvas->Log.clear();
  A->Draw(false);
  EXPECT_EQ(A->Tick, (std::vector<int32_t>{200, 400}));
  // Three a quarter apart between the two, then the same spacing beyond.
  EXPECT_EQ(T.Lines(false), (std::vector<int32_t>{350, 300, 250, 150, 450, 100, 500, 50, 550}));
}

TEST(AxisDrawing, TitleAndLabelsTakeTheirRoom)
{
  TImageChart Chart;
  Chart.SetView3D(false);
  TChartAxis* Left = Chart.LeftAxis();
  TCanvas3D* C = Chart.InternalCanvas();
  Chart.PrepareFont3D(Left->Title()->Font());
  const int32_t Line = C->TextHeight(QStringLiteral("W"));
  // A title turned along a vertical axis takes the height of a line.
  EXPECT_EQ(Left->Title()->Angle(), 90);
  EXPECT_EQ(Chart.RightAxis()->Title()->Angle(), 270);
  EXPECT_EQ(Chart.BottomAxis()->Title()->Angle(), 0);
  EXPECT_EQ(Left->InternalCalcSize(Left->Title(), 90, QStringLiteral("A long title"), 0), Line);
  EXPECT_EQ(Left->InternalCalcSize(Left->Title(), 0, QStringLiteral("Wide"), 0), C->TextWidth(QStringLiteral("Wide")));
  EXPECT_EQ(Left->InternalCalcSize(Left->Title(), 90, QStringLiteral("x"), 25), 25); // a fixed size stands
  // The line and ticks: pen width + 1, plus the tick length.
  EXPECT_EQ(Left->SizeTickAxis(false), 3);
  EXPECT_EQ(Left->SizeTickAxis(true), 7);

  // The chart rectangle shrinks by the title, the labels and the ticks.
  auto* S = Chart.AddSeries(new TChartSeries(&Chart));
  S->AddXY(0, 0);
  S->AddXY(10, 10);
  Chart.Draw();
  const int32_t WithoutTitle = Chart.ChartRect.Left;
  Left->Title()->SetCaption(QStringLiteral("Depth"));
  Chart.Draw();
  EXPECT_EQ(Chart.ChartRect.Left, WithoutTitle + Line);
  EXPECT_LT(Left->PosTitle(), Left->PosLabels());
  EXPECT_LT(Left->PosLabels(), Left->PosAxis());
}

TEST(AxisDrawing, ClicksOnAxes)
{
  TImageChart Chart;
  Chart.SetView3D(false);
  auto* S = Chart.AddSeries(new TChartSeries(&Chart));
  S->AddXY(0, 0);
  S->AddXY(10, 10);
  Chart.Draw();
  TChartAxis* Bottom = Chart.BottomAxis();
  const int32_t Mid = (Bottom->IStartPos + Bottom->IEndPos) / 2;
  struct Case {
    int32_t X, Y;
    bool Hit;
  };
  for (const Case& C : {Case{Mid, Bottom->PosAxis(), true}, Case{Mid, Bottom->PosAxis() - 3, true},
                        Case{Mid, Bottom->PosAxis() - 4, false}, Case{Mid, Bottom->PosLabels(), true},
                        Case{Bottom->IStartPos - 1, Bottom->PosAxis(), false}})
    EXPECT_EQ(Bottom->Clicked(C.X, C.Y), C.Hit) << C.X << "," << C.Y;
  EXPECT_EQ(Chart.Axes().Clicked(Mid, Bottom->PosAxis()), Bottom);
  // An axis the chart does not show is never clicked.
  TChartAxis* Top = Chart.TopAxis();
  Top->IStartPos = Bottom->IStartPos;
  Top->IEndPos = Bottom->IEndPos;
  Top->SetPosAxis(Bottom->PosAxis());
  EXPECT_FALSE(Top->Clicked(Mid, Bottom->PosAxis()));
}

TEST(AxisDrawing, AZeroGridDepthSurvivesAChartFile)
{
  TImageChart Chart;
  EXPECT_EQ(Chart.RightAxis()->Grid()->ZPosition(), 100);
  Chart.RightAxis()->Grid()->SetZPosition(0);
  Chart.LeftAxis()->Grid()->SetZPosition(0);
  TMemoryStream S;
  WriteComponentToStream(S, &Chart);
  S.SetPosition(0);
  TImageChart Back;
  ReadComponentFromStream(S, &Back);
  EXPECT_EQ(Back.RightAxis()->Grid()->ZPosition(), 0);
  EXPECT_EQ(Back.TopAxis()->Grid()->ZPosition(), 100);
  EXPECT_EQ(Back.LeftAxis()->Grid()->ZPosition(), 0);
}
