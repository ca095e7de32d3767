#include "platform/Menus.h"

#include "platform/ActnList.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/KeyMap.h"
#include "rtl/Exceptions.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <algorithm>

struct TMenuItem::Impl {
  QPointer<QAction> Action;
  QPointer<QMenu> Menu;
  // The widgets that show this item's sub-items: its sub-menu, menu bars.
  std::vector<QPointer<QWidget>> Views;
  std::shared_ptr<bool> Alive = std::make_shared<bool>(true);
};

namespace {

void Guarded(const std::function<void()>& Fn)
{
  try {
    Fn();
  } catch (const std::exception& E) {
    HandleApplicationException(E);
  }
}

String WithoutAccelerator(String S)
{
  S.replace(QLatin1String("&&"), QLatin1String("\x01"));
  S.remove(QLatin1Char('&'));
  S.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  return S;
}

} // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), D(std::make_unique<Impl>()) {}

TMenuItem::~TMenuItem()
{
  *D->Alive = false;
  if (FAction)
    FAction->UnRegisterChanges(this);
  while (!FItems.empty())
    delete FItems.back();
  if (FParent)
    FParent->Remove(this);
  // Qt may be inside this item's own signal: its objects go afterwards.
  if (D->Menu)
    D->Menu->deleteLater();
  if (D->Action)
    D->Action->deleteLater();
}

String TMenuItem::ClassName() const { return QStringLiteral("TMenuItem"); }

TMenuItem* TMenuItem::Items(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FItems[static_cast<size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item)
{
  if (Item)
    Insert(Item->FParent == this ? Count() - 1 : Count(), Item);
}

void TMenuItem::Insert(int32_t Index, TMenuItem* Item)
{
  if (!Item)
    return;
  for (TMenuItem* P = this; P; P = P->FParent)
    if (P == Item)
      throw EInvalidOperation(QStringLiteral("Menu inserted twice"));
  if (Item->FParent)
    Item->FParent->Remove(Item);
  if (Index < 0 || Index > Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  SubItemsChanged();
}

void TMenuItem::Delete(int32_t Index) { Remove(Items(Index)); }

void TMenuItem::Remove(TMenuItem* Item)
{
  const auto It = std::find(FItems.begin(), FItems.end(), Item);
  if (It == FItems.end())
    return;
  FItems.erase(It);
  Item->FParent = nullptr;
  if (Item->D->Action)
    for (const auto& V : D->Views)
      if (V)
        V->removeAction(Item->D->Action);
  SubItemsChanged();
}

void TMenuItem::Clear()
{
  while (!FItems.empty())
    delete FItems.back();
}

int32_t TMenuItem::IndexOf(const TMenuItem* Item) const
{
  const auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : static_cast<int32_t>(It - FItems.begin());
}

int32_t TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

TMenuItem* TMenuItem::Find(const String& ACaption) const
{
  const String Want = WithoutAccelerator(ACaption);
  for (TMenuItem* I : FItems)
    if (WithoutAccelerator(I->FCaption).compare(Want, Qt::CaseInsensitive) == 0)
      return I;
  return nullptr;
}

// ---- Properties ----

void TMenuItem::SetCaption(const String& Value)
{
  if (FCaption == Value)
    return;
  FCaption = Value;
  Changed();
}

void TMenuItem::SetChecked(bool Value)
{
  if (FChecked == Value)
    return;
  FChecked = Value;
  if (Value && FRadioItem)
    ClearRadioSiblings();
  Changed();
}

void TMenuItem::ClearRadioSiblings()
{
  if (!FParent)
    return;
  for (TMenuItem* I : FParent->FItems)
    if (I != this && I->FRadioItem && I->FGroupIndex == FGroupIndex && I->FChecked) {
      I->FChecked = false;
      I->Changed();
    }
}

void TMenuItem::SetEnabled(bool Value)
{
  if (FEnabled == Value)
    return;
  FEnabled = Value;
  Changed();
}

void TMenuItem::SetVisible(bool Value)
{
  if (FVisible == Value)
    return;
  FVisible = Value;
  Changed();
}

void TMenuItem::SetDefault(bool Value)
{
  if (FDefault == Value)
    return;
  FDefault = Value;
  Changed();
}

void TMenuItem::SetRadioItem(bool Value)
{
  if (FRadioItem == Value)
    return;
  FRadioItem = Value;
  if (Value && FChecked)
    ClearRadioSiblings();
  Changed();
}

void TMenuItem::SetShortCut(TShortCut Value)
{
  if (FShortCut == Value)
    return;
  FShortCut = Value;
  Changed();
}

void TMenuItem::SetHint(const String& Value)
{
  FHint = Value;
  Changed();
}

void TMenuItem::SetAction(TBasicAction* Value)
{
  if (FAction == Value)
    return;
  if (FAction)
    FAction->UnRegisterChanges(this);
  FAction = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->RegisterChanges(this, [this](TBasicAction* Sender) { ActionChange(Sender); });
    ActionChange(Value);
  }
}

void TMenuItem::ActionChange(TBasicAction* Sender)
{
  auto* A = dynamic_cast<TContainedAction*>(Sender);
  if (!A)
    return;
  FCaption = A->Caption();
  FChecked = A->Checked();
  FEnabled = A->Enabled();
  FVisible = A->Visible();
  FHint = A->Hint();
  FShortCut = A->ShortCut();
  Changed();
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FAction)
    FAction = nullptr;
}

