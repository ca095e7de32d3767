#include "platform/Controls.h"

#include "platform/ActnList.h"
#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/KeyMap.h"
#include "platform/Menus.h"
#include "platform/Published.h"
#include "platform/QtConvert.h"
#include "rtl/Exceptions.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStyleHints>
#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScopeGuard>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

namespace {

// Widgets and the controls they belong to (handles and their inner parts).
std::unordered_map<const QWidget*, TControl*>& WidgetOwners()
{
  static std::unordered_map<const QWidget*, TControl*> Map;
  return Map;
}

// A widget Qt frees by itself (the edit field of a combo box made
// list-only, the windows inside an MDI area freed with it) leaves the table
// at once, so that a new widget at its address is never taken for it. The
// widget itself carries the connection: its control may be gone first.
void RegisterWidget(QWidget* W, TControl* Control, std::vector<const QWidget*>& Keys)
{
  WidgetOwners()[W] = Control;
  if (std::find(Keys.begin(), Keys.end(), W) != Keys.end())
    return;
  Keys.push_back(W);
  QObject::connect(W, &QObject::destroyed, W, [W] { WidgetOwners().erase(W); });
}

// A control that goes takes its widgets out of the table by their
// addresses: a widget Qt is freeing at that moment no longer answers to a
// guarded pointer, yet it is still listed until its end.
void ForgetWidgets(const TControl* Control, std::vector<const QWidget*>& Keys)
{
  auto& Owners = WidgetOwners();
  for (const QWidget* Key : Keys) {
    const auto It = Owners.find(Key);
    if (It != Owners.end() && It->second == Control)
      Owners.erase(It);
  }
  Keys.clear();
}

Qt::CursorShape ShapeOf(TCursor C)
{
  switch (C) {
  case crNone:
    return Qt::BlankCursor;
  case crCross:
    return Qt::CrossCursor;
  case crIBeam:
    return Qt::IBeamCursor;
  case crSizeNESW:
    return Qt::SizeBDiagCursor;
  case crSizeNS:
    return Qt::SizeVerCursor;
  case crSizeNWSE:
    return Qt::SizeFDiagCursor;
  case crSizeWE:
    return Qt::SizeHorCursor;
  case crUpArrow:
    return Qt::UpArrowCursor;
  case crHourGlass:
  case crSQLWait:
    return Qt::WaitCursor;
  case crDrag:
    return Qt::DragMoveCursor;
  case crMultiDrag:
    return Qt::DragCopyCursor;
  case crNoDrop:
  case crNo:
    return Qt::ForbiddenCursor;
  case crHSplit:
    return Qt::SplitHCursor;
  case crVSplit:
    return Qt::SplitVCursor;
  case crAppStart:
    return Qt::BusyCursor;
  case crHelp:
    return Qt::WhatsThisCursor;
  case crHandPoint:
    return Qt::PointingHandCursor;
  case crSizeAll:
    return Qt::SizeAllCursor;
  default:
    return Qt::ArrowCursor;
  }
}

void Guard(const std::function<void()>& Handler)
{
  try {
    Handler();
  } catch (const std::exception& E) {
    HandleApplicationException(E);
  }
}

} // namespace

// Qt's cursor shape of a cursor number, for the screen cursor (Forms.cpp).
Qt::CursorShape CursorShapeOf(TCursor C) { return ShapeOf(C); }

// ---------------------------------------------------------------------------
// The event bridge: one per control, filtering the events of its widget and
// of the widget's inner parts, and turning them into the control's handlers.

struct TControl::Impl {
  QPointer<QWidget> Widget;
  TControlBridge* Bridge = nullptr;
  std::vector<QPointer<QWidget>> Parts;    // inner parts: input goes through the handlers
  std::vector<const QWidget*> Keys;        // every widget listed under this control
  std::vector<QPointer<QWidget>> Observed; // frames: WidgetEvent only
  std::unique_ptr<TCanvas> Canvas;
  QImage Buffer;
  int32_t WheelAccumulator = 0;
  bool Pressed = false; // a button pressed on the control is held
  bool Clicked = false; // the left press that may end in Click
  bool Grabbed = false; // SetMouseCapture(true)
  bool InPaint = false;
  bool KeyRepeat = false;
  bool KeyKeypad = false;
  bool DoubleSent = false; // the press was the second of a double click
  struct {
    bool Valid = false;
    Qt::MouseButton Button = Qt::NoButton;
    uint64_t Time = 0;
    QPoint Pos;
  } LastPress;
  Qt::FocusPolicy NativeFocus = Qt::NoFocus; // the widget's own, when made
};

struct TControlBridge : public QObject {
  explicit TControlBridge(TControl* C) : Control(C) {}

  TControl* Control; // nullptr once the control is gone
  int Depth = 0;     // events being handled right now

  bool eventFilter(QObject* Watched, QEvent* Event) override
  {
    if (!Control)
      return false;
    ++Depth;
    // The control may be freed by what a handler does: nothing of it is
    // touched after that (Control is cleared by its destructor).
    bool Result = false;
    try {
      Result = Dispatch(Watched, Event);
    } catch (const std::exception& E) {
      HandleApplicationException(E);
      Result = true;
    }
    --Depth;
    if (!Control && Depth == 0)
      deleteLater();
    return Result;
  }

  bool Alive() const { return Control != nullptr; }

  // Lets the widget itself handle the event, without the event climbing on
  // to the parent widgets: in the framework input goes to one window only.
  static void Native(QObject* Watched, QEvent* Event) { static_cast<QObject*>(Watched)->event(Event); }

  bool IsPart(QObject* Watched) const
  {
    TControl::Impl& D = *Control->D;
    if (Watched == D.Widget.data())
      return true;
    for (const auto& P : D.Parts)
      if (Watched == P.data())
        return true;
    return false;
  }

  // The client coordinates of a point of the watched widget.
  TPoint ClientPoint(QObject* Watched, const QPointF& Pos) const
  {
    QWidget* From = qobject_cast<QWidget*>(Watched);
    QWidget* Client = Control->D->Widget;
    if (auto* W = dynamic_cast<TWinControl*>(Control))
      Client = W->ClientWidget();
    QPoint P = Pos.toPoint();
    if (From && Client && From != Client)
      P = Client->mapFromGlobal(From->mapToGlobal(P));
    return TPoint{P.x(), P.y()};
  }

