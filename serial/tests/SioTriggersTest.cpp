#include "FakeDispatcher.h"
#include "TestClock.h"
#include "platform/Messages.h"
#include "serial/SioErrors.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace {

struct Note {
  uint32_t Msg;
  uint32_t W;
  int32_t L;
  bool operator==(const Note&) const = default;
};

// A method handler whose reaction to each notification the test chooses.
struct Listener {
  std::vector<Note> Notes;
  std::function<void(uint32_t Msg, uint32_t W, int32_t L)> React;
  void Notify(uint32_t Msg, uint32_t W, int32_t L)
  {
    Notes.push_back({Msg, W, L});
    if (React)
      React(Msg, W, L);
  }
  TSioNotifyEvent Event() { return MethodEvent(this, &Listener::Notify); }
  TMethod Method() const { return MethodOf(this, &Listener::Notify); }
  int32_t Count(uint32_t Msg) const
  {
    int32_t N = 0;
    for (const Note& X : Notes)
      N += X.Msg == Msg;
    return N;
  }
};

class Triggers : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_EQ(D.Open(), ecOK);
    ASSERT_EQ(D.RegisterEventTriggerHandler(L.Event()), ecOK);
  }

  // The dispatch thread's receive checks after new bytes.
  void Arrive(const AnsiString& Bytes)
  {
    D.Receive(Bytes);
    for (int I = 0; I < 10000 && D.CheckReceiveTriggers(); ++I) {
    }
  }

  int32_t LParam(uint32_t Data) const { return int32_t((uint32_t(D.Handle()) << 16) + Data); }

  TFakeDispatcher D;
  Listener L;
};

AnsiString ReadAll(TSioBaseDispatcher& D, uint32_t Len)
{
  AnsiString S(qsizetype(Len), '\0');
  return D.GetBlock(S.data(), Len) == int32_t(Len) ? S : AnsiString();
}

} // namespace

TEST(TriggerDelivery, NobodyToServeMeansNothingIsCalled)
{
  TFakeDispatcher D;
  ASSERT_EQ(D.Open(), ecOK);
  EXPECT_FALSE(D.HandlerServiceNeededValue());
  EXPECT_TRUE(D.SendNotify(TriggerAvailMsg, 3, 0));
}

TEST(TriggerDelivery, TheOnlyWindowIsThePortsOwnAndHearsOnlyWhenInstalled)
{
  TFakeDispatcher D;
  ASSERT_EQ(D.Open(), ecOK);
  int32_t Heard = 0;
  AnsiString Got;
  TMessageWindow W([&](uint32_t Msg, uintptr_t WParam, intptr_t) -> intptr_t {
    ++Heard;
    if (Msg == TriggerAvailMsg)
      Got = ReadAll(D, uint32_t(WParam));
    return 0;
  });
  ASSERT_EQ(D.RegisterWndTriggerHandler(W.Handle()), ecOK);
  D.Receive("abc");
  EXPECT_FALSE(D.SendNotify(TriggerAvailMsg, 3, 0)) << "nothing consumed what was announced";
  EXPECT_EQ(Heard, 0);
  D.UpdateHandlerFlags(fuEnablePort);
  EXPECT_TRUE(D.SendNotify(TriggerAvailMsg, 3, 0));
  EXPECT_EQ(Heard, 1);
  EXPECT_EQ(Got, AnsiString("abc"));
  EXPECT_EQ(D.InBuffUsed(), 0u);
  EXPECT_EQ(D.RegisterWndTriggerHandler(0), ecBadArgument);
}

TEST_F(Triggers, HandlersOfOneNotificationSeeTheSameBytes)
{
  Listener Second;
  ASSERT_EQ(D.RegisterEventTriggerHandler(Second.Event()), ecOK);
  AnsiString A, B;
  L.React = [&](uint32_t, uint32_t, int32_t) { A = ReadAll(D, 3); };
  Second.React = [&](uint32_t, uint32_t, int32_t) { B = ReadAll(D, 3); };
  D.Receive("abcdef");
  EXPECT_FALSE(D.SendNotify(TriggerAvailMsg, 6, 0)) << "only 3 of 6 taken";
  EXPECT_EQ(A, AnsiString("abc"));
  EXPECT_EQ(B, AnsiString("abc"));
  EXPECT_EQ(D.InBuffUsed(), 3u) << "the tail moved by the most one handler took";
  EXPECT_EQ(ReadAll(D, 3), AnsiString("def"));
}

