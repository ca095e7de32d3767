#pragma once
// The exception family of the run-time layer. Every exception carries its
// message as text; what() gives it as UTF-8 for logs and test output.
#include "rtl/Types.h"
#include <exception>

class Exception : public std::exception {
public:
  explicit Exception(const String& Msg);
  ~Exception() override;
  const String& Message() const { return FMessage; }
  void SetMessage(const String& Msg);
  const char* what() const noexcept override;

private:
  String FMessage;
  QByteArray FUtf8;
};

// The text of any exception: an Exception's own message, else what().
String ExceptionMessage(const std::exception& E);

#define FX_DECLARE_EXCEPTION(Name, Base)                                                                               \
  class Name : public Base {                                                                                           \
  public:                                                                                                              \
    explicit Name(const String& Msg) : Base(Msg) {}                                                                    \
  };

FX_DECLARE_EXCEPTION(EAbort, Exception)
// A consistency check of the program failed (the check's own text).
FX_DECLARE_EXCEPTION(EAssertionFailed, Exception)
FX_DECLARE_EXCEPTION(EConvertError, Exception)
FX_DECLARE_EXCEPTION(EListError, Exception)
FX_DECLARE_EXCEPTION(EStringListError, EListError)
FX_DECLARE_EXCEPTION(EArgumentException, Exception)
FX_DECLARE_EXCEPTION(EArgumentOutOfRangeException, EArgumentException)
FX_DECLARE_EXCEPTION(EInvalidOperation, Exception)
FX_DECLARE_EXCEPTION(EInvalidPointer, Exception)
// A checked class cast that fails: "Invalid class typecast".
FX_DECLARE_EXCEPTION(EInvalidCast, Exception)
FX_DECLARE_EXCEPTION(EOutOfMemory, Exception)
FX_DECLARE_EXCEPTION(EComponentError, Exception)
FX_DECLARE_EXCEPTION(EThread, Exception)
FX_DECLARE_EXCEPTION(ENotSupportedException, Exception)
// Floating point
FX_DECLARE_EXCEPTION(EMathError, Exception)
FX_DECLARE_EXCEPTION(EZeroDivide, EMathError)
FX_DECLARE_EXCEPTION(EInvalidOp, EMathError)
FX_DECLARE_EXCEPTION(EOverflow, EMathError)
FX_DECLARE_EXCEPTION(EUnderflow, EMathError)
// Integer
FX_DECLARE_EXCEPTION(EIntError, Exception)
FX_DECLARE_EXCEPTION(EDivByZero, EIntError)
FX_DECLARE_EXCEPTION(ERangeError, EIntError)
FX_DECLARE_EXCEPTION(EIntOverflow, EIntError)
// Streams and component streaming
FX_DECLARE_EXCEPTION(EStreamError, Exception)
FX_DECLARE_EXCEPTION(EFileStreamError, EStreamError)
FX_DECLARE_EXCEPTION(EFCreateError, EFileStreamError)
FX_DECLARE_EXCEPTION(EFOpenError, EFileStreamError)
FX_DECLARE_EXCEPTION(EReadError, EStreamError)
FX_DECLARE_EXCEPTION(EWriteError, EStreamError)
FX_DECLARE_EXCEPTION(EFilerError, EStreamError)
FX_DECLARE_EXCEPTION(EClassNotFound, EFilerError)
FX_DECLARE_EXCEPTION(EMethodNotFound, EFilerError)
FX_DECLARE_EXCEPTION(EInvalidImage, EFilerError)
FX_DECLARE_EXCEPTION(EPropertyError, Exception)
FX_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
FX_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception)
FX_DECLARE_EXCEPTION(EIniFileException, Exception)

#undef FX_DECLARE_EXCEPTION

// I/O errors carry the run-time I/O result code (2 file not found,
// 3 path not found, 5 access denied, 100 read past end, 101 disk full,
// 102 not assigned, 103 not open, 104 not open for input,
// 105 not open for output, 106 invalid numeric input).
class EInOutError : public Exception {
public:
  EInOutError(const String& Msg, int32_t Code) : Exception(Msg), ErrorCode(Code) {}
  int32_t ErrorCode;
};

// Operating-system errors carry errno-style codes.
class EOSError : public Exception {
public:
  EOSError(const String& Msg, int32_t Code) : Exception(Msg), ErrorCode(Code) {}
  int32_t ErrorCode;
};
