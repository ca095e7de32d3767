#pragma once
// The set-up screen without widgets: the values of the controls the core
// writes and the effect of their change handlers on the core, the Status
// column of the instrument grid, and nothing else. The dialogue tests run
// against it; the program shows the real screen (TMDISetup).
#include "app/core/SetupScreen.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class TCoreData;

// The sensor slot of an instrument row of the set-up grid (1: slot 0; 6..10:
// the modular instruments' slots); -1 for the output rows and anything else.
int32_t SlotOfSetupRow(int32_t Row);

// A numeric edit: its text, its limits and decimals, and the change handler
// that stores the value in the core.
class TNumEditModel {
public:
  TNumEditModel(double MinValue, double MaxValue, int32_t Decimals);

  const String& Text() const { return FText; }
  // As typed: fires OnChange.
  void SetText(const String& Text);
  // The text as a number; an empty text is MinValue. Raises EConvertError
  // for a text that is no number.
  double Value() const;
  // The core filling the field: the handler gets Value as it is, then the
  // field shows it with its decimals when it lies within the limits. The
  // display rounding does not reach the core: showing a latitude of
  // 50.42741 with three decimals must not turn the setting into 50.427.
  void SetValue(double Value);

  double MinValue() const { return FMinValue; }
  double MaxValue() const { return FMaxValue; }
  int32_t Decimals() const { return FDecimals; }

  std::function<void()> OnChange;

private:
  double FMinValue;
  double FMaxValue;
  int32_t FDecimals;
  String FText;
};

class TSetupModel : public ISetupScreen {
public:
  explicit TSetupModel(TCoreData& Core);
  ~TSetupModel() override;

  // IMdiChild: always at 0, 0 with 800 x 735.
  String Name() const override;
  int32_t ScreenNumber() const override { return FScreenNumber; }
  void SetScreenNumber(int32_t Value) override { FScreenNumber = Value; }
  int32_t Top() const override { return 0; }
  int32_t Left() const override { return 0; }
  int32_t Height() const override { return 735; }
  int32_t Width() const override { return 800; }
  // Writes PortData1..PortData10 into the Status cells of the fitted rows
  // (an output's with the telegrams it skipped, OutputStatusShown),
  // then pumps the message queue once.
  void DataUpdate() override;
  // Runs OnClose, which frees the model.
  void Close() override;

  // ISetupScreen.
  void SetQvNumEditValue(int32_t Edit, double Value) override;
  void SetQvNumEdit8Text(const String& Text) override;
  void SetPanelCaption(int32_t Panel, const String& Caption) override;
  void SetComboBox1Text(const String& Text) override;
  void SetComboBox2Text(const String& Text) override;
  void SetRadioGroup1ItemIndex(int32_t Index) override;
  void SetStatusCell(int32_t Row, const String& Text) override;

  // The controls. QvNumEdit(1..7) raises ERangeError outside.
  TNumEditModel& QvNumEdit(int32_t Edit);
  const String& QvNumEdit8Text() const { return FQvNumEdit8; }
  const String& PanelCaption(int32_t Panel) const;
  const String& ComboBox1Text() const { return FComboBox1; }
  const String& ComboBox2Text() const { return FComboBox2; }
  // The chosen sample interval, -1 for none.
  int32_t ComboBox2ItemIndex() const { return FComboBox2Index; }
  int32_t RadioGroup1ItemIndex() const { return FRadioGroup1; }
  // Empty for a row never written; Row outside 0..10 gives empty.
  const String& StatusCell(int32_t Row) const;

  // The operator's side of the controls (what the real screen's handlers
  // do; the core's tests drive them here).
  // Leaving the history-length field: more than 1440 points is refused with
  // a message and 1440 stored.
  void QvNumEdit6Exit();
  // The altimeter type 0..2; other indexes store nothing.
  void RadioGroup1Click(int32_t Index);
  // The sound-velocity source typed or chosen: after the settling wait,
  // "Measured", "Calculated" or a whole number 1300..1700 is kept, anything
  // else becomes "1500"; then stored.
  void ComboBox1Change(const String& Text);
  // The sample interval of item Index (0..6): Kirvo_Rate and Rate; any
  // other index stores nothing.
  void ComboBox2Change(int32_t Index);
  // The format of output 1..4 by item (0..6).
  void RadioGroup2Click(int32_t Index);
  void RadioGroup3Click(int32_t Index);
  void RadioGroup4Click(int32_t Index);
  void RadioGroup5Click(int32_t Index);
  void GrevonProcPrefixChange(const String& Text);

  // The grid's instrument buttons (Interrupt, Set and Run in columns 5..7
  // of rows 1 and 6..10) and "Set Time" run the main window's dialogues
  // through OnButtonClick and OnSetTime. A successful interrupt of row 1
  // enables "Set Time"; a run of row 1 hides it.
  void ZurEvoderOzod1ButtonClick(int32_t Column, int32_t Row);
  void BitBtn1Click();
  // The grid's check boxes. Column 9 ("Atmos") of an instrument row sets
  // the slot's SerialAtmos to the box's state. Column 0 (fitted) of rows
  // 1..10 goes to OnFittedClick (the main window stores the flag, writes and
  // reloads the settings with a data reset and starts the one-shot that
  // reopens this screen), then the screen closes. Other cells do nothing.
  void ZurEvoderOzod1CheckBoxClick(int32_t Column, int32_t Row, bool Checked);
  std::function<void(int32_t Row, bool Checked)> OnFittedClick;
  bool BitBtn1Enabled() const { return FBitBtn1Enabled; }
  bool BitBtn1Visible() const { return FBitBtn1Visible; }
  std::function<bool(int32_t Column, int32_t Row)> OnButtonClick;
  std::function<bool()> OnSetTime;

  // The message of QvNumEdit6Exit.
  std::function<void(const String& Text)> OnMessage;
  // Closing: the owner unregisters and frees the model.
  std::function<void(TSetupModel* Model)> OnClose;
  // The wait of ComboBox1Change in ticks of 55 ms, pumping messages; tests
  // put their own.
  std::function<void(int32_t Ticks)> Delay;

private:
  void OutputFormatClick(int32_t Output, int32_t Index);

  TCoreData& FCore;
  int32_t FScreenNumber = 0;
  std::array<TNumEditModel, 7> FEdits;
  String FQvNumEdit8;
  std::array<String, 3> FPanels;
  String FComboBox1;
  String FComboBox2;
  int32_t FComboBox2Index = -1;
  int32_t FRadioGroup1 = 0;
  bool FBitBtn1Enabled = false;
  bool FBitBtn1Visible = true;
  // Expires with the model: a dialogue pumps messages, and the screen may be
  // closed before it returns.
  std::shared_ptr<int> FLife = std::make_shared<int>(0);
  std::array<String, SetupRowCount> FStatus;
};
