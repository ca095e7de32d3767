// The profiling instrument's dialogues against the simulated instrument.
#include "DialogueFixture.h"

#include "app/instruments/QuorndeckProtocol.h"
#include "sim/InstrumentModel.h"
#include "sim/QuorndeckModel.h"

namespace {

using sim::InstrumentKind;
using sim::LineMode;
using sim::ReplyFault;

constexpr int32_t QPort = 3;

class QuorndeckDialogue : public TDialogueTest {
protected:
  // The profiling instrument on COM3 in Mode (slot 0 fitted with its
  // parameters), optionally with an atmospheric instrument.
  sim::InstrumentSimulator& Start(LineMode Mode, bool Running, const char* Address = "2",
                                  std::initializer_list<int32_t> Extra = {})
  {
    std::vector<int32_t> Fitted = {0, 1, 2, 3, 4};
    Fitted.insert(Fitted.end(), Extra);
    MakeHost(MakeDialogueCore(Fitted, [&](Array2D& Slots) {
      Slots[0][SerialMode] = Mode == LineMode::RS232 ? QStringLiteral("RS232") : QStringLiteral("RS485");
      Slots[0][SerialAddress] = QString::fromLatin1(Address);
      Slots[0][SerialPort] = QString::number(QPort);
      Slots[0][SerialTare] = QStringLiteral("0");
    }));
    sim::InstrumentSimulator& S = StartSim(InstrumentKind::Quorndeck, QPort, Mode, Running);
    Host->FQuorndeckPort = Host->SioComPort(QPort);
    Host->SioDataPacket(1)->SetComPort(Host->FQuorndeckPort);
    return S;
  }

  // A dialogue on an instrument already in command mode: the port opened
  // and the reply packets bound, as an interrupt leaves them.
  void Interrupted()
  {
    TSioComPort* P = Host->FQuorndeckPort;
    P->SetOpen(true);
    for (int32_t N = 2; N <= 9; ++N)
      Host->SioDataPacket(N)->SetComPort(P);
  }

  TQuorndeckProtocol& Q() { return Dialogues->Quorndeck; }
};

const AnsiString Interrogation = "#010\r\n#034\r\n#050\r\n#053\r\n#086;47\r\n";

TEST_F(QuorndeckDialogue, InterruptsAndInterrogatesInRS232)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, true);
  S.WithModel([](sim::InstrumentModel& M) {
    M.SetClockOffsetMs(5000);
    auto& Q = static_cast<sim::QuorndeckModel&>(M);
    Q.SetSerialNumber("QD-4711");
    Q.SetAltimeterType(2);
  });
  Host->Rows[1] = {0, 0, 1};

  EXPECT_TRUE(Q().Break_In_Quorndeck());

  EXPECT_EQ(SqueezeBreaks(S.Received(), "#\r\n"), "#\r\n" + Interrogation);
  EXPECT_TRUE(ShownInOrder({"Attempting to Interrupt Quorndeck", "Interrupted Instrument", "Getting Tare",
                            "Received Tare", "Getting Serial No", "Received Serial No", "Getting Density / Gravity",
                            "Received Density / Gravity", "Getting RTC Time", "Received RTC Date / Time",
                            "Getting Altimeter Type", "Received Altimeter Type", "Quorndeck Interrogated"}));
  EXPECT_EQ(LastStatus(), QStringLiteral("Quorndeck Interrogated"));
  EXPECT_EQ(Core().PortData1, QStringLiteral("Interrupted"));
  EXPECT_EQ(Host->Screen->StatusCell(1), QStringLiteral("Interrupted"));
  EXPECT_EQ(Row(1), (std::array<int32_t, 3>{1, 0, 0}));
  EXPECT_EQ(Core().serial_no, QStringLiteral("QD-4711"));
  EXPECT_EQ(Core().Pressure_Tare, 0.0);
  EXPECT_EQ(Core().pressure_tare_time, QStringLiteral("01/01/2007 00:00:00"));
  EXPECT_EQ(Host->Screen->PanelCaption(3), QStringLiteral("01/01/2007 00:00:00"));
  EXPECT_DOUBLE_EQ(Core().Local_Density, 1023.0147);
  EXPECT_DOUBLE_EQ(Core().Local_Gravity, 9.8167459);
  EXPECT_EQ(Core().Altimeter_Flag, 2);
  EXPECT_EQ(Host->Screen->RadioGroup1ItemIndex(), 2);
  ASSERT_TRUE(Host->ClockSet);
  EXPECT_EQ(Host->Clock.Instrument_Clock_Offset, 5000);
  // The reply text, echo removed, in panel 1.
  EXPECT_EQ(Host->Panel1.back(), QStringLiteral("47;2;2"));
  EXPECT_EQ(Host->CursorDepth, 0);
  EXPECT_FALSE(Host->SioDataPacket(1)->Enabled());
}

