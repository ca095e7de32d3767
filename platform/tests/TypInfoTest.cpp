#include "StreamTestClasses.h"

#include "platform/ClassRegistry.h"
#include "platform/Colors.h"
#include "platform/Published.h"
#include "platform/TypInfo.h"
#include "rtl/Exceptions.h"

#include <QVariant>

#include <gtest/gtest.h>

namespace {

std::vector<String> Names(const std::vector<const TPropInfo*>& Props)
{
  std::vector<String> R;
  for (const TPropInfo* P : Props)
    R.push_back(P->Name);
  return R;
}

TEST(TypInfo, PropertyListStartsWithTheAncestorsInDeclarationOrder)
{
  TTestRoot Root(nullptr);
  EXPECT_EQ(Names(GetPropList(&Root)),
            (std::vector<String>{QStringLiteral("Name"), QStringLiteral("Tag"), QStringLiteral("Title")}));
  TTestWidget W(nullptr);
  const std::vector<const TPropInfo*> Props = GetPropList(&W);
  ASSERT_GE(Props.size(), 4u);
  EXPECT_EQ(Props[2]->Name, QStringLiteral("Count"));
  EXPECT_EQ(GetPropInfo(&W, QStringLiteral("caption")), GetPropInfo(&W, QStringLiteral("Caption")));
  EXPECT_EQ(GetPropInfo(&W, QStringLiteral("Nope")), nullptr);
}

// A font whose size starts larger and is declared again with that default.
class TBigFont : public TTestFont {
public:
  TBigFont() { SetSize(12); }
  String ClassName() const override { return QStringLiteral("TBigFont"); }
};
[[maybe_unused]] const TClassInfo& BigFontClass =
    PublishClass<TBigFont>("TBigFont", "TTestFont", {PropInt("Size", &TBigFont::Size, &TBigFont::SetSize, 12)});

TEST(TypInfo, ARepublishedPropertyTakesItsAncestorsPlaceOnce)
{
  TBigFont F;
  const std::vector<const TPropInfo*> Props = GetPropList(&F);
  EXPECT_EQ(Names(Props), (std::vector<String>{QStringLiteral("Color"), QStringLiteral("Name"), QStringLiteral("Size"),
                                               QStringLiteral("Style")}));
  const TPropInfo* Size = GetPropInfo(&F, QStringLiteral("Size"));
  EXPECT_EQ(Props[2], Size) << "the list holds the descendant's declaration";
  EXPECT_TRUE(IsDefaultPropValue(&F, Size));
  F.SetSize(8);
  EXPECT_FALSE(IsDefaultPropValue(&F, Size)) << "the ancestor's default no longer counts";
}

TEST(TypInfo, KindsAndTypeNamesFollowTheGetters)
{
  TTestWidget W(nullptr);
  struct TCase {
    const char* Prop;
    TTypeKind Kind;
    const char* TypeName;
  };
  const TCase Cases[] = {
      {"Count", tkInteger, "Integer"},
      {"Tiny", tkInteger, "ShortInt"},
      {"Word", tkInteger, "Word"},
      {"Big", tkInt64, "Int64"},
      {"UBig", tkInt64, "UInt64"},
      {"Flag", tkBoolean, "Boolean"},
      {"Shape", tkEnumeration, "TTestShape"},
      {"Styles", tkSet, "set of TTestFontStyle"},
      {"Color", tkInteger, "TColor"},
      {"Ratio", tkFloat, "Double"},
      {"Scale", tkFloat, "Single"},
      {"Price", tkFloat, "Currency"},
      {"When", tkFloat, "TDateTime"},
      {"Caption", tkUString, "string"},
      {"Raw", tkLString, "AnsiString"},
      {"Wide", tkWString, "WideString"},
      {"Font", tkClass, "TTestFont"},
      {"Items", tkClass, "TTestItems"},
      {"Lines", tkStrings, "TStrings"},
      {"OnClick", tkMethod, "TMethod"},
  };
  for (const TCase& C : Cases) {
    const TPropInfo* P = GetPropInfo(&W, QString::fromLatin1(C.Prop));
    ASSERT_NE(P, nullptr) << C.Prop;
    EXPECT_EQ(P->Kind, C.Kind) << C.Prop;
    EXPECT_EQ(P->TypeName(), QString::fromLatin1(C.TypeName)) << C.Prop;
  }
}

TEST(TypInfo, TextOfEveryScalarKindRoundTrips)
{
  TTestWidget W(nullptr);
  struct TCase {
    const char* Prop;
    const char* In;
    const char* Out;
  };
  const TCase Cases[] = {
      {"Count", "-123", "-123"},
      {"Count", "$10", "16"},
      {"Tiny", "-128", "-128"},
      {"Word", "65535", "65535"},
      {"Big", "-9000000000", "-9000000000"},
      {"UBig", "18446744073709551615", "18446744073709551615"},
      {"Flag", "true", "True"},
      {"Shape", "TSSQUARE", "tsSquare"},
      {"Styles", "[fsItalic, fsBold]", "[fsBold,fsItalic]"},
      {"Styles", "[]", "[]"},
      {"Color", "clRed", "clRed"},
      {"Color", "clDkGray", "clGray"},
      {"Color", "1193046", "1193046"},
      {"Ratio", "2.5", "2.5"},
      {"Price", "1.23456", "1.2346"},
      {"Price", "0.00001", "0"},
      {"Caption", "x y", "x y"},
      {"Raw", "abc", "abc"},
  };
  for (const TCase& C : Cases) {
    const TPropInfo* P = GetPropInfo(&W, QString::fromLatin1(C.Prop));
    SetPropText(&W, P, QString::fromLatin1(C.In));
    EXPECT_EQ(GetPropText(&W, P), QString::fromLatin1(C.Out)) << C.Prop << " " << C.In;
  }
}

TEST(TypInfo, ValuesOutsideTheTypeAreRefused)
{
  TTestWidget W(nullptr);
  struct TCase {
    const char* Prop;
    const char* Text;
    const char* Message;
  };
  const TCase Cases[] = {
      {"Tiny", "128", "Invalid property value"},
      {"Word", "-1", "Invalid property value"},
      {"Count", "4294967296", "Invalid property value"},
      {"Shape", "tsHexagon", "Invalid property element: tsHexagon"},
      {"Shape", "3", "Invalid property value"},
      {"Styles", "[fsBold,fsShadow]", "Invalid property element: fsShadow"},
      {"ReadOnlyValue", "1", "Property ReadOnlyValue is read-only"},
      {"Font", "x", "Invalid property type"},
  };
  for (const TCase& C : Cases) {
    const TPropInfo* P = GetPropInfo(&W, QString::fromLatin1(C.Prop));
    try {
      SetPropText(&W, P, QString::fromLatin1(C.Text));
      ADD_FAILURE() << C.Prop << " accepted " << C.Text;
    } catch (const EPropertyError& E) {
      EXPECT_EQ(E.Message(), QString::fromLatin1(C.Message)) << C.Prop;
    }
  }
  EXPECT_EQ(W.Tiny(), 0);
  EXPECT_EQ(W.Shape(), tsCircle);
  EXPECT_THROW(SetPropText(&W, GetPropInfo(&W, QStringLiteral("Count")), QStringLiteral("12x")), EConvertError);
}

TEST(TypInfo, DottedPathsWalkNestedObjectsAndCollectionItems)
{
  TTestWidget W(nullptr);
  W.Items()->Add();
  static_cast<TTestItem*>(W.Items()->Add())->SetCaption(QStringLiteral("second"));
  SetPropText(&W, QStringLiteral("Font.Size"), QStringLiteral("12"));
  EXPECT_EQ(W.Font()->Size(), 12);
  EXPECT_EQ(GetPropText(&W, QStringLiteral("Items.Item1.Caption")), QStringLiteral("second"));
  SetPropValue(&W, QStringLiteral("Items.item0.Value"), QVariant(7.6));
  EXPECT_EQ(W.Items()->Item(0)->Value(), 8);
  // Halves go to the even neighbour, as a number animation's steps do.
  for (const auto& [Given, Stored] : {std::pair{6.5, 6}, std::pair{7.5, 8}, std::pair{-2.5, -2}}) {
    SetPropValue(&W, QStringLiteral("Items.item0.Value"), QVariant(Given));
    EXPECT_EQ(W.Items()->Item(0)->Value(), Stored) << Given;
  }

  struct TCase {
    const char* Path;
    const char* Message;
  };
  const TCase Bad[] = {
      {"Font.Bogus", "Property Font.Bogus does not exist"},
      {"Caption.Length", "Invalid property path"},
      {"Items.Item2.Caption", "Invalid property path"},
      {"Buddy.Name", "Invalid property path"},
  };
  for (const TCase& C : Bad) {
    try {
      GetPropText(&W, QString::fromLatin1(C.Path));
      ADD_FAILURE() << C.Path;
    } catch (const EPropertyError& E) {
      EXPECT_EQ(E.Message(), QString::fromLatin1(C.Message)) << C.Path;
    }
    TPersistent* Obj = &W;
    EXPECT_EQ(FindPropPath(Obj, QString::fromLatin1(C.Path)), nullptr) << C.Path;
    EXPECT_EQ(Obj, &W) << "a failed walk leaves the instance as it was";
  }
  TPersistent* Obj = &W;
  const TPropInfo* P = FindPropPath(Obj, QStringLiteral("Items.Item1.Caption"));
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(Obj, W.Items()->Items(1));
}

TEST(TypInfo, VariantsPreferNamesWhenAsked)
{
  TTestWidget W(nullptr);
  W.SetShape(tsTriangle);
  W.SetStyles(0b0101);
  EXPECT_EQ(GetPropValue(&W, QStringLiteral("Shape")).toString(), QStringLiteral("tsTriangle"));
  EXPECT_EQ(GetPropValue(&W, QStringLiteral("Shape"), false).toLongLong(), 2);
  EXPECT_EQ(GetPropValue(&W, QStringLiteral("Styles")).toString(), QStringLiteral("[fsBold,fsUnderline]"));
  SetPropValue(&W, QStringLiteral("Shape"), QVariant(QStringLiteral("tsSquare")));
  EXPECT_EQ(W.Shape(), tsSquare);
  SetPropValue(&W, QStringLiteral("Flag"), QVariant(true));
  EXPECT_TRUE(W.Flag());
  SetPropValue(&W, QStringLiteral("Ratio"), QVariant(3));
  EXPECT_EQ(W.Ratio(), 3.0);
  EXPECT_THROW(SetPropValue(&W, QStringLiteral("Shape"), QVariant(9)), EPropertyError);
}

TEST(TypInfo, ObjectsAndEventsAreTypeChecked)
{
  TTestRoot Root(nullptr);
  auto* W = new TTestWidget(&Root);
  auto* Other = new TTestPanel(&Root);
  const TPropInfo* Buddy = GetPropInfo(W, QStringLiteral("Buddy"));
  SetObjectProp(W, Buddy, Other);
  EXPECT_EQ(W->Buddy(), Other);
  const TPropInfo* FontProp = GetPropInfo(W, QStringLiteral("Font"));
  EXPECT_THROW(SetObjectProp(W, GetPropInfo(W, QStringLiteral("Link")), Other), EPropertyError);
  EXPECT_EQ(GetObjectProp(W, FontProp), W->Font());

  const TPropInfo* Click = GetPropInfo(W, QStringLiteral("OnClick"));
  EXPECT_FALSE(GetMethodProp(W, Click).has_value());
  int32_t Calls = 0;
  SetMethodProp(W, Click, TNotifyEvent([&Calls](TObject*) { ++Calls; }));
  W->OnClick(W);
  EXPECT_EQ(Calls, 1);
  EXPECT_TRUE(GetMethodProp(W, Click).has_value());
  EXPECT_THROW(SetMethodProp(W, Click, std::function<void()>([] {})), EPropertyError);
  SetMethodProp(W, Click, std::any());
  EXPECT_FALSE(static_cast<bool>(W->OnClick));
}

TEST(TypInfo, DefaultsAndStoredTests)
{
  TTestWidget W(nullptr);
  const TPropInfo* Scale = GetPropInfo(&W, QStringLiteral("Scale"));
  const TPropInfo* Always = GetPropInfo(&W, QStringLiteral("Always"));
  const TPropInfo* Hidden = GetPropInfo(&W, QStringLiteral("Hidden"));
  const TPropInfo* Name = GetPropInfo(&W, QStringLiteral("Name"));
  EXPECT_TRUE(IsDefaultPropValue(&W, Scale));
  W.SetScale(2);
  EXPECT_FALSE(IsDefaultPropValue(&W, Scale));
  EXPECT_FALSE(IsDefaultPropValue(&W, Always)) << "no declared default: never default";
  EXPECT_FALSE(IsStoredProp(&W, Hidden));
  W.ShowHidden = true;
  EXPECT_TRUE(IsStoredProp(&W, Hidden));
  EXPECT_FALSE(IsStoredProp(&W, Name));
}

TEST(ClassRegistry, FindsCreatesAndUnregistersByName)
{
  const TClassInfo* Widget = FindClass(QStringLiteral("ttestwidget"));
  ASSERT_NE(Widget, nullptr);
  EXPECT_EQ(Widget->ClassName(), QStringLiteral("TTestWidget"));
  EXPECT_EQ(Widget->ClassParent()->ClassName(), QStringLiteral("TComponent"));
  EXPECT_TRUE(Widget->InheritsFrom(QStringLiteral("TPersistent")));
  EXPECT_FALSE(Widget->InheritsFrom(FindClass(QStringLiteral("TTestPanel"))));
  EXPECT_EQ(ClassInfoFor<TTestWidget>(), Widget);

  TTestRoot Root(nullptr);
  TComponent* Made = Widget->CreateComponent(&Root);
  EXPECT_EQ(Made->Owner(), &Root);
  EXPECT_NE(dynamic_cast<TTestWidget*>(Made), nullptr);
  EXPECT_EQ(ClassInfoOf(Made), Widget);

  EXPECT_EQ(GetClass(QStringLiteral("TNothing")), nullptr);
  try {
    FindClass(QStringLiteral("TNothing"));
    ADD_FAILURE();
  } catch (const EClassNotFound& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Class TNothing not found"));
  }
  EXPECT_FALSE(FindClass(QStringLiteral("TCollection"))->CanCreate());
  EXPECT_THROW(FindClass(QStringLiteral("TTestFont"))->CreateComponent(&Root), EFilerError);

  UnRegisterClass(Widget);
  EXPECT_EQ(GetClass(QStringLiteral("TTestWidget")), nullptr);
  EXPECT_EQ(ClassInfoOf(Made), Widget) << "an existing object keeps its properties";
  RegisterClass(Widget);
  RegisterClass(Widget);
  EXPECT_EQ(GetClass(QStringLiteral("TTestWidget")), Widget);
}

TEST(ClassRegistry, ANameBelongsToOneClass)
{
  const TClassInfo* Panel = FindClass(QStringLiteral("TTestPanel"));
  TClassInfo::TDeclaration D;
  D.Name = QStringLiteral("TTestPanel");
  D.ParentName = QStringLiteral("TComponent");
  D.Type = &typeid(TTestChild);
  const TClassInfo Impostor(std::move(D));
  try {
    RegisterClass(&Impostor);
    ADD_FAILURE();
  } catch (const EFilerError& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("A class named TTestPanel already exists"));
  }
  EXPECT_EQ(GetClass(QStringLiteral("TTestPanel")), Panel);
  const std::vector<const TClassInfo*> Components = GetRegisteredClasses(FindClass(QStringLiteral("TComponent")));
  EXPECT_NE(std::find(Components.begin(), Components.end(), Panel), Components.end());
  for (const TClassInfo* C : Components)
    EXPECT_TRUE(C->InheritsFrom(QStringLiteral("TComponent"))) << C->ClassName().toStdString();
  const std::vector<const TClassInfo*> Items = GetRegisteredClasses(FindClass(QStringLiteral("TCollectionItem")));
  EXPECT_NE(std::find(Items.begin(), Items.end(), FindClass(QStringLiteral("TTestItem"))), Items.end());
  EXPECT_EQ(std::find(Items.begin(), Items.end(), Panel), Items.end());
}

TEST(Colors, NamesAndNumbers)
{
  struct TCase {
    TColor Color;
    const char* Text;
  };
  const TCase Cases[] = {
      {clRed, "clRed"},   {clNone, "clNone"},        {clDefault, "clDefault"},  {clBtnFace, "clBtnFace"},
      {clGray, "clGray"}, {0x00123456, "$00123456"}, {0xFF00001F, "$FF00001F"},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(ColorToString(static_cast<int32_t>(C.Color)), QString::fromLatin1(C.Text));
    EXPECT_EQ(static_cast<TColor>(StringToColor(QString::fromLatin1(C.Text))), C.Color) << C.Text;
  }
  EXPECT_EQ(static_cast<TColor>(StringToColor(QStringLiteral("CLWHITE"))), clWhite);
  EXPECT_EQ(static_cast<TColor>(StringToColor(QStringLiteral("clLtGray"))), clSilver);
  EXPECT_THROW(StringToColor(QStringLiteral("clPlaid")), EConvertError);
}

} // namespace
