#include "chart/core/CustomAxisPanel.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartPage.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/LabelsList.h"
#include "chart/core/SeriesList.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzCustomTool.h"
#include "chart/core/ZuzFunction.h"
#include "chart/core/ZuzSeriesSource.h"
#include "chart/core/ZuzSelected.h"
#include "chart/core/ZuzGeometry.h"
#include "platform/CanvasMath.h"
#include "platform/Filer.h"
#include "platform/Published.h"
#include "rtl/Numbers.h"
#include "rtl/StringList.h"

#include <QScopeGuard>

#include <algorithm>

namespace {
using P = TCustomAxisPanel;
[[maybe_unused]] const TClassInfo& AxisPanelClass =
    PublishClass<P>("TCustomAxisPanel", "TCustomZuzPanelExtended",
                    {
                        PropBool("AxisBehind", &P::AxisBehind, &P::SetAxisBehind, true),
                        PropBool("AxisVisible", &P::AxisVisible, &P::SetAxisVisible, true),
                        PropObj("BottomAxis", &P::GetBottomAxis, &P::SetBottomAxis),
                        PropInt("Chart3DPercent", &P::Chart3DPercent, &P::SetChart3DPercent, 15),
                        PropBool("ClipPoints", &P::ClipPoints, &P::SetClipPoints, true),
                        PropObj("CustomAxes", &P::CustomAxes, &P::SetCustomAxes).Stored(&P::IsCustomAxesStored),
                        PropObj("DepthAxis", &P::DepthAxis, &P::SetDepthAxis),
                        PropObj("DepthTopAxis", &P::DepthTopAxis, &P::SetDepthTopAxis),
                        PropObj("Hover", &P::Hover, &P::SetHover),
                        PropObj("LeftAxis", &P::LeftAxis, &P::SetLeftAxis),
                        PropObj("Pages", &P::Pages, &P::SetPages),
                        PropObj("RightAxis", &P::RightAxis, &P::SetRightAxis),
                        PropObj("SeriesGroups", &P::GroupsObj, &P::SetGroupsObj).Stored(&P::IsSeriesGroupsStored),
                        PropObj("TopAxis", &P::TopAxis, &P::SetTopAxis),
                        PropBool("View3DWalls", &P::View3DWalls, &P::SetView3DWalls, true),
                        PropEvent("OnBeforeDrawAxes", &P::OnBeforeDrawAxes),
                        PropEvent("OnBeforeDrawChart", &P::OnBeforeDrawChart),
                        PropEvent("OnBeforeDrawSeries", &P::OnBeforeDrawSeries),
                        PropEvent("OnAddSeries", &P::OnAddSeries),
                        PropEvent("OnPageChange", &P::OnPageChange),
                        PropEvent("OnRemoveSeries", &P::OnRemoveSeries),
                    });

// Opens a canvas entity for the scope.
class TEntity {
public:
  TEntity(TCanvas3D* C, const String& Name) : FC(C) { FC->BeginEntity(Name, nullptr, nullptr); }
  ~TEntity() { FC->EndEntity(); }
  TEntity(const TEntity&) = delete;
  TEntity& operator=(const TEntity&) = delete;

private:
  TCanvas3D* FC;
};

} // namespace

TCustomAxisPanel::TCustomAxisPanel(TComponent* AOwner)
    : TCustomZuzPanelExtended(AOwner), FAxes(std::make_unique<TChartAxes>(this)),
      FCustomAxes(std::make_unique<TChartCustomAxes>(this)), FSeriesList(std::make_unique<TChartSeriesList>(this)),
      FPages(std::make_unique<TChartPage>(this)), FTools(std::make_unique<TChartTools>(this)),
      FAnimations(std::make_unique<TChartAnimations>(this)), FHover(std::make_unique<TZuzHover>(this))
{
  SetAutoRepaint(false);
  // The standard axes join the axis list in this order (indexes 0 to 5).
  FBottomAxis = new TChartAxis(this, true, false);
  FTopAxis = new TChartAxis(this, true, true);
  FLeftAxis = new TChartAxis(this, false, false);
  FRightAxis = new TChartAxis(this, false, true);
  FDepthAxis = new TChartDepthAxis(this, true);
  FDepthTopAxis = new TChartDepthAxis(this, false);
  const struct {
    TChartAxis* Axis;
    const char* ID;
  } Names[] = {{FBottomAxis, "Bottom"}, {FTopAxis, "Top"},     {FLeftAxis, "Left"},
               {FRightAxis, "Right"},   {FDepthAxis, "Depth"}, {FDepthTopAxis, "DepthTop"}};
  for (const auto& N : Names)
    N.Axis->IAxisID = QString::fromLatin1(N.ID);
  // The top and right axes (and their grids) lie at the back in 3D.
  for (TChartAxis* A : {FTopAxis, FRightAxis}) {
    A->SetZPosition(100);
    A->Grid()->IDefaultZ = 100;
    A->Grid()->SetZPosition(100);
  }
  SetAutoRepaint(true);
}

TCustomAxisPanel::~TCustomAxisPanel()
{
  IncludeState(csDestroying);
  FreeAllSeries();
  // Axis tools outlive the axes they point at.
  for (TZuzCustomTool* T : FTools->Items())
    if (auto* A = dynamic_cast<TZuzCustomToolAxis*>(T))
      A->InternalSetAxis(nullptr);
  FAnimations.reset();
  FTools.reset();
  FAxes->Clear();
  FCustomAxes.reset();
}

String TCustomAxisPanel::ClassName() const { return QStringLiteral("TCustomAxisPanel"); }

// ---------------------------------------------------------------------------
// Series

int32_t TCustomAxisPanel::SeriesCount() const { return FSeriesList->Count(); }

TChartSeries* TCustomAxisPanel::GetSeries(int32_t Index) const { return FSeriesList->Items(Index); }

