#include "app/core/CoreData.h"

#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"

#include <cmath>
#include <numbers>

namespace {

// The index variables in slot order.
constexpr int32_t TCoreData::*SlotIndexMember[SlotCount] = {
    &TCoreData::ConductivityIndex, &TCoreData::WP1Index,        &TCoreData::WT1Index,
    &TCoreData::ALT1Index,         &TCoreData::SVS1Index,       &TCoreData::SoundSpeedIndex,
    &TCoreData::BathyDepthIndex,   &TCoreData::TotalDepthIndex, &TCoreData::CalcDensityIndex,
    &TCoreData::MeanDensityIndex,  &TCoreData::SalinityIndex,   &TCoreData::AP1Index,
    &TCoreData::QYR1Index,         &TCoreData::QYR2Index,       &TCoreData::QYR3Index,
    &TCoreData::QYR4Index,         &TCoreData::QYR1DepthIndex,  &TCoreData::QYR2DepthIndex,
    &TCoreData::QYR3DepthIndex,    &TCoreData::QYR4DepthIndex,
};

void CheckSlot(int32_t Slot)
{
  if (Slot < 0 || Slot >= SlotCount)
    throw ERangeError(Format("Sensor slot %d outside 0..%d", {Slot, SlotCount - 1}));
}

void CheckOutput(int32_t N)
{
  if (N < 1 || N > 4)
    throw ERangeError(Format("Output %d outside 1..4", {N}));
}

// The settings-file defaults of a slot row.
TSerialRow DefaultSlotRow(int32_t Slot)
{
  TSerialRow R;
  R[SerialFitted] = Slot == 0 ? QStringLiteral("1") : QStringLiteral("0");
  R[SerialAtmos] = QStringLiteral("0");
  R[SerialOutputFormat] = QStringLiteral("##0.000");
  R[SerialPort] = QStringLiteral("1");
  R[SerialBaud] = QStringLiteral("19200");
  R[SerialAddress] = QStringLiteral("2");
  R[SerialMode] = QStringLiteral("RS232");
  R[SerialPacket] = QStringLiteral("1");
  R[SerialTare] = QStringLiteral("0");
  return R;
}

const String EmptyText;
const String ZeroText = QStringLiteral("0.000");

} // namespace

TCoreData::TCoreData() : Locale_Format(GetLocaleFormatSettings(LOCALE_EN_GB))
{
  for (int32_t N = 0; N < SlotCount; ++N)
    SerialArray[static_cast<size_t>(N)] = DefaultSlotRow(N);
  ApplyLatitude(Local_Latitude);
  History.Reset(Maximum_View_Points);
  // A value table that matches the default slot table, so that nothing reads
  // past it before the first settings load; that load still resets the data.
  const int32_t KeepReset = Reset_Data_Flag;
  RebuildFromSlots(SerialArray);
  Reset_Data_Flag = KeepReset;
}

// ---------------------------------------------------------------------------
// Slots and values

int32_t TCoreData::SlotIndex(int32_t Slot) const
{
  CheckSlot(Slot);
  return this->*SlotIndexMember[Slot];
}

int32_t& TCoreData::SlotIndexRef(int32_t Slot)
{
  CheckSlot(Slot);
  return this->*SlotIndexMember[Slot];
}

bool TCoreData::SlotFitted(int32_t Slot) const
{
  CheckSlot(Slot);
  return SerialArray[static_cast<size_t>(Slot)][SerialFitted] == QLatin1String("1");
}

const String& TCoreData::Value(int32_t Index) const
{
  if (Index < 0 || static_cast<size_t>(Index) >= DataArray.size())
    return EmptyText;
  return DataArray[static_cast<size_t>(Index)];
}

double TCoreData::InputValue(int32_t Index) const
{
  if (Index == 0)
    return 0.0;
  return StrToFloat(Value(Index));
}

void TCoreData::StoreValue(int32_t Index, double Value, TDateTime Date, TDateTime Time)
{
  if (Index < 0)
    return;
  const auto I = static_cast<size_t>(Index);
  if (I >= DataArray.size() || I >= DataFormatArray.size() || I >= DataDateArray.size() || I >= DataTimeArray.size())
    return;
  DataArray[I] = FormatFloat(DataFormatArray[I], Value);
  DataDateArray[I] = Date;
  DataTimeArray[I] = Time;
}

// ---------------------------------------------------------------------------
// Settings

void TCoreData::ApplyLatitude(double Latitude)
{
  Local_Latitude = Latitude;
  latitude_rad = Latitude * std::numbers::pi / 180.0;
  g0_value = NormalGravity(Latitude);
}

int32_t TCoreData::OutputFitted(int32_t N) const
{
  CheckOutput(N);
  const int32_t Fitted[] = {Output_1_Fitted, Output_2_Fitted, Output_3_Fitted, Output_4_Fitted};
  return Fitted[N - 1];
}

