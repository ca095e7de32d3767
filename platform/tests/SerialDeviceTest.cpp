#include "platform/PtyPair.h"
#include "platform/SerialDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <future>
#include <string>
#include <vector>

#include <QTemporaryFile>

#include <atomic>
#include <fcntl.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// Bounds every wait of these tests: long enough for a loaded machine, short
// enough that a hang fails the test instead of the whole run.
constexpr int32_t WaitMs = 5000;
constexpr auto ThreadBound = 5s;

// Sets an environment variable for the length of a test.
class ScopedEnv {
public:
  ScopedEnv(const char* Name, const char* Value) : FName(Name)
  {
    if (const char* Old = getenv(Name)) {
      FHad = true;
      FOld = Old;
    }
    if (Value)
      setenv(Name, Value, 1);
    else
      unsetenv(Name);
  }
  ~ScopedEnv()
  {
    if (FHad)
      setenv(FName.c_str(), FOld.c_str(), 1);
    else
      unsetenv(FName.c_str());
  }

private:
  std::string FName, FOld;
  bool FHad = false;
};

// A port open on the slave side of a fresh pty pair.
class OpenPort : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Pty.IsOpen());
    ASSERT_EQ(Dev.OpenPath(Pty.SlavePath()), SysErr::Success);
  }

  // Everything waiting on the slave side, read until Count bytes came.
  AnsiString ReadPort(int32_t Count)
  {
    AnsiString Got;
    while (Got.size() < Count) {
      if (Dev.WaitReadable(WaitMs) != SysErr::Success)
        break;
      char Buf[512];
      uint32_t N = 0;
      if (Dev.Read(Buf, sizeof Buf, N) != SysErr::Success)
        break;
      Got.append(Buf, N);
    }
    return Got;
  }

  PtyPair Pty;
  SerialDevice Dev;
};

AnsiString AllByteValues()
{
  AnsiString S;
  for (int I = 0; I < 256; ++I)
    S.append(char(I));
  return S;
}

template <typename T>
bool Finishes(std::future<T>& F)
{
  return F.wait_for(ThreadBound) == std::future_status::ready;
}

} // namespace