int32_t TCustomAxisPanel::IndexOfSeries(const TCustomChartSeries* Series) const
{
  const auto It = std::find(FSeriesList->begin(), FSeriesList->end(), Series);
  return It == FSeriesList->end() ? -1 : static_cast<int32_t>(It - FSeriesList->begin());
}

TChartSeries* TCustomAxisPanel::AddSeries(TChartSeries* Series)
{
  Series->SetParentChart(this);
  return Series;
}

void TCustomAxisPanel::AddSeries(std::initializer_list<TChartSeries*> Series)
{
  for (TChartSeries* S : Series)
    S->SetParentChart(this);
}

TChartSeries* TCustomAxisPanel::AddSeries(const TClassInfo* SeriesClass)
{
  TComponent* C = SeriesClass->CreateComponent(Owner());
  auto* S = dynamic_cast<TChartSeries*>(C);
  if (!S) {
    if (!Owner())
      delete C;
    throw ChartException(Format(ZuzMsg_SeriesInvDataSource, {SeriesClass->ClassName()}));
  }
  return AddSeries(S);
}

void TCustomAxisPanel::InternalAddSeries(TChartSeries* Series)
{
  if (IndexOfSeries(Series) >= 0)
    return;
  ApplyThemeSeries(Series);
  static_cast<TCustomChartElement*>(Series)->FParent = this;
  Series->Added();
  FSeriesList->Add(Series);
  BroadcastSeriesEvent(Series, seAdd);
  if (OnAddSeries)
    OnAddSeries(Series);
  Invalidate();
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* Series) { RemoveSeries(IndexOfSeries(Series)); }

void TCustomAxisPanel::RemoveSeries(int32_t Index)
{
  if (Index < 0 || Index >= SeriesCount())
    return;
  TChartSeries* Series = FSeriesList->Items(Index);
  BroadcastSeriesEvent(Series, seRemove);
  Series->Removed();
  FSeriesList->Extract(Series);
  if (OnRemoveSeries)
    OnRemoveSeries(Series);
  BroadcastSeriesEvent(Series, seAfterRemove);
  Invalidate();
}

void TCustomAxisPanel::FreeAllSeries(const TClassInfo* SeriesClass)
{
  if (!FSeriesList)
    return;
  int32_t I = 0;
  while (I < SeriesCount()) {
    TChartSeries* S = FSeriesList->Items(I);
    const TClassInfo* Kind = ClassInfoOf(S);
    if (SeriesClass && !(Kind && Kind->InheritsFrom(SeriesClass))) {
      ++I;
      continue;
    }
    // Detaching takes the series out of the list: the next one moves up.
    S->SetParentChart(nullptr);
    if (!S->ParentSeries)
      delete S;
  }
}

void TCustomAxisPanel::ExchangeSeries(int32_t IndexA, int32_t IndexB)
{
  const auto SkipInternal = [this](int32_t I) {
    for (int32_t J = I; J < SeriesCount(); ++J)
      if (!FSeriesList->Items(J)->IInternalUse)
        return J;
    return I;
  };
  if (IndexA >= 0 && IndexA < SeriesCount() && FSeriesList->Items(IndexA)->IInternalUse)
    IndexA = SkipInternal(IndexA);
  if (IndexB >= 0 && IndexB < SeriesCount() && FSeriesList->Items(IndexB)->IInternalUse)
    IndexB = SkipInternal(IndexB);
  FSeriesList->Exchange(IndexA, IndexB);
  TChartSeries* A = FSeriesList->Items(IndexA);
  TChartSeries* B = FSeriesList->Items(IndexB);
  // The stored order follows the list.
  if (A->Owner() && A->Owner() == B->Owner()) {
    TComponent *First = A, *Second = B;
    if (First->ComponentIndex() > Second->ComponentIndex())
      std::swap(First, Second);
    const int32_t I = First->ComponentIndex(), J = Second->ComponentIndex();
    First->SetComponentIndex(J);
    Second->SetComponentIndex(I);
  }
  for (int32_t G = 0; G < FSeriesList->Groups().Count(); ++G) {
    TCustomSeriesList& L = FSeriesList->Groups().Items(G)->Series();
    const int32_t GA = L.IndexOf(A), GB = L.IndexOf(B);
    if (GA >= 0 && GB >= 0)
      L.Exchange(GA, GB);
  }
  BroadcastSeriesEvent(nullptr, seSwap);
  Invalidate();
}

void TCustomAxisPanel::ExchangeSeries(TChartSeries* SeriesA, TChartSeries* SeriesB)
{
  TCustomAxisPanel* ChartA = SeriesA->ParentChart();
  TCustomAxisPanel* ChartB = SeriesB->ParentChart();
  if (ChartA == this && ChartB == this) {
    ExchangeSeries(IndexOfSeries(SeriesA), IndexOfSeries(SeriesB));
    return;
  }
  SeriesA->SetParentChart(ChartB);
  SeriesB->SetParentChart(ChartA);
}

int32_t TCustomAxisPanel::CountActiveSeries() const
{
  return static_cast<int32_t>(
      std::count_if(FSeriesList->begin(), FSeriesList->end(), [](const TChartSeries* S) { return S->Active(); }));
}

int32_t TCustomAxisPanel::GetMaxValuesCount() const
{
  int32_t Result = 0;
  for (const TChartSeries* S : *FSeriesList)
    if (S->Active())
      Result = std::max(Result, S->Count());
  return Result;
}

namespace {
// The series bound to Axis that count for it: the active ones, or every
// one bound to it when none of them is active.
std::vector<TChartSeries*> AxisCandidates(const TChartSeriesList& List, const TChartAxis* Axis)
{
  std::vector<TChartSeries*> Active, Any;
  for (TChartSeries* S : List)
    if (S->AssociatedToAxis(Axis)) {
      Any.push_back(S);
      if (S->Active())
        Active.push_back(S);
    }
  return Active.empty() ? Any : Active;
}
} // namespace

