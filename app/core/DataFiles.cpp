#include "app/core/DataFiles.h"

#include "app/core/CoreData.h"
#include "app/core/calculations.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/Files.h"
#include "rtl/Numbers.h"
#include "rtl/ScopeGuard.h"
#include "rtl/Strings.h"

#include <QtGlobal>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr int32_t BinCount = TDepthBins::BinCount;

const String Tab = QStringLiteral("\t");
const String DepthHeading = QStringLiteral("Depth, m");

// An SVA value is summed over all bins on every sample; each value is held
// below this so that the sum of a whole table stays finite.
const double MaxSVAValue = std::numeric_limits<double>::max() / BinCount;

// Blank lines after the last bin (an editor's final newline) are accepted;
// anything more means the file is not an SVA table of this program.
constexpr int32_t MaxTrailingBlankLines = 16;

// Flush and close, for clean-up after a failure or at shutdown: an error here
// is returned as text, never raised.
String CloseQuietly(TextFile& F)
{
  if (!F.IsOpen())
    return {};
  String Problem;
  try {
    Flush(F);
  } catch (const EInOutError& E) {
    Problem = F.FileName() + QStringLiteral(": ") + E.Message();
  }
  try {
    CloseFile(F);
  } catch (const EInOutError& E) {
    if (Problem.isEmpty())
      Problem = F.FileName() + QStringLiteral(": ") + E.Message();
  }
  return Problem;
}

struct TSVATable {
  std::vector<int32_t> Depth = std::vector<int32_t>(BinCount);
  std::vector<double> Value = std::vector<double>(BinCount);
};

// Reads a whole SVA table from the open file F into Out. False with the
// reason when the file is not a table of exactly BinCount "depth TAB value"
// lines after its header.
bool ReadSVATable(TextFile& F, TSVATable& Out, String& Problem)
{
  if (Eof(F)) {
    Problem = QStringLiteral("the file is empty");
    return false;
  }
  Readln(F); // the header, whatever it says
  String Line;
  for (int32_t Bin = 1; Bin <= BinCount; ++Bin) {
    const int32_t LineNo = Bin + 1;
    if (Eof(F)) {
      Problem = Format("the file ends after %d of %d bins", {Bin - 1, BinCount});
      return false;
    }
    Readln(F, Line);
    const qsizetype At = Line.indexOf(u'\t');
    if (At < 0) {
      Problem = Format("line %d has no TAB", {LineNo});
      return false;
    }
    const String DepthText = Line.left(At);
    const String ValueText = Line.mid(At + 1);
    int32_t Depth = 0;
    if (!TryStrToInt(DepthText, Depth)) {
      Problem = Format("line %d: depth %s is not a whole number", {LineNo, QuotedExcerpt(DepthText)});
      return false;
    }
    double Value = 0;
    if (!TryStrToFloat(ValueText, Value)) {
      Problem = Format("line %d: SVA value %s is not a number", {LineNo, QuotedExcerpt(ValueText)});
      return false;
    }
    if (std::fabs(Value) > MaxSVAValue) {
      Problem = Format("line %d: SVA value %s is out of range", {LineNo, QuotedExcerpt(ValueText)});
      return false;
    }
    Out.Depth[static_cast<size_t>(Bin - 1)] = Depth;
    Out.Value[static_cast<size_t>(Bin - 1)] = Value;
  }
  for (int32_t Extra = 0; !Eof(F); ++Extra) {
    Readln(F, Line);
    if (!Line.trimmed().isEmpty() || Extra >= MaxTrailingBlankLines) {
      Problem = Format("more than %d bins (line %d)", {BinCount, BinCount + 2 + Extra});
      return false;
    }
  }
  return true;
}

} // namespace

TDataFilesHost::~TDataFilesHost() = default;

// ---------------------------------------------------------------------------
// Names, lines and status texts

String InvalidDataFormat(const String& Detail)
{
  return QString::fromLatin1(InvalidDataFormatText) + QStringLiteral(": ") + Detail;
}

String QuotedExcerpt(const String& S)
{
  constexpr int32_t MaxLength = 24;
  if (S.size() <= MaxLength)
    return QuotedStr(S);
  return QuotedStr(Copy(S, 1, MaxLength) + QStringLiteral("..."));
}

