// The modular instruments' dialogues against the simulated Kirvo system.
#include "DialogueFixture.h"

#include "app/instruments/KirvoProtocol.h"
#include "app/core/ModularInstruments.h"
#include "sim/InstrumentModel.h"
#include "sim/KirvoModel.h"

namespace {

using sim::InstrumentKind;
using sim::LineMode;
using sim::ReplyFault;

constexpr int32_t KPort = 4;
constexpr int32_t RowQYR1 = 6;
constexpr int32_t RowAtmospheric = 10;

const AnsiString Break485 = "99:##\r\n";

class KirvoDialogue : public TDialogueTest {
protected:
  // QYR 1 (slot 12, row 6) and the atmospheric sensor (slot 11, row 10) on
  // COM4 in Mode, data on packet 10, at address 2, 9600 baud; the simulator
  // plays Kind.
  sim::InstrumentSimulator& Start(LineMode Mode, bool Running, InstrumentKind Kind = InstrumentKind::Qyr)
  {
    const String ModeText = Mode == LineMode::RS232 ? QStringLiteral("RS232") : QStringLiteral("RS485");
    MakeHost(MakeDialogueCore({slAP1, slQYR1}, [&](Array2D& Slots) {
      for (const int32_t N : {slAP1, slQYR1}) {
        TSerialRow& R = Slots[static_cast<size_t>(N)];
        R[SerialMode] = ModeText;
        R[SerialPort] = QString::number(KPort);
        R[SerialAddress] = QStringLiteral("2");
        R[SerialBaud] = QStringLiteral("9600");
        R[SerialPacket] = N == slQYR1 ? QStringLiteral("10") : QStringLiteral("11");
        R[SerialTare] = QStringLiteral("0");
      }
    }));
    sim::InstrumentSimulator& S = StartSim(Kind, KPort, Mode, Running);
    // The data packet as the settings load binds it.
    TSioDataPacket* Data = Host->SioDataPacket(10);
    Data->SetComPort(Host->SioComPort(KPort));
    Data->SetStartCond(Mode == LineMode::RS232 ? scAnyData : scString);
    Host->SioComPort(KPort)->SetOpen(true);
    Data->SetEnabled(true);
    Data->SetAutoEnable(true);
    return S;
  }

  TKirvoProtocol& K() { return Dialogues->Kirvo; }
  bool KeepAlive() { return Host->Timer(4)->Enabled(); }
};

TEST_F(KirvoDialogue, InterruptsAndReadsTheUnitsInRS485)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS485, true);
  S.SetUnits({2, 3});

  EXPECT_TRUE(K().Break_In_Kirvo(RowQYR1));

  EXPECT_EQ(SqueezeBreaks(S.Received(), Break485), Break485 + "99:#062\r\n");
  EXPECT_TRUE(ShownInOrder({"Attempting to Interrupt QYR", "Connected to QYR", "Getting Modules Fitted",
                            "Modules Fitted = ", "QYR Interrogated"}));
  EXPECT_EQ(LastStatus(), QStringLiteral("QYR Interrogated"));
  EXPECT_EQ(Host->Panel1.back(), QStringLiteral("1;2;3"));
  EXPECT_EQ(K().No_Modules, 2);
  EXPECT_EQ(K().ModuleList[0], 2);
  EXPECT_EQ(K().ModuleList[1], 3);
  EXPECT_EQ(Core().PortData3, QStringLiteral("QYR Interrupted"));
  EXPECT_EQ(Host->Screen->StatusCell(RowQYR1), QStringLiteral("QYR Interrupted"));
  EXPECT_EQ(Row(RowQYR1), (std::array<int32_t, 3>{1, 0, 0}));
  EXPECT_TRUE(KeepAlive());
  // Reception of every modular data packet stops with the interrupt.
  EXPECT_FALSE(Host->SioDataPacket(10)->Enabled());
  EXPECT_FALSE(Host->SioDataPacket(10)->AutoEnable());
  EXPECT_EQ(Host->CursorDepth, 0);
}

