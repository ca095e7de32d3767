// The base grid: lazily made cell records, merge-aware reads and writes,
// merging and splitting, the display hooks, clearing, geometry, navigation
// over merged ranges and the painting pass.
#include "grid/base/BaseGrid.h"

#include "platform/tests/QtTestApp.h"

#include "grid/base/CellProperties.h"
#include "platform/Canvas.h"
#include "platform/Filer.h"
#include "platform/Graphics.h"
#include "platform/StringGridCells.h"
#include "rtl/Streams.h"

#include <QImage>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

class TTestBaseGrid : public TBaseGrid {
public:
  explicit TTestBaseGrid(TComponent* AOwner = nullptr) : TBaseGrid(AOwner)
  {
    SetBorderStyle(bsNone);
    SetScrollBars(ssNone);
  }
  bool IsNode(int32_t) override { return false; }
  bool IsSummary(int32_t) override { return false; }
  bool IsCheckCell(int32_t, int32_t) override { return false; }
  void SetAsCheck(int32_t, int32_t, const String&) override {}
  using TBaseGrid::KeyDown;

  std::vector<std::pair<TPoint, TRect>> Contents;
  std::vector<TPoint> TextChanges;
  void DrawGridCell(TCanvas* C, int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState S) override
  {
    Contents.emplace_back(TPoint{ACol, ARow}, ARect);
    TBaseGrid::DrawGridCell(C, ACol, ARow, ARect, S);
  }
  void CellTextChange(int32_t ACol, int32_t ARow) override { TextChanges.push_back(TPoint{ACol, ARow}); }
  void PaintInto(QImage& Image)
  {
    Canvas()->BindImage(&Image);
    Paint();
    Canvas()->Release();
  }
};

// Stand-ins for cell graphics: one of exactly the grid's record class name,
// one of a class derived from it.
class TGraphicProbe : public TObject {
public:
  TGraphicProbe(const char* Name, bool* Freed) : FName(QString::fromLatin1(Name)), FFreed(Freed) {}
  ~TGraphicProbe() override { *FFreed = true; }
  String ClassName() const override { return FName; }

private:
  String FName;
  bool* FFreed;
};

struct TMergeState {
  bool Base;
  int32_t SpanX, SpanY;
};

TMergeState StateOf(TBaseGrid& G, int32_t C, int32_t R)
{
  if (!G.HasCellProperties(C, R))
    return {true, -1, -1};
  const TCellProperties* CP = G.GetCellProperties(C, R);
  return {CP->IsBaseCell(), CP->CellSpanX(), CP->CellSpanY()};
}

} // namespace

TEST(BaseGrid, AFreshGridHasNoRecords)
{
  TTestBaseGrid G;
  G.SetCells(2, 2, QStringLiteral("raw"));
  EXPECT_FALSE(G.HasCellProperties(2, 2));
  EXPECT_EQ(G.GetCellEx(2, 2).toStdString(), "raw");
  EXPECT_EQ(G.GetObjectEx(2, 2), nullptr);
  EXPECT_EQ(G.GetGraphicObjectEx(2, 2), nullptr);
  EXPECT_TRUE(G.IsBaseCell(2, 2));
  EXPECT_EQ(G.CellSpan(2, 2), (TPoint{0, 0}));
  EXPECT_EQ(G.CellExt(2, 2), (TPoint{0, 0}));
  EXPECT_FALSE(G.HasCellProperties(-1, 2));
  EXPECT_FALSE(G.HasCellProperties(G.TotalColCount(), 2));
  EXPECT_FALSE(G.FHasCellProps);
}

TEST(BaseGrid, ARecordStartsWithTheGridDefaults)
{
  TTestBaseGrid G;
  G.Font()->SetName(QStringLiteral("Courier"));
  G.Font()->SetColor(clMaroon);
  G.SetColor(clYellow);
  TCellProperties* CP = G.GetCellProperties(1, 1);
  ASSERT_NE(CP, nullptr);
  EXPECT_TRUE(G.HasCellProperties(1, 1));
  EXPECT_TRUE(G.FHasCellProps);
  EXPECT_EQ(G.GetCellProperties(1, 1), CP); // made once
  EXPECT_EQ(CP->CellSpanX(), -1);
  EXPECT_EQ(CP->CellSpanY(), -1);
  EXPECT_TRUE(CP->IsBaseCell());
  EXPECT_EQ(CP->Editor(), edNormal);
  EXPECT_FALSE(CP->ReadOnly());
  EXPECT_EQ(CP->FCalcType, acNONE);
  EXPECT_EQ(CP->FontName().toStdString(), "Courier");
  EXPECT_EQ(CP->FontColor(), clMaroon);
  EXPECT_EQ(CP->BrushColor(), clYellow);
  EXPECT_EQ(CP->BrushColorTo(), clNone);
  EXPECT_EQ(CP->Alignment(), taLeftJustify);
  EXPECT_EQ(CP->VAlignment(), vtaTop);
  EXPECT_TRUE(CP->WordWrap());
  EXPECT_EQ(CP->OwnerCol(), 1);
}

