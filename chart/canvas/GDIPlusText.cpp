// Text and pictures of the anti-aliased canvas: the font and its rendering
// hint, the embedded display fonts, measuring, the text pipeline (alignment,
// rotation, background, shadow and emboss, outline, gradient or picture
// fill) and pictures at natural size or stretched, with the canvas alpha.
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/CanvasMath.h"
#include "platform/FontFamilies.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/GDIPlusGraphics.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzFilter.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzShadow.h"

#include <QFont>
#include <QFontDatabase>
#include <QImage>
#include <QPainterPath>
#include <QTransform>

#include <cmath>

namespace {

// Measures text when the canvas has no device yet (screen metrics).
TGPGraphics& DeviceLessGraphics()
{
  static TGPGraphics G(nullptr);
  return G;
}

TGPTextRenderingHint HintOf(TGDIPlusFontQuality Q)
{
  switch (Q) {
  case gpfBest:
    return TextRenderingHintAntiAlias;
  case gpfClearType:
    return TextRenderingHintClearTypeGridFit;
  case gpfNormal:
    return TextRenderingHintSingleBitPerPixelGridFit;
  case gpfDefault:
    break;
  }
  return TextRenderingHintSystemDefault;
}

int32_t ShadowWidth(TZuzShadow* S) { return S && S->Visible() ? std::abs(S->HorizSize()) : 0; }
int32_t ShadowHeight(TZuzShadow* S) { return S && S->Visible() ? std::abs(S->VertSize()) : 0; }

} // namespace

// --- fonts -----------------------------------------------------------------------------------

String TGDIPlusCanvas::GetPrivateFont(const String& Name)
{
  if (Name != QLatin1String("Elektra") && Name != QLatin1String("DS-Digital"))
    return String();
  // The chart canvas loads the two display fonts at start-up and maps their
  // names onto the families it loaded.
  const QStringList Families = QFont::substitutes(Name);
  return Families.isEmpty() ? String() : Families.first();
}

void TGDIPlusCanvas::DoChangedFont()
{
  // The device font follows too: text the GDI canvas draws for this one (XOR
  // drawing, the fall-backs) uses it.
  TZuzCanvas3D::DoChangedFont();
  float S = std::max(0.1f, FFont->SizeFloat());
  if (FMetafiling && FCanvas && FCanvas->Font()->PixelsPerInch() > 0)
    S = FFont->PixelsPerInch() * S / FCanvas->Font()->PixelsPerInch();
  const TFontStyles Style = FFont->Style();
  const String& Name = FFont->Name();
  if (!FGPFont || Name != IOldFont.Name || S != IOldFont.Size || Style != IOldFont.Style) {
    QFont F;
    String Family = GetPrivateFont(Name);
    if (Family.isEmpty()) {
      // Another spelling of a display font's name is a font that is not
      // installed: the default family stands in.
      if (Name.compare(QLatin1String("Elektra"), Qt::CaseInsensitive) == 0 ||
          Name.compare(QLatin1String("DS-Digital"), Qt::CaseInsensitive) == 0)
        Family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
      else
        Family = FontFamilyFor(Name);
    }
    F.setFamily(Family);
    F.setPointSizeF(S);
    F.setBold(Style & FontStyleBit(fsBold));
    F.setItalic(Style & FontStyleBit(fsItalic));
    F.setUnderline(Style & FontStyleBit(fsUnderline));
    F.setStrikeOut(Style & FontStyleBit(fsStrikeOut));
    F.setKerning(false);
    FGPFont = std::make_unique<QFont>(F);
    IOldFont = TZuzFontCache{Name, S, Style};
  }
  if (!FGraphics)
    return;
  TGPTextRenderingHint Hint = TextRenderingHintSystemDefault;
  switch (FFont->Quality()) {
  case fqBest:
    Hint = TextRenderingHintAntiAlias;
    break;
  case fqNormal:
    Hint = TextRenderingHintSingleBitPerPixelGridFit;
    break;
  case fqClearType:
    Hint = TextRenderingHintClearTypeGridFit;
    break;
  case fqDefault:
    if (GetAntiText() == gpfDefault)
      Hint = S >= 20 ? TextRenderingHintAntiAlias : TextRenderingHintClearTypeGridFit;
    else
      Hint = HintOf(GetAntiText());
    break;
  }
  FGraphics->SetTextRenderingHint(Hint);
}