  bool Dispatch(QObject* Watched, QEvent* Event)
  {
    if (Control->WidgetEvent(Watched, Event))
      return true;
    if (!Alive() || !IsPart(Watched))
      return false;
    TControl* C = Control;
    const bool Main = Watched == C->D->Widget.data();
    switch (Event->type()) {
    case QEvent::Paint:
      return Main && Paint(Watched, static_cast<QPaintEvent*>(Event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      return MousePress(Watched, static_cast<QMouseEvent*>(Event));
    case QEvent::MouseButtonRelease:
      return MouseRelease(Watched, static_cast<QMouseEvent*>(Event));
    case QEvent::MouseMove:
      return MouseMove(Watched, static_cast<QMouseEvent*>(Event));
    case QEvent::Wheel:
      return Wheel(Watched, static_cast<QWheelEvent*>(Event));
    case QEvent::Enter:
      if (Main)
        C->MouseEnter();
      return false;
    case QEvent::Leave:
      if (Main)
        C->MouseLeave();
      return false;
    case QEvent::ContextMenu:
      return ContextMenu(Watched, Event);
    case QEvent::KeyPress:
      return KeyPress(Watched, static_cast<QKeyEvent*>(Event));
    case QEvent::KeyRelease:
      return KeyRelease(Watched, static_cast<QKeyEvent*>(Event));
    case QEvent::FocusIn:
      FocusIn(static_cast<QFocusEvent*>(Event));
      return false;
    case QEvent::FocusOut:
      FocusOut(static_cast<QFocusEvent*>(Event));
      return false;
    case QEvent::Resize:
    case QEvent::Move:
      if (Main)
        C->WidgetGeometryChanged();
      return false;
    default:
      return false;
    }
  }

  // ---- Painting ----
  bool Paint(QObject* Watched, QPaintEvent* Event)
  {
    TControl* C = Control;
    TControl::Impl& D = *C->D;
    if (!C->FPaintsItself && !C->FPaintsOverNative)
      return false;
    if (D.InPaint)
      return true;
    if (C->FPaintsOverNative)
      Native(Watched, Event);
    QWidget* W = D.Widget;
    QPainter P(W);
    TCanvas* Canvas = C->Canvas();
    const QRect Dirty = Event->rect();
    const bool Buffered = C->FDoubleBuffered && C->FPaintsItself;
    const bool Erase =
        C->FPaintsItself && dynamic_cast<TWinControl*>(C) && !(C->FControlStyle & csOpaque) && C->FColor != clNone;
    if (Buffered) {
      if (D.Buffer.size() != W->size())
        D.Buffer = QImage(W->size(), QImage::Format_RGB32);
      if (Erase) {
        QPainter B(&D.Buffer);
        B.fillRect(Dirty, ToQColor(C->FColor));
      }
      Canvas->BindImage(&D.Buffer);
    } else {
      if (Erase)
        P.fillRect(Dirty, ToQColor(C->FColor));
      Canvas->AttachPainter(&P, W->width(), W->height());
    }
    D.InPaint = true;
    Guard([C] { C->Paint(); });
    if (!Alive())
      return true;
    D.InPaint = false;
    Canvas->Release();
    Canvas->AttachPainter(nullptr, 0, 0);
    if (Buffered)
      P.drawImage(Dirty, D.Buffer, Dirty);
    return true;
  }

  // ---- Mouse ----
  static TMouseButton ButtonOf(Qt::MouseButton B)
  {
    return B == Qt::RightButton ? mbRight : B == Qt::MiddleButton ? mbMiddle : mbLeft;
  }
  static bool KnownButton(Qt::MouseButton B)
  {
    return B == Qt::LeftButton || B == Qt::RightButton || B == Qt::MiddleButton;
  }

  // The platform sends the second press of a double click as a press
  // followed by a double-click event; the framework sends only the
  // double-click. The press is recognised as the second one by the
  // platform's own rule (time and distance from the first), and the
  // double-click event that follows is then dropped.
  bool SecondPress(const QMouseEvent* E)
  {
    TControl::Impl& D = *Control->D;
    const QPoint G = E->globalPosition().toPoint();
    const int Distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();
    const bool Second =
        D.LastPress.Valid && D.LastPress.Button == E->button() &&
        E->timestamp() - D.LastPress.Time <= uint64_t(QGuiApplication::styleHints()->mouseDoubleClickInterval()) &&
        (G - D.LastPress.Pos).manhattanLength() <= Distance;
    D.LastPress.Valid = !Second;
    D.LastPress.Button = E->button();
    D.LastPress.Time = E->timestamp();
    D.LastPress.Pos = G;
    return Second;
  }

  bool MousePress(QObject* Watched, QMouseEvent* E)
  {
    TControl* C = Control;
    TControl::Impl& D = *C->D;
    bool Double = false;
    if (E->type() == QEvent::MouseButtonDblClick) {
      if (D.DoubleSent) {
        D.DoubleSent = false;
        if (!C->FPaintsItself)
          Native(Watched, E); // a native edit selects a word on it
        E->accept();
        return true;
      }
      D.LastPress.Valid = false;
      Double = true;
    } else {
      D.DoubleSent = Double = SecondPress(E);
    }
    if (!C->FPaintsItself)
      Native(Watched, E);
    if (!Alive())
      return true;
    if (!KnownButton(E->button()))
      return true;
    const TMouseButton Button = ButtonOf(E->button());
    TShiftState Shift = ShiftStateOf(E->modifiers(), E->buttons());
    const TPoint P = ClientPoint(Watched, E->position());
    if (C->FControlStyle & csCaptureMouse)
      D.Pressed = true;
    Double = Double && (C->FControlStyle & csDoubleClicks);
    if (Double) {
      D.Clicked = false;
      if (Button == mbLeft && (C->FControlStyle & csClickEvents)) {
        C->DblClick();
        if (!Alive())
          return true;
      }
      Shift |= ssDouble;
    } else if (Button == mbLeft) {
      C->WMLButtonDown(Shift, P.X, P.Y);
      E->accept();
      return true;
    }
    C->MouseDown(Button, Shift, P.X, P.Y);
    E->accept();
    return true;
  }

  bool MouseRelease(QObject* Watched, QMouseEvent* E)
  {
    TControl* C = Control;
    if (!C->FPaintsItself)
      Native(Watched, E);
    if (!Alive())
      return true;
    if (E->buttons() == Qt::NoButton)
      C->D->Pressed = false;
    if (!KnownButton(E->button()))
      return true;
    const TMouseButton Button = ButtonOf(E->button());
    const TShiftState Shift = ShiftStateOf(E->modifiers(), E->buttons());
    const TPoint P = ClientPoint(Watched, E->position());
    if (Button == mbLeft)
      C->WMLButtonUp(Shift, P.X, P.Y);
    else
      C->MouseUp(Button, Shift, P.X, P.Y);
    E->accept();
    return true;
  }

  bool MouseMove(QObject* Watched, QMouseEvent* E)
  {
    TControl* C = Control;
    if (!C->FPaintsItself)
      Native(Watched, E);
    if (!Alive())
      return true;
    const TPoint P = ClientPoint(Watched, E->position());
    C->MouseMove(ShiftStateOf(E->modifiers(), E->buttons()), P.X, P.Y);
    E->accept();
    return true;
  }

  bool Wheel(QObject* Watched, QWheelEvent* E)
  {
    const int Delta = E->angleDelta().y();
    if (Delta == 0)
      return false; // a sideways wheel: not a wheel step here
    TControl* C = Control;
    const TShiftState Shift = ShiftStateOf(E->modifiers(), E->buttons());
    const QPoint G = E->globalPosition().toPoint();
    const TPoint Pos{G.x(), G.y()};
    bool Handled = C->DoMouseWheel(Shift, Delta, Pos);
    if (!Alive())
      return true;
    if (!Handled && !C->FPaintsItself) {
      E->ignore();
      Native(Watched, E);
      Handled = E->isAccepted();
      if (!Alive())
        return true;
    }
    // Not taken: the parent gets the step, as far up as someone takes it.
    for (TWinControl* P = C->Parent(); P && !Handled; P = P->Parent())
      Handled = P->DoMouseWheel(Shift, Delta, Pos);
    E->accept();
    return true;
  }

  bool ContextMenu(QObject* Watched, QEvent* Event)
  {
    TControl* C = Control;
    // The nearest popup menu up the parents, as the framework finds it.
    for (TControl* Owner = C; Owner; Owner = Owner->Parent()) {
      TPopupMenu* Menu = Owner->PopupMenu();
      if (Menu && Menu->AutoPopup()) {
        Menu->SetPopupComponent(C);
        const TPoint P = MouseCursorPos();
        Menu->Popup(P.X, P.Y);
        Event->accept();
        return true;
      }
    }
    if (!C->FPaintsItself) {
      Native(Watched, Event);
      return true;
    }
    return false;
  }

  // ---- Keys ----
  bool KeyPress(QObject* Watched, QKeyEvent* E)
  {
    auto* C = dynamic_cast<TWinControl*>(Control);
    if (!C)
      return false;
    uint16_t Key = VirtualKeyOf(*E);
    const TShiftState Shift = KeyShiftStateOf(*E);
    const bool Ctrl = Shift & (ssCtrl | ssAlt);
    const uint32_t Wants = C->WMGetDlgCode();
    // Tab moves the focus unless the control wants it.
    if (Key == VK_TAB && !Ctrl && !(Wants & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) && !C->CMWantSpecialKey(Key))
      return false;
    TCustomForm* Form = GetParentForm(C);
    if ((Key == VK_RETURN || Key == VK_ESCAPE) && !(Wants & DLGC_WANTALLKEYS) && !C->CMWantSpecialKey(Key) && Form &&
        !E->isAutoRepeat()) {
      if (Form->DialogKey(Key, Shift)) {
        E->accept();
        return true;
      }
      if (!Alive())
        return true;
    }
    C->D->KeyRepeat = E->isAutoRepeat();
    C->D->KeyKeypad = E->modifiers() & Qt::KeypadModifier;
    const bool Std = !(C->FControlStyle & csNoStdEvents);
    if (Key != 0 && Std) {
      if (Form && Form != C && Form->KeyPreview())
        Form->KeyDown(Key, Shift);
      if (!Alive())
        return true;
      if (Key != 0)
        C->WMKeyDown(Key, Shift);
      if (!Alive())
        return true;
    }
    const bool KeySwallowed = Key == 0 && VirtualKeyOf(*E) != 0;
    const char16_t Typed = KeyCharOf(*E);
    char16_t Ch = Typed;
    if (Ch != 0 && Std) {
      if (Form && Form != C && Form->KeyPreview())
        Form->KeyPress(Ch);
      if (!Alive())
        return true;
      if (Ch != 0)
        C->WMChar(Ch, Shift);
      if (!Alive())
        return true;
    }
    if (!C->FPaintsItself && Key != VK_TAB) {
      // The native control types the character as it was typed, or the one
      // a handler put in its place; its own reaction to the key happens
      // unless the key was swallowed.
      if (Ch != 0 && Ch == Typed)
        Native(Watched, E);
      else if (Ch != 0) {
        QKeyEvent Changed(QEvent::KeyPress, Qt::Key_unknown, E->modifiers() & ~Qt::ControlModifier, QString(QChar(Ch)));
        Native(Watched, &Changed);
      } else if (Typed == 0 && !KeySwallowed)
        Native(Watched, E);
    }
    E->accept();
    return true;
  }

  bool KeyRelease(QObject* Watched, QKeyEvent* E)
  {
    auto* C = dynamic_cast<TWinControl*>(Control);
    if (!C)
      return false;
    // A held key repeats its key-down only, as the platform sends it.
    if (E->isAutoRepeat()) {
      E->accept();
      return true;
    }
    uint16_t Key = VirtualKeyOf(*E);
    const TShiftState Shift = KeyShiftStateOf(*E);
    if (Key == VK_TAB && !(C->WMGetDlgCode() & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) && !C->CMWantSpecialKey(Key))
      return false;
    C->D->KeyRepeat = false;
    C->D->KeyKeypad = E->modifiers() & Qt::KeypadModifier;
    if (Key != 0 && !(C->FControlStyle & csNoStdEvents)) {
      TCustomForm* Form = GetParentForm(C);
      if (Form && Form != C && Form->KeyPreview())
        Form->KeyUp(Key, Shift);
      if (!Alive())
        return true;
      if (Key != 0)
        C->WMKeyUp(Key, Shift);
      if (!Alive())
        return true;
    }
    if (!C->FPaintsItself && Key != 0)
      Native(Watched, E);
    E->accept();
    return true;
  }

  // ---- Focus ----
  void FocusIn(QFocusEvent*)
  {
    auto* C = dynamic_cast<TWinControl*>(Control);
    if (!C)
      return;
    if (TCustomForm* Form = GetParentForm(C))
      Form->ControlFocused(C);
    else
      C->DoEnter();
  }

  void FocusOut(QFocusEvent* E)
  {
    auto* C = dynamic_cast<TWinControl*>(Control);
    if (!C)
      return;
    // Another window or a menu took the keyboard: the control stays its
    // form's active control.
    if (E->reason() == Qt::ActiveWindowFocusReason || E->reason() == Qt::PopupFocusReason)
      return;
    TCustomForm* Form = GetParentForm(C);
    if (Form) {
      // The focus goes to another control of the form: its FocusIn moves
      // the active control.
      TWinControl* Next = TWinControl::FindControl(QApplication::focusWidget());
      if (Next && GetParentForm(Next) == Form)
        return;
      if (Form->ActiveControl() == C)
        Form->ControlFocused(nullptr);
    } else {
      C->DoExit();
    }
  }
};

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), D(std::make_unique<Impl>()), FFont(std::make_unique<TFont>())
{
  FFont->OnChange = [this](TObject* Sender) { FontChange(Sender); };
}

TControl::~TControl()
{
  if (FAction)
    FAction->UnRegisterChanges(this);
  if (TCustomForm* Form = GetParentForm(this); Form && Form != this)
    Form->ControlRemoved(this);
  if (FParent) {
    FParent->RemoveControl(this);
    FParent = nullptr;
  }
  DestroyHandle();
  if (TControlBridge* B = D->Bridge) {
    // Freed from inside one of its widget's events: the bridge goes once
    // that event is over.
    if (B->Depth > 0)
      B->Control = nullptr;
    else
      delete B;
    D->Bridge = nullptr;
  }
  FFont->OnChange = nullptr;
}

String TControl::ClassName() const { return QStringLiteral("TControl"); }

// ---- Parent ----

void TControl::SetParent(TWinControl* AParent)
{
  if (AParent == FParent)
    return;
  for (TControl* P = AParent; P; P = P->FParent)
    if (P == this)
      throw EInvalidOperation(QStringLiteral("A control cannot have itself as its parent"));
  if (FParent) {
    if (TCustomForm* Form = GetParentForm(this); Form && Form != this)
      Form->ControlRemoved(this);
    FParent->RemoveControl(this);
  }
  FParent = AParent;
  if (FParent)
    FParent->InsertControl(this);
  if (D->Widget) {
    if (FParent && FParent->D->Widget) {
      D->Widget->setParent(FParent->ClientWidget());
      ApplyBounds();
      ApplyVisible();
    } else {
      DestroyHandle();
    }
  } else if (FParent && FParent->D->Widget) {
    CreateHandle();
  }
  if (FParent) {
    ParentFontChanged();
    ParentColorChanged();
    ParentShowHintChanged();
    if (FAlign != alNone)
      FParent->Realign();
  }
}

bool TControl::HasParent() const { return true; }

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value)
{
  if (auto* W = dynamic_cast<TWinControl*>(Value))
    SetParent(W);
}

