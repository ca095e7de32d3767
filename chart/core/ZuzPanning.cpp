#include "chart/core/ZuzPanning.h"

#include "platform/Published.h"

#include <utility>

namespace {
const TEnumInfo MouseWheelStyleInfo("TMouseWheelStyle", {"pmwNormal", "pmwInverted", "pmwNone"});
[[maybe_unused]] const TClassInfo& ZoomPanningClass = PublishClass<TZoomPanning>("TZoomPanning", "TPersistent");
[[maybe_unused]] const TClassInfo& PanningClass = PublishClass<TZuzPanning>(
    "TZuzPanning", "TZoomPanning",
    {
        PropBool("InsideBounds", &TZuzPanning::InsideBounds, &TZuzPanning::SetInsideBounds, false),
        PropEnum("MouseWheel", &TZuzPanning::MouseWheel, &TZuzPanning::SetMouseWheel, MouseWheelStyleInfo, pmwNormal),
    });
} // namespace

String TZoomPanning::ClassName() const { return QStringLiteral("TZoomPanning"); }

void TZoomPanning::Activate(int32_t X, int32_t Y)
{
  X0 = X1 = X;
  Y0 = Y1 = Y;
  FActive = true;
}

void TZoomPanning::Check()
{
  if (X1 < X0)
    std::swap(X0, X1);
  if (Y1 < Y0)
    std::swap(Y0, Y1);
}

String TZuzPanning::ClassName() const { return QStringLiteral("TZuzPanning"); }

void TZuzPanning::Assign(TPersistent* Source)
{
  if (auto* P = dynamic_cast<TZuzPanning*>(Source)) {
    FInsideBounds = P->FInsideBounds;
    FMouseWheel = P->FMouseWheel;
    return;
  }
  TZoomPanning::Assign(Source);
}
