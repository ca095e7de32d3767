// Bars and pies in complete charts: every bar style, stacked horizontal
// bars with marks, pies and donuts, each in 2D and 3D on the aliased and
// the anti-aliased canvas (golden images); and a mouse press on a bar and
// on a slice reaching the series' click event.
#include "chart/core/tests/CoreTestSupport.h"

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/BarSeries.h"
#include "chart/series/PieSeries.h"
#include "platform/tests/GoldenImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct TCanvasKind {
  const char* Suffix;
  std::function<std::unique_ptr<TCanvas3D>()> Make;
};

const TCanvasKind Canvases[] = {
    {"gdi", [] { return std::make_unique<TZuzCanvas3D>(); }},
    {"gdiplus", [] { return std::make_unique<TGDIPlusCanvas>(); }},
};

// Reaches the chart's protected mouse handler.
class TInputChart : public TImageTChart {
public:
  TInputChart(int32_t W, int32_t H) : TImageTChart(W, H) {}
  using TImageTChart::MouseDown;
  using TImageTChart::MouseUp;
  // A press and its release at (X, Y).
  void Click(int32_t X, int32_t Y)
  {
    MouseDown(mbLeft, 0, X, Y);
    MouseUp(mbLeft, 0, X, Y);
  }
};

// The fifteen styles, the gradient one last: once a bar has asked for a
// gradient the series keeps it.
const TBarStyle StyleOrder[15] = {bsRectangle, bsPyramid, bsInvPyramid, bsCilinder,       bsEllipse,
                                  bsArrow,     bsCone,    bsBevel,      bsSlantCube,      bsDiamond,
                                  bsInvArrow,  bsInvCone, bsCustom,     bsRoundRectangle, bsRectGradient};

void BuildStyles(TImageTChart& C)
{
  C.Legend()->SetVisible(false);
  auto* S = new TBarSeries(&C);
  C.AddSeries(S);
  S->SetColorEachPoint(true);
  S->Marks()->SetVisible(false);
  S->SetBarWidthPercent(80);
  S->SetBevelSize(3);
  S->SetRoundSize(10);
  S->OnGetBarStyle = [](TCustomBarSeries*, int32_t I, TBarStyle& Style) { Style = StyleOrder[I % 15]; };
  for (int I = 0; I < 15; ++I)
    S->Add(30 + (I * 37) % 60 - (I == 10 ? 50 : 0));
}

void BuildStackedHorizontal(TImageTChart& C)
{
  C.Legend()->SetVisible(false);
  const double Values[3][4] = {{10, 20, 15, 5}, {8, -6, 12, 9}, {4, 7, -3, 6}};
  for (const auto& Row : Values) {
    auto* S = new THorizBarSeries(&C);
    C.AddSeries(S);
    S->SetMultiBar(mbStacked);
    S->SetMarksOnBar(true);
    S->SetMarksLocation(mlCenter);
    S->Marks()->SetTransparent(true);
    for (double V : Row)
      S->Add(V);
  }
}

TPieSeries* AddSamplePie(TImageTChart& C)
{
  auto* S = new TPieSeries(&C);
  C.AddSeries(S);
  const struct {
    double Value;
    const char* Label;
  } Points[] = {{42, "Temperature"}, {18, "Salinity"}, {25, "Pressure"}, {9, "Depth"}, {6, "Other sensors"}};
  for (const auto& P : Points)
    S->Add(P.Value, QString::fromLatin1(P.Label));
  return S;
}

void BuildPie(TImageTChart& C)
{
  TPieSeries* S = AddSamplePie(C);
  S->ExplodedSlice().Put(2, 15);
  S->Marks()->SetStyle(smsPercent);
}

void BuildDonut(TImageTChart& C)
{
  C.Legend()->SetVisible(false);
  TPieSeries* S = AddSamplePie(C);
  S->SetDonutPercent(50);
  S->SetBevelPercent(15);
  S->SetRotationAngle(30);
  S->Marks()->SetVisible(false);
}

// A half pie in a circular frame, its smallest slices grouped, the
// grouped points listed in a legend of their own.
void BuildFramedHalfPie(TImageTChart& C)
{
  TPieSeries* S = AddSamplePie(C);
  S->Marks()->SetVisible(false);
  S->SetAngleSize(180);
  S->Frame()->SetVisible(true);
  S->Frame()->SetWidth(8);
  S->OtherSlice()->SetStyle(poBelowPercent);
  S->OtherSlice()->SetValue(10);
  S->OtherSlice()->Legend()->SetVisible(true);
  S->OtherSlice()->Legend()->SetAlignment(laBottom);
}

struct TChartCase {
  const char* Name;
  bool In3D;
  int32_t W, H;
  std::function<void(TImageTChart&)> Build;
};

