#pragma once
// Pascal text files: a file variable is bound to a name with AssignFile,
// opened with Rewrite, Append or Reset, and closed with CloseFile. Text is
// 8-bit Windows-1252; Writeln ends lines with CR LF, Readln accepts CR LF,
// LF or CR.
//
// Failures raise EInOutError with the Pascal I/O result code: 2 file not
// found, 3 path not found, 4 too many open files, 5 access denied,
// 100 read beyond end of file, 101 disk full, 102 file not assigned,
// 103 file not open, 104 not open for input, 105 not open for output;
// other operating-system failures carry the matching platform code
// ("I/O error <n>"). With I/O checks off the failing operation returns
// normally and IOResult() hands out the code.
#include "rtl/Types.h"

class TextFile {
public:
  TextFile();
  ~TextFile(); // closes an open file, writing what is buffered
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  const String& FileName() const { return FName; }
  bool IsOpen() const { return FMode != Mode::Closed; }

private:
  enum class Mode : uint8_t { Closed, Input, Output };
  enum class Checks : uint8_t { Global, On, Off };

  String FName;
  bool FAssigned = false;
  Mode FMode = Mode::Closed;
  Checks FChecks = Checks::Global;
  int FHandle = -1;
  AnsiString FBuffer; // output waiting to be written, or input read ahead
  qsizetype FBufPos = 0;
  bool FAtEnd = false;

  friend struct TextFileAccess;
};

void AssignFile(TextFile& F, const String& FileName);
// Creates the file, emptying an existing one.
void Rewrite(TextFile& F);
// Opens an existing file for writing at its end; a missing file fails
// with code 2 (3 when its folder is missing).
void Append(TextFile& F);
// Opens an existing file for reading.
void Reset(TextFile& F);

// Reads up to the next line end and consumes it. At the end of the file S
// is empty. A line longer than MaxTextLineBytes keeps its first
// MaxTextLineBytes bytes; the rest of it is skipped.
void Readln(TextFile& F, String& S);
void Readln(TextFile& F);
bool Eof(TextFile& F);
constexpr qsizetype MaxTextLineBytes = 1024 * 1024;

void Write(TextFile& F, const String& S);
void Writeln(TextFile& F, const String& S);
void Writeln(TextFile& F);
// Hands the buffered bytes to the operating system: they survive the
// process being killed. Also fails when the file was removed while open.
void Flush(TextFile& F);
void CloseFile(TextFile& F);

// The last I/O result code of this thread (0 = none), which is then cleared.
int32_t IOResult();
// I/O checks for every file, and for one file (overriding the global one).
void SetIOChecks(bool On);
void SetIOChecks(TextFile& F, bool On);

// The Pascal message of an I/O result code.
String InOutErrorMessage(int32_t Code);
[[noreturn]] void RaiseInOutError(int32_t Code);
