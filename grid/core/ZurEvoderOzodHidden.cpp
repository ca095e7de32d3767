// Hidden and suppressed rows and columns, and the mapping between real and
// display indexes.
//
// A hidden column stays in the cell store and only leaves ColCount; its
// width is kept in FAllColWidths. A hidden row moves into the row store
// (FGridItems, one TGridItem per row, in ascending Idx order when hidden by
// HideRows) with its texts, records and height. Whole rows are copied with
// ColCount raised by the hidden columns, so that their cells travel too.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/IntList.h"
#include "grid/core/GridItem.h"
#include "grid/core/GridSettings.h"
#include "platform/Collection.h"
#include "platform/StringGridCells.h"
#include "rtl/StringList.h"

#include <QScopeGuard>

#include <algorithm>

namespace {

TGridItem* ItemAt(TCollection* Store, int32_t I) { return static_cast<TGridItem*>(Store->Items(I)); }

} // namespace

// ---------------------------------------------------------------- mapping

bool TZurEvoderOzod::GetVisibleCol(int32_t Pos) const
{
  return Pos < 0 || Pos >= static_cast<int32_t>(FVisibleCol.size()) || FVisibleCol[static_cast<size_t>(Pos)];
}

void TZurEvoderOzod::SetVisibleCol(int32_t Pos, bool Value)
{
  if (Pos >= 0 && Pos < static_cast<int32_t>(FVisibleCol.size()))
    FVisibleCol[static_cast<size_t>(Pos)] = Value;
}

int32_t TZurEvoderOzod::RemapColInv(int32_t ACol) const
{
  if (ACol >= AllColCount() || FNumHidden <= 0)
    return ACol;
  int32_t Hidden = 0;
  for (int32_t C = 0; C < ACol; ++C)
    Hidden += GetVisibleCol(C) ? 0 : 1;
  return ACol - Hidden;
}

int32_t TZurEvoderOzod::RemapCol(int32_t ACol) const
{
  if (ACol >= AllColCount() || FNumHidden == 0)
    return ACol;
  int32_t Visible = 0;
  for (int32_t J = 0; J < AllColCount(); ++J)
    if (GetVisibleCol(J) && Visible++ == ACol)
      return J;
  return ACol;
}

int32_t TZurEvoderOzod::StoredBefore(int32_t Idx) const
{
  int32_t N = 0;
  for (int32_t I = 0; I < FGridItems->Count(); ++I)
    N += ItemAt(FGridItems.get(), I)->Idx() < Idx ? 1 : 0;
  return N;
}

int32_t TZurEvoderOzod::StoreIndexOf(int32_t Idx) const
{
  for (int32_t I = 0; I < FGridItems->Count(); ++I)
    if (ItemAt(FGridItems.get(), I)->Idx() == Idx)
      return I;
  return -1;
}

int32_t TZurEvoderOzod::RemapRow(int32_t ARow) const { return ARow - StoredBefore(ARow); }

void TZurEvoderOzod::InitHiddenRowLookup() const
{
  if (FHiddenRowLookup)
    return;
  FHiddenRowLookup = std::make_unique<TIntList>(-1, 0);
  for (int32_t I = 0; I < FGridItems->Count(); ++I)
    FHiddenRowLookup->Insert(ItemAt(FGridItems.get(), I)->Idx());
}

void TZurEvoderOzod::DestroyHiddenRowLookup() const { FHiddenRowLookup.reset(); }

int32_t TZurEvoderOzod::RemapRowInv(int32_t ARow) const
{
  if (FGridItems->Count() == 0 || ARow == -1)
    return ARow;
  InitHiddenRowLookup();
  int32_t Shown = 0;
  for (int32_t R = 0;; ++R) {
    if (FHiddenRowLookup->SortedIndexOf(R) >= 0)
      continue;
    if (++Shown > ARow)
      return R;
  }
}

int32_t TZurEvoderOzod::RealRowIndex(int32_t ARow) const { return RemapRowInv(ARow); }
int32_t TZurEvoderOzod::RealColIndex(int32_t ACol) const { return RemapCol(ACol); }
int32_t TZurEvoderOzod::DisplRowIndex(int32_t ARow) const { return RemapRow(ARow); }
int32_t TZurEvoderOzod::DisplColIndex(int32_t ACol) const { return RemapColInv(ACol); }

