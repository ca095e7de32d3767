// The trace ring and the dispatch log of TSioBaseDispatcher.
#include "serial/SioBaseDispatcher.h"

#include "rtl/DateTime.h"
#include "rtl/Files.h"
#include "rtl/FormatSettings.h"
#include "rtl/Numbers.h"
#include "rtl/Strings.h"
#include "rtl/TextFile.h"
#include "serial/IOQueue.h"
#include "serial/SectionLock.h"
#include "serial/SioErrors.h"

#include <QtGlobal>

#include <algorithm>
#include <iterator>
#include <new>
#include <sys/utsname.h>

namespace {

constexpr uint32_t MaxTraceEntries = 4000000;
// What an entry costs beyond its bytes: type, subtype, time and data.
constexpr uint64_t LogEntryOverhead = 16;

} // namespace

// ------------------------------------------------------------ trace

int32_t TSioBaseDispatcher::InitTracing(uint32_t NumEntries)
{
  TSectionLock L(*DataSection);
  if (TraceQueue) {
    ClearTracing();
  } else {
    // An empty ring would have no slot for the first entry.
    if (NumEntries == 0 || NumEntries > MaxTraceEntries)
      return ecBadArgument;
    TraceQueue.reset(new (std::nothrow) uint8_t[size_t(NumEntries) * 2]());
    if (!TraceQueue)
      return ecOutOfMemory;
    TraceMax = NumEntries;
    TraceIndex = 0;
    TraceWrapped = false;
  }
  TracingOn = true;
  return ecOK;
}

void TSioBaseDispatcher::StartTracing()
{
  TSectionLock L(*DataSection);
  if (TraceQueue)
    TracingOn = true;
}

void TSioBaseDispatcher::StopTracing()
{
  TSectionLock L(*DataSection);
  TracingOn = false;
}

int32_t TSioBaseDispatcher::ClearTracing()
{
  TSectionLock L(*DataSection);
  TraceIndex = 0;
  TraceWrapped = false;
  return ecOK;
}

void TSioBaseDispatcher::AbortTracing()
{
  TSectionLock L(*DataSection);
  TracingOn = false;
  TraceQueue.reset();
  TraceMax = 0;
  TraceIndex = 0;
  TraceWrapped = false;
}

void TSioBaseDispatcher::AddTraceEntry(char CurEntry, char CurCh)
{
  TSectionLock L(*DataSection);
  if (!TraceQueue || TraceMax == 0)
    return;
  TraceQueue[size_t(TraceIndex) * 2] = static_cast<uint8_t>(CurEntry);
  TraceQueue[size_t(TraceIndex) * 2 + 1] = static_cast<uint8_t>(CurCh);
  if (++TraceIndex >= TraceMax) {
    TraceIndex = 0;
    TraceWrapped = true;
  }
}

void TSioBaseDispatcher::TraceBytes(char Kind, const char* Bytes, uint32_t Len)
{
  TSectionLock L(*DataSection);
  for (uint32_t I = 0; I < Len; ++I)
    AddTraceEntry(Kind, Bytes[I]);
}

// ------------------------------------------------------------ dispatch log

void TSioBaseDispatcher::InitDispatchLogging(uint32_t QueueSize)
{
  TSectionLock L(*LogSection);
  while (DLoggingQueue->Pop()) {
  }
  DLoggingWeight = 0;
  DLoggingMax = QueueSize;
  DLoggingOn = true;
}

void TSioBaseDispatcher::StartDispatchLogging() { DLoggingOn = true; }

void TSioBaseDispatcher::StopDispatchLogging() { DLoggingOn = false; }

void TSioBaseDispatcher::ClearDispatchLogging()
{
  TSectionLock L(*LogSection);
  while (DLoggingQueue->Pop()) {
  }
  DLoggingWeight = 0;
}

void TSioBaseDispatcher::AbortDispatchLogging()
{
  DLoggingOn = false;
  ClearDispatchLogging();
}

