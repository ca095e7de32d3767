// How a bar is painted once its rectangle is known, the shared steps of
// both bar kinds: pen and brush, gradients, shadow and emboss,
// transparency, bevel, tick lines, legend symbol and the click search.
#include "chart/series/BarSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/TextShape.h"
#include "platform/CanvasMath.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <numbers>

TBrushStyle GetDefaultPattern(int32_t Index)
{
  static const TBrushStyle Patterns[6] = {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross};
  return Patterns[((Index % 6) + 6) % 6];
}

namespace {
// R's outline clockwise from the top-left, the flagged corners rounded
// with radius Radius (each a quarter ellipse of eight segments).
std::vector<TPoint> RoundedOutline(const TRect& R, int32_t Radius, bool TopLeft, bool TopRight, bool BottomRight,
                                   bool BottomLeft)
{
  const int32_t RX = std::min(Radius, (R.Right - R.Left) / 2), RY = std::min(Radius, (R.Bottom - R.Top) / 2);
  std::vector<TPoint> P;
  const auto Corner = [&](bool Round, int32_t X, int32_t Y, int32_t CX, int32_t CY, double From) {
    if (!Round || RX <= 0 || RY <= 0) {
      P.push_back(TPoint{X, Y});
      return;
    }
    for (int32_t I = 0; I <= 8; ++I) {
      const double A = (From + 90.0 * I / 8) * std::numbers::pi / 180;
      P.push_back(TPoint{PixelRound(CX + RX * std::cos(A)), PixelRound(CY + RY * std::sin(A))});
    }
  };
  Corner(TopLeft, R.Left, R.Top, R.Left + RX, R.Top + RY, 180);
  Corner(TopRight, R.Right, R.Top, R.Right - RX, R.Top + RY, 270);
  Corner(BottomRight, R.Right, R.Bottom, R.Right - RX, R.Bottom - RY, 0);
  Corner(BottomLeft, R.Left, R.Bottom, R.Left + RX, R.Bottom - RY, 90);
  return P;
}
} // namespace

TBarStyle TCustomBarSeries::GetBarStyle(int32_t ValueIndex)
{
  TBarStyle Result = FBarStyle;
  if (OnGetBarStyle)
    OnGetBarStyle(this, ValueIndex, Result);
  return Result;
}

void TCustomBarSeries::DrawValue(int32_t ValueIndex)
{
  TChartSeries::DrawValue(ValueIndex);
  NormalBarColor = GetValueColor(ValueIndex);
  if (NormalBarColor == clNone)
    return;
  FBarBounds = CalcBarBounds(ValueIndex);
  if (TVisualBlock* Block = PointVisual(ValueIndex)) {
    Block->SetBounds(FBarBounds, static_cast<float>(StartZ), static_cast<float>(EndZ), FParent->ChartHeight());
    Block->DrawBlock(BarPen(), BarBrush(), Transparency(), NormalBarColor);
    return;
  }
  // A stacked zero leaves no bar (not even a line at the stack's edge).
  if ((IsStacked() || FMultiBar == mbSelfStack) && MandatoryValueList->GetValue(ValueIndex) == 0)
    return;
  TryDrawShadow(ValueIndex, FShadow.get());
  TryDrawShadow(ValueIndex, FEmboss.get());
  DoDrawBar(ValueIndex, Transparency());
}

void TCustomBarSeries::DoDrawBar(int32_t ValueIndex, TZuzTransparency T)
{
  std::unique_ptr<TZuzBlend> Blend;
  if (T > 0)
    Blend = CreateBlend(T);
  const TRect& R = FBarBounds;
  const int32_t A = Vertical() ? R.Top : R.Left;
  const int32_t B = Vertical() ? R.Bottom : R.Right;
  DrawBar(ValueIndex, std::min(A, B), std::max(A, B));
  if (Blend)
    Canvas()->EndBlending(std::move(Blend));
}

