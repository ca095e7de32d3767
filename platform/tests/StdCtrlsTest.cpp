// The standard controls over native widgets: keys handled by the control's
// handlers before the native widget, and the controls' own events; the
// panel's painting.
#include "platform/Canvas.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/QtConvert.h"
#include "platform/StdCtrls.h"
#include "rtl/StringList.h"

#include "QtTestApp.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

class StdCtrls : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureQtApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    Form->Show();
  }
  std::unique_ptr<TForm> Form;
};

void SendKey(QWidget* W, int Key, const QString& Text, Qt::KeyboardModifiers Mods = {})
{
  QKeyEvent Press(QEvent::KeyPress, Key, Mods, Text);
  QApplication::sendEvent(W, &Press);
  QKeyEvent Release(QEvent::KeyRelease, Key, Mods, Text);
  QApplication::sendEvent(W, &Release);
}

} // namespace

TEST_F(StdCtrls, EditKeysCanBeSwallowedOrChangedBeforeTheEditSeesThem)
{
  const struct {
    const char* Name;
    int Key;
    const char* Typed;
    bool SwallowKey;  // KeyDown sets Key to 0
    char16_t NewChar; // KeyPress sets Key to this (0xFFFF: leaves it)
    const char* WantText;
    int32_t WantCaret;
  } Cases[] = {
      {"arrow moves the caret", Qt::Key_Left, "", false, 0xFFFF, "abc", 2},
      {"swallowed arrow does not", Qt::Key_Left, "", true, 0xFFFF, "abc", 3},
      {"letter types", Qt::Key_X, "x", false, 0xFFFF, "abcx", 4},
      {"swallowed character types nothing", Qt::Key_X, "x", false, 0, "abc", 3},
      {"changed character types the new one", Qt::Key_X, "x", false, u'Y', "abcY", 4},
      {"a swallowed key still types its character", Qt::Key_X, "x", true, 0xFFFF, "abcx", 4},
      {"back deletes", Qt::Key_Backspace, "\b", false, 0xFFFF, "ab", 2},
      {"back with its character swallowed does not", Qt::Key_Backspace, "\b", false, 0, "abc", 3},
  };
  for (const auto& C : Cases) {
    auto* E = new TEdit(Form.get());
    E->SetParent(Form.get());
    E->SetText(QStringLiteral("abc"));
    E->SetSelStart(3);
    E->OnKeyDown = [&](TObject*, uint16_t& K, TShiftState) {
      if (C.SwallowKey)
        K = 0;
    };
    E->OnKeyPress = [&](TObject*, char16_t& K) {
      if (C.NewChar != 0xFFFF)
        K = C.NewChar;
    };
    SendKey(E->Handle(), C.Key, QString::fromLatin1(C.Typed));
    EXPECT_EQ(E->Text(), QString::fromLatin1(C.WantText)) << C.Name;
    EXPECT_EQ(E->SelStart(), C.WantCaret) << C.Name;
    delete E;
  }
}

TEST_F(StdCtrls, EditTextChangesAndSelection)
{
  TEdit E(nullptr);
  int Changes = 0;
  E.OnChange = [&](TObject*) { ++Changes; };
  // Without a widget.
  E.SetMaxLength(5);
  E.SetText(QStringLiteral("abcdefg"));
  EXPECT_EQ(E.Text(), QStringLiteral("abcde"));
  EXPECT_EQ(Changes, 1);
  E.SetSelStart(1);
  E.SetSelLength(2);
  EXPECT_EQ(E.SelText(), QStringLiteral("bc"));
  E.SetSelText(QStringLiteral("X"));
  EXPECT_EQ(E.Text(), QStringLiteral("aXde"));
  // The widget takes the text over without a change.
  Changes = 0;
  E.SetParent(Form.get());
  EXPECT_EQ(qobject_cast<QLineEdit*>(E.Handle())->text(), QStringLiteral("aXde"));
  EXPECT_EQ(Changes, 0);
  SendKey(E.Handle(), Qt::Key_Z, QStringLiteral("z"));
  EXPECT_EQ(Changes, 1);
  EXPECT_TRUE(E.Modified());
  E.SetText(QStringLiteral("12"));
  EXPECT_EQ(Changes, 2);
  E.SelectAll();
  EXPECT_EQ(E.SelLength(), 2);
  // The text outlives the widget.
  E.SetParent(nullptr);
  EXPECT_EQ(E.Text(), QStringLiteral("12"));
}

