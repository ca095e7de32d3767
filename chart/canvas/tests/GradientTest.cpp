// Gradients: the stop list and its rules, radial and rotated blends, and
// the GDI canvas's band fills with their colours at the edges.
#include "RecordingCanvas.h"
#include "TestSupport.h"

#include "platform/Bitmap.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzGradient.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

TEST(Gradient, NewGradientDefaultsAndItsStopList)
{
  TZuzGradient G;
  EXPECT_FALSE(G.Visible());
  EXPECT_EQ(G.Direction(), gdTopBottom);
  EXPECT_EQ(G.StartColor(), clWhite);
  EXPECT_EQ(G.EndColor(), clYellow);
  EXPECT_EQ(G.MidColor(), clNone);
  EXPECT_EQ(G.Balance(), 50);
  EXPECT_EQ(G.ColorsIfAny(), nullptr);
  EXPECT_FALSE(G.IsColorsStored() || G.IsDirectionStored() || G.IsStartStored() || G.IsEndStored() || G.IsMidStored() ||
               G.IsVisibleStored() || G.HasSubGradient());
  ASSERT_EQ(G.Colors()->Count(), 2);
  EXPECT_EQ(G.Colors()->Items(0)->Color(), clWhite);
  EXPECT_EQ(G.Colors()->Items(1)->Offset(), 1);
  EXPECT_FALSE(G.IsColorsStored());
}

TEST(Gradient, MiddleColourInsertsAndRemovesAStop)
{
  int Changes = 0;
  TZuzGradient G([&](TObject*) { ++Changes; });
  G.SetMidColor(clRed);
  ASSERT_EQ(G.Colors()->Count(), 3);
  EXPECT_EQ(G.Colors()->Items(1)->Offset(), 0.5);
  EXPECT_EQ(G.MidColor(), clRed);
  EXPECT_FALSE(G.IsColorsStored());
  EXPECT_TRUE(G.IsMidStored());
  const int After = Changes;
  G.SetMidColor(clRed);
  EXPECT_EQ(Changes, After);
  G.SetMidColor(clNone);
  EXPECT_EQ(G.Colors()->Count(), 2);
  G.UseMiddleColor();
  EXPECT_EQ(G.MidColor(), clRed);
  G.Colors()->Items(1)->SetOffset(0.4);
  EXPECT_TRUE(G.IsColorsStored());
}

TEST(Gradient, StopsAreAddedInOffsetOrder)
{
  TZuzGradient G;
  G.SetMidColor(clRed);
  TZuzGradientColor* C = G.Colors()->Add(0.5, clBlue, 0);
  EXPECT_EQ(G.Colors()->Items(2), C);
  EXPECT_EQ(G.Colors()->Add(1.7, clLime, 0)->Offset(), 1);
  EXPECT_EQ(G.Colors()->Items(4)->Color(), clLime);
  EXPECT_EQ(G.Colors()->Add(-3, clAqua, 10)->Offset(), 0);
  EXPECT_EQ(G.Colors()->Items(1)->Color(), clAqua);
  EXPECT_TRUE(G.IsColorsStored());
  EXPECT_THROW(G.Colors()->Delete(99), EListError);
  // Reading past the end appends black stops.
  TZuzGradient H;
  EXPECT_EQ(H.Colors()->Items(3)->Color(), 0u);
  EXPECT_EQ(H.Colors()->Count(), 4);
}

TEST(Gradient, StartAndEndOnEmptyLists)
{
  TZuzGradient G;
  G.Colors()->Clear();
  EXPECT_EQ(G.StartColor(), clNone);
  EXPECT_EQ(G.EndColor(), clNone);
  EXPECT_THROW(G.SetEndColor(clRed), EListError);
  G.SetStartColor(clRed);
  EXPECT_EQ(G.Colors()->Count(), 1);
  G.SetStartIsEnd(true);
  G.SetEndColor(clBlue);
  EXPECT_EQ(G.StartColor(), clBlue);
}

