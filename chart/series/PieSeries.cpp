// The pie series: its parts (slice lists, bevel, other slice, mark
// options), settings, the data preparation before each paint and the
// slice angles.
#include "chart/series/PieSeries.h"

#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesList.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/TextShape.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzSeriesTypes.h"
#include "platform/Published.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace {
const TEnumInfo OtherStyleInfo("TPieOtherStyle", {"poNone", "poBelowPercent", "poBelowValue"});
const TEnumInfo RotateStyleInfo("TRotateStyle", {"rsRadial", "rsTangencial"});
const TEnumInfo MultiPieInfo("TMultiPie", {"mpAutomatic", "mpDisabled", "mpConcentric"});
const TEnumInfo EdgeStyleInfo("TEdgeStyle", {"edFlat", "edCurved", "edNone"});

[[maybe_unused]] const TClassInfo& BevelClass =
    PublishClass<TPieBevel>("TPieBevel", "TPersistent",
                            {
                                PropInt("Bright", &TPieBevel::Bright, &TPieBevel::SetBright, 32),
                                PropInt("Percent", &TPieBevel::Percent, &TPieBevel::SetPercent, 0),
                                PropBool("UseBorder", &TPieBevel::UseBorder, &TPieBevel::SetUseBorder, true),
                            });

using O = TPieOtherSlice;
[[maybe_unused]] const TClassInfo& OtherSliceClass =
    PublishClass<O>("TPieOtherSlice", "TPersistent",
                    {
                        PropColor("Color", &O::Color, &O::SetColor, clDefault),
                        PropObj("Legend", &O::Legend, &O::SetLegend),
                        PropEnum("Style", &O::Style, &O::SetStyle, OtherStyleInfo, poNone),
                        PropStr("Text", &O::Text, &O::SetText).Stored(&O::IsTextStored),
                        PropFloat("Value", &O::Value, &O::SetValue),
                    });

using M = TPieMarks;
[[maybe_unused]] const TClassInfo& PieMarksClass =
    PublishClass<M>("TPieMarks", "TPersistent",
                    {
                        PropBool("EmptySlice", &M::EmptySlice, &M::SetEmptySlice, false),
                        PropBool("InsideSlice", &M::InsideSlice, &M::SetInsideSlice, false),
                        PropInt("LegSize", &M::LegSize, &M::SetLegSize, 0),
                        PropBool("Rotated", &M::Rotated, &M::SetRotated, false),
                        PropEnum("RotateStyle", &M::RotateStyle, &M::SetRotateStyle, RotateStyleInfo, rsRadial),
                        PropBool("VertCenter", &M::VertCenter, &M::SetVertCenter, false),
                    });

using P = TPieSeries;
[[maybe_unused]] const TClassInfo& PieClass =
    PublishClass<P>("TPieSeries", "TCircledSeries",
                    {
                        PropInt("AngleSize", &P::AngleSize, &P::SetAngleSize, 360),
                        PropObj("Bevel", &P::Bevel, &P::SetBevel),
                        PropColor("CircleBackColor", &P::CircleBackColor, &P::SetCircleBackColor, clDefault),
                        PropBool("ColorEachPoint", &P::ColorEachPoint, &P::SetColorEachPoint, true),
                        PropBool("Dark3D", &P::Dark3D, &P::SetDark3D, true),
                        PropInt("DarkPen", &P::DarkPen, &P::SetDarkPen, 0),
                        PropEnum("EdgeStyle", &P::EdgeStyle, &P::SetEdgeStyle, EdgeStyleInfo, edNone),
                        PropInt("ExplodeBiggest", &P::ExplodeBiggest, &P::SetExplodeBiggest, 0),
                        PropObj("Gradient", &P::CircleGradient, &P::SetCircleGradient),
                        PropInt("GradientBright", &P::GradientBright, &P::SetGradientBright, 0),
                        PropEnum("MultiPie", &P::MultiPie, &P::SetMultiPie, MultiPieInfo, mpAutomatic),
                        PropObj("OtherSlice", &P::OtherSlice, &P::SetOtherSlice),
                        PropObj("PieMarks", &P::PieMarks, &P::SetPieMarks),
                        PropObj("PiePen", &P::PiePen, &P::SetPiePen),
                        PropInt("RotationAngle", &P::RotationAngle, &P::SetRotationAngle, 0),
                        PropBool("UsePatterns", &P::UsePatterns, &P::SetUsePatterns, false),
                    });
} // namespace

