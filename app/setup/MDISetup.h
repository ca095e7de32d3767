#pragma once
// The set-up screen TMDISetup ("Setup Screen", an MDI child at 0, 0 of 800 x
// 735): the sensor grid, where the operator fits the instrument slots and
// output ports, chooses their ports, baud rates, addresses and line modes
// and drives the instruments' interrupt, set and run sequences; and under
// it the settings: calculation constants, history length, altimeter,
// sound-velocity source, sample interval, output formats, rate and
// prefixes, and the instrument clock.
//
// Every value lives in the core; the controls mirror it. They are filled
// when the screen is made (by the main window, through ISetupScreen, and by
// FormShow), and filling stores nothing of its own: a choice the core holds
// that no control offers stays as it is. Only the operator's changes store,
// the moment they are made. Numeric fields store a value once it is accepted
// (on leaving the field, within its limits), never a half-typed one; a
// number outside the limits is refused with a message and the field keeps
// the focus. The history length is the exception the operator knows: more
// than 1440 points is pulled back to 1440 with its own message.
//
// Grid rows: 1 the profiling instrument (slots 0..10), 2..5 outputs 1..4,
// 6..9 the pressure sensors QYR 1..4 (slots 12..15, fitted with 16..19), 10
// the atmospheric sensor (slot 11). Columns: 0 fitted, 1 line mode, 2
// address, 3 port, 4 baud rate, 5 interrupt, 6 set, 7 run, 8 tare, 9
// atmospheric correction, 10 status.
//
// Main thread only. The instrument buttons pump messages while their
// sequence runs; the screen may be closed meanwhile.
#include "app/core/SetupScreen.h"
#include "platform/Forms.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class ISetupHost;
class TButton;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TPanel;
class TQvNumEdit;
class TRadioGroup;
class TZurEvoderOzod;
enum TEditorType : uint8_t;

class TMDISetup : public TForm, public ISetupScreen {
public:
  explicit TMDISetup(ISetupHost& Host);
  ~TMDISetup() override;
  String ClassName() const override;

  // ---- IMdiChild ----------------------------------------------------------------
  String Name() const override { return QStringLiteral("MDISetup"); }
  int32_t ScreenNumber() const override { return FScreenNumber; }
  void SetScreenNumber(int32_t Value) override { FScreenNumber = Value; }
  int32_t Top() const override { return TControl::Top(); }
  int32_t Left() const override { return TControl::Left(); }
  int32_t Height() const override { return TControl::Height(); }
  int32_t Width() const override { return TControl::Width(); }
  // The status column from the core's texts; a failure sets every fitted
  // row's text to "Unknown" and goes no further. Then messages are pumped.
  void DataUpdate() override;
  // The form's close: it leaves the main window's children at once and is
  // freed from the message loop.
  void Close() override;

  // ---- ISetupScreen: the core filling the controls (no store follows) ----------
  // The core's exact value goes back to it (the field shows it with its
  // decimals; the rounding must not reach the core).
  void SetQvNumEditValue(int32_t Edit, double Value) override;
  void SetQvNumEdit8Text(const String& Text) override;
  void SetPanelCaption(int32_t Panel, const String& Caption) override;
  void SetComboBox1Text(const String& Text) override;
  void SetComboBox2Text(const String& Text) override;
  void SetRadioGroup1ItemIndex(int32_t Index) override;
  void SetStatusCell(int32_t Row, const String& Text) override;

  // Panel1..Panel3's captions; Row's status cell (empty outside 0..10).
  String PanelCaption(int32_t Panel) const;
  String StatusCell(int32_t Row) const;
  // QvNumEdit1..QvNumEdit7; nullptr outside.
  TQvNumEdit* QvNumEdit(int32_t Edit) const;

  // ---- Life ----------------------------------------------------------------------
  // Builds the settings controls and the grid from the core.
  void FormShow();
  void FormClose();

  // ---- The grid's handlers (the grid's event argument orders) ------------------
  void ZurEvoderOzod1GetEditorType(TObject* Sender, int32_t ACol, int32_t ARow, TEditorType& AEditor);
  void ZurEvoderOzod1GetEditorProp(TObject* Sender, int32_t ACol, int32_t ARow);
  void ZurEvoderOzod1CanEditCell(TObject* Sender, int32_t ARow, int32_t ACol, bool& CanEdit);
  void ZurEvoderOzod1CheckBoxClick(TObject* Sender, int32_t ACol, int32_t ARow, bool State);
  void ZurEvoderOzod1RadioClick(TObject* Sender, int32_t ACol, int32_t ARow, int32_t AIdx);
  void ZurEvoderOzod1SpinClick(TObject* Sender, int32_t ACol, int32_t ARow, int32_t AValue, bool UpDown);
  void ZurEvoderOzod1ComboChange(TObject* Sender, int32_t ACol, int32_t ARow, int32_t AItemIndex,
                                 const String& ASelection);
  // A typed address (1..98) is stored as the spin buttons store theirs; a
  // port or baud rate that was refused or not stored is put back to what
  // the core holds, so a cell never shows what the core does not have.
  void ZurEvoderOzod1CellValidate(TObject* Sender, int32_t ACol, int32_t ARow, String& Value, bool& Valid);
  void ZurEvoderOzod1ButtonClick(TObject* Sender, int32_t ACol, int32_t ARow);

