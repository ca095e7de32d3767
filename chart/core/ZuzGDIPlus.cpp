#include "chart/core/ZuzGDIPlus.h"
#include "chart/core/CustomZuzPanel.h"

#include "platform/Published.h"

namespace {
const TEnumInfo FontQualityInfo("TGDIPlusFontQuality", {"gpfBest", "gpfDefault", "gpfClearType", "gpfNormal"});

[[maybe_unused]] const TClassInfo& GDIPlusClass = PublishClass<TZuzGDIPlus>(
    "TZuzGDIPlus", "TComponent",
    {
        PropBool("Active", &TZuzGDIPlus::Active, &TZuzGDIPlus::SetActive, false),
        PropBool("Antialias", &TZuzGDIPlus::Antialias, &TZuzGDIPlus::SetAntialias, true),
        PropEnum("AntiAliasText", &TZuzGDIPlus::AntiAliasText, &TZuzGDIPlus::SetAntialiasText, FontQualityInfo,
                 gpfDefault),
        PropFloat("Scale", &TZuzGDIPlus::Scale, &TZuzGDIPlus::SetScale, 1.0).Stored(&TZuzGDIPlus::IsScaleStored),
        PropObj("ZuzPanel", &TZuzGDIPlus::ZuzPanel, &TZuzGDIPlus::SetZuzPanel),
    });
} // namespace

void RegisterZuzGDIPlus() { (void)ClassInfoFor<TZuzGDIPlus>(); }

TZuzGDIPlus::TZuzGDIPlus(TComponent* AOwner) : TComponent(AOwner) {}

TZuzGDIPlus::~TZuzGDIPlus()
{
  RemoveTag();
  SetZuzPanel(nullptr);
}

String TZuzGDIPlus::ClassName() const { return QStringLiteral("TZuzGDIPlus"); }

TGDIPlusCanvas* TZuzGDIPlus::GetCanvas() const
{
  return FZuzPanel ? dynamic_cast<TGDIPlusCanvas*>(FZuzPanel->InternalCanvas()) : nullptr;
}

void TZuzGDIPlus::SetActive(bool Value)
{
  if (FActive == Value)
    return;
  FActive = Value;
  Activate();
}

void TZuzGDIPlus::SetAntialias(bool Value)
{
  if (FAntialias == Value)
    return;
  FAntialias = Value;
  ResetCanvas();
}

void TZuzGDIPlus::SetAntialiasText(TGDIPlusFontQuality Value)
{
  if (FAntiAliasText == Value)
    return;
  FAntiAliasText = Value;
  ResetCanvas();
}

void TZuzGDIPlus::SetScale(float Value)
{
  if (FScale == Value)
    return;
  FScale = Value;
  ResetCanvas();
}

void TZuzGDIPlus::SetZuzPanel(TCustomZuzPanel* Value)
{
  if (Value == FZuzPanel)
    return;
  if (FZuzPanel) {
    FZuzPanel->RemoveFreeNotification(this);
    if (GetCanvas())
      FZuzPanel->SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
  }
  FZuzPanel = Value;
  if (FZuzPanel)
    FZuzPanel->FreeNotification(this);
  else
    FActive = false;
  Activate();
}

void TZuzGDIPlus::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FZuzPanel && FZuzPanel) {
    // The panel is going: its canvas goes with it, nothing to give back.
    FZuzPanel = nullptr;
    FActive = false;
  }
}

void TZuzGDIPlus::Activate()
{
  if (!FZuzPanel)
    return;
  if (FActive) {
    auto C = std::make_unique<TGDIPlusCanvas>();
    TGDIPlusCanvas* Raw = C.get();
    Raw->SetUseBuffer(FZuzPanel->InternalCanvas()->GetUseBuffer());
    FZuzPanel->SetInternalCanvas(std::move(C));
    ResetCanvas();
    Raw->Tag = this;
    Raw->GetGraphics();
  } else {
    RemoveTag();
    if (GetCanvas())
      FZuzPanel->SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
  }
}

void TZuzGDIPlus::ResetCanvas()
{
  if (TGDIPlusCanvas* C = GetCanvas()) {
    C->SetAnti(FAntialias);
    C->SetAntiText(FAntiAliasText);
    C->SetScale(FScale);
  }
}

void TZuzGDIPlus::RemoveTag()
{
  if (TGDIPlusCanvas* C = GetCanvas(); C && C->Tag == this)
    C->Tag = nullptr;
}
