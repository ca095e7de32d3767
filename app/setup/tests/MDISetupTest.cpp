// The set-up screen on a host that records what the screen asks of the main
// window: the grid built from the core, which cell may be operated when, what
// each choice stores, the refused ports, and the settings under the grid
// with their numeric fields, choices and messages.
#include "app/setup/MDISetup.h"

#include "app/core/CoreData.h"
#include "app/core/tests/CoreFixture.h"
#include "app/core/tests/PortTestSupport.h"
#include "app/setup/SetupHost.h"
#include "app/setup/tests/SetupGridOperator.h"
#include "app/windows/QvNumEdit.h"
#include "grid/core/ZurEvoderOzod.h"
#include "grid/edit/GridCombo.h"
#include "platform/Application.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "rtl/StringList.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

class TTestSetupHost : public ISetupHost {
public:
  TTestSetupHost()
  {
    EnsureApplication();
    Frame_ = std::make_unique<TForm>(nullptr);
    Frame_->SetFormStyle(fsMDIForm);
    Frame_->SetBounds(0, 0, 1000, 900);
    Frame_->Show();
    for (const char* P : {"COM2", "COM3", "COM7", "COM12"})
      Ports.Add(QString::fromLatin1(P));
  }

  TCustomForm* Frame() override { return Frame_.get(); }
  TCoreData& Core() override { return *Core_; }
  const TStringList* ComPortList() const override { return &Ports; }
  TInstrumentRowState InstrumentRowState(int32_t Row) const override { return States[static_cast<size_t>(Row)]; }
  bool InstrumentButton(int32_t Column, int32_t Row) override
  {
    Buttons.push_back({Column, Row});
    return OnButton ? OnButton(Column, Row) : true;
  }
  bool SetInstrumentTime() override
  {
    ++TimeSets;
    return true;
  }
  void FittedChanged(int32_t Row, bool Fitted) override { FittedRows.push_back({Row, Fitted ? 1 : 0}); }
  void RebindSlot(int32_t Slot) override { Rebound.push_back(Slot); }
  void SetupScreenClosed(ISetupScreen&) override { ++Closed; }
  void ForgetSetupScreen(ISetupScreen&) override {}
  void ShowMessage(const String& Text) override { Messages.push_back(Text); }
  void Delay(int32_t Ticks) override { Delays.push_back(Ticks); }
  void ProcessMessages() override {}
  String GlyphFolder() const override { return String(); }

  std::unique_ptr<TForm> Frame_;
  std::unique_ptr<TCoreData> Core_;
  TStringList Ports;
  std::array<TInstrumentRowState, SetupRowCount> States{};
  std::function<bool(int32_t Column, int32_t Row)> OnButton;
  std::vector<std::pair<int32_t, int32_t>> Buttons;
  std::vector<std::pair<int32_t, int32_t>> FittedRows;
  std::vector<int32_t> Rebound;
  std::vector<String> Messages;
  std::vector<int32_t> Delays;
  int32_t TimeSets = 0;
  int32_t Closed = 0;
};

// Slot 0 fitted on COM2 at 9600 in RS485 with address 5; QYR 1 (slot 12)
// not fitted, on COM7; output 1 fitted on COM3, output 2 not fitted on COM12.
std::unique_ptr<TCoreData> TestCore()
{
  auto Core = std::make_unique<TCoreData>();
  Array2D Slots = TestSlots(*Core, {0, 1, 2});
  for (int32_t S = 0; S <= 10; ++S) {
    Slots[static_cast<size_t>(S)][SerialPort] = QStringLiteral("2");
    Slots[static_cast<size_t>(S)][SerialBaud] = QStringLiteral("9600");
    Slots[static_cast<size_t>(S)][SerialMode] = QStringLiteral("RS485");
    Slots[static_cast<size_t>(S)][SerialAddress] = QStringLiteral("5");
    Slots[static_cast<size_t>(S)][SerialAtmos] = QStringLiteral("1");
  }
  Slots[12][SerialPort] = QStringLiteral("7");
  Slots[12][SerialBaud] = QStringLiteral("19200");
  Slots[12][SerialMode] = QStringLiteral("RS232");
  Slots[12][SerialAddress] = QStringLiteral("3");
  Core->Reset_Data_Flag = 1;
  Core->RebuildFromSlots(Slots);
  Core->Reset_Data_Flag = 0;
  Core->Output_1_Fitted = 1;
  Core->Output_1_Port = 3;
  Core->Output_1_Baud = 38400;
  Core->Output_2_Port = 12;
  return Core;
}

class MDISetupTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureApplication();
    Host.Core_ = TestCore();
  }
  void TearDown() override
  {
    // A closed screen frees itself from the message loop.
    if (Host.Closed > 0)
      Application->ProcessMessages();
    else
      delete Screen;
    Screen = nullptr;
  }

  TMDISetup& Open()
  {
    Screen = new TMDISetup(Host);
    Screen->Show();
    return *Screen;
  }

  TZurEvoderOzod& Grid() { return *Screen->ZurEvoderOzod1; }
  TCoreData& Core() { return Host.Core(); }

  TSetupGridOperator Hand() { return TSetupGridOperator(*Screen); }
  void ToggleCheck(int32_t Col, int32_t Row) { EXPECT_TRUE(Hand().ToggleCheck(Col, Row)); }
  void ChooseRadio(int32_t Col, int32_t Row, int32_t Index) { EXPECT_TRUE(Hand().ChooseRadio(Col, Row, Index)); }
  void ChooseInCombo(int32_t Col, int32_t Row, const String& Item)
  {
    EXPECT_TRUE(Hand().ChooseInCombo(Col, Row, Item));
  }
  bool CanEdit(int32_t Col, int32_t Row, bool GridSays = true) { return Hand().CanEdit(Col, Row, GridSays); }

  // Typing into a numeric field that has the focus, then leaving it for
  // another.
  void TypeInto(TQvNumEdit* Edit, const char* Keys)
  {
    Edit->SetFocus();
    Edit->SelectAll();
    QTest::keyClick(Edit->Handle(), Qt::Key_Backspace);
    for (const char* K = Keys; *K; ++K)
      QTest::keyClick(Edit->Handle(), *K);
  }
  void Leave()
  {
    Screen->QvNumEdit8->SetFocus();
    Application->ProcessMessages();
  }
  void Click(TRadioGroup* Group, int32_t Index)
  {
    const QList<QRadioButton*> Buttons = Group->Handle()->findChildren<QRadioButton*>();
    ASSERT_LT(Index, Buttons.size());
    // As a click does it, wherever the button lies in the MDI area.
    Buttons[Index]->click();
  }
  void Choose(TComboBox* Combo, int32_t Index)
  {
    auto* Box = qobject_cast<QComboBox*>(Combo->Handle());
    ASSERT_NE(Box, nullptr);
    Box->setCurrentIndex(Index);
    Q_EMIT Box->activated(Index);
  }

  TTestSetupHost Host;
  TMDISetup* Screen = nullptr;
};

