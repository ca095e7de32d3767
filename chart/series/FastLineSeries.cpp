#include "chart/series/FastLineSeries.h"
#include "chart/series/AreaSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PointSeries.h"
#include "chart/series/BarSeries.h"
#include "chart/series/PieSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzGeometry.h"
#include "chart/core/ZuzSeriesTypes.h"
#include "platform/Published.h"

#include <QScopeGuard>

#include <algorithm>
#include <climits>

namespace {
const TEnumInfo DrawAllPointsStyleInfo("TDrawAllPointsStyle", {"daFirst", "daMinMax"});
const TEnumInfo FastLineDrawStyleInfo("TFastLineDrawStyle", {"flSegments", "flAll"});
const TEnumInfo TreatNullsInfo("TTreatNullsStyle", {"tnDontPaint", "tnSkip", "tnIgnore"});

[[maybe_unused]] const TClassInfo& LineSeriesClass =
    PublishClass<TCustomLineSeries>("TCustomLineSeries", "TChartSeries");

using F = TFastLineSeries;
[[maybe_unused]] const TClassInfo& FastLineClass =
    PublishClass<F>("TFastLineSeries", "TCustomLineSeries",
                    {
                        PropBool("AutoRepaint", &F::AutoRepaint, &F::SetAutoRepaint, true),
                        PropInt("ClickTolerance", &F::ClickTolerance, &F::SetClickTolerance, 0),
                        PropBool("DrawAllPoints", &F::DrawAllPoints, &F::SetDrawAllPoints, true),
                        PropEnum("DrawAllPointsStyle", &F::DrawAllPointsStyle, &F::SetDrawAllPointsStyle,
                                 DrawAllPointsStyleInfo, daFirst),
                        PropEnum("DrawStyle", &F::DrawStyle, &F::SetDrawStyle, FastLineDrawStyleInfo, flSegments),
                        PropBool("FastPen", &F::FastPen, &F::SetFastPen, false),
                        PropBool("IgnoreNulls", &F::IgnoreNulls, &F::SetIgnoreNulls, true),
                        PropBool("InvertedStairs", &F::InvertedStairs, &F::SetInvertedStairs, false),
                        PropObj("LinePen", &F::LinePen, &F::SetLinePen),
                        PropBool("Stairs", &F::Stairs, &F::SetStairs, false),
                        PropEnum("TreatNulls", &F::TreatNulls, &F::SetTreatNulls, TreatNullsInfo, tnIgnore),
                    });
} // namespace

TCustomLineSeries::TCustomLineSeries(TComponent* AOwner) : TChartSeries(AOwner) {}

String TCustomLineSeries::ClassName() const { return QStringLiteral("TCustomLineSeries"); }

// ---------------------------------------------------------------------------

TFastLineSeries::TFastLineSeries(TComponent* AOwner) : TCustomLineSeries(AOwner)
{
  LinePen()->InitColor(clDefault);
  LinePen()->InitEndStyle(esFlat);
  AllowSinglePoint = false;
  DrawBetweenPoints = true;
  SetTreatNulls(tnIgnore);
}

TFastLineSeries::~TFastLineSeries() = default;

String TFastLineSeries::ClassName() const { return QStringLiteral("TFastLineSeries"); }

String TFastLineSeries::GetEditorClass() const { return QStringLiteral("TFastLineSeriesEditor"); }

void TFastLineSeries::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TFastLineSeries*>(Source)) {
    FAutoRepaint = S->FAutoRepaint;
    FClickTolerance = S->FClickTolerance;
    FDAPStyle = S->FDAPStyle;
    FDrawAll = S->FDrawAll;
    FDrawStyle = S->FDrawStyle;
    FFastPen = S->FFastPen;
    FIgnoreNulls = S->FIgnoreNulls;
    FInvertedStairs = S->FInvertedStairs;
    FStairs = S->FStairs;
  }
  TCustomLineSeries::Assign(Source);
}

void TFastLineSeries::AssignFormatting(TChartSeries* Source)
{
  TCustomLineSeries::AssignFormatting(Source);
  LinePen()->SetVisible(true);
  LinePen()->SetColor(clDefault);
}

