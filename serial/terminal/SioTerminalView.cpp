// The terminal control's view: cell size from the font, the visible part of
// the buffer and its origin, the scroll bars with scroll-back viewing,
// painting through the emulator, the caret, mouse selection and copying.
#include "serial/terminal/SioTerminal.h"

#include "platform/Canvas.h"
#include "platform/Clipbrd.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/Region.h"
#include "rtl/Strings.h"
#include "serial/terminal/SioTerminalEmulator.h"

#include <QImage>
#include <QScopeGuard>
#include <QScrollBar>
#include <QWidget>

#include <algorithm>

namespace {

int32_t BarThickness(const QScrollBar* Bar) { return Bar ? Bar->sizeHint().width() : 0; }

// The scroll bar message a slider action stands for.
int32_t ScrollCode(int Action)
{
  switch (Action) {
  case QAbstractSlider::SliderSingleStepSub:
    return SB_LINEUP;
  case QAbstractSlider::SliderSingleStepAdd:
    return SB_LINEDOWN;
  case QAbstractSlider::SliderPageStepSub:
    return SB_PAGEUP;
  case QAbstractSlider::SliderPageStepAdd:
    return SB_PAGEDOWN;
  case QAbstractSlider::SliderMove:
    return SB_THUMBTRACK;
  default:
    return -1;
  }
}

void ApplyInfo(QScrollBar* Bar, const TAdCustomTerminal::TScrollInfo& I)
{
  Bar->setRange(I.Min, std::max(I.Min, I.Max - std::max(I.Page, 1) + 1));
  Bar->setPageStep(std::max(I.Page, 1));
  Bar->setValue(I.Pos);
}

} // namespace

// ------------------------------------------------------------ cells and extent

int32_t TAdCustomTerminal::GetTotalCharWidth() const { return std::max(FCharWidth + FCharHPadding, 1); }

int32_t TAdCustomTerminal::GetTotalCharHeight() const { return std::max(FCharHeight + FCharVPadding, 1); }

void TAdCustomTerminal::SetCharHPadding(int32_t Value)
{
  if (Value == FCharHPadding)
    return;
  FCharHPadding = Value;
  tmGetFontInfo(true);
}

void TAdCustomTerminal::SetCharVPadding(int32_t Value)
{
  if (Value == FCharVPadding)
    return;
  FCharVPadding = Value;
  tmGetFontInfo(true);
}

void TAdCustomTerminal::FontChanged()
{
  TSioBaseWinControl::FontChanged();
  tmGetFontInfo();
}

void TAdCustomTerminal::tmGetFontInfo(bool SpacingChanged)
{
  const int32_t OldW = FCharWidth;
  const int32_t OldH = FCharHeight;
  FCharWidth = 0;
  FCharHeight = 0;
  QImage Screen(1, 1, QImage::Format_RGB32);
  TCanvas C;
  C.BindImage(&Screen);
  C.Font()->Assign(Font());
  const TTextMetric M = C.TextMetrics();
  FCharHeight = M.Height + M.ExternalLeading;
  // The widest character the cells show: every character keeps to its cell.
  int32_t Widest = M.AveCharWidth;
  for (int Ch = 32; Ch < 127; ++Ch)
    Widest = std::max(Widest, C.TextWidth(String(QChar(Ch))));
  FCharWidth = Widest;
  C.Release();
  if (WindowExists() && (SpacingChanged || OldW != FCharWidth || OldH != FCharHeight)) {
    tmCalcExtent();
    Invalidate();
  }
}

TRect TAdCustomTerminal::ClientRect() const
{
  TRect R = TSioBaseWinControl::ClientRect();
  {
    if (FBars.VShown)
      R.Right = std::max(R.Left, R.Right - BarThickness(FBars.V));
    if (FBars.HShown)
      R.Bottom = std::max(R.Top, R.Bottom - BarThickness(FBars.V));
  }
  return R;
}

