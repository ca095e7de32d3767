// A recording made by the whole program, replayed by it: the simulated
// profiling instrument streams a cast on a pseudo-terminal (the program's
// COM1), the main window records it, and "Open Data File" must bring back
// the history and the depth tables the live samples left, as the files hold
// them.
#include "MainFormFixture.h"

#include "app/core/DataFiles.h"
#include "app/core/DataReplay.h"
#include "rtl/DateTime.h"
#include "rtl/Numbers.h"

#include "sim/CastProfile.h"
#include "sim/InstrumentSimulator.h"

#include "platform/ActnList.h"
#include "platform/Menus.h"

#include <QFile>

#include <vector>

namespace {

// Just before a year's end, so that the recording runs into the next day,
// month and year; with a part of a second, which the time-series file
// does not keep.
const TDateTime T0 = EncodeDateTime(2026, 12, 31, 23, 59, 20, 125);
// How far the clock moves on after each sample.
constexpr int64_t SampleStepMs = 1250;
constexpr int32_t Samples = 60;

String Stamp(TDateTime DT) { return FormatDateTime(QStringLiteral("dd/mm/yyyy hh:nn:ss.zzz"), DT); }

// A time of day as the time-series file keeps it: to the whole second.
TDateTime WholeSeconds(TDateTime TimeOfDay)
{
  uint16_t H, M, S, Ms;
  DecodeTime(TimeOfDay, H, M, S, Ms);
  return EncodeTime(H, M, S, 0);
}

// What the recording leaves behind in the core when it stops, and what a
// replay of its files must restore.
struct TRecorded {
  TSampleHistory History;
  std::vector<bool> Fitted = std::vector<bool>(SlotCount);
  std::vector<int32_t> Depth = std::vector<int32_t>(TDepthBins::BinCount + 1);
  // Per slot and bin: the value as the depth file holds it, through the
  // slot's mask; 0 for a slot that is not fitted (the file has no column
  // for it).
  std::vector<std::vector<double>> Written =
      std::vector<std::vector<double>>(SlotCount, std::vector<double>(TDepthBins::BinCount + 1));

  explicit TRecorded(const TCoreData& Core) : History(Core.History)
  {
    for (int32_t Slot = 0; Slot < SlotCount; ++Slot)
      Fitted[static_cast<size_t>(Slot)] = Core.SlotFitted(Slot);
    for (int32_t Bin = 1; Bin <= TDepthBins::BinCount; ++Bin) {
      Depth[static_cast<size_t>(Bin)] = Core.Bins.TableDepthArray(Bin);
      for (int32_t Slot = 0; Slot < SlotCount; ++Slot)
        if (Core.SlotFitted(Slot))
          Written[static_cast<size_t>(Slot)][static_cast<size_t>(Bin)] = StrToFloat(FormatFloat(
              Core.DataFormatArray[static_cast<size_t>(Core.SlotIndex(Slot))], Core.DepthTables.Value(Slot, Bin)));
    }
  }

  // Bins the cast filled, by the pressure column.
  int32_t FilledBins() const
  {
    int32_t N = 0;
    for (int32_t Bin = 1; Bin <= TDepthBins::BinCount; ++Bin)
      if (Written[slWP1][static_cast<size_t>(Bin)] != 0.0)
        ++N;
    return N;
  }

  // The replayed history: every slot the windows replay, with the stamps to
  // the whole second and every fitted item's text unchanged.
  void ExpectHistory(const TCoreData& Replayed) const
  {
    ASSERT_EQ(Replayed.History.Time_Array_Index(), History.Time_Array_Index());
    ASSERT_EQ(Replayed.History.Length(), History.Length());
    for (int32_t J = 0; J < History.Time_Array_Index(); ++J) {
      EXPECT_EQ(Stamp(Replayed.History.DateArray(J)), Stamp(History.DateArray(J))) << "history slot " << J;
      EXPECT_EQ(Stamp(Replayed.History.TimeArray(J)), Stamp(WholeSeconds(History.TimeArray(J))))
          << "history slot " << J;
      for (int32_t Item = 0; Item < TSampleHistory::ItemCount; ++Item) {
        if (Fitted[static_cast<size_t>(Item)]) {
          EXPECT_EQ(Replayed.History.Value(Item, J), History.Value(Item, J))
              << "history slot " << J << " item " << Item;
        }
      }
    }
  }