TChartSeries* TCustomAxisPanel::GetAxisSeries(const TChartAxis* Axis) const
{
  const std::vector<TChartSeries*> C = AxisCandidates(*FSeriesList, Axis);
  return C.empty() ? nullptr : C.front();
}

TChartSeries* TCustomAxisPanel::GetAxisSeriesMaxPoints(const TChartAxis* Axis) const
{
  TChartSeries* Result = nullptr;
  for (TChartSeries* S : AxisCandidates(*FSeriesList, Axis))
    if (!Result || S->Count() > Result->Count())
      Result = S;
  return Result;
}

TChartSeries* TCustomAxisPanel::SeriesLegend(int32_t ItemIndex, bool OnlyActive) const
{
  int32_t N = -1;
  for (TChartSeries* S : *FSeriesList)
    if (S->ShowInLegend() && (!OnlyActive || S->Active()) && ++N == ItemIndex)
      return S;
  return nullptr;
}

TSeriesGroups& TCustomAxisPanel::SeriesGroups() const { return FSeriesList->Groups(); }

void TCustomAxisPanel::SetSeriesGroups(const TSeriesGroups& Value) { FSeriesList->SetGroups(Value); }

void TCustomAxisPanel::SetGroupsObj(TSeriesGroups* Value)
{
  if (Value)
    FSeriesList->SetGroups(*Value);
}

bool TCustomAxisPanel::IsSeriesGroupsStored() const { return FSeriesList->Groups().Count() > 0; }

void TCustomAxisPanel::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
  TCustomZuzPanelExtended::GetChildren(Proc, Root);
  for (TChartSeries* S : std::vector<TChartSeries*>(FSeriesList->Items()))
    if (!S->DontSerialize)
      Proc(S);
}

void TCustomAxisPanel::Loaded()
{
  TCustomZuzPanelExtended::Loaded();
  TSeriesGroups& Groups = FSeriesList->Groups();
  for (int32_t G = 0; G < Groups.Count(); ++G) {
    TSeriesGroup* Group = Groups.Items(G);
    if (!Group->TempSeries)
      continue;
    const auto Free = qScopeGuard([Group] { Group->TempSeries.reset(); });
    Group->Series().Clear();
    for (int32_t I = 0; I < Group->TempSeries->Count(); ++I)
      Group->Series().Add(GetSeries(StrToInt(Group->TempSeries->Strings(I))));
  }
}

void TCustomAxisPanel::Assign(TPersistent* Source)
{
  if (auto* P = dynamic_cast<TCustomAxisPanel*>(Source)) {
    F3DPercent = P->F3DPercent;
    FHover->Assign(P->FHover.get());
    SetAxisBehind(P->FAxisBehind);
    SetAxisVisible(P->FAxisVisible);
    SetBottomAxis(P->FBottomAxis);
    SetClipPoints(P->FClipPoints);
    ColorPalette = P->ColorPalette;
    SetCustomAxes(P->CustomAxes());
    if (P->FCustomWidth3D)
      SetCustomWidth3D(P->Width3D());
    SetLeftAxis(P->FLeftAxis);
    SetDepthAxis(P->FDepthAxis);
    SetDepthTopAxis(P->FDepthTopAxis);
    SetPages(P->Pages());
    SetRightAxis(P->FRightAxis);
    SetTopAxis(P->FTopAxis);
    SetView3DWalls(P->FView3DWalls);
  }
  TCustomZuzPanelExtended::Assign(Source);
}

void TCustomAxisPanel::DefineProperties(TFiler* Filer)
{
  TCustomZuzPanelExtended::DefineProperties(Filer);
  Filer->DefineProperty(
      QStringLiteral("MaxPointsPerPage"), [this](TReader& R) { FPages->SetPointsPerPage(R.ReadInteger()); }, {}, false);
  Filer->DefineProperty(
      QStringLiteral("Page"), [this](TReader& R) { FPages->SetCurrent(R.ReadInteger()); }, {}, false);
  Filer->DefineProperty(
      QStringLiteral("ScaleLastPage"), [this](TReader& R) { FPages->SetScaleLastPage(R.ReadBoolean()); }, {}, false);
}

void TCustomAxisPanel::BroadcastSeriesEvent(TCustomChartSeries* Series, TChartSeriesEvent Event)
{
  if (DoNotBroadcast || ListenerCount() == 0)
    return;
  TZuzSeriesEvent E;
  E.Event = Event;
  E.Series = Series;
  BroadcastZuzEvent(&E);
}

// ---------------------------------------------------------------------------
// Pages

void TCustomAxisPanel::SetPages(TChartPage* Value) { FPages->Assign(Value); }
int32_t TCustomAxisPanel::NumPages() const { return FPages->Count(); }
int32_t TCustomAxisPanel::GetPage() const { return FPages->Current(); }
void TCustomAxisPanel::SetPage(int32_t Value) { FPages->SetCurrent(Value); }
int32_t TCustomAxisPanel::GetPointsPerPage() const { return FPages->MaxPointsPerPage(); }
void TCustomAxisPanel::SetPointsPerPage(int32_t Value) { FPages->SetPointsPerPage(Value); }
bool TCustomAxisPanel::GetScaleLastPage() const { return FPages->ScaleLastPage(); }
void TCustomAxisPanel::SetScaleLastPage(bool Value) { FPages->SetScaleLastPage(Value); }

// ---------------------------------------------------------------------------
// Themes

void TCustomAxisPanel::ApplyThemeSeries(TChartSeries* Series)
{
  auto* ThemeChart = dynamic_cast<TCustomAxisPanel*>(Theme());
  if (!ThemeChart)
    return;
  TChartSeries* Template = nullptr;
  for (TChartSeries* S : *ThemeChart->FSeriesList)
    if (S->SameClass(Series)) {
      Template = S;
      break;
    }
  if (!Template) {
    if (ThemeChart->SeriesCount() == 0)
      ThemeChart->AddSeries(new TChartSeries(ThemeChart));
    Template = ThemeChart->GetSeries(0);
  }
  Series->AssignFormatting(Template);
}

