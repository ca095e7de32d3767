#pragma once
// Shared by the main window's tests: the Qt application (offscreen), a main
// window on a temporary set-up folder, COM ports mapped to pseudo-terminals
// or to nothing, and a pump that waits for a condition.
//
// Every COM port the program could probe is mapped to a path that does not
// exist unless a test maps it to a pseudo-terminal, so no test ever opens a
// real serial device.
#include "CoreFixture.h"
#include "app/CoreData.h"
#include "app/MainForm.h"
#include "app/SetupModel.h"
#include "platform/Application.h"
#include "platform/Messages.h"
#include "platform/PtyPair.h"
#include "rtl/Exceptions.h"
#include "rtl/Files.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

// The Qt application and the application object, made once for the test
// program and kept to its end.
inline void EnsureApplication()
{
  static int Argc = 1;
  static char Arg0[] = "app_tests";
  static char* Argv[] = {Arg0, nullptr};
  if (!QCoreApplication::instance())
    new QApplication(Argc, Argv);
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

class TMainFormTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureApplication();
    ASSERT_TRUE(FDir.isValid());
    UnmapAllComPorts();
    SetCommandLine({QStringLiteral("fathomix")});
    Application->OnException = [this](TObject*, const std::exception& E) {
      Errors.append(QString::fromUtf8(E.what()));
    };
  }

  void TearDown() override
  {
    // The window (and its open ports) before the far ends of the lines: a
    // line that vanished under an open port is a device failure.
    Form.reset();
    FPtys.clear();
    Application->OnException = nullptr;
    UnmapAllComPorts();
    SetCommandLine({});
  }

  String Folder() const { return FDir.path() + QStringLiteral("/cfg/fathomix"); }
  String SettingsPath() const { return Folder() + QStringLiteral("/FATHOMIX.INI"); }
  String TempPath(const String& Name) const { return FDir.path() + QLatin1Char('/') + Name; }

  void WriteSettings(const QByteArray& Text)
  {
    ASSERT_TRUE(ForceDirectories(Folder()));
    QFile F(SettingsPath());
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Text);
  }

  QByteArray ReadSettings() const
  {
    QFile F(SettingsPath());
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
  }

  // A main window on the temporary set-up folder that does not end the test
  // program when it closes.
  TMainForm& MakeForm()
  {
    Form = std::make_unique<TMainForm>(nullptr);
    Form->SetSetupFolder(Folder());
    Form->TerminateOnClose = false;
    Form->ShowMessage = [this](const String& Text) { Messages.append(Text); };
    return *Form;
  }

  TMainForm& Start()
  {
    if (!Form)
      MakeForm();
    Form->Show();
    return *Form;
  }

  TCoreData& Core() { return Form->Core(); }

  TSetupModel* SetupScreen()
  {
    const std::vector<ISetupScreen*> Screens = Form->SetupScreens();
    return Screens.empty() ? nullptr : dynamic_cast<TSetupModel*>(Screens.front());
  }

  // Whether the start-up problems hold a line with all of the texts.
  bool HasProblem(std::initializer_list<const char*> Texts) const
  {
    for (const String& P : Form->SettingsProblems()) {
      bool All = true;
      for (const char* T : Texts)
        All = All && P.contains(QString::fromUtf8(T));
      if (All)
        return true;
    }
    return false;
  }

  // A pseudo-terminal standing in for the device of COM port N; it lives
  // until the test's window has gone.
  PtyPair& Pty(int32_t N)
  {
    FPtys.push_back(std::make_unique<PtyPair>());
    PtyPair& P = *FPtys.back();
    EXPECT_TRUE(P.IsOpen());
    MapComPort(N, P.SlavePath());
    return P;
  }

  // The start-up problems but the list of missing sections (the tests write
  // only the sections they need).
  QStringList BindingProblems() const
  {
    QStringList L = Form->SettingsProblems();
    L.removeIf([](const String& P) { return P.startsWith(QStringLiteral("sections missing")); });
    return L;
  }

  std::unique_ptr<TMainForm> Form;
  QStringList Messages;
  QStringList Errors;

private:
  QTemporaryDir FDir;
  std::vector<std::unique_ptr<PtyPair>> FPtys;
};
