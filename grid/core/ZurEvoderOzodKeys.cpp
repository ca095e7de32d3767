// The grid's keys while the grid itself has the focus: the rules that run
// before and after the standard key handling (WMKeyDown), the refinements
// of the standard cell navigation (KeyDown: suppressed and merged cells,
// wrap-around, moving rows), the character handling of Return and Escape
// (KeyPress), and the clipboard of the selected cells.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/core/GridSettings.h"
#include "grid/edit/RurInplaceEdit.h"
#include "platform/Clipbrd.h"
#include "platform/Forms.h"
#include "rtl/StringList.h"

#include <QScopeGuard>
#include <QStringList>

#include <algorithm>

namespace {

constexpr TGridOptions Editing = GridOptionBit(goEditing);
constexpr TGridOptions RowSelectOption = GridOptionBit(goRowSelect);
constexpr TGridOptions RangeSelect = GridOptionBit(goRangeSelect);

} // namespace

// ---------------------------------------------------------------- WMKeyDown

void TZurEvoderOzod::WMKeyDown(uint16_t& Key, TShiftState Shift)
{
  FMoveSelection = Selection();
  const int32_t OldLeft = LeftCol();
  const int32_t RCol = RemapCol(Col());
  const bool Ctrl = Shift & ssCtrl;
  const bool Shifted = Shift & ssShift;
  const bool RowSel = Options() & RowSelectOption;
  const bool KeepHoriz = (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) && RowSel &&
                         LeftCol() != TBaseGrid::FixedCols() && FNavigation->KeepHorizScroll();
  auto FireKey = [&] { DoGridKeyDown(Key, Shift); };

  // Scrolling only: the current cell stays.
  if (FNavigation->MoveScrollOnly() &&
      (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN)) {
    const int32_t V = VisibleRowCount(), FR = TBaseGrid::FixedRows();
    switch (Key) {
    case VK_PRIOR:
      SetTopRow(V + FR >= TopRow() ? FR : TopRow() - V);
      break;
    case VK_NEXT:
      if (TopRow() + V < RowCount())
        SetTopRow(TopRow() + V);
      break;
    case VK_END:
      SetTopRow(RowCount() - V);
      break;
    case VK_HOME:
      SetTopRow(FR);
      break;
    case VK_UP:
      if (TopRow() > FR)
        SetTopRow(TopRow() - 1);
      break;
    default:
      if (TopRow() + V < RowCount())
        SetTopRow(TopRow() + 1);
      break;
    }
    return;
  }

  const bool ReturnOrF2 = Key == VK_RETURN || Key == VK_F2;
  if (ReturnOrF2 && FMouseActions->EditOnDblClickOnly() && !(Options() & Editing)) {
    const bool Range = FMouseActions->RangeSelectAndEdit();
    FMouseActions->SetRangeSelectAndEdit(true);
    if (IsEditable(RCol, Row()))
      SetOptions(Options() | Editing);
    FMouseActions->SetRangeSelectAndEdit(Range);
  }
  if (ReturnOrF2 && FMouseActions->RangeSelectAndEdit() && !(Options() & Editing) && !IsEditable(RCol, Row())) {
    FireKey();
    Key = 0;
    return;
  }
  if (ReturnOrF2 && (Options() & Editing) && !IsEditable(RCol, Row())) {
    FireKey();
    Key = 0;
    return;
  }
  // Return on a cell that cannot be edited opens nothing.
  if (Key == VK_RETURN && !IsEditable(RCol, Row())) {
    TCustomForm* Form = ParentForm();
    if (Form && Form->KeyPreview())
      TBaseGrid::WMKeyDown(Key, Shift);
    else {
      FireKey();
      Key = 0;
    }
    return;
  }
  // Return or Space on a button operates it.
  if ((Key == VK_RETURN || Key == VK_SPACE) && HasStaticEdit(RCol, Row())) {
    bool MayEdit = (Options() & Editing) || FMouseActions->RangeSelectAndEdit();
    GetCellReadOnly(RCol, Row(), MayEdit);
    const TCellType T = GetCellType(BaseCell(RCol, Row()).X, BaseCell(RCol, Row()).Y);
    if ((T == ctButton || T == ctBitButton || T == ctVirtButton) && MayEdit)
      DoButtonClick(Col(), Row());
    RepaintCell(Col(), Row());
  }

  if (HomeEndKey(Key, Shift))
    return;

  // Whole rows selected and more columns than fit: Left and Right scroll.
  if (RowSel && !IsNode(Row()) && (Key == VK_LEFT || Key == VK_RIGHT) && (!FNavigation->LeftRightRowSelect() || Ctrl)) {
    if (Key == VK_LEFT && LeftCol() > TBaseGrid::FixedCols())
      SetLeftCol(LeftCol() - 1);
    else if (Key == VK_RIGHT && LeftCol() + VisibleColCount() < ColCount())
      SetLeftCol(LeftCol() + 1);
    if (!FNavigation->LeftRightRowSelect()) {
      FireKey();
      return;
    }
  }

  if (Key == VK_TAB && !Ctrl && (Options() & GridOptionBit(goTabs))) {
    TabEdit(Shifted);
    const TGridRect S = Selection();
    if (!(S == FMoveSelection))
      SelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
    Key = 0;
    return;
  }

  if (FNavigation->SkipFixedCells())
    SkipFixedCellsKey(Key, Shift);

  if (Key == VK_DOWN && FNavigation->AppendOnArrowDown() && IsOnLastRow())
    AppendLastRow();

  if (FSelectionRectangle && !(Selection() == FMoveSelection)) {
    InvalidateGridRect(Selection());
    FMoveSelection = Selection();
  }

  const int32_t OldCol = Col(), OldRow = Row();
  {
    if (KeepHoriz)
      BeginUpdate();
    const auto Restore = qScopeGuard([&] {
      if (KeepHoriz) {
        SetLeftCol(OldLeft);
        EndUpdate();
      }
    });
    TBaseGrid::WMKeyDown(Key, Shift);
  }

  if (ClipboardKey(Key, Shift) || InsertDeleteKey(Key, Shift) || SelectAllKey(Key, Shift))
    return;

  // Ctrl+Tab with fixed right columns wraps at the last normal column.
  if (Key == VK_TAB && (Options() & GridOptionBit(goTabs)) && FFixedRightCols > 0 &&
      OldCol == ColCount() - FFixedRightCols - 1) {
    SetRowEx(OldRow < RowCount() - FFixedFooters - 1 ? OldRow + 1 : TBaseGrid::FixedRows());
    SetColEx(FixedColsVis());
  }
  if (ReturnOrF2) {
    InitValidate(Col(), Row());
    if (Key == VK_F2)
      DoF2Edit();
  }
  const TGridRect S = Selection();
  if (!(S == FMoveSelection)) {
    if (!FMouseActions->DisjunctRowSelect())
      SelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
    FMoveSelection = S;
  }
}

