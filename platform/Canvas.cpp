#include "platform/Canvas.h"
#include "platform/Bitmap.h"
#include "platform/QtConvert.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QHash>
#include <QRegion>
#include <QStaticText>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <optional>

namespace {

// The device's raster operations as the painter's composition modes.
QPainter::CompositionMode CompositionOf(TPenMode M)
{
  switch (M) {
  case pmBlack:
    return QPainter::RasterOp_ClearDestination;
  case pmWhite:
    return QPainter::RasterOp_SetDestination;
  case pmNot:
    return QPainter::RasterOp_NotDestination;
  case pmNotCopy:
    return QPainter::RasterOp_NotSource;
  case pmMergePenNot:
    return QPainter::RasterOp_SourceOrNotDestination;
  case pmMaskPenNot:
    return QPainter::RasterOp_SourceAndNotDestination;
  case pmMergeNotPen:
    return QPainter::RasterOp_NotSourceOrDestination;
  case pmMaskNotPen:
    return QPainter::RasterOp_NotSourceAndDestination;
  case pmMerge:
    return QPainter::RasterOp_SourceOrDestination;
  case pmNotMerge:
    return QPainter::RasterOp_NotSourceAndNotDestination;
  case pmMask:
    return QPainter::RasterOp_SourceAndDestination;
  case pmNotMask:
    return QPainter::RasterOp_NotSourceOrNotDestination;
  case pmXor:
    return QPainter::RasterOp_SourceXorDestination;
  case pmNotXor:
    return QPainter::RasterOp_NotSourceXorDestination;
  case pmNop:
  case pmCopy:
    break;
  }
  return QPainter::CompositionMode_SourceOver;
}

// Dash patterns of the device's cosmetic (one pixel) pens, in pixels.
QList<qreal> CosmeticDashes(TPenStyle S)
{
  switch (S) {
  case psDash:
    return {18, 6};
  case psDot:
    return {3, 3};
  case psDashDot:
    return {9, 6, 3, 6};
  case psDashDotDot:
    return {9, 3, 3, 3, 3, 3};
  case psAlternate:
    return {1, 1};
  default:
    return {};
  }
}

// 8 x 8 hatch patterns, one byte per row, bit 7 = leftmost pixel.
const uint8_t* HatchRows(TBrushStyle S)
{
  static const uint8_t Horizontal[8] = {0, 0, 0, 0, 0, 0, 0, 0xFF};
  static const uint8_t Vertical[8] = {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01};
  static const uint8_t FDiagonal[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
  static const uint8_t BDiagonal[8] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};
  static const uint8_t Cross[8] = {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0xFF};
  static const uint8_t DiagCross[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
  switch (S) {
  case bsHorizontal:
    return Horizontal;
  case bsVertical:
    return Vertical;
  case bsFDiagonal:
    return FDiagonal;
  case bsBDiagonal:
    return BDiagonal;
  case bsCross:
    return Cross;
  case bsDiagCross:
    return DiagCross;
  default:
    return nullptr;
  }
}

// The parametric angle (what the painter takes) of the point where the
// radial at Radial degrees meets an ellipse with half axes Rx, Ry.
double ParametricAngle(double Radial, double Rx, double Ry)
{
  const double T = Radial * std::numbers::pi / 180.0;
  return std::atan2(Rx * std::sin(T), Ry * std::cos(T)) * 180.0 / std::numbers::pi;
}

QRect IntBox(const QRectF& B)
{
  return QRect(static_cast<int>(std::lround(B.x())), static_cast<int>(std::lround(B.y())),
               static_cast<int>(std::lround(B.width())), static_cast<int>(std::lround(B.height())));
}

double NormalizeDegrees(double A)
{
  A = std::fmod(A, 360.0);
  if (A < 0)
    A += 360.0;
  return A;
}

struct TArcGeometry {
  QRectF Box;
  double Start = 0; // parametric degrees, counter-clockwise
  double Sweep = 0;
  QPointF StartPoint;
  QPointF EndPoint;
};

struct TSavedDC {
  QRegion Clip;
  bool HasClip = false;
  bool PainterClipped = false;
  QPainterPath Path;
  bool PathOpen = false;
  bool PathValid = false;
  bool FigureOpen = false;
  TPoint PenPos;
  TColor BkColor = 0;
  int32_t BkMode = 0;
  TColor TextColor = 0;
  int32_t TextAlign = 0;
  int32_t CharExtra = 0;
  int32_t ArcDirection = 0;
  int32_t GraphicsMode = 0;
  std::optional<TPenMode> Rop;
  std::optional<TLogFont> Font;
  bool DCBrushSelected = false;
  bool DCPenSelected = false;
  TColor DCBrushColor = 0;
  TColor DCPenColor = 0;
};

// A text laid out once in a font, kept for drawing it again: cells repeat
// their texts from paint to paint.
struct TShapedText {
  QStaticText Static;
  int32_t Advance = 0;
};
using TShapedTexts = QHash<QString, TShapedText>;

// A font as the device realised it, with its metrics and its laid-out
// texts; the last few are kept, as painters switch between a handful.
struct TRealizedFont {
  TLogFont Log;
  QFont Font;
  std::shared_ptr<QFontMetrics> Metrics;
  int32_t Ascent = 0, Descent = 0;
  std::shared_ptr<TShapedTexts> Texts;
};
constexpr size_t RealizedFontsKept = 8;
constexpr qsizetype ShapedTextsKept = 4096;

} // namespace

struct TCanvas::Impl {
  TCanvas* Self = nullptr;
  QImage* Image = nullptr;
  QPainter* External = nullptr;
  int32_t ExtW = 0, ExtH = 0;
  std::unique_ptr<QPainter> Own;

  // Realised pen and brush. Invalid after a change of the canvas objects.
  bool PenValid = false;
  bool PenSelectPending = true; // the canvas pen changed: selecting it sets the raster operation
  bool BrushValid = false;
  QPen QtPen;
  QPen GapPen;         // background colour under dash gaps (opaque mode)
  bool PenNull = true; // nothing is stroked
  bool PenDashed = false;
  int32_t PenWidth = 1;
  bool PenInsideFrame = false;
  QBrush QtBrush;
  bool BrushNull = true;
  bool BrushIsHatch = false;
  std::optional<TPenMode> Rop; // set explicitly or by the last pen selection

  // What the painter holds at the moment.
  // What the painter holds at the moment, so that only changes are sent.
  bool PenOnPainter = false;
  bool BrushOnPainter = false;
  int CompOnPainter = -1;
  bool ClipValid = false;

  // Fonts. FontValid: the canvas font was selected since it last changed.
  bool FontValid = false;
  TLogFont LogFont;
  bool HasLogFont = false;
  bool QtFontValid = false;
  QFont QtFont;    // measured with
  QFont DrawnFont; // drawn with: QtFont plus the character spacing
  int32_t DrawnExtra = 0;
  bool PainterFontSet = false;
  std::shared_ptr<QFontMetrics> Metrics;
  int32_t Ascent = 0, Descent = 0;
  std::shared_ptr<TShapedTexts> Texts; // of QtFont
  std::vector<TRealizedFont> Realized; // most recent first

  QRegion Clip;
  bool HasClip = false;
  bool PainterClipped = false;

  QPainterPath Path;
  bool PathValid = false;
  bool FigureOpen = false;

