#include "grid/edit/ZogComboBox.h"

#include "platform/Canvas.h"
#include "platform/DrawControls.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/QtConvert.h"
#include "rtl/StringList.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

#include <array>

namespace {

constexpr TColor DisabledThemedFrame = 0x00B99D7F; // RGB(127, 157, 185)

void Frame(TCanvas* C, const TRect& R, TColor Color)
{
  C->Pen()->SetColor(Color);
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
}

} // namespace

TZogCustomCombo::TZogCustomCombo(TComponent* AOwner) : TCustomComboBox(AOwner), FLabelFont(std::make_unique<TFont>())
{
  // A grid makes its combo editor with itself, possibly before any window
  // exists: the width then stays the declared one.
  if (qobject_cast<QApplication*>(QCoreApplication::instance()))
    FButtonWidth = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
  FLabelFont->OnChange = [this](TObject* Sender) { LabelFontChanged(Sender); };
  SetPaintsOverNative(true);
  // A combo made in code has no loading to take its colour after.
  Init();
}

TZogCustomCombo::~TZogCustomCombo() { FLabel = nullptr; }

String TZogCustomCombo::ClassName() const { return QStringLiteral("TZogCustomCombo"); }

void TZogCustomCombo::SelectItem(const String& AString)
{
  const int32_t I = Items()->IndexOf(AString);
  if (I >= 0)
    SetItemIndex(I);
}

void TZogCustomCombo::Init() { FNormalColor = Color(); }

void TZogCustomCombo::Loaded()
{
  TCustomComboBox::Loaded();
  if (FDropWidth > 0)
    SetDropDownWidth(FDropWidth);
  FOldColor = FLoadedColor;
  if (!FFlatParentColor || FFlat)
    TCustomComboBox::SetColor(FLoadedColor);
  if (FLabel) {
    if (!FLabelAlwaysEnabled)
      FLabel->SetEnabled(Enabled());
    if (ParentFont())
      FLabel->SetFont(Font());
  }
  UpdateLabel();
  Init();
}

void TZogCustomCombo::SetColor(TColor Value)
{
  // The combo's own colour, loaded or set by code: a flat combo showing its
  // parent's colour comes back to it.
  FLoadedColor = Value;
  TCustomComboBox::SetColor(Value);
  // The colour code gives outside a focus is the one to come back to.
  if (!FHasFocus)
    FNormalColor = Value;
}

// ---------------------------------------------------------------- settings

void TZogCustomCombo::SetFlat(bool Value)
{
  if (Value == FFlat)
    return;
  FFlat = Value;
  if (Value && FFlatParentColor && Parent())
    TCustomComboBox::SetColor(Parent()->Color());
  else
    TCustomComboBox::SetColor(FLoadedColor);
  Invalidate();
}

void TZogCustomCombo::SetEtched(bool Value)
{
  FEtched = Value;
  Invalidate();
}

void TZogCustomCombo::SetButtonWidth(int32_t Value)
{
  if (Value < 14 || Value > 32)
    return;
  FButtonWidth = Value;
  Invalidate();
}

void TZogCustomCombo::SetDropWidth(int32_t Value)
{
  FDropWidth = Value;
  if (Value > 0)
    SetDropDownWidth(Value);
}

void TZogCustomCombo::SetFlatLineColor(TColor Value)
{
  FFlatLineColor = Value;
  Invalidate();
}

void TZogCustomCombo::SetFlatParentColor(bool Value)
{
  FFlatParentColor = Value;
  Invalidate();
}

void TZogCustomCombo::SetBorderColor(TColor Value)
{
  if (Value == FBorderColor)
    return;
  FBorderColor = Value;
  Invalidate();
}

