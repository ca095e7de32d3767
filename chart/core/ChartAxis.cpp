#include "chart/core/ChartAxis.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzTransform.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesList.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/DateTimeSteps.h"
#include "chart/core/ZuzConst.h"
#include "platform/CanvasMath.h"
#include "platform/Filer.h"
#include "platform/Published.h"
#include "rtl/DateTime.h"
#include "rtl/Numbers.h"
#include "rtl/RtlMath.h"

#include <algorithm>
#include <cfenv>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cfloat>
#include <cmath>

int32_t ZuzMaxPixelPos = 32767;
double ZuzSmallestIncrement = 5e-324;

namespace {

const TEnumInfo AxisUnitsInfo("TZuzUnits", {"muPercent", "muPixels"});
const TEnumInfo LabelAlignInfo("TAxisLabelAlign", {"alDefault", "alOpposite", "alCenter"});
const TEnumInfo LabelStyleInfo("TAxisLabelStyle",
                               {"talAuto", "talNone", "talValue", "talMark", "talText", "talPointValue"});

[[maybe_unused]] const TClassInfo& AxisClass = PublishClass<TChartAxis>(
    "TChartAxis", "TCollectionItem",
    {
        PropBool("Automatic", &TChartAxis::Automatic, &TChartAxis::SetAutomatic, true),
        PropBool("AutomaticMaximum", &TChartAxis::AutomaticMaximum, &TChartAxis::SetAutomaticMaximum, true),
        PropBool("AutomaticMinimum", &TChartAxis::AutomaticMinimum, &TChartAxis::SetAutomaticMinimum, true),
        PropObj("Axis", &TChartAxis::Axis, &TChartAxis::SetAxis),
        PropStr("AxisValuesFormat", &TChartAxis::AxisValuesFormat, &TChartAxis::SetAxisValuesFormat)
            .Stored(&TChartAxis::IsAxisValuesFormatStored),
        PropStr("DateTimeFormat", &TChartAxis::DateTimeFormat, &TChartAxis::SetDateTimeFormat),
        PropBool("ExactDateTime", &TChartAxis::ExactDateTime, &TChartAxis::SetExactDateTime, true),
        PropObj("Grid", &TChartAxis::Grid, &TChartAxis::SetGrid),
        PropBool("GridCentered", &TChartAxis::GridCentered, &TChartAxis::SetGridCentered, false),
        PropFloat("Increment", &TChartAxis::Increment, &TChartAxis::SetIncrement),
        PropBool("Labels", &TChartAxis::Labels, &TChartAxis::SetLabels, true),
        PropEnum("LabelsAlign", &TChartAxis::LabelsAlign, &TChartAxis::SetLabelsAlign, LabelAlignInfo, alDefault),
        PropBool("LabelsAlternate", &TChartAxis::LabelsAlternate, &TChartAxis::SetLabelsAlternate, false),
        PropInt("LabelsAngle", &TChartAxis::LabelsAngle, &TChartAxis::SetLabelsAngle, 0),
        PropBool("LabelsBehind", &TChartAxis::LabelsBehind, &TChartAxis::SetLabelsBehind, false),
        PropBool("LabelsExponent", &TChartAxis::LabelsExponent, &TChartAxis::SetLabelsExponent, false),
        PropObj("LabelsFormat", &TChartAxis::LabelsFormat, &TChartAxis::SetLabelsFormat),
        PropBool("LabelsGridIgnoresLabelSize", &TChartAxis::LabelsGridIgnoresLabelSize,
                 &TChartAxis::SetLabelsGridIgnoresLabelSize, false),
        PropBool("LabelsMultiLine", &TChartAxis::LabelsMultiLine, &TChartAxis::SetLabelsMultiLine, false),
        PropBool("LabelsOnAxis", &TChartAxis::LabelsOnAxis, &TChartAxis::SetLabelsOnAxis, true),
        PropInt("LabelsSeparation", &TChartAxis::LabelsSeparation, &TChartAxis::SetLabelsSeparation, 10),
        PropInt("LabelsSize", &TChartAxis::LabelsSize, &TChartAxis::SetLabelsSize, 0),
        PropEnum("LabelStyle", &TChartAxis::LabelStyle, &TChartAxis::SetLabelStyle, LabelStyleInfo, talAuto),
        PropBool("Inverted", &TChartAxis::Inverted, &TChartAxis::SetInverted, false),
        PropBool("Horizontal", &TChartAxis::Horizontal, &TChartAxis::SetHorizontal).Stored(&TChartAxis::IsCustom),
        PropBool("OtherSide", &TChartAxis::OtherSide, &TChartAxis::SetOtherSide).Stored(&TChartAxis::IsCustom),
        PropBool("Logarithmic", &TChartAxis::Logarithmic, &TChartAxis::SetLogarithmic, false),
        PropFloat("LogarithmicBase", &TChartAxis::LogarithmicBase, &TChartAxis::SetLogarithmicBase)
            .Stored(&TChartAxis::IsLogBaseStored),
        PropFloat("Maximum", &TChartAxis::Maximum, &TChartAxis::SetMaximum).Stored(&TChartAxis::IsMaxStored),
        PropInt("MaximumOffset", &TChartAxis::MaximumOffset, &TChartAxis::SetMaximumOffset, 0),
        PropBool("MaximumRound", &TChartAxis::MaximumRound, &TChartAxis::SetMaximumRound, false),
        PropFloat("Minimum", &TChartAxis::Minimum, &TChartAxis::SetMinimum).Stored(&TChartAxis::IsMinStored),
        PropInt("MinimumOffset", &TChartAxis::MinimumOffset, &TChartAxis::SetMinimumOffset, 0),
        PropBool("MinimumRound", &TChartAxis::MinimumRound, &TChartAxis::SetMinimumRound, false),
        PropObj("MinorGrid", &TChartAxis::MinorGrid, &TChartAxis::SetMinorGrid),
        PropInt("MinorTickCount", &TChartAxis::MinorTickCount, &TChartAxis::SetMinorTickCount, 3),
        PropInt("MinorTickLength", &TChartAxis::MinorTickLength, &TChartAxis::SetMinorTickLength, 2),
        PropObj("MinorTicks", &TChartAxis::MinorTicks, &TChartAxis::SetMinorTicks),
        PropFloat("StartPosition", &TChartAxis::StartPosition, &TChartAxis::SetStartPosition)
            .Stored(&TChartAxis::IsStartStored),
        PropFloat("EndPosition", &TChartAxis::EndPosition, &TChartAxis::SetEndPosition)
            .Stored(&TChartAxis::IsEndStored),
        PropFloat("PositionPercent", &TChartAxis::PositionPercent, &TChartAxis::SetPositionPercent)
            .Stored(&TChartAxis::IsPosStored),
        PropEnum("PositionUnits", &TChartAxis::PositionUnits, &TChartAxis::SetPositionUnits, AxisUnitsInfo, muPercent),
        PropBool("RoundFirstLabel", &TChartAxis::RoundFirstLabel, &TChartAxis::SetRoundFirstLabel, true),
        PropObj("Shape", &TChartAxis::Shape, &TChartAxis::SetShape).Stored(&TChartAxis::IsShapeStored),
        PropObj("SubAxes", &TChartAxis::SubAxes, &TChartAxis::SetSubAxes).Stored(&TChartAxis::IsSubAxesStored),
        PropInt("TickInnerLength", &TChartAxis::TickInnerLength, &TChartAxis::SetTickInnerLength, 0),
        PropInt("TickLength", &TChartAxis::TickLength, &TChartAxis::SetTickLength, 4),
        PropObj("Ticks", &TChartAxis::Ticks, &TChartAxis::SetTicks),
        PropObj("TicksInner", &TChartAxis::TicksInner, &TChartAxis::SetTicksInner),
        PropBool("TickOnLabelsOnly", &TChartAxis::TickOnLabelsOnly, &TChartAxis::SetTickOnLabelsOnly, true),
        PropObj("Title", &TChartAxis::Title, &TChartAxis::SetTitle),
        PropInt("TitleSize", &TChartAxis::TitleSize, &TChartAxis::SetTitleSize, 0),
        PropBool("UsePartnerAxis", &TChartAxis::UsePartnerAxis, &TChartAxis::SetUsePartnerAxis, false),
        PropBool("Visible", &TChartAxis::Visible, &TChartAxis::SetVisible, true),
        PropFloat("ZPosition", &TChartAxis::ZPosition, &TChartAxis::SetZPosition).Stored(&TChartAxis::IsZStored),
    });

[[maybe_unused]] const TClassInfo& DepthAxisClass =
    PublishClass<TChartDepthAxis>("TChartDepthAxis", "TChartAxis",
                                  {
                                      PropBool("LabelsAsSeriesTitles", &TChartDepthAxis::LabelsAsSeriesTitles,
                                               &TChartDepthAxis::SetLabelsAsSeriesTitles, true),
                                      PropBool("Visible", &TChartAxis::Visible, &TChartAxis::SetVisible, false),
                                  });

// The axis' chart: the chart owning the collection, or the chart of the
// master axis owning a SubAxes collection.
TCustomAxisPanel* ChartOfCollection(TCollection* C, TChartAxis*& Master)
{
  Master = nullptr;
  if (!C)
    return nullptr;
  TPersistent* Owner = C->Owner();
  if (auto* A = dynamic_cast<TChartAxis*>(Owner)) {
    Master = A;
    return A->ParentChart();
  }
  return dynamic_cast<TCustomAxisPanel*>(Owner);
}

// Rounds a pixel position that may lie far outside the device, without
// failing: out-of-range and undefined positions are pulled in.
int32_t Pixel(double V) { return PixelRound(V); }

} // namespace

