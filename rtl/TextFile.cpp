#include "rtl/TextFile.h"
#include "rtl/Exceptions.h"
#include "rtl/Files.h"
#include "rtl/Strings.h"

#include <QFile>
#include <QtGlobal>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<bool> GlobalIOChecks{true};
thread_local int32_t InOutRes = 0;

constexpr qsizetype OutputBufferBytes = 4096;
constexpr qsizetype InputChunkBytes = 64 * 1024;

enum class Op : uint8_t { Open, Create, Read, Write };

// Platform (Windows) error codes for the failures that have no Pascal code
// of their own, so "I/O error <n>" means the same as on the original system.
constexpr int32_t ErrInvalidHandle = 6;
constexpr int32_t ErrNotEnoughMemory = 8;
constexpr int32_t ErrNotReady = 21;
constexpr int32_t ErrWriteFault = 29;
constexpr int32_t ErrReadFault = 30;
constexpr int32_t ErrGenFailure = 31;
constexpr int32_t ErrSharingViolation = 32;
constexpr int32_t ErrInvalidParameter = 87;
constexpr int32_t ErrFileTooLarge = 223;

// 2 when the file's folder exists (so the file itself is missing), else 3.
int32_t MissingCode(const String& Name)
{
  const String Dir = ExtractFileDir(Name);
  return Dir.isEmpty() || DirectoryExists(Dir) ? 2 : 3;
}

int32_t CodeOfErrno(int Err, Op Kind, const String& Name)
{
  switch (Err) {
  case ENOENT:
    return Kind == Op::Create ? 3 : MissingCode(Name);
  case ENOTDIR:
  case ENAMETOOLONG:
  case ELOOP:
    return 3;
  case EMFILE:
  case ENFILE:
    return 4;
  case EACCES:
  case EPERM:
  case EROFS:
  case EISDIR:
    return 5;
  case ENOSPC:
  case EDQUOT:
    return 101;
  case EFBIG:
    return ErrFileTooLarge;
  case EBADF:
    return ErrInvalidHandle;
  case ENOMEM:
    return ErrNotEnoughMemory;
  case ENXIO:
  case ENODEV:
    return ErrNotReady;
  case EBUSY:
  case ETXTBSY:
    return ErrSharingViolation;
  case EINVAL:
    return ErrInvalidParameter;
  case EIO:
    return Kind == Op::Read ? ErrReadFault : ErrWriteFault;
  default:
    return ErrGenFailure;
  }
}

} // namespace

// The file functions are friends through this one door.
struct TextFileAccess {
  using Mode = TextFile::Mode;

  static bool ChecksOn(const TextFile& F)
  {
    if (F.FChecks == TextFile::Checks::Global)
      return GlobalIOChecks.load();
    return F.FChecks == TextFile::Checks::On;
  }

  static void Fail(const TextFile& F, int32_t Code)
  {
    InOutRes = Code;
    if (ChecksOn(F)) {
      InOutRes = 0;
      RaiseInOutError(Code);
    }
  }

  static bool WriteAll(TextFile& F, const char* P, qsizetype Len, int& Err)
  {
    while (Len > 0) {
      const ssize_t N = ::write(F.FHandle, P, static_cast<size_t>(Len));
      if (N < 0) {
        if (errno == EINTR)
          continue;
        Err = errno;
        return false;
      }
      if (N == 0) {
        Err = EIO;
        return false;
      }
      P += N;
      Len -= N;
    }
    return true;
  }

  // Writes the output buffer; 0 or the I/O code. What could not be written
  // is dropped: the failure has been reported for it.
  static int32_t WriteBuffer(TextFile& F)
  {
    if (F.FBuffer.isEmpty())
      return 0;
    int Err = 0;
    const bool Ok = WriteAll(F, F.FBuffer.constData(), F.FBuffer.size(), Err);
    F.FBuffer.clear();
    return Ok ? 0 : CodeOfErrno(Err, Op::Write, F.FName);
  }

  // Data written to a file whose name was removed (or whose folder was) is
  // lost to everyone: that is a failed write, not a success.
  static int32_t CheckStillLinked(const TextFile& F)
  {
    struct stat St;
    if (::fstat(F.FHandle, &St) != 0)
      return CodeOfErrno(errno, Op::Write, F.FName);
    if (S_ISREG(St.st_mode) && St.st_nlink == 0)
      return MissingCode(F.FName);
    return 0;
  }