TEST(Gradient, SettersNotifyOnlyOnChange)
{
  const std::vector<std::pair<const char*, std::function<void(TZuzGradient&)>>> Setters = {
      {"Angle", [](TZuzGradient& G) { G.SetAngle(30); }},
      {"Balance", [](TZuzGradient& G) { G.SetBalance(20); }},
      {"Direction", [](TZuzGradient& G) { G.SetDirection(gdRadial); }},
      {"RadialX", [](TZuzGradient& G) { G.SetRadialX(4); }},
      {"RadialY", [](TZuzGradient& G) { G.SetRadialY(4); }},
      {"Visible", [](TZuzGradient& G) { G.SetVisible(true); }},
  };
  for (const auto& [Name, Set] : Setters) {
    int N = 0;
    TZuzGradient G([&](TObject* S) {
      ++N;
      EXPECT_EQ(S, &G);
    });
    Set(G);
    Set(G);
    EXPECT_EQ(N, 1) << Name;
  }
}

TEST(Gradient, AssignCopiesOrRemovesTheSubGradient)
{
  TZuzGradient Source;
  Source.SetAngle(15);
  Source.SubGradient()->SetTransparency(20);
  Source.SetMidColor(clRed);
  TZuzGradient Target;
  Target.Assign(&Source);
  ASSERT_TRUE(Target.HasSubGradient());
  EXPECT_EQ(Target.SubGradientIfAny()->Transparency(), 20);
  EXPECT_EQ(Target.Angle(), 15);
  EXPECT_EQ(Target.MidColor(), clRed);
  TZuzGradient Plain;
  Target.Assign(&Plain);
  EXPECT_FALSE(Target.HasSubGradient());
  EXPECT_EQ(Target.ColorsIfAny(), nullptr);
  Target.Assign(&Target);
  EXPECT_EQ(TZuzGradient().SubGradient()->Transparency(), 50);
}

TEST(GradientRadial, StepsOfTheBlend)
{
  const struct {
    TRect R;
    int Ellipses;
  } Cases[] = {{{0, 0, 101, 50}, 101}, {{0, 0, 1000, 1000}, 256}, {{0, 0, 100, 50}, 101}, {{0, 0, 11, 1}, 11}};
  for (const auto& C : Cases) {
    TRecordingCanvas Canvas;
    TZuzGradient G;
    G.DrawRadial(&Canvas, C.R);
    EXPECT_EQ(Canvas.Calls("Ellipse").size(), C.Ellipses) << C.R.Right;
    EXPECT_EQ(Canvas.Calls("FillRect").size(), 1);
    EXPECT_EQ(Canvas.Log.first(),
              QStringLiteral("ClipRectangle(%1,%2,%3,%4)").arg(C.R.Left).arg(C.R.Top).arg(C.R.Right).arg(C.R.Bottom));
    EXPECT_EQ(Canvas.Log.last(), QStringLiteral("UnClipRectangle()"));
  }
}

TEST(GradientRadial, CentreInTheStartColourCornersInTheEnd)
{
  TBufferedCanvas B(41, 41);
  TZuzGradient G;
  G.SetDirection(gdRadial);
  G.SetStartColor(clRed);
  G.SetEndColor(clBlue);
  G.SetRadialX(-1);
  G.SetRadialY(-1);
  G.DrawRadial(B.Canvas.get(), TRect{0, 0, 41, 41});
  EXPECT_EQ(B.Pixel(0, 0), clBlue);
  EXPECT_EQ(B.Pixel(40, 40), clBlue);
  // The innermost ellipses are too small to show: the centre is a few
  // steps out from the start colour.
  EXPECT_GE(GetRValue(B.Pixel(20, 20)), 0xE0);
  EXPECT_LE(GetBValue(B.Pixel(20, 20)), 0x20);
  // The canvas keeps its pen and brush colour.
  EXPECT_EQ(B.Canvas->Brush()->Color(), clWhite);
  EXPECT_EQ(B.Canvas->Pen()->Style(), psSolid);
}

TEST(GradientRotated, BuildsTheTurnedBoxAndCoversTheRectangle)
{
  auto Saved = ZuzGradientRotateHook;
  int32_t W = 0, H = 0;
  ZuzGradientRotateHook = [&](TCustomZuzGradient* G, TBitmap* Bitmap) {
    W = Bitmap->Width();
    H = Bitmap->Height();
    Saved(G, Bitmap);
  };
  TBufferedCanvas B(140, 60);
  TZuzGradient G;
  G.SetStartColor(clRed);
  G.SetEndColor(clRed);
  G.SetAngle(90);
  G.SetVisible(true);
  G.DrawRotated(B.Canvas.get(), TRect{20, 20, 120, 40});
  ZuzGradientRotateHook = Saved;
  EXPECT_EQ(W, 22);
  EXPECT_EQ(H, 102);
  EXPECT_EQ(CountColor(B.Image(), clRed, TRect{20, 20, 120, 40}), 100 * 20);
  EXPECT_EQ(CountColor(B.Image(), clRed), 100 * 20); // nothing outside
}

