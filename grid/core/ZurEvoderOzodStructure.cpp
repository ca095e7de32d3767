// Inserting, appending, removing, moving and swapping rows and columns,
// with everything that travels with them: texts, property records, cell
// graphics, heights and widths, the hidden-column state and the stored
// hidden rows.
//
// Rows move in the cell store whole (TStringGridCells), so the cells of
// hidden columns and those beyond the counts travel with their row; whole
// rows copied into lists are taken with ColCount raised by the hidden
// columns for the same reason. Rows are display rows throughout; columns
// are display columns except for InsertCols and RemoveCols, which take
// cell-store columns and find the display position themselves.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/IntList.h"
#include "grid/core/ControlLook.h"
#include "grid/core/Filter.h"
#include "grid/core/GridItem.h"
#include "grid/core/GridSettings.h"
#include "platform/Collection.h"
#include "platform/StringGridCells.h"
#include "rtl/StringList.h"
#include "rtl/Strings.h"

#include <QScopeGuard>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

TGridItem* ItemAt(TCollection* Store, int32_t I) { return static_cast<TGridItem*>(Store->Items(I)); }

template <class T>
void MoveEntry(std::vector<T>& V, int32_t From, int32_t To)
{
  if (From < 0 || To < 0 || From >= static_cast<int32_t>(V.size()) || To >= static_cast<int32_t>(V.size()))
    return;
  const T Value = V[static_cast<size_t>(From)];
  V.erase(V.begin() + From);
  V.insert(V.begin() + To, Value);
}

// The index a column (row) at Index has after one moved from From to To.
int32_t MovedIndex(int32_t Index, int32_t From, int32_t To)
{
  if (Index == From)
    return To;
  if (From < To && Index > From && Index <= To)
    return Index - 1;
  if (To < From && Index >= To && Index < From)
    return Index + 1;
  return Index;
}

} // namespace

// ---------------------------------------------------------------- stored rows

// Lowers the real index of every stored row by the number of removed real
// rows that stood before it, so that it comes back between the same rows.
static void RenumberStoredRows(TCollection* Store, const std::vector<int32_t>& RemovedReal)
{
  for (int32_t I = 0; I < Store->Count(); ++I) {
    TGridItem* Item = ItemAt(Store, I);
    const auto Before = std::lower_bound(RemovedReal.begin(), RemovedReal.end(), Item->Idx()) - RemovedReal.begin();
    Item->SetIdx(Item->Idx() - static_cast<int32_t>(Before));
  }
}

void TZurEvoderOzod::InsertStoredColumns(int32_t ColIndex, int32_t CCount)
{
  for (int32_t I = 0; I < FGridItems->Count(); ++I) {
    TStringList* Cells = ItemAt(FGridItems.get(), I)->Items();
    for (int32_t K = 0; K < CCount && ColIndex <= Cells->Count(); ++K)
      Cells->Insert(ColIndex, String());
  }
}

void TZurEvoderOzod::RemoveStoredColumns(int32_t ColIndex, int32_t CCount)
{
  for (int32_t I = 0; I < FGridItems->Count(); ++I) {
    TStringList* Cells = ItemAt(FGridItems.get(), I)->Items();
    for (int32_t K = 0; K < CCount && ColIndex < Cells->Count(); ++K) {
      // The record of a removed cell goes with it, as in the shown rows.
      if (auto* CP = dynamic_cast<TCellProperties*>(Cells->Objects(ColIndex))) {
        if (auto* G = dynamic_cast<TCellGraphic*>(CP->GraphicObject());
            G && G != FCellGraphic.get() && G->CellType() != ctVirtCheckBox && G->CellType() != ctRowCheckBox)
          delete G;
        delete CP;
      }
      Cells->Delete(ColIndex);
    }
  }
}

// ---------------------------------------------------------------- inserting rows