// ---------------------------------------------------------------------------
// Parts

int32_t TSliceValueList::Get(int32_t Index) const { return Index >= 0 && Index < Count() ? FItems[Index] : 0; }

void TSliceValueList::Put(int32_t Index, int32_t Value)
{
  if (Index < 0)
    return;
  if (Index >= Count())
    FItems.resize(Index + 1, 0);
  if (FItems[Index] != Value) {
    FItems[Index] = Value;
    if (OwnerSeries)
      OwnerSeries->Repaint();
  }
}

void TSliceValueList::Delete(int32_t Index)
{
  if (Index >= 0 && Index < Count())
    FItems.erase(FItems.begin() + Index);
}

void TSliceValueList::Exchange(int32_t A, int32_t B)
{
  if (FItems.empty())
    return;
  const int32_t N = std::max({OwnerSeries ? OwnerSeries->Count() : 0, A + 1, B + 1});
  if (Count() < N)
    FItems.resize(N, 0);
  std::swap(FItems[A], FItems[B]);
}

String TPieBevel::ClassName() const { return QStringLiteral("TPieBevel"); }

void TPieBevel::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TPieBevel*>(Source)) {
    FBright = S->FBright;
    FPercent = S->FPercent;
    FUseBorder = S->FUseBorder;
  } else
    TPersistent::Assign(Source);
}

void TPieBevel::SetBright(int32_t Value) { ISeries->SetIntegerProperty(FBright, Value); }
void TPieBevel::SetPercent(int32_t Value) { ISeries->SetIntegerProperty(FPercent, Value); }
void TPieBevel::SetUseBorder(bool Value) { ISeries->SetBooleanProperty(FUseBorder, Value); }

TPieOtherSlice::TPieOtherSlice(TPieSeries* AOwner) : FOwner(AOwner) {}
TPieOtherSlice::~TPieOtherSlice() = default;

String TPieOtherSlice::ClassName() const { return QStringLiteral("TPieOtherSlice"); }

void TPieOtherSlice::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TPieOtherSlice*>(Source)) {
    FColor = S->FColor;
    if (S->FLegend)
      Legend()->Assign(S->FLegend.get());
    else
      FLegend.reset();
    FStyle = S->FStyle;
    FText = S->FText;
    FValue = S->FValue;
  } else
    TPersistent::Assign(Source);
}

void TPieOtherSlice::SetColor(TColor Value) { FOwner->SetColorProperty(FColor, Value); }
void TPieOtherSlice::SetValue(double Value) { FOwner->SetDoubleProperty(FValue, Value); }

void TPieOtherSlice::SetStyle(TPieOtherStyle Value)
{
  if (FStyle != Value) {
    FStyle = Value;
    FOwner->Repaint();
  }
}

String TPieOtherSlice::Text() const { return FText.isEmpty() ? ZuzMsg_PieOther : FText; }

void TPieOtherSlice::SetText(const String& Value)
{
  if (FText != Value) {
    FText = Value;
    FOwner->Repaint();
  }
}

TChartLegend* TPieOtherSlice::Legend()
{
  if (!FLegend) {
    FLegend = std::make_unique<TChartLegend>(FOwner->ParentChart());
    FLegend->SetVisible(false);
    FLegend->SetSeries(FOwner);
  }
  return FLegend.get();
}

void TPieOtherSlice::SetLegend(TChartLegend* Value)
{
  if (!Value) {
    FLegend.reset();
    return;
  }
  Legend()->Assign(Value);
  FLegend->SetSeries(FOwner);
}

String TPieMarks::ClassName() const { return QStringLiteral("TPieMarks"); }

