#include "chart/series/AreaSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzConst.h"
#include "platform/CanvasTypeInfo.h"
#include "platform/Published.h"

#include <algorithm>

namespace {
const TEnumInfo MultiAreaInfo("TMultiArea", {"maNone", "maStacked", "maStacked100"});

using A = TAreaSeries;
[[maybe_unused]] const TClassInfo& AreaClass =
    PublishClass<A>("TAreaSeries", "TCustomSeries",
                    {
                        PropEnum("AreaBrush", &A::AreaBrush, &A::SetAreaBrush, BrushStyleInfo, bsSolid),
                        PropObj("AreaChartBrush", &A::AreaChartBrush, &A::SetAreaChartBrush),
                        PropColor("AreaColor", &A::AreaColor, &A::SetAreaColor, clDefault),
                        PropObj("AreaLinesPen", &A::AreaLinesPen, &A::SetAreaLinesPen),
                        PropObj("Brush", &A::Brush, &A::SetBrush),
                        PropBool("ClickableLine", &A::ClickableLine, &A::SetClickableLine, true),
                        PropInt("ClickTolerance", &A::ClickTolerance, &A::SetClickTolerance, 0),
                        PropBool("ColorEachLine", &A::ColorEachLine, &A::SetColorEachLine, true),
                        PropBool("Dark3D", &A::Dark3D, &A::SetDark3D, true),
                        PropBool("DrawArea", &A::DrawArea, &A::SetDrawArea, false),
                        PropEnum("DrawStyle", &A::DrawStyle, &A::SetDrawStyle, CustomSeriesDrawStyleInfo(), dsSegments),
                        PropObj("Gradient", &A::Gradient, &A::SetGradient),
                        PropBool("InflateMargins", &A::InflateMargins, &A::SetInflateMargins, true),
                        PropBool("InvertedStairs", &A::InvertedStairs, &A::SetInvertedStairs, false),
                        PropObj("LinePen", &A::LinePen, &A::SetLinePen),
                        PropEnum("MultiArea", &A::MultiArea, &A::SetMultiArea, MultiAreaInfo, maNone),
                        PropObj("Pointer", &A::Pointer, &A::SetPointer),
                        PropBool("PointerBehind", &A::PointerBehind, &A::SetPointerBehind, false),
                        PropBool("Stairs", &A::Stairs, &A::SetStairs, false),
                        PropInt("StackGroup", &A::StackGroup, &A::SetStackGroup, 0),
                        PropBool("UseYOrigin", &A::UseYOrigin, &A::SetUseYOrigin, false),
                        PropFloat("YOrigin", &A::YOrigin, &A::SetYOrigin),
                        PropEvent("OnClickPointer", &A::OnClickPointer),
                    });
[[maybe_unused]] const TClassInfo& HorizAreaClass = PublishClass<THorizAreaSeries>("THorizAreaSeries", "TAreaSeries");
} // namespace

TAreaSeries::TAreaSeries(TComponent* AOwner) : TCustomSeries(AOwner)
{
  FDrawArea = true;
  AllowSinglePoint = false;
  Pointer()->DefaultVisible = false;
  Pointer()->SetVisible(false);
  DrawBetweenPoints = true;
}

String TAreaSeries::ClassName() const { return QStringLiteral("TAreaSeries"); }

String TAreaSeries::GetEditorClass() const { return QStringLiteral("TAreaSeriesEditor"); }

void TAreaSeries::Assign(TPersistent* Source)
{
  TCustomSeries::Assign(Source);
  FDrawArea = true;
  FDrawLine = true;
  auto* S = dynamic_cast<TAreaSeries*>(Source);
  if (!S || typeid(*S) != typeid(*this)) {
    Pointer()->SetVisible(false);
    return;
  }
  FOrigin = S->FOrigin;
  FStackGroup = S->FStackGroup;
  FUseOrigin = S->FUseOrigin;
}

TMultiArea TAreaSeries::MultiArea() const
{
  switch (Stacked()) {
  case cssStack:
    return maStacked;
  case cssStack100:
    return maStacked100;
  default:
    return maNone;
  }
}

void TAreaSeries::SetMultiArea(TMultiArea Value)
{
  SetStacked(Value == maStacked ? cssStack : Value == maStacked100 ? cssStack100 : cssNone);
}

void TAreaSeries::SetStackGroup(int32_t Value) { SetIntegerProperty(FStackGroup, Value); }

void TAreaSeries::SetUseYOrigin(bool Value) { SetBooleanProperty(FUseOrigin, Value); }

void TAreaSeries::SetYOrigin(double Value) { SetDoubleProperty(FOrigin, Value); }

bool TAreaSeries::SameClassOrigin(const TCustomSeries* Series) const
{
  const auto* Area = dynamic_cast<const TAreaSeries*>(Series);
  return TCustomSeries::SameClassOrigin(Series) && Area && Area->FStackGroup == FStackGroup;
}

int32_t TAreaSeries::GetOriginPos(int32_t ValueIndex) const
{
  return FUseOrigin ? CalcPosValue(FOrigin) : TCustomSeries::GetOriginPos(ValueIndex);
}

double TAreaSeries::MaxYValue() const
{
  const double V = TCustomSeries::MaxYValue();
  return FUseOrigin && YMandatory ? std::max(V, FOrigin) : V;
}

