// A series' side of the legend: the text of each point's row for the
// legend's text style, and the symbol drawn for a row.
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomChart.h"
#include "chart/core/DateTimeSteps.h"
#include "chart/core/SeriesLegend.h"
#include "chart/core/BackImage.h"
#include "chart/core/ZuzPictureList.h"
#include "rtl/DateTime.h"
#include "rtl/Numbers.h"

#include <QScopeGuard>

#include <algorithm>

TZuzPictureList* TChartSeries::Pictures()
{
  if (!FPictures)
    FPictures = std::make_unique<TZuzPictureList>(this);
  return FPictures.get();
}

String TChartSeries::LegendString(int32_t LegendIndex, TLegendTextStyle Style)
{
  const int32_t I = CalcLegendIndex(LegendIndex);
  const String T = XLabel(I);
  const QChar C = ZuzLegendColumnSeparator;
  const double V = GetMarkValue(I);
  const auto Value = [&] {
    return MandatoryValueList->DateTime() ? FormatDateTime(DateTimeDefaultFormat(0), V) : FormatFloat(ValueFormat(), V);
  };
  const auto Percent = [&] {
    const double Total = MandatoryValueList->TotalABS();
    return FormatFloat(PercentFormat(), Total == 0 ? 100.0 : V * 100.0 / Total);
  };
  const auto X = [&] {
    return GetHorizAxis() ? GetHorizAxis()->LabelValue(XValue(I)) : FormatFloat(ValueFormat(), XValue(I));
  };
  const auto Join = [&](const String& A, const String& B) { return T.isEmpty() ? A : A + C + B; };
  switch (Style) {
  case ltsPlain:
    return T;
  case ltsLeftValue:
    return Join(Value(), T);
  case ltsRightValue:
    return T.isEmpty() ? Value() : T + C + Value();
  case ltsLeftPercent:
    return Join(Percent(), T);
  case ltsRightPercent:
    return T.isEmpty() ? Percent() : T + C + Percent();
  case ltsXValue:
    return X();
  case ltsValue:
    return Value();
  case ltsPercent:
    return Percent();
  case ltsXAndValue:
    return X() + C + Value();
  case ltsXAndPercent:
    return X() + C + Percent();
  case ltsXAndText:
    return X() + C + T;
  case ltsXAndValueAndText:
    return X() + C + Value() + C + T;
  }
  return T;
}

void TChartSeries::PrepareLegendCanvas(int32_t, TColor&, TBrushStyle&) {}

void TChartSeries::DrawLegendShape(int32_t ValueIndex, const TRect& Rect)
{
  auto* Chart = dynamic_cast<TCustomChart*>(FParent);
  if (!Chart)
    return;
  TCanvas3D* C = Chart->InternalCanvas();
  std::unique_ptr<TZuzBlend> Blend;
  if (Transparency() > 0)
    Blend = C->BeginBlending(Rect, Transparency());
  const TGraphic* Picture = nullptr;
  if (ValueIndex == -1) {
    if (TSeriesLegend* L = LegendIfAny(); L && L->PictureIfAny() && L->PictureIfAny()->Valid())
      Picture = L->PictureIfAny()->Filtered();
  } else {
    C->Brush()->SetColor(LegendItemColor(ValueIndex));
    if (TZuzPicture* P = FPictures ? FPictures->Get(ValueIndex) : nullptr; P && P->Valid())
      Picture = P->Filtered();
  }
  Chart->DrawLegendShape(Rect, Picture);
  if (Blend)
    C->EndBlending(std::move(Blend));
}

void TChartSeries::DrawLegend(int32_t ValueIndex, const TRect& Rect)
{
  auto* Chart = dynamic_cast<TCustomChart*>(FParent);
  if (!Chart)
    return;
  const bool Old = Chart->AutoRepaint();
  Chart->SetAutoRepaint(false);
  const auto Restore = qScopeGuard([&] { Chart->SetAutoRepaint(Old); });
  const TColor Color = ValueIndex == -1 ? SeriesColor() : LegendItemColor(ValueIndex);
  if (Color == clNone)
    return;
  TCanvas3D* C = Chart->InternalCanvas();
  C->Brush()->SetColor(Color);
  TColor Back = Chart->LegendColor;
  const TBrushStyle OwnStyle = Brush()->Style();
  TBrushStyle Style = OwnStyle;
  C->AssignVisiblePen(Pen());
  PrepareLegendCanvas(ValueIndex, Back, Style);
  if (Chart->LegendPen)
    C->AssignVisiblePen(Chart->LegendPen);
  const int32_t Half = std::max((Rect.Bottom - Rect.Top) / 2, 1);
  if (C->Pen()->Width() > Half)
    C->Pen()->SetWidth(Half);
  if (Back == clDefault)
    Back = Chart->LegendColor != clDefault ? Chart->LegendColor : Chart->GetBackColor();
  const bool Swap = Style != OwnStyle && !Brush()->ImageIfAny();
  if (Swap)
    Brush()->SetStyle(Style);
  const auto Back2 = qScopeGuard([&] {
    if (Swap)
      Brush()->SetStyle(OwnStyle);
  });
  Chart->SetBrushCanvas(Color, Brush(), Back);
  DrawLegendShape(ValueIndex, Rect);
}
