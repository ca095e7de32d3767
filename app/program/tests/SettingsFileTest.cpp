// The settings file: its name and place, the file the program writes, what
// survives a round trip, and what a damaged file does.
#include "MainFormFixture.h"

#include "app/core/SettingsFile.h"
#include "rtl/tests/FileFixture.h"
#include "rtl/IniFile.h"

#include "platform/Menus.h"

namespace {

QByteArray Golden(const char* Name)
{
  QFile F(QString::fromLocal8Bit(std::getenv("FATHOMIX_TEST_DATA")) + QLatin1Char('/') + QLatin1String(Name));
  return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

// Sets an environment variable for the life of the object.
class TEnvScope {
public:
  TEnvScope(const char* Name, const char* Value) : FName(Name)
  {
    if (const char* Old = std::getenv(Name))
      FOld = Old, FHad = true;
    if (Value)
      ::setenv(Name, Value, 1);
    else
      ::unsetenv(Name);
  }
  ~TEnvScope()
  {
    if (FHad)
      ::setenv(FName, FOld.constData(), 1);
    else
      ::unsetenv(FName);
  }

private:
  const char* FName;
  QByteArray FOld;
  bool FHad = false;
};

} // namespace

TEST_F(TMainFormTest, TheProgramWritesTheDefaultFileByteForByte)
{
  const QByteArray Expected = Golden("default_settings.ini");
  ASSERT_FALSE(Expected.isEmpty());
  ASSERT_FALSE(DirectoryExists(Folder()));

  TMainForm& F = Start();
  // The set-up folder is made at the first start.
  EXPECT_TRUE(DirectoryExists(Folder()));
  EXPECT_TRUE(HasProblem({"not found"}));
  F.Close();

  EXPECT_EQ(ReadSettings(), Expected);
}

TEST(SettingsFileName, ComesFromTheFirstParameterWithoutItsFirstCharacter)
{
  struct TCase {
    QStringList Args;
    const char* Path;
    const char* Caption;
  };
  const TCase Cases[] = {
      {{}, "/setup/FATHOMIX.INI", "FATHOMIX.INI"},
      {{QStringLiteral("-TEST.INI")}, "/setup/TEST.INI", "TEST.INI"},
      {{QStringLiteral("/SHIP2.INI"), QStringLiteral("-other")}, "/setup/SHIP2.INI", "SHIP2.INI"},
      {{QStringLiteral("-/srv/logger/ship.ini")}, "/srv/logger/ship.ini", "/srv/logger/ship.ini"},
      {{QStringLiteral("-")}, "/setup/FATHOMIX.INI", "FATHOMIX.INI"},
  };
  for (const TCase& C : Cases) {
    SetCommandLine(QStringList{QStringLiteral("fathomix")} + C.Args);
    EXPECT_EQ(SettingsFilePath(QStringLiteral("/setup")), QString::fromLatin1(C.Path))
        << C.Args.join(' ').toStdString();
    EXPECT_EQ(SettingsCaption(SettingsFileParameter()),
              QStringLiteral("Fathomix Display  -  INI File: \"%1\"").arg(QLatin1String(C.Caption)));
  }
  SetCommandLine({});
}

TEST(SettingsFileName, SetupFolderIsTheUsersConfigurationFolder)
{
  const TEnvScope Home("HOME", "/home/surveyor");
  {
    const TEnvScope Xdg("XDG_CONFIG_HOME", "/etc/xdg-user/");
    EXPECT_EQ(DefaultSetupFolder(), QStringLiteral("/etc/xdg-user/fathomix"));
  }
  {
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    const TEnvScope Xdg("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(DefaultSetupFolder(), QStringLiteral("/home/surveyor/.config/fathomix"));
  }
  const TEnvScope Xdg("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(DefaultSetupFolder(), QStringLiteral("/home/surveyor/.config/fathomix"));
}

TEST_F(TMainFormTest, ARoundTripKeepsWhatTheProgramDoesNotWrite)
{
  const QByteArray Original =
      "; survey vessel logger\r\n"
      "[Display]\r\nIndex=3\r\n\r\n"
      "[Quorndeck]\r\nLocal Density=1000.5\r\nSalinity Low=3\r\nSalinity High=38\r\nHull Offset=1.25\r\n"
      "Grevon Proc Prefix=%D0000000001\r\n\r\n"
      "[Serial 4]\r\nLabel=Sound Velocity\r\nUnits=m/s\r\nOutput Format=0.00\r\nMode=RS485\r\nAddress=7\r\n\r\n"
      "[Vessel]\r\nName=Endeavour\r\n";
  WriteSettings(Original);
  TMainForm& F = Start();
  EXPECT_EQ(Core().UserDisplayIndex, 3);
  EXPECT_EQ(Core().Salinity_High, 38);
  EXPECT_TRUE(HasProblem({"sections missing", "[Serial 0]"}));
  F.Close();

  const QByteArray File = ReadSettings();
  for (const char* Kept : {"; survey vessel logger\r\n", "Hull Offset=1.25\r\n", "Salinity Low=3\r\n",
                           "Salinity High=38\r\n", "[Vessel]\r\nName=Endeavour\r\n", "Index=3\r\n",
                           "Local Density=1000.5\r\n", "Grevon Proc Prefix=%D0000000001\r\n"})
    EXPECT_TRUE(File.contains(Kept)) << Kept;
  EXPECT_TRUE(File.contains("[Serial 4]\r\nLabel=Sound Velocity\r\nUnits=m/s\r\nOutput Format=0.00\r\nMode=RS485\r\n"
                            "Address=7\r\nFitted=0\r\n"));

  // The file read again gives the same settings.
  Form.reset();
  TMainForm& G = Start();
  EXPECT_EQ(G.Core().Local_Density, 1000.5);
  EXPECT_EQ(G.Core().SerialArray[4][SerialLabel], QStringLiteral("Sound Velocity"));
  EXPECT_EQ(G.Core().SerialArray[4][SerialAddress], QStringLiteral("7"));
}

TEST_F(TMainFormTest, DamagedValuesStartWithTheirDefaultsAndSaySo)
{
  struct TCase {
    const char* Section;
    const char* Key;
    const char* Value;
  };
  const TCase Cases[] = {
      {"Display", "Index", "9"},
      {"Output 1", "Fitted", "yes"},
      {"Output 2", "Port", "25"},
      {"Output 3", "Baud", "-5"},
      {"Quorndeck", "Local Density", "heavy"},
      {"Quorndeck", "Local Latitude", "1e999"},
      // In range, but no depth bin is left with the resolution.
      {"Quorndeck", "Maximum Pressure", "1"},
      {"Quorndeck", "Maximum View Points", "99999999"},
      {"Quorndeck", "Pressure Resolution", "0"},
      {"Quorndeck", "Altimeter Flag", "7"},
      {"Quorndeck", "SV Value", "fast"},
      {"Quorndeck", "KIRVO Rate", "17"},
      {"Quorndeck", "Output 4 Format", "MORSE"},
      {"Serial 12", "Port", "abc"},
      {"Serial 12", "Baud", "0"},
      {"Serial 12", "Address", "123"},
      {"Serial 12", "Mode", "RS999"},
      {"Serial 12", "Packet", "ten"},
      {"Serial 12", "Output Format", "#,##0.000"},
      {"Display 1", "Form Screens", "2000000000"},
  };
  QByteArray Text;
  QByteArray Section;
  for (const TCase& C : Cases) {
    if (Section != C.Section)
      Text += QByteArray("[") + C.Section + "]\r\n";
    Section = C.Section;
    Text += QByteArray(C.Key) + "=" + C.Value + "\r\n";
  }
  WriteSettings(Text);
  TMainForm& F = Start();

  for (const TCase& C : Cases)
    EXPECT_TRUE(HasProblem({(QByteArray("[") + C.Section + "]").constData(), C.Key})) << C.Section << " " << C.Key;
  const TCoreData& D = Core();
  EXPECT_EQ(D.UserDisplayIndex, 1);
  EXPECT_EQ(D.Output_1_Fitted, 0);
  EXPECT_EQ(D.Output_2_Port, 2);
  EXPECT_EQ(D.Output_3_Baud, 19200);
  EXPECT_EQ(D.Local_Density, 1023.0147);
  EXPECT_EQ(D.Local_Latitude, 50.42741);
  EXPECT_EQ(D.Maximum_View_Points, 1440);
  EXPECT_EQ(D.Pressure_Resolution, 1);
  EXPECT_EQ(D.Maximum_Pressure, 6000);
  EXPECT_EQ(D.Altimeter_Flag, 0);
  EXPECT_EQ(D.SV_Value, QStringLiteral("1500"));
  EXPECT_EQ(D.Kirvo_Rate, QStringLiteral("1000"));
  // A format name no encoder has sends empty telegrams, as the name asks;
  // another format's telegrams would be taken by the survey system for
  // its own.
  EXPECT_EQ(D.Output_4_Format, QStringLiteral("MORSE"));
  EXPECT_TRUE(HasProblem({"[Quorndeck] Output 4 Format \"MORSE\"", "output 4 sends empty telegrams"}));
  const TSerialRow& Row = D.SerialArray[12];
  EXPECT_EQ(Row[SerialPort], QStringLiteral("1"));
  EXPECT_EQ(Row[SerialBaud], QStringLiteral("19200"));
  EXPECT_EQ(Row[SerialAddress], QStringLiteral("2"));
  EXPECT_EQ(Row[SerialMode], QStringLiteral("RS232"));
  EXPECT_EQ(Row[SerialPacket], QStringLiteral("1"));
  EXPECT_EQ(Row[SerialOutputFormat], QStringLiteral("##0.000"));
  EXPECT_EQ(F.Form_Screens, 0);
  EXPECT_TRUE(HasProblem({"sections missing", "[Serial 7]"}));
  EXPECT_TRUE(F.StatusText(0).startsWith(QStringLiteral("Settings: ")));
  ASSERT_NE(SetupScreen(), nullptr);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(TMainFormTest, ASettingsFileThatIsNoRegularFileStartsWithTheDefaults)
{
  // A FIFO would block the start-up for ever waiting for a writer.
  ASSERT_TRUE(ForceDirectories(Folder()));
  const TFifo Fifo(SettingsPath());
  ASSERT_TRUE(Fifo.Made);
  TMainForm& F = Start();
  EXPECT_FALSE(Fifo.BlockedAReader());
  EXPECT_TRUE(HasProblem({"cannot be read", "defaults used"}));
  EXPECT_TRUE(F.StatusText(0).startsWith(QStringLiteral("Settings: ")));
  EXPECT_EQ(Core().Local_Density, 1023.0147);
  ASSERT_NE(SetupScreen(), nullptr);
  // The close leaves it as it is, and says so.
  F.Close();
  EXPECT_TRUE(F.StatusText(0).startsWith(QStringLiteral("Settings not written")));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(TMainFormTest, ANamedSettingsFileIsReadAndWrittenInTheSetupFolder)
{
  SetCommandLine({QStringLiteral("fathomix"), QStringLiteral("-TEST.INI")});
  ASSERT_TRUE(ForceDirectories(Folder()));
  {
    TIniFile Ini(Folder() + QStringLiteral("/TEST.INI"));
    Ini.WriteString(QStringLiteral("Quorndeck"), QStringLiteral("Serial No"), QStringLiteral("QD-17"));
  }
  TMainForm& F = Start();
  EXPECT_EQ(F.Caption(), QStringLiteral("Fathomix Display  -  INI File: \"TEST.INI\""));
  EXPECT_EQ(Core().serial_no, QStringLiteral("QD-17"));
  F.Close();
  EXPECT_FALSE(FileExists(SettingsPath()));
  TIniFile Ini(Folder() + QStringLiteral("/TEST.INI"));
  EXPECT_EQ(Ini.ReadString(QStringLiteral("Serial 19"), QStringLiteral("Mode"), String()), QStringLiteral("RS232"));
}

TEST_F(TMainFormTest, TheLayoutIsWrittenOnlyWhenAsked)
{
  TMainForm& F = Start();
  F.SetUserDisplayCaption(1, QStringLiteral("Deck"));
  F.WriteIniFile();
  EXPECT_FALSE(ReadSettings().contains("[Display 1]"));

  // Closing the set-up screen asks for the layout at the next write.
  SetupScreen()->Close();
  F.WriteIniFile();
  EXPECT_EQ(F.SaveDisplayFlag, 0);
  const QByteArray File = ReadSettings();
  EXPECT_TRUE(File.contains("[Display 1]\r\nForm Name=Deck\r\nForm Screens=0\r\n"));

  // A set-up screen counts as a window of the layout.
  F.OpenSetup1Execute();
  F.SaveDisplayFlag = 1;
  F.WriteIniFile();
  EXPECT_TRUE(ReadSettings().contains("Form Screens=1\r\nForm Style 1=MDISetup\r\n"));
  EXPECT_TRUE(ReadSettings().contains("Form Height 1=735\r\nForm Width 1=800\r\n"));

  // The layout's name becomes the menu caption at the next load.
  F.SetUserDisplayCaption(1, QStringLiteral("User Display 1"));
  F.Load1Execute();
  EXPECT_EQ(F.UserDisplayCaption(1), QStringLiteral("Deck"));
  EXPECT_EQ(F.UserDisplayCaption(2), QStringLiteral("User Display 2"));
}

namespace {

// A display window as the main window sees it.
class TFakeWindow : public IMdiChild {
public:
  TFakeWindow(TMainForm& Form, TMdiChildKind Kind, QStringList& Log) : FForm(Form), FKind(Kind), FLog(Log)
  {
    Form.RegisterMdiChild(this);
  }
  ~TFakeWindow() override { FForm.UnregisterMdiChild(this); }
  TMdiChildKind Kind() const override { return FKind; }
  String Name() const override { return QStringLiteral("MDIGraph"); }
  int32_t ScreenNumber() const override { return FNumber; }
  void SetScreenNumber(int32_t Value) override { FNumber = Value; }
  int32_t Top() const override { return 10; }
  int32_t Left() const override { return 20; }
  int32_t Height() const override { return 30; }
  int32_t Width() const override { return 40; }
  void DataUpdate() override { FLog.append(QStringLiteral("update")); }
  void Close() override
  {
    FLog.append(QStringLiteral("close"));
    FForm.UnregisterMdiChild(this);
  }

private:
  TMainForm& FForm;
  TMdiChildKind FKind;
  QStringList& FLog;
  int32_t FNumber = 0;
};

} // namespace

TEST_F(TMainFormTest, ALoadClosesTheDisplayWindowsAndReopensTheSavedLayout)
{
  WriteSettings("[Serial 0]\r\nFitted=0\r\n[Serial 5]\r\nFitted=1\r\nPort=1\r\n"
                "[Display 2]\r\nForm Name=Bridge\r\nForm Screens=3\r\n"
                "Form Style 1=MDIGraph\r\nForm Top 1=11\r\nAction Flag 1=5\r\n"
                "Form Style 2=MDISetup\r\n"
                "Form Style 3=MDIFont2\r\nForm Top 3=33\r\n");
  TMainForm& F = MakeForm();
  F.PortProbe = [](int32_t N) { return N == 1; };
  QStringList Opened;
  F.SetDisplayWindowOpener([&Opened](TMainForm& Form, TMdiChildKind Kind) {
    Opened.append(QStringLiteral("%1 top %2 flag %3 menu %4")
                      .arg(int(Kind))
                      .arg(Form.LayoutValues.Form_Top)
                      .arg(Form.LayoutValues.Action_Flag)
                      .arg(Form.Menu_Open_Flag));
  });
  EXPECT_TRUE(F.DisplayTypeItems[0]->Enabled());
  Start();
  ASSERT_TRUE(Core().SlotFitted(5));
  QStringList Log;
  TFakeWindow Graph(F, TMdiChildKind::Graph, Log);

  // Every open window follows the samples.
  Core().Hooks.UpdateWindows();
  EXPECT_EQ(Log, QStringList{QStringLiteral("update")});

  F.Load2Execute();

  EXPECT_EQ(Log.last(), QStringLiteral("close"));
  EXPECT_EQ(F.MDIChildCount(), 1); // the set-up screen stays
  EXPECT_EQ(F.UserDisplayCaption(2), QStringLiteral("Bridge"));
  EXPECT_EQ(Opened, (QStringList{QStringLiteral("%1 top 11 flag 5 menu 0").arg(int(TMdiChildKind::Graph)),
                                 QStringLiteral("%1 top 33 flag 0 menu 0").arg(int(TMdiChildKind::SingleValue))}));

  Opened.clear();
  F.DisplayTypeItems[2]->Click();
  EXPECT_EQ(Opened.size(), 1);
  EXPECT_TRUE(Opened.value(0).endsWith(QStringLiteral("menu 1")));
  EXPECT_EQ(F.Menu_Open_Flag, 0);
}

TEST_F(TMainFormTest, AUserDisplayLoadKeepsTheDataAndNeedsAFittedSlotToReopen)
{
  WriteSettings("[Serial 0]\r\nFitted=0\r\n"
                "[Display 4]\r\nForm Name=Survey\r\nForm Screens=3\r\n"
                "Form Style 1=MDIGraph\r\nForm Style 2=MDIScroll\r\nForm Style 3=MDIFont\r\n");
  TMainForm& F = MakeForm();
  int Opened = 0;
  F.SetDisplayWindowOpener([&Opened](TMainForm&, TMdiChildKind) { ++Opened; });
  Start();
  Core().History.SetCurrentValue(slWP1, QStringLiteral("12.500"));
  Core().History.Advance();
  Core().DepthTables.SetValue(slWP1, 13, 12.5);

  F.Load4Execute();

  EXPECT_EQ(Core().UserDisplayIndex, 4);
  EXPECT_EQ(F.UserDisplayCaption(4), QStringLiteral("Survey"));
  EXPECT_EQ(F.Form_Screens, 3);
  // No slot is fitted: the saved windows would have nothing to show.
  EXPECT_EQ(Opened, 0);
  EXPECT_EQ(Core().History.Time_Array_Index(), 1);
  EXPECT_EQ(Core().History.Value(slWP1, 0), QStringLiteral("12.500"));
  EXPECT_EQ(Core().DepthTables.Value(slWP1, 13), 12.5);
  EXPECT_EQ(Core().Reset_Data_Flag, 0);
}

TEST(SettingsSlot, OutputFormatMustWriteNumbersTheProgramCanReadBack)
{
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  struct TCase {
    const char* Mask;
    bool Kept;
  };
  const TCase Cases[] = {
      {"##0.000", true},
      {"0.0", true},
      {"0", true},
      {"0.0E+00", true},
      {"", true},
      {"000000.00000", true},
      {"#,##0.000", false},
      {"0.000 m", false},
      {"##0.000;(##0.000)", false},
      {"0.000;-0.000;zero", false},
      {"\"x\"0", false},
  };
  for (const TCase& C : Cases) {
    TIniFile Ini(Dir.path() + QStringLiteral("/mask.ini"));
    Ini.WriteString(QStringLiteral("Serial 3"), QStringLiteral("Output Format"), QString::fromLatin1(C.Mask));
    TSettingsReader R(Ini);
    const TSerialRow Row = ReadSlot(R, 3);
    EXPECT_EQ(Row[SerialOutputFormat], C.Kept ? QString::fromLatin1(C.Mask) : QStringLiteral("##0.000")) << C.Mask;
    EXPECT_EQ(R.Problems().size(), C.Kept ? 0 : 1) << C.Mask;
  }
}
