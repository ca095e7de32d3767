// The left mouse button on the grid: what a press decides (WMLButtonDown,
// then MouseDown from the base grid's own handling) and what the release
// finishes (WMLButtonUp, then MouseUp), with the header click that sorts.
// Coordinates are client pixels; columns are display columns unless a name
// says real (RC), as cell attributes are kept by real column.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/core/CellGraphic.h"
#include "grid/base/ControlList.h"
#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/base/rurutil.h"
#include "grid/core/ControlLook.h"
#include "grid/core/GridSettings.h"
#include "platform/Forms.h"

#include <QDesktopServices>
#include <QScopeGuard>
#include <QUrl>

#include <cmath>

namespace {

constexpr TGridOptions EditingOption = GridOptionBit(goEditing);
constexpr TGridOptions RowSelectOption = GridOptionBit(goRowSelect);

bool Inside(const TRect& R, int32_t X, int32_t Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

bool SameRect(const TGridRect& A, const TGridRect& B)
{
  return A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
}

} // namespace

// ---------------------------------------------------------------- press

void TZurEvoderOzod::BaseLButtonDown(TShiftState Shift, int32_t X, int32_t Y)
{
  FBaseHandled = true;
  TBaseGrid::WMLButtonDown(Shift, X, Y);
}

void TZurEvoderOzod::WMLButtonDown(TShiftState Shift, int32_t X, int32_t Y)
{
  FDoOnClick = FMouseDownMove = FMouseKeepDown = true;
  FSpinUpClick = FSpinDnClick = FAnchorClick = false;
  FBaseHandled = false;
  int32_t ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  // Direct editing moves the focus only on a form that is no MDI child,
  // frame or stay-on-top window.
  bool PlainForm = true;
  if (const auto* F = dynamic_cast<const TForm*>(ParentForm()))
    PlainForm = F->FormStyle() == fsNormal;

  FOrigSelection = Selection();
  if (FMouseActions->DisjunctRowSelect()) {
    const int32_t Top = FOrigSelection.Top;
    if (Top >= 0 && Top < RowCount() && !RowSelect(Top))
      FOrigSelection = TGridRect{-1, -1, -1, -1};
  }

  // The handle at the bottom right of the selection drags its size.
  if (SelectionResizer() && SelectionRectangle() && ACol != -1 && ARow != -1) {
    const TGridRect S = Selection();
    TRect H = CellRect(S.Right, S.Bottom);
    const auto Grip = static_cast<int32_t>(std::lround(6 * FDPIScale));
    H.Top = H.Bottom - Grip;
    H.Left = H.Right - Grip;
    if (Inside(H, X, Y)) {
      SetGridState(gsSelecting);
      FDropSelection = S;
      CopySelectionToClipboard();
      FMouseResize = true;
      if (!(Options() & EditingOption) && !FMouseActions->RangeSelectAndEdit())
        BaseLButtonDown(Shift, X, Y);
      SetSelection(S);
      MouseMove(0, X, Y);
      return;
    }
  }

  if ((Options() & EditingOption) && FMouseActions->RangeSelectAndEdit()) {
    // Half open: the selection's last column and row count as outside.
    const TGridRect S = Selection();
    if (!(ACol >= S.Left && ACol < S.Right && ARow >= S.Top && ARow < S.Bottom))
      SetOptions(Options() & ~EditingOption);
  }
  SearchInc.clear();
  FMoveColInd = FMoveRowInd = -1;
  FSelectionClick = false;
  FPushedCellButton = TPoint{-1, -1};
  const int32_t OldLeft = LeftCol(), OldTop = TopRow();
  FOldKeepLeftCol = OldLeft;
  FOldTopRow = OldTop;

  bool Allow = true;
  if (OnCanClickCell)
    OnCanClickCell(this, ARow, ACol, Allow);
  if (!Allow)
    return;
  if (FCellSelectorMode) {
    CellSelect(ACol, ARow);
    return;
  }
  if (FMouseActions->DisjunctCellSelect() && !(Shift & ssCtrl) && ACol >= 0 && ARow >= 0 && !IsFixed(ACol, ARow)) {
    FSelectedCells->Clear();
    Invalidate();
  }

  // The cell whose border a sizing would move, as the mouse code keeps it.
  if (ARow == 0)
    MouseToCell(X - 5, Y, Colclicked, Rowclicked);
  else if (ACol == 0)
    MouseToCell(X, Y - 4, Colclicked, Rowclicked);
  else
    MouseToCell(X - 5, Y - 4, Colclicked, Rowclicked);
  if (Colclicked >= 0 && Rowclicked >= 0) {
    Colclickedsize = ColWidths(Colclicked);
    Rowclickedsize = RowHeights(Rowclicked);
  }
  Clickposx = X;
  Clickposy = Y;
  const bool FixedClick = (ARow < FixedRows() || ACol < FixedCols()) && ACol >= 0 && ARow >= 0;

  if (ACol == -1 || ARow == -1) {
    HideInplaceEdit();
    if (!FFixedRowAlways)
      BaseLButtonDown(Shift, X, Y);
    return;
  }

  // From here on the cell is the base cell of its merged area; the pressed
  // cell is the one under the mouse.
  const int32_t PressedCol = ACol, PressedRow = ARow;
  {
    const TPoint B = BaseCell(RealColIndex(ACol), ARow);
    ACol = DisplColIndex(B.X);
    ARow = B.Y;
  }
  const TRect CellR = CellRect(ACol, ARow);
  if (FMouseActions->CaretPositioning())
    LButFlg = true;

  const bool FixedCell = IsFixed(ACol, ARow);
  if (FixedClick || FixedCell)
    HideInplaceEdit();
  const bool CustomFixed = FixedCell && !FixedClick;
  if ((ARow < FixedRows() || ACol < FixedCols() || CustomFixed) && FFixedAsButtons &&
      (Options() & GridOptionBit(goFixedVertLine)) && (Options() & GridOptionBit(goFixedHorzLine)) && !IsNode(ARow)) {
    FPushedFixedCell = CellR;
    FPushedCellButton = TPoint{ACol, ARow};
    FFixedCellPushed = true;
    RepaintCell(ACol, ARow);
  }

  const int32_t RC = RemapCol(ACol);
  if (!(ComponentState() & csDesigning)) {
    if (FControlLook->SpinButtonsAlwaysVisible() && HasSpinEdit(RC, ARow, edNone) && X > CellR.Right - 18) {
      if (Y > CellR.Top + (CellR.Bottom - CellR.Top) / 2)
        FSpinDnClick = true;
      else
        FSpinUpClick = true;
    }
    if (IsRadio(RC, ARow) && (IsEditable(RC, ARow) || FControlLook->RadioAlwaysActive())) {
      HideInplaceEdit();
      HandleRadioClick(RC, ARow, X - CellR.Left, Y - CellR.Top);
      if (CanFocus())
        SetFocus();
      return;
    }
  }

  // A rating takes half a point per 9 pixels from the cell's left edge.
  if (HasRating(RC, ARow) && IsEditable(RC, ARow)) {
    HideInplaceEdit();
    double NewRate = std::trunc((X - CellR.Left) / 9.0) / 2;
    if (DoRatingChange(RC, ARow, NewRate)) {
      SetFloats(RC, ARow, NewRate);
      RepaintCell(ACol, ARow);
    }
    return;
  }

  if (HasButton(RC, ARow)) {
    HideInplaceEdit();
    if (!FixedCell) {
      FForceSel = true;
      SelectCell(ACol, ARow);
      FForceSel = false;
    }
    if (Inside(ButtonRect(ACol, ARow), X, Y)) {
      PushButton(ACol, ARow, true);
      FPushedCellButton = TPoint{ACol, ARow};
      SetMouseCapture(true);
      DoClickCell(ARow, ACol);
      return;
    }
  }

  const bool ComboShown =
      ACol >= FixedCols() && ARow >= FixedRows() && FControlLook->DropDownAlwaysVisible() && HasCombo(RC, ARow, edNone);
  // The base handling sees a merged cell's press inside its base cell.
  if (IsMergedCell(RC, ARow) && !FixedCell && !OnMouseDown && !ComboShown) {
    X = CellR.Left + 2;
    Y = CellR.Top + 2;
  }
  if (ACol >= ColCount() || ARow >= RowCount() || ACol < 0 || ARow < 0) {
    BaseLButtonDown(Shift, X, Y);
    return;
  }

  const TRect SizeRef = Colclicked >= 0 && Rowclicked >= 0 ? CellRect(Colclicked, Rowclicked) : TRect{};
  Clickposdx = Clickposx - SizeRef.Right;
  Clickposdy = Clickposy - SizeRef.Bottom;
  // A click inside the grid brings a parked selection back.
  FSelHidden = false;

  if (DisjunctPress(ACol, ARow, Shift, false))
    return;
  if (PressOnUrl(ACol, ARow, RC))
    return;
  if (DisjunctPress(ACol, ARow, Shift, true))
    return;

  bool CanEdit = (Options() & EditingOption) || FMouseActions->RangeSelectAndEdit() || FEditDisable;
  GetCellReadOnly(RC, ARow, CanEdit);
  if (PressOnCheckBox(ACol, ARow, RC, X, Y, Shift, CanEdit))
    return;

  const bool MayEdit = CanEdit || (FMouseActions->EditOnDblClickOnly() && ComboShown);
  if (ACol >= FixedCols() && ARow >= FixedRows() && MayEdit &&
      ((FMouseActions->DirectEdit() && PlainForm) || (FControlLook->DropDownAlwaysVisible() && ComboShown)))
    DirectEditFocus(ACol, ARow, ComboShown);

  const TGridRect One{ACol, ARow, ACol, ARow};
  const bool ClickedInSel = Inside(CellR, X, Y) && SameRect(Selection(), One);
  bool StartSelecting = false;
  if (!ClickedInSel && FMouseActions->RangeSelectAndEdit() && !FixedCell && !CanEdit) {
    StartSelecting = true;
    SetOptions(Options() & ~EditingOption);
  }

  if (CustomFixed) {
    DoClickCell(ARow, ACol);
    return;
  }

  // The base grid's own handling: the cell becomes current (a range grows
  // with Shift), or a sizing or move starts in the fixed cells.
  const bool EdgeCell = ARow == TopRow() + VisibleRowCount() || ACol == LeftCol() + VisibleColCount() ||
                        (ACol == LeftCol() && FixedCols() < LeftCol());
  const bool Hold = (Options() & RowSelectOption) && FNavigation->KeepHorizScroll();
  if (Hold)
    BeginUpdate();
  {
    const auto Release = qScopeGuard([&] {
      if (Hold) {
        SetLeftCol(OldLeft);
        EndUpdate();
      }
    });
    if (!FSelHidden) {
      const bool AlwaysEdit = FNavigation->AlwaysEdit();
      FNavigation->SetAlwaysEdit(false);
      const auto Restore = qScopeGuard([&] { FNavigation->SetAlwaysEdit(AlwaysEdit); });
      BaseLButtonDown(Shift, X, Y);
    }
    if (GridState() == gsSelecting && EdgeCell && FMouseActions->NoAutoRangeScroll())
      SetGridState(gsNormal);
    if (TopRow() != OldTop && FMouseActions->NoScrollOnPartialRow()) {
      SetTopRow(OldTop + FMouseActions->PartialScrollDelta());
      WMLButtonUp(0, 0, 0);
    }
    if (LeftCol() != OldLeft && FMouseActions->NoScrollOnPartialCol()) {
      SetLeftCol(OldLeft + FMouseActions->PartialScrollDelta());
      WMLButtonUp(0, 0, 0);
    }
  }

  // A press on a header column's border is a sizing, not a click.
  const bool OnBorder =
      (X - CellR.Left < 4 || CellR.Right - X < 4) && (Options() & GridOptionBit(goColSizing)) && ARow < FixedRows();
  if (!OnBorder)
    DoClickCell(ARow, ACol);
  if (OnCellValidate) {
    FEntered = false;
    InitValidate(Col(), Row());
  }

  if (IsMergedCell(RC, ARow) && !FixedCell && (ClickedInSel || FMouseActions->DirectEdit()) && CanEdit)
    ShowInplaceEdit();

  if (MayEdit && (FMouseActions->DirectEdit() || (FControlLook->DropDownAlwaysVisible() && CanEdit && ComboShown)))
    DirectEditShow(PressedCol, PressedRow, ACol, ARow, X, ComboShown);

  if (StartSelecting)
    SetGridState(gsSelecting);
}

bool TZurEvoderOzod::DisjunctPress(int32_t ACol, int32_t ARow, TShiftState Shift, bool SecondPass)
{
  TMouseActions* M = FMouseActions.get();
  const bool ColumnFits = SecondPass ? ACol != 0 : ACol >= FixedCols();
  if (M->DisjunctRowSelect() && ARow >= FixedRows() && (ColumnFits || (!M->HotmailRowSelect() && !M->RowSelect()))) {
    if (Shift & ssShift) {
      const TGridRect Prev = Selection();
      BaseLButtonDown(Shift, Clickposx, Clickposy);
      SetSelection(TGridRect{std::min(ACol, Prev.Left), std::min(ARow, Prev.Top), std::max(ACol, Prev.Left),
                             std::max(ARow, Prev.Top)});
      return true;
    }
    if ((Shift & ssCtrl) || M->DisjunctRowSelectNoCtrl()) {
      if (RowSelect(M->RowSelectPersistent() ? RemapRowInv(ARow) : ARow))
        FDeselectState = true;
    } else {
      FMouseDown = true;
      if (!(Shift & ssAlt))
        ClearRowSelectInt();
    }
  }
  if (M->DisjunctColSelect() && ACol >= FixedCols()) {
    if ((Shift & ssCtrl) || M->DisjunctColSelectNoCtrl()) {
      if (ColSelect(ACol))
        FDeselectState = true;
    } else {
      FMouseDown = true;
      ClearColSelect();
    }
  }
  return false;
}

bool TZurEvoderOzod::PressOnUrl(int32_t ACol, int32_t ARow, int32_t RC)
{
  // Mini-HTML anchors need the renderer's hit test; plain URL cells are
  // followed as a whole.
  const String Text = GetCellEx(RC, ARow);
  if (!FURLShow || TextType(Text, FEnableHTML) == ttHTML || !IsURL(Text))
    return false;
  FAnchorClick = true;
  bool AutoHandle = true;
  if (OnAnchorClick)
    OnAnchorClick(this, ARow, ACol, Text, AutoHandle);
  if (!AutoHandle)
    return true;
  if (!Text.toUpper().contains(QStringLiteral("CELL://"))) {
    QDesktopServices::openUrl(QUrl(Text));
    return true;
  }
  TPoint Cell;
  if (NameToCell(Text.mid(7), Cell) && Cell.X < ColCount() && Cell.Y < RowCount()) {
    SetRow(Cell.Y);
    SetCol(Cell.X);
    ScrollInView(Col(), Row(), spMiddle);
  }
  return true;
}

bool TZurEvoderOzod::PressOnCheckBox(int32_t ACol, int32_t ARow, int32_t RC, int32_t X, int32_t Y, TShiftState Shift,
                                     bool CanEdit)
{
  const bool IsRB = HasRadioButton(RC, ARow);
  const bool AlwaysActive = IsRB ? FControlLook->RadioAlwaysActive() : FControlLook->CheckAlwaysActive();
  const bool Hotmail = ACol == 0 && FMouseActions->HotmailRowSelect();
  if (!(ACol < ColCount() && ARow < RowCount() && (CanEdit || AlwaysActive || Hotmail) &&
        (HasCheckBox(RC, ARow) || IsRB) && IsInCheckBox(RC, ARow, X, Y)))
    return false;

  const bool Hold = (Options() & RowSelectOption) && FNavigation->KeepHorizScroll();
  if (Hold)
    BeginUpdate();
  const auto Release = qScopeGuard([&] {
    if (Hold) {
      SetLeftCol(FOldKeepLeftCol);
      EndUpdate();
    }
  });
  if (FEditDisable) {
    SetOptions(Options() | EditingOption);
    FEditDisable = false;
  }
  HideInplaceEdit();
  if (CanFocus())
    SetFocus();
  const int32_t RR = RealRowIndex(ARow);
  bool Toggled = true;
  if (IsRB) {
    ToggleRadioButton(RC, ARow, true);
    if (OnRadioButtonClick)
      OnRadioButtonClick(this, RC, ARow);
  } else {
    Toggled = ToggleCheck(RC, ARow, true);
  }

  if (Toggled) {
    if (FShowModified->Enabled()) {
      SetRowModified(RR, true);
      RepaintCell(0, ARow);
    }
    if (Hotmail) {
      SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, ARow});
      // A row check box is the row's selection and has toggled it already;
      // any other check box in column 0 leaves the row to the press.
      const TCellGraphic* G = GetCellGraphic(RC, ARow);
      if (!G || G->CellType() != ctRowCheckBox)
        SetRowSelect(RR, !RowSelect(RR));
      if (RR != ARow)
        RepaintCell(0, ARow);
      // The selection stays parked while the row it stood on is unmarked.
      if (Row() == ARow && !RowSelect(RR) && !(Shift & ssCtrl))
        HideSelection();
    }
    bool State = false;
    GetCheckBoxState(RC, RR, State);
    if (!FNavigation->AlwaysEdit() && ARow >= FixedRows() && ACol >= FixedCols())
      MoveColRow(ACol, ARow, true, true);
    DoCheckBoxClick(ACol, ARow, State);
    if (FHideFocusRect)
      RepaintCell(ACol, ARow);
    if (ARow < FixedRows() && FMouseActions->CheckAllCheck()) {
      if (FMouseActions->HotmailRowSelect()) {
        for (int32_t R = FixedRows(); R < RowCount(); ++R)
          SetRowSelect(RealRowIndex(R), State);
      } else {
        const int32_t Column = RealColIndex(ACol);
        for (int32_t R = FixedRows(); R < RowCount(); ++R) {
          const TCellGraphic* G = GetCellGraphic(Column, R);
          const int32_t Target = G && G->CellType() == ctDataCheckBox ? R : RealRowIndex(R);
          if (!IsSuppressedRow(Target))
            SetCheckBoxState(Column, Target, State);
        }
        DoCheckBoxChange(RC, ARow, State);
      }
      Invalidate();
    }
  }
  if (OnMouseDown)
    OnMouseDown(this, mbLeft, Shift, X, Y);
  Click();
  return true;
}