void TMenuItem::Click()
{
  if (!FEnabled)
    return;
  if (FAutoCheck && !FAction)
    SetChecked(!FChecked);
  if (OnClick)
    OnClick(this);
  else if (FAction)
    FAction->Execute();
}

// ---- Qt ----

QAction* TMenuItem::Handle()
{
  if (!D->Action) {
    D->Action = new QAction;
    QObject::connect(D->Action, &QAction::triggered, D->Action, [this] { Triggered(); });
    Changed();
    if (!FItems.empty())
      SubMenu();
  }
  return D->Action;
}

QMenu* TMenuItem::SubMenu()
{
  if (!D->Menu) {
    D->Menu = new QMenu;
    QObject::connect(D->Menu, &QMenu::aboutToShow, D->Menu, [this] { MenuOpening(); });
    D->Views.emplace_back(D->Menu.data());
    SubItemsChanged();
    if (D->Action)
      D->Action->setMenu(D->Menu);
  }
  return D->Menu;
}

void TMenuItem::Changed()
{
  QAction* A = D->Action;
  if (!A)
    return;
  A->setSeparator(IsLine());
  A->setText(FCaption);
  A->setCheckable(FChecked || FRadioItem || FAutoCheck);
  A->setChecked(FChecked);
  A->setEnabled(FEnabled);
  A->setVisible(FVisible);
  A->setStatusTip(GetLongHint(FHint));
  A->setToolTip(GetShortHint(FHint));
  if (FShortCut) {
    uint16_t Key = 0;
    TShiftState Shift = 0;
    ShortCutToKey(FShortCut, Key, Shift);
    int Code = QtKeyOf(Key);
    if (Shift & ssShift)
      Code |= Qt::SHIFT;
    if (Shift & ssCtrl)
      Code |= Qt::CTRL;
    if (Shift & ssAlt)
      Code |= Qt::ALT;
    A->setShortcut(QKeySequence(Code));
  } else {
    A->setShortcut(QKeySequence());
  }
  QFont F = A->font();
  F.setBold(FDefault);
  A->setFont(F);
}

void TMenuItem::SubItemsChanged()
{
  if (!FItems.empty() && D->Action && !D->Menu)
    SubMenu();
  for (const auto& V : D->Views) {
    if (!V)
      continue;
    for (QAction* A : V->actions())
      V->removeAction(A);
    for (TMenuItem* I : FItems)
      V->addAction(I->Handle());
  }
}

void TMenuItem::Triggered()
{
  const std::shared_ptr<bool> Alive = D->Alive;
  Guarded([this] { Click(); });
  // Qt toggled a checkable action by itself: the item's state is the truth.
  if (*Alive && D->Action)
    D->Action->setChecked(FChecked);
}

void TMenuItem::MenuOpening()
{
  const std::shared_ptr<bool> Alive = D->Alive;
  Guarded([this] {
    for (TMenuItem* I : std::vector<TMenuItem*>(FItems))
      if (I->FAction)
        I->FAction->Update();
  });
  if (*Alive && OnClick)
    Guarded([this] { OnClick(this); });
}

