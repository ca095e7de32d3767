// Stretching columns to fill the grid, what follows a change of a column
// width or row height (proportional sizing, the end-of-sizing events), the
// combo editor's item list, and editability. Columns are display columns
// unless said otherwise.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/core/ColumnSize.h"
#include "grid/core/GridSettings.h"
#include "grid/edit/GridCombo.h"
#include "platform/Application.h"
#include "rtl/Exceptions.h"
#include "rtl/RtlMath.h"
#include "rtl/StringList.h"

#include <QScopeGuard>

#include <cmath>
#include <vector>

namespace {

// Nearest integer, halves to even.
int32_t RoundEven(double V) { return static_cast<int32_t>(std::nearbyint(V)); }

bool Terminating() { return Application && Application->Terminated(); }

} // namespace

// ---------------------------------------------------------------- stretching

void TZurEvoderOzod::StretchColumns()
{
  FColumnSize->SetStretchAll(true);
  FColumnSize->SetStretch(true);
  StretchColumn(-1, -1);
}

void TZurEvoderOzod::StretchRightColumn() { StretchColumn(ColCount() - 1, -1); }

void TZurEvoderOzod::StretchColumn(int32_t ACol, int32_t AWidth)
{
  if ((ComponentState() & (csLoading | csDestroying)) || Terminating())
    return;
  const int32_t Client = ClientWidth();
  if (AWidth == -1)
    AWidth = Client;
  if (ACol == -1)
    ACol = ColCount() - 1;
  if (ACol >= ColCount())
    throw Exception(QStringLiteral("Stretch column index out of range"));
  if (ColCount() == 0 || !FColumnSize->Stretch() || FIsColChanging)
    return;
  FIsColChanging = true;
  ColchgFlg = false;
  const auto Done = qScopeGuard([this] {
    ColchgFlg = true;
    FIsColChanging = false;
  });
  if (ColCount() == 1) {
    SetColWidths(0, Client);
    return;
  }
  if (FColumnSize->StretchAll()) {
    const int32_t N = ColCount() - FixedCols() - FFixedRightCols;
    if (N <= 0)
      return;
    int32_t Rest = AWidth;
    for (int32_t C = 0; C < FixedCols(); ++C)
      Rest -= ColWidths(C);
    for (int32_t C = ColCount() - FFixedRightCols; C < ColCount(); ++C)
      Rest -= ColWidths(C);
    const int32_t Each = Rest / N;
    int32_t Extra = Rest % N;
    for (int32_t C = FixedCols(); C < ColCount() - FFixedRightCols; ++C) {
      SetColWidths(C, Each + (Extra > 0 ? 1 : 0));
      Extra -= Extra > 0 ? 1 : 0;
    }
    return;
  }
  int32_t Sum = 0;
  for (int32_t C = 0; C < ColCount(); ++C)
    Sum += C == ACol ? 0 : ColWidths(C);
  if (Client < Sum) {
    if (LeftCol() == FixedCols())
      SetColWidths(ACol, DefaultColWidth());
  } else {
    SetColWidths(ACol, AWidth - Sum);
  }
}

// Re-stretching after a change of the counts or widths: a stretch column
// the grid does not have (yet, or after hiding columns) stretches nothing,
// instead of failing the operation that changed the grid.
void TZurEvoderOzod::SizeChanged(int32_t OldColCount, int32_t OldRowCount)
{
  if (Parent() && !(ComponentState() & (csLoading | csReading)) && !Terminating() && FColumnSize->Stretch() &&
      FColumnSize->StretchColumn() < ColCount())
    StretchColumn(FColumnSize->StretchColumn(), -1);
  TBaseGrid::SizeChanged(OldColCount, OldRowCount);
}

