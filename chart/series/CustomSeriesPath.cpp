// The whole series as one path (with the partial display animations use),
// the shadow, emboss and outline passes, and the legend symbol.
#include "chart/series/CustomSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzPath.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/CustomChart.h"
#include "chart/core/VisualsList.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>

namespace {
// Changes a pen for one pass without telling its owner (no repaint).
class TQuietPen {
public:
  explicit TQuietPen(TZuzPen* APen) : P(APen), Saved(std::move(APen->OnChange)) { P->OnChange = nullptr; }
  ~TQuietPen() { P->OnChange = std::move(Saved); }
  TQuietPen(const TQuietPen&) = delete;
  TQuietPen& operator=(const TQuietPen&) = delete;

private:
  TZuzPen* P;
  TNotifyEvent Saved;
};
} // namespace

TColor TCustomSeries::GetValueColor(int32_t ValueIndex) const
{
  const TColor C = TCustomLineSeries::GetValueColor(ValueIndex);
  return IEffectColor != clNone && C != clNone ? IEffectColor : C;
}

TColor TCustomSeries::LineColor() const { return IEffectColor != clNone ? IEffectColor : SeriesColor(); }

bool TCustomSeries::PenShown() const { return !IEffectPass && LinePen()->Visible(); }

bool TCustomSeries::PointerShown() const { return !IEffectPass && FPointer->Visible(); }

// ---------------------------------------------------------------------------
// One path