void TControl::SetName(const String& NewName)
{
  const bool Follow = (FControlStyle & csSetCaption) && !(ComponentState() & csLoading) && Name() == GetText();
  TComponent::SetName(NewName);
  if (Follow)
    SetText(NewName);
  if (QWidget* W = D->Widget)
    W->setObjectName(NewName);
}

TCustomForm* TControl::ParentForm() const { return GetParentForm(this); }

// ---- Bounds ----

void TControl::SetLeft(int32_t Value) { SetBounds(Value, FTop, FWidth, FHeight); }
void TControl::SetTop(int32_t Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
void TControl::SetWidth(int32_t Value) { SetBounds(FLeft, FTop, Value, FHeight); }
void TControl::SetHeight(int32_t Value) { SetBounds(FLeft, FTop, FWidth, Value); }

void TControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight)
{
  AWidth = std::max(0, AWidth);
  AHeight = std::max(0, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
    return;
  const bool Sized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  ApplyBounds();
  if (Sized) {
    if (auto* W = dynamic_cast<TWinControl*>(this))
      W->Realign();
    Resize();
  }
  RequestAlign();
}

void TControl::RequestAlign()
{
  if (FParent && FAlign != alNone && FVisible)
    FParent->AlignControl(this);
}

TRect TControl::ClientRect() const { return TRect{0, 0, FWidth, FHeight}; }

void TControl::SetClientWidth(int32_t Value) { SetWidth(FWidth - ClientWidth() + Value); }
void TControl::SetClientHeight(int32_t Value) { SetHeight(FHeight - ClientHeight() + Value); }

TPoint TControl::ClientOrigin() const
{
  if (QWidget* W = D->Widget) {
    QWidget* Client = W;
    if (auto* Win = dynamic_cast<const TWinControl*>(this))
      Client = const_cast<TWinControl*>(Win)->ClientWidget();
    const QPoint G = Client->mapToGlobal(QPoint(0, 0));
    return TPoint{G.x(), G.y()};
  }
  if (FParent) {
    const TPoint P = FParent->ClientOrigin();
    return TPoint{P.X + FLeft, P.Y + FTop};
  }
  return TPoint{FLeft, FTop};
}

TPoint TControl::ScreenToClient(const TPoint& P) const
{
  const TPoint O = ClientOrigin();
  return TPoint{P.X - O.X, P.Y - O.Y};
}

TPoint TControl::ClientToScreen(const TPoint& P) const
{
  const TPoint O = ClientOrigin();
  return TPoint{P.X + O.X, P.Y + O.Y};
}

void TControl::SetAlign(TAlign Value)
{
  if (FAlign == Value)
    return;
  const TAlign Old = FAlign;
  FAlign = Value;
  if (FParent && FVisible && (Old != alNone || Value != alNone))
    FParent->AlignControl(this);
}

// ---- Visibility and state ----

void TControl::SetVisible(bool Value)
{
  if (FVisible == Value)
    return;
  FVisible = Value;
  ApplyVisible();
  VisibleChanged();
  if (FParent && FAlign != alNone)
    FParent->AlignControl(this);
}

bool TControl::Showing() const { return D->Widget && D->Widget->isVisible(); }

void TControl::SetEnabled(bool Value)
{
  if (FEnabled == Value)
    return;
  FEnabled = Value;
  ApplyEnabled();
  EnabledChanged();
}

void TControl::SetControlStyle(TControlStyle Value) { FControlStyle = Value; }

void TControl::BringToFront()
{
  if (FParent) {
    auto& L = FParent->FControls;
    L.erase(std::remove(L.begin(), L.end(), this), L.end());
    L.push_back(this);
  }
  if (D->Widget)
    D->Widget->raise();
}

void TControl::SendToBack()
{
  if (FParent) {
    auto& L = FParent->FControls;
    L.erase(std::remove(L.begin(), L.end(), this), L.end());
    L.insert(L.begin(), this);
  }
  if (D->Widget)
    D->Widget->lower();
}

// ---- Appearance ----

void TControl::SetColor(TColor Value)
{
  FParentColor = false;
  if (FColor == Value)
    return;
  FColor = Value;
  ColorChanged();
}

void TControl::SetParentColor(bool Value)
{
  if (FParentColor == Value)
    return;
  FParentColor = Value;
  ParentColorChanged();
}

void TControl::ParentColorChanged()
{
  if (!FParentColor || !FParent || FColor == FParent->FColor)
    return;
  FColor = FParent->FColor;
  ColorChanged();
}

void TControl::SetFont(TFont* Value)
{
  if (Value)
    FFont->Assign(Value);
}

void TControl::SetParentFont(bool Value)
{
  if (FParentFont == Value)
    return;
  FParentFont = Value;
  ParentFontChanged();
}

void TControl::ParentFontChanged()
{
  if (!FParentFont || !FParent)
    return;
  FSettingFont = true;
  FFont->Assign(FParent->FFont.get());
  FSettingFont = false;
}

void TControl::FontChange(TObject*)
{
  if (!FSettingFont)
    FParentFont = false;
  FontChanged();
}

void TControl::SetText(const String& Value)
{
  if (GetText() == Value)
    return;
  StoreText(Value);
  TextChanged();
}

String TControl::GetText() const { return FText; }

void TControl::StoreText(const String& Value) { FText = Value; }

void TControl::SetCursor(TCursor Value)
{
  if (FCursor == Value)
    return;
  FCursor = Value;
  ApplyCursor();
}

void TControl::SetHint(const String& Value)
{
  FHint = Value;
  ApplyHint();
}

bool TControl::ShowHint() const
{
  if (FParentShowHint && FParent)
    return FParent->ShowHint();
  return FShowHint;
}

void TControl::SetShowHint(bool Value)
{
  FParentShowHint = false;
  FShowHint = Value;
  ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool Value)
{
  FParentShowHint = Value;
  ParentShowHintChanged();
}

void TControl::ParentShowHintChanged()
{
  ApplyHint();
  if (auto* W = dynamic_cast<TWinControl*>(this))
    W->ShowHintChanged();
}

void TControl::SetPopupMenu(TPopupMenu* Value)
{
  if (FPopupMenu == Value)
    return;
  FPopupMenu = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TControl::SetAction(TBasicAction* Value)
{
  if (FAction == Value)
    return;
  if (FAction)
    FAction->UnRegisterChanges(this);
  FAction = Value;
  if (FAction) {
    FAction->FreeNotification(this);
    FAction->RegisterChanges(this, [this](TBasicAction* Sender) { ActionChange(Sender); });
    ActionChange(FAction);
  }
}

void TControl::ActionChange(TBasicAction* Sender)
{
  auto* A = dynamic_cast<TContainedAction*>(Sender);
  if (!A)
    return;
  SetCaption(A->Caption());
  SetEnabled(A->Enabled());
  SetVisible(A->Visible());
  SetHint(A->Hint());
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FPopupMenu)
    FPopupMenu = nullptr;
  if (AComponent == FAction)
    FAction = nullptr;
}

// ---- Painting ----

void TControl::Invalidate()
{
  if (D->Widget)
    D->Widget->update();
}

void TControl::Update()
{
  QWidget* W = D->Widget;
  if (!W || !W->isVisible() || D->InPaint)
    return;
  QCoreApplication::sendPostedEvents(W->window(), QEvent::UpdateRequest);
}

void TControl::Repaint()
{
  Invalidate();
  Update();
}

TCanvas* TControl::Canvas()
{
  if (!D->Canvas)
    D->Canvas = std::make_unique<TCanvas>();
  return D->Canvas.get();
}

// ---- Mouse ----

bool TControl::MouseCapture() const { return D->Pressed || D->Grabbed; }

void TControl::SetMouseCapture(bool Value)
{
  QWidget* W = D->Widget;
  if (Value) {
    if (W && W->isVisible() && !D->Grabbed) {
      W->grabMouse();
      D->Grabbed = true;
    }
    return;
  }
  D->Pressed = false;
  if (D->Grabbed) {
    D->Grabbed = false;
    if (W)
      W->releaseMouse();
  }
}

// ---- Handlers ----

void TControl::Click()
{
  if (OnClick)
    OnClick(this);
  else if (FAction)
    FAction->Execute();
}

void TControl::DblClick() { FireNotify(OnDblClick, this); }

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  if (OnMouseDown && !(FControlStyle & csNoStdEvents))
    OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int32_t X, int32_t Y)
{
  if (OnMouseMove && !(FControlStyle & csNoStdEvents))
    OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  if (OnMouseUp && !(FControlStyle & csNoStdEvents))
    OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int32_t WheelDelta, const TPoint& MousePos)
{
  constexpr int32_t WheelNotch = 120;
  bool Handled = false;
  if (OnMouseWheel)
    OnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
  if (Handled)
    return true;
  D->WheelAccumulator += WheelDelta;
  // A wheel with finer steps sends parts of a notch: a handler step is made
  // per full notch, the rest waits for the next event.
  while (std::abs(D->WheelAccumulator) >= WheelNotch) {
    const bool Down = D->WheelAccumulator < 0;
    D->WheelAccumulator += Down ? WheelNotch : -WheelNotch;
    Handled = Down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
  }
  return Handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos)
{
  bool Handled = false;
  if (OnMouseWheelDown)
    OnMouseWheelDown(this, Shift, MousePos, Handled);
  return Handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos)
{
  bool Handled = false;
  if (OnMouseWheelUp)
    OnMouseWheelUp(this, Shift, MousePos, Handled);
  return Handled;
}

