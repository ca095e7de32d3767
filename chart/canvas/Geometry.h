#pragma once
// Geometry shared by the canvases and the chart: rectangle and polygon
// arithmetic, persistent floating points with change notification, the
// abstract visual block chart objects may carry, and two bitmap utilities.
#include "platform/GraphicsTypes.h"
#include "platform/Component.h"
#include "platform/Events.h"

#include <functional>
#include <memory>
#include <span>

class TBitmap;
class TFiler;
class TStream;
class TVisualBlock;

TRect ZuzRect(int32_t L, int32_t T, int32_t R, int32_t B);
TRect ZuzRectI(int32_t W, int32_t H);
// Corners ordered: left <= right, top <= bottom.
TRect OrientRectangle(int32_t L, int32_t T, int32_t R, int32_t B);
TRect OrientRectangle(const TRect& R);
void InflateRectF(TRectF& R, float DX, float DY);
// Bounds with right and bottom one past the largest X and Y; (0,0,0,0) for
// no points.
TRect PolygonBounds(std::span<const TPoint> P);
// Bounds of floating points (no extra pixel).
TRectF PolygonBounds(std::span<const TPointFloat> P);
// The smallest and largest X and Y of the first NumPoints points, right and
// bottom one past the largest.
TRect RectFromPolygon(std::span<const TPoint> Points, int32_t NumPoints);
TRect RectFromTriangle(const TTrianglePoints& Points);
float ZuzHypot(int32_t X, int32_t Y);
float ZuzHypot(float X, float Y);
// (XCenter - XRadius, YCenter - YRadius, XCenter + XRadius, YCenter +
// YRadius); a YRadius of 0 takes XRadius.
TRect RectFromCenter(int32_t XCenter, int32_t YCenter, int32_t XRadius, int32_t YRadius);

TPointArray RoundPoints(std::span<const TPointFloat> P);
// True when the three points turn one way on the screen; the solids use it
// to find hidden faces.
bool ZuzCull(const TPoint& P1, const TPoint& P2, const TPoint& P3);
bool ZuzCull(const TFourPoints& P);
bool ZuzCull(const TPointFloat& P1, const TPointFloat& P2, const TPointFloat& P3);
// Every point of P1 inside P2 (even-odd crossing test).
bool PolygonInPolygon(std::span<const TPoint> P1, std::span<const TPoint> P2);
bool PointInPolygon(const TPoint& P, std::span<const TPoint> Polygon);
TPointFloat PolygonCentroid(std::span<const TPoint> P);

// A zero coordinate is not written as a float value, so against a default
// other than 0 it travels as a Boolean entry of its own: Name is written
// (as True) when HasData, and Read gets the value read.
void DefineZero(TFiler* Filer, const char* Name, bool HasData, const std::function<void(bool)>& Read);

// --- persistent points --------------------------------------------------------

class TPointBlock : public TPersistent {
public:
  TPointBlock(TVisualBlock* AOwner, TNotifyEvent ChangedEvent);
  String ClassName() const override;
  // Calls the handler, then the owner's Repaint.
  void DoChanged();

  TNotifyEvent FOnChanged;
  TVisualBlock* IOwner;
};

// Published X, Y (declared default 0; stored when they differ from IDefault);
// extra Boolean entries "XZero", "YZero" written True when IDefault is not 0
// and the coordinate is 0.
class TPointXYFloat : public TPointBlock {
public:
  TPointXYFloat(TVisualBlock* AOwner, float AValue, TNotifyEvent ChangedEvent = {});
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  float X() const { return Point.x; }
  void SetX(float Value);
  float Y() const { return Point.y; }
  void SetY(float Value);
  bool IsXStored() const { return Point.x != IDefault; }
  bool IsYStored() const { return Point.y != IDefault; }
  bool WritesXZero() const { return IDefault != 0 && Point.x == 0; }
  bool WritesYZero() const { return IDefault != 0 && Point.y == 0; }
  // Reading an entry True sets the coordinate to 0.
  void ReadXZero(bool Value);
  void ReadYZero(bool Value);
  // The "XZero" and "YZero" entries.
  void DefineProperties(TFiler* Filer) override;

  double IDefault;
  TPointFloat Point;
};

// Published X, Y, Z as above and Value (never stored: sets all three, reads
// X); extra Boolean entry "ZZero".
class TPointXYZFloat : public TPointBlock {
public:
  TPointXYZFloat(TVisualBlock* AOwner, double AValue, TNotifyEvent ChangedEvent = {});
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  float X() const { return Point.X; }
  void SetX(float Value);
  float Y() const { return Point.Y; }
  void SetY(float Value);
  float Z() const { return Point.Z; }
  void SetZ(float Value);
  float Value() const { return Point.X; }
  void SetValue(float Value);
  // Sets all three and notifies, also when nothing changed.
  void SetPoint(float X, float Y, float Z);
  void SetPoint(const TPoint3DFloat& Value);
  TPoint3D AsRound() const;
  bool IsXStored() const { return Point.X != IDefault; }
  bool IsYStored() const { return Point.Y != IDefault; }
  bool IsZStored() const { return Point.Z != IDefault; }
  bool WritesZZero() const { return IDefault != 0 && Point.Z == 0; }
  void ReadZZero(bool Value);
  // The "ZZero" entry.
  void DefineProperties(TFiler* Filer) override;

  float IDefault;
  TPoint3DFloat Point;
};

// An object that draws a chart element in place of the element itself.
// The system has no concrete block; chart walls and series hold an optional
// reference and, when it is set, place it with SetBounds and call DrawBlock.
class TPen;
class TBrush;
class QWidget;
class TVisualBlock : public TComponent {
public:
  explicit TVisualBlock(TComponent* AOwner);
  ~TVisualBlock() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  virtual void AddPathPoint(float X, float Y, TColor AColor);
  virtual void ClearPath();
  // Draws the element with its pen and brush (series also pass their
  // transparency and colour).
  virtual void DrawBlock(TPen* APen, TBrush* ABrush, TZuzTransparency ATransparency = 0, TColor AColor = clNone) = 0;
  virtual void SizeChanged(TObject* Sender);
  virtual void Repaint() = 0;
  // The block's editing control (owned by AOwner), embedded in another
  // editor when Embeddable.
  virtual QWidget* Editor(QWidget* AOwner, bool Embeddable) = 0;

  TPointXYZFloat* Location() const { return FLocation.get(); }
  void SetLocation(TPointXYZFloat* Value);
  TPointXYZFloat* Size() const { return FSize.get(); }
  void SetSize(TPointXYZFloat* Value);
  // Location and size from the element's screen rectangle and depth range.
  void SetBounds(const TRect& R, float Z0, float Z1, int32_t ChartHeight);

  bool IsCloneable = true;

private:
  std::unique_ptr<TPointXYZFloat> FLocation;
  std::unique_ptr<TPointXYZFloat> FSize;
};

// --- bitmaps ----------------------------------------------------------------------

// Resizes only when the width or height differs.
void ZuzSetBitmapSize(TBitmap* Bitmap, int32_t Width, int32_t Height);
// Writes round(DPI * 39.370079) pixels per metre into the low halves of the
// two resolution fields of a BMP stream (offsets 38 and 42).
bool ZuzSetBitmapDPI(TStream& Stream, int32_t DPI);
void ZuzSetBitmapDPI(TBitmap* Bitmap, int32_t DPI);
