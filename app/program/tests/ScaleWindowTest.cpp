// The scale window in the real main window: opened from the Display Type
// menu, its pressure items as pointers on the inverted 0..250 scale, moved
// by every sample.
#include "MainFormFixture.h"

#include "app/windows/DisplayWindows.h"
#include "app/windows/ChartActionCopy.h"
#include "app/windows/MDIScale.h"
#include "chart/core/AxisItems.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/CustomChart.h"
#include "chart/series/MyPointSeries.h"
#include "platform/ActnList.h"
#include "platform/Menus.h"
#include "serial/SioDataPacket.h"

#include <QImage>
#include <QWidget>

namespace {

// Slots 0..3 fitted on COM1 (present): two pressures between two others.
const QByteArray FourSensors = "[Serial 0]\r\nFitted=1\r\nPort=1\r\nLabel=Cond\r\nUnits=mS/cm\r\n"
                               "[Serial 1]\r\nFitted=1\r\nPort=1\r\nLabel=P1\r\nUnits=dBar\r\n"
                               "[Serial 2]\r\nFitted=1\r\nPort=1\r\nLabel=Temp\r\nUnits=degC\r\n"
                               "[Serial 3]\r\nFitted=1\r\nPort=1\r\nLabel=P2\r\nUnits=dBar\r\n";

class ScaleWindowTest : public TMainFormTest {
protected:
  TMDIScale* StartWithFourSensors()
  {
    WriteSettings(FourSensors);
    TMainForm& F = MakeForm();
    F.PortProbe = [](int32_t N) { return N == 1; };
    Start();
    return OpenScale();
  }

  TMDIScale* OpenScale()
  {
    Form->DisplayTypeClick(TMdiChildKind::Scale);
    return dynamic_cast<TMDIScale*>(Form->MDIChildren(0));
  }

  // The item's value as the core would have written it.
  void SetValue(int32_t Item, const char* Text)
  {
    Core().DataArray.at(static_cast<size_t>(2 * Item - 1)) = QString::fromLatin1(Text);
  }

  struct TPointer {
    double X, Y;
    String Name;
    bool operator==(const TPointer&) const = default;
  };
  static std::vector<TPointer> Pointers(const TMDIScale& W)
  {
    std::vector<TPointer> R;
    for (int32_t I = 0; I < W.Series1->Count(); ++I)
      R.push_back({W.Series1->XValue(I), W.Series1->YValue(I), W.Series1->XLabel(I)});
    return R;
  }
};

} // namespace

TEST_F(ScaleWindowTest, OpensFromTheMenuAtItsDefaultPlaceOfferingOnlyPressures)
{
  TMDIScale* W = StartWithFourSensors();
  ASSERT_NE(W, nullptr);
  EXPECT_EQ(W->Name(), QStringLiteral("MDIScale"));
  EXPECT_EQ(W->Caption(), QStringLiteral("Scale Window"));
  EXPECT_EQ(W->BoundsRect(), (TRect{0, 0, 320, 240}));
  const bool Enabled[] = {false, true, false, true};
  for (int32_t N = 1; N <= 4; ++N) {
    SCOPED_TRACE(N);
    EXPECT_TRUE(W->Action(N)->Visible());
    EXPECT_EQ(W->Action(N)->Enabled(), Enabled[N - 1]);
  }
  TChartAxis* Left = W->Chart1->LeftAxis();
  EXPECT_TRUE(Left->Inverted());
  EXPECT_EQ(Left->Minimum(), 0);
  EXPECT_EQ(Left->Maximum(), 250);
  EXPECT_EQ(Left->Title()->Caption(), QStringLiteral("Depth, m"));
  TMenuItem* Menu = W->PopupActionBar1->Items();
  ASSERT_EQ(Menu->Count(), 4);
  TMenuItem* Chart = Menu->Items(3);
  EXPECT_EQ(Chart->Caption(), QStringLiteral("Chart"));
  ASSERT_EQ(Chart->Count(), 1);
  EXPECT_EQ(Chart->Items(0)->Caption(), QStringLiteral("&Copy"));
  EXPECT_EQ(W->ChartActionCopy1->Chart(), W->Chart1);
  // Nothing chosen: nothing drawn, however many samples pass.
  SetValue(2, "10.0");
  W->DataUpdate();
  EXPECT_EQ(W->Series1->Count(), 0);
}

