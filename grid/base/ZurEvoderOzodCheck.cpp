#include "grid/base/ZurEvoderOzodCheck.h"

#include "platform/Published.h"

namespace {

using C = TZurEvoderOzodCheck;
[[maybe_unused]] const TClassInfo& CheckClass =
    PublishClass<C>("TZurEvoderOzodCheck", "TComponent",
                    {
                        PropBool("AutoCorrect", &C::AutoCorrect, &C::SetAutoCorrect, false),
                        PropBool("AutoMarkError", &C::AutoMarkError, &C::SetAutoMarkError, false),
                        PropBool("GotoCell", &C::GotoCell, &C::SetGotoCell, false),
                        PropBool("UseCorrect", &C::UseCorrect, &C::SetUseCorrect, false),
                        PropBool("UseMarkError", &C::UseMarkError, &C::SetUseMarkError, false),
                    });

} // namespace

TZurEvoderOzodCheck::TZurEvoderOzodCheck(TComponent* AOwner) : TComponent(AOwner) {}

TZurEvoderOzodCheck::~TZurEvoderOzodCheck() = default;

String TZurEvoderOzodCheck::ClassName() const { return QStringLiteral("TZurEvoderOzodCheck"); }

void TZurEvoderOzodCheck::MarkError(int32_t, int32_t, String& Result, const String& Value)
{
  Result = Value;
  FLastResult = mrOk;
}

void TZurEvoderOzodCheck::Correct(int32_t, int32_t, String& Result, const String& Value)
{
  Result = Value;
  FLastResult = mrOk;
}

void TZurEvoderOzodCheck::StartCheck() {}

void TZurEvoderOzodCheck::StopCheck() {}

void TZurEvoderOzodCheck::SetGrid(TComponent* Value)
{
  if (FGrid == Value)
    return;
  if (FGrid)
    FGrid->RemoveFreeNotification(this);
  FGrid = Value;
  if (FGrid)
    FGrid->FreeNotification(this);
}

void TZurEvoderOzodCheck::Notification(TComponent* AComponent, TOperation Operation)
{
  if (Operation == opRemove && AComponent == FGrid)
    FGrid = nullptr;
  TComponent::Notification(AComponent, Operation);
}