void TCustomBarSeries::DrawBar(int32_t BarIndex, int32_t StartPos, int32_t EndPos)
{
  if (!FParent || !Canvas()->Brush())
    return;
  const TBarStyle Style = GetBarStyle(BarIndex);
  if (Style == bsRectGradient)
    Gradient()->SetVisible(true);
  const bool Swapped = Gradient()->Visible() && CalcBarGradient(BarIndex);
  SetPenBrushBar(NormalBarColor, BarIndex);
  if (Pen()->Visible()) {
    // The pen is drawn inside the bar, so that a wide pen does not make
    // neighbouring bars overlap.
    const int32_t W = Pen()->Width() / 2;
    if (W > 0) {
      FBarBounds.Left += W;
      FBarBounds.Top += W;
      FBarBounds.Right -= W;
      FBarBounds.Bottom -= W;
    }
  }
  if (Is3D()) {
    const int32_t OldSides = CylinderSides, OldSteps = CircleSteps;
    CylinderSides = std::max(FSides, 2);
    CircleSteps = 2 * CylinderSides;
    const auto Restore = qScopeGuard([&] {
      CylinderSides = OldSides;
      CircleSteps = OldSteps;
    });
    DrawBarShape(Style, StartPos, EndPos);
  } else
    DrawBarShape(Style, StartPos, EndPos);
  if (Swapped)
    SwapGradientColors();
  if (Style == bsBevel)
    DrawBevel();
  DrawTickLines(StartPos, EndPos, Style);
}

void TCustomBarSeries::SetPenBrushBar(TColor BarColor, int32_t ValueIndex)
{
  PrepareBarPen(ValueIndex);
  const TColor Back = Brush()->Color() == clDefault ? FParent->Color() : Brush()->Color();
  FParent->SetBrushCanvas(BarColor, Brush(), Back);
}

void TCustomBarSeries::PrepareBarPen(int32_t ValueIndex)
{
  if (PrepareHoverPen(ValueIndex))
    return;
  TCanvas3D* C = Canvas();
  if (FDarkPen > 0 && ValueIndex != -1)
    C->AssignVisiblePenColor(Pen(), ApplyDark(GetValueColor(ValueIndex), uint8_t(255 - (FDarkPen % 256))));
  else
    C->AssignVisiblePenColor(Pen(), Pen()->Color());
}

void TCustomBarSeries::SwapGradientColors()
{
  TZuzGradient* G = Gradient();
  const TColor S = G->StartColor();
  G->SetStartColor(G->EndColor());
  G->SetEndColor(S);
}

bool TCustomBarSeries::CalcBarGradient(int32_t ValueIndex)
{
  TZuzGradient* G = Gradient();
  const double V = MandatoryValueList->GetValue(ValueIndex);
  if (!FGradientRelative)
    G->SetEndColor(NormalBarColor);
  else {
    TChartValueList* L = MandatoryValueList;
    double F = 0;
    if (FUseOrigin && V >= FOrigin) {
      const double D = L->MaxValue() - FOrigin;
      F = D == 0 ? 1 : (V - FOrigin) / D;
    } else if (FUseOrigin) {
      const double D = FOrigin - L->MinValue();
      F = D == 0 ? 1 : (FOrigin - V) / D;
    } else {
      const double Range = L->Range();
      F = Range == 0 ? 1 : 1 - (L->MaxValue() - V) / Range;
    }
    const TColor S = G->StartColor();
    const auto Channel = [&](int Shift) {
      const int32_t From = (S >> Shift) & 0xFF, To = (NormalBarColor >> Shift) & 0xFF;
      return TColor(std::clamp(From + PixelRound((To - From) * F), 0, 255)) << Shift;
    };
    G->SetEndColor(Channel(0) | Channel(8) | Channel(16));
  }
  bool Swap = FUseOrigin && FGradientRelative && V < FOrigin;
  if (const TChartAxis* A = MandatoryAxis(); A && A->Inverted())
    Swap = !Swap;
  if (Swap)
    SwapGradientColors();
  return Swap;
}