void TZurEvoderOzod::DirectEditFocus(int32_t ACol, int32_t ARow, bool ComboShown)
{
  if (FMouseActions->EditOnDblClickOnly() && ComboShown)
    FEditActive = false;
  bool CanSelect = true;
  if (OnSelectCell)
    OnSelectCell(this, ACol, ARow, CanSelect);
  if (CanSelect) {
    bool Allow = true;
    if (OnCellChanging)
      OnCellChanging(this, Row(), Col(), ARow, ACol, Allow);
    if (Row() != ARow && OnRowChanging)
      OnRowChanging(this, Row(), ARow, Allow);
    if (Col() != ACol && OnColChanging)
      OnColChanging(this, Col(), ACol, Allow);
    if (Allow) {
      HideInplaceEdit();
      FocusCell(ACol, ARow);
      if (ActiveRowShow())
        Invalidate();
    }
  }
  if (CanFocus())
    SetFocus();
}

void TZurEvoderOzod::DirectEditShow(int32_t PressedCol, int32_t PressedRow, int32_t ACol, int32_t ARow, int32_t X,
                                    bool ComboShown)
{
  const TRect R = CellRect(ACol, ARow);
  if (X - R.Left < 4 || R.Right - X < 4)
    return;
  if (ACol < FixedCols() || ARow < FixedRows() || HasStaticEdit(RemapCol(ACol), ARow))
    return;
  if (FMouseActions->EditOnDblClickOnly() && ComboShown && !(Options() & EditingOption)) {
    SetOptions(Options() | EditingOption);
    if (CanFocus())
      SetFocus();
  }
  bool Allow = true;
  if (Col() != ACol && OnColChanging)
    OnColChanging(this, Col(), ACol, Allow);
  if (Row() != ARow && OnRowChanging)
    OnRowChanging(this, Row(), ARow, Allow);
  if ((Col() != ACol || Row() != ARow) && OnCellChanging)
    OnCellChanging(this, Row(), Col(), ARow, ACol, Allow);
  if (!Allow)
    return;
  const bool PressedIsBase = IsBaseCell(RemapCol(PressedCol), PressedRow);
  const int32_t C = PressedIsBase ? PressedCol : ACol, Rw = PressedIsBase ? PressedRow : ARow;
  SetSelection(TGridRect{C, Rw, C, Rw});
  InitValidate(C, Rw);
  ShowEditor();
}

