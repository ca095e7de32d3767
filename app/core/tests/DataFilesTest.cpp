#include "app/core/DataFiles.h"

#include "CoreFixture.h"
#include "DataFilesFixture.h"
#include "app/core/CoreData.h"
#include "app/core/SampleRoad.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const TDateTime Morning = EncodeDateTime(2023, 4, 13, 9, 5, 7, 0);
const TDateTime Midnight = EncodeDateTime(2023, 4, 13, 23, 59, 59, 0);

const AnsiString Good = "1500.1\tx\t10.5\tx\t12.0\tx\t3.2\tx\t45.0\t";

std::unique_ptr<TCoreData> InstrumentCore() { return MakeCore({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}); }

// The golden recording's two samples: the value texts as the sample road
// leaves them, fanned out at the given clock.
void FeedGoldenSamples(TCoreData& Core)
{
  const char* Values[2][3] = {{"10.50", "12.345", "1500.1"}, {"-0.25", "0.000", "1499.9"}};
  const TDateTime When[2] = {Morning, Midnight};
  for (int S = 0; S < 2; ++S) {
    for (int N = 0; N < 3; ++N)
      Core.DataArray[static_cast<size_t>(2 * N + 1)] = QString::fromLatin1(Values[S][N]);
    TTestClock::Value = When[S];
    UpdateData(Core);
  }
}

// The depth tables and bin depths of the golden depth file.
void FillGoldenDepths(TCoreData& Core)
{
  Core.Bins.SetTableDepthArray(1, 1);
  Core.Bins.SetTableDepthArray(2, 2);
  Core.Bins.SetTableDepthArray(6000, 6000);
  const struct {
    int32_t Bin;
    double WP1, WT1, SoundSpeed;
  } Rows[] = {{1, 1.005, -0.0004, 1500.06}, {2, 2, 3.14159, 0}, {6000, 6000.5, 1234.5, 1e20}};
  for (const auto& R : Rows) {
    Core.DepthTables.SetValue(slWP1, R.Bin, R.WP1);
    Core.DepthTables.SetValue(slWT1, R.Bin, R.WT1);
    Core.DepthTables.SetValue(slSoundSpeed, R.Bin, R.SoundSpeed);
  }
}

// The bins of the golden SVA table.
void FillGoldenSVA(TCoreData& Core)
{
  const struct {
    int32_t Bin, Depth;
    double Value;
  } Rows[] = {{1, 1, 0.0123456789012345678}, {2, 2, 0.00001}, {3, 3, -2.5}, {6000, 6000, 123456789012345678.0}};
  for (const auto& R : Rows) {
    Core.Bins.SetTableDepthArray(R.Bin, R.Depth);
    Core.Bins.SetIntSVAArray(R.Bin, R.Value);
  }
}

// A recognisable table to check that a refused load leaves it alone.
void FillSentinelSVA(TCoreData& Core)
{
  for (int32_t Bin = 1; Bin <= TDepthBins::BinCount; ++Bin) {
    Core.Bins.SetTableDepthArray(Bin, 7 * Bin);
    Core.Bins.SetIntSVAArray(Bin, 0.5 * Bin);
  }
}

void ExpectSentinelSVA(const TCoreData& Core)
{
  int32_t Changed = 0;
  for (int32_t Bin = 1; Bin <= TDepthBins::BinCount; ++Bin)
    if (Core.Bins.TableDepthArray(Bin) != 7 * Bin || Core.Bins.IntSVAArray(Bin) != 0.5 * Bin)
      ++Changed;
  EXPECT_EQ(Changed, 0);
}

// An SVA file: the header, then Lines bins "i TAB i/10", then Tail.
QByteArray SVAText(int Lines, const QByteArray& Tail = {})
{
  QByteArray S = "Depth, m\tSVA\r\n";
  for (int I = 1; I <= Lines; ++I)
    S += QByteArray::number(I) + "\t" + QByteArray::number(I / 10.0) + "\r\n";
  return S + Tail;
}

