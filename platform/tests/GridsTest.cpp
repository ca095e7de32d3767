// The framework's grid without a window: geometry, counts, the current cell
// and the selection, keys and wheel, moving and deleting rows and columns,
// the paint pass and the streamed sizes.
#include "platform/Grids.h"

#include "QtTestApp.h"

#include "platform/Canvas.h"
#include "platform/Filer.h"
#include "platform/Forms.h"
#include "platform/StringGridCells.h"
#include "rtl/StringList.h"
#include "rtl/Streams.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Opens the protected hooks to the tests and records what reaches them.
class TTestGrid : public TStringGrid {
public:
  explicit TTestGrid(TComponent* AOwner = nullptr) : TStringGrid(AOwner) {}
  using TCustomGrid::DeleteColumn;
  using TCustomGrid::DeleteRow;
  using TCustomGrid::DoMouseWheelDown;
  using TCustomGrid::DoMouseWheelUp;
  using TCustomGrid::KeyDown;
  using TCustomGrid::MoveColumn;
  using TCustomGrid::MoveRow;

  struct TDrawn {
    int32_t Col, Row;
    TRect Rect;
    TGridDrawState State;
  };
  std::vector<TDrawn> Drawn;
  int32_t TopLeftChanges = 0;

  void PaintInto(QImage& Image)
  {
    Canvas()->BindImage(&Image);
    Paint();
    Canvas()->Release();
  }
  void Press(uint16_t Key, TShiftState Shift = 0) { KeyDown(Key, Shift); }

protected:
  void DrawCell(int32_t ACol, int32_t ARow, const TRect& ARect, TGridDrawState AState) override
  {
    Drawn.push_back({ACol, ARow, ARect, AState});
    TStringGrid::DrawCell(ACol, ARow, ARect, AState);
  }
  void TopLeftChanged() override
  {
    ++TopLeftChanges;
    TStringGrid::TopLeftChanged();
  }
};

// A grid whose client area is W x H: no border, scroll bars as given.
void Shape(TTestGrid& G, int32_t W, int32_t H, TScrollStyle Bars = ssNone)
{
  G.SetBorderStyle(bsNone);
  G.SetScrollBars(Bars);
  G.SetBounds(0, 0, W, H);
}

std::string Texts(const TStringGrid& G, int32_t Row)
{
  std::string S;
  for (int32_t C = 0; C < G.ColCount(); ++C)
    S += G.Cells(C, Row).isEmpty() ? "." : G.Cells(C, Row).toStdString();
  return S;
}

} // namespace

TEST(Grids, CellGeometry)
{
  TTestGrid G;
  Shape(G, 200, 100);
  G.SetColCount(6);
  G.SetRowCount(8);
  G.SetDefaultColWidth(40);
  G.SetDefaultRowHeight(20);
  G.SetGridLineWidth(1);
  G.SetColWidths(2, 50);
  // Columns: 0 at 0, 1 at 41, 2 at 82 (50 wide), 3 at 133, 4 at 174 (partly).
  EXPECT_EQ(G.CellRect(0, 0), (TRect{0, 0, 40, 20}));
  EXPECT_EQ(G.CellRect(2, 1), (TRect{82, 21, 132, 41}));
  EXPECT_EQ(G.CellRect(4, 1), (TRect{174, 21, 214, 41}));
  EXPECT_EQ(G.CellRect(5, 1), TRect{});
  EXPECT_EQ(G.VisibleColCount(), 3);
  EXPECT_EQ(G.VisibleRowCount(), 3); // rows 1..3 end at 83, row 4 ends at 104

  struct Hit {
    int32_t X, Y, Col, Row;
  };
  for (const Hit& H : {Hit{0, 0, 0, 0}, Hit{40, 20, 0, 0}, Hit{41, 21, 1, 1}, Hit{133, 99, 3, 4}, Hit{199, 5, 4, 0},
                       Hit{-1, 5, -1, 0}, Hit{5, 100, 0, -1}}) {
    SCOPED_TRACE(std::to_string(H.X) + "," + std::to_string(H.Y));
    const TGridCoord C = G.MouseCoord(H.X, H.Y);
    EXPECT_EQ(C.X, H.Col);
    EXPECT_EQ(C.Y, H.Row);
  }

  // Scrolled: the fixed column stays, column 3 follows it.
  G.SetLeftCol(3);
  EXPECT_EQ(G.CellRect(3, 0), (TRect{41, 0, 81, 20}));
  EXPECT_EQ(G.CellRect(2, 0), TRect{});
  EXPECT_EQ(G.LeftCol(), 3);
  G.SetLeftCol(99); // clamped so that the last column shows entirely
  EXPECT_EQ(G.LeftCol(), 3);
}

