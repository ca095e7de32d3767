#include "chart/canvas/GDIPlusGraphics.h"
#include "chart/canvas/DigitText.h"
#include "chart/canvas/WideLineRaster.h"
#include "platform/Canvas.h"

#include <QBrush>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QStringList>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

QColor ToQColor(TGPColor C) { return QColor::fromRgba(C); }
uint8_t AlphaOf(TGPColor C) { return static_cast<uint8_t>(C >> 24); }

// --- hatch patterns --------------------------------------------------------------

// Ordered-dither thresholds: the percentage hatches light the cells whose
// threshold lies below their share of 64, which spreads the dots evenly.
constexpr uint8_t Bayer[8][8] = {{0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
                                 {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
                                 {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
                                 {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};

using TPattern = std::array<uint8_t, 8>;

TPattern Percent(int Percent)
{
  const int Lit = (Percent * 64 + 50) / 100;
  TPattern P{};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (Bayer[y][x] < Lit)
        P[y] |= static_cast<uint8_t>(0x80 >> x);
  return P;
}

// Diagonal stripes: Period pixels apart, Thick pixels wide; Down runs from
// the top left to the bottom right.
TPattern Diagonal(int Period, int Thick, bool Down)
{
  TPattern P{};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const int K = Down ? (x - y + 16) % Period : (x + y) % Period;
      if (K < Thick)
        P[y] |= static_cast<uint8_t>(0x80 >> x);
    }
  return P;
}

std::array<TPattern, GPHatchStyleCount> MakeHatches()
{
  std::array<TPattern, GPHatchStyleCount> H{};
  H[0] = {0xFF, 0, 0, 0, 0, 0, 0, 0};                      // horizontal
  H[1] = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}; // vertical
  H[2] = Diagonal(8, 1, true);                             // forward diagonal
  H[3] = Diagonal(8, 1, false);                            // backward diagonal
  H[4] = {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}; // cross
  for (int i = 0; i < 8; ++i)                              // diagonal cross
    H[5][i] = static_cast<uint8_t>(H[2][i] | H[3][i]);
  const int Percents[] = {5, 10, 20, 25, 30, 40, 50, 60, 70, 75, 80, 90};
  for (int i = 0; i < 12; ++i)
    H[6 + i] = Percent(Percents[i]);
  H[18] = Diagonal(4, 1, true);                             // light downward diagonal
  H[19] = Diagonal(4, 1, false);                            // light upward diagonal
  H[20] = Diagonal(4, 2, true);                             // dark downward diagonal
  H[21] = Diagonal(4, 2, false);                            // dark upward diagonal
  H[22] = Diagonal(8, 3, true);                             // wide downward diagonal
  H[23] = Diagonal(8, 3, false);                            // wide upward diagonal
  H[24] = {0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88}; // light vertical
  H[25] = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0};                   // light horizontal
  H[26] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}; // narrow vertical
  H[27] = {0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0};             // narrow horizontal
  H[28] = {0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC}; // dark vertical
  H[29] = {0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};             // dark horizontal
  H[30] = {0x88, 0x44, 0x22, 0x11, 0, 0, 0, 0};             // dashed downward diagonal
  H[31] = {0x11, 0x22, 0x44, 0x88, 0, 0, 0, 0};             // dashed upward diagonal
  H[32] = {0xF0, 0, 0, 0, 0x0F, 0, 0, 0};                   // dashed horizontal
  H[33] = {0x80, 0x80, 0x80, 0x80, 0x08, 0x08, 0x08, 0x08}; // dashed vertical
  H[34] = {0x80, 0x10, 0x02, 0x40, 0x04, 0x20, 0x01, 0x08}; // small confetti
  H[35] = {0xC0, 0xC6, 0x06, 0x30, 0x33, 0x03, 0x18, 0x18}; // large confetti
  H[36] = {0x81, 0x42, 0x24, 0x18, 0, 0, 0, 0};             // zig zag
  H[37] = {0, 0x30, 0x48, 0x84, 0x03, 0, 0, 0};             // wave
  H[38] = {0x01, 0x02, 0x04, 0x08, 0x18, 0x24, 0x42, 0x81}; // diagonal brick
  H[39] = {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08}; // horizontal brick
  H[40] = {0x88, 0x54, 0x22, 0x45, 0x88, 0x14, 0x22, 0x51}; // weave
  H[41] = {0xAA, 0x55, 0xAA, 0x55, 0xF0, 0xF0, 0xF0, 0xF0}; // plaid
  H[42] = {0, 0x20, 0x10, 0x20, 0, 0x04, 0x08, 0x04};       // divot
  H[43] = {0xAA, 0, 0x80, 0, 0x80, 0, 0x80, 0};             // dotted grid
  H[44] = {0x80, 0, 0x22, 0, 0x08, 0, 0x22, 0};             // dotted diamond
  H[45] = {0x03, 0x0C, 0x10, 0x20, 0x20, 0x10, 0x0C, 0x03}; // shingle
  H[46] = {0xFF, 0x66, 0xFF, 0x99, 0xFF, 0x66, 0xFF, 0x99}; // trellis
  H[47] = {0x77, 0x89, 0x8F, 0x8F, 0x77, 0x98, 0xF8, 0xF8}; // sphere
  H[48] = {0xFF, 0x88, 0x88, 0x88, 0xFF, 0x88, 0x88, 0x88}; // small grid
  H[49] = {0xCC, 0xCC, 0x33, 0x33, 0xCC, 0xCC, 0x33, 0x33}; // small checker board
  H[50] = {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F}; // large checker board
  H[51] = {0x41, 0x22, 0x14, 0x08, 0x14, 0x22, 0x41, 0x80}; // outlined diamond
  H[52] = {0x08, 0x1C, 0x3E, 0x7F, 0x3E, 0x1C, 0x08, 0};    // solid diamond
  return H;
}

const std::array<TPattern, GPHatchStyleCount>& Hatches()
{
  static const std::array<TPattern, GPHatchStyleCount> H = MakeHatches();
  return H;
}

// --- angles ----------------------------------------------------------------------

double Wrap180(double A)
{
  A = std::fmod(A + 180.0, 360.0);
  if (A < 0)
    A += 360.0;
  return A - 180.0;
}

// The parametric angle (clockwise) of the point of the ellipse with half
// axes Rx, Ry that lies at Degrees from its centre, continuous in Degrees.
double ParamAngle(double Degrees, double Rx, double Ry)
{
  if (Rx <= 0 || Ry <= 0 || Rx == Ry)
    return Degrees;
  const double T = Degrees * std::numbers::pi / 180.0;
  const double P = std::atan2(Rx * std::sin(T), Ry * std::cos(T)) * 180.0 / std::numbers::pi;
  return Degrees + Wrap180(P - Degrees);
}

