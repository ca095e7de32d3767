// The flat combo on screen: its label's placement, colours that follow the
// flat look, the focus and Enabled, the button width's range, the mouse
// over its button, the list's closing event and its drawn button.
#include "grid/edit/ZogComboBox.h"

#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/tests/QtTestApp.h"
#include "rtl/StringList.h"

#include <QColor>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ZogCombo : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureQtApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    Form->SetColor(0x00E0C0A0);
    Form->Show();
    Combo = new TZogComboBox(Form.get());
    Combo->SetParent(Form.get());
    Combo->SetBounds(150, 100, 120, 24);
  }
  std::unique_ptr<TForm> Form;
  TZogComboBox* Combo = nullptr;
};

} // namespace

TEST_F(ZogCombo, TheLabelSitsWhereItsPositionSays)
{
  Combo->SetLabelCaption(QStringLiteral("&Port"));
  Combo->SetLabelMargin(6);
  TLabel* L = Combo->Label();
  ASSERT_NE(L, nullptr);
  EXPECT_EQ(L->Parent(), Form.get());
  EXPECT_EQ(L->FocusControl(), Combo);
  const int32_t W = L->Width(), H = L->Height(); // an auto-sized label is as wide as its text
  struct TCase {
    TLabelPosition Pos;
    int32_t Left, Top;
  };
  const TCase Cases[] = {
      {lpLeftTop, 150 - W - 6, 100},
      {lpLeftCenter, 150 - W - 6, 100 + (24 - H) / 2},
      {lpLeftBottom, 150 - W - 6, 124 - H},
      {lpTopLeft, 150, 100 - H - 6},
      {lpBottomLeft, 150, 130},
      {lpLeftTopLeft, 144, 100},
      {lpLeftCenterLeft, 144, 100 + (24 - H) / 2},
      {lpLeftBottomLeft, 144, 124 - H},
      {lpTopCenter, 150 + (120 - W) / 2, 100 - H - 6},
      {lpBottomCenter, 150 + (120 - W) / 2, 130},
      {lpRightTop, 276, 100},
      {lpRightCenter, 276, 100 + (24 - H) / 2},
      {lpRighBottom, 276, 124 - H},
  };
  for (const TCase& C : Cases) {
    Combo->SetLabelPosition(C.Pos);
    EXPECT_EQ(L->Left(), C.Left) << int(C.Pos);
    EXPECT_EQ(L->Top(), C.Top) << int(C.Pos);
  }
  // The label follows the combo's moves, visibility and Enabled.
  Combo->SetLabelPosition(lpLeftTop);
  Combo->SetBounds(200, 50, 120, 24);
  EXPECT_EQ(L->Left() + W + 6, 200);
  EXPECT_EQ(L->Top(), 50);
  Combo->SetVisible(false);
  EXPECT_FALSE(L->Visible());
  Combo->SetVisible(true);
  Combo->SetEnabled(false);
  EXPECT_FALSE(L->Enabled());
  Combo->SetLabelAlwaysEnabled(true);
  EXPECT_TRUE(L->Enabled());
}

TEST_F(ZogCombo, FlatComboTakesItsParentsColourAndGivesItBack)
{
  Combo->SetColor(0x00FFFFFF);
  Combo->SetFlat(true);
  EXPECT_EQ(Combo->Color(), Form->Color());
  Combo->SetFlat(false);
  EXPECT_EQ(Combo->Color(), 0x00FFFFFF);

  Combo->SetFlatParentColor(false);
  Combo->SetFlat(true);
  EXPECT_EQ(Combo->Color(), 0x00FFFFFF);
  Combo->SetFlatParentColor(true);
  Combo->SetFlat(false);

  // Disabled, a flat combo melts into its parent; enabled again it is itself.
  Combo->SetFlat(true);
  Combo->SetFlatParentColor(false);
  Combo->SetColor(0x0000FFFF);
  Combo->SetEnabled(false);
  EXPECT_EQ(Combo->Color(), Form->Color());
  Combo->SetEnabled(true);
  EXPECT_EQ(Combo->Color(), 0x0000FFFF);
}

TEST_F(ZogCombo, FocusColourAndBoldLabelLastWhileFocused)
{
  Combo->SetColor(0x00F0F0F0);
  Combo->SetFocusColor(0x0080FFFF);
  Combo->SetFocusLabel(true);
  Combo->SetLabelCaption(QStringLiteral("Baud"));
  auto* Other = new TEdit(Form.get());
  Other->SetParent(Form.get());
  Combo->SetFocus();
  EXPECT_TRUE(Combo->HasFocus());
  EXPECT_EQ(Combo->Color(), 0x0080FFFF);
  EXPECT_TRUE(Combo->Label()->Font()->Style() & FontStyleBit(fsBold));
  Other->SetFocus();
  EXPECT_FALSE(Combo->HasFocus());
  EXPECT_EQ(Combo->Color(), 0x00F0F0F0);
  EXPECT_FALSE(Combo->Label()->Font()->Style() & FontStyleBit(fsBold));
}

TEST_F(ZogCombo, ButtonWidthTakesOnly14To32)
{
  struct TCase {
    int32_t Set, Expected;
  };
  const TCase Cases[] = {{13, 20}, {14, 14}, {32, 32}, {33, 32}, {20, 20}};
  Combo->SetButtonWidth(20);
  for (const TCase& C : Cases) {
    Combo->SetButtonWidth(C.Set);
    EXPECT_EQ(Combo->ButtonWidth(), C.Expected) << C.Set;
  }
}

TEST_F(ZogCombo, TheMouseOverTheButtonAndTheListClosing)
{
  Combo->SetButtonWidth(20);
  QWidget* W = Combo->Handle();
  QTest::mouseMove(W, QPoint(10, 10));
  QTest::mouseMove(W, QPoint(110, 10));
  EXPECT_TRUE(Combo->ButtonHover());
  QTest::mouseMove(W, QPoint(60, 10));
  EXPECT_FALSE(Combo->ButtonHover());

  int32_t DropUps = 0;
  Combo->OnDropUp = [&](TObject*) { ++DropUps; };
  Combo->Items()->Add(QStringLiteral("COM1"));
  Combo->Items()->Add(QStringLiteral("COM2"));
  Combo->SetDroppedDown(true);
  Combo->SetDroppedDown(false);
  EXPECT_EQ(DropUps, 1);
  Combo->SelectItem(QStringLiteral("COM2"));
  EXPECT_EQ(Combo->ItemIndex(), 1);
  Combo->SelectItem(QStringLiteral("COM9"));
  EXPECT_EQ(Combo->ItemIndex(), 1);
}

TEST_F(ZogCombo, ADrawnButtonShowsItsColour)
{
  Combo->ButtonColor = 0x000000FF; // red
  Combo->SetButtonWidth(20);
  Combo->Repaint();
  const QImage I = Combo->Handle()->grab().toImage();
  const double Scale = I.width() / static_cast<double>(Combo->Width());
  const QColor Inside = I.pixelColor(static_cast<int>((Combo->Width() - 6) * Scale), static_cast<int>(16 * Scale));
  EXPECT_EQ(Inside, QColor(255, 0, 0));
  const QColor Text = I.pixelColor(static_cast<int>(30 * Scale), static_cast<int>(12 * Scale));
  EXPECT_NE(Text, QColor(255, 0, 0));
}
