#include "app/core/DataReplay.h"

#include "app/core/CoreData.h"
#include "app/core/DataFiles.h"
#include "app/core/calculations.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "rtl/ScopeGuard.h"
#include "rtl/Strings.h"
#include "rtl/TextFile.h"

#include <vector>

namespace {

constexpr int32_t BinCount = TDepthBins::BinCount;

void Pump(TCoreData& Core)
{
  if (Core.Hooks.ProcessMessages)
    Core.Hooks.ProcessMessages();
}

// A line's fields from the front: a field is the text before the next TAB
// and is consumed with it; once no TAB is left every further field is
// empty. A sample line ends with a TAB, so a line cut short gives empty
// fields rather than a part of a number.
class TLineFields {
public:
  explicit TLineFields(const String& Line) : FLine(Line) {}
  String Next()
  {
    const int At = FPos > 0 ? Pos(QChar(u'\t'), FLine, FPos) : 0;
    if (At == 0) {
      FPos = 0;
      return {};
    }
    const String Field = Copy(FLine, FPos, At - FPos);
    FPos = At + 1;
    return Field;
  }

private:
  const String& FLine;
  int FPos = 1; // 1-based start of the rest; 0 once no TAB is left
};

// The header as this program writes it for the current sensors, read back
// through the ANSI code page as the file's own header is: a name with a
// character outside the code page still matches its own recording.
String ExpectedHeader(const String& Header) { return FromAnsi(ToAnsi(Header)); }

// Why the file's header Actual is not Expected: the first column that
// differs, or how many columns each has.
String HeaderMismatch(const String& What, const String& Actual, const String& Expected)
{
  if (Actual.isEmpty())
    return What + QStringLiteral(" is empty");
  const auto Columns = QStringView(Actual).tokenize(u'\t');
  auto A = Columns.begin();
  const auto AEnd = Columns.end();
  int32_t Column = 1;
  for (const QStringView E : QStringView(Expected).tokenize(u'\t')) {
    if (A == AEnd)
      break;
    if (*A != E)
      return Format("column %d of %s is %s where the fitted sensors have %s",
                    {Column, What, QuotedExcerpt((*A).toString()), QuotedExcerpt(E.toString())});
    ++A;
    ++Column;
  }
  return Format("%s has %d columns where the fitted sensors need %d",
                {What, static_cast<int32_t>(Actual.count(u'\t')) + 1, static_cast<int32_t>(Expected.count(u'\t')) + 1});
}

// The header line of FileName, which is opened and closed again; an I/O
// failure raises EInOutError naming the file.
String ReadHeader(const String& FileName)
{
  TextFile F;
  SetIOChecks(F, true);
  String Header;
  try {
    AssignFile(F, FileName);
    Reset(F);
    if (!Eof(F))
      Readln(F, Header);
    CloseFile(F);
  } catch (const EInOutError& E) {
    RaiseDataFileError(FileName, E);
  }
  return Header;
}

// The settings reload of the replay and of the way back: with the data reset
// or keeping the data. Reset_Data_Flag is 0 again whatever happens, or the
// next plain reload would wipe the data.
void ReloadSettings(TCoreData& Core, TDataFilesHost& Host, bool ResetData)
{
  Core.Reset_Data_Flag = ResetData ? 1 : 0;
  const auto Restore = ScopeExit([&] { Core.Reset_Data_Flag = 0; });
  Host.ReadIniFile();
}

// The fitted slots in slot order: the n-th is fitted sensor n.
std::vector<int32_t> FittedSlots(const TCoreData& Core)
{
  std::vector<int32_t> Slots;
  for (int32_t Slot = 0; Slot < SlotCount; ++Slot)
    if (Core.SlotIndex(Slot) >= 1)
      Slots.push_back(Slot);
  return Slots;
}

void ReadTimeSeries(TCoreData& Core, TDataFilesHost& Host, TextFile& F, const String& FileName)
{
  String Header;
  Readln(F, Header);
  const String Expected = ExpectedHeader(TimeSeriesHeader(Core));
  if (Header != Expected) {
    // The reload changed the fitted sensors after the file was checked.
    Host.SetStatusText(0, InvalidDataFormat(HeaderMismatch(FileName, Header, Expected)));
    return;
  }
  const std::vector<int32_t> Slots = FittedSlots(Core);
  TSampleHistory& History = Core.History;
  History.SetLength(Core.Maximum_View_Points);
  std::vector<String> Values(Slots.size());
  String Line;
  for (int32_t LineNo = 2; !Eof(F); ++LineNo) {
    Readln(F, Line);
    TLineFields Fields(Line);
    const String DateText = Fields.Next();
    const String TimeText = Fields.Next();
    TDateTime Day = 0;
    TDateTime TimeOfDay = 0;
    String Problem;
    if (!TryStrToDate(DateText, Day, Core.Locale_Format))
      Problem = Format("line %d: date %s is not valid", {LineNo, QuotedExcerpt(DateText)});
    else if (!TryStrToTime(TimeText, TimeOfDay, Core.Locale_Format))
      Problem = Format("line %d: time %s is not valid", {LineNo, QuotedExcerpt(TimeText)});
    for (size_t N = 0; Problem.isEmpty() && N < Slots.size(); ++N) {
      Values[N] = Fields.Next();
      if (Values[N].size() > MaxReplayFieldLength)
        Problem = Format("line %d: field %d is longer than %d characters",
                         {LineNo, static_cast<int32_t>(N) + 3, MaxReplayFieldLength});
    }
    if (!Problem.isEmpty()) {
      // The line is dropped; the next one takes its history slot.
      Host.SetStatusText(0, InvalidDataFormat(Problem));
      continue;
    }
    History.SetCurrentStamps(Day, TimeOfDay);
    for (size_t N = 0; N < Slots.size(); ++N)
      History.SetCurrentValue(Slots[N], Values[N]);
    History.Advance();
  }
}

void ReadDepthFile(TCoreData& Core, TDataFilesHost& Host, TextFile& F, const String& FileName)
{
  String Header;
  if (!Eof(F))
    Readln(F, Header);
  const String Expected = ExpectedHeader(DepthFileHeader(Core));
  if (Header != Expected) {
    // Also the depth file of a recording that never stopped: it is created
    // empty and written only when the recording ends.
    Host.SetStatusText(0, InvalidDataFormat(HeaderMismatch(FileName, Header, Expected)));
    return;
  }
  const std::vector<int32_t> Slots = FittedSlots(Core);
  std::vector<double> Values(Slots.size());
  String Line;
  for (int32_t Bin = 1; Bin <= BinCount; ++Bin) {
    const int32_t LineNo = Bin + 1;
    String Problem;
    if (Eof(F)) {
      Problem = Format("%s ends after %d of %d bins", {FileName, Bin - 1, BinCount});
    } else {
      Readln(F, Line);
      TLineFields Fields(Line);
      const String DepthText = Fields.Next();
      int32_t Depth = 0;
      if (!TryStrToInt(DepthText, Depth))
        Problem = Format("line %d: depth %s is not a whole number", {LineNo, QuotedExcerpt(DepthText)});
      for (size_t N = 0; Problem.isEmpty() && N < Slots.size(); ++N) {
        const String Text = Fields.Next();
        if (!TryStrToFloat(Text, Values[N]))
          Problem = Format("line %d: field %d %s is not a number",
                           {LineNo, static_cast<int32_t>(N) + 2, QuotedExcerpt(Text)});
      }
      if (Problem.isEmpty()) {
        // A whole line or nothing: the bins from the first bad line on keep
        // their cleared values.
        Core.Bins.SetTableDepthArray(Bin, Depth);
        for (size_t N = 0; N < Slots.size(); ++N)
          Core.DepthTables.SetValue(Slots[N], Bin, Values[N]);
        continue;
      }
    }
    Host.SetStatusText(0, InvalidDataFormat(Problem));
    return;
  }
}

} // namespace

