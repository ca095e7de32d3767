#include "chart/series/MyPointSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartAxis.h"
#include "platform/Published.h"

namespace {
using M = TMyPointSeries;
[[maybe_unused]] const TClassInfo& MyPointClass =
    PublishClass<M>("TMyPointSeries", "TPointSeries", {PropObj("LinesPen", &M::LinesPen, &M::SetLinesPen)});
} // namespace

TMyPointSeries::TMyPointSeries(TComponent* AOwner) : TPointSeries(AOwner), FLinesPen(CreateChartPen()) {}

TMyPointSeries::~TMyPointSeries() = default;

String TMyPointSeries::ClassName() const { return QStringLiteral("TMyPointSeries"); }

void TMyPointSeries::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TMyPointSeries*>(Source))
    FLinesPen->Assign(S->FLinesPen.get());
  TPointSeries::Assign(Source);
}

void TMyPointSeries::SetLinesPen(TZuzPen* Value) { FLinesPen->Assign(Value); }

void TMyPointSeries::DrawValue(int32_t ValueIndex)
{
  TChartAxis* Vert = GetVertAxis();
  TChartAxis* Horiz = GetHorizAxis();
  if (FLinesPen->Visible() && Vert && Horiz) {
    TCanvas3D* C = Canvas();
    const int32_t X = CalcXPos(ValueIndex);
    const int32_t Y = CalcYPos(ValueIndex);
    C->AssignVisiblePen(FLinesPen.get());
    C->Line(Vert->PosAxis(), Y, X, Y);
    C->Line(X, Y, X, Horiz->PosAxis());
  }
  TPointSeries::DrawValue(ValueIndex);
}
