// The grid's own window messages (the deferred editor actions it posts to
// itself), the editors' notifications (text changes of the text editor,
// the combo editor's selection, drop-down and close-up), and the small
// handlers of the grid's window.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/edit/GridCombo.h"
#include "grid/edit/RurInplaceEdit.h"
#include "platform/Messages.h"
#include "platform/StdCtrls.h"
#include "rtl/StringList.h"

#include <QScopeGuard>

void TZurEvoderOzod::PostGridMessage(uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
  if (FGridWindow)
    PostMessage(FGridWindow->Handle(), Msg, WParam, LParam);
}

intptr_t TZurEvoderOzod::GridMessage(uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
  if (ComponentState() & csDestroying)
    return 0;
  const TGridUnitIds& Ids = RegisterGridUnit();
  const auto ACol = static_cast<int32_t>(WParam);
  const auto ARow = static_cast<int32_t>(LParam);
  if (Msg == Ids.WM_GRIDEDITSHOW) {
    ShowInplaceEdit();
  } else if (Msg == Ids.WM_GRIDEDITDONE) {
    if (OnEditCellDone)
      OnEditCellDone(this, ACol, ARow);
    // Editing by double click only: the next edit needs a double click again.
    if (FMouseActions->EditOnDblClickOnly()) {
      HideEditor();
      EditMode = false;
      SetOptions(Options() & ~GridOptionBit(goEditing));
    }
  } else if (Msg == Ids.WM_GRIDEDITINVALID) {
    // The refused text goes back into the editor on its cell, all selected,
    // for the user to mend; the cell keeps its old text meanwhile.
    FocusCell(ACol, ARow);
    SetGridCell(RemapCol(ACol), ARow, FInvalidCache);
    ShowInplaceEdit();
    ValidateCell(FInvalidCache);
    if (TRurInplaceEdit* E = GetInplaceEditor()) {
      E->SetText(FInvalidCache);
      E->SelectAll();
    }
    FInvalidSel = false;
  } else if (Msg == Ids.WM_FILTEREDITUPDATE) {
    if (OnFilterEditDone)
      OnFilterEditDone(this, FEditFilterColumn, FEditFilterCondition, FEditFilterType);
  }
  return 0;
}

void TZurEvoderOzod::InplaceEditChanged()
{
  // Every change the user types goes into the cell at once, so that what
  // the grid shows, sorts or saves meanwhile is what the editor holds. It
  // goes to the cell the editor was opened on.
  if (!FShowEditProcess || FEditStart || !EditMode || !IsTextEditorKind(EditControl))
    return;
  if (TRurInplaceEdit* E = GetInplaceEditor())
    SetEditText(E->FColE, E->FRowE, E->Text());
}

void TZurEvoderOzod::ComboNotify(TCustomComboBox* Source, uint16_t Code)
{
  const int32_t RCol = RealColIndex(Col());
  bool Reported = false;
  auto Choice = [](TCustomComboBox* B, int32_t& Index) {
    Index = B->ItemIndex();
    return Index >= 0 ? B->Items()->Strings(Index) : B->Text();
  };
  auto Report = [&](int32_t Index, const String& Text) {
    if (OnComboChange) {
      OnComboChange(this, RCol, Row(), Index, Text);
      Reported = true;
    }
    if (OnComboObjectChange)
      OnComboObjectChange(this, RCol, Row(), Index, Text, Index >= 0 ? EditCombo->Items()->Objects(Index) : nullptr);
  };
  if (Source && Source == EditCombo) {
    int32_t Index = -1;
    if ((Code == 1 || Code == 5) && EditMode) {
      const String Text = Choice(EditCombo, Index);
      Report(Index, Text);
    } else if (Code == 8) {
      if (FMouseActions->DirectComboClose()) {
        const String Text = Choice(EditCombo, Index);
        EditCombo->SetText(Text);
        if (Text != FCellCache)
          Report(Index, Text);
        EditControl = edComboEdit;
        EditMode = true;
        const bool DirectEdit = FMouseActions->DirectEdit();
        FMouseActions->SetDirectEdit(false);
        HideInplaceEdit();
        FMouseActions->SetDirectEdit(DirectEdit);
        if (CanFocus())
          SetFocus();
      }
      DoComboCloseUp(Row(), RCol);
    } else if (Code == 7) {
      DoComboDropDown(Row(), RCol);
    }
  }
  if (Code == 5 && !Reported && OnComboChange)
    OnComboChange(this, Col(), Row(), -1, EditCombo ? EditCombo->Text() : String());
}

void TZurEvoderOzod::InvalidateGridRect(const TGridRect& R)
{
  const TRect A = CellRect(R.Left, R.Top), B = CellRect(R.Right, R.Bottom);
  InvalidateRect(TRect{std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                       std::max(A.Bottom, B.Bottom)});
}

void TZurEvoderOzod::ResetFixedCellHighlight()
{
  FSizeFixed = false;
  if (FHoverFixedCells != hfNone && FHoverFixedX >= 0 && FHoverFixedY >= 0) {
    const int32_t X = FHoverFixedX, Y = FHoverFixedY;
    FHoverFixedX = FHoverFixedY = -1;
    RepaintCell(X, Y);
  }
}

void TZurEvoderOzod::EllipsClick(const String& Value, String& Result)
{
  Result = Value;
  if (OnEllipsClick) {
    String S = Value;
    OnEllipsClick(this, RealColIndex(Col()), Row(), S);
    Result = S;
  }
}

void TZurEvoderOzod::UnitChanged(TObject*, const String& NewUnit)
{
  if (OnUnitChanged)
    OnUnitChanged(this, Col(), Row(), NewUnit);
}
