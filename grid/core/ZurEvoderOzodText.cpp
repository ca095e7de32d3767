// The text of a cell: its formatted display text, the search highlight,
// room for the graphic and the sort indicator, alignment, word wrap,
// multi-line cells, links and the sort indicator itself.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/base/rurutil.h"
#include "grid/core/BackGround.h"
#include "grid/core/GridAppearance.h"
#include "grid/core/GridSettings.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/Region.h"
#include "rtl/Numbers.h"
#include "rtl/Strings.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>

namespace {

constexpr TColor SortLight = clWhite;
constexpr TColor SortShade = 0x00808080;

// Markup is shown as its plain text until the mini-HTML renderer draws it:
// the tags go, the character entities the grid writes become characters.
String PlainOfHTML(const String& S)
{
  String R;
  R.reserve(S.length());
  bool InTag = false;
  for (qsizetype I = 0; I < S.length(); ++I) {
    const QChar C = S[I];
    if (InTag) {
      InTag = C != u'>';
      continue;
    }
    if (C == u'<') {
      // A line break tag keeps its line.
      if (S.mid(I, 4).compare(QStringLiteral("<br>"), Qt::CaseInsensitive) == 0)
        R += QStringLiteral("\r\n");
      InTag = true;
      continue;
    }
    R += C;
  }
  R.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
  R.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
  R.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
  R.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  return R;
}

// Rich text shows its words until the rich-text editor renders it: the
// control words, groups and braces go.
String PlainOfRTF(const String& S)
{
  String R;
  int32_t Depth = 0;
  for (qsizetype I = 0; I < S.length(); ++I) {
    const QChar C = S[I];
    if (C == u'{') {
      ++Depth;
    } else if (C == u'}') {
      --Depth;
    } else if (C == u'\\') {
      qsizetype J = I + 1;
      if (J < S.length() && (S[J] == u'\\' || S[J] == u'{' || S[J] == u'}')) {
        R += S[J];
        I = J;
        continue;
      }
      String Word;
      while (J < S.length() && S[J].isLetter())
        Word += S[J++];
      while (J < S.length() && (S[J].isDigit() || S[J] == u'-'))
        ++J;
      if (J < S.length() && S[J] == u' ')
        ++J;
      if (Word == u"par" || Word == u"line")
        R += QStringLiteral("\r\n");
      I = J - 1;
    } else if (Depth <= 1 && C != u'\r' && C != u'\n') {
      R += C;
    }
  }
  return R.trimmed();
}

// The text as the cell shows it, whatever its kind.
String ShownText(const String& Text, bool EnableHTML)
{
  switch (TextType(Text, EnableHTML)) {
  case ttHTML:
    return PlainOfHTML(Text);
  case ttRTF:
    return PlainOfRTF(Text);
  case ttUnicode:
    return DecodeWideStr(Text);
  default:
    return Text;
  }
}

} // namespace

// ---------------------------------------------------------------- display text

String TZurEvoderOzod::ShownCellText(int32_t ACol, int32_t ARow, const String& Formatted)
{
  String Text = ShownText(Formatted, FEnableHTML);
  bool IsPassword = false;
  GetCellPassword(ACol, ARow, IsPassword);
  if (IsPassword)
    StringToPassword(Text, FPasswordChar);
  return Text;
}

String TZurEvoderOzod::PlainRichText(const String& Text) { return PlainOfRTF(Text); }

String TZurEvoderOzod::GetStrippedCell(int32_t ACol, int32_t ARow)
{
  const String Text = GetCellEx(ACol, ARow);
  return Text.contains(QStringLiteral("{\\")) ? PlainOfRTF(Text) : HTMLStrip(Text);
}

String TZurEvoderOzod::ShownCellText(int32_t ACol, int32_t ARow)
{
  return ShownCellText(ACol, ARow, GetFormattedCell(ACol, ARow));
}

