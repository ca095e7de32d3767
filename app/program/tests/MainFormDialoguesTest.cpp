// The instrument dialogues in the main window, driven from the set-up
// screen's buttons, against the simulated instruments.
#include "MainFormFixture.h"
#include "app/instruments/tests/DialogueFixture.h"
#include "app/program/MainFormDialogues.h"
#include "app/setup/tests/SetupGridOperator.h"
#include "app/core/ModularInstruments.h"
#include "platform/PtyPair.h"
#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"
#include "sim/InstrumentModel.h"
#include "sim/InstrumentSimulator.h"

#include <chrono>

namespace {

using sim::InstrumentKind;
using sim::LineMode;

QByteArray SlotSection(int N, int Port, const char* Mode, int Packet, int Address = 2)
{
  return QStringLiteral("[Serial %1]\r\nFitted=1\r\nPort=%2\r\nMode=%3\r\nPacket=%4\r\nBaud=9600\r\nAddress=%5\r\n"
                        "Label=S%1\r\nUnits=u\r\n")
      .arg(N)
      .arg(Port)
      .arg(QLatin1String(Mode))
      .arg(Packet)
      .arg(Address)
      .toLatin1();
}

class MainFormDialogues : public TMainFormTest {
protected:
  void SetUp() override
  {
    TMainFormTest::SetUp();
    Clock = std::make_unique<TClockScope>(TestNow());
  }
  void TearDown() override
  {
    for (auto& S : Sims)
      S->Stop();
    if (Form)
      QuietPackets([this](int32_t N) { return Form->SioDataPacket(N); });
    TMainFormTest::TearDown();
    Sims.clear();
    Clock.reset();
  }

  sim::InstrumentSimulator& Sim(InstrumentKind Kind, int32_t Port, LineMode Mode, bool Running)
  {
    Sims.push_back(std::make_unique<sim::InstrumentSimulator>(Kind));
    sim::InstrumentSimulator& S = *Sims.back();
    S.SetMode(Mode);
    S.SetIntervalMs(Running ? 50 : 3600000);
    S.SetRunning(Running);
    S.WithModel([](sim::InstrumentModel& M) { M.SetWallClock([] { return TestWallClock(); }); });
    MapComPort(Port, QString::fromStdString(S.SlavePath()));
    S.Start();
    return S;
  }

  // The window started on the settings, with the dialogues' pauses and the
  // reply watchdogs shortened.
  TMainForm& StartOn(const QByteArray& Settings)
  {
    WriteSettings(Settings);
    TMainForm& F = Start();
    F.Dialogues().DelayHook = [](int32_t Ticks) { PumpTicks(Ticks); };
    F.Timer2->SetInterval(TestTimer2Ms);
    F.Timer3->SetInterval(TestTimer3Ms);
    return F;
  }