int32_t TZurEvoderOzod::AllColWidths(int32_t ACol) const
{
  if (!GetVisibleCol(ACol))
    return FAllColWidths[static_cast<size_t>(ACol)];
  return ColWidths(RemapColInv(ACol));
}

void TZurEvoderOzod::SetAllColWidths(int32_t ACol, int32_t Value)
{
  if (ACol < 0 || ACol >= static_cast<int32_t>(FAllColWidths.size()))
    return;
  FAllColWidths[static_cast<size_t>(ACol)] = static_cast<int16_t>(Value);
  if (GetVisibleCol(ACol))
    SetColWidths(RemapColInv(ACol), Value);
}

// ---------------------------------------------------------------- columns

void TZurEvoderOzod::HideColumn(int32_t ColIndex) { HideColumns(ColIndex, ColIndex); }

void TZurEvoderOzod::HideColumns(int32_t FromCol, int32_t ToCol)
{
  HideInplaceEdit();
  for (int32_t C = FromCol; C <= ToCol; ++C) {
    if (!GetVisibleCol(C) || C < 0 || C >= ColCount() + FNumHidden || ColCount() <= 1)
      continue;
    const int32_t D = RemapColInv(C);
    FAllColWidths[static_cast<size_t>(C)] = static_cast<int16_t>(ColWidths(D));
    for (int32_t I = D; I <= ColCount() - 2; ++I)
      SetColWidths(I, ColWidths(I + 1));
    ++FNumHidden;
    SetVisibleCol(C, false);
    if (Col() == ColCount() - 1)
      SetCol(Col() - 1);
    SetColCount(ColCount() - 1);
  }
  Invalidate();
}

void TZurEvoderOzod::UnHideColumn(int32_t ColIndex) { UnHideColumns(ColIndex, ColIndex); }

void TZurEvoderOzod::UnHideColumns(int32_t FromCol, int32_t ToCol)
{
  HideInplaceEdit();
  if (ComponentState() & csDestroying)
    return;
  for (int32_t C = FromCol; C <= ToCol; ++C) {
    if (!IsHiddenColumn(C))
      continue;
    --FNumHidden;
    SetVisibleCol(C, true);
    SetColCount(ColCount() + 1);
    const int32_t D = RemapColInv(C);
    for (int32_t I = ColCount() - 1; I >= D + 1; --I)
      SetColWidths(I, ColWidths(I - 1));
    SetColWidths(D, FAllColWidths[static_cast<size_t>(C)]);
  }
  Invalidate();
}

void TZurEvoderOzod::UnHideColumnsAll() { UnHideColumns(0, ColCount() + FNumHidden - 1); }

bool TZurEvoderOzod::IsHiddenColumn(int32_t ColIndex) const
{
  return ColIndex >= 0 && ColIndex < AllColCount() && !GetVisibleCol(ColIndex);
}

// ---------------------------------------------------------------- whole rows

void TZurEvoderOzod::RowToList(int32_t ARow, TStringList& Into) { GetRows(ARow, Into); }

void TZurEvoderOzod::ListToRow(int32_t ARow, const TStringList& From) { SetRows(ARow, From); }

void TZurEvoderOzod::MoveItemIntoRow(TGridItem* Item, int32_t DisplayRow)
{
  ListToRow(DisplayRow, *Item->Items());
  SetRowHeights(DisplayRow, Item->Height());
}

// ---------------------------------------------------------------- rows

void TZurEvoderOzod::HideRow(int32_t RowIndex) { HideRows(RowIndex, RowIndex); }

void TZurEvoderOzod::HideRows(int32_t FromRow, int32_t ToRow)
{
  DestroyHiddenRowLookup();
  int32_t Stored = 0, P = 0;
  std::vector<int32_t> Already;
  for (int32_t I = 0; I < FGridItems->Count(); ++I) {
    const int32_t Idx = ItemAt(FGridItems.get(), I)->Idx();
    if (Idx >= FromRow && Idx <= ToRow) {
      Already.push_back(Idx);
      ++Stored;
    }
    if (Idx < FromRow)
      ++P;
  }
  const int32_t D = FromRow - P;
  if (Stored == ToRow - FromRow + 1)
    return;
  FBlockCellChanging = true;
  const int32_t Hidden = FNumHidden;
  if (Hidden > 0)
    TCustomGrid::SetColCount(ColCount() + Hidden);
  const auto Restore = qScopeGuard([this, Hidden] {
    if (Hidden > 0)
      TCustomGrid::SetColCount(ColCount() - Hidden);
    FBlockCellChanging = false;
  });
  for (int32_t R = FromRow; R <= ToRow; ++R) {
    if (std::find(Already.begin(), Already.end(), R) != Already.end())
      continue;
    auto* Item = static_cast<TGridItem*>(FGridItems->Insert(P++));
    RowToList(D + (R - FromRow), *Item->Items());
    Item->SetIdx(R);
    Item->SetHeight(RowHeights(D + (R - FromRow)));
  }
  IRemoveRows(D, (ToRow - FromRow + 1) - Stored);
  CellControlsUpdate(false);
}

