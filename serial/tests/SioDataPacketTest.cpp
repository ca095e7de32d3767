// The packet matcher over a port whose dispatcher is the scripted device:
// the test feeds bytes and runs the trigger checks itself, so every delivery
// happens inside Feed, deterministically. Where an event must wait for the
// main thread, a DispatchStep plays the dispatch thread for one step.
#include "serial/SioDataPacket.h"

#include "FakeDispatcher.h"
#include "PortTestSupport.h"
#include "TestClock.h"
#include "platform/Messages.h"
#include "platform/Thread.h"
#include "serial/SioComPort.h"
#include "serial/SioErrors.h"
#include "serial/SioExceptions.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <thread>
#include <vector>

namespace {

struct Delivery {
  TObject* Sender;
  AnsiString Data;
  bool operator==(const Delivery&) const = default;
};

void PrintTo(const Delivery& D, std::ostream* Os)
{
  *Os << "{" << static_cast<const void*>(D.Sender) << ", \"" << D.Data.toStdString() << "\"}";
}

class PacketRig {
public:
  PacketRig() { UseFakeDispatcher(Port, Fake); }
  ~PacketRig()
  {
    Packets.clear();
    // Let released managers go.
    while (PumpOneMessage(true) != 0) {
    }
  }

  TSioDataPacket& Add(TPacketStartCond Start, const AnsiString& StartString, TPacketEndSet End,
                      const AnsiString& EndString, int32_t Size = 0)
  {
    Packets.push_back(std::make_unique<TSioDataPacket>(nullptr));
    TSioDataPacket& P = *Packets.back();
    P.SetName(QStringLiteral("Packet%1").arg(Packets.size()));
    P.SetComPort(&Port);
    P.SetStartCond(Start);
    P.SetStartString(StartString);
    P.SetEndCond(End);
    P.SetEndString(EndString);
    P.SetPacketSize(Size);
    P.OnStringPacket = [this](TObject* Sender, const AnsiString& Data) { Got.push_back({Sender, Data}); };
    P.OnTimeout = [this](TObject* Sender) { TimedOut.push_back(Sender); };
    return P;
  }

  void Open() { Port.SetOpen(true); }
  void Feed(const AnsiString& Bytes)
  {
    Fake->Receive(Bytes);
    for (int I = 0; I < 100000 && Fake->CheckReceiveTriggers(); ++I) {
    }
  }
  void RunTimers()
  {
    for (int I = 0; I < 100 && Fake->CheckTimerTriggers(); ++I) {
    }
  }
  TSioDataPacketManager* Manager() { return PacketManagerList->GetPortManager(&Port); }
  // The data delivered so far, whichever packet it came from.
  std::vector<AnsiString> GotData() const
  {
    std::vector<AnsiString> Data;
    for (const Delivery& D : Got)
      Data.push_back(D.Data);
    return Data;
  }

  TSioComPort Port{nullptr};
  TFakeDispatcher* Fake = nullptr;
  std::vector<std::unique_ptr<TSioDataPacket>> Packets;
  std::vector<Delivery> Got;
  std::vector<TObject*> TimedOut;
};

const TPacketEndSet EndStr = EndBit(ecString);
const TPacketEndSet EndSize = EndBit(ecPacketSize);

// Plays the port's dispatch thread for one step (bytes or timers) whose
// events go to the main thread. The main thread handles no message until
// they are queued (WaitForHandOver), so the test acts while they wait, for
// certain, and only then lets them run (Finish).
class DispatchStep {
public:
  explicit DispatchStep(const std::function<void()>& Step)
      : FThread([this, Step] {
          Step();
          FDone = true;
          WakeMainThread();
        })
  {
  }
  ~DispatchStep() { Finish(); }
  DispatchStep(const DispatchStep&) = delete;
  DispatchStep& operator=(const DispatchStep&) = delete;

