#pragma once
// The terminal control: shows what arrives on a serial port through an
// emulator (SioTerminalEmulator.h) and sends what the user types.
//
// Received bytes: the terminal registers a handler with the port's
// dispatcher, which runs in the dispatch thread for every trigger; on "data
// available" it copies the bytes into the terminal's byte queue without
// taking them from the port's other readers (the data packets get every
// byte as before) and posts itself ApwTermStuff. On the window thread that
// message appends the queued bytes to the capture file (while capturing),
// hands them to the emulator and, without lazy display, paints at once.
// Text written with WriteChar and WriteString takes the same road.
//
// A 100 ms heartbeat drives blinking, lazy painting (a change is painted at
// the first beat after LazyTimeDelay ms or LazyByteDelay bytes) and the
// scrolling of a mouse selection beyond the window's edge.
//
// The view: cells sized from the font (plus CharHPadding, CharVPadding),
// ClientOriginCol / ClientOriginRow as the cell shown top-left (rows <= 0 are
// scroll-back rows, shown while Scrollback is on), scroll bars when the
// buffer does not fit, a caret at the cursor while the control has the
// focus, mouse selection (kept as tcaSelected in the buffer) and copying.
//
// The terminal's own messages go to a message window of the window thread
// (TermHandle): the port's open, closing and closed notices (it registers
// as an extended user of its port while its window exists), and those it
// posts itself. "The window exists" is the control's handle.
#include "platform/Controls.h"
#include "serial/SioBaseWinControl.h"
#include "serial/terminal/AdEmuCommandList.h"
#include "serial/terminal/SioTerminalBuffer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

class QScrollBar;
class TaaByteQueue;
class TFileStream;
class TMessageWindow;
class TSioBaseDispatcher;
class TSioCustomComPort;
class TSioTerminalEmulator;
class TSioTTYEmulator;
class TTimer;

enum TAdCaptureMode : uint8_t { cmOff, cmOn, cmAppend };
enum TAdCursorType : uint8_t { ctNone, ctUnderline, ctBlock };

using TSioTerminalCursorMovedEvent = std::function<void(TObject* aSender, int32_t aRow, int32_t aCol)>;

// The terminal's own messages (ApwTermNeedsUpdate is in SioTerminalBuffer.h).
constexpr uint32_t ApwTermStuff = 0x7E47;     // wParam: the TAdCharSource
constexpr uint32_t ApwTermForceSize = 0x7E4D; // the scroll bars changed
constexpr uint32_t AwpWaitForPort = 0x7E89;   // attach to the port

// The capture file when none is named.
inline const char* const DefaultCaptureFile = "VIVIVADO.CAP";

class TAdCustomTerminal : public TSioBaseWinControl {
public:
  explicit TAdCustomTerminal(TComponent* AOwner);
  ~TAdCustomTerminal() override;
  String ClassName() const override;
  void Loaded() override;

  // ---- the port
  TSioCustomComPort* ComPort() const { return FComPort; }
  void SetComPort(TSioCustomComPort* Value);
  // Take part in the port's traffic (attach when the port is open).
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // Whether the data handler is registered with the port's dispatcher.
  bool Attached() const { return FTriggerHandlerOn; }

  // ---- the emulator; nullptr reads back while the default one is in use
  TSioTerminalEmulator* Emulator() const;
  void SetEmulator(TSioTerminalEmulator* Value);
  // The buffer of the emulator in use.
  TSioTerminalBuffer* Buffer() const;

  // ---- received and local text
  void WriteChar(char aCh);
  void WriteString(const AnsiString& aSt);
  void WriteString(const String& aSt);
  void WriteCharSource(char aCh, TAdCharSource Source);
  void WriteStringSource(const AnsiString& aSt, TAdCharSource Source);
  void Clear();
  void ClearAll();
  void PasteFromClipboard();
  bool HasFocus() const;

  // ---- cells, aRow absolute (1 the top screen row, <= 0 scroll-back),
  // aCol from 1; out of the buffer: reading gives the empty set, 0, white
  // or black, writing does nothing. Writing repaints nothing.
  TSioTerminalCharAttrs Attributes(int32_t aRow, int32_t aCol) const;
  void SetAttributes(int32_t aRow, int32_t aCol, TSioTerminalCharAttrs Value);
  uint8_t CharSet(int32_t aRow, int32_t aCol) const;
  void SetCharSet(int32_t aRow, int32_t aCol, uint8_t Value);
  TColor ForeColor(int32_t aRow, int32_t aCol) const;
  void SetForeColor(int32_t aRow, int32_t aCol, TColor Value);
  TColor BackColor(int32_t aRow, int32_t aCol) const;
  void SetBackColor(int32_t aRow, int32_t aCol, TColor Value);
  // The row's Columns characters; writing fills the rest with spaces.
  AnsiString Line(int32_t aRow) const;
  void SetLine(int32_t aRow, const AnsiString& Value);

