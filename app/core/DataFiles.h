#pragma once
// The recording files of the acquisition core, plain text with TAB-separated
// fields and CR LF line ends, in the ANSI code page:
//   - the time-series file (.btd): a header, then one line per sample,
//     written and handed to the operating system while the sample is
//     processed, so that a crash or a kill loses no processed sample and
//     never leaves half a line;
//   - the depth file (.bdd): created empty when recording starts, written
//     whole (header and 6000 bins) when it stops, also when the program
//     closes during a recording, and rewritten from the depth tables as
//     they stand once every DepthCheckpointSeconds of recording, so that a
//     crash or a kill costs at most that much of the depth tables;
//   - the SVA table file (.sva): the bin depths and the geopotential anomaly
//     of every bin, saved and loaded on demand.
// The main window owns one TDataFiles next to its TCoreData, calls its
// action handlers with the file names its dialogs return, and implements
// TDataFilesHost for what these steps change on the window.
//
// Failures: the handlers of commands the operator starts (start recording,
// save or load an SVA table, open a data file) raise EInOutError naming the
// file, after putting the actions and the cursor back as they were; the
// window's exception handler shows it. Stopping a recording, writing a
// sample line and the shutdown call never raise: they always finish
// closing, and report what could not be written as a status text.
#include "rtl/TextFile.h"
#include "rtl/Types.h"

#include <cstdint>

class EInOutError;
class TCoreData;

// The window's actions and menu items that the data-file commands switch.
enum class TDataFileAction : int32_t {
  FileOpen1,        // "Open Data File"
  FileSaveData1,    // "Save Data File"
  Action1,          // "Stop Saving Data File"
  RealTimeDisplay1, // the menu item of "RealTime Display"
  FileOpenSVA1,     // "Open SVA File"
  FileSaveSVA1,     // "Save SVA File Now"
};

// What the data-file commands need of the main window.
class TDataFilesHost {
public:
  virtual ~TDataFilesHost();
  virtual void SetActionEnabled(TDataFileAction Action, bool Enabled) = 0;
  // Panel 0: the outcome of a file command (or of the instrument dialogue);
  // panel 1: the file being read, or the replay / real-time mode.
  virtual void SetStatusText(int32_t Panel, const String& Text) = 0;
  virtual void SetWaitCursor(bool Wait) = 0;
  // The settings load (with the data reset when the core's Reset_Data_Flag
  // is 1), re-binding the ports and packets.
  virtual void ReadIniFile() = 0;
  // DataUpdate of every open depth-profile chart and depth-table window,
  // the MDI children walked from the last to the first.
  virtual void UpdateDepthWindows() = 0;
};

// Status texts.
inline constexpr char InvalidDataFormatText[] = "Invalid Data Format";
inline constexpr char SVAFileLoadedText[] = "SVA File Loaded";

// "Invalid Data Format: " and Detail, the status text of a file that is not
// what it should be.
String InvalidDataFormat(const String& Detail);
// S in quotes for a status text, cut short: the status panel is narrow and
// the text may come from a file that holds anything.
String QuotedExcerpt(const String& S);

// The name of the depth file that belongs to a time-series file: only the
// extension changes to ".bdd" ("/data/run.1/a.btd" gives "/data/run.1/a.bdd").
// A name that already ends in ".bdd" gets ".bdd" appended, so that the depth
// file can never overwrite the recording it belongs to.
String DepthFileName(const String& DataFileName);

// The default time-series name: year, month and day without leading zeros,
// "_", the instrument serial number, ".btd" (2023-04-13 and "0" give
// "2023413_0.btd"). The serial number comes from the instrument; characters
// that would make it a path or a control sequence become "_", and it is cut
// to MaxSerialInFileName characters.
constexpr int32_t MaxSerialInFileName = 32;
String DefaultDataFileName(uint16_t Year, uint16_t Month, uint16_t Day, const String& SerialNo);

