#pragma once
// Keyboard and character-set mappings of terminal emulators that decode
// escape sequences: a keyboard mapping turns key names into the text a host
// expects, a character-set mapping tells per character set which font and
// which glyph draw each character.
//
// Both load from a text form (LoadFromFile) or from a resource in the stored
// form (LoadFromRes), and write the stored form (StoreToBinFile) and a text
// dump (DebugPrint). The stored form, little-endian: the magic "AHT3", a
// 4-byte entry count, the entries, the magic again; a keyboard entry is key
// and value, a character-set entry set name, font name, character and glyph,
// each text a length byte and its characters.
//
// Keys, values, set and font names are counted 8-bit strings of at most 63
// characters; longer text is cut.
//
// Keyboard text form: one pair a line, key and value separated by spaces;
// empty lines and lines starting with "*" are skipped.
// Character-set text form: only lines starting with a space count; five
// fields separated by spaces, set name, first and last character, font
// name and first glyph; a field may be quoted with ' or " to hold spaces;
// the character fields are one character or "\x" and two hex digits:
//      VT100-UK '#' '#' <Default> \xA3
//
// File errors propagate as the run-time layer's file exceptions; malformed
// lines are skipped; a missing or malformed resource leaves the mapping
// empty.
#include "rtl/Object.h"

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

class TStringList;

using TAdKeyString = AnsiString;
constexpr int32_t MaxKeyStringLength = 63;
// S cut to the longest key string.
TAdKeyString KeyString(const AnsiString& S);

// The ELF hash of the bytes of S; the second starts from Ch.
uint32_t HashELF(const AnsiString& S);
uint32_t HashELFPlusChar(const AnsiString& S, char Ch);

// The font name of characters a character-set mapping does not know.
inline const char* const DefaultFontName = "<Default>";

class TAdKeyboardMapping : public TObject {
public:
  TAdKeyboardMapping();
  ~TAdKeyboardMapping() override;
  String ClassName() const override;

  // False and nothing changed when the key exists (the first value stays).
  bool Add(const TAdKeyString& aKey, const TAdKeyString& aValue);
  // The value of the key (case-sensitive), empty when there is none.
  TAdKeyString Get(const TAdKeyString& aKey) const;
  void Clear();
  int32_t Count() const { return FCount; }

  // Each replaces the contents.
  void LoadFromFile(const String& aFileName);
  void LoadFromRes(const String& aResName);
  void StoreToBinFile(const String& aFileName) const;
  void DebugPrint(const String& aFileName) const;
  // The stored form, bucket by bucket, each chain from its newest entry.
  QByteArray StoredForm() const;

private:
  static constexpr int32_t BucketCount = 57;
  struct TEntry {
    TAdKeyString Key;
    TAdKeyString Value;
  };
  // Each chain oldest first; its head is its last entry.
  std::array<std::vector<TEntry>, BucketCount> FTable;
  int32_t FCount = 0;
};

class TAdCharSetMapping : public TObject {
public:
  TAdCharSetMapping();
  ~TAdCharSetMapping() override;
  String ClassName() const override;

  // Maps aFromCh..aToCh of the set to glyphs aGlyph, aGlyph + 1, ... of
  // aFont. False and nothing changed when one of them is mapped already; an
  // empty range adds nothing and gives true.
  bool Add(const TAdKeyString& aCharSet, char aFromCh, char aToCh, const TAdKeyString& aFont, char aGlyph);
  void Clear();
  int32_t Count() const { return FCount; }
  // Each font name of the table once (letter case ignored).
  void GetFontNames(TStringList& aList) const;

  // Cuts aText into runs of one font each, characters replaced by their
  // glyphs; unmapped characters stay and take the font "<Default>". An empty
  // text leaves the previous script.
  void GenerateDrawScript(const TAdKeyString& aCharSet, const AnsiString& aText);
  // The first run of the script, which it leaves; false when it is empty.
  bool GetNextDrawCommand(TAdKeyString& aFont, AnsiString& aText);

  void LoadFromFile(const String& aFileName);
  void LoadFromRes(const String& aResName);
  void StoreToBinFile(const String& aFileName) const;
  void DebugPrint(const String& aFileName) const;
  QByteArray StoredForm() const;

private:
  static constexpr int32_t BucketCount = 199;
  struct TEntry {
    TAdKeyString CharSet;
    TAdKeyString Font;
    uint8_t Ch = 0;
    uint8_t Glyph = 0;
  };
  struct TScriptNode {
    TAdKeyString Font;
    AnsiString Text;
  };
  const TEntry* Find(const TAdKeyString& aCharSet, uint8_t aCh) const;
  bool ProcessCharSetLine(const AnsiString& aLine);

  std::array<std::vector<TEntry>, BucketCount> FTable;
  int32_t FCount = 0;
  std::deque<TScriptNode> FScript;
};
