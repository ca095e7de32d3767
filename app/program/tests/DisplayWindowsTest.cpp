// The display windows in the real main window: the Display Type menu, the
// item actions and their record, user layouts saved and reopened, the
// samples reaching every window, and the About box.
#include "MainFormFixture.h"

#include "app/windows/AboutBox.h"
#include "app/windows/DisplayNameDlg.h"
#include "app/windows/DisplayWindow.h"
#include "app/windows/DisplayWindows.h"
#include "app/windows/MDIFont.h"
#include "app/windows/MDIGraph.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomChart.h"
#include "platform/ActnList.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/StdActns.h"
#include "platform/StdCtrls.h"
#include "serial/SioDataPacket.h"

#include <QIcon>
#include <QWidget>
#include <QScopeGuard>
#include <QImage>
#include <QTimer>

namespace {

// A window of the frame alone: what a kind with many items does, without
// content of its own.
class TFrameOnly : public TDisplayWindow {
public:
  TFrameOnly(IDisplayHost& Host, TMdiChildKind Kind, const char* FormName, bool PressureOnly)
      : TDisplayWindow(Host, Kind, FormName, TItemChoice::Many), FPressureOnly(PressureOnly)
  {
  }
  bool ItemSelectable(const String& Name) const override
  {
    return !FPressureOnly || Name.contains(QLatin1String("dBar"));
  }
  void DataUpdate() override
  {
    if (DataUpdateFlag != 1)
      return;
    ++Updates;
    ProcessMessages();
  }
  int Updates = 0;
  int Rebuilds = 0;

protected:
  void ContentSetup() override { ++Rebuilds; }

private:
  bool FPressureOnly;
};

// Slot N fitted on COM1 (present), not an instrument slot, named "S<N>,
// dBar" for the pressure slots 1 and 16..19 and "S<N>, u" for the others.
QByteArray Sensor(int N)
{
  const bool Pressure = N == 1 || N >= 16;
  return QStringLiteral("[Serial %1]\r\nFitted=1\r\nPort=1\r\nLabel=S%1\r\nUnits=%2\r\n")
      .arg(N)
      .arg(Pressure ? QStringLiteral("dBar") : QStringLiteral("u"))
      .toLatin1();
}

QByteArray Sensors(std::initializer_list<int> Slots)
{
  QByteArray S = "[Serial 0]\r\nFitted=0\r\n";
  for (int N : Slots)
    S += Sensor(N);
  return S;
}

class DisplayWindowsTest : public TMainFormTest {
protected:
  TMainForm& StartWith(const QByteArray& Settings)
  {
    WriteSettings(Settings);
    TMainForm& F = MakeForm();
    F.PortProbe = [](int32_t N) { return N == 1; };
    // The kind whose content is not built yet, as a frame only.
    F.DisplayWindows().Register(TMdiChildKind::Scale, [](IDisplayHost& H) -> TDisplayWindow* {
      return new TFrameOnly(H, TMdiChildKind::Scale, "MDIScale", true);
    });
    F.UpdateDisplayTypeItems();
    return Start();
  }

  // The display window at MDI position Index (0 the newest), or nullptr.
  template <class T = TDisplayWindow>
  T* Window(int32_t Index) const
  {
    return dynamic_cast<T*>(Form->MDIChildren(Index));
  }

  template <class T = TDisplayWindow>
  T* OpenFromMenu(TMdiChildKind Kind)
  {
    Form->DisplayTypeClick(Kind);
    return Window<T>(0);
  }

  // Names the layout in the display-name dialog as the operator would.
  void SaveLayout(int32_t N, const char* Name, bool Ok)
  {
    QTimer::singleShot(0, [this, Name, Ok] {
      TDisplayNameDlg* D = Form->DisplayNameDialog();
      D->Edit1->SetText(QString::fromLatin1(Name));
      (Ok ? D->OKBtn : D->CancelBtn)->Click();
    });
    Form->SaveActions[static_cast<size_t>(N - 1)]->Execute();
  }
};

} // namespace