void TAdCustomTerminal::tmCalcExtent()
{
  if (!FEmulator || !Buffer()) {
    FClientCols = FClientRows = FClientFullCols = FClientFullRows = 0;
    return;
  }
  const int32_t W = GetTotalCharWidth();
  const int32_t H = GetTotalCharHeight();
  const int32_t CW = ClientWidth();
  const int32_t CH = ClientHeight();
  const int32_t ColBound = Columns() - FOriginCol + 1;
  const int32_t RowBound = Rows() - FOriginRow + 1;
  FClientCols = std::min((CW + W - 1) / W, ColBound);
  FClientFullCols = std::min(CW / W, ColBound);
  FClientRows = std::min((CH + H - 1) / H, RowBound);
  FClientFullRows = std::min(CH / H, RowBound);
  if (WindowExists()) {
    if (FClientFullCols < Columns() && !FUseHScrollBar && !FHideScrollbars) {
      FUseHScrollBar = true;
      PostMessage(TermHandle(), ApwTermForceSize, 0, 0);
      return;
    }
    if (FClientFullCols >= Columns() && FUseHScrollBar) {
      FUseHScrollBar = false;
      PostMessage(TermHandle(), ApwTermForceSize, 0, 0);
      return;
    }
    if (FClientFullRows < Rows() && !FUseVScrollBar && !FHideScrollbars) {
      FUseVScrollBar = true;
      if (ScrollbackRows() <= Rows()) {
        PostMessage(TermHandle(), ApwTermForceSize, 0, 0);
        return;
      }
    } else if (FClientFullRows >= Rows() && FUseVScrollBar) {
      FUseVScrollBar = false;
      PostMessage(TermHandle(), ApwTermForceSize, 0, 0);
      return;
    }
  }
  FUsedRect = TRect{0, 0, std::min(W * FClientCols, CW), std::min(H * FClientRows, CH)};
  FUnusedRightRect = TRect{FUsedRect.Right, 0, CW, FUsedRect.Bottom};
  FUnusedBottomRect = TRect{0, FUsedRect.Bottom, CW, CH};
  if (HScrollBarNeeded())
    SetupHScrollBar();
  if (VScrollBarNeeded())
    SetupVScrollBar();
}

void TAdCustomTerminal::Resize()
{
  TSioBaseWinControl::Resize();
  PlaceScrollBars();
  tmCalcExtent();
  const int32_t W = GetTotalCharWidth();
  const int32_t H = GetTotalCharHeight();
  if (FOriginCol > 1 && FClientCols * W < ClientWidth())
    SetClientOriginCol(Columns() - ClientWidth() / W + 1);
  if (FOriginRow >= 2 && FClientRows * H < ClientHeight())
    SetClientOriginRow(Rows() - ClientHeight() / H + 1);
}

// ------------------------------------------------------------ scroll bars

bool TAdCustomTerminal::HScrollBarNeeded() const
{
  return FUseHScrollBar && (!FHideScrollbars || FHideScrollbarHActive);
}

bool TAdCustomTerminal::VScrollBarNeeded() const
{
  return (FUseVScrollBar && (!FHideScrollbars || FHideScrollBarVActive)) || (ScrollbackRows() > Rows() && FScrollback);
}

bool TAdCustomTerminal::HasHScrollBar() const { return FBars.HShown; }

bool TAdCustomTerminal::HasVScrollBar() const { return FBars.VShown; }

TAdCustomTerminal::TScrollInfo TAdCustomTerminal::HScrollInfo() const { return FBars.HInfo; }

TAdCustomTerminal::TScrollInfo TAdCustomTerminal::VScrollInfo() const { return FBars.VInfo; }

void TAdCustomTerminal::CreateScrollBars()
{
  QWidget* W = Handle();
  if (!FBars.H) {
    FBars.H = new QScrollBar(Qt::Horizontal, W);
    FBars.V = new QScrollBar(Qt::Vertical, W);
    for (QScrollBar* Bar : {FBars.H, FBars.V}) {
      Bar->hide();
      Bar->setFocusPolicy(Qt::NoFocus);
      const bool Horizontal = Bar == FBars.H;
      QObject::connect(Bar, &QAbstractSlider::actionTriggered, Bar, [this, Bar, Horizontal](int Action) {
        const int32_t Code = ScrollCode(Action);
        if (Code < 0 || FBars.Setting)
          return;
        const int32_t Pos = Bar->sliderPosition();
        // The bar shows our position, not the one Qt moved to.
        Bar->setSliderPosition(Horizontal ? FBars.HInfo.Pos : FBars.VInfo.Pos);
        if (Horizontal)
          HScroll(Code, Pos);
        else
          VScroll(Code, Pos);
      });
    }
  }
  ApplyScrollBars();
}