TEST_F(KirvoDialogue, InterruptsTheAtmosphericSensorInRS232WithoutAUnitList)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, true, InstrumentKind::Atmospheric);
  K().No_Modules = 5;

  EXPECT_TRUE(K().Break_In_Kirvo(RowAtmospheric));

  EXPECT_EQ(SqueezeBreaks(S.Received(), "#\r\n"), "#\r\n");
  EXPECT_EQ(Core().PortData7, QStringLiteral("QYR Interrupted"));
  EXPECT_EQ(Host->Screen->StatusCell(RowAtmospheric), QStringLiteral("QYR Interrupted"));
  EXPECT_EQ(Row(RowAtmospheric), (std::array<int32_t, 3>{1, 0, 0}));
  EXPECT_EQ(K().No_Modules, 5);
}

TEST_F(KirvoDialogue, RowsWithoutAnInstrumentDoNothing)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, true);
  for (const int32_t Row : {0, 1, 2, 5, 11}) {
    EXPECT_FALSE(K().Break_In_Kirvo(Row)) << Row;
    EXPECT_FALSE(K().Set_Kirvo(Row)) << Row;
    EXPECT_FALSE(K().Run_Kirvo(Row)) << Row;
  }
  EXPECT_TRUE(S.Received().isEmpty());
  EXPECT_TRUE(Host->Panel0.empty());
}

// Silence and replies later than every wait end the interrupt the same way;
// so does an instrument that goes on streaming (its data lines on the bus
// begin with ">", like the prompt).
TEST_F(KirvoDialogue, UnansweredBreakFailsToInterrupt)
{
  enum TKind { Silent, Late, Streaming };
  for (const TKind Kind : {Silent, Late, Streaming}) {
    SCOPED_TRACE(Kind);
    sim::InstrumentSimulator& S = Start(LineMode::RS485, true);
    if (Kind == Late)
      S.SetReplyDelayMs(10000);
    else
      S.SetReplyFault(ReplyFault::Silent);
    if (Kind == Streaming)
      S.SetIntervalMs(5);

    EXPECT_FALSE(K().Break_In_Kirvo(RowQYR1));

    // Nine tries, each followed by its pause.
    EXPECT_EQ(Host->PausesOf(3), 9);
    EXPECT_TRUE(RepeatsOf(S.Received(), Break485, 9)) << S.Received().toStdString();
    EXPECT_EQ(LastStatus(), QStringLiteral("Not Connected to QYR, Retry"));
    EXPECT_EQ(Core().PortData3, QStringLiteral("Failed To Interrupt QYR"));
    EXPECT_EQ(Host->Screen->StatusCell(RowQYR1), QStringLiteral("Failed To Interrupt QYR"));
    EXPECT_EQ(Row(RowQYR1), (std::array<int32_t, 3>{0, 0, 1}));
    EXPECT_FALSE(KeepAlive());
    EXPECT_EQ(Host->CursorDepth, 0);
    Reset();
  }
}

TEST_F(KirvoDialogue, UnitListKeepsAtMostElevenUnits)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS485, true);
  S.SetUnits({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
  EXPECT_TRUE(K().Break_In_Kirvo(RowQYR1));
  EXPECT_EQ(K().No_Modules, TKirvoProtocol::MaxModules);
  for (int32_t I = 0; I < TKirvoProtocol::MaxModules; ++I)
    EXPECT_EQ(K().ModuleList[static_cast<size_t>(I)], I + 2);
}

TEST_F(KirvoDialogue, UnitListNeverReadEndsTheInterrupt)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS485, true);
  S.SetReplyFault(ReplyFault::Error, "#062");
  K().No_Modules = 4;

  EXPECT_FALSE(K().Break_In_Kirvo(RowQYR1));

  // The refusal never looks like a unit list: the watchdog gives the step
  // up and clears the instrument's line.
  EXPECT_EQ(SqueezeBreaks(S.Received(), Break485), Break485 + "99:#062\r\n\r\n");
  EXPECT_EQ(LastStatus(), QStringLiteral("QYR Interrogation Failed: No Reply: Getting Modules Fitted"));
  EXPECT_FALSE(ShownInOrder({"QYR Interrogated"}));
  EXPECT_EQ(Core().PortData3, QStringLiteral("Interrogation Failed"));
  EXPECT_EQ(Row(RowQYR1), (std::array<int32_t, 3>{1, 0, 1}));
  EXPECT_EQ(K().No_Modules, 4);
  // The instrument did answer the break: it is held in command mode.
  EXPECT_TRUE(KeepAlive());
}

