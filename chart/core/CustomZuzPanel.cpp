#include "chart/core/CustomZuzPanel.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzFilter.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/EditorOptions.h"
#include "chart/core/ZuzPanning.h"
#include "chart/core/ZuzStrings.h"
#include "platform/Canvas.h"
#include "platform/Forms.h"
#include "platform/CanvasMath.h"
#include "platform/Filer.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"

#include <QImage>

#include <algorithm>

String ZuzDefaultCanvas = QStringLiteral("TGDIPlusCanvas");
bool ZuzClipPrinterOutput = true;
bool ZuzClipMetafileOutput = true;
bool ZuzEraseWindowBackground = false;
bool ZuzPaintBackgroundWhenPrinting = true;
QChar ZuzTextLineBreak{u'\r'};
std::vector<TColor> ZuzColorPalette;

void SetDefaultColorPalette()
{
  ZuzColorPalette = {0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFFFFFF, 0x808080, 0xFF00FF,
                     0x808000, 0x800000, 0x000080, 0x00FF00, 0x008080, 0x800080, 0xC0C0C0,
                     0xFFFF00, 0x000000, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};
}

void SetDefaultColorPalette(const std::vector<TColor>& APalette, int32_t High)
{
  if (High == -1) {
    SetDefaultColorPalette();
    return;
  }
  const size_t N = std::min(APalette.size(), static_cast<size_t>(std::max(High + 1, 0)));
  ZuzColorPalette.assign(APalette.begin(), APalette.begin() + static_cast<std::ptrdiff_t>(N));
}

TColor GetDefaultColor(int32_t Index) { return ZuzColorPalette[static_cast<size_t>(Index) % ZuzColorPalette.size()]; }

