#pragma once
// Text helpers of the chart library: fields of separated texts, number
// formats between their stored form and the user's, URLs, XML headers,
// unique component names and the translation hooks.
#include "rtl/Types.h"

#include <functional>

class TComponent;

// Separates the fields of ZuzNumFields and ZuzExtractField; ";" at start.
extern String ZuzFieldSeparator;
// Separates the lines of multi-line chart texts (LinesOfText); one
// carriage return at start.
extern String ZuzLineSeparator;

// The decimal text of an integer.
String ZuzStr(int64_t Value);

// The number of fields of St: 0 for an empty text, else 1 plus the
// separators that have text after them ("a;b;" has 2 fields, "a;;b" 3).
int32_t ZuzNumFields(const String& St);
// The same with Separator in force for the call (also when it fails).
int32_t ZuzNumFields(const String& St, const String& Separator);
// Field Index, counted from 1: the text up to the next separator after
// Index - 1 fields were dropped from the front (the whole rest for the
// last field); empty for an empty text, Index <= 0 or Index beyond the
// fields ("b" is field 2 of "a;b;", field 3 of "a;b" is empty).
String ZuzExtractField(const String& St, int32_t Index);
String ZuzExtractField(const String& St, int32_t Index, const String& Separator);

// St with every Old character replaced by New, or removed when New is
// character 0.
String ReplaceChar(const String& St, QChar Old, QChar New);

// Number formats are stored with ',' for thousands and '.' for decimals.
// When the program's format settings use other, distinct separators these
// turn a stored format into the user's form and back; otherwise they
// return Format unchanged.
String StandardToLocalFormat(const String& Format);
String LocalToStandardFormat(const String& Format);

// FileName without its extension (the last dot of the name and what follows).
String RemoveFileExtension(const String& FileName);

// The trimmed text, upper-cased, contains "HTTP://" or "FTP://".
bool ZuzIsURL(const String& St);

// "<?xml version="1.0"?>", with encoding="<Encoding>" before "?>" when
// Encoding is not empty.
String ZuzXMLHeader(const String& Encoding);
// "shift_jis" when the system's language is Japanese, else "UTF-16".
String ZuzDefaultXMLEncoding();

// AStartName followed by the smallest n >= 1 for which AOwner owns no
// component of that name (compared as FindComponent does, ignoring case);
// AStartName + "1" without an owner.
String ZuzGetUniqueName(const TComponent* AOwner, const String& AStartName);

// Translation: a program that translates its texts installs the hook;
// without it ZuzTranslateString returns its argument.
extern std::function<String(const String& St)> ZuzTranslateStringHook;
String ZuzTranslateString(const String& St);
