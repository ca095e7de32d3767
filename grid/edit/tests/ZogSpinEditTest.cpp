// The spin edit on screen: steps of each kind by buttons and keys, limits,
// typed characters, the read-only and pure-spin cases, the buttons' layout
// and their auto-repeat.
#include "grid/edit/ZogSpinEdit.h"

#include "platform/Forms.h"
#include "platform/Sound.h"
#include "platform/Timer.h"
#include "platform/tests/QtTestApp.h"
#include "rtl/DateTime.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class SpinEdit : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureQtApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 300, 200);
    Form->Show();
    Spin = new TZogSpinEdit(Form.get());
    Spin->SetParent(Form.get());
    Spin->SetBounds(10, 10, 120, 24);
  }
  QWidget* W() { return Spin->Handle(); }
  void Key(int K, const QString& Text = QString(), Qt::KeyboardModifiers Mods = {})
  {
    QKeyEvent Press(QEvent::KeyPress, K, Mods, Text);
    QApplication::sendEvent(W(), &Press);
    QKeyEvent Release(QEvent::KeyRelease, K, Mods, Text);
    QApplication::sendEvent(W(), &Release);
  }
  void Type(const QString& S)
  {
    for (QChar C : S)
      Key(C == u'-' ? Qt::Key_Minus : (C == u'.' ? Qt::Key_Period : Qt::Key_0 + C.digitValue()), QString(C));
  }
  // Each button is a control with a widget of its own.
  static void ClickOn(TControl* Button) { QTest::mouseClick(Button->Handle(), Qt::LeftButton, {}, QPoint(4, 3)); }
  std::unique_ptr<TForm> Form;
  TZogSpinEdit* Spin = nullptr;
};

} // namespace

TEST_F(SpinEdit, StepsOfEachKindByButtonsAndKeys)
{
  struct TCase {
    const char* What;
    TZogSpinType Type;
    const char* Start;
    int32_t Caret;
    int Key; // Qt key, or 0 for a click on the up button, -1 on the down one
    const char* Expected;
  };
  const TCase Cases[] = {
      {"integer up", sptNormal, "5", 0, Qt::Key_Up, "6"},
      {"integer down button", sptNormal, "5", 0, -1, "4"},
      {"integer page", sptNormal, "5", 0, Qt::Key_PageUp, "6"},
      {"float up", sptFloat, "1.5", 0, Qt::Key_Up, "1.6"},
      {"float page down", sptFloat, "1.5", 0, Qt::Key_PageDown, "0.5"},
      {"date, day field", sptDate, "15/03/2024", 1, Qt::Key_Up, "16/03/2024"},
      {"date, month field", sptDate, "15/03/2024", 4, Qt::Key_Up, "15/04/2024"},
      {"date, year field", sptDate, "15/03/2024", 8, Qt::Key_Up, "15/03/2025"},
      {"date, month down over the year", sptDate, "15/01/2024", 4, Qt::Key_Down, "15/12/2023"},
      {"date, 31 January up a month", sptDate, "31/01/2024", 4, 0, "29/02/2024"},
      {"date, 29 February up a year", sptDate, "29/02/2024", 8, Qt::Key_Up, "28/02/2025"},
      {"time, hours past midnight", sptTime, "23:30:00", 0, Qt::Key_Up, "00:30:00"},
      {"time, hours below midnight", sptTime, "00:30:00", 0, Qt::Key_Down, "23:30:00"},
      {"time, minutes", sptTime, "10:59:00", 4, Qt::Key_Up, "11:00:00"},
      {"time, seconds", sptTime, "10:00:00", 7, Qt::Key_Down, "09:59:59"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.What);
    Spin->SetMinValue(0);
    Spin->SetMaxValue(0);
    Spin->SetMinFloatValue(0);
    Spin->SetMaxFloatValue(0);
    Spin->SetSpinType(sptNormal);
    Spin->SetText(QString::fromLatin1(C.Start));
    Spin->SetSpinType(C.Type);
    Spin->SetSelStart(C.Caret);
    Spin->SetSelLength(0);
    if (C.Key > 0)
      Key(C.Key);
    else
      ClickOn(C.Key == 0 ? Spin->Button()->UpButton() : Spin->Button()->DownButton());
    EXPECT_EQ(Spin->Text().toStdString(), C.Expected);
  }
}

