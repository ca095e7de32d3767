#pragma once
// The command engine the instrument dialogues share: the command last built,
// the step and attempt counters, the pause between attempts, the break-in
// flag, and one attempt's send-and-wait. The profiling instrument's
// dialogues (QuorndeckProtocol) and the modular instruments' (KirvoProtocol)
// run on one engine, so that only one dialogue talks at a time.
//
// A dialogue runs on the main thread from a button click and waits in
// message-pumping pauses; reply packets and the watchdog timers fire inside
// those pauses and end the wait through the engine. Every wait is bounded:
// by the step's reply packet (its time-out), by the watchdog timer, by the
// port closing, and by Abort.
//
// What the engine needs of the main window is IDialogueHost; tests put their
// own ports, packets, timers and a shorter tick behind it.
#include "rtl/DateTime.h"
#include "rtl/Types.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <vector>

class ISetupScreen;
class TCoreData;
class TSioComPort;
class TSioCustomComPort;
class TSioDataPacket;
class TTimer;

// The clock reading of the profiling instrument: the PC's time and the
// instrument's at the moment of the reply, and the instrument clock's offset
// (instrument minus PC, milliseconds) that the status-bar clock adds.
struct TInstrumentClock {
  TDateTime now_time = 0;
  TTimeStamp now_time_stamp;
  int64_t now_milliseconds = 0;
  TDateTime rtc_date_time = 0;
  TTimeStamp rtc_time_stamp;
  int64_t rtc_milliseconds = 0;
  int64_t Instrument_Clock_Offset = 0;
};

class IDialogueHost {
public:
  virtual ~IDialogueHost();

  virtual TCoreData& Core() = 0;
  // SioComPort1..20 and SioDataPacket1..18; nullptr outside.
  virtual TSioComPort* SioComPort(int32_t N) = 0;
  virtual TSioDataPacket* SioDataPacket(int32_t N) = 0;
  // The port variable of the profiling instrument (nullptr until bound).
  virtual TSioComPort* QuorndeckPort() = 0;
  // Timer2 (profiling instrument's reply watchdog), Timer3 (modular
  // instruments' reply watchdog), Timer4 (keep-alive); nullptr otherwise.
  virtual TTimer* Timer(int32_t N) = 0;
  // The command last sent, shared with "Reset Address Mode".
  virtual AnsiString& CommandString() = 0;
  // The state triple of set-up grid row Row (1, 6..10).
  virtual void SetRowState(int32_t Row, int32_t CommandMode, int32_t Busy, int32_t RunMode) = 0;
  // A new clock reading of the profiling instrument.
  virtual void SetInstrumentClock(const TInstrumentClock& Clock) = 0;
  // Panel 0 (dialogue progress) and 1 (the command sent, the reply read).
  virtual void SetStatusText(int32_t Panel, const String& Text) = 0;
  virtual std::vector<ISetupScreen*> SetupScreens() = 0;
  // May raise (the settings file cannot be written).
  virtual void WriteIniFile() = 0;
  virtual void SetWaitCursor(bool Wait) = 0;
  // A modal information message.
  virtual void ShowMessage(const String& Text) = 0;
  virtual void ProcessMessages() = 0;
  // Waits Ticks ticks (55 ms each in the program) while pumping messages.
  virtual void Delay(int32_t Ticks) = 0;
};

// How one attempt ended.
enum class TReply : uint8_t {
  Awaiting, // still waiting
  Good,     // the reply handler took the reply
  Refused,  // the instrument answered with its error text, or nonsense
  TimedOut, // the packet or the watchdog gave up waiting
  GiveUp,   // the watchdog ended the whole step
  Lost,     // the port closed, or the dialogue was aborted
};

// How a step ended; Reason is the text the status bar shows for a failure.
struct TStepOutcome {
  bool Ok = false;
  bool Lost = false;
  String Reason;
};

// What a set-up step that got no good reply means for its dialogue. A lost
// port ends the dialogue whatever the step.
enum class TStepFailure : uint8_t {
  EndsDialogue,
  // The dialogue goes on: a check that only matters to some instruments.
  Ignored,
  // The second of two alternative commands, of which the instrument hears
  // one: the dialogue ends only when neither was taken.
  EndsUnlessPreviousTook,
};
// Whether a step that failed (not lost) with Failure ends its dialogue;
// PreviousOk: whether the step before it was taken.
bool FailureEndsDialogue(TStepFailure Failure, bool PreviousOk);

// Bounds of the dialogues.
constexpr int32_t MaxStepAttempts = 5; // attempts at one step before it fails
constexpr int32_t BreakAttempts = 9;   // break strings sent to one address
constexpr int32_t InitialCommandDelay = 3;

