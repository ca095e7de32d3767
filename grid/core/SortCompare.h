#pragma once
// How two cell texts of a column compare under a sort style, for the grid's
// row sorting and for whoever must order texts the way the grid does.
//
// Every comparison here is a strict weak order on the texts of one column:
// whichever text comes first, the answer is the same with its sign turned,
// and a column sorted by it has one order, however the sort pairs its rows.
// Where a style would classify each pair by one of its two texts (the
// automatic style, the alpha-numeric styles), the texts are ranked by their
// kind instead: empty texts, then numbers by value, then dates, date-times
// and times by value, then the other texts, so that a mixed column cannot
// compare a < b < c < a.
//
// Separators, the currency string and the date formats are the process's
// FormatSettings. Everything runs on the main thread (FormatSettings).
#include "grid/base/RurTypes.h"

// What a cell text is, for the automatic and alpha-numeric styles; the
// order of the members is the order of the kinds in an ascending sort.
enum class TSortKind : uint8_t { Empty, Number, Date, DateTime, Time, Text };

// The kind the automatic style sees in a text: a number (integer, float or
// scientific), a date or date-time (the date separator at the second or
// third character between digits, with the time separator somewhere for a
// date-time), a time (the same with the time separator), else text.
TSortKind AutomaticSortKind(const String& S);

// A text of the automatic style made ready to compare: its kind and, for
// numbers, dates and times, its value.
struct TSortKey {
  TSortKind Kind = TSortKind::Empty;
  double Value = 0;
};

struct TSortTextOptions {
  String Prefix;
  String Suffix;
  // Text of the automatic style compares without case.
  bool IgnoreCase = false;
};

// -1, 0 or 1: S1 against S2 under Style, for the styles that need nothing
// but the texts: ssAutomatic, ssAlphabetic, ssAlphaCase, ssAlphaNoCase,
// ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssNumeric, ssFinancial, ssDate,
// ssShortDateEU, ssShortDateUS, ssDateTime, ssTime, ssVarDate,
// ssAlphaNumeric, ssAlphaNumericNoCase, ssNatural; any other style compares
// equal. Empty1 and Empty2 tell whether each text is empty once the style
// has prepared it (a number without its prefix, suffix and currency).
// Raises nothing: a text that is no number, date or time counts as 0 (a
// number read as far as it goes: "1.5x" is 1.5).
int32_t CompareSortTexts(TSortStyle Style, const String& S1, const String& S2, const TSortTextOptions& Options,
                         bool& Empty1, bool& Empty2);

// The automatic style in two steps, for a caller that compares one text
// with many: AutomaticSortKey once per text, then CompareAutomaticKeys with
// the texts the keys were made of (texts compare by their characters).
// CompareSortTexts(ssAutomatic, ...) gives the same answers.
TSortKey AutomaticSortKey(const String& S, const TSortTextOptions& Options);
int32_t CompareAutomaticKeys(const TSortKey& K1, const TSortKey& K2, const String& S1, const String& S2,
                             bool IgnoreCase);