void TAdCustomTerminal::PlaceScrollBars()
{
  if (!FBars.H)
    return;
  const int32_t T = BarThickness(FBars.V);
  const int32_t W = Width();
  const int32_t H = Height();
  FBars.V->setGeometry(W - T, 0, T, H - (FBars.HShown ? T : 0));
  FBars.H->setGeometry(0, H - T, W - (FBars.VShown ? T : 0), T);
}

void TAdCustomTerminal::ApplyScrollBars()
{
  const bool H = HScrollBarNeeded();
  const bool V = VScrollBarNeeded();
  const bool Changed = H != FBars.HShown || V != FBars.VShown;
  FBars.HShown = H;
  FBars.VShown = V;
  if (FBars.H) {
    PlaceScrollBars();
    FBars.H->setVisible(H);
    FBars.V->setVisible(V);
  }
  if (Changed) {
    tmCalcExtent();
    Invalidate();
  }
  if (H)
    SetupHScrollBar();
  if (V)
    SetupVScrollBar();
}

void TAdCustomTerminal::SetupHScrollBar()
{
  FBars.HInfo = TScrollInfo{0, Columns() - 1, FClientFullCols, FOriginCol - 1};
  if (!FBars.HShown) {
    PostMessage(TermHandle(), ApwTermForceSize, 0, 0);
    return;
  }
  FBars.Setting = true;
  ApplyInfo(FBars.H, FBars.HInfo);
  FBars.Setting = false;
}

void TAdCustomTerminal::SetupVScrollBar()
{
  const int32_t Min = FUseVScrollBar && !FScrollback ? 0 : Rows() - ScrollbackRows();
  FBars.VInfo = TScrollInfo{Min, Rows() - 1, FClientFullRows, FOriginRow - 1};
  if (!FBars.VShown) {
    PostMessage(TermHandle(), ApwTermForceSize, 0, 0);
    return;
  }
  FBars.Setting = true;
  ApplyInfo(FBars.V, FBars.VInfo);
  FBars.Setting = false;
}

void TAdCustomTerminal::RemoveHScrollBar()
{
  if (FBars.HShown)
    ApplyScrollBars();
}

void TAdCustomTerminal::RemoveVScrollBar()
{
  if (FBars.VShown)
    ApplyScrollBars();
}

void TAdCustomTerminal::UpdateVScrollBar()
{
  if (VScrollBarNeeded())
    SetupVScrollBar();
  else
    RemoveVScrollBar();
}

void TAdCustomTerminal::UpdateHScrollBar()
{
  if (HScrollBarNeeded())
    SetupHScrollBar();
  else
    RemoveHScrollBar();
}

void TAdCustomTerminal::SetHideScrollbars(bool Value)
{
  if (Value == FHideScrollbars)
    return;
  FHideScrollbars = Value;
  UpdateVScrollBar();
  UpdateHScrollBar();
}

void TAdCustomTerminal::SetScrollback(bool Value)
{
  if (Value == FScrollback)
    return;
  FScrollback = Value;
  UpdateVScrollBar();
  // Without scroll-back viewing the view leaves the scroll-back.
  SetClientOriginRow(FOriginRow);
}

void TAdCustomTerminal::SetAutoScrollback(bool Value)
{
  if (Value == FAutoScrollback)
    return;
  FAutoScrollback = Value;
  UpdateVScrollBar();
}

void TAdCustomTerminal::CursorMovedScrollbars(int32_t Row, int32_t Col)
{
  const bool NeedV = Row > FClientFullRows;
  const bool NeedH = Col > FClientFullCols;
  if (NeedV == FHideScrollBarVActive && NeedH == FHideScrollbarHActive)
    return;
  FHideScrollBarVActive = NeedV;
  FHideScrollbarHActive = NeedH;
  UpdateVScrollBar();
  UpdateHScrollBar();
}

int32_t TAdCustomTerminal::VertScrollPos() const { return FOriginRow - 1; }

