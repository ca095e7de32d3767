#pragma once
// Texts of digits and the signs that go with them (the labels of scales,
// dates and times) laid out without the shaping engine: from each
// character's glyph and advance and each pair's advance with its kerning,
// measured once per font. A scale's labels change with its range at every
// paint, so their layouts cannot be looked up by text; built this way they
// are the same glyphs at the same places as the painter's own layout (each
// font is checked against it before it is used), at a fraction of the cost.
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QStringView>

#include <array>
#include <cstdint>

class QPainter;
class QPaintDevice;

class TDigitText {
public:
  // For the font as Device (none: the screen) resolves it.
  TDigitText(const QFont& Font, const QPaintDevice* Device);

  // Whether Text is made of those characters only and this font lays them
  // out as the painter does.
  bool Takes(QStringView Text) const;
  // The advance of a text Takes() accepted.
  double Width(QStringView Text);
  // Draws a text Takes() accepted with the painter's pen, its baseline
  // starting at Origin. The painter must be on a device of the same
  // resolution, its transform no more than a translation.
  void Draw(QPainter& P, const QPointF& Origin, QStringView Text);

private:
  static constexpr int Count = 23; // the characters taken
  static int Slot(char16_t C);
  double PairAdvance(int A, int B);
  bool LaysOutAsThePainter(const QPaintDevice* Device);

  QFont FFont;
  QFontMetricsF FMetrics;
  QRawFont FRaw;
  bool FUsable = false;
  std::array<uint32_t, Count> FGlyphs{};
  std::array<double, Count> FAdvances{};
  std::array<double, Count * Count> FPairs{}; // NaN: not measured yet
  QGlyphRun FRun;
  QList<quint32> FRunGlyphs;
  QList<QPointF> FRunPositions;
};