  // Waits, without handling a single message, until the step is over on
  // its own thread; false when it did not end within WaitLimitMs.
  bool EndedWithoutTheMainThread()
  {
    const auto Until = std::chrono::steady_clock::now() + std::chrono::milliseconds(WaitLimitMs);
    while (!FDone) {
      if (std::chrono::steady_clock::now() >= Until)
        return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

  bool Finish()
  {
    if (!FThread.joinable())
      return true;
    // The step is over once the events it handed over have run too.
    const bool Done = PumpUntil([this] { return FDone.load() && !SynchronizePending(); });
    FThread.join();
    return Done;
  }

private:
  std::atomic<bool> FDone{false};
  std::thread FThread;
};

} // namespace

TEST(DataPacket, PatternsWildcardsAndCase)
{
  const struct {
    const char* Start;
    bool IgnoreCase;
    const char* Input;
    const char* Expected; // nullptr: no delivery
  } Cases[] = {
      {"a?c", false, "abc;", "abc"},      {"a?c", false, "a-c;", "a-c"}, {"a\\?c", false, "abc;", nullptr},
      {"a\\?c", false, "a?c;", "a?c"},    {"ab\\", false, "ab;", "ab"},  {"a\\\\b", false, "a\\b;", "a\\b"},
      {"you", true, "You;", "You"},       {"you", true, "YOU;", "YOU"},  {"you", false, "You;", nullptr},
      {"\xe9t", true, "\xc9t;", nullptr}, // only a to z fold
      {"ab", false, "aab;", "ab"},        // the retry restarts at the second a
      {"aab", false, "aaab;", "aab"},
  };
  for (const auto& C : Cases) {
    PacketRig R;
    TSioDataPacket& P = R.Add(scString, C.Start, EndStr, ";");
    P.SetIgnoreCase(C.IgnoreCase);
    P.SetIncludeStrings(true);
    R.Open();
    P.SetEnabled(true);
    R.Feed(C.Input);
    if (C.Expected) {
      ASSERT_EQ(R.Got.size(), size_t(1)) << C.Start << " on " << C.Input;
      EXPECT_EQ(R.Got[0].Data, AnsiString(C.Expected) + ";") << C.Start;
    } else {
      EXPECT_TRUE(R.Got.empty()) << C.Start << " on " << C.Input;
    }
  }
}

TEST(DataPacket, EndConditions)
{
  const struct {
    const char* Name;
    TPacketStartCond Start;
    const char* StartString;
    TPacketEndSet End;
    const char* EndString;
    int32_t Size;
    bool Include;
    AnsiString Input;
    std::vector<AnsiString> Expected;
  } Cases[] = {
      {"end string retried over a broken match", scAnyData, "", EndStr, "\r\n>", 0, false, "x\r\r\n>", {"x\r"}},
      {"size counts the start string", scString, "AB", EndSize, "", 10, false, "AB12345678", {"12345678"}},
      {"size with strings", scString, "AB", EndSize, "", 4, true, "xxAB12", {"AB12"}},
      {"start string alone", scString, "GO", 0, "", 0, false, "..GO..", {""}},
      {"start string alone with strings", scString, "GO", 0, "", 0, true, "GO", {"GO"}},
      {"size equal to the start string", scString, "GO", EndSize, "", 2, true, "GO", {"GO"}},
      {"end string or size, size first", scString, "<", EndStr | EndSize, ">", 4, true, "<abcdef>", {"<abc"}},
      {"end string or size, end first", scString, "<", EndStr | EndSize, ">", 10, true, "<ab>", {"<ab>"}},
      {"profiling instrument line",
       scString,
       "\n",
       EndStr,
       "\r",
       0,
       false,
       "\n1500.12\t10.5\r\n1500.3\t10.6\r",
       {"1500.12\t10.5", "1500.3\t10.6"}},
      {"reply with prompt", scAnyData, "", EndStr, "\r\n>", 0, true, "OK\r\n>", {"OK\r\n>"}},
  };
  for (const auto& C : Cases) {
    PacketRig R;
    TSioDataPacket& P = R.Add(C.Start, C.StartString, C.End, C.EndString, C.Size);
    P.SetIncludeStrings(C.Include);
    R.Open();
    P.SetEnabled(true);
    R.Feed(C.Input);
    EXPECT_EQ(R.GotData(), C.Expected) << C.Name;
    EXPECT_TRUE(P.Enabled()) << C.Name << ": AutoEnable enables again";
  }
}

TEST(DataPacket, InvalidSettingsAreRefusedAndLeaveThePacketOff)
{
  const struct {
    TPacketStartCond Start;
    const char* StartString;
    TPacketEndSet End;
    const char* EndString;
    int32_t Size;
    int32_t Code;
  } Cases[] = {
      {scAnyData, "", 0, "", 0, ecNoEndCharCount},         {scString, "", EndStr, ">", 0, ecStartStringEmpty},
      {scString, "abc", EndSize, "", 2, ecPacketTooSmall}, {scString, ">", EndStr, "", 0, ecEmptyEndString},
      {scAnyData, "", EndSize, "", 0, ecZeroSizePacket},
  };
  for (bool PortOpen : {false, true}) {
    for (const auto& C : Cases) {
      PacketRig R;
      if (PortOpen)
        R.Open();
      TSioDataPacket& P = R.Add(C.Start, C.StartString, 0, "", C.Size);
      P.SetEndString(C.EndString);
      P.SetEndCond(C.End);
      try {
        P.SetEnabled(true);
        ADD_FAILURE() << C.Code << " not raised";
      } catch (const EInvalidProperty& E) {
        EXPECT_EQ(E.ErrorCode(), C.Code);
      }
      EXPECT_FALSE(P.Enabled());
      EXPECT_EQ(P.PacketMode(), dpIdle);
    }
  }
}

TEST(DataPacket, FirstToCompleteItsStartTakesTheCapture)
{
  PacketRig R;
  TSioDataPacket& A = R.Add(scString, "#A", EndStr, ";");
  TSioDataPacket& B = R.Add(scString, "#B", EndStr, ";");
  A.SetIncludeStrings(false);
  B.SetIncludeStrings(false);
  R.Open();
  A.SetEnabled(true);
  B.SetEnabled(true);
  // B's start completes first; A's start inside B's data is not seen, and the
  // delivery removes everything up to its end.
  R.Feed("#B1#A2;3;#A4;");
  ASSERT_EQ(R.Got.size(), size_t(2));
  EXPECT_EQ(R.Got[0], (Delivery{&B, "1#A2"}));
  EXPECT_EQ(R.Got[1], (Delivery{&A, "4"}));
}

TEST(DataPacket, AnyDataPacketWaitsWhileAnotherCollects)
{
  PacketRig R;
  TSioDataPacket& S = R.Add(scString, "[", EndStr, "]");
  TSioDataPacket& Any = R.Add(scAnyData, "", EndStr, ">");
  R.Open();
  S.SetEnabled(true);
  Any.SetEnabled(true);
  EXPECT_EQ(Any.PacketMode(), dpCollecting);
  R.Feed("ab>");
  ASSERT_EQ(R.Got.size(), size_t(1));
  EXPECT_EQ(R.Got[0], (Delivery{&Any, "ab>"}));
}

TEST(DataPacket, UnclaimedBytesAreNotKept)
{
  PacketRig R;
  TSioDataPacket& P = R.Add(scString, "$$", EndStr, "\r");
  R.Open();
  P.SetEnabled(true);
  R.Feed("noise without a start");
  EXPECT_EQ(R.Manager()->BytesHeld(), 0);
  R.Feed("tail $");
  EXPECT_EQ(R.Manager()->BytesHeld(), 6) << "a start begun keeps its bytes";
  R.Feed("$x\r");
  ASSERT_EQ(R.Got.size(), size_t(1));
  EXPECT_EQ(R.Got[0].Data, AnsiString("$$x\r"));
  EXPECT_EQ(R.Manager()->BytesHeld(), 0);
}

TEST(DataPacket, BothEventsFireOnePacketFirst)
{
  PacketRig R;
  TSioDataPacket& P = R.Add(scString, "<", EndStr, ">");
  std::vector<AnsiString> Order;
  P.OnPacket = [&](TObject*, const void* Data, int32_t Size) {
    Order.push_back("packet:" + AnsiString(static_cast<const char*>(Data), Size));
  };
  P.OnStringPacket = [&](TObject*, const AnsiString& Data) {
    Order.push_back("string:" + Data);
    AnsiString Collected;
    P.GetCollectedString(Collected);
    EXPECT_EQ(Collected, Data);
  };
  R.Open();
  P.SetEnabled(true);
  R.Feed("<42>");
  EXPECT_EQ(Order, (std::vector<AnsiString>{"packet:<42>", "string:<42>"}));
  AnsiString Outside = "x";
  P.GetCollectedString(Outside);
  EXPECT_TRUE(Outside.isEmpty()) << "the data is gone once the event returned";
}

TEST(DataPacket, TimeOutEndsACollectionButNotAWaitForTheStart)
{
  TManualClock Clock(55000);
  PacketRig R;
  TSioDataPacket& P = R.Add(scString, "<", EndStr, ">");
  P.SetTimeOut(3);
  AnsiString Left;
  P.OnTimeout = [&](TObject* Sender) {
    R.TimedOut.push_back(Sender);
    P.GetCollectedString(Left);
  };
  R.Open();
  P.SetEnabled(true);
  Clock.Advance(55 * 10);
  R.RunTimers();
  EXPECT_TRUE(R.TimedOut.empty()) << "waiting for the start has no time-out";
  R.Feed("<abc");
  Clock.Advance(55 * 3);
  R.RunTimers();
  EXPECT_TRUE(R.TimedOut.empty());
  Clock.Advance(55);
  R.RunTimers();
  ASSERT_EQ(R.TimedOut.size(), size_t(1));
  EXPECT_EQ(Left, AnsiString("<abc"));
  EXPECT_FALSE(P.Enabled()) << "a time-out does not re-enable, AutoEnable or not";
  EXPECT_EQ(R.Manager()->BytesHeld(), 0) << "flushed on time-out";
  R.Feed("def>");
  EXPECT_TRUE(R.Got.empty());
}

TEST(DataPacket, TimeOutWithoutFlushKeepsTheBytesButOffersThemNoMore)
{
  TManualClock Clock(55000);
  PacketRig R;
  TSioDataPacket& P = R.Add(scAnyData, "", EndStr, ">");
  P.SetTimeOut(1);
  P.SetFlushOnTimeout(false);
  R.Open();
  P.SetEnabled(true);
  R.Feed("abc");
  Clock.Advance(110);
  R.RunTimers();
  ASSERT_EQ(R.TimedOut.size(), size_t(1));
  EXPECT_EQ(R.Manager()->BytesHeld(), 3);
  P.SetEnabled(true);
  R.Feed("d>");
  ASSERT_EQ(R.Got.size(), size_t(1));
  EXPECT_EQ(R.Got[0].Data, AnsiString("d>"));
}

TEST(DataPacket, TimeOutZeroNeverTimesOut)
{
  TManualClock Clock(55000);
  PacketRig R;
  TSioDataPacket& P = R.Add(scAnyData, "", EndStr, ">");
  P.SetTimeOut(0);
  R.Open();
  P.SetEnabled(true);
  R.Feed("abc");
  Clock.Advance(55u * 100000);
  R.RunTimers();
  EXPECT_TRUE(R.TimedOut.empty());
  EXPECT_EQ(R.Fake->TimerWaitMs(), INFINITE) << "nothing to wake up for";
}

TEST(DataPacket, EnableTimeoutLimitsTheWholeWait)
{
  TManualClock Clock(55000);
  PacketRig R;
  TSioDataPacket& P = R.Add(scString, "<", EndStr, ">");
  P.SetEnableTimeout(2);
  R.Open();
  P.SetEnabled(true);
  Clock.Advance(165);
  R.RunTimers();
  ASSERT_EQ(R.TimedOut.size(), size_t(1));
  EXPECT_FALSE(P.Enabled());
}

TEST(DataPacket, PacketEnabledWhileClosedMatchesOnceThePortOpens)
{
  PacketRig R;
  TSioDataPacket& P = R.Add(scString, "<", EndStr, ">");
  P.SetEnabled(true);
  EXPECT_TRUE(P.Enabled());
  EXPECT_EQ(P.PacketMode(), dpIdle);
  R.Open();
  EXPECT_EQ(P.PacketMode(), dpWaitStart);
  R.Feed("<1>");
  EXPECT_EQ(R.Got.size(), size_t(1));
  R.Port.SetOpen(false);
  EXPECT_TRUE(P.Enabled()) << "closing keeps Enabled";
  EXPECT_EQ(P.PacketMode(), dpIdle);
  R.Open();
  R.Feed("<2>");
  ASSERT_EQ(R.Got.size(), size_t(2));
  EXPECT_EQ(R.Got[1].Data, AnsiString("<2>"));
}

TEST(DataPacket, HandlersMayChangePacketsDuringTheirEvent)
{
  PacketRig R;
  TSioDataPacket& First = R.Add(scString, "1:", EndStr, ";");
  TSioDataPacket& Second = R.Add(scString, "2:", EndStr, ";");
  First.SetAutoEnable(false);
  First.OnStringPacket = [&](TObject* Sender, const AnsiString& Data) {
    R.Got.push_back({Sender, Data});
    Second.SetEnabled(true); // takes effect when the event is over
    Second.SetEndString("!");
  };
  R.Open();
  First.SetEnabled(true);
  R.Feed("1:a;2:b;2:c!");
  ASSERT_EQ(R.Got.size(), size_t(2));
  EXPECT_EQ(R.Got[1], (Delivery{&Second, "2:b;2:c!"}));
  EXPECT_FALSE(First.Enabled());
}

TEST(DataPacket, AFailingHandlerStillCompletesTheDelivery)
{
  PacketRig R;
  TSioDataPacket& P = R.Add(scString, "<", EndStr, ">");
  P.OnStringPacket = [](TObject*, const AnsiString&) { throw Exception(QStringLiteral("handler failed")); };
  R.Open();
  P.SetEnabled(true);
  R.Feed("<a>");
  EXPECT_EQ(R.Manager()->BytesHeld(), 0);
  EXPECT_TRUE(P.Enabled());
  int Count = 0;
  P.OnStringPacket = [&](TObject*, const AnsiString&) { ++Count; };
  R.Feed("<b>");
  EXPECT_EQ(Count, 1);
}

TEST(DataPacket, PacketsShareOneManagerPerPortAndMoveBetweenPorts)
{
  PacketRig R1, R2;
  TSioDataPacket& A = R1.Add(scString, "<", EndStr, ">");
  TSioDataPacket& B = R1.Add(scString, "[", EndStr, "]");
  EXPECT_EQ(A.InternalManager(), B.InternalManager());
  EXPECT_EQ(A.InternalManager()->PacketCount(), 2);
  A.SetComPort(&R2.Port);
  EXPECT_EQ(A.InternalManager(), R2.Manager());
  EXPECT_EQ(B.InternalManager()->PacketCount(), 1);
  R2.Open();
  A.SetEnabled(true);
  R2.Feed("<moved>");
  ASSERT_EQ(R1.Got.size(), size_t(1)) << "the event goes where the packet was set up";
  EXPECT_EQ(R1.Got[0].Data, AnsiString("<moved>"));
}

TEST(DataPacket, RunawayCollectionIsBounded)
{
  PacketRig R;
  TSioDataPacket& P = R.Add(scAnyData, "", EndStr, "\x01\x02");
  P.SetTimeOut(0);
  R.Open();
  P.SetEnabled(true);
  const AnsiString Block(4096, 'x');
  for (int I = 0; I < 80; ++I)
    R.Feed(Block);
  EXPECT_LE(R.Manager()->BytesHeld(), TSioDataPacketManager::MaxHeldBytes);
  EXPECT_EQ(R.TimedOut.size(), size_t(1));
}

TEST(DataPacket, StepsAreWrittenToThePortsDispatchLog)
{
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  PacketRig R;
  TSioDataPacket& P = R.Add(scString, "<", EndStr, ">");
  R.Open();
  // The log is written out when the port closes; never into the working folder.
  R.Port.SetLogName(Dir.filePath(QStringLiteral("port.log")));
  R.Port.SetLogging(tlOn);
  P.SetEnabled(true);
  R.Feed("x<ab>");
  ASSERT_EQ(R.Got.size(), size_t(1));
  const String Name = Dir.filePath(QStringLiteral("p.log"));
  ASSERT_EQ(R.Fake->DumpDispatchLog(Name, false, false), ecOK);
  QFile F(Name);
  ASSERT_TRUE(F.open(QIODevice::ReadOnly));
  std::vector<AnsiString> Steps;
  for (const QByteArray& Line : F.readAll().split('\n'))
    if (Line.mid(10, 8) == "Packet  ")
      Steps.push_back(Line.mid(20).trimmed());
  const char* const Enabled[] = {"Enable        00000000  Packet:Packet1", "StartStr      00000000  <",
                                 "Waiting       00000000  Packet:Packet1", "EndStr        00000000  >"};
  std::vector<AnsiString> Expected(std::begin(Enabled), std::end(Enabled));
  Expected.insert(Expected.end(), {"Collecting    00000000  Packet:Packet1", "Idle          00000000  Packet:Packet1",
                                   "Disable       00000000  Packet:Packet1", "StringPacket  00000000  <ab>"});
  // AutoEnable: enabled afresh when the event is over.
  Expected.insert(Expected.end(), std::begin(Enabled), std::end(Enabled));
  EXPECT_EQ(Steps, Expected);
}

// A dialogue flushes the port's input before it sends a command: whatever a
// packet collected before the flush must not become part of the reply.
TEST(DataPacket, FlushDropsWhatThePacketCollected)
{
  const struct {
    const char* Name;
    TPacketStartCond Start;
    const char* StartString;
    TPacketEndSet End;
    const char* EndString;
    int32_t Size;
    AnsiString Before, After;
    std::vector<AnsiString> Expected;
  } Cases[] = {
      {"half a reply collected", scString, "<", EndStr, ">", 0, "<stale", "tail><fresh>", {"<fresh>"}},
      {"start string half seen", scString, "$$", EndStr, "\r", 0, "$", "$x\r$$y\r", {"$$y\r"}},
      {"any data collected", scAnyData, "", EndStr, "\r\n>", 0, "stale", "OK\r\n>", {"OK\r\n>"}},
      {"bytes counted", scString, "#", EndSize, "", 4, "#ab", "cd#efg", {"#efg"}},
  };
  for (const auto& C : Cases) {
    PacketRig R;
    TSioDataPacket& P = R.Add(C.Start, C.StartString, C.End, C.EndString, C.Size);
    R.Open();
    P.SetEnabled(true);
    R.Feed(C.Before);
    R.Port.FlushInBuffer();
    EXPECT_EQ(R.Manager()->BytesHeld(), 0) << C.Name;
    EXPECT_TRUE(P.Enabled()) << C.Name << ": the packet goes on waiting";
    R.Feed(C.After);
    EXPECT_EQ(R.GotData(), C.Expected) << C.Name;
  }
}

TEST(DataPacket, FlushReleasesTheCaptureOfAStaleReply)
{
  PacketRig R;
  TSioDataPacket& Reply = R.Add(scString, "<", EndStr, ">");
  TSioDataPacket& Other = R.Add(scString, "[", EndStr, "]");
  R.Open();
  Reply.SetEnabled(true);
  Other.SetEnabled(true);
  R.Feed("<stale");
  ASSERT_EQ(Reply.PacketMode(), dpCollecting);
  R.Port.FlushInBuffer();
  EXPECT_EQ(Reply.PacketMode(), dpWaitStart);
  R.Feed("[b]<a>");
  EXPECT_EQ(R.Got, (std::vector<Delivery>{{&Other, "[b]"}, {&Reply, "<a>"}}));
}

// A handler that flushes the port also drops the bytes that came in the same
// block after its packet's end.
TEST(DataPacket, FlushFromAHandlerDropsTheRestOfTheBlock)
{
  PacketRig R;
  TSioDataPacket& First = R.Add(scString, "<", EndStr, ">");
  TSioDataPacket& Second = R.Add(scString, "[", EndStr, "]");
  First.OnStringPacket = [&](TObject* Sender, const AnsiString& Data) {
    R.Got.push_back({Sender, Data});
    R.Port.FlushInBuffer();
  };
  R.Open();
  First.SetEnabled(true);
  Second.SetEnabled(true);
  R.Feed("<a>[old]");
  EXPECT_EQ(R.Got, (std::vector<Delivery>{{&First, "<a>"}}));
  EXPECT_EQ(R.Manager()->BytesHeld(), 0);
  R.Feed("[new]<b>");
  EXPECT_EQ(R.Got, (std::vector<Delivery>{{&First, "<a>"}, {&Second, "[new]"}, {&First, "<b>"}}));
}

// The dispatch thread hands a packet's events to the main thread and goes on
// without waiting for them; the bytes that come meanwhile are matched only
// when the event has ended, with the packets as its handler left them.
TEST(DataPacket, TheDispatchThreadDoesNotWaitForTheEvents)
{
  PacketRig R;
  TSioDataPacket& Command = R.Add(scString, "<", EndStr, ">");
  TSioDataPacket& Reply = R.Add(scString, "[", EndStr, "]");
  Command.OnStringPacket = [&](TObject* Sender, const AnsiString& Data) {
    R.Got.push_back({Sender, Data});
    Reply.SetEnabled(true);
  };
  R.Open();
  Command.SetEnabled(true);
  {
    DispatchStep First([&] { R.Feed("<a>"); });
    ASSERT_TRUE(First.EndedWithoutTheMainThread());
    DispatchStep Second([&] { R.Feed("[b]"); });
    ASSERT_TRUE(Second.EndedWithoutTheMainThread());
    EXPECT_TRUE(R.Got.empty()) << "nothing runs before the main thread handles its messages";
    EXPECT_TRUE(R.Manager()->InEvent());
    ASSERT_TRUE(First.Finish());
    ASSERT_TRUE(Second.Finish());
  }
  EXPECT_EQ(R.Got, (std::vector<Delivery>{{&Command, "<a>"}, {&Reply, "[b]"}}));
  EXPECT_FALSE(R.Manager()->InEvent());
  EXPECT_EQ(R.Manager()->BytesHeld(), 0);
}

// A delivery or time-out whose events wait for the main thread when the main
// thread disables the packet or flushes the port: the events are dropped,
// and the packet is left as that call says.
TEST(DataPacket, EventsWaitingForTheMainThreadAndWhatOvertakesThem)
{
  enum class Then { Nothing, Disable, DisableEnable, Flush, FlushEnable };
  const struct {
    const char* Name;
    bool TimeOut; // else a delivery
    bool AutoEnable;
    Then Act;
    bool EnabledAfter;
    std::vector<AnsiString> Expected; // after "<2>" followed
  } Cases[] = {
      {"delivery left alone", false, true, Then::Nothing, true, {"<1>", "<2>"}},
      {"delivery, disabled", false, true, Then::Disable, false, {}},
      {"delivery, disabled and enabled", false, false, Then::DisableEnable, true, {"<2>"}},
      {"delivery, flushed", false, false, Then::Flush, true, {"<2>"}},
      {"delivery, flushed and enabled", false, false, Then::FlushEnable, true, {"<2>"}},
      {"time-out left alone", true, true, Then::Nothing, false, {"time-out"}},
      {"time-out, disabled", true, true, Then::Disable, false, {}},
      {"time-out, flushed", true, false, Then::Flush, true, {"<2>"}},
  };
  for (const auto& C : Cases) {
    TManualClock Clock(55000);
    PacketRig R;
    TSioDataPacket& P = R.Add(scString, "<", EndStr, ">");
    P.SetTimeOut(1);
    P.SetAutoEnable(C.AutoEnable);
    R.Open();
    P.SetEnabled(true);
    {
      if (C.TimeOut) {
        R.Feed("<1");
        Clock.Advance(110);
      }
      DispatchStep Step([&] {
        if (C.TimeOut)
          R.RunTimers();
        else
          R.Feed("<1>");
      });
      ASSERT_TRUE(WaitForHandOver()) << C.Name;
      switch (C.Act) {
      case Then::Nothing:
        break;
      case Then::Disable:
        P.SetEnabled(false);
        break;
      case Then::DisableEnable:
        P.SetEnabled(false);
        P.SetEnabled(true);
        break;
      case Then::Flush:
        R.Port.FlushInBuffer();
        break;
      case Then::FlushEnable:
        R.Port.FlushInBuffer();
        P.SetEnabled(true);
        break;
      }
      ASSERT_TRUE(Step.Finish()) << C.Name;
    }
    EXPECT_EQ(P.Enabled(), C.EnabledAfter) << C.Name;
    R.Feed("<2>");
    std::vector<AnsiString> Events = R.GotData();
    Events.insert(Events.end(), R.TimedOut.size(), "time-out");
    EXPECT_EQ(Events, C.Expected) << C.Name;
  }
}
