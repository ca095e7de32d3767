#include "app/windows/ChartWindow.h"

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartTitle.h"
#include "chart/core/CustomChart.h"
#include "chart/series/FastLineSeries.h"
#include "platform/Colors.h"
#include "rtl/DateTime.h"
#include "rtl/FormatSettings.h"
#include "rtl/Numbers.h"

#include <cmath>
#include <vector>

namespace {

// How far each further item axis stands out from the one before, pixels.
constexpr int32_t VerticalAxisStep = 60;
constexpr int32_t HorizontalAxisStep = 40;

// A unit of length or pressure grows downward, as depth does.
bool GrowsDownward(const String& Title)
{
  return Title.contains(QLatin1String(", m")) || Title.contains(QLatin1String(", dBar"));
}

} // namespace

TChartWindow::TChartWindow(IDisplayHost& Host, TMdiChildKind Kind, const char* FormName, const char* Caption,
                           TItemChoice Choice)
    : TDisplayWindow(Host, Kind, FormName, Choice)
{
  SetCaption(QString::fromLatin1(Caption));
  Chart1 = new TChart(this);
  Chart1->SetName(QStringLiteral("Chart1"));
  Chart1->SetInternalCanvas(std::make_unique<TGDIPlusCanvas>());
  Chart1->SetView3D(false);
  Chart1->SetColor(4194304);
  Chart1->Gradient()->SetStartColor(15378841);
  Chart1->Gradient()->SetEndColor(16777088);
  Chart1->Gradient()->SetVisible(true);
  Chart1->Title()->SetVisible(false);
  Chart1->SetMarginUnits(muPixels);
  Chart1->SetScrollMouseButton(mbMiddle);
  TChartLegend* Legend = Chart1->Legend();
  Legend->SetAlignment(laTop);
  Legend->SetLegendStyle(lsSeries);
  Legend->SetTextStyle(ltsPlain);
  Legend->SetFontSeriesColor(true);
  Legend->SetCheckBoxes(true);
  Chart1->RightAxis()->SetVisible(false);
  Chart1->TopAxis()->SetVisible(false);
  Chart1->PrintMargins = TRect{15, 22, 15, 22};
  Chart1->OnClickAxis = [this](TCustomChart*, TChartAxis* Axis, TMouseButton, TShiftState, int32_t, int32_t) {
    Chart1ClickAxis(Axis);
  };
  SetContent(Chart1);

  ChartActionCopy1 = AddChartItem(Chart1);
}

TChartWindow::~TChartWindow() = default;

bool TChartWindow::PointValue(const String& Text, double& Value)
{
  return TryStrToFloat(Text, Value) && std::isfinite(Value);
}

double TChartWindow::PointTime(TDateTime Date, TDateTime Time)
{
  uint16_t H = 0, M = 0, S = 0, Ms = 0;
  DecodeTime(Time, H, M, S, Ms);
  return DateOf(Date) + EncodeTime(H, M, S, 0);
}

void TChartWindow::MakeItemLines(TItemAxes Axes, bool XDateTime)
{
  Chart1->FreeAllSeries();
  Chart1->CustomAxes()->Clear();
  const std::vector<int32_t> Items = ShownItems();
  for (const int32_t N : Items) {
    auto* S = new TFastLineSeries(this);
    S->SetParentChart(Chart1);
    S->SetTitle(ItemName(N));
    S->SetActive(true);
    S->XValues()->SetDateTime(XDateTime);
    S->XValues()->SetOrder(loNone);
    S->LinePen()->SetWidth(2);
    Chart1->CustomAxes()->Add();
  }
  const bool Vertical = Axes == TItemAxes::Vertical;
  const int32_t Step = Vertical ? VerticalAxisStep : HorizontalAxisStep;
  const int32_t Count = Chart1->SeriesCount();
  if (Vertical)
    Chart1->SetMarginLeft(Step * Count);
  else
    Chart1->SetMarginBottom(Step * Count);
  for (int32_t K = 0; K < Count; ++K) {
    TChartSeries* S = Chart1->GetSeries(K);
    TChartAxis* A = Chart1->CustomAxes()->Get(K);
    const TColor Color = S->SeriesColor();
    A->SetHorizontal(!Vertical);
    A->SetPositionUnits(muPixels);
    A->SetPositionPercent(-Step * K);
    if (!Vertical)
      A->SetEndPosition(98);
    A->Grid()->SetStyle(psClear);
    A->LabelsFont()->SetSize(8);
    A->Title()->Font()->SetSize(8);
    A->Title()->SetAngle(Vertical ? 90 : 0);
    A->Title()->Font()->SetColor(Color);
    A->LabelsFont()->SetColor(Color);
    A->Axis()->SetColor(Color);
    A->SetRoundFirstLabel(false);
    A->SetIncrement(0.1);
    A->SetAxisValuesFormat(QStringLiteral("###0.00"));
    if (Vertical)
      S->SetCustomVertAxis(A);
    else
      S->SetCustomHorizAxis(A);
    A->Title()->SetCaption(S->Title());
    if (Vertical)
      A->SetInverted(GrowsDownward(S->Title()));
  }
  Chart1->Repaint();
}

void TChartWindow::SetChartMargins(int32_t Top, int32_t Right, int32_t Bottom, int32_t Left)
{
  Chart1->SetMarginTop(Top);
  Chart1->SetMarginRight(Right);
  Chart1->SetMarginBottom(Bottom);
  Chart1->SetMarginLeft(Left);
}

TChartSeries* TChartWindow::Line(int32_t K) const { return Chart1->GetSeries(K); }

void TChartWindow::AddPoint(TChartSeries& Line, double X, double Y, int32_t Limit)
{
  if (Limit >= 0 && Line.Count() > Limit)
    Line.Delete(0);
  Line.AddXY(X, Y, String(), clDefault);
}

TChartWindow::TLongTimeScope::TLongTimeScope() { FormatSettings.LongTimeFormat = QStringLiteral("HH:mm:ss.zzz"); }

TChartWindow::TLongTimeScope::~TLongTimeScope() { FormatSettings.LongTimeFormat = QStringLiteral("HH:mm:ss"); }
