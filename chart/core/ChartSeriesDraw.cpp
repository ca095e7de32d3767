// The drawing side of a series: its visible points, the order it draws
// them in, its pixels through the bound axes, and its depth in 3D.
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzTransform.h"
#include "chart/core/AxisLabels.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesList.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/LabelsList.h"
#include "chart/core/VisualsList.h"
#include "chart/core/ZuzConst.h"
#include "rtl/Numbers.h"

#include <algorithm>

void TChartSeries::CalcFirstLastVisibleIndex()
{
  FFirstVisibleIndex = -1;
  FLastVisibleIndex = -1;
  const int32_t N = Count();
  if (N == 0)
    return;
  TChartAxis* Axis = YMandatory ? FGetHorizAxis : FGetVertAxis;
  if (!CalcVisiblePoints || NotMandatoryValueList->Order() == loNone || !Axis || !FParent) {
    FFirstVisibleIndex = 0;
    FLastVisibleIndex = N - 1;
    return;
  }
  // The limits in value space, from the chart rectangle's edges through
  // the position axis (its end offsets widen them by a pixel).
  const TRect& R = FParent->ChartRect;
  const int32_t MinOff = Axis->MinimumOffset(), MaxOff = Axis->MaximumOffset();
  const bool Offsets = MinOff != 0 || MaxOff != 0;
  int32_t MinPixel, MaxPixel;
  if (Axis->Horizontal()) {
    const int32_t A = Axis->Inverted() ? R.Right : R.Left;
    const int32_t B = Axis->Inverted() ? R.Left : R.Right;
    MinPixel = Offsets ? A + MinOff - 1 : A;
    MaxPixel = Offsets ? B - MaxOff + 1 : B;
  } else {
    const int32_t A = Axis->Inverted() ? R.Top : R.Bottom;
    const int32_t B = Axis->Inverted() ? R.Bottom : R.Top;
    MinPixel = Offsets ? A - MaxOff : A;
    MaxPixel = Offsets ? B + MinOff : B;
  }
  const double Min = Axis->CalcPosPoint(MinPixel);
  const double Max = Axis->CalcPosPoint(MaxPixel);
  const TChartValues& V = NotMandatoryValueList->Value;
  int32_t First = 0;
  if (!(V[0] > Min)) {
    while (First < N && V[First] < Min)
      ++First;
    if (First > N - 1)
      return;
  }
  int32_t Last = N - 1;
  if (V[N - 1] > Max) {
    Last = First;
    while (Last < N - 1 && V[Last] < Max)
      ++Last;
    if (!DrawBetweenPoints && V[Last] > Max && Last > 0)
      --Last;
  }
  FFirstVisibleIndex = First;
  FLastVisibleIndex = Last;
}

void TChartSeries::CalcFirstLastPage(int32_t& First, int32_t& Last) const
{
  First = Last = -1;
  const int32_t N = Count();
  if (N == 0)
    return;
  const int32_t PerPage = FParent ? FParent->GetPointsPerPage() : 0;
  if (PerPage <= 0) {
    First = 0;
    Last = N - 1;
    return;
  }
  const int32_t Page = FParent->GetPage();
  First = PerPage == 1 ? Page - 1 : PerPage * (Page - 1);
  if (First >= N)
    First = PerPage * std::max(N / PerPage - 1, 0);
  Last = First + PerPage - 1;
  if (Last >= N)
    Last = First + N % PerPage - 1;
}

int32_t TChartSeries::Clicked(int32_t, int32_t) { return -1; }

void TChartSeries::DrawValue(int32_t) {}

std::vector<int32_t> TChartSeries::SortDrawPoints(int32_t, int32_t) { return {}; }

std::vector<int32_t> TChartSeries::SortDrawSeries(int32_t, int32_t, int32_t) { return {}; }

bool TChartSeries::DrawValuesForward() const
{
  if (YMandatory) {
    bool Forward = !(FGetHorizAxis && FGetHorizAxis->Inverted());
    if (FParent && FParent->InvertedRotation)
      Forward = !Forward;
    return Forward;
  }
  return !(FGetVertAxis && FGetVertAxis->Inverted());
}

