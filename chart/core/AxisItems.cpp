#include "chart/core/AxisItems.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/AxisLabels.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/CustomAxisPanel.h"
#include "platform/Filer.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <QtEndian>

#include <algorithm>

namespace {

const TEnumInfo TitlePositionInfo("TAxisTitlePosition", {"tpStart", "tpCenter", "tpEnd"});
const TEnumInfo TitleAlignmentInfo("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});

[[maybe_unused]] const TClassInfo& LabelsFormatClass =
    PublishClass<TAxisLabelsFormat>("TAxisLabelsFormat", "TCustomTextShape");

[[maybe_unused]] const TClassInfo& ItemClass = PublishClass<TAxisItem>(
    "TAxisItem", "TPersistent",
    {
        PropObj("Format", &TAxisItem::Format, &TAxisItem::SetFormat).Stored(&TAxisItem::IsFormatStored),
        PropStr("Text", &TAxisItem::Text, &TAxisItem::SetText),
        PropFloat("Value", &TAxisItem::Value, &TAxisItem::SetValue),
    });

using T = TChartAxisTitle;
[[maybe_unused]] const TClassInfo& TitleClass = PublishClass<T>(
    "TChartAxisTitle", "TCustomTextShape",
    {
        PropInt("Angle", &T::Angle, &T::SetAngle).Stored(&T::IsAngleStored),
        PropStr("Caption", &T::Caption, &T::SetCaption),
        PropEnum("Position", &T::Position, &T::SetPosition, TitlePositionInfo, tpCenter),
        PropEnum("TextAlignment", &T::TextAlignment, &T::SetTextAlignment, TitleAlignmentInfo, taCenter),
    });

[[maybe_unused]] const TClassInfo& BackShapeClass = PublishClass<TAxisBackShape>("TAxisBackShape", "TZuzShape");

} // namespace

// ---------------------------------------------------------------------------

TAxisLabelsFormat::TAxisLabelsFormat(TCustomZuzPanel* AOwner) : TCustomTextShape(AOwner) {}

String TAxisLabelsFormat::ClassName() const { return QStringLiteral("TAxisLabelsFormat"); }

// ---------------------------------------------------------------------------

TAxisItem::TAxisItem(TAxisItems* AOwner) : IAxisItems(AOwner) {}

TAxisItem::~TAxisItem()
{
  FFormat.reset();
  if (IAxisItems && !IAxisItems->IRemoving) {
    IAxisItems->Forget(this);
    Repaint();
  }
}

String TAxisItem::ClassName() const { return QStringLiteral("TAxisItem"); }

void TAxisItem::Repaint()
{
  if (IAxisItems && IAxisItems->Axis()->ParentChart())
    IAxisItems->Axis()->ParentChart()->Invalidate();
}

TAxisLabelsFormat* TAxisItem::Format()
{
  if (!FFormat) {
    FFormat = std::make_unique<TAxisLabelsFormat>(IAxisItems ? IAxisItems->Axis()->ParentChart() : nullptr);
    FFormat->InitTransparent(true);
  }
  return FFormat.get();
}

void TAxisItem::SetFormat(TAxisLabelsFormat* Value)
{
  if (Value)
    Format()->Assign(Value);
  else
    FFormat.reset();
}

TAxisLabelsFormat* TAxisItem::ActiveFormat() const
{
  return FFormat ? FFormat.get() : (IAxisItems ? IAxisItems->Format() : nullptr);
}

void TAxisItem::SetText(const String& Value)
{
  if (FText != Value) {
    FText = Value;
    Repaint();
  }
}

void TAxisItem::SetValue(double Value)
{
  if (FValue != Value) {
    FValue = Value;
    Repaint();
  }
}

// ---------------------------------------------------------------------------

TAxisItems::TAxisItems(TChartAxis* AAxis)
    : FFormat(std::make_unique<TAxisLabelsFormat>(AAxis->ParentChart())), IAxis(AAxis)
{
  FFormat->InitTextAlignment(taCenter);
  FFormat->InitTransparent(true);
}

TAxisItems::~TAxisItems()
{
  FFormat.reset();
  Clear();
}

TAxisItem* TAxisItems::InternalAdd(const String& AText, TZuzPicture* APicture, double AValue)
{
  auto* I = new TAxisItem(this);
  I->FText = AText;
  I->FPicture = APicture;
  I->FValue = AValue;
  FItems.push_back(I);
  return I;
}

TAxisItem* TAxisItems::Add(const String& AText, double AValue)
{
  TAxisItem* I = InternalAdd(AText, nullptr, AValue);
  FAuto = false;
  return I;
}

TAxisItem* TAxisItems::Get(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FItems[Index];
}

void TAxisItems::Forget(TAxisItem* Item)
{
  const auto It = std::find(FItems.begin(), FItems.end(), Item);
  if (It != FItems.end())
    FItems.erase(It);
}

void TAxisItems::Delete(int32_t Index)
{
  TAxisItem* I = Get(Index);
  IRemoving = true;
  delete I;
  IRemoving = false;
  FItems.erase(FItems.begin() + Index);
  if (IAxis->ParentChart())
    IAxis->ParentChart()->Invalidate();
}

void TAxisItems::Clear()
{
  std::vector<TAxisItem*> Items;
  Items.swap(FItems);
  IRemoving = true;
  for (TAxisItem* I : Items)
    delete I;
  IRemoving = false;
}

void TAxisItems::SetAutomatic(bool Value)
{
  if (IAxis->ParentChart())
    IAxis->ParentChart()->SetBooleanProperty(FAuto, Value);
  else
    FAuto = Value;
}

void TAxisItems::SetFormat(TAxisLabelsFormat* Value) { FFormat->Assign(Value); }

void TAxisItems::CopyFrom(TAxisItems* Source)
{
  FFormat->Assign(Source->FFormat.get());
  if (Source->FAuto)
    return;
  Clear();
  FAuto = false;
  for (const TAxisItem* I : Source->FItems)
    Add(I->Text(), I->Value());
}

void TAxisItems::InitCalcRect()
{
  TCustomAxisPanel* Chart = IAxis->ParentChart();
  if (!Chart)
    return;
  TCanvas3D* C = Chart->InternalCanvas();
  C->AssignFont(FFormat->Font());
  IHeight = C->TextHeight(QStringLiteral("W"));
  const int32_t P = IAxis->PosLabels();
  if (IAxis->Horizontal()) {
    if (IAxis->OtherSide()) {
      IRect.Bottom = P;
      IRect.Top = P - IHeight;
    } else {
      IRect.Top = P;
      IRect.Bottom = P + IHeight;
    }
  } else if (IAxis->OtherSide())
    IRect.Left = P;
  else
    IRect.Right = P;
}

void TAxisItems::ReadItems(TStream& Stream)
{
  int32_t Count = 0;
  Stream.ReadBuffer(&Count, sizeof Count);
  Count = qFromLittleEndian(Count);
  if (Count <= 0)
    return;
  Clear();
  FAuto = false;
  TReader Reader(Stream, 1024);
  for (int32_t N = 0; N < Count; ++N) {
    TAxisItem* I = InternalAdd(String(), nullptr, 0);
    Reader.ReadListBegin();
    while (!Reader.EndOfList())
      Reader.ReadProperty(I);
    Reader.ReadListEnd();
  }
}

void TAxisItems::WriteItems(TStream& Stream)
{
  const int32_t Count = qToLittleEndian(static_cast<int32_t>(FItems.size()));
  Stream.WriteBuffer(&Count, sizeof Count);
  TWriter Writer(Stream, 1024);
  for (TAxisItem* I : FItems) {
    Writer.WriteListBegin();
    Writer.WriteProperties(I);
    Writer.WriteListEnd();
  }
}

// ---------------------------------------------------------------------------

TChartAxisTitle::TChartAxisTitle(TCustomZuzPanel* AOwner) : TCustomTextShape(AOwner)
{
  InitTextAlignment(taCenter);
  InitTransparent(true);
}

String TChartAxisTitle::ClassName() const { return QStringLiteral("TChartAxisTitle"); }

void TChartAxisTitle::Assign(TPersistent* Source)
{
  if (auto* T = dynamic_cast<TChartAxisTitle*>(Source))
    FPosition = T->FPosition;
  TCustomTextShape::Assign(Source);
}

String TChartAxisTitle::Caption() const
{
  const qsizetype Break = Text().indexOf(ZuzTextLineBreak);
  return Break < 0 ? Text() : Text().left(Break);
}

void TChartAxisTitle::SetPosition(TAxisTitlePosition Value)
{
  if (FPosition != Value) {
    FPosition = Value;
    Repaint();
  }
}

bool TChartAxisTitle::Clicked(int32_t X, int32_t Y) const
{
  return Visible() && !Caption().isEmpty() && ClickedShape(TPoint{X, Y}, ShapeBounds);
}

// ---------------------------------------------------------------------------

TAxisBackShape::TAxisBackShape(TCustomZuzPanel* AOwner) : TZuzShape(AOwner)
{
  DefaultVisible = false;
  SetVisible(false);
  Shadow()->Hide();
  SetDraw3D(true);
}

String TAxisBackShape::ClassName() const { return QStringLiteral("TAxisBackShape"); }
