#include "chart/canvas/Geometry.h"
#include "platform/Bitmap.h"
#include "platform/CanvasMath.h"

#include "platform/Filer.h"
#include "platform/Published.h"
#include "rtl/Streams.h"

#include <cmath>

TRect ZuzRect(int32_t L, int32_t T, int32_t R, int32_t B) { return TRect{L, T, R, B}; }
TRect ZuzRectI(int32_t W, int32_t H) { return TRect{0, 0, W, H}; }

TRect OrientRectangle(int32_t L, int32_t T, int32_t R, int32_t B)
{
  return TRect{std::min(L, R), std::min(T, B), std::max(L, R), std::max(T, B)};
}

TRect OrientRectangle(const TRect& R) { return OrientRectangle(R.Left, R.Top, R.Right, R.Bottom); }

void InflateRectF(TRectF& R, float DX, float DY)
{
  R.Left -= DX;
  R.Top -= DY;
  R.Right += DX;
  R.Bottom += DY;
}

namespace {
template <class TP, class TR, class GX, class GY>
TR BoundsOf(std::span<const TP> P, GX X, GY Y)
{
  TR R{};
  if (P.empty())
    return R;
  R.Left = R.Right = X(P[0]);
  R.Top = R.Bottom = Y(P[0]);
  for (size_t i = 1; i < P.size(); ++i) {
    const auto PX = X(P[i]), PY = Y(P[i]);
    if (PX < R.Left)
      R.Left = PX;
    else if (PX > R.Right)
      R.Right = PX;
    if (PY < R.Top)
      R.Top = PY;
    else if (PY > R.Bottom)
      R.Bottom = PY;
  }
  return R;
}
} // namespace

TRect PolygonBounds(std::span<const TPoint> P)
{
  if (P.empty())
    return TRect{};
  return RectFromPolygon(P, static_cast<int32_t>(P.size()));
}

TRectF PolygonBounds(std::span<const TPointFloat> P)
{
  return BoundsOf<TPointFloat, TRectF>(
      P, [](const TPointFloat& A) { return A.x; }, [](const TPointFloat& A) { return A.y; });
}

TRect RectFromPolygon(std::span<const TPoint> Points, int32_t NumPoints)
{
  const size_t N = std::min<size_t>(Points.size(), NumPoints < 0 ? 0 : static_cast<size_t>(NumPoints));
  if (N == 0)
    return TRect{};
  TRect R = BoundsOf<TPoint, TRect>(
      Points.first(N), [](const TPoint& A) { return A.X; }, [](const TPoint& A) { return A.Y; });
  R.Right += 1;
  R.Bottom += 1;
  return R;
}

TRect RectFromTriangle(const TTrianglePoints& Points) { return RectFromPolygon(Points, 3); }

float ZuzHypot(int32_t X, int32_t Y) { return static_cast<float>(std::sqrt(double(X) * X + double(Y) * Y)); }
float ZuzHypot(float X, float Y) { return std::sqrt(X * X + Y * Y); }

TRect RectFromCenter(int32_t XCenter, int32_t YCenter, int32_t XRadius, int32_t YRadius)
{
  if (YRadius == 0)
    YRadius = XRadius;
  return TRect{XCenter - XRadius, YCenter - YRadius, XCenter + XRadius, YCenter + YRadius};
}

TPointArray RoundPoints(std::span<const TPointFloat> P)
{
  TPointArray R(P.size());
  for (size_t i = 0; i < P.size(); ++i)
    R[i] = TPoint{PixelRound(P[i].x), PixelRound(P[i].y)};
  return R;
}

bool ZuzCull(const TPoint& P1, const TPoint& P2, const TPoint& P3)
{
  return (int64_t(P1.X) - P2.X) * (int64_t(P3.Y) - P2.Y) - (int64_t(P3.X) - P2.X) * (int64_t(P1.Y) - P2.Y) < 0;
}