// ---------------------------------------------------------------- MouseDown

bool TZurEvoderOzod::FixedEditGesture(TMouseButton Button, int32_t ACol, int32_t ARow, int32_t X, int32_t Y)
{
  TMouseActions* M = FMouseActions.get();
  TRect Inner = CellRect(ACol, ARow);
  Inner = TRect{Inner.Left + 4, Inner.Top + 4, Inner.Right - 4, Inner.Bottom - 4};
  auto Open = [&](bool SizingOption) {
    if (!SizingOption || Inside(Inner, X, Y))
      StartFixedEdit(ACol, ARow, false);
    return true;
  };
  if ((M->FixedRowsEdit() == fceLeftClick && Button == mbLeft) ||
      (M->FixedRowsEdit() == fceRightClick && Button == mbRight && ARow < FFixedRowsMin))
    return Open(Options() & GridOptionBit(goColSizing));
  if ((M->FixedColsEdit() == fceLeftClick && Button == mbLeft) ||
      (M->FixedColsEdit() == fceRightClick && Button == mbRight && ACol < FixedCols()))
    return Open(Options() & GridOptionBit(goRowSizing));
  return false;
}

void TZurEvoderOzod::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  FFltrPopPressCol = -1;
  int32_t ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  FMouseDownPt = TPoint{ACol, ARow};

  if (FMouseActions->RangeSelectAndEdit() && Button == mbLeft && !FMouseActions->EditOnDblClickOnly()) {
    const bool Current = ACol == Col() && ARow == Row();
    if (Current && !(Options() & EditingOption) && IsEditable(RemapCol(ACol), ARow)) {
      SetOptions(Options() | EditingOption);
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      ShowInplaceEdit();
      return;
    }
    if (!Current && (Options() & EditingOption) && (Shift & ssShift)) {
      SetOptions(Options() & ~EditingOption);
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      return;
    }
  }

  const bool CurrentOutside = Col() >= ColCount() || (Row() >= RowCount() && ACol >= 0 && ARow >= 0);
  if (CurrentOutside && (Button == mbLeft || FMouseActions->SelectOnRightClick())) {
    bool Allow = true;
    DoCellChanging(ACol, ARow, Allow);
    if (Allow)
      FocusCell(ACol, ARow);
  }

  FEditStart = true;
  {
    const auto Done = qScopeGuard([this] { FEditStart = false; });
    TBaseGrid::MouseDown(Button, Shift, X, Y);
  }
  if ((Shift & ssShift) && SelectionRectangle())
    InvalidateGridRect(Selection());

  if (ACol >= 0 && ARow >= 0 && (ACol < FixedCols() || ARow < FFixedRowsMin) && !HasFilterEdit(RemapCol(ACol), ARow) &&
      FixedEditGesture(Button, ACol, ARow, X, Y))
    return;

  if (TComponent* Other = FSyncGrid->Grid()) {
    auto* Z = dynamic_cast<TZurEvoderOzod*>(Other);
    auto* S = dynamic_cast<TStringGrid*>(Other);
    const TNotifyEvent Click = Z ? Z->OnClick : TNotifyEvent();
    if (Z)
      Z->OnClick = nullptr;
    const auto Restore = qScopeGuard([&] {
      if (Z)
        Z->OnClick = Click;
    });
    if (S && FSyncGrid->SelectionColumn() && FUpdateCount == 0)
      S->SetCol(Col());
    if (S && FSyncGrid->SelectionRow())
      S->SetRow(Row());
  }
}

