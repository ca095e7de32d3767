#include "chart/canvas/GDIPlusPath.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/GDIPlusGraphics.h"
#include "chart/canvas/ZuzFont.h"

#include <QFont>
#include <QPainterPath>

#include <cmath>
#include <set>

namespace {
constexpr uint8_t PointStart = 0, PointLine = 1, PointBezier = 3, PointClose = 0x80;
} // namespace

// Which elements end a closed figure, and which are the closing lines the
// painter's path adds itself (the library's paths have none).
struct TClosures {
  std::set<int> Last;
  std::set<int> Added;
};

namespace {
TClosures& ClosuresOf(std::unique_ptr<TClosures>& C)
{
  if (!C)
    C = std::make_unique<TClosures>();
  return *C;
}
} // namespace

TZuzGDIPlusPath::TZuzGDIPlusPath(TGDIPlusCanvas* ACanvas) : ICanvas(ACanvas), IPath(std::make_unique<QPainterPath>())
{
  IPath->setFillRule(Qt::OddEvenFill);
}

TZuzGDIPlusPath::~TZuzGDIPlusPath() = default;

String TZuzGDIPlusPath::ClassName() const { return QStringLiteral("TZuzGDIPlusPath"); }

const QPainterPath& TZuzGDIPlusPath::Path() const { return *IPath; }

void TZuzGDIPlusPath::ArcTo(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle)
{
  GPAddArc(*IPath, QRectF(X, Y, Width, Height), StartAngle, SweepAngle, FFigureOpen);
  FFigureOpen = true;
}

void TZuzGDIPlusPath::Close()
{
  if (!FFigureOpen)
    return;
  const int Before = IPath->elementCount();
  IPath->closeSubpath();
  TClosures& C = ClosuresOf(IClosures);
  C.Last.insert(Before - 1);
  for (int i = Before; i < IPath->elementCount(); ++i)
    C.Added.insert(i);
  FFigureOpen = false;
}

void TZuzGDIPlusPath::Curve(std::span<const TPoint> Points, float Tension, bool Closed)
{
  if (Points.size() < 2)
    return;
  std::vector<QPointF> Q(Points.size());
  for (size_t i = 0; i < Points.size(); ++i)
    Q[i] = QPointF(Points[i].X, Points[i].Y);
  if (Closed) {
    GPAddCurve(*IPath, Q, Tension, true, false);
    ClosuresOf(IClosures).Last.insert(IPath->elementCount() - 1);
    FFigureOpen = false;
  } else {
    GPAddCurve(*IPath, Q, Tension, false, FFigureOpen);
    FFigureOpen = true;
  }
  FX = float(Points.back().X);
  FY = float(Points.back().Y);
}

void TZuzGDIPlusPath::Draw(TZuzCanvas* ACanvas)
{
  if (auto* C = dynamic_cast<TGDIPlusCanvas*>(ACanvas))
    C->Path(*IPath);
}

void TZuzGDIPlusPath::GetPoints(TPathPointTypes& Types, TPointFloatArray& Points, TRectF& Bounds)
{
  Types.clear();
  Points.clear();
  // A path without figures still holds the painter's starting move.
  const int N = IPath->isEmpty() ? 0 : IPath->elementCount();
  for (int i = 0; i < N; ++i) {
    if (IClosures && IClosures->Added.count(i))
      continue;
    const QPainterPath::Element E = IPath->elementAt(i);
    uint8_t T = PointLine;
    if (E.type == QPainterPath::MoveToElement)
      T = PointStart;
    else if (E.type == QPainterPath::CurveToElement || E.type == QPainterPath::CurveToDataElement)
      T = PointBezier;
    if (IClosures && IClosures->Last.count(i))
      T |= PointClose;
    Types.push_back(T);
    Points.push_back(TPointFloat{float(E.x), float(E.y)});
  }
  const QRectF B = IPath->boundingRect();
  Bounds = TRectF{float(B.x()), float(B.y()), float(B.x() + B.width()), float(B.y() + B.height())};
}

void TZuzGDIPlusPath::LineTo(float X, float Y)
{
  const QPointF From(FX, FY);
  if (!FFigureOpen || IPath->elementCount() == 0)
    IPath->moveTo(From);
  else if (IPath->currentPosition() != From)
    IPath->lineTo(From);
  IPath->lineTo(X, Y);
  FFigureOpen = true;
  FX = X;
  FY = Y;
}

void TZuzGDIPlusPath::MoveTo(float X, float Y)
{
  FX = X;
  FY = Y;
}

void TZuzGDIPlusPath::TextOut(float X, float Y, const String& Text)
{
  if (!ICanvas)
    return;
  QFont F;
  if (const QFont* G = ICanvas->GPFont())
    F.setFamily(G->family());
  F.setPixelSize(std::max(1, std::abs(ICanvas->Font()->Height())));
  TGPGraphics::AddString(*IPath, Text, F, QPointF(X, Y));
  FFigureOpen = false;
}

void TZuzGDIPlusPath::SetPoints(const TPointFloatArray& Points, const TPathPointTypes& Types)
{
  *IPath = QPainterPath();
  IPath->setFillRule(Qt::OddEvenFill);
  IClosures.reset();
  FFigureOpen = false;
  const size_t N = std::min(Points.size(), Types.size());
  size_t i = 0;
  while (i < N) {
    const QPointF P(Points[i].x, Points[i].y);
    const uint8_t T = Types[i] & 0x07;
    if (T == PointStart || !FFigureOpen) {
      IPath->moveTo(P);
      FFigureOpen = true;
    } else if (T == PointBezier && i + 2 < N && (Types[i + 1] & 0x07) == PointBezier &&
               (Types[i + 2] & 0x07) == PointBezier) {
      IPath->cubicTo(P, QPointF(Points[i + 1].x, Points[i + 1].y), QPointF(Points[i + 2].x, Points[i + 2].y));
      i += 2;
    } else {
      IPath->lineTo(P);
    }
    if (Types[i] & PointClose)
      Close();
    ++i;
  }
  if (N > 0) {
    FX = Points[N - 1].x;
    FY = Points[N - 1].y;
  }
}