void TPieMarks::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TPieMarks*>(Source)) {
    FEmptySlice = S->FEmptySlice;
    FInsideSlice = S->FInsideSlice;
    FLegSize = S->FLegSize;
    FRotated = S->FRotated;
    FRotateStyle = S->FRotateStyle;
    FVertCenter = S->FVertCenter;
  } else
    TPersistent::Assign(Source);
}

void TPieMarks::Change(bool& Field, bool Value)
{
  if (Field != Value) {
    Field = Value;
    IParent->Repaint();
  }
}

void TPieMarks::SetEmptySlice(bool Value) { Change(FEmptySlice, Value); }
void TPieMarks::SetInsideSlice(bool Value) { Change(FInsideSlice, Value); }
void TPieMarks::SetRotated(bool Value) { Change(FRotated, Value); }
void TPieMarks::SetVertCenter(bool Value) { Change(FVertCenter, Value); }
void TPieMarks::SetLegSize(int32_t Value) { IParent->SetIntegerProperty(FLegSize, Value); }

void TPieMarks::SetRotateStyle(TRotateStyle Value)
{
  if (FRotateStyle != Value) {
    FRotateStyle = Value;
    IParent->Repaint();
  }
}

// ---------------------------------------------------------------------------
// The series

TPieSeries::TPieSeries(TComponent* AOwner) : TCircledSeries(AOwner), FExplodedSlice(this), FSliceHeights(this)
{
  FBevel = std::make_unique<TPieBevel>(this);
  FOtherSlice = std::make_unique<TPieOtherSlice>(this);
  FPieMarks = std::make_unique<TPieMarks>(this);
  XValues()->SetName(String());
  XValues()->SetOrder(loAscending);
  YValues()->SetName(ZuzMsg_ValuesPie);
  TSeriesMarks* Ma = Marks();
  Ma->DefaultVisible = true;
  Ma->SetVisible(true);
  Ma->Callout()->DefaultLength = 8;
  Ma->Callout()->SetLength(8);
  Ma->Tail()->SetAutoAlign(true);
  Ma->Tail()->SetCustomPoint(true);
  Ma->Tail()->SetMargin(2);
  SetColorEachPoint(true);
  IUseSeriesColor = false;
  IUseNotMandatory = false;
  CircleGradient()->SetStartColor(clWhite);
  CircleGradient()->InitDirection(gdRadial);
}

TPieSeries::~TPieSeries() = default;

String TPieSeries::ClassName() const { return QStringLiteral("TPieSeries"); }

String TPieSeries::GetEditorClass() const { return QStringLiteral("TPieSeriesEditor"); }

int32_t TPieSeries::AddPie(double Value, const String& Label, TColor Color) { return Add(Value, Label, Color); }

void TPieSeries::SetParentChart(TCustomAxisPanel* Value)
{
  TCircledSeries::SetParentChart(Value);
  if (ComponentState() & csDestroying)
    return;
  if (TChartLegend* L = FOtherSlice->LegendIfAny())
    L->SetParent(Value);
}

void TPieSeries::AssignFormatting(TChartSeries* Source)
{
  if (auto* S = dynamic_cast<TPieSeries*>(Source)) {
    FAngleSize = S->FAngleSize;
    FBevel->Assign(S->FBevel.get());
    FDark3D = S->FDark3D;
    FDarkPen = S->FDarkPen;
    FDonutPercent = S->FDonutPercent;
    FExplodeBiggest = S->FExplodeBiggest;
    FExplodedSlice.Assign(S->FExplodedSlice);
    FSliceHeights.Assign(S->FSliceHeights);
    FMultiPie = S->FMultiPie;
    FUsePatterns = S->FUsePatterns;
    FOtherSlice->Assign(S->FOtherSlice.get());
    FPieMarks->Assign(S->FPieMarks.get());
  }
  TCircledSeries::AssignFormatting(Source);
  SetColorEachPoint(true);
}

// ---- Settings ----

