#include "platform/Grids.h"

#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/Filer.h"
#include "platform/Published.h"
#include "platform/QtConvert.h"
#include "platform/StringGridCells.h"
#include "rtl/StringList.h"

#include <QAbstractScrollArea>
#include <QPaintEvent>
#include <QPalette>
#include <QRegion>
#include <QPainter>
#include <QScopeGuard>
#include <QScrollBar>

#include <algorithm>

namespace {

// A single border is two pixels on every side; a scroll bar takes this much
// of the client area while the grid has no widget to ask.
constexpr int32_t BorderSize = 2;
constexpr int32_t ScrollBarSize = 17;

const TEnumInfo GridOptionInfo("TGridOption",
                               {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
                                "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving",
                                "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking",
                                "goFixedColClick", "goFixedRowClick", "goFixedHotTrack"});
const TEnumInfo ScrollStyleInfo("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
const TEnumInfo DrawingStyleInfo("TGridDrawingStyle", {"gdsClassic", "gdsThemed", "gdsGradient"});
const TEnumInfo BorderStyleInfo("TBorderStyle",
                                {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});

constexpr TGridOptions DefaultOptions = GridOptionBit(goFixedVertLine) | GridOptionBit(goFixedHorzLine) |
                                        GridOptionBit(goVertLine) | GridOptionBit(goHorzLine) |
                                        GridOptionBit(goRangeSelect);

using G = TCustomGrid;
[[maybe_unused]] const TClassInfo& CustomGridClass =
    PublishClass<G>("TCustomGrid", "TCustomControl",
                    {
                        PropEnum("BorderStyle", &G::BorderStyle, &G::SetBorderStyle, BorderStyleInfo, bsSingle),
                        PropInt("ColCount", &G::ColCount, &G::SetColCount, 5),
                        PropInt("DefaultColWidth", &G::DefaultColWidth, &G::SetDefaultColWidth, 64),
                        PropInt("DefaultRowHeight", &G::DefaultRowHeight, &G::SetDefaultRowHeight, 24),
                        PropBool("DefaultDrawing", &G::DefaultDrawing, &G::SetDefaultDrawing, true),
                        PropEnum("DrawingStyle", &G::DrawingStyle, &G::SetDrawingStyle, DrawingStyleInfo, gdsThemed),
                        PropColor("FixedColor", &G::FixedColor, &G::SetFixedColor, clBtnFace),
                        PropInt("FixedCols", &G::FixedCols, &G::SetFixedCols, 1),
                        PropInt("RowCount", &G::RowCount, &G::SetRowCount, 5),
                        PropInt("FixedRows", &G::FixedRows, &G::SetFixedRows, 1),
                        PropInt("GridLineWidth", &G::GridLineWidth, &G::SetGridLineWidth, 1),
                        PropSet("Options", &G::Options, &G::SetOptions, GridOptionInfo, DefaultOptions),
                        PropEnum("ScrollBars", &G::ScrollBars, &G::SetScrollBars, ScrollStyleInfo, ssBoth),
                        PropEvent("OnDrawCell", &G::OnDrawCell),
                        PropEvent("OnSelectCell", &G::OnSelectCell),
                        PropEvent("OnTopLeftChanged", &G::OnTopLeftChanged),
                        PropEvent("OnColumnMoved", &G::OnColumnMoved),
                        PropEvent("OnRowMoved", &G::OnRowMoved),
                    });

[[maybe_unused]] const TClassInfo& StringGridClass = PublishClass<TStringGrid>("TStringGrid", "TCustomGrid");

template <class T>
void MoveItem(std::vector<T>& V, int32_t From, int32_t To)
{
  if (From < To)
    std::rotate(V.begin() + From, V.begin() + From + 1, V.begin() + To + 1);
  else
    std::rotate(V.begin() + To, V.begin() + From, V.begin() + From + 1);
}

// An index that moves with a MoveColumn / MoveRow from From to To.
int32_t MovedIndex(int32_t I, int32_t From, int32_t To)
{
  if (I == From)
    return To;
  if (From < To && I > From && I <= To)
    return I - 1;
  if (From > To && I >= To && I < From)
    return I + 1;
  return I;
}

} // namespace

// ---------------------------------------------------------------- the scroll area

// The grid's widget: a scroll area whose viewport the grid paints and whose
// scroll bars move LeftCol and TopRow.
class TGridScrollArea : public QAbstractScrollArea {
public:
  TGridScrollArea(TCustomGrid* Grid, QWidget* Parent) : QAbstractScrollArea(Parent), FGrid(Grid)
  {
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    // The grid paints every pixel of the viewport, so nothing beneath it
    // needs painting first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  }
  void Detach() { FGrid = nullptr; }

protected:
  void scrollContentsBy(int, int) override
  {
    if (!FGrid)
      return;
    FGrid->ScrollBarMoved(true, verticalScrollBar()->value());
    FGrid->ScrollBarMoved(false, horizontalScrollBar()->value());
  }

private:
  TCustomGrid* FGrid;
};

// ---------------------------------------------------------------- geometry

// One direction of the grid: the sizes of its columns (rows), which of them
// are fixed, where the scrolling part starts and how much room there is.
struct TCustomGrid::TAxis {
  const std::vector<int32_t>& Sizes;
  int32_t Count;
  int32_t Fixed;
  int32_t First; // LeftCol / TopRow
  int32_t Line;
  int32_t Extent;

  int32_t Size(int32_t I) const { return Sizes[static_cast<size_t>(I)]; }

  int32_t FixedExtent() const
  {
    int32_t E = 0;
    for (int32_t I = 0; I < Fixed; ++I)
      E += Size(I) + Line;
    return E;
  }

  // Start of cell I in the client area; -1 when it is scrolled out of view
  // or lies beyond the client area.
  int32_t Start(int32_t I) const
  {
    if (I < 0 || I >= Count)
      return -1;
    int32_t P = 0;
    if (I < Fixed) {
      for (int32_t J = 0; J < I; ++J)
        P += Size(J) + Line;
      return P;
    }
    if (I < First)
      return -1;
    P = FixedExtent();
    for (int32_t J = First; J < I && P < Extent; ++J)
      P += Size(J) + Line;
    return P < Extent ? P : -1;
  }

  // The first pixel after the last cell in view (fixed or scrolling).
  int32_t End() const
  {
    int32_t P = FixedExtent();
    for (int32_t J = First; J < Count && P < Extent; ++J)
      P += Size(J) + Line;
    return P;
  }

  // Scrolling cells from First that fit entirely.
  int32_t FullVisible() const
  {
    int32_t P = FixedExtent(), N = 0;
    for (int32_t J = First; J < Count; ++J) {
      if (P + Size(J) > Extent)
        break;
      P += Size(J) + Line;
      ++N;
    }
    return N;
  }