bool TZurEvoderOzod::HomeEndKey(uint16_t Key, TShiftState Shift)
{
  if (Key != VK_HOME && Key != VK_END)
    return false;
  const bool Ctrl = Shift & ssCtrl, Shifted = Shift & ssShift;
  const bool RowSel = Options() & RowSelectOption;
  const THomeEndAction How = FNavigation->HomeEndKey();
  const int32_t FC = TBaseGrid::FixedCols(), FR = TBaseGrid::FixedRows();
  const bool OneRow = FFixedRowAlways && RowCount() == 1;
  auto Finish = [&] {
    uint16_t K = Key;
    DoGridKeyDown(K, Shift);
    const TGridRect S = Selection();
    if (!(S == FMoveSelection)) {
      if (!FMouseActions->DisjunctRowSelect())
        SelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
      FMoveSelection = S;
    }
    return true;
  };
  if (Key == VK_HOME) {
    if (How == heFirstLastCell && !Ctrl) {
      MoveColRow(FC, FR, true, true);
      SnapToBase();
      return Finish();
    }
    if (How == heFirstLastRow && !Ctrl) {
      if (OneRow)
        return false;
      const int32_t Old = Row();
      if (Shifted)
        SetSelection(TGridRect{0, FR, ColCount() - 1, Old});
      else {
        SetRowEx(FR);
        SnapToBase();
      }
      return Finish();
    }
    if (How == heFirstLastColumn && Ctrl) {
      const int32_t C = FirstCellInRow(FR);
      MoveColRow(C < 0 ? FC : C, FR, true, true);
      SnapToBase();
      SetLeftCol(FixedColsVis());
      return Finish();
    }
    if (How == heFirstLastColumn && !RowSel) {
      if (OneRow)
        return false;
      if (Shifted) {
        SetSelection(TGridRect{FC, Row(), Col(), Row()});
        InvalidateRow(Row());
      } else {
        const int32_t C = FirstCellInRow(Row());
        MoveColRow(C < 0 ? FC : C, Row(), true, true);
        SnapToBase();
        SetLeftCol(FixedColsVis());
      }
      return Finish();
    }
    return false;
  }
  if (How == heFirstLastCell && !Ctrl && !Shifted) {
    MoveColRow(ColCount() - 1, RowCount() - 1, true, true);
    SnapToBase();
    return Finish();
  }
  if (!Ctrl && (How == heFirstLastRow || RowSel || FMouseActions->DisjunctRowSelect())) {
    if (OneRow)
      return false;
    const int32_t Old = Row();
    if (Shifted)
      SetSelection(TGridRect{0, Old, ColCount() - 1, LastVisRow()});
    else {
      SetRowEx(LastVisRow());
      if (FFixedFooters > 0 && !FFloatingFooter->Visible())
        SetTopRow(RowCount() - VisibleRowCount());
      SnapToBase();
    }
    return Finish();
  }
  if (How == heFirstLastColumn && !Ctrl && !RowSel) {
    if (OneRow)
      return false;
    if (Shifted) {
      SetSelection(TGridRect{Col(), Row(), ColCount() - 1 - FFixedRightCols, Row()});
      InvalidateRow(Row());
    } else {
      MoveColRow(LastVisCol(), Row(), true, true);
      SnapToBase();
      SetLeftCol(ColCount() - VisibleColCount());
    }
    return Finish();
  }
  return false;
}

