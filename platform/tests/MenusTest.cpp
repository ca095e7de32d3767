// Menus and actions: the item tree, clicks, radio and auto-check items,
// items and controls following their actions, pop-up menus and shortcuts.
#include "platform/ActnList.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "rtl/Exceptions.h"

#include "QtTestApp.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

class Menus : public ::testing::Test {
protected:
  void SetUp() override { EnsureQtApplication(); }

  TMenuItem* Item(TComponent* Owner, TMenuItem* Parent, const char* Caption)
  {
    auto* I = new TMenuItem(Owner);
    I->SetCaption(QString::fromLatin1(Caption));
    if (Parent)
      Parent->Add(I);
    return I;
  }
};

} // namespace

TEST_F(Menus, TheItemTree)
{
  TPopupMenu Menu(nullptr);
  TMenuItem* Root = Menu.Items();
  TMenuItem* A = Item(&Menu, Root, "&Alpha");
  TMenuItem* C = Item(&Menu, Root, "Gamma");
  TMenuItem* B = Item(&Menu, nullptr, "Beta");
  Root->Insert(1, B);
  ASSERT_EQ(Root->Count(), 3);
  EXPECT_EQ(Root->Items(1), B);
  EXPECT_EQ(C->MenuIndex(), 2);
  EXPECT_EQ(Root->Find(QStringLiteral("alpha")), A);
  EXPECT_EQ(Root->Find(QStringLiteral("Delta")), nullptr);
  EXPECT_THROW(Root->Items(3), EListError);
  EXPECT_THROW(Root->Insert(5, Item(&Menu, nullptr, "x")), EListError);
  EXPECT_THROW(A->Add(Root), EInvalidOperation);
  // Moving an item takes it off its old parent.
  A->Add(C);
  EXPECT_EQ(Root->Count(), 2);
  EXPECT_EQ(C->Parent(), A);
  // An item freed takes its sub-items with it and leaves its parent.
  const int32_t Before = Menu.ComponentCount();
  delete A;
  EXPECT_EQ(Root->Count(), 1);
  EXPECT_EQ(Menu.ComponentCount(), Before - 2);
}

TEST_F(Menus, ClicksCheckAndRadioItems)
{
  TPopupMenu Menu(nullptr);
  TMenuItem* Auto = Item(&Menu, Menu.Items(), "Auto");
  Auto->SetAutoCheck(true);
  TMenuItem* R1 = Item(&Menu, Menu.Items(), "One");
  TMenuItem* R2 = Item(&Menu, Menu.Items(), "Two");
  TMenuItem* Other = Item(&Menu, Menu.Items(), "Other group");
  for (TMenuItem* R : {R1, R2, Other}) {
    R->SetRadioItem(true);
    R->SetGroupIndex(R == Other ? 2 : 1);
  }
  TLog Log;
  Auto->OnClick = [&](TObject*) { Log.push_back(Auto->Checked() ? "auto on" : "auto off"); };
  // The user choosing the item: through its Qt action.
  Auto->Handle()->trigger();
  Auto->Handle()->trigger();
  EXPECT_EQ(Log, (TLog{"auto on", "auto off"}));
  EXPECT_FALSE(Auto->Handle()->isChecked());

  Other->SetChecked(true);
  R1->SetChecked(true);
  R2->SetChecked(true);
  EXPECT_FALSE(R1->Checked());
  EXPECT_TRUE(R2->Checked());
  EXPECT_TRUE(Other->Checked());
  EXPECT_TRUE(R2->Handle()->isChecked());
  EXPECT_FALSE(R1->Handle()->isChecked());

  Auto->SetEnabled(false);
  Auto->Click();
  EXPECT_EQ(Log.size(), 2u);
  EXPECT_FALSE(Auto->Handle()->isEnabled());
  TMenuItem* Line = Item(&Menu, Menu.Items(), "-");
  EXPECT_TRUE(Line->IsLine());
  EXPECT_TRUE(Line->Handle()->isSeparator());
}

