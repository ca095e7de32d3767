#include "serial/terminal/SioTerminalParser.h"

TSioTerminalParser::TSioTerminalParser(bool aUseWideChar) : FUseWideChar(aUseWideChar) {}

TSioTerminalParser::~TSioTerminalParser() = default;

String TSioTerminalParser::ClassName() const { return QStringLiteral("TSioTerminalParser"); }

int32_t TSioTerminalParser::tpGetArgument(int32_t) { return 0; }

AnsiString TSioTerminalParser::tpGetSequence() { return {}; }

TAdParserCmdType TSioTerminalParser::ProcessChar(char) { return pctNone; }

TAdParserCmdType TSioTerminalParser::ProcessWideChar(char16_t) { return pctNone; }

void TSioTerminalParser::Clear() {}

void TSioTerminalParser::ForceCommand(uint8_t Command)
{
  Clear();
  FCommand = Command;
}