TEST_F(DisplayWindowsTest, TheBigNumberWindowOpensAtItsDefaultPlaceWithItsItemsNamed)
{
  TMainForm& F = StartWith(Sensors({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 16, 17}));
  ASSERT_EQ(Core().SensorName.size(), 12u);
  // Only the kinds that can be opened have their menu item.
  EXPECT_TRUE(F.DisplayTypeItems[0]->Enabled()); // Simple Display
  EXPECT_TRUE(F.DisplayTypeItems[1]->Enabled()); // Scroll Display
  EXPECT_TRUE(F.DisplayTypeItems[3]->Enabled()); // Bathy Graph Display
  const int32_t Before = F.CreateNumber;
  const size_t Entries = F.ActionArray.size();

  auto* W = OpenFromMenu<TMDIFont>(TMdiChildKind::SingleValue);
  ASSERT_NE(W, nullptr);
  EXPECT_EQ(W->Name(), QStringLiteral("MDIFont"));
  EXPECT_EQ(W->BoundsRect(), (TRect{0, 0, 320, 120}));
  EXPECT_EQ(W->ScreenNumber(), Before + 1);
  EXPECT_EQ(F.CreateNumber, Before + 1);
  EXPECT_EQ(F.ActionArray.size(), Entries + 1);
  EXPECT_EQ(W->Label1->Caption(), QStringLiteral("-0000.000"));
  EXPECT_TRUE(W->SensorList11->Visible());
  EXPECT_TRUE(W->SensorList21->Visible());
  EXPECT_FALSE(W->SensorList31->Visible());
  for (int32_t N = 1; N <= 30; ++N) {
    TAction* A = W->Action(N);
    const bool Named = N <= 12;
    // Action21 keeps its design state, out of sight in the hidden list.
    EXPECT_EQ(A->Visible(), Named || N == 21) << N;
    EXPECT_EQ(A->Enabled(), Named || N == 21) << N;
    if (Named)
      EXPECT_EQ(A->Caption(), Core().SensorName[static_cast<size_t>(N - 1)]) << N;
    EXPECT_EQ(A->Category(), QStringLiteral("Sensor List %1").arg((N - 1) / 10 + 1)) << N;
  }
  EXPECT_EQ(W->SensorList21->Items(1)->Caption(), Core().SensorName[11]);

  // Samples change nothing before an item is chosen.
  Core().Hooks.UpdateWindows();
  EXPECT_EQ(W->Label1->Caption(), QStringLiteral("-0000.000"));

  // A second item replaces the first.
  W->Action(2)->Execute();
  W->Action(5)->Execute();
  EXPECT_EQ(W->Caption(), Core().SensorName[4]);
  EXPECT_EQ(W->DataNumber, 9);
  EXPECT_EQ(W->ItemMask(), 16);
  EXPECT_FALSE(W->Action(5)->Checked());
  Core().DataArray[9] = QStringLiteral("12.345");
  Core().Hooks.UpdateWindows();
  EXPECT_EQ(W->Label1->Caption(), QStringLiteral("12.345"));
  // A value table shorter than the item (rebuilt under the window).
  Core().DataArray.resize(4);
  Core().Hooks.UpdateWindows();
  EXPECT_EQ(W->Label1->Caption(), QStringLiteral("9.999"));
}