  // ---- properties
  bool AutoCopy() const { return FAutoCopy; }
  void SetAutoCopy(bool Value) { FAutoCopy = Value; }
  bool AutoScrollback() const { return FAutoScrollback; }
  void SetAutoScrollback(bool Value);
  // Half a blink period in ms: 0 no blinking, 1..250 give 250.
  int32_t BlinkTime() const { return FBlinkTime; }
  void SetBlinkTime(int32_t Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TAdCaptureMode Capture() const { return FCapture; }
  // cmOn empties the file, cmAppend keeps it (and reads back as cmOn).
  // File errors reach the caller.
  void SetCapture(TAdCaptureMode Value);
  const String& CaptureFile() const { return FCaptureFile; }
  void SetCaptureFile(const String& Value);
  int32_t Columns() const;
  void SetColumns(int32_t Value);
  int32_t Rows() const;
  void SetRows(int32_t Value);
  int32_t ScrollbackRows() const;
  void SetScrollbackRows(int32_t Value);
  TAdCursorType CursorType() const { return FCursorType; }
  void SetCursorType(TAdCursorType Value);
  bool FollowCursor() const { return FFollowCursor; }
  void SetFollowCursor(bool Value);
  bool FreezeScrollBack() const { return FFreezeScrollBack; }
  void SetFreezeScrollBack(bool Value) { FFreezeScrollBack = Value; }
  bool HalfDuplex() const { return FHalfDuplex; }
  void SetHalfDuplex(bool Value) { FHalfDuplex = Value; }
  bool HideScrollbars() const { return FHideScrollbars; }
  void SetHideScrollbars(bool Value);
  // Accepted 1..1024 and 1..1000; other values are ignored.
  int32_t LazyByteDelay() const { return FLazyByteDelay; }
  void SetLazyByteDelay(int32_t Value);
  int32_t LazyTimeDelay() const { return FLazyTimeDelay; }
  void SetLazyTimeDelay(int32_t Value);
  bool MouseSelect() const { return FMouseSelect; }
  void SetMouseSelect(bool Value);
  bool PasteToPort() const { return FPasteToPort; }
  void SetPasteToPort(bool Value) { FPasteToPort = Value; }
  bool PasteToScreen() const { return FPasteToScreen; }
  void SetPasteToScreen(bool Value) { FPasteToScreen = Value; }
  bool Scrollback() const { return FScrollback; }
  void SetScrollback(bool Value);
  bool UseLazyDisplay() const { return FUseLazyDisplay; }
  void SetUseLazyDisplay(bool Value) { FUseLazyDisplay = Value; }
  bool WantAllKeys() const { return FWantAllKeys; }
  void SetWantAllKeys(bool Value) { FWantAllKeys = Value; }

  // ---- the view
  int32_t CharWidth() const { return FCharWidth; }
  int32_t CharHeight() const { return FCharHeight; }
  int32_t CharHPadding() const { return FCharHPadding; }
  void SetCharHPadding(int32_t Value);
  int32_t CharVPadding() const { return FCharVPadding; }
  void SetCharVPadding(int32_t Value);
  // The cell: font size plus padding, at least 1.
  int32_t GetTotalCharWidth() const;
  int32_t GetTotalCharHeight() const;
  // Columns and rows shown, a partly visible last one included.
  int32_t ClientCols() const { return FClientCols; }
  int32_t ClientRows() const { return FClientRows; }
  int32_t ClientFullCols() const { return FClientFullCols; }
  int32_t ClientFullRows() const { return FClientFullRows; }
  // The cell shown top-left; rows <= 0 are scroll-back rows.
  int32_t ClientOriginCol() const { return FOriginCol; }
  void SetClientOriginCol(int32_t Value);
  int32_t ClientOriginRow() const { return FOriginRow; }
  void SetClientOriginRow(int32_t Value);
  // The buffer does not fit: a scroll bar is wanted.
  bool UsingHScrollBar() const { return FUseHScrollBar; }
  bool UsingVScrollBar() const { return FUseVScrollBar; }
  // Whether the horizontal (vertical) scroll bar is in the window, and its
  // range, page and position.
  bool HasHScrollBar() const;
  bool HasVScrollBar() const;
  struct TScrollInfo {
    int32_t Min = 0;
    int32_t Max = 0;
    int32_t Page = 0;
    int32_t Pos = 0;
    bool operator==(const TScrollInfo&) const = default;
  };
  TScrollInfo HScrollInfo() const;
  TScrollInfo VScrollInfo() const;
  // A scroll bar's message: code SB_LINEUP ... SB_THUMBTRACK, Pos for the
  // thumb codes.
  void HScroll(int32_t Code, int32_t Pos);
  void VScroll(int32_t Code, int32_t Pos);
  bool HaveSelection() const { return FHaveSelection; }
  // The selection as start cell (Left, Top) and end cell (Right, Bottom).
  TRect SelectionRect() const { return FLButtonRect; }
  void CopyToClipboard();
  void HideSelection();
  // What copying puts on the clipboard: each selected row's characters and
  // CR LF.
  AnsiString SelectedText() const;
  // Where the caret is, in client pixels; false while none is shown.
  bool CaretShown(TPoint& Position) const;
  // The message window of the terminal.
  HWND TermHandle() const;

  TSioTerminalCursorMovedEvent OnCursorMoved;

  // The heartbeat's work, which its timer runs every 100 ms; the timer
  // runs while the window exists.
  void tmBeat();
  TTimer* Heartbeat() const { return FHeartbeat.get(); }

  TRect ClientRect() const override;

protected:
  void CreateWnd() override;
  void VisibleChanged() override;
  void DestroyWnd() override;
  void Paint() override;
  void Resize() override;
  void FontChanged() override;
  void DoEnter() override;
  void DoExit() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  uint32_t WMGetDlgCode() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TSioTerminalEmulator;
  friend class TSioTTYEmulator;
  struct TTriggerToken;
  // The scroll bars stand at the right and bottom edges of the window, over
  // the terminal's own widget; the client area leaves them out.
  struct TScrollBars {
    QScrollBar* H = nullptr; // children of the widget, gone with it
    QScrollBar* V = nullptr;
    bool HShown = false;
    bool VShown = false;
    // The settings last handed over: range, page and position, as the
    // window system takes them (the position runs Min .. Max - Page + 1).
    TScrollInfo HInfo;
    TScrollInfo VInfo;
    // Set while the bars are being set up: Qt reports the changes as moves.
    bool Setting = false;
  };

  intptr_t TermWindowProc(uint32_t Msg, uintptr_t WParam, intptr_t LParam);
  bool WindowExists() const { return HandleAllocated(); }
  bool Designing() const { return (ComponentState() & csDesigning) != 0; }
  void tmAttachToComPort();
  void tmDetachFromComPort();
  void AwpWaitForPortMsg();
  void ApwTermStuffMsg(TAdCharSource Source);
  void ApwTermNeedsUpdateMsg();
  // The identity of the data handler the dispatcher calls; the work is
  // TakeReceivedBytes, in the dispatch thread.
  void tmTriggerHandler(uint32_t Msg, uint32_t WParam, int32_t LParam);
  static void TakeReceivedBytes(TTriggerToken& Token, uint32_t Msg, uint32_t WParam, int32_t LParam);
  // The handler of an earlier attach no longer reaches the queue.
  void RetireToken();
  // Caret hidden, drawing restricted to the cells, Draw, caret shown.
  void PaintCells(const std::function<void()>& Draw);
  void ImmediatePaint();
  void QueueBytes(const void* Data, int32_t Len, TAdCharSource Source);
  void ReleaseEmulator();
  void SetHeartbeat(bool On);

  // ---- view (SioTerminalView.cpp)
  void tmGetFontInfo(bool SpacingChanged = false);
  void tmCalcExtent();
  bool HScrollBarNeeded() const;
  bool VScrollBarNeeded() const;
  void CreateScrollBars();
  void PlaceScrollBars();
  // Shows or hides the bars as they are needed (what re-creating the
  // window with or without them does).
  void ApplyScrollBars();
  void SetupHScrollBar();
  void SetupVScrollBar();
  void RemoveHScrollBar();
  void RemoveVScrollBar();
  void UpdateHScrollBar();
  void UpdateVScrollBar();
  void tmFollowCursor();
  void CursorMovedScrollbars(int32_t Row, int32_t Col);
  // While Paint runs the emulator draws; otherwise it marks the cells it
  // would draw, and PaintCells has them painted.
  bool PaintingNow() const { return FInPaint; }
  void InvalidateCells(int32_t aRow, int32_t aFirstCol, int32_t aLastCol);
  void CursorCell(int32_t& Row, int32_t& Col) const;
  void MakeCaret();
  void DropCaret();
  void PlaceCaret();
  TRect CaretRect() const;
  void InvalidateCaret();
  void DrawCaret();
  TPoint CellAt(int32_t X, int32_t Y) const;
  void SelectTo(const TPoint& Cell);
  void MarkSelection(const TRect& Sel, bool On);
  void RepaintRows(int32_t First, int32_t Last);
  void AutoScrollSelection();
  void CancelMouse();
  void tmDrawDefaultText();
  int32_t VertScrollPos() const;

  // ---- data path
  std::unique_ptr<TMessageWindow> FTermWindow;
  std::unique_ptr<TaaByteQueue> FByteQueue;
  std::shared_ptr<TTriggerToken> FToken; // the queue's lock, shared with the handler
  std::unique_ptr<TFileStream> FCaptureStream;
  std::unique_ptr<TSioTTYEmulator> FDefEmulator;
  TSioTerminalEmulator* FEmulator = nullptr;
  std::unique_ptr<TTimer> FHeartbeat;
  TSioCustomComPort* FComPort = nullptr;
  TSioBaseDispatcher* FHandlerDispatcher = nullptr;
  int32_t FLazyByteCount = 0;
  int32_t FLazyTimeCount = 0;
  int32_t FBlinkTimeCount = 0;
  bool FBlinkTextVisible = true;
  bool FTriggerHandlerOn = false;
  bool FWaitingForComPortOpen = false;
  bool FWaitingForPort = false;

  // ---- properties
  bool FActive = false;
  bool FAutoCopy = true;
  bool FAutoScrollback = true;
  int32_t FBlinkTime = 500;
  TBorderStyle FBorderStyle = bsSingle;
  TAdCaptureMode FCapture = cmOff;
  String FCaptureFile;
  TAdCursorType FCursorType = ctBlock;
  bool FFollowCursor = true;
  bool FFreezeScrollBack = true;
  bool FHalfDuplex = false;
  bool FHideScrollbars = false;
  int32_t FLazyByteDelay = 200;
  int32_t FLazyTimeDelay = 100;
  bool FMouseSelect = true;
  bool FPasteToPort = false;
  bool FPasteToScreen = false;
  bool FScrollback = false;
  bool FUseLazyDisplay = true;
  bool FWantAllKeys = true;

  // ---- view
  int32_t FCharWidth = 0;
  int32_t FCharHeight = 0;
  int32_t FCharHPadding = 0;
  int32_t FCharVPadding = 0;
  int32_t FClientCols = 0;
  int32_t FClientRows = 0;
  int32_t FClientFullCols = 0;
  int32_t FClientFullRows = 0;
  int32_t FOriginCol = 1;
  int32_t FOriginRow = 1;
  bool FUseHScrollBar = false;
  bool FUseVScrollBar = false;
  bool FHideScrollBarVActive = false;
  bool FHideScrollbarHActive = false;
  TScrollBars FBars;
  bool FInPaint = false;
  // Cells marked for painting since the last paint, in client pixels.
  TRect FPendingPaint;
  bool FHavePendingPaint = false;
  TRect FUsedRect;
  TRect FUnusedRightRect;
  TRect FUnusedBottomRect;
  bool FCreatedCaret = false;
  bool FShowingCaret = false;
  TPoint FCaretPos;
  bool FLButtonDown = false;
  TPoint FLButtonAnchor;
  TRect FLButtonRect;
  TPoint FLastMouse;
  bool FHaveSelection = false;
};

class TSioTerminal : public TAdCustomTerminal {
public:
  explicit TSioTerminal(TComponent* AOwner);
  ~TSioTerminal() override;
  String ClassName() const override;
};

// Scroll bar message codes.
constexpr int32_t SB_LINEUP = 0;
constexpr int32_t SB_LINELEFT = 0;
constexpr int32_t SB_LINEDOWN = 1;
constexpr int32_t SB_LINERIGHT = 1;
constexpr int32_t SB_PAGEUP = 2;
constexpr int32_t SB_PAGELEFT = 2;
constexpr int32_t SB_PAGEDOWN = 3;
constexpr int32_t SB_PAGERIGHT = 3;
constexpr int32_t SB_THUMBPOSITION = 4;
constexpr int32_t SB_THUMBTRACK = 5;
constexpr int32_t SB_ENDSCROLL = 8;
