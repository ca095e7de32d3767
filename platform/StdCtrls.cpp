#include "platform/StdCtrls.h"

#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/QtConvert.h"
#include "rtl/StringList.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>

namespace {

void SetRoles(QWidget* W, QPalette::ColorRole Back, TColor Color, QPalette::ColorRole Fore, TColor FontColor)
{
  QPalette P = W->palette();
  if (Color != clNone && Color != clDefault)
    P.setColor(Back, ToQColor(Color));
  P.setColor(Fore, ToQColor(FontColor));
  W->setPalette(P);
}

} // namespace

// ---------------------------------------------------------------------------
// TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
  SetControlStyle(csClickEvents | csSetCaption | csDoubleClicks);
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 21);
}

TCustomEdit::~TCustomEdit() = default;

String TCustomEdit::ClassName() const { return QStringLiteral("TCustomEdit"); }

QWidget* TCustomEdit::CreateWidget(QWidget* ParentWidget)
{
  auto* E = new QLineEdit(ParentWidget);
  E->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
  E->setReadOnly(FReadOnly);
  if (FPasswordChar)
    E->setEchoMode(QLineEdit::Password);
  // Connected once the text is in: making the widget is no change.
  QObject::connect(E, &QLineEdit::textChanged, E, [this, E] {
    if (E->property("fathomixFilled").toBool()) {
      FModified = true;
      Change();
    }
  });
  return E;
}

String TCustomEdit::GetText() const
{
  if (auto* E = qobject_cast<QLineEdit*>(WidgetOrNull()))
    return E->text();
  return TWinControl::GetText();
}

void TCustomEdit::StoreText(const String& Value)
{
  auto* E = qobject_cast<QLineEdit*>(WidgetOrNull());
  if (!E) {
    const String Cut = FMaxLength > 0 ? Value.left(FMaxLength) : Value;
    const bool Changed = Cut != TWinControl::GetText();
    TWinControl::StoreText(Cut);
    FSelStart = static_cast<int32_t>(Cut.size());
    FSelLength = 0;
    if (Changed) {
      FModified = true;
      Change();
    }
    return;
  }
  const bool Filled = E->property("fathomixFilled").toBool();
  E->setText(Value);
  if (!Filled) {
    E->setProperty("fathomixFilled", true);
    // The selection kept before the widget was there may lie past this text.
    const int32_t Size = static_cast<int32_t>(E->text().size());
    FSelStart = std::min(FSelStart, Size);
    FSelLength = std::min(FSelLength, Size - FSelStart);
    E->setSelection(FSelStart, FSelLength);
  }
}