TEST_F(Triggers, FlushInsideANotificationEmptiesTheRingWhenItEnds)
{
  L.React = [&](uint32_t, uint32_t, int32_t) {
    EXPECT_EQ(D.InBuffUsed(), 5u);
    D.FlushInBuffer();
  };
  D.Receive("hello");
  D.SendNotify(TriggerDataMsg, 8, 1);
  EXPECT_EQ(D.InBuffUsed(), 0u);
  EXPECT_FALSE(D.CharReady());
}

// A handler still to be called in the notification during which the input
// was flushed (a packet manager waiting for its lock while the main thread
// flushes) must not get the bytes from before the flush.
TEST_F(Triggers, HandlersAfterAFlushInTheSameNotificationFindNothing)
{
  Listener Second;
  ASSERT_EQ(D.RegisterEventTriggerHandler(Second.Event()), ecOK);
  AnsiString Got = "unset";
  char C = 0;
  L.React = [&](uint32_t, uint32_t, int32_t) { D.FlushInBuffer(); };
  Second.React = [&](uint32_t, uint32_t, int32_t) {
    EXPECT_EQ(D.InBuffUsed(), 0u);
    EXPECT_FALSE(D.CharReady());
    EXPECT_EQ(D.PeekChar(C, 1), ecBufferIsEmpty);
    EXPECT_EQ(D.GetChar(C), ecBufferIsEmpty);
    Got = ReadAll(D, 3);
  };
  D.Receive("old");
  D.SendNotify(TriggerAvailMsg, 3, 0);
  EXPECT_TRUE(Got.isEmpty());
  // Bytes that come after it are read as ever, in the next notification.
  L.React = nullptr;
  Second.React = [&](uint32_t, uint32_t, int32_t) { Got = ReadAll(D, 3); };
  D.Receive("new");
  EXPECT_TRUE(D.SendNotify(TriggerAvailMsg, 3, 0));
  EXPECT_EQ(Got, AnsiString("new"));
}

TEST_F(Triggers, DataTriggerMatching)
{
  const struct {
    const char* Pattern;
    bool IgnoreCase;
    const char* Input;
    int32_t Fired;
  } Cases[] =
      {
          {"OK", true, "ok", 1},        {"OK", true, "Ok", 1},
          {"OK", true, "xxOKyy", 1},    {"ok", true, "OK", 1},
          {"OK", false, "ok", 0},       {"OK", false, "xOxK", 0},
          {"aab", false, "aaab", 1},    // a candidate that failed part-way does not hide the match
          {"abab", false, "ababab", 1}, // matches never overlap
          {"aa", false, "aaaa", 2},     {"\r\n>", false, "x\r\r\n>", 1},
          {"", false, "anything", 0}, // an empty match string never matches
      };
  for (const auto& C : Cases) {
    TFakeDispatcher Dx;
    ASSERT_EQ(Dx.Open(), ecOK);
    Listener Lx;
    Dx.RegisterEventTriggerHandler(Lx.Event());
    const int32_t H = Dx.AddDataTrigger(C.Pattern, C.IgnoreCase);
    ASSERT_GT(H, 0) << C.Pattern;
    Dx.Receive(C.Input);
    for (int I = 0; I < 100 && Dx.CheckReceiveTriggers(); ++I) {
    }
    EXPECT_EQ(Lx.Count(TriggerDataMsg), C.Fired) << C.Pattern << " in " << C.Input;
    for (const Note& N : Lx.Notes) {
      EXPECT_EQ(N.W, uint32_t(H));
      EXPECT_EQ(N.L & 0xFFFF, int32_t(strlen(C.Pattern)));
    }
  }
}