TChartAxis::TChartAxis(TCollection* ACollection) : TCollectionItem(ACollection)
{
  FParentChart = ChartOfCollection(ACollection, FMaster);
  Init();
  // Sub-axes are drawn by their master and stay out of the chart's list.
  if (FParentChart && !FMaster)
    FParentChart->Axes().Add(this);
}

TChartAxis::TChartAxis(TCustomAxisPanel* AChart, bool AHorizontal, bool AOtherSide)
    : TCollectionItem(nullptr), FHorizontal(AHorizontal), FOtherSide(AOtherSide), FParentChart(AChart)
{
  FResizeChart = true;
  Init();
  if (FParentChart)
    FParentChart->Axes().Add(this);
}

void TChartAxis::Init()
{
  const TNotifyEvent Changed = [this](TObject*) { CanvasChanged(); };
  FAxisValuesFormat = ZuzMsg_DefValueFormat;
  FAxisItems = std::make_unique<TAxisItems>(this);
  FLabels = std::make_unique<TAxisLabels>(this);
  // Axis labels are thinned, not shortened, unless asked.
  FLabels->Automatic()->SetTrim(false);
  FTicks = std::make_unique<TTicks>(Changed);
  FTicksInner = std::make_unique<TTicks>(Changed);
  FMinorTicks = std::make_unique<TTicks>(Changed);
  FGrid = std::make_unique<TAxisGridPen>(Changed);
  FMinorGrid = std::make_unique<TZuzHiddenPen>(Changed);
  FAxis = std::make_unique<TChartAxisPen>(Changed);
  SetCalcPosValue();
}

