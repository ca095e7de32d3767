#include "rtl/Numbers.h"

#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "rtl/Strings.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

// Every conversion here is written out by hand or goes through
// std::to_chars/std::from_chars, which never read the process locale: a
// German desktop must not turn "1.5" into 15 or write "1,5" to an instrument.

namespace {

// ---------------------------------------------------------------------------
// Output buffer: stack storage for the common case, so a conversion costs
// one allocation, the result string.

class TTextBuf {
public:
  void Put(QChar C) { FData.append(C); }
  void Put(char C) { FData.append(QChar(static_cast<unsigned char>(C))); }
  void Put(const String& S) { FData.append(S.constData(), S.size()); }
  void Put(const QChar* P, qsizetype N) { FData.append(P, N); }
  void PutRepeat(QChar C, qsizetype N)
  {
    for (qsizetype I = 0; I < N; ++I)
      FData.append(C);
  }
  // Digits of V, at least MinDigits of them (leading zeros).
  void PutUInt(uint64_t V, int MinDigits = 1, int Base = 10)
  {
    char Buf[24];
    const auto R = std::to_chars(Buf, Buf + sizeof Buf, V, Base);
    const int N = static_cast<int>(R.ptr - Buf);
    for (int I = N; I < MinDigits; ++I)
      Put('0');
    for (int I = 0; I < N; ++I) {
      const char C = Buf[I];
      Put(C >= 'a' && C <= 'z' ? char(C - 32) : C);
    }
  }
  qsizetype Size() const { return FData.size(); }
  const QChar* Data() const { return FData.constData(); }
  String ToString() const { return String(FData.constData(), FData.size()); }

private:
  QVarLengthArray<QChar, 96> FData;
};

// ---------------------------------------------------------------------------
// Decimal digits of a double: value = 0.Digits * 10^Exponent, no trailing
// zeros; no digits at all for zero.

constexpr int NoDecimalLimit = 9999;
constexpr int MaxPrecision = 18;

// The powers of ten a double holds exactly.
constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr uint64_t MaxExactMantissa = uint64_t(1) << 53;

struct TDecimal {
  char Digits[24];
  int Count = 0;
  int Exponent = 0;
  bool Negative = false;
};

void TrimZeros(TDecimal& D)
{
  while (D.Count > 0 && D.Digits[D.Count - 1] == '0')
    --D.Count;
  if (D.Count == 0)
    D.Exponent = 0;
}

// Keeps N digits, half away from zero on the decimal digits.
void RoundAt(TDecimal& D, int N)
{
  if (N >= D.Count)
    return;
  if (N < 0) {
    D.Count = 0;
    D.Exponent = 0;
    return;
  }
  const bool Up = D.Digits[N] >= '5';
  D.Count = N;
  if (Up) {
    int I = N - 1;
    while (I >= 0 && D.Digits[I] == '9')
      --I;
    if (I < 0) {
      D.Digits[0] = '1';
      D.Count = 1;
      ++D.Exponent;
    } else {
      ++D.Digits[I];
      D.Count = I + 1;
    }
  }
  TrimZeros(D);
}

// The value to Precision significant digits, then to Decimals digits after
// the point. Up to 17 digits the starting point is the shortest text that
// reads back as the same double: it is the decimal number the value stands
// for (1.005 is "1.005", not 1.00499999999999989...), so halves round the
// way a reader of the text expects.
// ToDecimal's answer for 15 significant digits and Decimals decimals,
// without finding the shortest text first, for a value below 10^9 once
// scaled by 10^Decimals: the scaled value rounds to the same integer as
// the text would, unless it lies near a half. Its own rounding error and
// the cut of the text to 15 digits move it by less than 10^-6 at that
// size, so within 10^-4 of a half it gives up and the text decides.
bool ToFixedDecimal(double A, int Decimals, TDecimal& D)
{
  const double Y = A * ExactPowersOfTen[Decimals];
  if (!(Y < 1e9))
    return false;
  const double Whole = std::floor(Y);
  const double Fraction = Y - Whole;
  if (std::fabs(Fraction - 0.5) < 1e-4)
    return false;
  const uint64_t R = static_cast<uint64_t>(Whole) + (Fraction > 0.5 ? 1 : 0);
  if (R == 0)
    return true;
  const std::to_chars_result T = std::to_chars(D.Digits, D.Digits + sizeof D.Digits, R);
  D.Count = static_cast<int>(T.ptr - D.Digits);
  D.Exponent = D.Count - Decimals;
  TrimZeros(D);
  return true;
}

void ToDecimal(double V, int Precision, int Decimals, TDecimal& D)
{
  D.Negative = std::signbit(V);
  D.Count = 0;
  D.Exponent = 0;
  const double A = std::fabs(V);
  if (A == 0.0)
    return;
  if (Precision == 15 && Decimals >= 0 && Decimals <= 9 && ToFixedDecimal(A, Decimals, D))
    return;
  char Buf[64];
  const std::to_chars_result R =
      Precision <= 17 ? std::to_chars(Buf, Buf + sizeof Buf, A, std::chars_format::scientific)
                      : std::to_chars(Buf, Buf + sizeof Buf, A, std::chars_format::scientific, Precision - 1);
  const char* P = Buf;
  while (P < R.ptr && *P != 'e') {
    if (*P != '.' && D.Count < static_cast<int>(sizeof D.Digits))
      D.Digits[D.Count++] = *P;
    ++P;
  }
  int Exp = 0;
  if (P < R.ptr) {
    ++P;
    bool NegExp = false;
    if (*P == '-' || *P == '+')
      NegExp = *P++ == '-';
    std::from_chars(P, R.ptr, Exp);
    if (NegExp)
      Exp = -Exp;
  }
  D.Exponent = Exp + 1;
  TrimZeros(D);
  RoundAt(D, Precision);
  if (Decimals < NoDecimalLimit)
    RoundAt(D, D.Exponent + Decimals);
}

bool PutSpecial(TTextBuf& B, double V)
{
  if (std::isnan(V)) {
    B.Put(QStringLiteral("NAN"));
    return true;
  }
  if (std::isinf(V)) {
    B.Put(V < 0 ? QStringLiteral("-INF") : QStringLiteral("INF"));
    return true;
  }
  return false;
}

// Integer part of D, with a separator before every group of three when
// ThousandSep is not null.
void PutIntegerPart(TTextBuf& B, const TDecimal& D, QChar ThousandSep)
{
  const int E = D.Exponent;
  if (E <= 0) {
    B.Put('0');
    return;
  }
  for (int I = 0; I < E; ++I) {
    B.Put(I < D.Count ? D.Digits[I] : '0');
    const int Left = E - 1 - I;
    if (!ThousandSep.isNull() && Left > 0 && Left % 3 == 0)
      B.Put(ThousandSep);
  }
}

// FractionDigits digits after the point (none: no point).
void PutFraction(TTextBuf& B, const TDecimal& D, int FractionDigits, QChar DecimalSep)
{
  if (FractionDigits <= 0)
    return;
  B.Put(DecimalSep);
  for (int K = 0; K < FractionDigits; ++K) {
    const int At = D.Exponent + K;
    B.Put(At >= 0 && At < D.Count ? D.Digits[At] : '0');
  }
}

void PutExponentDigits(TTextBuf& B, int Exp, int MinDigits)
{
  B.PutUInt(static_cast<uint64_t>(Exp < 0 ? -Exp : Exp), std::max(MinDigits, 1));
}

void PutGeneral(TTextBuf& B, double V, int Precision, int ExpDigits, const TFormatSettings& FS)
{
  if (PutSpecial(B, V))
    return;
  Precision = std::clamp(Precision, 1, MaxPrecision);
  ExpDigits = std::clamp(ExpDigits, 0, 4);
  TDecimal D;
  ToDecimal(V, Precision, NoDecimalLimit, D);
  if (D.Count == 0) {
    B.Put('0');
    return;
  }
  if (D.Negative)
    B.Put('-');
  if (D.Exponent > Precision || D.Exponent < -3) {
    B.Put(D.Digits[0]);
    if (D.Count > 1) {
      B.Put(FS.DecimalSeparator);
      for (int I = 1; I < D.Count; ++I)
        B.Put(D.Digits[I]);
    }
    B.Put('E');
    const int Exp = D.Exponent - 1;
    if (Exp < 0)
      B.Put('-');
    PutExponentDigits(B, Exp, ExpDigits);
    return;
  }
  PutIntegerPart(B, D, QChar());
  PutFraction(B, D, D.Count - D.Exponent, FS.DecimalSeparator);
}

void PutExponentFormat(TTextBuf& B, double V, int Precision, int ExpDigits, const TFormatSettings& FS)
{
  if (PutSpecial(B, V))
    return;
  Precision = std::clamp(Precision, 1, MaxPrecision);
  ExpDigits = std::clamp(ExpDigits, 0, 4);
  TDecimal D;
  ToDecimal(V, Precision, NoDecimalLimit, D);
  if (D.Negative && D.Count > 0)
    B.Put('-');
  B.Put(D.Count > 0 ? D.Digits[0] : '0');
  if (Precision > 1) {
    B.Put(FS.DecimalSeparator);
    for (int I = 1; I < Precision; ++I)
      B.Put(I < D.Count ? D.Digits[I] : '0');
  }
  B.Put('E');
  const int Exp = D.Count > 0 ? D.Exponent - 1 : 0;
  B.Put(Exp < 0 ? '-' : '+');
  PutExponentDigits(B, Exp, ExpDigits);
}

// Currency patterns: C = currency string, N = the number without sign.
const char* const PositiveCurrency[4] = {"CN", "NC", "C N", "N C"};
const char* const NegativeCurrency[16] = {"(CN)", "-CN",  "C-N",  "CN-",  "(NC)", "-NC",  "N-C",   "NC-",
                                          "-N C", "-C N", "N C-", "C N-", "C -N", "N- C", "(C N)", "(N C)"};

void PutFixedFamily(TTextBuf& B, double V, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& FS)
{
  if (PutSpecial(B, V))
    return;
  Precision = std::clamp(Precision, 1, MaxPrecision);
  Digits = std::clamp(Digits, 0, MaxPrecision);
  TDecimal D;
  ToDecimal(V, Precision, Digits, D);
  // More integer digits than the precision holds: the tail would be
  // invented zeros, so the value goes to scientific notation instead.
  if (D.Exponent > Precision) {
    PutExponentFormat(B, V, Precision, 3, FS);
    return;
  }
  const bool Negative = D.Negative && D.Count > 0;
  const QChar Thousands = Format == TFloatFormat::ffFixed ? QChar() : FS.ThousandSeparator;
  if (Format != TFloatFormat::ffCurrency) {
    if (Negative)
      B.Put('-');
    PutIntegerPart(B, D, Thousands);
    PutFraction(B, D, Digits, FS.DecimalSeparator);
    return;
  }
  const char* Pattern = Negative ? NegativeCurrency[FS.NegCurrFormat < 16 ? FS.NegCurrFormat : 0]
                                 : PositiveCurrency[FS.CurrencyFormat < 4 ? FS.CurrencyFormat : 0];
  for (const char* P = Pattern; *P; ++P) {
    if (*P == 'C') {
      B.Put(FS.CurrencyString);
    } else if (*P == 'N') {
      PutIntegerPart(B, D, Thousands);
      PutFraction(B, D, Digits, FS.DecimalSeparator);
    } else {
      B.Put(*P);
    }
  }
}

void PutFloatF(TTextBuf& B, double V, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& FS)
{
  switch (Format) {
  case TFloatFormat::ffGeneral:
    PutGeneral(B, V, Precision, Digits, FS);
    break;
  case TFloatFormat::ffExponent:
    PutExponentFormat(B, V, Precision, Digits, FS);
    break;
  case TFloatFormat::ffFixed:
  case TFloatFormat::ffNumber:
  case TFloatFormat::ffCurrency:
    PutFixedFamily(B, V, Format, Precision, Digits, FS);
    break;
  }
}

// ---------------------------------------------------------------------------
// Picture masks

struct TSection {
  qsizetype Start = 0;
  qsizetype End = 0;
  bool Empty() const { return End <= Start; }
};

bool IsQuote(char16_t C) { return C == u'"' || C == u'\''; }

// Splits at ";" outside quotes: positive; negative; zero. Text after a
// third ";" is ignored.
int SplitSections(const QChar* F, qsizetype Len, TSection (&S)[3])
{
  int N = 0;
  qsizetype Start = 0;
  char16_t Quote = 0;
  for (qsizetype I = 0; I < Len; ++I) {
    const char16_t C = F[I].unicode();
    if (Quote) {
      if (C == Quote)
        Quote = 0;
    } else if (IsQuote(C)) {
      Quote = C;
    } else if (C == u';') {
      S[N++] = {Start, I};
      Start = I + 1;
      if (N == 3)
        return N;
    }
  }
  S[N++] = {Start, Len};
  return N;
}

// "E+", "E-", "e+", "e-" at I opens the exponent of a scientific mask.
bool IsExponentAt(const QChar* F, qsizetype I, qsizetype End)
{
  const char16_t C = F[I].unicode();
  if (C != u'E' && C != u'e')
    return false;
  if (I + 1 >= End)
    return false;
  const char16_t S = F[I + 1].unicode();
  return S == u'+' || S == u'-';
}

struct TMask {
  int DigitCount = 0;    // "0" and "#" placeholders, exponent digits excluded
  int DecimalIndex = -1; // placeholders before the decimal point
  int FirstZero = -1;    // index of the first "0" placeholder
  int LastZero = -1;     // index of the last "0" placeholder
  bool Thousands = false;
  bool Scientific = false;
};

void ScanSection(const QChar* F, TSection S, bool HaveThousandSep, TMask& M)
{
  M = TMask();
  for (qsizetype I = S.Start; I < S.End; ++I) {
    const char16_t C = F[I].unicode();
    if (IsQuote(C)) {
      ++I;
      while (I < S.End && F[I].unicode() != C)
        ++I;
    } else if (C == u'0') {
      if (M.FirstZero < 0)
        M.FirstZero = M.DigitCount;
      M.LastZero = M.DigitCount;
      ++M.DigitCount;
    } else if (C == u'#') {
      ++M.DigitCount;
    } else if (C == u'.') {
      if (M.DecimalIndex < 0)
        M.DecimalIndex = M.DigitCount;
    } else if (C == u',') {
      M.Thousands = HaveThousandSep;
    } else if (!M.Scientific && IsExponentAt(F, I, S.End)) {
      M.Scientific = true;
      ++I;
      while (I + 1 < S.End && F[I + 1].unicode() == u'0')
        ++I;
    }
  }
  if (M.DecimalIndex < 0)
    M.DecimalIndex = M.DigitCount;
}

// Lays the digits of D into the placeholders of one section. Digit places
// count down from the decimal point: place 1 is the units digit, place 0
// the first decimal. Integer digits beyond the mask's placeholders all go
// out at the first placeholder.
class TMaskWriter {
public:
  TMaskWriter(TTextBuf& B, const TDecimal& D, const TMask& M, const TFormatSettings& FS)
      : FB(B), FD(D), FThousands(M.Thousands), FDecimalSep(FS.DecimalSeparator), FThousandSep(FS.ThousandSeparator)
  {
    FFirstForced = M.FirstZero >= 0 ? std::max(0, M.DecimalIndex - M.FirstZero) : 0;
    FLastForced = M.LastZero >= 0 ? std::max(0, M.LastZero + 1 - M.DecimalIndex) : 0;
    if (M.Scientific) {
      FDigitDelta = 0;
      FExponent = D.Count > 0 ? D.Exponent - M.DecimalIndex : 0;
    } else {
      FDigitDelta = D.Exponent - M.DecimalIndex;
    }
    FDigitPlace = M.DecimalIndex + std::max(FDigitDelta, 0);
  }

