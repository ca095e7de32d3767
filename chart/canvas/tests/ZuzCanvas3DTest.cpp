// The GDI canvas: clip stack, buffer, shapes with fills, pies, pictures and
// the convex hull.
#include "TestSupport.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "chart/canvas/ClipHistory.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(GdiCanvasClip, NestedClipsFromAnUnclippedCanvas)
{
  TBufferedCanvas B(40, 40);
  TZuzCanvas3D& C = *B.Canvas;
  TCanvas* DC = C.ReferenceCanvas();
  const int32_t Saved = ClipHistoryCount();
  C.ClipRectangle(TRect{0, 0, 20, 20});
  EXPECT_EQ(ClipHistoryCount(), Saved); // nothing was in force
  C.ClipRectangle(TRect{10, 10, 40, 40});
  EXPECT_EQ(ClipHistoryCount(), Saved + 1);
  EXPECT_TRUE(DC->PtVisible(15, 15));
  EXPECT_FALSE(DC->PtVisible(5, 5));
  EXPECT_FALSE(DC->PtVisible(25, 25));
  C.UnClipRectangle();
  EXPECT_TRUE(DC->PtVisible(5, 5));
  EXPECT_FALSE(DC->PtVisible(25, 25));
  C.UnClipRectangle();
  EXPECT_TRUE(DC->PtVisible(25, 25));
  TRegion R;
  EXPECT_FALSE(DC->GetClipRgn(R));
  EXPECT_EQ(ClipHistoryCount(), Saved);
}

TEST(GdiCanvasClip, ShapesOfClips)
{
  TBufferedCanvas B(60, 60);
  TZuzCanvas3D& C = *B.Canvas;
  TCanvas* DC = C.ReferenceCanvas();
  C.ClipRectangle(TRect{0, 0, 40, 40});
  C.ClipEllipse(TRect{10, 10, 30, 30}, true);
  EXPECT_FALSE(DC->PtVisible(20, 20)); // the hole
  EXPECT_TRUE(DC->PtVisible(5, 5));
  EXPECT_FALSE(DC->PtVisible(50, 50));
  C.UnClipRectangle();
  C.UnClipRectangle();

  const TPoint Triangle[3] = {{0, 0}, {40, 0}, {0, 40}};
  C.ClipPolygon(Triangle, 3, true);
  EXPECT_FALSE(DC->PtVisible(5, 5));
  EXPECT_TRUE(DC->PtVisible(35, 35));
  C.UnClipRectangle();

  C.ClipRectangle(TRect{0, 0, 40, 40}, 20, 20);
  EXPECT_FALSE(DC->PtVisible(0, 0));
  EXPECT_TRUE(DC->PtVisible(20, 1));
  C.UnClipRectangle();

  // A 2D cube clip leaves a pixel off the left, top and bottom only.
  C.ClipCube(TRect{10, 10, 30, 30}, 0, 10);
  EXPECT_FALSE(DC->PtVisible(10, 20));
  EXPECT_TRUE(DC->PtVisible(11, 11));
  EXPECT_TRUE(DC->PtVisible(29, 28));
  EXPECT_FALSE(DC->PtVisible(29, 29));
  C.UnClipRectangle();
  EXPECT_TRUE(DC->PtVisible(0, 0));
}

TEST(GdiCanvasHull, ConvexHullOrdersTheOutline)
{
  const struct {
    const char* Name;
    TPointArray In;
    bool Ok;
    TPointArray Out;
  } Cases[] = {
      {"square", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, {{10, 10}, {0, 10}, {0, 0}, {10, 0}}},
      {"inner point dropped", {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {6, 5}}, true, {{10, 10}, {0, 10}, {0, 0}, {10, 0}}},
      {"three points", {{0, 0}, {5, 9}, {3, 1}}, true, {{0, 0}, {5, 9}, {3, 1}}},
      {"two points", {{0, 0}, {5, 9}}, false, {{0, 0}, {5, 9}}},
  };
  for (const auto& C : Cases) {
    TPointArray P = C.In;
    EXPECT_EQ(TZuzCanvas3D::ConvexHull(P), C.Ok) << C.Name;
    EXPECT_EQ(P, C.Out) << C.Name;
  }
}