TEST(BaseGrid, MergedRangesReadAndWriteThroughTheirBaseCell)
{
  TTestBaseGrid G;
  G.SetColCount(6);
  G.SetRowCount(6);
  G.MergeCells(1, 1, 3, 2);
  EXPECT_EQ(G.MergeCount(), 1);
  struct Case {
    int32_t C, R;
    TMergeState Expected;
  };
  const Case Cases[] = {
      {1, 1, {true, 2, 1}},  {2, 1, {false, 1, 0}}, {3, 1, {false, 2, 0}},
      {1, 2, {false, 0, 1}}, {2, 2, {false, 1, 1}}, {3, 2, {false, 2, 1}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.C) + "," + std::to_string(C.R));
    const TMergeState S = StateOf(G, C.C, C.R);
    EXPECT_EQ(S.Base, C.Expected.Base);
    EXPECT_EQ(S.SpanX, C.Expected.SpanX);
    EXPECT_EQ(S.SpanY, C.Expected.SpanY);
    EXPECT_EQ(G.BaseCell(C.C, C.R), (TPoint{1, 1}));
    EXPECT_EQ(G.CellSpan(C.C, C.R), (TPoint{2, 1}));
    EXPECT_EQ(G.FullCell(C.C, C.R), (TRect{1, 1, 3, 2}));
    EXPECT_TRUE(G.IsMergedCell(C.C, C.R));
    EXPECT_EQ(G.IsMergedNonBaseCell(C.C, C.R), !C.Expected.Base);
  }
  EXPECT_EQ(G.CellExt(2, 1), (TPoint{1, 1}));
  EXPECT_EQ(G.CellExt(1, 1), (TPoint{2, 1}));
  EXPECT_FALSE(G.IsMergedCell(4, 1));
  EXPECT_TRUE(G.IsXMergedCell(2, 2));
  EXPECT_TRUE(G.IsYMergedCell(2, 2));

  G.SetCellEx(3, 2, QStringLiteral("merged"));
  EXPECT_EQ(G.Cells(1, 1).toStdString(), "merged");
  EXPECT_TRUE(G.Cells(3, 2).isEmpty());
  EXPECT_EQ(G.GetCellEx(2, 1).toStdString(), "merged");
  ASSERT_EQ(G.TextChanges.size(), 1u);
  EXPECT_EQ(G.TextChanges[0], (TPoint{1, 1}));

  int32_t BC = -1, BR = -1;
  EXPECT_FALSE(G.IsBaseCellEx(3, 2, BC, BR));
  EXPECT_EQ(BC, 1);
  EXPECT_EQ(BR, 1);
  EXPECT_TRUE(G.IsBaseCellEx(1, 1, BC, BR));
  EXPECT_EQ(G.MaxRowSpan(2), 1);
  EXPECT_EQ(G.MinRowSpan(1), 1);
  EXPECT_EQ(G.MinRowSpan(4), G.RowCount());
  EXPECT_TRUE(G.RowSpanIdentical(1, 2));
  EXPECT_FALSE(G.RowSpanIdentical(1, 4));
  EXPECT_TRUE(G.ColSpanIdentical(1, 3));

  G.SplitCells(3, 2);
  EXPECT_EQ(G.MergeCount(), 0);
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.C) + "," + std::to_string(C.R));
    const TMergeState S = StateOf(G, C.C, C.R);
    EXPECT_TRUE(S.Base);
    EXPECT_EQ(S.SpanX, -1);
    EXPECT_EQ(S.SpanY, -1);
  }
  EXPECT_EQ(G.GetCellEx(2, 1).toStdString(), "");
  EXPECT_EQ(G.GetCellEx(1, 1).toStdString(), "merged");
}

TEST(BaseGrid, EmptyMergesAndSplitsOnlyCount)
{
  TTestBaseGrid G;
  G.MergeCells(1, 1, 0, 3);
  EXPECT_EQ(G.MergeCount(), 1);
  EXPECT_FALSE(G.HasCellProperties(1, 1));
  G.SplitCells(2, 2); // not merged: a record, but no cell changes
  EXPECT_EQ(G.MergeCount(), 0);
  EXPECT_EQ(StateOf(G, 2, 2).SpanX, -1);
}

