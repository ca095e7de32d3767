#pragma once
// What the reader, the writer and the text converter share: byte-level
// encodings of the component stream. Not for use outside platform/.
#include "rtl/Types.h"

#include <cstdint>

class TReader;

// UTF-8 to text keeping a leading U+FEFF: a string value that starts with
// one must read back as it was written (QString::fromUtf8 drops it).
String Utf8ToString(const char* Data, qsizetype Size);

// Readers in the middle of a read on this thread; objects destroyed on the
// thread are dropped from their pending lists.
void RegisterActiveReader(TReader* Reader, bool Active);

namespace FilerEncoding {

// The 10-byte extended float (sign, 15-bit exponent biased by 16383,
// 64-bit mantissa with its integer bit), little-endian. Every double
// converts exactly; an extended value beyond the double range becomes an
// infinity, one below it 0 or a subnormal.
void DoubleToExtended(double Value, uint8_t (&Bytes)[10]);
double ExtendedToDouble(const uint8_t (&Bytes)[10]);

// Currency: a 64-bit integer counting 1/10000. False beyond its range.
bool DoubleToCurrency(double Value, int64_t& Scaled);
double CurrencyToDouble(int64_t Scaled);

} // namespace FilerEncoding
