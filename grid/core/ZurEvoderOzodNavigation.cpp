// Where the cursor may go and where it goes next: visitable cells, the
// first and last visible rows and columns, the next column or row over
// suppressed and merged cells, the next visitable cell, Tab (TabEdit) with
// its wrap to the next row and the row appended at the end, and the advance
// after an edit.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/core/GridSettings.h"
#include "grid/edit/RurInplaceEdit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QWidget>

#include <algorithm>

namespace {

int32_t Clamp(int32_t V, int32_t Lo, int32_t Hi) { return std::max(Lo, std::min(V, Hi)); }

} // namespace

// ---------------------------------------------------------------- cells the cursor may visit

bool TZurEvoderOzod::CanVisitCell(int32_t ACol, int32_t ARow)
{
  bool Can = (Options() & GridOptionBit(goEditing)) ? IsEditable(RemapCol(ACol), ARow) : !IsFixed(ACol, ARow);
  if (OnSelectCell)
    OnSelectCell(this, ACol, ARow, Can);
  return Can;
}

int32_t TZurEvoderOzod::FirstCellInRow(int32_t ARow)
{
  for (int32_t C = 0; C < ColCount(); ++C)
    if (CanVisitCell(C, ARow))
      return C;
  return -1;
}

int32_t TZurEvoderOzod::LastCellInRow(int32_t ARow)
{
  for (int32_t C = ColCount() - 1; C >= 0; --C)
    if (CanVisitCell(C, ARow))
      return C;
  return -1;
}

int32_t TZurEvoderOzod::FixedColsVis()
{
  const int32_t F = TBaseGrid::FixedCols();
  return F == 0 && HasNodes() ? 1 : F;
}

// Hidden columns leave the display columns entirely, so every fixed right
// column counts.
int32_t TZurEvoderOzod::NumFixedRightVis() { return FFixedRightCols; }

int32_t TZurEvoderOzod::FirstVisRow()
{
  const int32_t R = TBaseGrid::FixedRows();
  if (RowHeights(R) != 0)
    return R;
  SetRow(R);
  return NextRow(R + 1);
}

int32_t TZurEvoderOzod::FirstVisCol()
{
  const int32_t C = TBaseGrid::FixedCols();
  if (ColWidths(C) != 0)
    return C;
  SetCol(C);
  return NextCol(C + 1);
}

int32_t TZurEvoderOzod::LastVisRow()
{
  const int32_t R = RowCount() - FFixedFooters - 1;
  if (RowHeights(R) != 0)
    return R;
  SetRow(R);
  return NextRow(R - 1);
}

int32_t TZurEvoderOzod::LastVisCol()
{
  const int32_t C = ColCount() - FFixedRightCols - 1;
  if (ColWidths(C) != 0)
    return C;
  SetCol(C);
  return NextCol(C - 1);
}

// ---------------------------------------------------------------- the next column and row

int32_t TZurEvoderOzod::NextCol(int32_t ACol) { return NextCol(ACol, ACol > Col()); }

int32_t TZurEvoderOzod::NextCol(int32_t ACol, bool Forward)
{
  const int32_t First = TBaseGrid::FixedCols(), Last = ColCount() - 1;
  const int32_t Clamped = Clamp(ACol, First, Last);
  int32_t C = Clamped;
  const int32_t R = Row();
  // Leaving the current cell's merged range: past its far edge, never
  // further. Entering a range: its base cell.
  const int32_t Here = RemapCol(Col());
  if (IsMergedCell(Here, R)) {
    const TRect Range = FullCell(Here, R);
    const int32_t RC = RemapCol(C);
    if (RC >= Range.Left && RC <= Range.Right)
      C = Clamp(Forward ? DisplColIndex(Range.Right) + 1 : DisplColIndex(Range.Left) - 1, First, Last);
  }
  if (IsMergedCell(RemapCol(C), R))
    C = DisplColIndex(BaseCell(RemapCol(C), R).X);
  // Suppressed columns (width 0) are stepped over.
  if (Forward) {
    const int32_t Stop = ColCount() - FFixedRightCols;
    while (C < Stop && ColWidths(C) == 0)
      ++C;
    return C >= Stop ? Clamped : C;
  }
  while (C >= First && ColWidths(C) == 0)
    --C;
  return C < First ? Clamped : C;
}

