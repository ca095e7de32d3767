// The port component, on pseudo-terminals and on the scripted device.
#include "serial/SioComPort.h"

#include "FakeDispatcher.h"
#include "PortTestSupport.h"
#include "platform/Messages.h"
#include "platform/PtyPair.h"
#include "platform/Thread.h"
#include "rtl/Exceptions.h"
#include "serial/SioDataPacket.h"
#include "serial/SioErrors.h"
#include "serial/SioExceptions.h"
#include "serial/SioWin32Dispatcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr uint16_t TestCom = 221;

class PtyPort : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Pty.IsOpen());
    ShownMessages().clear();
    Port.SetComNumber(TestCom);
    Port.SetPromptForPort(false);
    Port.SetAutoOpen(false);
    Port.OnPortOpen = [this](TObject*) { Events.push_back("open"); };
    Port.OnPortClose = [this](TObject*) { Events.push_back("close"); };
  }

  PtyPair Pty;
  ScopedEnv Env{"FATHOMIX_COM221", Pty.SlavePath()};
  std::vector<std::string> Events; // outlives the port, which closes as it goes
  TSioComPort Port{nullptr};
};

// Binds Packet to Port to deliver the profiling instrument's lines,
// "\n...\r", without their start and end strings.
void MatchProfilingLines(TSioDataPacket& Packet, TSioComPort& Port)
{
  Packet.SetComPort(&Port);
  Packet.SetStartString("\n");
  Packet.SetEndString("\r");
  Packet.SetEndCond(EndBit(ecString));
  Packet.SetIncludeStrings(false);
}

template <class E>
int32_t RaisedCode(const std::function<void()>& F)
{
  try {
    F();
  } catch (const E& Ex) {
    return Ex.ErrorCode();
  }
  return 0;
}

} // namespace

TEST_F(PtyPort, OpensSendsAndCloses)
{
  Port.SetOpen(true);
  ASSERT_TRUE(Port.Open());
  EXPECT_EQ(Port.PortStateValue(), psOpen);
  Port.PutString("#001\r\n");
  Port.PutString(QStringLiteral("caf\u00e9"));
  EXPECT_EQ(Pty.ReadMaster(10, WaitLimitMs), AnsiString("#001\r\ncaf\xe9"));
  Port.FlushOutBuffer();
  Port.SetOpen(false);
  EXPECT_FALSE(Port.Open());
  EXPECT_EQ(Port.PortStateValue(), psClosed);
  EXPECT_EQ(Events, (std::vector<std::string>{"open", "close"}));
  EXPECT_EQ(ShownMessages(), std::vector<String>());
}

TEST_F(PtyPort, OpeningWithoutANumberOrADevice)
{
  TSioComPort NoNumber(nullptr);
  NoNumber.SetPromptForPort(false);
  EXPECT_EQ(RaisedCode<ENoPortSelected>([&] { NoNumber.SetOpen(true); }), ecNoPortSelected);
  EXPECT_FALSE(NoNumber.Open());
  EXPECT_EQ(NoNumber.ActiveDispatcher(), nullptr);

  ScopedEnv Nowhere("FATHOMIX_COM222", QStringLiteral("/nonexistent/tty"));
  TSioComPort Missing(nullptr);
  Missing.SetComNumber(222);
  Missing.SetPromptForPort(false);
  try {
    Missing.SetOpen(true);
    ADD_FAILURE() << "opened a missing device";
  } catch (const EBadId& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("ie_BadId - Specified comport doesn't exist"));
  }
  EXPECT_FALSE(Missing.Open());

  Port.SetOpen(true);
  TSioComPort Other(nullptr);
  Other.SetComNumber(TestCom);
  Other.SetPromptForPort(false);
  try {
    Other.SetOpen(true);
    ADD_FAILURE() << "opened a port in use";
  } catch (const EAlreadyOpen& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("ie_Open - device already open"));
  }
}

