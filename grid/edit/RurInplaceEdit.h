#pragma once
// TRurInplaceEdit: the grid's text editor, the edit control that the string
// grid shows over the current cell for the text kinds of editor (edNormal,
// edNumeric, edPositiveNumeric, edFloat, edPositiveFloat, edCapital,
// edMixedCase, edLowerCase, edUpperCase, edValidChars, edPassword). One per
// grid, owned by the grid and its child, made on first use and kept.
//
// ---- While it is open -----------------------------------------------------------------
// Typed characters pass the rules of the cell's editor kind: the numeric
// kinds take digits and a leading "-" (a refused character beeps), the float
// kinds one decimal separator and never the thousands separator (dropped
// silently), the case kinds change the character's case, edValidChars takes
// only the grid's valid characters. MaxEditLength (LengthLimit) stops typing
// and pasting beyond it but never cuts a longer text the cell already holds.
// Paste (Ctrl+V, Shift+Insert) asks the grid's clipboard events, takes the
// text when it fits the kind and stores it in the cell at once. With the
// grid's Lookup on, typing completes the text from LookupItems and selects
// the completion.
//
// ---- How it ends -------------------------------------------------------------------------
// Return validates the text (the grid's ValidateCell) and lets the grid move
// on; Escape puts the cell's text from before the edit back; Tab (when the
// grid takes it) validates and tabs to the next cell; Up and Down, and with
// Navigation.CursorWalkEditor Left and Right at the ends of the text, store,
// validate and leave the cell. A refused text keeps the editor open on the
// cell with the text validation left (the old text, or the handler's). Losing
// the focus ends the edit through the grid's DoneEditing without validating.
//
// Main thread only.
#include "grid/base/RurTypes.h"
#include "platform/Grids.h"
#include "platform/Messages.h"

#include <memory>

class TGridEditHost;

// The editor kinds the text editor serves.
bool IsTextEditorKind(TEditorType Kind);
// The text kinds whose Return may break a multi-line cell's line and that
// the grid opens again on focus with Navigation.AlwaysEdit.
bool IsPlainTextKind(TEditorType Kind);

class TRurInplaceEdit : public TInplaceEdit {
public:
  // AOwner is the grid (a TBaseGrid); AHost is the same grid as its editors
  // see it.
  TRurInplaceEdit(TComponent* AOwner, TGridEditHost* AHost);
  ~TRurInplaceEdit() override;
  String ClassName() const override;

  // Right-aligned text: set by the grid for right-justified cells.
  bool VAlign() const { return FValign; }
  void SetVAlign(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  // 0 or less: no limit.
  int16_t LengthLimit() const { return FLengthLimit; }
  void SetLengthLimit(int16_t Value) { FLengthLimit = Value; }

  // The cell being edited, display column and row.
  int32_t FColE = -1;
  int32_t FRowE = -1;

  // The grid is going: nothing is called back from now on.
  void Detach();

  // The clipboard operations of the edit, with the grid's events.
  void WMCopy();
  void WMCut();
  void WMPaste();

protected:
  void UpdateContents() override;
  void BoundsChanged() override;
  void Change() override;
  void WMKeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void WMChar(char16_t& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void WMKeyUp(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void DblClick() override;
  uint32_t WMGetDlgCode() override;
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  bool WidgetEvent(QObject* Watched, QEvent* Event) override;

  void WMSetFocus();
  void WMKillFocus(QWidget* NewFocus);
  // Completes the typed text from the grid's lookup items.
  void DoChange();
  // Places the editor over the current cell.
  void UpdateSize();

private:
  // The grid's colour, font and alignment of the current cell.
  void LoadCellLook();
  void EditPropMessage();
  void ApplyStyle();
  // The text as validation left it, selected or with the caret at its end.
  void RestoreRefused(const String& Old);
  // Stores the text and validates it before leaving the cell; false when
  // refused (the editor then shows what validation left).
  bool StoreAndValidate(const String& T, const String& Old);
  void WalkKeyUp(uint16_t& Key, bool Right);
  bool ValidChar(char16_t Ch) const;
  bool TypeRule(char16_t& Key, TShiftState Shift, bool& Advance);
  // Types the character itself, so that what follows sees the new text.
  void Insert(char16_t Ch);
  bool GridFocused() const;

  TGridEditHost* FGrid;
  std::unique_ptr<TMessageWindow> FMessages;
  int32_t FSelKeyDown = 0;
  int32_t FOldSelStart = 0;
  int16_t FLengthLimit = 0;
  bool FValign = false;
  bool FWordWrap = false;
  bool GotKey = false;
  bool FGotFocus = false;
  bool Workmode = true;
  bool FAltBack = false;
  bool FArrDown = false;
  bool FRefusedReturn = false;
};