TEST(GradientRotated, OtherAnglesFillTheRectangle)
{
  for (const int32_t Angle : {30, 180, 270, 45}) {
    TBufferedCanvas B(140, 80);
    B.Canvas->Gradient()->SetStartColor(clRed);
    B.Canvas->Gradient()->SetEndColor(clRed);
    B.Canvas->Gradient()->SetAngle(Angle);
    B.Canvas->Gradient()->SetVisible(true);
    B.Canvas->FillRect(TRect{20, 20, 120, 60});
    EXPECT_EQ(CountColor(B.Image(), clRed, TRect{20, 20, 120, 60}), 100 * 40) << Angle;
    EXPECT_EQ(CountColor(B.Image(), clRed), 100 * 40) << Angle;
  }
}

TEST(GradientSub, PaintedOverWithItsTransparency)
{
  TBufferedCanvas B(20, 20);
  TZuzGradient G;
  G.SetStartColor(clRed);
  G.SetEndColor(clRed);
  G.SetVisible(true);
  TSubGradient* S = G.SubGradient();
  S->SetStartColor(clBlue);
  S->SetEndColor(clBlue);
  S->SetVisible(true);
  G.Draw(B.Canvas.get(), TRect{0, 0, 20, 20});
  const TColor P = B.Pixel(10, 10);
  EXPECT_NEAR(GetRValue(P), 127, 2);
  EXPECT_NEAR(GetBValue(P), 127, 2);
  EXPECT_EQ(B.Canvas->Transparency, 0);
}

// --- the GDI fill -----------------------------------------------------------------

namespace {
QImage Filled(int32_t W, int32_t H, TColor Start, TColor End, TGradientDirection D, int32_t Balance = 50)
{
  TBufferedCanvas B(W, H);
  B.Canvas->GradientFill(TRect{0, 0, W, H}, Start, End, D, Balance);
  return B.Image();
}
} // namespace

TEST(GdiGradientFill, ColoursAtTheEdges)
{
  const TColor S = clRed, E = clBlue;
  const struct {
    TGradientDirection D;
    TPoint StartAt, EndAt;
  } Cases[] = {
      {gdTopBottom, {30, 39}, {30, 0}},     {gdBottomTop, {30, 0}, {30, 39}}, {gdLeftRight, {59, 20}, {0, 20}},
      {gdRightLeft, {0, 20}, {59, 20}},     {gdFromCenter, {30, 20}, {0, 0}}, {gdFromTopLeft, {59, 39}, {0, 0}},
      {gdFromBottomLeft, {59, 0}, {0, 39}}, {gdDiagonalUp, {0, 39}, {59, 0}}, {gdDiagonalDown, {0, 0}, {59, 38}},
  };
  auto Near = [](TColor A, TColor B) {
    return std::abs(int(GetRValue(A)) - GetRValue(B)) <= 8 && std::abs(int(GetGValue(A)) - GetGValue(B)) <= 8 &&
           std::abs(int(GetBValue(A)) - GetBValue(B)) <= 8;
  };
  for (const auto& C : Cases) {
    const QImage I = Filled(60, 40, S, E, C.D);
    EXPECT_TRUE(Near(PixelOf(I, C.StartAt.X, C.StartAt.Y), S)) << "direction " << int(C.D);
    EXPECT_TRUE(Near(PixelOf(I, C.EndAt.X, C.EndAt.Y), E)) << "direction " << int(C.D);
    // Every pixel is painted.
    EXPECT_EQ(CountColor(I, clWhite), 0) << "direction " << int(C.D);
  }
  // The band styles reach both colours exactly.
  const QImage TB = Filled(60, 40, S, E, gdTopBottom);
  EXPECT_EQ(PixelOf(TB, 0, 39), S);
  EXPECT_EQ(PixelOf(TB, 0, 0), E);
}

