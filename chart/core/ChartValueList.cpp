#include "chart/core/ChartValueList.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/ZuzSort.h"
#include "platform/Filer.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"

#include <QDebug>

#include <algorithm>
#include <cmath>

int32_t ZuzValueListGrowStep = 1000;

namespace {

const TEnumInfo ChartListOrderInfo("TChartListOrder", {"loNone", "loAscending", "loDescending"});

[[maybe_unused]] const TClassInfo& ValueListClass = PublishClass<TChartValueList>(
    "TChartValueList", "TPersistent",
    {
        PropBool("DateTime", &TChartValueList::DateTime, &TChartValueList::SetDateTime)
            .Stored(&TChartValueList::IsDateStored),
        PropStr("Name", &TChartValueList::Name, &TChartValueList::SetName),
        PropEnum("Order", &TChartValueList::Order, &TChartValueList::SetOrder, ChartListOrderInfo),
        PropStr("ValueSource", &TChartValueList::ValueSource, &TChartValueList::SetValueSource),
    });

[[noreturn]] void RaiseIndex(int32_t Index)
{
  throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

} // namespace

TChartValueList::TChartValueList(TChartSeries* AOwner, const String& AName) : FName(AName), FOwner(AOwner)
{
  if (FOwner)
    FOwner->ValuesList().Add(this);
  ClearValues();
}

TChartValueList::~TChartValueList() = default;

String TChartValueList::ClassName() const { return QStringLiteral("TChartValueList"); }

void TChartValueList::Assign(TPersistent* Source)
{
  if (auto* L = dynamic_cast<TChartValueList*>(Source)) {
    FOrder = L->FOrder;
    FDateTime = L->FDateTime;
    FValueSource = L->FValueSource;
    return;
  }
  TPersistent::Assign(Source);
}

void TChartValueList::ReadMultiplier(double Multiplier)
{
  if (Multiplier != 1)
    qWarning().noquote()
        << QStringLiteral(
               "Error: Multiplier property is obsolete. The stored multiplier %1 of value list %2 is ignored: the "
               "property must be enabled in the library's definitions and the library rebuilt to use it.")
               .arg(FloatToStr(Multiplier), FName);
}

void TChartValueList::DefineProperties(TFiler* Filer)
{
  TPersistent::DefineProperties(Filer);
  Filer->DefineProperty(
      QStringLiteral("Multiplier"), [this](TReader& R) { ReadMultiplier(R.ReadFloat()); }, {}, false);
}

void TChartValueList::CheckIndex(int32_t Index, int32_t Limit) const
{
  if (Index < 0 || Index >= Limit)
    RaiseIndex(Index);
}

void TChartValueList::Grow()
{
  // The capacity steps by ZuzValueListGrowStep as callers see it, while the
  // memory below grows geometrically: a live series then moves its values
  // O(log n) times instead of once per step.
  const size_t NewSize = Value.size() + static_cast<size_t>(std::max(ZuzValueListGrowStep, 1));
  if (NewSize > Value.capacity())
    Value.reserve(std::max(NewSize, Value.capacity() * 2));
  Value.resize(NewSize);
}

int32_t TChartValueList::AddChartValue(double AValue)
{
  FTempValue = AValue;
  return AddChartValue();
}

int32_t TChartValueList::AddChartValue()
{
  const double V = FTempValue;
  const int32_t N = FCount;
  int32_t Result = N;
  const bool Append = FOrder == loNone || N == 0 || (FOrder == loAscending ? V >= Value[N - 1] : !(V > Value[N - 1]));
  if (!Append) {
    int32_t I = N - 1;
    if (FOrder == loAscending)
      while (I >= 0 && Value[I] > V)
        --I;
    else
      while (I >= 0 && Value[I] < V)
        --I;
    Result = I + 1;
  }
  if (N == static_cast<int32_t>(Value.size()))
    Grow();
  if (Result < N)
    std::move_backward(Value.begin() + Result, Value.begin() + N, Value.begin() + N + 1);
  Value[Result] = V;
  FCount = N + 1;
  SetModified(true);
  return Result;
}

void TChartValueList::ClearValues()
{
  FCount = 0;
  TChartValues().swap(Value);
  FModified = true;
}

void TChartValueList::InsertChartValue(int32_t ValueIndex, double AValue)
{
  CheckIndex(ValueIndex, FCount + 1);
  if (FCount == static_cast<int32_t>(Value.size()))
    Grow();
  std::move_backward(Value.begin() + ValueIndex, Value.begin() + FCount, Value.begin() + FCount + 1);
  Value[ValueIndex] = AValue;
  ++FCount;
  SetModified(true);
}

void TChartValueList::Delete(int32_t ValueIndex) { Delete(ValueIndex, 1); }

void TChartValueList::Delete(int32_t Start, int32_t Quantity)
{
  if (Start < 0 || Quantity < 0)
    RaiseIndex(Start < 0 ? Start : Quantity);
  if (static_cast<int64_t>(Start) + Quantity - 1 >= FCount)
    throw EAssertionFailed(QStringLiteral("Quantity of data to delete must be less than Count."));
  std::move(Value.begin() + Start + Quantity, Value.begin() + FCount, Value.begin() + Start);
  FCount -= Quantity;
  SetModified(true);
}

int32_t TChartValueList::Count() const
{
  if (FCount > static_cast<int32_t>(Value.size()))
    throw EAssertionFailed(
        QStringLiteral("ValueList Count (%1) greater than array length (%2).").arg(FCount).arg(Value.size()));
  return FCount;
}

void TChartValueList::SetCount(int32_t AValue)
{
  if (AValue < 0)
    RaiseIndex(AValue);
  FCount = AValue;
}

double TChartValueList::GetValue(int32_t Index) const
{
  CheckIndex(Index, FCount);
  return Value[Index];
}

void TChartValueList::SetValue(int32_t Index, double AValue)
{
  CheckIndex(Index, FCount);
  Value[Index] = AValue;
  FModified = true;
  if (FOwner)
    FOwner->NotifyValue(veModify, Index);
}

double TChartValueList::First() const { return GetValue(0); }

double TChartValueList::Last() const { return GetValue(FCount - 1); }

int32_t TChartValueList::Locate(double AValue) const { return Locate(AValue, 0, FCount - 1); }

int32_t TChartValueList::Locate(double AValue, int32_t FirstIndex, int32_t LastIndex) const
{
  // A range beyond the values searches the values it covers.
  FirstIndex = std::max(FirstIndex, 0);
  LastIndex = std::min(LastIndex, FCount - 1);
  for (int32_t I = FirstIndex; I <= LastIndex; ++I)
    if (Value[I] == AValue)
      return I;
  return -1;
}

double TChartValueList::Stat(const double& Field)
{
  if (FModified)
    RecalcStats();
  return Field;
}

double TChartValueList::MaxValue() { return Stat(FMaxValue); }
double TChartValueList::MinValue() { return Stat(FMinValue); }
double TChartValueList::Total() { return Stat(FTotal); }
double TChartValueList::TotalABS() { return Stat(FTotalABS); }

double TChartValueList::Range()
{
  if (FModified)
    RecalcStats();
  return FMaxValue - FMinValue;
}

void TChartValueList::RecalcStats() { RecalcStats(0); }

void TChartValueList::RecalcStats(int32_t StartIndex)
{
  if (FCount <= 0) {
    RecalcStats(0, 0, 0, 0);
    return;
  }
  int32_t From = StartIndex;
  if (StartIndex <= 0) {
    FMinValue = FMaxValue = FTotal = Value[0];
    FTotalABS = std::fabs(Value[0]);
    From = 1;
  }
  for (int32_t I = From; I < FCount; ++I) {
    const double X = Value[I];
    if (X < FMinValue)
      FMinValue = X;
    else if (X > FMaxValue)
      FMaxValue = X;
    FTotal += X;
    FTotalABS += std::fabs(X);
  }
  FModified = false;
}

void TChartValueList::RecalcStats(double AMin, double AMax, double ATotal, double ATotalABS)
{
  FMinValue = AMin;
  FMaxValue = AMax;
  FTotal = ATotal;
  FTotalABS = ATotalABS;
  FModified = false;
}

void TChartValueList::Exchange(int32_t Index1, int32_t Index2)
{
  CheckIndex(Index1, FCount);
  CheckIndex(Index2, FCount);
  std::swap(Value[Index1], Value[Index2]);
  FModified = true;
  if (FOwner)
    FOwner->NotifyValue(veModify, Index1);
}

void TChartValueList::FillSequence()
{
  for (int32_t I = 0; I < FCount; ++I)
    Value[I] = I;
  FModified = true;
  if (FOwner)
    FOwner->NotifyValue(veModify, 0);
}

void TChartValueList::Scroll()
{
  if (FCount > 0)
    std::rotate(Value.begin(), Value.begin() + 1, Value.begin() + FCount);
}

int32_t TChartValueList::CompareValueIndex(int32_t A, int32_t B) const
{
  const double X = Value[A];
  const double Y = Value[B];
  int32_t Result = 0;
  // NaN compares equal to everything under < and >, which would make
  // "equal" intransitive; it sorts after every number instead, in both
  // orders.
  const bool XNaN = std::isnan(X), YNaN = std::isnan(Y);
  if (XNaN || YNaN) {
    if (XNaN != YNaN)
      return XNaN ? 1 : -1;
  } else if (X < Y)
    Result = -1;
  else if (X > Y)
    Result = 1;
  if (Result != 0)
    return FOrder == loDescending ? -Result : Result;
  // Equal values keep their places: the earlier one sorts first.
  return A < B ? -1 : 0;
}

void TChartValueList::Sort()
{
  if (FOrder == loNone || FCount < 2)
    return;
  ZuzSort(
      0, FCount - 1, [this](int32_t A, int32_t B) { return CompareValueIndex(A, B); },
      [this](int32_t A, int32_t B) {
        if (FOwner)
          FOwner->SwapValueIndex(A, B);
        else
          std::swap(Value[A], Value[B]);
      });
  FModified = true;
}

String TChartValueList::ValueToString(int32_t Index) const { return FloatToStr(GetValue(Index)); }

void TChartValueList::SetDateTime(bool AValue)
{
  if (FOwner)
    FOwner->SetBooleanProperty(FDateTime, AValue);
  else
    FDateTime = AValue;
}

void TChartValueList::InitDateTime(bool AValue)
{
  FDateTime = AValue;
  IDefDateTime = AValue;
}

void TChartValueList::SetValueSource(const String& AValue)
{
  if (FValueSource == AValue)
    return;
  FValueSource = AValue;
  if (FOwner)
    FOwner->CheckDataSource();
}

void TChartValueList::SetModified(bool AValue)
{
  if (AValue == FModified)
    return;
  FModified = AValue;
  if (AValue && FOwner)
    FOwner->ValueListModified();
}

// ---------------------------------------------------------------------------

TChartValueLists::~TChartValueLists() { Clear(); }

TChartValueList* TChartValueLists::Get(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    RaiseIndex(Index);
  return FItems[Index];
}

void TChartValueLists::Add(TChartValueList* List) { FItems.push_back(List); }

int32_t TChartValueLists::IndexOf(const TChartValueList* List) const
{
  const auto It = std::find(FItems.begin(), FItems.end(), List);
  return It == FItems.end() ? -1 : static_cast<int32_t>(It - FItems.begin());
}

void TChartValueLists::Extract(TChartValueList* List)
{
  const auto It = std::find(FItems.begin(), FItems.end(), List);
  if (It != FItems.end())
    FItems.erase(It);
}

void TChartValueLists::Insert(int32_t Index, TChartValueList* List)
{
  Index = std::clamp(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, List);
}

void TChartValueLists::Clear()
{
  std::vector<TChartValueList*> Items;
  Items.swap(FItems);
  for (TChartValueList* L : Items)
    delete L;
}
