// Pointers of single points, the hit test of pointers, segments and area
// pieces, and the highlighting of hovered segments and pointers.
#include "chart/series/CustomSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/ZuzGeometry.h"
#include "chart/core/ZuzSelected.h"

#include <array>
#include <cstdlib>

TSeriesPointerStyle TCustomSeries::DoGetPointerStyle(int32_t ValueIndex)
{
  if (OnGetPointerStyle)
    return OnGetPointerStyle(this, ValueIndex);
  return FPointer->InternalGet(ValueIndex)->Style();
}

void TCustomSeries::PreparePointer(int32_t) {}

void TCustomSeries::DrawPointer(int32_t AX, int32_t AY, TColor AColor, int32_t ValueIndex)
{
  TSeriesPointer* P = FPointer->InternalGet(ValueIndex);
  if (!P->Visible() || IEffectPass)
    return;
  if (P->Brush()->Color() != clDefault && P->Brush()->Style() != bsClear)
    AColor = P->Brush()->Color();
  TCanvas3D* C = Canvas();
  P->PrepareCanvas(C, AColor);
  PreparePointerHoverPen(ValueIndex);
  const TSeriesPointerStyle Style = DoGetPointerStyle(ValueIndex);
  // The handler may have changed the pointer.
  if (OnGetPointerStyle)
    P->PrepareCanvas(C, AColor);
  C->BeginEntity(QStringLiteral("SeriesPointer"), nullptr, P->Transform.get());
  if (TVisualBlock* Block = Style == psVisual ? PointVisual(ValueIndex) : nullptr) {
    int32_t StartDepth = 0, MiddleDepth = 0, EndDepth = 0;
    P->DepthRange(StartDepth, MiddleDepth, EndDepth);
    const TRect Box{AX - P->HorizSize(), AY - P->VertSize(), AX + P->HorizSize(), AY + P->VertSize()};
    Block->SetBounds(Box, static_cast<float>(StartDepth), static_cast<float>(EndDepth), FParent->ChartHeight());
    Block->DrawBlock(Pen(), Brush(), Transparency(), AColor);
  } else
    P->Draw(AX, AY, AColor, Style);
  C->EndEntity();
}

bool TCustomSeries::ClickedPointer(int32_t ValueIndex, int32_t X, int32_t Y, const TPoint& P)
{
  if (DoGetPointerStyle(ValueIndex) == psNothing)
    return false;
  PreparePointer(ValueIndex);
  int32_t H = 0, V = 0;
  FPointer->CalcSize(H, V);
  const bool Hit = std::abs(X - P.X) < FClickTolerance + H && std::abs(Y - P.Y) < FClickTolerance + V;
  if (Hit)
    IClickedPart = scpPointer;
  return Hit;
}

bool TCustomSeries::SegmentClicked(int32_t PX, int32_t PY, int32_t X, int32_t Y, const TPoint& P) const
{
  if (Is3D()) {
    const int32_t W = FParent->SeriesWidth3D(), H = FParent->SeriesHeight3D();
    const std::array<TPoint, 4> Q{TPoint{X, Y}, TPoint{X + W, Y - H}, TPoint{PX + W, PY - H}, TPoint{PX, PY}};
    return PointInPolygon(P, Q, 3);
  }
  if (!FStairs)
    return PointInLine(P, PX, PY, X, Y, FClickTolerance);
  if (!FInvertedStairs)
    return PointInLine(P, PX, PY, X, PY, FClickTolerance) || PointInLine(P, X, PY, X, Y, FClickTolerance);
  return PointInLine(P, PX, PY, PX, Y, FClickTolerance) || PointInLine(P, PX, Y, X, Y, FClickTolerance);
}

int32_t TCustomSeries::Clicked(int32_t X, int32_t Y)
{
  if (FParent)
    Canvas()->Calculate2DPosition(X, Y, StartZ);
  const int32_t Inherited = TCustomLineSeries::Clicked(X, Y);
  if (Inherited != -1)
    return Inherited;
  if (FFirstVisibleIndex < 0 || !FParent || !GetHorizAxis() || !GetVertAxis())
    return -1;
  const TPoint P{X, Y};
  const int32_t Start = FClickableLine ? std::max(FFirstVisibleIndex - 1, 0) : FFirstVisibleIndex;
  const TChartAxis* IndexAxis = YMandatory ? GetHorizAxis() : GetVertAxis();
  const bool Backward = IndexAxis->Inverted();
  const int32_t Step = Backward ? -1 : 1;
  const int32_t From = Backward ? FLastVisibleIndex : Start;
  const int32_t To = Backward ? Start : FLastVisibleIndex;
  int32_t PX = 0, PY = 0, Previous = -1;
  for (int32_t I = From; Backward ? I >= To : I <= To; I += Step) {
    if (TZuzSelected* S = FPointer->SelectedIfAny())
      S->SetHoverIndex(-1);
    if (I >= Count())
      return -1;
    const int32_t PointX = CalcXPos(I), PointY = CalcYPos(I);
    if (FPointer->Visible() && ClickedPointer(I, PointX, PointY, P)) {
      FPointer->Selected()->SetHoverIndex(I);
      return I;
    }
    if (PointX == X && PointY == Y) {
      IClickedPart = scpSegment;
      return I;
    }
    if (Previous != -1 && FClickableLine) {
      bool Hit = SegmentClicked(PX, PY, PointX, PointY, P);
      if (!Hit && FDrawArea) {
        // The area piece between the two points and their origins.
        const int32_t O1 = GetOriginPos(I), O0 = GetOriginPos(Previous);
        std::array<TPoint, 4> Q;
        if (YMandatory) {
          if (!FStairs)
            Q = {TPoint{PX, PY}, TPoint{PointX, PointY}, TPoint{PointX, O1}, TPoint{PX, O0}};
          else if (!FInvertedStairs)
            Q = {TPoint{PX, PY}, TPoint{PointX, PY}, TPoint{PointX, O0}, TPoint{PX, O0}};
          else
            Q = {TPoint{PX, PointY}, TPoint{PointX, PointY}, TPoint{PointX, O1}, TPoint{PX, O1}};
        } else {
          const int32_t A = FStairs && FInvertedStairs ? PointX : PX;
          const int32_t B = !FStairs ? PointX : (FInvertedStairs ? PointX : PX);
          Q = {TPoint{A, PY}, TPoint{B, PointY}, TPoint{O1, PointY}, TPoint{O0, PY}};
        }
        Hit = PointInPolygon(P, Q, 3);
      }
      if (Hit) {
        IClickedPart = scpSegment;
        return Backward ? I : I - 1;
      }
    }
    PX = PointX;
    PY = PointY;
    Previous = I;
    OldBottomPos = BottomPos;
  }
  return -1;
}

