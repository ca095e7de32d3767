#include "chart/core/SeriesMarks.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/ZuzPictureList.h"
#include "chart/core/ZuzSelected.h"
#include "platform/Filer.h"
#include "platform/Published.h"
#include "rtl/RtlMath.h"
#include "rtl/Streams.h"
#include "rtl/StringList.h"

#include <QScopeGuard>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>

namespace {
const TEnumInfo MarksStyleInfo("TSeriesMarksStyle",
                               {"smsValue", "smsPercent", "smsLabel", "smsLabelPercent", "smsLabelValue", "smsLegend",
                                "smsPercentTotal", "smsLabelPercentTotal", "smsXValue", "smsXY", "smsSeriesTitle",
                                "smsPointIndex", "smsPercentRelative", "smsLabelPercentValue", "smsLabelOrValue"});
const TEnumInfo MarksImagesInfo("TSeriesMarksImages", {"miSymbol", "miOnly", "miNone"});
const TEnumInfo ArrowHeadInfo("TArrowHeadStyle", {"ahNone", "ahLine", "ahSolid"});
const TEnumInfo TailAlignInfo("TTailAlign", {"ttaNear", "ttaCenter", "ttaFar"});
const TEnumInfo AlignmentInfo("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});

[[maybe_unused]] const TClassInfo& MarkShapeClass = PublishClass<TSeriesMarkShape>(
    "TSeriesMarkShape", "TCustomTextShape",
    {PropEnum("Style", &TSeriesMarkShape::Style, &TSeriesMarkShape::SetStyle, MarksStyleInfo, smsLabelOrValue)});

using MI = TMarksItem;
[[maybe_unused]] const TClassInfo& MarksItemClass =
    PublishClass<MI>("TMarksItem", "TCustomTextShape", {PropStrings("Text", &MI::GetText)});

using TL = TMarksTail;
[[maybe_unused]] const TClassInfo& TailClass =
    PublishClass<TL>("TMarksTail", "TPersistent",
                     {
                         PropBool("AutoAlign", &TL::AutoAlign, &TL::SetAutoAlign, true),
                         PropInt("Height", &TL::Height, &TL::SetHeight, 8),
                         PropEnum("Align", &TL::Align, &TL::SetAlign, TailAlignInfo, ttaCenter),
                         PropInt("Margin", &TL::Margin, &TL::SetMargin, 0),
                         PropBool("Visible", &TL::Visible, &TL::SetVisible, false),
                         PropInt("Width", &TL::Width, &TL::SetWidth, 8),
                     });

using CO = TCallout;
[[maybe_unused]] const TClassInfo& CalloutClass =
    PublishClass<CO>("TCallout", "TSeriesPointer",
                     {
                         PropObj("Arrow", &CO::Arrow, &CO::SetArrow),
                         PropEnum("ArrowHead", &CO::ArrowHead, &CO::SetArrowHead, ArrowHeadInfo, ahNone),
                         PropInt("ArrowHeadSize", &CO::ArrowHeadSize, &CO::SetArrowHeadSize, 8),
                         PropInt("Distance", &CO::Distance, &CO::SetDistance, 0),
                     });
[[maybe_unused]] const TClassInfo& MarksCalloutClass = PublishClass<TMarksCallout>(
    "TMarksCallout", "TCallout",
    {PropInt("Length", &TMarksCallout::Length, &TMarksCallout::SetLength).Stored(&TMarksCallout::IsLengthStored)});
[[maybe_unused]] const TClassInfo& MarksSymbolClass =
    PublishClass<TSeriesMarksSymbol>("TSeriesMarksSymbol", "TZuzCustomShape");

using M = TSeriesMarks;
[[maybe_unused]] const TClassInfo& MarksClass = PublishClass<M>(
    "TSeriesMarks", "TSeriesMarkShape",
    {
        PropInt("Angle", &M::Angle, &M::SetAngle, 0),
        PropObj("Arrow", &M::Arrow, &M::SetArrow),
        PropBool("AutoPosition", &M::AutoPosition, &M::SetAutoPosition, true),
        PropColor("BackColor", &M::BackColor, &M::SetBackColor, 0xE1FFFF),
        PropObj("Callout", &M::Callout, &M::SetCallout),
        PropBool("Clip", &M::Clip, &M::SetClip, false),
        PropInt("DrawEvery", &M::DrawEvery, &M::SetDrawEvery, 1),
        PropBool("MultiLine", &M::MultiLine, &M::SetMultiLine, false),
        PropBool("SoftClip", &M::SoftClip, &M::SetSoftClip, false),
        PropObj("Symbol", &M::Symbol, &M::SetSymbol),
        PropObj("Tail", &M::Tail, &M::SetTail),
        PropEnum("TextAlign", &M::TextAlign, &M::SetTextAlign, AlignmentInfo, taCenter),
        PropEnum("UseImages", &M::UseImages, &M::SetUseImages, MarksImagesInfo, miSymbol),
        PropBool("UseSeriesTransparency", &M::UseSeriesTransparency, &M::SetUseSeriesTransparency, true),
        PropColor("Color", &M::Color, &M::SetColor, 0xE1FFFF),
        PropInt("RoundSize", &M::RoundSize, &M::SetRoundSize, 4),
        PropBool("Visible", &M::Visible, &M::SetVisible).Stored(&M::IsVisibleStored),
    });

bool Intersect(const TRect& A, const TRect& B)
{
  return std::max(A.Left, B.Left) < std::min(A.Right, B.Right) && std::max(A.Top, B.Top) < std::min(A.Bottom, B.Bottom);
}

TRect Moved(const TRect& R, const TPoint& D) { return TRect{R.Left + D.X, R.Top + D.Y, R.Right + D.X, R.Bottom + D.Y}; }

} // namespace

// ---------------------------------------------------------------------------
// Positions

void TSeriesMarkPosition::Offset(const TPoint& P)
{
  LeftTop = TPoint{LeftTop.X + P.X, LeftTop.Y + P.Y};
  ArrowTo = TPoint{ArrowTo.X + P.X, ArrowTo.Y + P.Y};
  if (HasMid)
    MidPoint = TPoint{MidPoint.X + P.X, MidPoint.Y + P.Y};
}

TSeriesMarksPositions::TSeriesMarksPositions(TSeriesMarks* AMarks) : IMarks(AMarks) {}

TSeriesMarksPositions::~TSeriesMarksPositions() = default;

String TSeriesMarksPositions::ClassName() const { return QStringLiteral("TSeriesMarksPositions"); }

TSeriesMarkPosition* TSeriesMarksPositions::Get(int32_t Index) const
{
  return Index >= 0 && Index < Count() ? FItems[static_cast<size_t>(Index)].get() : nullptr;
}

TSeriesMarkPosition& TSeriesMarksPositions::Slot(int32_t Index)
{
  if (Index >= Count())
    FItems.resize(static_cast<size_t>(Index) + 1);
  auto& S = FItems[static_cast<size_t>(Index)];
  if (!S)
    S = std::make_unique<TSeriesMarkPosition>();
  return *S;
}

void TSeriesMarksPositions::Put(int32_t Index, const TSeriesMarkPosition& Position)
{
  if (Index < 0)
    return;
  TSeriesMarkPosition& S = Slot(Index);
  S.Custom = true;
  S.Assign(Position);
}

void TSeriesMarksPositions::Automatic(int32_t Index)
{
  if (TSeriesMarkPosition* P = Get(Index))
    P->Custom = false;
}

bool TSeriesMarksPositions::ExistCustom() const
{
  return std::any_of(FItems.begin(), FItems.end(), [](const auto& P) { return P && P->Custom; });
}

void TSeriesMarksPositions::MoveTo(TSeriesMarkPosition& Position, int32_t X, int32_t Y)
{
  Position.ArrowTo = TPoint{X, Y};
  Position.ArrowFrom = Position.ArrowTo;
  Position.LeftTop = TPoint{X - Position.Width / 2, Y - Position.Height + 1};
  if (TSeriesMarksSymbol* S = IMarks ? IMarks->SymbolIfAny() : nullptr) {
    const int32_t W = S->ShapeBounds.Width(), H = S->ShapeBounds.Height();
    S->ShapeBounds =
        TRect{Position.LeftTop.X + 2, Position.LeftTop.Y + 2, Position.LeftTop.X + 2 + W, Position.LeftTop.Y + 2 + H};
  }
}

void TSeriesMarksPositions::Delete(int32_t Index)
{
  if (Index >= 0 && Index < Count())
    FItems.erase(FItems.begin() + Index);
}

void TSeriesMarksPositions::DeleteMany(int32_t Start, int32_t Quantity)
{
  for (int32_t I = 0; I < Quantity && Start < Count(); ++I)
    Delete(Start);
}

// ---------------------------------------------------------------------------
// Mark shapes and items

TSeriesMarkShape::TSeriesMarkShape(TCustomZuzPanel* AOwner) : TCustomTextShape(AOwner) {}

String TSeriesMarkShape::ClassName() const { return QStringLiteral("TSeriesMarkShape"); }

void TSeriesMarkShape::SetStyle(TSeriesMarksStyle Value)
{
  if (FMarkerStyle == Value)
    return;
  FMarkerStyle = Value;
  if (FParent)
    FParent->Invalidate();
  else if (IParent && IParent->Series())
    IParent->Series()->Repaint();
}

TMarksItem::TMarksItem(TCustomZuzPanel* AOwner) : TCustomTextShape(AOwner) { SetColor(0xE1FFFF); }

TMarksItem::~TMarksItem()
{
  if (IText)
    IText->OnChange = nullptr;
}

String TMarksItem::ClassName() const { return QStringLiteral("TMarksItem"); }

TStringList* TMarksItem::GetText()
{
  if (!IText) {
    IText = std::make_unique<TStringList>();
    const bool Custom = ICustomText;
    IChanging = true;
    IText->SetText(Text());
    IChanging = false;
    ICustomText = Custom;
    IText->OnChange = [this](TObject*) { TextChanged(); };
  }
  return IText.get();
}

void TMarksItem::SetText(TStringList* Value)
{
  if (!Value) {
    if (IText)
      IText->OnChange = nullptr;
    IText.reset();
    TCustomTextShape::SetText(String());
    ICustomText = false;
    return;
  }
  GetText()->Assign(*Value);
}

void TMarksItem::TextChanged()
{
  if (IChanging)
    return;
  IChanging = true;
  String T = IText->Text();
  if (T.endsWith(QStringLiteral("\r\n")))
    T.chop(2);
  TCustomTextShape::SetText(T);
  IChanging = false;
  ICustomText = true;
  Repaint();
}

void TMarksItem::ChangedText()
{
  TCustomTextShape::ChangedText();
  ICustomText = true;
}

// ---------------------------------------------------------------------------
// Tail

TMarksTail::TMarksTail(TChartSeries* ASeries) : ISeries(ASeries) {}

String TMarksTail::ClassName() const { return QStringLiteral("TMarksTail"); }

void TMarksTail::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TMarksTail*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FAutoAlign = S->FAutoAlign;
  FCustomPoint = S->FCustomPoint;
  FCustomPointPos = S->FCustomPointPos;
  FHeight = S->FHeight;
  FAlign = S->FAlign;
  FMargin = S->FMargin;
  FVisible = S->FVisible;
  FWidth = S->FWidth;
  FEdge = S->FEdge;
}

