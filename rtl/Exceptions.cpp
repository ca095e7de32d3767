#include "rtl/Exceptions.h"
#include "rtl/ScopeGuard.h"

Exception::Exception(const String& Msg) : FMessage(Msg), FUtf8(Msg.toUtf8()) {}

String ExceptionMessage(const std::exception& E)
{
  if (const auto* Ex = dynamic_cast<const Exception*>(&E))
    return Ex->Message();
  return QString::fromUtf8(E.what());
}

Exception::~Exception() = default;

void Exception::SetMessage(const String& Msg)
{
  FMessage = Msg;
  FUtf8 = Msg.toUtf8();
}

const char* Exception::what() const noexcept { return FUtf8.constData(); }

void LogLostCleanUpError(std::exception_ptr Error)
{
  String Text = QStringLiteral("unknown error");
  try {
    std::rethrow_exception(Error);
  } catch (const std::exception& E) {
    Text = ExceptionMessage(E);
  } catch (...) {
  }
  qWarning("Clean-up failed while another error was passing; lost: %s", qUtf8Printable(Text));
}