// New rows take real indexes too: stored rows behind them move on, so that
// each comes back between the rows it was hidden between. (InsertRowsEx
// itself leaves them alone: it also makes the room for rows coming back.)
void TZurEvoderOzod::InsertRows(int32_t RowIndex, int32_t RCount, bool UpdateCellControls)
{
  if (RCount <= 0 || RowIndex < 0 || RowIndex > RowCount())
    return;
  const int32_t Real = RowIndex < RowCount() ? RealRowIndex(RowIndex) : AllRowCount();
  for (int32_t I = 0; I < FGridItems->Count(); ++I) {
    TGridItem* Item = ItemAt(FGridItems.get(), I);
    if (Item->Idx() >= Real)
      Item->SetIdx(Item->Idx() + RCount);
  }
  DestroyHiddenRowLookup();
  InsertRowsEx(RowIndex, RCount, UpdateCellControls);
}

void TZurEvoderOzod::InsertRowsEx(int32_t RowIndex, int32_t RCount, bool UpdateCellControls)
{
  if (RCount <= 0 || RowIndex < 0 || RowIndex > RowCount())
    return;
  const int32_t LastWidth = ColWidths(ColCount() - 1);
  const int32_t Old = RowCount();
  // Everything from RowIndex on moves down, the cells of hidden columns and
  // what lies beyond the count included; the new rows are blank and own
  // nothing.
  FCells->InsertRows(RowIndex, RCount);
  SetRowCount(Old + RCount);
  for (int32_t R = RowCount() - 1; R >= RowIndex + RCount; --R)
    SetRowHeights(R, RowHeights(R - RCount));
  for (int32_t R = RowIndex; R < RowIndex + RCount && R < RowCount(); ++R)
    SetRowHeights(R, DefaultRowHeight());
  SetColWidths(ColCount() - 1, LastWidth);
  if (UpdateCellControls)
    CellControlsUpdate(false);
  if (!(ComponentState() & csDestroying))
    CellsChanged(TRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});
}

void TZurEvoderOzod::AddRow()
{
  if (FFloatingFooter->Visible()) {
    InsertRows(RowCount() - 1, 1, true);
    return;
  }
  InsertRows(RowCount(), 1, true);
  ClearRows(RowCount() - 1, 1);
}

// ---------------------------------------------------------------- inserting columns

void TZurEvoderOzod::InsertCols(int32_t ColIndex, int32_t CCount)
{
  if (CCount <= 0 || ColIndex < 0 || ColIndex > AllColCount())
    return;
  // The display position of the new columns: where the storage column
  // stood, or after the last shown column when appending.
  const int32_t D = ColIndex < AllColCount() ? RemapColInv(ColIndex) : ColCount();
  const int32_t OldCount = ColCount();
  std::vector<int32_t> Widths(static_cast<size_t>(OldCount));
  for (int32_t C = 0; C < OldCount; ++C)
    Widths[static_cast<size_t>(C)] = ColWidths(C);
  FCells->InsertCols(ColIndex, CCount);
  InsertStoredColumns(ColIndex, CCount);
  FVisibleCol.insert(FVisibleCol.begin() + ColIndex, static_cast<size_t>(CCount), true);
  FAllColWidths.insert(FAllColWidths.begin() + ColIndex, static_cast<size_t>(CCount), int16_t(0));
  SetColCount(OldCount + CCount); // sizes the column arrays to the new length
  for (int32_t C = ColCount() - 1; C >= D + CCount; --C)
    SetColWidths(C, Widths[static_cast<size_t>(C - CCount)]);
  // A new column takes the width standing at its place, or the default
  // where that place had no width recorded.
  for (int32_t C = D; C < D + CCount && C < ColCount(); ++C) {
    const int32_t Old = C < OldCount ? Widths[static_cast<size_t>(C)] : DefaultColWidth();
    const bool Recorded = C < FSuppressColSizes->Count() && FSuppressColSizes->GetInteger(C) != 0;
    SetColWidths(C, Recorded ? Old : DefaultColWidth());
  }
}

