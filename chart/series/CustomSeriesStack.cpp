// Stacking, origins, the value extent reported to the axes, the depth slot,
// the visible range and the axis margins of line, point and area series.
#include "chart/series/CustomSeries.h"

#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesList.h"
#include "chart/core/SeriesMarks.h"

#include <algorithm>
#include <cmath>

bool TCustomSeries::SameClassOrigin(const TCustomSeries* Series) const { return SameClass(Series); }

double TCustomSeries::PointOrigin(int32_t ValueIndex, bool SumAll) const
{
  double Result = 0;
  if (!FParent)
    return Result;
  for (TChartSeries* S : FParent->SeriesList()) {
    if (!SumAll && S == this)
      break;
    auto* C = dynamic_cast<TCustomSeries*>(S);
    if (!C || !C->Active() || !SameClassOrigin(C) || ValueIndex >= C->Count())
      continue;
    const double V = C->GetOriginValue(ValueIndex);
    Result += SumAll ? std::fabs(V) : V;
  }
  return Result;
}

int32_t TCustomSeries::CalcStackedPos(int32_t ValueIndex, double Value) const
{
  const TChartAxis* A = MandatoryAxis();
  const double Origin = PointOrigin(ValueIndex, false);
  if (FStacked == cssStack)
    return std::min(CalcPosValue(Origin + Value), A->IEndPos);
  const double Total = PointOrigin(ValueIndex, true);
  return Total == 0 ? A->IEndPos : CalcPosValue((Origin + Value) * 100 / Total);
}

int32_t TCustomSeries::GetOriginPos(int32_t ValueIndex) const
{
  if (FStacked == cssStack || FStacked == cssStack100)
    return CalcStackedPos(ValueIndex, 0);
  if (YMandatory) {
    const TChartAxis* V = GetVertAxis();
    return V->Inverted() ? V->IStartPos : V->IEndPos;
  }
  const TChartAxis* H = GetHorizAxis();
  return H->Inverted() ? H->IEndPos : H->IStartPos;
}

int32_t TCustomSeries::CalcXPos(int32_t ValueIndex) const
{
  if (!YMandatory && (FStacked == cssStack || FStacked == cssStack100))
    return CalcStackedPos(ValueIndex, XValue(ValueIndex));
  return TCustomLineSeries::CalcXPos(ValueIndex);
}

int32_t TCustomSeries::CalcYPos(int32_t ValueIndex) const
{
  if (YMandatory && (FStacked == cssStack || FStacked == cssStack100))
    return CalcStackedPos(ValueIndex, YValue(ValueIndex));
  return TCustomLineSeries::CalcYPos(ValueIndex);
}

double TCustomSeries::CalcMinMaxValue(bool IsMin) const
{
  // Without null points every point is painted: the list's own (kept)
  // statistics serve.
  if (!HasColorList() || TreatNulls() == tnIgnore) {
    if (Count() == 0)
      return 0;
    return IsMin ? MandatoryValueList->MinValue() : MandatoryValueList->MaxValue();
  }
  double Result = 0;
  bool Any = false;
  for (int32_t I = 0; I < Count(); ++I) {
    if (!IsPainted(I))
      continue;
    const double V = MandatoryValueList->GetValue(I);
    if (!Any || (IsMin ? V < Result : V > Result))
      Result = V;
    Any = true;
  }
  return Result;
}

namespace {
// The stacked sums (as percentages for Percent) folded into Start with
// Better choosing between two of them.
template <class F>
double FoldStacked(const TCustomSeries& S, double Start, bool Percent, F Better)
{
  double Result = Start;
  for (int32_t I = 0; I < S.Count(); ++I) {
    double V = S.PointOrigin(I, false) + S.MandatoryValueList->GetValue(I);
    if (Percent) {
      const double Total = S.PointOrigin(I, true);
      if (Total == 0)
        continue;
      V = V * 100 / Total;
    }
    Result = Better(Result, V);
  }
  return Result;
}

double Larger(double A, double B) { return std::max(A, B); }
double Smaller(double A, double B) { return std::min(A, B); }
} // namespace

double TCustomSeries::MaxYValue() const
{
  if (!YMandatory)
    return TCustomLineSeries::MaxYValue();
  if (FStacked == cssStack100)
    return 100;
  const double Result = CalcMinMaxValue(false);
  return FStacked == cssStack ? FoldStacked(*this, Result, false, Larger) : Result;
}

double TCustomSeries::MinYValue() const
{
  if (!YMandatory)
    return TCustomLineSeries::MinYValue();
  if (FStacked == cssStack100)
    return FoldStacked(*this, 0, true, Smaller);
  const double Result = CalcMinMaxValue(true);
  return FStacked == cssStack ? FoldStacked(*this, Result, false, Smaller) : Result;
}

double TCustomSeries::MaxXValue() const
{
  if (YMandatory)
    return TCustomLineSeries::MaxXValue();
  if (FStacked == cssStack100)
    return 100;
  const double Result = CalcMinMaxValue(false);
  return FStacked == cssStack ? FoldStacked(*this, Result, false, Larger) : Result;
}

double TCustomSeries::MinXValue() const
{
  if (YMandatory)
    return TCustomLineSeries::MinXValue();
  // Negative stacked sums reach below the smallest own value, as for a
  // vertical series; the axis must include them or they are drawn outside.
  if (FStacked == cssStack100)
    return FoldStacked(*this, 0, true, Smaller);
  const double Result = CalcMinMaxValue(true);
  return FStacked == cssStack ? FoldStacked(*this, Result, false, Smaller) : Result;
}

