// The labels of an axis: the increment between them, their texts, and the
// labels of one drawing pass.
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesList.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/DateTimeSteps.h"
#include "chart/core/LabelsList.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzFont.h"
#include "platform/CanvasMath.h"
#include "rtl/DateTime.h"
#include "rtl/Numbers.h"

#include <QScopeGuard>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

// Half to even, kept in floating point so that no magnitude fails.
double RoundHalfEven(double X)
{
  if (!std::isfinite(X))
    return X;
  return std::nearbyint(X); // the default rounding mode rounds half to even
}

} // namespace

// ---------------------------------------------------------------------------
// Increment

double ZuzNextStep(double Value)
{
  if (std::isinf(Value))
    return 1;
  if (Value >= 10)
    return ZuzNextStep(Value * 0.1) * 10;
  if (Value < 1)
    return ZuzNextStep(Value * 10) * 0.1;
  return Value < 2 ? 2 : (Value < 5 ? 5 : 10);
}

double TChartAxis::RoundLogPower(double Value) const
{
  const double Power = RoundHalfEven(std::log(Value) / std::log(FLogarithmicBase));
  return std::pow(FLogarithmicBase, Power);
}

int32_t TChartAxis::InternalLabelSize(double Value, bool IsWidth)
{
  if (FLabels->GridIgnoresLabelSize())
    return 1;
  if (!FParentChart)
    return 0;
  int32_t Lines = 0;
  int32_t Size = FParentChart->MultiLineTextWidth(LabelValue(Value), Lines);
  const int32_t Angle = FLabels->Angle();
  const bool Across = IsWidth ? (Angle == 90 || Angle == 270) : (Angle == 0 || Angle == 180);
  if (Across)
    Size = FParentChart->InternalCanvas()->TextHeight(QStringLiteral("W")) * Lines;
  return Size;
}

double TChartAxis::CalcIncrement()
{
  double Lo = IMinimum, Hi = IMaximum;
  const double Desired = FDesiredIncrement;
  if (FLabels->RoundFirst() && Desired != 0) {
    // The first and last labels the loop will draw: the ends brought to
    // multiples of the increment. (Multiplying the ends by the increment
    // instead measured other numbers, too short or far too long.)
    const double QLo = IMinimum / Desired, QHi = IMaximum / Desired;
    if (std::isfinite(QLo) && std::fabs(QLo) <= 9.223372036854775807e18)
      Lo = RoundHalfEven(QLo) * Desired;
    if (std::isfinite(QHi) && std::fabs(QHi) <= 9.223372036854775807e18)
      Hi = std::trunc(QHi) * Desired;
  }
  int32_t MaxSize = 0;
  if (Desired != 0) {
    for (const double V : {Lo, Hi, Lo + Desired, Hi - Desired})
      MaxSize = std::max(MaxSize, InternalLabelSize(V, FHorizontal));
  } else {
    double Mid = Lo + (Hi - Lo) * 0.5;
    if (std::isinf(Mid))
      Mid = 0;
    // A whole number measures shorter than most labels; halve until it
    // shows decimals.
    while (std::isfinite(Mid) && Mid != 0 && Mid == std::trunc(Mid))
      Mid *= 0.5;
    for (const double V : {Mid, Lo, Hi})
      MaxSize = std::max(MaxSize, InternalLabelSize(V, FHorizontal));
  }
  double Result = CalcXYIncrement(MaxSize);
  if (FLabels->Alternate())
    Result = FLogarithmic ? Result / FLogarithmicBase : Result * 0.5;
  return Result;
}

double TChartAxis::CalcXYIncrement(int32_t MaxLabelSize)
{
  int32_t N = 1;
  if (MaxLabelSize > 0 && IAxisSize > 0) {
    if (FLabels->Separation() > 0)
      MaxLabelSize += PixelRound(FLabels->Separation() * 0.01 * MaxLabelSize);
    N = PixelRound(static_cast<double>(IAxisSize) / MaxLabelSize);
  }
  return CalcLabelsIncrement(N);
}

