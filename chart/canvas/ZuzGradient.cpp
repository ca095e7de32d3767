#include "chart/canvas/ZuzGradient.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "chart/canvas/Canvas3D.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzFilters.h"
#include "chart/canvas/ZuzPen.h"

#include "platform/Published.h"
#include "rtl/Exceptions.h"
#include "rtl/ScopeGuard.h"

#include <QImage>

#include <cmath>

namespace {
const TEnumInfo GradientDirectionInfo("TGradientDirection", {"gdTopBottom", "gdBottomTop", "gdLeftRight", "gdRightLeft",
                                                             "gdFromCenter", "gdFromTopLeft", "gdFromBottomLeft",
                                                             "gdRadial", "gdDiagonalUp", "gdDiagonalDown"});

[[maybe_unused]] const TClassInfo& GradientColorClass = PublishClass<TZuzGradientColor>(
    "TZuzGradientColor", "TCollectionItem",
    {
        PropColor("Color", &TZuzGradientColor::Color, &TZuzGradientColor::SetColor, 0),
        PropFloat("Offset", &TZuzGradientColor::Offset, &TZuzGradientColor::SetOffset),
        PropInt("Transparency", &TZuzGradientColor::Transparency, &TZuzGradientColor::SetTransparency, 0),
    });
[[maybe_unused]] const TClassInfo& GradientColorsClass =
    PublishClass<TZuzGradientColors>("TZuzGradientColors", "TOwnedCollection");

// The colours are written after the stop list, so that reading them back
// changes the stops the list brought.
[[maybe_unused]] const TClassInfo& CustomGradientClass = PublishClass<TCustomZuzGradient>(
    "TCustomZuzGradient", "TPersistent",
    {
        PropInt("Angle", &TCustomZuzGradient::Angle, &TCustomZuzGradient::SetAngle, 0),
        PropInt("Balance", &TCustomZuzGradient::Balance, &TCustomZuzGradient::SetBalance, 50),
        PropObj("Colors", &TCustomZuzGradient::Colors, &TCustomZuzGradient::SetColors)
            .Stored(&TCustomZuzGradient::IsColorsStored),
        PropEnum("Direction", &TCustomZuzGradient::Direction, &TCustomZuzGradient::SetDirection, GradientDirectionInfo)
            .Stored(&TCustomZuzGradient::IsDirectionStored),
        PropColor("EndColor", &TCustomZuzGradient::EndColor, &TCustomZuzGradient::SetEndColor)
            .Stored(&TCustomZuzGradient::IsEndStored),
        PropColor("MidColor", &TCustomZuzGradient::MidColor, &TCustomZuzGradient::SetMidColor)
            .Stored(&TCustomZuzGradient::IsMidStored),
        PropInt("RadialX", &TCustomZuzGradient::RadialX, &TCustomZuzGradient::SetRadialX, 0),
        PropInt("RadialY", &TCustomZuzGradient::RadialY, &TCustomZuzGradient::SetRadialY, 0),
        PropColor("StartColor", &TCustomZuzGradient::StartColor, &TCustomZuzGradient::SetStartColor)
            .Stored(&TCustomZuzGradient::IsStartStored),
        PropBool("Visible", &TCustomZuzGradient::Visible, &TCustomZuzGradient::SetVisible)
            .Stored(&TCustomZuzGradient::IsVisibleStored),
    });
[[maybe_unused]] const TClassInfo& SubGradientClass = PublishClass<TSubGradient>(
    "TSubGradient", "TCustomZuzGradient",
    {PropInt("Transparency", &TSubGradient::Transparency, &TSubGradient::SetTransparency, 50)});
[[maybe_unused]] const TClassInfo& GradientClass =
    PublishClass<TZuzGradient>("TZuzGradient", "TCustomZuzGradient",
                               {PropObj("SubGradient", &TZuzGradient::SubGradient, &TZuzGradient::SetSubGradient)
                                    .Stored(&TZuzGradient::HasSubGradient)});
} // namespace

std::function<void(TCustomZuzGradient*, TBitmap*)> ZuzGradientRotateHook = RotateGradient;

double ZuzSigmoid(double X, double Balance, double Steps)
{
  return std::exp(std::log((X + 1) / (Steps + 1)) * (Balance * 0.01 + 0.5));
}

// --- stops ----------------------------------------------------------------------------

TZuzGradientColor::TZuzGradientColor(TCollection* ACollection) : TCollectionItem(ACollection) {}

