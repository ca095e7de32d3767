#include "chart/core/SeriesList.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/CustomAxisPanel.h"
#include "platform/Filer.h"
#include "platform/Published.h"
#include "rtl/Numbers.h"
#include "rtl/StringList.h"

#include <algorithm>

namespace {
const TEnumInfo GroupActiveInfo("TSeriesGroupActive", {"gaYes", "gaNo", "gaSome"});

[[maybe_unused]] const TClassInfo& GroupClass = PublishClass<TSeriesGroup>(
    "TSeriesGroup", "TCollectionItem",
    {
        PropEnum("Active", &TSeriesGroup::Active, &TSeriesGroup::SetActive, GroupActiveInfo, gaYes),
        PropStr("Name", &TSeriesGroup::GroupName, &TSeriesGroup::SetGroupName),
    });
[[maybe_unused]] const TClassInfo& GroupsClass = PublishClass<TSeriesGroups>("TSeriesGroups", "TOwnedCollection");

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

TSeriesGroup::TSeriesGroup(TCollection* ACollection) : TCollectionItem(ACollection)
{
  auto* Groups = dynamic_cast<TSeriesGroups*>(ACollection);
  FSeries = std::make_unique<TCustomSeriesList>(Groups ? Groups->Chart() : nullptr);
  Name = QStringLiteral("Group%1").arg(ACollection ? ACollection->Count() : 1);
}

TSeriesGroup::~TSeriesGroup() = default;

String TSeriesGroup::ClassName() const { return QStringLiteral("TSeriesGroup"); }

void TSeriesGroup::Assign(TPersistent* Source)
{
  if (auto* G = dynamic_cast<TSeriesGroup*>(Source)) {
    Name = G->Name;
    SetSeries(*G->FSeries);
    return;
  }
  TCollectionItem::Assign(Source);
}

void TSeriesGroup::SetSeries(const TCustomSeriesList& Value)
{
  if (&Value == FSeries.get())
    return;
  FSeries->Clear();
  for (TChartSeries* S : Value)
    FSeries->Add(S);
}

void TSeriesGroup::DefineProperties(TFiler* Filer)
{
  TCollectionItem::DefineProperties(Filer);
  Filer->DefineProperty(
      QStringLiteral("Series"),
      [this](TReader& R) {
        R.ReadListBegin();
        auto Names = std::make_unique<TStringList>();
        while (!R.EndOfList())
          Names->Add(R.ReadString());
        R.ReadListEnd();
        TempSeries = std::move(Names);
      },
      [this](TWriter& W) {
        TCustomAxisPanel* Chart = FSeries->Owner();
        W.WriteListBegin();
        for (TChartSeries* S : *FSeries)
          W.WriteString(IntToStr(Chart ? Chart->IndexOfSeries(S) : -1));
        W.WriteListEnd();
      },
      FSeries->Count() > 0);
}

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
  if (Value == gaSome || Value == Active())
    return;
  for (TChartSeries* S : *FSeries)
    S->SetActive(Value == gaYes);
}

TSeriesGroups::TSeriesGroups(TPersistent* AOwner) : TOwnedCollection(AOwner, ClassInfoFor<TSeriesGroup>()) {}

TSeriesGroups::~TSeriesGroups() = default;

String TSeriesGroups::ClassName() const { return QStringLiteral("TSeriesGroups"); }

TCustomAxisPanel* TSeriesGroups::Chart() const { return dynamic_cast<TCustomAxisPanel*>(Owner()); }

TSeriesGroup* TSeriesGroups::Items(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    RaiseIndex(Index);
  return static_cast<TSeriesGroup*>(TOwnedCollection::Items(Index));
}

TSeriesGroup* TSeriesGroups::Add() { return static_cast<TSeriesGroup*>(TOwnedCollection::Add()); }

TSeriesGroup* TSeriesGroups::Add(const String& Name)
{
  TSeriesGroup* G = Add();
  G->Name = Name;
  return G;
}

void TSeriesGroups::Assign(const TSeriesGroups& Source)
{
  if (&Source != this)
    TOwnedCollection::Assign(const_cast<TSeriesGroups*>(&Source));
}

int32_t TSeriesGroups::Contains(const TChartSeries* Series) const
{
  for (int32_t I = 0; I < Count(); ++I)
    if (Items(I)->Series().IndexOf(Series) >= 0)
      return I;
  return -1;
}

TSeriesGroup* TSeriesGroups::FindByName(const String& Name, bool CaseSensitive) const
{
  for (int32_t I = 0; I < Count(); ++I) {
    TSeriesGroup* G = Items(I);
    if (CaseSensitive ? G->Name == Name : G->Name.toUpper() == Name.toUpper())
      return G;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------

TChartSeriesList::TChartSeriesList(TCustomAxisPanel* AOwner)
    : TCustomSeriesList(AOwner), FGroups(std::make_unique<TSeriesGroups>(AOwner))
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
