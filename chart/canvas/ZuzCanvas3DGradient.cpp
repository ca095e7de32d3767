// The GDI canvas's gradient fill: bands, rings, corner sweeps and diagonal
// lines of solid colour between two colours, and the gradient object's
// middle colour, angle and grey mode around them.
#include "platform/Canvas.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"

#include <cmath>

int32_t CenterGradientStep = 1;

TColor ApplyDark(TColor Color, uint8_t HowMuch)
{
  auto D = [HowMuch](uint32_t C) { return C > HowMuch ? C - HowMuch : 0u; };
  return RGBColor(D(GetRValue(Color)), D(GetGValue(Color)), D(GetBValue(Color)));
}

TColor ApplyBright(TColor Color, uint8_t HowMuch)
{
  auto B = [HowMuch](uint32_t C) { return C + HowMuch >= 256 ? 255u : C + HowMuch; };
  return RGBColor(B(GetRValue(Color)), B(GetGValue(Color)), B(GetBValue(Color)));
}

TColor RGBA(uint8_t R, uint8_t G, uint8_t B, uint8_t A)
{
  return TColor(R) | (TColor(G) << 8) | (TColor(B) << 16) | (TColor(A) << 24);
}

namespace {

// One fill's working state: the start channels, the differences, the
// divisor and the device brush.
struct TGradientBands {
  TZuzCanvas3D* Canvas;
  TCanvas* DC;
  int32_t R0, G0, B0, DR, DG, DB;
  int32_t Balance;
  int32_t N = 1;
  int64_t Last = -1;
  bool Fast = false;

  TGradientBands(TZuzCanvas3D* C, TColor Start, TColor End, int32_t ABalance)
      : Canvas(C), DC(C->ReferenceCanvas()), Balance(ABalance)
  {
    R0 = GetRValue(Start);
    G0 = GetGValue(Start);
    B0 = GetBValue(Start);
    DR = GetRValue(End) - R0;
    DG = GetGValue(End) - G0;
    DB = GetBValue(End) - B0;
  }

  void BeginStyle()
  {
    Last = -1;
    Fast = DC && ZuzSetDCBrushColor;
    if (Fast)
      DC->SelectDCBrush(true);
  }

  TColor ColorAt(int32_t Index) const
  {
    if (Balance == 50)
      return RGBColor(R0 + int64_t(Index) * DR / N, G0 + int64_t(Index) * DG / N, B0 + int64_t(Index) * DB / N);
    const double X = ZuzSigmoid(Index, Balance, N);
    return RGBColor(PixelRound(DR * X) + R0, PixelRound(DG * X) + G0, PixelRound(DB * X) + B0);
  }

  void BrushAt(int32_t Index)
  {
    const TColor C = ColorAt(Index);
    if (C == Last)
      return;
    Last = C;
    if (Fast)
      ZuzSetDCBrushColor(DC, C);
    else {
      DC->SetDCBrushColor(C);
      DC->SelectDCBrush(true);
    }
  }