void TZogCustomCombo::SetEnabled(bool Value)
{
  const bool Changed = Value != Enabled();
  if (Changed && FFlat) {
    if (!Value) {
      // A disabled flat combo melts into its parent.
      FOldParentColor = ParentColor();
      FOldColor = Color();
      if (Parent())
        TCustomComboBox::SetColor(Parent()->Color());
    } else {
      TCustomComboBox::SetColor(FOldColor);
      SetParentColor(FOldParentColor);
    }
  }
  TCustomComboBox::SetEnabled(Value);
  if (Changed && !(ComponentState() & (csLoading | csDesigning)) && FLabel) {
    if (!FLabelAlwaysEnabled)
      FLabel->SetEnabled(Value);
    UpdateLabel();
  }
}

void TZogCustomCombo::SetVisible(bool Value)
{
  TCustomComboBox::SetVisible(Value);
  if (FLabel)
    FLabel->SetVisible(Value);
}

void TZogCustomCombo::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight)
{
  TCustomComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!(ComponentState() & csDestroying))
    UpdateLabel();
}

void TZogCustomCombo::SetParent(TWinControl* AParent)
{
  TCustomComboBox::SetParent(AParent);
  if (FLabel && !(ComponentState() & csDestroying)) {
    FLabel->SetParent(AParent);
    UpdateLabel();
  }
}

void TZogCustomCombo::FontChanged()
{
  TCustomComboBox::FontChanged();
  if (FLabel && ParentFont() && (ComponentState() & (csLoading | csDesigning)))
    FLabel->SetFont(Font());
  UpdateLabel();
}

// ---------------------------------------------------------------- the label

String TZogCustomCombo::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TZogCustomCombo::MakeLabel()
{
  if (FLabel)
    return;
  FLabel = new TLabel(this);
  FLabel->SetParent(Parent());
  FLabel->SetFocusControl(this);
  FLabel->SetFont(FLabelFont.get());
  FLabel->SetParentFont(ParentFont());
  FLabel->SetVisible(Visible());
}

void TZogCustomCombo::SetLabelCaption(const String& Value)
{
  MakeLabel();
  FLabel->SetCaption(Value);
  UpdateLabel();
}

void TZogCustomCombo::SetLabelPosition(TLabelPosition Value)
{
  FLabelPosition = Value;
  UpdateLabel();
}

void TZogCustomCombo::SetLabelMargin(int32_t Value)
{
  FLabelMargin = Value;
  UpdateLabel();
}

void TZogCustomCombo::SetLabelTransparent(bool Value)
{
  FLabelTransparent = Value;
  UpdateLabel();
}

void TZogCustomCombo::SetLabelAlwaysEnabled(bool Value)
{
  FLabelAlwaysEnabled = Value;
  if (FLabel)
    FLabel->SetEnabled(Value || Enabled());
  UpdateLabel();
}

void TZogCustomCombo::SetLabelFont(TFont* Value)
{
  if (!ParentFont())
    FLabelFont->Assign(Value);
}

void TZogCustomCombo::LabelFontChanged(TObject*)
{
  if (FLabel && !ParentFont())
    FLabel->SetFont(FLabelFont.get());
  UpdateLabel();
}

