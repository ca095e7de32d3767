#pragma once
// The operator's hand on the set-up grid: what the grid's press on a cell
// control, its combo list and its leaving of a cell hand the screen's
// handlers. One place, so that the tests follow the grid's own mouse
// handling when it drives these events itself.
//
// The grid's header stays out of this one: its names clash with the serial
// library's, and the program's tests include both.
#include "rtl/Types.h"

#include <gtest/gtest.h>

#include <cstdint>

class TMDISetup;
class TZurEvoderOzod;

class TSetupGridOperator {
public:
  explicit TSetupGridOperator(TMDISetup& Screen);

  // Whether the cell may be operated, the grid's own answer being GridSays.
  bool CanEdit(int32_t Col, int32_t Row, bool GridSays = true);
  ::testing::AssertionResult ToggleCheck(int32_t Col, int32_t Row);
  ::testing::AssertionResult ChooseRadio(int32_t Col, int32_t Row, int32_t Index);
  // The items are asked for as the combo shows, the choice is notified, and
  // leaving the cell validates the combo's text into it.
  ::testing::AssertionResult ChooseInCombo(int32_t Col, int32_t Row, const String& Item);
  void Press(int32_t Col, int32_t Row);

  String Cell(int32_t Col, int32_t Row) const;
  bool Checked(int32_t Col, int32_t Row) const;

private:
  TZurEvoderOzod& G;
};
