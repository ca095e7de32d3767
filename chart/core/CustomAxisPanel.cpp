#include "chart/core/CustomAxisPanel.h"

#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ZuzConst.h"
#include "platform/Published.h"

#include <algorithm>

namespace {
[[maybe_unused]] const TClassInfo& AxisPanelClass =
    PublishClass<TCustomAxisPanel>("TCustomAxisPanel", "TCustomZuzPanel",
                                   {
                                       PropObj("BottomAxis", &TCustomAxisPanel::BottomAxis),
                                       PropObj("CustomAxes", &TCustomAxisPanel::CustomAxes),
                                       PropObj("DepthAxis", &TCustomAxisPanel::DepthAxis),
                                       PropObj("DepthTopAxis", &TCustomAxisPanel::DepthTopAxis),
                                       PropObj("LeftAxis", &TCustomAxisPanel::LeftAxis),
                                       PropObj("RightAxis", &TCustomAxisPanel::RightAxis),
                                       PropObj("TopAxis", &TCustomAxisPanel::TopAxis),
                                   });
} // namespace

TCustomAxisPanel::TCustomAxisPanel(TComponent* AOwner)
    : TCustomZuzPanel(AOwner), FAxes(std::make_unique<TChartAxes>(this)),
      FCustomAxes(std::make_unique<TChartCustomAxes>(this))
{
  // The standard axes join the axis list in this order (indexes 0 to 5).
  FBottomAxis = new TChartAxis(this, true, false);
  FTopAxis = new TChartAxis(this, true, true);
  FLeftAxis = new TChartAxis(this, false, false);
  FRightAxis = new TChartAxis(this, false, true);
  FDepthAxis = new TChartAxis(this, false, true);
  FDepthTopAxis = new TChartAxis(this, false, false);
  const struct {
    TChartAxis* Axis;
    const char* ID;
  } Names[] = {{FBottomAxis, "Bottom"}, {FTopAxis, "Top"},     {FLeftAxis, "Left"},
               {FRightAxis, "Right"},   {FDepthAxis, "Depth"}, {FDepthTopAxis, "DepthTop"}};
  for (const auto& N : Names)
    N.Axis->IAxisID = QString::fromLatin1(N.ID);
  for (TChartAxis* A : {FDepthAxis, FDepthTopAxis}) {
    A->IDepthAxis = true;
    A->SetCalcPosValue();
    A->SetVisible(false);
  }
  // The top and right axes (and their grids) lie at the back in 3D.
  for (TChartAxis* A : {FTopAxis, FRightAxis})
    A->SetZPosition(100);
}

TCustomAxisPanel::~TCustomAxisPanel()
{
  IncludeState(csDestroying);
  FreeAllSeries();
  FAxes->Clear();
  FCustomAxes.reset();
}

String TCustomAxisPanel::ClassName() const { return QStringLiteral("TCustomAxisPanel"); }

// ---------------------------------------------------------------------------
// Series

TChartSeries* TCustomAxisPanel::GetSeries(int32_t Index) const
{
  if (Index < 0 || Index >= SeriesCount())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FSeriesList[Index];
}

int32_t TCustomAxisPanel::IndexOfSeries(const TCustomChartSeries* Series) const
{
  const auto It = std::find(FSeriesList.begin(), FSeriesList.end(), Series);
  return It == FSeriesList.end() ? -1 : static_cast<int32_t>(It - FSeriesList.begin());
}

TChartSeries* TCustomAxisPanel::AddSeries(TChartSeries* Series)
{
  Series->SetParentChart(this);
  return Series;
}

void TCustomAxisPanel::InternalAddSeries(TChartSeries* Series)
{
  if (IndexOfSeries(Series) >= 0)
    return;
  static_cast<TCustomChartElement*>(Series)->FParent = this;
  Series->Added();
  FSeriesList.push_back(Series);
  BroadcastSeriesEvent(Series, seAdd);
  if (OnAddSeries)
    OnAddSeries(Series);
  Invalidate();
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* Series) { RemoveSeries(IndexOfSeries(Series)); }

void TCustomAxisPanel::RemoveSeries(int32_t Index)
{
  if (Index < 0 || Index >= SeriesCount())
    return;
  TChartSeries* Series = FSeriesList[Index];
  BroadcastSeriesEvent(Series, seRemove);
  Series->Removed();
  FSeriesList.erase(std::find(FSeriesList.begin(), FSeriesList.end(), Series));
  if (OnRemoveSeries)
    OnRemoveSeries(Series);
  BroadcastSeriesEvent(Series, seAfterRemove);
  Invalidate();
}

void TCustomAxisPanel::FreeAllSeries()
{
  while (!FSeriesList.empty()) {
    TChartSeries* S = FSeriesList.front();
    S->SetParentChart(nullptr);
    delete S;
  }
}

int32_t TCustomAxisPanel::CountActiveSeries() const
{
  return static_cast<int32_t>(
      std::count_if(FSeriesList.begin(), FSeriesList.end(), [](const TChartSeries* S) { return S->Active(); }));
}