TChartAxis::~TChartAxis()
{
  FShape.reset();
  FSubAxes.reset();
  FAxisTitle.reset();
  FAxisItems.reset();
  if (FParentChart) {
    for (TChartSeries* S : FParentChart->SeriesList())
      S->AxisRemoved(this);
    FParentChart->Axes().Remove(this);
  }
}

String TChartAxis::ClassName() const { return QStringLiteral("TChartAxis"); }

TChartAxis* TChartAxis::Create(TCustomAxisPanel* Chart) { return Chart->CustomAxes()->Add(); }

void TChartAxis::CanvasChanged()
{
  if (FParentChart)
    FParentChart->CanvasChanged(nullptr);
}

bool TChartAxis::ChartLoading() const { return FParentChart && (FParentChart->ComponentState() & csLoading); }

bool TChartAxis::ChartReading() const { return FParentChart && (FParentChart->ComponentState() & csReading); }

void TChartAxis::SetBool(bool& Field, bool Value)
{
  if (FParentChart)
    FParentChart->SetBooleanProperty(Field, Value);
  else
    Field = Value;
}

void TChartAxis::SetInt(int32_t& Field, int32_t Value)
{
  if (FParentChart)
    FParentChart->SetIntegerProperty(Field, Value);
  else
    Field = Value;
}

void TChartAxis::SetDouble(double& Field, double Value)
{
  if (FParentChart)
    FParentChart->SetDoubleProperty(Field, Value);
  else
    Field = Value;
}

void TChartAxis::Assign(TPersistent* Source)
{
  auto* A = dynamic_cast<TChartAxis*>(Source);
  if (!A) {
    TCollectionItem::Assign(Source);
    return;
  }
  FAxis->Assign(A->FAxis.get());
  FAxisItems->CopyFrom(A->FAxisItems.get());
  FLabels->Assign(A->FLabels.get());
  FTicks->Assign(A->FTicks.get());
  FTicksInner->Assign(A->FTicksInner.get());
  FTitleSize = A->FTitleSize;
  FGrid->Assign(A->FGrid.get());
  FMinorTicks->Assign(A->FMinorTicks.get());
  FMinorGrid->Assign(A->FMinorGrid.get());
  FTickLength = A->FTickLength;
  FMinorTickLength = A->FMinorTickLength;
  FMinorTickCount = A->FMinorTickCount;
  FTickInnerLength = A->FTickInnerLength;
  FAxisValuesFormat = A->FAxisValuesFormat;
  FDesiredIncrement = A->FDesiredIncrement;
  FMaximumValue = A->FMaximumValue;
  FMaximumOffset = A->FMaximumOffset;
  FMaximumRound = A->FMaximumRound;
  FMinimumValue = A->FMinimumValue;
  FMinimumOffset = A->FMinimumOffset;
  FMinimumRound = A->FMinimumRound;
  FAutomatic = A->FAutomatic;
  FAutomaticMaximum = A->FAutomaticMaximum;
  FAutomaticMinimum = A->FAutomaticMinimum;
  if (A->FAxisTitle)
    Title()->Assign(A->FAxisTitle.get());
  else
    FAxisTitle.reset();
  FDateTimeFormat = A->FDateTimeFormat;
  FLogarithmic = A->FLogarithmic;
  FLogarithmicBase = A->FLogarithmicBase;
  FInverted = A->FInverted;
  FExactDateTime = A->FExactDateTime;
  FTickOnLabelsOnly = A->FTickOnLabelsOnly;
  IDepthAxis = A->IDepthAxis;
  FStartPosition = A->FStartPosition;
  FEndPosition = A->FEndPosition;
  FPositionPercent = A->FPositionPercent;
  FPosUnits = A->FPosUnits;
  FVisible = A->FVisible;
  FHorizontal = A->FHorizontal;
  FOtherSide = A->FOtherSide;
  if (A->FShape)
    Shape()->Assign(A->FShape.get());
  else
    FShape.reset();
  if (A->FSubAxes && A->FSubAxes->Count() > 0)
    SubAxes()->Assign(A->FSubAxes.get());
  else
    FSubAxes.reset();
}

