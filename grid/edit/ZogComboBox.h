#pragma once
// TZogCustomCombo: a combo box that draws its own border and drop-down
// button so that it can look flat, take border, focus and button colours,
// and carry a caption label placed beside it. TZogComboBox is its published
// form. The grid's combo editors build on it.
//
// Colours hold clNone (0x1FFFFFFF) for "not set": that part is then left to
// the platform's look. The label is made when a caption is first set; it
// lies on the combo's parent, follows the combo's visibility and (unless
// LabelAlwaysEnabled) its Enabled, and is placed again after every move or
// size of the combo and every change of a label setting.
//
// Everything runs on the main thread.
#include "platform/StdCtrls.h"

class TLabel;

enum TLabelPosition : uint8_t {
  lpLeftTop,
  lpLeftCenter,
  lpLeftBottom,
  lpTopLeft,
  lpBottomLeft,
  lpLeftTopLeft,
  lpLeftCenterLeft,
  lpLeftBottomLeft,
  lpTopCenter,
  lpBottomCenter,
  lpRightTop,
  lpRightCenter,
  lpRighBottom
};

class TZogCustomCombo : public TCustomComboBox {
public:
  explicit TZogCustomCombo(TComponent* AOwner);
  ~TZogCustomCombo() override;
  String ClassName() const override;

  // Selects the item with that text when there is one.
  void SelectItem(const String& AString);
  // The current colour becomes the one the combo returns to when the focus
  // leaves.
  void Init();
  void Loaded() override;
  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void SetEnabled(bool Value) override;
  void SetVisible(bool Value) override;
  // Records the colour as the one loaded (while loading) and sets it.
  void SetColor(TColor Value);

  bool AutoFocus() const { return FAutoFocus; }
  void SetAutoFocus(bool Value) { FAutoFocus = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool Etched() const { return FEtched; }
  void SetEtched(bool Value);
  // 14 to 32; other values are ignored.
  int32_t ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int32_t Value);
  bool FocusBorder() const { return FFocusBorder; }
  void SetFocusBorder(bool Value) { FFocusBorder = Value; }
  // Width of the opened list; 0: the platform's.
  int32_t DropWidth() const { return FDropWidth; }
  void SetDropWidth(int32_t Value);
  TColor FlatLineColor() const { return FFlatLineColor; }
  void SetFlatLineColor(TColor Value);
  bool FlatParentColor() const { return FFlatParentColor; }
  void SetFlatParentColor(bool Value);
  TColor FocusColor() const { return FFocusColor; }
  void SetFocusColor(TColor Value) { FFocusColor = Value; }
  TColor FocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool DisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool Value) { FDisabledBorder = Value; }
  bool FocusLabel() const { return FFocusLabel; }
  void SetFocusLabel(bool Value) { FFocusLabel = Value; }

  // ---- The label.
  String LabelCaption() const;
  void SetLabelCaption(const String& Value);
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  int32_t LabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(int32_t Value);
  bool LabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool Value);
  bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool Value);
  TFont* LabelFont() const { return FLabelFont.get(); }
  // Copied only while ParentFont is off.
  void SetLabelFont(TFont* Value);
  // nullptr until a caption is set.
  TLabel* Label() const { return FLabel; }

  // Colours of a drawn drop-down button (clNone: the platform's button).
  TColor ButtonColor = clNone;
  TColor ButtonColorHot = clNone;
  TColor ButtonColorDown = clNone;
  TColor ButtonBorderColor = clNone;
  TColor ButtonTextColor = clNone;
  TColor ButtonTextColorHot = clNone;
  TColor ButtonTextColorDown = clNone;
  // Repaint on mouse enter and leave; the platform draws the combo itself.
  bool FIsWinXP = false;
  bool FIsVista = false;

  // The mouse over the control, and over its drop-down button.
  bool MouseInControl() const { return FMouseInControl; }
  bool ButtonHover() const { return FButtonHover; }
  bool HasFocus() const { return FHasFocus; }

  TNotifyEvent OnDropUp;

protected:
  void DoEnter() override;
  void DoExit() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void DropDown() override;
  void CloseUp() override;
  void Paint() override;
  void FontChanged() override;

private:
  void UpdateLabel();
  void MakeLabel();
  void LabelFontChanged(TObject* Sender);
  void SetLabelBold(bool Bold);
  void DrawButton(TCanvas* C);
  void DrawBorders(TCanvas* C);
  bool PaintsOwnLook() const;

  std::unique_ptr<TFont> FLabelFont;
  TLabel* FLabel = nullptr; // owned as a component
  TColor FOldColor = clWindow;
  TColor FLoadedColor = clWindow;
  TColor FNormalColor = clWindow;
  TColor FFlatLineColor = clNone;
  TColor FFocusColor = clNone;
  TColor FFocusBorderColor = clNone;
  TColor FBorderColor = clNone;
  int32_t FButtonWidth = 19;
  int32_t FDropWidth = 0;
  int32_t FLabelMargin = 4;
  TLabelPosition FLabelPosition = lpLeftTop;
  bool FAutoFocus = false;
  bool FFlat = false;
  bool FEtched = false;
  bool FOldParentColor = false;
  bool FFocusBorder = false;
  bool FMouseInControl = false;
  bool FButtonHover = false;
  bool FLabelAlwaysEnabled = false;
  bool FLabelTransparent = false;
  bool FFlatParentColor = true;
  bool FDisabledBorder = true;
  bool FHasFocus = false;
  bool FFocusLabel = false;
};

class TZogComboBox : public TZogCustomCombo {
public:
  explicit TZogComboBox(TComponent* AOwner);
  ~TZogComboBox() override;
  String ClassName() const override;
};
