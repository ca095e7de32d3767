#include "platform/SerialLineSettings.h"

#include <asm/termbits.h>
#include <cstdlib>
#include <iterator>

namespace {

struct StandardRate {
  uint32_t Rate;
  uint32_t Code;
};

// Rates with a Bxxx code go to the driver as that code: some drivers accept
// nothing else. Any other rate goes as BOTHER with the number itself.
constexpr StandardRate StandardRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

// A driver that rounds the rate to what its clock divides to is still at the
// asked rate; a UART tolerates a few per cent. Anything further is another rate.
constexpr uint32_t RateTolerancePercent = 3;

bool Refuse(String* Reason, const char* Text)
{
  if (Reason)
    *Reason = QString::fromLatin1(Text);
  return false;
}

uint32_t CharSizeBits(uint8_t ByteSize)
{
  switch (ByteSize) {
  case 5:
    return CS5;
  case 6:
    return CS6;
  case 7:
    return CS7;
  default:
    return CS8;
  }
}

uint8_t ByteSizeOf(uint32_t CFlag)
{
  switch (CFlag & CSIZE) {
  case CS5:
    return 5;
  case CS6:
    return 6;
  case CS7:
    return 7;
  default:
    return 8;
  }
}

uint8_t ParityOf(uint32_t CFlag)
{
  if (!(CFlag & PARENB))
    return 0;
  if (CFlag & CMSPAR)
    return (CFlag & PARODD) ? 3 : 4;
  return (CFlag & PARODD) ? 1 : 2;
}

} // namespace

bool CheckLineState(const SerialLineState& S, String* Reason)
{
  using namespace LineFlag;
  if (S.BaudRate == 0)
    return Refuse(Reason, "Baud rate 0 is not a rate");
  if (S.ByteSize < 5 || S.ByteSize > 8)
    return Refuse(Reason, "Data bits must be 5 to 8");
  if (S.Parity > 4)
    return Refuse(Reason, "Parity must be none, odd, even, mark or space");
  if (S.StopBits > 2)
    return Refuse(Reason, "Stop bits must be one, one and a half or two");
  // A UART's second stop bit is one and a half bits long at 5 data bits and
  // a whole bit otherwise, so each length exists at one character size only.
  if (S.StopBits == 1 && S.ByteSize != 5)
    return Refuse(Reason, "One and a half stop bits exist only with 5 data bits");
  if (S.StopBits == 2 && S.ByteSize == 5)
    return Refuse(Reason, "Two stop bits do not exist with 5 data bits (use one and a half)");
  if (!(S.Flags & Binary))
    return Refuse(Reason, "Non-binary mode (an end-of-file character) is not supported");
  if (S.Flags & OutxDsrFlow)
    return Refuse(Reason, "Output flow control by DSR is not supported (only RTS/CTS)");
  if ((S.Flags & DtrControlMask) == DtrHandshake)
    return Refuse(Reason, "DTR handshake (DTR/DSR flow control) is not supported");
  if ((S.Flags & DtrControlMask) == DtrControlMask)
    return Refuse(Reason, "DTR control value 3 does not exist");
  if (S.Flags & DsrSensitivity)
    return Refuse(Reason, "DSR sensitivity is not supported");
  // The kernel's RTS/CTS flow is one switch for both directions: RTS
  // handshake alone would also stop our output whenever CTS is low.
  if ((S.Flags & RtsControlMask) == RtsHandshake && !(S.Flags & OutxCtsFlow))
    return Refuse(Reason, "RTS handshake needs CTS output flow as well: "
                          "RTS/CTS flow control works in both directions together");
  if ((S.Flags & InX) && !(S.Flags & TxContinueOnXoff))
    return Refuse(Reason, "Holding output after sending XOFF is not supported");
  if (S.Flags & ErrorChar)
    return Refuse(Reason, "Replacing bytes received with parity errors is not supported");
  if (S.Flags & Null)
    return Refuse(Reason, "Discarding received null bytes is not supported");
  if (S.Flags & AbortOnError)
    return Refuse(Reason, "Aborting reads and writes on line errors is not supported");
  if ((S.Flags & (OutX | InX)) && S.XonChar == S.XoffChar)
    return Refuse(Reason, "XON and XOFF characters must differ");
  return true;
}

void MakeRawLine(termios2& T)
{
  T.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | IMAXBEL | IUCLC |
                 INPCK | IGNPAR);
  T.c_oflag &= ~OPOST;
  T.c_lflag &= ~(ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN);
  T.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  T.c_cflag |= CS8 | CREAD | CLOCAL;
  // poll() then reports one byte as readable; O_NONBLOCK keeps read() from
  // ever waiting for VMIN bytes.
  T.c_cc[VMIN] = 1;
  T.c_cc[VTIME] = 0;
  // Equal start and stop characters could never work XON/XOFF; a port
  // offers the usual DC1/DC3 instead.
  if (T.c_cc[VSTART] == T.c_cc[VSTOP]) {
    T.c_cc[VSTART] = 17;
    T.c_cc[VSTOP] = 19;
  }
  // Rate 0 means hang up (DTR dropped) and is no rate to run a line at.
  if (LineBaudRate(T) == 0) {
    T.c_cflag &= ~(CBAUD | CIBAUD);
    T.c_cflag |= B9600;
    T.c_ospeed = T.c_ispeed = 9600;
  }
}

