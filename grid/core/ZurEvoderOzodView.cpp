// The current row, the top row, scrolling a cell into view, the parked
// selection and the questions about what is selected. Display rows and
// columns throughout.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/base/rurutil.h"
#include "grid/core/GridSettings.h"

#include <QScopeGuard>

#include <algorithm>

void TZurEvoderOzod::SetRowEx(int32_t Value)
{
  if (Col() < 0 || Col() >= ColCount()) {
    FocusCell(FixedCols(), Value);
    if (Options() & GridOptionBit(goRowSelect))
      SetSelectionEx(TGridRect{FixedCols(), Value, ColCount() - 1, Value});
  }
  const int32_t V = std::max(Value, FixedRows());
  const bool Changed = Row() != V;
  TBaseGrid::SetRow(V);
  FAECol = FAERow = -1;
  if (Row() != FOldRowSel && OnRowChanged) {
    OnRowChanged(this, FOldRowSel, Row());
    FOldRowSel = Row();
  }
  if (FMouseActions->DisjunctRowSelect()) {
    const bool Blocked = FBlockCellChanging;
    FBlockCellChanging = true;
    const auto Restore = qScopeGuard([&] { FBlockCellChanging = Blocked; });
    SelectToRowSelect(false);
  }
  if (Changed && FSyncGrid->Grid() && FSyncGrid->SelectionRow()) {
    if (auto* Z = dynamic_cast<TZurEvoderOzod*>(FSyncGrid->Grid())) {
      // The other grid follows without reporting a click.
      const TNotifyEvent Click = Z->OnClick;
      Z->OnClick = nullptr;
      const auto Restore = qScopeGuard([&] { Z->OnClick = Click; });
      Z->SetRowEx(Row());
    } else if (auto* S = dynamic_cast<TStringGrid*>(FSyncGrid->Grid())) {
      S->SetRow(Row());
    }
  }
  FDisSelection = Selection();
}

void TZurEvoderOzod::SetTopRowEx(int32_t Value)
{
  if (Value >= FixedRows() && Value < RowCount())
    SetTopRow(Value);
}

void TZurEvoderOzod::ScrollInView(int32_t ColIndex, int32_t RowIndex, TScrollPosition Position)
{
  if (ColIndex >= ColCount() || RowIndex >= RowCount())
    return;
  int32_t Left = LeftCol(), Top = TopRow();
  const int32_t VisCols = VisibleColCount(), VisRows = VisibleRowCount();
  auto Place = [Position](int32_t Index, int32_t Visible, int32_t Old) {
    switch (Position) {
    case spMiddle:
      return Index - Visible / 2;
    case spTrailing:
      return Index + 1 - Visible;
    case spLeading:
      return Index;
    default:
      return Old;
    }
  };
  if (ColIndex < LeftCol() || ColIndex >= LeftCol() + VisCols) {
    if (FSelHidden)
      UnHideSelection();
    if (ColIndex >= FixedCols() && ColIndex < AllColCount())
      SetCol(ColIndex);
    Left = std::max(Place(ColIndex, VisCols, Left), FixedCols());
  }
  if (RowIndex < TopRow() || RowIndex >= TopRow() + VisRows) {
    if (RowIndex >= FixedRows() && RowIndex < AllRowCount())
      SetRowEx(RowIndex);
    Top = std::max(Place(RowIndex, VisRows, Top), FixedRows());
  }
  // Near the end the view stops at the last column and row.
  if (Left > ColCount() - VisCols + 1)
    Left = ColCount() + 1 - VisCols;
  if (FixedCols() + VisCols < ColCount())
    SetLeftCol(std::max(Left, FixedCols()));
  if (Top > RowCount() - VisRows + 1)
    Top = RowCount() + 1 - VisRows;
  if (FixedRows() + VisRows < RowCount())
    SetTopRowEx(std::max(Top, FixedRows()));
}

// ---------------------------------------------------------------- the parked selection

