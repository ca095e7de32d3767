#include "StreamTestClasses.h"

#include "platform/ClassRegistry.h"
#include "platform/Filer.h"
#include "platform/TypInfo.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A form-like root with a widget set away from every default, a panel with
// two children and references between them.
class TFilerFixture : public ::testing::Test {
protected:
  void SetUp() override
  {
    Source.SetName(QStringLiteral("Form1"));
    Source.SetTitle(QStringLiteral("Survey"));
    W = new TTestWidget(&Source);
    W->SetName(QStringLiteral("Widget1"));
    W->SetCount(-70000);
    W->SetTiny(-5);
    W->SetWord(40000);
    W->SetBig(int64_t(1) << 40);
    W->SetUBig(std::numeric_limits<uint64_t>::max());
    W->SetFlag(true);
    W->SetShape(tsTriangle);
    W->SetStyles(0b1010);
    W->SetColor(clRed);
    W->SetRatio(0.1);
    W->SetScale(0.25f);
    W->SetPrice(12.3456);
    W->SetWhen(45000.5);
    W->SetCaption(QStringLiteral("Depth 'm' \u00e9\u65e5"));
    W->SetRaw(AnsiString("\x80\xff raw", 6));
    W->SetWide(QStringLiteral("wide"));
    W->Font()->SetSize(11);
    W->Font()->SetName(QStringLiteral("Arial"));
    W->Font()->SetStyle(0b0001);
    static_cast<TTestItem*>(W->Items()->Add())->SetCaption(QStringLiteral("first"));
    auto* Second = static_cast<TTestItem*>(W->Items()->Add());
    Second->SetValue(3);
    Second->SetEnabled(false);
    W->Lines()->Add(QStringLiteral("line 1"));
    W->Lines()->Add(QString());
    W->Extra = 77;
    W->Blob = QByteArray("\x00\x01\x02", 3);
    Panel = new TTestPanel(&Source);
    Panel->SetName(QStringLiteral("Panel1"));
    Panel->SetCaption(QStringLiteral("Top"));
    for (int32_t I = 0; I < 2; ++I) {
      auto* C = new TTestChild(&Source);
      C->SetName(QStringLiteral("Child%1").arg(I + 1));
      C->SetValue(I + 10);
      C->SetParentComponent(Panel);
    }
    // A reference forward to a component written later in the stream.
    W->SetBuddy(Panel);
  }

  TTestRoot Source{nullptr};
  TTestWidget* W = nullptr;
  TTestPanel* Panel = nullptr;
};

TEST_F(TFilerFixture, BinaryRoundTripIsByteExactAndRestoresEveryValue)
{
  const QByteArray First = StreamOf(&Source);
  TTestRoot Copy(nullptr);
  ReadInto(First, &Copy);
  EXPECT_EQ(StreamOf(&Copy), First);

  auto* R = dynamic_cast<TTestWidget*>(Copy.FindComponent(QStringLiteral("Widget1")));
  ASSERT_NE(R, nullptr);
  EXPECT_EQ(Copy.Name(), QStringLiteral("Form1"));
  EXPECT_EQ(Copy.Title(), QStringLiteral("Survey"));
  EXPECT_EQ(R->Count(), -70000);
  EXPECT_EQ(R->Tiny(), -5);
  EXPECT_EQ(R->Word(), 40000);
  EXPECT_EQ(R->Big(), int64_t(1) << 40);
  EXPECT_EQ(R->UBig(), std::numeric_limits<uint64_t>::max());
  EXPECT_TRUE(R->Flag());
  EXPECT_EQ(R->Shape(), tsTriangle);
  EXPECT_EQ(R->Styles(), 0b1010);
  EXPECT_EQ(R->Color(), clRed);
  EXPECT_EQ(R->Ratio(), 0.1);
  EXPECT_EQ(R->Scale(), 0.25f);
  EXPECT_EQ(R->Price(), 12.3456);
  EXPECT_EQ(R->When(), 45000.5);
  EXPECT_EQ(R->Caption(), W->Caption());
  EXPECT_EQ(R->Raw(), W->Raw());
  EXPECT_EQ(R->Wide(), QStringLiteral("wide"));
  EXPECT_EQ(R->Font()->Size(), 11);
  EXPECT_EQ(R->Font()->Name(), QStringLiteral("Arial"));
  EXPECT_EQ(R->Font()->Style(), 1);
  ASSERT_EQ(R->Items()->Count(), 2);
  EXPECT_EQ(R->Items()->Item(0)->Caption(), QStringLiteral("first"));
  EXPECT_EQ(R->Items()->Item(1)->Value(), 3);
  EXPECT_FALSE(R->Items()->Item(1)->Enabled());
  ASSERT_EQ(R->Lines()->Count(), 2);
  EXPECT_EQ(R->Lines()->Strings(0), QStringLiteral("line 1"));
  EXPECT_EQ(R->Extra, 77);
  EXPECT_EQ(R->Blob, W->Blob);

  auto* P = dynamic_cast<TTestPanel*>(Copy.FindComponent(QStringLiteral("Panel1")));
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(R->Buddy(), P) << "a forward reference is resolved at the end";
  ASSERT_EQ(P->Kids.size(), 2u);
  EXPECT_EQ(P->Kids[0]->Name(), QStringLiteral("Child1"));
  EXPECT_EQ(P->Kids[1]->Owner(), &Copy) << "children belong to the root, their parent is the panel";
  EXPECT_EQ(static_cast<TTestChild*>(P->Kids[1])->Value(), 11);
}

