// The anti-aliased canvas: life cycle of its graphics object, colours and
// alpha, pens, the geometric primitives, clipping, world transforms and XOR
// drawing. Brushes are in GDIPlusBrushes.cpp, text and pictures in
// GDIPlusText.cpp.
#include "chart/canvas/GDIPlusCanvas.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/GDIPlusGraphics.h"
#include "chart/canvas/GDIPlusPath.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzTransform.h"

#include "rtl/Exceptions.h"

#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>

struct TEntityTransform {
  QTransform Saved;
  bool Clipped = false;
};

namespace {

std::vector<QPointF>& Scratch()
{
  static std::vector<QPointF> S;
  return S;
}

std::span<const QPointF> ToQ(std::span<const TPoint> P)
{
  auto& S = Scratch();
  S.resize(P.size());
  for (size_t i = 0; i < P.size(); ++i)
    S[i] = QPointF(P[i].X, P[i].Y);
  return S;
}

std::span<const QPointF> ToQ(std::span<const TPointFloat> P)
{
  auto& S = Scratch();
  S.resize(P.size());
  for (size_t i = 0; i < P.size(); ++i)
    S[i] = QPointF(P[i].x, P[i].y);
  return S;
}

TPointFloatArray ToFloat(std::span<const TPoint> P)
{
  TPointFloatArray R(P.size());
  for (size_t i = 0; i < P.size(); ++i)
    R[i] = TPointFloat{float(P[i].X), float(P[i].Y)};
  return R;
}

QRectF XYWH(const TRect& R) { return QRectF(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top); }

void CheckError(TGPStatus Status)
{
  if (Status != Ok)
    throw Exception(GPStatusText(Status));
}

} // namespace

TGDIPlusCanvas::TGDIPlusCanvas()
{
  FAnti = true;
  FontQuality = fqDefault;
  FScale = 1.0f;
  Transparency = 255;
  INoFixAlign = true;
  FSupportsAlpha = true;
  IXORCanvas = std::make_unique<TZuzCanvas3D>();
  IXORCanvas->SetUseBuffer(false);
  if (IsAvailable())
    GetGraphics();
}

TGDIPlusCanvas::~TGDIPlusCanvas()
{
  FGPPenFill.reset();
  FGPPen.reset();
  FGPBrush.reset();
  FGPFont.reset();
  FGraphics.reset();
  IXORCanvas.reset();
}

String TGDIPlusCanvas::ClassName() const { return QStringLiteral("TGDIPlusCanvas"); }
String TGDIPlusCanvas::Description() { return QStringLiteral("GDI+"); }
String TGDIPlusCanvas::EditorClass() { return QStringLiteral("TGDIPlusEditor"); }

// --- the graphics object -------------------------------------------------------------

TCanvas* TGDIPlusCanvas::BufferHandle()
{
  if (!FBitmap) {
    auto B = std::make_unique<TBitmap>();
    B->SetIgnorePalette(true);
    SetBitmap(std::move(B));
  }
  FBitmap->SetPixelFormat(pf32bit);
  return FBitmap->Canvas();
}

TGPGraphics* TGDIPlusCanvas::GetGraphics()
{
  // The canvas draws where the GDI canvas would: on its current device, which
  // InitWindow makes the buffer when buffering is on.
  TCanvas* Target = FCanvas ? FCanvas : (GetUseBuffer() ? BufferHandle() : nullptr);
  if (FGraphics && FGraphics->DC() != Target)
    FGraphics.reset();
  if (!FGraphics && Target)
    RecreateGraphics(Target);
  if (!FGPFont)
    DoChangedFont();
  return FGraphics.get();
}

void TGDIPlusCanvas::RecreateGraphics(TCanvas* DC)
{
  FGraphics = std::make_unique<TGPGraphics>(DC);
  CheckError(FGraphics->LastStatus());
  DoSetAntiAlias(FAnti);
  DoSetAntiAliasText();
}

void TGDIPlusCanvas::SetCanvas(TCanvas* Value)
{
  TZuzCanvas3D::SetCanvas(Value);
  if (IsAvailable())
    GetGraphics();
  if (IXORCanvas)
    IXORCanvas->SetCanvas(Value);
}

