#include "platform/ClassRegistry.h"

#include "platform/Collection.h"
#include "platform/Component.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

#include <QHash>
#include <QtGlobal>

#include <algorithm>
#include <mutex>
#include <shared_mutex>
#include <typeindex>
#include <unordered_map>

namespace {

struct TRegistry {
  std::shared_mutex Lock;
  // Every declared class, in declaration order; owns them.
  std::vector<std::unique_ptr<TClassInfo>> Declared;
  QHash<String, const TClassInfo*> DeclaredByName; // upper-case key
  std::unordered_map<std::type_index, const TClassInfo*> ByType;
  // The registry proper: what FindClass sees.
  QHash<String, const TClassInfo*> Registered;
};

TRegistry& Registry()
{
  static TRegistry R;
  return R;
}

String Key(const String& Name) { return UpperCase(Name); }

} // namespace

// ---------------------------------------------------------------- TClassInfo

TClassInfo::TClassInfo(TDeclaration Declaration) : FDecl(std::move(Declaration)) {}

TClassInfo::~TClassInfo() = default;

const TClassInfo* TClassInfo::ClassParent() const
{
  // Resolved on first use: the parent may be declared in a file whose
  // static initialisation runs later than this one's.
  if (FParentResolved.load(std::memory_order_acquire))
    return FParent.load(std::memory_order_relaxed);
  const TClassInfo* P = FDecl.ParentName.isEmpty() ? nullptr : FindClassInfo(FDecl.ParentName);
  if (!FDecl.ParentName.isEmpty() && !P)
    qWarning("Class %s names the undeclared parent %s", qUtf8Printable(FDecl.Name), qUtf8Printable(FDecl.ParentName));
  FParent.store(P, std::memory_order_relaxed);
  FParentResolved.store(true, std::memory_order_release);
  return P;
}

bool TClassInfo::InheritsFrom(const TClassInfo* AClass) const
{
  if (!AClass)
    return false;
  int32_t Guard = 0;
  for (const TClassInfo* C = this; C && Guard < 256; C = C->ClassParent(), ++Guard)
    if (C == AClass)
      return true;
  return false;
}

bool TClassInfo::InheritsFrom(const String& AClassName) const
{
  int32_t Guard = 0;
  for (const TClassInfo* C = this; C && Guard < 256; C = C->ClassParent(), ++Guard)
    if (SameText(C->ClassName(), AClassName))
      return true;
  return false;
}

const std::vector<const TPropInfo*>& TClassInfo::AllProps() const
{
  // Built once: writing an object walks this list for every object, and
  // the classes do not change after start-up.
  std::call_once(FAllPropsOnce, [this] {
    std::vector<const TClassInfo*> Chain;
    for (const TClassInfo* C = this; C && Chain.size() < 256; C = C->ClassParent())
      Chain.push_back(C);
    for (auto It = Chain.rbegin(); It != Chain.rend(); ++It)
      for (const TPropInfo& P : (*It)->OwnProps()) {
        auto Same = std::find_if(FAllProps.begin(), FAllProps.end(),
                                 [&P](const TPropInfo* Q) { return SameText(Q->Name, P.Name); });
        if (Same != FAllProps.end())
          *Same = &P;
        else
          FAllProps.push_back(&P);
      }
  });
  return FAllProps;
}

const TPropInfo* TClassInfo::FindProp(const String& Name) const
{
  int32_t Guard = 0;
  for (const TClassInfo* C = this; C && Guard < 256; C = C->ClassParent(), ++Guard)
    for (const TPropInfo& P : C->FDecl.Props)
      if (SameText(P.Name, Name))
        return &P;
  return nullptr;
}

namespace {
[[noreturn]] void CannotCreate(const String& Name) { throw EFilerError(QStringLiteral("Cannot create %1").arg(Name)); }
} // namespace

TComponent* TClassInfo::CreateComponent(TComponent* AOwner) const
{
  if (!FDecl.Create || FDecl.Kind != TInstanceKind::Component)
    CannotCreate(FDecl.Name);
  return static_cast<TComponent*>(FDecl.Create(AOwner));
}

TCollectionItem* TClassInfo::CreateItem(TCollection* ACollection) const
{
  if (!FDecl.Create || FDecl.Kind != TInstanceKind::CollectionItem)
    CannotCreate(FDecl.Name);
  return static_cast<TCollectionItem*>(FDecl.Create(ACollection));
}

std::unique_ptr<TPersistent> TClassInfo::CreatePersistent() const
{
  if (!FDecl.Create || FDecl.Kind != TInstanceKind::Persistent)
    CannotCreate(FDecl.Name);
  return std::unique_ptr<TPersistent>(FDecl.Create(nullptr));
}