void TCustomSeries::CalcZOrder()
{
  if (FStacked == cssNone || !FParent) {
    TCustomLineSeries::CalcZOrder();
    return;
  }
  // Stacked series share the slot of the first series they stack on.
  for (TChartSeries* S : FParent->SeriesList()) {
    if (S == this)
      break;
    auto* C = dynamic_cast<TCustomSeries*>(S);
    if (C && C->Active() && !C->IInternalUse && SameClassOrigin(C)) {
      IZOrder = C->IZOrder;
      return;
    }
  }
  const TCustomSeriesStack Saved = FStacked;
  FStacked = cssNone;
  TCustomLineSeries::CalcZOrder();
  FStacked = Saved;
}

bool TCustomSeries::IsPointInChartRect(int32_t ValueIndex) const
{
  const int32_t H = Pointer()->HorizSize();
  const int32_t V = Pointer()->VertSize() == 0 ? H : Pointer()->VertSize();
  const int32_t X = CalcXPos(ValueIndex), Y = CalcYPos(ValueIndex);
  const TRect& R = FParent->ChartRect;
  return X - H <= R.Right && X + H >= R.Left && Y - V <= R.Bottom && Y + V >= R.Top;
}

void TCustomSeries::CalcFirstLastVisibleIndex()
{
  TCustomLineSeries::CalcFirstLastVisibleIndex();
  if (FFirstVisibleIndex < 0 || !FParent || !GetHorizAxis() || !GetVertAxis())
    return;
  const TChartValueList* Index = NotMandatoryValueList;
  const int32_t Last = Count() - 1;
  // A point whose pointer reaches into the chart is drawn, and a run of
  // equal positions is never split.
  while (FLastVisibleIndex < Last && IsPointInChartRect(FLastVisibleIndex + 1))
    ++FLastVisibleIndex;
  while (FLastVisibleIndex < Last && Index->GetValue(FLastVisibleIndex + 1) == Index->GetValue(FLastVisibleIndex))
    ++FLastVisibleIndex;
  while (FFirstVisibleIndex > 0 && IsPointInChartRect(FFirstVisibleIndex - 1))
    --FFirstVisibleIndex;
  while (FFirstVisibleIndex > 0 && Index->GetValue(FFirstVisibleIndex - 1) == Index->GetValue(FFirstVisibleIndex))
    --FFirstVisibleIndex;
}

namespace {
// The room a line pen needs at the axis ends.
int32_t LinePenMargin(const TZuzPen* Pen, bool Stairs)
{
  const int32_t W = Pen->Width();
  if (Stairs)
    return W;
  return W >= 2 ? static_cast<int32_t>(std::nearbyint(W * 0.5)) + 1 : 0;
}
} // namespace

void TCustomSeries::InternalCalcMargin(bool SameSide, bool Horizontal, int32_t& A, int32_t& B)
{
  if (!Horizontal)
    FPointer->CalcVerticalMargins(A, B);
  else if (Count() == 0 || FPointer->Count() == 0)
    FPointer->CalcHorizMargins(A, B);
  else {
    int32_t Unused = 0;
    FPointer->InternalGet(0)->CalcHorizMargins(A, Unused);
    Unused = 0;
    FPointer->InternalGet(Count() - 1)->CalcHorizMargins(Unused, B);
  }
  if (FInflateMargins) {
    if (FDrawLine) {
      const int32_t W = LinePenMargin(LinePen(), FStairs);
      A = std::max(A, W);
      B = std::max(B, W);
      if (FOutLine && FOutLine->Visible()) {
        A = std::max(A, FOutLine->Width());
        B = std::max(B, FOutLine->Width());
      }
    }
    if (FDrawArea && LinePen()->Visible()) {
      const int32_t W = LinePenMargin(LinePen(), FStairs);
      A = std::max(A, W);
      B = std::max(B, W);
    }
  }
  if (SameSide && MarksIfAny() && MarksIfAny()->Visible()) {
    const int32_t M = CalcMarkLength();
    if (YMandatory)
      A = std::max(B, M);
    else
      B = std::max(A, M);
  }
}

void TCustomSeries::CalcHorizMargins(int32_t& LeftMargin, int32_t& RightMargin)
{
  TCustomLineSeries::CalcHorizMargins(LeftMargin, RightMargin);
  InternalCalcMargin(!YMandatory, true, LeftMargin, RightMargin);
}

void TCustomSeries::CalcVerticalMargins(int32_t& TopMargin, int32_t& BottomMargin)
{
  TCustomLineSeries::CalcVerticalMargins(TopMargin, BottomMargin);
  InternalCalcMargin(YMandatory, false, TopMargin, BottomMargin);
  if (FLineHeight > 0 && !FDrawArea && FInflateMargins && Is3D())
    BottomMargin = std::max(BottomMargin, FLineHeight);
}

int32_t TCustomSeries::CalcMarkLength()
{
  TMarksCallout* C = Marks()->Callout();
  return C->Length() + C->Distance();
}

void TCustomSeries::DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position)
{
  Marks()->ZPosition = StartZ;
  if (YMandatory)
    Marks()->ApplyArrowLength(Position);
  TCustomLineSeries::DrawMark(ValueIndex, Text, Position);
}