template <class T>
void TMarksTail::Change(T& Field, T Value)
{
  if (Field == Value)
    return;
  Field = Value;
  if (ISeries)
    ISeries->Repaint();
}

void TMarksTail::SetAutoAlign(bool Value) { Change(FAutoAlign, Value); }
void TMarksTail::SetCustomPoint(bool Value) { Change(FCustomPoint, Value); }
void TMarksTail::SetCustomPointPos(const TPoint& Value) { Change(FCustomPointPos, Value); }
void TMarksTail::SetHeight(int32_t Value) { Change(FHeight, Value); }
void TMarksTail::SetAlign(TTailAlign Value) { Change(FAlign, Value); }
void TMarksTail::SetMargin(int32_t Value) { Change(FMargin, Value); }
void TMarksTail::SetVisible(bool Value) { Change(FVisible, Value); }
void TMarksTail::SetWidth(int32_t Value) { Change(FWidth, Value); }
void TMarksTail::SetEdge(TTailEdge Value) { Change(FEdge, Value); }

std::vector<TPoint> TMarksTail::GetPoints(const TRect& R, const TPoint& From, const TPoint& To)
{
  TTailAlign Align = FAlign;
  if (FAutoAlign && !FCustomPoint) {
    const bool Vertical = !ISeries || ISeries->YMandatory;
    const TTailEdge Edge = Vertical ? (From.Y < To.Y ? tteTop : tteBottom) : (To.X < From.X ? tteRight : tteLeft);
    SetEdge(Edge);
    Align = ttaCenter;
  }
  const int32_t W = FWidth / 2;
  const int32_t L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  const bool Horizontal = FEdge == tteBottom || FEdge == tteTop;
  int32_t C;
  if (Horizontal)
    C = Align == ttaNear ? L + W : Align == ttaFar ? Rt - W : L + (Rt - L) / 2;
  else
    C = Align == ttaNear ? T + W : Align == ttaFar ? B - W : T + (B - T) / 2;
  TPoint Tip;
  switch (FEdge) {
  case tteBottom:
    Tip = TPoint{C, B + FHeight};
    break;
  case tteTop:
    Tip = TPoint{C, T - FHeight};
    break;
  case tteLeft:
    Tip = TPoint{L - FHeight, C};
    break;
  case tteRight:
    Tip = TPoint{Rt + FHeight, C};
    break;
  }
  if (FCustomPoint)
    Tip = FCustomPointPos;
  switch (FEdge) {
  case tteBottom:
    return {{L, T}, {L, B}, {C - W, B}, Tip, {C + W, B}, {Rt, B}, {Rt, T}};
  case tteTop:
    return {{L, T}, {L, B}, {Rt, B}, {Rt, T}, {C + W, T}, Tip, {C - W, T}};
  case tteLeft:
    return {{L, T}, {L, C - W}, Tip, {L, C + W}, {L, B}, {Rt, B}, {Rt, T}};
  case tteRight:
    return {{L, T}, {L, B}, {Rt, B}, {Rt, C + W}, Tip, {Rt, C - W}, {Rt, T}};
  }
  return {};
}

