#pragma once
// The drawing path of the anti-aliased canvas (CreatePath): lines, arcs,
// cardinal curves and glyph outlines collected in one figure list, drawn
// with the canvas's brush and pen or read back as points and point types
// (0 start of a figure, 1 line, 3 Bezier point, 0x80 added to the last
// point of a closed figure).
#include "chart/canvas/ZuzPath.h"

#include <memory>

class QPainterPath;
class TGDIPlusCanvas;
struct TClosures;

class TZuzGDIPlusPath : public TZuzBasePath {
public:
  explicit TZuzGDIPlusPath(TGDIPlusCanvas* ACanvas);
  ~TZuzGDIPlusPath() override;
  String ClassName() const override;

  // Arc angles in degrees clockwise from 3 o'clock; the current point stays.
  void ArcTo(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle) override;
  void Close() override;
  void Curve(std::span<const TPoint> Points, float Tension, bool Closed) override;
  // ACanvas must be an anti-aliased canvas; others draw nothing.
  void Draw(TZuzCanvas* ACanvas) override;
  void GetPoints(TPathPointTypes& Types, TPointFloatArray& Points, TRectF& Bounds) override;
  void LineTo(float X, float Y) override;
  // Sets the current point; no figure is started.
  void MoveTo(float X, float Y) override;
  // Glyph outlines in the family of the canvas font, regular, at its pixel
  // height.
  void TextOut(float X, float Y, const String& Text) override;
  using TZuzBasePath::LineTo;
  using TZuzBasePath::MoveTo;

  // Replaces the path by the figures of Points and their types (as
  // GetPoints gives them). Entries beyond the shorter list are ignored; a
  // Bezier run cut short ends as lines.
  void SetPoints(const TPointFloatArray& Points, const TPathPointTypes& Types);
  const QPainterPath& Path() const;

private:
  TGDIPlusCanvas* ICanvas;
  std::unique_ptr<QPainterPath> IPath;
  std::unique_ptr<TClosures> IClosures;
  float FX = 0, FY = 0;
  bool FFigureOpen = false;
};
