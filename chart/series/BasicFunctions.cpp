#include "chart/series/BasicFunctions.h"

#include "chart/core/AxisItems.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzSeriesTypes.h"
#include "platform/Published.h"

#include <algorithm>
#include <cmath>

namespace {
[[maybe_unused]] const TClassInfo& AddClass = PublishClass<TAddZuzFunction>("TAddZuzFunction", "TZuzFunction");
[[maybe_unused]] const TClassInfo& ManyClass =
    PublishClass<TManySeriesZuzFunction>("TManySeriesZuzFunction", "TZuzFunction");
[[maybe_unused]] const TClassInfo& SubtractClass =
    PublishClass<TSubtractZuzFunction>("TSubtractZuzFunction", "TManySeriesZuzFunction");
[[maybe_unused]] const TClassInfo& MultiplyClass =
    PublishClass<TMultiplyZuzFunction>("TMultiplyZuzFunction", "TManySeriesZuzFunction");
[[maybe_unused]] const TClassInfo& DivideClass =
    PublishClass<TDivideZuzFunction>("TDivideZuzFunction", "TManySeriesZuzFunction");
[[maybe_unused]] const TClassInfo& HighClass = PublishClass<THighZuzFunction>("THighZuzFunction", "TZuzFunction");
[[maybe_unused]] const TClassInfo& LowClass = PublishClass<TLowZuzFunction>("TLowZuzFunction", "TZuzFunction");
[[maybe_unused]] const TClassInfo& AverageClass =
    PublishClass<TAverageZuzFunction>("TAverageZuzFunction", "TZuzFunction");
[[maybe_unused]] const TClassInfo& SortedClass =
    PublishClass<TCustomSortedFunction>("TCustomSortedFunction", "TZuzFunction");
[[maybe_unused]] const TClassInfo& MedianClass =
    PublishClass<TMedianZuzFunction>("TMedianZuzFunction", "TCustomSortedFunction");
[[maybe_unused]] const TClassInfo& ModeClass =
    PublishClass<TModeZuzFunction>("TModeZuzFunction", "TCustomSortedFunction");
using C = TCustomZuzFunction;
[[maybe_unused]] const TClassInfo& CustomClass =
    PublishClass<C>("TCustomZuzFunction", "TZuzFunction",
                    {
                        PropInt("NumPoints", &C::NumPoints, &C::SetNumPoints),
                        PropFloat("StartX", &C::StartX, &C::SetStartX, 0),
                        PropEvent("OnCalculate", &C::OnCalculate),
                    });
using S = TSubsetZuzFunction;
[[maybe_unused]] const TClassInfo& SubsetClass =
    PublishClass<S>("TSubsetZuzFunction", "TZuzFunction",
                    {
                        PropFloat("EndValue", &S::EndValue, &S::SetEndValue, 0),
                        PropFloat("StartValue", &S::StartValue, &S::SetStartValue, 0),
                    });
[[maybe_unused]] const TClassInfo& ParetoClass = PublishClass<TParetoZuzFunction>("TParetoZuzFunction", "TZuzFunction");

bool Less(double A, double B) { return CompareFunctionValues(A, B) < 0; }

// a0 op a1 op ... op an-1; 0 for no values.
template <class F>
double Fold(const TFunctionValues& Values, F Op)
{
  if (Values.empty())
    return 0;
  double R = Values[0];
  for (size_t I = 1; I < Values.size(); ++I)
    R = Op(R, Values[I]);
  return R;
}
} // namespace

// ---- The combinations

String TAddZuzFunction::ClassName() const { return QStringLiteral("TAddZuzFunction"); }

double TAddZuzFunction::CalculateValue(const TFunctionValues& Values)
{
  return Fold(Values, [](double R, double V) { return R + V; });
}

void TAddZuzFunction::PrepareForGallery(TCustomAxisPanel* Chart)
{
  TZuzFunction::PrepareForGallery(Chart);
  if (ParentSeries())
    ParentSeries()->SetVertAxis(aRightAxis);
}

String TManySeriesZuzFunction::ClassName() const { return QStringLiteral("TManySeriesZuzFunction"); }

void TManySeriesZuzFunction::PrepareForGallery(TCustomAxisPanel* Chart)
{
  TZuzFunction::PrepareForGallery(Chart);
  if (ParentSeries())
    ParentSeries()->SetVertAxis(aRightAxis);
}