TGDIPlusFontQuality TGDIPlusCanvas::GetAntiText() const
{
  switch (FontQuality) {
  case fqBest:
    return gpfBest;
  case fqClearType:
    return gpfClearType;
  case fqNormal:
    return gpfNormal;
  case fqDefault:
    break;
  }
  return gpfDefault;
}

void TGDIPlusCanvas::SetAntiText(TGDIPlusFontQuality Value)
{
  if (Value == GetAntiText())
    return;
  switch (Value) {
  case gpfBest:
    FontQuality = fqBest;
    break;
  case gpfDefault:
    FontQuality = fqDefault;
    break;
  case gpfClearType:
    FontQuality = fqClearType;
    break;
  case gpfNormal:
    FontQuality = fqNormal;
    break;
  }
  if (F3DOptions)
    F3DOptions->Repaint();
  if (FGraphics)
    DoSetAntiAliasText();
}

void TGDIPlusCanvas::DoSetAntiAliasText()
{
  if (FGraphics)
    FGraphics->SetTextRenderingHint(HintOf(GetAntiText()));
}

// --- measuring -----------------------------------------------------------------------------------

TPointFloat TGDIPlusCanvas::TextSize(const String& St)
{
  if (!FGPFont)
    DoChangedFont();
  TGPGraphics* G = FGraphics ? FGraphics.get() : &DeviceLessGraphics();
  const QSizeF S = G->MeasureString(St, *FGPFont, false);
  TPointFloat R{float(S.width()), float(S.height())};
  for (TZuzShadow* Sh : {FFont->ShadowIfAny(), static_cast<TZuzShadow*>(FFont->EmbossIfAny())}) {
    R.x += float(ShadowWidth(Sh));
    R.y += float(ShadowHeight(Sh));
  }
  return R;
}

int32_t TGDIPlusCanvas::InternalTextWidth(const String& Text, bool Typographic)
{
  if (!FGPFont)
    DoChangedFont();
  TGPGraphics* G = FGraphics ? FGraphics.get() : &DeviceLessGraphics();
  const QSizeF S = G->MeasureString(Text, *FGPFont, Typographic);
  return static_cast<int32_t>(Round(S.width())) + ShadowWidth(FFont->ShadowIfAny()) + ShadowWidth(FFont->EmbossIfAny());
}

int32_t TGDIPlusCanvas::TextWidth(const String& St) { return InternalTextWidth(St, false); }

int32_t TGDIPlusCanvas::TextHeight(const String& St)
{
  if (!FGPFont)
    DoChangedFont();
  TGPGraphics* G = FGraphics ? FGraphics.get() : &DeviceLessGraphics();
  const QSizeF S = G->MeasureString(St, *FGPFont, false);
  return static_cast<int32_t>(Round(S.height() + 0.5)) + ShadowHeight(FFont->ShadowIfAny()) +
         ShadowHeight(FFont->EmbossIfAny());
}

TRect TGDIPlusCanvas::CalcTextRect(const TPointFloat& Origin, const String& Text)
{
  const TPointFloat S = TextSize(Text);
  return TRect{PixelRound(Origin.x), PixelRound(Origin.y), PixelRound(double(Origin.x) + S.x),
               PixelRound(double(Origin.y) + S.y)};
}

// --- drawing text -----------------------------------------------------------------------------------

std::unique_ptr<TGPBrush> TGDIPlusCanvas::TextBrush(TColor Color, const TPointFloat& P, const String& Text)
{
  FBrush->SetColor(Color);
  if (IsGradientVisible())
    return GBrush(CalcTextRect(P, Text));
  return GBrush();
}

void TGDIPlusCanvas::InternalTextOut(const TPointFloat& P, TColor Color, const String& Text)
{
  FGPBrush = TextBrush(Color, P, Text);
  if (FGraphics)
    FGraphics->DrawString(Text, *FGPFont, QPointF(P.x, P.y), *FGPBrush);
}