bool ZuzCull(const TFourPoints& P) { return ZuzCull(P[0], P[1], P[2]); }

bool ZuzCull(const TPointFloat& P1, const TPointFloat& P2, const TPointFloat& P3)
{
  return (P1.x - P2.x) * (P3.y - P2.y) - (P3.x - P2.x) * (P1.y - P2.y) < 0;
}

bool PointInPolygon(const TPoint& P, std::span<const TPoint> Q)
{
  const size_t N = Q.size();
  if (N == 0)
    return false;
  bool Inside = false;
  size_t j = N - 1;
  for (size_t i = 0; i < N; ++i) {
    if (((Q[i].Y <= P.Y) && (P.Y < Q[j].Y)) || ((Q[j].Y <= P.Y) && (P.Y < Q[i].Y))) {
      // The product in 32 bits, the division in floating point.
      const int32_t Product = static_cast<int32_t>(static_cast<int64_t>(Q[j].X - Q[i].X) * (P.Y - Q[i].Y));
      if (P.X <= double(Product) / double(Q[j].Y - Q[i].Y) + Q[i].X)
        Inside = !Inside;
    }
    j = i;
  }
  return Inside;
}

bool PolygonInPolygon(std::span<const TPoint> P1, std::span<const TPoint> P2)
{
  for (const TPoint& P : P1)
    if (!PointInPolygon(P, P2))
      return false;
  return true;
}

TPointFloat PolygonCentroid(std::span<const TPoint> P)
{
  const size_t N = P.size();
  if (N == 0)
    return TPointFloat{};
  if (N == 1)
    return TPointFloat{float(P[0].X), float(P[0].Y)};
  if (N == 2)
    return TPointFloat{float((P[0].X + P[1].X) * 0.5), float((P[0].Y + P[1].Y) * 0.5)};
  int64_t A = 0;
  double CX = 0, CY = 0;
  for (size_t i = 0; i < N; ++i) {
    const size_t k = (i + 1) % N;
    const int64_t E = int64_t(P[i].X) * P[k].Y - int64_t(P[k].X) * P[i].Y;
    A += E;
    CX += double(E) * (P[i].X + P[k].X);
    CY += double(E) * (P[i].Y + P[k].Y);
  }
  if (A == 0)
    return TPointFloat{};
  const double F = 1.0 / (A * 0.5 * 6);
  return TPointFloat{float(CX * F), float(CY * F)};
}

// --- persistent points -------------------------------------------------------------

namespace {
[[maybe_unused]] const TClassInfo& PointBlockClass = PublishClass<TPointBlock>("TPointBlock", "TPersistent");
[[maybe_unused]] const TClassInfo& PointXYClass = PublishClass<TPointXYFloat>(
    "TPointXYFloat", "TPointBlock",
    {
        PropFloat("X", &TPointXYFloat::X, &TPointXYFloat::SetX).Stored(&TPointXYFloat::IsXStored),
        PropFloat("Y", &TPointXYFloat::Y, &TPointXYFloat::SetY).Stored(&TPointXYFloat::IsYStored),
    });
[[maybe_unused]] const TClassInfo& PointXYZClass = PublishClass<TPointXYZFloat>(
    "TPointXYZFloat", "TPointBlock",
    {
        PropFloat("X", &TPointXYZFloat::X, &TPointXYZFloat::SetX).Stored(&TPointXYZFloat::IsXStored),
        PropFloat("Y", &TPointXYZFloat::Y, &TPointXYZFloat::SetY).Stored(&TPointXYZFloat::IsYStored),
        PropFloat("Z", &TPointXYZFloat::Z, &TPointXYZFloat::SetZ).Stored(&TPointXYZFloat::IsZStored),
        PropFloat("Value", &TPointXYZFloat::Value, &TPointXYZFloat::SetValue).Stored(false),
    });
[[maybe_unused]] const TClassInfo& VisualBlockClass =
    PublishClass<TVisualBlock>("TVisualBlock", "TComponent",
                               {
                                   PropObj("Location", &TVisualBlock::Location, &TVisualBlock::SetLocation),
                                   PropObj("Size", &TVisualBlock::Size, &TVisualBlock::SetSize),
                               });

} // namespace

