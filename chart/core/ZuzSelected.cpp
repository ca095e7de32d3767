#include "chart/core/ZuzSelected.h"

#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/CustomChartElement.h"
#include "platform/Published.h"

namespace {
[[maybe_unused]] const TClassInfo& HoverClass = PublishClass<TZuzHover>(
    "TZuzHover", "TCustomTextShape",
    {PropBool("Visible", &TZuzHover::Visible, &TZuzHover::SetVisible).Stored(&TZuzHover::IsVisibleStored)});
[[maybe_unused]] const TClassInfo& SelectedClass = PublishClass<TZuzSelected>(
    "TZuzSelected", "TCustomTextShape", {PropObj("Hover", &TZuzSelected::Hover, &TZuzSelected::SetHover)});

// Red at half opacity: the high byte holds how much of the alpha to take.
constexpr TColor HalfRed = 0x7F0000FFu;
} // namespace

TZuzHover::TZuzHover(TCustomZuzPanel* AOwner) : TCustomTextShape(AOwner)
{
  Font()->InitColor(clRed);
  Pen()->InitColor(HalfRed);
  Pen()->SetWidth(3);
  Pen()->DefaultWidth = 3;
}

String TZuzHover::ClassName() const { return QStringLiteral("TZuzHover"); }

TZuzSelected::TZuzSelected(TObject* AElement)
    : TCustomTextShape(nullptr), FHover(std::make_unique<TZuzHover>(nullptr)), IElement(AElement)
{
  DefaultVisible = false;
  FVisible = false;
  Pen()->InitColor(clRed);
  Pen()->SetWidth(2);
}

TZuzSelected::~TZuzSelected() = default;

String TZuzSelected::ClassName() const { return QStringLiteral("TZuzSelected"); }

void TZuzSelected::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TZuzSelected*>(Source))
    FHover->Assign(S->FHover.get());
  TCustomTextShape::Assign(Source);
}

void TZuzSelected::SetHover(TZuzHover* Value) { FHover->Assign(Value); }

void TZuzSelected::DoRepaint()
{
  if (auto* E = dynamic_cast<TCustomChartElement*>(IElement))
    E->Repaint();
  else if (auto* S = dynamic_cast<TZuzCustomShapeBrushPen*>(IElement))
    S->Repaint();
  else if (auto* P = dynamic_cast<TCustomZuzPanel*>(IElement))
    P->Invalidate();
}

void TZuzSelected::SetItemIndex(int32_t Value)
{
  if (FItemIndex == Value)
    return;
  FItemIndex = Value;
  if (Visible())
    DoRepaint();
}

void TZuzSelected::SetHoverIndex(int32_t Value)
{
  if (FHoverIndex == Value)
    return;
  FHoverIndex = Value;
  if (FHover->Visible())
    DoRepaint();
}
