#include "RecordingCanvas.h"

TRecordingCanvas::TRecordingCanvas() = default;
TRecordingCanvas::~TRecordingCanvas() = default;

void TRecordingCanvas::Rec(const char* Name, std::initializer_list<double> Args)
{
  QStringList A;
  for (double V : Args)
    A << QString::number(V, 'g', 10);
  Log << QString::fromLatin1(Name) + QLatin1Char('(') + A.join(QLatin1Char(',')) + QLatin1Char(')');
}

QStringList TRecordingCanvas::Calls(const QString& Prefix) const
{
  QStringList R;
  for (const QString& S : Log)
    if (S.startsWith(Prefix))
      R << S;
  return R;
}

void TRecordingCanvas::Arc(int32_t L, int32_t T, int32_t R, int32_t B, int32_t SX, int32_t SY, int32_t EX, int32_t EY)
{
  Rec("Arc", {double(L), double(T), double(R), double(B), double(SX), double(SY), double(EX), double(EY)});
}

void TRecordingCanvas::Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2)
{
  Rec("Ellipse", {double(X1), double(Y1), double(X2), double(Y2)});
}

void TRecordingCanvas::FillRect(const TRect& R)
{
  Rec("FillRect", {double(R.Left), double(R.Top), double(R.Right), double(R.Bottom)});
}

void TRecordingCanvas::Rectangle(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1)
{
  Rec("Rectangle", {double(X0), double(Y0), double(X1), double(Y1)});
}

void TRecordingCanvas::RoundRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3)
{
  Rec("RoundRect", {double(X1), double(Y1), double(X2), double(Y2), double(X3), double(Y3)});
}

void TRecordingCanvas::TextOut(int32_t X, int32_t Y, const String& Text)
{
  Log << QStringLiteral("TextOut(%1,%2,%3)").arg(X).arg(Y).arg(Text);
}

void TRecordingCanvas::ClipRectangle(const TRect& R)
{
  Rec("ClipRectangle", {double(R.Left), double(R.Top), double(R.Right), double(R.Bottom)});
}

void TRecordingCanvas::GradientFill(const TRect& R, TColor S, TColor E, TGradientDirection D, int32_t Balance,
                                    int32_t RX, int32_t RY)
{
  Rec("GradientFill", {double(R.Left), double(R.Top), double(R.Right), double(R.Bottom), double(S), double(E),
                       double(D), double(Balance), double(RX), double(RY)});
}

namespace {
QString PointsText(std::span<const TPoint> P)
{
  QStringList A;
  for (const TPoint& Q : P)
    A << QStringLiteral("%1 %2").arg(Q.X).arg(Q.Y);
  return A.join(QLatin1Char(','));
}
} // namespace

void TRecordingCanvas::Polyline(std::span<const TPoint> P) { Log << QStringLiteral("Polyline(%1)").arg(PointsText(P)); }
void TRecordingCanvas::Polygon(std::span<const TPoint> P) { Log << QStringLiteral("Polygon(%1)").arg(PointsText(P)); }

void TRecordingCanvas::PolylineFloat(std::span<const TPointFloat> P)
{
  Log << QStringLiteral("PolylineFloat(%1)").arg(P.size());
}

void TRecordingCanvas::PolygonFloat(std::span<const TPointFloat> P)
{
  Log << QStringLiteral("PolygonFloat(%1)").arg(P.size());
}

std::unique_ptr<TZuzBasePath> TRecordingCanvas::CreatePath(const TPointFloatArray&, const TPathPointTypes&)
{
  return std::make_unique<TRecordingPath>(this);
}
