#pragma once
// A dispatcher over a scripted device, driven by the test as its dispatch
// thread: the test puts bytes where the device would have received them,
// runs ExtractData and the trigger checks itself, and reads what was written.
#include "serial/SioBaseDispatcher.h"

class TSioCustomComPort;

#include <functional>
#include <vector>

class TFakeDispatcher : public TSioBaseDispatcher {
public:
  explicit TFakeDispatcher(TObject* AOwner = nullptr);
  ~TFakeDispatcher() override;

  // Opens with the usual port settings: 19200 8N1, DTR and RTS raised.
  int32_t Open(uint32_t InSize = 4096, uint32_t OutSize = 4096);
  // The device receives Bytes; the dispatch thread moves them into the ring.
  void Receive(const AnsiString& Bytes);
  // The write thread hands everything queued to the device.
  AnsiString Drain();

  // The device.
  AnsiString Incoming;
  TDCB DeviceState;
  int32_t SetStateCalls = 0;
  int32_t WriteCalls = 0;
  // Decides SetComState's result for a block; empty accepts everything.
  std::function<int32_t(const TDCB&)> Refuse;
  std::vector<int32_t> Escapes;
  int32_t EscapeResult = 0;
  uint32_t ModemLines = 0;
  // What asking for the modem lines returns (minus a system error), and how
  // often they were asked for.
  int32_t ModemStatusResult = 0;
  int32_t ModemStatusCalls = 0;
  uint32_t ErrorBits = 0;
  TComStat HoldState;
  uint32_t OpenError = 0; // the system error OpenCom fails with; 0 opens
  bool OpenOutOfMemory = false;
  std::vector<uint32_t> Sleeps;

  int32_t EscapeComFunction(int32_t Func) override;
  int32_t FlushCom(int32_t Queue) override;
  int32_t GetComError(TComStat& Stat) override;
  uint32_t GetComEventMask(int32_t EvtMask) override;
  int32_t GetComState(TDCB& ADCB) override;
  int32_t ReadCom(char* Buf, int32_t Size) override;
  int32_t SetComState(TDCB& ADCB) override;
  int32_t WriteCom(const char* Buf, int32_t Size) override;
  bool WaitComEvent(uint32_t& EvtMask) override;
  bool SetupCom(int32_t InSize, int32_t OutSize) override;
  void StartDispatcher() override;
  void StopDispatcher() override;
  uint32_t OutBufUsed() override;
  uint32_t InQueueUsed() override;
  int32_t OpenCom(const String& ComName, uint32_t InQueue, uint32_t OutQueue) override;
  int32_t CloseCom() override;
  bool CheckPort(const String& ComName) override;
  int32_t ProcessCommunications() override;
  int32_t GetModemStatusWord(uint32_t& Status) override;

  // How often the dispatch thread was asked to look at its triggers again.
  int32_t Wakes = 0;

protected:
  void SleepMilliseconds(uint32_t Ms) override;
  void WakeDispatcher() override { ++Wakes; }
};

// Makes Port a COM1 that opens only when told to (no prompt, no AutoOpen),
// over a fake dispatcher; Fake points to it while the port is open.
void UseFakeDispatcher(TSioCustomComPort& Port, TFakeDispatcher*& Fake);
