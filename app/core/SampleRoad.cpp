#include "app/core/SampleRoad.h"

#include "app/core/CoreData.h"
#include "app/core/OutputStrings.h"
#include "app/core/calculations.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "rtl/RtlMath.h"
#include "rtl/Strings.h"

#include <QVarLengthArray>

#include <array>
#include <cmath>
#include <cstring>
#include <exception>

namespace {

// The working copy of a data string, cut from the front: the text before the
// next TAB is a field, and a field is removed together with its TAB. A field
// without a TAB after it is empty, and removing where no TAB is left removes
// nothing, so a string cut short yields empty fields rather than the tail.
class TFieldCutter {
public:
  explicit TFieldCutter(const AnsiString& Text) : FText(Text) {}

  QByteArrayView Peek() const
  {
    const qsizetype Tab = FText.indexOf('\t', FPos);
    if (Tab < 0)
      return {};
    return QByteArrayView(FText.constData() + FPos, Tab - FPos);
  }

  void Remove()
  {
    const qsizetype Tab = FText.indexOf('\t', FPos);
    if (Tab >= 0)
      FPos = Tab + 1;
  }

private:
  const AnsiString& FText;
  qsizetype FPos = 0;
};

struct TField {
  int32_t Number;
  const char* Quantity;
  double TDataString::*Value;
  // Bounds no real reading reaches, in the water or on deck before a cast.
  // A value beyond them is a number broken on the line (a lost byte can
  // merge a field with its neighbour) and would reach the survey systems
  // as a sound speed or depth of many orders of magnitude.
  double Min, Max;
  const char* Unit;
};

// In the order the values are stored, which is also the order in which a
// bad field is reported.
constexpr TField StoreOrder[] = {
    {9, "conductivity", &TDataString::Conductivity, 0, 300, "mS/cm"},
    {3, "pressure", &TDataString::Pressure, -50, 12000, "dbar"},
    {5, "temperature", &TDataString::Temperature, -40, 70, "degC"},
    {7, "altimeter", &TDataString::Altimeter, -10, 10000, "m"},
    {1, "sound velocity", &TDataString::SoundVelocity, 0, 2000, "m/s"},
};

// A field of the data string as a number, as TryStrToFloat reads its text.
// A number is plain ASCII, so a field with any other byte is none; the rest
// is read where it lies, without copying the field into a string of its
// own (five fields a sample).
bool FieldToFloat(QByteArrayView Field, double& Value)
{
  QVarLengthArray<QChar, 32> Text(Field.size());
  for (qsizetype I = 0; I < Field.size(); ++I) {
    const auto B = static_cast<unsigned char>(Field[I]);
    if (B >= 0x80)
      return false;
    Text[I] = QChar(char16_t(B));
  }
  return TryStrToFloat(String::fromRawData(Text.constData(), Text.size()), Value);
}

// The entries a data string writes, as they were, so that a sample whose
// calculations fail leaves the table as the previous sample left it.
class TMeasuredSnapshot {
public:
  explicit TMeasuredSnapshot(const TCoreData& Core)
      : FIndices{Core.ConductivityIndex, Core.WP1Index, Core.WT1Index, Core.ALT1Index, Core.SVS1Index},
        FLoad(Core.LoadCount())
  {
    for (size_t I = 0; I < FIndices.size(); ++I) {
      const auto At = static_cast<size_t>(FIndices[I]);
      if (At < Core.DataArray.size()) {
        FText[I] = Core.DataArray[At];
        FDate[I] = Core.DataDateArray[At];
        FTime[I] = Core.DataTimeArray[At];
      }
    }
  }