double TChartAxis::CalcLabelsIncrement(int32_t N)
{
  if (N < 1)
    return IAxisDateTime ? DateTimeStep[dtOneMicroSecond] : ZuzSmallestIncrement;
  if (IAxisDateTime)
    return CalcDateTimeIncrement(N);
  const double Range = static_cast<double>(IRange);
  double R;
  if (FDesiredIncrement > 0)
    R = FDesiredIncrement;
  else if (IRangeZero)
    R = 1;
  else {
    R = std::fabs(Range) / (N + 1);
    if (FLogarithmic)
      R = RoundLogPower(R);
  }
  // Points counted along this axis never share a label.
  if (Range >= 1.1 && FParentChart)
    for (const TChartSeries* S : FParentChart->SeriesList()) {
      const bool Positions = S->YMandatory ? FHorizontal : !FHorizontal;
      if (S->Active() && Positions && S->AssociatedToAxis(this) && S->Count() <= N) {
        R = std::max(R, 1.0);
        break;
      }
    }
  // On a logarithmic axis each step grows by the base; a base below one
  // would shrink the step towards zero for ever, so its inverse is used.
  const double LogGrowth = FLogarithmicBase >= 1 ? FLogarithmicBase : 1 / FLogarithmicBase;
  if (FLabels->Separation() != 0 && Range != 0 && R != 0) {
    double C = N + 1;
    for (;;) {
      const double Q = Range / R;
      if (std::fabs(Q) < 2147483647.0) {
        C = RoundHalfEven(Q);
        if (C > N)
          R = FLogarithmic ? R * LogGrowth : (FDesiredIncrement <= 0 ? ZuzNextStep(R) : R * 2);
      } else
        R = FLogarithmic ? R * LogGrowth : ZuzNextStep(R);
      if (C <= N || R > Range || std::isinf(R))
        break;
    }
  }
  if (std::isinf(R))
    return Range;
  return std::max(R, ZuzSmallestIncrement);
}

double TChartAxis::CalcDateTimeIncrement(int32_t N)
{
  const double Range = static_cast<double>(IRange);
  const double OneSecond = DateTimeStep[dtOneSecond];
  double R = std::max(FDesiredIncrement, DateTimeStep[dtOneMicroSecond]);
  if (!std::isfinite(Range))
    return R;
  if (Range / R > 1000000)
    R = Range / 1000000;
  while (RoundHalfEven(Range / R) > N) {
    if (R >= DateTimeStep[dtOneYear])
      R *= 2;
    else if (R >= OneSecond)
      R = NextDateTimeStep(R);
    else
      R = ZuzNextStep(R);
  }
  return std::max(R, DateTimeStep[dtOneMicroSecond]);
}

// ---------------------------------------------------------------------------
// Texts

String TChartAxis::ToDegree(float Value)
{
  if (Value > 2e15f)
    return QStringLiteral("+INF");
  if (Value < -2e15f)
    return QStringLiteral("-INF");
  const int64_t D = static_cast<int64_t>(std::trunc(Value));
  String Result = QString::number(D) + QChar(0x00B0);
  const float F = (Value - float(D)) * 3600.0f;
  const int64_t M = static_cast<int64_t>(std::trunc(F / 60.0f));
  const int64_t S = static_cast<int64_t>(std::trunc(F - float(M) * 60.0f));
  if (M != 0 || S != 0) {
    Result += QString::number(M) + QLatin1Char('\'');
    if (S != 0)
      Result += QString::number(S) + QLatin1Char('"');
  }
  return Result;
}

String TChartAxis::ToDegree(bool IsLat, float Value)
{
  const String Text = ToDegree(std::fabs(Value));
  if (IsLat)
    return Text + (Value < 0 ? QStringLiteral(" S") : QStringLiteral(" N"));
  return Text + (Value < 0 ? QStringLiteral(" W") : QStringLiteral(" E"));
}

String TChartAxis::LabelValue(double Value)
{
  String Text;
  if (IAxisDateTime) {
    const String Format =
        FDateTimeFormat.isEmpty() ? DateTimeDefaultFormat(static_cast<double>(IRange)) : FDateTimeFormat;
    Text = FormatDateTime(Format, Value);
  } else if (IAxisGeo)
    Text = ToDegree(!FHorizontal, static_cast<float>(Value));
  else
    Text = FormatFloat(FAxisValuesFormat, Value);
  if (FParentChart && FParentChart->OnGetAxisLabel)
    FParentChart->OnGetAxisLabel(this, nullptr, -1, Text);
  if (FLabels->MultiLine())
    Text.replace(QLatin1Char(' '), ZuzTextLineBreak);
  return Text;
}

// ---------------------------------------------------------------------------
// Style and series

TAxisLabelStyle TChartAxis::CalcLabelStyle()
{
  const TAxisLabelStyle S = FLabels->Style();
  return S == talAuto ? InternalCalcLabelStyle() : S;
}