// The framework's selection always holds the current cell; the grid keeps
// the parked state itself and paints and answers as if the selection lay
// one past the last cell.
void TZurEvoderOzod::HideSelection()
{
  if (!FSelHidden)
    FOldSelection = Selection();
  FSelHidden = true;
  Invalidate();
}

void TZurEvoderOzod::UnHideSelection()
{
  FSelHidden = false;
  if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount()) {
    SetSelection(FOldSelection);
    return;
  }
  const int32_t Top = FFixedRowAlways && FixedRows() == RowCount() ? 0 : FixedRows();
  const int32_t Left = FFixedColAlways && FixedCols() == ColCount() ? 0 : FixedCols();
  SetSelection(TGridRect{Left, Top, Left, Top});
}

bool TZurEvoderOzod::IsSelectionHidden() const { return FSelHidden; }

void TZurEvoderOzod::DrawCell(int32_t ACol, int32_t ARow, const TRect& ARect, TGridDrawState AState)
{
  if (FSelHidden)
    AState &= ~(GridDrawBit(gdSelected) | GridDrawBit(gdFocused));
  TBaseGrid::DrawCell(ACol, ARow, ARect, AState);
}

// ---------------------------------------------------------------- selecting and asking

void TZurEvoderOzod::SelectCells(int32_t FromCol, int32_t FromRow, int32_t ToCol, int32_t ToRow)
{
  if (FMouseActions->DisjunctCellSelect()) {
    FSelectedCells->Clear();
    for (int32_t C = FromCol; C <= ToCol; ++C)
      for (int32_t R = FromRow; R <= ToRow; ++R)
        FSelectedCells->Add((R << 16) | (C & 0xFFFF));
    Invalidate();
    return;
  }
  const bool OneCell = FromCol == ToCol && FromRow == ToRow;
  if (OneCell && Col() >= 0 && Row() >= 0 && Col() < ColCount() - 1 && Row() < RowCount() - 1) {
    SetCol(ToCol);
    SetRowEx(ToRow);
    return;
  }
  SetSelectionEx(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

bool TZurEvoderOzod::IsSelected(int32_t ACol, int32_t ARow) const
{
  if (ARow < TBaseGrid::FixedRows() || ACol < TBaseGrid::FixedCols())
    return false;
  if (FMouseActions->DisjunctCellSelect())
    return FSelectedCells->IndexOf((ARow << 16) | (ACol & 0xFFFF)) >= 0;
  if (FMouseActions->DisjunctRowSelect())
    return RowSelected(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
  if (FMouseActions->DisjunctColSelect())
    return ColSelected(ACol);
  if (FSelHidden)
    return false;
  const TGridRect S = Selection();
  return ACol >= S.Left && ACol <= S.Right && ARow >= S.Top && ARow <= S.Bottom;
}

String TZurEvoderOzod::SelectedText()
{
  TGridRect S = Selection();
  if (FDragDropSettings->OleEntireRows()) {
    S.Left = 0;
    S.Right = ColCount() - 1;
  }
  if (FSaveHiddenCells)
    S.Right += FNumHidden;
  const bool Disjunct = FMouseActions->DisjunctRowSelect();
  std::vector<int32_t> Rows;
  if (Disjunct) {
    for (int32_t R = FixedRows(); R < RowCount(); ++R)
      if (RowSelected(FMouseActions->RowSelectPersistent() ? RealRowIndex(R) : R))
        Rows.push_back(R);
  } else {
    for (int32_t R = S.Top; R <= S.Bottom; ++R)
      Rows.push_back(R);
  }
  String Text;
  for (size_t I = 0; I < Rows.size(); ++I) {
    for (int32_t C = S.Left; C <= S.Right; ++C) {
      String Cell = GetCellEx(FSaveHiddenCells ? C : RemapCol(C), Rows[I]);
      if (Cell.contains(QStringLiteral("{\\")))
        Cell = PlainRichText(Cell);
      Text += Cell;
      if (C != S.Right)
        Text += u'\t';
    }
    if (Disjunct || I + 1 < Rows.size())
      Text += QStringLiteral("\r\n");
  }
  return Text;
}
