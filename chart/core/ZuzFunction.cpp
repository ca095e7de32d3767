#include "chart/core/ZuzFunction.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/DateTimeSteps.h"
#include "chart/core/ZuzConst.h"
#include "platform/Published.h"
#include "rtl/Numbers.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {
const TEnumInfo PeriodStyleInfo("TFunctionPeriodStyle", {"psNumPoints", "psRange"});
const TEnumInfo PeriodAlignInfo("TFunctionPeriodAlign", {"paFirst", "paCenter", "paLast"});

using F = TZuzFunction;
[[maybe_unused]] const TClassInfo& FunctionClass =
    PublishClass<F>("TZuzFunction", "TComponent",
                    {
                        PropBool("CalcByValue", &F::CalcByValue, &F::SetCalcByValue, false),
                        PropBool("IncludeNulls", &F::IncludeNulls, &F::SetIncludeNulls, true),
                        PropFloat("Period", &F::Period, &F::SetPeriod, 0),
                        PropEnum("PeriodAlign", &F::PeriodAlign, &F::SetPeriodAlign, PeriodAlignInfo, paCenter),
                        PropEnum("PeriodStyle", &F::PeriodStyle, &F::SetPeriodStyle, PeriodStyleInfo, psNumPoints),
                    });
[[maybe_unused]] const TClassInfo& MovingFunctionClass = PublishClass<TZuzMovingFunction>(
    "TZuzMovingFunction", "TZuzFunction",
    {PropEnum("PeriodAlign", &F::PeriodAlign, &F::SetPeriodAlign, PeriodAlignInfo, paLast)});

// The point count a period of points stands for; below 1 there is no
// period to compute (a period that rounds to 0 would never move on).
int32_t PointsPerPeriod(double Period)
{
  const double R = std::nearbyint(Period);
  return R >= 1 && R <= 2147483647.0 ? static_cast<int32_t>(R) : 0;
}

double AlignedX(TFunctionPeriodAlign Align, double First, double Last)
{
  switch (Align) {
  case paFirst:
    return First;
  case paLast:
    return Last;
  default:
    return (First + Last) * 0.5;
  }
}
} // namespace

int32_t CompareFunctionValues(double A, double B)
{
  const bool ANaN = std::isnan(A), BNaN = std::isnan(B);
  if (ANaN || BNaN)
    return ANaN == BNaN ? 0 : (ANaN ? 1 : -1);
  return A < B ? -1 : (A > B ? 1 : 0);
}

TZuzFunction::TZuzFunction(TComponent* AOwner) : TComponent(AOwner) {}

TZuzFunction::~TZuzFunction()
{
  if (FParent && FParent->FunctionType() == this)
    FParent->FZuzFunction = nullptr;
  FParent = nullptr;
}

String TZuzFunction::ClassName() const { return QStringLiteral("TZuzFunction"); }

void TZuzFunction::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TZuzFunction*>(Source)) {
    FCalcByValue = S->FCalcByValue;
    FIncludeNulls = S->FIncludeNulls;
    FPeriod = S->FPeriod;
    FPeriodStyle = S->FPeriodStyle;
    FPeriodAlign = S->FPeriodAlign;
  }
}

void TZuzFunction::EndUpdate()
{
  if (!IUpdating)
    return;
  IUpdating = false;
  ReCalculate();
}

void TZuzFunction::ReCalculate()
{
  if (!IUpdating && FParent)
    FParent->CheckDataSource();
}

void TZuzFunction::SetCalcByValue(bool Value) { ChangeSetting(FCalcByValue, Value); }

void TZuzFunction::SetIncludeNulls(bool Value) { ChangeSetting(FIncludeNulls, Value); }

void TZuzFunction::SetPeriod(double Value)
{
  if (Value < 0)
    throw ChartException(ZuzMsg_FunctionPeriod);
  ChangeSetting(FPeriod, Value);
}

void TZuzFunction::SetPeriodAlign(TFunctionPeriodAlign Value) { ChangeSetting(FPeriodAlign, Value); }

void TZuzFunction::SetPeriodStyle(TFunctionPeriodStyle Value) { ChangeSetting(FPeriodStyle, Value); }