String TZuzGradientColor::ClassName() const { return QStringLiteral("TZuzGradientColor"); }

void TZuzGradientColor::Assign(TPersistent* Source)
{
  if (auto* C = dynamic_cast<TZuzGradientColor*>(Source)) {
    FColor = C->FColor;
    FOffset = C->FOffset;
    FTransp = C->FTransp;
    return;
  }
  TCollectionItem::Assign(Source);
}

TZuzGradientColors::TZuzGradientColors(TCustomZuzGradient* AOwner)
    : TOwnedCollection(AOwner, ClassInfoFor<TZuzGradientColor>()), FOwner(AOwner)
{
}

TZuzGradientColors::~TZuzGradientColors() = default;

String TZuzGradientColors::ClassName() const { return QStringLiteral("TZuzGradientColors"); }

TZuzGradientColor* TZuzGradientColors::Items(int32_t Index)
{
  if (Index < 0)
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  while (Count() <= Index)
    TCollection::Add();
  return static_cast<TZuzGradientColor*>(TCollection::Items(Index));
}

void TZuzGradientColors::SetItems(int32_t Index, TZuzGradientColor* Value) { Items(Index)->Assign(Value); }

TZuzGradientColor* TZuzGradientColors::Insert(int32_t Index)
{
  return static_cast<TZuzGradientColor*>(TCollection::Insert(std::clamp(Index, 0, Count())));
}

TZuzGradientColor* TZuzGradientColors::Add(double AOffset, TColor AColor, TZuzTransparency ATransparency)
{
  const double Offset = std::clamp(AOffset, 0.0, 1.0);
  int32_t At = Count();
  for (int32_t i = 0; i < Count(); ++i)
    if (Items(i)->Offset() > Offset) {
      At = i;
      break;
    }
  // One notification, once the stop holds its values.
  BeginUpdate();
  TZuzGradientColor* C = Insert(At);
  C->SetOffset(Offset);
  C->SetColor(AColor);
  C->SetTransparency(ATransparency);
  EndUpdate();
  return C;
}

void TZuzGradientColors::Update(TCollectionItem*) { Repaint(); }

void TZuzGradientColors::Repaint()
{
  if (FOwner)
    FOwner->DoChanged();
}

// --- the gradient ---------------------------------------------------------------------

TCustomZuzGradient::TCustomZuzGradient(TNotifyEvent ChangedEvent)
{
  InitDefaults();
  IChanged = std::move(ChangedEvent);
}

TCustomZuzGradient::~TCustomZuzGradient() = default;

String TCustomZuzGradient::ClassName() const { return QStringLiteral("TCustomZuzGradient"); }

void TCustomZuzGradient::InitDefaults()
{
  FVisible = false;
  FDirection = gdTopBottom;
  IDefDirection = gdTopBottom;
  IDefStart = clWhite;
  IDefEnd = clYellow;
  IDefMid = clNone;
  IMidColor = clWhite;
  FBalance = 50;
  FAngle = 0;
  FRadialX = 0;
  FRadialY = 0;
  if (FColors)
    ResetColors();
}

void TCustomZuzGradient::DoChanged()
{
  if (IChanged)
    IChanged(this);
}

void TCustomZuzGradient::Assign(TPersistent* Source)
{
  if (auto* G = dynamic_cast<TCustomZuzGradient*>(Source)) {
    if (G == this)
      return;
    FAngle = G->FAngle;
    FBalance = G->FBalance;
    FDirection = G->FDirection;
    FRadialX = G->FRadialX;
    FRadialY = G->FRadialY;
    if (G->FColors)
      Colors()->Assign(G->FColors.get());
    else
      FColors.reset();
    FStartIsEnd = G->FStartIsEnd;
    if (G->FSub)
      SubGradient()->Assign(G->FSub.get());
    else
      FSub.reset();
    FVisible = G->FVisible;
    return;
  }
  TPersistent::Assign(Source);
}

void TCustomZuzGradient::SetAngle(int32_t Value)
{
  if (FAngle == Value)
    return;
  FAngle = Value;
  DoChanged();
}

void TCustomZuzGradient::SetBalance(int32_t Value)
{
  if (FBalance == Value)
    return;
  FBalance = Value;
  DoChanged();
}

TZuzGradientColors* TCustomZuzGradient::Colors()
{
  if (!FColors) {
    FColors = std::make_unique<TZuzGradientColors>(this);
    ResetColors();
  }
  return FColors.get();
}