void TZurEvoderOzod::AddColumn() { InsertCols(AllColCount(), 1); }

// ---------------------------------------------------------------- removing rows

void TZurEvoderOzod::RemoveRows(int32_t RowIndex, int32_t RCount)
{
  if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
    return;
  RCount = std::min(RCount, RowCount() - RowIndex);
  ClearPropRect(0, RowIndex, TotalColCount() - 1, RowIndex + RCount - 1);

  const int32_t LastWidth = ColWidths(ColCount() - 1);
  const int32_t Top = TopRow(), Current = Row();
  BeginUpdate();
  const auto End = qScopeGuard([this] { EndUpdate(); });
  std::vector<int32_t> RemovedReal;
  for (int32_t R = RowIndex; R < RowIndex + RCount; ++R)
    RemovedReal.push_back(RealRowIndex(R));
  RenumberStoredRows(FGridItems.get(), RemovedReal);
  DestroyHiddenRowLookup();

  const int32_t Old = RowCount();
  for (int32_t R = RowIndex; R + RCount < Old; ++R)
    SetRowHeights(R, RowHeights(R + RCount));
  for (int32_t K = 0; K < RCount; ++K)
    FCells->DeleteRow(RowIndex);
  // What lay beyond the count stays beyond it.
  FCells->InsertRows(Old - RCount, RCount);
  SetRowCount(Old - RCount);
  FMaxRowCount = std::max(RowCount(), FMaxRowCount - RCount);

  const int32_t LastNormal = RowCount() - FFixedFooters - 1;
  if (Current >= FixedRows() && Current <= LastNormal) {
    SetRow(Current);
    SetTopRow(Top);
  } else if (LastNormal >= FixedRows()) {
    SetRow(LastNormal);
  }
  SetColWidths(ColCount() - 1, LastWidth);
  CellsChanged(TRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});
  CellControlsUpdate(false);
}

void TZurEvoderOzod::RemoveRowsInternal(int32_t RowIndex, int32_t RCount)
{
  if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
    return;
  ClearPropRect(0, RowIndex, TotalColCount() - 1, std::min(RowIndex + RCount, RowCount()) - 1);
  IRemoveRows(RowIndex, RCount, true);
}

void TZurEvoderOzod::IRemoveRows(int32_t RowIndex, int32_t RCount, bool Renumber)
{
  if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
    return;
  RCount = std::min(RCount, RowCount() - RowIndex);
  const int32_t Footers = FFixedFooters;
  FFixedFooters = 0;
  const int32_t LastWidth = ColWidths(ColCount() - 1);
  BeginUpdate();
  const auto Restore = qScopeGuard([&] {
    SetColWidths(ColCount() - 1, LastWidth);
    EndUpdate();
    FFixedFooters = Footers;
  });
  const int32_t Top = TopRow(), Current = Row();
  bool Allow = true;
  if (RowCount() - Footers == Current + 1 && OnRowChanging)
    OnRowChanging(this, Current, Current - RCount, Allow);
  if (!Allow)
    return;

  if (Renumber) {
    std::vector<int32_t> RemovedReal;
    for (int32_t R = RowIndex; R < RowIndex + RCount; ++R)
      RemovedReal.push_back(RealRowIndex(R));
    RenumberStoredRows(FGridItems.get(), RemovedReal);
    DestroyHiddenRowLookup();
  }
  std::vector<int32_t> Heights;
  for (int32_t R = 0; R < RowCount(); ++R)
    if (R < RowIndex || R >= RowIndex + RCount)
      Heights.push_back(RowHeights(R));
  const int32_t Old = RowCount();
  {
    FBlockCellChanging = true;
    const auto Unblock = qScopeGuard([this] { FBlockCellChanging = false; });
    for (int32_t K = 0; K < RCount; ++K)
      FCells->DeleteRow(RowIndex);
    FCells->InsertRows(Old - RCount, RCount);
    SetRowCount(Old - RCount);
  }
  const int32_t LastNormal = RowCount() - Footers - 1;
  if (Current < RowCount() - Footers && Current >= FixedRows()) {
    SetRow(Current);
    SetTopRow(Top);
  } else if (LastNormal >= FixedRows()) {
    SetRow(LastNormal);
  }
  for (int32_t R = 0; R < RowCount() && R < static_cast<int32_t>(Heights.size()); ++R)
    SetRowHeights(R, Heights[static_cast<size_t>(R)]);
  CellsChanged(TRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});
  CellControlsUpdate(false);
}

