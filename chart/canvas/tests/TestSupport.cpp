#include "TestSupport.h"

#include "platform/Canvas.h"
#include "chart/canvas/ChartCanvasInit.h"
#include "chart/canvas/ZuzCanvas3D.h"

#include <QDir>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
class TGuiEnvironment : public ::testing::Environment {
public:
  void SetUp() override
  {
    if (!QGuiApplication::instance()) {
      setenv("QT_QPA_PLATFORM", "offscreen", 0);
      static int Argc = 1;
      static char Name[] = "chart_canvas_tests";
      static char* Argv[] = {Name, nullptr};
      new QGuiApplication(Argc, Argv);
    }
    InitializeChartCanvas();
  }
};
const auto* Registered = ::testing::AddGlobalTestEnvironment(new TGuiEnvironment);
} // namespace

TBufferedCanvas::TBufferedCanvas(int32_t W, int32_t H, bool Is3D)
    : Canvas(std::make_unique<TZuzCanvas3D>()), Dest(W, H, QImage::Format_RGB32),
      DestCanvas(std::make_unique<TCanvas>())
{
  StartBufferedCanvas(*Canvas, Dest, *DestCanvas, Is3D);
}

void StartBufferedCanvas(TZuzCanvas3D& Canvas, QImage& Dest, TCanvas& DestCanvas, bool Is3D)
{
  Dest.fill(Qt::white);
  DestCanvas.BindImage(&Dest);
  const TRect R{0, 0, Dest.width(), Dest.height()};
  Canvas.InitWindow(&DestCanvas, nullptr, clWhite, Is3D, R);
  Canvas.Projection(0, R, R);
  Canvas.ResetState();
}

TBufferedCanvas::~TBufferedCanvas()
{
  Canvas.reset();
  DestCanvas.reset();
}

QImage TBufferedCanvas::Image() const { return Canvas->BufferImage()->copy(); }

TColor TBufferedCanvas::Pixel(int32_t X, int32_t Y) const { return PixelOf(*Canvas->BufferImage(), X, Y); }
