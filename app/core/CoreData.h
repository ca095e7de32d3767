#pragma once
// The shared state of the acquisition core: the sensor-slot table, the value
// table of the latest sample, the settings the sample road reads, the port
// status texts, the history, the depth tables and the depth-bin state of the
// calculations. The main window owns one TCoreData; the display windows and
// the set-up screen read and write its fields by their given names. Nothing
// here is global, so every test builds its own.
//
// The value table: the n-th fitted slot (counting fitted slots from 0 in slot
// order) keeps its latest value at DataArray[2n + 1]; 2n + 2 is spare; entry
// 0 is shared by every slot that is not fitted (its index variable is 0).
#include "app/core/DepthTables.h"
#include "app/core/SampleHistory.h"
#include "app/core/calculations.h"
#include "rtl/FormatSettings.h"
#include "rtl/Types.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// Fields of a row of SerialArray.
constexpr int32_t SerialFitted = 0;
constexpr int32_t SerialAtmos = 1;
constexpr int32_t SerialLabel = 2;
constexpr int32_t SerialUnits = 3;
constexpr int32_t SerialOutputFormat = 4;
constexpr int32_t SerialPort = 5;
constexpr int32_t SerialBaud = 6;
constexpr int32_t SerialAddress = 7;
constexpr int32_t SerialMode = 8;
constexpr int32_t SerialPacket = 9;
constexpr int32_t SerialTare = 10;
constexpr int32_t SerialFieldCount = 11;

constexpr int32_t SlotCount = 20;

using TSerialRow = std::array<String, SerialFieldCount>;
using Array2D = std::array<TSerialRow, SlotCount>;

// The sensor slots in slot order; the index variables, the history items and
// the depth tables all follow it.
enum TSlot : int32_t {
  slConductivity, // profiling instrument (and its conductivity)
  slWP1,          // pressure
  slWT1,          // temperature
  slALT1,         // altimeter range
  slSVS1,         // sound velocity sensor
  slSoundSpeed,
  slBathyDepth,
  slTotalDepth,
  slCalcDensity,
  slMeanDensity,
  slSalinity,
  slAP1, // atmospheric pressure instrument
  slQYR1,
  slQYR2,
  slQYR3,
  slQYR4,
  slQYR1Depth,
  slQYR2Depth,
  slQYR3Depth,
  slQYR4Depth,
};

// The first field of the SEAKING LONG and SEAKING LONG DECIMAL telegrams.
// The survey systems that take these telegrams know them by this exact
// text, so the encoders always send it as it stands. The settings "Sea King
// Long Prefix" and "Sea King Long Decimal Prefix" are read and written back
// all the same: settings files carry them, and a file must come back from
// the program with what it held.
inline constexpr char SeaKingPrefix[] = "%D0070042703";

// What a status text shows before anything is known of its port or
// instrument.
inline constexpr QLatin1StringView UnknownStatus{"Unknown"};

// What the road of one sample calls outside the core. The main window fills
// these once; an empty hook does nothing.
struct TSampleHooks {
  // SaveTimeData: the time-series file line (written only while recording).
  std::function<void()> SaveTimeData;
  // Free bytes in the output buffer of output Output's port (1..4); without
  // this hook the buffer counts as never full.
  std::function<int32_t(int32_t Output)> OutputBufferFree;
  // The port's PutString for output Output (1..4).
  std::function<void(int32_t Output, const AnsiString& Telegram)> OutputPutString;
  // DataUpdate of every open display window and of the set-up screen, the
  // MDI children walked from the last to the first.
  std::function<void()> UpdateWindows;
  // One pass of the message pump.
  std::function<void()> ProcessMessages;
  // Flushes the input buffer, then the output buffer, of the profiling
  // instrument's port (packet 1's).
  std::function<void()> FlushQuorndeckPort;
};

class TCoreData {
public:
  TCoreData();

  // --- Sensor slots ------------------------------------------------------
  Array2D SerialArray;