TEST_F(TFilerFixture, LoadedRunsOnceForEveryComponentAfterReferencesAreResolved)
{
  const QByteArray Bytes = StreamOf(&Source);
  TTestRoot Copy(nullptr);
  ReadInto(Bytes, &Copy);
  auto* R = static_cast<TTestWidget*>(Copy.FindComponent(QStringLiteral("Widget1")));
  EXPECT_EQ(R->LoadedCount, 1);
  EXPECT_TRUE(R->LoadingWhenLoaded);
  EXPECT_EQ(static_cast<TTestChild*>(Copy.FindComponent(QStringLiteral("Child2")))->LoadedCount, 1);
  for (int32_t I = 0; I < Copy.ComponentCount(); ++I)
    EXPECT_EQ(Copy.Components(I)->ComponentState() & (csLoading | csReading), 0u);
  EXPECT_EQ(Copy.ComponentState() & (csLoading | csReading), 0u);
}

TEST(Filer, DefaultsAreNotWrittenAndEveryChangeIs)
{
  auto NamesAfter = [](const std::function<void(TTestWidget&)>& Change) {
    TTestWidget Wd(nullptr);
    Change(Wd);
    return TopPropertyNames(StreamOf(&Wd));
  };
  // A fresh widget writes only what has no declared default.
  const std::vector<String> Base = NamesAfter([](TTestWidget&) {});
  EXPECT_EQ(Base, (std::vector<String>{QStringLiteral("Always")}));

  struct TCase {
    const char* Name;
    std::function<void(TTestWidget&)> Change;
  };
  const TCase Cases[] = {
      {"Count", [](TTestWidget& X) { X.SetCount(1); }},
      {"Flag", [](TTestWidget& X) { X.SetFlag(true); }},
      {"Shape", [](TTestWidget& X) { X.SetShape(tsSquare); }},
      {"Styles", [](TTestWidget& X) { X.SetStyles(1); }},
      {"Color", [](TTestWidget& X) { X.SetColor(clNone); }},
      {"Ratio", [](TTestWidget& X) { X.SetRatio(-0.5); }},
      {"Scale", [](TTestWidget& X) { X.SetScale(0); }},
      {"Caption", [](TTestWidget& X) { X.SetCaption(QStringLiteral("a")); }},
      {"Font.Size", [](TTestWidget& X) { X.Font()->SetSize(9); }},
      {"Font.Color", [](TTestWidget& X) { X.Font()->SetColor(clBlack); }},
      {"Lines.Strings", [](TTestWidget& X) { X.Lines()->Add(QStringLiteral("x")); }},
      {"Items", [](TTestWidget& X) { X.Items()->Add(); }},
      {"Hidden", [](TTestWidget& X) { X.ShowHidden = true; }},
      {"Extra", [](TTestWidget& X) { X.Extra = 1; }},
      {"Blob", [](TTestWidget& X) { X.Blob = "b"; }},
  };
  for (const TCase& C : Cases) {
    std::vector<String> Expected = Base;
    const String Name = QString::fromLatin1(C.Name);
    std::vector<String> Got = NamesAfter(C.Change);
    EXPECT_NE(std::find(Got.begin(), Got.end(), Name), Got.end()) << C.Name;
    EXPECT_EQ(Got.size(), Base.size() + 1) << C.Name;
  }
  // A value set back to its default is not written either.
  EXPECT_EQ(NamesAfter([](TTestWidget& X) {
              X.SetCount(5);
              X.SetCount(0);
              X.Font()->SetSize(8);
              X.SetHidden(3);
            }),
            Base);
}

