#pragma once
// The control classes: everything on screen is a TControl, a component with
// a Parent, bounds, colour, font and the handlers of the user's input. Each
// control stands over one Qt widget, its handle, made on first need (see
// "Handles"); its state lives in the control, so that a control never shown
// (a chart drawn for export) needs no widget at all.
//
//   TControl          no focus, no children (labels, graphic controls)
//   TGraphicControl   a TControl that paints itself through Canvas
//   TWinControl       takes the focus and the keys, holds child controls
//   TCustomControl    a TWinControl that paints itself through Canvas
//
// Forms are in Forms.h, the panel in ExtCtrls.h, the standard edit, combo
// box, check box, button and label in StdCtrls.h, menus in Menus.h, actions
// in ActnList.h; the key codes and the shift state in VirtualKeys.h.
//
// ---- Handlers ---------------------------------------------------------------
// Each input reaches a protected virtual method; the base method fires the
// event of the same name (MouseDown fires OnMouseDown, ...). An override
// chooses the order: call the base first to let the event run before its own
// work, or last. Handlers run on the main thread; an exception escaping one
// goes to HandleApplicationException and the input is dropped.
//
// Mouse (client coordinates; Shift holds the keys and the buttons held):
//   press    MouseDown(Button, Shift, X, Y). The control keeps the mouse
//            until the last button is released (MouseCapture is true), so
//            moves and the release come to it also outside its bounds.
//   move     MouseMove(Shift, X, Y), with or without buttons held.
//   release  left button, inside ClientRect, after a press on this control
//            (csClickEvents): Click() first; then MouseUp(Button, Shift, X, Y)
//            whose Shift no longer holds the released button.
//   double   a double click arrives as press, release (Click), then
//            DblClick() and MouseDown(Button, Shift | ssDouble, X, Y) for the
//            second press (without csDoubleClicks: a plain MouseDown), then
//            the second release with MouseUp but without Click.
//   wheel    DoMouseWheel(Shift, WheelDelta, MousePos): WheelDelta is 120 per
//            notch (positive away from the user), MousePos in SCREEN
//            coordinates. The base fires OnMouseWheel; unless a handler set
//            Handled it adds the delta up and calls DoMouseWheelDown or
//            DoMouseWheelUp (OnMouseWheelDown, OnMouseWheelUp) once per full
//            notch. False (nobody handled it) passes the step to the Parent.
//   enter    MouseEnter() / MouseLeave() when the pointer comes onto the
//            control or leaves it (not when it moves onto a child control).
//   Native controls (edit, combo box, button, check box) do their own work
//   for a press or release first, then the handlers run.
//
// Keys (TWinControl; the focused control gets them):
//   KeyDown(Key, Shift)   Key is a virtual-key code (VirtualKeys.h). A handler
//            that sets Key to 0 swallows the key: the control's own reaction
//            to it (a native edit moving its caret) does not happen. Held
//            down, the key repeats KeyDown (KeyIsRepeat() is true then).
//   KeyPress(Key)         the character the key types, after KeyDown, also
//            when KeyDown swallowed the key (as the platform's character
//            message is made before the key is handled). A handler that sets
//            Key to 0 swallows the character, one that changes it types the
//            new one. Return gives 13, Escape 27, Back 8, Tab 9, Ctrl+Return
//            10, Ctrl+Back 127, Ctrl+A .. Ctrl+Z 1 .. 26, Ctrl+[ 27, Ctrl+\ 28,
//            Ctrl+] 29. Alt with a key, Delete, the arrows and the function
//            keys type no character.
//   KeyUp(Key, Shift)     when the key is released (once, not per repeat).
//   When the form's KeyPreview is on, the form's KeyDown, KeyPress and KeyUp
//   run first and may swallow the key before the control sees it.
//   Tab and Shift+Tab move the focus to the next or previous control unless
//   the control wants them (WMGetDlgCode has DLGC_WANTTAB or
//   DLGC_WANTALLKEYS): then they come to KeyDown as VK_TAB. Return and Escape
//   click the form's default or cancel button (a focused button for Return)
//   unless the control wants all keys; when no such button is there they come
//   to KeyDown. Arrow keys always come to the control (the platform's dialog
//   navigation by arrows is not made).
//
// Focus: DoEnter() when the control becomes its form's active control,
//   DoExit() when another control of the form becomes it; switching to
//   another window and back fires neither. OnEnter / OnExit.
// Size: Resize() (OnResize) after every change of Width or Height, made by
//   SetBounds or by the user resizing the window; then the aligned child
//   controls are placed again.
// Paint (TCustomControl, TGraphicControl): Paint() with Canvas drawing on the
//   control; the base fires OnPaint. Before it the background is filled
//   with Color, unless the control style holds csOpaque. Canvas draws only
//   during Paint: outside it, it has no device and draws nothing.
//
// ---- Handles ------------------------------------------------------------------
// The widget is made by Handle(), or when the control gets a Parent that has
// one, or when its Parent's is made; HandleAllocated() says whether it is
// there. A control without Parent (other than a form) never shows on screen.
//
// ---- What the stand-in does not do ---------------------------------------------
// No window messages (Perform, WndProc), no Anchors (every control keeps its
// left and top), no docking, drag and drop or TabOrder property (the tab
// order is the order of creation), no bidirectional mode, no arrow-key
// dialog navigation, no hint window of its own (Hint shows as Qt's tool tip).
// The wheel goes to the control under the pointer, not to the focused one.
#include "platform/Component.h"
#include "platform/GraphicsTypes.h"
#include "platform/VirtualKeys.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QEvent;
class QObject;
class QWidget;
class TCanvas;
class TFont;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TBasicAction;
struct TControlBridge;

