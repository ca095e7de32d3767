// Validating an edited value before it goes into its cell: the old value it
// is compared with, the cell checker, OnCellValidate, the modified marks, the
// change notifications, and what a refused entry does (the editor back on
// the cell with the old text, the balloon).
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/base/ZurEvoderOzodCheck.h"
#include "grid/base/rurutil.h"
#include "grid/core/GridChangeNotifier.h"
#include "grid/core/GridSettings.h"
#include "grid/edit/RurInplaceEdit.h"

#include <QScopeGuard>

#include <algorithm>

namespace {

// The text a cell checker leaves.
String Checked(TZurEvoderOzodCheck* Checker, bool Correct, int32_t C, int32_t R, const String& Value)
{
  String Out = Value;
  if (Correct)
    Checker->Correct(C, R, Out, Value);
  else
    Checker->MarkError(C, R, Out, Value);
  return Out;
}

} // namespace

void TZurEvoderOzod::InitValidate(int32_t ACol, int32_t ARow)
{
  FOldCol = ACol;
  FOldRow = ARow;
  const int32_t RCol = RemapCol(ACol);
  FOldCellText = GetEditCell(RCol, ARow);
  FOldCellTextWide = DecodeWideStr(GetEditCell(RCol, ARow));
  FOldModifiedValue = FGridModified;
}

bool TZurEvoderOzod::ValidateCell(const String& NewValue)
{
  if (!FEditing || FValidating)
    return true;
  FEditing = false;
  FValidating = true;
  bool Valid = true;
  // What the edit began with: hiding and showing the editor below moves
  // the focus, whose handling captures the cell afresh.
  const int32_t OldCol = FOldCol;
  const int32_t C = RemapCol(FOldCol), R = FOldRow;
  const String Old = FOldCellText;
  const bool OldModified = FOldModifiedValue;
  FNewCellText = NewValue;
  {
    const auto Final = qScopeGuard([this] {
      InitValidate(Col(), Row());
      FValidating = false;
    });
    if (NewValue != Old || FAlwaysValidate) {
      const bool Changed = NewValue != Old;
      const bool AdvanceOnEnter = FNavigation->AdvanceOnEnter();
      FNavigation->SetAdvanceOnEnter(false);
      auto RestoreAdvance = qScopeGuard([&] { FNavigation->SetAdvanceOnEnter(AdvanceOnEnter); });
      String Value = NewValue;
      if (FCellChecker && FCellChecker->AutoCorrect())
        Value = Checked(FCellChecker, true, C, R, Value);
      if (OnCellValidate)
        OnCellValidate(this, C, R, Value, Valid);
      if (FCellChecker && FCellChecker->AutoMarkError())
        Value = Checked(FCellChecker, false, C, R, Value);
      if (Value != Old)
        FGridModified = true;
      if (TBaseGrid::FixedCols() > 0 && Value != Old) {
        SetRowModified(RealRowIndex(Row()), true);
        if (FShowModified->Enabled())
          RepaintCell(0, Row());
      }
      if (Valid)
        UpdateCell(C, R);
      if (FCellChecker && FCellChecker->AutoMarkError())
        Value = Checked(FCellChecker, false, C, R, Value);
      if (Valid && Changed)
        CellsChanged(TRect{C, R, C, R});
      RestoreAdvance.dismiss();
      FNavigation->SetAdvanceOnEnter(AdvanceOnEnter);
      FNewCellText = Value;
      if (Valid) {
        SetCellEx(C, R, Value);
        if (IsMergedNonBaseCell(C, R))
          SetGridCell(C, R, Value);
      } else {
        FLastValidation = false;
        FValidateDblClick = FMouseActions->EditOnDblClickOnly();
        FMouseActions->SetEditOnDblClickOnly(false);
        // The editor goes and comes back on the cell with the handler's text,
        // or the old one. Editors that lose the focus meanwhile see
        // FValidating and leave the edit alone.
        const bool HandlerChanged = Value != NewValue;
        HideEditor();
        SetCellEx(C, R, HandlerChanged ? Value : Old);
        MoveColRow(OldCol, R, true, true);
        FValidating = false;
        FEditing = true;
        ShowInplaceEdit();
        if (!HandlerChanged && Col() != OldCol)
          InvalidateEditor();
        FGridModified = OldModified;
        TRurInplaceEdit* E = GetInplaceEditor();
        if ((!FInvalidEntryTitle.isEmpty() || !FInvalidEntryText.isEmpty()) && E && !FSpecialEditor && EditMode)
          E->ShowBalloonTip(FInvalidEntryTitle, FInvalidEntryText, static_cast<int32_t>(FInvalidEntryIcon));
      }
      FOldCellText = GetGridCell(C, R);
    } else {
      FMouseActions->SetEditOnDblClickOnly(FValidateDblClick);
    }
  }
  return Valid;
}

bool TZurEvoderOzod::ValidateCellWide(const String& NewValue)
{
  if (!FEditing || FValidating)
    return true;
  FEditing = false;
  FValidating = true;
  bool Valid = true;
  const int32_t OldCol = FOldCol;
  const int32_t C = RemapCol(FOldCol), R = FOldRow;
  const String Old = FOldCellTextWide;
  const bool OldModified = FOldModifiedValue;
  const auto Final = qScopeGuard([this] {
    InitValidate(Col(), Row());
    FValidating = false;
  });
  if (NewValue == Old && !FAlwaysValidate)
    return true;
  String Value = NewValue;
  UpdateCell(C, R);
  if (OnCellValidateWide)
    OnCellValidateWide(this, C, R, Value, Valid);
  if (NewValue != Old) {
    FGridModified = true;
    if (FShowModified->Enabled() && TBaseGrid::FixedCols() > 0) {
      SetRowModified(FOldRow, true);
      RepaintCell(0, FOldRow);
    }
  }
  if (Valid) {
    SetCellEx(C, R, EncodeWideStr(Value));
    if (NewValue != Old)
      CellsChanged(TRect{C, R, C, R});
  } else {
    const bool HandlerChanged = Value != NewValue;
    HideEditor();
    SetCellEx(C, R, EncodeWideStr(HandlerChanged ? Value : Old));
    MoveColRow(OldCol, R, true, true);
    FValidating = false;
    FEditing = true;
    ShowInplaceEdit();
    if (!HandlerChanged && Col() != OldCol)
      InvalidateEditor();
    FGridModified = OldModified;
  }
  FOldCellTextWide = DecodeWideStr(GetGridCell(C, R));
  return Valid;
}

// The floating footer's sums follow the cells once the footer is built.
void TZurEvoderOzod::UpdateCell(int32_t, int32_t) {}

void TZurEvoderOzod::CellsLoaded() {}

void TZurEvoderOzod::RegisterNotifier(TGridChangeNotifier* Item)
{
  if (Item && std::find(FNotifierList.begin(), FNotifierList.end(), Item) == FNotifierList.end())
    FNotifierList.push_back(Item);
}

void TZurEvoderOzod::UnRegisterNotifier(TGridChangeNotifier* Item)
{
  FNotifierList.erase(std::remove(FNotifierList.begin(), FNotifierList.end(), Item), FNotifierList.end());
}

void TZurEvoderOzod::Click()
{
  TBaseGrid::Click();
  FEntered = false;
  InitValidate(Col(), Row());
}

// ---------------------------------------------------------------- modified rows

void TZurEvoderOzod::ClearModifiedRows()
{
  FModifiedRows->Clear();
  Invalidate();
}