int32_t TZurEvoderOzod::NextRow(int32_t ARow)
{
  const int32_t First = TBaseGrid::FixedRows(), Last = RowCount() - 1;
  const bool Forward = ARow > Row();
  const int32_t Clamped = Clamp(ARow, First, Last);
  int32_t R = Clamped;
  const int32_t C = RemapCol(Col());
  // As for columns: out of the current range past its far edge, into a
  // range onto its base.
  if (IsMergedCell(C, Row())) {
    const TRect Range = FullCell(C, Row());
    if (R >= Range.Top && R <= Range.Bottom)
      R = Clamp(Forward ? Range.Bottom + 1 : Range.Top - 1, First, Last);
  }
  if (IsMergedCell(C, R))
    R = BaseCell(C, R).Y;
  if (Forward) {
    const int32_t Stop = RowCount() - FFixedFooters;
    while (R < Stop && RowHeights(R) == 0)
      ++R;
    return R >= Stop ? Clamped : R;
  }
  while (R >= First && RowHeights(R) == 0)
    --R;
  if (R < First)
    return RowHeights(Clamped) == 0 ? -1 : Clamped;
  return R;
}

TPoint TZurEvoderOzod::NextVisitableCell(int32_t ACol, int32_t ARow)
{
  const int32_t FC = TBaseGrid::FixedCols(), FR = TBaseGrid::FixedRows();
  const int32_t LastCol = ColCount() - FFixedRightCols - 1, LastRow = RowCount() - FFixedFooters - 1;
  const TAdvanceDirection D = FNavigation->AdvanceDirection();
  int32_t C = ACol, R = ARow;
  for (;;) {
    if (D == adTopBottom || D == adTopBottomInCol) {
      if (++R > LastRow) {
        if (D == adTopBottomInCol || ++C > LastCol)
          return TPoint{-1, -1};
        R = FR;
      }
    } else if (++C > LastCol) {
      if (D == adLeftRightInRow || ++R > LastRow)
        return TPoint{-1, -1};
      C = FC;
    }
    if (CanVisitCell(C, R))
      return TPoint{C, R};
  }
}

// ---------------------------------------------------------------- Tab

bool TZurEvoderOzod::MoveAllowed(int32_t NewCol, int32_t NewRow)
{
  bool Allow = true;
  if (OnRowChanging)
    OnRowChanging(this, Row(), NewRow, Allow);
  if (OnCellChanging)
    OnCellChanging(this, Row(), Col(), NewRow, NewCol, Allow);
  if (OnColChanging)
    OnColChanging(this, Col(), NewCol, Allow);
  return Allow;
}

bool TZurEvoderOzod::TabEdit(bool Backward)
{
  const bool Outer = FTabDepth == 0;
  if (Outer) {
    if (FNavigation->AlwaysEdit())
      HideInplaceEdit();
    if (OnKeyDown) {
      uint16_t Key = VK_TAB;
      OnKeyDown(this, Key, Backward ? ssShift : TShiftState(0));
      if (Key != VK_TAB)
        return true;
    }
  }
  // A Tab that runs again (over cells it may not stay on) ends when it
  // comes back to the cell the first one started from; the depth is bounded
  // by the number of cells whatever the handlers answer.
  if ((Col() == FLastTabCol && Row() == FLastTabRow) || Col() < 0 || Row() < 0 || Col() >= ColCount() ||
      Row() >= RowCount() || (!Outer && FTabDepth > FTabLimit))
    return true;
  if (Outer) {
    FLastTabCol = Col();
    FLastTabRow = Row();
    FTabLimit = ColCount() * RowCount();
    FTabAppended = false;
  }
  ++FTabDepth;
  const auto Guard = qScopeGuard([&] {
    --FTabDepth;
    if (Outer)
      FLastTabCol = FLastTabRow = -1;
  });
  const bool Result = TabStep(Backward);
  if (Outer && FNavigation->AlwaysEdit() && CanFocus())
    SetFocus();
  return Result;
}

