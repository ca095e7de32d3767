#pragma once
// Byte streams: the abstract TStream, files and memory. Reads never run
// past the end (they return fewer bytes); ReadBuffer and WriteBuffer raise
// when the full count cannot be moved.
#include "rtl/Object.h"
#include <vector>

enum TSeekOrigin : uint16_t { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

// TFileStream modes: one access mode, optionally or-ed with a share flag
// (share flags are accepted and ignored). fmCreate creates or empties the
// file and opens it for reading and writing.
constexpr uint16_t fmCreate = 0xFF00;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;

class TStream : public TObject {
public:
  ~TStream() override;
  String ClassName() const override;

  // Bytes moved, 0..Count; a negative Count moves nothing.
  virtual int32_t Read(void* Buffer, int32_t Count) = 0;
  virtual int32_t Write(const void* Buffer, int32_t Count) = 0;
  // New position from the origin, or -1 when the target cannot be reached.
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

  int64_t Position();
  void SetPosition(int64_t Pos);
  virtual int64_t Size();
  virtual void SetSize(int64_t NewSize);

  // Raise EReadError "Stream read error" / EWriteError "Stream write error"
  // unless exactly Count bytes are moved.
  void ReadBuffer(void* Buffer, int32_t Count);
  void WriteBuffer(const void* Buffer, int32_t Count);
  // Copies Count bytes from Source's position; Count <= 0 copies the whole
  // of Source from its beginning. Returns the bytes copied.
  int64_t CopyFrom(TStream& Source, int64_t Count);
};

class TFileStream : public TStream {
public:
  // Raises EFCreateError 'Cannot create file "<name>". <reason>' or
  // EFOpenError 'Cannot open file "<name>". <reason>'. Rights (the mode
  // bits of a created file) are further limited by the process umask.
  TFileStream(const String& FileName, uint16_t Mode, uint32_t Rights = 0666);
  ~TFileStream() override;
  String ClassName() const override;

  // Operating-system failures raise EReadError / EWriteError rather than
  // looking like the end of the file.
  int32_t Read(void* Buffer, int32_t Count) override;
  int32_t Write(const void* Buffer, int32_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override;
  void SetSize(int64_t NewSize) override;

  const String& FileName() const { return FFileName; }
  int Handle() const { return FHandle; }

private:
  String FFileName;
  int FHandle = -1;
};

// The largest memory stream: what a Longint position can address.
constexpr int64_t MaxMemoryStreamSize = 0x7FFFFFFF;

class TMemoryStream : public TStream {
public:
  TMemoryStream();
  ~TMemoryStream() override;
  String ClassName() const override;

  int32_t Read(void* Buffer, int32_t Count) override;
  // Writing past the end grows the stream; a gap left by seeking beyond the
  // end reads as zero bytes.
  int32_t Write(const void* Buffer, int32_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override;
  // Raises EOutOfMemory beyond MaxMemoryStreamSize.
  void SetSize(int64_t NewSize) override;

  uint8_t* Memory() { return FData.data(); }
  const uint8_t* Memory() const { return FData.data(); }
  void Clear();
  // Replaces the content with the whole of Stream (from its beginning).
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream);
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

protected:
  int64_t StoredSize() const { return static_cast<int64_t>(FData.size()); }

private:
  std::vector<uint8_t> FData;
  int64_t FPosition = 0;
};

// A memory stream over a byte array.
class TBytesStream : public TMemoryStream {
public:
  explicit TBytesStream(const QByteArray& Bytes = QByteArray());
  String ClassName() const override;
  QByteArray Bytes() const;
};

// A memory stream over 8-bit (Windows-1252) text.
class TStringStream : public TMemoryStream {
public:
  explicit TStringStream(const String& Text = String());
  String ClassName() const override;
  String DataString() const;
};
