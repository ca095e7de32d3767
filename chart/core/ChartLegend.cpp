#include "chart/core/ChartLegend.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartPage.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomChart.h"
#include "chart/core/SeriesList.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzSelected.h"
#include "platform/CanvasMath.h"
#include "platform/Published.h"
#include "rtl/StringList.h"

#include <algorithm>
#include <cstdlib>

QChar ZuzLegendColumnSeparator = QChar(6);

namespace {
const TEnumInfo LegendAlignmentInfo("TLegendAlignment", {"laLeft", "laRight", "laTop", "laBottom"});
const TEnumInfo LegendStyleInfo("TLegendStyle", {"lsAuto", "lsSeries", "lsValues", "lsLastValues", "lsSeriesGroups"});
const TEnumInfo LegendTextStyleInfo("TLegendTextStyle",
                                    {"ltsPlain", "ltsLeftValue", "ltsRightValue", "ltsLeftPercent", "ltsRightPercent",
                                     "ltsXValue", "ltsValue", "ltsPercent", "ltsXAndValue", "ltsXAndPercent",
                                     "ltsXAndText", "ltsXAndValueAndText"});
const TEnumInfo CheckBoxesStyleInfo("TCheckBoxesStyle", {"cbsCheck", "cbsRadio"});
const TEnumInfo LegendJustifyInfo("TLegendJustify", {"ljAutomatic", "ljYes", "ljNo"});
const TEnumInfo SymbolSizeInfo("TLegendSymbolSize", {"lcsPercent", "lcsPixels"});
const TEnumInfo SymbolPositionInfo("TLegendSymbolPosition", {"spLeft", "spRight"});
const TEnumInfo UnitsInfo("TZuzUnits", {"muPercent", "muPixels"});

using Y = TLegendSymbol;
[[maybe_unused]] const TClassInfo& SymbolClass =
    PublishClass<Y>("TLegendSymbol", "TPersistent",
                    {
                        PropBool("Continuous", &Y::Continuous, &Y::SetContinuous, false),
                        PropBool("DefaultPen", &Y::DefaultPen, &Y::SetDefaultPen, true),
                        PropObj("Emboss", &Y::Emboss, &Y::SetEmboss),
                        PropObj("Gradient", &Y::Gradient, &Y::SetGradient),
                        PropInt("Height", &Y::Height, &Y::SetHeight, 100),
                        PropEnum("HeightUnits", &Y::HeightUnits, &Y::SetHeightUnits, SymbolSizeInfo, lcsPercent),
                        PropObj("Pen", &Y::Pen, &Y::SetPen),
                        PropEnum("Position", &Y::Position, &Y::SetPosition, SymbolPositionInfo, spLeft),
                        PropObj("Shadow", &Y::Shadow, &Y::SetShadow),
                        PropBool("Squared", &Y::Squared, &Y::SetSquared, true),
                        PropBool("UseImages", &Y::UseImages, &Y::SetUseImages, true),
                        PropBool("Visible", &Y::Visible, &Y::SetVisible, true),
                        PropInt("Width", &Y::Width, &Y::SetWidth, 20),
                        PropEnum("WidthUnits", &Y::WidthUnits, &Y::SetWidthUnits, SymbolSizeInfo, lcsPercent),
                        PropEvent("OnDraw", &Y::OnDraw),
                    });

using I = TLegendItem;
[[maybe_unused]] const TClassInfo& ItemClass = PublishClass<I>("TLegendItem", "TPersistent",
                                                               {
                                                                   PropInt("Align", &I::Align, &I::SetAlign),
                                                                   PropObj("Font", &I::Font, &I::SetFont),
                                                                   PropInt("Left", &I::Left, &I::SetLeft),
                                                                   PropStr("Text", &I::Text, &I::SetText),
                                                                   PropStr("Text2", &I::Text2, &I::SetText2),
                                                                   PropStr("Text3", &I::Text3, &I::SetText3),
                                                                   PropInt("Top", &I::Top, &I::SetTop),
                                                               });

[[maybe_unused]] const TClassInfo& LegendTitleClass = PublishClass<TLegendTitle>("TLegendTitle", "TStringsShape");

using L = TCustomChartLegend;
[[maybe_unused]] const TClassInfo& CustomLegendClass = PublishClass<L>(
    "TCustomChartLegend", "TZuzCustomShapePosition",
    {
        PropEnum("Alignment", &L::Alignment, &L::SetAlignment, LegendAlignmentInfo, laRight),
        PropBool("CheckBoxes", &L::CheckBoxes, &L::SetCheckBoxes, false),
        PropEnum("CheckBoxesStyle", &L::CheckBoxesStyle, &L::SetCheckBoxesStyle, CheckBoxesStyleInfo, cbsCheck),
        PropInt("ColorWidth", &L::ColorWidth, &L::SetColorWidth, 20),
        PropBool("CurrentPage", &L::CurrentPage, &L::SetCurrentPage, true),
        PropObj("DividingLines", &L::DividingLines, &L::SetDividingLines),
        PropBool("DrawBehind", &L::DrawBehind, &L::SetDrawBehind, false),
        PropInt("FirstValue", &L::FirstValue, &L::SetFirstValue, 0),
        PropBool("FontSeriesColor", &L::FontSeriesColor, &L::SetFontSeriesColor, false),
        PropInt("GlobalTransparency", &L::GlobalTransparency, &L::SetGlobalTransparency, 0),
        PropEnum("HorizJustify", &L::HorizJustify, &L::SetHorizJustify, LegendJustifyInfo, ljAutomatic),
        PropInt("HorizMargin", &L::HorizMargin, &L::SetHorizMargin, 0),
        PropBool("Inverted", &L::Inverted, &L::SetInverted, false),
        PropInt("LeftPercent", &L::LeftPercent, &L::SetLeftPercent, 0),
        PropEnum("LegendStyle", &L::LegendStyle, &L::SetLegendStyle, LegendStyleInfo, lsAuto),
        PropInt("MaxNumRows", &L::MaxNumRows, &L::SetMaxNumRows, 0),
        PropEnum("PositionUnits", &L::PositionUnits, &L::SetPositionUnits, UnitsInfo, muPixels),
        PropBool("ResizeChart", &L::ResizeChart, &L::SetResizeChart, true),
        PropObj("Selected", &L::Selected, &L::SetSelected),
        PropObj("Symbol", &L::Symbol, &L::SetSymbol),
        PropEnum("TextStyle", &L::TextStyle, &L::SetTextStyle, LegendTextStyleInfo, ltsLeftValue),
        PropInt("TextSymbolGap", &L::TextSymbolGap, &L::SetTextSymbolGap, 2),
        PropObj("Title", &L::Title, &L::SetTitle),
        PropInt("TopPercent", &L::TopPercent, &L::SetTopPercent, 0),
        PropInt("TopPos", &L::TopPos, &L::SetTopPos, 10),
        PropInt("VertMargin", &L::VertMargin, &L::SetVertMargin, 0),
        PropInt("VertSpacing", &L::VertSpacing, &L::SetVertSpacing, 0),
    });
[[maybe_unused]] const TClassInfo& LegendClass = PublishClass<TChartLegend>("TChartLegend", "TCustomChartLegend");

int32_t ShadowV(const TZuzShadow* S) { return S && S->Visible() ? S->VertSize() : 0; }
int32_t ShadowH(const TZuzShadow* S) { return S && S->Visible() ? S->HorizSize() : 0; }

} // namespace

