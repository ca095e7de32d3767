#pragma once
// What a simulated instrument says: its command dialogue and its data lines,
// free of any I/O so the simulator's thread can drive it line by line.
//
// Framing rules shared by both instrument families:
// - A command line is "#", a three-digit number, arguments each led by ";";
//   in RS485 mode led by a two-digit address and ":". Address 00 is heard by
//   every instrument on the bus; other addresses only by their owner.
// - In RS232 mode the instrument echoes the line with CR LF at once and hears
//   every line, an address prefix being ignored (so "00:#005;OFF" still
//   switches an instrument that is already out of address mode).
// - Replies end with CR LF and the prompt ">".
// - A running instrument hears nothing but the break ("#", or "##").
#include "rtl/Types.h"

#include <QDateTime>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace sim {

enum class InstrumentKind : uint8_t {
  Quorndeck,  // the profiling instrument
  Qyr,        // modular (Kirvo) system with QYR pressure-sensor modules
  Atmospheric // modular (Kirvo) system with the atmospheric-pressure module
};
enum class LineMode : uint8_t { RS232, RS485 };

// The bytes one received line makes the instrument send.
struct Response {
  bool Answered = false;
  AnsiString Echo;  // sent at once (RS232 echo)
  AnsiString Reply; // sent after the configured reply delay
};

class InstrumentModel {
public:
  using WallClock = std::function<QDateTime()>;

  virtual ~InstrumentModel();
  static std::unique_ptr<InstrumentModel> Create(InstrumentKind Kind);

  InstrumentKind Kind() const { return FKind; }
  LineMode Mode() const { return FMode; }
  void SetMode(LineMode M) { FMode = M; }
  // Quorndeck: the RS485 address. Kirvo: the unit number of the first module.
  virtual int Address() const = 0;
  virtual void SetAddress(int A) = 0;
  bool Running() const { return FRunning; }
  void SetRunning(bool R) { FRunning = R; }
  // Body of a refused command: "ERROR" for the Quorndeck, "no response" for
  // the Kirvo system (the texts the logger looks for).
  const AnsiString& ErrorText() const { return FErrorText; }
  void SetErrorText(const AnsiString& T) { FErrorText = T; }
  // The instrument's clock is the wall clock plus an offset that the clock
  // set command moves; tests fix the wall clock to get exact replies.
  void SetWallClock(WallClock C) { FWallClock = std::move(C); }
  void SetClockOffsetMs(int64_t Ms) { FClockOffsetMs = Ms; }
  QDateTime InstrumentTime() const;
  // Lines streamed in place of the generated values (each sent with CR LF
  // added, in turn, starting over at the end); empty = generated values.
  void SetScript(std::vector<AnsiString> Lines);

  // The command a line carries for this instrument, address removed, and the
  // address it was sent to (-1 without one). False: not for this instrument.
  bool Accepts(const AnsiString& Line, AnsiString* Command = nullptr, int* Prefix = nullptr) const;
  // Reacts to one received line (without its CR LF). With AnswerError the
  // instrument refuses the command without acting on it.
  Response Handle(const AnsiString& Line, bool AnswerError);
  // The data lines of one sampling period, with their line ends.
  AnsiString NextSample();
  int64_t SamplesSent() const { return FSampleIndex; }
  // Starts the generated values and the script again from their beginning.
  void RestartSamples();

protected:
  explicit InstrumentModel(InstrumentKind Kind, const AnsiString& ErrorText);

  enum class Outcome : uint8_t { Reply, Refuse, Run };
  struct Command {
    int Prefix = -1; // address it was sent to, -1 without one
    int Number = -1; // command number, -1 for a command without "#nnn"
    AnsiString Text; // the whole command, address removed
    std::vector<AnsiString> Args;
  };

  virtual bool ListensTo(int Prefix) const = 0;
  virtual Outcome Execute(const Command& C, AnsiString& Body) = 0;
  virtual AnsiString Frame(const AnsiString& Body, LineMode ReceivedIn) const = 0;
  virtual AnsiString BreakBody() const = 0;
  virtual AnsiString RunReply(LineMode ReceivedIn) const = 0;
  virtual AnsiString GeneratedSample(int64_t Index) = 0;

  // Plain settings that a set command stores and a query returns verbatim.
  // False when C is no such command; otherwise Result and Body are its answer.
  bool PlainSetting(const Command& C, AnsiString& Body, Outcome& Result);
  void AddSetting(int SetNumber, int GetNumber, const AnsiString& Default);
  // Tare commands: Value is the reading to tare at.
  void SetTare(double Value);
  // "#052;dd;mm;yy;hh;nn;ss": False when the arguments are no valid time.
  bool SetClockFromArgs(const Command& C);
  AnsiString TareReply() const;
  static AnsiString TwoDigits(int V);
  static AnsiString TimeText(const QDateTime& T);

  LineMode FMode = LineMode::RS232;

private:
  InstrumentKind FKind;
  bool FRunning = true;
  AnsiString FErrorText;
  WallClock FWallClock;
  int64_t FClockOffsetMs = 0;
  std::vector<AnsiString> FScript;
  size_t FScriptPos = 0;
  int64_t FSampleIndex = 0;
  std::map<int, AnsiString> FSettings; // keyed by the query's number
  std::map<int, int> FQueryOfSet;      // set number -> query number
  double FTare = 0.0;
  AnsiString FTareTime = "01/01/2007 00:00:00";
};

} // namespace sim