void TAdCustomTerminal::HScroll(int32_t Code, int32_t Pos)
{
  int32_t New = FOriginCol;
  switch (Code) {
  case SB_LINELEFT:
    --New;
    break;
  case SB_LINERIGHT:
    ++New;
    break;
  case SB_PAGELEFT:
    New -= FClientFullCols;
    break;
  case SB_PAGERIGHT:
    New += FClientFullCols;
    break;
  case SB_THUMBPOSITION:
  case SB_THUMBTRACK:
    New = Pos + 1;
    break;
  default:
    return;
  }
  New = std::clamp(New, 1, std::max(1, Columns() - FClientFullCols + 1));
  if (New != FOriginCol)
    SetClientOriginCol(New);
}

void TAdCustomTerminal::VScroll(int32_t Code, int32_t Pos)
{
  if (Code != SB_LINEUP && Code != SB_LINEDOWN && Code != SB_PAGEUP && Code != SB_PAGEDOWN &&
      Code != SB_THUMBPOSITION && Code != SB_THUMBTRACK)
    return;
  if (FUseVScrollBar && FAutoScrollback) {
    if (Code == SB_LINEUP && FOriginRow == 1 && !FScrollback)
      SetScrollback(true);
    else if (FScrollback && FOriginRow > 1)
      SetScrollback(false);
  }
  int32_t New = FOriginRow;
  switch (Code) {
  case SB_LINEUP:
    --New;
    break;
  case SB_LINEDOWN:
    ++New;
    break;
  case SB_PAGEUP:
    New -= FClientFullRows;
    break;
  case SB_PAGEDOWN:
    New += FClientFullRows;
    break;
  default:
    New = Pos + 1;
  }
  if (New != FOriginRow)
    SetClientOriginRow(New);
}

// ------------------------------------------------------------ the view's origin

void TAdCustomTerminal::SetClientOriginCol(int32_t Value)
{
  Value = std::clamp(Value, 1, std::max(1, Columns() - FClientFullCols + 1));
  if (Value == FOriginCol)
    return;
  FOriginCol = Value;
  Invalidate();
  tmCalcExtent();
  if (HScrollBarNeeded())
    SetupHScrollBar();
  PlaceCaret();
}

void TAdCustomTerminal::SetClientOriginRow(int32_t Value)
{
  // Scroll-back rows only while scroll-back viewing is on: without it no
  // bar could bring the view back to the screen.
  const int32_t Lowest = !FScrollback ? 1 : Rows() - ScrollbackRows() + 1;
  const int32_t Highest = std::max(1, Rows() - FClientFullRows + 1);
  Value = std::clamp(Value, std::min(Lowest, Highest), Highest);
  if (Value == FOriginRow)
    return;
  FOriginRow = Value;
  Invalidate();
  tmCalcExtent();
  if (VScrollBarNeeded())
    SetupVScrollBar();
  PlaceCaret();
}

int32_t TAdCustomTerminal::Columns() const { return Buffer() ? Buffer()->ColCount() : 0; }

int32_t TAdCustomTerminal::Rows() const { return Buffer() ? Buffer()->RowCount() : 0; }

int32_t TAdCustomTerminal::ScrollbackRows() const { return Buffer() ? Buffer()->SVRowCount() : 0; }

void TAdCustomTerminal::SetColumns(int32_t Value)
{
  if (Value <= 0 || !Buffer())
    return;
  Buffer()->tbSetColCount(Value);
  FOriginCol = 1;
  FOriginRow = 1;
  tmCalcExtent();
  Invalidate();
}

void TAdCustomTerminal::SetRows(int32_t Value)
{
  if (Value <= 0 || !Buffer())
    return;
  Buffer()->tbSetRowCount(Value);
  tmCalcExtent();
  Invalidate();
}

void TAdCustomTerminal::SetScrollbackRows(int32_t Value)
{
  if (Value <= 0 || !Buffer())
    return;
  Buffer()->tbSetSVRowCount(Value);
}

void TAdCustomTerminal::tmFollowCursor()
{
  if (!Emulator() || !Buffer())
    return;
  int32_t Row, Col;
  CursorCell(Row, Col);
  if (Col < FOriginCol)
    SetClientOriginCol(Col);
  else if (FClientFullCols > 0 && Col >= FOriginCol + FClientFullCols)
    SetClientOriginCol(Col - FClientFullCols + 1);
  if (Row < FOriginRow)
    SetClientOriginRow(Row);
  else if (FClientFullRows > 0 && Row >= FOriginRow + FClientFullRows)
    SetClientOriginRow(Row - FClientFullRows + 1);
}

