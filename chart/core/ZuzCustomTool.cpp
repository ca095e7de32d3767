#include "chart/core/ZuzCustomTool.h"

#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartSeries.h"
#include "platform/ClassRegistry.h"
#include "platform/Filer.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"

#include <algorithm>

namespace {
[[maybe_unused]] const TClassInfo& ToolClass =
    PublishClass<TZuzCustomTool>("TZuzCustomTool", "TCustomChartElement",
                                 {PropBool("Active", &TZuzCustomTool::Active, &TZuzCustomTool::SetActive, true)});
[[maybe_unused]] const TClassInfo& AnimationClass =
    PublishClass<TZuzCustomAnimation>("TZuzCustomAnimation", "TZuzCustomTool");
[[maybe_unused]] const TClassInfo& ToolSeriesClass =
    PublishClass<TZuzCustomToolSeries>("TZuzCustomToolSeries", "TZuzCustomTool");
[[maybe_unused]] const TClassInfo& ToolAxisClass =
    PublishClass<TZuzCustomToolAxis>("TZuzCustomToolAxis", "TZuzCustomTool");
} // namespace

TZuzCustomTool::TZuzCustomTool(TComponent* AOwner) : TCustomChartElement(AOwner) {}

TZuzCustomTool::~TZuzCustomTool() { TZuzCustomTool::SetParentChart(nullptr); }

String TZuzCustomTool::ClassName() const { return QStringLiteral("TZuzCustomTool"); }

TChartTools* TZuzCustomTool::ListOf(TCustomAxisPanel* Chart) const { return &Chart->Tools(); }

void TZuzCustomTool::SetParentChart(TCustomAxisPanel* Value)
{
  TCustomAxisPanel* Old = ParentChart();
  if (Old == Value)
    return;
  if (Old) {
    ListOf(Old)->Remove(this);
    if (!Value)
      Old->Invalidate();
  }
  StoreParentChart(Value);
  if (Value)
    ListOf(Value)->InternalAdd(this);
}

void TZuzCustomTool::StoreParentChart(TCustomAxisPanel* Value) { TCustomChartElement::SetParentChart(Value); }

void TZuzCustomTool::ChartEvent(TChartToolEvent) {}
void TZuzCustomTool::ChartMouseEvent(TChartMouseEvent, TMouseButton, TShiftState, int32_t, int32_t) {}
void TZuzCustomTool::ChartDragDropEvent(TChartDragDropEvent, TObject*, int32_t, int32_t, bool&) {}
void TZuzCustomTool::ChartKeyEvent(TChartKeyEvent, uint16_t&, char16_t&, TShiftState) {}
void TZuzCustomTool::SeriesEvent(TChartToolEvent, TChartSeries*) {}
void TZuzCustomTool::WheelMouseEvent(TWheelMouseEvent, int32_t, int32_t, int32_t) {}

bool TZuzCustomTool::SameClass(const TZuzCustomTool* Tool) const
{
  const TClassInfo* A = ClassInfoOf(this);
  const TClassInfo* B = ClassInfoOf(Tool);
  return A && B && (A->InheritsFrom(B) || B->InheritsFrom(A));
}

// ---------------------------------------------------------------------------

TZuzCustomToolSeries::TZuzCustomToolSeries(TComponent* AOwner) : TZuzCustomTool(AOwner) {}

TZuzCustomToolSeries::~TZuzCustomToolSeries() { SetSeries(nullptr); }

String TZuzCustomToolSeries::ClassName() const { return QStringLiteral("TZuzCustomToolSeries"); }

String TZuzCustomToolSeries::GetEditorClass() const { return QStringLiteral("TSeriesToolEditor"); }

void TZuzCustomToolSeries::Assign(TPersistent* Source)
{
  if (auto* T = dynamic_cast<TZuzCustomToolSeries*>(Source))
    FSeries = T->FSeries;
  TZuzCustomTool::Assign(Source);
}

void TZuzCustomToolSeries::SetSeries(TChartSeries* Value)
{
  if (FSeries == Value)
    return;
  if (FSeries)
    FSeries->RemoveFreeNotification(this);
  FSeries = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TZuzCustomToolSeries::Notification(TComponent* AComponent, TOperation Operation)
{
  TZuzCustomTool::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FSeries)
    FSeries = nullptr;
}

namespace {
// The first axis of the candidates an active series uses, else the
// default; then the custom axes of that orientation.
TChartAxis* UsedAxis(TCustomAxisPanel* Chart, TChartAxis* First, TChartAxis* Second, bool Horizontal)
{
  if (!Chart)
    return nullptr;
  for (TChartAxis* A : {First, Second})
    if (Chart->HasActiveSeries(A, false))
      return A;
  TChartCustomAxes* Custom = Chart->CustomAxes();
  for (int32_t I = 0; Custom && I < Custom->Count(); ++I) {
    TChartAxis* A = Custom->Get(I);
    if (A->Horizontal() == Horizontal && Chart->HasActiveSeries(A, false))
      return A;
  }
  return First;
}
} // namespace

TChartAxis* TZuzCustomToolSeries::GetHorizAxis() const
{
  if (FSeries)
    return FSeries->HorizAxis() == aCustomHorizAxis && FSeries->CustomHorizAxis() ? FSeries->CustomHorizAxis()
                                                                                  : FSeries->GetHorizAxis();
  TCustomAxisPanel* C = ParentChart();
  return C ? UsedAxis(C, C->BottomAxis(), C->TopAxis(), true) : nullptr;
}

TChartAxis* TZuzCustomToolSeries::GetVertAxis() const
{
  if (FSeries)
    return FSeries->VertAxis() == aCustomVertAxis && FSeries->CustomVertAxis() ? FSeries->CustomVertAxis()
                                                                               : FSeries->GetVertAxis();
  TCustomAxisPanel* C = ParentChart();
  return C ? UsedAxis(C, C->LeftAxis(), C->RightAxis(), false) : nullptr;
}