TAxisLabelStyle TChartAxis::InternalCalcLabelStyle()
{
  if (FMaster)
    return FMaster->InternalCalcLabelStyle();
  TAxisLabelStyle Result = talNone;
  if (!FParentChart)
    return Result;
  for (TChartSeries* S : FParentChart->SeriesList())
    if (S->Active() && S->AssociatedToAxis(this)) {
      Result = S->AxisLabelStyle(this);
      if (Result != talValue)
        break;
    }
  return Result;
}

void TChartAxis::CalcAllSeries()
{
  ISeriesList.clear();
  if (FParentChart)
    for (TChartSeries* S : FParentChart->SeriesList())
      if (S->Active() && S->AssociatedToAxis(this))
        ISeriesList.push_back(S);
}

bool TChartAxis::GetAxisSeriesLabel(TAxisLabelStyle Style, TChartSeries* Series, int32_t ValueIndex, double& Value,
                                    String& Text, TZuzPicture*& Picture)
{
  if (ValueIndex < Series->FirstValueIndex() || ValueIndex > Series->LastValueIndex())
    return false;
  switch (Style) {
  case talMark:
    Text = Series->GetMarkText(ValueIndex);
    break;
  case talText:
    Text = Series->XLabel(ValueIndex);
    break;
  case talPointValue: {
    const bool Mandatory = Series->MandatoryAxis() == this;
    const double V = Mandatory == Series->YMandatory ? Series->YValue(ValueIndex) : Series->XValue(ValueIndex);
    Text = LabelValue(V);
    break;
  }
  default:
    break;
  }
  if (FParentChart && FParentChart->OnGetAxisLabel)
    FParentChart->OnGetAxisLabel(this, Series, ValueIndex, Text);
  if (Text.isEmpty())
    return false;
  if (IDepthAxis) {
    const TChartValueList* L = Series->ValueListOfAxis(this);
    Value = L ? L->GetValue(ValueIndex) : 0;
  } else if (Series->HasPointLabels())
    Value = ValueIndex;
  else
    Value = FHorizontal ? Series->XValue(ValueIndex) : Series->YValue(ValueIndex);
  Picture = nullptr;
  return true;
}

// ---------------------------------------------------------------------------
// One drawing pass

TDateTimeStep TChartAxis::CalcDateTimeStep(double Incr) const
{
  int32_t S = FindDateTimeStep(FDesiredIncrement);
  if (S == dtNone)
    return dtNone;
  while (Incr > DateTimeStep[S] && S < dtOneYear)
    ++S;
  return static_cast<TDateTimeStep>(S);
}

bool TChartAxis::IncDec(bool Increment, double& Value, double AnIncrement) const
{
  const double Result = Increment ? Value + AnIncrement : Value - AnIncrement;
  // An increment below the spacing of doubles at Value leaves it where it
  // is: a label loop stepping by it would never end.
  if (!(std::fabs(Result) <= DBL_MAX) || Result == Value)
    return false;
  Value = Result;
  return true;
}

bool TChartAxis::IncDec(bool Increment, double& Value, double AnIncrement, TDateTimeStep Step) const
{
  const double Old = Value;
  ZuzDateTimeIncrement(Increment, Value, AnIncrement, Step);
  return !SameValue(Old, Value);
}

void TChartAxis::AddTickAndSaveLabel(int32_t P, const String& Text, TZuzPicture* Picture, TCustomTextShape* Format,
                                     double Value)
{
  if (FTickOnLabelsOnly)
    Tick.push_back(P);
  int32_t L = P;
  if (FLabels->Position() != lpAtTick) {
    const int32_t Half = FParentChart->InternalCanvas()->TextWidth(Text) / 2;
    L = FLabels->Position() == lpAfterTick ? P + Half : P - Half;
  }
  if (!FLabels->Visible() || Format)
    return;
  TAxisItem* Item = FAxisItems->InternalAdd(Text, Picture, Value);
  Item->SetLabelPos(L);
  if (FLabels->Behind())
    DrawThisLabel(L, Text, nullptr, FAxisItems->Count() - 1, Picture);
}

bool TChartAxis::InternalDrawLabel(double& Value, bool Advance)
{
  const int32_t P = CalcPosValue(Value);
  if ((FLabels->OnAxis() && IGapSize < 1) || (IStartPos < P && P < IEndPos)) {
    if (!FTickOnLabelsOnly)
      Tick.push_back(P);
    if (FLabels->Visible() || (FGrid->Visible() && FGrid->DrawAlways()))
      AddTickAndSaveLabel(P, LabelValue(Value), nullptr, nullptr, Value);
  }
  if (!Advance)
    return true;
  return CalcIsDateTime(IStep) ? IncDec(false, Value, IIncrement, IStep) : IncDec(false, Value, IIncrement);
}