  std::vector<TSavedDC> Saves;
  std::vector<QPoint> Scratch;

  // The drawing layer that last took the painter through SharedPainter;
  // nullptr once the device itself has drawn.
  const void* PainterUser = nullptr;

  // Last hatch texture.
  QImage HatchImage;
  TBrushStyle HatchStyle = bsSolid;
  QRgb HatchFore = 0, HatchBack = 0;
  bool HatchOpaque = false;

  QPainter* P()
  {
    if (PainterUser)
      TakeBackPainter();
    if (External)
      return External;
    if (!Own && Image && !Image->isNull()) {
      Own = std::make_unique<QPainter>(Image);
      Own->setRenderHint(QPainter::Antialiasing, false);
      Own->setRenderHint(QPainter::TextAntialiasing, true);
      Own->setRenderHint(QPainter::SmoothPixmapTransform, false);
      PainterClipped = false;
      PainterReset();
    }
    return Own.get();
  }

  // A drawing layer (SharedPainter) drew last: back to the device's own
  // painter settings before the device draws.
  void TakeBackPainter()
  {
    PainterUser = nullptr;
    if (QPainter* Q = External ? External : Own.get()) {
      Q->setRenderHint(QPainter::Antialiasing, false);
      Q->setRenderHint(QPainter::TextAntialiasing, true);
      Q->setRenderHint(QPainter::SmoothPixmapTransform, false);
      Q->resetTransform();
      Q->setOpacity(1.0);
      Q->setBrushOrigin(0, 0);
      PainterClipped = Q->hasClipping();
    }
    PainterReset();
  }

  void PainterReset()
  {
    PainterUser = nullptr;
    PenOnPainter = false;
    BrushOnPainter = false;
    CompOnPainter = -1;
    ClipValid = false;
    PainterFontSet = false;
  }

  int32_t Width() const { return External ? ExtW : (Image ? Image->width() : 0); }
  int32_t Height() const { return External ? ExtH : (Image ? Image->height() : 0); }

  TPenMode CurrentRop()
  {
    RealizePen();
    return Rop.value_or(pmCopy);
  }

  void RealizePen()
  {
    if (PenValid)
      return;
    PenValid = true;
    PenOnPainter = false;
    const TPen& Pen = *Self->FPen;
    // Selecting the canvas pen sets the raster operation from its mode.
    if (PenSelectPending) {
      PenSelectPending = false;
      Rop = Pen.Mode();
    }
    TPenStyle Style;
    int32_t Width;
    TColor Color;
    bool Geometric = false;
    uint8_t Cap = 0, Join = 0;
    std::vector<uint32_t> User;
    if (Self->FDCPenSelected) {
      Style = psSolid;
      Width = 1;
      Color = Self->FDCPenColor;
    } else if (const TPenHandle* H = Pen.Handle()) {
      Style = H->Style;
      Width = H->Width;
      Color = H->Color;
      Geometric = H->Geometric;
      Cap = H->EndCap;
      Join = H->Join;
      User = H->UserStyle;
    } else {
      Style = Pen.Style();
      Width = Pen.Width();
      Color = Pen.Color();
    }
    PenWidth = std::max<int32_t>(1, Width);
    PenInsideFrame = Style == psInsideFrame && PenWidth > 1;
    PenNull = Style == psClear || Color == clNone;
    PenDashed = false;
    if (PenNull) {
      QtPen = QPen(Qt::NoPen);
      return;
    }
    QPen Q(ToQColor(Color));
    if (Geometric) {
      Q.setWidth(PenWidth);
      Q.setCapStyle(Cap == 2 ? Qt::FlatCap : Cap == 1 ? Qt::SquareCap : Qt::RoundCap);
      Q.setJoinStyle(Join == 2 ? Qt::MiterJoin : Join == 1 ? Qt::BevelJoin : Qt::RoundJoin);
      if (Style == psUserStyle && !User.empty()) {
        // Dash entries of zero length are dots of one pixel.
        QList<qreal> Pattern;
        for (size_t i = 0; i < User.size(); ++i) {
          double V = User[i];
          if (i % 2 == 0 && V == 0) {
            V = 1;
            if (i + 1 < User.size() && User[i + 1] > 1)
              User[i + 1] -= 1;
          }
          Pattern.append(V / PenWidth);
        }
        if (Pattern.size() % 2)
          Pattern.append(Pattern.back());
        Q.setDashPattern(Pattern);
        if (User[0] == 0)
          Q.setCapStyle(Qt::FlatCap);
        PenDashed = true;
      } else if (Style == psDash || Style == psDot || Style == psDashDot || Style == psDashDotDot) {
        Q.setStyle(Style == psDash      ? Qt::DashLine
                   : Style == psDot     ? Qt::DotLine
                   : Style == psDashDot ? Qt::DashDotLine
                                        : Qt::DashDotDotLine);
        PenDashed = true;
      } else if (Style == psAlternate) {
        Q.setWidth(0);
        Q.setCapStyle(Qt::FlatCap);
        Q.setDashPattern({1, 1});
        PenDashed = true;
      }
    } else if (PenWidth <= 1 || Style == psAlternate) {
      // A cosmetic pen leaves out the last pixel of a line (and draws
      // nothing for a line of no length).
      Q.setWidth(0);
      Q.setCapStyle(Qt::FlatCap);
      Q.setJoinStyle(Qt::MiterJoin);
      const QList<qreal> Dashes = CosmeticDashes(Style);
      if (!Dashes.isEmpty()) {
        Q.setDashPattern(Dashes);
        PenDashed = true;
      }
    } else {
      // A wide plain pen is solid whatever its style, with round ends.
      Q.setWidth(PenWidth);
      Q.setCapStyle(Qt::RoundCap);
      Q.setJoinStyle(Qt::RoundJoin);
    }
    QtPen = Q;
    if (PenDashed) {
      GapPen = Q;
      GapPen.setStyle(Qt::SolidLine);
      GapPen.setColor(ToQColor(Self->FBkColor));
    }
  }

  const QImage& HatchTexture(TBrushStyle S, QRgb Fore, QRgb Back, bool Opaque)
  {
    if (HatchImage.isNull() || HatchStyle != S || HatchFore != Fore || HatchBack != Back || HatchOpaque != Opaque) {
      HatchImage = QImage(8, 8, QImage::Format_ARGB32_Premultiplied);
      const uint8_t* Rows = HatchRows(S);
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
          HatchImage.setPixel(x, y, (Rows[y] & (0x80 >> x)) ? Fore : (Opaque ? Back : 0));
      HatchStyle = S;
      HatchFore = Fore;
      HatchBack = Back;
      HatchOpaque = Opaque;
    }
    return HatchImage;
  }

  QBrush BrushOf(const TBrush& B, bool& Null, bool& IsHatch)
  {
    IsHatch = false;
    Null = false;
    if (B.Bitmap() && B.Bitmap()->ImageData()) {
      return QBrush(*B.Bitmap()->ImageData());
    }
    if (B.Style() == bsClear || B.Color() == clNone) {
      Null = true;
      return QBrush(Qt::NoBrush);
    }
    if (B.Style() == bsSolid)
      return QBrush(ToQColor(B.Color()));
    IsHatch = true;
    const bool Opaque = Self->FBkMode == OPAQUE && Self->FBkColor != clNone;
    return QBrush(HatchTexture(B.Style(), ToQColor(B.Color()).rgba(), ToQColor(Self->FBkColor).rgba(), Opaque));
  }