String TSubtractZuzFunction::ClassName() const { return QStringLiteral("TSubtractZuzFunction"); }

double TSubtractZuzFunction::CalculateValue(const TFunctionValues& Values)
{
  return Fold(Values, [](double R, double V) { return R - V; });
}

String TMultiplyZuzFunction::ClassName() const { return QStringLiteral("TMultiplyZuzFunction"); }

double TMultiplyZuzFunction::CalculateValue(const TFunctionValues& Values)
{
  return Fold(Values, [](double R, double V) { return R * V; });
}

void TMultiplyZuzFunction::PrepareForGallery(TCustomAxisPanel* Chart)
{
  TManySeriesZuzFunction::PrepareForGallery(Chart);
  Chart->RightAxis()->SetAxisValuesFormat(QStringLiteral("1E+1"));
}

String TDivideZuzFunction::ClassName() const { return QStringLiteral("TDivideZuzFunction"); }

double TDivideZuzFunction::CalculateValue(const TFunctionValues& Values)
{
  // A zero divisor is passed over: the running result stays.
  return Fold(Values, [](double R, double V) { return V != 0 ? R / V : R; });
}

String THighZuzFunction::ClassName() const { return QStringLiteral("THighZuzFunction"); }

double THighZuzFunction::CalculateValue(const TFunctionValues& Values)
{
  return Values.empty() ? 0 : *std::max_element(Values.begin(), Values.end(), Less);
}

double THighZuzFunction::Calculate(TChartSeries* Source, int32_t FirstIndex, int32_t LastIndex)
{
  if (FirstIndex == -1 && IncludeNulls())
    return Source->Count() == 0 ? 0 : ValueList(Source)->MaxValue();
  return TZuzFunction::Calculate(Source, FirstIndex, LastIndex);
}

String TLowZuzFunction::ClassName() const { return QStringLiteral("TLowZuzFunction"); }

double TLowZuzFunction::CalculateValue(const TFunctionValues& Values)
{
  return Values.empty() ? 0 : *std::min_element(Values.begin(), Values.end(), Less);
}

double TLowZuzFunction::Calculate(TChartSeries* Source, int32_t FirstIndex, int32_t LastIndex)
{
  if (FirstIndex == -1 && IncludeNulls())
    return Source->Count() == 0 ? 0 : ValueList(Source)->MinValue();
  return TZuzFunction::Calculate(Source, FirstIndex, LastIndex);
}

String TAverageZuzFunction::ClassName() const { return QStringLiteral("TAverageZuzFunction"); }

String TAverageZuzFunction::GetEditorClass() const { return QStringLiteral("TAverageFuncEditor"); }

double TAverageZuzFunction::CalculateValue(const TFunctionValues& Values)
{
  return Values.empty() ? 0 : Fold(Values, [](double R, double V) { return R + V; }) / Values.size();
}

double TAverageZuzFunction::Calculate(TChartSeries* Source, int32_t FirstIndex, int32_t LastIndex)
{
  if (FirstIndex == -1 && IncludeNulls())
    return Source->Count() == 0 ? 0 : ValueList(Source)->Total() / Source->Count();
  return TZuzFunction::Calculate(Source, FirstIndex, LastIndex);
}

String TCustomSortedFunction::ClassName() const { return QStringLiteral("TCustomSortedFunction"); }

void TCustomSortedFunction::AddValue(TFunctionValues& Values, int32_t Position, double Value)
{
  int32_t Slot = 0;
  while (Slot < Position && CompareFunctionValues(Values[static_cast<size_t>(Slot)], Value) <= 0)
    ++Slot;
  for (int32_t I = Position; I > Slot; --I)
    Values[static_cast<size_t>(I)] = Values[static_cast<size_t>(I) - 1];
  Values[static_cast<size_t>(Slot)] = Value;
}

String TMedianZuzFunction::ClassName() const { return QStringLiteral("TMedianZuzFunction"); }

double TMedianZuzFunction::CalculateValue(const TFunctionValues& Values)
{
  const size_t N = Values.size();
  if (N == 0)
    return 0;
  if (N % 2 == 1)
    return Values[N / 2];
  return (Values[N / 2 - 1] + Values[N / 2]) * 0.5;
}