bool TChartSeries::DrawSeriesForward(int32_t) const { return !(FParent && FParent->InvertedRotation); }

int32_t TChartSeries::FirstDisplayedIndex() const
{
  return DrawValuesForward() ? FFirstVisibleIndex : FLastVisibleIndex;
}

int32_t TChartSeries::LastDisplayedIndex() const
{
  return DrawValuesForward() ? FLastVisibleIndex : FFirstVisibleIndex;
}

void TChartSeries::DrawAllValues()
{
  TCanvas3D* C = FParent->InternalCanvas();
  // An uncloneable template stands for the whole series: no entity per point.
  const bool WithIDs = C->SupportsID && !(FVisuals && FVisuals->HasUncloneableTemplate());
  std::vector<int32_t> Order = SortDrawPoints(FFirstVisibleIndex, FLastVisibleIndex);
  if (Order.empty())
    for (int32_t I = FFirstVisibleIndex; I >= 0 && I <= FLastVisibleIndex; ++I)
      Order.push_back(I);
  if (!DrawValuesForward())
    std::reverse(Order.begin(), Order.end());
  for (const int32_t I : Order) {
    if (WithIDs)
      C->BeginEntity(QString::number(I), PointVisual(I), nullptr);
    if (FParent->OnDrawValue)
      FParent->OnDrawValue(this, I);
    else
      DrawValue(I);
    if (WithIDs)
      C->EndEntity();
  }
}

void TChartSeries::DoBeforeDrawValues()
{
  if (FParent)
    FParent->BroadcastSeriesToolEvent(cteBeforeDrawSeries, this);
  if (BeforeDrawValues)
    BeforeDrawValues(this);
}

void TChartSeries::DoAfterDrawValues()
{
  if (FParent)
    FParent->BroadcastSeriesToolEvent(cteAfterDrawSeries, this);
  if (AfterDrawValues)
    AfterDrawValues(this);
}

String TChartSeries::SeriesNameOrIndex() const
{
  if (!Name().isEmpty() || !FParent)
    return Name();
  return ZuzMsg_Series + QString::number(SeriesIndex() + 1);
}

void TChartSeries::BeginEntity()
{
  if (!FParent)
    return;
  if (Transform)
    Transform->Origin = TPoint3DFloat{float(FParent->ChartXCenter()), float(FParent->ChartYCenter()), 0};
  FParent->InternalCanvas()->BeginEntity(SeriesNameOrIndex(), nullptr, Transform.get());
}

int32_t TChartSeries::VisibleCount()
{
  if (FFirstVisibleIndex == -1 || FLastVisibleIndex == -1)
    return 0;
  if (FFirstVisibleIndex == 0 && FLastVisibleIndex == Count() - 1)
    return Count();
  int32_t N = 0;
  if (NotMandatoryValueList->Order() != loNone) {
    TChartAxis* A = MandatoryAxis();
    for (int32_t I = FFirstVisibleIndex; I <= FLastVisibleIndex; ++I) {
      const double V = MandatoryValueList->GetValue(I);
      if (!A || (V >= A->IMinimum && V <= A->IMaximum))
        ++N;
    }
    return N;
  }
  for (int32_t I = 0; I < Count(); ++I) {
    const double X = XValue(I), Y = YValue(I);
    if ((!FGetHorizAxis || (X >= FGetHorizAxis->IMinimum && X <= FGetHorizAxis->IMaximum)) &&
        (!FGetVertAxis || (Y >= FGetVertAxis->IMinimum && Y <= FGetVertAxis->IMaximum)))
      ++N;
  }
  return N;
}

int32_t TChartSeries::CalcXPos(int32_t ValueIndex) const { return FGetHorizAxis->CalcXPosValue(XValue(ValueIndex)); }
int32_t TChartSeries::CalcYPos(int32_t ValueIndex) const { return FGetVertAxis->CalcYPosValue(YValue(ValueIndex)); }
int32_t TChartSeries::CalcXPosValue(double Value) const { return FGetHorizAxis->CalcXPosValue(Value); }
int32_t TChartSeries::CalcYPosValue(double Value) const { return FGetVertAxis->CalcYPosValue(Value); }

