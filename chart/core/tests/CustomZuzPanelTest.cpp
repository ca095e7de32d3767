// The chart panel: its canvas by class, switching canvases, text zoom on
// resize, multi-line text and the font a text is drawn with.
#include "chart/core/CustomZuzPanel.h"

#include "platform/Canvas.h"
#include "chart/canvas/ChartCanvasInit.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzFont.h"

#include "platform/Filer.h"
#include "rtl/Streams.h"

#include <QGuiApplication>
#include <QImage>

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
      static char Name[] = "chart_core_tests";
      static char* Argv[] = {Name, nullptr};
      new QGuiApplication(Argc, Argv);
    }
    InitializeChartCanvas();
  }
};
const auto* Registered = ::testing::AddGlobalTestEnvironment(new TGuiEnvironment);

class TOtherCanvas : public TZuzCanvas3D {
public:
  String ClassName() const override { return QStringLiteral("TOtherCanvas"); }
};
} // namespace

TEST(ChartPanel, CanvasByClassFallsBackToTheGdiCanvas)
{
  TCustomZuzPanel Default(nullptr);
  EXPECT_EQ(Default.DefaultCanvas(), QStringLiteral("TGDIPlusCanvas"));
  EXPECT_EQ(Default.InternalCanvas()->ClassName(), QStringLiteral("TGDIPlusCanvas"));

  UnregisterGDIPlusCanvas();
  TCustomZuzPanel P(nullptr);
  ASSERT_NE(P.InternalCanvas(), nullptr);
  EXPECT_EQ(P.InternalCanvas()->ClassName(), QStringLiteral("TZuzCanvas3D"));
  EXPECT_EQ(P.InternalCanvas()->ReferenceCanvas(), P.Canvas());
  RegisterGDIPlusCanvas();

  RegisterCanvasClass(QStringLiteral("TOtherCanvas"),
                      []() -> std::unique_ptr<TCanvas3D> { return std::make_unique<TOtherCanvas>(); });
  TCustomZuzPanel Q(nullptr);
  Q.SetDefaultCanvas(QStringLiteral("tothercanvas"));
  EXPECT_EQ(Q.InternalCanvas()->ClassName(), QStringLiteral("TOtherCanvas"));
  UnregisterCanvasClass(QStringLiteral("TOtherCanvas"));
  EXPECT_EQ(FindCanvasClass(QStringLiteral("TOtherCanvas")), nullptr);
}

TEST(ChartPanel, SwitchingCanvasesCopiesSettingsWithoutRepaintingInBetween)
{
  TCustomZuzPanel P(nullptr);
  int Repaints = 0;
  P.OnInvalidate = [&] { ++Repaints; };
  P.InternalCanvas()->SetMonochrome(true);
  P.InternalCanvas()->SetFontZoom(130);
  Repaints = 0;
  P.SetInternalCanvas(nullptr);
  EXPECT_EQ(Repaints, 0);

  auto New = std::make_unique<TOtherCanvas>();
  TCanvas3D* Raw = New.get();
  P.SetInternalCanvas(std::move(New));
  EXPECT_EQ(P.InternalCanvas(), Raw);
  EXPECT_TRUE(Raw->GetMonochrome());
  EXPECT_EQ(Raw->FontZoom(), 130);
  EXPECT_EQ(Raw->ReferenceCanvas(), P.Canvas());
  EXPECT_EQ(P.DefaultCanvas(), QStringLiteral("TOtherCanvas"));
  EXPECT_EQ(Repaints, 1); // once, after the switch
}

TEST(ChartPanel, ResizeZoomsTextWhenAutomatic)
{
  TCustomZuzPanel P(nullptr);
  P.SetBounds(0, 0, 200, 100);
  P.SetBounds(0, 0, 300, 120);
  EXPECT_EQ(P.View3DOptions()->FontZoom(), 100); // manual zoom text
  P.View3DOptions()->SetZoomText(ztAuto);
  P.SetBounds(0, 0, 300, 120);
  P.Resize();
  EXPECT_EQ(P.View3DOptions()->FontZoom(), 150);
  P.SetBounds(0, 0, 100, 150);
  EXPECT_EQ(P.View3DOptions()->FontZoom(), 150); // the larger growth: +50% height
  P.SetBounds(0, 0, 100, 50);
  EXPECT_EQ(P.View3DOptions()->FontZoom(), 50);

  TCustomZuzPanel Loading(nullptr);
  Loading.View3DOptions()->SetZoomText(ztAuto);
  Loading.SetBounds(0, 0, 200, 100);
  Loading.IncludeState(csLoading);
  Loading.SetBounds(0, 0, 400, 100);
  EXPECT_EQ(Loading.View3DOptions()->FontZoom(), 100);
}

TEST(ChartPanel, MultiLineTextSize)
{
  TCustomZuzPanel P(nullptr);
  TCanvas3D* C = P.InternalCanvas();
  QImage Image(10, 10, QImage::Format_RGB32);
  P.Canvas()->BindImage(&Image);
  int32_t Lines = 0;
  const TPoint S = P.MultiLineTextSize(QStringLiteral("short\r\na much longer line\nx"), ttfNormal, Lines);
  EXPECT_EQ(Lines, 3);
  EXPECT_EQ(S.X, C->TextWidth(QStringLiteral("a much longer line")));
  EXPECT_EQ(S.Y, 3 * C->TextHeight(QStringLiteral("W")));
  P.Canvas()->Release();
}

TEST(ChartPanel, DefaultFontStandsInWhenAsked)
{
  TCustomZuzPanel P(nullptr);
  P.DefaultFont()->SetName(QStringLiteral("Courier"));
  TZuzFont Own;
  Own.SetName(QStringLiteral("Times"));
  P.TryAssignFont(&Own);
  EXPECT_EQ(P.InternalCanvas()->Font()->Name(), QStringLiteral("Times"));
  Own.SetDefaultFont(true);
  P.TryAssignFont(&Own);
  EXPECT_EQ(P.InternalCanvas()->Font()->Name(), QStringLiteral("Courier"));

  // In 3D the font follows the view's zoom.
  P.View3DOptions()->SetZoom(200);
  P.InternalCanvas()->InitWindow(P.Canvas(), P.View3DOptions(), clWhite, true, TRect{0, 0, 10, 10});
  Own.SetDefaultFont(false);
  Own.SetSize(8);
  P.PrepareFont3D(&Own);
  EXPECT_FLOAT_EQ(P.InternalCanvas()->Font()->SizeFloat(), 16);
  P.SetView3D(false);
  P.PrepareFont3D(&Own);
  EXPECT_FLOAT_EQ(P.InternalCanvas()->Font()->SizeFloat(), 8);
}

TEST(ChartPanel, ViewOptionsTravelWithThePanel)
{
  TCustomZuzPanel P(nullptr);
  P.View3DOptions()->SetRotation(10);
  P.View3DOptions()->SetOrthogonal(false);
  TMemoryStream S;
  WriteComponentToStream(S, &P);
  S.SetPosition(0);
  TCustomZuzPanel Back(nullptr);
  ReadComponentFromStream(S, &Back);
  EXPECT_EQ(Back.View3DOptions()->Rotation(), 10);
  EXPECT_FALSE(Back.View3DOptions()->Orthogonal());
  EXPECT_EQ(Back.View3DOptions()->Elevation(), 345);

  // A nil value in a file leaves the panel's own options.
  Back.SetView3DOptions(nullptr);
  EXPECT_EQ(Back.View3DOptions()->Rotation(), 10);
}
