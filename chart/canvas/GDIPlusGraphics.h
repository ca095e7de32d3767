#pragma once
// The anti-aliased drawing surface of the GDI+ canvas, in the manner of the
// platform 2D library it stands in for: a graphics object bound to a device
// canvas, with its own world transform, clip, smoothing, pixel offset,
// text rendering hint and interpolation, drawing with pens and brushes whose
// colours carry alpha (ARGB). It paints through the device canvas's painter
// and sets its own painter state again whenever the device or another layer
// drew in between.
//
// Geometry follows the 2D library: angles are degrees clockwise on the
// screen from the 3 o'clock direction and measured to the point on the
// ellipse (not parametric); a linear gradient tiles beyond its rectangle; a
// path gradient runs from its boundary (position 0) to its centre point
// (position 1) and paints nothing outside the boundary; hatches are 8 x 8
// patterns laid from the device origin.
#include "platform/GraphicsTypes.h"
#include "rtl/Types.h"

#include <memory>
#include <span>

class QBrush;
class QFont;
class QImage;
class QPainter;
class QPainterPath;
class QPen;
class QPointF;
class QRectF;
class QSizeF;
class QString;
class QTransform;
class TCanvas;

// 0xAARRGGBB.
using TGPColor = uint32_t;

// Status values of the 2D library, numbered as it numbers them.
enum TGPStatus : int32_t {
  Ok,
  GenericError,
  InvalidParameter,
  OutOfMemory,
  ObjectBusy,
  InsufficientBuffer,
  NotImplemented,
  Win32Error,
  WrongState,
  Aborted,
  FileNotFound,
  ValueOverflow,
  AccessDenied,
  UnknownImageFormat,
  FontFamilyNotFound,
  FontStyleNotFound,
  NotTrueTypeFont,
  UnsupportedGdiplusVersion,
  GdiplusNotInitialized,
  PropertyNotFound,
  PropertyNotSupported
};

enum TGPTextRenderingHint : uint8_t {
  TextRenderingHintSystemDefault,
  TextRenderingHintSingleBitPerPixelGridFit,
  TextRenderingHintSingleBitPerPixel,
  TextRenderingHintAntiAliasGridFit,
  TextRenderingHintAntiAlias,
  TextRenderingHintClearTypeGridFit
};

enum TGPDashStyle : uint8_t { DashStyleSolid, DashStyleDash, DashStyleDot, DashStyleDashDot, DashStyleDashDotDot };
enum TGPLineCap : uint8_t { LineCapFlat, LineCapSquare, LineCapRound };
enum TGPDashCap : uint8_t { DashCapFlat, DashCapRound, DashCapTriangle };
enum TGPLineJoin : uint8_t { LineJoinMiter, LineJoinBevel, LineJoinRound };
enum TGPLinearGradientMode : uint8_t {
  LinearGradientModeHorizontal,
  LinearGradientModeVertical,
  LinearGradientModeForwardDiagonal,
  LinearGradientModeBackwardDiagonal
};
enum TGPBrushKind : uint8_t { gbkSolid, gbkHatch, gbkTexture, gbkLinearGradient, gbkPathGradient };

// Number of hatch styles (HatchStyleHorizontal .. HatchStyleSolidDiamond).
constexpr int32_t GPHatchStyleCount = 53;
// The 8 x 8 pattern of a hatch style, one byte per row, bit 7 the leftmost
// pixel; nullptr outside 0 .. GPHatchStyleCount - 1.
const uint8_t* GPHatchPattern(int32_t Style);

class TGPBrush {
public:
  ~TGPBrush();
  static std::unique_ptr<TGPBrush> Solid(TGPColor Color);
  static std::unique_ptr<TGPBrush> Hatch(int32_t Style, TGPColor Fore, TGPColor Back);
  // Tiles Image from the world origin; Alpha (0..255) scales its alpha.
  static std::unique_ptr<TGPBrush> Texture(const QImage& Image, uint8_t Alpha);
  // From the start colour at one side of the rectangle to the end colour at
  // the other, along the mode's direction (diagonals follow the rectangle's
  // shape).
  static std::unique_ptr<TGPBrush> Linear(const QRectF& Rect, TGPColor Start, TGPColor End, TGPLinearGradientMode Mode);
  // Along Angle degrees (clockwise); the start and end lines touch the
  // rectangle's corners.
  static std::unique_ptr<TGPBrush> Linear(const QRectF& Rect, TGPColor Start, TGPColor End, float Angle);
  // Over the area Boundary encloses; the centre point starts at the
  // centroid of the boundary.
  static std::unique_ptr<TGPBrush> PathGradient(const QPainterPath& Boundary);
  // Over the ellipse in Box, shaded exactly; the centre point starts at the
  // ellipse's centre.
  static std::unique_ptr<TGPBrush> EllipseGradient(const QRectF& Box);

