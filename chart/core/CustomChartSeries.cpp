#include "chart/core/CustomChartSeries.h"

#include "chart/canvas/ZuzTransform.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesLegend.h"
#include "platform/ClassRegistry.h"
#include "platform/Filer.h"
#include "platform/Published.h"

#include <typeinfo>

namespace {
[[maybe_unused]] const TClassInfo& CustomSeriesClass =
    PublishClass<TCustomChartSeries>("TCustomChartSeries", "TCustomChartElement");
[[maybe_unused]] const TClassInfo& SeriesLegendClass =
    PublishClass<TSeriesLegend>("TSeriesLegend", "TCustomTextShape",
                                {
                                    PropStr("Text", &TSeriesLegend::Text, &TSeriesLegend::SetText),
                                });
} // namespace

TSeriesLegend::TSeriesLegend(TCustomZuzPanel* AParent) : TCustomTextShape(AParent) {}

String TSeriesLegend::ClassName() const { return QStringLiteral("TSeriesLegend"); }

// ---------------------------------------------------------------------------

TCustomChartSeries::TCustomChartSeries(TComponent* AOwner) : TCustomChartElement(AOwner) {}

TCustomChartSeries::~TCustomChartSeries() = default;

String TCustomChartSeries::ClassName() const { return QStringLiteral("TCustomChartSeries"); }

void TCustomChartSeries::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TCustomChartSeries*>(Source)) {
    FIdentifier = S->FIdentifier;
    SetLegend(S->FLegend.get());
    FStyle = S->FStyle;
    FTitle = S->FTitle;
  }
  TCustomChartElement::Assign(Source);
}

void TCustomChartSeries::DefineProperties(TFiler* Filer)
{
  TCustomChartElement::DefineProperties(Filer);
  Filer->DefineProperty(
      QStringLiteral("Identifier"), [this](TReader& R) { FIdentifier = R.ReadString(); },
      [this](TWriter& W) { W.WriteString(FIdentifier); }, !FIdentifier.isEmpty());
  Filer->DefineProperty(
      QStringLiteral("Style"), [this](TReader& R) { ReadStyle(R.ReadInteger()); },
      [this](TWriter& W) { W.WriteInteger(FStyle & AllSeriesStyles); }, FStyle != 0);
}

void TCustomChartSeries::SetActive(bool Value)
{
  if (FActive == Value)
    return;
  TCustomChartElement::SetActive(Value);
  if (FParent)
    FParent->BroadcastSeriesEvent(this, seChangeActive);
}

void TCustomChartSeries::Added()
{
  if (FLegend)
    FLegend->SetParent(FParent);
}

void TCustomChartSeries::Removed() { FParent = nullptr; }

void TCustomChartSeries::CalcHorizMargins(int32_t& LeftMargin, int32_t& RightMargin)
{
  LeftMargin = 0;
  RightMargin = 0;
}

void TCustomChartSeries::CalcVerticalMargins(int32_t& TopMargin, int32_t& BottomMargin)
{
  TopMargin = 0;
  BottomMargin = 0;
}

void TCustomChartSeries::DoBeforeDrawChart() {}

void TCustomChartSeries::RecalcAxisMargins(TChartAxis*, TRect&) {}

int32_t TCustomChartSeries::SeriesIndex() const { return FParent ? FParent->IndexOfSeries(this) : -1; }

void TCustomChartSeries::SetTitle(const String& Value)
{
  if (FTitle == Value)
    return;
  SetStringProperty(FTitle, Value);
  if (FParent)
    FParent->BroadcastSeriesEvent(this, seChangeTitle);
}

TSeriesLegend* TCustomChartSeries::Legend()
{
  if (!FLegend)
    FLegend = std::make_unique<TSeriesLegend>(FParent);
  return FLegend.get();
}

void TCustomChartSeries::SetLegend(TSeriesLegend* Value)
{
  if (Value)
    Legend()->Assign(Value);
  else
    FLegend.reset();
}

String TCustomChartSeries::LegendTitle() const { return FLegend ? FLegend->Text() : String(); }

void TCustomChartSeries::SetLegendTitle(const String& Value) { Legend()->SetText(Value); }

bool TCustomChartSeries::ShowInLegend() const { return FLegend ? FLegend->Visible() : true; }

void TCustomChartSeries::SetShowInLegend(bool Value) { Legend()->SetVisible(Value); }

bool TCustomChartSeries::SameClass(const TCustomChartSeries* Series) const
{
  if (!Series)
    return false;
  if (typeid(*this) == typeid(*Series))
    return true;
  // Published kinds know their ancestry by name.
  const TClassInfo* Mine = GetClass(ClassName());
  const TClassInfo* Theirs = GetClass(Series->ClassName());
  return Mine && Theirs && (Mine->InheritsFrom(Theirs) || Theirs->InheritsFrom(Mine));
}
