// Packets that are moved, freed or whose port closes while a delivery of
// theirs waits for the main thread, on real ports whose dispatch threads run.
//
// A delivery runs in the dispatch thread and hands its events to the main
// thread, which also ends the delivery once they have run. The tests hold the main thread away from its
// message queue until that hand-over is queued (SynchronizePending), act, and
// only then let the events run: the interleaving is forced, not hoped for.
#include "serial/SioDataPacket.h"

#include "PortTestSupport.h"
#include "platform/Component.h"
#include "platform/Messages.h"
#include "platform/PtyPair.h"
#include "platform/Thread.h"
#include "serial/SioComPort.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr uint16_t FirstTestCom = 231;

// Ports on pseudo-terminals, owned by one component as the main window owns
// its ports. The owner goes first, with its ports still open: the devices
// stay until it has gone.
class PortBench {
public:
  explicit PortBench(int32_t Count) : Owner(std::make_unique<TComponent>(nullptr))
  {
    for (int32_t I = 0; I < Count; ++I) {
      Ptys.push_back(std::make_unique<PtyPair>());
      const uint16_t Com = uint16_t(FirstTestCom + I);
      Envs.push_back(
          std::make_unique<ScopedEnv>(("FATHOMIX_COM" + std::to_string(Com)).c_str(), Ptys.back()->SlavePath()));
      auto* P = new TSioComPort(Owner.get());
      P->SetComNumber(Com);
      P->SetPromptForPort(false);
      P->SetAutoOpen(false);
      Ports.push_back(P);
    }
  }
  bool Ready() const
  {
    for (const auto& P : Ptys)
      if (!P->IsOpen())
        return false;
    return true;
  }
  void OpenAll()
  {
    for (TSioComPort* P : Ports)
      P->SetOpen(true);
  }

  std::vector<std::unique_ptr<PtyPair>> Ptys;
  std::vector<std::unique_ptr<ScopedEnv>> Envs;
  std::unique_ptr<TComponent> Owner;
  std::vector<TSioComPort*> Ports;
};

// A line packet: LF starts it, CR ends it, the strings are not delivered.
TSioDataPacket* LinePacket(TComponent* Owner, TSioComPort* Port, const char* Start = "\n", const char* End = "\r")
{
  auto* P = new TSioDataPacket(Owner);
  P->SetStartString(Start);
  P->SetEndString(End);
  P->SetEndCond(EndBit(ecString));
  P->SetIncludeStrings(false);
  P->SetTimeOut(91);
  P->SetComPort(Port);
  return P;
}

// Lets released packet managers go before the next test looks at the list.
void SettleManagers()
{
  PumpUntil([] { return false; }, 20);
}

} // namespace

// A packet freed while its delivery waits for the main thread: the event does
// not run for the dead packet, nothing waits for it for ever, and the port
// goes on delivering to the packets that are left.
TEST(PacketLifetime, FreedWhileItsEventWaitsForTheMainThread)
{
  ShownMessages();
  int32_t DoomedCalls = 0;
  std::vector<AnsiString> Got; // outlives the ports, which may deliver as they go
  PortBench Bench(1);
  ASSERT_TRUE(Bench.Ready());
  TSioComPort* Port = Bench.Ports[0];
  auto* Doomed = LinePacket(nullptr, Port);
  auto* Survivor = LinePacket(Bench.Owner.get(), Port, "#", ";");
  Doomed->OnStringPacket = [&](TObject*, const AnsiString&) { ++DoomedCalls; };
  Survivor->OnStringPacket = [&](TObject*, const AnsiString& Data) { Got.push_back(Data); };
  Port->SetOpen(true);
  Doomed->SetEnabled(true);
  Survivor->SetEnabled(true);

  ASSERT_TRUE(Bench.Ptys[0]->WriteMaster("\nfirst\r"));
  ASSERT_TRUE(WaitForHandOver());
  delete Doomed;
  ASSERT_TRUE(Bench.Ptys[0]->WriteMaster("#second;"));
  ASSERT_TRUE(PumpUntil([&] { return !Got.empty(); }));
  EXPECT_EQ(Got, std::vector<AnsiString>{"second"});
  EXPECT_EQ(DoomedCalls, 0);
  EXPECT_TRUE(Port->Open());
}