bool TZurEvoderOzod::SkipFixedCellsKey(uint16_t& Key, TShiftState Shift)
{
  if (Key != VK_LEFT && Key != VK_RIGHT && Key != VK_UP && Key != VK_DOWN)
    return false;
  const int32_t FC = TBaseGrid::FixedCols(), FR = TBaseGrid::FixedRows();
  const int32_t C = Col(), R = Row();
  bool Applies = false;
  switch (Key) {
  case VK_LEFT:
    Applies = C > FC && IsFixed(C - 1, R);
    break;
  case VK_RIGHT:
    Applies = C < ColCount() - FFixedRightCols - 1 && IsFixed(C + 1, R);
    break;
  case VK_UP:
    Applies = R > FR && IsFixed(C, R - 1);
    break;
  default:
    Applies = R < RowCount() - FFixedFooters - 1 && IsFixed(C, R + 1);
    break;
  }
  if (!Applies)
    return false;
  uint16_t Copy = Key;
  DoGridKeyDown(Copy, Shift);
  if (Copy != Key)
    return false;
  switch (Key) {
  case VK_LEFT: {
    int32_t To = C - 1;
    while (To >= FC && IsFixed(To, R))
      --To;
    if (To >= FC)
      SetColEx(To);
    break;
  }
  case VK_RIGHT: {
    int32_t To = C + 1;
    const int32_t Stop = ColCount() - FFixedRightCols;
    while (To < Stop && IsFixed(To, R))
      ++To;
    if (To < Stop)
      SetColEx(To);
    break;
  }
  case VK_UP: {
    if (Options() & RowSelectOption) {
      SetRowEx(R - 1);
      break;
    }
    int32_t To = R - 1;
    while (To >= FR && IsFixed(C, To))
      --To;
    if (To >= FR)
      SetRowEx(To);
    break;
  }
  default: {
    int32_t To = R + 1;
    const int32_t Stop = RowCount() - FFixedFooters;
    while (To < Stop && IsFixed(C, To))
      ++To;
    if (To < Stop)
      SetRowEx(To);
    break;
  }
  }
  Key = 0;
  return true;
}

bool TZurEvoderOzod::ClipboardKey(uint16_t Key, TShiftState Shift)
{
  if (!FNavigation->AllowClipboardShortCuts())
    return false;
  const bool Ctrl = Shift == ssCtrl, Shifted = Shift == ssShift;
  const TGridRect Before = Selection();
  bool Allow = true;
  if ((Ctrl && Key == VK_X) || (Shifted && Key == VK_DELETE)) {
    DoClipboardCut(this, Allow);
    if (Allow) {
      CutSelectionToClipboard();
      if (OnClipboardCutDone)
        OnClipboardCutDone(this, Before);
    }
    return true;
  }
  if ((Ctrl && Key == VK_V) || (Shifted && Key == VK_INSERT)) {
    DoClipboardPaste(this, Allow);
    if (Allow)
      PasteSelectionFromClipboard();
    return true;
  }
  if ((Ctrl && Key == VK_C) || (Ctrl && Key == VK_INSERT)) {
    DoClipboardCopy(this, Allow);
    if (Allow) {
      CopySelectionToClipboard();
      if (OnClipboardCopyDone)
        OnClipboardCopyDone(this, Before);
    }
    return true;
  }
  return false;
}

