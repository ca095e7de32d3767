// The chart-scale, display-name and About dialogs as the operator uses
// them, over a main window of the test's own.
#include "app/windows/AboutBox.h"
#include "app/windows/ChartScaleDlg.h"
#include "app/windows/DisplayHost.h"
#include "app/windows/DisplayNameDlg.h"
#include "app/windows/QvNumEdit.h"

#include "app/core/CoreData.h"
#include "app/core/tests/PortTestSupport.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCoreInit.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartValueList.h"
#include "chart/core/CustomAxisPanel.h"
#include "platform/Bitmap.h"
#include "platform/StdCtrls.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

namespace {

// The main window as the dialogs see it.
class TTestHost : public IDisplayHost {
public:
  explicit TTestHost(const String& Folder) : FFolder(Folder) {}
  TCustomForm* Frame() override { return nullptr; }
  TCoreData& Core() override { return FCore; }
  const String& SetupFolder() const override { return FFolder; }
  void RegisterMdiChild(IMdiChild*) override {}
  void UnregisterMdiChild(IMdiChild*) override {}
  std::vector<int32_t>& ItemMasks() override { return FMasks; }
  int32_t NextScreenNumber() override { return ++FCreated; }
  bool MenuOpen() const override { return true; }
  TLayoutWindow& OpeningLayout() override { return FLayout; }
  void SetUserDisplayCaption(int32_t N, const String& Caption) override { Captions[N] = Caption; }
  void RequestLayoutSave() override { SaveDisplayFlag = 1; }
  TProgramInfo ProgramInfo() const override
  {
    return {QStringLiteral("Product Name: Fathomix"), QStringLiteral("Version: 2.1"), QStringLiteral("Tested"),
            QStringLiteral("4711")};
  }

  std::map<int32_t, String> Captions;
  int32_t SaveDisplayFlag = 0;

private:
  TCoreData FCore;
  String FFolder;
  std::vector<int32_t> FMasks;
  TLayoutWindow FLayout;
  int32_t FCreated = 0;
};

class DialogsTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureApplication();
    InitializeChartCore();
    ASSERT_TRUE(FDir.isValid());
  }

  // Runs Step from the message loop of the modal dialog that is about to
  // be shown.
  static void WhenShown(std::function<void()> Step) { QTimer::singleShot(0, std::move(Step)); }

  String Folder() const { return FDir.path(); }

  QTemporaryDir FDir;
};

} // namespace

TEST_F(DialogsTest, TheChartScaleDialogSetsTheRangeOrAutomaticScaleOfTheClickedAxis)
{
  enum TPress { Ok, Auto, Escape };
  struct TCase {
    const char* Name;
    const char* Min;
    const char* Max;
    TPress Press;
    int32_t WantMin, WantMax, WantAuto;
    bool Automatic;
    double AxisMin, AxisMax;
  };
  const TCase Cases[] = {
      {"a range", "0", "25", Ok, 0, 25, 0, false, 0, 25},
      {"negative limits", "-40", "-10", Ok, -40, -10, 0, false, -40, -10},
      {"limits the wrong way round", "40", "10", Ok, 40, 10, 0, false, 10, 40},
      {"Auto keeps the limits", "3", "7", Auto, 40, 10, 1, true, 10, 40},
      {"Escape is Auto", "3", "7", Escape, 40, 10, 1, true, 10, 40},
  };
  TChartScaleDlg Dialog(nullptr);
  TChartAxis Axis(nullptr, false, false);
  for (const TCase& C : Cases) {
    WhenShown([&] {
      Dialog.QvNumEdit1->SetText(QString::fromLatin1(C.Min));
      Dialog.QvNumEdit2->SetText(QString::fromLatin1(C.Max));
      if (C.Press == Ok)
        Dialog.OKBtn->Click();
      else if (C.Press == Auto)
        Dialog.CancelBtn->Click();
      else
        QTest::keyClick(Dialog.QvNumEdit1->Handle(), Qt::Key_Escape);
    });
    ChartScaleAxisClick(Dialog, Axis);
    EXPECT_FALSE(Dialog.Visible()) << C.Name;
    EXPECT_EQ(Dialog.ChartScaleMin, C.WantMin) << C.Name;
    EXPECT_EQ(Dialog.ChartScaleMax, C.WantMax) << C.Name;
    EXPECT_EQ(Dialog.ChartScaleAuto, C.WantAuto) << C.Name;
    EXPECT_EQ(Axis.Automatic(), C.Automatic) << C.Name;
    if (!C.Automatic) {
      EXPECT_EQ(Axis.Minimum(), C.AxisMin) << C.Name;
      EXPECT_EQ(Axis.Maximum(), C.AxisMax) << C.Name;
    }
  }
}

