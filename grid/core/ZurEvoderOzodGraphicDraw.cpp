// Cell graphics on screen: the size and place of a cell's graphic beside
// or behind its text, and the drawing of each kind: pictures, images,
// check boxes and radio buttons in the seven control styles, radio groups,
// buttons, progress bars, gauges, pies, range indicators, shapes, ratings,
// rotated text, self-drawing objects and the comment marker.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/FilePicture.h"
#include "grid/base/IntList.h"
#include "grid/base/rurutil.h"
#include "grid/core/GridAppearance.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawControls.h"
#include "platform/Graphics.h"
#include "platform/Region.h"
#include "platform/ImgList.h"
#include "platform/Resources.h"
#include "rtl/Numbers.h"
#include "rtl/StringList.h"
#include "rtl/Strings.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QScopeGuard>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// ---------------------------------------------------------------- the grid's own glyphs

// Check boxes and radio buttons of the bitmap styles, drawn here: the
// XP look (rounded blue frame, green mark) and the flat look. Each glyph
// stands on a magenta ground that the drawing takes as transparent.
constexpr QRgb Ground = 0xFFFF00FF;

QByteArray Png(const QImage& Image)
{
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::WriteOnly);
  Image.save(&Buffer, "PNG");
  return Bytes;
}

QImage CheckGlyph(bool XP, bool Checked, bool Active)
{
  const int Side = XP ? 15 : 16;
  QImage I(Side, Side, QImage::Format_RGB32);
  I.fill(Ground);
  QPainter P(&I);
  const QRect Box(1, 1, Side - 3, Side - 3);
  const QColor Frame = XP ? (Active ? QColor(0x1C, 0x51, 0x80) : QColor(0xB3, 0xB3, 0xB3))
                          : (Active ? QColor(0x40, 0x40, 0x40) : QColor(0xA0, 0xA0, 0xA0));
  if (XP) {
    QLinearGradient Face(Box.topLeft(), Box.bottomRight());
    Face.setColorAt(0, Active ? QColor(0xDC, 0xDC, 0xD7) : QColor(0xF4, 0xF4, 0xF4));
    Face.setColorAt(1, Qt::white);
    P.fillRect(Box, Face);
  } else {
    P.fillRect(Box, Active ? Qt::white : QColor(0xE8, 0xE8, 0xE8));
  }
  P.setPen(Frame);
  P.drawRect(Box);
  if (Checked) {
    const QColor Mark = XP ? (Active ? QColor(0x21, 0xA1, 0x21) : QColor(0xB3, 0xB3, 0xB3))
                           : (Active ? Qt::black : QColor(0x80, 0x80, 0x80));
    P.setPen(QPen(Mark, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    const qreal S = Box.width();
    const QPointF O = Box.topLeft();
    P.drawPolyline(std::array<QPointF, 3>{O + QPointF(S * 0.25, S * 0.5), O + QPointF(S * 0.43, S * 0.7),
                                          O + QPointF(S * 0.77, S * 0.3)}
                       .data(),
                   3);
  }
  return I;
}

QImage RadioGlyph(bool XP, bool Checked, bool Active)
{
  QImage I(16, 16, QImage::Format_RGB32);
  I.fill(Ground);
  QPainter P(&I);
  // Hard edges: a blended rim would not match the ground colour exactly.
  const QColor Frame = XP ? (Active ? QColor(0x1C, 0x51, 0x80) : QColor(0xB3, 0xB3, 0xB3))
                          : (Active ? QColor(0x40, 0x40, 0x40) : QColor(0xA0, 0xA0, 0xA0));
  P.setPen(Frame);
  P.setBrush(Active ? Qt::white : QColor(0xF0, 0xF0, 0xF0));
  P.drawEllipse(QRect(2, 2, 11, 11));
  if (Checked) {
    P.setPen(Qt::NoPen);
    P.setBrush(XP ? (Active ? QColor(0x21, 0xA1, 0x21) : QColor(0xB3, 0xB3, 0xB3))
                  : (Active ? Qt::black : QColor(0x80, 0x80, 0x80)));
    P.drawEllipse(QRect(5, 5, 6, 6));
  }
  return I;
}

// Numbers 1-4 are the flat look, 5-8 the XP look: checked active, unchecked
// active, checked inactive, unchecked inactive.
template <bool Check, int N>
QByteArray Glyph()
{
  constexpr bool XP = N >= 5;
  constexpr int K = (N - 1) % 4;
  constexpr bool Checked = K == 0 || K == 2, Active = K < 2;
  return Png(Check ? CheckGlyph(XP, Checked, Active) : RadioGlyph(XP, Checked, Active));
}

const bool GlyphsRegistered = [] {
  const TResourceMaker Checks[] = {Glyph<true, 1>, Glyph<true, 2>, Glyph<true, 3>, Glyph<true, 4>,
                                   Glyph<true, 5>, Glyph<true, 6>, Glyph<true, 7>, Glyph<true, 8>};
  const TResourceMaker Radios[] = {Glyph<false, 1>, Glyph<false, 2>, Glyph<false, 3>, Glyph<false, 4>,
                                   Glyph<false, 5>, Glyph<false, 6>, Glyph<false, 7>, Glyph<false, 8>};
  for (int I = 0; I < 8; ++I) {
    RegisterResource("BITMAP", QStringLiteral("ZOGCHK0%1").arg(I + 1), Checks[I]);
    RegisterResource("BITMAP", QStringLiteral("ZOGRAD0%1").arg(I + 1), Radios[I]);
  }
  return true;
}();

// The glyph of a bitmap style: checked or not, active or not.
String StyleGlyph(const char* Kind, TGridControlStyle Style, bool Checked, bool Active)
{
  // csWinXP: 05 07 06 08; csZID: 01 03 02 04 (checked active, checked
  // inactive, unchecked active, unchecked inactive).
  const int Base = Style == csWinXP ? 5 : 1;
  const int N = Checked ? (Active ? Base : Base + 2) : (Active ? Base + 1 : Base + 3);
  return QString::fromLatin1(Kind) + QStringLiteral("0%1").arg(N);
}

int32_t RoundI(double V) { return static_cast<int32_t>(std::nearbyint(V)); }

bool IsCheckKind(TCellType T)
{
  return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox || T == ctTriStateCheckBox;
}

TBitmap* BitmapOf(TObject* O) { return dynamic_cast<TBitmap*>(O); }

} // namespace

// ---------------------------------------------------------------- size and place

TCellGraphic* TZurEvoderOzod::GetGraphicDetails(int32_t ACol, int32_t ARow, int32_t& Width, int32_t& Height,
                                                bool& ShowText, TCellHAlign& HAlign, TCellVAlign& VAlign)
{
  (void)GlyphsRegistered;
  Width = Height = 0;
  ShowText = true;
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G)
    return nullptr;
  HAlign = G->CellHAlign();
  VAlign = G->CellVAlign();
  TCustomImageList* Images = GetCellImageList(ACol, ARow);
  switch (G->CellType()) {
  case ctBitmap:
  case ctIcon:
    if (const TBitmap* B = BitmapOf(G->CellType() == ctBitmap ? G->CellBitmap() : G->CellIcon())) {
      Width = B->Width();
      Height = B->Height();
    }
    break;
  case ctDataImage:
    ShowText = false;
    [[fallthrough]];
  case ctImageList:
    if (Images) {
      Width = Images->Width();
      Height = Images->Height();
    }
    break;
  case ctDataCheckBox:
  case ctVirtCheckBox:
  case ctRowCheckBox:
    ShowText = false;
    [[fallthrough]];
  case ctCheckBox:
  case ctTriStateCheckBox:
    Width = Height = RoundI(FControlLook->CheckSize() * FDPIScale);
    break;
  case ctRotated:
  case ctRadio:
  case ctProgress:
  case ctRangeIndicator:
  case ctXPProgress:
    ShowText = false;
    break;
  case ctImages:
    if (Images && G->Images()) {
      const int32_t N = G->Images()->Count();
      Width = G->CellBoolean() ? N * Images->Width() : Images->Width();
      Height = G->CellBoolean() ? Images->Height() : N * Images->Height();
    }
    break;
  case ctPicture:
  case ctFilePicture: {
    const TPoint Space = PictureSpace(ACol, ARow, 0);
    const TPicture* P = G->CellType() == ctPicture ? dynamic_cast<TPicture*>(G->CellBitmap()) : nullptr;
    const TPoint S = G->GetPictureSize(Space.X, Space.Y, true, P ? P->Graphic() : nullptr);
    Width = S.X;
    Height = S.Y;
    break;
  }
  case ctButton:
  case ctBitButton:
  case ctVirtButton:
    Width = G->CellIndex() & 0xFFFF;
    Height = static_cast<int32_t>(static_cast<uint32_t>(G->CellIndex()) >> 16);
    break;
  case ctProgressPie:
    Width = Height = 20;
    break;
  case ctInterface:
    if (auto* Source = dynamic_cast<ICellGraphicSource*>(G->CellBitmap())) {
      Width = Source->Width();
      Height = Source->Height();
    }
    break;
  case ctRadioButton:
    Width = Height = FControlLook->RadioSize() + 4;
    break;
  case ctShape: {
    const TPoint Cell = CellSize(DisplColIndex(ACol), ARow);
    Width = Height = std::min(Cell.X, Cell.Y) - 2 * FXYOffset.Y;
    break;
  }
  case ctRating:
    Width = G->CellAngle() * 18;
    Height = 16;
    ShowText = false;
    break;
  default:
    break;
  }
  return G;
}

