#include "chart/core/CustomZuzPanelExtended.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ZuzServices.h"
#include "chart/core/ZuzShape.h"
#include "platform/Filer.h"
#include "platform/Published.h"

#include <QScopeGuard>

namespace {

const TEnumInfo PanningModeInfo("TPanningMode", {"pmNone", "pmHorizontal", "pmVertical", "pmBoth"});
const TEnumInfo MouseButtonInfo("TMouseButton", {"mbLeft", "mbRight", "mbMiddle"});
const TEnumInfo WheelInfo("TMouseWheelStyle", {"pmwNormal", "pmwInverted", "pmwNone"});
const TEnumInfo BackModeInfo("TZuzBackImageMode", {"pbmStretch", "pbmTile", "pbmCenter", "pbmCustom"});

using P = TCustomZuzPanelExtended;
[[maybe_unused]] const TClassInfo& ExtendedClass = PublishClass<P>(
    "TCustomZuzPanelExtended", "TCustomZuzPanel",
    {
        PropEnum("AllowPanning", &P::AllowPanning, &P::SetAllowPanning, PanningModeInfo, pmBoth),
        PropObj("BackImage", &P::BackImage, &P::SetBackImage).Stored(&P::IsBackImageStored),
        PropBool("BackImageInside", &P::BackImageInside, &P::SetBackImageInside, false),
        PropEnum("BackImageMode", &P::BackImageMode, &P::SetBackImageMode, BackModeInfo, pbmStretch),
        PropBool("BackImageTransp", &P::BackImageTransp, &P::SetBackImageTransp, false),
        PropObj("Gradient", &P::Gradient, &P::SetGradient).Stored(&P::IsGradientStored),
        PropEnum("ScrollMouseButton", &P::ScrollMouseButton, &P::SetScrollMouseButton, MouseButtonInfo, mbRight),
        PropObj("Zoom", &P::Zoom, &P::SetZoom),
        PropEnum("ZoomWheel", &P::ZoomWheel, &P::SetZoomWheel, WheelInfo, pmwNone),
        PropEvent("OnAfterDraw", &P::OnAfterDraw),
        PropEvent("OnScroll", &P::OnScroll),
        PropEvent("OnUndoZoom", &P::OnUndoZoom),
        PropEvent("OnZoom", &P::OnZoom),
    });

} // namespace

TCustomZuzPanelExtended::TCustomZuzPanelExtended(TComponent* AOwner)
    : TCustomZuzPanel(AOwner), FZoom(std::make_unique<TZuzZoom>([this](TObject* S) { CanvasChanged(S); }))
{
}

TCustomZuzPanelExtended::~TCustomZuzPanelExtended() = default;

String TCustomZuzPanelExtended::ClassName() const { return QStringLiteral("TCustomZuzPanelExtended"); }

void TCustomZuzPanelExtended::Assign(TPersistent* Source)
{
  if (auto* E = dynamic_cast<TCustomZuzPanelExtended*>(Source)) {
    SetBackImage(E->FBackImage.get());
    SetGradient(E->FGradient.get());
    FAllowPanning = E->FAllowPanning;
    FScrollMouse = E->FScrollMouse;
    FZoom->Assign(E->FZoom.get());
  }
  TCustomZuzPanel::Assign(Source);
}

void TCustomZuzPanelExtended::DefineProperties(TFiler* Filer)
{
  TCustomZuzPanel::DefineProperties(Filer);
  Filer->DefineProperty(
      QStringLiteral("AllowZoom"), [this](TReader& R) { FZoom->SetAllow(R.ReadBoolean()); }, {}, false);
  Filer->DefineProperty(
      QStringLiteral("AnimatedZoom"), [this](TReader& R) { FZoom->SetAnimated(R.ReadBoolean()); }, {}, false);
  Filer->DefineProperty(
      QStringLiteral("AnimatedZoomSteps"), [this](TReader& R) { FZoom->SetAnimatedSteps(R.ReadInteger()); }, {}, false);
  const bool Default = PrintMargins == TRect{15, 15, 15, 15};
  Filer->DefineProperty(
      QStringLiteral("PrintMargins"),
      [this](TReader& R) {
        R.ReadListBegin();
        PrintMargins.Left = R.ReadInteger();
        PrintMargins.Top = R.ReadInteger();
        PrintMargins.Right = R.ReadInteger();
        PrintMargins.Bottom = R.ReadInteger();
        R.ReadListEnd();
      },
      [this](TWriter& W) {
        W.WriteListBegin();
        W.WriteInteger(PrintMargins.Left);
        W.WriteInteger(PrintMargins.Top);
        W.WriteInteger(PrintMargins.Right);
        W.WriteInteger(PrintMargins.Bottom);
        W.WriteListEnd();
      },
      !Default);
}

// ---------------------------------------------------------------------------
// Settings

TBackImage* TCustomZuzPanelExtended::BackImage()
{
  if (!FBackImage) {
    FBackImage = std::make_unique<TBackImage>();
    FBackImage->OnChange = [this](TObject* S) { CanvasChanged(S); };
  }
  return FBackImage.get();
}