void TAdCustomTerminal::SetFollowCursor(bool Value)
{
  FFollowCursor = Value;
  if (Value)
    tmFollowCursor();
}

// ------------------------------------------------------------ painting

void TAdCustomTerminal::InvalidateCells(int32_t aRow, int32_t aFirstCol, int32_t aLastCol)
{
  const int32_t W = GetTotalCharWidth();
  const int32_t H = GetTotalCharHeight();
  const TRect R{(aFirstCol - FOriginCol) * W, (aRow - FOriginRow) * H, (aLastCol - FOriginCol + 1) * W,
                (aRow - FOriginRow + 1) * H};
  if (!FHavePendingPaint) {
    FPendingPaint = R;
    FHavePendingPaint = true;
    return;
  }
  FPendingPaint = TRect{std::min(FPendingPaint.Left, R.Left), std::min(FPendingPaint.Top, R.Top),
                        std::max(FPendingPaint.Right, R.Right), std::max(FPendingPaint.Bottom, R.Bottom)};
}

void TAdCustomTerminal::PaintCells(const std::function<void()>& Draw)
{
  Draw();
  PlaceCaret();
  if (!FHavePendingPaint)
    return;
  FHavePendingPaint = false;
  const TRect R{std::max(FPendingPaint.Left, FUsedRect.Left), std::max(FPendingPaint.Top, FUsedRect.Top),
                std::min(FPendingPaint.Right, FUsedRect.Right), std::min(FPendingPaint.Bottom, FUsedRect.Bottom)};
  QWidget* W = WidgetOrNull();
  if (!R.IsEmpty() && W && W->isVisible())
    W->repaint(R.Left, R.Top, R.Width(), R.Height());
}

void TAdCustomTerminal::Paint()
{
  FInPaint = true;
  const auto Done = qScopeGuard([this] { FInPaint = false; });
  TCanvas* C = Canvas();
  const TRect Clip = C->ClipBox();
  const auto Part = [&Clip](const TRect& R) {
    return TRect{std::max(R.Left, Clip.Left), std::max(R.Top, Clip.Top), std::min(R.Right, Clip.Right),
                 std::min(R.Bottom, Clip.Bottom)};
  };
  C->Brush()->SetColor(Color());
  C->Brush()->SetStyle(bsSolid);
  for (const TRect& Strip : {FUnusedRightRect, FUnusedBottomRect})
    if (const TRect P = Part(Strip); !P.IsEmpty())
      C->FillRect(P);
  const TRect Cells = Part(FUsedRect);
  if (!Cells.IsEmpty() && FEmulator) {
    const int32_t Saved = C->SaveDC();
    const TRegion R = TRegion::FromRect(Cells);
    C->ExtSelectClipRgn(&R, RGN_AND);
    FEmulator->Paint();
    C->RestoreDC(Saved);
  }
  DrawCaret();
}

// ------------------------------------------------------------ the caret

void TAdCustomTerminal::CursorCell(int32_t& Row, int32_t& Col) const
{
  const TSioTerminalBuffer* B = Buffer();
  Row = B->Row();
  Col = B->Col();
  if (!B->UseAbsAddress()) {
    Col += B->OriginCol() - 1;
    Row += B->OriginRow() - 1;
  }
}

void TAdCustomTerminal::SetCursorType(TAdCursorType Value)
{
  if (Value == FCursorType)
    return;
  DropCaret();
  FCursorType = Value;
  if (HasFocus())
    MakeCaret();
}

void TAdCustomTerminal::DoEnter()
{
  TSioBaseWinControl::DoEnter();
  MakeCaret();
}

void TAdCustomTerminal::DoExit()
{
  DropCaret();
  TSioBaseWinControl::DoExit();
}

void TAdCustomTerminal::MakeCaret()
{
  FCreatedCaret = FCursorType != ctNone;
  PlaceCaret();
}

void TAdCustomTerminal::DropCaret()
{
  if (FShowingCaret)
    InvalidateCaret();
  FCreatedCaret = false;
  FShowingCaret = false;
}

TRect TAdCustomTerminal::CaretRect() const
{
  const int32_t W = GetTotalCharWidth();
  const int32_t H = GetTotalCharHeight();
  return FCursorType == ctUnderline ? TRect{FCaretPos.X, FCaretPos.Y, FCaretPos.X + W, FCaretPos.Y + 2}
                                    : TRect{FCaretPos.X, FCaretPos.Y, FCaretPos.X + W, FCaretPos.Y + H};
}