TEST_F(SpinEdit, ValuesStayWithinTheirLimits)
{
  Spin->SetMinValue(1);
  Spin->SetMaxValue(98);
  Spin->SetValue(98);
  Key(Qt::Key_Up);
  EXPECT_EQ(Spin->Value(), 98);
  Spin->SetValue(-5);
  EXPECT_EQ(Spin->Value(), 1);
  Spin->SetMinValue(0);
  Spin->SetMaxValue(0); // no limits
  Spin->SetValue(1000);
  Key(Qt::Key_Up);
  EXPECT_EQ(Spin->Value(), 1001);

  // What is typed stays until the focus leaves.
  Spin->SetMinValue(0);
  Spin->SetMaxValue(50);
  Spin->SetText(QStringLiteral("70"));
  EXPECT_EQ(Spin->Value(), 70);
  Spin->SetFocus();
  auto* Other = new TZogSpinEdit(Form.get());
  Other->SetParent(Form.get());
  Other->SetTop(60);
  Other->SetFocus();
  EXPECT_EQ(Spin->Text(), QStringLiteral("50"));

  Spin->SetSpinType(sptFloat);
  Spin->SetMinFloatValue(0);
  Spin->SetMaxFloatValue(2.5);
  Spin->SetFloatValue(7);
  EXPECT_EQ(Spin->FloatValue(), 2.5);

  Spin->SetSpinType(sptDate);
  Spin->SetMinDateValue(EncodeDate(2024, 1, 1));
  Spin->SetMaxDateValue(EncodeDate(2024, 12, 31));
  Spin->SetDateValue(EncodeDate(2030, 5, 5));
  EXPECT_EQ(Spin->Text(), QStringLiteral("31/12/2024"));
}

TEST_F(SpinEdit, ReadingTextsThatAreNoValue)
{
  Spin->SetMinValue(3);
  Spin->SetMaxValue(9);
  Spin->SetText(QStringLiteral("abc"));
  EXPECT_EQ(Spin->Value(), 3);
  EXPECT_EQ(Spin->FloatValue(), 3.0); // the integer limit, as the control always read it
  Spin->SetText(QString());
  EXPECT_EQ(Spin->Value(), 0);
  EXPECT_EQ(Spin->TimeValue(), 0.0);
  SetNowFunction([] { return EncodeDate(2024, 6, 1); });
  EXPECT_EQ(Spin->DateValue(), EncodeDate(2024, 6, 1));
  SetNowFunction(nullptr);
  Spin->SetMinDateValue(EncodeDate(2000, 1, 1));
  Spin->SetText(QStringLiteral("32/13/2024"));
  EXPECT_EQ(Spin->DateValue(), EncodeDate(2000, 1, 1));
}

TEST_F(SpinEdit, TypedCharactersAreFilteredByKind)
{
  struct TCase {
    const char* What;
    TZogSpinType Type;
    int32_t Precision;
    const char* Start;
    int32_t SelStart, SelLength;
    const char* Typed;
    const char* Expected;
    bool Beeps;
  };
  const TCase Cases[] = {
      {"integer digits", sptNormal, 0, "", 0, 0, "12", "12", false},
      {"no point in an integer", sptNormal, 0, "1", 1, 0, ".", "1", true},
      {"minus at the start", sptNormal, 0, "5", 0, 0, "-", "-5", false},
      {"minus elsewhere", sptNormal, 0, "5", 1, 0, "-", "5", true},
      {"a second minus", sptNormal, 0, "-5", 0, 0, "-", "-5", true},
      {"minus over the selected one", sptNormal, 0, "-5", 0, 1, "-", "-5", false},
      {"float point", sptFloat, 0, "1", 1, 0, ".5", "1.5", false},
      {"a second point", sptFloat, 0, "1.5", 3, 0, ".", "1.5", true},
      {"a point over the selected one", sptFloat, 0, "1.5", 1, 1, ".", "1.5", false},
      {"a third decimal with two asked", sptFloat, 2, "1.25", 4, 0, "7", "1.25", true},
      {"a digit before the point", sptFloat, 2, "1.25", 0, 0, "3", "31.25", false},
      {"no thousand separator", sptFloat, 0, "1", 1, 0, ",", "1", true},
      {"a third time separator", sptTime, 0, "10:00:00", 8, 0, ":", "10:00:00", true},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.What);
    Spin->SetSpinType(sptNormal);
    Spin->SetPrecision(C.Precision);
    Spin->SetText(QString::fromLatin1(C.Start));
    if (C.Type != sptNormal)
      Spin->SetSpinType(C.Type);
    Spin->SetText(QString::fromLatin1(C.Start));
    Spin->SetSelStart(C.SelStart);
    Spin->SetSelLength(C.SelLength);
    const uint32_t Before = MessageBeepCount();
    const QString Typed = QString::fromLatin1(C.Typed);
    if (Typed == u",")
      Key(Qt::Key_Comma, Typed);
    else if (Typed == u":")
      Key(Qt::Key_Colon, Typed);
    else
      Type(Typed);
    EXPECT_EQ(Spin->Text().toStdString(), C.Expected);
    EXPECT_EQ(MessageBeepCount() != Before, C.Beeps);
  }
}