TEST_F(KirvoDialogue, SetsUpInRS232)
{
  const AnsiString Head = "TARN\r\n#005;OFF\r\n00:#005;OFF\r\n#059;9600\r\n#001;2\r\n#003;CONT;1;1;60;NONE;1\r\n";
  // Address mode stays off on RS232: the last read-back goes once more in
  // place of the command that would switch it on.
  const AnsiString Full = "#013;TARNWICK\r\n#062\r\n#007;CAL\r\n#087;OFF\r\n#016;OFF\r\n#016;OFF\r\n"
                          "#002\r\n#004\r\n#006\r\n#008\r\n#010\r\n#014\r\n#017\r\n#088\r\n#088\r\n";
  // A repeater in the parameter list: its steps are passed over, and nothing
  // goes out in their place, nor in place of the last step.
  const AnsiString Repeater = "#013;TARNWICK\r\n#062\r\n#002\r\n#004\r\n#006\r\n#010\r\n#014\r\n";
  struct TCase {
    const char* Name;
    const char* Tare;
    const char* Parameters;
    AnsiString Sent;
    int32_t Rpt;
  };
  const TCase Cases[] = {
      // No tare: the sampling string goes once more in its place.
      {"no tare", "0", "PRESSURE;TEMPERATURE", Head + "#003;CONT;1;1;60;NONE;1\r\n" + Full, 0},
      {"tare", "1", "PRESSURE;TEMPERATURE", Head + "#009\r\n" + Full, 0},
      {"zero tare", "2", "PRESSURE;TEMPERATURE", Head + "#009;0\r\n" + Full, 0},
      {"repeater", "1", "RPT;PRESSURE", Head + "#009\r\n" + Repeater, 1},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    sim::InstrumentSimulator& S = Start(LineMode::RS232, false);
    Core().SerialArray[slQYR1][SerialTare] = QString::fromLatin1(C.Tare);
    const AnsiString Parameters = C.Parameters;
    S.WithModel([&](sim::InstrumentModel& M) { static_cast<sim::KirvoModel&>(M).SetParameterList(Parameters); });

    EXPECT_TRUE(K().Set_Kirvo(RowQYR1));

    // The scan's first address already answers: RS232 ignores addresses.
    EXPECT_EQ(SqueezeBreaks(S.Received(), "01:#\r\n"), "01:#\r\n" + C.Sent);
    EXPECT_EQ(K().RptFitted, C.Rpt);
    EXPECT_EQ(K().Module, 2);
    EXPECT_EQ(K().KirvoRS485, 0);
    EXPECT_EQ(Host->SioComPort(KPort)->Baud(), 9600);
    EXPECT_TRUE(ShownInOrder({"Com Port Set to 4;9600", "Attempting to Interrupt QYR", "Connected to QYR",
                              "Checking Micro is not in AML mode", "Parameter Set", "Setting Baud Rate",
                              "Setting Norvic Series Address", "Getting Parameters Fitted", "Getting Output Format"}));
    EXPECT_EQ(LastStatus(), QStringLiteral("Module Setup Completed"));
    EXPECT_EQ(Core().PortData3, QStringLiteral("Setup Complete"));
    EXPECT_EQ(Row(RowQYR1), (std::array<int32_t, 3>{1, 0, 0}));
    Reset();
  }
}