void TControl::MouseEnter() { FireNotify(OnMouseEnter, this); }

void TControl::MouseLeave() { FireNotify(OnMouseLeave, this); }

void TControl::Resize() { FireNotify(OnResize, this); }

void TControl::Paint() {}

// ---- Change notices ----

void TControl::TextChanged() { Invalidate(); }

void TControl::FontChanged()
{
  ApplyFont();
  Invalidate();
}

void TControl::ColorChanged()
{
  ApplyColor();
  Invalidate();
}

void TControl::EnabledChanged() { Invalidate(); }

void TControl::VisibleChanged() {}

// ---- The widget ----

QWidget* TControl::Handle()
{
  if (!D->Widget)
    CreateHandle();
  return D->Widget;
}

bool TControl::HandleAllocated() const { return !D->Widget.isNull(); }

QWidget* TControl::WidgetOrNull() const { return D->Widget; }

QWidget* TControl::CreateWidget(QWidget* ParentWidget) { return new QWidget(ParentWidget); }

void TControl::CreateHandle()
{
  if (D->Widget)
    return;
  QWidget* ParentWidget = nullptr;
  if (FParent) {
    FParent->Handle();
    // Making the parent's widget makes its children's: this one's too.
    if (D->Widget)
      return;
    ParentWidget = FParent->ClientWidget();
  }
  // A native control's text is read from its widget once that is there.
  const String Text = GetText();
  QWidget* W = CreateWidget(ParentWidget);
  D->Widget = W;
  D->NativeFocus = W->focusPolicy();
  if (!D->Bridge)
    D->Bridge = new TControlBridge(this);
  RegisterWidget(W, this, D->Keys);
  W->installEventFilter(D->Bridge);
  W->setMouseTracking(true);
  W->setObjectName(Name());
  if (FPaintsItself) {
    W->setAttribute(Qt::WA_OpaquePaintEvent, dynamic_cast<TWinControl*>(this) != nullptr);
    W->setAutoFillBackground(false);
  }
  ApplyFont();
  ApplyColor();
  ApplyEnabled();
  ApplyCursor();
  ApplyHint();
  StoreText(Text);
  ApplyBounds();
  CreateWnd();
  ApplyVisible();
}

