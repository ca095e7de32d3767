// Text output of the GDI canvas: font quality, text rectangles, shadows,
// outlines, gradient glyphs and rotation.
#include "TestSupport.h"

#include "platform/Canvas.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"

#include <gtest/gtest.h>

namespace {
// Bounds of the pixels of one colour (right and bottom exclusive).
TRect BoundsOf(const QImage& I, TColor C)
{
  TRect R{I.width(), I.height(), 0, 0};
  for (int32_t y = 0; y < I.height(); ++y)
    for (int32_t x = 0; x < I.width(); ++x)
      if (PixelOf(I, x, y) == C) {
        R.Left = std::min(R.Left, x);
        R.Top = std::min(R.Top, y);
        R.Right = std::max(R.Right, x + 1);
        R.Bottom = std::max(R.Bottom, y + 1);
      }
  return R;
}

// A canvas whose text is drawn without smoothing, so that colours stay pure.
struct TTextCanvas : TBufferedCanvas {
  TTextCanvas(int32_t W = 160, int32_t H = 80) : TBufferedCanvas(W, H)
  {
    Canvas->Font()->SetQuality(fqNormal);
    Canvas->Font()->SetSize(14);
  }
  // Glyphs filled by a gradient of one colour, so that its pixels can be
  // counted.
  void ShowGlyphGradient(TColor C)
  {
    TZuzGradient* G = Canvas->Font()->Gradient();
    G->SetStartColor(C);
    G->SetEndColor(C);
    G->SetVisible(true);
  }
};
} // namespace

TEST(GdiText, FontQualityOfTheDevice)
{
  const struct {
    TFontQuality Font, Canvas;
    uint8_t Want;
  } Cases[] = {
      {fqNormal, fqBest, 3},       {fqDefault, fqBest, 4}, {fqDefault, fqNormal, 3},    {fqDefault, fqDefault, 0},
      {fqDefault, fqClearType, 5}, {fqBest, fqNormal, 4},  {fqClearType, fqDefault, 4},
  };
  for (const auto& C : Cases) {
    TZuzCanvas3D Canvas;
    Canvas.Font()->SetQuality(C.Font);
    Canvas.FontQuality = C.Canvas;
    TLogFont F;
    Canvas.SetFontQuality(F);
    EXPECT_EQ(F.Quality, C.Want) << int(C.Font) << " " << int(C.Canvas);
  }
}

TEST(GdiText, NewFontTakesTheFractionalSize)
{
  TTextCanvas T;
  TCanvas* DC = T.Canvas->ReferenceCanvas();
  const TLogFont Before = DC->CurrentLogFont();
  const TLogFont Old = T.Canvas->GetNewFont(DC, 10.5f);
  EXPECT_EQ(Old, Before);
  EXPECT_EQ(DC->CurrentLogFont().Height, -14);
  EXPECT_EQ(DC->CurrentLogFont().Quality, NONANTIALIASED_QUALITY);
}

TEST(GdiText, RectanglesOfTheAlignments)
{
  TTextCanvas T;
  const int32_t W = T.Canvas->TextWidth(QStringLiteral("Text"));
  const int32_t H = T.Canvas->TextHeight(QStringLiteral("Text"));
  ASSERT_GT(W, 4);
  const struct {
    int32_t Align;
    int32_t Left, Right;
  } Cases[] = {
      {TA_LEFT, 50, 50 + W},
      {TA_RIGHT, 50 - W, 50},
      {TA_CENTER, 50 - W / 2, 50 + W / 2},
      {TA_CENTER | TA_BOTTOM, 50 - W / 2, 50 + W / 2},
      {TA_RIGHT | TA_BOTTOM, 50 - W, 50},
      {TA_BASELINE, 50, 50 + W},
  };
  for (const auto& C : Cases) {
    T.Canvas->SetTextAlign(C.Align);
    EXPECT_EQ(T.Canvas->RectText(50, 20, QStringLiteral("Text")), (TRect{C.Left, 20, C.Right, 20 + H})) << C.Align;
  }
}

TEST(GdiText, NegativeShadowSizeMovesTheText)
{
  TTextCanvas T;
  TZuzShadow* S = T.Canvas->Font()->Shadow();
  // A plain shadow keeps its colour exactly, so its place can be found.
  S->SetSmooth(false);
  S->SetColor(clRed);
  S->SetTransparency(0);
  S->SetHorizSize(-3);
  S->SetVertSize(0);
  T.Canvas->TextOut(10, 10, QStringLiteral("H"));
  const TRect Shadow = BoundsOf(T.Image(), clRed), Text = BoundsOf(T.Image(), clBlack);
  ASSERT_LT(Shadow.Left, Shadow.Right);
  EXPECT_EQ(Text.Left - Shadow.Left, 3);
  EXPECT_EQ(Text.Top, Shadow.Top);

  TTextCanvas P;
  P.Canvas->Font()->Shadow()->SetSmooth(false);
  P.Canvas->Font()->Shadow()->SetColor(clRed);
  P.Canvas->Font()->Shadow()->SetTransparency(0);
  P.Canvas->Font()->Shadow()->SetSize(2);
  P.Canvas->TextOut(10, 10, QStringLiteral("H"));
  const TRect S2 = BoundsOf(P.Image(), clRed), T2 = BoundsOf(P.Image(), clBlack);
  EXPECT_EQ(S2.Left - T2.Left, 2);
  EXPECT_EQ(S2.Top - T2.Top, 2);
}

