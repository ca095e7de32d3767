// A chart of fast lines on a shown form, driven with the mouse as a user
// drives a graph window: a dragged rectangle zooms every standard axis to
// the values its pixels map to, a drag the other way undoes it, the wheel
// scrolls the vertical axes, a click on a legend check box switches a
// series and repaints, and a click on an axis reaches OnClickAxis.
#include "chart/core/tests/CoreTestSupport.h"

#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartTitle.h"
#include "chart/core/ZuzPanning.h"
#include "chart/series/FastLineSeries.h"
#include "platform/Forms.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A chart that counts its drawings.
class TCountedChart : public TChart {
public:
  using TChart::TChart;
  void InternalDraw(const TRect& R) override
  {
    ++Draws;
    TChart::InternalDraw(R);
  }
  int Draws = 0;
};

class ChartMouse : public ::testing::Test {
protected:
  void SetUp() override
  {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(40, 40, 520, 380);
    Chart = new TCountedChart(Form.get());
    Chart->SetParent(Form.get());
    Chart->SetBounds(0, 0, 500, 360);
    Chart->SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
    Chart->SetView3D(false);
    Chart->Legend()->SetAlignment(laTop);
    Chart->Legend()->SetCheckBoxes(true);
    Chart->Legend()->SetTextStyle(ltsPlain);
    for (int K = 0; K < 2; ++K) {
      auto* S = new TFastLineSeries(Form.get());
      Chart->AddSeries(S);
      S->SetTitle(K == 0 ? QStringLiteral("Temperature") : QStringLiteral("Salinity"));
      for (int I = 0; I <= 100; ++I)
        S->AddXY(I, K * 50 + I % 17);
      Lines[K] = S;
    }
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
    Paint();
  }

  void Paint()
  {
    Chart->Handle()->repaint();
    QApplication::processEvents();
  }

  QWidget* W() const { return Chart->Handle(); }

  void Send(QEvent::Type Type, QPoint Pos, Qt::MouseButton Button, Qt::MouseButtons Buttons)
  {
    QMouseEvent E(Type, QPointF(Pos), QPointF(W()->mapToGlobal(Pos)), Button, Buttons, Qt::NoModifier);
    QApplication::sendEvent(W(), &E);
  }

  void Drag(QPoint From, QPoint To, Qt::MouseButton Button = Qt::LeftButton)
  {
    QTest::mousePress(W(), Button, Qt::NoModifier, From);
    Send(QEvent::MouseMove, (From + To) / 2, Qt::NoButton, Button);
    Send(QEvent::MouseMove, To, Qt::NoButton, Button);
    QTest::mouseRelease(W(), Button, Qt::NoModifier, To);
  }

  std::unique_ptr<TForm> Form;
  TCountedChart* Chart = nullptr;
  TFastLineSeries* Lines[2] = {};
};

} // namespace