  static int32_t CloseHandle(TextFile& F)
  {
    int32_t Code = 0;
    if (F.FMode == Mode::Output) {
      Code = WriteBuffer(F);
      if (Code == 0)
        Code = CheckStillLinked(F);
    }
    if (::close(F.FHandle) != 0 && Code == 0 && errno != EINTR)
      Code = CodeOfErrno(errno, Op::Write, F.FName);
    F.FHandle = -1;
    F.FMode = Mode::Closed;
    F.FBuffer.clear();
    F.FBufPos = 0;
    F.FAtEnd = false;
    return Code;
  }

  static void Open(TextFile& F, Mode NewMode, int Flags, Op Kind)
  {
    if (!F.FAssigned)
      return Fail(F, 102);
    if (F.FMode != Mode::Closed) {
      const int32_t Code = CloseHandle(F);
      if (Code != 0)
        return Fail(F, Code);
    }
    const QByteArray Name = QFile::encodeName(F.FName);
    if (Name.isEmpty())
      return Fail(F, Kind == Op::Create ? 3 : 2);
    int H;
    do {
      H = ::open(Name.constData(), Flags | O_CLOEXEC, 0666);
    } while (H < 0 && errno == EINTR);
    if (H < 0)
      return Fail(F, CodeOfErrno(errno, Kind, F.FName));
    struct stat St;
    if (::fstat(H, &St) == 0 && S_ISDIR(St.st_mode)) {
      ::close(H);
      return Fail(F, 5);
    }
    F.FHandle = H;
    F.FMode = NewMode;
    F.FBuffer.clear();
    F.FBufPos = 0;
    F.FAtEnd = false;
  }

  // Reads ahead; false at the end of the file or after a failure.
  static bool Fill(TextFile& F)
  {
    if (F.FBufPos < F.FBuffer.size())
      return true;
    if (F.FAtEnd)
      return false;
    F.FBuffer.resize(InputChunkBytes);
    F.FBufPos = 0;
    ssize_t N;
    do {
      N = ::read(F.FHandle, F.FBuffer.data(), static_cast<size_t>(InputChunkBytes));
    } while (N < 0 && errno == EINTR);
    if (N <= 0) {
      const int Err = errno;
      F.FBuffer.clear();
      F.FAtEnd = true;
      if (N < 0)
        Fail(F, CodeOfErrno(Err, Op::Read, F.FName));
      return false;
    }
    F.FBuffer.resize(N);
    return true;
  }

  static bool CheckInput(TextFile& F)
  {
    if (F.FMode == Mode::Input)
      return true;
    Fail(F, F.FMode == Mode::Output ? 104 : (F.FAssigned ? 103 : 102));
    return false;
  }

  static bool CheckOutput(TextFile& F)
  {
    if (F.FMode == Mode::Output)
      return true;
    Fail(F, F.FMode == Mode::Input ? 105 : (F.FAssigned ? 103 : 102));
    return false;
  }

  static void Readln(TextFile& F, String* S)
  {
    if (S)
      S->clear();
    if (!CheckInput(F))
      return;
    AnsiString Line;
    while (Fill(F)) {
      const char* Data = F.FBuffer.constData();
      const qsizetype Size = F.FBuffer.size();
      qsizetype End = F.FBufPos;
      while (End < Size && Data[End] != '\r' && Data[End] != '\n')
        ++End;
      const qsizetype Room = MaxTextLineBytes - Line.size();
      if (S && Room > 0)
        Line.append(Data + F.FBufPos, qMin(End - F.FBufPos, Room));
      F.FBufPos = End;
      if (End == Size)
        continue;
      const char Terminator = Data[End];
      ++F.FBufPos;
      if (Terminator == '\r' && Fill(F) && F.FBuffer.at(F.FBufPos) == '\n')
        ++F.FBufPos;
      break;
    }
    if (S)
      *S = FromAnsi(Line);
  }

  static bool Eof(TextFile& F)
  {
    if (!CheckInput(F))
      return true;
    return !Fill(F);
  }