void TPieSeries::SetAngleSize(int32_t Value) { SetIntegerProperty(FAngleSize, Value); }
void TPieSeries::SetDarkPen(int32_t Value) { SetIntegerProperty(FDarkPen, Value); }
void TPieSeries::SetDonutPercent(int32_t Value) { SetIntegerProperty(FDonutPercent, Value); }
void TPieSeries::SetDark3D(bool Value) { SetBooleanProperty(FDark3D, Value); }
void TPieSeries::SetUsePatterns(bool Value) { SetBooleanProperty(FUsePatterns, Value); }

void TPieSeries::SetEdgeStyle(TEdgeStyle Value)
{
  if (FEdgeStyle != Value) {
    FEdgeStyle = Value;
    Repaint();
  }
}

void TPieSeries::SetMultiPie(TMultiPie Value)
{
  if (FMultiPie != Value) {
    FMultiPie = Value;
    Repaint();
  }
}

void TPieSeries::SetExplodeBiggest(int32_t Value)
{
  SetIntegerProperty(FExplodeBiggest, Value);
  CalcExplodeBiggest();
}

void TPieSeries::SetGradientBright(int32_t Value)
{
  SetIntegerProperty(FGradientBright, Value);
  if (Value == 0)
    CircleGradient()->SetStartColor(clWhite);
}

bool TPieSeries::AutoMarkPosition() { return Marks()->Automatic()->Move(); }
void TPieSeries::SetAutoMarkPosition(bool Value) { Marks()->Automatic()->SetMove(Value); }

// ---- Points ----

void TPieSeries::ClearLists()
{
  TCircledSeries::ClearLists();
  FExplodedSlice.Clear();
  FSliceHeights.Clear();
}

void TPieSeries::Clear()
{
  TCircledSeries::Clear();
  FAngles.clear();
}

void TPieSeries::Delete(int32_t ValueIndex)
{
  TCircledSeries::Delete(ValueIndex);
  FExplodedSlice.Delete(ValueIndex);
  FSliceHeights.Delete(ValueIndex);
}

void TPieSeries::SwapValueIndex(int32_t A, int32_t B)
{
  TCircledSeries::SwapValueIndex(A, B);
  FExplodedSlice.Exchange(A, B);
  FSliceHeights.Exchange(A, B);
}

// The pie leaves the axis scales as they are.
double TPieSeries::MaxXValue() const { return GetHorizAxis() ? GetHorizAxis()->Maximum() : 0; }
double TPieSeries::MinXValue() const { return GetHorizAxis() ? GetHorizAxis()->Minimum() : 0; }
double TPieSeries::MaxYValue() const { return GetVertAxis() ? GetVertAxis()->Maximum() : 0; }
double TPieSeries::MinYValue() const { return GetVertAxis() ? GetVertAxis()->Minimum() : 0; }

int32_t TPieSeries::CalcXPos(int32_t ValueIndex) const
{
  return IsOtherSlicePoint(ValueIndex) ? 0 : TCircledSeries::CalcXPos(ValueIndex);
}

// ---- Data preparation ----

void TPieSeries::RemoveOtherSlice()
{
  for (int32_t I = 0; I < Count(); ++I)
    if (IsOtherSlicePoint(I)) {
      ++IUpdating;
      Delete(I);
      --IUpdating;
      return;
    }
}

void TPieSeries::WriteData(TStream& Stream)
{
  RemoveOtherSlice();
  TCircledSeries::WriteData(Stream);
}