  // The cell at a client coordinate (its grid line counts with it); -1
  // outside the cells.
  int32_t IndexAt(int32_t Pos) const
  {
    if (Pos < 0 || Pos >= Extent)
      return -1;
    int32_t P = 0;
    for (int32_t J = 0; J < Fixed; ++J) {
      P += Size(J) + Line;
      if (Pos < P)
        return J;
    }
    for (int32_t J = First; J < Count; ++J) {
      P += Size(J) + Line;
      if (Pos < P)
        return J;
    }
    return -1;
  }

  // The first scrolling cell that lets the last cell show entirely.
  int32_t MaxFirst() const
  {
    const int32_t Avail = Extent - FixedExtent();
    int32_t Used = 0, F = Count;
    for (int32_t J = Count - 1; J >= Fixed; --J) {
      const int32_t Next = Used + Size(J) + Line;
      if (Next - Line > Avail)
        break;
      Used = Next;
      F = J;
    }
    if (F == Count)
      F = Count - 1;
    return std::max(F, Fixed);
  }

  bool AllFit() const
  {
    int32_t Total = FixedExtent();
    for (int32_t J = Fixed; J < Count; ++J)
      Total += Size(J) + Line;
    return Total - Line <= Extent;
  }
};

// The view as a hold found it: at the release, rows said to be put in are
// only moved on the screen when nothing else of the layout changed.
struct TCustomGrid::THeldView {
  TGridCoord TopLeft{};
  int32_t Width = 0, Height = 0;
  int32_t FixedCols = 0, FixedRows = 0, Line = 0;
  std::vector<int32_t> ColWidths;
  std::vector<int32_t> RowHeights; // the fixed rows, then the rows in view from the top row
  int32_t InsertedRow = -1, InsertedCount = 0;
  bool Painted = false; // the cells were painted within the hold: the screen is not the held one
};

TCustomGrid::TAxis TCustomGrid::ColAxis() const
{
  int32_t W = 0, H = 0;
  ClientExtents(W, H);
  return TAxis{FColWidths, FColCount, FFixedCols, FTopLeft.X, FGridLineWidth, W};
}

TCustomGrid::TAxis TCustomGrid::RowAxis() const
{
  int32_t W = 0, H = 0;
  ClientExtents(W, H);
  return TAxis{FRowHeights, FRowCount, FFixedRows, FTopLeft.Y, FGridLineWidth, H};
}

void TCustomGrid::ClientExtents(int32_t& W, int32_t& H) const
{
  if (auto* Area = dynamic_cast<QAbstractScrollArea*>(WidgetOrNull())) {
    W = Area->viewport()->width();
    H = Area->viewport()->height();
    return;
  }
  const int32_t B = FBorderStyle == bsNone ? 0 : BorderSize;
  W = std::max(0, Width() - 2 * B);
  H = std::max(0, Height() - 2 * B);
  // A scroll bar shows when the cells do not fit; one bar can make the other
  // necessary, so look twice.
  bool V = false, Hz = false;
  for (int Pass = 0; Pass < 2; ++Pass) {
    const int32_t CW = W - (V ? ScrollBarSize : 0);
    const int32_t CH = H - (Hz ? ScrollBarSize : 0);
    V = (FScrollBars == ssVertical || FScrollBars == ssBoth) &&
        !TAxis{FRowHeights, FRowCount, FFixedRows, FFixedRows, FGridLineWidth, CH}.AllFit();
    Hz = (FScrollBars == ssHorizontal || FScrollBars == ssBoth) &&
         !TAxis{FColWidths, FColCount, FFixedCols, FFixedCols, FGridLineWidth, CW}.AllFit();
  }
  W = std::max(0, W - (V ? ScrollBarSize : 0));
  H = std::max(0, H - (Hz ? ScrollBarSize : 0));
}

// ---------------------------------------------------------------- TCustomGrid

TCustomGrid::TCustomGrid(TComponent* AOwner)
    : TCustomControl(AOwner), FColWidths(5, 64), FRowHeights(5, 24), FOptions(DefaultOptions)
{
  SetBounds(0, 0, 320, 120);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

TCustomGrid::~TCustomGrid()
{
  // The editor goes with the grid's children and must not call back.
  if (FInplaceEdit)
    FInplaceEdit->FGrid = nullptr;
  if (auto* Area = dynamic_cast<TGridScrollArea*>(WidgetOrNull()))
    Area->Detach();
}

String TCustomGrid::ClassName() const { return QStringLiteral("TCustomGrid"); }

void TCustomGrid::ClampCurrent()
{
  auto Clamp = [](int32_t V, int32_t Lo, int32_t Hi) { return std::max(Lo, std::min(V, Hi)); };
  FCurrent.X = Clamp(FCurrent.X, FFixedCols, FColCount - 1);
  FCurrent.Y = Clamp(FCurrent.Y, FFixedRows, FRowCount - 1);
  FAnchor.X = Clamp(FAnchor.X, FFixedCols, FColCount - 1);
  FAnchor.Y = Clamp(FAnchor.Y, FFixedRows, FRowCount - 1);
  FTopLeft.X = Clamp(FTopLeft.X, FFixedCols, MaxLeftCol());
  FTopLeft.Y = Clamp(FTopLeft.Y, FFixedRows, MaxTopRow());
}

// After a change of counts or sizes: the current cell, the view and the
// scroll bars are brought back in range and everything is painted again.
void TCustomGrid::Relayout()
{
  ClampCurrent();
  UpdateScrollRange();
  Invalidate();
  // The frame around the viewport shows the ends of the grid lines too:
  // where the columns or rows moved, it must be painted again with them.
  if (auto* Area = dynamic_cast<QAbstractScrollArea*>(WidgetOrNull()))
    Area->update(QRegion(Area->rect()) - QRegion(Area->viewport()->geometry()));
}

void TCustomGrid::SetColCount(int32_t Value)
{
  Value = std::max(1, Value);
  if (Value == FColCount)
    return;
  const int32_t Old = FColCount;
  if (Value <= FFixedCols)
    FFixedCols = Value - 1;
  FColCount = Value;
  FColWidths.resize(static_cast<size_t>(Value), FDefaultColWidth);
  ClampCurrent();
  SizeChanged(Old, FRowCount);
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetRowCount(int32_t Value)
{
  Value = std::max(1, Value);
  if (Value == FRowCount)
    return;
  const int32_t Old = FRowCount;
  if (Value <= FFixedRows)
    FFixedRows = Value - 1;
  FRowCount = Value;
  FRowHeights.resize(static_cast<size_t>(Value), FDefaultRowHeight);
  ClampCurrent();
  SizeChanged(FColCount, Old);
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetFixedCols(int32_t Value)
{
  if (Value < 0 || Value >= FColCount)
    throw EInvalidGridOperation(QStringLiteral("Fixed column count must be less than column count"));
  if (Value == FFixedCols)
    return;
  FFixedCols = Value;
  FTopLeft.X = FFixedCols;
  Relayout();
}

void TCustomGrid::SetFixedRows(int32_t Value)
{
  if (Value < 0 || Value >= FRowCount)
    throw EInvalidGridOperation(QStringLiteral("Fixed row count must be less than row count"));
  if (Value == FFixedRows)
    return;
  FFixedRows = Value;
  FTopLeft.Y = FFixedRows;
  Relayout();
}

void TCustomGrid::SetDefaultColWidth(int32_t Value)
{
  FDefaultColWidth = Value;
  std::fill(FColWidths.begin(), FColWidths.end(), Value);
  ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int32_t Value)
{
  FDefaultRowHeight = Value;
  std::fill(FRowHeights.begin(), FRowHeights.end(), Value);
  RowHeightsChanged();
}

int32_t TCustomGrid::ColWidths(int32_t Index) const
{
  return Index >= 0 && Index < FColCount ? FColWidths[static_cast<size_t>(Index)] : FDefaultColWidth;
}

void TCustomGrid::SetColWidths(int32_t Index, int32_t Value)
{
  if (Index < 0 || Index >= FColCount || FColWidths[static_cast<size_t>(Index)] == Value)
    return;
  FColWidths[static_cast<size_t>(Index)] = Value;
  ColWidthsChanged();
}

int32_t TCustomGrid::RowHeights(int32_t Index) const
{
  return Index >= 0 && Index < FRowCount ? FRowHeights[static_cast<size_t>(Index)] : FDefaultRowHeight;
}

void TCustomGrid::SetRowHeights(int32_t Index, int32_t Value)
{
  if (Index < 0 || Index >= FRowCount || FRowHeights[static_cast<size_t>(Index)] == Value)
    return;
  FRowHeights[static_cast<size_t>(Index)] = Value;
  RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int32_t Value)
{
  if (Value == FGridLineWidth)
    return;
  FGridLineWidth = std::max(0, Value);
  Relayout();
}

void TCustomGrid::ColWidthsChanged() { Relayout(); }

void TCustomGrid::RowHeightsChanged() { Relayout(); }

void TCustomGrid::SizeChanged(int32_t, int32_t) {}

void TCustomGrid::SetCol(int32_t Value)
{
  if (Value != FCurrent.X)
    FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int32_t Value)
{
  if (Value != FCurrent.Y)
    FocusCell(FCurrent.X, Value, true);
}

TGridRect TCustomGrid::Selection() const
{
  TGridRect R{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y), std::max(FAnchor.X, FCurrent.X),
              std::max(FAnchor.Y, FCurrent.Y)};
  if (FOptions & GridOptionBit(goRowSelect)) {
    R.Left = FFixedCols;
    R.Right = FColCount - 1;
  }
  return R;
}

void TCustomGrid::SetSelection(const TGridRect& Value)
{
  FAnchor = TGridCoord{Value.Left, Value.Top};
  FCurrent = TGridCoord{Value.Right, Value.Bottom};
  ClampCurrent();
  ScrollToCurrent();
  Invalidate();
}

void TCustomGrid::FocusCell(int32_t ACol, int32_t ARow, bool MoveAnchor) { MoveColRow(ACol, ARow, MoveAnchor, true); }

void TCustomGrid::ScrollToCurrent()
{
  int32_t Left = FTopLeft.X, Top = FTopLeft.Y;
  // Scrolls forward just far enough for Current to show entirely (or to
  // stand first when it is wider than the room): the walk goes back from
  // Current, so a jump to the far end of a long grid costs one screen.
  auto Follow = [](const TAxis& A, int32_t Current, int32_t& First) {
    if (Current < A.Fixed)
      return;
    if (Current < First) {
      First = Current;
      return;
    }
    const int32_t Avail = A.Extent - A.FixedExtent();
    int32_t Used = A.Size(Current), F = Current;
    while (F > First && Used + A.Line + A.Size(F - 1) <= Avail) {
      Used += A.Line + A.Size(F - 1);
      --F;
    }
    First = F;
  };
  Follow(ColAxis(), FCurrent.X, Left);
  Follow(RowAxis(), FCurrent.Y, Top);
  SetTopLeft(Left, Top);
}

int32_t TCustomGrid::MaxLeftCol() const { return ColAxis().MaxFirst(); }
int32_t TCustomGrid::MaxTopRow() const { return RowAxis().MaxFirst(); }

void TCustomGrid::SetTopLeft(int32_t ALeft, int32_t ATop)
{
  ALeft = std::max(FFixedCols, std::min(ALeft, MaxLeftCol()));
  ATop = std::max(FFixedRows, std::min(ATop, MaxTopRow()));
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y)
    return;
  FTopLeft = TGridCoord{ALeft, ATop};
  UpdateScrollRange();
  Invalidate();
  TopLeftChanged();
  EditorFollows(false);
}

void TCustomGrid::SetLeftCol(int32_t Value) { SetTopLeft(Value, FTopLeft.Y); }
void TCustomGrid::SetTopRow(int32_t Value) { SetTopLeft(FTopLeft.X, Value); }

int32_t TCustomGrid::VisibleColCount() const { return ColAxis().FullVisible(); }
int32_t TCustomGrid::VisibleRowCount() const { return RowAxis().FullVisible(); }

int32_t TCustomGrid::FixedWidth() const { return ColAxis().FixedExtent(); }
int32_t TCustomGrid::FixedHeight() const { return RowAxis().FixedExtent(); }

TRect TCustomGrid::CellRect(int32_t ACol, int32_t ARow) const
{
  const TAxis C = ColAxis(), R = RowAxis();
  const int32_t X = C.Start(ACol), Y = R.Start(ARow);
  if (X < 0 || Y < 0)
    return TRect{};
  return TRect{X, Y, X + C.Size(ACol), Y + R.Size(ARow)};
}

void TCustomGrid::MouseToCell(int32_t X, int32_t Y, int32_t& ACol, int32_t& ARow) const
{
  ACol = ColAxis().IndexAt(X);
  ARow = RowAxis().IndexAt(Y);
}

TGridCoord TCustomGrid::MouseCoord(int32_t X, int32_t Y) const
{
  TGridCoord C;
  MouseToCell(X, Y, C.X, C.Y);
  return C;
}

void TCustomGrid::SetOptions(TGridOptions Value)
{
  if (Value == FOptions)
    return;
  FOptions = Value;
  Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool Value)
{
  FDefaultDrawing = Value;
  Invalidate();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
  FFixedColor = Value;
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value)
{
  FScrollBars = Value;
  UpdateScrollRange();
}

void TCustomGrid::SetDrawingStyle(TGridDrawingStyle Value)
{
  FDrawingStyle = Value;
  Invalidate();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value)
{
  FBorderStyle = Value;
  if (auto* Area = dynamic_cast<QAbstractScrollArea*>(WidgetOrNull()))
    Area->setFrameShape(Value == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
  UpdateScrollRange();
}

// The cells are painted on the scroll area's viewport, so that is what is
// updated: updating the area alone would leave moved rows showing what
// stood there, and updating it as well would repaint its frame and both
// scroll bars with the cells, which for a table changing at every sample
// costs more than the cells. The bars repaint themselves when they move,
// the frame when its style changes.
void TCustomGrid::Invalidate()
{
  if (auto* Area = dynamic_cast<QAbstractScrollArea*>(WidgetOrNull()))
    Area->viewport()->update();
  else
    TCustomControl::Invalidate();
}

void TCustomGrid::InvalidateRect(const TRect& R)
{
  auto* Area = dynamic_cast<QAbstractScrollArea*>(WidgetOrNull());
  if (!Area || R.IsEmpty())
    return;
  Area->viewport()->update(QRect(R.Left, R.Top, R.Width(), R.Height()));
}

// A cell out of view, or of a grid without a window, has nothing to
// repaint. Every cell written asks this, and in a long grid most of them lie
// out of view: one look at the viewport, and a row out of view ends the
// question before any column is walked.
void TCustomGrid::InvalidateCell(int32_t ACol, int32_t ARow)
{
  auto* Area = qobject_cast<QAbstractScrollArea*>(WidgetOrNull());
  if (!Area)
    return;
  QWidget* View = Area->viewport();
  const TAxis Rows{FRowHeights, FRowCount, FFixedRows, FTopLeft.Y, FGridLineWidth, View->height()};
  const int32_t Y = Rows.Start(ARow);
  if (Y < 0)
    return;
  const TAxis Cols{FColWidths, FColCount, FFixedCols, FTopLeft.X, FGridLineWidth, View->width()};
  const int32_t X = Cols.Start(ACol);
  if (X >= 0)
    View->update(QRect(X, Y, Cols.Size(ACol), Rows.Size(ARow)));
}

void TCustomGrid::InvalidateRow(int32_t ARow)
{
  if (!WidgetOrNull())
    return;
  const TAxis Rows = RowAxis();
  const int32_t Y = Rows.Start(ARow);
  if (Y >= 0)
    InvalidateRect(TRect{0, Y, ColAxis().Extent, Y + Rows.Size(ARow) + Rows.Line});
}

void TCustomGrid::InvalidateCol(int32_t ACol)
{
  if (!WidgetOrNull())
    return;
  const TAxis Cols = ColAxis();
  const int32_t X = Cols.Start(ACol);
  if (X >= 0)
    InvalidateRect(TRect{X, 0, X + Cols.Size(ACol) + Cols.Line, RowAxis().Extent});
}

void TCustomGrid::InvalidateGrid() { Invalidate(); }

bool TCustomGrid::SelectCell(int32_t ACol, int32_t ARow)
{
  bool CanSelect = true;
  if (OnSelectCell)
    OnSelectCell(this, ACol, ARow, CanSelect);
  return CanSelect;
}

void TCustomGrid::TopLeftChanged()
{
  if (OnTopLeftChanged)
    OnTopLeftChanged(this);
}

void TCustomGrid::ColumnMoved(int32_t FromIndex, int32_t ToIndex)
{
  if (OnColumnMoved)
    OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::RowMoved(int32_t FromIndex, int32_t ToIndex)
{
  if (OnRowMoved)
    OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::MoveColumn(int32_t FromIndex, int32_t ToIndex)
{
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount)
    return;
  MoveItem(FColWidths, FromIndex, ToIndex);
  FCurrent.X = MovedIndex(FCurrent.X, FromIndex, ToIndex);
  FAnchor.X = MovedIndex(FAnchor.X, FromIndex, ToIndex);
  ClampCurrent();
  ColumnMoved(FromIndex, ToIndex);
  Invalidate();
}

void TCustomGrid::MoveRow(int32_t FromIndex, int32_t ToIndex)
{
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount)
    return;
  MoveItem(FRowHeights, FromIndex, ToIndex);
  FCurrent.Y = MovedIndex(FCurrent.Y, FromIndex, ToIndex);
  FAnchor.Y = MovedIndex(FAnchor.Y, FromIndex, ToIndex);
  ClampCurrent();
  RowMoved(FromIndex, ToIndex);
  Invalidate();
}

void TCustomGrid::DeleteColumn(int32_t ACol)
{
  if (ACol < 0 || ACol >= FColCount || FColCount <= 1)
    return;
  // The sizes after it move up; the count's setter then drops the last.
  MoveItem(FColWidths, ACol, FColCount - 1);
  SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(int32_t ARow)
{
  if (ARow < 0 || ARow >= FRowCount || FRowCount <= 1)
    return;
  MoveItem(FRowHeights, ARow, FRowCount - 1);
  SetRowCount(FRowCount - 1);
}

bool TCustomGrid::IsSelected(int32_t ACol, int32_t ARow) const
{
  const TGridRect S = Selection();
  return ACol >= S.Left && ACol <= S.Right && ARow >= S.Top && ARow <= S.Bottom;
}

// ---------------------------------------------------------------- painting

void TCustomGrid::Paint()
{
  TCanvas* C = Canvas();
  const TAxis Cols = ColAxis(), Rows = RowAxis();
  const bool Focus = Focused();
  // The visible cells of each direction with their starts, found once per
  // paint; only those touching the area to paint are visited.
  struct TSpan {
    int32_t Index, Start;
  };
  auto Collect = [](const TAxis& A, int32_t Lo, int32_t Hi) {
    std::vector<TSpan> Into;
    int32_t P = 0;
    auto Take = [&](int32_t I) {
      if (P < Hi && P + A.Size(I) + A.Line > Lo)
        Into.push_back(TSpan{I, P});
      P += A.Size(I) + A.Line;
    };
    for (int32_t I = 0; I < A.Fixed && I < A.Count; ++I)
      Take(I);
    for (int32_t I = A.First; I < A.Count && P < A.Extent; ++I)
      Take(I);
    return Into;
  };
  const TRect Area = FPaintRect.IsEmpty() ? TRect{0, 0, Cols.Extent, Rows.Extent} : FPaintRect;
  const std::vector<TSpan> VisibleCols = Collect(Cols, Area.Left, Area.Right);
  const std::vector<TSpan> VisibleRows = Collect(Rows, Area.Top, Area.Bottom);

  const bool RowSelect = FOptions & GridOptionBit(goRowSelect);
  const bool ShowCurrentSelected = FOptions & (GridOptionBit(goDrawFocusSelected) | GridOptionBit(goRowSelect));
  const TGridRect Sel = Selection();
  for (const TSpan& R : VisibleRows) {
    for (const TSpan& Cl : VisibleCols) {
      const TRect Rect{Cl.Start, R.Start, Cl.Start + Cols.Size(Cl.Index), R.Start + Rows.Size(R.Index)};
      TGridDrawState State = 0;
      const bool Fixed = Cl.Index < FFixedCols || R.Index < FFixedRows;
      if (Fixed)
        State |= GridDrawBit(gdFixed);
      else {
        const bool Current = Cl.Index == FCurrent.X && R.Index == FCurrent.Y;
        if (Current && Focus)
          State |= GridDrawBit(gdFocused);
        const bool InSel = Cl.Index >= Sel.Left && Cl.Index <= Sel.Right && R.Index >= Sel.Top && R.Index <= Sel.Bottom;
        if (InSel && (!Current || ShowCurrentSelected))
          State |= GridDrawBit(gdSelected);
        if (RowSelect && R.Index == FCurrent.Y)
          State |= GridDrawBit(gdRowSelected);
      }
      if (FDefaultDrawing) {
        TColor Fill = Fixed ? FFixedColor : (State & GridDrawBit(gdSelected)) ? clHighlight : Color();
        C->Brush()->SetColor(Fill);
        C->Brush()->SetStyle(bsSolid);
        C->FillRect(Rect);
      }
      DrawCell(Cl.Index, R.Index, Rect, State);
    }
  }
  if (FDefaultDrawing)
    DrawGridLines();
  // Whatever lies beyond the last cells.
  int32_t W = 0, H = 0;
  ClientExtents(W, H);
  C->Brush()->SetColor(Color());
  C->Brush()->SetStyle(bsSolid);
  const int32_t EndX = Cols.End(), EndY = Rows.End();
  if (EndX < W)
    C->FillRect(TRect{EndX, 0, W, H});
  if (EndY < H)
    C->FillRect(TRect{0, EndY, std::min(EndX, W), H});
}

void TCustomGrid::DrawGridLines()
{
  if (FGridLineWidth <= 0)
    return;
  TCanvas* C = Canvas();
  const TAxis Cols = ColAxis(), Rows = RowAxis();
  const int32_t Line = FGridLineWidth;
  int32_t W = 0, H = 0;
  ClientExtents(W, H);
  C->Brush()->SetStyle(bsSolid);
  auto Lines = [&](const TAxis& A, bool Vertical) {
    const TGridOption FixedOpt = Vertical ? goFixedVertLine : goFixedHorzLine;
    const TGridOption NormalOpt = Vertical ? goVertLine : goHorzLine;
    const int32_t Across = Vertical ? H : W;
    for (int32_t I = 0; I < A.Count; ++I) {
      const int32_t S = A.Start(I);
      if (S < 0)
        continue;
      const bool Fixed = I < A.Fixed;
      if (!(FOptions & GridOptionBit(Fixed ? FixedOpt : NormalOpt)))
        continue;
      C->Brush()->SetColor(Fixed ? clGray : clSilver);
      const int32_t P = S + A.Size(I);
      C->FillRect(Vertical ? TRect{P, 0, P + Line, Across} : TRect{0, P, Across, P + Line});
    }
  };
  Lines(Cols, true);
  Lines(Rows, false);
}

void TCustomGrid::DrawCell(int32_t ACol, int32_t ARow, const TRect& ARect, TGridDrawState AState)
{
  if (OnDrawCell)
    OnDrawCell(this, ACol, ARow, ARect, AState);
}

// ---------------------------------------------------------------- input

void TCustomGrid::KeyDown(uint16_t& Key, TShiftState Shift)
{
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0)
    return;
  const bool Ctrl = Shift & ssCtrl;
  const bool RowSelect = FOptions & GridOptionBit(goRowSelect);
  const bool Extend = (Shift & ssShift) && (FOptions & GridOptionBit(goRangeSelect)) && !RowSelect;
  int32_t C = FCurrent.X, R = FCurrent.Y;
  const int32_t Page = std::max(1, VisibleRowCount());
  switch (Key) {
  case VK_UP:
    --R;
    break;
  case VK_DOWN:
    ++R;
    break;
  case VK_LEFT:
    if (RowSelect) {
      SetLeftCol(FTopLeft.X - 1);
      return;
    }
    --C;
    break;
  case VK_RIGHT:
    if (RowSelect) {
      SetLeftCol(FTopLeft.X + 1);
      return;
    }
    ++C;
    break;
  case VK_NEXT:
    R += Page;
    SetTopRow(FTopLeft.Y + Page);
    break;
  case VK_PRIOR:
    R -= Page;
    SetTopRow(FTopLeft.Y - Page);
    break;
  case VK_HOME:
    if (Ctrl)
      R = FFixedRows;
    else
      C = FFixedCols;
    break;
  case VK_END:
    if (Ctrl)
      R = FRowCount - 1;
    else
      C = FColCount - 1;
    break;
  case VK_F2:
    SetEditorMode(true);
    return;
  case VK_TAB:
    if (!(FOptions & GridOptionBit(goTabs)))
      return;
    if (Shift & ssShift) {
      if (--C < FFixedCols) {
        C = FColCount - 1;
        --R;
      }
    } else if (++C >= FColCount) {
      C = FFixedCols;
      ++R;
    }
    break;
  default:
    return;
  }
  FocusCell(C, R, !Extend);
}

uint32_t TCustomGrid::WMGetDlgCode()
{
  uint32_t Code = DLGC_WANTARROWS;
  if (FOptions & GridOptionBit(goTabs))
    Code |= DLGC_WANTTAB;
  if (FOptions & GridOptionBit(goEditing))
    Code |= DLGC_WANTCHARS;
  return Code;
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos)
{
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos))
    return true;
  if (FCurrent.Y < FRowCount - 1)
    SetRow(FCurrent.Y + 1);
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos)
{
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos))
    return true;
  if (FCurrent.Y > FFixedRows)
    SetRow(FCurrent.Y - 1);
  return true;
}

