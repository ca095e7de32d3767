#include "platform/Forms.h"

#include "platform/Application.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "rtl/Exceptions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

Qt::CursorShape CursorShapeOf(TCursor C); // Controls.cpp

struct TCustomForm::Impl {
  QPointer<QWidget> Client;    // a window form's area under the menu bar
  QPointer<QMdiArea> MdiArea;  // an MDI frame's
  QPointer<QMdiSubWindow> Sub; // an MDI child's frame
  QPointer<QMenuBar> MenuBar;  // the main menu's bar
  QPointer<QObject> Releaser;  // carries the deferred free of Release
  QEventLoop* ModalLoop = nullptr;
  QSize LastClient{-1, -1};
  bool Positioned = false;
};

namespace {

bool GuiApplication() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

TCustomForm* FormOfWidget(QWidget* W)
{
  for (; W; W = W->parentWidget())
    if (auto* F = dynamic_cast<TCustomForm*>(TWinControl::FindControl(W)))
      return F;
  return nullptr;
}

// The buttons of a form, depth first.
void ForEachButton(TWinControl* Parent, const std::function<bool(TButton*)>& Fn, bool& Done)
{
  for (int32_t I = 0; I < Parent->ControlCount() && !Done; ++I) {
    TControl* C = Parent->Controls(I);
    if (auto* B = dynamic_cast<TButton*>(C))
      Done = Fn(B);
    else if (auto* W = dynamic_cast<TWinControl*>(C))
      ForEachButton(W, Fn, Done);
  }
}

} // namespace

// ---------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), F(std::make_unique<Impl>())
{
  FVisible = false;
  FParentFont = false;
  FParentShowHint = false;
  SetColor(clBtnFace);
  FWidth = 320;
  FHeight = 240;
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
  Screen->FForms.push_back(this);
}

TCustomForm::~TCustomForm()
{
  auto& L = Screen->FForms;
  L.erase(std::remove(L.begin(), L.end(), this), L.end());
  if (F->ModalLoop)
    F->ModalLoop->quit();
  // The controls and menus it owns reach back into the form while they go.
  DestroyComponents();
  while (ControlCount() > 0)
    delete Controls(ControlCount() - 1);
  FActiveControl = nullptr;
  DestroyHandle();
  delete F->Releaser.data();
}

String TCustomForm::ClassName() const { return QStringLiteral("TCustomForm"); }

// ---- Kind of window ----

void TCustomForm::SetFormStyle(TFormStyle Value)
{
  if (FFormStyle == Value)
    return;
  FFormStyle = Value;
  if (HandleAllocated() && !Parent()) {
    DestroyHandle();
    if (FVisible)
      CreateHandle();
  }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  ApplyWindowFlags();
}

void TCustomForm::ApplyWindowFlags()
{
  QWidget* W = WidgetOrNull();
  if (!W || !W->isWindow())
    return;
  Qt::WindowFlags Flags = Qt::Window;
  switch (FBorderStyle) {
  case bsNone:
    Flags |= Qt::FramelessWindowHint;
    break;
  case bsDialog:
    Flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    break;
  case bsToolWindow:
  case bsSizeToolWin:
    Flags = Qt::Tool;
    break;
  default:
    break;
  }
  if (FFormStyle == fsStayOnTop)
    Flags |= Qt::WindowStaysOnTopHint;
  const bool WasVisible = W->isVisible();
  if (W->windowFlags() != Flags)
    W->setWindowFlags(Flags);
  ApplyBounds();
  if (WasVisible && !W->isVisible())
    W->show();
}

TWindowState TCustomForm::WindowState() const
{
  QWidget* W = F->Sub ? static_cast<QWidget*>(F->Sub.data()) : WidgetOrNull();
  if (!W || (!F->Sub && !W->isWindow()))
    return FWindowState;
  const Qt::WindowStates S = W->windowState();
  if (S & Qt::WindowMinimized)
    return wsMinimized;
  if (S & Qt::WindowMaximized)
    return wsMaximized;
  return W->isVisible() ? wsNormal : FWindowState;
}

