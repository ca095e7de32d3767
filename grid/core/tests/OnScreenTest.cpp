// The string grid in a shown window: it paints its cells without making
// records, follows the keys over merged ranges and keeps hidden rows out of
// view.
#include "grid/core/ZurEvoderOzod.h"

#include "platform/Forms.h"
#include "platform/tests/QtTestApp.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Whether anything but the background shows inside R.
bool Inked(const QImage& Image, const TRect& R)
{
  const QColor Background = Image.pixelColor(R.Left + 1, R.Top + 1);
  for (int32_t X = R.Left + 1; X < R.Right - 1; ++X)
    for (int32_t Y = R.Top + 1; Y < R.Bottom - 1; ++Y)
      if (Image.pixelColor(X, Y) != Background)
        return true;
  return false;
}

// A grid of Cols x Rows filling most of a form of the given size; the
// caller fills it and shows the form.
TZurEvoderOzod* PlaceGrid(TForm& Form, int32_t Width, int32_t Height, int32_t Cols, int32_t Rows)
{
  Form.SetBounds(10, 10, Width, Height);
  auto* G = new TZurEvoderOzod(&Form);
  G->SetParent(&Form);
  G->SetBounds(0, 0, Width - 20, Height - 38);
  G->SetColCount(Cols);
  G->SetRowCount(Rows);
  return G;
}

} // namespace

TEST(GridOnScreen, PaintsTextMergedRangesAndHiddenRows)
{
  EnsureQtApplication();
  TForm Form(nullptr);
  auto* G = PlaceGrid(Form, 500, 338, 4, 8);
  G->SetCells(1, 1, QStringLiteral("WWW"));
  G->SetCells(1, 3, QStringLiteral("hidden"));
  Form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Handle()));
  QWidget* VP = qobject_cast<QAbstractScrollArea*>(G->Handle())->viewport();

  QImage Image = VP->grab().toImage();
  EXPECT_TRUE(Inked(Image, G->CellRect(1, 1)));
  EXPECT_FALSE(Inked(Image, G->CellRect(2, 2)));
  EXPECT_FALSE(G->FHasCellProps); // painting made no record

  G->HideRow(3);
  Image = VP->grab().toImage();
  EXPECT_FALSE(Inked(Image, G->CellRect(1, 3))); // row 4's empty cell shows there now

  G->MergeCells(1, 1, 2, 1);
  G->SetCellEx(2, 1, QStringLiteral("W"));
  Image = VP->grab().toImage();
  const TRect Merged = G->CellRect(2, 1);
  EXPECT_EQ(Merged.Width(), G->ColWidths(1) + G->ColWidths(2));
  EXPECT_TRUE(Inked(Image, Merged));
}

// Rows put in or taken out above others move those others: the screen must
// then show them at their new places, as a fresh paint of the window does,
// not what stood there before (a scroll window showed its newest sample on
// top of rows that never moved).
TEST(GridOnScreen, RowsThatMoveAreRepaintedWhereTheyNowStand)
{
  EnsureQtApplication();
  const struct {
    const char* Name;
    void (*Change)(TZurEvoderOzod&);
  } Cases[] = {
      {"rows put in on top", [](TZurEvoderOzod& G) { G.InsertRows(1, 1); }},
      {"rows taken out on top", [](TZurEvoderOzod& G) { G.RemoveRows(1, 2); }},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    TForm Form(nullptr);
    auto* G = PlaceGrid(Form, 400, 300, 3, 30);
    for (int32_t R = 1; R < 30; ++R)
      G->SetCells(1, R, QString::number(R));
    Form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Handle()));
    QTest::qWait(20);
    C.Change(*G);
    G->SetCells(2, 1, QStringLiteral("changed"));
    QTest::qWait(40);
    // The offscreen screen hands back what the window last flushed.
    const QImage Shown =
        QGuiApplication::primaryScreen()->grabWindow(Form.Handle()->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage Fresh = Form.Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(Shown.size(), Fresh.size());
    EXPECT_TRUE(Shown == Fresh);
  }
}