  // DataArray index of each slot's value; 0 when the slot is not fitted.
  int32_t ConductivityIndex = 0;
  int32_t WP1Index = 0;
  int32_t WT1Index = 0;
  int32_t ALT1Index = 0;
  int32_t SVS1Index = 0;
  int32_t SoundSpeedIndex = 0;
  int32_t BathyDepthIndex = 0;
  int32_t TotalDepthIndex = 0;
  int32_t CalcDensityIndex = 0;
  int32_t MeanDensityIndex = 0;
  int32_t SalinityIndex = 0;
  int32_t AP1Index = 0;
  int32_t QYR1Index = 0;
  int32_t QYR2Index = 0;
  int32_t QYR3Index = 0;
  int32_t QYR4Index = 0;
  int32_t QYR1DepthIndex = 0;
  int32_t QYR2DepthIndex = 0;
  int32_t QYR3DepthIndex = 0;
  int32_t QYR4DepthIndex = 0;

  // The index variable of slot Slot (0..19); ERangeError outside.
  int32_t SlotIndex(int32_t Slot) const;
  bool SlotFitted(int32_t Slot) const;

  int32_t SensorCount = 0;
  std::vector<String> SensorName; // "label, units" per fitted slot

  std::array<int32_t, SlotCount> DataPort{};
  std::array<int32_t, SlotCount> DataPortBaud{};
  std::array<int32_t, SlotCount> DataPacket{};

  // --- Value table -------------------------------------------------------
  std::vector<String> DataArray;
  std::vector<String> DataFormatArray;
  std::vector<TDateTime> DataDateArray;
  std::vector<TDateTime> DataTimeArray;

  // DataArray[Index], or an empty text for an index outside the table.
  const String& Value(int32_t Index) const;
  // A calculation input: the entry at Index as a number. Index 0 is the
  // shared entry that every unfitted item writes, so reading it would feed
  // some other item's last value into the calculation; an unfitted input
  // reads as 0 instead. Raises EConvertError when a fitted entry is no
  // number.
  double InputValue(int32_t Index) const;
  // DataArray[Index] := Value through the entry's mask, with the stamps.
  // Ignored for an index outside the table.
  void StoreValue(int32_t Index, double Value, TDateTime Date, TDateTime Time);

  // --- Settings (settings-file defaults) -----------------------------------
  int32_t UserDisplayIndex = 1;
  int32_t Output_1_Fitted = 0;
  int32_t Output_1_Port = 2;
  int32_t Output_1_Baud = 19200;
  int32_t Output_2_Fitted = 0;
  int32_t Output_2_Port = 2;
  int32_t Output_2_Baud = 19200;
  int32_t Output_3_Fitted = 0;
  int32_t Output_3_Port = 2;
  int32_t Output_3_Baud = 19200;
  int32_t Output_4_Fitted = 0;
  int32_t Output_4_Port = 2;
  int32_t Output_4_Baud = 19200;
  String serial_no = QStringLiteral("0");
  double Local_Density = 1023.0147;
  double Local_Gravity = 9.8167459;
  double Local_Latitude = 50.42741;
  String Height_Above_Sea_Level = QStringLiteral("00");
  int32_t Maximum_Pressure = 6000;
  int32_t Pressure_Resolution = 1;
  int32_t Maximum_View_Points = 1440;
  double Altimeter_Offset = -1000.0;
  double Pressure_Tare = 0;
  String pressure_tare_time = QStringLiteral("01/01/2007 00:00:00");
  String SV_Value = QStringLiteral("1500");
  String Kirvo_Rate = QStringLiteral("1000");
  int32_t Altimeter_Flag = 0;
  int32_t Salinity_Low = 0;
  int32_t Salinity_High = 42;
  String Output_1_Format = QStringLiteral("TARNWICK");
  String Output_2_Format = QStringLiteral("TARNWICK");
  String Output_3_Format = QStringLiteral("TARNWICK");
  String Output_4_Format = QStringLiteral("TARNWICK");
  String Output_Frequency = QStringLiteral("1");
  String Atmospheric_Pressure = QStringLiteral("None");
  double Atmos_Pressure_On_Tare = 0;
  String Grevon_Proc_Prefix = QStringLiteral("%D0074042700");
  String Sea_King_Long_Prefix = QString::fromLatin1(SeaKingPrefix);
  String Sea_King_Long_Decimal_Prefix = QString::fromLatin1(SeaKingPrefix);
  String Bathy_Metric_Code = QStringLiteral("007");
  String Sea_King_Long_Valid = QStringLiteral("031");
  String Sound_Speed_Equation = QString::fromLatin1(DefaultSoundSpeedEquation);
  String Rate = QStringLiteral("1");