TEST(BaseGrid, DisplayHooksSeeTheSourceCell)
{
  TTestBaseGrid G;
  G.SetRowCount(8);
  G.FNormalRowCount = 5;
  std::vector<std::pair<int32_t, int32_t>> Asked;
  G.OnGetDisplText = [&](TObject*, int32_t C, int32_t R, String& V) {
    Asked.emplace_back(C, R);
    V = V.toUpper();
  };
  G.SetCells(1, 1, QStringLiteral("abc"));
  G.SetCells(1, 6, QStringLiteral("low"));
  EXPECT_EQ(G.GetCellEx(1, 1).toStdString(), "ABC");
  EXPECT_EQ(G.GetCellEx(1, 6).toStdString(), "low"); // at or beyond the normal rows
  G.MergeCells(1, 1, 2, 2);
  G.GetCellEx(2, 2);
  EXPECT_EQ(Asked, (std::vector<std::pair<int32_t, int32_t>>{{1, 1}, {1, 1}}));

  G.OnGetDisplText = nullptr;
  G.OnGetDisplWideText = [](TObject*, int32_t, int32_t, String&) {};
  const String Wide = G.GetCellEx(1, 1);
  const String Expected = QStringLiteral("|\\") + QChar(0) + u'a' + QChar(0) + u'b' + QChar(0) + u'c';
  EXPECT_EQ(Wide, Expected);
}

TEST(BaseGrid, ObjectsLiveInTheRecord)
{
  TTestBaseGrid G;
  TObject User;
  G.SetObjectEx(2, 2, &User);
  EXPECT_EQ(G.GetObjectEx(2, 2), &User);
  EXPECT_TRUE(G.Cells(2, 2).isEmpty());
  EXPECT_TRUE(G.HasCellProperties(2, 2));

  bool Freed = false;
  auto* Graphic = new TGraphicProbe("TCellGraphic", &Freed);
  G.SetGraphicObjectEx(3, 1, Graphic);
  EXPECT_EQ(G.GetGraphicObjectEx(3, 1), Graphic);
  EXPECT_TRUE(G.Cells(3, 1).isEmpty());
  G.ClearPropCell(3, 1); // frees the record, not its graphic
  EXPECT_FALSE(Freed);
  delete Graphic;
}

TEST(BaseGrid, ClearingFreesOnlyTheGridsOwnGraphics)
{
  bool OwnFreed = false, DerivedFreed = false;
  auto* Derived = new TGraphicProbe("TMyCellGraphic", &DerivedFreed);
  {
    TTestBaseGrid G;
    G.SetGraphicObjectEx(1, 1, new TGraphicProbe("TCellGraphic", &OwnFreed));
    G.SetGraphicObjectEx(2, 1, Derived);
    G.ClearPropRect(0, 0, 4, 4);
    EXPECT_TRUE(OwnFreed);
    EXPECT_FALSE(DerivedFreed);
    EXPECT_FALSE(G.HasCellProperties(2, 1));
    EXPECT_TRUE(G.FHasCellProps);

    // Nil operations hand records over without freeing them.
    TCellProperties* CP = G.GetCellProperties(3, 3);
    G.SetCells(3, 3, QStringLiteral("x"));
    G.NilCell(3, 3);
    EXPECT_FALSE(G.HasCellProperties(3, 3));
    EXPECT_TRUE(G.Cells(3, 3).isEmpty());
    delete CP;
  }
  EXPECT_FALSE(DerivedFreed);
  delete Derived;
}

TEST(BaseGrid, GeometryCountsScrollingAndMerges)
{
  TTestBaseGrid G;
  G.SetBounds(0, 0, 200, 100);
  G.SetColCount(10);
  G.SetRowCount(10);
  G.SetDefaultColWidth(30);
  G.SetDefaultRowHeight(20);
  EXPECT_EQ(G.TCustomGrid::GridLineWidth(), 0);
  EXPECT_EQ(G.GridLineWidth(), 1);
  EXPECT_EQ(G.GetCellRect(2, 1), (TRect{60, 20, 90, 40}));
  G.SetLeftCol(3);
  EXPECT_EQ(G.GetCellRect(4, 1), (TRect{60, 20, 90, 40}));
  EXPECT_EQ(G.GetCellRect(2, 1), (TRect{0, 20, 30, 40})); // scrolled out, still measured
  EXPECT_EQ(G.GetCellRect(0, 1), (TRect{0, 20, 30, 40}));
  G.SetLeftCol(1);
  G.MergeCells(1, 1, 2, 3);
  EXPECT_EQ(G.CellRect(2, 2), (TRect{30, 20, 90, 80}));
  EXPECT_EQ(G.CellSize(1, 1), (TPoint{60, 60}));
  EXPECT_EQ(G.CellRect(4, 4), (TRect{120, 80, 150, 100}));
  EXPECT_EQ(G.FixedColsWidth(), 30);
  EXPECT_EQ(G.FixedRowsHeight(), 20);
}

