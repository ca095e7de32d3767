#include "FakeDispatcher.h"
#include "serial/SioErrors.h"

#include <gtest/gtest.h>

namespace {

class Line : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_EQ(D.Open(), ecOK);
    D.SetStateCalls = 0;
    D.Sleeps.clear();
    D.Escapes.clear();
  }
  TFakeDispatcher D;
};

bool Contains(const std::vector<int32_t>& V, int32_t X) { return std::find(V.begin(), V.end(), X) != V.end(); }

} // namespace

TEST_F(Line, OpeningAppliesTheLine)
{
  EXPECT_EQ(D.DeviceState.BaudRate, 19200u);
  EXPECT_EQ(D.DeviceState.ByteSize, 8);
  EXPECT_EQ(D.DeviceState.Parity, 0);
  EXPECT_EQ(D.DeviceState.StopBits, 0);
  EXPECT_EQ(D.DeviceState.Flags & LineFlag::DtrControlMask, LineFlag::DtrEnable);
  EXPECT_EQ(D.DeviceState.Flags & LineFlag::RtsControlMask, LineFlag::RtsEnable);
  EXPECT_EQ(D.LastBaudValue(), 19200);
}

TEST_F(Line, UnchangedSettingsWriteNothing)
{
  EXPECT_EQ(D.SetLine(19200, 0, 8, 1), ecOK);
  EXPECT_EQ(D.SetLine(0, 5, 9, 3), ecOK) << "keep everything";
  EXPECT_EQ(D.ChangeBaud(19200), ecOK);
  EXPECT_EQ(D.SetStateCalls, 0);
  EXPECT_TRUE(D.Sleeps.empty()) << "no drain wait either";
}

TEST_F(Line, ChangeBaudKeepsTheCharacterFormat)
{
  ASSERT_EQ(D.ChangeBaud(9600), ecOK);
  int32_t Baud = 0;
  uint16_t Parity = 9;
  TDatabits Bits = 0;
  TStopbits Stop = 0;
  ASSERT_EQ(D.GetLine(Baud, Parity, Bits, Stop), ecOK);
  EXPECT_EQ(Baud, 9600);
  EXPECT_EQ(Parity, 0);
  EXPECT_EQ(Bits, 8);
  EXPECT_EQ(Stop, 1);
  EXPECT_EQ(D.SetStateCalls, 1);
}

TEST_F(Line, SettingsReachTheDevice)
{
  const struct {
    int32_t Baud;
    uint32_t Parity;
    TDatabits Bits;
    TStopbits Stop;
    uint8_t DevParity, DevBits, DevStop;
    TStopbits ReadStop;
  } Cases[] = {
      {4800, 2, 7, 2, 2, 7, 2, 2}, {9600, 1, 8, 1, 1, 8, 0, 1}, {9600, 4, 6, 0, 4, 6, 0, 1}, // below 1 counts as 1
      {9600, 0, 5, 2, 0, 5, 1, 2}, // 5 data bits: one and a half
      {9600, 3, 5, 1, 3, 5, 1, 2},
  };
  for (const auto& C : Cases) {
    ASSERT_EQ(D.SetLine(C.Baud, C.Parity, C.Bits, C.Stop), ecOK);
    EXPECT_EQ(D.DeviceState.BaudRate, uint32_t(C.Baud));
    EXPECT_EQ(D.DeviceState.Parity, C.DevParity);
    EXPECT_EQ(D.DeviceState.ByteSize, C.DevBits);
    EXPECT_EQ(D.DeviceState.StopBits, C.DevStop) << C.Bits << " " << C.Stop;
    int32_t Baud;
    uint16_t Parity;
    TDatabits Bits;
    TStopbits Stop;
    D.GetLine(Baud, Parity, Bits, Stop);
    EXPECT_EQ(Stop, C.ReadStop);
  }
}

TEST_F(Line, ArgumentsOutsideTheirTypesAreRefused)
{
  EXPECT_EQ(D.SetLine(-1, 0, 8, 1), ecBadArgument);
  EXPECT_EQ(D.SetLine(9600, 6, 8, 1), ecBadArgument);
  EXPECT_EQ(D.SetLine(9600, 0, 4, 1), ecBadArgument);
  EXPECT_EQ(D.SetLine(9600, 0, 10, 1), ecBadArgument);
  EXPECT_EQ(D.SetLine(9600, 0, 8, 4), ecBadArgument);
  EXPECT_EQ(D.SetStateCalls, 0);
}

TEST_F(Line, RefusedSettingsReportTheLibraryCode)
{
  D.Refuse = [](const TDCB& B) { return B.BaudRate == 12345 ? ecBaudRate : 0; };
  EXPECT_EQ(D.ChangeBaud(12345), ecBaudRate);
  EXPECT_EQ(D.DeviceState.BaudRate, 19200u) << "the device kept its line";
  EXPECT_EQ(D.LastBaudValue(), 19200);
}

