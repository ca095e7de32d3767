#include "app/program/MainForm.h"
#include "app/program/TerminationSignals.h"
#include "platform/Application.h"
#include "chart/core/ChartCoreInit.h"
#include "platform/FontFamilies.h"

#include <QApplication>
#include <QScopeGuard>

int main(int argc, char* argv[])
{
  QApplication App(argc, argv);
  App.setApplicationName(QStringLiteral("Fathomix"));
  // The program ends when the main window has shut down, not when Qt counts
  // its windows.
  App.setQuitOnLastWindowClosed(false);
  // Text and layouts the same on every machine, whatever fonts it has.
  InstallFontFamilies();
  // The chart windows' library, started before the first chart and shut
  // down after the application object has freed the last one.
  InitializeChartCore();
  const auto ChartShutdown = qScopeGuard([] { FinalizeChartCore(); });

  TApplication FathomixApplication(nullptr);
  Application->SetTitle(QStringLiteral("Fathomix"));
  // Installed before anything can take long, so that a stop request during
  // start-up waits in the signal pipe instead of killing the process.
  TTerminationSignals Signals;

  // Owned by the application object, which frees it (ports, packets, timers)
  // when the program ends.
  auto* Form = new TMainForm(&FathomixApplication);
  Signals.OnSignal = [Form](int) { Form->RequestClose(); };
  Form->Show();
  Application->Run();
  Signals.OnSignal = nullptr;
  return 0;
}