TEST(GdiCanvasPies, FullTurnsAndSlivers)
{
  {
    TBufferedCanvas B(40, 40);
    B.Canvas->Brush()->SetColor(clRed);
    B.Canvas->Pen()->SetStyle(psClear);
    B.Canvas->Pie(TRect{0, 0, 40, 40}, 0, 360);
    EXPECT_GT(CountColor(B.Image(), clRed), 1100); // a full disc
    EXPECT_EQ(B.Pixel(1, 1), clWhite);
  }
  {
    // Start and end within one pixel: no slice, a radius line instead.
    TBufferedCanvas B(40, 40);
    B.Canvas->Brush()->SetColor(clRed);
    B.Canvas->Pie(TRect{0, 0, 40, 40}, 10, 10.5);
    EXPECT_EQ(CountColor(B.Image(), clRed), 0);
    EXPECT_GT(CountColor(B.Image(), clBlack), 15);
  }
  {
    // A quarter: the upper right.
    TBufferedCanvas B(40, 40);
    B.Canvas->Brush()->SetColor(clRed);
    B.Canvas->Pen()->SetStyle(psClear);
    B.Canvas->Pie(TRect{0, 0, 40, 40}, 0, 90);
    EXPECT_EQ(B.Pixel(28, 12), clRed);
    EXPECT_EQ(B.Pixel(12, 12), clWhite);
    EXPECT_EQ(B.Pixel(28, 28), clWhite);
  }
}

TEST(GdiCanvasPies, Donuts)
{
  {
    // Without a hole the donut is a pie drawn through a path.
    TBufferedCanvas B(40, 40);
    B.Canvas->Brush()->SetColor(clRed);
    B.Canvas->Pen()->SetStyle(psClear);
    B.Canvas->Donut(20, 20, 20, 20, 0, 90, 0);
    EXPECT_EQ(B.Pixel(28, 12), clRed);
    EXPECT_EQ(B.Pixel(21, 19), clRed);
    EXPECT_EQ(B.Pixel(12, 28), clWhite);
  }
  {
    TBufferedCanvas B(40, 40);
    B.Canvas->Brush()->SetColor(clRed);
    B.Canvas->Pen()->SetStyle(psClear);
    B.Canvas->Donut(20, 20, 20, 20, 0, 360, 50);
    EXPECT_EQ(B.Pixel(20, 20), clWhite); // the hole
    EXPECT_EQ(B.Pixel(20, 4), clRed);
    EXPECT_EQ(B.Pixel(4, 20), clRed);
    EXPECT_EQ(B.Pixel(20, 36), clRed);
  }
  {
    // A thin slice whose ends meet stays a slice.
    TBufferedCanvas B(40, 40);
    B.Canvas->Brush()->SetColor(clRed);
    B.Canvas->Donut(20, 20, 3, 3, 0, 10, 0);
    EXPECT_EQ(CountColor(B.Image(), clRed), 0);
  }
}

TEST(GdiCanvasBuffer, ShowRedrawAndRender)
{
  TBufferedCanvas B(30, 20);
  TZuzCanvas3D& C = *B.Canvas;
  C.Brush()->SetColor(clBlue);
  C.FillRect(TRect{0, 0, 30, 20});
  TBitmap Out;
  EXPECT_FALSE(C.RenderToBitmap(&Out, TRect{0, 0, 30, 20})); // not shown yet
  EXPECT_FALSE(C.ReDrawBitmap());
  C.ShowImage(B.DestCanvas.get(), B.DestCanvas.get(), TRect{0, 0, 30, 20});
  EXPECT_FALSE(C.Dirty());
  EXPECT_EQ(PixelOf(B.Dest, 10, 10), clBlue);
  EXPECT_FALSE(C.RenderToBitmap(&Out, TRect{0, 0, 29, 20}));
  EXPECT_TRUE(C.RenderToBitmap(&Out, TRect{0, 0, 30, 20}));
  EXPECT_EQ(PixelOf(*Out.ImageData(), 3, 3), clBlue);

  B.Dest.fill(Qt::white);
  EXPECT_TRUE(C.ReDrawBitmap()); // onto the canvas the paint ended on
  EXPECT_EQ(PixelOf(B.Dest, 10, 10), clBlue);
  C.Invalidate();
  EXPECT_FALSE(C.ReDrawBitmap());

  try {
    C.TransferBitmap(0, 0, nullptr);
    FAIL() << "no exception";
  } catch (const EInvalidOperation& E) {
    EXPECT_TRUE(E.Message().startsWith(QStringLiteral("Error ")));
    EXPECT_TRUE(E.Message().endsWith(QStringLiteral(" transferring internal Bitmap using BitBlt")));
  }

  C.SetUseBuffer(false);
  EXPECT_EQ(C.Bitmap(), nullptr);
  EXPECT_TRUE(C.Dirty());
}

TEST(GdiCanvasBuffer, MonochromeMarksDirtyAndRepaints)
{
  struct TPanel : IRepaintTarget {
    int N = 0;
    void Invalidate() override { ++N; }
  } Panel;
  TView3DOptions Options(&Panel);
  TCanvas Dest;
  TZuzCanvas3D C;
  C.InitWindow(&Dest, &Options, clWhite, false, TRect{0, 0, 4, 4});
  C.SetMonochrome(true);
  EXPECT_TRUE(C.Dirty());
  EXPECT_EQ(Panel.N, 1);
  C.SetMonochrome(true);
  EXPECT_EQ(Panel.N, 1);
}

