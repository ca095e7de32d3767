#pragma once
// Menus: the main menu of a form and pop-up menus, trees of menu items.
//
// An item is a component (its owner frees it, usually the form) and a node
// of its menu's tree: Add and Insert put items under it, and an item freed
// takes its sub-items with it. Caption "-" makes a separator line; "&"
// marks the accelerator letter.
//
// Click (the user choosing the item, or code): AutoCheck toggles Checked,
// then OnClick runs, or without one the linked Action executes. An item
// with sub-items runs Click when its sub-menu opens, after the actions of the
// sub-items were updated. A checked RadioItem clears Checked of its siblings
// with the same GroupIndex.
//
// A pop-up menu opens at screen coordinates with Popup (OnPopup first) and
// returns at once; the chosen item's Click runs from the message loop. A
// control opens its PopupMenu on a right click when AutoPopup is on.
//
// Not made: owner-drawn items, images, menu merging of MDI children, break
// columns.
#include "platform/Component.h"
#include "platform/VirtualKeys.h"

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class TBasicAction;
class TMenu;

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner);
  // Leaves its parent item and frees its sub-items.
  ~TMenuItem() override;
  String ClassName() const override;

  // ---- The tree ----
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // Raises EListError for an index outside 0..Count()-1.
  TMenuItem* Items(int32_t Index) const;
  TMenuItem* Parent() const { return FParent; }
  // Appends Item (taken off its old parent first).
  void Add(TMenuItem* Item);
  // Index 0..Count(); EListError outside. Raises EInvalidOperation when Item
  // is this item or one above it.
  void Insert(int32_t Index, TMenuItem* Item);
  // Takes the item at Index off (not freed).
  void Delete(int32_t Index);
  void Remove(TMenuItem* Item);
  // Frees every sub-item.
  void Clear();
  int32_t IndexOf(const TMenuItem* Item) const;
  // Position under the parent; -1 without one.
  int32_t MenuIndex() const;
  // The sub-item whose caption (without "&") is ACaption, ignoring case.
  TMenuItem* Find(const String& ACaption) const;
  bool IsLine() const { return FCaption == QLatin1String("-"); }

  // ---- Properties ----
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // Shown in bold; the item a double click on the menu's owner means.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  int32_t GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int32_t Value) { FGroupIndex = Value; }
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  // The action the item follows and executes; not owned.
  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* Value);

  virtual void Click();
  TNotifyEvent OnClick;

  // The Qt action standing for the item (with its sub-menu when it has
  // sub-items), made on first use.
  QAction* Handle();

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TMenu;
  friend class TMainMenu;
  friend class TPopupMenu;
  struct Impl;
  void Changed();
  void SubItemsChanged();
  void ActionChange(TBasicAction* Sender);
  void Triggered();
  void MenuOpening();
  void ClearRadioSiblings();
  QMenu* SubMenu();

  std::unique_ptr<Impl> D;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TBasicAction* FAction = nullptr;
  String FCaption;
  String FHint;
  TShortCut FShortCut = 0;
  int32_t FGroupIndex = 0;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  bool FRadioItem = false;
  bool FAutoCheck = false;
};

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  String ClassName() const override;

  // The root of the tree: its sub-items are the menu's items.
  TMenuItem* Items() const { return FItems; }

private:
  TMenuItem* FItems;
};

class TMainMenu : public TMenu {
public:
  explicit TMainMenu(TComponent* AOwner);
  ~TMainMenu() override;
  String ClassName() const override;

  // A menu bar over the items, for the form that shows the menu.
  QMenuBar* CreateMenuBar(QWidget* Parent);
};

class TControl;

class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  String ClassName() const override;

  // Opens the menu at screen position (X, Y): OnPopup runs, the items'
  // actions are updated; returns at once.
  virtual void Popup(int32_t X, int32_t Y);
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  // The control the menu was last opened for; not owned.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  // The open menu, while it is open (for tests and glue); nullptr otherwise.
  QMenu* Handle() const;

  TNotifyEvent OnPopup;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TComponent* FPopupComponent = nullptr;
  bool FAutoPopup = true;
};

// ---- Shortcuts ----
TShortCut ShortCut(uint16_t Key, TShiftState Shift);
void ShortCutToKey(TShortCut Value, uint16_t& Key, TShiftState& Shift);
// "Ctrl+O", "Shift+Ctrl+F5", "Del"; empty for 0 or a key without a name.
String ShortCutToText(TShortCut Value);
// The reverse, ignoring case; 0 for a text it cannot read.
TShortCut TextToShortCut(const String& Text);