  void Placeholder()
  {
    if (FDigitDelta < 0) {
      ++FDigitDelta;
      if (FDigitPlace <= FFirstForced)
        WriteDigit('0');
      else
        --FDigitPlace;
    } else {
      while (FDigitDelta > 0) {
        NextDigit();
        --FDigitDelta;
      }
      NextDigit();
    }
  }

  int Exponent() const { return FExponent; }

private:
  void NextDigit()
  {
    if (FDigitsUsed < FD.Count)
      WriteDigit(FD.Digits[FDigitsUsed++]);
    else if (FDigitPlace > 0 || -FDigitPlace < FLastForced)
      WriteDigit('0');
    else
      --FDigitPlace; // optional decimal with nothing left to show
  }

  void WriteDigit(char C)
  {
    const int Place = FDigitPlace--;
    if (Place == 0)
      FB.Put(FDecimalSep);
    FB.Put(C);
    if (FThousands && Place > 1 && (Place - 1) % 3 == 0)
      FB.Put(FThousandSep);
  }

  TTextBuf& FB;
  const TDecimal& FD;
  bool FThousands;
  QChar FDecimalSep;
  QChar FThousandSep;
  int FFirstForced = 0;
  int FLastForced = 0;
  int FDigitDelta = 0;
  int FDigitPlace = 0;
  int FDigitsUsed = 0;
  int FExponent = 0;
};

void ApplySection(TTextBuf& B, const QChar* F, TSection S, const TMask& M, const TDecimal& D, bool AddMinus,
                  const TFormatSettings& FS)
{
  if (AddMinus)
    B.Put('-');
  TMaskWriter W(B, D, M, FS);
  bool ExponentDone = false;
  for (qsizetype I = S.Start; I < S.End; ++I) {
    const QChar Ch = F[I];
    const char16_t C = Ch.unicode();
    if (IsQuote(C)) {
      ++I;
      while (I < S.End && F[I].unicode() != C)
        B.Put(F[I++]);
    } else if (C == u'0' || C == u'#') {
      W.Placeholder();
    } else if (C == u'.' || C == u',') {
      // The point and the separators are written with the digits.
    } else if (M.Scientific && !ExponentDone && IsExponentAt(F, I, S.End)) {
      ExponentDone = true;
      B.Put(Ch);
      const int Exp = W.Exponent();
      if (Exp < 0)
        B.Put('-');
      else if (F[I + 1].unicode() == u'+')
        B.Put('+');
      ++I;
      int MinDigits = 0;
      while (I + 1 < S.End && F[I + 1].unicode() == u'0') {
        ++MinDigits;
        ++I;
      }
      PutExponentDigits(B, Exp, MinDigits);
    } else {
      B.Put(Ch);
    }
  }
}

// A mask split into its sections and scanned. The last one is kept per
// thread: the road of a sample formats every value with the same mask or
// two, and scanning the mask each time cost more than placing the digits.
struct TMaskScan {
  String Format;
  bool HaveThousandSep = false;
  int N = 0;
  TSection Sections[3];
  TMask Masks[3];
};

const TMaskScan& ScanMask(const String& Format, bool HaveThousandSep)
{
  thread_local TMaskScan Scan;
  if (Scan.N == 0 || Scan.HaveThousandSep != HaveThousandSep || Scan.Format != Format) {
    Scan.Format = Format;
    Scan.HaveThousandSep = HaveThousandSep;
    Scan.N = SplitSections(Format.constData(), Format.size(), Scan.Sections);
    for (int I = 0; I < Scan.N; ++I)
      ScanSection(Format.constData(), Scan.Sections[I], HaveThousandSep, Scan.Masks[I]);
  }
  return Scan;
}

void PutMasked(TTextBuf& B, const String& Format, double V, const TFormatSettings& FS)
{
  const QChar* F = Format.constData();
  const qsizetype Len = Format.size();
  if (Len == 0 || !std::isfinite(V)) {
    PutGeneral(B, V, 15, 0, FS);
    return;
  }
  const TMaskScan& Scan = ScanMask(Format, !FS.ThousandSeparator.isNull());
  const int N = Scan.N;
  const TSection* Sections = Scan.Sections;
  auto Pick = [&](int Wanted) { return (Wanted < N && !Sections[Wanted].Empty()) ? Wanted : 0; };

  int Sec = Pick(V > 0 ? 0 : (V < 0 ? 1 : 2));
  const TMask* M = &Scan.Masks[Sec];
  TDecimal D;
  if (M->Scientific)
    ToDecimal(V, std::clamp(M->DigitCount, 1, MaxPrecision), NoDecimalLimit, D);
  else
    ToDecimal(V, 15, M->DigitCount - M->DecimalIndex, D);

  if (D.Count == 0 && Sec != Pick(2)) {
    // Shown as zero, so it is formatted as zero: no "-", no brackets of
    // the negative section.
    Sec = Pick(2);
    M = &Scan.Masks[Sec];
    D.Negative = false;
  }
  if (!M->Scientific && D.Exponent > 18) {
    PutGeneral(B, V, 15, 0, FS);
    return;
  }
  ApplySection(B, F, Sections[Sec], *M, D, D.Negative && D.Count > 0 && Sec == 0, FS);
}

// ---------------------------------------------------------------------------
// Text to number

bool IsDigit(char16_t C) { return C >= u'0' && C <= u'9'; }

int HexValue(char16_t C)
{
  if (C >= u'0' && C <= u'9')
    return C - u'0';
  if (C >= u'A' && C <= u'F')
    return C - u'A' + 10;
  if (C >= u'a' && C <= u'f')
    return C - u'a' + 10;
  return -1;
}

// Optional blanks, sign, then decimal or hexadecimal digits to the end.
// Hexadecimal covers the whole unsigned range of Bits and wraps (so
// "$FFFFFFFF" is -1 as a 32-bit value), decimal must fit the signed range.
bool ParseInt(const String& S, int Bits, int64_t& Value)
{
  const QChar* P = S.constData();
  const qsizetype Len = S.size();
  qsizetype I = 0;
  while (I < Len && P[I].unicode() == u' ')
    ++I;
  bool Negative = false;
  if (I < Len && (P[I].unicode() == u'-' || P[I].unicode() == u'+'))
    Negative = P[I++].unicode() == u'-';
  bool Hex = false;
  if (I < Len && (P[I].unicode() == u'$' || P[I].unicode() == u'x' || P[I].unicode() == u'X')) {
    Hex = true;
    ++I;
  } else if (I + 1 < Len && P[I].unicode() == u'0' && (P[I + 1].unicode() == u'x' || P[I + 1].unicode() == u'X')) {
    Hex = true;
    I += 2;
  }
  if (I >= Len)
    return false;
  const uint64_t UnsignedMax = Bits == 64 ? std::numeric_limits<uint64_t>::max() : 0xFFFFFFFFull;
  const uint64_t Limit = Hex ? UnsignedMax : (UnsignedMax >> 1) + (Negative ? 1 : 0);
  const unsigned Base = Hex ? 16 : 10;
  uint64_t Acc = 0;
  for (; I < Len; ++I) {
    const int Dg = Hex ? HexValue(P[I].unicode()) : (IsDigit(P[I].unicode()) ? P[I].unicode() - u'0' : -1);
    if (Dg < 0)
      return false;
    if (Acc > (Limit - static_cast<uint64_t>(Dg)) / Base)
      return false;
    Acc = Acc * Base + static_cast<uint64_t>(Dg);
  }
  if (Negative)
    Acc = ~Acc + 1; // two's complement; also right for the most negative value
  if (Bits == 32)
    Value = static_cast<int32_t>(static_cast<uint32_t>(Acc));
  else
    Value = static_cast<int64_t>(Acc);
  return true;
}

[[noreturn]] void RaiseBadInt(const String& S)
{
  throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(S));
}