// ---------------------------------------------------------------- release

void TZurEvoderOzod::WMLButtonUp(TShiftState Shift, int32_t X, int32_t Y)
{
  ColSizeFlg = false;
  FMouseDown = false;
  FMouseKeepDown = false;
  if (FAnchorClick) {
    // The anchor was followed by the press; the release has nothing to end.
    FAnchorClick = false;
    return;
  }
  FMouseDownMove = false;
  if (FFixedCellPushed) {
    FFixedCellPushed = false;
    InvalidateRect(FPushedFixedCell);
  }
  int32_t ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  const bool IsCell = ACol >= 0 && ARow >= 0;

  if (FPushedCellButton.X != -1)
    ReleasePushedButton(ACol, ARow, X, Y);
  // A release over a cell button ends here: its click was the button's.
  if (IsCell && HasButton(RemapCol(ACol), ARow) && Inside(ButtonRect(ACol, ARow), X, Y))
    return;

  const bool OnSizer =
      ARow < FixedRows() && ACol >= 0 && (Options() & GridOptionBit(goColSizing)) && Cursor() == crHSplit;
  if (OnClick && FDoOnClick && !OnSizer && (ARow < FixedRows() || ACol < FixedCols()))
    OnClick(this);
  FDoOnClick = false;
  if (GridState() == gsSelecting) {
    SetGridState(gsNormal);
    // The base release clicks for a press it handled itself.
    if (!FBaseHandled)
      Click();
  }

  bool Deselected = false;
  if (FMouseActions->DisjunctRowSelect() && (!IsNode(ARow) || ACol != 0))
    DisjunctRelease(ACol, ARow, Shift, Deselected);
  if (FMouseActions->DisjunctColSelect()) {
    SelectToColSelect(false);
    if (ACol >= FixedCols() && ACol < ColCount() - FFixedRightCols && FDeselectState)
      SetColSelect(ACol, false);
    FDeselectState = false;
  }

  TBaseGrid::WMLButtonUp(Shift, X, Y);

  if ((ACol < FixedCols() || ARow < FixedRows()) && IsCell && !OnSizer && OnFixedCellClick)
    OnFixedCellClick(this, ACol, ARow);
  if (Deselected)
    FSelChange = false;
  if (GridState() == gsSelecting)
    SetGridState(gsNormal);
  if (FMouseResize) {
    if (OnSelectionResize)
      OnSelectionResize(this, FDropSelection, Selection());
    if (FNavigation->AllowSmartClipboard()) {
      FEditDisable = true;
      const auto Restore = qScopeGuard([this] { FEditDisable = false; });
      PasteSelectionFromClipboard();
    }
    FMouseResize = false;
    if (OnSelectionResized)
      OnSelectionResized(this, FDropSelection, Selection());
  }
  if (ColSizeFlg || !IsCell)
    return;

  const int32_t RC = RemapCol(ACol);
  if (HasCheckBox(RC, ARow) && OnCheckBoxMouseUp) {
    bool State = false;
    GetCheckBoxState(RC, RealRowIndex(ARow), State);
    OnCheckBoxMouseUp(this, RC, ARow, State);
  }
  if (IsRadio(RC, ARow) && OnRadioMouseUp) {
    int32_t Index = -1;
    GetRadioIdx(RC, ARow, Index);
    OnRadioMouseUp(this, RC, ARow, Index);
  }
  if (RC < FixedCols() && ARow < FixedRows() && !FSortSettings->FixedCols())
    return;
  HeaderClickSort(ACol, ARow, X, Y, Shift);
}