void CheckGoldens(const TChartCase& K)
{
  for (const TCanvasKind& Kind : Canvases) {
    const QString Name = QStringLiteral("%1_%2").arg(QString::fromLatin1(K.Name), QString::fromLatin1(Kind.Suffix));
    SCOPED_TRACE(Name.toStdString());
    TImageTChart Chart(K.W, K.H);
    Chart.SetInternalCanvas(Kind.Make());
    Chart.SetView3D(K.In3D);
    K.Build(Chart);
    Chart.Image.fill(Qt::black);
    Chart.Draw();
    EXPECT_GOLDEN(Chart.Image, Name, 8, 60);
  }
}

} // namespace

TEST(BarPieChart, GoldenBarStyles)
{
  const TChartCase Cases[] = {
      {"bars_styles_2d", false, 520, 240, BuildStyles},
      {"bars_styles_3d", true, 520, 240, BuildStyles},
      {"horizbars_stacked_2d", false, 360, 220, BuildStackedHorizontal},
      {"horizbars_stacked_3d", true, 360, 220, BuildStackedHorizontal},
  };
  for (const TChartCase& K : Cases)
    CheckGoldens(K);
}

TEST(BarPieChart, GoldenPiesAndDonuts)
{
  const TChartCase Cases[] = {
      {"pie_2d", false, 440, 280, BuildPie},
      {"pie_3d", true, 440, 280, BuildPie},
      {"donut_2d", false, 240, 200, BuildDonut},
      {"donut_3d", true, 240, 200, BuildDonut},
      {"pie_framed_half_2d", false, 360, 260, BuildFramedHalfPie},
  };
  for (const TChartCase& K : Cases)
    CheckGoldens(K);
}

TEST(BarPieChart, PressOnABarReachesItsSeries)
{
  TInputChart C(400, 250);
  C.SetInternalCanvas(std::make_unique<TGDIPlusCanvas>());
  C.SetView3D(false);
  C.Legend()->SetVisible(false);
  auto* A = new TBarSeries(&C);
  auto* B = new TBarSeries(&C);
  C.AddSeries({A, B});
  for (double V : {3.0, 5.0, 4.0})
    A->Add(V);
  for (double V : {2.0, 6.0, 1.0})
    B->Add(V);
  A->SetBarStyle(bsPyramid);
  C.Draw();
  QStringList Log;
  for (TBarSeries* S : {A, B})
    S->OnClick = [&Log, A](TChartSeries* Sender, int32_t I, TMouseButton, TShiftState, int32_t, int32_t) {
      Log << QStringLiteral("%1 %2").arg(Sender == A ? "A" : "B").arg(I);
    };
  // The middle of B's second bar, then the empty corner beside the apex
  // of A's pyramid, then the middle of that pyramid.
  const TRect R = B->CalcBarBounds(1);
  C.Click((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  const TRect P = A->CalcBarBounds(1);
  C.Click(P.Left + 2, P.Top + 3);
  C.Click((P.Left + P.Right) / 2, (P.Top + P.Bottom) / 2);
  EXPECT_EQ(Log, (QStringList{"B 1", "A 1"}));
}

TEST(BarPieChart, PressOnASliceReachesItsSeries)
{
  TInputChart C(400, 250);
  C.SetInternalCanvas(std::make_unique<TGDIPlusCanvas>());
  C.SetView3D(false);
  C.Legend()->SetVisible(false);
  auto* S = new TPieSeries(&C);
  C.AddSeries(S);
  S->Marks()->SetVisible(false);
  for (double V : {1.0, 1.0, 2.0})
    S->Add(V);
  S->SetDonutPercent(40);
  S->ExplodedSlice().Put(1, 20);
  C.Draw();
  QStringList Log;
  S->OnClick = [&Log](TChartSeries*, int32_t I, TMouseButton, TShiftState, int32_t, int32_t) {
    Log << QString::number(I);
  };
  const auto Press = [&](double Degrees, double RadiusShare, int32_t DX = 0, int32_t DY = 0) {
    int32_t X, Y;
    S->AngleToPos(Degrees * 3.14159265358979 / 180, S->XRadius() * RadiusShare, S->YRadius() * RadiusShare, X, Y);
    C.Click(X + DX, Y - DY);
  };
  Press(45, 0.8);  // slice 0 (0 to 90 degrees)
  Press(270, 0.8); // slice 2 (180 to 360)
  Press(30, 0.2);  // the hole: nothing
  // Slice 1 (90 to 180) has moved out along 135 degrees.
  int32_t DX, DY;
  S->CalcExplodedOffset(1, DX, DY);
  Press(135, 0.95, DX, DY);
  EXPECT_EQ(Log, (QStringList{"0", "2", "1"}));
  EXPECT_EQ(S->Clicked(S->CircleXCenter(), S->CircleYCenter()), -1);
}