String TZuzLegendEvent::ClassName() const { return QStringLiteral("TZuzLegendEvent"); }

// ---------------------------------------------------------------------------
// TLegendSymbol

TLegendSymbol::TLegendSymbol(TCustomChartLegend* ALegend)
    : FEmboss(std::make_unique<TZuzEmboss>([this](TObject*) { Repaint(); })),
      FGradient(std::make_unique<TZuzGradient>([this](TObject*) { Repaint(); })),
      FPen(std::make_unique<TZuzPen>([this](TObject*) { Repaint(); })),
      FShadow(std::make_unique<TZuzShadow>([this](TObject*) { Repaint(); })), ILegend(ALegend)
{
  FShadow->InitValues(FShadow->Visible(), FShadow->Color(), 1);
  FEmboss->InitValues(FEmboss->Visible(), FEmboss->Color(), 1);
}

TLegendSymbol::~TLegendSymbol() = default;

String TLegendSymbol::ClassName() const { return QStringLiteral("TLegendSymbol"); }

void TLegendSymbol::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TLegendSymbol*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FContinuous = S->FContinuous;
  FHeight = S->FHeight;
  FHeightUnits = S->FHeightUnits;
  FPosition = S->FPosition;
  FSquared = S->FSquared;
  FUseImages = S->FUseImages;
  FWidth = S->FWidth;
  FWidthUnits = S->FWidthUnits;
  FVisible = S->FVisible;
}

void TLegendSymbol::Repaint()
{
  if (ILegend)
    ILegend->Repaint();
}

template <class T>
void TLegendSymbol::Change(T& Field, T Value)
{
  if (Field == Value)
    return;
  Field = Value;
  Repaint();
}

void TLegendSymbol::SetContinuous(bool Value) { Change(FContinuous, Value); }
void TLegendSymbol::SetDefaultPen(bool Value) { Change(FDefaultPen, Value); }
void TLegendSymbol::SetEmboss(TZuzEmboss* Value) { FEmboss->Assign(Value); }
void TLegendSymbol::SetGradient(TZuzGradient* Value) { FGradient->Assign(Value); }
void TLegendSymbol::SetHeight(int32_t Value) { Change(FHeight, Value); }
void TLegendSymbol::SetHeightUnits(TLegendSymbolSize Value) { Change(FHeightUnits, Value); }
void TLegendSymbol::SetPen(TZuzPen* Value) { FPen->Assign(Value); }
void TLegendSymbol::SetPosition(TLegendSymbolPosition Value) { Change(FPosition, Value); }
void TLegendSymbol::SetShadow(TZuzShadow* Value) { FShadow->Assign(Value); }
void TLegendSymbol::SetSquared(bool Value) { Change(FSquared, Value); }
void TLegendSymbol::SetUseImages(bool Value) { Change(FUseImages, Value); }
void TLegendSymbol::SetVisible(bool Value) { Change(FVisible, Value); }
void TLegendSymbol::SetWidth(int32_t Value) { Change(FWidth, Value); }
void TLegendSymbol::SetWidthUnits(TLegendSymbolSize Value) { Change(FWidthUnits, Value); }

int32_t TLegendSymbol::CalcHeight() const
{
  if (FHeightUnits == lcsPixels)
    return FHeight;
  if (FHeight > 100) {
    TCustomZuzPanel* P = ILegend ? ILegend->ParentChart() : nullptr;
    return P ? P->InternalCanvas()->TextHeight(QStringLiteral("W")) : 0;
  }
  const int32_t Row = ILegend ? ILegend->CalcItemHeight() : 0;
  return PixelRound((Row - 4) * FHeight / 100.0);
}

int32_t TLegendSymbol::CalcWidth(int32_t TextWidth) const
{
  if (!FVisible)
    return 0;
  if (FSquared)
    return CalcHeight() - (ILegend ? ILegend->VertSpacing() : 0);
  if (FWidthUnits == lcsPixels)
    return FWidth;
  return PixelRound(TextWidth * FWidth / 100.0);
}

