#include "DateAxisFixture.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCoreInit.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartValueList.h"
#include "chart/core/CustomAxisPanel.h"

struct TDateAxisChart::Impl {
  TCustomAxisPanel Chart{nullptr};
  TChartSeries* Line = nullptr;
};

TDateAxisChart::TDateAxisChart()
{
  InitializeChartCore();
  D = std::make_unique<Impl>();
  D->Line = new TChartSeries(&D->Chart);
  D->Chart.AddSeries(D->Line);
  D->Line->XValues()->SetDateTime(true);
  D->Chart.BottomAxis()->SetMinMax(1, 2);
}

TDateAxisChart::~TDateAxisChart() = default;

TChartAxis& TDateAxisChart::BottomAxis() { return *D->Chart.BottomAxis(); }

TChartAxis& TDateAxisChart::LeftAxis() { return *D->Chart.LeftAxis(); }

void TDateAxisChart::SetLineActive(bool Active) { D->Line->SetActive(Active); }
