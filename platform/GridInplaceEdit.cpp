// The framework grid's inplace editing: the editor over the current cell,
// how it opens, follows the current cell and closes, and the inplace edit
// control itself (Grids.h).
#include "platform/Grids.h"

#include <QApplication>
#include <QLineEdit>
#include <QScopeGuard>
#include <QWidget>

#include <algorithm>

namespace {

constexpr TGridOptions EditingOptions = GridOptionBit(goEditing) | GridOptionBit(goRowSelect);

} // namespace

// ---------------------------------------------------------------- moving the current cell

void TCustomGrid::MoveColRow(int32_t ACol, int32_t ARow, bool MoveAnchor, bool Show)
{
  ACol = std::max(FFixedCols, std::min(ACol, FColCount - 1));
  ARow = std::max(FFixedRows, std::min(ARow, FRowCount - 1));
  const bool Moves = ACol != FCurrent.X || ARow != FCurrent.Y;
  if (Moves && !SelectCell(ACol, ARow))
    return;
  FCurrent = TGridCoord{ACol, ARow};
  if (MoveAnchor)
    FAnchor = FCurrent;
  if (Show)
    ScrollToCurrent();
  Invalidate();
  if (Moves)
    EditorFollows(true);
}

void TCustomGrid::SetGridState(TGridState Value)
{
  if (Value == gsNormal)
    FSelecting = false;
}

void TCustomGrid::Notification(TComponent* AComponent, TOperation Operation)
{
  if (Operation == opRemove && AComponent == FInplaceEdit) {
    FInplaceEdit = nullptr;
    FInplaceCol = FInplaceRow = -1;
  }
  TCustomControl::Notification(AComponent, Operation);
}

// ---------------------------------------------------------------- the editor protocol

bool TCustomGrid::CanEditShow()
{
  return (FOptions & EditingOptions) == GridOptionBit(goEditing) && FEditorMode && !(ComponentState() & csDesigning) &&
         WidgetOrNull() && ((FOptions & GridOptionBit(goAlwaysShowEditor)) || EditorHasFocus());
}

bool TCustomGrid::EditorHasFocus() const
{
  QWidget* W = WidgetOrNull();
  QWidget* F = QApplication::focusWidget();
  return W && F && (F == W || W->isAncestorOf(F));
}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

String TCustomGrid::GetEditText(int32_t, int32_t) { return String(); }

void TCustomGrid::SetEditText(int32_t, int32_t, const String&) {}

int32_t TCustomGrid::GetEditLimit() { return 0; }

String TCustomGrid::GetEditMask(int32_t, int32_t) { return String(); }

void TCustomGrid::InplaceEditChanged() {}

void TCustomGrid::SetEditorMode(bool Value)
{
  if (Value)
    ShowEditor();
  else
    HideEditor();
}

void TCustomGrid::ShowEditor()
{
  FEditorMode = true;
  UpdateEdit();
}

void TCustomGrid::HideEditor()
{
  FEditorMode = false;
  HideEdit();
}

void TCustomGrid::ShowEditorChar(char16_t Ch)
{
  ShowEditor();
  if (FInplaceEdit && FInplaceEdit->Visible())
    FInplaceEdit->PostChar(Ch);
}

void TCustomGrid::InvalidateEditor()
{
  FInplaceCol = FInplaceRow = -1;
  UpdateEdit();
}

void TCustomGrid::UpdateEdit()
{
  if (!CanEditShow())
    return;
  auto Load = [this] {
    FInplaceCol = FCurrent.X;
    FInplaceRow = FCurrent.Y;
    FInplaceEdit->UpdateContents();
    FInplaceEdit->SelectAll();
  };
  if (!FInplaceEdit) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->FGrid = this;
    FInplaceEdit->SetParent(this);
    Load();
  } else if (FCurrent.X != FInplaceCol || FCurrent.Y != FInplaceRow) {
    HideEdit();
    Load();
  }
  // Loading may have run the descendants' editor choice, which can refuse.
  if (FInplaceEdit && CanEditShow())
    FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
}

