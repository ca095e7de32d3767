#pragma once
// Shared by the canvas tests: the GUI application object, a canvas drawing
// into a buffer of a given size, pixel helpers and golden-image comparison.
#include "platform/GraphicsTypes.h"
#include "platform/tests/GoldenImage.h"

#include <QImage>
#include <QString>

#include <memory>
#include <ostream>

// Readable test output for text.
inline void PrintTo(const QString& S, std::ostream* Os) { *Os << '"' << S.toStdString() << '"'; }

class TZuzCanvas3D;
class TCanvas;

// A GDI canvas painting one 2D paint into a W x H buffer; the destination
// the buffer is shown on is an image of the same size.
struct TBufferedCanvas {
  TBufferedCanvas(int32_t W, int32_t H, bool Is3D = false);
  ~TBufferedCanvas();
  // The buffer's pixels as they are now.
  QImage Image() const;
  TColor Pixel(int32_t X, int32_t Y) const;
  std::unique_ptr<TZuzCanvas3D> Canvas;
  QImage Dest;
  std::unique_ptr<TCanvas> DestCanvas;
};

// Fills Dest white, binds DestCanvas to it and sets Canvas up to paint one
// paint into a buffer of Dest's size shown on DestCanvas.
void StartBufferedCanvas(TZuzCanvas3D& Canvas, QImage& Dest, TCanvas& DestCanvas, bool Is3D);
