#pragma once
// Persistent objects and components: the ownership tree every form, port,
// timer and chart element lives in.
//
// A component is created with its owner and freed by it: the owner deletes
// its components (last inserted first) when it is deleted itself. `delete`
// is the one way to free a component; deleting one that its owner still lists
// takes it out of the owner's list first.
//
// References between components that do not own each other are plain
// pointers kept valid by free notification: A->FreeNotification(B) makes B's
// Notification(A, opRemove) run when A is freed, so B clears its pointer.
// Components of one owner hear of each other's removal without asking, because
// an owner passes every Notification on to all its components.
//
// Derived classes whose components reach back into them while being freed
// should call DestroyComponents() in their own destructor: by the time the
// base destructor frees the components, the derived part is gone.
#include "rtl/Object.h"

#include <cstdint>
#include <functional>
#include <vector>

class TFiler;
class TReader;

class TPersistent : public TObject {
public:
  TPersistent() = default;
  ~TPersistent() override;
  String ClassName() const override;

  // Copies Source into this object. The base asks Source to do it
  // (AssignTo); when neither side knows the other, raises EConvertError
  // "Cannot assign a <Source class> to a <Dest class>".
  virtual void Assign(TPersistent* Source);
  // Dotted name of the object for diagnostics and streaming.
  virtual String GetNamePath() const;
  // Streaming: declares the object's own stream values besides its
  // published properties (TFiler::DefineProperty, DefineBinaryProperty).
  virtual void DefineProperties(TFiler* Filer);

protected:
  virtual void AssignTo(TPersistent* Dest) const;
  virtual TPersistent* GetOwner() const;
  [[noreturn]] void AssignError(const TPersistent* Source) const;
};

enum TOperation : uint8_t { opInsert, opRemove };

enum TComponentStateFlag : uint32_t {
  csLoading = 0x01,
  csReading = 0x02,
  csWriting = 0x04,
  csDestroying = 0x08,
  csDesigning = 0x10,
  csUpdating = 0x20,
};
using TComponentState = uint32_t; // a set of TComponentStateFlag bits

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  String ClassName() const override;

  TComponent* Owner() const { return FOwner; }
  int32_t ComponentCount() const { return static_cast<int32_t>(FComponents.size()); }
  // Raises EListError for an index outside 0..ComponentCount()-1.
  TComponent* Components(int32_t Index) const;
  // Position in the owner's list; -1 without owner.
  int32_t ComponentIndex() const;
  // Moves the component within its owner's list (the value is clipped to
  // the list); nothing without owner.
  void SetComponentIndex(int32_t Value);
  // Case-insensitive; nullptr for an empty or unknown name.
  TComponent* FindComponent(const String& AName) const;

  // Takes AComponent over from its current owner. Raises EComponentError
  // when its name clashes with one of this component's components.
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Deletes every owned component, last inserted first.
  void DestroyComponents();

  const String& Name() const { return FName; }
  // Empty, or an identifier (letter or underscore, then letters, digits and
  // underscores); unique among the owner's components ignoring case.
  // Raises EComponentError "'<X>' is not a valid component name" or
  // "A component named <X> already exists".
  virtual void SetName(const String& NewName);

  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t Value) { FTag = Value; }

  TComponentState ComponentState() const { return FComponentState; }
  // For the streaming and designer code that brackets loading and design
  // time.
  void IncludeState(TComponentState Flags) { FComponentState |= Flags; }
  void ExcludeState(TComponentState Flags) { FComponentState &= ~Flags; }
  // Called once loading has set every property; clears csLoading.
  virtual void Loaded();

  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  String GetNamePath() const override;

  // Streaming hooks. GetChildren lists the components written inside this
  // one (none by default); the reader makes the children it reads owned by
  // GetChildOwner (nullptr: the root being read) and gives them
  // GetChildParent as parent, through SetParentComponent when the child
  // HasParent. ReadState reads the component's properties and children.
  using TGetChildProc = std::function<void(TComponent* Child)>;
  virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root);
  virtual TComponent* GetChildOwner();
  virtual TComponent* GetChildParent();
  virtual void SetChildOrder(TComponent* Child, int32_t Order);
  virtual bool HasParent() const;
  virtual TComponent* GetParentComponent() const;
  virtual void SetParentComponent(TComponent* Value);
  virtual void ReadState(TReader* Reader);

protected:
  // AComponent was inserted into or is being removed from this component's
  // tree, or is being freed and asked to be told. Overrides clear their
  // references to a removed component and call the base, which passes the
  // notice on to every owned component.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  TPersistent* GetOwner() const override;

private:
  void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) const;

  TComponent* FOwner = nullptr;
  String FName;
  intptr_t FTag = 0;
  TComponentState FComponentState = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};