TRect TGDIPlusCanvas::InitWindow(TCanvas* DestCanvas, TView3DOptions* A3DOptions, TColor ABackColor, bool Is3D,
                                 const TRect& UserRect)
{
  TRect R = UserRect;
  const double S = EffectiveScale(UserRect);
  if (S != 1) {
    R.Right = PixelRound((R.Right - R.Left) * S);
    R.Bottom = PixelRound((R.Bottom - R.Top) * S);
  }
  const TRect Result = TZuzCanvas3D::InitWindow(DestCanvas, A3DOptions, ABackColor, Is3D, R);
  FX = FY = FZ = 0;
  // Each paint starts with a fresh surface: no clip or transform survives
  // from the last one.
  IOldClipRect.clear();
  ITransform.clear();
  if (FGraphics && (GetUseBuffer() || FGraphics->DC() != FCanvas))
    FGraphics.reset();
  // A graphics object kept from the last paint (drawing straight on the
  // device) still holds that paint's clip and world transform, left there
  // by an entity or clip the paint did not close (an exception on the way).
  if (FGraphics) {
    FGraphics->ResetClip();
    FGraphics->ResetTransform();
  }
  GetGraphics();
  TCanvas* C = GetUseBuffer() && FBitmap ? FBitmap->Canvas() : DestCanvas;
  IXORCanvas->InitWindow(C, A3DOptions, ABackColor, Is3D, R);
  if (FTransform && FTransform->Enabled) {
    FillRect(R);
    ApplyTransform(FTransform);
  }
  return Result;
}

double TGDIPlusCanvas::EffectiveScale(const TRect& UserRect) const
{
  // The scale comes from chart files like any other property: a value that
  // is no positive number draws unscaled, and a huge one is cut to what a
  // buffer can hold, instead of failing every paint for want of memory.
  double S = FScale;
  if (!std::isfinite(S) || S <= 0)
    return 1;
  const double W = std::abs(double(UserRect.Right) - UserRect.Left),
               H = std::abs(double(UserRect.Bottom) - UserRect.Top);
  if (W > 0 && H > 0)
    S = std::min({S, MaxScaledSide / W, MaxScaledSide / H, std::sqrt(MaxScaledPixels / (W * H))});
  return S;
}

void TGDIPlusCanvas::ShowImage(TCanvas* DestCanvas, TCanvas* DefaultCanvas, const TRect& UserRect)
{
  if (EffectiveScale(UserRect) > 1 && GetUseBuffer() && FBitmap && !FBitmap->Empty()) {
    const QImage Copy = FBitmap->ImageData()->copy();
    if (TGPGraphics* G = GetGraphics())
      G->DrawImage(Copy, XYWH(UserRect));
  }
  TZuzCanvas3D::ShowImage(DestCanvas, DefaultCanvas, UserRect);
  if (GetUseBuffer()) {
    FGraphics.reset();
    if (FCanvas)
      RecreateGraphics(FCanvas);
  }
  IXORCanvas->SetCanvas(DestCanvas);
}

void TGDIPlusCanvas::SetUseBuffer(bool Value)
{
  if (Value == GetUseBuffer())
    return;
  TZuzCanvas3D::SetUseBuffer(Value);
  FGraphics.reset();
  if (F3DOptions && FCanvas)
    RecreateGraphics(FCanvas);
}

// --- anti-aliasing ------------------------------------------------------------------------

void TGDIPlusCanvas::DoSetAnti(bool On)
{
  if (On == ICachedAntialias || !FGraphics)
    return;
  FGraphics->SetSmoothingHighQuality(On);
  ICachedAntialias = On;
}

void TGDIPlusCanvas::DoSetAntiAlias(bool On)
{
  if (!FGraphics)
    return;
  ICachedAntialias = !On;
  DoSetAnti(On);
  FGraphics->SetPixelOffsetHighQuality(On);
}

void TGDIPlusCanvas::SetAnti(bool Value)
{
  if (Value == FAnti)
    return;
  FAnti = Value;
  INoFixAlign = Value;
  if (FGraphics)
    DoSetAntiAlias(Value);
  if (F3DOptions)
    F3DOptions->Repaint();
}

void TGDIPlusCanvas::SetAntiAlias(bool Value)
{
  if (FGraphics)
    DoSetAntiAlias(Value && FAnti);
  HasPen();
}

void TGDIPlusCanvas::SetFastLine(bool Value) { SetAntiAlias(!Value); }

void TGDIPlusCanvas::SetScale(float Value)
{
  if (Value == FScale)
    return;
  FScale = Value;
  if (F3DOptions)
    F3DOptions->Repaint();
}

// --- colours ---------------------------------------------------------------------------------

TGPColor TGDIPlusCanvas::GDIPColor(TColor AColor, uint8_t Alpha)
{
  // "No colour" paints nothing (its bit pattern would otherwise be a nearly
  // opaque white).
  if (AColor == clNone)
    return 0x00FFFFFFu;
  const int32_t A = std::max<int32_t>(0, int32_t(Alpha) - int32_t(AColor >> 24));
  return (TGPColor(A) << 24) | (TGPColor(GetRValue(AColor)) << 16) | (TGPColor(GetGValue(AColor)) << 8) |
         TGPColor(GetBValue(AColor));
}

uint8_t TGDIPlusCanvas::ApplyTransparency(TZuzTransparency Percent) const
{
  const double A = (100.0 - Percent) * 2.55 * Transparency / 255.0;
  return static_cast<uint8_t>(std::clamp<int64_t>(Round(A), 0, 255));
}