void DefineZero(TFiler* Filer, const char* Name, bool HasData, const std::function<void(bool)>& Read)
{
  Filer->DefineProperty(
      QString::fromLatin1(Name), [Read](TReader& R) { Read(R.ReadBoolean()); },
      [](TWriter& W) { W.WriteBoolean(true); }, HasData);
}

TPointBlock::TPointBlock(TVisualBlock* AOwner, TNotifyEvent ChangedEvent)
    : FOnChanged(std::move(ChangedEvent)), IOwner(AOwner)
{
}

String TPointBlock::ClassName() const { return QStringLiteral("TPointBlock"); }

void TPointBlock::DoChanged()
{
  if (FOnChanged)
    FOnChanged(this);
  if (IOwner)
    IOwner->Repaint();
}

TPointXYFloat::TPointXYFloat(TVisualBlock* AOwner, float AValue, TNotifyEvent ChangedEvent)
    : TPointBlock(AOwner, std::move(ChangedEvent)), IDefault(AValue), Point{AValue, AValue}
{
}

String TPointXYFloat::ClassName() const { return QStringLiteral("TPointXYFloat"); }

void TPointXYFloat::Assign(TPersistent* Source)
{
  if (auto* P = dynamic_cast<TPointXYFloat*>(Source)) {
    Point = P->Point;
    DoChanged();
    return;
  }
  TPointBlock::Assign(Source);
}

void TPointXYFloat::SetX(float Value)
{
  if (Point.x == Value)
    return;
  Point.x = Value;
  DoChanged();
}

void TPointXYFloat::SetY(float Value)
{
  if (Point.y == Value)
    return;
  Point.y = Value;
  DoChanged();
}

void TPointXYFloat::ReadXZero(bool Value)
{
  if (Value)
    Point.x = 0;
}

void TPointXYFloat::ReadYZero(bool Value)
{
  if (Value)
    Point.y = 0;
}

void TPointXYFloat::DefineProperties(TFiler* Filer)
{
  TPointBlock::DefineProperties(Filer);
  DefineZero(Filer, "XZero", WritesXZero(), [this](bool V) { ReadXZero(V); });
  DefineZero(Filer, "YZero", WritesYZero(), [this](bool V) { ReadYZero(V); });
}

TPointXYZFloat::TPointXYZFloat(TVisualBlock* AOwner, double AValue, TNotifyEvent ChangedEvent)
    : TPointBlock(AOwner, std::move(ChangedEvent)),
      IDefault(static_cast<float>(AValue)), Point{static_cast<float>(AValue), static_cast<float>(AValue),
                                                  static_cast<float>(AValue)}
{
}

String TPointXYZFloat::ClassName() const { return QStringLiteral("TPointXYZFloat"); }

void TPointXYZFloat::Assign(TPersistent* Source)
{
  if (auto* P = dynamic_cast<TPointXYZFloat*>(Source)) {
    Point = P->Point;
    DoChanged();
    return;
  }
  TPointBlock::Assign(Source);
}

void TPointXYZFloat::SetX(float Value)
{
  if (Point.X == Value)
    return;
  Point.X = Value;
  DoChanged();
}

void TPointXYZFloat::SetY(float Value)
{
  if (Point.Y == Value)
    return;
  Point.Y = Value;
  DoChanged();
}

void TPointXYZFloat::SetZ(float Value)
{
  if (Point.Z == Value)
    return;
  Point.Z = Value;
  DoChanged();
}

void TPointXYZFloat::SetValue(float Value)
{
  Point = TPoint3DFloat{Value, Value, Value};
  DoChanged();
}

void TPointXYZFloat::SetPoint(float X, float Y, float Z)
{
  Point = TPoint3DFloat{X, Y, Z};
  DoChanged();
}