void TCustomBarSeries::BarRectangle(TColor BarColor, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom,
                                    bool Rounded)
{
  TCanvas3D* C = Canvas();
  const auto PenInBrushColour = [&] {
    C->Pen()->SetColor(C->Brush()->Color());
    if (C->Pen()->Style() == psClear)
      C->Pen()->SetStyle(psSolid);
  };
  if (C->Brush()->Style() == bsSolid) {
    const int32_t W = Pen()->Width();
    C->Pen()->SetWidth(W);
    if (Right == Left || Bottom == Top) {
      PenInBrushColour();
      C->Line(Left, Top, Right, Bottom);
      return;
    }
    if (Pen()->Visible() && (std::abs(Right - Left) <= W || std::abs(Bottom - Top) <= W)) {
      PenInBrushColour();
      C->Brush()->SetStyle(bsClear);
    }
  }
  (void)BarColor;
  if (!Rounded || FBarRound == brNone) {
    C->Rectangle(Left, Top, Right, Bottom);
    return;
  }
  const TRect R = OrientRectangle(Left, Top, Right, Bottom);
  if (FBarRound == brBothEnds) {
    C->RoundRect(R, FRoundSize, FRoundSize);
    return;
  }
  // Only the corners at the value end are round; the origin end stays
  // square where the bar meets the axis or the bar it stands on. The
  // outline is one polygon, so that it fills and strokes alike on every
  // canvas.
  const bool OriginAtStart = Vertical() ? Bottom < Top : Right < Left; // the origin at the top (left)
  const bool RoundTop = Vertical() && !OriginAtStart, RoundBottom = Vertical() && OriginAtStart;
  const bool RoundLeft = !Vertical() && OriginAtStart, RoundRight = !Vertical() && !OriginAtStart;
  C->Polygon(RoundedOutline(R, FRoundSize / 2, RoundTop || RoundLeft, RoundTop || RoundRight, RoundBottom || RoundRight,
                            RoundBottom || RoundLeft));
}

void TCustomBarSeries::TryDrawShadow(int32_t ValueIndex, TZuzShadow* S)
{
  if (!S->ShouldDraw())
    return;
  const TColor SavedPen = Pen()->Color();
  const TRect Saved = FBarBounds;
  NormalBarColor = S->Color();
  Pen()->SetColor(S->Color());
  const auto Restore = qScopeGuard([&] {
    FBarBounds = Saved;
    NormalBarColor = GetValueColor(ValueIndex);
    Pen()->SetColor(SavedPen);
  });
  // The offset comes from the shadow's sizes and direction for the
  // emboss too.
  int32_t DX = FShadow->HorizSize(), DY = FShadow->VertSize();
  const TShadowDirection D = FShadow->Direction();
  if (D == sdLeftTop || D == sdLeftBottom)
    DX = -DX;
  if (D == sdLeftTop || D == sdRightTop)
    DY = -DY;
  TRect& R = FBarBounds;
  if (Vertical()) {
    R.Left += DX;
    R.Right += DX;
    if (R.Bottom > R.Top)
      R.Top += DY;
    else
      R.Bottom -= DY;
  } else {
    R.Top += DY;
    R.Bottom += DY;
    if (R.Right > R.Left)
      R.Left += DX;
    else
      R.Right -= DX;
  }
  const bool Smooth = S->Smooth() && (FBarStyle == bsRectangle || FBarStyle == bsRectGradient || FBarStyle == bsBevel ||
                                      (FBarStyle == bsRoundRectangle && FBarRound == brBothEnds));
  if (!Smooth) {
    DoDrawBar(ValueIndex, S->Transparency());
    return;
  }
  TCanvas3D* C = Canvas();
  const int32_t Round = FBarStyle == bsRoundRectangle ? FRoundSize : 0;
  if (!Is3D())
    S->Draw(C, Saved, Round, 0);
  else if (FParent->View3DOptions()->Orthogonal()) {
    if (C->SupportsFullRotation())
      S->ZPosition = EndZ;
    S->Draw(C, Saved, Round, 0);
  } else {
    TFourPoints P;
    C->FourPointsFromRect(Saved, EndZ, P);
    S->Draw(C, P);
  }
}

std::unique_ptr<TZuzBlend> TCustomBarSeries::CreateBlend(TZuzTransparency T)
{
  TCanvas3D* C = Canvas();
  if (C->SupportsAlpha())
    return C->BeginBlending(TRect{}, T);
  if (!Is3D())
    return C->BeginBlending(OrientRectangle(FBarBounds), T);
  TRect R = FBarBounds;
  if (Pen()->Visible()) {
    R.Right += Pen()->Width();
    R.Bottom += Pen()->Width();
  }
  const TRect A = OrientRectangle(C->CalcRect3D(R, StartZ)), B = OrientRectangle(C->CalcRect3D(R, EndZ));
  return C->BeginBlending(
      TRect{std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right), std::max(A.Bottom, B.Bottom)},
      T);
}

