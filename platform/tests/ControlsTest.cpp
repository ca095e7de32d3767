// The control base: Qt's input reaches the control's handlers with the
// framework's arguments (virtual keys, shift state, client coordinates), and
// painting, sizing and alignment follow the framework's rules.
#include "platform/Canvas.h"
#include "platform/Controls.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"
#include "rtl/Exceptions.h"

#include "QtTestApp.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string ShiftText(TShiftState S)
{
  static const char* Names[] = {"Shift", "Alt", "Ctrl", "Left", "Right", "Middle", "Double"};
  std::string T;
  for (int I = 0; I < 7; ++I)
    if (S & (1u << I))
      T += (T.empty() ? "" : "+") + std::string(Names[I]);
  return "[" + T + "]";
}

const char* ButtonText(TMouseButton B) { return B == mbLeft ? "Left" : B == mbRight ? "Right" : "Middle"; }

// A control that writes down every handler call with its arguments, then
// lets the base run (which fires the events).
class TProbe : public TCustomControl {
public:
  explicit TProbe(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(true); }

  std::vector<std::string> Log;
  uint32_t DlgCode = 0;
  std::function<void(TCanvas*)> Painter;
  bool LastKeypad = false;
  bool LastRepeat = false;

  using TCustomControl::Canvas;

protected:
  void Click() override
  {
    Log.push_back("Click");
    TCustomControl::Click();
  }
  void DblClick() override
  {
    Log.push_back("DblClick");
    TCustomControl::DblClick();
  }
  void MouseDown(TMouseButton B, TShiftState S, int32_t X, int32_t Y) override
  {
    Log.push_back("MouseDown(" + std::string(ButtonText(B)) + "," + ShiftText(S) + "," + std::to_string(X) + "," +
                  std::to_string(Y) + ")");
    TCustomControl::MouseDown(B, S, X, Y);
  }
  void MouseMove(TShiftState S, int32_t X, int32_t Y) override
  {
    Log.push_back("MouseMove(" + ShiftText(S) + "," + std::to_string(X) + "," + std::to_string(Y) + ")");
    TCustomControl::MouseMove(S, X, Y);
  }
  void MouseUp(TMouseButton B, TShiftState S, int32_t X, int32_t Y) override
  {
    Log.push_back("MouseUp(" + std::string(ButtonText(B)) + "," + ShiftText(S) + "," + std::to_string(X) + "," +
                  std::to_string(Y) + ")");
    TCustomControl::MouseUp(B, S, X, Y);
  }
  bool DoMouseWheel(TShiftState S, int32_t Delta, const TPoint& Pos) override
  {
    Log.push_back("Wheel(" + ShiftText(S) + "," + std::to_string(Delta) + "," + std::to_string(Pos.X) + "," +
                  std::to_string(Pos.Y) + ")");
    return TCustomControl::DoMouseWheel(S, Delta, Pos);
  }
  bool DoMouseWheelDown(TShiftState S, const TPoint& Pos) override
  {
    Log.push_back("WheelDown");
    return TCustomControl::DoMouseWheelDown(S, Pos);
  }
  bool DoMouseWheelUp(TShiftState S, const TPoint& Pos) override
  {
    Log.push_back("WheelUp");
    return TCustomControl::DoMouseWheelUp(S, Pos);
  }
  void KeyDown(uint16_t& Key, TShiftState S) override
  {
    char Hex[8];
    std::snprintf(Hex, sizeof Hex, "%02X", Key);
    LastKeypad = KeyFromKeypad();
    LastRepeat = KeyIsRepeat();
    Log.push_back("KeyDown(" + std::string(Hex) + "," + ShiftText(S) + ")");
    TCustomControl::KeyDown(Key, S);
  }
  void KeyPress(char16_t& Key) override
  {
    Log.push_back("KeyPress(" + std::to_string(int(Key)) + ")");
    TCustomControl::KeyPress(Key);
  }
  void KeyUp(uint16_t& Key, TShiftState S) override
  {
    char Hex[8];
    std::snprintf(Hex, sizeof Hex, "%02X", Key);
    Log.push_back("KeyUp(" + std::string(Hex) + "," + ShiftText(S) + ")");
    TCustomControl::KeyUp(Key, S);
  }
  void DoEnter() override
  {
    Log.push_back("Enter");
    TCustomControl::DoEnter();
  }
  void DoExit() override
  {
    Log.push_back("Exit");
    TCustomControl::DoExit();
  }
  void MouseEnter() override
  {
    Log.push_back("MouseEnter");
    TCustomControl::MouseEnter();
  }
  void MouseLeave() override
  {
    Log.push_back("MouseLeave");
    TCustomControl::MouseLeave();
  }
  void Resize() override
  {
    Log.push_back("Resize(" + std::to_string(Width()) + "x" + std::to_string(Height()) + ")");
    TCustomControl::Resize();
  }
  void Paint() override
  {
    Log.push_back("Paint");
    if (Painter)
      Painter(Canvas());
    TCustomControl::Paint();
  }
  uint32_t WMGetDlgCode() override { return DlgCode; }
  void WMKeyDown(uint16_t& Key, TShiftState S) override
  {
    if (!LogMessages)
      return TCustomControl::WMKeyDown(Key, S);
    Log.push_back("WMKeyDown(" + std::to_string(Key) + "," + ShiftText(S) + ")");
    if (Key == SwallowKey)
      Key = 0;
    else
      TCustomControl::WMKeyDown(Key, S);
  }
  void WMChar(char16_t& Key, TShiftState S) override
  {
    if (LogMessages)
      Log.push_back("WMChar(" + std::to_string(int(Key)) + "," + ShiftText(S) + ")");
    TCustomControl::WMChar(Key, S);
  }
  void WMKeyUp(uint16_t& Key, TShiftState S) override
  {
    if (LogMessages)
      Log.push_back("WMKeyUp(" + std::to_string(Key) + ")");
    TCustomControl::WMKeyUp(Key, S);
  }

public:
  bool LogMessages = false;
  uint16_t SwallowKey = 0;
};

