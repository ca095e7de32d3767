#pragma once
// Terminal emulators: they turn the bytes a terminal receives into changes
// of a screen buffer, keys into bytes for the port, and paint the buffer on
// the terminal control (SioTerminal.h).
//
// TSioTerminalEmulator is the base: the virtual interface the terminal
// calls, the binding between terminals and emulators, the command
// interpreter (AdEmuCommandList.h), the answerback and the sending of
// characters. TSioTTYEmulator is a plain teletype: it prints every byte
// from space upwards, carries out BEL, BS, HT, LF and CR, ignores the other
// control characters and knows no escape sequences.
//
// An emulator is bound to at most one terminal and a terminal to at most
// one emulator; every terminal has a TTY emulator of its own (its default
// emulator), used whenever no other one is attached.
//
// Everything runs on the window thread.
#include "serial/SioBaseComponent.h"
#include "serial/terminal/AdEmuCommandList.h"
#include "serial/terminal/SioTerminalBuffer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TAdCharSetMapping;
class TAdCustomTerminal;
class TAdKeyboardMapping;
class TSioTerminalParser;

// A handler may replace the character by other text (empty: swallow it) and
// add commands that run before the text is written.
using TAdOnProcessChar = std::function<void(TObject* Sender, char Character, AnsiString& ReplaceWith,
                                            TAdEmuCommandList* Commands, TAdCharSource CharSource)>;

class TSioTerminalEmulator : public TSioBaseComponent {
public:
  explicit TSioTerminalEmulator(TComponent* AOwner);
  // A bound emulator unbinds itself first.
  ~TSioTerminalEmulator() override;
  String ClassName() const override;

  // Sent by ecAnswerback; "VIVIvado" at first.
  const String& Answerback() const { return FAnswerback; }
  void SetAnswerback(const String& Value) { FAnswerback = Value; }
  TSioTerminalBuffer* Buffer() const { return FTerminalBuffer.get(); }
  TAdCharSetMapping* CharSetMapping() const { return FCharSetMapping; }
  TAdKeyboardMapping* KeyboardMapping() const { return FKeyboardMapping; }
  TSioTerminalParser* Parser() const { return FParser; }
  TAdCustomTerminal* Terminal() const { return FTerminal; }
  void SetTerminal(TAdCustomTerminal* Value) { teSetTerminal(Value); }
  bool IsDefault() const { return FIsDefault; }
  bool NeedsUpdate() { return teGetNeedsUpdate(); }

  // ---- the command interpreter; AParams may be nullptr (all defaults)
  void teProcessCommand(TAdEmuCommand ACommand, const TAdEmuCommandParams* AParams);
  void teProcessCommandList(const TAdEmuCommandList* ACommandList);
  // Carries out the list, then repaints the terminal.
  void ExecuteTerminalCommands(const TAdEmuCommandList* CommandList);
  void teClearCommandList();

  // ---- what the terminal calls
  // A changed screen, a pending full repaint, or (read and cleared) a moved
  // cursor.
  virtual bool teGetNeedsUpdate();
  virtual void teSetTerminal(TAdCustomTerminal* Value);
  virtual void teClear();
  virtual void teClearAll();
  // With aCheckEcho and a half-duplex terminal the character is shown
  // first; then it goes out on the terminal's open port.
  virtual void teSendChar(char aCh, bool aCheckEcho, TAdCharSource CharSource);
  virtual void BlinkPaint(bool aVisible);
  virtual bool HasBlinkingText();
  // Setting Key to 0 consumes the key.
  virtual void KeyDown(uint16_t& Key, uint16_t Shift);
  virtual void KeyPress(char16_t& Key);
  // Paints what changed since the last paint.
  virtual void LazyPaint();
  // Paints the cells under the terminal canvas's clip rectangle.
  virtual void Paint();
  virtual void ProcessBlock(const void* aData, int32_t aDataLen, TAdCharSource CharSource);
  virtual void GetCursorPos(int32_t& aRow, int32_t& aCol);

  TAdOnProcessChar OnProcessChar;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The buffer's OnCursorMoved.
  void teHandleCursorMovement(TObject* Sender, int32_t Row, int32_t Col);
  TAdEmuCommandList* CommandList() const { return FCommandList.get(); }

  std::unique_ptr<TSioTerminalBuffer> FTerminalBuffer;
  TAdCharSetMapping* FCharSetMapping = nullptr;
  TAdKeyboardMapping* FKeyboardMapping = nullptr;
  TSioTerminalParser* FParser = nullptr;
  TAdCustomTerminal* FTerminal = nullptr;

private:
  friend class TAdCustomTerminal;
  // Replies go out only on a port whose master terminal is ours.
  void SendReply(const AnsiString& S);
  void ChangeAttrs(TAdEmuCommand ACommand);

  String FAnswerback;
  bool FIsDefault = false;
  TSioTerminalCharAttrs FSavedAttrs = 0;
  TColor FSavedBackColor = clBlack;
  uint8_t FSavedCharSet = 0;
  int32_t FSavedCol = 1;
  TColor FSavedForeColor = clSilver;
  int32_t FSavedRow = 1;
  std::unique_ptr<TAdEmuCommandList> FCommandList;
};

class TSioTTYEmulator : public TSioTerminalEmulator {
public:
  // An 80 x 24 screen with 200 rows in all.
  explicit TSioTTYEmulator(TComponent* AOwner);
  ~TSioTTYEmulator() override;
  String ClassName() const override;

  bool teGetNeedsUpdate() override;
  void teSetTerminal(TAdCustomTerminal* Value) override;
  // The screen moves into the scroll-back.
  void teClear() override;
  // Everything blank, scroll-back included.
  void teClearAll() override;
  // Backspace goes out as DEL (127).
  void KeyPress(char16_t& Key) override;
  void LazyPaint() override;
  void Paint() override;
  void ProcessBlock(const void* aData, int32_t aDataLen, TAdCharSource CharSource) override;

private:
  // One run of cells of a row that look alike.
  struct TPaintNode {
    int32_t FirstCol;
    int32_t LastCol;
    TColor ForeColor;
    TColor BackColor;
    TSioTerminalCharAttrs Attrs;
  };
  void ProcessChar(char Ch);
  // The terminal's colours changed: the buffer's defaults follow.
  void FollowTerminalColours();
  void ttyDrawChars(int32_t aRow, int32_t aFirstCol, int32_t aLastCol);
  void ttyExecutePaintScript(int32_t aRow);
  int32_t VertScrollShift() const;

  std::vector<TPaintNode> FPaintNodes;
  AnsiString FDisplayStr;
  bool FRefresh = false;
  // The terminal's colours when they were last followed.
  TColor FSeenBackColor = clBlack;
  TColor FSeenForeColor = clSilver;
};

// The links between terminals and the emulators attached to them.
void AddTermEmuLink(TAdCustomTerminal* aTerminal, TSioTerminalEmulator* aEmulator);
void RemoveTermEmuLink(TAdCustomTerminal* aTerminal, bool aUpdate);