namespace {

const TEnumInfo ZuzUnitsInfo("TZuzUnits", {"muPercent", "muPixels"});
const TEnumInfo PanelBevelInfo("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});

[[maybe_unused]] const TClassInfo& NoCaptionClass = PublishClass<TCustomPanelNoCaption>(
    "TCustomPanelNoCaption", "TCustomControl",
    {
        PropEnum("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, PanelBevelInfo, bvNone),
        PropEnum("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, PanelBevelInfo, bvRaised),
        PropInt("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1),
        PropInt("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth, 0),
    });

[[maybe_unused]] const TClassInfo& PanelClass = PublishClass<TCustomZuzPanel>(
    "TCustomZuzPanel", "TCustomPanelNoCaption",
    {
        PropObj("Border", &TCustomZuzPanel::Border, &TCustomZuzPanel::SetBorder),
        PropInt("BorderRound", &TCustomZuzPanel::BorderRound, &TCustomZuzPanel::SetBorderRound, 0),
        PropObj("Emboss", &TCustomZuzPanel::Emboss, &TCustomZuzPanel::SetEmboss),
        PropInt("MarginLeft", &TCustomZuzPanel::MarginLeft, &TCustomZuzPanel::SetMarginLeft, 3),
        PropInt("MarginTop", &TCustomZuzPanel::MarginTop, &TCustomZuzPanel::SetMarginTop, 4),
        PropInt("MarginRight", &TCustomZuzPanel::MarginRight, &TCustomZuzPanel::SetMarginRight, 3),
        PropInt("MarginBottom", &TCustomZuzPanel::MarginBottom, &TCustomZuzPanel::SetMarginBottom, 4),
        PropEnum("MarginUnits", &TCustomZuzPanel::MarginUnits, &TCustomZuzPanel::SetMarginUnits, ZuzUnitsInfo,
                 muPercent),
        PropBool("Monochrome", &TCustomZuzPanel::Monochrome, &TCustomZuzPanel::SetMonochrome, false),
        PropObj("Panning", &TCustomZuzPanel::Panning, &TCustomZuzPanel::SetPanning),
        PropBool("PrintProportional", &TCustomZuzPanel::PrintProportional, &TCustomZuzPanel::SetPrintProportional,
                 true),
        PropObj("Shadow", &TCustomZuzPanel::Shadow, &TCustomZuzPanel::SetShadow),
        PropBool("View3D", &TCustomZuzPanel::View3D, &TCustomZuzPanel::SetView3D, true),
        PropObj("View3DOptions", &TCustomZuzPanel::View3DOptions, &TCustomZuzPanel::SetView3DOptions),
    });

template <class T>
bool Store(T& Variable, const T& Value)
{
  if (Variable == Value)
    return false;
  Variable = Value;
  return true;
}

// Restores AutoRepaint when a canvas switch ends, also by an exception.
class TAutoRepaintOff {
public:
  explicit TAutoRepaintOff(TCustomZuzPanel& P) : FPanel(P), FOld(P.AutoRepaint()) { P.SetAutoRepaint(false); }
  ~TAutoRepaintOff() { FPanel.SetAutoRepaint(FOld); }
  TAutoRepaintOff(const TAutoRepaintOff&) = delete;
  TAutoRepaintOff& operator=(const TAutoRepaintOff&) = delete;

private:
  TCustomZuzPanel& FPanel;
  bool FOld;
};

} // namespace

TCustomPanelNoCaption::TCustomPanelNoCaption(TComponent* AOwner) : TCustomPanel(AOwner)
{
  SetControlStyle(ControlStyle() & ~(csSetCaption | csParentBackground));
}

String TCustomPanelNoCaption::ClassName() const { return QStringLiteral("TCustomPanelNoCaption"); }

TCustomZuzPanel::TCustomZuzPanel(TComponent* AOwner)
    : TCustomPanelNoCaption(AOwner), FView3DOptions(std::make_unique<TView3DOptions>(this))
{
  const TNotifyEvent Changed = [this](TObject* Sender) { CanvasChanged(Sender); };
  // The panel paints all of itself through its buffer: no fill before.
  SetControlStyle(ControlStyle() | csOpaque);
  SetTabStop(true);
  SetBounds(Left(), Top(), 400, 250);
  FPlatformCanvas = Canvas();
  // The user's choice in the chart editor overrides the library default;
  // a panel read from a stream takes the streamed one.
  if (!ZuzDefaultCanvas.isEmpty() && !(ComponentState() & csLoading))
    IDefaultCanvas = ZuzReadStringOption(QStringLiteral("DefaultCanvas"), ZuzDefaultCanvas);
  CreateDefaultCanvas();
  FOriginalCursor = Cursor();
  FPanning = std::make_unique<TZuzPanning>();
  FShadow = std::make_unique<TZuzShadow>(Changed);
  FEmboss = std::make_unique<TZuzEmboss>(Changed);
  FBorder = std::make_unique<TZuzHiddenPen>(Changed);
}

TCustomZuzPanel::~TCustomZuzPanel()
{
  IncludeState(csDestroying);
  if (IsEmbedded)
    (void)FInternalCanvas.release();
  else
    FInternalCanvas.reset();
}

String TCustomZuzPanel::ClassName() const { return QStringLiteral("TCustomZuzPanel"); }

void TCustomZuzPanel::Assign(TPersistent* Source)
{
  auto* P = dynamic_cast<TCustomZuzPanel*>(Source);
  if (!P) {
    TCustomPanelNoCaption::Assign(Source);
    return;
  }
  SetBevelInner(P->BevelInner());
  SetBevelOuter(P->BevelOuter());
  SetBevelWidth(P->BevelWidth());
  FBorder->Assign(P->FBorder.get());
  FBorderRound = P->FBorderRound;
  SetBufferedDisplay(P->BufferedDisplay());
  SetColor(P->Color());
  FEmboss->Assign(P->FEmboss.get());
  FMargins = P->FMargins;
  FMarginUnits = P->FMarginUnits;
  SetMonochrome(P->Monochrome());
  FPanning->Assign(P->FPanning.get());
  PrintMargins = P->PrintMargins;
  FPrintProportional = P->FPrintProportional;
  FPrintResolution = P->FPrintResolution;
  FShadow->Assign(P->FShadow.get());
  FView3D = P->FView3D;
  FView3DOptions->Assign(P->FView3DOptions.get());
}

void TCustomZuzPanel::ReadBorderStyle(const String& Ident) { FBorder->SetVisible(Ident == QStringLiteral("bsSingle")); }

void TCustomZuzPanel::DefineProperties(TFiler* Filer)
{
  TCustomPanelNoCaption::DefineProperties(Filer);
  const auto* Ancestor = dynamic_cast<const TCustomZuzPanel*>(Filer->Ancestor());
  Filer->DefineProperty(
      QStringLiteral("DefaultCanvas"), [this](TReader& R) { IDefaultCanvas = R.ReadString(); },
      [this](TWriter& W) { W.WriteString(IDefaultCanvas); }, !Ancestor || Ancestor->IDefaultCanvas != IDefaultCanvas);
  Filer->DefineProperty(
      QStringLiteral("BorderStyle"), [this](TReader& R) { ReadBorderStyle(R.ReadIdent()); }, {}, false);
}

void TCustomZuzPanel::Loaded()
{
  TCustomPanelNoCaption::Loaded();
  CreateDefaultCanvas();
  if (!FInternalCanvas || !FInternalCanvas->IsAvailable())
    SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
  FOriginalCursor = Cursor();
  InitialSize = TPoint{Width(), Height()};
}

// ---------------------------------------------------------------------------
// Canvas

void TCustomZuzPanel::CreateDefaultCanvas()
{
  const TCanvasClass* Candidate = &ZuzRenderClasses().front();
  if (!IDefaultCanvas.isEmpty())
    for (const TCanvasClass& C : ZuzRenderClasses())
      if (C.ClassName == IDefaultCanvas) {
        Candidate = &C;
        break;
      }
  if (FInternalCanvas && FInternalCanvas->ClassName() == Candidate->ClassName)
    return;
  FInternalCanvas.reset();
  FInternalCanvas = Candidate->Create();
  FInternalCanvas->SetReferenceCanvas(FPlatformCanvas);
}

void TCustomZuzPanel::SetInternalCanvas(std::unique_ptr<TCanvas3D> NewCanvas)
{
  if (!NewCanvas)
    return;
  NewCanvas->SetReferenceCanvas(FPlatformCanvas);
  if (FInternalCanvas) {
    const TAutoRepaintOff Off(*this);
    NewCanvas->Assign(FInternalCanvas.get());
  }
  FInternalCanvas = std::move(NewCanvas);
  IDefaultCanvas = FInternalCanvas->ClassName();
  if (FAutoRepaint)
    Invalidate();
}

bool TCustomZuzPanel::BufferedDisplay() const { return FInternalCanvas->UseBuffer(); }

void TCustomZuzPanel::SetBufferedDisplay(bool Value) { FInternalCanvas->SetUseBuffer(Value); }

bool TCustomZuzPanel::Monochrome() const { return FInternalCanvas->Monochrome(); }

void TCustomZuzPanel::SetMonochrome(bool Value) { FInternalCanvas->SetMonochrome(Value); }

void TCustomZuzPanel::CanvasChanged(TObject*) { Invalidate(); }

TFilterItems* TCustomZuzPanel::Filters()
{
  if (!FGlobalPicture)
    FGlobalPicture = std::make_unique<TZuzPicture>();
  TFilterItems* F = FGlobalPicture->Filters();
  F->FOnChange = [this](TObject* Sender) { CanvasChanged(Sender); };
  return F;
}

// ---------------------------------------------------------------------------
// Drawing

void TCustomZuzPanel::Paint()
{
  if (FPrinting)
    return;
  TCanvas* Previous = nullptr;
  bool Switched = false;
  if (FPlatformCanvas != Canvas()) {
    FPlatformCanvas = Canvas();
    Previous = FInternalCanvas->ReferenceCanvas();
    FInternalCanvas->SetReferenceCanvas(FPlatformCanvas);
    Switched = true;
  }
  if (!FInternalCanvas->ReDrawBitmap())
    Draw();
  if (Switched && Previous)
    FInternalCanvas->SetReferenceCanvas(Previous);
}

void TCustomZuzPanel::Draw() { Draw(FPlatformCanvas, GetRectangle()); }

void TCustomZuzPanel::Draw(TCanvas* UserCanvas, const TRect& UserRect)
{
  if (FCustomChartRect && ICachedChartRect.IsEmpty())
    ICachedChartRect = ChartRect;
  if (InitialSize.X == 0)
    InitialSize.X = Width();
  if (InitialSize.Y == 0)
    InitialSize.Y = Height();
  FChartBounds =
      FInternalCanvas->InitWindow(UserCanvas, FView3DOptions.get(), PanelColor(GetBackColor()), FView3D, UserRect);
  ApplyMargins();
  if (FCustomChartRect) {
    ChartRect = ICachedChartRect;
    if (FPrinting) {
      ChartRect.Left += FChartBounds.Left;
      ChartRect.Right += FChartBounds.Left;
      ChartRect.Top += FChartBounds.Top;
      ChartRect.Bottom += FChartBounds.Top;
    }
  }
  ReCalcWidthHeight();
  InternalDraw(FChartBounds);
  if (FGlobalPicture && FGlobalPicture->FiltersIfAny() && FGlobalPicture->FiltersIfAny()->Count() > 0)
    if (auto* C = dynamic_cast<TZuzCanvas3D*>(FInternalCanvas.get()); C && C->Bitmap())
      FGlobalPicture->FiltersIfAny()->ApplyTo(C->Bitmap());
  if (!DontShowImage)
    FInternalCanvas->ShowImage(UserCanvas, FPlatformCanvas, UserRect);
}

void TCustomZuzPanel::InternalDraw(const TRect&) {}

void TCustomZuzPanel::Invalidate()
{
  if (!FAutoRepaint)
    return;
  if (FInternalCanvas)
    FInternalCanvas->Invalidate();
  TCustomPanelNoCaption::Invalidate();
}

TRect TCustomZuzPanel::GetRectangle() const { return Parent() ? ClientRect() : TRect{0, 0, Width(), Height()}; }

TColor TCustomZuzPanel::GetBackColor() { return PanelColor(Color()); }

TColor TCustomZuzPanel::PanelColor(TColor AColor) const { return TZuzCanvas::SystemColor(AColor); }

bool TCustomZuzPanel::CanClip()
{
  if (FInternalCanvas->SupportsFullRotation() && FView3D)
    return false;
  const bool Metafiling = FInternalCanvas->Metafiling();
  if (!FPrinting && !Metafiling)
    return true;
  return (FPrinting && ZuzClipPrinterOutput) || (Metafiling && ZuzClipMetafileOutput);
}

// ---------------------------------------------------------------------------
// Size and chart rectangle

void TCustomZuzPanel::Resize()
{
  if (!(ComponentState() & csLoading) && FView3DOptions->ZoomText() == ztAuto && InitialSize.X > 0 &&
      InitialSize.Y > 0) {
    const int32_t GrowW = PixelRound((Width() - InitialSize.X) * 100.0 / InitialSize.X);
    const int32_t GrowH = PixelRound((Height() - InitialSize.Y) * 100.0 / InitialSize.Y);
    FView3DOptions->SetFontZoom(100 + std::max(GrowW, GrowH));
  }
  TCustomPanelNoCaption::Resize();
}

void TCustomZuzPanel::ChangeScale(int32_t M, int32_t D)
{
  if (M == D || D == 0)
    return;
  FInternalCanvas->SetFontZoom(FInternalCanvas->FontZoom() * M / D);
  FView3DOptions->SetFontZoom(PixelRound(FInternalCanvas->FontZoom()));
}

int32_t TCustomZuzPanel::BorderSize() const
{
  int32_t Result = BorderWidth();
  if (BevelInner() != bvNone)
    Result += BevelWidth();
  if (BevelOuter() != bvNone)
    Result += BevelWidth();
  if (FBorder->Visible())
    Result += FBorder->Width();
  return Result;
}

void TCustomZuzPanel::ApplyMargins()
{
  const int32_t B = BorderSize();
  const int32_t W = FChartBounds.Width();
  const int32_t H = FChartBounds.Height();
  // Percent margins are whole pixels of the integer product, truncated.
  const auto Px = [this](int32_t M, int32_t Side) {
    return FMarginUnits == muPixels ? M : static_cast<int32_t>(static_cast<int64_t>(M) * Side / 100);
  };
  ChartRect = TRect{FChartBounds.Left + B + Px(FMargins.Left, W), FChartBounds.Top + B + Px(FMargins.Top, H),
                    FChartBounds.Right - B - Px(FMargins.Right, W), FChartBounds.Bottom - B - Px(FMargins.Bottom, H)};
  if (FShadow->Visible()) {
    const int32_t HS = FShadow->HorizSize(), VS = FShadow->VertSize();
    if (HS > 0)
      ChartRect.Right -= HS;
    else
      ChartRect.Left -= HS;
    if (VS > 0)
      ChartRect.Bottom -= VS;
    else
      ChartRect.Top -= VS;
  }
  if (FEmboss->Visible()) {
    const int32_t HS = FEmboss->HorizSize(), VS = FEmboss->VertSize();
    if (HS > 0)
      ChartRect.Left += HS;
    else
      ChartRect.Right += HS;
    if (VS > 0)
      ChartRect.Top += VS;
    else
      ChartRect.Bottom += VS;
  }
}

void TCustomZuzPanel::ReCalcWidthHeight()
{
  ChartRect.Left = std::max(ChartRect.Left, FChartBounds.Left);
  ChartRect.Top = std::max(ChartRect.Top, FChartBounds.Top);
  if (ChartRect.Right < ChartRect.Left)
    ChartRect.Right = ChartRect.Left + 1;
  if (ChartRect.Bottom < ChartRect.Top)
    ChartRect.Bottom = ChartRect.Top + 1;
  FChartWidth = ChartRect.Right - ChartRect.Left;
  FChartHeight = ChartRect.Bottom - ChartRect.Top;
  FChartXCenter = (ChartRect.Left + ChartRect.Right) / 2;
  FChartYCenter = (ChartRect.Top + ChartRect.Bottom) / 2;
}

void TCustomZuzPanel::SetChartRect(const TRect& R)
{
  SetCustomChartRect(true);
  ChartRect = R;
  Invalidate();
}

void TCustomZuzPanel::SetCustomChartRect(bool Value)
{
  FCustomChartRect = Value;
  ICachedChartRect = TRect{};
}

// ---------------------------------------------------------------------------
// Margins and frame

int32_t TCustomZuzPanel::Margin(int32_t Index) const
{
  switch (Index) {
  case 0:
    return FMargins.Left;
  case 1:
    return FMargins.Top;
  case 2:
    return FMargins.Right;
  default:
    return FMargins.Bottom;
  }
}

void TCustomZuzPanel::SetMargin(int32_t Index, int32_t Value)
{
  switch (Index) {
  case 0:
    SetIntegerProperty(FMargins.Left, Value);
    break;
  case 1:
    SetIntegerProperty(FMargins.Top, Value);
    break;
  case 2:
    SetIntegerProperty(FMargins.Right, Value);
    break;
  case 3:
    SetIntegerProperty(FMargins.Bottom, Value);
    break;
  default:
    break;
  }
}

void TCustomZuzPanel::SetMarginUnits(TZuzUnits Value)
{
  if (Store(FMarginUnits, Value))
    Invalidate();
}

void TCustomZuzPanel::SetBorder(TZuzHiddenPen* Value)
{
  if (Value)
    FBorder->Assign(Value);
}

void TCustomZuzPanel::SetBorderRound(int32_t Value)
{
  // The rounded window region belongs to the window, which draws it when
  // the panel is a control on screen.
  SetIntegerProperty(FBorderRound, Value);
}

void TCustomZuzPanel::SetShadow(TZuzShadow* Value)
{
  if (Value)
    FShadow->Assign(Value);
}

void TCustomZuzPanel::SetEmboss(TZuzEmboss* Value)
{
  if (Value)
    FEmboss->Assign(Value);
}

void TCustomZuzPanel::ColorChanged()
{
  // The chart's image holds the colour: it must be drawn again.
  Invalidate();
}

// ---------------------------------------------------------------------------
// 3D, panning

void TCustomZuzPanel::SetView3D(bool Value)
{
  if (FView3D == Value)
    return;
  SetBooleanProperty(FView3D, Value);
  BroadcastZuzEventClass<TZuzView3DEvent>();
}

void TCustomZuzPanel::SetView3DOptions(TView3DOptions* Value)
{
  if (Value && Value != FView3DOptions.get())
    FView3DOptions->Assign(Value);
}

void TCustomZuzPanel::SetApplyZOrder(bool Value) { SetBooleanProperty(FApplyZOrder, Value); }

void TCustomZuzPanel::SetPanning(TZuzPanning* Value)
{
  if (Value)
    FPanning->Assign(Value);
}

// ---------------------------------------------------------------------------
// Text

int32_t TCustomZuzPanel::LinesOfText(const String& Text) const
{
  const String& Sep = ZuzLineSeparator;
  if (Sep.isEmpty())
    return 1;
  int32_t Breaks = 0;
  qsizetype Rest = 0; // where the text after the last break starts
  for (qsizetype P = Text.indexOf(Sep); P >= 0; P = Text.indexOf(Sep, Rest)) {
    ++Breaks;
    Rest = P + Sep.size();
    if (Rest < Text.size() && Text[Rest] == QLatin1Char('\n'))
      ++Rest;
  }
  if (Breaks == 0)
    return 1;
  return Breaks + (Rest < Text.size() ? 1 : 0);
}

TPoint TCustomZuzPanel::MultiLineTextSize(const String& S, TZuzTextFormat TextFormat, int32_t& NumLines)
{
  NumLines = 0;
  TPoint Size;
  if (S.isEmpty())
    return Size;
  TCanvas3D* C = FInternalCanvas.get();
  const bool Html = TextFormat == ttfHtml && ZuzHtmlTextExtent;
  const int32_t LineHeight = Html ? 0 : C->TextHeight(QStringLiteral("W"));
  qsizetype Start = 0;
  while (Start < S.size()) {
    qsizetype End = S.indexOf(ZuzTextLineBreak, Start);
    if (End < 0)
      End = S.size();
    const String Line = S.mid(Start, End - Start);
    const TPoint E = Html ? ZuzHtmlTextExtent(C, Line) : TPoint{C->TextWidth(Line), LineHeight};
    Size.X = std::max(Size.X, E.X);
    Size.Y += E.Y;
    ++NumLines;
    Start = End + 1;
    if (End < S.size() && Start < S.size() && S[Start] == QLatin1Char('\n'))
      ++Start;
  }
  return Size;
}

int32_t TCustomZuzPanel::MultiLineTextWidth(const String& S, int32_t& NumLines, TZuzTextFormat TextFormat)
{
  return MultiLineTextSize(S, TextFormat, NumLines).X;
}

TZuzFont* TCustomZuzPanel::GetDefaultFont()
{
  if (FTheme)
    return FTheme->GetDefaultFont();
  if (!FGlobalFont)
    FGlobalFont = std::make_unique<TZuzFont>([this](TObject* Sender) { CanvasChanged(Sender); });
  return FGlobalFont.get();
}

void TCustomZuzPanel::SetDefaultFont(TZuzFont* Value)
{
  if (!Value)
    FGlobalFont.reset();
  else
    GetDefaultFont()->Assign(Value);
}

void TCustomZuzPanel::TryAssignFont(TZuzFont* AFont)
{
  FInternalCanvas->AssignFont(AFont->DefaultFont() ? GetDefaultFont() : AFont);
}

void TCustomZuzPanel::PrepareFont3D(TZuzFont* AFont)
{
  if (FView3D)
    FInternalCanvas->AssignFont3D(AFont->DefaultFont() ? GetDefaultFont() : AFont);
  else
    TryAssignFont(AFont);
}

void TCustomZuzPanel::SetBrushCanvas(TColor AColor, TZuzBrush* ABrush, TColor ABackColor)
{
  if (ABrush->Style() != bsSolid && AColor == ABackColor)
    AColor = ABackColor == clBlack ? clWhite : clBlack;
  FInternalCanvas->AssignBrush(ABrush, AColor, ABackColor);
}

bool TCustomZuzPanel::IsScreenHighColor()
{
  if (FInternalCanvas->SupportsFullRotation())
    return true;
  const TCanvas* Device = FInternalCanvas->ReferenceCanvas();
  // A window's device is a true-colour screen; an image has its own depth.
  const int32_t Bits = Device && Device->Image() ? Device->Image()->depth() : 32;
  return Bits > 14;
}

// ---------------------------------------------------------------------------
// Setters

void TCustomZuzPanel::SetBooleanProperty(bool& Variable, bool Value)
{
  if (Store(Variable, Value))
    Invalidate();
}

void TCustomZuzPanel::SetIntegerProperty(int32_t& Variable, int32_t Value)
{
  if (Store(Variable, Value))
    Invalidate();
}

void TCustomZuzPanel::SetDoubleProperty(double& Variable, double Value)
{
  if (Store(Variable, Value))
    Invalidate();
}

void TCustomZuzPanel::SetColorProperty(TColor& Variable, TColor Value)
{
  if (Store(Variable, Value))
    Invalidate();
}

void TCustomZuzPanel::SetStringProperty(String& Variable, const String& Value)
{
  if (Store(Variable, Value))
    Invalidate();
}

// ---------------------------------------------------------------------------
// Listeners

void TCustomZuzPanel::AddListener(IZuzEventListener* Listener)
{
  if (Listener && std::find(IEventListeners.begin(), IEventListeners.end(), Listener) == IEventListeners.end())
    IEventListeners.push_back(Listener);
}

void TCustomZuzPanel::RemoveListener(IZuzEventListener* Listener)
{
  const auto It = std::find(IEventListeners.begin(), IEventListeners.end(), Listener);
  if (It != IEventListeners.end())
    IEventListeners.erase(It);
}

void TCustomZuzPanel::BroadcastZuzEvent(TZuzEvent* Event)
{
  if (ComponentState() & csDestroying)
    return;
  Event->Sender = this;
  const bool IsMouse = dynamic_cast<TZuzMouseEvent*>(Event) != nullptr;
  size_t I = 0;
  while (I < IEventListeners.size()) {
    IZuzEventListener* L = IEventListeners[I];
    L->ZuzEvent(Event);
    if (IsMouse && FCancelMouse)
      break;
    // A listener that removed itself leaves its place to the next one.
    if (I < IEventListeners.size() && IEventListeners[I] == L)
      ++I;
  }
}

void TCustomZuzPanel::BroadcastMouseEvent(TZuzMouseEventKind Kind, TMouseButton Button, TShiftState Shift, int32_t X,
                                          int32_t Y)
{
  if (IEventListeners.empty())
    return;
  TZuzMouseEvent E;
  E.Event = Kind;
  E.Button = Button;
  E.Shift = Shift;
  E.X = X;
  E.Y = Y;
  BroadcastZuzEvent(&E);
}

TPoint TCustomZuzPanel::GetCursorPos() const { return ScreenToClient(MouseCursorPos()); }

// ---------------------------------------------------------------------------
// Input

void TCustomZuzPanel::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  FCancelMouse = false;
  TCustomPanelNoCaption::MouseDown(Button, Shift, X, Y);
  if (!FCancelMouse)
    BroadcastMouseEvent(meDown, Button, Shift, X, Y);
  // A click on a chart lets the keyboard reach it (arrow keys scroll).
  if (CanFocus() && TabStop() && !Focused() && Parent() && !Parent()->Focused())
    SetFocus();
}

void TCustomZuzPanel::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  FCancelMouse = false;
  TCustomPanelNoCaption::MouseUp(Button, Shift, X, Y);
  BroadcastMouseEvent(meUp, Button, Shift, X, Y);
}

void TCustomZuzPanel::MouseMove(TShiftState Shift, int32_t X, int32_t Y)
{
  FCancelMouse = false;
  TCustomPanelNoCaption::MouseMove(Shift, X, Y);
  if (!IEventListeners.empty() && !(ComponentState() & csDesigning))
    BroadcastMouseEvent(meMove, mbLeft, Shift, X, Y);
}

void TCustomZuzPanel::DblClick()
{
  FCancelMouse = false;
  TCustomPanelNoCaption::DblClick();
  if (FCancelMouse)
    throw EAbort(QString());
}

void TCustomZuzPanel::MouseLeave()
{
  InternalDoMouseLeave();
  TCustomPanelNoCaption::MouseLeave();
}

void TCustomZuzPanel::InternalDoMouseLeave()
{
  SetCursor(FOriginalCursor);
  if (FPanning->InsideBounds())
    FPanning->SetActive(false);
  BroadcastZuzEventClass<TMouseLeaveEvent>();
}

uint32_t TCustomZuzPanel::WMGetDlgCode() { return TCustomPanelNoCaption::WMGetDlgCode() | DLGC_WANTARROWS; }

void TCustomZuzPanel::SetTheme(std::unique_ptr<TCustomZuzPanel> Value)
{
  FTheme = std::move(Value);
  Invalidate();
}
