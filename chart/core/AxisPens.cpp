#include "chart/core/AxisPens.h"

#include "chart/canvas/Geometry.h"
#include "platform/Published.h"

namespace {
const TEnumInfo PenLineModeInfo("TPenLineMode", {"lmLine", "lmCylinder", "lmRectangle"});
const TEnumInfo AxisPenEndStyleInfo("TPenEndStyle", {"esRound", "esSquare", "esFlat"});

[[maybe_unused]] const TClassInfo& AxisPenClass = PublishClass<TChartAxisPen>(
    "TChartAxisPen", "TZuzPen",
    {
        PropEnum("EndStyle", &TChartAxisPen::EndStyle, &TChartAxisPen::SetEndStyle, AxisPenEndStyleInfo, esFlat),
        PropEnum("LineMode", &TChartAxisPen::LineMode, &TChartAxisPen::SetLineMode, PenLineModeInfo, lmLine),
        PropInt("Width", &TChartAxisPen::Width, &TChartAxisPen::SetWidth, 2),
    });
[[maybe_unused]] const TClassInfo& TicksClass = PublishClass<TTicks>("TTicks", "TDarkGrayPen");
[[maybe_unused]] const TClassInfo& GridPenClass = PublishClass<TAxisGridPen>(
    "TAxisGridPen", "TZuzPen",
    {
        PropBool("DrawAlways", &TAxisGridPen::DrawAlways, &TAxisGridPen::SetDrawAlways, false),
        PropColor("Color", &TAxisGridPen::Color, &TAxisGridPen::SetColor, clSilver),
        PropInt("DrawEvery", &TAxisGridPen::DrawEvery, &TAxisGridPen::SetDrawEvery, 1),
        PropInt("Width", &TAxisGridPen::Width, &TAxisGridPen::SetWidth, 1),
        PropFloat("ZPosition", &TAxisGridPen::ZPosition, &TAxisGridPen::SetZPosition).Stored(&TAxisGridPen::IsZStored),
    });
} // namespace

TChartAxisPen::TChartAxisPen(TNotifyEvent OnChangeEvent)
{
  // Set before the handler is attached: the owner is still being built.
  SetWidth(2);
  DefaultWidth = 2;
  InitEndStyle(esFlat);
  OnChange = std::move(OnChangeEvent);
}

String TChartAxisPen::ClassName() const { return QStringLiteral("TChartAxisPen"); }

void TChartAxisPen::Assign(TPersistent* Source)
{
  if (auto* P = dynamic_cast<TChartAxisPen*>(Source))
    FLineMode = P->FLineMode;
  TZuzPen::Assign(Source);
}

void TChartAxisPen::SetLineMode(TPenLineMode Value)
{
  if (FLineMode == Value)
    return;
  FLineMode = Value;
  Changed();
}

TTicks::TTicks(TNotifyEvent OnChangeEvent) : TDarkGrayPen(std::move(OnChangeEvent)) {}

String TTicks::ClassName() const { return QStringLiteral("TTicks"); }

TAxisGridPen::TAxisGridPen(TNotifyEvent OnChangeEvent)
{
  InitColor(clSilver);
  OnChange = std::move(OnChangeEvent);
}

String TAxisGridPen::ClassName() const { return QStringLiteral("TAxisGridPen"); }

void TAxisGridPen::Assign(TPersistent* Source)
{
  if (auto* G = dynamic_cast<TAxisGridPen*>(Source)) {
    FCentered = G->FCentered;
    FDrawAlways = G->FDrawAlways;
    FDrawEvery = G->FDrawEvery;
    FZ = G->FZ;
  }
  TZuzPen::Assign(Source);
}

void TAxisGridPen::DefineProperties(TFiler* Filer)
{
  TZuzPen::DefineProperties(Filer);
  DefineZero(Filer, "ZZero", IDefaultZ != 0 && FZ == 0, [this](bool V) {
    if (V)
      FZ = 0;
  });
}

void TAxisGridPen::Notify() { Changed(); }

void TAxisGridPen::SetCentered(bool Value)
{
  if (FCentered != Value) {
    FCentered = Value;
    Notify();
  }
}

void TAxisGridPen::SetDrawAlways(bool Value)
{
  if (FDrawAlways != Value) {
    FDrawAlways = Value;
    Notify();
  }
}

void TAxisGridPen::SetDrawEvery(int32_t Value)
{
  if (FDrawEvery != Value) {
    FDrawEvery = Value;
    Notify();
  }
}

void TAxisGridPen::SetZPosition(double Value)
{
  if (FZ != Value) {
    FZ = Value;
    Notify();
  }
}
