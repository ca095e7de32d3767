// Clearing, trimming, colouring, merging and splitting cells in bulk, the
// queries that find cells or the used area, and the range that file output
// covers. Columns are cell-store columns (display columns mapped with
// RemapCol where SaveHiddenCells says so), rows display rows.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/core/GridChangeNotifier.h"
#include "grid/core/GridItem.h"
#include "platform/Collection.h"
#include "platform/StringGridCells.h"
#include "rtl/StringList.h"
#include "rtl/Strings.h"

#include <QScopeGuard>

#include <algorithm>

namespace {

// Records the grid shares between cells (the row check box) are never a
// cell's to free.
bool SharedRecord(const TCellGraphic* G) { return G->CellType() == ctVirtCheckBox || G->CellType() == ctRowCheckBox; }

} // namespace

void TZurEvoderOzod::ClearRect(int32_t ACol1, int32_t ARow1, int32_t ACol2, int32_t ARow2)
{
  if (ACol2 < ACol1 || ARow2 < ARow1)
    return;
  const bool Destroying = ComponentState() & csDestroying;
  for (int32_t R = ARow1; R <= ARow2; ++R)
    for (int32_t I = ACol1; I <= ACol2; ++I) {
      const int32_t A = FSaveHiddenCells ? RemapCol(I) : I;
      if (FOwnsObjects && !FNilObjects && HasCellProperties(A, R)) {
        TCellProperties* CP = GetCellProperties(A, R);
        if (TObject* O = reinterpret_cast<TObject*>(CP->Object())) {
          CP->SetObject(0);
          delete O;
        }
      }
      if (!FClearTextOnly && HasCellProperties(A, R)) {
        if (FNilObjects) {
          SetGridObject(A, R, nullptr);
        } else {
          TCellProperties* CP = GetCellProperties(A, R);
          auto* G = dynamic_cast<TCellGraphic*>(CP->GraphicObject());
          CP->SetGraphicObject(nullptr);
          if (G && G != FCellGraphic.get() && !SharedRecord(G))
            delete G;
          SetCellProperties(A, R, nullptr);
        }
      }
      if (!Destroying && !GetGridCell(A, R).isEmpty()) {
        SetGridCell(A, R, String());
        if (I != A)
          RepaintCell(I, R);
      }
    }
  if (!FSaveHiddenCells && FNumHidden > 0)
    Invalidate();
  // The grid holds no record any more only when the rectangle reached every
  // cell that can hold one: hidden columns and cells beyond the counts too.
  if (ACol1 <= 0 && ARow1 <= 0 && !FClearTextOnly && !FNilObjects && NumHiddenRows() == 0 &&
      ACol2 >= std::max(TotalColCount(), FCells->ColExtent()) - 1 &&
      ARow2 >= std::max(RowCount(), FCells->RowExtent()) - 1)
    FHasCellProps = false;
  if (!Destroying && !FBlockCellChanging)
    CellsChanged(TRect{RemapCol(ACol1), ARow1, RemapCol(ACol2), ARow2});
}

void TZurEvoderOzod::ClearRows(int32_t RowIndex, int32_t RCount)
{
  if (RowCount() > 0 && ColCount() > 0 && RCount > 0)
    ClearRect(0, RowIndex, TotalColCount() - 1, RowIndex + RCount - 1);
}

void TZurEvoderOzod::ClearNormalRows(int32_t RowIndex, int32_t RCount)
{
  if (RowCount() >= 1 && ColCount() >= 1 && RCount >= 1)
    ClearRect(FixedCols(), RowIndex, TotalColCount() - FFixedRightCols - 1, RowIndex + RCount - 1);
}

void TZurEvoderOzod::ClearCols(int32_t ColIndex, int32_t CCount)
{
  if (RowCount() > 0 && ColCount() > 0 && CCount > 0)
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TZurEvoderOzod::ClearNormalCols(int32_t ColIndex, int32_t CCount)
{
  if (RowCount() >= 1 && ColCount() >= 1 && CCount >= 1)
    ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - FFixedFooters - 1);
}

void TZurEvoderOzod::ClearNormalCells()
{
  if (RowCount() > 0 && ColCount() > 0)
    ClearRect(FixedCols(), FixedRows(), TotalColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1);
}

