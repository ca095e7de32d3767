// Brushes of the anti-aliased canvas: plain, hatch and picture brushes,
// linear and path gradients with their colour stops, the gradient fill, the
// lighting highlight of pie slices and smooth shadows.
#include "platform/Bitmap.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/GDIPlusGraphics.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzShadow.h"

#include <QImage>
#include <QPainterPath>

#include <cmath>

namespace {

int32_t GetHatchStyle(TZuzBrush* Brush)
{
  if (Brush->HatchStyle() >= hs05Percent)
    return Brush->HatchStyle();
  switch (Brush->Style()) {
  case bsHorizontal:
    return hsHorizontal;
  case bsVertical:
    return hsVertical;
  case bsFDiagonal:
    return hsForwardDiagonal;
  case bsBDiagonal:
    return hsBackwardDiagonal;
  case bsCross:
    return hsCross;
  default:
    return hsDiagonalCross;
  }
}

TGPLinearGradientMode GetLinearGradientDirection(TGradientDirection D)
{
  switch (D) {
  case gdTopBottom:
  case gdBottomTop:
    return LinearGradientModeVertical;
  case gdFromTopLeft:
  case gdDiagonalDown:
    return LinearGradientModeForwardDiagonal;
  case gdFromBottomLeft:
  case gdDiagonalUp:
    return LinearGradientModeBackwardDiagonal;
  default:
    return LinearGradientModeHorizontal;
  }
}

QRectF ToQ(const TRectF& R) { return QRectF(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top); }

} // namespace

// --- plain brushes -------------------------------------------------------------------

std::unique_ptr<TGPBrush> TGDIPlusCanvas::CreateNewBrush(TZuzBrush* Brush, uint8_t Alpha)
{
  if (Brush->HasGraphic()) {
    const TGraphic* G = Brush->Image()->Filtered();
    const QImage* I = G ? G->DrawnImage() : nullptr;
    if (!I)
      I = Brush->Image()->Graphic()->DrawnImage();
    if (I)
      return TGPBrush::Texture(*I, Alpha);
  }
  if (TBitmap* B = Brush->Bitmap(); B && !B->Empty())
    return TGPBrush::Texture(*B->DrawnImage(), Alpha);
  if (Brush->Style() == bsSolid)
    return TGPBrush::Solid(GDIPColor(Brush->Color(), Alpha));
  // A clear brush lets everything through (a hatch would paint a pattern).
  if (Brush->Style() == bsClear)
    return TGPBrush::Solid(0);
  return TGPBrush::Hatch(GetHatchStyle(Brush), GDIPColor(Brush->Color(), Alpha), GDIPColor(Brush->BackColor(), Alpha));
}

std::unique_ptr<TGPBrush> TGDIPlusCanvas::GBrush() { return CreateNewBrush(FBrush.get(), Transparency); }
std::unique_ptr<TGPBrush> TGDIPlusCanvas::GBrush(TZuzBrush* Brush) { return CreateNewBrush(Brush, Transparency); }
std::unique_ptr<TGPBrush> TGDIPlusCanvas::GBrush(const TRect& Rect) { return GBrush(FBrush.get(), Rect); }

std::unique_ptr<TGPBrush> TGDIPlusCanvas::GBrush(TZuzBrush* Brush, const TRect& Rect)
{
  return GBrush(Brush, TRectF{float(Rect.Left), float(Rect.Top), float(Rect.Right), float(Rect.Bottom)});
}

std::unique_ptr<TGPBrush> TGDIPlusCanvas::GBrush(TZuzBrush* Brush, const TRectF& Rect)
{
  if (Brush->Style() == bsClear || !Brush->HasGradient())
    return CreateNewBrush(Brush, Transparency);
  TZuzGradient* G = Brush->Gradient();
  if (G->Colors()->Count() == 0)
    return CreateNewBrush(Brush, Transparency);
  TRectF T = G->CustomTargetRectangle();
  if (T.Width() == 0 && T.Height() == 0)
    T = Rect;
  if (G->Direction() == gdFromCenter || G->Direction() == gdRadial)
    return CreateCircular(G, G->Direction() == gdFromCenter, T);
  return CreateLinearGradient(G, ToQ(MakeRect(T)));
}