TEST_F(QuorndeckDialogue, ScansTheAddressesInRS485AndKeepsTheOneThatAnswered)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS485, true, "7");
  S.SetAddress(3);
  S.WithModel([](sim::InstrumentModel& M) { M.SetClockOffsetMs(-60000); });

  EXPECT_TRUE(Q().Break_In_Quorndeck());

  AnsiString Got = S.Received();
  for (const char* Break : {"01:#\r\n", "02:#\r\n", "03:#\r\n"})
    Got = SqueezeBreaks(Got, Break);
  // The silent addresses, then the one that answers.
  EXPECT_EQ(Got, "01:#\r\n02:#\r\n03:#\r\n03:#010\r\n03:#034\r\n03:#050\r\n03:#053\r\n03:#086;47\r\n");
  // Nine tries at each silent address, at least one at the third.
  EXPECT_GE(Host->PausesOf(12), 2 * 9 + 1);
  EXPECT_LE(Host->PausesOf(12), 3 * 9);
  EXPECT_EQ(Core().SerialArray[0][SerialAddress], QStringLiteral("3"));
  EXPECT_EQ(Host->Clock.Instrument_Clock_Offset, -60000);
  EXPECT_EQ(LastStatus(), QStringLiteral("Quorndeck Interrogated"));
}

TEST_F(QuorndeckDialogue, SilentInstrumentFailsToInterruptAfterNineBreaks)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, true);
  S.SetReplyFault(ReplyFault::Silent);

  EXPECT_FALSE(Q().Break_In_Quorndeck());

  // Nine tries, each followed by its 12-tick wait.
  EXPECT_EQ(Host->PausesOf(12), 9);
  EXPECT_TRUE(RepeatsOf(S.Received(), "#\r\n", 9)) << S.Received().toStdString();
  EXPECT_EQ(LastStatus(), QStringLiteral("Instrument Failed To Interrupt"));
  EXPECT_EQ(Core().PortData1, QStringLiteral("Failed To Interrupt"));
  EXPECT_EQ(Host->Screen->StatusCell(1), QStringLiteral("Failed To Interrupt"));
  // Interrupt can be pressed again.
  EXPECT_EQ(Row(1), (std::array<int32_t, 3>{0, 0, 1}));
  EXPECT_EQ(Host->CursorDepth, 0);
}

// An answer that comes in the pause after the ninth break string is an
// answer.
TEST_F(QuorndeckDialogue, AnswerAfterTheLastBreakCounts)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, false);
  S.SetReplyFault(ReplyFault::Silent);
  // The pause after the ninth break string is the ninth of 12 ticks.
  int32_t Waits = 0;
  Host->OnDelay = [&](int32_t Ticks) {
    if (Ticks == 12 && ++Waits == 9) {
      S.SetReplyFault(ReplyFault::None);
      Q().SioDataPacket8Packet();
    }
  };
  EXPECT_TRUE(Q().Break_In_Quorndeck());
  EXPECT_EQ(SqueezeBreaks(S.Received(), "#\r\n"), "#\r\n" + Interrogation);
  EXPECT_EQ(Host->PausesOf(12), 9);
}