TEST_F(DisplayWindowsTest, ItemActionsToggleTheRecordAndRebuildTheWindow)
{
  TMainForm& F = StartWith(Sensors({1, 2, 3}));
  auto* W = OpenFromMenu<TMDIGraph>(TMdiChildKind::Graph);
  ASSERT_NE(W, nullptr);
  EXPECT_EQ(W->BoundsRect(), (TRect{0, 0, 320, 240}));
  EXPECT_FALSE(W->SensorList21->Visible());
  EXPECT_EQ(W->DataUpdateFlag, 0);

  W->Action(1)->Execute();
  W->Action(3)->Execute();
  EXPECT_EQ(W->ItemMask(), 5);
  EXPECT_EQ(F.ActionArray[static_cast<size_t>(W->ScreenNumber() - 1)], 5);
  EXPECT_EQ(W->DataNumberArray[0], 1);
  EXPECT_EQ(W->DataNumberArray[1], 0);
  EXPECT_EQ(W->DataNumberArray[2], 5);
  EXPECT_TRUE(W->Action(3)->Checked());
  // Each toggle rebuilt the lines: one per item.
  EXPECT_EQ(W->Chart1->SeriesCount(), 2);
  EXPECT_EQ(W->DataUpdateFlag, 1);
  Core().Hooks.UpdateWindows();
  EXPECT_EQ(W->Chart1->GetSeries(1)->Count(), 1);

  // Twice is back where it was; all off is nothing to show.
  W->Action(3)->Execute();
  EXPECT_EQ(W->ItemMask(), 1);
  EXPECT_FALSE(W->Action(3)->Checked());
  EXPECT_EQ(W->DataNumberArray[2], 0);
  W->Action(1)->Execute();
  EXPECT_EQ(W->ItemMask(), 0);
  EXPECT_EQ(W->DataUpdateFlag, 0);
  EXPECT_EQ(W->Chart1->SeriesCount(), 0);
  Core().Hooks.UpdateWindows();
  EXPECT_EQ(W->Chart1->SeriesCount(), 0);
}

TEST_F(DisplayWindowsTest, WithoutAFittedSensorTheFirstActionChoosesNothing)
{
  TMainForm& F = StartWith("[Serial 0]\r\nFitted=0\r\n");
  ASSERT_TRUE(Core().SensorName.empty());
  auto* Big = OpenFromMenu<TMDIFont>(TMdiChildKind::SingleValue);
  auto* Graph = OpenFromMenu<TMDIGraph>(TMdiChildKind::Graph);
  ASSERT_TRUE(Big && Graph);
  for (TDisplayWindow* W : {static_cast<TDisplayWindow*>(Big), static_cast<TDisplayWindow*>(Graph)}) {
    // The first action of each list keeps its design state.
    EXPECT_TRUE(W->Action(1)->Visible());
    EXPECT_EQ(W->Action(1)->Caption(), QStringLiteral("Action1"));
    W->Action(1)->Execute();
    EXPECT_EQ(W->ItemMask(), 0);
    EXPECT_EQ(W->DataUpdateFlag, 0);
  }
  EXPECT_EQ(Big->DataNumber, 0);
  EXPECT_FALSE(Graph->Action(1)->Checked());
  EXPECT_EQ(Graph->Chart1->SeriesCount(), 0);
  Core().Hooks.UpdateWindows();
  EXPECT_EQ(Big->Label1->Caption(), QStringLiteral("-0000.000"));
  EXPECT_TRUE(Errors.isEmpty());
  (void)F;
}

TEST_F(DisplayWindowsTest, APressureOnlyWindowOffersTheOtherItemsDisabled)
{
  StartWith(Sensors({1, 2, 16}));
  auto* W = OpenFromMenu<TFrameOnly>(TMdiChildKind::Scale);
  ASSERT_NE(W, nullptr);
  EXPECT_TRUE(W->Action(1)->Enabled());
  EXPECT_TRUE(W->Action(2)->Visible());
  EXPECT_FALSE(W->Action(2)->Enabled());
  EXPECT_TRUE(W->Action(3)->Enabled());
  W->Action(2)->Execute();
  EXPECT_EQ(W->ItemMask(), 0);
}