String TZurEvoderOzod::GetFormattedCell(int32_t ACol, int32_t ARow)
{
  const String Text = GetCellEx(ACol, ARow);
  if (!OnGetFloatFormat)
    return Text;
  const TAutoType T = IsType(Trim(Text));
  if (T != atNumeric && T != atFloat && T != atScientific)
    return Text;
  bool IsFloat = true;
  String Fmt = FFloatFormat;
  OnGetFloatFormat(this, ACol, ARow, IsFloat, Fmt);
  if (!IsFloat || Fmt.isEmpty())
    return Text;
  double V = 0;
  if (!CellFloat(ACol, ARow, V))
    return Text;
  // An integer format takes only an integer, and a format that does not
  // fit its value leaves the text as it is.
  try {
    if (!Fmt.contains(u'd') && !Fmt.contains(u'x'))
      return Format(Fmt, {V});
    int64_t I = 0;
    if (!TryStrToInt64(Trim(Text), I))
      return Text;
    return Format(Fmt, {I});
  } catch (const std::exception&) {
    return Text;
  }
}

// ---------------------------------------------------------------- sort indicator

void TZurEvoderOzod::DrawSortIndicator(TCanvas* Canvas, int32_t RCol, int32_t X, int32_t Y)
{
  const TSortSettings* S = FSortSettings.get();
  auto Line = [Canvas](TColor C, int32_t X2, int32_t Y2) {
    Canvas->Pen()->SetColor(C);
    Canvas->LineTo(X2, Y2);
  };
  Canvas->Pen()->SetWidth(1);
  if (S->IndexShow()) {
    const int32_t I = FSortIndexes->FindIndex(RCol);
    if (I < 0)
      return;
    Canvas->Brush()->SetColor(S->IndexColor());
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetColor(S->IndexColor());
    const int32_t Mode = Canvas->SetBkMode(TRANSPARENT);
    Canvas->Font()->SetColor(clBlack);
    Canvas->Font()->SetSize(6);
    const bool Descending = !FSortIndexes->SortDirections(I);
    const bool Glyphs = !S->IndexUpGlyph()->Empty() && !S->IndexDownGlyph()->Empty();
    if (Descending) {
      if (Glyphs)
        Canvas->Draw(X - 7, Y - 7, S->IndexUpGlyph());
      else
        Canvas->Polygon(std::array<TPoint, 3>{TPoint{X - 7, Y - 5}, TPoint{X + 7, Y - 5}, TPoint{X, Y + 8}});
      Canvas->TextOut(X - 2, Y - 4, IntToStr(I + 1));
    } else {
      if (Glyphs)
        Canvas->Draw(X - 7, Y - 7, S->IndexDownGlyph());
      else
        Canvas->Polygon(std::array<TPoint, 3>{TPoint{X - 6, Y + 8}, TPoint{X + 6, Y + 8}, TPoint{X, Y - 4}});
      Canvas->TextOut(X - 2, Y - 2, IntToStr(I + 1));
    }
    Canvas->SetBkMode(Mode);
    return;
  }
  if (S->UpGlyph()->Empty() || S->DownGlyph()->Empty()) {
    if (S->Direction() == sdDescending) {
      Canvas->MoveTo(X + 4, Y - 4);
      Line(SortLight, X, Y + 4);
      Line(SortShade, X - 4, Y - 4);
      Line(SortShade, X + 4, Y - 4);
    } else {
      Canvas->MoveTo(X - 4, Y + 4);
      Line(SortLight, X + 4, Y + 4);
      Line(SortLight, X, Y - 4);
      Line(SortShade, X - 4, Y + 4);
    }
    Canvas->Pen()->SetColor(clBlack);
    return;
  }
  TBitmap Glyph;
  Glyph.Assign(S->Direction() == sdDescending ? S->DownGlyph() : S->UpGlyph());
  Glyph.SetTransparent(true);
  Canvas->Draw(X - 4, Y - 4, &Glyph);
  Canvas->SetBkColor(FixedColor());
}

// ---------------------------------------------------------------- the text

