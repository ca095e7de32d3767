#include "rtl/tests/FileFixture.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/IniFile.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList Items(const TStringList& L)
{
  QStringList R;
  for (int32_t I = 0; I < L.Count(); ++I)
    R << L[I];
  return R;
}

class IniFileTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(Tmp.isValid()); }
  QString Path(const char* Name = "FATHOMIX.INI") const { return Tmp.path() + "/" + Name; }
  QTemporaryDir Tmp;
};

const QByteArray Settings = "; Fathomix settings\r\n"
                            "[Display]\r\n"
                            "Index=2\r\n"
                            "  Vendor Key = kept as is  \r\n"
                            "\r\n"
                            "[Quorndeck]\r\n"
                            "; density in kg/m3\r\n"
                            "Local Density=1023.0147\r\n"
                            "Serial No = \"A 17\" \r\n"
                            "Quoted Single='x'\r\n"
                            "Half Quoted=\"x\r\n"
                            "Bad Number=12a\r\n"
                            "Hex=$1F\r\n"
                            "CHex=0x10\r\n"
                            "Empty=\r\n"
                            "\r\n"
                            "[Unknown Section]\r\n"
                            "anything=goes\r\n";

} // namespace

TEST_F(IniFileTest, ReadsTrimmedUnquotedCaseInsensitively)
{
  WriteBytes(Path(), Settings);
  TIniFile Ini(Path());
  struct Case {
    const char* Section;
    const char* Key;
    QString Expected;
  };
  const Case Cases[] = {
      {"Display", "Index", "2"},
      {"DISPLAY", "index", "2"},
      {"display", "vendor key", "kept as is"},
      {"Quorndeck", "Serial No", "A 17"},
      {"Quorndeck", "Quoted Single", "x"},
      {"Quorndeck", "Half Quoted", "\"x"},
      {"Quorndeck", "Empty", ""},
      {"Quorndeck", "; density in kg/m3", "<default>"},
      {"Quorndeck", "Missing", "<default>"},
      {"Missing", "Index", "<default>"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(Ini.ReadString(C.Section, C.Key, "<default>"), C.Expected) << C.Section << "/" << C.Key;

  EXPECT_EQ(Ini.ReadInteger("Display", "Index", 1), 2);
  EXPECT_EQ(Ini.ReadInteger("Quorndeck", "Bad Number", 6000), 6000);
  EXPECT_EQ(Ini.ReadInteger("Quorndeck", "Hex", 0), 31);
  EXPECT_EQ(Ini.ReadInteger("Quorndeck", "CHex", 0), 16);
  EXPECT_EQ(Ini.ReadInteger("Quorndeck", "Empty", 7), 7);
  EXPECT_DOUBLE_EQ(Ini.ReadFloat("Quorndeck", "Local Density", 0), 1023.0147);
  EXPECT_DOUBLE_EQ(Ini.ReadFloat("Quorndeck", "Bad Number", -1000.0), -1000.0);
  EXPECT_DOUBLE_EQ(Ini.ReadFloat("Quorndeck", "Missing", 9.8167459), 9.8167459);
  EXPECT_TRUE(Ini.ReadBool("Display", "Index", false));
  EXPECT_TRUE(Ini.ReadBool("Display", "Missing", true));
  EXPECT_FALSE(Ini.ReadBool("Quorndeck", "Bad Number", false));
}

TEST_F(IniFileTest, MissingFileReadsDefaultsAndIsNotCreatedByReading)
{
  TIniFile Ini(Path());
  EXPECT_EQ(Ini.ReadString("Display", "Index", "1"), "1");
  EXPECT_FALSE(Ini.SectionExists("Display"));
  TStringList L;
  Ini.ReadSections(L);
  EXPECT_EQ(L.Count(), 0);
  Ini.DeleteKey("Display", "Index");
  Ini.EraseSection("Display");
  EXPECT_FALSE(QFile::exists(Path()));
}

TEST_F(IniFileTest, WritesKeepEverythingElseByteForByte)
{
  WriteBytes(Path(), Settings);
  TIniFile Ini(Path());
  Ini.WriteInteger("display", "INDEX", 3);          // existing: in place, spelling kept
  Ini.WriteString("Quorndeck", "Serial No", "B 2"); // existing with blanks and quotes
  Ini.WriteString("Quorndeck", "New Key", "v");     // after the last key, before the blank
  Ini.WriteString("Display", "Index", "3");         // unchanged
  QByteArray Expected = Settings;
  Expected.replace("Index=2\r\n", "Index=3\r\n");
  Expected.replace("Serial No = \"A 17\" \r\n", "Serial No=B 2\r\n");
  Expected.replace("Empty=\r\n\r\n", "Empty=\r\nNew Key=v\r\n\r\n");
  EXPECT_EQ(FileBytes(Path()), Expected);
}

TEST_F(IniFileTest, NewSectionsGoAtTheEndAfterOneEmptyLine)
{
  struct Case {
    QByteArray Before;
    QByteArray After;
  };
  const Case Cases[] = {
      {"", "[Output 1]\r\nFitted=0\r\n"},
      {"[A]\r\nx=1\r\n", "[A]\r\nx=1\r\n\r\n[Output 1]\r\nFitted=0\r\n"},
      {"[A]\r\nx=1", "[A]\r\nx=1\r\n\r\n[Output 1]\r\nFitted=0\r\n"},
      {"[A]\nx=1\n\n", "[A]\r\nx=1\r\n\r\n[Output 1]\r\nFitted=0\r\n"},
      {"[A]\rx=1\r; end\r", "[A]\r\nx=1\r\n; end\r\n\r\n[Output 1]\r\nFitted=0\r\n"},
  };
  for (const Case& C : Cases) {
    WriteBytes(Path(), C.Before);
    TIniFile Ini(Path());
    Ini.WriteInteger("Output 1", "Fitted", 0);
    EXPECT_EQ(FileBytes(Path()), C.After) << C.Before.toStdString();
  }
  QFile::remove(Path());
  TIniFile Ini(Path());
  Ini.WriteString("Serial 0", "Port", "1");
  Ini.WriteString("Serial 0", "Baud", "19200");
  Ini.WriteString("Serial 1", "Port", "2");
  Ini.WriteString("Serial 0", "Mode", "RS232");
  EXPECT_EQ(FileBytes(Path()), "[Serial 0]\r\nPort=1\r\nBaud=19200\r\nMode=RS232\r\n\r\n[Serial 1]\r\nPort=2\r\n");
}

TEST_F(IniFileTest, ValuesRoundTrip)
{
  TIniFile Ini(Path());
  Ini.WriteFloat("Quorndeck", "Local Gravity", 9.8167459);
  Ini.WriteFloat("Quorndeck", "Altimeter Offset", -1000.0);
  Ini.WriteBool("Output 1", "Fitted", true);
  Ini.WriteString("Quorndeck", "Prefix", "%D0074042700");
  Ini.WriteString("Quorndeck", "Padded", "  x  ");
  Ini.WriteString("Quorndeck", "Multi", "line1\r\nline2");
  Ini.WriteString("Quorndeck", "Euro", QString::fromUtf8("5 €"));
  const TDateTime When = EncodeDate(2007, 1, 1) + EncodeTime(12, 30, 15, 0);
  Ini.WriteDateTime("Quorndeck", "Pressure Tare Time", When);
  Ini.WriteDate("Quorndeck", "Day", When);
  Ini.WriteTime("Quorndeck", "Clock", When);

  TIniFile Again(Path());
  EXPECT_DOUBLE_EQ(Again.ReadFloat("Quorndeck", "Local Gravity", 0), 9.8167459);
  EXPECT_EQ(Again.ReadString("Quorndeck", "Altimeter Offset", ""), "-1000");
  EXPECT_EQ(Again.ReadString("Output 1", "Fitted", ""), "1");
  EXPECT_EQ(Again.ReadString("Quorndeck", "Prefix", ""), "%D0074042700");
  EXPECT_EQ(Again.ReadString("Quorndeck", "Padded", ""), "x"); // blanks never survive
  EXPECT_EQ(Again.ReadString("Quorndeck", "Multi", ""), "line1");
  EXPECT_EQ(Again.ReadString("Quorndeck", "Euro", ""), QString::fromUtf8("5 €"));
  EXPECT_EQ(Again.ReadString("Quorndeck", "Pressure Tare Time", ""), "01/01/2007 12:30:15");
  EXPECT_DOUBLE_EQ(Again.ReadDateTime("Quorndeck", "Pressure Tare Time", 0), When);
  EXPECT_DOUBLE_EQ(Again.ReadDate("Quorndeck", "Day", 0), EncodeDate(2007, 1, 1));
  EXPECT_NEAR(Again.ReadTime("Quorndeck", "Clock", 0), EncodeTime(12, 30, 15, 0), 1e-9);
  EXPECT_DOUBLE_EQ(Again.ReadDate("Quorndeck", "Prefix", 42.0), 42.0);
  EXPECT_TRUE(FileBytes(Path()).contains("Euro=5 \x80\r\n"));
  EXPECT_FALSE(FileBytes(Path()).contains("line2"));
  EXPECT_THROW(Again.WriteString("Bad\nSection", "k", "v"), EIniFileException);
}

TEST_F(IniFileTest, SectionListsAndDeletion)
{
  WriteBytes(Path(), Settings);
  TIniFile Ini(Path());
  TStringList L;
  Ini.ReadSections(L);
  EXPECT_EQ(Items(L), QStringList({"Display", "Quorndeck", "Unknown Section"}));
  Ini.ReadSection("display", L);
  EXPECT_EQ(Items(L), QStringList({"Index", "Vendor Key"}));
  Ini.ReadSectionValues("Display", L);
  EXPECT_EQ(Items(L), QStringList({"Index=2", "Vendor Key=kept as is"}));
  EXPECT_TRUE(Ini.ValueExists("QUORNDECK", "empty"));
  EXPECT_FALSE(Ini.ValueExists("Quorndeck", "nope"));

  Ini.DeleteKey("Display", "vendor key");
  Ini.EraseSection("quorndeck");
  EXPECT_EQ(FileBytes(Path()),
            "; Fathomix settings\r\n[Display]\r\nIndex=2\r\n\r\n[Unknown Section]\r\nanything=goes\r\n");
  EXPECT_FALSE(Ini.SectionExists("Quorndeck"));
  Ini.DeleteKey("Display", "Index");
  EXPECT_FALSE(Ini.SectionExists("Display")); // a section without keys does not count
  Ini.UpdateFile();
}

TEST_F(IniFileTest, SeesChangesMadeByOthers)
{
  WriteBytes(Path(), "[A]\r\nx=1\r\n");
  TIniFile Ini(Path());
  EXPECT_EQ(Ini.ReadString("A", "x", ""), "1");
  WriteBytes(Path(), "[A]\r\nx=22\r\ny=3\r\n");
  EXPECT_EQ(Ini.ReadString("A", "x", ""), "22");
  TIniFile Other(Path());
  Other.WriteString("A", "z", "4");
  Ini.WriteString("A", "w", "5");
  EXPECT_EQ(FileBytes(Path()), "[A]\r\nx=22\r\ny=3\r\nz=4\r\nw=5\r\n");
}

TEST_F(IniFileTest, LongValuesAreCut)
{
  WriteBytes(Path(), "[A]\r\nlong=" + QByteArray(100000, 'v') + "\r\nnext=1\r\n");
  TIniFile Ini(Path());
  EXPECT_EQ(Ini.ReadString("A", "long", "").size(), TIniFile::MaxIniValueLength);
  EXPECT_EQ(Ini.ReadString("A", "next", ""), "1");
}

TEST_F(IniFileTest, FailedWritesRaiseAndLeaveTheFileAlone)
{
  TIniFile NoFolder(Tmp.path() + "/missing/FATHOMIX.INI");
  try {
    NoFolder.WriteString("A", "x", "1");
    FAIL() << "no error";
  } catch (const EIniFileException& E) {
    EXPECT_EQ(QString::fromUtf8(E.what()), "Unable to write to " + Tmp.path() + "/missing/FATHOMIX.INI");
  }
  EXPECT_EQ(NoFolder.ReadString("A", "x", "default"), "default");

  // A file this process cannot read must not be replaced by one holding
  // only the key being written.
  if (::geteuid() != 0) {
    WriteBytes(Path(), "[A]\r\nsecret=1\r\n");
    ASSERT_EQ(::chmod(Path().toUtf8().constData(), 0200), 0);
    TIniFile Unreadable(Path());
    EXPECT_EQ(Unreadable.ReadString("A", "secret", "d"), "d");
    EXPECT_THROW(Unreadable.WriteString("A", "x", "1"), EIniFileException);
    ::chmod(Path().toUtf8().constData(), 0600);
    EXPECT_EQ(FileBytes(Path()), "[A]\r\nsecret=1\r\n");
  }
  // Likewise a file too large to be a settings file.
  const QString Big = Path("big.ini");
  {
    QFile F(Big);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("[A]\r\nx=1\r\n");
    ASSERT_TRUE(F.resize(TIniFile::MaxIniFileSize + 1));
  }
  TIniFile Huge(Big);
  EXPECT_EQ(Huge.ReadString("A", "x", "d"), "d");
  EXPECT_THROW(Huge.WriteString("A", "x", "2"), EIniFileException);
  EXPECT_EQ(QFileInfo(Big).size(), TIniFile::MaxIniFileSize + 1);
}

TEST_F(IniFileTest, AFileThatIsNoRegularFileReadsAsUnreadable)
{
  // Opening a FIFO for reading would wait for a writer for ever.
  const TFifo Fifo(Path());
  ASSERT_TRUE(Fifo.Made);
  TIniFile Ini(Path());
  EXPECT_EQ(Ini.ReadString("A", "x", "d"), "d");
  EXPECT_FALSE(Ini.SectionExists("A"));
  EXPECT_TRUE(Ini.Unreadable());
  EXPECT_THROW(Ini.WriteString("A", "x", "1"), EIniFileException);
  struct stat St;
  ASSERT_EQ(::stat(Path().toUtf8().constData(), &St), 0);
  EXPECT_TRUE(S_ISFIFO(St.st_mode));
  EXPECT_FALSE(Fifo.BlockedAReader());

  // A regular file, and one that is missing, are readable.
  WriteBytes(Path("plain.ini"), "[A]\r\nx=1\r\n");
  EXPECT_FALSE(TIniFile(Path("plain.ini")).Unreadable());
  EXPECT_FALSE(TIniFile(Path("missing.ini")).Unreadable());
}

TEST_F(IniFileTest, HardLinkedFileIsRewrittenInPlace)
{
  WriteBytes(Path("a.ini"), "[A]\r\nx=1\r\n; long trailing comment that the rewrite makes shorter\r\n");
  ASSERT_EQ(::link(Path("a.ini").toUtf8().constData(), Path("b.ini").toUtf8().constData()), 0);
  TIniFile Ini(Path("a.ini"));
  Ini.WriteString("A", "x", "22");
  Ini.WriteString("A", "y", "3");
  const QByteArray Expected = "[A]\r\nx=22\r\ny=3\r\n; long trailing comment that the rewrite makes shorter\r\n";
  EXPECT_EQ(FileBytes(Path("a.ini")), Expected);
  EXPECT_EQ(FileBytes(Path("b.ini")), Expected);
  Ini.DeleteKey("A", "y");
  Ini.DeleteKey("A", "x");
  EXPECT_EQ(FileBytes(Path("b.ini")), "[A]\r\n; long trailing comment that the rewrite makes shorter\r\n");
}

TEST_F(IniFileTest, RewriteKeepsModeAndFollowsLinks)
{
  WriteBytes(Path("real.ini"), "[A]\r\nx=1\r\n");
  ASSERT_EQ(::chmod(Path("real.ini").toUtf8().constData(), 0640), 0);
  ASSERT_EQ(::symlink(Path("real.ini").toUtf8().constData(), Path("link.ini").toUtf8().constData()), 0);
  TIniFile Ini(Path("link.ini"));
  Ini.WriteString("A", "x", "2");
  struct stat St;
  ASSERT_EQ(::lstat(Path("link.ini").toUtf8().constData(), &St), 0);
  EXPECT_TRUE(S_ISLNK(St.st_mode));
  ASSERT_EQ(::stat(Path("real.ini").toUtf8().constData(), &St), 0);
  EXPECT_EQ(St.st_mode & 07777, 0640u);
  EXPECT_EQ(FileBytes(Path("real.ini")), "[A]\r\nx=2\r\n");
  EXPECT_EQ(QDir(Tmp.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2); // no temp left
}

// ---------------------------------------------------------------- in memory and registry forms

TEST_F(IniFileTest, InMemoryFormWritesOnlyOnUpdateFile)
{
  WriteBytes(Path(), Settings);
  TMemIniFile Ini(Path());
  EXPECT_EQ(Ini.ReadInteger("Display", "Index", 0), 2);
  Ini.WriteInteger("Display", "Index", 7);
  Ini.WriteString("Time Scroll", "Col0", "44");
  EXPECT_EQ(Ini.ReadInteger("Display", "Index", 0), 7);
  EXPECT_EQ(FileBytes(Path()), Settings); // nothing on disk yet

  // Read once: what another writer puts there later is not seen.
  TIniFile Other(Path());
  Other.WriteString("Display", "Added", "x");
  EXPECT_EQ(Ini.ReadString("Display", "Added", "none"), "none");

  Ini.UpdateFile(); // the whole memory copy goes back, the other write lost
  QByteArray Expected = Settings;
  Expected.replace("Index=2", "Index=7");
  Expected += "\r\n[Time Scroll]\r\nCol0=44\r\n";
  EXPECT_EQ(FileBytes(Path()), Expected);
}

TEST_F(IniFileTest, InMemoryFormCreatesAMissingFileOnUpdateFileEvenUnchanged)
{
  {
    TMemIniFile Ini(Path("new.ini"));
    EXPECT_EQ(Ini.ReadInteger("S", "K", 5), 5);
    EXPECT_FALSE(QFileInfo::exists(Path("new.ini")));
    Ini.UpdateFile();
  }
  EXPECT_TRUE(QFileInfo::exists(Path("new.ini")));
  EXPECT_EQ(FileBytes(Path("new.ini")), QByteArray());

  // Destroying without UpdateFile drops the changes.
  {
    TMemIniFile Ini(Path("new.ini"));
    Ini.WriteInteger("S", "K", 1);
  }
  EXPECT_EQ(FileBytes(Path("new.ini")), QByteArray());
}

TEST_F(IniFileTest, InMemoryFormFailsOnUpdateFileAndKeepsItsChanges)
{
  TMemIniFile Ini(Tmp.path() + "/no/such/folder/x.ini");
  Ini.WriteInteger("S", "K", 3);
  EXPECT_THROW(Ini.UpdateFile(), EIniFileException);
  EXPECT_EQ(Ini.ReadInteger("S", "K", 0), 3);
}

TEST_F(IniFileTest, RegistryFormKeepsKeysApartInTheConfigFolder)
{
  const QByteArray OldXdg = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", Tmp.path().toLocal8Bit());
  const auto Restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", OldXdg); });

  const QString File = Tmp.path() + "/fathomix/Registry.ini";
  EXPECT_EQ(RegistryIniFileName(), File);
  {
    TRegistryIniFile A("Software\\Fathomix\\Grid\\");
    TRegistryIniFile B("Software\\Fathomix\\Other");
    EXPECT_EQ(A.ReadInteger("Sizes", "Col0", -1), -1);
    A.WriteInteger("Sizes", "Col0", 44); // on disk at once, folder made
    B.WriteInteger("Sizes", "Col0", 90);
    EXPECT_TRUE(QFileInfo::exists(File));
    TStringList Sections;
    A.ReadSections(Sections);
    EXPECT_EQ(Items(Sections), QStringList{"Sizes"});
  }
  TRegistryIniFile Again("Software\\Fathomix\\Grid");
  EXPECT_EQ(Again.ReadInteger("Sizes", "Col0", -1), 44);
  EXPECT_TRUE(FileBytes(File).contains("[Software\\Fathomix\\Other\\Sizes]\r\nCol0=90"));
}