void TZurEvoderOzod::ClearSelection()
{
  const bool Saved = FSaveHiddenCells;
  FSaveHiddenCells = true;
  const auto Restore = qScopeGuard([&] { FSaveHiddenCells = Saved; });
  const TGridRect S = Selection();
  ClearRect(S.Left, S.Top, S.Right, S.Bottom);
}

void TZurEvoderOzod::Clear()
{
  if (RowCount() > 0 && ColCount() > 0)
    ClearRect(0, 0, TotalColCount() - 1, RowCount() - 1);
  if (FNumHidden > 0)
    Invalidate();
}

void TZurEvoderOzod::ClearAll()
{
  if (ComponentState() & csDestroying)
    return;
  UnHideColumnsAll();
  UnHideRowsAll();
  if (RowCount() > 0 && ColCount() > 0)
    ClearRect(0, 0, std::max(FMaxColCount, TotalColCount()) - 1, std::max(FMaxRowCount, RowCount()) - 1);
  // Rows the store could not put back keep no text either.
  for (int32_t I = 0; I < FGridItems->Count(); ++I)
    static_cast<TGridItem*>(FGridItems->Items(I))->Items()->Clear();
  if (FNumHidden > 0)
    Invalidate();
}

// ---------------------------------------------------------------- trimming and colouring

void TZurEvoderOzod::TrimRect(int32_t ACol1, int32_t ARow1, int32_t ACol2, int32_t ARow2)
{
  for (int32_t R = ARow1; R <= ARow2; ++R)
    for (int32_t I = ACol1; I <= ACol2; ++I) {
      const int32_t A = FSaveHiddenCells ? RemapCol(I) : I;
      const String Text = GetGridCell(A, R);
      const String Trimmed = Trim(Text);
      if (Trimmed != Text)
        SetCells(A, R, Trimmed);
    }
}

void TZurEvoderOzod::TrimColumn(int32_t ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
void TZurEvoderOzod::TrimRow(int32_t ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }
void TZurEvoderOzod::TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }

// Taking a colour away only clears the colour: the record may carry a
// check box, a font or a merge that the cell still needs, so it is never
// freed here, and a cell without a record gets none.
void TZurEvoderOzod::ColorRect(int32_t ACol1, int32_t ARow1, int32_t ACol2, int32_t ARow2, TColor AColor)
{
  for (int32_t C = ACol1; C <= ACol2; ++C)
    for (int32_t R = ARow1; R <= ARow2; ++R)
      if (AColor != clNone || HasCellProperties(C, R))
        GetCellProperties(C, R)->SetBrushColor(AColor);
}

// ---------------------------------------------------------------- merging and splitting

void TZurEvoderOzod::MergeColumnCells(int32_t ColIndex, bool MainMerge)
{
  const int32_t Last = RowCount() - FFixedFooters - 1;
  int32_t Start = FixedRows(), Length = 1;
  auto Close = [&] {
    if (Length > 1)
      MergeCells(ColIndex, Start, 1, Length);
  };
  for (int32_t R = FixedRows() + 1; R <= Last; ++R) {
    if (GetGridCell(ColIndex, R) != GetGridCell(ColIndex, R - 1) || (!MainMerge && !RowSpanIdentical(R, R - 1))) {
      Close();
      Start = R;
      Length = 1;
    } else {
      ++Length;
    }
  }
  Close();
}

// A run of one cell is merged too (a one-cell range), as the grid has always
// done along rows.
void TZurEvoderOzod::MergeRowCells(int32_t RowIndex, bool MainMerge)
{
  const int32_t Last = ColCount() - FFixedRightCols - 1;
  int32_t Start = FixedCols(), Counter = 0;
  for (int32_t C = FixedCols() + 1; C <= Last; ++C) {
    ++Counter;
    if (GetGridCell(C, RowIndex) != GetGridCell(C - 1, RowIndex) || (!MainMerge && !ColSpanIdentical(C, C - 1))) {
      MergeCells(Start, RowIndex, Counter, 1);
      Start = C;
      Counter = 0;
    }
  }
  if (Counter > 0)
    MergeCells(Start, RowIndex, Counter + 1, 1);
}

