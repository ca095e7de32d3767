#include "app/core/DataReplay.h"

#include "CoreFixture.h"
#include "DataFilesFixture.h"
#include "app/core/CoreData.h"
#include "app/core/DataFiles.h"
#include "app/core/SampleRoad.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

const TDateTime T0 = EncodeDateTime(2026, 12, 8, 19, 30, 35, 0);

// A data string of the profiling instrument whose pressure and temperature
// vary with I, so that samples differ and fall into different bins.
AnsiString Sample(int I)
{
  return QByteArray::number(1500 + I * 0.25) + "\tm/s\t" + QByteArray::number(10 + 3 * I) + "\tdBar\t" +
         QByteArray::number(12 - 0.5 * I) + "\tC\t3.2\tm\t" + QByteArray::number(45 + 0.1 * I) + "\tmS/cm\t";
}

std::unique_ptr<TCoreData> InstrumentCore(int32_t ViewPoints)
{
  auto Core = MakeCore({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  Core->Maximum_View_Points = ViewPoints;
  Core->History.Reset(ViewPoints);
  return Core;
}

String Stamp(TDateTime DT) { return FormatDateTime(QStringLiteral("dd/mm/yyyy hh:nn:ss.zzz"), DT); }

// Replay history and live history agree on every slot the windows can show,
// for every fitted item.
void ExpectSameHistory(const TCoreData& Live, const TCoreData& Replayed)
{
  ASSERT_EQ(Replayed.History.Time_Array_Index(), Live.History.Time_Array_Index());
  ASSERT_EQ(Replayed.History.Length(), Live.History.Length());
  for (int32_t J = 0; J < Live.History.Length(); ++J) {
    EXPECT_EQ(Stamp(Replayed.History.DateArray(J)), Stamp(Live.History.DateArray(J))) << J;
    EXPECT_EQ(Stamp(Replayed.History.TimeArray(J)), Stamp(Live.History.TimeArray(J))) << J;
    for (int32_t Item = 0; Item < TSampleHistory::ItemCount; ++Item) {
      if (Live.SlotFitted(Item)) {
        EXPECT_EQ(Replayed.History.Value(Item, J), Live.History.Value(Item, J)) << "slot " << J << " item " << Item;
      }
    }
  }
}

class DataReplayTest : public ::testing::Test {
protected:
  QString Path(const char* Name) const { return Dir.filePath(QString::fromLatin1(Name)); }

  // Records Count samples through the sample road into Name, one second
  // apart, and stops the recording.
  void Record(TCoreData& Core, const QString& Name, int Count)
  {
    TFakeHost Host(Core);
    TDataFiles Files(Core, Host);
    Files.FileSaveData1Accept(Name);
    for (int I = 0; I < Count; ++I) {
      TTestClock::Value = IncSecond(T0, I);
      SioDataPacket1StringPacket(Core, Sample(I));
    }
    ASSERT_EQ(Core.RejectedDataStrings, 0) << Core.PortData1.toStdString();
    ASSERT_TRUE(Files.Action1Execute());
  }

  QTemporaryDir Dir;
  TClockScope Clock{T0};
};

// ---------------------------------------------------------------------------
// Round trips

TEST_F(DataReplayTest, ARecordingReplaysIntoTheHistoryAndDepthTablesItCameFrom)
{
  // Fewer lines than the history holds, and more, so that it rolls.
  for (const int32_t ViewPoints : {1440, 5}) {
    SCOPED_TRACE(ViewPoints);
    auto Live = InstrumentCore(ViewPoints);
    const QString Name = Path("trip.btd");
    Record(*Live, Name, 8);

    auto Replayed = InstrumentCore(ViewPoints);
    TFakeHost Host(*Replayed);
    TDataFiles Files(*Replayed, Host);
    int Pumps = 0;
    Replayed->Hooks.ProcessMessages = [&] { ++Pumps; };
    ASSERT_TRUE(FileOpen1Accept(Files, Name));

    ExpectSameHistory(*Live, *Replayed);
    EXPECT_EQ(Replayed->History.Time_Array_Index(), ViewPoints == 5 ? 4 : 8);
    int32_t Differences = 0;
    for (int32_t Bin = 1; Bin <= TDepthBins::BinCount; ++Bin) {
      if (Replayed->Bins.TableDepthArray(Bin) != Live->Bins.TableDepthArray(Bin))
        ++Differences;
      for (int32_t Slot = 0; Slot < SlotCount; ++Slot) {
        // The file holds each value through its slot's mask.
        const double Written =
            Live->SlotFitted(Slot)
                ? StrToFloat(FormatFloat(Live->DataFormatArray[static_cast<size_t>(Live->SlotIndex(Slot))],
                                         Live->DepthTables.Value(Slot, Bin)))
                : 0.0;
        if (Replayed->DepthTables.Value(Slot, Bin) != Written)
          ++Differences;
      }
    }
    EXPECT_EQ(Differences, 0);
    EXPECT_NE(Replayed->DepthTables.Value(slWP1, Live->Bins.SVA_Array_Index), 0.0);

    EXPECT_EQ(Replayed->File_Replay_Flag, 1);
    EXPECT_EQ(Replayed->Reset_Data_Flag, 0);
    EXPECT_EQ(Host.ResetFlags, (std::vector<int32_t>{1, 0}));
    EXPECT_EQ(Host.DepthWindowUpdates, 1);
    EXPECT_EQ(Pumps, 4);
    EXPECT_EQ(Host.On(TDataFileAction::Action1), 0);
    EXPECT_EQ(Host.On(TDataFileAction::FileSaveData1), 0);
    EXPECT_EQ(Host.On(TDataFileAction::FileOpen1), 0);
    EXPECT_EQ(Host.On(TDataFileAction::RealTimeDisplay1), 1);
    EXPECT_EQ(Host.Status[0], QStringLiteral("panel 0 before"));
    EXPECT_EQ(Host.Status[1], Name);

    // A live string during the replay leaves the loaded history alone.
    SioDataPacket1StringPacket(*Replayed, Sample(20));
    ExpectSameHistory(*Live, *Replayed);

    // And "RealTime Display" returns to live data with nothing loaded.
    RealTime1Execute(Files);
    EXPECT_EQ(Replayed->File_Replay_Flag, 0);
    EXPECT_EQ(Replayed->History.Time_Array_Index(), 0);
    EXPECT_EQ(Replayed->History.Value(slWP1, 0), QString());
    EXPECT_EQ(Replayed->DepthTables.Value(slWP1, Live->Bins.SVA_Array_Index), 0.0);
    EXPECT_EQ(Host.ResetFlags, (std::vector<int32_t>{1, 0, 1}));
    Host.ExpectIdleActions();
    EXPECT_EQ(Host.Status[1], QStringLiteral("RealTime Data"));
  }
}

TEST_F(DataReplayTest, OpeningAFileWhileRecordingFinishesTheRecordingFirst)
{
  auto Core = InstrumentCore(1440);
  const QString Old = Path("old.btd");
  Record(*Core, Old, 3);

  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  Files.FileSaveData1Accept(Path("running.btd"));
  SioDataPacket1StringPacket(*Core, Sample(1));
  const int32_t Bin = Core->Bins.SVA_Array_Index;
  const String PressureCell = QStringLiteral("\t13.000\t"); // slot 1 of Sample(1)

  ASSERT_TRUE(FileOpen1Accept(Files, Old));
  EXPECT_EQ(Files.Save_Data_Flag(), 0);
  EXPECT_EQ(FileLines(Path("running.btd")).size(), 2);
  const QList<QByteArray> Depth = FileLines(Path("running.bdd"));
  ASSERT_EQ(Depth.size(), 6001);
  // Written before the replay cleared the tables.
  EXPECT_TRUE(QString::fromLatin1(Depth[Bin]).contains(PressureCell)) << Depth[Bin].toStdString();
  EXPECT_EQ(Core->History.Time_Array_Index(), 3);
  EXPECT_EQ(Core->History.Value(slWP1, 2), QStringLiteral("16.000"));
}

// ---------------------------------------------------------------------------
// Files that do not fit the fitted sensors

TEST_F(DataReplayTest, AFileNamingOtherSensorsIsRefusedBeforeAnythingChanges)
{
  // Recorded with slots 1, 2 and 5.
  const QString Name = Path("three.btd");
  {
    auto Recorder = MakeCore({1, 2, 5});
    TFakeHost Host(*Recorder);
    TDataFiles Files(*Recorder, Host);
    Files.FileSaveData1Accept(Name);
    UpdateData(*Recorder);
    Files.Action1Execute();
  }
  WriteAll(Path("empty.btd"), "");
  WriteAll(Path("other.btd"), "Depth, m\tSVA\r\n1\t0\r\n");

  struct TCase {
    const char* What;
    std::unique_ptr<TCoreData> Core;
    QString File;
    QString Reason;
  };
  auto Renamed = MakeCoreWith({{1, "S1", "u", "0.0"}, {2, "Temp", "C", "0.0"}, {5, "S5", "u", "0.0"}});
  TCase Cases[] = {
      {"fewer sensors", MakeCore({1, 2}), Name,
       Name + QStringLiteral(" has 5 columns where the fitted sensors need 4")},
      {"more sensors", MakeCore({1, 2, 5, 6}), Name,
       Name + QStringLiteral(" has 5 columns where the fitted sensors need 6")},
      {"other slots", MakeCore({1, 2, 6}), Name,
       QStringLiteral("column 5 of ") + Name + QStringLiteral(" is 'S5, u' where the fitted sensors have 'S6, u'")},
      {"renamed", std::move(Renamed), Name,
       QStringLiteral("column 4 of ") + Name + QStringLiteral(" is 'S2, u' where the fitted sensors have 'Temp, C'")},
      {"empty file", MakeCore({1, 2, 5}), Path("empty.btd"), Path("empty.btd") + QStringLiteral(" is empty")},
      {"not a recording", MakeCore({1, 2, 5}), Path("other.btd"),
       QStringLiteral("column 1 of ") + Path("other.btd") +
           QStringLiteral(" is 'Depth, m' where the fitted sensors have 'Date'")},
  };
  for (TCase& C : Cases) {
    SCOPED_TRACE(C.What);
    TCoreData& Core = *C.Core;
    TFakeHost Host(Core);
    TDataFiles Files(Core, Host);
    // Live data and a recording in progress, which must both go on.
    Files.FileSaveData1Accept(Path("live.btd"));
    SioDataPacket1StringPacket(Core, Sample(1));
    const int32_t Index = Core.History.Time_Array_Index();
    const auto Before = Host.Enabled;

    EXPECT_FALSE(FileOpen1Accept(Files, C.File));

    EXPECT_EQ(Host.Status[0], QStringLiteral("Invalid Data Format: ") + C.Reason);
    EXPECT_EQ(Core.File_Replay_Flag, 0);
    EXPECT_TRUE(Host.ResetFlags.empty());
    EXPECT_EQ(Core.History.Time_Array_Index(), Index);
    EXPECT_EQ(Files.Save_Data_Flag(), 1);
    EXPECT_EQ(Host.Enabled, Before);
    EXPECT_EQ(Host.Status[1], QStringLiteral("panel 1 before"));
    Files.CloseDataFiles();
  }
}

TEST_F(DataReplayTest, ANameOutsideTheCodePageStillMatchesItsOwnRecording)
{
  auto Core = MakeCoreWith({{1, "Conductivity", "\u03bcS/cm", "0.0"}}); // Greek mu: not in the code page
  const QString Name = Path("mu.btd");
  Record(*Core, Name, 2);
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  ASSERT_TRUE(FileOpen1Accept(Files, Name));
  EXPECT_EQ(Core->History.Time_Array_Index(), 2);
}

// ---------------------------------------------------------------------------
// Bad lines

class DataReplayLinesTest : public DataReplayTest {
protected:
  // Slots 1, 2 and 5 fitted; a depth file with Bins good lines (bin i holds
  // i, i / 10, i / 100, 2i), then Tail.
  void SetUp() override { Core = MakeCore({1, 2, 5}); }

  void WriteDepthFile(const QString& Name, int Bins, const QByteArray& Tail = {})
  {
    QByteArray S = "Depth, m\tS1, u\tS2, u\tS5, u\r\n";
    for (int I = 1; I <= Bins; ++I)
      S += QByteArray::number(I) + "\t" + QByteArray::number(I / 10.0) + "\t" + QByteArray::number(I / 100.0) + "\t" +
           QByteArray::number(2 * I) + "\t\r\n";
    WriteAll(Name, S + Tail);
  }

  std::unique_ptr<TCoreData> Core;
};

TEST_F(DataReplayLinesTest, ABadLineIsSkippedAndAShortOneFilledWithEmptyText)
{
  const QByteArray Long(MaxReplayFieldLength + 1, '9');
  const QString Name = Path("lines.btd");
  WriteAll(Name, "Date\tTime\tS1, u\tS2, u\tS5, u\r\n"
                 "13/04/2023\t09:00:00\t1\t2\t3\t\r\n"
                 "31/02/2023\t09:00:01\t1\t2\t3\t\r\n" // no such date
                 "13/04/2023\t25:00:00\t1\t2\t3\t\r\n" // no such time
                 "13/04/2023\t09:00:03\t4\t\r\n"       // values missing
                 "\r\n"
                 "13/04/2023 09:00:04 5 6 7\r\n"     // no TABs at all
                 "13/04/2023\t09:00:05\t7\t8\t9\r\n" // no TAB after the last value
                 "13/04/2023\t09:00:06\t" +
                     Long +
                     "\t5\t6\t\r\n"
                     "13/04/2023\t09:00:07\t10\t11\t12\t\r\n");
  WriteDepthFile(DepthFileName(Name), 6000);
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);

  ASSERT_TRUE(FileOpen1Accept(Files, Name));

  const TSampleHistory& H = Core->History;
  ASSERT_EQ(H.Time_Array_Index(), 4);
  const struct {
    const char* Time;
    const char *WP1, *WT1, *SoundSpeed;
  } Expected[] = {{"09:00:00", "1", "2", "3"},
                  {"09:00:03", "4", "", ""},
                  {"09:00:05", "7", "8", ""},
                  {"09:00:07", "10", "11", "12"}};
  for (int32_t J = 0; J < 4; ++J) {
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd/mm/yyyy hh:nn:ss"), H.DateArray(J) + H.TimeArray(J)),
              QStringLiteral("13/04/2023 ") + QLatin1String(Expected[J].Time));
    EXPECT_EQ(H.Value(slWP1, J), QLatin1String(Expected[J].WP1)) << J;
    EXPECT_EQ(H.Value(slWT1, J), QLatin1String(Expected[J].WT1)) << J;
    EXPECT_EQ(H.Value(slSoundSpeed, J), QLatin1String(Expected[J].SoundSpeed)) << J;
  }
  // The last problem met is the one shown.
  EXPECT_EQ(Host.Status[0], QStringLiteral("Invalid Data Format: line 9: field 3 is longer than 255 characters"));
  EXPECT_EQ(Core->DepthTables.Value(slSoundSpeed, 6000), 12000.0);
}

