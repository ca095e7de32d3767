// Drawing a line, point or area series point by point: each point draws
// the segment from the previous one (a line, stairs or a 3D ribbon), the
// area piece down to its origin, and the pointers.
#include "chart/series/CustomSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/CustomAxisPanel.h"

#include <QScopeGuard>

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// Canvas coordinates are limited to this on either side.
constexpr int32_t MaxCoordinate = 32767;
// How much darker the faces of a ribbon or stair seen from below are.
constexpr uint8_t DarkQuantity = 64;

int32_t Limit(int64_t V) { return static_cast<int32_t>(std::clamp<int64_t>(V, -MaxCoordinate, MaxCoordinate)); }

TRect Normalized(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1)
{
  return TRect{std::min(X0, X1), std::min(Y0, Y1), std::max(X0, X1), std::max(Y0, Y1)};
}

bool Intersects(const TRect& A, const TRect& B)
{
  return A.Left <= B.Right && B.Left <= A.Right && A.Top <= B.Bottom && B.Top <= A.Bottom;
}
} // namespace

void TCustomSeries::LinePrepareCanvas(TCanvas3D* ACanvas, TColor AColor)
{
  if (ACanvas->Monochrome())
    AColor = clWhite;
  if (Is3D()) {
    if (Brush()->HasGraphic())
      ACanvas->AssignBrushColor(Brush(), AColor, clWhite);
    else {
      ACanvas->Brush()->SetStyle(LineBrush());
      ACanvas->Brush()->SetColor(AColor);
    }
    if (PenShown())
      ACanvas->AssignVisiblePen(LinePen());
    else
      ACanvas->Pen()->SetStyle(psClear);
    return;
  }
  ACanvas->Brush()->SetStyle(bsClear);
  // A line nothing else shows must show its pen.
  const bool Force = !FDrawArea && !PointerShown() && !PenShown();
  if (Force || PenShown()) {
    TZuzPen Shown;
    Shown.Assign(LinePen());
    Shown.SetVisible(true);
    ACanvas->AssignVisiblePenColor(&Shown, AColor);
  } else
    ACanvas->Pen()->SetStyle(psClear);
}

int32_t TCustomSeries::CalcPosLeftRight(double XValue, int32_t ValueIndex, int32_t OtherIndex) const
{
  const double IndexOther = NotMandatoryValueList->GetValue(OtherIndex);
  const double t = XValue - IndexOther;
  const double d = NotMandatoryValueList->GetValue(ValueIndex) - IndexOther;
  const double VOther = MandatoryValueList->GetValue(OtherIndex);
  if (d == 0)
    return CalcPosValue(VOther);
  const double VValue = MandatoryValueList->GetValue(ValueIndex);
  const TChartAxis* A = MandatoryAxis();
  double V;
  if (A && A->Logarithmic())
    V = VOther > 0 && VValue > 0 ? std::exp(std::log(VOther) + (std::log(VValue) - std::log(VOther)) * t / d) : 0;
  else
    V = VOther + t * (VValue - VOther) / d;
  return CalcPosValue(V);
}

// ---------------------------------------------------------------------------
// The pass

void TCustomSeries::PointByPoint()
{
  OldColor = clDefault;
  TCustomLineSeries::DrawAllValues();
}

void TCustomSeries::DrawAllValues()
{
  IClientRect = FParent->ChartRect;
  TChartAxes& Axes = FParent->Axes();
  const bool OldFast = Axes.FastCalc();
  if (FDrawLine && !FParent->OnDrawValue)
    Axes.SetFastCalc(true);
  const auto RestoreFast = qScopeGuard([&] { Axes.SetFastCalc(OldFast); });
  // A template only takes lines and areas; a series of points alone
  // leaves it to clone blocks for its points and never feeds it a path.
  const bool Templated = DrawTemplate();
  HasTemplate = Templated;
  // The template's entity spans the series' own drawing, which feeds it.
  const auto EndTemplate = qScopeGuard([&] {
    if (Templated)
      Canvas()->EndEntity();
  });
  if (!Templated) {
    DrawShadowEmboss(FShadow.get(), 1);
    DrawShadowEmboss(FEmboss.get(), -1);
    if (FOutLine && FOutLine->Visible() && !DoDrawAll(FOutLine.get(), FOutLine->Color()))
      DrawOutline();
  }
  if (!Is3D() && FDrawLine && !LinePen()->Visible() && !FPointer->Visible() && !FDrawArea)
    LinePen()->SetVisible(true);
  if (DoDrawAll(LinePen(), SeriesColor()))
    return;
  FParent->SetBrushCanvas(SeriesColor(), Brush(), Brush()->BackColor());
  PointByPoint();
}