// The callers (hiding rows into the store, moving rows) have taken the
// rows' records, and the rows keep their real indexes: a row hidden this
// way is still counted, and a moved row comes back. So nothing is freed
// and the stored rows are not renumbered.
void TZurEvoderOzod::RemoveRowsEx(int32_t RowIndex, int32_t RCount)
{
  if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
    return;
  RCount = std::min(RCount, RowCount() - RowIndex);
  const int32_t LastWidth = ColWidths(ColCount() - 1);
  const int32_t Current = Row(), Top = TopRow();
  BeginUpdate();
  const auto End = qScopeGuard([this] { EndUpdate(); });
  const int32_t Old = RowCount();
  for (int32_t K = 0; K < RCount; ++K)
    FCells->DeleteRow(RowIndex);
  FCells->InsertRows(Old - RCount, RCount);
  SetRowCount(Old - RCount);
  FMaxRowCount = std::max(RowCount(), FMaxRowCount - RCount);
  SetColWidths(ColCount() - 1, LastWidth);
  if (Current < RowCount()) {
    SetRow(Current);
    SetTopRow(Top);
  } else if (FixedRows() < RowCount()) {
    SetRow(FixedRows());
    SetTopRow(FixedRows());
  }
  CellsChanged(TRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});
}

// The listed rows' records and cell graphics go with them: nothing else
// holds them once their rows are gone.
void TZurEvoderOzod::RemoveRowList(TIntList* RowList)
{
  if (!RowList || RowList->Count() == 0)
    return;
  std::vector<int32_t> Rows;
  for (int32_t I = 0; I < RowList->Count(); ++I) {
    const int32_t R = RowList->GetInteger(I);
    if (R >= 0 && R < RowCount())
      Rows.push_back(R);
  }
  std::sort(Rows.begin(), Rows.end());
  Rows.erase(std::unique(Rows.begin(), Rows.end()), Rows.end());
  if (Rows.empty())
    return;
  std::vector<int32_t> Heights;
  for (int32_t R = 0; R < RowCount(); ++R)
    if (!std::binary_search(Rows.begin(), Rows.end(), R))
      Heights.push_back(RowHeights(R));
  const int32_t Old = RowCount();
  for (auto It = Rows.rbegin(); It != Rows.rend(); ++It) {
    ClearPropRect(0, *It, TotalColCount() - 1, *It);
    FCells->DeleteRow(*It);
  }
  const int32_t N = static_cast<int32_t>(Rows.size());
  FCells->InsertRows(Old - N, N);
  SetRowCount(Old - N);
  for (int32_t R = 0; R < RowCount() && R < static_cast<int32_t>(Heights.size()); ++R)
    SetRowHeights(R, Heights[static_cast<size_t>(R)]);
  CellControlsUpdate(false);
}

// ---------------------------------------------------------------- removing columns