std::unique_ptr<TZuzBlend> TGDIPlusCanvas::BeginBlending(const TRect&, TZuzTransparency T)
{
  PushTransp();
  Transparency = ApplyTransparency(T);
  return nullptr;
}

void TGDIPlusCanvas::EndBlending(std::unique_ptr<TZuzBlend>) { PopTransp(); }

// --- attribute changes ---------------------------------------------------------------------

void TGDIPlusCanvas::DoChangedBrush(TZuzBrush* ABrush)
{
  if (!ABrush)
    return;
  if (ABrush->Color() == clNone || ABrush->Style() == bsClear) {
    SetBackMode(cbmTransparent);
  } else if (ABrush->Style() != bsSolid) {
    SetBackMode(cbmOpaque);
    SetBackColor(ABrush->Color());
  }
}

void TGDIPlusCanvas::DoChangedPen()
{
  FGPPenFill.reset();
  FGPPen.reset();
}

// --- pens ------------------------------------------------------------------------------------

bool TGDIPlusCanvas::PenVisible() const { return FPen->Visible() && FPen->Style() != psClear; }

void TGDIPlusCanvas::CreateGPPen(TGPColor Color)
{
  FGPPen = std::make_unique<TGPPen>(Color, 1.0f);
  FGPPen->SetWidth(static_cast<float>(FPen->Width()));
  IPenAlpha = Transparency;
  if (FPen->SmallDots()) {
    FGPPen->SetDashStyle(DashStyleDot);
  } else {
    switch (FPen->Style()) {
    case psDash:
      FGPPen->SetDashStyle(DashStyleDash);
      break;
    case psDot:
      FGPPen->SetDashStyle(DashStyleDot);
      break;
    case psDashDot:
      FGPPen->SetDashStyle(DashStyleDashDot);
      break;
    case psDashDotDot:
      FGPPen->SetDashStyle(DashStyleDashDotDot);
      break;
    default:
      break;
    }
  }
  switch (FPen->EndStyle()) {
  case esRound:
    FGPPen->SetLineCap(LineCapRound, LineCapRound, DashCapRound);
    break;
  case esSquare:
    FGPPen->SetLineCap(LineCapSquare, LineCapSquare, DashCapTriangle);
    break;
  case esFlat:
    FGPPen->SetLineCap(LineCapFlat, LineCapFlat, DashCapFlat);
    break;
  }
  switch (FPen->JoinStyle()) {
  case jsRound:
    FGPPen->SetLineJoin(LineJoinRound);
    break;
  case jsBevel:
    FGPPen->SetLineJoin(LineJoinBevel);
    break;
  case jsMitter:
    FGPPen->SetLineJoin(LineJoinMiter);
    break;
  }
  if (FGPPenFill)
    FGPPen->SetBrush(FGPPenFill.get());
}

bool TGDIPlusCanvas::HasPen()
{
  if (!PenVisible())
    return false;
  if (!FGPPen || IPenAlpha != Transparency)
    CreateGPPen(GDIPColor(FPen->Color()));
  // A pen of width 0 is the one-pixel line: never smoothed.
  DoSetAnti(FPen->Width() != 0 && FAnti);
  return true;
}

void TGDIPlusCanvas::SetPenFillBox(const TRectF& Box)
{
  FGPPenFill = GBrush(FPen->Fill(), Box);
  FGPPen->SetBrush(FGPPenFill.get());
}

bool TGDIPlusCanvas::HasPen(const TRect& R)
{
  if (!HasPen())
    return false;
  if (FPen->IsGradientVisible()) {
    const float W = float(FPen->Width());
    TRectF B{R.Left - W / 2, R.Top - W / 2, R.Right + W / 2, R.Bottom + W / 2};
    if (FPen->Width() == 0 || FPen->Width() % 2 == 1)
      B.Top -= 1;
    SetPenFillBox(B);
  }
  return true;
}

bool TGDIPlusCanvas::HasPenF(const TRectF& R)
{
  if (!HasPen())
    return false;
  if (FPen->IsGradientVisible()) {
    const float W = float(FPen->Width());
    SetPenFillBox(TRectF{R.Left - W / 2, R.Top - W / 2, R.Left + R.Right + W / 2, R.Top + R.Bottom + W / 2});
  }
  return true;
}

bool TGDIPlusCanvas::HasPen(std::span<const TPoint> Points, bool IsCurve)
{
  if (!HasPen())
    return false;
  if (FPen->IsGradientVisible()) {
    const TRectF& T = FPen->Fill()->Gradient()->CustomTargetRectangle();
    TRectF B{float(PixelRound(T.Left)), float(PixelRound(T.Top)), float(PixelRound(T.Right)),
             float(PixelRound(T.Bottom))};
    if (B.Left == B.Right && B.Top == B.Bottom) {
      const TRect P = PolygonBounds(Points);
      B = TRectF{float(P.Left), float(P.Top), float(P.Right), float(P.Bottom)};
    }
    const float W = float(FPen->Width()) * (IsCurve ? 1.0f : 0.5f);
    SetPenFillBox(TRectF{B.Left - W, B.Top - W, B.Right + W, B.Bottom + W});
  }
  return true;
}