void TCustomEdit::SetMaxLength(int32_t Value)
{
  FMaxLength = std::max(0, Value);
  if (auto* E = qobject_cast<QLineEdit*>(WidgetOrNull()))
    E->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TCustomEdit::SetReadOnly(bool Value)
{
  FReadOnly = Value;
  if (auto* E = qobject_cast<QLineEdit*>(WidgetOrNull()))
    E->setReadOnly(Value);
}

void TCustomEdit::SetPasswordChar(char16_t Value)
{
  FPasswordChar = Value;
  if (auto* E = qobject_cast<QLineEdit*>(WidgetOrNull()))
    E->setEchoMode(Value ? QLineEdit::Password : QLineEdit::Normal);
}

int32_t TCustomEdit::SelStart() const
{
  if (auto* E = qobject_cast<QLineEdit*>(WidgetOrNull()))
    return E->hasSelectedText() ? E->selectionStart() : E->cursorPosition();
  return FSelStart;
}

void TCustomEdit::SetSelStart(int32_t Value)
{
  FSelStart = std::clamp<int32_t>(Value, 0, static_cast<int32_t>(GetText().size()));
  FSelLength = 0;
  if (auto* E = qobject_cast<QLineEdit*>(WidgetOrNull()))
    E->setCursorPosition(FSelStart);
}

int32_t TCustomEdit::SelLength() const
{
  if (auto* E = qobject_cast<QLineEdit*>(WidgetOrNull()))
    return static_cast<int32_t>(E->selectedText().size());
  return FSelLength;
}

void TCustomEdit::SetSelLength(int32_t Value)
{
  const int32_t Start = SelStart();
  FSelStart = Start;
  FSelLength = std::clamp<int32_t>(Value, 0, static_cast<int32_t>(GetText().size()) - Start);
  if (auto* E = qobject_cast<QLineEdit*>(WidgetOrNull()))
    E->setSelection(Start, FSelLength);
}

String TCustomEdit::SelText() const { return GetText().mid(SelStart(), SelLength()); }

void TCustomEdit::SetSelText(const String& Value)
{
  if (auto* E = qobject_cast<QLineEdit*>(WidgetOrNull())) {
    E->insert(Value);
    return;
  }
  const int32_t Start = SelStart();
  String T = GetText();
  T.replace(Start, SelLength(), Value);
  StoreText(T);
  FSelStart = Start + static_cast<int32_t>(Value.size());
}

void TCustomEdit::SelectAll()
{
  FSelStart = 0;
  FSelLength = static_cast<int32_t>(GetText().size());
  if (auto* E = qobject_cast<QLineEdit*>(WidgetOrNull()))
    E->selectAll();
}

namespace {

void ShowBalloonTipOn(QWidget* W, const String& Title, const String& Text, int32_t Icon)
{
  if (!W || (Title.isEmpty() && Text.isEmpty()))
    return;
  static const char16_t Marks[] = {0, u'\u2139', u'\u26A0', u'\u26D4'};
  String Head = Title;
  if (Icon > 0 && Icon < 4)
    Head = QString(QChar(Marks[Icon])) + QLatin1Char(' ') + Head;
  const String Tip = Text.isEmpty() ? Head : Head.isEmpty() ? Text : Head + QLatin1Char('\n') + Text;
  QToolTip::showText(W->mapToGlobal(QPoint(0, W->height())), Tip, W);
}

} // namespace

void TCustomEdit::ShowBalloonTip(const String& Title, const String& Text, int32_t Icon)
{
  ShowBalloonTipOn(WidgetOrNull(), Title, Text, Icon);
}

void TCustomEdit::Change() { FireNotify(OnChange, this); }

void TCustomEdit::DoEnter()
{
  if (FAutoSelect)
    SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::ApplyPalette(QWidget* W) { SetRoles(W, QPalette::Base, Color(), QPalette::Text, Font()->Color()); }

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
TEdit::~TEdit() = default;
String TEdit::ClassName() const { return QStringLiteral("TEdit"); }

// ---------------------------------------------------------------------------
// TCustomComboBox

namespace {

// The platform combo box with the hooks the framework's has: the list
// opening and closing, its width and its item height.
class TComboWidget : public QComboBox {
public:
  TComboWidget(QWidget* Parent, TCustomComboBox* Owner, std::function<void()> Opening, std::function<void()> Closed)
      : QComboBox(Parent), FOwner(Owner), FOpening(std::move(Opening)), FClosed(std::move(Closed))
  {
    setItemDelegate(new TDelegate(this));
  }
  void showPopup() override
  {
    FOpening();
    view()->setMinimumWidth(FOwner->DropDownWidth());
    QComboBox::showPopup();
  }
  void hidePopup() override
  {
    QComboBox::hidePopup();
    FClosed();
  }

private:
  class TDelegate : public QStyledItemDelegate {
  public:
    explicit TDelegate(TComboWidget* Box) : QStyledItemDelegate(Box), FBox(Box) {}
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
      QSize S = QStyledItemDelegate::sizeHint(Option, Index);
      if (FBox->FOwner->ItemHeight() > 0)
        S.setHeight(FBox->FOwner->ItemHeight());
      return S;
    }

  private:
    TComboWidget* FBox;
  };

  TCustomComboBox* FOwner;
  std::function<void()> FOpening;
  std::function<void()> FClosed;
};

} // namespace

struct TCustomComboBox::Impl {
  QPointer<QComboBox> Box;
};

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), C(std::make_unique<Impl>()), FItems(std::make_unique<TStringList>())
{
  SetControlStyle(csCaptureMouse | csSetCaption | csDoubleClicks);
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 145, 21);
  FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
}

TCustomComboBox::~TCustomComboBox() { FItems->OnChange = nullptr; }

String TCustomComboBox::ClassName() const { return QStringLiteral("TCustomComboBox"); }

QWidget* TCustomComboBox::CreateWidget(QWidget* ParentWidget)
{
  auto* Box = new TComboWidget(
      ParentWidget, this, [this] { DropDown(); }, [this] { CloseUp(); });
  C->Box = Box;
  Box->setEditable(FStyle != csDropDownList);
  Box->setInsertPolicy(QComboBox::NoInsert);
  Box->setMaxVisibleItems(std::max(1, FDropDownCount));
  FillWidget();
  return Box;
}