class Controls : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureQtApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(40, 40, 300, 200);
    Probe = new TProbe(Form.get());
    Probe->SetParent(Form.get());
    Probe->SetBounds(10, 20, 100, 80);
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
    Probe->Log.clear();
  }

  QWidget* W() { return Probe->Handle(); }

  void Mouse(QEvent::Type Type, QPoint Pos, Qt::MouseButton Button, Qt::MouseButtons Buttons,
             Qt::KeyboardModifiers Mods = {}, uint64_t Time = 0)
  {
    QMouseEvent E(Type, QPointF(Pos), QPointF(W()->mapToGlobal(Pos)), Button, Buttons, Mods);
    E.setTimestamp(Time);
    QApplication::sendEvent(W(), &E);
  }

  void Key(QEvent::Type Type, int K, Qt::KeyboardModifiers Mods, const QString& Text, bool Repeat = false,
           QWidget* Target = nullptr)
  {
    QKeyEvent E(Type, K, Mods, Text, Repeat);
    QApplication::sendEvent(Target ? Target : W(), &E);
  }

  void Wheel(int Delta, Qt::KeyboardModifiers Mods = {}, QWidget* Target = nullptr)
  {
    QWidget* T = Target ? Target : W();
    const QPoint Local(5, 6);
    QWheelEvent E(QPointF(Local), QPointF(T->mapToGlobal(Local)), QPoint(), QPoint(0, Delta), Qt::NoButton, Mods,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(T, &E);
  }

  std::unique_ptr<TForm> Form;
  TProbe* Probe = nullptr;
};

using TLog = std::vector<std::string>;

} // namespace

// ---- Mouse ------------------------------------------------------------------------

TEST_F(Controls, MouseButtonsReachTheirHandlersWithShiftStateAndClientCoordinates)
{
  const struct {
    const char* Name;
    Qt::MouseButton Button;
    Qt::KeyboardModifiers Mods;
    QPoint Down, Up;
    TLog Want;
  } Cases[] = {
      {"left click",
       Qt::LeftButton,
       {},
       {20, 15},
       {20, 15},
       {"MouseDown(Left,[Left],20,15)", "Click", "MouseUp(Left,[],20,15)"}},
      {"shift left",
       Qt::LeftButton,
       Qt::ShiftModifier,
       {3, 4},
       {3, 4},
       {"MouseDown(Left,[Shift+Left],3,4)", "Click", "MouseUp(Left,[Shift],3,4)"}},
      {"ctrl right: no click",
       Qt::RightButton,
       Qt::ControlModifier,
       {50, 60},
       {50, 60},
       {"MouseDown(Right,[Ctrl+Right],50,60)", "MouseUp(Right,[Ctrl],50,60)"}},
      {"middle", Qt::MiddleButton, {}, {1, 1}, {1, 1}, {"MouseDown(Middle,[Middle],1,1)", "MouseUp(Middle,[],1,1)"}},
      {"released outside: no click",
       Qt::LeftButton,
       {},
       {20, 15},
       {150, 100},
       {"MouseDown(Left,[Left],20,15)", "MouseUp(Left,[],150,100)"}},
  };
  uint64_t Time = 100000;
  for (const auto& C : Cases) {
    Probe->Log.clear();
    Time += 10000;
    Mouse(QEvent::MouseButtonPress, C.Down, C.Button, C.Button, C.Mods, Time);
    EXPECT_TRUE(Probe->MouseCapture()) << C.Name;
    Mouse(QEvent::MouseButtonRelease, C.Up, C.Button, Qt::NoButton, C.Mods, Time + 5);
    EXPECT_FALSE(Probe->MouseCapture()) << C.Name;
    EXPECT_EQ(Probe->Log, C.Want) << C.Name;
  }
}