void TGDIPlusCanvas::TryDrawShadow(TZuzShadow* S, int32_t Sign, const TPointFloat& Origin, const String& Text)
{
  if (!S || !S->Visible() || (S->HorizSize() == 0 && S->VertSize() == 0))
    return;
  if (TZuzGradient* G = FBrush->GradientIfAny())
    G->SetVisible(false);
  InternalTextOut(TPointFloat{Origin.x + S->HorizSize(), Origin.y + S->VertSize()}, S->Color(), Text);
  if (S->Smooth() && S->SmoothBlur() != 0 && FBitmap) {
    TRect R = CalcTextRect(Origin, Text);
    const int32_t DX = (2 * S->HorizSize() + 3) * Sign, DY = (2 * S->VertSize() + 3) * Sign;
    R = TRect{R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY};
    TBlurFilter Blur;
    Blur.SetSteps(S->SmoothBlur());
    Blur.Apply(FBitmap.get(), R);
  }
}

void TGDIPlusCanvas::DrawOutline(const TPointFloat& Origin, const String& Text)
{
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  QFont F(*FGPFont);
  F.setPixelSize(std::max(1, PixelRound(G->DpiY() * FGPFont->pointSizeF() / 72.0)));
  QPainterPath P;
  TGPGraphics::AddString(P, Text, F, QPointF(Origin.x, Origin.y));
  TZuzHiddenPen* Outline = FFont->OutLine();
  AssignVisiblePenColor(Outline, Outline->Color());
  const QRectF B = P.boundingRect();
  if (HasPenF(TRectF{float(B.x()), float(B.y()), float(B.width()), float(B.height())}))
    G->DrawPath(*FGPPen, P);
  FGPBrush = TextBrush(FFont->Color(), Origin, Text);
  G->FillPath(*FGPBrush, P);
}

void TGDIPlusCanvas::TextOut(int32_t X, int32_t Y, const String& Text) { TextOut(float(X), float(Y), Text); }

void TGDIPlusCanvas::TextOut(float X, float Y, const String& Text)
{
  TGPGraphics* G = GetGraphics();
  if (!G || !FGPFont)
    return;
  if (FTextAlign == TA_RIGHT) {
    X -= float(InternalTextWidth(Text, true));
  } else if (FTextAlign == TA_CENTER) {
    X -= float(InternalTextWidth(Text, true)) / 2;
  } else if (FTextAlign == TA_CENTER + TA_BOTTOM) {
    const TPointFloat S = TextSize(Text);
    X -= S.x / 2;
    Y -= S.y;
  }
  const TPointFloat Origin{X, Y};

  // Rotation about the caller's centre, the text's middle (centred text) or
  // its origin, on top of the world transform in force, which comes back
  // afterwards.
  const bool Rotated = ITextRotation != 0 && ITextRotation != 360;
  const QTransform SavedWorld = G->Transform();
  if (Rotated) {
    QPointF C(X, Y);
    if (IUseTextCenter)
      C = QPointF(ITextCenter.X + 1, ITextCenter.Y);
    else if (FTextAlign == TA_CENTER)
      C = QPointF(X + TextWidth(Text) / 2.0, Y);
    QTransform R;
    R.translate(C.x(), C.y());
    R.rotate(ITextRotation);
    R.translate(-C.x(), -C.y());
    G->SetTransform(R * SavedWorld);
  }

  const TCanvasBackMode SavedBack = FBackMode;
  if (FBackMode != cbmTransparent)
    FillRect(CalcTextRect(Origin, Text));
  TryDrawShadow(FFont->ShadowIfAny(), 1, Origin, Text);
  TryDrawShadow(FFont->EmbossIfAny(), -1, Origin, Text);
  FBrush->Assign(FFont->Brush());
  TZuzHiddenPen* Outline = FFont->OutLineIfAny();
  if (Outline && Outline->Visible())
    DrawOutline(Origin, Text);
  else
    InternalTextOut(Origin, FFont->Color(), Text);
  if (TZuzGradient* Grad = FBrush->GradientIfAny())
    Grad->SetVisible(false);
  if (FBrush->HasImage())
    FBrush->SetImage(nullptr);
  FBackMode = SavedBack;
  if (Rotated)
    G->SetTransform(SavedWorld);
}

