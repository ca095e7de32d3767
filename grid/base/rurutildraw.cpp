// The drawing helpers of the grid's utilities: gradients, selection bands,
// in-cell buttons, progress bars, gauges, shapes and error underlines.
#include "grid/base/RurStyleIF.h"
#include "grid/base/rurutil.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawControls.h"
#include "platform/Graphics.h"
#include "platform/Region.h"
#include "platform/Resources.h"
#include "rtl/Numbers.h"
#include "rtl/Streams.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

int32_t Round(double V) { return static_cast<int32_t>(std::nearbyint(V)); }

struct TRGB {
  int32_t R, G, B;
};

TRGB Split(TColor C)
{
  const TColor V = ColorToRGB(C);
  return TRGB{GetRValue(V), GetGValue(V), GetBValue(V)};
}

TColor Join(int32_t R, int32_t G, int32_t B)
{
  return RGBColor(static_cast<uint32_t>(std::clamp(R, 0, 255)), static_cast<uint32_t>(std::clamp(G, 0, 255)),
                  static_cast<uint32_t>(std::clamp(B, 0, 255)));
}

// The colour of band I of Steps from F to T.
TColor BandColor(const TRGB& F, const TRGB& T, int32_t I, int32_t Steps)
{
  return Join(F.R + Round(I * double(T.R - F.R) / Steps), F.G + Round(I * double(T.G - F.G) / Steps),
              F.B + Round(I * double(T.B - F.B) / Steps));
}

void Fill(TCanvas* C, const TRect& R, TColor Color)
{
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Color);
  C->FillRect(R);
}

void Line(TCanvas* C, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2)
{
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
}

void HPixels(TCanvas* C, int32_t X1, int32_t X2, int32_t Y, TColor Color)
{
  if (X2 > X1)
    Fill(C, TRect{X1, Y, X2, Y + 1}, Color);
}

void VPixels(TCanvas* C, int32_t X, int32_t Y1, int32_t Y2, TColor Color)
{
  if (Y2 > Y1)
    Fill(C, TRect{X, Y1, X + 1, Y2}, Color);
}

void Pixel(TCanvas* C, int32_t X, int32_t Y, TColor Color)
{
  if (Color != clNone)
    C->SetPixel(X, Y, ColorToRGB(Color));
}

// A frame drawn with the pen and a clear brush.
void Frame(TCanvas* C, const TRect& R, TColor Color)
{
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(Color);
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
  C->Brush()->SetStyle(bsSolid);
}

const TColorTone& ToneOf(const TColorTones& T, TControlState S)
{
  switch (S) {
  case csHover:
    return T.Hover;
  case csDown:
    return T.Selected;
  case csDisabled:
    return T.Disabled;
  default:
    return T.Background;
  }
}

void Triangle(TCanvas* C, std::array<TPoint, 3> P, TColor Color)
{
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(Color);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Color);
  C->Polygon(P);
}

// The formats that take an integer: a "d" or "u" after "%", "*", "." or a
// digit.
bool IntegerFormat(const String& F)
{
  for (qsizetype I = 1; I < F.length(); ++I)
    if ((F[I] == u'd' || F[I] == u'u') &&
        (F[I - 1] == u'%' || F[I - 1] == u'*' || F[I - 1] == u'.' || F[I - 1].isDigit()))
      return true;
  return false;
}

} // namespace

