#pragma once
// TGridEditHost: what a grid is to the inplace editors that edit its cells.
//
// The string grid (grid/core) derives from this class beside its grid base,
// so that the editors of this library reach the grid's editing state and the
// grid operations they call without knowing the grid's class. The grid's own
// members of the same names implement the operations; the state fields are
// the grid's fields.
//
// ---- Coordinates ------------------------------------------------------------------
// Columns are display columns unless a name says real; RemapCol maps a
// display column to the real one (the cell store's). Rows are grid rows.
//
// ---- The edit and its end ----------------------------------------------------------
// An editor shows over the current cell with the cell's text. When a key or
// the loss of the focus ends the edit, the editor hands its text to
// ValidateCell, which may refuse it (the editor then stays on the cell) or
// change it (FNewCellText), writes it into the cell and ends the open edit;
// HideInplaceEdit puts the editor away, DoneEditing ends the edit and tells
// the application.
//
// Everything runs on the main thread.
#include "grid/base/RurTypes.h"
#include "platform/GraphicsTypes.h"
#include "platform/VirtualKeys.h"
#include "rtl/Types.h"

#include <cstdint>
#include <functional>

class TCustomComboBox;
class TCustomGrid;
class TEditLink;
class TMouseActions;
class TNavigation;
class TObject;
class TStringList;

class TGridEditHost {
public:
  virtual ~TGridEditHost();

  // ---- The edit in progress (the grid's fields) ------------------------------------
  TEditorType EditControl = edNormal; // the editor kind of the cell being edited
  bool EditMode = false;              // an editor is up for the current cell
  bool FEditing = false;              // an edit is open and not yet validated
  bool FValidating = false;           // a validation, or the cursor move inside it, runs
  bool FNoEditChange = false;         // the grid puts text into the editor: no OnEditChange
  bool FDoneEditing = false;          // the editor ends the edit as it loses the focus
  bool LButFlg = false;               // editing was started by a mouse click
  char16_t FStartEditChar = 0;        // the key that started editing; 0 for none
  TShiftState FKeyShift = 0;          // the shift keys of the last typed character
  String FCellCache;                  // the cell's text when editing began
  String FOldCellText;                // what validation compares the new text with
  String FNewCellText;                // the text the last validation accepted or left

  // ---- Settings the editors read --------------------------------------------------------
  virtual TNavigation* Navigation() const = 0;
  virtual TMouseActions* MouseActions() const = 0;
  // 0 or less: no limit.
  virtual int32_t MaxEditLength() const = 0;
  // The characters an edValidChars cell takes; when empty, ValidCharSet.
  virtual String ValidChars() const = 0;
  virtual bool InValidCharSet(char16_t Ch) const = 0;
  virtual bool ExcelStyleDecimalSeparator() const = 0;
  virtual bool ForceDecimalSeparator() const = 0;
  virtual bool Multilinecells() const = 0;
  virtual bool WordWrap() const = 0;
  virtual TVAlignment VAlignment() const = 0;
  virtual bool Lookup() const = 0;
  virtual TStringList* LookupItems() const = 0;
  virtual bool LookupCaseSensitive() const = 0;
  virtual bool LookupHistory() const = 0;
  // SizeWhileTyping.Height and .Width.
  virtual bool SizeWhileTypingHeight() const = 0;
  virtual bool SizeWhileTypingWidth() const = 0;
  // A cell was stored through the grid's own editing since the editor
  // showed (the base grid's FEditCellSet).
  virtual bool EditCellSet() const = 0;

  // ---- Cells and the edit ----------------------------------------------------------------
  virtual int32_t RemapCol(int32_t ACol) const = 0;
  // The fixed columns at the right edge.
  virtual int32_t FixedRightCols() const = 0;
  // The text of the current cell's base cell, and storing into it (through
  // SetCellEx, which tells the grid's listeners).
  virtual String GetCurrentCell() = 0;
  virtual void SetCurrentCell(const String& Value) = 0;
  // Stores into the current cell through the grid's edit-text path.
  virtual void SetEditCell(const String& Value) = 0;
  // False: refused; the caller keeps its editor on the cell.
  virtual bool ValidateCell(const String& NewValue) = 0;
  virtual void ShowInplaceEdit() = 0;
  virtual void HideInplaceEdit() = 0;
  virtual void DoneEditing(int32_t ACol, int32_t ARow) = 0;
  // The grid's editor-property step for a cell (real column).
  virtual void DoGetEditorProp(int32_t ACol, int32_t ARow, TEditLink* AEditLink) = 0;

  // ---- Moving on -------------------------------------------------------------------------
  virtual bool SelectCell(int32_t ACol, int32_t ARow) = 0;
  // The grid takes Tab itself (goTabs, or a validation handler).
  virtual bool ShouldHandleTab() = 0;
  virtual bool TabEdit(bool Backward) = 0;
  virtual void AppendLastRow() = 0;
  virtual void AdvanceEdit(int32_t ACol, int32_t ARow, bool Force, bool AutoEdit, bool Forward, bool Recheck,
                           bool EditAfterMove) = 0;
  // The grid's own key handling, as a key reaching the grid would run it.
  virtual void WMKeyDown(uint16_t& Key, TShiftState Shift) = 0;
  virtual void KeyPress(char16_t& Key) = 0;
  // Real column: the cell holds a control operated by clicks.
  virtual bool HasStaticEdit(int32_t ACol, int32_t ARow) = 0;
  virtual void SelectAll() = 0;
  virtual void ClearRowSelectInt() = 0;
  virtual void SetRowSelect(int32_t ARow, bool Value) = 0;