  TGPBrushKind Kind() const;
  // Solid colour; the hatch's foreground and background.
  TGPColor Color() const;
  TGPColor BackColor() const;
  int32_t HatchStyle() const;
  // Linear gradients: the colours at the start and end of the gradient line
  // and the line itself.
  TGPColor StartColor() const;
  TGPColor EndColor() const;
  void GradientLine(QPointF& Start, QPointF& End) const;
  // Path gradients.
  QPointF CenterPoint() const;
  void SetCenterPoint(const QPointF& P);
  const QPainterPath& Boundary() const;
  // Colours at positions 0..1 along the gradient (for path gradients from
  // the boundary to the centre). Entries out of [0, 1] are limited to it and
  // the list is sorted by position; an empty list changes nothing.
  void SetInterpolationColors(std::span<const TGPColor> Colors, std::span<const float> Positions);
  // Count of interpolation entries and one of them (0 entries: none set).
  int32_t InterpolationCount() const;
  void InterpolationEntry(int32_t Index, TGPColor& Color, float& Position) const;
  // The colour the brush gives at a position of its gradient (0..1).
  TGPColor ColorAt(float Position) const;
  // The texture's image (for tests and for pen fills).
  const QImage* TextureImage() const;

private:
  TGPBrush();
  struct Impl;
  std::unique_ptr<Impl> D;
  friend class TGPGraphics;
};

class TGPPen {
public:
  explicit TGPPen(TGPColor Color, float Width = 1.0f);
  ~TGPPen();
  TGPColor Color() const { return FColor; }
  void SetColor(TGPColor Value);
  // 0 draws one pixel wide.
  float Width() const { return FWidth; }
  void SetWidth(float Value);
  TGPDashStyle DashStyle() const { return FDash; }
  void SetDashStyle(TGPDashStyle Value);
  void SetLineCap(TGPLineCap Start, TGPLineCap End, TGPDashCap Dash);
  TGPLineCap StartCap() const { return FStartCap; }
  TGPLineCap EndCap() const { return FEndCap; }
  TGPDashCap DashCap() const { return FDashCap; }
  TGPLineJoin LineJoin() const { return FJoin; }
  void SetLineJoin(TGPLineJoin Value);
  // A brush that strokes instead of the colour (not owned); nullptr for none.
  const TGPBrush* Brush() const { return FBrush; }
  void SetBrush(const TGPBrush* Value);

private:
  friend class TGPGraphics;
  TGPColor FColor;
  float FWidth;
  TGPDashStyle FDash = DashStyleSolid;
  TGPLineCap FStartCap = LineCapFlat, FEndCap = LineCapFlat;
  TGPDashCap FDashCap = DashCapFlat;
  TGPLineJoin FJoin = LineJoinMiter;
  const TGPBrush* FBrush = nullptr;
  // The painter's pen made from the settings, kept until they change.
  mutable std::unique_ptr<QPen> FQPen;
};

class TGPGraphics {
public:
  explicit TGPGraphics(TCanvas* DC);
  ~TGPGraphics();
  TCanvas* DC() const { return FDC; }
  TGPStatus LastStatus() const { return FStatus; }

  // --- state ---------------------------------------------------------------------
  // High quality (anti-aliased) or high speed (aliased) shapes and lines.
  bool SmoothingHighQuality() const { return FSmooth; }
  void SetSmoothingHighQuality(bool Value);
  // Pixel centres on half coordinates (the anti-aliased convention) or on
  // whole ones.
  bool PixelOffsetHighQuality() const { return FOffsetHalf; }
  void SetPixelOffsetHighQuality(bool Value);
  TGPTextRenderingHint TextRenderingHint() const { return FTextHint; }
  void SetTextRenderingHint(TGPTextRenderingHint Value);
  bool InterpolationHighQuality() const { return FInterpolationHigh; }
  void SetInterpolationHighQuality(bool Value);

  // --- world transform (every step is prepended, as the library does) -----------
  const QTransform& Transform() const;
  void SetTransform(const QTransform& Value);
  void ResetTransform();
  void MultiplyTransform(const QTransform& Value);
  void TranslateTransform(double DX, double DY);
  void RotateTransform(double Degrees);
  void ScaleTransform(double SX, double SY);

  // --- clip (shapes in world coordinates, kept in device coordinates) -----------
  void SetClip(const QRectF& Rect);
  void IntersectClip(const QRectF& Rect);
  void IntersectClip(const QPainterPath& Path);
  void ExcludeClip(const QPainterPath& Path);
  void ResetClip();
  bool IsClipInfinite() const { return !FHasClip; }
  // The part of the device inside the clip, in world coordinates.
  QRectF VisibleClipBounds() const;