bool TCustomSeries::DoDrawAll(TZuzPen* APen, TColor AColor)
{
  if ((ColorEachPoint() && FColorEachLine) || !(FDrawLine || FDrawArea) || FDrawStyle == dsSegments || Is3D() ||
      FFirstVisibleIndex < 0)
    return false;
  TCanvas3D* C = Canvas();
  std::unique_ptr<TZuzBlend> Blend;
  if (Transparency() > 0)
    Blend = C->BeginBlending(TRect{0, 0, 0, 0}, Transparency());
  const auto EndBlend = qScopeGuard([&] {
    if (Blend)
      C->EndBlending(std::move(Blend));
  });
  const int32_t N = Count();
  const int32_t Start = FFirstVisibleIndex > 0 ? FFirstVisibleIndex - 1 : FFirstVisibleIndex;
  int32_t End = FLastVisibleIndex;
  double Fraction = 0;
  if (DisplayLast != 1.0f) {
    // A fraction outside 0..1 (or not a number) shows nothing or all.
    const double Part = DisplayLast > 0 ? std::min(double(DisplayLast), 1.0) : 0.0;
    const double Shown = N * Part;
    const int32_t Whole = static_cast<int32_t>(std::trunc(Shown));
    End = std::max(Start, std::min(N - 1, Whole));
    if (End < N - 1)
      Fraction = Shown - Whole;
  }
  const bool Partial = Fraction > 0 && End < N - 1;
  if (End <= Start && !Partial)
    return true;
  std::vector<TPoint> Points;
  Points.reserve(static_cast<size_t>(End - Start + 2) * (FStairs ? 2 : 1));
  for (int32_t I = Start; I <= End; ++I)
    Points.push_back(PointPos(I));
  TPoint PartialPoint;
  if (Partial) {
    // Part of the way to the next point, along the index axis.
    const double A = NotMandatoryValueList->GetValue(End), B = NotMandatoryValueList->GetValue(End + 1);
    const double At = A + Fraction * (B - A);
    const int32_t IndexPixel = YMandatory ? CalcXPosValue(At) : CalcYPosValue(At);
    const int32_t ValuePixel = CalcPosLeftRight(At, End + 1, End);
    PartialPoint = YMandatory ? TPoint{IndexPixel, ValuePixel} : TPoint{ValuePixel, IndexPixel};
    Points.push_back(PartialPoint);
  }
  if (FStairs) {
    std::vector<TPoint> Steps;
    Steps.reserve(Points.size() * 2);
    for (size_t I = 0; I < Points.size(); ++I) {
      Steps.push_back(Points[I]);
      if (I + 1 < Points.size())
        Steps.push_back(FInvertedStairs ? TPoint{Points[I].X, Points[I + 1].Y} : TPoint{Points[I + 1].X, Points[I].Y});
    }
    Points = std::move(Steps);
  }
  const auto Pointers = [&] {
    for (int32_t I = FFirstVisibleIndex; I <= End; ++I)
      if (IsPainted(I))
        DrawPointer(CalcXPos(I), CalcYPos(I), GetValueColor(I), I);
    if (!Partial)
      return;
    // The next point's pointer fades in as the line reaches it.
    const uint8_t Alpha = static_cast<uint8_t>(255 - std::nearbyint(Fraction * 255));
    TSeriesPointer* P = FPointer->InternalGet(End + 1);
    const TColor PenColor = P->Pen()->Color();
    {
      TQuietPen Quiet(P->Pen());
      P->Pen()->SetColor(TZuzCanvas::ColorFrom(PenColor, Alpha));
    }
    DrawPointer(PartialPoint.X, PartialPoint.Y, TZuzCanvas::ColorFrom(GetValueColor(End + 1), Alpha), End + 1);
    TQuietPen Quiet(P->Pen());
    P->Pen()->SetColor(PenColor);
  };
  if (FPointerBehind)
    Pointers();
  if (FDrawArea) {
    const int32_t Origin = GetOriginPos(End);
    C->AssignVisiblePenColor(APen, APen->Color());
    FParent->SetBrushCanvas(LineColor(), FAreaBrush.get(),
                            FAreaBrush->Color() == clDefault ? LineColor() : FAreaBrush->Color());
    const TPoint First = Points.front(), Last = Points.back();
    const TPoint LastBase = YMandatory ? TPoint{Last.X, Origin} : TPoint{Origin, Last.Y};
    const TPoint FirstBase = YMandatory ? TPoint{First.X, Origin} : TPoint{Origin, First.Y};
    if (FDrawStyle == dsAll) {
      std::vector<TPoint> Polygon = Points;
      Polygon.push_back(LastBase);
      Polygon.push_back(FirstBase);
      C->Polygon(Polygon);
    } else {
      std::unique_ptr<TZuzBasePath> Path = C->CreatePath();
      Path->Curve(Points, 0.5f, false);
      Path->LineTo(float(LastBase.X), float(LastBase.Y));
      Path->LineTo(float(FirstBase.X), float(FirstBase.Y));
      Path->Close();
      Path->Draw(C);
    }
    if (FAreaLinesPen->Visible()) {
      C->AssignVisiblePen(FAreaLinesPen.get());
      for (size_t I = 1; I < Points.size(); ++I) {
        const TPoint P = Points[I];
        if (YMandatory)
          C->Line(P.X, Origin, P.X, P.Y);
        else
          C->Line(Origin, P.Y, P.X, P.Y);
      }
    }
  } else {
    C->AssignVisiblePenColor(APen, AColor);
    C->Brush()->SetStyle(bsClear);
    if (FDrawStyle == dsAll)
      C->Polyline(Points);
    else
      C->Curve(Points, 0.5f, false, StartZ);
  }
  if (!FPointerBehind)
    Pointers();
  return true;
}

// ---------------------------------------------------------------------------
// Effects

void TCustomSeries::ShiftAxes(int32_t DX, int32_t DY)
{
  TChartAxis* H = GetHorizAxis();
  TChartAxis* V = GetVertAxis();
  H->IStartPos += DX;
  H->IEndPos += DX;
  V->IStartPos += DY;
  V->IEndPos += DY;
}

