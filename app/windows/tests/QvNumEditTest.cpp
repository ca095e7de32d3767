// The numeric edit as the operator uses it: typed keys, leaving the control,
// the limits and decimals, the error handler and the accept event.
#include "app/windows/QvNumEdit.h"

#include "app/core/tests/PortTestSupport.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "rtl/Exceptions.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QvNumEditTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 300, 120);
    Edit = new TQvNumEdit(Form.get());
    Edit->SetParent(Form.get());
    Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetTop(40);
    Form->Show();
    Edit->OnAccept = [this](TObject*) { Accepted.push_back(Edit->Value()); };
    Edit->OnChange = [this](TObject*) { ++Changes; };
  }

  // The text typed into the focused control, key by key.
  void Type(const char* Keys)
  {
    for (const QChar C : QString::fromUtf8(Keys)) {
      if (C.unicode() < 128)
        QTest::keyClick(Edit->Handle(), static_cast<char>(C.unicode()));
      else
        QTest::sendKeyEvent(QTest::Click, Edit->Handle(), Qt::Key_unknown, QString(C), Qt::NoModifier);
    }
  }

  void Enter(const String& Text)
  {
    Edit->SetText(Text);
    Edit->SetFocus();
    Edit->SetSelStart(static_cast<int32_t>(Text.size()));
    Accepted.clear();
    Changes = 0;
  }

  void Leave()
  {
    Other->SetFocus();
    Application->ProcessMessages();
  }

  std::unique_ptr<TForm> Form;
  TQvNumEdit* Edit = nullptr;
  TEdit* Other = nullptr;
  std::vector<double> Accepted;
  int Changes = 0;
};

} // namespace

TEST_F(QvNumEditTest, StartsEmptyLimeOnBlackWithItsDesignLimits)
{
  EXPECT_EQ(Edit->Text(), String());
  EXPECT_EQ(Edit->Color(), clBlack);
  EXPECT_EQ(Edit->Font()->Color(), clLime);
  EXPECT_EQ(Edit->MinValue(), 0);
  EXPECT_EQ(Edit->MaxValue(), 9999);
  EXPECT_EQ(Edit->Decimals(), 0);
  EXPECT_FALSE(Edit->RestoreOnEsc());
}

TEST_F(QvNumEditTest, TypedKeysGiveOnlyASignedDecimalNumber)
{
  struct TCase {
    const char* Name;
    int32_t Decimals;
    const char* Start;
    const char* Keys;
    const char* Want;
    int32_t Caret; // -1: not checked
  };
  const TCase Cases[] = {
      {"digits and one separator", 2, "", "12.5", "12.5", -1},
      {"no separator without decimals", 0, "", "12.5", "125", -1},
      {"a second separator", 3, "", "1.2.3", "1.23", -1},
      {"letters, blanks and other signs", 2, "", "a 1b+2,e3", "123", -1},
      {"characters beyond Latin-1", 2, "4", "\xE2\x82\xAC\xC2\xBD", "4", -1},
      {"minus puts the sign in front", 1, "12.5", "-", "-12.5", 5},
      {"minus again takes it off", 1, "-12.5", "-", "12.5", 4},
      {"minus on an empty text", 0, "", "-", "-", 1},
  };
  for (const TCase& C : Cases) {
    Edit->SetDecimals(C.Decimals);
    Enter(QString::fromUtf8(C.Start));
    Type(C.Keys);
    EXPECT_EQ(Edit->Text(), QString::fromUtf8(C.Want)) << C.Name;
    if (C.Caret >= 0) {
      EXPECT_EQ(Edit->SelStart(), C.Caret) << C.Name;
    }
  }

  // Backspace works; Escape without RestoreOnEsc changes nothing.
  Enter(QStringLiteral("123"));
  QTest::keyClick(Edit->Handle(), Qt::Key_Backspace);
  QTest::keyClick(Edit->Handle(), Qt::Key_Escape);
  EXPECT_EQ(Edit->Text(), QStringLiteral("12"));
}

TEST_F(QvNumEditTest, LeavingChecksTheLimitsAndShowsTheDecimals)
{
  struct TCase {
    const char* Name;
    double Min;
    double Max;
    int32_t Decimals;
    const char* Text;
    const char* Shown;
    bool Accepted;
    bool Error;
  };
  const TCase Cases[] = {
      {"decimals added", 0, 9999, 3, "50", "50.000", true, false},
      {"whole number stays", 0, 9999, 0, "6000", "6000", true, false},
      {"rounded to the decimals", -180, 180, 3, "50.42741", "50.427", true, false},
      {"lower limit is valid", 60, 1440, 0, "60", "60", true, false},
      {"upper limit is valid", 60, 1440, 0, "1440", "1440", true, false},
      {"above the maximum kept as typed", 60, 1440, 0, "5000", "5000", false, true},
      {"below the minimum kept as typed", 900, 1200, 4, "899.9999", "899.9999", false, true},
      {"a lone minus is no number", -9999, 9999, 0, "-", "-", false, true},
      {"an emptied float field is no value", 900, 1200, 4, "", "", false, false},
      {"blanks only", 8, 11, 7, "  ", "  ", false, false},
  };
  for (const TCase& C : Cases) {
    Edit->SetMaxValue(100000);
    Edit->SetMinValue(C.Min);
    Edit->SetMaxValue(C.Max);
    Edit->SetDecimals(C.Decimals);
    int Errors = 0;
    Edit->OnError = [&](TObject*, bool& CanExit) {
      ++Errors;
      EXPECT_TRUE(CanExit) << C.Name;
    };
    Enter(QString::fromUtf8(C.Text));
    Leave();
    EXPECT_EQ(Edit->Text(), QString::fromUtf8(C.Shown)) << C.Name;
    EXPECT_EQ(Accepted.size(), C.Accepted ? 1u : 0u) << C.Name;
    EXPECT_EQ(Errors, C.Error ? 1 : 0) << C.Name;
    EXPECT_TRUE(Other->Focused()) << C.Name;
  }
}

