#pragma once
// Colour names as streams and editors write them: "clRed" for 0x000000FF,
// "clNone" for 0x1FFFFFFF, "clBtnFace" for the system colour 0xFF00000F. A
// colour is a 32-bit value, red in the low byte (0x00BBGGRR); a value
// without a name is written as a number.
//
// Only the names live here: this header declares no colour type or
// constants, so it goes together with the drawing layer's own.
#include "rtl/Types.h"

#include <cstdint>

class TIdentMap;

// Where two names share a value the first of the standard list is written
// (clGray, not clDkGray).
extern const TIdentMap ColorIdentMap;

bool ColorToIdent(int32_t Color, String& Ident);
// Case-insensitive.
bool IdentToColor(const String& Ident, int32_t& Color);
// The name, or "$" and eight hexadecimal digits.
String ColorToString(int32_t Color);
// A name or an integer (decimal or "$" hexadecimal); raises EConvertError
// for anything else.
int32_t StringToColor(const String& S);
