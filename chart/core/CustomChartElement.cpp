#include "chart/core/CustomChartElement.h"

#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/CustomAxisPanel.h"
#include "platform/Published.h"

namespace {
[[maybe_unused]] const TClassInfo& ElementClass = PublishClass<TCustomChartElement>(
    "TCustomChartElement", "TComponent",
    {
        PropBool("ShowInEditor", &TCustomChartElement::ShowInEditor, &TCustomChartElement::SetShowInEditor, true),
    });
} // namespace

TCustomChartElement::TCustomChartElement(TComponent* AOwner)
    : TComponent(AOwner), FBrush(std::make_unique<TZuzBrush>([this](TObject* S) { CanvasChanged(S); })),
      FPen(CreateChartPen())
{
}

TCustomChartElement::~TCustomChartElement() { TCustomChartElement::SetParentChart(nullptr); }

String TCustomChartElement::ClassName() const { return QStringLiteral("TCustomChartElement"); }

void TCustomChartElement::Assign(TPersistent* Source)
{
  auto* E = dynamic_cast<TCustomChartElement*>(Source);
  if (!E) {
    TComponent::Assign(Source);
    return;
  }
  FActive = E->FActive;
  FBrush->Assign(E->FBrush.get());
  SetPen(E->FPen.get());
  SetTag(E->Tag());
  FTagObject = E->FTagObject;
}

void TCustomChartElement::CanvasChanged(TObject*) { Repaint(); }

String TCustomChartElement::GetEditorClass() const { return String(); }

void TCustomChartElement::Repaint()
{
  if (FParent)
    FParent->Invalidate();
}

void TCustomChartElement::SetActive(bool Value) { SetBooleanProperty(FActive, Value); }

void TCustomChartElement::SetBrush(TZuzBrush* Value) { FBrush->Assign(Value); }

void TCustomChartElement::SetPen(TZuzPen* Value) { FPen->Assign(Value); }

void TCustomChartElement::SetParentChart(TCustomAxisPanel* Value) { FParent = Value; }

std::unique_ptr<TZuzPen> TCustomChartElement::CreateChartPen()
{
  return std::make_unique<TZuzPen>([this](TObject* S) { CanvasChanged(S); });
}

namespace {
template <class T>
bool Store(T& Variable, const T& Value)
{
  if (Variable == Value)
    return false;
  Variable = Value;
  return true;
}
} // namespace

void TCustomChartElement::SetBooleanProperty(bool& Variable, bool Value)
{
  if (Store(Variable, Value))
    Repaint();
}

void TCustomChartElement::SetColorProperty(TColor& Variable, TColor Value)
{
  if (Store(Variable, Value))
    Repaint();
}

void TCustomChartElement::SetIntegerProperty(int32_t& Variable, int32_t Value)
{
  if (Store(Variable, Value))
    Repaint();
}

void TCustomChartElement::SetStringProperty(String& Variable, const String& Value)
{
  if (Store(Variable, Value))
    Repaint();
}

void TCustomChartElement::SetDoubleProperty(double& Variable, double Value)
{
  if (Store(Variable, Value))
    Repaint();
}

void TCustomChartElement::SetSingleProperty(float& Variable, float Value)
{
  if (Store(Variable, Value))
    Repaint();
}

bool TCustomChartElement::HasParent() const { return true; }

TComponent* TCustomChartElement::GetParentComponent() const { return FParent; }

void TCustomChartElement::SetParentComponent(TComponent* Value)
{
  if (auto* Chart = dynamic_cast<TCustomAxisPanel*>(Value))
    SetParentChart(Chart);
}