bool FiniteRect(const QRectF& R)
{
  return std::isfinite(R.x()) && std::isfinite(R.y()) && std::isfinite(R.width()) && std::isfinite(R.height());
}

const QList<qreal>& DashPattern(TGPDashStyle S)
{
  static const QList<qreal> Dash{3, 1}, Dot{1, 1}, DashDot{3, 1, 1, 1}, DashDotDot{3, 1, 1, 1, 1, 1}, None;
  switch (S) {
  case DashStyleDash:
    return Dash;
  case DashStyleDot:
    return Dot;
  case DashStyleDashDot:
    return DashDot;
  case DashStyleDashDotDot:
    return DashDotDot;
  default:
    return None;
  }
}

constexpr double InfiniteExtent = 1.0e7;

} // namespace

const uint8_t* GPHatchPattern(int32_t Style)
{
  if (Style < 0 || Style >= GPHatchStyleCount)
    return nullptr;
  return Hatches()[static_cast<size_t>(Style)].data();
}

String GPStatusText(int32_t Status)
{
  static const char* const Names[] = {"Ok",
                                      "Generic Error",
                                      "Invalid Parameter",
                                      "Out Of Memory",
                                      "Object Busy",
                                      "Insufficient Buffer",
                                      "Not Implemented",
                                      "Win32 Error",
                                      "Wrong State",
                                      "Aborted",
                                      "File Not Found",
                                      "Value Overflow",
                                      "Access Denied",
                                      "Unknown Image Format",
                                      "Font Family Not Found",
                                      "Font Style Not Found",
                                      "Not TrueType Font",
                                      "Unsupported Gdiplus Version",
                                      "Gdiplus Not Initialized",
                                      "Property Not Found",
                                      "Property Not Supported"};
  const String Name =
      Status >= 0 && Status <= 20 ? QString::fromLatin1(Names[Status]) : QStringLiteral("Unknown Status");
  return QStringLiteral("GDI+ Error: %1 %2").arg(Status).arg(Name);
}

// --- paths -------------------------------------------------------------------------

void GPAddArc(QPainterPath& Path, const QRectF& R, double StartAngle, double SweepAngle, bool Connect)
{
  if (!FiniteRect(R) || !std::isfinite(StartAngle) || !std::isfinite(SweepAngle))
    return;
  const double Rx = std::abs(R.width()) / 2, Ry = std::abs(R.height()) / 2;
  const double S = ParamAngle(StartAngle, Rx, Ry);
  const double E = ParamAngle(StartAngle + SweepAngle, Rx, Ry);
  const QRectF B = R.normalized();
  if (!Connect || Path.elementCount() == 0)
    Path.arcMoveTo(B, -S);
  Path.arcTo(B, -S, -(E - S));
}

void GPAddPie(QPainterPath& Path, const QRectF& R, double StartAngle, double SweepAngle)
{
  if (!FiniteRect(R))
    return;
  Path.moveTo(R.normalized().center());
  GPAddArc(Path, R, StartAngle, SweepAngle, true);
  Path.closeSubpath();
}

void GPAddCurve(QPainterPath& Path, std::span<const QPointF> Points, float Tension, bool Closed, bool Connect)
{
  const size_t N = Points.size();
  if (N < 2)
    return;
  const double T = Tension / 3.0;
  auto At = [&](long i) -> const QPointF& {
    if (Closed)
      return Points[static_cast<size_t>((i % long(N) + long(N)) % long(N))];
    return Points[static_cast<size_t>(std::clamp<long>(i, 0, long(N) - 1))];
  };
  if (Closed || !Connect || Path.elementCount() == 0)
    Path.moveTo(Points[0]);
  else
    Path.lineTo(Points[0]);
  const long Segments = Closed ? long(N) : long(N) - 1;
  for (long i = 0; i < Segments; ++i) {
    const QPointF C1 = At(i) + T * (At(i + 1) - At(i - 1));
    const QPointF C2 = At(i + 1) - T * (At(i + 2) - At(i));
    Path.cubicTo(C1, C2, At(i + 1));
  }
  if (Closed)
    Path.closeSubpath();
}

// --- brushes ------------------------------------------------------------------------

struct TGPBrush::Impl {
  TGPBrushKind Kind = gbkSolid;
  TGPColor Color = 0xFF000000;
  TGPColor Back = 0;
  int32_t Hatch = 0;
  QImage Image; // hatch pattern or texture, premultiplied
  QPointF LineStart, LineEnd;
  TGPColor Start = 0, End = 0;
  QPainterPath Boundary;
  bool IsEllipse = false;
  QRectF EllipseBox;
  QPointF Center;
  std::vector<std::pair<float, TGPColor>> Interp;

  // Colour at a position of the gradient, interpolating each channel.
  TGPColor ColorAt(float Pos) const
  {
    if (Interp.empty()) {
      if (Kind == gbkLinearGradient)
        return Mix(Start, End, Pos);
      return Color;
    }
    if (Pos <= Interp.front().first)
      return Interp.front().second;
    for (size_t i = 1; i < Interp.size(); ++i)
      if (Pos <= Interp[i].first) {
        const float A = Interp[i - 1].first, B = Interp[i].first;
        return Mix(Interp[i - 1].second, Interp[i].second, B > A ? (Pos - A) / (B - A) : 1.0f);
      }
    return Interp.back().second;
  }

  static TGPColor Mix(TGPColor A, TGPColor B, float F)
  {
    F = std::clamp(F, 0.0f, 1.0f);
    TGPColor R = 0;
    for (int Shift = 0; Shift < 32; Shift += 8) {
      const float CA = float((A >> Shift) & 0xFF), CB = float((B >> Shift) & 0xFF);
      R |= TGPColor(std::lround(CA + (CB - CA) * F)) << Shift;
    }
    return R;
  }

  // Stops along the gradient, 0 at its start (for path gradients: at the
  // boundary); Reverse turns them for the painter's centre-outwards radius.
  QGradientStops Stops(bool Reverse) const
  {
    QGradientStops S;
    if (Interp.empty()) {
      if (Kind == gbkLinearGradient) {
        S.append({0.0, ToQColor(Start)});
        S.append({1.0, ToQColor(End)});
      } else {
        S.append({0.0, ToQColor(Color)});
        S.append({1.0, ToQColor(Color)});
      }
    } else {
      for (const auto& E : Interp)
        S.append({double(E.first), ToQColor(E.second)});
    }
    if (Reverse) {
      std::reverse(S.begin(), S.end());
      for (auto& E : S)
        E.first = 1.0 - E.first;
    }
    // The painter wants distinct positions: a later stop at the same place
    // is nudged just past it, which keeps a hard step a hard step.
    for (qsizetype i = 1; i < S.size(); ++i)
      if (S[i].first <= S[i - 1].first)
        S[i].first = std::min(1.0, S[i - 1].first + 1e-6);
    return S;
  }
};

