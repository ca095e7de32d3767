// Chart fonts and the library default font.
#include "chart/canvas/CanvasMessages.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"

#include "rtl/Exceptions.h"
#include "rtl/StringList.h"

#include <QFontInfo>

#include <gtest/gtest.h>

namespace {
struct TCounter {
  int Count = 0;
  TNotifyEvent Event()
  {
    return [this](TObject*) { ++Count; };
  }
};

// Runs the default-font set-up with a given system language and puts the
// defaults back afterwards.
struct TDefaultFontScope {
  explicit TDefaultFontScope(uint16_t Language)
      : SavedName(ZuzFontDefaultName), SavedSize(ZuzFontDefaultSize), SavedLanguage(ZuzSystemPrimaryLanguage)
  {
    static uint16_t Lang;
    Lang = Language;
    ZuzSystemPrimaryLanguage = [] { return Lang; };
  }
  ~TDefaultFontScope()
  {
    ZuzMsg_DefaultFontName = QStringLiteral("Arial");
    ZuzMsg_DefaultFontSize = QStringLiteral("8");
    ZuzSystemPrimaryLanguage = SavedLanguage;
    ZuzFontDefaultName = SavedName;
    ZuzFontDefaultSize = SavedSize;
  }
  String SavedName;
  int32_t SavedSize;
  uint16_t (*SavedLanguage)();
};
} // namespace