int32_t TCustomAxisPanel::GetMaxValuesCount() const
{
  int32_t Result = 0;
  for (const TChartSeries* S : FSeriesList)
    if (S->Active())
      Result = std::max(Result, S->Count());
  return Result;
}

void TCustomAxisPanel::BroadcastSeriesEvent(TCustomChartSeries* Series, TChartSeriesEvent Event)
{
  if (DoNotBroadcast || ListenerCount() == 0)
    return;
  TZuzSeriesEvent E;
  E.Event = Event;
  E.Series = Series;
  BroadcastZuzEvent(&E);
}

// ---------------------------------------------------------------------------
// Colours

TColor TCustomAxisPanel::GetDefaultColor(int32_t Index) const
{
  if (!ColorPalette.empty())
    return ColorPalette[static_cast<size_t>(Index) % ColorPalette.size()];
  return ::GetDefaultColor(Index);
}

bool TCustomAxisPanel::IsFreeSeriesColor(TColor AColor, bool CheckBackground, const TChartSeries* Series)
{
  for (const TChartSeries* S : FSeriesList)
    if (S != Series && S->SeriesColor() == AColor)
      return false;
  return !CheckBackground || AColor != GetBackColor();
}

TColor TCustomAxisPanel::GetFreeSeriesColor(bool CheckBackground, const TChartSeries* Series)
{
  const int32_t N = static_cast<int32_t>(ColorPalette.empty() ? ZuzColorPalette.size() : ColorPalette.size());
  for (int32_t I = 0; I < N - 1; ++I) {
    const TColor C = GetDefaultColor(I);
    if (IsFreeSeriesColor(C, CheckBackground, Series))
      return C;
  }
  return GetDefaultColor(SeriesCount());
}

void TCustomAxisPanel::ColorPaletteChanged()
{
  for (TChartSeries* S : FSeriesList)
    if (S->IsColorStored() == false)
      S->ChangeInternalColor(GetFreeSeriesColor(true, S));
}

// ---------------------------------------------------------------------------
// Data sources

void TCustomAxisPanel::CheckDatasource(TChartSeries* Series)
{
  if (auto* Source = dynamic_cast<TChartSeries*>(Series->DataSource()))
    Series->AddValues(Source);
}

void TCustomAxisPanel::CheckOtherSeries(const TChartSeries* Dest, const TChartSeries* Source) const
{
  // Dest would feed itself when Source takes its data, directly or through
  // its own sources, from Dest.
  std::vector<const TChartSeries*> Pending{Source};
  std::vector<const TChartSeries*> Seen;
  while (!Pending.empty()) {
    const TChartSeries* S = Pending.back();
    Pending.pop_back();
    if (S == Dest)
      throw ChartException(ZuzMsg_CircularSeries);
    if (std::find(Seen.begin(), Seen.end(), S) != Seen.end())
      continue;
    Seen.push_back(S);
    for (TComponent* C : S->DataSources())
      if (auto* Next = dynamic_cast<const TChartSeries*>(C))
        Pending.push_back(Next);
  }
}

// ---------------------------------------------------------------------------
// Axes

double TCustomAxisPanel::InternalMinMax(const TChartAxis* Axis, bool IsMin, bool IsX) const
{
  if (Axis->IsDepthAxis()) {
    bool First = true;
    double Result = 0;
    for (const TChartSeries* S : FSeriesList)
      if (S->Active()) {
        const double V = IsMin ? S->MinZValue() : S->MaxZValue();
        if (First || (IsMin ? V < Result : V > Result))
          Result = V;
        First = false;
      }
    return Result;
  }
  const auto OnAxis = [&](const TChartSeries* S) {
    return IsX ? (S->HorizAxis() == aBothHorizAxis || S->GetHorizAxis() == Axis)
               : (S->VertAxis() == aBothVertAxis || S->GetVertAxis() == Axis);
  };
  // When no active series uses the axis, every series on it counts.
  const bool AnyActive = std::any_of(FSeriesList.begin(), FSeriesList.end(),
                                     [&](const TChartSeries* S) { return S->Active() && S->AssociatedToAxis(Axis); });
  bool First = true;
  double Result = 0;
  for (const TChartSeries* S : FSeriesList) {
    if ((AnyActive && !S->Active()) || S->Count() == 0 || S->INoAxisMinMax || !OnAxis(S))
      continue;
    const double V = IsX ? (IsMin ? S->MinXValue() : S->MaxXValue()) : (IsMin ? S->MinYValue() : S->MaxYValue());
    if (First || (IsMin ? V < Result : V > Result))
      Result = V;
    First = false;
  }
  return Result;
}

void TCustomAxisPanel::ChangedAxisScale(TChartAxis*)
{
  for (TChartSeries* S : FSeriesList)
    S->ChangedAxisScale();
  Invalidate();
}

void TCustomAxisPanel::InternalDraw(const TRect&)
{
  // The pixel extent first: rounding the automatic ends measures labels
  // against the axis' length.
  for (int32_t I = 0; I < FAxes->Count(); ++I) {
    TChartAxis* A = FAxes->Get(I);
    A->InternalCalcPositions();
    A->AdjustMaxMin();
  }
}
