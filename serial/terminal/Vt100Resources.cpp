#include "serial/terminal/Vt100Resources.h"

#include "serial/terminal/TerminalMappings.h"

#include <cstdint>
#include <utility>

namespace {

struct TNamedKey {
  uint8_t Code;
  const char* Name;
};

// Virtual-key codes with the names of the keys they stand for; digits,
// letters, the number pad and the function keys are added in runs below.
const TNamedKey NamedKeys[] = {
    {0x08, "VK_BACK"},     {0x09, "VK_TAB"},     {0x0C, "VK_CLEAR"},    {0x0D, "VK_RETURN"},   {0x13, "VK_PAUSE"},
    {0x14, "VK_CAPITAL"},  {0x1B, "VK_ESCAPE"},  {0x20, "VK_SPACE"},    {0x21, "VK_PRIOR"},    {0x22, "VK_NEXT"},
    {0x23, "VK_END"},      {0x24, "VK_HOME"},    {0x25, "VK_LEFT"},     {0x26, "VK_UP"},       {0x27, "VK_RIGHT"},
    {0x28, "VK_DOWN"},     {0x29, "VK_SELECT"},  {0x2B, "VK_EXECUTE"},  {0x2C, "VK_SNAPSHOT"}, {0x2D, "VK_INSERT"},
    {0x2E, "VK_DELETE"},   {0x2F, "VK_HELP"},    {0x6A, "VK_MULTIPLY"}, {0x6B, "VK_ADD"},      {0x6C, "VK_SEPARATOR"},
    {0x6D, "VK_SUBTRACT"}, {0x6E, "VK_DECIMAL"}, {0x6F, "VK_DIVIDE"},   {0x90, "VK_NUMLOCK"},  {0x91, "VK_SCROLL"},
};

// Keys (with their shift state) to DEC key names. A name ending in "c" is a
// cursor key with variants 0 to 2, one ending in "k" a keypad or PF key
// with variants 3 to 6.
const std::pair<const char*, const char*> DecKeys[] = {
    {"VK_UP", "DEC_UPc"},          {"VK_DOWN", "DEC_DOWNc"},
    {"VK_RIGHT", "DEC_RIGHTc"},    {"VK_LEFT", "DEC_LEFTc"},
    {"VK_F1", "DEC_PF1k"},         {"VK_NUMLOCK", "DEC_PF1k"},
    {"VK_F2", "DEC_PF2k"},         {"VK_DIVIDE", "DEC_PF2k"},
    {"VK_F3", "DEC_PF3k"},         {"VK_MULTIPLY", "DEC_PF3k"},
    {"VK_F4", "DEC_PF4k"},         {"VK_SUBTRACT", "DEC_PF4k"},
    {"ctrl+VK_SPACE", "DEC_NULL"}, {"VK_ADD", "DEC_KP-k"},
    {"VK_DECIMAL", "DEC_KP.k"},    {"ctrl+VK_DECIMAL", "DEC_KP,k"},
    {"VK_EXECUTE", "DEC_KPEk"},    {"VK_BACK", "DEC_DEL"},
    {"shift+VK_BACK", "DEC_BS"},   {"VK_F11", "DEC_BS"},
    {"shift+VK_RETURN", "DEC_LF"}, {"shift+VK_EXECUTE", "DEC_LF"},
    {"VK_F12", "DEC_LF"},
};

// Cursor keys: variant 0 (VT52) ESC letter, 1 (ANSI cursor) ESC [ letter,
// 2 (ANSI application cursor) ESC O letter.
const std::pair<const char*, char> CursorKeys[] = {
    {"DEC_UP", 'A'}, {"DEC_DOWN", 'B'}, {"DEC_RIGHT", 'C'}, {"DEC_LEFT", 'D'}};
// PF keys: variants 3 and 4 (VT52) ESC letter, 5 and 6 (ANSI) ESC O letter.
const std::pair<const char*, char> PfKeys[] = {{"DEC_PF1", 'P'}, {"DEC_PF2", 'Q'}, {"DEC_PF3", 'R'}, {"DEC_PF4", 'S'}};
// Keypad keys: their own character in the numeric variants 3 and 5, ESC ?
// letter in 4 (VT52 application), ESC O letter in 6 (ANSI application).
struct TPadKey {
  const char* Name;
  const char* Own;
  char Letter;
};
const TPadKey PadKeys[] = {
    {"DEC_KP0", "0", 'p'}, {"DEC_KP1", "1", 'q'},     {"DEC_KP2", "2", 'r'}, {"DEC_KP3", "3", 's'},
    {"DEC_KP4", "4", 't'}, {"DEC_KP5", "5", 'u'},     {"DEC_KP6", "6", 'v'}, {"DEC_KP7", "7", 'w'},
    {"DEC_KP8", "8", 'x'}, {"DEC_KP9", "9", 'y'},     {"DEC_KP-", "-", 'm'}, {"DEC_KP,", ",", 'l'},
    {"DEC_KP.", ".", 'n'}, {"DEC_KPE", "\\x0D", 'M'},
};
const std::pair<const char*, const char*> ControlKeys[] = {
    {"DEC_BS", "\\x08"}, {"DEC_DEL", "\\x7F"}, {"DEC_LF", "\\x0A"}, {"DEC_NULL", "\\x00"}};

// The line-drawing glyphs of the characters 95 to 126 in the "Terminal" font.
const uint8_t LineDrawGlyphs[32] = {32,  4,   177, 16,  23,  17,  31,  248, 241, 27,  25,  217, 191, 218, 192, 197,
                                    196, 196, 196, 196, 196, 195, 180, 193, 194, 179, 243, 242, 227, 216, 156, 250};

AnsiString HexKey(int Code) { return "\\x" + AnsiString::number(Code, 16).toUpper().rightJustified(2, '0'); }

void AddLineDraw(TAdCharSetMapping& M, const char* Set)
{
  M.Add(Set, 32, 94, "Terminal", 32);
  for (int C = 95; C <= 126; ++C)
    M.Add(Set, char(C), char(C), "Terminal", char(LineDrawGlyphs[C - 95]));
}

} // namespace