TEST_F(DataReplayLinesTest, TheDepthFileIsReadUpToItsFirstBadLine)
{
  const QString Name = Path("depth.btd");
  WriteAll(Name, "Date\tTime\tS1, u\tS2, u\tS5, u\r\n13/04/2023\t09:00:00\t1\t2\t3\t\r\n");
  const QString Depth = DepthFileName(Name);
  const struct {
    const char* What;
    int Bins;
    QByteArray Tail;
    int LoadedBins;
    QString Status; // panel 0 afterwards
  } Cases[] = {
      {"whole", 6000, "", 6000, QStringLiteral("panel 0 before")},
      {"longer than the table", 6000, "6001\t1\t1\t1\t\r\n", 6000, QStringLiteral("panel 0 before")},
      {"short", 3, "", 3,
       QStringLiteral("Invalid Data Format: ") + Depth + QStringLiteral(" ends after 3 of 6000 bins")},
      {"bad value", 3, "4\t0.4\tx\t8\t\r\n", 3,
       QStringLiteral("Invalid Data Format: line 5: field 3 'x' is not a number")},
      {"bad depth", 3, "four\t0.4\t0.04\t8\t\r\n", 3,
       QStringLiteral("Invalid Data Format: line 5: depth 'four' is not a whole number")},
      {"values missing", 3, "4\t0.4\t\r\n", 3,
       QStringLiteral("Invalid Data Format: line 5: field 3 '' is not a number")},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.What);
    Core = MakeCore({1, 2, 5});
    WriteDepthFile(Depth, C.Bins, C.Tail);
    TFakeHost Host(*Core);
    TDataFiles Files(*Core, Host);
    ASSERT_TRUE(FileOpen1Accept(Files, Name));
    EXPECT_EQ(Host.Status[0], C.Status);
    int32_t Loaded = 0;
    for (int32_t Bin = 1; Bin <= TDepthBins::BinCount; ++Bin)
      if (Core->Bins.TableDepthArray(Bin) == Bin && Core->DepthTables.Value(slWP1, Bin) == Bin / 10.0 &&
          Core->DepthTables.Value(slWT1, Bin) == Bin / 100.0 && Core->DepthTables.Value(slSoundSpeed, Bin) == 2 * Bin)
        ++Loaded;
    EXPECT_EQ(Loaded, C.LoadedBins);
    // Nothing of the failing line, nothing after it.
    if (C.LoadedBins < 6000) {
      EXPECT_EQ(Core->Bins.TableDepthArray(C.LoadedBins + 1), 0);
      EXPECT_EQ(Core->DepthTables.Value(slWP1, C.LoadedBins + 1), 0.0);
    }
    EXPECT_EQ(Host.DepthWindowUpdates, 1);
    EXPECT_EQ(Core->History.Time_Array_Index(), 1);
  }
}