// ---------------------------------------------------------------- check boxes and radio buttons

void TZurEvoderOzod::DrawCheck(TCanvas* Canvas, TRect R, bool Checked, bool Enabled, bool Grayed,
                               TGridControlStyle Style, bool TriState, TCheckBoxState State)
{
  const TControlLook* L = FControlLook.get();
  const bool Active = L->NoDisabledCheckRadioLook() || L->CheckAlwaysActive() || Enabled;
  if (Style == csTheme && !DoThemeDrawing())
    Style = csClassic;
  if (TriState) {
    Checked = State == cbChecked;
    Grayed = Grayed || State == cbGrayed;
  }
  const int32_t Side = RoundI(L->CheckSize() * FDPIScale);
  const TColor Back = Canvas->Brush()->Color();
  switch (Style) {
  case csClassic:
  case csFlat: {
    const TRect Box{R.Left + (R.Width() - Side) / 2, R.Top + (R.Height() - Side) / 2, 0, 0};
    uint32_t Flags = Grayed ? DFCS_BUTTON3STATE | DFCS_CHECKED : DFCS_BUTTONCHECK;
    if (Checked)
      Flags |= DFCS_CHECKED;
    if (Style == csFlat)
      Flags |= DFCS_FLAT;
    if (!Active)
      Flags |= DFCS_INACTIVE;
    DrawFrameControl(Canvas, TRect{Box.Left, Box.Top, Box.Left + Side, Box.Top + Side}, DFC_BUTTON, Flags);
    break;
  }
  case csWinXP:
  case csZID:
    // A mixed box shows the mark greyed.
    DrawBitmapResourceTransp(Canvas, Back, R, StyleGlyph("ZOGCHK", Style, Checked || Grayed, Active && !Grayed), 1.0);
    break;
  case csGlyph: {
    TBitmap* Glyph = Checked || Grayed ? L->CheckedGlyph() : L->UnCheckedGlyph();
    if (Glyph && !Glyph->Empty()) {
      TBitmap Copy;
      Copy.Assign(Glyph);
      Copy.SetTransparent(true);
      Canvas->Draw(R.Left, R.Top, &Copy);
    }
    break;
  }
  case csBorland: {
    const int32_t Size = L->CheckSize();
    TRect B{R.Left, R.Top, R.Left + Size, R.Top + Size};
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Active ? clBtnFace : clBtnShadow);
    Canvas->Pen()->SetColor(clBtnFace);
    Canvas->Pen()->SetWidth(1);
    Canvas->Rectangle(B.Left, B.Top, B.Right, B.Bottom);
    auto Line = [Canvas](TColor C, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
      Canvas->Pen()->SetColor(C);
      Canvas->MoveTo(X1, Y1);
      Canvas->LineTo(X2, Y2);
    };
    Line(clBtnHighlight, B.Left, B.Bottom - 1, B.Left, B.Top);
    Canvas->LineTo(B.Right - 1, B.Top);
    Line(clBtnShadow, B.Right - 1, B.Top, B.Right - 1, B.Bottom - 1);
    Canvas->LineTo(B.Left, B.Bottom - 1);
    if (Checked || Grayed) {
      --B.Top;
      --B.Bottom;
      const TColor Tick = Active && !Grayed ? L->Color() : 0x00808080;
      Line(Tick, B.Left + 2, B.Top + Size / 2 + 1, B.Left + 2, B.Bottom - 1);
      Line(Tick, B.Left + 3, B.Top + Size / 2, B.Left + 3, B.Bottom - 2);
      Line(Tick, B.Left + 2, B.Bottom - 1, B.Right - 2, B.Top + 3);
      Line(Tick, B.Left + 3, B.Bottom - 1, B.Right - 1, B.Top + 3);
    }
    Canvas->Brush()->SetColor(Back);
    break;
  }
  case csTheme:
    if (const HTHEME H = OpenThemeData(QStringLiteral("button"))) {
      const int32_t Part = Grayed ? (Active ? 9 : 12) : Checked ? (Active ? 5 : 8) : (Active ? 1 : 4);
      DrawThemeBackground(H, Canvas, 3, Part, TRect{R.Left, R.Top, R.Left + Side, R.Top + Side});
      CloseThemeData(H);
    }
    break;
  }
}