TEST(Grids, CountsKeepTheFixedCellsBelowThem)
{
  TTestGrid G;
  EXPECT_EQ(G.ColCount(), 5);
  EXPECT_EQ(G.FixedRows(), 1);
  EXPECT_THROW(G.SetFixedRows(5), EInvalidGridOperation);
  EXPECT_THROW(G.SetFixedCols(-1), EInvalidGridOperation);
  G.SetRowCount(1); // no normal row left: the fixed row goes
  EXPECT_EQ(G.FixedRows(), 0);
  G.SetRowCount(0);
  EXPECT_EQ(G.RowCount(), 1);
  G.SetRowCount(10);
  G.SetFixedRows(2);
  G.SetRow(9);
  G.SetRowCount(4); // the current row moves into the grid
  EXPECT_EQ(G.Row(), 3);
  EXPECT_EQ(G.RowHeights(3), 24);
  EXPECT_EQ(G.RowHeights(7), 24); // outside: the default
}

TEST(Grids, CurrentCellAsksSelectCell)
{
  TTestGrid G;
  Shape(G, 400, 400);
  G.SetRowCount(10);
  std::vector<std::pair<int32_t, int32_t>> Asked;
  G.OnSelectCell = [&](TObject*, int32_t C, int32_t R, bool& Can) {
    Asked.emplace_back(C, R);
    Can = R != 5;
  };
  G.SetRow(4);
  EXPECT_EQ(G.Row(), 4);
  G.SetRow(5); // refused
  EXPECT_EQ(G.Row(), 4);
  G.SetCol(0); // fixed: clamped to the first normal column, which is current
  EXPECT_EQ(G.Col(), 1);
  EXPECT_EQ(Asked, (std::vector<std::pair<int32_t, int32_t>>{{1, 4}, {1, 5}}));
  G.SetSelection(TGridRect{2, 2, 3, 5}); // set directly, not asked
  EXPECT_EQ(G.Row(), 5);
  EXPECT_EQ(G.Selection(), (TGridRect{2, 2, 3, 5}));
}

