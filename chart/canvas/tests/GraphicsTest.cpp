// The device canvas: pixel conventions of the device it stands in for.
#include "TestSupport.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include <gtest/gtest.h>

namespace {

struct TDevice {
  explicit TDevice(int32_t W = 20, int32_t H = 20) : Bitmap(W, H) {}
  TCanvas& C() { return *Bitmap.Canvas(); }
  TColor At(int32_t X, int32_t Y) { return PixelOf(*Bitmap.ImageData(), X, Y); }
  int32_t Count(TColor Color, const TRect& R = TRect{}) { return CountColor(*Bitmap.ImageData(), Color, R); }
  TBitmap Bitmap;
};

} // namespace

TEST(DeviceCanvas, LinesLeaveOutTheirLastPixel)
{
  TDevice D;
  D.C().MoveTo(2, 2);
  D.C().LineTo(10, 2);
  EXPECT_EQ(D.At(2, 2), clBlack);
  EXPECT_EQ(D.At(9, 2), clBlack);
  EXPECT_EQ(D.At(10, 2), clWhite);
  EXPECT_EQ(D.C().PenPos(), Point(10, 2));

  // A polyline joins its segments and leaves out only the final point.
  const TPoint P[3] = {{2, 5}, {8, 5}, {8, 12}};
  D.C().Polyline(P);
  EXPECT_EQ(D.At(8, 5), clBlack);
  EXPECT_EQ(D.At(8, 11), clBlack);
  EXPECT_EQ(D.At(8, 12), clWhite);

  // A line of no length draws nothing with a thin pen.
  D.C().MoveTo(15, 15);
  D.C().LineTo(15, 15);
  EXPECT_EQ(D.At(15, 15), clWhite);
}

TEST(DeviceCanvas, FilledShapesExcludeRightAndBottomAndShrinkWithoutPen)
{
  TDevice D;
  D.C().Brush()->SetColor(clRed);
  D.C().Rectangle(2, 2, 8, 6);
  EXPECT_EQ(D.At(2, 2), clBlack);
  EXPECT_EQ(D.At(7, 5), clBlack);
  EXPECT_EQ(D.At(8, 5), clWhite);
  EXPECT_EQ(D.At(7, 6), clWhite);
  EXPECT_EQ(D.Count(clRed), 4 * 2); // interior 3..6 x 3..4

  TDevice N;
  N.C().Pen()->SetStyle(psClear);
  N.C().Brush()->SetColor(clBlue);
  N.C().Rectangle(2, 2, 8, 6);
  EXPECT_EQ(N.Count(clBlue), 5 * 3); // one pixel smaller each way

  TDevice F;
  F.C().Brush()->SetColor(clLime);
  F.C().FillRect(TRect{2, 2, 8, 6});
  EXPECT_EQ(F.Count(clLime), 6 * 4);
}

TEST(DeviceCanvas, RasterOperationsCombinePenAndDestination)
{
  // Destination 0x3355AA, pen 0x0F0FF0 (both written as 0xBBGGRR).
  const TColor Dst = 0x3355AA, Pen = 0x0F0FF0;
  const struct {
    TPenMode Mode;
    TColor Want;
  } Cases[] = {
      {pmBlack, 0x000000},
      {pmWhite, 0xFFFFFF},
      {pmNop, Dst},
      {pmNot, ~Dst & 0xFFFFFF},
      {pmCopy, Pen},
      {pmNotCopy, ~Pen & 0xFFFFFF},
      {pmMergePenNot, (Pen | ~Dst) & 0xFFFFFF},
      {pmMaskPenNot, Pen & ~Dst & 0xFFFFFF},
      {pmMergeNotPen, (~Pen | Dst) & 0xFFFFFF},
      {pmMaskNotPen, ~Pen & Dst & 0xFFFFFF},
      {pmMerge, Pen | Dst},
      {pmNotMerge, ~(Pen | Dst) & 0xFFFFFF},
      {pmMask, Pen & Dst},
      {pmNotMask, ~(Pen & Dst) & 0xFFFFFF},
      {pmXor, Pen ^ Dst},
      {pmNotXor, ~(Pen ^ Dst) & 0xFFFFFF},
  };
  for (const auto& C : Cases) {
    TDevice D;
    D.C().Brush()->SetColor(Dst);
    D.C().FillRect(TRect{0, 0, 20, 20});
    D.C().Pen()->SetColor(Pen);
    D.C().Pen()->SetMode(C.Mode);
    D.C().MoveTo(2, 2);
    D.C().LineTo(10, 2);
    EXPECT_EQ(D.At(5, 2), C.Want) << "mode " << int(C.Mode);
    EXPECT_EQ(D.At(5, 3), Dst) << "mode " << int(C.Mode);
  }
}

