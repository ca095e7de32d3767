// libFuzzer target: arbitrary byte streams through the data packet matcher.
// fuzz-links: serial
//
// Each input opens a port over a scripted device, binds packets with one of
// several start/end settings (strings, wildcards, sizes, any data, several
// packets sharing the port) and feeds the bytes in pieces, with the tick
// clock moved forward between pieces so time-outs fire too.
//
// Input: byte 0 chooses the settings; then pieces, each a length byte L and
// L bytes (L = 0: the next byte is a number of ticks to let pass).
//
// Besides not crashing: the bytes held stay bounded, every delivery is no
// longer than what was fed, a packet ended by a one-byte end string never
// holds that byte when its strings are left out, and a packet of a fixed
// size delivers exactly that size.
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "serial/SioBaseDispatcher.h"
#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// A device that holds what the input gives it; the fuzzer is the dispatch thread.
class TScriptedDispatcher : public TSioBaseDispatcher {
public:
  explicit TScriptedDispatcher(TObject* AOwner) : TSioBaseDispatcher(AOwner) {}
  ~TScriptedDispatcher() override { ShutdownForDestroy(); }

  AnsiString Incoming;
  TDCB State;

  int32_t EscapeComFunction(int32_t) override { return 0; }
  int32_t FlushCom(int32_t Queue) override
  {
    if (Queue == 1)
      Incoming.clear();
    return 1;
  }
  int32_t GetComError(TComStat& Stat) override
  {
    Stat = TComStat();
    Stat.OutQue = OutBufUsed();
    return 0;
  }
  uint32_t GetComEventMask(int32_t) override { return 0; }
  int32_t GetComState(TDCB& D) override
  {
    D = State;
    return 0;
  }
  int32_t ReadCom(char* Buf, int32_t Size) override
  {
    const int32_t N = std::min<int32_t>(Size, static_cast<int32_t>(Incoming.size()));
    std::memcpy(Buf, Incoming.constData(), size_t(N));
    Incoming.remove(0, N);
    return N;
  }
  int32_t SetComState(TDCB& D) override
  {
    State = D;
    return 0;
  }
  int32_t WriteCom(const char* Buf, int32_t Size) override
  {
    CopyIntoOutRing(Buf, uint32_t(Size));
    return Size;
  }
  bool WaitComEvent(uint32_t& Mask) override
  {
    Mask = 0;
    return true;
  }
  bool SetupCom(int32_t, int32_t) override { return true; }
  void StartDispatcher() override { DispActive = true; }
  void StopDispatcher() override { DispActive = false; }
  uint32_t OutBufUsed() override { return OutRingFill(); }
  uint32_t InQueueUsed() override { return static_cast<uint32_t>(Incoming.size()); }
  int32_t OpenCom(const String&, uint32_t, uint32_t) override { return 1; }
  int32_t CloseCom() override
  {
    CidEx = -1;
    return 0;
  }
  bool CheckPort(const String&) override { return true; }
  int32_t ProcessCommunications() override { return 0; }
  int32_t GetModemStatusWord(uint32_t& S) override
  {
    S = 0;
    return 0;
  }

  void Feed(const char* Bytes, size_t Len)
  {
    Incoming.append(Bytes, qsizetype(Len));
    for (int I = 0; I < 64 && !Incoming.isEmpty(); ++I) {
      if (!ExtractData())
        break;
      for (int K = 0; K < 100000 && CheckReceiveTriggers(); ++K) {
      }
    }
    // What the ring could not take is dropped, as a device would overrun.
    Incoming.clear();
  }
  void Tick()
  {
    for (int K = 0; K < 1000 && CheckTimerTriggers(); ++K) {
    }
  }

protected:
  void SleepMilliseconds(uint32_t) override {} // no line to drain
};

uint32_t gNow = 100000;

struct Setting {
  TPacketStartCond Start;
  const char* StartString;
  TPacketEndSet End;
  const char* EndString;
  int32_t Size;
  bool Include;
  bool IgnoreCase;
  int32_t TimeOut;
};

const TPacketEndSet EndStr = EndBit(ecString);
const TPacketEndSet EndSize = EndBit(ecPacketSize);