TEST(Filer, EventsTravelByHandlerName)
{
  TTestRoot Root(nullptr);
  auto* Wd = new TTestWidget(&Root);
  Wd->SetName(QStringLiteral("Widget1"));
  Wd->OnClick = [](TObject*) {};
  Wd->OnChange = [](TObject*) {}; // bound without a name: not written
  TBytesStream S;
  {
    TWriter Writer(S);
    Writer.OnFindMethodName = [](TWriter*, TPersistent*, const TPropInfo* P, String& Name) {
      if (P->Name == QStringLiteral("OnClick"))
        Name = QStringLiteral("Widget1Click");
    };
    Writer.WriteRootComponent(&Root);
  }
  const QByteArray Bytes = S.Bytes();
  EXPECT_TRUE(Bytes.contains("\x07OnClick\x07\x0CWidget1Click"));
  EXPECT_FALSE(Bytes.contains("OnChange"));

  // Resolved through the find-method hook.
  TTestRoot Copy(nullptr);
  int32_t Clicks = 0;
  {
    TBytesStream In(Bytes);
    TReader Reader(In);
    Reader.OnFindMethod = [&Clicks](TReader*, const String& Name, std::any& Handler, bool& Error) {
      if (Name == QStringLiteral("Widget1Click")) {
        Handler = TNotifyEvent([&Clicks](TObject*) { ++Clicks; });
        Error = false;
      }
    };
    Reader.ReadRootComponent(&Copy);
  }
  auto* R = static_cast<TTestWidget*>(Copy.FindComponent(QStringLiteral("Widget1")));
  ASSERT_TRUE(static_cast<bool>(R->OnClick));
  R->OnClick(R);
  EXPECT_EQ(Clicks, 1);

  // A hook that accepts without a handler leaves the event unassigned.
  TTestRoot Ignoring(nullptr);
  {
    TBytesStream In(Bytes);
    TReader Reader(In);
    Reader.OnFindMethod = [](TReader*, const String&, std::any&, bool& Error) { Error = false; };
    Reader.ReadRootComponent(&Ignoring);
  }
  EXPECT_FALSE(
      static_cast<bool>(static_cast<TTestWidget*>(Ignoring.FindComponent(QStringLiteral("Widget1")))->OnClick));

  // Without a hook the name cannot be resolved.
  TTestRoot Failing(nullptr);
  EXPECT_EQ(ReadErrorOf(Bytes, &Failing),
            QStringLiteral("Error reading Widget1.OnClick: Method Widget1Click not found"));
}

TEST(Filer, ReferencesResolveToOwnedComponentsTheRootAndOtherOwners)
{
  TTestRoot Root(nullptr);
  Root.SetName(QStringLiteral("Form1"));
  auto* A = new TTestWidget(&Root);
  A->SetName(QStringLiteral("A"));
  auto* B = new TTestWidget(&Root);
  B->SetName(QStringLiteral("B"));
  A->SetBuddy(B);
  B->SetBuddy(&Root);
  const QByteArray Bytes = StreamOf(&Root);
  TTestRoot Copy(nullptr);
  ReadInto(Bytes, &Copy);
  auto* CA = static_cast<TTestWidget*>(Copy.FindComponent(QStringLiteral("A")));
  auto* CB = static_cast<TTestWidget*>(Copy.FindComponent(QStringLiteral("B")));
  EXPECT_EQ(CA->Buddy(), CB);
  EXPECT_EQ(CB->Buddy(), &Copy);

  // A component of another owner is named "Owner.Name" and found through
  // the reader's hook.
  TTestRoot Other(nullptr);
  Other.SetName(QStringLiteral("Form2"));
  auto* Far = new TTestPanel(&Other);
  Far->SetName(QStringLiteral("Far"));
  A->SetBuddy(Far);
  const QByteArray Cross = StreamOf(&Root);
  EXPECT_TRUE(Cross.contains("\x05"
                             "Buddy\x07\x09"
                             "Form2.Far"));
  TTestRoot Copy2(nullptr);
  TBytesStream In(Cross);
  TReader Reader(In);
  Reader.OnFindComponent = [&](TReader*, const String& Name, TComponent*& C) {
    if (Name == QStringLiteral("Form2.Far"))
      C = Far;
  };
  Reader.ReadRootComponent(&Copy2);
  EXPECT_EQ(static_cast<TTestWidget*>(Copy2.FindComponent(QStringLiteral("A")))->Buddy(), Far);
}

