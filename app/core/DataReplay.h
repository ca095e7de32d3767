#pragma once
// "Open Data File": a recorded time-series file and its depth file loaded
// back into the history and the depth tables, so that the display windows
// show the recording instead of live data; and "RealTime Display", the way
// back. While a replay is shown the core's File_Replay_Flag is 1 and live
// samples leave the history and the depth tables alone.
#include "rtl/Types.h"

#include <cstdint>

class TDataFiles;

// A value text of a recording is a formatted number; a longer field is not
// one this program wrote, and the history keeps up to 1440 lines of twenty
// of them.
constexpr int32_t MaxReplayFieldLength = 255;

// Replays FileName and the depth file of the same name (see DepthFileName).
//
// The file carries no slot numbers, only the sensor names of its header, so
// it can only be read against the fitted sensors it was recorded with: a
// file whose header does not name exactly the currently fitted sensors, in
// the same order, is refused before anything changes (result false, the
// difference in panel 0), and the live data and a recording in progress go
// on.
//
// Otherwise (result true) replay mode begins: a recording in progress is
// stopped (its depth file written), the settings are reloaded with a data
// reset, every line of the file goes into the history, rolled as live
// samples roll, and the depth file into the depth tables; then the settings
// are reloaded once more, keeping the data, and the depth windows redrawn.
// A line whose date or time does not read, or that holds a field longer than
// MaxReplayFieldLength, is skipped; the depth file is read up to its first
// bad line; each problem shows "Invalid Data Format: ..." in panel 0.
// A file that cannot be opened or read raises EInOutError naming it; when
// that happens after replay mode began, the program stays in replay mode
// with what was loaded so far.
bool FileOpen1Accept(TDataFiles& Files, const String& FileName);

// "RealTime Display": back to live data, with the history and the depth
// tables emptied by a settings reload; panel 1 says "RealTime Data".
void RealTime1Execute(TDataFiles& Files);