TEST_F(ChartMouse, ADraggedRectangleZoomsAndADragBackUndoes)
{
  const double Min0 = Chart->LeftAxis()->IMinimum, Max0 = Chart->LeftAxis()->IMaximum;
  const TRect R = Chart->ChartRect;
  const QPoint From(R.Left + 40, R.Top + 30), To(R.Right - 60, R.Bottom - 20);
  // The values the pixels stand for before the zoom.
  const double XMin = Chart->BottomAxis()->CalcPosPoint(From.x()), XMax = Chart->BottomAxis()->CalcPosPoint(To.x());
  const double YMin = Chart->LeftAxis()->CalcPosPoint(To.y()), YMax = Chart->LeftAxis()->CalcPosPoint(From.y());
  const double TopMin = Chart->TopAxis()->CalcPosPoint(From.x()), RightMax = Chart->RightAxis()->CalcPosPoint(From.y());
  int Zooms = 0;
  Chart->OnZoom = [&](TObject*) { ++Zooms; };
  Drag(From, To);
  EXPECT_EQ(Zooms, 1);
  EXPECT_TRUE(Chart->Zoomed());
  EXPECT_DOUBLE_EQ(Chart->BottomAxis()->Minimum(), XMin);
  EXPECT_DOUBLE_EQ(Chart->BottomAxis()->Maximum(), XMax);
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->Minimum(), YMin);
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->Maximum(), YMax);
  EXPECT_DOUBLE_EQ(Chart->TopAxis()->Minimum(), TopMin);
  EXPECT_DOUBLE_EQ(Chart->RightAxis()->Maximum(), RightMax);
  EXPECT_FALSE(Chart->LeftAxis()->Automatic());
  Paint();

  // Up and to the left: back to the automatic scales.
  int Undos = 0;
  Chart->OnUndoZoom = [&](TObject*) { ++Undos; };
  Drag(To, From);
  EXPECT_EQ(Undos, 1);
  EXPECT_FALSE(Chart->Zoomed());
  EXPECT_TRUE(Chart->LeftAxis()->Automatic());
  Paint();
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->IMinimum, Min0);
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->IMaximum, Max0);

  // A drag of the minimum pixels does neither.
  const QPoint Small = From + QPoint(16, 16);
  Drag(From, Small);
  EXPECT_EQ(Zooms, 1);
  EXPECT_EQ(Undos, 1);
  Drag(From, Small + QPoint(1, 1));
  EXPECT_EQ(Zooms, 2);
}

TEST_F(ChartMouse, AWheelStepScrollsEveryVerticalAxisByThreePercent)
{
  TChartAxis* Custom = Chart->CustomAxes()->Add();
  Lines[1]->SetCustomVertAxis(Custom);
  Paint();
  const double Min = Chart->LeftAxis()->Minimum(), Max = Chart->LeftAxis()->Maximum();
  const double CMin = Custom->Minimum(), CMax = Custom->Maximum();
  // The ranges the axes show.
  ASSERT_LT(Min, Max);
  ASSERT_LT(CMin, CMax);
  const double XMin = Chart->BottomAxis()->IMinimum;
  const QPoint At(200, 200);
  QWheelEvent E(QPointF(At), QPointF(W()->mapToGlobal(At)), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(W(), &E);
  const double Step = (Max - Min) * 0.03, CStep = (CMax - CMin) * 0.03;
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->Minimum(), Min + Step);
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->Maximum(), Max + Step);
  EXPECT_DOUBLE_EQ(Custom->Minimum(), CMin + CStep);
  EXPECT_DOUBLE_EQ(Custom->Maximum(), CMax + CStep);
  // Horizontal axes stay; a notch down scrolls back.
  Paint();
  EXPECT_DOUBLE_EQ(Chart->BottomAxis()->IMinimum, XMin);
  QWheelEvent Down(QPointF(At), QPointF(W()->mapToGlobal(At)), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(W(), &Down);
  EXPECT_NEAR(Chart->LeftAxis()->Minimum(), Min, 1e-9);
}

TEST_F(ChartMouse, ALegendCheckBoxSwitchesItsSeries)
{
  TChartLegend* L = Chart->Legend();
  const TRect B = L->GetRectLegend();
  ASSERT_GT(B.Width(), 0);
  // The check box of the second row item lies at the start of its cell.
  int32_t Item = -1;
  QPoint Box;
  for (int X = B.Left; X < B.Right && Item != 1; ++X) {
    Item = L->Clicked(X, (B.Top + B.Bottom) / 2);
    Box = QPoint(X + 6, (B.Top + B.Bottom) / 2);
  }
  ASSERT_EQ(Item, 1);
  const int Before = Chart->Draws;
  QTest::mouseClick(W(), Qt::LeftButton, Qt::NoModifier, Box);
  EXPECT_FALSE(Lines[1]->Active());
  EXPECT_TRUE(Lines[0]->Active());
  Paint();
  EXPECT_GT(Chart->Draws, Before);
  // Still listed, unchecked; a second click switches it back on.
  EXPECT_EQ(L->ITotalItems, 2);
  QTest::mouseClick(W(), Qt::LeftButton, Qt::NoModifier, Box);
  EXPECT_TRUE(Lines[1]->Active());
  // The press is the legend's: no zoom starts.
  EXPECT_FALSE(Chart->Zoom()->Active());
}