[[noreturn]] void RaiseBadFloat(const String& S)
{
  throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(S));
}

// Spaces around, sign, digits with the settings' decimal separator,
// optional exponent. The text is checked here. When its digits make an
// integer of at most 2^53 and its power of ten is one a double holds
// exactly (the numbers instruments and masks write: "1507.123"), one
// multiplication or division of the two gives the correctly rounded value,
// the same double std::from_chars finds; anything else is handed to
// std::from_chars in its plain form.
bool ParseFloat(const String& S, const TFormatSettings& FS, double& Value)
{
  const QChar* P = S.constData();
  qsizetype Len = S.size();
  qsizetype I = 0;
  while (I < Len && P[I].unicode() == u' ')
    ++I;
  while (Len > I && P[Len - 1].unicode() == u' ')
    --Len;
  bool Negative = false;
  if (I < Len && (P[I].unicode() == u'-' || P[I].unicode() == u'+'))
    Negative = P[I++].unicode() == u'-';
  const auto Digits = [&] {
    while (I < Len && IsDigit(P[I].unicode()))
      ++I;
  };
  const qsizetype IntStart = I;
  Digits();
  const qsizetype IntEnd = I;
  qsizetype FracStart = I;
  qsizetype FracEnd = I;
  const char16_t Sep = FS.DecimalSeparator.unicode();
  if (I < Len && P[I].unicode() == Sep) {
    FracStart = ++I;
    Digits();
    FracEnd = I;
  }
  if (IntEnd == IntStart && FracEnd == FracStart)
    return false;
  int64_t Exp = 0;
  if (I < Len && (P[I].unicode() == u'e' || P[I].unicode() == u'E')) {
    ++I;
    bool NegExp = false;
    if (I < Len && (P[I].unicode() == u'-' || P[I].unicode() == u'+'))
      NegExp = P[I++].unicode() == u'-';
    const qsizetype ExpStart = I;
    for (; I < Len && IsDigit(P[I].unicode()); ++I)
      Exp = std::min<int64_t>(Exp * 10 + (P[I].unicode() - u'0'), 1000000);
    if (I == ExpStart)
      return false;
    if (NegExp)
      Exp = -Exp;
  }
  if (I != Len)
    return false;

  // The digits as an integer, leading zeros left out; up to 19 of them fit.
  uint64_t Mantissa = 0;
  int Significant = 0;
  for (qsizetype K = IntStart; K < FracEnd; ++K) {
    if (K == IntEnd)
      K = FracStart;
    if (K == FracEnd)
      break;
    const unsigned D = P[K].unicode() - u'0';
    if (Significant > 0 || D != 0) {
      Mantissa = Mantissa * 10 + D;
      if (++Significant > 19)
        break;
    }
  }
  const int64_t Power = Exp - (FracEnd - FracStart);
  if (Significant <= 19 && Mantissa <= MaxExactMantissa && Power >= -22 && Power <= 22) {
    const double M = static_cast<double>(Mantissa);
    const double R = Power >= 0 ? M * ExactPowersOfTen[Power] : M / ExactPowersOfTen[-Power];
    Value = Negative ? -R : R;
    return true;
  }

  // The plain form for std::from_chars: the digits, "." and the exponent.
  QVarLengthArray<char, 64> A;
  int LeadingIntDigits = 0; // integer digits from the first non-zero one
  int LeadingFracZeros = 0; // zeros after the point before a non-zero digit
  bool SeenNonZero = false;
  for (qsizetype K = IntStart; K < IntEnd; ++K) {
    const char C = static_cast<char>(P[K].unicode());
    SeenNonZero = SeenNonZero || C != '0';
    if (SeenNonZero)
      ++LeadingIntDigits;
    A.append(C);
  }
  if (FracStart > IntEnd) {
    A.append('.');
    for (qsizetype K = FracStart; K < FracEnd; ++K) {
      const char C = static_cast<char>(P[K].unicode());
      if (!SeenNonZero && C == '0')
        ++LeadingFracZeros;
      SeenNonZero = SeenNonZero || C != '0';
      A.append(C);
    }
  }
  if (FracEnd < Len) {
    A.append('e');
    for (qsizetype K = FracEnd + 1; K < Len; ++K)
      A.append(static_cast<char>(P[K].unicode()));
  }
  double R = 0;
  const std::from_chars_result FR = std::from_chars(A.constData(), A.constData() + A.size(), R);
  if (FR.ptr != A.constData() + A.size())
    return false;
  if (FR.ec == std::errc::result_out_of_range) {
    if (!SeenNonZero) {
      R = 0;
    } else {
      // Decimal magnitude of the text decides between a value too large
      // (refused) and one too small for a double (zero).
      const int64_t Magnitude = (LeadingIntDigits > 0 ? LeadingIntDigits : -LeadingFracZeros) + Exp;
      if (Magnitude > 0)
        return false;
      R = 0;
    }
  } else if (FR.ec != std::errc()) {
    return false;
  }
  if (!std::isfinite(R))
    return false;
  Value = Negative ? -R : R;
  return true;
}