void TCustomAxisPanel::ApplyThemeAxes(TChartAxis* Axis)
{
  auto* ThemeChart = dynamic_cast<TCustomAxisPanel*>(Theme());
  if (!ThemeChart)
    return;
  TChartAxis* Template = nullptr;
  for (int32_t I = 0; I < ThemeChart->Axes().Count() && !Template; ++I) {
    TChartAxis* A = ThemeChart->Axes().Get(I);
    if (A->Visible() && A->Horizontal() == Axis->Horizontal())
      Template = A;
  }
  if (!Template) {
    if (ThemeChart->CustomAxes()->Count() == 0)
      ThemeChart->CustomAxes()->Add();
    Template = ThemeChart->CustomAxes()->Get(0);
  }
  Axis->Assign(Template);
}

void TCustomAxisPanel::SetHover(TZuzHover* Value) { FHover->Assign(Value); }

void TCustomAxisPanel::ApplyThemeTools(TZuzCustomTool* Tool)
{
  auto* ThemeChart = dynamic_cast<TCustomAxisPanel*>(Theme());
  if (!ThemeChart)
    return;
  TZuzCustomTool* Template = nullptr;
  for (TZuzCustomTool* T : ThemeChart->FTools->Items())
    if (T->SameClass(Tool)) {
      Template = T;
      break;
    }
  if (!Template) {
    auto* Base = new TZuzCustomTool(ThemeChart);
    ThemeChart->FTools->Add(Base);
    Template = ThemeChart->FTools->Items(0);
  }
  Tool->Assign(Template);
}

// ---------------------------------------------------------------------------
// Colours

TColor TCustomAxisPanel::GetDefaultColor(int32_t Index) const
{
  if (!ColorPalette.empty())
    return ColorPalette[static_cast<size_t>(Index) % ColorPalette.size()];
  return ::GetDefaultColor(Index);
}

bool TCustomAxisPanel::IsFreeSeriesColor(TColor AColor, bool CheckBackground, const TChartSeries* Series)
{
  for (const TChartSeries* S : *FSeriesList)
    if (S != Series && S->SeriesColor() == AColor)
      return false;
  return !CheckBackground || AColor != GetBackColor();
}

TColor TCustomAxisPanel::GetFreeSeriesColor(bool CheckBackground, const TChartSeries* Series)
{
  // Every entry is offered, the last one too: a palette of N colours gives
  // N different series colours before they repeat.
  const int32_t N = static_cast<int32_t>(ColorPalette.empty() ? ZuzColorPalette.size() : ColorPalette.size());
  for (int32_t I = 0; I < N; ++I) {
    const TColor C = GetDefaultColor(I);
    if (IsFreeSeriesColor(C, CheckBackground, Series))
      return C;
  }
  return GetDefaultColor(SeriesCount());
}

void TCustomAxisPanel::ColorPaletteChanged()
{
  for (TChartSeries* S : *FSeriesList)
    if (S->IsColorStored() == false)
      S->ChangeInternalColor(GetFreeSeriesColor(true, S));
}

// ---------------------------------------------------------------------------
// Data sources

void TCustomAxisPanel::CheckDatasource(TChartSeries* Series)
{
  if (Series->ComponentState() & csLoading)
    return;
  if (auto* Source = dynamic_cast<TChartSeries*>(Series->DataSource()))
    Series->AddValues(Source);
  else if (auto* External = dynamic_cast<TZuzSeriesSource*>(Series->DataSource()))
    External->Refresh();
  else if (TZuzFunction* F = Series->FunctionType(); F && F->NoSourceRequired && !Series->DataSource()) {
    Series->BeginUpdate();
    const auto End = qScopeGuard([Series] { Series->EndUpdate(); });
    Series->Clear();
    F->AddPoints(nullptr);
  }
}

bool TCustomAxisPanel::IsValidDataSource(TChartSeries* Series, TComponent* Component)
{
  auto* Source = dynamic_cast<TChartSeries*>(Component);
  bool Valid = Source && Source->IsValidSourceOf(Series);
  if (Valid && OnValidDataSource)
    OnValidDataSource(this, Series, Component, Valid);
  return Valid;
}

void TCustomAxisPanel::CheckOtherSeries(const TChartSeries* Dest, const TChartSeries* Source) const
{
  // Dest would feed itself when Source takes its data, directly or through
  // its own sources, from Dest.
  std::vector<const TChartSeries*> Pending{Source};
  std::vector<const TChartSeries*> Seen;
  while (!Pending.empty()) {
    const TChartSeries* S = Pending.back();
    Pending.pop_back();
    if (!S)
      continue;
    if (S == Dest)
      throw ChartException(ZuzMsg_CircularSeries);
    if (std::find(Seen.begin(), Seen.end(), S) != Seen.end())
      continue;
    Seen.push_back(S);
    for (TComponent* C : S->DataSources())
      if (auto* Next = dynamic_cast<const TChartSeries*>(C))
        Pending.push_back(Next);
  }
}

String TCustomAxisPanel::SeriesTitleLegend(int32_t ItemIndex, bool OnlyActive) const
{
  const TChartSeries* S = SeriesLegend(ItemIndex, OnlyActive);
  if (!S)
    return String();
  String T = S->LegendTitle();
  if (!T.isEmpty()) {
    T.remove(QLatin1Char('\n'));
    T.replace(ZuzTextLineBreak, QLatin1Char(' '));
    return T;
  }
  return !S->Title().isEmpty() ? S->Title() : S->Name();
}

int32_t TCustomAxisPanel::MaxTextWidth()
{
  int32_t W = 0;
  for (TChartSeries* S : *FSeriesList)
    for (int32_t I = 0; I < S->Labels()->Count(); ++I) {
      int32_t Lines = 0;
      W = std::max(W, MultiLineTextWidth(S->XLabel(I), Lines));
    }
  return W;
}