// ---- Types of the control properties ---------------------------------------------

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

// Border of a form; controls with a border take bsNone or bsSingle.
enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

// Cursor numbers as the framework has them; negative numbers are the
// standard shapes, 0 the control's default.
using TCursor = int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = crSizeAll;

// Control style: which standard behaviours the control has. Bit n is member
// n of the framework's set.
using TControlStyle = uint32_t;
constexpr TControlStyle csAcceptsControls = 1u << 0; // other controls may be its children
constexpr TControlStyle csCaptureMouse = 1u << 1;    // keeps the mouse while a button is held
constexpr TControlStyle csClickEvents = 1u << 3;     // a left press and release inside make Click
constexpr TControlStyle csSetCaption = 1u << 5;      // the caption follows the name while they are equal
constexpr TControlStyle csOpaque = 1u << 6;          // Paint covers everything: no background fill first
constexpr TControlStyle csDoubleClicks = 1u << 7;    // a double click makes DblClick
constexpr TControlStyle csNoStdEvents = 1u << 12;    // mouse and key events are not fired
constexpr TControlStyle csParentBackground = 1u << 18;

// The answer of WMGetDlgCode: which keys a control wants for itself instead
// of the form's navigation.
constexpr uint32_t DLGC_WANTARROWS = 0x0001;
constexpr uint32_t DLGC_WANTTAB = 0x0002;
constexpr uint32_t DLGC_WANTALLKEYS = 0x0004;
constexpr uint32_t DLGC_WANTCHARS = 0x0080;

// ---- Events -------------------------------------------------------------------------

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int32_t X, int32_t Y)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int32_t WheelDelta, const TPoint& MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, const TPoint& MousePos, bool& Handled)>;

// ---- TControl -----------------------------------------------------------------------

class TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  // Takes the control off its parent and frees its widget.
  ~TControl() override;
  String ClassName() const override;

  // ---- Place in the window tree ----
  TWinControl* Parent() const { return FParent; }
  // Moves the control into AParent's client area (nullptr: into none).
  // Raises EInvalidOperation when AParent is this control or one of its
  // children.
  virtual void SetParent(TWinControl* AParent);
  bool HasParent() const override;
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void SetName(const String& NewName) override;

  // ---- Bounds, in the parent's client coordinates ----
  int32_t Left() const { return FLeft; }
  int32_t Top() const { return FTop; }
  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  void SetLeft(int32_t Value);
  void SetTop(int32_t Value);
  void SetWidth(int32_t Value);
  void SetHeight(int32_t Value);
  // Moves and sizes in one step; negative sizes become 0. A size change runs
  // Resize; a change of an aligned control places its parent's aligned
  // controls again.
  virtual void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
  TRect BoundsRect() const { return TRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  // (0, 0, ClientWidth, ClientHeight): the area the control draws in and
  // its children lie in.
  virtual TRect ClientRect() const;
  int32_t ClientWidth() const { return ClientRect().Width(); }
  int32_t ClientHeight() const { return ClientRect().Height(); }
  // Sizes the control so that its client area gets the size asked.
  void SetClientWidth(int32_t Value);
  void SetClientHeight(int32_t Value);
  // Screen position of the client area's top-left corner; the control's
  // own position without a handle.
  TPoint ClientOrigin() const;
  TPoint ScreenToClient(const TPoint& P) const;
  TPoint ClientToScreen(const TPoint& P) const;
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);

  // ---- Visibility and state ----
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible on screen: this control and all its parents visible, under a
  // shown form.
  bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value);
  void BringToFront();
  void SendToBack();

  // ---- Appearance ----
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // The parent's colour while ParentColor is on (at creation); setting
  // Color turns it off.
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  // The control's own font; changing it repaints. Setting copies.
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  // The parent's font while ParentFont is on (at creation); changing Font
  // turns it off.
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  // Caption and Text are the same text (the window text).
  String Caption() const { return GetText(); }
  void SetCaption(const String& Value) { SetText(Value); }
  String Text() const { return GetText(); }
  void SetText(const String& Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  // Hint: "short|long"; the short part shows as the tool tip while
  // ShowHint is on (ParentShowHint: the parent's ShowHint).
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  bool ShowHint() const;
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  // Opened at the pointer by a right click (or the context-menu key) when
  // set; not owned, cleared when it is freed.
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  // The action the control follows (caption, enabled, visible, hint) and
  // executes on Click; not owned, cleared when it is freed.
  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* Value);

  // ---- Painting ----
  // Marks the control for painting at the next paint of the window.
  virtual void Invalidate();
  // Paints what is marked now.
  void Update();
  // Invalidate, then Update.
  virtual void Repaint();
  void Refresh() { Repaint(); }

  // ---- Mouse ----
  // True while the control keeps the mouse: a button pressed on it is held,
  // or SetMouseCapture(true) took it.
  bool MouseCapture() const;
  void SetMouseCapture(bool Value);

  // ---- Handle ----
  // The control's widget, made now when missing (with its parents').
  QWidget* Handle();
  bool HandleAllocated() const;
  // The widget when made, else nullptr (never makes it).
  QWidget* WidgetOrNull() const;

  // ---- Events ----
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;

