#include "grid/edit/GridCombo.h"

#include "grid/base/GridBehaviour.h"
#include "grid/edit/EditLookup.h"
#include "grid/edit/GridEditHost.h"
#include "platform/Grids.h"
#include "platform/Graphics.h"
#include "platform/QtConvert.h"
#include "rtl/Exceptions.h"
#include "rtl/StringList.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QScopeGuard>

namespace {

QLineEdit* EditFieldOf(const TCustomComboBox* Box)
{
  auto* B = qobject_cast<QComboBox*>(Box->WidgetOrNull());
  return B ? B->lineEdit() : nullptr;
}

void FocusGrid(TGridEditHost* Host)
{
  TCustomGrid* G = Host->EditGrid();
  if (G->CanFocus())
    G->SetFocus();
}

} // namespace

int32_t ComboDropWidthFor(TCustomComboBox* Box, TFont* Font)
{
  int32_t W = Box->Width();
  const QFontMetrics FM(ToQFont(*Font));
  // A list that scrolls needs room for its scroll bar.
  const bool Scrolls = Box->Items()->Count() > Box->DropDownCount();
  for (int32_t I = 0; I < Box->Items()->Count(); ++I) {
    const int32_t IW = FM.horizontalAdvance(Box->Items()->Strings(I));
    if (Scrolls && W - 25 < IW)
      W = IW + 25;
    else if (!Scrolls && W - 5 < IW)
      W = IW + 8;
  }
  return W;
}

TGridCombo::TGridCombo(TComponent* AOwner, TGridEditHost* AHost) : TZogComboBox(AOwner), FGrid(AHost)
{
  if (!AHost)
    throw EInvalidCast(QStringLiteral("Invalid class typecast"));
  SetButtonWidth(16);
}

TGridCombo::~TGridCombo() = default;

String TGridCombo::ClassName() const { return QStringLiteral("TGridCombo"); }

void TGridCombo::Detach() { FGrid = nullptr; }

void TGridCombo::SizeDropDownWidth()
{
  if (FGrid)
    SetDropWidth(ComboDropWidthFor(this, FGrid->EditGrid()->Font()));
}

int32_t TGridCombo::SelStart() const
{
  const QLineEdit* E = EditFieldOf(this);
  if (!E)
    return 0;
  return E->hasSelectedText() ? E->selectionStart() : E->cursorPosition();
}

int32_t TGridCombo::SelLength() const
{
  const QLineEdit* E = EditFieldOf(this);
  return E && E->hasSelectedText() ? static_cast<int32_t>(E->selectedText().size()) : 0;
}

void TGridCombo::SetEditSel(int32_t Start, int32_t End)
{
  if (QLineEdit* E = EditFieldOf(this))
    E->setSelection(Start, End - Start);
}

void TGridCombo::DoChange()
{
  if (!FGrid || !WorkMode || !FGrid->Lookup())
    return;
  const bool Case = FGrid->LookupCaseSensitive();
  const String Typed = Text().left(SelStart());
  int32_t I = LookupMatch(Items(), Typed, Case);
  String Item;
  if (I >= 0) {
    Item = Items()->Strings(I);
  } else {
    const TStringList* More = FGrid->LookupItems();
    const int32_t J = LookupMatch(More, Typed, Case);
    if (J < 0)
      return;
    Item = More->Strings(J);
  }
  // The typed characters stay as typed; selecting the item must not put
  // the item's own spelling over them.
  if (I >= 0)
    SetItemIndex(I);
  const String Completed = LookupCompletion(Typed, Item);
  SetText(Completed);
  SetEditSel(static_cast<int32_t>(Typed.size()), static_cast<int32_t>(Completed.size()));
}

bool TGridCombo::StoreAndValidate(uint16_t& Key, bool SelectAllOnRefusal)
{
  FGrid->SetCurrentCell(Text());
  if (!FGrid->ValidateCell(Text())) {
    SetText(FGrid->FNewCellText);
    const auto N = static_cast<int32_t>(Text().size());
    if (SelectAllOnRefusal)
      SetEditSel(0, N);
    else
      SetEditSel(N, N);
    Repaint();
    Key = 0;
    return false;
  }
  return true;
}