void TZogCustomCombo::UpdateLabel()
{
  if (!FLabel || !FLabel->Parent())
    return;
  FLabel->SetTransparent(FLabelTransparent);
  if (!ParentFont())
    FLabel->SetFont(FLabelFont.get());
  String Shown = FLabel->Caption();
  Shown.remove(u'&');
  const int32_t W = QFontMetrics(ToQFont(*FLabel->Font())).horizontalAdvance(Shown);
  const int32_t H = FLabel->Height(), LW = FLabel->Width(), M = FLabelMargin;
  const int32_t MiddleTop = H > Height() ? Top() - (H - Height()) / 2 : Top() + (Height() - H) / 2;
  const int32_t CenterLeft = LW > Width() ? Left() - (LW - Width()) / 2 : Left() + (Width() - LW) / 2;
  const int32_t Above = Top() - H - M, Below = Top() + Height() + M, Bottom = Top() + Height() - H;
  // An auto-sized label is as wide as its text and its own padding.
  const int32_t Before = Left() - (FLabel->AutoSize() ? LW : W) - M, Right = Left() + Width() + M;
  struct TPlace {
    int32_t Top, Left;
  };
  const std::array<TPlace, 13> Places = {{
      {Top(), Before},         // lpLeftTop
      {MiddleTop, Before},     // lpLeftCenter
      {Bottom, Before},        // lpLeftBottom
      {Above, Left()},         // lpTopLeft
      {Below, Left()},         // lpBottomLeft
      {Top(), Left() - M},     // lpLeftTopLeft
      {MiddleTop, Left() - M}, // lpLeftCenterLeft
      {Bottom, Left() - M},    // lpLeftBottomLeft
      {Above, CenterLeft},     // lpTopCenter
      {Below, CenterLeft},     // lpBottomCenter
      {Top(), Right},          // lpRightTop
      {MiddleTop, Right},      // lpRightCenter
      {Bottom, Right},         // lpRighBottom
  }};
  const TPlace& P = Places[FLabelPosition];
  FLabel->SetBounds(P.Left, P.Top, FLabel->Width(), FLabel->Height());
  FLabel->SetVisible(Visible());
}

void TZogCustomCombo::SetLabelBold(bool Bold)
{
  if (!FLabel)
    return;
  TFontStyles S = FLabel->Font()->Style();
  S = Bold ? (S | FontStyleBit(fsBold)) : (S & ~FontStyleBit(fsBold));
  FLabel->Font()->SetStyle(S);
}

// ---------------------------------------------------------------- focus and mouse

void TZogCustomCombo::DoEnter()
{
  FHasFocus = true;
  if (FFocusColor != clNone)
    TCustomComboBox::SetColor(FFocusColor);
  if (FFocusLabel)
    SetLabelBold(true);
  Invalidate();
  TCustomComboBox::DoEnter();
}

void TZogCustomCombo::DoExit()
{
  FHasFocus = false;
  if (FFocusColor != clNone && FNormalColor != clNone)
    TCustomComboBox::SetColor(FNormalColor);
  if (FFocusLabel)
    SetLabelBold(false);
  Invalidate();
  TCustomComboBox::DoExit();
}

void TZogCustomCombo::MouseEnter()
{
  TCustomComboBox::MouseEnter();
  if (!Enabled() || FMouseInControl)
    return;
  FMouseInControl = true;
  if (FAutoFocus && !(ComponentState() & csDesigning)) {
    TCustomForm* Form = ParentForm();
    if ((!Form || Form->Active()) && CanFocus())
      SetFocus();
  }
  Invalidate();
}

void TZogCustomCombo::MouseLeave()
{
  TCustomComboBox::MouseLeave();
  FMouseInControl = false;
  FButtonHover = false;
  Invalidate();
}

void TZogCustomCombo::MouseMove(TShiftState Shift, int32_t X, int32_t Y)
{
  TCustomComboBox::MouseMove(Shift, X, Y);
  const bool Hover = Width() - FButtonWidth < X && X < Width();
  if (Hover != FButtonHover) {
    FButtonHover = Hover;
    Invalidate();
  }
}

void TZogCustomCombo::DropDown()
{
  Invalidate();
  TCustomComboBox::DropDown();
}

void TZogCustomCombo::CloseUp()
{
  Invalidate();
  TCustomComboBox::CloseUp();
  FireNotify(OnDropUp, this);
}

// ---------------------------------------------------------------- painting

bool TZogCustomCombo::PaintsOwnLook() const
{
  if (FIsVista && ButtonColor == clNone)
    return false;
  return FFlat || ButtonColor != clNone || FBorderColor != clNone || (FFocusBorderColor != clNone && FHasFocus) ||
         (!Enabled() && !FDisabledBorder);
}