void TCustomForm::SetWindowState(TWindowState Value)
{
  FWindowState = Value;
  QWidget* W = F->Sub ? static_cast<QWidget*>(F->Sub.data()) : WidgetOrNull();
  if (!W || !W->isVisible())
    return;
  switch (Value) {
  case wsMinimized:
    W->showMinimized();
    break;
  case wsMaximized:
    W->showMaximized();
    break;
  default:
    W->showNormal();
    break;
  }
}

// ---- The widgets ----

QWidget* TCustomForm::CreateWidget(QWidget* ParentWidget)
{
  if (Parent())
    return TWinControl::CreateWidget(ParentWidget);
  if (FFormStyle == fsMDIChild) {
    TCustomForm* Frame = nullptr;
    for (int32_t I = 0; I < Screen->FormCount() && !Frame; ++I)
      if (Screen->Forms(I) != this && Screen->Forms(I)->FFormStyle == fsMDIForm)
        Frame = Screen->Forms(I);
    if (!Frame)
      throw EInvalidOperation(QStringLiteral("Cannot create form. No MDI forms are currently active"));
    Frame->Handle();
    auto* W = new QWidget;
    W->setAttribute(Qt::WA_DeleteOnClose, false);
    F->Sub = Frame->F->MdiArea->addSubWindow(W);
    F->Sub->setAttribute(Qt::WA_DeleteOnClose, false);
    F->Sub->hide();
    return W;
  }
  auto* W = new QWidget(nullptr, Qt::Window);
  F->Client = new QWidget(W);
  F->Client->setAutoFillBackground(true);
  if (FFormStyle == fsMDIForm) {
    F->MdiArea = new QMdiArea(F->Client);
    F->MdiArea->setBackground(QBrush(QColor(0xAB, 0xAB, 0xAB)));
    QObject::connect(F->MdiArea, &QMdiArea::subWindowActivated, F->MdiArea, [](QMdiSubWindow* Sub) {
      // The children's own activation: the one that had it loses it first.
      for (int32_t I = 0; I < Screen->FormCount(); ++I) {
        TCustomForm* Child = Screen->Forms(I);
        if (Child->F->Sub && Child->F->Sub != Sub && Child->FActive)
          Child->SetActive(false);
      }
      if (Sub)
        if (TCustomForm* Child = FormOfWidget(Sub->widget()))
          Child->SetActive(true);
    });
  }
  return W;
}

void TCustomForm::CreateWnd()
{
  if (F->Sub)
    ObserveWidget(F->Sub);
  if (F->Client)
    WatchWidget(F->Client);
  TextChanged();
  ApplyWindowFlags();
  MenuChanged();
  TWinControl::CreateWnd();
}

void TCustomForm::DestroyWnd()
{
  TWinControl::DestroyWnd();
  // MDI children live inside this frame's area: they lose their windows
  // before it goes.
  if (F->MdiArea)
    for (int32_t I = 0; I < Screen->FormCount(); ++I) {
      TCustomForm* Child = Screen->Forms(I);
      if (Child != this && Child->F->Sub && Child->F->Sub->mdiArea() == F->MdiArea)
        Child->DestroyHandle();
    }
  delete F->MenuBar.data();
  if (QMdiSubWindow* Sub = F->Sub) {
    F->Sub = nullptr;
    if (QWidget* W = WidgetOrNull())
      W->setParent(nullptr);
    if (QMdiArea* Area = Sub->mdiArea())
      Area->removeSubWindow(Sub);
    Sub->deleteLater();
  }
  FActive = false;
  F->LastClient = QSize(-1, -1);
}

QWidget* TCustomForm::ClientWidget()
{
  QWidget* W = Handle();
  return F->Client ? F->Client.data() : W;
}

QWidget* TCustomForm::ClientHandle() const { return F->MdiArea; }