// ---------------------------------------------------------------------------
// Scale

void TChartAxis::SetMinMax(double AMin, double AMax)
{
  FAutomatic = false;
  FAutomaticMinimum = false;
  FAutomaticMaximum = false;
  if (AMin > AMax)
    std::swap(AMin, AMax);
  InternalSetMinimum(AMin);
  InternalSetMaximum(AMax);
  if (FParentChart)
    FParentChart->CustomAxes()->ResetScales(this);
}

void TChartAxis::InternalSetMinimum(double Value)
{
  if (FMinimumValue != Value) {
    FMinimumValue = Value;
    if (FParentChart)
      FParentChart->ChangedAxisScale(this);
  }
}

void TChartAxis::InternalSetMaximum(double Value)
{
  if (FMaximumValue != Value) {
    FMaximumValue = Value;
    if (FParentChart)
      FParentChart->ChangedAxisScale(this);
  }
}

void TChartAxis::SetMinimum(double Value)
{
  if (!ChartReading() && Value > FMaximumValue)
    throw AxisException(ZuzMsg_AxisMinMax);
  InternalSetMinimum(Value);
}

void TChartAxis::SetMaximum(double Value)
{
  if (!ChartReading() && Value < FMinimumValue)
    throw AxisException(ZuzMsg_AxisMaxMin);
  InternalSetMaximum(Value);
}

void TChartAxis::SetAutomatic(bool Value)
{
  SetBool(FAutomatic, Value);
  if (!ChartLoading()) {
    FAutomaticMinimum = Value;
    FAutomaticMaximum = Value;
  }
}

void TChartAxis::SetAutomaticMinimum(bool Value)
{
  SetBool(FAutomaticMinimum, Value);
  if (!Value)
    FAutomatic = false;
  else if (FAutomaticMaximum)
    FAutomatic = true;
}

void TChartAxis::SetAutomaticMaximum(bool Value)
{
  SetBool(FAutomaticMaximum, Value);
  if (!Value)
    FAutomatic = false;
  else if (FAutomaticMinimum)
    FAutomatic = true;
}

void TChartAxis::SetIncrement(double Value)
{
  if (Value < 0)
    throw AxisException(ZuzMsg_AxisIncrementNeg);
  if (FDesiredIncrement != Value) {
    FDesiredIncrement = Value;
    CanvasChanged();
  }
}

void TChartAxis::SetLogarithmic(bool Value)
{
  if (Value) {
    AdjustMaxMin();
    if (IMinimum < 0 || IMaximum < 0)
      throw AxisException(ZuzMsg_AxisLogNotPositive);
  }
  SetBool(FLogarithmic, Value);
  if (FMaster)
    FMaster->SetLogarithmic(Value);
  SetCalcPosValue();
}

void TChartAxis::SetLogarithmicBase(double Value)
{
  if (Value == 1 || Value <= 0)
    throw AxisException(ZuzMsg_AxisLogBase);
  SetDouble(FLogarithmicBase, Value);
}

void TChartAxis::SetInverted(bool Value)
{
  if (FMaster)
    FMaster->FInverted = Value;
  SetBool(FInverted, Value);
}

void TChartAxis::SetHorizontal(bool Value)
{
  FHorizontal = Value;
  SetCalcPosValue();
}

void TChartAxis::SetOtherSide(bool Value) { SetBool(FOtherSide, Value); }
void TChartAxis::SetMaximumRound(bool Value) { SetBool(FMaximumRound, Value); }
void TChartAxis::SetMinimumRound(bool Value) { SetBool(FMinimumRound, Value); }
void TChartAxis::SetMaximumOffset(int32_t Value) { SetInt(FMaximumOffset, Value); }
void TChartAxis::SetMinimumOffset(int32_t Value) { SetInt(FMinimumOffset, Value); }
void TChartAxis::SetExactDateTime(bool Value) { SetBool(FExactDateTime, Value); }
void TChartAxis::SetStartPosition(double Value) { SetDouble(FStartPosition, Value); }
void TChartAxis::SetEndPosition(double Value) { SetDouble(FEndPosition, Value); }
void TChartAxis::SetPositionPercent(double Value) { SetDouble(FPositionPercent, Value); }
void TChartAxis::SetZPosition(double Value) { SetDouble(FZPosition, Value == 0 ? 0.01 : Value); }
void TChartAxis::SetVisible(bool Value) { SetBool(FVisible, Value); }
void TChartAxis::SetTickLength(int32_t Value) { SetInt(FTickLength, Value); }
void TChartAxis::SetTickInnerLength(int32_t Value) { SetInt(FTickInnerLength, Value); }
void TChartAxis::SetMinorTickLength(int32_t Value) { SetInt(FMinorTickLength, Value); }
void TChartAxis::SetMinorTickCount(int32_t Value) { SetInt(FMinorTickCount, Value); }
void TChartAxis::SetTickOnLabelsOnly(bool Value) { SetBool(FTickOnLabelsOnly, Value); }
void TChartAxis::SetTitleSize(int32_t Value) { SetInt(FTitleSize, Value); }
void TChartAxis::SetUsePartnerAxis(bool Value) { SetBool(FUsePartnerAxis, Value); }

