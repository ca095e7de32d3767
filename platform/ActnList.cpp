#include "platform/ActnList.h"

#include "rtl/Exceptions.h"

#include <algorithm>

// ---- TBasicAction ----

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() = default;

String TBasicAction::ClassName() const { return QStringLiteral("TBasicAction"); }

bool TBasicAction::Execute()
{
  if (!OnExecute)
    return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update()
{
  if (!OnUpdate)
    return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::RegisterChanges(const void* Client, TChangeProc Proc)
{
  UnRegisterChanges(Client);
  FClients.emplace_back(Client, std::move(Proc));
}

void TBasicAction::UnRegisterChanges(const void* Client)
{
  FClients.erase(
      std::remove_if(FClients.begin(), FClients.end(), [Client](const auto& C) { return C.first == Client; }),
      FClients.end());
}

void TBasicAction::Change()
{
  // A client may unregister while it is told.
  const auto Clients = FClients;
  for (const auto& C : Clients)
    if (std::any_of(FClients.begin(), FClients.end(), [&](const auto& Now) { return Now.first == C.first; }))
      C.second(this);
}

// ---- TContainedAction ----

TContainedAction::TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

String TContainedAction::ClassName() const { return QStringLiteral("TContainedAction"); }

void TContainedAction::SetActionList(TActionList* Value)
{
  if (FActionList == Value)
    return;
  if (FActionList) {
    auto& L = FActionList->FActions;
    L.erase(std::remove(L.begin(), L.end(), this), L.end());
  }
  FActionList = Value;
  if (FActionList)
    FActionList->FActions.push_back(this);
}

int32_t TContainedAction::Index() const
{
  if (!FActionList)
    return -1;
  const auto& L = FActionList->FActions;
  return static_cast<int32_t>(std::find(L.begin(), L.end(), this) - L.begin());
}

void TContainedAction::SetCaption(const String& Value)
{
  if (FCaption == Value)
    return;
  FCaption = Value;
  Change();
}

void TContainedAction::SetChecked(bool Value)
{
  if (FChecked == Value)
    return;
  FChecked = Value;
  // One checked action per group of a list.
  if (Value && FGroupIndex > 0 && FActionList)
    for (TContainedAction* A : FActionList->FActions)
      if (A != this && A->FGroupIndex == FGroupIndex)
        A->SetChecked(false);
  Change();
}

void TContainedAction::SetEnabled(bool Value)
{
  if (FEnabled == Value)
    return;
  FEnabled = Value;
  Change();
}

void TContainedAction::SetVisible(bool Value)
{
  if (FVisible == Value)
    return;
  FVisible = Value;
  Change();
}

void TContainedAction::SetHint(const String& Value)
{
  if (FHint == Value)
    return;
  FHint = Value;
  Change();
}

void TContainedAction::SetShortCut(TShortCut Value)
{
  if (FShortCut == Value)
    return;
  FShortCut = Value;
  Change();
}

void TContainedAction::SetGroupIndex(int32_t Value)
{
  if (FGroupIndex == Value)
    return;
  FGroupIndex = Value;
  if (FChecked && Value > 0 && FActionList)
    for (TContainedAction* A : FActionList->FActions)
      if (A != this && A->FGroupIndex == Value)
        A->SetChecked(false);
}

bool TContainedAction::Execute()
{
  Update();
  if (!FEnabled)
    return false;
  if (FAutoCheck)
    SetChecked(!FChecked);
  if (FActionList && FActionList->ExecuteAction(this))
    return true;
  return TBasicAction::Execute();
}

bool TContainedAction::Update()
{
  if (FActionList && FActionList->UpdateAction(this))
    return true;
  return TBasicAction::Update();
}

TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}
TCustomAction::~TCustomAction() = default;
String TCustomAction::ClassName() const { return QStringLiteral("TCustomAction"); }

TAction::TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
TAction::~TAction() = default;
String TAction::ClassName() const { return QStringLiteral("TAction"); }

// ---- TActionList ----

TActionList::TActionList(TComponent* AOwner) : TComponent(AOwner) {}

TActionList::~TActionList()
{
  while (!FActions.empty())
    FActions.back()->SetActionList(nullptr);
}

String TActionList::ClassName() const { return QStringLiteral("TActionList"); }

TContainedAction* TActionList::Actions(int32_t Index) const
{
  if (Index < 0 || Index >= ActionCount())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FActions[static_cast<size_t>(Index)];
}

bool TActionList::ExecuteAction(TBasicAction* Action)
{
  bool Handled = false;
  if (OnExecute)
    OnExecute(Action, Handled);
  return Handled;
}

bool TActionList::UpdateAction(TBasicAction* Action)
{
  bool Handled = false;
  if (OnUpdate)
    OnUpdate(Action, Handled);
  return Handled;
}

void TActionList::UpdateActions()
{
  for (TContainedAction* A : std::vector<TContainedAction*>(FActions))
    A->Update();
}
