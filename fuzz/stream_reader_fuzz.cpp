// Arbitrary bytes into the component stream reader and both text
// conversions. Besides "no crash, no sanitizer report, no leak" it checks
// what must hold for any input:
//   - an object read from any stream writes a stream that reads back and
//     writes the same bytes again;
//   - binary that converts to text converts back, and that binary gives the
//     same text again;
//   - text that converts to binary gives binary that converts to text and
//     back to the same bytes.
// fuzz-links: platform
#include "platform/ClassRegistry.h"
#include "platform/Collection.h"
#include "platform/Colors.h"
#include "platform/Component.h"
#include "platform/Filer.h"
#include "platform/ObjectText.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"
#include "rtl/StringList.h"
#include "rtl/Streams.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

enum TFuzzKind : uint8_t { fkOne, fkTwo, fkThree };

class TFuzzFont : public TPersistent {
public:
  String ClassName() const override { return QStringLiteral("TFuzzFont"); }
  int32_t Size() const { return FSize; }
  void SetSize(int32_t V) { FSize = V; }
  TColor Color() const { return FColor; }
  void SetColor(TColor V) { FColor = V; }
  uint8_t Style() const { return FStyle; }
  void SetStyle(uint8_t V) { FStyle = V; }

private:
  int32_t FSize = 8;
  TColor FColor = clWindowText;
  uint8_t FStyle = 0;
};

class TFuzzItem : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  String ClassName() const override { return QStringLiteral("TFuzzItem"); }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& V) { FCaption = V; }
  double Ratio() const { return FRatio; }
  void SetRatio(double V) { FRatio = V; }
  TFuzzFont* Font() const { return FFont.get(); }

private:
  String FCaption;
  double FRatio = 0;
  std::unique_ptr<TFuzzFont> FFont = std::make_unique<TFuzzFont>();
};

class TFuzzWidget : public TComponent {
public:
  explicit TFuzzWidget(TComponent* AOwner)
      : TComponent(AOwner), FItems(std::make_unique<TOwnedCollection>(this, ClassInfoFor<TFuzzItem>()))
  {
  }
  ~TFuzzWidget() override
  {
    if (FRef)
      FRef->RemoveFreeNotification(this);
  }
  String ClassName() const override { return QStringLiteral("TFuzzWidget"); }
  int32_t Count() const { return FCount; }
  void SetCount(int32_t V) { FCount = V; }
  uint16_t Word() const { return FWord; }
  void SetWord(uint16_t V) { FWord = V; }
  int64_t Big() const { return FBig; }
  void SetBig(int64_t V) { FBig = V; }
  bool Flag() const { return FFlag; }
  void SetFlag(bool V) { FFlag = V; }
  TFuzzKind Kind() const { return FKind; }
  void SetKind(TFuzzKind V) { FKind = V; }
  uint8_t Kinds() const { return FKinds; }
  void SetKinds(uint8_t V) { FKinds = V; }
  TColor Color() const { return FColor; }
  void SetColor(TColor V) { FColor = V; }
  float Scale() const { return FScale; }
  void SetScale(float V) { FScale = V; }
  double Price() const { return FPrice; }
  void SetPrice(double V) { FPrice = V; }
  double When() const { return FWhen; }
  void SetWhen(double V) { FWhen = V; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& V) { FCaption = V; }
  const AnsiString& Raw() const { return FRaw; }
  void SetRaw(const AnsiString& V) { FRaw = V; }
  TFuzzFont* Font() const { return FFont.get(); }
  TOwnedCollection* Items() const { return FItems.get(); }
  TComponent* Ref() const { return FRef; }
  void SetRef(TComponent* V)
  {
    if (FRef)
      FRef->RemoveFreeNotification(this);
    FRef = V;
    if (FRef)
      FRef->FreeNotification(this);
  }
  TStringList* Lines() const { return FLines.get(); }
  // Created on first read, freed when set to nil.
  TFuzzFont* Spare()
  {
    if (!FSpare)
      FSpare = std::make_unique<TFuzzFont>();
    return FSpare.get();
  }
  void SetSpare(TFuzzFont* V)
  {
    if (!V)
      FSpare.reset();
  }

  TNotifyEvent OnClick;
  QByteArray Blob;
  int32_t Extra = 0;

  void DefineProperties(TFiler* Filer) override
  {
    Filer->DefineProperty(
        QStringLiteral("Extra"), [this](TReader& R) { Extra = R.ReadInteger(); },
        [this](TWriter& W) { W.WriteInteger(Extra); }, Extra != 0);
    Filer->DefineBinaryProperty(
        QStringLiteral("Blob"),
        [this](TStream& S) {
          Blob.resize(static_cast<qsizetype>(S.Size()));
          S.ReadBuffer(Blob.data(), static_cast<int32_t>(Blob.size()));
        },
        [this](TStream& S) { S.WriteBuffer(Blob.constData(), static_cast<int32_t>(Blob.size())); },
        !Blob.isEmpty());
  }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override
  {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FRef)
      FRef = nullptr;
  }