// ---------------------------------------------------------------- gradients

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int32_t Steps, TRect R, bool Horizontal)
{
  if (R.Top == R.Bottom)
    return;
  if (R.Top > R.Bottom)
    std::swap(R.Top, R.Bottom);
  if (FromColor == clNone || ToColor == clNone) {
    Fill(Canvas, R, FromColor == clNone ? ToColor : FromColor);
    return;
  }
  const int32_t Extent = (Horizontal ? R.Width() : R.Height()) - 1;
  Steps = std::max(1, std::min(Steps, Extent));
  const double Band = double(std::max(Extent, 0)) / Steps;
  const TRGB F = Split(FromColor), T = Split(ToColor);
  const int32_t Far = Horizontal ? R.Right : R.Bottom;
  const int32_t Near = Horizontal ? R.Left : R.Top;
  for (int32_t I = 0; I <= Steps; ++I) {
    const int32_t Start = Near + static_cast<int32_t>(I * Band);
    const int32_t End = std::min(Far, Start + static_cast<int32_t>(Band + 1));
    if (End <= Start)
      continue;
    Fill(Canvas, Horizontal ? TRect{Start, R.Top, End, R.Bottom} : TRect{R.Left, Start, R.Right, End},
         BandColor(F, T, I, Steps));
  }
}

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor BorderColor, int32_t Steps, TRect R,
                  bool Horizontal)
{
  Steps = std::max(1, Steps);
  const double Band = double(Horizontal ? R.Width() : R.Height()) / Steps;
  const TRGB F = Split(FromColor), T = Split(ToColor);
  for (int32_t I = 0; I < Steps; ++I) {
    const int32_t Start = Round(I * Band);
    const int32_t Length = Round(Band) + 1;
    Fill(Canvas,
         Horizontal ? TRect{R.Left + Start, R.Top, R.Left + Start + Length, R.Bottom}
                    : TRect{R.Left, R.Top + Start, R.Right, R.Top + Start + Length},
         BandColor(F, T, I, Steps));
  }
  if (BorderColor != clNone)
    Frame(Canvas, R, BorderColor);
}

namespace RurDropDown {
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int32_t Steps, const TRect& R, bool Horizontal)
{
  ::DrawGradient(Canvas, FromColor, ToColor, clNone, Steps, R, Horizontal);
}
} // namespace RurDropDown

void DrawVistaGradient(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                       bool Direction, TColor BorderColor, bool SideBordersOnly, bool Fill)
{
  if (Fill && Color != clNone) {
    if (MirrorColor == clNone && ColorTo == clNone) {
      ::Fill(Canvas, TRect{R.Left, R.Top, R.Right, R.Bottom + 1}, Color);
    } else if (MirrorColor == clNone) {
      DrawGradient(Canvas, Color, ColorTo, 128, R, !Direction);
    } else {
      TRect First = R, Second = R;
      if (Direction)
        First.Bottom = Second.Top = R.Top + R.Height() / 2;
      else
        First.Right = Second.Left = R.Left + R.Width() / 2;
      DrawGradient(Canvas, Color, ColorTo, 128, First, !Direction);
      DrawGradient(Canvas, MirrorColor, MirrorColorTo, 128, Second, !Direction);
    }
  }
  if (BorderColor == clNone)
    return;
  if (SideBordersOnly) {
    VPixels(Canvas, R.Left, R.Top, R.Bottom, BorderColor);
    VPixels(Canvas, R.Right - 1, R.Top, R.Bottom, BorderColor);
  } else {
    Frame(Canvas, R, BorderColor);
  }
}

