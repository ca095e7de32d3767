#include "chart/core/SeriesList.h"

#include "chart/core/ChartSeries.h"
#include "rtl/StringList.h"

#include <algorithm>

namespace {
[[noreturn]] void RaiseIndex(int32_t Index)
{
  throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}
} // namespace

TCustomSeriesList::TCustomSeriesList(TCustomAxisPanel* AOwner) : FOwner(AOwner) {}

TCustomSeriesList::~TCustomSeriesList() = default;

String TCustomSeriesList::ClassName() const { return QStringLiteral("TCustomSeriesList"); }

TChartSeries* TCustomSeriesList::Items(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    RaiseIndex(Index);
  return FItems[static_cast<size_t>(Index)];
}

TChartSeries* TCustomSeriesList::First() const { return Items(0); }

TChartSeries* TCustomSeriesList::Last() const { return Items(Count() - 1); }

int32_t TCustomSeriesList::IndexOf(const TChartSeries* Series) const
{
  const auto It = std::find(FItems.begin(), FItems.end(), Series);
  return It == FItems.end() ? -1 : static_cast<int32_t>(It - FItems.begin());
}

void TCustomSeriesList::Add(TChartSeries* Series) { FItems.push_back(Series); }

void TCustomSeriesList::Insert(int32_t Index, TChartSeries* Series)
{
  if (Index < 0 || Index > Count())
    RaiseIndex(Index);
  FItems.insert(FItems.begin() + Index, Series);
}

void TCustomSeriesList::Extract(TChartSeries* Series)
{
  const int32_t I = IndexOf(Series);
  if (I >= 0)
    FItems.erase(FItems.begin() + I);
}

void TCustomSeriesList::Delete(int32_t Index)
{
  Items(Index);
  FItems.erase(FItems.begin() + Index);
}

void TCustomSeriesList::Exchange(int32_t A, int32_t B)
{
  Items(A);
  Items(B);
  std::swap(FItems[static_cast<size_t>(A)], FItems[static_cast<size_t>(B)]);
}

void TCustomSeriesList::ClearValues()
{
  for (TChartSeries* S : std::vector<TChartSeries*>(FItems))
    S->Clear();
}

// ---------------------------------------------------------------------------

TSeriesGroup::TSeriesGroup() : FSeries(std::make_unique<TCustomSeriesList>()) {}

TSeriesGroup::~TSeriesGroup() = default;

String TSeriesGroup::ClassName() const { return QStringLiteral("TSeriesGroup"); }

TSeriesGroupActive TSeriesGroup::Active() const
{
  bool AnyOn = false, AnyOff = false;
  for (const TChartSeries* S : *FSeries)
    (S->Active() ? AnyOn : AnyOff) = true;
  if (!AnyOff)
    return gaYes;
  return AnyOn ? gaSome : gaNo;
}

void TSeriesGroup::SetActive(TSeriesGroupActive Value)
{
  if (Value == gaSome)
    return;
  for (TChartSeries* S : *FSeries)
    S->SetActive(Value == gaYes);
}

TSeriesGroups::TSeriesGroups() = default;

TSeriesGroups::~TSeriesGroups() = default;

String TSeriesGroups::ClassName() const { return QStringLiteral("TSeriesGroups"); }

TSeriesGroup* TSeriesGroups::Items(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    RaiseIndex(Index);
  return FItems[static_cast<size_t>(Index)].get();
}

TSeriesGroup* TSeriesGroups::Add(const String& Name)
{
  FItems.push_back(std::make_unique<TSeriesGroup>());
  FItems.back()->Name = Name;
  return FItems.back().get();
}

void TSeriesGroups::Assign(const TSeriesGroups& Source)
{
  if (&Source == this)
    return;
  FItems.clear();
  for (const auto& G : Source.FItems) {
    TSeriesGroup* New = Add(G->Name);
    for (TChartSeries* S : G->Series())
      New->Series().Add(S);
  }
}

// ---------------------------------------------------------------------------

TChartSeriesList::TChartSeriesList(TCustomAxisPanel* AOwner)
    : TCustomSeriesList(AOwner), FGroups(std::make_unique<TSeriesGroups>())
{
}

TChartSeriesList::~TChartSeriesList() = default;

String TChartSeriesList::ClassName() const { return QStringLiteral("TChartSeriesList"); }

TChartSeries* TChartSeriesList::Find(const String& Name) const
{
  for (TChartSeries* S : FItems)
    if (S->Name() == Name)
      return S;
  return nullptr;
}

TChartSeries* TChartSeriesList::Clicked(int32_t X, int32_t Y, int32_t& ValueIndex) const
{
  for (auto It = FItems.rbegin(); It != FItems.rend(); ++It) {
    if (!(*It)->Active())
      continue;
    ValueIndex = (*It)->Clicked(X, Y);
    if (ValueIndex != -1)
      return *It;
  }
  ValueIndex = -1;
  return nullptr;
}

bool TChartSeriesList::AllActive() const
{
  return std::all_of(FItems.begin(), FItems.end(), [](const TChartSeries* S) { return S->Active(); });
}

void TChartSeriesList::SetAllActive(bool Value)
{
  for (TChartSeries* S : std::vector<TChartSeries*>(FItems))
    S->SetActive(Value);
}

TSeriesGroup* TChartSeriesList::AddGroup(const String& Name) { return FGroups->Add(Name); }

void TChartSeriesList::Assign(const TChartSeriesList& Source) { FGroups->Assign(*Source.FGroups); }