private:
  int32_t FCount = 0;
  uint16_t FWord = 0;
  int64_t FBig = 0;
  bool FFlag = false;
  TFuzzKind FKind = fkOne;
  uint8_t FKinds = 0;
  TColor FColor = clBlack;
  float FScale = 1;
  double FPrice = 0;
  double FWhen = 0;
  String FCaption;
  AnsiString FRaw;
  std::unique_ptr<TFuzzFont> FFont = std::make_unique<TFuzzFont>();
  std::unique_ptr<TOwnedCollection> FItems;
  TComponent* FRef = nullptr;
  std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
  std::unique_ptr<TFuzzFont> FSpare;
};

// Children that name a panel as their parent; owned by the root.
class TFuzzPanel;
class TFuzzChild : public TComponent {
public:
  using TComponent::TComponent;
  ~TFuzzChild() override;
  String ClassName() const override { return QStringLiteral("TFuzzChild"); }
  int32_t Value() const { return FValue; }
  void SetValue(int32_t V) { FValue = V; }
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  TFuzzPanel* Panel = nullptr;

private:
  int32_t FValue = 0;
};

class TFuzzPanel : public TComponent {
public:
  using TComponent::TComponent;
  ~TFuzzPanel() override
  {
    for (TFuzzChild* K : Kids)
      K->Panel = nullptr;
  }
  String ClassName() const override { return QStringLiteral("TFuzzPanel"); }
  void GetChildren(const TGetChildProc& Proc, TComponent*) override
  {
    const std::vector<TFuzzChild*> Copy = Kids;
    for (TFuzzChild* K : Copy)
      Proc(K);
  }
  std::vector<TFuzzChild*> Kids;
};

TFuzzChild::~TFuzzChild()
{
  if (Panel)
    std::erase(Panel->Kids, this);
}

TComponent* TFuzzChild::GetParentComponent() const { return Panel; }

void TFuzzChild::SetParentComponent(TComponent* Value)
{
  if (Panel)
    std::erase(Panel->Kids, this);
  Panel = dynamic_cast<TFuzzPanel*>(Value);
  if (Panel)
    Panel->Kids.push_back(this);
}

class TFuzzRoot : public TComponent {
public:
  using TComponent::TComponent;
  ~TFuzzRoot() override { DestroyComponents(); }
  String ClassName() const override { return QStringLiteral("TFuzzRoot"); }
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override
  {
    if (Root != this)
      return;
    for (int32_t I = 0; I < ComponentCount(); ++I)
      if (!Components(I)->HasParent())
        Proc(Components(I));
  }
};

const TEnumInfo FuzzKindInfo("TFuzzKind", {"fkOne", "fkTwo", "fkThree"});
const TEnumInfo FuzzStyleInfo("TFuzzStyle", {"fsBold", "fsItalic", "fsUnderline"});

[[maybe_unused]] const TClassInfo& FontClass = PublishClass<TFuzzFont>(
    "TFuzzFont", "TPersistent",
    {
        PropInt("Size", &TFuzzFont::Size, &TFuzzFont::SetSize, 8),
        PropColor("Color", &TFuzzFont::Color, &TFuzzFont::SetColor, clWindowText),
        PropSet("Style", &TFuzzFont::Style, &TFuzzFont::SetStyle, FuzzStyleInfo, 0),
    });

[[maybe_unused]] const TClassInfo& ItemClass = PublishClass<TFuzzItem>(
    "TFuzzItem", "TCollectionItem",
    {
        PropStr("Caption", &TFuzzItem::Caption, &TFuzzItem::SetCaption),
        PropFloat("Ratio", &TFuzzItem::Ratio, &TFuzzItem::SetRatio),
        PropObj("Font", &TFuzzItem::Font),
    });

