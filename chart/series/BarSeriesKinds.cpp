// The two bar kinds: vertical bars (TBarSeries) and horizontal bars
// (THorizBarSeries), their rectangles, shapes, tick lines, hit tests,
// marks, axis extents and margins; their published properties and
// registration.
#include "chart/series/BarSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzGeometry.h"
#include "chart/core/ZuzSeriesTypes.h"
#include "platform/Published.h"

#include <QScopeGuard>

#include <algorithm>

namespace {
const TEnumInfo MultiBarInfo("TMultiBar",
                             {"mbNone", "mbSide", "mbStacked", "mbStacked100", "mbSideAll", "mbSelfStack"});
const TEnumInfo MarksLocationInfo("TMarksLocation", {"mlStart", "mlCenter", "mlEnd"});
const TEnumInfo BarStyleInfo("TBarStyle", {"bsRectangle", "bsPyramid", "bsInvPyramid", "bsCilinder", "bsEllipse",
                                           "bsArrow", "bsRectGradient", "bsCone", "bsBevel", "bsSlantCube", "bsDiamond",
                                           "bsInvArrow", "bsInvCone", "bsCustom", "bsRoundRectangle"});
const TEnumInfo BarRoundInfo("TBarRound", {"brNone", "brAtValue", "brBothEnds"});

[[maybe_unused]] const TClassInfo& SelfStackClass =
    PublishClass<TSelfStack>("TSelfStack", "TPersistent",
                             {
                                 PropFloat("Position", &TSelfStack::Position, &TSelfStack::SetPosition),
                                 PropBool("UsePosition", &TSelfStack::UsePosition, &TSelfStack::SetUsePosition, false),
                             });

using B = TCustomBarSeries;
[[maybe_unused]] const TClassInfo& CustomBarClass =
    PublishClass<B>("TCustomBarSeries", "TChartSeries",
                    {
                        PropBool("AutoBarSize", &B::AutoBarSize, &B::SetAutoBarSize, false),
                        PropObj("BarBrush", &B::BarBrush, &B::SetBarBrush),
                        PropObj("BarPen", &B::BarPen, &B::SetBarPen),
                        PropEnum("BarRound", &B::BarRound, &B::SetBarRound, BarRoundInfo, brAtValue),
                        PropEnum("BarStyle", &B::BarStyle, &B::SetBarStyle, BarStyleInfo, bsRectangle),
                        PropInt("BarWidthPercent", &B::BarWidthPercent, &B::SetBarWidthPercent, 70),
                        PropInt("BevelSize", &B::BevelSize, &B::SetBevelSize, 1),
                        PropInt("ConePercent", &B::ConePercent, &B::SetConePercent, 0),
                        PropBool("Dark3D", &B::Dark3D, &B::SetDark3D, true),
                        PropInt("DarkPen", &B::DarkPen, &B::SetDarkPen, 0),
                        PropInt("DepthPercent", &B::DepthPercent, &B::SetDepthPercent, 100),
                        PropObj("Emboss", &B::Emboss, &B::SetEmboss),
                        PropObj("Gradient", &B::Gradient, &B::SetGradient),
                        PropBool("GradientRelative", &B::GradientRelative, &B::SetGradientRelative, false),
                        PropEnum("MarksLocation", &B::MarksLocation, &B::SetMarksLocation, MarksLocationInfo, mlEnd),
                        PropBool("MarksOnBar", &B::MarksOnBar, &B::SetMarksOnBar, false),
                        PropEnum("MultiBar", &B::MultiBar, &B::SetMultiBar, MultiBarInfo, mbSide),
                        PropInt("OffsetPercent", &B::OffsetPercent, &B::SetOffsetPercent, 0),
                        PropInt("RoundSize", &B::RoundSize, &B::SetRoundSize, 16),
                        PropObj("SelfStack", &B::SelfStack, &B::SetSelfStack),
                        PropObj("Shadow", &B::Shadow, &B::SetShadow),
                        PropBool("SideMargins", &B::SideMargins, &B::SetSideMargins, true),
                        PropInt("Sides", &B::Sides, &B::SetSides, 32),
                        PropInt("StackGroup", &B::StackGroup, &B::SetStackGroup, 0),
                        PropObj("TickLines", &B::TickLines, &B::SetTickLines),
                        PropBool("UseYOrigin", &B::UseYOrigin, &B::SetUseYOrigin, true),
                        PropFloat("YOrigin", &B::YOrigin, &B::SetYOrigin),
                    });

[[maybe_unused]] const TClassInfo& BarClass = PublishClass<TBarSeries>(
    "TBarSeries", "TCustomBarSeries",
    {PropInt("CustomBarWidth", &TBarSeries::CustomBarWidth, &TBarSeries::SetCustomBarWidth, 0)});
[[maybe_unused]] const TClassInfo& HorizBarClass = PublishClass<THorizBarSeries>(
    "THorizBarSeries", "TCustomBarSeries",
    {PropInt("CustomBarHeight", &THorizBarSeries::CustomBarHeight, &THorizBarSeries::SetCustomBarHeight, 0)});

} // namespace