void TFastLineSeries::SetPen(TZuzPen* Value)
{
  TCustomLineSeries::SetPen(Value);
  SetSeriesColor(LinePen()->Color());
}

void TFastLineSeries::SetSeriesColor(TColor Value)
{
  TCustomLineSeries::SetSeriesColor(Value);
  LinePen()->SetColor(Value);
}

namespace {
// The room a pen of width W needs at each end of an axis.
int32_t PenMargin(int32_t W) { return W - (W - 2) / 2; }
} // namespace

void TFastLineSeries::CalcHorizMargins(int32_t& LeftMargin, int32_t& RightMargin)
{
  TCustomLineSeries::CalcHorizMargins(LeftMargin, RightMargin);
  const int32_t M = PenMargin(LinePen()->Width());
  LeftMargin += M;
  RightMargin += M;
}

void TFastLineSeries::CalcVerticalMargins(int32_t& TopMargin, int32_t& BottomMargin)
{
  TCustomLineSeries::CalcVerticalMargins(TopMargin, BottomMargin);
  const int32_t M = PenMargin(LinePen()->Width());
  const TChartAxis* A = GetVertAxis();
  if (M == 0 || !A || Count() == 0)
    return;
  if (MaxYValue() >= A->IMaximum)
    TopMargin += M;
  if (MinYValue() <= A->IMinimum)
    BottomMargin += M;
}

void TFastLineSeries::CreateSubGallery(const TSubGalleryProc& AddSubChart)
{
  TCustomLineSeries::CreateSubGallery(AddSubChart);
  AddSubChart(ZuzMsg_Marks);
  AddSubChart(ZuzMsg_Dotted);
  AddSubChart(ZuzMsg_Stairs);
}

void TFastLineSeries::SetSubGallery(TChartSeries* ASeries, int32_t Index)
{
  auto* S = dynamic_cast<TFastLineSeries*>(ASeries);
  if (!S)
    return;
  switch (Index) {
  case 1:
    S->Marks()->SetVisible(true);
    break;
  case 2:
    S->LinePen()->SetSmallDots(true);
    break;
  case 3:
    S->SetStairs(true);
    break;
  default:
    break;
  }
}

// ---------------------------------------------------------------------------
// Settings

void TFastLineSeries::SetAutoRepaint(bool Value) { SetBooleanProperty(FAutoRepaint, Value); }
void TFastLineSeries::SetClickTolerance(int32_t Value) { SetIntegerProperty(FClickTolerance, Value); }
void TFastLineSeries::SetDrawAllPoints(bool Value) { SetBooleanProperty(FDrawAll, Value); }
void TFastLineSeries::SetFastPen(bool Value) { SetBooleanProperty(FFastPen, Value); }
void TFastLineSeries::SetIgnoreNulls(bool Value) { SetBooleanProperty(FIgnoreNulls, Value); }
void TFastLineSeries::SetInvertedStairs(bool Value) { SetBooleanProperty(FInvertedStairs, Value); }
void TFastLineSeries::SetStairs(bool Value) { SetBooleanProperty(FStairs, Value); }

void TFastLineSeries::SetDrawAllPointsStyle(TDrawAllPointsStyle Value)
{
  if (FDAPStyle != Value) {
    FDAPStyle = Value;
    Repaint();
  }
}

void TFastLineSeries::SetDrawStyle(TFastLineDrawStyle Value)
{
  if (FDrawStyle != Value) {
    FDrawStyle = Value;
    Repaint();
  }
}

// ---------------------------------------------------------------------------
// Drawing

TCanvas3D* TFastLineSeries::Canvas() const { return FParent->InternalCanvas(); }

bool TFastLineSeries::Is3D() const { return FParent && FParent->View3D(); }

bool TFastLineSeries::ShouldDrawAsPolyline() const
{
  return FDrawAll && FDrawStyle == flAll && TreatNulls() == tnIgnore && !FStairs && FParent && !FParent->View3D();
}

bool TFastLineSeries::UseFastLine() const
{
  return FFastPen && (!Canvas()->SupportsFullRotation() || !ShouldDrawAsPolyline());
}