// ---------------------------------------------------------------------------
// TLegendItem, TLegendItems

TLegendItem::TLegendItem(TCustomChartLegend* ALegend) : ILegend(ALegend) {}

TLegendItem::~TLegendItem() = default;

String TLegendItem::ClassName() const { return QStringLiteral("TLegendItem"); }

TZuzFont* TLegendItem::Font()
{
  if (!FFont) {
    FFont = std::make_unique<TZuzFont>();
    if (ILegend) {
      FFont->Assign(ILegend->Font());
      FFont->OnChange = [this](TObject*) {
        if (ILegend)
          ILegend->Repaint();
      };
    }
  }
  return FFont.get();
}

void TLegendItem::SetFont(TZuzFont* Value)
{
  if (!Value)
    FFont.reset();
  else
    Font()->Assign(Value);
  if (ILegend)
    ILegend->Repaint();
}

void TLegendItem::Changed(bool Position)
{
  if (!ILegend)
    return;
  if (Position)
    ILegend->Items().SetCustomPosition(true);
  else
    ILegend->Items().SetCustom(true);
  ILegend->Repaint();
}

void TLegendItem::SetAlign(int32_t Value)
{
  if (FAlign != Value) {
    FAlign = Value;
    Changed(false);
  }
}

void TLegendItem::SetLeft(int32_t Value)
{
  if (FLeft != Value) {
    FLeft = Value;
    Changed(true);
  }
}

void TLegendItem::SetTop(int32_t Value)
{
  if (FTop != Value) {
    FTop = Value;
    Changed(true);
  }
}

void TLegendItem::SetText(const String& Value)
{
  if (FText != Value) {
    FText = Value;
    Changed(false);
  }
}

void TLegendItem::SetText2(const String& Value)
{
  if (FText2 != Value) {
    FText2 = Value;
    Changed(false);
  }
}

void TLegendItem::SetText3(const String& Value)
{
  if (FText3 != Value) {
    FText3 = Value;
    Changed(false);
  }
}

TLegendItems::TLegendItems(TCustomChartLegend* ALegend) : ILegend(ALegend) {}

TLegendItems::~TLegendItems() = default;

String TLegendItems::ClassName() const { return QStringLiteral("TLegendItems"); }

TLegendItem* TLegendItems::GetItem(int32_t Index)
{
  if (Index < 0)
    return nullptr;
  if (Index >= Count())
    FItems.resize(static_cast<size_t>(Index) + 1);
  auto& Slot = FItems[static_cast<size_t>(Index)];
  if (!Slot)
    Slot = std::make_unique<TLegendItem>(ILegend);
  return Slot.get();
}

TLegendItem* TLegendItems::ItemIfAny(int32_t Index) const
{
  return Index >= 0 && Index < Count() ? FItems[static_cast<size_t>(Index)].get() : nullptr;
}

void TLegendItems::SetCustom(bool Value)
{
  if (FCustom != Value) {
    FCustom = Value;
    if (ILegend)
      ILegend->Repaint();
  }
}

void TLegendItems::SetCustomPosition(bool Value)
{
  if (FCustomPosition != Value) {
    FCustomPosition = Value;
    if (ILegend)
      ILegend->Repaint();
  }
}

void TLegendItems::Clear()
{
  ClearItems();
  if (ILegend)
    ILegend->Repaint();
}

TLegendTitle::TLegendTitle(TCustomZuzPanel* AOwner) : TStringsShape(AOwner)
{
  SetDraw3D(false);
  InitTransparent(true);
  Font()->InitStyle(FontStyleBit(fsBold));
  InitShadow(Shadow());
}

String TLegendTitle::ClassName() const { return QStringLiteral("TLegendTitle"); }

void TLegendTitle::InitShadow(TZuzShadow* AShadow) { AShadow->InitValues(AShadow->Visible(), 0xC0C0C0, 2); }

// ---------------------------------------------------------------------------
// TCustomChartLegend: settings

TCustomChartLegend::TCustomChartLegend(TCustomZuzPanel* AOwner)
    : TZuzCustomShapePosition(AOwner), ColumnWidths(3, 0),
      FDividingLines(std::make_unique<TZuzHiddenPen>([this](TObject*) { Repaint(); })),
      FItems(std::make_unique<TLegendItems>(this)), FSymbol(std::make_unique<TLegendSymbol>(this))
{
  SetDraw3D(false);
  FDividingLines->InitEndStyle(esFlat);
  // The gradient a series mark starts with.
  Gradient()->SetDirection(gdRightLeft);
  Gradient()->SetStartColor(0xC0C0C0);
  Gradient()->SetEndColor(0xFFFFFF);
}

TCustomChartLegend::~TCustomChartLegend() = default;

String TCustomChartLegend::ClassName() const { return QStringLiteral("TCustomChartLegend"); }

TCustomChart* TCustomChartLegend::Chart() const { return dynamic_cast<TCustomChart*>(FParent); }

