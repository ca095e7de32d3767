#pragma once
// What the set-up screen needs of the main window: the core's values, the
// ports that opened at start, the instrument rows' state, the instrument
// dialogues, the settings file and the port binding. The main window
// implements it; the screen never includes the program's headers.
//
// Main thread only. The dialogue and reload calls pump messages: the screen
// may be closed (and freed later) before they return.
#include "rtl/Types.h"

#include <cstdint>

class ISetupScreen;
class TCoreData;
class TCustomForm;
class TStringList;

// The state of an instrument row of the grid (rows 1, 6..10).
struct TInstrumentRowState {
  int32_t Interrupted = 0; // after a successful interrupt, during and after a set
  int32_t Setting = 0;     // while a set runs
  int32_t Running = 0;     // after a run, or after an interrupt that failed
};

class ISetupHost {
public:
  virtual ~ISetupHost();

  // The MDI frame the screen lives in.
  virtual TCustomForm* Frame() = 0;
  virtual TCoreData& Core() = 0;
  // The names ("COM3") of the ports that opened at start, ascending; may be
  // nullptr (before start-up and after the shutdown).
  virtual const TStringList* ComPortList() const = 0;
  virtual TInstrumentRowState InstrumentRowState(int32_t Row) const = 0;
  // Interrupt (column 5), set (6) or run (7) the instrument of Row (1,
  // 6..10) after writing the settings file. False when it failed or did not
  // start (another dialogue runs).
  virtual bool InstrumentButton(int32_t Column, int32_t Row) = 0;
  // Sets the profiling instrument's clock to the PC's.
  virtual bool SetInstrumentTime() = 0;
  // The fitted box of Row (1..10) changed: the flag stored, the settings
  // written and read again, and the screen reopened a second later (the
  // screen closes itself after this call).
  virtual void FittedChanged(int32_t Row, bool Fitted) = 0;
  // Binds Slot to its DataPort at DataPortBaud with the packet its
  // DataPacket names. Raises what the binding raises.
  virtual void RebindSlot(int32_t Slot) = 0;
  // The screen has closed: the Setup action enabled again, the layout saved
  // with the next settings write. The screen frees itself afterwards.
  virtual void SetupScreenClosed(ISetupScreen& Screen) = 0;
  // A screen freed without having closed (with the frame): it leaves the
  // main window's children and nothing else happens.
  virtual void ForgetSetupScreen(ISetupScreen& Screen) = 0;
  virtual void ShowMessage(const String& Text) = 0;
  // A wait of Ticks ticks of 55 ms, messages processed meanwhile.
  virtual void Delay(int32_t Ticks) = 0;
  virtual void ProcessMessages() = 0;
  // Where the grid's button pictures ("handshake.bmp", "OKBTN.bmp",
  // "greentl.bmp") lie.
  virtual String GlyphFolder() const = 0;
};
