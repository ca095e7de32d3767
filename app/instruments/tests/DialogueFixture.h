#pragma once
// The instrument dialogues against the instrument simulator: real ports and
// data packets on a pseudo-terminal, the watchdog timers and every pause
// shortened (a tick of a few milliseconds), and a host that records what the
// dialogues showed. No real serial device is ever opened: every COM port is
// mapped to nothing unless a test maps it to the simulator.
#include "app/core/tests/CoreFixture.h"
#include "app/core/tests/PortTestSupport.h"
#include "app/setup/SetupModel.h"

#include "app/instruments/CommandEngine.h"
#include "app/instruments/InstrumentDialogues.h"
#include "app/core/KirvoStrings.h"
#include "platform/Timer.h"
#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"
#include "sim/InstrumentSimulator.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <string>
#include <vector>

// Shortened times of the tests (the program's are in the comments).
constexpr int32_t TestTickMs = 4;          // 55
constexpr int32_t TestPacketTimeOut = 9;   // 91 ticks
constexpr uint32_t TestTimer2Ms = 1200;    // 15000
constexpr uint32_t TestTimer3Ms = 800;     // 10000
constexpr uint32_t TestTimer4Ms = 3600000; // 240000; the tests fire it by hand

// The clock both the logger and the simulator read: 8 December 2026,
// 19:30:35.000.
inline QDateTime TestWallClock() { return QDateTime(QDate(2026, 12, 8), QTime(19, 30, 35)); }
inline TDateTime TestNow() { return EncodeDateTime(2026, 12, 8, 19, 30, 35, 0); }

// The main window as far as the dialogues see it.
class TTestDialogueHost : public IDialogueHost {
public:
  explicit TTestDialogueHost(std::unique_ptr<TCoreData> Core);
  ~TTestDialogueHost() override;

  TCoreData& Core() override { return *FCore; }
  TSioComPort* SioComPort(int32_t N) override;
  TSioDataPacket* SioDataPacket(int32_t N) override;
  TSioComPort* QuorndeckPort() override { return FQuorndeckPort; }
  TTimer* Timer(int32_t N) override;
  AnsiString& CommandString() override { return FCommandString; }
  void SetRowState(int32_t Row, int32_t CommandMode, int32_t Busy, int32_t RunMode) override;
  void SetInstrumentClock(const TInstrumentClock& Clock) override;
  void SetStatusText(int32_t Panel, const String& Text) override;
  std::vector<ISetupScreen*> SetupScreens() override { return {Screen.get()}; }
  void WriteIniFile() override { ++IniWrites; }
  void SetWaitCursor(bool Wait) override { CursorDepth += Wait ? 1 : -1; }
  void ShowMessage(const String& Text) override { Messages.push_back(Text); }
  void ProcessMessages() override;
  void Delay(int32_t Ticks) override;

  TSioComPort* FQuorndeckPort = nullptr;
  AnsiString FCommandString;
  std::vector<String> Panel0;
  std::vector<String> Panel1;
  std::array<std::array<int32_t, 3>, SetupRowCount> Rows{};
  bool ClockSet = false;
  TInstrumentClock Clock;
  int32_t IniWrites = 0;
  int32_t CursorDepth = 0;
  std::vector<String> Messages;
  std::unique_ptr<TSetupModel> Screen;
  // Called at the start of every pause: tests act in the middle of a
  // dialogue from here.
  std::function<void(int32_t Ticks)> OnDelay;
  // The length of a tick here.
  int32_t TickMs = TestTickMs;
  // Every pause, in ticks, in order.
  std::vector<int32_t> Pauses;
  int32_t PausesOf(int32_t Ticks) const
  {
    return static_cast<int32_t>(std::count(Pauses.begin(), Pauses.end(), Ticks));
  }

private:
  std::unique_ptr<TCoreData> FCore;
  std::unique_ptr<TComponent> FRoot;
  std::array<TSioComPort*, 20> FPorts{};
  std::array<TSioDataPacket*, 18> FPackets{};
  std::array<TTimer*, 5> FTimers{};
};

// Whether Bytes is Unit repeated 1 to Max times. A break string left
// unsent after its pause is flushed, so how many reach a silent instrument
// through a shortened tick depends on how soon the line took them; the
// number of tries shows in the pauses.
bool RepeatsOf(const AnsiString& Bytes, const AnsiString& Unit, int32_t Max);

// Pumps messages for Ticks shortened ticks of TickMs each.
void PumpTicks(int32_t Ticks, int32_t TickMs = TestTickMs);
// Stops every data packet and lets deliveries under way finish, so the
// packets can be freed.
void QuietPackets(const std::function<TSioDataPacket*(int32_t N)>& Packet);

// Bytes received with runs of the same break string squeezed to one: how
// often a break string goes out before the answer is read depends on timing.
AnsiString SqueezeBreaks(const AnsiString& Bytes, const AnsiString& Break);

// A core with slots of the given numbers fitted; Edit changes the slot
// table before it is built.
std::unique_ptr<TCoreData> MakeDialogueCore(const std::vector<int32_t>& Fitted,
                                            const std::function<void(Array2D&)>& Edit = {});

class TDialogueTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // Ends the host, the dialogues and the simulators (between the cases of
  // a table).
  void Reset();

  // A host on Core, its dialogues connected, the timers bound.
  void MakeHost(std::unique_ptr<TCoreData> Core);
  // A simulator of Kind on COM Port, in Mode, not streaming unless Running.
  sim::InstrumentSimulator& StartSim(sim::InstrumentKind Kind, int32_t Port, sim::LineMode Mode, bool Running);

  TCoreData& Core() { return Host->Core(); }
  const String& LastStatus() const { return Host->Panel0.back(); }
  std::array<int32_t, 3> Row(int32_t R) const { return Host->Rows[static_cast<size_t>(R)]; }
  // Whether Texts appear in panel 0 in this order (others between them).
  ::testing::AssertionResult ShownInOrder(std::initializer_list<const char*> Texts) const;

  std::unique_ptr<TTestDialogueHost> Host;
  std::unique_ptr<TInstrumentDialogues> Dialogues;
  std::vector<std::unique_ptr<sim::InstrumentSimulator>> Sims;
  std::unique_ptr<TClockScope> Clock;
};
