#include "chart/core/ChartSeries.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/LabelsList.h"
#include "chart/core/VisualsList.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/SeriesDetail.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzFunction.h"
#include "chart/core/ZuzSeriesSource.h"
#include "chart/core/ZuzPictureList.h"
#include "chart/core/ZuzSelected.h"
#include "platform/Published.h"
#include "rtl/Numbers.h"

#include <QScopeGuard>

#include <algorithm>

namespace {

const TEnumInfo HorizAxisInfo("THorizAxis", {"aTopAxis", "aBottomAxis", "aBothHorizAxis", "aCustomHorizAxis"});
const TEnumInfo VertAxisInfo("TVertAxis", {"aLeftAxis", "aRightAxis", "aBothVertAxis", "aCustomVertAxis"});
const TEnumInfo TreatNullsInfo("TTreatNullsStyle", {"tnDontPaint", "tnSkip", "tnIgnore"});

[[maybe_unused]] const TClassInfo& SeriesClass = PublishClass<TChartSeries>(
    "TChartSeries", "TCustomChartSeries",
    {
        PropBool("Active", &TChartSeries::Active, &TChartSeries::SetActive, true),
        PropBool("ColorEachPoint", &TChartSeries::ColorEachPoint, &TChartSeries::SetColorEachPoint, false),
        PropStr("ColorSource", &TChartSeries::ColorSource, &TChartSeries::SetColorSource),
        PropInt("Cursor", &TChartSeries::Cursor, &TChartSeries::SetCursor, 0),
        PropObj("DataSource", &TChartSeries::DataSource, &TChartSeries::SetDataSource)
            .Stored(&TChartSeries::IsDataSourceStored),
        PropInt("Depth", &TChartSeries::Depth, &TChartSeries::SetDepth, -1),
        PropEnum("HorizAxis", &TChartSeries::HorizAxis, &TChartSeries::SetHorizAxis, HorizAxisInfo, aBottomAxis),
        PropStr("PercentFormat", &TChartSeries::PercentFormat, &TChartSeries::SetPercentFormat)
            .Stored(&TChartSeries::IsPercentFormatStored),
        PropColor("SeriesColor", &TChartSeries::SeriesColor, &TChartSeries::SetSeriesColor)
            .Stored(&TChartSeries::IsColorStored),
        PropBool("ShowInLegend", &TChartSeries::ShowInLegend, &TChartSeries::SetShowInLegend, true),
        PropStr("Title", &TChartSeries::Title, &TChartSeries::SetTitle),
        PropInt("Transparency", &TChartSeries::Transparency, &TChartSeries::SetTransparency, 0),
        PropEnum("TreatNulls", &TChartSeries::TreatNulls, &TChartSeries::SetTreatNulls, TreatNullsInfo, tnDontPaint),
        PropStr("ValueFormat", &TChartSeries::ValueFormat, &TChartSeries::SetValueFormat)
            .Stored(&TChartSeries::IsValueFormatStored),
        PropEnum("VertAxis", &TChartSeries::VertAxis, &TChartSeries::SetVertAxis, VertAxisInfo, aLeftAxis),
        PropStr("XLabelsSource", &TChartSeries::XLabelsSource, &TChartSeries::SetXLabelsSource),
        PropObj("XValues", &TChartSeries::XValues, &TChartSeries::SetXValues),
        PropObj("YValues", &TChartSeries::YValues, &TChartSeries::SetYValues),
    });

[[noreturn]] void RaiseIndex(int32_t Index)
{
  throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

} // namespace

// While the value lists of a point are out of step (an add, a delete, a
// copy), their "statistics stale" notices are not sent: the operation
// announces itself (veAdd, veDelete) once every list is in step, and a
// linked series that rebuilt itself in between would read half a point.
class TChartSeries::TModifyGuard {
public:
  explicit TModifyGuard(TChartSeries& S) : FSeries(S) { ++FSeries.IHoldModify; }
  ~TModifyGuard() { --FSeries.IHoldModify; }
  TModifyGuard(const TModifyGuard&) = delete;
  TModifyGuard& operator=(const TModifyGuard&) = delete;

private:
  TChartSeries& FSeries;
};

TChartSeries::TChartSeries(TComponent* AOwner) : TCustomChartSeries(AOwner)
{
  FX = new TChartValueList(this, ZuzMsg_ValuesX);
  FX->SetOrder(loAscending);
  FY = new TChartValueList(this, ZuzMsg_ValuesY);
  NotMandatoryValueList = FX;
  MandatoryValueList = FY;
  FLabels = std::make_unique<TLabelsList>(this);
  FValueFormat = ZuzMsg_DefValueFormat;
  FPercentFormat = ZuzMsg_DefPercentFormat;
}

TChartSeries::~TChartSeries()
{
  IDestroying = true;
  if (TZuzFunction* F = FZuzFunction) {
    FZuzFunction = nullptr;
    F->FParent = nullptr;
    delete F;
  }
  FDetail.reset();
  SetParentChart(nullptr);
  RemoveAllLinkedSeries();
  FDataSources.clear();
  for (TChartSeries* L : std::vector<TChartSeries*>(FLinkedSeries))
    L->InternalRemoveSource(this);
  Clear();
  // Before the members go: freeing owned blocks notifies this series.
  FVisuals.reset();
  FLinkedSeries.clear();
  FValuesList.Clear();
  FX = FY = MandatoryValueList = NotMandatoryValueList = nullptr;
}

String TChartSeries::ClassName() const { return QStringLiteral("TChartSeries"); }

void TChartSeries::SetParentChart(TCustomAxisPanel* Value)
{
  if (FParent == Value)
    return;
  if (FParent)
    FParent->RemoveSeries(this);
  FParent = nullptr;
  if (Value)
    Value->InternalAddSeries(this);
  else
    RecalcGetAxis();
}

void TChartSeries::Added()
{
  TCustomChartSeries::Added();
  if (FMarks)
    FMarks->SetParent(FParent);
  if (FColor == clDefault) {
    ChangeInternalColor(FParent->GetFreeSeriesColor(true, this));
    NotifyColorChanged();
  }
  RecalcGetAxis();
  CheckDataSource();
}

void TChartSeries::Removed()
{
  TCustomChartSeries::Removed();
  RecalcGetAxis();
}

// ---------------------------------------------------------------------------
// Adding

int32_t TChartSeries::AddXY(double AXValue, double AYValue, const String& ALabel, TColor AColor)
{
  FX->SetTempValue(AXValue);
  FY->SetTempValue(AYValue);
  if (OnBeforeAdd && !OnBeforeAdd(this))
    return -1;
  int32_t Index;
  {
    const TModifyGuard Guard(*this);
    Index = NotMandatoryValueList->AddChartValue();
    MandatoryValueList->InsertChartValue(Index, MandatoryValueList->TempValue());
    for (int32_t L = 2; L < FValuesList.Count(); ++L) {
      TChartValueList* List = FValuesList[L];
      List->InsertChartValue(Index, List->TempValue());
    }
    InsertColor(Index, AColor);
    if (!ALabel.isEmpty() || FLabels->Count() > 0)
      FLabels->InsertLabel(Index, ALabel);
  }
  if (IUpdating == 0)
    NotifyNewValue(this, Index);
  return Index;
}

void TChartSeries::InsertColor(int32_t Index, TColor AColor)
{
  if (FColors)
    FColors->insert(FColors->begin() + std::min<size_t>(Index, FColors->size()), AColor);
  else if (AColor != clDefault) {
    FColors = std::make_unique<std::vector<TColor>>(Count(), clDefault);
    (*FColors)[Index] = AColor;
  }
}

int32_t TChartSeries::Add(double AValue, const String& ALabel, TColor AColor)
{
  return YMandatory ? AddXY(FX->Count(), AValue, ALabel, AColor) : AddXY(AValue, FY->Count(), ALabel, AColor);
}

int32_t TChartSeries::AddX(double AXValue, const String& ALabel, TColor AColor)
{
  return AddXY(AXValue, Count(), ALabel, AColor);
}

int32_t TChartSeries::AddY(double AYValue, const String& ALabel, TColor AColor)
{
  return AddXY(Count(), AYValue, ALabel, AColor);
}

int32_t TChartSeries::AddNull(double AValue) { return Add(AValue, String(), clNone); }

int32_t TChartSeries::AddNull(const String& ALabel) { return Add(FDefaultNull, ALabel, clNone); }

int32_t TChartSeries::AddNullXY(double X, double Y, const String& ALabel) { return AddXY(X, Y, ALabel, clNone); }

int32_t TChartSeries::AddArray(const std::vector<double>& Values)
{
  BeginUpdate();
  const auto End = qScopeGuard([this] { EndUpdate(); });
  for (const double V : Values)
    Add(V);
  return static_cast<int32_t>(Values.size());
}

int32_t TChartSeries::AddArray(const std::vector<double>& XValues, const std::vector<double>& YValues)
{
  const size_t N = std::min(XValues.size(), YValues.size());
  BeginUpdate();
  const auto End = qScopeGuard([this] { EndUpdate(); });
  for (size_t I = 0; I < N; ++I)
    AddXY(XValues[I], YValues[I]);
  return static_cast<int32_t>(N);
}

void TChartSeries::AddValues(TChartSeries* Source)
{
  BeginUpdate();
  const auto End = qScopeGuard([this] { EndUpdate(); });
  Clear();
  if (FZuzFunction) {
    if (Source) {
      FX->SetDateTime(Source->FX->DateTime());
      FY->SetDateTime(Source->FY->DateTime());
      FZuzFunction->AddPoints(Source);
    }
    return;
  }
  if (Source && IsValidSourceOf(Source))
    for (int32_t I = 0; I < Source->Count(); ++I)
      AddedValue(Source, I);
}

void TChartSeries::AddedValue(TChartSeries* Source, int32_t SourceIndex)
{
  // A computed point may depend on every source point: compute anew.
  if (FZuzFunction) {
    CheckDataSource();
    return;
  }
  int32_t Index;
  {
    const TModifyGuard Guard(*this);
    Index = AddChartValue(Source, SourceIndex);
    // The colour and label lists stay in step with the points even when
    // the source has no entry for this one.
    const TColor C = Source->InternalColor(SourceIndex);
    if (FColors || C != clDefault) {
      if (!FColors)
        FColors = std::make_unique<std::vector<TColor>>(Count() - 1, clDefault);
      FColors->insert(FColors->begin() + std::min<size_t>(Index, FColors->size()), C);
    }
    const String Label = Source->XLabel(SourceIndex);
    if (!Label.isEmpty() || FLabels->Count() > 0)
      FLabels->InsertLabel(Index, Label);
  }
  if (IUpdating == 0)
    NotifyNewValue(this, Index);
}

int32_t TChartSeries::AddChartValue(TChartSeries* Source, int32_t SourceIndex)
{
  const TModifyGuard Guard(*this);
  double X = Source->XValue(SourceIndex);
  double Y = Source->YValue(SourceIndex);
  if (Source->YMandatory != YMandatory)
    std::swap(X, Y);
  const int32_t Index = FX->AddChartValue(X);
  FY->InsertChartValue(Index, Y);
  for (int32_t L = 2; L < FValuesList.Count(); ++L) {
    const double V = L < Source->FValuesList.Count() ? Source->FValuesList[L]->GetValue(SourceIndex) : 0;
    FValuesList[L]->InsertChartValue(Index, V);
  }
  return Index;
}

// ---------------------------------------------------------------------------
// Access

void TChartSeries::SetXValues(TChartValueList* Value)
{
  FX->Assign(Value);
  Repaint();
}

void TChartSeries::SetYValues(TChartValueList* Value)
{
  FY->Assign(Value);
  Repaint();
}

void TChartSeries::SetXValue(int32_t Index, double Value)
{
  FX->GetValue(Index); // checks the index
  FX->Value[Index] = Value;
  FX->SetModified(true);
  Repaint();
}

void TChartSeries::SetYValue(int32_t Index, double Value)
{
  FY->GetValue(Index);
  FY->Value[Index] = Value;
  FY->SetModified(true);
  Repaint();
}

String TChartSeries::XLabel(int32_t Index) const { return FLabels->GetLabel(Index); }

void TChartSeries::SetXLabel(int32_t Index, const String& Value) { FLabels->SetLabel(Index, Value); }

TChartValueList* TChartSeries::GetYValueList(const String& AListName) const
{
  for (int32_t L = 2; L < FValuesList.Count(); ++L)
    if (FValuesList[L]->Name().compare(AListName, Qt::CaseInsensitive) == 0)
      return FValuesList[L];
  return MandatoryValueList;
}

void TChartSeries::ReplaceList(TChartValueList* OldList, TChartValueList* NewList)
{
  FValuesList.Extract(NewList);
  const int32_t Index = FValuesList.IndexOf(OldList);
  if (Index < 0)
    return;
  NewList->SetName(OldList->Name());
  FValuesList.Extract(OldList);
  FValuesList.Insert(Index, NewList);
  for (TChartValueList** P : {&FX, &FY, &MandatoryValueList, &NotMandatoryValueList})
    if (*P == OldList)
      *P = NewList;
  delete OldList;
}

double TChartSeries::GetMarkValue(int32_t ValueIndex) const { return MandatoryValueList->GetValue(ValueIndex); }

double TChartSeries::MaxXValue() const { return FX->MaxValue(); }
double TChartSeries::MinXValue() const { return FX->MinValue(); }
double TChartSeries::MaxYValue() const { return FY->MaxValue(); }
double TChartSeries::MinYValue() const { return FY->MinValue(); }
double TChartSeries::MaxZValue() const { return FZOrder == -1 ? IZOrder : FZOrder; }
double TChartSeries::MinZValue() const { return FZOrder == -1 ? IZOrder : FZOrder; }

void TChartSeries::SetHorizontal()
{
  MandatoryValueList = FX;
  NotMandatoryValueList = FY;
  YMandatory = false;
}

TChartAxis* TChartSeries::MandatoryAxis() const { return YMandatory ? FGetVertAxis : FGetHorizAxis; }

// ---------------------------------------------------------------------------
// Colours

TColor TChartSeries::SeriesColor() const { return FColor == clDefault ? ISeriesColor : FColor; }

void TChartSeries::SetSeriesColor(TColor AColor)
{
  if (FColor == clDefault && AColor == ISeriesColor)
    return;
  SetColorProperty(FColor, AColor);
  ISeriesColor = AColor;
  NotifyColorChanged();
}

void TChartSeries::NotifyColorChanged()
{
  if (FParent)
    FParent->BroadcastSeriesEvent(this, seChangeColor);
}

void TChartSeries::ChangeInternalColor(TColor AColor)
{
  ISeriesColor = AColor;
  SetSeriesColor(AColor);
}

void TChartSeries::SetDefaultColor()
{
  if (FColor == clDefault)
    return;
  FColor = clDefault;
  ISeriesColor = clDefault;
  if (FParent)
    FParent->ColorPaletteChanged();
  Repaint();
}

TColor TChartSeries::InternalColor(int32_t ValueIndex) const
{
  if (FColors && ValueIndex >= 0 && ValueIndex < static_cast<int32_t>(FColors->size()))
    return (*FColors)[ValueIndex];
  return clDefault;
}

TColor TChartSeries::GetValueColor(int32_t ValueIndex) const
{
  const TColor C = InternalColor(ValueIndex);
  if (C != clDefault)
    return C;
  if (FColorEachPoint) {
    if (FParent)
      return FParent->GetDefaultColor(ValueIndex);
    if (!ZuzColorPalette.empty())
      return GetDefaultColor(ValueIndex);
  }
  return SeriesColor();
}

void TChartSeries::SetValueColor(int32_t ValueIndex, TColor AColor)
{
  if (ValueIndex < 0)
    RaiseIndex(ValueIndex);
  if (!FColors && AColor == clDefault)
    return;
  while (ValueIndex >= Count())
    AddNull(String());
  if (!FColors)
    FColors = std::make_unique<std::vector<TColor>>(Count(), clDefault);
  (*FColors)[ValueIndex] = AColor;
  NotifyColorChange(ValueIndex);
}

void TChartSeries::SetColorEachPoint(bool Value)
{
  if (FColorEachPoint != Value) {
    FColorEachPoint = Value;
    NotifyColorChange(-1);
  }
}

void TChartSeries::ColorRange(TChartValueList* ValueList, double FromValue, double ToValue, TColor AColor)
{
  for (int32_t I = 0; I < Count(); ++I) {
    const double V = ValueList->GetValue(I);
    if (V >= FromValue && V <= ToValue && !IsNull(I)) {
      if (!FColors)
        FColors = std::make_unique<std::vector<TColor>>(Count(), clDefault);
      (*FColors)[I] = AColor;
    }
  }
  Repaint();
}

bool TChartSeries::IsNull(int32_t ValueIndex) const { return GetValueColor(ValueIndex) == clNone; }

void TChartSeries::SetNull(int32_t ValueIndex, bool Null) { SetValueColor(ValueIndex, Null ? clNone : clDefault); }

void TChartSeries::NotifyColorChange(int32_t) { Repaint(); }

// ---------------------------------------------------------------------------
// Deleting and clearing

void TChartSeries::Delete(int32_t ValueIndex)
{
  if (ValueIndex < 0 || ValueIndex >= Count())
    throw ChartException(Format(ZuzMsg_SeriesDelete, {ValueIndex, Count() - 1}));
  {
    const TModifyGuard Guard(*this);
    for (int32_t L = 0; L < FValuesList.Count(); ++L)
      FValuesList[L]->Delete(ValueIndex);
    if (FColors && ValueIndex < static_cast<int32_t>(FColors->size()))
      FColors->erase(FColors->begin() + ValueIndex);
    FLabels->DeleteLabel(ValueIndex);
    if (FVisuals)
      FVisuals->DeleteVisual(ValueIndex);
    if (FMarks)
      FMarks->Delete(ValueIndex);
  }
  NotifyValue(veDelete, ValueIndex);
  if (FActive)
    Repaint();
}

void TChartSeries::Delete(int32_t Start, int32_t Quantity, bool RemoveGap)
{
  if (Quantity <= 0)
    throw EAssertionFailed(QStringLiteral("Quantity of data points to delete must be greater than zero."));
  if (Start < 0)
    RaiseIndex(Start);
  if (static_cast<int64_t>(Start) + Quantity - 1 >= Count())
    throw EAssertionFailed(QStringLiteral("Quantity of data to delete must be less than Count."));
  {
    const TModifyGuard Guard(*this);
    for (int32_t L = 0; L < FValuesList.Count(); ++L)
      FValuesList[L]->Delete(Start, Quantity);
    if (FColors) {
      const size_t End = std::min<size_t>(FColors->size(), static_cast<size_t>(Start) + Quantity);
      if (static_cast<size_t>(Start) < End)
        FColors->erase(FColors->begin() + Start, FColors->begin() + End);
      if (FColors->empty())
        FColors.reset();
    }
    for (int32_t I = 0; I < Quantity; ++I) {
      FLabels->DeleteLabel(Start);
      if (FVisuals)
        FVisuals->DeleteVisual(Start);
    }
    if (FMarks)
      FMarks->Positions().DeleteMany(Start, Quantity);
  }
  NotifyValue(veDelete, -1);
  if (FActive)
    Repaint();
  if (RemoveGap)
    NotMandatoryValueList->FillSequence();
}

void TChartSeries::DeletedValue(TChartSeries* Source, int32_t ValueIndex)
{
  // A run deleted at once (-1) cannot be followed point by point, nor can
  // computed points.
  if (FZuzFunction)
    CheckDataSource();
  else if (ValueIndex < 0)
    AddValues(Source);
  else
    Delete(ValueIndex);
}

void TChartSeries::ClearLists()
{
  if (FMarks)
    FMarks->Clear();
  for (int32_t L = 0; L < FValuesList.Count(); ++L)
    FValuesList[L]->ClearValues();
  FColors.reset();
  FLabels->Clear();
  if (FVisuals)
    FVisuals->Clear();
}

void TChartSeries::Clear()
{
  FFirstVisibleIndex = -1;
  FLastVisibleIndex = -1;
  ClearLists();
  if (OnClearValues)
    OnClearValues(this);
  NotifyValue(veClear, 0);
  if (FActive && FParent && !(FParent->ComponentState() & csDestroying))
    Repaint();
}

void TChartSeries::SwapValueIndex(int32_t A, int32_t B)
{
  // Every dimension moves together; the set of values (and so the
  // statistics) stays the same.
  for (int32_t L = 0; L < FValuesList.Count(); ++L) {
    TChartValues& V = FValuesList[L]->Value;
    std::swap(V[A], V[B]);
  }
  if (FColors) {
    const int32_t N = static_cast<int32_t>(FColors->size());
    if (A < N && B < N)
      std::swap((*FColors)[A], (*FColors)[B]);
  }
  if (FLabels->Count() > 0)
    FLabels->Exchange(A, B);
  if (FVisuals && FVisuals->Count() > 0)
    FVisuals->Exchange(A, B);
}

TVisualsList* TChartSeries::Visuals()
{
  if (!FVisuals)
    FVisuals = std::make_unique<TVisualsList>(this);
  return FVisuals.get();
}

TVisualBlock* TChartSeries::PointVisual(int32_t ValueIndex)
{
  return FVisuals ? FVisuals->GetVisual(ValueIndex) : nullptr;
}

// ---------------------------------------------------------------------------
// Updates and notification

void TChartSeries::BeginUpdate() { ++IUpdating; }

void TChartSeries::EndUpdate()
{
  if (IUpdating <= 0)
    return;
  if (--IUpdating == 0)
    RefreshSeries();
}

void TChartSeries::RefreshSeries()
{
  NotifyValue(veRefresh, 0);
  if (FParent)
    FParent->BroadcastSeriesEvent(this, seDataChanged);
  // The points added inside the update have not repainted the chart yet.
  if (FActive)
    Repaint();
}

void TChartSeries::NotifyNewValue(TChartSeries* Sender, int32_t ValueIndex)
{
  if (OnAfterAdd)
    OnAfterAdd(Sender, ValueIndex);
  NotifyValue(veAdd, ValueIndex);
  if (FActive)
    Repaint();
}

void TChartSeries::NotifyValue(TValueEvent ValueEvent, int32_t ValueIndex)
{
  if (IUpdating > 0)
    return;
  // Re-read the list each step: a linked series may go away meanwhile.
  for (size_t I = 0; I < FLinkedSeries.size(); ++I) {
    TChartSeries* L = FLinkedSeries[I];
    const TSeriesRecalcOptions O = L->FRecalcOptions;
    switch (ValueEvent) {
    case veClear:
      if (O & rOnClear)
        L->Clear();
      break;
    case veAdd:
      if (O & rOnInsert)
        L->AddedValue(this, ValueIndex);
      break;
    case veDelete:
      if (O & rOnDelete)
        L->DeletedValue(this, ValueIndex);
      break;
    case veModify:
      if (O & rOnModify)
        L->AddValues(this);
      break;
    case veRefresh:
      L->AddValues(this);
      break;
    }
  }
}

void TChartSeries::ValueListModified()
{
  if (IHoldModify == 0)
    NotifyValue(veModify, -1);
}

// ---------------------------------------------------------------------------
// Axes

void TChartSeries::SetHorizAxis(THorizAxis Value)
{
  if (FHorizAxis == Value)
    return;
  FHorizAxis = Value;
  if (Value != aCustomHorizAxis && !(ComponentState() & csReading))
    FCustomHorizAxis = nullptr;
  RecalcGetAxis();
  Repaint();
}

void TChartSeries::SetVertAxis(TVertAxis Value)
{
  if (FVertAxis == Value)
    return;
  FVertAxis = Value;
  if (Value != aCustomVertAxis && !(ComponentState() & csReading))
    FCustomVertAxis = nullptr;
  RecalcGetAxis();
  Repaint();
}

void TChartSeries::SetCustomHorizAxis(TChartAxis* Axis)
{
  FCustomHorizAxis = Axis;
  FHorizAxis = Axis ? aCustomHorizAxis : aBottomAxis;
  RecalcGetAxis();
  Repaint();
}

void TChartSeries::SetCustomVertAxis(TChartAxis* Axis)
{
  FCustomVertAxis = Axis;
  FVertAxis = Axis ? aCustomVertAxis : aLeftAxis;
  RecalcGetAxis();
  Repaint();
}

void TChartSeries::RecalcGetAxis()
{
  if (!FParent) {
    FGetHorizAxis = FGetVertAxis = nullptr;
    return;
  }
  FGetHorizAxis = FParent->BottomAxis();
  if (FHorizAxis == aTopAxis)
    FGetHorizAxis = FParent->TopAxis();
  else if (FHorizAxis == aCustomHorizAxis && FCustomHorizAxis)
    FGetHorizAxis = FCustomHorizAxis;
  FGetVertAxis = FParent->LeftAxis();
  if (FVertAxis == aRightAxis)
    FGetVertAxis = FParent->RightAxis();
  else if (FVertAxis == aCustomVertAxis && FCustomVertAxis)
    FGetVertAxis = FCustomVertAxis;
}

bool TChartSeries::AssociatedToAxis(const TChartAxis* Axis) const
{
  if (!UseAxis() || !Axis)
    return false;
  if (Axis->IsDepthAxis())
    return true;
  if (Axis->Horizontal())
    return FHorizAxis == aBothHorizAxis || Axis == FGetHorizAxis;
  return FVertAxis == aBothVertAxis || Axis == FGetVertAxis;
}

TChartValueList* TChartSeries::ValueListOfAxis(const TChartAxis* Axis) const
{
  if (!AssociatedToAxis(Axis))
    return nullptr;
  return Axis->Horizontal() ? FX : FY;
}

void TChartSeries::AxisRemoved(const TChartAxis* Axis)
{
  if (FCustomHorizAxis == Axis) {
    FCustomHorizAxis = nullptr;
    FHorizAxis = aBottomAxis;
  }
  if (FCustomVertAxis == Axis) {
    FCustomVertAxis = nullptr;
    FVertAxis = aLeftAxis;
  }
  RecalcGetAxis();
  if (FGetHorizAxis == Axis)
    FGetHorizAxis = nullptr;
  if (FGetVertAxis == Axis)
    FGetVertAxis = nullptr;
}

// ---------------------------------------------------------------------------
// Data sources

bool TChartSeries::FeedsFrom(const TChartSeries* Source) const
{
  std::vector<const TChartSeries*> Pending{Source};
  std::vector<const TChartSeries*> Seen;
  while (!Pending.empty()) {
    const TChartSeries* S = Pending.back();
    Pending.pop_back();
    if (S == this)
      return true;
    if (std::find(Seen.begin(), Seen.end(), S) != Seen.end())
      continue;
    Seen.push_back(S);
    for (TComponent* C : S->FDataSources)
      if (auto* Next = dynamic_cast<const TChartSeries*>(C))
        Pending.push_back(Next);
  }
  return false;
}

void TChartSeries::SetDataSource(TComponent* Value)
{
  if (!Value) {
    if (TComponent* First = DataSource())
      RemoveDataSource(First);
    return;
  }
  if (auto* External = dynamic_cast<TZuzSeriesSource*>(Value)) {
    if (std::find(FDataSources.begin(), FDataSources.end(), Value) != FDataSources.end())
      return;
    if (!(ComponentState() & csLoading)) {
      RemoveAllLinkedSeries();
      FDataSources.clear();
    }
    InternalAddDataSource(Value);
    if (External->Series() != this)
      External->SetSeries(this);
    CheckDataSource();
    return;
  }
  auto* Source = dynamic_cast<TChartSeries*>(Value);
  if (!Source || !IsValidSourceOf(Source))
    throw ChartException(
        Format(ZuzMsg_SeriesInvDataSource, {Value->Name().isEmpty() ? Value->ClassName() : Value->Name()}));
  if (std::find(FDataSources.begin(), FDataSources.end(), Value) != FDataSources.end())
    return;
  if (FeedsFrom(Source))
    throw ChartException(ZuzMsg_CircularSeries);
  if (!(ComponentState() & csLoading)) {
    RemoveAllLinkedSeries();
    FDataSources.clear();
  }
  InternalAddDataSource(Value);
  CheckDataSource();
}

int32_t TChartSeries::InternalAddDataSource(TComponent* Value)
{
  if (!Value)
    return -1;
  FDataSources.push_back(Value);
  ManualData = false;
  if (auto* S = dynamic_cast<TChartSeries*>(Value))
    S->AddLinkedSeries(this);
  else
    Value->FreeNotification(this);
  return static_cast<int32_t>(FDataSources.size()) - 1;
}

void TChartSeries::InternalRemoveSource(TComponent* Value)
{
  const auto It = std::find(FDataSources.begin(), FDataSources.end(), Value);
  if (It != FDataSources.end())
    FDataSources.erase(It);
}

void TChartSeries::RemoveDataSource(TComponent* Value)
{
  InternalRemoveSource(Value);
  if (auto* S = dynamic_cast<TChartSeries*>(Value))
    S->RemoveLinkedSeries(this);
}

void TChartSeries::RemoveAllLinkedSeries()
{
  for (TComponent* C : FDataSources)
    if (auto* S = dynamic_cast<TChartSeries*>(C))
      S->RemoveLinkedSeries(this);
}

void TChartSeries::AddLinkedSeries(TChartSeries* Value)
{
  if (std::find(FLinkedSeries.begin(), FLinkedSeries.end(), Value) == FLinkedSeries.end())
    FLinkedSeries.push_back(Value);
}

void TChartSeries::RemoveLinkedSeries(TChartSeries* Value)
{
  const auto It = std::find(FLinkedSeries.begin(), FLinkedSeries.end(), Value);
  if (It != FLinkedSeries.end())
    FLinkedSeries.erase(It);
}

void TChartSeries::CheckDataSource()
{
  if (IUpdating == 0 && FParent)
    FParent->CheckDatasource(this);
}

// ---------------------------------------------------------------------------
// Formats and settings

void TChartSeries::CreateSubGallery(const TSubGalleryProc& AddSubChart) { AddSubChart(ZuzMsg_Normal); }

void TChartSeries::SetSubGallery(TChartSeries*, int32_t) {}

void TChartSeries::AssignFormatting(TChartSeries* Source)
{
  if (!Source || Source == this)
    return;
  SetShowInLegend(Source->ShowInLegend());
  SetBrush(Source->Brush());
  SetPen(Source->Pen());
  FColor = Source->FColor;
  ISeriesColor = Source->ISeriesColor;
  if (FColor == clDefault && FParent)
    ISeriesColor = FParent->GetFreeSeriesColor(true, this);
  FValueFormat = Source->FValueFormat;
  FPercentFormat = Source->FPercentFormat;
  // A custom axis of another chart (a theme's) is no axis of this one: the
  // standard axis takes its place rather than a binding that outlives it.
  const auto Own = [this](TChartAxis* A) { return A && FParent && A->ParentChart() == FParent ? A : nullptr; };
  FHorizAxis = Source->FHorizAxis;
  FCustomHorizAxis = Own(Source->FCustomHorizAxis);
  if (FHorizAxis == aCustomHorizAxis && !FCustomHorizAxis)
    FHorizAxis = aBottomAxis;
  FVertAxis = Source->FVertAxis;
  FCustomVertAxis = Own(Source->FCustomVertAxis);
  if (FVertAxis == aCustomVertAxis && !FCustomVertAxis)
    FVertAxis = aLeftAxis;
  FCursor = Source->FCursor;
  FDepth = Source->FDepth;
  FTransparency = Source->FTransparency;
  FTreatNulls = Source->FTreatNulls;
  RecalcGetAxis();
  Repaint();
}

void TChartSeries::SetValueFormat(const String& Value) { SetStringProperty(FValueFormat, Value); }
bool TChartSeries::IsValueFormatStored() const { return FValueFormat != ZuzMsg_DefValueFormat; }
void TChartSeries::SetPercentFormat(const String& Value) { SetStringProperty(FPercentFormat, Value); }
bool TChartSeries::IsPercentFormatStored() const { return FPercentFormat != ZuzMsg_DefPercentFormat; }

void TChartSeries::SetTreatNulls(TTreatNullsStyle Value)
{
  if (FTreatNulls != Value) {
    FTreatNulls = Value;
    Repaint();
  }
}

void TChartSeries::SetDepth(int32_t Value) { SetIntegerProperty(FDepth, Value); }
void TChartSeries::SetZOrder(int32_t Value)
{
  SetIntegerProperty(FZOrder, Value);
  IZOrder = Value == -1 ? 0 : Value;
}

void TChartSeries::SetTransparency(uint8_t Value)
{
  if (FTransparency != Value) {
    FTransparency = Value;
    Repaint();
  }
}

void TChartSeries::SetColorSource(const String& Value)
{
  if (FColorSource != Value) {
    FColorSource = Value;
    CheckDataSource();
  }
}

void TChartSeries::SetXLabelsSource(const String& Value)
{
  if (FLabelsSource != Value) {
    FLabelsSource = Value;
    CheckDataSource();
  }
}
