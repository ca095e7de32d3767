#include "platform/ExtCtrls.h"

#include "platform/Canvas.h"
#include "rtl/StringList.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks |
                  csParentBackground);
  SetColor(clBtnFace);
  SetBounds(Left(), Top(), 185, 41);
}

TCustomPanel::~TCustomPanel() = default;

String TCustomPanel::ClassName() const { return QStringLiteral("TCustomPanel"); }

void TCustomPanel::SetBevelInner(TBevelCut Value)
{
  if (FBevelInner == Value)
    return;
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value)
{
  if (FBevelOuter == Value)
    return;
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int32_t Value)
{
  Value = std::max(1, Value);
  if (FBevelWidth == Value)
    return;
  FBevelWidth = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int32_t Value)
{
  Value = std::max(0, Value);
  if (FBorderWidth == Value)
    return;
  FBorderWidth = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value)
{
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect)
{
  TCustomControl::AdjustClientRect(Rect);
  int32_t Inset = FBorderWidth;
  if (FBorderStyle == bsSingle)
    ++Inset;
  if (FBevelOuter != bvNone)
    Inset += FBevelWidth;
  if (FBevelInner != bvNone)
    Inset += FBevelWidth;
  Rect = TRect{Rect.Left + Inset, Rect.Top + Inset, Rect.Right - Inset, Rect.Bottom - Inset};
}

namespace {
void BevelColors(TBevelCut Bevel, TColor& TopColor, TColor& BottomColor)
{
  TopColor = Bevel == bvLowered ? clBtnShadow : clBtnHighlight;
  BottomColor = Bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}
} // namespace

void TCustomPanel::Paint()
{
  TCanvas* C = Canvas();
  TRect R = ClientRect();
  TColor TopColor = clBtnHighlight, BottomColor = clBtnShadow;
  if (FBorderStyle == bsSingle)
    Frame3D(C, R, clWindowFrame, clWindowFrame, 1);
  if (FBevelOuter != bvNone) {
    BevelColors(FBevelOuter, TopColor, BottomColor);
    Frame3D(C, R, TopColor, BottomColor, FBevelWidth);
  }
  Frame3D(C, R, Color(), Color(), FBorderWidth);
  if (FBevelInner != bvNone) {
    BevelColors(FBevelInner, TopColor, BottomColor);
    Frame3D(C, R, TopColor, BottomColor, FBevelWidth);
  }
  C->Brush()->SetColor(Color());
  C->Brush()->SetStyle(bsSolid);
  C->FillRect(R);
  const String Text = Caption();
  if (!Text.isEmpty()) {
    C->Brush()->SetStyle(bsClear);
    C->Font()->Assign(Font());
    const int32_t W = C->TextWidth(Text);
    const int32_t H = C->TextHeight(QStringLiteral("W"));
    int32_t X = R.Left;
    if (FAlignment == taCenter)
      X = (R.Left + R.Right - W) / 2;
    else if (FAlignment == taRightJustify)
      X = R.Right - W;
    C->SetBkMode(TRANSPARENT);
    C->TextOut(X, (R.Top + R.Bottom - H) / 2, Text);
  }
  TCustomControl::Paint();
}

TPanel::TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
TPanel::~TPanel() = default;
String TPanel::ClassName() const { return QStringLiteral("TPanel"); }

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int32_t Width)
{
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetStyle(psSolid);
  --Rect.Bottom;
  --Rect.Right;
  while (Width-- > 0) {
    const TPoint TopLeft{Rect.Left, Rect.Top};
    const TPoint TopRight{Rect.Right, Rect.Top};
    const TPoint BottomLeft{Rect.Left, Rect.Bottom};
    const TPoint BottomRight{Rect.Right, Rect.Bottom};
    Canvas->Pen()->SetColor(TopColor);
    const TPoint Top[] = {BottomLeft, TopLeft, TopRight};
    Canvas->Polyline(Top);
    Canvas->Pen()->SetColor(BottomColor);
    const TPoint Bottom[] = {TopRight, BottomRight, TPoint{BottomLeft.X - 1, BottomLeft.Y}};
    Canvas->Polyline(Bottom);
    Rect = TRect{Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1};
  }
  ++Rect.Bottom;
  ++Rect.Right;
}