void TZurEvoderOzod::HideRowsEx(int32_t FromRow, int32_t ToRow)
{
  if (StoreIndexOf(FromRow) >= 0)
    return;
  const int32_t D = FromRow - StoredBefore(FromRow);
  const int32_t Hidden = FNumHidden;
  TCustomGrid::SetColCount(ColCount() + Hidden);
  for (int32_t R = FromRow; R <= ToRow; ++R) {
    auto* Item = static_cast<TGridItem*>(FGridItems->Add());
    RowToList(D + (R - FromRow), *Item->Items());
    Item->SetIdx(R);
    Item->SetHeight(RowHeights(D + (R - FromRow)));
  }
  TCustomGrid::SetColCount(ColCount() - Hidden);
  DestroyHiddenRowLookup();
  RemoveRowsEx(D, ToRow - FromRow + 1);
  CellControlsUpdate(false);
}

void TZurEvoderOzod::UnHideRow(int32_t RowIndex)
{
  const int32_t Hidden = FNumHidden;
  TCustomGrid::SetColCount(ColCount() + Hidden);
  const bool Modified = FShowModified->Enabled();
  FShowModified->SetEnabled(false);
  const int32_t I = StoreIndexOf(RowIndex);
  if (I >= 0) {
    const int32_t D = RowIndex - StoredBefore(RowIndex);
    InsertRowsEx(D, 1);
    MoveItemIntoRow(ItemAt(FGridItems.get(), I), D);
    FGridItems->Delete(I);
    DestroyHiddenRowLookup();
  }
  TCustomGrid::SetColCount(ColCount() - Hidden);
  FShowModified->SetEnabled(Modified);
  CellControlsUpdate(false);
}

void TZurEvoderOzod::UnHideRows(int32_t FromRow, int32_t ToRow)
{
  DestroyHiddenRowLookup();
  const int32_t Hidden = FNumHidden;
  TCustomGrid::SetColCount(ColCount() + Hidden);
  const bool Modified = FShowModified->Enabled();
  FShowModified->SetEnabled(false);
  const auto Restore = qScopeGuard([this, Hidden, Modified] {
    FShowModified->SetEnabled(Modified);
    TCustomGrid::SetColCount(ColCount() - Hidden);
    CellControlsUpdate(false);
  });
  if (StoreIndexOf(FromRow) < 0)
    return;
  const int32_t D = FromRow - StoredBefore(FromRow);
  int32_t N = 0;
  for (int32_t I = 0; I < FGridItems->Count(); ++I) {
    const int32_t Idx = ItemAt(FGridItems.get(), I)->Idx();
    N += Idx >= FromRow && Idx <= ToRow ? 1 : 0;
  }
  if (N == 0)
    return;
  InsertRowsEx(D, N);
  for (int32_t I = 0; I < FGridItems->Count();) {
    TGridItem* Item = ItemAt(FGridItems.get(), I);
    if (Item->Idx() < FromRow || Item->Idx() > ToRow) {
      ++I;
      continue;
    }
    MoveItemIntoRow(Item, D + (Item->Idx() - FromRow));
    FGridItems->Delete(I);
  }
  DestroyHiddenRowLookup();
}

void TZurEvoderOzod::UnHideRowsAll()
{
  for (int32_t I = 0; I < FGridItems->Count();) {
    const int32_t First = ItemAt(FGridItems.get(), I)->Idx();
    int32_t Last = First, J = I;
    while (J + 1 < FGridItems->Count() &&
           ItemAt(FGridItems.get(), J + 1)->Idx() == ItemAt(FGridItems.get(), J)->Idx() + 1)
      Last = ItemAt(FGridItems.get(), ++J)->Idx();
    const int32_t Before = FGridItems->Count();
    UnHideRows(First, Last);
    // A run that does not come back (its rows stored out of order) is
    // passed over rather than tried again.
    if (FGridItems->Count() == Before)
      I = J + 1;
  }
}