TEST_F(DialogsTest, TheChartScaleDialogStartsAtZeroAndKeepsTheMaximum)
{
  TChartScaleDlg Dialog(nullptr);
  EXPECT_EQ(Dialog.Caption(), QStringLiteral("Chart Scale"));
  EXPECT_EQ(Dialog.ChartScaleMin, 0);
  EXPECT_EQ(Dialog.ChartScaleMax, 25);
  EXPECT_EQ(Dialog.ChartScaleAuto, 1);
  for (TQvNumEdit* E : {Dialog.QvNumEdit1, Dialog.QvNumEdit2}) {
    EXPECT_EQ(E->MinValue(), -9999);
    EXPECT_EQ(E->MaxValue(), 9999);
    EXPECT_EQ(E->Decimals(), 0);
  }
  String ShownMin;
  WhenShown([&] {
    Dialog.QvNumEdit1->SetText(QStringLiteral("5"));
    Dialog.QvNumEdit2->SetText(QStringLiteral("60"));
    Dialog.OKBtn->Click();
  });
  Dialog.ShowModal();
  WhenShown([&] {
    ShownMin = Dialog.QvNumEdit1->Text();
    Dialog.CancelBtn->Click();
  });
  Dialog.ShowModal();
  EXPECT_EQ(ShownMin, QStringLiteral("0"));
  EXPECT_EQ(Dialog.QvNumEdit2->Text(), QStringLiteral("60"));
}

TEST_F(DialogsTest, ALimitThatIsNoWholeNumberChangesNothingAndKeepsTheDialogOpen)
{
  TChartScaleDlg Dialog(nullptr);
  Dialog.ChartScaleMin = 2;
  Dialog.ChartScaleMax = 30;
  Dialog.ChartScaleAuto = 0;
  QStringList Errors;
  Application->OnException = [&](TObject*, const std::exception& E) { Errors.append(ExceptionMessage(E)); };
  bool OpenAfterOk = false;
  int32_t MinAfterOk = 0;
  WhenShown([&] {
    Dialog.QvNumEdit1->SetText(QStringLiteral("7"));
    Dialog.QvNumEdit2->SetText(QStringLiteral("-"));
    // As the operator presses it: the handler's error goes to the
    // application's handler.
    QTest::mouseClick(Dialog.OKBtn->Handle(), Qt::LeftButton);
    Application->ProcessMessages();
    OpenAfterOk = Dialog.Visible();
    MinAfterOk = Dialog.ChartScaleMin;
    Dialog.QvNumEdit2->SetText(QStringLiteral("70"));
    Dialog.OKBtn->Click();
  });
  EXPECT_EQ(Dialog.ShowModal(), mrOk);
  Application->OnException = nullptr;
  EXPECT_TRUE(OpenAfterOk);
  EXPECT_EQ(MinAfterOk, 2);
  EXPECT_EQ(Errors, QStringList{QStringLiteral("'-' is not a valid integer value")});
  EXPECT_EQ(Dialog.ChartScaleMin, 7);
  EXPECT_EQ(Dialog.ChartScaleMax, 70);
}

namespace {
// A chart panel with one line whose x values are dates.
struct TDateAxisChart {
  TDateAxisChart()
  {
    InitializeChartCore();
    Chart.AddSeries(Line);
    Line->XValues()->SetDateTime(true);
    Chart.BottomAxis()->SetMinMax(1, 2);
  }
  TChartAxis& BottomAxis() { return *Chart.BottomAxis(); }
  TChartAxis& LeftAxis() { return *Chart.LeftAxis(); }
  void SetLineActive(bool Active) { Line->SetActive(Active); }
  TCustomAxisPanel Chart{nullptr};
  TChartSeries* Line = new TChartSeries(&Chart);
};
} // namespace