// The removed columns' texts and records are released first; a hidden
// column removed this way no longer counts as hidden, and stored hidden
// rows lose the same cells, so that every column keeps its own cells.
void TZurEvoderOzod::RemoveCols(int32_t ColIndex, int32_t CCount)
{
  CCount = std::min(CCount, AllColCount() - ColIndex);
  if (ColIndex < 0 || CCount <= 0)
    return;
  // A grid keeps one shown column.
  int32_t ShownRemoved = 0;
  for (int32_t C = ColIndex; C < ColIndex + CCount; ++C)
    ShownRemoved += IsHiddenColumn(C) ? 0 : 1;
  if (ShownRemoved >= ColCount())
    return;
  ClearCols(ColIndex, CCount);

  std::vector<int32_t> Widths;
  for (int32_t C = 0; C < ColCount(); ++C) {
    const int32_t Real = RemapCol(C);
    if (Real < ColIndex || Real >= ColIndex + CCount)
      Widths.push_back(ColWidths(C));
  }
  for (int32_t K = 0; K < CCount; ++K)
    FCells->DeleteCol(ColIndex);
  RemoveStoredColumns(ColIndex, CCount);
  for (int32_t C = ColIndex; C < ColIndex + CCount; ++C)
    FNumHidden -= IsHiddenColumn(C) ? 1 : 0;
  FVisibleCol.erase(FVisibleCol.begin() + ColIndex, FVisibleCol.begin() + ColIndex + CCount);
  FAllColWidths.erase(FAllColWidths.begin() + ColIndex, FAllColWidths.begin() + ColIndex + CCount);
  SetColCount(ColCount() - ShownRemoved);
  for (int32_t C = 0; C < ColCount() && C < static_cast<int32_t>(Widths.size()); ++C)
    SetColWidths(C, Widths[static_cast<size_t>(C)]);
  CellsChanged(TRect{ColIndex, 0, ColIndex + CCount, RowCount() - 1});
}

// ---------------------------------------------------------------- removing by selection

void TZurEvoderOzod::RemoveSelectedRows()
{
  BeginUpdate();
  const auto End = qScopeGuard([this] { EndUpdate(); });
  const TGridRect S = Selection();
  for (int32_t R = std::max(S.Top, S.Bottom); R >= std::min(S.Top, S.Bottom); --R)
    RemoveRowsInternal(R, 1);
}

void TZurEvoderOzod::RemoveUnSelectedRows()
{
  const TGridRect S = Selection();
  const int32_t Top = std::min(S.Top, S.Bottom), Bottom = std::max(S.Top, S.Bottom);
  RemoveRows(Bottom + 1, RowCount() - Bottom - 1);
  if (FixedRows() < Top)
    RemoveRows(FixedRows(), Top - FixedRows());
}

// Display columns of the selection, removed from the right so that the
// ones still to go keep their places.
void TZurEvoderOzod::RemoveSelectedCols()
{
  const TGridRect S = Selection();
  for (int32_t C = std::max(S.Left, S.Right); C >= std::min(S.Left, S.Right); --C)
    RemoveCols(RemapCol(C), 1);
}

void TZurEvoderOzod::RemoveUnSelectedCols()
{
  const TGridRect S = Selection();
  const int32_t Left = std::min(S.Left, S.Right), Right = std::max(S.Left, S.Right);
  for (int32_t C = ColCount() - 1; C > Right; --C)
    RemoveCols(RemapCol(C), 1);
  for (int32_t C = Left - 1; C >= FixedCols(); --C)
    RemoveCols(RemapCol(C), 1);
}

void TZurEvoderOzod::HideSelectedRows()
{
  BeginUpdate();
  const auto End = qScopeGuard([this] { EndUpdate(); });
  const TGridRect S = Selection();
  TIntList Rows(-1, -1);
  for (int32_t R = std::min(S.Top, S.Bottom); R <= std::max(S.Top, S.Bottom); ++R)
    Rows.Add(R);
  HideRowList(&Rows);
}

// Real indexes do not change when rows are hidden, so the rows to go are
// taken by real index first.
void TZurEvoderOzod::HideUnSelectedRows()
{
  BeginUpdate();
  const auto End = qScopeGuard([this] { EndUpdate(); });
  const TGridRect S = Selection();
  const int32_t First = std::min(S.Top, S.Bottom), Last = std::max(S.Top, S.Bottom);
  std::vector<int32_t> Real;
  for (int32_t R = FixedRows(); R < RowCount() - FFixedFooters; ++R)
    if (R < First || R > Last)
      Real.push_back(RealRowIndex(R));
  for (auto It = Real.rbegin(); It != Real.rend(); ++It)
    HideRows(*It, *It);
}