void TZuzFunction::SetParentSeries(TChartSeries* Series)
{
  if (!Series || Series == FParent)
    return;
  TChartSeries* Old = FParent;
  if (Old && Old->FZuzFunction == this) {
    Old->RemoveFreeNotification(this);
    Old->FZuzFunction = nullptr;
  }
  FParent = nullptr;
  Series->SetFunction(this);
}

TComponent* TZuzFunction::GetParentComponent() const { return FParent; }

void TZuzFunction::SetParentComponent(TComponent* Value)
{
  if (auto* S = dynamic_cast<TChartSeries*>(Value))
    SetParentSeries(S);
}

void TZuzFunction::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FParent)
    FParent = nullptr;
}

void TZuzFunction::AddFunctionXY(bool Vertical, double X, double Y)
{
  if (Vertical)
    FParent->AddXY(X, Y);
  else
    FParent->AddXY(Y, X);
}

TChartValueList* TZuzFunction::ValueList(TChartSeries* Source) const
{
  const String& Name = FParent ? FParent->MandatoryValueList->ValueSource() : String();
  return Name.isEmpty() ? Source->MandatoryValueList : Source->GetYValueList(Name);
}

void TZuzFunction::SplitAxes()
{
  TCustomAxisPanel* Chart = FParent ? FParent->ParentChart() : nullptr;
  if (!Chart)
    return;
  FParent->SetVertAxis(aRightAxis);
  Chart->LeftAxis()->SetEndPosition(70);
  Chart->RightAxis()->SetStartPosition(70);
}

String TZuzFunction::GetEditorClass() const { return QStringLiteral("TZuzFunctionEditor"); }

void TZuzFunction::PrepareForGallery(TCustomAxisPanel* Chart)
{
  const int32_t N = Chart->SeriesCount();
  if (N == 0)
    return;
  TChartSeries* Output = Chart->GetSeries(N - 1);
  Output->SetFunction(this);
  if (N >= 2)
    Output->SetDataSource(Chart->GetSeries(N - 2));
}

std::vector<TChartSeries*> TZuzFunction::SourceSeries() const
{
  std::vector<TChartSeries*> Result;
  if (FParent)
    for (TComponent* C : FParent->DataSources())
      if (auto* S = dynamic_cast<TChartSeries*>(C))
        Result.push_back(S);
  return Result;
}

// ---------------------------------------------------------------------------
// Gathering and combining

void TZuzFunction::AddValue(TFunctionValues& Values, int32_t Position, double Value)
{
  Values[static_cast<size_t>(Position)] = Value;
}

double TZuzFunction::CalculateValue(const TFunctionValues&) { return 0; }

double TZuzFunction::Calculate(TChartSeries* Source, int32_t FirstIndex, int32_t LastIndex)
{
  if (FirstIndex == -1) {
    FirstIndex = 0;
    LastIndex = Source->Count() - 1;
  }
  // Never outside the source, whatever a caller's range says.
  FirstIndex = std::max(FirstIndex, 0);
  LastIndex = std::min(LastIndex, Source->Count() - 1);
  const TChartValueList* List = ValueList(Source);
  TFunctionValues Values;
  if (LastIndex >= FirstIndex) {
    if (FIncludeNulls) {
      Values.resize(static_cast<size_t>(LastIndex - FirstIndex + 1));
      for (int32_t I = FirstIndex; I <= LastIndex; ++I)
        AddValue(Values, I - FirstIndex, List->Value[static_cast<size_t>(I)]);
    } else {
      for (int32_t I = FirstIndex; I <= LastIndex; ++I)
        if (!Source->IsNull(I)) {
          Values.push_back(0);
          AddValue(Values, static_cast<int32_t>(Values.size()) - 1, List->Value[static_cast<size_t>(I)]);
        }
    }
  }
  return CalculateValue(Values);
}