TEST_F(DisplayWindowsTest, AUserDisplayReopensTheSameWindowsPlacesItemsColoursAndFonts)
{
  TMainForm& F = StartWith(Sensors({1, 2, 3, 4, 5, 16}));
  const auto RestoreDialogs = qScopeGuard([] {
    ColorDialogExecute = nullptr;
    FontDialogExecute = nullptr;
  });
  ColorDialogExecute = [](TColor& C) {
    C = 0x00336699;
    return true;
  };
  FontDialogExecute = [](TFont& Font) {
    Font.SetName(QStringLiteral("Courier New"));
    Font.SetSize(20);
    Font.SetColor(0x000000FF);
    Font.SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsItalic));
    return true;
  };
  auto* Big = OpenFromMenu<TMDIFont>(TMdiChildKind::SingleValue);
  Big->Action(5)->Execute();
  Big->ColorSelect1->Execute();
  Big->FontEdit1->Execute();
  Big->SetBounds(30, 40, 300, 110);
  auto* Graph = OpenFromMenu<TMDIGraph>(TMdiChildKind::Graph);
  Graph->Action(1)->Execute();
  Graph->Action(3)->Execute();
  Graph->SetBounds(200, 10, 400, 250);

  SaveLayout(3, "Bridge", true);
  EXPECT_FALSE(F.DisplayNameDialog()->Visible());
  EXPECT_EQ(F.UserDisplayCaption(3), QStringLiteral("Bridge"));
  const QByteArray File = ReadSettings();
  EXPECT_TRUE(File.contains("[Display 3]\r\nForm Name=Bridge\r\nForm Screens=3\r\n")) << File.toStdString();

  // Other windows come and go before the layout is loaded again.
  F.DisplayTypeClick(TMdiChildKind::SingleValue);
  F.SetUserDisplayCaption(3, QStringLiteral("User Display 3"));
  F.Load3Execute();

  EXPECT_EQ(F.UserDisplayCaption(3), QStringLiteral("Bridge"));
  ASSERT_EQ(F.MDIChildCount(), 3); // the set-up screen and the two windows
  TMDIFont* Big2 = nullptr;
  TMDIGraph* Graph2 = nullptr;
  for (int32_t I = 0; I < F.MDIChildCount(); ++I) {
    if (auto* B = Window<TMDIFont>(I))
      Big2 = B;
    if (auto* G = Window<TMDIGraph>(I))
      Graph2 = G;
  }
  ASSERT_TRUE(Big2 && Graph2);
  EXPECT_NE(Big2, Big);
  EXPECT_EQ(Big2->BoundsRect(), (TRect{30, 40, 330, 150}));
  EXPECT_EQ(Big2->DataNumber, 9);
  EXPECT_EQ(Big2->ItemMask(), 16);
  EXPECT_EQ(Big2->Caption(), Core().SensorName[4]);
  EXPECT_EQ(Big2->Label1->Color(), 0x00336699);
  const TFont* Font = Big2->Label1->Font();
  EXPECT_EQ(Font->Name(), QStringLiteral("Courier New"));
  EXPECT_EQ(Font->Size(), 20);
  EXPECT_EQ(Font->Color(), 0x000000FF);
  EXPECT_EQ(Font->Style(), FontStyleBit(fsBold) | FontStyleBit(fsItalic));
  EXPECT_EQ(Graph2->BoundsRect(), (TRect{200, 10, 600, 260}));
  EXPECT_EQ(Graph2->ItemMask(), 5);
  EXPECT_TRUE(Graph2->Action(1)->Checked());
  EXPECT_FALSE(Graph2->Action(2)->Checked());
  EXPECT_TRUE(Graph2->Action(3)->Checked());
  EXPECT_EQ(Graph2->DataUpdateFlag, 1);
  EXPECT_EQ(Graph2->Chart1->SeriesCount(), 2);
  // A spare entry follows the newest window's.
  EXPECT_GT(F.ActionArray.size(), static_cast<size_t>(F.CreateNumber));

  // Cancelling the name keeps the saved layout as it was.
  Graph2->Close();
  SaveLayout(3, "Deck", false);
  EXPECT_EQ(F.UserDisplayCaption(3), QStringLiteral("Bridge"));
  EXPECT_TRUE(ReadSettings().contains("Form Screens=3\r\n"));
}