double TAreaSeries::MinYValue() const
{
  const double V = TCustomSeries::MinYValue();
  return FUseOrigin && YMandatory ? std::min(V, FOrigin) : V;
}

double TAreaSeries::MaxXValue() const
{
  const double V = TCustomSeries::MaxXValue();
  return FUseOrigin && !YMandatory ? std::max(V, FOrigin) : V;
}

double TAreaSeries::MinXValue() const
{
  const double V = TCustomSeries::MinXValue();
  return FUseOrigin && !YMandatory ? std::min(V, FOrigin) : V;
}

bool TAreaSeries::DrawSeriesForward(int32_t ValueIndex) const
{
  if (MultiArea() == maNone)
    return TCustomSeries::DrawSeriesForward(ValueIndex);
  const TChartAxis* Axis = MandatoryAxis();
  return !(Axis && Axis->Inverted());
}

void TAreaSeries::ResetBrush()
{
  TCustomSeries::ResetBrush();
  AreaChartBrush()->SetStyle(bsSolid);
  AreaChartBrush()->SetColor(clDefault);
  AreaChartBrush()->SetBackColor(clDefault);
}

TZuzGradient* TAreaSeries::GetGradient() const { return AreaChartBrush()->Gradient(); }

void TAreaSeries::PrepareLegendCanvas(int32_t, TColor& BackColor, TBrushStyle& BrushStyle)
{
  TCanvas3D* C = FParent->InternalCanvas();
  BackColor = GetAreaBrushColor(C->Brush()->Color());
  C->AssignVisiblePen(AreaLinesPen());
  BrushStyle = AreaBrush();
}

void TAreaSeries::DrawLegendShape(int32_t ValueIndex, const TRect& Rect)
{
  TCanvas3D* C = FParent->InternalCanvas();
  if (AreaChartBrush()->HasGradient())
    FParent->SetBrushCanvas(SeriesColor(), AreaChartBrush(), Brush()->BackColor());
  else
    FParent->SetBrushCanvas(SeriesColor(), Brush(), Brush()->Color());
  if (AreaChartBrush()->HasGraphic()) {
    const TColor ItemColor = ValueIndex == -1 ? SeriesColor() : LegendItemColor(ValueIndex);
    const TColor Color = AreaChartBrush()->Color() == clDefault ? ItemColor : AreaChartBrush()->Color();
    TColor Back = GetAreaBrushColor(C->Brush()->Color());
    if (Back == Color)
      Back = clWhite;
    C->AssignBrushColor(AreaChartBrush(), Color, Back);
  }
  TCustomSeries::DrawLegendShape(ValueIndex, Rect);
}

namespace {
const TSeriesSubStyle AreaSubStyles[] = {
    {&ZuzMsg_Stairs, [](TCustomSeries* S) { S->SetStairs(true); }},
    {&ZuzMsg_Marks, [](TCustomSeries* S) { S->Marks()->SetVisible(true); }},
    {&ZuzMsg_Colors, [](TCustomSeries* S) { S->SetColorEachPoint(true); }},
    {&ZuzMsg_Hollow, [](TCustomSeries* S) { S->SetAreaBrush(bsClear); }},
    {&ZuzMsg_NoLines, [](TCustomSeries* S) { S->AreaLinesPen()->SetVisible(false); }},
    {&ZuzMsg_Stack, [](TCustomSeries* S) { S->SetStacked(cssStack); }},
    {&ZuzMsg_Stack100, [](TCustomSeries* S) { S->SetStacked(cssStack100); }},
    {&ZuzMsg_Points, [](TCustomSeries* S) { S->Pointer()->SetVisible(true); }},
    {&ZuzMsg_Gradient, [](TCustomSeries* S) { S->Gradient()->SetVisible(true); }},
};
} // namespace

void TAreaSeries::CreateSubGallery(const TSubGalleryProc& AddSubChart)
{
  TCustomSeries::CreateSubGallery(AddSubChart);
  AddSubStyles(AddSubChart, AreaSubStyles);
}

void TAreaSeries::SetSubGallery(TChartSeries* ASeries, int32_t Index)
{
  if (dynamic_cast<TAreaSeries*>(ASeries))
    ApplySubStyle(ASeries, AreaSubStyles, Index);
}

// ---------------------------------------------------------------------------

THorizAreaSeries::THorizAreaSeries(TComponent* AOwner) : TAreaSeries(AOwner)
{
  SetHorizontal();
  XValues()->SetOrder(loNone);
  YValues()->SetOrder(loAscending);
  AreaChartBrush()->Gradient()->SetDirection(gdRightLeft);
}

String THorizAreaSeries::ClassName() const { return QStringLiteral("THorizAreaSeries"); }

void THorizAreaSeries::DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position)
{
  TMarksCallout* C = Marks()->Callout();
  const int32_t Beside = C->Length() + C->Distance();
  Position.LeftTop.Y = Position.ArrowTo.Y - Position.Height / 2;
  Position.LeftTop.X += Beside + Position.Width / 2;
  Position.ArrowTo.X += Beside;
  Position.ArrowFrom.Y = Position.ArrowTo.Y;
  Position.ArrowFrom.X += C->Distance();
  TCustomSeries::DrawMark(ValueIndex, Text, Position);
}
