#pragma once
// What the acquisition core writes into the set-up screen: the values it
// shows in the calculation fields, the instrument clock and tare panels, the
// sound-velocity and sample-interval boxes, the altimeter choice and the
// Status column of its instrument grid. The change handlers of the fields
// store what they are given back into the core (TQvNumEdit.SetValue fires
// them), so filling the screen is also how a loaded latitude reaches the
// gravity.
//
// The set-up screen TMDISetup (app/setup) is the one the main window makes;
// TSetupModel, the screen without widgets, serves the dialogue tests.
#include "app/core/MdiChild.h"

#include <cstdint>

class ISetupScreen : public IMdiChild {
public:
  TMdiChildKind Kind() const override { return TMdiChildKind::SetupScreen; }

  // QvNumEdit1..QvNumEdit7 (Edit 1..7) through TQvNumEdit.SetValue.
  virtual void SetQvNumEditValue(int32_t Edit, double Value) = 0;
  virtual void SetQvNumEdit8Text(const String& Text) = 0;
  // Panel1 (instrument time), Panel2 (tare value), Panel3 (tare time).
  virtual void SetPanelCaption(int32_t Panel, const String& Caption) = 0;
  virtual void SetComboBox1Text(const String& Text) = 0;
  // Selects the sample interval whose text this is.
  virtual void SetComboBox2Text(const String& Text) = 0;
  virtual void SetRadioGroup1ItemIndex(int32_t Index) = 0;
  // The Status cell (column 10) of grid row Row (1..10).
  virtual void SetStatusCell(int32_t Row, const String& Text) = 0;
};

// Set-up grid rows.
constexpr int32_t SetupRowQuorndeck = 1;
constexpr int32_t SetupRowOutput1 = 2;      // outputs 1..4: rows 2..5
constexpr int32_t SetupRowQYR1 = 6;         // QYR 1..4 (slots 12..15): rows 6..9
constexpr int32_t SetupRowAtmospheric = 10; // slot 11
constexpr int32_t SetupRowCount = 11;       // row 0 is the header

// Set-up grid check-box columns.
constexpr int32_t SetupColumnFitted = 0;
constexpr int32_t SetupColumnAtmos = 9;

// Set-up grid button columns.
constexpr int32_t SetupColumnInterrupt = 5;
constexpr int32_t SetupColumnSet = 6;
constexpr int32_t SetupColumnRun = 7;