TEST(GdiText, TransparentShadowsBlend)
{
  TTextCanvas T;
  TZuzShadow* S = T.Canvas->Font()->Shadow();
  S->SetSmooth(false);
  S->SetColor(clRed);
  S->SetSize(4);
  T.Canvas->TextOut(10, 10, QStringLiteral("l"));
  EXPECT_EQ(CountColor(T.Image(), clRed), 0);
  int Pink = 0;
  const QImage I = T.Image();
  for (int32_t y = 0; y < I.height(); ++y)
    for (int32_t x = 0; x < I.width(); ++x) {
      const TColor P = PixelOf(I, x, y);
      if (GetRValue(P) == 255 && std::abs(int(GetGValue(P)) - 127) <= 2)
        ++Pink;
    }
  EXPECT_GT(Pink, 5);
}

TEST(GdiText, OutlinesAndGlyphFills)
{
  {
    // A font colour of none shows only the outline.
    TTextCanvas T;
    T.Canvas->Font()->SetColor(clNone);
    T.Canvas->Font()->OutLine()->Show();
    T.Canvas->Font()->OutLine()->SetColor(clBlue);
    T.Canvas->TextOut(10, 10, QStringLiteral("O"));
    EXPECT_GT(CountColor(T.Image(), clBlue), 20);
    EXPECT_EQ(CountColor(T.Image(), clBlack), 0);
  }
  {
    // A gradient glyph fill with an outline whose own fill has a gradient:
    // the widened outline is filled and no stroke follows.
    TTextCanvas T;
    T.ShowGlyphGradient(clRed);
    TZuzHiddenPen* O = T.Canvas->Font()->OutLine();
    O->Show();
    O->SetColor(clBlue);
    O->Fill()->Gradient()->SetVisible(true);
    T.Canvas->TextOut(10, 10, QStringLiteral("O"));
    EXPECT_GT(CountColor(T.Image(), clRed), 20);
    EXPECT_EQ(CountColor(T.Image(), clBlue), 0);
    EXPECT_EQ(CountColor(T.Image(), clBlack), 0);
  }
  {
    // A gradient fill with a plain outline: the outline is stroked over the
    // fill, and the fill is not painted over by plain text.
    TTextCanvas T;
    T.ShowGlyphGradient(clRed);
    T.Canvas->Font()->OutLine()->Show();
    T.Canvas->Font()->OutLine()->SetColor(clBlue);
    T.Canvas->TextOut(10, 10, QStringLiteral("O"));
    EXPECT_GT(CountColor(T.Image(), clRed), 5);
    EXPECT_GT(CountColor(T.Image(), clBlue), 20);
    EXPECT_EQ(CountColor(T.Image(), clBlack), 0);
  }
}

TEST(GdiText, RotatedLabels)
{
  TTextCanvas Flat(200, 200);
  Flat.Canvas->RotateLabel(100, 100, QStringLiteral("Rotated"), 720);
  const TRect F = BoundsOf(Flat.Image(), clBlack);
  EXPECT_GT(F.Width(), F.Height());

  TTextCanvas Up(200, 200);
  Up.Canvas->RotateLabel(100, 100, QStringLiteral("Rotated"), 90);
  const TRect U = BoundsOf(Up.Image(), clBlack);
  EXPECT_GT(U.Height(), U.Width());
  // The text runs up from the point, its cell to the right of it.
  const int32_t H = Up.Canvas->TextHeight(QStringLiteral("W"));
  EXPECT_LE(U.Bottom, 101);
  EXPECT_GE(U.Left, 99);
  EXPECT_LE(U.Right, 100 + H + 1);

  // Turned about a text centre: (140, 100) about (100, 100) by 90 degrees
  // is (100, 60).
  TTextCanvas C(200, 200);
  C.Canvas->IUseTextCenter = true;
  C.Canvas->ITextCenter = Point(100, 100);
  C.Canvas->RotateLabel(140, 100, QStringLiteral("Rotated"), 90);
  const TRect R = BoundsOf(C.Image(), clBlack);
  EXPECT_LE(R.Bottom, 61);
  EXPECT_GE(R.Left, 99);
  EXPECT_LE(R.Right, 100 + H + 1);
}

TEST(GdiText, SmoothShadowsAreBlurred)
{
  // The shadow is blurred in the buffer: its strokes fade into the
  // background, the more the larger the blur amount; the text itself stays
  // sharp.
  auto Spread = [](int32_t Blur, int32_t X) {
    TTextCanvas T;
    TZuzShadow* S = T.Canvas->Font()->Shadow();
    S->SetColor(clRed);
    S->SetTransparency(0);
    S->SetSize(6);
    S->SetSmoothBlur(Blur);
    T.Canvas->TextOut(X, 10, QStringLiteral("H"));
    int Faded = 0;
    const QImage I = T.Image();
    for (int32_t y = 0; y < I.height(); ++y)
      for (int32_t x = 0; x < I.width(); ++x) {
        const TColor P = PixelOf(I, x, y);
        if (GetRValue(P) == 255 && GetGValue(P) > 0 && GetGValue(P) < 255)
          ++Faded;
      }
    EXPECT_GT(CountColor(I, clBlack), 0);
    return Faded;
  };
  const int One = Spread(0, 10), Three = Spread(3, 10);
  EXPECT_GT(One, 10);
  EXPECT_GT(Three, One);
  // A blur amount from a chart file is capped, and a shadow at the edge of
  // the buffer is blurred only inside it.
  EXPECT_GT(Spread(INT32_MAX, 150), 0);
}
