#include "rtl/Exceptions.h"

Exception::Exception(const String& Msg) : FMessage(Msg), FUtf8(Msg.toUtf8()) {}

Exception::~Exception() = default;

void Exception::SetMessage(const String& Msg)
{
  FMessage = Msg;
  FUtf8 = Msg.toUtf8();
}

const char* Exception::what() const noexcept { return FUtf8.constData(); }
