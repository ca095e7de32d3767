// The port's tracing and logging switches and its string waits.
#include "serial/SioComPort.h"

#include "FakeDispatcher.h"
#include "PortTestSupport.h"
#include "platform/PtyPair.h"
#include "serial/SioBaseDispatcher.h"
#include "serial/SioErrors.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <memory>
#include <thread>

namespace {

// A port over the scripted device, its trace and log going to a folder.
class TraceRig : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Dir.isValid());
    ShownMessages().clear();
    UseFakeDispatcher(Port, Fake);
    Port.SetTraceName(Dir.filePath(QStringLiteral("port.trc")));
    Port.SetLogName(Dir.filePath(QStringLiteral("port.log")));
    Port.SetTraceHex(false);
    Port.SetLogHex(false);
  }
  AnsiString Trace() const { return ReadWholeFile(Port.TraceName()); }
  void ForgetTrace() { QFile::remove(Port.TraceName()); }

  QTemporaryDir Dir;
  TSioComPort Port{nullptr};
  TFakeDispatcher* Fake = nullptr;
};

} // namespace

TEST_F(TraceRig, ClosedPortStoresOnlyOnOrOff)
{
  const struct {
    TTraceLogState Set, Stored;
  } Cases[] = {{tlOn, tlOn},      {tlDump, tlOff}, {tlOn, tlOn},     {tlPause, tlOff},
               {tlAppend, tlOff}, {tlOn, tlOn},    {tlClear, tlOff}, {tlAppendAndContinue, tlOff},
               {tlOff, tlOff}};
  for (const auto& C : Cases) {
    Port.SetTracing(C.Set);
    EXPECT_EQ(Port.Tracing(), C.Stored) << int(C.Set);
    Port.SetLogging(C.Set);
    EXPECT_EQ(Port.Logging(), C.Stored) << int(C.Set);
  }
  EXPECT_FALSE(QFile::exists(Port.TraceName()));
}

TEST_F(TraceRig, TraceStartedWhileClosedIsWrittenWhenThePortCloses)
{
  Port.SetTracing(tlOn);
  Port.SetTraceSize(500);
  Port.SetOpen(true);
  EXPECT_EQ(Port.Tracing(), tlOn);
  Port.PutString("abc");
  Port.SetOpen(false);
  EXPECT_EQ(Port.Tracing(), tlOff);
  EXPECT_EQ(Trace(), AnsiString("Transmit: \r\nabc"));
}

TEST_F(TraceRig, StateMachineOnAnOpenPort)
{
  const struct {
    TTraceLogState From, Set, After;
    const char* File; // nullptr: no file written
  } Cases[] = {
      {tlOff, tlDump, tlOff, nullptr},
      {tlOn, tlDump, tlOff, "Transmit: \r\nx"},
      {tlPause, tlDump, tlOff, "Transmit: \r\nx"},
      {tlOn, tlAppend, tlOff, "Transmit: \r\nx"},
      {tlOn, tlAppendAndContinue, tlOn, "Transmit: \r\nx"},
      {tlPause, tlAppendAndContinue, tlOn, "Transmit: \r\nx"},
      {tlOn, tlPause, tlPause, nullptr},
      {tlOff, tlPause, tlOff, nullptr},
      {tlPause, tlOn, tlOn, nullptr},
      {tlOn, tlClear, tlOn, nullptr},
      {tlOn, tlOff, tlOff, nullptr},
      {tlPause, tlOff, tlOff, nullptr},
      {tlOff, tlClear, tlOff, nullptr},
  };
  Port.SetOpen(true);
  for (const auto& C : Cases) {
    Port.SetTracing(tlOff);
    ForgetTrace();
    if (C.From != tlOff) {
      Port.SetTracing(tlOn);
      Port.PutString("x");
      Port.SetTracing(C.From);
    }
    ASSERT_EQ(Port.Tracing(), C.From);
    Port.SetTracing(C.Set);
    EXPECT_EQ(Port.Tracing(), C.After) << int(C.From) << " -> " << int(C.Set);
    if (C.File)
      EXPECT_EQ(Trace(), AnsiString(C.File)) << int(C.From) << " -> " << int(C.Set);
    else
      EXPECT_FALSE(QFile::exists(Port.TraceName())) << int(C.From) << " -> " << int(C.Set);
  }
}