void TCustomZuzGradient::SetColors(TZuzGradientColors* Value)
{
  if (!Value) {
    FColors.reset();
    return;
  }
  Colors()->Assign(Value);
}

void TCustomZuzGradient::SetDirection(TGradientDirection Value)
{
  if (FDirection == Value)
    return;
  FDirection = Value;
  DoChanged();
}

void TCustomZuzGradient::SetRadialX(int32_t Value)
{
  if (FRadialX == Value)
    return;
  FRadialX = Value;
  DoChanged();
}

void TCustomZuzGradient::SetRadialY(int32_t Value)
{
  if (FRadialY == Value)
    return;
  FRadialY = Value;
  DoChanged();
}

void TCustomZuzGradient::SetVisible(bool Value)
{
  if (FVisible == Value)
    return;
  FVisible = Value;
  DoChanged();
}

void TCustomZuzGradient::InitDirection(TGradientDirection Value)
{
  FDirection = Value;
  IDefDirection = Value;
}

void TCustomZuzGradient::ResetColors()
{
  if (!FColors)
    return;
  // With the change handler detached: the default stops are no change.
  TNotifyEvent Handler = std::move(IChanged);
  IChanged = nullptr;
  const auto Restore = ScopeExit([&] { IChanged = std::move(Handler); });
  FColors->Clear();
  FColors->Add(0, IDefStart, 0);
  FColors->Add(1, IDefEnd, 0);
}

TColor TCustomZuzGradient::StartColor() const
{
  if (!FColors)
    return IDefStart;
  if (FColors->Count() == 0)
    return clNone;
  return FColors->Items(0)->Color();
}

TColor TCustomZuzGradient::EndColor() const
{
  if (!FColors)
    return IDefEnd;
  if (FColors->Count() == 0)
    return clNone;
  return FColors->Items(FColors->Count() - 1)->Color();
}

TColor TCustomZuzGradient::MidColor() const
{
  if (!FColors)
    return IDefMid;
  if (FColors->Count() < 3)
    return clNone;
  return FColors->Items(1)->Color();
}

void TCustomZuzGradient::SetStartColor(TColor Value)
{
  Colors()->Items(0)->SetColor(Value);
  DoChanged();
}

void TCustomZuzGradient::SetEndColor(TColor Value)
{
  TZuzGradientColors* C = Colors();
  if (C->Count() == 0)
    throw EListError(QStringLiteral("List index out of bounds (-1)"));
  C->Items(C->Count() - 1)->SetColor(Value);
  if (FStartIsEnd)
    C->Items(0)->SetColor(Value);
  DoChanged();
}

void TCustomZuzGradient::SetMidColor(TColor Value)
{
  TZuzGradientColors* C = Colors();
  if (Value == clNone) {
    if (C->Count() > 2) {
      C->Delete(1);
      DoChanged();
    }
    return;
  }
  if (C->Count() <= 2) {
    C->BeginUpdate();
    C->Insert(1)->SetOffset(0.5);
    C->EndUpdate();
  }
  if (C->Items(1)->Color() == Value)
    return;
  C->Items(1)->SetColor(Value);
  IMidColor = Value;
  DoChanged();
}

void TCustomZuzGradient::UseMiddleColor() { SetMidColor(IMidColor); }

TSubGradient* TCustomZuzGradient::SubGradient()
{
  if (!FSub)
    FSub = std::make_unique<TSubGradient>(IChanged);
  return FSub.get();
}

void TCustomZuzGradient::SetSubGradient(TSubGradient* Value)
{
  if (!Value) {
    FSub.reset();
    return;
  }
  SubGradient()->Assign(Value);
}

bool TCustomZuzGradient::IsColorsStored() const
{
  if (!FColors)
    return false;
  const int32_t N = FColors->Count();
  auto Stop = [this](int32_t I) { return FColors->Items(I); };
  if (N > 3)
    return true;
  if (N == 3)
    return !(Stop(0)->Offset() == 0 && Stop(1)->Offset() == 0.5 && Stop(2)->Offset() == 1 &&
             Stop(0)->Transparency() == 0 && Stop(1)->Transparency() == 0 && Stop(2)->Transparency() == 0);
  if (N == 2)
    return !(Stop(0)->Offset() == 0 && Stop(1)->Offset() == 1 && Stop(0)->Transparency() == 0 &&
             Stop(1)->Transparency() == 0);
  return true;
}