  void Restore(TCoreData& Core) const
  {
    // A settings load that ran inside the message pump has rebuilt the
    // table; the old entries belong to nothing in it any more.
    if (Core.LoadCount() != FLoad)
      return;
    // In reverse, so that the shared entry 0 gets back its oldest text.
    for (size_t I = FIndices.size(); I-- > 0;) {
      const auto At = static_cast<size_t>(FIndices[I]);
      if (At < Core.DataArray.size()) {
        Core.DataArray[At] = FText[I];
        Core.DataDateArray[At] = FDate[I];
        Core.DataTimeArray[At] = FTime[I];
      }
    }
  }

private:
  std::array<int32_t, 5> FIndices;
  int64_t FLoad;
  std::array<String, 5> FText;
  std::array<TDateTime, 5> FDate{};
  std::array<TDateTime, 5> FTime{};
};

// The altimeter range scaled by the chosen sound velocity, less the offset.
// Any failure (an SV_Value that is no whole number, an overflow) leaves the
// range as measured, without the offset.
double CorrectedAltimeter(const TCoreData& Core, double Range, double MeasuredSV, double CalculatedSV)
{
  try {
    double A;
    if (Core.SV_Value == QLatin1String("Measured"))
      A = MeasuredSV / 1500.0 * Range - Core.Altimeter_Offset;
    else if (Core.SV_Value == QLatin1String("Calculated"))
      A = Range * (CalculatedSV / 1500.0) - Core.Altimeter_Offset;
    else
      A = Range * (StrToInt(Core.SV_Value) / 1500.0) - Core.Altimeter_Offset;
    return FCheck(A);
  } catch (const Exception&) {
    return Range;
  }
}

} // namespace

String StatusEcho(const String& Trimmed)
{
  const String Cut = QStringLiteral("...");
  if (Trimmed.size() <= MaxStatusEchoLength)
    return Trimmed;
  return Copy(Trimmed, 1, MaxStatusEchoLength - Cut.size()) + Cut;
}

bool DecodeDataString(const AnsiString& Data, TDataString& Out, String& Reason)
{
  if (Data.size() > MaxDataStringLength) {
    Reason = Format("longer than %d bytes", {MaxDataStringLength});
    return false;
  }
  TFieldCutter Cut(Data);
  std::array<QByteArrayView, 10> Fields; // by field number
  for (int32_t N = 1; N <= 9; N += 2) {
    Fields[static_cast<size_t>(N)] = Cut.Peek();
    if (N < 9) {
      Cut.Remove();
      Cut.Remove();
    }
  }
  TDataString Decoded;
  for (const TField& F : StoreOrder) {
    const QByteArrayView Text = Fields[static_cast<size_t>(F.Number)];
    if (Text.isEmpty()) {
      Reason = Format("field %d (%s) is empty", {F.Number, F.Quantity});
      return false;
    }
    double& Value = Decoded.*F.Value;
    if (!FieldToFloat(Text, Value)) {
      Reason = Format("field %d (%s) is not a number", {F.Number, F.Quantity});
      return false;
    }
    if (!(Value >= F.Min && Value <= F.Max)) {
      Reason = Format("field %d (%s) %s is outside %s to %s %s",
                      {F.Number, F.Quantity, FloatToStr(Value), FloatToStr(F.Min), FloatToStr(F.Max), F.Unit});
      return false;
    }
  }
  Out = Decoded;
  return true;
}