TEST(Grids, KeysMoveAndExtend)
{
  TTestGrid G;
  Shape(G, 400, 24 * 5);
  G.SetGridLineWidth(0);
  G.SetColCount(6);
  G.SetRowCount(20);
  struct Step {
    const char* What;
    uint16_t Key;
    TShiftState Shift;
    int32_t Col, Row;
    TGridRect Sel;
  };
  const Step Steps[] = {
      {"down", VK_DOWN, 0, 1, 2, {1, 2, 1, 2}},
      {"right", VK_RIGHT, 0, 2, 2, {2, 2, 2, 2}},
      {"shift down extends", VK_DOWN, ssShift, 2, 3, {2, 2, 2, 3}},
      {"shift right extends", VK_RIGHT, ssShift, 3, 3, {2, 2, 3, 3}},
      {"up moves the anchor", VK_UP, 0, 3, 2, {3, 2, 3, 2}},
      {"end", VK_END, 0, 5, 2, {5, 2, 5, 2}},
      {"home", VK_HOME, 0, 1, 2, {1, 2, 1, 2}},
      {"ctrl end", VK_END, ssCtrl, 1, 19, {1, 19, 1, 19}},
      {"down at the end stays", VK_DOWN, 0, 1, 19, {1, 19, 1, 19}},
      {"ctrl home", VK_HOME, ssCtrl, 1, 1, {1, 1, 1, 1}},
      {"page down", VK_NEXT, 0, 1, 5, {1, 5, 1, 5}},
      {"left at the fixed column stays", VK_LEFT, 0, 1, 5, {1, 5, 1, 5}},
      {"tab without goTabs", VK_TAB, 0, 1, 5, {1, 5, 1, 5}},
  };
  for (const Step& S : Steps) {
    SCOPED_TRACE(S.What);
    G.Press(S.Key, S.Shift);
    EXPECT_EQ(G.Col(), S.Col);
    EXPECT_EQ(G.Row(), S.Row);
    EXPECT_EQ(G.Selection(), S.Sel);
  }
  G.SetOptions(G.Options() | GridOptionBit(goTabs));
  G.SetCol(5);
  G.Press(VK_TAB);
  EXPECT_EQ(G.Col(), 1);
  EXPECT_EQ(G.Row(), 6);
  G.Press(VK_TAB, ssShift);
  EXPECT_EQ(G.Col(), 5);
  EXPECT_EQ(G.Row(), 5);

  uint16_t Swallowed = VK_DOWN;
  G.OnKeyDown = [](TObject*, uint16_t& Key, TShiftState) { Key = 0; };
  G.Press(Swallowed);
  EXPECT_EQ(G.Row(), 5);
}

TEST(Grids, TheViewFollowsTheCurrentCell)
{
  TTestGrid G;
  Shape(G, 400, 24 * 5); // the fixed row and four normal rows
  G.SetGridLineWidth(0);
  G.SetRowCount(30);
  EXPECT_EQ(G.VisibleRowCount(), 4);
  G.SetRow(4);
  EXPECT_EQ(G.TopRow(), 1);
  EXPECT_EQ(G.TopLeftChanges, 0);
  G.SetRow(5);
  EXPECT_EQ(G.TopRow(), 2);
  EXPECT_EQ(G.TopLeftChanges, 1);
  G.SetRow(29);
  EXPECT_EQ(G.TopRow(), 26);
  G.SetRow(3);
  EXPECT_EQ(G.TopRow(), 3);
  EXPECT_TRUE(G.DoMouseWheelDown(0, TPoint{}));
  EXPECT_EQ(G.Row(), 4);
  G.DoMouseWheelUp(0, TPoint{});
  G.DoMouseWheelUp(0, TPoint{});
  EXPECT_EQ(G.Row(), 2);
  EXPECT_EQ(G.TopRow(), 2);

  // Far jumps in a long grid land with the current row in view: last at
  // the bottom, first at the top.
  G.SetRowCount(600001);
  G.Press(VK_END, ssCtrl);
  EXPECT_EQ(G.Row(), 600000);
  EXPECT_EQ(G.TopRow(), 600000 - 3);
  G.SetRow(300000);
  EXPECT_EQ(G.TopRow(), 300000);
  G.SetRow(300003);
  EXPECT_EQ(G.TopRow(), 300000);
  G.SetRow(300004);
  EXPECT_EQ(G.TopRow(), 300001);
}