// ---------------------------------------------------------------------------
// Format

[[noreturn]] void RaiseBadFormat(const String& Fmt)
{
  throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(Fmt));
}

constexpr int MaxWidth = 65535;

class TFormatter {
public:
  TFormatter(const String& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& FS)
      : FFmt(Fmt), FArgs(Args.begin()), FArgCount(static_cast<int>(Args.size())), FFS(FS)
  {
  }

  String Run()
  {
    const QChar* F = FFmt.constData();
    const qsizetype Len = FFmt.size();
    qsizetype I = 0;
    while (I < Len) {
      qsizetype Start = I;
      while (I < Len && F[I].unicode() != u'%')
        ++I;
      FOut.Put(F + Start, I - Start);
      if (I >= Len)
        break;
      ++I; // "%"
      if (I < Len && F[I].unicode() == u'%') {
        FOut.Put(QLatin1Char('%'));
        ++I;
        continue;
      }
      I = Specifier(F, Len, I);
    }
    return FOut.ToString();
  }

private:
  const TVarRec& NextArg()
  {
    if (FArgIndex < 0 || FArgIndex >= FArgCount)
      Bad();
    return FArgs[FArgIndex++];
  }

  [[noreturn]] void Bad() const { RaiseBadFormat(FFmt); }

  // A number, or "*" taking it from the arguments. False when neither is
  // there.
  bool Number(const QChar* F, qsizetype Len, qsizetype& I, int& Value)
  {
    if (I < Len && F[I].unicode() == u'*') {
      ++I;
      const TVarRec& A = NextArg();
      if (A.VKind() != TVarRec::Kind::Int && A.VKind() != TVarRec::Kind::Int64)
        Bad();
      const int64_t V = A.AsInt();
      if (V > MaxWidth || V < -MaxWidth)
        Bad();
      Value = static_cast<int>(V);
      return true;
    }
    if (I >= Len || !IsDigit(F[I].unicode()))
      return false;
    int V = 0;
    while (I < Len && IsDigit(F[I].unicode())) {
      V = V * 10 + (F[I].unicode() - u'0');
      if (V > MaxWidth)
        Bad();
      ++I;
    }
    Value = V;
    return true;
  }

