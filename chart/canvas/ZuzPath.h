#pragma once
// Drawing paths: an outline of lines, arcs and curves built first and then
// filled and stroked in one go, so that a gradient or picture fill and the
// outline follow the same shape. A canvas hands out its own kind of path
// (CreatePath); the caller draws and frees it.
#include "platform/GraphicsTypes.h"
#include "rtl/Object.h"

#include <span>

class TZuzCanvas;

class TZuzBasePath : public TObject {
public:
  ~TZuzBasePath() override;
  String ClassName() const override;

  // Arc of the ellipse in the box (X, Y, Width, Height), angles in degrees
  // clockwise on the screen from the 3 o'clock direction; joined to the
  // current figure by a line.
  virtual void ArcTo(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle) = 0;
  virtual void Close() = 0;
  virtual void Curve(std::span<const TPoint> Points, float Tension, bool Closed) = 0;
  virtual void Draw(TZuzCanvas* ACanvas) = 0;
  virtual void GetPoints(TPathPointTypes& Types, TPointFloatArray& Points, TRectF& Bounds) = 0;
  virtual void LineTo(float X, float Y) = 0;
  virtual void MoveTo(float X, float Y) = 0;
  virtual void TextOut(float X, float Y, const String& Text) = 0;

  void LineTo(const TPoint& P) { LineTo(static_cast<float>(P.X), static_cast<float>(P.Y)); }
  void MoveTo(const TPoint& P) { MoveTo(static_cast<float>(P.X), static_cast<float>(P.Y)); }
};

// The path of the GDI canvas: recorded in its device canvas's path bracket
// and painted with the canvas's brush (its picture or gradient when it has
// one) and pen.
class TZuzPath : public TZuzBasePath {
public:
  // Opens the path bracket; raises Exception "Cannot create GDI path. Error:
  // <code> <text>" when the device has none to give (no device, or a
  // bracket already open).
  explicit TZuzPath(TZuzCanvas* Canvas);
  ~TZuzPath() override;
  String ClassName() const override;

  void ArcTo(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle) override;
  void Close() override;
  void Curve(std::span<const TPoint> Points, float Tension, bool Closed) override;
  void Draw(TZuzCanvas* ACanvas) override;
  // The device does not report a path's points: empty lists, Bounds as it was.
  void GetPoints(TPathPointTypes& Types, TPointFloatArray& Points, TRectF& Bounds) override;
  void LineTo(float X, float Y) override;
  void MoveTo(float X, float Y) override;
  void TextOut(float X, float Y, const String& Text) override;
  using TZuzBasePath::LineTo;
  using TZuzBasePath::MoveTo;

private:
  TZuzCanvas* ICanvas;
  bool FEnded = false;
  bool FHasFigure = false;
};

// --- geometry routines of the canvas unit ------------------------------------

void SwapInteger(int32_t& A, int32_t& B);
// The point at Distance from P1 back towards P0 on the line through them
// (rounded halves to even). With equal X the point moves along Y: down
// from P1 when P1 lies above P0, else up (also for two equal points).
TPoint PointAtDistance(const TPoint& P0, const TPoint& P1, float Distance);
TPointFloat PointAtDistance(const TPointFloat& P0, const TPointFloat& P1, float Distance);
// sqrt(x^2 + y^2).
double ZuzDistance(double X, double Y);