String DepthFileName(const String& DataFileName)
{
  const String Ext = QStringLiteral(".bdd");
  const String Name = ChangeFileExt(DataFileName, Ext);
  if (Name == DataFileName)
    return DataFileName + Ext;
  return Name;
}

String DefaultDataFileName(uint16_t Year, uint16_t Month, uint16_t Day, const String& SerialNo)
{
  String Serial = SerialNo.left(MaxSerialInFileName);
  for (QChar& C : Serial)
    if (C == PathDelim || C.unicode() < 0x20 || C.unicode() == 0x7F)
      C = u'_';
  return IntToStr(Year) + IntToStr(Month) + IntToStr(Day) + QStringLiteral("_") + Serial + QStringLiteral(".btd");
}

String TimeSeriesHeader(const TCoreData& Core)
{
  String S = QStringLiteral("Date\tTime");
  for (const String& Name : Core.SensorName)
    S += Tab + Name;
  return S;
}

String DepthFileHeader(const TCoreData& Core)
{
  String S = DepthHeading;
  for (const String& Name : Core.SensorName)
    S += Tab + Name;
  return S;
}

String TimeSeriesLine(const TCoreData& Core, TDateTime Stamp)
{
  String S = FormatDateTime(Core.Locale_Format.ShortDateFormat, Stamp, Core.Locale_Format) + Tab +
             FormatDateTime(Core.Locale_Format.LongTimeFormat, Stamp, Core.Locale_Format) + Tab;
  for (int32_t N = 0; N < Core.SensorCount; ++N)
    S += Core.Value(2 * N + 1) + Tab;
  return S;
}

void RaiseDataFileError(const String& FileName, const EInOutError& E)
{
  throw EInOutError(FileName + QStringLiteral(": ") + E.Message(), E.ErrorCode);
}

// ---------------------------------------------------------------------------
// Recording

TDataFiles::TDataFiles(TCoreData& Core, TDataFilesHost& Host) : FCore(Core), FHost(Host)
{
  // Whatever the process-wide setting, a failed write here must raise:
  // every caller below depends on it to notice lost data.
  SetIOChecks(TimeFile, true);
  SetIOChecks(DepthFile, true);
  SetIOChecks(SVAFile, true);
  FCore.Hooks.SaveTimeData = [this] { SaveTimeData(); };
}

TDataFiles::~TDataFiles()
{
  FCore.Hooks.SaveTimeData = nullptr;
  // A window torn down without its shutdown call still leaves a complete
  // recording behind.
  CloseDataFiles();
}

String TDataFiles::FileSaveData1BeforeExecute()
{
  DecodeDate(Date(), File_Year, File_Month, File_Day);
  return DefaultDataFileName(File_Year, File_Month, File_Day, FCore.serial_no);
}

void TDataFiles::FileSaveData1Accept(const String& FileName)
{
  FHost.SetWaitCursor(true);
  const auto Cursor = ScopeExit([this] { FHost.SetWaitCursor(false); });
  FHost.SetActionEnabled(TDataFileAction::Action1, true);
  FHost.SetActionEnabled(TDataFileAction::FileSaveData1, false);
  FHost.SetActionEnabled(TDataFileAction::FileOpen1, false);
  FHost.SetActionEnabled(TDataFileAction::RealTimeDisplay1, false);
  try {
    SaveDataFile(FileName);
  } catch (...) {
    // Nothing records: the actions must not offer to stop a recording.
    SwitchToNotRecording();
    throw;
  }
}

void TDataFiles::SaveDataFile(const String& FileName)
{
  if (FSave_Data_Flag == 1) {
    const String Problem = FinishRecording();
    if (!Problem.isEmpty())
      FHost.SetStatusText(0, Problem);
  }
  const String DepthName = DepthFileName(FileName);
  String Current = FileName;
  try {
    FRecordedHeader = TimeSeriesHeader(FCore);
    AssignFile(TimeFile, FileName);
    Rewrite(TimeFile);
    Writeln(TimeFile, FRecordedHeader);
    Flush(TimeFile);
    Current = DepthName;
    AssignFile(DepthFile, DepthName);
    Rewrite(DepthFile);
    Flush(DepthFile);
  } catch (const EInOutError& E) {
    CloseQuietly(TimeFile);
    CloseQuietly(DepthFile);
    RaiseDataFileError(Current, E);
  }
  FDepthWritten = Now();
  FSave_Data_Flag = 1;
}