TEST_F(Controls, DoubleClickSequences)
{
  const TLog Double = {
      "MouseDown(Left,[Left],7,8)", "Click", "MouseUp(Left,[],7,8)", "DblClick", "MouseDown(Left,[Left+Double],7,8)",
      "MouseUp(Left,[],7,8)"};
  const TLog TwoClicks = {"MouseDown(Left,[Left],7,8)", "Click", "MouseUp(Left,[],7,8)",
                          "MouseDown(Left,[Left],7,8)", "Click", "MouseUp(Left,[],7,8)"};
  const struct {
    const char* Name;
    uint64_t SecondPressAfter; // ms
    bool SendDoubleClickEvent; // as the platform does after the second press
    TLog Want;
  } Cases[] = {
      {"platform sequence", 100, true, Double},
      {"second press only", 100, false, Double},
      {"too slow: two clicks", 5000, false, TwoClicks},
  };
  uint64_t Time = 1000000;
  for (const auto& C : Cases) {
    Probe->Log.clear();
    Time += 100000;
    const QPoint P(7, 8);
    Mouse(QEvent::MouseButtonPress, P, Qt::LeftButton, Qt::LeftButton, {}, Time);
    Mouse(QEvent::MouseButtonRelease, P, Qt::LeftButton, Qt::NoButton, {}, Time + 20);
    Mouse(QEvent::MouseButtonPress, P, Qt::LeftButton, Qt::LeftButton, {}, Time + C.SecondPressAfter);
    if (C.SendDoubleClickEvent)
      Mouse(QEvent::MouseButtonDblClick, P, Qt::LeftButton, Qt::LeftButton, {}, Time + C.SecondPressAfter);
    Mouse(QEvent::MouseButtonRelease, P, Qt::LeftButton, Qt::NoButton, {}, Time + C.SecondPressAfter + 20);
    EXPECT_EQ(Probe->Log, C.Want) << C.Name;
  }
  // A double-click event on its own (as QTest sends it) is the second press.
  Probe->Log.clear();
  QTest::mouseDClick(W(), Qt::LeftButton, {}, QPoint(7, 8));
  EXPECT_EQ(Probe->Log, (TLog{"DblClick", "MouseDown(Left,[Left+Double],7,8)"}));
}

TEST_F(Controls, DoubleClickWithoutTheStyleIsAPress)
{
  Probe->SetControlStyle(Probe->ControlStyle() & ~csDoubleClicks);
  QTest::mouseDClick(W(), Qt::LeftButton, {}, QPoint(7, 8));
  EXPECT_EQ(Probe->Log, (TLog{"MouseDown(Left,[Left],7,8)"}));
}

TEST_F(Controls, MovesWithAndWithoutButtonsAndThePointerCrossingTheEdge)
{
  Mouse(QEvent::MouseMove, {30, 40}, Qt::NoButton, Qt::NoButton);
  Mouse(QEvent::MouseMove, {31, 41}, Qt::NoButton, Qt::LeftButton | Qt::RightButton, Qt::AltModifier);
  QEvent Enter(QEvent::Enter), Leave(QEvent::Leave);
  QApplication::sendEvent(W(), &Enter);
  QApplication::sendEvent(W(), &Leave);
  EXPECT_EQ(Probe->Log, (TLog{"MouseMove([],30,40)", "MouseMove([Alt+Left+Right],31,41)", "MouseEnter", "MouseLeave"}));
}

TEST_F(Controls, EventsFireFromTheBaseHandlers)
{
  TLog Events;
  Probe->OnClick = [&](TObject* S) { Events.push_back(S == Probe ? "OnClick" : "?"); };
  Probe->OnMouseDown = [&](TObject*, TMouseButton B, TShiftState, int32_t X, int32_t Y) {
    Events.push_back("OnMouseDown " + std::string(ButtonText(B)) + " " + std::to_string(X) + "," + std::to_string(Y));
  };
  Probe->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { Events.push_back("OnMouseUp"); };
  Probe->OnMouseEnter = [&](TObject*) { Events.push_back("OnMouseEnter"); };
  QTest::mouseClick(W(), Qt::LeftButton, {}, QPoint(9, 9));
  QEvent Enter(QEvent::Enter);
  QApplication::sendEvent(W(), &Enter);
  EXPECT_EQ(Events, (TLog{"OnMouseDown Left 9,9", "OnClick", "OnMouseUp", "OnMouseEnter"}));
  // Without the standard events the handlers run, the events do not.
  Events.clear();
  Probe->SetControlStyle(Probe->ControlStyle() | csNoStdEvents);
  QTest::mouseClick(W(), Qt::LeftButton, {}, QPoint(9, 9));
  EXPECT_EQ(Events, (TLog{"OnClick"}));
}

// ---- Wheel ----------------------------------------------------------------------------