  std::vector<std::unique_ptr<sim::InstrumentSimulator>> Sims;
  std::unique_ptr<TClockScope> Clock;
};

TEST_F(MainFormDialogues, ProfilingInstrumentFromTheSetupScreen)
{
  sim::InstrumentSimulator& S = Sim(InstrumentKind::Quorndeck, 2, LineMode::RS232, true);
  S.WithModel([](sim::InstrumentModel& M) { M.SetClockOffsetMs(5000); });
  TMainForm& F = StartOn(SlotSection(0, 2, "RS232", 1));
  TMDISetup* Screen = SetupScreen();
  ASSERT_NE(Screen, nullptr);
  EXPECT_FALSE(Screen->BitBtn1->Enabled());

  Screen->ZurEvoderOzod1ButtonClick(nullptr, SetupColumnInterrupt, SetupRowQuorndeck);

  EXPECT_EQ(SqueezeBreaks(S.Received(), "#\r\n"), "#\r\n#010\r\n#034\r\n#050\r\n#053\r\n#086;47\r\n");
  EXPECT_EQ(F.StatusText(0), QStringLiteral("Quorndeck Interrogated"));
  EXPECT_EQ(F.StatusText(1), QStringLiteral("47;0;0"));
  EXPECT_EQ(Screen->StatusCell(SetupRowQuorndeck), QStringLiteral("Interrupted"));
  EXPECT_EQ(F.RowStates[SetupRowQuorndeck].CommandMode, 1);
  EXPECT_EQ(F.RowStates[SetupRowQuorndeck].RunMode, 0);
  EXPECT_TRUE(Screen->BitBtn1->Enabled());
  // The instrument's clock on the set-up screen: PC time plus its offset.
  EXPECT_EQ(F.Instrument_Clock_Offset, 5000);
  F.Timer1Timer();
  EXPECT_EQ(Screen->PanelCaption(1), QStringLiteral("08/12/2026 19:30:40"));

  S.ClearReceived();
  Screen->BitBtn1Click();
  EXPECT_EQ(S.Received(), "#052;08;12;26;19;30;35\r\n#053\r\n");
  EXPECT_EQ(F.StatusText(0), QStringLiteral("Clock Set-Up Complete"));
  EXPECT_EQ(F.Instrument_Clock_Offset, 0);

  S.ClearReceived();
  Screen->ZurEvoderOzod1ButtonClick(nullptr, SetupColumnRun, SetupRowQuorndeck);
  EXPECT_EQ(S.Received(), "#028\r\n");
  EXPECT_EQ(F.StatusText(0), QStringLiteral("Quorndeck Running"));
  EXPECT_FALSE(Screen->BitBtn1->Visible());
  EXPECT_EQ(F.RowStates[SetupRowQuorndeck].RunMode, 1);
  // The data strings flow again.
  EXPECT_TRUE(PumpUntil([this] { return Core().PortData1.contains(QLatin1Char('\t')); }));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(MainFormDialogues, ModularInstrumentFromTheSetupScreenAndItsData)
{
  sim::InstrumentSimulator& S = Sim(InstrumentKind::Qyr, 3, LineMode::RS485, true);
  S.SetUnits({2, 3});
  TMainForm& F = StartOn(SlotSection(12, 3, "RS485", 10));
  TMDISetup* Screen = SetupScreen();
  ASSERT_NE(Screen, nullptr);
  const int32_t Row = ModularSetupRow(1);

  Screen->ZurEvoderOzod1ButtonClick(nullptr, SetupColumnInterrupt, Row);
  EXPECT_EQ(F.StatusText(0), QStringLiteral("QYR Interrogated"));
  EXPECT_EQ(Core().PortData3, QStringLiteral("QYR Interrupted"));
  EXPECT_TRUE(F.Timer4->Enabled());
  EXPECT_FALSE(F.SioDataPacket(10)->Enabled());

  // The keep-alive of the interrupted instrument.
  S.ClearReceived();
  F.Timer4Timer();
  EXPECT_TRUE(S.WaitForReceived("99:##\r\n", 2000));

  S.ClearReceived();
  Screen->ZurEvoderOzod1ButtonClick(nullptr, SetupColumnRun, Row);
  const AnsiString Break = "99:##\r\n";
  EXPECT_EQ(SqueezeBreaks(S.Received(), Break),
            Break + "99:#107;1000\r\n99:#108\r\n00:#003;HOLD;1;1;60;NONE;1\r\n02:#004\r\n03:#004\r\n99:#028\r\n");
  EXPECT_EQ(F.StatusText(0), QStringLiteral("QYR in Run Mode"));
  EXPECT_FALSE(F.Timer4->Enabled());
  EXPECT_EQ(F.RowStates[static_cast<size_t>(Row)].RunMode, 1);
  // Unit 2's addressed lines reach QYR 1 through the window's data packet.
  EXPECT_TRUE(PumpUntil([this] { return Core().PortData3.startsWith(QLatin1String("30.1")); }))
      << Core().PortData3.toStdString();
  EXPECT_TRUE(Core().Value(Core().QYR1Index).startsWith(QLatin1String("30.1")));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

// Closing the window while a dialogue waits for its instrument ends the
// dialogue at its next pause.
TEST_F(MainFormDialogues, ClosingEndsARunningDialogue)
{
  sim::InstrumentSimulator& S = Sim(InstrumentKind::Quorndeck, 2, LineMode::RS232, true);
  S.SetReplyFault(sim::ReplyFault::Silent);
  TMainForm& F = StartOn(SlotSection(0, 2, "RS232", 1));
  int32_t Pauses = 0;
  auto Shortened = F.Dialogues().DelayHook;
  F.Dialogues().DelayHook = [&](int32_t Ticks) {
    if (++Pauses == 4)
      F.CloseApplication();
    Shortened(Ticks);
  };
  EXPECT_FALSE(F.Break_In_Quorndeck());
  EXPECT_LT(S.Received().count("#\r\n"), 9);
  EXPECT_EQ(F.StatusText(0), QStringLiteral("Cancelled"));
  EXPECT_FALSE(F.Dialogues().Dialogues().Engine.Running());
}

// A modular packet's time-out that reaches the window after a break-in
// stopped reception leaves the packet off: listening again, it would take the
// dialogue's replies for data lines. While reception runs, the packet
// listens again after a time-out.
TEST_F(MainFormDialogues, LateTimeOutLeavesAStoppedModularPacketOff)
{
  PtyPair Instrument;
  ASSERT_TRUE(Instrument.IsOpen());
  MapComPort(4, Instrument.SlavePath());
  TMainForm& F = StartOn(SlotSection(12, 4, "RS232", 10));
  TSioDataPacket* P = F.SioDataPacket(10);
  ASSERT_TRUE(P->Enabled());
  ASSERT_TRUE(P->AutoEnable());
  for (const bool Running : {false, true}) {
    SCOPED_TRACE(Running);
    P->SetEnabled(false);
    P->SetAutoEnable(Running);
    P->OnTimeout(P);
    EXPECT_EQ(P->Enabled(), Running);
  }
}

TEST_F(MainFormDialogues, ResetAddressModeRefusesAnAddressThatIsNoNumber)
{
  PtyPair Instrument;
  ASSERT_TRUE(Instrument.IsOpen());
  MapComPort(2, Instrument.SlavePath());
  TMainForm& F = StartOn(SlotSection(0, 2, "RS485", 1));
  QStringList Answers = {QStringLiteral("2\r\n#009;21"), QStringLiteral("123"), QStringLiteral("05")};
  F.InputQuery = [&Answers](const String&, const String&, String& Value) {
    if (Answers.isEmpty())
      return false;
    Value = Answers.takeFirst();
    return true;
  };
  F.AddressMode1Click();
  EXPECT_EQ(Messages.size(), 2);
  EXPECT_EQ(ReadUntil(Instrument, "\r\n"), AnsiString("05:#005;OFF\r\n"));
}

// The operator's whole road on the set-up screen: a slot chosen onto the
// instrument's port and line mode and fitted, the screen back a second
// later, the frequency chosen under the grid, then Interrupt, the altimeter
// and the tare choice that opens after it, Set Up and Run pressed in the grid:
// the instrument receives what the dialogues send.
TEST_F(MainFormDialogues, AnInstrumentFittedAndStartedFromTheSetupGrid)
{
  sim::InstrumentSimulator& S = Sim(InstrumentKind::Quorndeck, 2, LineMode::RS232, true);
  Pty(5);
  TMainForm& F = StartOn("[Serial 0]\r\nFitted=0\r\nPort=5\r\nMode=RS485\r\nPacket=1\r\nBaud=9600\r\n"
                         "Address=2\r\nLabel=S0\r\nUnits=u\r\n");
  ASSERT_NE(SetupScreen(), nullptr);
  {
    TSetupGridOperator Hand(*SetupScreen());
    EXPECT_EQ(Hand.Cell(3, SetupRowQuorndeck), QStringLiteral("COM5"));
    ASSERT_TRUE(Hand.CanEdit(3, SetupRowQuorndeck, false));
    EXPECT_TRUE(Hand.ChooseInCombo(3, SetupRowQuorndeck, QStringLiteral("COM2")));
    EXPECT_TRUE(Hand.ChooseRadio(1, SetupRowQuorndeck, 0));
    EXPECT_EQ(Core().SerialArray[0][SerialPort], QStringLiteral("2"));
    EXPECT_EQ(Core().SerialArray[0][SerialMode], QStringLiteral("RS232"));
    EXPECT_FALSE(F.SioComPort(2)->Open()) << "not bound before it is fitted";
    EXPECT_TRUE(Hand.ToggleCheck(0, SetupRowQuorndeck));
  }
  EXPECT_EQ(SetupScreen(), nullptr);
  EXPECT_TRUE(Core().SlotFitted(0));
  EXPECT_EQ(F.QuorndeckPort, F.SioComPort(2));
  ASSERT_TRUE(F.Timer5->Enabled());
  F.Timer5Timer();
  TMDISetup* Screen = SetupScreen();
  ASSERT_NE(Screen, nullptr);
  TSetupGridOperator Hand(*Screen);
  EXPECT_TRUE(Hand.Checked(0, SetupRowQuorndeck));
  EXPECT_EQ(Hand.Cell(3, SetupRowQuorndeck), QStringLiteral("COM2"));
  EXPECT_FALSE(Hand.CanEdit(3, SetupRowQuorndeck, true)) << "a fitted instrument's port is locked";
  EXPECT_FALSE(Hand.CanEdit(8, SetupRowQuorndeck, true)) << "no tare before an interrupt";

  Screen->RadioGroup7->SetItemIndex(2);
  Screen->RadioGroup7Click();

  ASSERT_TRUE(Hand.CanEdit(SetupColumnInterrupt, SetupRowQuorndeck, false));
  Hand.Press(SetupColumnInterrupt, SetupRowQuorndeck);
  EXPECT_EQ(SqueezeBreaks(S.Received(), "#\r\n"), "#\r\n#010\r\n#034\r\n#050\r\n#053\r\n#086;47\r\n");
  EXPECT_EQ(Screen->StatusCell(SetupRowQuorndeck), QStringLiteral("Interrupted"));
  EXPECT_TRUE(Screen->BitBtn1->Enabled());

  // The interrogation read the instrument's altimeter type into the screen;
  // the operator chooses another.
  EXPECT_EQ(Screen->RadioGroup1->ItemIndex(), 0);
  Screen->RadioGroup1->SetItemIndex(1);
  Screen->RadioGroup1Click();

  ASSERT_TRUE(Hand.CanEdit(8, SetupRowQuorndeck, false));
  EXPECT_TRUE(Hand.ChooseRadio(8, SetupRowQuorndeck, 2));
  ASSERT_TRUE(Hand.CanEdit(SetupColumnSet, SetupRowQuorndeck, false));
  S.ClearReceived();
  Hand.Press(SetupColumnSet, SetupRowQuorndeck);
  EXPECT_EQ(S.Received(), "#005;OFF\r\n00:#005;OFF\r\n#049;1023.0147;9.8167459\r\n#085;47;1;1\r\n"
                          "#003;CONT;4;10;60;NONE;2\r\n#009;USER;0\r\n#034\r\n#050\r\n#053\r\n#086;47\r\n#010\r\n")
      << S.Received().constData();
  EXPECT_EQ(F.StatusText(0), QStringLiteral("Quorndeck Set-Up Complete"));

  ASSERT_TRUE(Hand.CanEdit(SetupColumnRun, SetupRowQuorndeck, false));
  S.ClearReceived();
  Hand.Press(SetupColumnRun, SetupRowQuorndeck);
  EXPECT_EQ(S.Received(), "#028\r\n");
  EXPECT_EQ(F.StatusText(0), QStringLiteral("Quorndeck Running"));
  EXPECT_FALSE(Screen->BitBtn1->Visible());
  EXPECT_FALSE(Hand.CanEdit(SetupColumnSet, SetupRowQuorndeck, true)) << "locked until the next interrupt";
  EXPECT_FALSE(Hand.CanEdit(SetupColumnRun, SetupRowQuorndeck, true));
  EXPECT_TRUE(PumpUntil([this] { return Core().PortData1.contains(QLatin1Char('\t')); }));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

} // namespace