TEST_F(ScaleWindowTest, ChosenItemsArePointersAtTheirValuesAndEachSampleMovesThem)
{
  TMDIScale* W = StartWithFourSensors();
  ASSERT_NE(W, nullptr);
  // Chosen out of order: the pointers still stand by item, ascending.
  W->Action(4)->Execute();
  W->Action(2)->Execute();
  EXPECT_EQ(W->ItemMask(), 0b1010);
  EXPECT_EQ(W->Chart1->BottomAxis()->Maximum(), 2);

  SetValue(2, "50.0");
  SetValue(4, "200.0");
  W->DataUpdate();
  EXPECT_EQ(Pointers(*W), (std::vector<TPointer>{{0, 50, "P1, dBar"}, {1, 200, "P2, dBar"}}));

  // The scale grows downward: the deeper pointer lies lower on the screen,
  // and its red line runs across from the scale to it.
  const QImage Shot = W->Chart1->Handle()->grab().toImage();
  const int32_t Y50 = W->Series1->CalcYPos(0), Y200 = W->Series1->CalcYPos(1);
  EXPECT_LT(Y50, Y200);
  EXPECT_LT(W->Chart1->LeftAxis()->CalcPosValue(0), Y50);
  const int32_t AcrossX = (W->Chart1->LeftAxis()->PosAxis() + W->Series1->CalcXPos(0) - 10) / 2;
  EXPECT_EQ(QColor(Shot.pixel(AcrossX, Y50)), QColor(Qt::red));

  // The next sample moves them; nothing of the last one stays.
  // Each pointer is labelled with its reading.
  EXPECT_EQ(W->Series1->GetMarkText(0), QStringLiteral("50"));
  EXPECT_EQ(W->Series1->GetMarkText(1), QStringLiteral("200"));

  SetValue(2, "75.5");
  SetValue(4, "12");
  W->DataUpdate();
  EXPECT_EQ(Pointers(*W), (std::vector<TPointer>{{0, 75.5, "P1, dBar"}, {1, 12, "P2, dBar"}}));

  // A value that is no number ends the update after the pointers before it.
  SetValue(4, "--");
  EXPECT_ANY_THROW(W->DataUpdate());
  EXPECT_EQ(Pointers(*W), (std::vector<TPointer>{{0, 75.5, "P1, dBar"}}));

  // The last item switched off: no pointers, no places, no more updates.
  W->Action(2)->Execute();
  W->Action(4)->Execute();
  EXPECT_EQ(W->ItemMask(), 0);
  EXPECT_EQ(W->Series1->Count(), 0);
  EXPECT_EQ(W->Chart1->BottomAxis()->Maximum(), 0);
  SetValue(2, "1");
  W->DataUpdate();
  EXPECT_EQ(W->Series1->Count(), 0);
}

TEST_F(ScaleWindowTest, ALiveSampleMovesThePointer)
{
  PtyPair& Instrument = Pty(2);
  WriteSettings("[Serial 0]\r\nFitted=1\r\nPort=2\r\nMode=RS232\r\nPacket=1\r\nBaud=9600\r\nLabel=C\r\nUnits=mS/cm\r\n"
                "[Serial 1]\r\nFitted=1\r\nPort=2\r\nMode=RS232\r\nPacket=1\r\nLabel=Pressure\r\nUnits=dBar\r\n");
  TMainForm& F = Start();
  ASSERT_TRUE(F.SioDataPacket(1)->Enabled());
  TMDIScale* W = OpenScale();
  ASSERT_NE(W, nullptr);
  W->Action(2)->Execute();
  ASSERT_TRUE(Instrument.WriteMaster("\n1500.1\tx\t10.5\tx\t12.3\tx\t5.5\tx\t42.1\t\r"));
  EXPECT_TRUE(PumpUntil([&] { return W->Series1->Count() == 1 && W->Series1->YValue(0) == 10.5; }));
  EXPECT_EQ(W->Series1->XLabel(0), QStringLiteral("Pressure, dBar"));
}