TEST(ZuzFont, NewFontHasTheLibraryDefaultsAndStoresNothing)
{
  TZuzFont F;
  EXPECT_EQ(F.Name(), ZuzFontDefaultName);
  EXPECT_EQ(F.Name(), QStringLiteral("Arial"));
  EXPECT_EQ(F.Size(), 8);
  EXPECT_EQ(F.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(F.Color(), clBlack);
  EXPECT_EQ(F.Quality(), fqDefault);
  EXPECT_EQ(F.OutLineIfAny(), nullptr);
  EXPECT_EQ(F.ShadowIfAny(), nullptr);
  EXPECT_EQ(F.EmbossIfAny(), nullptr);
  EXPECT_FALSE(F.IsHeightStored() || F.IsNameStored() || F.IsColorStored() || F.IsStyleStored() || F.IsDepthStored() ||
               F.IsSizeFloatStored());
}

TEST(ZuzFont, InitColorAndStyleDeclareDefaultsSilently)
{
  TCounter C;
  TZuzFont F(C.Event());
  F.InitColor(clWhite);
  F.InitStyle(FontStyleBit(fsBold));
  EXPECT_EQ(C.Count, 0);
  EXPECT_EQ(F.Color(), clWhite);
  EXPECT_EQ(F.Brush()->Color(), clWhite);
  EXPECT_FALSE(F.IsColorStored() || F.IsStyleStored());
  F.SetColor(clRed);
  EXPECT_EQ(C.Count, 1);
  EXPECT_TRUE(F.IsColorStored());
}

TEST(ZuzFont, FractionalSizes)
{
  TCounter C;
  TZuzFont F(C.Event());
  F.SetSizeFloat(10.5f);
  EXPECT_EQ(F.Size(), 10);
  EXPECT_FLOAT_EQ(F.SizeFloat(), 10.5f);
  EXPECT_TRUE(F.IsSizeFloatStored());
  const int After = C.Count;
  EXPECT_GE(After, 1);
  F.SetSizeFloat(10.5f);
  EXPECT_EQ(C.Count, After);
  // A change of the fraction alone notifies too.
  F.SetSizeFloat(10.25f);
  EXPECT_EQ(C.Count, After + 1);
}

TEST(ZuzFont, SubObjectsAreCreatedOnReadAndFreedByNull)
{
  TCounter C;
  TZuzFont F(C.Event());
  F.Shadow()->SetSize(3);
  EXPECT_EQ(C.Count, 2); // horizontal and vertical size
  F.SetShadow(nullptr);
  EXPECT_EQ(F.ShadowIfAny(), nullptr);
  EXPECT_FALSE(F.Emboss()->Visible());
  EXPECT_EQ(F.Emboss()->Direction(), sdLeftTop);
  EXPECT_FALSE(F.OutLine()->Visible());
  F.SetOutLine(nullptr);
  EXPECT_EQ(F.OutLineIfAny(), nullptr);
  // The setters that store a value notify only on a change.
  const int Before = C.Count;
  F.SetInterCharSize(0);
  F.SetQuality(fqDefault);
  F.SetDepth(0);
  F.SetDefaultFont(false);
  EXPECT_EQ(C.Count, Before);
  F.SetQuality(fqBest);
  EXPECT_EQ(C.Count, Before + 1);
}

TEST(ZuzFont, AssignCopiesChartPartsButNotTheDeclaredDefaults)
{
  TZuzFont Source;
  Source.InitColor(clBlue);
  Source.SetDepth(4);
  Source.SetInterCharSize(2);
  Source.SetQuality(fqNormal);
  Source.Shadow()->SetSize(2);
  Source.OutLine()->Show();
  Source.SetSizeFloat(12.5f);
  TZuzFont Target;
  Target.InitColor(clRed);
  Target.Assign(&Source);
  EXPECT_EQ(Target.Depth(), 4);
  EXPECT_EQ(Target.InterCharSize(), 2);
  EXPECT_EQ(Target.Quality(), fqNormal);
  ASSERT_NE(Target.ShadowIfAny(), nullptr);
  EXPECT_EQ(Target.ShadowIfAny()->Size(), 2);
  EXPECT_TRUE(Target.OutLine()->Visible());
  EXPECT_FLOAT_EQ(Target.SizeFloat(), 12.5f);
  EXPECT_EQ(Target.Color(), clBlue);
  EXPECT_TRUE(Target.IsColorStored()); // its own default stays red

  // From a plain platform font only the platform properties come over.
  TFont Plain;
  Plain.SetName(QStringLiteral("Courier"));
  Target.Assign(&Plain);
  EXPECT_EQ(Target.Name(), QStringLiteral("Courier"));
  EXPECT_EQ(Target.Depth(), 4);
}

TEST(ZuzDefaultFont, FollowsTheMessagesAndTheJapaneseLocale)
{
  const String Japanese = String::fromUtf16(u"\u201Al\u201Ar \u201Ao\u0192S\u0192V\u0192b\u0192N");
  const struct {
    uint16_t Language;
    const char* Name;
    const char* Size;
    String WantName;
    int32_t WantSize;
  } Cases[] = {
      {0x09, "Arial", "8", QStringLiteral("Arial"), 8},
      {0x11, "Arial", "8", Japanese, 9},
      {0x11, "Tahoma", "10", QStringLiteral("Tahoma"), 10},
      {0x09, "Tahoma", "8", QStringLiteral("Tahoma"), 8},
  };
  for (const auto& C : Cases) {
    TDefaultFontScope Scope(C.Language);
    ZuzMsg_DefaultFontName = QString::fromLatin1(C.Name);
    ZuzMsg_DefaultFontSize = QString::fromLatin1(C.Size);
    ZuzDefaultFont();
    EXPECT_EQ(ZuzFontDefaultName, C.WantName) << C.Name;
    EXPECT_EQ(ZuzFontDefaultName.size(), C.WantName.size());
    EXPECT_EQ(ZuzFontDefaultSize, C.WantSize) << C.Name;
  }
  TDefaultFontScope Scope(0x09);
  ZuzMsg_DefaultFontSize = QStringLiteral("eight");
  EXPECT_THROW(ZuzDefaultFont(), EConvertError);
}

TEST(CustomFonts, DisplayFontsAreMappedOrSkipped)
{
  RemoveCustomFonts();
  EXPECT_EQ(AddCustomFonts(QStringLiteral("/nonexistent/folder")), 0);
  EXPECT_EQ(ZuzCustomFontNames, nullptr);

  ASSERT_EQ(AddCustomFonts(QString::fromLatin1(ZuzCustomFontFolder)), 2);
  ASSERT_NE(ZuzCustomFontNames, nullptr);
  TStringList Names;
  ZuzCustomFontNames(&Names);
  EXPECT_EQ(Names.Text(), QStringLiteral("Elektra\r\nDS-Digital\r\n"));
  EXPECT_TRUE(QFontInfo(QFont(QStringLiteral("Elektra"))).family().startsWith(QStringLiteral("DSEG7")));
  EXPECT_TRUE(QFontInfo(QFont(QStringLiteral("DS-Digital"))).family().startsWith(QStringLiteral("DSEG7")));
}
