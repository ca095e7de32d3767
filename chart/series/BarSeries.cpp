// The bar series base: settings, and the layout of the bars of a chart
// (slots, widths, stacking origins, axis extents and margins, depth and
// drawing order).
#include "chart/series/BarSeries.h"
#include "chart/series/SeriesClass.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesList.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzGeometry.h"
#include "platform/CanvasMath.h"
#include "platform/ClassRegistry.h"

#include <algorithm>
#include <cmath>

String TSelfStack::ClassName() const { return QStringLiteral("TSelfStack"); }

void TSelfStack::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TSelfStack*>(Source)) {
    FUsePosition = S->FUsePosition;
    FPosition = S->FPosition;
  } else
    TPersistent::Assign(Source);
}

void TSelfStack::SetPosition(double Value)
{
  if (FPosition != Value) {
    FPosition = Value;
    IParent->Repaint();
  }
}

void TSelfStack::SetUsePosition(bool Value)
{
  if (FUsePosition != Value) {
    FUsePosition = Value;
    IParent->Repaint();
  }
}

// ---------------------------------------------------------------------------

TCustomBarSeries::TCustomBarSeries(TComponent* AOwner) : TChartSeries(AOwner)
{
  Brush()->Gradient()->SetVisible(false);
  TSeriesMarks* M = Marks();
  M->DefaultVisible = true;
  M->SetVisible(true);
  M->SetOnTop(true);
  M->Callout()->DefaultLength = 20;
  M->Callout()->SetLength(20);
  const TNotifyEvent Changed = [this](TObject*) { Repaint(); };
  FEmboss = std::make_unique<TZuzEmboss>();
  FEmboss->IOnChange = Changed;
  FEmboss->InitValues(FEmboss->Visible(), 0x808080, FEmboss->Size());
  FShadow = std::make_unique<TZuzShadow>(Changed);
  FShadow->InitValues(FShadow->Visible(), 0x808080, FShadow->Size());
  FSelfStack = std::make_unique<TSelfStack>(this);
}

TCustomBarSeries::~TCustomBarSeries() = default;

String TCustomBarSeries::ClassName() const { return QStringLiteral("TCustomBarSeries"); }

String TCustomBarSeries::GetEditorClass() const { return QStringLiteral("TBarSeriesEditor"); }

void TCustomBarSeries::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TCustomBarSeries*>(Source)) {
    FBarStyle = S->FBarStyle;
    FMultiBar = S->FMultiBar;
    FOrigin = S->FOrigin;
    FSelfStack->Assign(S->FSelfStack.get());
    FStackGroup = S->FStackGroup;
    FUseOrigin = S->FUseOrigin;
  }
  TChartSeries::Assign(Source);
}

void TCustomBarSeries::AssignFormatting(TChartSeries* Source)
{
  if (auto* S = dynamic_cast<TCustomBarSeries*>(Source)) {
    FBarWidthPercent = S->FBarWidthPercent;
    FBarRound = S->FBarRound;
    FBevelSize = S->FBevelSize;
    FConePercent = S->FConePercent;
    FCustomBarSize = S->FCustomBarSize;
    FDark3D = S->FDark3D;
    FDarkPen = S->FDarkPen;
    FDepthPercent = S->FDepthPercent;
    FEmboss->Assign(S->FEmboss.get());
    FGradientRelative = S->FGradientRelative;
    FMarksLocation = S->FMarksLocation;
    FMarksOnBar = S->FMarksOnBar;
    FOffsetPercent = S->FOffsetPercent;
    FRoundSize = S->FRoundSize;
    FShadow->Assign(S->FShadow.get());
    FSideMargins = S->FSideMargins;
    SetTickLines(S->FTickLines.get());
  }
  TChartSeries::AssignFormatting(Source);
}

void TCustomBarSeries::SetParentChart(TCustomAxisPanel* Value)
{
  TChartSeries::SetParentChart(Value);
  SetOtherBars(false);
}

int32_t TCustomBarSeries::AddBar(double Value, const String& Label, TColor Color) { return Add(Value, Label, Color); }

