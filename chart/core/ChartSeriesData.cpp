// The series' data side beyond adding and deleting: its function, sorting,
// sample values and copying.
#include "chart/core/ChartSeries.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/CustomZuzPanel.h"
#include "chart/core/SeriesList.h"
#include "rtl/StringList.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/LabelsList.h"
#include "chart/core/SeriesDetail.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/VisualsList.h"
#include "chart/core/ZuzFunction.h"
#include "chart/core/ZuzSort.h"
#include "platform/ClassRegistry.h"
#include "rtl/DateTime.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <random>

namespace {
// The library's sample-value generator: reseeded for every fill, so that
// two fills differ, from one seed source.
std::mt19937& SampleGenerator()
{
  static std::mt19937 Generator{std::random_device{}()};
  return Generator;
}

// A uniform integer 0 .. Range - 1 (0 for a range below 1).
int32_t RandomValue(int32_t Range)
{
  if (Range < 1)
    return 0;
  return std::uniform_int_distribution<int32_t>(0, Range - 1)(SampleGenerator());
}
} // namespace

// ---------------------------------------------------------------------------
// Function

void TChartSeries::SetFunction(TZuzFunction* Value)
{
  if (FZuzFunction == Value)
    return;
  if (TZuzFunction* Old = FZuzFunction) {
    FZuzFunction = nullptr;
    RemoveFreeNotification(Old);
    Old->FParent = nullptr;
    delete Old;
  }
  FZuzFunction = Value;
  if (Value) {
    if (Value->FParent && Value->FParent != this)
      Value->SetParentSeries(this);
    Value->FParent = this;
    ManualData = false;
    FreeNotification(Value);
  }
  CheckDataSource();
}

void TChartSeries::Notification(TComponent* AComponent, TOperation Operation)
{
  TCustomChartSeries::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  // A freed visual template (or referenced block) is forgotten.
  if (FVisuals)
    FVisuals->Removed(AComponent);
  if (AComponent == FZuzFunction)
    FZuzFunction = nullptr;
  // A source freed while this series still lists it.
  if (std::find(FDataSources.begin(), FDataSources.end(), AComponent) != FDataSources.end())
    InternalRemoveSource(AComponent);
}

TSeriesDetail* TChartSeries::Detail()
{
  if (!FDetail)
    FDetail = std::make_unique<TSeriesDetail>(this);
  return FDetail.get();
}

void TChartSeries::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
  TCustomChartSeries::GetChildren(Proc, Root);
  if (FZuzFunction && FZuzFunction->Owner() == Root)
    Proc(FZuzFunction);
}

void TChartSeries::Loaded()
{
  TCustomChartSeries::Loaded();
  if (!FTempDataSources.empty()) {
    const std::vector<String> Names = std::move(FTempDataSources);
    FTempDataSources.clear();
    // Names are looked up among the components of the series' owner (the
    // form or chart file root); names not found add nothing.
    TComponent* Root = Owner();
    for (const String& N : Names)
      if (TComponent* C = Root ? Root->FindComponent(N) : nullptr)
        if (C != this && std::find(FDataSources.begin(), FDataSources.end(), C) == FDataSources.end())
          InternalAddDataSource(C);
  }
  if (!FDataSources.empty() || FZuzFunction)
    CheckDataSource();
}

// ---------------------------------------------------------------------------
// Sorting

void TChartSeries::CheckOrder()
{
  bool Sorted = false;
  if (MandatoryValueList->Order() != loNone) {
    MandatoryValueList->Sort();
    if (NotMandatoryValueList->ValueSource().isEmpty())
      NotMandatoryValueList->FillSequence();
    Sorted = true;
  }
  if (NotMandatoryValueList->Order() != loNone) {
    NotMandatoryValueList->Sort();
    Sorted = true;
  }
  if (Sorted)
    Repaint();
}

int32_t TChartSeries::CompareLabelIndex(int32_t A, int32_t B, TChartListOrder Order) const
{
  String LA = XLabel(A);
  String LB = XLabel(B);
  if (FLabels->CaseSensitive()) {
    const String LowerA = LA.toLower();
    const String LowerB = LB.toLower();
    if (LowerA != LowerB) {
      LA = LowerA;
      LB = LowerB;
    }
  }
  const int32_t C = QString::compare(LA, LB, Qt::CaseSensitive);
  const int32_t Result = C < 0 ? -1 : (C > 0 ? 1 : 0);
  return Order == loDescending ? -Result : Result;
}

void TChartSeries::SortByLabels(TChartListOrder Order)
{
  if (Order == loNone)
    return;
  ZuzSort(
      0, Count() - 1, [this, Order](int32_t A, int32_t B) { return CompareLabelIndex(A, B, Order); },
      [this](int32_t A, int32_t B) { SwapValueIndex(A, B); });
  NotMandatoryValueList->FillSequence();
  Repaint();
}

// ---------------------------------------------------------------------------
// Sample values

void TChartSeries::FillSampleValues(int32_t NumValues)
{
  if (NumValues == 0)
    NumValues = INumSampleValues;
  if (NumValues <= 0)
    NumValues = NumSampleValues();
  Clear();
  SampleGenerator().seed(static_cast<uint32_t>(RandomValue(7774444)));
  {
    BeginUpdate();
    const auto End = qScopeGuard([this] { EndUpdate(); });
    AddSampleValues(NumValues, false);
    CheckOrder();
  }
  ManualData = false;
}