void TCustomGrid::CalcSizingState(int32_t X, int32_t Y, TGridState& State, int32_t& Index)
{
  State = gsNormal;
  Index = -1;
  int32_t C = -1, R = -1;
  MouseToCell(X, Y, C, R);
  if (C < 0 || R < 0)
    return;
  const TRect Cell = CellRect(C, R);
  if (R < FFixedRows && (FOptions & GridOptionBit(goColSizing))) {
    int32_t Edge = -1, Unused = -1;
    if (Cell.Right - X < 4)
      Edge = C;
    else if (X - Cell.Left < 4 && Cell.Left > 0)
      MouseToCell(Cell.Left - 1, Y, Edge, Unused);
    if (Edge >= 0) {
      State = gsColSizing;
      Index = Edge;
      return;
    }
  }
  if (C < FFixedCols && (FOptions & GridOptionBit(goRowSizing))) {
    int32_t Edge = -1, Unused = -1;
    if (Cell.Bottom - Y <= 3)
      Edge = R;
    else if (Y - Cell.Top <= 3 && Cell.Top > 0)
      MouseToCell(X, Cell.Top - 1, Unused, Edge);
    if (Edge >= 0) {
      State = gsRowSizing;
      Index = Edge;
    }
  }
}

// The size the sized column or row takes for the mouse at (X, Y); at least
// one pixel, so that it stays in view.
int32_t TCustomGrid::SizingSize(int32_t X, int32_t Y) const
{
  return std::max(1, (FSizingState == gsColSizing ? X : Y) - FSizingOfs - FSizingStart);
}

