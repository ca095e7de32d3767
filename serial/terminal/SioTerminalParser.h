#pragma once
// The base of the parsers that turn received characters into emulator
// commands for emulators that decode escape sequences. The base recognises
// nothing: every character gives pctNone.
#include "rtl/Object.h"

#include <cstdint>

enum TAdParserCmdType : uint8_t { pctNone, pctChar, pct8bitChar, pctPending, pctComplete };

class TSioTerminalParser : public TObject {
public:
  explicit TSioTerminalParser(bool aUseWideChar);
  ~TSioTerminalParser() override;
  String ClassName() const override;

  // The arguments of the last complete sequence.
  int32_t Argument(int32_t aInx) { return tpGetArgument(aInx); }
  int32_t ArgumentCount() const { return FArgCount; }
  uint8_t Command() const { return FCommand; }
  AnsiString Sequence() { return tpGetSequence(); }
  bool UseWideChar() const { return FUseWideChar; }

  virtual int32_t tpGetArgument(int32_t aInx);
  virtual AnsiString tpGetSequence();
  virtual TAdParserCmdType ProcessChar(char aCh);
  virtual TAdParserCmdType ProcessWideChar(char16_t aCh);
  virtual void Clear();
  // Clears the parser, then makes Command the current command.
  void ForceCommand(uint8_t Command);

protected:
  int32_t FArgCount = 0;
  uint8_t FCommand = 0;
  bool FUseWideChar;
};