// ---------------------------------------------------------------------------
// Callouts

TCallout::TCallout(TChartSeries* ASeries)
    : TSeriesPointer(ASeries), FArrow(std::make_unique<TWhitePen>([this](TObject*) { Repaint(); }))
{
  SetInflateMargins(true);
  SetFullGradient(true);
  DefaultFullGradient = true;
  SetStyle(psRectangle);
  SetVisible(true);
  SetDraw3D(false);
  Brush()->SetColor(clBlack);
}

TCallout::~TCallout() = default;

String TCallout::ClassName() const { return QStringLiteral("TCallout"); }

void TCallout::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TCallout*>(Source)) {
    FArrow->Assign(S->FArrow.get());
    FArrowHead = S->FArrowHead;
    FDistance = S->FDistance;
    FArrowHeadSize = S->FArrowHeadSize;
  }
  TSeriesPointer::Assign(Source);
}

void TCallout::SetArrow(TWhitePen* Value) { FArrow->Assign(Value); }

void TCallout::SetArrowHead(TArrowHeadStyle Value)
{
  if (FArrowHead != Value) {
    FArrowHead = Value;
    Repaint();
  }
}

void TCallout::SetArrowHeadSize(int32_t Value)
{
  if (FArrowHeadSize != Value) {
    FArrowHeadSize = Value;
    Repaint();
  }
}