TEST_F(MDISetupTest, TheGridShowsTheSlotsAndOutputsAsTheCoreHoldsThem)
{
  Open();
  TZurEvoderOzod& G = Grid();
  ASSERT_EQ(G.ColCount(), 11);
  ASSERT_EQ(G.RowCount(), 11);
  EXPECT_EQ(G.FixedRows(), 1);
  const char* Heads[] = {"Parameter", "Comms", "Address", "Com Port", "Baud Rate", "Interrupt",
                         "Set",       "Run",   "Tare",    "Atmos",    "Status"};
  for (int32_t C = 0; C < 11; ++C)
    EXPECT_EQ(G.Cells(C, 0), QString::fromLatin1(Heads[C])) << C;
  EXPECT_EQ(Screen->Caption(), QStringLiteral("Setup Screen"));
  EXPECT_EQ(Screen->Width(), 800);
  EXPECT_EQ(Screen->Height(), 735);

  struct TRowCase {
    int32_t Row;
    const char* Caption;
    bool Fitted;
    const char* Port;
    const char* Baud;
    const char* Address;
    int32_t Mode; // radio item; -1: the text "RS232" (output)
    int32_t Height;
    const char* Status;
  };
  const TRowCase Rows[] = {
      {1, "Quorndeck", true, "COM2", "9600", "5", 1, 51, "Waiting"},
      {2, "Output 1", true, "COM3", "38400", "", -1, 21, "Waiting"},
      {3, "Output 2", false, "COM12", "19200", "", -1, 21, "N/A"},
      {5, "Output 4", false, "COM2", "19200", "", -1, 21, "N/A"},
      {6, "QYR 1", false, "COM7", "19200", "3", 0, 51, "N/A"},
      {10, "Atmospheric", false, "", "19200", "2", 0, 51, "N/A"},
  };
  for (const TRowCase& R : Rows) {
    SCOPED_TRACE(R.Caption);
    EXPECT_EQ(G.Cells(0, R.Row), QString::fromLatin1(R.Caption));
    EXPECT_EQ(G.IsChecked(0, R.Row), R.Fitted);
    EXPECT_EQ(G.Cells(3, R.Row), QString::fromLatin1(R.Port));
    EXPECT_EQ(G.Cells(4, R.Row), QString::fromLatin1(R.Baud));
    EXPECT_EQ(G.Cells(2, R.Row), QString::fromLatin1(R.Address));
    EXPECT_EQ(G.RowHeights(R.Row), R.Height);
    EXPECT_EQ(Screen->StatusCell(R.Row), QString::fromLatin1(R.Status));
    int32_t Mode = -2;
    if (R.Mode < 0) {
      EXPECT_FALSE(G.IsRadio(1, R.Row));
      EXPECT_EQ(G.Cells(1, R.Row), QStringLiteral("RS232"));
      // The instrument columns are one empty cell.
      EXPECT_TRUE(G.IsBaseCell(5, R.Row));
      EXPECT_EQ(G.CellSpan(5, R.Row).X, 4);
      EXPECT_FALSE(G.HasButton(5, R.Row));
    } else {
      ASSERT_TRUE(G.GetRadioIdx(1, R.Row, Mode));
      EXPECT_EQ(Mode, R.Mode);
      for (int32_t C = 5; C <= 7; ++C)
        EXPECT_TRUE(G.HasButton(C, R.Row)) << C;
      int32_t Tare = -1;
      ASSERT_TRUE(G.GetRadioIdx(8, R.Row, Tare));
      EXPECT_EQ(Tare, 0);
      EXPECT_EQ(G.GetRadioStrings(8, R.Row)->Count(), 3);
    }
  }
  // Atmospheric correction: rows 1 and 6..9 from their slot, none on row 10.
  EXPECT_TRUE(G.HasCheckBox(9, 1));
  EXPECT_TRUE(G.IsChecked(9, 1));
  EXPECT_TRUE(G.HasCheckBox(9, 6));
  EXPECT_FALSE(G.IsChecked(9, 6));
  EXPECT_FALSE(G.HasCheckBox(9, 10));
}

TEST_F(MDISetupTest, WhichCellTheOperatorMayOperateFollowsFittingAndTheInstrumentState)
{
  Open();
  Core().SerialArray[slAP1][SerialFitted] = QStringLiteral("0");
  struct TCase {
    const char* What;
    int32_t Col;
    int32_t Row;
    TInstrumentRowState State;
    bool GridSays;
    bool Expected;
  };
  const TCase Cases[] = {
      {"fitted box, always", 0, 1, {}, false, true},
      {"fitted box of an output", 0, 3, {}, false, true},
      {"mode of a fitted instrument", 1, 1, {}, true, false},
      {"address of a fitted instrument", 2, 1, {}, true, false},
      {"port of a fitted instrument", 3, 1, {}, true, false},
      {"port of an instrument not fitted", 3, 6, {}, false, true},
      {"baud of an instrument not fitted", 4, 6, {}, false, true},
      {"address of an instrument not fitted", 2, 6, {}, false, true},
      {"mode of an output", 1, 3, {}, true, false},
      {"port of a fitted output", 3, 2, {}, true, false},
      {"port of an output not fitted", 3, 3, {}, false, true},
      {"interrupt of a fitted instrument", 5, 1, {}, false, true},
      {"interrupt of an instrument not fitted", 5, 6, {}, true, false},
      {"interrupt cell of a fitted output", 5, 2, {}, false, true},
      {"set before any interrupt, the grid willing", 6, 1, {}, true, true},
      {"set before any interrupt, the grid not", 6, 1, {}, false, false},
      {"set after an interrupt", 6, 1, {1, 0, 0}, false, true},
      {"set while a set runs", 6, 1, {1, 1, 0}, true, false},
      {"run after a run", 7, 1, {0, 0, 1}, true, false},
      {"tare before an interrupt", 8, 1, {}, true, false},
      {"tare after an interrupt", 8, 1, {1, 0, 0}, false, true},
      {"atmos without the atmospheric sensor", 9, 1, {}, true, false},
      {"status", 10, 1, {}, true, false},
  };
  for (const TCase& C : Cases) {
    Host.States[static_cast<size_t>(C.Row)] = C.State;
    EXPECT_EQ(CanEdit(C.Col, C.Row, C.GridSays), C.Expected) << C.What;
    Host.States = {};
  }
  Core().SerialArray[slAP1][SerialFitted] = QStringLiteral("1");
  EXPECT_TRUE(CanEdit(9, 1, false)) << "atmos with the atmospheric sensor fitted";
  EXPECT_FALSE(CanEdit(9, 10, true)) << "atmos of the atmospheric sensor itself";
}

