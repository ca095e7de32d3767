#include "chart/series/CustomSeries.h"

#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesList.h"
#include "platform/Published.h"

const TEnumInfo& CustomSeriesDrawStyleInfo()
{
  static const TEnumInfo Info("TCustomSeriesDrawStyle", {"dsSegments", "dsAll", "dsCurve"});
  return Info;
}

const TEnumInfo& CustomSeriesStackInfo()
{
  static const TEnumInfo Info("TCustomSeriesStack", {"cssNone", "cssOverlap", "cssStack", "cssStack100"});
  return Info;
}

namespace {
[[maybe_unused]] const TClassInfo& PointerItemsClass =
    PublishClass<TSeriesPointerItems>("TSeriesPointerItems", "TSeriesPointer", {});

[[maybe_unused]] const TClassInfo& CustomSeriesClass = PublishClass<TCustomSeries>(
    "TCustomSeries", "TCustomLineSeries", {PropEvent("OnGetPointerStyle", &TCustomSeries::OnGetPointerStyle)});

// Series is of Kind's class or of a class derived from it.
bool IsOfClassOf(const TPersistent* Series, const TPersistent* Kind)
{
  if (typeid(*Series) == typeid(*Kind))
    return true;
  const TClassInfo* Mine = GetClass(Series->ClassName());
  const TClassInfo* Theirs = GetClass(Kind->ClassName());
  return Mine && Theirs && Mine->InheritsFrom(Theirs);
}
} // namespace

// ---------------------------------------------------------------------------
// Per-point pointers

TSeriesPointerItems::TSeriesPointerItems(TChartSeries* ASeries) : TSeriesPointer(ASeries) {}

TSeriesPointerItems::~TSeriesPointerItems() { IList.clear(); }

String TSeriesPointerItems::ClassName() const { return QStringLiteral("TSeriesPointerItems"); }

void TSeriesPointerItems::Ensure(int32_t Index)
{
  if (Index >= Count())
    IList.resize(static_cast<size_t>(Index) + 1);
}

TSeriesPointer* TSeriesPointerItems::Get(int32_t Index)
{
  if (Index < 0)
    return this;
  Ensure(Index);
  auto& Entry = IList[static_cast<size_t>(Index)];
  if (!Entry) {
    Entry = std::make_unique<TSeriesPointer>(Series());
    Entry->Assign(this);
  }
  return Entry.get();
}

void TSeriesPointerItems::Put(int32_t Index, TSeriesPointer* Value)
{
  if (Index < 0)
    return;
  if (Value) {
    Ensure(Index);
    auto Copy = std::make_unique<TSeriesPointer>(Series());
    Copy->Assign(Value);
    InternalPut(Index, std::move(Copy));
  } else if (Index < Count())
    InternalPut(Index, nullptr);
  Repaint();
}

void TSeriesPointerItems::InternalPut(int32_t Index, std::unique_ptr<TSeriesPointer> Value)
{
  IList[static_cast<size_t>(Index)] = std::move(Value);
}

TSeriesPointer* TSeriesPointerItems::InternalGet(int32_t Index)
{
  if (Index < 0 || Index >= Count() || !IList[static_cast<size_t>(Index)])
    return this;
  return IList[static_cast<size_t>(Index)].get();
}

void TSeriesPointerItems::Delete(int32_t Index)
{
  if (Index >= 0 && Index < Count())
    IList.erase(IList.begin() + Index);
}

void TSeriesPointerItems::Swap(int32_t A, int32_t B)
{
  if (A >= 0 && B >= 0 && A < Count() && B < Count())
    std::swap(IList[static_cast<size_t>(A)], IList[static_cast<size_t>(B)]);
}

void TSeriesPointerItems::SetParent(TCustomZuzPanel* Value)
{
  TSeriesPointer::SetParent(Value);
  for (const auto& P : IList)
    if (P)
      P->SetParent(Value);
}

void TSeriesPointerItems::Clear()
{
  IList.clear();
  Repaint();
}

