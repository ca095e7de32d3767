#include "FakeDispatcher.h"

#include "platform/SyncObjs.h"
#include "serial/SioComPort.h"

#include <algorithm>
#include <cstring>

TFakeDispatcher::TFakeDispatcher(TObject* AOwner) : TSioBaseDispatcher(AOwner) { DeviceState.BaudRate = 9600; }

TFakeDispatcher::~TFakeDispatcher() { ShutdownForDestroy(); }

int32_t TFakeDispatcher::Open(uint32_t InSize, uint32_t OutSize)
{
  return InitPort(QStringLiteral("COM1"), 19200, 0, 8, 1, InSize, OutSize, 0x03);
}

void TFakeDispatcher::Receive(const AnsiString& Bytes)
{
  Incoming += Bytes;
  while (!Incoming.isEmpty() && ExtractData()) {
    if (InBuffFree() == 0)
      break;
  }
}

AnsiString TFakeDispatcher::Drain()
{
  OutputSection->Enter();
  const AnsiString Out = TakeOutRing();
  OutputSection->Leave();
  return Out;
}

int32_t TFakeDispatcher::EscapeComFunction(int32_t Func)
{
  Escapes.push_back(Func);
  return EscapeResult;
}

int32_t TFakeDispatcher::FlushCom(int32_t Queue)
{
  if (Queue == 0) {
    OutputSection->Enter();
    EmptyOutRing();
    OutputSection->Leave();
  } else {
    Incoming.clear();
  }
  return 1;
}

int32_t TFakeDispatcher::GetComError(TComStat& Stat)
{
  Stat = HoldState;
  Stat.OutQue = OutBufUsed();
  const uint32_t E = ErrorBits;
  ErrorBits = 0;
  return static_cast<int32_t>(E);
}

uint32_t TFakeDispatcher::GetComEventMask(int32_t) { return 0; }

int32_t TFakeDispatcher::GetComState(TDCB& ADCB)
{
  ADCB = DeviceState;
  return 0;
}

int32_t TFakeDispatcher::ReadCom(char* Buf, int32_t Size)
{
  const int32_t N = std::min<int32_t>(Size, static_cast<int32_t>(Incoming.size()));
  std::memcpy(Buf, Incoming.constData(), size_t(N));
  Incoming.remove(0, N);
  return N;
}

int32_t TFakeDispatcher::SetComState(TDCB& ADCB)
{
  ++SetStateCalls;
  if (Refuse) {
    const int32_t R = Refuse(ADCB);
    if (R != 0)
      return R;
  }
  DeviceState = ADCB;
  return 0;
}

int32_t TFakeDispatcher::WriteCom(const char* Buf, int32_t Size)
{
  ++WriteCalls;
  CopyIntoOutRing(Buf, uint32_t(Size));
  return Size;
}

bool TFakeDispatcher::WaitComEvent(uint32_t& EvtMask)
{
  EvtMask = 0;
  return true;
}

bool TFakeDispatcher::SetupCom(int32_t, int32_t) { return true; }

void TFakeDispatcher::StartDispatcher() { DispActive = true; }

void TFakeDispatcher::StopDispatcher() { DispActive = false; }

uint32_t TFakeDispatcher::OutBufUsed()
{
  OutputSection->Enter();
  const uint32_t N = OutRingFill();
  OutputSection->Leave();
  return N;
}

uint32_t TFakeDispatcher::InQueueUsed() { return static_cast<uint32_t>(Incoming.size()); }

int32_t TFakeDispatcher::OpenCom(const String&, uint32_t, uint32_t)
{
  if (OpenOutOfMemory)
    return -8;
  if (OpenError != 0) {
    SetSerialLastError(OpenError);
    return -1;
  }
  return 3;
}

int32_t TFakeDispatcher::CloseCom()
{
  CidEx = -1;
  return 0;
}

bool TFakeDispatcher::CheckPort(const String&) { return true; }

int32_t TFakeDispatcher::ProcessCommunications() { return 0; }

int32_t TFakeDispatcher::GetModemStatusWord(uint32_t& Status)
{
  ++ModemStatusCalls;
  Status = ModemStatusResult < 0 ? 0 : ModemLines;
  return ModemStatusResult;
}

void TFakeDispatcher::SleepMilliseconds(uint32_t Ms) { Sleeps.push_back(Ms); }

void UseFakeDispatcher(TSioCustomComPort& Port, TFakeDispatcher*& Fake)
{
  Port.SetComNumber(1);
  Port.SetPromptForPort(false);
  Port.SetAutoOpen(false);
  Port.SetCustomDispatcher([&Fake](TObject* Owner) {
    auto D = std::make_unique<TFakeDispatcher>(Owner);
    Fake = D.get();
    return std::unique_ptr<TSioBaseDispatcher>(std::move(D));
  });
}