TEST(GdiCanvasPixels, SetPixel3DWithThinAndWidePens)
{
  TBufferedCanvas B(20, 20);
  B.Canvas->SetPixel3D(5, 5, 0, clRed);
  EXPECT_EQ(B.Pixel(5, 5), clRed);
  B.Canvas->Pen()->SetWidth(3);
  B.Canvas->Pen()->SetColor(clBlue);
  B.Canvas->SetPixel3D(12, 12, 0, clRed);
  EXPECT_EQ(B.Pixel(12, 12), clBlue);
  EXPECT_GE(CountColor(B.Image(), clBlue), 4);
  EXPECT_EQ(CountColor(B.Image(), clRed), 1);
  EXPECT_EQ(B.Canvas->GetPixel3D(5, 5, 0), clRed);
}

TEST(GdiCanvasFills, GradientAndPictureFillsThenTheOutline)
{
  TBufferedCanvas B(40, 40);
  TZuzCanvas3D& C = *B.Canvas;
  C.Gradient()->SetStartColor(clRed);
  C.Gradient()->SetEndColor(clRed);
  C.Gradient()->SetVisible(true);
  C.Ellipse(0, 0, 40, 40);
  EXPECT_EQ(B.Pixel(20, 20), clRed);
  EXPECT_EQ(B.Pixel(2, 2), clWhite);  // outside the ellipse
  EXPECT_EQ(B.Pixel(20, 0), clBlack); // the outline

  C.Gradient()->SetVisible(false);
  C.Brush()->SetColor(clLime);
  C.Rectangle(0, 0, 10, 10);
  EXPECT_EQ(B.Pixel(5, 5), clLime); // the plain brush again

  TBitmap Picture(2, 2);
  Picture.Canvas()->Brush()->SetColor(clBlue);
  Picture.Canvas()->FillRect(TRect{0, 0, 2, 2});
  C.Brush()->Image()->SetGraphic(&Picture);
  const TPoint Triangle[3] = {{20, 20}, {39, 20}, {20, 39}};
  C.Polygon(Triangle);
  EXPECT_EQ(B.Pixel(24, 24), clBlue);
  EXPECT_EQ(B.Pixel(36, 36), clWhite);
}

TEST(GdiCanvasPictures, StretchQualitiesAndTransparency)
{
  TBitmap Checker(2, 2);
  QImage* I = Checker.ImageData();
  I->setPixel(0, 0, qRgb(0, 0, 0));
  I->setPixel(1, 1, qRgb(0, 0, 0));
  I->setPixel(1, 0, qRgb(255, 255, 255));
  I->setPixel(0, 1, qRgb(255, 255, 255));

  TBufferedCanvas Low(20, 20);
  Low.Canvas->SetStretchDrawQuality(sqLow);
  Low.Canvas->StretchDraw(TRect{0, 0, 20, 20}, &Checker);
  EXPECT_EQ(CountColor(Low.Image(), clBlack), 200);

  TBufferedCanvas High(20, 20);
  High.Canvas->StretchDraw(TRect{0, 0, 20, 20}, &Checker);
  const int32_t Pure = CountColor(High.Image(), clBlack) + CountColor(High.Image(), clWhite);
  EXPECT_LT(Pure, 400); // smoothed in between
  EXPECT_EQ(High.Pixel(0, 0), clBlack);

  TBitmap Keyed(4, 4);
  Keyed.Canvas()->Brush()->SetColor(clRed);
  Keyed.Canvas()->FillRect(TRect{0, 0, 2, 4});
  Keyed.Canvas()->Brush()->SetColor(clLime);
  Keyed.Canvas()->FillRect(TRect{2, 0, 4, 4}); // bottom-left is red: the key
  Keyed.SetTransparent(true);
  TBufferedCanvas T(10, 10);
  T.Canvas->Brush()->SetColor(clBlue);
  T.Canvas->FillRect(TRect{0, 0, 10, 10});
  T.Canvas->Draw(2, 2, &Keyed);
  EXPECT_EQ(T.Pixel(2, 2), clBlue);
  EXPECT_EQ(T.Pixel(5, 5), clLime);
}

TEST(GdiCanvasShapes, EllipseWithZIn2DCoversTheLastColumn)
{
  TBufferedCanvas B(20, 20);
  B.Canvas->Pen()->SetStyle(psClear);
  B.Canvas->Brush()->SetColor(clRed);
  B.Canvas->EllipseWithZ(0, 0, 10, 10, 0);
  EXPECT_EQ(B.Pixel(9, 5), clRed);
  EXPECT_EQ(B.Pixel(11, 5), clWhite);
}
