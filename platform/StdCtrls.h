#pragma once
// The standard controls over the platform's native widgets: edit, combo box,
// button, check box and label. Their input reaches the handlers of
// Controls.h (a native control does its own work for a mouse press first;
// keys reach KeyDown and KeyPress before the control types them).
//
// Events of their own:
//   TEdit      OnChange after every change of Text, by the user or by code.
//   TComboBox  the user choosing an item: OnClick, then OnSelect (OnChange
//              when there is no OnSelect); the user typing in the edit
//              field: OnChange. Setting ItemIndex or Text from code fires
//              nothing. OnDropDown before the list opens, OnCloseUp after.
//   TButton    OnClick for a mouse click, Space, Return while it has the
//              focus or is the Default button, Escape when it is the Cancel
//              button, or Click() from code; its ModalResult goes to the
//              form first.
//   TCheckBox  OnClick whenever Checked or State changes, by the user or by
//              code.
//
// Not made: owner-drawn combo boxes, text hints, auto-complete of the combo
// box, word wrap of buttons, label ellipsis.
#include "platform/Controls.h"

class TStringList;

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

// ---- Edit ------------------------------------------------------------------------

class TCustomEdit : public TWinControl {
public:
  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;
  String ClassName() const override;

  // 0: no limit; a longer text is cut.
  int32_t MaxLength() const { return FMaxLength; }
  void SetMaxLength(int32_t Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // Shown in place of each character when not 0.
  char16_t PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char16_t Value);
  // Selects all the text when the control takes the focus.
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  // The caret and the selection, in characters.
  int32_t SelStart() const;
  void SetSelStart(int32_t Value);
  int32_t SelLength() const;
  void SetSelLength(int32_t Value);
  String SelText() const;
  // Replaces the selection.
  void SetSelText(const String& Value);
  void SelectAll();
  void Clear() { SetText(String()); }
  // A balloon below the edit telling why its text was refused (the
  // platform's edit balloon tip): Title above Text; Icon 0 none, 1
  // information, 2 warning, 3 error. Nothing without a handle or with
  // neither title nor text.
  void ShowBalloonTip(const String& Title, const String& Text, int32_t Icon);
  // Set by every change of the text; cleared by code.
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  TNotifyEvent OnChange;

protected:
  virtual void Change();
  void DoEnter() override;
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  String GetText() const override;
  void StoreText(const String& Value) override;
  void ApplyPalette(QWidget* W) override;

private:
  int32_t FMaxLength = 0;
  int32_t FSelStart = 0;
  int32_t FSelLength = 0;
  char16_t FPasswordChar = 0;
  bool FReadOnly = false;
  bool FAutoSelect = true;
  bool FModified = false;
  bool FStoring = false;
};

class TEdit : public TCustomEdit {
public:
  explicit TEdit(TComponent* AOwner);
  ~TEdit() override;
  String ClassName() const override;
};

// ---- Combo box ---------------------------------------------------------------------

enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TWinControl {
public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;
  String ClassName() const override;

  // The list's items, with their objects (not owned by the list). Changing
  // them shows at once; the selected index stays when it still exists.
  TStringList* Items() const { return FItems.get(); }
  void SetItems(const TStringList* Value);
  // -1: none selected.
  int32_t ItemIndex() const;
  void SetItemIndex(int32_t Value);
  // csDropDown: an edit field with a list; csDropDownList: a list only,
  // whose Text is the selected item's.
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  int32_t DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int32_t Value);
  bool Sorted() const;
  void SetSorted(bool Value);
  bool DroppedDown() const;
  void SetDroppedDown(bool Value);
  // Height of each item of the list, pixels; 0 (at creation) leaves the
  // platform's. Values below 1 are ignored.
  int32_t ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int32_t Value);
  // Width of the opened list: the control's width unless set above 0.
  int32_t DropDownWidth() const { return FDropDownWidth > 0 ? FDropDownWidth : Width(); }
  void SetDropDownWidth(int32_t Value) { FDropDownWidth = Value; }
  void Clear();
  // A balloon telling why the text was refused, as TCustomEdit's.
  void ShowBalloonTip(const String& Title, const String& Text, int32_t Icon);

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void CreateWnd() override;
  String GetText() const override;
  void StoreText(const String& Value) override;
  void ApplyPalette(QWidget* W) override;

private:
  struct Impl;
  void ItemsChanged(TObject* Sender);
  void FillWidget();

  std::unique_ptr<Impl> C;
  std::unique_ptr<TStringList> FItems;
  String FEdit; // the edit field's text while there is no widget
  int32_t FItemIndex = -1;
  int32_t FDropDownCount = 8;
  int32_t FItemHeight = 0;
  int32_t FDropDownWidth = 0;
  TComboBoxStyle FStyle = csDropDown;
  bool FQuiet = false;
};

class TComboBox : public TCustomComboBox {
public:
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;
  String ClassName() const override;
};

// ---- Buttons ------------------------------------------------------------------------

class TButton : public TWinControl {
public:
  explicit TButton(TComponent* AOwner);
  ~TButton() override;
  String ClassName() const override;

  // Return clicks it wherever the focus is in its form (unless the focused
  // control wants Return or is another button).
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  // Escape clicks it.
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  // Given to the form by a click (ending ShowModal when not mrNone).
  int32_t ModalResult() const { return FModalResult; }
  void SetModalResult(int32_t Value) { FModalResult = Value; }

  // The click: the form's ModalResult, then OnClick (or the action).
  void Click() override;

protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void StoreText(const String& Value) override;
  void ApplyPalette(QWidget* W) override;

private:
  int32_t FModalResult = 0;
  bool FDefault = false;
  bool FCancel = false;
};

enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TWinControl {
public:
  explicit TCustomCheckBox(TComponent* AOwner);
  ~TCustomCheckBox() override;
  String ClassName() const override;

  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  // The user's clicks pass through cbGrayed too.
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value);
  // The text right of the box (taRightJustify, default) or left of it.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void StoreText(const String& Value) override;
  void ApplyPalette(QWidget* W) override;

private:
  void UserToggled();
  TCheckBoxState FState = cbUnchecked;
  TAlignment FAlignment = taRightJustify;
  bool FAllowGrayed = false;
};

class TCheckBox : public TCustomCheckBox {
public:
  explicit TCheckBox(TComponent* AOwner);
  ~TCheckBox() override;
  String ClassName() const override;
};

// ---- Label -----------------------------------------------------------------------------

class TCustomLabel : public TControl {
public:
  explicit TCustomLabel(TComponent* AOwner);
  ~TCustomLabel() override;
  String ClassName() const override;

  // The label takes the size of its text (only its height with WordWrap)
  // whenever the text or the font changes.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  // Without a fill of its own the parent shows through.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // "&" underlines the next letter (and "&&" shows one "&").
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  // The control the accelerator letter focuses; not owned.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void StoreText(const String& Value) override;
  void TextChanged() override;
  void FontChanged() override;
  void ApplyPalette(QWidget* W) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void AdjustBounds();

private:
  void ApplyLabel();
  String DisplayText() const;

  TWinControl* FFocusControl = nullptr;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
};

class TLabel : public TCustomLabel {
public:
  explicit TLabel(TComponent* AOwner);
  ~TLabel() override;
  String ClassName() const override;
};