  static void Write(TextFile& F, const String& S, bool NewLine)
  {
    if (!CheckOutput(F))
      return;
    F.FBuffer.append(ToAnsi(S));
    if (NewLine)
      F.FBuffer.append("\r\n", 2);
    if (F.FBuffer.size() >= OutputBufferBytes) {
      const int32_t Code = WriteBuffer(F);
      if (Code != 0)
        Fail(F, Code);
    }
  }

  static void Flush(TextFile& F)
  {
    if (F.FMode == Mode::Input)
      return;
    if (!CheckOutput(F))
      return;
    int32_t Code = WriteBuffer(F);
    if (Code == 0)
      Code = CheckStillLinked(F);
    if (Code != 0)
      Fail(F, Code);
  }

  static void Close(TextFile& F)
  {
    if (F.FMode == Mode::Closed)
      return Fail(F, F.FAssigned ? 103 : 102);
    const int32_t Code = CloseHandle(F);
    if (Code != 0)
      Fail(F, Code);
  }

  static void Destroy(TextFile& F)
  {
    if (F.FMode == Mode::Closed)
      return;
    const int32_t Code = CloseHandle(F);
    if (Code != 0)
      qWarning("Text file \"%s\" lost its unwritten data on release: %s", qUtf8Printable(F.FName),
               qUtf8Printable(InOutErrorMessage(Code)));
  }

  static void Assign(TextFile& F, const String& Name)
  {
    if (F.FMode != Mode::Closed) {
      const int32_t Code = CloseHandle(F);
      if (Code != 0)
        Fail(F, Code);
    }
    F.FName = Name;
    F.FAssigned = true;
  }

  static void SetChecks(TextFile& F, bool On) { F.FChecks = On ? TextFile::Checks::On : TextFile::Checks::Off; }
};

TextFile::TextFile() = default;

TextFile::~TextFile() { TextFileAccess::Destroy(*this); }

void AssignFile(TextFile& F, const String& FileName) { TextFileAccess::Assign(F, FileName); }

void Rewrite(TextFile& F)
{
  TextFileAccess::Open(F, TextFileAccess::Mode::Output, O_WRONLY | O_CREAT | O_TRUNC, Op::Create);
}

void Append(TextFile& F) { TextFileAccess::Open(F, TextFileAccess::Mode::Output, O_WRONLY | O_APPEND, Op::Open); }

void Reset(TextFile& F) { TextFileAccess::Open(F, TextFileAccess::Mode::Input, O_RDONLY, Op::Open); }

void Readln(TextFile& F, String& S) { TextFileAccess::Readln(F, &S); }

void Readln(TextFile& F) { TextFileAccess::Readln(F, nullptr); }

bool Eof(TextFile& F) { return TextFileAccess::Eof(F); }

void Write(TextFile& F, const String& S) { TextFileAccess::Write(F, S, false); }

void Writeln(TextFile& F, const String& S) { TextFileAccess::Write(F, S, true); }

void Writeln(TextFile& F) { TextFileAccess::Write(F, String(), true); }

void Flush(TextFile& F) { TextFileAccess::Flush(F); }

void CloseFile(TextFile& F) { TextFileAccess::Close(F); }

int32_t IOResult()
{
  const int32_t Code = InOutRes;
  InOutRes = 0;
  return Code;
}

void SetIOChecks(bool On) { GlobalIOChecks.store(On); }

void SetIOChecks(TextFile& F, bool On) { TextFileAccess::SetChecks(F, On); }

String InOutErrorMessage(int32_t Code)
{
  switch (Code) {
  case 2:
    return QStringLiteral("File not found");
  case 3:
    return QStringLiteral("Invalid filename");
  case 4:
    return QStringLiteral("Too many open files");
  case 5:
    return QStringLiteral("File access denied");
  case 100:
    return QStringLiteral("Read beyond end of file");
  case 101:
    return QStringLiteral("Disk full");
  case 102:
    return QStringLiteral("File not assigned");
  case 103:
    return QStringLiteral("File not open");
  case 104:
    return QStringLiteral("File not open for input");
  case 105:
    return QStringLiteral("File not open for output");
  case 106:
    return QStringLiteral("Invalid numeric input");
  default:
    return QStringLiteral("I/O error %1").arg(Code);
  }
}

void RaiseInOutError(int32_t Code) { throw EInOutError(InOutErrorMessage(Code), Code); }