void DrawSelectionGradient(TCanvas* Canvas, TColor C1, TColor C2, TColor C3, TColor C4, TColor C5, TColor C6, TColor C7,
                           TColor C8, TColor C9, TRect R, int32_t Part)
{
  R.Right -= 1;
  R.Bottom -= 2;
  if (R.Right - R.Left < 4 || R.Bottom - R.Top < 4)
    return;
  const bool Left = Part == gpFull || Part == gpLeft;
  const bool Right = Part == gpFull || Part == gpRight;
  const int32_t Half = R.Top + (R.Bottom - R.Top) / 2;
  const int32_t InL = R.Left + (Left ? 1 : 0), InR = R.Right - (Right ? 1 : 0);
  // Inner lines: top half in C5, bottom half in C6.
  if (C5 != clNone) {
    HPixels(Canvas, InL, InR, R.Top + 1, C5);
    if (Left)
      VPixels(Canvas, R.Left + 1, R.Top + 1, Half, C5);
    if (Right)
      VPixels(Canvas, R.Right - 1, R.Top + 1, Half, C5);
  }
  if (C6 != clNone) {
    HPixels(Canvas, InL, InR, R.Bottom - 1, C6);
    if (Left)
      VPixels(Canvas, R.Left + 1, Half, R.Bottom - 1, C6);
    if (Right)
      VPixels(Canvas, R.Right - 1, Half, R.Bottom - 1, C6);
  }
  // The outer frame, open at the ends that join the next cell.
  if (C7 != clNone) {
    const int32_t L = R.Left + (Left ? 2 : 0), Rt = R.Right - (Right ? 1 : -1);
    HPixels(Canvas, L, Rt, R.Top, C7);
    HPixels(Canvas, L, Rt, R.Bottom, C7);
    if (Left)
      VPixels(Canvas, R.Left, R.Top + 2, R.Bottom - 1, C7);
    if (Right)
      VPixels(Canvas, R.Right, R.Top + 2, R.Bottom - 1, C7);
  }
  // Rounded corners.
  if (Left) {
    Pixel(Canvas, R.Left + 1, R.Top, C8);
    Pixel(Canvas, R.Left, R.Top + 1, C8);
    Pixel(Canvas, R.Left + 1, R.Bottom, C8);
    Pixel(Canvas, R.Left, R.Bottom - 1, C8);
    Pixel(Canvas, R.Left, R.Top, C9);
    Pixel(Canvas, R.Left, R.Bottom, C9);
  }
  if (Right) {
    Pixel(Canvas, R.Right - 1, R.Top, C8);
    Pixel(Canvas, R.Right, R.Top + 1, C8);
    Pixel(Canvas, R.Right - 1, R.Bottom, C8);
    Pixel(Canvas, R.Right, R.Bottom - 1, C8);
    Pixel(Canvas, R.Right, R.Top, C9);
    Pixel(Canvas, R.Right, R.Bottom, C9);
  }
  const TRect Inner{R.Left + (Left ? 2 : 0), R.Top + 2, R.Right - (Right ? 1 : -1), R.Bottom - 1};
  if (Inner.Right <= Inner.Left || Inner.Bottom <= Inner.Top)
    return;
  if (C2 == clNone) {
    Fill(Canvas, Inner, C1);
  } else if (C3 == clNone) {
    DrawGradient(Canvas, C1, C2, 16, Inner, false);
  } else {
    const int32_t Mid = Inner.Top + Inner.Height() / 2;
    DrawGradient(Canvas, C1, C2, 16, TRect{Inner.Left, Inner.Top, Inner.Right, Mid}, false);
    DrawGradient(Canvas, C3, C4, 16, TRect{Inner.Left, Mid, Inner.Right, Inner.Bottom}, false);
  }
}

TColor GradientAt(TColor FromColor, TColor ToColor, int32_t A, int32_t B, int32_t Position)
{
  if (ToColor == clNone || B == A)
    return FromColor;
  const TRGB F = Split(FromColor), T = Split(ToColor);
  const double K = double(Position) / (B - A);
  return Join(F.R + Round((T.R - F.R) * K), F.G + Round((T.G - F.G) * K), F.B + Round((T.B - F.B) * K));
}

TColor DarkenColor(TColor Color)
{
  const TRGB C = Split(Color);
  return Join(C.R / 2, C.G / 2, C.B / 2);
}

TColor ChangeColorPerc(TColor Color, int32_t Percentage)
{
  const TRGB C = Split(Color);
  auto Ch = [Percentage](int32_t V) { return std::max(0, Round(V * Percentage / 100.0 + V)); };
  return Join(Ch(C.R), Ch(C.G), Ch(C.B));
}

// ---------------------------------------------------------------- buttons

void DrawComboButton(TCanvas* Canvas, const TRect& R, TControlDrawStyle Style, TControlState State,
                     const TColorTones& Tones, double Scale)
{
  const int32_t W = Round(Scale * 16);
  TRect B{R.Right - W - 2, R.Top + 1, R.Right - 2, R.Bottom - 1};
  switch (Style) {
  case cdsXPTheme:
    if (const HTHEME H = OpenThemeData(QStringLiteral("combobox"))) {
      DrawThemeBackground(H, Canvas, 1, State == csDisabled ? 4 : 1, B);
      CloseThemeData(H);
      break;
    }
    [[fallthrough]];
  case cdsClassic:
  case cdsFlat:
    DrawFrameControl(Canvas, B, DFC_SCROLL,
                     DFCS_SCROLLCOMBOBOX | (State == csDisabled ? DFCS_INACTIVE : 0) |
                         (Style == cdsFlat ? DFCS_FLAT : 0));
    break;
  case cdsMetro: {
    B.Left += 3;
    const TColorTone& T = ToneOf(Tones, State);
    Canvas->Pen()->SetColor(T.BrushColor);
    Fill(Canvas, B, T.BrushColor);
    VPixels(Canvas, B.Left + 1, B.Top, B.Bottom, Tones.Background.BorderColor);
    Triangle(Canvas, {TPoint{B.Left + 5, B.Top + 8}, TPoint{B.Left + 11, B.Top + 8}, TPoint{B.Left + 8, B.Top + 11}},
             Tones.Background.TextColor);
    break;
  }
  }
}