void TCustomComboBox::CreateWnd()
{
  QComboBox* Box = C->Box;
  QObject::connect(Box, &QComboBox::activated, Box, [this](int Index) {
    FItemIndex = Index;
    Click();
    Select();
  });
  if (QLineEdit* E = Box->lineEdit()) {
    WatchWidget(E);
    QObject::connect(E, &QLineEdit::textEdited, E, [this] {
      FEdit = C->Box ? C->Box->currentText() : FEdit;
      Change();
    });
  }
  TWinControl::CreateWnd();
}

void TCustomComboBox::FillWidget()
{
  QComboBox* Box = C->Box;
  if (!Box)
    return;
  const QSignalBlocker Quiet(Box);
  const String Edit = FEdit;
  Box->clear();
  for (int32_t I = 0; I < FItems->Count(); ++I)
    Box->addItem(FItems->Strings(I));
  if (FItemIndex >= FItems->Count())
    FItemIndex = -1;
  Box->setCurrentIndex(FItemIndex);
  if (FStyle != csDropDownList && FItemIndex < 0)
    Box->setEditText(Edit);
}

void TCustomComboBox::ItemsChanged(TObject*)
{
  FItemIndex = ItemIndex();
  if (FStyle != csDropDownList && C->Box)
    FEdit = C->Box->currentText();
  if (FItemIndex >= FItems->Count())
    FItemIndex = -1;
  FillWidget();
}

void TCustomComboBox::SetItems(const TStringList* Value)
{
  if (Value)
    FItems->Assign(*Value);
}

int32_t TCustomComboBox::ItemIndex() const { return C->Box ? C->Box->currentIndex() : FItemIndex; }

void TCustomComboBox::SetItemIndex(int32_t Value)
{
  if (Value < -1 || Value >= FItems->Count())
    Value = -1;
  FItemIndex = Value;
  if (FStyle != csDropDownList)
    FEdit = Value >= 0 ? FItems->Strings(Value) : String();
  if (QComboBox* Box = C->Box) {
    const QSignalBlocker Quiet(Box);
    Box->setCurrentIndex(Value);
    if (Value < 0 && Box->isEditable())
      Box->setEditText(String());
  }
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
  if (FStyle == Value)
    return;
  FStyle = Value;
  if (QComboBox* Box = C->Box) {
    const QSignalBlocker Quiet(Box);
    Box->setEditable(Value != csDropDownList);
    Box->setInsertPolicy(QComboBox::NoInsert);
    if (QLineEdit* E = Box->lineEdit()) {
      WatchWidget(E);
      QObject::connect(E, &QLineEdit::textEdited, E, [this] {
        FEdit = C->Box ? C->Box->currentText() : FEdit;
        Change();
      });
    }
  }
}

void TCustomComboBox::SetDropDownCount(int32_t Value)
{
  FDropDownCount = Value;
  if (C->Box)
    C->Box->setMaxVisibleItems(std::max(1, Value));
}

bool TCustomComboBox::Sorted() const { return FItems->Sorted(); }

void TCustomComboBox::SetSorted(bool Value) { FItems->SetSorted(Value); }

bool TCustomComboBox::DroppedDown() const { return C->Box && C->Box->view()->isVisible(); }

void TCustomComboBox::SetDroppedDown(bool Value)
{
  QComboBox* Box = C->Box;
  if (!Box)
    return;
  if (Value)
    Box->showPopup();
  else
    Box->hidePopup();
}

void TCustomComboBox::SetItemHeight(int32_t Value)
{
  if (Value < 1 || Value == FItemHeight)
    return;
  FItemHeight = Value;
  if (C->Box)
    C->Box->view()->doItemsLayout();
}

void TCustomComboBox::Clear()
{
  FItems->Clear();
  SetItemIndex(-1);
  FEdit.clear();
}

String TCustomComboBox::GetText() const
{
  if (C->Box)
    return C->Box->currentText();
  if (FStyle == csDropDownList)
    return FItemIndex >= 0 && FItemIndex < FItems->Count() ? FItems->Strings(FItemIndex) : String();
  return FEdit;
}

void TCustomComboBox::StoreText(const String& Value)
{
  if (FStyle == csDropDownList) {
    // A list-only box shows one of its items: the text selects it.
    const int32_t I = FItems->IndexOf(Value);
    if (I >= 0 || Value.isEmpty())
      SetItemIndex(I);
    return;
  }
  FEdit = Value;
  if (QComboBox* Box = C->Box) {
    const QSignalBlocker Quiet(Box);
    Box->setEditText(Value);
  }
}