void TCustomSeries::DrawValue(int32_t ValueIndex)
{
  TCanvas3D* C = Canvas();
  const bool Forward = DrawValuesForward();
  const int32_t First = FirstDisplayedIndex(), Last = LastDisplayedIndex();
  // 1. The colour.
  const int32_t ColorIndex = FDrawArea && !Forward && ValueIndex + 1 < Count() ? ValueIndex + 1 : ValueIndex;
  IColor = GetValueColor(ColorIndex);
  // 2. The position; skipped nulls take a neighbour's.
  IX = CalcXPos(ValueIndex);
  IY = CalcYPos(ValueIndex);
  if (TreatNulls() == tnSkip && IsNull(ValueIndex)) {
    if (ValueIndex == First) {
      const int32_t Step = Forward ? 1 : -1;
      for (int32_t I = ValueIndex + Step; I >= FFirstVisibleIndex && I <= FLastVisibleIndex; I += Step)
        if (!IsNull(I)) {
          IX = CalcXPos(I);
          IY = CalcYPos(I);
          break;
        }
    } else {
      IX = OldX;
      IY = OldY;
    }
  }
  // 3. No segment leads out of a point left unpainted.
  if (OldColor == clNone && TreatNulls() == tnDontPaint) {
    OldX = IX;
    OldY = IY;
  }
  // 4. The origin and the neighbour.
  BottomPos = GetOriginPos(ValueIndex);
  INeighbour = Forward ? std::max(ValueIndex - 1, FFirstVisibleIndex) : std::min(ValueIndex + 1, FLastVisibleIndex);
  // 5.
  if (C->Brush()->Color() != IColor)
    C->Brush()->SetColor(IColor);
  const bool FullRotation = C->SupportsFullRotation();
  if (ValueIndex == First) {
    // 6.
    if (!HasTemplate && FDark3D) {
      const int32_t W = FParent->SeriesWidth3D();
      tmpDark3DRatio = W == 0 ? 1 : std::abs(double(FParent->SeriesHeight3D()) / W);
    }
    if ((Forward || FFirstVisibleIndex == FLastVisibleIndex) && ValueIndex > 0)
      DrawPreviousPoint(ValueIndex);
    else if (HasTemplate)
      AddTemplatePoint(ValueIndex, IX, IY);
    if ((ValueIndex == Last || FullRotation) && IColor != clNone)
      DrawPointer(IX, IY, IColor, ValueIndex);
    if (!HasTemplate && FDrawArea && Is3D() && FullRotation)
      C->RectangleZ(IX, IY, BottomPos, StartZ, EndZ);
  } else if (ValueIndex == Last) {
    // 7.
    DrawPoint(ValueIndex, !FullRotation);
    if (!Forward && ValueIndex > 0)
      DrawPreviousPoint(ValueIndex);
    if (FullRotation && IColor != clNone)
      DrawPointer(IX, IY, IColor, ValueIndex);
  } else if (FullRotation) {
    // 8.
    DrawPoint(ValueIndex, false);
    if (IColor != clNone)
      DrawPointer(IX, IY, IColor, ValueIndex);
  } else
    DrawPoint(ValueIndex, true);
  // 9.
  OldX = IX;
  OldY = IY;
  OldBottomPos = BottomPos;
  OldColor = IColor;
}

void TCustomSeries::DrawPreviousPoint(int32_t ValueIndex)
{
  const int32_t Prev = ValueIndex - 1;
  const TRect& R = FParent->ChartRect;
  if (FDrawArea) {
    OldX = CalcXPos(Prev);
    OldY = CalcYPos(Prev);
    OldBottomPos = GetOriginPos(Prev);
  } else if (YMandatory) {
    // The line starts at the chart's edge, cut there.
    const TChartAxis* H = GetHorizAxis();
    OldX = H->Inverted() ? R.Right : R.Left;
    OldY = FStairs ? CalcYPos(Prev) : CalcPosLeftRight(H->CalcPosPoint(OldX), ValueIndex, Prev);
  } else {
    const TChartAxis* V = GetVertAxis();
    OldY = V->Inverted() ? R.Top : R.Bottom;
    OldX = FStairs ? CalcXPos(Prev) : CalcPosLeftRight(V->CalcPosPoint(OldY), ValueIndex, Prev);
  }
  if (!IsNull(Prev))
    DrawPoint(ValueIndex, false);
}