TEST(Grids, MovingAndDeletingCarryCellsAndSizes)
{
  TTestGrid G;
  G.SetColCount(4);
  G.SetRowCount(4);
  for (int32_t R = 0; R < 4; ++R)
    for (int32_t C = 0; C < 4; ++C)
      G.SetCells(C, R, QString(QChar(u'a' + R * 4 + C)));
  G.SetColWidths(1, 11);
  std::vector<std::string> Events;
  G.OnColumnMoved = [&](TObject*, int32_t F, int32_t T) {
    Events.push_back("col " + std::to_string(F) + ">" + std::to_string(T));
  };
  G.OnRowMoved = [&](TObject*, int32_t F, int32_t T) {
    Events.push_back("row " + std::to_string(F) + ">" + std::to_string(T));
  };
  G.SetCol(1);
  G.MoveColumn(1, 3);
  EXPECT_EQ(Texts(G, 0), "acdb");
  EXPECT_EQ(G.ColWidths(3), 11);
  EXPECT_EQ(G.Col(), 3); // the current cell moves with its column
  G.MoveRow(3, 1);
  EXPECT_EQ(Texts(G, 1), "mopn");
  G.DeleteRow(1);
  EXPECT_EQ(G.RowCount(), 3);
  EXPECT_EQ(Texts(G, 1), "eghf");
  G.DeleteColumn(0);
  EXPECT_EQ(G.ColCount(), 3);
  EXPECT_EQ(Texts(G, 0), "cdb");
  EXPECT_EQ(G.ColWidths(2), 11);
  EXPECT_EQ(Events, (std::vector<std::string>{"col 1>3", "row 3>1"}));
}

TEST(Grids, CellsBeyondAShrunkCountComeBack)
{
  TTestGrid G;
  G.SetCells(4, 2, QStringLiteral("kept"));
  G.SetColCount(3);
  TStringList Row;
  G.GetRows(2, Row);
  EXPECT_EQ(Row.Count(), 3);
  G.SetColCount(5);
  EXPECT_EQ(G.Cells(4, 2).toStdString(), "kept");
}

TEST(Grids, PaintVisitsEveryVisibleCellWithItsState)
{
  EnsureQtApplication();
  TTestGrid G;
  Shape(G, 130, 60);
  G.SetGridLineWidth(0);
  G.SetDefaultColWidth(40);
  G.SetDefaultRowHeight(20);
  G.SetColCount(4);
  G.SetRowCount(4);
  G.SetCells(1, 1, QStringLiteral("x"));
  G.SetSelection(TGridRect{1, 1, 2, 1});
  QImage Img(130, 60, QImage::Format_RGB32);
  G.PaintInto(Img);
  std::vector<std::string> Seen;
  for (const auto& D : G.Drawn) {
    std::string S = std::to_string(D.Col) + "," + std::to_string(D.Row);
    if (D.State & GridDrawBit(gdFixed))
      S += "f";
    if (D.State & GridDrawBit(gdSelected))
      S += "s";
    Seen.push_back(S);
  }
  // Column 3 shows partly, row 3 not at all; the current cell (2, 1) is not
  // drawn selected without goDrawFocusSelected.
  EXPECT_EQ(Seen, (std::vector<std::string>{"0,0f", "1,0f", "2,0f", "3,0f", "0,1f", "1,1s", "2,1", "3,1", "0,2f", "1,2",
                                            "2,2", "3,2"}));
  EXPECT_EQ(G.Drawn[5].Rect, (TRect{40, 20, 80, 40}));
  const TColor Hl = ColorToRGB(clHighlight);
  EXPECT_EQ(Img.pixel(45, 25) & 0xFFFFFFu, qRgb(GetRValue(Hl), GetGValue(Hl), GetBValue(Hl)) & 0xFFFFFFu);
}

TEST(Grids, SizesTravelThroughForms)
{
  TTestGrid A;
  A.SetColCount(3);
  A.SetColWidths(2, 99);
  A.SetRowHeights(0, 30);
  TMemoryStream S;
  WriteComponentToStream(S, &A);
  S.SetPosition(0);
  TTestGrid B;
  ReadComponentFromStream(S, &B);
  EXPECT_EQ(B.ColCount(), 3);
  EXPECT_EQ(B.ColWidths(2), 99);
  EXPECT_EQ(B.ColWidths(1), 64);
  EXPECT_EQ(B.RowHeights(0), 30);
}

