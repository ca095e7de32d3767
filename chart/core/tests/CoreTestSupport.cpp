#include "CoreTestSupport.h"

#include "chart/core/ChartCoreInit.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

QTemporaryDir* ConfigHome = nullptr;

class TCoreEnvironment : public ::testing::Environment {
public:
  void SetUp() override
  {
    if (!QGuiApplication::instance()) {
      setenv("QT_QPA_PLATFORM", "offscreen", 0);
      static int Argc = 1;
      static char Name[] = "chart_core_tests";
      static char* Argv[] = {Name, nullptr};
      new QGuiApplication(Argc, Argv);
    }
    ConfigHome = new QTemporaryDir();
    setenv("XDG_CONFIG_HOME", ConfigHome->path().toLocal8Bit().constData(), 1);
    InitializeChartCore();
  }
  void TearDown() override
  {
    FinalizeChartCore();
    delete ConfigHome;
    ConfigHome = nullptr;
  }
};
const auto* Registered = ::testing::AddGlobalTestEnvironment(new TCoreEnvironment);

} // namespace

String TestConfigFolder() { return ConfigHome->path() + QStringLiteral("/fathomix"); }

TImageChart::TImageChart(int32_t W, int32_t H) : TCustomAxisPanel(nullptr), Image(W, H, QImage::Format_RGB32)
{
  SetBounds(0, 0, W, H);
  Canvas()->BindImage(&Image);
}

TImageChart::~TImageChart() { Canvas()->Release(); }