TEST_F(ChartMouse, AClickOnAnAxisReachesOnClickAxis)
{
  TChartAxis* Clicked = nullptr;
  int Calls = 0;
  Chart->OnClickAxis = [&](TCustomChart* Sender, TChartAxis* Axis, TMouseButton Button, TShiftState, int32_t, int32_t) {
    EXPECT_EQ(Sender, Chart);
    EXPECT_EQ(Button, mbLeft);
    Clicked = Axis;
    ++Calls;
  };
  const TRect R = Chart->ChartRect;
  const QPoint OnLeft(R.Left - 1, (R.Top + R.Bottom) / 2);
  QTest::mouseClick(W(), Qt::LeftButton, Qt::NoModifier, OnLeft);
  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(Clicked, Chart->LeftAxis());
  // The handler left CancelMouse set: no zoom started from the press.
  EXPECT_FALSE(Chart->Zoom()->Active());
  QTest::mouseClick(W(), Qt::LeftButton, Qt::NoModifier, QPoint((R.Left + R.Right) / 2, R.Bottom + 1));
  EXPECT_EQ(Clicked, Chart->BottomAxis());
  // A handler that clears it lets the press start a zoom.
  Chart->OnClickAxis = [&](TCustomChart* Sender, TChartAxis*, TMouseButton, TShiftState, int32_t, int32_t) {
    Sender->SetCancelMouse(false);
  };
  QTest::mousePress(W(), Qt::LeftButton, Qt::NoModifier, OnLeft);
  EXPECT_TRUE(Chart->Zoom()->Active());
  QTest::mouseRelease(W(), Qt::LeftButton, Qt::NoModifier, OnLeft);
  EXPECT_FALSE(Chart->Zoom()->Active());
}

