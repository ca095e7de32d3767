#pragma once
// The screen buffer of a terminal: character cells with a scroll-back
// history above the visible screen, and for every cell its character,
// character-set number, attributes, foreground and background colour.
//
// Rows and columns outside the buffer are 1-based. With absolute addressing
// row 1 is the top screen row and rows 0, -1, ... are scroll-back rows
// (newest first); with relative addressing rows and columns count from the
// display area, which is the scroll region while one is in use. The
// line-pointer calls, the changed rectangles and the scroll notification
// always use the absolute form.
//
// The buffer keeps the cursor with delayed wrap (a character written into
// the last column leaves the cursor there; the wrap happens before the next
// character), the writing attributes, tab stops, the scroll region and the
// modes, and it gathers the screen area changed since the last paint.
//
// Everything runs on the window thread: the buffer has no lock.
#include "platform/Colors.h"
#include "platform/GraphicsTypes.h"
#include "platform/Messages.h"
#include "rtl/Object.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Posted to the registered terminal window when the buffer changed.
constexpr uint32_t ApwTermNeedsUpdate = 0x7E8A;

enum TSioTerminalCharAttr : uint8_t {
  tcaBold,
  tcaUnderline,
  tcaStrikethrough,
  tcaBlink,
  tcaReverse,
  tcaInvisible,
  tcaSelected,
};
// A set of attributes in one byte: member n is bit n (tcaSelected is 0x40).
using TSioTerminalCharAttrs = uint8_t;
constexpr TSioTerminalCharAttrs AttrBit(TSioTerminalCharAttr A) { return TSioTerminalCharAttrs(1u << A); }

// Row and Col in external coordinates of the buffer's addressing mode.
using TAdOnCursorMovedEvent = std::function<void(TObject* ASender, int32_t Row, int32_t Col)>;
// aCount rows scrolled (positive up, negative down) within aTop..aBottom,
// absolute external rows.
using TAdScrollRowsNotifyEvent = std::function<void(TObject* aSender, int32_t aCount, int32_t aTop, int32_t aBottom)>;

// A two-dimensional array of items of 1, 2 or 4 bytes: one property of every
// cell. Rows are whole 4-byte words. Rows are kept as a ring, so that
// scrolling the whole array (every line feed at the bottom of a screen
// without a scroll region) moves no items. Rows and columns are 0-based;
// calls outside the array do nothing.
class TadTerminalArray : public TObject {
public:
  // Sizes other than 1, 2 or 4 give 1.
  explicit TadTerminalArray(int32_t aItemSize);
  ~TadTerminalArray() override;
  String ClassName() const override;

  int32_t ColCount() const { return FColCount; }
  void taSetColCount(int32_t Value);
  int32_t RowCount() const { return FRowCount; }
  void taSetRowCount(int32_t Value);
  int32_t ItemSize() const { return FItemSize; }

  // Reads ItemSize bytes at aDefaultItem: the value of cleared items.
  void SetDefaultItem(const void* aDefaultItem);
  void Clear();
  // Items aFromCol..aToCol of the row become the default.
  void ClearItems(int32_t aRow, int32_t aFromCol, int32_t aToCol);
  // Deletes min(aCount, ColCount - aCol) items at aCol; the row's end fills
  // with defaults.
  void DeleteItems(int32_t aCount, int32_t aRow, int32_t aCol);
  // Inserts min(aCount, ColCount - aCol) default items at aCol; items pushed
  // past ColCount are lost.
  void InsertItems(int32_t aCount, int32_t aRow, int32_t aCol);
  // The item's address (the row's items follow it); nullptr when nothing is
  // allocated or the cell lies outside the array.
  void* GetItemPtr(int32_t aRow, int32_t aCol) const;
  // Every item equal to the old value gets the new one.
  void ReplaceItems(const void* aOldItem, const void* aNewItem);
  // Rows aStartRow + aCount..aEndRow move up to aStartRow (aCount > 0) or
  // down (aCount < 0); the rows left behind become default rows. A count
  // beyond the range clears the range.
  void ScrollRows(int32_t aCount, int32_t aStartRow, int32_t aEndRow);
  // aCount copies of one item from aCol, clipped at ColCount.
  void WriteDupItems(const void* aItem, int32_t aCount, int32_t aCol, int32_t aRow);
  // aCount items from aItems at aCol, clipped at ColCount.
  void WriteItems(const void* aItems, int32_t aCount, int32_t aCol, int32_t aRow);

private:
  void taGrowArray(int32_t aRowCount, int32_t aColCount, int32_t aActColCount);
  uint8_t* RowPtr(int32_t aRow) const;
  void FillItems(uint8_t* P, int32_t Count) const;
  int32_t RowBytes() const { return FActColCount * FItemSize; }