TEST_F(DataReplayLinesTest, ADepthFileThatDoesNotFitLoadsNoBins)
{
  const QString Name = Path("unfit.btd");
  WriteAll(Name, "Date\tTime\tS1, u\tS2, u\tS5, u\r\n13/04/2023\t09:00:00\t1\t2\t3\t\r\n");
  const QString Depth = DepthFileName(Name);
  const struct {
    const char* What;
    QByteArray Text;
    QString Reason;
  } Cases[] = {
      // A recording that never stopped: its depth file is still empty.
      {"empty", "", Depth + QStringLiteral(" is empty")},
      {"other sensors", "Depth, m\tS1, u\tS2, u\r\n1\t1\t1\t\r\n",
       Depth + QStringLiteral(" has 3 columns where the fitted sensors need 4")},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.What);
    Core = MakeCore({1, 2, 5});
    WriteAll(Depth, C.Text);
    TFakeHost Host(*Core);
    TDataFiles Files(*Core, Host);
    ASSERT_TRUE(FileOpen1Accept(Files, Name));
    EXPECT_EQ(Host.Status[0], QStringLiteral("Invalid Data Format: ") + C.Reason);
    EXPECT_EQ(Core->Bins.TableDepthArray(1), 0);
    EXPECT_EQ(Core->DepthTables.Value(slWP1, 1), 0.0);
    EXPECT_EQ(Core->History.Time_Array_Index(), 1);
  }
}

