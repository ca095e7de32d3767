#pragma once
// Pixel helpers and the golden-image comparison the drawing tests share.
#include "platform/GraphicsTypes.h"

#include <QImage>
#include <QString>

// Pixels of Image equal to C (RGB only) inside the rectangle (whole image
// when empty).
int32_t CountColor(const QImage& Image, TColor C, const TRect& R = TRect{});
TColor PixelOf(const QImage& Image, int32_t X, int32_t Y);

// Compares Image with tests/data/<Name>.png: passes when at most
// MaxDiffPixels pixels differ by more than Tolerance in any channel. With
// FATHOMIX_REGENERATE_GOLDEN=1 in the environment the file is written
// instead. Returns an empty string on success, else what differs.
QString CompareGolden(const QImage& Image, const QString& Name, int Tolerance = 8, int MaxDiffPixels = 0);
#define EXPECT_GOLDEN(...)                                                                                             \
  do {                                                                                                                 \
    const QString GoldenMessage = CompareGolden(__VA_ARGS__);                                                          \
    EXPECT_TRUE(GoldenMessage.isEmpty()) << GoldenMessage.toStdString();                                               \
  } while (false)