void TZurEvoderOzod::DrawRadio(TCanvas* Canvas, TRect R, int32_t ACol, int32_t ARow, bool Selected, bool Disabled,
                               TStringList* Values, bool Horizontal, int32_t Index, int32_t Count,
                               TGridControlStyle Style, double Zoom, bool NegativeY)
{
  const TControlLook* L = FControlLook.get();
  if (L->NoDisabledCheckRadioLook() || L->RadioAlwaysActive())
    Disabled = false;
  if (Count <= 0)
    return;
  if (Style == csTheme && !DoThemeDrawing())
    Style = csClassic;
  const bool Frame = Style == csClassic || Style == csFlat;
  const TColor Back = Canvas->Brush()->Color();
  const int32_t Mode = Canvas->SetBkMode(TRANSPARENT);
  const auto Restore = qScopeGuard([&] {
    Canvas->SetBkMode(Mode);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Back);
  });
  if (Selected && CanShowSelection() && FSelectionTextColor != clNone)
    Canvas->Font()->SetColor(FSelectionTextColor);
  const String CellText = GetCellEx(ACol, ARow);
  const int32_t FrameSize =
      RoundI((Style == csFlat ? L->RadioSize() + 2 : L->RadioSize()) * Zoom); // frame styles' button
  const int32_t ButtonSize = Frame ? FrameSize : 16;
  auto Button = [&](int32_t X, int32_t Y, bool Checked) {
    switch (Style) {
    case csClassic:
    case csFlat: {
      uint32_t Flags = DFCS_BUTTONRADIO;
      if (Checked)
        Flags |= DFCS_CHECKED;
      if (Disabled)
        Flags |= DFCS_INACTIVE;
      if (Style == csFlat)
        Flags |= DFCS_FLAT;
      DrawFrameControl(Canvas, TRect{X, Y, X + FrameSize, Y + FrameSize}, DFC_BUTTON, Flags);
      break;
    }
    case csBorland: {
      const TPoint Outer[] = {{X + 2, Y + 8}, {X + 8, Y + 2}, {X + 14, Y + 8}, {X + 8, Y + 14}};
      Canvas->Brush()->SetStyle(bsSolid);
      Canvas->Brush()->SetColor(clBtnFace);
      Canvas->Pen()->SetColor(clBtnFace);
      Canvas->Polygon(Outer);
      const TColor Upper = Checked ? 0x00808080 : clWhite, Lower = Checked ? clWhite : 0x00808080;
      Canvas->Pen()->SetColor(Upper);
      Canvas->MoveTo(Outer[0].X, Outer[0].Y);
      Canvas->LineTo(Outer[1].X, Outer[1].Y);
      Canvas->LineTo(Outer[2].X, Outer[2].Y);
      Canvas->Pen()->SetColor(Lower);
      Canvas->LineTo(Outer[3].X, Outer[3].Y);
      Canvas->LineTo(Outer[0].X, Outer[0].Y);
      if (Checked) {
        const TPoint Inner[] = {{X + 6, Y + 8}, {X + 8, Y + 6}, {X + 10, Y + 8}, {X + 8, Y + 10}};
        Canvas->Brush()->SetColor(L->Color());
        Canvas->Pen()->SetColor(L->Color());
        Canvas->Polygon(Inner);
      }
      Canvas->Brush()->SetStyle(bsClear);
      break;
    }
    case csTheme:
      if (const HTHEME H = OpenThemeData(QStringLiteral("button"))) {
        DrawThemeBackground(H, Canvas, 2, Checked ? (Disabled ? 8 : 5) : (Disabled ? 4 : 1),
                            TRect{X, Y, X + 16, Y + 16});
        CloseThemeData(H);
      }
      break;
    case csGlyph: {
      TBitmap* Glyph = Checked ? L->RadioOnGlyph() : L->RadioOffGlyph();
      if (Glyph && !Glyph->Empty())
        DrawBitmapTransp(Canvas, Glyph, Back, TRect{X, Y, X + Glyph->Width(), Y + Glyph->Height()}, 1.0);
      break;
    }
    default:
      DrawBitmapResourceTransp(Canvas, Back, TRect{X, Y, X + 16, Y + 16},
                               StyleGlyph("ZOGRAD", Style, Checked, !Disabled), 1.0);
      break;
    }
  };
  Canvas->Brush()->SetStyle(bsClear);
  const int32_t TextH = Canvas->TextHeight(QStringLiteral("gh"));
  const int32_t LineH = Frame ? TextH : std::max(16, TextH);
  int32_t X = R.Left + 2;
  for (int32_t I = 0; I < Count; ++I) {
    const String Caption = Values && Values->Count() > I ? Values->Strings(I) : String();
    // Without captions to compare, only the index marks a button.
    const bool Checked = I == Index || (Index == -1 && Values && Caption == CellText);
    const int32_t CaptionW = Caption.isEmpty() ? 0 : Canvas->TextWidth(Caption);
    if (Horizontal) {
      const int32_t Y = R.Top + (R.Height() - ButtonSize) / 2;
      const int32_t TextY = Frame ? Y - 2 : R.Top + (R.Height() - TextH) / 2;
      if (L->RadioRange() && I == 0 && !Caption.isEmpty()) {
        Canvas->TextOut(X, TextY, Caption);
        Button(X + CaptionW + 2, Y, Checked);
        X += CaptionW + 2 + ButtonSize + 4;
        continue;
      }
      Button(X, Y, Checked);
      const int32_t TextX = Frame ? X + FrameSize : X + 16;
      if (!Caption.isEmpty())
        Canvas->TextOut(TextX + 2, TextY, Caption);
      X = TextX + 2 + CaptionW + 6;
    } else {
      const int32_t Y = NegativeY ? R.Top - 2 - I * LineH : R.Top + 2 + I * LineH;
      if (Caption.isEmpty()) {
        Button(R.Left + (R.Width() - ButtonSize) / 2, Y, Checked);
        continue;
      }
      Button(R.Left + 2, Y, Checked);
      const int32_t TextX = Frame                                    ? R.Left + 2 + RoundI((L->RadioSize() + 4) * Zoom)
                            : Style == csBorland || Style == csTheme ? R.Left + 20
                                                                     : R.Left + 18;
      Canvas->TextOut(TextX, Frame ? Y - 2 : Y, Caption);
    }
  }
}

