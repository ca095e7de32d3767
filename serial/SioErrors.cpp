#include "serial/SioErrors.h"

#include "platform/SerialDevice.h"

#include <cstdlib>

namespace {

int32_t AbsCode(int32_t Code) { return Code < 0 ? -Code : Code; }

} // namespace

String MessageNumberToString(int32_t MessageNumber)
{
  const int32_t Key = AbsCode(MessageNumber);
  const SioMessageNumberLookupRecord* Table = SioMessageTable();
  int32_t Lo = 0;
  int32_t Hi = SioMessageCount - 1;
  while (Lo <= Hi) {
    // The midpoint rounds halves to the even neighbour, as the table's
    // original search did; any midpoint finds the same entry.
    const int32_t Sum = Lo + Hi;
    int32_t Mid = Sum / 2;
    if ((Sum & 1) != 0 && (Mid & 1) != 0)
      ++Mid;
    const int32_t Here = AbsCode(Table[Mid].MessageNumber);
    if (Key == Here)
      return QString::fromLatin1(Table[Mid].MessageString);
    if (Key < Here)
      Hi = Mid - 1;
    else
      Lo = Mid + 1;
  }
  return String();
}

String TelvLoadStr(int32_t ErrorCode)
{
  const String Text = MessageNumberToString(ErrorCode);
  if (!Text.isEmpty())
    return Text;
  // A code the table lacks is taken as a system error number, sign-extended.
  return SerialErrorText(static_cast<uint32_t>(ErrorCode));
}
