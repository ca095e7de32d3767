// The main window: start-up, the port probe, the clock and the ordered
// shutdown.
#include "MainFormFixture.h"

#include "app/core/DataFiles.h"
#include "app/core/calculations.h"
#include "platform/Timer.h"
#include "rtl/IniFile.h"
#include "rtl/StringList.h"
#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"

#include "platform/ActnList.h"
#include "platform/ComCtrls.h"
#include "platform/Menus.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

namespace {

QStringList ComPorts(const TMainForm& F)
{
  QStringList L;
  if (TStringList* List = F.ComPortList())
    for (int32_t I = 0; I < List->Count(); ++I)
      L.append(List->Strings(I));
  return L;
}

int CountLines(const String& FileName)
{
  QFile F(FileName);
  if (!F.open(QIODevice::ReadOnly))
    return -1;
  return static_cast<int>(F.readAll().count("\r\n"));
}

} // namespace

TEST_F(TMainFormTest, StartsWithItsPortsPacketsTimersAndSetupScreen)
{
  TMainForm& F = Start();

  EXPECT_EQ(F.Caption(), QStringLiteral("Fathomix Display  -  INI File: \"FATHOMIX.INI\""));
  EXPECT_TRUE(ComPorts(F).isEmpty());
  for (int32_t N = 1; N <= 20; ++N) {
    TSioComPort* P = F.SioComPort(N);
    ASSERT_NE(P, nullptr);
    EXPECT_EQ(P->ComNumber(), N);
    EXPECT_EQ(P->Name(), QStringLiteral("SioComPort%1").arg(N));
    EXPECT_FALSE(P->Open());
    EXPECT_FALSE(P->AutoOpen());
    EXPECT_EQ(P->TraceName(), QStringLiteral("TELV.TRC"));
    EXPECT_EQ(P->LogName(), QStringLiteral("TELV.LOG"));
  }
  EXPECT_EQ(F.SioComPort(0), nullptr);
  EXPECT_EQ(F.SioComPort(21), nullptr);
  for (int32_t N = 1; N <= 18; ++N) {
    TSioDataPacket* P = F.SioDataPacket(N);
    ASSERT_NE(P, nullptr);
    EXPECT_FALSE(P->Enabled()) << N;
    EXPECT_FALSE(P->IncludeStrings()) << N;
    EXPECT_EQ(P->EndCond(), EndBit(ecString)) << N;
  }
  EXPECT_EQ(F.SioDataPacket(1)->StartString(), AnsiString("\n"));
  EXPECT_EQ(F.SioDataPacket(1)->EndString(), AnsiString("\r"));
  EXPECT_EQ(F.SioDataPacket(1)->TimeOut(), 91);
  EXPECT_EQ(F.SioDataPacket(11)->StartString(), AnsiString());
  EXPECT_EQ(F.SioDataPacket(12)->TimeOut(), 2184);
  EXPECT_EQ(F.SioDataPacket(17)->ComPort(), F.SioComPort(7));

  const std::pair<TTimer*, uint32_t> Timers[] = {
      {F.Timer1, 1000}, {F.Timer2, 15000}, {F.Timer3, 10000}, {F.Timer4, 240000}, {F.Timer5, 1000}};
  for (const auto& [Timer, Interval] : Timers)
    EXPECT_EQ(Timer->Interval(), Interval);
  EXPECT_TRUE(F.Timer1->Enabled());
  EXPECT_FALSE(F.Timer2->Enabled() || F.Timer3->Enabled() || F.Timer4->Enabled() || F.Timer5->Enabled());

  // The set-up screen is the first window created.
  ASSERT_NE(SetupScreen(), nullptr);
  EXPECT_EQ(F.MDIChildCount(), 1);
  EXPECT_EQ(SetupScreen()->ScreenNumber(), 1);
  EXPECT_EQ(F.CreateNumber, 1);
  EXPECT_EQ(F.ActionArray, (std::vector<int32_t>{0, 0}));
  EXPECT_FALSE(F.OpenSetup1->Enabled());
  EXPECT_FALSE(F.Action1->Enabled());
  EXPECT_FALSE(F.RealTimeDisplay1->Enabled());
  EXPECT_TRUE(F.FileSaveData1->Enabled());
  EXPECT_EQ(Core().Reset_Data_Flag, 0);
  EXPECT_EQ(Core().PortData2, QStringLiteral("Unknown"));
  EXPECT_EQ(F.Version, QStringLiteral("Version: FX-2101 Issue 1 13/04/2023"));
  // Slot 0 defaults to fitted on COM1, which is not there.
  EXPECT_FALSE(Core().SlotFitted(0));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(TMainFormTest, ProbeListsOnlyTheFirstTwentyPortsThatOpen)
{
  for (const int32_t N : {2, 20, 21})
    Pty(N);

  TMainForm& F = Start();

  EXPECT_EQ(ComPorts(F), (QStringList{QStringLiteral("COM2"), QStringLiteral("COM20")}));
  // The probe leaves the port components alone.
  EXPECT_FALSE(F.SioComPort(2)->Open());
}

TEST_F(TMainFormTest, SetupScreenShowsTheLoadedValuesWithoutRoundingThem)
{
  WriteSettings("[Quorndeck]\r\nLocal Latitude=12.34567\r\nPressure Tare=1.5\r\nKIRVO Rate=250\r\n"
                "Maximum View Points=600\r\nSV Value=Measured\r\nAltimeter Flag=2\r\n");
  TMainForm& F = Start();
  TMDISetup* S = SetupScreen();
  ASSERT_NE(S, nullptr);

  EXPECT_EQ(S->QvNumEdit(3)->Text(), QStringLiteral("12.346"));
  EXPECT_EQ(Core().Local_Latitude, 12.34567);
  EXPECT_DOUBLE_EQ(Core().g0_value, NormalGravity(12.34567));
  EXPECT_EQ(S->QvNumEdit(6)->Text(), QStringLiteral("600"));
  EXPECT_EQ(Core().Maximum_View_Points, 600);
  EXPECT_EQ(S->PanelCaption(2), QStringLiteral("1.5"));
  EXPECT_EQ(S->PanelCaption(3), QStringLiteral("01/01/2007 00:00:00"));
  EXPECT_EQ(S->ComboBox1->Text(), QStringLiteral("Measured"));
  EXPECT_EQ(S->ComboBox2->ItemIndex(), 0);
  EXPECT_EQ(S->RadioGroup1->ItemIndex(), 2);
  EXPECT_EQ(Core().Rate, QStringLiteral("4"));

  F.Close();
  EXPECT_TRUE(ReadSettings().contains("Local Latitude=12.34567\r\n"));
}

// What the operator sets under the set-up grid is what the settings file
// holds once it is written: numbers as accepted on leaving their field (a
// refused one not at all), choices and texts as made.
TEST_F(TMainFormTest, SettingsEditedOnTheSetupScreenReachTheSettingsFile)
{
  TMainForm& F = Start();
  std::vector<String> Shown;
  F.ShowMessage = [&Shown](const String& Text) { Shown.push_back(Text); };
  TMDISetup* S = SetupScreen();
  ASSERT_NE(S, nullptr);
  const auto Type = [S](int32_t Edit, const char* Keys) {
    TQvNumEdit* E = S->QvNumEdit(Edit);
    E->SetFocus();
    E->SelectAll();
    QTest::keyClick(E->Handle(), Qt::Key_Backspace);
    for (const char* K = Keys; *K; ++K)
      QTest::keyClick(E->Handle(), *K);
    S->QvNumEdit8->SetFocus();
    QApplication::processEvents();
  };
  Type(3, "-33.25");
  Type(4, "2500");
  Type(6, "720");
  Type(5, "9000"); // refused: above 6000
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0], QStringLiteral("Array Resolution must be a number from 1 to 6000."));
  // The refused field kept the focus; a number within its limits lets go.
  Type(5, "1");
  ASSERT_EQ(Shown.size(), 1u);
  F.ShowMessage = nullptr;
  S->QvNumEdit8->SetText(QStringLiteral("12"));
  S->FormatGroups[2]->SetItemIndex(5);
  S->RadioGroup4Click();
  S->GrevonProcPrefix->SetText(QStringLiteral("%D0011"));
  S->ComboBox2->SetItemIndex(1);
  S->ComboBox2Change();

  F.WriteIniFile();
  const QByteArray File = ReadSettings();
  for (const char* Line : {"Local Latitude=-33.25\r\n", "Maximum Pressure=2500\r\n", "Maximum View Points=720\r\n",
                           "Pressure Resolution=1\r\n", "Height Above Sea Level=12\r\n",
                           "Output 3 Format=GREVON PROC\r\n", "Grevon Proc Prefix=%D0011\r\n", "KIRVO Rate=500\r\n"})
    EXPECT_TRUE(File.contains(Line)) << Line;
  EXPECT_DOUBLE_EQ(Core().g0_value, NormalGravity(-33.25));
  EXPECT_EQ(Core().Rate, QStringLiteral("2"));
}