void SioDataPacket1StringPacket(TCoreData& Core, const AnsiString& Packet)
{
  // The instrument's lines hold no LF, but the packet collects from an LF
  // to the next CR: after a line whose CR was lost (or an extra LF) it
  // delivers the remains in front of the good line. The line is what
  // follows the last LF, found by the C library's vectorised scan rather
  // than a step per byte: every sample of a cast pays for it.
  const char* const Begin = Packet.constData();
  const auto* Lf = static_cast<const char*>(memrchr(Begin, '\n', static_cast<size_t>(Packet.size())));
  const AnsiString Data = Lf ? Packet.mid(Lf - Begin + 1) : Packet;
  const String Trimmed = Trim(FromAnsi(Data.size() > MaxDataStringLength ? Data.left(MaxDataStringLength) : Data));
  Core.PortData1 = Trimmed;
  const TDateTime Stamp = Now();
  const TDateTime Day = DateOf(Stamp);
  const TDateTime TimeOfDay = TimeOf(Stamp);

  const auto Refuse = [&](const String& Reason) {
    ++Core.RejectedDataStrings;
    Core.PortData1 = StatusEcho(Trimmed) + QStringLiteral(" [") + Reason + QStringLiteral("]");
  };
  const auto Reject = [&](const String& Reason) {
    Refuse(Reason);
    if (Core.Hooks.FlushQuorndeckPort)
      Core.Hooks.FlushQuorndeckPort();
  };

  TDataString S;
  String Reason;
  if (!DecodeDataString(Data, S, Reason)) {
    Reject(Reason);
    return;
  }

  // The gauge reading made relative to the live atmospheric pressure; after
  // a tare taken at a known atmospheric pressure, that pressure is added
  // back. Without an atmospheric instrument there is no live reading (entry
  // 0 would hold some other item's value), so the pressure stays as
  // measured.
  if (Core.SerialArray[slConductivity][SerialAtmos] == QLatin1String("1") && Core.AP1Index != 0) {
    double Atmospheric = 0;
    if (!TryStrToFloat(Core.Value(Core.AP1Index), Atmospheric)) {
      Reject(QStringLiteral("atmospheric pressure is not a number"));
      return;
    }
    double P = S.Pressure - Atmospheric;
    if (Core.Atmos_Pressure_On_Tare != 0)
      P += Core.Atmos_Pressure_On_Tare;
    // Values pass between the steps as text; the corrected pressure is
    // rounded to 15 significant digits like every other.
    if (!std::isfinite(P) || !TryStrToFloat(FloatToStr(P), P)) {
      Reject(QStringLiteral("pressure out of range after the atmospheric correction"));
      return;
    }
    S.Pressure = P;
  }

  const char* Stage = "calculations";
  try {
    const TMeasuredSnapshot Before(Core);
    const int64_t Load = Core.LoadCount();
    Core.StoreValue(Core.ConductivityIndex, S.Conductivity, Day, TimeOfDay);
    Core.StoreValue(Core.WP1Index, S.Pressure, Day, TimeOfDay);
    Core.StoreValue(Core.WT1Index, S.Temperature, Day, TimeOfDay);
    Core.StoreValue(Core.ALT1Index, S.Altimeter, Day, TimeOfDay);
    Core.StoreValue(Core.SVS1Index, S.SoundVelocity, Day, TimeOfDay);
    if (Core.Hooks.ProcessMessages)
      Core.Hooks.ProcessMessages();
    // A settings load inside the pump has rebuilt the value table: the
    // measured values went into the old one, the new one holds "0.000"
    // everywhere. Going on would file a sample of zeros in the history and
    // the depth tables and send a depth of 0 to the survey equipment. The
    // load flushed the port and re-armed the packet itself, so the next
    // string is left alone.
    if (Core.LoadCount() != Load) {
      Refuse(QStringLiteral("settings reloaded while the string was handled"));
      return;
    }
    try {
      Run_Calculations(Core);
    } catch (...) {
      Before.Restore(Core);
      throw;
    }
    Stage = "sample store";
    if (Core.File_Replay_Flag == 0)
      StoreSample(Core, Day, TimeOfDay);
  } catch (const std::exception& E) {
    Reject(QString::fromLatin1(Stage) + QStringLiteral(": ") + ExceptionMessage(E));
  } catch (...) {
    Reject(QString::fromLatin1(Stage) + QStringLiteral(": unknown error"));
  }
}