void TGridCombo::KeyDown(uint16_t& Key, TShiftState Shift)
{
  if (!FGrid)
    return TZogComboBox::KeyDown(Key, Shift);
  const bool Navigation = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                          Key == VK_UP || Key == VK_DOWN;
  if (!Navigation)
    FGrid->DoGridKeyDown(Key, Shift);
  const bool List = Style() == csDropDownList;
  const bool Dropped = DroppedDown();
  bool Handled = (List || Dropped)
                     ? (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_LEFT || Key == VK_RIGHT)
                     : (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                        Key == VK_END || Key == VK_UP || Key == VK_DOWN);
  // Alt+Down opens the list.
  if (Key == VK_DOWN && (Shift & ssAlt))
    Handled = false;
  WorkMode = Key != VK_BACK && Key != VK_DELETE;
  TNavigation* Nav = FGrid->Navigation();

  if ((Key == VK_UP || Key == VK_DOWN) && !Nav->ComboGetUpDown() && !Dropped) {
    FGrid->HideInplaceEdit();
    {
      const bool AlwaysEdit = Nav->AlwaysEdit();
      Nav->SetAlwaysEdit(false);
      const auto Restore = qScopeGuard([&] { Nav->SetAlwaysEdit(AlwaysEdit); });
      FocusGrid(FGrid);
    }
    uint16_t K = Key;
    Key = 0;
    FGrid->WMKeyDown(K, Shift);
    return;
  }
  if (!Handled)
    return TZogComboBox::KeyDown(Key, Shift);

  FGrid->FNewCellText = Text();
  if (Key == VK_ESCAPE) {
    Key = 0;
    const String Cached = FGrid->FCellCache;
    SetText(Cached);
    SelectItem(Cached);
    const bool Lost = Text() != Cached;
    FGrid->HideInplaceEdit();
    // A choice-only combo cannot hold a text that is none of its items and
    // wrote an empty one: Escape must leave the cell as it was.
    if (Lost) {
      FGrid->FCellCache = Cached;
      FGrid->RestoreCache();
    }
    FocusGrid(FGrid);
    return;
  }
  if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    if (!StoreAndValidate(Key, !List))
      return;
    const String Current = FGrid->GetCurrentCell();
    if (List)
      SelectItem(Current);
    else
      SetText(Current);
  }
  TCustomGrid* G = FGrid->EditGrid();
  if (Key == VK_TAB && FGrid->ShouldHandleTab()) {
    if (Dropped)
      SetDroppedDown(false);
    if (!StoreAndValidate(Key, false))
      return;
    const String Current = FGrid->GetCurrentCell();
    if (Current != Text()) {
      if (List)
        SetItemIndex(Items()->IndexOf(Current));
      else
        SetText(Current);
    }
    if (G->Options() & GridOptionBit(goTabs)) {
      if (!(List && ItemIndex() < 0)) {
        FGrid->HideInplaceEdit();
        if (List || Dropped)
          FGrid->UpdateEditingCell(FGrid->RemapCol(G->Col()), G->Row(), FGrid->FNewCellText);
        FocusGrid(FGrid);
      }
      Key = 0;
      FGrid->TabEdit(Shift & ssShift);
      return;
    }
  }
  if (List || Dropped) {
    TMouseActions* Mouse = FGrid->MouseActions();
    {
      const bool DirectClose = Mouse->DirectComboClose();
      Mouse->SetDirectComboClose(false);
      const auto Restore = qScopeGuard([&] { Mouse->SetDirectComboClose(DirectClose); });
      FGrid->HideInplaceEdit();
      FGrid->UpdateEditingCell(FGrid->RemapCol(G->Col()), G->Row(), FGrid->FNewCellText);
    }
    if (Key == VK_LEFT || Key == VK_RIGHT) {
      uint16_t K = Key;
      FGrid->WMKeyDown(K, Shift);
    }
    if (Key == VK_PRIOR || Key == VK_NEXT || (Key >= VK_LEFT && Key <= VK_DOWN))
      Key = 0;
  } else if (Key == VK_END) {
    return TZogComboBox::KeyDown(Key, Shift);
  }
  FGrid->DoneInplaceEdit(Key, Shift);
  Key = 0;
  if (Nav->AdvanceOnEnter() && Nav->AdvanceAutoEdit())
    FGrid->PostEditShow();
  TZogComboBox::KeyDown(Key, Shift);
}

void TGridCombo::Walk(uint16_t& Key, bool Right)
{
  Key = 0;
  TCustomGrid* G = FGrid->EditGrid();
  TNavigation* Nav = FGrid->Navigation();
  const int32_t C = G->Col(), R = G->Row();
  // A merged cell is passed in one step.
  const int32_t Step = Right ? 1 + FGrid->CellSpan(FGrid->RemapCol(C), R).X : 1;
  const int32_t Next = Right ? C + Step : C - 1;
  const bool Inside = Right ? C < FGrid->GetColCountEx() - 1 - FGrid->FixedRightCols() : C > FGrid->GetFixedColsEx();
  if (Inside && FGrid->HasStaticEdit(FGrid->RemapCol(Next), R)) {
    if (FGrid->ValidateCell(Text())) {
      FGrid->HideInplaceEdit();
      FGrid->SetColEx(Next);
    }
    return;
  }
  FocusGrid(FGrid);
  const TAdvanceDirection Saved = Nav->AdvanceDirection();
  if (!Right || (Saved != adLeftRight && Saved != adLeftRightInRow))
    Nav->SetAdvanceDirection(adLeftRight);
  {
    const auto Restore = qScopeGuard([&] { Nav->SetAdvanceDirection(Saved); });
    FGrid->AdvanceEdit(C, R, true, true, Right, false, true);
  }
  if (Nav->CursorWalkAlwaysEdit())
    FGrid->ShowInplaceEdit();
}

