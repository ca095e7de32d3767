#include "bench/RoadBenchSupport.h"

#include "app/program/MainForm.h"
#include "rtl/Files.h"
#include "serial/SioComPort.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <string>

long ResidentKiB()
{
  std::ifstream Status("/proc/self/status");
  std::string Line;
  while (std::getline(Status, Line))
    if (Line.rfind("VmRSS:", 0) == 0)
      return std::strtol(Line.c_str() + 6, nullptr, 10);
  return -1;
}

// Live heap blocks, to tell a growing heap from a fragmented one when the
// resident size creeps.
long HeapInUseKiB()
{
  const struct mallinfo2 M = mallinfo2();
  return static_cast<long>((M.uordblks + M.hblkhd) / 1024);
}

std::vector<AnsiString> CastStrings()
{
  std::vector<AnsiString> Lines;
  const int Steps = 6000;
  for (int I = 0; I < 2 * Steps; ++I) {
    const int Step = I < Steps ? I : 2 * Steps - 1 - I;
    const double P = 0.5 * Step + 0.25;
    const double T = 15.0 - P / 300.0;
    const double C = 45.0 - P / 1000.0;
    const double SV = 1500.0 + P / 60.0;
    const double Alt = 3000.0 - P;
    char Buf[160];
    std::snprintf(Buf, sizeof Buf, "%.3f\tm/s\t%.3f\tdBar\t%.3f\tC\t%.2f\tm\t%.3f\tmS/cm\t", SV, P, T, Alt, C);
    Lines.emplace_back(Buf);
  }
  return Lines;
}

void UseOffscreenWithoutDisplay()
{
  if (!getenv("DISPLAY") && !getenv("WAYLAND_DISPLAY"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

void IsolateProgram(const String& DataHome)
{
  setenv("XDG_DATA_HOME", DataHome.toLocal8Bit().constData(), 1);
  SetCommandLine({QStringLiteral("fathomix")});
  for (int N = 1; N <= 20; ++N)
    MapComPort(N, QStringLiteral("/nonexistent/fathomix-bench-port"));
}

void MapComPort(int N, const String& Path)
{
  setenv(("FATHOMIX_COM" + std::to_string(N)).c_str(), Path.toLocal8Bit().constData(), 1);
}

std::unique_ptr<TMainForm> StartMainForm(const String& Folder, const QByteArray& Ini, int Outputs)
{
  QDir().mkpath(Folder);
  {
    QFile F(Folder + QStringLiteral("/FATHOMIX.INI"));
    if (!F.open(QIODevice::WriteOnly) || F.write(Ini) < 0) {
      std::fprintf(stderr, "cannot write the settings file\n");
      return nullptr;
    }
  }
  auto Form = std::make_unique<TMainForm>(nullptr);
  Form->SetSetupFolder(Folder);
  Form->TerminateOnClose = false;
  Form->ShowMessage = [](const String& Text) { std::fprintf(stderr, "message: %s\n", qPrintable(Text)); };
  Form->Show();
  if (!Form->SettingsProblems().isEmpty())
    std::fprintf(stderr, "settings: %s\n", qPrintable(Form->SettingsProblems().join(QStringLiteral("; "))));
  for (int N = 1; N <= Outputs; ++N)
    if (!Form->OutputPort(N) || !Form->OutputPort(N)->Open()) {
      std::fprintf(stderr, "output %d is not open\n", N);
      return nullptr;
    }
  return Form;
}

std::unique_ptr<TQuietProgram> StartQuietProgram(const QByteArray& Ini)
{
  auto P = std::make_unique<TQuietProgram>();
  IsolateProgram(P->Folder.path());
  MapComPort(1, P->Instrument.SlavePath());
  P->Form = StartMainForm(P->Folder.path() + QStringLiteral("/fathomix"), Ini, 0);
  if (!P->Form)
    return nullptr;
  return P;
}
