#include "chart/core/SeriesDetail.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/LabelsList.h"
#include "platform/ClassRegistry.h"

#include <QScopeGuard>

#include <algorithm>

TSeriesDetail::TSeriesDetail(TChartSeries* AParent) : IParent(AParent) {}

TSeriesDetail::~TSeriesDetail()
{
  for (TChartSeries* S : std::vector<TChartSeries*>(FItems))
    delete S;
}

String TSeriesDetail::ClassName() const { return QStringLiteral("TSeriesDetail"); }

TChartSeries* TSeriesDetail::CreateNew(TChartSeries* Master)
{
  const TClassInfo* Kind = ClassInfoOf(Master);
  TChartSeries* S = Kind ? dynamic_cast<TChartSeries*>(Kind->CreateComponent(Master)) : nullptr;
  if (!S)
    S = new TChartSeries(Master);
  S->ManualData = true;
  S->ParentSeries = Master;
  Add(S);
  return S;
}

double TSeriesDetail::Calculate(const TChartValueList* List) const
{
  const int32_t N = List->Count();
  if (N == 0)
    return 0;
  const TChartValues& V = List->Value;
  switch (FAggregate) {
  case daCount:
    return N;
  case daMin:
    return *std::min_element(V.begin(), V.begin() + N);
  case daMax:
    return *std::max_element(V.begin(), V.begin() + N);
  case daSum:
  case daAverage: {
    double Sum = 0;
    for (int32_t I = 0; I < N; ++I)
      Sum += V[static_cast<size_t>(I)];
    return FAggregate == daSum ? Sum : Sum / N;
  }
  }
  return 0;
}

void TSeriesDetail::ReCalculate()
{
  IParent->BeginUpdate();
  const auto End = qScopeGuard([this] {
    IParent->EndUpdate();
    IParent->Repaint();
  });
  while (IParent->Count() < Count())
    IParent->Add(0, Items(IParent->Count())->Title());
  for (int32_t I = 0; I < Count(); ++I) {
    IParent->MandatoryValueList->Value[static_cast<size_t>(I)] = Calculate(Items(I)->MandatoryValueList);
    IParent->MandatoryValueList->SetModified(true);
  }
}

void TSeriesDetail::SetAggregate(TDetailAggregate Value)
{
  if (FAggregate == Value)
    return;
  FAggregate = Value;
  ReCalculate();
}

bool HasNoMandatoryValues(const TChartSeries* Series)
{
  const int32_t N = Series->Count();
  if (!Series->IUseNotMandatory || N == 0)
    return false;
  const TChartValueList* L = Series->NotMandatoryValueList;
  for (int32_t I = 0; I < N; ++I)
    if (L->Value[static_cast<size_t>(I)] != I)
      return true;
  return false;
}

bool HasColors(const TChartSeries* Series)
{
  const int32_t M = Series->Count();
  const TColor Own = Series->SeriesColor();
  for (int32_t I = 0; I < M; ++I) {
    const TColor C = Series->InternalColor(I);
    if (C != clDefault && C != Own)
      return true;
  }
  return false;
}

bool HasLabels(const TChartSeries* Series)
{
  const TLabelsList* L = Series->Labels();
  const int32_t M = std::min(Series->Count(), L->Count());
  for (int32_t I = 0; I < M; ++I)
    if (!L->GetLabel(I).isEmpty())
      return true;
  return false;
}