TEST(RefusedLineCode, NamesTheSettingThatChanged)
{
  TDCB Cur;
  Cur.BaudRate = 19200;
  const auto With = [&](auto Edit) {
    TDCB B = Cur;
    Edit(B);
    return TSioBaseDispatcher::RefusedLineCode(Cur, B);
  };
  EXPECT_EQ(With([](TDCB& B) { B.BaudRate = 12345; }), ecBaudRate);
  EXPECT_EQ(With([](TDCB& B) { B.BaudRate = 0; }), ecBaudRate);
  EXPECT_EQ(With([](TDCB& B) { B.ByteSize = 5; }), ecByteSize);
  EXPECT_EQ(With([](TDCB& B) { B.ByteSize = 9; }), ecByteSize);
  EXPECT_EQ(With([](TDCB& B) { B.StopBits = 1; }), ecDefault);
  EXPECT_EQ(With([](TDCB& B) { B.Flags |= LineFlag::OutxDsrFlow; }), ecDefault);
}

TEST_F(Line, WaitTxSentWaitsForTheDrainAndEighteenCharacters)
{
  ASSERT_EQ(D.ChangeBaud(9600), ecOK);
  D.Sleeps.clear();
  D.WaitTxSent();
  EXPECT_EQ(D.Sleeps, std::vector<uint32_t>{19});
  // Pending output is polled every 2 ms until it has gone (here: never, so
  // the wait gives up after 5000 polls).
  D.PutString("abc");
  D.Sleeps.clear();
  D.WaitTxSent();
  ASSERT_EQ(D.Sleeps.size(), size_t(5001));
  EXPECT_EQ(D.Sleeps.front(), 2u);
  EXPECT_EQ(D.Sleeps.back(), 19u);
}

TEST_F(Line, DtrAndRtsUnderFlowControlAreNotSetByHand)
{
  ASSERT_EQ(D.HWFlowOptions(3000, 500, 2 | 8), ecOK);
  EXPECT_EQ(D.DeviceState.XoffLim, 1096);
  EXPECT_EQ(D.DeviceState.XonLim, 500);
  EXPECT_EQ(D.DeviceState.Flags & LineFlag::RtsControlMask, LineFlag::RtsHandshake);
  EXPECT_TRUE(D.DeviceState.Flags & LineFlag::OutxCtsFlow);
  D.Escapes.clear();
  EXPECT_EQ(D.SetRts(false), 1);
  EXPECT_FALSE(Contains(D.Escapes, 4));
  EXPECT_EQ(D.SetDtr(false), 0);
  EXPECT_TRUE(Contains(D.Escapes, 6));
  EXPECT_EQ(D.HWFlowState(), 2);
  D.HoldState.CtsHold = true;
  EXPECT_EQ(D.HWFlowState(), 4);
}

TEST_F(Line, FlowThresholdsAreChecked)
{
  EXPECT_EQ(D.HWFlowOptions(5000, 500, 2), ecBadArgument);
  EXPECT_EQ(D.HWFlowOptions(3000, 3001, 2), ecBadArgument);
  EXPECT_EQ(D.SWFlowEnable(5000, 0, 3), ecBadArgument);
  EXPECT_EQ(D.SetStateCalls, 0);
}

TEST_F(Line, RefusedFlowControlLeavesDtrAndRtsToTheUser)
{
  D.Refuse = [](const TDCB& B) {
    return (B.Flags & LineFlag::DtrControlMask) == LineFlag::DtrHandshake ? ecDefault : 0;
  };
  EXPECT_EQ(D.HWFlowOptions(3000, 500, 1), ecDefault);
  D.Escapes.clear();
  EXPECT_EQ(D.SetDtr(false), 0) << "the device has no DTR handshake, so DTR is still set by hand";
  EXPECT_TRUE(Contains(D.Escapes, 6));
}

TEST_F(Line, SoftwareFlowControl)
{
  ASSERT_EQ(D.SWFlowEnable(3072, 1024, 3), ecOK);
  EXPECT_TRUE(D.DeviceState.Flags & LineFlag::InX);
  EXPECT_TRUE(D.DeviceState.Flags & LineFlag::OutX);
  EXPECT_EQ(D.DeviceState.XoffLim, 1024);
  EXPECT_EQ(D.DeviceState.XonLim, 1024);
  EXPECT_EQ(D.SWFlowState(), 2);
  D.HoldState.XoffHold = true;
  EXPECT_EQ(D.SWFlowState(), 6);
  D.HoldState.XoffSent = true;
  EXPECT_EQ(D.SWFlowState(), 8);
  D.HoldState.XoffHold = false;
  EXPECT_EQ(D.SWFlowState(), 7);
  ASSERT_EQ(D.SWFlowChars('A', 'B'), ecOK);
  uint32_t HW = 9, SW = 9, Full = 0, Resume = 0;
  char On = 0, Off = 0;
  ASSERT_EQ(D.GetFlowOptions(HW, SW, Full, Resume, On, Off), 0);
  EXPECT_EQ(HW, 0u);
  EXPECT_EQ(SW, 3u);
  EXPECT_EQ(Full, 3072u);
  EXPECT_EQ(Resume, 1024u);
  EXPECT_EQ(On, 'A');
  EXPECT_EQ(Off, 'B');
  ASSERT_EQ(D.SWFlowDisable(), ecOK);
  EXPECT_EQ(D.SWFlowState(), 1);
  EXPECT_EQ(D.HWFlowState(), 1);
}