TEST_F(TraceRig, ClearEmptiesAndDumpStopsTracing)
{
  Port.SetOpen(true);
  Port.SetTracing(tlOn);
  Port.PutString("gone");
  Port.SetTracing(tlClear);
  Port.PutString("kept");
  Port.SetTracing(tlDump);
  EXPECT_EQ(Trace(), AnsiString("Transmit: \r\nkept"));
  ForgetTrace();
  Port.PutString("unseen");
  Port.SetTracing(tlOn);
  Port.SetTracing(tlDump);
  EXPECT_FALSE(QFile::exists(Port.TraceName())) << "nothing is traced while the port says off";
}

TEST_F(TraceRig, SizesAreCappedAndAPausedTraceEndsWithANewSize)
{
  Port.SetTraceSize(5000000);
  EXPECT_EQ(Port.TraceSize(), 4000000u);
  Port.SetLogSize(20000000);
  EXPECT_EQ(Port.LogSize(), 16000000u);
  Port.SetOpen(true);
  Port.SetTracing(tlOn);
  Port.SetTracing(tlPause);
  Port.SetTraceSize(100);
  EXPECT_EQ(Port.Tracing(), tlOff);
  Port.SetTracing(tlOn);
  Port.SetTraceSize(3);
  EXPECT_EQ(Port.Tracing(), tlOn) << "a running trace restarts at the new size";
  Port.PutString("abcdef");
  Port.SetTracing(tlDump);
  EXPECT_EQ(Trace(), AnsiString("Transmit: \r\ndef"));
}

TEST_F(TraceRig, LogIsWrittenWhenThePortCloses)
{
  Port.SetLogging(tlOn);
  Port.SetOpen(true);
  EXPECT_EQ(Port.Logging(), tlOn);
  Port.AddStringToLog("instrument interrupted");
  Port.SetOpen(false);
  EXPECT_EQ(Port.Logging(), tlOff);
  const AnsiString Log = ReadWholeFile(Port.LogName());
  EXPECT_TRUE(Log.startsWith("TELV v5.00\r\n"));
  EXPECT_TRUE(Log.contains("User                    00000000  instrument interrupted\r\n"));
}

TEST_F(TraceRig, AnUnwritableTraceDoesNotKeepThePortOpen)
{
  Port.SetTraceName(Dir.filePath(QStringLiteral("missing/port.trc")));
  Port.SetOpen(true);
  Port.SetTracing(tlOn);
  Port.PutString("x");
  Port.SetOpen(false);
  EXPECT_FALSE(Port.Open());
  EXPECT_EQ(Port.Tracing(), tlOff);
  ASSERT_EQ(ShownMessages().size(), size_t(1)) << "the lost trace is reported";
}

TEST_F(TraceRig, CheckForStringStepByStep)
{
  Port.SetOpen(true);
  const struct {
    const char* S;
    bool IgnoreCase;
    const char* Input;
    const char* Hits; // '1' where the step completes S
  } Cases[] = {
      {"OK", false, "xOKOK", "00101"}, {"ok", true, "OKoK", "0101"},
      {"ok", false, "OK", "00"},       {"aab", false, "aaab", "0000"}, // a plain restart: the overlap is missed
      {"ab", false, "aab", "001"},     {"", false, "ab", "00"},
  };
  for (const auto& C : Cases) {
    uint8_t Index = 0;
    String Got;
    for (const char* P = C.Input; *P; ++P)
      Got += Port.CheckForString(Index, *P, C.S, C.IgnoreCase) ? QLatin1Char('1') : QLatin1Char('0');
    EXPECT_EQ(Got, QString::fromLatin1(C.Hits)) << C.S << " on " << C.Input;
  }
  uint8_t Stale = 200;
  EXPECT_FALSE(Port.CheckForString(Stale, 'x', "xy", false));
  EXPECT_EQ(Stale, 1) << "an index beyond the string starts over";
}

TEST(PortWaits, EmptyStringReturnsAtOnceWithoutThePort)
{
  TSioComPort P(nullptr);
  P.SetAutoOpen(false);
  EXPECT_TRUE(P.WaitForString(AnsiString(), 100, true, false));
  EXPECT_FALSE(P.Open());
}

