#include "chart/core/ChartPage.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesList.h"
#include "chart/core/ZuzConst.h"
#include "platform/Published.h"

#include <algorithm>

namespace {
using P = TChartPage;
[[maybe_unused]] const TClassInfo& PageClass =
    PublishClass<P>("TChartPage", "TPersistent",
                    {
                        PropBool("AutoScale", &P::AutoScale, &P::SetAutoScale, false),
                        PropInt("Current", &P::Current, &P::SetCurrent, 1),
                        PropInt("MaxPointsPerPage", &P::MaxPointsPerPage, &P::SetPointsPerPage, 0),
                        PropBool("ScaleLastPage", &P::ScaleLastPage, &P::SetScaleLastPage, true),
                    });
} // namespace

String TChartChangePage::ClassName() const { return QStringLiteral("TChartChangePage"); }

TChartPage::TChartPage(TCustomAxisPanel* AParent) : IParent(AParent) {}

String TChartPage::ClassName() const { return QStringLiteral("TChartPage"); }

void TChartPage::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TChartPage*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FAutoScale = S->FAutoScale;
  FCurrent = S->FCurrent;
  FPointsPerPage = S->FPointsPerPage;
  FScaleLastPage = S->FScaleLastPage;
}

int32_t TChartPage::AxisPageCount(const TChartAxis* Axis) const
{
  int32_t N = 0;
  for (const TChartSeries* S : IParent->SeriesList())
    if (S->Active() && S->AssociatedToAxis(Axis))
      N = std::max(N, S->Count());
  if (N <= 0)
    return 1;
  return N / FPointsPerPage + (N % FPointsPerPage ? 1 : 0);
}

int32_t TChartPage::Count() const
{
  if (FPointsPerPage < 1 || IParent->SeriesCount() == 0)
    return 1;
  if (IParent->GetSeries(0)->YMandatory)
    return std::max(AxisPageCount(IParent->TopAxis()), AxisPageCount(IParent->BottomAxis()));
  return std::max(AxisPageCount(IParent->LeftAxis()), AxisPageCount(IParent->RightAxis()));
}

void TChartPage::SetCurrent(int32_t Value)
{
  const int32_t N = Count();
  if (Value > N)
    Value = N;
  if (Value <= 0)
    Value = 1;
  if (Value == FCurrent)
    return;
  IParent->SetIntegerProperty(FCurrent, Value);
  IParent->BroadcastZuzEventClass<TChartChangePage>();
  if (IParent->OnPageChange)
    IParent->OnPageChange(this);
}

void TChartPage::SetPointsPerPage(int32_t Value)
{
  if (Value < 0)
    throw ChartException(ZuzMsg_MaxPointsPerPage);
  IParent->SetIntegerProperty(FPointsPerPage, Value);
  const int32_t N = Count();
  if (N < FCurrent)
    SetCurrent(N);
  IParent->BroadcastZuzEventClass<TChartChangePage>();
}

void TChartPage::SetAutoScale(bool Value) { IParent->SetBooleanProperty(FAutoScale, Value); }

void TChartPage::SetScaleLastPage(bool Value) { IParent->SetBooleanProperty(FScaleLastPage, Value); }

void TChartPage::NextPage()
{
  if (FPointsPerPage > 0 && FCurrent < Count())
    SetCurrent(FCurrent + 1);
}

void TChartPage::PreviousPage()
{
  if (FPointsPerPage > 0 && FCurrent > 1)
    SetCurrent(FCurrent - 1);
}