void TChartAxis::SetPositionUnits(TZuzUnits Value)
{
  if (FPosUnits != Value) {
    FPosUnits = Value;
    CanvasChanged();
  }
}

void TChartAxis::SetPartnerAxis(TChartAxis* Value)
{
  if (FPartnerAxis != Value) {
    FPartnerAxis = Value;
    CanvasChanged();
  }
}

void TChartAxis::SetAxisValuesFormat(const String& Value)
{
  if (FParentChart)
    FParentChart->SetStringProperty(FAxisValuesFormat, Value);
  else
    FAxisValuesFormat = Value;
}

bool TChartAxis::IsAxisValuesFormatStored() const { return FAxisValuesFormat != ZuzMsg_DefValueFormat; }

void TChartAxis::SetDateTimeFormat(const String& Value)
{
  if (FParentChart)
    FParentChart->SetStringProperty(FDateTimeFormat, Value);
  else
    FDateTimeFormat = Value;
}

void TChartAxis::SetAxis(TChartAxisPen* Value) { FAxis->Assign(Value); }
void TChartAxis::SetGrid(TAxisGridPen* Value) { FGrid->Assign(Value); }
void TChartAxis::SetMinorGrid(TZuzHiddenPen* Value) { FMinorGrid->Assign(Value); }
void TChartAxis::SetTicks(TTicks* Value) { FTicks->Assign(Value); }
void TChartAxis::SetTicksInner(TTicks* Value) { FTicksInner->Assign(Value); }
void TChartAxis::SetMinorTicks(TTicks* Value) { FMinorTicks->Assign(Value); }
bool TChartAxis::GridCentered() const { return FGrid->Centered(); }
void TChartAxis::SetGridCentered(bool Value) { FGrid->SetCentered(Value); }

bool TChartAxis::IsCustom() const { return FMaster || !FParentChart || FParentChart->Axes().IndexOf(this) > 5; }

bool TChartAxis::IsZStored() const
{
  if (IDepthAxis)
    return false;
  return FOtherSide ? FZPosition != 100 : FZPosition > 0.011;
}

TChartAxis* TChartAxis::GetParentAxis() const
{
  return Collection() ? dynamic_cast<TChartAxis*>(Collection()->Owner()) : nullptr;
}

void TChartAxis::DefineProperties(TFiler* Filer)
{
  TCollectionItem::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      QStringLiteral("Items"), [this](TStream& S) { FAxisItems->ReadItems(S); },
      [this](TStream& S) { FAxisItems->WriteItems(S); }, !FAxisItems->Automatic());
}

void TChartAxis::SetItems(TAxisItems* Value) { FAxisItems->CopyFrom(Value); }

TChartAxisTitle* TChartAxis::Title()
{
  if (!FAxisTitle) {
    FAxisTitle = std::make_unique<TChartAxisTitle>(FParentChart);
    if (!FHorizontal) {
      const bool Left = (FParentChart && this == FParentChart->LeftAxis()) ||
                        !(FOtherSide || (FParentChart && this == FParentChart->RightAxis()));
      FAxisTitle->SetAngle(Left ? 90 : 270);
    }
    FAxisTitle->IDefaultAngle = FAxisTitle->Angle();
  }
  return FAxisTitle.get();
}

void TChartAxis::SetTitle(TChartAxisTitle* Value)
{
  if (Value)
    Title()->Assign(Value);
  else
    FAxisTitle.reset();
}

TAxisBackShape* TChartAxis::Shape()
{
  if (!FShape)
    FShape = std::make_unique<TAxisBackShape>(FParentChart);
  return FShape.get();
}

void TChartAxis::SetShape(TAxisBackShape* Value)
{
  if (Value)
    Shape()->Assign(Value);
  else
    FShape.reset();
}

bool TChartAxis::IsSubAxesStored() const { return FSubAxes && FSubAxes->Count() > 0; }

void TChartAxis::SetSubAxes(TChartCustomAxes* Value)
{
  if (Value)
    SubAxes()->Assign(Value);
  else
    FSubAxes.reset();
}

TChartCustomAxes* TChartAxis::SubAxes()
{
  if (!FSubAxes)
    FSubAxes = std::make_unique<TChartCustomAxes>(this);
  return FSubAxes.get();
}

