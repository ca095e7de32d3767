#include "chart/core/ZuzPanning.h"

#include "platform/CanvasMath.h"
#include "platform/Published.h"

#include <cmath>
#include <cstdlib>
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
const TEnumInfo ZoomDirectionInfo("TZuzZoomDirection", {"tzdHorizontal", "tzdVertical", "tzdBoth"});
const TEnumInfo MouseButtonInfo("TMouseButton", {"mbLeft", "mbRight", "mbMiddle"});
const TEnumInfo ShiftStateInfo("TShiftState",
                               {"ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble"});

using Z = TZuzZoom;
[[maybe_unused]] const TClassInfo& ZoomPenClass = PublishClass<TZuzZoomPen>("TZuzZoomPen", "TZuzPen");
[[maybe_unused]] const TClassInfo& ZoomBrushClass = PublishClass<TZuzZoomBrush>("TZuzZoomBrush", "TZuzBrush");
[[maybe_unused]] const TClassInfo& ZoomClass =
    PublishClass<Z>("TZuzZoom", "TZoomPanning",
                    {
                        PropBool("Allow", &Z::Allow, &Z::SetAllow, true),
                        PropBool("Animated", &Z::Animated, &Z::SetAnimated, false),
                        PropInt("AnimatedSteps", &Z::AnimatedSteps, &Z::SetAnimatedSteps, 8),
                        PropObj("Brush", &Z::Brush, &Z::SetBrush).Stored(&Z::HasBrush),
                        PropEnum("Direction", &Z::Direction, &Z::SetDirection, ZoomDirectionInfo, tzdBoth),
                        PropBool("FullRepaint", &Z::FullRepaint, &Z::SetFullRepaint, false),
                        PropBool("History", &Z::History, &Z::SetHistory, false),
                        PropBool("KeepAspectRatio", &Z::KeepAspectRatio, &Z::SetKeepAspectRatio, false),
                        PropSet("KeyShift", &Z::KeyShift, &Z::SetKeyShift, ShiftStateInfo, 0),
                        PropInt("MinimumPixels", &Z::MinimumPixels, &Z::SetMinimumPixels, 16),
                        PropEnum("MouseButton", &Z::MouseButton, &Z::SetMouseButton, MouseButtonInfo, mbLeft),
                        PropEnum("MouseWheel", &Z::MouseWheel, &Z::SetMouseWheel, MouseWheelStyleInfo, pmwNone),
                        PropObj("Pen", &Z::Pen, &Z::SetPen).Stored(&Z::HasPen),
                        PropBool("UpLeftZooms", &Z::UpLeftZooms, &Z::SetUpLeftZooms, false),
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

// ---------------------------------------------------------------------------

TZuzZoomPen::TZuzZoomPen(TNotifyEvent AChanged)
{
  InitColor(clSilver);
  SetWidth(3);
  DefaultWidth = 3;
  InitEndStyle(esFlat);
  OnChange = std::move(AChanged);
}

String TZuzZoomPen::ClassName() const { return QStringLiteral("TZuzZoomPen"); }

TZuzZoomBrush::TZuzZoomBrush(TNotifyEvent AChanged)
{
  InitColor(clWhite);
  SetStyle(bsClear);
  OnChange = std::move(AChanged);
}

String TZuzZoomBrush::ClassName() const { return QStringLiteral("TZuzZoomBrush"); }

TZuzZoom::TZuzZoom(TNotifyEvent AChanged) : FChanged(std::move(AChanged)) {}

TZuzZoom::~TZuzZoom() = default;

String TZuzZoom::ClassName() const { return QStringLiteral("TZuzZoom"); }

void TZuzZoom::Assign(TPersistent* Source)
{
  auto* Z = dynamic_cast<TZuzZoom*>(Source);
  if (!Z)
    return;
  FAllow = Z->FAllow;
  FAnimated = Z->FAnimated;
  FAnimatedSteps = Z->FAnimatedSteps;
  SetBrush(Z->FBrush.get());
  FDirection = Z->FDirection;
  FFullRepaint = Z->FFullRepaint;
  FHistory = Z->FHistory;
  FKeepAspectRatio = Z->FKeepAspectRatio;
  FKeyShift = Z->FKeyShift;
  FMouseButton = Z->FMouseButton;
  SetPen(Z->FPen.get());
}

TZuzZoomBrush* TZuzZoom::Brush()
{
  if (!FBrush)
    FBrush = std::make_unique<TZuzZoomBrush>(FChanged);
  return FBrush.get();
}

void TZuzZoom::SetBrush(TZuzZoomBrush* Value)
{
  if (!Value)
    FBrush.reset();
  else
    Brush()->Assign(Value);
}

TZuzZoomPen* TZuzZoom::Pen()
{
  if (!FPen)
    FPen = std::make_unique<TZuzZoomPen>(FChanged);
  return FPen.get();
}

void TZuzZoom::SetPen(TZuzZoomPen* Value)
{
  if (!Value)
    FPen.reset();
  else
    Pen()->Assign(Value);
}

void TZuzZoom::SetHistory(bool Value)
{
  FHistory = Value;
  if (!Value && FAxesHistory)
    FAxesHistory->clear();
}

std::vector<TZoomSnapshot>& TZuzZoom::AxesHistory()
{
  if (!FAxesHistory)
    FAxesHistory = std::make_unique<std::vector<TZoomSnapshot>>();
  return *FAxesHistory;
}

void TZuzZoom::CorrectAspectRatio(const TRect& R, int32_t X, int32_t Y)
{
  const float Ratio = R.Height() == 0 ? 1.0f : float(R.Width()) / float(R.Height());
  const float Drag = Y == Y0 ? 1.0f : float(std::abs(X - X0)) / float(std::abs(Y - Y0));
  if (Drag >= Ratio) {
    Y1 = Y0 + PixelRound(double((X - X0) / Ratio));
    X1 = X0 + PixelRound(double((Y1 - Y0) * Ratio));
  } else {
    X1 = X0 + PixelRound(double((Y - Y0) * Ratio));
    Y1 = Y0 + PixelRound(double((X1 - X0) / Ratio));
  }
}
