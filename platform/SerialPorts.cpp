// Port names, device paths, the port probe and system error numbers.
#include "platform/SerialDevice.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

thread_local uint32_t LastSerialError = 0;

// The longest device name the probe reads from /sys; real names are short.
constexpr int MaxDeviceNameLength = 64;

} // namespace

uint32_t SerialLastError() { return LastSerialError; }

void SetSerialLastError(uint32_t Code) { LastSerialError = Code; }

String SerialErrorText(uint32_t Code)
{
  switch (Code) {
  case SysErr::Success:
    return QStringLiteral("The operation completed successfully.");
  case SysErr::FileNotFound:
    return QStringLiteral("The device does not exist or is not a serial port.");
  case SysErr::TooManyOpenFiles:
    return QStringLiteral("Too many files are open.");
  case SysErr::AccessDenied:
    return QStringLiteral("Access is denied: the port is in use.");
  case SysErr::InvalidHandle:
    return QStringLiteral("The port is not open.");
  case SysErr::NotEnoughMemory:
    return QStringLiteral("Not enough memory.");
  case SysErr::BadCommand:
    return QStringLiteral("The device has gone.");
  case SysErr::GenFailure:
    return QStringLiteral("The device is not working.");
  case SysErr::NotSupported:
    return QStringLiteral("The device does not support the request.");
  case SysErr::InvalidParameter:
    return QStringLiteral("The parameter is incorrect.");
  case SysErr::OperationAborted:
    return QStringLiteral("The operation was aborted.");
  case SysErr::Timeout:
    return QStringLiteral("The operation timed out.");
  default:
    return QStringLiteral("System error %1.").arg(Code);
  }
}

int32_t ParseComPortName(const String& Name)
{
  // The device-namespace prefix as port names carry it, and as it looks
  // when a C string literal of it is taken verbatim.
  static const String RawPrefix = QStringLiteral("\\\\.\\");
  static const String EscapedPrefix = QStringLiteral("\\\\\\\\.\\\\");
  String S = Name;
  if (S.startsWith(EscapedPrefix))
    S = S.mid(EscapedPrefix.size());
  else if (S.startsWith(RawPrefix))
    S = S.mid(RawPrefix.size());
  if (S.size() < 4 || S.size() > 6 || !S.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
    return 0;
  int32_t N = 0;
  for (int I = 3; I < S.size(); ++I) {
    const QChar C = S.at(I);
    if (C < QLatin1Char('0') || C > QLatin1Char('9'))
      return 0;
    if (I == 3 && C == QLatin1Char('0'))
      return 0; // COM0 and COM03 are no port names
    N = N * 10 + (C.unicode() - '0');
  }
  return (N >= 1 && N <= 256) ? N : 0;
}

String ComPortDevicePath(int32_t Number)
{
  const QByteArray Var = "FATHOMIX_COM" + QByteArray::number(Number);
  const QByteArray Path = qgetenv(Var.constData());
  if (!Path.isEmpty())
    return QString::fromLocal8Bit(Path);
  return QStringLiteral("/dev/ttyS%1").arg(Number - 1);
}

bool SerialPortExists(const String& ComName)
{
  const int32_t N = ParseComPortName(ComName);
  if (N == 0)
    return false;
  const QByteArray Path = ComPortDevicePath(N).toLocal8Bit();
  struct stat St {};
  if (stat(Path.constData(), &St) != 0 || !S_ISCHR(St.st_mode))
    return false;
  // Every 8250 port the kernel reserves has a device node, UART or not; the
  // driver marks the ones without a UART as type 0.
  char Real[PATH_MAX];
  if (!realpath(Path.constData(), Real))
    return true;
  const QByteArray Base = QByteArray(Real).mid(QByteArray(Real).lastIndexOf('/') + 1);
  if (Base.isEmpty() || Base.size() > MaxDeviceNameLength)
    return true;
  const QByteArray TypeFile = "/sys/class/tty/" + Base + "/type";
  FILE* F = fopen(TypeFile.constData(), "re");
  if (!F)
    return true;
  char Buf[16] = {};
  const size_t Got = fread(Buf, 1, sizeof(Buf) - 1, F);
  fclose(F);
  return !(Got > 0 && QByteArray(Buf, int(Got)).trimmed() == "0");
}