void TCallout::SetDistance(int32_t Value)
{
  if (FDistance != Value) {
    FDistance = Value;
    Repaint();
  }
}

void TCallout::Draw(TColor AColor, const TPoint& From, const TPoint& Mid, const TPoint& To, int32_t AZ, bool HasMid)
{
  TCustomAxisPanel* Chart = Series() ? Series()->ParentChart() : nullptr;
  TCanvas3D* C = Chart ? Chart->InternalCanvas() : (ParentChart() ? ParentChart()->InternalCanvas() : nullptr);
  if (!C)
    return;
  const bool Is3D = Chart && Chart->View3D();
  if (FArrow->Visible()) {
    PrepareCanvas(C, AColor);
    if (FArrowHead != ahSolid)
      C->Brush()->SetStyle(bsClear);
    C->AssignVisiblePenColor(FArrow.get(), FArrow->Color());
    if (FArrowHead != ahNone)
      C->Arrow(FArrowHead == ahSolid, To, From, FArrowHeadSize, FArrowHeadSize, AZ);
    else if (Is3D) {
      C->MoveTo3D(From.X, From.Y, AZ);
      if (HasMid)
        C->LineTo3D(Mid.X, Mid.Y, AZ);
      C->LineTo3D(To.X, To.Y, AZ);
    } else {
      C->MoveTo(From.X, From.Y);
      if (HasMid)
        C->LineTo(Mid.X, Mid.Y);
      C->LineTo(To.X, To.Y);
    }
  }
  if (FArrowHead == ahNone && Visible()) {
    PrepareCanvas(C, AColor);
    const TPoint P = Is3D ? C->Calculate3DPosition(From.X, From.Y, AZ) : From;
    DrawPointer(C, false, P.X, P.Y, HorizSize(), VertSize(), AColor, Style());
  }
}

TMarksCallout::TMarksCallout(TChartSeries* ASeries) : TCallout(ASeries)
{
  DefaultVisible = false;
  FVisible = false;
}

String TMarksCallout::ClassName() const { return QStringLiteral("TMarksCallout"); }

void TMarksCallout::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TMarksCallout*>(Source))
    FLength = S->FLength;
  TCallout::Assign(Source);
}

void TMarksCallout::SetLength(int32_t Value)
{
  if (FLength != Value) {
    FLength = Value;
    Repaint();
  }
}

void TMarksCallout::ApplyArrowLength(TSeriesMarkPosition& Position) const
{
  const int32_t D = FLength + Distance();
  Position.LeftTop.Y -= D;
  Position.ArrowTo.Y -= D;
  Position.ArrowFrom.Y -= Distance();
}