void TDataFiles::SaveTimeData()
{
  if (FSave_Data_Flag == 1 && TimeSeriesHeader(FCore) != FRecordedHeader) {
    // A settings load changed the fitted sensors: from here on the columns
    // would mean other sensors than the header names, and a replay would
    // file the values under the wrong names.
    String Text = QStringLiteral("Recording stopped: the fitted sensors changed; ") + TimeFile.FileName() +
                  QStringLiteral(" keeps the samples before the change");
    const String Problem = FinishRecording();
    if (!Problem.isEmpty())
      Text += QStringLiteral("; ") + Problem;
    SwitchToNotRecording();
    FHost.SetStatusText(0, Text);
  }
  if (FSave_Data_Flag == 1) {
    const TDateTime Stamp = Now();
    try {
      Append(TimeFile);
      Writeln(TimeFile, TimeSeriesLine(FCore, Stamp));
      Flush(TimeFile);
      // The depth tables live in memory until the recording stops; a crash
      // or a kill would take all of them with it.
      if (SecondsBetween(Stamp, FDepthWritten) >= DepthCheckpointSeconds) {
        FDepthWritten = Stamp;
        try {
          SaveDepthData();
        } catch (const EInOutError& E) {
          FHost.SetStatusText(0, QStringLiteral("Depth file not written: ") + E.Message());
        }
      }
    } catch (const EInOutError& E) {
      // Every further sample would fail the same way; carrying on would
      // only look like a recording. Stop it and keep what can be kept.
      String Text = QStringLiteral("Recording stopped: ") + TimeFile.FileName() + QStringLiteral(": ") + E.Message();
      const String Problem = FinishRecording();
      if (!Problem.isEmpty())
        Text += QStringLiteral("; ") + Problem;
      SwitchToNotRecording();
      FHost.SetStatusText(0, Text);
    }
  }
  if (FCore.Hooks.ProcessMessages)
    FCore.Hooks.ProcessMessages();
}

bool TDataFiles::Action1Execute()
{
  if (FSave_Data_Flag != 1)
    return true;
  const String Problem = FinishRecording();
  SwitchToNotRecording();
  if (!Problem.isEmpty())
    FHost.SetStatusText(0, Problem);
  return Problem.isEmpty();
}

String TDataFiles::FinishRecording()
{
  String Problem;
  try {
    SaveDepthData();
  } catch (const EInOutError& E) {
    Problem = QStringLiteral("Depth file not written: ") + E.Message();
  }
  FSave_Data_Flag = 0;
  for (TextFile* F : {&TimeFile, &DepthFile}) {
    const String Closing = CloseQuietly(*F);
    if (Problem.isEmpty() && !Closing.isEmpty())
      Problem = QStringLiteral("Data file not closed cleanly: ") + Closing;
  }
  return Problem;
}

void TDataFiles::SaveDepthData()
{
  if (FSave_Data_Flag != 1)
    return;
  // The whole file is made before the old one is emptied: a crash in
  // between leaves as little as possible half written.
  const String LineEnd = QStringLiteral("\r\n");
  String Text = DepthFileHeader(FCore) + LineEnd;
  // The fitted slots in slot order, with their masks; fitting order is slot
  // order, so the columns line up with the header's names.
  std::vector<int32_t> Slots;
  std::vector<String> Masks;
  for (int32_t Slot = 0; Slot < SlotCount; ++Slot) {
    const int32_t Index = FCore.SlotIndex(Slot);
    if (Index >= 1) {
      Slots.push_back(Slot);
      Masks.push_back(static_cast<size_t>(Index) < FCore.DataFormatArray.size()
                          ? FCore.DataFormatArray[static_cast<size_t>(Index)]
                          : String());
    }
  }
  for (int32_t Bin = 1; Bin <= BinCount; ++Bin) {
    Text += IntToStr(FCore.Bins.TableDepthArray(Bin)) + Tab;
    for (size_t I = 0; I < Slots.size(); ++I)
      Text += FormatFloat(Masks[I], FCore.DepthTables.Value(Slots[I], Bin)) + Tab;
    Text += LineEnd;
  }
  try {
    Rewrite(DepthFile);
    Write(DepthFile, Text);
    Flush(DepthFile);
  } catch (const EInOutError& E) {
    RaiseDataFileError(DepthFile.FileName(), E);
  }
}