bool TZurEvoderOzod::TabStep(bool Backward)
{
  bool Result = true;
  const bool LeftRight =
      FNavigation->TabAdvanceDirection() == adLeftRight || FNavigation->TabAdvanceDirection() == adLeftRightInRow;
  const int32_t LastData = RowCount() - FFixedFooters - 1;
  const int32_t FR = TBaseGrid::FixedRows();
  const bool StartMerged = IsMergedCell(RemapCol(Col()), Row());
  const int32_t StartCol = Col(), StartRow = Row();
  if (!Backward && LeftRight) {
    TabForwardLeftRight(Result);
  } else if (!Backward) {
    const int32_t Below = Row() + CellSpan(RemapCol(Col()), Row()).Y + 1;
    if (Below <= LastData) {
      SetRowEx(Below);
    } else {
      TabToNextRowAtEnd();
      if (Col() < ColCount() - NumFixedRightVis() - 1)
        SetColEx(Col() + 1);
      else {
        SetColEx(FixedColsVis());
        if (FNavigation->TabToNextAtEnd() && Parent()) {
          QCoreApplication::postEvent(Parent()->Handle(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
          Result = false;
        }
      }
    }
  } else if (LeftRight) {
    TabBackwardLeftRight();
  } else {
    if (Row() > FR)
      SetRowEx(Row() - 1);
    else {
      SetRowEx(LastData);
      SetColEx(Col() > FixedColsVis() ? Col() - 1 : ColCount() - NumFixedRightVis() - 1);
    }
  }
  // A cell the Tab may not stay on: on to the next one. The focus handed to
  // the next control leaves no editor behind.
  // A Tab that did not move, or that appended a row it cannot stay on,
  // does not run again: it would append without end.
  const bool Moved = Col() != StartCol || Row() != StartRow;
  if ((Options() & GridOptionBit(goEditing)) && !IsEditable(RemapCol(Col()), Row())) {
    if (Moved && !FTabAppended)
      TabEdit(Backward);
  } else if (Result && FNavigation->AdvanceAutoEdit() && !HasStaticEdit(RemapCol(Col()), Row()) &&
             (Options() & GridOptionBit(goEditing)))
    ForceMouseOnCell(Col(), Row());
  if (StartMerged)
    RepaintCell(StartCol, StartRow);
  return Result;
}

void TZurEvoderOzod::TabForwardLeftRight(bool& Result)
{
  const int32_t Limit = ColCount() - NumFixedRightVis();
  const int32_t LastData = RowCount() - FFixedFooters - 1;
  const int32_t FR = TBaseGrid::FixedRows(), FC = TBaseGrid::FixedCols();
  const int32_t R = Row();
  const int32_t Span = CellSpan(RemapCol(Col()), R).X;
  auto HandOn = [&] {
    if (FNavigation->TabToNextAtEnd() && Parent()) {
      QCoreApplication::postEvent(Parent()->Handle(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
      Result = false;
    }
  };
  if (Col() + Span + 1 < Limit) {
    int32_t C = Col() + Span + 1;
    while (C < Limit && !CanVisitCell(C, R))
      ++C;
    if (C == Limit) {
      FForceSel = true;
      const auto Unforce = qScopeGuard([this] { FForceSel = false; });
      if (R < LastData) {
        const int32_t C2 = FirstCellInRow(R + 1);
        if (MoveAllowed(C2 < 0 ? FC : C2, R + 1) && CanTabToNextRow())
          MoveColRow(C2 < 0 ? FC : C2, R + 1, true, true);
      } else {
        const int32_t C2 = FirstCellInRow(FR);
        if (C2 >= 0 && MoveAllowed(C2, FR))
          FocusCell(C2, FR);
        HandOn();
      }
      return;
    }
    if (CanVisitCell(C, R))
      SetColEx(C);
    else {
      const int32_t NR = R < RowCount() - 1 ? R + 1 : FR;
      const int32_t C2 = FirstCellInRow(NR);
      if (C2 >= 0)
        FocusCell(C2, NR);
    }
    if (!IsBaseCell(RemapCol(Col()), Row()))
      TabEdit(false);
    return;
  }

  // The current cell is the last one of its row.
  if (R < LastData) {
    int32_t Found = -1;
    for (int32_t C = FixedColsVis(); C < Limit && Found < 0; ++C)
      if (IsBaseCell(RemapCol(C), R + 1) && CanVisitCell(C, R + 1))
        Found = C;
    if (Found >= 0) {
      if (MoveAllowed(FC, R + 1) && CanTabToNextRow()) {
        FForceSel = true;
        const auto Unforce = qScopeGuard([this] { FForceSel = false; });
        MoveColRow(Found, R + 1, true, true);
      }
      return;
    }
    for (int32_t NR = R + 2; NR <= LastData; ++NR) {
      const int32_t C2 = FirstCellInRow(NR);
      if (C2 >= 0) {
        FocusCell(C2, NR);
        return;
      }
    }
    FocusCell(Limit - 1, LastData);
    TabEdit(false);
    return;
  }
  // The last data row.
  bool Added = false;
  if (!FNavigation->TabToNextAtEnd() && FNavigation->AdvanceInsert()) {
    bool Allow = true;
    QueryAddRow(Allow);
    if (Allow) {
      if (FFloatingFooter->Visible()) {
        InsertRows(RowCount() - 1, 1);
        SetRowEx(RowCount() - 2);
      } else {
        SetRowCount(RowCount() + 1);
        SetRowEx(RowCount() - 1);
      }
      if (OnAutoAddRow)
        OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
      Added = true;
      FTabAppended = true;
    }
  }
  if (!Added)
    TabToNextRowAtEnd();
  const int32_t C2 = FirstCellInRow(Row());
  if (C2 >= 0)
    SetColEx(C2);
  HandOn();
}

void TZurEvoderOzod::TabBackwardLeftRight()
{
  const int32_t FC = TBaseGrid::FixedCols(), FR = TBaseGrid::FixedRows();
  const int32_t LastData = RowCount() - FFixedFooters - 1;
  const int32_t Vis = FixedColsVis();
  const int32_t R = Row();
  auto Base = [this] {
    const int32_t RC = RemapCol(Col());
    if (!IsBaseCell(RC, Row())) {
      const TPoint B = BaseCell(RC, Row());
      FocusCell(DisplColIndex(B.X), B.Y);
    }
  };
  if (Col() > Vis) {
    for (int32_t C = Col() - 1; C >= Vis; --C)
      if (CanVisitCell(C, R) && IsBaseCell(RemapCol(C), R)) {
        SetColEx(C);
        return;
      }
    const int32_t NR = R > FR ? R - 1 : LastData;
    const int32_t C2 = LastCellInRow(NR);
    if (C2 >= 0) {
      FocusCell(C2, NR);
      Base();
    }
    return;
  }
  int32_t C = ColCount() - NumFixedRightVis() - 1;
  while (C > FC && !CanVisitCell(C, R))
    --C;
  const int32_t NR = R > FR ? R - 1 : LastData;
  FocusCell(C, NR);
  Base();
}

void TZurEvoderOzod::TabToNextRowAtEnd() { SetRowEx(TBaseGrid::FixedRows()); }

bool TZurEvoderOzod::IsOnLastRow()
{
  return Row() + 1 == RowCount() - FFixedFooters || (Row() + 2 == RowCount() && FFloatingFooter->Visible());
}

void TZurEvoderOzod::AppendLastRow()
{
  bool Allow = true;
  QueryAddRow(Allow);
  if (!Allow)
    return;
  if (FFloatingFooter->Visible()) {
    // The footer stays last: its texts move down into the new last row.
    const int32_t Footer = RowCount() - 1;
    std::vector<String> Saved;
    for (int32_t C = 0; C < TotalColCount(); ++C)
      Saved.push_back(GetGridCell(C, Footer));
    DoAppendRow();
    for (int32_t C = 0; C < TotalColCount(); ++C) {
      FreeCell(C, RowCount() - 2);
      SetGridCell(C, RowCount() - 1, Saved[static_cast<size_t>(C)]);
    }
  } else {
    DoAppendRow();
    for (int32_t C = 0; C < TotalColCount(); ++C)
      FreeCell(C, RowCount() - 1);
  }
  if (FFloatingFooter->Visible() || FFixedFooters > 0)
    SetRowEx(Row() + 1);
  if (OnAutoAddRow)
    OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
}

// ---------------------------------------------------------------- moving on after an edit

void TZurEvoderOzod::AdvanceEdit(int32_t ACol, int32_t ARow, bool Force, bool AutoEdit, bool Forward, bool Recheck,
                                 bool EditAfterMove)
{
  if (!FNavigation->AdvanceOnEnter() && !Force)
    return;
  if (Recheck && ACol == FAECol && ARow == FAERow)
    return;
  const int32_t FC = TBaseGrid::FixedCols(), FR = TBaseGrid::FixedRows();
  const int32_t LastCol = ColCount() - FFixedRightCols - 1, LastRow = RowCount() - FFixedFooters - 1;
  TPoint To{-1, -1};
  if (Forward) {
    To = NextVisitableCell(ACol, ARow);
    if (To.X < 0 && FNavigation->AdvanceInsert()) {
      AppendLastRow();
      To = NextVisitableCell(ACol, ARow);
    }
    if (To.X < 0 && FNavigation->AdvanceOnEnterLoop())
      To = NextVisitableCell(FNavigation->AdvanceDirection() == adTopBottom ? FC : FC - 1,
                             FNavigation->AdvanceDirection() == adTopBottom ? FR - 1 : FR);
  } else {
    // Backward: the last visitable cell before (ACol, ARow), in the same
    // order.
    const bool Down =
        FNavigation->AdvanceDirection() == adTopBottom || FNavigation->AdvanceDirection() == adTopBottomInCol;
    int32_t C = ACol, R = ARow;
    for (int32_t N = 0; N < ColCount() * RowCount() && To.X < 0; ++N) {
      if (Down) {
        if (--R < FR) {
          R = LastRow;
          if (--C < FC)
            C = LastCol;
        }
      } else if (--C < FC) {
        C = LastCol;
        if (--R < FR)
          R = LastRow;
      }
      if (C == ACol && R == ARow)
        break;
      if (CanVisitCell(C, R))
        To = TPoint{C, R};
    }
  }
  if (To.X < 0)
    return;
  MoveColRow(To.X, To.Y, true, true);
  FAECol = Col();
  FAERow = Row();
  if (EditAfterMove && Col() == To.X && Row() == To.Y &&
      ((AutoEdit && FNavigation->AdvanceAutoEdit()) || HasStaticEdit(RemapCol(Col()), Row())) &&
      (Options() & GridOptionBit(goEditing)))
    ShowInplaceEdit();
}

// ---------------------------------------------------------------- the cursor

void TZurEvoderOzod::SetColEx(int32_t Value)
{
  SetCol(Value);
  FAECol = FAERow = -1;
}

void TZurEvoderOzod::SnapToBase()
{
  const int32_t RC = RemapCol(Col());
  if (IsMergedNonBaseCell(RC, Row())) {
    const TPoint B = BaseCell(RC, Row());
    MoveColRow(DisplColIndex(B.X), B.Y, true, true);
  }
}
