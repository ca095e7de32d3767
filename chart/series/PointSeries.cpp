#include "chart/series/PointSeries.h"

#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesList.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzConst.h"
#include "platform/Published.h"

#include <iterator>

namespace {
using P = TPointSeries;
[[maybe_unused]] const TClassInfo& PointClass =
    PublishClass<P>("TPointSeries", "TCustomSeries",
                    {
                        PropBool("ClickableLine", &P::ClickableLine, &P::SetClickableLine, true),
                        PropInt("ClickTolerance", &P::ClickTolerance, &P::SetClickTolerance, 0),
                        PropObj("Pointer", &P::Pointer, &P::SetPointer),
                        PropEvent("OnClickPointer", &P::OnClickPointer),
                    });

const TSeriesSubStyle PointSubStyles[] = {
    {&ZuzMsg_Colors, [](TCustomSeries* S) { S->SetColorEachPoint(true); }},
    {&ZuzMsg_Marks, [](TCustomSeries* S) { S->Marks()->SetVisible(true); }},
    {&ZuzMsg_Hollow, [](TCustomSeries* S) { S->Pointer()->Brush()->SetStyle(bsClear); }},
    {&ZuzMsg_NoBorder, [](TCustomSeries* S) { S->Pointer()->Pen()->SetVisible(false); }},
    {&ZuzMsg_Gradient, [](TCustomSeries* S) { S->Pointer()->Gradient()->SetVisible(true); }},
    // From here on only where CanDoExtra.
    {&ZuzMsg_Point2D, [](TCustomSeries* S) { S->Pointer()->SetDraw3D(false); }},
    {&ZuzMsg_Triangle, [](TCustomSeries* S) { S->Pointer()->SetStyle(psTriangle); }},
    {&ZuzMsg_Star, [](TCustomSeries* S) { S->Pointer()->SetStyle(psStar); }},
    {&ZuzMsg_Circle,
     [](TCustomSeries* S) {
       S->Pointer()->SetStyle(psCircle);
       S->Pointer()->SetHorizSize(8);
       S->Pointer()->SetVertSize(8);
     }},
    {&ZuzMsg_DownTri, [](TCustomSeries* S) { S->Pointer()->SetStyle(psDownTriangle); }},
    {&ZuzMsg_Cross, [](TCustomSeries* S) { S->Pointer()->SetStyle(psCross); }},
    {&ZuzMsg_Diamond, [](TCustomSeries* S) { S->Pointer()->SetStyle(psDiamond); }},
    {&ZuzMsg_Hexagon, [](TCustomSeries* S) { S->Pointer()->SetStyle(psHexagon); }},
    {&ZuzMsg_GalleryDonut, [](TCustomSeries* S) { S->Pointer()->SetStyle(psDonut); }},
    {&ZuzMsg_GalleryArrow, [](TCustomSeries* S) { S->Pointer()->SetStyle(psArrow); }},
};
// The sub-kinds every point series offers; the pointer styles follow.
constexpr size_t PlainSubStyles = 5;

// The sub-kinds this point series offers.
std::span<const TSeriesSubStyle> OfferedSubStyles(const TPointSeries& S)
{
  return std::span<const TSeriesSubStyle>(PointSubStyles)
      .first(S.CanDoExtra() ? std::size(PointSubStyles) : PlainSubStyles);
}
} // namespace

TPointSeries::TPointSeries(TComponent* AOwner) : TCustomSeries(AOwner)
{
  SetFixed();
  Marks()->Callout()->DefaultLength = 0;
  Marks()->Callout()->SetLength(0);
}

String TPointSeries::ClassName() const { return QStringLiteral("TPointSeries"); }

String TPointSeries::GetEditorClass() const { return QStringLiteral("TSeriesPointerEditor"); }

void TPointSeries::SetFixed()
{
  Pointer()->SetVisible(true);
  FDrawArea = false;
  FDrawLine = false;
  SetClickableLine(false);
}

void TPointSeries::Assign(TPersistent* Source)
{
  TCustomSeries::Assign(Source);
  SetFixed();
}

void TPointSeries::SetColorEachPoint(bool Value)
{
  TCustomSeries::SetColorEachPoint(Value);
  if (Value)
    Pointer()->Brush()->SetColor(clDefault);
}

void TPointSeries::SetTransparency(uint8_t Value)
{
  TCustomSeries::SetTransparency(Value);
  Pointer()->SetTransparency(Value);
}

void TPointSeries::PrepareForGallery(bool)
{
  const int32_t Size = FParent && FParent->Width() >= 50 ? 6 : 4;
  Pointer()->SetHorizSize(Size);
  Pointer()->SetVertSize(Size);
  if (FParent && FParent->SeriesCount() > 1 && FParent->SeriesList().Items(1) == this)
    Pointer()->SetStyle(psTriangle);
}

void TPointSeries::CreateSubGallery(const TSubGalleryProc& AddSubChart)
{
  TCustomSeries::CreateSubGallery(AddSubChart);
  AddSubStyles(AddSubChart, OfferedSubStyles(*this));
}

void TPointSeries::SetSubGallery(TChartSeries* ASeries, int32_t Index)
{
  if (dynamic_cast<TPointSeries*>(ASeries))
    ApplySubStyle(ASeries, OfferedSubStyles(*this), Index);
}