void TCustomSeries::DrawPointers(int32_t ValueIndex)
{
  IColor = GetValueColor(ValueIndex);
  if (OldColor != clNone)
    DrawPointer(OldX, OldY, OldColor, INeighbour);
  else if (TreatNulls() != tnDontPaint)
    DrawPointer(OldX, OldY, IColor, INeighbour);
  if (ValueIndex == LastDisplayedIndex() && IColor != clNone)
    DrawPointer(IX, IY, IColor, ValueIndex);
}

void TCustomSeries::DrawPoint(int32_t ValueIndex, bool WithPointers)
{
  TCanvas3D* C = Canvas();
  if (FPointerBehind && WithPointers)
    DrawPointers(ValueIndex);
  const bool Same = IX == OldX && IY == OldY;
  const bool NullSkipped = IColor == clNone && TreatNulls() != tnIgnore;
  if (!Same && !NullSkipped) {
    if (Is3D() && (FDrawLine || FDrawArea)) {
      TColor Fill = LineColor();
      if (EachLine() || FDrawArea)
        Fill = GetAreaBrushColor(Brush()->Color() == clDefault ? IColor : Brush()->Color());
      if (Brush()->HasGraphic())
        C->AssignBrushColor(Brush(), Fill, clWhite);
      else {
        C->Brush()->SetColor(Fill);
        C->Brush()->SetStyle(LineBrush());
      }
      if (!PrepareHoverPen(ValueIndex - 1)) {
        if (PenShown())
          C->AssignVisiblePen(LinePen());
        else
          C->Pen()->SetStyle(psClear);
      }
      if (HasTemplate) {
        if (FStairs)
          AddTemplatePoint(ValueIndex, FInvertedStairs ? OldX : IX, FInvertedStairs ? IY : OldY);
        AddTemplatePoint(ValueIndex, IX, IY);
      } else if (FStairs)
        DrawStairs(Fill);
      else
        DrawLinePlane(ValueIndex, Fill);
    }
    if (FDrawArea) {
      const TColor Fill = GetAreaBrushColor(FAreaBrush->Color() == clDefault ? IColor : FAreaBrush->Color());
      C->Brush()->SetColor(Fill);
      if (!PrepareHoverPen(ValueIndex - 1)) {
        TZuzPen* P = FAreaLinesPen.get();
        C->AssignVisiblePenColor(P, P->Color() == clDefault || !P->Visible() ? IColor : P->Color());
      }
      TryFixOverflowCoordinates(ValueIndex, OldX, OldY, IX, IY);
      InternalDrawArea(ValueIndex, Fill);
    } else if (!Is3D() && FDrawLine) {
      TColor Segment = IColor;
      if (!EachLine())
        Segment = LineColor() != LinePen()->Color() && !IEffectPass ? LinePen()->Color() : LineColor();
      TRect Span = Normalized(OldX, OldY, IX, IY);
      if (Span.Left == Span.Right || Span.Top == Span.Bottom)
        Span = TRect{Span.Left - 1, Span.Top - 1, Span.Right + 1, Span.Bottom + 1};
      if (Intersects(Span, IClientRect)) {
        TryFixOverflowCoordinates(ValueIndex, OldX, OldY, IX, IY);
        DrawLine2D(ValueIndex, Segment);
      }
    }
  }
  if (!FPointerBehind && WithPointers)
    DrawPointers(ValueIndex);
}

void TCustomSeries::DrawLine2D(int32_t ValueIndex, TColor AColor)
{
  TCanvas3D* C = Canvas();
  if (!PrepareHoverPen(ValueIndex - 1))
    LinePrepareCanvas(C, (ColorEachPoint() && !PointerShown()) || EachLine() ? AColor : LineColor());
  std::unique_ptr<TZuzBlend> Blend;
  if (Transparency() > 0) {
    const int32_t W = LinePen()->Width();
    TRect R = C->SupportsAlpha() ? TRect{0, 0, 0, 0} : Normalized(OldX, OldY, IX, IY);
    if (!C->SupportsAlpha())
      R = TRect{R.Left - W, R.Top - W, R.Right + W, R.Bottom + W};
    Blend = C->BeginBlending(R, Transparency());
  }
  C->MoveTo(OldX, OldY);
  if (FStairs) {
    if (FInvertedStairs)
      C->LineTo(OldX, IY);
    else
      C->LineTo(IX, OldY);
  }
  C->LineTo(IX, IY);
  if (Blend)
    C->EndBlending(std::move(Blend));
}