void TChartAxis::DrawValueLabels()
{
  if (!(std::fabs(static_cast<double>(IRange) / IIncrement) < 10000))
    return;
  double V;
  if (IAxisDateTime && FExactDateTime && IStep >= dtOneDay && IStep <= dtOneYear)
    V = ZuzRoundDate(IMaximum, IStep);
  else if (IMaximum == IMinimum || !FLabels->RoundFirst())
    V = IMaximum;
  else
    V = std::trunc(IMaximum / IIncrement) * IIncrement;
  const auto Down = [&](double& X) {
    return CalcIsDateTime(IStep) ? IncDec(false, X, IIncrement, IStep) : IncDec(false, X, IIncrement);
  };
  while (V > IMaximum)
    if (!Down(V))
      break;
  if (IRangeZero) {
    InternalDrawLabel(V, false);
    return;
  }
  if (OnCalcMaxLabel) {
    double G = V;
    bool Stop = false;
    OnCalcMaxLabel(this, -1, G, Stop);
    G = V + G;
    OnCalcMaxLabel(this, -1, G, Stop);
    V = V + G;
  }
  // The labels come from stepping down, whose rounding lands a label meant
  // for the minimum a hair below it; a millionth of a step keeps it.
  const double Limit = IMinimum - std::fabs(IIncrement) * 1e-6;
  while (V >= Limit) {
    if (OnNextLabelValue) {
      OnNextLabelValue(this, V);
      if (V < Limit)
        break;
    }
    if (!InternalDrawLabel(V, true))
      break;
  }
}

void TChartAxis::DrawLogLabels()
{
  if (IMinimum == IMaximum)
    return;
  const double Base = FLogarithmicBase;
  double V;
  if (IMinimum <= 0) {
    IMinimum = IMinimum == 0 ? 0.1 : RoundLogPower(1e-10);
    V = IMinimum;
  } else
    V = RoundLogPower(IMinimum);
  if (FMinorGrid->Visible()) {
    double W = V;
    if (W >= IMinimum)
      W = std::pow(Base, std::log(IMinimum) / std::log(Base) - 1);
    if (W < IMinimum)
      Tick.push_back(CalcPosValue(W));
  }
  int32_t Drawn = 0;
  if (Base > 1) {
    double X = V;
    while (X <= IMaximum) {
      if (X >= IMinimum) {
        InternalDrawLabel(X, false);
        ++Drawn;
      }
      X *= Base;
    }
  }
  if (Drawn == 0) {
    const double Step = std::pow(Base, std::log(V) / std::log(Base) - 1);
    if (Step > 0 && std::isfinite(Step))
      for (double X = V; X <= IMaximum; X += Step) {
        if (X >= IMinimum)
          InternalDrawLabel(X, false);
        if (X + Step == X)
          break;
      }
  }
  if (FMinorGrid->Visible() && V > IMaximum)
    Tick.push_back(CalcPosValue(V));
}

void TChartAxis::DrawCustomLabels()
{
  double V = IMinimum;
  bool Stop = true;
  for (int32_t I = 0; I <= 2000; ++I) {
    FParentChart->OnGetNextAxisLabel(this, I, V, Stop);
    if (Stop) {
      if (I == 0) {
        if (FLogarithmic && FDesiredIncrement == 0)
          DrawLogLabels();
        else
          DrawValueLabels();
      }
      return;
    }
    if (V < IMinimum - 1e-7 || V > IMaximum + 1e-7)
      return;
    double X = V;
    InternalDrawLabel(X, false);
  }
}

