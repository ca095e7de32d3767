#include "chart/core/ZuzSeriesSource.h"

#include "chart/core/ChartSeries.h"
#include "platform/Published.h"

#include <memory>

namespace {
const TEnumInfo LoadModeInfo("TSourceLoadMode", {"lmClear", "lmAppend"});

using S = TZuzSeriesSource;
[[maybe_unused]] const TClassInfo& SourceClass =
    PublishClass<S>("TZuzSeriesSource", "TComponent",
                    {
                        PropBool("Active", &S::Active, &S::SetActive, false),
                        PropEnum("LoadMode", &S::LoadMode, &S::SetLoadMode, LoadModeInfo, lmClear),
                        PropObj("Series", &S::Series, &S::SetSeries),
                    });

std::unique_ptr<std::vector<const TClassInfo*>> Sources;
} // namespace

std::vector<const TClassInfo*>& ZuzSources()
{
  if (!Sources)
    Sources = std::make_unique<std::vector<const TClassInfo*>>();
  return *Sources;
}

void FreeZuzSources() { Sources.reset(); }

TZuzSeriesSource::TZuzSeriesSource(TComponent* AOwner) : TComponent(AOwner) {}

TZuzSeriesSource::~TZuzSeriesSource()
{
  IncludeState(csDestroying);
  FActive = false;
  if (FSeries && FSeries->DataSource() == this)
    FSeries->RemoveDataSource(this);
  FSeries = nullptr;
}

String TZuzSeriesSource::ClassName() const { return QStringLiteral("TZuzSeriesSource"); }

void TZuzSeriesSource::SetActive(bool Value)
{
  if (FActive == Value)
    return;
  FActive = Value;
  if (ComponentState() & csLoading)
    return;
  if (Value)
    Load();
  else if (FSeries && !(ComponentState() & csDestroying) && !(FSeries->ComponentState() & csDestroying) &&
           FLoadMode != lmAppend && !KeepDataOnClose)
    FSeries->Clear();
}

void TZuzSeriesSource::Close()
{
  if (!(ComponentState() & (csLoading | csDestroying)))
    SetActive(false);
}

void TZuzSeriesSource::Refresh()
{
  if (FActive && !(ComponentState() & csLoading))
    Load();
}

void TZuzSeriesSource::Loaded()
{
  TComponent::Loaded();
  Refresh();
}

void TZuzSeriesSource::SetSeries(TChartSeries* Value)
{
  if (FSeries == Value)
    return;
  Close();
  TChartSeries* Old = FSeries;
  if (Old) {
    Old->RemoveFreeNotification(this);
    if (Old->DataSource() == this)
      Old->RemoveDataSource(this);
  }
  FSeries = Value;
  if (Value) {
    Value->FreeNotification(this);
    if (Value->DataSource() != this)
      Value->SetDataSource(this);
  }
}

bool TZuzSeriesSource::HasSeries(TChartSeries* ASeries) const
{
  const TComponent* D = ASeries ? ASeries->DataSource() : nullptr;
  return D && D->ClassName() == ClassName();
}

void TZuzSeriesSource::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FSeries)
    FSeries = nullptr;
}