TEST_F(MDISetupTest, ChoicesInTheGridReachTheSlotsOfTheirRow)
{
  Open();
  // Mode and tare of the profiling instrument: all eleven slots.
  ChooseRadio(1, 1, 0);
  ChooseRadio(8, 1, 2);
  for (int32_t S = 0; S <= 10; ++S) {
    EXPECT_EQ(Core().SerialArray[static_cast<size_t>(S)][SerialMode], QStringLiteral("RS232")) << S;
    EXPECT_EQ(Core().SerialArray[static_cast<size_t>(S)][SerialTare], QStringLiteral("2")) << S;
  }
  // A pressure sensor's row: its one slot.
  ChooseRadio(1, 7, 1);
  EXPECT_EQ(Core().SerialArray[13][SerialMode], QStringLiteral("RS485"));
  EXPECT_EQ(Core().SerialArray[17][SerialMode], QStringLiteral("RS232"));
  ToggleCheck(9, 7);
  EXPECT_EQ(Core().SerialArray[13][SerialAtmos], QStringLiteral("1"));

  // The address by the spin buttons, and typed: a typed one is stored too,
  // one outside 1..98 or no number is refused and stores nothing.
  Grid().OnSpinClick(&Grid(), 2, 6, 4, true);
  EXPECT_EQ(Core().SerialArray[12][SerialAddress], QStringLiteral("4"));
  struct TTyped {
    const char* Text;
    bool Valid;
    const char* Stored;
  };
  for (const TTyped& T : {TTyped{"17", true, "17"}, TTyped{" 98", true, "98"}, TTyped{"99", false, "98"},
                          TTyped{"0", false, "98"}, TTyped{"x1", false, "98"}, TTyped{"", false, "98"}}) {
    String Value = QString::fromLatin1(T.Text);
    bool Valid = true;
    Grid().OnCellValidate(&Grid(), 2, 6, Value, Valid);
    EXPECT_EQ(Valid, T.Valid) << T.Text;
    EXPECT_EQ(Core().SerialArray[12][SerialAddress], QString::fromLatin1(T.Stored)) << T.Text;
  }
  EXPECT_EQ(TMDISetup::MinAddress, 1);
  EXPECT_EQ(TMDISetup::MaxAddress, 98);
  // Only the address column gets the spin editor, ports and bauds the list.
  for (int32_t C = 0; C < 11; ++C) {
    TEditorType E = edNormal;
    Grid().OnGetEditorType(&Grid(), C, 1, E);
    EXPECT_EQ(E, C == 2 ? edSpinEdit : C == 3 || C == 4 ? edComboList : edNormal) << C;
  }
}

TEST_F(MDISetupTest, TheListsOfferThePortsThatOpenedAndNineBaudRates)
{
  Open();
  Grid().AddComboString(QStringLiteral("left over"));
  Grid().DoGetEditorProp(3, 6, nullptr);
  EXPECT_EQ(Grid().ComboItems()->Text(), Host.Ports.Text());
  Grid().DoGetEditorProp(4, 6, nullptr);
  const char* Rates[] = {"2400", "4800", "9600", "19200", "38400", "57600", "115200", "230400", "460800"};
  ASSERT_EQ(Grid().ComboItems()->Count(), 9);
  for (int32_t I = 0; I < 9; ++I)
    EXPECT_EQ(Grid().ComboItems()->Strings(I), QString::fromLatin1(Rates[I]));
}