void TCustomBarSeries::SetOtherBars(bool Propagate)
{
  if (!FParent)
    return;
  for (TChartSeries* S : FParent->SeriesList()) {
    auto* B = dynamic_cast<TCustomBarSeries*>(S);
    if (!B || !IsClassOrDescendant(S, this))
      continue;
    if (!Propagate) {
      if (B != this) {
        FMultiBar = B->FMultiBar;
        FSideMargins = B->FSideMargins;
        CalcVisiblePoints = FMultiBar != mbSelfStack;
      }
      return;
    }
    B->FMultiBar = FMultiBar;
    B->FSideMargins = FSideMargins;
    B->CalcVisiblePoints = FMultiBar != mbSelfStack;
  }
}

// ---- Settings ----------------------------------------------------------------

void TCustomBarSeries::SetAutoBarSize(bool Value) { SetBooleanProperty(FAutoBarSize, Value); }
void TCustomBarSeries::SetBarWidthPercent(int32_t Value) { SetIntegerProperty(FBarWidthPercent, Value); }
void TCustomBarSeries::SetBevelSize(int32_t Value) { SetIntegerProperty(FBevelSize, Value); }
void TCustomBarSeries::SetConePercent(int32_t Value) { SetIntegerProperty(FConePercent, Value); }
void TCustomBarSeries::SetCustomBarSize(int32_t Value) { SetIntegerProperty(FCustomBarSize, Value); }
void TCustomBarSeries::SetDark3D(bool Value) { SetBooleanProperty(FDark3D, Value); }
void TCustomBarSeries::SetDarkPen(int32_t Value) { SetIntegerProperty(FDarkPen, Value); }
void TCustomBarSeries::SetDepthPercent(int32_t Value) { SetIntegerProperty(FDepthPercent, Value); }
void TCustomBarSeries::SetGradientRelative(bool Value) { SetBooleanProperty(FGradientRelative, Value); }
void TCustomBarSeries::SetMarksOnBar(bool Value) { SetBooleanProperty(FMarksOnBar, Value); }
void TCustomBarSeries::SetOffsetPercent(int32_t Value) { SetIntegerProperty(FOffsetPercent, Value); }
void TCustomBarSeries::SetRoundSize(int32_t Value) { SetIntegerProperty(FRoundSize, Value); }
void TCustomBarSeries::SetSides(int32_t Value) { SetIntegerProperty(FSides, Value); }
void TCustomBarSeries::SetStackGroup(int32_t Value) { SetIntegerProperty(FStackGroup, Value); }
void TCustomBarSeries::SetUseYOrigin(bool Value) { SetBooleanProperty(FUseOrigin, Value); }
void TCustomBarSeries::SetYOrigin(double Value) { SetDoubleProperty(FOrigin, Value); }
void TCustomBarSeries::SetSelfStack(TSelfStack* Value) { FSelfStack->Assign(Value); }
void TCustomBarSeries::SetShadow(TZuzShadow* Value) { FShadow->Assign(Value); }
void TCustomBarSeries::SetEmboss(TZuzEmboss* Value) { FEmboss->Assign(Value); }
TZuzGradient* TCustomBarSeries::Gradient() const { return Brush()->Gradient(); }
void TCustomBarSeries::SetGradient(TZuzGradient* Value) { Brush()->Gradient()->Assign(Value); }

void TCustomBarSeries::SetBarRound(TBarRound Value)
{
  if (FBarRound != Value) {
    FBarRound = Value;
    Repaint();
  }
}

void TCustomBarSeries::SetBarStyle(TBarStyle Value)
{
  if (FBarStyle == Value)
    return;
  FBarStyle = Value;
  if (Value == bsRectangle)
    Gradient()->SetVisible(false);
  Repaint();
}

void TCustomBarSeries::SetMarksLocation(TMarksLocation Value)
{
  if (FMarksLocation != Value) {
    FMarksLocation = Value;
    Repaint();
  }
}

void TCustomBarSeries::SetMultiBar(TMultiBar Value)
{
  if (FMultiBar == Value)
    return;
  FMultiBar = Value;
  SetOtherBars(true);
  Repaint();
}

void TCustomBarSeries::SetSideMargins(bool Value)
{
  SetBooleanProperty(FSideMargins, Value);
  SetOtherBars(true);
}