void TZurEvoderOzod::ColWidthsChanged()
{
  if (ColchgFlg && HandleAllocated() && FColumnSize->StretchColumn() < ColCount())
    StretchColumn(FColumnSize->StretchColumn(), -1);
  TBaseGrid::ColWidthsChanged();
  ColSizeFlg = true;
  if (ColSized && FMouseActions->AllColumnSize() && Colclickedsize > 0) {
    ColSized = false;
    const double Factor = static_cast<double>(ColWidths(Colclicked)) / Colclickedsize;
    for (int32_t C = FixedCols(); C < ColCount(); ++C)
      if (C != Colclicked)
        SetColWidths(C, RoundEven(ColWidths(C) * Factor));
    ColSized = true;
  }
  if (ColSized) {
    if (OnEndColumnSize)
      OnEndColumnSize(this, Colclicked);
    int32_t Width = ColWidths(Colclicked);
    UpdateColSize(Colclicked, Width);
    if (Width != ColWidths(Colclicked)) {
      ColSized = false;
      SetColWidths(Colclicked, Width);
    }
  }
  if (ColSized) {
    Colclicked = -1;
    Rowclicked = -1;
  }
  ColSized = false;
  CellControlsUpdate(false);
}

void TZurEvoderOzod::RowHeightsChanged()
{
  TBaseGrid::RowHeightsChanged();
  if (RowSized && FMouseActions->AllRowSize() && Rowclickedsize > 0) {
    RowSized = false;
    std::vector<int32_t> Fixed;
    for (int32_t R = 0; R < FixedRows(); ++R)
      Fixed.push_back(RowHeights(R));
    const double Factor = static_cast<double>(RowHeights(Rowclicked)) / Rowclickedsize;
    for (int32_t R = FixedRows(); R < RowCount(); ++R)
      if (R != Rowclicked)
        SetRowHeights(R, RoundEven(RowHeights(R) * Factor));
    SetDefaultRowHeight(RowHeights(FixedRows()));
    for (int32_t R = 0; R < FixedRows(); ++R)
      SetRowHeights(R, Fixed[static_cast<size_t>(R)]);
    RowSized = true;
  }
  if (RowSized) {
    if (OnEndRowSize)
      OnEndRowSize(this, Rowclicked);
    Colclicked = -1;
    Rowclicked = -1;
  }
  RowSized = false;
  CellControlsUpdate(false);
}

// The base grid's zone alone: asking the owner belongs to a press.
bool TZurEvoderOzod::InSizeZone(int32_t X, int32_t Y)
{
  TGridState State = gsNormal;
  int32_t Index = -1;
  TBaseGrid::CalcSizingState(X, Y, State, Index);
  return State != gsNormal;
}

void TZurEvoderOzod::CalcSizingState(int32_t X, int32_t Y, TGridState& State, int32_t& Index)
{
  TBaseGrid::CalcSizingState(X, Y, State, Index);
  int32_t C = -1, R = -1;
  bool Allow = true;
  if (State == gsColSizing) {
    MouseToCell(X - 6, Y, C, R);
    if (R >= 0 && R < FixedRows() && OnColumnSize)
      OnColumnSize(this, Index, Allow);
  } else if (State == gsRowSizing) {
    MouseToCell(X, Y - 6, C, R);
    if (C >= 0 && C < FixedCols() && OnRowSize)
      OnRowSize(this, Index, Allow);
  }
  if (!Allow) {
    State = gsNormal;
    Index = -1;
  }
}

void TZurEvoderOzod::MouseMove(TShiftState Shift, int32_t X, int32_t Y)
{
  // A size set at the release is then the operator's (see ColWidthsChanged).
  if (!(ComponentState() & csDesigning)) {
    if (GridState() == gsColSizing)
      ColSized = true;
    else if (GridState() == gsRowSizing)
      RowSized = true;
  }
  TBaseGrid::MouseMove(Shift, X, Y);
}

void TZurEvoderOzod::UpdateColSize(int32_t ACol, int32_t& AWidth)
{
  if (OnUpdateColumnSize)
    OnUpdateColumnSize(this, ACol, AWidth);
}

