// The grid's focus, its update lock, its half-second timer, and the small
// operations that show, hide and finish its editors.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/core/GridSettings.h"
#include "grid/edit/RurInplaceEdit.h"
#include "platform/Messages.h"
#include "platform/Timer.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFocusEvent>
#include <QScopeGuard>
#include <QWidget>

namespace {

constexpr TGridOptions Editing = GridOptionBit(goEditing);

} // namespace

// ---------------------------------------------------------------- made and let go

void TZurEvoderOzod::InitEditing()
{
  FModifiedRows = std::make_unique<TIntList>(-1, -1);
  FGridWindow = std::make_unique<TMessageWindow>(
      [this](uint32_t Msg, uintptr_t WParam, intptr_t LParam) { return GridMessage(Msg, WParam, LParam); });
}

void TZurEvoderOzod::DoneWithEditing()
{
  DoneWithCellEditors();
  if (TRurInplaceEdit* E = GetInplaceEditor())
    E->Detach();
  FGridTimer.reset();
  FGridWindow.reset();
}

void TZurEvoderOzod::StartGridTimer()
{
  if (FGridTimer)
    return;
  FGridTimer = std::make_unique<TTimer>(nullptr);
  FGridTimer->SetInterval(500);
  FGridTimer->OnTimer = [this](TObject*) { WMTimer(GridTimerID); };
}

// ---------------------------------------------------------------- update locking

void TZurEvoderOzod::BeginUpdate()
{
  // Counted whether or not the grid is shown: a lock taken while shown and
  // released while hidden (or the other way round) must still balance, or
  // the grid would stay unpainted for good.
  ++FUpdateCount;
  // Only the cells stop being painted: turning the whole control's updates
  // back on would repaint its frame and scroll bars too, at every lock.
  HoldView();
}

void TZurEvoderOzod::EndUpdate()
{
  if (FUpdateCount > 0)
    --FUpdateCount;
  if ((ComponentState() & csDestroying) || FUpdateCount > 0)
    return;
  FSelChange = false;
  ReleaseView();
  CellControlsUpdate(false);
}

void TZurEvoderOzod::ShowRowsInserted(int32_t ARow, int32_t Count)
{
  if (FBands->Active() || FFixedFooters > 0 || FFloatingFooter->Visible())
    return;
  TBaseGrid::ShowRowsInserted(ARow, Count);
}

void TZurEvoderOzod::StartUpdate() { ++FUpdateCount; }

void TZurEvoderOzod::ResetUpdate()
{
  FUpdateCount = 0;
  ReleaseView();
}

void TZurEvoderOzod::SetLockUpdate(bool Value)
{
  if (Value)
    BeginUpdate();
  else
    EndUpdate();
}

// ---------------------------------------------------------------- the grid timer

void TZurEvoderOzod::WMTimer(uint32_t TimerID)
{
  if (TimerID != GridTimerID)
    return;
  ++FTimerTicks;
  if (FNavigation->AutoGotoIncremental() && ++SearchTics >= 4) {
    SearchInc.clear();
    SearchTics = 0;
  }
  if (FHovering && !(ComponentState() & csDesigning))
    HoverToCell();
  if (FEnableBlink) {
    FGridBlink = !FGridBlink;
    BlinkCells();
  }
}

void TZurEvoderOzod::HoverToCell()
{
  QWidget* Client = ClientWidget();
  if (!Client || QApplication::widgetAt(QCursor::pos()) != Client)
    return;
  const QPoint P = Client->mapFromGlobal(QCursor::pos());
  if (!Client->rect().contains(P))
    return;
  int32_t C = -1, R = -1;
  MouseToCell(P.x(), P.y(), C, R);
  if (C < TBaseGrid::FixedCols() || R < TBaseGrid::FixedRows() || C >= ColCount() || R >= RowCount())
    return;
  if (CanFocus())
    SetFocus();
  SetRow(R);
  SetCol(C);
}

void TZurEvoderOzod::BlinkCells()
{
  auto Blinks = [this](int32_t C, int32_t R) {
    return GetGridCell(RemapCol(C), R).contains(QStringLiteral("<BLI"), Qt::CaseInsensitive);
  };
  const int32_t Top = TopRow(), Bottom = TopRow() + VisibleRowCount() - 1;
  const int32_t Left = LeftCol(), Right = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
  for (int32_t R = Top; R <= Bottom && R < RowCount(); ++R)
    for (int32_t C = Left; C <= Right; ++C)
      if (Blinks(C, R))
        RepaintCell(C, R);
  for (int32_t R = 0; R < TBaseGrid::FixedRows(); ++R)
    for (int32_t C = Left; C <= Right; ++C)
      if (Blinks(C, R))
        RepaintCell(C, R);
  for (int32_t C = 0; C < TBaseGrid::FixedCols(); ++C)
    for (int32_t R = Top; R <= Bottom && R < RowCount(); ++R)
      if (Blinks(C, R))
        RepaintCell(C, R);
}

// ---------------------------------------------------------------- focus

bool TZurEvoderOzod::WidgetEvent(QObject* Watched, QEvent* Event)
{
  if (Watched == WidgetOrNull()) {
    if (Event->type() == QEvent::FocusIn) {
      if (InvokedFocusChange)
        return true;
      WMSetFocus();
    } else if (Event->type() == QEvent::FocusOut) {
      if (FBlockKill)
        return true;
      WMKillFocus();
    }
  }
  return TBaseGrid::WidgetEvent(Watched, Event);
}

bool TZurEvoderOzod::EditorFocused() const
{
  TRurInplaceEdit* E = GetInplaceEditor();
  return E && E->Focused();
}