// ---------------------------------------------------------------- buttons

void TZurEvoderOzod::DrawButtonGraphic(TCanvas* Canvas, TCellGraphic* Graphic, int32_t RCol, int32_t ARow,
                                       const TRect& Cell, TRect G)
{
  const TControlLook* L = FControlLook.get();
  const int32_t ACol = DisplColIndex(RCol);
  const bool Expand = Graphic->CellType() == ctExpand;
  if (Expand)
    G = TRect{Cell.Right - 14, Cell.Top + 1, Cell.Right - 1, Cell.Top + 14};
  // Where the button stands, for the mouse to find it again.
  const TRect At = CellRect(ACol, ARow);
  const uint32_t DX = static_cast<uint32_t>(G.Left - At.Left) & 0xFFFF;
  const uint32_t DY = static_cast<uint32_t>(G.Top - At.Top) & 0xFFFF;
  Graphic->SetCellValue(static_cast<double>((DY << 16) | DX));

  bool CanEdit = true;
  GetCellReadOnly(RCol, ARow, CanEdit);
  const bool Enabled = L->NoDisabledButtonLook() || CanEdit;
  TControlDrawStyle Style = L->FlatButton() ? cdsFlat : !DoThemeDrawing() ? cdsClassic : cdsXPTheme;
  if (FFlat && FTones.Background.BrushColor != clNone)
    Style = cdsMetro;
  TControlState State = Graphic->CellBoolean()                             ? csDown
                        : FHoverButton.X == ACol && FHoverButton.Y == ARow ? csHover
                                                                           : csNormal;
  if (!Enabled && !Expand)
    State = csDisabled;
  DrawButton(Canvas, G, Style, State, FTones, L->ButtonPrefix(), String());
  if (State == csDown)
    G = TRect{G.Left + 1, G.Top + 1, G.Right + 1, G.Bottom + 1};

  if (Expand) {
    const bool Open = std::holds_alternative<bool>(Graphic->CellVar()) && std::get<bool>(Graphic->CellVar());
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetWidth(1);
    const int32_t R = Cell.Right, T = Cell.Top;
    const std::array<TPoint, 3> Chevron =
        Open ? std::array<TPoint, 3>{TPoint{R - 10, T + 8}, {R - 7, T + 5}, {R - 3, T + 9}}
             : std::array<TPoint, 3>{TPoint{R - 10, T + 5}, {R - 7, T + 8}, {R - 3, T + 4}};
    Canvas->Polyline(Chevron);
    return;
  }

  const String Caption = Graphic->CellText();
  if (Graphic->CellType() == ctBitButton) {
    if (const TBitmap* Glyph = BitmapOf(Graphic->CellBitmap()); Glyph && !Glyph->Empty()) {
      TBitmap Copy;
      Copy.Assign(const_cast<TBitmap*>(Glyph));
      Copy.SetTransparent(true);
      int32_t Gap = (G.Height() - Glyph->Height()) / 2;
      if (Gap < 1)
        Gap = 3;
      if (!Caption.isEmpty() || Glyph->Width() >= G.Width()) {
        Canvas->Draw(G.Left + 3, G.Top + Gap, &Copy);
        G.Left += Glyph->Width() + 4;
      } else {
        Canvas->Draw(G.Left + (G.Width() - Glyph->Width()) / 2, G.Top + Gap, &Copy);
      }
    }
  }
  if (Caption.isEmpty())
    return;
  uint32_t Flags = (Caption.contains(u'\r') ? DT_WORDBREAK : DT_SINGLELINE) | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS;
  if (!L->ButtonPrefix())
    Flags |= DT_NOPREFIX;
  const TColor SavedFont = Canvas->Font()->Color();
  if (Style == cdsMetro) {
    const TColorTone& T = State == csHover      ? FTones.Hover
                          : State == csDown     ? FTones.Selected
                          : State == csDisabled ? FTones.Disabled
                                                : FTones.Background;
    Canvas->Font()->SetColor(T.TextColor);
  } else {
    Canvas->Font()->SetColor(State == csDisabled ? clGrayText : clBtnText);
  }
  const int32_t Mode = Canvas->SetBkMode(TRANSPARENT);
  TRect T{G.Left + 1, G.Top, G.Right, G.Bottom};
  Canvas->DrawText(Caption, T, Flags);
  Canvas->SetBkMode(Mode);
  Canvas->Font()->SetColor(SavedFont);
}

