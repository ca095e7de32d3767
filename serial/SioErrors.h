#pragma once
// The serial library's result codes and its message table.
//
// Every low-level operation returns 0 for success or a negative code; the
// components turn negative codes into exceptions (CheckException in
// SioExceptions.h). The message table holds the text of every code and a
// number of positive status and log texts (dispatch log names, header lines,
// modem bit names, Telnet options), keyed by absolute value.
#include "rtl/Types.h"

#include <cstdint>

// Codes the serial library produces.
constexpr int32_t ecOK = 0;
constexpr int32_t ecOutOfMemory = -8;
constexpr int32_t ecDeviceWrite = -160;
constexpr int32_t ecDeviceRead = -161;

constexpr int32_t ecBadHandle = -1001;
constexpr int32_t ecBadArgument = -1002;
constexpr int32_t ecGotQuitMsg = -1003;
constexpr int32_t ecBufferTooBig = -1004;
constexpr int32_t ecPortNotAssigned = -1005;
constexpr int32_t ecInternal = -1006;
constexpr int32_t ecModemNotAssigned = -1007;
constexpr int32_t ecPhonebookNotAssigned = -1008;
constexpr int32_t ecCannotUseWithWinSock = -1009;

constexpr int32_t ecBadId = -2001;
constexpr int32_t ecBaudRate = -2002;
constexpr int32_t ecByteSize = -2003;
constexpr int32_t ecDefault = -2004;
constexpr int32_t ecHardware = -2005;
constexpr int32_t ecMemory = -2006;
constexpr int32_t ecCommNotOpen = -2007;
constexpr int32_t ecAlreadyOpen = -2008;
constexpr int32_t ecNoHandles = -2009;
constexpr int32_t ecNoTimers = -2010;
constexpr int32_t ecNoPortSelected = -2011;
constexpr int32_t ecNotOpenedByTapi = -2012;

constexpr int32_t ecNullApi = -3001;
constexpr int32_t ecNotSupported = -3002;
constexpr int32_t ecRegisterHandlerFailed = -3003;
constexpr int32_t ecPutBlockFail = -3004;
constexpr int32_t ecGetBlockFail = -3005;
constexpr int32_t ecOutputBufferTooSmall = -3006;
constexpr int32_t ecBufferIsEmpty = -3007;
constexpr int32_t ecTracingNotEnabled = -3008;
constexpr int32_t ecLoggingNotEnabled = -3009;
constexpr int32_t ecBaseAddressNotSet = -3010;

constexpr int32_t ecNoMoreTriggers = -5001;
constexpr int32_t ecTriggerTooLong = -5002;
constexpr int32_t ecBadTriggerHandle = -5003;

constexpr int32_t ecStartStringEmpty = -5501;
constexpr int32_t ecPacketTooSmall = -5502;
constexpr int32_t ecNoEndCharCount = -5503;
constexpr int32_t ecEmptyEndString = -5504;
constexpr int32_t ecZeroSizePacket = -5505;
constexpr int32_t ecPacketTooLong = -5506;

constexpr int32_t ecTapiNoMem = -13868;

// Message table codes of the dispatch log's names and headings.
constexpr int32_t DispatchTypeNameBase = 15000;    // + 1 + type
constexpr int32_t DispatchSubTypeNameBase = 15100; // + subtype
constexpr int32_t LogColumnHeadingCode = 15501;
constexpr int32_t LogColumnRuleCode = 15502;
constexpr int32_t ModemBitNameBase = 15601;     // + bit number
constexpr int32_t TelnetOptionNameBase = 15700; // + option

struct SioMessageNumberLookupRecord {
  int32_t MessageNumber; // with its sign
  const char* MessageString;
};

// The table: sorted by absolute code, no duplicates.
constexpr int32_t SioMessageCount = 897;
const SioMessageNumberLookupRecord* SioMessageTable();

// The table text of the absolute value of MessageNumber, or empty.
String MessageNumberToString(int32_t MessageNumber);
// The table text, or else the system's text for the code taken as a system
// error number (which names the number when the system has no text for it).
String TelvLoadStr(int32_t ErrorCode);
