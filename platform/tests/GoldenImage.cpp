#include "platform/tests/GoldenImage.h"

#include "platform/Colors.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cstdlib>

TColor PixelOf(const QImage& Image, int32_t X, int32_t Y)
{
  const QRgb P = Image.pixel(X, Y);
  return RGBColor(qRed(P), qGreen(P), qBlue(P));
}

int32_t CountColor(const QImage& Image, TColor C, const TRect& R)
{
  const TRect Area = R.IsEmpty() ? TRect{0, 0, Image.width(), Image.height()} : R;
  int32_t N = 0;
  for (int32_t y = Area.Top; y < Area.Bottom; ++y)
    for (int32_t x = Area.Left; x < Area.Right; ++x)
      if (PixelOf(Image, x, y) == (C & 0xFFFFFF))
        ++N;
  return N;
}

QString CompareGolden(const QImage& Image, const QString& Name, int Tolerance, int MaxDiffPixels)
{
  const char* Dir = std::getenv("FATHOMIX_TEST_DATA");
  if (!Dir)
    return QStringLiteral("FATHOMIX_TEST_DATA is not set");
  const QString Path = QDir(QString::fromLocal8Bit(Dir)).filePath(Name + QStringLiteral(".png"));
  const QImage Got = Image.convertToFormat(QImage::Format_RGB32);
  const char* Regen = std::getenv("FATHOMIX_REGENERATE_GOLDEN");
  if (Regen && QByteArray(Regen) == "1") {
    if (!Got.save(Path, "PNG"))
      return QStringLiteral("cannot write ") + Path;
    return QString();
  }
  QImage Want;
  if (!Want.load(Path))
    return QStringLiteral("no golden image ") + Path + QStringLiteral(" (run with FATHOMIX_REGENERATE_GOLDEN=1)");
  Want = Want.convertToFormat(QImage::Format_RGB32);
  if (Want.size() != Got.size())
    return QStringLiteral("size %1x%2, golden %3x%4")
        .arg(Got.width())
        .arg(Got.height())
        .arg(Want.width())
        .arg(Want.height());
  int Diff = 0;
  QString First;
  for (int y = 0; y < Got.height(); ++y)
    for (int x = 0; x < Got.width(); ++x) {
      const QRgb A = Got.pixel(x, y), B = Want.pixel(x, y);
      if (std::abs(qRed(A) - qRed(B)) > Tolerance || std::abs(qGreen(A) - qGreen(B)) > Tolerance ||
          std::abs(qBlue(A) - qBlue(B)) > Tolerance) {
        if (Diff == 0)
          First = QStringLiteral("first at (%1, %2): %3 instead of %4")
                      .arg(x)
                      .arg(y)
                      .arg(A & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                      .arg(B & 0xFFFFFF, 6, 16, QLatin1Char('0'));
        ++Diff;
      }
    }
  if (Diff > MaxDiffPixels) {
    Got.save(QDir::temp().filePath(Name + QStringLiteral("-actual.png")), "PNG");
    return QStringLiteral("%1 pixels differ (allowed %2); %3; actual written to %4")
        .arg(Diff)
        .arg(MaxDiffPixels)
        .arg(First)
        .arg(QDir::temp().filePath(Name + QStringLiteral("-actual.png")));
  }
  return QString();
}