void TChartAxis::DrawSeriesLabels(TAxisLabelStyle Style)
{
  CalcAllSeries();
  const auto ClearList = qScopeGuard([this] { ISeriesList.clear(); });
  int32_t First = -1, Last = -1;
  bool EmptyLabel = false;
  for (TChartSeries* S : ISeriesList) {
    S->CalcFirstLastVisibleIndex();
    if (!S->HasLabels() && Style != talPointValue)
      continue;
    if (S->FirstValueIndex() >= 0 && (First < 0 || S->FirstValueIndex() < First))
      First = S->FirstValueIndex();
    Last = std::max(Last, S->LastValueIndex());
    for (int32_t I = S->FirstValueIndex(); I >= 0 && I <= S->LastValueIndex() && !EmptyLabel; ++I)
      EmptyLabel = S->XLabel(I).isEmpty();
  }
  if (First < 0 || Last < First)
    return;
  bool Horiz = FHorizontal;
  if (FLabels->Angle() == 90 || FLabels->Angle() == 270)
    Horiz = !Horiz;
  int32_t Step = 1;
  if (!FParentChart->OnGetAxisLabel && !EmptyLabel) {
    const int32_t Side = FHorizontal ? FParentChart->ChartWidth() : FParentChart->ChartHeight();
    const int32_t N = Last - First + 1;
    if (N > Side && Side > 0)
      Step = std::max(1, PixelRound(2.0 * N / Side));
  }
  TCanvas3D* C = FParentChart->InternalCanvas();
  const int32_t Separation = FLabels->Separation();
  for (TChartSeries* S : ISeriesList) {
    int32_t OldPos = -1, OldHalf = 0;
    bool HasOld = false;
    for (int32_t T = First; T <= Last; T += Step) {
      double Value = 0;
      String Text;
      TZuzPicture* Picture = nullptr;
      if (!GetAxisSeriesLabel(Style, S, T, Value, Text, Picture))
        continue;
      if (Value < IMinimum || Value > IMaximum)
        continue;
      const int32_t P = CalcPosValue(Value);
      const bool Dup = std::find(Tick.begin(), Tick.end(), P) != Tick.end();
      if (!FTickOnLabelsOnly && !Dup)
        Tick.push_back(P);
      if (!FLabels->Visible() || Text.isEmpty())
        continue;
      // The overlap rule: a label keeps its half size plus separation off
      // the previous one; with Trim the text is shortened until it fits.
      for (;;) {
        int32_t Lines = 0;
        const int32_t Size = Horiz ? FParentChart->MultiLineTextWidth(Text, Lines)
                                   : FParentChart->LinesOfText(Text) * C->TextHeight(QStringLiteral("W"));
        bool Fits;
        int32_t Half;
        if (Separation == 0 || !HasOld) {
          Fits = true;
          Half = Size / 2;
        } else {
          Half = (Size + static_cast<int32_t>(std::trunc(Size * 0.02 * Separation))) / 2;
          Fits = P >= OldPos ? P - Half >= OldPos + OldHalf : P + Half <= OldPos - OldHalf;
        }
        if (Fits) {
          OldPos = P;
          OldHalf = Half;
          HasOld = true;
          if (!Dup)
            AddTickAndSaveLabel(P, Text, Picture, nullptr, Value);
          break;
        }
        if (!FLabels->Automatic()->Trim() || Text.isEmpty())
          break;
        Text.chop(1);
        if (Text.isEmpty())
          break;
      }
    }
  }
}

void TChartAxis::DrawDepthLabels()
{
  if (FParentChart->CountActiveSeries() == 0)
    return;
  for (int64_t I = static_cast<int64_t>(std::trunc(IMinimum)); I <= static_cast<int64_t>(std::trunc(IMaximum)); ++I) {
    const double V = IMaximum - double(I) - 0.5;
    const int32_t P = CalcYPosValue(V);
    if (!FTickOnLabelsOnly)
      Tick.push_back(P);
    if (!FLabels->Visible())
      continue;
    String Text = FParentChart->SeriesTitleLegend(static_cast<int32_t>(I), false);
    if (FParentChart->OnGetAxisLabel)
      FParentChart->OnGetAxisLabel(this, nullptr, static_cast<int32_t>(I), Text);
    AddTickAndSaveLabel(P, Text, nullptr, nullptr, V);
  }
}

void TChartAxis::DrawCustomItems()
{
  for (int32_t I = 0; I < FAxisItems->Count(); ++I) {
    TAxisItem* Item = FAxisItems->Get(I);
    if (Item->Value() < IMinimum || Item->Value() > IMaximum)
      continue;
    const int32_t P = CalcPosValue(Item->Value());
    Item->SetLabelPos(P);
    if (!FTickOnLabelsOnly)
      Tick.push_back(P);
    TAxisLabelsFormat* F = Item->ActiveFormat();
    if (F && F->Visible())
      AddTickAndSaveLabel(P, Item->Text().isEmpty() ? LabelValue(Item->Value()) : Item->Text(), Item->Picture(), F,
                          Item->Value());
  }
}