bool TDataFiles::CloseDataFiles()
{
  bool Ok = true;
  if (FSave_Data_Flag == 1) {
    const String Problem = FinishRecording();
    if (!Problem.isEmpty()) {
      qWarning("Recording not finished cleanly at shutdown: %s", qUtf8Printable(Problem));
      Ok = false;
    }
  }
  for (TextFile* F : {&TimeFile, &DepthFile, &SVAFile}) {
    const String Problem = CloseQuietly(*F);
    if (!Problem.isEmpty()) {
      qWarning("Data file not closed cleanly at shutdown: %s", qUtf8Printable(Problem));
      Ok = false;
    }
  }
  return Ok;
}

void TDataFiles::SwitchToNotRecording()
{
  FHost.SetActionEnabled(TDataFileAction::FileSaveData1, true);
  FHost.SetActionEnabled(TDataFileAction::Action1, false);
  FHost.SetActionEnabled(TDataFileAction::FileOpen1, true);
  FHost.SetActionEnabled(TDataFileAction::RealTimeDisplay1, false);
}

// ---------------------------------------------------------------------------
// SVA tables

void TDataFiles::FileSaveSVA1Accept(const String& FileName)
{
  // The table written over the recording would be cut by its next sample
  // line, or over its depth file replaced when it stops: both lost.
  if (FSave_Data_Flag == 1) {
    const String Target = ExpandFileName(FileName);
    for (const TextFile* F : {&TimeFile, &DepthFile})
      if (Target == ExpandFileName(F->FileName()))
        throw EInOutError(FileName + QStringLiteral(": the file is being recorded"), 5);
  }
  FHost.SetWaitCursor(true);
  FHost.SetActionEnabled(TDataFileAction::FileSaveSVA1, false);
  try {
    AssignFile(SVAFile, FileName);
    Rewrite(SVAFile);
    HeaderString = DepthHeading + Tab + QStringLiteral("SVA");
    Writeln(SVAFile, HeaderString);
    Flush(SVAFile);
    for (int32_t Bin = 1; Bin <= BinCount; ++Bin)
      Writeln(SVAFile, IntToStr(FCore.Bins.TableDepthArray(Bin)) + Tab + FloatToStr(FCore.Bins.IntSVAArray(Bin)));
    Flush(SVAFile);
    CloseFile(SVAFile);
  } catch (const EInOutError& E) {
    CloseQuietly(SVAFile);
    FHost.SetActionEnabled(TDataFileAction::FileSaveSVA1, true);
    FHost.SetWaitCursor(false);
    RaiseDataFileError(FileName, E);
  }
  FHost.SetActionEnabled(TDataFileAction::FileSaveSVA1, true);
  FHost.SetWaitCursor(false);
}

bool TDataFiles::FileOpenSVA1Accept(const String& FileName)
{
  FHost.SetActionEnabled(TDataFileAction::FileOpenSVA1, false);
  TSVATable Table;
  String Problem;
  bool Ok = false;
  try {
    AssignFile(SVAFile, FileName);
    FHost.SetStatusText(1, FileName);
    Reset(SVAFile);
    // Into a copy first: the depth calculation sums these bins on every
    // sample, so a table half replaced by a bad file would give depths from
    // two tables with nothing to show for it.
    Ok = ReadSVATable(SVAFile, Table, Problem);
    CloseFile(SVAFile);
  } catch (const EInOutError& E) {
    CloseQuietly(SVAFile);
    FHost.SetActionEnabled(TDataFileAction::FileOpenSVA1, true);
    RaiseDataFileError(FileName, E);
  }
  if (Ok) {
    for (int32_t Bin = 1; Bin <= BinCount; ++Bin) {
      FCore.Bins.SetTableDepthArray(Bin, Table.Depth[static_cast<size_t>(Bin - 1)]);
      FCore.Bins.SetIntSVAArray(Bin, Table.Value[static_cast<size_t>(Bin - 1)]);
    }
    FHost.SetStatusText(0, QString::fromLatin1(SVAFileLoadedText));
  } else {
    FHost.SetStatusText(0, InvalidDataFormat(Problem));
  }
  if (FCore.Hooks.ProcessMessages)
    FCore.Hooks.ProcessMessages();
  FHost.SetActionEnabled(TDataFileAction::FileOpenSVA1, true);
  return Ok;
}
