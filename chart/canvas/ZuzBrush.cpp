#include "chart/canvas/ZuzBrush.h"
#include "platform/Bitmap.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPicture.h"
#include "platform/CanvasTypeInfo.h"

#include "platform/Published.h"

namespace {
const TEnumInfo HatchStyleInfo("THatchStyle", {"hsHorizontal",
                                               "hsVertical",
                                               "hsForwardDiagonal",
                                               "hsBackwardDiagonal",
                                               "hsCross",
                                               "hsDiagonalCross",
                                               "hs05Percent",
                                               "hs10Percent",
                                               "hs20Percent",
                                               "hs25Percent",
                                               "hs30Percent",
                                               "hs40Percent",
                                               "hs50Percent",
                                               "hs60Percent",
                                               "hs70Percent",
                                               "hs75Percent",
                                               "hs80Percent",
                                               "hs90Percent",
                                               "hsLightDownwardDiagonal",
                                               "hsLightUpwardDiagonal",
                                               "hsDarkDownwardDiagonal",
                                               "hsDarkUpwardDiagonal",
                                               "hsWideDownwardDiagonal",
                                               "hsWideUpwardDiagonal",
                                               "hsLightVertical",
                                               "hsLightHorizontal",
                                               "hsNarrowVertical",
                                               "hsNarrowHorizontal",
                                               "hsDarkVertical",
                                               "hsDarkHorizontal",
                                               "hsDashedDownwardDiagonal",
                                               "hsDashedUpwardDiagonal",
                                               "hsDashedHorizontal",
                                               "hsDashedVertical",
                                               "hsSmallConfetti",
                                               "hsLargeConfetti",
                                               "hsZigZag",
                                               "hsWave",
                                               "hsDiagonalBrick",
                                               "hsHorizontalBrick",
                                               "hsWeave",
                                               "hsPlaid",
                                               "hsDivot",
                                               "hsDottedGrid",
                                               "hsDottedDiamond",
                                               "hsShingle",
                                               "hsTrellis",
                                               "hsSphere",
                                               "hsSmallGrid",
                                               "hsSmallCheckerBoard",
                                               "hsLargeCheckerBoard",
                                               "hsOutlinedDiamond",
                                               "hsSolidDiamond"});

// Declared under the graphics object rather than the platform brush: the
// chart brush redeclares Color with its own stored rule.
[[maybe_unused]] const TClassInfo& ZuzBrushClass = PublishClass<TZuzBrush>(
    "TZuzBrush", "TGraphicsObject",
    {
        PropColor("BackColor", &TZuzBrush::BackColor, &TZuzBrush::SetBackColor, clNone),
        PropColor("Color", &TZuzBrush::Color, &TZuzBrush::SetColor).Stored(&TZuzBrush::IsColorStored),
        PropObj("Gradient", &TZuzBrush::Gradient, &TZuzBrush::SetGradient).Stored(&TZuzBrush::IsGradientStored),
        PropEnum("HatchStyle", &TZuzBrush::HatchStyle, &TZuzBrush::SetHatchStyle, HatchStyleInfo, hsHorizontal),
        PropObj("Image", &TZuzBrush::Image, &TZuzBrush::SetImage).Stored(&TZuzBrush::HasImage),
        PropEnum("Style", &TZuzBrush::Style, &TZuzBrush::SetStyle, BrushStyleInfo).Stored(&TZuzBrush::IsStyleStored),
    });
} // namespace

TZuzBrush::TZuzBrush(TNotifyEvent OnChangeEvent)
{
  InitColor(clDefault);
  OnChange = std::move(OnChangeEvent);
}

TZuzBrush::~TZuzBrush() = default;

String TZuzBrush::ClassName() const { return QStringLiteral("TZuzBrush"); }

void TZuzBrush::Assign(TPersistent* Source)
{
  if (auto* B = dynamic_cast<TZuzBrush*>(Source)) {
    if (B == this)
      return;
    SetImage(B->FImage.get());
    FBackColor = B->FBackColor;
    FHatchStyle = B->FHatchStyle;
    if (B->FGradient)
      SetGradient(B->FGradient.get());
    else
      FGradient.reset();
  }
  TBrush::Assign(Source);
}

void TZuzBrush::SetBackColor(TColor Value)
{
  if (FBackColor == Value)
    return;
  FBackColor = Value;
  Changed();
}

void TZuzBrush::SetHatchStyle(THatchStyle Value)
{
  if (FHatchStyle == Value)
    return;
  FHatchStyle = Value;
  if (Value <= hsDiagonalCross) {
    // The platform's own hatches, without a second notification.
    TNotifyEvent Saved = std::move(OnChange);
    OnChange = nullptr;
    SetStyle(static_cast<TBrushStyle>(Value + 2));
    OnChange = std::move(Saved);
  }
  Changed();
}

TZuzGradient* TZuzBrush::Gradient()
{
  if (!FGradient)
    FGradient = std::make_unique<TZuzGradient>(OnChange);
  return FGradient.get();
}

void TZuzBrush::SetGradient(TZuzGradient* Value)
{
  if (!Value)
    FGradient.reset();
  else
    Gradient()->Assign(Value);
  Changed();
}

TZuzPicture* TZuzBrush::Image()
{
  if (!FImage) {
    FImage = std::make_unique<TZuzPicture>();
    FImage->OnChange = OnChange;
  }
  return FImage.get();
}

void TZuzBrush::SetImage(TZuzPicture* Value)
{
  if (!Value) {
    if (FImage) {
      FImage.reset();
      Changed();
    }
    return;
  }
  Image()->Assign(Value);
  Changed();
}

void TZuzBrush::Clear()
{
  SetStyle(bsClear);
  SetImage(nullptr);
  SetGradient(nullptr);
}

bool TZuzBrush::HasGraphic() const { return FImage && FImage->Graphic() && !FImage->Graphic()->Empty(); }

bool TZuzBrush::HasGradient() const { return FGradient && FGradient->Visible(); }

void TZuzBrush::InitColor(TColor Value)
{
  TNotifyEvent Saved = std::move(OnChange);
  OnChange = nullptr;
  SetColor(Value);
  DefaultColor = Value;
  OnChange = std::move(Saved);
}
