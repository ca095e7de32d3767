#include "chart/core/ChartLegend.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/CustomChart.h"
#include "chart/core/SeriesList.h"
#include "platform/Published.h"

namespace {
const TEnumInfo LegendAlignmentInfo("TLegendAlignment", {"laLeft", "laRight", "laTop", "laBottom"});
const TEnumInfo LegendStyleInfo("TLegendStyle", {"lsAuto", "lsSeries", "lsValues", "lsLastValues", "lsSeriesGroups"});
const TEnumInfo LegendTextStyleInfo("TLegendTextStyle",
                                    {"ltsPlain", "ltsLeftValue", "ltsRightValue", "ltsLeftPercent", "ltsRightPercent",
                                     "ltsXValue", "ltsValue", "ltsPercent", "ltsXAndValue", "ltsXAndPercent",
                                     "ltsXAndText", "ltsXAndValueAndText"});
using L = TCustomChartLegend;
[[maybe_unused]] const TClassInfo& CustomLegendClass =
    PublishClass<L>("TCustomChartLegend", "TZuzCustomShapePosition",
                    {
                        PropEnum("Alignment", &L::Alignment, &L::SetAlignment, LegendAlignmentInfo, laRight),
                        PropBool("CheckBoxes", &L::CheckBoxes, &L::SetCheckBoxes, false),
                        PropBool("DrawBehind", &L::DrawBehind, &L::SetDrawBehind, false),
                        PropEnum("LegendStyle", &L::LegendStyle, &L::SetLegendStyle, LegendStyleInfo, lsAuto),
                        PropEnum("TextStyle", &L::TextStyle, &L::SetTextStyle, LegendTextStyleInfo, ltsLeftValue),
                    });
[[maybe_unused]] const TClassInfo& LegendClass = PublishClass<TChartLegend>("TChartLegend", "TCustomChartLegend");
} // namespace

TCustomChartLegend::TCustomChartLegend(TCustomZuzPanel* AOwner) : TZuzCustomShapePosition(AOwner) {}

TCustomChartLegend::~TCustomChartLegend() = default;

String TCustomChartLegend::ClassName() const { return QStringLiteral("TCustomChartLegend"); }

void TCustomChartLegend::Assign(TPersistent* Source)
{
  if (auto* L = dynamic_cast<TCustomChartLegend*>(Source)) {
    FAlignment = L->FAlignment;
    FCheckBoxes = L->FCheckBoxes;
    FDrawBehind = L->FDrawBehind;
    FLegendStyle = L->FLegendStyle;
    FTextStyle = L->FTextStyle;
  }
  TZuzCustomShapePosition::Assign(Source);
}

TCustomChart* TCustomChartLegend::Chart() const { return dynamic_cast<TCustomChart*>(FParent); }

void TCustomChartLegend::SetAlignment(TLegendAlignment Value) { Change(FAlignment, Value); }

void TCustomChartLegend::SetCheckBoxes(bool Value) { Change(FCheckBoxes, Value); }

void TCustomChartLegend::SetDrawBehind(bool Value) { Change(FDrawBehind, Value); }

void TCustomChartLegend::SetLegendStyle(TLegendStyle Value) { Change(FLegendStyle, Value); }

void TCustomChartLegend::SetTextStyle(TLegendTextStyle Value) { Change(FTextStyle, Value); }

bool TCustomChartLegend::ShouldDraw() const
{
  const TCustomChart* C = Chart();
  return Visible() && C && (FCheckBoxes || C->CountActiveSeries() > 0);
}

TLegendStyle TCustomChartLegend::CalcLegendStyle() const
{
  if (FLegendStyle != lsAuto)
    return FLegendStyle;
  const TCustomChart* C = Chart();
  int32_t Shown = 0;
  if (C)
    for (const TChartSeries* S : C->SeriesList())
      if (S->Active() && S->ShowInLegend())
        ++Shown;
  return FCheckBoxes || Shown > 1 ? lsSeries : lsValues;
}

String TCustomChartLegend::FormattedLegend(int32_t Index)
{
  TCustomChart* C = Chart();
  if (!C)
    return String();
  if (CalcLegendStyle() == lsSeries)
    return C->SeriesTitleLegend(Index, !FCheckBoxes);
  return String();
}

String TCustomChartLegend::FormattedValue(TChartSeries*, int32_t) { return String(); }

void TCustomChartLegend::CalcRect() {}

void TCustomChartLegend::DrawLegend() {}

TChartLegend::TChartLegend(TCustomZuzPanel* AOwner) : TCustomChartLegend(AOwner) {}

String TChartLegend::ClassName() const { return QStringLiteral("TChartLegend"); }
