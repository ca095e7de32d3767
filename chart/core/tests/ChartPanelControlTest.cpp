// The chart panel as a control on a shown form: the window's paint goes
// through the panel's buffer, and Qt's mouse input reaches the listeners
// (or is stopped by CancelMouse).
#include "CoreTestSupport.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/AxisItems.h"
#include "chart/core/ZuzPanning.h"
#include "platform/Forms.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class TDrawCounter : public TCustomZuzPanel {
public:
  explicit TDrawCounter(TComponent* AOwner) : TCustomZuzPanel(AOwner) {}
  void InternalDraw(const TRect& R) override
  {
    ++Draws;
    InternalCanvas()->Brush()->SetColor(clGreen);
    InternalCanvas()->FillRect(R);
  }
  int Draws = 0;
};

struct TLogListener : IZuzEventListener {
  void ZuzEvent(TZuzEvent* E) override
  {
    if (auto* M = dynamic_cast<TZuzMouseEvent*>(E))
      Log.push_back(std::string(M->Event == meDown ? "down"
                                : M->Event == meUp ? "up"
                                                   : "move") +
                    " " + std::to_string(M->X) + "," + std::to_string(M->Y) + " shift " + std::to_string(M->Shift));
    else if (dynamic_cast<TMouseLeaveEvent*>(E))
      Log.push_back("leave");
  }
  std::vector<std::string> Log;
};

class ChartPanelControl : public ::testing::Test {
protected:
  void SetUp() override
  {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(40, 40, 300, 200);
    Panel = new TDrawCounter(Form.get());
    Panel->SetParent(Form.get());
    Panel->SetBounds(10, 10, 200, 120);
    // The aliased canvas keeps its image between paints on every platform.
    Panel->SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
    Panel->AddListener(&Listener);
  }

  void Mouse(QEvent::Type Type, QPoint Pos, Qt::MouseButton Button, Qt::MouseButtons Buttons,
             Qt::KeyboardModifiers Mods = {})
  {
    QWidget* W = Panel->Handle();
    QMouseEvent E(Type, QPointF(Pos), QPointF(W->mapToGlobal(Pos)), Button, Buttons, Mods);
    QApplication::sendEvent(W, &E);
  }

  std::unique_ptr<TForm> Form;
  TDrawCounter* Panel = nullptr;
  TLogListener Listener;
};

} // namespace

TEST_F(ChartPanelControl, TheWindowPaintsThroughTheBuffer)
{
  const int Before = Panel->Draws;
  ASSERT_GE(Before, 1); // shown: drawn once
  QImage Image = Panel->Handle()->grab().toImage();
  EXPECT_EQ(Panel->Draws, Before); // unchanged: the image is copied
  EXPECT_EQ(Image.pixelColor(100, 60), QColor(Qt::darkGreen));

  Panel->SetMarginLeft(20);
  Panel->SetMarginTop(20);
  QApplication::processEvents();
  Image = Panel->Handle()->grab().toImage();
  EXPECT_EQ(Panel->Draws, Before + 1); // two changes, one drawing

  Panel->SetAutoRepaint(false);
  Panel->SetMarginLeft(30);
  Image = Panel->Handle()->grab().toImage();
  EXPECT_EQ(Panel->Draws, Before + 1);
  Panel->SetAutoRepaint(true);
}

TEST_F(ChartPanelControl, MouseInputReachesTheListeners)
{
  Mouse(QEvent::MouseButtonPress, {30, 40}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
  Mouse(QEvent::MouseMove, {31, 41}, Qt::NoButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, {32, 42}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Listener.Log, (std::vector<std::string>{"down 30,40 shift " + std::to_string(ssShift | ssLeft),
                                                    "move 31,41 shift " + std::to_string(ssLeft), "up 32,42 shift 0"}));
  // A press gives the chart the keyboard.
  EXPECT_TRUE(Panel->Focused());

  // An application handler that sets CancelMouse keeps the press from the
  // listeners (the chart does not zoom or scroll).
  Listener.Log.clear();
  Panel->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { Panel->SetCancelMouse(true); };
  Mouse(QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
  Mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton, Qt::NoButton);
  EXPECT_EQ(Listener.Log, (std::vector<std::string>{"up 5,5 shift 0"}));
}

TEST_F(ChartPanelControl, LeavingTheChartStopsPanningInsideIt)
{
  Panel->Panning()->SetInsideBounds(true);
  Panel->Panning()->Activate(3, 3);
  Panel->SetCursor(crHandPoint);
  QEvent Leave(QEvent::Leave);
  QApplication::sendEvent(Panel->Handle(), &Leave);
  EXPECT_EQ(Listener.Log, (std::vector<std::string>{"leave"}));
  EXPECT_FALSE(Panel->Panning()->Active());
  EXPECT_EQ(Panel->Cursor(), crDefault);
}

TEST_F(ChartPanelControl, ACancelledDoubleClickEndsSilently)
{
  int DoubleClicks = 0;
  Panel->OnDblClick = [&](TObject*) {
    ++DoubleClicks;
    Panel->SetCancelMouse(true);
  };
  Mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
  Mouse(QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(DoubleClicks, 1);
}

TEST(ChartPanelControlChart, AShownChartDrawsItsAxesAndSeries)
{
  TForm Form(nullptr);
  Form.SetBounds(40, 40, 420, 300);
  auto* Chart = new TCustomAxisPanel(&Form);
  Chart->SetParent(&Form);
  Chart->SetBounds(0, 0, 400, 250);
  Chart->SetView3D(false);
  auto* S = Chart->AddSeries(new TChartSeries(Chart));
  for (int I = 0; I < 10; ++I)
    S->AddXY(I, I * I);
  Form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Handle()));
  const QImage Image = Chart->Handle()->grab().toImage();
  // The axis line is dark on the grey panel (anti-aliased at its edges).
  const TChartAxis* Left = Chart->LeftAxis();
  const int32_t X = Left->PosAxis() - 1, Y = (Left->IStartPos + Left->IEndPos) / 2;
  EXPECT_LT(Image.pixelColor(X, Y).lightness(), 0x60) << X << "," << Y;
  EXPECT_GT(Image.pixelColor(X + 20, Y).lightness(), 0xA0);
  EXPECT_GT(Chart->BottomAxis()->Items()->Count(), 1);
}
