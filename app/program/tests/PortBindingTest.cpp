// Binding the fitted instrument slots and outputs to their ports and data
// packets, on pseudo-terminals standing in for the instruments.
#include "MainFormFixture.h"

#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"
#include "rtl/Strings.h"

#include <QAction>

namespace {

QByteArray Slot(int N, int Port, const char* Mode, int Packet, int Baud = 19200)
{
  return QStringLiteral("[Serial %1]\r\nFitted=1\r\nPort=%2\r\nMode=%3\r\nPacket=%4\r\nBaud=%5\r\n"
                        "Label=S%1\r\nUnits=u\r\n")
      .arg(N)
      .arg(Port)
      .arg(QLatin1String(Mode))
      .arg(Packet)
      .arg(Baud)
      .toLatin1();
}

} // namespace

TEST_F(TMainFormTest, BindsThePortsAndCarriesASampleFromInstrumentToOutput)
{
  PtyPair& Instrument = Pty(2);
  PtyPair& Survey = Pty(3);
  WriteSettings(Slot(0, 2, "RS232", 1, 9600) + Slot(1, 2, "RS232", 1) +
                "[Output 1]\r\nFitted=1\r\nPort=3\r\nBaud=38400\r\n");
  TMainForm& F = Start();

  TSioComPort* Com2 = F.SioComPort(2);
  TSioDataPacket* Packet1 = F.SioDataPacket(1);
  EXPECT_EQ(F.QuorndeckPort, Com2);
  EXPECT_TRUE(Com2->Open());
  EXPECT_EQ(Com2->Baud(), 9600);
  EXPECT_EQ(Packet1->ComPort(), Com2);
  EXPECT_TRUE(Packet1->Enabled());
  EXPECT_TRUE(Packet1->AutoEnable());
  EXPECT_EQ(Packet1->StartCond(), scString);
  EXPECT_EQ(F.OutputPort1, F.SioComPort(3));
  EXPECT_TRUE(F.OutputPort1->Open());
  EXPECT_EQ(F.OutputPort1->Baud(), 38400);
  // Slots 0 and 1 are sensors 0 and 1: values at 1 and 3.
  EXPECT_EQ(Core().ConductivityIndex, 1);
  EXPECT_EQ(Core().WP1Index, 3);
  EXPECT_EQ(Core().DataArray.size(), 6u);
  EXPECT_EQ(F.RowStates[SetupRowQuorndeck].RunMode, 1);
  EXPECT_TRUE(BindingProblems().isEmpty()) << BindingProblems().join(QLatin1Char('\n')).toStdString();

  ASSERT_TRUE(Instrument.WriteMaster("\n1500.1\tx\t10.5\tx\t12.3\tx\t5.5\tx\t42.1\t\r"));
  ASSERT_TRUE(PumpUntil([this] { return Core().Value(Core().ConductivityIndex) == QLatin1String("42.100"); }));
  EXPECT_EQ(Core().Value(Core().WP1Index), QStringLiteral("10.500"));

  const AnsiString Telegram = ReadUntil(Survey, "\r\n");
  EXPECT_TRUE(Telegram.endsWith("\r\n")) << Telegram.toStdString();
  EXPECT_TRUE(Telegram.contains("\t42.100")) << Telegram.toStdString();
  EXPECT_EQ(Core().PortData2, FromAnsi(Telegram));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(TMainFormTest, AHalfLineOnTheInstrumentsPortDoesNotCostTheLineAfterIt)
{
  // The packet collects from an LF to the next CR: a line whose CR was lost
  // comes in front of the good line that follows it.
  PtyPair& Instrument = Pty(2);
  WriteSettings(Slot(0, 2, "RS232", 1) + Slot(1, 2, "RS232", 1));
  Start();
  ASSERT_TRUE(Instrument.WriteMaster("\n1499.0\tx\t9.9\tx\t12"));
  ASSERT_TRUE(Instrument.WriteMaster("\n1500.1\tx\t10.5\tx\t12.3\tx\t5.5\tx\t42.1\t\r"));
  ASSERT_TRUE(PumpUntil([this] { return Core().Value(Core().ConductivityIndex) == QLatin1String("42.100"); }));
  EXPECT_EQ(Core().Value(Core().WP1Index), QStringLiteral("10.500"));
  EXPECT_EQ(Core().RejectedDataStrings, 0);
}

TEST_F(TMainFormTest, ModularSlotsStartOnTheirStartStringOnlyInRS485Mode)
{
  struct TCase {
    int Slot;
    int Port;
    const char* Mode;
    int Packet;
    TPacketStartCond Expected;
  };
  // Packet 11 has no start string: in RS485 mode it takes every line from
  // its first byte, like RS232, instead of refusing to be enabled.
  const TCase Cases[] = {
      {11, 4, "RS485", 11, scAnyData}, {12, 5, "RS485", 10, scString},  {13, 6, "RS232", 16, scAnyData},
      {14, 7, "RS485", 17, scString},  {15, 8, "RS232", 18, scAnyData},
  };
  QByteArray Settings = "[Serial 0]\r\nFitted=0\r\n";
  for (const TCase& C : Cases) {
    Pty(C.Port);
    Settings += Slot(C.Slot, C.Port, C.Mode, C.Packet);
  }
  WriteSettings(Settings);
  TMainForm& F = Start();

  TSioComPort* const PortVars[] = {F.AtmosPort, F.Kirvo1Port, F.Kirvo2Port, F.Kirvo3Port, F.Kirvo4Port};
  for (size_t I = 0; I < std::size(Cases); ++I) {
    const TCase& C = Cases[I];
    TSioDataPacket* P = F.SioDataPacket(C.Packet);
    EXPECT_EQ(P->StartCond(), C.Expected) << "slot " << C.Slot;
    EXPECT_TRUE(P->Enabled()) << "slot " << C.Slot;
    EXPECT_EQ(P->ComPort(), F.SioComPort(C.Port)) << "slot " << C.Slot;
    EXPECT_EQ(PortVars[I], F.SioComPort(C.Port)) << "slot " << C.Slot;
    EXPECT_TRUE(F.SioComPort(C.Port)->Open()) << "slot " << C.Slot;
  }
  EXPECT_EQ(F.RowStates[SetupRowAtmospheric].RunMode, 1);
  EXPECT_EQ(F.RowStates[SetupRowQYR1 + 3].RunMode, 1);
  EXPECT_EQ(F.RowStates[SetupRowQuorndeck].RunMode, 0);
  EXPECT_TRUE(BindingProblems().isEmpty()) << BindingProblems().join(QLatin1Char('\n')).toStdString();
  ASSERT_NE(SetupScreen(), nullptr);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(TMainFormTest, ASlotThatCannotBeBoundLeavesTheOthersBound)
{
  for (const int32_t N : {5, 6, 7})
    Pty(N);
  WriteSettings(QByteArray("[Serial 0]\r\nFitted=0\r\n") + Slot(12, 5, "RS232", 7) + // no such packet
                Slot(13, 9, "RS232", 10) +                                           // listed at start, gone when bound
                Slot(14, 6, "RS232", 16) +                                           // fine
                Slot(15, 7, "RS232", 16));                                           // packet 16 is already on COM6
  TMainForm& F = MakeForm();
  F.PortProbe = [](int32_t N) { return N == 5 || N == 6 || N == 7 || N == 9; };
  Start();

  EXPECT_TRUE(Core().PortData3.contains(QStringLiteral("packet 7"))) << Core().PortData3.toStdString();
  EXPECT_EQ(F.Kirvo1Port, F.SioComPort(5));
  EXPECT_TRUE(F.SioComPort(5)->Open());
  EXPECT_TRUE(Core().PortData4.contains(QStringLiteral("COM9 could not be bound"))) << Core().PortData4.toStdString();
  EXPECT_FALSE(F.SioComPort(9)->Open());
  EXPECT_EQ(F.SioDataPacket(16)->ComPort(), F.SioComPort(6));
  EXPECT_TRUE(F.SioDataPacket(16)->Enabled());
  EXPECT_TRUE(Core().PortData6.contains(QStringLiteral("already in use on COM6"))) << Core().PortData6.toStdString();
  EXPECT_EQ(F.Kirvo4Port, F.SioComPort(7));
  // Every slot is still a sensor, whether bound or not.
  EXPECT_EQ(Core().SensorCount, 4);
  EXPECT_TRUE(F.StatusText(0).startsWith(QStringLiteral("Settings: ")));
  EXPECT_TRUE(HasProblem({"[Serial 12]", "packet 7"}));
  ASSERT_NE(SetupScreen(), nullptr);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(TMainFormTest, AMissingPortRunsUnfittedButStaysFittedInTheFile)
{
  WriteSettings(QByteArray("[Serial 0]\r\nFitted=0\r\n") + Slot(12, 5, "RS232", 10) +
                "[Output 2]\r\nFitted=1\r\nPort=3\r\n[Serial 13]\r\nFitted=1\r\nPort=6\r\n");
  TMainForm& F = Start();

  EXPECT_FALSE(Core().SlotFitted(12));
  EXPECT_EQ(Core().QYR1Index, 0);
  EXPECT_EQ(F.Kirvo1Port, nullptr);
  EXPECT_TRUE(Core().PortData3.contains(QStringLiteral("COM5 was not found"))) << Core().PortData3.toStdString();
  EXPECT_EQ(Core().Output_2_Fitted, 0);
  EXPECT_TRUE(Core().PortData8.contains(QStringLiteral("COM3 was not found")));
  // The operator unfits slot 13 on the set-up screen: that one is stored.
  F.SetSlotFitted(13, false);

  F.Close();
  const QByteArray File = ReadSettings();
  EXPECT_TRUE(File.contains("[Serial 12]\r\nFitted=1\r\n"));
  EXPECT_TRUE(File.contains("[Output 2]\r\nFitted=1\r\n"));
  EXPECT_TRUE(File.contains("[Serial 13]\r\nFitted=0\r\n"));
}

TEST_F(TMainFormTest, SerialPortSetupBindsOnlyInstrumentSlotsToPortsOneToTwenty)
{
  Pty(19);
  TMainForm& F = Start();
  TSioComPort* Com = F.SioComPort(19);

  TSioComPort** const Vars[] = {&F.QuorndeckPort, &F.AtmosPort,  &F.Kirvo1Port,
                                &F.Kirvo2Port,    &F.Kirvo3Port, &F.Kirvo4Port};
  const int Slots[] = {0, 11, 12, 13, 14, 15};
  for (size_t I = 0; I < std::size(Slots); ++I) {
    F.SerialPortSetup(Slots[I], 19, 4800, nullptr);
    EXPECT_EQ(*Vars[I], Com) << Slots[I];
  }
  EXPECT_TRUE(Com->Open());
  EXPECT_EQ(Com->Baud(), 4800);

  // A computed item has no port; a port outside 1..20 changes nothing.
  F.SerialPortSetup(5, 18, 9600, F.SioDataPacket(1));
  EXPECT_NE(F.SioDataPacket(1)->ComPort(), F.SioComPort(18));
  EXPECT_THROW(F.SerialPortSetup(0, 21, 9600, F.SioDataPacket(1)), ERangeError);
  EXPECT_EQ(F.QuorndeckPort, Com);

  EXPECT_EQ(F.DataPacketSetup(10), F.SioDataPacket(10));
  for (int32_t N : {0, 2, 9, 12, 15, 19, -1})
    EXPECT_EQ(F.DataPacketSetup(N), nullptr) << N;
}

TEST_F(TMainFormTest, RebindingMovesThePacketAndLeavesTheOldPortOpen)
{
  Pty(3);
  PtyPair& Com4 = Pty(4);
  WriteSettings(Slot(0, 3, "RS232", 1));
  TMainForm& F = Start();
  ASSERT_EQ(F.SioDataPacket(1)->ComPort(), F.SioComPort(3));

  F.SerialPortSetup(0, 4, 19200, F.DataPacketSetup(1));

  EXPECT_EQ(F.SioDataPacket(1)->ComPort(), F.SioComPort(4));
  EXPECT_TRUE(F.SioDataPacket(1)->Enabled());
  EXPECT_EQ(F.QuorndeckPort, F.SioComPort(4));
  EXPECT_TRUE(F.SioComPort(3)->Open());
  ASSERT_TRUE(Com4.WriteMaster("\n1500\tx\t1\tx\t2\tx\t3\tx\t4\t\r"));
  EXPECT_TRUE(PumpUntil([this] { return Core().Value(Core().ConductivityIndex) == QLatin1String("4.000"); }));
}

TEST_F(TMainFormTest, ResetAddressModeSendsTheTypedAddress)
{
  PtyPair& Com2 = Pty(2);
  WriteSettings(Slot(0, 2, "RS485", 1));
  TMainForm& F = Start();
  QStringList Answers = {QString(), QStringLiteral("7")};
  F.InputQuery = [&Answers](const String& Caption, const String&, String& Value) {
    EXPECT_EQ(Caption, QStringLiteral("Reset Address Mode"));
    if (Answers.isEmpty())
      return false;
    Value = Answers.takeFirst();
    return true;
  };

  F.AddressMode1Click();

  EXPECT_EQ(Messages, QStringList{QStringLiteral("Please enter a value and try again")});
  EXPECT_EQ(F.CommandString, AnsiString("7:#005;OFF\r\n"));
  EXPECT_EQ(F.InputValue, QStringLiteral("7"));
  EXPECT_EQ(F.StatusText(1), QStringLiteral("7:#005;OFF"));
  EXPECT_EQ(ReadUntil(Com2, "\r\n"), AnsiString("7:#005;OFF\r\n"));

  // Cancelled: nothing sent.
  F.AddressMode1Click();
  EXPECT_EQ(Com2.ReadMaster(1, 50), AnsiString());
}

TEST_F(TMainFormTest, ResetAddressModeWithoutAnOpenPortSaysSo)
{
  TMainForm& F = Start();
  F.InputQuery = [](const String&, const String&, String& Value) {
    Value = QStringLiteral("01");
    return true;
  };
  F.AddressMode1Click();
  EXPECT_TRUE(F.StatusText(0).contains(QStringLiteral("not open")));
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(TMainFormTest, APacketTimeOutListensAgain)
{
  PtyPair& Instrument = Pty(2);
  WriteSettings(Slot(0, 2, "RS232", 1));
  TMainForm& F = Start();
  TSioDataPacket* Packet1 = F.SioDataPacket(1);
  ASSERT_TRUE(Packet1->Enabled());
  ASSERT_TRUE(Packet1->OnTimeout);

  // A time-out leaves the packet off; its handler arms it again.
  Packet1->SetEnabled(false);

  Packet1->OnTimeout(Packet1);

  EXPECT_TRUE(Packet1->Enabled());
  EXPECT_EQ(Packet1->ComPort(), F.SioComPort(2));
  ASSERT_TRUE(Instrument.WriteMaster("\n1500\tx\t1\tx\t2\tx\t3\tx\t4\t\r"));
  EXPECT_TRUE(PumpUntil([this] { return Core().Value(Core().ConductivityIndex) == QLatin1String("4.000"); }));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(TMainFormTest, WithoutASettingsFileSlotZeroIsTheInstrumentOnCom1WhenCom1IsThere)
{
  Pty(1);
  TMainForm& F = Start();

  EXPECT_TRUE(Core().SlotFitted(0));
  EXPECT_EQ(Core().ConductivityIndex, 1);
  EXPECT_EQ(Core().SensorCount, 1);
  EXPECT_EQ(F.QuorndeckPort, F.SioComPort(1));
  EXPECT_TRUE(F.SioComPort(1)->Open());
  EXPECT_EQ(F.SioDataPacket(1)->ComPort(), F.SioComPort(1));
  EXPECT_TRUE(F.SioDataPacket(1)->Enabled());
  EXPECT_TRUE(BindingProblems().filter(QStringLiteral("[Serial 0]")).isEmpty());
}