bool FileOpen1Accept(TDataFiles& Files, const String& FileName)
{
  TCoreData& Core = Files.Core();
  TDataFilesHost& Host = Files.Host();

  // The file names its columns only by the sensors' labels and units; it
  // holds no slot numbers. Mapping its columns onto slots by name would
  // guess wherever a label is repeated, renamed or moved to another slot,
  // and put one instrument's values under another's name into the profile
  // charts, plausible and wrong. So a file is read only against the very
  // sensors it names, in their order, and any other is refused here, before
  // the live data are cleared; loading the user display the file was
  // recorded with makes it readable.
  {
    const String Expected = ExpectedHeader(TimeSeriesHeader(Core));
    const String Header = ReadHeader(FileName);
    if (Header != Expected) {
      Host.SetStatusText(0, InvalidDataFormat(HeaderMismatch(FileName, Header, Expected)));
      return false;
    }
  }

  Core.File_Replay_Flag = 1;
  Pump(Core);
  // A recording in progress is finished first: its depth file is written
  // from the depth tables, which the reload below clears.
  Files.Action1Execute();
  Core.History.SetTime_Array_Index(0);
  ReloadSettings(Core, Host, true);
  Host.SetActionEnabled(TDataFileAction::Action1, false);
  Host.SetActionEnabled(TDataFileAction::FileSaveData1, false);
  Host.SetActionEnabled(TDataFileAction::FileOpen1, false);
  Host.SetActionEnabled(TDataFileAction::RealTimeDisplay1, true);

  TextFile TimeFile;
  SetIOChecks(TimeFile, true);
  AssignFile(TimeFile, FileName);
  Host.SetStatusText(1, FileName);
  try {
    Reset(TimeFile);
    ReadTimeSeries(Core, Host, TimeFile, FileName);
    CloseFile(TimeFile);
  } catch (const EInOutError& E) {
    RaiseDataFileError(FileName, E);
  }
  Pump(Core);

  const String DepthName = DepthFileName(FileName);
  TextFile DepthFile;
  SetIOChecks(DepthFile, true);
  AssignFile(DepthFile, DepthName);
  try {
    Reset(DepthFile);
    ReadDepthFile(Core, Host, DepthFile, DepthName);
    CloseFile(DepthFile);
  } catch (const EInOutError& E) {
    RaiseDataFileError(DepthName, E);
  }
  Pump(Core);

  ReloadSettings(Core, Host, false);
  Host.UpdateDepthWindows();
  Pump(Core);
  return true;
}

void RealTime1Execute(TDataFiles& Files)
{
  TCoreData& Core = Files.Core();
  TDataFilesHost& Host = Files.Host();
  Core.File_Replay_Flag = 0;
  Core.History.SetTime_Array_Index(0);
  ReloadSettings(Core, Host, true);
  Host.SetActionEnabled(TDataFileAction::Action1, false);
  Host.SetActionEnabled(TDataFileAction::FileSaveData1, true);
  Host.SetActionEnabled(TDataFileAction::FileOpen1, true);
  Host.SetActionEnabled(TDataFileAction::RealTimeDisplay1, false);
  Host.SetStatusText(1, QStringLiteral("RealTime Data"));
  Pump(Core);
}
