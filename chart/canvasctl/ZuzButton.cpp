#include "chart/canvasctl/ZuzButton.h"
#include "chart/canvasctl/EditColor.h"

#include "platform/Canvas.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"

#include "platform/TypInfo.h"

#include <QEvent>
#include <QPainter>

TZuzButton::TZuzButton(QWidget* AOwner) : QPushButton(AOwner)
{
  resize(75, 25);
  FSymbolVisible = true;
  connect(this, &QAbstractButton::clicked, this, [this] { Click(); });
}

TZuzButton::~TZuzButton() = default;

void TZuzButton::SetSymbolVisible(bool Value)
{
  if (FSymbolVisible == Value)
    return;
  FSymbolVisible = Value;
  update();
}

void TZuzButton::SetSymbolWidth(int32_t Value)
{
  if (FSymbolWidth == Value)
    return;
  FSymbolWidth = Value;
  update();
}

void TZuzButton::LinkProperty(TPersistent* AInstance, const String& PropName)
{
  Instance = AInstance;
  Info = nullptr;
  if (!AInstance)
    return;
  if (!PropName.isEmpty())
    Info = GetPropInfo(AInstance, PropName);
  update();
}

TRect TZuzButton::SymbolRectangle() const
{
  const int32_t W = width(), H = height(), Q = H / 4;
  int32_t SW = FSymbolWidth;
  if (SW == 0)
    SW = text().isEmpty() ? 0 : 19;
  if (SW == 0) {
    const int32_t M = std::max(4, W / 8);
    return TRect{M, H - 3 * Q, W - M, H - Q};
  }
  return TRect{W - SW, H - 3 * Q, W - 6, H - Q};
}

void TZuzButton::DrawSymbol(TZuzCanvas*) {}

void TZuzButton::Click()
{
  if (OnClick)
    OnClick();
}

void TZuzButton::paintEvent(QPaintEvent* Event)
{
  QPushButton::paintEvent(Event);
  QPainter Painter(this);
  TCanvas Device;
  Device.AttachPainter(&Painter, width(), height());
  TZuzCanvas3D Symbol;
  Symbol.SetUseBuffer(false);
  Symbol.SetCanvas(&Device);
  DrawSymbol(&Symbol);
  Symbol.SetCanvas(nullptr);
  Device.Release();
}

void TZuzButton::changeEvent(QEvent* Event)
{
  QPushButton::changeEvent(Event);
  if (Event->type() == QEvent::EnabledChange)
    repaint();
}

// ---------------------------------------------------------------------------

TButtonColor::TButtonColor(QWidget* AOwner) : TZuzButton(AOwner) { FFullOpen = true; }

TButtonColor::~TButtonColor() = default;

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
  update();
}

void TButtonColor::Click()
{
  TColor C = SymbolColor();
  if (!EditColorDialog(this, C, FFullOpen ? cdFullOpen : 0))
    return;
  SetSymbolColor(C);
  repaint();
  TZuzButton::Click();
}

void TButtonColor::DrawSymbol(TZuzCanvas* ACanvas)
{
  if (!isEnabled() || !SymbolVisible())
    return;
  FSymbolColor = SymbolColor();
  if (FSymbolColor == clNone)
    return;
  ACanvas->Brush()->SetColor(TZuzCanvas::ColorFrom(FSymbolColor, 0));
  ACanvas->Rectangle(SymbolRectangle());
}