// ---------------------------------------------------------------------------
// TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TWinControl(AOwner)
{
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks |
                  csParentBackground);
  SetBounds(Left(), Top(), 185, 105);
}

TCustomGroupBox::~TCustomGroupBox() = default;

String TCustomGroupBox::ClassName() const { return QStringLiteral("TCustomGroupBox"); }

QWidget* TCustomGroupBox::CreateWidget(QWidget* ParentWidget)
{
  auto* B = new QGroupBox(ParentWidget);
  B->setTitle(Text());
  return B;
}

void TCustomGroupBox::StoreText(const String& Value)
{
  TWinControl::StoreText(Value);
  if (auto* B = qobject_cast<QGroupBox*>(WidgetOrNull()))
    B->setTitle(Value);
}

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
TGroupBox::~TGroupBox() = default;
String TGroupBox::ClassName() const { return QStringLiteral("TGroupBox"); }

// ---------------------------------------------------------------------------
// TCustomRadioGroup

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(std::make_unique<TStringList>())
{
  FItems->OnChange = [this](TObject*) {
    if (FItemIndex >= FItems->Count())
      FItemIndex = -1;
    Rebuild();
  };
}

TCustomRadioGroup::~TCustomRadioGroup() = default;

String TCustomRadioGroup::ClassName() const { return QStringLiteral("TCustomRadioGroup"); }

void TCustomRadioGroup::SetItemIndex(int32_t Value)
{
  if (Value < 0 || Value >= FItems->Count())
    Value = -1;
  if (Value == FItemIndex)
    return;
  FItemIndex = Value;
  auto* B = qobject_cast<QGroupBox*>(WidgetOrNull());
  if (!B)
    return;
  const QList<QRadioButton*> Buttons = B->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
  for (int32_t I = 0; I < Buttons.size(); ++I) {
    const QSignalBlocker Quiet(Buttons[I]);
    // An exclusive group cannot uncheck its last button; none chosen
    // needs the exclusivity off for a moment.
    Buttons[I]->setAutoExclusive(false);
    Buttons[I]->setChecked(I == FItemIndex);
    Buttons[I]->setAutoExclusive(true);
  }
}

void TCustomRadioGroup::SetColumns(int32_t Value)
{
  Value = std::max(1, Value);
  if (Value == FColumns)
    return;
  FColumns = Value;
  Rebuild();
}

QWidget* TCustomRadioGroup::CreateWidget(QWidget* ParentWidget)
{
  QWidget* W = TCustomGroupBox::CreateWidget(ParentWidget);
  auto* Layout = new QGridLayout(W);
  Layout->setContentsMargins(6, 2, 6, 2);
  Layout->setSpacing(0);
  return W;
}

void TCustomRadioGroup::CreateWnd()
{
  TCustomGroupBox::CreateWnd();
  Rebuild();
}

void TCustomRadioGroup::Rebuild()
{
  auto* B = qobject_cast<QGroupBox*>(WidgetOrNull());
  if (!B)
    return;
  auto* Layout = qobject_cast<QGridLayout*>(B->layout());
  if (!Layout)
    return;
  qDeleteAll(B->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly));
  const int32_t Count = FItems->Count();
  const int32_t PerColumn = (Count + FColumns - 1) / FColumns;
  for (int32_t I = 0; I < Count; ++I) {
    auto* R = new QRadioButton(FItems->Strings(I), B);
    R->setChecked(I == FItemIndex);
    QObject::connect(R, &QRadioButton::clicked, R, [this, I] { UserChose(I); });
    Layout->addWidget(R, PerColumn > 0 ? I % PerColumn : 0, PerColumn > 0 ? I / PerColumn : 0);
  }
}

void TCustomRadioGroup::UserChose(int32_t Index)
{
  if (Index == FItemIndex)
    return;
  FItemIndex = Index;
  Click();
}

TRadioGroup::TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
TRadioGroup::~TRadioGroup() = default;
String TRadioGroup::ClassName() const { return QStringLiteral("TRadioGroup"); }