TEST(Filer, PropertyErrorsNameTheObjectAndCanBeSkipped)
{
  const QByteArray Text = "object Form1: TTestRoot\r\n"
                          "  object Widget1: TTestWidget\r\n"
                          "    Count = 5\r\n"
                          "    Bogus = 1\r\n"
                          "    Shape = 'tsSquare'\r\n"
                          "    Buddy = Nobody\r\n"
                          "    Tiny = 300\r\n"
                          "    Flag = True\r\n"
                          "  end\r\n"
                          "end\r\n";
  const QByteArray Bytes = TextToBinary(Text);
  TTestRoot Strict(nullptr);
  EXPECT_EQ(ReadErrorOf(Bytes, &Strict), QStringLiteral("Error reading Widget1.Bogus: Property Bogus does not exist"));

  std::vector<String> Messages;
  TTestRoot Lenient(nullptr);
  TBytesStream In(Bytes);
  TReader Reader(In);
  Reader.OnError = [&Messages](TReader*, const String& Message, bool& Handled) {
    Messages.push_back(Message);
    Handled = true;
  };
  Reader.ReadRootComponent(&Lenient);
  EXPECT_EQ(Messages, (std::vector<String>{
                          QStringLiteral("Error reading Widget1.Bogus: Property Bogus does not exist"),
                          QStringLiteral("Error reading Widget1.Shape: Invalid property value"),
                          QStringLiteral("Error reading Widget1.Tiny: Invalid property value"),
                          QStringLiteral("Error reading Widget1.Buddy: Component Nobody not found"),
                      }));
  auto* R = static_cast<TTestWidget*>(Lenient.FindComponent(QStringLiteral("Widget1")));
  EXPECT_EQ(R->Count(), 5);
  EXPECT_TRUE(R->Flag()) << "reading goes on after a skipped property";
  EXPECT_EQ(R->Buddy(), nullptr);
  EXPECT_EQ(In.Position(), In.Size());
}

TEST(Filer, AnErrorInsideAnObjectsOwnReaderIsNeverSkipped)
{
  // "Extra" is read by the widget itself (DefineProperties), which wants an
  // integer; a lenient error hook still skips the unknown property before it.
  const QByteArray Bytes = TextToBinary("object Widget1: TTestWidget\r\n"
                                        "  Bogus = 1\r\n"
                                        "  Extra = 'seven'\r\n"
                                        "  Count = 5\r\n"
                                        "end\r\n");
  std::vector<String> Offered;
  TTestWidget W(nullptr);
  TBytesStream In(Bytes);
  TReader Reader(In);
  Reader.OnError = [&Offered](TReader*, const String& Message, bool& Handled) {
    Offered.push_back(Message);
    Handled = true;
  };
  try {
    Reader.ReadRootComponent(&W);
    ADD_FAILURE();
  } catch (const EReadError& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Error reading Widget1.Extra: Invalid property value"));
  }
  EXPECT_EQ(Offered,
            (std::vector<String>{QStringLiteral("Error reading Widget1.Bogus: Property Bogus does not exist")}));
  EXPECT_EQ(W.Count(), 0) << "reading stopped at the defined property";
}

