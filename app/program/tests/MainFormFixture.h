#pragma once
// Shared by the main window's tests: a main window on a temporary set-up
// folder, over the port test support.
#include "app/core/tests/CoreFixture.h"
#include "app/core/tests/PortTestSupport.h"
#include "app/core/CoreData.h"
#include "app/program/MainForm.h"
#include "app/setup/MDISetup.h"
#include "app/windows/QvNumEdit.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "app/setup/SetupModel.h"
#include "chart/core/ChartCoreInit.h"
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

class TMainFormTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureApplication();
    // As the program does before its first chart window.
    InitializeChartCore();
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

  TMDISetup* SetupScreen()
  {
    const std::vector<ISetupScreen*> Screens = Form->SetupScreens();
    return Screens.empty() ? nullptr : dynamic_cast<TMDISetup*>(Screens.front());
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
