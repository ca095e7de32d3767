// The main window's hidden terminal on the second port.
#include "MainFormFixture.h"

#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"
#include "serial/terminal/SioTerminal.h"

namespace {

AnsiString Trimmed(AnsiString S)
{
  while (S.endsWith(' '))
    S.chop(1);
  return S;
}

} // namespace

TEST_F(TMainFormTest, TheHiddenTerminalFollowsTheSecondPortBesideItsPacket)
{
  PtyPair& Instrument = Pty(2);
  WriteSettings("[Serial 0]\r\nFitted=1\r\nPort=2\r\nMode=RS232\r\nPacket=1\r\nBaud=19200\r\n"
                "Label=SV\r\nUnits=m/s\r\n");
  TMainForm& F = Start();

  TSioTerminal* T = F.SioTerminal1;
  ASSERT_NE(T, nullptr);
  EXPECT_EQ(T->Name(), QStringLiteral("SioTerminal1"));
  EXPECT_FALSE(T->Visible());
  EXPECT_FALSE(T->Enabled());
  EXPECT_EQ(T->ComPort(), F.SioComPort(2));
  EXPECT_EQ(F.SioComPort(2)->MasterTerminal(), T);
  EXPECT_EQ(T->CaptureFile(), QStringLiteral("TELVTERM.CAP"));
  EXPECT_EQ(T->Capture(), cmOff);
  EXPECT_FALSE(T->Scrollback());
  EXPECT_EQ(T->BoundsRect(), (TRect{8, 8, 308, 208}));
  ASSERT_TRUE(F.SioComPort(2)->Open());
  ASSERT_TRUE(PumpUntil([T] { return T->Attached(); }));

  // The data string reaches the instrument's packet as before, and the
  // terminal shows it too.
  ASSERT_TRUE(Instrument.WriteMaster("\n1500.1\tx\t10.5\tx\t12.3\tx\t5.5\tx\t42.1\t\r"));
  ASSERT_TRUE(PumpUntil([this] { return Core().Value(Core().ConductivityIndex) == QLatin1String("42.100"); }));
  ASSERT_TRUE(PumpUntil([T] { return T->Line(2).startsWith("1500.1"); }));
  EXPECT_EQ(Trimmed(T->Line(2)), AnsiString("1500.1  x       10.5    x       12.3    x       5.5     x       42.1"));
}
