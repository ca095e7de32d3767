// Forms: showing, closing with its queries and actions, modal forms and
// their buttons, the MDI frame with its children, the main menu and the
// screen.
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "rtl/Exceptions.h"

#include "QtTestApp.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

// A form that tells when it is freed.
class TTracedForm : public TForm {
public:
  TTracedForm(TComponent* AOwner, bool* Freed) : TForm(AOwner), FFreed(Freed) {}
  ~TTracedForm() override
  {
    if (FFreed)
      *FFreed = true;
  }

private:
  bool* FFreed;
};

void ProcessPosted()
{
  QCoreApplication::sendPostedEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class Forms : public ::testing::Test {
protected:
  void SetUp() override { EnsureQtApplication(); }
};

} // namespace

TEST_F(Forms, ShowHideAndTheCloseActions)
{
  const struct {
    const char* Name;
    bool Refuse;
    TCloseAction Action;
    bool VisibleAfter;
    bool FreedAfter;
  } Cases[] = {
      {"default hides", false, caHide, false, false},
      {"query refuses", true, caHide, true, false},
      {"caNone keeps it", false, caNone, true, false},
      {"caFree frees it later", false, caFree, false, true},
  };
  for (const auto& C : Cases) {
    bool Freed = false;
    auto* F = new TTracedForm(nullptr, &Freed);
    TLog Log;
    F->OnShow = [&](TObject*) { Log.push_back("show"); };
    F->OnHide = [&](TObject*) { Log.push_back("hide"); };
    F->OnCloseQuery = [&](TObject*, bool& CanClose) {
      Log.push_back("query");
      CanClose = !C.Refuse;
    };
    F->OnClose = [&](TObject*, TCloseAction& A) {
      Log.push_back(A == caHide ? "close caHide" : "close ?");
      A = C.Action;
    };
    F->Show();
    EXPECT_TRUE(F->Visible()) << C.Name;
    F->Close();
    EXPECT_FALSE(Freed) << C.Name; // never inside Close
    ProcessPosted();
    EXPECT_EQ(Freed, C.FreedAfter) << C.Name;
    if (!Freed) {
      EXPECT_EQ(F->Visible(), C.VisibleAfter) << C.Name;
      EXPECT_EQ(F->Handle()->isVisible(), C.VisibleAfter) << C.Name;
      delete F;
    }
    TLog Want = {"show", "query"};
    if (!C.Refuse)
      Want.push_back("close caHide");
    if (!C.VisibleAfter && !C.FreedAfter) // a form being freed tells nothing more
      Want.push_back("hide");
    EXPECT_EQ(Log, Want) << C.Name;
  }
}

TEST_F(Forms, TheWindowSystemsCloseButtonAsksTheForm)
{
  TForm F(nullptr);
  bool Asked = false;
  F.OnCloseQuery = [&](TObject*, bool& CanClose) {
    Asked = true;
    CanClose = false;
  };
  F.Show();
  QCloseEvent E;
  QApplication::sendEvent(F.Handle(), &E);
  EXPECT_TRUE(Asked);
  EXPECT_TRUE(F.Handle()->isVisible());
}

TEST_F(Forms, ShowModalReturnsTheButtonsResult)
{
  const struct {
    const char* Name;
    int32_t ButtonResult; // 0: close the form instead
    int Refusals;         // OnCloseQuery refuses this many times first
    TModalResult Want;
  } Cases[] = {
      {"OK button", mrOk, 0, mrOk},
      {"close", 0, 0, mrCancel},
      {"refused once, then OK", mrOk, 1, mrOk},
  };
  for (const auto& C : Cases) {
    TForm F(nullptr);
    auto* B = new TButton(&F);
    B->SetParent(&F);
    B->SetModalResult(C.ButtonResult);
    int Queries = 0;
    F.OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = Queries++ >= C.Refusals; };
    TLog Closes;
    F.OnClose = [&](TObject*, TCloseAction& A) { Closes.push_back(A == caHide ? "caHide" : "?"); };
    int Presses = 0;
    std::function<void()> Press = [&] {
      ++Presses;
      if (C.ButtonResult)
        B->Click();
      else
        F.Close();
      if (Presses <= C.Refusals)
        QTimer::singleShot(0, Press);
    };
    QTimer::singleShot(0, Press);
    EXPECT_EQ(F.ShowModal(), C.Want) << C.Name;
    EXPECT_FALSE(F.Visible()) << C.Name;
    EXPECT_EQ(Queries, C.Refusals + 1) << C.Name;
    EXPECT_EQ(Closes, TLog{"caHide"}) << C.Name;
    EXPECT_THROW(
        {
          F.Show();
          F.ShowModal();
        },
        EInvalidOperation)
        << C.Name;
  }
}

TEST_F(Forms, ReturnAndEscapeClickTheDefaultAndCancelButtons)
{
  TForm F(nullptr);
  auto* Edit = new TEdit(&F);
  Edit->SetParent(&F);
  auto* Ok = new TButton(&F);
  Ok->SetParent(&F);
  Ok->SetDefault(true);
  auto* Cancel = new TButton(&F);
  Cancel->SetParent(&F);
  Cancel->SetCancel(true);
  TLog Log;
  Ok->OnClick = [&](TObject*) { Log.push_back("ok"); };
  Cancel->OnClick = [&](TObject*) { Log.push_back("cancel"); };
  Edit->OnKeyDown = [&](TObject*, uint16_t& K, TShiftState) { Log.push_back("edit " + std::to_string(K)); };
  F.Show();
  Edit->SetFocus();
  QTest::keyClick(Edit->Handle(), Qt::Key_Return);
  QTest::keyClick(Edit->Handle(), Qt::Key_Escape);
  // The focused button takes Return itself.
  Cancel->SetFocus();
  QTest::keyClick(Cancel->Handle(), Qt::Key_Return);
  // Without a default button Return comes to the control.
  Ok->SetDefault(false);
  Edit->SetFocus();
  QTest::keyClick(Edit->Handle(), Qt::Key_Return);
  EXPECT_EQ(Log, (TLog{"ok", "cancel", "cancel", "edit 13"}));
}