  // ---- The settings' handlers ----------------------------------------------------
  // QvNumEdit1..7 accepted a number: it is stored.
  void QvNumEditAccept(int32_t Edit);
  // QvNumEdit1..7 refused a text: the message, the focus kept; the history
  // length above 1440 becomes 1440 instead.
  void QvNumEditError(int32_t Edit, bool& CanExit);
  void QvNumEdit8Change();
  void RadioGroup1Click();
  void RadioGroup2Click();
  void RadioGroup3Click();
  void RadioGroup4Click();
  void RadioGroup5Click();
  void RadioGroup7Click();
  void ComboBox1Change();
  void ComboBox2Change();
  void GrevonProcPrefixChange();
  void SeaKingLongPrefixChange();
  void SeaKingLongDecimalPrefixChange();
  void BathyMetricCodeChange();
  void SeaKingLongValidChange();
  void ResetPrefixClick();
  void BitBtn1Click();

  // ---- Components (named as the form has them) ------------------------------------
  TZurEvoderOzod* ZurEvoderOzod1 = nullptr;
  std::array<TQvNumEdit*, 7> QvNumEdits{}; // QvNumEdit1..QvNumEdit7
  TEdit* QvNumEdit8 = nullptr;
  TRadioGroup* RadioGroup1 = nullptr;
  std::array<TRadioGroup*, 4> FormatGroups{}; // RadioGroup2..RadioGroup5
  TRadioGroup* RadioGroup7 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TComboBox* ComboBox2 = nullptr;
  TEdit* GrevonProcPrefix = nullptr;
  TEdit* BathyMetricCode = nullptr;
  TEdit* SeaKingLongPrefix = nullptr;
  TEdit* SeaKingLongDecimalPrefix = nullptr;
  TEdit* SeaKingLongValid = nullptr;
  TButton* ResetPrefix = nullptr;
  TPanel* Panel1 = nullptr;
  TPanel* Panel2 = nullptr;
  TPanel* Panel3 = nullptr;
  TButton* BitBtn1 = nullptr;

  // The addresses the address column takes.
  static constexpr int32_t MinAddress = 1;
  static constexpr int32_t MaxAddress = 98;

private:
  void MakeSettingsControls();
  void MakeGrid();
  void FillSettings();
  void BuildGrid();
  // Runs Store unless the controls are being filled.
  void Storing(const std::function<void()>& Store);
  // The port name of the list for port number Port; empty when the list
  // has none (the port did not open at start).
  String PortName(int32_t Port) const;
  // The port number a row holds in the core (slot or output).
  int32_t StoredPort(int32_t Row) const;
  String StoredBaud(int32_t Row) const;
  // Whether a fitted slot (0..15) or a fitted output other than row
  // OwnRow's uses Port.
  bool PortInUse(int32_t Port, int32_t OwnRow) const;
  void StoreAddress(int32_t Row, int32_t Address);
  void ChoosePort(int32_t Row, const String& Name);
  void ChooseBaud(int32_t Row, const String& Text);
  // Stores a port or baud rate (Field) in the slots of an instrument row,
  // as text and in Numbers, and binds a fitted slot again.
  void StoreSlotLine(int32_t Row, int32_t Field, int32_t Value, std::array<int32_t, 20>& Numbers); // 20: SlotCount
  void FormatClick(int32_t Output);
  // The port names (column 3) or the baud rates (column 4) into the grid's
  // list.
  void FillList(int32_t ACol);
  // The core value of QvNumEdit1..7 := V (the whole-number fields through
  // V's shortest text, so a fraction fails to convert and stores nothing).
  void StoreNumber(int32_t Edit, double V);

  ISetupHost& FHost;
  int32_t FScreenNumber = 0;
  bool FRegistered = false;
  // Set while the controls are filled from the core.
  int32_t FFilling = 0;
  // Set when a list opens on a cell whose text it lacks: the grid's own
  // choice of its first item follows, and is not stored.
  bool FSkipAutoChoice = false;
  // Set while an instrument sequence or the clock setting runs from here.
  bool FButtonBusy = false;
  // Expires with the form: a sequence pumps messages, and the screen may be
  // closed and freed before it returns.
  std::shared_ptr<int> FLife = std::make_shared<int>(0);
};
