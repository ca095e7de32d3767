// Moving the current cell: the checks SelectCell runs before a cell becomes
// current (an open edit validated, the editing option switched per cell,
// the cell-changing events), the decorations that follow the current cell,
// and the small dispatch methods that fire one event each.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/core/GridSettings.h"
#include "grid/edit/RurInplaceEdit.h"
#include "platform/Bitmap.h"

namespace {

constexpr TGridOptions Editing = GridOptionBit(goEditing);
constexpr TGridOptions RowSelectOption = GridOptionBit(goRowSelect);

} // namespace

bool TZurEvoderOzod::SelectCell(int32_t ACol, int32_t ARow)
{
  const TGridRect OldSel = Selection();
  if (ACol < 0 || ARow < 0)
    return false;
  const bool Indicator = !FRowIndicator->Empty() && TBaseGrid::FixedCols() > 0;
  if (FForceSel) {
    if (Indicator) {
      RepaintCell(0, Row());
      RepaintCell(0, ARow);
    }
    return true;
  }
  if (FInvalidSel)
    return false;
  if (!Parent())
    return true;

  bool Allow = true;
  const int32_t RCol = RemapCol(ACol);
  FEditText = GetCellEx(RCol, ARow);

  // The floating footer stands in the last row: never current.
  if (FFloatingFooter->Visible() && ARow == RowCount() - 1)
    return false;

  // A covered cell of a merged range is reached through its base cell.
  if (IsMergedNonBaseCell(RCol, ARow)) {
    const TPoint Base = BaseCell(RCol, ARow);
    MoveColRow(DisplColIndex(Base.X), Base.Y, true, true);
    RepaintCell(DisplColIndex(Base.X), Base.Y);
    if (FMouseActions->DirectEdit() || (FControlLook->DropDownAlwaysVisible() && HasCombo(Base.X, Base.Y, edNone)))
      ShowEditor();
    return false;
  }
  if (ACol == 0 && FNumNodes > 0 && !(Options() & RowSelectOption))
    return false;

  String NewText = GetCellEx(RCol, ARow);
  const bool Std = GetInplaceEditor() && GetInplaceEditor()->Focused();

  // The editing option follows the cell: on for an editable cell, off for a
  // read-only one (so that no key opens an editor there). Hiding an open
  // edit validates it; a refusal there keeps the cursor where it is.
  const bool EditingOn = Options() & Editing;
  FLastValidation = true;
  if (HasStaticEdit(RCol, ARow)) {
    bool CanEdit = true;
    GetCellReadOnly(RCol, ARow, CanEdit);
    if (!FEditDisable)
      FEditDisable = !CanEdit && (EditingOn || FMouseActions->RangeSelectAndEdit());
    if (!EditingOn && !(Options() & RowSelectOption) && CanEdit) {
      FEditChange = true;
      SetOptions(Options() | Editing);
    }
  } else {
    bool CanEdit = EditingOn || FEditDisable;
    GetCellReadOnly(RCol, ARow, CanEdit);
    if (CanEdit && FMouseActions->DirectEdit()) {
      EditControl = FDefaultEditor;
      if (GetEditorNone(RCol, ARow))
        CanEdit = false;
    }
    if (FMouseActions->EditOnDblClickOnly())
      CanEdit = false;
    if (CanEdit) {
      FEditDisable = false;
      if (!EditingOn) {
        FEditChange = true;
        if (!FEditing)
          InitValidate(Col(), Row());
        if ((Options() & RowSelectOption) && FMouseActions->RangeSelectAndEdit())
          SetOptions(Options() & ~RowSelectOption);
        SetOptions(Options() | Editing);
      }
      if (FEditing) {
        HideInplaceEdit();
        NewText = GetCellEx(RCol, ARow);
      }
    } else {
      if (FEditing) {
        HideInplaceEdit();
        NewText = GetCellEx(RCol, ARow);
      }
      if (Options() & Editing) {
        EditMode = false;
        FEditDisable = true;
        FEditChange = true;
        SetOptions(Options() & ~Editing);
        HideEditor();
      }
    }
  }

  if (!FLastValidation || FInvalidSel)
    return false;

  bool Result = false;
  bool Kept = false;
  if (FEditing && !Std) {
    // A special editor holds the edit: it is validated before the cell is
    // left.
    const String Current = GetCurrentCell();
    Allow = IsWideCell(RCol, Row()) ? ValidateCellWide(Current) : ValidateCell(Current);
    DoCellChanging(ACol, ARow, Allow);
    if (Allow)
      Result = TBaseGrid::SelectCell(ACol, ARow);
    else if (!FInvalidEntryTitle.isEmpty()) {
      FInvalidCache = Current;
      FInvalidSel = true;
      // The refused text goes back to the cell being edited, not the one
      // the move was for.
      PostGridMessage(RegisterGridUnit().WM_GRIDEDITINVALID, static_cast<uintptr_t>(Col()), Row());
    }
    Kept = !Result;
  } else {
    if (EditMode && FNavigation->AlwaysEdit() && !FValidating)
      HideInplaceEdit();
    DoCellChanging(ACol, ARow, Allow);
    if (IsFixed(ACol, ARow) || !Allow)
      Result = (Allow && (Options() & RowSelectOption)) || (FFixedRowAlways && TBaseGrid::FixedRows() == RowCount());
    else
      Result = TBaseGrid::SelectCell(ACol, ARow);
  }

  // Decorations that follow the current cell.
  if (Indicator) {
    RepaintCell(0, Row());
    RepaintCell(0, ARow);
  }
  if (FActiveCellShow) {
    UpdateActiveCells(Col(), Row(), ACol, ARow);
    if (OldSel.Left != Col() && OldSel.Top != Row())
      UpdateActiveCells(OldSel.Left, OldSel.Top, ACol, ARow);
  }
  if (ActiveRowShow()) {
    InvalidateRow(ARow);
    InvalidateRow(OldSel.Top);
  }
  if (FSelectionRectangle)
    InvalidateGridRect(Selection());
  for (int32_t C = 0; C < TotalColCount(); ++C)
    if (IsYMergedCell(C, OldSel.Top) || IsYMergedCell(C, ARow)) {
      Invalidate();
      break;
    }

  // OnRowChanged tells of a row that became current, once.
  if (FOldRowSel < 0)
    FOldRowSel = Row();
  if (Result && !(ComponentState() & csLoading) && ARow != FOldRowSel && OnRowChanged) {
    const int32_t Old = FOldRowSel;
    FOldRowSel = ARow;
    OnRowChanged(this, Old, ARow);
  }
  if (HasCustomCellBorder())
    for (int32_t R = OldSel.Top; R <= OldSel.Bottom; ++R)
      InvalidateRow(R);

  // The text an edit began with stays while the edit is being validated
  // (the editor going and coming back selects the cell again).
  if (!FValidating)
    FCellCache = Kept ? GetCurrentCell() : NewText;
  // The user moved the selection to another cell (keys, a press, a drag):
  // it is a selection again, not a parked one that paints nothing.
  if (Result && (ACol != Col() || ARow != Row()))
    FSelHidden = false;
  return Result;
}

