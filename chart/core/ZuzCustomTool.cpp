#include "chart/core/ZuzCustomTool.h"

#include "platform/Published.h"
#include "rtl/Exceptions.h"

#include <algorithm>

namespace {
[[maybe_unused]] const TClassInfo& ToolClass =
    PublishClass<TZuzCustomTool>("TZuzCustomTool", "TCustomChartElement",
                                 {PropBool("Active", &TZuzCustomTool::Active, &TZuzCustomTool::SetActive, true)});
[[maybe_unused]] const TClassInfo& AnimationClass =
    PublishClass<TZuzCustomAnimation>("TZuzCustomAnimation", "TZuzCustomTool");
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
  TCustomChartElement::SetParentChart(Value);
  if (Value)
    ListOf(Value)->InternalAdd(this);
}

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

TZuzCustomAnimation::TZuzCustomAnimation(TComponent* AOwner) : TZuzCustomTool(AOwner) {}

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
