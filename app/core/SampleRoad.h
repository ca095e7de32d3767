#pragma once
// The road of one profiling-instrument sample: its data string decoded and
// checked, the atmospheric correction, the value table, the derived values
// (Run_Calculations), the history and depth tables, and the fan-out
// (UpdateData) to the time-series file, the output telegrams and the windows.
#include "rtl/Types.h"

#include <cstdint>

class TCoreData;

// The packet matcher hands over what lies between LF and CR; a real data
// string is well below 200 bytes. Anything longer is noise on the line (or a
// lost CR) and is refused before it is looked at.
constexpr int32_t MaxDataStringLength = 4096;

// A received line (already trimmed) as a status text repeats it: at most
// MaxStatusEchoLength characters, the last three "..." when it is cut.
constexpr int32_t MaxStatusEchoLength = 80;
String StatusEcho(const String& Trimmed);

// The five measured values of a data string.
struct TDataString {
  double SoundVelocity = 0; // field 1, m/s
  double Pressure = 0;      // field 3, dbar
  double Temperature = 0;   // field 5, degC
  double Altimeter = 0;     // field 7, m
  double Conductivity = 0;  // field 9, mS/cm
};

// Cuts the TAB-separated fields 1, 3, 5, 7 and 9 from Data (each field must
// be followed by a TAB; fields 2, 4, 6, 8 and anything after field 9 are
// ignored) and converts them. A value outside bounds no real reading
// reaches (sound velocity 0 to 2000 m/s, pressure -50 to 12000 dbar,
// temperature -40 to 70 degC, altimeter -10 to 10000 m, conductivity 0 to
// 300 mS/cm) is refused like one that is no number. On failure returns
// false with a short reason ("field 9 (conductivity) is empty", ...) and
// leaves Out unchanged.
bool DecodeDataString(const AnsiString& Data, TDataString& Out, String& Reason);

// Handler of the profiling instrument's data packet. Packet is what the
// packet collected between an LF and a CR; the data string is the text
// after its last LF. Every field is converted before anything is stored, so a string with a bad field changes nothing
// but PortData1 (the trimmed string and the reason) and RejectedDataStrings; the port is then flushed. A failure of the
// calculations takes back the measured values this string stored. A string during whose message pump the settings were
// reloaded is not taken either (its values went into the old table). During a file replay the value table is updated
// but the history, the depth tables and the fan-out are not.
void SioDataPacket1StringPacket(TCoreData& Core, const AnsiString& Data);

// The derived values from the value table: salinity, sound speed, corrected
// altimeter, density, depth (filing the sample into its depth bin), the QYR
// depths, total depth and mean density. Either every output is written and
// the depth bins take the sample or, when a step raises, neither happens
// (the exception passes on).
void Run_Calculations(TCoreData& Core);

// The sample into the history (slot Time_Array_Index) and the depth tables
// (the current bin), then UpdateData. A bin outside the tables leaves the
// depth tables alone.
void StoreSample(TCoreData& Core, TDateTime Date, TDateTime Time);

// The fan-out: the time-series line, the telegram of every fitted output,
// the windows' DataUpdate, one pass of the message pump.
void UpdateData(TCoreData& Core);