TEST(DeviceCanvas, XorPenDrawnTwiceRestoresTheBackground)
{
  TDevice D;
  D.C().Brush()->SetColor(0x123456);
  D.C().FillRect(TRect{0, 0, 20, 20});
  const QImage Before = D.Bitmap.ImageData()->copy();
  D.C().Pen()->SetColor(clRed);
  D.C().Pen()->SetMode(pmXor);
  D.C().Brush()->SetStyle(bsClear);
  for (int i = 0; i < 2; ++i)
    D.C().Rectangle(3, 3, 15, 12);
  EXPECT_EQ(*D.Bitmap.ImageData(), Before);
}

TEST(DeviceCanvas, HatchGapsTakeTheBackgroundColourOnlyWhenOpaque)
{
  for (const int32_t Mode : {TRANSPARENT, OPAQUE}) {
    TDevice D(16, 16);
    D.C().Brush()->SetColor(clLime);
    D.C().FillRect(TRect{0, 0, 16, 16});
    D.C().SetBkMode(Mode);
    D.C().SetBkColor(clBlue);
    D.C().Brush()->SetColor(clRed);
    D.C().Brush()->SetStyle(bsCross);
    D.C().FillRect(TRect{0, 0, 16, 16});
    // One horizontal and one vertical line per 8 x 8 cell.
    EXPECT_EQ(D.Count(clRed), 4 * 15) << Mode;
    EXPECT_EQ(D.Count(Mode == OPAQUE ? clBlue : clLime), 256 - 60) << Mode;
  }
}

TEST(DeviceCanvas, CosmeticDashesAndTheirGaps)
{
  const struct {
    TPenStyle Style;
    int32_t On;
  } Cases[] = {{psDash, 18}, {psDot, 12}, {psDashDot, 12}, {psDashDotDot, 15}, {psAlternate, 12}};
  for (const auto& C : Cases) {
    for (const int32_t Mode : {TRANSPARENT, OPAQUE}) {
      TDevice D(30, 4);
      D.C().SetBkMode(Mode);
      D.C().SetBkColor(clBlue);
      D.C().Pen()->SetStyle(C.Style);
      D.C().MoveTo(0, 1);
      D.C().LineTo(24, 1);
      const TRect Row{0, 1, 30, 2};
      EXPECT_EQ(D.Count(clBlack, Row), C.On) << int(C.Style) << " " << Mode;
      EXPECT_EQ(D.Count(clBlue, Row), Mode == OPAQUE ? 24 - C.On : 0) << int(C.Style) << " " << Mode;
    }
  }
  // A wide plain pen is solid whatever its style.
  TDevice W(30, 8);
  W.C().Pen()->SetStyle(psDash);
  W.C().Pen()->SetWidth(3);
  W.C().MoveTo(2, 4);
  W.C().LineTo(26, 4);
  for (int32_t X = 3; X < 25; ++X)
    EXPECT_EQ(W.At(X, 4), clBlack) << X;
}

TEST(DeviceCanvas, ClipRegionsCombineByMode)
{
  const TRegion A = TRegion::FromRect(TRect{0, 0, 10, 10});
  const TRegion B = TRegion::FromRect(TRect{5, 0, 15, 10});
  const struct {
    TRegionMode Mode;
    bool In2, In7, In12, In17;
  } Cases[] = {
      {RGN_AND, false, true, false, false},  {RGN_OR, true, true, true, false},    {RGN_XOR, true, false, true, false},
      {RGN_DIFF, true, false, false, false}, {RGN_COPY, false, true, true, false},
  };
  for (const auto& C : Cases) {
    TDevice D;
    D.C().SelectClipRgn(&A);
    D.C().ExtSelectClipRgn(&B, C.Mode);
    EXPECT_EQ(D.C().PtVisible(2, 5), C.In2) << int(C.Mode);
    EXPECT_EQ(D.C().PtVisible(7, 5), C.In7) << int(C.Mode);
    EXPECT_EQ(D.C().PtVisible(12, 5), C.In12) << int(C.Mode);
    EXPECT_EQ(D.C().PtVisible(17, 5), C.In17) << int(C.Mode);
  }
  // Without a clip the whole device takes part: the difference is a hole.
  TDevice H;
  H.C().ExtSelectClipRgn(&A, RGN_DIFF);
  EXPECT_FALSE(H.C().PtVisible(5, 5));
  EXPECT_TRUE(H.C().PtVisible(15, 15));
  H.C().Brush()->SetColor(clRed);
  H.C().FillRect(TRect{0, 0, 20, 20});
  EXPECT_EQ(H.Count(clRed), 400 - 100);
  EXPECT_EQ(H.C().Pixel(5, 5), CLR_INVALID);
}

