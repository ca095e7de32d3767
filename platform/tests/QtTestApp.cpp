#include "QtTestApp.h"

#include "platform/FontFamilies.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdlib>

void EnsureQtApplication()
{
  if (QCoreApplication::instance())
    return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int Argc = 1;
  static char Name[] = "platform_tests";
  static char* Argv[] = {Name, nullptr};
  new QApplication(Argc, Argv);
  InstallFontFamilies();
}