void TCustomChartLegend::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TCustomChartLegend*>(Source)) {
    FAlignment = S->FAlignment;
    FCheckBoxes = S->FCheckBoxes;
    FCheckBoxesStyle = S->FCheckBoxesStyle;
    FCurrentPage = S->FCurrentPage;
    FDividingLines->Assign(S->FDividingLines.get());
    FDrawBehind = S->FDrawBehind;
    FFirstValue = S->FFirstValue;
    FFontSeriesColor = S->FFontSeriesColor;
    FGlobalTransp = S->FGlobalTransp;
    FHorizJustify = S->FHorizJustify;
    FHorizMargin = S->FHorizMargin;
    FInverted = S->FInverted;
    FLeftPercent = S->FLeftPercent;
    FLegendStyle = S->FLegendStyle;
    FMaxNumRows = S->FMaxNumRows;
    FPosUnits = S->FPosUnits;
    FResizeChart = S->FResizeChart;
    SetSelected(S->FSelected.get());
    FSymbol->Assign(S->FSymbol.get());
    FTextStyle = S->FTextStyle;
    SetTitle(S->FTitle.get());
    FTopLeftPos = S->FTopLeftPos;
    FTopPercent = S->FTopPercent;
    FVertMargin = S->FVertMargin;
    FVertSpacing = S->FVertSpacing;
  }
  TZuzCustomShapePosition::Assign(Source);
}

void TCustomChartLegend::SetAlignment(TLegendAlignment Value) { Change(FAlignment, Value); }
void TCustomChartLegend::SetCurrentPage(bool Value) { Change(FCurrentPage, Value); }
void TCustomChartLegend::SetDrawBehind(bool Value) { Change(FDrawBehind, Value); }
void TCustomChartLegend::SetFontSeriesColor(bool Value) { Change(FFontSeriesColor, Value); }
void TCustomChartLegend::SetGlobalTransparency(TZuzTransparency Value) { Change(FGlobalTransp, Value); }
void TCustomChartLegend::SetHorizJustify(TLegendJustify Value) { Change(FHorizJustify, Value); }
void TCustomChartLegend::SetHorizMargin(int32_t Value) { Change(FHorizMargin, Value); }
void TCustomChartLegend::SetInverted(bool Value) { Change(FInverted, Value); }
void TCustomChartLegend::SetLeftPercent(int32_t Value) { Change(FLeftPercent, Value); }
void TCustomChartLegend::SetMaxNumRows(int32_t Value) { Change(FMaxNumRows, Value); }
void TCustomChartLegend::SetPositionUnits(TZuzUnits Value) { Change(FPosUnits, Value); }
void TCustomChartLegend::SetTextStyle(TLegendTextStyle Value) { Change(FTextStyle, Value); }
void TCustomChartLegend::SetTextSymbolGap(int32_t Value) { Change(FTextSymbolGap, Value); }
void TCustomChartLegend::SetTopPercent(int32_t Value) { Change(FTopPercent, Value); }
void TCustomChartLegend::SetTopPos(int32_t Value) { Change(FTopLeftPos, Value); }
void TCustomChartLegend::SetVertMargin(int32_t Value) { Change(FVertMargin, Value); }
void TCustomChartLegend::SetVertSpacing(int32_t Value) { Change(FVertSpacing, Value); }
void TCustomChartLegend::SetLegendStyle(TLegendStyle Value)
{
  Change(FLegendStyle, Value);
  InternalLegendStyle = CalcLegendStyle();
}

void TCustomChartLegend::SetResizeChart(bool Value)
{
  if (FParent)
    Change(FResizeChart, Value);
}

void TCustomChartLegend::SetSeries(TChartSeries* Value) { Change(FSeries, Value); }
int32_t TCustomChartLegend::ColorWidth() const { return FSymbol->Width(); }
void TCustomChartLegend::SetColorWidth(int32_t Value) { FSymbol->SetWidth(Value); }
void TCustomChartLegend::SetDividingLines(TZuzHiddenPen* Value) { FDividingLines->Assign(Value); }
void TCustomChartLegend::SetSymbol(TLegendSymbol* Value) { FSymbol->Assign(Value); }
TLegendItem* TCustomChartLegend::GetItem(int32_t Index) { return FItems->GetItem(Index); }

void TCustomChartLegend::SetFirstValue(int32_t Value)
{
  if (Value < 0)
    throw LegendException(ZuzMsg_LegendFirstValue);
  Change(FFirstValue, Value);
}

void TCustomChartLegend::SetCheckBoxes(bool Value)
{
  if (FCheckBoxes == Value)
    return;
  FCheckBoxes = Value;
  Repaint();
  if (FParent)
    FParent->BroadcastZuzEventClass<TZuzLegendEvent>();
}

void TCustomChartLegend::SetCheckBoxesStyle(TCheckBoxesStyle Value)
{
  if (FCheckBoxesStyle == Value)
    return;
  FCheckBoxesStyle = Value;
  TCustomChart* C = Chart();
  if (Value == cbsRadio && C) {
    if (InternalLegendStyle == lsAuto)
      InternalLegendStyle = CalcLegendStyle();
    if (InternalLegendStyle == lsSeriesGroups) {
      bool Found = false;
      for (int32_t G = 0; G < C->SeriesGroups().Count(); ++G) {
        TSeriesGroup* Group = C->SeriesGroups().Items(G);
        if (Found)
          Group->SetActive(gaNo);
        else if (Group->Active() != gaNo)
          Found = true;
      }
    } else {
      bool Found = false;
      for (TChartSeries* S : std::vector<TChartSeries*>(C->SeriesList().Items()))
        if (S->ShowInLegend() && S->Active()) {
          if (Found)
            S->SetActive(false);
          Found = true;
        }
    }
  }
  Repaint();
  if (FParent)
    FParent->BroadcastZuzEventClass<TZuzLegendEvent>();
}

TZuzSelected* TCustomChartLegend::Selected()
{
  if (!FSelected)
    FSelected = std::make_unique<TZuzSelected>(this);
  return FSelected.get();
}

void TCustomChartLegend::SetSelected(TZuzSelected* Value)
{
  if (!Value)
    FSelected.reset();
  else
    Selected()->Assign(Value);
}

