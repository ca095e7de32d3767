// The framework grid's inplace editor on screen: how keys, characters and
// clicks open it, how it closes, and which cell its text goes back to.
#include "platform/Grids.h"

#include "QtTestApp.h"

#include "platform/Forms.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TEditingGrid {
  std::unique_ptr<TForm> Form;
  TStringGrid* Grid = nullptr;

  explicit TEditingGrid(TGridOptions Extra = 0)
  {
    EnsureQtApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(30, 30, 420, 300);
    Grid = new TStringGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 400, 260);
    Grid->SetOptions(Grid->Options() | GridOptionBit(goEditing) | Extra);
    for (int32_t R = 1; R < Grid->RowCount(); ++R)
      for (int32_t C = 1; C < Grid->ColCount(); ++C)
        Grid->SetCells(C, R, QStringLiteral("%1%2").arg(QChar(u'a' + C - 1)).arg(R));
    Form->Show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Form->Handle()));
    Grid->SetFocus();
  }
  QWidget* GridWidget() const { return Grid->Handle(); }
  QWidget* Viewport() const { return qobject_cast<QAbstractScrollArea*>(Grid->Handle())->viewport(); }
  TInplaceEdit* Editor() const { return Grid->InplaceEditor(); }
  bool EditorShown() const { return Editor() && Editor()->Visible(); }
  // The widget that has the keyboard now.
  static QWidget* Keys() { return QApplication::focusWidget(); }
};

} // namespace

TEST(GridInplaceEdit, F2EditsTheCurrentCellAndReturnWritesItBack)
{
  TEditingGrid T;
  QTest::keyClick(T.GridWidget(), Qt::Key_F2);
  ASSERT_TRUE(T.EditorShown());
  EXPECT_TRUE(T.Grid->EditorMode());
  EXPECT_EQ(T.Editor()->Text(), QStringLiteral("a1"));
  EXPECT_TRUE(T.Editor()->Focused());

  QTest::keyClicks(T.Keys(), QStringLiteral("zz"));
  EXPECT_EQ(T.Grid->Cells(1, 1), QStringLiteral("a1")); // written on closing only
  QTest::keyClick(T.Keys(), Qt::Key_Return);
  EXPECT_FALSE(T.EditorShown());
  EXPECT_EQ(T.Grid->Cells(1, 1), QStringLiteral("zz"));
  EXPECT_TRUE(T.Grid->Focused());
}

TEST(GridInplaceEdit, ATypedCharacterOpensTheEditorAsItsFirstInput)
{
  TEditingGrid T;
  QTest::keyClick(T.GridWidget(), Qt::Key_Q);
  QApplication::processEvents();
  ASSERT_TRUE(T.EditorShown());
  EXPECT_EQ(T.Editor()->Text(), QStringLiteral("q")); // the loaded text was selected
}

TEST(GridInplaceEdit, MovingTheCurrentCellClosesTheEditorIntoItsOwnCell)
{
  TEditingGrid T;
  QTest::keyClick(T.GridWidget(), Qt::Key_F2);
  QTest::keyClicks(T.Keys(), QStringLiteral("new"));
  QTest::keyClick(T.Keys(), Qt::Key_Down);
  EXPECT_EQ(T.Grid->Row(), 2);
  EXPECT_FALSE(T.EditorShown());
  EXPECT_EQ(T.Grid->Cells(1, 1), QStringLiteral("new"));
  EXPECT_EQ(T.Grid->Cells(1, 2), QStringLiteral("a2"));
}

TEST(GridInplaceEdit, WithAlwaysShowEditorItFollowsTheCurrentCell)
{
  TEditingGrid T(GridOptionBit(goAlwaysShowEditor));
  T.Grid->ShowEditor();
  ASSERT_TRUE(T.EditorShown());
  QTest::keyClicks(T.Keys(), QStringLiteral("x"));
  QTest::keyClick(T.Keys(), Qt::Key_Down);
  ASSERT_TRUE(T.EditorShown());
  EXPECT_EQ(T.Editor()->Text(), QStringLiteral("a2"));
  EXPECT_EQ(T.Grid->Cells(1, 1), QStringLiteral("x"));
  // At the end of its text Right leaves the cell; inside the text it moves
  // the caret.
  T.Editor()->SetSelStart(1);
  QTest::keyClick(T.Keys(), Qt::Key_Right);
  EXPECT_EQ(T.Grid->Col(), 1);
  QTest::keyClick(T.Keys(), Qt::Key_Right);
  EXPECT_EQ(T.Grid->Col(), 2);
  EXPECT_EQ(T.Editor()->Text(), QStringLiteral("b2"));
}

TEST(GridInplaceEdit, AClickOnTheCurrentCellOpensTheEditor)
{
  TEditingGrid T;
  const TRect Other = T.Grid->CellRect(2, 2);
  QTest::mouseClick(T.Viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(Other.Left + 3, Other.Top + 3));
  EXPECT_EQ(T.Grid->Col(), 2);
  EXPECT_FALSE(T.EditorShown());
  QTest::mouseClick(T.Viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(Other.Left + 3, Other.Top + 3));
  ASSERT_TRUE(T.EditorShown());
  EXPECT_EQ(T.Editor()->Text(), QStringLiteral("b2"));
  EXPECT_EQ(T.Editor()->BoundsRect(), Other);
}

TEST(GridInplaceEdit, WithoutEditingNothingOpens)
{
  TEditingGrid T;
  T.Grid->SetOptions(T.Grid->Options() & ~GridOptionBit(goEditing));
  QTest::keyClick(T.GridWidget(), Qt::Key_F2);
  QTest::keyClick(T.GridWidget(), Qt::Key_Q);
  QApplication::processEvents();
  EXPECT_FALSE(T.EditorShown());
  EXPECT_EQ(T.Grid->Cells(1, 1), QStringLiteral("a1"));
}