TEST_F(MDISetupTest, APortInUseByAFittedSlotOrOutputIsRefusedAndTheCellKeepsTheStoredOne)
{
  Open();
  struct TCase {
    const char* What;
    int32_t Row;
    const char* Chosen;
    const char* Shown;
  };
  const TCase Cases[] = {
      {"QYR 2 (on a port that did not open) on the profiling instrument's port", 7, "COM2", ""},
      {"QYR 1 on output 1's port", 6, "COM3", "COM7"},
      {"output 2 on output 1's port", 3, "COM3", "COM12"},
      {"output 2 on the profiling instrument's port", 3, "COM2", "COM12"},
  };
  const Array2D Before = Core().SerialArray;
  for (const TCase& C : Cases) {
    ChooseInCombo(3, C.Row, QString::fromLatin1(C.Chosen));
    EXPECT_EQ(Grid().Cells(3, C.Row), QString::fromLatin1(C.Shown)) << C.What;
  }
  EXPECT_EQ(Core().SerialArray, Before);
  EXPECT_EQ(Core().Output_2_Port, 12);
  EXPECT_TRUE(Host.Rebound.empty());

  // Free ports are taken: a slot stores text and number, an output its
  // number only; neither is bound while it is not fitted.
  ChooseInCombo(3, 6, QStringLiteral("COM12"));
  EXPECT_EQ(Core().SerialArray[12][SerialPort], QStringLiteral("12"));

  EXPECT_EQ(Core().DataPort[12], 12);
  EXPECT_EQ(Grid().Cells(3, 6), QStringLiteral("COM12"));
  ChooseInCombo(3, 4, QStringLiteral("COM7"));
  EXPECT_EQ(Core().Output_3_Port, 7);
  EXPECT_TRUE(Host.Rebound.empty());
  // A fitted slot is bound again at once.
  Core().SerialArray[slAP1][SerialFitted] = QStringLiteral("1");
  ChooseInCombo(3, 10, QStringLiteral("COM7"));
  EXPECT_EQ(Host.Rebound, std::vector<int32_t>{slAP1});
}

TEST_F(MDISetupTest, ABaudRateIsStoredAndOnlyAFittedSlotIsBoundAgain)
{
  Open();
  ChooseInCombo(4, 1, QStringLiteral("115200"));
  for (int32_t S = 0; S <= 10; ++S) {
    EXPECT_EQ(Core().SerialArray[static_cast<size_t>(S)][SerialBaud], QStringLiteral("115200"));
    EXPECT_EQ(Core().DataPortBaud[static_cast<size_t>(S)], 115200);
  }
  EXPECT_EQ(Host.Rebound, std::vector<int32_t>{0});
  ChooseInCombo(4, 6, QStringLiteral("4800"));
  EXPECT_EQ(Core().SerialArray[12][SerialBaud], QStringLiteral("4800"));
  ChooseInCombo(4, 3, QStringLiteral("2400"));
  EXPECT_EQ(Core().Output_2_Baud, 2400);
  EXPECT_EQ(Host.Rebound, std::vector<int32_t>{0});
}

TEST_F(MDISetupTest, AFittedBoxGoesToTheMainWindowAndTheScreenCloses)
{
  Open();
  ToggleCheck(0, 6);
  EXPECT_EQ(Host.FittedRows, (std::vector<std::pair<int32_t, int32_t>>{{6, 1}}));
  EXPECT_EQ(Host.Closed, 1);
  // Nothing of the slot's own settings is touched by the screen.
  EXPECT_EQ(Core().SerialArray[12][SerialPort], QStringLiteral("7"));
  EXPECT_EQ(Core().SerialArray[12][SerialAddress], QStringLiteral("3"));
}

TEST_F(MDISetupTest, ASecondPressWhileASequenceRunsStartsNothing)
{
  Open();
  int32_t Depth = 0;
  Host.OnButton = [&](int32_t Column, int32_t Row) {
    // The sequence pumps messages: another press arrives meanwhile, and
    // the clock button too.
    if (++Depth == 1) {
      Grid().DoButtonClick(Column, Row);
      Grid().DoButtonClick(SetupColumnSet, Row);
      Screen->BitBtn1Click();
    }
    return true;
  };
  Grid().DoButtonClick(SetupColumnInterrupt, SetupRowQuorndeck);
  EXPECT_EQ(Host.Buttons, (std::vector<std::pair<int32_t, int32_t>>{{SetupColumnInterrupt, 1}}));
  EXPECT_EQ(Host.TimeSets, 0);
  EXPECT_TRUE(Screen->BitBtn1->Enabled());
  // Once it has ended, the next press runs.
  Grid().DoButtonClick(SetupColumnRun, SetupRowQuorndeck);
  EXPECT_EQ(Host.Buttons.size(), 2u);
  EXPECT_FALSE(Screen->BitBtn1->Visible());
}