TRectF TGDIPlusCanvas::MakeRect(const TRectF& R) { return TRectF{R.Left, R.Top, R.Right + 1, R.Bottom + 1}; }

std::unique_ptr<TGPBrush> TGDIPlusCanvas::CreateCircular(TCustomZuzGradient* Gradient, bool Rectangular,
                                                         const TRectF& T)
{
  std::unique_ptr<TGPBrush> B;
  if (Rectangular) {
    QPainterPath P;
    P.addRect(ToQ(MakeRect(T)));
    B = TGPBrush::PathGradient(P);
  } else {
    const float QW = T.Width() / 4, QH = T.Height() / 4;
    const TRectF T2{T.Left - QW, T.Top - QH, T.Right + QW, T.Bottom + QH};
    B = TGPBrush::EllipseGradient(QRectF(T2.Left - 1, T2.Top - 1, T2.Right + 2 - T2.Left, T2.Bottom + 2 - T2.Top));
  }
  B->SetCenterPoint(
      QPointF((T.Left + T.Right) * 0.5 + Gradient->RadialX(), (T.Top + T.Bottom) * 0.5 + Gradient->RadialY()));
  SetGradientColors(Gradient, *B);
  return B;
}

std::unique_ptr<TGPBrush> TGDIPlusCanvas::GBrush(TZuzBrush* Brush, std::span<const TPoint> Points)
{
  TPointFloatArray F(Points.size());
  for (size_t i = 0; i < Points.size(); ++i)
    F[i] = TPointFloat{float(Points[i].X), float(Points[i].Y)};
  return GBrush(Brush, std::span<const TPointFloat>(F));
}

std::unique_ptr<TGPBrush> TGDIPlusCanvas::GBrush(TZuzBrush* Brush, std::span<const TPointFloat> Points)
{
  TZuzGradient* G = Brush->Gradient();
  if (G->Colors()->Count() == 0)
    return CreateNewBrush(Brush, Transparency);
  const std::span<const TPointFloat> Outline =
      IGradientPolygon.empty() ? Points : std::span<const TPointFloat>(IGradientPolygon);
  if (Outline.empty())
    return CreateNewBrush(Brush, Transparency);
  QPainterPath P;
  P.setFillRule(Qt::OddEvenFill);
  P.moveTo(Outline[0].x, Outline[0].y);
  for (size_t i = 1; i < Outline.size(); ++i)
    P.lineTo(Outline[i].x, Outline[i].y);
  P.closeSubpath();
  QRectF B = P.boundingRect();
  const TGradientDirection D = G->Direction();
  if (D != gdRadial && D != gdFromCenter)
    return CreateLinearGradient(G, B);
  std::unique_ptr<TGPBrush> Result;
  if (D == gdRadial) {
    const double A = double(Round(B.width() * 0.25)), C = double(Round(B.height() * 0.25));
    B.adjust(-A, -C, A, C);
    Result = TGPBrush::EllipseGradient(B);
  } else {
    QPainterPath R;
    R.addRect(B);
    Result = TGPBrush::PathGradient(R);
  }
  if (G->RadialX() != 0 || G->RadialY() != 0) {
    const QPointF C = Result->CenterPoint();
    Result->SetCenterPoint(QPointF(double(Round(C.x()) + G->RadialX()), double(Round(C.y()) + G->RadialY())));
  }
  SetGradientColors(G, *Result);
  return Result;
}

// --- linear gradients and colour stops ------------------------------------------------------

bool TGDIPlusCanvas::InvertedGradient(TCustomZuzGradient* Gradient)
{
  switch (Gradient->Direction()) {
  case gdBottomTop:
  case gdRightLeft:
  case gdFromBottomLeft:
  case gdDiagonalDown:
    return true;
  default:
    return false;
  }
}