void TCustomSeries::DrawShadowEmboss(TZuzShadow* Effect, int32_t Sign)
{
  if (!Effect->Visible() || Effect->Size() == 0 || !GetHorizAxis() || !GetVertAxis())
    return;
  // The series once more, offset, in the effect's colour, without
  // pointers, pen or per-segment colours.
  IEffectColor = Effect->Color();
  IEffectPass = true;
  const int32_t DX = Sign * Effect->HorizSize(), DY = Sign * Effect->VertSize();
  ShiftAxes(DX, DY);
  const auto Restore = qScopeGuard([&] {
    ShiftAxes(-DX, -DY);
    IEffectPass = false;
    IEffectColor = clNone;
  });
  FParent->SetBrushCanvas(LineColor(), Brush(), Brush()->BackColor());
  PointByPoint();
}

void TCustomSeries::DrawOutline()
{
  TZuzPen* Line = LinePen();
  TZuzPen SavedLine;
  SavedLine.Assign(Line);
  const int32_t LineWidth = Line->Visible() ? Line->Width() : 1;
  IEffectColor = FOutLine->Color();
  {
    TQuietPen Quiet(Line);
    Line->Assign(FOutLine.get());
    Line->SetWidth(2 * FOutLine->Width() + LineWidth);
  }
  const auto Restore = qScopeGuard([&] {
    TQuietPen Quiet(Line);
    Line->Assign(&SavedLine);
    IEffectColor = clNone;
  });
  PointByPoint();
}

bool TCustomSeries::DrawTemplate()
{
  TVisualBlock* Template = VisualsIfAny() ? VisualsIfAny()->Template() : nullptr;
  if (!Template || !(FDrawLine || FDrawArea))
    return false;
  // The series draws through this one block: no clones per point.
  Template->IsCloneable = false;
  TCanvas3D* C = Canvas();
  C->BeginEntity(SeriesNameOrIndex(), Template, nullptr);
  TRect R = FParent->ChartRect;
  if (FFirstVisibleIndex >= 0 && FLastVisibleIndex >= FFirstVisibleIndex)
    R = TRect{CalcXPos(FFirstVisibleIndex), CalcYPosValue(MaxYValue()), CalcXPos(FLastVisibleIndex),
              CalcYPosValue(MinYValue())};
  Template->SetBounds(R, static_cast<float>(StartZ), static_cast<float>(EndZ), FParent->ChartHeight());
  Template->DrawBlock(LinePen(), Brush(), Transparency(), SeriesColor());
  Template->ClearPath();
  return true;
}

void TCustomSeries::AddTemplatePoint(int32_t ValueIndex, int32_t X, int32_t Y)
{
  TVisualBlock* Template = VisualsIfAny() ? VisualsIfAny()->Template() : nullptr;
  if (!Template)
    return;
  TColor Color = InternalColor(ValueIndex);
  if (Color == clDefault && ColorEachPoint())
    Color = FParent->GetDefaultColor(ValueIndex);
  // The block measures upwards from the bottom of the chart.
  Template->AddPathPoint(static_cast<float>(X), static_cast<float>(FParent->ChartHeight() - Y), Color);
}

// ---------------------------------------------------------------------------
// Legend symbol

void TCustomSeries::DrawLineSymbol(int32_t ValueIndex, const TRect& Rect, TColor AColor, bool Filled)
{
  TCanvas3D* C = Canvas();
  std::unique_ptr<TZuzBlend> Blend;
  if (Transparency() > 0)
    Blend = C->BeginBlending(Rect, Transparency());
  auto* Chart = dynamic_cast<TCustomChart*>(FParent);
  const bool DefaultPen = !Chart || Chart->Legend()->Symbol()->DefaultPen();
  if (!PrepareHoverPen(ValueIndex) && DefaultPen)
    LinePrepareCanvas(C, LinePen()->Color() == clBlack ? AColor : LinePen()->Color());
  const int32_t Half = (Rect.Bottom - Rect.Top) / 2;
  if (C->Pen()->Width() > Half)
    C->Pen()->SetWidth(std::max(Half, 1));
  if (Filled && Is3D())
    C->Rectangle(Rect);
  else
    C->DoHorizLine(Rect.Left, Rect.Right, (Rect.Top + Rect.Bottom) / 2);
  if (Blend)
    C->EndBlending(std::move(Blend));
}

