// Image lists: pictures of one size drawn by index, as they are or with a
// mask colour, greyed when disabled.
#include "platform/ImgList.h"

#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/tests/GoldenImage.h"
#include "platform/tests/QtTestApp.h"

#include <QImage>

#include <gtest/gtest.h>

TEST(ImageList, DrawsByIndexOpaqueMaskedOrGreyed)
{
  EnsureQtApplication();
  TImageList L(nullptr);
  L.SetSize(8, 8);
  TBitmap Solid(8, 8);
  Solid.Canvas()->Brush()->SetColor(clRed);
  Solid.Canvas()->FillRect(TRect{0, 0, 8, 8});
  TBitmap Ring(8, 8);
  Ring.Canvas()->Brush()->SetColor(clLime);
  Ring.Canvas()->FillRect(TRect{0, 0, 8, 8});
  Ring.Canvas()->Brush()->SetColor(clBlue);
  Ring.Canvas()->FillRect(TRect{2, 2, 6, 6});
  EXPECT_EQ(L.Add(&Solid), 0);
  EXPECT_EQ(L.AddMasked(&Ring, clLime), 1);
  EXPECT_EQ(L.Count(), 2);

  QImage Image(40, 8, QImage::Format_RGB32);
  Image.fill(Qt::white);
  TCanvas C;
  C.BindImage(&Image);
  L.Draw(&C, 0, 0, 0);         // a one-colour picture stays whole
  L.Draw(&C, 10, 0, 1);        // the mask colour lets the ground through
  L.Draw(&C, 20, 0, 1, false); // greyed, the mask still transparent
  L.Draw(&C, 30, 0, 5);        // no such image: nothing
  C.Release();
  EXPECT_EQ(CountColor(Image, clRed, TRect{0, 0, 8, 8}), 64);
  EXPECT_EQ(CountColor(Image, clBlue, TRect{10, 0, 18, 8}), 16);
  EXPECT_EQ(CountColor(Image, clWhite, TRect{10, 0, 18, 8}), 48);
  EXPECT_EQ(CountColor(Image, clWhite, TRect{20, 0, 28, 8}), 48);
  EXPECT_EQ(CountColor(Image, clBlue, TRect{20, 0, 28, 8}), 0);
  EXPECT_EQ(CountColor(Image, clWhite, TRect{30, 0, 40, 8}), 80);
  L.SetSize(4, 4); // a new size empties the list
  EXPECT_EQ(L.Count(), 0);
}
