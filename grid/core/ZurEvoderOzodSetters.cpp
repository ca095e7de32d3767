// The writing side of the per-cell attributes: array properties over the
// cells' records, whole rows and rectangles, the header lists, search
// highlights and error marks in the text, cell checking, test fills,
// swapping cells, repainting and hyperlinks. Cell-store coordinates unless
// said otherwise.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/ControlList.h"
#include "grid/base/ZurEvoderOzodCheck.h"
#include "grid/base/rurutil.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "rtl/Numbers.h"
#include "rtl/StringList.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cmath>

namespace {

// Framework MulDiv: rounded, halves away from zero.
int32_t MulDivRound(int32_t A, int32_t B, int32_t C)
{
  return static_cast<int32_t>(std::lround(static_cast<double>(A) * B / C));
}

} // namespace

// ---------------------------------------------------------------- array properties

#define FX_RECORD_READ(Type, Name, Field, Default)                                                                     \
  Type TZurEvoderOzod::Name(int32_t ACol, int32_t ARow) const                                                          \
  {                                                                                                                    \
    return HasCellProperties(ACol, ARow) ? const_cast<TZurEvoderOzod*>(this)->GetCellProperties(ACol, ARow)->Field()   \
                                         : Default;                                                                    \
  }
FX_RECORD_READ(TColor, Colors, BrushColor, clNone)
FX_RECORD_READ(TColor, ColorsTo, BrushColorTo, clNone)
FX_RECORD_READ(TCellGradientDirection, Gradients, GradientDirection, GradientVertical)
FX_RECORD_READ(TColor, FontColors, FontColor, clNone)
FX_RECORD_READ(TFontStyles, FontStyles, FontStyle, 0)
FX_RECORD_READ(TAlignment, Alignments, Alignment, taLeftJustify)
FX_RECORD_READ(bool, ReadOnly, ReadOnly, false)
FX_RECORD_READ(TControl*, CellControls, Control, nullptr)
#undef FX_RECORD_READ

String TZurEvoderOzod::FontNames(int32_t ACol, int32_t ARow) const
{
  return HasCellProperties(ACol, ARow) ? const_cast<TZurEvoderOzod*>(this)->GetCellProperties(ACol, ARow)->FontName()
                                       : const_cast<TZurEvoderOzod*>(this)->Font()->Name();
}

// A write repaints the cell unless updates are held (BeginUpdate).
#define FX_RECORD_WRITE(Type, Name, Setter, UpdateAware)                                                               \
  void TZurEvoderOzod::Name(int32_t ACol, int32_t ARow, Type Value)                                                    \
  {                                                                                                                    \
    GetCellProperties(ACol, ARow)->Setter(Value);                                                                      \
    if (!(UpdateAware) || FUpdateCount == 0)                                                                           \
      RepaintCell(DisplColIndex(ACol), ARow);                                                                          \
  }
FX_RECORD_WRITE(TColor, SetColors, SetBrushColor, true)
FX_RECORD_WRITE(TColor, SetColorsTo, SetBrushColorTo, false)
FX_RECORD_WRITE(TCellGradientDirection, SetGradients, SetGradientDirection, false)
FX_RECORD_WRITE(TColor, SetFontColors, SetFontColor, true)
FX_RECORD_WRITE(TFontStyles, SetFontStyles, SetFontStyle, true)
FX_RECORD_WRITE(const String&, SetFontNames, SetFontName, true)
FX_RECORD_WRITE(TAlignment, SetAlignments, SetAlignment, true)
FX_RECORD_WRITE(bool, SetReadOnly, SetReadOnly, true)
FX_RECORD_WRITE(bool, SetWordWraps, SetWordWrap, true)
#undef FX_RECORD_WRITE

// Points through the canvas' pixels per inch (96 without a window).
int32_t TZurEvoderOzod::FontSizes(int32_t ACol, int32_t ARow)
{
  const int32_t Height = HasCellProperties(ACol, ARow) ? GetCellProperties(ACol, ARow)->FontSize() : Font()->Height();
  const int32_t PPI = HandleAllocated() ? static_cast<int32_t>(std::lround(96 * FDPIScale)) : 96;
  return MulDivRound(-Height, 72, PPI);
}