void TZurEvoderOzod::HideRowList(TIntList* RowList)
{
  if (!RowList || RowList->Count() == 0)
    return;
  if (FFilterType == ftSuppress) {
    for (int32_t I = 0; I < RowList->Count(); ++I)
      SuppressRow(RowList->GetInteger(I));
    CellControlsUpdate(false);
    return;
  }
  // One row always stays.
  if (RowList->Count() == RowCount())
    RowList->Delete(0);
  std::vector<int32_t> Heights(static_cast<size_t>(RowCount()));
  for (int32_t R = 0; R < RowCount(); ++R)
    Heights[static_cast<size_t>(R)] = RowHeights(R);
  const int32_t Hidden = FNumHidden;
  TCustomGrid::SetColCount(ColCount() + Hidden);
  const auto Restore = qScopeGuard([this, Hidden] { TCustomGrid::SetColCount(ColCount() - Hidden); });
  for (int32_t I = 0; I < RowList->Count(); ++I) {
    const int32_t R = RowList->GetInteger(I);
    auto* Item = static_cast<TGridItem*>(FGridItems->Add());
    RowToList(R, *Item->Items());
    Item->SetIdx(R);
    Item->SetHeight(Heights[static_cast<size_t>(R)]);
    Item->SetLevel(FFilterLevel);
  }
  ++FFilterLevel;
  // Compact the rows that stay to the top.
  TStringList Row;
  int32_t Cursor = 0, Free = 0;
  for (int32_t R = 0; R < RowCount(); ++R) {
    if (Cursor < RowList->Count() && RowList->GetInteger(Cursor) == R) {
      ++Cursor;
      continue;
    }
    if (R != Free) {
      RowToList(R, Row);
      ListToRow(Free, Row);
      SetRowHeights(Free, Heights[static_cast<size_t>(R)]);
    }
    ++Free;
  }
  // The rows left at the end now belong to the store.
  const TStringList Empty;
  for (int32_t R = Free; R < RowCount(); ++R)
    ListToRow(R, Empty);
  SetRowCount(RowCount() - RowList->Count());
  DestroyHiddenRowLookup();
  CellControlsUpdate(false);
}

void TZurEvoderOzod::UnHideRowList()
{
  const int32_t Level = FFilterLevel - 1;
  const int32_t Hidden = FNumHidden;
  TCustomGrid::SetColCount(ColCount() + Hidden);
  const auto Restore = qScopeGuard([this, Hidden] {
    TCustomGrid::SetColCount(ColCount() - Hidden);
    FBlockFilterUpdate = false;
  });
  int32_t K = 0;
  for (int32_t I = 0; I < FGridItems->Count(); ++I)
    K += ItemAt(FGridItems.get(), I)->Level() == Level ? 1 : 0;
  if (Row() >= RowCount())
    FocusCell(TBaseGrid::FixedCols(), TBaseGrid::FixedRows(), true);
  FBlockFilterUpdate = true;
  const bool Footer = FFloatingFooter->Visible();
  const int32_t OldCount = RowCount();
  if (K > 0)
    SetRowCount(OldCount + K);
  // Fill from the bottom: a row of this level goes back to its place, the
  // others move down to make room.
  TStringList Buffer;
  int32_t ItemCursor = FGridItems->Count() - 1;
  auto NextOfLevel = [&] {
    while (ItemCursor >= 0 && ItemAt(FGridItems.get(), ItemCursor)->Level() != Level)
      --ItemCursor;
  };
  NextOfLevel();
  int32_t S = OldCount - (Footer ? 2 : 1);
  for (int32_t T = RowCount() - (Footer ? 2 : 1); T >= 0; --T) {
    if (ItemCursor >= 0 && ItemAt(FGridItems.get(), ItemCursor)->Idx() == T) {
      MoveItemIntoRow(ItemAt(FGridItems.get(), ItemCursor), T);
      --ItemCursor;
      NextOfLevel();
    } else if (S >= 0 && S < T) {
      RowToList(S, Buffer);
      ListToRow(T, Buffer);
      SetRowHeights(T, RowHeights(S));
      --S;
    }
  }
  // Only this level's items go: rows hidden otherwise stay in the store.
  for (int32_t I = FGridItems->Count() - 1; I >= 0; --I)
    if (ItemAt(FGridItems.get(), I)->Level() == Level)
      FGridItems->Delete(I);
  DestroyHiddenRowLookup();
  CellControlsUpdate(false);
}