void DrawButton(TCanvas* Canvas, const TRect& R, TControlDrawStyle Style, TControlState State, const TColorTones& Tones,
                bool ShowAccelerators, const String& Caption)
{
  static const int32_t ThemeStates[] = {1, 2, 3, 4};
  switch (Style) {
  case cdsXPTheme:
    if (const HTHEME H = OpenThemeData(QStringLiteral("button"))) {
      DrawThemeBackground(H, Canvas, 1, ThemeStates[State], R);
      CloseThemeData(H);
      break;
    }
    [[fallthrough]];
  case cdsClassic:
  case cdsFlat: {
    uint32_t Flags = DFCS_BUTTONPUSH;
    if (State == csHover)
      Flags |= DFCS_HOT;
    if (State == csDown)
      Flags |= DFCS_PUSHED;
    if (State == csDisabled)
      Flags |= DFCS_INACTIVE;
    if (Style == cdsFlat)
      Flags |= DFCS_FLAT;
    DrawFrameControl(Canvas, R, DFC_BUTTON, Flags);
    break;
  }
  case cdsMetro: {
    const TColorTone& T = ToneOf(Tones, State);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetColor(T.BorderColor);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(T.BrushColor);
    Canvas->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    break;
  }
  }
  if (Caption.isEmpty())
    return;
  Canvas->Brush()->SetStyle(bsClear);
  TRect T{R.Left, R.Top + 4, R.Right, R.Bottom - 3};
  const int32_t Mode = Canvas->SetBkMode(TRANSPARENT);
  Canvas->DrawText(Caption, T, DT_CENTER | DT_VCENTER | DT_SINGLELINE | (ShowAccelerators ? 0 : DT_NOPREFIX));
  Canvas->SetBkMode(Mode);
  Canvas->Brush()->SetStyle(bsSolid);
}

void DrawSpinButtons(TCanvas* Canvas, const TRect& R, TControlDrawStyle Style, TControlState State,
                     const TColorTones& Tones)
{
  const int32_t Left = R.Right - 16, Top = R.Top - 1, Bottom = R.Bottom - 1;
  const int32_t Mid = Top + (Bottom - Top) / 2;
  const TRect Up{Left, Top, Left + 15, Mid};
  const TRect Down{Left, Mid + 1, Left + 15, Bottom};
  switch (Style) {
  case cdsXPTheme:
    if (const HTHEME H = OpenThemeData(QStringLiteral("spin"))) {
      const int32_t S = State == csDisabled ? 4 : 1;
      DrawThemeBackground(H, Canvas, 1, S, Up);
      DrawThemeBackground(H, Canvas, 2, S, Down);
      CloseThemeData(H);
      break;
    }
    [[fallthrough]];
  case cdsClassic:
  case cdsFlat: {
    const uint32_t Extra = (State == csDisabled ? DFCS_INACTIVE : 0) | (Style == cdsFlat ? DFCS_FLAT : 0);
    DrawFrameControl(Canvas, Up, DFC_SCROLL, DFCS_SCROLLUP | Extra);
    DrawFrameControl(Canvas, Down, DFC_SCROLL, DFCS_SCROLLDOWN | Extra);
    break;
  }
  case cdsMetro: {
    const TColorTone& T = ToneOf(Tones, State);
    Canvas->Pen()->SetColor(T.BrushColor);
    Fill(Canvas, Up, T.BrushColor);
    Fill(Canvas, Down, T.BrushColor);
    Triangle(Canvas,
             {TPoint{Up.Left + 5, Up.Top + 5}, TPoint{Up.Left + 9, Up.Top + 5}, TPoint{Up.Left + 7, Up.Top + 3}},
             clBlack);
    Triangle(
        Canvas,
        {TPoint{Down.Left + 5, Down.Top + 1}, TPoint{Down.Left + 9, Down.Top + 1}, TPoint{Down.Left + 7, Down.Top + 3}},
        clBlack);
    break;
  }
  }
}

// ---------------------------------------------------------------- progress, range and gauge

