#pragma once
// The numeric edit of the set-up screen and the chart-scale dialog: one
// floating-point number between MinValue and MaxValue with a fixed number
// of decimals, lime on black.
//
// Typing: only the digits, Backspace and the decimal separator of the
// process number format pass; the minus key toggles the sign of the whole
// text (the caret moves with the text); the separator is refused when
// Decimals is 0 or the text already holds one; Escape with RestoreOnEsc
// puts back the text the control had when it took the focus. Pasted text is
// not filtered.
//
// Validate (on leaving the control, and after SetValue, SetMinValue,
// SetMaxValue and SetDecimals changed something): an empty text is left
// alone; a number within the limits (the limits themselves included) is
// rewritten with Decimals decimals and OnAccept fires; anything else asks
// OnError, whose handler may keep the focus in the control by setting
// CanExit to false. Without a handler the text stays as typed.
//
// Storing the value: OnChange fires for every keystroke, with the half-typed
// text ("1" on the way to "1440"), so a value must be taken from OnAccept,
// which fires only for a checked number. An emptied control never fires it:
// Value reads MinValue for an empty text, and storing that would replace a
// value by the limit the operator never chose.
//
// Main thread only.
#include "platform/StdCtrls.h"

#include <functional>

class TQvCustomEdit : public TCustomEdit {
public:
  explicit TQvCustomEdit(TComponent* AOwner);
  ~TQvCustomEdit() override;
  String ClassName() const override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

protected:
  void CreateWnd() override;

private:
  void ApplyAlignment();
  TAlignment FAlignment = taLeftJustify;
};

using TaErrorEvent = std::function<void(TObject* Sender, bool& CanExit)>;

class TQvNumEdit : public TQvCustomEdit {
public:
  explicit TQvNumEdit(TComponent* AOwner);
  ~TQvNumEdit() override;
  String ClassName() const override;

  // The text as a number; MinValue for an empty text. Raises EConvertError
  // ("'-' is not a valid floating point value") for a text that is no
  // number.
  double Value() const { return GetValue(); }
  double GetValue() const;
  // The shortest decimal text of Value, then Validate.
  void SetValue(double Value);

  double MinValue() const { return FMinValue; }
  // Ignored when equal to the minimum or not below MaxValue.
  void SetMinValue(double Value);
  double MaxValue() const { return FMaxValue; }
  // Ignored when equal to the maximum or not above MinValue.
  void SetMaxValue(double Value);
  int32_t Decimals() const { return FDecimals; }
  // 0 to 18.
  void SetDecimals(int32_t Value);
  bool RestoreOnEsc() const { return FRestoreOnEsc; }
  void SetRestoreOnEsc(bool Value) { FRestoreOnEsc = Value; }

  // See the top of this file. Returns whether the text was accepted (an
  // empty text is not).
  virtual bool Validate();

  TaErrorEvent OnError;
  // A number within the limits has been checked and shown with its
  // decimals: the moment to store it.
  TNotifyEvent OnAccept;

protected:
  void DoEnter() override;
  void DoExit() override;
  void KeyPress(char16_t& Key) override;

private:
  void ToggleSign();

  double FMinValue = 0;
  double FMaxValue = 9999;
  int32_t FDecimals = 0;
  bool FRestoreOnEsc = false;
  String FOrgValue;
};