TEST(BaseGrid, KeysLeaveMergedRangesToTheNextCell)
{
  TTestBaseGrid G;
  G.SetBounds(0, 0, 600, 400);
  G.SetColCount(8);
  G.SetRowCount(8);
  G.MergeCells(2, 2, 3, 2); // columns 2..4, rows 2..3
  struct Case {
    const char* What;
    int32_t Col, Row;
    uint16_t Key;
    int32_t ToCol, ToRow;
  };
  const Case Cases[] = {
      {"right from the base", 2, 2, VK_RIGHT, 5, 2},
      {"left from the base", 2, 2, VK_LEFT, 1, 2},
      {"up from the base", 2, 2, VK_UP, 2, 1},
      {"down from the base", 2, 2, VK_DOWN, 2, 4},
      {"down from above lands on the base", 3, 1, VK_DOWN, 2, 2},
      {"right from the left lands on the base", 1, 3, VK_RIGHT, 2, 2},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    G.SetCol(C.Col);
    G.SetRow(C.Row);
    uint16_t Key = C.Key;
    G.KeyDown(Key, 0);
    EXPECT_EQ(G.Col(), C.ToCol);
    EXPECT_EQ(G.Row(), C.ToRow);
  }
}

TEST(BaseGrid, AMergedRangePaintsOnceOverItsWholeRectangle)
{
  EnsureQtApplication();
  TTestBaseGrid G;
  G.SetBounds(0, 0, 200, 100);
  G.SetDefaultColWidth(30);
  G.SetDefaultRowHeight(20);
  G.MergeCells(1, 1, 2, 2);
  G.SetCellEx(1, 1, QStringLiteral("m"));
  QImage Img(200, 100, QImage::Format_RGB32);
  G.PaintInto(Img);
  int32_t RangeContents = 0;
  for (const auto& [Cell, Rect] : G.Contents)
    if (Cell == TPoint{1, 1}) {
      ++RangeContents;
      EXPECT_EQ(Rect, (TRect{31, 21, 89, 59})); // 30..90 x 20..60, less the line width
    }
  EXPECT_EQ(RangeContents, 1);
  for (const auto& [Cell, Rect] : G.Contents) {
    const bool Covered = Cell.X >= 1 && Cell.X <= 2 && Cell.Y >= 1 && Cell.Y <= 2 && !(Cell == TPoint{1, 1});
    EXPECT_FALSE(Covered) << Cell.X << "," << Cell.Y;
  }
  // A second paint paints it again, once.
  G.Contents.clear();
  G.PaintInto(Img);
  int32_t Again = 0;
  for (const auto& [Cell, Rect] : G.Contents)
    Again += Cell == TPoint{1, 1};
  EXPECT_EQ(Again, 1);
}

TEST(BaseGrid, HoverRowCellsDefaultIsNotTheDeclaredOne)
{
  TTestBaseGrid A;
  A.SetHoverRowCells(0);
  A.SetGridLineColor(clRed);
  TMemoryStream S;
  WriteComponentToStream(S, &A);
  S.SetPosition(0);
  TTestBaseGrid B;
  B.SetGridLineColor(clBlue);
  ReadComponentFromStream(S, &B);
  EXPECT_EQ(B.HoverRowCells(), SetBit(hcNormal) | SetBit(hcSelected));
  EXPECT_EQ(B.GridLineColor(), clRed);
}

TEST(BaseGrid, ReadingAnEmptyLargeGridMakesNothing)
{
  TTestBaseGrid G;
  G.SetColCount(31);
  G.SetRowCount(6001);
  for (int32_t R = 0; R < G.RowCount(); ++R)
    for (int32_t C = 0; C < G.ColCount(); ++C)
      ASSERT_TRUE(G.GetCellEx(C, R).isEmpty());
  EXPECT_FALSE(G.FHasCellProps);
  EXPECT_EQ(G.CellStore().SlotCount(), 0);
}
