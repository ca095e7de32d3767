#include "chart/core/ZuzPictureComponent.h"

#include "chart/canvas/ZuzPicture.h"
#include "platform/Published.h"

namespace {
[[maybe_unused]] const TClassInfo& PictureComponentClass = PublishClass<TZuzPictureComponent>(
    "TZuzPictureComponent", "TComponent",
    {PropObj("Picture", &TZuzPictureComponent::Picture, &TZuzPictureComponent::SetPicture)});
} // namespace

TZuzPictureComponent::TZuzPictureComponent(TComponent* AOwner)
    : TComponent(AOwner), FPicture(std::make_unique<TZuzPicture>())
{
}

TZuzPictureComponent::TZuzPictureComponent(TComponent* AOwner, TZuzPicture* APicture)
    : TComponent(AOwner), FPicture(APicture)
{
}

TZuzPictureComponent::~TZuzPictureComponent() = default;

String TZuzPictureComponent::ClassName() const { return QStringLiteral("TZuzPictureComponent"); }

void TZuzPictureComponent::SetPicture(TZuzPicture* Value)
{
  if (!FPicture)
    FPicture = std::make_unique<TZuzPicture>();
  if (Value != FPicture.get())
    FPicture->Assign(Value);
}