int32_t TCustomForm::MenuHeight() const { return F->MenuBar && F->Client ? F->MenuBar->sizeHint().height() : 0; }

TRect TCustomForm::ClientRect() const
{
  if (F->Sub) {
    if (QWidget* W = WidgetOrNull(); W && F->Sub->isVisible())
      return TRect{0, 0, W->width(), W->height()};
  }
  return TRect{0, 0, FWidth, std::max(0, FHeight - MenuHeight())};
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect)
{
  TWinControl::AlignControls(AControl, Rect);
  // The MDI area takes what the aligned controls leave.
  if (F->MdiArea)
    F->MdiArea->setGeometry(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
}

void TCustomForm::ApplyBounds()
{
  if (Parent()) {
    TWinControl::ApplyBounds();
    return;
  }
  if (F->Sub) {
    F->Sub->setGeometry(FLeft, FTop, FWidth, FHeight);
    return;
  }
  QWidget* W = WidgetOrNull();
  if (!W)
    return;
  if (FBorderStyle == bsDialog || FBorderStyle == bsSingle || FBorderStyle == bsToolWindow)
    W->setFixedSize(FWidth, FHeight);
  else {
    W->setMinimumSize(0, 0);
    W->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  W->setGeometry(FLeft, FTop, FWidth, FHeight);
  const int32_t M = MenuHeight();
  if (F->MenuBar)
    F->MenuBar->setGeometry(0, 0, FWidth, M);
  if (F->Client)
    F->Client->setGeometry(0, M, FWidth, std::max(0, FHeight - M));
}

void TCustomForm::WidgetGeometryChanged()
{
  QWidget* W = WidgetOrNull();
  if (!W)
    return;
  if (Parent()) {
    TWinControl::WidgetGeometryChanged();
    return;
  }
  if (F->Sub) {
    // The client inside the MDI frame: its size is what Resize reports.
    if (W->size() != F->LastClient) {
      F->LastClient = W->size();
      Realign();
      Resize();
    }
    return;
  }
  const QRect G = W->geometry();
  if (G.x() == FLeft && G.y() == FTop && G.width() == FWidth && G.height() == FHeight)
    return;
  const bool Sized = G.width() != FWidth || G.height() != FHeight;
  FLeft = G.x();
  FTop = G.y();
  FWidth = G.width();
  FHeight = G.height();
  const int32_t M = MenuHeight();
  if (F->MenuBar)
    F->MenuBar->setGeometry(0, 0, FWidth, M);
  if (F->Client)
    F->Client->setGeometry(0, M, FWidth, std::max(0, FHeight - M));
  if (Sized) {
    Realign();
    Resize();
  }
}

bool TCustomForm::WidgetEvent(QObject* Watched, QEvent* Event)
{
  QWidget* W = WidgetOrNull();
  if (F->Sub && Watched == F->Sub.data()) {
    switch (Event->type()) {
    case QEvent::Close:
      // The frame's close button: the form decides.
      Event->ignore();
      Close();
      return true;
    case QEvent::Move:
    case QEvent::Resize: {
      const QRect G = F->Sub->geometry();
      FLeft = G.x();
      FTop = G.y();
      FWidth = G.width();
      FHeight = G.height();
      return false;
    }
    default:
      return false;
    }
  }
  if (Watched != W)
    return false;
  switch (Event->type()) {
  case QEvent::Close:
    if (!W->isWindow())
      return false;
    Event->ignore();
    Close();
    return true;
  case QEvent::Show:
    if (!Event->spontaneous() && !FShown) {
      FShown = true;
      DoShow();
    }
    return false;
  case QEvent::Hide:
    if (!Event->spontaneous() && FShown) {
      FShown = false;
      DoHide();
    }
    return false;
  case QEvent::WindowActivate:
    if (W->isWindow())
      SetActive(true);
    return false;
  case QEvent::WindowDeactivate:
    if (W->isWindow())
      SetActive(false);
    return false;
  default:
    return false;
  }
}

void TCustomForm::TextChanged()
{
  if (QWidget* W = WidgetOrNull())
    W->setWindowTitle(Caption());
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FMenu) {
    FMenu = nullptr;
    MenuChanged();
  }
  if (FActiveControl && AComponent == FActiveControl)
    FActiveControl = nullptr;
}

// ---- Showing and closing ----

void TCustomForm::SetVisible(bool Value)
{
  if (Value == FVisible)
    return;
  if (Value && !Parent())
    Handle();
  if (!Value && F->ModalLoop && FModalResult == mrNone)
    SetModalResult(mrCancel);
  TWinControl::SetVisible(Value);
}

void TCustomForm::ApplyVisible()
{
  QWidget* W = WidgetOrNull();
  if (!W)
    return;
  if (Parent()) {
    TWinControl::ApplyVisible();
    return;
  }
  if (F->Sub) {
    if (!FVisible) {
      F->Sub->hide();
      return;
    }
    W->show();
    switch (FWindowState) {
    case wsMaximized:
      F->Sub->showMaximized();
      break;
    case wsMinimized:
      F->Sub->showMinimized();
      break;
    default:
      F->Sub->show();
      break;
    }
    return;
  }
  if (!FVisible) {
    W->hide();
    return;
  }
  if (!F->Positioned) {
    F->Positioned = true;
    const bool Centre = FPosition == poScreenCenter || FPosition == poDesktopCenter || FPosition == poMainFormCenter ||
                        FPosition == poOwnerFormCenter;
    if (Centre)
      if (QScreen* S = QGuiApplication::primaryScreen()) {
        const QRect A = S->availableGeometry();
        SetBounds(A.x() + (A.width() - FWidth) / 2, A.y() + (A.height() - FHeight) / 2, FWidth, FHeight);
      }
  }
  switch (FWindowState) {
  case wsMaximized:
    W->showMaximized();
    break;
  case wsMinimized:
    W->showMinimized();
    break;
  default:
    W->show();
    break;
  }
}

void TCustomForm::Show()
{
  SetVisible(true);
  if (F->Sub) {
    if (QMdiArea* Area = F->Sub->mdiArea())
      Area->setActiveSubWindow(F->Sub);
  } else if (QWidget* W = WidgetOrNull(); W && W->isWindow()) {
    if (!IsHeadless())
      W->raise();
    W->activateWindow();
  }
}

bool TCustomForm::CloseQuery()
{
  if (FFormStyle == fsMDIForm)
    for (int32_t I = 0; I < MDIChildCount(); ++I)
      if (!MDIChildren(I)->CloseQuery())
        return false;
  bool CanClose = true;
  if (OnCloseQuery)
    OnCloseQuery(this, CanClose);
  return CanClose;
}

void TCustomForm::Close()
{
  if (F->ModalLoop) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery())
    return;
  TCloseAction Action = FFormStyle == fsMDIChild ? caMinimize : caHide;
  DoClose(Action);
  switch (Action) {
  case caHide:
    Hide();
    break;
  case caMinimize:
    SetWindowState(wsMinimized);
    break;
  case caFree:
    Release();
    break;
  default:
    break;
  }
}