TEST_F(StdCtrls, ComboBoxUserChoicesFireEventsCodeDoesNot)
{
  auto* C = new TComboBox(Form.get());
  C->SetParent(Form.get());
  C->SetStyle(csDropDownList);
  TStringList Marker;
  C->Items()->Add(QStringLiteral("COM1"));
  C->Items()->AddObject(QStringLiteral("COM3"), &Marker);
  auto* Box = qobject_cast<QComboBox*>(C->Handle());
  ASSERT_NE(Box, nullptr);
  EXPECT_EQ(Box->count(), 2);
  TLog Log;
  C->OnClick = [&](TObject*) { Log.push_back("click"); };
  C->OnSelect = [&](TObject*) { Log.push_back("select " + std::to_string(C->ItemIndex())); };
  C->OnChange = [&](TObject*) { Log.push_back("change"); };
  C->SetItemIndex(0);
  EXPECT_EQ(C->Text(), QStringLiteral("COM1"));
  EXPECT_TRUE(Log.empty());
  // Down chooses the next item as the user.
  SendKey(Box, Qt::Key_Down, QString());
  EXPECT_EQ(C->ItemIndex(), 1);
  EXPECT_EQ(C->Items()->Objects(C->ItemIndex()), &Marker);
  EXPECT_EQ(Log, (TLog{"click", "select 1"}));
  // A swallowed Down chooses nothing.
  C->OnKeyDown = [](TObject*, uint16_t& K, TShiftState) { K = 0; };
  SendKey(Box, Qt::Key_Up, QString());
  EXPECT_EQ(C->ItemIndex(), 1);
  // Items changed keep the selection when it still exists.
  C->Items()->Add(QStringLiteral("COM9"));
  EXPECT_EQ(C->ItemIndex(), 1);
  EXPECT_EQ(Box->count(), 3);
  C->Items()->Delete(2);
  C->Items()->Delete(1);
  EXPECT_EQ(C->ItemIndex(), -1);
  C->SetText(QStringLiteral("COM1"));
  EXPECT_EQ(C->ItemIndex(), 0);
  C->SetItemIndex(7);
  EXPECT_EQ(C->ItemIndex(), -1);
}

TEST_F(StdCtrls, EditableComboBoxTyping)
{
  auto* C = new TComboBox(Form.get());
  C->SetParent(Form.get());
  C->Items()->Add(QStringLiteral("4800"));
  C->Items()->Add(QStringLiteral("9600"));
  C->SetText(QStringLiteral("96"));
  int Changes = 0;
  std::vector<uint16_t> Keys;
  C->OnChange = [&](TObject*) { ++Changes; };
  C->OnKeyDown = [&](TObject*, uint16_t& K, TShiftState) { Keys.push_back(K); };
  auto* Box = qobject_cast<QComboBox*>(C->Handle());
  EXPECT_EQ(Box->currentText(), QStringLiteral("96"));
  Box->lineEdit()->setCursorPosition(2);
  SendKey(Box->lineEdit(), Qt::Key_0, QStringLiteral("0"));
  EXPECT_EQ(C->Text(), QStringLiteral("960"));
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Keys, (std::vector<uint16_t>{VK_0}));
}