TEST_F(Forms, MdiChildrenLiveInTheFramesArea)
{
  TForm Orphan(nullptr);
  Orphan.SetFormStyle(fsMDIChild);
  EXPECT_THROW(Orphan.Show(), EInvalidOperation);

  TForm Frame(nullptr);
  Frame.SetFormStyle(fsMDIForm);
  Frame.SetBounds(0, 0, 640, 480);
  auto* Status = new TPanel(&Frame);
  Status->SetParent(&Frame);
  Status->SetHeight(20);
  Status->SetAlign(alBottom);
  Frame.Show();
  auto* Area = qobject_cast<QMdiArea*>(Frame.ClientHandle());
  ASSERT_NE(Area, nullptr);
  // The area takes what the status panel leaves.
  EXPECT_EQ(Area->geometry(), QRect(0, 0, 640, 460));

  bool FreedA = false, FreedB = false;
  auto* A = new TTracedForm(nullptr, &FreedA);
  auto* B = new TTracedForm(nullptr, &FreedB);
  for (TForm* C : {static_cast<TForm*>(A), static_cast<TForm*>(B)}) {
    C->SetFormStyle(fsMDIChild);
    C->SetCaption(C == A ? QStringLiteral("Table") : QStringLiteral("Graph"));
    C->SetBounds(C == A ? 10 : 50, 20, 200, 150);
    C->Show();
  }
  ASSERT_EQ(Frame.MDIChildCount(), 2);
  EXPECT_EQ(Frame.MDIChildren(0), B); // the active one first
  EXPECT_EQ(Frame.MDIChildren(1), A);
  EXPECT_EQ(Frame.ActiveMDIChild(), B);
  EXPECT_THROW(Frame.MDIChildren(2), EListError);
  QMdiSubWindow* SubA = Area->subWindowList().at(0);
  EXPECT_EQ(SubA->windowTitle(), QStringLiteral("Table"));
  EXPECT_EQ(SubA->geometry(), QRect(10, 20, 200, 150));
  EXPECT_EQ(A->Left(), 10);
  EXPECT_LT(A->ClientWidth(), 200); // the frame takes its border

  // Closing a child minimises it by default; caFree frees it.
  A->Close();
  EXPECT_EQ(A->WindowState(), wsMinimized);
  B->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
  SubA->close(); // the frame's close button: the form decides (minimise)
  EXPECT_FALSE(FreedA);
  QMdiSubWindow* SubB = Area->subWindowList().at(1);
  SubB->close();
  ProcessPosted();
  EXPECT_TRUE(FreedB);
  EXPECT_EQ(Frame.MDIChildCount(), 1);
  delete A;
  EXPECT_EQ(Frame.MDIChildCount(), 0);
}

TEST_F(Forms, TheMainMenuSitsAboveTheClientArea)
{
  TForm F(nullptr);
  F.SetBounds(0, 0, 300, 200);
  auto* Menu = new TMainMenu(&F);
  auto* File = new TMenuItem(&F);
  File->SetCaption(QStringLiteral("&File"));
  Menu->Items()->Add(File);
  auto* Open = new TMenuItem(&F);
  Open->SetCaption(QStringLiteral("Open"));
  File->Add(Open);
  F.SetMenu(Menu);
  auto* Child = new TPanel(&F);
  Child->SetParent(&F);
  Child->SetAlign(alClient);
  F.Show();
  auto* Bar = F.Handle()->findChild<QMenuBar*>();
  ASSERT_NE(Bar, nullptr);
  ASSERT_EQ(Bar->actions().size(), 1);
  EXPECT_EQ(Bar->actions().at(0)->text(), QStringLiteral("&File"));
  const int32_t MenuHeight = Bar->sizeHint().height();
  EXPECT_GT(MenuHeight, 0);
  EXPECT_EQ(F.ClientHeight(), 200 - MenuHeight);
  EXPECT_EQ(Child->BoundsRect(), (TRect{0, 0, 300, 200 - MenuHeight}));
  EXPECT_EQ(Child->Handle()->mapTo(F.Handle(), QPoint(0, 0)), QPoint(0, MenuHeight));
  // The menu freed: the bar goes, the client area grows back.
  delete Menu;
  EXPECT_EQ(F.Menu(), nullptr);
  EXPECT_EQ(F.ClientHeight(), 200);
}

TEST_F(Forms, TheScreenKnowsTheFormsAndTheCursor)
{
  const int32_t Before = Screen->FormCount();
  {
    TForm F(nullptr);
    EXPECT_EQ(Screen->FormCount(), Before + 1);
    EXPECT_EQ(Screen->Forms(Before), &F);
  }
  EXPECT_EQ(Screen->FormCount(), Before);
  Screen->SetCursor(crHourGlass);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  Screen->SetCursor(crHandPoint);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
  Screen->SetCursor(crDefault);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