TEST_F(PtyPort, ClosedPortCallsFailOrReadDefaults)
{
  Port.SetOutSize(1000);
  EXPECT_EQ(Port.InBuffFree(), 8192);
  EXPECT_EQ(Port.OutBuffFree(), 1000);
  EXPECT_EQ(Port.InBuffUsed(), 0);
  EXPECT_FALSE(Port.CTS());
  EXPECT_EQ(RaisedCode<ECommNotOpen>([&] { Port.PutString("x"); }), ecCommNotOpen);
  Port.SetAutoOpen(true);
  Port.PutString("auto");
  EXPECT_TRUE(Port.Open()) << "AutoOpen opens on first use";
  EXPECT_EQ(Pty.ReadMaster(4, WaitLimitMs), AnsiString("auto"));
}

TEST_F(PtyPort, BaudIsStoredWhileClosedAndAppliedWhenOpen)
{
  Port.SetBaud(4800);
  EXPECT_EQ(Port.ActiveDispatcher(), nullptr);
  Port.SetOpen(true);
  int32_t Baud = 0;
  uint16_t Parity;
  TDatabits Bits;
  TStopbits Stop;
  Port.ActiveDispatcher()->GetLine(Baud, Parity, Bits, Stop);
  EXPECT_EQ(Baud, 4800);
  Port.SetBaud(9600);
  Port.ActiveDispatcher()->GetLine(Baud, Parity, Bits, Stop);
  EXPECT_EQ(Baud, 9600);
  Port.SetParity(pEven);
  Port.SetDataBits(7);
  Port.ActiveDispatcher()->GetLine(Baud, Parity, Bits, Stop);
  EXPECT_EQ(Parity, pEven);
  EXPECT_EQ(Bits, 7);
}

TEST_F(PtyPort, RefusedFlowControlRaisesAndTheSettingStays)
{
  Port.SetOpen(true);
  EXPECT_EQ(RaisedCode<EDefault>([&] { Port.SetHWFlowOptions(HWFlowBit(hwfUseDTR)); }), ecDefault);
  Port.SetHWFlowOptions(HWFlowBit(hwfUseRTS) | HWFlowBit(hwfRequireCTS));
  EXPECT_EQ(Port.FlowState(), fcOn);
}

TEST_F(PtyPort, TriggerEventsRunOnTheMainThread)
{
  AnsiString Got;
  std::vector<uint16_t> DataHandles;
  Port.SetOnTriggerAvail([&](TObject* CP, uint16_t Count) {
    EXPECT_EQ(CP, &Port);
    EXPECT_TRUE(IsMainThread());
    AnsiString Bytes(Count, '\0');
    Port.GetBlock(Bytes.data(), Count);
    Got += Bytes;
  });
  Port.SetOnTriggerData([&](TObject*, uint16_t Handle) { DataHandles.push_back(Handle); });
  Port.SetOpen(true);
  const uint16_t End = Port.AddDataTrigger("END", true);
  ASSERT_TRUE(Pty.WriteMaster("abc end"));
  ASSERT_TRUE(PumpUntil([&] { return Got == "abc end" && !DataHandles.empty(); }));
  EXPECT_EQ(DataHandles, std::vector<uint16_t>{End});

  // Triggers live on across a close and the next open.
  Port.SetOpen(false);
  Port.SetOpen(true);
  DataHandles.clear();
  Got.clear();
  ASSERT_TRUE(Pty.WriteMaster("END"));
  ASSERT_TRUE(PumpUntil([&] { return !DataHandles.empty(); }));
  EXPECT_EQ(DataHandles, std::vector<uint16_t>{End});
}

TEST_F(PtyPort, TriggersBroughtBackAtAnOpenMatchTheBytesThatCameFirst)
{
  // The instrument sends while the port is closed; at the next open its
  // threads read those bytes at once, while the port is still bringing back
  // its triggers. The string must be matched all the same, every time.
  std::vector<uint16_t> DataHandles;
  Port.SetOnTriggerData([&](TObject*, uint16_t Handle) { DataHandles.push_back(Handle); });
  Port.SetOpen(true);
  const uint16_t End = Port.AddDataTrigger("END", true);
  for (size_t Round = 1; Round <= 20; ++Round) {
    Port.SetOpen(false);
    ASSERT_TRUE(Pty.WriteMaster("x END"));
    Port.SetOpen(true);
    ASSERT_TRUE(PumpUntil([&] { return DataHandles.size() >= Round; })) << "round " << Round;
    EXPECT_EQ(DataHandles, std::vector<uint16_t>(Round, End));
  }
}