void DrawProgressLin(TCanvas* Canvas, TRect R, TColor Color, TColor TextColor, TColor ColorTo, TColor ToTextColor,
                     double Position, int32_t MarginX, int32_t MarginY, double Min, double Max, double Divider,
                     const String& Format, TColor BorderColor, bool InvertedText)
{
  const TColor EntryBrush = Canvas->Brush()->Color();
  String Text;
  int32_t Perc = 0;
  if (Format.isEmpty()) {
    Perc = Round(Position);
    Text = IntToStr(Perc) + u'%';
  } else {
    if (Divider == 0)
      Divider = 1;
    // A format that does not fit the value leaves the bar without text.
    try {
      Text = IntegerFormat(Format) ? ::Format(Format, {int64_t(Round(Round(Position) / Divider))})
                                   : ::Format(Format, {Position / Divider});
    } catch (const std::exception&) {
      Text.clear();
    }
    Perc = Max != Min ? Round((Position - Min) * 100 / (Max - Min)) : 0;
  }
  Perc = std::clamp(Perc, 0, 100);

  R = TRect{R.Left + MarginX, R.Top + MarginY, R.Right - MarginX, R.Bottom - MarginY};
  const int32_t Split = R.Left + Round(R.Width() * Perc / 100.0);
  const TPoint Size = Canvas->TextExtent(Text);
  const int32_t X = R.Left + (R.Width() - Size.X) / 2;
  const int32_t Y = R.Top + (R.Height() + (InvertedText ? Size.Y : -Size.Y)) / 2;
  const int32_t Mode = Canvas->SetBkMode(TRANSPARENT);
  auto Part = [&](const TRect& P, TColor Back, TColor Ink) {
    if (P.Right <= P.Left)
      return;
    Canvas->Pen()->SetColor(Back);
    Fill(Canvas, P, Back);
    const int32_t Saved = Canvas->SaveDC();
    const TRegion Clip = TRegion::FromRect(P);
    Canvas->ExtSelectClipRgn(&Clip, RGN_AND);
    Canvas->Font()->SetColor(Ink);
    Canvas->TextOut(X, Y, Text);
    Canvas->RestoreDC(Saved);
  };
  Part(TRect{R.Left, R.Top, Split, R.Bottom}, Color, TextColor);
  Part(TRect{Split, R.Top, R.Right, R.Bottom}, ColorTo, ToTextColor);
  Canvas->SetBkMode(Mode);
  if (BorderColor != clNone)
    Frame(Canvas, TRect{R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1}, BorderColor);
  Frame(Canvas, TRect{R.Left - 2, R.Top - 2, R.Right + 2, R.Bottom + 2}, EntryBrush);
}

void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, int32_t Position, bool Seed)
{
  constexpr double Pi = 3.14159265358979323846;
  const int32_t CX = R.Left + R.Width() / 2, CY = R.Top + R.Height() / 2;
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetColor(0x808080);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(clWindow);
  Canvas->Ellipse(R.Left, R.Top, R.Right, R.Bottom);
  const double A = Position / 100.0 * 2 * Pi;
  const int32_t EX = CX + Round((R.Width() + 1) / 2.0 * std::sin(A));
  const int32_t EY = CY - Round((R.Height() + 1) / 2.0 * std::cos(A));
  if (Position != 0) {
    // The sector from 12 o'clock clockwise: counter-clockwise from its end.
    Canvas->Brush()->SetColor(Color);
    if (Position >= 100)
      Canvas->Ellipse(R.Left, R.Top, R.Right, R.Bottom);
    else
      Canvas->Pie(R.Left, R.Top, R.Right, R.Bottom, EX, EY, CX, R.Top);
  }
  (void)Seed; // the sector is drawn as a shape, not flood-filled from a seed
  Line(Canvas, CX, CY, CX, R.Top);
  Line(Canvas, CX, CY, EX, EY);
}

