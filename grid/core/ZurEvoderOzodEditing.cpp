// Editor kinds and editor activation: which editor a cell gets when editing
// starts (CanEditShow), the special editors shown over the cell and their
// values written back, and the cell access the editors go through. Columns
// given to the framework's edit-text path are display columns; the text
// always lives in the real column of the cell's base cell.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/core/ColumnSize.h"
#include "grid/edit/RurInplaceEdit.h"

#include <QScopeGuard>

// ---------------------------------------------------------------- choosing the editor

bool TZurEvoderOzod::CanEditShow()
{
  if (FValidating)
    return false;
  const bool Result = TBaseGrid::CanEditShow();
  if (ComponentState() & csDesigning)
    return Result;
  // Merged cells edit through their base cell.
  const TPoint Base = BaseCell(RemapCol(Col()), Row());
  if (!Result)
    return false;
  if (!EditMode && HasStaticEdit(Base.X, Base.Y))
    return false;
  if (!EditMode) {
    FNoEditChange = true;
    FCellCache = GetCurrentCell();
    EditControl = FDefaultEditor;
    GetCellEditor(Base.X, Base.Y, EditControl);
  }
  if (EditControl == edNone)
    return false;
  EditMode = true;
  if (!IsTextEditorKind(EditControl)) {
    // A special editor: the grid shows it itself, the framework nothing.
    ShowEditControl(DisplColIndex(Base.X), Base.Y);
    FEntered = true;
    return false;
  }
  FShowEditProcess = true;
  FEntered = true;
  if (Options() & GridOptionBit(goAlwaysShowEditor)) {
    FOldCol = Col();
    FOldRow = Row();
  }
  FEditing = true;
  return true;
}

TInplaceEdit* TZurEvoderOzod::CreateEditor() { return new TRurInplaceEdit(this, this); }

TRurInplaceEdit* TZurEvoderOzod::GetInplaceEditor() const { return dynamic_cast<TRurInplaceEdit*>(InplaceEditor()); }

// ---------------------------------------------------------------- special editors

void TZurEvoderOzod::ShowCellEdit()
{
  if (!(Options() & GridOptionBit(goEditing)) && FMouseActions->RangeSelectAndEdit())
    SetOptions(Options() | GridOptionBit(goEditing));
  uint16_t Key = VK_F2;
  WMKeyDown(Key, 0);
}

void TZurEvoderOzod::HideCellEdit() { HideEditControl(Col(), Row()); }

void TZurEvoderOzod::RestoreCache() { SetCellEx(RemapCol(Col()), Row(), FCellCache); }

// ---------------------------------------------------------------- cell access for the editors

String TZurEvoderOzod::GetEditText(int32_t ACol, int32_t ARow)
{
  FNoEditChange = true;
  return GetEditCell(RemapCol(ACol), ARow);
}

void TZurEvoderOzod::SetEditText(int32_t ACol, int32_t ARow, const String& Value)
{
  // The framework names a display column; the cell store is addressed by
  // the real one.
  const int32_t RCol = RemapCol(ACol);
  if (GetEditCell(RCol, ARow) != Value)
    SetCellEx(RCol, ARow, Value);
}

String TZurEvoderOzod::GetEditCell(int32_t ACol, int32_t ARow)
{
  const TPoint Base = BaseCell(ACol, ARow);
  return GetGridCell(Base.X, Base.Y);
}

// ACol is a real column.
void TZurEvoderOzod::UpdateEditingCell(int32_t ACol, int32_t ARow, const String& Value)
{
  SetEditText(DisplColIndex(ACol), ARow, Value);
}

int32_t TZurEvoderOzod::GetEditLimit() { return FMaxEditLength; }

String TZurEvoderOzod::GetCurrentCell() { return GetEditCell(RemapCol(Col()), Row()); }

void TZurEvoderOzod::SetCurrentCell(const String& Value) { SetCellEx(RemapCol(Col()), Row(), Value); }

void TZurEvoderOzod::SetEditCell(const String& Value) { SetEditText(Col(), Row(), Value); }

// ---------------------------------------------------------------- the text editor's settings

void TZurEvoderOzod::SetValidCharSet(const String& Chars)
{
  std::fill(std::begin(FValidCharSet), std::end(FValidCharSet), false);
  for (const QChar C : Chars)
    if (C.unicode() < 256)
      FValidCharSet[C.unicode()] = true;
}

bool TZurEvoderOzod::SizeWhileTypingHeight() const { return FSizeWhileTyping->Height(); }

bool TZurEvoderOzod::SizeWhileTypingWidth() const { return FSizeWhileTyping->Width(); }

void TZurEvoderOzod::WithoutSizeSync(const std::function<void()>& Action)
{
  // Column sizes follow to a synchronised grid only when sized by hand;
  // sizing while typing does not reach it.
  Action();
}

// ---------------------------------------------------------------- the editors' events

void TZurEvoderOzod::DoEditChange(int32_t ACol, int32_t ARow, const String& Value)
{
  if (OnEditChange)
    OnEditChange(this, ACol, ARow, Value);
}

void TZurEvoderOzod::DoDblClickCell(int32_t ARow, int32_t ACol)
{
  if (OnDblClickCell)
    OnDblClickCell(this, ARow, ACol);
}

void TZurEvoderOzod::DoEndRowSize(int32_t ARow)
{
  if (OnEndRowSize)
    OnEndRowSize(this, ARow);
}

void TZurEvoderOzod::DoGridKeyDown(uint16_t& Key, TShiftState Shift)
{
  if (OnKeyDown)
    OnKeyDown(this, Key, Shift);
}

void TZurEvoderOzod::DoClipboardCopy(TObject* Sender, bool& Allow)
{
  if (OnClipboardCopy)
    OnClipboardCopy(Sender, Allow);
}

void TZurEvoderOzod::DoClipboardCut(TObject* Sender, bool& Allow)
{
  if (OnClipboardCut)
    OnClipboardCut(Sender, Allow);
}

void TZurEvoderOzod::DoClipboardPaste(TObject* Sender, bool& Allow)
{
  if (OnClipboardPaste)
    OnClipboardPaste(Sender, Allow);
}

void TZurEvoderOzod::DoClipboardBeforePasteCell(TObject* Sender, int32_t ACol, int32_t ARow, String& Value, bool& Allow)
{
  if (OnClipboardBeforePasteCell)
    OnClipboardBeforePasteCell(Sender, ACol, ARow, Value, Allow);
}

void TZurEvoderOzod::DoClipboardAfterPasteCell(TObject* Sender, int32_t ACol, int32_t ARow, const String& Value)
{
  if (OnClipboardAfterPasteCell)
    OnClipboardAfterPasteCell(Sender, ACol, ARow, Value);
}
