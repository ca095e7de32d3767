#include "app/windows/MDIBathyGraph.h"

#include "app/core/CoreData.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/core/AxisItems.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomChart.h"
#include "platform/Colors.h"

#include <vector>

TMDIBathyGraph::TMDIBathyGraph(IDisplayHost& Host)
    : TChartWindow(Host, TMdiChildKind::BathyGraph, "MDIBathyGraph", "Bathy Graph Window", TItemChoice::Many)
{
  SetChartMargins(4, 3, 20, 10);
  Chart1->PrintMargins = TRect{15, 17, 15, 17};
  Chart1->BottomAxis()->SetVisible(false);
  TChartAxis* Left = Chart1->LeftAxis();
  Left->SetVisible(true);
  Left->SetInverted(true);
  Left->SetAxisValuesFormat(QStringLiteral("###0"));
  Left->LabelsFont()->SetColor(clYellow);
  Left->Title()->Font()->SetColor(clYellow);
}

TMDIBathyGraph::~TMDIBathyGraph() = default;

String TMDIBathyGraph::ClassName() const { return QStringLiteral("TMDIBathyGraph"); }

void TMDIBathyGraph::ContentSetup()
{
  if (!ShownItems().empty())
    Chart1->LeftAxis()->Title()->SetCaption(QStringLiteral("Depth, m"));
  MakeItemLines(TItemAxes::Horizontal, false);
}

void TMDIBathyGraph::DataUpdate()
{
  if (DataUpdateFlag != 1)
    return;
  const TCoreData& C = Core();
  const std::vector<int32_t> Items = ShownItems();
  const auto Lines = static_cast<size_t>(Chart1->SeriesCount());
  for (size_t K = 0; K < Items.size() && K < Lines; ++K) {
    TChartSeries& S = *Line(static_cast<int32_t>(K));
    const int32_t Slot = ItemSlot(Items[K]);
    // One refresh of the line for its 6000 bins, not one per point.
    S.BeginUpdate();
    S.Clear();
    if (Slot >= 0)
      for (int32_t Bin = 1; Bin <= TDepthBins::BinCount; ++Bin) {
        const double V = C.DepthTables.Value(Slot, Bin);
        if (V > 0)
          S.AddXY(V, C.DepthTables.Value(slBathyDepth, Bin), String(), clDefault);
      }
    S.EndUpdate();
  }
  ProcessMessages();
}