int32_t TGDIPlusCanvas::GradientAngle(TGradientDirection Direction)
{
  switch (Direction) {
  case gdTopBottom:
    return 90;
  case gdBottomTop:
    return 270;
  case gdRightLeft:
    return 180;
  case gdFromTopLeft:
    return 45;
  case gdFromBottomLeft:
    return 135;
  case gdDiagonalUp:
    return 45;
  case gdDiagonalDown:
    return 135;
  default:
    return 0;
  }
}

TGPColor TGDIPlusCanvas::GradientToColor(TZuzGradientColor* Stop)
{
  return GDIPColor(Stop->Color(), ApplyTransparency(Stop->Transparency()));
}

void TGDIPlusCanvas::GetGradientStartEnd(TCustomZuzGradient* Gradient, TGPColor& StartColor, TGPColor& EndColor)
{
  TZuzGradientColors* C = Gradient->Colors();
  const int32_t N = C->Count();
  if (N == 0) {
    StartColor = EndColor = 0;
    return;
  }
  const TGPColor First = GradientToColor(C->Items(0)), Last = GradientToColor(C->Items(N - 1));
  if (InvertedGradient(Gradient)) {
    StartColor = First;
    EndColor = Last;
  } else {
    StartColor = Last;
    EndColor = First;
  }
}

void TGDIPlusCanvas::GetColorBlend(TCustomZuzGradient* Gradient, int32_t& Count)
{
  TZuzGradientColors* C = Gradient->Colors();
  const int32_t N = C->Count();
  Count = std::min(N, BlendCapacity);
  // More stops than the blend holds: an even selection of them, the first
  // and the last always among it.
  auto Source = [&](int32_t k) {
    if (N <= BlendCapacity)
      return k;
    return static_cast<int32_t>(Round(double(k) * (N - 1) / (BlendCapacity - 1)));
  };
  const bool Inverted = InvertedGradient(Gradient);
  for (int32_t i = 0; i < Count; ++i) {
    TZuzGradientColor* Stop = C->Items(Inverted ? Source(i) : Source(Count - 1 - i));
    const double Offset = std::clamp(Stop->Offset(), 0.0, 1.0);
    IBlendPositions[static_cast<size_t>(i)] = static_cast<float>(Inverted ? Offset : 1.0 - Offset);
    IBlendColors[static_cast<size_t>(i)] = GradientToColor(Stop);
  }
}

void TGDIPlusCanvas::SetGradientColors(TCustomZuzGradient* Gradient, TGPBrush& Brush)
{
  int32_t Count = 0;
  GetColorBlend(Gradient, Count);
  const size_t N = static_cast<size_t>(Count);
  Brush.SetInterpolationColors(std::span<const TGPColor>(IBlendColors.data(), N),
                               std::span<const float>(IBlendPositions.data(), N));
}

std::unique_ptr<TGPBrush> TGDIPlusCanvas::CreateLinearGradient(TCustomZuzGradient* Gradient, const QRectF& Rect)
{
  TGPColor Start = 0, End = 0;
  GetGradientStartEnd(Gradient, Start, End);
  std::unique_ptr<TGPBrush> B =
      Gradient->Angle() == 0
          ? TGPBrush::Linear(Rect, Start, End, GetLinearGradientDirection(Gradient->Direction()))
          : TGPBrush::Linear(Rect, Start, End, float(GradientAngle(Gradient->Direction()) + Gradient->Angle()));
  if (Gradient->Colors()->Count() > 2)
    SetGradientColors(Gradient, *B);
  return B;
}

// --- gradient fill ------------------------------------------------------------------------------------