  void RealizeBrush()
  {
    if (BrushValid)
      return;
    BrushValid = true;
    BrushOnPainter = false;
    if (Self->FDCBrushSelected) {
      BrushNull = Self->FDCBrushColor == clNone;
      BrushIsHatch = false;
      QtBrush = BrushNull ? QBrush(Qt::NoBrush) : QBrush(ToQColor(Self->FDCBrushColor));
      return;
    }
    QtBrush = BrushOf(*Self->FBrush, BrushNull, BrushIsHatch);
  }

  void ApplyClip(QPainter* Q)
  {
    if (ClipValid)
      return;
    ClipValid = true;
    // Once a painter has clipped, switching its clipping off makes it ignore
    // every later clip region; "no clip" is the whole device instead.
    if (HasClip) {
      Q->setClipRegion(Clip);
      PainterClipped = true;
    } else if (PainterClipped) {
      Q->setClipRegion(QRegion(0, 0, Width(), Height()));
    }
  }

  // Readies the painter for a line or shape; false when nothing would show.
  QPainter* Shape()
  {
    QPainter* Q = P();
    if (!Q)
      return nullptr;
    RealizePen();
    RealizeBrush();
    ApplyClip(Q);
    if (!PenOnPainter) {
      Q->setPen(QtPen);
      PenOnPainter = true;
    }
    if (!BrushOnPainter) {
      Q->setBrush(QtBrush);
      // Patterns are laid from the device's origin.
      if (QtBrush.style() == Qt::TexturePattern && Q->brushOrigin() != QPointF(0, 0))
        Q->setBrushOrigin(0, 0);
      BrushOnPainter = true;
    }
    SetComposition(Q, CompositionOf(Rop.value_or(pmCopy)));
    return Q;
  }

  // Readies the painter for fills, text and pictures (no raster operation).
  QPainter* Other()
  {
    QPainter* Q = P();
    if (!Q)
      return nullptr;
    ApplyClip(Q);
    SetComposition(Q, QPainter::CompositionMode_SourceOver);
    return Q;
  }

  void SetComposition(QPainter* Q, QPainter::CompositionMode M)
  {
    if (CompOnPainter != int(M)) {
      Q->setCompositionMode(M);
      CompOnPainter = int(M);
    }
  }

  bool Nop() { return CurrentRop() == pmNop; }

  // Strokes a line figure, gaps of dashed pens first in opaque mode.
  template <class F>
  void Stroke(F&& DrawIt)
  {
    QPainter* Q = Shape();
    if (!Q || PenNull || Nop())
      return;
    if (PenDashed && Self->FBkMode == OPAQUE && Self->FBkColor != clNone) {
      Q->setPen(GapPen);
      DrawIt(Q);
      Q->setPen(QtPen);
    }
    DrawIt(Q);
  }

  // Fills and outlines a closed figure.
  template <class F>
  void Figure(F&& DrawIt)
  {
    QPainter* Q = Shape();
    if (!Q || Nop() || (PenNull && BrushNull))
      return;
    if (PenDashed && !PenNull && Self->FBkMode == OPAQUE && Self->FBkColor != clNone) {
      Q->setPen(GapPen);
      DrawIt(Q);
      Q->setPen(QtPen);
      Q->setBrush(Qt::NoBrush);
      DrawIt(Q);
      Q->setBrush(QtBrush);
      return;
    }
    DrawIt(Q);
  }

  // The box a closed figure of the device covers: right and bottom exclusive,
  // one pixel less without a pen, inside the box for inside-frame pens.
  QRectF FigureBox(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2)
  {
    RealizePen();
    const int32_t L = std::min(X1, X2), T = std::min(Y1, Y2), R = std::max(X1, X2), B = std::max(Y1, Y2);
    if (PenNull)
      return QRectF(L, T, R - L - 1, B - T - 1);
    if (PenInsideFrame) {
      const double H = PenWidth / 2.0;
      return QRectF(L + H - 0.5, T + H - 0.5, R - L - PenWidth, B - T - PenWidth);
    }
    return QRectF(L, T, R - L - 1, B - T - 1);
  }

  TArcGeometry ArcOf(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4)
  {
    TArcGeometry G;
    const int32_t L = std::min(X1, X2), T = std::min(Y1, Y2), R = std::max(X1, X2), B = std::max(Y1, Y2);
    G.Box = QRectF(L, T, R - L - 1, B - T - 1);
    const double CX = G.Box.center().x(), CY = G.Box.center().y();
    const double Rx = G.Box.width() / 2.0, Ry = G.Box.height() / 2.0;
    const double A1 = std::atan2(CY - Y3, X3 - CX) * 180.0 / std::numbers::pi;
    const double A2 = std::atan2(CY - Y4, X4 - CX) * 180.0 / std::numbers::pi;
    const double P1 = NormalizeDegrees(ParametricAngle(A1, Rx, Ry));
    const double P2 = NormalizeDegrees(ParametricAngle(A2, Rx, Ry));
    double Sweep;
    if (Self->FArcDirection == AD_CLOCKWISE) {
      Sweep = -NormalizeDegrees(P1 - P2);
      if (Sweep == 0)
        Sweep = -360;
    } else {
      Sweep = NormalizeDegrees(P2 - P1);
      if (Sweep == 0)
        Sweep = 360;
    }
    G.Start = P1;
    G.Sweep = Sweep;
    auto At = [&](double Deg) {
      const double R0 = Deg * std::numbers::pi / 180.0;
      return QPointF(CX + Rx * std::cos(R0), CY - Ry * std::sin(R0));
    };
    G.StartPoint = At(P1);
    G.EndPoint = At(P1 + Sweep);
    return G;
  }

  void StartFigureAt(const TPoint& P)
  {
    if (!FigureOpen) {
      Path.moveTo(P.X, P.Y);
      FigureOpen = true;
    }
  }

  // --- fonts -----------------------------------------------------------------

  void SelectFont(const TLogFont& F)
  {
    const bool SameFace = HasLogFont && F.FaceName == LogFont.FaceName && F.Height == LogFont.Height &&
                          F.Weight == LogFont.Weight && F.Italic == LogFont.Italic &&
                          F.Underline == LogFont.Underline && F.StrikeOut == LogFont.StrikeOut &&
                          F.Quality == LogFont.Quality && F.PitchAndFamily == LogFont.PitchAndFamily;
    LogFont = F;
    HasLogFont = true;
    if (!SameFace)
      QtFontValid = false;
  }

  void EnsureCanvasFont()
  {
    if (FontValid)
      return;
    FontValid = true;
    SelectFont(TLogFont::FromFont(*Self->FFont));
    Self->FTextColor = Self->FFont->Color();
  }