TZuzHiddenPen* TCustomBarSeries::TickLines()
{
  if (!FTickLines) {
    FTickLines = std::make_unique<TZuzHiddenPen>([this](TObject*) { Repaint(); });
    FTickLines->InitEndStyle(esFlat);
  }
  return FTickLines.get();
}

void TCustomBarSeries::SetTickLines(TZuzHiddenPen* Value)
{
  if (!Value)
    FTickLines.reset();
  else
    TickLines()->Assign(Value);
}

bool TCustomBarSeries::AutoMarkPosition() { return Marks()->Automatic()->Move(); }
void TCustomBarSeries::SetAutoMarkPosition(bool Value) { Marks()->Automatic()->SetMove(Value); }

// ---- Layout --------------------------------------------------------------------

TCanvas3D* TCustomBarSeries::Canvas() const { return FParent->InternalCanvas(); }

bool TCustomBarSeries::Is3D() const { return FParent && FParent->View3D(); }

TChartAxis* TCustomBarSeries::NotMandatoryAxis() const { return YMandatory ? GetHorizAxis() : GetVertAxis(); }

bool TCustomBarSeries::InSameGroup(const TChartSeries* S) const
{
  if (!S->Active() || !Active() || !SameClass(S))
    return false;
  if (YMandatory)
    return (VertAxis() != aCustomVertAxis && S->VertAxis() != aCustomVertAxis) || GetVertAxis() == S->GetVertAxis();
  return (HorizAxis() != aCustomHorizAxis && S->HorizAxis() != aCustomHorizAxis) || GetHorizAxis() == S->GetHorizAxis();
}

void TCustomBarSeries::DoBeforeDrawChart()
{
  TChartSeries::DoBeforeDrawChart();
  IBarSize = 0;
  IOrderPos = 1;
  IPreviousCount = 0;
  INumBars = 0;
  IMaxBarPoints = -1;
  if (!FParent)
    return;
  std::vector<int32_t> Groups;
  bool Found = false;
  // The category count comes from the series with the most points, the
  // side margin added once to it: which series holds the most points, and
  // where it stands in the list, must not change the width of every bar.
  int32_t MostPoints = -1;
  for (TChartSeries* S : FParent->SeriesList()) {
    if (!InSameGroup(S))
      continue;
    Found = Found || S == this;
    const int32_t N = S->Count();
    MostPoints = std::max(MostPoints, N);
    switch (FMultiBar) {
    case mbNone:
      INumBars = 1;
      break;
    case mbSide:
    case mbSideAll:
    case mbSelfStack:
      ++INumBars;
      if (!Found)
        ++IOrderPos;
      break;
    case mbStacked:
    case mbStacked100: {
      const int32_t G = static_cast<TCustomBarSeries*>(S)->FStackGroup;
      if (std::find(Groups.begin(), Groups.end(), G) == Groups.end()) {
        Groups.push_back(G);
        ++INumBars;
        if (!Found)
          ++IOrderPos;
      }
      break;
    }
    }
    if (!Found)
      IPreviousCount += N;
  }
  if (MostPoints >= 0)
    IMaxBarPoints = MostPoints + (FSideMargins && MostPoints > 0 ? 1 : 0);
  if (IsStacked()) {
    const auto It = std::find(Groups.begin(), Groups.end(), FStackGroup);
    if (It != Groups.end())
      IOrderPos = static_cast<int32_t>(It - Groups.begin()) + 1;
  }
  if (INumBars == 0)
    INumBars = 1;
  const int32_t P = FParent->GetPointsPerPage();
  if (FMultiBar == mbSelfStack)
    IMaxBarPoints = P != 0 ? P : INumBars;
  else if (P > 0)
    IMaxBarPoints = P;
  if (P > 0 && FSideMargins && IMaxBarPoints > 0)
    ++IMaxBarPoints;
}

void TCustomBarSeries::DoBeforeDrawValues()
{
  TChartSeries::DoBeforeDrawValues();
  if (IBarSize == 0)
    CalcBarWidth();
}