void TCustomSeries::MouseDown(int32_t ValueIndex, bool OnPointer, TMouseButton Button, TShiftState Shift, int32_t X,
                              int32_t Y)
{
  TCustomLineSeries::MouseDown(ValueIndex, OnPointer, Button, Shift, X, Y);
  if (OnPointer && !(FParent && FParent->CancelMouse()) && OnClickPointer)
    OnClickPointer(this, ValueIndex, X, Y);
}

bool TCustomSeries::RaiseClicked() const
{
  return TCustomLineSeries::RaiseClicked() || (FPointer->Visible() && OnClickPointer);
}

namespace {
bool ChartHoverShows(const TCustomAxisPanel* Chart) { return !Chart || Chart->Hover()->Visible(); }
bool HoverShows(const TZuzSelected* S) { return S && S->Hover()->Visible(); }
} // namespace

bool TCustomSeries::HoverEnabled() const
{
  return ChartHoverShows(FParent) && (HoverShows(SelectedIfAny()) || HoverShows(FPointer->SelectedIfAny()));
}

bool TCustomSeries::HoverPointerEnabled() const
{
  return ChartHoverShows(FParent) && HoverShows(FPointer->SelectedIfAny());
}

int32_t TCustomSeries::HoverOverPointer() const
{
  const TZuzSelected* S = FPointer->SelectedIfAny();
  return IClickedPart == scpPointer && S ? S->HoverIndex() : -1;
}

bool TCustomSeries::PrepareHoverPen(int32_t ValueIndex)
{
  if (!(ChartHoverShows(FParent) && HoverShows(SelectedIfAny())))
    return false;
  int32_t I = ValueIndex;
  const TChartAxis* IndexAxis = YMandatory ? GetHorizAxis() : GetVertAxis();
  if (IndexAxis && IndexAxis->Inverted())
    I += YMandatory ? 1 : -1;
  const int32_t OverPointer = HoverOverPointer();
  const int32_t OverMark = HoverOverMark();
  bool Highlighted;
  if (OverPointer != -1 || OverMark != -1) {
    const int32_t H = OverPointer != -1 ? FPointer->SelectedIfAny()->HoverIndex() : SelectedIfAny()->HoverIndex();
    Highlighted = ((HoverElement & heNext) && H == I) || ((HoverElement & hePrevious) && H == I + 1);
  } else
    Highlighted = I != -1 && HoverOverSegment() == I && (HoverElement & heCurrent);
  if (!Highlighted)
    return false;
  TZuzPen* Pen = SelectedIfAny()->Hover()->Pen();
  Canvas()->AssignVisiblePenColor(Pen, Pen->Color());
  return true;
}

bool TCustomSeries::PreparePointerHoverPen(int32_t ValueIndex)
{
  if (!HoverPointerEnabled())
    return false;
  const int32_t Segment = HoverOverSegment();
  bool Highlighted;
  if (Segment != -1) {
    const int32_t H = SelectedIfAny() ? SelectedIfAny()->HoverIndex() : -1;
    Highlighted = ((HoverElement & heNext) && ValueIndex == H + 1) || ((HoverElement & hePrevious) && ValueIndex == H);
  } else
    Highlighted = (HoverElement & heCurrent) &&
                  (ValueIndex == HoverOverPointer() || (ValueIndex == HoverOverMark() && (HoverElement & heJoin)));
  if (!Highlighted)
    return false;
  TZuzPen* Pen = FPointer->SelectedIfAny()->Hover()->Pen();
  Canvas()->AssignVisiblePenColor(Pen, Pen->Color());
  return true;
}

bool TCustomSeries::ShouldHoverMark(int32_t ValueIndex) const
{
  return TCustomLineSeries::ShouldHoverMark(ValueIndex) ||
         (ValueIndex == HoverOverPointer() && (HoverElement & heCurrent) && (HoverElement & heJoin));
}