// ---------------------------------------------------------------------------
// The series

TCustomSeries::TCustomSeries(TComponent* AOwner) : TCustomLineSeries(AOwner)
{
  const TNotifyEvent Changed = [this](TObject* Sender) { CanvasChanged(Sender); };
  FAreaBrush = std::make_unique<TZuzBrush>(Changed);
  // The area takes the point colour unless given its own: a fixed grey
  // would paint every area alike and unlike its legend symbol.
  FAreaBrush->InitColor(clDefault);
  FAreaBrush->SetBackColor(clDefault);
  FAreaLinesPen = CreateChartPen();
  FEmboss = std::make_unique<TZuzEmboss>(Changed);
  FShadow = std::make_unique<TZuzShadow>(Changed);
  FPointer = std::make_unique<TSeriesPointerItems>(this);
  Brush()->InitColor(clDefault);
  Brush()->SetBackColor(clDefault);
  HoverElement = heCurrent;
}

TCustomSeries::~TCustomSeries()
{
  // Drawing code may still reach the pointer while the base tears down.
  auto Pointer = std::move(FPointer);
}

String TCustomSeries::ClassName() const { return QStringLiteral("TCustomSeries"); }

String TCustomSeries::GetEditorClass() const { return QStringLiteral("TCustomSeriesEditor"); }

void TCustomSeries::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TCustomSeries*>(Source)) {
    FClickableLine = S->FClickableLine;
    FClickTolerance = S->FClickTolerance;
    FDrawStyle = S->FDrawStyle;
    FStacked = S->FStacked;
  }
  TCustomLineSeries::Assign(Source);
}

void TCustomSeries::AssignFormatting(TChartSeries* Source)
{
  if (auto* S = dynamic_cast<TCustomSeries*>(Source)) {
    FAreaBrush->Assign(S->FAreaBrush.get());
    FAreaColor = S->FAreaColor;
    FAreaLinesPen->Assign(S->FAreaLinesPen.get());
    FColorEachLine = S->FColorEachLine;
    FDark3D = S->FDark3D;
    FDrawArea = S->FDrawArea;
    FDrawLine = S->FDrawLine;
    FInflateMargins = S->FInflateMargins;
    FInvertedStairs = S->FInvertedStairs;
    FLineHeight = S->FLineHeight;
    FPointer->Assign(S->FPointer.get());
    FPointerBehind = S->FPointerBehind;
    FStairs = S->FStairs;
    SetOutLine(S->FOutLine.get());
    FEmboss->Assign(S->FEmboss.get());
    FShadow->Assign(S->FShadow.get());
  }
  TCustomLineSeries::AssignFormatting(Source);
}

void TCustomSeries::SetParentChart(TCustomAxisPanel* Value)
{
  TCustomLineSeries::SetParentChart(Value);
  if (FPointer)
    FPointer->SetParent(Value);
}

void TCustomSeries::Clear()
{
  TCustomLineSeries::Clear();
  FDirty = true;
}

void TCustomSeries::Delete(int32_t ValueIndex)
{
  TCustomLineSeries::Delete(ValueIndex);
  FPointer->Delete(ValueIndex);
}

void TCustomSeries::SwapValueIndex(int32_t A, int32_t B)
{
  TCustomLineSeries::SwapValueIndex(A, B);
  FPointer->Swap(A, B);
}

void TCustomSeries::ResetBrush()
{
  Brush()->SetStyle(bsSolid);
  Brush()->SetColor(clDefault);
  Brush()->SetBackColor(clDefault);
  SetDefaultColor();
  Repaint();
}

TCanvas3D* TCustomSeries::Canvas() const { return FParent->InternalCanvas(); }

bool TCustomSeries::Is3D() const { return FParent && FParent->View3D(); }

TColor TCustomSeries::GetAreaBrushColor(TColor AColor) const
{
  if (ColorEachPoint())
    return AColor;
  return FAreaColor == clDefault ? AColor : FAreaColor;
}

// ---------------------------------------------------------------------------
// Settings

