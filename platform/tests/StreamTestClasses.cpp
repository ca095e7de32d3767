#include "StreamTestClasses.h"

#include "platform/Filer.h"
#include "platform/ObjectText.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <algorithm>

// ---------------------------------------------------------------- classes

void TTestFont::Assign(TPersistent* Source)
{
  if (auto* F = dynamic_cast<TTestFont*>(Source)) {
    FSize = F->FSize;
    FName = F->FName;
    FColor = F->FColor;
    FStyle = F->FStyle;
    return;
  }
  TPersistent::Assign(Source);
}

void TTestItem::Assign(TPersistent* Source)
{
  if (auto* I = dynamic_cast<TTestItem*>(Source)) {
    FCaption = I->FCaption;
    FValue = I->FValue;
    FEnabled = I->FEnabled;
    return;
  }
  TCollectionItem::Assign(Source);
}

TTestItems::TTestItems(TPersistent* AOwner) : TOwnedCollection(AOwner, ClassInfoFor<TTestItem>()) {}

void TTestItems::Update(TCollectionItem* Item)
{
  Log.push_back(Item ? QStringLiteral("update %1").arg(Item->Index()) : QStringLiteral("update all"));
}

void TTestItems::Notify(TCollectionItem* Item, TCollectionNotification Action)
{
  static const char* const Names[] = {"added", "extracting", "deleting"};
  Log.push_back(QStringLiteral("%1 %2").arg(QLatin1String(Names[Action])).arg(Item->Index()));
}

TTestWidget::TTestWidget(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TTestFont>()), FItems(std::make_unique<TTestItems>(this)),
      FLines(std::make_unique<TStringList>())
{
}

TTestWidget::~TTestWidget() = default;

void TTestWidget::SetBuddy(TComponent* V)
{
  if (FBuddy)
    FBuddy->RemoveFreeNotification(this);
  FBuddy = V;
  if (FBuddy)
    FBuddy->FreeNotification(this);
}

void TTestWidget::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FBuddy)
    FBuddy = nullptr;
}

TTestLink* TTestWidget::Link()
{
  if (!FLink)
    FLink = std::make_unique<TTestLink>();
  return FLink.get();
}

void TTestWidget::SetLink(TTestLink* V)
{
  if (!V)
    FLink.reset();
  else
    Link()->SetTarget(V->Target());
}

void TTestWidget::Loaded()
{
  LoadingWhenLoaded = (ComponentState() & csLoading) != 0;
  ++LoadedCount;
  TComponent::Loaded();
}

void TTestWidget::DefineProperties(TFiler* Filer)
{
  TComponent::DefineProperties(Filer);
  Filer->DefineProperty(
      QStringLiteral("Extra"), [this](TReader& R) { Extra = R.ReadInteger(); },
      [this](TWriter& W) { W.WriteInteger(Extra); }, Extra != 0);
  Filer->DefineBinaryProperty(
      QStringLiteral("Blob"),
      [this](TStream& S) {
        Blob.resize(static_cast<qsizetype>(S.Size()));
        S.ReadBuffer(Blob.data(), static_cast<int32_t>(Blob.size()));
      },
      [this](TStream& S) { S.WriteBuffer(Blob.constData(), static_cast<int32_t>(Blob.size())); }, !Blob.isEmpty());
}

TTestPanel::~TTestPanel()
{
  for (TComponent* K : Kids)
    if (auto* C = dynamic_cast<TTestChild*>(K))
      C->ParentPanel = nullptr;
}

void TTestPanel::GetChildren(const TGetChildProc& Proc, TComponent*)
{
  for (TComponent* K : Kids)
    Proc(K);
}

void TTestPanel::SetChildOrder(TComponent* Child, int32_t Order) { OrderCalls.emplace_back(Child, Order); }

void TTestPanel::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove)
    std::erase(Kids, AComponent);
}

TTestChild::~TTestChild()
{
  if (ParentPanel)
    std::erase(ParentPanel->Kids, this);
}

void TTestChild::SetParentComponent(TComponent* Value)
{
  if (ParentPanel)
    std::erase(ParentPanel->Kids, this);
  ParentPanel = dynamic_cast<TTestPanel*>(Value);
  if (ParentPanel)
    ParentPanel->Kids.push_back(this);
}

void TTestChild::Loaded()
{
  ++LoadedCount;
  TComponent::Loaded();
}

TTestRoot::~TTestRoot() { DestroyComponents(); }