void TControl::CreateWnd() {}

void TControl::DestroyWnd() {}

void TControl::DestroyHandle()
{
  QPointer<QWidget> W = D->Widget;
  if (!W) {
    // Qt freed the widget first (as an MDI area frees its windows): neither
    // it nor a part that outlives it (a pop-up of its own) may still name
    // this control, or a focus look-up through them reaches a freed control.
    ForgetWidgets(this, D->Keys);
    D->Parts.clear();
    return;
  }
  // Native controls keep their text in the widget: keep it for the next one.
  const String Text = GetText();
  DestroyWnd();
  FText = Text;
  ForgetWidgets(this, D->Keys);
  D->Parts.clear();
  D->Observed.clear();
  D->Pressed = false;
  D->Grabbed = false;
  D->Widget = nullptr;
  if (!W)
    return;
  if (W->mouseGrabber() == W.data())
    W->releaseMouse();
  W->removeEventFilter(D->Bridge);
  if (D->Bridge->Depth > 0) {
    // Its own event is being handled: the widget goes once it is over.
    W->hide();
    W->setParent(nullptr);
    W->deleteLater();
  } else {
    delete W.data();
  }
}

void TControl::WatchWidget(QWidget* Part)
{
  if (!Part || !D->Bridge)
    return;
  D->Parts.emplace_back(Part);
  RegisterWidget(Part, this, D->Keys);
  Part->installEventFilter(D->Bridge);
  Part->setMouseTracking(true);
}