void TFastLineSeries::PrepareCanvas()
{
  TCanvas3D* C = Canvas();
  C->AssignVisiblePenColor(LinePen(), LinePen()->Color() == clDefault ? SeriesColor() : LinePen()->Color());
  C->Brush()->SetStyle(bsClear);
  C->SetBackMode(cbmTransparent);
}

void TFastLineSeries::DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position)
{
  Marks()->ApplyArrowLength(Position);
  TCustomLineSeries::DrawMark(ValueIndex, Text, Position);
}

void TFastLineSeries::PrepareLegendCanvas(int32_t, TColor&, TBrushStyle&) { PrepareCanvas(); }

void TFastLineSeries::DrawLegendShape(int32_t, const TRect& Rect)
{
  const int32_t Y = (Rect.Top + Rect.Bottom) / 2;
  Canvas()->DoHorizLine(Rect.Left, Rect.Right, Y);
}

void TFastLineSeries::CalcFirstLastVisibleIndex()
{
  TCustomLineSeries::CalcFirstLastVisibleIndex();
  if (FDrawAll || FFirstVisibleIndex < 0 || FFirstVisibleIndex != FLastVisibleIndex)
    return;
  if (FFirstVisibleIndex == 0) {
    FFirstVisibleIndex = FLastVisibleIndex = -1;
    return;
  }
  // A lone visible point: its line starts from the earliest point of the
  // column just before it.
  int32_t I = FFirstVisibleIndex - 1;
  const int32_t X = CalcXPos(I);
  while (I > 0 && CalcXPos(I - 1) == X)
    --I;
  FFirstVisibleIndex = I;
}

void TFastLineSeries::DoBeforeParallel()
{
  CalcFirstLastVisibleIndex();
  const int32_t First = FFirstVisibleIndex, Last = FLastVisibleIndex;
  if (First < 0)
    return;
  const int32_t Start = First > 0 ? First - 1 : 0;
  OldX = CalcXPos(Start);
  OldY = CalcYPos(Start);
  if (!ShouldDrawAsPolyline())
    return;
  const size_t N = static_cast<size_t>(Last - Start + 1);
  const bool Reuse = IPoints.size() == N;
  if (!Reuse)
    IPoints.resize(N);
  IPoints[0] = TPoint{OldX, OldY};
  for (int32_t I = Start + 1; I <= Last; ++I) {
    TPoint& P = IPoints[static_cast<size_t>(I - Start)];
    if (!(Reuse && ReuseXValues))
      P.X = CalcXPos(I);
    if (!(Reuse && ReuseYValues))
      P.Y = CalcYPos(I);
  }
}

void TFastLineSeries::MovePen(int32_t X, int32_t Y)
{
  if (IBatching)
    FlushRun();
  else if (Is3D())
    Canvas()->MoveTo3D(X, Y, MiddleZ);
  else
    Canvas()->MoveTo(X, Y);
  IPen = TPoint{X, Y};
}

void TFastLineSeries::LineToPen(int32_t X, int32_t Y)
{
  TCanvas3D* C = Canvas();
  if (UseFastLine()) {
    const bool Single = !IDrawingAllValues;
    if (Single)
      C->SetFastLine(true);
    if (Is3D()) {
      const TPoint P = C->Calculate3DPosition(X, Y, MiddleZ);
      C->FastLineTo(P.X, P.Y);
    } else
      C->FastLineTo(X, Y);
    if (Single)
      C->SetFastLine(false);
  } else if (IBatching) {
    if (IRun.empty())
      IRun.push_back(IPen);
    if (!(IRun.back() == TPoint{X, Y}))
      IRun.push_back(TPoint{X, Y});
  } else if (Is3D())
    C->LineTo3D(X, Y, MiddleZ);
  else
    C->LineTo(X, Y);
  IPen = TPoint{X, Y};
}

void TFastLineSeries::FlushRun()
{
  if (IRun.size() >= 2)
    Canvas()->SegmentPolyline(IRun);
  IRun.clear();
}

void TFastLineSeries::DoDrawPoint(int32_t X, int32_t Y)
{
  if (FStairs) {
    if (FInvertedStairs)
      LineToPen(OldX, Y);
    else
      LineToPen(X, OldY);
  }
  LineToPen(X, Y);
  OldX = X;
  OldY = Y;
}