class DataFilesTest : public ::testing::Test {
protected:
  QString Path(const char* Name) const { return Dir.filePath(QString::fromLatin1(Name)); }
  QTemporaryDir Dir;
  TClockScope Clock{Morning};
};

// ---------------------------------------------------------------------------
// Names

TEST(DataFileNames, DepthFileNameChangesOnlyTheExtension)
{
  const struct {
    const char* Data;
    const char* Depth;
  } Cases[] = {
      {"/data/run.btd", "/data/run.bdd"},
      {"/data/run.1/a.btd", "/data/run.1/a.bdd"},
      {"/data/v2.0.1/run", "/data/v2.0.1/run.bdd"},
      {"/data/a.b.btd", "/data/a.b.bdd"},
      {"run.btd", "run.bdd"},
      // The depth file must never be the recording itself.
      {"/data/run.bdd", "/data/run.bdd.bdd"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(DepthFileName(QString::fromLatin1(C.Data)), QString::fromLatin1(C.Depth)) << C.Data;
}

TEST(DataFileNames, DefaultName)
{
  const struct {
    uint16_t Y, M, D;
    const char* Serial;
    const char* Name;
  } Cases[] = {
      {2023, 4, 13, "0", "2023413_0.btd"},
      {2023, 12, 1, "1234", "2023121_1234.btd"},
      {2024, 1, 10, "../etc/x", "2024110_.._etc_x.btd"},
      {2024, 1, 10, "a\tb\rc", "2024110_a_b_c.btd"},
      {2024, 1, 10, "123456789012345678901234567890123456789", "2024110_12345678901234567890123456789012.btd"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(DefaultDataFileName(C.Y, C.M, C.D, QString::fromLatin1(C.Serial)), QString::fromLatin1(C.Name))
        << C.Serial;
}

TEST_F(DataFilesTest, BeforeExecuteOffersTodaysName)
{
  auto Core = MakeCore({0});
  Core->serial_no = QStringLiteral("57");
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  EXPECT_EQ(Files.FileSaveData1BeforeExecute(), QStringLiteral("2023413_57.btd"));
  EXPECT_EQ(Files.File_Year, 2023);
  EXPECT_EQ(Files.File_Month, 4);
  EXPECT_EQ(Files.File_Day, 13);
}

// ---------------------------------------------------------------------------
// Recording

TEST_F(DataFilesTest, RecordingWritesTheGoldenFiles)
{
  auto Core = GoldenCore();
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  const QString Name = Path("golden.btd");

  Files.FileSaveData1Accept(Name);
  EXPECT_EQ(Files.Save_Data_Flag(), 1);
  EXPECT_EQ(Host.On(TDataFileAction::Action1), 1);
  EXPECT_EQ(Host.On(TDataFileAction::FileSaveData1), 0);
  EXPECT_EQ(Host.On(TDataFileAction::FileOpen1), 0);
  EXPECT_EQ(Host.On(TDataFileAction::RealTimeDisplay1), 0);
  EXPECT_FALSE(Host.Wait);
  // Both files exist from the start; the depth file stays empty until the
  // recording stops.
  EXPECT_EQ(ReadAll(Path("golden.bdd")), QByteArray());

  FeedGoldenSamples(*Core);
  FillGoldenDepths(*Core);
  EXPECT_TRUE(Files.Action1Execute());

  EXPECT_EQ(ReadAll(Name), ReadAll(TestData("recording.btd")));
  EXPECT_EQ(ReadAll(Path("golden.bdd")), ReadAll(TestData("recording.bdd")));
  EXPECT_EQ(Files.Save_Data_Flag(), 0);
  Host.ExpectIdleActions();
  EXPECT_EQ(Host.Status[0], QStringLiteral("panel 0 before"));

  // No longer recording: a further sample writes nothing.
  UpdateData(*Core);
  EXPECT_EQ(ReadAll(Name), ReadAll(TestData("recording.btd")));
}

TEST_F(DataFilesTest, NoSensorFitted)
{
  auto Core = MakeCore({});
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  Files.FileSaveData1Accept(Path("none.btd"));
  UpdateData(*Core);
  Files.Action1Execute();
  EXPECT_EQ(ReadAll(Path("none.btd")), QByteArray("Date\tTime\r\n13/04/2023\t09:05:07\t\r\n"));
  const QList<QByteArray> Depth = FileLines(Path("none.bdd"));
  ASSERT_EQ(Depth.size(), 6001);
  EXPECT_EQ(Depth[0], QByteArray("Depth, m\r"));
  EXPECT_EQ(Depth[6000], QByteArray("0\t\r"));
}

TEST_F(DataFilesTest, EachLineIsHandedToTheSystemBeforeTheMessagePump)
{
  auto Core = GoldenCore();
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  const QString Name = Path("pump.btd");
  Files.FileSaveData1Accept(Name);
  // Whatever runs inside the pump (another sample, a stop) finds the line
  // already in the file, however the program ends afterwards.
  std::vector<int> LinesAtPump;
  Core->Hooks.ProcessMessages = [&] { LinesAtPump.push_back(static_cast<int>(FileLines(Name).size())); };
  Files.SaveTimeData();
  Files.SaveTimeData();
  EXPECT_EQ(LinesAtPump, (std::vector<int>{2, 3}));
}

TEST_F(DataFilesTest, KilledMidRecordingLeavesOnlyWholeLines)
{
  const QString Name = Path("killed.btd");
  int Pipe[2];
  ASSERT_EQ(::pipe(Pipe), 0);
  const pid_t Child = ::fork();
  ASSERT_GE(Child, 0);
  if (Child == 0) {
    // Records samples through the sample road until killed; one byte on the
    // pipe for every sample whose processing has returned.
    ::close(Pipe[0]);
    auto Core = InstrumentCore();
    TFakeHost Host(*Core);
    TDataFiles Files(*Core, Host);
    try {
      Files.FileSaveData1Accept(Name);
    } catch (...) {
      ::_exit(2);
    }
    for (;;) {
      SioDataPacket1StringPacket(*Core, Good);
      if (Files.Save_Data_Flag() != 1 || Core->RejectedDataStrings != 0)
        ::_exit(3);
      const char Done = 1;
      if (::write(Pipe[1], &Done, 1) != 1)
        ::_exit(4);
    }
  }
  ::close(Pipe[1]);
  int64_t Processed = 0;
  char Buffer[4096];
  while (Processed < 300) {
    const ssize_t N = ::read(Pipe[0], Buffer, 1);
    if (N <= 0)
      break;
    Processed += N;
  }
  ::kill(Child, SIGKILL);
  int StatusCode = 0;
  ::waitpid(Child, &StatusCode, 0);
  ASSERT_TRUE(WIFSIGNALED(StatusCode)) << "child ended by itself with " << WEXITSTATUS(StatusCode);
  for (ssize_t N; (N = ::read(Pipe[0], Buffer, sizeof Buffer)) > 0;)
    Processed += N;
  ::close(Pipe[0]);

  const QByteArray All = ReadAll(Name);
  ASSERT_TRUE(All.endsWith("\r\n")) << "last line cut: " << All.right(40).toStdString();
  const QList<QByteArray> Lines = FileLines(Name);
  ASSERT_GE(Lines.size(), 2);
  EXPECT_TRUE(Lines[0].startsWith("Date\tTime\tS0, u\t"));
  // Every processed sample is in the file; at most one more whose byte had
  // not reached the pipe yet.
  const int64_t Samples = Lines.size() - 1;
  EXPECT_GE(Samples, Processed);
  EXPECT_LE(Samples, Processed + 1);
  int64_t Broken = 0;
  for (qsizetype I = 1; I < Lines.size(); ++I) {
    const QList<QByteArray> Fields = Lines[I].split('\t');
    // Date, time, eleven values, and the "\r" after the final TAB.
    if (Fields.size() != 14 || Fields[13] != "\r" || Fields[3] != "10.500")
      ++Broken;
  }
  EXPECT_EQ(Broken, 0);
}

TEST_F(DataFilesTest, StartingWhereNoFileCanBeMadeRaisesAndRecordsNothing)
{
  WriteAll(Path("plain"), "x");
  const struct {
    QString Name;
    int32_t Code;
  } Cases[] = {
      {Path("plain/run.btd"), 3}, // a folder that is a file
      {Path("gone/run.btd"), 3},  // a folder that does not exist
      {QStringLiteral("/dev/full"), 101},
  };
  for (const auto& C : Cases) {
    auto Core = GoldenCore();
    TFakeHost Host(*Core);
    TDataFiles Files(*Core, Host);
    try {
      Files.FileSaveData1Accept(C.Name);
      ADD_FAILURE() << "no error for " << C.Name.toStdString();
    } catch (const EInOutError& E) {
      EXPECT_EQ(E.ErrorCode, C.Code) << C.Name.toStdString();
      EXPECT_TRUE(E.Message().contains(C.Name)) << E.Message().toStdString();
    }
    EXPECT_EQ(Files.Save_Data_Flag(), 0);
    Host.ExpectIdleActions();
    EXPECT_FALSE(Host.Wait);
    UpdateData(*Core); // nothing to write, nothing raised
  }
}

TEST_F(DataFilesTest, AWriteFailureMidRecordingStopsItWithAStatusText)
{
  enum class TBreak { FolderRemoved, DiskFull };
  for (const TBreak How : {TBreak::FolderRemoved, TBreak::DiskFull}) {
    const QString Folder = Path(How == TBreak::FolderRemoved ? "removed" : "full");
    ASSERT_TRUE(QDir().mkpath(Folder));
    const QString Name = Folder + QStringLiteral("/run.btd");
    auto Core = GoldenCore();
    TFakeHost Host(*Core);
    TDataFiles Files(*Core, Host);
    int WindowUpdates = 0;
    Core->Hooks.UpdateWindows = [&] { ++WindowUpdates; };
    Files.FileSaveData1Accept(Name);
    UpdateData(*Core);

    if (How == TBreak::FolderRemoved) {
      ASSERT_TRUE(QDir(Folder).removeRecursively());
    } else {
      // The file moves aside and the name now leads to a device that is
      // always full.
      ASSERT_TRUE(QFile::rename(Name, Name + QStringLiteral(".old")));
      ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), Name));
    }
    UpdateData(*Core);
    UpdateData(*Core);

    EXPECT_EQ(Files.Save_Data_Flag(), 0);
    Host.ExpectIdleActions();
    EXPECT_TRUE(Host.Status[0].startsWith(QStringLiteral("Recording stopped: ") + Name))
        << Host.Status[0].toStdString();
    // The rest of the fan-out goes on.
    EXPECT_EQ(WindowUpdates, 3);
    if (How == TBreak::DiskFull) {
      EXPECT_TRUE(Host.Status[0].contains(QStringLiteral("Disk full"))) << Host.Status[0].toStdString();
      // The depth file lies elsewhere and is still written.
      EXPECT_EQ(FileLines(Folder + QStringLiteral("/run.bdd")).size(), 6001);
    } else {
      EXPECT_TRUE(Host.Status[0].contains(QStringLiteral("Depth file not written"))) << Host.Status[0].toStdString();
    }
  }
}

// A recording that never stops (a crash, a kill) still leaves the depth
// tables of its last minute behind.
TEST_F(DataFilesTest, ARecordingRewritesItsDepthFileEveryMinute)
{
  auto Core = GoldenCore();
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  const QString Depth = Path("minute.bdd");
  Files.FileSaveData1Accept(Path("minute.btd"));
  Core->Bins.SetTableDepthArray(1, 1);
  Core->DepthTables.SetValue(slWP1, 1, 2.5);

  // The pressure column of bin 1 in the depth file, or what is there.
  const auto Bin1 = [&]() -> QByteArray {
    const QList<QByteArray> Lines = FileLines(Depth);
    return Lines.size() == 6001 ? Lines[1].split('\t').value(1) : QByteArray::number(Lines.size()) + " lines";
  };
  const struct {
    int Seconds;
    double Value; // put into bin 1 before the sample
    const char* InFile;
  } Steps[] = {
      {59, 2.5, "0 lines"}, // not a minute yet
      {60, 3.0, "3.00"},    // a minute: the tables as they stand
      {119, 4.0, "3.00"},   // the next one is a minute later
      {120, 5.0, "5.00"},
  };
  for (const auto& S : Steps) {
    SCOPED_TRACE(S.Seconds);
    Core->DepthTables.SetValue(slWP1, 1, S.Value);
    TTestClock::Value = IncSecond(Morning, S.Seconds);
    UpdateData(*Core);
    EXPECT_EQ(Bin1(), QByteArray(S.InFile));
  }

  // A depth file that can no longer be written costs the recording nothing.
  ASSERT_TRUE(QFile::remove(Depth));
  ASSERT_TRUE(QDir().mkdir(Depth));
  TTestClock::Value = IncSecond(Morning, 180);
  UpdateData(*Core);
  EXPECT_EQ(Files.Save_Data_Flag(), 1);
  EXPECT_TRUE(Host.Status[0].startsWith(QStringLiteral("Depth file not written: ") + Depth))
      << Host.Status[0].toStdString();
  EXPECT_EQ(FileLines(Path("minute.btd")).size(), 1 + 5);
}

TEST_F(DataFilesTest, ChangedSensorsStopTheRecordingBeforeTheColumnsShift)
{
  auto Core = GoldenCore();
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  const QString Name = Path("changed.btd");
  Files.FileSaveData1Accept(Name);
  UpdateData(*Core);

  // A reload that keeps the sensors (a user display load) changes nothing.
  Core->RebuildFromSlots(Core->SerialArray);
  UpdateData(*Core);
  EXPECT_EQ(Files.Save_Data_Flag(), 1);

  Array2D Slots = Core->SerialArray;
  Slots[3][SerialFitted] = QStringLiteral("1");
  Core->RebuildFromSlots(Slots);
  UpdateData(*Core);

  EXPECT_EQ(Files.Save_Data_Flag(), 0);
  Host.ExpectIdleActions();
  EXPECT_EQ(Host.Status[0], QStringLiteral("Recording stopped: the fitted sensors changed; ") + Name +
                                QStringLiteral(" keeps the samples before the change"));
  const QList<QByteArray> Lines = FileLines(Name);
  ASSERT_EQ(Lines.size(), 3);
  EXPECT_EQ(Lines[2].count('\t'), 5);
}

TEST_F(DataFilesTest, ClosingTheProgramWhileRecordingWritesTheDepthFile)
{
  auto Core = GoldenCore();
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  Files.FileSaveData1Accept(Path("golden.btd"));
  FeedGoldenSamples(*Core);
  FillGoldenDepths(*Core);

  EXPECT_TRUE(Files.CloseDataFiles());

  EXPECT_EQ(ReadAll(Path("golden.btd")), ReadAll(TestData("recording.btd")));
  EXPECT_EQ(ReadAll(Path("golden.bdd")), ReadAll(TestData("recording.bdd")));
  EXPECT_EQ(Files.Save_Data_Flag(), 0);
  // Without a recording there is nothing to close and nothing fails.
  auto Other = GoldenCore();
  TFakeHost OtherHost(*Other);
  TDataFiles Idle(*Other, OtherHost);
  EXPECT_TRUE(Idle.CloseDataFiles());
}

TEST_F(DataFilesTest, ANewRecordingFinishesTheRunningOne)
{
  auto Core = GoldenCore();
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  Files.FileSaveData1Accept(Path("first.btd"));
  UpdateData(*Core);
  Files.FileSaveData1Accept(Path("second.btd"));
  UpdateData(*Core);
  UpdateData(*Core);

  EXPECT_EQ(FileLines(Path("first.btd")).size(), 2);
  EXPECT_EQ(FileLines(Path("first.bdd")).size(), 6001);
  EXPECT_EQ(FileLines(Path("second.btd")).size(), 3);
  EXPECT_EQ(Host.On(TDataFileAction::Action1), 1);
  EXPECT_EQ(Files.Save_Data_Flag(), 1);
}

TEST_F(DataFilesTest, StopWithoutRecordingDoesNothing)
{
  auto Core = GoldenCore();
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  EXPECT_TRUE(Files.Action1Execute());
  EXPECT_TRUE(Host.Enabled.empty());
}

// ---------------------------------------------------------------------------
// SVA tables

TEST_F(DataFilesTest, SVATableSavesToTheGoldenFileAndLoadsBack)
{
  auto Core = MakeCore({0});
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  FillGoldenSVA(*Core);
  const QString Name = Path("table.sva");

  Files.FileSaveSVA1Accept(Name);
  EXPECT_EQ(ReadAll(Name), ReadAll(TestData("table.sva")));
  EXPECT_EQ(Files.HeaderString, QStringLiteral("Depth, m\tSVA"));
  EXPECT_EQ(Host.On(TDataFileAction::FileSaveSVA1), 1);
  EXPECT_FALSE(Host.Wait);

  auto Other = MakeCore({0});
  TFakeHost OtherHost(*Other);
  TDataFiles OtherFiles(*Other, OtherHost);
  FillSentinelSVA(*Other);
  EXPECT_TRUE(OtherFiles.FileOpenSVA1Accept(TestData("table.sva")));
  EXPECT_EQ(OtherHost.Status[0], QStringLiteral("SVA File Loaded"));
  EXPECT_EQ(OtherHost.Status[1], TestData("table.sva"));
  EXPECT_EQ(OtherHost.On(TDataFileAction::FileOpenSVA1), 1);
  const struct {
    int32_t Bin, Depth;
    double Value;
  } Expected[] = {{1, 1, 0.0123456789012346},       {2, 2, 1e-5}, {3, 3, -2.5}, {4, 0, 0}, {5999, 0, 0},
                  {6000, 6000, 1.23456789012346e17}};
  for (const auto& E : Expected) {
    EXPECT_EQ(Other->Bins.TableDepthArray(E.Bin), E.Depth) << E.Bin;
    EXPECT_EQ(Other->Bins.IntSVAArray(E.Bin), E.Value) << E.Bin;
  }
  // The running sum follows the loaded table.
  EXPECT_EQ(Other->Bins.IntSVASum(3), 0.0123456789012346 + 1e-5 - 2.5);
}

TEST_F(DataFilesTest, AMalformedSVAFileLeavesTheTablesAndSaysWhy)
{
  const QByteArray Huge(2 * 1024 * 1024, '7');
  const QByteArray HugeReason = "line 4: SVA value '" + QByteArray(24, '7') + "...' is not a number";
  const struct {
    const char* What;
    QByteArray Text;
    const char* Reason;
  } Cases[] = {
      {"empty", "", "the file is empty"},
      {"header only", SVAText(0), "the file ends after 0 of 6000 bins"},
      {"short", SVAText(5999), "the file ends after 5999 of 6000 bins"},
      {"no TAB", SVAText(6000).replace("\r\n10\t1\r\n", "\r\n10 1\r\n"), "line 11 has no TAB"},
      {"depth not a number", SVAText(2, "a3\t0.3\r\n"), "line 4: depth 'a3' is not a whole number"},
      {"depth not whole", SVAText(2, "3.5\t0.3\r\n"), "line 4: depth '3.5' is not a whole number"},
      {"value not a number", SVAText(2, "3\tabc\r\n"), "line 4: SVA value 'abc' is not a number"},
      {"decimal comma", SVAText(2, "3\t0,3\r\n"), "line 4: SVA value '0,3' is not a number"},
      {"extra field", SVAText(2, "3\t0.3\t9\r\n"), "line 4: SVA value '0.3\t9' is not a number"},
      {"infinite", SVAText(2, "3\tINF\r\n"), "line 4: SVA value 'INF' is not a number"},
      {"too large to sum", SVAText(2, "3\t1e305\r\n"), "line 4: SVA value '1e305' is out of range"},
      {"huge value", SVAText(2, "3\t" + Huge + "\r\n"), HugeReason.constData()},
      // Cut at the longest line a text file hands out, which drops the TAB.
      {"huge depth", SVAText(2, Huge + "\t1\r\n"), "line 4 has no TAB"},
      {"extra line", SVAText(6000, "6001\t1\r\n"), "more than 6000 bins (line 6002)"},
      {"text after blank lines", SVAText(6000, "\r\n\r\nx\r\n"), "more than 6000 bins (line 6004)"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.What);
    auto Core = MakeCore({0});
    TFakeHost Host(*Core);
    TDataFiles Files(*Core, Host);
    FillSentinelSVA(*Core);
    const QString Name = Path("bad.sva");
    WriteAll(Name, C.Text);
    EXPECT_FALSE(Files.FileOpenSVA1Accept(Name));
    EXPECT_TRUE(Host.Status[0].startsWith(QStringLiteral("Invalid Data Format: ") + QString::fromLatin1(C.Reason)))
        << Host.Status[0].toStdString();
    ExpectSentinelSVA(*Core);
    EXPECT_EQ(Host.On(TDataFileAction::FileOpenSVA1), 1);
  }
}

TEST_F(DataFilesTest, AnSVAFileWithTrailingBlankLinesLoads)
{
  auto Core = MakeCore({0});
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  const QString Name = Path("blank.sva");
  WriteAll(Name, SVAText(6000, "\r\n \r\n"));
  EXPECT_TRUE(Files.FileOpenSVA1Accept(Name));
  EXPECT_EQ(Core->Bins.TableDepthArray(6000), 6000);
  EXPECT_EQ(Core->Bins.IntSVAArray(6000), 600.0);
}

TEST_F(DataFilesTest, SVAFileErrorsRaiseNamingTheFile)
{
  auto Core = MakeCore({0});
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  FillSentinelSVA(*Core);
  const QString Missing = Path("missing.sva");
  try {
    Files.FileOpenSVA1Accept(Missing);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& E) {
    EXPECT_EQ(E.ErrorCode, 2);
    EXPECT_TRUE(E.Message().startsWith(Missing)) << E.Message().toStdString();
  }
  ExpectSentinelSVA(*Core);
  EXPECT_EQ(Host.On(TDataFileAction::FileOpenSVA1), 1);

  try {
    Files.FileSaveSVA1Accept(QStringLiteral("/dev/full"));
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& E) {
    EXPECT_EQ(E.ErrorCode, 101);
    EXPECT_TRUE(E.Message().startsWith(QStringLiteral("/dev/full"))) << E.Message().toStdString();
  }
  EXPECT_EQ(Host.On(TDataFileAction::FileSaveSVA1), 1);
  EXPECT_FALSE(Host.Wait);
}

} // namespace