// The split cursor over a sizing edge; elsewhere the cursor the grid had
// before.
void TCustomGrid::ShowSizingCursor(TGridState Sizing)
{
  if (Sizing == gsNormal) {
    if (FSizingCursor) {
      FSizingCursor = false;
      SetCursor(FCursorBeforeSizing);
    }
    return;
  }
  if (!FSizingCursor) {
    FSizingCursor = true;
    FCursorBeforeSizing = Cursor();
  }
  SetCursor(Sizing == gsColSizing ? crHSplit : crVSplit);
}

void TCustomGrid::ShowSizingLine(int32_t Pos)
{
  QWidget* View = ClientWidget();
  if (!View)
    return;
  if (!FSizingLine) {
    FSizingLine = new QWidget(View);
    FSizingLine->setAttribute(Qt::WA_TransparentForMouseEvents);
    FSizingLine->setAutoFillBackground(true);
    QPalette P = FSizingLine->palette();
    P.setColor(QPalette::Window, Qt::black);
    FSizingLine->setPalette(P);
  }
  if (FSizingState == gsColSizing)
    FSizingLine->setGeometry(Pos, 0, 1, View->height());
  else
    FSizingLine->setGeometry(0, Pos, View->width(), 1);
  FSizingLine->raise();
  FSizingLine->show();
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft)
    return;
  TGridState Sizing = gsNormal;
  int32_t Index = -1;
  CalcSizingState(X, Y, Sizing, Index);
  if (Sizing != gsNormal) {
    const TRect Cell = Sizing == gsColSizing ? CellRect(Index, 0) : CellRect(0, Index);
    FSizingState = Sizing;
    FSizingIndex = Index;
    FSizingStart = Sizing == gsColSizing ? Cell.Left : Cell.Top;
    FSizingOfs = Sizing == gsColSizing ? X - Cell.Right : Y - Cell.Bottom;
    ShowSizingCursor(Sizing);
    ShowSizingLine(FSizingStart + SizingSize(X, Y));
    return;
  }
  if (CanFocus() && !Focused())
    SetFocus();
  int32_t C = -1, R = -1;
  MouseToCell(X, Y, C, R);
  if (C < FFixedCols || R < FFixedRows)
    return;
  const bool Range = FOptions & GridOptionBit(goRangeSelect);
  const bool Current = C == FCurrent.X && R == FCurrent.Y;
  FocusCell(C, R, !((Shift & ssShift) && Range));
  FSelecting = Range;
  // A click on the cell that is already current starts editing it.
  if (Current && !(Shift & ssShift) && (FOptions & GridOptionBit(goEditing))) {
    FSelecting = false;
    ShowEditor();
  }
}