bool TGDIPlusCanvas::HasPen(std::span<const TPointFloat> Points)
{
  if (!HasPen())
    return false;
  if (FPen->IsGradientVisible()) {
    TRectF B = FPen->Fill()->Gradient()->CustomTargetRectangle();
    if (B.Left == B.Right && B.Top == B.Bottom)
      B = PolygonBounds(Points);
    const float W = float(FPen->Width()) / 2;
    SetPenFillBox(TRectF{B.Left - W, B.Top - W, B.Right + W, B.Bottom + W});
  }
  return true;
}

// --- fills -------------------------------------------------------------------------------------

bool TGDIPlusCanvas::FillBrushFor(const TRectF& Box)
{
  if (FBrush->Style() == bsClear)
    return false;
  FGPBrush = GBrush(FBrush.get(), Box);
  return true;
}

bool TGDIPlusCanvas::FillBrushForPolygon(std::span<const TPointFloat> Points)
{
  if (FBrush->Style() == bsClear)
    return false;
  if (IsGradientVisible())
    FGPBrush = GBrush(FBrush.get(), Points);
  else
    FGPBrush = GBrush(FBrush.get());
  return true;
}

// --- XOR drawing -----------------------------------------------------------------------------------

bool TGDIPlusCanvas::XORMode() const { return FPen->Mode() == pmXor || FPen->Mode() == pmNotXor; }

void TGDIPlusCanvas::PrepareXOR(bool WithBrush)
{
  if (!IXORCanvas->ReferenceCanvas())
    IXORCanvas->SetCanvas(FCanvas);
  IXORCanvas->AssignVisiblePenColor(FPen.get(), FPen->Color());
  if (WithBrush)
    IXORCanvas->AssignBrush(FBrush.get());
}

void TGDIPlusCanvas::EndXOR()
{
  // The device is shared with the GDI drawing of this canvas: its pen must
  // not stay in XOR mode after the XOR figure.
  if (TCanvas* DC = IXORCanvas->ReferenceCanvas())
    DC->Pen()->SetMode(pmCopy);
}

// --- lines ---------------------------------------------------------------------------------------------

void TGDIPlusCanvas::LineBetween(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, bool AllowXOR)
{
  if (HasPen(OrientRectangle(X0, Y0, X1, Y1))) {
    if (AllowXOR && XORMode()) {
      PrepareXOR(false);
      IXORCanvas->Line(X0, Y0, X1, Y1);
      EndXOR();
    } else if (TGPGraphics* G = GetGraphics()) {
      G->DrawLine(*FGPPen, QPointF(X0, Y0), QPointF(X1, Y1));
    }
  }
  FX = X1;
  FY = Y1;
}

void TGDIPlusCanvas::Line(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) { LineBetween(X0, Y0, X1, Y1, true); }
void TGDIPlusCanvas::LineTo(int32_t X, int32_t Y) { LineBetween(FX, FY, X, Y, true); }

void TGDIPlusCanvas::MoveTo(int32_t X, int32_t Y)
{
  FX = X;
  FY = Y;
}

void TGDIPlusCanvas::FastLineTo(int32_t X, int32_t Y)
{
  // The pen check is skipped while the pen of the last line lives; after a
  // pen change the first fast segment builds the pen once, so that a series
  // drawing only fast segments is not left invisible.
  if (FGraphics && (FGPPen || HasPen()))
    FGraphics->DrawLine(*FGPPen, QPointF(FX, FY), QPointF(X, Y));
  FX = X;
  FY = Y;
}

void TGDIPlusCanvas::DoHorizLine(int32_t X0, int32_t X1, int32_t Y) { LineBetween(X0, Y, X1, Y, true); }
void TGDIPlusCanvas::DoVertLine(int32_t X, int32_t Y0, int32_t Y1) { LineBetween(X, Y0, X, Y1, true); }

void TGDIPlusCanvas::HorizLine3D(int32_t Left, int32_t Right, int32_t Y, int32_t Z)
{
  const TPoint A = Calculate3DPosition(Left, Y, Z), B = Calculate3DPosition(Right, Y, Z);
  LineBetween(A.X, A.Y, B.X, B.Y, true);
}

void TGDIPlusCanvas::VertLine3D(int32_t X, int32_t Top, int32_t Bottom, int32_t Z)
{
  const TPoint A = Calculate3DPosition(X, Top, Z), B = Calculate3DPosition(X, Bottom, Z);
  LineBetween(A.X, A.Y, B.X, B.Y, true);
}