TEST_F(Controls, WheelStepsMakeOneHandlerCallPerNotch)
{
  const QPoint G = W()->mapToGlobal(QPoint(5, 6));
  const std::string At = std::to_string(G.x()) + "," + std::to_string(G.y());
  const struct {
    const char* Name;
    std::vector<int> Deltas;
    Qt::KeyboardModifiers Mods;
    TLog Want;
  } Cases[] = {
      {"one notch up", {120}, {}, {"Wheel([],120," + At + ")", "WheelUp"}},
      {"two notches down with ctrl",
       {-240},
       Qt::ControlModifier,
       {"Wheel([Ctrl],-240," + At + ")", "WheelDown", "WheelDown"}},
      {"half notches add up", {60, 60}, {}, {"Wheel([],60," + At + ")", "Wheel([],60," + At + ")", "WheelUp"}},
  };
  for (const auto& C : Cases) {
    Probe->Log.clear();
    for (int D : C.Deltas)
      Wheel(D, C.Mods);
    EXPECT_EQ(Probe->Log, C.Want) << C.Name;
  }
}

TEST_F(Controls, WheelNotTakenGoesToTheParent)
{
  auto* Panel = new TPanel(Form.get());
  Panel->SetParent(Form.get());
  Panel->SetBounds(120, 10, 150, 150);
  auto* Inner = new TProbe(Form.get());
  Inner->SetParent(Panel);
  Inner->SetBounds(5, 5, 50, 50);
  int PanelSteps = 0;
  Panel->OnMouseWheelUp = [&](TObject*, TShiftState, const TPoint&, bool& Handled) {
    ++PanelSteps;
    Handled = true;
  };
  Wheel(120, {}, Inner->Handle());
  EXPECT_EQ(PanelSteps, 1);
  // The control's own event taking it keeps it from the parent and from the
  // notch handlers.
  Inner->Log.clear();
  Inner->OnMouseWheel = [](TObject*, TShiftState, int32_t, const TPoint&, bool& Handled) { Handled = true; };
  Wheel(120, {}, Inner->Handle());
  EXPECT_EQ(PanelSteps, 1);
  ASSERT_EQ(Inner->Log.size(), 1u);
  EXPECT_EQ(Inner->Log[0].rfind("Wheel(", 0), 0u);
}

// ---- Keys ------------------------------------------------------------------------------

TEST_F(Controls, KeysComeAsVirtualKeysWithShiftStateAndTheirCharacters)
{
  const struct {
    const char* Name;
    int Key;
    Qt::KeyboardModifiers Mods;
    const char* Text;
    TLog Want;
    bool Keypad;
  } Cases[] = {
      {"letter", Qt::Key_A, {}, "a", {"KeyDown(41,[])", "KeyPress(97)"}, false},
      {"shifted letter", Qt::Key_A, Qt::ShiftModifier, "A", {"KeyDown(41,[Shift])", "KeyPress(65)"}, false},
      {"ctrl letter: control character",
       Qt::Key_A,
       Qt::ControlModifier,
       "a",
       {"KeyDown(41,[Ctrl])", "KeyPress(1)"},
       false},
      {"ctrl Z", Qt::Key_Z, Qt::ControlModifier, "\x1a", {"KeyDown(5A,[Ctrl])", "KeyPress(26)"}, false},
      {"alt letter types nothing", Qt::Key_X, Qt::AltModifier, "x", {"KeyDown(58,[Alt])"}, false},
      {"digit", Qt::Key_7, {}, "7", {"KeyDown(37,[])", "KeyPress(55)"}, false},
      {"shifted digit", Qt::Key_Exclam, Qt::ShiftModifier, "!", {"KeyDown(31,[Shift])", "KeyPress(33)"}, false},
      {"arrow", Qt::Key_Left, {}, "", {"KeyDown(25,[])"}, false},
      {"down", Qt::Key_Down, Qt::ShiftModifier, "", {"KeyDown(28,[Shift])"}, false},
      {"function key", Qt::Key_F5, {}, "", {"KeyDown(74,[])"}, false},
      {"F12", Qt::Key_F12, Qt::ControlModifier, "", {"KeyDown(7B,[Ctrl])"}, false},
      {"delete types nothing", Qt::Key_Delete, {}, "\x7f", {"KeyDown(2E,[])"}, false},
      {"insert", Qt::Key_Insert, {}, "", {"KeyDown(2D,[])"}, false},
      {"page up", Qt::Key_PageUp, {}, "", {"KeyDown(21,[])"}, false},
      {"page down", Qt::Key_PageDown, {}, "", {"KeyDown(22,[])"}, false},
      {"home", Qt::Key_Home, {}, "", {"KeyDown(24,[])"}, false},
      {"end", Qt::Key_End, {}, "", {"KeyDown(23,[])"}, false},
      {"return", Qt::Key_Return, {}, "\r", {"KeyDown(0D,[])", "KeyPress(13)"}, false},
      {"ctrl return: line feed",
       Qt::Key_Return,
       Qt::ControlModifier,
       "",
       {"KeyDown(0D,[Ctrl])", "KeyPress(10)"},
       false},
      {"escape", Qt::Key_Escape, {}, "\x1b", {"KeyDown(1B,[])", "KeyPress(27)"}, false},
      {"back", Qt::Key_Backspace, {}, "\b", {"KeyDown(08,[])", "KeyPress(8)"}, false},
      {"space", Qt::Key_Space, {}, " ", {"KeyDown(20,[])", "KeyPress(32)"}, false},
      {"semicolon", Qt::Key_Semicolon, {}, ";", {"KeyDown(BA,[])", "KeyPress(59)"}, false},
      {"shift alone", Qt::Key_Shift, Qt::ShiftModifier, "", {"KeyDown(10,[Shift])"}, false},
      {"ctrl alone", Qt::Key_Control, {}, "", {"KeyDown(11,[Ctrl])"}, false},
      {"keypad 7 (Num Lock on)", Qt::Key_7, Qt::KeypadModifier, "7", {"KeyDown(67,[])", "KeyPress(55)"}, true},
      {"keypad home (Num Lock off)", Qt::Key_Home, Qt::KeypadModifier, "", {"KeyDown(24,[])"}, true},
      {"keypad plus", Qt::Key_Plus, Qt::KeypadModifier, "+", {"KeyDown(6B,[])", "KeyPress(43)"}, true},
      {"keypad decimal", Qt::Key_Period, Qt::KeypadModifier, ".", {"KeyDown(6E,[])", "KeyPress(46)"}, true},
      {"keypad enter", Qt::Key_Enter, Qt::KeypadModifier, "\r", {"KeyDown(0D,[])", "KeyPress(13)"}, true},
      {"a letter of another alphabet: only its character", 0x00C9, {}, "\u00e9", {"KeyPress(233)"}, false},
  };
  for (const auto& C : Cases) {
    Probe->Log.clear();
    Key(QEvent::KeyPress, C.Key, C.Mods, QString::fromUtf8(C.Text));
    EXPECT_EQ(Probe->Log, C.Want) << C.Name;
    if (C.Want.front().rfind("KeyDown", 0) == 0)
      EXPECT_EQ(Probe->LastKeypad, C.Keypad) << C.Name;
  }
}