TEST_F(SpinEdit, APureSpinControlStepsButTakesNoTyping)
{
  Spin->SetEditorEnabled(false);
  Spin->SetValue(5);
  Spin->SetSelStart(1);
  Type(QStringLiteral("7"));
  Key(Qt::Key_Backspace, QStringLiteral("\b"));
  Key(Qt::Key_Delete);
  Spin->SetSelStart(0);
  Spin->SetSelLength(1);
  Key(Qt::Key_X, QStringLiteral("\x18"), Qt::ControlModifier);
  EXPECT_EQ(Spin->Text(), QStringLiteral("5"));
  Key(Qt::Key_Up);
  EXPECT_EQ(Spin->Text(), QStringLiteral("6"));
  EXPECT_EQ(Spin->SelLength(), 1); // the whole text selected after a step

  // Read-only: stepping only beeps.
  Spin->SetReadOnly(true);
  const uint32_t Before = MessageBeepCount();
  Key(Qt::Key_Up);
  EXPECT_EQ(Spin->Text(), QStringLiteral("6"));
  EXPECT_EQ(MessageBeepCount(), Before + 1);
}

TEST_F(SpinEdit, TheButtonsSitAtTheRightEdgeInEitherDirection)
{
  TZogSpinButton* B = Spin->Button();
  EXPECT_EQ(B->Left(), Spin->Width() - B->Width() - 5);
  EXPECT_EQ(B->Width(), 15);
  EXPECT_EQ(B->UpButton()->BoundsRect(), (TRect{0, 0, 15, B->Height() / 2}));
  EXPECT_EQ(B->DownButton()->Top(), B->UpButton()->Height() - 1);
  EXPECT_EQ(B->DownButton()->BoundsRect().Bottom, B->Height());
  EXPECT_EQ(qobject_cast<QLineEdit*>(W())->textMargins().right(), 17);

  Spin->SetDirection(spHorizontal);
  EXPECT_EQ(B->Width(), 20);
  EXPECT_EQ(B->DownButton()->BoundsRect(), (TRect{0, 0, 10, B->Height()}));
  EXPECT_EQ(B->UpButton()->BoundsRect(), (TRect{11, 0, 21, B->Height()}));
  EXPECT_EQ(B->UpButton()->ButtonDirection(), bdRight);

  Spin->SetHeight(4);
  EXPECT_EQ(Spin->Height(), Spin->MinHeight());
}

// Held down, a button clicks again first after 400 ms, then every 100 ms,
// until it is released; the timer's ticks are driven by hand.
TEST_F(SpinEdit, AHeldButtonRepeatsItsClick)
{
  Spin->SetValue(0);
  TZogSpinButton* B = Spin->Button();
  QTest::mousePress(B->UpButton()->Handle(), Qt::LeftButton, {}, QPoint(4, 3));
  TTimer* T = B->UpButton()->RepeatTimer();
  ASSERT_NE(T, nullptr);
  EXPECT_EQ(T->Interval(), 400u);
  EXPECT_TRUE(T->Enabled());
  EXPECT_EQ(Spin->Value(), 0); // a press alone steps nothing
  B->UpButton()->TimerExpired(T);
  EXPECT_EQ(T->Interval(), 100u);
  B->UpButton()->TimerExpired(T);
  EXPECT_EQ(Spin->Value(), 2);
  QTest::mouseRelease(B->UpButton()->Handle(), Qt::LeftButton, {}, QPoint(4, 3));
  EXPECT_FALSE(T->Enabled());
  EXPECT_EQ(Spin->Value(), 3); // the release's own click
  B->UpButton()->TimerExpired(T);
  EXPECT_EQ(Spin->Value(), 3);
}

TEST(SpinRoutines, PositionsAndYears)
{
  EXPECT_EQ(PosFrom(QStringLiteral("/"), QStringLiteral("15/03/2024"), 0), 3);
  EXPECT_EQ(PosFrom(QStringLiteral("/"), QStringLiteral("15/03/2024"), 3), 6);
  EXPECT_EQ(PosFrom(QStringLiteral("/"), QStringLiteral("15/03/2024"), 6), 0);
  EXPECT_EQ(IncYear(1, EncodeDate(2024, 2, 29)), EncodeDate(2025, 2, 28));
  EXPECT_EQ(IncYear(-4, EncodeDate(2024, 2, 29)), EncodeDate(2020, 2, 29));
}