QByteArray Vt100KeyMapData()
{
  TAdKeyboardMapping M;
  // Layer 1: virtual-key codes to key names.
  const auto Run = [&](int First, int Last, const char* Prefix, int NameBase, bool Letters) {
    for (int C = First; C <= Last; ++C)
      M.Add(HexKey(C), AnsiString(Prefix) +
                           (Letters ? AnsiString(1, char('A' + C - First)) : AnsiString::number(NameBase + C - First)));
  };
  for (const TNamedKey& K : NamedKeys)
    M.Add(HexKey(K.Code), K.Name);
  Run(0x30, 0x39, "VK_", 0, false);
  Run(0x41, 0x5A, "VK_", 0, true);
  Run(0x60, 0x69, "VK_NUMPAD", 0, false);
  Run(0x70, 0x87, "VK_F", 1, false);
  // Layer 2: keys to DEC key names.
  for (const auto& [Key, Dec] : DecKeys)
    M.Add(Key, Dec);
  for (int D = 0; D <= 9; ++D)
    M.Add("VK_NUMPAD" + AnsiString::number(D), "DEC_KP" + AnsiString::number(D) + "k");
  // Layer 3: DEC keys with their variant to the text they send.
  for (const auto& [Name, Letter] : CursorKeys) {
    M.Add(AnsiString(Name) + "0", AnsiString("\\e") + Letter);
    M.Add(AnsiString(Name) + "1", AnsiString("\\e[") + Letter);
    M.Add(AnsiString(Name) + "2", AnsiString("\\eO") + Letter);
  }
  for (const auto& [Name, Letter] : PfKeys) {
    M.Add(AnsiString(Name) + "3", AnsiString("\\e") + Letter);
    M.Add(AnsiString(Name) + "4", AnsiString("\\e") + Letter);
    M.Add(AnsiString(Name) + "5", AnsiString("\\eO") + Letter);
    M.Add(AnsiString(Name) + "6", AnsiString("\\eO") + Letter);
  }
  for (const TPadKey& K : PadKeys) {
    M.Add(AnsiString(K.Name) + "3", K.Own);
    M.Add(AnsiString(K.Name) + "4", AnsiString("\\e?") + K.Letter);
    M.Add(AnsiString(K.Name) + "5", K.Own);
    M.Add(AnsiString(K.Name) + "6", AnsiString("\\eO") + K.Letter);
  }
  for (const auto& [Name, Text] : ControlKeys)
    M.Add(Name, Text);
  return M.StoredForm();
}

QByteArray Vt100CharSetData()
{
  TAdCharSetMapping M;
  const char* const UsAscii = AdVT100CharSetNames[0];
  const char* const Uk = AdVT100CharSetNames[1];
  M.Add(UsAscii, 32, 126, DefaultFontName, 32);
  M.Add(UsAscii, char(128), char(255), "Terminal", char(128));
  // The UK set differs from US ASCII in one place: "#" is the pound sign.
  M.Add(Uk, 32, 34, DefaultFontName, 32);
  M.Add(Uk, 35, 35, DefaultFontName, char(163));
  M.Add(Uk, 36, 126, DefaultFontName, 36);
  AddLineDraw(M, AdVT100CharSetNames[2]);
  M.Add(AdVT100CharSetNames[3], 32, 126, DefaultFontName, 32);
  AddLineDraw(M, AdVT100CharSetNames[4]);
  return M.StoredForm();
}
