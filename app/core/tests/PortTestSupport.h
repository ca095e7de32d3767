#pragma once
// Shared by the tests that drive ports: the Qt application (offscreen), COM
// ports mapped to pseudo-terminals or to nothing, and pumps that wait for a
// condition or for bytes.
//
// Every COM port the program could probe is mapped to a path that does not
// exist unless a test maps it to a pseudo-terminal, so no test ever opens a
// real serial device.
#include "platform/Application.h"
#include "platform/FontFamilies.h"
#include "platform/Messages.h"
#include "platform/PtyPair.h"
#include "rtl/Types.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdlib>
#include <functional>

// The Qt application and the application object, made once for the test
// program and kept to its end.
inline void EnsureApplication()
{
  static int Argc = 1;
  static char Arg0[] = "app_tests";
  static char* Argv[] = {Arg0, nullptr};
  if (!QCoreApplication::instance()) {
    new QApplication(Argc, Argv);
    InstallFontFamilies();
  }
  if (!Application)
    new TApplication(nullptr);
}

inline void MapComPort(int32_t N, const String& Path)
{
  ::setenv(QStringLiteral("FATHOMIX_COM%1").arg(N).toLatin1().constData(), Path.toLocal8Bit().constData(), 1);
}

inline void UnmapAllComPorts()
{
  for (int32_t N = 1; N <= 32; ++N)
    MapComPort(N, QStringLiteral("/nonexistent/fathomix-test-port"));
}

// Pumps the main thread's messages until Done() holds or TimeoutMs passes.
inline bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs = 5000)
{
  QElapsedTimer Clock;
  Clock.start();
  for (;;) {
    Application->ProcessMessages();
    if (Done())
      return true;
    if (Clock.elapsed() > TimeoutMs)
      return false;
    WaitMessageOrTimeout(10);
  }
}

// Reads what the program sends to the far end of a pseudo-terminal until
// the text holds Until or TimeoutMs passes.
inline AnsiString ReadUntil(PtyPair& Pty, const AnsiString& Until, int TimeoutMs = 5000)
{
  AnsiString Got;
  QElapsedTimer Clock;
  Clock.start();
  while (!Got.contains(Until) && Clock.elapsed() < TimeoutMs) {
    Application->ProcessMessages();
    Got += Pty.ReadMaster(4096, 20);
  }
  return Got;
}