void TCustomSeries::DrawLegendShape(int32_t ValueIndex, const TRect& Rect)
{
  const TColor Color = ValueIndex == -1 ? SeriesColor() : LegendItemColor(ValueIndex);
  TSeriesPointer* P = FPointer->InternalGet(ValueIndex);
  if (!P->Visible()) {
    if (!FDrawLine || FDrawArea) {
      PrepareHoverPen(ValueIndex);
      TCustomLineSeries::DrawLegendShape(ValueIndex, Rect);
    } else
      DrawLineSymbol(ValueIndex, Rect, Color, true);
    return;
  }
  const auto Symbol = [&] {
    const bool ByEvent = OnGetPointerStyle && ValueIndex != -1;
    const TSeriesPointerStyle Style = ByEvent ? OnGetPointerStyle(this, ValueIndex) : P->Style();
    if (Style == psVisual && PointVisual(ValueIndex))
      return;
    const TColor PointerColor = ByEvent && P->Brush()->Color() != clDefault ? P->Brush()->Color() : Color;
    ZuzPointerDrawLegend(P, PointerColor, Rect, Style, LinePen()->Visible());
  };
  if (FPointerBehind)
    Symbol();
  if (FDrawLine)
    DrawLineSymbol(ValueIndex, Rect, Color, false);
  if (!FPointerBehind)
    Symbol();
}

void ZuzPointerDrawLegend(TSeriesPointer* Pointer, TColor Color, const TRect& Rect, TSeriesPointerStyle Style,
                          bool DrawPen)
{
  TCustomZuzPanel* Chart = Pointer->Series() ? Pointer->Series()->ParentChart() : Pointer->ParentChart();
  if (!Chart)
    return;
  TCanvas3D* C = Chart->InternalCanvas();
  Pointer->PrepareCanvas(C, Color);
  int32_t PenWidth = Pointer->Pen()->Visible() ? Pointer->Pen()->Width() : 0;
  auto* Full = dynamic_cast<TCustomChart*>(Chart);
  TLegendSymbol* Symbol = Full ? Full->Legend()->Symbol() : nullptr;
  if (Symbol && !Symbol->DefaultPen()) {
    C->AssignVisiblePen(Symbol->Pen());
    PenWidth = Symbol->Pen()->Width();
    DrawPen = Symbol->Pen()->Visible();
  }
  const int32_t W = Rect.Right - Rect.Left, H = Rect.Bottom - Rect.Top;
  if (DrawPen && (W < 2 * PenWidth || H < 2 * PenWidth))
    C->Pen()->SetWidth(std::min(W, H) / 2);
  int32_t HX = W / 2, HY = H / 2;
  if (!DrawPen) {
    ++HX;
    ++HY;
  }
  int32_t CX = (Rect.Left + Rect.Right) / 2;
  const int32_t CY = (Rect.Top + Rect.Bottom) / 2;
  if (TZuzShadow* S = Pointer->ShadowIfAny(); S && S->Visible()) {
    CX -= S->HorizSize() / 2;
    HX -= S->HorizSize() / 2;
  }
  if (!(Symbol && Symbol->Continuous())) {
    const double R = Pointer->HorizSize() == 0 ? 1 : double(Pointer->VertSize()) / Pointer->HorizSize();
    if (HX >= HY * R)
      HX = std::min(HX, static_cast<int32_t>(std::nearbyint(HY / R)));
    else
      HY = std::min(HY, static_cast<int32_t>(std::nearbyint(HX * R)));
    HX = std::min(HX, Pointer->HorizSize());
    HY = std::min(HY, Pointer->VertSize());
  }
  const TPointerSizeUnits Units = Pointer->SizeUnits();
  Pointer->SetSizeUnits(suPixels);
  Pointer->DrawPointer(C, false, CX, CY, HX, HY, Color, Style);
  Pointer->SetSizeUnits(Units);
}