void TGDIPlusCanvas::ZLine3D(int32_t X, int32_t Y, int32_t Z0, int32_t Z1)
{
  const TPoint A = Calculate3DPosition(X, Y, Z0), B = Calculate3DPosition(X, Y, Z1);
  LineBetween(A.X, A.Y, B.X, B.Y, true);
}

void TGDIPlusCanvas::LineWithZ(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Z)
{
  const TPoint A = Calculate3DPosition(X0, Y0, Z), B = Calculate3DPosition(X1, Y1, Z);
  LineBetween(A.X, A.Y, B.X, B.Y, false);
}

void TGDIPlusCanvas::MoveTo3D(int32_t X, int32_t Y, int32_t Z)
{
  FZ = Z;
  const TPoint P = Calculate3DPosition(X, Y, Z);
  FX = P.X;
  FY = P.Y;
}

void TGDIPlusCanvas::LineTo3D(int32_t X, int32_t Y, int32_t Z)
{
  const TPoint P = Calculate3DPosition(X, Y, Z);
  LineTo(P.X, P.Y);
}

void TGDIPlusCanvas::SetPixel(int32_t X, int32_t Y, TColor Value)
{
  // A pen of its own: the canvas pen keeps its colour for the next line.
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  TGPPen P(GDIPColor(Value), FGPPen ? FGPPen->Width() : 1.0f);
  G->DrawLine(P, QPointF(X, Y), QPointF(X + 1, Y));
}

void TGDIPlusCanvas::SetPixel3D(int32_t X, int32_t Y, int32_t Z, TColor Value)
{
  const TPoint P = Calculate3DPosition(X, Y, Z);
  SetPixel(P.X, P.Y, Value);
}

void TGDIPlusCanvas::Polyline(std::span<const TPoint> Points)
{
  if (Points.size() < 2 || !HasPen(Points, false))
    return;
  if (XORMode()) {
    PrepareXOR(false);
    IXORCanvas->Polyline(Points);
    EndXOR();
  } else if (TGPGraphics* G = GetGraphics()) {
    G->DrawLines(*FGPPen, ToQ(Points));
  }
}

void TGDIPlusCanvas::SegmentPolyline(std::span<const TPoint> Points)
{
  if (Points.empty())
    return;
  if (Points.size() > 1 && HasPen(Points, false)) {
    if (XORMode()) {
      PrepareXOR(false);
      IXORCanvas->SegmentPolyline(Points);
      EndXOR();
    } else if (TGPGraphics* G = GetGraphics()) {
      G->DrawSegments(*FGPPen, ToQ(Points));
    }
  }
  FX = Points.back().X;
  FY = Points.back().Y;
}

void TGDIPlusCanvas::PolylineFloat(std::span<const TPointFloat> Points)
{
  if (Points.size() < 2 || !HasPen(Points))
    return;
  if (XORMode()) {
    PrepareXOR(false);
    IXORCanvas->PolylineFloat(Points);
    EndXOR();
  } else if (TGPGraphics* G = GetGraphics()) {
    G->DrawLines(*FGPPen, ToQ(Points));
  }
}

// --- arcs -----------------------------------------------------------------------------------------------

void TGDIPlusCanvas::Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, float StartAngle, float EndAngle)
{
  if (!HasPen(TRect{Left, Top, Right, Bottom}))
    return;
  if (TGPGraphics* G = GetGraphics())
    G->DrawArc(*FGPPen,
               QRectF(std::min(Left, Right), std::min(Top, Bottom), std::abs(Right - Left), std::abs(Bottom - Top)),
               -StartAngle, -(EndAngle - StartAngle));
}

void TGDIPlusCanvas::Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t StartX, int32_t StartY,
                         int32_t EndX, int32_t EndY)
{
  if (FPen->Style() == psClear)
    return;
  float S = 0, E = 0;
  CalcArcAngles(Left, Top, Right, Bottom, StartX, StartY, EndX, EndY, S, E);
  // Counter-clockwise from the first radial to the second, as the device
  // draws arcs, also when the second angle is the smaller one.
  if (E <= S)
    E += 360;
  Arc(Left, Top, Right, Bottom, S, E);
}

void TGDIPlusCanvas::ArcTo(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4,
                           int32_t Y4, bool)
{
  if (!HasPen(TRect{X1, Y1, X2, Y2}))
    return;
  float S = 0, E = 0;
  CalcArcAngles(X1, Y1, X2, Y2, X3, Y3, X4, Y4, S, E);
  if (E <= S)
    E += 360;
  if (TGPGraphics* G = GetGraphics())
    G->DrawArc(*FGPPen, QRectF(X1, Y1, X2 - X1, Y2 - Y1), -S, -(E - S));
}

// --- shapes ------------------------------------------------------------------------------------------------