TEST_F(DataReplayLinesTest, MissingFilesRaiseNamingThem)
{
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  // No time-series file: refused before anything changes.
  const QString Missing = Path("missing.btd");
  try {
    FileOpen1Accept(Files, Missing);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& E) {
    EXPECT_EQ(E.ErrorCode, 2);
    EXPECT_TRUE(E.Message().startsWith(Missing)) << E.Message().toStdString();
  }
  EXPECT_EQ(Core->File_Replay_Flag, 0);
  EXPECT_TRUE(Host.ResetFlags.empty());

  // No depth file: the history is loaded and the replay ends there.
  const QString Name = Path("alone.btd");
  WriteAll(Name, "Date\tTime\tS1, u\tS2, u\tS5, u\r\n13/04/2023\t09:00:00\t1\t2\t3\t\r\n");
  try {
    FileOpen1Accept(Files, Name);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& E) {
    EXPECT_EQ(E.ErrorCode, 2);
    EXPECT_TRUE(E.Message().startsWith(DepthFileName(Name))) << E.Message().toStdString();
  }
  EXPECT_EQ(Core->File_Replay_Flag, 1);
  EXPECT_EQ(Core->Reset_Data_Flag, 0);
  EXPECT_EQ(Core->History.Time_Array_Index(), 1);
  EXPECT_EQ(Host.On(TDataFileAction::RealTimeDisplay1), 1);
}

} // namespace