double TZuzFunction::CalculateMany(const std::vector<TChartSeries*>& Sources, int32_t ValueIndex)
{
  TFunctionValues Values;
  if (FIncludeNulls)
    Values.resize(Sources.size());
  for (size_t S = 0; S < Sources.size(); ++S) {
    const TChartValueList* List = ValueList(Sources[S]);
    // A source without the point takes part as 0 (gathered like any value,
    // so that sorted gatherings stay sorted).
    if (List->Count() <= ValueIndex) {
      if (FIncludeNulls)
        AddValue(Values, static_cast<int32_t>(S), 0);
      continue;
    }
    const double V = List->Value[static_cast<size_t>(ValueIndex)];
    if (FIncludeNulls)
      AddValue(Values, static_cast<int32_t>(S), V);
    else if (!Sources[S]->IsNull(ValueIndex)) {
      Values.push_back(0);
      AddValue(Values, static_cast<int32_t>(Values.size()) - 1, V);
    }
  }
  return CalculateValue(Values);
}

double TZuzFunction::CalculateManyByValue(const std::vector<TChartSeries*>& Sources, double X)
{
  TFunctionValues Values;
  if (FIncludeNulls)
    Values.resize(Sources.size());
  for (size_t S = 0; S < Sources.size(); ++S) {
    const int32_t I = Sources[S]->NotMandatoryValueList->Locate(X);
    if (I == -1 || (!FIncludeNulls && Sources[S]->IsNull(I))) {
      if (FIncludeNulls)
        AddValue(Values, static_cast<int32_t>(S), 0);
      continue;
    }
    const double V = ValueList(Sources[S])->Value[static_cast<size_t>(I)];
    if (FIncludeNulls)
      AddValue(Values, static_cast<int32_t>(S), V);
    else {
      Values.push_back(0);
      AddValue(Values, static_cast<int32_t>(Values.size()) - 1, V);
    }
  }
  return CalculateValue(Values);
}

// ---------------------------------------------------------------------------
// The calculation roads

void TZuzFunction::AddPoints(TChartSeries* Source)
{
  if (IUpdating || !Source || !FParent)
    return;
  if (FParent->DataSources().size() > 1) {
    if (FCalcByValue)
      CalculateManySourcesByValue();
    else
      CalculateManySources(Source);
  } else if (Source->Count() > 0)
    DoCalculation(Source, Source->NotMandatoryValueList);
}

void TZuzFunction::DoCalculation(TChartSeries* Source, TChartValueList* NotMandatorySource)
{
  if (FPeriod != 0)
    CalculateByPeriod(Source, NotMandatorySource);
  else
    CalculateAllPoints(Source, NotMandatorySource);
}

void TZuzFunction::CalculatePeriod(TChartSeries* Source, double tmpX, int32_t FirstIndex, int32_t LastIndex)
{
  AddFunctionXY(Source->YMandatory, tmpX, Calculate(Source, FirstIndex, LastIndex));
}

void TZuzFunction::CalculateAllPoints(TChartSeries* Source, TChartValueList* NotMandatorySource)
{
  const double V = Calculate(Source, -1, -1);
  const double Min = NotMandatorySource->MinValue();
  const double Max = NotMandatorySource->MaxValue();
  if (FParent->AllowSinglePoint) {
    const double M = Min + (Max - Min) * 0.5;
    if (FParent->YMandatory)
      FParent->AddXY(M, V);
    else
      FParent->AddXY(V, M);
  } else {
    AddFunctionXY(Source->YMandatory, Min, V);
    AddFunctionXY(Source->YMandatory, Max, V);
  }
}

double TZuzFunction::NextPeriod(double X) const
{
  const TChartAxis* Axis = FParent->GetHorizAxis();
  if (Axis && Axis->ExactDateTime() && FParent->XValues()->DateTime()) {
    const TDateTimeStep Step = FindDateTimeStep(FPeriod);
    if (Step >= dtHalfMonth && Step <= dtOneYear) {
      ZuzDateTimeIncrement(true, X, FPeriod, Step);
      return X;
    }
  }
  return X + FPeriod;
}