void TTestRoot::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
  if (Root != this)
    return;
  for (int32_t I = 0; I < ComponentCount(); ++I)
    if (!Components(I)->HasParent())
      Proc(Components(I));
}

// ---------------------------------------------------------------- published

namespace {

const TEnumInfo TestShapeInfo("TTestShape", {"tsCircle", "tsSquare", "tsTriangle"});
const TEnumInfo TestFontStyleInfo("TTestFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
const TEnumInfo TestAlignmentInfo("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});

[[maybe_unused]] const TClassInfo& FontClass =
    PublishClass<TTestFont>("TTestFont", "TPersistent",
                            {
                                PropColor("Color", &TTestFont::Color, &TTestFont::SetColor, clWindowText),
                                PropStr("Name", &TTestFont::Name, &TTestFont::SetName),
                                PropInt("Size", &TTestFont::Size, &TTestFont::SetSize, 8),
                                PropSet("Style", &TTestFont::Style, &TTestFont::SetStyle, TestFontStyleInfo, 0),
                            });

[[maybe_unused]] const TClassInfo& ItemClass =
    PublishClass<TTestItem>("TTestItem", "TCollectionItem",
                            {
                                PropStr("Caption", &TTestItem::Caption, &TTestItem::SetCaption),
                                PropInt("Value", &TTestItem::Value, &TTestItem::SetValue, 0),
                                PropBool("Enabled", &TTestItem::Enabled, &TTestItem::SetEnabled, true),
                            });

[[maybe_unused]] const TClassInfo& ItemsClass = PublishClass<TTestItems>("TTestItems", "TOwnedCollection");

[[maybe_unused]] const TClassInfo& LinkClass =
    PublishClass<TTestLink>("TTestLink", "TPersistent", {PropObj("Target", &TTestLink::Target, &TTestLink::SetTarget)});

[[maybe_unused]] const TClassInfo& WidgetClass = PublishClass<TTestWidget>(
    "TTestWidget", "TComponent",
    {
        PropInt("Count", &TTestWidget::Count, &TTestWidget::SetCount, 0),
        PropInt("Tiny", &TTestWidget::Tiny, &TTestWidget::SetTiny, 0),
        PropInt("Word", &TTestWidget::Word, &TTestWidget::SetWord, 0),
        PropInt("Big", &TTestWidget::Big, &TTestWidget::SetBig, 0),
        PropInt("UBig", &TTestWidget::UBig, &TTestWidget::SetUBig, 0),
        PropBool("Flag", &TTestWidget::Flag, &TTestWidget::SetFlag, false),
        PropBool("Always", &TTestWidget::Always, &TTestWidget::SetAlways),
        PropEnum("Shape", &TTestWidget::Shape, &TTestWidget::SetShape, TestShapeInfo, tsCircle),
        PropSet("Styles", &TTestWidget::Styles, &TTestWidget::SetStyles, TestFontStyleInfo, 0),
        PropColor("Color", &TTestWidget::Color, &TTestWidget::SetColor, clBlack),
        PropFloat("Ratio", &TTestWidget::Ratio, &TTestWidget::SetRatio),
        PropFloat("Scale", &TTestWidget::Scale, &TTestWidget::SetScale, 1.0),
        PropCurrency("Price", &TTestWidget::Price, &TTestWidget::SetPrice),
        PropDate("When", &TTestWidget::When, &TTestWidget::SetWhen),
        PropStr("Caption", &TTestWidget::Caption, &TTestWidget::SetCaption),
        PropAnsiStr("Raw", &TTestWidget::Raw, &TTestWidget::SetRaw),
        PropWideStr("Wide", &TTestWidget::Wide, &TTestWidget::SetWide),
        PropObj("Font", &TTestWidget::Font, &TTestWidget::SetFont),
        PropObj("Items", &TTestWidget::Items, &TTestWidget::SetItems),
        PropObj("Buddy", &TTestWidget::Buddy, &TTestWidget::SetBuddy),
        PropStrings("Lines", &TTestWidget::Lines),
        PropObj("Link", &TTestWidget::Link, &TTestWidget::SetLink),
        PropInt("ReadOnlyValue", &TTestWidget::ReadOnlyValue, nullptr),
        PropInt("Hidden", &TTestWidget::Hidden, &TTestWidget::SetHidden).Stored(&TTestWidget::IsHiddenStored),
        PropEvent("OnClick", &TTestWidget::OnClick),
        PropEvent("OnChange", &TTestWidget::OnChange),
    });

[[maybe_unused]] const TClassInfo& PanelClass = PublishClass<TTestPanel>(
    "TTestPanel", "TComponent", {PropStr("Caption", &TTestPanel::Caption, &TTestPanel::SetCaption)});

[[maybe_unused]] const TClassInfo& ChildClass = PublishClass<TTestChild>(
    "TTestChild", "TComponent", {PropInt("Value", &TTestChild::Value, &TTestChild::SetValue, 0)});

[[maybe_unused]] const TClassInfo& RootClass =
    PublishClass<TTestRoot>("TTestRoot", "TComponent", {PropStr("Title", &TTestRoot::Title, &TTestRoot::SetTitle)});

[[maybe_unused]] const TClassInfo& CellPropsClass = PublishClass<TTestCellProperties>(
    "TTestCellProperties", "TPersistent",
    {
        PropBool("IsBaseCell", &TTestCellProperties::IsBaseCell, &TTestCellProperties::SetIsBaseCell),
        PropInt("CellSpanX", &TTestCellProperties::CellSpanX, &TTestCellProperties::SetCellSpanX),
        PropEnum("Alignment", &TTestCellProperties::Alignment, &TTestCellProperties::SetAlignment, TestAlignmentInfo),
        PropColor("BrushColor", &TTestCellProperties::BrushColor, &TTestCellProperties::SetBrushColor),
        PropInt("CellObject", &TTestCellProperties::CellObject, &TTestCellProperties::SetCellObject),
        PropStr("FontName", &TTestCellProperties::FontName, &TTestCellProperties::SetFontName),
        PropInt("FontSize", &TTestCellProperties::FontSize, &TTestCellProperties::SetFontSize),
        PropSet("FontStyle", &TTestCellProperties::FontStyle, &TTestCellProperties::SetFontStyle, TestFontStyleInfo),
        PropFloat("CellValue", &TTestCellProperties::CellValue, &TTestCellProperties::SetCellValue),
        PropInt("OwnerCol", &TTestCellProperties::OwnerCol, &TTestCellProperties::SetOwnerCol).Stored(false),
    });

[[maybe_unused]] const TClassInfo& CellIOClass =
    PublishClass<TGridCellIO>("TGridCellIO", "TComponent",
                              {
                                  PropInt("Col", &TGridCellIO::Col, &TGridCellIO::SetCol),
                                  PropInt("Row", &TGridCellIO::Row, &TGridCellIO::SetRow),
                                  PropStr("Cell", &TGridCellIO::Cell, &TGridCellIO::SetCell),
                                  PropBool("HasProp", &TGridCellIO::HasProp, &TGridCellIO::SetHasProp),
                              });

[[maybe_unused]] const TClassInfo& CellPropIOClass = PublishClass<TGridCellPropIO>(
    "TGridCellPropIO", "TComponent",
    {
        PropObj("CellProperties", &TGridCellPropIO::CellProperties),
        PropBool("HasGraphic", &TGridCellPropIO::HasGraphic, &TGridCellPropIO::SetHasGraphic),
    });

} // namespace

// ---------------------------------------------------------------- helpers

QByteArray StreamOf(TComponent* Root)
{
  TBytesStream S;
  WriteComponentToStream(S, Root);
  return S.Bytes();
}

void ReadInto(const QByteArray& Bytes, TComponent* Root)
{
  TBytesStream S(Bytes);
  ReadComponentFromStream(S, Root);
}

String ReadErrorOf(const QByteArray& Bytes, TComponent* Root)
{
  try {
    ReadInto(Bytes, Root);
  } catch (const EReadError& E) {
    return E.Message();
  }
  return QStringLiteral("(read without error)");
}

QByteArray BinaryToText(const QByteArray& Binary)
{
  TBytesStream In(Binary);
  TBytesStream Out;
  ObjectBinaryToText(In, Out);
  return Out.Bytes();
}

QByteArray TextToBinary(const QByteArray& Text)
{
  TBytesStream In(Text);
  TBytesStream Out;
  ObjectTextToBinary(In, Out);
  return Out.Bytes();
}

std::vector<String> TopPropertyNames(const QByteArray& Binary)
{
  TBytesStream S(Binary);
  TReader R(S);
  R.ReadSignature();
  uint8_t Flags = 0;
  int32_t Pos = 0;
  R.ReadPrefix(Flags, Pos);
  R.ReadStr();
  R.ReadStr();
  std::vector<String> Names;
  while (!R.EndOfList()) {
    Names.push_back(R.ReadStr());
    R.SkipValue();
  }
  return Names;
}