void TCustomBarSeries::CalcBarWidth()
{
  if (FCustomBarSize != 0) {
    IBarSize = FCustomBarSize;
    return;
  }
  if (IMaxBarPoints < 1) {
    IBarSize = 0;
    return;
  }
  const TChartAxis* Axis = NotMandatoryAxis();
  const int32_t S = Axis ? Axis->IAxisSize : 0;
  double A = S;
  if (FAutoBarSize && Axis)
    A = double(IMaxBarPoints * S) / (2 + Axis->Maximum() - Axis->Minimum());
  const double B = FBarWidthPercent * 0.01 * A / IMaxBarPoints;
  IBarSize = FMultiBar == mbSelfStack ? PixelRound(0.8 * B) : PixelRound(B / INumBars);
  if (IBarSize % 2 == 1)
    ++IBarSize;
}

int32_t TCustomBarSeries::ApplyBarOffset(int32_t Position) const
{
  if (FOffsetPercent != 0)
    Position += PixelRound(FOffsetPercent * IBarSize * 0.01);
  return Position;
}

double TCustomBarSeries::SelfStackColumn() const
{
  return FSelfStack->UsePosition() ? FSelfStack->Position() : SeriesIndex();
}

int32_t TCustomBarSeries::CalcCategoryPos(int32_t ValueIndex) const
{
  const TChartAxis* Axis = NotMandatoryAxis();
  int32_t X;
  switch (FMultiBar) {
  case mbSideAll:
    X = Axis->CalcPosValue(IPreviousCount + ValueIndex) - IBarSize / 2;
    break;
  case mbSelfStack:
    X = Axis->CalcPosValue(SelfStackColumn()) - IBarSize / 2;
    break;
  default:
    X = Axis->CalcPosValue(NotMandatoryValueList->GetValue(ValueIndex));
    if (FMultiBar == mbNone)
      X -= IBarSize / 2;
    else
      X += PixelRound((IOrderPos - INumBars * 0.5 - 1) * IBarSize);
    break;
  }
  return ApplyBarOffset(X);
}

double TCustomBarSeries::PointOrigin(int32_t ValueIndex, bool SumAll) const
{
  if (IsStacked()) {
    if (!FParent)
      return 0;
    const double V = MandatoryValueList->GetValue(ValueIndex);
    double Result = 0;
    for (const TChartSeries* S : FParent->SeriesList()) {
      if (!SumAll && S == this)
        break;
      const auto* B = dynamic_cast<const TCustomBarSeries*>(S);
      if (!B || !S->Active() || !SameClass(S) || S->Count() <= ValueIndex || B->FStackGroup != FStackGroup)
        continue;
      const double G = S->GetOriginValue(ValueIndex);
      if (SumAll)
        Result += std::fabs(G);
      else if ((V < 0 && G < 0) || (V >= 0 && G > 0))
        Result += G;
    }
    return Result;
  }
  if (FMultiBar == mbSelfStack) {
    const TChartValues& Values = MandatoryValueList->Value;
    const bool Up = Values[ValueIndex] >= FOrigin;
    double Result = 0;
    for (int32_t I = 0; I < ValueIndex; ++I)
      if ((Values[I] >= FOrigin) == Up)
        Result += Values[I];
    return Result;
  }
  return FOrigin;
}

int32_t TCustomBarSeries::CalcValueEndPos(int32_t ValueIndex) const
{
  const double V = MandatoryValueList->GetValue(ValueIndex);
  switch (FMultiBar) {
  case mbStacked:
  case mbSelfStack:
    return CalcPosValue(PointOrigin(ValueIndex, false) + V);
  case mbStacked100: {
    const double T = PointOrigin(ValueIndex, true);
    return T == 0 ? 0 : CalcPosValue((PointOrigin(ValueIndex, false) + V) * 100 / T);
  }
  default:
    return CalcPosValue(V);
  }
}

int32_t TCustomBarSeries::InternalGetOriginPos(int32_t ValueIndex, int32_t Default) const
{
  const double O = PointOrigin(ValueIndex, false);
  switch (FMultiBar) {
  case mbStacked:
  case mbSelfStack:
    return CalcPosValue(O);
  case mbStacked100: {
    const double T = PointOrigin(ValueIndex, true);
    return T == 0 ? 0 : CalcPosValue(O * 100 / T);
  }
  default:
    return FUseOrigin ? CalcPosValue(O) : Default;
  }
}