void TSioBaseDispatcher::AddDispatchEntry(TDispatchType DT, TDispatchSubType DST, uint32_t Data, const void* Buffer,
                                          uint32_t BufferLen)
{
  if (!DLoggingOn)
    return;
  TSectionLock L(*LogSection);
  // The limit is tested before the append, so the log may exceed it by one
  // entry.
  while (DLoggingMax > 0 && DLoggingWeight > DLoggingMax) {
    std::unique_ptr<TIOBuffer> Oldest = DLoggingQueue->Pop();
    if (!Oldest)
      break;
    DLoggingWeight -= uint64_t(Oldest->FDataSize) + LogEntryOverhead;
  }
  auto Entry = std::make_unique<TLogBuffer>(DT, DST, GetDispatchTime(), Data, Buffer, Buffer ? BufferLen : 0);
  DLoggingWeight += uint64_t(Entry->FDataSize) + LogEntryOverhead;
  DLoggingQueue->Push(std::move(Entry));
}

void TSioBaseDispatcher::AddStringToLog(const AnsiString& S)
{
  if (DLoggingOn)
    AddDispatchEntry(dtUser, dstNone, 0, S.constData(), static_cast<uint32_t>(S.size()));
}

uint32_t TSioBaseDispatcher::GetDispatchTime() const { return SioTimeGetTime() - TimeBase; }

// ------------------------------------------------------------ dumps

namespace {

constexpr int32_t DumpLineWidth = 78;
constexpr int32_t LogFieldsWidth = 44;
constexpr int32_t MaxHeaderText = 80;

// One byte as the dumps show it, and how many characters that takes.
String ByteItem(uint8_t B, bool InHex, bool AllHex, int32_t& Width)
{
  if (AllHex) {
    Width = 4;
    return QLatin1Char('[') + IntToHex(B, 2) + QLatin1Char(']');
  }
  const uint8_t Low = InHex ? '!' : ' ';
  if (B < Low || B > '~') {
    if (InHex) {
      Width = 4;
      return QLatin1Char('[') + IntToHex(B, 2) + QLatin1Char(']');
    }
    Width = B < 10 ? 3 : B < 100 ? 4 : 5;
    return QStringLiteral("[%1]").arg(B);
  }
  Width = 1;
  return QString(QLatin1Char(char(B)));
}

// A text file opened for a dump, its I/O errors kept rather than raised.
class TDumpFile {
public:
  TDumpFile(const String& Name, bool AppendToFile)
  {
    SetIOChecks(F, false);
    AssignFile(F, Name);
    if (AppendToFile && FileExists(Name))
      Append(F);
    else
      Rewrite(F);
    Error = IOResult();
  }
  ~TDumpFile()
  {
    if (F.IsOpen()) {
      CloseFile(F);
      IOResult();
    }
  }
  TDumpFile(const TDumpFile&) = delete;
  TDumpFile& operator=(const TDumpFile&) = delete;

  void Put(const String& S)
  {
    Write(F, S);
    Keep();
  }
  void Line(const String& S = String())
  {
    Writeln(F, S);
    Keep();
  }
  // Closes the file; 0 or minus the first I/O error met.
  int32_t Close()
  {
    CloseFile(F);
    Keep();
    return -Error;
  }