void TZurEvoderOzod::ReleasePushedButton(int32_t ACol, int32_t ARow, int32_t X, int32_t Y)
{
  const TPoint P = FPushedCellButton;
  const bool IsCell = ACol >= 0 && ARow >= 0;
  bool Enabled = Options() & EditingOption;
  if (IsCell && !FControlLook->NoDisabledButtonLook())
    Enabled = IsEditableInt(RemapCol(ACol), ARow);
  const bool PushedFixed = P.X < FixedCols() || P.Y < FixedRows();
  if (Enabled || FFixedAsButtons || FControlLook->NoDisabledButtonLook() || PushedFixed) {
    if (!IsNode(P.Y))
      PushButton(P.X, P.Y, false);
    if (IsCell) {
      const TPoint Base = BaseCell(RemapCol(ACol), ARow);
      if (Inside(ButtonRect(DisplColIndex(Base.X), Base.Y), X, Y) || FFixedAsButtons || PushedFixed)
        DoButtonClick(P.X, P.Y);
    }
  }
  FPushedCellButton = TPoint{-1, -1};
  SetMouseCapture(false);
}

void TZurEvoderOzod::DisjunctRelease(int32_t ACol, int32_t ARow, TShiftState Shift, bool& Deselected)
{
  TMouseActions* M = FMouseActions.get();
  const TGridRect None{-1, -1, -1, -1};
  bool CanSelect = true;
  if (OnSelectCell)
    OnSelectCell(this, ACol, ARow, CanSelect);
  if (Shift & (ssCtrl | ssShift))
    FDisSelection = None;
  auto Normal = [this](int32_t C, int32_t R) { return C >= 0 && R >= 0 && !IsFixed(C, R); };
  if ((ACol != 0 || FMouseDownPt.X != 0 || !M->HotmailRowSelect()) && CanSelect &&
      (Normal(ACol, ARow) || Normal(FMouseDownPt.X, FMouseDownPt.Y))) {
    FDisSelection = None;
    FBlockCellChanging = true;
    const auto Unblock = qScopeGuard([this] { FBlockCellChanging = false; });
    SelectToRowSelect(false);
  }
  if (M->RowSelect())
    FDisSelection = None;
  if (ARow >= FixedRows() && ARow < RowCount() - FFixedFooters) {
    if (FDeselectState) {
      SetRowSelect(M->RowSelectPersistent() ? RemapRowInv(ARow) : ARow, false);
      Deselected = true;
    }
    if (M->HotmailRowSelect())
      RepaintCell(0, 0);
  }
  FDeselectState = false;
}

