// What the sample-road benchmarks share: the cast they feed, the
// resident-memory reading they print, and the real program started on a
// settings file of their own.
#pragma once

#include "rtl/Strings.h"

#include "platform/PtyPair.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class TMainForm;

// The resident memory of this process in KiB, -1 when it cannot be read.
long ResidentKiB();
// The bytes the heap holds for live blocks, KiB.
long HeapInUseKiB();

// A cast down to 3000 dbar and back up, one profiling-instrument data string
// per 0.5 dbar, so that the samples walk through thousands of depth bins in
// both directions.
std::vector<AnsiString> CastStrings();

// Qt's offscreen platform when there is no display; before the application
// object is made.
void UseOffscreenWithoutDisplay();

// The program's data files under DataHome, its settings file the default
// one, and every COM port a device that does not exist until MapComPort
// maps it.
void IsolateProgram(const String& DataHome);

// COM port N opens the device at Path (FATHOMIX_COMn).
void MapComPort(int N, const String& Path);

// The main window on the settings Ini, written as FATHOMIX.INI into Folder
// (created), shown, not ending the process when it closes; its messages and
// settings problems go to stderr. Every output 1..Outputs must be open.
// nullptr (with the reason on stderr) when it could not be started so.
std::unique_ptr<TMainForm> StartMainForm(const String& Folder, const QByteArray& Ini, int Outputs);

// The display benchmarks' program: a main window (StartMainForm) on the
// settings Ini in a temporary folder, with COM1 a pseudo-terminal nobody
// writes to, so that the instrument's slots bind and their packet is on.
struct TQuietProgram {
  QTemporaryDir Folder;
  PtyPair Instrument;
  std::unique_ptr<TMainForm> Form;
};
// nullptr (with the reason on stderr) when it could not be started.
std::unique_ptr<TQuietProgram> StartQuietProgram(const QByteArray& Ini);