void TControl::ObserveWidget(QWidget* Other)
{
  if (!Other || !D->Bridge)
    return;
  D->Observed.emplace_back(Other);
  Other->installEventFilter(D->Bridge);
}

bool TControl::WidgetEvent(QObject*, QEvent*) { return false; }

void TControl::WMLButtonDown(TShiftState Shift, int32_t X, int32_t Y)
{
  if (FControlStyle & csClickEvents)
    D->Clicked = true;
  MouseDown(mbLeft, Shift, X, Y);
}

void TControl::WMLButtonUp(TShiftState Shift, int32_t X, int32_t Y)
{
  if (D->Clicked) {
    D->Clicked = false;
    const TRect R = ClientRect();
    if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom) {
      // Click may free the control: the bridge outlives it while the event
      // is being handled and tells.
      TControlBridge* Bridge = D->Bridge;
      Click();
      if (Bridge && !Bridge->Alive())
        return;
    }
  }
  MouseUp(mbLeft, Shift, X, Y);
}

void TControl::ApplyBounds()
{
  if (QWidget* W = D->Widget)
    W->setGeometry(FLeft, FTop, FWidth, FHeight);
}

void TControl::WidgetGeometryChanged()
{
  QWidget* W = D->Widget;
  if (!W || W->isWindow())
    return;
  const QRect G = W->geometry();
  if (G.width() == FWidth && G.height() == FHeight && G.x() == FLeft && G.y() == FTop)
    return;
  const bool Sized = G.width() != FWidth || G.height() != FHeight;
  FLeft = G.x();
  FTop = G.y();
  FWidth = G.width();
  FHeight = G.height();
  if (Sized) {
    if (auto* Win = dynamic_cast<TWinControl*>(this))
      Win->Realign();
    Resize();
  }
}

void TControl::ApplyVisible()
{
  if (QWidget* W = D->Widget)
    W->setVisible(FVisible && FParent != nullptr);
}

void TControl::ApplyEnabled()
{
  if (QWidget* W = D->Widget)
    W->setEnabled(FEnabled);
}

void TControl::ApplyFont()
{
  if (QWidget* W = D->Widget) {
    W->setFont(ToQFont(*FFont));
    ApplyPalette(W);
  }
}