TEST_F(ChartMouse, AMiddleDragScrollsLikeTheGraphWindows)
{
  Chart->SetScrollMouseButton(mbMiddle);
  const double Min = Chart->BottomAxis()->IMinimum;
  const TRect R = Chart->ChartRect;
  const QPoint From((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  const double Expected =
      Min + Chart->BottomAxis()->CalcPosPoint(From.x()) - Chart->BottomAxis()->CalcPosPoint(From.x() - 30);
  int Scrolls = 0;
  Chart->OnScroll = [&](TObject*) { ++Scrolls; };
  Drag(From, From - QPoint(30, 0), Qt::MiddleButton);
  EXPECT_GT(Scrolls, 0);
  EXPECT_NEAR(Chart->BottomAxis()->Minimum(), Expected, 1e-9);
  EXPECT_FALSE(Chart->Panning()->Active());
  // Undo brings the saved scales back.
  Chart->UndoZoom();
  EXPECT_TRUE(Chart->BottomAxis()->Automatic());
}

TEST_F(ChartMouse, AClickOnALineReachesOnClickSeriesWithThePoint)
{
  TChartSeries* Series = nullptr;
  int32_t Index = -2;
  int Calls = 0;
  Chart->OnClickSeries = [&](TCustomChart*, TChartSeries* S, int32_t I, TMouseButton, TShiftState, int32_t, int32_t) {
    Series = S;
    Index = I;
    ++Calls;
  };
  struct Case {
    int K, Point;
  };
  // Salinity lies above Temperature; a point's own pixel gives that point.
  for (const Case& C : {Case{0, 20}, Case{1, 63}}) {
    SCOPED_TRACE(C.K);
    TFastLineSeries* S = Lines[C.K];
    const QPoint P(S->CalcXPos(C.Point), S->CalcYPos(C.Point));
    QTest::mouseClick(W(), Qt::LeftButton, Qt::NoModifier, P);
    EXPECT_EQ(Series, S);
    EXPECT_EQ(Index, C.Point);
    // The handler left CancelMouse set: the press started no zoom.
    EXPECT_FALSE(Chart->Zoom()->Active());
  }
  EXPECT_EQ(Calls, 2);
  // The series' own click event comes first, with the same point.
  QStringList Log;
  Lines[0]->OnClick = [&](TChartSeries*, int32_t I, TMouseButton, TShiftState, int32_t, int32_t) {
    Log << QStringLiteral("series %1").arg(I);
  };
  Chart->OnClickSeries = [&](TCustomChart*, TChartSeries*, int32_t I, TMouseButton, TShiftState, int32_t, int32_t) {
    Log << QStringLiteral("chart %1").arg(I);
  };
  QTest::mouseClick(W(), Qt::LeftButton, Qt::NoModifier, QPoint(Lines[0]->CalcXPos(40), Lines[0]->CalcYPos(40)));
  EXPECT_EQ(Log, (QStringList{QStringLiteral("series 40"), QStringLiteral("chart 40")}));
}

TEST_F(ChartMouse, ClicksOnTheLegendAndTitlesReachTheirEvents)
{
  int32_t Legend = 0, Titles = 0;
  TChartTitle* Clicked = nullptr;
  Chart->OnClickLegend = [&](TCustomChart* Sender, TMouseButton, TShiftState, int32_t, int32_t) {
    EXPECT_EQ(Sender, Chart);
    ++Legend;
  };
  Chart->OnClickTitle = [&](TCustomChart*, TChartTitle* T, TMouseButton, TShiftState, int32_t, int32_t) {
    Clicked = T;
    ++Titles;
  };
  const TRect B = Chart->Legend()->GetRectLegend();
  // On the text of the first item, right of its check box.
  QTest::mouseClick(W(), Qt::LeftButton, Qt::NoModifier, QPoint(B.Left + 60, (B.Top + B.Bottom) / 2));
  EXPECT_EQ(Legend, 1);
  EXPECT_FALSE(Lines[0]->Active()); // the whole row is the check box's target
  Chart->Title()->SetVisible(true);
  Chart->Title()->SetCaption(QStringLiteral("Cast 12"));
  Paint();
  const TRect T = Chart->Title()->ShapeBounds;
  ASSERT_GT(T.Width(), 0);
  QTest::mouseClick(W(), Qt::LeftButton, Qt::NoModifier, QPoint((T.Left + T.Right) / 2, (T.Top + T.Bottom) / 2));
  EXPECT_EQ(Titles, 1);
  EXPECT_EQ(Clicked, Chart->Title());
}

TEST_F(ChartMouse, APressOutsideEveryPartStartsNothing)
{
  int Background = 0;
  Chart->OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int32_t, int32_t) { ++Background; };
  Chart->SetScrollMouseButton(mbLeft);
  const QPoint Corner(Chart->Width() - 2, Chart->Height() - 2);
  QTest::mousePress(W(), Qt::LeftButton, Qt::NoModifier, Corner);
  EXPECT_FALSE(Chart->Zoom()->Active());
  EXPECT_FALSE(Chart->Panning()->Active());
  EXPECT_EQ(Background, 1);
  QTest::mouseRelease(W(), Qt::LeftButton, Qt::NoModifier, Corner);
}

TEST_F(ChartMouse, ZoomDirectionsAndHistory)
{
  const TRect R = Chart->ChartRect;
  const QPoint From(R.Left + 40, R.Top + 30), To(R.Right - 60, R.Bottom - 20);

  // Horizontal only: the rectangle spans the plot's height and the
  // vertical scales stay.
  Chart->Zoom()->SetDirection(tzdHorizontal);
  const double LeftMin = Chart->LeftAxis()->Minimum(), LeftMax = Chart->LeftAxis()->Maximum();
  const double XMin = Chart->BottomAxis()->CalcPosPoint(From.x()), XMax = Chart->BottomAxis()->CalcPosPoint(To.x());
  Drag(From, QPoint(To.x(), From.y()));
  EXPECT_TRUE(Chart->Zoomed());
  EXPECT_DOUBLE_EQ(Chart->BottomAxis()->Minimum(), XMin);
  EXPECT_DOUBLE_EQ(Chart->BottomAxis()->Maximum(), XMax);
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->Minimum(), LeftMin);
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->Maximum(), LeftMax);
  Chart->UndoZoom();
  Paint();

  // Vertical only: a flat drag zooms nothing, a tall one zooms the
  // vertical axes alone.
  Chart->Zoom()->SetDirection(tzdVertical);
  Drag(From, QPoint(To.x(), From.y() + 10));
  EXPECT_FALSE(Chart->Zoomed());
  Drag(From, QPoint(From.x() + 2, To.y()));
  EXPECT_TRUE(Chart->Zoomed());
  EXPECT_TRUE(Chart->BottomAxis()->Automatic());
  EXPECT_FALSE(Chart->LeftAxis()->Automatic());
  Chart->UndoZoom();
  Paint();

  // With history, each undo goes back one zoom, the last to the start.
  Chart->Zoom()->SetDirection(tzdBoth);
  Chart->Zoom()->SetHistory(true);
  Drag(From, To);
  Paint();
  const double FirstMin = Chart->BottomAxis()->Minimum(), FirstMax = Chart->BottomAxis()->Maximum();
  const TRect R2 = Chart->ChartRect;
  Drag(QPoint(R2.Left + 50, R2.Top + 40), QPoint(R2.Right - 50, R2.Bottom - 40));
  Paint();
  EXPECT_LT(Chart->BottomAxis()->Maximum() - Chart->BottomAxis()->Minimum(), FirstMax - FirstMin);
  Chart->UndoZoom();
  EXPECT_DOUBLE_EQ(Chart->BottomAxis()->Minimum(), FirstMin);
  EXPECT_DOUBLE_EQ(Chart->BottomAxis()->Maximum(), FirstMax);
  Chart->UndoZoom();
  EXPECT_TRUE(Chart->BottomAxis()->Automatic());
  EXPECT_FALSE(Chart->Zoomed());
}