void TChartAxis::DoDrawLabels()
{
  TCanvas3D* C = FParentChart->InternalCanvas();
  if (FLabels->Behind())
    C->BeginEntity(QStringLiteral("Labels"), nullptr, nullptr);
  const auto End = qScopeGuard([&] {
    if (FLabels->Behind())
      C->EndEntity();
  });
  Tick.clear();
  IAlternateRow = 0;
  if (!FAxisItems->Automatic()) {
    DrawCustomItems();
    return;
  }
  FAxisItems->Clear();
  const TAxisLabelStyle Style = CalcLabelStyle();
  if (Style == talNone && !(FGrid->Visible() && FGrid->DrawAlways()))
    return;
  FParentChart->PrepareFont3D(FLabels->Font());
  IIncrement = CalcIncrement();
  IStep = IAxisDateTime && FExactDateTime && FDesiredIncrement != 0 ? CalcDateTimeStep(IIncrement) : dtNone;
  const bool Calendar = IStep >= dtHalfMonth && IStep <= dtOneYear;
  if (!((IIncrement > 0 || Calendar) && IMaximum >= IMinimum))
    return;
  switch (Style) {
  case talValue:
    if (FParentChart->OnGetNextAxisLabel)
      DrawCustomLabels();
    else if (FLogarithmic && FDesiredIncrement == 0)
      DrawLogLabels();
    else
      DrawValueLabels();
    break;
  case talMark:
  case talPointValue:
    DrawSeriesLabels(Style);
    break;
  case talText:
    if (IDepthAxis && dynamic_cast<TChartDepthAxis*>(this) &&
        static_cast<TChartDepthAxis*>(this)->LabelsAsSeriesTitles())
      DrawDepthLabels();
    else
      DrawSeriesLabels(Style);
    break;
  default:
    break;
  }
}

// ---------------------------------------------------------------------------
// Widest label

bool TChartAxis::IsMaxLabelsValueDateTime() const { return IAxisDateTime && FExactDateTime; }

void TChartAxis::MaxLabelsValue(int32_t& Width, int32_t& NumLines)
{
  Width = 0;
  NumLines = 0;
  if (!FParentChart)
    return;
  const double Incr = CalcIncrement();
  double Lo = IMinimum, Hi = IMaximum;
  if (Incr != 0 && (IsMaxLabelsValueDateTime() || FLabels->RoundFirst())) {
    Lo = std::trunc(IMinimum / Incr) * Incr;
    Hi = std::trunc(IMaximum / Incr) * Incr;
  }
  const auto Measure = [&](double V) {
    int32_t Lines = 0;
    Width = std::max(Width, FParentChart->MultiLineTextWidth(LabelValue(V), Lines));
    NumLines = std::max(NumLines, Lines);
  };
  if (Incr != 0 && std::isfinite(Lo) && std::isfinite(Hi)) {
    double V = Hi;
    for (int32_t I = 0; I < 5000 && V >= Lo; ++I) {
      Measure(V);
      if (!IncDec(false, V, Incr))
        break;
    }
  } else {
    Measure(Lo);
    Measure(Hi);
  }
  Width += FParentChart->InternalCanvas()->TextWidth(QStringLiteral(" "));
}

int32_t TChartAxis::MaxLabelsWidth()
{
  if (!FParentChart)
    return 0;
  if (!FAxisItems->Automatic()) {
    int32_t W = 0;
    for (int32_t I = 0; I < FAxisItems->Count(); ++I) {
      TAxisItem* Item = FAxisItems->Get(I);
      FParentChart->PrepareFont3D(Item->ActiveFormat()->Font());
      int32_t Lines = 0;
      W = std::max(W, FParentChart->MultiLineTextWidth(Item->Text(), Lines));
    }
    return W;
  }
  switch (CalcLabelStyle()) {
  case talValue:
  case talPointValue: {
    int32_t W = 0, Lines = 0;
    MaxLabelsValue(W, Lines);
    return W;
  }
  case talMark:
    return FParentChart->MaxMarkWidth();
  case talText:
    if (FParentChart->OnGetAxisLabel) {
      int32_t W = 0;
      for (TChartSeries* S : FParentChart->SeriesList())
        for (int32_t I = 0; I < S->Count(); ++I) {
          String Text = S->XLabel(I);
          FParentChart->OnGetAxisLabel(this, S, I, Text);
          int32_t Lines = 0;
          W = std::max(W, FParentChart->MultiLineTextWidth(Text, Lines));
        }
      return W;
    }
    return FParentChart->MaxTextWidth();
  default:
    return 0;
  }
}