TEST_F(DialogsTest, AnAxisShowingDatesOpensNoDialog)
{
  TChartScaleDlg Dialog(nullptr);
  TDateAxisChart Chart;
  int Shown = 0;
  Dialog.OnShow = [&](TObject*) {
    ++Shown;
    Dialog.FormShow();
    QTimer::singleShot(0, [&] { Dialog.CancelBtn->Click(); });
  };
  ChartScaleAxisClick(Dialog, Chart.BottomAxis());
  EXPECT_EQ(Shown, 0);
  EXPECT_FALSE(Chart.BottomAxis().Automatic());
  // The value axis beside it is scaled as any other.
  ChartScaleAxisClick(Dialog, Chart.LeftAxis());
  EXPECT_EQ(Shown, 1);
  // Without an active line the bottom axis shows no dates either.
  Chart.SetLineActive(false);
  ChartScaleAxisClick(Dialog, Chart.BottomAxis());
  EXPECT_EQ(Shown, 2);
  EXPECT_TRUE(Chart.BottomAxis().Automatic());
}

TEST_F(DialogsTest, TheDisplayNameDialogNamesTheUserDisplayBeingSaved)
{
  struct TCase {
    const char* Name;
    int32_t Index;
    bool Ok;
    bool Renamed;
    int32_t Flag;
  };
  const TCase Cases[] = {
      {"OK names display 3", 3, true, true, 1},
      {"Cancel changes nothing", 3, false, false, 0},
      {"an index outside 1..6 names none", 7, true, false, 1},
  };
  for (const TCase& C : Cases) {
    TTestHost Host(Folder());
    TDisplayNameDlg Dialog(nullptr, Host);
    Host.Core().UserDisplayIndex = C.Index;
    Dialog.Edit1->SetText(QStringLiteral("Bridge"));
    Dialog.Show();
    (C.Ok ? Dialog.OKBtn : Dialog.CancelBtn)->Click();
    EXPECT_FALSE(Dialog.Visible()) << C.Name;
    EXPECT_EQ(Host.Captions.size(), C.Renamed ? 1u : 0u) << C.Name;
    if (C.Renamed) {
      EXPECT_EQ(Host.Captions[C.Index], QStringLiteral("Bridge")) << C.Name;
    }
    EXPECT_EQ(Host.SaveDisplayFlag, C.Flag) << C.Name;
  }
}

TEST_F(DialogsTest, TheAboutBoxShowsTheProgramAndItsIconWhenThereIsOne)
{
  const String Icon = Folder() + QStringLiteral("/Icon.ico");
  QImage Picture(32, 32, QImage::Format_ARGB32);
  Picture.fill(Qt::red);
  struct TCase {
    const char* Name;
    std::function<void()> Make;
    bool Shown;
  };
  const TCase Cases[] = {
      {"a picture", [&] { ASSERT_TRUE(Picture.save(Icon, "ICO")); }, true},
      {"no icon file", [&] { QFile::remove(Icon); }, false},
      {"bytes that are no picture",
       [&] {
         QFile F(Icon);
         ASSERT_TRUE(F.open(QIODevice::WriteOnly));
         F.write("not an icon");
       },
       false},
      {"a folder of that name",
       [&] {
         QFile::remove(Icon);
         ASSERT_TRUE(QDir().mkdir(Icon));
       },
       false},
  };
  TTestHost Host(Folder());
  TAboutBox Box(nullptr, Host);
  EXPECT_EQ(Box.Caption(), QStringLiteral("About"));
  for (const TCase& C : Cases) {
    C.Make();
    WhenShown([&] { Box.OKButton->Click(); });
    EXPECT_EQ(Box.ShowModal(), mrOk) << C.Name;
    EXPECT_EQ(Box.ProductName->Caption(), QStringLiteral("Product Name: Fathomix")) << C.Name;
    EXPECT_EQ(Box.Version->Caption(), QStringLiteral("Version: 2.1")) << C.Name;
    EXPECT_EQ(Box.Comments->Caption(), QStringLiteral("Tested")) << C.Name;
    EXPECT_EQ(Box.SerialNo->Caption(), QStringLiteral("4711")) << C.Name;
    EXPECT_EQ(!Box.Picture().Empty(), C.Shown) << C.Name;
  }
}
