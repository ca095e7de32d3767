#include "CoreTestSupport.h"

#include "chart/core/ChartCoreInit.h"

#include "platform/tests/QtTestApp.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

QTemporaryDir* ConfigHome = nullptr;

class TCoreEnvironment : public ::testing::Environment {
public:
  void SetUp() override
  {
    EnsureQtApplication();
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

void TImageChart::Invalidate()
{
  if (AutoRepaint() && OnInvalidate)
    OnInvalidate();
  TCustomAxisPanel::Invalidate();
}