void TGDIPlusCanvas::Rectangle(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1)
{
  const TRect R = OrientRectangle(X0, Y0, X1, Y1);
  if (XORMode()) {
    PrepareXOR(true);
    IXORCanvas->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    EndXOR();
    return;
  }
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  if (PenVisible() && FPen->Width() > 1) {
    const float H = FPen->Width() / 2.0f;
    const TRectF Box{R.Left + H, R.Top + H, R.Right - H, R.Bottom - H};
    if (FillBrushFor(Box))
      G->FillRectangle(*FGPBrush, QRectF(Box.Left, Box.Top, Box.Width(), Box.Height()));
  } else if (FillBrushFor(TRectF{float(R.Left), float(R.Top), float(R.Right), float(R.Bottom)})) {
    G->FillRectangle(*FGPBrush, XYWH(R));
  }
  if (HasPen(R))
    G->DrawRectangle(*FGPPen, XYWH(R));
}

void TGDIPlusCanvas::Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2)
{
  const TRect R{X1, Y1, X2, Y2};
  if (XORMode()) {
    // Drawn by the XOR canvas alone, so that drawing it again restores the
    // picture.
    PrepareXOR(true);
    IXORCanvas->Ellipse(X1, Y1, X2, Y2);
    EndXOR();
    return;
  }
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  const bool Outline = HasPen(R);
  if (Outline && FPen->Width() > 1) {
    const float H = FPen->Width() / 2.0f;
    const TRectF Box{X1 + H, Y1 + H, X2 - H, Y2 - H};
    if (FillBrushFor(Box))
      G->FillEllipse(*FGPBrush, QRectF(Box.Left, Box.Top, Box.Width(), Box.Height()));
  } else if (FillBrushFor(TRectF{float(X1), float(Y1), float(X2), float(Y2)})) {
    G->FillEllipse(*FGPBrush, XYWH(R));
  }
  if (Outline)
    G->DrawEllipse(*FGPPen, XYWH(R));
}

void TGDIPlusCanvas::RoundRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3)
{
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  TRect R{X1, Y1, X2, Y2};
  if (!FAnti) {
    --R.Right;
    --R.Bottom;
  }
  QPainterPath P;
  RoundRectPath(P, R, X3, Y3);
  if (FillBrushFor(TRectF{float(R.Left), float(R.Top), float(R.Right), float(R.Bottom)}))
    G->FillPath(*FGPBrush, P);
  if (HasPen(R))
    G->DrawPath(*FGPPen, P);
}

void TGDIPlusCanvas::RoundRectWithZ(const TRect& R, int32_t X, int32_t Y, int32_t Z)
{
  // A perspective view turns the rectangle into a general four-sided shape,
  // which has no rounded form.
  if (FIs3D && !FIsOrthogonal) {
    RectangleWithZ(R, Z);
    return;
  }
  const TRect Q = CalcRect3D(R, Z);
  RoundRect(Q.Left, Q.Top, Q.Right, Q.Bottom, X, Y);
}

void TGDIPlusCanvas::Polygon(std::span<const TPoint> Points)
{
  if (Points.size() < 2)
    return;
  if (XORMode()) {
    // Drawn by the XOR canvas alone, so that drawing it again restores the
    // picture.
    PrepareXOR(true);
    IXORCanvas->Polygon(Points);
    EndXOR();
    return;
  }
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  const TPointFloatArray F = ToFloat(Points);
  if (FillBrushForPolygon(F))
    G->FillPolygon(*FGPBrush, ToQ(std::span<const TPointFloat>(F)));
  if (HasPen(Points, false))
    G->DrawPolygon(*FGPPen, ToQ(Points));
}

void TGDIPlusCanvas::PolygonFloat(std::span<const TPointFloat> Points)
{
  if (Points.size() < 2)
    return;
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  if (FillBrushForPolygon(Points))
    G->FillPolygon(*FGPBrush, ToQ(Points));
  if (HasPen(Points))
    G->DrawPolygon(*FGPPen, ToQ(Points));
}

void TGDIPlusCanvas::Curve(std::span<const TPoint> Points, float Tension, bool Closed, float)
{
  if (Points.size() < 2)
    return;
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  const TPointFloatArray F = ToFloat(Points);
  if (Closed && FillBrushForPolygon(F))
    G->FillClosedCurve(*FGPBrush, ToQ(std::span<const TPointFloat>(F)), Tension);
  if (HasPen(Points, true)) {
    if (Closed)
      G->DrawClosedCurve(*FGPPen, ToQ(Points), Tension);
    else
      G->DrawCurve(*FGPPen, ToQ(Points), Tension);
  }
}

void TGDIPlusCanvas::Path(const QPainterPath& P)
{
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  if (FBrush->Style() != bsClear) {
    if (IsGradientVisible()) {
      TPointFloatArray Pts;
      for (const QPolygonF& Poly : P.toSubpathPolygons())
        for (const QPointF& Q : Poly)
          Pts.push_back(TPointFloat{float(Q.x()), float(Q.y())});
      FGPBrush = GBrush(FBrush.get(), Pts);
    } else {
      FGPBrush = GBrush(FBrush.get());
    }
    G->FillPath(*FGPBrush, P);
  }
  const QRectF B = P.boundingRect();
  if (HasPenF(TRectF{float(B.x()), float(B.y()), float(B.width()), float(B.height())}))
    G->DrawPath(*FGPPen, P);
}