TGPBrush::TGPBrush() : D(std::make_unique<Impl>()) {}
TGPBrush::~TGPBrush() = default;

std::unique_ptr<TGPBrush> TGPBrush::Solid(TGPColor Color)
{
  std::unique_ptr<TGPBrush> B(new TGPBrush);
  B->D->Kind = gbkSolid;
  B->D->Color = Color;
  return B;
}

std::unique_ptr<TGPBrush> TGPBrush::Hatch(int32_t Style, TGPColor Fore, TGPColor Back)
{
  std::unique_ptr<TGPBrush> B(new TGPBrush);
  B->D->Kind = gbkHatch;
  B->D->Hatch = std::clamp<int32_t>(Style, 0, GPHatchStyleCount - 1);
  B->D->Color = Fore;
  B->D->Back = Back;
  const uint8_t* Rows = GPHatchPattern(B->D->Hatch);
  QImage& I = B->D->Image;
  I = QImage(8, 8, QImage::Format_ARGB32_Premultiplied);
  const QRgb F = qPremultiply(Fore), K = qPremultiply(Back);
  for (int y = 0; y < 8; ++y) {
    auto* Line = reinterpret_cast<QRgb*>(I.scanLine(y));
    for (int x = 0; x < 8; ++x)
      Line[x] = (Rows[y] & (0x80 >> x)) ? F : K;
  }
  return B;
}

std::unique_ptr<TGPBrush> TGPBrush::Texture(const QImage& Image, uint8_t Alpha)
{
  std::unique_ptr<TGPBrush> B(new TGPBrush);
  B->D->Kind = gbkTexture;
  QImage I = Image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (Alpha < 255 && !I.isNull()) {
    QImage Faded(I.size(), QImage::Format_ARGB32_Premultiplied);
    Faded.fill(Qt::transparent);
    QPainter P(&Faded);
    P.setOpacity(Alpha / 255.0);
    P.drawImage(0, 0, I);
    P.end();
    I = Faded;
  }
  B->D->Image = I;
  return B;
}

namespace {
// The gradient line across R along Direction: the start and end lines,
// perpendicular to it, touch the two corners farthest apart along it.
void LineAcross(const QRectF& R, double DX, double DY, QPointF& S, QPointF& E)
{
  const double L = std::hypot(DX, DY);
  if (L <= 0) {
    DX = 1;
    DY = 0;
  } else {
    DX /= L;
    DY /= L;
  }
  const QPointF C = R.center();
  const double Half = (std::abs(R.width() * DX) + std::abs(R.height() * DY)) / 2;
  S = C - QPointF(DX, DY) * Half;
  E = C + QPointF(DX, DY) * Half;
}
} // namespace

std::unique_ptr<TGPBrush> TGPBrush::Linear(const QRectF& Rect, TGPColor Start, TGPColor End, TGPLinearGradientMode Mode)
{
  std::unique_ptr<TGPBrush> B(new TGPBrush);
  B->D->Kind = gbkLinearGradient;
  B->D->Start = Start;
  B->D->End = End;
  const double W = Rect.width(), H = Rect.height();
  // The diagonal modes scale with the rectangle: the lines of one colour run
  // along the other diagonal.
  switch (Mode) {
  case LinearGradientModeHorizontal:
    LineAcross(Rect, 1, 0, B->D->LineStart, B->D->LineEnd);
    break;
  case LinearGradientModeVertical:
    LineAcross(Rect, 0, 1, B->D->LineStart, B->D->LineEnd);
    break;
  case LinearGradientModeForwardDiagonal:
    LineAcross(Rect, H, W, B->D->LineStart, B->D->LineEnd);
    break;
  case LinearGradientModeBackwardDiagonal:
    LineAcross(Rect, -H, W, B->D->LineStart, B->D->LineEnd);
    break;
  }
  return B;
}

std::unique_ptr<TGPBrush> TGPBrush::Linear(const QRectF& Rect, TGPColor Start, TGPColor End, float Angle)
{
  std::unique_ptr<TGPBrush> B(new TGPBrush);
  B->D->Kind = gbkLinearGradient;
  B->D->Start = Start;
  B->D->End = End;
  const double A = double(Angle) * std::numbers::pi / 180.0;
  LineAcross(Rect, std::cos(A), std::sin(A), B->D->LineStart, B->D->LineEnd);
  return B;
}

namespace {
QPointF CentroidOf(const QPainterPath& Path)
{
  double A = 0, CX = 0, CY = 0;
  for (const QPolygonF& P : Path.toSubpathPolygons()) {
    for (qsizetype i = 0; i < P.size(); ++i) {
      const QPointF& U = P[i];
      const QPointF& V = P[(i + 1) % P.size()];
      const double Cross = U.x() * V.y() - V.x() * U.y();
      A += Cross;
      CX += (U.x() + V.x()) * Cross;
      CY += (U.y() + V.y()) * Cross;
    }
  }
  if (std::abs(A) < 1e-9)
    return Path.boundingRect().center();
  return QPointF(CX / (3 * A), CY / (3 * A));
}
} // namespace

std::unique_ptr<TGPBrush> TGPBrush::PathGradient(const QPainterPath& Boundary)
{
  std::unique_ptr<TGPBrush> B(new TGPBrush);
  B->D->Kind = gbkPathGradient;
  B->D->Color = 0xFFFFFFFF;
  B->D->Boundary = Boundary;
  B->D->Center = CentroidOf(Boundary);
  return B;
}

std::unique_ptr<TGPBrush> TGPBrush::EllipseGradient(const QRectF& Box)
{
  std::unique_ptr<TGPBrush> B(new TGPBrush);
  B->D->Kind = gbkPathGradient;
  B->D->Color = 0xFFFFFFFF;
  B->D->IsEllipse = true;
  B->D->EllipseBox = Box.normalized();
  B->D->Boundary.addEllipse(B->D->EllipseBox);
  B->D->Center = B->D->EllipseBox.center();
  return B;
}