TEST_F(MDISetupTest, FillingTheScreenStoresNothingOfItsOwn)
{
  TCoreData& C = Core();
  C.Kirvo_Rate = QStringLiteral("750");
  C.Rate = QStringLiteral("3");
  C.Output_2_Format = QStringLiteral("NOT A FORMAT");
  C.Output_Frequency = QStringLiteral("3");
  C.Altimeter_Flag = 2;
  C.Maximum_View_Points = 2000;
  C.SV_Value = QStringLiteral("1234");
  C.Grevon_Proc_Prefix = QStringLiteral("%D1");
  Open();
  // What the main window writes into a new screen.
  Screen->SetQvNumEditValue(6, C.Maximum_View_Points);
  Screen->SetComboBox1Text(C.SV_Value);
  Screen->SetComboBox2Text(C.Kirvo_Rate);
  Screen->SetRadioGroup1ItemIndex(C.Altimeter_Flag);
  Screen->SetQvNumEdit8Text(QStringLiteral("7"));
  EXPECT_EQ(C.Kirvo_Rate, QStringLiteral("750"));
  EXPECT_EQ(C.Rate, QStringLiteral("3"));
  EXPECT_EQ(C.Output_2_Format, QStringLiteral("NOT A FORMAT"));
  EXPECT_EQ(C.Output_Frequency, QStringLiteral("3"));
  EXPECT_EQ(C.Maximum_View_Points, 2000);
  EXPECT_EQ(C.SV_Value, QStringLiteral("1234"));
  EXPECT_EQ(C.Grevon_Proc_Prefix, QStringLiteral("%D1"));
  EXPECT_TRUE(Host.Messages.empty());
  EXPECT_TRUE(Host.Delays.empty());
  // The controls show it.
  EXPECT_EQ(Screen->ComboBox2->ItemIndex(), -1);
  EXPECT_EQ(Screen->FormatGroups[1]->ItemIndex(), 0);
  EXPECT_EQ(Screen->RadioGroup1->ItemIndex(), 2);
  EXPECT_EQ(Screen->ComboBox1->Text(), QStringLiteral("1234"));
  EXPECT_EQ(Screen->GrevonProcPrefix->Text(), QStringLiteral("%D1"));
  EXPECT_EQ(Screen->QvNumEdit(6)->Text(), QStringLiteral("2000"));
}

TEST_F(MDISetupTest, NumericFieldsStoreOnAcceptAndRefuseWithTheirMessage)
{
  Open();
  TCoreData& C = Core();
  C.ApplyLatitude(50);
  TQvNumEdit* Latitude = Screen->QvNumEdit(3);
  TypeInto(Latitude, "12.5");
  EXPECT_EQ(C.Local_Latitude, 50) << "nothing stored while typing";
  Leave();
  EXPECT_EQ(C.Local_Latitude, 12.5);
  EXPECT_EQ(Latitude->Text(), QStringLiteral("12.500"));
  EXPECT_DOUBLE_EQ(C.latitude_rad, 12.5 * 0.017453292519943295);

  struct TCase {
    int32_t Edit;
    const char* Typed;
    const char* Message; // empty: accepted; else refused, then set right
    std::function<double(const TCoreData&)> Stored;
    double Expected;
  };
  const TCase Cases[] = {
      {3, "200", "Latitude Value must be a number from -180.000 to 180.000.",
       [](const TCoreData& D) { return D.Local_Latitude; }, 12.5},
      {4, "7000", "Max Pressure, dBar must be a number from 1 to 6000.",
       [](const TCoreData& D) { return double(D.Maximum_Pressure); }, 6000},
      {4, "2500", "", [](const TCoreData& D) { return double(D.Maximum_Pressure); }, 2500},
      {5, "25", "", [](const TCoreData& D) { return double(D.Pressure_Resolution); }, 25},
      {7, "-12.25", "", [](const TCoreData& D) { return D.Altimeter_Offset; }, -12.25},
      {7, "1001", "Altimeter Offset must be a number from -1000.000 to 1000.000.",
       [](const TCoreData& D) { return D.Altimeter_Offset; }, -12.25},
      {6, "30", "Max. Viewable Points must be a number from 60 to 1440.",
       [](const TCoreData& D) { return double(D.Maximum_View_Points); }, 1440},
      // More points than the history holds: pulled back with its own message.
      {6, "2000", "Error: Max Viewable Point value can't be greater than 1440.",
       [](const TCoreData& D) { return double(D.Maximum_View_Points); }, 1440},
      {6, "600", "", [](const TCoreData& D) { return double(D.Maximum_View_Points); }, 600},
      // An emptied field is no value: its minimum is never stored.
      {6, "", "", [](const TCoreData& D) { return double(D.Maximum_View_Points); }, 600},
  };
  for (const TCase& K : Cases) {
    SCOPED_TRACE(std::string("QvNumEdit") + std::to_string(K.Edit) + " " + K.Typed);
    Host.Messages.clear();
    TypeInto(Screen->QvNumEdit(K.Edit), K.Typed);
    Leave();
    if (*K.Message)
      EXPECT_EQ(Host.Messages, std::vector<String>{QString::fromLatin1(K.Message)});
    else
      EXPECT_TRUE(Host.Messages.empty()) << Host.Messages.front().toStdString();
    EXPECT_EQ(K.Stored(C), K.Expected);
    // A refused field keeps the focus until the operator puts it right.
    if (*K.Message) {
      TypeInto(Screen->QvNumEdit(K.Edit), QString::number(K.Expected).toLatin1().constData());
      Leave();
      EXPECT_EQ(K.Stored(C), K.Expected);
    }
  }
  EXPECT_EQ(Screen->QvNumEdit(6)->Text(), QString());
}

