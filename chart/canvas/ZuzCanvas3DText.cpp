// Text output of the GDI canvas: plain, rotated and placed in 3D, with the
// chart font's shadow, emboss, outline and gradient or picture fill.
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/ClipHistory.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzFilter.h"
#include "chart/canvas/ZuzShadow.h"

#include <cmath>

uint8_t BestFontQuality = ANTIALIASED_QUALITY;

void TZuzCanvas3D::SetFontQuality(TLogFont& LogFont)
{
  switch (FFont->Quality()) {
  case fqNormal:
    LogFont.Quality = NONANTIALIASED_QUALITY;
    break;
  case fqDefault:
    switch (FontQuality) {
    case fqBest:
      LogFont.Quality = ANTIALIASED_QUALITY;
      break;
    case fqNormal:
      LogFont.Quality = NONANTIALIASED_QUALITY;
      break;
    case fqDefault:
      LogFont.Quality = DEFAULT_QUALITY;
      break;
    case fqClearType:
      LogFont.Quality = CLEARTYPE_QUALITY;
      break;
    }
    break;
  case fqBest:
  case fqClearType:
    LogFont.Quality = BestFontQuality;
    break;
  }
}

TLogFont TZuzCanvas3D::GetNewFont(TCanvas* DC, float Size)
{
  TLogFont F = TLogFont::FromFont(*FFont);
  F.Height = -PixelRound(double(Size) * FFont->PixelsPerInch() / 72.0);
  SetFontQuality(F);
  return DC->SelectLogFont(F);
}

void TZuzCanvas3D::DoTextOut(TCanvas* DC, int32_t X, int32_t Y, const String& Text) { DC->DeviceTextOut(X, Y, Text); }

TRect TZuzCanvas3D::RectText(int32_t X, int32_t Y, const String& Text)
{
  const TPointFloat S = TextSize(Text);
  const int32_t W = PixelRound(S.x), H = PixelRound(S.y);
  int32_t Align = GetTextAlign();
  if (Align >= TA_BOTTOM)
    Align -= TA_BOTTOM;
  TRect R;
  if (Align == TA_RIGHT) {
    R.Left = X - W;
    R.Right = X;
  } else if (Align == TA_CENTER) {
    R.Left = X - W / 2;
    R.Right = X + W / 2;
  } else {
    R.Left = X;
    R.Right = X + W;
  }
  R.Top = Y;
  R.Bottom = Y + H;
  return R;
}

void TZuzCanvas3D::DoFontShadow(TCanvas* DC, TZuzShadow* Shadow, int32_t Direction, int32_t& X, int32_t& Y,
                                const String& Text)
{
  if (!Shadow->Visible() || (Shadow->HorizSize() == 0 && Shadow->VertSize() == 0))
    return;
  int32_t SX = X, SY = Y;
  // A negative size leaves the shadow where the text was asked for and moves
  // the text instead.
  if (Shadow->HorizSize() < 0)
    X -= Shadow->HorizSize() * Direction;
  else
    SX = X + Shadow->HorizSize() * Direction;
  if (Shadow->VertSize() < 0)
    Y -= Shadow->VertSize() * Direction;
  else
    SY = Y + Shadow->VertSize() * Direction;
  std::unique_ptr<TZuzBlend> Blend;
  const bool Blending = Shadow->Transparency() != 0;
  if (Blending)
    Blend = BeginBlending(SupportsAlpha() ? TRect{} : RectText(SX, SY, Text), Shadow->Transparency());
  DC->SetTextColor(Shadow->Color());
  DoTextOut(DC, SX, SY, Text);
  if (Shadow->Smooth() && FBitmap && !FBitmap->Empty())
    BlurTextShadow(DC, Shadow, SX, SY, Text);
  if (Blending)
    EndBlending(std::move(Blend));
}

void TZuzCanvas3D::BlurTextShadow(TCanvas* DC, TZuzShadow* Shadow, int32_t SX, int32_t SY, const String& Text)
{
  const TPoint Size = DC->DeviceTextExtent(Text);
  const int32_t Align = DC->TextAlign() & TA_CENTER;
  if (Align == TA_CENTER)
    SX -= Size.X / 2;
  else if (Align == TA_RIGHT)
    SX -= Size.X;
  TRect R{std::max(SX - 1, 0), std::max(SY, 0), std::min(FBitmap->Width() - 1, SX + Size.X),
          std::min(FBitmap->Height() - 1, SY + Size.Y - 1)};
  TBlurFilter Blur;
  // The blur amount comes from the chart; the filter caps its passes.
  Blur.SetSteps(std::max(1, Shadow->SmoothBlur()));
  Blur.Apply(FBitmap.get(), R);
  DC->SetBkMode(TRANSPARENT);
}

