#pragma once
// TZogSpinEdit: a single-line edit with two spin buttons at its right edge,
// holding an integer, a float, a date or a time (SpinType). The buttons,
// Up and Down and the page keys step the value (for dates and times the
// field under the caret: day, month or year; hour, minute or second);
// typed characters are filtered to those that can belong to the kind; every
// value written is kept within its limits (equal limits: none).
//
// TZogSpinButton is the pair of buttons (it can stand alone);
// TRurTimerSpeedButton one button that repeats its click while held: first
// after 400 ms, then every 100 ms. A key the edit refuses plays the
// warning sound (MessageBeep), as does stepping a read-only edit.
//
// Dates and times are written and read with the process's FormatSettings
// (short date format; long time format, or "h:nn" without seconds).
// Everything runs on the main thread.
#include "platform/Controls.h"
#include "platform/StdCtrls.h"

class TTimer;

enum TZogSpinType : uint8_t { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection : uint8_t { spVertical, spHorizontal };
enum TEditAlign : uint8_t { eaLeft, eaRight, eaCenter };
enum TButtonDirection : uint8_t { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateItem : uint8_t { tbFocusRect, tbAllowTimer };
using TTimeBtnState = uint8_t; // set of TTimeBtnStateItem: bit i = member i
constexpr TTimeBtnState TimeBtnBit(TTimeBtnStateItem I) { return static_cast<TTimeBtnState>(1u << I); }

// The position (1-based in S) of the first Sub after the first From
// characters of S; 0 when there is none.
int32_t PosFrom(const String& Sub, const String& S, int32_t From);
// The same month and day N years later; 29 February into a year without it
// gives 28 February.
TDateTime IncYear(int32_t N, TDateTime Date);

class TZogSpinButton;

// One spin button: auto-repeat while held, hover state, its own painting.
class TRurTimerSpeedButton : public TGraphicControl {
public:
  explicit TRurTimerSpeedButton(TComponent* AOwner);
  ~TRurTimerSpeedButton() override;
  String ClassName() const override;

  TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
  void SetTimeBtnState(TTimeBtnState Value);
  TButtonDirection ButtonDirection() const { return FButtonDirection; }
  void SetButtonDirection(TButtonDirection Value);
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  // Held down by the mouse.
  bool Down() const { return FDown; }
  bool HasMouse() const { return FHasMouse; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // The repeat timer; nullptr until the first press that may repeat.
  TTimer* RepeatTimer() const { return FRepeatTimer; }
  // What a tick of the repeat timer does.
  void TimerExpired(TObject* Sender);
  void Click() override;

protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Paint() override;

private:
  TZogSpinButton* Container() const;
  TTimer* FRepeatTimer = nullptr; // owned as a component
  TTimeBtnState FTimeBtnState = 0;
  TButtonDirection FButtonDirection = bdUp;
  bool FIsWinXP = false;
  bool FHasMouse = false;
  bool FDown = false;
  bool FFlat = false;
  bool FTransparent = false;
};

class TZogSpinButton : public TCustomControl {
public:
  explicit TZogSpinButton(TComponent* AOwner);
  ~TZogSpinButton() override;
  String ClassName() const override;

  // Vertical: at least 15 wide, up over down (overlapping by one pixel);
  // horizontal: at least 20 wide, down (left) beside up (right).
  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
  TSpinDirection Direction() const { return FDirection; }
  void SetDirection(TSpinDirection Value);
  // Takes the focus when a button is pressed; not owned, dropped when freed.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  void SetIsWinXP(bool Value);
  TRurTimerSpeedButton* UpButton() const { return FUpButton; }
  TRurTimerSpeedButton* DownButton() const { return FDownButton; }
  TRurTimerSpeedButton* FocusedButton() const { return FFocusedButton; }

  // Colours of drawn buttons (clNone: the platform's look); the painting
  // reads ButtonColor, ButtonColorHot and ButtonColorDown only.
  TColor ButtonColor = clNone;
  TColor ButtonColorHot = clNone;
  TColor ButtonColorDown = clNone;
  TColor ButtonBorderColor = 0;
  TColor ButtonTextColor = clNone;
  TColor ButtonTextColorHot = clNone;
  TColor ButtonTextColorDown = clNone;

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

protected:
  friend class TRurTimerSpeedButton;
  void ButtonClicked(TRurTimerSpeedButton* Button);
  void ButtonPressed(TRurTimerSpeedButton* Button);
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  uint32_t WMGetDlgCode() override;
  void DoEnter() override;
  void DoExit() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void SetFocusBtn(TRurTimerSpeedButton* Button);
  void AdjustSize(int32_t& W, int32_t& H);

  TRurTimerSpeedButton* FUpButton = nullptr;
  TRurTimerSpeedButton* FDownButton = nullptr;
  TRurTimerSpeedButton* FFocusedButton = nullptr;
  TWinControl* FFocusControl = nullptr;
  TSpinDirection FDirection = spVertical;
  bool FIsWinXP = false;
};

class TZogSpinEdit : public TCustomEdit {
public:
  explicit TZogSpinEdit(TComponent* AOwner);
  ~TZogSpinEdit() override;
  String ClassName() const override;

  // ---- The value, read from and written to the text.
  // Empty reads 0, a text that is no integer MinValue.
  int32_t Value();
  // Clamped; with EditorEnabled off the whole text is selected after.
  void SetValue(int32_t V);
  // A text that is no number reads MinValue (the integer limit).
  double FloatValue();
  // Precision decimals when not 0, else the shortest text.
  void SetFloatValue(double V);
  // "0" or empty reads Now; a text that is no date reads MinDateValue.
  TDateTime DateValue();
  void SetDateValue(TDateTime V);
  // A text that is no time reads 0.
  TDateTime TimeValue();
  void SetTimeValue(TDateTime V);

