#include "app/core/SampleRoad.h"

#include "CoreFixture.h"
#include "app/core/CoreData.h"
#include "app/core/calculations.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "rtl/Strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const TDateTime T0 = EncodeDateTime(2026, 12, 8, 19, 30, 35, 120);

// Sound velocity, pressure, temperature, altimeter and conductivity in the
// odd fields, unit texts between them, each followed by a TAB.
AnsiString DataString(const char* SV, const char* P, const char* T, const char* Alt, const char* C)
{
  return AnsiString(SV) + "\tm/s\t" + P + "\tdBar\t" + T + "\tC\t" + Alt + "\tm\t" + C + "\tmS/cm\t";
}

const AnsiString Good = "1500.1\tx\t10.5\tx\t12.0\tx\t3.2\tx\t45.0\t";

// Records what the road calls outside the core.
struct TRecorder {
  std::vector<std::string> Calls;
  std::vector<std::pair<int32_t, AnsiString>> Sent;

  void Attach(TCoreData& Core)
  {
    Core.Hooks.SaveTimeData = [this] { Calls.push_back("save"); };
    Core.Hooks.OutputPutString = [this](int32_t N, const AnsiString& T) {
      Calls.push_back("out" + std::to_string(N));
      Sent.emplace_back(N, T);
    };
    Core.Hooks.UpdateWindows = [this] { Calls.push_back("windows"); };
    Core.Hooks.ProcessMessages = [this] { Calls.push_back("pump"); };
    Core.Hooks.FlushQuorndeckPort = [this] { Calls.push_back("flush"); };
  }
};

// The profiling instrument with its measured and derived items (slots 0..10).
std::unique_ptr<TCoreData> InstrumentCore() { return MakeCore({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}); }

// ---------------------------------------------------------------------------
// Decoding

TEST(DataString, Decode)
{
  struct TCase {
    AnsiString Data;
    const char* Reason; // nullptr: decodes
  };
  const AnsiString Long = Good + AnsiString(100 * 1024, 'x');
  AnsiString Garbage;
  for (int B = 0; B < 256; ++B)
    Garbage += static_cast<char>(B * 37 % 256);
  const TCase Cases[] = {
      {Good, nullptr},
      {Good + "extra\tfields\t1\t", nullptr},
      {" 1500.1 \tx\t 10.5\tx\t12.0 \tx\t3.2\tx\t45.0\t", nullptr},
      {"1500.1\t\t10.5\t\t12.0\t\t3.2\t\t45.0\t", nullptr},
      {"1500.1\tx\t10.5\tx\t12.0\tx\t3.2\tx\t45.0", "field 9 (conductivity) is empty"},
      {"", "field 9 (conductivity) is empty"},
      {"1500.1\t", "field 9 (conductivity) is empty"},
      {"\t\t\t\t\t\t\t\t\t", "field 9 (conductivity) is empty"},
      {"1500.1\tx\tabc\tx\t12.0\tx\t3.2\tx\t45.0\t", "field 3 (pressure) is not a number"},
      {"1500.1\tx\t10.5\tx\t12,0\tx\t3.2\tx\t45.0\t", "field 5 (temperature) is not a number"},
      {"1500.1\tx\t10.5\xb0\tx\t12.0\tx\t3.2\tx\t45.0\t", "field 3 (pressure) is not a number"},
      {"1500.1\tx\t10.5\tx\t12.0\tx\t3.2\tx\t\xa0"
       "45.0\t",
       "field 9 (conductivity) is not a number"},
      {"1500.1\tx\t10.5\tx\t12.0\tx\t\tx\t45.0\t", "field 7 (altimeter) is empty"},
      {"INF\tx\t10.5\tx\t12.0\tx\t3.2\tx\t45.0\t", "field 1 (sound velocity) is not a number"},
      {"1500.1\tx\t10.5\tx\t12.0\tx\t3.2\tx\t1e999\t", "field 9 (conductivity) is not a number"},
      {AnsiString("15\0000.1\tx\t10.5\tx\t12.0\tx\t3.2\tx\t45.0\t", 35), "field 1 (sound velocity) is not a number"},
      {Garbage, "is"},
      {Long, "longer than 4096 bytes"},
  };
  for (const auto& C : Cases) {
    TDataString Out;
    Out.Pressure = -1;
    String Reason;
    const bool Ok = DecodeDataString(C.Data, Out, Reason);
    const std::string Shown = C.Data.left(60).toStdString();
    if (!C.Reason) {
      ASSERT_TRUE(Ok) << Shown << ": " << Reason.toStdString();
      EXPECT_EQ(Out.SoundVelocity, 1500.1);
      EXPECT_EQ(Out.Pressure, 10.5);
      EXPECT_EQ(Out.Temperature, 12.0);
      EXPECT_EQ(Out.Altimeter, 3.2);
      EXPECT_EQ(Out.Conductivity, 45.0);
    } else {
      EXPECT_FALSE(Ok) << Shown;
      EXPECT_TRUE(Reason.contains(QString::fromLatin1(C.Reason))) << Shown << ": " << Reason.toStdString();
      EXPECT_EQ(Out.Pressure, -1) << Shown;
    }
  }
}