void TZuzFunction::CalculateByPeriod(TChartSeries* Source, TChartValueList* NotMandatorySource)
{
  const TChartValues& X = NotMandatorySource->Value;
  const int32_t N = Source->Count();
  if (N == 0)
    return;
  const int32_t Points = PointsPerPeriod(FPeriod);
  if (FPeriodStyle == psNumPoints && Points == 0)
    return;
  int32_t First = 0;
  double XNext = X[0];
  do {
    double PosFirst, PosLast = 0;
    int32_t Last;
    bool HasPoints = true;
    if (FPeriodStyle == psRange) {
      Last = First;
      PosFirst = XNext;
      const double Moved = NextPeriod(XNext);
      // A period too small to move x (or an overflow) would never end.
      if (!(Moved > XNext))
        return;
      XNext = Moved;
      PosLast = XNext - FPeriod * 0.001;
      while (Last < N - 1 && X[static_cast<size_t>(Last + 1)] < XNext)
        ++Last;
      HasPoints = X[static_cast<size_t>(First)] < XNext;
    } else {
      Last = First + Points - 1;
      PosFirst = X[static_cast<size_t>(First)];
      if (Last < N)
        PosLast = X[static_cast<size_t>(Last)];
    }
    if (Last < N) {
      const double ResultX = AlignedX(FPeriodAlign, PosFirst, PosLast);
      if (HasPoints)
        CalculatePeriod(Source, ResultX, First, Last);
      else
        AddFunctionXY(Source->YMandatory, ResultX, 0);
    }
    if (HasPoints)
      First = Last + 1;
  } while (First <= N - 1);
}

void TZuzFunction::CalculateManySources(TChartSeries* Source)
{
  const std::vector<TChartSeries*> Sources = SourceSeries();
  TChartSeries* Reference = Source;
  for (TChartSeries* S : Sources)
    if (S->Count() > Reference->Count())
      Reference = S;
  const TChartValueList* X = Reference->NotMandatoryValueList;
  for (int32_t I = 0; I < Reference->Count(); ++I) {
    const double V = CalculateMany(Sources, I);
    const double XI = X->Value[static_cast<size_t>(I)];
    if (Reference->YMandatory)
      FParent->AddXY(XI, V, Reference->XLabel(I));
    else
      FParent->AddXY(V, XI, Reference->XLabel(I));
  }
}

void TZuzFunction::CalculateManySourcesByValue()
{
  const std::vector<TChartSeries*> Sources = SourceSeries();
  int32_t M = 0;
  for (const TChartSeries* S : Sources)
    M = std::max(M, S->Count());
  for (int32_t I = 0; I < M; ++I) {
    std::vector<double> Xs;
    std::map<String, String> Labels;
    for (TChartSeries* S : Sources) {
      if (I >= S->Count())
        continue;
      const double XI = S->NotMandatoryValueList->Value[static_cast<size_t>(I)];
      Xs.push_back(XI);
      const String Label = S->XLabel(I);
      if (!Label.isEmpty())
        Labels[FloatToStr(XI)] = Label;
    }
    std::sort(Xs.begin(), Xs.end(), [](double A, double B) { return CompareFunctionValues(A, B) < 0; });
    for (double XI : Xs) {
      if (FParent->XValues()->Locate(XI) != -1)
        continue;
      const double V = CalculateManyByValue(Sources, XI);
      const auto L = Labels.find(FloatToStr(XI));
      const String Label = L == Labels.end() ? String() : L->second;
      const bool InAll = std::all_of(Sources.begin(), Sources.end(), [XI](const TChartSeries* S) {
        return S->NotMandatoryValueList->Locate(XI) != -1;
      });
      if (InAll)
        FParent->AddXY(XI, V, Label);
      else if (FIncludeNulls)
        FParent->AddNullXY(XI, V, Label);
    }
  }
}

// ---------------------------------------------------------------------------

TZuzMovingFunction::TZuzMovingFunction(TComponent* AOwner) : TZuzFunction(AOwner)
{
  InternalSetPeriod(1);
  SingleSource = true;
  SetPeriodAlign(paLast);
}

String TZuzMovingFunction::ClassName() const { return QStringLiteral("TZuzMovingFunction"); }

void TZuzMovingFunction::DoCalculation(TChartSeries* Source, TChartValueList* NotMandatorySource)
{
  const int32_t P = PointsPerPeriod(Period());
  if (P == 0)
    return;
  const TChartValues& X = NotMandatorySource->Value;
  for (int32_t I = P - 1; I < Source->Count(); ++I) {
    const double V = Calculate(Source, I - P + 1, I);
    AddFunctionXY(Source->YMandatory,
                  AlignedX(PeriodAlign(), X[static_cast<size_t>(I - P + 1)], X[static_cast<size_t>(I)]), V);
  }
}