TEST_F(DisplayWindowsTest, ALayoutSavedWithMoreSensorsOpensWithoutTheMissingItems)
{
  StartWith(Sensors({1, 2}) + "[Display 1]\r\nForm Screens=3\r\n"
                              "Form Style 1=MDIGraph\r\nAction Flag 1=17\r\n"
                              "Form Style 2=MDIFont\r\nAction Flag 2=16\r\n"
                              "Form Style 3=MDIScale\r\nAction Flag 3=3\r\n");
  TMDIGraph* Graph = nullptr;
  TFrameOnly* Scale = nullptr;
  TMDIFont* Big = nullptr;
  for (int32_t I = 0; I < Form->MDIChildCount(); ++I) {
    if (auto* W = Window<TMDIGraph>(I))
      Graph = W;
    if (auto* W = Window<TFrameOnly>(I))
      Scale = W;
    if (auto* B = Window<TMDIFont>(I))
      Big = B;
  }
  ASSERT_TRUE(Graph && Scale && Big);
  EXPECT_EQ(Graph->ItemMask(), 1);
  EXPECT_TRUE(Graph->Action(1)->Checked());
  EXPECT_FALSE(Graph->Action(5)->Checked());
  EXPECT_EQ(Big->DataNumber, 0);
  EXPECT_EQ(Big->ItemMask(), 0);
  // Item 2 ("S2, u") cannot be chosen in a pressure-only window.
  EXPECT_EQ(Scale->ItemMask(), 1);
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(DisplayWindowsTest, WhateverLiesUnderTheIconsNameTheWindowOpens)
{
  TMainForm& F = StartWith(Sensors({1}));
  const String Icon = Folder() + QStringLiteral("/Icon.ico");
  struct TCase {
    const char* Name;
    std::function<void()> Make;
    bool WithIcon;
  };
  const TCase Cases[] = {
      {"a picture",
       [&] {
         QImage Picture(16, 16, QImage::Format_ARGB32);
         Picture.fill(Qt::blue);
         ASSERT_TRUE(Picture.save(Icon, "ICO"));
       },
       true},
      {"no file", [&] { QFile::remove(Icon); }, false},
      {"no picture",
       [&] {
         QFile File(Icon);
         ASSERT_TRUE(File.open(QIODevice::WriteOnly));
         File.write(QByteArray(5000, '\x7f'));
       },
       false},
      {"a folder",
       [&] {
         QFile::remove(Icon);
         ASSERT_TRUE(QDir().mkdir(Icon));
       },
       false},
  };
  for (const TCase& C : Cases) {
    C.Make();
    const int32_t Count = F.MDIChildCount();
    auto* W = OpenFromMenu<TMDIFont>(TMdiChildKind::SingleValue);
    ASSERT_NE(W, nullptr) << C.Name;
    EXPECT_EQ(F.MDIChildCount(), Count + 1) << C.Name;
    EXPECT_EQ(W->ScreenNumber(), F.CreateNumber) << C.Name;
    EXPECT_EQ(!W->Handle()->windowIcon().isNull(), C.WithIcon) << C.Name;
  }
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(DisplayWindowsTest, ClosedWindowsKeepTheirRecordAndNumbersOnlyGrow)
{
  TMainForm& F = StartWith(Sensors({1, 2}));
  auto* First = OpenFromMenu<TMDIFont>(TMdiChildKind::SingleValue);
  First->Action(2)->Execute();
  const int32_t FirstNumber = First->ScreenNumber();
  const int32_t Components = F.ComponentCount();
  First->Close();
  EXPECT_EQ(F.MDIChildCount(), 1);
  // Freed from the message loop.
  EXPECT_TRUE(PumpUntil([&] { return F.ComponentCount() == Components - 1; }));
  auto* Second = OpenFromMenu<TMDIFont>(TMdiChildKind::SingleValue);
  EXPECT_EQ(Second->ScreenNumber(), FirstNumber + 1);
  EXPECT_EQ(F.ActionArray[static_cast<size_t>(FirstNumber - 1)], 2);
}

TEST_F(DisplayWindowsTest, ALiveSampleReachesTheBigNumberWindow)
{
  PtyPair& Instrument = Pty(2);
  WriteSettings("[Serial 0]\r\nFitted=1\r\nPort=2\r\nMode=RS232\r\nPacket=1\r\nBaud=9600\r\nLabel=C\r\nUnits=mS/cm\r\n"
                "[Serial 1]\r\nFitted=1\r\nPort=2\r\nMode=RS232\r\nPacket=1\r\nLabel=Pressure\r\nUnits=dBar\r\n");
  TMainForm& F = Start();
  ASSERT_TRUE(F.SioDataPacket(1)->Enabled());
  auto* W = OpenFromMenu<TMDIFont>(TMdiChildKind::SingleValue);
  W->Action(2)->Execute();
  EXPECT_EQ(W->Caption(), QStringLiteral("Pressure, dBar"));
  ASSERT_TRUE(Instrument.WriteMaster("\n1500.1\tx\t10.5\tx\t12.3\tx\t5.5\tx\t42.1\t\r"));
  EXPECT_TRUE(PumpUntil([&] { return W->Label1->Caption() == QLatin1String("10.500"); }))
      << W->Label1->Caption().toStdString();
}

TEST_F(DisplayWindowsTest, TheAboutBoxShowsTheProgramsNameAndVersion)
{
  TMainForm& F = Start();
  ASSERT_TRUE(F.HelpAbout1->Enabled());
  String Shown;
  QTimer::singleShot(0, [&] {
    TAboutBox* Box = F.AboutDialog();
    Shown = Box->ProductName->Caption() + QLatin1Char('|') + Box->Version->Caption();
    Box->OKButton->Click();
  });
  F.HelpAbout1->Execute();
  EXPECT_EQ(Shown, F.ProductName + QLatin1Char('|') + F.Version);
  EXPECT_TRUE(Shown.contains(QLatin1String("Fathomix")));
  EXPECT_FALSE(F.AboutDialog()->Visible());
}

namespace {

// A child as the walk sees it: its update logs, may fail, may close another.
class TWalked : public IMdiChild {
public:
  TWalked(TMainForm& Form, const char* Name, QStringList& Log) : FForm(Form), FName(Name), FLog(Log)
  {
    Form.RegisterMdiChild(this);
  }
  ~TWalked() override { FForm.UnregisterMdiChild(this); }
  TMdiChildKind Kind() const override { return TMdiChildKind::Graph; }
  String Name() const override { return QString::fromLatin1(FName); }
  int32_t ScreenNumber() const override { return 90; }
  void SetScreenNumber(int32_t) override {}
  int32_t Top() const override { return 0; }
  int32_t Left() const override { return 0; }
  int32_t Height() const override { return 0; }
  int32_t Width() const override { return 0; }
  void DataUpdate() override
  {
    FLog.append(QString::fromLatin1(FName));
    if (Fails)
      throw EConvertError(QStringLiteral("'-----' is not a valid floating point value"));
    if (Frees)
      Frees->reset();
  }
  void Close() override { FForm.UnregisterMdiChild(this); }

  bool Fails = false;
  std::unique_ptr<TWalked>* Frees = nullptr;

private:
  TMainForm& FForm;
  const char* FName;
  QStringList& FLog;
};

} // namespace

TEST_F(DisplayWindowsTest, TheSamplesWalkSurvivesAFailingWindowAndOneFreedOnTheWay)
{
  TMainForm& F = Start();
  F.SetupScreens().front()->Close();
  ASSERT_EQ(F.MDIChildCount(), 0);
  QStringList Log;
  // Registered newest first: the walk goes from the oldest, A, to D.
  auto A = std::make_unique<TWalked>(F, "A", Log);
  auto B = std::make_unique<TWalked>(F, "B", Log);
  auto C = std::make_unique<TWalked>(F, "C", Log);
  auto D = std::make_unique<TWalked>(F, "D", Log);
  A->Fails = true;
  B->Frees = &C;

  Core().Hooks.UpdateWindows();
  EXPECT_EQ(Log, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("D")}));
  Log.clear();
  Core().Hooks.UpdateWindows();
  EXPECT_EQ(Log, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("D")}));
  EXPECT_TRUE(Errors.isEmpty());
}