TEST_F(TMainFormTest, ClockShowsThePcTimeAndTheInstrumentTime)
{
  TMainForm& F = Start();
  const TClockScope Clock(EncodeDateTime(2023, 4, 13, 12, 34, 56, 0));

  F.Timer1Timer();
  EXPECT_EQ(F.StatusText(2), QStringLiteral("13/04/2023 12:34:56"));
  // Before any clock reply the instrument time is the PC time.
  EXPECT_EQ(SetupScreen()->PanelCaption(1), QStringLiteral("13/04/2023 12:34:56"));

  F.Instrument_Clock_Offset = 90500;
  F.Timer1Timer();
  EXPECT_EQ(SetupScreen()->PanelCaption(1), QStringLiteral("13/04/2023 12:36:26"));
  EXPECT_EQ(F.StatusText(2), QStringLiteral("13/04/2023 12:34:56"));

  // The instrument's midnight shows the date alone, as the date-time text
  // of the locale has it; the status bar always shows both.
  F.Instrument_Clock_Offset = (11 * 3600 + 25 * 60 + 4) * INT64_C(1000);
  F.Timer1Timer();
  EXPECT_EQ(SetupScreen()->PanelCaption(1), QStringLiteral("14/04/2023"));
  EXPECT_EQ(F.StatusText(2), QStringLiteral("13/04/2023 12:34:56"));

  // An offset that leaves the calendar shows no date rather than failing
  // every second.
  F.Instrument_Clock_Offset = -INT64_C(1) << 50;
  F.Timer1Timer();
  EXPECT_EQ(SetupScreen()->PanelCaption(1), QStringLiteral("Unknown"));
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(TMainFormTest, StatusPanelsKeepTheirWidthsAndShowALongTextWholeAsTheirToolTip)
{
  TMainForm& F = Start();
  auto* Bar = qobject_cast<QStatusBar*>(F.StatusBar1->Handle());
  const QList<QLabel*> Panels = Bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(Panels.size(), 3);
  const String Long =
      QStringLiteral("Invalid Data Format: field 3 (pressure) is not a number ") + QString(200, QLatin1Char('x'));
  struct TCase {
    int32_t Panel;
    String Text;
    bool Cut;
  };
  const TCase Cases[] = {
      {0, Long, true},
      {1, Long, true},
      {0, QStringLiteral("Interrupted"), false},
      {1, String(), false},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Panel);
    SCOPED_TRACE(C.Text.size());
    F.SetStatusText(C.Panel, C.Text);
    F.Timer1Timer();
    QApplication::processEvents();
    EXPECT_EQ(F.StatusText(C.Panel), C.Text);
    QLabel* P = Panels[C.Panel];
    EXPECT_EQ(Panels[0]->width(), 200);
    EXPECT_EQ(Panels[1]->width(), 200);
    // The clock stays on the window, against its right edge.
    EXPECT_LE(Panels[2]->geometry().right(), Bar->width());
    EXPECT_GE(Panels[2]->width(), 50);
    EXPECT_EQ(Panels[2]->text(), F.StatusText(2));
    if (C.Cut) {
      EXPECT_TRUE(P->text().endsWith(QChar(0x2026))) << P->text().toStdString();
      EXPECT_TRUE(C.Text.startsWith(P->text().chopped(1)));
      EXPECT_LE(P->fontMetrics().horizontalAdvance(P->text()), P->contentsRect().width());
      EXPECT_EQ(P->toolTip(), C.Text);
    } else {
      EXPECT_EQ(P->text(), C.Text);
      EXPECT_TRUE(P->toolTip().isEmpty());
    }
  }
}