void TCustomGrid::UpdateText()
{
  if (FInplaceEdit && FInplaceCol != -1 && FInplaceRow != -1)
    SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

void TCustomGrid::HideEdit()
{
  if (!FInplaceEdit)
    return;
  // The cell the editor stood on is forgotten (and the editor hidden) even
  // when writing its text back fails.
  const auto Hide = qScopeGuard([this] {
    FInplaceCol = FInplaceRow = -1;
    if (FInplaceEdit)
      FInplaceEdit->HideInplace();
  });
  UpdateText();
}

void TCustomGrid::EditorFollows(bool Moved)
{
  if (!FInplaceEdit || !FEditorMode)
    return;
  if (Moved) {
    if (FOptions & GridOptionBit(goAlwaysShowEditor))
      UpdateEdit();
    else
      HideEditor();
  } else if (FInplaceCol >= 0 && FInplaceEdit->Visible()) {
    FInplaceEdit->UpdateLoc(CellRect(FInplaceCol, FInplaceRow));
  }
}

void TCustomGrid::WMChar(char16_t& Key, TShiftState Shift)
{
  if ((FOptions & GridOptionBit(goEditing)) && (Key == 8 || Key >= 32)) {
    ShowEditorChar(Key);
    Key = 0;
    return;
  }
  TCustomControl::WMChar(Key, Shift);
}

void TCustomGrid::KeyPress(char16_t& Key)
{
  TCustomControl::KeyPress(Key);
  if (Key == 13 && !(FOptions & GridOptionBit(goAlwaysShowEditor))) {
    SetEditorMode(!FEditorMode);
    Key = 0;
  }
}

// ---------------------------------------------------------------- TStringGrid

String TStringGrid::GetEditText(int32_t ACol, int32_t ARow) { return Cells(ACol, ARow); }

void TStringGrid::SetEditText(int32_t ACol, int32_t ARow, const String& Value)
{
  if (Value != Cells(ACol, ARow))
    SetCells(ACol, ARow, Value);
}

// ---------------------------------------------------------------- TInplaceEdit

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomEdit(AOwner)
{
  SetVisible(false);
  SetTabStop(false);
  SetAutoSelect(false);
}

TInplaceEdit::~TInplaceEdit() = default;

String TInplaceEdit::ClassName() const { return QStringLiteral("TInplaceEdit"); }

QWidget* TInplaceEdit::CreateWidget(QWidget* ParentWidget)
{
  QWidget* W = TCustomEdit::CreateWidget(ParentWidget);
  auto* E = qobject_cast<QLineEdit*>(W);
  E->setFrame(false);
  // The platform's own menu would paste past the grid's rules for the cell.
  E->setContextMenuPolicy(Qt::NoContextMenu);
  // The grid hears of the changes the user makes (typing, pasting, deleting;
  // not a text set from code, as a multi-line edit tells its parent nothing
  // of those), each once the editor has handled it: the edit reports an
  // edit before the change, and this runs after the edit's own change
  // handling.
  QObject::connect(E, &QLineEdit::textEdited, E, [this] { FUserEdit = true; });
  QObject::connect(E, &QLineEdit::textChanged, E, [this] {
    const bool User = FUserEdit;
    FUserEdit = false;
    if (User && FGrid)
      FGrid->InplaceEditChanged();
  });
  return W;
}

void TInplaceEdit::UpdateContents()
{
  if (!FGrid)
    return;
  const int32_t C = FGrid->Col(), R = FGrid->Row();
  SetText(String());
  SetEditMask(FGrid->GetEditMask(C, R));
  SetText(FGrid->GetEditText(C, R));
  FEditLimit = FGrid->GetEditLimit();
}

void TInplaceEdit::BoundsChanged() {}

void TInplaceEdit::SetBoundsFrom(const TRect& Loc) { SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height()); }

void TInplaceEdit::Move(const TRect& Loc)
{
  SetBoundsFrom(Loc);
  Show();
  BoundsChanged();
  if (FGrid && FGrid->Focused() && CanFocus())
    SetFocus();
}

void TInplaceEdit::UpdateLoc(const TRect& Loc)
{
  SetBoundsFrom(Loc);
  BoundsChanged();
}

void TInplaceEdit::HideInplace()
{
  if (!Visible())
    return;
  if (Focused() && FGrid && FGrid->CanFocus())
    FGrid->SetFocus();
  Hide();
}

void TInplaceEdit::KeyDown(uint16_t& Key, TShiftState Shift)
{
  TCustomEdit::KeyDown(Key, Shift);
  if (Key == 0 || !FGrid)
    return;
  const bool Ctrl = Shift & ssCtrl;
  const bool Follows = FGrid->Options() & GridOptionBit(goAlwaysShowEditor);
  const int32_t Len = static_cast<int32_t>(Text().size());
  const int32_t Start = SelStart(), Sel = SelLength();
  const bool Whole = Sel == Len;
  const bool AtStart = Whole || (Sel == 0 && Start == 0);
  const bool AtEnd = Whole || (Sel == 0 && Start == Len);
  bool ToGrid = false;
  switch (Key) {
  case VK_UP:
  case VK_DOWN:
  case VK_PRIOR:
  case VK_NEXT:
    ToGrid = true;
    break;
  case VK_TAB:
    ToGrid = !(Shift & ssAlt);
    break;
  case VK_LEFT:
  case VK_HOME:
    ToGrid = Follows && (Ctrl || AtStart);
    break;
  case VK_RIGHT:
  case VK_END:
    ToGrid = Follows && (Ctrl || AtEnd);
    break;
  default:
    break;
  }
  if (ToGrid) {
    FGrid->KeyDown(Key, Shift);
    Key = 0;
  }
}

void TInplaceEdit::KeyPress(char16_t& Key)
{
  if (FGrid)
    FGrid->KeyPress(Key);
  // Tab, Escape and Return are the grid's keys: the edit types none of them.
  if (Key == 9 || Key == 27 || Key == 13)
    Key = 0;
  // The limit stops typing; a longer text the cell already holds stays whole.
  if (Key >= 32 && FEditLimit > 0 && Text().size() >= FEditLimit && SelLength() == 0)
    Key = 0;
  if (Key != 0)
    TCustomEdit::KeyPress(Key);
}

void TInplaceEdit::KeyUp(uint16_t& Key, TShiftState Shift)
{
  if (FGrid)
    FGrid->KeyUp(Key, Shift);
}

uint32_t TInplaceEdit::WMGetDlgCode()
{
  uint32_t Code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (FGrid && (FGrid->Options() & GridOptionBit(goTabs)))
    Code |= DLGC_WANTTAB;
  return Code;
}
