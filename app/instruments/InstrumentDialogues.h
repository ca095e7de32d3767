#pragma once
// The instrument dialogues of the main window: one command engine, the
// profiling instrument's dialogues and the modular instruments', the reply
// packets bound to their handlers, and the set-up screen's way in (its grid
// buttons and its "Set Time" button).
#include "app/instruments/CommandEngine.h"
#include "app/instruments/KirvoProtocol.h"
#include "app/instruments/QuorndeckProtocol.h"
#include "app/core/SetupScreen.h"

#include <cstdint>

class TInstrumentDialogues {
public:
  explicit TInstrumentDialogues(IDialogueHost& Host);

  // Binds the events of the host's packets 2..9 and 12..15 to the handlers.
  void ConnectPackets();

  // The set-up grid's button handler (ZurEvoderOzod1ButtonClick): saves the
  // settings, then interrupt (column 5), set (6) or run (7) the instrument
  // of Row (1, 6..10). A click while a dialogue runs, or on a cell that is
  // no instrument button, does nothing and gives false; otherwise the result
  // is the dialogue's.
  bool ButtonClick(int32_t Column, int32_t Row);
  // The "Set Time" button (BitBtn1Click).
  bool SetTimeClick();

  TCommandEngine Engine;
  TQuorndeckProtocol Quorndeck;
  TKirvoProtocol Kirvo;
};
