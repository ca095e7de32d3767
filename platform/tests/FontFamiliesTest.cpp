// The families the windows and charts name come out the same on every
// machine.
#include "platform/FontFamilies.h"

#include "QtTestApp.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/QtConvert.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

namespace {

struct TFamilyCase {
  const char* Name;
  const char* Family;
};

const TFamilyCase FamilyCases[] = {
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"ARIAL", "Liberation Sans"},
};

} // namespace

TEST(FontFamilies, NamedFamiliesResolveToTheirMetricCompatibleFamilies)
{
  EnsureQtApplication();
  EXPECT_TRUE(InstallFontFamilies().isEmpty()) << "fonts-liberation and fonts-liberation2 are installed by the "
                                                  "README's commands";
  for (const TFamilyCase& C : FamilyCases) {
    SCOPED_TRACE(C.Name);
    const String Name = QString::fromLatin1(C.Name);
    EXPECT_EQ(FontFamilyFor(Name).toStdString(), C.Family);
    // A widget naming the family, and the fonts the canvases make.
    EXPECT_EQ(QFontInfo(QFont(Name)).family().toStdString(), C.Family);
    TFont F;
    F.SetName(Name);
    F.SetSize(12);
    EXPECT_EQ(QFontInfo(ToQFont(F)).family().toStdString(), C.Family);
  }
  // Other names are the system's to resolve.
  EXPECT_EQ(FontFamilyFor(QStringLiteral("Tahoma")).toStdString(), "Tahoma");
  EXPECT_EQ(FontFamilyFor(QStringLiteral("Elektra")).toStdString(), "Elektra");
}

TEST(FontFamilies, TextTakesTheWidthsOfTheNamedFont)
{
  // The advance widths of Arial, in 2048ths of the em; at a size of 2048
  // pixels the compatible family gives them to the pixel.
  EnsureQtApplication();
  InstallFontFamilies();
  struct TCase {
    const char* Name;
    char16_t Glyph;
    int Advance;
  };
  const TCase Cases[] = {
      {"Arial", u'W', 1933},       {"Arial", u'i', 455},        {"Times New Roman", u'W', 1933},
      {"Courier New", u'W', 1229}, {"Courier New", u'i', 1229},
  };
  for (const TCase& C : Cases) {
    QFont F(FontFamilyFor(QString::fromLatin1(C.Name)));
    F.setPixelSize(2048);
    F.setHintingPreference(QFont::PreferNoHinting);
    EXPECT_EQ(QFontMetrics(F).horizontalAdvance(QChar(C.Glyph)), C.Advance) << C.Name << " " << char(C.Glyph);
  }
}