void TZurEvoderOzod::DoCellChanging(int32_t NewCol, int32_t NewRow, bool& Allow)
{
  if (FBlockCellChanging)
    return;
  const int32_t OldCol = Col(), OldRow = Row();
  if (NewCol != OldCol && OnColChanging)
    OnColChanging(this, OldCol, NewCol, Allow);
  if (NewRow != OldRow && OnRowChanging)
    OnRowChanging(this, OldRow, NewRow, Allow);
  if ((NewCol != OldCol || NewRow != OldRow) && !FDisableChange && OnCellChanging)
    OnCellChanging(this, OldRow, OldCol, NewRow, NewCol, Allow);
}

void TZurEvoderOzod::UpdateActiveCells(int32_t OldCol, int32_t OldRow, int32_t NewCol, int32_t NewRow)
{
  const int32_t FR = TBaseGrid::FixedRows(), FC = TBaseGrid::FixedCols();
  if (FR > 0) {
    RepaintCell(OldCol, FR - 1);
    RepaintCell(NewCol, FR - 1);
  }
  if (FC > 0) {
    RepaintCell(FC - 1, OldRow);
    RepaintCell(FC - 1, NewRow);
  }
}

bool TZurEvoderOzod::ShouldHandleTab()
{
  return (Options() & GridOptionBit(goTabs)) || OnCellValidate || OnCellValidateWide;
}

bool TZurEvoderOzod::CanTabToNextRow() { return true; }

bool TZurEvoderOzod::CanShowFixedDropDown(int32_t ACol)
{
  bool CanShow = true;
  if (OnCanShowFixedDropDown)
    OnCanShowFixedDropDown(this, ACol, CanShow);
  return CanShow;
}

// ---------------------------------------------------------------- one event each

void TZurEvoderOzod::DoCheckBoxClick(int32_t ACol, int32_t ARow, bool State)
{
  if (OnCheckBoxClick)
    OnCheckBoxClick(this, ACol, ARow, State);
}

void TZurEvoderOzod::DoClickCell(int32_t ARow, int32_t ACol)
{
  if (OnClickCell)
    OnClickCell(this, ARow, ACol);
}

void TZurEvoderOzod::DoClickSort(int32_t ACol)
{
  if (OnClickSort)
    OnClickSort(this, ACol);
}

void TZurEvoderOzod::DoClipboardPasteDone(const TGridRect& CellRect)
{
  if (OnClipboardPasteDone)
    OnClipboardPasteDone(this, CellRect);
}

void TZurEvoderOzod::DoStartBlockFocus() { FireNotify(OnStartBlockFocus, this); }

void TZurEvoderOzod::DoEndBlockFocus() { FireNotify(OnEndBlockFocus, this); }
