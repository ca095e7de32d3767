// Editor options in the INI file of the program's config folder.
#include "CoreTestSupport.h"

#include "chart/core/EditorOptions.h"
#include "rtl/Files.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(EditorOptions, AbsentOptionsGiveTheirDefaults)
{
  EXPECT_EQ(ZuzReadIntegerOption(QStringLiteral("DefaultPalette"), 13), 13);
  EXPECT_EQ(ZuzReadStringOption(QStringLiteral("DefaultCanvas"), QStringLiteral("TGDIPlusCanvas")),
            QStringLiteral("TGDIPlusCanvas"));
  EXPECT_TRUE(ZuzReadBoolOption(QStringLiteral("TreeMode"), true));
}

TEST(EditorOptions, SavedOptionsAreReadBackFromTheConfigFolder)
{
  EXPECT_EQ(ZuzEditorOptionsFile(), TestConfigFolder() + QStringLiteral("/ChartEditor.ini"));
  ZuzSaveIntegerOption(QStringLiteral("GalleryColumns"), 6);
  ZuzSaveBoolOption(QStringLiteral("SmoothGallery"), true);
  ZuzSaveStringOption(QStringLiteral("VCLThemesPath"), QStringLiteral("/opt/themes"));
  EXPECT_TRUE(FileExists(ZuzEditorOptionsFile()));
  EXPECT_EQ(ZuzReadIntegerOption(QStringLiteral("GalleryColumns"), 4), 6);
  EXPECT_TRUE(ZuzReadBoolOption(QStringLiteral("SmoothGallery"), false));
  EXPECT_EQ(ZuzReadStringOption(QStringLiteral("VCLThemesPath"), QString()), QStringLiteral("/opt/themes"));
  // A panel made now draws with the user's canvas choice.
  ZuzSaveStringOption(QStringLiteral("DefaultCanvas"), QStringLiteral("TZuzCanvas3D"));
  {
    TImageChart Chart;
    EXPECT_EQ(Chart.DefaultCanvas(), QStringLiteral("TZuzCanvas3D"));
  }
  QFile::remove(ZuzEditorOptionsFile());
}

TEST(EditorOptions, AFolderThatCannotBeMadeLosesTheSaveQuietly)
{
  // The config folder's place is taken by a file: nothing can be written.
  QTemporaryDir Home;
  QFile Blocker(Home.path() + QStringLiteral("/fathomix"));
  ASSERT_TRUE(Blocker.open(QIODevice::WriteOnly));
  Blocker.close();
  const QByteArray Saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", Home.path().toLocal8Bit());
  EXPECT_NO_THROW(ZuzSaveIntegerOption(QStringLiteral("TreeWidth"), 200));
  EXPECT_EQ(ZuzReadIntegerOption(QStringLiteral("TreeWidth"), 150), 150);
  qputenv("XDG_CONFIG_HOME", Saved);
}