void TPointXYZFloat::SetPoint(const TPoint3DFloat& Value)
{
  Point = Value;
  DoChanged();
}

TPoint3D TPointXYZFloat::AsRound() const
{
  return TPoint3D{PixelRound(Point.X), PixelRound(Point.Y), PixelRound(Point.Z)};
}

void TPointXYZFloat::ReadZZero(bool Value)
{
  if (Value)
    Point.Z = 0;
}

void TPointXYZFloat::DefineProperties(TFiler* Filer)
{
  TPointBlock::DefineProperties(Filer);
  DefineZero(Filer, "ZZero", WritesZZero(), [this](bool V) { ReadZZero(V); });
}

// --- visual blocks -----------------------------------------------------------------------

TVisualBlock::TVisualBlock(TComponent* AOwner)
    : TComponent(AOwner), FLocation(std::make_unique<TPointXYZFloat>(this, 0.0)),
      FSize(std::make_unique<TPointXYZFloat>(this, 100.0, [this](TObject* S) { SizeChanged(S); }))
{
}

TVisualBlock::~TVisualBlock() = default;

String TVisualBlock::ClassName() const { return QStringLiteral("TVisualBlock"); }

void TVisualBlock::Assign(TPersistent* Source)
{
  if (auto* B = dynamic_cast<TVisualBlock*>(Source)) {
    FLocation->Assign(B->FLocation.get());
    FSize->Assign(B->FSize.get());
    IsCloneable = B->IsCloneable;
    return;
  }
  TComponent::Assign(Source);
}

void TVisualBlock::AddPathPoint(float, float, TColor) {}
void TVisualBlock::ClearPath() {}
void TVisualBlock::SizeChanged(TObject*) {}

void TVisualBlock::SetLocation(TPointXYZFloat* Value)
{
  FLocation->Assign(Value);
  Repaint();
}

void TVisualBlock::SetSize(TPointXYZFloat* Value)
{
  FSize->Assign(Value);
  Repaint();
}

void TVisualBlock::SetBounds(const TRect& R, float Z0, float Z1, int32_t)
{
  FLocation->Point.X = static_cast<float>((R.Left + R.Right) * 0.5);
  FLocation->Point.Y = static_cast<float>((Z0 + Z1) * 0.5);
  FSize->Point.X = static_cast<float>(std::abs(R.Right - R.Left));
  FSize->Point.Y = std::fabs(Z0 - Z1);
  FSize->Point.Z = static_cast<float>(std::abs(R.Bottom - R.Top));
  FLocation->Point.Z = static_cast<float>((R.Bottom - R.Top) - (R.Top + R.Bottom) * 0.5);
}

// --- bitmaps ------------------------------------------------------------------------------

void ZuzSetBitmapSize(TBitmap* Bitmap, int32_t Width, int32_t Height)
{
  if (Bitmap->Width() != Width || Bitmap->Height() != Height)
    Bitmap->SetSize(Width, Height);
}

bool ZuzSetBitmapDPI(TStream& Stream, int32_t DPI)
{
  const int32_t V = PixelRound(DPI * 39.370079);
  const uint16_t Low = static_cast<uint16_t>(V & 0xFFFF);
  const unsigned char Bytes[2] = {static_cast<unsigned char>(Low & 0xFF), static_cast<unsigned char>(Low >> 8)};
  Stream.SetPosition(38);
  if (Stream.Write(Bytes, 2) != 2)
    return false;
  Stream.SetPosition(42);
  return Stream.Write(Bytes, 2) == 2;
}

void ZuzSetBitmapDPI(TBitmap* Bitmap, int32_t DPI)
{
  TMemoryStream S;
  Bitmap->SaveToStream(S);
  if (ZuzSetBitmapDPI(S, DPI)) {
    S.SetPosition(0);
    Bitmap->LoadFromStream(S);
  }
}