TEST(DataString, MeasuredValuesOutsidePhysicalBoundsAreRefused)
{
  // Generous bounds: no real reading reaches them, in the water or on deck.
  struct TCase {
    const char *SV, *P, *T, *Alt, *C;
    const char* Reason; // nullptr: decodes
  };
  const TCase Cases[] = {
      {"0", "-50", "-40", "-10", "0", nullptr},
      {"2000", "12000", "70", "10000", "300", nullptr},
      {"1500", "1e23", "10", "5", "40", "field 3 (pressure) 1E23 is outside -50 to 12000 dbar"},
      {"1500", "-50.1", "10", "5", "40", "field 3 (pressure) -50.1 is outside -50 to 12000 dbar"},
      {"1500", "12000.5", "10", "5", "40", "field 3 (pressure)"},
      {"1500", "10", "-40.5", "5", "40", "field 5 (temperature) -40.5 is outside -40 to 70 degC"},
      {"1500", "10", "70.01", "5", "40", "field 5 (temperature)"},
      {"1500", "10", "10", "-10.5", "40", "field 7 (altimeter) -10.5 is outside -10 to 10000 m"},
      {"1500", "10", "10", "10001", "40", "field 7 (altimeter)"},
      {"1500", "10", "10", "5", "-0.1", "field 9 (conductivity) -0.1 is outside 0 to 300 mS/cm"},
      {"1500", "10", "10", "5", "300.1", "field 9 (conductivity)"},
      {"-1", "10", "10", "5", "40", "field 1 (sound velocity) -1 is outside 0 to 2000 m/s"},
      {"150012.5", "10", "10", "5", "40", "field 1 (sound velocity)"},
  };
  for (const TCase& C : Cases) {
    const AnsiString Data = DataString(C.SV, C.P, C.T, C.Alt, C.C);
    TDataString Out;
    String Reason;
    const bool Ok = DecodeDataString(Data, Out, Reason);
    if (!C.Reason) {
      EXPECT_TRUE(Ok) << Data.toStdString() << ": " << Reason.toStdString();
      EXPECT_EQ(Out.Pressure, StrToFloat(QString::fromLatin1(C.P)));
    } else {
      EXPECT_FALSE(Ok) << Data.toStdString();
      EXPECT_TRUE(Reason.contains(QString::fromLatin1(C.Reason))) << Reason.toStdString();
    }
  }
}

TEST(DataString, StatusEchoIsAtMostEightyCharacters)
{
  const String Long = QString(200, QLatin1Char('x'));
  struct TCase {
    String Line, Echo;
  };
  const TCase Cases[] = {
      {String(), String()},
      {Long.left(80), Long.left(80)},
      {Long.left(81), Long.left(77) + QStringLiteral("...")},
      {Long, Long.left(77) + QStringLiteral("...")},
  };
  for (const TCase& C : Cases)
    EXPECT_EQ(StatusEcho(C.Line), C.Echo) << C.Line.size();
}

// ---------------------------------------------------------------------------
// The handler