// ---------------------------------------------------------------------------
// Vertical bars

TBarSeries::TBarSeries(TComponent* AOwner) : TCustomBarSeries(AOwner)
{
  Gradient()->InitDirection(gdTopBottom);
  MandatoryValueList->SetName(ZuzMsg_ValuesBar);
}

String TBarSeries::ClassName() const { return QStringLiteral("TBarSeries"); }

int32_t TBarSeries::CalcXPos(int32_t ValueIndex) const { return CalcCategoryPos(ValueIndex); }
int32_t TBarSeries::CalcYPos(int32_t ValueIndex) const { return CalcValueEndPos(ValueIndex); }

int32_t TBarSeries::GetOriginPos(int32_t ValueIndex) const
{
  return InternalGetOriginPos(ValueIndex, GetVertAxis()->IEndPos);
}

double TBarSeries::MaxYValue() const { return MaxMandatoryValue(TCustomBarSeries::MaxYValue()); }
double TBarSeries::MinYValue() const { return MinMandatoryValue(TCustomBarSeries::MinYValue()); }

double TBarSeries::MaxXValue() const
{
  if (MultiBar() == mbSideAll)
    return Count() + IPreviousCount - 1;
  if (MultiBar() == mbSelfStack)
    return SelfStackColumn();
  return TCustomBarSeries::MaxXValue();
}

double TBarSeries::MinXValue() const
{
  return MultiBar() == mbSelfStack ? SelfStackColumn() : TCustomBarSeries::MinXValue();
}

void TBarSeries::CalcHorizMargins(int32_t& LeftMargin, int32_t& RightMargin)
{
  TCustomBarSeries::CalcHorizMargins(LeftMargin, RightMargin);
  InternalApplyBarMargin(LeftMargin, RightMargin);
}

void TBarSeries::CalcVerticalMargins(int32_t& TopMargin, int32_t& BottomMargin)
{
  TCustomBarSeries::CalcVerticalMargins(TopMargin, BottomMargin);
  const TChartAxis* A = GetVertAxis();
  ValueAxisMargins(CalcMarkLength(0), A && A->Inverted(), TCustomBarSeries::MinYValue(), TCustomBarSeries::MaxYValue(),
                   BottomMargin, TopMargin);
}

void TBarSeries::CalcSelectionPos(int32_t ValueIndex, int32_t& X, int32_t& Y) const
{
  TCustomBarSeries::CalcSelectionPos(ValueIndex, X, Y);
  X += IBarSize / 2;
}

bool TBarSeries::DrawSeriesForward(int32_t ValueIndex) const
{
  switch (MultiBar()) {
  case mbStacked:
  case mbStacked100:
    return !GetVertAxis()->Inverted();
  case mbSelfStack:
    return (YValue(ValueIndex) >= YOrigin()) != GetVertAxis()->Inverted();
  default:
    return TCustomBarSeries::DrawSeriesForward(ValueIndex);
  }
}

TRect TBarSeries::CalcBarBounds(int32_t ValueIndex)
{
  TRect R;
  if (OnCalcBounds) {
    OnCalcBounds(this, ValueIndex, R);
    return R;
  }
  R.Left = CalcXPos(ValueIndex);
  const bool PenShown = BarPen()->Visible();
  if (BarWidthPercent() == 100 && CustomBarWidth() == 0 && MultiBar() != mbSelfStack && MultiBar() != mbSide) {
    // Full-width bars reach the next category's bar.
    const int32_t Pw = PenShown ? std::max(BarPen()->Width(), 1) : 0;
    if (GetHorizAxis()->Inverted())
      R.Right = ValueIndex > 0 ? CalcXPos(ValueIndex - 1) : R.Left + IBarSize + Pw;
    else
      R.Right = ValueIndex < Count() - 1 ? CalcXPos(ValueIndex + 1) + 1 - Pw / 2 : R.Left + IBarSize + 1 - Pw / 2;
  } else
    R.Right = R.Left + IBarSize + 1;
  R.Top = CalcYPos(ValueIndex);
  R.Bottom = GetOriginPos(ValueIndex);
  if (!PenShown) {
    ++(R.Bottom > R.Top ? R.Bottom : R.Top);
    ++R.Right;
  }
  return R;
}

