#pragma once
// The device canvas: the platform's drawing surface with its device state,
// in the manner of a GDI device context. Drawing is aliased and follows the
// device's pixel conventions: a line leaves out its last pixel, a filled
// shape leaves out its right and bottom edge, a shape drawn without a pen is
// one pixel smaller, hatches are 8 x 8 patterns whose gaps take the
// background colour in opaque mode, pens combine with the destination
// through their raster operation, clip regions combine by region modes,
// text turns by its escapement and figures can be recorded into a path.
//
// The canvas draws with its own pen, brush and font (each realised on the
// device only when it changed since the last primitive), or with the device's
// stock pen and brush whose colour is set directly, or with a device font
// selected explicitly. It paints on an image it is bound to (the usual case:
// a buffer bitmap) or through a painter handed to it by a window.
#include "platform/Graphics.h"
#include "platform/Region.h"

#include <memory>
#include <span>

class QImage;
class QPainter;
class TGraphic;

// A device font: what the device takes to make a font.
struct TLogFont {
  String FaceName;
  int32_t Height = 0;      // negative: character height, positive: cell height, pixels
  int32_t Escapement = 0;  // direction of the text, tenths of a degree counter-clockwise
  int32_t Orientation = 0; // rotation of each character (advanced graphics mode only)
  int32_t Weight = 400;    // 700 is bold
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  uint8_t CharSet = DEFAULT_CHARSET;
  uint8_t OutPrecision = 0;
  uint8_t Quality = DEFAULT_QUALITY;
  uint8_t PitchAndFamily = 0;
  bool operator==(const TLogFont&) const = default;

  static TLogFont FromFont(const TFont& Font);
};

struct TTextMetric {
  int32_t Height = 0; // ascent + descent
  int32_t Ascent = 0;
  int32_t Descent = 0;
  int32_t ExternalLeading = 0;
  int32_t AveCharWidth = 0;
};

// "No colour" answer of a pixel read outside the device.
constexpr TColor CLR_INVALID = 0xFFFFFFFF;

class TCanvas : public TPersistent {
public:
  TCanvas();
  ~TCanvas() override;
  String ClassName() const override;

  // --- The device ------------------------------------------------------------
  // Paints on Image (not owned) from now on; the painter opens on first use.
  void BindImage(QImage* Image);
  // Paints through a painter of a window (not owned) covering W x H pixels.
  void AttachPainter(QPainter* Painter, int32_t W, int32_t H);
  // Ends painting on the device; the device state is kept for the next one.
  void Release();
  bool HandleAllocated() const;
  int32_t DeviceWidth() const;
  int32_t DeviceHeight() const;
  // The image painted on, nullptr when painting through a window's painter.
  QImage* Image() const;
  // The painter of the device, opened when needed (platform glue only).
  QPainter* Painter();
  // The painter for a drawing layer that keeps its own painter state (the
  // anti-aliased canvas): Fresh is true when the device or another layer
  // used the painter since User last took it, so User must set its state
  // again. The device sets its own state again before its next primitive.
  QPainter* SharedPainter(const void* User, bool& Fresh);

  TPen* Pen() const { return FPen.get(); }
  TBrush* Brush() const { return FBrush.get(); }
  TFont* Font() const { return FFont.get(); }

  // --- Device state ------------------------------------------------------------
  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(const TPoint& P) { FPenPos = P; }
  TColor BkColor() const { return FBkColor; }
  TColor SetBkColor(TColor Value); // returns the previous colour
  int32_t BkMode() const { return FBkMode; }
  int32_t SetBkMode(int32_t Value); // TRANSPARENT or OPAQUE; returns the previous mode
  TColor TextColor() const { return FTextColor; }
  TColor SetTextColor(TColor Value);
  int32_t TextAlign() const { return FTextAlign; }
  int32_t SetTextAlign(int32_t Value);
  int32_t TextCharacterExtra() const { return FCharExtra; }
  int32_t SetTextCharacterExtra(int32_t Value);
  int32_t ArcDirection() const { return FArcDirection; }
  int32_t SetArcDirection(int32_t Value);
  int32_t GraphicsMode() const { return FGraphicsMode; }
  int32_t SetGraphicsMode(int32_t Value);
  // Raster operation of lines and shapes; selecting the pen sets it from the
  // pen's mode.
  TPenMode Rop2() const;
  TPenMode SetRop2(TPenMode Value);

  // The device's stock brush and pen whose colour is set directly, without
  // making a brush or pen per colour. Selecting them lasts until the canvas
  // brush (pen) changes or they are deselected.
  void SelectDCBrush(bool Selected);
  bool DCBrushSelected() const { return FDCBrushSelected; }
  TColor SetDCBrushColor(TColor Value);
  void SelectDCPen(bool Selected);
  bool DCPenSelected() const { return FDCPenSelected; }
  TColor SetDCPenColor(TColor Value);

  // Device fonts. The canvas font is selected by the canvas-level text
  // operations when it changed; SelectLogFont puts another font in its place
  // until the canvas font changes again. Returns the font it replaced.
  TLogFont SelectLogFont(const TLogFont& Font);
  const TLogFont& CurrentLogFont();
  TTextMetric TextMetrics();