TLegendTitle* TCustomChartLegend::Title()
{
  if (!FTitle)
    FTitle = std::make_unique<TLegendTitle>(FParent);
  return FTitle.get();
}

void TCustomChartLegend::SetTitle(TLegendTitle* Value)
{
  if (!Value)
    FTitle.reset();
  else
    Title()->Assign(Value);
}

// ---------------------------------------------------------------------------
// What the items are

TLegendStyle TCustomChartLegend::CalcLegendStyle() const
{
  if (FLegendStyle != lsAuto)
    return FLegendStyle;
  const TCustomChart* C = Chart();
  int32_t Shown = 0;
  if (C)
    for (const TChartSeries* S : C->SeriesList())
      if (S->Active() && S->ShowInLegend())
        ++Shown;
  return FCheckBoxes || Shown > 1 ? lsSeries : lsValues;
}

TChartSeries* TCustomChartLegend::GetLegendSeries() const
{
  const TCustomChart* C = Chart();
  if (!C)
    return nullptr;
  // A series that left the chart is no longer the legend's.
  if (FSeries && C->IndexOfSeries(FSeries) >= 0)
    return FSeries;
  TChartSeries* First = C->GetASeries();
  if (First && First->ShowInLegend())
    return First;
  for (TChartSeries* S : C->SeriesList())
    if (S->Active() && S->ShowInLegend())
      return S;
  return First;
}

bool TCustomChartLegend::HasCheckBoxes() const { return FCheckBoxes && CalcLegendStyle() != lsValues; }

bool TCustomChartLegend::ShouldDraw() const
{
  const TCustomChart* C = Chart();
  return Visible() && C && (HasCheckBoxes() || C->CountActiveSeries() > 0);
}

String TCustomChartLegend::FormattedLegend(int32_t Index)
{
  TCustomChart* C = Chart();
  if (!C)
    return String();
  switch (CalcLegendStyle()) {
  case lsSeries:
    return C->SeriesTitleLegend(Index, !FCheckBoxes);
  case lsValues:
    return C->FormattedValueLegend(GetLegendSeries(), Index);
  case lsLastValues: {
    TChartSeries* S = C->SeriesLegend(Index, !FCheckBoxes);
    return S ? C->FormattedValueLegend(S, S->CountLegendItems() - 1) : String();
  }
  case lsSeriesGroups:
    return Index < C->SeriesGroups().Count() ? C->SeriesGroups().Items(Index)->Name : String();
  case lsAuto:
    break;
  }
  return String();
}

String TCustomChartLegend::FormattedValue(TChartSeries* ASeries, int32_t ValueIndex)
{
  if (!ASeries || ValueIndex == -1)
    return String();
  String S = ASeries->LegendString(ValueIndex, FTextStyle);
  S.replace(ZuzTextLineBreak, QLatin1Char(' '));
  return S;
}

// ---------------------------------------------------------------------------
// Layout

int32_t TCustomChartLegend::FrameWidth() const
{
  int32_t F = Frame()->Visible() ? Frame()->Width() : 0;
  if (Bevel() != bvNone)
    F += BevelWidth();
  return F;
}

bool TCustomChartLegend::CalcInverted() const
{
  bool Result = FInverted;
  if (CalcLegendStyle() == lsValues)
    if (const TChartSeries* S = GetLegendSeries(); S && S->InvertedLegend())
      Result = !Result;
  return Result;
}

int32_t TCustomChartLegend::CalcItemHeight() const
{
  TCustomZuzPanel* P = FParent;
  int32_t H = P ? P->InternalCanvas()->TextHeight(QStringLiteral("W")) : 0;
  if (FSymbol->Visible()) {
    if (FSymbol->HeightUnits() == lcsPixels)
      H = std::max(H, FSymbol->Height());
    else if (FSymbol->Height() > 100)
      H = PixelRound(H * FSymbol->Height() / 100.0);
  }
  if (HasCheckBoxes())
    H = std::max(H, 17);
  H += FVertSpacing;
  if (Vertical() && FDividingLines->Visible())
    H += FDividingLines->Width();
  return H;
}

int32_t TCustomChartLegend::FirstItemTop() const
{
  int32_t T = ShapeBounds.Top;
  if (Frame()->Visible())
    T += Frame()->Width() / 2;
  if (IDrawTitle && FTitle)
    T += FTitle->Height() + 2;
  return T;
}

int32_t TCustomChartLegend::CalcItemWidthColor(int32_t W) const
{
  return W + IColorWidth + FTextSymbolGap + 8 + (HasCheckBoxes() ? 15 : 0);
}

int32_t TCustomChartLegend::DividingWidth() const
{
  return FDividingLines->Visible() ? FDividingLines->Width() + 2 : 0;
}

int32_t TCustomChartLegend::TitleWidth() const
{
  if (!FTitle || !FParent)
    return 0;
  TCanvas3D* C = FParent->InternalCanvas();
  C->AssignFont(FTitle->Font());
  return FTitle->Width() + C->TextWidth(QStringLiteral(" "));
}

int32_t TCustomChartLegend::ColumnTextWidth(int32_t Col, int32_t K) const
{
  if (!ColumnWidthAuto) {
    const size_t At = static_cast<size_t>(Col) * 3 + static_cast<size_t>(K);
    return At < ColumnWidths.size() ? ColumnWidths[At] : 0;
  }
  int32_t Most = 0;
  for (int32_t I = Col; I < ITotalItems && I < static_cast<int32_t>(IItemsWidth.size()); I += std::max(NumCols, 1))
    Most = std::max(Most, IItemsWidth[static_cast<size_t>(I)][static_cast<size_t>(K)]);
  return Most;
}