  qsizetype Specifier(const QChar* F, qsizetype Len, qsizetype I)
  {
    int Width = 0;
    bool HaveWidth = Number(F, Len, I, Width);
    if (HaveWidth && I < Len && F[I].unicode() == u':') {
      if (Width < 0)
        Bad();
      FArgIndex = Width;
      ++I;
      HaveWidth = false;
      Width = 0;
    }
    bool Left = false;
    if (!HaveWidth && I < Len && F[I].unicode() == u'-') {
      Left = true;
      ++I;
    }
    if (!HaveWidth)
      HaveWidth = Number(F, Len, I, Width);
    if (Width < 0) { // "*" gave a negative width
      Left = true;
      Width = -Width;
    }
    int Prec = -1;
    if (I < Len && F[I].unicode() == u'.') {
      ++I;
      if (!Number(F, Len, I, Prec))
        Prec = 0;
      if (Prec < 0)
        Prec = -1;
    }
    if (I >= Len)
      Bad();
    const char16_t Type = F[I].unicode() | 0x20; // types are letters of either case
    ++I;
    TTextBuf Item;
    Convert(Item, Type, Prec);
    const qsizetype Fill = Width - Item.Size();
    if (Fill > 0 && !Left)
      FOut.PutRepeat(QLatin1Char(' '), Fill);
    FOut.Put(Item.Data(), Item.Size());
    if (Fill > 0 && Left)
      FOut.PutRepeat(QLatin1Char(' '), Fill);
    return I;
  }