  int32_t Error = 0;

private:
  void Keep()
  {
    const int32_t E = IOResult();
    if (Error == 0)
      Error = E;
  }
  TextFile F;
};

String SystemDescription()
{
  utsname U{};
  if (uname(&U) != 0)
    return QStringLiteral("Unknown");
  return QStringLiteral("%1 %2 %3")
      .arg(QString::fromLocal8Bit(U.sysname), QString::fromLocal8Bit(U.release), QString::fromLocal8Bit(U.machine));
}

String CompilerDescription()
{
#if defined(__clang__)
  const String Compiler =
      QStringLiteral("Clang %1.%2.%3").arg(__clang_major__).arg(__clang_minor__).arg(__clang_patchlevel__);
#elif defined(__GNUC__)
  const String Compiler = QStringLiteral("GCC %1.%2.%3").arg(__GNUC__).arg(__GNUC_MINOR__).arg(__GNUC_PATCHLEVEL__);
#else
  const String Compiler = QStringLiteral("C++");
#endif
  return QStringLiteral("%1, C++20, Qt %2").arg(Compiler, QString::fromLatin1(QT_VERSION_STR));
}

String StatusKindText(uint8_t Kind)
{
  static const char* const Texts[] = {"(Not active)",         "(Modem status)",       "(Line status)",
                                      "(Output buffer free)", "(Output buffer used)", "(Output sent)"};
  return Kind < std::size(Texts) ? QString::fromLatin1(Texts[Kind]) : QString();
}

} // namespace

int32_t TSioBaseDispatcher::DumpTrace(const String& FName, bool InHex, bool AllHex)
{
  return WriteTrace(FName, InHex, AllHex, false);
}

int32_t TSioBaseDispatcher::AppendTrace(const String& FName, bool InHex, bool AllHex)
{
  return WriteTrace(FName, InHex, AllHex, true);
}

int32_t TSioBaseDispatcher::WriteTrace(const String& FName, bool InHex, bool AllHex, bool AppendToFile)
{
  TSectionLock L(*DataSection);
  if (!TraceQueue)
    return ecOK;
  const uint32_t Oldest = TraceWrapped ? TraceIndex : 0;
  const uint32_t Count = TraceWrapped ? TraceMax : TraceIndex;
  if (Count == 0)
    return ecOK;
  TDumpFile File(FName, AppendToFile);
  if (File.Error != 0) {
    AbortTracing();
    return -File.Error;
  }
  int32_t Column = 0;
  uint8_t Previous = 0;
  for (uint32_t K = 0; K < Count; ++K) {
    const size_t At = size_t((Oldest + K) % TraceMax) * 2;
    const uint8_t Kind = TraceQueue[At];
    const uint8_t B = TraceQueue[At + 1];
    if (K == 0 || Kind != Previous) {
      if (K != 0) {
        File.Line();
        File.Line();
        Column = 0;
      }
      if (Kind == 'R')
        File.Line(QStringLiteral("Receive: "));
      else if (Kind == 'T')
        File.Line(QStringLiteral("Transmit: "));
      else
        File.Line(QStringLiteral("Special-%1: ").arg(FromAnsi(AnsiString(1, char(Kind)))));
      Previous = Kind;
    }
    int32_t Width = 0;
    const String Item = ByteItem(B, InHex, AllHex, Width);
    Column += Width;
    if (Column > DumpLineWidth) {
      File.Line();
      Column = Width;
    }
    File.Put(Item);
  }
  const int32_t Result = File.Close();
  // Emptied and on again, with the same size.
  const uint32_t Size = TraceMax;
  InitTracing(Size);
  return Result;
}

int32_t TSioBaseDispatcher::DumpDispatchLog(const String& FName, bool InHex, bool AllHex)
{
  return WriteDispatchLog(FName, InHex, AllHex, false);
}

int32_t TSioBaseDispatcher::AppendDispatchLog(const String& FName, bool InHex, bool AllHex)
{
  return WriteDispatchLog(FName, InHex, AllHex, true);
}

int32_t TSioBaseDispatcher::DispatchLogCount() const { return DLoggingQueue->Count(); }