TEST(DataStringHandler, GoodStringTravelsTheWholeRoad)
{
  auto Core = InstrumentCore();
  // The handler reads the clock at T0, the calculations one second later.
  const TClockScope Clock(T0, 1000);
  Core->Output_1_Fitted = 1;
  Core->Output_3_Fitted = 1;
  Core->Output_3_Format = QStringLiteral("DIGIQUARTZ");
  TRecorder Rec;
  Rec.Attach(*Core);

  SioDataPacket1StringPacket(*Core, "  " + Good + " ");

  EXPECT_EQ(Core->PortData1, QString::fromLatin1(Good).trimmed());
  EXPECT_EQ(Core->RejectedDataStrings, 0);
  EXPECT_EQ(Core->Value(Core->SVS1Index), QStringLiteral("1500.100"));
  EXPECT_EQ(Core->Value(Core->WP1Index), QStringLiteral("10.500"));
  EXPECT_EQ(Core->Value(Core->WT1Index), QStringLiteral("12.000"));
  EXPECT_EQ(Core->Value(Core->ConductivityIndex), QStringLiteral("45.000"));
  // SV "1500" leaves the range unscaled; the default offset of -1000 adds 1000.
  EXPECT_EQ(Core->Value(Core->ALT1Index), QStringLiteral("1003.200"));

  const TDateTime T1 = IncMilliSecond(T0, 1000);
  for (const int32_t Slot : {slConductivity, slWP1, slWT1, slALT1, slSVS1}) {
    EXPECT_EQ(Core->DataDateArray[Core->SlotIndex(Slot)], DateOf(T0)) << Slot;
    EXPECT_EQ(Core->DataTimeArray[Core->SlotIndex(Slot)], TimeOf(T0)) << Slot;
  }
  for (const int32_t Slot : {slSoundSpeed, slBathyDepth, slTotalDepth, slCalcDensity, slMeanDensity, slSalinity})
    EXPECT_EQ(Core->DataTimeArray[Core->SlotIndex(Slot)], TimeOf(T1)) << Slot;

  // History slot 0 and the depth tables at the sample's bin.
  EXPECT_EQ(Core->History.Time_Array_Index(), 1);
  EXPECT_EQ(Core->History.DateArray(0), DateOf(T0));
  EXPECT_EQ(Core->History.TimeArray(0), TimeOf(T0));
  const int32_t Bin = Core->Bins.SVA_Array_Index;
  EXPECT_EQ(Bin, 11); // 10.5 dbar in bins of 6000/5999 dbar
  for (int32_t Item = 0; Item < SlotCount; ++Item) {
    EXPECT_EQ(Core->History.Value(Item, 0), Core->Value(Core->SlotIndex(Item))) << Item;
    EXPECT_EQ(Core->DepthTables.Value(Item, Bin), StrToFloat(Core->Value(Core->SlotIndex(Item)))) << Item;
  }

  // One pump after the values are stored, then the fan-out in its order.
  EXPECT_EQ(Rec.Calls, (std::vector<std::string>{"pump", "save", "out1", "out3", "windows", "pump"}));
  ASSERT_EQ(Rec.Sent.size(), 2u);
  EXPECT_EQ(Rec.Sent[1].second,
            "*" + ("000000000000" + Core->Value(Core->BathyDepthIndex).toLatin1()).right(12) + "\r\n");
}

TEST(DataStringHandler, TheLineAfterTheLastLineFeedIsTaken)
{
  // The instrument's lines hold no LF. The packet collects from an LF to
  // the next CR, so a line whose CR was lost, a long run without a CR or an
  // extra LF come in front of the good line that follows.
  const AnsiString Noise[] = {
      "1499.9\tx\t10.4\tx\t12", "", "\n\n", AnsiString(100 * 1024, '7'), "1499.9\tx\t10.4\tx\t12.0\tx\t3.2\tx\t45.0\t",
  };
  const TClockScope Clock(T0);
  for (const AnsiString& Before : Noise) {
    auto Core = InstrumentCore();
    SioDataPacket1StringPacket(*Core, Before + "\n" + Good);
    const std::string Shown = Before.left(30).toStdString();
    EXPECT_EQ(Core->RejectedDataStrings, 0) << Shown << ": " << Core->PortData1.toStdString();
    EXPECT_EQ(Core->PortData1, QString::fromLatin1(Good).trimmed()) << Shown;
    EXPECT_EQ(Core->Value(Core->WP1Index), QStringLiteral("10.500")) << Shown;
    EXPECT_EQ(Core->History.Time_Array_Index(), 1) << Shown;
  }
}

