#include "platform/FontFamilies.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

#include <array>
#include <cstdio>

namespace {

struct TFamilyMap {
  const char* Name;
  const char* Family;
};

constexpr std::array<TFamilyMap, 3> Families = {{
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
}};

// Where Debian's fonts-liberation2 and fonts-liberation put them.
constexpr const char* FontFolders[] = {"/usr/share/fonts/truetype/liberation2", "/usr/share/fonts/truetype/liberation"};

// The mapped family of each name, empty until installed.
std::array<String, Families.size()> Installed;

void LoadFontFiles()
{
  for (const char* Folder : FontFolders) {
    const QDir D(QString::fromLatin1(Folder));
    for (const String& File : D.entryList({QStringLiteral("Liberation*.ttf")}, QDir::Files))
      QFontDatabase::addApplicationFont(D.filePath(File));
  }
}

} // namespace

QStringList InstallFontFamilies()
{
  QStringList Missing;
  if (!QGuiApplication::instance()) {
    for (const TFamilyMap& M : Families)
      Missing.append(QLatin1String(M.Name));
    std::fprintf(stderr, "fonts: no GUI application yet; %s left to the system\n",
                 qPrintable(Missing.join(QStringLiteral(", "))));
    return Missing;
  }
  bool Loaded = false;
  for (size_t I = 0; I < Families.size(); ++I) {
    const String Name = QLatin1String(Families[I].Name);
    const String Family = QLatin1String(Families[I].Family);
    if (!QFontDatabase::hasFamily(Family) && !Loaded) {
      LoadFontFiles();
      Loaded = true;
    }
    QFont::removeSubstitutions(Name);
    if (!QFontDatabase::hasFamily(Family)) {
      Installed[I].clear();
      Missing.append(Name);
      std::fprintf(stderr, "fonts: %s is not installed; text in %s may look different on this machine\n",
                   qPrintable(Family), qPrintable(Name));
      continue;
    }
    QFont::insertSubstitution(Name, Family);
    Installed[I] = Family;
  }
  return Missing;
}

String FontFamilyFor(const String& Name)
{
  for (size_t I = 0; I < Families.size(); ++I)
    if (!Installed[I].isEmpty() && Name.compare(QLatin1String(Families[I].Name), Qt::CaseInsensitive) == 0)
      return Installed[I];
  return Name;
}