// On the bus the plain commands go unheard until address mode is off; the
// read-backs go once per listed unit; address mode is switched on again.
TEST_F(KirvoDialogue, SetsUpInRS485)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS485, false);
  K().No_Modules = 2;

  EXPECT_TRUE(K().Set_Kirvo(RowQYR1));

  AnsiString Twice;
  for (const char* C : {"#002", "#004", "#006", "#008", "#010", "#014", "#017", "#088"})
    Twice += AnsiString(C) + "\r\n" + C + "\r\n";
  // The first address is silent, the second answers; the two unheard
  // commands are each given up when the watchdog fires (which sends a bare
  // line end).
  EXPECT_EQ(SqueezeBreaks(SqueezeBreaks(S.Received(), "01:#\r\n"), "02:#\r\n"),
            AnsiString("01:#\r\n") + "02:#\r\n" + "TARN\r\n\r\n#005;OFF\r\n\r\n00:#005;OFF\r\n" +
                "#059;9600\r\n#001;2\r\n#003;HOLD;1;1;60;NONE;1\r\n#003;HOLD;1;1;60;NONE;1\r\n#013;TARNWICK\r\n#"
                "062\r\n#007;CAL\r\n#087;OFF\r\n"
                "#016;OFF\r\n#016;OFF\r\n" +
                Twice + "#005;ON\r\n");
  EXPECT_EQ(LastStatus(), QStringLiteral("Module Setup Completed"));
  EXPECT_EQ(S.Mode(), LineMode::RS485);
}

TEST_F(KirvoDialogue, SetUpRefusesOperatorTextThatIsNoNumber)
{
  struct TCase {
    const char* Baud;
    const char* Address;
    const char* Status;
  };
  const TCase Cases[] = {
      {"9600", "2\r\n#009", "Module Setup Failed: Invalid Address \"2\r\n#009\""},
      {"9600", "99", "Module Setup Failed: Invalid Address \"99\""},
      {"9600", "0", "Module Setup Failed: Invalid Address \"0\""},
      {"9600;1", "2", "Module Setup Failed: Invalid Baud Rate \"9600;1\""},
      {"", "2", "Module Setup Failed: Invalid Baud Rate \"\""},
      {"19200\r\n#028", "2", "Module Setup Failed: Invalid Baud Rate \"19200\r\n#028\""},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Status);
    sim::InstrumentSimulator& S = Start(LineMode::RS232, false);
    Core().SerialArray[slQYR1][SerialBaud] = QString::fromLatin1(C.Baud);
    Core().SerialArray[slQYR1][SerialAddress] = QString::fromLatin1(C.Address);
    EXPECT_FALSE(K().Set_Kirvo(RowQYR1));
    EXPECT_EQ(LastStatus(), QString::fromLatin1(C.Status));
    EXPECT_TRUE(S.Received().isEmpty()) << S.Received().toStdString();
    EXPECT_EQ(Core().PortData3, QStringLiteral("Setup Failed"));
    Reset();
  }
}

TEST_F(KirvoDialogue, RefusedSetCommandIsNoSetUp)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, false);
  S.SetReplyFault(ReplyFault::Error, "#059");

  EXPECT_FALSE(K().Set_Kirvo(RowQYR1));

  EXPECT_TRUE(S.Received().endsWith("00:#005;OFF\r\n" + AnsiString("#059;9600\r\n").repeated(5)))
      << S.Received().toStdString();
  EXPECT_EQ(LastStatus(), QStringLiteral("Module Setup Failed: ERROR Setting Parameter"));
  EXPECT_FALSE(ShownInOrder({"Module Setup Completed"}));
  EXPECT_EQ(Core().PortData3, QStringLiteral("Setup Failed"));
  EXPECT_EQ(Row(RowQYR1), (std::array<int32_t, 3>{1, 0, 1}));
}

// No address answers: nothing is set up on an instrument that is not there.
TEST_F(KirvoDialogue, SetUpWithoutAnInstrumentSendsNoSettings)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS485, true);
  S.SetReplyFault(ReplyFault::Silent);
  // 873 break strings: a shorter tick still.
  Host->TickMs = 1;

  EXPECT_FALSE(K().Set_Kirvo(RowQYR1));

  // Nine tries at each address from 01 to 97, and nothing else.
  EXPECT_EQ(Host->PausesOf(12), 97);
  EXPECT_EQ(Host->PausesOf(3), 97 * 9);
  int32_t Last = 0;
  for (const QByteArray& Line : S.Received().split('\n')) {
    if (Line.isEmpty())
      continue;
    ASSERT_EQ(Line.size(), 5) << Line.toStdString();
    ASSERT_TRUE(Line.endsWith(":#\r")) << Line.toStdString();
    const int32_t A = Line.left(2).toInt();
    ASSERT_GE(A, Last);
    ASSERT_LE(A, 97);
    Last = A;
  }
  EXPECT_EQ(LastStatus(), QStringLiteral("Module Setup Failed: Not Connected to QYR"));
}