TEST_F(MDISetupTest, TheSettingsChoicesStoreTheirValues)
{
  Open();
  TCoreData& C = Core();
  struct TRadioCase {
    TRadioGroup* Group;
    int32_t Item;
    const String* Field;
    const char* Expected;
  };
  const TRadioCase Radios[] = {
      {Screen->FormatGroups[0], 6, &C.Output_1_Format, "GREVON PROC (PREFIX)"},
      {Screen->FormatGroups[1], 2, &C.Output_2_Format, "SEAKING LONG DECIMAL"},
      {Screen->FormatGroups[2], 4, &C.Output_3_Format, "UK90 STD"},
      {Screen->FormatGroups[3], 3, &C.Output_4_Format, "DIGIQUARTZ"},
      {Screen->RadioGroup7, 3, &C.Output_Frequency, "8"},
      {Screen->RadioGroup7, 1, &C.Output_Frequency, "2"},
  };
  for (const TRadioCase& R : Radios) {
    Click(R.Group, R.Item);
    EXPECT_EQ(*R.Field, QString::fromLatin1(R.Expected));
  }
  Click(Screen->RadioGroup1, 1);
  EXPECT_EQ(C.Altimeter_Flag, 1);

  struct TInterval {
    int32_t Item;
    const char* Rate;
    const char* KirvoRate;
  };
  for (const TInterval& I : {TInterval{0, "4", "250"}, TInterval{1, "2", "500"}, TInterval{6, "1", "5000"}}) {
    Choose(Screen->ComboBox2, I.Item);
    EXPECT_EQ(C.Rate, QString::fromLatin1(I.Rate));
    EXPECT_EQ(C.Kirvo_Rate, QString::fromLatin1(I.KirvoRate));
  }

  // The sound velocity is judged after its wait.
  struct TSv {
    const char* Typed;
    const char* Stored;
  };
  for (const TSv& S : {TSv{"Measured", "Measured"}, TSv{"1250", "1500"}, TSv{"1600", "1600"}, TSv{"16x", "1500"}}) {
    Host.Delays.clear();
    // The text as it stands once the operator has stopped typing.
    QLineEdit* Edit = qobject_cast<QComboBox*>(Screen->ComboBox1->Handle())->lineEdit();
    Edit->setText(QString::fromLatin1(S.Typed));
    Q_EMIT Edit->textEdited(Edit->text());
    EXPECT_EQ(C.SV_Value, QString::fromLatin1(S.Stored)) << S.Typed;
    EXPECT_EQ(Screen->ComboBox1->Text(), QString::fromLatin1(S.Stored)) << S.Typed;
    EXPECT_FALSE(Host.Delays.empty());
    EXPECT_EQ(Host.Delays.front(), 36);
  }

  Screen->GrevonProcPrefix->SetText(QStringLiteral("%D9"));
  Screen->BathyMetricCode->SetText(QStringLiteral("123"));
  Screen->QvNumEdit8->SetText(QStringLiteral("12"));
  EXPECT_EQ(C.Grevon_Proc_Prefix, QStringLiteral("%D9"));
  EXPECT_EQ(C.Bathy_Metric_Code, QStringLiteral("123"));
  EXPECT_EQ(C.Height_Above_Sea_Level, QStringLiteral("12"));
  EXPECT_EQ(Screen->QvNumEdit8->MaxLength(), 2);
  Screen->ResetPrefix->Click();
  EXPECT_EQ(C.Grevon_Proc_Prefix, QStringLiteral("%D0074042700"));
  EXPECT_EQ(C.Sea_King_Long_Prefix, QStringLiteral("%D0070042703"));
  EXPECT_EQ(C.Sea_King_Long_Decimal_Prefix, QStringLiteral("%D0070042703"));
  EXPECT_EQ(C.Bathy_Metric_Code, QStringLiteral("007"));
  EXPECT_EQ(C.Sea_King_Long_Valid, QStringLiteral("031"));
  EXPECT_EQ(Screen->GrevonProcPrefix->Text(), QStringLiteral("%D0074042700"));
}

