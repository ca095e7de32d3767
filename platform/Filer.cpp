#include "platform/Filer.h"

#include "platform/ClassRegistry.h"
#include "platform/Component.h"
#include "platform/FilerInternal.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <QStringDecoder>
#include <QtGlobal>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

// ---------------------------------------------------------------- encodings

namespace FilerEncoding {

void DoubleToExtended(double Value, uint8_t (&Bytes)[10])
{
  const uint64_t Bits = std::bit_cast<uint64_t>(Value);
  const bool Negative = (Bits >> 63) != 0;
  const int32_t Exp = static_cast<int32_t>((Bits >> 52) & 0x7FF);
  const uint64_t Frac = Bits & ((uint64_t(1) << 52) - 1);
  uint16_t EExp = 0;
  uint64_t Mant = 0;
  if (Exp == 0x7FF) {
    EExp = 0x7FFF;
    Mant = (uint64_t(1) << 63) | (Frac << 11);
  } else if (Exp != 0) {
    EExp = static_cast<uint16_t>(Exp - 1023 + 16383);
    Mant = (uint64_t(1) << 63) | (Frac << 11);
  } else if (Frac != 0) {
    // A subnormal double is a normal extended: shift its leading 1 up to
    // the integer bit.
    const int32_t Shift = std::countl_zero(Frac);
    Mant = Frac << Shift;
    EExp = static_cast<uint16_t>(1 - 1023 + 16383 - (Shift - 11));
  }
  for (int I = 0; I < 8; ++I)
    Bytes[I] = static_cast<uint8_t>(Mant >> (8 * I));
  const uint16_t SignExp = static_cast<uint16_t>(EExp | (Negative ? 0x8000 : 0));
  Bytes[8] = static_cast<uint8_t>(SignExp);
  Bytes[9] = static_cast<uint8_t>(SignExp >> 8);
}

double ExtendedToDouble(const uint8_t (&Bytes)[10])
{
  uint64_t Mant = 0;
  for (int I = 0; I < 8; ++I)
    Mant |= uint64_t(Bytes[I]) << (8 * I);
  const uint16_t SignExp = static_cast<uint16_t>(Bytes[8] | (Bytes[9] << 8));
  const bool Negative = (SignExp & 0x8000) != 0;
  const int32_t Exp = SignExp & 0x7FFF;
  double Result = 0;
  if (Exp == 0x7FFF) {
    Result = (Mant << 1) == 0 ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
  } else if (Mant != 0) {
    // Mant * 2^(Exp - 16383 - 63); exponent 0 counts as 1 (denormals).
    const int32_t E = (Exp == 0 ? 1 : Exp) - 16383 - 63;
    // Round the 64-bit mantissa to 53 bits first so that ldexp's own
    // rounding of a subnormal result is the only other one.
    const int32_t Lead = 63 - std::countl_zero(Mant);
    if (Lead > 52) {
      const int32_t Drop = Lead - 52;
      const uint64_t Half = uint64_t(1) << (Drop - 1);
      const uint64_t Rest = Mant & ((uint64_t(1) << Drop) - 1);
      uint64_t Top = Mant >> Drop;
      if (Rest > Half || (Rest == Half && (Top & 1)))
        ++Top;
      Result = std::ldexp(static_cast<double>(Top), E + Drop);
    } else {
      Result = std::ldexp(static_cast<double>(Mant), E);
    }
  }
  return Negative ? -Result : Result;
}

bool DoubleToCurrency(double Value, int64_t& Scaled)
{
  const double S = std::nearbyint(Value * 10000.0);
  if (!(std::fabs(S) < 9.2233720368547758e18))
    return false;
  Scaled = static_cast<int64_t>(S);
  return true;
}

double CurrencyToDouble(int64_t Scaled) { return static_cast<double>(Scaled) / 10000.0; }

} // namespace FilerEncoding

String Utf8ToString(const char* Data, qsizetype Size)
{
  QStringDecoder Decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
  return Decoder.decode(QByteArrayView(Data, Size));
}

// ---------------------------------------------------------------- TFiler

TFiler::TFiler(TStream& Stream, int32_t BufSize) : FStream(Stream), FBufSize(BufSize < 16 ? 16 : BufSize) {}

TFiler::~TFiler() = default;

void TFiler::SetRoot(TComponent* Value)
{
  FRoot = Value;
  FLookupRoot = Value;
}

// ---------------------------------------------------------------- readers in progress

namespace {
// Objects of a read are made and freed on the reading thread, so each
// thread only needs to know its own readers.
thread_local std::vector<TReader*> ActiveReaders;
} // namespace

void RegisterActiveReader(TReader* Reader, bool Active)
{
  if (Active)
    ActiveReaders.push_back(Reader);
  else
    std::erase(ActiveReaders, Reader);
}

void ForgetReaderReferences(const TPersistent* Object)
{
  for (TReader* R : ActiveReaders)
    R->ForgetObject(Object);
}

// ---------------------------------------------------------------- stream helpers

void WriteComponentToStream(TStream& Stream, TComponent* Instance)
{
  TWriter Writer(Stream, 4096);
  Writer.WriteRootComponent(Instance);
}

TComponent* ReadComponentFromStream(TStream& Stream, TComponent* Instance, const TClassInfo* AllowedBase)
{
  TReader Reader(Stream, 4096);
  if (AllowedBase)
    Reader.SetAllowedBase(AllowedBase);
  return Reader.ReadRootComponent(Instance);
}