int32_t TCustomAxisPanel::MaxMarkWidth()
{
  int32_t W = 0;
  for (TChartSeries* S : *FSeriesList)
    if (S->Active())
      W = std::max(W, S->MaxMarkWidth());
  return W;
}

// ---------------------------------------------------------------------------
// Axes

void TCustomAxisPanel::SetCustomAxes(TChartCustomAxes* Value) { FCustomAxes->Assign(Value); }

bool TCustomAxisPanel::IsCustomAxesStored() const { return FCustomAxes->Count() > 0; }

void TCustomAxisPanel::SetBottomAxis(TChartAxis* Value) { FBottomAxis->Assign(Value); }
void TCustomAxisPanel::SetTopAxis(TChartAxis* Value) { FTopAxis->Assign(Value); }
void TCustomAxisPanel::SetLeftAxis(TChartAxis* Value) { FLeftAxis->Assign(Value); }
void TCustomAxisPanel::SetRightAxis(TChartAxis* Value) { FRightAxis->Assign(Value); }
void TCustomAxisPanel::SetDepthAxis(TChartAxis* Value) { FDepthAxis->Assign(Value); }
void TCustomAxisPanel::SetDepthTopAxis(TChartAxis* Value) { FDepthTopAxis->Assign(Value); }

void TCustomAxisPanel::SetAxisBehind(bool Value) { SetBooleanProperty(FAxisBehind, Value); }
void TCustomAxisPanel::SetAxisVisible(bool Value) { SetBooleanProperty(FAxisVisible, Value); }
void TCustomAxisPanel::SetClipPoints(bool Value) { SetBooleanProperty(FClipPoints, Value); }
void TCustomAxisPanel::SetView3DWalls(bool Value) { SetBooleanProperty(FView3DWalls, Value); }

void TCustomAxisPanel::SetChart3DPercent(int32_t Value) { SetIntegerProperty(F3DPercent, std::clamp(Value, 1, 100)); }

void TCustomAxisPanel::SetCustomWidth3D(int32_t Value)
{
  FCustomWidth3D = true;
  SetWidth3D(Value);
  Invalidate();
}

bool TCustomAxisPanel::HasActiveSeries(const TChartAxis* Axis, bool Default) const
{
  bool AnyActive = false;
  for (const TChartSeries* S : *FSeriesList) {
    if (!S->Active())
      continue;
    AnyActive = true;
    if (!S->UseAxis())
      return false;
    if (S->AssociatedToAxis(Axis))
      return true;
  }
  return AnyActive ? false : Default;
}

bool TCustomAxisPanel::NoActiveSeries(const TChartAxis* Axis) const
{
  return std::none_of(FSeriesList->begin(), FSeriesList->end(),
                      [Axis](const TChartSeries* S) { return S->Active() && S->AssociatedToAxis(Axis); });
}

bool TCustomAxisPanel::CalcIsAxisVisible(const TChartAxis* Axis) const
{
  if (!FAxisVisible || !Axis->Visible())
    return false;
  if (Axis->IsDepthAxis())
    return View3D();
  return HasActiveSeries(Axis, true);
}

bool TCustomAxisPanel::IsAxisVisible(const TChartAxis* Axis) const { return Axis->IsVisible; }

int32_t TCustomAxisPanel::CalcWallSize(TChartAxis*) { return 0; }

double TCustomAxisPanel::InternalMinMax(TChartAxis* Axis, bool IsMin, bool IsX)
{
  if (Axis->IsDepthAxis()) {
    auto* Depth = dynamic_cast<TChartDepthAxis*>(Axis);
    if (Depth && Depth->LabelsAsSeriesTitles() && Axis->CalcLabelStyle() != talValue)
      return IsMin ? -0.5 : FMaxZOrder + 0.5;
    bool First = true;
    double Result = 0;
    for (const TChartSeries* S : *FSeriesList)
      if (S->Active()) {
        const double V = IsMin ? S->MinZValue() : S->MaxZValue();
        if (First || (IsMin ? V < Result : V > Result))
          Result = V;
        First = false;
      }
    return Result;
  }
  const auto OnAxis = [&](const TChartSeries* S) {
    return IsX ? (S->HorizAxis() == aBothHorizAxis || S->GetHorizAxis() == Axis)
               : (S->VertAxis() == aBothVertAxis || S->GetVertAxis() == Axis);
  };
  const int32_t PerPage = FPages->MaxPointsPerPage();
  if (PerPage > 0) {
    const TChartSeries* AxisSeries = GetAxisSeries(Axis);
    const bool Positions = AxisSeries ? (AxisSeries->YMandatory ? IsX : !IsX) : IsX;
    if (Positions)
      return CalcPageMinMax(Axis, IsMin);
  }
  // When no active series uses the axis, every series on it counts.
  const bool AnyActive = std::any_of(FSeriesList->begin(), FSeriesList->end(),
                                     [&](const TChartSeries* S) { return S->Active() && S->AssociatedToAxis(Axis); });
  const bool PageOnly = PerPage > 0 && FPages->AutoScale();
  bool First = true;
  double Result = 0;
  const auto Take = [&](double V) {
    if (First || (IsMin ? V < Result : V > Result))
      Result = V;
    First = false;
  };
  for (const TChartSeries* S : *FSeriesList) {
    if ((AnyActive && !S->Active()) || S->Count() == 0 || S->INoAxisMinMax || !OnAxis(S))
      continue;
    if (PageOnly) {
      const int32_t From = FPages->FirstValueIndex();
      if (S->Count() < From + 1)
        continue;
      const TChartValueList* L = IsX ? S->XValues() : S->YValues();
      const int32_t To = std::min(S->Count(), From + PerPage) - 1;
      for (int32_t I = From; I <= To; ++I)
        Take(L->Value[I]);
      continue;
    }
    Take(IsX ? (IsMin ? S->MinXValue() : S->MaxXValue()) : (IsMin ? S->MinYValue() : S->MaxYValue()));
  }
  return Result;
}