void TChartAxis::Scroll(double Offset, bool CheckLimits)
{
  if (CheckLimits) {
    if (Offset == 0 || !FParentChart)
      return;
    if (Offset > 0) {
      if (!(FParentChart->InternalMinMax(this, false, FHorizontal) - Offset > FMaximumValue))
        return;
    } else if (!(FParentChart->InternalMinMax(this, true, FHorizontal) - Offset < FMinimumValue))
      return;
  }
  FAutomatic = false;
  FAutomaticMaximum = false;
  FAutomaticMinimum = false;
  FMaximumValue += Offset;
  FMinimumValue += Offset;
  if (FParentChart) {
    FParentChart->Invalidate();
    FParentChart->ChangedAxisScale(this);
  }
}

void TChartAxis::CalcMinMax(double& AMin, double& AMax)
{
  if (!FParentChart)
    return;
  if (FAutomatic || FAutomaticMaximum)
    AMax = FParentChart->InternalMinMax(this, false, FHorizontal);
  if (FAutomatic || FAutomaticMinimum)
    AMin = FParentChart->InternalMinMax(this, true, FHorizontal);
}

void TChartAxis::AdjustMaxMin()
{
  CalcMinMax(FMinimumValue, FMaximumValue);
  IMaximum = FMaximumValue;
  IMinimum = FMinimumValue;
  if (OnCalcMaxLabel) {
    double LabelValue = IMaximum;
    bool Stop = false;
    OnCalcMaxLabel(this, -1, LabelValue, Stop);
    IMaximum -= LabelValue;
  }
  InternalCalcRange();
  CalcRoundScales();
}

void TChartAxis::InternalCalcRange()
{
  IRange = static_cast<long double>(IMaximum) - IMinimum;
  IRangeZero = std::fabs(IRange) <= 1e-16L;
  IAxisSizeRange = IRangeZero ? 0 : static_cast<double>(IAxisSize / IRange);
  if (FLogarithmic) {
    ILogMin = IMinimum <= 0 ? 0 : std::log(IMinimum);
    ILogMax = IMaximum <= 0 ? 0 : std::log(IMaximum);
    IRangeLog = static_cast<long double>(ILogMax) - ILogMin;
    IAxisLogSizeRange = std::fabs(IRangeLog) <= 1e-16L ? 0 : static_cast<double>(IAxisSize / IRangeLog);
  }
  IZPos = CalcZPos();
}

void TChartAxis::CalcRoundScales()
{
  if (IAxisSize == 0 || IRangeZero)
    return;
  double Incr = 0;
  bool Computed = false;
  bool Considered = false;
  // Rounding works on doubles: the quotient of a date-time scale and a
  // small increment easily passes 32 bits. A quotient that overflows
  // leaves the end as it is.
  const auto RoundTo = [](double V, double Step, bool Up) {
    double Q = V / Step;
    if (!std::isfinite(Q))
      return V;
    // An end that is a multiple of the step within the error of the
    // division stays where it is.
    const double Whole = std::round(Q);
    if (std::fabs(Q - Whole) <= std::fabs(Whole) * 1e-14)
      Q = Whole;
    const double R = Step * (Up ? std::ceil(Q) : std::floor(Q));
    return std::isfinite(R) ? R : V;
  };
  if (FMaximumRound && (FAutomatic || FAutomaticMaximum)) {
    Considered = true;
    Incr = CalcIncrement();
    Computed = true;
    if (Incr != 0)
      IMaximum = RoundTo(IMaximum, Incr, true);
  }
  if (FMinimumRound && (FAutomatic || FAutomaticMinimum)) {
    Considered = true;
    if (!Computed || Incr == 0)
      Incr = CalcIncrement();
    if (Incr != 0)
      IMinimum = RoundTo(IMinimum, Incr, false);
  }
  if (Considered)
    InternalCalcRange();
}

bool TChartAxis::IsDateTime()
{
  TChartAxis* Top = this;
  while (Top->FMaster)
    Top = Top->FMaster;
  if (!FParentChart)
    return false;
  for (const TChartSeries* S : FParentChart->SeriesList())
    if (S->Active())
      if (TChartValueList* L = S->ValueListOfAxis(Top))
        return L->DateTime();
  return false;
}

bool TChartAxis::CalcIsDateTime(TDateTimeStep Step) const
{
  return FExactDateTime && IAxisDateTime && Step > dtOneWeek;
}

// ---------------------------------------------------------------------------
// Pixels and mapping

void TChartAxis::InternalCalcPositions()
{
  if (FParentChart) {
    int32_t Base, Size;
    if (IDepthAxis) {
      Base = 0;
      Size = FParentChart->Width3D();
    } else if (FHorizontal) {
      Base = FParentChart->ChartRect.Left;
      Size = FParentChart->ChartWidth();
    } else {
      Base = FParentChart->ChartRect.Top;
      Size = FParentChart->ChartHeight();
    }
    IStartPos = Base + Pixel(Size * 0.01 * FStartPosition);
    IEndPos = Base + Pixel(Size * 0.01 * FEndPosition);
  }
  RecalcSizeCenter();
}

void TChartAxis::RecalcSizeCenter()
{
  IAxisSize = IEndPos - IStartPos;
  ICenterPos = (IStartPos + IEndPos) / 2;
  InternalCalcRange();
}

