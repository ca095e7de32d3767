#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "platform/CanvasTypeInfo.h"

#include "platform/Published.h"

namespace {
const TEnumInfo PenEndStyleInfo("TPenEndStyle", {"esRound", "esSquare", "esFlat"});
const TEnumInfo PenJoinStyleInfo("TPenJoinStyle", {"jsRound", "jsBevel", "jsMitter"});

// Declared under the graphics object rather than the platform pen: the
// chart pen redeclares Width and Color with its own stored rules, and each
// property must be listed once.
[[maybe_unused]] const TClassInfo& ZuzPenClass = PublishClass<TZuzPen>(
    "TZuzPen", "TGraphicsObject",
    {
        PropInt("Width", &TZuzPen::Width, &TZuzPen::SetWidth).Stored(&TZuzPen::IsWidthStored),
        PropEnum("EndStyle", &TZuzPen::EndStyle, &TZuzPen::SetEndStyle, PenEndStyleInfo).Stored(&TZuzPen::IsEndStored),
        PropObj("Fill", &TZuzPen::Fill, &TZuzPen::SetFill).Stored(&TZuzPen::HasFill),
        PropEnum("JoinStyle", &TZuzPen::JoinStyle, &TZuzPen::SetJoinStyle, PenJoinStyleInfo)
            .Stored(&TZuzPen::IsJoinStored),
        PropBool("SmallDots", &TZuzPen::SmallDots, &TZuzPen::SetSmallDots, false),
        PropInt("SmallSpace", &TZuzPen::SmallSpace, &TZuzPen::SetSmallSpace, 0),
        PropBool("Visible", &TZuzPen::Visible, &TZuzPen::SetVisible).Stored(&TZuzPen::IsVisibleStored),
        PropColor("Color", &TZuzPen::Color, &TZuzPen::SetColor).Stored(&TZuzPen::IsColorStored),
        PropEnum("Mode", &TZuzPen::Mode, &TZuzPen::SetMode, PenModeInfo, pmCopy),
        PropEnum("Style", &TZuzPen::Style, &TZuzPen::SetStyle, PenStyleInfo, psSolid),
    });
[[maybe_unused]] const TClassInfo& HiddenPenClass = PublishClass<TZuzHiddenPen>("TZuzHiddenPen", "TZuzPen");
[[maybe_unused]] const TClassInfo& DarkGrayPenClass = PublishClass<TDarkGrayPen>("TDarkGrayPen", "TZuzPen");
} // namespace

TZuzPen::TZuzPen(TNotifyEvent OnChangeEvent) { OnChange = std::move(OnChangeEvent); }

TZuzPen::~TZuzPen() = default;

String TZuzPen::ClassName() const { return QStringLiteral("TZuzPen"); }

void TZuzPen::Assign(TPersistent* Source)
{
  if (auto* P = dynamic_cast<TZuzPen*>(Source)) {
    if (P == this)
      return;
    FVisible = P->FVisible;
    FSmallDots = P->FSmallDots;
    FSmallSpace = P->FSmallSpace;
    FEndStyle = P->FEndStyle;
    FJoinStyle = P->FJoinStyle;
    if (P->FFill)
      Fill()->Assign(P->FFill.get());
    else
      FFill.reset();
  }
  TPen::Assign(Source);
}

void TZuzPen::SetEndStyle(TPenEndStyle Value)
{
  if (FEndStyle == Value)
    return;
  FEndStyle = Value;
  Changed();
}

void TZuzPen::SetJoinStyle(TPenJoinStyle Value)
{
  if (FJoinStyle == Value)
    return;
  FJoinStyle = Value;
  Changed();
}

void TZuzPen::SetSmallDots(bool Value)
{
  if (FSmallDots == Value)
    return;
  FSmallDots = Value;
  Changed();
}

void TZuzPen::SetSmallSpace(int32_t Value)
{
  if (FSmallSpace == Value)
    return;
  FSmallSpace = Value;
  Changed();
}

void TZuzPen::SetVisible(bool Value)
{
  if (FVisible == Value)
    return;
  FVisible = Value;
  Changed();
}

TZuzBrush* TZuzPen::Fill()
{
  if (!FFill)
    FFill = std::make_unique<TZuzBrush>(OnChange);
  return FFill.get();
}

void TZuzPen::SetFill(TZuzBrush* Value)
{
  if (!Value) {
    FFill.reset();
    return;
  }
  Fill()->Assign(Value);
}

bool TZuzPen::IsGradientVisible() const { return FFill && FFill->HasGradient(); }

void TZuzPen::InitColor(TColor Value)
{
  DefaultColor = Value;
  SetColor(Value);
}

void TZuzPen::InitEndStyle(TPenEndStyle Value)
{
  FEndStyle = Value;
  DefaultEnd = Value;
}

int32_t TZuzPen::HalfWidth() const { return FVisible && Width() > 1 ? Width() / 2 : 0; }

// ---------------------------------------------------------------------------

TZuzHiddenPen::TZuzHiddenPen(TNotifyEvent OnChangeEvent) : TZuzPen(std::move(OnChangeEvent))
{
  FVisible = false;
  DefaultVisible = false;
}

String TZuzHiddenPen::ClassName() const { return QStringLiteral("TZuzHiddenPen"); }

TDarkGrayPen::TDarkGrayPen(TNotifyEvent OnChangeEvent)
{
  // The colour is set before the handler is attached: the owner is still
  // being built.
  InitColor(0x808080);
  OnChange = std::move(OnChangeEvent);
}

String TDarkGrayPen::ClassName() const { return QStringLiteral("TDarkGrayPen"); }