// A step whose replies fail is tried five times, then ends the dialogue with
// a status naming it; later steps are not sent.
TEST_F(QuorndeckDialogue, FailedInterrogationStepEndsTheDialogue)
{
  struct TCase {
    const char* Name;
    ReplyFault Fault;
    const char* Command;
    AnsiString Sent; // after the break-in
    const char* Status;
  };
  const TCase Cases[] = {
      {"ERROR", ReplyFault::Error, "#010", AnsiString("#010\r\n").repeated(5),
       "Quorndeck Interrogation Failed: ERROR Reading Tare"},
      {"silence", ReplyFault::Silent, "#034", "#010\r\n" + AnsiString("#034\r\n").repeated(5),
       "Quorndeck Interrogation Failed: No Reply Reading Serial No"},
      {"garbage", ReplyFault::Garbage, "#050", "#010\r\n#034\r\n" + AnsiString("#050\r\n").repeated(5),
       "Quorndeck Interrogation Failed: No Reply Reading Local Density / Gravity Values"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    sim::InstrumentSimulator& S = Start(LineMode::RS232, true);
    S.SetReplyFault(C.Fault, C.Command);

    EXPECT_FALSE(Q().Break_In_Quorndeck());

    EXPECT_EQ(SqueezeBreaks(S.Received(), "#\r\n"), "#\r\n" + C.Sent);
    EXPECT_EQ(LastStatus(), QString::fromLatin1(C.Status));
    EXPECT_EQ(Core().PortData1, QStringLiteral("Interrogation Failed"));
    EXPECT_FALSE(ShownInOrder({"Quorndeck Interrogated"}));
    EXPECT_EQ(Row(1), (std::array<int32_t, 3>{1, 0, 1}));
    Reset();
  }
}

TEST_F(QuorndeckDialogue, AltimeterTypeOutOfRangeIsAskedAgainThenGivenUp)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, true);
  S.WithModel([](sim::InstrumentModel& M) { static_cast<sim::QuorndeckModel&>(M).SetAltimeterType(3); });
  EXPECT_FALSE(Q().Break_In_Quorndeck());
  EXPECT_TRUE(S.Received().endsWith("#053\r\n" + AnsiString("#086;47\r\n").repeated(5))) << S.Received().toStdString();
  EXPECT_EQ(LastStatus(), QStringLiteral("Quorndeck Interrogation Failed: ERROR Reading Altimeter Type"));
  EXPECT_EQ(Core().Altimeter_Flag, 0);
}

TEST_F(QuorndeckDialogue, SetsUpInRS232)
{
  struct TCase {
    const char* Tare;
    AnsiString TareCommand;
    double OnTare;
  };
  const TCase Cases[] = {
      {"0", "#003;CONT;4;10;60;NONE;2\r\n", 0.0}, // no tare: the previous command again
      {"1", "#009;21\r\n", 1013.25},
      {"2", "#009;USER;0\r\n", 0.0},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Tare);
    sim::InstrumentSimulator& S = Start(LineMode::RS232, false, "2", {slAP1});
    Interrupted();
    Core().SerialArray[0][SerialTare] = QString::fromLatin1(C.Tare);
    Core().DataArray[static_cast<size_t>(Core().AP1Index)] = QStringLiteral("1013.250");
    Core().Atmos_Pressure_On_Tare = 77;
    Core().Altimeter_Flag = 1;
    Core().Output_Frequency = QStringLiteral("4");

    EXPECT_TRUE(Q().Set_Quorndeck());

    EXPECT_EQ(S.Received(), "#005;OFF\r\n00:#005;OFF\r\n#049;1023.0147;9.8167459\r\n#085;47;1;1\r\n"
                            "#003;CONT;4;10;60;NONE;2\r\n" +
                                C.TareCommand + "#034\r\n#050\r\n#053\r\n#086;47\r\n#010\r\n");
    EXPECT_TRUE(ShownInOrder({"Setting Address Mode to OFF", "Parameter Set", "Setting Address Mode to OFF",
                              "Parameter Set", "Setting Density / Gravity", "Parameter Set", "Setting Altimeter Type",
                              "Parameter Set", "Setting Output Frequency", "Parameter Set", "Getting Serial No",
                              "Received Serial No", "Getting Tare", "Received Tare", "Quorndeck Set-Up Complete"}));
    EXPECT_EQ(LastStatus(), QStringLiteral("Quorndeck Set-Up Complete"));
    EXPECT_EQ(Core().PortData1, QStringLiteral("Setup Complete"));
    EXPECT_EQ(Row(1), (std::array<int32_t, 3>{1, 0, 0}));
    EXPECT_EQ(Host->IniWrites, 1);
    EXPECT_TRUE(Host->Messages.empty());
    EXPECT_DOUBLE_EQ(Core().Atmos_Pressure_On_Tare, C.Tare == std::string("0") ? 77.0 : C.OnTare);
    Reset();
  }
}