TEST_F(PtyPort, TimerTriggerEvent)
{
  std::vector<uint16_t> Fired;
  Port.SetOnTriggerTimer([&](TObject*, uint16_t Handle) { Fired.push_back(Handle); });
  Port.SetOpen(true);
  const uint16_t T = Port.AddTimerTrigger();
  Port.SetTimerTrigger(T, 1, true);
  ASSERT_TRUE(PumpUntil([&] { return !Fired.empty(); }));
  EXPECT_EQ(Fired, std::vector<uint16_t>{T});
}

TEST_F(PtyPort, OutputSentStatusTrigger)
{
  int32_t Sent = 0;
  Port.SetOnTriggerOutSent([&](TObject*) { ++Sent; });
  Port.SetOpen(true);
  const uint16_t S = Port.AddStatusTrigger(StatusOutSent);
  Port.SetStatusTrigger(S, 0, true);
  Port.PutString("x");
  ASSERT_TRUE(PumpUntil([&] { return Sent == 1; }));
}

TEST_F(PtyPort, CloseFromItsOwnHandlerAndOpenAgainAtOnce)
{
  int32_t Calls = 0;
  TSioBaseDispatcher* First = nullptr;
  Port.SetOnTriggerAvail([&](TObject*, uint16_t) {
    ++Calls;
    Port.SetOpen(false); // inside the dispatcher's notification
    EXPECT_FALSE(Port.Open());
    Port.SetOpen(true); // waits for the close to complete
  });
  Port.SetOpen(true);
  First = Port.ActiveDispatcher();
  ASSERT_TRUE(Pty.WriteMaster("x"));
  ASSERT_TRUE(PumpUntil([&] { return Calls == 1 && Port.Open(); }));
  EXPECT_EQ(Events, (std::vector<std::string>{"open", "close", "open"}));
  EXPECT_EQ(Port.PortStateValue(), psOpen);
  EXPECT_NE(Port.ActiveDispatcher(), nullptr);
  Port.PutString("again");
  EXPECT_EQ(Pty.ReadMaster(5, WaitLimitMs), AnsiString("again"));
  (void)First;
}

TEST_F(PtyPort, AVanishedDeviceClosesThePortAndTellsTheUser)
{
  Port.SetOpen(true);
  auto* D = dynamic_cast<TSioWin32Dispatcher*>(Port.ActiveDispatcher());
  ASSERT_NE(D, nullptr);
  Pty.CloseMaster();
  // Before the main thread has heard of it, bytes sent on the dead port are
  // refused, never taken and lost.
  const auto Until = std::chrono::steady_clock::now() + std::chrono::milliseconds(WaitLimitMs);
  while (!D->Failed() && std::chrono::steady_clock::now() < Until)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_TRUE(D->Failed());
  EXPECT_THROW(Port.PutString("lost?"), ESIOException);
  ASSERT_TRUE(PumpUntil([&] { return !Port.Open() && Port.PortStateValue() == psClosed; }));
  EXPECT_EQ(Events, (std::vector<std::string>{"open", "close"}));
  ASSERT_TRUE(PumpUntil([] { return !ShownMessages().empty(); }));
  EXPECT_EQ(ShownMessages(), std::vector<String>{QStringLiteral("Device read error")});
  EXPECT_EQ(Port.ActiveDispatcher(), nullptr);
}