bool TFastLineSeries::IsNewPixelPosition(int32_t X, int32_t Y) const
{
  return X != OldX || ((FDrawAll || FDAPStyle == daMinMax) && Y != OldY);
}

bool TFastLineSeries::ShouldDrawPoint(int32_t ValueIndex, int32_t X, int32_t Y)
{
  const bool Colors = HasColorList();
  if (!(Colors && IsNull(ValueIndex))) {
    if (!IsNewPixelPosition(X, Y))
      return false;
    const int32_t Prev = ValueIndex - 1;
    if (Prev < 0 || !Colors || !IsNull(Prev))
      return true;
    const auto Restart = [&] {
      MovePen(X, Y);
      OldX = X;
      OldY = Y;
      return false;
    };
    switch (TreatNulls()) {
    case tnDontPaint:
      return Restart();
    case tnSkip:
      return Prev == FirstDisplayedIndex() ? Restart() : true;
    case tnIgnore:
      return true;
    }
    return true;
  }
  switch (TreatNulls()) {
  case tnIgnore:
    return IsNewPixelPosition(X, Y);
  case tnSkip:
    return false;
  case tnDontPaint:
    if (!FDrawAll) {
      if (FDAPStyle == daFirst)
        MovePen(X, Y);
      else {
        OldX = X;
        OldY = Y;
      }
    }
    return false;
  }
  return false;
}

void TFastLineSeries::DrawColumn()
{
  const TChartAxis* A = GetVertAxis();
  const bool Inverted = A && A->Inverted();
  DoDrawPoint(OldX, Inverted ? IMax : IMin);
  DoDrawPoint(OldX, Inverted ? IMin : IMax);
}

int32_t TFastLineSeries::PointX(int32_t ValueIndex) const
{
  const int32_t I = ValueIndex - IBase;
  return IMapped && I >= 0 && I < static_cast<int32_t>(IXPixels.size()) ? IXPixels[static_cast<size_t>(I)]
                                                                        : CalcXPos(ValueIndex);
}

int32_t TFastLineSeries::PointY(int32_t ValueIndex) const
{
  const int32_t I = ValueIndex - IBase;
  return IMapped && I >= 0 && I < static_cast<int32_t>(IYPixels.size()) ? IYPixels[static_cast<size_t>(I)]
                                                                        : CalcYPos(ValueIndex);
}

void TFastLineSeries::MapRange(int32_t Start, int32_t Last, bool WithY)
{
  // Every visible point is mapped in one pass per axis, not one call
  // chain per point.
  const size_t N = static_cast<size_t>(Last - Start + 1);
  IXPixels.resize(N);
  GetHorizAxis()->CalcXPosValues(std::span<const double>(XValues()->Value.data() + Start, N), IXPixels.data());
  IYPixels.resize(WithY ? N : 0);
  if (WithY)
    GetVertAxis()->CalcYPosValues(std::span<const double>(YValues()->Value.data() + Start, N), IYPixels.data());
  IBase = Start;
  IMapped = true;
}

