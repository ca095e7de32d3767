#pragma once
// Types shared by the dispatcher, its threads, the port and the data packet:
// the notification messages, trigger records and handler kinds, and the kinds
// of dispatch log entries.
#include "platform/Events.h"
#include "platform/SerialDevice.h"
#include "serial/SioTicks.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The device control block and device status of the serial device layer.
using TDCB = SerialLineState;
using TComStat = SerialStatus;

using TDatabits = uint16_t; // 5 to 8; 9 keeps the current size
using TStopbits = uint16_t; // 1 or 2; 3 keeps the current setting

// The input ring's fixed size, whatever input size the port asks for.
constexpr uint32_t InputRingSize = 8192;
// The longest data trigger match string.
constexpr uint32_t MaxTrigData = 21;

// Notifications of a port's triggers (window messages; the same numbers are
// passed to procedure and method handlers). lParam = dispatcher Handle << 16
// plus the notification's data.
constexpr uint32_t TriggerAvailMsg = 0x7E01;
constexpr uint32_t TriggerDataMsg = 0x7E02;
constexpr uint32_t TriggerTimerMsg = 0x7E03;
constexpr uint32_t TriggerStatusMsg = 0x7E04;

// The availability trigger has no record of its own: this handle and the
// dispatcher's length threshold.
constexpr uint32_t AvailTriggerHandle = 1;

// Status trigger kinds.
constexpr uint32_t StatusNone = 0;
constexpr uint32_t StatusModem = 1;
constexpr uint32_t StatusLine = 2;
constexpr uint32_t StatusOutFree = 3;
constexpr uint32_t StatusOutUsed = 4;
constexpr uint32_t StatusOutSent = 5;

enum TTriggerType : uint8_t { ttNone, ttAvail, ttTimer, ttData, ttStatus };

enum TApHandlerFlagUpdate : uint8_t { fuKeepPort, fuEnablePort, fuDisablePort };

struct TTimerTrigger {
  uint32_t tHandle = 0;
  EventTimer tET;
  int32_t tTicks = 0;
  bool tValid = false;
  bool tActive = false;
};

using TCheckIndex = std::array<uint32_t, MaxTrigData + 1>;

struct TDataTrigger {
  uint32_t tHandle = 0;
  uint32_t tLen = 0;       // 0 never matches
  TCheckIndex tChkIndex{}; // partial-match counters of the candidates
  bool tMatched = false;
  bool tIgnoreCase = false;
  std::array<uint8_t, MaxTrigData> tData{}; // upper-cased when tIgnoreCase
};

struct TStatusTrigger {
  uint32_t tHandle = 0; // allocated multiple of 8 plus the kind
  uint32_t tSType = 0;
  uint16_t tValue = 0;
  bool tSActive = false;
  bool StatusHit = false;
};

// Copies of a dispatcher's triggers, kept across a close and reopen.
struct TTriggerSave {
  uint32_t tsLenTrigger = 0;
  std::vector<TTimerTrigger> tsTimerTriggers;
  std::vector<TDataTrigger> tsDataTriggers;
  std::vector<TStatusTrigger> tsStatusTriggers;
};

// Handlers of trigger notifications. A procedure is found again by its
// address, a method by its method and object (see Events.h).
using TSioNotifyProc = void (*)(uint32_t Msg, uint32_t wParam, int32_t lParam);
using TSioNotifyEvent = TMethodEvent<void(uint32_t Msg, uint32_t wParam, int32_t lParam)>;

// Dispatch log entry kinds; each prints as its message table name.
enum TDispatchType : uint8_t {
  dtNone,
  dtDispatch,
  dtTrigger,
  dtError,
  dtThread,
  dtTriggerAlloc,
  dtTriggerDispose,
  dtTriggerHandlerAlloc,
  dtTriggerHandlerDispose,
  dtTriggerDataChange,
  dtTelnet,
  dtFax,
  dtXModem,
  dtYModem,
  dtZModem,
  dtKermit,
  dtAscii,
  dtBPlus,
  dtPacket,
  dtUser,
  dtScript,
};

// Subtypes of dispatch log entries: member n prints as message table text
// 15100 + n. The members after dstCollecting name file-transfer and fax
// states that nothing in this system logs; only the last one is named here.
enum TDispatchSubType : uint16_t {
  dstNone = 0,
  dstReadCom,
  dstWriteCom,
  dstLineStatus,
  dstModemStatus,
  dstAvail,
  dstTimer,
  dstData,
  dstStatus,
  dstThreadStart,
  dstThreadExit,
  dstThreadSleep,
  dstThreadWake,
  dstDataTrigger,
  dstTimerTrigger,
  dstStatusTrigger,
  dstAvailTrigger,
  dstWndHandler,
  dstProcHandler,
  dstEventHandler,
  dstSWill,
  dstSWont,
  dstSDo,
  dstSDont,
  dstRWill,
  dstRWont,
  dstRDo,
  dstRDont,
  dstCommand,
  dstSTerm,
  dstEnable,
  dstDisable,
  dstStringPacket,
  dstSizePacket,
  dstPacketTimeout,
  dstStartStr,
  dstEndStr,
  dstIdle,
  dstWaiting,
  dstCollecting,
  dsttzCheckSInit = 256,
};
