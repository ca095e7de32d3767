#pragma once
// A simulated instrument on a serial line, for tests and for running the
// logger without hardware. It owns a pseudo-terminal pair (or an existing
// device), runs its own thread that answers the logger's command dialogue
// and streams data lines, can misbehave on request, and records every byte
// the logger sent.
//
// Every setter may be called at any time from any thread; it takes effect
// from the next line received or the next sample sent.
#include "sim/InstrumentModel.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QString;

namespace sim {

struct CastParams;

enum class ReplyFault : uint8_t {
  None,
  Silent, // the instrument neither echoes nor answers, and does not act
  Error,  // answers with its error text instead of acting
  Garbage // acts, but echo and reply come out as noise (never CR, LF or ">")
};

class InstrumentSimulator {
public:
  // On a new pseudo-terminal pair; the program opens SlavePath(). Throws
  // EOSError when no pty can be made.
  explicit InstrumentSimulator(InstrumentKind Kind);
  // On an existing device (a serial port, one end of a socat pair). Throws
  // EOSError when it cannot be opened.
  InstrumentSimulator(InstrumentKind Kind, const std::string& DevicePath);
  ~InstrumentSimulator();
  InstrumentSimulator(const InstrumentSimulator&) = delete;
  InstrumentSimulator& operator=(const InstrumentSimulator&) = delete;

  // The device the program under test opens (as FATHOMIX_COMn).
  const std::string& SlavePath() const;
  void Start();
  void Stop();

  void SetMode(LineMode M);
  LineMode Mode() const;
  void SetAddress(int A);
  int Address() const;
  // Modular systems only: the module unit numbers (see KirvoModel).
  void SetUnits(const std::vector<int>& Units);
  // Profiling instrument only: restarts the generated cast.
  void SetProfile(const CastParams& P);
  // Lines streamed instead of generated values; empty = generated values.
  void SetScript(std::vector<AnsiString> Lines);
  // Reads the script from a text file, one data line per text line; false
  // when the file cannot be read or holds no line.
  bool LoadScript(const QString& Path);
  // Sampling interval of the stream; short values make tests fast.
  void SetIntervalMs(int Ms);
  // In run mode the instrument streams and hears only the break. It starts
  // in run mode, as an instrument left running.
  void SetRunning(bool R);
  bool Running() const;
  int64_t SamplesSent() const;
  // Direct access to the instrument's state (serial number, altimeter type,
  // parameter list, clock ...), under the simulator's lock.
  void WithModel(const std::function<void(InstrumentModel&)>& F);

  // Misbehaviour. A fault with OnlyCommand set hits only commands (address
  // removed) that start with it, e.g. "#010"; otherwise every line, break
  // included.
  void SetReplyFault(ReplyFault F, const AnsiString& OnlyCommand = {});
  // Replies (not the echo) leave this late; everything after them waits.
  void SetReplyDelayMs(int Ms);
  // Drops every N-th byte sent (0: none).
  void SetDropEvery(int N);
  void SendRaw(const AnsiString& Bytes);
  // Count bytes of noise (never CR, LF or ">"), seeded, so repeatable.
  void SendGarbage(int Count);
  // A line of Count printable bytes, then CR LF.
  void SendOverLongLine(int Count);
  // The next reply or data line is cut after half of it and the line hung
  // up (the pty master closed, so the program's reads fail).
  void HangUpMidLine();
  void HangUp();
  bool HungUp() const;

  // Every byte received from the program, in order (at most 16 MiB kept).
  AnsiString Received() const;
  void ClearReceived();
  // True once Sequence occurs in the received bytes; false after TimeoutMs.
  bool WaitForReceived(const AnsiString& Sequence, int TimeoutMs) const;

  // Called on the simulator's thread with each complete line received,
  // without its line end (the command-line front end prints them). Set it
  // before Start.
  std::function<void(const AnsiString&)> OnCommandLine;

private:
  struct Impl;
  std::unique_ptr<Impl> D;
  void Run();
};

} // namespace sim