void DrawRangeIndicator(TCanvas* Canvas, TRect R, int32_t Value, int32_t Range, bool ShowValue, TColor NegColor,
                        TColor PosColor)
{
  R = TRect{R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2};
  Value = std::clamp(Value, -std::abs(Range), std::abs(Range));
  const int32_t Half = R.Width() / 2, Centre = R.Left + Half;
  const int32_t Length = Range != 0 ? Round(Half * double(Value) / Range) : 0;
  const TColor C = Value < 0 ? NegColor : PosColor;
  Canvas->Pen()->SetColor(C);
  if (Length < 0)
    Fill(Canvas, TRect{Centre + Length, R.Top, Centre, R.Bottom}, C);
  else if (Length > 0)
    Fill(Canvas, TRect{Centre, R.Top, Centre + Length, R.Bottom}, C);
  if (ShowValue) {
    const String T = IntToStr(Value);
    const int32_t Mode = Canvas->SetBkMode(TRANSPARENT);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextOut(R.Left + (R.Width() - Canvas->TextWidth(T)) / 2, R.Top, T);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->SetBkMode(Mode);
  }
}

void DrawGauge(TCanvas* Canvas, const TRect& R, int32_t Position, const TGaugeSettings& S)
{
  const bool Vert = S.Orientation == goVertical;
  const int32_t Inner = (Vert ? R.Height() : R.Width()) - 2;
  const TColor Border = S.ShowBorder ? S.BorderColor : S.BackgroundColor;
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetColor(Border);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(S.BackgroundColor);
  Canvas->Rectangle(R.Left, R.Top, R.Right, R.Bottom);

  // One segment from Start over Length pixels of the bar, Inset pixels
  // inside the frame across it.
  auto Segment = [&](int32_t Start, int32_t Length, int32_t Inset, TColor From, TColor To) {
    if (Length <= 0)
      return;
    TRect B = Vert ? TRect{R.Left + Inset, R.Bottom - 1 - Start - Length, R.Right - Inset, R.Bottom - 1 - Start}
                   : TRect{R.Left + 1 + Start, R.Top + Inset, R.Left + 1 + Start + Length, R.Bottom - Inset};
    if (!S.ShowGradient) {
      Fill(Canvas, B, From);
      return;
    }
    // Across the bar: colour-to to colour, then back.
    TRect A = B, Z = B;
    if (Vert)
      A.Right = Z.Left = B.Left + B.Width() / 2;
    else
      A.Bottom = Z.Top = B.Top + B.Height() / 2;
    DrawGradient(Canvas, To, From, S.Steps, A, Vert);
    DrawGradient(Canvas, From, To, S.Steps, Z, Vert);
  };

  if (Position > 0) {
    const int32_t P = std::min(Position, 100);
    auto Len = [Inner](int32_t Span) { return Round(Span / 100.0 * Inner); };
    if (S.Stacked) {
      const int32_t L0 = std::min(P, S.Level1Perc);
      Segment(0, Len(L0), 1, S.Level0Color, S.Level0ColorTo);
      if (P >= S.Level1Perc) {
        const int32_t L1 = std::min(P, S.Level2Perc);
        Segment(Len(S.Level1Perc), Len(L1) - Len(S.Level1Perc), 1, S.Level1Color, S.Level1ColorTo);
        if (P >= S.Level2Perc)
          Segment(Len(S.Level2Perc), (P >= 100 ? Inner : Len(P)) - Len(S.Level2Perc), 1, S.Level3Color,
                  S.Level3ColorTo);
      }
    } else {
      TColor From = S.Level2Color, To = S.Level2ColorTo;
      if (Position < S.Level1Perc) {
        From = S.Level0Color;
        To = S.Level0ColorTo;
      } else if (Position < S.Level2Perc) {
        From = S.Level1Color;
        To = S.Level1ColorTo;
      } else if (Position >= 100) {
        From = S.Level3Color;
        To = S.Level3ColorTo;
      }
      if (S.CompletionSmooth) {
        Segment(0, Round(Position / 100.0 * Inner), 1, From, To);
      } else {
        const int32_t Total = Round(Position * Inner / 100.0);
        if (Total < 10) {
          if (Total > 1)
            Segment(1, Total, 2, From, To);
        } else {
          const int32_t Blocks = Total / 9, Rest = Total % 9;
          for (int32_t I = 0; I < Blocks; ++I)
            Segment(1 + I * 9, 7, 2, From, To);
          if (Rest > 2)
            Segment(1 + Blocks * 9, Rest - 1, 2, From, To);
        }
      }
    }
  }

  if (S.ShowPercentage) {
    const String T = IntToStr(Position) + u'%';
    if (S.Font)
      Canvas->Font()->Assign(S.Font);
    Canvas->Font()->SetColor(S.FontColor);
    if (Vert)
      Canvas->Font()->SetOrientation(900);
    Canvas->Brush()->SetStyle(bsClear);
    const int32_t Mode = Canvas->SetBkMode(TRANSPARENT);
    const TPoint Size = Canvas->TextExtent(T);
    if (Vert)
      Canvas->TextOut(R.Left + (R.Width() - Size.Y) / 2, R.Top + (R.Height() + Size.X) / 2, T);
    else
      Canvas->TextOut(R.Left + (R.Width() - Size.X) / 2, R.Top + (R.Height() - Size.Y) / 2, T);
    Canvas->SetBkMode(Mode);
    if (Vert)
      Canvas->Font()->SetOrientation(0);
  }
  Frame(Canvas, R, Border);
}