TEST_F(PtyPort, AFailingTriggerHandlerOfAPortOnAnotherThreadIsReported)
{
  // A port opened by a worker thread runs its trigger events on that
  // thread; what its handler raises must reach the user as on the main
  // thread, not vanish.
  std::atomic<bool> Ran{false};
  std::thread Worker([&] {
    TSioComPort Own(nullptr);
    Own.SetComNumber(TestCom);
    Own.SetPromptForPort(false);
    Own.SetAutoOpen(false);
    Own.SetOnTriggerAvail([&](TObject*, uint16_t Count) {
      AnsiString Bytes(Count, '\0');
      Own.GetBlock(Bytes.data(), Count);
      Ran = true;
      throw EInvalidOperation(QStringLiteral("handler failed on its worker"));
    });
    Own.SetOpen(true);
    ASSERT_TRUE(Pty.WriteMaster("x"));
    const auto Until = std::chrono::steady_clock::now() + std::chrono::milliseconds(WaitLimitMs);
    while (!Ran && std::chrono::steady_clock::now() < Until)
      if (PumpOneMessage() == 0)
        WaitMessageOrTimeout(5);
    Own.SetOpen(false);
  });
  Worker.join();
  ASSERT_TRUE(Ran);
  ASSERT_TRUE(PumpUntil([] { return !ShownMessages().empty(); }));
  EXPECT_EQ(ShownMessages(), std::vector<String>{QStringLiteral("handler failed on its worker")});
}

TEST_F(PtyPort, ChangingTheNumberOfAnOpenPortReopensIt)
{
  PtyPair Second;
  ScopedEnv Env2("FATHOMIX_COM223", Second.SlavePath());
  Port.SetOpen(true);
  const uint16_t T = Port.AddDataTrigger("!", false);
  std::vector<uint16_t> Seen;
  Port.SetOnTriggerData([&](TObject*, uint16_t H) { Seen.push_back(H); });
  Port.SetComNumber(223);
  EXPECT_TRUE(Port.Open());
  ASSERT_TRUE(Second.WriteMaster("!"));
  ASSERT_TRUE(PumpUntil([&] { return !Seen.empty(); }));
  EXPECT_EQ(Seen, std::vector<uint16_t>{T});
  Port.SetOpen(false); // before its device goes with the test
}

TEST_F(PtyPort, ProfilingInstrumentLineArrivesAsOneStringPacket)
{
  TSioDataPacket Packet(nullptr);
  MatchProfilingLines(Packet, Port);
  Packet.SetTimeOut(91);
  std::vector<AnsiString> Lines;
  Packet.OnStringPacket = [&](TObject* Sender, const AnsiString& Data) {
    EXPECT_EQ(Sender, &Packet);
    EXPECT_TRUE(IsMainThread());
    Lines.push_back(Data);
  };
  Port.SetOpen(true);
  Packet.SetEnabled(true);
  const AnsiString Line = "1500.123\t10.25\t8.456\t12.5\t42.123";
  ASSERT_TRUE(Pty.WriteMaster("\n" + Line + "\r"));
  ASSERT_TRUE(PumpUntil([&] { return !Lines.empty(); }));
  EXPECT_EQ(Lines, std::vector<AnsiString>{Line});
  // Split across writes, it is still one packet.
  ASSERT_TRUE(Pty.WriteMaster("\n15"));
  ASSERT_TRUE(Pty.WriteMaster("01.5\t"));
  ASSERT_TRUE(Pty.WriteMaster("9\r"));
  ASSERT_TRUE(PumpUntil([&] { return Lines.size() == 2; }));
  EXPECT_EQ(Lines.back(), AnsiString("1501.5\t9"));
}

TEST_F(PtyPort, ClosingFromAPacketEventCompletes)
{
  TSioDataPacket Packet(nullptr);
  Packet.SetComPort(&Port);
  Packet.SetStartCond(scAnyData);
  Packet.SetEndString(">");
  Packet.SetEndCond(EndBit(ecString));
  bool Delivered = false;
  Packet.OnStringPacket = [&](TObject*, const AnsiString&) {
    Delivered = true;
    Port.SetOpen(false);
  };
  Port.SetOpen(true);
  Packet.SetEnabled(true);
  ASSERT_TRUE(Pty.WriteMaster("reply>"));
  ASSERT_TRUE(PumpUntil([&] { return Delivered && Port.PortStateValue() == psClosed; }));
  EXPECT_TRUE(Packet.Enabled());
  EXPECT_EQ(Packet.PacketMode(), dpIdle);
  EXPECT_EQ(ShownMessages(), std::vector<String>());
}