TEST_F(Controls, KeyUpOncePerKeyAndRepeatsAreKeyDowns)
{
  Key(QEvent::KeyPress, Qt::Key_B, Qt::ShiftModifier, "B");
  EXPECT_FALSE(Probe->LastRepeat);
  Key(QEvent::KeyRelease, Qt::Key_B, Qt::ShiftModifier, "B", true);
  Key(QEvent::KeyPress, Qt::Key_B, Qt::ShiftModifier, "B", true);
  EXPECT_TRUE(Probe->LastRepeat);
  Key(QEvent::KeyRelease, Qt::Key_B, Qt::ShiftModifier, "B");
  Key(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, "");
  EXPECT_EQ(Probe->Log, (TLog{"KeyDown(42,[Shift])", "KeyPress(66)", "KeyDown(42,[Shift])", "KeyPress(66)",
                              "KeyUp(42,[Shift])", "KeyUp(10,[])"}));
}

TEST_F(Controls, TabMovesTheFocusUnlessTheControlWantsIt)
{
  const struct {
    uint32_t DlgCode;
    Qt::KeyboardModifiers Mods;
    TLog Want;
  } Cases[] = {
      {0, {}, {}},
      {DLGC_WANTTAB, {}, {"KeyDown(09,[])", "KeyPress(9)"}},
      {DLGC_WANTALLKEYS, Qt::ShiftModifier, {"KeyDown(09,[Shift])", "KeyPress(9)"}},
      {0, Qt::ControlModifier, {"KeyDown(09,[Ctrl])"}},
  };
  for (const auto& C : Cases) {
    Probe->Log.clear();
    Probe->DlgCode = C.DlgCode;
    Key(QEvent::KeyPress, C.Mods & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab, C.Mods, "\t");
    EXPECT_EQ(Probe->Log, C.Want) << C.DlgCode;
  }
}

TEST_F(Controls, KeyEventsLetTheHandlerChangeOrSwallowTheKey)
{
  uint16_t SeenByForm = 0;
  Form->SetKeyPreview(true);
  Form->OnKeyDown = [&](TObject*, uint16_t& K, TShiftState) {
    SeenByForm = K;
    if (K == VK_F2)
      K = 0;
  };
  Form->OnKeyPress = [](TObject*, char16_t& K) {
    if (K == u'q')
      K = 0;
  };
  Key(QEvent::KeyPress, Qt::Key_F2, {}, "");
  EXPECT_EQ(SeenByForm, VK_F2);
  Key(QEvent::KeyPress, Qt::Key_Q, {}, "q");
  Key(QEvent::KeyPress, Qt::Key_F3, {}, "");
  // F2 went to the form only; q's character too; F3 went on.
  EXPECT_EQ(Probe->Log, (TLog{"KeyDown(51,[])", "KeyDown(72,[])"}));
}