int32_t TSioBaseDispatcher::WriteDispatchLog(const String& FName, bool InHex, bool AllHex, bool AppendToFile)
{
  if (DLoggingQueue->Count() == 0)
    return ecOK;
  TDumpFile File(FName, AppendToFile);
  if (File.Error != 0)
    return -File.Error;

  TFormatSettings Stamp = FormatSettings;
  Stamp.DateSeparator = QLatin1Char('/');
  Stamp.TimeSeparator = QLatin1Char(':');
  File.Line(QStringLiteral("TELV v5.00"));
  File.Line(QStringLiteral("Compiler : ") + CompilerDescription());
  File.Line(QStringLiteral("Operating System : ") + SystemDescription().left(MaxHeaderText));
  File.Line(QStringLiteral("Device: ") + DeviceName);
  File.Line(QStringLiteral("Date/time: ") +
            FormatDateTime(QStringLiteral("dd/mm/yy, hh:nn:ss"), Now(), Stamp).left(MaxHeaderText));
  File.Line(MessageNumberToString(LogColumnHeadingCode));
  File.Line(MessageNumberToString(LogColumnRuleCode));

  const String Indent(LogFieldsWidth, QLatin1Char(' '));
  for (;;) {
    // One entry at a time: logging goes on meanwhile, and what is added
    // during the dump may be written by it.
    std::unique_ptr<TIOBuffer> Popped;
    {
      TSectionLock L(*LogSection);
      Popped = DLoggingQueue->Pop();
      if (Popped)
        DLoggingWeight -= std::min<uint64_t>(DLoggingWeight, uint64_t(Popped->FDataSize) + LogEntryOverhead);
    }
    if (!Popped)
      break;
    const auto* E = dynamic_cast<const TLogBuffer*>(Popped.get());
    if (!E)
      continue;
    String Time = QString::number(E->drTime()).rightJustified(7, QLatin1Char('0'));
    Time.insert(Time.size() - 3, QLatin1Char('.'));
    const String Type = MessageNumberToString(DispatchTypeNameBase + 1 + E->drType());
    const String Sub =
        E->drSubType() == dstNone ? String() : MessageNumberToString(DispatchSubTypeNameBase + E->drSubType());
    String Line = Time.rightJustified(8) + QStringLiteral("  ") + Type.leftJustified(8, QLatin1Char(' '), true) +
                  QStringLiteral("  ") + Sub.leftJustified(12, QLatin1Char(' '), true) + QStringLiteral("  ") +
                  IntToHex(E->drData(), 8) + QStringLiteral("  ");
    File.Put(Line);
    const uint32_t Bytes = E->drMoreData();
    if (Bytes > 0) {
      const bool StatusKind =
          (E->drType() == dtTriggerAlloc || E->drType() == dtTriggerDispose) && E->drSubType() == dstStatusTrigger;
      if (StatusKind && Bytes == 1 && !StatusKindText(E->drBuffer()[0]).isEmpty()) {
        File.Put(StatusKindText(E->drBuffer()[0]));
      } else {
        int32_t Column = LogFieldsWidth + 1;
        for (uint32_t I = 0; I < Bytes; ++I) {
          const uint8_t B = E->drBuffer()[I];
          int32_t Width = 1;
          const String Item =
              (AllHex && E->drType() == dtUser) ? FromAnsi(AnsiString(1, char(B))) : ByteItem(B, InHex, AllHex, Width);
          Column += Width;
          if (Column > DumpLineWidth) {
            File.Line();
            File.Put(Indent);
            Column = Width + LogFieldsWidth + 1;
          }
          File.Put(Item);
        }
      }
      if (E->drSubType() == dstModemStatus) {
        String Names;
        for (int32_t Bit = 0; Bit < 8; ++Bit)
          if (E->drData() & (1u << Bit))
            Names += MessageNumberToString(ModemBitNameBase + Bit);
        File.Put(QStringLiteral(" (") + Names.trimmed() + QStringLiteral(")"));
      }
    } else if (E->drType() == dtTelnet) {
      const String Option =
          E->drData() <= 42 ? MessageNumberToString(TelnetOptionNameBase + int32_t(E->drData())) : String();
      File.Put(QStringLiteral(" [") + Option + QStringLiteral("]"));
    }
    File.Line();
  }
  return File.Close();
}