  int32_t FActColCount = -1;
  int32_t FColCount = 0;
  uint32_t FDefaultItem = 0;
  std::unique_ptr<uint32_t[]> FItems;
  int32_t FItemSize;
  int32_t FRowCount = 0;
  int32_t FFirstRow = 0; // ring position of row 0
};

class TSioTerminalBuffer : public TObject {
public:
  // 80 columns, 24 screen rows, 200 rows in all; wide buffers hold 2-byte
  // characters.
  explicit TSioTerminalBuffer(bool aUseWideChars);
  ~TSioTerminalBuffer() override;
  String ClassName() const override;

  // ---- writing at the cursor
  void WriteChar(char aCh);
  void WriteString(const AnsiString& S);
  // Converted to 8-bit (Windows-1252) text first.
  void WriteString(const String& S);

  // ---- cursor (each clears a pending delayed wrap)
  void DoBackspace();
  void DoCarriageReturn();
  // Carriage return first in new-line mode; then down, scrolling.
  void DoLineFeed();
  // Next (previous) tab stop within the display area; without one, the
  // area's last (first) column or row.
  void DoHorzTab();
  void DoBackHorzTab();
  void DoVertTab();
  void DoBackVertTab();
  void MoveCursorDown(bool aScroll);
  void MoveCursorUp(bool aScroll);
  void MoveCursorLeft(bool aWrap, bool aScroll);
  void MoveCursorRight(bool aWrap, bool aScroll);
  void SetCursorPosition(int32_t aRow, int32_t aCol);
  int32_t Row() const;
  // Clamped to the buffer: absolute rows <= 0 reach the scroll-back.
  void tbSetRow(int32_t Value);
  int32_t Col() const;
  void tbSetCol(int32_t Value);
  // The display area's top-left cell, absolute.
  int32_t OriginRow() const;
  int32_t OriginCol() const;

  // ---- editing (counts are clipped to the row or the display area)
  void DeleteChars(int32_t aCount);
  void InsertChars(int32_t aCount);
  void DeleteLines(int32_t aCount);
  void InsertLines(int32_t aCount);
  void EraseChars(int32_t aCount);
  void EraseToEOL();
  void EraseFromBOL();
  void EraseLine();
  void EraseToEOW();
  void EraseFromBOW();
  // The screen moves into the scroll-back; the cursor stays.
  void EraseScreen();
  // Everything blank, scroll-back included; cursor to row 1, column 1.
  void EraseAll();

  // ---- tab stops, at the cursor's column (row) or all
  void SetHorzTabStop();
  void ClearHorzTabStop();
  void ClearAllHorzTabStops();
  void SetVertTabStop();
  void ClearVertTabStop();
  void ClearAllVertTabStops();

  // ---- scroll region, screen rows; a region has at least two rows, and
  // one covering the whole screen is none
  void SetScrollRegion(int32_t aTopRow, int32_t aBottomRow);
  bool UseScrollRegion() const { return FUseScrollRegion; }
  void tbSetUseScrollRegion(bool Value);