TGPBrushKind TGPBrush::Kind() const { return D->Kind; }
TGPColor TGPBrush::Color() const { return D->Color; }
TGPColor TGPBrush::BackColor() const { return D->Back; }
int32_t TGPBrush::HatchStyle() const { return D->Hatch; }
TGPColor TGPBrush::StartColor() const { return D->Start; }
TGPColor TGPBrush::EndColor() const { return D->End; }

void TGPBrush::GradientLine(QPointF& Start, QPointF& End) const
{
  Start = D->LineStart;
  End = D->LineEnd;
}

QPointF TGPBrush::CenterPoint() const { return D->Center; }
void TGPBrush::SetCenterPoint(const QPointF& P) { D->Center = P; }
const QPainterPath& TGPBrush::Boundary() const { return D->Boundary; }

void TGPBrush::SetInterpolationColors(std::span<const TGPColor> Colors, std::span<const float> Positions)
{
  const size_t N = std::min(Colors.size(), Positions.size());
  if (N == 0)
    return;
  D->Interp.clear();
  for (size_t i = 0; i < N; ++i) {
    float P = Positions[i];
    if (!std::isfinite(P))
      P = 0;
    D->Interp.emplace_back(std::clamp(P, 0.0f, 1.0f), Colors[i]);
  }
  std::stable_sort(D->Interp.begin(), D->Interp.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
}

int32_t TGPBrush::InterpolationCount() const { return static_cast<int32_t>(D->Interp.size()); }

void TGPBrush::InterpolationEntry(int32_t Index, TGPColor& Color, float& Position) const
{
  if (Index < 0 || Index >= InterpolationCount())
    return;
  Color = D->Interp[static_cast<size_t>(Index)].second;
  Position = D->Interp[static_cast<size_t>(Index)].first;
}

TGPColor TGPBrush::ColorAt(float Position) const { return D->ColorAt(Position); }

const QImage* TGPBrush::TextureImage() const { return D->Kind == gbkTexture ? &D->Image : nullptr; }

// --- pens -----------------------------------------------------------------------------

TGPPen::TGPPen(TGPColor Color, float Width) : FColor(Color), FWidth(Width) {}
TGPPen::~TGPPen() = default;

void TGPPen::SetColor(TGPColor Value)
{
  if (FColor != Value) {
    FColor = Value;
    FQPen.reset();
  }
}

void TGPPen::SetWidth(float Value)
{
  if (!std::isfinite(Value) || Value < 0)
    Value = 0;
  if (FWidth != Value) {
    FWidth = Value;
    FQPen.reset();
  }
}

void TGPPen::SetDashStyle(TGPDashStyle Value)
{
  FDash = Value;
  FQPen.reset();
}

void TGPPen::SetLineCap(TGPLineCap Start, TGPLineCap End, TGPDashCap Dash)
{
  FStartCap = Start;
  FEndCap = End;
  FDashCap = Dash;
  FQPen.reset();
}

void TGPPen::SetLineJoin(TGPLineJoin Value)
{
  FJoin = Value;
  FQPen.reset();
}

void TGPPen::SetBrush(const TGPBrush* Value)
{
  FBrush = Value;
  FQPen.reset();
}

// --- the graphics object -------------------------------------------------------------------

struct TGPGraphics::Impl {
  QTransform World;
  // The clip in device coordinates: a rectangle while it is one.
  bool ClipIsRect = true;
  QRectF ClipRect;
  QPainterPath ClipPath;
  // What the painter holds.
  bool HintsValid = false;
  bool TransformValid = false;
  bool ClipValid = false;
  // Metrics of the fonts measured lately, the last one first, each with
  // the widths of the lines it measured: a chart measures the same labels
  // in the same few fonts on every paint, and shaping a text costs far more
  // than looking its width up. Shared by the graphics of a thread, as a
  // chart makes new graphics for every paint.
  struct TFontWidths {
    QFont Font;
    int DpiX = 0, DpiY = 0; // of the device measured on; 0 without one
    std::unique_ptr<QFontMetricsF> Metrics;
    QHash<QString, double> Advances;
    std::unique_ptr<TDigitText> Digits; // made when first needed

    TDigitText& DigitsOn(const QImage* Dev)
    {
      if (!Digits)
        Digits = std::make_unique<TDigitText>(Font, Dev && !Dev->isNull() ? Dev : nullptr);
      return *Digits;
    }

    double Advance(QStringView Line, const QImage* Dev)
    {
      TDigitText& D = DigitsOn(Dev);
      if (D.Takes(Line))
        return D.Width(Line);
      const QString L = Line.toString();
      auto It = Advances.constFind(L);
      if (It == Advances.constEnd()) {
        if (Advances.size() >= MaxAdvances)
          Advances.clear();
        It = Advances.insert(L, Metrics->horizontalAdvance(L));
      }
      return *It;
    }
  };
  using TFontWidthsList = std::vector<std::shared_ptr<TFontWidths>>;
  static TFontWidthsList& SharedFonts()
  {
    thread_local TFontWidthsList Fonts;
    return Fonts;
  }
  static constexpr size_t MaxFonts = 16;
  static constexpr qsizetype MaxAdvances = 4096;
  std::shared_ptr<TFontWidths> Current; // kept while this graphics uses it
  const QFontMetricsF* Metrics = nullptr;

  TFontWidths& FontWidths(const QFont& Font, const QImage* Dev)
  {
    const bool OnDevice = Dev && !Dev->isNull();
    const int DpiX = OnDevice ? Dev->logicalDpiX() : 0, DpiY = OnDevice ? Dev->logicalDpiY() : 0;
    TFontWidthsList& Fonts = SharedFonts();
    const auto Found = std::find_if(Fonts.begin(), Fonts.end(), [&](const std::shared_ptr<TFontWidths>& W) {
      return W->DpiX == DpiX && W->DpiY == DpiY && W->Font == Font;
    });
    if (Found != Fonts.end()) {
      std::rotate(Fonts.begin(), Found, Found + 1);
    } else {
      if (Fonts.size() >= MaxFonts)
        Fonts.pop_back();
      auto W = std::make_shared<TFontWidths>();
      W->Font = Font;
      W->DpiX = DpiX;
      W->DpiY = DpiY;
      W->Metrics = OnDevice ? std::make_unique<QFontMetricsF>(Font, Dev) : std::make_unique<QFontMetricsF>(Font);
      Fonts.insert(Fonts.begin(), std::move(W));
    }
    Current = Fonts.front();
    Metrics = Current->Metrics.get();
    return *Current;
  }

  // The painter's aliased drawing already puts whole coordinates on pixel
  // centres, as the library does without the half-pixel offset, and its
  // anti-aliased drawing puts them on pixel corners, as the library does
  // with it: the offset mode needs no transform of its own.
  QTransform Effective(bool) const { return World; }

  QPainterPath ClipAsPath() const
  {
    if (!ClipIsRect)
      return ClipPath;
    QPainterPath P;
    P.addRect(ClipRect);
    return P;
  }
};

TGPGraphics::TGPGraphics(TCanvas* DC) : D(std::make_unique<Impl>()), FDC(DC) {}
TGPGraphics::~TGPGraphics() = default;

int32_t TGPGraphics::DeviceWidth() const { return FDC ? FDC->DeviceWidth() : 0; }
int32_t TGPGraphics::DeviceHeight() const { return FDC ? FDC->DeviceHeight() : 0; }

double TGPGraphics::DpiY() const
{
  if (FDC && FDC->Image() && !FDC->Image()->isNull())
    return FDC->Image()->logicalDpiY();
  return 96.0;
}

void TGPGraphics::SetSmoothingHighQuality(bool Value)
{
  if (FSmooth != Value) {
    FSmooth = Value;
    D->HintsValid = false;
  }
}

void TGPGraphics::SetPixelOffsetHighQuality(bool Value)
{
  if (FOffsetHalf != Value) {
    FOffsetHalf = Value;
    D->TransformValid = false;
  }
}

void TGPGraphics::SetTextRenderingHint(TGPTextRenderingHint Value)
{
  if (FTextHint != Value) {
    FTextHint = Value;
    D->HintsValid = false;
  }
}

void TGPGraphics::SetInterpolationHighQuality(bool Value)
{
  if (FInterpolationHigh != Value) {
    FInterpolationHigh = Value;
    D->HintsValid = false;
  }
}

const QTransform& TGPGraphics::Transform() const { return D->World; }

void TGPGraphics::SetTransform(const QTransform& Value)
{
  D->World = Value;
  D->TransformValid = false;
}

void TGPGraphics::ResetTransform() { SetTransform(QTransform()); }
void TGPGraphics::MultiplyTransform(const QTransform& Value) { SetTransform(Value * D->World); }
void TGPGraphics::TranslateTransform(double DX, double DY)
{
  SetTransform(QTransform::fromTranslate(DX, DY) * D->World);
}

void TGPGraphics::RotateTransform(double Degrees)
{
  QTransform R;
  R.rotate(Degrees);
  SetTransform(R * D->World);
}

void TGPGraphics::ScaleTransform(double SX, double SY) { SetTransform(QTransform::fromScale(SX, SY) * D->World); }

// --- clip ---------------------------------------------------------------------------------

void TGPGraphics::SetClip(const QRectF& Rect)
{
  FHasClip = false;
  IntersectClip(Rect);
}

void TGPGraphics::IntersectClip(const QRectF& Rect)
{
  if (D->World.type() <= QTransform::TxScale) {
    const QRectF R = D->World.mapRect(Rect.normalized());
    if (!FHasClip) {
      D->ClipIsRect = true;
      D->ClipRect = R;
    } else if (D->ClipIsRect) {
      D->ClipRect = D->ClipRect.intersected(R);
    } else {
      QPainterPath P;
      P.addRect(R);
      D->ClipPath = D->ClipPath.intersected(P);
    }
    FHasClip = true;
    D->ClipValid = false;
    return;
  }
  QPainterPath P;
  P.addRect(Rect.normalized());
  IntersectClip(P);
}

void TGPGraphics::IntersectClip(const QPainterPath& Path)
{
  const QPainterPath P = D->World.map(Path);
  D->ClipPath = FHasClip ? D->ClipAsPath().intersected(P) : P;
  D->ClipIsRect = false;
  FHasClip = true;
  D->ClipValid = false;
}

void TGPGraphics::ExcludeClip(const QPainterPath& Path)
{
  QPainterPath Base;
  if (FHasClip)
    Base = D->ClipAsPath();
  else
    Base.addRect(QRectF(-InfiniteExtent, -InfiniteExtent, 2 * InfiniteExtent, 2 * InfiniteExtent));
  D->ClipPath = Base.subtracted(D->World.map(Path));
  D->ClipIsRect = false;
  FHasClip = true;
  D->ClipValid = false;
}

void TGPGraphics::ResetClip()
{
  FHasClip = false;
  D->ClipValid = false;
}

QRectF TGPGraphics::VisibleClipBounds() const
{
  QRectF R(0, 0, DeviceWidth(), DeviceHeight());
  if (FHasClip)
    R = R.intersected(D->ClipIsRect ? D->ClipRect : D->ClipPath.boundingRect());
  bool Invertible = false;
  const QTransform Back = D->World.inverted(&Invertible);
  return Invertible ? Back.mapRect(R) : R;
}

// --- painter state ------------------------------------------------------------------------

QPainter* TGPGraphics::Begin()
{
  if (!FDC)
    return nullptr;
  bool Fresh = false;
  QPainter* Q = FDC->SharedPainter(this, Fresh);
  if (!Q)
    return nullptr;
  if (Fresh) {
    D->HintsValid = D->TransformValid = D->ClipValid = false;
    Q->setCompositionMode(QPainter::CompositionMode_SourceOver);
    Q->setOpacity(1.0);
    Q->setBrushOrigin(0, 0);
  }
  ApplyState(Q);
  return Q;
}

void TGPGraphics::ApplyState(QPainter* Q)
{
  if (!D->HintsValid) {
    D->HintsValid = true;
    Q->setRenderHint(QPainter::Antialiasing, FSmooth);
    Q->setRenderHint(QPainter::TextAntialiasing, FTextHint != TextRenderingHintSingleBitPerPixelGridFit &&
                                                     FTextHint != TextRenderingHintSingleBitPerPixel);
    Q->setRenderHint(QPainter::SmoothPixmapTransform, FInterpolationHigh);
  }
  if (!D->ClipValid) {
    D->ClipValid = true;
    Q->resetTransform();
    D->TransformValid = false;
    if (FHasClip) {
      if (D->ClipIsRect)
        Q->setClipRect(D->ClipRect);
      else
        Q->setClipPath(D->ClipPath);
    } else if (Q->hasClipping()) {
      Q->setClipRect(QRectF(0, 0, DeviceWidth(), DeviceHeight()));
    }
  }
  if (!D->TransformValid) {
    D->TransformValid = true;
    Q->setTransform(D->Effective(FOffsetHalf));
  }
}

bool TGPGraphics::RealizeBrush(const TGPBrush& Brush, const QRectF& DeviceBounds, QBrush& Out)
{
  const TGPBrush::Impl& B = *Brush.D;
  switch (B.Kind) {
  case gbkSolid:
    if (AlphaOf(B.Color) == 0)
      return false;
    Out = QBrush(ToQColor(B.Color));
    return true;
  case gbkHatch: {
    if (AlphaOf(B.Color) == 0 && AlphaOf(B.Back) == 0)
      return false;
    Out = QBrush(B.Image);
    // Hatches stay on the device's pixel grid whatever the world transform.
    const QTransform E = D->Effective(FOffsetHalf);
    if (!E.isIdentity())
      Out.setTransform(E.inverted());
    return true;
  }
  case gbkTexture:
    if (B.Image.isNull())
      return false;
    Out = QBrush(B.Image);
    return true;
  case gbkLinearGradient: {
    QLinearGradient G(B.LineStart, B.LineEnd);
    G.setStops(B.Stops(false));
    G.setSpread(QGradient::RepeatSpread);
    Out = QBrush(G);
    return true;
  }
  case gbkPathGradient:
    break;
  }

  // A path gradient is shaded into an image over the part of the device it
  // can reach, which is then laid under the shape.
  const QTransform E = D->Effective(FOffsetHalf);
  QRectF Reach = E.mapRect(B.Boundary.boundingRect()).intersected(DeviceBounds);
  Reach = Reach.intersected(QRectF(0, 0, DeviceWidth(), DeviceHeight()));
  if (FHasClip)
    Reach = Reach.intersected(D->ClipIsRect ? D->ClipRect : D->ClipPath.boundingRect());
  const QRect Area = Reach.toAlignedRect();
  if (Area.isEmpty())
    return false;
  QImage Img(Area.size(), QImage::Format_ARGB32_Premultiplied);
  Img.fill(Qt::transparent);
  QPainter P(&Img);
  P.setRenderHint(QPainter::Antialiasing, false);
  P.setCompositionMode(QPainter::CompositionMode_Source);
  P.setPen(Qt::NoPen);
  P.translate(-Area.topLeft());
  if (B.IsEllipse && B.EllipseBox.width() > 0 && B.EllipseBox.height() > 0) {
    // In the unit circle of the ellipse the shading is a radial gradient
    // from the centre point out to the rim.
    const QRectF& Box = B.EllipseBox;
    const double Rx = Box.width() / 2, Ry = Box.height() / 2;
    const QPointF Focal((B.Center.x() - Box.center().x()) / Rx, (B.Center.y() - Box.center().y()) / Ry);
    QRadialGradient G(QPointF(0, 0), 1.0, Focal);
    G.setStops(B.Stops(true));
    QBrush Shade(G);
    Shade.setTransform(QTransform::fromScale(Rx, Ry) * QTransform::fromTranslate(Box.center().x(), Box.center().y()) *
                       E);
    P.setBrush(Shade);
    P.drawPath(E.map(B.Boundary));
  } else {
    // Each edge of the boundary with the centre point makes a triangle in
    // which the position runs linearly from the edge to the centre.
    const QPointF C = E.map(B.Center);
    const QGradientStops Stops = B.Stops(true);
    for (const QPolygonF& Poly : E.map(B.Boundary).toSubpathPolygons()) {
      for (qsizetype i = 0; i < Poly.size(); ++i) {
        const QPointF& A = Poly[i];
        const QPointF& Z = Poly[(i + 1) % Poly.size()];
        const QPointF AB = Z - A;
        const double L2 = AB.x() * AB.x() + AB.y() * AB.y();
        if (L2 <= 0)
          continue;
        const double S = ((C.x() - A.x()) * AB.x() + (C.y() - A.y()) * AB.y()) / L2;
        const QPointF F = A + S * AB;
        if (std::hypot(F.x() - C.x(), F.y() - C.y()) < 1e-9)
          continue;
        QLinearGradient G(C, F);
        G.setStops(Stops);
        P.setBrush(G);
        const QPointF Tri[3] = {C, A, Z};
        P.drawPolygon(Tri, 3);
      }
    }
  }
  P.end();
  Out = QBrush(Img);
  Out.setTransform(QTransform::fromTranslate(Area.x(), Area.y()) * E.inverted());
  return true;
}

void TGPGraphics::SetPainterPen(QPainter* Q, const TGPPen& Pen)
{
  if (!Pen.FQPen) {
    QPen P;
    QBrush Fill;
    if (Pen.FBrush && Pen.FBrush->Kind() != gbkPathGradient &&
        RealizeBrush(*Pen.FBrush, QRectF(0, 0, DeviceWidth(), DeviceHeight()), Fill))
      P.setBrush(Fill);
    else
      P.setColor(ToQColor(Pen.FColor));
    P.setWidthF(Pen.FWidth);
    P.setMiterLimit(10);
    const bool Dashed = Pen.FDash != DashStyleSolid;
    if (Dashed)
      P.setDashPattern(DashPattern(Pen.FDash));
    auto Cap = [](TGPLineCap C) {
      return C == LineCapRound ? Qt::RoundCap : C == LineCapSquare ? Qt::SquareCap : Qt::FlatCap;
    };
    // Caps that lengthen every dash would close the gaps of dashed pens.
    P.setCapStyle(Dashed ? (Pen.FDashCap == DashCapRound && Pen.FWidth > 1 ? Qt::RoundCap : Qt::FlatCap)
                         : Cap(Pen.FEndCap));
    P.setJoinStyle(Pen.FJoin == LineJoinRound   ? Qt::RoundJoin
                   : Pen.FJoin == LineJoinBevel ? Qt::BevelJoin
                                                : Qt::SvgMiterJoin);
    Pen.FQPen = std::make_unique<QPen>(P);
  }
  Q->setPen(*Pen.FQPen);
}

namespace {
bool PenShows(const TGPPen& Pen)
{
  return Pen.Brush() ? Pen.Brush()->Kind() != gbkSolid || AlphaOf(Pen.Brush()->Color()) != 0
                     : AlphaOf(Pen.Color()) != 0;
}
bool PathGradientPen(const TGPPen& Pen) { return Pen.Brush() && Pen.Brush()->Kind() == gbkPathGradient; }
} // namespace

void TGPGraphics::StrokeShape(const TGPPen& Pen, const QPainterPath& Path)
{
  if (!PenShows(Pen))
    return;
  if (PathGradientPen(Pen)) {
    // The stroke's own area filled with the brush.
    QPainterPathStroker S;
    S.setWidth(std::max(1.0f, Pen.Width()));
    S.setCapStyle(Pen.EndCap() == LineCapRound    ? Qt::RoundCap
                  : Pen.EndCap() == LineCapSquare ? Qt::SquareCap
                                                  : Qt::FlatCap);
    S.setJoinStyle(Pen.LineJoin() == LineJoinRound   ? Qt::RoundJoin
                   : Pen.LineJoin() == LineJoinBevel ? Qt::BevelJoin
                                                     : Qt::SvgMiterJoin);
    if (Pen.DashStyle() != DashStyleSolid)
      S.setDashPattern(DashPattern(Pen.DashStyle()));
    FillShape(*Pen.Brush(), S.createStroke(Path));
    return;
  }
  if (QPainter* Q = BeginStroke(Pen))
    Q->drawPath(Path);
}

QPainter* TGPGraphics::BeginStroke(const TGPPen& Pen)
{
  if (!PenShows(Pen))
    return nullptr;
  QPainter* Q = Begin();
  if (!Q)
    return nullptr;
  SetPainterPen(Q, Pen);
  Q->setBrush(Qt::NoBrush);
  return Q;
}

void TGPGraphics::FillShape(const TGPBrush& Brush, const QPainterPath& Path)
{
  QPainter* Q = Begin();
  if (!Q)
    return;
  QBrush B;
  if (!RealizeBrush(Brush, D->Effective(FOffsetHalf).mapRect(Path.boundingRect()), B))
    return;
  Q->setPen(Qt::NoPen);
  Q->setBrush(B);
  Q->drawPath(Path);
}

// --- drawing ----------------------------------------------------------------------------------

void TGPGraphics::Clear(TGPColor Color)
{
  QPainter* Q = Begin();
  if (!Q)
    return;
  Q->save();
  Q->resetTransform();
  Q->setCompositionMode(QPainter::CompositionMode_Source);
  Q->fillRect(QRect(0, 0, DeviceWidth(), DeviceHeight()), ToQColor(Color));
  Q->restore();
}

void TGPGraphics::DrawLine(const TGPPen& Pen, const QPointF& A, const QPointF& B)
{
  if (PathGradientPen(Pen)) {
    QPainterPath P(A);
    P.lineTo(B);
    StrokeShape(Pen, P);
    return;
  }
  if (QPainter* Q = BeginStroke(Pen))
    Q->drawLine(QLineF(A, B));
}

void TGPGraphics::DrawLines(const TGPPen& Pen, std::span<const QPointF> Points)
{
  if (Points.size() < 2)
    return;
  if (PathGradientPen(Pen)) {
    QPainterPath P(Points[0]);
    for (size_t i = 1; i < Points.size(); ++i)
      P.lineTo(Points[i]);
    StrokeShape(Pen, P);
    return;
  }
  if (QPainter* Q = BeginStroke(Pen))
    Q->drawPolyline(Points.data(), static_cast<int>(Points.size()));
}

void TGPGraphics::DrawSegments(const TGPPen& Pen, std::span<const QPointF> Points)
{
  if (Points.size() < 2)
    return;
  if (PathGradientPen(Pen)) {
    QPainterPath P;
    for (size_t i = 1; i < Points.size(); ++i) {
      P.moveTo(Points[i - 1]);
      P.lineTo(Points[i]);
    }
    StrokeShape(Pen, P);
    return;
  }
  QPainter* Q = BeginStroke(Pen);
  if (!Q || RasterSegments(Q, Points))
    return;
  std::vector<QLineF> Lines;
  Lines.reserve(Points.size() - 1);
  for (size_t i = 1; i < Points.size(); ++i)
    Lines.emplace_back(Points[i - 1], Points[i]);
  Q->drawLines(Lines.data(), static_cast<int>(Lines.size()));
}

bool TGPGraphics::RasterSegments(QPainter* Q, std::span<const QPointF> Points)
{
  // Only what the painter would draw the same way: a plain solid pen with
  // flat ends, smoothing on, plain source-over painting on an image that
  // no one else shares, a transform that only moves and scales evenly, and
  // a clip that is one rectangle.
  const QPen& P = Q->pen();
  if (P.style() != Qt::SolidLine || P.brush().style() != Qt::SolidPattern || P.capStyle() != Qt::FlatCap ||
      P.isCosmetic() || P.widthF() <= 0 || !(Q->renderHints() & QPainter::Antialiasing) ||
      Q->compositionMode() != QPainter::CompositionMode_SourceOver || Q->opacity() != 1.0)
    return false;
  QPaintDevice* Dev = Q->device();
  if (!Dev || Dev->devType() != QInternal::Image)
    return false;
  auto* Img = static_cast<QImage*>(Dev);
  if (!Img->isDetached())
    return false;
  const QTransform T = Q->combinedTransform();
  if (T.type() > QTransform::TxScale || T.m11() <= 0 || T.m11() != T.m22())
    return false;
  QRect Clip = Img->rect();
  if (Q->hasClipping()) {
    const QRegion R = Q->clipRegion();
    if (R.rectCount() != 1)
      return false;
    Clip = T.mapRect(QRectF(R.boundingRect())).toAlignedRect().intersected(Clip);
  }
  if (P.widthF() * T.m11() <= 1)
    return false;
  std::vector<QPointF> Device(Points.size());
  for (size_t i = 0; i < Points.size(); ++i)
    Device[i] = T.map(Points[i]);
  // Lines up to a pixel wide the painter draws fast and in its own way.
  const double Width = P.widthF() * T.m11();
  if (Width <= 1)
    return false;
  return RasterWideSegments(*Img, Device, Width, P.color().rgba(), Clip);
}

void TGPGraphics::DrawRectangle(const TGPPen& Pen, const QRectF& R)
{
  if (PathGradientPen(Pen)) {
    QPainterPath P;
    P.addRect(R);
    StrokeShape(Pen, P);
    return;
  }
  if (QPainter* Q = BeginStroke(Pen))
    Q->drawRect(R);
}

void TGPGraphics::FillRectangle(const TGPBrush& Brush, const QRectF& R)
{
  if (Brush.Kind() == gbkPathGradient) {
    QPainterPath P;
    P.addRect(R);
    FillShape(Brush, P);
    return;
  }
  QPainter* Q = Begin();
  if (!Q)
    return;
  QBrush B;
  if (RealizeBrush(Brush, QRectF(), B))
    Q->fillRect(R, B);
}

void TGPGraphics::DrawEllipse(const TGPPen& Pen, const QRectF& R)
{
  QPainterPath P;
  P.addEllipse(R);
  if (PathGradientPen(Pen)) {
    StrokeShape(Pen, P);
    return;
  }
  if (QPainter* Q = BeginStroke(Pen))
    Q->drawEllipse(R);
}

void TGPGraphics::FillEllipse(const TGPBrush& Brush, const QRectF& R)
{
  QPainterPath P;
  P.addEllipse(R);
  FillShape(Brush, P);
}

void TGPGraphics::DrawPolygon(const TGPPen& Pen, std::span<const QPointF> Points)
{
  if (Points.size() < 2)
    return;
  QPainterPath P(Points[0]);
  for (size_t i = 1; i < Points.size(); ++i)
    P.lineTo(Points[i]);
  P.closeSubpath();
  StrokeShape(Pen, P);
}

void TGPGraphics::FillPolygon(const TGPBrush& Brush, std::span<const QPointF> Points)
{
  if (Points.size() < 3)
    return;
  QPainterPath P(Points[0]);
  P.setFillRule(Qt::OddEvenFill);
  for (size_t i = 1; i < Points.size(); ++i)
    P.lineTo(Points[i]);
  P.closeSubpath();
  FillShape(Brush, P);
}

void TGPGraphics::DrawPath(const TGPPen& Pen, const QPainterPath& Path) { StrokeShape(Pen, Path); }
void TGPGraphics::FillPath(const TGPBrush& Brush, const QPainterPath& Path) { FillShape(Brush, Path); }

void TGPGraphics::DrawArc(const TGPPen& Pen, const QRectF& R, double StartAngle, double SweepAngle)
{
  QPainterPath P;
  GPAddArc(P, R, StartAngle, SweepAngle, false);
  StrokeShape(Pen, P);
}

void TGPGraphics::DrawPie(const TGPPen& Pen, const QRectF& R, double StartAngle, double SweepAngle)
{
  QPainterPath P;
  GPAddPie(P, R, StartAngle, SweepAngle);
  StrokeShape(Pen, P);
}

void TGPGraphics::FillPie(const TGPBrush& Brush, const QRectF& R, double StartAngle, double SweepAngle)
{
  QPainterPath P;
  GPAddPie(P, R, StartAngle, SweepAngle);
  FillShape(Brush, P);
}

void TGPGraphics::DrawCurve(const TGPPen& Pen, std::span<const QPointF> Points, float Tension)
{
  QPainterPath P;
  GPAddCurve(P, Points, Tension, false, false);
  StrokeShape(Pen, P);
}

void TGPGraphics::DrawClosedCurve(const TGPPen& Pen, std::span<const QPointF> Points, float Tension)
{
  QPainterPath P;
  GPAddCurve(P, Points, Tension, true, false);
  StrokeShape(Pen, P);
}

void TGPGraphics::FillClosedCurve(const TGPBrush& Brush, std::span<const QPointF> Points, float Tension)
{
  QPainterPath P;
  P.setFillRule(Qt::OddEvenFill);
  GPAddCurve(P, Points, Tension, true, false);
  FillShape(Brush, P);
}

void TGPGraphics::DrawImage(const QImage& Image, const QRectF& Dest, uint8_t Alpha)
{
  if (Image.isNull() || Alpha == 0)
    return;
  QPainter* Q = Begin();
  if (!Q)
    return;
  if (Alpha < 255)
    Q->setOpacity(Alpha / 255.0);
  Q->drawImage(Dest, Image);
  if (Alpha < 255)
    Q->setOpacity(1.0);
}

// --- text ---------------------------------------------------------------------------------------

namespace {
// Each line of a text, without the carriage return before its line feed.
template <class F>
void ForEachLine(QStringView Text, F&& Do)
{
  for (qsizetype Start = 0;;) {
    const qsizetype End = Text.indexOf(u'\n', Start);
    QStringView L = Text.mid(Start, End < 0 ? -1 : End - Start);
    if (L.endsWith(u'\r'))
      L.chop(1);
    Do(L);
    if (End < 0)
      return;
    Start = End + 1;
  }
}

double EmPixels(const QFont& Font, double Dpi)
{
  if (Font.pixelSize() > 0)
    return Font.pixelSize();
  return Font.pointSizeF() * Dpi / 72.0;
}
} // namespace

QSizeF TGPGraphics::MeasureString(const QString& Text, const QFont& Font, bool Typographic) const
{
  const QImage* Dev = FDC ? FDC->Image() : nullptr;
  Impl::TFontWidths& F = D->FontWidths(Font, Dev);
  const QFontMetricsF& M = *F.Metrics;
  if (Text.isEmpty())
    return QSizeF(0, M.lineSpacing());
  double W = 0;
  int Lines = 0;
  ForEachLine(Text, [&](QStringView L) {
    ++Lines;
    W = std::max(W, F.Advance(L, Dev));
  });
  if (!Typographic)
    W += EmPixels(Font, DpiY()) / 3.0;
  return QSizeF(W, M.lineSpacing() * Lines);
}

void TGPGraphics::AddString(QPainterPath& Path, const QString& Text, const QFont& Font, const QPointF& Origin)
{
  const QFontMetricsF M(Font);
  const double Margin = EmPixels(Font, 96.0) / 6.0;
  int Line = 0;
  ForEachLine(Text, [&](QStringView L) {
    Path.addText(Origin + QPointF(Margin, M.ascent() + Line++ * M.lineSpacing()), Font, L.toString());
  });
}

void TGPGraphics::DrawString(const QString& Text, const QFont& Font, const QPointF& Origin, const TGPBrush& Brush)
{
  if (Text.isEmpty())
    return;
  if (Brush.Kind() == gbkPathGradient) {
    QPainterPath P;
    AddString(P, Text, Font, Origin);
    FillShape(Brush, P);
    return;
  }
  QPainter* Q = Begin();
  if (!Q)
    return;
  QBrush B;
  if (!RealizeBrush(Brush, QRectF(), B))
    return;
  const QImage* Dev = FDC ? FDC->Image() : nullptr;
  Impl::TFontWidths& F = D->FontWidths(Font, Dev);
  const QFontMetricsF& M = *F.Metrics;
  const double Margin = EmPixels(Font, DpiY()) / 6.0;
  Q->setPen(QPen(B, 0));
  // Labels in a plain colour, not turned: laid out without the engine,
  // which alone needs the font on the painter.
  TDigitText* Digits =
      B.style() == Qt::SolidPattern && Q->transform().type() <= QTransform::TxTranslate ? &F.DigitsOn(Dev) : nullptr;
  bool FontSet = false;
  int Line = 0;
  ForEachLine(Text, [&](QStringView L) {
    const QPointF At = Origin + QPointF(Margin, M.ascent() + Line++ * M.lineSpacing());
    if (Digits && Digits->Takes(L)) {
      Digits->Draw(*Q, At, L);
      return;
    }
    if (!FontSet) {
      Q->setFont(Font);
      FontSet = true;
    }
    Q->drawText(At, L.toString());
  });
}
