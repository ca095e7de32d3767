#include "chart/canvasctl/ZuzButton.h"
#include "chart/canvasctl/EditColor.h"

#include "platform/Canvas.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"

#include "platform/TypInfo.h"

TZuzButton::TZuzButton(TComponent* AOwner) : TButton(AOwner)
{
  SetBounds(Left(), Top(), 75, 25);
  SetPaintsOverNative(true);
}

TZuzButton::~TZuzButton() = default;

String TZuzButton::ClassName() const { return QStringLiteral("TZuzButton"); }

void TZuzButton::SetSymbolVisible(bool Value)
{
  if (FSymbolVisible == Value)
    return;
  FSymbolVisible = Value;
  Invalidate();
}

void TZuzButton::SetSymbolWidth(int32_t Value)
{
  if (FSymbolWidth == Value)
    return;
  FSymbolWidth = Value;
  Invalidate();
}

void TZuzButton::LinkProperty(TPersistent* AInstance, const String& PropName)
{
  Instance = AInstance;
  Info = nullptr;
  if (!AInstance)
    return;
  if (!PropName.isEmpty())
    Info = GetPropInfo(AInstance, PropName);
  Invalidate();
}

TRect TZuzButton::SymbolRectangle() const
{
  const int32_t W = Width(), H = Height(), Q = H / 4;
  int32_t SW = FSymbolWidth;
  if (SW == 0)
    SW = Caption().isEmpty() ? 0 : 19;
  if (SW == 0) {
    const int32_t M = std::max(4, W / 8);
    return TRect{M, H - 3 * Q, W - M, H - Q};
  }
  return TRect{W - SW, H - 3 * Q, W - 6, H - Q};
}

void TZuzButton::DrawSymbol(TZuzCanvas*) {}

void TZuzButton::Click() { TButton::Click(); }

void TZuzButton::Paint()
{
  TZuzCanvas3D Symbol;
  Symbol.SetUseBuffer(false);
  Symbol.SetCanvas(Canvas());
  DrawSymbol(&Symbol);
  Symbol.SetCanvas(nullptr);
}

// ---------------------------------------------------------------------------

TButtonColor::TButtonColor(TComponent* AOwner) : TZuzButton(AOwner) { FFullOpen = true; }

TButtonColor::~TButtonColor() = default;

String TButtonColor::ClassName() const { return QStringLiteral("TButtonColor"); }

TColor TButtonColor::SymbolColor() const
{
  if (GetColorProc)
    return GetColorProc();
  if (Instance && Info && Info->IsOrdinal())
    return static_cast<TColor>(GetOrdProp(Instance, Info));
  return FSymbolColor;
}

void TButtonColor::SetSymbolColor(TColor Value)
{
  if (Value == FSymbolColor)
    return;
  if (Instance && Info && Info->IsOrdinal() && Info->IsWritable())
    SetOrdProp(Instance, Info, static_cast<int32_t>(Value));
  else
    FSymbolColor = Value;
  Invalidate();
}

void TButtonColor::Click()
{
  TColor C = SymbolColor();
  if (!EditColorDialog(this, C, FFullOpen ? cdFullOpen : 0))
    return;
  SetSymbolColor(C);
  Repaint();
  TZuzButton::Click();
}

void TButtonColor::DrawSymbol(TZuzCanvas* ACanvas)
{
  if (!Enabled() || !SymbolVisible())
    return;
  FSymbolColor = SymbolColor();
  if (FSymbolColor == clNone)
    return;
  ACanvas->Brush()->SetColor(TZuzCanvas::ColorFrom(FSymbolColor, 0));
  ACanvas->Rectangle(SymbolRectangle());
}