  // --- drawing ---------------------------------------------------------------------
  void Clear(TGPColor Color);
  void DrawLine(const TGPPen& Pen, const QPointF& A, const QPointF& B);
  void DrawLines(const TGPPen& Pen, std::span<const QPointF> Points);
  // The segments between consecutive points as separate lines (no joins):
  // a solid anti-aliased pen on a plain image is drawn straight into it.
  void DrawSegments(const TGPPen& Pen, std::span<const QPointF> Points);
  void DrawRectangle(const TGPPen& Pen, const QRectF& R);
  void FillRectangle(const TGPBrush& Brush, const QRectF& R);
  void DrawEllipse(const TGPPen& Pen, const QRectF& R);
  void FillEllipse(const TGPBrush& Brush, const QRectF& R);
  void DrawPolygon(const TGPPen& Pen, std::span<const QPointF> Points);
  void FillPolygon(const TGPBrush& Brush, std::span<const QPointF> Points);
  void DrawPath(const TGPPen& Pen, const QPainterPath& Path);
  void FillPath(const TGPBrush& Brush, const QPainterPath& Path);
  void DrawArc(const TGPPen& Pen, const QRectF& R, double StartAngle, double SweepAngle);
  void DrawPie(const TGPPen& Pen, const QRectF& R, double StartAngle, double SweepAngle);
  void FillPie(const TGPBrush& Brush, const QRectF& R, double StartAngle, double SweepAngle);
  // Cardinal splines through the points.
  void DrawCurve(const TGPPen& Pen, std::span<const QPointF> Points, float Tension);
  void DrawClosedCurve(const TGPPen& Pen, std::span<const QPointF> Points, float Tension);
  void FillClosedCurve(const TGPBrush& Brush, std::span<const QPointF> Points, float Tension);
  // Source (whole image when empty) into Dest; Alpha scales the image's alpha.
  void DrawImage(const QImage& Image, const QRectF& Dest, uint8_t Alpha = 255);

  // --- text --------------------------------------------------------------------------
  // Default format: the text box has a margin of a sixth of the em size at
  // both ends; typographic: none. Lines end with LF (a CR before it is
  // dropped); each line is one line spacing high.
  void DrawString(const QString& Text, const QFont& Font, const QPointF& Origin, const TGPBrush& Brush);
  QSizeF MeasureString(const QString& Text, const QFont& Font, bool Typographic) const;
  // Adds the glyph outlines of Text at Origin (top-left of the default text
  // box) to Path.
  static void AddString(QPainterPath& Path, const QString& Text, const QFont& Font, const QPointF& Origin);
  // Vertical resolution of the device (pixels per inch).
  double DpiY() const;

  // Device pixel size of the surface (0 x 0 without a device).
  int32_t DeviceWidth() const;
  int32_t DeviceHeight() const;

private:
  QPainter* Begin();
  bool RealizeBrush(const TGPBrush& Brush, const QRectF& DeviceBounds, QBrush& Out);
  void StrokeShape(const TGPPen& Pen, const QPainterPath& Path);
  // The painter ready to outline with Pen; nullptr when the pen shows
  // nothing or there is no device.
  QPainter* BeginStroke(const TGPPen& Pen);
  void FillShape(const TGPBrush& Brush, const QPainterPath& Path);
  void SetPainterPen(QPainter* Q, const TGPPen& Pen);
  bool RasterSegments(QPainter* Q, std::span<const QPointF> Points);
  void ApplyState(QPainter* Q);

  struct Impl;
  std::unique_ptr<Impl> D;
  TCanvas* FDC;
  TGPStatus FStatus = Ok;
  bool FSmooth = false;
  bool FOffsetHalf = false;
  bool FInterpolationHigh = true;
  TGPTextRenderingHint FTextHint = TextRenderingHintSystemDefault;
  bool FHasClip = false;
};

// Geometry helpers shared by the canvas and its paths.
// The arc of the ellipse in R from StartAngle sweeping SweepAngle (library
// angles), appended to Path: joined to the current figure by a line when
// Connect, else as a new figure.
void GPAddArc(QPainterPath& Path, const QRectF& R, double StartAngle, double SweepAngle, bool Connect);
// A closed pie of the ellipse in R.
void GPAddPie(QPainterPath& Path, const QRectF& R, double StartAngle, double SweepAngle);
// A cardinal spline through Points with Tension (0 straight lines, 0.5 the
// usual curve), appended to Path as Bezier segments.
// An open curve is joined to the current figure when Connect; a closed one
// is always a figure of its own.
void GPAddCurve(QPainterPath& Path, std::span<const QPointF> Points, float Tension, bool Closed, bool Connect);
// "GDI+ Error: <status> <name>"; names exist for statuses 0..20.
String GPStatusText(int32_t Status);