int32_t TChartAxis::CalcZPos() const
{
  if (!FParentChart)
    return 0;
  const int32_t S = IDepthAxis ? FParentChart->ChartHeight() : FParentChart->Width3D();
  return Pixel(S * FZPosition * 0.01);
}

void TChartAxis::SetCalcPosValue()
{
  FCalcPosPoint = &TChartAxis::InternalCalcPosPoint;
  if (IDepthAxis) {
    FCalcXPosValue = FCalcYPosValue = &TChartAxis::InternalCalcDepthPosValue;
  } else if (FLogarithmic) {
    FCalcXPosValue = &TChartAxis::LogXPosValue;
    FCalcYPosValue = &TChartAxis::LogYPosValue;
  } else if (FParentChart && FParentChart->Axes().FastCalc()) {
    FCalcXPosValue = &TChartAxis::XPosValue;
    FCalcYPosValue = &TChartAxis::YPosValue;
  } else {
    FCalcXPosValue = &TChartAxis::XPosValueCheck;
    FCalcYPosValue = &TChartAxis::YPosValueCheck;
  }
  FCalcPosValue = FHorizontal ? FCalcXPosValue : FCalcYPosValue;
}

void TChartAxis::CalcXPosValues(std::span<const double> Values, int32_t* Pixels) const
{
  CalcPosValues(FCalcXPosValue, Values, Pixels);
}

void TChartAxis::CalcYPosValues(std::span<const double> Values, int32_t* Pixels) const
{
  CalcPosValues(FCalcYPosValue, Values, Pixels);
}

void TChartAxis::CalcPosValues(TAxisCalcPos Routine, std::span<const double> Values, int32_t* Pixels) const
{
  const size_t N = Values.size();
  const bool X = Routine == &TChartAxis::XPosValue || Routine == &TChartAxis::XPosValueCheck;
  const bool Y = Routine == &TChartAxis::YPosValue || Routine == &TChartAxis::YPosValueCheck;
  // The hardware's rounding is the one the routines write out (halves to
  // even) as long as nobody changed the rounding mode.
  if ((!X && !Y) || IRangeZero || std::fegetround() != FE_TONEAREST) {
    for (size_t I = 0; I < N; ++I)
      Pixels[I] = (this->*Routine)(Values[I]);
    return;
  }
  const auto Near = [](double V) {
    if (!(V > -1.0e9 && V < 1.0e9))
      return PixelRound(V);
#if defined(__SSE2__)
    return static_cast<int32_t>(_mm_cvtsd_si32(_mm_set_sd(V)));
#else
    return static_cast<int32_t>(std::lrint(V));
#endif
  };
  // Added after (plain) or before (checked) rounding, as the routines do.
  const bool Up = X != FInverted;
  const double Origin = X ? (FInverted ? IEndPos : IStartPos) : (FInverted ? IStartPos : IEndPos);
  const double Sign = Up ? 1.0 : -1.0;
  const double Min = IMinimum, Factor = IAxisSizeRange;
  if (Routine == &TChartAxis::XPosValue || Routine == &TChartAxis::YPosValue) {
    const int32_t O = static_cast<int32_t>(Origin);
    for (size_t I = 0; I < N; ++I) {
      const int32_t T = Near((Values[I] - Min) * Factor);
      Pixels[I] = Up ? O + T : O - T;
    }
    return;
  }
  const double Limit = ZuzMaxPixelPos;
  if (IUseZuzMaxPixelPos) {
    for (size_t I = 0; I < N; ++I)
      Pixels[I] = Near(std::clamp(Origin + Sign * ((Values[I] - Min) * Factor), -Limit, Limit));
  } else {
    for (size_t I = 0; I < N; ++I)
      Pixels[I] = Near(Origin + Sign * ((Values[I] - Min) * Factor));
  }
}

int32_t TChartAxis::XPosValue(double Value) const
{
  if (IRangeZero)
    return ICenterPos;
  const int32_t T = Pixel((Value - IMinimum) * IAxisSizeRange);
  return FInverted ? IEndPos - T : IStartPos + T;
}

int32_t TChartAxis::YPosValue(double Value) const
{
  if (IRangeZero)
    return ICenterPos;
  const int32_t T = Pixel((Value - IMinimum) * IAxisSizeRange);
  return FInverted ? IStartPos + T : IEndPos - T;
}

int32_t TChartAxis::XPosValueCheck(double Value) const
{
  if (IRangeZero)
    return ICenterPos;
  const double T = (Value - IMinimum) * IAxisSizeRange;
  double P = FInverted ? IEndPos - T : IStartPos + T;
  if (IUseZuzMaxPixelPos)
    P = std::clamp(P, -double(ZuzMaxPixelPos), double(ZuzMaxPixelPos));
  return Pixel(P);
}

int32_t TChartAxis::YPosValueCheck(double Value) const
{
  if (IRangeZero)
    return ICenterPos;
  const double T = (Value - IMinimum) * IAxisSizeRange;
  double P = FInverted ? IStartPos + T : IEndPos - T;
  if (IUseZuzMaxPixelPos)
    P = std::clamp(P, -double(ZuzMaxPixelPos), double(ZuzMaxPixelPos));
  return Pixel(P);
}