double TCustomAxisPanel::CalcPageMinMax(TChartAxis* Axis, bool IsMin)
{
  const TChartSeries* S = GetAxisSeriesMaxPoints(Axis);
  if (!S || S->Count() == 0)
    return 0;
  int32_t First = 0, Last = 0;
  S->CalcFirstLastPage(First, Last);
  const TChartValueList* L = S->NotMandatoryValueList;
  const double Min = L->Value[First];
  if (IsMin)
    return Min;
  const double Max = L->Value[Last];
  const int32_t N = Last - First + 1;
  const int32_t PerPage = FPages->MaxPointsPerPage();
  if (!FPages->ScaleLastPage() && N < PerPage)
    return Max == Min ? Min + double(PerPage) / N : Min + PerPage * (Max - Min) / N;
  return Max;
}

void TCustomAxisPanel::ChangedAxisScale(TChartAxis*)
{
  for (TChartSeries* S : *FSeriesList)
    S->ChangedAxisScale();
  Invalidate();
}

// ---------------------------------------------------------------------------
// Hooks of the chart component and its tools

void TCustomAxisPanel::DoOnAfterDraw()
{
  if (OnAfterDraw)
    OnAfterDraw(this);
}

void TCustomAxisPanel::DoOnBeforeDrawAxes()
{
  if (OnBeforeDrawAxes)
    OnBeforeDrawAxes(this);
}

void TCustomAxisPanel::DoOnBeforeDrawChart()
{
  if (OnBeforeDrawChart)
    OnBeforeDrawChart(this);
}

void TCustomAxisPanel::DoOnBeforeDrawSeries()
{
  if (OnBeforeDrawSeries)
    OnBeforeDrawSeries(this);
}

void TCustomAxisPanel::CalcWallsRect() {}
void TCustomAxisPanel::DrawTitlesAndLegend(bool) {}
void TCustomAxisPanel::DrawWalls() {}
void TCustomAxisPanel::BroadcastToolEvent(TChartToolEvent Event)
{
  for (TZuzCustomTool* T : std::vector<TZuzCustomTool*>(FTools->Items()))
    if (T->Active())
      T->ChartEvent(Event);
}

void TCustomAxisPanel::BroadcastAnimationEvent(TChartToolEvent Event)
{
  for (TZuzCustomTool* T : std::vector<TZuzCustomTool*>(FAnimations->Items()))
    if (T->Active())
      T->ChartEvent(Event);
}

void TCustomAxisPanel::BroadcastSeriesToolEvent(TChartToolEvent Event, TChartSeries* Series)
{
  for (TZuzCustomTool* T : std::vector<TZuzCustomTool*>(FTools->Items()))
    if (T->Active())
      T->SeriesEvent(Event, Series);
}
String TCustomAxisPanel::FormattedValueLegend(TChartSeries*, int32_t) { return String(); }

void TCustomAxisPanel::InternalDoMouseLeave()
{
  TCustomZuzPanelExtended::InternalDoMouseLeave();
  BroadcastToolEvent(cteMouseLeave);
  BroadcastAnimationEvent(cteMouseLeave);
}

// ---------------------------------------------------------------------------
// The pipeline

void TCustomAxisPanel::CalcInvertedRotation()
{
  const TView3DOptions* O = View3DOptions();
  InvertedRotation = View3D() && (O->Orthogonal() ? O->OrthoAngle() > 90 : O->Rotation() < 180);
}

void TCustomAxisPanel::CalcSize3DWalls()
{
  if (!View3D()) {
    FSeriesWidth3D = FSeriesHeight3D = 0;
    SetWidth3D(0);
    SetHeight3D(0);
    return;
  }
  const int32_t N = ApplyZOrder() ? std::max(1, FMaxZOrder + 1) : 1;
  double F = F3DPercent * 0.001;
  if (!View3DOptions()->Orthogonal())
    F *= 2;
  if (FCustomWidth3D) {
    FSeriesWidth3D = PixelRound(double(Width3D()) / N);
    FSeriesHeight3D = PixelRound(FSeriesWidth3D / F);
    SetHeight3D(PixelRound(double(FSeriesHeight3D) / N));
    return;
  }
  FSeriesWidth3D = PixelRound(ChartWidth() * F);
  const double R = View3DOptions()->CalcOrthoRatio();
  if (R > 1)
    FSeriesWidth3D = PixelRound(FSeriesWidth3D / R);
  FSeriesHeight3D = PixelRound(FSeriesWidth3D * R);
  SetHeight3D(N * FSeriesHeight3D);
  SetWidth3D(N * FSeriesWidth3D);
}

void TCustomAxisPanel::SetSeriesZOrder()
{
  FMaxZOrder = 0;
  const bool Apply = ApplyZOrder() && View3D();
  if (Apply) {
    FMaxZOrder = -1;
    for (TChartSeries* S : *FSeriesList)
      if (S->Active() && !S->IInternalUse)
        S->CalcZOrder();
  }
  if (!DepthAxis()->Inverted())
    for (TChartSeries* S : *FSeriesList)
      if (S->Active() && !S->IInternalUse)
        S->IZOrder = Apply ? FMaxZOrder - S->ZOrderValue() : 0;
}

void TCustomAxisPanel::CalcAxisRect()
{
  for (int32_t I = 0; I < FAxes->Count(); ++I) {
    TChartAxis* A = FAxes->Get(I);
    A->IsVisible = CalcIsAxisVisible(A);
    if (TChartCustomAxes* Subs = A->SubAxesIfAny())
      for (int32_t J = 0; J < Subs->Count(); ++J)
        Subs->Get(J)->IsVisible = A->IsVisible;
    A->AdjustMaxMin();
  }
  for (int32_t I = 0; I < FAxes->Count(); ++I)
    FAxes->Get(I)->InternalCalcPositions();
  TRect R = ChartRect;
  for (int32_t I = 0; I < FAxes->Count(); ++I) {
    TChartAxis* A = FAxes->Get(I);
    if (A->IsVisible) {
      TRect Copy = R;
      A->CalcRect(Copy, A->ResizeChart());
      TRect Both;
      if (ZuzRectIntersects(Both, Copy, R))
        R = Both;
    } else if (FAxes->CalcPosLabels)
      A->InflateAxisRect(R, -FAxes->CalcPosLabels(A, 0));
  }
  ChartRect = R;
  ReCalcWidthHeight();
  for (int32_t I = 0; I < FAxes->Count(); ++I)
    FAxes->Get(I)->InternalCalcPositions();
}

