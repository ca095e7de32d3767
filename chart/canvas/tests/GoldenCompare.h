#pragma once
// Golden images: a drawing compared with a PNG kept beside the tests.
#include <QString>

class QImage;

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