// Into address mode: the plain "address mode off" goes unheard on the bus,
// the one to address 00 is heard, and the operator is told how to undo it.
TEST_F(QuorndeckDialogue, SetsUpInRS485)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS485, false, "02");
  S.SetAddress(2);
  Interrupted();

  EXPECT_TRUE(Q().Set_Quorndeck());

  EXPECT_EQ(S.Received(), AnsiString("#005;OFF\r\n").repeated(5) +
                              "00:#005;OFF\r\n#005;ON\r\n02:#049;1023.0147;9.8167459\r\n02:#085;47;0;0\r\n"
                              "02:#003;CONT;1;10;60;NONE;2\r\n02:#003;CONT;1;10;60;NONE;2\r\n02:#034\r\n02:#050\r\n02:#"
                              "053\r\n02:#086;47\r\n02:#010\r\n");
  ASSERT_EQ(Host->Messages.size(), 1u);
  EXPECT_EQ(Host->Messages[0], TQuorndeckProtocol::AddressModeMessage());
  EXPECT_EQ(LastStatus(), QStringLiteral("Quorndeck Set-Up Complete"));
  EXPECT_EQ(S.Mode(), LineMode::RS485);
}

// A set command the instrument refuses is not reported as set up.
TEST_F(QuorndeckDialogue, RefusedSetCommandIsNoSetUp)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, false);
  Interrupted();
  S.SetReplyFault(ReplyFault::Error, "#049");

  EXPECT_FALSE(Q().Set_Quorndeck());

  EXPECT_EQ(S.Received(), "#005;OFF\r\n00:#005;OFF\r\n" + AnsiString("#049;1023.0147;9.8167459\r\n").repeated(5));
  EXPECT_EQ(LastStatus(), QStringLiteral("Quorndeck Set-Up Failed: ERROR Setting Parameter"));
  EXPECT_FALSE(ShownInOrder({"Quorndeck Set-Up Complete"}));
  EXPECT_EQ(Core().PortData1, QStringLiteral("Setup Failed"));
  EXPECT_EQ(Row(1), (std::array<int32_t, 3>{1, 0, 1}));
  EXPECT_EQ(Host->IniWrites, 0);
}

// Text from the settings that would end up in a command is checked first.
TEST_F(QuorndeckDialogue, RefusesSettingsThatAreNoCommandText)
{
  struct TCase {
    const char* Name;
    std::function<void(TCoreData&)> Edit;
    const char* Status;
  };
  const TCase Cases[] = {
      {"address with a command", [](TCoreData& C) { C.SerialArray[0][SerialAddress] = QStringLiteral("2\r\n#009;21"); },
       "Quorndeck Set-Up Failed: Invalid Address \"2\r\n#009;21\""},
      {"address of three digits", [](TCoreData& C) { C.SerialArray[0][SerialAddress] = QStringLiteral("100"); },
       "Quorndeck Set-Up Failed: Invalid Address \"100\""},
      {"frequency with a command",
       [](TCoreData& C) {
         C.SerialArray[0][SerialMode] = QStringLiteral("RS232");
         C.Output_Frequency = QStringLiteral("1;10;60;NONE;2\r\n#009;21");
       },
       "Quorndeck Set-Up Failed: Invalid Output Frequency \"1;10;60;NONE;2\r\n#009;21\""},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    sim::InstrumentSimulator& S = Start(LineMode::RS485, false);
    Interrupted();
    C.Edit(Core());
    EXPECT_FALSE(Q().Set_Quorndeck());
    EXPECT_EQ(LastStatus(), QString::fromLatin1(C.Status));
    EXPECT_TRUE(S.Received().isEmpty()) << S.Received().toStdString();
    Reset();
  }
}

TEST_F(QuorndeckDialogue, RunsAndListensForDataStrings)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, false);
  Interrupted();
  S.SetIntervalMs(50);

  EXPECT_TRUE(Q().Run_Quorndeck());

  EXPECT_EQ(S.Received(), "#028\r\n");
  EXPECT_TRUE(ShownInOrder({"Setting into Run Mode", "Quorndeck Running"}));
  EXPECT_EQ(Host->Panel1.back(), QStringLiteral("#028"));
  EXPECT_EQ(Core().PortData1, QStringLiteral("Waiting"));
  EXPECT_EQ(Row(1), (std::array<int32_t, 3>{0, 0, 1}));
  // A packet that has just matched a data string is off until its event has
  // run on this thread and switched it on again.
  EXPECT_TRUE(PumpUntil([this] { return Host->SioDataPacket(1)->Enabled(); }));
  EXPECT_TRUE(Host->SioDataPacket(1)->AutoEnable());
  // The instrument's data strings now reach the sample road.
  EXPECT_TRUE(PumpUntil([this] { return Core().PortData1.contains(QLatin1Char('\t')); }));
}