void TFastLineSeries::DrawMinMaxColumns(int32_t From, int32_t Last)
{
  // The per-point min-max thinning of DrawValue for a series without null
  // points, done a pixel column at a time: the axes map values in order,
  // so a column's lowest and highest values are its extreme pixels, and
  // only they and each column's first point are mapped. With the X values
  // in ascending order a column's points lie together and its end is found
  // by searching; otherwise every point's X pixel comes from the buffer.
  const TChartAxis* H = GetHorizAxis();
  const TChartAxis* V = GetVertAxis();
  const double* XV = XValues()->Value.data();
  const double* YV = YValues()->Value.data();
  const bool Sorted = IXPixels.empty();
  const int32_t* XP = IXPixels.data() - IBase;
  const auto PixelX = [&](int32_t I) { return Sorted ? H->CalcXPosValue(XV[I]) : XP[I]; };
  // The last index of the run of points from I on that share I's column.
  const auto RunEnd = [&](int32_t I, int32_t Column) {
    if (!Sorted) {
      while (I < Last && XP[I + 1] == Column)
        ++I;
      return I;
    }
    int32_t Step = 1;
    while (I + Step <= Last && H->CalcXPosValue(XV[I + Step]) == Column) {
      I += Step;
      Step *= 2;
    }
    int32_t Hi = std::min(I + Step, Last + 1); // first index known to differ (or past the end)
    while (Hi - I > 1) {
      const int32_t Mid = I + (Hi - I) / 2;
      if (H->CalcXPosValue(XV[Mid]) == Column)
        I = Mid;
      else
        Hi = Mid;
    }
    return I;
  };
  const auto Collect = [&](int32_t A, int32_t B) {
    if (A > B)
      return;
    double Lo = YV[A], Hi = YV[A];
    for (int32_t I = A + 1; I <= B; ++I) {
      Lo = std::min(Lo, YV[I]);
      Hi = std::max(Hi, YV[I]);
    }
    const int32_t P = V->CalcYPosValue(Lo), Q = V->CalcYPosValue(Hi);
    if (P == OldY && Q == OldY)
      return;
    IMin = std::min({IMin, P, Q});
    IMax = std::max({IMax, P, Q});
    ISameX = true;
  };
  for (int32_t I = From; I <= Last;) {
    const int32_t Column = PixelX(I);
    const int32_t End = RunEnd(I, Column);
    if (Column != OldX) {
      if (ISameX)
        DrawColumn();
      DoDrawPoint(Column, V->CalcYPosValue(YV[I]));
      ISameX = false;
      IMin = INT_MAX;
      IMax = INT_MIN;
      ++I;
    }
    Collect(I, End);
    I = End + 1;
  }
  if (ISameX)
    DrawColumn();
}

void TFastLineSeries::DrawValue(int32_t ValueIndex)
{
  const int32_t X = PointX(ValueIndex);
  const int32_t Y = PointY(ValueIndex);
  // The program's series: every point, nulls drawn at their value.
  if (FDrawAll && TreatNulls() == tnIgnore) {
    DoDrawPoint(X, Y);
    return;
  }
  if (!ShouldDrawPoint(ValueIndex, X, Y))
    return;
  if (FDrawAll || FDAPStyle == daFirst) {
    DoDrawPoint(X, Y);
    return;
  }
  if (X == OldX) {
    IMin = std::min(IMin, Y);
    IMax = std::max(IMax, Y);
    ISameX = true;
    if (ValueIndex == (IDrawingAllValues ? ILastDisplayed : LastDisplayedIndex()))
      DrawColumn();
    return;
  }
  if (ISameX)
    DrawColumn();
  DoDrawPoint(X, Y);
  ISameX = false;
  IMin = INT_MAX;
  IMax = INT_MIN;
}

void TFastLineSeries::DrawAllValues()
{
  TCanvas3D* C = Canvas();
  const int32_t First = FFirstVisibleIndex, Last = FLastVisibleIndex;
  IDrawingAllValues = true;
  std::unique_ptr<TZuzBlend> Blend;
  if (Transparency() > 0 && C->SupportsAlpha())
    Blend = C->BeginBlending(C->Bounds(), Transparency());
  const bool Fast = UseFastLine();
  const auto End = qScopeGuard([&] {
    IRun.clear();
    IBatching = false;
    IMapped = false;
    if (Blend)
      C->EndBlending(std::move(Blend));
    if (Fast)
      C->SetFastLine(false);
    IDrawingAllValues = false;
  });
  PrepareCanvas();
  const bool Poly = ShouldDrawAsPolyline();
  if (!Poly) {
    MovePen(OldX, OldY);
    if (!FDrawAll) {
      IMin = IMax = OldY;
      ISameX = false;
    }
  }
  if (Fast)
    C->SetFastLine(true);
  if (Poly) {
    if (First < 0)
      return;
    TCustomZuzGradient* G = C->Pen()->IsGradientVisible() ? C->Pen()->Fill()->Gradient() : nullptr;
    const TRectF Saved = G ? G->CustomTargetRectangle() : TRectF{};
    if (G) {
      const float W = float(LinePen()->Width() / 2 + 1);
      G->SetCustomTargetRectangle(TRectF{float(CalcXPosValue(MinXValue())) - W, float(CalcYPosValue(MaxYValue())) - W,
                                         float(CalcXPosValue(MaxXValue())) + W, float(CalcYPosValue(MinYValue())) + W});
    }
    C->Polyline(IPoints);
    if (G)
      G->SetCustomTargetRectangle(Saved);
    return;
  }
  if (First < 0)
    return;
  IBatching = !Fast && !Is3D();
  ILastDisplayed = LastDisplayedIndex();
  const bool Columns = !FDrawAll && FDAPStyle == daMinMax && !HasColorList();
  const bool Sorted = Columns && YMandatory && XValues()->Order() == loAscending;
  if (Sorted) {
    IXPixels.clear();
    IYPixels.clear();
    IBase = 0;
  } else
    MapRange(First > 0 ? First - 1 : 0, Last, !Columns);
  if (Columns)
    DrawMinMaxColumns(First > 0 ? First : First + 1, Last);
  else {
    if (First > 0)
      DrawValue(First);
    for (int32_t I = First + 1; I <= Last; ++I)
      DrawValue(I);
  }
  FlushRun();
}