// ---------------------------------------------------------------- shapes and marks

void DrawShape(TCanvas* Canvas, int32_t Left, int32_t Top, int32_t W, int32_t H, TCellShape Shape, TColor FillColor,
               TColor LineColor)
{
  constexpr double Pi = 3.14159265358979323846;
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(FillColor);
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetColor(LineColor);
  if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare)
    W = H = std::min(W, H);
  auto Poly = [Canvas](std::initializer_list<TPoint> P) {
    Canvas->Polygon(std::span<const TPoint>(P.begin(), P.size()));
  };
  switch (Shape) {
  case csRectangle:
  case csSquare:
    Canvas->Rectangle(Left + 1, Top + 1, Left + W - 1, Top + H - 1);
    break;
  case csCircle:
  case csEllips:
    Canvas->Ellipse(Left, Top, Left + W, Top + H);
    break;
  case csRoundRect:
  case csRoundSquare:
    Canvas->RoundRect(Left, Top, Left + W, Top + H, 10, 10);
    break;
  case csTriangleLeft:
    Poly({TPoint{Left + W, Top}, TPoint{Left + W, Top + H}, TPoint{Left, Top + H / 2}});
    break;
  case csTriangleRight:
    Poly({TPoint{Left, Top}, TPoint{Left, Top + H}, TPoint{Left + W, Top + H / 2}});
    break;
  case csTriangleUp:
    Poly({TPoint{Left, Top + H}, TPoint{Left + W, Top + H}, TPoint{Left + W / 2, Top}});
    break;
  case csTriangleDown:
    Poly({TPoint{Left, Top}, TPoint{Left + W, Top}, TPoint{Left + W / 2, Top + H}});
    break;
  case csDiamond: {
    const int32_t w = W / 2, h = H / 2;
    Poly({TPoint{Left, Top + h}, TPoint{Left + w, Top}, TPoint{Left + 2 * w, Top + h}, TPoint{Left + w, Top + 2 * h}});
    break;
  }
  case csLineVert:
    Canvas->Rectangle(Left + W / 2, Top, Left + W / 2 + 1, Top + H);
    break;
  case csLineHorz:
    Canvas->Rectangle(Left, Top + H / 2, Left + W, Top + H / 2 + 1);
    break;
  case csStar:
  case csHalfStar: {
    const int32_t CX = Left + W / 2, CY = Top + H / 2;
    std::array<TPoint, 10> P;
    for (int32_t K = 0; K < 10; ++K) {
      const double A = K * 36 * Pi / 180;
      const double RX = K % 2 ? W / 6 : W / 2, RY = K % 2 ? H / 6 : H / 2;
      P[static_cast<size_t>(K)] = TPoint{CX + Round(std::sin(A) * RX), CY - Round(std::cos(A) * RY)};
    }
    if (Shape == csStar)
      Canvas->Polygon(P);
    else
      Poly({P[0], P[5], P[6], P[7], P[8], P[9]});
    break;
  }
  case csArrowUp:
  case csArrowDown: {
    W -= W % 2;
    const bool Up = Shape == csArrowUp;
    const int32_t Tip = Up ? Top : Top + H, Base = Top + H / 2, End = Up ? Top + H : Top;
    Poly({TPoint{Left, Base}, TPoint{Left + W / 2, Tip}, TPoint{Left + W, Base}, TPoint{Left + 3 * W / 4, Base},
          TPoint{Left + 3 * W / 4, End}, TPoint{Left + W / 4, End}, TPoint{Left + W / 4, Base}});
    break;
  }
  case csArrowLeft:
  case csArrowRight: {
    H -= H % 2;
    const bool LeftWard = Shape == csArrowLeft;
    const int32_t Tip = LeftWard ? Left : Left + W, Base = Left + W / 2, End = LeftWard ? Left + W : Left;
    Poly({TPoint{Base, Top}, TPoint{Tip, Top + H / 2}, TPoint{Base, Top + H}, TPoint{Base, Top + 3 * H / 4},
          TPoint{End, Top + 3 * H / 4}, TPoint{End, Top + H / 4}, TPoint{Base, Top + H / 4}});
    break;
  }
  }
}