void TZogCustomCombo::DrawButton(TCanvas* C)
{
  TRect R{ClientWidth() - FButtonWidth + 2, 0, ClientWidth(), ClientHeight()};
  R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  if (ButtonColor != clNone) {
    TColor Fill = FButtonHover ? ButtonColorHot : ButtonColor;
    if (FButtonHover && (QApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton)))
      Fill = ButtonColorDown;
    if (Fill == clNone)
      Fill = ButtonColor;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Fill);
    C->FillRect(TRect{R.Left - 1, R.Top + 1, R.Right - 1, R.Bottom - 1});
    if (ButtonBorderColor != clNone) {
      C->Pen()->SetColor(ButtonBorderColor);
      C->MoveTo(R.Left - 1, R.Top + 1);
      C->LineTo(R.Left - 1, R.Bottom - 1);
    }
    const TColor Arrow = ButtonTextColor == clNone ? clBlack : ButtonTextColor;
    const std::array<TPoint, 3> P = {TPoint{R.Left + 4, R.Top + 7}, TPoint{R.Left + 10, R.Top + 7},
                                     TPoint{R.Left + 7, R.Top + 10}};
    C->Pen()->SetColor(Arrow);
    C->Brush()->SetColor(Arrow);
    C->Polygon(P);
    return;
  }
  uint32_t State = DFCS_SCROLLCOMBOBOX;
  State |= Enabled() ? DFCS_FLAT : DFCS_INACTIVE;
  DrawFrameControl(C, TRect{R.Left - 4, R.Top + 1, R.Right, R.Bottom - 1}, DFC_SCROLL, State);
}

void TZogCustomCombo::DrawBorders(TCanvas* C)
{
  const TRect R{0, 0, Width(), Height()};
  if (!Enabled() && !FDisabledBorder) {
    Frame(C, R, DisabledThemedFrame);
    return;
  }
  if (FBorderColor == clNone || (FHasFocus && FFocusBorderColor != clNone)) {
    if (FFocusBorderColor != clNone) {
      if (FHasFocus)
        Frame(C, R, FFocusBorderColor);
      return;
    }
    // The plain look: an outer frame in the parent's colour (button face
    // while hot), an inner one in the combo's.
    const bool Hot = FFocusBorder && (FMouseInControl || FHasFocus);
    const TColor Outer = Hot ? clBtnFace : (Parent() ? Parent()->Color() : clBtnFace);
    if (Hot) {
      DrawEdge(C, R, BDR_SUNKENOUTER, BF_RECT);
      Frame(C, TRect{1, 1, R.Right - 1, R.Bottom - 1}, Outer);
      Frame(C, TRect{2, 2, R.Right - 2, R.Bottom - 2}, Color());
    } else {
      Frame(C, R, Outer);
      Frame(C, TRect{1, 1, R.Right - 1 - FButtonWidth, R.Bottom - 1}, Outer);
      Frame(C, TRect{2, 2, R.Right - 2 - FButtonWidth, R.Bottom - 2}, Color());
    }
    if (FFlat && FFlatLineColor != clNone) {
      C->Pen()->SetColor(FFlatLineColor);
      C->MoveTo(0, Height() - 1);
      C->LineTo(Width() - FButtonWidth - 1, Height() - 1);
    }
    return;
  }
  Frame(C, R, FBorderColor);
}

void TZogCustomCombo::Paint()
{
  if (!PaintsOwnLook()) {
    TCustomComboBox::Paint();
    return;
  }
  TCanvas* C = Canvas();
  if (Style() != csSimple)
    DrawButton(C);
  DrawBorders(C);
  TCustomComboBox::Paint();
}

// ---------------------------------------------------------------- TZogComboBox

TZogComboBox::TZogComboBox(TComponent* AOwner) : TZogCustomCombo(AOwner) {}

TZogComboBox::~TZogComboBox() = default;

String TZogComboBox::ClassName() const { return QStringLiteral("TZogComboBox"); }