void TFastLineSeries::NotifyNewValue(TChartSeries* Sender, int32_t ValueIndex)
{
  if (FAutoRepaint) {
    TCustomLineSeries::NotifyNewValue(Sender, ValueIndex);
    return;
  }
  if (!FParent || !FActive || !GetHorizAxis() || !GetVertAxis())
    return;
  const int32_t P = ValueIndex > 0 ? ValueIndex - 1 : 0;
  if (!FDrawAll) {
    const int32_t X = CalcXPos(P);
    if (X != OldX) {
      OldX = X;
      OldY = CalcYPos(P);
    }
  }
  PrepareCanvas();
  MovePen(OldX, OldY);
  DrawValue(ValueIndex);
}

// ---------------------------------------------------------------------------
// Hit test

int32_t TFastLineSeries::Clicked(int32_t X, int32_t Y)
{
  if (FFirstVisibleIndex < 0 || !FParent)
    return -1;
  if (Is3D())
    Canvas()->Calculate2DPosition(X, Y, MiddleZ);
  const TPoint P{X, Y};
  int32_t PrevX = 0, PrevY = 0;
  for (int32_t I = FFirstVisibleIndex; I <= FLastVisibleIndex; ++I) {
    const int32_t PX = CalcXPos(I), PY = CalcYPos(I);
    if (PX == X && PY == Y)
      return I;
    if (I > FFirstVisibleIndex) {
      const bool Hit = FStairs ? PointInLine(P, PX, PY, PX, PrevY, FClickTolerance) ||
                                     PointInLine(P, PX, PrevY, PrevX, PrevY, FClickTolerance)
                               : PointInLine(P, PrevX, PrevY, PX, PY, FClickTolerance);
      if (Hit)
        return I - 1;
    }
    PrevX = PX;
    PrevY = PY;
  }
  return -1;
}

void RegisterZuzStandardSeries()
{
  RegisterZuzSeries(ClassInfoFor<TFastLineSeries>(), &ZuzMsg_GalleryFastLine, &ZuzMsg_GalleryStandard, 2);
  RegisterZuzSeries(ClassInfoFor<TLineSeries>(), &ZuzMsg_GalleryLine, &ZuzMsg_GalleryStandard, 2);
  RegisterZuzSeries(ClassInfoFor<THorizLineSeries>(), &ZuzMsg_GalleryHorizLine, &ZuzMsg_GalleryStandard, 2);
  RegisterZuzSeries(ClassInfoFor<TPointSeries>(), &ZuzMsg_GalleryPoint, &ZuzMsg_GalleryStandard, 2);
  RegisterZuzSeries(ClassInfoFor<TAreaSeries>(), &ZuzMsg_GalleryArea, &ZuzMsg_GalleryStandard, 2);
  RegisterZuzSeries(ClassInfoFor<THorizAreaSeries>(), &ZuzMsg_GalleryHorizArea, &ZuzMsg_GalleryStandard, 2);
  RegisterZuzBarSeries();
  RegisterZuzPieSeries();
}