class TCommandEngine {
public:
  explicit TCommandEngine(IDialogueHost& Host);
  ~TCommandEngine();
  TCommandEngine(const TCommandEngine&) = delete;
  TCommandEngine& operator=(const TCommandEngine&) = delete;

  IDialogueHost& Host() { return FHost; }
  TCoreData& Core() { return FHost.Core(); }

  // ---- The shared globals -------------------------------------------------
  AnsiString& CommandString() { return FHost.CommandString(); }
  int32_t IndexA = 0;                         // step of the running sequence
  int32_t IndexB = 0;                         // pending acknowledgement / module counter
  int32_t AttemptCount = 1;                   // attempt at the current step
  int32_t CommandDelay = InitialCommandDelay; // ticks after each attempt
  int32_t BreakInFlag = 0;                    // an instrument answered the break string

  // ---- One dialogue at a time ----------------------------------------------
  // Whether a dialogue runs (its name, e.g. "Set_Kirvo", else empty).
  bool Running() const { return !FRunning.isEmpty(); }
  const String& RunningDialogue() const { return FRunning; }
  // Ends the running dialogue at its next wait, with the status "Cancelled"
  // (the main window calls it when it closes).
  void Abort();
  bool Aborted() const { return FAborted; }

  // Marks a dialogue running for the life of the object; Started() is false
  // (and nothing changes) when another one runs already.
  class TRun {
  public:
    TRun(TCommandEngine& Engine, const char* Name);
    ~TRun();
    TRun(const TRun&) = delete;
    TRun& operator=(const TRun&) = delete;
    bool Started() const { return FStarted; }

  private:
    TCommandEngine& FEngine;
    bool FStarted;
  };

  // ---- Building blocks -------------------------------------------------------
  void Delay(int32_t Ticks);
  void ProcessMessages() { FHost.ProcessMessages(); }
  void Status(const String& Text) { FHost.SetStatusText(0, Text); }
  void ShowCommand(const String& Text) { FHost.SetStatusText(1, Text); }
  // The Status cell of Row on every open set-up screen.
  void StatusCell(int32_t Row, const String& Text);
  // Flushes input, then output; a failure is logged, never raised (it runs
  // where the dialogue already deals with a fault).
  static void FlushPort(TSioCustomComPort* Port);
  static bool PortOpen(TSioCustomComPort* Port);

  // One attempt: drops what input is waiting, arms Watchdog and the reply
  // packet, shows CommandString in panel 1 and sends it, waits (pausing 3
  // ticks at a time) until the reply
  // handler, the packet's time-out or the watchdog ends the wait, or the
  // port closes; then disarms both and pauses CommandDelay ticks. A failure
  // to send ends the attempt as Lost when the port is gone, else as
  // Refused. Packet may be nullptr (nothing awaited: the attempt ends after
  // the send).
  TReply Attempt(TSioCustomComPort* Port, TSioDataPacket* Packet, TTimer* Watchdog);

  // What the reply handlers call. Whether Packet's reply is being awaited
  // now (a delivery or time-out of a packet no attempt waits for is stale
  // and changes nothing).
  bool Awaiting(const TSioDataPacket* Packet) const;
  // Ends the attempt's wait with Reply; Reason is kept for the failure text.
  void EndWait(TReply Reply, const String& Reason = String());
  // The failure text of the last attempt.
  const String& LastReason() const { return FLastReason; }

private:
  IDialogueHost& FHost;
  String FRunning;
  bool FAborted = false;
  TReply FReply = TReply::Awaiting;
  const TSioDataPacket* FAwaited = nullptr;
  String FLastReason;
};

// The wait cursor for the life of the object: however a dialogue ends, the
// cursor comes back.
class TWaitCursor {
public:
  explicit TWaitCursor(IDialogueHost& Host);
  ~TWaitCursor();
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
  IDialogueHost& FHost;
};

// ---- Validation of what goes into a command line ---------------------------
// Text from the set-up screen and the settings file is untrusted: only these
// forms reach an instrument, so no line end or other command can ride along.

// An RS485 address 0..99 as decimal text; false for anything else.
bool ParseAddress(const String& Text, int32_t& Address);
// A unit address the set-up screen may give an instrument: 1..98.
bool ValidInstrumentAddress(const String& Text, int32_t& Address);
// A baud rate: decimal digits, within the rates the settings allow.
bool ValidBaudRate(const String& Text, int32_t& Baud);
// The address prefix "NN:" of an RS485 address.
AnsiString AddressPrefix(int32_t Address);
// Whether Text is non-empty and only decimal digits (at most MaxDigits).
bool IsDecimalText(const String& Text, int32_t MaxDigits);