TSeriesMarksSymbol::TSeriesMarksSymbol(TCustomZuzPanel* AOwner) : TZuzCustomShape(AOwner)
{
  DefaultVisible = false;
  FVisible = false;
  InitTransparent(false);
  Shadow()->InitValues(Shadow()->Visible(), Shadow()->Color(), 1);
  Emboss()->InitValues(Emboss()->Visible(), Emboss()->Color(), 1);
}

String TSeriesMarksSymbol::ClassName() const { return QStringLiteral("TSeriesMarksSymbol"); }

// ---------------------------------------------------------------------------
// Marks

TSeriesMarks::TSeriesMarks(TChartSeries* ASeries)
    : TSeriesMarkShape(ASeries ? ASeries->ParentChart() : nullptr),
      FAutomatic(std::make_unique<TAutomaticText>([this](TObject*) { RepaintSeries(); })),
      FPositions(std::make_unique<TSeriesMarksPositions>(this)), FSeries(ASeries)
{
  IParent = this;
  InitTextAlignment(taCenter);
  Margins()->SetDefaultHoriz(20);
  Gradient()->SetDirection(gdRightLeft);
  Gradient()->SetStartColor(0xC0C0C0);
  Gradient()->SetEndColor(0xFFFFFF);
  SetRoundSize(4);
  SetShapeStyle(fosRoundRectangle);
  SetColor(0xE1FFFF);
  DefaultVisible = false;
  FVisible = false;
  InitShadow(Shadow());
  InitEmboss(Emboss());
}

TSeriesMarks::~TSeriesMarks() = default;

String TSeriesMarks::ClassName() const { return QStringLiteral("TSeriesMarks"); }

void TSeriesMarks::InitShadow(TZuzShadow* AShadow) { AShadow->InitValues(AShadow->Visible(), 0x808080, 3); }

void TSeriesMarks::InitEmboss(TZuzEmboss* AEmboss) { AEmboss->InitValues(AEmboss->Visible(), 0x808080, 3); }

void TSeriesMarks::RepaintSeries()
{
  if (FSeries)
    FSeries->Repaint();
}

void TSeriesMarks::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TSeriesMarks*>(Source)) {
    FAngle = S->FAngle;
    FAutomatic->Assign(S->FAutomatic.get());
    SetCallout(S->FCallout.get());
    FClip = S->FClip;
    FDrawEvery = S->FDrawEvery;
    FMarkerStyle = S->FMarkerStyle;
    FMultiLine = S->FMultiLine;
    FOnTop = S->FOnTop;
    FSoftClip = S->FSoftClip;
    SetSymbol(S->FSymbol.get());
    SetTail(S->FTail.get());
    FUseImages = S->FUseImages;
    FUseSeriesTransparency = S->FUseSeriesTransparency;
    FItems.clear();
    for (size_t I = 0; I < S->FItems.size(); ++I) {
      TMarksItem* Mine = Item(static_cast<int32_t>(I));
      Mine->Assign(S->FItems[I] ? static_cast<TPersistent*>(S->FItems[I].get()) : S);
    }
  }
  TSeriesMarkShape::Assign(Source);
}

void TSeriesMarks::SetParent(TCustomZuzPanel* Value)
{
  TSeriesMarkShape::SetParent(Value);
  if (FCallout)
    FCallout->SetParent(Value);
  if (FSymbol)
    FSymbol->SetParent(Value);
}

TMarksCallout* TSeriesMarks::Callout()
{
  if (!FCallout) {
    TCustomZuzPanel* P = FParent;
    const bool Old = P && P->AutoRepaint();
    if (P)
      P->SetAutoRepaint(false);
    FCallout = std::make_unique<TMarksCallout>(FSeries);
    if (P)
      P->SetAutoRepaint(Old);
  }
  return FCallout.get();
}

void TSeriesMarks::SetCallout(TMarksCallout* Value)
{
  if (!Value)
    FCallout.reset();
  else
    Callout()->Assign(Value);
}

TSeriesMarksSymbol* TSeriesMarks::Symbol()
{
  if (!FSymbol)
    FSymbol = std::make_unique<TSeriesMarksSymbol>(FParent);
  return FSymbol.get();
}

void TSeriesMarks::SetSymbol(TSeriesMarksSymbol* Value)
{
  if (!Value)
    FSymbol.reset();
  else
    Symbol()->Assign(Value);
}

TMarksTail* TSeriesMarks::Tail()
{
  if (!FTail)
    FTail = std::make_unique<TMarksTail>(FSeries);
  return FTail.get();
}

void TSeriesMarks::SetTail(TMarksTail* Value)
{
  if (!Value)
    FTail.reset();
  else
    Tail()->Assign(Value);
}

