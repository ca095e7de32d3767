#include "platform/Collection.h"

#include "platform/ClassRegistry.h"
#include "platform/TypInfo.h"
#include "rtl/Exceptions.h"
#include "rtl/ScopeGuard.h"

#include <algorithm>

// ---------------------------------------------------------------- TCollectionItem

TCollectionItem::TCollectionItem(TCollection* ACollection)
{
  // Joined silently: the collection announces the item once the derived
  // constructor has finished (Add, Insert).
  if (ACollection)
    ACollection->InsertItem(this);
}

TCollectionItem::~TCollectionItem()
{
  if (FCollection)
    FCollection->RemoveItem(this);
}

String TCollectionItem::ClassName() const { return QStringLiteral("TCollectionItem"); }

void TCollectionItem::SetCollection(TCollection* Value)
{
  if (Value == FCollection)
    return;
  if (FCollection) {
    FCollection->Notify(this, cnExtracting);
    FCollection->RemoveItem(this);
  }
  if (Value) {
    Value->InsertItem(this);
    Value->Announce(this);
  }
}

int32_t TCollectionItem::Index() const
{
  if (!FCollection)
    return -1;
  const auto& L = FCollection->FItems;
  const auto It = std::find(L.begin(), L.end(), this);
  return It == L.end() ? -1 : static_cast<int32_t>(It - L.begin());
}

void TCollectionItem::SetIndex(int32_t Value)
{
  const int32_t Cur = Index();
  if (Cur < 0)
    return;
  auto& L = FCollection->FItems;
  const int32_t Target = std::clamp<int32_t>(Value, 0, static_cast<int32_t>(L.size()) - 1);
  if (Target == Cur)
    return;
  L.erase(L.begin() + Cur);
  L.insert(L.begin() + Target, this);
  Changed(true);
}

void TCollectionItem::SetDisplayName(const String&) { Changed(false); }

String TCollectionItem::GetDisplayName() const { return ClassName(); }

String TCollectionItem::GetNamePath() const
{
  if (!FCollection)
    return ClassName();
  return QStringLiteral("%1[%2]").arg(FCollection->GetNamePath()).arg(Index());
}

void TCollectionItem::Changed(bool AllItems)
{
  if (FCollection && FCollection->FUpdateCount == 0 && !FCollection->FDestroying)
    FCollection->Update(AllItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

// ---------------------------------------------------------------- TCollection

TCollection::TCollection(const TClassInfo* AItemClass) : FItemClass(AItemClass) {}

TCollection::~TCollection()
{
  FDestroying = true;
  while (!FItems.empty())
    delete FItems.back();
}

String TCollection::ClassName() const { return QStringLiteral("TCollection"); }

void TCollection::InsertItem(TCollectionItem* Item)
{
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
  FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
  Item->FCollection = nullptr;
  if (!FDestroying)
    Changed();
}

void TCollection::Announce(TCollectionItem* Item)
{
  Notify(Item, cnAdded);
  Changed();
}

TCollectionItem* TCollection::CreateItem(const TClassInfo* AClass, int32_t Index)
{
  if (!AClass)
    throw EFilerError(QStringLiteral("Cannot create collection item"));
  if (FItemClass && !AClass->InheritsFrom(FItemClass))
    throw EFilerError(QStringLiteral("Cannot create %1").arg(AClass->ClassName()));
  TCollectionItem* Item = AClass->CreateItem(this);
  if (Index >= 0 && Index < Count() - 1) {
    FItems.pop_back();
    FItems.insert(FItems.begin() + Index, Item);
  }
  Announce(Item);
  return Item;
}

TCollectionItem* TCollection::Add() { return CreateItem(FItemClass, -1); }

TCollectionItem* TCollection::Insert(int32_t Index) { return CreateItem(FItemClass, Index); }

TCollectionItem* TCollection::Items(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FItems[static_cast<size_t>(Index)];
}

void TCollection::SetItems(int32_t Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }

void TCollection::Delete(int32_t Index)
{
  TCollectionItem* Item = Items(Index);
  Notify(Item, cnDeleting);
  delete Item;
}

void TCollection::Clear()
{
  if (FItems.empty())
    return;
  BeginUpdate();
  const auto Updating = ScopeExit([&] { EndUpdate(); });
  while (!FItems.empty()) {
    TCollectionItem* Item = FItems.back();
    Notify(Item, cnDeleting);
    delete Item;
  }
}

TCollectionItem* TCollection::FindItemID(int32_t ID) const
{
  for (TCollectionItem* Item : FItems)
    if (Item->FID == ID)
      return Item;
  return nullptr;
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate()
{
  if (FUpdateCount > 0)
    --FUpdateCount;
  Changed();
}

void TCollection::Changed()
{
  if (FUpdateCount == 0 && !FDestroying)
    Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Assign(TPersistent* Source)
{
  auto* Src = dynamic_cast<TCollection*>(Source);
  if (!Src) {
    TPersistent::Assign(Source);
    return;
  }
  if (Src == this)
    return;
  BeginUpdate();
  const auto Updating = ScopeExit([&] { EndUpdate(); });
  Clear();
  for (TCollectionItem* Item : Src->FItems)
    Add()->Assign(Item);
}

String TCollection::PropName() const
{
  const TPersistent* O = GetOwner();
  if (!O)
    return String();
  for (const TPropInfo* P : GetPropList(O))
    if (P->Kind == tkClass && GetObjectProp(O, P) == this)
      return P->Name;
  return String();
}

String TCollection::GetNamePath() const
{
  const TPersistent* O = GetOwner();
  if (O) {
    const String OwnerPath = O->GetNamePath();
    const String Prop = PropName();
    if (!OwnerPath.isEmpty() && !Prop.isEmpty())
      return OwnerPath + QLatin1Char('.') + Prop;
  }
  return ClassName();
}

// ---------------------------------------------------------------- TOwnedCollection

TOwnedCollection::TOwnedCollection(TPersistent* AOwner, const TClassInfo* AItemClass)
    : TCollection(AItemClass), FOwner(AOwner)
{
}

String TOwnedCollection::ClassName() const { return QStringLiteral("TOwnedCollection"); }