int32_t TZurEvoderOzod::DrawCellText(TCanvas* Canvas, int32_t ACol, int32_t RCol, int32_t ARow, TRect R,
                                     TGridDrawState AState, TColor UnselBrush, TColor UnselFont, TCellGraphic* Graphic,
                                     int32_t GraphicWidth, int32_t GraphicHeight, bool ShowText, TCellHAlign GHAlign,
                                     TCellVAlign GVAlign, TAlignment HAlign, TVAlignment VAlign, bool WordWrap)
{
  const int32_t FC = TBaseGrid::FixedCols(), FR = TBaseGrid::FixedRows();
  const bool Fixed = ACol < FC || ARow < FR;
  const bool CanShow = CanShowSelection();

  // Selected cells in the selection's colours.
  TColor LinkColor = FURLColor;
  const bool RowSelected =
      (Options() & GridOptionBit(goRowSelect)) && ARow == Row() && ACol >= FC && ACol < ColCount() - FFixedRightCols;
  if (((AState & GridDrawBit(gdSelected)) || RowSelected) && !Fixed) {
    if (CanShow) {
      if (FSelectionColor != clNone)
        Canvas->Brush()->SetColor(FSelectionColor);
      if (FSelectionTextColor != clNone && Enabled() && FUseSelectionTextColor) {
        Canvas->Font()->SetColor(FSelectionTextColor);
        LinkColor = FSelectionTextColor;
      }
    } else {
      Canvas->Brush()->SetColor(UnselBrush);
      Canvas->Font()->SetColor(UnselFont);
    }
  }

  String Text = GetFormattedCell(RCol, ARow);

  // Search hits: marked in the cell as the search panel asks.
  qsizetype HitPos = -1, HitLen = 0;
  const bool Highlight =
      FSearchFooter->Visible() && (FSearchHighlightDown || FSearchFooter->AlwaysHighLight()) && !FSearchText.isEmpty();
  const bool SearchedColumn = FSearchFooter->SearchColumn() == -1
                                  ? RCol >= FC && RCol < ColCount() + FNumHidden - FFixedRightCols
                                  : RCol == FSearchFooter->SearchColumn();
  if (Highlight && SearchedColumn && ARow >= FR && ARow < RowCount() - FFixedFooters) {
    HitPos = Text.indexOf(FSearchText, 0, FSearchMatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
    HitLen = FSearchText.length();
  }

  Text = ShownCellText(RCol, ARow, Text);

  if (Fixed) {
    R.Left += GridLineWidth();
    R.Top += GridLineWidth();
  }
  const TRect Cell = R;

  // The grid-wide gradient background: the part of it that lies under the
  // cell.
  const TBackGroundDisplay Display = FBackGround->Display();
  const TBackGroundCells Cells = FBackGround->Cells();
  const bool BackCell = Fixed ? Cells == bcFixed || Cells == bcAll : Cells == bcNormal || Cells == bcAll;
  const bool OwnColour = HasCellProperties(RCol, ARow) && GetCellProperties(RCol, ARow)->BrushColor() != clNone;
  const bool ControlCell = Graphic && (Graphic->CellType() == ctCheckBox || Graphic->CellType() == ctDataCheckBox ||
                                       Graphic->CellType() == ctRadio || Graphic->CellType() == ctButton ||
                                       Graphic->CellType() == ctBitButton || Graphic->CellType() == ctRadioButton ||
                                       Graphic->CellType() == ctVirtButton);
  const bool SelectedLook =
      CanShow && ((AState & GridDrawBit(gdSelected)) ||
                  ((AState & GridDrawBit(gdFocused)) && (Options() & GridOptionBit(goDrawFocusSelected))));
  if ((Display == bdGradientHorz || Display == bdGradientVert) && (!OwnColour || ControlCell) && BackCell &&
      !SelectedLook) {
    const bool Horz = Display == bdGradientHorz;
    TRect A{R.Left - 1, R.Top - GridLineWidth(), R.Right, R.Bottom + GridLineWidth() - 1};
    const int32_t Extent = Horz ? Width() : Height();
    const TColor From = GradientAt(FBackGround->Color(), FBackGround->ColorTo(), 0, Extent, Horz ? A.Left : A.Top);
    const TColor To = GradientAt(FBackGround->Color(), FBackGround->ColorTo(), 0, Extent, Horz ? A.Right : A.Bottom);
    Canvas->Brush()->SetColor(To);
    Canvas->Pen()->SetColor(To);
    if (!(Options() & GridOptionBit(goHorzLine)))
      ++A.Bottom;
    RurDropDown::DrawGradient(Canvas, From, To, 128, A, Horz);
  }

  // Room for the sort indicator in a merged header.
  const TSortSettings* S = FSortSettings.get();
  const bool SortHere = ShouldDrawSortIndicator(ACol, ARow) &&
                        (S->Column() == RCol || (S->IndexShow() && FSortIndexes->FindIndex(RCol) >= 0)) &&
                        (ACol >= FC || S->FixedCols());
  if (S->Show() && S->Column() == RCol && IsMergedCell(RCol, ARow) &&
      (ARow == S->Row() || (ARow <= S->Row() && S->Row() <= ARow + CellSpan(RCol, ARow).Y)))
    R.Right -= 12;

  if (!ShowText)
    return 0;

  // Margins and room for the graphic.
  R.Left += FXYOffset.X;
  R.Top += FXYOffset.Y;
  if (!FXYOffsetTopLeftOnly)
    R.Right -= FXYOffset.X;
  int32_t Reserved = 0;
  if (Graphic) {
    if (GHAlign == haLeft)
      Reserved = GraphicWidth;
    if (GHAlign == haBeforeText) {
      R.Left += GraphicWidth;
      if (HAlign == taLeftJustify)
        Reserved = GraphicWidth;
    }
    if (GHAlign == haAfterText)
      R.Right -= GraphicWidth;
    if (GVAlign == vaAboveText)
      R.Top += GraphicHeight;
    if (GVAlign == vaUnderText)
      R.Bottom -= GraphicHeight;
  }
  if (RCol == 0 && HasNodes() && !IsNode(ARow))
    R.Left += NodeIndent(ARow);

  // Centred text of a sorted header stands beside its indicator.
  if (SortHere && HAlign == taCenter && S->Row() == ARow && S->Show())
    R.Left += 10;

  const bool URL = FURLShow && IsURL(Text);
  if (URL) {
    if (!FURLFull)
      StripURLProtocol(Text);
    Canvas->Font()->SetStyle(Canvas->Font()->Style() | FontStyleBit(fsUnderline));
    Canvas->Font()->SetColor(LinkColor);
  }

  uint32_t Flags = DT_EDITCONTROL;
  const int32_t Lines = LinesInText(Text, FMultilinecells);
  if (Lines == 1 && !WordWrap) {
    String Rest = Text;
    Text = GetNextLine(Rest, false);
    Flags = FEnhTextSize ? DT_SINGLELINE | DT_END_ELLIPSIS : DT_SINGLELINE;
  }
  if (WordWrap && !FMultilinecells && FEnhTextSize)
    Flags |= DT_END_ELLIPSIS;
  const uint32_t HFlag = HAlign == taRightJustify ? DT_RIGHT : HAlign == taCenter ? DT_CENTER : DT_LEFT;
  const uint32_t VFlag = VAlign == vtaCenter ? DT_VCENTER : VAlign == vtaBottom ? DT_BOTTOM : DT_TOP;
  FVAlign = VFlag;
  Flags |= DT_EXPANDTABS | DT_NOPREFIX | HFlag | VFlag;
  Flags |= WordWrap ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;

  const int32_t Mode = Canvas->SetBkMode(TRANSPARENT);
  const auto Restore = qScopeGuard([&] {
    Canvas->SetBkMode(Mode);
    if (URL)
      Canvas->Font()->SetStyle(Canvas->Font()->Style() & ~FontStyleBit(fsUnderline));
  });

  int32_t TextWidth = 0;
  if (Graphic && !Text.isEmpty()) {
    TRect M = R;
    Canvas->DrawText(Text, M, Flags | DT_CALCRECT);
    TextWidth = M.Width() + 2;
  }

  // The search hit: its stretch of a single-line text on a highlight.
  if (HitPos >= 0 && Lines == 1 && !WordWrap) {
    const int32_t Whole = Canvas->TextWidth(Text);
    const int32_t Before = Canvas->TextWidth(Text.left(HitPos));
    const int32_t Hit = Canvas->TextWidth(Text.mid(HitPos, HitLen));
    const int32_t X0 = HFlag == DT_RIGHT    ? R.Right - Whole
                       : HFlag == DT_CENTER ? R.Left + (R.Width() - Whole) / 2
                                            : R.Left;
    const int32_t LineH = Canvas->TextHeight(QStringLiteral("gh"));
    const int32_t Y0 = VFlag == DT_BOTTOM    ? R.Bottom - LineH
                       : VFlag == DT_VCENTER ? R.Top + (R.Height() - LineH) / 2
                                             : R.Top;
    const TColor Saved = Canvas->Brush()->Color();
    Canvas->Brush()->SetColor(clHighlight);
    Canvas->FillRect(TRect{X0 + Before, Y0, std::min(R.Right, X0 + Before + Hit), Y0 + LineH});
    Canvas->Brush()->SetColor(Saved);
  }

  if (FMultilinecells && Lines > 1) {
    TRect Probe = R;
    const int32_t LineH = Canvas->DrawText(QStringLiteral("gh"), Probe, DT_CALCRECT | DT_SINGLELINE);
    TRect L = R;
    if (VAlign == vtaCenter)
      L.Top += (R.Height() - LineH * Lines) / 2;
    else if (VAlign == vtaBottom)
      L.Top = R.Bottom - LineH * Lines;
    String Rest = Text;
    const uint32_t LineFlags = Flags & ~(DT_VCENTER | DT_BOTTOM);
    for (int32_t I = 0; I < Lines; ++I) {
      const String Line = GetNextLine(Rest, true);
      L.Top += Canvas->DrawText(Line, L, LineFlags);
    }
  } else {
    String Shown = Text.left(WordWrap ? Text.length() : 4096);
    if ((Canvas->Font()->Style() & FontStyleBit(fsItalic)) && HAlign == taRightJustify)
      Shown += u' ';
    if ((Flags & DT_END_ELLIPSIS) && HAlign == taLeftJustify && !Shown.trimmed().isEmpty() &&
        Canvas->TextWidth(Shown) > R.Width())
      Shown += QStringLiteral("     ");
    Canvas->DrawText(Shown, R, Flags);
  }

  // A marked stretch of the text, underlined as erroneous.
  if (Graphic && (Graphic->CellType() == ctEmpty || Graphic->CellType() == ctValue) && Graphic->CellErrLen() > 0)
    DrawErrorLines(this, Canvas, Text, R, Canvas->TextHeight(QStringLiteral("gh")), Graphic->CellErrFrom(),
                   Graphic->CellErrLen());

  // The sort indicator beside the text.
  if (SortHere && (S->IndexShow() || S->Column() == RCol)) {
    const TRect C = Cell;
    const int32_t T = std::max(0, std::min(C.Width() - Reserved - 16, Canvas->TextWidth(Text)));
    const int32_t X = HAlign == taLeftJustify    ? C.Left + T + Reserved + 10
                      : HAlign == taRightJustify ? C.Right - T - 10
                                                 : C.Left + 8;
    const int32_t Y = VAlign == vtaTop ? C.Top + 8 : VAlign == vtaCenter ? C.Top + C.Height() / 2 : C.Bottom - 8;
    DrawSortIndicator(Canvas, RCol, X, Y);
  }
  return TextWidth;
}