TEST_F(QuorndeckDialogue, SetsTheClockAndReadsItBack)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS485, false);
  S.SetAddress(2);
  S.WithModel([](sim::InstrumentModel& M) { M.SetClockOffsetMs(-3600000); });
  Interrupted();

  EXPECT_TRUE(Q().Set_Time());

  EXPECT_EQ(S.Received(), "02:#052;08;12;26;19;30;35\r\n02:#053\r\n");
  EXPECT_TRUE(ShownInOrder({"Setting Time", "Parameter Set", "Getting RTC Date / Time", "Received RTC Date / Time",
                            "Clock Set-Up Complete"}));
  ASSERT_TRUE(Host->ClockSet);
  EXPECT_EQ(Host->Clock.Instrument_Clock_Offset, 0);
}

TEST_F(QuorndeckDialogue, LateRepliesWithinTheWaitAreTaken)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, false);
  Interrupted();
  S.SetReplyDelayMs(150);
  EXPECT_TRUE(Q().Set_Time());
  EXPECT_EQ(S.Received(), "#052;08;12;26;19;30;35\r\n#053\r\n");
}

// Replies that come after every wait has given up: each attempt ends, the
// dialogue ends with a clear status, and a reply of an earlier attempt is
// never taken for a later one.
TEST_F(QuorndeckDialogue, RepliesTooLateEndTheDialogue)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, false);
  Interrupted();
  S.SetReplyDelayMs(10000);
  EXPECT_FALSE(Q().Set_Time());
  EXPECT_EQ(LastStatus(), QStringLiteral("Clock Set-Up Failed: No Reply: Setting Time"));
  EXPECT_EQ(S.Received().left(5 * 24), AnsiString("#052;08;12;26;19;30;35\r\n").repeated(5));
}

TEST_F(QuorndeckDialogue, HangUpEndsTheDialogue)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, false);
  Interrupted();
  S.HangUpMidLine();
  EXPECT_FALSE(Q().Set_Quorndeck());
  EXPECT_EQ(LastStatus(), QStringLiteral("Quorndeck Set-Up Failed: Port Closed"));
  EXPECT_EQ(Core().PortData1, QStringLiteral("Setup Failed"));
  EXPECT_EQ(Host->CursorDepth, 0);
}

// A second press while a dialogue runs starts nothing: no settings saved,
// nothing sent.
TEST_F(QuorndeckDialogue, SecondPressWhileRunningDoesNothing)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, true);
  int32_t Tries = 0;
  bool Started = false;
  Host->OnDelay = [&](int32_t) {
    if (Tries++ == 3) {
      Started = Started || Dialogues->ButtonClick(SetupColumnInterrupt, 1);
      Started = Started || Dialogues->ButtonClick(SetupColumnRun, 6);
      Started = Started || Q().Set_Time();
    }
  };
  EXPECT_TRUE(Dialogues->ButtonClick(SetupColumnInterrupt, 1));
  EXPECT_FALSE(Started);
  EXPECT_EQ(Host->IniWrites, 1);
  EXPECT_EQ(SqueezeBreaks(S.Received(), "#\r\n"), "#\r\n" + Interrogation);
  EXPECT_FALSE(Dialogues->Engine.Running());
}

TEST_F(QuorndeckDialogue, ButtonsReachTheDialogues)
{
  sim::InstrumentSimulator& S = Start(LineMode::RS232, true);
  EXPECT_FALSE(Dialogues->ButtonClick(8, 1));              // the tare cell is no button
  EXPECT_FALSE(Dialogues->ButtonClick(SetupColumnSet, 3)); // an output row
  EXPECT_EQ(Host->IniWrites, 0);
  EXPECT_TRUE(Dialogues->ButtonClick(SetupColumnInterrupt, 1));
  EXPECT_TRUE(Dialogues->ButtonClick(SetupColumnSet, 1));
  EXPECT_TRUE(Dialogues->SetTimeClick());
  EXPECT_TRUE(Dialogues->ButtonClick(SetupColumnRun, 1));
  EXPECT_EQ(Host->IniWrites, 3 + 1); // each button, and the set-up's own
  EXPECT_TRUE(S.Received().endsWith("#052;08;12;26;19;30;35\r\n#053\r\n#028\r\n")) << S.Received().toStdString();
}

} // namespace
