#pragma once
// Number <-> text conversions. Every conversion without explicit settings
// uses the process default FormatSettings (fixed to en-GB), never the
// process locale.
#include "rtl/Types.h"
#include <initializer_list>

struct TFormatSettings;

String IntToStr(int64_t Value);
String IntToHex(int64_t Value, int Digits); // upper case, at least Digits
String UIntToStr(uint64_t Value);
// Decimal, or hexadecimal after "$", "0x", "0X", "x" or "X"; optional sign;
// leading blanks allowed. Raises EConvertError "'<text>' is not a valid
// integer value" on anything else or on overflow of 32 bits.
int32_t StrToInt(const String& S);
int64_t StrToInt64(const String& S);
int32_t StrToIntDef(const String& S, int32_t Default);
int64_t StrToInt64Def(const String& S, int64_t Default);
bool TryStrToInt(const String& S, int32_t& Value);
bool TryStrToInt64(const String& S, int64_t& Value);

// Leading and trailing blanks, sign, digits with the settings' decimal
// separator, optional exponent. No thousand separators, no INF or NAN.
// Raises EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(const String& S);
double StrToFloat(const String& S, const TFormatSettings& FS);
double StrToFloatDef(const String& S, double Default);
double StrToFloatDef(const String& S, double Default, const TFormatSettings& FS);
bool TryStrToFloat(const String& S, double& Value);
bool TryStrToFloat(const String& S, double& Value, const TFormatSettings& FS);

enum class TFloatFormat : uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// General format with 15 significant digits: FloatToStr(99.99 * 100) is
// "9999", FloatToStr(0.00001) is "1E-5".
String FloatToStr(double Value);
String FloatToStr(double Value, const TFormatSettings& FS);
String FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
String FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                   const TFormatSettings& FS);
// Picture masks: "0" digit, "#" optional digit, "." decimal point, ","
// thousand separators, "E+"/"E-"/"e+"/"e-" exponent, quoted literals,
// up to three ";"-separated sections (positive; negative; zero).
String FormatFloat(const String& Format, double Value);
String FormatFloat(const String& Format, double Value, const TFormatSettings& FS);

// One argument of Format.
class TVarRec {
public:
  enum class Kind : uint8_t { Int, Int64, Float, Str, Char, Bool, Pointer };
  TVarRec(int V) : FKind(Kind::Int), FInt(V) {}
  TVarRec(unsigned V) : FKind(Kind::Int64), FInt(V) {}
  TVarRec(long V) : FKind(Kind::Int64), FInt(V) {}
  TVarRec(unsigned long V) : FKind(Kind::Int64), FInt(static_cast<int64_t>(V)) {}
  TVarRec(long long V) : FKind(Kind::Int64), FInt(V) {}
  TVarRec(unsigned long long V) : FKind(Kind::Int64), FInt(static_cast<int64_t>(V)) {}
  TVarRec(double V) : FKind(Kind::Float), FFloat(V) {}
  TVarRec(float V) : FKind(Kind::Float), FFloat(V) {}
  TVarRec(bool V) : FKind(Kind::Bool), FInt(V) {}
  TVarRec(QChar V) : FKind(Kind::Char), FStr(V) {}
  TVarRec(const String& V) : FKind(Kind::Str), FStr(V) {}
  TVarRec(const char* V) : FKind(Kind::Str), FStr(QString::fromUtf8(V)) {}
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

// "%" [index ":"] ["-"] [width] ["." prec] type, types d u e f g n m p s x,
// "*" takes width or precision from the arguments, "%%" is a percent sign.
// A type that does not fit its argument, or a missing argument, raises
// EConvertError "Format '<format>' invalid or incompatible with argument".
String Format(const String& Fmt, std::initializer_list<TVarRec> Args);
String Format(const String& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& FS);