int32_t TCustomChartLegend::ColumnWidth(int32_t Col) const
{
  int32_t W = 0;
  for (int K = 0; K < 3; ++K)
    W += ColumnTextWidth(Col, K);
  W = CalcItemWidthColor(W);
  if (Col < NumCols - 1)
    W += DividingWidth() + 2;
  return W;
}

void TCustomChartLegend::CalcColumnsWidth()
{
  if (!ColumnWidthAuto)
    return;
  const int32_t Cols = std::max(NumCols, 1);
  ColumnWidths.assign(static_cast<size_t>(Cols) * 3, 0);
  for (int32_t I = 0; I < ITotalItems && I < static_cast<int32_t>(IItemsWidth.size()); ++I)
    for (int K = 0; K < 3; ++K) {
      int32_t& Slot = ColumnWidths[static_cast<size_t>(I % Cols) * 3 + static_cast<size_t>(K)];
      Slot = std::max(Slot, IItemsWidth[static_cast<size_t>(I)][static_cast<size_t>(K)]);
    }
}

int32_t TCustomChartLegend::TotalColumnsWidth() const
{
  int32_t W = 0;
  for (int32_t C = 0; C < NumCols; ++C)
    W += ColumnWidth(C);
  return W;
}

TChartSeries* TCustomChartLegend::ItemSeries(int32_t ValueIndex) const
{
  const TCustomChart* C = Chart();
  return C ? C->SeriesLegend(ValueIndex, !HasCheckBoxes()) : nullptr;
}

int32_t TCustomChartLegend::CalcTotalItems()
{
  TCustomChart* C = Chart();
  int32_t N = 0;
  if (FItems->Custom())
    return FItems->Count();
  switch (InternalLegendStyle) {
  case lsSeriesGroups:
    return C->SeriesGroups().Count();
  case lsSeries:
  case lsLastValues:
    for (const TChartSeries* S : C->SeriesList())
      if (S->ShowInLegend() && (S->Active() || FCheckBoxes))
        ++N;
    break;
  case lsValues:
    if (TChartSeries* S = GetLegendSeries(); S && S->ShowInLegend()) {
      N = S->CountLegendItems();
      if (S->InvertedLegend())
        IInverted = !IInverted;
    }
    break;
  case lsAuto:
    break;
  }
  N = std::max(N - FFirstValue, 0);
  if (C->GetPointsPerPage() > 0 && InternalLegendStyle == lsValues && FCurrentPage)
    N = std::min(N, C->GetPointsPerPage());
  return N;
}

void TCustomChartLegend::SetItem(int32_t Slot, int32_t ValueIndex)
{
  TCustomChart* C = Chart();
  std::array<String, 3>& T = IItems[static_cast<size_t>(Slot)];
  TLegendItem* Custom = FItems->Custom() ? FItems->ItemIfAny(ValueIndex) : nullptr;
  if (Custom) {
    T = {Custom->Text(), Custom->Text2(), Custom->Text3()};
  } else {
    const String S = C->FormattedLegend(ValueIndex);
    const qsizetype A = S.indexOf(ZuzLegendColumnSeparator);
    if (A < 0)
      T = {S, String(), String()};
    else {
      const qsizetype B = S.indexOf(ZuzLegendColumnSeparator, A + 1);
      T = {S.left(A), B < 0 ? S.mid(A + 1) : S.mid(A + 1, B - A - 1), B < 0 ? String() : S.mid(B + 1)};
    }
  }
  int32_t Sum = 0;
  std::array<int32_t, 3>& W = IItemsWidth[static_cast<size_t>(Slot)];
  for (int K = 0; K < 3; ++K) {
    int32_t Lines = 0;
    const String& Text = T[static_cast<size_t>(K)];
    W[static_cast<size_t>(K)] = Text.isEmpty() ? 0 : C->MultiLineTextWidth(Text, Lines, TextFormat()) + FTextSymbolGap;
    if (!Text.isEmpty())
      Sum += W[static_cast<size_t>(K)] + ISpaceWidth - 1;
  }
  IColorWidths[static_cast<size_t>(Slot)] = FSymbol->CalcWidth(Sum);
}

void TCustomChartLegend::GetItems()
{
  const int32_t N = std::max(ILastValue - FFirstValue + 1, 0);
  IItems.assign(static_cast<size_t>(N), {});
  IItemsWidth.assign(static_cast<size_t>(N), {0, 0, 0});
  IColorWidths.assign(static_cast<size_t>(N), 0);
  for (int32_t Slot = 0; Slot < N; ++Slot)
    SetItem(Slot, IInverted ? ILastValue - Slot : FFirstValue + Slot);
  IColorWidth = IColorWidths.empty() ? 0 : *std::max_element(IColorWidths.begin(), IColorWidths.end());
}

int32_t TCustomChartLegend::CalcFittingItems(int32_t W, bool Justified)
{
  NumCols = ITotalItems;
  NumRows = 1;
  int32_t Count = 0, Left = W;
  for (int32_t I = 0; I < ITotalItems; ++I) {
    const int32_t Item = ColumnWidth(I);
    if (Item > Left || Left < 1)
      break;
    Left -= Item;
    ++Count;
  }
  if (!Justified)
    return Count;
  int32_t Cols = std::max(Count, 1);
  for (;;) {
    NumCols = Cols;
    NumRows = CalcHorizNumRows(Cols);
    if (2 + TotalColumnsWidth() <= W || Cols <= 0)
      break;
    --Cols;
  }
  return Cols;
}

int32_t TCustomChartLegend::CalcHorizNumRows(int32_t Cols) const
{
  if (Cols <= 0)
    return 0;
  const int32_t Rows = ITotalItems / Cols + (ITotalItems % Cols ? 1 : 0);
  return std::min(Rows, FMaxNumRows > 0 ? FMaxNumRows : 10);
}

