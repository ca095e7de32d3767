#include "chart/canvas/ZuzCanvas.h"
#include "platform/Canvas.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/ClipHistory.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzCorners.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPath.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzShadow.h"

#include "rtl/Exceptions.h"
#include "rtl/ScopeGuard.h"

#include <cmath>

bool ZuzOnWindowsNT = true;
void (*ZuzHtmlTextOut)(TZuzCanvas*, int32_t, int32_t, const String&) = nullptr;
TPoint (*ZuzHtmlTextExtent)(TZuzCanvas*, const String&) = nullptr;
void (*ZuzDrawCheckBoxHook)(TCanvas*, int32_t, int32_t, bool, TColor, bool) = nullptr;

TZuzCanvas::TZuzCanvas()
{
  FPen = std::make_unique<TZuzPen>([this](TObject* S) { ChangedPen(S); });
  FBrush = std::make_unique<TZuzBrush>([this](TObject* S) { ChangedBrush(S); });
  FFont = std::make_unique<TZuzFont>([this](TObject* S) { ChangedFont(S); });
  FSupportsConcave = true;
}

TZuzCanvas::~TZuzCanvas()
{
  // The attribute objects must not call back into a canvas half destroyed.
  FPen->OnChange = nullptr;
  FBrush->OnChange = nullptr;
  FFont->OnChange = nullptr;
}

String TZuzCanvas::ClassName() const { return QStringLiteral("TZuzCanvas"); }

TZuzGradient* TZuzCanvas::Gradient() const { return FBrush->Gradient(); }

int32_t TZuzCanvas::FontHeight() { return TextHeight(QStringLiteral("W")); }

// --- attribute propagation ----------------------------------------------------

void TZuzCanvas::ChangedPen(TObject*) { DoChangedPen(); }

void TZuzCanvas::ChangedBrush(TObject*) { DoChangedBrush(FBrush.get()); }

void TZuzCanvas::ChangedFont(TObject*)
{
  if (!IChangingFont)
    DoChangedFont();
}

void TZuzCanvas::SetCanvas(TCanvas* Value) { FCanvas = Value; }

void TZuzCanvas::DoChangedPen()
{
  if (!FCanvas)
    return;
  if (FPen->Visible()) {
    if (ZuzOnWindowsNT && !GetSupportsFullRotation()) {
      ZuzSetZuzPen(FCanvas->Pen(), FPen.get(), FPen->Color());
      SetPenMode(FPen.get());
    }
  } else if (FCanvas->Pen()->Style() != psClear) {
    FCanvas->Pen()->SetStyle(psClear);
  }
}

void TZuzCanvas::DoChangedBrush(TZuzBrush* ABrush)
{
  if (!FCanvas || !ABrush)
    return;
  FCanvas->Brush()->Assign(static_cast<TBrush*>(ABrush));
  if (ABrush->BackColor() == clNone || ABrush->Style() == bsClear) {
    SetBackMode(cbmTransparent);
  } else if (ABrush->Style() != bsSolid) {
    SetBackMode(cbmOpaque);
    SetBackColor(ABrush->BackColor());
  }
}

void TZuzCanvas::DoChangedFont()
{
  SetInterCharSize(FFont->InterCharSize());
  if (!FCanvas)
    return;
  TFont* Ref = FCanvas->Font();
  const int32_t Ppi = Ref->PixelsPerInch();
  Ref->SetPixelsPerInch(FFont->PixelsPerInch());
  Ref->Assign(static_cast<TFont*>(FFont.get()));
  Ref->SetPixelsPerInch(Ppi);
}

void TZuzCanvas::FastLineTo(int32_t X, int32_t Y) { LineTo(X, Y); }

void TZuzCanvas::SegmentPolyline(std::span<const TPoint> Points)
{
  if (Points.empty())
    return;
  MoveTo(Points[0].X, Points[0].Y);
  for (size_t I = 1; I < Points.size(); ++I)
    LineTo(Points[I].X, Points[I].Y);
}