void TGDIPlusCanvas::FixAngles(double A, double B, double& Start, double& Sweep)
{
  const double E = B == 0 ? 360 : B;
  Sweep = E >= A ? E - A : (360 - A) + B;
  Start = 360 - A - Sweep;
}

void TGDIPlusCanvas::Pie(const TRect& R, double StartAngle, double EndAngle)
{
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  double Start = 0, Sweep = 0;
  FixAngles(StartAngle, EndAngle, Start, Sweep);
  const TPointFloat Corners[4] = {{float(R.Left), float(R.Top)},
                                  {float(R.Right), float(R.Top)},
                                  {float(R.Right), float(R.Bottom)},
                                  {float(R.Left), float(R.Bottom)}};
  if (FillBrushForPolygon(Corners))
    G->FillPie(*FGPBrush, XYWH(R), Start, Sweep);
  if (HasPen(R)) {
    if (Sweep != 360)
      G->DrawPie(*FGPPen, XYWH(R), Start, Sweep);
    else
      G->DrawEllipse(*FGPPen, XYWH(R));
  }
}

void TGDIPlusCanvas::Pie(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4)
{
  float S = 0, E = 0;
  CalcArcAngles(X1, Y1, X2, Y2, X3, Y3, X4, Y4, S, E);
  Pie(TRect{X1, Y1, X2, Y2}, S, E);
}

void TGDIPlusCanvas::DonutPath(QPainterPath& Path, int32_t XCenter, int32_t YCenter, int32_t XRadius, int32_t YRadius,
                               double StartAngle, double EndAngle, double HolePercent)
{
  const double S1 = 360 - StartAngle, S2 = 360 - EndAngle;
  const QRectF Outer(XCenter - XRadius, YCenter - YRadius, 2.0 * XRadius, 2.0 * YRadius);
  if (HolePercent > 0) {
    const double HX = float(XRadius * HolePercent * 0.01), HY = float(YRadius * HolePercent * 0.01);
    GPAddArc(Path, Outer, S1, S2 - S1, false);
    GPAddArc(Path, QRectF(XCenter - HX, YCenter - HY, 2 * HX, 2 * HY), S2, S1 - S2, true);
    Path.closeSubpath();
  } else {
    GPAddPie(Path, Outer, S2, S1 - S2);
  }
}

void TGDIPlusCanvas::Donut(int32_t XCenter, int32_t YCenter, int32_t XRadius, int32_t YRadius, double StartAngle,
                           double EndAngle, double HolePercent)
{
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  QPainterPath P;
  DonutPath(P, XCenter, YCenter, XRadius, YRadius, StartAngle, EndAngle, HolePercent);
  const TRect Box = RectFromCenter(XCenter, YCenter, XRadius, YRadius);
  if (FillBrushFor(TRectF{float(Box.Left), float(Box.Top), float(Box.Right), float(Box.Bottom)}))
    G->FillPath(*FGPBrush, P);
  if (HasPen(Box))
    G->DrawPath(*FGPPen, P);
}

void TGDIPlusCanvas::RoundRectPath(QPainterPath& Path, const TRect& R, int32_t X, int32_t Y)
{
  const int32_t W = std::clamp(2 * (X / 2), 1, std::max(1, std::abs(R.Right - R.Left)));
  const int32_t H = std::clamp(2 * (Y / 2), 1, std::max(1, std::abs(R.Bottom - R.Top)));
  GPAddArc(Path, QRectF(R.Right - W, R.Top, W, H), 270, 90, false);
  GPAddArc(Path, QRectF(R.Right - W, R.Bottom - H, W, H), 0, 90, true);
  GPAddArc(Path, QRectF(R.Left, R.Bottom - H, W, H), 90, 90, true);
  GPAddArc(Path, QRectF(R.Left, R.Top, W, H), 180, 90, true);
  Path.closeSubpath();
}

void TGDIPlusCanvas::FillRect(const TRect& Rect)
{
  TGPGraphics* G = GetGraphics();
  if (G && FillBrushFor(TRectF{float(Rect.Left), float(Rect.Top), float(Rect.Right), float(Rect.Bottom)}))
    G->FillRectangle(*FGPBrush, XYWH(Rect));
}

std::unique_ptr<TZuzBasePath> TGDIPlusCanvas::CreatePath(const TPointFloatArray& Points, const TPathPointTypes& Types)
{
  auto P = std::make_unique<TZuzGDIPlusPath>(this);
  if (!Points.empty())
    P->SetPoints(Points, Types);
  return P;
}