TWhitePen* TSeriesMarks::Arrow() { return Callout()->Arrow(); }
void TSeriesMarks::SetArrow(TWhitePen* Value) { Callout()->SetArrow(Value); }
int32_t TSeriesMarks::ArrowLength() { return Callout()->Length(); }
void TSeriesMarks::SetArrowLength(int32_t Value) { Callout()->SetLength(Value); }
bool TSeriesMarks::AutoPosition() const { return FAutomatic->Move(); }
void TSeriesMarks::SetAutoPosition(bool Value) { FAutomatic->SetMove(Value); }

namespace {
template <class T>
void Store(T& Field, T Value, TSeriesMarks* M, void (TSeriesMarks::*Done)())
{
  if (Field == Value)
    return;
  Field = Value;
  (M->*Done)();
}
} // namespace

void TSeriesMarks::SetAngle(int32_t Value) { Store(FAngle, Value, this, &TSeriesMarks::RepaintSeries); }
void TSeriesMarks::SetClip(bool Value) { Store(FClip, Value, this, &TSeriesMarks::RepaintSeries); }
void TSeriesMarks::SetDrawEvery(int32_t Value) { Store(FDrawEvery, Value, this, &TSeriesMarks::RepaintSeries); }
void TSeriesMarks::SetFontSeriesColor(bool Value)
{
  Store(FFontSeriesColor, Value, this, &TSeriesMarks::RepaintSeries);
}
void TSeriesMarks::SetMultiLine(bool Value) { Store(FMultiLine, Value, this, &TSeriesMarks::RepaintSeries); }
void TSeriesMarks::SetOnTop(bool Value) { Store(FOnTop, Value, this, &TSeriesMarks::RepaintSeries); }
void TSeriesMarks::SetSoftClip(bool Value) { Store(FSoftClip, Value, this, &TSeriesMarks::RepaintSeries); }
void TSeriesMarks::SetUseSeriesTransparency(bool Value)
{
  Store(FUseSeriesTransparency, Value, this, &TSeriesMarks::RepaintSeries);
}
void TSeriesMarks::SetUseImages(TSeriesMarksImages Value)
{
  if (FUseImages != Value) {
    FUseImages = Value;
    Repaint();
  }
}

TMarksItem* TSeriesMarks::Item(int32_t Index)
{
  if (Index < 0)
    return nullptr;
  if (Index >= ItemCount())
    FItems.resize(static_cast<size_t>(Index) + 1);
  auto& Slot = FItems[static_cast<size_t>(Index)];
  if (!Slot) {
    Slot = std::make_unique<TMarksItem>(FParent);
    Slot->TCustomTextShape::Assign(this);
    Slot->ICustomText = false;
  }
  return Slot.get();
}

TCustomTextShape* TSeriesMarks::MarkItem(int32_t Index) const
{
  if (Index >= 0 && Index < ItemCount() && FItems[static_cast<size_t>(Index)])
    return FItems[static_cast<size_t>(Index)].get();
  return const_cast<TSeriesMarks*>(this);
}

void TSeriesMarks::ResetPositions()
{
  for (int32_t I = 0; I < FPositions->Count(); ++I)
    FPositions->Automatic(I);
  RepaintSeries();
}

void TSeriesMarks::Clear()
{
  FPositions->Clear();
  if (!FItems.empty() && !ILoadingCustom)
    FItems.clear();
}

void TSeriesMarks::Delete(int32_t Index)
{
  FPositions->Delete(Index);
  if (Index >= 0 && Index < ItemCount())
    FItems.erase(FItems.begin() + Index);
}

void TSeriesMarks::ApplyArrowLength(TSeriesMarkPosition& Position)
{
  if (FCallout)
    FCallout->ApplyArrowLength(Position);
}

int32_t TSeriesMarks::CalcEvery() const
{
  if (!FSeries || !FSeries->CalcVisiblePoints)
    return FDrawEvery;
  const int32_t N = FSeries->LastValueIndex() - FSeries->FirstValueIndex() + 1;
  TCustomAxisPanel* C = FSeries->ParentChart();
  const TChartAxis* A = FSeries->MandatoryAxis();
  int32_t M = 0;
  if (C)
    M = A && !A->Horizontal() ? C->ChartWidth() / 2 : C->ChartHeight() / 2;
  if (M <= 0 || N <= M)
    return FDrawEvery;
  return std::max(FDrawEvery, static_cast<int32_t>(Round(double(N) / M)));
}

void TSeriesMarks::UsePosition(int32_t Index, TSeriesMarkPosition& Position)
{
  TSeriesMarkPosition& Stored = FPositions->Slot(Index);
  if (!Stored.Custom) {
    Stored.Assign(Position);
    Stored.Custom = false;
    return;
  }
  const TPoint From = Position.ArrowFrom;
  const bool Fix = Position.ArrowFix || Stored.ArrowFix;
  Position.Assign(Stored);
  if (Fix)
    Position.ArrowFrom = From;
  Position.Custom = false;
}