double TCustomBarSeries::MaxMandatoryValue(double M) const
{
  double Result = M;
  if (FMultiBar == mbStacked100)
    return MandatoryValueList->Total() < 0 ? 0 : 100;
  if (FMultiBar == mbStacked || FMultiBar == mbSelfStack)
    for (int32_t I = 0; I < Count(); ++I)
      Result = std::max(Result, PointOrigin(I, false) + MandatoryValueList->GetValue(I));
  if (FUseOrigin && Result < FOrigin)
    Result = FOrigin;
  return Result;
}

double TCustomBarSeries::MinMandatoryValue(double M) const
{
  double Result = M;
  if (FMultiBar == mbStacked100) {
    Result = 0;
    for (int32_t I = 0; I < Count(); ++I) {
      const double T = PointOrigin(I, true);
      if (T != 0)
        Result = std::min(Result, (PointOrigin(I, false) + MandatoryValueList->GetValue(I)) * 100 / T);
    }
    return Result;
  }
  if (FMultiBar == mbStacked || FMultiBar == mbSelfStack)
    for (int32_t I = 0; I < Count(); ++I)
      Result = std::min(Result, PointOrigin(I, false) + MandatoryValueList->GetValue(I));
  if (FUseOrigin && Result > FOrigin)
    Result = FOrigin;
  return Result;
}

int32_t TCustomBarSeries::BarMargin() const
{
  int32_t B = IBarSize;
  if (FMultiBar != mbSideAll && FMultiBar != mbSelfStack)
    B *= INumBars;
  return FSideMargins ? B : B / 2;
}

void TCustomBarSeries::InternalApplyBarMargin(int32_t& MarginA, int32_t& MarginB)
{
  CalcBarWidth();
  const int32_t M = BarMargin();
  MarginA += M;
  MarginB += M;
}

int32_t TCustomBarSeries::InternalCalcMarkLength(int32_t) { return 0; }

int32_t TCustomBarSeries::CalcMarkLength(int32_t ValueIndex)
{
  if (Count() == 0 || !Marks()->Visible() || !FParent)
    return 0;
  TSeriesMarks* M = Marks();
  Canvas()->AssignFont(M->Font());
  int32_t Result = InternalCalcMarkLength(ValueIndex) + M->Callout()->Length();
  if (M->Pen()->Visible())
    Result += 2 * M->Pen()->Width();
  return Result;
}

void TCustomBarSeries::ValueAxisMargins(int32_t MarkLength, bool Inverted, double MinValue, double MaxValue,
                                        int32_t& NearMargin, int32_t& FarMargin)
{
  int32_t L = FMarksOnBar ? 0 : MarkLength;
  if (Pen()->Visible())
    L = std::max(L, PixelRound(Pen()->Width() * 0.5) + 2);
  if (L <= 0)
    return;
  ++L;
  // Near is the axis' minimum end (bottom, left), Far its maximum end.
  if (FUseOrigin && MinValue < FOrigin)
    (Inverted ? FarMargin : NearMargin) += L;
  if (!FUseOrigin || MaxValue > FOrigin)
    (Inverted ? NearMargin : FarMargin) += L;
}

// ---- Depth and order -------------------------------------------------------------

void TCustomBarSeries::CalcZOrder()
{
  if (FMultiBar != mbNone && FParent)
    for (TChartSeries* S : FParent->SeriesList()) {
      if (S == this)
        break;
      if (S->Active() && SameClass(S)) {
        IZOrder = S->ZOrderValue();
        return;
      }
    }
  TChartSeries::CalcZOrder();
}

void TCustomBarSeries::CalcDepthPositions()
{
  TChartSeries::CalcDepthPositions();
  if (FDepthPercent != 0) {
    const int32_t D = PixelRound((100 - FDepthPercent) * (EndZ - StartZ) * 0.005);
    StartZ += D;
    EndZ -= D;
  }
}

bool TCustomBarSeries::MoreSameZOrder() const
{
  if (FMultiBar == mbSideAll || FMultiBar == mbSelfStack)
    return false;
  return TChartSeries::MoreSameZOrder();
}

bool TCustomBarSeries::IsPointInChartRect(int32_t ValueIndex) const
{
  TRect Both;
  const TRect R = const_cast<TCustomBarSeries*>(this)->CalcBarBounds(ValueIndex);
  return ZuzRectIntersects(Both, R, FParent->ChartRect);
}