void TCustomGrid::MouseMove(TShiftState Shift, int32_t X, int32_t Y)
{
  TCustomControl::MouseMove(Shift, X, Y);
  if (FSizingState != gsNormal) {
    ShowSizingLine(FSizingStart + SizingSize(X, Y));
    return;
  }
  if (!(Shift & (ssLeft | ssRight | ssMiddle))) {
    // The cursor tells where a press would size.
    TGridState Sizing = gsNormal;
    int32_t Index = -1;
    CalcSizingState(X, Y, Sizing, Index);
    ShowSizingCursor(Sizing);
  }
  if (!FSelecting || !(Shift & ssLeft))
    return;
  int32_t C = -1, R = -1;
  MouseToCell(X, Y, C, R);
  if (C >= FFixedCols && R >= FFixedRows)
    FocusCell(C, R, false);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  FSelecting = false;
  if (FSizingState != gsNormal && Button == mbLeft) {
    const TGridState Sizing = FSizingState;
    const int32_t Size = SizingSize(X, Y);
    if (FSizingLine)
      FSizingLine->hide();
    // The size is set while the state still says sizing, so that those who
    // hear of the change know the operator made it.
    if (Sizing == gsColSizing)
      SetColWidths(FSizingIndex, Size);
    else
      SetRowHeights(FSizingIndex, Size);
    FSizingState = gsNormal;
    FSizingIndex = -1;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::Resize()
{
  TCustomControl::Resize();
  ClampCurrent();
  UpdateScrollRange();
}

// ---------------------------------------------------------------- the widget

QWidget* TCustomGrid::CreateWidget(QWidget* ParentWidget)
{
  auto* Area = new TGridScrollArea(this, ParentWidget);
  Area->setFrameShape(FBorderStyle == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
  return Area;
}

void TCustomGrid::CreateWnd()
{
  TCustomControl::CreateWnd();
  if (auto* Area = dynamic_cast<QAbstractScrollArea*>(WidgetOrNull()))
    WatchWidget(Area->viewport());
  UpdateScrollRange();
}

QWidget* TCustomGrid::ClientWidget()
{
  if (auto* Area = dynamic_cast<QAbstractScrollArea*>(WidgetOrNull()))
    return Area->viewport();
  return TCustomControl::ClientWidget();
}

bool TCustomGrid::WidgetEvent(QObject* Watched, QEvent* Event)
{
  auto* Area = dynamic_cast<QAbstractScrollArea*>(WidgetOrNull());
  // The scroll area itself shows only its frame and bars; the cells belong
  // to the viewport.
  if (Area && Watched == Area && Event->type() == QEvent::Paint)
    return false;
  if (!Area || Watched != Area->viewport())
    return TCustomControl::WidgetEvent(Watched, Event);
  switch (Event->type()) {
  case QEvent::Paint: {
    if (FViewHeld && FHeldView)
      FHeldView->Painted = true;
    QWidget* VP = Area->viewport();
    QPainter P(VP);
    TCanvas* C = Canvas();
    C->AttachPainter(&P, VP->width(), VP->height());
    const QRect R = static_cast<QPaintEvent*>(Event)->rect();
    FPaintRect = TRect{R.left(), R.top(), R.right() + 1, R.bottom() + 1};
    const auto Done = qScopeGuard([this] { FPaintRect = TRect{}; });
    // A drawing handler's error is reported as for any window, not let
    // out into Qt's event loop.
    try {
      Paint();
    } catch (const std::exception& E) {
      HandleApplicationException(E);
    }
    C->Release();
    C->AttachPainter(nullptr, 0, 0);
    return true;
  }
  case QEvent::Resize:
    ClampCurrent();
    UpdateScrollRange();
    return false;
  default:
    return TCustomControl::WidgetEvent(Watched, Event);
  }
}

void TCustomGrid::UpdateScrollRange()
{
  auto* Area = dynamic_cast<QAbstractScrollArea*>(WidgetOrNull());
  if (!Area || FUpdatingScroll || FViewHeld)
    return;
  FUpdatingScroll = true;
  const bool V = FScrollBars == ssVertical || FScrollBars == ssBoth;
  const bool H = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
  // Setting a policy lays the area's parts out again and repaints the
  // bars even when nothing changed: only a change is passed on.
  const Qt::ScrollBarPolicy VP = V ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  const Qt::ScrollBarPolicy HP = H ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  if (Area->verticalScrollBarPolicy() != VP)
    Area->setVerticalScrollBarPolicy(VP);
  if (Area->horizontalScrollBarPolicy() != HP)
    Area->setHorizontalScrollBarPolicy(HP);
  QScrollBar* VB = Area->verticalScrollBar();
  VB->setRange(FFixedRows, MaxTopRow());
  VB->setPageStep(std::max(1, VisibleRowCount()));
  VB->setValue(FTopLeft.Y);
  QScrollBar* HB = Area->horizontalScrollBar();
  HB->setRange(FFixedCols, MaxLeftCol());
  HB->setPageStep(std::max(1, VisibleColCount()));
  HB->setValue(FTopLeft.X);
  FUpdatingScroll = false;
}

void TCustomGrid::HoldView()
{
  if (FViewHeld)
    return;
  FViewHeld = true;
  if (!FHeldView)
    FHeldView = std::make_unique<THeldView>();
  THeldView& V = *FHeldView;
  V.InsertedRow = -1;
  V.InsertedCount = 0;
  V.Painted = false;
  auto* Area = dynamic_cast<QAbstractScrollArea*>(WidgetOrNull());
  if (!Area)
    return;
  QWidget* View = Area->viewport();
  // Not setUpdatesEnabled: turning that back on repaints the whole
  // viewport, which is what a move of the rows is there to spare.
  View->setAttribute(Qt::WA_UpdatesDisabled, true);
  V.TopLeft = FTopLeft;
  V.Width = View->width();
  V.Height = View->height();
  V.FixedCols = FFixedCols;
  V.FixedRows = FFixedRows;
  V.Line = FGridLineWidth;
  V.ColWidths = FColWidths;
  V.RowHeights.clear();
  const TAxis Rows = RowAxis();
  for (int32_t R = 0; R < FFixedRows && R < FRowCount; ++R)
    V.RowHeights.push_back(Rows.Size(R));
  for (int32_t R = FTopLeft.Y, Y = Rows.FixedExtent(); R < FRowCount && Y < Rows.Extent; ++R) {
    V.RowHeights.push_back(Rows.Size(R));
    Y += Rows.Size(R) + Rows.Line;
  }
}

void TCustomGrid::ReleaseView()
{
  const bool Held = FViewHeld;
  FViewHeld = false;
  if (Held)
    UpdateScrollRange();
  auto* Area = dynamic_cast<QAbstractScrollArea*>(WidgetOrNull());
  if (!Area)
    return;
  QWidget* View = Area->viewport();
  View->setAttribute(Qt::WA_UpdatesDisabled, false);
  if (!Held || !MoveInsertedRows(*View))
    Invalidate();
}

void TCustomGrid::ShowRowsInserted(int32_t ARow, int32_t Count)
{
  if (!FViewHeld || !FHeldView || Count <= 0)
    return;
  THeldView& V = *FHeldView;
  // Said again, it must be the same run of rows grown; else the rows are
  // painted again.
  V.InsertedRow = V.InsertedCount == 0 || V.InsertedRow == ARow ? ARow : -1;
  V.InsertedCount += Count;
}

// The rows from the inserted ones on stand Count rows lower than when the
// view was held, each with its height; the rows above them where they
// were. Then the screen moves them down, and only the inserted rows, what
// lies after the last row (rows taken off) and the rows of the current
// cell and selection (drawn by their index, which did not move) are
// painted.
bool TCustomGrid::MoveInsertedRows(QWidget& View)
{
  if (!FHeldView)
    return false;
  THeldView& V = *FHeldView;
  const int32_t ARow = V.InsertedRow, N = V.InsertedCount;
  if (N <= 0 || ARow < 0 || V.Painted || !View.isVisible())
    return false;
  if (FTopLeft.X != V.TopLeft.X || FTopLeft.Y != V.TopLeft.Y || View.width() != V.Width || View.height() != V.Height ||
      FFixedCols != V.FixedCols || FFixedRows != V.FixedRows || FGridLineWidth != V.Line || FColWidths != V.ColWidths)
    return false;
  if (ARow < FFixedRows || ARow < FTopLeft.Y || ARow + N > FRowCount)
    return false;
  const TAxis Rows = RowAxis();
  const int32_t Y = Rows.Start(ARow);
  if (Y < 0)
    return false;
  for (size_t K = 0; K < V.RowHeights.size(); ++K) {
    const int32_t Old = static_cast<int32_t>(K) < FFixedRows ? static_cast<int32_t>(K)
                                                             : FTopLeft.Y + static_cast<int32_t>(K) - FFixedRows;
    const int32_t Now = Old < ARow ? Old : Old + N;
    if (Now >= FRowCount)
      break; // taken off: its place is painted below
    if (Rows.Size(Now) != V.RowHeights[K])
      return false;
  }
  int32_t DY = 0;
  for (int32_t R = ARow; R < ARow + N; ++R)
    DY += Rows.Size(R) + Rows.Line;
  const int32_t W = View.width(), H = View.height();
  // Qt paints what the move uncovers, and moves along what was already
  // waiting to be painted. A cell draws its border a pixel before its
  // start, over the row above: each band painted here takes that pixel
  // of the row after it too, which then shows what a full paint shows.
  if (DY < H - Y)
    View.scroll(0, DY, QRect(0, Y, W, H - Y));
  View.update(QRect(0, Y, W, std::min(DY + 1, H - Y)));
  // Rows taken off in view, or a view no longer full: what lies after the
  // last row, and that row's last line of pixels, which the row after it
  // drew over.
  const int32_t End = Rows.End();
  if (End < H)
    View.update(QRect(0, End - 1, W, H - End + 1));
  const TGridRect Sel = Selection();
  for (const auto& [First, Last] : {std::pair{Sel.Top, Sel.Bottom}, std::pair{FCurrent.Y, FCurrent.Y}})
    for (int32_t R = std::max(First, ARow); R <= Last + N + 1 && R < FRowCount; ++R) {
      const int32_t RY = Rows.Start(R);
      if (RY < 0)
        break;
      View.update(QRect(0, RY, W, Rows.Size(R) + Rows.Line + 1));
    }
  return true;
}

void TCustomGrid::ScrollBarMoved(bool Vertical, int32_t Value)
{
  if (FUpdatingScroll)
    return;
  if (Vertical)
    SetTopRow(Value);
  else
    SetLeftCol(Value);
}

// ---------------------------------------------------------------- streaming

void TCustomGrid::DefineProperties(TFiler* Filer)
{
  TCustomControl::DefineProperties(Filer);
  const bool ColsDiffer =
      std::any_of(FColWidths.begin(), FColWidths.end(), [this](int32_t W) { return W != FDefaultColWidth; });
  const bool RowsDiffer =
      std::any_of(FRowHeights.begin(), FRowHeights.end(), [this](int32_t H) { return H != FDefaultRowHeight; });
  Filer->DefineProperty(
      QStringLiteral("ColWidths"), [this](TReader& R) { ReadColWidths(R); }, [this](TWriter& W) { WriteColWidths(W); },
      ColsDiffer);
  Filer->DefineProperty(
      QStringLiteral("RowHeights"), [this](TReader& R) { ReadRowHeights(R); },
      [this](TWriter& W) { WriteRowHeights(W); }, RowsDiffer);
}

void TCustomGrid::ReadColWidths(TReader& Reader)
{
  Reader.ReadListBegin();
  for (int32_t I = 0; !Reader.EndOfList(); ++I)
    SetColWidths(I, Reader.ReadInteger());
  Reader.ReadListEnd();
}

void TCustomGrid::WriteColWidths(TWriter& Writer)
{
  Writer.WriteListBegin();
  for (int32_t W : FColWidths)
    Writer.WriteInteger(W);
  Writer.WriteListEnd();
}

void TCustomGrid::ReadRowHeights(TReader& Reader)
{
  Reader.ReadListBegin();
  for (int32_t I = 0; !Reader.EndOfList(); ++I)
    SetRowHeights(I, Reader.ReadInteger());
  Reader.ReadListEnd();
}

void TCustomGrid::WriteRowHeights(TWriter& Writer)
{
  Writer.WriteListBegin();
  for (int32_t H : FRowHeights)
    Writer.WriteInteger(H);
  Writer.WriteListEnd();
}

// ---------------------------------------------------------------- TStringGrid

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomGrid(AOwner), FCells(std::make_unique<TStringGridCells>()) {}

TStringGrid::~TStringGrid() = default;

String TStringGrid::ClassName() const { return QStringLiteral("TStringGrid"); }

String TStringGrid::Cells(int32_t ACol, int32_t ARow) const { return FCells->Cell(ACol, ARow); }

void TStringGrid::SetCells(int32_t ACol, int32_t ARow, const String& Value)
{
  FCells->SetCell(ACol, ARow, Value);
  InvalidateCell(ACol, ARow);
}

TObject* TStringGrid::Objects(int32_t ACol, int32_t ARow) const { return FCells->Object(ACol, ARow); }

void TStringGrid::SetObjects(int32_t ACol, int32_t ARow, TObject* Value) { FCells->SetObject(ACol, ARow, Value); }

void TStringGrid::GetRows(int32_t ARow, TStringList& Into) const { FCells->GetRow(ARow, ColCount(), Into); }

void TStringGrid::SetRows(int32_t ARow, const TStringList& Value)
{
  FCells->SetRow(ARow, ColCount(), Value);
  InvalidateRow(ARow);
}

void TStringGrid::GetCols(int32_t ACol, TStringList& Into) const { FCells->GetCol(ACol, RowCount(), Into); }

void TStringGrid::SetCols(int32_t ACol, const TStringList& Value)
{
  FCells->SetCol(ACol, RowCount(), Value);
  InvalidateCol(ACol);
}

void TStringGrid::DrawCell(int32_t ACol, int32_t ARow, const TRect& ARect, TGridDrawState AState)
{
  if (DefaultDrawing()) {
    TCanvas* C = Canvas();
    const int32_t Saved = C->SaveDC();
    const TRegion Clip = TRegion::FromRect(ARect);
    C->ExtSelectClipRgn(&Clip, RGN_AND);
    C->SetBkMode(TRANSPARENT);
    C->Font()->Assign(Font());
    if (AState & GridDrawBit(gdSelected))
      C->Font()->SetColor(clHighlightText);
    C->TextOut(ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
    C->RestoreDC(Saved);
  }
  TCustomGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TStringGrid::ColumnMoved(int32_t FromIndex, int32_t ToIndex)
{
  FCells->MoveCol(FromIndex, ToIndex);
  TCustomGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int32_t FromIndex, int32_t ToIndex)
{
  FCells->MoveRow(FromIndex, ToIndex);
  TCustomGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::DeleteColumn(int32_t ACol)
{
  if (ACol < 0 || ACol >= ColCount() || ColCount() <= 1)
    return;
  // What lies beyond the count (kept for a count that grows again) stays
  // beyond it.
  const int32_t Count = ColCount();
  FCells->DeleteCol(ACol);
  FCells->InsertCols(Count - 1, 1);
  TCustomGrid::DeleteColumn(ACol);
}

void TStringGrid::DeleteRow(int32_t ARow)
{
  if (ARow < 0 || ARow >= RowCount() || RowCount() <= 1)
    return;
  const int32_t Count = RowCount();
  FCells->DeleteRow(ARow);
  FCells->InsertRows(Count - 1, 1);
  TCustomGrid::DeleteRow(ARow);
}