void TControl::ApplyColor()
{
  if (QWidget* W = D->Widget)
    ApplyPalette(W);
}

void TControl::ApplyPalette(QWidget* W)
{
  QPalette P = W->palette();
  if (FColor != clNone && FColor != clDefault)
    P.setColor(QPalette::Window, ToQColor(FColor));
  P.setColor(QPalette::WindowText, ToQColor(FFont->Color()));
  W->setPalette(P);
}

void TControl::ApplyCursor()
{
  QWidget* W = D->Widget;
  if (!W)
    return;
  if (FCursor == crDefault)
    W->unsetCursor();
  else
    W->setCursor(ShapeOf(FCursor));
}

void TControl::ApplyHint()
{
  if (QWidget* W = D->Widget)
    W->setToolTip(ShowHint() ? GetShortHint(FHint) : String());
}

// ---------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl()
{
  // Components of this control reach back into it while they go.
  DestroyComponents();
  while (!FControls.empty())
    delete FControls.back();
  DestroyHandle();
}

String TWinControl::ClassName() const { return QStringLiteral("TWinControl"); }

TControl* TWinControl::Controls(int32_t Index) const
{
  if (Index < 0 || Index >= ControlCount())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FControls[static_cast<size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* AControl) const
{
  for (const TControl* C = AControl; C; C = C->Parent())
    if (C == this)
      return true;
  return false;
}

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
  for (TControl* C : FControls)
    if (C->Owner() == Root)
      Proc(C);
}

void TWinControl::InsertControl(TControl* AControl) { FControls.push_back(AControl); }

void TWinControl::RemoveControl(TControl* AControl)
{
  FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
  if (AControl->Align() != alNone && AControl->Visible())
    Realign();
}

QWidget* TWinControl::ClientWidget() { return Handle(); }

void TWinControl::CreateWnd()
{
  QWidget* W = WidgetOrNull();
  if (W && !PaintsItself() && D->NativeFocus == Qt::NoFocus && !W->isWindow())
    W->setAutoFillBackground(true);
  ApplyFocusPolicy();
  // The children that were waiting for this widget.
  for (TControl* C : std::vector<TControl*>(FControls))
    C->CreateHandle();
  Realign();
}

void TWinControl::DestroyWnd()
{
  for (TControl* C : std::vector<TControl*>(FControls))
    C->DestroyHandle();
}

void TWinControl::SetTabStop(bool Value)
{
  if (FTabStop == Value)
    return;
  FTabStop = Value;
  ApplyFocusPolicy();
}

void TWinControl::ApplyFocusPolicy()
{
  QWidget* W = WidgetOrNull();
  if (!W)
    return;
  // Native controls take the focus when clicked, as the platform's do;
  // controls of our own only when they ask for it (SetFocus in MouseDown).
  if (D->NativeFocus != Qt::NoFocus)
    W->setFocusPolicy(FTabStop ? D->NativeFocus : Qt::ClickFocus);
  else
    W->setFocusPolicy(FTabStop ? Qt::TabFocus : Qt::NoFocus);
}

void TWinControl::SetFocus()
{
  if (!CanFocus())
    throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
  TCustomForm* Form = GetParentForm(this);
  QWidget* W = Handle();
  if (Form && Form != this)
    Form->ControlFocused(this);
  W->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const
{
  QWidget* W = WidgetOrNull();
  if (!W)
    return false;
  QWidget* F = QApplication::focusWidget();
  return F && (F == W || TWinControl::FindControl(F) == this);
}

bool TWinControl::CanFocus() const
{
  TCustomForm* Form = GetParentForm(this);
  if (Form && (!Form->Visible() || !Form->Enabled()))
    return false;
  for (const TControl* C = this; C && C != Form; C = C->Parent())
    if (!C->Visible() || !C->Enabled())
      return false;
  return true;
}

TWinControl* TWinControl::FindControl(QWidget* Widget)
{
  const auto& Owners = WidgetOwners();
  for (QWidget* W = Widget; W; W = W->parentWidget()) {
    const auto It = Owners.find(W);
    if (It != Owners.end())
      if (auto* C = dynamic_cast<TWinControl*>(It->second))
        return C;
  }
  return nullptr;
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift)
{
  if (OnKeyDown)
    OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char16_t& Key)
{
  if (OnKeyPress)
    OnKeyPress(this, Key);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift)
{
  if (OnKeyUp)
    OnKeyUp(this, Key, Shift);
}

void TWinControl::WMKeyDown(uint16_t& Key, TShiftState Shift) { KeyDown(Key, Shift); }

void TWinControl::WMChar(char16_t& Key, TShiftState) { KeyPress(Key); }

void TWinControl::WMKeyUp(uint16_t& Key, TShiftState Shift) { KeyUp(Key, Shift); }

namespace {

// A key event that types Ch and names no key (Backspace names its key: the
// native edit acts on the key, not on the character).
QKeyEvent* CharEvent(char16_t Ch)
{
  const int Key = Ch == 8 ? Qt::Key_Backspace : Qt::Key_unknown;
  return new QKeyEvent(QEvent::KeyPress, Key, Qt::NoModifier, QString(QChar(Ch)));
}

} // namespace

void TWinControl::PerformChar(char16_t Ch)
{
  if (QWidget* W = WidgetOrNull()) {
    std::unique_ptr<QKeyEvent> E(CharEvent(Ch));
    QCoreApplication::sendEvent(W, E.get());
  }
}

void TWinControl::PostChar(char16_t Ch)
{
  if (QWidget* W = WidgetOrNull())
    QCoreApplication::postEvent(W, CharEvent(Ch));
}

void TWinControl::DoEnter() { FireNotify(OnEnter, this); }

void TWinControl::DoExit() { FireNotify(OnExit, this); }

uint32_t TWinControl::WMGetDlgCode() { return 0; }

bool TWinControl::CMWantSpecialKey(uint16_t) { return false; }

bool TWinControl::KeyIsRepeat() const { return D->KeyRepeat; }
bool TWinControl::KeyFromKeypad() const { return D->KeyKeypad; }

void TWinControl::FontChanged()
{
  TControl::FontChanged();
  for (TControl* C : std::vector<TControl*>(FControls))
    C->ParentFontChanged();
}

void TWinControl::ColorChanged()
{
  TControl::ColorChanged();
  for (TControl* C : std::vector<TControl*>(FControls))
    C->ParentColorChanged();
}

void TWinControl::ShowHintChanged()
{
  for (TControl* C : std::vector<TControl*>(FControls))
    if (C->ParentShowHint())
      C->ParentShowHintChanged();
}

// ---- Alignment ----

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign()
{
  if (--FAlignLevel == 0)
    Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl)
{
  if (FAlignLevel > 0)
    return;
  TRect R = ClientRect();
  AdjustClientRect(R);
  ++FAlignLevel;
  const auto Done = qScopeGuard([this] { --FAlignLevel; });
  AlignControls(AControl, R);
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
  // Each side takes its controls in the order they lie from that side
  // outwards, the control just moved or aligned first among equals; the
  // client control gets what is left.
  const auto Key = [](const TControl* C) -> int32_t {
    switch (C->Align()) {
    case alTop:
      return C->Top();
    case alBottom:
      return -(C->Top() + C->Height());
    case alLeft:
      return C->Left();
    case alRight:
      return -(C->Left() + C->Width());
    default:
      return 0;
    }
  };
  for (const TAlign A : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> Group;
    if (AControl && AControl->Align() == A && AControl->Visible() && AControl->Parent() == this)
      Group.push_back(AControl);
    for (TControl* C : FControls)
      if (C != AControl && C->Align() == A && C->Visible())
        Group.push_back(C);
    std::stable_sort(Group.begin(), Group.end(), [&](TControl* X, TControl* Y) { return Key(X) < Key(Y); });
    for (TControl* C : Group) {
      switch (A) {
      case alTop:
        C->SetBounds(Rect.Left, Rect.Top, Rect.Width(), C->Height());
        Rect.Top = std::min(Rect.Bottom, Rect.Top + C->Height());
        break;
      case alBottom:
        C->SetBounds(Rect.Left, Rect.Bottom - C->Height(), Rect.Width(), C->Height());
        Rect.Bottom = std::max(Rect.Top, Rect.Bottom - C->Height());
        break;
      case alLeft:
        C->SetBounds(Rect.Left, Rect.Top, C->Width(), Rect.Height());
        Rect.Left = std::min(Rect.Right, Rect.Left + C->Width());
        break;
      case alRight:
        C->SetBounds(Rect.Right - C->Width(), Rect.Top, C->Width(), Rect.Height());
        Rect.Right = std::max(Rect.Left, Rect.Right - C->Width());
        break;
      default:
        C->SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
        break;
      }
    }
  }
}

// ---------------------------------------------------------------------------
// TCustomControl / TGraphicControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) { SetPaintsItself(true); }

TCustomControl::~TCustomControl() = default;

String TCustomControl::ClassName() const { return QStringLiteral("TCustomControl"); }

void TCustomControl::Paint() { FireNotify(OnPaint, this); }

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) { SetPaintsItself(true); }