TPoint TSeriesMarks::ConvertTo2D(const TPoint& ArrowTo, const TPoint& LeftTop) const
{
  TCustomAxisPanel* C = FSeries ? FSeries->ParentChart() : nullptr;
  if (C && C->View3D() && !C->InternalCanvas()->GetSupports3DText()) {
    const TPoint P = C->InternalCanvas()->Calculate3DPosition(ArrowTo.X, ArrowTo.Y, ZPosition);
    return TPoint{P.X - (ArrowTo.X - LeftTop.X), P.Y - (ArrowTo.Y - LeftTop.Y)};
  }
  return LeftTop;
}

TRect TSeriesMarks::TotalBounds(int32_t Index, const TSeriesMarkPosition& Position) const
{
  TRect R = Position.Bounds();
  TCustomTextShape* S = MarkItem(Index);
  if (!S->Transparent()) {
    if (S->Pen()->Visible())
      R = TRect{R.Left, R.Top, R.Right + S->Pen()->Width(), R.Bottom + S->Pen()->Width()};
    if (const TZuzShadow* Sh = S->ShadowIfAny(); Sh && Sh->Visible()) {
      const int32_t H = Sh->HorizSize(), V = Sh->VertSize();
      (H > 0 ? R.Right : R.Left) += H;
      (V > 0 ? R.Bottom : R.Top) += V;
    }
    if (const TZuzEmboss* E = EmbossIfAny(); E && E->Visible()) {
      const int32_t H = E->HorizSize(), V = E->VertSize();
      (H > 0 ? R.Left : R.Right) += H;
      (V > 0 ? R.Top : R.Bottom) += V;
    }
  }
  const TPoint D2 = ConvertTo2D(Position.ArrowTo, Position.LeftTop);
  return Moved(R, TPoint{D2.X - Position.LeftTop.X, D2.Y - Position.LeftTop.Y});
}

bool TSeriesMarks::AntiOverlap(int32_t First, int32_t Index, TSeriesMarkPosition& Position)
{
  if (First >= Index)
    return true;
  TRect R = TotalBounds(Index, Position);
  for (int32_t T = Index - 1; T >= First; --T) {
    const TSeriesMarkPosition* Other = FPositions->Get(T);
    if (!Other)
      continue;
    const TRect R2 = TotalBounds(T, *Other);
    if (!Intersect(R, R2))
      continue;
    TPoint Offset;
    FSeries->MarkOverlap(Index, R, R2, Offset);
    Position.Offset(Offset);
    R = Moved(R, Offset);
    if (Intersect(R, R2))
      return false;
  }
  return true;
}

void TSeriesMarks::InternalDraw(int32_t Index, TColor AColor, const String& Text, TSeriesMarkPosition& Position)
{
  UsePosition(Index, Position);
  TCustomTextShape* Shape = MarkItem(Index);
  std::unique_ptr<TZuzFont> Saved;
  if (FSeries && FSeries->ShouldHoverMark(Index) && FSeries->SelectedIfAny()) {
    Saved = std::make_unique<TZuzFont>();
    Saved->Assign(Shape->Font());
    TZuzFont* H = FSeries->SelectedIfAny()->Hover()->Font();
    Shape->Font()->SetColor(H->Color());
    Shape->Font()->SetStyle(H->Style());
  }
  const auto Restore = qScopeGuard([&] {
    if (Saved)
      Shape->Font()->Assign(Saved.get());
  });
  TZuzPicture* Picture =
      FUseImages != miNone && FSeries && FSeries->PicturesIfAny() ? FSeries->PicturesIfAny()->Get(Index) : nullptr;
  if (Picture && Picture->Valid() && FUseImages == miOnly) {
    FParent->InternalCanvas()->StretchDraw(Position.Bounds(), Picture->Filtered());
    return;
  }
  if (Picture && Picture->Valid() && FSymbol && FSymbol->ShouldDraw()) {
    FSymbol->Picture()->Assign(Picture);
    DrawItem(Shape, AColor, Text, Position);
    FSymbol->SetPicture(nullptr);
    return;
  }
  DrawItem(Shape, AColor, Text, Position);
}