TEST_F(MDISetupTest, TheStatusColumnShowsEachFittedRowsText)
{
  TCoreData& C = Core();
  C.Output_2_Fitted = C.Output_3_Fitted = C.Output_4_Fitted = 1;
  Open();
  C.PortData1 = QStringLiteral("profiler");
  C.PortData2 = QStringLiteral("out 1");
  C.PortData8 = QStringLiteral("out 2");
  C.PortData9 = QStringLiteral("out 3");
  C.PortData10 = QStringLiteral("out 4");
  C.PortData3 = QStringLiteral("qyr 1");
  Screen->DataUpdate();
  const char* Expected[] = {"", "profiler", "out 1", "out 2", "out 3", "out 4", "N/A", "N/A", "N/A", "N/A", "N/A"};
  for (int32_t R = 1; R < SetupRowCount; ++R)
    EXPECT_EQ(Screen->StatusCell(R), QString::fromLatin1(Expected[R])) << R;
  EXPECT_THROW(Screen->SetStatusCell(11, QStringLiteral("x")), ERangeError);
}

// The grid's own press: the list of a port cell opens on a click and its
// choice reaches the screen; a click on a fitted box hands the row on.
TEST_F(MDISetupTest, TheMouseChoosesAPortFromTheListAndFitsARow)
{
  Open();
  TZurEvoderOzod& G = Grid();
  QWidget* VP = qobject_cast<QAbstractScrollArea*>(G.Handle())->viewport();
  const TRect Port = G.CellRect(3, 6);
  // The first click makes the cell current, the second opens its list.
  for (int32_t Click = 0; Click < 2; ++Click) {
    QTest::mouseClick(VP, Qt::LeftButton, Qt::NoModifier, QPoint(Port.Left + 8, Port.Top + 8));
    Application->ProcessMessages();
  }
  ASSERT_NE(G.EditCombo, nullptr);
  ASSERT_TRUE(G.EditCombo->Visible());
  Application->ProcessMessages(); // the list is up before the operator chooses
  auto* Box = qobject_cast<QComboBox*>(G.EditCombo->Handle());
  ASSERT_NE(Box, nullptr);
  const int32_t Index = Box->findText(QStringLiteral("COM12"));
  ASSERT_GE(Index, 0);
  Box->setCurrentIndex(Index);
  Q_EMIT Box->activated(Index);
  Application->ProcessMessages();
  EXPECT_EQ(Core().SerialArray[12][SerialPort], QStringLiteral("12"));

  // Row 7's port did not open at start, so its list opens on the first
  // port by itself: that is no choice of the operator's and stores nothing.
  Core().SerialArray[0][SerialFitted] = QStringLiteral("0");
  const TRect Other = G.CellRect(3, 7);
  for (int32_t Click = 0; Click < 2; ++Click) {
    QTest::mouseClick(VP, Qt::LeftButton, Qt::NoModifier, QPoint(Other.Left + 8, Other.Top + 8));
    Application->ProcessMessages();
  }
  ASSERT_TRUE(G.EditCombo->Visible());
  EXPECT_EQ(Core().SerialArray[13][SerialPort], QStringLiteral("1"));
  EXPECT_EQ(Core().DataPort[13], 1);
  Core().SerialArray[0][SerialFitted] = QStringLiteral("1");

  // The fitted box of row 7, where the grid finds it.
  const TRect Fit = G.CellRect(0, 7);
  QPoint At(-1, -1);
  for (int32_t Y = Fit.Top; Y < Fit.Bottom && At.x() < 0; ++Y)
    for (int32_t X = Fit.Left; X < Fit.Right && At.x() < 0; ++X)
      if (G.IsInCheckBox(0, 7, X, Y))
        At = QPoint(X + 2, Y + 2);
  ASSERT_GE(At.x(), 0);
  QTest::mouseClick(VP, Qt::LeftButton, Qt::NoModifier, At);
  Application->ProcessMessages();
  EXPECT_EQ(Host.FittedRows, (std::vector<std::pair<int32_t, int32_t>>{{7, 1}}));
}

} // namespace