TEST(Filer, ClassesAreCreatedOnlyWhenAllowed)
{
  TTestRoot Root(nullptr);
  new TTestWidget(&Root);
  const QByteArray Bytes = StreamOf(&Root);

  TTestRoot Copy(nullptr);
  TBytesStream In(Bytes);
  TReader Reader(In);
  Reader.SetAllowedClasses({FindClass(QStringLiteral("TTestPanel"))});
  try {
    Reader.ReadRootComponent(&Copy);
    ADD_FAILURE();
  } catch (const EClassNotFound& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Class TTestWidget not found"));
  }
  EXPECT_EQ(Copy.ComponentCount(), 0);
  EXPECT_EQ(Copy.ComponentState() & (csLoading | csReading), 0u);

  // Creating the root itself: a class outside the allowed base is unknown.
  TBytesStream In2(Bytes);
  EXPECT_THROW(ReadComponentFromStream(In2, nullptr, FindClass(QStringLiteral("TTestPanel"))), EClassNotFound);
  TBytesStream In3(Bytes);
  std::unique_ptr<TComponent> Made(ReadComponentFromStream(In3, nullptr));
  EXPECT_NE(dynamic_cast<TTestRoot*>(Made.get()), nullptr);
  EXPECT_EQ(Made->ComponentCount(), 1);

  // Unregistered classes are not found at all.
  const TClassInfo* Widget = FindClass(QStringLiteral("TTestWidget"));
  UnRegisterClass(Widget);
  TTestRoot Copy4(nullptr);
  EXPECT_THROW(ReadInto(Bytes, &Copy4), EClassNotFound);
  RegisterClass(Widget);
}

TEST(Filer, RecordsFollowEachOtherInOneStream)
{
  TBytesStream S;
  for (int32_t I = 0; I < 3; ++I) {
    TGridCellIO Rec(nullptr);
    Rec.SetCol(static_cast<uint16_t>(I));
    Rec.SetCell(QStringLiteral("cell %1").arg(I));
    WriteComponentToStream(S, &Rec);
  }
  S.SetPosition(0);
  TGridCellIO Rec(nullptr);
  for (int32_t I = 0; I < 3; ++I) {
    ReadComponentFromStream(S, &Rec);
    EXPECT_EQ(Rec.Col(), I);
    EXPECT_EQ(Rec.Cell(), QStringLiteral("cell %1").arg(I));
  }
  EXPECT_EQ(S.Position(), S.Size()) << "each read stops at the end of its record";
}

TEST(Filer, RootNameIsMadeUniqueAmongItsOwnersComponents)
{
  TTestRoot Saved(nullptr);
  Saved.SetName(QStringLiteral("Chart1"));
  const QByteArray Bytes = StreamOf(&Saved);

  TTestRoot Owner(nullptr);
  (new TTestPanel(&Owner))->SetName(QStringLiteral("Chart1"));
  auto* Target = new TTestRoot(&Owner);
  ReadInto(Bytes, Target);
  EXPECT_EQ(Target->Name(), QStringLiteral("Chart1_1"));

  TTestRoot Designed(nullptr);
  Designed.SetName(QStringLiteral("Mine"));
  Designed.IncludeState(csDesigning);
  ReadInto(Bytes, &Designed);
  EXPECT_EQ(Designed.Name(), QStringLiteral("Mine")) << "a designed root keeps its name";
}

TEST(Filer, DescendantsWriteOnlyWhatDiffersFromTheAncestor)
{
  TTestRoot Ancestor(nullptr);
  Ancestor.SetTitle(QStringLiteral("Base"));
  auto* AW = new TTestWidget(&Ancestor);
  AW->SetName(QStringLiteral("Widget1"));
  AW->SetCount(5);
  AW->Font()->SetSize(20);

  TTestRoot Derived(nullptr);
  Derived.SetTitle(QStringLiteral("Base"));
  auto* DW = new TTestWidget(&Derived);
  DW->SetName(QStringLiteral("Widget1"));
  DW->SetCount(5);
  DW->Font()->SetSize(21);
  auto* Extra = new TTestPanel(&Derived);
  Extra->SetName(QStringLiteral("Extra"));

  TBytesStream S;
  {
    TWriter Writer(S);
    Writer.WriteDescendent(&Derived, &Ancestor);
  }
  const QByteArray Text = BinaryToText(S.Bytes());
  EXPECT_EQ(Text, QByteArray("inherited TTestRoot\r\n"
                             "  inherited Widget1: TTestWidget\r\n"
                             "    Font.Size = 21\r\n"
                             "  end\r\n"
                             "  object Extra: TTestPanel\r\n"
                             "  end\r\n"
                             "end\r\n"));

  // Reading it into a copy of the ancestor finds the inherited widget by
  // name and creates the new panel.
  TTestRoot Copy(nullptr);
  auto* CW = new TTestWidget(&Copy);
  CW->SetName(QStringLiteral("Widget1"));
  CW->SetCount(5);
  ReadInto(S.Bytes(), &Copy);
  EXPECT_EQ(Copy.ComponentCount(), 2);
  EXPECT_EQ(CW->Font()->Size(), 21);
  EXPECT_EQ(CW->Count(), 5);
}

