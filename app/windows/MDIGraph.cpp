#include "app/windows/MDIGraph.h"

#include "app/core/CoreData.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomChart.h"
#include "platform/Colors.h"

#include <vector>

namespace {

const QLatin1String BottomAxisFormat("dd/mm/yy hh:mm:ss");

} // namespace

TMDIGraph::TMDIGraph(IDisplayHost& Host)
    : TChartWindow(Host, TMdiChildKind::Graph, "MDIGraph", "Graph Window", TItemChoice::Many)
{
  SetChartMargins(5, 5, 5, 10);
  TChartAxis* Bottom = Chart1->BottomAxis();
  Bottom->Axis()->SetColor(clYellow);
  Bottom->LabelsFont()->SetColor(clYellow);
  Bottom->Title()->Font()->SetColor(clYellow);
  Bottom->SetPositionUnits(muPixels);
  Chart1->LeftAxis()->SetVisible(false);
}

TMDIGraph::~TMDIGraph() = default;

String TMDIGraph::ClassName() const { return QStringLiteral("TMDIGraph"); }

void TMDIGraph::KindSetup() { Chart1->BottomAxis()->SetDateTimeFormat(BottomAxisFormat); }

void TMDIGraph::ContentSetup()
{
  if (!ShownItems().empty()) {
    Chart1->BottomAxis()->SetDateTimeFormat(BottomAxisFormat);
    Chart1->BottomAxis()->Title()->SetCaption(QStringLiteral("DATE / TIME"));
  }
  MakeItemLines(TItemAxes::Vertical, true);
  InitialUpdate();
}

void TMDIGraph::InitialUpdate()
{
  if (DataUpdateFlag != 1)
    return;
  {
    const TLongTimeScope Scope;
    const TCoreData& C = Core();
    const std::vector<int32_t> Items = ShownItems();
    std::vector<int32_t> Slots;
    for (const int32_t N : Items)
      Slots.push_back(ItemSlot(N));
    const int32_t Samples = C.History.Time_Array_Index();
    const int32_t Limit = C.Maximum_View_Points;
    for (size_t K = 0; K < Items.size(); ++K)
      Line(static_cast<int32_t>(K))->BeginUpdate();
    for (int32_t I = 0; I < Samples; ++I) {
      const double X = PointTime(C.History.DateArray(I), C.History.TimeArray(I));
      for (size_t K = 0; K < Items.size(); ++K) {
        double Y = 0;
        if (Slots[K] >= 0 && PointValue(C.History.Value(Slots[K], I), Y))
          AddPoint(*Line(static_cast<int32_t>(K)), X, Y, Limit);
      }
    }
    for (size_t K = 0; K < Items.size(); ++K)
      Line(static_cast<int32_t>(K))->EndUpdate();
  }
  ProcessMessages();
}

void TMDIGraph::DataUpdate()
{
  if (DataUpdateFlag != 1)
    return;
  {
    const TLongTimeScope Scope;
    const TCoreData& C = Core();
    const std::vector<int32_t> Items = ShownItems();
    const int32_t Lines = Chart1->SeriesCount();
    for (size_t K = 0; K < Items.size() && static_cast<int32_t>(K) < Lines; ++K) {
      const auto Index = static_cast<size_t>(2 * Items[K] - 1);
      // A value table rebuilt under the window may be shorter.
      if (Index >= C.DataArray.size() || Index >= C.DataDateArray.size() || Index >= C.DataTimeArray.size())
        continue;
      double Y = 0;
      if (PointValue(C.DataArray[Index], Y))
        AddPoint(*Line(static_cast<int32_t>(K)), PointTime(C.DataDateArray[Index], C.DataTimeArray[Index]), Y,
                 C.Maximum_View_Points);
    }
  }
  ProcessMessages();
}