TEST(Grids, AnEmptyLargeGridHoldsNoCells)
{
  TTestGrid G;
  G.SetColCount(31);
  G.SetRowCount(6001);
  for (int32_t R = 0; R < G.RowCount(); ++R)
    G.SetCells(0, R, QString());
  EXPECT_EQ(G.CellStore().SlotCount(), 0);
  G.SetCells(30, 6000, QStringLiteral("last"));
  EXPECT_EQ(G.CellStore().RowsHeld(), 1);
}

// ---- On screen ---------------------------------------------------------------------

TEST(GridsOnScreen, ViewportPaintsScrollsAndTakesClicks)
{
  EnsureQtApplication();
  TForm Form(nullptr);
  Form.SetBounds(20, 20, 400, 300);
  auto* G = new TTestGrid(&Form);
  G->SetParent(&Form);
  G->SetBounds(0, 0, 300, 200);
  G->SetGridLineWidth(0);
  G->SetRowCount(50);
  G->SetCells(1, 1, QStringLiteral("WWWW"));
  Form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Handle()));

  auto* Area = qobject_cast<QAbstractScrollArea*>(G->Handle());
  ASSERT_NE(Area, nullptr);
  QWidget* VP = Area->viewport();
  EXPECT_TRUE(Area->verticalScrollBar()->isVisible());
  EXPECT_EQ(Area->verticalScrollBar()->maximum(), G->RowCount() - G->VisibleRowCount());

  G->Drawn.clear();
  const QImage Image = VP->grab().toImage();
  EXPECT_FALSE(G->Drawn.empty());
  // Text shows in cell (1, 1); the cell to its right is plain window colour.
  const TRect Text = G->CellRect(1, 1);
  bool Ink = false;
  for (int32_t X = Text.Left; X < Text.Right; ++X)
    for (int32_t Y = Text.Top; Y < Text.Bottom; ++Y)
      Ink = Ink || Image.pixelColor(X, Y) != Image.pixelColor(Text.Right + 5, Text.Top + 5);
  EXPECT_TRUE(Ink);

  // A click on cell (2, 3) in viewport coordinates makes it current.
  const TRect Target = G->CellRect(2, 3);
  const QPoint P(Target.Left + 3, Target.Top + 3);
  QTest::mouseClick(VP, Qt::LeftButton, Qt::NoModifier, P);
  EXPECT_EQ(G->Col(), 2);
  EXPECT_EQ(G->Row(), 3);

  // Writing a cell paints that cell again, not the whole grid.
  for (int I = 0; I < 3; ++I)
    QCoreApplication::processEvents();
  G->Drawn.clear();
  G->SetCells(3, 4, QStringLiteral("x"));
  QCoreApplication::processEvents();
  ASSERT_FALSE(G->Drawn.empty());
  for (const auto& D : G->Drawn)
    EXPECT_TRUE(D.Col == 3 && D.Row == 4) << D.Col << "," << D.Row;

  // Moving the scroll bar moves the top row.
  Area->verticalScrollBar()->setValue(10);
  EXPECT_EQ(G->TopRow(), 10);

  // Writing cells out of view paints nothing; the fixed row is always in
  // view.
  for (int I = 0; I < 3; ++I)
    QCoreApplication::processEvents();
  struct TWrite {
    int32_t Col, Row;
    bool Drawn;
  };
  for (const TWrite& W : {TWrite{2, 3, false}, TWrite{2, 45, false}, TWrite{2, 10 + G->VisibleRowCount() + 1, false},
                          TWrite{2, 0, true}, TWrite{2, 11, true}}) {
    G->Drawn.clear();
    G->SetCells(W.Col, W.Row, QStringLiteral("y"));
    QCoreApplication::processEvents();
    EXPECT_EQ(!G->Drawn.empty(), W.Drawn) << W.Col << "," << W.Row;
  }
}