  // ---- Sizing while typing ---------------------------------------------------------------
  virtual void AutoSizeRow(int32_t ARow, int32_t Padding) = 0;
  virtual void SizeToLines(int32_t ARow, int32_t Lines, int32_t Padding) = 0;
  virtual void SizeToWidth(int32_t ACol, bool GrowOnly) = 0;
  virtual int32_t MaxLinesInRow(int32_t ARow) = 0;
  virtual int32_t YOffsetSize() = 0;
  // Runs Action with the synchronisation of column sizes to another grid
  // switched off.
  virtual void WithoutSizeSync(const std::function<void()>& Action) = 0;

  // ---- Hooks for descendants (empty in the grid) -------------------------------------------
  virtual void Edit_WMKeyDown(uint16_t& Key, TShiftState Shift) = 0;
  virtual void EditKeyDown(uint16_t& Key, TShiftState Shift) = 0;
  // Pos (-1, -1) and SelPos -1 tell that the edit ended.
  virtual void EditProgress(const String& Text, TPoint Pos, int32_t SelPos) = 0;
  virtual void SetCellSelectMode(bool Value) = 0;

  // ---- The grid's events that the editors fire ---------------------------------------------
  virtual void DoEditChange(int32_t ACol, int32_t ARow, const String& Value) = 0;
  virtual void DoDblClickCell(int32_t ARow, int32_t ACol) = 0;
  virtual void DoEndRowSize(int32_t ARow) = 0;
  // The grid's OnKeyDown, for keys the editor keeps from the grid.
  virtual void DoGridKeyDown(uint16_t& Key, TShiftState Shift) = 0;
  // Sender is the editor.
  virtual void DoClipboardCopy(TObject* Sender, bool& Allow) = 0;
  virtual void DoClipboardCut(TObject* Sender, bool& Allow) = 0;
  virtual void DoClipboardPaste(TObject* Sender, bool& Allow) = 0;
  virtual void DoClipboardBeforePasteCell(TObject* Sender, int32_t ACol, int32_t ARow, String& Value, bool& Allow) = 0;
  virtual void DoClipboardAfterPasteCell(TObject* Sender, int32_t ACol, int32_t ARow, const String& Value) = 0;

  // ---- What the spin, combo, check-box and button editors ask besides ---------------
  // The grid as a control: its current cell (Col, Row), options, font and
  // focus.
  virtual TCustomGrid* EditGrid() = 0;
  // The fixed columns (at least 1 when a fixed column is always shown) and
  // the column count.
  virtual int32_t GetFixedColsEx() const = 0;
  virtual int32_t GetColCountEx() const = 0;
  // Real column: the extra columns and rows the cell's merged area covers.
  virtual TPoint CellSpan(int32_t ACol, int32_t ARow) const = 0;
  virtual void SetColEx(int32_t Value) = 0;
  // A special editor ends its edit with a key: the editor goes, the grid
  // takes the key (Tab, the arrows) and the focus, Return advances.
  virtual void DoneInplaceEdit(uint16_t Key, TShiftState Shift) = 0;
  // The current cell gets the text it had when editing began.
  virtual void RestoreCache() = 0;
  // Real column: stores Value through the grid's edit-text path.
  virtual void UpdateEditingCell(int32_t ACol, int32_t ARow, const String& Value) = 0;
  // OnEllipsClick with Value; Result is what the handler left.
  virtual void EllipsClick(const String& Value, String& Result) = 0;
  // What the grid's combo editor tells the grid (1 selection change, 5 edit
  // change, 7 drop-down, 8 close-up).
  virtual void ComboNotify(TCustomComboBox* Source, uint16_t Code) = 0;
  // Editing opens again on the current cell once the current input is
  // handled.
  virtual void PostEditShow() = 0;
  // The key release as it reaches the grid itself.
  virtual void WMKeyUp(uint16_t& Key, TShiftState Shift) = 0;
  // The grid's OnKeyUp and OnKeyPress (Sender: the grid or the editor).
  virtual void DoGridKeyUp(uint16_t& Key, TShiftState Shift) = 0;
  virtual void DoGridKeyPress(TObject* Sender, char16_t& Key) = 0;
  // OnComboChange, then OnComboObjectChange (real column).
  virtual void DoComboChange(int32_t ACol, int32_t ARow, int32_t AItemIndex, const String& ASelection,
                             TObject* AObject) = 0;
  // The spin events of the four spin kinds, with the value after the step.
  virtual void DoSpinClick(int32_t ACol, int32_t ARow, int32_t AValue, bool UpDown) = 0;
  virtual void DoFloatSpinClick(int32_t ACol, int32_t ARow, double AValue, bool UpDown) = 0;
  virtual void DoDateSpinClick(int32_t ACol, int32_t ARow, TDateTime AValue, bool UpDown) = 0;
  virtual void DoTimeSpinClick(int32_t ACol, int32_t ARow, TDateTime AValue, bool UpDown) = 0;
};