TEST(SerialPortNames, ComNamesParseToTheirNumber)
{
  const struct {
    const char* Name;
    int32_t Number;
  } Cases[] = {
      {"COM1", 1},
      {"com3", 3},
      {"Com12", 12},
      {"\\\\.\\COM3", 3},       // \\.\COM3
      {"\\\\\\\\.\\\\COM3", 3}, // \\\\.\\COM3, a C literal taken verbatim
      {"COM256", 256},
      {"COM257", 0},
      {"COM0", 0},
      {"COM03", 0},
      {"COM", 0},
      {"COM3x", 0},
      {"COM-1", 0},
      {" COM3", 0},
      {"COM1000", 0},
      {"LPT1", 0},
      {"/dev/ttyUSB0", 0},
      {"\\\\.\\", 0},
      {"\\\\.\\LPT1", 0},
      {"", 0},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(ParseComPortName(QString::fromLatin1(C.Name)), C.Number) << C.Name;
}

TEST(SerialPortNames, DevicePathComesFromTheEnvironmentElseTtyS)
{
  {
    ScopedEnv Env("FATHOMIX_COM201", "/dev/ttyUSB7");
    EXPECT_EQ(ComPortDevicePath(201), QStringLiteral("/dev/ttyUSB7"));
  }
  {
    ScopedEnv Env("FATHOMIX_COM202", nullptr);
    EXPECT_EQ(ComPortDevicePath(202), QStringLiteral("/dev/ttyS201"));
  }
  {
    ScopedEnv Env("FATHOMIX_COM1", "");
    EXPECT_EQ(ComPortDevicePath(1), QStringLiteral("/dev/ttyS0"));
  }
}

TEST(SerialPortNames, ProbeFindsPortsWithoutOpeningThem)
{
  PtyPair Pty;
  ASSERT_TRUE(Pty.IsOpen());
  ScopedEnv Present("FATHOMIX_COM203", Pty.SlavePath().toLocal8Bit().constData());
  ScopedEnv Absent("FATHOMIX_COM204", "/dev/no-such-serial-device");
  SerialDevice Holder;
  ASSERT_EQ(Holder.Open(QStringLiteral("COM203")), SysErr::Success);
  // A port in use is still present.
  EXPECT_TRUE(SerialPortExists(QStringLiteral("\\\\.\\COM203")));
  EXPECT_FALSE(SerialPortExists(QStringLiteral("COM204")));
  EXPECT_FALSE(SerialPortExists(QStringLiteral("COMX")));
}

TEST(SerialDeviceOpen, FailuresCarryTheirSystemErrorNumber)
{
  QTemporaryFile Plain;
  ASSERT_TRUE(Plain.open());
  ScopedEnv Missing("FATHOMIX_COM205", "/dev/no-such-serial-device");
  ScopedEnv NotATty("FATHOMIX_COM206", Plain.fileName().toLocal8Bit().constData());
  const struct {
    const char* Name;
    uint32_t Error;
  } Cases[] = {
      {"COM205", SysErr::FileNotFound},
      {"COM206", SysErr::FileNotFound},
      {"LPT1", SysErr::FileNotFound},
      {"COM0", SysErr::FileNotFound},
  };
  for (const auto& C : Cases) {
    SerialDevice Dev;
    SetSerialLastError(0);
    EXPECT_EQ(Dev.Open(QString::fromLatin1(C.Name)), C.Error) << C.Name;
    EXPECT_EQ(SerialLastError(), C.Error) << C.Name;
    EXPECT_FALSE(Dev.IsOpen()) << C.Name;
  }
}

TEST(SerialDeviceOpen, ComNameOpensTheMappedDevice)
{
  PtyPair Pty;
  ASSERT_TRUE(Pty.IsOpen());
  ScopedEnv Env("FATHOMIX_COM207", Pty.SlavePath().toLocal8Bit().constData());
  SerialDevice Dev;
  ASSERT_EQ(Dev.Open(QStringLiteral("\\\\.\\COM207")), SysErr::Success);
  EXPECT_EQ(Dev.DevicePath(), Pty.SlavePath());
  EXPECT_TRUE(Dev.IsPseudoTerminal());
  ASSERT_TRUE(Pty.WriteMaster("ok"));
  ASSERT_EQ(Dev.WaitReadable(WaitMs), SysErr::Success);
}

TEST(SerialDeviceOpen, ALineLeftHungUpComesUpUsable)
{
  PtyPair Pty;
  ASSERT_TRUE(Pty.IsOpen());
  // Another program left the line at rate 0 with blank control characters.
  const int Fd = open(Pty.SlavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
  ASSERT_GE(Fd, 0);
  termios T{};
  ASSERT_EQ(tcgetattr(Fd, &T), 0);
  cfsetspeed(&T, B0);
  T.c_cc[VSTART] = T.c_cc[VSTOP] = 0;
  ASSERT_EQ(tcsetattr(Fd, TCSANOW, &T), 0);
  close(Fd);

  SerialDevice Dev;
  ASSERT_EQ(Dev.OpenPath(Pty.SlavePath()), SysErr::Success);
  SerialLineState S;
  ASSERT_EQ(Dev.GetState(S), SysErr::Success);
  EXPECT_EQ(S.BaudRate, 9600u);
  EXPECT_EQ(S.XonChar, 17);
  EXPECT_EQ(S.XoffChar, 19);
  // What GetState gives, SetState takes back.
  EXPECT_EQ(Dev.SetState(S), SysErr::Success) << Dev.LastRefusal().toStdString();
}

TEST(SerialDeviceOpen, OpenIsExclusiveEvenInOneProcessAndForRoot)
{
  PtyPair Pty;
  ASSERT_TRUE(Pty.IsOpen());
  SerialDevice First, Second;
  ASSERT_EQ(First.OpenPath(Pty.SlavePath()), SysErr::Success);
  SetSerialLastError(0);
  EXPECT_EQ(Second.OpenPath(Pty.SlavePath()), SysErr::AccessDenied);
  EXPECT_EQ(SerialLastError(), SysErr::AccessDenied);
  EXPECT_EQ(First.OpenPath(Pty.SlavePath()), SysErr::AccessDenied); // already open
  First.Close();
  EXPECT_FALSE(First.IsOpen());
  ASSERT_EQ(Second.OpenPath(Pty.SlavePath()), SysErr::Success);
  EXPECT_EQ(First.OpenPath(Pty.SlavePath()), SysErr::AccessDenied);
}

TEST(SerialDeviceOpen, CallsOnAClosedDeviceFailWithInvalidHandle)
{
  SerialDevice Dev;
  char Buf[4];
  uint32_t N = 0, Events = 0, Status = 0;
  SerialLineState State;
  EXPECT_EQ(Dev.Read(Buf, sizeof Buf, N), SysErr::InvalidHandle);
  EXPECT_EQ(Dev.Write("x", 1, N), SysErr::InvalidHandle);
  EXPECT_EQ(Dev.WaitReadable(0), SysErr::InvalidHandle);
  EXPECT_EQ(Dev.WaitEvent(Events, 0), SysErr::InvalidHandle);
  EXPECT_EQ(Dev.GetState(State), SysErr::InvalidHandle);
  EXPECT_EQ(Dev.GetModemStatus(Status), SysErr::InvalidHandle);
  EXPECT_EQ(SerialLastError(), SysErr::InvalidHandle);
  Dev.Close(); // harmless
}

TEST_F(OpenPort, CloseGivesTheDeviceBackItsSettings)
{
  SerialLineState Before;
  ASSERT_EQ(Dev.GetState(Before), SysErr::Success);
  SerialLineState Changed = Before;
  Changed.BaudRate = Before.BaudRate == 1200 ? 2400 : 1200;
  Changed.Flags |= LineFlag::OutX;
  ASSERT_EQ(Dev.SetState(Changed), SysErr::Success);
  Dev.Close();
  ASSERT_EQ(Dev.OpenPath(Pty.SlavePath()), SysErr::Success);
  SerialLineState After;
  ASSERT_EQ(Dev.GetState(After), SysErr::Success);
  EXPECT_EQ(After.BaudRate, Before.BaudRate);
  EXPECT_EQ(After.Flags, Before.Flags);
}

TEST_F(OpenPort, BytesHandedOverBeforeCloseStillReachTheFarSide)
{
  // The last telegram written before a port closes was sent: closing must
  // not take it back from the far side.
  uint32_t Sent = 0;
  ASSERT_EQ(Dev.WriteAll("bye\r\n", 5, Sent, WaitMs), SysErr::Success);
  Dev.Close();
  EXPECT_EQ(Pty.ReadMaster(5, WaitMs), AnsiString("bye\r\n"));
}

TEST_F(OpenPort, EveryByteValuePassesUnchangedBothWays)
{
  const AnsiString Bytes = AllByteValues() + AllByteValues();
  ASSERT_TRUE(Pty.WriteMaster(Bytes));
  EXPECT_EQ(ReadPort(Bytes.size()), Bytes);

  uint32_t Sent = 0;
  ASSERT_EQ(Dev.WriteAll(Bytes.constData(), uint32_t(Bytes.size()), Sent, WaitMs), SysErr::Success);
  EXPECT_EQ(Sent, uint32_t(Bytes.size()));
  EXPECT_EQ(Pty.ReadMaster(Bytes.size(), WaitMs), Bytes);
}

TEST_F(OpenPort, ReadReturnsAtOnceWhenNothingWaits)
{
  char Buf[16];
  uint32_t Got = 99;
  EXPECT_EQ(Dev.Read(Buf, sizeof Buf, Got), SysErr::Success);
  EXPECT_EQ(Got, 0u);
  EXPECT_EQ(Dev.WaitReadable(20), SysErr::Timeout);
}

TEST_F(OpenPort, LineSettingsAreAppliedAndReadBack)
{
  using namespace LineFlag;
  const uint32_t Plain = Binary | TxContinueOnXoff | DtrEnable | RtsEnable;
  const struct {
    uint32_t Baud;
    uint8_t Bits, Parity, Stop;
    uint32_t Flags;
    uint8_t Xon, Xoff;
  } Cases[] = {
      {9600, 8, 0, 0, Plain, 17, 19},
      {19200, 7, 2, 0, Plain | ParityCheck, 17, 19},
      {110, 8, 1, 2, Plain, 17, 19},
      {115200, 6, 3, 0, Plain, 17, 19}, // mark
      {31250, 8, 4, 2, Plain, 17, 19},  // space; MIDI rate
      {1200, 5, 0, 1, Plain, 17, 19},   // 5 bits with 1.5 stop bits
      {14400, 8, 0, 0, Plain, 17, 19},  // rates without a Bxxx code
      {56000, 8, 0, 0, Plain, 17, 19},
      {128000, 8, 0, 0, Plain, 17, 19},
      {250000, 8, 0, 0, Plain, 17, 19},
      {256000, 8, 0, 0, Plain, 17, 19},
      {4000000, 8, 0, 0, Plain, 17, 19},
      {38400, 8, 0, 0, (Plain & ~RtsControlMask) | OutxCtsFlow | RtsHandshake, 17, 19},
      {38400, 8, 0, 0, Plain | OutxCtsFlow, 17, 19},
      {57600, 8, 0, 0, Plain | OutX | InX, 'Q', 'S'},
      {57600, 8, 0, 0, (Plain & ~DtrControlMask & ~RtsControlMask), 17, 19}, // DTR, RTS low
  };
  for (const auto& C : Cases) {
    SerialLineState Want;
    Want.BaudRate = C.Baud;
    Want.ByteSize = C.Bits;
    Want.Parity = C.Parity;
    Want.StopBits = C.Stop;
    Want.Flags = C.Flags;
    Want.XonChar = C.Xon;
    Want.XoffChar = C.Xoff;
    Want.XonLim = 100;
    Want.XoffLim = 200;
    const std::string Row = "baud " + std::to_string(C.Baud) + " bits " + std::to_string(C.Bits);
    ASSERT_EQ(Dev.SetState(Want), SysErr::Success) << Row << ": " << Dev.LastRefusal().toStdString();
    SerialLineState Got;
    ASSERT_EQ(Dev.GetState(Got), SysErr::Success) << Row;
    EXPECT_EQ(Got.BaudRate, Want.BaudRate) << Row;
    EXPECT_EQ(Got.ByteSize, Want.ByteSize) << Row;
    EXPECT_EQ(Got.Parity, Want.Parity) << Row;
    EXPECT_EQ(Got.StopBits, Want.StopBits) << Row;
    EXPECT_EQ(Got.Flags, Want.Flags) << Row;
    EXPECT_EQ(Got.XonChar, Want.XonChar) << Row;
    EXPECT_EQ(Got.XoffChar, Want.XoffChar) << Row;
    EXPECT_EQ(Got.XonLim, Want.XonLim) << Row;
    EXPECT_EQ(Got.XoffLim, Want.XoffLim) << Row;
  }
}

TEST_F(OpenPort, SettingsTermiosCannotDoAreRefusedAndChangeNothing)
{
  using namespace LineFlag;
  SerialLineState Before;
  Before.BaudRate = 19200;
  ASSERT_EQ(Dev.SetState(Before), SysErr::Success);
  ASSERT_EQ(Dev.GetState(Before), SysErr::Success);

  auto With = [&](auto Change) {
    SerialLineState S = Before;
    S.BaudRate = 4800; // a refused state must not apply this either
    Change(S);
    return S;
  };
  const struct {
    const char* What;
    SerialLineState State;
    const char* Reason; // a word the reason must contain
  } Cases[] = {
      {"1.5 stop bits at 8 bits", With([](SerialLineState& S) { S.StopBits = 1; }), "half"},
      {"2 stop bits at 5 bits", With([](SerialLineState& S) {
         S.ByteSize = 5;
         S.StopBits = 2;
       }),
       "5 data bits"},
      {"4 data bits", With([](SerialLineState& S) { S.ByteSize = 4; }), "Data bits"},
      {"9 data bits", With([](SerialLineState& S) { S.ByteSize = 9; }), "Data bits"},
      {"parity 5", With([](SerialLineState& S) { S.Parity = 5; }), "Parity"},
      {"stop bits 3", With([](SerialLineState& S) { S.StopBits = 3; }), "Stop bits"},
      {"baud 0", With([](SerialLineState& S) { S.BaudRate = 0; }), "Baud"},
      {"DSR output flow", With([](SerialLineState& S) { S.Flags |= OutxDsrFlow; }), "DSR"},
      {"DTR handshake", With([](SerialLineState& S) { S.Flags = (S.Flags & ~DtrControlMask) | DtrHandshake; }), "DTR"},
      {"DSR sensitivity", With([](SerialLineState& S) { S.Flags |= DsrSensitivity; }), "DSR"},
      {"RTS handshake alone", With([](SerialLineState& S) { S.Flags = (S.Flags & ~RtsControlMask) | RtsHandshake; }),
       "CTS"},
      {"RTS toggle without RS485 driver",
       With([](SerialLineState& S) { S.Flags = (S.Flags & ~RtsControlMask) | RtsToggle; }), "RS485"},
      {"non-binary", With([](SerialLineState& S) { S.Flags &= ~Binary; }), "binary"},
      {"null stripping", With([](SerialLineState& S) { S.Flags |= Null; }), "null"},
      {"error char", With([](SerialLineState& S) { S.Flags |= ErrorChar; }), "parity"},
      {"abort on error", With([](SerialLineState& S) { S.Flags |= AbortOnError; }), "Abort"},
      {"hold output after XOFF", With([](SerialLineState& S) { S.Flags = (S.Flags | InX) & ~TxContinueOnXoff; }),
       "XOFF"},
      {"same XON and XOFF", With([](SerialLineState& S) {
         S.Flags |= OutX;
         S.XonChar = S.XoffChar = 19;
       }),
       "differ"},
  };
  for (const auto& C : Cases) {
    SetSerialLastError(0);
    EXPECT_EQ(Dev.SetState(C.State), SysErr::InvalidParameter) << C.What;
    EXPECT_EQ(SerialLastError(), SysErr::InvalidParameter) << C.What;
    EXPECT_TRUE(Dev.LastRefusal().contains(QString::fromLatin1(C.Reason), Qt::CaseInsensitive))
        << C.What << ": " << Dev.LastRefusal().toStdString();
    SerialLineState After;
    ASSERT_EQ(Dev.GetState(After), SysErr::Success);
    EXPECT_EQ(After.BaudRate, Before.BaudRate) << C.What;
    EXPECT_EQ(After.Flags, Before.Flags) << C.What;
    EXPECT_EQ(After.ByteSize, Before.ByteSize) << C.What;
  }
}

TEST_F(OpenPort, XoffFromTheFarSideHoldsOutputUntilXon)
{
  SerialLineState S;
  ASSERT_EQ(Dev.GetState(S), SysErr::Success);
  S.Flags |= LineFlag::OutX;
  S.XonChar = 'Q';
  S.XoffChar = 'S';
  ASSERT_EQ(Dev.SetState(S), SysErr::Success) << Dev.LastRefusal().toStdString();

  // Each flow character is followed by a plain byte: once that byte has
  // arrived, the character before it has been acted on.
  ASSERT_TRUE(Pty.WriteMaster("Sa"));
  EXPECT_EQ(ReadPort(1), AnsiString("a")); // the XOFF itself is not data
  uint32_t Sent = 0;
  auto Writer = std::async(std::launch::async, [&] { return Dev.WriteAll("held", 4, Sent, WaitMs); });
  EXPECT_EQ(Pty.ReadMaster(4, 100), AnsiString());
  ASSERT_TRUE(Pty.WriteMaster("Qb"));
  EXPECT_EQ(ReadPort(1), AnsiString("b"));
  EXPECT_EQ(Pty.ReadMaster(4, WaitMs), AnsiString("held"));
  ASSERT_TRUE(Finishes(Writer));
  EXPECT_EQ(Writer.get(), SysErr::Success);
  EXPECT_EQ(Sent, 4u);
}

TEST_F(OpenPort, LinesAndQueuesOfADeviceWithoutModemLines)
{
  for (int Ask = 0; Ask < 2; ++Ask) {
    uint32_t Status = 0xFF;
    EXPECT_EQ(Dev.GetModemStatus(Status), SysErr::NotSupported);
    EXPECT_EQ(Status, 0u);
  }
  for (uint32_t F : {LineFunc::SetDtr, LineFunc::ClrDtr, LineFunc::SetRts, LineFunc::ClrRts, LineFunc::SetBreak,
                     LineFunc::ClrBreak, LineFunc::SetXoff, LineFunc::SetXon})
    EXPECT_EQ(Dev.LineFunction(F), SysErr::Success) << F;
  EXPECT_EQ(Dev.LineFunction(7), SysErr::InvalidParameter);
  EXPECT_EQ(Dev.Purge(0x10), SysErr::InvalidParameter);
  EXPECT_EQ(Dev.SetupQueues(4096, 4096), SysErr::Success);

  ASSERT_TRUE(Pty.WriteMaster("12345"));
  ASSERT_EQ(Dev.WaitReadable(WaitMs), SysErr::Success);
  uint32_t Errors = 99;
  SerialStatus St;
  ASSERT_EQ(Dev.ClearError(Errors, &St), SysErr::Success);
  EXPECT_EQ(Errors, 0u);
  EXPECT_EQ(St.InQue, 5u);
  EXPECT_FALSE(St.CtsHold);
  ASSERT_EQ(Dev.Purge(PurgeFlag::RxClear | PurgeFlag::TxClear), SysErr::Success);
  uint32_t In = 99;
  ASSERT_EQ(Dev.InQueue(In), SysErr::Success);
  EXPECT_EQ(In, 0u);
}

TEST_F(OpenPort, ArrivalsAreReportedOnceAndRememberedWhileNobodyWaits)
{
  uint32_t Events = 0;
  ASSERT_EQ(Dev.SetEventMask(CommEvent::RxChar | CommEvent::Cts | CommEvent::Err), SysErr::Success);
  ASSERT_TRUE(Pty.WriteMaster("x"));
  ASSERT_EQ(Dev.WaitEvent(Events, WaitMs), SysErr::Success);
  EXPECT_EQ(Events, CommEvent::RxChar);
  // The byte is still unread: no new arrival, so no new event (no busy loop).
  EXPECT_EQ(Dev.WaitEvent(Events, 50), SysErr::Timeout);

  // An arrival while nobody waits is reported by the next wait.
  ASSERT_TRUE(Pty.WriteMaster("y"));
  ASSERT_EQ(ReadPort(2), AnsiString("xy"));
  ASSERT_EQ(Dev.WaitEvent(Events, WaitMs), SysErr::Success);
  EXPECT_EQ(Events, CommEvent::RxChar);

  // Events outside the mask are not reported; bits outside all events are refused.
  ASSERT_EQ(Dev.SetEventMask(CommEvent::Break), SysErr::Success);
  ASSERT_TRUE(Pty.WriteMaster("z"));
  ASSERT_EQ(ReadPort(1), AnsiString("z"));
  EXPECT_EQ(Dev.WaitEvent(Events, 50), SysErr::Timeout);
  EXPECT_EQ(Dev.SetEventMask(0x2000), SysErr::InvalidParameter);
  uint32_t Mask = 0;
  ASSERT_EQ(Dev.GetEventMask(Mask), SysErr::Success);
  EXPECT_EQ(Mask, CommEvent::Break);
}

TEST_F(OpenPort, AnEventWaitIsNotWokenByArrivalsItCannotReport)
{
  // A pseudo-terminal has neither modem lines nor error counters: bytes
  // arriving can never give one of these events, and a thread waiting for
  // them must sleep through any number of arrivals. Its wake-ups are counted
  // by the kernel (voluntary context switches); the one that ends the wait
  // and a few more for the test's own hand-over are allowed, one per arrival
  // is not.
  const uint32_t Masks[] = {
      CommEvent::Err | CommEvent::Break, CommEvent::Cts | CommEvent::Dsr | CommEvent::Rlsd | CommEvent::Ring,
      CommEvent::Cts | CommEvent::Dsr | CommEvent::Rlsd | CommEvent::Break | CommEvent::Err | CommEvent::Ring};
  constexpr int Arrivals = 40;
  for (const uint32_t Mask : Masks) {
    ASSERT_EQ(Dev.SetEventMask(Mask), SysErr::Success);
    std::atomic<bool> Stop{false};
    std::atomic<int> Reported{0};
    auto Waiter = std::async(std::launch::async, [&] {
      rusage Start{}, End{};
      getrusage(RUSAGE_THREAD, &Start);
      uint32_t Events = 0;
      while (!Stop && Dev.WaitEvent(Events, -1) == SysErr::Success)
        Reported += Events != 0;
      getrusage(RUSAGE_THREAD, &End);
      return End.ru_nvcsw - Start.ru_nvcsw;
    });
    for (int I = 0; I < Arrivals; ++I) {
      ASSERT_TRUE(Pty.WriteMaster("abc"));
      ASSERT_EQ(ReadPort(3), AnsiString("abc"));
    }
    Stop = true;
    // Repeated until the waiter has begun waiting and so takes the new mask.
    while (Waiter.wait_for(10ms) != std::future_status::ready)
      ASSERT_EQ(Dev.SetEventMask(Mask), SysErr::Success);
    EXPECT_LT(Waiter.get(), 10) << "mask " << Mask;
    EXPECT_EQ(Reported, 0) << "mask " << Mask;
  }
}

TEST_F(OpenPort, WakeUpsEndPendingWaitsOnly)
{
  // A purge with nobody waiting is not kept for a later wait.
  ASSERT_EQ(Dev.Purge(PurgeFlag::RxAbort | PurgeFlag::TxAbort), SysErr::Success);
  EXPECT_EQ(Dev.WaitReadable(30), SysErr::Timeout);

  auto Reader = std::async(std::launch::async, [&] { return Dev.WaitReadable(-1); });
  // Repeated until the reader has begun waiting and so takes the abort.
  while (Reader.wait_for(10ms) != std::future_status::ready)
    ASSERT_EQ(Dev.Purge(PurgeFlag::RxAbort), SysErr::Success);
  EXPECT_EQ(Reader.get(), SysErr::OperationAborted);

  ASSERT_EQ(Dev.SetEventMask(CommEvent::RxChar), SysErr::Success);
  uint32_t Events = 99;
  auto Waiter = std::async(std::launch::async, [&] { return Dev.WaitEvent(Events, -1); });
  while (Waiter.wait_for(10ms) != std::future_status::ready)
    ASSERT_EQ(Dev.SetEventMask(CommEvent::RxChar), SysErr::Success);
  EXPECT_EQ(Waiter.get(), SysErr::Success);
  EXPECT_EQ(Events, 0u); // a new mask ends the wait with no events

  // A write that waits for room because nobody reads the far side.
  const AnsiString Big(1 << 20, 'w');
  uint32_t Sent = 0;
  auto Writer =
      std::async(std::launch::async, [&] { return Dev.WriteAll(Big.constData(), uint32_t(Big.size()), Sent, -1); });
  while (Writer.wait_for(10ms) != std::future_status::ready)
    ASSERT_EQ(Dev.Purge(PurgeFlag::TxAbort | PurgeFlag::TxClear), SysErr::Success);
  EXPECT_EQ(Writer.get(), SysErr::OperationAborted);
  EXPECT_LT(Sent, uint32_t(Big.size()));
}

TEST_F(OpenPort, CloseFromAnotherThreadWakesEveryWait)
{
  ASSERT_EQ(Dev.SetEventMask(CommEvent::RxChar), SysErr::Success);
  const AnsiString Big(1 << 20, 'w');
  uint32_t Sent = 0, Events = 0;
  auto Reader = std::async(std::launch::async, [&] { return Dev.WaitReadable(-1); });
  auto Waiter = std::async(std::launch::async, [&] { return Dev.WaitEvent(Events, -1); });
  auto Writer =
      std::async(std::launch::async, [&] { return Dev.WriteAll(Big.constData(), uint32_t(Big.size()), Sent, -1); });
  // Nothing can end these waits but the close; the pause only gives them
  // time to block, so that the close has waits to wake.
  EXPECT_EQ(Reader.wait_for(50ms), std::future_status::timeout);
  EXPECT_EQ(Waiter.wait_for(0ms), std::future_status::timeout);
  EXPECT_EQ(Writer.wait_for(0ms), std::future_status::timeout);
  auto Closer = std::async(std::launch::async, [&] { Dev.Close(); });
  ASSERT_TRUE(Finishes(Closer));
  ASSERT_TRUE(Finishes(Reader));
  ASSERT_TRUE(Finishes(Waiter));
  ASSERT_TRUE(Finishes(Writer));
  // A wait that began before the close ends as a closed handle; one that
  // had not begun yet finds the port closed. Both are InvalidHandle.
  EXPECT_EQ(Reader.get(), SysErr::InvalidHandle);
  EXPECT_EQ(Waiter.get(), SysErr::InvalidHandle);
  EXPECT_EQ(Writer.get(), SysErr::InvalidHandle);
  EXPECT_FALSE(Dev.IsOpen());
  // The terminal is free again for the next opener.
  SerialDevice Next;
  EXPECT_EQ(Next.OpenPath(Pty.SlavePath()), SysErr::Success);
}

TEST_F(OpenPort, FarSideClosingIsAnErrorAndNeverHangs)
{
  ASSERT_EQ(Dev.SetEventMask(CommEvent::RxChar), SysErr::Success);
  uint32_t Events = 0;
  auto Reader = std::async(std::launch::async, [&] { return Dev.WaitReadable(-1); });
  auto Waiter = std::async(std::launch::async, [&] { return Dev.WaitEvent(Events, -1); });
  Pty.CloseMaster();
  ASSERT_TRUE(Finishes(Reader));
  ASSERT_TRUE(Finishes(Waiter));
  // The reader may wake to "readable" (the hang-up); its read then fails.
  const uint32_t Woke = Reader.get();
  EXPECT_TRUE(Woke == SysErr::Success || Woke == SysErr::BadCommand) << Woke;
  char Buf[8];
  uint32_t N = 0;
  EXPECT_EQ(Dev.Read(Buf, sizeof Buf, N), SysErr::BadCommand);
  EXPECT_EQ(Waiter.get(), SysErr::BadCommand);
  EXPECT_TRUE(Dev.IsGone());

  // From now on every call fails at once instead of waiting or spinning.
  EXPECT_EQ(Dev.WaitReadable(-1), SysErr::BadCommand);
  EXPECT_EQ(Dev.WaitEvent(Events, -1), SysErr::BadCommand);
  EXPECT_EQ(Dev.Write("x", 1, N), SysErr::BadCommand);
  uint32_t Sent = 0;
  EXPECT_EQ(Dev.WriteAll("x", 1, Sent, -1), SysErr::BadCommand);
  EXPECT_EQ(SerialLastError(), SysErr::BadCommand);
  Dev.Close();
  EXPECT_FALSE(Dev.IsOpen());
}

TEST_F(OpenPort, WriteToAVanishedDeviceIsAnError)
{
  Pty.CloseMaster();
  uint32_t Sent = 0;
  const uint32_t R = Dev.WriteAll("data", 4, Sent, WaitMs);
  EXPECT_EQ(R, SysErr::BadCommand);
  EXPECT_TRUE(Dev.IsGone());
}

TEST_F(OpenPort, OneByteReachesAWaitingReaderQuickly)
{
  // A sanity bound only; bench/serial_latency measures the real figure.
  std::vector<double> Ms;
  for (int I = 0; I < 20; ++I) {
    auto Reader = std::async(std::launch::async, [&] {
      const uint32_t R = Dev.WaitReadable(WaitMs);
      const auto Woke = std::chrono::steady_clock::now();
      char C;
      uint32_t N = 0;
      Dev.Read(&C, 1, N);
      return std::make_pair(R, Woke);
    });
    const auto Sent = std::chrono::steady_clock::now();
    ASSERT_TRUE(Pty.WriteMaster("!"));
    ASSERT_TRUE(Finishes(Reader));
    const auto [R, Woke] = Reader.get();
    ASSERT_EQ(R, SysErr::Success);
    Ms.push_back(std::chrono::duration<double, std::milli>(Woke - Sent).count());
  }
  std::sort(Ms.begin(), Ms.end());
  EXPECT_LT(Ms[Ms.size() / 2], 200.0);
}

TEST_F(OpenPort, AnInputWaitEndsForBytesItWatchesOrAWakeUp)
{
  // What ends a wait that has nothing else to end it: the few milliseconds
  // given are only how long "not ended" is looked at.
  struct Case {
    const char* Name;
    const char* Arrived; // on the far side before the wait
    int32_t WakeUps;     // given before the wait
    bool WatchInput;
    uint32_t Result;
    bool Readable;
  };
  const Case Cases[] = {
      {"bytes watched", "abc", 0, true, SysErr::Success, true},
      {"bytes not watched", "abc", 0, false, SysErr::Timeout, false},
      {"a wake-up", "", 1, true, SysErr::Success, false},
      {"a wake-up with bytes not watched", "abc", 1, false, SysErr::Success, false},
      {"nothing", "", 0, true, SysErr::Timeout, false},
  };
  for (const Case& C : Cases) {
    if (*C.Arrived) {
      ASSERT_TRUE(Pty.WriteMaster(C.Arrived));
      ASSERT_EQ(Dev.WaitReadable(WaitMs), SysErr::Success) << C.Name;
    }
    for (int32_t I = 0; I < C.WakeUps; ++I)
      Dev.WakeInputWait();
    bool Readable = !C.Readable;
    EXPECT_EQ(Dev.WaitInputOrWake(30, C.WatchInput, Readable), C.Result) << C.Name;
    EXPECT_EQ(Readable, C.Readable) << C.Name;
    // The wake-up was taken: the next wait has only the device to go by.
    EXPECT_EQ(Dev.WaitInputOrWake(30, false, Readable), SysErr::Timeout) << C.Name;
    ASSERT_EQ(Dev.Purge(PurgeFlag::RxClear), SysErr::Success);
  }

  // Wake-ups given before the wait count as one.
  for (int I = 0; I < 3; ++I)
    Dev.WakeInputWait();
  bool Readable = true;
  EXPECT_EQ(Dev.WaitInputOrWake(WaitMs, true, Readable), SysErr::Success);
  EXPECT_FALSE(Readable);
  EXPECT_EQ(Dev.WaitInputOrWake(30, true, Readable), SysErr::Timeout);

  // From another thread, while the wait is pending; and a purge of the
  // input ends it as it ends WaitReadable.
  auto Waiter = std::async(std::launch::async, [&] {
    bool R = true;
    return std::make_pair(Dev.WaitInputOrWake(-1, true, R), R);
  });
  while (Waiter.wait_for(10ms) != std::future_status::ready)
    Dev.WakeInputWait();
  EXPECT_EQ(Waiter.get(), std::make_pair(SysErr::Success, false));
  auto Aborted = std::async(std::launch::async, [&] {
    bool R = true;
    return Dev.WaitInputOrWake(-1, true, R);
  });
  while (Aborted.wait_for(10ms) != std::future_status::ready)
    ASSERT_EQ(Dev.Purge(PurgeFlag::RxAbort), SysErr::Success);
  EXPECT_EQ(Aborted.get(), SysErr::OperationAborted);
}

TEST_F(OpenPort, AnInputWaitSeesTheDeviceCloseOrVanishWithoutWatchingInput)
{
  // A reader whose own buffer is full stops watching for bytes; it must
  // still learn that the port was closed or the device has gone.
  for (const bool Vanish : {false, true}) {
    ASSERT_TRUE(Pty.WriteMaster("unread"));
    ASSERT_EQ(Dev.WaitReadable(WaitMs), SysErr::Success);
    auto Waiter = std::async(std::launch::async, [&] {
      bool Readable = true;
      return Dev.WaitInputOrWake(-1, false, Readable);
    });
    EXPECT_EQ(Waiter.wait_for(50ms), std::future_status::timeout) << "the bytes do not end it";
    if (Vanish)
      Pty.CloseMaster();
    else
      Dev.Close();
    ASSERT_TRUE(Finishes(Waiter));
    EXPECT_EQ(Waiter.get(), Vanish ? SysErr::BadCommand : SysErr::InvalidHandle) << Vanish;
    if (Vanish)
      EXPECT_TRUE(Dev.IsGone());
    else
      ASSERT_EQ(Dev.OpenPath(Pty.SlavePath()), SysErr::Success);
  }
}