int32_t TChartAxis::LogXPosValue(double Value) const
{
  if (std::fabs(IRangeLog) <= 1e-16L)
    return ICenterPos;
  if (Value <= 0)
    return FInverted ? IEndPos : IStartPos;
  const double L = FInverted ? ILogMax - std::log(Value) : std::log(Value) - ILogMin;
  return IStartPos + Pixel(IAxisLogSizeRange * L);
}

int32_t TChartAxis::LogYPosValue(double Value) const
{
  if (std::fabs(IRangeLog) <= 1e-16L)
    return ICenterPos;
  if (Value <= 0)
    return FInverted ? IStartPos : IEndPos;
  const double L = FInverted ? ILogMax - std::log(Value) : std::log(Value) - ILogMin;
  return IEndPos - Pixel(IAxisLogSizeRange * L);
}

int32_t TChartAxis::InternalCalcDepthPosValue(double Value) const
{
  if (IRangeZero)
    return ICenterPos;
  return Pixel(IAxisSizeRange * (FInverted ? IMaximum - Value : Value - IMinimum));
}

double TChartAxis::InternalCalcPosPoint(int32_t P) const
{
  if (FLogarithmic) {
    // The ends map back exactly, without a round trip through exp and ln.
    const double AtStart = (FHorizontal != FInverted) ? IMinimum : IMaximum;
    const double AtEnd = (FHorizontal != FInverted) ? IMaximum : IMinimum;
    if (P == IStartPos)
      return AtStart;
    if (P == IEndPos)
      return AtEnd;
    if (std::fabs(IRangeLog) <= 1e-16L || IAxisSize == 0)
      return IMinimum;
    const double D = static_cast<double>(IRangeLog * (FInverted ? IEndPos - P : P - IStartPos) / IAxisSize);
    return FHorizontal ? std::exp(ILogMin + D) : std::exp(ILogMax - D);
  }
  if (IAxisSize < 1)
    return 0;
  const double D = static_cast<double>((FInverted ? IEndPos - P : P - IStartPos) * IRange / IAxisSize);
  return FHorizontal ? IMinimum + D : IMaximum - D;
}

int32_t TChartAxis::CalcSizeValue(double Finish, double Start) const
{
  if (std::fabs(Finish - Start) <= 0)
    return 0;
  if (FLogarithmic)
    return CalcPosValue(Finish) - CalcPosValue(Start);
  if (IRangeZero)
    return 0;
  return Pixel(std::fabs(Finish - Start) * IAxisSizeRange);
}

void TChartAxis::AdjustMaxMinRect(const TRect& R)
{
  const int32_t First = FHorizontal ? R.Left : R.Top;
  const int32_t Second = FHorizontal ? R.Right : R.Bottom;
  const int32_t OldStart = IStartPos;
  const int32_t OldEnd = IEndPos;
  IStartPos += First;
  IEndPos -= Second;
  IAxisSize = IEndPos - IStartPos;
  double A = CalcPosPoint(OldStart);
  double B = CalcPosPoint(OldEnd);
  if (FParentChart)
    InternalCalcPositions();
  else {
    IStartPos = OldStart;
    IEndPos = OldEnd;
    RecalcSizeCenter();
  }
  if (A > B)
    std::swap(A, B);
  IMinimum = A;
  IMaximum = B;
  InternalCalcRange();
  if (FSubAxes)
    for (int32_t I = 0; I < FSubAxes->Count(); ++I) {
      TChartAxis* Sub = FSubAxes->Get(I);
      Sub->IMinimum = IMinimum;
      Sub->IMaximum = IMaximum;
      Sub->InternalCalcRange();
      Sub->InternalCalcPositions();
    }
}

// ---------------------------------------------------------------------------
// Depth axis

TChartDepthAxis::TChartDepthAxis(TCollection* ACollection) : TChartAxis(ACollection) {}

TChartDepthAxis::TChartDepthAxis(TCustomAxisPanel* AChart, bool AOtherSide) : TChartAxis(AChart, false, AOtherSide)
{
  IDepthAxis = true;
  SetCalcPosValue();
  FVisible = false;
}

String TChartDepthAxis::ClassName() const { return QStringLiteral("TChartDepthAxis"); }

TAxisLabelStyle TChartDepthAxis::InternalCalcLabelStyle()
{
  if (ParentChart())
    for (TChartSeries* S : ParentChart()->SeriesList())
      if (S->Active() && (S->HasZValues || S->MinZValue() != S->MaxZValue()))
        return talValue;
  return talText;
}

void TChartDepthAxis::SetInverted(bool Value)
{
  TChartAxis::SetInverted(Value);
  if (TCustomAxisPanel* C = ParentChart()) {
    TChartAxis* Other = this == C->DepthAxis() ? C->DepthTopAxis() : C->DepthAxis();
    if (Other && Other != this)
      Other->InternalSetInverted(Inverted());
  }
}

void TChartDepthAxis::SetLabelsAsSeriesTitles(bool Value) { SetBool(FLabelsAsTitles, Value); }