namespace {

// An SVA table saved over a file of the running recording would be cut by
// the next sample line or replaced by the depth tables at the stop.
TEST_F(DataFilesTest, AnSVATableIsNotSavedOverTheRecording)
{
  auto Core = GoldenCore();
  TFakeHost Host(*Core);
  TDataFiles Files(*Core, Host);
  Files.FileSaveData1Accept(Path("run.btd"));
  UpdateData(*Core);
  const QByteArray Recorded = ReadAll(Path("run.btd"));
  for (const char* Name : {"run.btd", "run.bdd"}) {
    SCOPED_TRACE(Name);
    // Also when named another way.
    const QString Other = Dir.path() + QStringLiteral("/./") + QString::fromLatin1(Name);
    try {
      Files.FileSaveSVA1Accept(Other);
      ADD_FAILURE() << "no error";
    } catch (const EInOutError& E) {
      EXPECT_EQ(E.ErrorCode, 5);
      EXPECT_TRUE(E.Message().startsWith(Other)) << E.Message().toStdString();
    }
  }
  EXPECT_EQ(ReadAll(Path("run.btd")), Recorded);
  EXPECT_EQ(ReadAll(Path("run.bdd")), QByteArray());
  EXPECT_EQ(Files.Save_Data_Flag(), 1);
  // Beside the recording it is saved as ever.
  Files.FileSaveSVA1Accept(Path("run.sva"));
  EXPECT_EQ(FileLines(Path("run.sva")).size(), 6001);
}

} // namespace