// Header lines (without the line end) for the core's fitted sensors.
String TimeSeriesHeader(const TCoreData& Core);
String DepthFileHeader(const TCoreData& Core);
// One sample line of the time-series file (without the line end): Stamp's
// date and time in the core's Locale_Format, then every fitted sensor's
// value text followed by a TAB.
String TimeSeriesLine(const TCoreData& Core, TDateTime Stamp);

// How often, in seconds of the clock the sample lines are stamped with, a
// recording rewrites its depth file.
constexpr int32_t DepthCheckpointSeconds = 60;

// E again, its message led by the file it concerns.
[[noreturn]] void RaiseDataFileError(const String& FileName, const EInOutError& E);

class TDataFiles {
public:
  // Plugs SaveTimeData into Core.Hooks.SaveTimeData; the destructor takes it
  // out again and finishes a recording in progress as CloseDataFiles does.
  // Both objects must outlive this one.
  TDataFiles(TCoreData& Core, TDataFilesHost& Host);
  ~TDataFiles();
  TDataFiles(const TDataFiles&) = delete;
  TDataFiles& operator=(const TDataFiles&) = delete;

  TCoreData& Core() { return FCore; }
  TDataFilesHost& Host() { return FHost; }

  // 1 while recording.
  int32_t Save_Data_Flag() const { return FSave_Data_Flag; }
  uint16_t File_Year = 0;
  uint16_t File_Month = 0;
  uint16_t File_Day = 0;
  String HeaderString;

  // Stores today's date parts and returns the name for the save dialog.
  String FileSaveData1BeforeExecute();
  // Starts recording into FileName (a recording in progress is stopped
  // first). Raises EInOutError when a file cannot be created or written;
  // the actions are then as before and nothing is recording.
  void FileSaveData1Accept(const String& FileName);
  // The files of a recording: the time-series file with its header and the
  // empty depth file; then Save_Data_Flag() is 1. Raises as above, with
  // both files closed.
  void SaveDataFile(const String& FileName);
  // One sample line, while recording; then one pass of the message pump.
  // A line that cannot be written, or fitted sensors that no longer match
  // the file's header (a settings load changed them), stop the recording
  // (the depth file is still tried) and say so in panel 0; it never raises.
  // When DepthCheckpointSeconds have passed since the depth file was last
  // written, it is written again; a failure there keeps the recording going
  // and says so in panel 0.
  void SaveTimeData();
  // "Stop Saving Data File": writes the depth file, closes both files and
  // switches the actions back. Does nothing when not recording. Returns
  // false, with the reason in panel 0, when a file could not be written;
  // the recording is stopped either way. A settings load with a data reset
  // empties the depth tables, so whoever starts one while recording calls
  // this first, or the depth file is written from empty tables.
  bool Action1Execute();
  // The depth file from the depth tables as they stand, while recording.
  // Raises EInOutError naming the file.
  void SaveDepthData();
  // Writes the SVA table. Raises EInOutError naming the file, also (code 5,
  // nothing written) when it is a file of the recording in progress.
  void FileSaveSVA1Accept(const String& FileName);
  // Loads an SVA table. The whole file is read and checked first: a file
  // that is short, long, or has a line that is not "depth TAB value" leaves
  // the tables untouched and shows "Invalid Data Format: " and what was
  // wrong in panel 0 (result false). A file that cannot be opened or read
  // raises EInOutError naming it.
  bool FileOpenSVA1Accept(const String& FileName);
  // For the main window's shutdown: a recording in progress gets its depth
  // file written, then every open data file is flushed and closed. Never
  // raises; what failed is logged, and the result is false.
  bool CloseDataFiles();

private:
  // Depth file written, both files closed, Save_Data_Flag 0; what failed,
  // or empty.
  String FinishRecording();
  void SwitchToNotRecording();

  TCoreData& FCore;
  TDataFilesHost& FHost;
  int32_t FSave_Data_Flag = 0;
  String FRecordedHeader;      // the time-series file's header
  TDateTime FDepthWritten = 0; // when the depth file was last written
  TextFile TimeFile;
  TextFile DepthFile;
  TextFile SVAFile;
};