void TCustomAxisPanel::CalcSeriesAxisRect(TChartAxis* Axis)
{
  if (Axis->IsDepthAxis() && !View3D())
    return;
  TRect M{};
  if (Axis->AutomaticMinimum() || Axis->AutomaticMaximum())
    for (TChartSeries* S : *FSeriesList) {
      if (!S->Active() || !S->AssociatedToAxis(Axis))
        continue;
      int32_t A = 0, B = 0;
      if (Axis->Horizontal()) {
        S->CalcHorizMargins(A, B);
        if (Axis->AutomaticMinimum())
          M.Left = std::max(M.Left, A);
        if (Axis->AutomaticMaximum())
          M.Right = std::max(M.Right, B);
      } else {
        S->CalcVerticalMargins(A, B);
        if (Axis->AutomaticMinimum())
          M.Bottom = std::max(M.Bottom, B);
        if (Axis->AutomaticMaximum())
          M.Top = std::max(M.Top, A);
      }
    }
  const bool Offsets = Axis->MinimumOffset() != 0 || Axis->MaximumOffset() != 0;
  if (Offsets) {
    const int32_t AtMin = Axis->Inverted() ? Axis->MaximumOffset() : Axis->MinimumOffset();
    const int32_t AtMax = Axis->Inverted() ? Axis->MinimumOffset() : Axis->MaximumOffset();
    if (Axis->Horizontal()) {
      M.Left += AtMin;
      M.Right += AtMax;
    } else {
      M.Bottom += AtMin;
      M.Top += AtMax;
    }
  }
  if (Axis->IGapSize > 0) {
    if (Axis->Horizontal())
      (Axis->Inverted() ? M.Left : M.Right) += Axis->IGapSize;
    else
      (Axis->Inverted() ? M.Bottom : M.Top) += Axis->IGapSize;
  }
  Axis->AdjustMaxMinRect(M);
  Axis->CalcRoundScales();
  if (Offsets && Axis->Labels())
    Axis->SetPosTitle(Axis->InflateAxisPos(Axis->PosLabels(), Axis->SizeLabels()));
}

void TCustomAxisPanel::CalcAxisMargins(TChartAxis* Axis)
{
  if (!Axis->AutomaticMaximum() && !Axis->AutomaticMinimum())
    return;
  TRect M{};
  for (TChartSeries* S : *FSeriesList)
    if (S->Active())
      S->RecalcAxisMargins(Axis, M);
  if (!(M == TRect{}))
    Axis->AdjustMaxMinRect(M);
}

void TCustomAxisPanel::CalcSeriesRect()
{
  for (int32_t I = 0; I < FAxes->Count(); ++I)
    CalcSeriesAxisRect(FAxes->Get(I));
  for (int32_t I = 0; I < FAxes->Count(); ++I)
    CalcAxisMargins(FAxes->Get(I));
}

void TCustomAxisPanel::InternalDraw(const TRect& UserRect)
{
  const bool OldAutoRepaint = AutoRepaint();
  SetAutoRepaint(false);
  const auto Restore = qScopeGuard([&] { SetAutoRepaint(OldAutoRepaint); });
  TCanvas3D* C = InternalCanvas();
  CalcInvertedRotation();
  const bool FullRotation = C->SupportsFullRotation();
  if (!FullRotation)
    PanelPaint(UserRect);
  BroadcastToolEvent(cteBeforeDraw);
  BroadcastAnimationEvent(cteBeforeDraw);
  DoOnBeforeDrawChart();
  for (TChartSeries* S : *FSeriesList)
    if (S->Active())
      S->DoBeforeDrawChart();
  if (FullRotation) {
    SetSeriesZOrder();
    CalcWallsRect();
  }
  if (!IsEmbedded) {
    if (FullRotation) {
      C->Projection(Width3D(), ChartBounds(), ChartRect);
      PanelPaint(UserRect);
    }
    DrawTitlesAndLegend(true);
  }
  if (!FullRotation) {
    SetSeriesZOrder();
    CalcWallsRect();
  }
  for (TChartSeries* S : *FSeriesList)
    if (S->Active())
      S->BeforeCalcAxis();
  CalcSize3DWalls();
  CalcAxisRect();
  for (TChartSeries* S : *FSeriesList)
    if (S->Active())
      S->CalcDepthPositions();
  CalcSeriesRect();
  if (!IsEmbedded && !FullRotation)
    C->Projection(Width3D(), ChartBounds(), ChartRect);
  DrawAxesSeries();
  DrawTitlesAndLegend(false);
  if (Zoom()->Active())
    DrawZoomRectangle();
  BroadcastToolEvent(cteAfterDraw);
  BroadcastAnimationEvent(cteAfterDraw);
  C->ResetState();
  DoOnAfterDraw();
}

void TCustomAxisPanel::DrawAxesSeries()
{
  DrawWalls();
  if (FAxisBehind) {
    BroadcastToolEvent(cteBeforeDrawAxes);
    BroadcastAnimationEvent(cteBeforeDrawAxes);
    DrawAllAxis();
  }
  BroadcastToolEvent(cteBeforeDrawSeries);
  BroadcastAnimationEvent(cteBeforeDrawSeries);
  // The parallel preparation needs worker threads, which nothing in the
  // program asks for (ParallelThreads stays 0).
  DoOnBeforeDrawSeries();
  DrawAllSeries();
  BroadcastToolEvent(cteAfterDrawSeries);
  BroadcastAnimationEvent(cteAfterDrawSeries);
  if (!FAxisBehind) {
    BroadcastToolEvent(cteBeforeDrawAxes);
    BroadcastAnimationEvent(cteBeforeDrawAxes);
    DrawAllAxis();
  }
}