  // ---- what written characters get, and what cleared cells get
  TSioTerminalCharAttrs GetCharAttrs() const { return FAttr; }
  void SetCharAttrs(TSioTerminalCharAttrs Value);
  TSioTerminalCharAttrs GetDefCharAttrs() const { return FDefAttr; }
  void SetDefCharAttrs(TSioTerminalCharAttrs Value) { FDefAttr = Value; }
  TColor ForeColor() const { return FForeColor; }
  void SetForeColor(TColor Value);
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor Value);
  uint8_t CharSet() const { return FCharSet; }
  void SetCharSet(uint8_t Value);
  // Cells in the old default colour take the new one.
  TColor DefForeColor() const { return FDefForeColor; }
  void SetDefForeColor(TColor Value);
  TColor DefBackColor() const { return FDefBackColor; }
  void SetDefBackColor(TColor Value);
  uint8_t DefCharSet() const { return FDefCharSet; }
  void SetDefCharSet(uint8_t Value) { FDefCharSet = Value; }
  char DefAnsiChar() const { return FDefAnsiChar; }
  void SetDefAnsiChar(char Value);

  // ---- sizes; counts below 2 raise Exception
  int32_t ColCount() const { return FColCount; }
  void tbSetColCount(int32_t Value);
  int32_t RowCount() const { return FRowCount; }
  // Ignored when above SVRowCount.
  void tbSetRowCount(int32_t Value);
  int32_t SVRowCount() const { return FSVRowCount; }
  // Keeps the newest rows; a larger RowCount is reduced to it.
  void tbSetSVRowCount(int32_t Value);

  // ---- modes
  bool UseAbsAddress() const { return FUseAbsAddress; }
  void SetUseAbsAddress(bool Value) { FUseAbsAddress = Value; }
  bool UseAutoWrap() const { return FUseAutoWrap; }
  void SetUseAutoWrap(bool Value) { FUseAutoWrap = Value; }
  bool UseAutoWrapDelay() const { return FUseAutoWrapDelay; }
  void SetUseAutoWrapDelay(bool Value) { FUseAutoWrapDelay = Value; }
  bool UseInsertMode() const { return FUseInsertMode; }
  void SetUseInsertMode(bool Value) { FUseInsertMode = Value; }
  bool UseNewLineMode() const { return FUseNewLineMode; }
  void SetUseNewLineMode(bool Value) { FUseNewLineMode = Value; }
  bool UseWideChars() const { return FUseWideChars; }

  // Attributes, colours and character set back to the defaults, every cell
  // blank, tab stops every 8 columns, modes as at creation, no region,
  // cursor to row 1, column 1. Nothing is marked changed.
  void Reset();

  // ---- whole rows (absolute rows), from the display origin column;
  // ColCount items follow. nullptr for a row outside the buffer. The
  // characters are 1 byte, or 2 in a wide buffer.
  void* GetLineCharPtr(int32_t aRow) const;
  uint8_t* GetLineCharSetPtr(int32_t aRow) const;
  TSioTerminalCharAttrs* GetLineAttrPtr(int32_t aRow) const;
  TColor* GetLineForeColorPtr(int32_t aRow) const;
  TColor* GetLineBackColorPtr(int32_t aRow) const;

  // ---- changes since the last paint
  // False when nothing changed; else the union of every changed rectangle
  // (external columns, absolute rows, inclusive), which is then forgotten.
  bool GetInvalidRect(TRect& aRect);
  bool HasDisplayChanged() const { return FHaveInvalid; }
  // Whether the cursor moved since the last call.
  bool HasCursorMoved();
  void RegisterTerminalHandle(HWND AHandle) { FTerminalHandle = AHandle; }
  void DeregisterTerminalHandle() { FTerminalHandle = 0; }
  HWND TerminalHandle() const { return FTerminalHandle; }

  // Fires after the cursor, tab, backspace, carriage-return, line-feed and
  // region operations moved the cursor (not after written characters).
  TAdOnCursorMovedEvent OnCursorMoved;
  TAdScrollRowsNotifyEvent OnScrollRows;