TEST_F(Triggers, MatchStringsAreAtMost21Bytes)
{
  EXPECT_EQ(D.AddDataTrigger("1234567890123456789012", false), ecTriggerTooLong);
  EXPECT_GT(D.AddDataTrigger("123456789012345678901", false), 0);
  EXPECT_EQ(D.AddDataTriggerLen("x", false, 22), ecTriggerTooLong);
  EXPECT_EQ(D.AddDataTriggerLen(nullptr, false, 2), ecBadArgument);
  EXPECT_EQ(D.AddDataTrigger(nullptr, false), ecBadArgument);
}

TEST_F(Triggers, TwoTriggersOnOneByteFireLaterAddedFirstAfterTheAvailability)
{
  D.ChangeLengthTrigger(1);
  const int32_t HAB = D.AddDataTrigger("AB", false);
  const int32_t HB = D.AddDataTrigger("B", false);
  Arrive("xAB");
  ASSERT_GE(L.Notes.size(), size_t(3));
  EXPECT_EQ(L.Notes[0], (Note{TriggerAvailMsg, 1, LParam(0)})) << "the byte before AB";
  EXPECT_EQ(L.Notes[1], (Note{TriggerDataMsg, uint32_t(HB), LParam(1)}));
  EXPECT_EQ(L.Notes[2], (Note{TriggerDataMsg, uint32_t(HAB), LParam(2)}));
}

TEST_F(Triggers, AvailabilityRepeatsOnlyAfterNewBytes)
{
  D.ChangeLengthTrigger(1);
  L.React = [&](uint32_t Msg, uint32_t, int32_t) {
    if (Msg == TriggerAvailMsg)
      ReadAll(D, 2);
  };
  Arrive("abcd");
  ASSERT_EQ(L.Notes.size(), size_t(1));
  EXPECT_EQ(L.Notes[0].W, 4u);
  Arrive(AnsiString());
  EXPECT_EQ(L.Notes.size(), size_t(1)) << "two bytes left over announce nothing again";
  Arrive("e");
  ASSERT_EQ(L.Notes.size(), size_t(2));
  EXPECT_EQ(L.Notes[1].W, 3u);
}

TEST_F(Triggers, AvailabilityWaitsForTheThreshold)
{
  D.ChangeLengthTrigger(4);
  Arrive("abc");
  EXPECT_TRUE(L.Notes.empty());
  Arrive("d");
  ASSERT_EQ(L.Notes.size(), size_t(1));
  EXPECT_EQ(L.Notes[0].W, 4u);
}

TEST_F(Triggers, ATimerWakesTheDispatchThreadOnlyWhenItRunsOutSooner)
{
  // The dispatch thread sleeps until the first active timer runs out; a
  // timer set meanwhile needs it awake only if it runs out before that.
  TManualClock Clock(5500);
  const int32_t Planned = D.AddTimerTrigger();
  const int32_t Other = D.AddTimerTrigger();
  ASSERT_GT(Planned, 0);
  ASSERT_GT(Other, 0);
  struct Step {
    const char* Name;
    std::function<void()> Act;
    bool Wakes;
  };
  const Step Steps[] = {
      {"first timer while it sleeps without limit", [&] { D.SetTimerTrigger(Planned, 4, true); }, true},
      {"a later one", [&] { D.SetTimerTrigger(Other, 10, true); }, false},
      {"one switched off", [&] { D.SetTimerTrigger(Other, 0, false); }, false},
      {"an earlier one", [&] { D.SetTimerTrigger(Other, 1, true); }, true},
      {"extended past the planned wake-up", [&] { D.ExtendTimer(Other, 10); }, false},
      {"brought forward again", [&] { D.ExtendTimer(Other, -10); }, true},
  };
  for (const Step& S : Steps) {
    D.TimerWaitMs(); // the dispatch thread goes to sleep
    const int32_t Before = D.Wakes;
    S.Act();
    EXPECT_EQ(D.Wakes > Before, S.Wakes) << S.Name;
    Clock.Advance(1);
  }
  // While it ignores its timers (a notification is being handled) it is
  // woken for them.
  D.TimerWaitMs(true);
  int32_t Before = D.Wakes;
  D.SetTimerTrigger(Other, 10, true);
  EXPECT_GT(D.Wakes, Before);

  // A sleep capped at a second: a collection time-out of 91 ticks set
  // meanwhile waits for the next look.
  D.SetTimerTrigger(Planned, 0, false);
  D.SetTimerTrigger(Other, 0, false);
  EXPECT_EQ(D.TimerWaitMs(false, 1000), 1000u);
  Before = D.Wakes;
  D.SetTimerTrigger(Other, 91, true);
  EXPECT_EQ(D.Wakes, Before);
  EXPECT_EQ(D.TimerWaitMs(false, 1000), 1000u);
}