int32_t TCustomChartLegend::MaxLegendColumns(TLegendJustify Justify)
{
  if (ITotalItems == 0)
    return 0;
  TCustomChart* C = Chart();
  const int32_t F = FrameWidth();
  const int32_t BW = C->ChartBounds().Width();
  const int32_t W = BW - 2 * F - C->BorderSize() - BW * FHorizMargin / 100 -
                    (CustomPosition() ? 0 : PixelRound(FTopLeftPos * BW / 100.0));
  if (Justify == ljYes) {
    IJustify = true;
    return CalcFittingItems(W, true);
  }
  const int32_t Fit = CalcFittingItems(W, false);
  if (Fit == 0 && FHorizJustify == ljAutomatic) {
    IJustify = true;
    return CalcFittingItems(W, true);
  }
  IJustify = false;
  return std::min(Fit, ITotalItems);
}

void TCustomChartLegend::ResizeVertical()
{
  ItemsTopMargin = PixelRound(ItemHeight * 0.1);
  int32_t H = ItemHeight * NumRows + 2 * ItemsTopMargin + FrameWidth() + 2;
  if (IDrawTitle && FTitle)
    H += FTitle->Height() + 4;
  if (FSymbol->Visible()) {
    const int32_t S = ItemHeight / 6;
    for (const TZuzShadow* E :
         {static_cast<const TZuzShadow*>(FSymbol->Shadow()), static_cast<const TZuzShadow*>(FSymbol->Emboss())})
      if (E->Visible() && std::abs(E->VertSize()) > S)
        H += std::abs(E->VertSize()) - S;
  }
  if (FAlignment == laBottom && !CustomPosition())
    ShapeBounds.Top = ShapeBounds.Bottom - H;
  else
    ShapeBounds.Bottom = ShapeBounds.Top + H;
}

void TCustomChartLegend::CalcWidths(int32_t& W)
{
  CalcColumnsWidth();
  IMaxWidth = 0;
  for (const std::array<int32_t, 3>& Item : IItemsWidth) {
    int32_t Row = 0;
    for (const int32_t Col : Item)
      if (Col > 0)
        Row += Col + ISpaceWidth - 1;
    IMaxWidth = std::max(IMaxWidth, Row);
  }
  W = IMaxWidth + FTextSymbolGap + 2;
  IColorWidth = InternalLegendStyle == lsSeriesGroups ? 0 : FSymbol->CalcWidth(W);
  if (FSymbol->Visible())
    W += IColorWidth + 4 + std::abs(ShadowH(FSymbol->Shadow())) + std::abs(ShadowH(FSymbol->Emboss()));
  W += FrameWidth();
  if (OnCalcSize)
    OnCalcSize(this, W);
  if (IDrawTitle)
    W = std::max(W, TitleWidth());
}

void TCustomChartLegend::CalcSymbolTextPos(int32_t X)
{
  const int32_t Start = X + FrameWidth() / 2 + 6;
  if (!FSymbol->Visible() || FSymbol->Position() == spRight || InternalLegendStyle == lsSeriesGroups) {
    XLegendText = Start + (FSymbol->Visible() ? 0 : 2);
    if (FSymbol->Visible() && FSymbol->Position() == spRight)
      XLegendColor = XLegendText + ColumnWidths[0] + ColumnWidths[1] + ColumnWidths[2] + FTextSymbolGap;
    else
      XLegendColor = XLegendText - FTextSymbolGap;
    return;
  }
  XLegendColor = Start;
  XLegendText = Start + IColorWidth + FTextSymbolGap + 4;
  const int32_t H = ShadowH(FSymbol->Shadow());
  XLegendText += std::abs(H);
  if (H < 0)
    XLegendColor += -H;
}

void TCustomChartLegend::CalcVerticalPositions()
{
  TCustomChart* C = Chart();
  int32_t W = 0;
  CalcWidths(W);
  const int32_t F = FrameWidth();
  if (FAlignment == laLeft || CustomPosition()) {
    if (!CustomPosition())
      ShapeBounds.Left = C->ChartRect.Left + F + 1;
  } else {
    ShapeBounds.Right = C->ChartRect.Right - std::max(0, ShadowH(ShadowIfAny())) - (F / 2 + 1);
    ShapeBounds.Left = ShapeBounds.Right - W - (HasCheckBoxes() ? 15 : 0);
  }
  int32_t ItemsStart = ShapeBounds.Left;
  if (HasCheckBoxes()) {
    XLegendBox = ShapeBounds.Left + 4;
    ItemsStart = XLegendBox + 11;
  }
  ShapeBounds.Right = ItemsStart + W;
  CalcSymbolTextPos(ItemsStart);
}

void TCustomChartLegend::CalcHorizontalPositions()
{
  TCustomChart* C = Chart();
  int32_t W = TotalColumnsWidth() + (IJustify ? 2 : 4) * NumCols;
  if (IDrawTitle)
    W = std::max(W, TitleWidth());
  const int32_t BW = C->ChartBounds().Width();
  W = std::min(W, BW - PixelRound(FTopLeftPos * BW / 100.0));
  if (!CustomPosition()) {
    const int32_t Centre = (C->ChartRect.Left + C->ChartRect.Right) / 2;
    ShapeBounds.Left = Centre - W / 2;
    ShapeBounds.Right = ShapeBounds.Left + 2 * (W / 2);
  } else
    ShapeBounds.Right = ShapeBounds.Left + W;
  int32_t ItemsStart = ShapeBounds.Left;
  if (HasCheckBoxes()) {
    XLegendBox = ShapeBounds.Left + 4;
    ItemsStart = ShapeBounds.Left + 15;
  }
  CalcSymbolTextPos(ItemsStart);
}