void TAdCustomTerminal::InvalidateCaret()
{
  if (QWidget* W = WidgetOrNull()) {
    const TRect R = CaretRect();
    W->update(QRect(R.Left, R.Top, R.Width(), R.Height()));
  }
}

void TAdCustomTerminal::PlaceCaret()
{
  const bool Show = FCreatedCaret && !Designing() && HasFocus() && Buffer();
  TPoint P;
  bool Inside = false;
  if (Show) {
    int32_t Row, Col;
    CursorCell(Row, Col);
    const int32_t W = GetTotalCharWidth();
    const int32_t H = GetTotalCharHeight();
    P.X = W * (Col - FOriginCol);
    P.Y = H * (Row - FOriginRow) + (FCursorType == ctUnderline ? H - 2 : 0);
    Inside = P.X >= 0 && P.Y >= 0 && P.X < ClientWidth() && P.Y < ClientHeight();
  }
  if (Inside == FShowingCaret && (!Inside || P == FCaretPos))
    return;
  if (FShowingCaret)
    InvalidateCaret();
  FShowingCaret = Inside;
  FCaretPos = P;
  if (FShowingCaret)
    InvalidateCaret();
}

bool TAdCustomTerminal::CaretShown(TPoint& Position) const
{
  Position = FCaretPos;
  return FShowingCaret;
}

void TAdCustomTerminal::DrawCaret()
{
  if (!FShowingCaret)
    return;
  TCanvas* C = Canvas();
  const TRect R = CaretRect();
  // The cell under the caret shows inverted.
  const TPenMode Old = C->Pen()->Mode();
  C->Pen()->SetMode(pmNot);
  C->Brush()->SetStyle(bsSolid);
  C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
  C->Pen()->SetMode(Old);
}

// ------------------------------------------------------------ mouse selection

TPoint TAdCustomTerminal::CellAt(int32_t X, int32_t Y) const
{
  const int32_t W = GetTotalCharWidth();
  const int32_t H = GetTotalCharHeight();
  // Division rounding down, also left of and above the window.
  const auto Floor = [](int32_t A, int32_t B) { return A >= 0 ? A / B : -((-A + B - 1) / B); };
  TPoint P{Floor(X, W) + FOriginCol, Floor(Y, H) + FOriginRow};
  P.X = std::clamp(P.X, 1, std::max(1, Columns()));
  P.Y = std::clamp(P.Y, Rows() - ScrollbackRows() + 1, std::max(1, Rows()));
  return P;
}

void TAdCustomTerminal::MarkSelection(const TRect& Sel, bool On)
{
  for (int32_t Row = Sel.Top; Row <= Sel.Bottom; ++Row) {
    const int32_t First = Row == Sel.Top ? Sel.Left : 1;
    const int32_t Last = Row == Sel.Bottom ? Sel.Right : Columns();
    for (int32_t Col = First; Col <= Last; ++Col) {
      const TSioTerminalCharAttrs A = Attributes(Row, Col);
      SetAttributes(Row, Col, On ? A | AttrBit(tcaSelected) : A & ~AttrBit(tcaSelected));
    }
  }
}

void TAdCustomTerminal::RepaintRows(int32_t First, int32_t Last)
{
  QWidget* W = WidgetOrNull();
  if (!W)
    return;
  const int32_t H = GetTotalCharHeight();
  const int32_t Top = std::max(First - FOriginRow, 0) * H;
  const int32_t Bottom = std::min(Last - FOriginRow + 1, FClientRows) * H;
  if (Bottom > Top)
    W->update(QRect(0, Top, ClientWidth(), Bottom - Top));
}

void TAdCustomTerminal::SelectTo(const TPoint& Cell)
{
  const TPoint A = FLButtonAnchor;
  const bool Before = Cell.Y < A.Y || (Cell.Y == A.Y && Cell.X < A.X);
  const TRect New = Before ? TRect{Cell.X, Cell.Y, A.X, A.Y} : TRect{A.X, A.Y, Cell.X, Cell.Y};
  if (FHaveSelection && New == FLButtonRect)
    return;
  const TRect Old = FLButtonRect;
  const bool Had = FHaveSelection;
  if (Had)
    MarkSelection(Old, false);
  MarkSelection(New, true);
  FLButtonRect = New;
  FHaveSelection = true;
  RepaintRows(Had ? std::min(Old.Top, New.Top) : New.Top, Had ? std::max(Old.Bottom, New.Bottom) : New.Bottom);
}