String TModeZuzFunction::ClassName() const { return QStringLiteral("TModeZuzFunction"); }

double TModeZuzFunction::CalculateValue(const TFunctionValues& Values)
{
  if (Values.empty())
    return 0;
  double Best = Values[0];
  size_t BestRun = 0;
  for (size_t I = 0; I < Values.size();) {
    size_t J = I + 1;
    while (J < Values.size() && CompareFunctionValues(Values[J], Values[I]) == 0)
      ++J;
    if (J - I > BestRun) {
      BestRun = J - I;
      Best = Values[I];
    }
    I = J;
  }
  return Best;
}

// ---- y = f(x)

TCustomZuzFunction::TCustomZuzFunction(TComponent* AOwner) : TZuzFunction(AOwner)
{
  NoSourceRequired = true;
  InternalSetPeriod(1);
}

String TCustomZuzFunction::ClassName() const { return QStringLiteral("TCustomZuzFunction"); }

String TCustomZuzFunction::GetEditorClass() const { return QStringLiteral("TCustomFunctionEditor"); }

void TCustomZuzFunction::Assign(TPersistent* Source)
{
  TZuzFunction::Assign(Source);
  if (auto* F = dynamic_cast<TCustomZuzFunction*>(Source)) {
    FNumPoints = F->FNumPoints;
    FStartX = F->FStartX;
    OnCalculate = F->OnCalculate;
  }
}

void TCustomZuzFunction::SetNumPoints(int32_t Value) { ChangeSetting(FNumPoints, Value); }

void TCustomZuzFunction::SetStartX(double Value) { ChangeSetting(FStartX, Value); }

void TCustomZuzFunction::PrepareForGallery(TCustomAxisPanel* Chart)
{
  TZuzFunction::PrepareForGallery(Chart);
  SetNumPoints(360);
  OnCalculate = [](TCustomZuzFunction*, double x, double& y) {
    const double R = x * M_PI / 180;
    y = (std::sin(R) + std::cos(R)) * (std::sin(R) + std::cos(R));
  };
  ReCalculate();
  Chart->LeftAxis()->Title()->SetCaption(QStringLiteral("Y"));
  Chart->BottomAxis()->Title()->SetCaption(QStringLiteral("X"));
  if (Chart->SeriesCount() > 1)
    Chart->GetSeries(0)->SetActive(false);
}

void TCustomZuzFunction::AddPoints(TChartSeries*)
{
  TChartSeries* Output = ParentSeries();
  if (!OnCalculate || !Output || IUpdating)
    return;
  Output->Clear();
  double X = FStartX;
  double Y = 0;
  for (int32_t I = 0; I < FNumPoints; ++I) {
    FX = X;
    ValueIndex = I;
    OnCalculate(this, X, Y);
    if (Output->YMandatory)
      Output->AddXY(FX, Y);
    else
      Output->AddXY(Y, FX);
    X += Period();
  }
  ValueIndex = -1;
}

// ---- Subset

TSubsetZuzFunction::TSubsetZuzFunction(TComponent* AOwner) : TZuzFunction(AOwner) { CanUsePeriod = false; }

String TSubsetZuzFunction::ClassName() const { return QStringLiteral("TSubsetZuzFunction"); }

String TSubsetZuzFunction::GetEditorClass() const { return QStringLiteral("TSubsetFuncEditor"); }

void TSubsetZuzFunction::Assign(TPersistent* Source)
{
  TZuzFunction::Assign(Source);
  if (auto* F = dynamic_cast<TSubsetZuzFunction*>(Source)) {
    FStart = F->FStart;
    FEnd = F->FEnd;
  }
}

void TSubsetZuzFunction::SetStartValue(double Value) { ChangeSetting(FStart, Value); }

void TSubsetZuzFunction::SetEndValue(double Value) { ChangeSetting(FEnd, Value); }

void TSubsetZuzFunction::PrepareForGallery(TCustomAxisPanel* Chart)
{
  TZuzFunction::PrepareForGallery(Chart);
  TChartSeries* Out = ParentSeries();
  auto* Source = Out ? dynamic_cast<TChartSeries*>(Out->DataSource()) : nullptr;
  const double N = Source ? Source->Count() : 0;
  BeginUpdate();
  SetStartValue(std::nearbyint(N * 0.25));
  SetEndValue(std::nearbyint(N * 0.75));
  EndUpdate();
}