TChartSeries::TSeriesRandomBounds TChartSeries::RandomBounds(int32_t NumValues)
{
  TSeriesRandomBounds R;
  double MinX = 0, MaxX, MaxY = 1000;
  if (FParent && FParent->GetMaxValuesCount() > 0) {
    R.MinY = FParent->MinYValue(FGetVertAxis);
    MaxY = FParent->MaxYValue(FGetVertAxis);
    if (MaxY == R.MinY)
      MaxY = R.MinY == 0 ? 1000 : 2 * R.MinY;
    MinX = FParent->MinXValue(FGetHorizAxis);
    MaxX = FParent->MaxXValue(FGetHorizAxis);
    if (MaxX == MinX)
      MaxX = MinX == 0 ? NumValues - 1 : 2 * MinX;
    if (!YMandatory) {
      std::swap(MinX, R.MinY);
      std::swap(MaxX, MaxY);
    }
  } else if (FX->DateTime()) {
    MinX = std::floor(Date());
    MaxX = MinX + NumValues - 1;
  } else
    MaxX = NumValues - 1;
  R.StepX = MaxX - MinX;
  if (NumValues > 1)
    R.StepX /= NumValues - 1;
  R.DifY = std::clamp(MaxY - R.MinY, -2147483647.0, 2147483647.0);
  R.tmpY = RandomValue(100) * R.DifY * 0.01 + R.MinY;
  R.tmpX = MinX;
  return R;
}

int32_t TChartSeries::AddSampleValues(int32_t NumValues, bool OnlyMandatory)
{
  TSeriesRandomBounds R = RandomBounds(NumValues);
  const double Q = R.DifY * 0.25;
  int32_t Last = -1;
  for (int32_t I = 0; I < NumValues; ++I) {
    // A random walk that never goes below zero.
    R.tmpY = std::abs(Q * RandomValue(100) * 0.01 + R.tmpY - Q * 0.5);
    if (OnlyMandatory)
      Last = Add(R.tmpY);
    else {
      Last = YMandatory ? AddXY(R.tmpX, R.tmpY) : AddXY(R.tmpY, R.tmpX);
      R.tmpX += R.StepX;
    }
  }
  return Last;
}

// ---------------------------------------------------------------------------
// Copying

void TChartSeries::AssignFormat(TChartSeries* Source)
{
  if (!Source || Source == this)
    return;
  SetDataSource(nullptr);
  if (Source->YMandatory == YMandatory) {
    FX->Assign(Source->FX);
    FY->Assign(Source->FY);
  } else {
    FX->Assign(Source->FY);
    FY->Assign(Source->FX);
  }
  FLabelsSource = Source->FLabelsSource;
  FColorSource = Source->FColorSource;
  FColorEachPoint = Source->FColorEachPoint;
  const int32_t Extra = std::min(FValuesList.Count(), Source->FValuesList.Count());
  for (int32_t L = 2; L < Extra; ++L)
    FValuesList[L]->Assign(Source->FValuesList[L]);
  AssignFormatting(Source);
  ISeriesColor = Source->ISeriesColor;
  FRecalcOptions = Source->FRecalcOptions;
  RecalcGetAxis();
}

void TChartSeries::Assign(TPersistent* Source)
{
  TCustomChartSeries::Assign(Source);
  auto* S = dynamic_cast<TChartSeries*>(Source);
  if (!S || S == this)
    return;
  AssignFormat(S);
  if (S->FMarks)
    Marks()->SetVisible(S->FMarks->Visible());
  if (S->FZuzFunction) {
    if (!FZuzFunction) {
      const TClassInfo* C = ClassInfoOf(S->FZuzFunction);
      if (C && C->CanCreate())
        SetFunction(static_cast<TZuzFunction*>(C->CreateComponent(Owner())));
    }
    if (FZuzFunction)
      FZuzFunction->Assign(S->FZuzFunction);
  }
  ManualData = S->ManualData;
  if (!S->FDataSources.empty() && !S->ManualData) {
    BeginUpdate();
    {
      const auto End = qScopeGuard([this] { EndUpdate(); });
      for (TComponent* C : S->FDataSources)
        if (C != this && std::find(FDataSources.begin(), FDataSources.end(), C) == FDataSources.end())
          InternalAddDataSource(C);
    }
  } else if (S->ManualData || !(S->ComponentState() & csDesigning))
    AssignValues(S);
  CheckDataSource();
}

// ---------------------------------------------------------------------------
// Naming and listing series

String SeriesTitleOrName(const TChartSeries* Series, bool RemoveLineBreaks)
{
  String Title = Series->Title();
  if (!Title.trimmed().isEmpty()) {
    if (RemoveLineBreaks)
      for (QChar& C : Title)
        if (C == ZuzTextLineBreak || C == QChar(u'\n') || C == ZuzLegendColumnSeparator)
          C = QChar(u' ');
    return Title;
  }
  return Series->SeriesNameOrIndex();
}

void FillSeriesItems(TStringList* Items, const TCustomSeriesList* List, bool UseTitles)
{
  Items->BeginUpdate();
  const auto End = qScopeGuard([Items] { Items->EndUpdate(); });
  for (TChartSeries* S : *List) {
    const bool Shown = ((S->ComponentState() & csDesigning) && !S->DontSerialize) || S->ShowInEditor();
    if (Shown && !S->IInternalUse)
      Items->AddObject(UseTitles ? SeriesTitleOrName(S, true) : S->Name(), S);
  }
}