private:
  TadTerminalArray* Matrix(int32_t I) const;
  void SetMatrixDefaults();
  void SetDefaultTabStops();
  // Internal rows and columns from here on.
  int32_t AreaTop() const { return FDisplayOriginRow; }
  int32_t AreaBottom() const { return FDisplayOriginRow + FDisplayRowCount - 1; }
  int32_t AreaLeft() const { return FDisplayOriginCol; }
  int32_t AreaRight() const { return FDisplayOriginCol + FDisplayColCount - 1; }
  int32_t ScreenTop() const { return FSVRowCount - FRowCount; }
  int32_t ToInternalRow(int32_t aRow) const;
  int32_t ToInternalCol(int32_t aCol) const;
  int32_t ToExternalRow(int32_t aRow) const { return aRow + FRowCount - FSVRowCount + 1; }
  void MoveCursorTo(int32_t aRow, int32_t aCol);
  void FireCursorMoved();
  void tbInvalidateRect(int32_t aTop, int32_t aLeft, int32_t aBottom, int32_t aRight);
  void tbScrollRows(int32_t aCount, int32_t aStartRow, int32_t aEndRow);
  void ClearCells(int32_t aRow, int32_t aFromCol, int32_t aToCol);
  void tbMoveCursorLeftRight(int32_t aDirection, bool aWrap, bool aScroll);
  void tbMoveCursorUpDown(int32_t aDirection, bool aScroll);
  void SetDisplayArea();

  TSioTerminalCharAttrs FAttr = 0;
  TColor FBackColor;
  bool FBeyondMargin = false;
  uint8_t FCharSet = 0;
  int32_t FColCount = 80;
  int32_t FCursorCol = 0;
  int32_t FCursorRow = 0;
  bool FCursorMoved = false;
  // Set by every cursor change; one operation's event fires only when it
  // moved the cursor itself.
  bool FMovedNow = false;
  char FDefAnsiChar = ' ';
  TSioTerminalCharAttrs FDefAttr = 0;
  uint8_t FDefCharSet = 0;
  TColor FDefBackColor = clBlack;
  TColor FDefForeColor = clSilver;
  uint16_t FDefWideChar = ' ';
  int32_t FDisplayOriginCol = 0;
  int32_t FDisplayOriginRow = 0;
  int32_t FDisplayColCount = 0;
  int32_t FDisplayRowCount = 0;
  TColor FForeColor;
  std::vector<uint8_t> FHorzTabStops;
  // One rectangle, the union of everything changed since the last
  // GetInvalidRect: what a list of pending rectangles merged at paint time
  // gives, without the list growing while nothing paints.
  TRect FInvalid;
  bool FHaveInvalid = false;
  int32_t FRowCount = 24;
  int32_t FSRStartRow = 0;
  int32_t FSREndRow = 0;
  int32_t FSVRowCount = 200;
  bool FUseAbsAddress = true;
  bool FUseAutoWrap = true;
  bool FUseAutoWrapDelay = true;
  bool FUseInsertMode = false;
  bool FUseNewLineMode = false;
  bool FUseScrollRegion = false;
  bool FUseWideChars;
  std::vector<uint8_t> FVertTabStops;
  std::unique_ptr<TadTerminalArray> FCharMatrix;
  std::unique_ptr<TadTerminalArray> FCharSetMatrix;
  std::unique_ptr<TadTerminalArray> FAttrMatrix;
  std::unique_ptr<TadTerminalArray> FForeColorMatrix;
  std::unique_ptr<TadTerminalArray> FBackColorMatrix;
  HWND FTerminalHandle = 0;
};

// Bit sets: bit n is bit n mod 8 of byte n div 8. Out-of-range bits read
// as clear and are not written.
void SioTSetBit(std::vector<uint8_t>& aBitset, int32_t aBit);
void SioTClearBit(std::vector<uint8_t>& aBitset, int32_t aBit);
bool SioTIsBitSet(const std::vector<uint8_t>& aBitset, int32_t aBit);
void SioTClearAllBits(std::vector<uint8_t>& aBitset);
// Re-sized to hold aBitCount bits; the bits that stay keep their value, new
// ones are clear.
void SioTReallocBitset(std::vector<uint8_t>& aBitset, int32_t aBitCount);