// ---------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {}

TMenu::~TMenu() = default;

String TMenu::ClassName() const { return QStringLiteral("TMenu"); }

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

TMainMenu::~TMainMenu() = default;

String TMainMenu::ClassName() const { return QStringLiteral("TMainMenu"); }

QMenuBar* TMainMenu::CreateMenuBar(QWidget* Parent)
{
  auto* Bar = new QMenuBar(Parent);
  Items()->D->Views.emplace_back(Bar);
  Items()->SubItemsChanged();
  return Bar;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu() = default;

String TPopupMenu::ClassName() const { return QStringLiteral("TPopupMenu"); }

void TPopupMenu::Popup(int32_t X, int32_t Y)
{
  if (OnPopup)
    OnPopup(this);
  TMenuItem* Root = Items();
  for (TMenuItem* I : std::vector<TMenuItem*>(Root->FItems))
    if (I->FAction)
      I->FAction->Update();
  Root->SubMenu()->popup(QPoint(X, Y));
}

QMenu* TPopupMenu::Handle() const
{
  QMenu* M = Items()->D->Menu;
  return M && M->isVisible() ? M : nullptr;
}

void TPopupMenu::SetPopupComponent(TComponent* Value)
{
  FPopupComponent = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent)
    FPopupComponent = nullptr;
}

// ---------------------------------------------------------------------------
// Shortcuts

namespace {

struct TKeyName {
  uint16_t Key;
  const char* Name;
};

constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},  {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

String KeyName(uint16_t Key)
{
  if ((Key >= VK_0 && Key <= VK_9) || (Key >= VK_A && Key <= VK_Z))
    return String(QChar(Key));
  if (Key >= VK_F1 && Key <= VK_F24)
    return QStringLiteral("F%1").arg(Key - VK_F1 + 1);
  for (const TKeyName& N : KeyNames)
    if (N.Key == Key)
      return QString::fromLatin1(N.Name);
  return String();
}

} // namespace

TShortCut ShortCut(uint16_t Key, TShiftState Shift)
{
  if (Key & 0xFF00)
    return 0;
  TShortCut S = Key;
  if (Shift & ssShift)
    S |= scShift;
  if (Shift & ssCtrl)
    S |= scCtrl;
  if (Shift & ssAlt)
    S |= scAlt;
  return S;
}

void ShortCutToKey(TShortCut Value, uint16_t& Key, TShiftState& Shift)
{
  Key = Value & 0xFF;
  Shift = 0;
  if (Value & scShift)
    Shift |= ssShift;
  if (Value & scCtrl)
    Shift |= ssCtrl;
  if (Value & scAlt)
    Shift |= ssAlt;
}

String ShortCutToText(TShortCut Value)
{
  const String Name = KeyName(Value & 0xFF);
  if (Name.isEmpty())
    return String();
  String S;
  if (Value & scShift)
    S += QLatin1String("Shift+");
  if (Value & scCtrl)
    S += QLatin1String("Ctrl+");
  if (Value & scAlt)
    S += QLatin1String("Alt+");
  return S + Name;
}

TShortCut TextToShortCut(const String& Text)
{
  String Rest = Text.trimmed();
  TShortCut Shift = 0;
  const struct {
    const char* Prefix;
    TShortCut Bit;
  } Prefixes[] = {{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};
  for (bool Found = true; Found;) {
    Found = false;
    for (const auto& P : Prefixes)
      if (Rest.startsWith(QLatin1String(P.Prefix), Qt::CaseInsensitive) && Rest.size() > qsizetype(strlen(P.Prefix))) {
        Shift |= P.Bit;
        Rest = Rest.mid(static_cast<qsizetype>(strlen(P.Prefix)));
        Found = true;
      }
  }
  for (uint16_t Key = 1; Key < 0x100; ++Key) {
    const String Name = KeyName(Key);
    if (!Name.isEmpty() && Name.compare(Rest, Qt::CaseInsensitive) == 0)
      return static_cast<TShortCut>(Key | Shift);
  }
  return 0;
}