void TZuzCanvas::SetAntiAlias(bool) {}

void TZuzCanvas::SetInterCharSize(int32_t Value)
{
  if (FCanvas && FCanvas->TextCharacterExtra() != Value)
    FCanvas->SetTextCharacterExtra(Value);
}

void TZuzCanvas::SetPenMode(TZuzPen* APen)
{
  if (FCanvas && APen->Width() > 1 && APen->EndStyle() != esRound)
    FCanvas->SetRop2(APen->Mode());
}

TPointFloatArray TZuzCanvas::Tessellate(std::span<const double>, std::span<const double>) { return {}; }

void ZuzSetZuzPen(TPen* DevicePen, TZuzPen* ChartPen, TColor Color)
{
  if (ChartPen->SmallDots() && ChartPen->Style() != psClear) {
    DevicePen->SetHandle(ZuzCreatePenSmallDots(Color, ChartPen->SmallSpace()));
    DevicePen->SetMode(ChartPen->Mode());
    return;
  }
  DevicePen->Assign(static_cast<TPen*>(ChartPen));
  if (ChartPen->Width() < 2) {
    if (DevicePen->Color() != Color)
      DevicePen->SetColor(Color);
    return;
  }
  DevicePen->SetColor(Color);
  TPenHandle H;
  H.Geometric = true;
  H.Style = ChartPen->Style();
  H.Width = ChartPen->Width();
  H.Color = Color;
  H.EndCap = static_cast<uint8_t>(ChartPen->EndStyle());
  H.Join = static_cast<uint8_t>(ChartPen->JoinStyle());
  DevicePen->SetHandle(H);
}

TPenHandle ZuzCreatePenSmallDots(TColor Color, int32_t Space)
{
  TPenHandle H;
  H.Color = Color;
  H.Width = 1;
  if (Space > 0) {
    H.Geometric = true;
    H.Style = psUserStyle;
    H.UserStyle = {0, static_cast<uint32_t>(Space) + 1};
  } else {
    H.Style = psAlternate;
  }
  return H;
}

// --- assigning attributes ---------------------------------------------------------

void TZuzCanvas::AssignBrush(TZuzBrush* ABrush, TColor AColor, TColor ABackColor)
{
  TNotifyEvent Saved = std::move(FBrush->OnChange);
  FBrush->OnChange = nullptr;
  const bool Mono = GetMonochrome();
  FBrush->Assign(ABrush);
  if (ABrush->Style() != bsClear)
    FBrush->SetColor(Mono ? clWhite : AColor);
  FBrush->SetBackColor(ABackColor);
  FBrush->OnChange = std::move(Saved);
  DoChangedBrush(FBrush.get());
}

void TZuzCanvas::AssignBrush(TZuzBrush* ABrush)
{
  // The brush as it is: its colour fills, its back colour fills hatch gaps.
  AssignBrush(ABrush, ABrush->Color(), ABrush->BackColor());
}

void TZuzCanvas::AssignBrush(TZuzBrush* ABrush, TColor ABackColor) { AssignBrush(ABrush, ABackColor, ABrush->Color()); }

void TZuzCanvas::AssignBrushColor(TZuzBrush* ABrush, TColor AColor, TColor ABackColor)
{
  AssignBrush(ABrush, AColor, ABackColor);
}

void TZuzCanvas::AssignVisiblePenColor(TZuzPen* APen, TColor AColor)
{
  TNotifyEvent Saved = std::move(FPen->OnChange);
  FPen->OnChange = nullptr;
  if (APen->Visible()) {
    const bool Mono = GetMonochrome();
    FPen->Assign(APen);
    FPen->SetColor(Mono ? clBlack : AColor);
  } else {
    FPen->SetStyle(psClear);
  }
  FPen->OnChange = std::move(Saved);
  DoChangedPen();
}