  // ---- Stepping and the character filter (overridable).
  virtual void DoInc(bool Page);
  virtual void DoDec(bool Page);
  virtual bool IsValidChar(char16_t& Key);
  virtual void UpClick(TObject* Sender);
  virtual void DownClick(TObject* Sender);

  // ---- Settings.
  TZogSpinType SpinType() const { return FSpinType; }
  // Rewrites the text as a value of the new kind.
  void SetSpinType(TZogSpinType Value);
  int32_t MinValue() const { return FMinValue; }
  void SetMinValue(int32_t V) { FMinValue = V; }
  int32_t MaxValue() const { return FMaxValue; }
  void SetMaxValue(int32_t V) { FMaxValue = V; }
  double MinFloatValue() const { return FMinFloatValue; }
  void SetMinFloatValue(double V) { FMinFloatValue = V; }
  double MaxFloatValue() const { return FMaxFloatValue; }
  void SetMaxFloatValue(double V) { FMaxFloatValue = V; }
  TDateTime MinDateValue() const { return FMinDateValue; }
  void SetMinDateValue(TDateTime V) { FMinDateValue = V; }
  TDateTime MaxDateValue() const { return FMaxDateValue; }
  void SetMaxDateValue(TDateTime V) { FMaxDateValue = V; }
  int32_t Increment() const { return FIncrement; }
  void SetIncrement(int32_t V) { FIncrement = V; }
  double IncrementFloat() const { return FIncrementFloat; }
  void SetIncrementFloat(double V) { FIncrementFloat = V; }
  double IncrementFloatPage() const { return FIncrementFloatPage; }
  void SetIncrementFloatPage(double V) { FIncrementFloatPage = V; }
  int32_t IncrementHours() const { return FIncrementHours; }
  void SetIncrementHours(int32_t V) { FIncrementHours = V; }
  int32_t IncrementMinutes() const { return FIncrementMinutes; }
  void SetIncrementMinutes(int32_t V) { FIncrementMinutes = V; }
  int32_t IncrementSeconds() const { return FIncrementSeconds; }
  void SetIncrementSeconds(int32_t V) { FIncrementSeconds = V; }
  int32_t Precision() const { return FPrecision; }
  // A float control rewrites its text with the new number of decimals.
  void SetPrecision(int32_t V);
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool V) { FEditorEnabled = V; }
  bool ShowSeconds() const { return FShowSeconds; }
  void SetShowSeconds(bool V) { FShowSeconds = V; }
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool V) { FReturnIsTab = V; }
  bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool V) { FExcelStyleDecimalSeparator = V; }
  bool AllowEmptyValue() const { return FAllowEmptyValue; }
  void SetAllowEmptyValue(bool V) { FAllowEmptyValue = V; }
  TEditAlign EditAlign() const { return FEditAlign; }
  void SetEditAlign(TEditAlign V);
  TSpinDirection Direction() const { return FDirection; }
  void SetDirection(TSpinDirection V);
  bool SpinFlat() const { return FSpinFlat; }
  void SetSpinFlat(bool V);
  bool SpinTransparent() const { return FSpinTransparent; }
  void SetSpinTransparent(bool V);
  void SetIsWinXP(bool V);
  TZogSpinButton* Button() const { return FButton; }
  // The least height that shows the text: the smaller of the font's and
  // the system font's heights over 4, plus the font's height and 2, plus
  // 4 border heights with a border.
  int32_t MinHeight();

protected:
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void DoExit() override;
  void Resize() override;
  void CreateWnd() override;

private:
  int32_t ClampInt(int32_t V) const;
  double ClampFloat(double V) const;
  TDateTime ClampDate(TDateTime V) const;
  // Writes the text keeping the caret where it was.
  void WriteKeepingCaret(const String& S);
  // One step up (Sign 1) or down (-1) of the value's kind.
  void Step(int32_t Sign, bool Page);
  void StepDate(int32_t Sign);
  void StepTime(int32_t Sign);
  void PlaceButtons();
  void ApplyAlign();

  TZogSpinButton* FButton = nullptr;
  int32_t FMinValue = 0;
  int32_t FMaxValue = 100;
  double FMinFloatValue = 0;
  double FMaxFloatValue = 100.0;
  TDateTime FMinDateValue = 0;
  TDateTime FMaxDateValue = 0;
  TDateTime FDateValue = 0;
  TDateTime FTimeValue = 0;
  int32_t FIncrement = 1;
  double FIncrementFloat = 0.1;
  double FIncrementFloatPage = 1.0;
  int32_t FIncrementSeconds = 1;
  int32_t FIncrementMinutes = 1;
  int32_t FIncrementHours = 1;
  int32_t FPrecision = 0;
  TZogSpinType FSpinType = sptNormal;
  TSpinDirection FDirection = spVertical;
  TEditAlign FEditAlign = eaLeft;
  bool FEditorEnabled = true;
  bool FReturnIsTab = false;
  bool FIsWinXP = false;
  bool FExcelStyleDecimalSeparator = false;
  bool FUsDates = false;
  bool FShowSeconds = true;
  bool FSpinFlat = false;
  bool FSpinTransparent = false;
  bool FAllowEmptyValue = false;
  bool FKeypadDecimal = false;
};