TEST_F(QvNumEditTest, AValueIsAcceptedOnceOnLeavingNotPerKeystroke)
{
  Edit->SetMinValue(60);
  Edit->SetMaxValue(1440);
  Enter(String());
  Type("1440");
  EXPECT_EQ(Changes, 4);
  EXPECT_TRUE(Accepted.empty());
  Leave();
  EXPECT_EQ(Accepted, std::vector<double>{1440});
}

TEST_F(QvNumEditTest, AnErrorHandlerCanKeepTheFocus)
{
  Edit->SetMinValue(60);
  Edit->SetMaxValue(1440);
  Edit->OnError = [](TObject*, bool& CanExit) { CanExit = false; };
  Enter(QStringLiteral("5000"));
  Leave();
  EXPECT_TRUE(PumpUntil([this] { return Edit->Focused(); }, 2000));
  EXPECT_EQ(Edit->Text(), QStringLiteral("5000"));
}

TEST_F(QvNumEditTest, EscapeRestoresTheTextOfEntering)
{
  Edit->SetRestoreOnEsc(true);
  Edit->SetDecimals(2);
  Edit->SetText(QStringLiteral("12.50"));
  Edit->SetFocus();
  Edit->SetSelStart(5);
  Type("34");
  EXPECT_EQ(Edit->Text(), QStringLiteral("12.5034"));
  QTest::keyClick(Edit->Handle(), Qt::Key_Escape);
  EXPECT_EQ(Edit->Text(), QStringLiteral("12.50"));
}

TEST_F(QvNumEditTest, ValueReadsTheTextOrTheMinimum)
{
  Edit->SetMinValue(-180);
  Edit->SetMaxValue(180);
  Edit->SetText(String());
  EXPECT_EQ(Edit->Value(), -180);
  Edit->SetText(QStringLiteral("-12.25"));
  EXPECT_EQ(Edit->Value(), -12.25);
  Edit->SetText(QStringLiteral("-"));
  try {
    Edit->Value();
    ADD_FAILURE() << "a lone minus read as a number";
  } catch (const EConvertError& E) {
    EXPECT_EQ(ExceptionMessage(E), QStringLiteral("'-' is not a valid floating point value"));
  }
}

TEST_F(QvNumEditTest, SettersValidateWhatTheyChangeAndKeepTheLimitsOrdered)
{
  int Errors = 0;
  Edit->OnError = [&](TObject*, bool&) { ++Errors; };
  Edit->SetMinValue(60);
  Edit->SetMaxValue(1440);
  // A minimum not below the maximum, or a maximum not above the minimum, is
  // ignored.
  Edit->SetMinValue(1440);
  Edit->SetMaxValue(60);
  Edit->SetMaxValue(10);
  EXPECT_EQ(Edit->MinValue(), 60);
  EXPECT_EQ(Edit->MaxValue(), 1440);

  Edit->SetDecimals(4);
  Edit->SetMinValue(900);
  Edit->SetMaxValue(1200);
  Accepted.clear();
  Edit->SetValue(1023.0147);
  EXPECT_EQ(Edit->Text(), QStringLiteral("1023.0147"));
  EXPECT_EQ(Accepted, std::vector<double>{1023.0147});
  EXPECT_EQ(Errors, 0);

  Edit->SetValue(5000);
  EXPECT_EQ(Edit->Text(), QStringLiteral("5000"));
  EXPECT_EQ(Errors, 1);
  // Moving the limit over it validates again: now it fits.
  Edit->SetMaxValue(6000);
  EXPECT_EQ(Edit->Text(), QStringLiteral("5000.0000"));
  Edit->SetDecimals(1);
  EXPECT_EQ(Edit->Text(), QStringLiteral("5000.0"));
}

TEST_F(QvNumEditTest, AlignmentReachesTheWidget)
{
  auto* E = qobject_cast<QLineEdit*>(Edit->Handle());
  ASSERT_NE(E, nullptr);
  EXPECT_TRUE(E->alignment() & Qt::AlignLeft);
  Edit->SetAlignment(taRightJustify);
  EXPECT_TRUE(E->alignment() & Qt::AlignRight);
  Edit->SetAlignment(taCenter);
  EXPECT_TRUE(E->alignment() & Qt::AlignHCenter);
}