int32_t TBarSeries::InternalCalcMarkLength(int32_t) { return Canvas()->TextHeight(QStringLiteral("W")); }

void TBarSeries::DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position)
{
  TSeriesMarks* M = Marks();
  const int32_t H = IBarSize / 2;
  if (MarksOnBar()) {
    M->Arrow()->SetVisible(false);
    Position.LeftTop.X += H;
    const TRect R = CalcBarBounds(ValueIndex);
    const int32_t A = M->Angle();
    if (MarksLocation() == mlCenter) {
      const int32_t S = (A == 90 || A == 270) ? Position.Width : Position.Height;
      Position.LeftTop.Y = (R.Top + (R.Bottom - R.Top) / 2) - S / 2;
    } else {
      const int32_t O = (A != 0 && A != 360) ? (Position.Width - Position.Height) / 2 : Position.Height / 2;
      const bool Inv = GetVertAxis()->Inverted();
      if (MarksLocation() == mlEnd)
        Position.LeftTop.Y = Inv ? R.Top - O - Position.Height : R.Top + O;
      else
        Position.LeftTop.Y = Inv ? R.Bottom + O : R.Bottom - O - Position.Height;
    }
  } else {
    const int32_t Distance = M->Callout()->Distance();
    int32_t D = M->Callout()->Length() + Distance;
    if (GetOriginPos(ValueIndex) < Position.ArrowFrom.Y) {
      // A bar pointing down has its mark below its end.
      D = -D - Position.Height;
      Position.ArrowFrom.Y += Distance;
    } else
      Position.ArrowFrom.Y -= Distance;
    Position.LeftTop.X += H;
    Position.LeftTop.Y -= D;
    Position.ArrowTo.X += H;
    Position.ArrowTo.Y -= D;
    Position.ArrowFrom.X += H;
  }
  TCustomBarSeries::DrawMark(ValueIndex, Text, Position);
}

// ---------------------------------------------------------------------------
// Horizontal bars

THorizBarSeries::THorizBarSeries(TComponent* AOwner) : TCustomBarSeries(AOwner)
{
  SetHorizontal();
  XValues()->SetOrder(loNone);
  YValues()->SetOrder(loAscending);
  Gradient()->InitDirection(gdLeftRight);
  MandatoryValueList->SetName(ZuzMsg_ValuesBar);
}

String THorizBarSeries::ClassName() const { return QStringLiteral("THorizBarSeries"); }

int32_t THorizBarSeries::CalcYPos(int32_t ValueIndex) const { return CalcCategoryPos(ValueIndex); }
int32_t THorizBarSeries::CalcXPos(int32_t ValueIndex) const { return CalcValueEndPos(ValueIndex); }

int32_t THorizBarSeries::GetOriginPos(int32_t ValueIndex) const
{
  return InternalGetOriginPos(ValueIndex, GetHorizAxis()->IStartPos);
}

double THorizBarSeries::MaxXValue() const { return MaxMandatoryValue(TCustomBarSeries::MaxXValue()); }
double THorizBarSeries::MinXValue() const { return MinMandatoryValue(TCustomBarSeries::MinXValue()); }

double THorizBarSeries::MaxYValue() const
{
  if (MultiBar() == mbSideAll)
    return Count() + IPreviousCount - 1;
  if (MultiBar() == mbSelfStack)
    return MinYValue();
  return TCustomBarSeries::MaxYValue();
}

double THorizBarSeries::MinYValue() const
{
  return MultiBar() == mbSelfStack ? SelfStackColumn() : TCustomBarSeries::MinYValue();
}

void THorizBarSeries::CalcVerticalMargins(int32_t& TopMargin, int32_t& BottomMargin)
{
  TCustomBarSeries::CalcVerticalMargins(TopMargin, BottomMargin);
  InternalApplyBarMargin(TopMargin, BottomMargin);
}

void THorizBarSeries::CalcHorizMargins(int32_t& LeftMargin, int32_t& RightMargin)
{
  TCustomBarSeries::CalcHorizMargins(LeftMargin, RightMargin);
  const TChartAxis* A = GetHorizAxis();
  ValueAxisMargins(CalcMarkLength(-1), A && A->Inverted(), TCustomBarSeries::MinXValue(), TCustomBarSeries::MaxXValue(),
                   LeftMargin, RightMargin);
}

void THorizBarSeries::CalcSelectionPos(int32_t ValueIndex, int32_t& X, int32_t& Y) const
{
  TCustomBarSeries::CalcSelectionPos(ValueIndex, X, Y);
  Y += IBarSize / 2;
}

bool THorizBarSeries::InvertedLegend() const { return !GetVertAxis()->Inverted(); }

