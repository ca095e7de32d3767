#include "rtl/Streams.h"
#include "rtl/Exceptions.h"
#include "rtl/Files.h"
#include "rtl/Strings.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void RaiseReadError() { throw EReadError(QStringLiteral("Stream read error")); }
[[noreturn]] void RaiseWriteError() { throw EWriteError(QStringLiteral("Stream write error")); }

constexpr int32_t CopyChunk = 0xF000;

} // namespace

// ---------------------------------------------------------------- TStream

TStream::~TStream() = default;

String TStream::ClassName() const { return QStringLiteral("TStream"); }

int64_t TStream::Position() { return Seek(0, soFromCurrent); }

void TStream::SetPosition(int64_t Pos) { Seek(Pos, soFromBeginning); }

int64_t TStream::Size()
{
  const int64_t Pos = Seek(0, soFromCurrent);
  const int64_t End = Seek(0, soFromEnd);
  Seek(Pos, soFromBeginning);
  return End;
}

void TStream::SetSize(int64_t) {}

void TStream::ReadBuffer(void* Buffer, int32_t Count)
{
  if (Count < 0)
    RaiseReadError();
  if (Count != 0 && Read(Buffer, Count) != Count)
    RaiseReadError();
}

void TStream::WriteBuffer(const void* Buffer, int32_t Count)
{
  if (Count < 0)
    RaiseWriteError();
  if (Count != 0 && Write(Buffer, Count) != Count)
    RaiseWriteError();
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count)
{
  if (Count <= 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  const int64_t Result = Count;
  std::vector<uint8_t> Buf(static_cast<size_t>(std::min<int64_t>(Count, CopyChunk)));
  while (Count > 0) {
    const int32_t N = static_cast<int32_t>(std::min<int64_t>(Count, CopyChunk));
    Source.ReadBuffer(Buf.data(), N);
    WriteBuffer(Buf.data(), N);
    Count -= N;
  }
  return Result;
}

// ------------------------------------------------------------ TFileStream

TFileStream::TFileStream(const String& FileName, uint16_t Mode, uint32_t Rights) : FFileName(FileName)
{
  const QByteArray Name = QFile::encodeName(FileName);
  const bool Create = (Mode & fmCreate) == fmCreate;
  int Flags = O_CLOEXEC;
  if (Create) {
    Flags |= O_RDWR | O_CREAT | O_TRUNC;
  } else {
    switch (Mode & 3) {
    case fmOpenWrite:
      Flags |= O_WRONLY;
      break;
    case fmOpenReadWrite:
      Flags |= O_RDWR;
      break;
    default:
      Flags |= O_RDONLY;
      break;
    }
  }
  int Err = 0;
  if (Name.isEmpty()) {
    Err = ENOENT;
  } else {
    do {
      FHandle = ::open(Name.constData(), Flags, static_cast<mode_t>(Rights & 07777));
    } while (FHandle < 0 && errno == EINTR);
    if (FHandle < 0) {
      Err = errno;
    } else {
      // A folder opens for reading on this platform but is no file.
      struct stat St;
      if (::fstat(FHandle, &St) == 0 && S_ISDIR(St.st_mode)) {
        ::close(FHandle);
        FHandle = -1;
        Err = EISDIR;
      }
    }
  }
  if (FHandle < 0) {
    const String Reason = SysErrorMessage(Err);
    if (Create)
      throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, Reason));
    throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, Reason));
  }
}

TFileStream::~TFileStream()
{
  if (FHandle >= 0)
    ::close(FHandle);
}

String TFileStream::ClassName() const { return QStringLiteral("TFileStream"); }

int32_t TFileStream::Read(void* Buffer, int32_t Count)
{
  if (Count <= 0 || !Buffer)
    return 0;
  auto* P = static_cast<char*>(Buffer);
  int32_t Done = 0;
  while (Done < Count) {
    const ssize_t N = ::read(FHandle, P + Done, static_cast<size_t>(Count - Done));
    if (N < 0) {
      if (errno == EINTR)
        continue;
      RaiseReadError();
    }
    if (N == 0)
      break;
    Done += static_cast<int32_t>(N);
  }
  return Done;
}

int32_t TFileStream::Write(const void* Buffer, int32_t Count)
{
  if (Count <= 0 || !Buffer)
    return 0;
  const auto* P = static_cast<const char*>(Buffer);
  int32_t Done = 0;
  while (Done < Count) {
    const ssize_t N = ::write(FHandle, P + Done, static_cast<size_t>(Count - Done));
    if (N < 0) {
      if (errno == EINTR)
        continue;
      RaiseWriteError();
    }
    if (N == 0)
      break;
    Done += static_cast<int32_t>(N);
  }
  return Done;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
  int Whence = SEEK_SET;
  switch (Origin) {
  case soFromBeginning:
    Whence = SEEK_SET;
    break;
  case soFromCurrent:
    Whence = SEEK_CUR;
    break;
  case soFromEnd:
    Whence = SEEK_END;
    break;
  default:
    return -1;
  }
  const off_t R = ::lseek(FHandle, static_cast<off_t>(Offset), Whence);
  return R < 0 ? -1 : static_cast<int64_t>(R);
}