bool TZurEvoderOzod::InsertDeleteKey(uint16_t Key, TShiftState Shift)
{
  const int32_t FR = TBaseGrid::FixedRows();
  if (Key == VK_INSERT && Shift == 0 && FNavigation->AllowInsertRow()) {
    bool Allow = true;
    QueryInsertRow(Row(), Allow);
    if (!Allow)
      return true;
    int32_t N = Row();
    int32_t At = N;
    if (FNavigation->InsertPosition() == pInsertAfter) {
      if (FFixedRowAlways && FR == RowCount()) {
        N = 1;
      } else {
        At = N + 1;
        N = N + 1;
      }
    }
    InsertRows(At, 1);
    if (OnAutoInsertRow)
      OnAutoInsertRow(this, RealRowIndex(At));
    FGridModified = true;
    SetRowEx(std::min(N, RowCount() - 1));
    return true;
  }
  if (Key == VK_DELETE && !(Shift & ssAlt) && FNavigation->AllowDeleteRow() && RowCount() - FFixedFooters - FR >= 1) {
    const int32_t Real = RealRowIndex(Row());
    bool Allow = true;
    if (OnCanDeleteRow)
      OnCanDeleteRow(this, Real, Allow);
    if (!Allow)
      return true;
    // The only data row is emptied, not removed.
    if (RowCount() - FFixedFooters - FR == 1 && !FFixedRowAlways)
      ClearRows(Row(), 1);
    else
      RemoveRows(Row(), 1);
    if (OnAutoDeleteRow)
      OnAutoDeleteRow(this, Real);
    InitValidate(Col(), Row());
    FGridModified = true;
    return true;
  }
  return false;
}

bool TZurEvoderOzod::SelectAllKey(uint16_t Key, TShiftState Shift)
{
  if (Key != VK_A || Shift != ssCtrl)
    return false;
  if (!(Options() & (RowSelectOption | RangeSelect)))
    return true;
  const TGridRect Area{FixedColsVis(), TBaseGrid::FixedRows(), ColCount() - FFixedRightCols - 1,
                       RowCount() - FFixedFooters - 1};
  FBlockSelChange = true;
  UpdateOnSelection(Area);
  SetSelection(Area);
  FBlockSelChange = false;
  SelectionChanged(Area.Left, Area.Top, Area.Right, Area.Bottom);
  FMoveSelection = Selection();
  return true;
}