void TCustomSeries::SetAreaChartBrush(TZuzBrush* Value) { FAreaBrush->Assign(Value); }

TBrushStyle TCustomSeries::AreaBrush() const { return FAreaBrush->Style(); }

void TCustomSeries::SetAreaBrush(TBrushStyle Value) { FAreaBrush->SetStyle(Value); }

void TCustomSeries::SetAreaColor(TColor Value) { SetColorProperty(FAreaColor, Value); }

void TCustomSeries::SetAreaLinesPen(TZuzPen* Value) { FAreaLinesPen->Assign(Value); }

void TCustomSeries::SetColorEachLine(bool Value) { SetBooleanProperty(FColorEachLine, Value); }

void TCustomSeries::SetDark3D(bool Value) { SetBooleanProperty(FDark3D, Value); }

void TCustomSeries::SetDrawArea(bool Value) { SetBooleanProperty(FDrawArea, Value); }

void TCustomSeries::SetDrawLine(bool Value) { SetBooleanProperty(FDrawLine, Value); }

void TCustomSeries::SetDrawStyle(TCustomSeriesDrawStyle Value)
{
  if (FDrawStyle != Value) {
    FDrawStyle = Value;
    Repaint();
  }
}

void TCustomSeries::SetEmboss(TZuzEmboss* Value) { FEmboss->Assign(Value); }

TZuzGradient* TCustomSeries::GetGradient() const { return Brush()->Gradient(); }

void TCustomSeries::SetGradient(TZuzGradient* Value) { Brush()->Gradient()->Assign(Value); }

void TCustomSeries::SetInflateMargins(bool Value) { SetBooleanProperty(FInflateMargins, Value); }

void TCustomSeries::SetInvertedStairs(bool Value) { SetBooleanProperty(FInvertedStairs, Value); }

TBrushStyle TCustomSeries::LineBrush() const { return Brush()->Style(); }

void TCustomSeries::SetLineBrush(TBrushStyle Value) { Brush()->SetStyle(Value); }

void TCustomSeries::SetLineHeight(int32_t Value) { SetIntegerProperty(FLineHeight, Value); }

TZuzHiddenPen* TCustomSeries::OutLine()
{
  if (!FOutLine)
    FOutLine = std::make_unique<TZuzHiddenPen>([this](TObject* Sender) { CanvasChanged(Sender); });
  return FOutLine.get();
}

void TCustomSeries::SetOutLine(TZuzHiddenPen* Value)
{
  if (!Value) {
    FOutLine.reset();
    Repaint();
    return;
  }
  OutLine()->Assign(Value);
}

void TCustomSeries::SetPointer(TSeriesPointer* Value) { FPointer->Assign(Value); }

void TCustomSeries::SetPointerBehind(bool Value) { SetBooleanProperty(FPointerBehind, Value); }

void TCustomSeries::SetShadow(TZuzShadow* Value) { FShadow->Assign(Value); }

void TCustomSeries::SetStairs(bool Value) { SetBooleanProperty(FStairs, Value); }

void TCustomSeries::SetStacked(TCustomSeriesStack Value)
{
  FStacked = Value;
  if (FParent)
    for (TChartSeries* S : FParent->SeriesList())
      if (auto* C = dynamic_cast<TCustomSeries*>(S); C && C != this && IsOfClassOf(this, C))
        C->FStacked = Value;
  Repaint();
}

void AddSubStyles(const TSubGalleryProc& AddSubChart, std::span<const TSeriesSubStyle> Styles)
{
  for (const TSeriesSubStyle& S : Styles)
    AddSubChart(*S.Caption);
}

void ApplySubStyle(TChartSeries* Series, std::span<const TSeriesSubStyle> Styles, int32_t Index)
{
  auto* S = dynamic_cast<TCustomSeries*>(Series);
  if (S && Index >= 1 && Index <= static_cast<int32_t>(Styles.size()))
    Styles[static_cast<size_t>(Index - 1)].Apply(S);
}
