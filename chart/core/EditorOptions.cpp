#include "chart/core/EditorOptions.h"

#include "rtl/Exceptions.h"
#include "rtl/Files.h"
#include "rtl/IniFile.h"

#include <QDebug>

namespace {

const QString Section = QStringLiteral("Editor");

template <class F>
void Save(const String& Name, F Write)
{
  try {
    const String File = ZuzEditorOptionsFile();
    ForceDirectories(ExtractFileDir(File));
    TIniFile Ini(File);
    Write(Ini);
  } catch (const Exception& E) {
    qWarning().noquote() << QStringLiteral("Chart editor option %1 not saved: %2").arg(Name, E.Message());
  }
}

} // namespace

String ZuzEditorOptionsFile() { return ProgramConfigFolder() + QStringLiteral("/ChartEditor.ini"); }

bool ZuzReadBoolOption(const String& Name, bool Default)
{
  TIniFile Ini(ZuzEditorOptionsFile());
  return Ini.ReadBool(Section, Name, Default);
}

int32_t ZuzReadIntegerOption(const String& Name, int32_t Default)
{
  TIniFile Ini(ZuzEditorOptionsFile());
  return Ini.ReadInteger(Section, Name, Default);
}

String ZuzReadStringOption(const String& Name, const String& Default)
{
  TIniFile Ini(ZuzEditorOptionsFile());
  return Ini.ReadString(Section, Name, Default);
}

void ZuzSaveBoolOption(const String& Name, bool Value)
{
  Save(Name, [&](TIniFile& Ini) { Ini.WriteBool(Section, Name, Value); });
}

void ZuzSaveIntegerOption(const String& Name, int32_t Value)
{
  Save(Name, [&](TIniFile& Ini) { Ini.WriteInteger(Section, Name, Value); });
}

void ZuzSaveStringOption(const String& Name, const String& Value)
{
  Save(Name, [&](TIniFile& Ini) { Ini.WriteString(Section, Name, Value); });
}