// ---------------------------------------------------------------------------

TZuzCustomToolAxis::TZuzCustomToolAxis(TComponent* AOwner) : TZuzCustomTool(AOwner) {}

String TZuzCustomToolAxis::ClassName() const { return QStringLiteral("TZuzCustomToolAxis"); }

String TZuzCustomToolAxis::GetEditorClass() const { return QStringLiteral("TAxisToolEditor"); }

void TZuzCustomToolAxis::Assign(TPersistent* Source)
{
  if (auto* T = dynamic_cast<TZuzCustomToolAxis*>(Source))
    FAxis = T->FAxis;
  TZuzCustomTool::Assign(Source);
}

void TZuzCustomToolAxis::SetAxis(TChartAxis* Value)
{
  if (FAxis == Value && (!Value || Value->ParentChart() == ParentChart()))
    return;
  FAxis = Value;
  SetParentChart(Value ? Value->ParentChart() : nullptr);
  Repaint();
}

void TZuzCustomToolAxis::DefineProperties(TFiler* Filer)
{
  TZuzCustomTool::DefineProperties(Filer);
  Filer->DefineProperty(
      QStringLiteral("AxisID"),
      [this](TReader& R) {
        const int32_t Index = R.ReadInteger();
        if (TCustomAxisPanel* C = ParentChart())
          SetAxis(C->Axes().Get(Index));
      },
      [this](TWriter& W) { W.WriteInteger(FAxis->ParentChart() ? FAxis->ParentChart()->Axes().IndexOf(FAxis) : -1); },
      FAxis != nullptr);
}

// ---------------------------------------------------------------------------

TZuzCustomAnimation::TZuzCustomAnimation(TComponent* AOwner) : TZuzCustomTool(AOwner) {}

String TZuzCustomAnimation::Title() const
{
  if (!Name().isEmpty())
    return Name();
  const String D = Description();
  return D.isEmpty() ? ClassName() : D;
}

void TZuzCustomAnimation::StoreParentChart(TCustomAxisPanel* Value) { FParent = Value; }

// Its own list is the animations': leave it while the object is still one.
TZuzCustomAnimation::~TZuzCustomAnimation() { SetParentChart(nullptr); }

String TZuzCustomAnimation::ClassName() const { return QStringLiteral("TZuzCustomAnimation"); }

TChartTools* TZuzCustomAnimation::ListOf(TCustomAxisPanel* Chart) const { return &Chart->Animations(); }

// ---------------------------------------------------------------------------

TChartTools::TChartTools(TCustomAxisPanel* AOwner) : FOwner(AOwner) {}

TChartTools::~TChartTools()
{
  // Tools still here outlive the list: they forget the chart.
  for (TZuzCustomTool* T : std::vector<TZuzCustomTool*>(FItems))
    T->TCustomChartElement::SetParentChart(nullptr);
}

String TChartTools::ClassName() const { return QStringLiteral("TChartTools"); }

TZuzCustomTool* TChartTools::Items(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FItems[static_cast<size_t>(Index)];
}

int32_t TChartTools::IndexOf(const TZuzCustomTool* Tool) const
{
  const auto It = std::find(FItems.begin(), FItems.end(), Tool);
  return It == FItems.end() ? -1 : static_cast<int32_t>(It - FItems.begin());
}

TZuzCustomTool* TChartTools::Add(TZuzCustomTool* Tool)
{
  if (FOwner)
    Tool->SetParentChart(FOwner);
  else
    InternalAdd(Tool);
  return Tool;
}

TZuzCustomTool* TChartTools::Add(const TClassInfo* ToolClass)
{
  auto* Tool = dynamic_cast<TZuzCustomTool*>(ToolClass->CreateComponent(FOwner));
  if (!Tool)
    throw EInvalidCast(QStringLiteral("%1 is no chart tool").arg(ToolClass->ClassName()));
  return Add(Tool);
}

void TChartTools::InternalAdd(TZuzCustomTool* Tool)
{
  if (IndexOf(Tool) >= 0)
    return;
  if (FOwner)
    FOwner->ApplyThemeTools(Tool);
  FItems.push_back(Tool);
}

void TChartTools::Remove(TZuzCustomTool* Tool)
{
  const auto It = std::find(FItems.begin(), FItems.end(), Tool);
  if (It != FItems.end())
    FItems.erase(It);
}

void TChartTools::Clear()
{
  while (!FItems.empty())
    delete FItems.back();
  FItems.clear();
}

void TChartTools::SetActive(bool Value)
{
  for (TZuzCustomTool* T : std::vector<TZuzCustomTool*>(FItems))
    T->SetActive(Value);
}

String TChartAnimations::ClassName() const { return QStringLiteral("TChartAnimations"); }

TZuzCustomAnimation* TChartAnimations::Get(int32_t Index) const
{
  return static_cast<TZuzCustomAnimation*>(Items()[static_cast<size_t>(Index)]);
}

TZuzCustomAnimation* TChartAnimations::AddClass(const TClassInfo* AnimationClass)
{
  TComponent* Owner = this->Owner() ? this->Owner()->Owner() : nullptr;
  auto* Animation = dynamic_cast<TZuzCustomAnimation*>(AnimationClass->CreateComponent(Owner));
  if (!Animation)
    throw EInvalidCast(QStringLiteral("%1 is no chart animation").arg(AnimationClass->ClassName()));
  Add(Animation);
  return Animation;
}

String TZuzCustomDesigner::ClassName() const { return QStringLiteral("TZuzCustomDesigner"); }