TEST(DataStringHandler, BadStringChangesNothingButTheStatus)
{
  struct TCase {
    AnsiString Data;
    const char* Reason;
  };
  AnsiString Garbage;
  for (int B = 0; B < 256; ++B)
    Garbage += static_cast<char>(255 - B);
  const TCase Cases[] = {
      {"1500.1\tx\t10.5\tx\t12.0\tx\t3.2\tx\t45.0", "field 9 (conductivity) is empty"},
      {"1500.1\tx\t10.5", "field 9 (conductivity) is empty"},
      {DataString("1500.1", "ten", "12.0", "3.2", "45.0"), "field 3 (pressure) is not a number"},
      {Garbage, "field 9 (conductivity) is empty"},
      {Good + AnsiString(100 * 1024, '7'), "longer than 4096 bytes"},
      // A pressure no instrument reports: a value broken on the line.
      {DataString("1500.1", "1e23", "12.0", "3.2", "45.0"), "field 3 (pressure) 1E23 is outside"},
  };
  const TClockScope Clock(T0, 1000);
  auto Core = InstrumentCore();
  Core->Output_1_Fitted = 1;
  TRecorder Rec;
  Rec.Attach(*Core);
  SioDataPacket1StringPacket(*Core, DataString("1490.0", "5.0", "10.0", "2.0", "40.0"));
  ASSERT_EQ(Core->RejectedDataStrings, 0);

  int64_t Rejected = 0;
  for (const auto& C : Cases) {
    const auto Table = Core->DataArray;
    const auto Dates = Core->DataDateArray;
    const auto Times = Core->DataTimeArray;
    Rec.Calls.clear();

    SioDataPacket1StringPacket(*Core, C.Data);

    const std::string Shown = C.Data.left(40).toStdString();
    EXPECT_EQ(Core->RejectedDataStrings, ++Rejected) << Shown;
    EXPECT_EQ(Core->DataArray, Table) << Shown;
    EXPECT_EQ(Core->DataDateArray, Dates) << Shown;
    EXPECT_EQ(Core->DataTimeArray, Times) << Shown;
    EXPECT_EQ(Core->History.Time_Array_Index(), 1) << Shown;
    EXPECT_EQ(Rec.Calls, std::vector<std::string>{"flush"}) << Shown;
    // The line is what follows the last LF (the garbage holds one).
    const AnsiString Line = C.Data.mid(C.Data.lastIndexOf('\n') + 1);
    const String Trimmed = Trim(FromAnsi(Line.left(MaxDataStringLength)));
    EXPECT_TRUE(Core->PortData1.startsWith(Trimmed.left(MaxStatusEchoLength - 3))) << Shown;
    EXPECT_TRUE(Core->PortData1.contains(QString::fromLatin1(C.Reason))) << Core->PortData1.toStdString();
    EXPECT_LE(Core->PortData1.size(), 160) << Shown;
  }

  // The next good string is taken as usual.
  Rec.Calls.clear();
  SioDataPacket1StringPacket(*Core, Good);
  EXPECT_EQ(Core->RejectedDataStrings, Rejected);
  EXPECT_EQ(Core->PortData1, QString::fromLatin1(Good).trimmed());
  EXPECT_EQ(Core->Value(Core->WP1Index), QStringLiteral("10.500"));
  EXPECT_EQ(Core->History.Time_Array_Index(), 2);
  EXPECT_EQ(Rec.Calls, (std::vector<std::string>{"pump", "save", "out1", "windows", "pump"}));
}

TEST(DataStringHandler, FailedCalculationsTakeBackTheSample)
{
  const TClockScope Clock(T0, 1000);
  auto Core = InstrumentCore();
  TRecorder Rec;
  Rec.Attach(*Core);
  SioDataPacket1StringPacket(*Core, Good);
  const auto Table = Core->DataArray;
  const auto Times = Core->DataTimeArray;

  // Settings that leave no depth bins make the depth step fail.
  Core->Maximum_Pressure = 1;
  Rec.Calls.clear();
  SioDataPacket1StringPacket(*Core, DataString("1490.0", "20.0", "8.0", "2.0", "40.0"));
  EXPECT_EQ(Core->RejectedDataStrings, 1);
  EXPECT_EQ(Core->DataArray, Table);
  EXPECT_EQ(Core->DataTimeArray, Times);
  EXPECT_EQ(Core->History.Time_Array_Index(), 1);
  EXPECT_TRUE(Core->PortData1.contains(QStringLiteral("[calculations: "))) << Core->PortData1.toStdString();
  EXPECT_EQ(Rec.Calls, (std::vector<std::string>{"pump", "flush"}));
}

TEST(DataStringHandler, AFailedQYRDepthLeavesTheDepthBins)
{
  // The profiling instrument's depth is worked out before the QYR depths;
  // a QYR reading that overflows must not leave its sample in the bins.
  const TClockScope Clock(T0);
  auto Core = MakeCore({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 16});
  Core->DataArray[Core->QYR1Index] = QStringLiteral("5.000");
  SioDataPacket1StringPacket(*Core, Good);
  ASSERT_EQ(Core->RejectedDataStrings, 0);
  const TDepthBins Before = Core->Bins;
  const auto Table = Core->DataArray;

  Core->DataArray[Core->QYR1Index] = QStringLiteral("1e100");
  auto Expected = Table;
  Expected[Core->QYR1Index] = Core->DataArray[Core->QYR1Index];
  SioDataPacket1StringPacket(*Core, DataString("1490.0", "30.0", "8.0", "2.0", "40.0"));

  EXPECT_EQ(Core->RejectedDataStrings, 1);
  EXPECT_EQ(Core->DataArray, Expected);
  EXPECT_TRUE(SameBins(Core->Bins, Before));
}