void TZurEvoderOzod::SelectionChanged(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom)
{
  FSelChange = true;
  if (OnSelectionChanged)
    OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

// ---------------------------------------------------------------- KeyDown

void TZurEvoderOzod::KeyDown(uint16_t& Key, TShiftState Shift)
{
  // Targets over suppressed and merged cells, worked out before the
  // standard handling moves the cursor by one.
  int32_t ToCol = -1, ToRow = -1;
  if (!(Shift & (ssShift | ssCtrl | ssAlt))) {
    const THomeEndAction How = FNavigation->HomeEndKey();
    switch (Key) {
    case VK_END:
      if (How == heFirstLastColumn)
        ToCol = LastVisCol();
      else if (How == heFirstLastRow)
        ToRow = LastVisRow();
      break;
    case VK_HOME:
      if (How == heFirstLastColumn)
        ToCol = FirstVisCol();
      else if (How == heFirstLastRow)
        ToRow = FirstVisRow();
      break;
    case VK_LEFT:
      ToCol = NextCol(Col() - 1, false);
      break;
    case VK_RIGHT:
      ToCol = NextCol(Col() + 1, true);
      break;
    case VK_UP:
      ToRow = NextRow(Row() - 1);
      break;
    case VK_DOWN:
      ToRow = NextRow(Row() + 1);
      break;
    default:
      break;
    }
  }
  FLastKeyCell = TPoint{Col(), Row()};
  TBaseGrid::KeyDown(Key, Shift);
  if (ToCol >= 0 && ToCol != Col())
    SetColEx(ToCol);
  if (ToRow > 0 && ToRow < RowCount() && ToRow != Row())
    SetRowEx(ToRow);

  const int32_t FC = TBaseGrid::FixedCols(), FR = TBaseGrid::FixedRows();
  if (FNavigation->CursorMoveRows() && (Shift & ssCtrl) && (Key == VK_DOWN || Key == VK_UP)) {
    const TGridRect S = Selection();
    const int32_t Count = S.Bottom - S.Top + 1;
    if (Key == VK_DOWN && S.Bottom < RowCount() - 1) {
      MoveRows(S.Top, S.Top + 1, Count);
      SetSelection(TGridRect{FC, S.Top + 1, ColCount() - 1, S.Bottom + 1});
    } else if (Key == VK_UP && S.Top > FR) {
      MoveRows(S.Top, S.Top - 1, Count);
      SetSelection(TGridRect{FC, S.Top - 1, ColCount() - 1, S.Bottom - 1});
    }
  }

  const TCursorAdvance Wrap = FNavigation->CursorAdvance();
  if (Wrap != caDefault) {
    const bool Snake = Wrap == caSnake;
    const int32_t LastCol = ColCount() - FFixedRightCols - 1, LastRow = RowCount() - FFixedFooters - 1;
    const TPoint From = FLastKeyCell;
    if (Key == VK_LEFT && From.X == FC)
      MoveColRow(LastCol, Snake && From.Y > FR ? From.Y - 1 : From.Y, true, true);
    else if (Key == VK_RIGHT && From.X == ColCount() - 1)
      MoveColRow(FC, Snake && From.Y < LastRow ? From.Y + 1 : From.Y, true, true);
    else if (Key == VK_UP && From.Y == FR)
      MoveColRow(Snake && From.X > FC ? From.X - 1 : From.X, LastRow, true, true);
    else if (Key == VK_DOWN && From.Y == RowCount() - 1)
      MoveColRow(Snake && From.X < LastCol ? From.X + 1 : From.X, FR, true, true);
  }
}

// ---------------------------------------------------------------- characters

void TZurEvoderOzod::KeyPress(char16_t& Key)
{
  if (Key == 27 && (Options() & Editing) && (EditMode || FEditing))
    RestoreCache();
  if (Key == 13) {
    const bool WasEditing = EditorMode() || EditMode;
    if (IsEditable(RemapCol(Col()), Row()) || FNavigation->AdvanceOnEnter()) {
      if (CanFocus() && !Focused())
        SetFocus();
      if (WasEditing)
        HideInplaceEdit();
      const int32_t C = Col(), R = Row();
      AdvanceEdit(C, R, false, true, !(FKeyShift & ssShift), false, true);
      // Return ends an edit, or moves on: the framework's Return would open
      // the editor again.
      if (WasEditing || FNavigation->AdvanceOnEnter()) {
        if (OnKeyPress)
          OnKeyPress(this, Key);
        Key = 0;
        return;
      }
    }
  }
  TBaseGrid::KeyPress(Key);
}

// ---------------------------------------------------------------- the clipboard

void TZurEvoderOzod::CopySelectionToClipboard()
{
  const TGridRect S = Selection();
  QStringList Lines;
  for (int32_t R = S.Top; R <= S.Bottom; ++R) {
    QStringList Cells;
    for (int32_t C = S.Left; C <= S.Right; ++C)
      Cells << GetCellEx(RemapCol(C), R);
    Lines << Cells.join(QLatin1Char('\t'));
  }
  SetClipboardAsText(Lines.join(QStringLiteral("\r\n")));
}

void TZurEvoderOzod::CutSelectionToClipboard()
{
  CopySelectionToClipboard();
  const TGridRect S = Selection();
  for (int32_t R = S.Top; R <= S.Bottom; ++R)
    for (int32_t C = S.Left; C <= S.Right; ++C)
      SetCellEx(RemapCol(C), R, String());
}

void TZurEvoderOzod::PasteSelectionFromClipboard()
{
  if (!ClipboardHasText())
    return;
  String Text = ClipboardAsText();
  Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (Text.endsWith(QLatin1Char('\n')))
    Text.chop(1);
  const TGridRect S = Selection();
  const QStringList Lines = Text.split(QLatin1Char('\n'));
  // Text from outside: only what fits the grid is taken.
  int32_t Right = S.Left, Bottom = S.Top;
  for (int32_t I = 0; I < Lines.size() && S.Top + I < RowCount(); ++I) {
    const QStringList Cells = Lines[I].split(QLatin1Char('\t'));
    for (int32_t J = 0; J < Cells.size() && S.Left + J < ColCount(); ++J) {
      SetCellEx(RemapCol(S.Left + J), S.Top + I, Cells[J]);
      Right = std::max(Right, S.Left + J);
    }
    Bottom = S.Top + I;
  }
  DoClipboardPasteDone(TGridRect{S.Left, S.Top, Right, Bottom});
}