TEST_F(Triggers, TimerTriggerFiresOnceWhenItRunsOut)
{
  TManualClock Clock(5500);
  const int32_t H = D.AddTimerTrigger();
  ASSERT_GT(H, 0);
  EXPECT_EQ(D.TimerWaitMs(), INFINITE) << "inactive timers need no wake-up";
  ASSERT_EQ(D.SetTimerTrigger(H, 2, true), ecOK);
  EXPECT_EQ(D.TimerWaitMs(), 165u);
  int32_t Left = -1;
  EXPECT_EQ(D.TimerTicksRemaining(H, Left), ecOK);
  EXPECT_EQ(Left, 2);
  Clock.Advance(110);
  EXPECT_FALSE(D.CheckTimerTriggers());
  EXPECT_EQ(D.ExtendTimer(H, 1), ecOK);
  Clock.Advance(55);
  EXPECT_FALSE(D.CheckTimerTriggers()) << "extended by one tick";
  Clock.Advance(55);
  EXPECT_TRUE(D.CheckTimerTriggers());
  EXPECT_EQ(L.Notes, (std::vector<Note>{{TriggerTimerMsg, uint32_t(H), LParam(0)}}));
  EXPECT_FALSE(D.CheckTimerTriggers()) << "inactive after firing";
  // Re-armed with the length it had.
  ASSERT_EQ(D.SetTimerTrigger(H, 0, true), ecOK);
  Clock.Advance(165);
  EXPECT_TRUE(D.CheckTimerTriggers());
}

TEST_F(Triggers, OperationsOnTheWrongKindOfHandleFail)
{
  const int32_t Data = D.AddDataTrigger("x", false);
  const int32_t Status = D.AddStatusTrigger(StatusOutSent);
  int32_t Left = 7;
  EXPECT_EQ(D.SetTimerTrigger(uint32_t(Data), 1, true), ecBadTriggerHandle);
  EXPECT_EQ(D.ExtendTimer(uint32_t(Status), 1), ecBadTriggerHandle);
  EXPECT_EQ(D.TimerTicksRemaining(12345, Left), ecBadTriggerHandle);
  EXPECT_EQ(Left, 0);
  EXPECT_EQ(D.SetStatusTrigger(uint32_t(Data), 1, true), ecBadTriggerHandle);
}

TEST_F(Triggers, RemoveTrigger)
{
  D.ChangeLengthTrigger(5);
  const int32_t T = D.AddTimerTrigger();
  const struct {
    uint32_t Handle;
    int32_t Result;
  } Cases[] = {{1, ecOK},
               {0, ecBadTriggerHandle},
               {uint32_t(T), ecOK},
               {uint32_t(T), ecBadTriggerHandle},
               {4000, ecBadTriggerHandle}};
  for (const auto& C : Cases)
    EXPECT_EQ(D.RemoveTrigger(C.Handle), C.Result) << C.Handle;
  EXPECT_EQ(D.LenTriggerValue(), 0u);
}

TEST_F(Triggers, StatusTriggerHandlesCarryTheirKind)
{
  EXPECT_EQ(D.AddStatusTrigger(6), ecBadArgument);
  for (uint32_t Kind = StatusModem; Kind <= StatusOutSent; ++Kind) {
    const int32_t H = D.AddStatusTrigger(Kind);
    ASSERT_GT(H, 0);
    EXPECT_EQ(TSioBaseDispatcher::ClassifyStatusTrigger(uint32_t(H)), Kind);
    EXPECT_EQ(H & ~7, (H / 8) * 8);
  }
}