// A handler that closes its own port, and the port opened again: the close
// neither hangs nor leaves the dispatch thread behind, and the bytes of the
// new session are not cut by the end of the old delivery.
TEST(PacketLifetime, PortClosedByAHandlerAndOpenedAgain)
{
  ShownMessages().clear();
  std::vector<AnsiString> Got;
  PortBench Bench(1);
  ASSERT_TRUE(Bench.Ready());
  TSioComPort* Port = Bench.Ports[0];
  auto* P = LinePacket(Bench.Owner.get(), Port);
  P->SetAutoEnable(true);
  P->OnStringPacket = [&](TObject*, const AnsiString& Data) {
    Got.push_back(Data);
    if (Data == "close")
      Port->SetOpen(false);
  };
  Port->SetOpen(true);
  P->SetEnabled(true);
  ASSERT_TRUE(Bench.Ptys[0]->WriteMaster("\nclose\r"));
  ASSERT_TRUE(PumpUntil([&] { return !Got.empty() && !Port->Open(); }));
  Port->SetOpen(true);
  ASSERT_TRUE(Bench.Ptys[0]->WriteMaster("\nagain\r\nand again\r"));
  ASSERT_TRUE(PumpUntil([&] { return Got.size() >= 3; }));
  EXPECT_EQ(Got, (std::vector<AnsiString>{"close", "again", "and again"}));
  EXPECT_TRUE(ShownMessages().empty());
}

// The packet that moves away from a port in the middle of another packet's
// delivery there, and is then freed, is not reached by the end of that
// delivery.
TEST(PacketLifetime, MovedAwayAndFreedDuringAnotherPacketsEvent)
{
  ShownMessages();
  std::vector<AnsiString> Got;
  PortBench Bench(2);
  ASSERT_TRUE(Bench.Ready());
  auto* Delivering = LinePacket(Bench.Owner.get(), Bench.Ports[0]);
  auto* Mover = LinePacket(nullptr, Bench.Ports[0], "#", ";");
  Delivering->OnStringPacket = [&](TObject*, const AnsiString& Data) { Got.push_back(Data); };
  Bench.OpenAll();
  Delivering->SetEnabled(true);
  Mover->SetEnabled(true);

  ASSERT_TRUE(Bench.Ptys[0]->WriteMaster("\none\r"));
  ASSERT_TRUE(WaitForHandOver());
  Mover->SetEnabled(false);
  Mover->SetComPort(Bench.Ports[1]);
  EXPECT_EQ(Mover->InternalManager(), PacketManagerList->GetPortManager(Bench.Ports[1]));
  delete Mover;
  ASSERT_TRUE(PumpUntil([&] { return Got.size() == 1; }));
  ASSERT_TRUE(Bench.Ptys[0]->WriteMaster("\ntwo\r"));
  ASSERT_TRUE(PumpUntil([&] { return Got.size() == 2; }));
  EXPECT_EQ(Got, (std::vector<AnsiString>{"one", "two"}));
}

// Closing the port while a delivery waits: the event still gets the bytes
// that were collected, whole, and the port closes.
TEST(PacketLifetime, PortClosedWhileAnEventWaitsDeliversIntactData)
{
  ShownMessages();
  std::vector<AnsiString> Got;
  PortBench Bench(1);
  ASSERT_TRUE(Bench.Ready());
  TSioComPort* Port = Bench.Ports[0];
  auto* P = LinePacket(Bench.Owner.get(), Port);
  P->OnStringPacket = [&](TObject*, const AnsiString& Data) { Got.push_back(Data); };
  Port->SetOpen(true);
  P->SetEnabled(true);

  const AnsiString Line(2000, 'x');
  ASSERT_TRUE(Bench.Ptys[0]->WriteMaster("\n" + Line + "\r"));
  ASSERT_TRUE(WaitForHandOver());
  Port->SetOpen(false);
  ASSERT_TRUE(PumpUntil([&] { return !Got.empty() && Port->PortStateValue() == psClosed; }));
  EXPECT_EQ(Got, std::vector<AnsiString>{Line});
  EXPECT_TRUE(P->Enabled()) << "closing keeps Enabled";
  EXPECT_EQ(P->PacketMode(), dpIdle);
}