bool TZurEvoderOzod::IsHiddenRow(int32_t RowIndex) const { return StoreIndexOf(RowIndex) >= 0; }

bool TZurEvoderOzod::IsHiddenRow(int32_t RowIndex, TIntList*& ListHidden) const
{
  if (!ListHidden) {
    ListHidden = new TIntList(-1, 0);
    for (int32_t I = 0; I < FGridItems->Count(); ++I)
      ListHidden->Insert(ItemAt(FGridItems.get(), I)->Idx());
  }
  return ListHidden->SortedIndexOf(RowIndex) >= 0;
}

int32_t TZurEvoderOzod::NumHiddenRows() const { return FGridItems->Count(); }

// ---------------------------------------------------------------- suppression

void TZurEvoderOzod::SuppressColumn(int32_t ColIndex)
{
  if (ColWidths(ColIndex) <= 0 || ColIndex < 0 || ColIndex >= FSuppressColSizes->Count())
    return;
  FSuppressColSizes->SetInteger(ColIndex, ColWidths(ColIndex));
  SetColWidths(ColIndex, 0);
}

bool TZurEvoderOzod::IsSuppressedColumn(int32_t ColIndex) const
{
  return ColIndex >= 0 && ColIndex < FSuppressColSizes->Count() && ColWidths(ColIndex) == 0 &&
         FSuppressColSizes->GetInteger(ColIndex) != 0;
}

void TZurEvoderOzod::UnSuppressColumn(int32_t ColIndex)
{
  if (ColIndex >= 0 && ColIndex < FSuppressColSizes->Count())
    SetColWidths(ColIndex, FSuppressColSizes->GetInteger(ColIndex));
}

void TZurEvoderOzod::UnSuppressAllColumns()
{
  for (int32_t C = 0; C < ColCount() && C < FSuppressColSizes->Count(); ++C)
    if (FSuppressColSizes->GetInteger(C) > 0 && ColWidths(C) == 0)
      SetColWidths(C, FSuppressColSizes->GetInteger(C));
  FSuppressColSizes->Clear();
  for (int32_t C = 0; C < ColCount(); ++C)
    FSuppressColSizes->Add(ColWidths(C));
}

void TZurEvoderOzod::SuppressRow(int32_t RowIndex)
{
  if (RowHeights(RowIndex) <= 0 || RowIndex < 0 || RowIndex >= FSuppressRowSizes->Count())
    return;
  FSuppressRowSizes->SetInteger(RowIndex, RowHeights(RowIndex));
  SetRowHeights(RowIndex, 0);
}

void TZurEvoderOzod::SuppressRows(int32_t FromRow, int32_t ToRow)
{
  for (int32_t R = FromRow; R <= ToRow; ++R)
    SuppressRow(R);
}

bool TZurEvoderOzod::IsSuppressedRow(int32_t RowIndex) const { return RowHeights(RowIndex) == 0; }

void TZurEvoderOzod::UnSuppressRow(int32_t RowIndex)
{
  if (RowIndex >= 0 && RowIndex < FSuppressRowSizes->Count())
    SetRowHeights(RowIndex, FSuppressRowSizes->GetInteger(RowIndex));
}

void TZurEvoderOzod::UnSuppressRows(int32_t FromRow, int32_t ToRow)
{
  for (int32_t R = FromRow; R <= ToRow; ++R)
    UnSuppressRow(R);
}

void TZurEvoderOzod::UnSuppressAllRows()
{
  for (int32_t R = 0; R < RowCount() && R < FSuppressRowSizes->Count(); ++R)
    if (FSuppressRowSizes->GetInteger(R) > 0 && RowHeights(R) == 0)
      SetRowHeights(R, FSuppressRowSizes->GetInteger(R));
  FSuppressRowSizes->Clear();
  for (int32_t R = 0; R < RowCount(); ++R)
    FSuppressRowSizes->Add(RowHeights(R));
}