void Run_Calculations(TCoreData& Core)
{
  const TDateTime Stamp = Now();
  const TDateTime Day = DateOf(Stamp);
  const TDateTime TimeOfDay = TimeOf(Stamp);
  const TCalcSettings& Settings = Core.CalcSettings();

  const double C = Core.InputValue(Core.ConductivityIndex);
  const double P = Core.InputValue(Core.WP1Index);
  const int32_t QYRIndex[4] = {Core.QYR1Index, Core.QYR2Index, Core.QYR3Index, Core.QYR4Index};
  double Q[4];
  for (int32_t N = 0; N < 4; ++N)
    Q[N] = Core.InputValue(QYRIndex[N]);
  const double T = Core.InputValue(Core.WT1Index);

  const double S = Salinity(T, P, C);
  const double V = SoundSpeed(T, P, S, Core.Local_Latitude, Settings);
  const double A = CorrectedAltimeter(Core, Core.InputValue(Core.ALT1Index), Core.InputValue(Core.SVS1Index), V);
  const double Rho = FCheck(Density(T, P, S) + 1000.0);
  TDepthStep Depths(Core.Bins, Settings);
  const double Z = Depths.BathyDepth(P, Rho, Core.g0_value);
  bool QFitted[4];
  double QDepth[4] = {};
  for (int32_t N = 0; N < 4; ++N) {
    QFitted[N] = Core.SlotFitted(slQYR1 + N);
    if (QFitted[N])
      QDepth[N] = Depths.QYRDepth(Q[N], Core.g0_value);
  }
  const double Total = FCheck(Z + A);
  const double Mean = Depths.MeanDensity();

  // Everything computed: now the table, in the order the values are
  // derived (the shared entry 0 ends with the last unfitted output).
  Core.StoreValue(Core.SalinityIndex, S, Day, TimeOfDay);
  Core.StoreValue(Core.SoundSpeedIndex, V, Day, TimeOfDay);
  // The corrected range replaces the raw one and keeps its data string's
  // stamps.
  const auto Alt = static_cast<size_t>(Core.ALT1Index);
  if (Alt < Core.DataDateArray.size() && Alt < Core.DataTimeArray.size())
    Core.StoreValue(Core.ALT1Index, A, Core.DataDateArray[Alt], Core.DataTimeArray[Alt]);
  Core.StoreValue(Core.CalcDensityIndex, Rho, Day, TimeOfDay);
  Core.StoreValue(Core.BathyDepthIndex, Z, Day, TimeOfDay);
  const int32_t QYRDepthIndex[4] = {Core.QYR1DepthIndex, Core.QYR2DepthIndex, Core.QYR3DepthIndex, Core.QYR4DepthIndex};
  for (int32_t N = 0; N < 4; ++N)
    if (QFitted[N])
      Core.StoreValue(QYRDepthIndex[N], QDepth[N], Day, TimeOfDay);
  Core.StoreValue(Core.TotalDepthIndex, Total, Day, TimeOfDay);
  Core.StoreValue(Core.MeanDensityIndex, Mean, Day, TimeOfDay);
  Depths.Commit();
}

void StoreSample(TCoreData& Core, TDateTime Date, TDateTime Time)
{
  TSampleHistory& History = Core.History;
  History.SetLength(Core.Maximum_View_Points);

  // SVA_Array_Index is 0 until the first sample has been filed; such a
  // sample (and any bin the tables do not have) goes into the history only.
  const int32_t Bin = Core.Bins.SVA_Array_Index;
  const bool HasBin = TDepthTables::ValidBin(Bin);
  // Every number first, so that a text that does not convert leaves both
  // the history and the depth tables as they were.
  double Numbers[TDepthTables::ItemCount] = {};
  if (HasBin)
    for (int32_t Item = 0; Item < TDepthTables::ItemCount; ++Item)
      Numbers[Item] = StrToFloat(Core.Value(Core.SlotIndex(Item)));

  History.SetCurrentStamps(Date, Time);
  for (int32_t Item = 0; Item < TSampleHistory::ItemCount; ++Item)
    History.SetCurrentValue(Item, Core.Value(Core.SlotIndex(Item)));
  if (HasBin)
    for (int32_t Item = 0; Item < TDepthTables::ItemCount; ++Item)
      Core.DepthTables.SetValue(Item, Bin, Numbers[Item]);
  History.Advance();
  UpdateData(Core);
}

void UpdateData(TCoreData& Core)
{
  if (Core.Hooks.SaveTimeData)
    Core.Hooks.SaveTimeData();
  for (int32_t N = 1; N <= 4; ++N)
    if (Core.OutputFitted(N) == 1)
      OutputData(Core, N);
  if (Core.Hooks.UpdateWindows)
    Core.Hooks.UpdateWindows();
  if (Core.Hooks.ProcessMessages)
    Core.Hooks.ProcessMessages();
}