void TCustomBarSeries::CalcFirstLastVisibleIndex()
{
  if (FMultiBar == mbSelfStack) {
    FFirstVisibleIndex = Count() > 0 ? 0 : -1;
    FLastVisibleIndex = Count() - 1;
    return;
  }
  if (FParent && FParent->GetPointsPerPage() == 1) {
    FFirstVisibleIndex = FParent->GetPage() - 1;
    if (FFirstVisibleIndex >= Count())
      FFirstVisibleIndex = -1;
    FLastVisibleIndex = FFirstVisibleIndex;
    return;
  }
  TChartSeries::CalcFirstLastVisibleIndex();
  if (!FParent || FParent->GetPointsPerPage() != 0 || FFirstVisibleIndex < 0)
    return;
  // Bars only partly inside the chart area are drawn too.
  const TChartValues& X = NotMandatoryValueList->Value;
  while (FLastVisibleIndex < Count() - 1 &&
         (IsPointInChartRect(FLastVisibleIndex + 1) || X[FLastVisibleIndex + 1] == X[FLastVisibleIndex]))
    ++FLastVisibleIndex;
  while (FFirstVisibleIndex > 0 &&
         (IsPointInChartRect(FFirstVisibleIndex - 1) || X[FFirstVisibleIndex - 1] == X[FFirstVisibleIndex]))
    --FFirstVisibleIndex;
}

bool TCustomBarSeries::DrawValuesForward() const
{
  if (FMultiBar == mbSelfStack) {
    const TChartAxis* A = MandatoryAxis();
    return !(A && A->Inverted());
  }
  return TChartSeries::DrawValuesForward();
}

bool TCustomBarSeries::DrawSeriesAscending() const
{
  bool Result = TChartSeries::DrawSeriesAscending();
  if ((FMultiBar == mbSideAll || FMultiBar == mbSelfStack) && FParent) {
    if (const TChartAxis* A = NotMandatoryAxis(); A && A->Inverted())
      Result = !Result;
    if (FParent->DepthAxis()->Inverted())
      Result = !Result;
    const int32_t R = FParent->View3DOptions()->Rotation();
    if ((R > 0 && R < 90) || (R > 180 && R < 270))
      Result = !Result;
  }
  return Result;
}

std::vector<int32_t> TCustomBarSeries::SortDrawSeries(int32_t SeriesIndex, int32_t SeriesCount, int32_t ValueIndex)
{
  if (!IsStacked() || !FParent)
    return {};
  // Within a stack group, bars at or above the origin are drawn after the
  // group's earlier bars and bars below it before them, so that in 3D the
  // bars nearer the origin never cover the ones stacked on them.
  std::vector<int32_t> Order;
  const auto BarOf = [&](int32_t I) { return dynamic_cast<TCustomBarSeries*>(FParent->GetSeries(I)); };
  for (int32_t I = SeriesIndex; I < SeriesCount; ++I) {
    TChartSeries* S = FParent->GetSeries(I);
    if (!S->Active() || S->Count() <= ValueIndex)
      continue;
    auto* B = BarOf(I);
    if (!B) {
      Order.push_back(I);
      continue;
    }
    const auto SameGroup = [&](int32_t K) {
      const auto* O = BarOf(K);
      return O && O->FStackGroup == B->FStackGroup;
    };
    if (B->MandatoryValueList->GetValue(ValueIndex) >= FOrigin) {
      auto It = std::find_if(Order.rbegin(), Order.rend(), SameGroup);
      Order.insert(It == Order.rend() ? Order.end() : It.base(), I);
    } else {
      auto It = std::find_if(Order.begin(), Order.end(), SameGroup);
      Order.insert(It, I);
    }
  }
  return Order;
}