void TGDIPlusCanvas::GradientFill(const TRect& Rect, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                                  int32_t Balance, int32_t RadialX, int32_t RadialY)
{
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  // The fill borrows the canvas brush's gradient and gives it back, so that
  // the next plain fill of the brush is not a gradient fill.
  TZuzGradient Saved;
  TZuzGradient* Grad = FBrush->Gradient();
  Saved.Assign(Grad);
  Grad->SetVisible(true);
  Grad->SetStartColor(StartColor);
  Grad->SetMidColor(clNone);
  Grad->SetEndColor(EndColor);
  Grad->SetDirection(Direction);
  Grad->SetBalance(Balance);
  Grad->SetRadialX(RadialX);
  Grad->SetRadialY(RadialY);
  Grad->SetAngle(0);
  FGPBrush = GBrush(FBrush.get(), Rect);
  G->FillRectangle(*FGPBrush, QRectF(Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top));
  Grad->Assign(&Saved);
  Grad->DoChanged();
}

// --- lighting ------------------------------------------------------------------------------------------

void TGDIPlusCanvas::DrawLighting(TEdgeStyle Edge, int32_t Z, const TRect& R0, const TRect& R1, const TRect& RInner,
                                  int32_t StartAngle, int32_t EndAngle, const TPoint& Middle, bool IsDonut)
{
  if (!GetGraphics())
    return;
  TZuzGradient Saved;
  TZuzGradient* G = FBrush->Gradient();
  Saved.Assign(G);
  const TPenStyle OldPen = FPen->Style();
  FPen->SetStyle(psClear);
  // A slice that passes 0 degrees ends a turn further; none spans more than
  // a turn.
  if (EndAngle < StartAngle)
    EndAngle += 360;
  EndAngle = std::min(EndAngle, StartAngle + 360);
  const float ZF = float(Z);

  auto SetStops = [&](std::initializer_list<std::pair<double, TZuzTransparency>> Stops) {
    TZuzGradientColors* C = G->Colors();
    C->BeginUpdate();
    C->Clear();
    for (const auto& S : Stops)
      C->Add(S.first, clWhite, S.second);
    C->EndUpdate();
  };

  // Top highlight: computed over the whole ellipse, shown inside the slice.
  IGradientPolygon.resize(361);
  for (int32_t A = 0; A <= 360; ++A)
    IGradientPolygon[static_cast<size_t>(A)] = PointFromCircle(R0, A, ZF, false);
  G->SetVisible(true);
  SetStops({{0.0, 0}, {1.0, 100}});
  G->SetAngle(0);
  G->SetDirection(gdRadial);
  G->SetRadialX(-((R0.Right - R0.Left) / 2));
  G->SetRadialY(-((R0.Bottom - R0.Top) / 2));
  TPointFloatArray Poly;
  if (!IsDonut)
    Poly.push_back(TPointFloat{float(Middle.X), float(Middle.Y)});
  for (int32_t A = StartAngle; A <= EndAngle; ++A)
    Poly.push_back(PointFromCircle(R0, A, ZF, false));
  if (IsDonut)
    for (int32_t A = EndAngle; A >= StartAngle; --A)
      Poly.push_back(PointFromCircle(RInner, A, ZF, false));
  PolygonFloat(Poly);

  // Side highlight over the band from 295 to 335 degrees.
  const bool ReachesBand = (StartAngle <= 295 && EndAngle >= 335) || (StartAngle >= 295 && StartAngle <= 335) ||
                           (EndAngle >= 295 && EndAngle <= 335);
  if (Edge != edNone && ReachesBand) {
    IGradientPolygon.clear();
    for (int32_t A = 295; A <= 335; ++A)
      IGradientPolygon.push_back(PointFromCircle(R1, A, ZF, false));
    for (int32_t A = 335; A >= 295; --A)
      IGradientPolygon.push_back(PointFromCircle(R0, A, ZF, false));
    if (Edge == edFlat) {
      SetStops({{0.0, 100}, {0.5, 20}, {1.0, 100}});
      G->SetDirection(gdTopBottom);
      G->SetAngle(90);
    } else {
      SetStops({{0.0, 0}, {1.0, 100}});
      G->SetDirection(gdRadial);
      const TRectF B = PolygonBounds(std::span<const TPointFloat>(IGradientPolygon));
      G->SetRadialX(-int32_t(Round((B.Right - B.Left) * 0.125)));
      G->SetRadialY(-int32_t(Round((B.Bottom - B.Top) * 0.125)));
    }
    const int32_t From = std::max(StartAngle, 295), To = std::min(EndAngle, 335);
    Poly.clear();
    for (int32_t A = From; A <= To; ++A)
      Poly.push_back(PointFromCircle(R1, A, ZF, false));
    for (int32_t A = To; A >= From; --A)
      Poly.push_back(PointFromCircle(R0, A, ZF, false));
    PolygonFloat(Poly);
  }

  FPen->SetStyle(OldPen);
  G->Assign(&Saved);
  G->DoChanged();
  IGradientPolygon.clear();
}