void TZurEvoderOzod::HeaderClickSort(int32_t ACol, int32_t ARow, int32_t X, int32_t Y, TShiftState Shift)
{
  TSortSettings* S = FSortSettings.get();
  const int32_t RC = RemapCol(ACol);
  if (FDblClk) {
    // The release of a double click that sized a column.
    FDblClk = false;
    return;
  }
  const TRect R = CellRect(ACol, ARow);
  if (ARow < FixedRows() && (Options() & GridOptionBit(goColSizing)) &&
      (std::abs(X - R.Left) < 4 || std::abs(X - R.Right) < 4))
    return;
  int32_t PressCol = -1, PressRow = -1;
  MouseToCell(Clickposx, Clickposy, PressCol, PressRow);
  if (FControlLook->FixedDropDownButton() && CanShowFixedDropDown(RC) && X > R.Right - 16)
    return;

  bool SortRowHit = S->Row() == ARow && ARow == PressRow;
  if (!SortRowHit && ARow == PressRow && IsMergedCell(RC, ARow) && CellSpan(RC, ARow).Y >= 1) {
    const TPoint Base = BaseCell(RC, ARow);
    SortRowHit = Base.Y <= S->Row() && S->Row() <= Base.Y + CellSpan(RC, ARow).Y;
  }
  const bool Sortable = SortRowHit && FixedRows() > 0 && !IsInCheckBox(RC, ARow, X, Y) && S->Show() && RowCount() > 2;
  bool DoSort = true;
  if (Sortable) {
    DoSort = !IsIgnoredColumn(RC);
    DoCanSort(RC, DoSort);
  }
  if (Sortable && DoSort) {
    HideInplaceEdit();
    const bool IndexKey = S->IndexSortKey() == ikShift ? (Shift & ssShift) : (Shift & ssCtrl);
    SortByHeaderClick(RC, IndexKey);
    if (FControlList->Count() > 0)
      CellControlsUpdate(true);
    DoClickSort(S->Column());
    return;
  }
  if (!DoSort)
    RepaintCell(ACol, S->Row());
}