TEST(GdiGradientFill, BandsAndDegenerateRectangles)
{
  EXPECT_EQ(CountColor(Filled(50, 1, clRed, clBlue, gdTopBottom), clWhite), 50);
  const QImage Wide = Filled(300, 2, clBlack, clWhite, gdLeftRight);
  std::set<QRgb> Colours;
  int32_t Run = 0, Longest = 0;
  for (int32_t X = 0; X < 300; ++X) {
    Colours.insert(Wide.pixel(X, 0));
    Run = X > 0 && Wide.pixel(X, 0) == Wide.pixel(X - 1, 0) ? Run + 1 : 1;
    Longest = std::max(Longest, Run);
  }
  EXPECT_EQ(Colours.size(), 256u);
  EXPECT_EQ(Longest, 2);
}

TEST(GdiGradientFill, BalanceBendsTheRamp)
{
  // Black at the bottom (index 0) to white at the top: the middle row.
  const struct {
    int32_t Balance;
    int Low, High;
  } Cases[] = {{50, 125, 131}, {0, 175, 185}, {100, 85, 95}};
  for (const auto& C : Cases) {
    const QImage I = Filled(4, 256, clBlack, clWhite, gdTopBottom, C.Balance);
    const int Mid = qRed(I.pixel(0, 127));
    EXPECT_GE(Mid, C.Low) << C.Balance;
    EXPECT_LE(Mid, C.High) << C.Balance;
  }
}

TEST(GdiGradientFill, GradientObjectMiddleMonochromeAndRadial)
{
  {
    TBufferedCanvas B(10, 100);
    TZuzGradient G;
    G.SetStartColor(clRed);
    G.SetMidColor(clLime);
    G.SetEndColor(clBlue);
    B.Canvas->GradientFill(&G, TRect{0, 0, 10, 100});
    EXPECT_EQ(B.Pixel(5, 0), clBlue);
    EXPECT_EQ(B.Pixel(5, 99), clRed);
    EXPECT_EQ(B.Pixel(5, 50), clLime);
  }
  {
    TBufferedCanvas B(10, 100);
    B.Canvas->SetMonochrome(true);
    TZuzGradient G;
    G.SetStartColor(clRed);
    G.SetEndColor(clBlue);
    B.Canvas->GradientFill(&G, TRect{0, 0, 10, 100});
    for (int32_t Y = 0; Y < 100; ++Y) {
      const TColor P = B.Pixel(5, Y);
      ASSERT_EQ(GetRValue(P), GetGValue(P)) << Y;
      ASSERT_EQ(GetGValue(P), GetBValue(P)) << Y;
      ASSERT_EQ(GetRValue(P), 85) << Y; // red and blue are both grey 85
    }
  }
  {
    TBufferedCanvas B(41, 41);
    TZuzGradient G;
    G.SetDirection(gdRadial);
    G.SetStartColor(clRed);
    G.SetMidColor(clLime);
    G.SetEndColor(clBlue);
    G.SetRadialX(-1);
    G.SetRadialY(-1);
    B.Canvas->GradientFill(&G, TRect{0, 0, 41, 41});
    EXPECT_GE(GetRValue(B.Pixel(20, 20)), 0xE0);
    EXPECT_EQ(B.Pixel(0, 0), clBlue);
    EXPECT_EQ(CountColor(B.Image(), clLime), 0);
  }
}

TEST(GdiGradientFill, ColourOperations)
{
  EXPECT_EQ(ApplyDark(0x404040, 128), 0u);
  EXPECT_EQ(ApplyDark(0xFF808080, 16), 0x707070u);
  EXPECT_EQ(ApplyBright(0xF0F0F0, 32), 0xFFFFFFu);
  EXPECT_EQ(ApplyBright(0x102030, 16), 0x203040u);
  EXPECT_EQ(RGBA(1, 2, 3, 4), 0x04030201u);
  EXPECT_NEAR(ZuzSigmoid(0, 50, 0), 1, 1e-12);
  EXPECT_NEAR(ZuzSigmoid(3, 0, 15), std::sqrt(0.25), 1e-12);
  EXPECT_NEAR(ZuzSigmoid(3, 100, 15), std::pow(0.25, 1.5), 1e-12);
}