void TZurEvoderOzod::UpdateAutoColSize(int32_t ACol, int32_t& AWidth)
{
  if (OnUpdateColumnSize)
    OnUpdateColumnSize(this, ACol, AWidth);
}

void TZurEvoderOzod::ScreenToCell(const TPoint& Pt, int32_t& ACol, int32_t& ARow)
{
  const TPoint P = ScreenToClient(Pt);
  MouseToCell(P.X, P.Y, ACol, ARow);
}

// ---------------------------------------------------------------- combo items

TStringList* TZurEvoderOzod::ComboItems() const { return EditCombo->Items(); }

void TZurEvoderOzod::ClearComboString() { ComboItems()->Clear(); }
void TZurEvoderOzod::AddComboString(const String& S) { ComboItems()->Add(S); }
void TZurEvoderOzod::AddComboStringObject(const String& S, TObject* AObject) { ComboItems()->AddObject(S, AObject); }

bool TZurEvoderOzod::RemoveComboString(const String& S)
{
  const int32_t I = ComboItems()->IndexOf(S);
  if (I < 0)
    return false;
  ComboItems()->Delete(I);
  return true;
}

bool TZurEvoderOzod::SetComboSelectionString(const String& S)
{
  const int32_t I = ComboItems()->IndexOf(S);
  if (I < 0)
    return false;
  FComboIdx = I;
  return true;
}

void TZurEvoderOzod::SetComboSelection(int32_t Idx)
{
  FComboIdx = Idx;
  FForceComboSel = true;
}

int32_t TZurEvoderOzod::GetComboCount() const { return ComboItems()->Count(); }

int32_t TZurEvoderOzod::ComboIndex(int32_t ACol, int32_t ARow)
{
  DoGetEditorProp(ACol, ARow, nullptr);
  return ComboItems()->IndexOf(GetCellEx(ACol, ARow));
}

void TZurEvoderOzod::SetComboIndex(int32_t ACol, int32_t ARow, int32_t Value)
{
  DoGetEditorProp(ACol, ARow, nullptr);
  SetCellEx(ACol, ARow, ComboItems()->Strings(Value));
}

void TZurEvoderOzod::DoGetEditorProp(int32_t ACol, int32_t ARow, TEditLink* AEditLink)
{
  if (OnGetEditorProp)
    OnGetEditorProp(this, ACol, ARow, AEditLink);
}

// ---------------------------------------------------------------- editability

bool TZurEvoderOzod::IsEditable(int32_t ACol, int32_t ARow)
{
  if (!(Options() & GridOptionBit(goEditing)) && !FMouseActions->RangeSelectAndEdit() && !FEditDisable)
    return false;
  return IsEditableInt(ACol, ARow);
}

bool TZurEvoderOzod::IsEditableInt(int32_t ACol, int32_t ARow)
{
  const TPoint Base = BaseCell(ACol, ARow);
  bool Allow = true;
  GetCellReadOnly(Base.X, Base.Y, Allow);
  bool Fixed = false;
  GetCellFixed(Base.X, Base.Y, Fixed);
  return Allow && !Fixed;
}

bool TZurEvoderOzod::IsPassword(int32_t ACol, int32_t ARow)
{
  bool Password = false;
  GetCellPassword(ACol, ARow, Password);
  return Password;
}

void TZurEvoderOzod::DoAppendRow() { SetRowCount(RowCount() + 1); }

// ---------------------------------------------------------------- simple settings

void TZurEvoderOzod::SetXYOffset(TPoint Value)
{
  FXYOffset = Value;
  Invalidate();
}

void TZurEvoderOzod::SetXYOffsetTopLeftOnly(bool Value)
{
  FXYOffsetTopLeftOnly = Value;
  Invalidate();
}

void TZurEvoderOzod::SetZoomFactor(int32_t Value)
{
  if (Value == FZoomFactor)
    return;
  FZoomFactor = Value;
  Invalidate();
}