int64_t TFileStream::Size()
{
  struct stat St;
  if (::fstat(FHandle, &St) != 0)
    return TStream::Size();
  return static_cast<int64_t>(St.st_size);
}

void TFileStream::SetSize(int64_t NewSize)
{
  if (NewSize < 0 || ::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
    RaiseWriteError();
  if (Position() > NewSize)
    Seek(0, soFromEnd);
}

// ---------------------------------------------------------- TMemoryStream

TMemoryStream::TMemoryStream() = default;

TMemoryStream::~TMemoryStream() = default;

String TMemoryStream::ClassName() const { return QStringLiteral("TMemoryStream"); }

int32_t TMemoryStream::Read(void* Buffer, int32_t Count)
{
  const int64_t Size = static_cast<int64_t>(FData.size());
  if (Count <= 0 || !Buffer || FPosition < 0 || FPosition >= Size)
    return 0;
  const int32_t N = static_cast<int32_t>(std::min<int64_t>(Count, Size - FPosition));
  std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(N));
  FPosition += N;
  return N;
}

int32_t TMemoryStream::Write(const void* Buffer, int32_t Count)
{
  if (Count <= 0 || !Buffer || FPosition < 0)
    return 0;
  const int64_t End = FPosition + Count;
  if (End > MaxMemoryStreamSize)
    return 0;
  if (End > static_cast<int64_t>(FData.size())) {
    try {
      FData.resize(static_cast<size_t>(End));
    } catch (const std::bad_alloc&) {
      return 0;
    }
  }
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition = End;
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
  int64_t Base = 0;
  switch (Origin) {
  case soFromBeginning:
    Base = 0;
    break;
  case soFromCurrent:
    Base = FPosition;
    break;
  case soFromEnd:
    Base = static_cast<int64_t>(FData.size());
    break;
  default:
    return -1;
  }
  // Positions are kept within what a stream may address; a negative one is
  // allowed (reads and writes there move nothing) as the classic stream does.
  const int64_t Target = Base + Offset;
  if (Target > MaxMemoryStreamSize || Target < -MaxMemoryStreamSize)
    return -1;
  FPosition = Target;
  return FPosition;
}

int64_t TMemoryStream::Size() { return static_cast<int64_t>(FData.size()); }

void TMemoryStream::SetSize(int64_t NewSize)
{
  if (NewSize < 0 || NewSize > MaxMemoryStreamSize)
    throw EOutOfMemory(QStringLiteral("Out of memory while expanding memory stream"));
  try {
    FData.resize(static_cast<size_t>(NewSize));
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(QStringLiteral("Out of memory while expanding memory stream"));
  }
  if (FPosition > NewSize)
    FPosition = NewSize;
}

void TMemoryStream::Clear()
{
  FData.clear();
  FData.shrink_to_fit();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream)
{
  Stream.SetPosition(0);
  const int64_t Count = Stream.Size();
  SetSize(Count);
  FPosition = 0;
  if (Count > 0)
    Stream.ReadBuffer(FData.data(), static_cast<int32_t>(Count));
}

void TMemoryStream::SaveToStream(TStream& Stream)
{
  if (!FData.empty())
    Stream.WriteBuffer(FData.data(), static_cast<int32_t>(FData.size()));
}

void TMemoryStream::LoadFromFile(const String& FileName)
{
  TFileStream F(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(F);
}

void TMemoryStream::SaveToFile(const String& FileName)
{
  TFileStream F(FileName, fmCreate);
  SaveToStream(F);
}

// ----------------------------------------------------- TBytesStream etc.

TBytesStream::TBytesStream(const QByteArray& Bytes)
{
  SetSize(Bytes.size());
  if (!Bytes.isEmpty())
    std::memcpy(Memory(), Bytes.constData(), static_cast<size_t>(Bytes.size()));
}

String TBytesStream::ClassName() const { return QStringLiteral("TBytesStream"); }

QByteArray TBytesStream::Bytes() const
{
  return QByteArray(reinterpret_cast<const char*>(Memory()), static_cast<qsizetype>(StoredSize()));
}

TStringStream::TStringStream(const String& Text)
{
  const AnsiString Bytes = ToAnsi(Text);
  SetSize(Bytes.size());
  if (!Bytes.isEmpty())
    std::memcpy(Memory(), Bytes.constData(), static_cast<size_t>(Bytes.size()));
}

String TStringStream::ClassName() const { return QStringLiteral("TStringStream"); }

String TStringStream::DataString() const
{
  return FromAnsi(AnsiString(reinterpret_cast<const char*>(Memory()), static_cast<qsizetype>(StoredSize())));
}
