// Cost of drawing through the chart canvas against the same figures drawn
// with the painter directly: a one-million-point polyline and ten thousand
// filled rectangles with a text each, into a 1920 x 1080 buffer. The GDI
// canvas is measured against the aliased painter, the anti-aliased (GDI+)
// canvas against the anti-aliased painter.
#include "platform/Canvas.h"
#include "chart/canvas/ChartCanvasInit.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int W = 1920, H = 1080;
constexpr int PolylinePoints = 1000000;
constexpr int Rectangles = 10000;
constexpr int Rounds = 5;

struct TFigures {
  std::vector<TPoint> Line;
  std::vector<QPoint> QtLine;
  std::vector<TRect> Boxes;
  std::vector<TColor> Colors;
  std::vector<QString> Texts;
};

TFigures MakeFigures()
{
  TFigures F;
  uint32_t Seed = 12345;
  auto Next = [&Seed](uint32_t Range) {
    Seed = Seed * 1664525u + 1013904223u;
    return (Seed >> 8) % Range;
  };
  F.Line.resize(PolylinePoints);
  F.QtLine.resize(PolylinePoints);
  int X = W / 2, Y = H / 2;
  for (int i = 0; i < PolylinePoints; ++i) {
    X = std::clamp<int>(X + int(Next(21)) - 10, 0, W - 1);
    Y = std::clamp<int>(Y + int(Next(21)) - 10, 0, H - 1);
    F.Line[i] = TPoint{X, Y};
    F.QtLine[i] = QPoint(X, Y);
  }
  for (int i = 0; i < Rectangles; ++i) {
    const int L = int(Next(W - 80)), T = int(Next(H - 30));
    F.Boxes.push_back(TRect{L, T, L + 40 + int(Next(40)), T + 16 + int(Next(14))});
    F.Colors.push_back(RGBColor(Next(256), Next(256), Next(256)));
    F.Texts.push_back(QString::number(Next(100000) / 100.0, 'f', 2));
  }
  return F;
}

using TClock = std::chrono::steady_clock;

double Millis(TClock::time_point A, TClock::time_point B)
{
  return std::chrono::duration<double, std::milli>(B - A).count();
}

struct TTimes {
  double Polyline = 0;
  double Boxes = 0;
  double Total() const { return Polyline + Boxes; }
};

// Both canvases are timed by the same drawing. The GDI canvas keeps its
// picture in its buffer; the anti-aliased one paints into the destination.
template <class TKind>
TTimes ThroughCanvas(bool PictureInBuffer, const TFigures& F, QImage& Out)
{
  QImage Dest(W, H, QImage::Format_RGB32);
  Dest.fill(Qt::white);
  TCanvas DestCanvas;
  DestCanvas.BindImage(&Dest);
  TKind C;
  const TRect R{0, 0, W, H};
  C.InitWindow(&DestCanvas, nullptr, clWhite, false, R);
  C.Projection(0, R, R);
  C.ResetState();
  C.Brush()->SetColor(clWhite);
  C.FillRect(R);
  const auto T0 = TClock::now();
  C.Pen()->SetColor(clNavy);
  C.Polyline(F.Line);
  const auto TLine = TClock::now();
  C.Pen()->SetColor(clBlack);
  for (int i = 0; i < Rectangles; ++i) {
    const TRect& B = F.Boxes[i];
    C.Brush()->SetColor(F.Colors[i]);
    C.Rectangle(B.Left, B.Top, B.Right, B.Bottom);
    C.TextOut(B.Left + 2, B.Top + 2, F.Texts[i]);
  }
  const auto T1 = TClock::now();
  C.ShowImage(&DestCanvas, &DestCanvas, R);
  Out = PictureInBuffer ? *C.BufferImage() : Dest;
  return {Millis(T0, TLine), Millis(TLine, T1)};
}

TTimes RawPainter(const TFigures& F, QImage& Out)
{
  QImage Image(W, H, QImage::Format_RGB32);
  Image.fill(Qt::white);
  QPainter P(&Image);
  P.setRenderHint(QPainter::Antialiasing, false);
  QFont Font(QStringLiteral("Arial"));
  Font.setPixelSize(11);
  Font.setKerning(false);
  Font.setStyleStrategy(QFont::PreferAntialias);
  const int Ascent = QFontMetrics(Font).ascent();
  const auto T0 = TClock::now();
  QPen Line(QColor(0, 0, 128), 0);
  Line.setCapStyle(Qt::FlatCap);
  P.setPen(Line);
  P.drawPolyline(F.QtLine.data(), int(F.QtLine.size()));
  const auto TLine = TClock::now();
  QPen Outline(Qt::black, 0);
  Outline.setCapStyle(Qt::FlatCap);
  P.setFont(Font);
  for (int i = 0; i < Rectangles; ++i) {
    const TRect& B = F.Boxes[i];
    const TColor C = F.Colors[i];
    P.setPen(Outline);
    P.setBrush(QColor(GetRValue(C), GetGValue(C), GetBValue(C)));
    P.drawRect(QRect(B.Left, B.Top, B.Right - B.Left - 1, B.Bottom - B.Top - 1));
    P.setPen(Qt::black);
    P.drawText(QPoint(B.Left + 2, B.Top + 2 + Ascent), F.Texts[i]);
  }
  const auto T1 = TClock::now();
  P.end();
  Out = Image;
  return {Millis(T0, TLine), Millis(TLine, T1)};
}

