#pragma once
// What the terminal control's tests share: the Qt application (offscreen)
// with the framework's application object, a form holding a terminal, and
// a port whose device is scripted (FakeDispatcher.h).
#include "platform/Forms.h"
#include "serial/SioComPort.h"
#include "serial/terminal/SioTerminal.h"
#include "serial/terminal/SioTerminalEmulator.h"

#include <QPoint>

#include <functional>
#include <string>
#include <memory>
#include <vector>

class TFakeDispatcher;
class QWidget;

void EnsureTerminalTestApp();

// A row of the buffer (absolute) without its trailing blanks; "<none>"
// outside the buffer. Rows First..Last joined by '|'.
std::string BufferRowText(const TSioTerminalBuffer& B, int32_t Row);
std::string BufferRows(const TSioTerminalBuffer& B, int32_t First, int32_t Last);
// Handles everything pending on the main thread, several times over, so
// that what the handlers post is handled too.
void PumpPending();

// A form with a shown terminal in a fixed-width font, a little larger than
// its 80 x 24 cells (so that a scroll bar needs no other), and a port
// without a device of its own whose dispatcher the test drives. The
// terminal's heartbeat is stopped: the tests beat it themselves.
class TerminalRig {
public:
  // Pixels beyond the cells, right and below: more than a scroll bar takes.
  static constexpr int32_t Margin = 24;

  TerminalRig();
  ~TerminalRig();

  // Opens the port (the terminal hears of it and attaches).
  void OpenPort();
  // The device receives Bytes and the dispatcher delivers them, then the
  // main thread handles what that posted.
  void Feed(const AnsiString& Bytes);
  // What went out on the port since the last call.
  AnsiString Sent();
  // Text of a row of the buffer without its trailing blanks.
  AnsiString RowText(int32_t Row) const;
  QWidget* Widget() const;
  // Mouse and key events as the window system sends them.
  void Mouse(int Type, QPoint Pos, int Button, int Buttons);
  void Key(int Type, int Key, int Mods, const QString& Text, bool Repeat = false);
  // The centre of a cell (absolute row) in the widget, with the view at
  // its origin.
  QPoint CellCentre(int32_t Row, int32_t Col) const;

  std::unique_ptr<TForm> Form;
  TSioTerminal* Term = nullptr;
  TSioComPort Port{nullptr};
  TFakeDispatcher* Fake = nullptr;
};

// A teletype that writes down the blocks and keys it gets.
class TRecordingEmulator : public TSioTTYEmulator {
public:
  explicit TRecordingEmulator(TComponent* AOwner) : TSioTTYEmulator(AOwner) {}
  void ProcessBlock(const void* aData, int32_t aDataLen, TAdCharSource CharSource) override;
  void KeyDown(uint16_t& Key, uint16_t Shift) override;

  std::vector<int32_t> Blocks;
  std::vector<TAdCharSource> Sources;
  std::vector<uint16_t> Keys;
  // A key KeyDown consumes (sets to 0).
  uint16_t Consume = 0;
};