void TAdCustomTerminal::HideSelection()
{
  if (!FHaveSelection)
    return;
  const int32_t Oldest = Rows() - ScrollbackRows() + 1;
  // Rows that scrolled out of the buffer are gone with their marks.
  TRect Sel = FLButtonRect;
  if (Sel.Top < Oldest) {
    Sel.Top = Oldest;
    Sel.Left = 1;
  }
  if (Sel.Top <= Sel.Bottom)
    MarkSelection(Sel, false);
  FHaveSelection = false;
  RepaintRows(Sel.Top, Sel.Bottom);
}

void TAdCustomTerminal::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  TSioBaseWinControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft)
    return;
  if (CanFocus())
    SetFocus();
  FLButtonDown = true;
  if (!FMouseSelect)
    return;
  HideSelection();
  X = std::clamp(X, 0, std::max(0, GetTotalCharWidth() * FClientCols - 1));
  Y = std::clamp(Y, 0, std::max(0, GetTotalCharHeight() * FClientRows - 1));
  FLButtonAnchor = CellAt(X, Y);
  SelectTo(FLButtonAnchor);
}

void TAdCustomTerminal::MouseMove(TShiftState Shift, int32_t X, int32_t Y)
{
  TSioBaseWinControl::MouseMove(Shift, X, Y);
  FLastMouse = TPoint{X, Y};
  if (!FLButtonDown || !FMouseSelect)
    return;
  SelectTo(CellAt(X, Y));
}

void TAdCustomTerminal::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  TSioBaseWinControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !FLButtonDown)
    return;
  if (FMouseSelect && FAutoCopy && FHaveSelection)
    CopyToClipboard();
  FLButtonDown = false;
}

void TAdCustomTerminal::AutoScrollSelection()
{
  const TPoint P = WidgetOrNull() ? ScreenToClient(MouseCursorPos()) : FLastMouse;
  if (P.X < 0 && FUseHScrollBar)
    HScroll(SB_LINELEFT, 0);
  else if (P.X >= ClientWidth() && FUseHScrollBar)
    HScroll(SB_LINERIGHT, 0);
  if (P.Y < 0)
    VScroll(SB_LINEUP, 0);
  else if (P.Y >= ClientHeight())
    VScroll(SB_LINEDOWN, 0);
  MouseMove(ssLeft, P.X, P.Y);
}

void TAdCustomTerminal::CancelMouse()
{
  HideSelection();
  FLButtonDown = false;
  SetMouseCapture(false);
}

void TAdCustomTerminal::SetMouseSelect(bool Value)
{
  if (Value == FMouseSelect)
    return;
  FMouseSelect = Value;
  if (!Value)
    CancelMouse();
}

// ------------------------------------------------------------ copying

AnsiString TAdCustomTerminal::SelectedText() const
{
  AnsiString Text;
  if (!FHaveSelection)
    return Text;
  const TRect& Sel = FLButtonRect;
  for (int32_t Row = Sel.Top; Row <= Sel.Bottom; ++Row) {
    const AnsiString L = Line(Row);
    const int32_t First = Row == Sel.Top ? Sel.Left : 1;
    const int32_t Last = Row == Sel.Bottom ? Sel.Right : Columns();
    if (!L.isEmpty())
      Text += L.mid(First - 1, Last - First + 1);
    Text += "\r\n";
  }
  return Text;
}

void TAdCustomTerminal::CopyToClipboard()
{
  if (FHaveSelection)
    SetClipboardAsText(FromAnsi(SelectedText()));
}

// ------------------------------------------------------------ design time

void TAdCustomTerminal::tmDrawDefaultText()
{
  for (int32_t I = 0; I < ScrollbackRows(); ++I)
    WriteString(AnsiString("\r\n"));
  for (int32_t I = 1; I <= Rows(); ++I)
    WriteString(QStringLiteral("Design mode; line %1%2")
                    .arg(I, 2, 10, QLatin1Char('0'))
                    .arg(I < Rows() ? QStringLiteral("\r\n") : QStringLiteral("\r")));
  Invalidate();
}