  const QFont& RealizedFont()
  {
    if (!HasLogFont)
      SelectFont(TLogFont::FromFont(*Self->FFont));
    if (!QtFontValid) {
      QtFontValid = true;
      const auto Known =
          std::find_if(Realized.begin(), Realized.end(), [this](const TRealizedFont& R) { return R.Log == LogFont; });
      if (Known != Realized.end()) {
        std::rotate(Realized.begin(), Known, Known + 1);
      } else {
        TRealizedFont R;
        R.Log = LogFont;
        R.Font = ToQFont(LogFont);
        R.Metrics = std::make_shared<QFontMetrics>(R.Font);
        R.Ascent = R.Metrics->ascent();
        R.Descent = R.Metrics->descent();
        R.Texts = std::make_shared<TShapedTexts>();
        Realized.insert(Realized.begin(), std::move(R));
        if (Realized.size() > RealizedFontsKept)
          Realized.pop_back();
      }
      const TRealizedFont& R = Realized.front();
      QtFont = R.Font;
      Metrics = R.Metrics;
      Ascent = R.Ascent;
      Descent = R.Descent;
      Texts = R.Texts;
      DrawnFont = QtFont;
      DrawnExtra = 0;
      PainterFontSet = false;
    }
    return QtFont;
  }

  const QFont& FontToDraw()
  {
    RealizedFont();
    if (DrawnExtra != Self->FCharExtra) {
      DrawnFont = QtFont;
      if (Self->FCharExtra != 0)
        DrawnFont.setLetterSpacing(QFont::AbsoluteSpacing, Self->FCharExtra);
      DrawnExtra = Self->FCharExtra;
      PainterFontSet = false;
    }
    return DrawnFont;
  }

  QFontMetrics& FontMetrics()
  {
    RealizedFont();
    return *Metrics;
  }

  // The text laid out in the font drawn with (no character spacing).
  const TShapedText& Shaped(const String& Text)
  {
    FontToDraw();
    auto It = Texts->find(Text);
    if (It != Texts->end())
      return *It;
    if (Texts->size() >= ShapedTextsKept)
      Texts->clear();
    TShapedText T;
    T.Static.setText(Text);
    T.Static.setTextFormat(Qt::PlainText);
    T.Static.setPerformanceHint(QStaticText::ModerateCaching);
    T.Static.prepare(QTransform(), DrawnFont);
    T.Advance = Metrics->horizontalAdvance(Text);
    return *Texts->insert(Text, std::move(T));
  }

  int32_t TextWidthOf(const String& Text)
  {
    return FontMetrics().horizontalAdvance(Text) + Self->FCharExtra * static_cast<int32_t>(Text.size());
  }
};

// ---------------------------------------------------------------------------

TLogFont TLogFont::FromFont(const TFont& Font)
{
  TLogFont F;
  F.FaceName = Font.Name();
  F.Height = Font.Height();
  F.Escapement = Font.Orientation();
  F.Orientation = Font.Orientation();
  F.Weight = (Font.Style() & FontStyleBit(fsBold)) ? 700 : 400;
  F.Italic = Font.Style() & FontStyleBit(fsItalic);
  F.Underline = Font.Style() & FontStyleBit(fsUnderline);
  F.StrikeOut = Font.Style() & FontStyleBit(fsStrikeOut);
  F.CharSet = Font.Charset();
  F.Quality = Font.Quality();
  F.PitchAndFamily = static_cast<uint8_t>(Font.Pitch());
  return F;
}

TCanvas::TCanvas()
    : D(std::make_unique<Impl>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()),
      FFont(std::make_unique<TFont>())
{
  D->Self = this;
  FPen->OnChange = [this](TObject* S) { PenChanged(S); };
  FBrush->OnChange = [this](TObject* S) { BrushChanged(S); };
  FFont->OnChange = [this](TObject* S) { FontChanged(S); };
}

TCanvas::~TCanvas() { Release(); }

String TCanvas::ClassName() const { return QStringLiteral("TCanvas"); }

void TCanvas::PenChanged(TObject*)
{
  FDCPenSelected = false;
  D->PenValid = false;
  D->PenSelectPending = true;
}

void TCanvas::BrushChanged(TObject*)
{
  FDCBrushSelected = false;
  D->BrushValid = false;
}

void TCanvas::FontChanged(TObject*) { D->FontValid = false; }

void TCanvas::BindImage(QImage* Image)
{
  Release();
  D->External = nullptr;
  D->Image = Image;
}

void TCanvas::AttachPainter(QPainter* Painter, int32_t W, int32_t H)
{
  Release();
  D->Image = nullptr;
  D->External = Painter;
  D->ExtW = W;
  D->ExtH = H;
  D->PainterClipped = Painter && Painter->hasClipping();
  D->PainterReset();
}

void TCanvas::Release()
{
  if (D->Own) {
    D->Own->end();
    D->Own.reset();
  }
  D->PainterReset();
}

bool TCanvas::HandleAllocated() const { return D->External || (D->Image && !D->Image->isNull()); }
int32_t TCanvas::DeviceWidth() const { return D->Width(); }
int32_t TCanvas::DeviceHeight() const { return D->Height(); }
QImage* TCanvas::Image() const { return D->Image; }

QPainter* TCanvas::Painter()
{
  QPainter* Q = D->P();
  // The caller may change anything: set everything again before the next
  // primitive.
  D->PainterReset();
  return Q;
}

QPainter* TCanvas::SharedPainter(const void* User, bool& Fresh)
{
  const void* Last = D->PainterUser;
  D->PainterUser = nullptr; // the layer sets its own state: no need to restore the device's
  QPainter* Q = D->P();
  D->PainterReset();
  Fresh = Last != User || !Q;
  if (Q)
    D->PainterUser = User;
  return Q;
}

// --- device state ----------------------------------------------------------

TColor TCanvas::SetBkColor(TColor Value)
{
  const TColor Old = FBkColor;
  if (Value != Old) {
    FBkColor = Value;
    D->PenValid = D->PenValid && !D->PenDashed;
    if (D->BrushIsHatch)
      D->BrushValid = false;
  }
  return Old;
}

int32_t TCanvas::SetBkMode(int32_t Value)
{
  const int32_t Old = FBkMode;
  if (Value != Old) {
    FBkMode = Value;
    if (D->BrushIsHatch)
      D->BrushValid = false;
  }
  return Old;
}

TColor TCanvas::SetTextColor(TColor Value)
{
  const TColor Old = FTextColor;
  FTextColor = Value;
  return Old;
}

int32_t TCanvas::SetTextAlign(int32_t Value)
{
  const int32_t Old = FTextAlign;
  FTextAlign = Value;
  return Old;
}

int32_t TCanvas::SetTextCharacterExtra(int32_t Value)
{
  const int32_t Old = FCharExtra;
  FCharExtra = Value;
  return Old;
}

int32_t TCanvas::SetArcDirection(int32_t Value)
{
  const int32_t Old = FArcDirection;
  if (Value == AD_CLOCKWISE || Value == AD_COUNTERCLOCKWISE)
    FArcDirection = Value;
  return Old;
}

int32_t TCanvas::SetGraphicsMode(int32_t Value)
{
  const int32_t Old = FGraphicsMode;
  if (Value == GM_COMPATIBLE || Value == GM_ADVANCED)
    FGraphicsMode = Value;
  return Old;
}

TPenMode TCanvas::Rop2() const { return D->Rop.value_or(FPen->Mode()); }

TPenMode TCanvas::SetRop2(TPenMode Value)
{
  D->RealizePen();
  const TPenMode Old = D->Rop.value_or(pmCopy);
  if (Old != Value) {
    D->Rop = Value;
  }
  return Old;
}

void TCanvas::SelectDCBrush(bool Selected)
{
  if (FDCBrushSelected == Selected)
    return;
  FDCBrushSelected = Selected;
  D->BrushValid = false;
}

TColor TCanvas::SetDCBrushColor(TColor Value)
{
  const TColor Old = FDCBrushColor;
  if (Value != Old) {
    FDCBrushColor = Value;
    if (FDCBrushSelected)
      D->BrushValid = false;
  }
  return Old;
}

void TCanvas::SelectDCPen(bool Selected)
{
  if (FDCPenSelected == Selected)
    return;
  FDCPenSelected = Selected;
  D->PenValid = false;
}

TColor TCanvas::SetDCPenColor(TColor Value)
{
  const TColor Old = FDCPenColor;
  if (Value != Old) {
    FDCPenColor = Value;
    if (FDCPenSelected)
      D->PenValid = false;
  }
  return Old;
}

TLogFont TCanvas::SelectLogFont(const TLogFont& Font)
{
  D->EnsureCanvasFont();
  const TLogFont Old = D->LogFont;
  D->SelectFont(Font);
  return Old;
}

const TLogFont& TCanvas::CurrentLogFont()
{
  D->EnsureCanvasFont();
  return D->LogFont;
}

TTextMetric TCanvas::TextMetrics()
{
  D->EnsureCanvasFont();
  QFontMetrics& M = D->FontMetrics();
  TTextMetric T;
  T.Ascent = M.ascent();
  T.Descent = M.descent();
  T.Height = T.Ascent + T.Descent;
  T.ExternalLeading = M.leading();
  T.AveCharWidth = M.averageCharWidth();
  return T;
}

// --- lines and shapes ------------------------------------------------------

void TCanvas::MoveTo(int32_t X, int32_t Y)
{
  FPenPos = TPoint{X, Y};
  if (FPathOpen) {
    D->Path.moveTo(X, Y);
    D->FigureOpen = true;
  }
}

void TCanvas::LineTo(int32_t X, int32_t Y)
{
  const TPoint From = FPenPos;
  FPenPos = TPoint{X, Y};
  if (FPathOpen) {
    D->StartFigureAt(From);
    D->Path.lineTo(X, Y);
    return;
  }
  if (From == FPenPos) {
    // A line of no length: nothing with a thin pen, a dot of a wide one.
    D->RealizePen();
    if (D->PenWidth > 1)
      D->Stroke([&](QPainter* Q) { Q->drawPoint(X, Y); });
    return;
  }
  D->Stroke([&](QPainter* Q) { Q->drawLine(From.X, From.Y, X, Y); });
}

void TCanvas::Polyline(std::span<const TPoint> Points)
{
  if (Points.size() < 2)
    return;
  if (FPathOpen) {
    D->Path.moveTo(Points[0].X, Points[0].Y);
    for (size_t i = 1; i < Points.size(); ++i)
      D->Path.lineTo(Points[i].X, Points[i].Y);
    D->FigureOpen = true;
    return;
  }
  auto& S = D->Scratch;
  S.resize(Points.size());
  for (size_t i = 0; i < Points.size(); ++i)
    S[i] = QPoint(Points[i].X, Points[i].Y);
  D->Stroke([&](QPainter* Q) { Q->drawPolyline(S.data(), static_cast<int>(S.size())); });
}

void TCanvas::PolylineTo(std::span<const TPoint> Points)
{
  if (Points.empty())
    return;
  if (FPathOpen) {
    D->StartFigureAt(FPenPos);
    for (const TPoint& P : Points)
      D->Path.lineTo(P.X, P.Y);
    FPenPos = Points.back();
    return;
  }
  auto& S = D->Scratch;
  S.resize(Points.size() + 1);
  S[0] = QPoint(FPenPos.X, FPenPos.Y);
  for (size_t i = 0; i < Points.size(); ++i)
    S[i + 1] = QPoint(Points[i].X, Points[i].Y);
  FPenPos = Points.back();
  D->Stroke([&](QPainter* Q) { Q->drawPolyline(S.data(), static_cast<int>(S.size())); });
}

void TCanvas::Polygon(std::span<const TPoint> Points)
{
  if (Points.size() < 2)
    return;
  if (FPathOpen) {
    D->Path.moveTo(Points[0].X, Points[0].Y);
    for (size_t i = 1; i < Points.size(); ++i)
      D->Path.lineTo(Points[i].X, Points[i].Y);
    D->Path.closeSubpath();
    D->FigureOpen = false;
    return;
  }
  auto& S = D->Scratch;
  S.resize(Points.size());
  for (size_t i = 0; i < Points.size(); ++i)
    S[i] = QPoint(Points[i].X, Points[i].Y);
  D->Figure([&](QPainter* Q) { Q->drawPolygon(S.data(), static_cast<int>(S.size()), Qt::OddEvenFill); });
}

void TCanvas::Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2)
{
  if (X1 == X2 || Y1 == Y2)
    return;
  const QRectF Box = D->FigureBox(X1, Y1, X2, Y2);
  if (FPathOpen) {
    D->Path.addRect(Box);
    D->FigureOpen = false;
    return;
  }
  if (Box.width() < 0 || Box.height() < 0)
    return;
  D->Figure([&](QPainter* Q) {
    if (D->PenNull)
      Q->fillRect(IntBox(Box), Q->brush());
    else if (D->PenWidth <= 1)
      Q->drawRect(IntBox(Box));
    else
      Q->drawRect(Box);
  });
}