// ---------------------------------------------------------------- registry

const TClassInfo& DeclareClass(TClassInfo::TDeclaration Declaration)
{
  TRegistry& R = Registry();
  std::unique_lock Guard(R.Lock);
  const String K = Key(Declaration.Name);
  if (const TClassInfo* Existing = R.DeclaredByName.value(K)) {
    qWarning("Class %s is declared twice; the second declaration is ignored", qUtf8Printable(Declaration.Name));
    return *Existing;
  }
  auto Info = std::make_unique<TClassInfo>(std::move(Declaration));
  const TClassInfo* P = Info.get();
  R.Declared.push_back(std::move(Info));
  R.DeclaredByName.insert(K, P);
  R.ByType.emplace(std::type_index(P->Type()), P);
  R.Registered.insert(K, P);
  return *P;
}

void RegisterClass(const TClassInfo* AClass)
{
  if (!AClass)
    return;
  TRegistry& R = Registry();
  std::unique_lock Guard(R.Lock);
  const String K = Key(AClass->ClassName());
  const TClassInfo* Existing = R.Registered.value(K);
  if (Existing && Existing != AClass)
    throw EFilerError(QStringLiteral("A class named %1 already exists").arg(AClass->ClassName()));
  R.Registered.insert(K, AClass);
}

void RegisterClasses(std::initializer_list<const TClassInfo*> Classes)
{
  for (const TClassInfo* C : Classes)
    RegisterClass(C);
}

void UnRegisterClass(const TClassInfo* AClass)
{
  if (!AClass)
    return;
  TRegistry& R = Registry();
  std::unique_lock Guard(R.Lock);
  const String K = Key(AClass->ClassName());
  if (R.Registered.value(K) == AClass)
    R.Registered.remove(K);
}

const TClassInfo* GetClass(const String& ClassName)
{
  TRegistry& R = Registry();
  std::shared_lock Guard(R.Lock);
  return R.Registered.value(Key(ClassName));
}

const TClassInfo* FindClass(const String& ClassName)
{
  const TClassInfo* C = GetClass(ClassName);
  if (!C)
    throw EClassNotFound(QStringLiteral("Class %1 not found").arg(ClassName));
  return C;
}

std::vector<const TClassInfo*> GetRegisteredClasses(const TClassInfo* Base)
{
  TRegistry& R = Registry();
  std::vector<const TClassInfo*> Candidates;
  {
    std::shared_lock Guard(R.Lock);
    for (const auto& C : R.Declared)
      if (R.Registered.value(Key(C->ClassName())) == C.get())
        Candidates.push_back(C.get());
  }
  // Parents resolve through the registry's lock, so filter outside it.
  std::vector<const TClassInfo*> Result;
  for (const TClassInfo* C : Candidates)
    if (!Base || C->InheritsFrom(Base))
      Result.push_back(C);
  return Result;
}

const TClassInfo* FindClassInfo(const String& ClassName)
{
  TRegistry& R = Registry();
  std::shared_lock Guard(R.Lock);
  return R.DeclaredByName.value(Key(ClassName));
}

const TClassInfo* ClassInfoOf(const std::type_info& Type)
{
  TRegistry& R = Registry();
  std::shared_lock Guard(R.Lock);
  const auto It = R.ByType.find(std::type_index(Type));
  return It == R.ByType.end() ? nullptr : It->second;
}

const TClassInfo* ClassInfoOf(const TPersistent* Instance)
{
  if (!Instance)
    return nullptr;
  if (const TClassInfo* C = ClassInfoOf(typeid(*Instance)))
    return C;
  // A C++ subclass that declares nothing of its own streams as the class
  // its ClassName() names.
  return FindClassInfo(Instance->ClassName());
}

// ---------------------------------------------------------------- the framework's own classes

namespace {

[[maybe_unused]] const TClassInfo& PersistentClass = PublishClass<TPersistent>("TPersistent", "");
// The name travels in the object's header, never as a property.
[[maybe_unused]] const TClassInfo& ComponentClass =
    PublishClass<TComponent>("TComponent", "TPersistent",
                             {
                                 PropStr("Name", &TComponent::Name, &TComponent::SetName).Stored(false),
                                 PropInt("Tag", &TComponent::Tag, &TComponent::SetTag, 0),
                             });
[[maybe_unused]] const TClassInfo& CollectionClass = PublishClass<TCollection>("TCollection", "TPersistent");
[[maybe_unused]] const TClassInfo& OwnedCollectionClass =
    PublishClass<TOwnedCollection>("TOwnedCollection", "TCollection");
[[maybe_unused]] const TClassInfo& CollectionItemClass =
    PublishClass<TCollectionItem>("TCollectionItem", "TPersistent");

} // namespace