std::vector<int32_t> TCustomBarSeries::DoSortSelfStacked(int32_t First, int32_t Last, bool OwnOnly) const
{
  std::vector<int32_t> Below, AtOrAbove;
  for (int32_t I = First; I <= Last; ++I) {
    bool IsBelow = false, IsAbove = false;
    const auto Take = [&](const TChartSeries* S) {
      if (I < S->Count())
        (S->MandatoryValueList->GetValue(I) < FOrigin ? IsBelow : IsAbove) = true;
    };
    if (OwnOnly || !FParent)
      Take(this);
    else
      for (const TChartSeries* S : FParent->SeriesList())
        if (S->Active() && S->ZOrderValue() == ZOrderValue())
          Take(S);
    if (IsBelow)
      Below.push_back(I);
    if (IsAbove)
      AtOrAbove.push_back(I);
  }
  std::vector<int32_t> Order;
  const TChartAxis* A = NotMandatoryAxis();
  if (A && A->Inverted()) {
    Order.assign(AtOrAbove.rbegin(), AtOrAbove.rend());
    Order.insert(Order.end(), Below.begin(), Below.end());
  } else {
    Order.assign(Below.rbegin(), Below.rend());
    Order.insert(Order.end(), AtOrAbove.begin(), AtOrAbove.end());
  }
  return Order;
}

std::vector<int32_t> TCustomBarSeries::SortDrawPoints(int32_t First, int32_t Last)
{
  if (FMultiBar != mbSelfStack)
    return {};
  return DoSortSelfStacked(First, Last, false);
}

// ---- Gallery ------------------------------------------------------------------------

void TCustomBarSeries::CreateSubGallery(const TSubGalleryProc& AddSubChart)
{
  TChartSeries::CreateSubGallery(AddSubChart);
  AddSubChart(ZuzMsg_Colors);
  AddSubChart(ZuzMsg_Pyramid);
  AddSubChart(ZuzMsg_Ellipse);
  AddSubChart(ZuzMsg_InvPyramid);
  if (SubGalleryStack()) {
    AddSubChart(ZuzMsg_Stack);
    AddSubChart(ZuzMsg_Stack100);
    AddSubChart(ZuzMsg_SelfStack);
  }
  AddSubChart(ZuzMsg_Sides);
  AddSubChart(ZuzMsg_SideAll);
}

void TCustomBarSeries::SetSubGallery(TChartSeries* ASeries, int32_t Index)
{
  auto* S = dynamic_cast<TCustomBarSeries*>(ASeries);
  if (!S)
    return;
  switch (Index) {
  case 0:
    return;
  case 1:
    S->SetColorEachPoint(true);
    return;
  case 2:
    S->SetBarStyle(bsPyramid);
    return;
  case 3:
    S->SetBarStyle(bsEllipse);
    return;
  case 4:
    S->SetBarStyle(bsInvPyramid);
    return;
  default:
    break;
  }
  TCustomAxisPanel* C = S->ParentChart();
  if (C && C->SeriesCount() == 1) {
    // A layout of several series is shown with a second series.
    const auto Prepare = [](TCustomBarSeries* B) {
      B->Clear();
      B->Add(3);
      B->Add(5);
      B->SetColorEachPoint(false);
      B->Marks()->SetVisible(false);
    };
    Prepare(S);
    auto* Other = static_cast<TCustomBarSeries*>(C->AddSeries(FindClass(S->ClassName())));
    if (Other) {
      Other->SetTitle(String());
      Prepare(Other);
      Other->Gradient()->SetVisible(true);
      Other->SetBarWidthPercent(S->BarWidthPercent());
      SetSubGallery(Other, Index);
    }
  }
  if (!SubGalleryStack())
    Index += 3;
  switch (Index) {
  case 5:
    S->SetMultiBar(mbStacked);
    break;
  case 6:
    S->SetMultiBar(mbStacked100);
    break;
  case 7:
    S->SetMultiBar(mbSelfStack);
    break;
  case 8:
    S->SetMultiBar(mbSide);
    break;
  case 9:
    S->SetMultiBar(mbSideAll);
    break;
  default:
    TChartSeries::SetSubGallery(ASeries, Index);
    break;
  }
}

void TCustomBarSeries::PrepareForGallery()
{
  SetBarWidthPercent(85);
  SetBarStyle(bsRectGradient);
  Gradient()->SetVisible(true);
  SetMultiBar(mbNone);
  SetDarkPen(130);
}

int32_t TCustomBarSeries::NumSampleValues() const
{
  if (FParent && FParent->SeriesCount() > 1)
    for (TChartSeries* S : FParent->SeriesList())
      if (S != this && dynamic_cast<TCustomBarSeries*>(S) && S->Count() > 0)
        return S->Count();
  return 6;
}
