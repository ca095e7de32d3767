#include "chart/canvas/FloatXY.h"

#include "platform/Published.h"

namespace {
[[maybe_unused]] const TClassInfo& FloatXYClass =
    PublishClass<TFloatXY>("TFloatXY", "TPersistent",
                           {
                               PropFloat("X", &TFloatXY::X, &TFloatXY::SetX).Stored(&TFloatXY::IsXStored),
                               PropFloat("Y", &TFloatXY::Y, &TFloatXY::SetY).Stored(&TFloatXY::IsYStored),
                           });
[[maybe_unused]] const TClassInfo& FloatXYZClass = PublishClass<TFloatXYZ>(
    "TFloatXYZ", "TFloatXY", {PropFloat("Z", &TFloatXYZ::Z, &TFloatXYZ::SetZ).Stored(&TFloatXYZ::IsZStored)});
} // namespace

TFloatXY::TFloatXY(TNotifyEvent AOnChange) : FOnChange(std::move(AOnChange)) {}
TFloatXY::~TFloatXY() = default;
String TFloatXY::ClassName() const { return QStringLiteral("TFloatXY"); }

void TFloatXY::Changed()
{
  if (FOnChange)
    FOnChange(this);
}

void TFloatXY::SetX(float Value)
{
  if (FX == Value)
    return;
  FX = Value;
  Changed();
}

void TFloatXY::SetY(float Value)
{
  if (FY == Value)
    return;
  FY = Value;
  Changed();
}

void TFloatXY::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TFloatXY*>(Source)) {
    FX = S->FX;
    FY = S->FY;
    return;
  }
  TPersistent::Assign(Source);
}

TFloatXYZ::TFloatXYZ(TNotifyEvent AOnChange) : TFloatXY(std::move(AOnChange)) {}
String TFloatXYZ::ClassName() const { return QStringLiteral("TFloatXYZ"); }

void TFloatXYZ::SetZ(float Value)
{
  if (FZ == Value)
    return;
  FZ = Value;
  Changed();
}

void TFloatXYZ::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TFloatXYZ*>(Source))
    FZ = S->FZ;
  TFloatXY::Assign(Source);
}