void TSeriesMarks::DrawItem(TCustomTextShape* Shape, TColor AColor, const String& Text, TSeriesMarkPosition& Position)
{
  TCanvas3D* C = FParent->InternalCanvas();
  if (FCallout && (FCallout->Visible() || FCallout->Arrow()->Visible())) {
    std::unique_ptr<TZuzBlend> Blend;
    if (FCallout->Transparency() != 0) {
      TRect Area;
      if (!C->SupportsAlpha())
        Area = TRect{
            std::min(Position.ArrowFrom.X, Position.ArrowTo.X), std::min(Position.ArrowFrom.Y, Position.ArrowTo.Y),
            std::max(Position.ArrowFrom.X, Position.ArrowTo.X), std::max(Position.ArrowFrom.Y, Position.ArrowTo.Y)};
      Blend = C->BeginBlending(Area, FCallout->Transparency());
    }
    FCallout->Draw(AColor, Position.ArrowFrom, Position.MidPoint, Position.ArrowTo, ZPosition, Position.HasMid);
    if (Blend)
      C->EndBlending(std::move(Blend));
  }
  Position.LeftTop = ConvertTo2D(Position.ArrowTo, Position.LeftTop);
  const TRect R = Position.Bounds();
  if (TZuzShadow* S = Shape->ShadowIfAny())
    S->SetClip(FClip);
  if (TZuzEmboss* E = Shape->EmbossIfAny())
    E->SetClip(FClip);
  const TColor OldFont = Shape->Font()->Color();
  if (FFontSeriesColor)
    Shape->Font()->SetColor(AColor);
  Shape->SetText(Text);
  Shape->ShapeBounds = R;
  const int32_t A = FAngle % 360;
  if (FTail && FTail->Visible()) {
    const std::vector<TPoint> Points = FTail->GetPoints(R, Position.ArrowFrom, Position.ArrowTo);
    Shape->Draw(R, Points, A, ZPosition);
  } else
    Shape->Draw(R, A, ZPosition);
  Shape->Font()->SetColor(OldFont);
  if (FSymbol && FSymbol->ShouldDraw()) {
    FSymbol->Brush()->SetColor(AColor);
    FSymbol->SetColor(AColor);
    const int32_t H = C->TextHeight(QStringLiteral("W"));
    const int32_t W = (Shape->Pen()->Visible() ? Shape->Pen()->Width() / 2 : 0) +
                      (FSymbol->Pen()->Visible() ? FSymbol->Pen()->Width() / 2 : 0);
    FSymbol->ShapeBounds = TRect{R.Left + W + 4, R.Top + W + 3, R.Left + 2 * W + H - 1, R.Top + 2 * W + H - 2};
    FSymbol->Draw(FSymbol->ShapeBounds, A, ZPosition);
  }
}

int32_t TSeriesMarks::TextWidth(int32_t Index)
{
  if (!FSeries || !FParent)
    return 0;
  TCanvas3D* C = FParent->InternalCanvas();
  C->AssignFont(MarkItem(Index)->Font());
  int32_t Lines = 0;
  return FParent->MultiLineTextWidth(FSeries->GetMarkText(Index), Lines, TextFormat());
}

int32_t TSeriesMarks::Clicked(const TPoint& P)
{
  const int32_t Every = std::max(CalcEvery(), 1);
  for (int32_t I = FPositions->Count() - 1; I >= 0; --I) {
    if (I % Every != 0)
      continue;
    const TSeriesMarkPosition* Pos = FPositions->Get(I);
    if (!Pos)
      continue;
    const TPoint LT = ConvertTo2D(Pos->ArrowTo, Pos->LeftTop);
    if (MarkItem(I)->ClickedShape(P, TRect{LT.X, LT.Y, LT.X + Pos->Width, LT.Y + Pos->Height})) {
      if (FSeries)
        FSeries->IClickedPart = scpMark;
      return I;
    }
  }
  return -1;
}

void TSeriesMarks::DefineProperties(TFiler* Filer)
{
  TSeriesMarkShape::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      QStringLiteral("Items"), [this](TStream& S) { ReadItems(S); }, [this](TStream& S) { WriteItems(S); },
      !FItems.empty());
}

void TSeriesMarks::WriteItems(TStream& Stream)
{
  const int32_t Count = qToLittleEndian(static_cast<int32_t>(FItems.size()));
  Stream.WriteBuffer(&Count, sizeof Count);
  TWriter Writer(Stream, 1024);
  for (const auto& I : FItems) {
    Writer.WriteListBegin();
    if (I)
      Writer.WriteProperties(I.get());
    Writer.WriteListEnd();
  }
}

void TSeriesMarks::ReadItems(TStream& Stream)
{
  int32_t Count = 0;
  Stream.ReadBuffer(&Count, sizeof Count);
  Count = qFromLittleEndian(Count);
  ILoadingCustom = Count > 0;
  FItems.clear();
  TReader Reader(Stream, 1024);
  for (int32_t N = 0; N < Count; ++N) {
    TMarksItem* I = Item(N);
    Reader.ReadListBegin();
    while (!Reader.EndOfList())
      Reader.ReadProperty(I);
    Reader.ReadListEnd();
  }
}