bool TCustomAxisPanel::DrawBackWallAfter(int32_t Z)
{
  TCanvas3D* C = InternalCanvas();
  if (C->SupportsFullRotation())
    return false;
  // Corners taken so that the wall seen from the front (the usual view) is
  // not culled: only a view from behind finds it facing away.
  const TRect& R = ChartRect;
  const TPoint P0 = C->Calculate3DPosition(R.Left, R.Top, Z);
  const TPoint P1 = C->Calculate3DPosition(R.Left, R.Bottom, Z);
  const TPoint P2 = C->Calculate3DPosition(R.Right, R.Bottom, Z);
  return ZuzCull(P0, P1, P2);
}

void TCustomAxisPanel::DrawAllAxis()
{
  if (!FAxisVisible)
    return;
  const TEntity Entity(InternalCanvas(), QStringLiteral("Axes"));
  DoOnBeforeDrawAxes();
  const bool SkipBottom = DrawBackWallAfter(0);
  for (int32_t I = 0; I < FAxes->Count(); ++I) {
    TChartAxis* A = FAxes->Get(I);
    if (A->IsVisible && !(A == FBottomAxis && SkipBottom))
      A->Draw(true);
  }
}

void TCustomAxisPanel::ClipRegionCreate()
{
  if (!CanClip())
    return;
  TRect R = ChartRect;
  --R.Top;
  ++R.Bottom;
  InternalCanvas()->ClipCube(R, 0, Width3D());
}

void TCustomAxisPanel::DrawMarksSeries(TChartSeries* Series)
{
  // Marks come with the series' marks object; a series without one draws
  // none.
  if (!Series->HasMarks() || Series->Count() == 0)
    return;
  const TEntity Entity(InternalCanvas(), QStringLiteral("Marks"));
  Series->DrawMarks();
}

void TCustomAxisPanel::DrawSeries(TChartSeries* Series)
{
  TCanvas3D* C = InternalCanvas();
  if (!C->SupportsFullRotation() && View3D() && Series->MoreSameZOrder()) {
    DrawSeriesGroup(Series);
    return;
  }
  Series->CalcFirstLastVisibleIndex();
  if (Series->FirstValueIndex() == -1)
    return;
  const bool Shown = !Series->IHideWhenVisible;
  const bool Clip = Shown && Series->UseAxis() && FClipPoints;
  if (Clip)
    ClipRegionCreate();
  Series->BeginEntity();
  Series->DoBeforeDrawValues();
  if (Shown) {
    if (!(ParallelThreads >= 2 && Series->CanBeforeParallel()))
      Series->DoBeforeParallel();
    Series->DrawAllValues();
    if (Clip)
      C->UnClipRectangle();
    DrawMarksSeries(Series);
  }
  Series->DoAfterDrawValues();
  C->EndEntity();
}

void TCustomAxisPanel::DrawSeriesGroup(TChartSeries* Series)
{
  if (!Series->FirstInZOrder())
    return;
  TCanvas3D* C = InternalCanvas();
  const int32_t Start = IndexOfSeries(Series);
  const int32_t Z = Series->ZOrderValue();
  std::vector<TChartSeries*> Group;
  int32_t First = -1, Last = -1;
  bool Clipped = false;
  for (int32_t I = Start; I < SeriesCount(); ++I) {
    TChartSeries* S = FSeriesList->Items(I);
    if (!S->Active() || S->ZOrderValue() != Z)
      continue;
    S->CalcFirstLastVisibleIndex();
    if (S->FirstValueIndex() == -1)
      continue;
    Group.push_back(S);
    First = First < 0 ? S->FirstValueIndex() : std::min(First, S->FirstValueIndex());
    Last = std::max(Last, S->LastValueIndex());
    S->DoBeforeDrawValues();
    if (FClipPoints && !Clipped) {
      ClipRegionCreate();
      Clipped = true;
    }
  }
  if (First >= 0) {
    std::vector<int32_t> Points = Series->SortDrawPoints(First, Last);
    if (Points.empty())
      for (int32_t P = First; P <= Last; ++P)
        Points.push_back(P);
    if (!Series->DrawValuesForward())
      std::reverse(Points.begin(), Points.end());
    for (const int32_t P : Points) {
      std::vector<int32_t> Order = Series->SortDrawSeries(Start, SeriesCount(), P);
      if (Order.empty())
        for (int32_t I = Start; I < SeriesCount(); ++I)
          Order.push_back(I);
      if (P < Series->Count() && !Series->DrawSeriesForward(P))
        std::reverse(Order.begin(), Order.end());
      for (const int32_t I : Order) {
        TChartSeries* S = FSeriesList->Items(I);
        if (S->Active() && S->ZOrderValue() == Z && P < S->Count() && !S->HasZValues)
          S->DrawValue(P);
      }
    }
  }
  if (Clipped)
    C->UnClipRectangle();
  for (TChartSeries* S : Group) {
    DrawMarksSeries(S);
    S->DoAfterDrawValues();
  }
}

void TCustomAxisPanel::DrawAllSeries()
{
  TCanvas3D* C = InternalCanvas();
  const TEntity Entity(C, QStringLiteral("Series"));
  if (FSeriesList->Empty())
    return;
  std::vector<TChartSeries*> Order = FSeriesList->Items();
  if (!C->SupportsFullRotation() && !FSeriesList->First()->DrawSeriesAscending())
    std::reverse(Order.begin(), Order.end());
  for (TChartSeries* S : Order)
    if (S->Active())
      DrawSeries(S);
}