void TGridCombo::KeyUp(uint16_t& Key, TShiftState Shift)
{
  if (!FGrid)
    return TZogComboBox::KeyUp(Key, Shift);
  const bool Navigation = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                          Key == VK_UP || Key == VK_DOWN;
  if (!Navigation)
    FGrid->DoGridKeyUp(Key, Shift);
  const bool Walking =
      Style() == csDropDown && FGrid->Navigation()->CursorWalkEditor() && SelLength() == 0 && Shift == 0;
  if (Walking && Key == VK_LEFT && SelStart() == 0)
    Walk(Key, false);
  else if (Walking && Key == VK_RIGHT && SelStart() == static_cast<int32_t>(Text().size()))
    Walk(Key, true);
  if (Key != VK_RETURN)
    TZogComboBox::KeyUp(Key, Shift);
  DoChange();
}

void TGridCombo::KeyPress(char16_t& Key)
{
  if (!FGrid)
    return TZogComboBox::KeyPress(Key);
  FGrid->DoGridKeyPress(this, Key);
  if (Key == 27)
    Key = 0;
  if (Key == 13)
    FireNotify(OnReturnKey, this);
  if (Key == 13 || Key == 9)
    Key = 0;
  TZogComboBox::KeyPress(Key);
}

bool TGridCombo::CMWantSpecialKey(uint16_t Key)
{
  return Key == VK_RETURN || Key == VK_ESCAPE || (Key == VK_TAB && FGrid && FGrid->ShouldHandleTab());
}

void TGridCombo::ReportChoice()
{
  const int32_t I = ItemIndex();
  if (I < 0)
    return;
  const TCustomGrid* G = FGrid->EditGrid();
  const int32_t RC = FGrid->RemapCol(G->Col());
  const String Item = Items()->Strings(I);
  FGrid->DoEditChange(RC, G->Row(), Item);
  FGrid->DoComboChange(RC, G->Row(), I, Item, Items()->Objects(I));
}

bool TGridCombo::DoMouseWheel(TShiftState Shift, int32_t WheelDelta, const TPoint& MousePos)
{
  if (!FGrid)
    return TZogComboBox::DoMouseWheel(Shift, WheelDelta, MousePos);
  // Towards the user the next item, away from the user the previous one;
  // the ends stay where they are.
  int32_t I = ItemIndex();
  if (WheelDelta < 0 && I < Items()->Count() - 1)
    ++I;
  else if (WheelDelta > 0 && I > 0)
    --I;
  SetItemIndex(I);
  ReportChoice();
  return true;
}

void TGridCombo::DoEnter()
{
  TZogComboBox::DoEnter();
  if (!FGrid)
    return;
  QLineEdit* E = EditFieldOf(this);
  if (!E)
    return;
  if (!FGrid->Navigation()->EditSelectAll())
    E->setCursorPosition(static_cast<int32_t>(E->text().size()));
  if (FGrid->LButFlg) {
    const TPoint Screen = MouseCursorPos();
    const TPoint P = ScreenToClient(Screen);
    if (P.X >= 0 && P.X <= Width() && P.Y >= 0 && P.Y <= Height()) {
      E->setCursorPosition(E->cursorPositionAt(E->mapFromGlobal(QPoint(Screen.X, Screen.Y))));
      FGrid->LButFlg = false;
    }
  }
}

void TGridCombo::DoExit()
{
  if (FGrid && FGrid->LookupHistory() && !Text().isEmpty() && Items()->IndexOf(Text()) < 0)
    Items()->Add(Text());
  if (FGrid)
    FGrid->HideInplaceEdit();
  TZogComboBox::DoExit();
}

void TGridCombo::Change()
{
  // A choice from the list changes the text too, but the grid hears of it
  // as a choice, not as typing.
  if (FGrid && !FSelecting)
    FGrid->ComboNotify(this, 5);
  TZogComboBox::Change();
  if (FGrid) {
    const TCustomGrid* G = FGrid->EditGrid();
    FGrid->DoEditChange(G->Col(), G->Row(), Text());
  }
}

void TGridCombo::Select()
{
  FSelecting = true;
  const auto Done = qScopeGuard([this] { FSelecting = false; });
  if (FGrid)
    FGrid->ComboNotify(this, 1);
  TZogComboBox::Select();
}

void TGridCombo::DropDown()
{
  if (FGrid)
    FGrid->ComboNotify(this, 7);
  TZogComboBox::DropDown();
}

void TGridCombo::CloseUp()
{
  if (FGrid)
    FGrid->ComboNotify(this, 8);
  TZogComboBox::CloseUp();
}