bool TCustomZuzGradient::IsStartStored() const { return FColors && StartColor() != IDefStart; }
bool TCustomZuzGradient::IsEndStored() const { return FColors && EndColor() != IDefEnd; }
bool TCustomZuzGradient::IsMidStored() const { return FColors && MidColor() != IDefMid; }

// --- drawing ------------------------------------------------------------------------------

void TCustomZuzGradient::Draw(TZuzCanvas* Canvas, const TRect& Rect, int32_t RoundRectSize)
{
  Canvas->Gradient()->Assign(this);
  if (RoundRectSize <= 0)
    Canvas->FillRect(Rect);
  else
    Canvas->RoundRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom, RoundRectSize, RoundRectSize);
  if (FSub && FSub->Visible())
    DrawSubGradient(Canvas, Rect, RoundRectSize);
}

void TCustomZuzGradient::Draw(TZuzCanvas* Canvas, TFourPoints& P)
{
  Canvas->Pen()->SetStyle(psClear);
  Canvas->Gradient()->Assign(this);
  Canvas->Polygon(P);
}

void TCustomZuzGradient::Draw(TCanvas3D* Canvas, TFourPoints& P, int32_t Z)
{
  for (TPoint& Q : P)
    Q = Canvas->Calculate3DPosition(Q, Z);
  Draw(static_cast<TZuzCanvas*>(Canvas), P);
}

void TCustomZuzGradient::Draw(TCanvas3D* Canvas, TPointArray& P, int32_t Z, bool Is3D)
{
  Canvas->Gradient()->Assign(this);
  if (Is3D)
    for (TPoint& Q : P)
      Q = Canvas->Calculate3DPosition(Q, Z);
  Canvas->Polygon(P);
}

void TCustomZuzGradient::DrawRadial(TZuzCanvas* Canvas, const TRect& Rect)
{
  const TRect R = OrientRectangle(Rect);
  Canvas->ClipRectangle(R);
  TZuzGradient* CanvasGradient = Canvas->Gradient();
  const bool WasVisible = CanvasGradient->Visible();
  CanvasGradient->SetVisible(false);
  const TPenStyle OldPenStyle = Canvas->Pen()->Style();
  const TColor OldBrushColor = Canvas->Brush()->Color();
  TCanvas* DC = Canvas->ReferenceCanvas();
  struct TRestore {
    TZuzCanvas* C;
    TCanvas* DC;
    TPenStyle Pen;
    TColor Brush;
    TZuzGradient* G;
    bool Visible;
    ~TRestore()
    {
      if (DC)
        DC->SelectDCBrush(false);
      C->Pen()->SetStyle(Pen);
      C->Brush()->SetColor(Brush);
      G->SetVisible(Visible);
    }
  } Restore{Canvas, DC, OldPenStyle, OldBrushColor, CanvasGradient, WasVisible};

  const int32_t W = R.Right - R.Left, H = R.Bottom - R.Top;
  int32_t N = std::min(std::max(W, H), 255);
  if (N < 1)
    N = 1;
  const double Inv = 1.0 / N;
  const double DW = W * 0.5 * Inv, DH = H * 0.5 * Inv;
  const TColor C0 = StartColor(), C1 = EndColor();
  const int32_t R0 = GetRValue(C0), G0 = GetGValue(C0), B0 = GetBValue(C0);
  const int32_t R1 = GetRValue(C1), G1 = GetGValue(C1), B1 = GetBValue(C1);
  double DR = R1 - R0, DG = G1 - G0, DB = B1 - B0;
  if (FBalance == 50) {
    DR *= Inv;
    DG *= Inv;
    DB *= Inv;
  }
  Canvas->Pen()->SetStyle(psClear);
  Canvas->Brush()->SetColor(C1);
  Canvas->FillRect(R);
  if ((W % 2) || (H % 2))
    N -= 1;
  const double XC = (R.Left + R.Right) * 0.5 + (FRadialX + 1);
  const double YC = (R.Top + R.Bottom) * 0.5 + (FRadialY + 1);
  const bool Fast = DC && ZuzSetDCBrushColor;
  if (Fast)
    DC->SelectDCBrush(true);
  for (int32_t n = N; n >= 0; --n) {
    TColor C;
    if (FBalance == 50) {
      C = RGBColor((R0 + PixelRound(DR * n)) & 255, (G0 + PixelRound(DG * n)) & 255, (B0 + PixelRound(DB * n)) & 255);
    } else {
      const double F = ZuzSigmoid(n, FBalance, N);
      C = RGBColor((R0 + PixelRound(DR * F)) & 255, (G0 + PixelRound(DG * F)) & 255, (B0 + PixelRound(DB * F)) & 255);
    }
    if (Fast)
      ZuzSetDCBrushColor(DC, C);
    else
      Canvas->Brush()->SetColor(C);
    Canvas->Ellipse(PixelRound(XC - DW * n), PixelRound(YC - DH * n), PixelRound(XC + DW * n), PixelRound(YC + DH * n));
  }
  Canvas->UnClipRectangle();
  if (FSub && FSub->Visible())
    DrawSubGradient(Canvas, Rect, 0);
}