  void Convert(TTextBuf& B, char16_t Type, int Prec)
  {
    const TVarRec& A = NextArg();
    const TVarRec::Kind K = A.VKind();
    const bool IsInt = K == TVarRec::Kind::Int || K == TVarRec::Kind::Int64 || K == TVarRec::Kind::UInt64;
    const int MinDigits = std::max(Prec, 1);
    switch (Type) {
    case u'd':
      if (!IsInt)
        Bad();
      if (K != TVarRec::Kind::UInt64 && A.AsInt() < 0) {
        B.Put('-');
        B.PutUInt(~static_cast<uint64_t>(A.AsInt()) + 1, MinDigits);
      } else {
        B.PutUInt(static_cast<uint64_t>(A.AsInt()), MinDigits);
      }
      return;
    case u'u':
    case u'x':
      if (!IsInt)
        Bad();
      // A negative 32-bit argument shows as its 32-bit pattern.
      B.PutUInt(K == TVarRec::Kind::Int ? static_cast<uint32_t>(A.AsInt()) : static_cast<uint64_t>(A.AsInt()),
                MinDigits, Type == u'x' ? 16 : 10);
      return;
    case u'e':
    case u'f':
    case u'g':
    case u'n':
    case u'm':
      if (K != TVarRec::Kind::Float)
        Bad();
      ConvertFloat(B, Type, Prec, A.AsFloat());
      return;
    case u'p':
      if (K != TVarRec::Kind::Pointer)
        Bad();
      B.PutUInt(reinterpret_cast<uintptr_t>(A.AsPointer()), static_cast<int>(sizeof(void*) * 2), 16);
      return;
    case u's': {
      if (K != TVarRec::Kind::Str && K != TVarRec::Kind::Char)
        Bad();
      const String& S = A.AsString();
      B.Put(S.constData(), Prec >= 0 ? std::min<qsizetype>(Prec, S.size()) : S.size());
      return;
    }
    default:
      Bad();
    }
  }