void TCustomZuzPanelExtended::SetBackImage(TBackImage* Value)
{
  if (!Value) {
    FBackImage.reset();
    Invalidate();
  } else
    BackImage()->Assign(Value);
}

bool TCustomZuzPanelExtended::HasBackImage() const { return FBackImage && FBackImage->Graphic(); }

bool TCustomZuzPanelExtended::BackImageInside() const { return HasBackImage() && FBackImage->Inside(); }

void TCustomZuzPanelExtended::SetBackImageInside(bool Value) { BackImage()->SetInside(Value); }

TZuzBackImageMode TCustomZuzPanelExtended::BackImageMode() { return BackImage()->Mode(); }

void TCustomZuzPanelExtended::SetBackImageMode(TZuzBackImageMode Value) { BackImage()->SetMode(Value); }

bool TCustomZuzPanelExtended::BackImageTransp() const { return HasBackImage() && FBackImage->Graphic()->Transparent(); }

void TCustomZuzPanelExtended::SetBackImageTransp(bool Value)
{
  if (HasBackImage())
    FBackImage->Graphic()->SetTransparent(Value);
}

TZuzGradient* TCustomZuzPanelExtended::Gradient()
{
  if (!FGradient)
    FGradient = std::make_unique<TZuzGradient>([this](TObject* S) { CanvasChanged(S); });
  return FGradient.get();
}

void TCustomZuzPanelExtended::SetGradient(TZuzGradient* Value)
{
  if (!Value)
    FGradient.reset();
  else
    Gradient()->Assign(Value);
}

void TCustomZuzPanelExtended::SetZoom(TZuzZoom* Value)
{
  if (Value)
    FZoom->Assign(Value);
}

bool TCustomZuzPanelExtended::AllowZoom() const { return FZoom->Allow(); }
void TCustomZuzPanelExtended::SetAllowZoom(bool Value) { FZoom->SetAllow(Value); }
bool TCustomZuzPanelExtended::AnimatedZoom() const { return FZoom->Animated(); }
void TCustomZuzPanelExtended::SetAnimatedZoom(bool Value) { FZoom->SetAnimated(Value); }
int32_t TCustomZuzPanelExtended::AnimatedZoomSteps() const { return FZoom->AnimatedSteps(); }
void TCustomZuzPanelExtended::SetAnimatedZoomSteps(int32_t Value) { FZoom->SetAnimatedSteps(Value); }

TColor TCustomZuzPanelExtended::GetBackColor()
{
  if (Gradient()->Visible())
    return FGradient->StartColor();
  return TCustomZuzPanel::GetBackColor();
}

void TCustomZuzPanelExtended::UndoZoom()
{
  if (OnUndoZoom)
    OnUndoZoom(this);
  Invalidate();
  FZoomed = false;
}

// ---------------------------------------------------------------------------
// Painting

bool TCustomZuzPanelExtended::Skip() const { return FPrinting && !ZuzPaintBackgroundWhenPrinting; }

void TCustomZuzPanelExtended::DrawBitmap(const TRect& Rect, int32_t Z)
{
  if (HasBackImage())
    FBackImage->Draw(this, Rect, Z);
}

void TCustomZuzPanelExtended::PanelPaint(const TRect& Rect)
{
  TCanvas3D* C = InternalCanvas();
  C->BeginEntity(QStringLiteral("Panel"), nullptr, nullptr);
  C->FrontPlaneBegin();
  const auto End = qScopeGuard([C] {
    C->FrontPlaneEnd();
    C->EndEntity();
  });
  if (Skip())
    return;
  TRect R = Rect;
  if (Color() != clNone && !FillHidesAll()) {
    const TColor Back = PanelColor(Parent() ? Parent()->Color() : Color());
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Back);
    C->Pen()->SetStyle(psClear);
    C->Gradient()->SetVisible(false);
    C->EraseBackground(R);
    DrawShadowEmboss(Shadow(), false, R);
    DrawShadowEmboss(Emboss(), true, R);
  }
  FillPanelRect(R);
  if (HasBackImage() && !FBackImage->Inside()) {
    DrawBitmap(R, 0);
    // A translucent gradient lies over the picture.
    if (FGradient && FGradient->Visible() && FGradient->AnyTransparency())
      FillPanelRect(R);
  }
  DrawPanelBevels(R);
}

// Erasing a panel that the fill then covers with opaque paint costs a pass
// over every pixel of the picture for nothing; a chart redrawn at each
// sample pays it each time.
bool TCustomZuzPanelExtended::FillHidesAll() const
{
  if (Shadow()->ShouldDraw() || Emboss()->ShouldDraw() || BorderRound() >= 1 || Border()->Visible())
    return false;
  if (InternalCanvas()->Transparency != 0)
    return false;
  if ((ParentColor() && Parent() ? Parent()->Color() : Color()) == clNone)
    return false;
  if (!FGradient || !FGradient->Visible())
    return true;
  // Only the linear gradients reach every corner of the rectangle.
  const TGradientDirection D = FGradient->Direction();
  return D != gdFromCenter && D != gdRadial && !FGradient->AnyTransparency();
}