void TZuzCanvas3D::DirectTextOut(TCanvas* DC, int32_t X, int32_t Y, const String& Text)
{
  if (!DC)
    return;
  if (TZuzShadow* S = FFont->ShadowIfAny())
    DoFontShadow(DC, S, 1, X, Y, Text);
  if (TZuzShadow* E = FFont->EmbossIfAny())
    DoFontShadow(DC, E, -1, X, Y, Text);
  DC->SetTextColor(FFont->Color());

  TZuzHiddenPen* Outline = FFont->OutLineIfAny();
  const bool HasOutline = Outline && Outline->Visible();
  const bool HasGradient = FFont->Brush()->HasGradient();
  const bool HasPicture = FFont->Brush()->HasGraphic();
  if (!HasOutline && !HasGradient && !HasPicture) {
    DoTextOut(DC, X, Y, Text);
    return;
  }
  if (HasOutline)
    AssignVisiblePenColor(Outline, Outline->Color());
  else
    FPen->SetStyle(psClear);
  FBrush->SetColor(FFont->Color());
  FBrush->SetStyle(bsSolid);
  SetBackMode(cbmTransparent);
  auto CreateFontPath = [&] {
    DC->BeginPath();
    DoTextOut(DC, X, Y, Text);
    DC->EndPath();
  };
  CreateFontPath();

  bool OutlineToDraw = HasOutline;
  bool Filled = false;
  if (HasGradient) {
    const bool Widen = HasOutline && Outline->IsGradientVisible();
    if (Widen)
      DC->WidenPath();
    SetCanvasRegion(DC, DC->PathToRegion(), RGN_AND);
    FFont->Brush()->Gradient()->Draw(this, RectText(X, Y, Text), 0);
    UnClipRectangle();
    Filled = true;
    if (Widen) {
      OutlineToDraw = false;
    } else if (HasOutline) {
      CreateFontPath();
      FBrush->SetStyle(bsClear);
    }
  } else if (HasPicture) {
    SetCanvasRegion(DC, DC->PathToRegion(), RGN_AND);
    FCanvas->StretchDraw(RectText(X, Y, Text), FFont->Brush()->Image()->Filtered());
    UnClipRectangle();
    Filled = true;
    if (HasOutline) {
      CreateFontPath();
      FBrush->SetStyle(bsClear);
    }
  }
  if (!OutlineToDraw) {
    DC->AbortPath();
    return;
  }
  if (FFont->Color() == clNone) {
    DC->StrokePath();
  } else {
    DC->StrokeAndFillPath();
    // Plain text over the outline, unless a gradient or picture fills the
    // glyphs: it would paint the fill over.
    if (!Filled) {
      const int32_t W = Outline->Width();
      DoTextOut(DC, X + W / 2, Y + W / 2, Text);
    }
  }
}

void TZuzCanvas3D::TextOut(int32_t X, int32_t Y, const String& Text)
{
  if (!FCanvas)
    return;
  const TLogFont Old = GetNewFont(FCanvas, FFont->SizeFloat());
  DirectTextOut(FCanvas, X, Y, Text);
  FCanvas->SelectLogFont(Old);
}

void TZuzCanvas3D::RotateLabel(int32_t x, int32_t y, const String& St, double RotDegree, bool)
{
  if (!FCanvas)
    return;
  while (RotDegree > 360)
    RotDegree -= 360;
  if (RotDegree == 0 && CharacterAngle == 0) {
    TextOut(x, y, St);
    return;
  }
  TLogFont F = TLogFont::FromFont(*FFont);
  F.Escapement = PixelRound(RotDegree * 10);
  if (CharacterAngle != 0)
    F.Orientation = PixelRound(CharacterAngle * 10);
  else
    F.Orientation = F.Escapement;
  F.OutPrecision = 7;
  SetFontQuality(F);
  if (CharacterAngle != 0)
    FCanvas->SetGraphicsMode(GM_ADVANCED);
  const TLogFont Old = FCanvas->SelectLogFont(F);
  if (IUseTextCenter) {
    const double S = std::sin(RotDegree * DegToRad), C = std::cos(RotDegree * DegToRad);
    const double Dx = FCanvas->TextAlign() == TA_CENTER ? 0 : x - ITextCenter.X;
    const double Dy = y - ITextCenter.Y;
    x = PixelRound(C * Dx + S * Dy + ITextCenter.X);
    y = PixelRound(-S * Dx + C * Dy + ITextCenter.Y);
  }
  DirectTextOut(FCanvas, x, y, St);
  FCanvas->SelectLogFont(Old);
  if (CharacterAngle != 0)
    FCanvas->SetGraphicsMode(GM_COMPATIBLE);
}

void TZuzCanvas3D::RotateLabel3D(int32_t x, int32_t y, int32_t z, const String& St, double RotDegree, bool AllowHTML)
{
  const TPoint P = Calculate3DPosition(x, y, z);
  RotateLabel(P.X, P.Y, St, RotDegree, AllowHTML);
}

void TZuzCanvas3D::TextOut3D(int32_t x, int32_t y, int32_t z, const String& Text, bool AllowHTML)
{
  if (!FCanvas)
    return;
  const TPoint P = Calculate3DPosition(x, y, z);
  if (AllowHTML) {
    TZuzCanvas::TextOut(P.X, P.Y, Text, true);
    return;
  }
  // The canvas font is the device's font here.
  FCanvas->CurrentLogFont();
  DirectTextOut(FCanvas, P.X, P.Y, Text);
}