void TGDIPlusCanvas::RotateLabel(int32_t x, int32_t y, const String& St, double RotDegree, bool AllowHTML)
{
  if (AllowHTML) {
    // The pieces of tagged text are laid out along one line: the whole label
    // turns about its origin (or the caller's centre), not each piece about
    // its own.
    TGPGraphics* G = GetGraphics();
    if (!G)
      return;
    const QTransform Saved = G->Transform();
    const QPointF C = IUseTextCenter ? QPointF(ITextCenter.X + 1, ITextCenter.Y) : QPointF(x, y);
    QTransform R;
    R.translate(C.x(), C.y());
    R.rotate(360 - RotDegree);
    R.translate(-C.x(), -C.y());
    G->SetTransform(R * Saved);
    struct TRestore {
      TGPGraphics* G;
      QTransform T;
      ~TRestore() { G->SetTransform(T); }
    } Restore{G, Saved};
    TZuzCanvas::TextOut(x, y, St, true);
    return;
  }
  ITextRotation = 360 - RotDegree;
  struct TReset {
    double& R;
    ~TReset() { R = 0; }
  } Reset{ITextRotation};
  TextOut(x, y, St);
}

void TGDIPlusCanvas::TextOut3D(int32_t x, int32_t y, int32_t z, const String& Text, bool AllowHTML)
{
  const TPoint P = Calculate3DPosition(x, y, z);
  if (AllowHTML)
    TZuzCanvas::TextOut(P.X, P.Y, Text, true);
  else
    TextOut(P.X, P.Y, Text);
}

// --- pictures -------------------------------------------------------------------------------------------

void TGDIPlusCanvas::DrawBlendImage(const QImage& Image, const TRect& DestRect)
{
  if (TGPGraphics* G = GetGraphics())
    G->DrawImage(Image,
                 QRectF(DestRect.Left, DestRect.Top, DestRect.Right - DestRect.Left, DestRect.Bottom - DestRect.Top),
                 Transparency);
}

void TGDIPlusCanvas::Draw(int32_t X, int32_t Y, const TGraphic* Graphic)
{
  if (!Graphic || Graphic->Empty())
    return;
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  const TRect R{X, Y, X + Graphic->Width(), Y + Graphic->Height()};
  std::unique_ptr<TBitmap> Composed;
  const QImage* Img = Graphic->DrawnImage();
  if (!Img) {
    // A kind of picture without pixels of its own: composed over the buffer
    // by the GDI canvas first.
    Composed = TranspBitmap(Graphic, R);
    Img = Composed->ImageData();
  }
  DrawBlendImage(*Img, R);
}

void TGDIPlusCanvas::StretchDraw(const TRect& ARect, const TGraphic* Graphic)
{
  if (!Graphic || Graphic->Empty())
    return;
  TGPGraphics* G = GetGraphics();
  if (!G)
    return;
  std::unique_ptr<TBitmap> Composed;
  const QImage* Img = Graphic->DrawnImage();
  if (!Img) {
    Composed = TranspBitmap(Graphic, ARect);
    Img = Composed->ImageData();
  }
  const bool MirrorX = ARect.Right < ARect.Left, MirrorY = ARect.Bottom < ARect.Top;
  const QImage Oriented = MirrorX || MirrorY ? Img->mirrored(MirrorX, MirrorY) : QImage();
  G->SetInterpolationHighQuality(FStretchQuality == sqHigh);
  DrawBlendImage(MirrorX || MirrorY ? Oriented : *Img, OrientRectangle(ARect));
}

void TGDIPlusCanvas::ResizeBitmap(const TBitmap* Source, TBitmap* Dest)
{
  if (!Source || !Dest || Source->Empty() || Dest->Empty())
    return;
  Dest->SetImage(
      Source->ImageData()->scaled(Dest->Width(), Dest->Height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}