void TCustomZuzGradient::DrawRotated(TZuzCanvas* Canvas, const TRect& Rect)
{
  const TRect R = OrientRectangle(Rect);
  const int32_t W = R.Right - R.Left, H = R.Bottom - R.Top;
  const double A = (360 - FAngle) * DegToRad;
  const double S = std::sin(A), C = std::cos(A);
  int32_t BW, BH;
  if (S * C <= 0) {
    BW = std::abs(PixelRound(W * C - H * S)) + 2;
    BH = std::abs(PixelRound(W * S - H * C)) + 2;
  } else {
    BW = std::abs(PixelRound(W * C + H * S)) + 2;
    BH = std::abs(PixelRound(W * S + H * C)) + 2;
  }
  TBitmap Bitmap(BW, BH);
  {
    TZuzCanvas3D Temp;
    Temp.SetUseBuffer(false);
    Temp.SetReferenceCanvas(Bitmap.Canvas());
    // Drawn unrotated, and as a gradient even when the caller fills with
    // one that is switched off: the temporary canvas's own brush is no
    // colour of this gradient.
    const int32_t OldAngle = FAngle;
    const bool OldVisible = FVisible;
    FAngle = 0;
    FVisible = true;
    const auto Restore = ScopeExit([&] {
      FAngle = OldAngle;
      FVisible = OldVisible;
    });
    Draw(&Temp, TRect{0, 0, BW, BH}, 0);
  }
  if (ZuzGradientRotateHook)
    ZuzGradientRotateHook(this, &Bitmap);
  // Centred on the rectangle by the size the rotation gave the bitmap, so
  // that the turned fill covers the rectangle.
  Canvas->ClipRectangle(Rect);
  Canvas->Draw(Rect.Left - (Bitmap.Width() - W) / 2, Rect.Top - (Bitmap.Height() - H) / 2, &Bitmap);
  Canvas->UnClipRectangle();
}

void TCustomZuzGradient::DrawSubGradient(TZuzCanvas* Canvas, const TRect& Rect, int32_t RoundRectSize)
{
  auto Blend = Canvas->BeginBlending(Rect, FSub->Transparency());
  const auto Restore = ScopeExit([&] { Canvas->EndBlending(std::move(Blend)); });
  if (FSub->Direction() == gdRadial)
    FSub->DrawRadial(Canvas, Rect);
  else
    FSub->Draw(Canvas, Rect, RoundRectSize);
}

// ---------------------------------------------------------------------------------------

TSubGradient::TSubGradient(TNotifyEvent ChangedEvent) : TCustomZuzGradient(std::move(ChangedEvent)) {}

String TSubGradient::ClassName() const { return QStringLiteral("TSubGradient"); }

void TSubGradient::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TSubGradient*>(Source))
    FTransparency = S->FTransparency;
  TCustomZuzGradient::Assign(Source);
}

void TSubGradient::SetTransparency(TZuzTransparency Value)
{
  if (FTransparency == Value)
    return;
  FTransparency = Value;
  DoChanged();
}

TZuzGradient::TZuzGradient(TNotifyEvent ChangedEvent) : TCustomZuzGradient(std::move(ChangedEvent)) {}

String TZuzGradient::ClassName() const { return QStringLiteral("TZuzGradient"); }

bool TCustomZuzGradient::AnyTransparency() const
{
  if (!FColors)
    return false;
  for (int32_t I = 0; I < FColors->Count(); ++I)
    if (static_cast<const TZuzGradientColor*>(FColors->TCollection::Items(I))->Transparency() > 0)
      return true;
  return false;
}