void TZurEvoderOzod::SetFontSizes(int32_t ACol, int32_t ARow, int32_t Value)
{
  const int32_t PPI = HandleAllocated() ? static_cast<int32_t>(std::lround(96 * FDPIScale)) : 96;
  GetCellProperties(ACol, ARow)->SetFontSize(-MulDivRound(Value, PPI, 72));
  if (FUpdateCount == 0)
    RepaintCell(DisplColIndex(ACol), ARow);
}

// The only read that makes a record.
bool TZurEvoderOzod::WordWraps(int32_t ACol, int32_t ARow) { return GetCellProperties(ACol, ARow)->WordWrap(); }

void TZurEvoderOzod::SetFonts(int32_t ACol, int32_t ARow, TFont* Value)
{
  if (!Value)
    return;
  TCellProperties* CP = GetCellProperties(ACol, ARow);
  CP->SetFontName(Value->Name());
  CP->SetFontSize(Value->Height());
  CP->SetFontStyle(Value->Style());
  CP->SetFontColor(Value->Color());
  if (FUpdateCount == 0)
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TZurEvoderOzod::SetCellControls(int32_t ACol, int32_t ARow, TControl* Value)
{
  const int32_t Listed = FControlList->ControlIndex(ACol, RealRowIndex(ARow));
  if (!Value) {
    if (HasCellProperties(ACol, ARow) && GetCellProperties(ACol, ARow)->Control()) {
      if (Listed >= 0)
        FControlList->RemoveControl(Listed);
      GetCellProperties(ACol, ARow)->SetControl(nullptr);
    }
    return;
  }
  if (Listed >= 0)
    FControlList->RemoveControl(Listed);
  TCellProperties* CP = GetCellProperties(ACol, ARow);
  if (!CP->Control())
    ++FNumCellControls;
  FControlList->AddControl(ACol, RealRowIndex(ARow), Value);
  CP->SetControl(Value);
  Value->SetParent(this);
  const TRect R = CellRect(DisplColIndex(ACol), ARow);
  Value->SetBounds(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
}

int32_t TZurEvoderOzod::LinesInCell(int32_t ACol, int32_t ARow)
{
  return LinesInText(GetCellEx(ACol, ARow), FMultilinecells);
}

// ---------------------------------------------------------------- rows and rectangles

void TZurEvoderOzod::SetRowColor(int32_t ARow, TColor Value)
{
  for (int32_t C = FixedCols(); C < AllColCount(); ++C) {
    if (Value != clNone) {
      GetCellProperties(C, ARow)->SetBrushColor(Value);
    } else if (HasCellProperties(C, ARow)) {
      // Records that still hold something keep it; the others go.
      if (!GetGridCell(C, ARow).isEmpty() || GetObjectEx(C, ARow) || IsMergedCell(C, ARow))
        GetCellProperties(C, ARow)->SetBrushColor(clNone);
      else
        ClearPropCell(C, ARow);
    }
  }
  RepaintRow(ARow);
}

void TZurEvoderOzod::SetRowColorTo(int32_t ARow, TColor Value)
{
  for (int32_t C = FixedCols(); C < AllColCount(); ++C) {
    if (Value != clNone)
      GetCellProperties(C, ARow)->SetBrushColorTo(Value);
    else if (HasCellProperties(C, ARow))
      ClearPropCell(C, ARow);
  }
  RepaintRow(ARow);
}

void TZurEvoderOzod::SetRowFontColor(int32_t ARow, TColor Value)
{
  for (int32_t C = FixedCols(); C < AllColCount(); ++C) {
    if (Value != clNone)
      GetCellProperties(C, ARow)->SetFontColor(Value);
    else if (HasCellProperties(C, ARow) && Colors(C, ARow) == clNone)
      ClearPropCell(C, ARow);
  }
  RepaintRow(ARow);
}

namespace {

// Columns outer, rows inner; a visit answering false stops the walk.
template <typename F>
bool VisitRect(const TGridRect& R, F Visit)
{
  for (int32_t C = R.Left; C <= R.Right; ++C)
    for (int32_t Row = R.Top; Row <= R.Bottom; ++Row)
      if (!Visit(C, Row))
        return false;
  return true;
}

} // namespace

void TZurEvoderOzod::SetCellColor(const TGridRect& GridRect, TColor AColor)
{
  VisitRect(GridRect, [&](int32_t C, int32_t R) { return SetColors(C, R, AColor), true; });
}

void TZurEvoderOzod::SetCellTextColor(const TGridRect& GridRect, TColor AColor)
{
  VisitRect(GridRect, [&](int32_t C, int32_t R) { return SetFontColors(C, R, AColor), true; });
}

void TZurEvoderOzod::SetCellFontName(const TGridRect& GridRect, const String& AFontName)
{
  VisitRect(GridRect, [&](int32_t C, int32_t R) { return SetFontNames(C, R, AFontName), true; });
}

void TZurEvoderOzod::SetCellFontSize(const TGridRect& GridRect, int32_t AFontSize)
{
  VisitRect(GridRect, [&](int32_t C, int32_t R) { return SetFontSizes(C, R, AFontSize), true; });
}

void TZurEvoderOzod::SetAlignment(const TGridRect& GridRect, TAlignment AAlignment)
{
  VisitRect(GridRect, [&](int32_t C, int32_t R) { return SetAlignments(C, R, AAlignment), true; });
}

void TZurEvoderOzod::SetFontStyle(const TGridRect& GridRect, TFontStyle AStyle, bool DoSet)
{
  VisitRect(GridRect, [&](int32_t C, int32_t R) {
    const TFontStyles S = FontStyles(C, R);
    SetFontStyles(C, R, DoSet ? S | FontStyleBit(AStyle) : S & ~FontStyleBit(AStyle));
    return true;
  });
}

bool TZurEvoderOzod::IsFontStyle(const TGridRect& GridRect, TFontStyle AStyle)
{
  return VisitRect(GridRect, [&](int32_t C, int32_t R) { return (FontStyles(C, R) & FontStyleBit(AStyle)) != 0; });
}

bool TZurEvoderOzod::IsAlignment(const TGridRect& GridRect, TAlignment AAlignment)
{
  return VisitRect(GridRect, [&](int32_t C, int32_t R) { return Alignments(C, R) == AAlignment; });
}

// ---------------------------------------------------------------- headers

void TZurEvoderOzod::ShowColumnHeaders()
{
  if (FixedRows() <= 0)
    return;
  for (int32_t K = 0; K < FColumnHeaders->Count() && K < TotalColCount(); ++K)
    SetCellEx(K, 0, CLFToLF(FColumnHeaders->Strings(K)));
}

void TZurEvoderOzod::ShowRowHeaders()
{
  if (FixedCols() <= 0)
    return;
  for (int32_t K = 0; K < FRowHeaders->Count() && K < RowCount(); ++K)
    SetCellEx(0, K, FRowHeaders->Strings(K));
}

void TZurEvoderOzod::ClearColumnHeaders()
{
  for (int32_t C = 0; C < TotalColCount(); ++C)
    SetCellEx(C, 0, String());
}

void TZurEvoderOzod::ClearRowHeaders()
{
  for (int32_t R = 0; R < RowCount(); ++R)
    SetCellEx(0, R, String());
}

// ---------------------------------------------------------------- highlights and marks

namespace {

const String HiTag = QStringLiteral("hi");
const String MarkTag = QStringLiteral("e");

} // namespace

String TZurEvoderOzod::HilightText(bool DoCase, const String& S, const String& Text)
{
  return HiLight(S, Text, HiTag, DoCase, false);
}

String TZurEvoderOzod::MarkText(bool DoCase, const String& S, const String& Text)
{
  return HiLight(S, Text, MarkTag, DoCase, false);
}

String TZurEvoderOzod::UnHilightText(const String& S) { return UnHiLight(S, HiTag); }
String TZurEvoderOzod::UnMarkText(const String& S) { return UnHiLight(S, MarkTag); }

// Base cells only, rows outer; the text as the application shows it when
// it has a display-text handler.
void TZurEvoderOzod::MarkCells(int32_t C1, int32_t R1, int32_t C2, int32_t R2, const String& Search, const String& Tag,
                               bool DoCase, bool FullText)
{
  const String Find = FixMarkup(Search);
  for (int32_t R = R1; R <= R2; ++R)
    for (int32_t C = C1; C <= C2; ++C) {
      if (IsMergedNonBaseCell(C, R))
        continue;
      const String Text = OnGetDisplText ? GetCellEx(C, R) : GetGridCell(C, R);
      const String Marked = HiLight(Text, Find, Tag, DoCase, FullText);
      if (Marked != Text)
        SetCellEx(C, R, Marked);
    }
}

void TZurEvoderOzod::UnMarkCells(int32_t C1, int32_t R1, int32_t C2, int32_t R2, const String& Tag)
{
  for (int32_t R = R1; R <= R2; ++R)
    for (int32_t C = C1; C <= C2; ++C) {
      if (IsMergedNonBaseCell(C, R))
        continue;
      const String Text = OnGetDisplText ? GetCellEx(C, R) : GetGridCell(C, R);
      SetCellEx(C, R, UnHiLight(UnFixMarkup(Text), Tag));
    }
}

void TZurEvoderOzod::HilightInCell(bool DoCase, int32_t Col, int32_t Row, const String& HiText, bool FullText)
{
  MarkCells(Col, Row, Col, Row, HiText, HiTag, DoCase, FullText);
}

void TZurEvoderOzod::HilightInCol(bool DoFixed, bool DoCase, int32_t Col, const String& HiText, bool FullText)
{
  MarkCells(Col, DoFixed ? 0 : FixedRows(), Col, DoFixed ? RowCount() - 1 : RowCount() - FFixedFooters - 1, HiText,
            HiTag, DoCase, FullText);
}

void TZurEvoderOzod::HilightInRow(bool DoFixed, bool DoCase, int32_t Row, const String& HiText, bool FullText)
{
  MarkCells(DoFixed ? 0 : FixedCols(), Row, DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1, Row, HiText,
            HiTag, DoCase, FullText);
}

void TZurEvoderOzod::HilightInGrid(bool DoFixed, bool DoCase, const String& HiText, bool FullText)
{
  if (DoFixed)
    MarkCells(0, 0, ColCount() - 1, RowCount() - 1, HiText, HiTag, DoCase, FullText);
  else
    MarkCells(FixedCols(), FixedRows(), ColCount() - FFixedRightCols - 1 + FNumHidden, RowCount() - FFixedFooters - 1,
              HiText, HiTag, DoCase, FullText);
}

void TZurEvoderOzod::MarkInCell(bool DoCase, int32_t Col, int32_t Row, const String& HiText)
{
  MarkCells(Col, Row, Col, Row, HiText, MarkTag, DoCase, false);
}

void TZurEvoderOzod::MarkInCol(bool DoFixed, bool DoCase, int32_t Col, const String& HiText)
{
  MarkCells(Col, DoFixed ? 0 : FixedRows(), Col, DoFixed ? RowCount() - 1 : RowCount() - FFixedFooters - 1, HiText,
            MarkTag, DoCase, false);
}

void TZurEvoderOzod::MarkInRow(bool DoFixed, bool DoCase, int32_t Row, const String& HiText)
{
  MarkCells(DoFixed ? 0 : FixedCols(), Row, DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1, Row, HiText,
            MarkTag, DoCase, false);
}

void TZurEvoderOzod::MarkInGrid(bool DoFixed, bool DoCase, const String& HiText)
{
  if (DoFixed)
    MarkCells(0, 0, ColCount() - 1, RowCount() - 1, HiText, MarkTag, DoCase, false);
  else
    MarkCells(FixedCols(), FixedRows(), ColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1, HiText,
              MarkTag, DoCase, false);
}

void TZurEvoderOzod::UnHilightInCell(int32_t Col, int32_t Row) { UnMarkCells(Col, Row, Col, Row, HiTag); }
void TZurEvoderOzod::UnMarkInCell(int32_t Col, int32_t Row) { UnMarkCells(Col, Row, Col, Row, MarkTag); }

void TZurEvoderOzod::UnHilightInCol(bool DoFixed, int32_t Col)
{
  UnMarkCells(Col, DoFixed ? 0 : FixedRows(), Col, DoFixed ? RowCount() - 1 : RowCount() - FFixedFooters - 1, HiTag);
}

void TZurEvoderOzod::UnMarkInCol(bool DoFixed, int32_t Col)
{
  UnMarkCells(Col, DoFixed ? 0 : FixedRows(), Col, DoFixed ? RowCount() - 1 : RowCount() - FFixedFooters - 1, MarkTag);
}

void TZurEvoderOzod::UnHilightInRow(bool DoFixed, int32_t Row)
{
  UnMarkCells(DoFixed ? 0 : FixedCols(), Row, DoFixed ? AllColCount() - 1 : AllColCount() - FFixedRightCols - 1, Row,
              HiTag);
}

void TZurEvoderOzod::UnMarkInRow(bool DoFixed, int32_t Row)
{
  UnMarkCells(DoFixed ? 0 : FixedCols(), Row, DoFixed ? AllColCount() - 1 : AllColCount() - FFixedRightCols - 1, Row,
              MarkTag);
}

void TZurEvoderOzod::UnHilightInGrid(bool DoFixed)
{
  if (DoFixed)
    UnMarkCells(0, 0, AllColCount() - 1, RowCount() - 1, HiTag);
  else
    UnMarkCells(FixedCols(), FixedRows(), AllColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1, HiTag);
}

void TZurEvoderOzod::UnMarkInGrid(bool DoFixed)
{
  if (DoFixed)
    UnMarkCells(0, 0, AllColCount() - 1, RowCount() - 1, MarkTag);
  else
    UnMarkCells(FixedCols(), FixedRows(), AllColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1, MarkTag);
}

// ---------------------------------------------------------------- checking and filling

bool TZurEvoderOzod::CheckCell(int32_t ACol, int32_t ARow)
{
  if (!FCellChecker)
    return true;
  const String Unmarked = UnHiLight(GetCellEx(ACol, ARow), QStringLiteral("e"));
  if (FCellChecker->GotoCell())
    TBaseGrid::FocusCell(DisplColIndex(ACol), ARow, true);
  String Value = Unmarked;
  if (FCellChecker->UseCorrect()) {
    String Corrected = Value;
    FCellChecker->Correct(ACol, ARow, Corrected, Unmarked);
    Value = Corrected;
  }
  if (FCellChecker->UseMarkError()) {
    String Marked = Value;
    FCellChecker->MarkError(ACol, ARow, Marked, Value);
    Value = Marked;
  }
  SetCellEx(ACol, ARow, Value);
  return Value == Unmarked;
}

bool TZurEvoderOzod::CheckCells(int32_t FromCol, int32_t FromRow, int32_t ToCol, int32_t ToRow)
{
  if (!FCellChecker)
    return true;
  FCellChecker->StartCheck();
  const int32_t OldCol = Col(), OldRow = Row();
  bool All = true;
  bool Going = true;
  for (int32_t R = FromRow; R <= ToRow && Going; ++R)
    for (int32_t C = FromCol; C <= ToCol && Going; ++C) {
      All = CheckCell(C, R) && All;
      Going = FCellChecker->LastResult() == 1;
    }
  FCellChecker->StopCheck();
  if (FCellChecker->GotoCell())
    TBaseGrid::FocusCell(OldCol, OldRow, true);
  return All;
}

bool TZurEvoderOzod::CheckCol(bool DoFixed, int32_t ACol)
{
  return DoFixed ? CheckCells(ACol, 0, ACol, RowCount() - 1)
                 : CheckCells(ACol, FixedRows(), ACol, RowCount() - FFixedFooters - 1);
}

bool TZurEvoderOzod::CheckRow(bool DoFixed, int32_t ARow)
{
  return DoFixed ? CheckCells(0, ARow, ColCount() - 1, ARow)
                 : CheckCells(FixedCols(), ARow, ColCount() - FFixedRightCols - 1, ARow);
}

bool TZurEvoderOzod::CheckGrid(bool DoFixed)
{
  return DoFixed
             ? CheckCells(0, 0, ColCount() - 1, RowCount() - 1)
             : CheckCells(FixedCols(), FixedRows(), ColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1);
}

namespace {

template <typename F>
void Fill(TZurEvoderOzod& G, bool DoFixed, F Text)
{
  const int32_t C1 = DoFixed ? 0 : G.FixedCols(), R1 = DoFixed ? 0 : G.FixedRows();
  const int32_t C2 = DoFixed ? G.ColCount() - 1 : G.ColCount() - G.FixedRightCols() - 1;
  const int32_t R2 = DoFixed ? G.RowCount() - 1 : G.RowCount() - G.FixedFooters() - 1;
  for (int32_t R = R1; R <= R2; ++R)
    for (int32_t C = C1; C <= C2; ++C)
      Text(C, R);
  G.CellsLoaded();
}

} // namespace

void TZurEvoderOzod::TextFill(bool DoFixed, const String& Txt)
{
  Fill(*this, DoFixed, [&](int32_t C, int32_t R) { SetCellEx(C, R, Txt); });
}

void TZurEvoderOzod::FormatFill(bool DoFixed, const String& Fmt)
{
  Fill(*this, DoFixed, [&](int32_t C, int32_t R) { SetCellEx(C, R, Format(Fmt, {C, R})); });
}

void TZurEvoderOzod::RandomFill(bool DoFixed, int32_t Rnd)
{
  Fill(*this, DoFixed, [&](int32_t C, int32_t R) {
    SetInts(C, R, Rnd > 0 ? static_cast<int32_t>(QRandomGenerator::global()->bounded(Rnd)) : 0);
  });
}

void TZurEvoderOzod::LinearFill(bool DoFixed)
{
  Fill(*this, DoFixed, [&](int32_t C, int32_t R) { SetCellEx(C, R, IntToStr(C) + u':' + IntToStr(R)); });
}

// ---------------------------------------------------------------- swapping and repainting

void TZurEvoderOzod::SwapCells(TGridCoord FromCell, TGridCoord ToCell)
{
  const String FromText = GetGridCell(FromCell.X, FromCell.Y);
  SetGridCell(FromCell.X, FromCell.Y, GetGridCell(ToCell.X, ToCell.Y));
  SetGridCell(ToCell.X, ToCell.Y, FromText);
  TObject* FromObject = GetGridObject(FromCell.X, FromCell.Y);
  TObject* ToObject = GetGridObject(ToCell.X, ToCell.Y);
  SetGridObject(FromCell.X, FromCell.Y, ToObject);
  SetGridObject(ToCell.X, ToCell.Y, FromObject);
  // A record knows its cell.
  if (auto* CP = dynamic_cast<TCellProperties*>(FromObject)) {
    CP->SetOwnerCol(ToCell.X);
    CP->SetOwnerRow(ToCell.Y);
  }
  if (auto* CP = dynamic_cast<TCellProperties*>(ToObject)) {
    CP->SetOwnerCol(FromCell.X);
    CP->SetOwnerRow(FromCell.Y);
  }
}

void TZurEvoderOzod::RepaintRow(int32_t ARow)
{
  if (HandleAllocated())
    InvalidateRow(ARow);
}

void TZurEvoderOzod::RepaintCol(int32_t ACol)
{
  if (HandleAllocated())
    InvalidateCol(ACol);
}

void TZurEvoderOzod::RepaintRect(const TRect& R)
{
  if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0 || !HandleAllocated())
    return;
  const TRect A = CellRect(R.Left, R.Top);
  const TRect B = CellRect(std::min(VisibleColCount() + FixedCols(), R.Right), R.Bottom);
  if (A.IsEmpty() || B.IsEmpty()) {
    Invalidate();
    return;
  }
  InvalidateRect(TRect{std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                       std::max(A.Bottom, B.Bottom)});
}

// ---------------------------------------------------------------- hyperlinks

bool TZurEvoderOzod::HasHyperlink(int32_t ACol, int32_t ARow) { return IsURL(GetCellEx(ACol, ARow)); }

void TZurEvoderOzod::GetHyperlinkDetails(int32_t ACol, int32_t ARow, String& URL, String& Text)
{
  URL.clear();
  Text.clear();
  const String Cell = GetCellEx(ACol, ARow);
  const String Lower = Cell.toLower();
  for (const char* Scheme : {"file://", "http://", "https://", "ftp://", "ftps://", "nntp://", "mailto:"}) {
    const qsizetype At = Lower.indexOf(QString::fromLatin1(Scheme));
    if (At < 0)
      continue;
    URL = Lower.mid(At);
    const qsizetype Quote = URL.indexOf(u'"');
    if (Quote >= 0) {
      URL.truncate(Quote);
      // The anchor's own text, in its own letter case.
      const qsizetype Gt = Cell.indexOf(u'>', At + Quote);
      const qsizetype Lt = Gt < 0 ? -1 : Cell.indexOf(u'<', Gt);
      if (Gt >= 0 && Lt >= 0)
        Text = Cell.mid(Gt + 1, Lt - Gt - 1);
    } else if (const qsizetype Single = URL.indexOf(u'\''); Single >= 0) {
      URL.truncate(Single);
    }
    return;
  }
}

String TZurEvoderOzod::GetHyperlink(int32_t ACol, int32_t ARow)
{
  String URL, Text;
  GetHyperlinkDetails(ACol, ARow, URL, Text);
  return URL;
}
