#include "sim/InstrumentSimulator.h"

#include "sim/CastProfile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace sim;

namespace {

constexpr int Patience = 5000; // ms; only reached when a test fails

// The program's end of the line.
class PortEnd {
public:
  explicit PortEnd(const std::string& Path) : FFd(open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
  {
    termios T{};
    if (FFd >= 0 && tcgetattr(FFd, &T) == 0) {
      cfmakeraw(&T);
      tcsetattr(FFd, TCSANOW, &T);
    }
  }
  ~PortEnd()
  {
    if (FFd >= 0)
      close(FFd);
  }
  bool IsOpen() const { return FFd >= 0; }
  void Write(const AnsiString& S) { ASSERT_EQ(write(FFd, S.constData(), size_t(S.size())), S.size()); }
  // Everything read until Done holds, the line hangs up, or time runs out.
  template <class Pred>
  AnsiString ReadWhile(Pred Done)
  {
    const auto End = std::chrono::steady_clock::now() + std::chrono::milliseconds(Patience);
    while (!Done(FIn) && !FEof && std::chrono::steady_clock::now() < End) {
      pollfd P{FFd, POLLIN, 0};
      poll(&P, 1, 50);
      char Buf[65536];
      const ssize_t N = read(FFd, Buf, sizeof Buf);
      if (N > 0)
        FIn.append(Buf, N);
      else if (N == 0 || (errno != EAGAIN && errno != EINTR))
        FEof = true;
    }
    return FIn;
  }
  AnsiString ReadUntil(const AnsiString& Tail)
  {
    return ReadWhile([&](const AnsiString& In) { return In.contains(Tail); });
  }
  AnsiString ReadCount(qsizetype N)
  {
    return ReadWhile([&](const AnsiString& In) { return In.size() >= N; });
  }
  AnsiString ReadToHangUp()
  {
    return ReadWhile([](const AnsiString&) { return false; });
  }
  bool Eof() const { return FEof; }
  void Clear() { FIn.clear(); }

private:
  int FFd;
  AnsiString FIn;
  bool FEof = false;
};

struct Rig {
  explicit Rig(InstrumentKind Kind, bool Running = false) : Sim(Kind)
  {
    Sim.SetRunning(Running);
    Sim.SetIntervalMs(5);
    Sim.Start();
  }
  InstrumentSimulator Sim;
  PortEnd Port{Sim.SlavePath()};
};

} // namespace

TEST(InstrumentSimulator, LateReplyAndEverythingRecorded)
{
  Rig R(InstrumentKind::Quorndeck);
  ASSERT_TRUE(R.Port.IsOpen());
  R.Sim.SetReplyDelayMs(300);
  const auto T0 = std::chrono::steady_clock::now();
  R.Port.Write("#034\r\n");
  EXPECT_EQ(R.Port.ReadUntil(">"), AnsiString("#034\r\n12345\r\n>"));
  EXPECT_GE(std::chrono::steady_clock::now() - T0, std::chrono::milliseconds(300));
  EXPECT_TRUE(R.Sim.WaitForReceived("#034\r\n", Patience));
  EXPECT_FALSE(R.Sim.WaitForReceived("#035", 20));
  R.Sim.ClearReceived();
  EXPECT_EQ(R.Sim.Received(), AnsiString());
}

// Bytes on the line are recorded even when the instrument does not answer
// them (another address, or a line too long for its buffer).
TEST(InstrumentSimulator, RecordsUnansweredLinesAndAnswersTheNext)
{
  Rig R(InstrumentKind::Quorndeck);
  R.Sim.SetMode(LineMode::RS485);
  R.Sim.SetAddress(12);
  const AnsiString Long = "12:#034" + AnsiString(300, 'x') + "\r\n"; // overflows the input buffer
  R.Port.Write("05:#034\r\n" + Long + "12:#034\r\n");
  EXPECT_EQ(R.Port.ReadUntil(">"), AnsiString("12345\r\n>"));
  EXPECT_EQ(R.Sim.Received(), "05:#034\r\n" + Long + "12:#034\r\n");
}

// Faults, each limited to one command so that the next command's answer
// shows what the faulty one produced, without waiting on a clock.
TEST(InstrumentSimulator, ReplyFaults)
{
  const struct {
    ReplyFault Fault;
    const char* Expected; // for "#010" then "#034"
  } Cases[] = {
      {ReplyFault::Silent, "#034\r\n12345\r\n>"},
      {ReplyFault::Error, "#010\r\nERROR\r\n>#034\r\n12345\r\n>"},
  };
  for (const auto& C : Cases) {
    Rig R(InstrumentKind::Quorndeck);
    R.Sim.SetReplyFault(C.Fault, "#010");
    R.Port.Write("#010\r\n#034\r\n");
    EXPECT_EQ(R.Port.ReadUntil("12345\r\n>"), AnsiString(C.Expected)) << int(C.Fault);
  }
}

TEST(InstrumentSimulator, GarbageReplyHasNoLineEndsNorPrompt)
{
  Rig R(InstrumentKind::Quorndeck);
  R.Sim.SetReplyFault(ReplyFault::Garbage, "#034");
  R.Port.Write("#034\r\n#050\r\n");
  const AnsiString In = R.Port.ReadUntil("9.8167459\r\n>");
  const qsizetype Noise = AnsiString("#034\r\n12345\r\n>").size();
  ASSERT_EQ(In.size(), Noise + AnsiString("#050\r\n1023.0147;9.8167459\r\n>").size());
  for (char C : In.left(Noise))
    EXPECT_TRUE(C != '\r' && C != '\n' && C != '>');
}

// A silent instrument does not even leave run mode.
TEST(InstrumentSimulator, SilentBreakKeepsStreaming)
{
  Rig R(InstrumentKind::Quorndeck, true);
  R.Sim.SetReplyFault(ReplyFault::Silent);
  R.Port.Write("#\r\n");
  ASSERT_TRUE(R.Sim.WaitForReceived("#\r\n", Patience));
  // A reply would go out ahead of every sample made after the break was
  // heard, so once four such samples are in, no reply is coming.
  const int64_t Before = R.Sim.SamplesSent();
  const AnsiString In = R.Port.ReadWhile([&](const AnsiString& S) { return S.count("\r\n") >= Before + 4; });
  EXPECT_GE(In.count("\r\n"), Before + 4);
  EXPECT_FALSE(In.contains("You"));
  EXPECT_TRUE(R.Sim.Running());
}

// The stream is the generated cast, sample by sample from the surface.
TEST(InstrumentSimulator, StreamsTheCastAndStopsAtTheBreak)
{
  Rig R(InstrumentKind::Quorndeck);
  CastParams P;
  P.MaxDepth = 10;
  P.StepMetres = 1;
  R.Sim.SetProfile(P);
  R.Sim.SetRunning(true);
  const AnsiString In = R.Port.ReadWhile([](const AnsiString& S) { return S.count("\r\n") >= 4; });
  const CastProfile C(P);
  AnsiString Expected;
  for (int I = 0; I < 4; ++I)
    Expected += CastProfile::DataString(C.Sample(I));
  EXPECT_TRUE(In.startsWith(Expected));

  // Nothing of the stream may follow the break's reply.
  R.Port.Write("#\r\n");
  const AnsiString AfterBreak = R.Port.ReadUntil("command mode\r\n>");
  R.Port.Clear();
  EXPECT_TRUE(AfterBreak.endsWith("#\r\nYou are now in command mode\r\n>"));
  R.Port.Write("#034\r\n");
  EXPECT_EQ(R.Port.ReadUntil(">"), AnsiString("#034\r\n12345\r\n>"));
  EXPECT_FALSE(R.Sim.Running());
}

TEST(InstrumentSimulator, ModularRunOnTheBusStreamsAddressedLines)
{
  Rig R(InstrumentKind::Qyr);
  R.Sim.SetMode(LineMode::RS485);
  R.Sim.SetUnits({3, 4});
  R.Port.Write("99:#028\r\n");
  const AnsiString In = R.Port.ReadWhile([](const AnsiString& S) { return S.count("\r\n") >= 5; });
  ASSERT_TRUE(In.startsWith("\r\nGO\r\n>03:")) << In.toStdString();
  EXPECT_TRUE(In.contains("\r\n>04:"));
}

TEST(InstrumentSimulator, InjectedBytes)
{
  Rig R(InstrumentKind::Quorndeck);
  R.Sim.SetDropEvery(3);
  R.Sim.SendRaw("abcdefghi");
  EXPECT_EQ(R.Port.ReadCount(6), AnsiString("abdegh"));
  R.Sim.SetDropEvery(0);
  R.Port.Clear();

  R.Sim.SendGarbage(5000);
  const AnsiString Noise = R.Port.ReadCount(5000);
  EXPECT_EQ(Noise.size(), 5000);
  EXPECT_FALSE(Noise.contains('\r') || Noise.contains('\n') || Noise.contains('>'));
  R.Port.Clear();

  R.Sim.SendOverLongLine(100000);
  const AnsiString Long = R.Port.ReadCount(100002);
  ASSERT_EQ(Long.size(), 100002);
  EXPECT_TRUE(Long.endsWith("\r\n"));
  EXPECT_EQ(Long.count('\n'), 1);
}

// The hang-up cuts the reply after half its first line; the program gets
// that half, then the line is dead.
TEST(InstrumentSimulator, HangUpInTheMiddleOfALine)
{
  Rig R(InstrumentKind::Quorndeck);
  R.Sim.HangUpMidLine();
  R.Port.Write("#034\r\n");
  EXPECT_EQ(R.Port.ReadToHangUp(), AnsiString("#034\r\n123"));
  EXPECT_TRUE(R.Port.Eof());
  EXPECT_TRUE(R.Sim.HungUp());
}