TEST_F(KirvoDialogue, RunsInRS485AndTheDataFlows)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS485, true);
  S.SetUnits({2, 3});
  ASSERT_TRUE(K().Break_In_Kirvo(RowQYR1));
  // A packet no fitted slot names stays off, even on the instrument's port.
  Host->SioDataPacket(16)->SetComPort(Host->SioComPort(KPort));
  S.ClearReceived();
  S.SetIntervalMs(50);

  EXPECT_TRUE(K().Run_Kirvo(RowQYR1));

  EXPECT_EQ(SqueezeBreaks(S.Received(), Break485),
            Break485 + "99:#107;1000\r\n99:#108\r\n00:#003;HOLD;1;1;60;NONE;1\r\n02:#004\r\n03:#004\r\n99:#028\r\n");
  EXPECT_TRUE(ShownInOrder({"Attempting to Interrupt QYR", "Connected to QYR", "Setting Sampling Rate",
                            "Getting Sampling Rate", "Setting Module Sampling Rate", "Getting Sampling Rate",
                            "Setting into Run Mode", "QYR in Run Mode"}));
  EXPECT_EQ(LastStatus(), QStringLiteral("QYR in Run Mode"));
  EXPECT_EQ(Row(RowQYR1), (std::array<int32_t, 3>{0, 0, 1}));
  EXPECT_FALSE(KeepAlive());
  // After the sampling command to all units, time for all of them to answer.
  EXPECT_EQ(Host->PausesOf(91), 1);
  EXPECT_EQ(Dialogues->Engine.CommandDelay, 3);
  // Data already flows: a packet that has just matched a line is off until
  // its event has run on this thread and switched it on again.
  EXPECT_TRUE(PumpUntil([this] { return Host->SioDataPacket(10)->Enabled(); }));
  EXPECT_TRUE(Host->SioDataPacket(10)->AutoEnable());
  EXPECT_FALSE(Host->SioDataPacket(16)->Enabled());
  // The addressed lines of unit 2 reach QYR 1.
  EXPECT_TRUE(PumpUntil([this] { return Core().PortData3.startsWith(QLatin1String("30.")); }))
      << Core().PortData3.toStdString();
  EXPECT_TRUE(Core().Value(Core().QYR1Index).startsWith(QLatin1String("30.1")));
}

TEST_F(KirvoDialogue, RunsInRS232)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, false);
  Core().Rate = QStringLiteral("2");
  S.SetIntervalMs(50);

  EXPECT_TRUE(K().Run_Kirvo(RowQYR1));

  EXPECT_EQ(SqueezeBreaks(S.Received(), "#\r\n"), "#\r\n#003;CONT;2;1;60;NONE;1\r\n#004\r\n#028\r\n");
  EXPECT_EQ(LastStatus(), QStringLiteral("QYR in Run Mode"));
  EXPECT_EQ(Row(RowQYR1), (std::array<int32_t, 3>{0, 0, 1}));
  // The unaddressed lines reach QYR 1 through its packet.
  EXPECT_TRUE(PumpUntil([this] { return Core().PortData3.startsWith(QLatin1String("30.1")); }))
      << Core().PortData3.toStdString();
  EXPECT_TRUE(Core().Value(Core().QYR1Index).startsWith(QLatin1String("30.1")));
}

// A run whose break-in goes unanswered leaves the row where Interrupt can be
// pressed again.
TEST_F(KirvoDialogue, RunWithoutAnswerCanBeInterruptedAgain)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS485, true);
  S.SetReplyFault(ReplyFault::Silent);
  EXPECT_FALSE(K().Run_Kirvo(RowQYR1));
  EXPECT_EQ(Host->PausesOf(3), 9);
  EXPECT_TRUE(RepeatsOf(S.Received(), Break485, 9)) << S.Received().toStdString();
  EXPECT_EQ(Row(RowQYR1), (std::array<int32_t, 3>{0, 0, 1}));
  EXPECT_EQ(Core().PortData3, QStringLiteral("Failed To Interrupt QYR"));
  EXPECT_EQ(Host->CursorDepth, 0);
}

