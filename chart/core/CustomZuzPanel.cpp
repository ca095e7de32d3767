#include "chart/core/CustomZuzPanel.h"

#include "platform/Canvas.h"
#include "chart/canvas/Canvas3D.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/ZuzFont.h"

#include "platform/Published.h"

#include <QStringList>

bool ZuzEraseBack = false;

namespace {
[[maybe_unused]] const TClassInfo& PanelClass = PublishClass<TCustomZuzPanel>(
    "TCustomZuzPanel", "TComponent",
    {PropObj("View3DOptions", &TCustomZuzPanel::View3DOptions, &TCustomZuzPanel::SetView3DOptions)});
} // namespace

TCustomZuzPanel::TCustomZuzPanel(TComponent* AOwner)
    : TComponent(AOwner), FView3DOptions(std::make_unique<TView3DOptions>(this)), FCanvas(std::make_unique<TCanvas>())
{
}

TCustomZuzPanel::~TCustomZuzPanel()
{
  DestroyComponents();
  FInternalCanvas.reset();
}

String TCustomZuzPanel::ClassName() const { return QStringLiteral("TCustomZuzPanel"); }

void TCustomZuzPanel::SetView3DOptions(TView3DOptions* Value)
{
  if (Value && Value != FView3DOptions.get())
    FView3DOptions->Assign(Value);
}

TCanvas3D* TCustomZuzPanel::InternalCanvas()
{
  if (!FInternalCanvas) {
    const TCanvasClass* C = FindCanvasClass(FDefaultCanvas);
    if (!C)
      C = &ZuzRenderClasses().front();
    FInternalCanvas = C->Create();
    FInternalCanvas->SetReferenceCanvas(FCanvas.get());
  }
  return FInternalCanvas.get();
}

void TCustomZuzPanel::SetInternalCanvas(std::unique_ptr<TCanvas3D> NewCanvas)
{
  if (!NewCanvas)
    return;
  NewCanvas->SetReferenceCanvas(FCanvas.get());
  if (FInternalCanvas) {
    const bool Old = FAutoRepaint;
    FAutoRepaint = false;
    NewCanvas->Assign(FInternalCanvas.get());
    FAutoRepaint = Old;
  }
  FInternalCanvas = std::move(NewCanvas);
  FDefaultCanvas = FInternalCanvas->ClassName();
  if (FAutoRepaint)
    Invalidate();
}

void TCustomZuzPanel::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight)
{
  FLeft = ALeft;
  FTop = ATop;
  const bool Sized = AWidth != FWidth || AHeight != FHeight;
  FWidth = AWidth;
  FHeight = AHeight;
  if (FInitialWidth <= 0 && FInitialHeight <= 0 && AWidth > 0 && AHeight > 0) {
    FInitialWidth = AWidth;
    FInitialHeight = AHeight;
  }
  if (Sized)
    Resize();
}

void TCustomZuzPanel::Resize()
{
  if ((ComponentState() & csLoading) || FView3DOptions->ZoomText() != ztAuto)
    return;
  if (FInitialWidth > 0 && FInitialHeight > 0) {
    const int32_t GrowW = PixelRound((FWidth - FInitialWidth) * 100.0 / FInitialWidth);
    const int32_t GrowH = PixelRound((FHeight - FInitialHeight) * 100.0 / FInitialHeight);
    FView3DOptions->SetFontZoom(100 + std::max(GrowW, GrowH));
  }
}

TPoint TCustomZuzPanel::MultiLineTextSize(const String& S, TZuzTextFormat TextFormat, int32_t& NumLines)
{
  String Text = S;
  Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  Text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  const QStringList Lines = Text.split(QLatin1Char('\n'));
  TCanvas3D* C = InternalCanvas();
  TPoint Size;
  for (const String& L : Lines) {
    TPoint E;
    if (TextFormat == ttfHtml && ZuzHtmlTextExtent)
      E = ZuzHtmlTextExtent(C, L);
    else
      E = TPoint{C->TextWidth(L), C->TextHeight(QStringLiteral("W"))};
    Size.X = std::max(Size.X, E.X);
    Size.Y += E.Y;
  }
  NumLines = static_cast<int32_t>(Lines.size());
  return Size;
}

TZuzFont* TCustomZuzPanel::DefaultFont()
{
  if (!FDefaultFont)
    FDefaultFont = std::make_unique<TZuzFont>([this](TObject*) { Invalidate(); });
  return FDefaultFont.get();
}

void TCustomZuzPanel::TryAssignFont(TZuzFont* AFont)
{
  InternalCanvas()->AssignFont(AFont->DefaultFont() ? DefaultFont() : AFont);
}

void TCustomZuzPanel::PrepareFont3D(TZuzFont* AFont)
{
  TZuzFont* F = AFont->DefaultFont() ? DefaultFont() : AFont;
  if (FView3D)
    InternalCanvas()->AssignFont3D(F);
  else
    InternalCanvas()->AssignFont(F);
}

void TCustomZuzPanel::Invalidate()
{
  if (!FAutoRepaint)
    return;
  if (FInternalCanvas)
    FInternalCanvas->Invalidate();
  if (OnInvalidate)
    OnInvalidate();
}