// A handler may free its own packet; the rest of the delivery leaves the
// freed packet alone and the port carries on.
TEST(PacketLifetime, FreedByItsOwnHandler)
{
  ShownMessages();
  std::vector<AnsiString> Got;
  PortBench Bench(1);
  ASSERT_TRUE(Bench.Ready());
  TSioComPort* Port = Bench.Ports[0];
  auto* SelfFreeing = LinePacket(nullptr, Port);
  SelfFreeing->SetAutoEnable(true);
  auto* Other = LinePacket(Bench.Owner.get(), Port, "#", ";");
  SelfFreeing->OnPacket = [&](TObject* Sender, const void*, int32_t) {
    Got.push_back("freed");
    delete Sender; // OnStringPacket must not run for it now
  };
  SelfFreeing->OnStringPacket = [&](TObject*, const AnsiString&) { Got.push_back("after"); };
  Other->OnStringPacket = [&](TObject*, const AnsiString& Data) { Got.push_back(Data); };
  Port->SetOpen(true);
  SelfFreeing->SetEnabled(true);
  Other->SetEnabled(true);

  ASSERT_TRUE(Bench.Ptys[0]->WriteMaster("\nbye\r"));
  ASSERT_TRUE(PumpUntil([&] { return !Got.empty(); }));
  ASSERT_TRUE(Bench.Ptys[0]->WriteMaster("#still here;"));
  ASSERT_TRUE(PumpUntil([&] { return Got.size() == 2; }));
  EXPECT_EQ(Got, (std::vector<AnsiString>{"freed", "still here"}));
}

// The shape of the main window's life: an owner with several open ports and
// the packets bound to them; packets are moved between the open ports while
// lines flow on every one of them, and then the owner is destroyed with its
// ports still open and bytes still arriving. Rounds are few by default; set
// FATHOMIX_STRESS_ROUNDS to run it many times.
TEST(PacketLifetime, OwnerDestroyedWhilePacketsMoveBetweenBusyPorts)
{
  ShownMessages();
  int32_t Rounds = 3;
  if (const char* R = getenv("FATHOMIX_STRESS_ROUNDS"))
    Rounds = std::max(1, atoi(R));
  constexpr int32_t PortCount = 3;
  constexpr int32_t PacketCount = 6;
  for (int32_t Round = 0; Round < Rounds; ++Round) {
    int32_t Delivered = 0;
    int32_t Malformed = 0;
    PortBench Bench(PortCount);
    ASSERT_TRUE(Bench.Ready());
    std::vector<TSioDataPacket*> Packets;
    for (int32_t I = 0; I < PacketCount; ++I) {
      TSioDataPacket* P = LinePacket(Bench.Owner.get(), Bench.Ports[size_t(I % PortCount)]);
      P->SetAutoEnable(true);
      P->OnStringPacket = [&](TObject*, const AnsiString& Data) {
        ++Delivered;
        if (!Data.startsWith("line ") || Data.contains('\n') || Data.contains('\r'))
          ++Malformed;
      };
      Packets.push_back(P);
    }
    Bench.OpenAll();
    for (TSioDataPacket* P : Packets)
      P->SetEnabled(true);

    std::atomic<bool> Stop{false};
    std::vector<std::thread> FarSides;
    for (int32_t N = 0; N < PortCount; ++N) {
      PtyPair* Pty = Bench.Ptys[size_t(N)].get();
      FarSides.emplace_back([Pty, &Stop] {
        for (int32_t I = 0; !Stop.load(); ++I) {
          if (!Pty->WriteMaster("\nline " + QByteArray::number(I) + "\r"))
            break;
          std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
      });
    }

    // Rebinding as the instrument set-up does it: disable, move, enable, with
    // the main thread handling the deliveries in between.
    for (int32_t Step = 0; Step < 60; ++Step) {
      TSioDataPacket* P = Packets[size_t(Step % PacketCount)];
      P->SetEnabled(false);
      P->SetComPort(Bench.Ports[size_t((Step / PacketCount + Step) % PortCount)]);
      P->SetEnabled(true);
      PumpUntil([] { return false; }, 1);
    }
    EXPECT_TRUE(PumpUntil([&] { return Delivered > 0; }));

    // Some deliveries are left waiting for the main thread when it goes.
    WaitForHandOver();
    Bench.Owner.reset();
    Stop = true;
    for (std::thread& T : FarSides)
      T.join();
    EXPECT_EQ(Malformed, 0);
  }
  SettleManagers();
  EXPECT_EQ(PacketManagerList->Count(), 0) << "every manager let go of its port";
}