TEST_F(Menus, ItemsAndControlsFollowTheirAction)
{
  TForm Form(nullptr);
  auto* List = new TActionList(&Form);
  auto* Save = new TAction(&Form);
  Save->SetActionList(List);
  Save->SetCaption(QStringLiteral("Save"));
  Save->SetShortCut(ShortCut(uint16_t('S'), ssCtrl));
  int Saves = 0;
  Save->OnExecute = [&](TObject*) { ++Saves; };
  bool Allowed = true;
  Save->OnUpdate = [&](TObject*) { Save->SetEnabled(Allowed); };

  auto* MenuItem = new TMenuItem(&Form);
  MenuItem->SetAction(Save);
  auto* Button = new TButton(&Form);
  Button->SetParent(&Form);
  Button->SetAction(Save);
  EXPECT_EQ(MenuItem->Caption(), QStringLiteral("Save"));
  EXPECT_EQ(Button->Caption(), QStringLiteral("Save"));
  EXPECT_EQ(MenuItem->Handle()->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));

  MenuItem->Handle()->trigger();
  Button->Click();
  EXPECT_EQ(Saves, 2);
  // Update runs before each execution: a disabled action does nothing.
  Allowed = false;
  MenuItem->Handle()->trigger();
  EXPECT_EQ(Saves, 2);
  EXPECT_FALSE(MenuItem->Enabled());
  EXPECT_FALSE(Button->Enabled());
  Allowed = true;

  // The list may take the execution.
  List->OnExecute = [](TBasicAction*, bool& Handled) { Handled = true; };
  Save->Execute();
  EXPECT_EQ(Saves, 2);
  List->OnExecute = nullptr;

  Save->SetCaption(QStringLiteral("Save as"));
  EXPECT_EQ(MenuItem->Handle()->text(), QStringLiteral("Save as"));
  EXPECT_EQ(Button->Caption(), QStringLiteral("Save as"));

  // Checked in a group: one at a time.
  auto* A = new TAction(&Form);
  auto* B = new TAction(&Form);
  for (TAction* X : {A, B}) {
    X->SetActionList(List);
    X->SetGroupIndex(3);
  }
  A->SetChecked(true);
  B->SetChecked(true);
  EXPECT_FALSE(A->Checked());
  EXPECT_EQ(List->ActionCount(), 3);
  EXPECT_EQ(B->Index(), 2);

  // The action freed: the linked item and control forget it.
  delete Save;
  EXPECT_EQ(MenuItem->Action(), nullptr);
  EXPECT_EQ(Button->Action(), nullptr);
  EXPECT_EQ(List->ActionCount(), 2);
}

TEST_F(Menus, APopupMenuOpensForTheControlsRightClick)
{
  TForm Form(nullptr);
  Form.Show();
  auto* Edit = new TEdit(&Form);
  Edit->SetParent(&Form);
  auto* Popup = new TPopupMenu(&Form);
  Item(&Form, Popup->Items(), "Copy");
  int Opened = 0;
  Popup->OnPopup = [&](TObject*) { ++Opened; };
  Form.SetPopupMenu(Popup); // found up the parents
  QContextMenuEvent E(QContextMenuEvent::Mouse, QPoint(3, 3), Edit->Handle()->mapToGlobal(QPoint(3, 3)));
  QApplication::sendEvent(Edit->Handle(), &E);
  EXPECT_EQ(Opened, 1);
  EXPECT_EQ(Popup->PopupComponent(), Edit);
  ASSERT_NE(Popup->Handle(), nullptr);
  EXPECT_EQ(Popup->Handle()->actions().size(), 1);
  Popup->Handle()->hide();
  delete Edit;
  EXPECT_EQ(Popup->PopupComponent(), nullptr);
  // Without AutoPopup it stays shut.
  Popup->SetAutoPopup(false);
  QApplication::sendEvent(Form.Handle(), &E);
  EXPECT_EQ(Opened, 1);
}

TEST(ShortCuts, TextAndBack)
{
  const struct {
    TShortCut Value;
    const char* Text;
  } Cases[] = {
      {ShortCut(uint16_t('S'), ssCtrl), "Ctrl+S"},
      {ShortCut(VK_F5, ssShift | ssCtrl), "Shift+Ctrl+F5"},
      {ShortCut(VK_DELETE, 0), "Del"},
      {ShortCut(VK_RETURN, ssAlt), "Alt+Enter"},
      {ShortCut(VK_1, 0), "1"},
      {ShortCut(VK_PRIOR, 0), "PgUp"},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(ShortCutToText(C.Value), QString::fromLatin1(C.Text));
    EXPECT_EQ(TextToShortCut(QString::fromLatin1(C.Text)), C.Value) << C.Text;
  }
  EXPECT_EQ(TextToShortCut(QStringLiteral("ctrl+s")), ShortCut(uint16_t('S'), ssCtrl));
  EXPECT_EQ(TextToShortCut(QStringLiteral("Ctrl+")), 0);
  EXPECT_EQ(TextToShortCut(QStringLiteral("Hyper+Q")), 0);
  EXPECT_EQ(ShortCutToText(0), QString());
  uint16_t Key = 0;
  TShiftState Shift = 0;
  ShortCutToKey(ShortCut(VK_F5, ssShift | ssCtrl), Key, Shift);
  EXPECT_EQ(Key, VK_F5);
  EXPECT_EQ(Shift, ssShift | ssCtrl);
}
