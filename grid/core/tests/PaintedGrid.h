#pragma once
// A string grid without a window, in Arial, painted into an image of its
// own size; anything it leaves unpainted shows magenta.
#include "grid/core/ZurEvoderOzod.h"

#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/tests/QtTestApp.h"

#include <QImage>

class TPaintedGrid : public TZurEvoderOzod {
public:
  TPaintedGrid(int32_t W, int32_t H) : TZurEvoderOzod(nullptr)
  {
    EnsureQtApplication();
    SetBorderStyle(bsNone);
    SetScrollBars(ssNone);
    SetBounds(0, 0, W, H);
    for (TFont* F : {Font(), FixedFont(), ActiveCellFont()})
      F->SetName(QStringLiteral("Arial"));
  }
  QImage Painted()
  {
    QImage Image(Width(), Height(), QImage::Format_RGB32);
    Image.fill(Qt::magenta);
    Canvas()->BindImage(&Image);
    Paint();
    Canvas()->Release();
    Canvas()->BindImage(nullptr);
    return Image;
  }
};
