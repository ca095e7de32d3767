#pragma once
// Classes by name: the streaming reader creates the classes a stream names,
// galleries list the classes of a kind, editors find forms by class name.
//
// Every class declared with PublishClass (platform/Published.h) has a
// TClassInfo: its name, its parent, its published properties and, when the
// class can be made from its name, a factory. Declaring a class registers
// it; UnRegisterClass takes it out of the registry again (its properties
// stay known for objects that exist).
//
// Declarations run when the program starts; do not look classes up from
// another file's static initialisation.
#include "platform/TypInfo.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <typeinfo>
#include <vector>

class TPersistent;
class TComponent;
class TCollection;
class TCollectionItem;

enum class TInstanceKind : uint8_t { Persistent, Component, CollectionItem };

class TClassInfo {
public:
  // What PublishClass hands over.
  struct TDeclaration {
    String Name;
    String ParentName;
    const std::type_info* Type = nullptr;
    TInstanceKind Kind = TInstanceKind::Persistent;
    // A component is made with its owner, a collection item with its
    // collection, any other persistent with nothing (Arg is nullptr).
    TPersistent* (*Create)(TPersistent* Arg) = nullptr;
    std::vector<TPropInfo> Props;
  };

  explicit TClassInfo(TDeclaration Declaration);
  ~TClassInfo();
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const String& ClassName() const { return FDecl.Name; }
  // nullptr for the root class (TPersistent).
  const TClassInfo* ClassParent() const;
  bool InheritsFrom(const TClassInfo* AClass) const;
  bool InheritsFrom(const String& AClassName) const;
  TInstanceKind InstanceKind() const { return FDecl.Kind; }
  const std::type_info& Type() const { return *FDecl.Type; }

  // False for abstract classes and classes without the usual constructor.
  bool CanCreate() const { return FDecl.Create != nullptr; }
  // Raise EFilerError "Cannot create <X>" when the class cannot be made that
  // way. The owner frees the component; the caller owns a component made
  // without owner and a plain persistent object.
  TComponent* CreateComponent(TComponent* AOwner) const;
  TCollectionItem* CreateItem(TCollection* ACollection) const;
  std::unique_ptr<TPersistent> CreatePersistent() const;

  // The class's own published properties, in declaration order.
  const std::vector<TPropInfo>& OwnProps() const { return FDecl.Props; }
  // Every published property, the ancestors' first, each in declaration
  // order. A property that a class declares again (republished with
  // another default or stored test) takes its ancestor's place, once.
  const std::vector<const TPropInfo*>& AllProps() const;
  // Searches the ancestors too (case-insensitive); nullptr when missing.
  const TPropInfo* FindProp(const String& Name) const;

private:
  TDeclaration FDecl;
  // Resolved on first use; two threads racing resolve the same value.
  mutable std::atomic<const TClassInfo*> FParent{nullptr};
  mutable std::atomic<bool> FParentResolved{false};
  mutable std::once_flag FAllPropsOnce;
  mutable std::vector<const TPropInfo*> FAllProps;
};

// Called by PublishClass. A second class of the same name is refused with a
// log line (the first stays).
const TClassInfo& DeclareClass(TClassInfo::TDeclaration Declaration);

// Adds a declared class back after UnRegisterClass. Raises EFilerError
// "A class named <X> already exists" when another class holds the name.
void RegisterClass(const TClassInfo* AClass);
void RegisterClasses(std::initializer_list<const TClassInfo*> Classes);
void UnRegisterClass(const TClassInfo* AClass);
// Case-insensitive. FindClass raises EClassNotFound "Class <X> not found";
// GetClass gives nullptr.
const TClassInfo* FindClass(const String& ClassName);
const TClassInfo* GetClass(const String& ClassName);
// Registered classes in declaration order; with Base, those inheriting it.
std::vector<const TClassInfo*> GetRegisteredClasses(const TClassInfo* Base = nullptr);

// A declared class by name, registered or not; nullptr when unknown.
const TClassInfo* FindClassInfo(const String& ClassName);
// The most derived declared class of an object: its C++ class when that is
// declared, else the class its ClassName() names; nullptr when neither.
const TClassInfo* ClassInfoOf(const TPersistent* Instance);
const TClassInfo* ClassInfoOf(const std::type_info& Type);
template <class T>
const TClassInfo* ClassInfoFor()
{
  return ClassInfoOf(typeid(T));
}