namespace {
// The 3D view turned so far that horizontal bars are seen from the other
// side.
bool RotatedHalf(const TCustomAxisPanel* C)
{
  const int32_t R = C->View3DOptions()->Rotation();
  return R > 0 && R < 180;
}
} // namespace

bool THorizBarSeries::DrawValuesForward() const
{
  bool Result = TCustomBarSeries::DrawValuesForward();
  if (MultiBar() == mbSelfStack && FParent && RotatedHalf(FParent))
    Result = !Result;
  return Result;
}

bool THorizBarSeries::DrawSeriesAscending() const
{
  bool Result = TCustomBarSeries::DrawSeriesAscending();
  if ((MultiBar() == mbSideAll || MultiBar() == mbSelfStack) && FParent && RotatedHalf(FParent))
    Result = !Result;
  return Result;
}

bool THorizBarSeries::DrawSeriesForward(int32_t ValueIndex) const
{
  const bool Inherited = TCustomBarSeries::DrawSeriesForward(ValueIndex);
  switch (MultiBar()) {
  case mbSide:
  case mbSideAll:
    return false;
  case mbStacked:
  case mbStacked100:
    return !GetHorizAxis()->Inverted() == Inherited;
  case mbSelfStack:
    return ((XValue(ValueIndex) >= 0) != GetHorizAxis()->Inverted()) == Inherited;
  default:
    return Inherited;
  }
}

TRect THorizBarSeries::CalcBarBounds(int32_t ValueIndex)
{
  TRect R;
  if (OnCalcBounds) {
    OnCalcBounds(this, ValueIndex, R);
    return R;
  }
  R.Top = CalcYPos(ValueIndex);
  const bool PenShown = BarPen()->Visible();
  if (BarWidthPercent() == 100 && CustomBarHeight() == 0 && MultiBar() != mbSelfStack && MultiBar() != mbSide) {
    const int32_t Pw = PenShown ? BarPen()->Width() : 0;
    if (GetVertAxis()->Inverted())
      R.Bottom = ValueIndex < Count() - 1 ? CalcYPos(ValueIndex + 1) : R.Top + IBarSize - Pw;
    else
      R.Bottom = ValueIndex == 0 ? R.Top + IBarSize - Pw : CalcYPos(ValueIndex - 1);
  } else
    R.Bottom = R.Top + IBarSize - 1;
  R.Right = CalcXPos(ValueIndex);
  R.Left = GetOriginPos(ValueIndex);
  if (!PenShown) {
    if (R.Right > R.Left)
      ++R.Right;
    else {
      ++R.Left;
      --R.Right;
    }
    ++R.Bottom;
  }
  return R;
}

int32_t THorizBarSeries::InternalCalcMarkLength(int32_t ValueIndex)
{
  return ValueIndex == -1 ? MaxMarkWidth() : Marks()->TextWidth(ValueIndex);
}

void THorizBarSeries::DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position)
{
  TSeriesMarks* M = Marks();
  if (MarksOnBar()) {
    M->Arrow()->SetVisible(false);
    Position.LeftTop.Y += IBarSize / 2 + Position.Height / 2;
    const TRect R = CalcBarBounds(ValueIndex);
    const bool Inv = GetHorizAxis()->Inverted();
    switch (MarksLocation()) {
    case mlCenter:
      Position.LeftTop.X = (R.Left + R.Right) / 2 - Position.Width / 2;
      break;
    case mlEnd:
      Position.LeftTop.X = Inv ? R.Right : R.Right - Position.Width;
      break;
    case mlStart:
      Position.LeftTop.X = Inv ? R.Left - Position.Width : R.Left;
      break;
    }
  } else {
    const int32_t Distance = M->Callout()->Distance();
    int32_t D = M->Callout()->Length() + Distance;
    const bool Back = Position.ArrowFrom.X < GetOriginPos(ValueIndex);
    if (Back)
      D = -D - Position.Width;
    Position.LeftTop.X += D + Position.Width / 2;
    Position.LeftTop.Y += IBarSize / 2 + Position.Height / 2;
    Position.ArrowTo.X += D;
    Position.ArrowTo.Y += IBarSize / 2;
    Position.ArrowFrom.Y += IBarSize / 2;
    Position.ArrowFrom.X += Back ? -Distance : Distance;
  }
  TCustomBarSeries::DrawMark(ValueIndex, Text, Position);
}

void RegisterZuzBarSeries()
{
  RegisterZuzSeries(ClassInfoFor<TBarSeries>(), &ZuzMsg_GalleryBar, &ZuzMsg_GalleryStandard, 2);
  RegisterZuzSeries(ClassInfoFor<THorizBarSeries>(), &ZuzMsg_GalleryHorizBar, &ZuzMsg_GalleryStandard, 2);
}
