#include "chart/core/ChartAxes.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/CustomAxisPanel.h"
#include "rtl/Exceptions.h"

#include <algorithm>

TChartAxis* TChartAxes::Get(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FItems[Index];
}

int32_t TChartAxes::IndexOf(const TChartAxis* Axis) const
{
  const auto It = std::find(FItems.begin(), FItems.end(), Axis);
  return It == FItems.end() ? -1 : static_cast<int32_t>(It - FItems.begin());
}

void TChartAxes::Add(TChartAxis* Axis) { FItems.push_back(Axis); }

void TChartAxes::Remove(const TChartAxis* Axis)
{
  const auto It = std::find(FItems.begin(), FItems.end(), Axis);
  if (It != FItems.end())
    FItems.erase(It);
}

void TChartAxes::Clear()
{
  // Each axis leaves this list (and its collection, if any) when freed.
  while (!FItems.empty())
    delete FItems.back();
}

void TChartAxes::SetFastCalc(bool Value)
{
  IFastCalc = Value;
  for (TChartAxis* A : FItems)
    A->SetCalcPosValue();
}

bool TChartAxes::Automatic() const
{
  return std::all_of(FItems.begin(), FItems.end(), [](const TChartAxis* A) { return A->Automatic(); });
}

void TChartAxes::SetAutomatic(bool Value)
{
  for (TChartAxis* A : FItems)
    A->SetAutomatic(Value);
}

TChartAxis* TChartAxes::Clicked(int32_t X, int32_t Y) const
{
  for (TChartAxis* A : FItems)
    if (A->Visible() && A->Clicked(X, Y))
      return A;
  return nullptr;
}

bool TChartAxes::Visible() const { return FChart->AxisVisible(); }
void TChartAxes::SetVisible(bool Value) { FChart->SetAxisVisible(Value); }
bool TChartAxes::Behind() const { return FChart->AxisBehind(); }
void TChartAxes::SetBehind(bool Value) { FChart->SetAxisBehind(Value); }
TChartAxis* TChartAxes::Left() const { return FChart->LeftAxis(); }
TChartAxis* TChartAxes::Top() const { return FChart->TopAxis(); }
TChartAxis* TChartAxes::Right() const { return FChart->RightAxis(); }
TChartAxis* TChartAxes::Bottom() const { return FChart->BottomAxis(); }
TChartAxis* TChartAxes::Depth() const { return FChart->DepthAxis(); }
TChartAxis* TChartAxes::DepthTop() const { return FChart->DepthTopAxis(); }