[[maybe_unused]] const TClassInfo& WidgetClass = PublishClass<TFuzzWidget>(
    "TFuzzWidget", "TComponent",
    {
        PropInt("Count", &TFuzzWidget::Count, &TFuzzWidget::SetCount, 0),
        PropInt("Word", &TFuzzWidget::Word, &TFuzzWidget::SetWord),
        PropInt("Big", &TFuzzWidget::Big, &TFuzzWidget::SetBig, 0),
        PropBool("Flag", &TFuzzWidget::Flag, &TFuzzWidget::SetFlag, false),
        PropEnum("Kind", &TFuzzWidget::Kind, &TFuzzWidget::SetKind, FuzzKindInfo, fkOne),
        PropSet("Kinds", &TFuzzWidget::Kinds, &TFuzzWidget::SetKinds, FuzzKindInfo),
        PropColor("Color", &TFuzzWidget::Color, &TFuzzWidget::SetColor, clBlack),
        PropFloat("Scale", &TFuzzWidget::Scale, &TFuzzWidget::SetScale, 1.0),
        PropCurrency("Price", &TFuzzWidget::Price, &TFuzzWidget::SetPrice),
        PropDate("When", &TFuzzWidget::When, &TFuzzWidget::SetWhen),
        PropStr("Caption", &TFuzzWidget::Caption, &TFuzzWidget::SetCaption),
        PropAnsiStr("Raw", &TFuzzWidget::Raw, &TFuzzWidget::SetRaw),
        PropObj("Font", &TFuzzWidget::Font),
        PropObj("Items", &TFuzzWidget::Items),
        PropObj("Ref", &TFuzzWidget::Ref, &TFuzzWidget::SetRef),
        PropStrings("Lines", &TFuzzWidget::Lines),
        PropObj("Spare", &TFuzzWidget::Spare, &TFuzzWidget::SetSpare),
        PropEvent("OnClick", &TFuzzWidget::OnClick),
    });

[[maybe_unused]] const TClassInfo& PanelClass = PublishClass<TFuzzPanel>("TFuzzPanel", "TComponent");
[[maybe_unused]] const TClassInfo& ChildClass = PublishClass<TFuzzChild>(
    "TFuzzChild", "TComponent", {PropInt("Value", &TFuzzChild::Value, &TFuzzChild::SetValue, 0)});
[[maybe_unused]] const TClassInfo& RootClass = PublishClass<TFuzzRoot>("TFuzzRoot", "TComponent");

[[noreturn]] void Fail(const char* What, const QByteArray& A, const QByteArray& B)
{
  std::fprintf(stderr, "invariant broken: %s\n--- first (%lld bytes)\n%s\n--- second (%lld bytes)\n%s\n", What,
               static_cast<long long>(A.size()), A.toHex(' ').constData(), static_cast<long long>(B.size()),
               B.toHex(' ').constData());
  std::abort();
}

QByteArray Write(TComponent* Root)
{
  TBytesStream S;
  TWriter W(S);
  W.OnFindMethodName = [](TWriter*, TPersistent*, const TPropInfo*, String& Name) { Name = QStringLiteral("Handler"); };
  W.WriteRootComponent(Root);
  return S.Bytes();
}

// True when the stream read; every handler name resolves to a handler.
bool Read(const QByteArray& Bytes, TComponent* Root)
{
  TBytesStream S(Bytes);
  TReader R(S);
  R.OnFindMethod = [](TReader*, const String&, std::any& Handler, bool& Error) {
    Handler = TNotifyEvent([](TObject*) {});
    Error = false;
  };
  try {
    R.ReadRootComponent(Root);
    return true;
  } catch (const Exception&) {
    return false;
  }
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

void CheckObjects(const QByteArray& Bytes)
{
  TFuzzRoot Root(nullptr);
  if (!Read(Bytes, &Root))
    return;
  const QByteArray Once = Write(&Root);
  TFuzzRoot Again(nullptr);
  // A stream may name a component it does not hold (a child without a
  // parent to list it), so the second read may fail; when it reads, the
  // objects must write the same bytes.
  if (!Read(Once, &Again))
    return;
  const QByteArray Twice = Write(&Again);
  if (Once != Twice)
    Fail("object -> binary -> object -> binary", Once, Twice);
}

void CheckBinaryText(const QByteArray& Bytes)
{
  QByteArray Text;
  try {
    Text = BinaryToText(Bytes);
  } catch (const Exception&) {
    return;
  }
  QByteArray Binary;
  try {
    Binary = TextToBinary(Text);
  } catch (const Exception& E) {
    std::fprintf(stderr, "text written by the converter does not read: %s\n", E.what());
    Fail("binary -> text -> binary", Bytes, Text);
  }
  const QByteArray Text2 = BinaryToText(Binary);
  if (Text2 != Text)
    Fail("binary -> text -> binary -> text", Text, Text2);
}

void CheckTextBinary(const QByteArray& Bytes)
{
  QByteArray Binary;
  try {
    Binary = TextToBinary(Bytes);
  } catch (const Exception&) {
    return;
  }
  const QByteArray Text = BinaryToText(Binary);
  const QByteArray Binary2 = TextToBinary(Text);
  if (Binary2 != Binary)
    Fail("text -> binary -> text -> binary", Binary, Binary2);
  CheckObjects(Binary);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
  const QByteArray Bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  CheckObjects(Bytes);
  CheckBinaryText(Bytes);
  CheckTextBinary(Bytes);
  return 0;
}