TEST_F(ChartMouse, AWheelStepZoomsWhenItDoesNotScroll)
{
  Chart->Panning()->SetMouseWheel(pmwNone);
  Chart->Zoom()->SetMouseWheel(pmwNormal);
  const TChartAxis* B = Chart->BottomAxis();
  const double Min = B->CalcPosPoint(B->IStartPos), Max = B->CalcPosPoint(B->IEndPos);
  const QPoint At(200, 200);
  QWheelEvent E(QPointF(At), QPointF(W()->mapToGlobal(At)), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(W(), &E);
  // 110 percent: each end moves in by a tenth of the range.
  const double C = (Max - Min) * 0.1;
  EXPECT_TRUE(Chart->Zoomed());
  EXPECT_NEAR(B->Minimum(), Min + C, 1e-9);
  EXPECT_NEAR(B->Maximum(), Max - C, 1e-9);
}

TEST_F(ChartMouse, DraggingALogarithmicAxisNeverInvertsIt)
{
  TChartAxis* L = Chart->LeftAxis();
  L->SetLogarithmic(true);
  L->SetMinMax(1, 1000);
  Paint();
  const TRect R = Chart->ChartRect;
  const QPoint Mid((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  for (const QPoint Move : {QPoint(0, 60), QPoint(0, -60), QPoint(0, 200)}) {
    SCOPED_TRACE(Move.y());
    Drag(Mid, Mid + Move, Qt::RightButton);
    EXPECT_LT(L->Minimum(), L->Maximum());
    EXPECT_GT(L->Minimum(), 0);
    Paint();
  }
}