TEST(Filer, ColoursAreWrittenSignedAndReadEitherWay)
{
  TTestWidget W(nullptr);
  W.SetColor(0xFF00001F);
  const QByteArray Bytes = StreamOf(&W);
  EXPECT_TRUE(Bytes.contains(QByteArray("\x05"
                                        "Color\x04\x1F\x00\x00\xFF",
                                        10)));
  EXPECT_TRUE(BinaryToText(Bytes).contains("Color = -16777185"));
  for (const char* Value : {"-16777185", "4278190111", "$FF00001F"}) {
    TTestWidget R(nullptr);
    ReadInto(TextToBinary(QByteArray("object W: TTestWidget\n  Color = ") + Value + "\nend"), &R);
    EXPECT_EQ(R.Color(), 0xFF00001Fu) << Value;
  }
  TTestWidget R(nullptr);
  EXPECT_THROW(ReadInto(TextToBinary("object W: TTestWidget\n  Color = 4294967296\nend"), &R), EReadError);
}

TEST(Filer, ValuesWrittenByHandReadBack)
{
  TBytesStream S;
  {
    TWriter W(S);
    W.WriteListBegin();
    const int64_t Ints[] = {0, -128, 127, 128, -32769, 2147483647, 2147483648LL, std::numeric_limits<int64_t>::min()};
    for (int64_t V : Ints)
      W.WriteInteger(V);
    W.WriteFloat(-0.0);
    W.WriteFloat(std::numeric_limits<double>::denorm_min());
    W.WriteFloat(std::numeric_limits<double>::max());
    W.WriteSingle(1.5f);
    W.WriteDouble(2.25);
    W.WriteCurrency(-123456789.1234);
    W.WriteDate(1.25);
    W.WriteString(QString(QChar(char16_t(0xD800))) + QLatin1Char('x'));
    W.WriteString(QString(QChar(char16_t(0xFEFF))) + QStringLiteral("abc"));
    W.WriteAnsiString(AnsiString(300, 'a'));
    W.WriteIdent(QStringLiteral("TRUE"));
    W.WriteSet({QStringLiteral("a"), QStringLiteral("b")});
    W.WriteBinaryData(QByteArray(5, '\x7F'));
    W.WriteListEnd();
    W.FlushBuffer();
  }
  S.SetPosition(0);
  TReader R(S);
  R.ReadListBegin();
  EXPECT_EQ(R.ReadInteger(), 0);
  EXPECT_EQ(R.ReadInteger(), -128);
  EXPECT_EQ(R.ReadInteger(), 127);
  EXPECT_EQ(R.ReadInteger(), 128);
  EXPECT_EQ(R.ReadInteger(), -32769);
  EXPECT_EQ(R.ReadInteger(), 2147483647);
  EXPECT_THROW(R.ReadInteger(), EReadError) << "an Int64 value does not fit an Integer";
  EXPECT_EQ(R.ReadInt64(), std::numeric_limits<int64_t>::min());
  const double NegZero = R.ReadFloat();
  EXPECT_TRUE(NegZero == 0 && std::signbit(NegZero));
  EXPECT_EQ(R.ReadFloat(), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(R.ReadFloat(), std::numeric_limits<double>::max());
  EXPECT_EQ(R.ReadSingle(), 1.5f);
  EXPECT_EQ(R.ReadDouble(), 2.25);
  EXPECT_EQ(R.ReadCurrency(), -123456789.1234);
  EXPECT_EQ(R.ReadDate(), 1.25);
  EXPECT_EQ(R.ReadString(), QString(QChar(char16_t(0xD800))) + QLatin1Char('x')) << "an unpaired surrogate survives";
  EXPECT_EQ(R.ReadString(), QString(QChar(char16_t(0xFEFF))) + QStringLiteral("abc")) << "a leading U+FEFF is text";
  EXPECT_EQ(R.ReadAnsiString(), AnsiString(300, 'a'));
  EXPECT_TRUE(R.ReadBoolean());
  EXPECT_EQ(R.ReadSetNames(), (std::vector<String>{QStringLiteral("a"), QStringLiteral("b")}));
  EXPECT_EQ(R.ReadBinary(), QByteArray(5, '\x7F'));
  R.ReadListEnd();
  EXPECT_THROW(R.ReadValue(), EReadError);
}

} // namespace