void TCustomComboBox::ShowBalloonTip(const String& Title, const String& Text, int32_t Icon)
{
  // On the edit field when there is one, as the platform shows it.
  QComboBox* Box = C->Box;
  ShowBalloonTipOn(Box && Box->lineEdit() ? static_cast<QWidget*>(Box->lineEdit()) : Box, Title, Text, Icon);
}

void TCustomComboBox::Change() { FireNotify(OnChange, this); }

void TCustomComboBox::Select()
{
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TCustomComboBox::DropDown() { FireNotify(OnDropDown, this); }

void TCustomComboBox::CloseUp() { FireNotify(OnCloseUp, this); }

void TCustomComboBox::ApplyPalette(QWidget* W)
{
  SetRoles(W, QPalette::Base, Color(), QPalette::Text, Font()->Color());
}

TComboBox::TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
TComboBox::~TComboBox() = default;
String TComboBox::ClassName() const { return QStringLiteral("TComboBox"); }

// ---------------------------------------------------------------------------
// TButton

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner)
{
  SetControlStyle(csSetCaption | csDoubleClicks);
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

TButton::~TButton() = default;

String TButton::ClassName() const { return QStringLiteral("TButton"); }

QWidget* TButton::CreateWidget(QWidget* ParentWidget)
{
  auto* B = new QPushButton(ParentWidget);
  B->setAutoDefault(false);
  B->setDefault(FDefault);
  QObject::connect(B, &QPushButton::clicked, B, [this] { Click(); });
  return B;
}

void TButton::StoreText(const String& Value)
{
  TWinControl::StoreText(Value);
  if (auto* B = qobject_cast<QPushButton*>(WidgetOrNull()))
    B->setText(Value);
}

void TButton::SetDefault(bool Value)
{
  FDefault = Value;
  if (auto* B = qobject_cast<QPushButton*>(WidgetOrNull()))
    B->setDefault(Value);
}

void TButton::Click()
{
  if (TCustomForm* Form = GetParentForm(this))
    Form->SetModalResult(FModalResult);
  TWinControl::Click();
}

void TButton::ApplyPalette(QWidget* W)
{
  QPalette P = W->palette();
  P.setColor(QPalette::ButtonText, ToQColor(Font()->Color()));
  W->setPalette(P);
}

// ---------------------------------------------------------------------------
// TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TWinControl(AOwner)
{
  SetControlStyle(csSetCaption | csDoubleClicks);
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
}

TCustomCheckBox::~TCustomCheckBox() = default;

String TCustomCheckBox::ClassName() const { return QStringLiteral("TCustomCheckBox"); }

QWidget* TCustomCheckBox::CreateWidget(QWidget* ParentWidget)
{
  auto* B = new QCheckBox(ParentWidget);
  B->setTristate(FAllowGrayed);
  B->setCheckState(FState == cbChecked ? Qt::Checked : FState == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
  B->setLayoutDirection(FAlignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
  QObject::connect(B, &QCheckBox::clicked, B, [this] { UserToggled(); });
  return B;
}

void TCustomCheckBox::UserToggled()
{
  auto* B = qobject_cast<QCheckBox*>(WidgetOrNull());
  if (!B)
    return;
  const Qt::CheckState S = B->checkState();
  FState = S == Qt::Checked ? cbChecked : S == Qt::PartiallyChecked ? cbGrayed : cbUnchecked;
  Click();
}

void TCustomCheckBox::SetState(TCheckBoxState Value)
{
  if (FState == Value)
    return;
  FState = Value;
  if (auto* B = qobject_cast<QCheckBox*>(WidgetOrNull())) {
    const QSignalBlocker Quiet(B);
    B->setCheckState(Value == cbChecked ? Qt::Checked : Value == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
  }
  Click();
}

void TCustomCheckBox::SetAllowGrayed(bool Value)
{
  FAllowGrayed = Value;
  if (auto* B = qobject_cast<QCheckBox*>(WidgetOrNull()))
    B->setTristate(Value);
}

void TCustomCheckBox::SetAlignment(TAlignment Value)
{
  FAlignment = Value;
  if (QWidget* W = WidgetOrNull())
    W->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCustomCheckBox::StoreText(const String& Value)
{
  TWinControl::StoreText(Value);
  if (auto* B = qobject_cast<QCheckBox*>(WidgetOrNull()))
    B->setText(Value);
}

void TCustomCheckBox::ApplyPalette(QWidget* W)
{
  SetRoles(W, QPalette::Window, Color(), QPalette::WindowText, Font()->Color());
}

TCheckBox::TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
TCheckBox::~TCheckBox() = default;
String TCheckBox::ClassName() const { return QStringLiteral("TCheckBox"); }

// ---------------------------------------------------------------------------
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TControl(AOwner)
{
  SetControlStyle(csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks);
  SetBounds(0, 0, 65, 17);
}

TCustomLabel::~TCustomLabel() = default;

String TCustomLabel::ClassName() const { return QStringLiteral("TCustomLabel"); }

QWidget* TCustomLabel::CreateWidget(QWidget* ParentWidget)
{
  auto* L = new QLabel(ParentWidget);
  L->setTextFormat(Qt::PlainText);
  L->setContentsMargins(0, 0, 0, 0);
  L->setMargin(0);
  L->setIndent(0);
  return L;
}

String TCustomLabel::DisplayText() const
{
  String T = Caption();
  if (!FShowAccelChar || FFocusControl)
    return T;
  String Out;
  for (qsizetype I = 0; I < T.size(); ++I) {
    if (T.at(I) == QLatin1Char('&')) {
      if (I + 1 < T.size() && T.at(I + 1) == QLatin1Char('&')) {
        Out += QLatin1Char('&');
        ++I;
      }
      continue;
    }
    Out += T.at(I);
  }
  return Out;
}

void TCustomLabel::ApplyLabel()
{
  auto* L = qobject_cast<QLabel*>(WidgetOrNull());
  if (!L)
    return;
  Qt::Alignment A = FAlignment == taRightJustify ? Qt::AlignRight
                    : FAlignment == taCenter     ? Qt::AlignHCenter
                                                 : Qt::AlignLeft;
  A |= FLayout == tlBottom ? Qt::AlignBottom : FLayout == tlCenter ? Qt::AlignVCenter : Qt::AlignTop;
  L->setAlignment(A);
  L->setWordWrap(FWordWrap);
  L->setAutoFillBackground(!FTransparent);
  L->setBuddy(FFocusControl && FShowAccelChar ? FFocusControl->Handle() : nullptr);
  if (FFocusControl && !FShowAccelChar) {
    String T = Caption();
    L->setText(T.replace(QLatin1Char('&'), QLatin1String("&&")));
  } else {
    L->setText(DisplayText());
  }
}

void TCustomLabel::StoreText(const String& Value)
{
  TControl::StoreText(Value);
  ApplyLabel();
}

void TCustomLabel::TextChanged()
{
  AdjustBounds();
  TControl::TextChanged();
}

void TCustomLabel::FontChanged()
{
  TControl::FontChanged();
  AdjustBounds();
}

void TCustomLabel::AdjustBounds()
{
  if (!FAutoSize)
    return;
  String T = DisplayText();
  if (T.isEmpty())
    T = QStringLiteral(" ");
  const QFontMetrics M(ToQFont(*Font()));
  QRect R;
  if (FWordWrap)
    R = M.boundingRect(QRect(0, 0, std::max(1, Width()), 100000), Qt::TextWordWrap, T);
  else
    R = M.boundingRect(QRect(0, 0, 100000, 100000), 0, T);
  const int32_t W = FWordWrap ? Width() : R.width();
  const int32_t H = R.height();
  // A right-aligned label keeps its right edge.
  const int32_t X = FAlignment == taRightJustify ? Left() + Width() - W : Left();
  SetBounds(X, Top(), W, H);
}

void TCustomLabel::SetAutoSize(bool Value)
{
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
  FAlignment = Value;
  ApplyLabel();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
  FLayout = Value;
  ApplyLabel();
}

void TCustomLabel::SetWordWrap(bool Value)
{
  FWordWrap = Value;
  ApplyLabel();
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool Value)
{
  FTransparent = Value;
  ApplyLabel();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
  FShowAccelChar = Value;
  ApplyLabel();
  AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* Value)
{
  FFocusControl = Value;
  if (Value)
    Value->FreeNotification(this);
  ApplyLabel();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
  TControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) {
    FFocusControl = nullptr;
    ApplyLabel();
  }
}

void TCustomLabel::ApplyPalette(QWidget* W)
{
  SetRoles(W, QPalette::Window, Color(), QPalette::WindowText, Font()->Color());
}

TLabel::TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
TLabel::~TLabel() = default;
String TLabel::ClassName() const { return QStringLiteral("TLabel"); }