void TZuzCanvas::AssignVisiblePen(TZuzPen* APen) { AssignVisiblePenColor(APen, APen->Color()); }

void TZuzCanvas::AssignFont(TZuzFont* AFont) { AssignFontSize(AFont, AFont->SizeFloat()); }

void TZuzCanvas::AssignFontSize(TZuzFont* AFont, float ASize)
{
  float Size = ASize;
  if (IZoomText && FFontZoom != 100)
    Size = static_cast<float>(FFontZoom * ASize * 0.01);
  {
    IChangingFont = true;
    const auto Restore = ScopeExit([&] { IChangingFont = false; });
    FFont->Assign(AFont);
    FFont->SetSizeFloat(Size);
    if (GetMonochrome())
      FFont->SetColor(clBlack);
  }
  DoChangedFont();
}

void TZuzCanvas::ResetState()
{
  FPen->SetColor(clBlack);
  FPen->SetWidth(1);
  FPen->SetStyle(psSolid);
  FBrush->SetColor(clWhite);
  FBrush->SetStyle(bsSolid);
  if (FBrush->HasImage())
    FBrush->Image()->SetGraphic(nullptr);
  FFont->SetColor(clBlack);
  FFont->SetStyle(0);
  FFont->SetCharset(DEFAULT_CHARSET);
  FFont->SetName(ZuzFontDefaultName);
  FFont->SetSize(ZuzFontDefaultSize);
  if (ZuzSystemPrimaryLanguage() == 0x11) {
    // The platform's default font size in points: its default character
    // height of 12 pixels at the screen's pixels per inch.
    FFont->SetSize(-PixelRound(-12.0 * 72 / ScreenPixelsPerInch));
  }
  if (TZuzGradient* G = FBrush->GradientIfAny()) {
    G->InitDefaults();
    G->DoChanged();
  }
  SetBackColor(clWhite);
  SetBackMode(cbmTransparent);
  SetTextAlign(0);
}

// --- blending -------------------------------------------------------------------

void TZuzCanvas::PushTransp() { ITranspStack.push_back(Transparency); }

void TZuzCanvas::PopTransp()
{
  if (ITranspStack.empty())
    throw EInvalidOperation(QStringLiteral("Canvas Transparency Stack might be corrupt"));
  Transparency = ITranspStack.back();
  ITranspStack.pop_back();
}

std::unique_ptr<TZuzBlend> TZuzCanvas::BeginBlending(const TRect& R, TZuzTransparency T)
{
  PushTransp();
  Transparency = static_cast<uint8_t>(100 - PixelRound((100 - Transparency) * (100 - T) * 0.01));
  return std::make_unique<TZuzBlend>(this, R);
}

void TZuzCanvas::EndBlending(std::unique_ptr<TZuzBlend> Blend)
{
  if (Blend) {
    Blend->DoBlend(Transparency);
    Blend.reset();
  }
  PopTransp();
}

// --- shapes ----------------------------------------------------------------------

void TZuzCanvas::Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, float StartAngle, float EndAngle)
{
  const int32_t XR = (Right - Left) / 2, YR = (Bottom - Top) / 2;
  const int32_t XC = Left + XR, YC = Top + YR;
  auto At = [&](double A) {
    const double R = A * DegToRad;
    return TPoint{XC + PixelRound(XR * std::cos(R)), YC - PixelRound(YR * std::sin(R))};
  };
  const TPoint S = At(StartAngle), E = At(EndAngle);
  if (StartAngle < EndAngle)
    Arc(Left, Top, Right, Bottom, S.X, S.Y, E.X, E.Y);
  else
    Arc(Left, Top, Right, Bottom, E.X, E.Y, S.X, S.Y);
}