const String& TCoreData::OutputFormat(int32_t N) const
{
  CheckOutput(N);
  const String* Formats[] = {&Output_1_Format, &Output_2_Format, &Output_3_Format, &Output_4_Format};
  return *Formats[N - 1];
}

String& TCoreData::OutputStatus(int32_t N)
{
  CheckOutput(N);
  String* Status[] = {&PortData2, &PortData8, &PortData9, &PortData10};
  return *Status[N - 1];
}

int64_t& TCoreData::OutputSkipped(int32_t N)
{
  CheckOutput(N);
  return FOutputSkipped[static_cast<size_t>(N - 1)];
}

String TCoreData::OutputStatusShown(int32_t N)
{
  const int64_t Skipped = OutputSkipped(N);
  if (Skipped == 0)
    return OutputStatus(N);
  return OutputStatus(N) + (Skipped == 1 ? QStringLiteral(" (1 telegram skipped)")
                                         : QStringLiteral(" (%1 telegrams skipped)").arg(Skipped));
}

void TCoreData::ResetPortData()
{
  for (String* P : {&PortData1, &PortData2, &PortData3, &PortData4, &PortData5, &PortData6, &PortData7, &PortData8,
                    &PortData9, &PortData10})
    *P = UnknownStatus;
  FOutputSkipped.fill(0);
}

const TCalcSettings& TCoreData::CalcSettings()
{
  FCalcSettings.Maximum_Pressure = Maximum_Pressure;
  FCalcSettings.Pressure_Resolution = Pressure_Resolution;
  FCalcSettings.Sound_Speed_Equation = Sound_Speed_Equation;
  FCalcSettings.QuorndeckFitted = SlotFitted(slConductivity);
  return FCalcSettings;
}

// ---------------------------------------------------------------------------
// Rebuilding from the slot table

void TCoreData::ResetData()
{
  History.Reset(Maximum_View_Points);
  DepthTables.Clear();
  Bins.Clear();
}

void TCoreData::BeginSettingsLoad()
{
  ++FLoadCount;
  SensorCount = 0;
  if (Reset_Data_Flag == 1)
    ResetData();
  else
    History.SetLength(Maximum_View_Points);
  // Every index variable is recomputed by this load. A slot that was fitted
  // before and is not now must not keep an index into the old, longer table.
  for (int32_t Slot = 0; Slot < SlotCount; ++Slot)
    SlotIndexRef(Slot) = 0;
  DataArray.assign(1, String());
  DataFormatArray.assign(1, String());
  DataDateArray.assign(1, 0.0);
  DataTimeArray.assign(1, 0.0);
  SensorName.clear();
}

bool TCoreData::AddSlot(int32_t N, const TSerialRow& Row)
{
  CheckSlot(N);
  TSerialRow& Slot = SerialArray[static_cast<size_t>(N)];
  for (int32_t F = SerialFitted; F <= SerialPacket; ++F)
    Slot[static_cast<size_t>(F)] = Row[static_cast<size_t>(F)];
  DataPort[static_cast<size_t>(N)] = StrToIntDef(Slot[SerialPort], 0);
  DataPortBaud[static_cast<size_t>(N)] = StrToIntDef(Slot[SerialBaud], 0);
  DataPacket[static_cast<size_t>(N)] = StrToIntDef(Slot[SerialPacket], 0);
  if (!SlotFitted(N))
    return false;

  SlotIndexRef(N) = 2 * SensorCount + 1;
  SensorName.push_back(Slot[SerialLabel] + QStringLiteral(", ") + Slot[SerialUnits]);
  const String& Mask = Slot[SerialOutputFormat];
  DataArray.resize(DataArray.size() + 2);
  DataFormatArray.push_back(Mask);
  DataFormatArray.push_back(Mask);
  DataDateArray.resize(DataDateArray.size() + 2, 0.0);
  DataTimeArray.resize(DataTimeArray.size() + 2, 0.0);
  ++SensorCount;
  return true;
}

void TCoreData::EndSettingsLoad()
{
  DataArray.emplace_back();
  DataFormatArray.emplace_back();
  DataDateArray.push_back(0.0);
  DataTimeArray.push_back(0.0);
  const TDateTime Stamp = Now();
  const TDateTime Day = DateOf(Stamp);
  const TDateTime TimeOfDay = TimeOf(Stamp);
  for (size_t I = 1; I < DataArray.size(); ++I) {
    DataArray[I] = ZeroText;
    DataDateArray[I] = Day;
    DataTimeArray[I] = TimeOfDay;
  }
  DataArray[0] = ZeroText;
}

void TCoreData::RebuildFromSlots(const Array2D& Slots)
{
  BeginSettingsLoad();
  for (int32_t N = 0; N < SlotCount; ++N)
    AddSlot(N, Slots[static_cast<size_t>(N)]);
  EndSettingsLoad();
}