// ---------------------------------------------------------------- MouseUp

void TZurEvoderOzod::DisjunctCellClick(int32_t ACol, int32_t ARow, TShiftState Shift, bool& SelChanged)
{
  const TPoint B = BaseCell(RemapCol(ACol), ARow);
  const int32_t BC = DisplColIndex(B.X), BR = B.Y;
  auto Key = [](int32_t C, int32_t R) { return static_cast<int32_t>((static_cast<uint32_t>(R) << 16) | (C & 0xFFFF)); };
  auto Repaint = [this] {
    for (int32_t I = 0; I < FSelectedCells->Count(); ++I) {
      const auto V = static_cast<uint32_t>(FSelectedCells->GetInteger(I));
      RepaintCell(static_cast<int32_t>(V & 0xFFFF), static_cast<int32_t>(V >> 16));
    }
  };
  if (IsFixed(BC, BR)) {
    if (!(Shift & ssCtrl) && !IsFixed(ACol, ARow)) {
      FSelectedCells->Clear();
      SelChanged = true;
      Invalidate();
    }
  } else {
    bool CanSelect = true;
    if (OnSelectCell)
      OnSelectCell(this, BC, BR, CanSelect);
    if (!CanSelect)
      return;
    if (Shift & ssShift) {
      FSelectedCells->Add(Key(ACol, ARow));
    } else if (Shift & ssCtrl) {
      const int32_t I = FSelectedCells->IndexOf(Key(BC, BR));
      if (I >= 0)
        FSelectedCells->Delete(I);
      else
        FSelectedCells->Add(Key(BC, BR));
    } else {
      Repaint();
      FSelectedCells->Clear();
      FSelectedCells->Add(Key(BC, BR));
    }
    SelChanged = true;
  }
  const TGridRect S = Selection();
  if (S.Right > S.Left || S.Bottom > S.Top) {
    for (int32_t R = S.Top; R <= S.Bottom; ++R)
      for (int32_t C = S.Left; C <= S.Right; ++C)
        if (!(C == BC && R == BR) && !IsSelected(C, R))
          FSelectedCells->Add(Key(C, R));
    Repaint();
  }
  RepaintCell(ACol, ARow);
}

void TZurEvoderOzod::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  int32_t ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  bool SelChanged = false;
  if (!SameRect(Selection(), FOrigSelection))
    SelChanged = Button == mbLeft ||
                 (Button == mbRight && FMouseActions->SelectOnRightClick() && ACol >= 0 && !IsFixed(ACol, ARow));
  const TGridRect OldSel = Selection();
  FDropDownDown = false;
  if (FMouseActions->DisjunctCellSelect() && Button == mbLeft && ACol >= 0 && ARow >= 0)
    DisjunctCellClick(ACol, ARow, Shift, SelChanged);
  if (SelChanged && !FBlockSelChange)
    SelectionChanged(OldSel.Left, OldSel.Top, OldSel.Right, OldSel.Bottom);
  TBaseGrid::MouseUp(Button, Shift, X, Y);
  const TGridRect Now = Selection();
  if (!SameRect(Now, OldSel))
    SelectionChanged(Now.Left, Now.Top, Now.Right, Now.Bottom);
}
