#include "chart/canvas/DigitText.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>

#include <array>
#include <cmath>

namespace {

constexpr char16_t Taken[] = u"0123456789 .,:;-+/%()eE";

// The place of each character in Taken, -1 for the others (all of Taken is
// ASCII).
constexpr std::array<int8_t, 128> Slots = [] {
  std::array<int8_t, 128> S{};
  S.fill(-1);
  for (int I = 0; Taken[I] != 0; ++I)
    S[static_cast<size_t>(Taken[I])] = static_cast<int8_t>(I);
  return S;
}();

} // namespace

int TDigitText::Slot(char16_t C)
{
  static_assert(std::size(Taken) - 1 == Count);
  return C < Slots.size() ? Slots[C] : -1;
}

TDigitText::TDigitText(const QFont& Font, const QPaintDevice* Device) : FFont(Font), FMetrics(Font, Device)
{
  // Decorations, spacing and case changes are the layout engine's work.
  if (Font.underline() || Font.strikeOut() || Font.overline() || Font.letterSpacing() != 0 || Font.wordSpacing() != 0 ||
      Font.capitalization() != QFont::MixedCase)
    return;
  FRaw = QRawFont::fromFont(Device ? QFont(Font, Device) : Font);
  if (!FRaw.isValid())
    return;
  for (int I = 0; I < Count; ++I) {
    const QString C = QString(QChar(Taken[I]));
    const QList<quint32> G = FRaw.glyphIndexesForString(C);
    if (G.size() != 1 || G[0] == 0)
      return; // not in this font: the engine falls back to another one
    FGlyphs[static_cast<size_t>(I)] = G[0];
    FAdvances[static_cast<size_t>(I)] = FMetrics.horizontalAdvance(C);
  }
  FPairs.fill(std::nan(""));
  FRun.setRawFont(FRaw);
  FUsable = LaysOutAsThePainter(Device);
}

// Kerning is all the engine does to these characters in the fonts in use;
// should a font do more (a ligature, a contextual form), the widths or the
// pixels of a few texts differ and the font is left to the engine.
bool TDigitText::LaysOutAsThePainter(const QPaintDevice* Device)
{
  static const QStringView Samples[] = {u"-1,234.50", u"12:30:45", u"(7.0e-5 %)", u"10/11/2026 +0.125; 98"};
  for (const QStringView S : Samples)
    if (std::abs(Width(S) - FMetrics.horizontalAdvance(S.toString())) > 1e-9)
      return false;
  const int Dpi = Device ? Device->logicalDpiX() : 0;
  QImage Engine(240, 40, QImage::Format_ARGB32_Premultiplied);
  if (Dpi > 0) {
    const int PerMetre = qRound(Dpi / 0.0254);
    Engine.setDotsPerMeterX(PerMetre);
    Engine.setDotsPerMeterY(PerMetre);
  }
  QImage Here = Engine;
  for (const QStringView S : Samples) {
    const QPointF Origin(3.3, 25.6);
    Engine.fill(Qt::white);
    Here.fill(Qt::white);
    {
      QPainter P(&Engine);
      P.setFont(FFont);
      P.setPen(Qt::black);
      P.drawText(Origin, S.toString());
    }
    {
      QPainter P(&Here);
      P.setPen(Qt::black);
      Draw(P, Origin, S);
    }
    if (Engine != Here)
      return false;
  }
  return true;
}

bool TDigitText::Takes(QStringView Text) const
{
  if (!FUsable || Text.isEmpty())
    return false;
  for (const QChar C : Text)
    if (Slot(C.unicode()) < 0)
      return false;
  return true;
}

double TDigitText::PairAdvance(int A, int B)
{
  double& P = FPairs[static_cast<size_t>(A * Count + B)];
  if (std::isnan(P)) {
    const QString Two = QString(QChar(Taken[A])) + QChar(Taken[B]);
    P = FMetrics.horizontalAdvance(Two) - FAdvances[static_cast<size_t>(B)];
  }
  return P;
}

double TDigitText::Width(QStringView Text)
{
  double W = 0;
  int Prev = -1;
  for (const QChar C : Text) {
    const int S = Slot(C.unicode());
    if (Prev >= 0)
      W += PairAdvance(Prev, S);
    Prev = S;
  }
  return Prev >= 0 ? W + FAdvances[static_cast<size_t>(Prev)] : 0;
}

void TDigitText::Draw(QPainter& P, const QPointF& Origin, QStringView Text)
{
  const auto N = Text.size();
  if (N == 0)
    return;
  FRunGlyphs.resize(N);
  FRunPositions.resize(N);
  double X = 0;
  int S = Slot(Text[0].unicode());
  for (qsizetype I = 0; I < N; ++I) {
    FRunGlyphs[I] = FGlyphs[static_cast<size_t>(S)];
    FRunPositions[I] = QPointF(X, 0);
    if (I + 1 < N) {
      const int Next = Slot(Text[I + 1].unicode());
      X += PairAdvance(S, Next);
      S = Next;
    }
  }
  FRun.setGlyphIndexes(FRunGlyphs);
  FRun.setPositions(FRunPositions);
  P.drawGlyphRun(Origin, FRun);
}
