#pragma once
// Completion of typed text from a list, as the grid's editors do it with
// the grid's Lookup on: the first item that begins with the text typed
// before the caret completes it.
#include "rtl/Types.h"

#include <cstdint>

class TStringList;

// The index of the first item of Items that begins with Typed (compared
// upper-cased unless CaseSensitive); -1 for none or for an empty Typed.
int32_t LookupMatch(const TStringList* Items, const String& Typed, bool CaseSensitive);
// Typed as typed, followed by Item's rest after Typed, at most 255
// characters of it.
String LookupCompletion(const String& Typed, const String& Item);