namespace {

class PtyWaits : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Pty.IsOpen());
    Port.SetComNumber(231);
    Port.SetPromptForPort(false);
    Port.SetAutoOpen(false);
    Port.SetOpen(true);
  }
  PtyPair Pty;
  ScopedEnv Env{"FATHOMIX_COM231", Pty.SlavePath()};
  TSioComPort Port{nullptr};
};

} // namespace

TEST_F(PtyWaits, StringAlreadyReceived)
{
  AnsiString Seen;
  Port.OnWaitChar = [&](TObject*, char C) { Seen.append(C); };
  ASSERT_TRUE(Pty.WriteMaster("xxOKyy"));
  EXPECT_TRUE(Port.WaitForString("ok", 91, false, true));
  EXPECT_EQ(Seen, AnsiString("xxOK"));
  EXPECT_FALSE(Port.ActiveDispatcher()->EventBusy());
  EXPECT_TRUE(Port.WaitForString("yy", 91, true, false)) << "the rest is still there";
}

TEST_F(PtyWaits, StringArrivingDuringTheWait)
{
  for (bool Yield : {false, true}) {
    std::thread Far([this] {
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      Pty.WriteMaster("...\r\n>");
    });
    EXPECT_TRUE(Port.WaitForString("\r\n>", 91, Yield, false)) << Yield;
    Far.join();
  }
}

TEST_F(PtyWaits, TimeRunsOut)
{
  ASSERT_TRUE(Pty.WriteMaster("nothing useful"));
  EXPECT_FALSE(Port.WaitForString("never", 2, true, false));
  EXPECT_FALSE(Port.WaitForString("never", 0, false, false));
  EXPECT_EQ(Port.WaitForMultiString("a|b", 1, false, false, '|'), 0);
}

TEST_F(PtyWaits, FirstOfSeveralStrings)
{
  const struct {
    const char* List;
    const char* Input;
    int32_t Found;
  } Cases[] = {
      {"OK|ERROR|BUSY", "xxBUSY", 3},
      {"OK|ERROR|BUSY", "ERROK", 1},
      {"AB|B", "AB", 1},
      {"ok|", "OK", 1},
      {"|x", "x", 2},
  };
  for (const auto& C : Cases) {
    Port.FlushInBuffer();
    ASSERT_TRUE(Pty.WriteMaster(C.Input));
    EXPECT_EQ(Port.WaitForMultiString(C.List, 36, false, true, '|'), C.Found) << C.List << " on " << C.Input;
  }
  // Any byte separates, the zero byte too.
  Port.FlushInBuffer();
  ASSERT_TRUE(Pty.WriteMaster("ERR"));
  EXPECT_EQ(Port.WaitForMultiString(AnsiString("OK\0ERR", 6), 36, false, false, '\0'), 2);
}

TEST_F(PtyWaits, PreparedWaitKeepsTheReplyFromTheTriggers)
{
  int32_t TriggerEvents = 0;
  Port.SetOnTriggerData([&](TObject*, uint16_t) { ++TriggerEvents; });
  Port.AddDataTrigger("OK", false);
  Port.PrepareWait();
  EXPECT_TRUE(Port.ActiveDispatcher()->EventBusy());
  Port.PutString("#005\r\n");
  ASSERT_TRUE(Pty.WriteMaster("OK\r\n>"));
  EXPECT_TRUE(Port.WaitForString("OK", 91, true, false));
  // It was not busy before PrepareWait, so the mark goes (a notification of
  // the bytes left over may hold it for a moment).
  EXPECT_TRUE(PumpUntil([&] { return !Port.ActiveDispatcher()->EventBusy(); }));
  PumpUntil([] { return false; }, 50);
  EXPECT_EQ(TriggerEvents, 0) << "the reply went to the wait, not to the trigger";
}

TEST_F(PtyWaits, APortPreparedForAWaitStillClosesAndOpensAgain)
{
  Port.PrepareWait();
  Port.SetOpen(false);
  EXPECT_FALSE(Port.Open());
  ASSERT_TRUE(PumpUntil([&] { return Port.PortStateValue() == psClosed; }));
  Port.SetOpen(true);
  ASSERT_TRUE(Port.Open());
  EXPECT_FALSE(Port.ActiveDispatcher()->EventBusy()) << "the mark went with the old dispatcher";
  ASSERT_TRUE(Pty.WriteMaster("OK"));
  EXPECT_TRUE(Port.WaitForString("OK", 91, false, false));
}