TEST(DataStringHandler, SettingsReloadInsideThePumpIsNotUndone)
{
  // A reload that runs in the message pump rebuilds the table (here with the
  // same slots, so it has the same size); when the calculations then fail,
  // the entries from before the reload must not be written into it.
  const TClockScope Clock(T0);
  auto Core = InstrumentCore();
  bool Reloaded = false;
  Core->Hooks.ProcessMessages = [&] {
    if (Reloaded)
      return;
    Reloaded = true;
    const Array2D Same = Core->SerialArray;
    Core->RebuildFromSlots(Same);
    Core->Maximum_Pressure = 1;
  };
  SioDataPacket1StringPacket(*Core, Good);
  EXPECT_EQ(Core->RejectedDataStrings, 1);
  EXPECT_EQ(Core->DataArray, std::vector<String>(24, QStringLiteral("0.000")));
}

TEST(DataStringHandler, SettingsReloadInsideThePumpDropsTheString)
{
  // A reload in the pump (the set-up screen's fitted check box, Reset
  // Display) leaves a table of "0.000": the string must not go on to file a
  // sample of zeros or send a depth of 0 to the survey equipment.
  for (const int32_t Reset : {0, 1}) {
    SCOPED_TRACE(Reset);
    const TClockScope Clock(T0);
    auto Core = InstrumentCore();
    Core->Output_1_Fitted = 1;
    TRecorder Rec;
    Rec.Attach(*Core);
    SioDataPacket1StringPacket(*Core, Good);
    ASSERT_EQ(Core->History.Time_Array_Index(), 1);
    const int32_t Bin = Core->Bins.SVA_Array_Index;
    const double Depth = Core->DepthTables.Value(slBathyDepth, Bin);
    ASSERT_NE(Depth, 0.0);
    Rec.Calls.clear();
    Rec.Sent.clear();
    bool Reloaded = false;
    Core->Hooks.ProcessMessages = [&] {
      Rec.Calls.push_back("pump");
      if (Reloaded)
        return;
      Reloaded = true;
      Core->Reset_Data_Flag = Reset;
      const Array2D Same = Core->SerialArray;
      Core->RebuildFromSlots(Same);
      Core->Reset_Data_Flag = 0;
    };

    SioDataPacket1StringPacket(*Core, DataString("1490.0", "10.6", "8.0", "2.0", "40.0"));

    EXPECT_EQ(Core->RejectedDataStrings, 1);
    EXPECT_TRUE(Core->PortData1.contains(QStringLiteral("settings reloaded"))) << Core->PortData1.toStdString();
    EXPECT_EQ(Core->DataArray, std::vector<String>(24, QStringLiteral("0.000")));
    EXPECT_EQ(Core->History.Time_Array_Index(), Reset ? 0 : 1);
    EXPECT_EQ(Core->DepthTables.Value(slBathyDepth, Bin), Reset ? 0.0 : Depth);
    EXPECT_TRUE(Rec.Sent.empty());
    // The reload flushed the port and re-armed the packet; the next string
    // is not thrown away.
    EXPECT_EQ(Rec.Calls, std::vector<std::string>{"pump"});
  }
}

TEST(DataStringHandler, AtmosphericCorrection)
{
  struct TCase {
    const char* Atmos;      // slot 0's Atmos flag
    bool AtmosphericFitted; // slot 11
    const char* Atmospheric;
    double Tare;
    const char* Pressure; // stored, or the reason when refused
  };
  const TCase Cases[] = {
      {"1", true, "10.130", 0, "10.000"},
      {"1", true, "10.130", 10.1, "20.100"},
      {"0", true, "10.130", 10.1, "20.130"},
      // No atmospheric instrument: entry 0 holds some other item's value,
      // which must not be subtracted.
      {"1", false, "10.130", 0, "20.130"},
      {"1", true, "n/a", 0, "atmospheric pressure is not a number"},
  };
  const TClockScope Clock(T0);
  for (const auto& C : Cases) {
    auto Core = C.AtmosphericFitted ? MakeCore({0, 1, 2, 3, 4, 11}) : MakeCore({0, 1, 2, 3, 4});
    Core->SerialArray[0][SerialAtmos] = QString::fromLatin1(C.Atmos);
    Core->Atmos_Pressure_On_Tare = C.Tare;
    const int32_t At = C.AtmosphericFitted ? Core->AP1Index : 0;
    Core->DataArray[static_cast<size_t>(At)] = QString::fromLatin1(C.Atmospheric);

    SioDataPacket1StringPacket(*Core, DataString("1500.1", "20.13", "12.0", "3.2", "45.0"));
    if (Core->RejectedDataStrings == 0)
      EXPECT_EQ(Core->Value(Core->WP1Index), QString::fromLatin1(C.Pressure)) << C.Atmospheric << " " << C.Tare;
    else
      EXPECT_TRUE(Core->PortData1.contains(QString::fromLatin1(C.Pressure))) << Core->PortData1.toStdString();
  }
}

