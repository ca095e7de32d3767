#include "app/windows/MDIPosGraph.h"

#include "app/core/CoreData.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/CustomChart.h"
#include "chart/series/FastLineSeries.h"
#include "platform/Colors.h"

namespace {

TFastLineSeries* MakeLine(TComponent* Owner, TChart* Chart, const char* Title, TColor Color)
{
  auto* S = new TFastLineSeries(Owner);
  S->SetParentChart(Chart);
  S->SetTitle(QString::fromLatin1(Title));
  S->SetSeriesColor(Color);
  S->LinePen()->SetWidth(2);
  S->XValues()->SetDateTime(true);
  S->XValues()->SetOrder(loAscending);
  S->YValues()->SetOrder(loNone);
  return S;
}

void Yellow(TChartAxis* Axis)
{
  Axis->Axis()->SetColor(clYellow);
  Axis->LabelsFont()->SetColor(clYellow);
  Axis->Title()->Font()->SetColor(clYellow);
}

} // namespace

TMDIPosGraph::TMDIPosGraph(IDisplayHost& Host)
    : TChartWindow(Host, TMdiChildKind::PositionGraph, "MDIPosGraph", "Position Graph Window", TItemChoice::None)
{
  Chart1->SetColor(clBlack);
  SetChartMargins(5, 5, 5, 10);
  Chart1->Legend()->Font()->SetHeight(-8);
  TChartAxis* Bottom = Chart1->BottomAxis();
  Bottom->Title()->SetCaption(QStringLiteral("DATE / TIME"));
  Yellow(Bottom);
  TChartAxis* Left = Chart1->LeftAxis();
  Left->Title()->SetCaption(QStringLiteral("Depth, m"));
  Left->SetInverted(true);
  Yellow(Left);
  Series1 = MakeLine(this, Chart1, "Depth", clRed);
  Series1->SetName(QStringLiteral("Series1"));
  Series2 = MakeLine(this, Chart1, "Total Depth", clGreen);
  Series2->SetName(QStringLiteral("Series2"));
}

TMDIPosGraph::~TMDIPosGraph() = default;

String TMDIPosGraph::ClassName() const { return QStringLiteral("TMDIPosGraph"); }

void TMDIPosGraph::FormShow()
{
  DataUpdateFlag = 1;
  Chart1->BottomAxis()->SetDateTimeFormat(QStringLiteral("dd/mm/yy hh:mm:ss"));
  Chart1->Repaint();
}

void TMDIPosGraph::DataUpdate()
{
  if (DataUpdateFlag != 1)
    return;
  {
    const TLongTimeScope Scope;
    const TCoreData& C = Core();
    // The total depth by its own index: the entry two places after the
    // depth belongs to another item whenever a slot between them, or the
    // total depth itself, is not fitted.
    const struct {
      TFastLineSeries* Line;
      int32_t Index;
    } Lines[] = {{Series1, C.BathyDepthIndex}, {Series2, C.TotalDepthIndex}};
    for (const auto& L : Lines) {
      const auto Index = static_cast<size_t>(L.Index);
      if (L.Index <= 0 || Index >= C.DataArray.size() || Index >= C.DataDateArray.size() ||
          Index >= C.DataTimeArray.size())
        continue;
      double Y = 0;
      if (PointValue(C.DataArray[Index], Y))
        AddPoint(*L.Line, PointTime(C.DataDateArray[Index], C.DataTimeArray[Index]), Y, C.Maximum_View_Points);
    }
  }
  ProcessMessages();
}