TEST_F(Triggers, OutputUsedTriggerFiresOnceWhenDrained)
{
  const int32_t H = D.AddStatusTrigger(StatusOutUsed);
  ASSERT_EQ(D.SetStatusTrigger(uint32_t(H), 0, true), ecOK);
  D.PutString("abc");
  EXPECT_FALSE(D.CheckStatusTriggers());
  D.Drain();
  EXPECT_TRUE(D.CheckStatusTriggers());
  EXPECT_EQ(L.Notes, (std::vector<Note>{{TriggerStatusMsg, uint32_t(H), LParam(0)}}));
  D.ResetStatusHits();
  EXPECT_FALSE(D.CheckStatusTriggers()) << "silent until activated again";
  D.SetStatusTrigger(uint32_t(H), 0, true);
  EXPECT_TRUE(D.CheckStatusTriggers());
}

TEST_F(Triggers, OutputFreeTriggerReportsTheFreeCount)
{
  const int32_t H = D.AddStatusTrigger(StatusOutFree);
  D.PutString(AnsiString(4000, 'x'));
  ASSERT_EQ(D.SetStatusTrigger(uint32_t(H), 1000, true), ecOK);
  EXPECT_FALSE(D.CheckStatusTriggers());
  D.Drain();
  EXPECT_TRUE(D.CheckStatusTriggers());
  ASSERT_EQ(L.Notes.size(), size_t(1));
  EXPECT_EQ(L.Notes[0].L & 0xFFFF, 4096);
}

TEST_F(Triggers, ModemLineAndOutputSentTriggers)
{
  const int32_t Modem = D.AddStatusTrigger(StatusModem);
  const int32_t Line = D.AddStatusTrigger(StatusLine);
  const int32_t Sent = D.AddStatusTrigger(StatusOutSent);
  D.SetStatusTrigger(uint32_t(Modem), 0x10, true); // CTS, now low
  D.SetStatusTrigger(uint32_t(Line), 4, true);     // framing errors
  D.SetStatusTrigger(uint32_t(Sent), 0, true);
  EXPECT_FALSE(D.CheckStatusTriggers());

  D.ModemLines = 0x10;
  D.GetModemStatus();
  EXPECT_TRUE(D.CheckStatusTriggers());
  D.ErrorBits = LineError::RxParity; // not watched
  D.RefreshStatus();
  EXPECT_FALSE(D.CheckStatusTriggers());
  D.ErrorBits = LineError::Frame;
  D.RefreshStatus();
  EXPECT_TRUE(D.CheckStatusTriggers());
  D.PutString("x");
  EXPECT_TRUE(D.CheckStatusTriggers());
  EXPECT_FALSE(D.CheckStatusTriggers());
  ASSERT_EQ(L.Notes.size(), size_t(3));
  EXPECT_EQ(L.Notes[0].W, uint32_t(Modem));
  EXPECT_EQ(L.Notes[1].W, uint32_t(Line));
  EXPECT_EQ(L.Notes[2].W, uint32_t(Sent));
}

TEST_F(Triggers, HandlesAreReusedOnceTheCounterRunsOut)
{
  std::vector<int32_t> Handles;
  for (int I = 0; I < 4095; ++I)
    Handles.push_back(D.AddTimerTrigger());
  EXPECT_EQ(Handles.front(), 8);
  EXPECT_EQ(Handles.back(), 32760);
  ASSERT_EQ(D.RemoveTrigger(16), ecOK);
  ASSERT_EQ(D.RemoveTrigger(4096), ecOK);
  ASSERT_EQ(D.RemoveTrigger(4104), ecOK);
  EXPECT_EQ(D.AddTimerTrigger(), 16);
  EXPECT_EQ(D.AddDataTrigger("x", false), 4096);
  EXPECT_EQ(D.AddStatusTrigger(StatusOutSent), ecNoMoreTriggers) << "4104 is above the reuse limit";
  D.RemoveAllTriggers();
  EXPECT_EQ(D.AddTimerTrigger(), 8);
}

