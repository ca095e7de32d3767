#pragma once
// Collections: an ordered list of items of one item class, owned by the
// collection and streamed with it (the filters of a picture, the inner
// charts of a sub-chart tool, the columns of a grid).
//
// An item is created with its collection and belongs to it from then on:
// the collection deletes it on Delete, Clear or its own destruction, and
// deleting an item takes it out of its collection.
//
// Create items with Add or Insert: they tell the collection (Notify with
// cnAdded, then Update) once the item is fully constructed. An item made
// directly with `new TItem(Collection)` is in the list but the collection
// has not been told; a C++ base constructor cannot see the derived item.
// For the same reason an item deleted directly is removed silently; Delete
// and Clear announce cnDeleting while the item is still whole.
#include "platform/Component.h"

#include <vector>

class TClassInfo;
class TCollection;

enum TCollectionNotification : uint8_t { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
public:
  explicit TCollectionItem(TCollection* ACollection);
  ~TCollectionItem() override;
  String ClassName() const override;

  TCollection* Collection() const { return FCollection; }
  // Moves the item to another collection (nullptr: out of any; the caller
  // then owns it).
  void SetCollection(TCollection* Value);
  // Unique within the collection for its life, never reused.
  int32_t ID() const { return FID; }
  // Position in the collection; -1 without one.
  int32_t Index() const;
  // Moves the item; the value is clipped to the list.
  virtual void SetIndex(int32_t Value);
  String DisplayName() const { return GetDisplayName(); }
  virtual void SetDisplayName(const String& Value);
  // "<collection path>[<index>]".
  String GetNamePath() const override;

protected:
  virtual String GetDisplayName() const;
  // Asks the collection to update this item (or all items).
  void Changed(bool AllItems);
  TPersistent* GetOwner() const override;

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int32_t FID = 0;
};

class TCollection : public TPersistent {
public:
  // AItemClass: what Add and Insert create (a TCollectionItem class).
  explicit TCollection(const TClassInfo* AItemClass);
  ~TCollection() override;
  String ClassName() const override;

  // Raise EFilerError "Cannot create <X>" when the item class cannot be
  // created by name.
  TCollectionItem* Add();
  TCollectionItem* Insert(int32_t Index);
  // Index errors raise EListError "List index out of bounds (<i>)".
  void Delete(int32_t Index);
  void Clear();
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TCollectionItem* Items(int32_t Index) const;
  // Copies Value into the item at Index.
  void SetItems(int32_t Index, TCollectionItem* Value);
  TCollectionItem* FindItemID(int32_t ID) const;
  const TClassInfo* ItemClass() const { return FItemClass; }
  TPersistent* Owner() const { return GetOwner(); }

  void BeginUpdate();
  void EndUpdate();
  int32_t UpdateCount() const { return FUpdateCount; }

  // From another collection: clears this one and adds a copy of each item
  // (same item class as this collection), inside one update.
  void Assign(TPersistent* Source) override;
  // "<owner path>.<property>" when the owner publishes this collection,
  // else the class name.
  String GetNamePath() const override;
  // The owner's published property that holds this collection; empty when
  // there is none.
  String PropName() const;

protected:
  // Creates an item of AClass (a descendant of the item class) at Index
  // (clipped; -1 appends) and announces it.
  TCollectionItem* CreateItem(const TClassInfo* AClass, int32_t Index);
  // Item nullptr: every item changed. Called outside updates.
  virtual void Update(TCollectionItem* Item);
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
  // Update(nullptr) unless an update is open.
  void Changed();

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void Announce(TCollectionItem* Item);

  std::vector<TCollectionItem*> FItems;
  const TClassInfo* FItemClass = nullptr;
  int32_t FUpdateCount = 0;
  int32_t FNextID = 0;
  bool FDestroying = false;
};

// A collection with an owner (for name paths and GetOwner).
class TOwnedCollection : public TCollection {
public:
  TOwnedCollection(TPersistent* AOwner, const TClassInfo* AItemClass);
  String ClassName() const override;

protected:
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TPersistent* FOwner;
};
