#pragma once
// Actions: one command that menu items, buttons and code share. An action
// holds the caption, enabled, checked, visible, hint and shortcut of the
// command; the items and controls linked to it (their Action property)
// follow every change, and their clicks execute it.
//
// Execute: Update first (OnUpdate may disable the action); a disabled
// action does nothing. AutoCheck toggles Checked. The action list's
// OnExecute runs next and may take the action (Handled); otherwise the
// action's OnExecute. An action whose Checked is set with a GroupIndex above
// 0 clears Checked of the other actions of its list in that group.
//
// Not made: the platform's idle-time update of every action (menus update
// the actions of their items before they open; code calls UpdateActions),
// images, categories' editor, secondary shortcuts.
#include "platform/Component.h"
#include "platform/VirtualKeys.h"

#include <functional>
#include <vector>

class TActionList;

class TBasicAction : public TComponent {
public:
  explicit TBasicAction(TComponent* AOwner);
  ~TBasicAction() override;
  String ClassName() const override;

  // Runs OnExecute; true when there is one.
  virtual bool Execute();
  // Runs OnUpdate; true when there is one.
  virtual bool Update();

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

  // The linked items and controls: Proc runs after every change of the
  // action's properties. A client registers once (again replaces).
  using TChangeProc = std::function<void(TBasicAction* Sender)>;
  void RegisterChanges(const void* Client, TChangeProc Proc);
  void UnRegisterChanges(const void* Client);

protected:
  // Tells every client.
  void Change();

private:
  std::vector<std::pair<const void*, TChangeProc>> FClients;
};

class TContainedAction : public TBasicAction {
public:
  explicit TContainedAction(TComponent* AOwner);
  ~TContainedAction() override;
  String ClassName() const override;

  TActionList* ActionList() const { return FActionList; }
  void SetActionList(TActionList* Value);
  int32_t Index() const;

  const String& Category() const { return FCategory; }
  void SetCategory(const String& Value) { FCategory = Value; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  int32_t GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int32_t Value);

  bool Execute() override;
  bool Update() override;

private:
  TActionList* FActionList = nullptr;
  String FCategory;
  String FCaption;
  String FHint;
  TShortCut FShortCut = 0;
  int32_t FGroupIndex = 0;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FAutoCheck = false;
};

class TCustomAction : public TContainedAction {
public:
  explicit TCustomAction(TComponent* AOwner);
  ~TCustomAction() override;
  String ClassName() const override;
};

class TAction : public TCustomAction {
public:
  explicit TAction(TComponent* AOwner);
  ~TAction() override;
  String ClassName() const override;
};

using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;

class TActionList : public TComponent {
public:
  explicit TActionList(TComponent* AOwner);
  // The actions stay (their owner frees them); they leave the list.
  ~TActionList() override;
  String ClassName() const override;

  int32_t ActionCount() const { return static_cast<int32_t>(FActions.size()); }
  // Raises EListError for an index outside 0..ActionCount()-1.
  TContainedAction* Actions(int32_t Index) const;

  // OnExecute's answer for Action (false without handler).
  bool ExecuteAction(TBasicAction* Action);
  // OnUpdate's answer for Action (false without handler).
  bool UpdateAction(TBasicAction* Action);
  // Updates every action of the list.
  void UpdateActions();

  TActionEvent OnExecute;
  TActionEvent OnUpdate;

private:
  friend class TContainedAction;
  std::vector<TContainedAction*> FActions;
};