void TCustomForm::DoClose(TCloseAction& Action)
{
  if (OnClose)
    OnClose(this, Action);
}

void TCustomForm::Release()
{
  if (F->Releaser)
    return;
  F->Releaser = new QObject;
  QTimer::singleShot(0, F->Releaser.data(), [this] {
    F->Releaser->deleteLater();
    F->Releaser = nullptr;
    delete this;
  });
}

TModalResult TCustomForm::ShowModal()
{
  if (FVisible || !Enabled() || FFormStyle == fsMDIChild || F->ModalLoop)
    throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
  QWidget* W = Handle();
  W->setWindowModality(Qt::ApplicationModal);
  FModalResult = mrNone;
  QEventLoop Loop;
  F->ModalLoop = &Loop;
  Show();
  while (FModalResult == mrNone) {
    if (!GuiApplication() || (Application && Application->Terminated())) {
      FModalResult = mrCancel;
      break;
    }
    Loop.exec();
    if (FModalResult != mrNone)
      CloseModal();
  }
  F->ModalLoop = nullptr;
  Hide();
  if (QWidget* Now = WidgetOrNull())
    Now->setWindowModality(Qt::NonModal);
  return FModalResult;
}

void TCustomForm::CloseModal()
{
  TCloseAction Action = caNone;
  if (CloseQuery()) {
    Action = caHide;
    DoClose(Action);
  }
  if (Action == caNone)
    FModalResult = mrNone;
  else if (Action == caFree)
    Release();
}

