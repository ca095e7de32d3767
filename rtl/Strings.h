#pragma once
// Text helpers with 1-based positions, as the design counts them.
// Positions and counts out of range are clipped, never an error.
#include "rtl/Types.h"
#include <QChar>

// Copy(S, Index, Count): Count characters from position Index (1-based).
// Copy clips Index below 1 to 1 and Count to the end of S; a negative Count
// gives "". Delete does nothing for Index outside 1..Length(S). Insert puts
// Source at the front for Index below 1 and at the end beyond the text.
String Copy(const String& S, int Index, int Count);
AnsiString Copy(const AnsiString& S, int Index, int Count);
// Position (1-based) of the first Sub in S at or after Offset; 0 when absent,
// when Sub is empty or when Offset lies outside 1..Length(S).
int Pos(const String& Sub, const String& S, int Offset = 1);
int Pos(QChar Ch, const String& S, int Offset = 1);
int Pos(const AnsiString& Sub, const AnsiString& S, int Offset = 1);
void Delete(String& S, int Index, int Count);
void Delete(AnsiString& S, int Index, int Count);
void Insert(const String& Source, String& S, int Index);
void Insert(const AnsiString& Source, AnsiString& S, int Index);
// Strip characters with codes up to 32 (space and control characters).
String Trim(const String& S);
String TrimLeft(const String& S);
String TrimRight(const String& S);
AnsiString Trim(const AnsiString& S);
// ASCII letters only; other characters stay as they are.
String UpperCase(const String& S);
String LowerCase(const String& S);
// Every letter, by the Unicode rules.
String AnsiUpperCase(const String& S);
String AnsiLowerCase(const String& S);
// Ordinal comparisons: < 0, 0, > 0. The Text forms fold ASCII case only.
int CompareStr(const String& S1, const String& S2);
int CompareText(const String& S1, const String& S2);
bool SameStr(const String& S1, const String& S2);
bool SameText(const String& S1, const String& S2);
// Locale-neutral collation: every letter compared without case first; texts
// equal but for case put lower case first (AnsiCompareStr only). Results are
// -1, 0 or 1.
int AnsiCompareStr(const String& S1, const String& S2);
int AnsiCompareText(const String& S1, const String& S2);
bool AnsiSameText(const String& S1, const String& S2);
// The Text forms fold the case of every letter. An empty SubText starts and
// ends every text but is contained in none.
bool StartsText(const String& SubText, const String& Text);
bool EndsText(const String& SubText, const String& Text);
bool ContainsText(const String& Text, const String& SubText);
bool StartsStr(const String& SubText, const String& Text);
bool EndsStr(const String& SubText, const String& Text);

enum TReplaceFlag : uint8_t { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = uint8_t;
String StringReplace(const String& S, const String& OldPattern, const String& NewPattern, TReplaceFlags Flags);

String StringOfChar(QChar Ch, int Count);
String QuotedStr(const String& S); // 'it''s'
String AnsiQuotedStr(const String& S, QChar Quote);
// Natural order, as file lists sort names: runs of digits compare by their
// value ("file9" before "file10"), other characters without case; texts
// equal so far are decided by the length of their digit runs (fewer leading
// zeros first), then ordinally. -1, 0 or 1.
int StrCmpLogical(const String& S1, const String& S2);

// Removes the quotes of a quoted text and undoubles inner quotes; a text
// that does not start with Quote, or whose quote is never closed, comes back
// unchanged.
String AnsiDequotedStr(const String& S, QChar Quote);
// Position (1-based) of the last character of S that is one of Delimiters.
int LastDelimiter(const String& Delimiters, const String& S);
bool IsDelimiter(const String& Delimiters, const String& S, int Index);

// A Pascal identifier: a letter or underscore, then letters, digits and
// underscores (ASCII only).
bool IsValidIdent(const String& Ident);

// 8-bit text is Windows-1252: bytes 0x80..0x9F map to the characters that
// code page assigns, other bytes to the same code point. The five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the
// control character of the same value and back, so every byte string
// survives FromAnsi then ToAnsi. Other characters that the code page cannot
// hold become '?' (one per character, also outside the basic plane).
AnsiString ToAnsi(const String& S);
String FromAnsi(const AnsiString& S);