  void ConvertFloat(TTextBuf& B, char16_t Type, int Prec, double V)
  {
    switch (Type) {
    case u'e':
      PutExponentFormat(B, V, Prec < 0 ? 15 : Prec, 3, FFS);
      break;
    case u'g':
      PutGeneral(B, V, Prec < 0 ? 15 : Prec, 0, FFS);
      break;
    case u'f':
      PutFixedFamily(B, V, TFloatFormat::ffFixed, 15, Prec < 0 ? 2 : Prec, FFS);
      break;
    case u'n':
      PutFixedFamily(B, V, TFloatFormat::ffNumber, 15, Prec < 0 ? 2 : Prec, FFS);
      break;
    default:
      PutFixedFamily(B, V, TFloatFormat::ffCurrency, 15, Prec < 0 ? FFS.CurrencyDecimals : Prec, FFS);
      break;
    }
  }

  const String& FFmt;
  const TVarRec* FArgs;
  int FArgCount;
  const TFormatSettings& FFS;
  int FArgIndex = 0;
  TTextBuf FOut;
};

} // namespace

// ---------------------------------------------------------------------------
// Public API

String IntToStr(int64_t Value)
{
  TTextBuf B;
  if (Value < 0)
    B.Put('-');
  B.PutUInt(Value < 0 ? ~static_cast<uint64_t>(Value) + 1 : static_cast<uint64_t>(Value));
  return B.ToString();
}

String IntToHex(int64_t Value, int Digits)
{
  TTextBuf B;
  B.PutUInt(static_cast<uint64_t>(Value), std::clamp(Digits, 1, 64), 16);
  return B.ToString();
}

String UIntToStr(uint64_t Value)
{
  TTextBuf B;
  B.PutUInt(Value);
  return B.ToString();
}