void DrawRectangle(TCanvas* Canvas, const TRect& R, TColor Color)
{
  Canvas->Pen()->SetColor(Color);
  Fill(Canvas, R, Color);
}

void DrawTriangle(TCanvas* Canvas, int32_t X, int32_t Y, TColor Color)
{
  Triangle(Canvas, {TPoint{X - 3, Y}, TPoint{X + 3, Y}, TPoint{X, Y + 3}}, Color);
}

void DrawErrorLines(TControl*, TCanvas* Canvas, const String& Text, const TRect& R, int32_t Offset, int32_t ErrStart,
                    int32_t ErrLen)
{
  if (ErrLen <= 0)
    return;
  // Character positions in the canvas font, as a single-line edit places
  // them; beyond the text, 4 pixels after its end.
  const int32_t Whole = Canvas->TextWidth(Text);
  const int32_t StartX = ErrStart < Text.length() ? Canvas->TextWidth(Text.left(ErrStart)) : Whole + 4;
  const int32_t EndX = ErrStart + ErrLen <= Text.length() ? Canvas->TextWidth(Text.left(ErrStart + ErrLen)) : Whole + 4;
  const int32_t Y = R.Top + Offset + 3;
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetColor(clRed);
  Canvas->Pen()->SetWidth(2);
  int32_t X = R.Left + StartX;
  bool Low = false;
  Canvas->MoveTo(X, Y);
  while (X <= R.Left + EndX) {
    X += 3;
    Low = !Low;
    Canvas->LineTo(X, Y + (Low ? 3 : 0));
  }
  Canvas->Pen()->SetWidth(1);
}

// ---------------------------------------------------------------- bitmaps

void DrawBitmapTransp(TCanvas* Canvas, const TBitmap* Bitmap, TColor BkColor, const TRect& R, double Scale)
{
  if (!Bitmap || Bitmap->Empty())
    return;
  const int32_t W = Round(Bitmap->Width() * Scale), H = Round(Bitmap->Height() * Scale);
  TBitmap Scratch(W, H);
  TCanvas* C = Scratch.Canvas();
  Fill(C, TRect{0, 0, W, H}, BkColor);
  if (Scale == 1.0) {
    TBitmap Copy;
    Copy.Assign(const_cast<TBitmap*>(Bitmap));
    if (const QImage* Image = Bitmap->DrawnImage(); Image && !Image->isNull()) {
      const QRgb P = Image->pixel(0, 0);
      Copy.SetTransparentMode(tmFixed);
      Copy.SetTransparentColor(RGBColor(qRed(P), qGreen(P), qBlue(P)));
      Copy.SetTransparent(true);
    }
    C->Draw(0, 0, &Copy);
  } else {
    C->StretchDraw(TRect{0, 0, W, H}, Bitmap);
  }
  Canvas->Draw(R.Left, R.Top, &Scratch);
}

void DrawBitmapResourceTransp(TCanvas* Canvas, TColor BkColor, const TRect& R, const String& ResourceName, double Scale)
{
  const std::optional<QByteArray> Data = FindResourceData("BITMAP", ResourceName);
  if (!Data)
    return;
  TBitmap B;
  QImage Image;
  if (!Image.loadFromData(*Data))
    return;
  B.SetImage(Image);
  DrawBitmapTransp(Canvas, &B, BkColor, R, Scale);
}

void DrawBitmapAlpha(TCanvas* Canvas, int32_t X, int32_t Y, const TBitmap* Bitmap)
{
  // The canvas blends a picture by the alpha of its pixels; one without
  // alpha is drawn as it is.
  Canvas->Draw(X, Y, Bitmap);
}

bool DoThemeDrawing() { return IsWinXP() && IsThemeActive() && IsThemedApp(); }
