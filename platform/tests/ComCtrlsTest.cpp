// The status bar: panels of fixed width along the bottom of the form, the
// last one taking the rest, long texts cut with an ellipsis.
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

#include "QtTestApp.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>

#include <gtest/gtest.h>

TEST(StatusBar, PanelsKeepTheirWidthsAndCutLongTexts)
{
  EnsureQtApplication();
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 500, 200);
  auto* Bar = new TStatusBar(&Form);
  Bar->SetParent(&Form);
  for (int32_t W : {200, 100, 50})
    Bar->Panels()->Add()->SetWidth(W);
  Bar->Panels()->Items(2)->SetAlignment(taRightJustify);
  Form.Show();
  // Along the bottom of the form.
  EXPECT_EQ(Bar->BoundsRect(), (TRect{0, 181, 500, 200}));
  auto* Q = qobject_cast<QStatusBar*>(Bar->Handle());
  ASSERT_NE(Q, nullptr);
  QApplication::processEvents();
  const QList<QLabel*> Labels = Q->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(Labels.size(), 3);
  const String Long = QStringLiteral("Invalid Data Format: ") + QString(300, QLatin1Char('x'));
  const struct {
    int32_t Panel;
    String Text;
    bool Cut;
  } Cases[] = {{0, Long, true}, {1, QStringLiteral("short"), false}, {2, QStringLiteral("12:00:00"), false}};
  for (const auto& C : Cases) {
    Bar->Panels()->Items(C.Panel)->SetText(C.Text);
    QApplication::processEvents();
    QLabel* L = Labels[C.Panel];
    EXPECT_EQ(Bar->Panels()->Items(C.Panel)->Text(), C.Text);
    EXPECT_EQ(Labels[0]->width(), 200);
    EXPECT_EQ(Labels[1]->width(), 100);
    EXPECT_GE(Labels[2]->width(), 50);
    EXPECT_LE(Labels[2]->geometry().right(), Q->width());
    if (C.Cut) {
      EXPECT_TRUE(L->text().endsWith(QChar(0x2026)));
      EXPECT_TRUE(C.Text.startsWith(L->text().chopped(1)));
      EXPECT_EQ(L->toolTip(), C.Text);
    } else {
      EXPECT_EQ(L->text(), C.Text);
      EXPECT_TRUE(L->toolTip().isEmpty());
    }
  }
  EXPECT_TRUE(Labels[2]->alignment() & Qt::AlignRight);
  // One text over the whole bar.
  Bar->SetSimplePanel(true);
  Bar->SetSimpleText(QStringLiteral("Loading"));
  const QList<QLabel*> Simple = Q->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(Simple.size(), 1);
  EXPECT_EQ(Simple[0]->text(), QStringLiteral("Loading"));
}