void TCustomChartLegend::TryResizeChartRect()
{
  if (!FResizeChart || CustomPosition())
    return;
  TCustomChart* C = Chart();
  TRect& R = C->ChartRect;
  switch (FAlignment) {
  case laLeft:
    R.Left = ShapeBounds.Right;
    break;
  case laRight:
    R.Right = ShapeBounds.Left;
    break;
  case laTop:
    R.Top = ShapeBounds.Bottom + ShadowV(C->Shadow()) + ShadowV(C->Emboss());
    break;
  case laBottom:
    R.Bottom = ShapeBounds.Top;
    break;
  }
  const int32_t M = Vertical() ? (FHorizMargin ? FHorizMargin : C->ChartWidth() * 3 / 100)
                               : (FVertMargin ? FVertMargin : C->ChartHeight() * 4 / 100);
  switch (FAlignment) {
  case laLeft:
    R.Left += M;
    break;
  case laRight:
    R.Right -= M;
    break;
  case laTop:
    R.Top += M;
    break;
  case laBottom:
    R.Bottom -= M;
    break;
  }
  C->ReCalcWidthHeight();
}

void TCustomChartLegend::OffsetParent(int32_t Sign)
{
  const TCustomChart* C = Chart();
  const int32_t DX = Sign * C->ChartBounds().Left, DY = Sign * C->ChartBounds().Top;
  ShapeBounds = TRect{ShapeBounds.Left + DX, ShapeBounds.Top + DY, ShapeBounds.Right + DX, ShapeBounds.Bottom + DY};
}

void TCustomChartLegend::CalcRect()
{
  TCustomChart* C = Chart();
  if (!C)
    return;
  IInverted = FInverted;
  InternalLegendStyle = CalcLegendStyle();
  const int32_t F = FrameWidth();
  if (CustomPosition() && FPosUnits == muPercent) {
    const int32_t W = ShapeBounds.Width(), H = ShapeBounds.Height();
    ShapeBounds.Left = PixelRound(FLeftPercent * C->Width() / 100.0);
    ShapeBounds.Top = PixelRound(FTopPercent * C->Height() / 100.0);
    ShapeBounds.Right = ShapeBounds.Left + W;
    ShapeBounds.Bottom = ShapeBounds.Top + H;
    OffsetParent(1);
  }
  const int32_t PerPage = C->GetPointsPerPage();
  if (PerPage > 0) {
    if (InternalLegendStyle == lsValues && FCurrentPage)
      FFirstValue = C->Pages()->FirstValueIndex();
    else if (InternalLegendStyle != lsValues)
      FFirstValue = 0;
  }
  ITotalItems = CalcTotalItems();
  TCanvas3D* Cv = C->InternalCanvas();
  C->LegendColor = Color();
  Cv->AssignFont(Font());
  ISpaceWidth = Cv->TextWidth(QStringLiteral(" "));
  ItemHeight = CalcItemHeight();
  IDrawTitle = FTitle && FTitle->Visible() && FTitle->GetText()->Count() > 0;
  if (IDrawTitle) {
    FTitle->SetParent(C);
    Cv->AssignFont(FTitle->Font());
    FTitle->CalcBounds(C);
    Cv->AssignFont(Font());
  }
  if (Vertical()) {
    NumCols = 1;
    if (!CustomPosition())
      ShapeBounds.Top = C->ChartRect.Top + PixelRound(FTopLeftPos * C->ChartRect.Height() / 100.0) + F / 2;
    const int32_t FirstTop = FirstItemTop();
    int32_t Rows =
        FirstTop >= C->ChartRect.Bottom || ItemHeight <= 0 ? 0 : (C->ChartRect.Bottom - F - FirstTop) / ItemHeight;
    Rows = std::min(Rows, ITotalItems);
    if (FMaxNumRows > 0)
      Rows = std::min(Rows, FMaxNumRows);
    NumRows = std::max(Rows, 0);
    ILastValue = FFirstValue + NumRows - 1;
    GetItems();
  } else {
    ILastValue = FFirstValue + ITotalItems - 1;
    GetItems();
    if (!CustomPosition() && FAlignment != laBottom)
      ShapeBounds.Top = C->ChartRect.Top + F / 2 + 1;
    NumCols = MaxLegendColumns(FHorizJustify);
    NumRows = CalcHorizNumRows(NumCols);
    if (NumRows > 1) {
      NumCols = MaxLegendColumns(ljYes);
      NumRows = CalcHorizNumRows(NumCols);
    }
    if (IJustify)
      ILastValue = std::min(ILastValue, FFirstValue + NumCols * NumRows - 1);
    if (FAlignment == laBottom && !CustomPosition()) {
      int32_t Gap = F / 2 + 1 + ShadowV(ShadowIfAny()) + ShadowV(EmbossIfAny());
      if (OnCalcSize)
        OnCalcSize(this, Gap);
      ShapeBounds.Bottom = C->ChartRect.Bottom - Gap;
    }
  }
  if (ILastValue < FFirstValue || NumRows == 0)
    return;
  ResizeVertical();
  if (Vertical())
    CalcVerticalPositions();
  else
    CalcHorizontalPositions();
  if (C->OnGetLegendRect)
    C->OnGetLegendRect(C, ShapeBounds);
  TryResizeChartRect();
}

TChartLegend::TChartLegend(TCustomZuzPanel* AOwner) : TCustomChartLegend(AOwner) {}

String TChartLegend::ClassName() const { return QStringLiteral("TChartLegend"); }