// --- clipping --------------------------------------------------------------------------------------------------

namespace {
TRectF FromQ(const QRectF& R) { return TRectF{float(R.left()), float(R.top()), float(R.right()), float(R.bottom())}; }
QRectF ToQRect(const TRectF& R) { return QRectF(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top); }
} // namespace

void TGDIPlusCanvas::ClipRectangle(const TRect& Rect)
{
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  IOldClipRect.push_back(FromQ(G->VisibleClipBounds()));
  // One row more above and below.
  G->IntersectClip(QRectF(Rect.Left, Rect.Top - 1, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top + 2));
}

void TGDIPlusCanvas::ClipRectangle(const TRect& Rect, int32_t RoundX, int32_t RoundY)
{
  if (RoundX <= 0 && RoundY <= 0) {
    ClipRectangle(Rect);
    return;
  }
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  IOldClipRect.push_back(FromQ(G->VisibleClipBounds()));
  QPainterPath P;
  RoundRectPath(P, Rect, RoundX, RoundY);
  G->IntersectClip(P);
}

void TGDIPlusCanvas::ClipEllipse(const TRect& Rect, bool Inverted)
{
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  IOldClipRect.push_back(FromQ(G->VisibleClipBounds()));
  QPainterPath P;
  P.addEllipse(XYWH(Rect));
  if (Inverted)
    G->ExcludeClip(P);
  else
    G->IntersectClip(P);
}

void TGDIPlusCanvas::ClipPolygon(std::span<const TPoint> Points, int32_t NumPoints, bool DiffRegion)
{
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  IOldClipRect.push_back(FromQ(G->VisibleClipBounds()));
  const size_t N = std::min(Points.size(), static_cast<size_t>(std::max(0, NumPoints)));
  QPainterPath P;
  P.setFillRule(Qt::OddEvenFill);
  if (N > 0) {
    P.moveTo(Points[0].X, Points[0].Y);
    for (size_t i = 1; i < N; ++i)
      P.lineTo(Points[i].X, Points[i].Y);
    P.closeSubpath();
  }
  if (DiffRegion)
    G->ExcludeClip(P);
  else
    G->IntersectClip(P);
}

void TGDIPlusCanvas::UnClipRectangle()
{
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  if (IOldClipRect.empty()) {
    G->ResetClip();
    return;
  }
  G->SetClip(ToQRect(IOldClipRect.back()));
  IOldClipRect.pop_back();
}

// --- world transforms ---------------------------------------------------------------------------------------------

TVisualBlock* TGDIPlusCanvas::BeginEntity(const String&, TVisualBlock* Visual, TZuzTransform* Transform)
{
  auto E = std::make_unique<TEntityTransform>();
  TGPGraphics* G = GetGraphics();
  if (Transform && Transform->Enabled && G) {
    E->Saved = G->Transform();
    E->Clipped = Transform->Clip;
    ITransform.push_back(std::move(E));
    ApplyTransform(Transform);
  } else {
    ITransform.push_back(nullptr);
  }
  return Visual;
}

void TGDIPlusCanvas::EndEntity()
{
  if (ITransform.empty())
    return;
  std::unique_ptr<TEntityTransform> E = std::move(ITransform.back());
  ITransform.pop_back();
  if (!E)
    return;
  if (TGPGraphics* G = GetGraphics())
    G->SetTransform(E->Saved);
  // Only the entity's own clip is taken back: an entity that did not clip
  // leaves the clip of its surroundings alone.
  if (E->Clipped)
    UnClipRectangle();
}

void TGDIPlusCanvas::ApplyTransform(TZuzTransform* T)
{
  TGPGraphics* G = GetGraphics();
  if (!G || !T)
    return;
  if (T->Clip)
    ClipRectangle(T->Bounds);
  if (T->Translate.X != 0 || T->Translate.Y != 0)
    G->TranslateTransform(T->Translate.X, T->Translate.Y);
  const bool Scaled = T->Scale.X != 1 || T->Scale.Y != 1;
  const bool Rotated = T->Rotate != 0;
  if (Scaled || Rotated) {
    G->TranslateTransform(T->Origin.X, T->Origin.Y);
    if (Rotated)
      G->RotateTransform(T->Rotate);
    if (Scaled)
      G->ScaleTransform(T->Scale.X, T->Scale.Y);
    G->TranslateTransform(-T->Origin.X, -T->Origin.Y);
  }
}

// --- registration -------------------------------------------------------------------------------------------------

void RegisterGDIPlusCanvas()
{
  RegisterCanvasClass(QStringLiteral("TGDIPlusCanvas"),
                      []() -> std::unique_ptr<TCanvas3D> { return std::make_unique<TGDIPlusCanvas>(); });
}

void UnregisterGDIPlusCanvas() { UnregisterCanvasClass(QStringLiteral("TGDIPlusCanvas")); }