void TCustomZuzPanelExtended::DrawShadowEmboss(TZuzShadow* Effect, bool IsEmboss, TRect& R)
{
  if (!Effect->ShouldDraw())
    return;
  const int32_t H = Effect->HorizSize(), V = Effect->VertSize();
  if (!IsEmboss) {
    if (H > 0)
      R.Right -= H + 1;
    else
      R.Left -= H + 1;
    if (V > 0)
      R.Bottom -= V + 1;
    else
      R.Top -= V + 1;
  } else {
    if (H > 0)
      R.Left += H + 1;
    else
      R.Right -= H + 1;
    if (V > 0)
      R.Top += V + 1;
    else
      R.Bottom -= V + 1;
  }
  InternalCanvas()->Pen()->SetStyle(psClear);
  Effect->Draw(InternalCanvas(), R, BorderRound(), 0);
}

int32_t TCustomZuzPanelExtended::FixBorderWidth(TRect& R) const
{
  if (Border()->SmallDots())
    return 1;
  const int32_t W = Border()->Width() - 1;
  if (W <= 0)
    return W;
  R.Left += W / 2 + (W % 2);
  R.Top += W / 2 + (W % 2);
  R.Right -= W / 2;
  R.Bottom -= W / 2;
  return W / 2;
}

void TCustomZuzPanelExtended::FillPanelRect(const TRect& Rect)
{
  if (Skip())
    return;
  TColor Fill = ParentColor() && Parent() ? Parent()->Color() : Color();
  if (Fill != clNone)
    Fill = PanelColor(Fill);
  if (!Border()->Visible() && Fill == clNone)
    return;
  TCanvas3D* C = InternalCanvas();
  C->FrontPlaneBegin();
  const auto End = qScopeGuard([C] { C->FrontPlaneEnd(); });
  C->AssignVisiblePenColor(Border(), Border()->Color());
  if (FGradient && FGradient->Visible())
    C->Gradient()->Assign(FGradient.get());
  else
    C->Gradient()->SetVisible(false);
  if (Fill == clNone)
    C->Brush()->SetStyle(bsClear);
  else {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Fill);
    C->Brush()->SetImage(nullptr);
  }
  TRect R = Rect;
  if (Border()->Visible())
    FixBorderWidth(R);
  else {
    ++R.Right;
    ++R.Bottom;
  }
  if (BorderRound() >= 1)
    C->RoundRect(R, BorderRound(), BorderRound());
  else
    C->Rectangle(R);
}

void TCustomZuzPanelExtended::DrawPanelBevels(const TRect& Rect)
{
  if (Skip() || (BevelOuter() == bvNone && BevelInner() == bvNone && BorderWidth() == 0))
    return;
  TCanvas3D* C = InternalCanvas();
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetSmallDots(false);
  C->FrontPlaneBegin();
  const auto End = qScopeGuard([C] { C->FrontPlaneEnd(); });
  TRect R = Rect;
  if (Border()->Visible()) {
    const int32_t W = FixBorderWidth(R) + (Border()->SmallDots() ? 0 : 1);
    R = TRect{R.Left + W, R.Top + W, R.Right - W, R.Bottom - W};
  }
  DrawBevel(C, BevelOuter(), R, BevelWidth(), BorderRound());
  if (BorderWidth() > 0) {
    const TColor Panel = PanelColor(Color());
    C->Frame3D(R, Panel, Panel, BorderWidth());
  }
  DrawBevel(C, BevelInner(), R, BevelWidth(), BorderRound());
}

void TCustomZuzPanelExtended::DrawZoomRectangle()
{
  TCanvas3D* C = InternalCanvas();
  const bool Xor = !FZoom->FullRepaint() && C->SupportsXORMode();
  if (TZuzZoomBrush* B = FZoom->BrushIfAny()) {
    TColor Back = GetBackColor();
    if (!FZoom->FullRepaint())
      Back = (0xFFFFFF - ColorToRGB(Back)) ^ ColorToRGB(B->Color());
    SetBrushCanvas(B->Color(), B, Back);
  } else
    C->Brush()->SetStyle(bsClear);
  TZuzZoomPen* Pen = FZoom->Pen();
  if (!Xor) {
    Pen->SetMode(pmCopy);
    C->AssignVisiblePen(Pen);
  } else
    ZuzPrepareXorPen(this, Pen);
  C->Rectangle(FZoom->X0, FZoom->Y0, FZoom->X1, FZoom->Y1);
  if (!FZoom->FullRepaint())
    C->Pen()->SetMode(pmCopy);
}

void TCustomZuzPanelExtended::TryDrawZoom()
{
  if (!FZoom->FullRepaint() && InternalCanvas()->SupportsXORMode())
    DrawZoomRectangle();
  else
    Invalidate();
}