void TCustomSeries::DarkFace(TColor FillColor, const std::function<void()>& Face)
{
  TCanvas3D* C = Canvas();
  if (FDark3D)
    C->Brush()->SetColor(C->Monochrome() ? clWhite : ApplyDark(FillColor, DarkQuantity));
  Face();
  if (FDark3D)
    C->Brush()->SetColor(FillColor);
}

void TCustomSeries::DrawLinePlane(int32_t ValueIndex, TColor FillColor)
{
  TCanvas3D* C = Canvas();
  if (FLineHeight != 0 && !FDrawArea) {
    C->PlaneWithZ(TPoint{IX, IY}, TPoint{OldX, OldY}, TPoint{OldX, OldY + FLineHeight}, TPoint{IX, IY + FLineHeight},
                  StartZ);
    if (ValueIndex == LastDisplayedIndex())
      C->RectangleZ(IX, IY, IY + FLineHeight, StartZ, EndZ);
  }
  // A ribbon rising more steeply than the depth slope shows its underside.
  const bool Dark = FDark3D && !C->SupportsFullRotation() && IX != OldX && tmpDark3DRatio != 0 &&
                    tmpDark3DRatio < double(OldY - IY) / double(IX - OldX);
  const auto Plane = [&] {
    FParent->SetBrushCanvas(C->Brush()->Color(), Brush(), Brush()->BackColor());
    std::unique_ptr<TZuzBlend> Blend;
    if (Transparency() > 0) {
      TRect R{0, 0, 0, 0};
      if (!C->SupportsAlpha()) {
        // The ribbon's four corners, projected, widened by the pen.
        const int32_t W = LinePen()->Width();
        const TPoint P[4] = {C->Calculate3DPosition(OldX, OldY, StartZ - W), C->Calculate3DPosition(IX, IY, StartZ - W),
                             C->Calculate3DPosition(OldX, OldY, EndZ + W), C->Calculate3DPosition(IX, IY, EndZ + W)};
        R = TRect{P[0].X, P[0].Y, P[0].X, P[0].Y};
        for (const TPoint& Q : P)
          R = TRect{std::min(R.Left, Q.X), std::min(R.Top, Q.Y), std::max(R.Right, Q.X), std::max(R.Bottom, Q.Y)};
      }
      Blend = C->BeginBlending(R, Transparency());
    }
    C->Plane3D(TPoint{OldX, OldY}, TPoint{IX, IY}, StartZ, EndZ);
    if (Blend)
      C->EndBlending(std::move(Blend));
  };
  if (Dark)
    DarkFace(FillColor, Plane);
  else
    Plane();
}

void TCustomSeries::DrawStairs(TColor FillColor)
{
  TCanvas3D* C = Canvas();
  const bool Forward = DrawValuesForward();
  const auto Tread = [&](int32_t Left, int32_t Top, int32_t Right) { C->RectangleY(Left, Top, Right, StartZ, EndZ); };
  const auto Side = [&](int32_t Left, int32_t Top, int32_t Bottom) { C->RectangleZ(Left, Top, Bottom, StartZ, EndZ); };
  if (YMandatory) {
    const auto Riser = [&](int32_t Left, int32_t Top, int32_t Bottom) {
      DarkFace(FillColor, [&] { Side(Left, Top, Bottom); });
    };
    if (!FInvertedStairs) {
      if (Forward) {
        Tread(OldX, OldY, IX);
        Riser(IX, IY, OldY);
      } else {
        Tread(OldX, IY, IX);
        Riser(OldX, OldY, IY);
      }
    } else if (Forward) {
      Riser(OldX, OldY, IY);
      Tread(IX, IY, OldX);
    } else {
      Riser(IX, OldY, IY);
      Tread(OldX, OldY, IX);
    }
    return;
  }
  // Horizontal series: the riser runs along the value axis (horizontally).
  const auto Riser = [&](int32_t Left, int32_t Top, int32_t Right) {
    DarkFace(FillColor, [&] { Tread(Left, Top, Right); });
  };
  if (!FInvertedStairs) {
    if (Forward) {
      Side(OldX, OldY, IY);
      Riser(OldX, IY, IX);
    } else {
      Side(IX, OldY, IY);
      Riser(OldX, OldY, IX);
    }
  } else if (Forward) {
    // The value changes at the earlier point: first along the value axis.
    Riser(OldX, OldY, IX);
    Side(IX, OldY, IY);
  } else {
    Side(OldX, OldY, IY);
    Riser(OldX, IY, IX);
  }
}