  void Fill(int32_t L, int32_t T, int32_t R, int32_t B) { DC->PatBlt(TRect{L, T, R, B}); }
};

void RectGradient(TGradientBands& G, const TRect& R, bool AlongX)
{
  const int32_t Size = AlongX ? R.Right - R.Left : R.Bottom - R.Top;
  const int32_t Steps = std::min(Size, 256);
  G.N = Steps - 1;
  G.BeginStyle();
  if (G.N < 1)
    return;
  int32_t C = 0;
  for (int32_t i = 0; i < Steps; ++i) {
    G.BrushAt(i);
    const int32_t D = static_cast<int32_t>(int64_t(Size) * (i + 1) / Steps);
    if (AlongX)
      G.Fill(R.Right - D, R.Top, R.Right - C, R.Bottom);
    else
      G.Fill(R.Left, R.Bottom - D, R.Right, R.Bottom - C);
    C = D;
  }
}

void FromCorner(TGradientBands& G, const TRect& R, bool FromTop)
{
  const int32_t W = R.Right - R.Left, H = R.Bottom - R.Top;
  const int32_t F = FromTop ? R.Top : R.Bottom;
  int32_t Y = F;
  G.N = std::max(W + H, 1);
  G.BeginStyle();
  int32_t J = 0, I = 0;
  bool Done = false;
  do {
    G.BrushAt(I + J);
    if (!Done) {
      const int32_t X = R.Left + I - 1;
      G.Fill(X, std::min(Y, F), X + 1, std::max(Y, F));
    }
    if (J < H) {
      ++J;
      if (FromTop)
        G.Fill(R.Left, Y, R.Left + I, Y + 1);
      else
        G.Fill(R.Left, Y - 1, R.Left + I, Y);
      if (FromTop) {
        if (Y < R.Bottom)
          ++Y;
      } else if (Y > R.Top) {
        --Y;
      }
    }
    if (I < W)
      ++I;
    else
      Done = true;
    // One more round paints the last column when the rows ran out first.
  } while (J < H || !Done);
}

void FromCenter(TGradientBands& G, const TRect& R)
{
  const int32_t W = R.Right - R.Left, H = R.Bottom - R.Top;
  const int32_t HalfW = W / 2, HalfH = H / 2, S = std::max(1, CenterGradientStep);
  G.N = std::max(HalfW + HalfH, 1);
  G.BeginStyle();
  if (W <= 0 || H <= 0)
    return;
  int32_t CY = 0, CX = 0;
  do {
    G.BrushAt(CY + CX);
    const int32_t ColH = H - 2 * CY, RowW = W - 2 * CX;
    G.Fill(R.Left + CX, R.Top + CY, R.Left + CX + S, R.Top + CY + ColH);
    G.Fill(R.Right - CX - 1, R.Top + CY, R.Right - CX - 1 + S, R.Top + CY + ColH);
    G.Fill(R.Left + CX, R.Top + CY, R.Left + CX + RowW, R.Top + CY + S);
    G.Fill(R.Left + CX, R.Bottom - CY - S, R.Left + CX + RowW, R.Bottom - CY);
    if (CY < HalfH)
      CY += S;
    if (CX < HalfW)
      CX += S;
  } while (CY < HalfH || CX < HalfW);
}

void DiagonalGradient(TGradientBands& G, TRect R, bool Up)
{
  TPoint P, Q;
  if (Up) {
    P = Q = TPoint{R.Left, R.Bottom};
  } else {
    R.Top -= 1;
    R.Bottom -= 1;
    P = Q = TPoint{R.Left, R.Top};
  }
  const int64_t W = R.Right - R.Left, H = R.Bottom - R.Top;
  if (W * H > 0x4000000)
    return;
  const int32_t Total = static_cast<int32_t>(std::max(W, H) + std::min(W, H));
  G.N = std::clamp(Total - 1, 1, 255);
  TZuzPen* Pen = G.Canvas->Pen();
  TZuzPen Saved;
  Saved.Assign(Pen);
  Pen->SetWidth(1);
  Pen->SetStyle(psSolid);
  Pen->SetMode(pmCopy);
  for (int32_t K = 0; K < Total; ++K) {
    Pen->SetColor(G.ColorAt(static_cast<int32_t>(int64_t(G.N) * K / Total)));
    G.Canvas->Line(P, Q);
    if (Up) {
      if (Q.X < R.Right)
        ++Q.X;
      else if (Q.Y > R.Top)
        --Q.Y;
      if (P.Y > R.Top)
        --P.Y;
      else if (P.X < R.Right)
        ++P.X;
    } else {
      if (Q.X < R.Right)
        ++Q.X;
      else if (Q.Y < R.Bottom)
        ++Q.Y;
      if (P.Y < R.Bottom)
        ++P.Y;
      else if (P.X < R.Right)
        ++P.X;
    }
  }
  Pen->Assign(&Saved);
}

TColor TryGrayColor(TColor C)
{
  const uint32_t G = (uint32_t(GetRValue(C)) + GetGValue(C) + GetBValue(C)) / 3;
  return RGBColor(G, G, G);
}

} // namespace