void TSubsetZuzFunction::AddPoints(TChartSeries* Source)
{
  TChartSeries* Output = ParentSeries();
  if (!Output || IUpdating)
    return;
  Output->Clear();
  if (!Source)
    return;
  const TChartValueList* Values = Source->MandatoryValueList;
  const String& Named = Output->MandatoryValueList->ValueSource();
  if (!Named.isEmpty()) {
    Values = nullptr;
    for (int32_t L = 0; L < Source->ValuesList().Count() && !Values; ++L)
      if (Source->ValuesList()[L]->Name().compare(Named, Qt::CaseInsensitive) == 0)
        Values = Source->ValuesList()[L];
    if (!Values)
      return;
  }
  const TChartValueList* Along = Source->NotMandatoryValueList;
  for (int32_t I = 0; I < Source->Count(); ++I) {
    const double X = Along->Value[static_cast<size_t>(I)];
    if (X < FStart || X > FEnd)
      continue;
    const double V = Values->Value[static_cast<size_t>(I)];
    if (Output->YMandatory)
      Output->AddXY(X, V);
    else
      Output->AddXY(V, X);
  }
}

// ---- Pareto

TParetoZuzFunction::TParetoZuzFunction(TComponent* AOwner) : TZuzFunction(AOwner) { InternalSetPeriod(1); }

String TParetoZuzFunction::ClassName() const { return QStringLiteral("TParetoZuzFunction"); }

void TParetoZuzFunction::PrepareForGallery(TCustomAxisPanel* Chart)
{
  TZuzFunction::PrepareForGallery(Chart);
  if (Chart->SeriesCount() > 0) {
    TChartSeries* First = Chart->GetSeries(0);
    First->NotMandatoryValueList->SetOrder(loNone);
    First->MandatoryValueList->SetOrder(loDescending);
    First->CheckOrder();
  }
  if (TChartSeries* Out = ParentSeries()) {
    Out->SetVertAxis(aRightAxis);
    Chart->RightAxis()->SetAxisValuesFormat(QStringLiteral("0%"));
  }
  ReCalculate();
}

double TParetoZuzFunction::Calculate(TChartSeries* Source, int32_t FirstIndex, int32_t)
{
  const TChartValueList* List = ValueList(Source);
  double Total = 0, Upto = 0;
  for (int32_t I = 0; I < List->Count(); ++I) {
    const double A = std::abs(List->Value[static_cast<size_t>(I)]);
    Total += A;
    if (I <= FirstIndex)
      Upto += A;
  }
  return Total == 0 ? 0 : 100 * Upto / Total;
}

void RegisterZuzBasicFunctions()
{
  const struct {
    const TClassInfo* Class;
    const String* Description;
  } Functions[] = {
      {ClassInfoFor<TAddZuzFunction>(), &ZuzMsg_FunctionAdd},
      {ClassInfoFor<TSubtractZuzFunction>(), &ZuzMsg_FunctionSubtract},
      {ClassInfoFor<TMultiplyZuzFunction>(), &ZuzMsg_FunctionMultiply},
      {ClassInfoFor<TDivideZuzFunction>(), &ZuzMsg_FunctionDivide},
      {ClassInfoFor<THighZuzFunction>(), &ZuzMsg_FunctionHigh},
      {ClassInfoFor<TLowZuzFunction>(), &ZuzMsg_FunctionLow},
      {ClassInfoFor<TAverageZuzFunction>(), &ZuzMsg_FunctionAverage},
      {ClassInfoFor<TCustomZuzFunction>(), &ZuzMsg_FunctionCustom},
      {ClassInfoFor<TMedianZuzFunction>(), &ZuzMsg_FunctionMedian},
      {ClassInfoFor<TModeZuzFunction>(), &ZuzMsg_FunctionMode},
      {ClassInfoFor<TSubsetZuzFunction>(), &ZuzMsg_FunctionSubset},
      {ClassInfoFor<TParetoZuzFunction>(), &ZuzMsg_FunctionPareto},
  };
  for (const auto& F : Functions)
    RegisterZuzBasicFunction(F.Class, F.Description);
}