TEST(DataStringHandler, DuringAReplayOnlyTheValueTableChanges)
{
  const TClockScope Clock(T0);
  auto Core = InstrumentCore();
  Core->Output_1_Fitted = 1;
  TRecorder Rec;
  Rec.Attach(*Core);
  Core->File_Replay_Flag = 1;
  SioDataPacket1StringPacket(*Core, Good);
  EXPECT_EQ(Core->Value(Core->WP1Index), QStringLiteral("10.500"));
  EXPECT_NE(Core->Value(Core->SalinityIndex), QStringLiteral("0.000"));
  EXPECT_EQ(Core->History.Time_Array_Index(), 0);
  EXPECT_TRUE(Core->History.Value(slWP1, 0).isEmpty());
  EXPECT_EQ(Core->DepthTables.Value(slWP1, Core->Bins.SVA_Array_Index), 0);
  EXPECT_EQ(Rec.Calls, std::vector<std::string>{"pump"});
}

// ---------------------------------------------------------------------------
// Calculations

// A core holding one measured sample as text.
std::unique_ptr<TCoreData> MeasuredCore(const char* Alt, const char* SV)
{
  auto Core = InstrumentCore();
  Core->DataArray[Core->ConductivityIndex] = QStringLiteral("42.914");
  Core->DataArray[Core->WP1Index] = QStringLiteral("100.000");
  Core->DataArray[Core->WT1Index] = QStringLiteral("15.000");
  Core->DataArray[Core->ALT1Index] = QString::fromLatin1(Alt);
  Core->DataArray[Core->SVS1Index] = QString::fromLatin1(SV);
  return Core;
}

TEST(Run_Calculations, CorrectedAltimeter)
{
  const TClockScope Clock(T0);
  TCalcSettings Settings;
  const double S = Salinity(15, 100, 42.914);
  const double V = SoundSpeed(15, 100, S, 50.42741, Settings);
  struct TCase {
    const char* SV_Value;
    double Offset;
    String Expected;
  };
  const TCase Cases[] = {
      {"1500", -1000, "1003.200"},
      {"1500", 0, "3.200"},
      {"1600", 0.2, "3.213"},
      // Not a whole number: the range as measured, without the offset.
      {"1480.5", -1000, "3.200"},
      {"abc", 5, "3.200"},
      {"Measured", 0, "3.168"}, // 1485 / 1500 * 3.2
      {"Calculated", 1, FormatFloat("##0.000", 3.2 * (V / 1500) - 1)},
  };
  for (const auto& C : Cases) {
    auto Core = MeasuredCore("3.200", "1485.000");
    Core->SV_Value = QString::fromLatin1(C.SV_Value);
    Core->Altimeter_Offset = C.Offset;
    Run_Calculations(*Core);
    EXPECT_EQ(Core->Value(Core->ALT1Index), C.Expected) << C.SV_Value;
  }
}

TEST(Run_Calculations, UnfittedInputsDoNotBorrowTheSharedEntry)
{
  const TClockScope Clock(T0);
  // Temperature (slot 2) and sound velocity (slot 4) not fitted; the shared
  // entry 0 holds 25, the last value some unfitted item wrote.
  auto Core = MakeCore({0, 1, 3, 5, 6, 7, 8, 9, 10});
  Core->DataArray[Core->ConductivityIndex] = QStringLiteral("42.914");
  Core->DataArray[Core->WP1Index] = QStringLiteral("100.000");
  Core->DataArray[Core->ALT1Index] = QStringLiteral("3.200");
  Core->DataArray[0] = QStringLiteral("25.000");
  Core->SV_Value = QStringLiteral("Measured");
  Core->Altimeter_Offset = 0;
  Run_Calculations(*Core);
  EXPECT_EQ(Core->Value(Core->SalinityIndex), FormatFloat("##0.000", Salinity(0, 100, 42.914)));
  // No measured sound velocity: the range scales by 0.
  EXPECT_EQ(Core->Value(Core->ALT1Index), QStringLiteral("0.000"));
}