// The same figures as the anti-aliased canvas draws them: round-capped
// one-pixel lines, boxes filled and then outlined on their edges, text with
// the font's margin of a sixth of its size.
TTimes RawAntiAliasedPainter(const TFigures& F, QImage& Out)
{
  QImage Image(W, H, QImage::Format_RGB32);
  Image.fill(Qt::white);
  QPainter P(&Image);
  P.setRenderHint(QPainter::Antialiasing, true);
  QFont Font(ZuzFontDefaultName);
  Font.setPointSizeF(ZuzFontDefaultSize);
  Font.setKerning(false);
  const QFontMetricsF M(Font, &Image);
  const double Margin = ZuzFontDefaultSize * Image.logicalDpiY() / 72.0 / 6.0;
  std::vector<QPointF> Line(F.QtLine.begin(), F.QtLine.end());
  const auto T0 = TClock::now();
  QPen LinePen(QColor(0, 0, 128), 1);
  LinePen.setCapStyle(Qt::RoundCap);
  LinePen.setJoinStyle(Qt::RoundJoin);
  P.setPen(LinePen);
  P.drawPolyline(Line.data(), int(Line.size()));
  const auto TLine = TClock::now();
  QPen Outline(Qt::black, 1);
  Outline.setCapStyle(Qt::RoundCap);
  Outline.setJoinStyle(Qt::RoundJoin);
  P.setFont(Font);
  for (int i = 0; i < Rectangles; ++i) {
    const TRect& B = F.Boxes[i];
    const TColor C = F.Colors[i];
    const QRectF Box(B.Left, B.Top, B.Right - B.Left, B.Bottom - B.Top);
    P.fillRect(Box, QColor(GetRValue(C), GetGValue(C), GetBValue(C)));
    P.setPen(Outline);
    P.setBrush(Qt::NoBrush);
    P.drawRect(Box);
    P.setPen(QPen(Qt::black, 0));
    P.drawText(QPointF(B.Left + 2 + Margin, B.Top + 2 + M.ascent()), F.Texts[i]);
  }
  const auto T1 = TClock::now();
  P.end();
  Out = Image;
  return {Millis(T0, TLine), Millis(TLine, T1)};
}

int DifferingPixels(const QImage& A, const QImage& B)
{
  int Differ = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      if (A.pixel(x, y) != B.pixel(x, y))
        ++Differ;
  return Differ;
}

} // namespace

int main(int argc, char** argv)
{
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication App(argc, argv);
  InitializeChartCanvas();
  const TFigures F = MakeFigures();
  TTimes BestCanvas{1e30, 1e30}, BestRaw{1e30, 1e30}, BestPlus{1e30, 1e30}, BestRawAA{1e30, 1e30};
  QImage A, B, C, D;
  auto Keep = [](TTimes& Best, const TTimes& T) {
    if (T.Total() < Best.Total())
      Best = T;
  };
  for (int Round = 0; Round < Rounds; ++Round) {
    Keep(BestRaw, RawPainter(F, B));
    Keep(BestCanvas, ThroughCanvas<TZuzCanvas3D>(true, F, A));
    Keep(BestRawAA, RawAntiAliasedPainter(F, D));
    Keep(BestPlus, ThroughCanvas<TGDIPlusCanvas>(false, F, C));
  }
  const double Ratio = BestCanvas.Total() / BestRaw.Total();
  std::printf("canvas %.1f ms (polyline %.1f, boxes with text %.1f), raw painter %.1f ms (%.1f, %.1f), best of %d\n",
              BestCanvas.Total(), BestCanvas.Polyline, BestCanvas.Boxes, BestRaw.Total(), BestRaw.Polyline,
              BestRaw.Boxes, Rounds);
  std::printf("ratio %.3f (limit 1.2); %d of %d pixels differ\n", Ratio, DifferingPixels(A, B), W * H);
  const double RatioPlus = BestPlus.Total() / BestRawAA.Total();
  std::printf("GDI+ canvas %.1f ms (polyline %.1f, boxes with text %.1f), raw anti-aliased painter %.1f ms (%.1f, "
              "%.1f), best of %d\n",
              BestPlus.Total(), BestPlus.Polyline, BestPlus.Boxes, BestRawAA.Total(), BestRawAA.Polyline,
              BestRawAA.Boxes, Rounds);
  std::printf("ratio %.3f (limit 1.3); %d of %d pixels differ\n", RatioPlus, DifferingPixels(C, D), W * H);
  FinalizeChartCanvas();
  return Ratio <= 1.2 && RatioPlus <= 1.3 ? 0 : 1;
}
