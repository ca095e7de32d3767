#pragma once
// The main window's Open actions for the display windows, one family: the
// window of a kind made, shown, placed, numbered, its item actions named
// after the fitted sensors, and, when it comes from a saved layout, its
// saved items switched on through their actions. The kinds that can be
// opened are the rows of the kind table in DisplayWindows.cpp.
//
// Open, in this order (the host says how through MenuOpen and
// OpeningLayout):
//   1. the window made, owned by the main window, and shown (FormShow runs;
//      it becomes the active child and one of the main window's children);
//   2. its icon from "Icon.ico" of the set-up folder, when that file is a
//      picture (whatever else lies there, the window opens without it);
//   3. from the Display Type menu: at 0, 0, 320 x 240 (the big-number
//      window 320 x 120); from a saved layout: at the saved place and size,
//      with the saved colour and font for the kinds that keep them;
//   4. the kind's own set-up (KindSetup);
//   5. ScreenNumber := CreateNumber + 1;
//   6. "Sensor List 2" and "Sensor List 3" hidden; ActionSetup for every
//      sensor name (at most 30), "Sensor List 2" shown at the eleventh name
//      and "Sensor List 3" at the twenty-first;
//   7. for each set bit N-1 of the saved mask, ascending, with item N
//      fitted: action N executed (a disabled action does nothing, so a scale
//      window restores only pressure items, and the bits of sensors no longer
//      fitted are ignored);
//   8. the saved mask cleared and ActionArray grown by one zero entry.
// Kinds without item actions skip 6 and 7.
//
// Main thread only.
#include "app/core/MdiChild.h"

#include <functional>
#include <vector>

class IDisplayHost;
class TAction;
class TDisplayWindow;

class TDisplayWindows {
public:
  using TMake = std::function<TDisplayWindow*(IDisplayHost& Host)>;

  explicit TDisplayWindows(IDisplayHost& Host);
  ~TDisplayWindows();

  bool CanOpen(TMdiChildKind Kind) const;
  // Puts another kind in the table (or replaces one): a kind being built,
  // or a test's frame-only window.
  void Register(TMdiChildKind Kind, TMake Make);
  // The Open action of the kind; nullptr when the kind cannot be opened.
  TDisplayWindow* Open(TMdiChildKind Kind);

private:
  struct TRow {
    TMdiChildKind Kind;
    TMake Make;
  };
  IDisplayHost& FHost;
  std::vector<TRow> FKinds;
};

// Names item action Action after SensorName[Index] and shows it; enables it
// when Window accepts the name (a scale window only pressure items).
void ActionSetup(TDisplayWindow& Window, TAction& Action, int32_t Index);
