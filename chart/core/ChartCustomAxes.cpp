#include "chart/core/ChartCustomAxes.h"

#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxis.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"

namespace {
[[maybe_unused]] const TClassInfo& CustomAxesClass =
    PublishClass<TChartCustomAxes>("TChartCustomAxes", "TOwnedCollection");
} // namespace

TChartCustomAxes::TChartCustomAxes(TPersistent* AOwner) : TOwnedCollection(AOwner, ClassInfoFor<TChartAxis>()) {}

String TChartCustomAxes::ClassName() const { return QStringLiteral("TChartCustomAxes"); }

TChartAxis* TChartCustomAxes::Add()
{
  auto* A = static_cast<TChartAxis*>(TCollection::Add());
  if (auto* Master = dynamic_cast<TChartAxis*>(Owner())) {
    A->SetMasterAxis(Master);
    A->SetHorizontal(Master->Horizontal());
    A->SetOtherSide(Master->OtherSide());
    A->Grid()->SetVisible(false);
    A->SetCalcPosValue();
  }
  return A;
}

TChartAxis* TChartCustomAxes::Get(int32_t Index) const { return static_cast<TChartAxis*>(Items(Index)); }

void TChartCustomAxes::Put(int32_t Index, TChartAxis* Value) { Get(Index)->Assign(Value); }

void TChartCustomAxes::ResetScales(TChartAxis* Axis)
{
  for (int32_t I = 0; I < Count(); ++I) {
    TChartAxis* A = Get(I);
    if (A->MasterAxis() == Axis)
      A->SetMinMax(Axis->Minimum(), Axis->Maximum());
  }
}