TEST_F(PtyPort, WaitForStringReportsOnlyItsOwnPacket)
{
  TSioDataPacket Packet(nullptr);
  Packet.SetComPort(&Port);
  Packet.SetStartString("<");
  Packet.SetEndString(">");
  Packet.SetEndCond(EndBit(ecString));
  Packet.SetEnableTimeout(9); // each wait ends after half a second
  Port.SetOpen(true);
  Packet.SetEnabled(true);
  ASSERT_TRUE(Pty.WriteMaster("<first>"));
  AnsiString Data;
  EXPECT_TRUE(Packet.WaitForString(Data));
  EXPECT_EQ(Data, AnsiString("<first>"));
  // Nothing more arrives: the second wait must not report the first packet.
  Data = "unchanged";
  EXPECT_FALSE(Packet.WaitForString(Data));
  EXPECT_EQ(Data, AnsiString("unchanged"));
}

TEST_F(PtyPort, PacketsCanBeChangedWhileBytesFlow)
{
  TSioDataPacket Packet(nullptr);
  MatchProfilingLines(Packet, Port);
  std::vector<AnsiString> Lines;
  Packet.OnStringPacket = [&](TObject*, const AnsiString& Data) { Lines.push_back(Data); };
  Port.SetOpen(true);
  Packet.SetEnabled(true);
  std::atomic<bool> Done{false};
  std::thread Far([&] {
    for (int I = 0; I < 400; ++I)
      Pty.WriteMaster("\nline " + QByteArray::number(I) + "\r");
    Done = true;
  });
  // The main thread rebinds the matcher while the dispatch thread matches.
  for (int I = 0; !Done.load() || I < 50; ++I) {
    Packet.SetEnabled(I % 3 != 0);
    Packet.SetEndString(I % 2 ? "\r" : "\r");
    Packet.SetStartString("\n");
    PumpUntil([] { return false; }, 1);
  }
  Far.join();
  Packet.SetEnabled(true);
  ASSERT_TRUE(Pty.WriteMaster("\nlast\r"));
  ASSERT_TRUE(PumpUntil([&] { return !Lines.empty() && Lines.back() == "last"; }));
  for (const AnsiString& L : Lines)
    EXPECT_TRUE(L.startsWith("line ") || L == "last") << L.constData();
}

TEST(ComPortSettings, FlowThresholdsFollowTheInputSize)
{
  TSioComPort P(nullptr);
  P.SetHWFlowOptions(HWFlowBit(hwfUseRTS));
  EXPECT_EQ(P.BufferFull(), 3686);
  EXPECT_EQ(P.BufferResume(), 409);
  TSioComPort Q(nullptr);
  Q.SetSWFlowOptions(swfBoth);
  EXPECT_EQ(Q.BufferFull(), 3072);
  EXPECT_EQ(Q.BufferResume(), 1024);
  // Above the input size a threshold is cut, and with flow control on it is
  // brought back within the input size.
  Q.SetBufferFull(5000);
  EXPECT_EQ(Q.BufferFull(), 3072);
  Q.SetBufferResume(4600);
  EXPECT_EQ(Q.BufferResume(), 307);
  TSioComPort NoFlow(nullptr);
  NoFlow.SetBufferFull(5000);
  EXPECT_EQ(NoFlow.BufferFull(), 4500) << "without flow control only cut to 90 per cent";
}

TEST(ComPortSettings, RS485TakesRTSAwayFromFlowControl)
{
  TSioComPort P(nullptr);
  P.SetHWFlowOptions(HWFlowBit(hwfUseRTS) | HWFlowBit(hwfRequireCTS) | HWFlowBit(hwfUseDTR));
  P.SetRS485Mode(true);
  EXPECT_EQ(P.HWFlowOptions(), HWFlowBit(hwfUseDTR));
  EXPECT_FALSE(P.RTS());
  P.SetHWFlowOptions(HWFlowBit(hwfUseRTS));
  EXPECT_FALSE(P.RS485Mode());
}