TEST_F(KirvoDialogue, RefusedRunCommandIsNoRun)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS485, true);
  S.SetReplyFault(ReplyFault::Error, "#107");

  EXPECT_FALSE(K().Run_Kirvo(RowQYR1));

  EXPECT_EQ(SqueezeBreaks(S.Received(), Break485), Break485 + AnsiString("99:#107;1000\r\n").repeated(5));
  EXPECT_EQ(LastStatus(), QStringLiteral("QYR Run Failed: ERROR Setting Parameter"));
  EXPECT_FALSE(ShownInOrder({"QYR in Run Mode"}));
  EXPECT_EQ(Core().PortData3, QStringLiteral("Run Failed"));
  EXPECT_EQ(Row(RowQYR1), (std::array<int32_t, 3>{1, 0, 1}));
  EXPECT_TRUE(KeepAlive());
  EXPECT_FALSE(Host->SioDataPacket(10)->Enabled());
}

TEST_F(KirvoDialogue, SilentStepIsGivenUpByTheWatchdog)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS485, true);
  S.SetReplyFault(ReplyFault::Silent, "#107");

  EXPECT_FALSE(K().Run_Kirvo(RowQYR1));

  // One attempt, then the watchdog's bare line end.
  EXPECT_EQ(SqueezeBreaks(S.Received(), Break485), Break485 + "99:#107;1000\r\n\r\n");
  EXPECT_EQ(LastStatus(), QStringLiteral("QYR Run Failed: No Reply: Setting Sampling Rate"));
  EXPECT_EQ(Core().PortData3, QStringLiteral("Run Failed"));
}

TEST_F(KirvoDialogue, KeepAliveOnlyBetweenDialogues)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS485, true);
  ASSERT_TRUE(K().Break_In_Kirvo(RowQYR1));
  S.ClearReceived();
  K().Timer4Timer();
  EXPECT_TRUE(S.WaitForReceived(Break485, 2000));
  EXPECT_EQ(Host->Panel1.back(), QStringLiteral("99:##"));

  // During a dialogue the instrument is talked to anyway; a keep-alive
  // there would be taken for a reply.
  bool Fired = false;
  Host->OnDelay = [&](int32_t) {
    if (!Fired && Host->Panel0.back() == QLatin1String("Setting Module Sampling Rate")) {
      Fired = true;
      K().Timer4Timer();
    }
  };
  S.ClearReceived();
  EXPECT_TRUE(K().Run_Kirvo(RowQYR1));
  EXPECT_TRUE(Fired);
  EXPECT_EQ(SqueezeBreaks(S.Received(), Break485),
            Break485 + "99:#107;1000\r\n99:#108\r\n00:#003;HOLD;1;1;60;NONE;1\r\n02:#004\r\n99:#028\r\n");
}

// The keep-alive is the bus's break string, also to an instrument on RS232.
TEST_F(KirvoDialogue, KeepAliveInRS232)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, true);
  ASSERT_TRUE(K().Break_In_Kirvo(RowQYR1));
  EXPECT_TRUE(KeepAlive());
  S.ClearReceived();
  K().Timer4Timer();
  EXPECT_TRUE(S.WaitForReceived(Break485, 2000)) << S.Received().toStdString();
  EXPECT_EQ(S.Received(), Break485);
}

TEST_F(KirvoDialogue, HangUpEndsTheDialogue)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, false);
  bool Hung = false;
  Host->OnDelay = [&](int32_t) {
    if (!Hung && S.Received().contains("#059")) {
      Hung = true;
      S.HangUp();
    }
  };
  EXPECT_FALSE(K().Set_Kirvo(RowQYR1));
  EXPECT_TRUE(Hung);
  EXPECT_EQ(LastStatus(), QStringLiteral("Module Setup Failed: Port Closed"));
  EXPECT_EQ(Core().PortData3, QStringLiteral("Setup Failed"));
  EXPECT_FALSE(Dialogues->Engine.Running());
}

} // namespace