TEST(Run_Calculations, QYRDepthsOnlyForFittedSensors)
{
  const TClockScope Clock(T0);
  // QYR 1 (slot 12) with its depth (slot 16); QYR 3's depth (slot 18) is
  // fitted but its sensor (slot 14) is not, so nothing computes it.
  auto Core = MakeCore({0, 1, 2, 3, 4, 6, 12, 16, 18});
  Core->DataArray[Core->ConductivityIndex] = QStringLiteral("42.914");
  Core->DataArray[Core->WP1Index] = QStringLiteral("100.000");
  Core->DataArray[Core->WT1Index] = QStringLiteral("15.000");
  Core->DataArray[Core->QYR1Index] = QStringLiteral("50.000");
  Run_Calculations(*Core);
  const double QDepth = StrToFloat(Core->Value(Core->QYR1DepthIndex));
  EXPECT_GT(QDepth, 49.0);
  EXPECT_LT(QDepth, StrToFloat(Core->Value(Core->BathyDepthIndex)));
  EXPECT_EQ(Core->DataTimeArray[Core->QYR1DepthIndex], TimeOf(T0));
  EXPECT_EQ(Core->Value(Core->QYR3DepthIndex), QStringLiteral("0.000"));
}

// ---------------------------------------------------------------------------
// Sample store

TEST(SampleStore, BinOutsideTheTablesStoresTheHistoryOnly)
{
  const TClockScope Clock(T0);
  for (const int32_t Bin : {0, -3, 6001}) {
    auto Core = InstrumentCore();
    Core->DataArray[Core->WP1Index] = QStringLiteral("7.000");
    Core->Bins.SVA_Array_Index = Bin;
    StoreSample(*Core, DateOf(T0), TimeOf(T0));
    EXPECT_EQ(Core->History.Time_Array_Index(), 1) << Bin;
    EXPECT_EQ(Core->History.Value(slWP1, 0), QStringLiteral("7.000")) << Bin;
    for (const int32_t B : {1, 6000})
      EXPECT_EQ(Core->DepthTables.Value(slWP1, B), 0) << Bin;
  }
}

TEST(SampleStore, TextThatDoesNotConvertStoresNothing)
{
  auto Core = InstrumentCore();
  Core->Bins.SVA_Array_Index = 5;
  Core->DataArray[Core->WT1Index] = QStringLiteral("warm");
  EXPECT_THROW(StoreSample(*Core, 1, 0.5), EConvertError);
  EXPECT_EQ(Core->History.Time_Array_Index(), 0);
  EXPECT_TRUE(Core->History.Value(slWP1, 0).isEmpty());
  EXPECT_EQ(Core->DepthTables.Value(slWP1, 5), 0);
}

TEST(SampleStore, SameBinKeepsTheLaterSampleAndUnfittedItemsTheSharedEntry)
{
  const TClockScope Clock(T0);
  auto Core = InstrumentCore(); // QYR 1 (slot 12) not fitted
  SioDataPacket1StringPacket(*Core, DataString("1500.0", "10.2", "12.0", "3.0", "45.0"));
  SioDataPacket1StringPacket(*Core, DataString("1500.0", "10.4", "12.5", "3.0", "45.0"));
  ASSERT_EQ(Core->RejectedDataStrings, 0);
  EXPECT_EQ(Core->Bins.SVA_Array_Index, 11);
  EXPECT_EQ(Core->DepthTables.Value(slWP1, 11), 10.4);
  EXPECT_EQ(Core->DepthTables.Value(slWT1, 11), 12.5);
  EXPECT_EQ(Core->History.Value(slQYR1, 1), Core->Value(0));
  EXPECT_EQ(Core->DepthTables.Value(slQYR1, 11), StrToFloat(Core->Value(0)));
}

// ---------------------------------------------------------------------------
// End to end