void TCanvas::Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2)
{
  if (X1 == X2 || Y1 == Y2)
    return;
  const QRectF Box = D->FigureBox(X1, Y1, X2, Y2);
  if (FPathOpen) {
    D->Path.addEllipse(Box);
    D->FigureOpen = false;
    return;
  }
  if (Box.width() < 0 || Box.height() < 0)
    return;
  D->Figure([&](QPainter* Q) {
    if (D->PenWidth <= 1 || D->PenNull)
      Q->drawEllipse(IntBox(Box));
    else
      Q->drawEllipse(Box);
  });
}

void TCanvas::RoundRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3)
{
  if (X1 == X2 || Y1 == Y2)
    return;
  const QRectF Box = D->FigureBox(X1, Y1, X2, Y2);
  const double Rx = std::min(std::abs(X3) / 2.0, Box.width() / 2.0);
  const double Ry = std::min(std::abs(Y3) / 2.0, Box.height() / 2.0);
  if (FPathOpen) {
    D->Path.addRoundedRect(Box, Rx, Ry);
    D->FigureOpen = false;
    return;
  }
  if (Box.width() < 0 || Box.height() < 0)
    return;
  D->Figure([&](QPainter* Q) { Q->drawRoundedRect(Box, Rx, Ry); });
}

void TCanvas::Arc(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4)
{
  if (X1 == X2 || Y1 == Y2)
    return;
  const TArcGeometry G = D->ArcOf(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  if (FPathOpen) {
    D->Path.arcMoveTo(G.Box, G.Start);
    D->Path.arcTo(G.Box, G.Start, G.Sweep);
    D->FigureOpen = true;
    return;
  }
  D->Stroke([&](QPainter* Q) {
    Q->drawArc(G.Box, static_cast<int>(std::lround(G.Start * 16)), static_cast<int>(std::lround(G.Sweep * 16)));
  });
}

void TCanvas::ArcTo(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4)
{
  if (X1 == X2 || Y1 == Y2)
    return;
  const TArcGeometry G = D->ArcOf(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  const TPoint From = FPenPos;
  FPenPos =
      TPoint{static_cast<int32_t>(std::lround(G.EndPoint.x())), static_cast<int32_t>(std::lround(G.EndPoint.y()))};
  if (FPathOpen) {
    D->StartFigureAt(From);
    D->Path.lineTo(G.StartPoint);
    D->Path.arcTo(G.Box, G.Start, G.Sweep);
    return;
  }
  D->Stroke([&](QPainter* Q) {
    QPainterPath P;
    P.moveTo(From.X, From.Y);
    P.lineTo(G.StartPoint);
    P.arcTo(G.Box, G.Start, G.Sweep);
    Q->drawPath(P);
  });
}

void TCanvas::Pie(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4)
{
  if (X1 == X2 || Y1 == Y2)
    return;
  const TArcGeometry G = D->ArcOf(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  if (FPathOpen) {
    D->Path.moveTo(G.Box.center());
    D->Path.arcTo(G.Box, G.Start, G.Sweep);
    D->Path.closeSubpath();
    D->FigureOpen = false;
    return;
  }
  D->Figure([&](QPainter* Q) {
    Q->drawPie(G.Box, static_cast<int>(std::lround(G.Start * 16)), static_cast<int>(std::lround(G.Sweep * 16)));
  });
}

void TCanvas::SetPixel(int32_t X, int32_t Y, TColor Color)
{
  if (Color == clNone)
    return;
  QPainter* Q = D->Other();
  if (!Q)
    return;
  Q->fillRect(X, Y, 1, 1, ToQColor(Color));
}

TColor TCanvas::Pixel(int32_t X, int32_t Y) const
{
  if (!D->Image || X < 0 || Y < 0 || X >= D->Image->width() || Y >= D->Image->height())
    return CLR_INVALID;
  if (D->HasClip && !D->Clip.contains(QPoint(X, Y)))
    return CLR_INVALID;
  const QRgb C = D->Image->pixel(X, Y);
  return RGBColor(qRed(C), qGreen(C), qBlue(C));
}

// --- fills -------------------------------------------------------------------

void TCanvas::FillRect(const TRect& R)
{
  QPainter* Q = D->Other();
  if (!Q || R.Right <= R.Left || R.Bottom <= R.Top)
    return;
  bool Null = false, Hatch = false;
  const QBrush B = D->BrushOf(*FBrush, Null, Hatch);
  if (Null)
    return;
  Q->setBrushOrigin(0, 0);
  Q->fillRect(QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top), B);
}

void TCanvas::PatBlt(const TRect& R)
{
  QPainter* Q = D->Other();
  if (!Q || R.Right <= R.Left || R.Bottom <= R.Top)
    return;
  D->RealizeBrush();
  if (D->BrushNull)
    return;
  Q->setBrushOrigin(0, 0);
  Q->fillRect(QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top), D->QtBrush);
}

// --- text ----------------------------------------------------------------------

void TCanvas::TextOut(int32_t X, int32_t Y, const String& Text)
{
  D->EnsureCanvasFont();
  DeviceTextOut(X, Y, Text);
  if (!(FTextAlign & TA_UPDATECP))
    FPenPos = TPoint{X + D->TextWidthOf(Text), Y};
}

TPoint TCanvas::TextExtent(const String& Text)
{
  D->EnsureCanvasFont();
  return DeviceTextExtent(Text);
}

int32_t TCanvas::TextWidth(const String& Text) { return TextExtent(Text).X; }
int32_t TCanvas::TextHeight(const String& Text) { return TextExtent(Text).Y; }

TPoint TCanvas::DeviceTextExtent(const String& Text)
{
  D->RealizedFont();
  return TPoint{D->TextWidthOf(Text), D->Ascent + D->Descent};
}

void TCanvas::DeviceTextOut(int32_t X, int32_t Y, const String& Text)
{
  const QFont& Drawn = D->FontToDraw();
  QFontMetrics& M = *D->Metrics;
  const bool UpdateCP = FTextAlign & TA_UPDATECP;
  if (UpdateCP) {
    X = FPenPos.X;
    Y = FPenPos.Y;
  }
  const int32_t HAlign = FTextAlign & 6;
  const bool Opaque = FBkMode == OPAQUE && FBkColor != clNone;
  // Measuring costs a text layout of its own: only when it is needed.
  const int32_t W = (HAlign != TA_LEFT || UpdateCP || Opaque) ? D->TextWidthOf(Text) : 0;
  const int32_t VAlign = FTextAlign & 24;
  const int32_t Dx = HAlign == TA_RIGHT ? -W : HAlign == TA_CENTER ? -(W / 2) : 0;
  const int32_t Dy = VAlign == TA_BASELINE ? 0 : VAlign == TA_BOTTOM ? -D->Descent : D->Ascent;
  if (UpdateCP)
    FPenPos.X += HAlign == TA_RIGHT ? -W : HAlign == TA_CENTER ? 0 : W;
  if (Text.isEmpty())
    return;

  const double Angle = D->LogFont.Escapement / 10.0;
  const bool PerChar = FGraphicsMode == GM_ADVANCED && D->LogFont.Orientation != D->LogFont.Escapement;
  if (FPathOpen) {
    QPainterPath T;
    T.addText(QPointF(Dx, Dy), Drawn, Text);
    QTransform Tr;
    Tr.translate(X, Y);
    Tr.rotate(-Angle);
    D->Path.addPath(Tr.map(T));
    D->FigureOpen = false;
    return;
  }

  QPainter* Q = D->Other();
  if (!Q)
    return;
  const bool Rotated = Angle != 0 || PerChar;
  if (Rotated) {
    Q->save();
    Q->translate(X, Y);
    Q->rotate(-Angle);
  }
  const int32_t OX = Rotated ? 0 : X, OY = Rotated ? 0 : Y;
  if (Opaque)
    Q->fillRect(QRect(OX + Dx, OY + Dy - D->Ascent, W, D->Ascent + D->Descent), ToQColor(FBkColor));
  if (FTextColor != clNone) {
    if (!D->PainterFontSet) {
      Q->setFont(Drawn);
      D->PainterFontSet = true;
    }
    Q->setPen(ToQColor(FTextColor));
    if (PerChar) {
      // Each character turned by the orientation about its own origin,
      // advancing along the escapement.
      const double Turn = (D->LogFont.Orientation - D->LogFont.Escapement) / 10.0;
      double Pos = Dx;
      for (const QChar C : Text) {
        Q->save();
        Q->translate(Pos, Dy);
        Q->rotate(-Turn);
        Q->drawText(QPointF(0, 0), QString(C));
        Q->restore();
        Pos += M.horizontalAdvance(C) + FCharExtra;
      }
    } else {
      Q->drawText(QPoint(OX + Dx, OY + Dy), Text);
    }
    D->PenOnPainter = false;
  }
  if (Rotated) {
    Q->restore();
    D->PainterReset();
  }
}

int32_t TCanvas::DrawText(const String& Text, TRect& R, uint32_t Format)
{
  D->EnsureCanvasFont();
  const QFont& Drawn = D->FontToDraw();
  QFontMetrics& M = *D->Metrics;
  const bool Single = Format & DT_SINGLELINE;
  String Shown = Text;
  int Flags = Format & DT_RIGHT ? Qt::AlignRight : Format & DT_CENTER ? Qt::AlignHCenter : Qt::AlignLeft;
  if (Single) {
    Flags |= Qt::TextSingleLine;
    Flags |= Format & DT_BOTTOM ? Qt::AlignBottom : Format & DT_VCENTER ? Qt::AlignVCenter : Qt::AlignTop;
  } else {
    Flags |= Qt::AlignTop;
    if (Format & DT_WORDBREAK)
      Flags |= Qt::TextWordWrap;
  }
  if (Format & DT_EXPANDTABS)
    Flags |= Qt::TextExpandTabs;
  if (!(Format & DT_NOPREFIX))
    Flags |= Qt::TextShowMnemonic;
  // The platform breaks lines at CR, LF or CR LF alike.
  if (!Single && Shown.contains(u'\r')) {
    Shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Shown.replace(u'\r', u'\n');
  }
  const QRect Box(R.Left, R.Top, std::max(0, R.Right - R.Left), std::max(0, R.Bottom - R.Top));
  if ((Format & DT_END_ELLIPSIS) && Single)
    Shown = M.elidedText(Shown, Qt::ElideRight, Box.width(), Flags);

  if (Format & DT_CALCRECT) {
    if (Shown.isEmpty()) {
      R.Bottom = R.Top;
      R.Right = R.Left;
      return 0;
    }
    const QRect Need =
        M.boundingRect(QRect(R.Left, R.Top, Single || !(Format & DT_WORDBREAK) ? 1 << 20 : Box.width(), 1 << 20),
                       Flags & ~(Qt::AlignRight | Qt::AlignHCenter | Qt::AlignBottom | Qt::AlignVCenter), Shown);
    R.Right = R.Left + Need.width();
    R.Bottom = R.Top + Need.height();
    return Need.height();
  }
  if (Shown.isEmpty())
    return 0;
  QPainter* Q = D->Other();
  if (!Q)
    return 0;
  if (!D->PainterFontSet) {
    Q->setFont(Drawn);
    D->PainterFontSet = true;
  }
  const int32_t LineHeight = D->Ascent + D->Descent;
  // One line that fits needs no layout and no clip: the common cell, drawn
  // from its laid-out text.
  const bool Plain = FCharExtra == 0 && !Shown.contains(u'\n') && !Shown.contains(u'\t') && !Shown.contains(u'&');
  const TShapedText* Shaped = Plain ? &D->Shaped(Shown) : nullptr;
  const int32_t W = Shaped ? Shaped->Advance : -1;
  if (Plain && W <= Box.width() && (Single || LineHeight <= Box.height() || (Format & DT_NOCLIP))) {
    const int32_t X = Flags & Qt::AlignRight     ? Box.left() + Box.width() - W
                      : Flags & Qt::AlignHCenter ? Box.left() + (Box.width() - W) / 2
                                                 : Box.left();
    int32_t Y = Box.top();
    if (Single && (Flags & Qt::AlignBottom))
      Y = Box.top() + Box.height() - LineHeight;
    else if (Single && (Flags & Qt::AlignVCenter))
      Y = Box.top() + (Box.height() - LineHeight) / 2;
    const bool Clip = Single && (Y < Box.top() || Y + LineHeight > Box.top() + Box.height()) && !(Format & DT_NOCLIP);
    if (Clip) {
      Q->save();
      Q->setClipRect(Box, Qt::IntersectClip);
    }
    if (FBkMode == OPAQUE && FBkColor != clNone)
      Q->fillRect(QRect(X, Y, W, LineHeight), ToQColor(FBkColor));
    if (FTextColor != clNone) {
      Q->setPen(ToQColor(FTextColor));
      Q->drawStaticText(QPoint(X, Y), Shaped->Static);
      D->PenOnPainter = false;
    }
    if (Clip) {
      Q->restore();
      D->PainterReset();
    }
    return LineHeight;
  }
  const QRect Need = M.boundingRect(Box, Flags, Shown);
  if (FBkMode == OPAQUE && FBkColor != clNone)
    Q->fillRect(Need.intersected(Format & DT_NOCLIP ? Need : Box), ToQColor(FBkColor));
  if (FTextColor != clNone) {
    Q->setPen(ToQColor(FTextColor));
    Q->drawText(Box, Flags | (Format & DT_NOCLIP ? Qt::TextDontClip : 0), Shown);
    D->PenOnPainter = false;
  }
  return Need.height();
}

void TCanvas::DrawFocusRect(const TRect& R)
{
  QPainter* Q = D->Other();
  if (!Q || R.Right <= R.Left || R.Bottom <= R.Top)
    return;
  // Every other pixel of the outline, inverted.
  Q->save();
  Q->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  Q->setPen(QPen(Qt::white, 1));
  for (int32_t X = R.Left; X < R.Right; X += 2) {
    Q->drawPoint(X, R.Top);
    if (R.Bottom - 1 > R.Top)
      Q->drawPoint(X, R.Bottom - 1);
  }
  for (int32_t Y = R.Top + 2; Y < R.Bottom - 1; Y += 2) {
    Q->drawPoint(R.Left, Y);
    if (R.Right - 1 > R.Left)
      Q->drawPoint(R.Right - 1, Y);
  }
  Q->restore();
  D->PainterReset();
}

// --- pictures ----------------------------------------------------------------

void TCanvas::Draw(int32_t X, int32_t Y, const TGraphic* Graphic)
{
  if (!Graphic || Graphic->Empty())
    return;
  QPainter* Q = D->Other();
  if (!Q)
    return;
  const QImage* Img = Graphic->DrawnImage();
  if (Img)
    Q->drawImage(QPoint(X, Y), *Img);
}

void TCanvas::StretchDraw(const TRect& R, const TGraphic* Graphic)
{
  if (!Graphic || Graphic->Empty())
    return;
  QPainter* Q = D->Other();
  if (!Q)
    return;
  const QImage* Img = Graphic->DrawnImage();
  if (!Img)
    return;
  QRect Dest(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::abs(R.Right - R.Left),
             std::abs(R.Bottom - R.Top));
  // A reversed rectangle mirrors the picture, as the device's stretch does.
  const bool MirrorX = R.Right < R.Left, MirrorY = R.Bottom < R.Top;
  if (MirrorX || MirrorY)
    Q->drawImage(Dest, Img->mirrored(MirrorX, MirrorY));
  else
    Q->drawImage(Dest, *Img);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect)
{
  if (!Source || !Source->D->Image)
    return;
  QPainter* Q = D->Other();
  if (!Q)
    return;
  const QRect S(SourceRect.Left, SourceRect.Top, SourceRect.Width(), SourceRect.Height());
  const QRect T(Dest.Left, Dest.Top, Dest.Width(), Dest.Height());
  Q->setCompositionMode(QPainter::CompositionMode_Source);
  if (Source == this)
    Q->drawImage(T, Source->D->Image->copy(S));
  else
    Q->drawImage(T, *Source->D->Image, S);
  Q->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

bool TCanvas::BitBlt(int32_t X, int32_t Y, int32_t W, int32_t H, TCanvas* Source, int32_t SX, int32_t SY)
{
  if (!Source || !Source->D->Image || !HandleAllocated())
    return false;
  CopyRect(TRect{X, Y, X + W, Y + H}, Source, TRect{SX, SY, SX + W, SY + H});
  return true;
}

// --- paths -----------------------------------------------------------------------

bool TCanvas::BeginPath()
{
  D->Path = QPainterPath();
  D->Path.setFillRule(Qt::OddEvenFill);
  D->PathValid = false;
  D->FigureOpen = false;
  FPathOpen = true;
  return true;
}

bool TCanvas::EndPath()
{
  if (!FPathOpen)
    return false;
  FPathOpen = false;
  D->PathValid = true;
  D->FigureOpen = false;
  return true;
}

void TCanvas::AbortPath()
{
  FPathOpen = false;
  D->PathValid = false;
  D->FigureOpen = false;
  D->Path = QPainterPath();
}

void TCanvas::CloseFigure()
{
  if (FPathOpen && D->FigureOpen) {
    D->Path.closeSubpath();
    D->FigureOpen = false;
  }
}

bool TCanvas::StrokePath()
{
  if (!D->PathValid)
    return false;
  const QPainterPath P = D->Path;
  AbortPath();
  D->Stroke([&](QPainter* Q) { Q->strokePath(P, Q->pen()); });
  return true;
}

bool TCanvas::FillPath()
{
  if (!D->PathValid)
    return false;
  const QPainterPath P = D->Path;
  AbortPath();
  QPainter* Q = D->Shape();
  if (Q && !D->BrushNull && !D->Nop())
    Q->fillPath(P, D->QtBrush);
  return true;
}

bool TCanvas::StrokeAndFillPath()
{
  if (!D->PathValid)
    return false;
  const QPainterPath P = D->Path;
  AbortPath();
  QPainter* Q = D->Shape();
  if (!Q || D->Nop())
    return true;
  if (!D->BrushNull)
    Q->fillPath(P, D->QtBrush);
  if (!D->PenNull)
    D->Stroke([&](QPainter* S) { S->strokePath(P, S->pen()); });
  return true;
}

bool TCanvas::WidenPath()
{
  if (!D->PathValid)
    return false;
  D->RealizePen();
  QPainterPathStroker S;
  S.setWidth(std::max(1, D->PenWidth));
  S.setCapStyle(D->PenNull ? Qt::FlatCap : D->QtPen.capStyle());
  S.setJoinStyle(D->PenNull ? Qt::MiterJoin : D->QtPen.joinStyle());
  D->Path = S.createStroke(D->Path);
  return true;
}

TRegion TCanvas::PathToRegion()
{
  if (!D->PathValid)
    return TRegion();
  const QPainterPath P = D->Path;
  AbortPath();
  QRegion R;
  if (P.fillRule() == Qt::OddEvenFill) {
    // Even-odd filling: every sub-figure toggles the pixels it covers.
    for (const QPolygonF& Poly : P.toSubpathPolygons())
      R = R.xored(QRegion(Poly.toPolygon(), Qt::OddEvenFill));
  } else {
    for (const QPolygonF& Poly : P.toFillPolygons())
      R = R.united(QRegion(Poly.toPolygon(), Qt::WindingFill));
  }
  return TRegion(R);
}

bool TCanvas::SelectClipPath(TRegionMode Mode)
{
  if (!D->PathValid)
    return false;
  const TRegion R = PathToRegion();
  ExtSelectClipRgn(&R, Mode);
  return true;
}

// --- clipping ---------------------------------------------------------------------

bool TCanvas::GetClipRgn(TRegion& Region) const
{
  if (!D->HasClip)
    return false;
  Region = TRegion(D->Clip);
  return true;
}

void TCanvas::SelectClipRgn(const TRegion* Region)
{
  if (Region) {
    D->Clip = Region->AsQRegion();
    D->HasClip = true;
  } else {
    D->Clip = QRegion();
    D->HasClip = false;
  }
  D->ClipValid = false;
}

void TCanvas::ExtSelectClipRgn(const TRegion* Region, TRegionMode Mode)
{
  if (!Region) {
    if (Mode == RGN_COPY)
      SelectClipRgn(nullptr);
    return;
  }
  const QRegion Current = D->HasClip ? D->Clip : QRegion(0, 0, D->Width(), D->Height());
  const QRegion& R = Region->AsQRegion();
  QRegion Result;
  switch (Mode) {
  case RGN_AND:
    Result = Current.intersected(R);
    break;
  case RGN_OR:
    Result = Current.united(R);
    break;
  case RGN_XOR:
    Result = Current.xored(R);
    break;
  case RGN_DIFF:
    Result = Current.subtracted(R);
    break;
  case RGN_COPY:
    Result = R;
    break;
  }
  D->Clip = Result;
  D->HasClip = true;
  D->ClipValid = false;
}

bool TCanvas::PtVisible(int32_t X, int32_t Y) const
{
  if (X < 0 || Y < 0 || X >= D->Width() || Y >= D->Height())
    return false;
  return !D->HasClip || D->Clip.contains(QPoint(X, Y));
}

TRect TCanvas::ClipBox() const
{
  if (!D->HasClip)
    return TRect{0, 0, D->Width(), D->Height()};
  const QRect B = D->Clip.boundingRect();
  return TRect{B.left(), B.top(), B.left() + B.width(), B.top() + B.height()};
}

// --- saved states -----------------------------------------------------------------

int32_t TCanvas::SaveDC()
{
  TSavedDC S;
  S.Clip = D->Clip;
  S.HasClip = D->HasClip;
  S.Path = D->Path;
  S.PathOpen = FPathOpen;
  S.PathValid = D->PathValid;
  S.FigureOpen = D->FigureOpen;
  S.PenPos = FPenPos;
  S.BkColor = FBkColor;
  S.BkMode = FBkMode;
  S.TextColor = FTextColor;
  S.TextAlign = FTextAlign;
  S.CharExtra = FCharExtra;
  S.ArcDirection = FArcDirection;
  S.GraphicsMode = FGraphicsMode;
  S.Rop = D->Rop;
  if (D->HasLogFont)
    S.Font = D->LogFont;
  S.DCBrushSelected = FDCBrushSelected;
  S.DCPenSelected = FDCPenSelected;
  S.DCBrushColor = FDCBrushColor;
  S.DCPenColor = FDCPenColor;
  D->Saves.push_back(std::move(S));
  return static_cast<int32_t>(D->Saves.size());
}

bool TCanvas::RestoreDC(int32_t Index)
{
  const int32_t N = static_cast<int32_t>(D->Saves.size());
  const int32_t Target = Index < 0 ? N + Index + 1 : Index;
  if (Target < 1 || Target > N)
    return false;
  TSavedDC S = std::move(D->Saves[Target - 1]);
  D->Saves.resize(Target - 1);
  D->Clip = S.Clip;
  D->HasClip = S.HasClip;
  D->ClipValid = false;
  D->Path = S.Path;
  FPathOpen = S.PathOpen;
  D->PathValid = S.PathValid;
  D->FigureOpen = S.FigureOpen;
  FPenPos = S.PenPos;
  SetBkColor(S.BkColor);
  SetBkMode(S.BkMode);
  FTextColor = S.TextColor;
  FTextAlign = S.TextAlign;
  FCharExtra = S.CharExtra;
  FArcDirection = S.ArcDirection;
  FGraphicsMode = S.GraphicsMode;
  if (S.Font)
    D->SelectFont(*S.Font);
  FDCBrushSelected = S.DCBrushSelected;
  FDCPenSelected = S.DCPenSelected;
  FDCBrushColor = S.DCBrushColor;
  FDCPenColor = S.DCPenColor;
  D->PenValid = false;
  D->BrushValid = false;
  D->PenSelectPending = false;
  D->Rop = S.Rop;
  return true;
}