TEST_F(Line, LineErrorsByPriority)
{
  D.ErrorBits = LineError::Frame | LineError::Break;
  D.RefreshStatus();
  EXPECT_EQ(D.GetLineError(), 4);
  EXPECT_EQ(D.GetLineError(), 9) << "break stays pending";
  EXPECT_TRUE(D.CheckLineBreak());
  EXPECT_FALSE(D.CheckLineBreak());
  EXPECT_EQ(D.GetLineError(), 0);
  const struct {
    uint32_t Bits;
    int32_t Error;
  } Cases[] = {
      {LineError::RxOver | LineError::Frame, 1}, {LineError::Overrun, 2}, {LineError::RxParity | LineError::Frame, 3}};
  for (const auto& C : Cases) {
    D.ErrorBits = C.Bits;
    D.RefreshStatus();
    EXPECT_EQ(D.GetLineError(), C.Error) << C.Bits;
    EXPECT_EQ(D.GetLineError(), 0) << "all error bits cleared by the report";
  }
}

TEST_F(Line, ModemLineChangesAreReportedOnce)
{
  D.ModemLines = 0;
  D.GetModemStatus();
  D.ModemLines = ModemLine::Cts | ModemLine::Rlsd;
  D.MapEventsToMS(CommEvent::Cts);
  EXPECT_TRUE(D.CheckDeltaCTS());
  EXPECT_FALSE(D.CheckDeltaCTS());
  EXPECT_TRUE(D.CheckDeltaDCD());
  EXPECT_TRUE(D.CheckDCD());
  EXPECT_FALSE(D.CheckDeltaDCD());
  EXPECT_TRUE(D.CheckCTS());
  EXPECT_FALSE(D.CheckDSR());
  EXPECT_FALSE(D.CheckDeltaDSR());
  EXPECT_EQ(D.GetModemStatus(), ModemLine::Cts | ModemLine::Rlsd);
}

TEST_F(Line, ADeviceWithoutModemLinesIsAskedOnceAndReadsAllLow)
{
  struct Case {
    const char* Name;
    int32_t Result;     // what the device answers
    int32_t CallsAfter; // asks by the end: 1 when remembered
    uint8_t LinesShown; // the lines' state bits afterwards
  };
  const Case Cases[] = {
      {"lines", 0, 6, ModemLine::Cts | ModemLine::Dsr},
      {"no modem lines", -static_cast<int32_t>(SysErr::NotSupported), 1, 0},
      // A failing read is asked again each time and keeps the lines last seen.
      {"read failure", -static_cast<int32_t>(SysErr::GenFailure), 6, 0},
  };
  for (const Case& C : Cases) {
    D.ModemStatusResult = C.Result;
    D.ModemLines = ModemLine::Cts | ModemLine::Dsr;
    D.ModemStatusCalls = 0;
    D.DonePort();
    ASSERT_EQ(D.Open(), ecOK) << C.Name;
    // The open itself asks once; then the dispatch thread on every pass.
    for (int Pass = 0; Pass < 5; ++Pass)
      D.GetModemStatusPrim(0xFF);
    EXPECT_EQ(D.ModemStatusCalls, C.CallsAfter) << C.Name;
    EXPECT_EQ(D.GetModemStatus() & 0xF0, C.LinesShown) << C.Name;
    D.DonePort();
    // A device opened anew is asked again.
    D.ModemStatusCalls = 0;
    ASSERT_EQ(D.Open(), ecOK) << C.Name;
    EXPECT_EQ(D.ModemStatusCalls, 1) << C.Name;
  }
}

TEST_F(Line, BreakHoldsTheLineForTheTicks)
{
  D.SendBreak(0, false);
  EXPECT_EQ(D.Escapes, (std::vector<int32_t>{8, 9}));
  D.Escapes.clear();
  D.SetBreak(true);
  D.SetBreak(false);
  EXPECT_EQ(D.Escapes, (std::vector<int32_t>{8, 9}));
}

TEST_F(Line, FailingLineFunctionIsReported)
{
  D.EscapeResult = -1;
  EXPECT_EQ(D.SetDtr(true), ecBadArgument);
  EXPECT_EQ(D.SetModem(true, true), ecBadArgument);
}

TEST(ActualBaud, TranslatesLegacyRateCodes)
{
  const struct {
    int32_t Code, Rate;
  } Cases[] = {{0xFEFF, 115200}, {0xFF10, 110},    {0xFF16, 9600},  {0xFF18, 19200},
               {0xFF19, 0xFF19}, {0xFF1B, 38400},  {0xFF1F, 56000}, {0xFF23, 128000},
               {0xFF27, 256000}, {0xFF28, 0xFF28}, {9600, 9600},    {0, 0}};
  for (const auto& C : Cases)
    EXPECT_EQ(TSioBaseDispatcher::ActualBaud(C.Code), C.Rate) << std::hex << C.Code;
}