TEST_F(Controls, KeyMessagesComeBeforeTheHandlersAndMaySwallowTheKey)
{
  Probe->LogMessages = true;
  Probe->SwallowKey = VK_F9;
  Key(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A");
  Key(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier, "A");
  Key(QEvent::KeyPress, Qt::Key_F9, {}, "");
  EXPECT_EQ(Probe->Log, (TLog{"WMKeyDown(65,[Shift])", "KeyDown(41,[Shift])", "WMChar(65,[Shift])", "KeyPress(65)",
                              "WMKeyUp(65)", "KeyUp(41,[Shift])", "WMKeyDown(120,[])"}));
  // A character typed from code takes the same way, without a key-down.
  Probe->Log.clear();
  Probe->PerformChar(u'z');
  EXPECT_EQ(Probe->Log, (TLog{"WMChar(122,[])", "KeyPress(122)"}));
}

// ---- Focus -----------------------------------------------------------------------------

TEST_F(Controls, FocusEnterAndExitFollowTheFormsActiveControl)
{
  auto* Other = new TProbe(Form.get());
  Other->SetParent(Form.get());
  Other->SetBounds(150, 20, 50, 50);
  TLog Events;
  Probe->OnEnter = [&](TObject*) { Events.push_back("Probe enter"); };
  Probe->OnExit = [&](TObject*) { Events.push_back("Probe exit"); };
  Other->OnEnter = [&](TObject*) { Events.push_back("Other enter"); };
  Other->OnExit = [&](TObject*) { Events.push_back("Other exit"); };
  Form->Handle()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Handle()));
  // The window's activation gave the first control the focus.
  EXPECT_EQ(Form->ActiveControl(), Probe);
  EXPECT_TRUE(Probe->Focused());

  Other->SetFocus();
  EXPECT_TRUE(Other->Focused());
  EXPECT_FALSE(Probe->Focused());
  EXPECT_EQ(Form->ActiveControl(), Other);
  Other->SetFocus(); // already focused: nothing
  Probe->SetFocus();
  EXPECT_TRUE(Probe->Focused());
  EXPECT_EQ(Events, (TLog{"Probe exit", "Other enter", "Other exit", "Probe enter"}));

  // The focus moved by the user (Tab) does the same.
  Events.clear();
  QTest::keyClick(Probe->Handle(), Qt::Key_Tab);
  EXPECT_TRUE(Other->Focused());
  EXPECT_EQ(Events, (TLog{"Probe exit", "Other enter"}));

  // A hidden or disabled control cannot take the focus.
  Other->SetEnabled(false);
  EXPECT_FALSE(Other->CanFocus());
  EXPECT_THROW(Other->SetFocus(), EInvalidOperation);
}

// ---- Size and alignment --------------------------------------------------------------------

TEST_F(Controls, ResizeRunsOncePerSizeChange)
{
  Probe->SetBounds(10, 20, 100, 80); // unchanged
  Probe->SetBounds(15, 25, 100, 80); // moved only
  Probe->SetBounds(15, 25, 120, 80);
  Probe->SetWidth(120);
  Probe->SetHeight(-5); // no negative sizes
  EXPECT_EQ(Probe->Log, (TLog{"Resize(120x80)", "Resize(120x0)"}));
  EXPECT_EQ(Probe->Handle()->geometry(), QRect(15, 25, 120, 0));
  EXPECT_EQ(Probe->ClientRect(), (TRect{0, 0, 120, 0}));
}