TGraphicControl::~TGraphicControl() = default;

String TGraphicControl::ClassName() const { return QStringLiteral("TGraphicControl"); }

void TGraphicControl::Paint() { FireNotify(OnPaint, this); }

// ---------------------------------------------------------------------------

String GetShortHint(const String& Hint)
{
  const qsizetype I = Hint.indexOf(QLatin1Char('|'));
  return I < 0 ? Hint : Hint.left(I);
}

String GetLongHint(const String& Hint)
{
  const qsizetype I = Hint.indexOf(QLatin1Char('|'));
  return I < 0 ? Hint : Hint.mid(I + 1);
}

TPoint MouseCursorPos()
{
  const QPoint P = QCursor::pos();
  return TPoint{P.x(), P.y()};
}

// ---- Published properties: forms stream the bounds, colour, font and state
// of every control.

namespace {

const TEnumInfo AlignInfo("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});

using C = TControl;
[[maybe_unused]] const TClassInfo& ControlClass =
    PublishClass<C>("TControl", "TComponent",
                    {
                        PropInt("Left", &C::Left, &C::SetLeft),
                        PropInt("Top", &C::Top, &C::SetTop),
                        PropInt("Width", &C::Width, &C::SetWidth),
                        PropInt("Height", &C::Height, &C::SetHeight),
                        PropEnum("Align", &C::Align, &C::SetAlign, AlignInfo, alNone),
                        PropColor("Color", &C::Color, &C::SetColor, clWindow),
                        PropInt("Cursor", &C::Cursor, &C::SetCursor, crDefault),
                        PropBool("Enabled", &C::Enabled, &C::SetEnabled, true),
                        PropObj("Font", &C::Font, &C::SetFont),
                        PropStr("Hint", &C::Hint, &C::SetHint),
                        PropBool("ParentColor", &C::ParentColor, &C::SetParentColor, true),
                        PropBool("ParentFont", &C::ParentFont, &C::SetParentFont, true),
                        PropBool("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint, true),
                        PropBool("ShowHint", &C::ShowHint, &C::SetShowHint, false),
                        PropBool("Visible", &C::Visible, &C::SetVisible, true),
                        PropEvent("OnClick", &C::OnClick),
                        PropEvent("OnDblClick", &C::OnDblClick),
                        PropEvent("OnMouseDown", &C::OnMouseDown),
                        PropEvent("OnMouseMove", &C::OnMouseMove),
                        PropEvent("OnMouseUp", &C::OnMouseUp),
                        PropEvent("OnResize", &C::OnResize),
                    });

using W = TWinControl;
[[maybe_unused]] const TClassInfo& WinControlClass =
    PublishClass<W>("TWinControl", "TControl",
                    {
                        PropBool("TabStop", &W::TabStop, &W::SetTabStop, false),
                        PropEvent("OnEnter", &W::OnEnter),
                        PropEvent("OnExit", &W::OnExit),
                        PropEvent("OnKeyDown", &W::OnKeyDown),
                        PropEvent("OnKeyPress", &W::OnKeyPress),
                        PropEvent("OnKeyUp", &W::OnKeyUp),
                    });

[[maybe_unused]] const TClassInfo& CustomControlClass =
    PublishClass<TCustomControl>("TCustomControl", "TWinControl", {PropEvent("OnPaint", &TCustomControl::OnPaint)});

} // namespace