TEST_F(TMainFormTest, ClosingRunsTheOrderedShutdown)
{
  TMainForm& F = Start();
  const String DataFile = TempPath(QStringLiteral("run.btd"));
  F.DataFiles().FileSaveData1Accept(DataFile);
  ASSERT_EQ(F.DataFiles().Save_Data_Flag(), 1);
  F.Timer2->SetEnabled(true);
  F.Timer5->SetEnabled(true);

  F.Close();

  EXPECT_TRUE(F.Closed());
  EXPECT_TRUE(ReadSettings().contains("[Serial 19]"));
  EXPECT_FALSE(F.Timer1->Enabled() || F.Timer2->Enabled() || F.Timer5->Enabled());
  for (int32_t N = 1; N <= 18; ++N)
    EXPECT_FALSE(F.SioDataPacket(N)->Enabled() || F.SioDataPacket(N)->AutoEnable()) << N;
  // The recording stopped with its depth file written.
  EXPECT_EQ(F.DataFiles().Save_Data_Flag(), 0);
  EXPECT_EQ(CountLines(DepthFileName(DataFile)), 6001);
  EXPECT_EQ(F.ComPortList(), nullptr);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(TMainFormTest, TheSetupScreenIsNotReopenedOnceShutdownHasBegun)
{
  // A fitted check box closes the set-up screen and arms the reopening;
  // the program is closed before it fires.
  TMainForm& F = Start();
  SetupScreen()->Close();
  F.Timer5->SetEnabled(true);
  F.Close();
  EXPECT_FALSE(F.Timer5->Enabled());
  // An event already on its way.
  F.Timer5Timer();
  EXPECT_EQ(F.MDIChildCount(), 0);
  EXPECT_EQ(SetupScreen(), nullptr);
}

TEST_F(TMainFormTest, ShutdownFinishesWhenTheSettingsCannotBeWritten)
{
  // A folder where the settings file should be: every write fails.
  ASSERT_TRUE(ForceDirectories(SettingsPath()));
  TMainForm& F = Start();
  const String DataFile = TempPath(QStringLiteral("run.btd"));
  F.DataFiles().FileSaveData1Accept(DataFile);

  F.Close();

  EXPECT_TRUE(F.StatusText(0).startsWith(QStringLiteral("Settings not written")));
  EXPECT_EQ(CountLines(DepthFileName(DataFile)), 6001);
  EXPECT_FALSE(F.SioDataPacket(1)->AutoEnable());
}

TEST_F(TMainFormTest, AWindowClosedBeforeItWasShownWritesNoSettings)
{
  TMainForm& F = MakeForm();
  F.Close();
  EXPECT_FALSE(FileExists(SettingsPath()));
}

TEST_F(TMainFormTest, ACloseRequestedDuringStartUpWaitsForItsEnd)
{
  TMainForm& F = MakeForm();
  // The probe pumps messages, as a stop signal would arrive.
  F.PortProbe = [&F](int32_t N) {
    if (N == 1)
      F.RequestClose();
    return false;
  };
  F.Show();
  ASSERT_NE(SetupScreen(), nullptr);
  EXPECT_FALSE(F.Closed());
  EXPECT_TRUE(PumpUntil([&F] { return F.Closed(); }));
  EXPECT_TRUE(FileExists(SettingsPath()));
}

TEST_F(TMainFormTest, ResetDisplayReloadsWithADataReset)
{
  TMainForm& F = Start();
  Core().History.SetCurrentValue(0, QStringLiteral("1.000"));
  Core().History.Advance();
  ASSERT_EQ(Core().History.Time_Array_Index(), 1);
  const size_t Actions = F.ActionArray.size();

  F.ResetDisplay1Execute();

  EXPECT_EQ(Core().History.Time_Array_Index(), 0);
  EXPECT_EQ(Core().Reset_Data_Flag, 0);
  EXPECT_EQ(F.ActionArray.size(), Actions + 1);
  // The set-up screen stays open across a reload.
  EXPECT_EQ(F.MDIChildCount(), 1);
}

TEST_F(TMainFormTest, SetupScreenClosesAndReopensThroughItsAction)
{
  TMainForm& F = Start();
  SetupScreen()->Close();
  EXPECT_EQ(F.MDIChildCount(), 0);
  EXPECT_TRUE(F.OpenSetup1->Enabled());
  EXPECT_EQ(F.SaveDisplayFlag, 1);

  F.Timer5->SetEnabled(true);
  F.Timer5Timer();
  EXPECT_FALSE(F.Timer5->Enabled());
  ASSERT_NE(SetupScreen(), nullptr);
  EXPECT_EQ(SetupScreen()->ScreenNumber(), 2);
  EXPECT_EQ(F.SaveDisplayFlag, 0);
  EXPECT_FALSE(F.OpenSetup1->Enabled());
}

TEST_F(TMainFormTest, SetupCheckBoxesFitASlotAndSetItsAtmosphericCorrection)
{
  Pty(2);
  WriteSettings("[Serial 0]\r\nFitted=0\r\nPort=2\r\n[Serial 12]\r\nFitted=0\r\nPort=2\r\n");
  TMainForm& F = Start();
  ASSERT_FALSE(Core().SlotFitted(0));
  Core().History.SetCurrentValue(slWP1, QStringLiteral("3.000"));
  Core().History.Advance();

  // "Atmos" follows the box both ways; the atmospheric sensor's own row and
  // the output rows have none.
  struct TAtmos {
    int32_t Row;
    bool Checked;
    int32_t Slot;
    const char* Flag;
  };
  for (const TAtmos& A :
       {TAtmos{1, true, 0, "1"}, TAtmos{6, true, 12, "1"}, TAtmos{10, true, 11, "0"}, TAtmos{6, false, 12, "0"}}) {
    SetupScreen()->ZurEvoderOzod1CheckBoxClick(nullptr, SetupColumnAtmos, A.Row, A.Checked);
    EXPECT_EQ(Core().SerialArray[static_cast<size_t>(A.Slot)][SerialAtmos], QLatin1String(A.Flag)) << A.Row;
  }
  SetupScreen()->ZurEvoderOzod1CheckBoxClick(nullptr, SetupColumnAtmos, 3, true);
  SetupScreen()->ZurEvoderOzod1CheckBoxClick(nullptr, 4, 1, true);
  ASSERT_NE(SetupScreen(), nullptr);

  // The fitted box of the instrument row: stored, written, reloaded with
  // the recorded samples kept, the screen closed and reopened by the
  // one-shot.
  const int32_t Recorded = Core().History.Time_Array_Index();
  ASSERT_GT(Recorded, 0);
  SetupScreen()->ZurEvoderOzod1CheckBoxClick(nullptr, SetupColumnFitted, 1, true);

  EXPECT_TRUE(Core().SlotFitted(0));
  EXPECT_EQ(Core().ConductivityIndex, 1);
  EXPECT_EQ(F.QuorndeckPort, F.SioComPort(2));
  EXPECT_TRUE(F.SioDataPacket(1)->Enabled());
  {
    TIniFile Ini(SettingsPath());
    EXPECT_EQ(Ini.ReadString(QStringLiteral("Serial 0"), QStringLiteral("Fitted"), String()), QStringLiteral("1"));
    EXPECT_EQ(Ini.ReadString(QStringLiteral("Serial 0"), QStringLiteral("Atmos"), String()), QStringLiteral("1"));
  }
  EXPECT_EQ(Core().History.Time_Array_Index(), Recorded);
  EXPECT_EQ(Core().Reset_Data_Flag, 0);
  EXPECT_EQ(SetupScreen(), nullptr);
  EXPECT_TRUE(F.Timer5->Enabled());
  F.Timer5Timer();
  ASSERT_NE(SetupScreen(), nullptr);

  // Row 3 is output 2.
  SetupScreen()->ZurEvoderOzod1CheckBoxClick(nullptr, SetupColumnFitted, 3, true);
  EXPECT_EQ(TIniFile(SettingsPath()).ReadString(QStringLiteral("Output 2"), QStringLiteral("Fitted"), String()),
            QStringLiteral("1"));
  EXPECT_EQ(Core().Output_2_Fitted, 1);
  EXPECT_THROW(F.SetupFittedClick(11, true), ERangeError);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}