void TCustomForm::SetModalResult(TModalResult Value)
{
  FModalResult = Value;
  if (F->ModalLoop && Value != mrNone)
    F->ModalLoop->quit();
}

bool TCustomForm::Active() const { return FActive; }

void TCustomForm::SetActive(bool Value)
{
  if (FActive == Value)
    return;
  FActive = Value;
  if (Value) {
    if (FActiveControl && FActiveControl->CanFocus())
      if (QWidget* W = FActiveControl->Handle())
        W->setFocus(Qt::ActiveWindowFocusReason);
    Activate();
  } else {
    Deactivate();
  }
}

void TCustomForm::DoShow() { FireNotify(OnShow, this); }

void TCustomForm::DoHide() { FireNotify(OnHide, this); }

void TCustomForm::Activate() { FireNotify(OnActivate, this); }

void TCustomForm::Deactivate() { FireNotify(OnDeactivate, this); }

bool TCustomForm::CanFocus() const { return FVisible && Enabled(); }

void TCustomForm::SetFocus()
{
  if (!CanFocus())
    throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
  Show();
}

// ---- Focus and keys ----

void TCustomForm::SetActiveControl(TWinControl* Value)
{
  if (Value == this)
    Value = nullptr;
  if (Value && GetParentForm(Value) != this)
    throw EInvalidOperation(QStringLiteral("Invalid control"));
  if (Value && FVisible && Value->CanFocus()) {
    Value->SetFocus();
    return;
  }
  ControlFocused(Value);
}

void TCustomForm::ControlFocused(TWinControl* AControl)
{
  if (AControl == this || AControl == FActiveControl)
    return;
  TWinControl* Old = FActiveControl;
  FActiveControl = AControl;
  if (AControl)
    AControl->FreeNotification(this);
  if (Old)
    Old->DoExit();
  if (AControl && FActiveControl == AControl)
    AControl->DoEnter();
}

void TCustomForm::ControlRemoved(TControl* AControl)
{
  if (!FActiveControl || !AControl)
    return;
  if (AControl == FActiveControl) {
    FActiveControl = nullptr;
    return;
  }
  if (auto* W = dynamic_cast<TWinControl*>(AControl); W && W->ContainsControl(FActiveControl))
    FActiveControl = nullptr;
}

bool TCustomForm::DialogKey(uint16_t Key, TShiftState)
{
  TButton* Target = nullptr;
  if (Key == VK_RETURN)
    Target = dynamic_cast<TButton*>(FActiveControl);
  if (!Target) {
    bool Done = false;
    ForEachButton(
        this,
        [&](TButton* B) {
          const bool Fits = Key == VK_RETURN ? B->Default() : B->Cancel();
          if (Fits && B->Visible() && B->Enabled() && B->CanFocus())
            Target = B;
          return Target != nullptr;
        },
        Done);
  }
  if (!Target)
    return false;
  Target->Click();
  return true;
}

// ---- Main menu ----

void TCustomForm::SetMenu(TMainMenu* Value)
{
  if (FMenu == Value)
    return;
  FMenu = Value;
  if (Value)
    Value->FreeNotification(this);
  MenuChanged();
}