  // --- Lines and shapes (selected pen and brush, raster operation) -----------
  void MoveTo(int32_t X, int32_t Y);
  void LineTo(int32_t X, int32_t Y);
  void Polyline(std::span<const TPoint> Points);
  void PolylineTo(std::span<const TPoint> Points);
  // Alternate (even-odd) filling.
  void Polygon(std::span<const TPoint> Points);
  void Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);
  void Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);
  void RoundRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3);
  // Elliptic arc in the box from the radial through (X3, Y3) to the radial
  // through (X4, Y4), in the device's arc direction.
  void Arc(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4);
  // As Arc, after a line from the current position to the arc's start; the
  // current position ends at the arc's end.
  void ArcTo(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4);
  void Pie(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4);
  void SetPixel(int32_t X, int32_t Y, TColor Color);
  TColor Pixel(int32_t X, int32_t Y) const;

  // --- Fills that ignore the raster operation --------------------------------
  // With the canvas brush.
  void FillRect(const TRect& R);
  // With the selected brush (the stock brush when selected).
  void PatBlt(const TRect& R);

  // --- Text ----------------------------------------------------------------------
  // Canvas level: selects the canvas font when it changed, draws with the
  // text alignment and moves the pen position behind the text.
  void TextOut(int32_t X, int32_t Y, const String& Text);
  TPoint TextExtent(const String& Text);
  int32_t TextWidth(const String& Text);
  int32_t TextHeight(const String& Text);
  // Device level: the selected font as it is, the text colour, alignment,
  // background mode and character spacing of the device.
  void DeviceTextOut(int32_t X, int32_t Y, const String& Text);
  TPoint DeviceTextExtent(const String& Text);

  // Formatted text in R (DT_ formats) with the canvas font, the text colour
  // and the background mode: aligned, wrapped at word boundaries
  // (DT_WORDBREAK) or kept on one line (DT_SINGLELINE, the only case in
  // which DT_VCENTER and DT_BOTTOM apply), tabs expanded (DT_EXPANDTABS),
  // "&" marking the next character unless DT_NOPREFIX, cut with "..."
  // (DT_END_ELLIPSIS) and clipped to R unless DT_NOCLIP. DT_CALCRECT draws
  // nothing and sets R's right and bottom edges to the text's extent.
  // Returns the height of the text.
  int32_t DrawText(const String& Text, TRect& R, uint32_t Format);
  // The dotted focus rectangle; drawing it again at the same place takes it
  // away.
  void DrawFocusRect(const TRect& R);

  // --- Pictures ----------------------------------------------------------------
  void Draw(int32_t X, int32_t Y, const TGraphic* Graphic);
  void StretchDraw(const TRect& R, const TGraphic* Graphic);
  // Plain copy of a rectangle of Source (an image-bound canvas) to Dest.
  void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);
  bool BitBlt(int32_t X, int32_t Y, int32_t W, int32_t H, TCanvas* Source, int32_t SX, int32_t SY);

  // --- Paths -----------------------------------------------------------------------
  // Between BeginPath and EndPath the lines, shapes and text are recorded
  // into the path instead of being drawn.
  bool BeginPath();
  bool EndPath();
  void AbortPath();
  void CloseFigure();
  bool PathOpen() const { return FPathOpen; }
  // Each of these uses up the path.
  bool StrokePath();
  bool FillPath();
  bool StrokeAndFillPath();
  // Replaces the path by the area the selected pen would paint.
  bool WidenPath();
  bool SelectClipPath(TRegionMode Mode);
  TRegion PathToRegion();

  // --- Clipping -----------------------------------------------------------------------
  // False when the device draws unclipped.
  bool GetClipRgn(TRegion& Region) const;
  // nullptr removes clipping.
  void SelectClipRgn(const TRegion* Region);
  // Combines Region into the clip; with no clip the whole device takes part.
  // RGN_COPY with nullptr removes clipping.
  void ExtSelectClipRgn(const TRegion* Region, TRegionMode Mode);
  bool PtVisible(int32_t X, int32_t Y) const;
  TRect ClipBox() const;

  // --- Saved states ---------------------------------------------------------------
  // Saves clip, path, current position, colours, modes and fonts.
  int32_t SaveDC();
  // A negative index counts back from the last save.
  bool RestoreDC(int32_t Index);

private:
  struct Impl;
  friend struct Impl;
  void PenChanged(TObject* Sender);
  void BrushChanged(TObject* Sender);
  void FontChanged(TObject* Sender);

  std::unique_ptr<Impl> D;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TFont> FFont;
  TPoint FPenPos;
  TColor FBkColor = clWhite;
  int32_t FBkMode = OPAQUE;
  TColor FTextColor = clBlack;
  int32_t FTextAlign = 0;
  int32_t FCharExtra = 0;
  int32_t FArcDirection = AD_COUNTERCLOCKWISE;
  int32_t FGraphicsMode = GM_COMPATIBLE;
  bool FDCBrushSelected = false;
  bool FDCPenSelected = false;
  TColor FDCBrushColor = clWhite;
  TColor FDCPenColor = clBlack;
  bool FPathOpen = false;
};