void TCustomSeries::InternalDrawArea(int32_t ValueIndex, TColor AColor)
{
  TCanvas3D* C = Canvas();
  const bool ThreeD = Is3D();
  const bool Forward = DrawValuesForward();
  TColor Back = FAreaBrush->Color() == clDefault ? LineColor() : FAreaBrush->Color();
  if (FAreaBrush->HasGraphic() && Back == AColor)
    Back = clWhite;
  FParent->SetBrushCanvas(AColor, FAreaBrush.get(), Back);
  const auto Line = [&](int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) {
    if (ThreeD)
      C->LineWithZ(X0, Y0, X1, Y1, StartZ);
    else
      C->Line(X0, Y0, X1, Y1);
  };
  std::unique_ptr<TZuzBlend> Blend;
  if (Transparency() > 0) {
    TRect R{0, 0, 0, 0};
    if (!C->SupportsAlpha()) {
      R = Normalized(OldX, std::min(OldY, OldBottomPos), IX, std::max(IY, BottomPos));
      if (ThreeD)
        R = C->CalcRect3D(R, StartZ);
    }
    Blend = C->BeginBlending(R, Transparency());
  }
  if (ThreeD) {
    const bool NullBeside = TreatNulls() == tnDontPaint && ((ValueIndex + 1 < Count() && IsNull(ValueIndex + 1)) ||
                                                            (ValueIndex > 0 && IsNull(ValueIndex - 1)));
    if (ValueIndex == LastDisplayedIndex() || NullBeside) {
      DarkFace(AColor, [&] {
        if (YMandatory)
          C->RectangleZ(IX, IY, BottomPos, StartZ, EndZ);
        else
          C->RectangleY(IX, IY, BottomPos, StartZ, EndZ);
      });
      FParent->SetBrushCanvas(AColor, FAreaBrush.get(), Back);
    }
  }
  const bool FullRotation = C->SupportsFullRotation();
  if (!FStairs) {
    std::array<TPoint, 4> Q;
    if (YMandatory)
      Q = {TPoint{OldX, OldBottomPos}, TPoint{OldX, OldY}, TPoint{IX, IY}, TPoint{IX, BottomPos}};
    else
      Q = {TPoint{OldBottomPos, OldY}, TPoint{OldX, OldY}, TPoint{IX, IY}, TPoint{BottomPos, IY}};
    if (ThreeD) {
      const int32_t Rotation = FParent->View3DOptions()->Rotation();
      const int32_t Z = Rotation >= 91 && Rotation <= 269 ? EndZ : StartZ;
      C->PlaneWithZ(Q[0], Q[1], Q[2], Q[3], Z);
      if (FullRotation)
        C->PlaneWithZ(Q[0], Q[1], Q[2], Q[3], EndZ);
    } else
      C->Polygon(Q);
    const bool Hovered = PrepareHoverPen(ValueIndex - 1);
    if (Hovered || PenShown()) {
      if (!Hovered)
        C->AssignVisiblePen(LinePen());
      Line(OldX, OldY, IX, IY);
    }
  } else {
    // A step: the rectangle from the origin to the step's level.
    const int32_t Origin = FInvertedStairs ? BottomPos : OldBottomPos;
    TRect R;
    if (YMandatory) {
      const int32_t Level = FInvertedStairs == Forward ? IY : OldY;
      R = Forward ? Normalized(OldX, Origin, IX + 1, Level) : Normalized(IX + 1, Origin, OldX, Level);
    } else {
      const int32_t Level = FInvertedStairs == Forward ? IX : OldX;
      R = Normalized(Origin, OldY + 1, Level + 1, IY);
    }
    if (ThreeD) {
      C->RectangleWithZ(R, StartZ);
      if (FullRotation)
        C->RectangleWithZ(R, EndZ);
    } else
      C->Rectangle(R);
    if (PenShown()) {
      C->AssignVisiblePen(LinePen());
      // The step's outline; a horizontal series draws it with X and Y
      // exchanged.
      const auto Seg = [&](int32_t A0, int32_t B0, int32_t A1, int32_t B1) {
        if (YMandatory)
          Line(A0, B0, A1, B1);
        else
          Line(B0, A0, B1, A1);
      };
      const int32_t OI = YMandatory ? OldX : OldY, OV = YMandatory ? OldY : OldX;
      const int32_t CI = YMandatory ? IX : IY, CV = YMandatory ? IY : IX;
      if (!FInvertedStairs) {
        const int32_t TreadLevel = Forward ? OV : CV;
        Seg(OI, TreadLevel, CI, TreadLevel);
        if (ValueIndex < FLastVisibleIndex) {
          const int32_t At = Forward ? CI : OI;
          Seg(At, OV, At, CV);
        }
        if (ValueIndex > FirstDisplayedIndex() + 1) {
          const int32_t Before = YMandatory ? CalcYPos(ValueIndex - 2) : CalcXPos(ValueIndex - 2);
          Seg(OI, OV, OI, Before);
        }
      } else {
        const int32_t TreadLevel = Forward ? CV : OV;
        Seg(OI, TreadLevel, CI, TreadLevel);
        if (ValueIndex > FFirstVisibleIndex + 1) {
          const int32_t At = Forward ? OI : CI;
          Seg(At, OV, At, CV);
        }
      }
    }
  }
  if (Blend)
    C->EndBlending(std::move(Blend));
}