void TCustomForm::MenuChanged()
{
  QWidget* W = WidgetOrNull();
  if (!W || !F->Client)
    return;
  delete F->MenuBar.data();
  if (FMenu) {
    F->MenuBar = FMenu->CreateMenuBar(W);
    F->MenuBar->show();
  }
  ApplyBounds();
  Realign();
}

// ---- MDI ----

int32_t TCustomForm::MDIChildCount() const
{
  if (!F->MdiArea)
    return 0;
  int32_t N = 0;
  for (QMdiSubWindow* Sub : F->MdiArea->subWindowList())
    if (FormOfWidget(Sub->widget()))
      ++N;
  return N;
}

TCustomForm* TCustomForm::MDIChildren(int32_t Index) const
{
  if (F->MdiArea) {
    auto List = F->MdiArea->subWindowList(QMdiArea::StackingOrder);
    std::reverse(List.begin(), List.end());
    int32_t N = 0;
    for (QMdiSubWindow* Sub : List)
      if (TCustomForm* Child = FormOfWidget(Sub->widget()))
        if (N++ == Index)
          return Child;
  }
  throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

TCustomForm* TCustomForm::ActiveMDIChild() const
{
  if (!F->MdiArea)
    return nullptr;
  QMdiSubWindow* Sub = F->MdiArea->activeSubWindow();
  if (!Sub)
    Sub = F->MdiArea->currentSubWindow();
  return Sub ? FormOfWidget(Sub->widget()) : nullptr;
}

void TCustomForm::Tile()
{
  if (F->MdiArea)
    F->MdiArea->tileSubWindows();
}

void TCustomForm::Cascade()
{
  if (F->MdiArea)
    F->MdiArea->cascadeSubWindows();
}

void TCustomForm::ArrangeIcons() {}

void TCustomForm::Next()
{
  if (F->MdiArea)
    F->MdiArea->activateNextSubWindow();
}

void TCustomForm::Previous()
{
  if (F->MdiArea)
    F->MdiArea->activatePreviousSubWindow();
}

// ---------------------------------------------------------------------------

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}

TForm::~TForm() = default;

String TForm::ClassName() const { return QStringLiteral("TForm"); }

TCustomForm* GetParentForm(const TControl* Control)
{
  if (!Control)
    return nullptr;
  while (Control->Parent())
    Control = Control->Parent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(Control));
}

// ---------------------------------------------------------------------------
// TScreen

TScreen::TScreen() : TComponent(nullptr) {}

TScreen::~TScreen() = default;

String TScreen::ClassName() const { return QStringLiteral("TScreen"); }

TCustomForm* TScreen::Forms(int32_t Index) const
{
  if (Index < 0 || Index >= FormCount())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FForms[static_cast<size_t>(Index)];
}

TCustomForm* TScreen::ActiveForm() const
{
  if (!GuiApplication())
    return nullptr;
  return FormOfWidget(QApplication::activeWindow());
}

TWinControl* TScreen::ActiveControl() const
{
  TCustomForm* Form = ActiveForm();
  if (!Form)
    return nullptr;
  if (TCustomForm* Child = Form->ActiveMDIChild())
    return Child->ActiveControl();
  return Form->ActiveControl();
}

void TScreen::SetCursor(TCursor Value)
{
  if (FCursor == Value)
    return;
  const bool Had = FCursor != crDefault;
  FCursor = Value;
  if (!GuiApplication())
    return;
  if (Value == crDefault) {
    if (Had)
      QApplication::restoreOverrideCursor();
  } else if (Had) {
    QApplication::changeOverrideCursor(QCursor(CursorShapeOf(Value)));
  } else {
    QApplication::setOverrideCursor(QCursor(CursorShapeOf(Value)));
  }
}

int32_t TScreen::Width() const
{
  QScreen* S = QGuiApplication::primaryScreen();
  return S ? S->geometry().width() : 0;
}

int32_t TScreen::Height() const
{
  QScreen* S = QGuiApplication::primaryScreen();
  return S ? S->geometry().height() : 0;
}

TScreen* const Screen = new TScreen;