void TZurEvoderOzod::RemoveCheckedRows(int32_t CheckBoxColumn, bool RemoveChecked)
{
  BeginUpdate();
  const auto End = qScopeGuard([this] { EndUpdate(); });
  for (int32_t R = RowCount() - 1; R >= FixedRows(); --R) {
    const TPoint Base = BaseCell(CheckBoxColumn, R);
    const TCellGraphic* G = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(Base.X, Base.Y));
    if (!G)
      continue;
    bool Checked;
    switch (G->CellType()) {
    case ctCheckBox:
      Checked = G->CellBoolean();
      break;
    case ctDataCheckBox:
      Checked = GetCellEx(Base.X, Base.Y) == GetCheckTrue(Base.X, Base.Y);
      break;
    case ctTriStateCheckBox:
      Checked = G->CellCheckBoxState() == cbChecked;
      break;
    default:
      continue;
    }
    if (Checked == RemoveChecked)
      RemoveRows(R, 1);
  }
}

void TZurEvoderOzod::RemoveDuplicates(int32_t ACol, bool DoCase)
{
  const int32_t C = RemapCol(ACol);
  TStringList Seen;
  Seen.SetCaseSensitive(true);
  Seen.SetSorted(true);
  TIntList Rows(-1, -1);
  BeginUpdate();
  const auto End = qScopeGuard([this] { EndUpdate(); });
  for (int32_t R = FixedRows(); R < RowCount() - FFixedFooters; ++R) {
    const String T = DoCase ? GetGridCell(C, R) : GetGridCell(C, R).toUpper();
    int32_t At;
    if (Seen.Find(T, At))
      Rows.Add(R);
    else
      Seen.Add(T);
  }
  RemoveRowList(&Rows);
}

// ---------------------------------------------------------------- moving

void TZurEvoderOzod::MoveColumn(int32_t FromIndex, int32_t ToIndex)
{
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount())
    return;
  const bool Enh = FEnhRowColMove;
  FEnhRowColMove = true;
  const auto Restore = qScopeGuard([&] { FEnhRowColMove = Enh; });
  if (FColumnOrder->Count() == 0)
    SetColumnOrder();
  const int32_t A = RemapCol(FromIndex), B = RemapCol(ToIndex);
  TCustomGrid::MoveColumn(FromIndex, ToIndex); // widths and current column, then ColumnMoved
  for (int32_t I = 0; I < FFilter->Count(); ++I) {
    TFilterData* F = FFilter->Items(I);
    F->SetColumn(static_cast<int16_t>(MovedIndex(F->Column(), A, B)));
  }
  CellControlsUpdate(false);
}

// FromIndex and ToIndex are display columns: the column's cells, its
// hidden-column state and its stored-row cells move between the matching
// cell-store columns, so that hidden columns between them keep their order.
void TZurEvoderOzod::ColumnMoved(int32_t FromIndex, int32_t ToIndex)
{
  const int32_t A = RemapCol(FromIndex), B = RemapCol(ToIndex);
  if (A < FColumnOrder->Count() && B < FColumnOrder->Count())
    FColumnOrder->Move(A, B);
  if (FromIndex < FSuppressColSizes->Count() && ToIndex < FSuppressColSizes->Count())
    FSuppressColSizes->Move(FromIndex, ToIndex);
  FCells->MoveCol(A, B);
  MoveEntry(FVisibleCol, A, B);
  MoveEntry(FAllColWidths, A, B);
  for (int32_t I = 0; I < FGridItems->Count(); ++I) {
    TStringList* Cells = ItemAt(FGridItems.get(), I)->Items();
    if (A < Cells->Count() && B < Cells->Count())
      Cells->Move(A, B);
  }
  if (FSortSettings->Column() >= 0)
    FSortSettings->SetColumn(MovedIndex(FSortSettings->Column(), FromIndex, ToIndex));
  TCustomGrid::ColumnMoved(FromIndex, ToIndex);
}