void TCustomBarSeries::DrawBevel()
{
  const bool Orthogonal = !Is3D() || FParent->View3DOptions()->Orthogonal();
  if (!Orthogonal)
    return;
  TRect R = FBarBounds;
  if (Pen()->Visible()) {
    const int32_t W = Pen()->Width();
    R = TRect{R.Left + W, R.Top + W, R.Right - W, R.Bottom - W};
    if (Is3D()) {
      ++R.Right;
      ++R.Bottom;
    }
  }
  Canvas()->Frame3D(R, ApplyBright(NormalBarColor, 128), ApplyDark(NormalBarColor, 64), FBevelSize);
}

void TCustomBarSeries::DrawTickLines(int32_t StartPos, int32_t EndPos, TBarStyle Style)
{
  if (!FTickLines || !FTickLines->Visible())
    return;
  const TChartAxis* A = MandatoryAxis();
  if (!A)
    return;
  Canvas()->AssignVisiblePen(FTickLines.get());
  for (const int32_t P : A->Tick)
    if (P > StartPos && P < EndPos)
      DrawTickLine(P, Style);
}

int32_t TCustomBarSeries::DepthTickEdge() const
{
  // 0: at the far edge (right, top), 1: at the near edge, -1: nowhere.
  TCanvas3D* C = Canvas();
  const TRect& R = FBarBounds;
  const bool V = Vertical();
  const int32_t Along0 = V ? R.Bottom : R.Left, Along1 = V ? R.Top : R.Right;
  const auto FaceHidden = [&](int32_t Across) {
    return ZuzCull(C->Calculate3DPosition(BarPoint(Across, Along0), StartZ),
                   C->Calculate3DPosition(BarPoint(Across, Along0), EndZ),
                   C->Calculate3DPosition(BarPoint(Across, Along1), EndZ));
  };
  if (!FaceHidden(V ? R.Right : R.Top))
    return 0;
  return FaceHidden(V ? R.Left : R.Bottom) ? 1 : -1;
}

void TCustomBarSeries::DrawCylinderTicks(int32_t Pos)
{
  TCanvas3D* C = Canvas();
  const TRect& R = FBarBounds;
  const int32_t N = CylinderSides;
  const double A0 = Vertical() ? R.Left : R.Top, A1 = Vertical() ? R.Right : R.Bottom;
  std::vector<TPointFloat> P(N);
  for (int32_t I = 0; I < N; ++I) {
    const double A = std::numbers::pi / N * I + std::numbers::pi;
    const double X = (A1 + A0) / 2 - std::cos(A) * (A1 - A0) / 2;
    const double Z = std::sin(A) * (EndZ - StartZ) / 2 + (EndZ + StartZ) / 2.0;
    P[I] = Vertical() ? TPointFloat{float(X), float(Pos)} : TPointFloat{float(Pos), float(X)};
    C->Calculate3DPosition(P[I], float(Z));
  }
  C->PolylineFloat(P);
}

void TCustomBarSeries::PrepareLegendCanvas(int32_t ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle)
{
  PrepareBarPen(ValueIndex);
  BrushStyle = Brush()->Style();
  BackColor = Brush()->Color() == clDefault ? FParent->Color() : Brush()->Color();
}

void TCustomBarSeries::DrawLegendShape(int32_t ValueIndex, const TRect& Rect)
{
  TChartSeries::DrawLegendShape(ValueIndex, Rect);
}

void TCustomBarSeries::DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position)
{
  TAutomaticText* A = Marks()->Automatic();
  const bool Move = A->Move();
  if (FMarksOnBar)
    A->SetMove(false);
  const auto Restore = qScopeGuard([&] { A->SetMove(Move); });
  TChartSeries::DrawMark(ValueIndex, Text, Position);
}

int32_t TCustomBarSeries::Clicked(int32_t X, int32_t Y)
{
  if (FFirstVisibleIndex < 0 || FLastVisibleIndex < 0)
    return -1;
  const int32_t Last = std::min(FLastVisibleIndex, Count() - 1);
  for (int32_t I = FFirstVisibleIndex; I <= Last; ++I)
    if (InternalClicked(I, TPoint{X, Y}))
      return I;
  return -1;
}