void EncodeLineState(const SerialLineState& S, termios2& T)
{
  using namespace LineFlag;
  T.c_cflag &= ~(CBAUD | CIBAUD);
  uint32_t Code = BOTHER;
  for (const StandardRate& R : StandardRates)
    if (R.Rate == S.BaudRate)
      Code = R.Code;
  T.c_cflag |= Code; // CIBAUD 0: input at the output rate
  T.c_ospeed = S.BaudRate;
  T.c_ispeed = S.BaudRate;

  T.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  T.c_cflag |= CharSizeBits(S.ByteSize);
  switch (S.Parity) {
  case 1:
    T.c_cflag |= PARENB | PARODD;
    break;
  case 2:
    T.c_cflag |= PARENB;
    break;
  case 3:
    T.c_cflag |= PARENB | CMSPAR | PARODD;
    break;
  case 4:
    T.c_cflag |= PARENB | CMSPAR;
    break;
  default:
    break;
  }
  if (S.StopBits != 0)
    T.c_cflag |= CSTOPB;
  if (S.Flags & OutxCtsFlow)
    T.c_cflag |= CRTSCTS;

  T.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
  if (S.Flags & OutX)
    T.c_iflag |= IXON;
  if (S.Flags & InX)
    T.c_iflag |= IXOFF;
  if (S.Flags & ParityCheck)
    T.c_iflag |= INPCK;
  T.c_cc[VSTART] = S.XonChar;
  T.c_cc[VSTOP] = S.XoffChar;
}

uint32_t LineBaudRate(const termios2& T)
{
  const uint32_t Code = T.c_cflag & CBAUD;
  if (Code == BOTHER)
    return T.c_ospeed;
  for (const StandardRate& R : StandardRates)
    if (R.Code == Code)
      return R.Rate;
  return T.c_ospeed;
}

void DecodeLineState(const termios2& T, SerialLineState& S, const SerialLineState* CharFormat)
{
  using namespace LineFlag;
  S.BaudRate = LineBaudRate(T);
  S.ByteSize = CharFormat ? CharFormat->ByteSize : ByteSizeOf(T.c_cflag);
  S.Parity = CharFormat ? CharFormat->Parity : ParityOf(T.c_cflag);
  S.StopBits = (T.c_cflag & CSTOPB) ? (S.ByteSize == 5 ? 1 : 2) : 0;
  S.Flags &= ~(ParityCheck | OutxCtsFlow | OutX | InX);
  // Binary mode always; output never holds after we send XOFF.
  S.Flags |= Binary | TxContinueOnXoff;
  if (T.c_iflag & INPCK)
    S.Flags |= ParityCheck;
  if (T.c_cflag & CRTSCTS)
    S.Flags |= OutxCtsFlow;
  if (T.c_iflag & IXON)
    S.Flags |= OutX;
  if (T.c_iflag & IXOFF)
    S.Flags |= InX;
  S.XonChar = T.c_cc[VSTART];
  S.XoffChar = T.c_cc[VSTOP];
}

String LineMismatch(const termios2& Asked, const termios2& Got, bool CheckCharFormat)
{
  const uint32_t Want = LineBaudRate(Asked);
  const uint32_t Have = LineBaudRate(Got);
  const uint64_t Diff = Want > Have ? Want - Have : Have - Want;
  if (Diff * 100 > uint64_t(Want) * RateTolerancePercent)
    return QStringLiteral("The device does not support %1 baud (it set %2)").arg(Want).arg(Have);
  if (CheckCharFormat) {
    if ((Asked.c_cflag & CSIZE) != (Got.c_cflag & CSIZE))
      return QStringLiteral("The device does not support %1 data bits").arg(ByteSizeOf(Asked.c_cflag));
    if ((Asked.c_cflag & (PARENB | PARODD | CMSPAR)) != (Got.c_cflag & (PARENB | PARODD | CMSPAR)))
      return QStringLiteral("The device does not support this parity");
  }
  if ((Asked.c_cflag & CSTOPB) != (Got.c_cflag & CSTOPB))
    return QStringLiteral("The device does not support this number of stop bits");
  if ((Asked.c_cflag & CRTSCTS) != (Got.c_cflag & CRTSCTS))
    return QStringLiteral("The device does not support RTS/CTS flow control");
  if ((Asked.c_iflag & (IXON | IXOFF)) != (Got.c_iflag & (IXON | IXOFF)) || Asked.c_cc[VSTART] != Got.c_cc[VSTART] ||
      Asked.c_cc[VSTOP] != Got.c_cc[VSTOP])
    return QStringLiteral("The device does not support XON/XOFF flow control");
  return String();
}