protected:
  // ---- Handlers (see the top of this file) ----
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual void MouseMove(TShiftState Shift, int32_t X, int32_t Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual bool DoMouseWheel(TShiftState Shift, int32_t WheelDelta, const TPoint& MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos);
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The way a single left press and its release come in, as the platform's
  // button messages: these run first. The base press marks the press as one
  // that may end in Click and calls MouseDown; the base release makes Click
  // (when marked and inside ClientRect) and calls MouseUp. A control that
  // must act before, instead of or after those overrides them and calls the
  // base at the point where the platform's own handling belongs. The second
  // press of a double click does not come here (DblClick, then MouseDown).
  virtual void WMLButtonDown(TShiftState Shift, int32_t X, int32_t Y);
  virtual void WMLButtonUp(TShiftState Shift, int32_t X, int32_t Y);
  virtual void Resize();
  // Painting controls only (TCustomControl, TGraphicControl, and native
  // controls that asked for SetPaintsOverNative).
  virtual void Paint();

  // ---- Change notices (after the new value is stored) ----
  virtual void TextChanged();
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void EnabledChanged();
  virtual void VisibleChanged();
  // The action changed one of its properties: take them over.
  virtual void ActionChange(TBasicAction* Sender);

  void Notification(TComponent* AComponent, TOperation Operation) override;

  // ---- Text storage: native controls keep their text in the widget ----
  virtual String GetText() const;
  virtual void StoreText(const String& Value);

  // ---- The widget ----
  // Makes the control's widget inside ParentWidget (nullptr: none). The
  // base makes a plain widget; native controls make theirs.
  virtual QWidget* CreateWidget(QWidget* ParentWidget);
  // After the widget is made and the control's state given to it.
  virtual void CreateWnd();
  // Before the widget goes.
  virtual void DestroyWnd();
  // Also routes the input of an inner part of the widget (the edit field of
  // a combo box) through this control's handlers.
  void WatchWidget(QWidget* Part);
  // The canvas Paint draws on; created on first use.
  TCanvas* Canvas();
  // Set by the painting classes: the control paints itself entirely.
  void SetPaintsItself(bool Value) { FPaintsItself = Value; }
  bool PaintsItself() const { return FPaintsItself; }
  // A native control whose Paint draws on top of the widget's own painting.
  void SetPaintsOverNative(bool Value) { FPaintsOverNative = Value; }
  // Paint into a buffer image that is then shown in one piece.
  bool FDoubleBuffered = false;

  // The form this control lies on (itself for a form); nullptr when none.
  TCustomForm* ParentForm() const;
  // A property stored in the control changed: give it to the widget.
  virtual void ApplyBounds();
  virtual void ApplyVisible();
  void ApplyFont();
  void ApplyColor();
  // The widget was moved or resized from outside (the user, the window
  // system): take its geometry over.
  virtual void WidgetGeometryChanged();
  // Every event of the control's widgets passes here first; true consumes
  // it. For the classes that need more of the widget than the handlers
  // above (forms: closing, showing, activation).
  virtual bool WidgetEvent(QObject* Watched, QEvent* Event);
  // Routes only the events of Other (a frame around the widget) through
  // WidgetEvent.
  void ObserveWidget(QWidget* Other);
  // The Qt colour roles the control's colour and its font colour fill; the
  // widget's window roles unless overridden.
  virtual void ApplyPalette(QWidget* W);

  // The parent changed one of the properties this control may take over.
  void ParentFontChanged();
  void ParentColorChanged();
  void ParentShowHintChanged();

  int32_t FLeft = 0;
  int32_t FTop = 0;
  int32_t FWidth = 0;
  int32_t FHeight = 0;

private:
  friend struct TControlBridge;
  friend class TWinControl;
  friend class TCustomForm;
  struct Impl;

  void CreateHandle();
  void DestroyHandle();
  void FontChange(TObject* Sender);
  void ApplyCursor();
  void ApplyHint();
  void ApplyEnabled();
  void RequestAlign();

  std::unique_ptr<Impl> D;
  std::unique_ptr<TFont> FFont;
  TWinControl* FParent = nullptr;
  TPopupMenu* FPopupMenu = nullptr;
  TBasicAction* FAction = nullptr;
  String FText;
  String FHint;
  TColor FColor = clWindow;
  TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TCursor FCursor = crDefault;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentColor = true;
  bool FParentFont = true;
  bool FShowHint = false;
  bool FParentShowHint = true;
  bool FPaintsItself = false;
  bool FPaintsOverNative = false;
  bool FSettingFont = false;
};

