#pragma once
// Number <-> text conversions. Every conversion without explicit settings
// uses the process default FormatSettings (fixed to en-GB), never the
// process locale.
#include "rtl/Types.h"
#include <initializer_list>

struct TFormatSettings;

String IntToStr(int64_t Value);
// Upper case, at least Digits (up to 64); a negative value shows its 64-bit
// pattern.
String IntToHex(int64_t Value, int Digits);
String UIntToStr(uint64_t Value);
// Decimal, or hexadecimal after "$", "0x", "0X", "x" or "X"; optional sign;
// leading spaces allowed. Raises EConvertError "'<text>' is not a valid
// integer value" on anything else or on overflow of 32 bits (64 for the
// Int64 forms). Hexadecimal is a bit pattern: "$FFFFFFFF" is -1.
int32_t StrToInt(const String& S);
int64_t StrToInt64(const String& S);
int32_t StrToIntDef(const String& S, int32_t Default);
int64_t StrToInt64Def(const String& S, int64_t Default);
bool TryStrToInt(const String& S, int32_t& Value);
bool TryStrToInt64(const String& S, int64_t& Value);

// Leading and trailing spaces, sign, digits with the settings' decimal
// separator, optional exponent. No thousand separators, no INF or NAN; a
// value beyond the double range fails, one too small for it reads as 0.
// Raises EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(const String& S);
double StrToFloat(const String& S, const TFormatSettings& FS);
double StrToFloatDef(const String& S, double Default);
double StrToFloatDef(const String& S, double Default, const TFormatSettings& FS);
bool TryStrToFloat(const String& S, double& Value);
bool TryStrToFloat(const String& S, double& Value, const TFormatSettings& FS);

// Reads a number as far as it goes: leading blanks, optional sign, digits
// with "." as the decimal point, optional exponent "E"/"e" with sign and
// digits. Returns 0 when the whole text was read, else the position
// (1-based) of the first character that does not belong to the number (an
// empty text fails at 1). Value is the number read up to there, 0 when no
// digit was read: "1.5x" gives 1.5 and fails at 4, "abc" gives 0 and fails
// at 1. An exponent without digits is not read ("2e" gives 2, fails at 2).
int32_t Val(const String& S, double& Value);

enum class TFloatFormat : uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Rounding of every float-to-text conversion: the value is taken to
// Precision significant digits, starting (for Precision up to 17) from the
// shortest decimal text that reads back as the same double, so 1.005 counts
// as 1.005; then to the number of decimals shown. Both steps round halves
// away from zero.
// A value that shows as zero has no "-". NaN and infinities are "NAN",
// "INF" and "-INF" in every format.

// General format with 15 significant digits: FloatToStr(99.99 * 100) is
// "9999", FloatToStr(0.00001) is "1E-5".
String FloatToStr(double Value);
String FloatToStr(double Value, const TFormatSettings& FS);
// Precision is clamped to 1..18.
//   ffGeneral  shortest of fixed and scientific with Precision significant
//              digits: fixed while the decimal exponent lies in
//              -4..Precision-1; Digits = minimum exponent digits (0..4)
//   ffExponent "-d.dddE+ddd" with Precision digits in all, Digits = minimum
//              exponent digits (0..4)
//   ffFixed    Digits decimals (0..18); ffNumber adds thousand separators;
//   ffCurrency that with the settings' currency string and patterns.
//              A value with more than Precision integer digits is written
//              as ffExponent with 3 exponent digits.
String FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
String FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& FS);
// Picture masks: "0" digit, "#" optional digit, first "." decimal point,
// "," anywhere turns on thousand separators, "E+"/"E-"/"e+"/"e-" followed by
// "0"s exponent (the other placeholders give the significant digits),
// '...' or "..." literals, other characters literal. Up to three
// ";"-separated sections (positive; negative; zero); an empty or missing
// section uses the first, which then gets a leading "-" for a negative
// value. A value that rounds to zero uses the zero section. Values of 1E18
// or more in a mask without exponent, NaN, infinities and an empty mask
// give the general format of FloatToStr.
String FormatFloat(const String& Format, double Value);
String FormatFloat(const String& Format, double Value, const TFormatSettings& FS);

// One argument of Format.
class TVarRec {
public:
  // UInt64 holds unsigned 64-bit values; AsInt gives their bit pattern.
  enum class Kind : uint8_t { Int, Int64, UInt64, Float, Str, Char, Bool, Pointer };
  TVarRec(int V) : FKind(Kind::Int), FInt(V) {}
  TVarRec(unsigned V) : FKind(Kind::Int64), FInt(V) {}
  TVarRec(long V) : FKind(Kind::Int64), FInt(V) {}
  TVarRec(unsigned long V) : FKind(Kind::UInt64), FInt(static_cast<int64_t>(V)) {}
  TVarRec(long long V) : FKind(Kind::Int64), FInt(V) {}
  TVarRec(unsigned long long V) : FKind(Kind::UInt64), FInt(static_cast<int64_t>(V)) {}
  TVarRec(double V) : FKind(Kind::Float), FFloat(V) {}
  TVarRec(float V) : FKind(Kind::Float), FFloat(V) {}
  TVarRec(bool V) : FKind(Kind::Bool), FInt(V) {}
  TVarRec(QChar V) : FKind(Kind::Char), FStr(V) {}
  TVarRec(char V) : FKind(Kind::Char), FStr(QChar(static_cast<unsigned char>(V))) {}
  TVarRec(const String& V) : FKind(Kind::Str), FStr(V) {}
  TVarRec(const char* V) : FKind(Kind::Str), FStr(QString::fromUtf8(V)) {}
  TVarRec(const AnsiString& V); // Windows-1252 text, as FromAnsi reads it
  TVarRec(const void* V) : FKind(Kind::Pointer), FPtr(V) {}
  Kind VKind() const { return FKind; }
  int64_t AsInt() const { return FInt; }
  double AsFloat() const { return FFloat; }
  const String& AsString() const { return FStr; }
  const void* AsPointer() const { return FPtr; }

private:
  Kind FKind;
  int64_t FInt = 0;
  double FFloat = 0;
  String FStr;
  const void* FPtr = nullptr;
};

// "%" [index ":"] ["-"] [width] ["." prec] type, types d u e f g n m p s x
// (either case), "*" takes index, width or precision from the arguments,
// "%%" is a percent sign.
//   d u x  integers; prec = minimum digits. %x is upper case; %u and %x show
//          a negative 32-bit argument as its 32-bit pattern, a negative
//          64-bit one as its 64-bit pattern.
//   e      "-d.ddddE+ddd": prec significant digits (default 15), 3+ exponent digits
//   f n    fixed with prec decimals (default 2), n with thousand separators;
//          a value with more than 15 integer digits is shown as by %e
//   g      general (FloatToStrF ffGeneral) with prec significant digits (default 15)
//   m      currency with prec decimals (default the settings' CurrencyDecimals)
//   p      pointer as upper-case hex, two digits per byte
//   s      string or character; prec = maximum characters
// A type that does not fit its argument, a missing argument, a malformed
// specifier or a width or precision above 65535 raises EConvertError
// "Format '<format>' invalid or incompatible with argument".
String Format(const String& Fmt, std::initializer_list<TVarRec> Args);
String Format(const String& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& FS);