// Groups of packets that share one port.
const std::vector<std::vector<Setting>> Configurations = {
    {{scString, "\n", EndStr, "\r", 0, false, true, 91}},
    {{scAnyData, "", EndStr, "\r\n>", 0, true, true, 91}},
    {{scString, "a?c", EndStr, "\\?\\\\", 0, false, false, 5}},
    {{scString, "AB", EndSize, "", 10, false, true, 3}},
    {{scString, "GO", 0, "", 0, true, true, 0}},
    {{scString, "<", EndStr | EndSize, ">", 7, true, false, 2}},
    {{scString, "\n", EndStr, "\r", 0, false, true, 91},
     {scString, "You", EndStr, "\r\n>", 0, true, true, 91},
     {scAnyData, "", EndStr, ">", 0, true, true, 4}},
    {{scString, ">", EndStr, "\r\n", 0, false, true, 91},
     {scString, "", EndStr, "\r\n", 0, false, true, 91}, // refused: an empty start
     {scString, "kirvo units fitted\r\n", EndStr, "\r\n>", 0, true, true, 91},
     {scString, "\r\n", EndStr, "\r\n>", 0, true, true, 91}},
    {{scString, "??", EndSize, "", 2, true, false, 1}, {scString, "x", EndStr, "x", 0, false, false, 1}},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
  if (Size == 0)
    return 0;
  static const bool ClockSet = [] {
    SetTimeSourceForTests([] { return gNow; });
    return true;
  }();
  (void)ClockSet;

  const std::vector<Setting>& Config = Configurations[Data[0] % Configurations.size()];
  size_t Fed = 0;
  {
    TScriptedDispatcher* D = nullptr;
    TSioComPort Port(nullptr);
    Port.SetComNumber(1);
    Port.SetPromptForPort(false);
    Port.SetAutoOpen(false);
    Port.SetCustomDispatcher([&D](TObject* Owner) {
      auto P = std::make_unique<TScriptedDispatcher>(Owner);
      D = P.get();
      return std::unique_ptr<TSioBaseDispatcher>(std::move(P));
    });
    Port.SetOpen(true);

    std::vector<std::unique_ptr<TSioDataPacket>> Packets;
    for (const Setting& S : Config) {
      auto P = std::make_unique<TSioDataPacket>(nullptr);
      P->SetComPort(&Port);
      P->SetStartCond(S.Start);
      P->SetStartString(S.StartString);
      P->SetEndString(S.EndString);
      P->SetEndCond(S.End);
      P->SetPacketSize(S.Size);
      P->SetIncludeStrings(S.Include);
      P->SetIgnoreCase(S.IgnoreCase);
      P->SetTimeOut(S.TimeOut);
      TSioDataPacket* Raw = P.get();
      P->OnStringPacket = [&Fed, Raw, S](TObject* Sender, const AnsiString& Got) {
        if (Sender != Raw || size_t(Got.size()) > Fed)
          std::abort();
        if (!S.Include && (S.End & EndStr) && std::strlen(S.EndString) == 1 && S.EndString[0] != '?' &&
            Got.contains(S.EndString[0]))
          std::abort();
        if (S.End == EndSize && S.Include && Got.size() != S.Size)
          std::abort();
      };
      try {
        P->SetEnabled(true);
      } catch (const std::exception&) {
        // Refused settings leave the packet off; the others go on.
        if (P->Enabled())
          std::abort();
      }
      Packets.push_back(std::move(P));
    }

    size_t I = 1;
    while (I < Size) {
      const size_t Len = Data[I++];
      if (Len == 0) {
        if (I < Size)
          gNow += 55u * Data[I++];
        D->Tick();
        continue;
      }
      const size_t Take = std::min(Len, Size - I);
      Fed += Take;
      D->Feed(reinterpret_cast<const char*>(Data + I), Take);
      I += Take;
      TSioDataPacketManager* M = PacketManagerList->GetPortManager(&Port);
      if (M && M->BytesHeld() > TSioDataPacketManager::MaxHeldBytes)
        std::abort();
    }
    Packets.clear();
  }
  // Managers whose packets have all gone free themselves through a message.
  while (PumpOneMessage(true) != 0) {
  }
  if (PacketManagerList->Count() != 0)
    std::abort();
  return 0;
}
