#pragma once
// Forms: the program's windows. A form is a windowed control without a
// parent that shows as a window of its own, or, with FormStyle fsMDIChild,
// as a window inside the MDI area of the program's MDI frame (the form
// whose FormStyle is fsMDIForm).
//
// Life of a form:
//   construction   the derived constructor makes the controls and sets the
//                  properties (there is no OnCreate: that code lives in the
//                  constructor). A form starts hidden, MDI children too.
//   Show()         makes the window and shows it (OnShow, then OnActivate
//                  when it becomes the active window).
//   ShowModal()    shows it, disables the other windows and runs the message
//                  loop until ModalResult is set (a button with a
//                  ModalResult, Close, or the code); then the form closes as
//                  Close would (OnCloseQuery, OnClose with caHide) and the
//                  result is returned. A close refused by OnCloseQuery or
//                  caNone keeps it open.
//   Close()        asks OnCloseQuery, then OnClose with the default action
//                  (caHide; caMinimize for an MDI child): caHide hides,
//                  caMinimize minimises, caFree frees the form later (from
//                  the message loop, as Release), caNone does nothing. The
//                  window system's close button calls Close.
//   Release()      frees the form once the current event has been handled.
//
// Bounds: Left, Top, Width and Height of a window form are its client
// window's (the window system's frame is not counted); of an MDI child, its
// frame inside the MDI area. ClientRect is the area below the main menu.
//
// Not made: OnCreate and OnDestroy (constructor and destructor), Anchors,
// AutoScroll, scroll bars of the form, form streaming from resources,
// docking, the MDI window menu (WindowMenu), icons and OnPaint of the form.
#include "platform/Controls.h"

#include <functional>

class TMainMenu;

enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
enum TPosition : uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum TTileMode : uint8_t { tbHorizontal, tbVertical };

using TModalResult = int32_t;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrClose = 8;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
public:
  explicit TCustomForm(TComponent* AOwner);
  // Frees its components first: they may reach back into the form.
  ~TCustomForm() override;
  String ClassName() const override;

  // ---- Kind of window (set before the form is first shown) ----
  TFormStyle FormStyle() const { return FFormStyle; }
  // An MDI child needs a live MDI frame when its window is made: else
  // EInvalidOperation "Cannot create form. No MDI forms are currently
  // active". Changing the style of a form with a window makes it again.
  void SetFormStyle(TFormStyle Value);
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  // Where the window first appears: its Left and Top (poDesigned, the
  // default positions), or centred on the screen (the centre positions).
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState Value);

  // ---- Showing and closing ----
  void SetVisible(bool Value) override;
  void Show();
  void Hide() { SetVisible(false); }
  void Close();
  // OnCloseQuery's answer (true without handler); an MDI frame asks its
  // children first.
  virtual bool CloseQuery();
  void Release();
  TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value);
  // The window is the active one (an MDI child: the active child of its
  // frame).
  bool Active() const;

  // ---- Focus and keys ----
  // The control that has (or gets, when the form is activated) the focus;
  // nullptr for none. Setting it focuses it when the form is shown.
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Value);
  // The form's key handlers run before the focused control's.
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }

  // The main menu shown at the top of the window; not owned.
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);

  // ---- MDI frame ----
  // The MDI children, the active one first, then back to front.
  int32_t MDIChildCount() const;
  TCustomForm* MDIChildren(int32_t Index) const;
  TCustomForm* ActiveMDIChild() const;
  void Tile();
  void Cascade();
  void ArrangeIcons();
  void Next();
  void Previous();
  TTileMode TileMode() const { return FTileMode; }
  void SetTileMode(TTileMode Value) { FTileMode = Value; }
  // The widget of the MDI area (a QMdiArea); nullptr for other forms.
  QWidget* ClientHandle() const;

  TRect ClientRect() const override;
  bool CanFocus() const override;
  void SetFocus() override;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

protected:
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();
  // Return or Escape on a control that does not want it: the form clicks
  // its default or cancel button; true when one took it.
  virtual bool DialogKey(uint16_t Key, TShiftState Shift);

  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  QWidget* ClientWidget() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void ApplyBounds() override;
  void ApplyVisible() override;
  void WidgetGeometryChanged() override;
  bool WidgetEvent(QObject* Watched, QEvent* Event) override;
  void TextChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TControl;
  friend class TWinControl;
  friend struct TControlBridge;
  struct Impl;
  // The focus moved to AControl (nullptr: out of the form).
  void ControlFocused(TWinControl* AControl);
  void ControlRemoved(TControl* AControl);
  void CloseModal();
  void ApplyWindowFlags();
  void MenuChanged();
  int32_t MenuHeight() const;
  void SetActive(bool Value);

  std::unique_ptr<Impl> F;
  TWinControl* FActiveControl = nullptr;
  TMainMenu* FMenu = nullptr;
  TFormStyle FFormStyle = fsNormal;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  TTileMode FTileMode = tbHorizontal;
  TModalResult FModalResult = mrNone;
  bool FKeyPreview = false;
  bool FActive = false;
  bool FShown = false;
};

class TForm : public TCustomForm {
public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;
  String ClassName() const override;
};

// The form a control lies on; nullptr when none.
TCustomForm* GetParentForm(const TControl* Control);

// The screen: the forms that exist and the cursor over all of them.
class TScreen : public TComponent {
public:
  TScreen();
  ~TScreen() override;
  String ClassName() const override;

  int32_t FormCount() const { return static_cast<int32_t>(FForms.size()); }
  TCustomForm* Forms(int32_t Index) const;
  // The form of the active window; nullptr when none of ours is active.
  TCustomForm* ActiveForm() const;
  TWinControl* ActiveControl() const;
  // crDefault lets each control show its own cursor; any other shows
  // everywhere (crHourGlass while the program is busy).
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  int32_t Width() const;
  int32_t Height() const;

private:
  friend class TCustomForm;
  std::vector<TCustomForm*> FForms;
  TCursor FCursor = crDefault;
};

extern TScreen* const Screen;