// --- smooth shadows ---------------------------------------------------------------------------------------

void TGDIPlusCanvas::DrawSmoothShadow(const QPainterPath& Path, TColor Color, float Position)
{
  DrawSmoothShadowWith(TGPBrush::PathGradient(Path), Path, Color, Position);
}

void TGDIPlusCanvas::DrawSmoothShadowWith(std::unique_ptr<TGPBrush> Brush, const QPainterPath& Path, TColor Color,
                                          float Position)
{
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  TGPColor Mid = GDIPColor(Color);
  TGPColor EdgeColor = 0x00FFFFFF;
  if (FMetafiling)
    EdgeColor = Mid = GDIPColor(Color, 255);
  const TGPColor Colors[3] = {EdgeColor, Mid, Mid};
  const float Positions[3] = {0.0f, std::clamp(Position, 0.0f, 1.0f), 1.0f};
  Brush->SetInterpolationColors(Colors, Positions);
  G->FillPath(*Brush, Path);
}

void TGDIPlusCanvas::SmoothShadow(TZuzShadow* AShadow, const TRect& R, bool IsEllipse, int32_t RoundSize,
                                  std::span<const TPoint> P, int32_t DonutPercent, double StartAngle, double EndAngle)
{
  TGPGraphics* G = GetGraphics();
  if (!G || !AShadow)
    return;
  QPainterPath Path;
  Path.setFillRule(Qt::OddEvenFill);
  bool Ellipse = false;
  if (!P.empty()) {
    Path.moveTo(P[0].X, P[0].Y);
    for (size_t i = 1; i < P.size(); ++i)
      Path.lineTo(P[i].X, P[i].Y);
    Path.closeSubpath();
  } else if (RoundSize != 0) {
    RoundRectPath(Path, R, RoundSize, RoundSize);
  } else if (!IsEllipse) {
    RoundRectPath(Path, R, 4, 4);
  } else if (DonutPercent > 0) {
    DonutPath(Path, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2, (R.Right - R.Left) / 2, (R.Bottom - R.Top) / 2,
              StartAngle, EndAngle, DonutPercent);
  } else if (EndAngle - StartAngle == 360) {
    Path.addEllipse(QRectF(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top));
    Ellipse = true;
  } else {
    double Start = 0, Sweep = 0;
    FixAngles(StartAngle, EndAngle, Start, Sweep);
    GPAddPie(Path, QRectF(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top), Start, Sweep);
  }
  if (AShadow->Smooth()) {
    // System colours (the top bit set) shadow in black.
    const TColor C = (AShadow->Color() & 0x80000000u) ? 0 : AShadow->Color();
    const float Position = float(AShadow->SmoothBlur() * 0.002 + 0.1);
    if (Ellipse)
      DrawSmoothShadowWith(TGPBrush::EllipseGradient(QRectF(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top)), Path,
                           C, Position);
    else
      DrawSmoothShadow(Path, C, Position);
    return;
  }
  const auto B = TGPBrush::Solid(GDIPColor(AShadow->Color(), ApplyTransparency(AShadow->Transparency())));
  G->FillPath(*B, Path);
}