  // Latitude in radians and the normal gravity at Local_Latitude.
  double latitude_rad = 0;
  double g0_value = 0;
  // Local_Latitude := Latitude, then latitude_rad and g0_value from it (what
  // the set-up screen's latitude field does on every change).
  void ApplyLatitude(double Latitude);

  // en-GB (locale 2057): every date and time text of the core.
  TFormatSettings Locale_Format;

  // Output N (1..4); ERangeError outside.
  int32_t OutputFitted(int32_t N) const;
  const String& OutputFormat(int32_t N) const;
  // The output's status text: PortData2, PortData8, PortData9, PortData10.
  String& OutputStatus(int32_t N);
  // Telegrams of output N not sent because its port's output buffer had no
  // room for them (a port that is not open has none), since the program
  // started.
  int64_t& OutputSkipped(int32_t N);
  // The output's status as the set-up grid shows it: the status text, and
  // after it how many telegrams were skipped, when any were.
  String OutputStatusShown(int32_t N);

  // --- Status texts of the set-up grid -----------------------------------
  String PortData1 = UnknownStatus; // profiling instrument
  String PortData2 = UnknownStatus; // output 1
  String PortData3 = UnknownStatus; // QYR 1..4
  String PortData4 = UnknownStatus;
  String PortData5 = UnknownStatus;
  String PortData6 = UnknownStatus;
  String PortData7 = UnknownStatus; // atmospheric
  String PortData8 = UnknownStatus; // outputs 2..4
  String PortData9 = UnknownStatus;
  String PortData10 = UnknownStatus;
  // Every one of them back to UnknownStatus, and no telegram skipped.
  void ResetPortData();

  // Profiling-instrument data strings that were not taken (a bad field, a
  // failed calculation or fan-out); the reason of the last one is shown in
  // PortData1.
  int64_t RejectedDataStrings = 0;

  // --- History, depth tables, bins ---------------------------------------
  int32_t File_Replay_Flag = 0; // 1 while a data file is replayed
  int32_t Reset_Data_Flag = 1;  // 1: the next settings load clears the data
  TSampleHistory History;
  TDepthTables DepthTables;
  TDepthBins Bins;
  // The calculation settings, refreshed from the fields above.
  const TCalcSettings& CalcSettings();

  TSampleHooks Hooks;

  // --- Rebuilding from the slot table (settings load) ----------------------
  // The settings loader, once reception is stopped and the ports flushed:
  //   BeginSettingsLoad();  reads the output and "Quorndeck" keys and opens
  //   the outputs;  for N = 0..19 reads the slot's keys, unfits it when its
  //   port is absent, AddSlot(N, row) and, when that says fitted, binds the
  //   slot's port and packet;  EndSettingsLoad();
  // RebuildFromSlots does the three for a whole table.
  //
  // The data reset (the history emptied and sized, the depth tables and bins
  // cleared) when Reset_Data_Flag is 1; the value table emptied; every index
  // variable 0.
  void BeginSettingsLoad();
  // Stores the slot's fields SerialFitted..SerialPacket (SerialTare is not
  // in the settings file and keeps its value) and its port, baud and packet
  // numbers; a fitted slot becomes the next sensor. Returns whether it is
  // fitted. N outside 0..19 raises ERangeError.
  bool AddSlot(int32_t N, const TSerialRow& Row);
  // The closing spare entry; every entry "0.000", entries 1 onwards stamped
  // with the clock (read once).
  void EndSettingsLoad();
  void RebuildFromSlots(const Array2D& Slots);
  // The data reset alone.
  void ResetData();
  // Settings loads so far: whoever holds indices into the value table across
  // a message pump can tell whether the table was rebuilt meanwhile.
  int64_t LoadCount() const { return FLoadCount; }

private:
  int32_t& SlotIndexRef(int32_t Slot);

  int64_t FLoadCount = 0;
  std::array<int64_t, 4> FOutputSkipped{};

  TCalcSettings FCalcSettings;
};
