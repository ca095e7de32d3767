#pragma once
// The command dialogues of the profiling (Quorndeck) instrument on slot 0,
// set-up grid row 1: interrupt and interrogate, set up, run, set the clock.
//
// Commands are "#", three digits and ";"-led arguments, then CR LF; in
// RS485 led by the instrument's two-digit address and ":". Replies end with
// CR LF and the prompt ">"; in RS232 the instrument first echoes the command
// line. The replies arrive on data packets 2 to 9 of the instrument's port
// (the main window's form gives their start and end strings), Timer2 is the
// reply watchdog.
//
// Each step, query or set command, is tried at most MaxStepAttempts times; a
// step that gets no good reply ends its dialogue with a status that says
// which step failed, so a dialogue never reports completion for settings the
// instrument did not take. A dialogue asked for while another runs does nothing.
#include "app/instruments/CommandEngine.h"

#include <cstdint>

class TQuorndeckProtocol {
public:
  explicit TQuorndeckProtocol(TCommandEngine& Engine);

  // The four dialogues; false when the dialogue failed, was cancelled or
  // did not start because another one runs.
  bool Break_In_Quorndeck();
  bool Set_Quorndeck();
  bool Run_Quorndeck();
  bool Set_Time();

  // Reply handlers (packets 2..9 of the instrument's port) and the watchdog.
  void SioDataPacket2Packet();
  void SioDataPacket8Packet();
  void SioDataPacket2Timeout();
  void SioDataPacket8Timeout();
  void SioDataPacket3StringPacket(const AnsiString& Data);
  void SioDataPacket3Timeout();
  // Tare, serial number, density and gravity, clock, altimeter type.
  void SioDataPacket4StringPacket(const AnsiString& Data);
  void SioDataPacket5StringPacket(const AnsiString& Data);
  void SioDataPacket6StringPacket(const AnsiString& Data);
  void SioDataPacket7StringPacket(const AnsiString& Data);
  void SioDataPacket9StringPacket(const AnsiString& Data);
  // The time-out of any of the query packets 4..7 and 9.
  void QueryTimeout(int32_t Packet);
  void Timer2Timer();

  // The modal message shown before the instrument is put into address mode.
  static String AddressModeMessage();

private:
  enum class TQuery : uint8_t { Tare, SerialNo, DensityGravity, Clock, Altimeter };

  TSioDataPacket* Packet(int32_t N);
  TSioComPort* Port();
  // The prefix from slot 0's settings; false (with the failure shown) when
  // the address there is no address.
  bool SettingsPrefix(AnsiString& Prefix, const String& Dialogue);
  void SetRow(int32_t CommandMode, int32_t Busy, int32_t RunMode);
  void RowStatus(const String& Text);
  bool RS232() const;

  // The break-in; true when an instrument answered (Address: the address
  // that answered in RS485, -1 in RS232).
  bool BreakIn(int32_t& Address);
  // Query steps in order; false with the reason of the step that failed.
  TStepOutcome Queries(const AnsiString& Prefix, const TQuery* Steps, int32_t Count);
  TStepOutcome Query(const AnsiString& Prefix, TQuery Step);
  // An acknowledged set step; Build (re)builds CommandString per attempt.
  TStepOutcome SetStep(const String& Text, const std::function<void()>& Build);
  void Fail(const String& Dialogue, const TStepOutcome& Outcome, const char* RowText);
  // The break-in failed: Status shown, the operator may try again.
  void NotInterrupted(const String& Status);
  // Opens P (and keeps it open) and drops what it holds, letting the
  // event loop run between the steps.
  void ReopenAndFlush(TSioComPort* P);

  // A query reply: false when it is stale (no good reply, keep waiting);
  // otherwise its text without the echoed command line in Text.
  bool TakeReply(int32_t PacketNumber, const AnsiString& Data, String& Text);
  void QueryReply(int32_t PacketNumber, TQuery Query, const AnsiString& Data);

  TCommandEngine& FEngine;
  bool FBreakAnswered = false;
  bool FBreakInProgress = false;
};