void TZuzCanvas::ArcTo(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4,
                       bool ClockWise)
{
  if (!FCanvas)
    return;
  if (ClockWise)
    FCanvas->SetArcDirection(AD_CLOCKWISE);
  FCanvas->ArcTo(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  if (ClockWise)
    FCanvas->SetArcDirection(AD_COUNTERCLOCKWISE);
}

void TZuzCanvas::Frame3D(TRect& Rect, TColor TopColor, TColor BottomColor, int32_t Width)
{
  TNotifyEvent Saved = std::move(FPen->OnChange);
  FPen->OnChange = nullptr;
  FPen->SetWidth(1);
  FPen->SetStyle(psSolid);
  if (FPen->HasFill() && FPen->Fill()->GradientIfAny())
    FPen->Fill()->GradientIfAny()->SetVisible(false);
  FPen->OnChange = std::move(Saved);
  DoChangedPen();
  Rect.Bottom -= 1;
  Rect.Right -= 1;
  for (int32_t i = 0; i < Width; ++i) {
    FPen->SetColor(TopColor);
    const TPoint Top[3] = {{Rect.Left, Rect.Bottom}, {Rect.Left, Rect.Top}, {Rect.Right, Rect.Top}};
    Polyline(Top);
    FPen->SetColor(BottomColor);
    const TPoint Bottom[3] = {{Rect.Right, Rect.Top}, {Rect.Right, Rect.Bottom}, {Rect.Left - 1, Rect.Bottom}};
    Polyline(Bottom);
    Rect.Left += 1;
    Rect.Top += 1;
    Rect.Right -= 1;
    Rect.Bottom -= 1;
  }
  Rect.Bottom += 1;
  Rect.Right += 1;
}

void TZuzCanvas::LineTo(const TPointFloat& P) { LineTo(PixelRound(P.x), PixelRound(P.y)); }
void TZuzCanvas::MoveTo(const TPointFloat& P) { MoveTo(PixelRound(P.x), PixelRound(P.y)); }

// --- text measurement ------------------------------------------------------------

TPoint TZuzCanvas::TextExtent(const String& Text)
{
  if (!FCanvas)
    return TPoint{};
  return FCanvas->TextExtent(Text);
}

TPointFloat TZuzCanvas::TextSize(const String& St)
{
  const TPoint E = TextExtent(St);
  TPointFloat R{static_cast<float>(E.X), static_cast<float>(E.Y)};
  for (TZuzShadow* S : {FFont->ShadowIfAny(), static_cast<TZuzShadow*>(FFont->EmbossIfAny())}) {
    if (S && S->Visible()) {
      R.x += std::abs(S->HorizSize());
      R.y += std::abs(S->VertSize());
    }
  }
  return R;
}

int32_t TZuzCanvas::TextWidth(const String& St) { return static_cast<int32_t>(TextSize(St).x); }
int32_t TZuzCanvas::TextHeight(const String& St) { return static_cast<int32_t>(TextSize(St).y); }

// --- clipping ---------------------------------------------------------------------

void TZuzCanvas::ClipRectangle(const TRect& Rect, int32_t RoundX, int32_t RoundY)
{
  if (FCanvas)
    SetCanvasRegion(FCanvas, TRegion::FromRoundRect(Rect, RoundX, RoundY), RGN_AND);
}

void TZuzCanvas::ClipEllipse(const TRect& Rect, bool Inverted)
{
  if (FCanvas)
    SetCanvasRegion(FCanvas, TRegion::FromEllipse(Rect), Inverted ? RGN_XOR : RGN_AND);
}

void TZuzCanvas::ClipPolygon(std::span<const TPoint> Points, int32_t NumPoints, bool DiffRegion)
{
  if (FCanvas)
    SetCanvasRegion(FCanvas, InternalCreateRegion(FCanvas, Points, NumPoints), DiffRegion ? RGN_DIFF : RGN_AND);
}

// --- paths and derived shapes ---------------------------------------------------

std::unique_ptr<TZuzBasePath> TZuzCanvas::CreatePath(const TPointFloatArray&, const TPathPointTypes&)
{
  return std::make_unique<TZuzPath>(this);
}

std::unique_ptr<TZuzBasePath> TZuzCanvas::CreatePath() { return CreatePath({}, {}); }

void TZuzCanvas::Curve(std::span<const TPoint> Points, float, bool Closed, float)
{
  if (Closed)
    Polygon(Points);
  else
    Polyline(Points);
}

void TZuzCanvas::DoHorizLine(int32_t X0, int32_t X1, int32_t Y)
{
  MoveTo(X0, Y);
  LineTo(X1, Y);
}

void TZuzCanvas::DoVertLine(int32_t X, int32_t Y0, int32_t Y1)
{
  MoveTo(X, Y0);
  LineTo(X, Y1);
}

void TZuzCanvas::DrawCheckBox(int32_t x, int32_t y, bool Checked, TColor ABackColor, bool CheckBox)
{
  if (ZuzDrawCheckBoxHook && FCanvas)
    ZuzDrawCheckBoxHook(FCanvas, x, y, Checked, ABackColor, CheckBox);
}

void TZuzCanvas::Line(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1)
{
  MoveTo(X0, Y0);
  LineTo(X1, Y1);
}

void TZuzCanvas::PolygonConcave(std::span<const TPoint> Points) { Polygon(Points); }

void TZuzCanvas::Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
void TZuzCanvas::DoRectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
void TZuzCanvas::Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
void TZuzCanvas::LineTo(const TPoint& P) { LineTo(P.X, P.Y); }
void TZuzCanvas::MoveTo(const TPoint& P) { MoveTo(P.X, P.Y); }
void TZuzCanvas::Line(const TPoint& FromPoint, const TPoint& ToPoint)
{
  Line(FromPoint.X, FromPoint.Y, ToPoint.X, ToPoint.Y);
}
void TZuzCanvas::Arc(const TRect& R, float StartAngle, float EndAngle)
{
  Arc(R.Left, R.Top, R.Right, R.Bottom, StartAngle, EndAngle);
}

void TZuzCanvas::RoundRect(const TRect& R, int32_t X, int32_t Y, TZuzCorners* ACorners)
{
  if (!ACorners) {
    RoundRect(R.Left, R.Top, R.Right, R.Bottom, X, Y);
    return;
  }
  auto Path = ACorners->GetPath(this, R, X, Y);
  Path->Draw(this);
}

void TZuzCanvas::TextOut(int32_t X, int32_t Y, const String& Text, bool AllowHtml)
{
  if (AllowHtml && ZuzHtmlTextOut)
    ZuzHtmlTextOut(this, X, Y, Text);
  else
    TextOut(X, Y, Text);
}

// --- arrows and polygons ------------------------------------------------------------

TPointArray TZuzCanvas::GetArrowPoints(float ArrowPercent, const TPoint& FromPoint, const TPoint& ToPoint,
                                       int32_t ArrowWidth, int32_t ArrowHeight)
{
  const double Dx = double(ToPoint.X) - FromPoint.X;
  const double Dy = double(FromPoint.Y) - ToPoint.Y;
  const double L = std::sqrt(Dx * Dx + Dy * Dy);
  if (L <= 0)
    return {};
  const double H = std::min<double>(ArrowHeight, PixelRound(L));
  const double SinA = Dy / L, CosA = Dx / L;
  const double XT = ToPoint.X * CosA - ToPoint.Y * SinA;
  const double YT = ToPoint.X * SinA + ToPoint.Y * CosA;
  const double XF = FromPoint.X * CosA - FromPoint.Y * SinA;
  const double W = ArrowWidth;
  const double D = W * ArrowPercent * 0.005;
  auto Back = [&](double X, double Y) {
    return TPoint{PixelRound(X * CosA + Y * SinA), PixelRound(-X * SinA + Y * CosA)};
  };
  TPointArray P(7);
  P[0] = Back(XF, YT + D);
  P[1] = Back(XF, YT - D);
  P[2] = Back(XT - H, YT - D);
  P[3] = Back(XT - H, YT - W * 0.5);
  P[4] = ToPoint;
  P[5] = Back(XT - H, YT + W * 0.5);
  P[6] = Back(XT - H, YT + D);
  return P;
}

void TZuzCanvas::Arrow(bool Filled, double ArrowPercent, const TPoint& FromPoint, const TPoint& ToPoint,
                       int32_t ArrowWidth, int32_t ArrowHeight)
{
  const TPointArray P = GetArrowPoints(static_cast<float>(ArrowPercent), FromPoint, ToPoint, ArrowWidth, ArrowHeight);
  if (P.empty())
    return;
  if (Filled) {
    Polygon(P);
  } else {
    Line(FromPoint, ToPoint);
    LineTo(P[5]);
    Line(ToPoint, P[3]);
  }
}

namespace {
template <class P>
bool ConvexOf(std::span<const P> Pts, auto X, auto Y)
{
  const size_t N = Pts.size();
  if (N < 3)
    return false;
  int Flags = 0;
  for (size_t i = 0; i < N; ++i) {
    const size_t j = (i + 1) % N, k = (i + 2) % N;
    const double Z = (double(Y(Pts[k])) - Y(Pts[j])) * (double(X(Pts[j])) - X(Pts[i])) -
                     (double(X(Pts[k])) - X(Pts[j])) * (double(Y(Pts[j])) - Y(Pts[i]));
    if (Z < 0)
      Flags |= 1;
    else if (Z > 0)
      Flags |= 2;
    if (Flags == 3)
      return false;
  }
  return Flags != 0;
}
} // namespace

bool TZuzCanvas::IsConvexPolygon(std::span<const TPoint> P)
{
  return ConvexOf<TPoint>(
      P, [](const TPoint& A) { return A.X; }, [](const TPoint& A) { return A.Y; });
}

bool TZuzCanvas::IsConvexPolygon(std::span<const TPointFloat> P)
{
  return ConvexOf<TPointFloat>(
      P, [](const TPointFloat& A) { return A.x; }, [](const TPointFloat& A) { return A.y; });
}

TColor TZuzCanvas::SystemColor(TColor AColor)
{
  if (AColor == clNone)
    return 0;
  if (IsSystemColor(AColor))
    return ColorToRGB(AColor);
  return AColor;
}

void TZuzCanvas::CalcArcAngles(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4,
                               int32_t Y4, float& StartAngle, float& EndAngle)
{
  const double XC = (X1 + X2) * 0.5, YC = (Y1 + Y2) * 0.5;
  double S = std::atan2(YC - Y3, X3 - XC);
  double E = std::atan2(YC - Y4, X4 - XC);
  const double TwoPi = 2 * 3.14159265358979323846;
  if (S < 0)
    S += TwoPi;
  if (E < 0)
    E += TwoPi;
  StartAngle = static_cast<float>(S * 57.29577951308232);
  EndAngle = static_cast<float>(E * 57.29577951308232);
}

TRGB TZuzCanvas::RGBValue(TColor AColor)
{
  TRGB R;
  R.Red = GetRValue(AColor);
  R.Green = GetGValue(AColor);
  R.Blue = GetBValue(AColor);
  return R;
}

void TZuzCanvas::InternalDark(TColor AColor, uint8_t Quantity)
{
  const TColor C = ApplyDark(AColor, Quantity);
  if (FBrush->Style() == bsSolid) {
    TNotifyEvent Saved = std::move(FBrush->OnChange);
    FBrush->OnChange = nullptr;
    FBrush->SetColor(C);
    FBrush->OnChange = std::move(Saved);
    if (FCanvas)
      FCanvas->Brush()->SetColor(C);
  } else {
    SetBackColor(C);
  }
}

bool TZuzCanvas::IsGradientVisible() const { return FBrush->Style() != bsClear && FBrush->HasGradient(); }
