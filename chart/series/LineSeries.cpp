#include "chart/series/LineSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesMarks.h"
#include "chart/canvas/CanvasMessages.h"
#include "chart/core/ZuzConst.h"
#include "platform/CanvasTypeInfo.h"
#include "platform/Published.h"

namespace {
using L = TLineSeries;
[[maybe_unused]] const TClassInfo& LineClass =
    PublishClass<L>("TLineSeries", "TCustomSeries",
                    {
                        PropObj("Brush", &L::Brush, &L::SetBrush),
                        PropBool("ClickableLine", &L::ClickableLine, &L::SetClickableLine, true),
                        PropInt("ClickTolerance", &L::ClickTolerance, &L::SetClickTolerance, 0),
                        PropBool("ColorEachLine", &L::ColorEachLine, &L::SetColorEachLine, true),
                        PropBool("Dark3D", &L::Dark3D, &L::SetDark3D, true),
                        PropEnum("DrawStyle", &L::DrawStyle, &L::SetDrawStyle, CustomSeriesDrawStyleInfo(), dsSegments),
                        PropObj("Emboss", &L::Emboss, &L::SetEmboss),
                        PropObj("Gradient", &L::Gradient, &L::SetGradient),
                        PropBool("InflateMargins", &L::InflateMargins, &L::SetInflateMargins, true),
                        PropBool("InvertedStairs", &L::InvertedStairs, &L::SetInvertedStairs, false),
                        PropEnum("LineBrush", &L::LineBrush, &L::SetLineBrush, BrushStyleInfo, bsSolid),
                        PropInt("LineHeight", &L::LineHeight, &L::SetLineHeight, 0),
                        PropObj("LinePen", &L::LinePen, &L::SetLinePen),
                        PropObj("OutLine", &L::OutLine, &L::SetOutLine),
                        PropObj("Pointer", &L::Pointer, &L::SetPointer),
                        PropBool("PointerBehind", &L::PointerBehind, &L::SetPointerBehind, false),
                        PropObj("Shadow", &L::Shadow, &L::SetShadow),
                        PropEnum("Stacked", &L::Stacked, &L::SetStacked, CustomSeriesStackInfo(), cssNone),
                        PropBool("Stairs", &L::Stairs, &L::SetStairs, false),
                        PropEvent("OnClickPointer", &L::OnClickPointer),
                    });
[[maybe_unused]] const TClassInfo& HorizLineClass = PublishClass<THorizLineSeries>("THorizLineSeries", "TLineSeries");
} // namespace

TLineSeries::TLineSeries(TComponent* AOwner) : TCustomSeries(AOwner)
{
  FDrawLine = true;
  AllowSinglePoint = false;
  Pointer()->DefaultVisible = false;
  Pointer()->SetVisible(false);
  DrawBetweenPoints = true;
}

String TLineSeries::ClassName() const { return QStringLiteral("TLineSeries"); }

void TLineSeries::Assign(TPersistent* Source)
{
  TCustomSeries::Assign(Source);
  if (!dynamic_cast<TLineSeries*>(Source))
    Pointer()->SetVisible(false);
  FDrawArea = false;
  FDrawLine = true;
}

namespace {
const TSeriesSubStyle LineSubStyles[] = {
    {&ZuzMsg_Stairs, [](TCustomSeries* S) { S->SetStairs(true); }},
    {&ZuzMsg_Points, [](TCustomSeries* S) { S->Pointer()->SetVisible(true); }},
    {&ZuzMsg_Height, [](TCustomSeries* S) { S->SetLineHeight(5); }},
    {&ZuzMsg_Hollow, [](TCustomSeries* S) { S->SetLineBrush(bsClear); }},
    {&ZuzMsg_Colors, [](TCustomSeries* S) { S->SetColorEachPoint(true); }},
    {&ZuzMsg_Marks, [](TCustomSeries* S) { S->Marks()->SetVisible(true); }},
    {&ZuzMsg_NoBorder, [](TCustomSeries* S) { S->LinePen()->SetVisible(false); }},
    {&ZuzMsg_Outline, [](TCustomSeries* S) { S->OutLine()->SetVisible(true); }},
};
} // namespace

void TLineSeries::CreateSubGallery(const TSubGalleryProc& AddSubChart)
{
  TCustomSeries::CreateSubGallery(AddSubChart);
  AddSubStyles(AddSubChart, LineSubStyles);
}

void TLineSeries::SetSubGallery(TChartSeries* ASeries, int32_t Index)
{
  if (dynamic_cast<TLineSeries*>(ASeries))
    ApplySubStyle(ASeries, LineSubStyles, Index);
}

void TLineSeries::PrepareLegendCanvas(int32_t, TColor&, TBrushStyle& BrushStyle)
{
  Canvas()->AssignVisiblePen(LinePen());
  BrushStyle = LineBrush();
}

// ---------------------------------------------------------------------------

THorizLineSeries::THorizLineSeries(TComponent* AOwner) : TLineSeries(AOwner)
{
  SetHorizontal();
  CalcVisiblePoints = false;
  XValues()->SetOrder(loNone);
  YValues()->SetOrder(loAscending);
}

String THorizLineSeries::ClassName() const { return QStringLiteral("THorizLineSeries"); }

int32_t THorizLineSeries::CalcMarkLength() { return MaxMarkWidth(); }

void THorizLineSeries::DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position)
{
  TMarksCallout* C = Marks()->Callout();
  const int32_t Distance = C->Distance();
  int32_t L = C->Length() + Distance;
  const bool Left = Position.ArrowFrom.X < GetOriginPos(ValueIndex);
  if (Left)
    L = -L - Position.Width;
  Position.LeftTop.X += L + Position.Width / 2;
  Position.LeftTop.Y += Position.Height / 2;
  Position.ArrowTo.X += L;
  Position.ArrowFrom.X += Left ? -Distance : Distance;
  TCustomSeries::DrawMark(ValueIndex, Text, Position);
}