void TCustomSeries::TryFixOverflowCoordinates(int32_t, int32_t& AX, int32_t& AY, int32_t& BX, int32_t& BY) const
{
  const auto Outside = [](int64_t V) { return V < -MaxCoordinate || V > MaxCoordinate; };
  if (!Outside(AX) && !Outside(AY) && !Outside(BX) && !Outside(BY))
    return;
  if (FStairs) {
    AX = Limit(AX);
    AY = Limit(AY);
    BX = Limit(BX);
    BY = Limit(BY);
    return;
  }
  // Each end beyond the limit along the index axis moves back onto the
  // limit, along the segment, so that the drawn part keeps its slope.
  const auto Fix = [&](int32_t& PI, int32_t& PV, int32_t QI, int32_t QV) {
    if (Outside(PI) && PI != QI) {
      const int64_t Target = PI < 0 ? -MaxCoordinate : MaxCoordinate;
      const double T = double(Target - QI) / double(int64_t(PI) - QI);
      PV = Limit(std::llround(QV + T * (double(PV) - QV)));
      PI = static_cast<int32_t>(Target);
    }
    PI = Limit(PI);
    PV = Limit(PV);
  };
  if (YMandatory) {
    Fix(AX, AY, BX, BY);
    Fix(BX, BY, AX, AY);
  } else {
    Fix(AY, AX, BY, BX);
    Fix(BY, BX, AY, AX);
  }
}

void TCustomSeries::DrawHiddenValue(int32_t ValueIndex, double Value1, double Value2, int32_t Size, TChartAxis* Axis)
{
  TCanvas3D* C = Canvas();
  int32_t X = CalcXPos(ValueIndex), Y = CalcYPos(ValueIndex);
  const int32_t Shift = Size / 2;
  const double Low = std::min(Value1, Value2), High = std::max(Value1, Value2);
  double Previous = 0;
  if (Axis->Horizontal()) {
    X = Axis->CalcPosValue(Value1) + (Axis->Inverted() ? -Shift : Shift);
    Previous = ValueIndex > 0 ? XValue(ValueIndex - 1) : Low - 1;
  } else {
    Y = Axis->CalcPosValue(Value1) + (Axis->Inverted() ? Shift : -Shift);
    Previous = ValueIndex > 0 ? YValue(ValueIndex - 1) : Low - 1;
  }
  const bool PreviousNull = ValueIndex > 0 && IsNull(ValueIndex - 1);
  if (!(PreviousNull && TreatNulls() == tnDontPaint)) {
    // A segment between two hidden points is not drawn.
    if (Previous >= Low && Previous <= High)
      C->Pen()->SetStyle(psClear);
    else
      C->AssignVisiblePenColor(LinePen(), LineColor());
    C->MoveTo(OldX, OldY);
    C->LineTo(X, Y);
    if (FPointer->Visible() && ValueIndex > 0)
      DrawPointer(OldX, OldY, PreviousNull ? C->Brush()->Color() : GetValueColor(ValueIndex - 1), ValueIndex - 1);
  }
  OldX = X;
  OldY = Y;
}