// The last row of a grid with a floating footer shows the footer: no row
// moves there.
void TZurEvoderOzod::MoveRow(int32_t FromIndex, int32_t ToIndex)
{
  if (FFloatingFooter->Visible() && ToIndex == RowCount() - 1)
    return;
  TCustomGrid::MoveRow(FromIndex, ToIndex);
}

void TZurEvoderOzod::MoveRows(int32_t FromIndex, int32_t ToIndex, int32_t Count)
{
  if (FromIndex == ToIndex || Count <= 0 || FromIndex < 0 || ToIndex < 0 || FromIndex + Count > RowCount() ||
      ToIndex > RowCount())
    return;
  std::vector<std::unique_ptr<TStringList>> Copies;
  {
    const int32_t Hidden = FNumHidden;
    TCustomGrid::SetColCount(ColCount() + Hidden);
    const auto Lower = qScopeGuard([this, Hidden] { TCustomGrid::SetColCount(ColCount() - Hidden); });
    for (int32_t K = 0; K < Count; ++K) {
      Copies.push_back(std::make_unique<TStringList>());
      GetRows(FromIndex + K, *Copies.back());
    }
  }
  if (FromIndex + Count < ToIndex)
    ToIndex -= Count;
  // The rows only change places: stored rows keep their real indexes.
  RemoveRowsEx(FromIndex, Count);
  InsertRowsEx(ToIndex, Count, true);
  const int32_t Hidden = FNumHidden;
  TCustomGrid::SetColCount(ColCount() + Hidden);
  const auto Lower = qScopeGuard([this, Hidden] { TCustomGrid::SetColCount(ColCount() - Hidden); });
  for (int32_t K = 0; K < Count; ++K)
    SetRows(ToIndex + K, *Copies[static_cast<size_t>(K)]);
}

// ---------------------------------------------------------------- swapping

// Display columns; the cells of the matching cell-store columns change
// places, those of stored hidden rows too, and nothing is freed.
void TZurEvoderOzod::SwapColumns(int32_t ACol1, int32_t ACol2)
{
  if (ACol1 == ACol2 || ACol1 < 0 || ACol2 < 0 || ACol1 >= ColCount() || ACol2 >= ColCount())
    return;
  const int32_t A = std::min(RemapCol(ACol1), RemapCol(ACol2)), B = std::max(RemapCol(ACol1), RemapCol(ACol2));
  FCells->MoveCol(A, B);
  FCells->MoveCol(B - 1, A);
  for (int32_t I = 0; I < FGridItems->Count(); ++I) {
    TStringList* Cells = ItemAt(FGridItems.get(), I)->Items();
    if (B < Cells->Count())
      Cells->Exchange(A, B);
  }
  const int32_t W = ColWidths(ACol1);
  SetColWidths(ACol1, ColWidths(ACol2));
  SetColWidths(ACol2, W);
  if (FSortSettings->Column() == ACol1)
    FSortSettings->SetColumn(ACol2);
  else if (FSortSettings->Column() == ACol2)
    FSortSettings->SetColumn(ACol1);
  CellControlsUpdate(false);
  Invalidate();
}

void TZurEvoderOzod::SwapRows(int32_t ARow1, int32_t ARow2)
{
  if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount())
    return;
  const int32_t A = std::min(ARow1, ARow2), B = std::max(ARow1, ARow2);
  FCells->MoveRow(A, B);
  FCells->MoveRow(B - 1, A);
  const int32_t H = RowHeights(ARow1);
  SetRowHeights(ARow1, RowHeights(ARow2));
  SetRowHeights(ARow2, H);
  CellControlsUpdate(false);
  Invalidate();
}
