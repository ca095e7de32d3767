// The Office theme read from the settings file standing in for the
// registry, and the notifier that tells windows when that file changes.
#include "grid/base/RurStyleIF.h"

#include "platform/Messages.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A settings file of the test's own, in force for the test's lifetime.
class TOfficeFile {
public:
  TOfficeFile() { SetOfficeThemeFile(Path()); }
  ~TOfficeFile() { SetOfficeThemeFile(String()); }
  String Path() const { return FDir.path() + QStringLiteral("/office.ini"); }
  void Write(const std::string& Text) const
  {
    QFile F(Path());
    F.open(QIODevice::WriteOnly | QIODevice::Truncate);
    F.write(Text.data(), static_cast<qint64>(Text.size()));
  }

private:
  QTemporaryDir FDir;
};

std::string Key(const char* Version, const char* Tail = "")
{
  return std::string("[Software\\Microsoft\\Office\\") + Version + "\\Common" + Tail + "]\n";
}

} // namespace

TEST(OfficeTheme, NewestVersionWithItsValueDecides)
{
  TOfficeFile File;
  struct Case {
    const char* What;
    std::string Text;
    TOfficeTheme Expected;
  };
  const Case Cases[] = {
      {"nothing set up", "", ot2003Classic},
      {"2010 black", Key("14.0") + "Theme=3\n", ot2010Black},
      {"2016 gray", Key("16.0") + "UI Theme=5\n", ot2016Gray},
      {"2016 unknown number, older not read", Key("16.0") + "UI Theme=4\n" + Key("14.0") + "Theme=3\n", ot2003Blue},
      {"2016 not a number falls through", Key("16.0") + "UI Theme=dark\n" + Key("15.0") + "UI Theme=1\n", ot2013Silver},
      {"2007 silver", Key("12.0") + "Theme=2\n", ot2007Silver},
      {"key without the value", Key("15.0") + "Other=1\n" + Key("12.0") + "Theme=1\n", ot2007Blue},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    File.Write(C.Text);
    EXPECT_EQ(GetOfficeTheme(), C.Expected);
  }
}

TEST(OfficeTheme, VersionIsTheNewestKeyPresent)
{
  TOfficeFile File;
  File.Write(Key("12.0", "\\General") + "x=1\n" + Key("16.0", "\\General") + "x=1\n");
  EXPECT_EQ(GetOfficeVersion(), 4);
  File.Write(Key("11.0", "\\General") + "x=1\n");
  EXPECT_EQ(GetOfficeVersion(), 0);
}

TEST(OfficeTheme, DarkenColorRoundsHalvesToEven)
{
  EXPECT_EQ(DarkenColor(clWhite, 50), RGBColor(128, 128, 128));
  EXPECT_EQ(DarkenColor(RGBColor(200, 100, 10), 10), RGBColor(180, 90, 9));
  EXPECT_EQ(ChangeColor(clBlack, 30), clBlack);
}

TEST(OfficeTheme, HandleListKeepsOrderAndFindsTheFirst)
{
  THandleList L;
  L.Add(5);
  L.Add(7);
  L.Insert(0, 9);
  L.DeleteValue(3); // absent: nothing
  EXPECT_EQ(L.Count(), 3);
  L.DeleteValue(7);
  EXPECT_TRUE(L.HasValue(9));
  EXPECT_FALSE(L.HasValue(7));
  EXPECT_EQ(L[0], 9u);
}

TEST(ThemeNotifier, WithoutOfficeNothingIsWatched)
{
  TOfficeFile File;
  File.Write("");
  TThemeNotifier N(nullptr);
  EXPECT_FALSE(N.Monitoring());
  N.RegisterWindow(42);
  EXPECT_TRUE(N.Windows().empty());
}

TEST(ThemeNotifier, AChangeOfTheFileReachesTheNotifierAndEveryRegisteredWindow)
{
  TOfficeFile File;
  File.Write(Key("16.0", "\\General") + "x=1\n" + Key("16.0") + "UI Theme=0\n");
  std::vector<std::string> Told;
  TMessageWindow A([&](uint32_t Msg, uintptr_t, intptr_t L) -> intptr_t {
    if (Msg == WM_OFFICETHEMECHANGED)
      Told.push_back("A " + reinterpret_cast<const String*>(L)->toStdString());
    return 0;
  });
  TMessageWindow B([&](uint32_t Msg, uintptr_t, intptr_t) -> intptr_t {
    if (Msg == WM_OFFICETHEMECHANGED)
      Told.push_back("B");
    return 0;
  });
  {
    TThemeNotifier N(nullptr);
    ASSERT_TRUE(N.Monitoring());
    int32_t Notified = 0;
    N.OnOfficeThemeChange = [&](TObject*) { ++Notified; };
    N.RegisterWindow(B.Handle());
    N.RegisterWindow(A.Handle());
    N.RegisterWindow(B.Handle());
    EXPECT_EQ(N.Windows().size(), 2u);
    N.UnRegisterWindow(12345); // not registered: nothing

    File.Write(Key("16.0", "\\General") + "x=1\n" + Key("16.0") + "UI Theme=2\n");
    // The monitor sends from its thread; the messages are served here while
    // this thread waits.
    for (int I = 0; I < 200 && Told.size() < 2; ++I)
      WaitMessageOrTimeout(50);
    ASSERT_GE(Told.size(), 2u);
    EXPECT_EQ(Told[0], "B");
    EXPECT_EQ(Told[1], "A " + File.Path().toStdString());
    EXPECT_GE(Notified, 1);
    EXPECT_EQ(GetOfficeTheme(), ot2016Black);
  }
  // The notifier is gone: a further change tells nobody.
  const size_t Before = Told.size();
  File.Write("");
  ProcessPendingMessages();
  EXPECT_EQ(Told.size(), Before);
}