void TPieSeries::DoBeforeDrawChart()
{
  TCircledSeries::DoBeforeDrawChart();
  // A mark the user moved on the other slice stays where it was put.
  std::optional<TSeriesMarkPosition> OtherMark;
  if (TSeriesMarks* Ma = MarksIfAny())
    for (int32_t I = 0; I < Count(); ++I)
      if (IsOtherSlicePoint(I)) {
        if (const TSeriesMarkPosition* Pos = Ma->Positions().Get(I); Pos && Pos->Custom)
          OtherMark = *Pos;
        break;
      }
  if (YValues()->Order() != loNone)
    YValues()->Sort();
  RemoveOtherSlice();
  FAngles.clear();
  ++IUpdating;
  XValues()->FillSequence();
  --IUpdating;
  TChartValueList* Y = YValues();
  const double Total = Y->TotalABS();
  if (FOtherSlice->Style() == poNone || Total <= 0)
    return;
  double Sum = 0;
  bool Grouped = false;
  for (int32_t I = 0; I < Count(); ++I) {
    double V = std::fabs(Y->Value[I]);
    if (FOtherSlice->Style() == poBelowPercent)
      V = V * 100 / Total;
    if (V < FOtherSlice->Value()) {
      Sum += std::fabs(Y->Value[I]);
      XValues()->Value[I] = GroupedX;
      Grouped = true;
    }
  }
  if (!Grouped)
    return;
  ++IUpdating;
  const int32_t Index = AddXY(OtherSliceX, Sum, FOtherSlice->Text(), FOtherSlice->Color());
  --IUpdating;
  // The grouped values count once, in the other slice.
  Y->SetTotalABS(Y->TotalABS() - Sum);
  if (OtherMark && Index >= 0)
    Marks()->Positions().Put(Index, *OtherMark);
}

void TPieSeries::CalcFirstLastVisibleIndex()
{
  if (FOtherSlice->Style() != poNone) {
    TCircledSeries::CalcFirstLastVisibleIndex();
    return;
  }
  CalcFirstLastPage(FFirstVisibleIndex, FLastVisibleIndex);
  if (FFirstVisibleIndex < 0)
    TCircledSeries::CalcFirstLastVisibleIndex();
}

const TPieAngles& TPieSeries::Angles()
{
  CheckAngles();
  return FAngles;
}

void TPieSeries::CheckAngles()
{
  if (FAngles.empty())
    CalcAngles();
}

void TPieSeries::CalcAngles()
{
  const double S = FAngleSize * std::numbers::pi / 180;
  TChartValueList* Y = YValues();
  const bool NoneVisible = FFirstVisibleIndex < 0 || FLastVisibleIndex < 0;
  double T = 0;
  if (FOtherSlice->Style() != poNone || NoneVisible)
    T = Y->TotalABS();
  else
    for (int32_t I = FFirstVisibleIndex; I <= FLastVisibleIndex; ++I)
      T += std::fabs(Y->Value[I]);
  const double K = T == 0 ? 0 : S / T;
  FAngles.assign(Count(), TPieAngle{});
  if (NoneVisible)
    return;
  double Running = 0;
  for (int32_t I = FFirstVisibleIndex; I <= FLastVisibleIndex && I < Count(); ++I) {
    TPieAngle& A = FAngles[I];
    A.StartAngle = I == FFirstVisibleIndex ? 0 : FAngles[I - 1].EndAngle;
    if (T == 0)
      A.EndAngle = S;
    else {
      if (!BelongsToOtherSlice(I))
        Running += std::fabs(Y->Value[I]);
      A.EndAngle = Running == T ? S : std::min(Running * K, A.StartAngle + S);
    }
    A.MidAngle = (A.StartAngle + A.EndAngle) * 0.5;
  }
}

void TPieSeries::CalcExplodeBiggest()
{
  if (Count() < 2 || FExplodeBiggest <= 0)
    return;
  int32_t Biggest = -1;
  if (FParent && FParent->GetPointsPerPage() > 0) {
    if (FLastVisibleIndex - FFirstVisibleIndex + 1 < 2 || FFirstVisibleIndex < 0)
      return;
    for (int32_t I = FFirstVisibleIndex; I <= FLastVisibleIndex; ++I)
      if (Biggest < 0 || YValue(I) > YValue(Biggest))
        Biggest = I;
  } else
    Biggest = YValues()->Locate(YValues()->MaxValue());
  if (Biggest >= 0)
    FExplodedSlice.Put(Biggest, FExplodeBiggest);
}

void RegisterZuzPieSeries()
{
  RegisterZuzSeries(ClassInfoFor<TPieSeries>(), &ZuzMsg_GalleryPie, &ZuzMsg_GalleryStandard, 1);
}
