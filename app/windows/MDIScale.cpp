#include "app/windows/MDIScale.h"

#include "app/core/CoreData.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCoreInit.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartTitle.h"
#include "chart/core/CustomChart.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/SeriesPointer.h"
#include "chart/series/MyPointSeries.h"
#include "platform/Colors.h"
#include "rtl/Numbers.h"

#include <memory>

namespace {

constexpr double ScaleDepth = 250;

void Yellow(TChartAxis* Axis)
{
  Axis->Axis()->SetColor(clYellow);
  Axis->LabelsFont()->SetColor(clYellow);
}

} // namespace

TMDIScale::TMDIScale(IDisplayHost& Host) : TDisplayWindow(Host, TMdiChildKind::Scale, "MDIScale", TItemChoice::Many)
{
  // The chart library starts once per program; the first chart made needs it.
  InitializeChartCore();
  SetCaption(QStringLiteral("Scale Window"));

  Chart1 = new TChart(this);
  Chart1->SetName(QStringLiteral("Chart1"));
  Chart1->SetInternalCanvas(std::make_unique<TGDIPlusCanvas>());
  Chart1->SetColor(static_cast<TColor>(4194304));
  Chart1->Gradient()->SetStartColor(static_cast<TColor>(15378841));
  Chart1->Gradient()->SetEndColor(static_cast<TColor>(16777088));
  Chart1->Gradient()->SetVisible(true);
  Chart1->SetView3D(false);
  Chart1->Legend()->SetVisible(false);
  Chart1->Title()->SetVisible(false);
  Chart1->SetMarginUnits(muPixels);
  Chart1->SetMarginBottom(15);
  Chart1->SetMarginLeft(10);
  Chart1->SetMarginRight(3);
  Chart1->SetMarginTop(4);
  Chart1->OnClickAxis = [this](TCustomChart*, TChartAxis* Axis, TMouseButton, TShiftState, int32_t, int32_t) {
    Chart1ClickAxis(Axis);
  };

  TChartAxis* Bottom = Chart1->BottomAxis();
  Bottom->SetMinMax(0, 8);
  Bottom->SetLabelStyle(talText);
  Bottom->SetLabelsAngle(90);
  Bottom->SetMinimumOffset(25);
  Bottom->Title()->SetVisible(false);
  Yellow(Bottom);

  TChartAxis* Left = Chart1->LeftAxis();
  Left->SetMinMax(0, ScaleDepth);
  Left->SetInverted(true);
  Left->SetMinimumOffset(25);
  Left->SetMaximumOffset(25);
  Left->Title()->SetCaption(QStringLiteral("Depth, m"));
  Left->Title()->Font()->SetColor(clYellow);
  Yellow(Left);

  Series1 = new TMyPointSeries(this);
  Series1->SetName(QStringLiteral("Series1"));
  Series1->SetColorEachPoint(true);
  // The name stands under the plot already; the mark gives the reading.
  Series1->Marks()->SetStyle(smsValue);
  Series1->Marks()->SetVisible(true);
  Series1->Marks()->SetTransparent(true);
  Series1->Marks()->Callout()->SetLength(20);
  Series1->Pointer()->SetVisible(true);
  Series1->Pointer()->SetStyle(psLeftTriangle);
  Series1->Pointer()->SetHorizSize(8);
  Series1->Pointer()->SetVertSize(8);
  Series1->Pointer()->SetDraw3D(false);
  Series1->Pointer()->SetInflateMargins(true);
  Series1->LinesPen()->SetColor(clRed);
  Series1->LinesPen()->SetWidth(2);
  Series1->SetClickableLine(false);
  Chart1->AddSeries(Series1);

  SetContent(Chart1);

  ChartActionCopy1 = AddChartItem(Chart1);
}

TMDIScale::~TMDIScale() = default;

String TMDIScale::ClassName() const { return QStringLiteral("TMDIScale"); }

bool TMDIScale::ItemSelectable(const String& SensorName) const { return SensorName.contains(QLatin1String("dBar")); }

void TMDIScale::ContentSetup()
{
  Series1->Clear();
  // One place on the bottom axis per shown item.
  Chart1->BottomAxis()->SetMaximum(static_cast<double>(ShownItems().size()));
}

void TMDIScale::DataUpdate()
{
  if (DataUpdateFlag != 1)
    return;
  Series1->Clear();
  const std::vector<String>& Data = Core().DataArray;
  for (const int32_t N : ShownItems()) {
    const auto Index = static_cast<size_t>(2 * N - 1);
    // An entry missing from a table a settings load shortened is no number
    // either.
    const double Value = StrToFloat(Index < Data.size() ? Data[Index] : String());
    Series1->AddXY(Series1->Count(), Value, ItemName(N));
  }
  ProcessMessages();
}
