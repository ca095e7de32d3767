// A series and the mouse: which point is under it, the hovered point and
// its formatting, the cursor, mouse enter and leave, and the click events.
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/ZuzSelected.h"

int32_t TChartSeries::Clicked(const TPoint& P)
{
  const int32_t I = Clicked(P.X, P.Y);
  if (I != -1)
    IClickedPart = scpSegment;
  return I;
}

bool TChartSeries::ClickedPointer(int32_t, int32_t, int32_t, const TPoint&) { return false; }

bool TChartSeries::ClickedPointerPart(int32_t ValueIndex, int32_t X, int32_t Y, const TPoint& P)
{
  const bool Hit = ClickedPointer(ValueIndex, X, Y, P);
  if (Hit)
    IClickedPart = scpPointer;
  return Hit;
}

bool TChartSeries::IsPainted(int32_t ValueIndex) const { return !IsNull(ValueIndex) || TreatNulls() == tnIgnore; }

TZuzSelected* TChartSeries::Selected()
{
  if (!FSelected)
    FSelected = std::make_unique<TZuzSelected>(this);
  return FSelected.get();
}

void TChartSeries::SetSelected(TZuzSelected* Value)
{
  if (!Value)
    FSelected.reset();
  else
    Selected()->Assign(Value);
}

bool TChartSeries::HoverEnabled() const
{
  const bool ChartShows = !FParent || FParent->Hover()->Visible();
  return ChartShows && FSelected && FSelected->Hover()->Visible();
}

int32_t TChartSeries::HoverOverMark() const
{
  return HoverEnabled() && IClickedPart == scpMark ? FSelected->HoverIndex() : -1;
}

int32_t TChartSeries::HoverOverSegment() const
{
  return HoverEnabled() && IClickedPart == scpSegment ? FSelected->HoverIndex() : -1;
}

bool TChartSeries::ShouldHoverMark(int32_t ValueIndex) const
{
  const int32_t Mark = HoverOverMark();
  if (Mark != -1 && Mark == ValueIndex && (HoverElement & heCurrent))
    return true;
  const int32_t Segment = HoverOverSegment();
  if (Segment == -1 || !(HoverElement & heJoin))
    return false;
  return ((HoverElement & hePrevious) && Segment == ValueIndex) ||
         ((HoverElement & heNext) && ValueIndex == Segment + 1);
}

bool TChartSeries::PrepareHoverPen(int32_t ValueIndex)
{
  if (ValueIndex == -1 || !HoverEnabled() || FSelected->HoverIndex() != ValueIndex)
    return false;
  TZuzPen* P = FSelected->Hover()->Pen();
  FParent->InternalCanvas()->AssignVisiblePenColor(P, P->Color());
  return true;
}

bool TChartSeries::RaiseClicked() const { return OnClick || OnDblClick; }

void TChartSeries::MouseDown(int32_t ValueIndex, bool, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  if (Shift & ssDouble) {
    if (OnDblClick)
      OnDblClick(this, ValueIndex, Button, Shift, X, Y);
  } else if (OnClick)
    OnClick(this, ValueIndex, Button, Shift, X, Y);
}

bool TChartSeries::CheckMouse(int32_t X, int32_t Y)
{
  IClickedPart = scpNone;
  const bool Interested = Cursor() != 0 || OnMouseEnter || OnMouseLeave;
  if (!Interested && !HoverEnabled())
    return false;
  int32_t I = Clicked(TPoint{X, Y});
  bool Result = false;
  if (I == -1) {
    I = MarksClicked(X, Y);
    if (I == -1 && IsMouseInside) {
      IsMouseInside = false;
      if (OnMouseLeave)
        OnMouseLeave(this);
    }
  } else {
    if (Cursor() != 0 && IsPainted(I) && FParent)
      FParent->SetCursor(static_cast<TCursor>(Cursor()));
    if (!IsMouseInside) {
      IsMouseInside = true;
      if (OnMouseEnter)
        OnMouseEnter(this);
    }
    Result = Interested;
  }
  Selected()->SetHoverIndex(I);
  return Result;
}