// ---- TWinControl ----------------------------------------------------------------

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* AOwner);
  // Frees the child controls first, then the widget.
  ~TWinControl() override;
  String ClassName() const override;

  // The child controls, in the order they were put in (the tab order).
  int32_t ControlCount() const { return static_cast<int32_t>(FControls.size()); }
  // Raises EListError for an index outside 0..ControlCount()-1.
  TControl* Controls(int32_t Index) const;
  // Whether AControl is this control or lies inside it.
  bool ContainsControl(const TControl* AControl) const;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

  // ---- Focus ----
  // Makes this control the focused one of its form. Raises
  // EInvalidOperation "Cannot focus a disabled or invisible window" when it
  // cannot take the focus.
  virtual void SetFocus();
  bool Focused() const;
  // Visible and enabled, and so are all its parents up to the form.
  virtual bool CanFocus() const;
  // The control is in the tab order (Tab reaches it).
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);

  // Paint through a buffer (no effect on flicker here: the window system
  // buffers every paint already), so that Canvas can read back its pixels.
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }

  // ---- Alignment ----
  // Places the aligned child controls (alTop, alBottom, alLeft, alRight,
  // then alClient, each group in the order of its position; at equal
  // positions the control whose bounds or Align changed goes first) in the
  // client area as AdjustClientRect leaves it.
  void Realign();
  void DisableAlign();
  void EnableAlign();

  // Types Ch into the control as if its key had been pressed: WMChar, then
  // the native control's own typing (Backspace also goes through WMKeyDown
  // as VK_BACK). PostChar does the same once the events waiting now are
  // handled (the framework's posted character message). Nothing without a
  // handle.
  void PerformChar(char16_t Ch);
  void PostChar(char16_t Ch);

  // ---- Events ----
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // The control a widget is the handle of (or an inner part of); nullptr
  // for a widget of no control.
  static TWinControl* FindControl(QWidget* Widget);

protected:
  virtual void KeyDown(uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(char16_t& Key);
  virtual void KeyUp(uint16_t& Key, TShiftState Shift);
  // The way a key comes in, as the platform's key messages: these run first
  // and the base versions call KeyDown, KeyPress and KeyUp. A control that
  // must act before or instead of its handlers (and their events) overrides
  // them. Shift is the state of the shift keys when the key came; a Key set
  // to 0 is swallowed as in the handlers.
  virtual void WMKeyDown(uint16_t& Key, TShiftState Shift);
  virtual void WMChar(char16_t& Key, TShiftState Shift);
  virtual void WMKeyUp(uint16_t& Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();
  // The keys the control wants for itself (DLGC_ flags); none by default.
  virtual uint32_t WMGetDlgCode();
  // One key the control keeps from the form's navigation (Tab, Return,
  // Escape) without wanting all keys; none by default.
  virtual bool CMWantSpecialKey(uint16_t Key);
  // During KeyDown and KeyUp: the key is a repeat of a held key, or comes
  // from the numeric keypad.
  bool KeyIsRepeat() const;
  bool KeyFromKeypad() const;

  // The client area the aligned children share; a panel leaves its border
  // out.
  virtual void AdjustClientRect(TRect& Rect);
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  // The widget child controls are put into (the control's own by default).
  virtual QWidget* ClientWidget();
  void CreateWnd() override;
  void DestroyWnd() override;
  void FontChanged() override;
  void ColorChanged() override;

private:
  friend class TControl;
  friend struct TControlBridge;
  friend class TCustomForm;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  void ShowHintChanged();
  void ApplyFocusPolicy();
  void AlignControl(TControl* AControl);

  std::vector<TControl*> FControls;
  int32_t FAlignLevel = 0;
  bool FTabStop = false;
};

// ---- TCustomControl / TGraphicControl ---------------------------------------------

// A windowed control that paints itself: override Paint and draw on Canvas.
class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  String ClassName() const override;

  using TControl::Canvas;
  TNotifyEvent OnPaint;

protected:
  void Paint() override;
};

// A control without focus that paints itself on its parent.
class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  String ClassName() const override;

  using TControl::Canvas;
  TNotifyEvent OnPaint;

protected:
  void Paint() override;
};

// ---- Helpers ----------------------------------------------------------------------

// Calls Event with Sender when one is set.
inline void FireNotify(const TNotifyEvent& Event, TObject* Sender)
{
  if (Event)
    Event(Sender);
}

// The part of a hint before the first '|', and the part after it (the whole
// hint when there is no '|').
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);
// The mouse pointer's screen position.
TPoint MouseCursorPos();
