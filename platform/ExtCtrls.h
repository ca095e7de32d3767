#pragma once
// The panel: a control that holds other controls, painted by this layer with
// its bevels and its caption centred (Paint may be overridden, as the chart
// panel does). Aligned children share the area inside the border and the
// bevels.
#include "platform/Controls.h"
#include "platform/StdCtrls.h"

#include <memory>

class TCustomPanel : public TCustomControl {
public:
  // 185 x 41, raised outer bevel, clBtnFace, caption centred.
  explicit TCustomPanel(TComponent* AOwner);
  ~TCustomPanel() override;
  String ClassName() const override;

  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  // Pixels per bevel.
  int32_t BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int32_t Value);
  // Pixels between the two bevels, in the panel's colour.
  int32_t BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int32_t Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

protected:
  // Bevels, border, the fill in Color and the caption.
  void Paint() override;
  void AdjustClientRect(TRect& Rect) override;

private:
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int32_t FBevelWidth = 1;
  int32_t FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
public:
  explicit TPanel(TComponent* AOwner);
  ~TPanel() override;
  String ClassName() const override;
};

// Draws Width one-pixel frames inside Rect, top and left in TopColor,
// bottom and right in BottomColor, and shrinks Rect by them.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int32_t Width);

// ---- Group box and radio group -----------------------------------------------------

// A framed box with its caption in the top edge, holding other controls;
// the children's places are counted from the box's top-left corner.
class TCustomGroupBox : public TWinControl {
public:
  explicit TCustomGroupBox(TComponent* AOwner);
  ~TCustomGroupBox() override;
  String ClassName() const override;

protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void StoreText(const String& Value) override;
};

class TGroupBox : public TCustomGroupBox {
public:
  explicit TGroupBox(TComponent* AOwner);
  ~TGroupBox() override;
  String ClassName() const override;
};

// A group box offering its Items as radio buttons, of which at most one is
// chosen (ItemIndex, -1 for none), laid out top to bottom in Columns
// columns. The user choosing an item fires OnClick; setting ItemIndex from
// code fires nothing, as with the combo box, so that filling a form never
// looks like a choice. Click() (OnClick) is the choice's event.
class TCustomRadioGroup : public TCustomGroupBox {
public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;
  String ClassName() const override;

  TStringList* Items() const { return FItems.get(); }
  // -1 or an index outside the items: none chosen.
  int32_t ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int32_t Value);
  // At least 1.
  int32_t Columns() const { return FColumns; }
  void SetColumns(int32_t Value);

protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void CreateWnd() override;

private:
  void Rebuild();
  void UserChose(int32_t Index);

  std::unique_ptr<TStringList> FItems;
  int32_t FItemIndex = -1;
  int32_t FColumns = 1;
};

class TRadioGroup : public TCustomRadioGroup {
public:
  explicit TRadioGroup(TComponent* AOwner);
  ~TRadioGroup() override;
  String ClassName() const override;
};