void TZurEvoderOzod::WMSetFocus()
{
  const int32_t RCol = RemapCol(Col());
  if (GetCellType(RCol, Row()) == ctCheckBox)
    return;
  auto InView = [this] {
    return LeftCol() <= Col() && Col() < LeftCol() + VisibleColCount() && TopRow() <= Row() &&
           Row() < TopRow() + VisibleRowCount();
  };
  auto Editable = [&] {
    bool CanEdit = true;
    GetCellReadOnly(RCol, Row(), CanEdit);
    return CanEdit;
  };
  const bool Moving = GridState() == gsRowMoving || GridState() == gsColMoving;
  if (GetInplaceEditor()) {
    if (!Moving && FNavigation->AlwaysEdit() && IsPlainTextKind(EditControl) && InView() && Editable()) {
      ShowInplaceEdit();
      return;
    }
  } else if (FNavigation->AlwaysEdit() && InView() && Editable() && !FMouseActions->DirectEdit() &&
             !FControlLook->DropDownAlwaysVisible() && HasCombo(RCol, Row(), edNone)) {
    ShowInplaceEdit();
  }
  if (IsMergedCell(RCol, Row())) {
    const TPoint Span = CellSpan(RCol, Row());
    InvalidateGridRect(TGridRect{Col(), Row(), Col() + Span.X, Row() + Span.Y});
  }
}

void TZurEvoderOzod::WMKillFocus()
{
  const int32_t RCol = RemapCol(Col());
  if (IsMergedCell(RCol, Row()))
    RepaintCell(Col(), Row());
  if (FCtrlDown) {
    FCtrlDown = false;
    RepaintCell(Col(), Row());
  }
}

void TZurEvoderOzod::DoEnter()
{
  if (FBlockFocus)
    return;
  TBaseGrid::DoEnter();
  // The focus back from an editor that a validation hides: the edit goes
  // on, nothing is selected or captured afresh.
  if (FValidating)
    return;
  const bool Inside = Col() >= 0 && Col() < ColCount() && Row() >= 0 && Row() < RowCount();
  const auto Capture = qScopeGuard([&] {
    if (Inside)
      InitValidate(Col(), Row());
  });
  if (((Options() & Editing) || FMouseActions->RangeSelectAndEdit()) && Inside)
    SelectCell(Col(), Row());
  if (FMouseActions->HotmailRowSelect() && Col() == ColCount())
    FocusCell(LeftCol(), TopRow());
}

void TZurEvoderOzod::DoExit()
{
  if (FBlockKill)
    return;
  FSelChange = false;
  TBaseGrid::DoExit();
}

// ---------------------------------------------------------------- showing and hiding

void TZurEvoderOzod::ShowInplaceEdit()
{
  if (HasStaticEdit(RemapCol(Col()), Row()))
    return;
  if (Row() < TopRow())
    SetTopRow(Row());
  if (Col() < LeftCol())
    SetLeftCol(Col());
  if (!(Options() & Editing) && FMouseActions->RangeSelectAndEdit())
    SetOptions(Options() | Editing);
  FEditText = GetCellEx(RemapCol(Col()), Row());
  ShowEditor();
}

void TZurEvoderOzod::HideInplaceEdit()
{
  // Hiding moves the focus, which ends the edit and would hide again.
  if (!EditMode || FIsEditHiding)
    return;
  FIsEditHiding = true;
  const auto Done = qScopeGuard([this] { FIsEditHiding = false; });
  HideEditor();
  HideEditControl(Col(), Row());
  EditMode = false;
  if (!FDoneEditing)
    SelectCell(Col(), Row());
}

void TZurEvoderOzod::DoneEditing(int32_t ACol, int32_t ARow)
{
  FireNotify(OnEditingDone, this);
  HideInplaceEdit();
  PostGridMessage(RegisterGridUnit().WM_GRIDEDITDONE, static_cast<uintptr_t>(ACol), ARow);
}

void TZurEvoderOzod::DoneInplaceEdit(uint16_t Key, TShiftState Shift)
{
  FBlockFocus = true;
  const auto Unblock = qScopeGuard([this] { FBlockFocus = false; });
  FEditing = false;
  HideInplaceEdit();
  if (FNavigation->AppendOnArrowDown() && Key == VK_DOWN && IsOnLastRow())
    AppendLastRow();
  if (Key == VK_TAB || (Key >= VK_LEFT && Key <= VK_DOWN)) {
    uint16_t K = Key;
    KeyDown(K, Shift);
  }
  const bool AlwaysEdit = FNavigation->AlwaysEdit();
  FNavigation->SetAlwaysEdit(false);
  const auto Restore = qScopeGuard([&] { FNavigation->SetAlwaysEdit(AlwaysEdit); });
  if (CanFocus())
    SetFocus();
  FireNotify(OnEnter, this);
  if (Key == VK_RETURN)
    AdvanceEdit(Col(), Row(), false, true, !(Shift & ssShift), false, false);
}

void TZurEvoderOzod::Select() { SelectCell(Col(), Row()); }

void TZurEvoderOzod::ForceMouseOnCell(int32_t ACol, int32_t ARow)
{
  const TRect R = CellRect(ACol, ARow);
  FForceSel = true;
  TMouseEvent Down = std::move(OnMouseDown), Up = std::move(OnMouseUp);
  OnMouseDown = nullptr;
  OnMouseUp = nullptr;
  const auto Restore = qScopeGuard([&] {
    OnMouseDown = std::move(Down);
    OnMouseUp = std::move(Up);
    FForceSel = false;
  });
  TBaseGrid::MouseDown(mbLeft, 0, R.Left + 2, R.Top + 2);
  TBaseGrid::MouseUp(mbLeft, 0, R.Left + 2, R.Top + 2);
}