  void ExpectDepthTables(const TCoreData& Replayed) const
  {
    int32_t Differences = 0;
    for (int32_t Bin = 1; Bin <= TDepthBins::BinCount; ++Bin) {
      if (Replayed.Bins.TableDepthArray(Bin) != Depth[static_cast<size_t>(Bin)]) {
        if (++Differences <= 5)
          ADD_FAILURE() << "bin " << Bin << ": depth " << Replayed.Bins.TableDepthArray(Bin) << " where "
                        << Depth[static_cast<size_t>(Bin)] << " was recorded";
      }
      for (int32_t Slot = 0; Slot < SlotCount; ++Slot) {
        const double Want = Written[static_cast<size_t>(Slot)][static_cast<size_t>(Bin)];
        if (Replayed.DepthTables.Value(Slot, Bin) != Want && ++Differences <= 5)
          ADD_FAILURE() << "bin " << Bin << " slot " << Slot << ": " << Replayed.DepthTables.Value(Slot, Bin)
                        << " where the file holds " << Want;
      }
    }
    EXPECT_EQ(Differences, 0);
  }
};

class RecordingRoundTripTest : public TMainFormTest {
protected:
  // Declared here so that they outlive the window, which the fixture's
  // TearDown frees: a line that vanished under an open port is a device
  // failure, and the window reads the clock to its end.
  TClockScope Clock{T0};
  sim::InstrumentSimulator Instrument{sim::InstrumentKind::Quorndeck};
};

TEST_F(RecordingRoundTripTest, ACastRecordedFromTheInstrumentReplaysIntoTheHistoryAndDepthTablesItLeft)
{
  sim::CastParams Cast;
  Cast.MaxDepth = 20.0; // a cast of 80 samples: down through about 20 bins
  Cast.StepMetres = 0.5;
  Cast.Seed = 11;
  Instrument.SetIntervalMs(5);
  // Not before the program listens and records: every sample it takes must
  // be in the file.
  Instrument.SetRunning(false);
  Instrument.Start();
  MapComPort(1, QString::fromStdString(Instrument.SlavePath()));

  // Slot 0 is the instrument on COM1; slots 1 to 10 are its measured and
  // derived values, all on the instrument's port, each with a name of its
  // own and a mask of its own.
  const struct {
    const char *Label, *Units, *Mask;
  } Slots[] = {
      {"Conductivity", "mS/cm", "0.000"},
      {"Pressure", "dBar", "0.00"},
      {"Temperature", "C", "0.0000"},
      {"Altimeter", "m", "##0.0"},
      {"SV Sensor", "m/s", "0.00"},
      {"Sound Speed", "m/s", "0.000"},
      {"Depth", "m", "0.000"},
      {"Total Depth", "m", "0.0"},
      {"Density", "kg/m3", "0.00"},
      {"Mean Density", "kg/m3", "0.000"},
      {"Salinity", "PSU", "0.0000"},
  };
  QByteArray Ini;
  for (int N = 0; N <= 10; ++N)
    Ini += "[Serial " + QByteArray::number(N) +
           "]\r\nFitted=1\r\nPort=1\r\nBaud=19200\r\nPacket=1\r\nLabel=" + Slots[N].Label +
           "\r\nUnits=" + Slots[N].Units + "\r\nOutput Format=" + Slots[N].Mask + "\r\n";
  WriteSettings(Ini);
  TMainForm& F = Start();
  ASSERT_TRUE(BindingProblems().isEmpty()) << BindingProblems().join(QLatin1Char('\n')).toStdString();
  ASSERT_EQ(Core().SensorCount, 11);
  ASSERT_GT(Core().History.Length(), Samples) << "the history must not roll: its index counts the samples";

  // The clock stands still while a sample goes through the program and
  // moves on once it has been filed and written: the history and the file
  // are stamped alike, whatever the machine's speed.
  Core().Hooks.UpdateWindows = [Windows = Core().Hooks.UpdateWindows] {
    if (Windows)
      Windows();
    TTestClock::Value = IncMilliSecond(TTestClock::Value, SampleStepMs);
  };

  const QString Name = TempPath(QStringLiteral("cast.btd"));
  F.DataFiles().FileSaveData1Accept(Name);
  ASSERT_EQ(F.DataFiles().Save_Data_Flag(), 1);
  Instrument.SetProfile(Cast);
  Instrument.SetRunning(true);
  ASSERT_TRUE(PumpUntil([this] { return Core().History.Time_Array_Index() >= Samples; }, 20000))
      << "samples taken: " << Core().History.Time_Array_Index() << ", sent: " << Instrument.SamplesSent()
      << ", last string: " << Core().PortData1.toStdString();

  // Stopped and copied with no message pump in between: the copy is what
  // was recorded. The instrument keeps streaming.
  ASSERT_TRUE(F.DataFiles().Action1Execute()) << F.StatusText(0).toStdString();
  const TRecorded Recorded(Core());
  const int32_t Taken = Recorded.History.Time_Array_Index();
  ASSERT_GE(Recorded.FilledBins(), 10);
  // The recording ran past midnight.
  ASSERT_NE(Stamp(Recorded.History.DateArray(0)).left(10), Stamp(Recorded.History.DateArray(Taken - 1)).left(10));

  // One line per sample taken, after the header.
  QFile File(Name);
  ASSERT_TRUE(File.open(QIODevice::ReadOnly));
  const QList<QByteArray> Lines = File.readAll().split('\n');
  ASSERT_TRUE(Lines.last().isEmpty()) << "the last line is not ended";
  EXPECT_EQ(Lines.size() - 2, Taken);

  ASSERT_TRUE(FileOpen1Accept(F.DataFiles(), Name)) << F.StatusText(0).toStdString();
  EXPECT_EQ(Core().File_Replay_Flag, 1);
  EXPECT_EQ(F.StatusText(1), Name);
  EXPECT_FALSE(F.FileOpen1->Enabled());
  EXPECT_FALSE(F.FileSaveData1->Enabled());
  EXPECT_TRUE(F.RealTimeDisplay1->Enabled());
  Recorded.ExpectHistory(Core());
  Recorded.ExpectDepthTables(Core());

  // The instrument's samples go on reaching the value table, and leave the
  // replayed data alone.
  const String Pressure = Core().Value(Core().WP1Index);
  ASSERT_TRUE(PumpUntil([&] { return Core().Value(Core().WP1Index) != Pressure; }, 20000))
      << "no live sample after the replay";
  Recorded.ExpectHistory(Core());
  Recorded.ExpectDepthTables(Core());
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

} // namespace