void TZuzCanvas3D::GradientFill(const TRect& Rect, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                                int32_t Balance, int32_t RadialX, int32_t RadialY)
{
  if (!FCanvas)
    return;
  const TRect R = OrientRectangle(Rect);
  if (Direction == gdRadial) {
    TZuzGradient Temp;
    Temp.SetDirection(gdRadial);
    Temp.SetStartColor(StartColor);
    Temp.SetEndColor(EndColor);
    Temp.SetBalance(Balance);
    Temp.SetRadialX(RadialX);
    Temp.SetRadialY(RadialY);
    Temp.DrawRadial(this, R);
    return;
  }
  if (Direction != gdTopBottom && Direction != gdLeftRight && Direction != gdDiagonalUp && Direction != gdDiagonalDown)
    std::swap(StartColor, EndColor);
  TGradientBands G(this, ColorToRGB(StartColor), ColorToRGB(EndColor), Balance);
  const bool WasDC = FCanvas->DCBrushSelected();
  switch (Direction) {
  case gdTopBottom:
  case gdBottomTop:
    RectGradient(G, R, false);
    break;
  case gdLeftRight:
  case gdRightLeft:
    RectGradient(G, R, true);
    break;
  case gdFromCenter:
    FromCenter(G, R);
    break;
  case gdFromTopLeft:
    FromCorner(G, R, true);
    break;
  case gdFromBottomLeft:
    FromCorner(G, R, false);
    break;
  case gdDiagonalUp:
    DiagonalGradient(G, R, true);
    break;
  case gdDiagonalDown:
    DiagonalGradient(G, R, false);
    break;
  case gdRadial:
    break;
  }
  FCanvas->SelectDCBrush(WasDC);
}

void TZuzCanvas3D::GradientFill(TCustomZuzGradient* Gradient, const TRect& Rect)
{
  if (Gradient->Angle() != 0) {
    Gradient->DrawRotated(this, Rect);
    return;
  }
  const TColor Mid0 = Gradient->MidColor();
  const bool HasMid = Mid0 != clNone;
  TColor Mid = Mid0, Start = Gradient->StartColor(), End = Gradient->EndColor();
  if (FMonochrome) {
    Mid = TryGrayColor(Mid);
    Start = TryGrayColor(Start);
    End = TryGrayColor(End);
  }
  const TGradientDirection D = Gradient->Direction();
  if (D == gdRadial) {
    GradientFill(Rect, Start, End, gdRadial, Gradient->Balance(), Gradient->RadialX(), Gradient->RadialY());
    return;
  }
  if (HasMid && D != gdDiagonalUp && D != gdDiagonalDown) {
    const int32_t MidY = (Rect.Top + Rect.Bottom) / 2, MidX = (Rect.Left + Rect.Right) / 2;
    const TRect Top{Rect.Left, Rect.Top, Rect.Right, MidY}, Bottom{Rect.Left, MidY, Rect.Right, Rect.Bottom};
    const TRect Left{Rect.Left, Rect.Top, MidX, Rect.Bottom}, Right{MidX, Rect.Top, Rect.Right, Rect.Bottom};
    switch (D) {
    case gdTopBottom:
      GradientFill(Top, Mid, End, D, 50, 0, 0);
      GradientFill(Bottom, Start, Mid, D, 50, 0, 0);
      return;
    case gdBottomTop:
      GradientFill(Top, Start, Mid, D, 50, 0, 0);
      GradientFill(Bottom, Mid, End, D, 50, 0, 0);
      return;
    case gdLeftRight:
      GradientFill(Left, Mid, End, D, 50, 0, 0);
      GradientFill(Right, Start, Mid, D, 50, 0, 0);
      return;
    case gdRightLeft:
      GradientFill(Left, Start, Mid, D, 50, 0, 0);
      GradientFill(Right, Mid, End, D, 50, 0, 0);
      return;
    default:
      GradientFill(Rect, Start, End, D, 50, 0, 0);
      return;
    }
  }
  GradientFill(Rect, Start, End, D, Gradient->Balance(), 0, 0);
}