void TZurEvoderOzod::SplitColumnCells(int32_t ColIndex)
{
  for (int32_t R = 0; R < RowCount() - FFixedFooters;) {
    if (IsYMergedCell(ColIndex, R)) {
      const int32_t Span = CellSpan(ColIndex, R).Y;
      SplitCells(ColIndex, R);
      R += Span + 1;
    } else {
      ++R;
    }
  }
}

void TZurEvoderOzod::SplitRowCells(int32_t RowIndex)
{
  for (int32_t C = 0; C < ColCount() - FFixedRightCols;) {
    const int32_t Span = CellSpan(C, RowIndex).X;
    if (IsMergedCell(C, RowIndex) && Span >= 0) {
      SplitCells(C, RowIndex);
      C += Span + 1;
    } else {
      ++C;
    }
  }
}

void TZurEvoderOzod::SplitAllCells()
{
  for (int32_t R = 0; R < RowCount(); ++R)
    for (int32_t C = 0; C < TotalColCount(); ++C)
      if (IsMergedCell(C, R))
        SplitCells(C, R);
}

void TZurEvoderOzod::MergeCols(int32_t ColIndex1, int32_t ColIndex2, const String& Separator)
{
  for (int32_t R = FixedRows(); R < RowCount(); ++R)
    SetCells(ColIndex1, R, Trim(GetGridCell(ColIndex1, R) + Separator + GetGridCell(ColIndex2, R)));
  RemoveCols(ColIndex2, 1);
}

// ---------------------------------------------------------------- finding cells

bool TZurEvoderOzod::IsCell(const String& SubStr, int32_t& ACol, int32_t& ARow)
{
  for (int32_t R = 0; R < RowCount(); ++R)
    for (int32_t C = 0; C < ColCount(); ++C)
      if (GetGridCell(C, R) == SubStr) {
        ACol = C;
        ARow = R;
        return true;
      }
  return false;
}

bool TZurEvoderOzod::IsWideCell(int32_t ACol, int32_t ARow) { return GetCellEx(ACol, ARow).startsWith(u"|\\"); }

TRect TZurEvoderOzod::GetUsedCells()
{
  TRect R{ColCount() - 1, RowCount() - 1, 0, 0};
  for (int32_t C = 0; C < ColCount(); ++C)
    for (int32_t Row = 0; Row < RowCount(); ++Row)
      if (!GetGridCell(C, Row).isEmpty()) {
        R.Left = std::min(R.Left, C);
        R.Top = std::min(R.Top, Row);
        R.Right = std::max(R.Right, C);
        R.Bottom = std::max(R.Bottom, Row);
      }
  if (R.Right < R.Left || R.Bottom < R.Top)
    return TRect{};
  return R;
}

// ---------------------------------------------------------------- range of file output

int32_t TZurEvoderOzod::GetSaveStartCol() const { return FSaveFixedCells || FSaveFixedCols ? 0 : FixedCols(); }

int32_t TZurEvoderOzod::GetSaveEndCol() const
{
  return FSaveFixedCells || FSaveFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
}

int32_t TZurEvoderOzod::GetSaveColCount() const
{
  return FSaveFixedCells || FSaveFixedCols ? ColCount() : ColCount() - FixedCols() - FFixedRightCols;
}

int32_t TZurEvoderOzod::GetSaveStartRow() const { return FSaveFixedCells || FSaveFixedRows ? 0 : FixedRows(); }

int32_t TZurEvoderOzod::GetSaveEndRow() const
{
  return FSaveFixedCells || FSaveFixedRows ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
}

int32_t TZurEvoderOzod::GetSaveRowCount() const
{
  return FSaveFixedCells || FSaveFixedRows ? RowCount() : RowCount() - FixedRows() - FFixedFooters;
}

void TZurEvoderOzod::CellsChanged(const TRect& R)
{
  // A copy: a notifier may unregister itself while it is told.
  const std::vector<TGridChangeNotifier*> Notifiers = FNotifierList;
  for (TGridChangeNotifier* N : Notifiers)
    N->CellsChanged(R);
  if (OnCellsChanged)
    OnCellsChanged(this, R);
}
