#include "platform/Component.h"

#include "platform/Filer.h"
#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

#include <algorithm>

// ---------------------------------------------------------------- TPersistent

TPersistent::~TPersistent()
{
  // A component stream being read may still hold this object for a
  // reference it resolves at the end.
  ForgetReaderReferences(this);
}

String TPersistent::ClassName() const { return QStringLiteral("TPersistent"); }

void TPersistent::Assign(TPersistent* Source)
{
  if (Source)
    Source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) const { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const
{
  const String SourceName = Source ? Source->ClassName() : QStringLiteral("nil");
  throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(SourceName, ClassName()));
}

TPersistent* TPersistent::GetOwner() const { return nullptr; }

void TPersistent::DefineProperties(TFiler*) {}

String TPersistent::GetNamePath() const
{
  String Result = ClassName();
  if (const TPersistent* O = GetOwner()) {
    const String OwnerPath = O->GetNamePath();
    if (!OwnerPath.isEmpty())
      Result = OwnerPath + QLatin1Char('.') + Result;
  }
  return Result;
}

// ---------------------------------------------------------------- TComponent

namespace {

void SetDestroyingTree(TComponent* C)
{
  C->IncludeState(csDestroying);
  for (int32_t I = 0; I < C->ComponentCount(); ++I)
    SetDestroyingTree(C->Components(I));
}

} // namespace

TComponent::TComponent(TComponent* AOwner)
{
  if (AOwner)
    AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
  SetDestroyingTree(this);
  // Tell everyone holding a reference, newest first; each entry is dropped
  // on both sides before the call so the handler may touch the lists.
  while (!FFreeNotifies.empty()) {
    TComponent* Other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& Back = Other->FFreeNotifies;
    Back.erase(std::remove(Back.begin(), Back.end(), this), Back.end());
    Other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner)
    FOwner->RemoveComponent(this);
}

String TComponent::ClassName() const { return QStringLiteral("TComponent"); }

TComponent* TComponent::Components(int32_t Index) const
{
  if (Index < 0 || Index >= ComponentCount())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FComponents[static_cast<size_t>(Index)];
}

int32_t TComponent::ComponentIndex() const
{
  if (!FOwner)
    return -1;
  const auto& L = FOwner->FComponents;
  const auto It = std::find(L.begin(), L.end(), this);
  return It == L.end() ? -1 : static_cast<int32_t>(It - L.begin());
}

void TComponent::SetComponentIndex(int32_t Value)
{
  if (!FOwner)
    return;
  auto& L = FOwner->FComponents;
  const auto It = std::find(L.begin(), L.end(), this);
  if (It == L.end())
    return;
  L.erase(It);
  const int32_t N = static_cast<int32_t>(L.size());
  L.insert(L.begin() + std::clamp(Value, 0, N), this);
}

TComponent* TComponent::FindComponent(const String& AName) const
{
  if (AName.isEmpty())
    return nullptr;
  for (TComponent* C : FComponents)
    if (SameText(C->FName, AName))
      return C;
  return nullptr;
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) const
{
  if (NewName.isEmpty() || SameText(CurName, NewName))
    return;
  TComponent* Existing = FindComponent(NewName);
  if (Existing && Existing != AComponent)
    throw EComponentError(QStringLiteral("A component named %1 already exists").arg(NewName));
}

void TComponent::InsertComponent(TComponent* AComponent)
{
  if (!AComponent || AComponent == this)
    return;
  // Refuse before touching either list, so a clash leaves both owners as
  // they were.
  ValidateRename(AComponent, String(), AComponent->FName);
  if (AComponent->FOwner)
    AComponent->FOwner->RemoveComponent(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
  if (!AComponent || AComponent->FOwner != this)
    return;
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent), FComponents.end());
  AComponent->FOwner = nullptr;
  // The component has left the list already, so a component in the middle of
  // being deleted is not called back through its half-destroyed object.
  Notification(AComponent, opRemove);
}

void TComponent::DestroyComponents()
{
  while (!FComponents.empty()) {
    TComponent* Last = FComponents.back();
    // Its destructor takes it out of the list through RemoveComponent.
    delete Last;
  }
}

void TComponent::SetName(const String& NewName)
{
  if (NewName == FName)
    return;
  if (!NewName.isEmpty() && !IsValidIdent(NewName))
    throw EComponentError(QStringLiteral("'%1' is not a valid component name").arg(NewName));
  if (FOwner)
    FOwner->ValidateRename(this, FName, NewName);
  FName = NewName;
}

void TComponent::Loaded() { ExcludeState(csLoading); }

void TComponent::FreeNotification(TComponent* AComponent)
{
  if (!AComponent || AComponent == this)
    return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  // Both sides keep the link, so whichever goes first removes it from the
  // other and no list holds a freed component.
  auto& Back = AComponent->FFreeNotifies;
  if (std::find(Back.begin(), Back.end(), this) == Back.end())
    Back.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
  if (!AComponent)
    return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
  auto& Back = AComponent->FFreeNotifies;
  Back.erase(std::remove(Back.begin(), Back.end(), this), Back.end());
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
  if (Operation == opRemove && AComponent)
    RemoveFreeNotification(AComponent);
  // Iterate over a copy: a handler may delete or insert components.
  const std::vector<TComponent*> Snapshot = FComponents;
  for (auto It = Snapshot.rbegin(); It != Snapshot.rend(); ++It) {
    TComponent* C = *It;
    if (std::find(FComponents.begin(), FComponents.end(), C) != FComponents.end())
      C->Notification(AComponent, Operation);
  }
}

TPersistent* TComponent::GetOwner() const { return FOwner; }

String TComponent::GetNamePath() const { return FName; }

void TComponent::GetChildren(const TGetChildProc&, TComponent*) {}

TComponent* TComponent::GetChildOwner() { return nullptr; }

TComponent* TComponent::GetChildParent() { return this; }

void TComponent::SetChildOrder(TComponent*, int32_t) {}

bool TComponent::HasParent() const { return false; }

TComponent* TComponent::GetParentComponent() const { return nullptr; }

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::ReadState(TReader* Reader) { Reader->ReadData(this); }