TEST_F(Controls, AlignedChildrenShareTheClientArea)
{
  auto* Panel = new TPanel(Form.get());
  Panel->SetParent(Form.get());
  Panel->SetBevelOuter(bvNone);
  Panel->SetBounds(0, 0, 200, 100);
  auto Make = [&](TAlign A, int32_t W, int32_t H, int32_t L = 0, int32_t T = 0) {
    auto* C = new TProbe(Form.get());
    C->SetParent(Panel);
    C->SetBounds(L, T, W, H);
    C->SetAlign(A);
    return C;
  };
  TProbe* Top2 = Make(alTop, 10, 15, 0, 50); // moves to the top
  TProbe* Top1 = Make(alTop, 10, 10, 0, 0);  // aligned last at the same place: goes first
  TProbe* Bottom = Make(alBottom, 10, 20);
  TProbe* Left = Make(alLeft, 30, 10);
  TProbe* Right = Make(alRight, 40, 10);
  TProbe* Client = Make(alClient, 1, 1);
  const struct {
    TProbe* C;
    TRect Want;
  } Cases[] = {
      {Top1, {0, 0, 200, 10}}, {Top2, {0, 10, 200, 25}},    {Bottom, {0, 80, 200, 100}},
      {Left, {0, 25, 30, 80}}, {Right, {160, 25, 200, 80}}, {Client, {30, 25, 160, 80}},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(C.C->BoundsRect(), C.Want) << C.C - Top1;
  // The parent's new size places them again, the client control's Resize
  // telling its new size.
  Client->Log.clear();
  Panel->SetBounds(0, 0, 300, 100);
  EXPECT_EQ(Client->BoundsRect(), (TRect{30, 25, 260, 80}));
  EXPECT_EQ(Client->Log, (TLog{"Resize(230x55)"}));
  // A border and bevels are left out.
  Panel->SetBorderWidth(2);
  Panel->SetBevelOuter(bvRaised);
  EXPECT_EQ(Top1->BoundsRect(), (TRect{3, 3, 297, 13}));
  // A hidden control gives its place up.
  Top1->SetVisible(false);
  EXPECT_EQ(Top2->BoundsRect(), (TRect{3, 3, 297, 18}));
}

// ---- Painting ----------------------------------------------------------------------------

TEST_F(Controls, PaintDrawsThroughTheCanvasOnTheControl)
{
  Probe->SetColor(clBlue);
  for (bool Buffered : {false, true}) {
    Probe->SetDoubleBuffered(Buffered);
    int32_t DeviceWidth = 0;
    TColor ReadBack = CLR_INVALID;
    Probe->Painter = [&](TCanvas* C) {
      DeviceWidth = C->DeviceWidth();
      C->Brush()->SetColor(clRed);
      C->FillRect(TRect{0, 0, 10, 10});
      ReadBack = C->Pixel(2, 2);
    };
    Probe->Log.clear();
    const QImage Image = W()->grab().toImage();
    EXPECT_EQ(Probe->Log, (TLog{"Paint"})) << Buffered;
    EXPECT_EQ(DeviceWidth, 100) << Buffered;
    EXPECT_EQ(Image.pixelColor(5, 5), QColor(Qt::red)) << Buffered;
    // The background takes the control's colour.
    EXPECT_EQ(Image.pixelColor(50, 50), QColor(Qt::blue)) << Buffered;
    if (Buffered)
      EXPECT_EQ(ReadBack, clRed);
    // Outside Paint the canvas has no device.
    EXPECT_FALSE(Probe->Canvas()->HandleAllocated()) << Buffered;
  }
}

TEST_F(Controls, InvalidateAndRepaint)
{
  Probe->Repaint();
  EXPECT_EQ(Probe->Log, (TLog{"Paint"}));
  Probe->Log.clear();
  Probe->Invalidate();
  EXPECT_TRUE(Probe->Log.empty());
  Probe->Update();
  EXPECT_EQ(Probe->Log, (TLog{"Paint"}));
}

// ---- Properties ---------------------------------------------------------------------------

TEST_F(Controls, CoordinatesBetweenClientAndScreen)
{
  const TPoint Origin = Probe->ClientOrigin();
  const QPoint G = W()->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(Origin, (TPoint{G.x(), G.y()}));
  EXPECT_EQ(Probe->ClientToScreen(TPoint{3, 4}), (TPoint{G.x() + 3, G.y() + 4}));
  EXPECT_EQ(Probe->ScreenToClient(TPoint{G.x() + 3, G.y() + 4}), (TPoint{3, 4}));
  // Without a widget: the parents' positions add up.
  TForm Lone(nullptr);
  Lone.SetBounds(100, 200, 50, 50);
  TProbe Child(nullptr);
  Child.SetBounds(5, 6, 10, 10);
  Child.SetParent(&Lone);
  EXPECT_FALSE(Child.HandleAllocated());
  EXPECT_EQ(Child.ClientOrigin(), (TPoint{105, 206}));
}

TEST_F(Controls, CursorsHintsVisibilityAndParent)
{
  const struct {
    TCursor Cursor;
    Qt::CursorShape Shape;
  } Cursors[] = {{crHandPoint, Qt::PointingHandCursor},
                 {crCross, Qt::CrossCursor},
                 {crSizeWE, Qt::SizeHorCursor},
                 {crSizeNS, Qt::SizeVerCursor},
                 {crHourGlass, Qt::WaitCursor},
                 {crDrag, Qt::DragMoveCursor},
                 {crIBeam, Qt::IBeamCursor},
                 {crNo, Qt::ForbiddenCursor}};
  for (const auto& C : Cursors) {
    Probe->SetCursor(C.Cursor);
    EXPECT_EQ(W()->cursor().shape(), C.Shape) << C.Cursor;
  }
  Probe->SetCursor(crDefault);
  EXPECT_FALSE(W()->testAttribute(Qt::WA_SetCursor));

  Probe->SetHint(QStringLiteral("Depth|The depth of the sensor"));
  EXPECT_TRUE(W()->toolTip().isEmpty()); // ShowHint is off
  Form->SetShowHint(true);               // the probe takes its parent's
  EXPECT_EQ(W()->toolTip(), QStringLiteral("Depth"));

  Probe->SetVisible(false);
  EXPECT_FALSE(W()->isVisible());
  EXPECT_FALSE(Probe->Showing());
  Probe->Show();
  EXPECT_TRUE(Probe->Showing());
  EXPECT_THROW(Form->SetParent(Probe), EInvalidOperation);
  Probe->SetEnabled(false);
  EXPECT_FALSE(W()->isEnabled());
}

TEST_F(Controls, FontAndColourComeFromTheParentUntilSetOwn)
{
  TFont Big;
  Big.SetName(QStringLiteral("Courier New"));
  Big.SetSize(14);
  Form->SetFont(&Big);
  EXPECT_TRUE(Probe->ParentFont());
  EXPECT_EQ(Probe->Font()->Size(), 14);
  EXPECT_EQ(Probe->Font()->Name(), QStringLiteral("Courier New"));
  EXPECT_EQ(W()->font().pixelSize(), 19);
  Probe->Font()->SetSize(9);
  EXPECT_FALSE(Probe->ParentFont());
  Big.SetSize(20);
  Form->SetFont(&Big);
  EXPECT_EQ(Probe->Font()->Size(), 9);

  Form->SetColor(clAqua);
  EXPECT_EQ(Probe->Color(), clAqua);
  Probe->SetColor(clLime);
  Form->SetColor(clYellow);
  EXPECT_EQ(Probe->Color(), clLime);
  EXPECT_FALSE(Probe->ParentColor());
}

TEST_F(Controls, TheCaptionFollowsTheNameWhileTheyAreEqual)
{
  auto* P = new TPanel(Form.get());
  P->SetName(QStringLiteral("Panel1"));
  EXPECT_EQ(P->Caption(), QStringLiteral("Panel1"));
  P->SetName(QStringLiteral("Panel2"));
  EXPECT_EQ(P->Caption(), QStringLiteral("Panel2"));
  P->SetCaption(QStringLiteral("Depth"));
  P->SetName(QStringLiteral("Panel3"));
  EXPECT_EQ(P->Caption(), QStringLiteral("Depth"));
}

TEST_F(Controls, ChildrenAndWidgetsGoWithTheirParent)
{
  auto* Panel = new TPanel(nullptr); // not owned by the form
  Panel->SetParent(Form.get());
  auto* Child = new TProbe(nullptr);
  Child->SetParent(Panel);
  QPointer<QWidget> ChildWidget = Child->Handle();
  EXPECT_EQ(Panel->ControlCount(), 1);
  EXPECT_EQ(TWinControl::FindControl(ChildWidget), Child);
  delete Panel; // frees its child controls
  EXPECT_TRUE(ChildWidget.isNull());
  EXPECT_EQ(Form->ControlCount(), 1); // the probe
  // A control taken off its parent loses its widget, and gets one again.
  Probe->SetParent(nullptr);
  EXPECT_FALSE(Probe->HandleAllocated());
  Probe->SetParent(Form.get());
  EXPECT_TRUE(Probe->HandleAllocated());
  EXPECT_TRUE(Probe->Showing());
}

TEST_F(Controls, AControlMayFreeItselfInItsOwnHandler)
{
  bool Freed = false;
  auto* Doomed = new TProbe(Form.get());
  Doomed->SetParent(Form.get());
  Doomed->SetBounds(0, 0, 20, 20);
  Doomed->OnClick = [&](TObject* S) {
    delete static_cast<TProbe*>(S);
    Freed = true;
  };
  QTest::mouseClick(Doomed->Handle(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(Freed);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Form->ControlCount(), 1);
}

TEST(ControlHelpers, Hints)
{
  const struct {
    const char* Hint;
    const char* Short;
    const char* Long;
  } Cases[] = {{"Depth|The depth", "Depth", "The depth"}, {"Depth", "Depth", "Depth"}, {"|Only long", "", "Only long"}};
  for (const auto& C : Cases) {
    EXPECT_EQ(GetShortHint(QString::fromLatin1(C.Hint)), QString::fromLatin1(C.Short));
    EXPECT_EQ(GetLongHint(QString::fromLatin1(C.Hint)), QString::fromLatin1(C.Long));
  }
}

namespace {

// A control with an inner part that is not a child of its widget (as a
// pop-up list is).
class TWithPopup : public TCustomControl {
public:
  explicit TWithPopup(TComponent* AOwner) : TCustomControl(AOwner) {}
  void Watch(QWidget* Part) { WatchWidget(Part); }
};

} // namespace

// Qt frees the control's widget first (as an MDI area frees its windows),
// then the control goes: the pop-up that outlives both must no longer lead
// a focus look-up to the freed control.
TEST(ControlsLifetime, APartOutlivingItsControlNoLongerNamesIt)
{
  EnsureQtApplication();
  auto Popup = std::make_unique<QWidget>();
  auto* C = new TWithPopup(nullptr);
  C->Handle();
  C->Watch(Popup.get());
  EXPECT_EQ(TWinControl::FindControl(Popup.get()), C);
  delete C->Handle();
  delete C;
  EXPECT_EQ(TWinControl::FindControl(Popup.get()), nullptr);
}

// Asking a child for its widget before its parent has one makes the
// parent's, which makes its children's: the child must end up with that one
// widget, not a second one beside an orphan still listed under it.
TEST(ControlsLifetime, AChildAskedBeforeItsParentGetsOneWidget)
{
  EnsureQtApplication();
  auto Panel = std::make_unique<TPanel>(nullptr);
  auto* Child = new TWithPopup(Panel.get());
  Child->SetParent(Panel.get());
  ASSERT_FALSE(Panel->HandleAllocated());
  QWidget* W = Child->Handle();
  EXPECT_EQ(Panel->Handle()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 1);
  EXPECT_EQ(W->parentWidget(), Panel->Handle());
  EXPECT_EQ(TWinControl::FindControl(W), Child);
}
