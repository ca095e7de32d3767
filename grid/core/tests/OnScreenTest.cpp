// The string grid in a shown window: it paints its cells without making
// records, follows the keys over merged ranges and keeps hidden rows out of
// view.
#include "grid/base/GridBehaviour.h"
#include "grid/core/ZurEvoderOzod.h"

#include "platform/Forms.h"
#include "platform/tests/QtTestApp.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

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

// What the window last flushed (the offscreen screen hands that back) and
// what a fresh paint of it shows, both cut to Part (window coordinates;
// empty: the whole window).
std::pair<QImage, QImage> ShownAndFresh(TForm& Form, QRect Part = {})
{
  QWidget* W = Form.Handle();
  if (Part.isEmpty())
    Part = W->rect();
  return {QGuiApplication::primaryScreen()
              ->grabWindow(W->winId())
              .toImage()
              .convertToFormat(QImage::Format_RGB32)
              .copy(Part),
          W->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(Part)};
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
    const auto [Shown, Fresh] = ShownAndFresh(Form);
    ASSERT_EQ(Shown.size(), Fresh.size());
    EXPECT_TRUE(Shown == Fresh);
  }
}

// A column edge dragged with the mouse: after the release the screen shows
// what a fresh paint shows, also when the columns then need a scroll bar
// or no longer do.
TEST(GridOnScreen, AColumnSizedWithTheMouseShowsWhatAFreshPaintShows)
{
  EnsureQtApplication();
  for (const int32_t By : {40, -40, 300}) {
    SCOPED_TRACE(By);
    TForm Form(nullptr);
    auto* G = PlaceGrid(Form, 400, 300, 4, 12);
    G->SetOptions(G->Options() | GridOptionBit(goColSizing));
    for (int32_t R = 0; R < 12; ++R)
      for (int32_t C = 0; C < 4; ++C)
        G->SetCells(C, R, QStringLiteral("%1:%2").arg(C).arg(R));
    Form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Handle()));
    QTest::qWait(20);
    QWidget* VP = qobject_cast<QAbstractScrollArea*>(G->Handle())->viewport();
    const TRect Header = G->CellRect(1, 0);
    const QPoint Edge(Header.Right - 1, Header.Top + 5);
    QTest::mouseMove(VP, Edge);
    QTest::mousePress(VP, Qt::LeftButton, Qt::NoModifier, Edge);
    QTest::mouseMove(VP, Edge + QPoint(By, 0));
    QTest::mouseRelease(VP, Qt::LeftButton, Qt::NoModifier, Edge + QPoint(By, 0));
    QTest::qWait(40);
    EXPECT_EQ(G->ColWidths(1), Header.Width() + By);
    const auto [Shown, Fresh] = ShownAndFresh(Form);
    ASSERT_EQ(Shown.size(), Fresh.size());
    EXPECT_TRUE(Shown == Fresh);
  }
}

namespace {

// The area of the paints a widget receives.
class TPaintedArea : public QObject {
public:
  explicit TPaintedArea(QWidget* W) { W->installEventFilter(this); }
  int64_t Pixels = 0;

protected:
  bool eventFilter(QObject*, QEvent* E) override
  {
    if (E->type() == QEvent::Paint)
      for (const QRect& R : static_cast<QPaintEvent*>(E)->region())
        Pixels += int64_t(R.width()) * R.height();
    return false;
  }
};

} // namespace

// A table that puts its newest row on top within an update lock and says
// so has the rows it showed moved down on the screen instead of painted
// again. What the screen then shows must be what a fresh paint shows,
// whatever else happened around the lock; where the rows cannot simply be
// moved (the layout changed, banded rows, rows put in above the view), the
// grid paints them all again.
TEST(GridOnScreen, RowsPutInOnTopAreMovedOnTheScreenOnlyWhenThatShowsTheTruth)
{
  EnsureQtApplication();
  struct TCase {
    const char* Name;
    int32_t Rows;
    void (*Setup)(TZurEvoderOzod&);   // painted before the lock
    void (*Waiting)(TZurEvoderOzod&); // just before the lock, not yet painted
    void (*Within)(TZurEvoderOzod&);
    bool Moved; // no more than part of the view painted
  };
  const auto None = [](TZurEvoderOzod&) {};
  const auto TakeLastOff = [](TZurEvoderOzod& G) { G.RemoveRows(G.RowCount() - 1, 1); };
  const TCase Cases[] = {
      {"last row taken off out of view", 30, None, None, TakeLastOff, true},
      {"short table, its last row taken off in view", 9, None, None, TakeLastOff, true},
      // The row's band with the pixel of the row after it, which its
      // cells' borders overlap (a lone cell's corner may differ by a shade).
      {"a row written just before", 30, None,
       [](TZurEvoderOzod& G) {
         G.SetCells(2, 4, QStringLiteral("late"));
         const TRect R = G.CellRect(2, 4);
         G.InvalidateRect(TRect{0, R.Top, G.Width(), R.Bottom + 2});
       },
       TakeLastOff, true},
      {"current cell and selection shown", 30,
       [](TZurEvoderOzod& G) {
         G.SetShowSelection(true);
         G.SetHideFocusRect(false);
         G.SetFocus();
       },
       None, None, true},
      {"a column widened within", 30, None, None, [](TZurEvoderOzod& G) { G.SetColWidths(1, 150); }, false},
      {"rows put in above the view", 30, [](TZurEvoderOzod& G) { G.SetTopRow(8); }, None, None, false},
      {"banded rows", 30, [](TZurEvoderOzod& G) { G.Bands()->SetActive(true); }, None, None, false},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TForm Form(nullptr);
    auto* G = PlaceGrid(Form, 400, 300, 3, C.Rows);
    for (int32_t R = 1; R < C.Rows; ++R)
      G->SetCells(1, R, QStringLiteral("row %1").arg(R));
    Form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Handle()));
    QWidget* VP = qobject_cast<QAbstractScrollArea*>(G->Handle())->viewport();
    C.Setup(*G);
    QTest::qWait(20);
    const TPaintedArea Painted(VP);
    C.Waiting(*G);
    G->BeginUpdate();
    G->InsertRows(1, 1);
    G->SetCells(1, 1, QStringLiteral("newest"));
    G->SetCells(2, 1, QStringLiteral("0.25"));
    C.Within(*G);
    G->ShowRowsInserted(1, 1);
    G->EndUpdate();
    QTest::qWait(40);
    const int64_t PaintedPixels = Painted.Pixels; // before the fresh paint below
    // The cells only: the area's frame is not the rows' business.
    const auto [Shown, Fresh] = ShownAndFresh(Form, QRect(VP->mapTo(Form.Handle(), QPoint(0, 0)), VP->size()));
    ASSERT_EQ(Shown.size(), Fresh.size());
    EXPECT_TRUE(Shown == Fresh);
    const int64_t Viewport = int64_t(VP->width()) * VP->height();
    if (C.Moved)
      EXPECT_LT(PaintedPixels, Viewport * 2 / 3);
    else
      EXPECT_GE(PaintedPixels, Viewport);
  }
}