int32_t StrToInt(const String& S)
{
  int64_t V = 0;
  if (!ParseInt(S, 32, V))
    RaiseBadInt(S);
  return static_cast<int32_t>(V);
}

int64_t StrToInt64(const String& S)
{
  int64_t V = 0;
  if (!ParseInt(S, 64, V))
    RaiseBadInt(S);
  return V;
}

int32_t StrToIntDef(const String& S, int32_t Default)
{
  int64_t V = 0;
  return ParseInt(S, 32, V) ? static_cast<int32_t>(V) : Default;
}

int64_t StrToInt64Def(const String& S, int64_t Default)
{
  int64_t V = 0;
  return ParseInt(S, 64, V) ? V : Default;
}

bool TryStrToInt(const String& S, int32_t& Value)
{
  int64_t V = 0;
  if (!ParseInt(S, 32, V))
    return false;
  Value = static_cast<int32_t>(V);
  return true;
}

bool TryStrToInt64(const String& S, int64_t& Value)
{
  int64_t V = 0;
  if (!ParseInt(S, 64, V))
    return false;
  Value = V;
  return true;
}

double StrToFloat(const String& S) { return StrToFloat(S, FormatSettings); }

double StrToFloat(const String& S, const TFormatSettings& FS)
{
  double V = 0;
  if (!ParseFloat(S, FS, V))
    RaiseBadFloat(S);
  return V;
}

double StrToFloatDef(const String& S, double Default) { return StrToFloatDef(S, Default, FormatSettings); }

double StrToFloatDef(const String& S, double Default, const TFormatSettings& FS)
{
  double V = 0;
  return ParseFloat(S, FS, V) ? V : Default;
}

bool TryStrToFloat(const String& S, double& Value) { return TryStrToFloat(S, Value, FormatSettings); }

bool TryStrToFloat(const String& S, double& Value, const TFormatSettings& FS)
{
  double V = 0;
  if (!ParseFloat(S, FS, V))
    return false;
  Value = V;
  return true;
}

String FloatToStr(double Value) { return FloatToStr(Value, FormatSettings); }

String FloatToStr(double Value, const TFormatSettings& FS)
{
  TTextBuf B;
  PutGeneral(B, Value, 15, 0, FS);
  return B.ToString();
}

String FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits)
{
  return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

String FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& FS)
{
  TTextBuf B;
  PutFloatF(B, Value, Format, Precision, Digits, FS);
  return B.ToString();
}

String FormatFloat(const String& Format, double Value) { return FormatFloat(Format, Value, FormatSettings); }

String FormatFloat(const String& Format, double Value, const TFormatSettings& FS)
{
  TTextBuf B;
  PutMasked(B, Format, Value, FS);
  return B.ToString();
}

TVarRec::TVarRec(const AnsiString& V) : FKind(Kind::Str), FStr(FromAnsi(V)) {}

String Format(const String& Fmt, std::initializer_list<TVarRec> Args) { return Format(Fmt, Args, FormatSettings); }

String Format(const String& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& FS)
{
  return TFormatter(Fmt, Args, FS).Run();
}

int32_t Val(const String& S, double& Value)
{
  Value = 0;
  const qsizetype N = S.length();
  qsizetype I = 0;
  while (I < N && (S[I] == u' ' || S[I] == u'\t'))
    ++I;
  QVarLengthArray<char, 64> Buf;
  if (I < N && (S[I] == u'+' || S[I] == u'-'))
    Buf.append(S[I++] == u'-' ? '-' : '+');
  bool Digits = false;
  auto TakeDigits = [&] {
    while (I < N && S[I] >= u'0' && S[I] <= u'9') {
      Buf.append(static_cast<char>(S[I++].unicode()));
      Digits = true;
    }
  };
  TakeDigits();
  if (I < N && S[I] == u'.') {
    Buf.append('.');
    ++I;
    TakeDigits();
  }
  // The exponent counts only once a digit follows it.
  if (Digits && I < N && (S[I] == u'e' || S[I] == u'E')) {
    qsizetype J = I + 1;
    if (J < N && (S[J] == u'+' || S[J] == u'-'))
      ++J;
    if (J < N && S[J] >= u'0' && S[J] <= u'9') {
      Buf.append('e');
      for (qsizetype K = I + 1; K < J; ++K)
        Buf.append(S[K] == u'-' ? '-' : '+');
      I = J;
      while (I < N && S[I] >= u'0' && S[I] <= u'9')
        Buf.append(static_cast<char>(S[I++].unicode()));
    }
  }
  if (Digits) {
    const char* First = Buf.data();
    if (*First == '+')
      ++First;
    double V = 0;
    const auto R = std::from_chars(First, Buf.data() + Buf.size(), V);
    // Beyond the double range: infinity of its sign; too small for it: 0.
    if (R.ec == std::errc::result_out_of_range) {
      const std::string_view Text(Buf.data(), static_cast<size_t>(Buf.size()));
      const bool Tiny = Text.find("e-") != std::string_view::npos;
      V = Tiny ? 0.0 : (Buf[0] == '-' ? -1.0 : 1.0) * std::numeric_limits<double>::infinity();
    }
    Value = V;
  }
  if (!Digits)
    return static_cast<int32_t>(I + 1);
  return I == N ? 0 : static_cast<int32_t>(I + 1);
}