int32_t TChartSeries::CalcPosValue(double Value) const
{
  return YMandatory ? CalcYPosValue(Value) : CalcXPosValue(Value);
}

int32_t TChartSeries::CalcXSizeValue(double Value) const { return FGetHorizAxis->CalcSizeValue(Value); }
int32_t TChartSeries::CalcYSizeValue(double Value) const { return FGetVertAxis->CalcSizeValue(Value); }
double TChartSeries::XScreenToValue(int32_t Pixel) const { return FGetHorizAxis->CalcPosPoint(Pixel); }
double TChartSeries::YScreenToValue(int32_t Pixel) const { return FGetVertAxis->CalcPosPoint(Pixel); }
String TChartSeries::XValueToText(double Value) const { return FGetHorizAxis->LabelValue(Value); }
String TChartSeries::YValueToText(double Value) const { return FGetVertAxis->LabelValue(Value); }

void TChartSeries::CalcSelectionPos(int32_t ValueIndex, int32_t& X, int32_t& Y) const
{
  X = CalcXPos(ValueIndex);
  Y = CalcYPos(ValueIndex);
}

bool TChartSeries::IsPointInChartRect(int32_t ValueIndex) const
{
  const TRect& R = FParent->ChartRect;
  const int32_t X = CalcXPos(ValueIndex), Y = CalcYPos(ValueIndex);
  return X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom;
}

// ---------------------------------------------------------------------------
// Depth

void TChartSeries::CalcZOrder()
{
  if (!FParent)
    return;
  if (FZOrder == -1) {
    if (FParent->View3D()) {
      FParent->SetMaxZOrder(FParent->MaxZOrder() + 1);
      IZOrder = FParent->MaxZOrder();
    } else
      IZOrder = 0;
  } else
    FParent->SetMaxZOrder(std::max(FParent->MaxZOrder(), FZOrder));
}

void TChartSeries::CalcDepthPositions()
{
  const int32_t Width = FParent ? FParent->SeriesWidth3D() : 0;
  StartZ = IZOrder * Width;
  EndZ = StartZ + (FDepth == -1 ? Width : FDepth);
  MiddleZ = (StartZ + EndZ) / 2;
}

bool TChartSeries::MoreSameZOrder() const
{
  if (!FParent || !FParent->ApplyZOrder())
    return false;
  for (const TChartSeries* S : FParent->SeriesList())
    if (S != this && S->Active() && !S->HasZValues && S->ZOrderValue() == ZOrderValue())
      return true;
  return false;
}

bool TChartSeries::FirstInZOrder() const
{
  if (!FActive || !FParent)
    return false;
  for (const TChartSeries* S : FParent->SeriesList()) {
    if (S == this)
      return true;
    if (S->Active() && S->ZOrderValue() == ZOrderValue())
      return false;
  }
  return true;
}

bool TChartSeries::DrawSeriesAscending() const
{
  if (!FParent)
    return true;
  bool Result = !FParent->DepthAxis()->Inverted();
  if (FParent->View3D() && !FParent->InternalCanvas()->SupportsFullRotation()) {
    const int32_t R = FParent->View3DOptions()->Rotation();
    if (R > 89 && R < 270)
      Result = !Result;
  }
  return Result;
}

// ---------------------------------------------------------------------------
// Labels and marks

bool TChartSeries::HasLabels() const
{
  for (int32_t I = 0; I < FLabels->Count(); ++I)
    if (!FLabels->GetLabel(I).isEmpty())
      return true;
  return false;
}

TAxisLabelStyle TChartSeries::AxisLabelStyle(const TChartAxis* Axis) const
{
  // The axis of the points' positions: the horizontal one of vertical kinds.
  const bool Positions = YMandatory ? Axis->Horizontal() : !Axis->Horizontal();
  if (HasZValues || !Positions)
    return talValue;
  if (HasPointLabels())
    return talPointValue;
  return HasLabels() ? talText : talValue;
}
