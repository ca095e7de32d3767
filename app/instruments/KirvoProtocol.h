#pragma once
// The command dialogues of the modular (Kirvo) instruments: the QYR
// pressure sensors of set-up rows 6..9 and the atmospheric sensor of row 10.
// Interrupt (and, on an RS485 bus, read the list of units fitted), set up,
// run. Replies arrive on data packets 12..15 of the instrument's port;
// Timer3 is the reply watchdog (a silent step is given up when it fires),
// Timer4 the keep-alive that holds an interrupted instrument in command
// mode.
//
// As with the profiling instrument, a step is tried at most MaxStepAttempts
// times and a step that fails ends its dialogue with a status naming it;
// a dialogue asked for while another runs does nothing.
#include "app/instruments/CommandEngine.h"

#include <array>
#include <cstdint>
#include <functional>

class TKirvoProtocol {
public:
  explicit TKirvoProtocol(TCommandEngine& Engine);

  // Row_No is the set-up grid row (6..10); any other row does nothing and
  // gives false, as does a dialogue that failed or did not start.
  bool Break_In_Kirvo(int32_t Row_No);
  bool Set_Kirvo(int32_t Row_No);
  bool Run_Kirvo(int32_t Row_No);

  // The break-in prompt (the text before ">").
  void SioDataPacket12StringPacket(const AnsiString& Data);
  void SioDataPacket12Timeout();
  void SioDataPacket13StringPacket(const AnsiString& Data);
  void SioDataPacket13Timeout();
  void SioDataPacket14StringPacket(const AnsiString& Data);
  void SioDataPacket14Timeout();
  void SioDataPacket15StringPacket(const AnsiString& Data);
  void SioDataPacket15Timeout();
  void Timer3Timer();
  void Timer4Timer();

  // The units other than 1 that the instrument listed; at most this many
  // are kept.
  static constexpr int32_t MaxModules = 11;
  std::array<int32_t, MaxModules> ModuleList{};
  int32_t No_Modules = 0;
  // The first field of the parameter list reply, and whether the list
  // names a repeater ("RPT").
  int32_t Module = 0;
  int32_t RptFitted = 0;
  int32_t KirvoRS485 = 1;
  // The port of the instrument last selected.
  TSioComPort* KirvoPort = nullptr;

private:
  struct TStep {
    String Status;
    AnsiString Command; // empty: the step is skipped
    int32_t Packet = 14;
    int32_t Replies = 1; // good replies that complete the step
    // Before each attempt (after CommandString is set); may rebuild it.
    std::function<void(int32_t Reply)> Before;
    // Once, before the step's first attempt: the reply's frame, the pause.
    std::function<void()> Prepare;
  };

  TSioDataPacket* Packet(int32_t N);
  TTimer* Watchdog();
  // KirvoPort from the row's slot, packets 12..15 bound to it, the port
  // opened; false (with the reason) when the slot names no usable port.
  bool SelectPort(int32_t K, String& Reason);
  bool SlotRS232(int32_t K) const;
  void SetRow(int32_t Row, int32_t CommandMode, int32_t Busy, int32_t RunMode);
  void RowStatus(int32_t Row, int32_t K, const String& Text);
  void StopDataPackets();
  // The break-in loop with one break string: true when the instrument
  // answered.
  bool BreakInLoop(const AnsiString& Break);
  TStepOutcome RunStep(const TStep& Step);
  void SetReplyStrings(const AnsiString& Start, const AnsiString& End, bool AnyData = false);
  void Fail(int32_t Row, int32_t K, const String& Dialogue, const String& Reason, const char* RowText);
  // The instrument did not answer the break-in: the operator may try again.
  void NotInterrupted(int32_t Row, int32_t K);
  // The same, with the reason shown in the status line.
  void NotConnected(int32_t Row, int32_t K, const String& Reason);
  // Sends a bare line end (clears the instrument's input line).
  void SendLineEnd();
  // Starts the keep-alive of an interrupted instrument.
  void Watchdog4On();

  TCommandEngine& FEngine;
  bool FBreakAnswered = false;
  bool FBreakSent = false;
  bool FBreakInProgress = false;
};