TEST(SampleRoad, ThreeSamplesThroughEveryStage)
{
  const TClockScope Clock(T0);
  auto Core = MakeFullCore();
  Core->Maximum_View_Points = 60;
  Core->Output_1_Fitted = 1;
  Core->Output_1_Format = QStringLiteral("TARNWICK");
  Core->Output_4_Fitted = 1;
  Core->Output_4_Format = QStringLiteral("SEAKING LONG");
  // The modular instruments' latest readings, as their handlers leave them.
  Core->DataArray[Core->AP1Index] = QStringLiteral("10.130");
  Core->DataArray[Core->QYR1Index] = QStringLiteral("5.000");
  Core->DataArray[Core->QYR2Index] = QStringLiteral("15.000");
  Core->DataArray[Core->QYR3Index] = QStringLiteral("25.000");
  Core->DataArray[Core->QYR4Index] = QStringLiteral("35.000");
  TRecorder Rec;
  Rec.Attach(*Core);

  struct TSample {
    const char *SV, *P, *T, *Alt, *C;
  };
  const TSample Samples[] = {
      {"1495.250", "10.500", "14.200", "35.10", "44.100"},
      {"1494.750", "20.250", "13.900", "25.30", "43.950"},
      {"1494.900", "10.400", "14.100", "35.20", "44.050"},
  };
  TDepthBins Expected; // the bins as the calculations should leave them
  TCalcSettings Settings;
  for (const auto& S : Samples) {
    SioDataPacket1StringPacket(*Core, DataString(S.SV, S.P, S.T, S.Alt, S.C));
    ASSERT_EQ(Core->RejectedDataStrings, 0) << Core->PortData1.toStdString();

    const double P = StrToFloat(S.P), T = StrToFloat(S.T), C = StrToFloat(S.C);
    const double Sal = Salinity(T, P, C);
    const double Rho = Density(T, P, Sal) + 1000;
    const double Z = BathyDepth(P, Rho, Core->g0_value, Expected, Settings);
    const double Q1 = QYRDepth(5, Core->g0_value, Expected, Settings);
    const double A = StrToFloat(S.Alt) + 1000;
    const auto Text = [&](int32_t Slot) { return Core->Value(Core->SlotIndex(Slot)); };
    EXPECT_EQ(Text(slSalinity), FormatFloat("##0.000", Sal));
    EXPECT_EQ(Text(slSoundSpeed), FormatFloat("##0.000", SoundSpeed(T, P, Sal, Core->Local_Latitude, Settings)));
    EXPECT_EQ(Text(slCalcDensity), FormatFloat("##0.000", Rho));
    EXPECT_EQ(Text(slBathyDepth), FormatFloat("##0.000", Z));
    EXPECT_EQ(Text(slQYR1Depth), FormatFloat("##0.000", Q1));
    EXPECT_EQ(Text(slALT1), FormatFloat("##0.000", A));
    EXPECT_EQ(Text(slTotalDepth), FormatFloat("##0.000", Z + A));
    EXPECT_EQ(Text(slMeanDensity), FormatFloat("##0.000", Expected.MeanDensity));
    EXPECT_EQ(Core->Bins.SVA_Array_Index, Expected.SVA_Array_Index);

    // The telegrams of this sample went out with its values.
    ASSERT_GE(Rec.Sent.size(), 2u);
    const AnsiString Tarnwick = Rec.Sent[Rec.Sent.size() - 2].second;
    EXPECT_TRUE(Tarnwick.startsWith("08/12/2026\t19:30:35\t" + Text(slConductivity).toLatin1() + "\t" +
                                    QByteArray(S.P) + "\t"));
    EXPECT_TRUE(Tarnwick.endsWith("\t35.000\t" + Text(slQYR1Depth).toLatin1() + "\t" + Text(slQYR2Depth).toLatin1() +
                                  "\t" + Text(slQYR3Depth).toLatin1() + "\t" + Text(slQYR4Depth).toLatin1() +
                                  "\t\r\n"));
    const AnsiString SeaKing = Rec.Sent.back().second;
    EXPECT_EQ(SeaKing.size(), 112);
    EXPECT_EQ(SeaKing.mid(104, 8), "031007\r\n");
  }

  // The history in arrival order, the depth tables by bin.
  EXPECT_EQ(Core->History.Time_Array_Index(), 3);
  EXPECT_EQ(Core->History.Length(), 60);
  for (int32_t J = 0; J < 3; ++J) {
    EXPECT_EQ(Core->History.Value(slWP1, J), QString::fromLatin1(Samples[J].P)) << J;
    EXPECT_EQ(Core->History.Value(slSVS1, J), QString::fromLatin1(Samples[J].SV)) << J;
    EXPECT_EQ(Core->History.Value(slAP1, J), QStringLiteral("10.130")) << J;
    EXPECT_EQ(Core->History.DateArray(J), DateOf(T0));
  }
  EXPECT_EQ(Core->DepthTables.Value(slWP1, 11), 10.4);
  EXPECT_EQ(Core->DepthTables.Value(slWT1, 11), 14.1);
  EXPECT_EQ(Core->DepthTables.Value(slWP1, 21), 20.25);
  EXPECT_EQ(Core->DepthTables.Value(slQYR2, 21), 15.0);
  EXPECT_EQ(Core->DepthTables.Value(slWP1, 12), 0);
  EXPECT_EQ(Core->Bins.TableDepthArray(21), 21);
  EXPECT_EQ(Core->PortData2, FromAnsi(Rec.Sent[Rec.Sent.size() - 2].second));
  EXPECT_EQ(Core->PortData10, FromAnsi(Rec.Sent.back().second));
}

} // namespace