TEST(ComPortSettings, DefaultsAndAssign)
{
  TSioComPort P(nullptr);
  EXPECT_EQ(P.Baud(), 19200);
  EXPECT_EQ(P.DataBits(), 8);
  EXPECT_EQ(P.StopBits(), 1);
  EXPECT_EQ(P.Parity(), pNone);
  EXPECT_EQ(P.InSize(), 4096);
  EXPECT_EQ(P.OutSize(), 4096);
  EXPECT_TRUE(P.DTR());
  EXPECT_TRUE(P.RTS());
  EXPECT_TRUE(P.AutoOpen());
  EXPECT_TRUE(P.PromptForPort());
  EXPECT_EQ(P.TapiMode(), tmAuto);
  EXPECT_EQ(P.TriggerLength(), 1);
  EXPECT_TRUE(P.UseMSRShadow());
  P.SetUseMSRShadow(false);
  EXPECT_TRUE(P.UseMSRShadow());
  P.SetComNumber(7);
  P.SetBaud(9600);
  P.SetParity(pOdd);
  TSioComPort Q(nullptr);
  Q.Assign(&P);
  EXPECT_EQ(Q.ComNumber(), 7);
  EXPECT_EQ(Q.Baud(), 9600);
  EXPECT_EQ(Q.Parity(), pOdd);
  EXPECT_FALSE(Q.Open());
}

TEST(ComPortUsers, NotificationsAndRemoval)
{
  // The users outlive the port, which tells them it closes as it goes.
  std::vector<std::string> Log;
  TMessageWindow Plain([&](uint32_t Msg, uintptr_t, intptr_t) -> intptr_t {
    Log.push_back("plain " + std::to_string(Msg - PortOpenMsg));
    return 0;
  });
  TMessageWindow Ex([&](uint32_t Msg, uintptr_t, intptr_t) -> intptr_t {
    Log.push_back("ex " + std::to_string(Msg - PortOpenMsg));
    return 0;
  });
  struct User {
    std::vector<std::string>* Log;
    void Changed(TObject*, bool Opening) { Log->push_back(Opening ? "cb open" : "cb closed"); }
    void ChangedEx(TObject*, TSioCallbackType T) { Log->push_back("cbex " + std::to_string(T)); }
  } U{&Log}, Other{&Log};
  TSioComPort P(nullptr);
  P.SetComNumber(1);
  P.SetPromptForPort(false);
  P.SetAutoOpen(false);
  P.SetCustomDispatcher([](TObject* Owner) { return std::make_unique<TFakeDispatcher>(Owner); });
  P.RegisterUser(Plain.Handle());
  P.RegisterUser(Plain.Handle());
  P.RegisterUserEx(Ex.Handle());
  P.RegisterUserCallback(MethodEvent(&U, &User::Changed));
  P.RegisterUserCallbackEx(MethodEvent(&U, &User::ChangedEx));
  P.OnPortOpen = [&](TObject*) { Log.push_back("OnPortOpen"); };
  P.SetOpen(true);
  P.SetOpen(false);
  // Last registered first; PortOpenMsg + 0, PortClosedMsg + 1, PortClosingMsg + 2.
  EXPECT_EQ(Log, (std::vector<std::string>{"cbex 0", "cb open", "ex 0", "plain 0", "plain 0", "OnPortOpen", "cbex 1",
                                           "ex 2", "cbex 2", "cb closed", "ex 1", "plain 1", "plain 1"}));
  Log.clear();
  P.DeregisterUser(Plain.Handle());
  P.DeregisterUserCallback(MethodOf(&Other, &User::Changed)); // another object: stays
  P.DeregisterUserCallbackEx(MethodOf(&U, &User::ChangedEx));
  P.SetOpen(true);
  EXPECT_EQ(Log, (std::vector<std::string>{"cb open", "ex 0", "OnPortOpen"}));
}

TEST(ComPortSearch, FindsTheFirstPortDepthFirst)
{
  TComponent Root(nullptr);
  auto* Holder = new TComponent(&Root);
  auto* Inner = new TSioComPort(Holder);
  auto* Later = new TSioComPort(&Root);
  EXPECT_EQ(SearchComPort(&Root), Inner);
  EXPECT_EQ(SearchComPort(Holder), Inner);
  delete Inner;
  EXPECT_EQ(SearchComPort(&Root), Later);
  EXPECT_EQ(SearchComPort(nullptr), nullptr);
}