TEST_F(Triggers, SavedTriggersComeBackWithTheirHandles)
{
  D.ChangeLengthTrigger(7);
  const int32_t Data = D.AddDataTrigger("END", true);
  const int32_t Timer = D.AddTimerTrigger();
  TTriggerSave Save;
  D.SaveTriggers(Save);
  D.RemoveAllTriggers();
  D.RestoreTriggers(Save);
  EXPECT_EQ(D.LenTriggerValue(), 7u);
  EXPECT_EQ(D.SetTimerTrigger(uint32_t(Timer), 3, true), ecOK);
  const int32_t Fresh = D.AddTimerTrigger();
  EXPECT_NE(Fresh, Data);
  EXPECT_NE(Fresh, Timer);
  D.ChangeLengthTrigger(0);
  Arrive("the end");
  EXPECT_EQ(L.Notes, (std::vector<Note>{{TriggerDataMsg, uint32_t(Data), LParam(3)}}));
  TSioBaseDispatcher::ClearSaveBuffers(Save);
  EXPECT_TRUE(Save.tsDataTriggers.empty());
}

TEST_F(Triggers, HandlerRemovedInsideItsNotificationGoesWhenTheDeliveryEnds)
{
  Listener Other; // the same method on another object
  D.RegisterEventTriggerHandler(Other.Event());
  L.React = [&](uint32_t, uint32_t, int32_t) {
    D.DeregisterEventTriggerHandler(L.Method());
    EXPECT_TRUE(D.EventBusy());
  };
  D.SendNotify(TriggerTimerMsg, 8, 0);
  EXPECT_EQ(L.Notes.size(), size_t(1));
  EXPECT_EQ(Other.Notes.size(), size_t(1)) << "still called in the same delivery";
  D.SendNotify(TriggerTimerMsg, 8, 0);
  EXPECT_EQ(L.Notes.size(), size_t(1)) << "not called again";
  EXPECT_EQ(Other.Notes.size(), size_t(2)) << "the other object's handler stays";
  EXPECT_FALSE(D.EventBusy());
}

namespace {
std::vector<uint32_t> ProcCalls;
void ProcHandler(uint32_t Msg, uint32_t, int32_t) { ProcCalls.push_back(Msg); }
} // namespace

TEST_F(Triggers, ProcedureHandlersAndTheirRemoval)
{
  ProcCalls.clear();
  EXPECT_EQ(D.RegisterProcTriggerHandler(nullptr), ecBadArgument);
  ASSERT_EQ(D.RegisterProcTriggerHandler(ProcHandler), ecOK);
  D.SendNotify(TriggerStatusMsg, 13, 0);
  EXPECT_EQ(ProcCalls, std::vector<uint32_t>{TriggerStatusMsg});
  D.DeregisterProcTriggerHandler(ProcHandler);
  D.DeregisterEventTriggerHandler(L.Method());
  EXPECT_TRUE(D.HandlerServiceNeededValue()) << "a removal leaves the flags to the next clean-up";
  D.DeregisterProcTriggerHandler(ProcHandler);
  EXPECT_FALSE(D.HandlerServiceNeededValue()) << "a deregistration that finds nothing recomputes them";
  D.SendNotify(TriggerStatusMsg, 13, 0);
  EXPECT_EQ(ProcCalls.size(), size_t(1));
}

TEST_F(Triggers, AFailingHandlerDoesNotEndTheDelivery)
{
  Listener After;
  D.RegisterEventTriggerHandler(After.Event());
  L.React = [](uint32_t, uint32_t, int32_t) { throw std::runtime_error("handler failed"); };
  D.Receive("abc");
  D.SendNotify(TriggerDataMsg, 8, 1);
  EXPECT_EQ(After.Notes.size(), size_t(1));
  EXPECT_FALSE(D.EventBusy());
  EXPECT_EQ(D.InBuffUsed(), 3u);
}

TEST_F(Triggers, CloseFromInsideAHandlerEndsTheDelivery)
{
  Listener After;
  D.RegisterEventTriggerHandler(After.Event());
  L.React = [&](uint32_t, uint32_t, int32_t) { D.DonePort(); };
  EXPECT_FALSE(D.SendNotify(TriggerTimerMsg, 8, 0));
  EXPECT_TRUE(D.ClosePendingSet());
  EXPECT_TRUE(After.Notes.empty());
  EXPECT_FALSE(D.EventBusy());
}
