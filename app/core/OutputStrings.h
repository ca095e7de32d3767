#pragma once
// The output telegrams: the latest values re-sent on up to four output ports
// in the fixed layouts survey equipment expects. Each encoder returns the
// whole telegram including its CR LF; an item that is not fitted (index 0)
// gets the layout's fixed default, and every encoder but tarnwick answers a
// value text that does not convert with its fixed fallback telegram.
//
// An encoder that shows the time reads the clock (rtl Now) once and takes
// hours, minutes, seconds and hundredths from that one reading.
#include "rtl/Types.h"

#include <cstdint>

class TCoreData;

// "TARNWICK": date, time and every fitted item, TAB-separated.
String tarnwick(const TCoreData& Core);
// "SEAKING LONG".
String tritech(const TCoreData& Core);
// "SEAKING LONG DECIMAL".
String seaking(const TCoreData& Core);
// "DIGIQUARTZ": the depth.
String digiquartz(const TCoreData& Core);
// "UK90 STD".
String uk90std(const TCoreData& Core);
// "GREVON PROC"; "GREVON PROC (PREFIX)" is Grevon_Proc_Prefix followed by it.
String GrevonProc(const TCoreData& Core);
// "GREVON PROC 2".
String GREVONPROC2(const TCoreData& Core);

// "GREVON PROC (PREFIX)": Grevon_Proc_Prefix followed by GrevonProc.
String GrevonProcPrefixed(const TCoreData& Core);

// An output format: its name (in the settings file, exact and
// case-sensitive) and its encoder.
struct TOutputFormat {
  const char* Name;
  String (*Encoder)(const TCoreData& Core);
};
// Every format, those the set-up screen offers first, in its order.
extern const TOutputFormat OutputFormats[8];
constexpr int32_t OfferedOutputFormatCount = 7;
// The format of a name; nullptr for a name that no encoder has.
const TOutputFormat* FindOutputFormat(const String& Name);

// The telegram of a format name; empty for a name that no encoder has.
String OutputTelegram(const TCoreData& Core, const String& FormatName);

// Output N (1..4): builds the telegram of its format and, when the port's
// output buffer has room for all of it, hands it to the port
// (Hooks.OutputPutString) and shows it as the output's status text;
// otherwise the telegram is dropped, counted in OutputSkipped, and the status
// text stays.
void OutputData(TCoreData& Core, int32_t N);
void OutputData1(TCoreData& Core);
void OutputData2(TCoreData& Core);
void OutputData3(TCoreData& Core);
void OutputData4(TCoreData& Core);