TEST_F(StdCtrls, CheckBoxClickFollowsEveryChange)
{
  auto* B = new TCheckBox(Form.get());
  B->SetParent(Form.get());
  B->SetCaption(QStringLiteral("Fitted"));
  TLog Log;
  B->OnClick = [&](TObject*) { Log.push_back(B->Checked() ? "checked" : "unchecked"); };
  B->SetChecked(true);
  B->SetChecked(true); // unchanged: nothing
  QTest::mouseClick(B->Handle(), Qt::LeftButton, {}, QPoint(5, 8));
  EXPECT_FALSE(B->Checked());
  B->SetAllowGrayed(true);
  QTest::mouseClick(B->Handle(), Qt::LeftButton, {}, QPoint(5, 8));
  EXPECT_EQ(B->State(), cbGrayed);
  EXPECT_EQ(Log, (TLog{"checked", "unchecked", "unchecked"}));
}

TEST_F(StdCtrls, ButtonClicks)
{
  auto* B = new TButton(Form.get());
  B->SetParent(Form.get());
  B->SetModalResult(mrYes);
  int Clicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  QTest::mouseClick(B->Handle(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Form->ModalResult(), mrYes);
  B->SetFocus();
  SendKey(B->Handle(), Qt::Key_Space, QStringLiteral(" "));
  EXPECT_EQ(Clicks, 2);
  B->SetEnabled(false);
  QTest::mouseClick(B->Handle(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(Clicks, 2);
}

TEST_F(StdCtrls, LabelSizesToItsText)
{
  auto* L = new TLabel(Form.get());
  L->SetParent(Form.get());
  L->SetBounds(100, 10, 10, 10);
  L->SetCaption(QStringLiteral("&Port"));
  EXPECT_EQ(qobject_cast<QLabel*>(L->Handle())->text(), QStringLiteral("Port"));
  const int32_t Short = L->Width();
  EXPECT_GT(Short, 10);
  EXPECT_GT(L->Height(), 5);
  L->SetCaption(QStringLiteral("&Port of the instrument"));
  EXPECT_GT(L->Width(), Short);
  // Right-aligned: the right edge stays.
  L->SetAlignment(taRightJustify);
  const int32_t Right = L->Left() + L->Width();
  L->SetCaption(QStringLiteral("P"));
  EXPECT_EQ(L->Left() + L->Width(), Right);
  L->SetCaption(QStringLiteral("a && b"));
  EXPECT_EQ(qobject_cast<QLabel*>(L->Handle())->text(), QStringLiteral("a & b"));
  L->SetAutoSize(false);
  L->SetWidth(3);
  L->SetCaption(QStringLiteral("longer text"));
  EXPECT_EQ(L->Width(), 3);
}

TEST_F(StdCtrls, PanelPaintsItsBevelsAndCaption)
{
  auto* P = new TPanel(Form.get());
  P->SetParent(Form.get());
  P->SetBounds(0, 0, 60, 30);
  P->SetCaption(QStringLiteral("W"));
  P->Font()->SetColor(clRed);
  const QImage I = P->Handle()->grab().toImage();
  const auto At = [&](int X, int Y) { return FromQColor(I.pixelColor(X, Y)); };
  EXPECT_EQ(At(0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(At(59, 29), ColorToRGB(clBtnShadow));
  EXPECT_EQ(At(5, 5), ColorToRGB(clBtnFace));
  bool Red = false;
  for (int Y = 5; Y < 25; ++Y)
    for (int X = 20; X < 40; ++X)
      Red = Red || At(X, Y) == clRed;
  EXPECT_TRUE(Red);
  // Lowered: the light edge goes to the bottom.
  P->SetBevelOuter(bvLowered);
  const QImage L = P->Handle()->grab().toImage();
  EXPECT_EQ(FromQColor(L.pixelColor(0, 0)), ColorToRGB(clBtnShadow));
  EXPECT_EQ(FromQColor(L.pixelColor(59, 29)), ColorToRGB(clBtnHighlight));
}
