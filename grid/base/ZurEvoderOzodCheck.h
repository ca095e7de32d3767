#pragma once
// The base of cell checkers (spelling or value checkers) attached to a grid
// through its CellChecker property. The base does nothing to the text; a
// derived checker overrides Correct and MarkError.
//
// What the grid does with a checker: a range check calls StartCheck once,
// checks cell by cell (row by row, each from its first column), stops as
// soon as LastResult is not mrOk after a cell, and calls StopCheck. For one
// cell the working text starts as the cell's text; Correct runs when
// UseCorrect, then MarkError when UseMarkError, each given the text before
// the check and writing the working text, which goes back into the cell.
#include "platform/Component.h"

// The modal result a checker leaves to let a range check go on.
constexpr int32_t mrOk = 1;

class TZurEvoderOzodCheck : public TComponent {
public:
  explicit TZurEvoderOzodCheck(TComponent* AOwner);
  ~TZurEvoderOzodCheck() override;
  String ClassName() const override;

  // The base: Result := Value, LastResult := mrOk.
  virtual void MarkError(int32_t ACol, int32_t ARow, String& Result, const String& Value);
  virtual void Correct(int32_t ACol, int32_t ARow, String& Result, const String& Value);
  virtual void StartCheck();
  virtual void StopCheck();

  bool GotoCell() const { return FGotoCell; }
  void SetGotoCell(bool Value) { FGotoCell = Value; }
  bool AutoCorrect() const { return FAutoCorrect; }
  void SetAutoCorrect(bool Value) { FAutoCorrect = Value; }
  bool AutoMarkError() const { return FAutoMarkError; }
  void SetAutoMarkError(bool Value) { FAutoMarkError = Value; }
  bool UseCorrect() const { return FUseCorrect; }
  void SetUseCorrect(bool Value) { FUseCorrect = Value; }
  bool UseMarkError() const { return FUseMarkError; }
  void SetUseMarkError(bool Value) { FUseMarkError = Value; }

  // The grid served; cleared when that component is freed.
  TComponent* Grid() const { return FGrid; }
  void SetGrid(TComponent* Value);
  int32_t LastResult() const { return FLastResult; }
  void SetLastResult(int32_t Value) { FLastResult = Value; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TComponent* FGrid = nullptr;
  int32_t FLastResult = mrOk;

private:
  bool FGotoCell = false;
  bool FAutoCorrect = false;
  bool FAutoMarkError = false;
  bool FUseCorrect = false;
  bool FUseMarkError = false;
};