TEST(DeviceCanvas, PathsRecordInsteadOfDrawing)
{
  TDevice D;
  D.C().Brush()->SetColor(clRed);
  D.C().BeginPath();
  D.C().Rectangle(2, 2, 12, 12);
  D.C().MoveTo(0, 0);
  D.C().LineTo(19, 19);
  D.C().EndPath();
  EXPECT_EQ(D.Count(clWhite), 400);
  D.C().Pen()->SetStyle(psClear);
  EXPECT_TRUE(D.C().FillPath());
  EXPECT_GT(D.Count(clRed), 80);
  EXPECT_EQ(D.At(15, 5), clWhite);
  EXPECT_FALSE(D.C().FillPath()); // the path was used up

  TDevice C;
  C.C().BeginPath();
  C.C().Ellipse(0, 0, 20, 20);
  C.C().EndPath();
  C.C().SelectClipPath(RGN_AND);
  EXPECT_TRUE(C.C().PtVisible(10, 10));
  EXPECT_FALSE(C.C().PtVisible(0, 0));
}

TEST(DeviceCanvas, SavedStatesComeBack)
{
  TDevice D;
  const TRegion R = TRegion::FromRect(TRect{0, 0, 5, 5});
  D.C().SetBkColor(clRed);
  const int32_t Saved = D.C().SaveDC();
  D.C().SelectClipRgn(&R);
  D.C().SetBkColor(clBlue);
  D.C().SetTextAlign(TA_RIGHT);
  EXPECT_TRUE(D.C().RestoreDC(Saved));
  EXPECT_TRUE(D.C().PtVisible(10, 10));
  EXPECT_EQ(D.C().BkColor(), clRed);
  EXPECT_EQ(D.C().TextAlign(), 0);
  EXPECT_FALSE(D.C().RestoreDC(-1));
}

TEST(DeviceCanvas, TextFollowsAlignmentBackgroundAndColour)
{
  TDevice D(120, 40);
  D.C().SetBkMode(TRANSPARENT);
  const int32_t W = D.C().TextWidth(QStringLiteral("Hello"));
  ASSERT_GT(W, 10);
  D.C().SetTextAlign(TA_RIGHT);
  D.C().TextOut(100, 5, QStringLiteral("Hello"));
  EXPECT_EQ(D.Count(clWhite, TRect{100, 0, 120, 40}), 20 * 40);
  EXPECT_LT(D.Count(clWhite, TRect{100 - W, 5, 100, 5 + D.C().TextHeight(QStringLiteral("H"))}), W * 10);

  // Opaque text fills its cell with the background colour.
  TDevice O(120, 40);
  O.C().SetBkMode(OPAQUE);
  O.C().SetBkColor(clYellow);
  O.C().TextOut(0, 0, QStringLiteral("Hi"));
  EXPECT_GT(O.Count(clYellow), 0);

  // Updating the current position advances it by the text's width.
  TDevice U(120, 40);
  U.C().SetTextAlign(TA_UPDATECP);
  U.C().MoveTo(7, 3);
  U.C().TextOut(0, 0, QStringLiteral("Hello"));
  EXPECT_EQ(U.C().PenPos(), Point(7 + W, 3));

  // A text colour of none draws nothing.
  TDevice N(120, 40);
  N.C().SetBkMode(TRANSPARENT);
  N.C().Font()->SetColor(clNone);
  N.C().TextOut(0, 0, QStringLiteral("Hello"));
  EXPECT_EQ(N.Count(clWhite), 120 * 40);
}

TEST(DeviceCanvas, ArcDirectionChoosesTheHalf)
{
  // From the radial at 3 o'clock to the one at 9 o'clock: the upper half
  // counter-clockwise, the lower half clockwise.
  for (const int32_t Dir : {AD_COUNTERCLOCKWISE, AD_CLOCKWISE}) {
    TDevice D(40, 40);
    D.C().SetArcDirection(Dir);
    D.C().Arc(0, 0, 40, 40, 40, 20, 0, 20);
    const int32_t Upper = 40 * 15 - D.Count(clWhite, TRect{0, 0, 40, 15});
    const int32_t Lower = 40 * 15 - D.Count(clWhite, TRect{0, 25, 40, 40});
    if (Dir == AD_COUNTERCLOCKWISE) {
      EXPECT_GT(Upper, 20);
      EXPECT_EQ(Lower, 0);
    } else {
      EXPECT_EQ(Upper, 0);
      EXPECT_GT(Lower, 20);
    }
  }
}

TEST(DeviceCanvas, ColoursOfTheDevice)
{
  TDevice D;
  D.C().Brush()->SetColor(clBtnFace);
  D.C().FillRect(TRect{0, 0, 5, 5});
  EXPECT_EQ(D.At(1, 1), 0xF0F0F0u);
  D.C().Brush()->SetColor(clNone);
  D.C().FillRect(TRect{5, 5, 10, 10});
  EXPECT_EQ(D.At(6, 6), clWhite);
  D.C().SetPixel(12, 12, clNone);
  EXPECT_EQ(D.At(12, 12), clWhite);
  EXPECT_EQ(D.C().Pixel(-1, 0), CLR_INVALID);
}