// ---------------------------------------------------------------- rotated text and the comment marker

void TZurEvoderOzod::DrawRotatedText(TCanvas* Canvas, TCellGraphic* Graphic, int32_t ACol, int32_t RCol, int32_t ARow,
                                     TRect R)
{
  const int32_t Angle = Graphic->CellAngle();
  const String Text = GetFormattedCell(RCol, ARow);
  const auto [HAlign, VAlign] = GetCellAlignment(RCol, ARow);
  const int32_t Lines = LinesInText(Text, FMultilinecells || FWordWrapEx);
  const bool SideBySide = std::abs(Angle) == 90 && Lines > 1;
  std::vector<String> Parts;
  if (SideBySide) {
    String Rest = Text;
    for (int32_t I = 0; I < Lines; ++I)
      Parts.push_back(GetNextLine(Rest, true));
  } else {
    Parts.push_back(Text);
  }
  const int32_t SavedOrientation = Canvas->Font()->Orientation();
  Canvas->Font()->SetOrientation(Angle * 10);
  const int32_t LineH = Canvas->TextHeight(QStringLiteral("gh"));
  int32_t Longest = 0;
  for (const String& P : Parts)
    Longest = std::max(Longest, Canvas->TextWidth(P + u'w'));
  // The block of lines, Longest along the text's direction and one line
  // height per line across it, placed by the cell's alignments in the cell
  // less 2 pixels.
  const double A = Angle * M_PI / 180.0;
  const double DX = std::cos(A), DY = -std::sin(A); // along the text
  const double NX = std::sin(A), NY = std::cos(A);  // down the lines
  const double W = Longest, H = static_cast<double>(LineH) * static_cast<double>(Parts.size());
  const double Xs[] = {0, W * DX, H * NX, W * DX + H * NX}, Ys[] = {0, W * DY, H * NY, W * DY + H * NY};
  const double MinX = *std::min_element(std::begin(Xs), std::end(Xs)),
               MaxX = *std::max_element(std::begin(Xs), std::end(Xs));
  const double MinY = *std::min_element(std::begin(Ys), std::end(Ys)),
               MaxY = *std::max_element(std::begin(Ys), std::end(Ys));
  const TRect In{R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2};
  const double BoxX = HAlign == taRightJustify ? In.Right - (MaxX - MinX)
                      : HAlign == taCenter     ? In.Left + (In.Width() - (MaxX - MinX)) / 2
                                               : In.Left;
  const double BoxY = VAlign == vtaBottom   ? In.Bottom - (MaxY - MinY)
                      : VAlign == vtaCenter ? In.Top + (In.Height() - (MaxY - MinY)) / 2
                                            : In.Top;
  const double StartX = BoxX - MinX, StartY = BoxY - MinY;
  const int32_t Mode = Canvas->SetBkMode(TRANSPARENT);
  const int32_t Align = Canvas->SetTextAlign(TA_LEFT | TA_TOP);
  const TRect Clip{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  TRegion Old;
  const bool HadClip = Canvas->GetClipRgn(Old);
  const TRegion Cell = TRegion::FromRect(Clip);
  Canvas->ExtSelectClipRgn(&Cell, RGN_AND);
  for (size_t I = 0; I < Parts.size(); ++I)
    Canvas->TextOut(RoundI(StartX + NX * LineH * static_cast<double>(I)),
                    RoundI(StartY + NY * LineH * static_cast<double>(I)), Parts[I]);
  Canvas->SelectClipRgn(HadClip ? &Old : nullptr);
  Canvas->SetTextAlign(Align);
  Canvas->SetBkMode(Mode);
  Canvas->Font()->SetOrientation(SavedOrientation);
  const TSortSettings* S = FSortSettings.get();
  if (ShouldDrawSortIndicator(ACol, ARow) && S->Column() == RCol)
    DrawSortIndicator(Canvas, RCol, R.Right - 10, R.Top + 8);
}

void TZurEvoderOzod::DrawCommentMarker(TCanvas* Canvas, const TCellGraphic* Graphic, const TRect& R)
{
  const bool Has =
      !Graphic->CellComment().isEmpty() || (Graphic->CellType() == ctPicture && !Graphic->CellText().isEmpty());
  if (!Has)
    return;
  const TColor C = !Graphic->CellComment().isEmpty() ? Graphic->CommentColor() : FControlLook->CommentColor();
  if (C == clNone)
    return;
  const int32_t X = R.Right + FXYOffset.X, Y = R.Top - FXYOffset.Y;
  const TPoint Corner[] = {{X - 8, Y + 1}, {X - 3, Y + 1}, {X - 3, Y + 6}};
  Canvas->Pen()->SetColor(C);
  Canvas->Brush()->SetColor(C);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Polygon(Corner);
  Canvas->Brush()->SetColor(Color());
}

// ---------------------------------------------------------------- the graphic

void TZurEvoderOzod::DrawCellGraphic(TCanvas* Canvas, TCellGraphic* Graphic, int32_t ACol, int32_t RCol, int32_t ARow,
                                     const TRect& Cell, int32_t TextWidth, TVAlignment TextVAlign,
                                     TGridDrawState AState, int32_t GW, int32_t GH)
{
  const TCellType Kind = Graphic->CellType();
  const TControlLook* L = FControlLook.get();
  // The place of the graphic: the cell less the text inset.
  TRect R = Cell;
  if (Kind != ctNode && Kind != ctProgress && Kind != ctRangeIndicator && Kind != ctXPProgress)
    R = TRect{R.Left + FXYOffset.X - 1, R.Top + FXYOffset.Y - 1, R.Right - FXYOffset.X + 1, R.Bottom - FXYOffset.Y + 1};
  const int32_t T = TextWidth;
  const auto [TextHAlign, CellVAlign] = GetCellAlignment(RCol, ARow);
  (void)CellVAlign;
  TRect G = R;
  switch (Graphic->CellHAlign()) {
  case haRight:
    G.Left = R.Right - GW - 1;
    G.Right = R.Right - 1;
    break;
  case haCenter:
    if (GW < R.Width()) {
      G.Left = R.Left + (R.Width() - GW) / 2;
      G.Right = G.Left + GW;
      break;
    }
    [[fallthrough]];
  case haLeft:
    G.Left = R.Left + 1;
    G.Right = R.Left + GW + 1;
    break;
  case haBeforeText:
    G.Left = TextHAlign == taLeftJustify    ? R.Left + 1
             : TextHAlign == taRightJustify ? R.Right - T - GW
                                            : R.Left + (R.Width() - T - GW) / 2;
    G.Left = std::max(G.Left, R.Left + 1);
    G.Right = G.Left + GW;
    break;
  case haAfterText:
    G.Left = TextHAlign == taLeftJustify    ? R.Left + T
             : TextHAlign == taRightJustify ? R.Right - GW - 1
                                            : std::max(R.Left + 1, R.Left + T + (R.Width() - T - GW) / 2);
    G.Right = G.Left + GW;
    break;
  case haFull:
    break;
  }
  TCellVAlign VAlign = Graphic->CellVAlign();
  if ((IsCheckKind(Kind) || Kind == ctRadioButton) && FVAlignment != TextVAlign)
    VAlign = TextVAlign == vtaTop ? vaTop : TextVAlign == vtaCenter ? vaCenter : vaBottom;
  switch (VAlign) {
  case vaBottom:
    G.Top = R.Bottom - GH - 1;
    G.Bottom = R.Bottom - 1;
    break;
  case vaCenter:
    if (GH < R.Height()) {
      G.Top = R.Top + (R.Height() - GH) / 2;
      G.Bottom = G.Top + GH;
      break;
    }
    [[fallthrough]];
  case vaTop:
  case vaAboveText:
    G.Top = R.Top + 1;
    G.Bottom = R.Top + 1 + GH;
    break;
  case vaUnderText:
    G.Top = R.Bottom - GH;
    G.Bottom = R.Bottom;
    break;
  case vaFull:
    break;
  }

  bool CanEdit = true;
  TCustomImageList* Images = GetCellImageList(RCol, ARow);
  switch (Kind) {
  case ctBitmap:
    if (const TBitmap* B = BitmapOf(Graphic->CellBitmap())) {
      TBitmap Copy;
      Copy.Assign(const_cast<TBitmap*>(B));
      Copy.SetTransparent(Graphic->CellTransparent());
      Canvas->Draw(G.Left, G.Top, &Copy);
    }
    break;
  case ctIcon:
    if (const TBitmap* B = BitmapOf(Graphic->CellIcon()))
      Canvas->Draw(G.Left, G.Top, B);
    break;
  case ctImageList:
    if (Images)
      Images->Draw(Canvas, G.Left, G.Top, Graphic->CellIndex(), true);
    break;
  case ctDataImage:
    if (Images) {
      const String Text = Trim(GetCellEx(RCol, ARow));
      int32_t Index = -1;
      if (!Text.isEmpty() && !TryStrToInt(Text, Index))
        Index = -1;
      if (Index >= 0 && Index < Images->Count())
        Images->Draw(Canvas, G.Left, G.Top, Index, true);
    }
    break;
  case ctCheckBox:
  case ctDataCheckBox:
  case ctVirtCheckBox:
  case ctRowCheckBox:
  case ctTriStateCheckBox:
  case ctRadioButton: {
    if (OnGetAlignment || HasColumnsProp()) {
      const bool DataKind = Kind == ctDataCheckBox || Kind == ctVirtCheckBox || Kind == ctRowCheckBox;
      if (TextHAlign == taLeftJustify) {
        G.Left = R.Left + 1;
      } else if (TextHAlign == taRightJustify) {
        const int32_t End = DataKind ? R.Right : R.Right - T;
        G.Left = std::max(R.Left + 1, End - GW - 1);
      } else {
        G.Left = DataKind || T < 1 ? R.Left + std::max(0, R.Width() - GW) / 2
                                   : std::max(R.Left + 1, R.Left + std::max(0, R.Width() - T) / 2 - GW);
      }
      G.Right = G.Left + GW;
    }
    GetCellReadOnly(RCol, ARow, CanEdit);
    const TGridControlStyle Style = L->ControlStyle();
    switch (Kind) {
    case ctCheckBox:
    case ctRowCheckBox:
      DrawCheck(Canvas, G, Graphic->CellBoolean(), CanEdit, Graphic->CellAngle() > 0, Style, false, cbUnchecked);
      break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
      DrawCheck(Canvas, G, GetCellEx(RCol, ARow) == GetCheckTrue(RCol, ARow), CanEdit, false, Style, false,
                cbUnchecked);
      break;
    case ctTriStateCheckBox:
      DrawCheck(Canvas, G, false, CanEdit, Graphic->CellAngle() > 0, Style, true, Graphic->CellCheckBoxState());
      break;
    default: {
      G.Left += FXYOffset.X;
      G.Right = G.Left + L->RadioSize();
      G.Bottom = G.Top + L->RadioSize();
      DrawRadio(Canvas, G, RCol, ARow, false, !CanEdit, nullptr, false, Graphic->CellBoolean() ? 0 : -1, 1, Style, 1.0,
                false);
      break;
    }
    }
    break;
  }
  case ctRotated:
    DrawRotatedText(Canvas, Graphic, ACol, RCol, ARow, Cell);
    break;
  case ctRadio: {
    GetCellReadOnly(RCol, ARow, CanEdit);
    TStringList* Choices = GetRadioStrings(RCol, ARow);
    const bool Selected = AState & GridDrawBit(gdSelected);
    DrawRadio(Canvas, R, RCol, ARow, Selected, !CanEdit, Choices, Graphic->CellBoolean(), Graphic->CellIndex(),
              Choices ? Choices->Count() : 0, L->ControlStyle(), 1.0, false);
    break;
  }
  case ctImages:
    if (Images && Graphic->Images()) {
      int32_t X = G.Left, Y = G.Top;
      for (int32_t I = 0; I < Graphic->Images()->Count(); ++I) {
        Images->Draw(Canvas, X, Y, Graphic->Images()->GetInteger(I), true);
        (Graphic->CellBoolean() ? X : Y) += Graphic->CellBoolean() ? Images->Width() : Images->Height();
      }
    }
    break;
  case ctPicture:
    if (const auto* P = dynamic_cast<TPicture*>(Graphic->CellBitmap()); P && P->Graphic() && !P->Graphic()->Empty()) {
      TRect Place = G;
      if (!(Options() & GridOptionBit(goVertLine)))
        Place = TRect{Place.Left - 1, Place.Top, Place.Right - 1, Place.Bottom};
      if (!(Options() & GridOptionBit(goHorzLine)))
        Place = TRect{Place.Left, Place.Top - 2, Place.Right, Place.Bottom - 2};
      if (Graphic->CellAngle() != noStretch)
        Canvas->StretchDraw(Place, P->Graphic());
      else
        Canvas->Draw(Place.Left, Place.Top, P->Graphic());
    }
    break;
  case ctFilePicture:
    if (const auto* P = dynamic_cast<TFilePicture*>(Graphic->CellBitmap()))
      P->DrawPicture(Canvas, G);
    break;
  case ctProgress: {
    const int32_t MX = L->ProgressMarginX(), MY = L->ProgressMarginY();
    TRect Bar{Cell.Left + 2, Cell.Top + 2, Cell.Right - 2, Cell.Bottom - 2};
    if (L->ProgressHeight() >= 1)
      Bar.Bottom = Bar.Top + RoundI(L->ProgressHeight() * FDPIScale);
    double V = 0;
    CellFloat(RCol, ARow, V);
    const bool Themed =
        (L->ControlStyle() == csWinXP || L->ControlStyle() == csTheme) && DoThemeDrawing() && L->ProgressXP();
    if (Themed) {
      if (const HTHEME H = OpenThemeData(QStringLiteral("Progress"))) {
        const TRect Area{Bar.Left + MX, Bar.Top + MY, Bar.Right - MX, Bar.Bottom - MY};
        const double Part = std::clamp(V, 0.0, 100.0);
        DrawThemeBackground(H, Canvas, 1, 0, Area);
        const int32_t W = RoundI(Part * Area.Width() / 100);
        if (W > 0)
          DrawThemeBackground(H, Canvas, 3, 1, TRect{Area.Left, Area.Top, Area.Left + W, Area.Bottom});
        CloseThemeData(H);
      }
      break;
    }
    const TColor Fg = Graphic->CellBitmapColor(), Bk = Graphic->CellIconColor();
    const bool Formatted = !Graphic->CellText().isEmpty();
    const TColor FgText =
        Graphic->CellBoolean() ? static_cast<TColor>(Graphic->CellIndex()) : ColorToRGB(Fg) ^ 0xFFFFFF;
    const TColor BkText =
        Graphic->CellBoolean() ? static_cast<TColor>(Graphic->CellAngle()) : ColorToRGB(Bk) ^ 0xFFFFFF;
    Canvas->Font()->Assign(Font());
    DrawProgressLin(Canvas, Bar, Fg, FgText, Bk, BkText, V, MX - 2, MY - 2, Formatted ? Graphic->CellErrFrom() : 0,
                    Formatted ? Graphic->CellErrLen() : 100, Graphic->CellValue(), Graphic->CellText(),
                    L->ProgressBorderColor(), false);
    break;
  }
  case ctXPProgress: {
    const int32_t MX = L->ProgressMarginX(), MY = L->ProgressMarginY();
    const TRect Bar{Cell.Left + MX, Cell.Top + MY, Cell.Right - MX - 1, Cell.Bottom - MY - 1};
    const int32_t Min = Graphic->CellErrFrom(), Max = Graphic->CellErrLen();
    // An empty range shows nothing.
    if (Max == Min)
      break;
    double V = 0;
    CellFloat(RCol, ARow, V);
    const int32_t Perc = RoundI(std::abs(std::trunc(V) - Min) / double(Max - Min) * 100);
    const TGridProgressAppearance* P = FProgressAppearance.get();
    TGaugeSettings S;
    S.Level0Color = P->Level0Color();
    S.Level0ColorTo = P->Level0ColorTo();
    S.Level1Color = P->Level1Color();
    S.Level1ColorTo = P->Level1ColorTo();
    S.Level2Color = P->Level2Color();
    S.Level2ColorTo = P->Level2ColorTo();
    S.Level3Color = P->Level3Color();
    S.Level3ColorTo = P->Level3ColorTo();
    S.Level1Perc = P->Level1Perc();
    S.Level2Perc = P->Level2Perc();
    S.BorderColor = P->BorderColor();
    S.ShowBorder = P->ShowBorder();
    S.Stacked = P->Stacked();
    S.ShowPercentage = P->ShowPercentage();
    S.Font = Font();
    S.FontColor = P->CompleteFontColor();
    S.CompletionSmooth = P->CompletionSmooth();
    S.ShowGradient = P->ShowGradient();
    S.Steps = P->Steps();
    S.BackgroundColor = P->UnCompleteColor() == clNone ? Canvas->Brush()->Color() : P->UnCompleteColor();
    DrawGauge(Canvas, Bar, Perc, S);
    break;
  }
  case ctProgressPie:
    DrawProgressPie(Canvas, TRect{G.Left, G.Top, G.Left + 20, G.Top + 20}, static_cast<TColor>(Graphic->CellErrFrom()),
                    Graphic->CellAngle(), false);
    break;
  case ctRangeIndicator: {
    const int32_t MX = L->ProgressMarginX(), MY = L->ProgressMarginY();
    double V = 0;
    CellFloat(RCol, ARow, V);
    DrawRangeIndicator(Canvas, TRect{Cell.Left + MX, Cell.Top + MY, Cell.Right - MX, Cell.Bottom - MY},
                       static_cast<int32_t>(std::trunc(V)), Graphic->CellIndex(), Graphic->CellBoolean(),
                       Graphic->CellBitmapColor(), Graphic->CellIconColor());
    break;
  }
  case ctButton:
  case ctBitButton:
  case ctExpand:
  case ctVirtButton:
    DrawButtonGraphic(Canvas, Graphic, RCol, ARow, Cell, G);
    break;
  case ctInterface:
    if (auto* Source = dynamic_cast<ICellGraphicSource*>(Graphic->CellBitmap()))
      Source->Draw(Canvas, TRect{Cell.Left - 1, Cell.Top - 1, Cell.Right, Cell.Bottom}, this,
                   AState & GridDrawBit(gdSelected), ARow, RCol);
    break;
  case ctShape:
    DrawShape(Canvas, G.Left, G.Top, G.Width() - 1, G.Height() - 1, static_cast<TCellShape>(Graphic->CellAngle()),
              static_cast<TColor>(Graphic->CellIndex()), Graphic->CellBitmapColor());
    break;
  case ctRating: {
    double V = 0;
    try {
      V = std::trunc(GetFloats(RCol, ARow) * 2) / 2;
    } catch (const ERurGridError&) {
      V = 0;
    }
    const TColor Full = static_cast<TColor>(Graphic->CellIndex()), Empty = Graphic->CellBitmapColor();
    for (int32_t I = 1; I <= Graphic->CellAngle(); ++I) {
      const int32_t X = G.Left + (I - 1) * 18;
      DrawShape(Canvas, X, G.Top, 16, 16, csStar, I > V ? Empty : Full, I > V ? Empty : Full);
      if (I - 1 < V && V < I)
        DrawShape(Canvas, X, G.Top, 16, 16, csHalfStar, Full, Full);
    }
    break;
  }
  default:
    break;
  }
  if (Kind != ctNode)
    DrawCommentMarker(Canvas, Graphic, R);
}
