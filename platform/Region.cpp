#include "platform/Region.h"

#include <QPainterPath>
#include <QPolygon>
#include <QRegion>

TRegion::TRegion() : D(std::make_unique<QRegion>()) {}
TRegion::~TRegion() = default;
TRegion::TRegion(const TRegion& Other) : D(std::make_unique<QRegion>(*Other.D)) {}
TRegion::TRegion(const QRegion& R) : D(std::make_unique<QRegion>(R)) {}

TRegion& TRegion::operator=(const TRegion& Other)
{
  *D = *Other.D;
  return *this;
}

static QRect ToQRect(const TRect& R)
{
  const int32_t L = std::min(R.Left, R.Right), T = std::min(R.Top, R.Bottom);
  const int32_t Rt = std::max(R.Left, R.Right), B = std::max(R.Top, R.Bottom);
  return QRect(L, T, Rt - L, B - T);
}

TRegion TRegion::FromRect(const TRect& R) { return TRegion(QRegion(ToQRect(R))); }

TRegion TRegion::FromEllipse(const TRect& R)
{
  const QRect Q = ToQRect(R);
  if (Q.isEmpty())
    return TRegion();
  return TRegion(QRegion(Q, QRegion::Ellipse));
}

TRegion TRegion::FromRoundRect(const TRect& R, int32_t CornerW, int32_t CornerH)
{
  const QRect Q = ToQRect(R);
  if (Q.isEmpty())
    return TRegion();
  QPainterPath P;
  P.addRoundedRect(QRectF(Q), std::abs(CornerW) / 2.0, std::abs(CornerH) / 2.0);
  return TRegion(QRegion(P.toFillPolygon().toPolygon(), Qt::OddEvenFill));
}

TRegion TRegion::FromPolygon(std::span<const TPoint> Points)
{
  if (Points.size() < 3)
    return TRegion();
  QPolygon Poly(static_cast<int>(Points.size()));
  for (size_t i = 0; i < Points.size(); ++i)
    Poly[static_cast<int>(i)] = QPoint(Points[i].X, Points[i].Y);
  return TRegion(QRegion(Poly, Qt::OddEvenFill));
}

bool TRegion::IsEmpty() const { return D->isEmpty(); }
bool TRegion::Contains(int32_t X, int32_t Y) const { return D->contains(QPoint(X, Y)); }

TRect TRegion::BoundingRect() const
{
  const QRect B = D->boundingRect();
  if (B.isEmpty())
    return TRect{};
  return TRect{B.left(), B.top(), B.left() + B.width(), B.top() + B.height()};
}

TRegion TRegion::Combine(const TRegion& A, const TRegion& B, TRegionMode Mode)
{
  switch (Mode) {
  case RGN_AND:
    return TRegion(A.D->intersected(*B.D));
  case RGN_OR:
    return TRegion(A.D->united(*B.D));
  case RGN_XOR:
    return TRegion(A.D->xored(*B.D));
  case RGN_DIFF:
    return TRegion(A.D->subtracted(*B.D));
  case RGN_COPY:
    return A;
  }
  return A;
}

bool TRegion::operator==(const TRegion& Other) const { return *D == *Other.D; }

const QRegion& TRegion::AsQRegion() const { return *D; }
