// The base grid's cell store, merged cells, geometry and navigation. The
// painting pass lives in BaseGridPaint.cpp.
#include "grid/base/BaseGrid.h"

#include "grid/base/CellProperties.h"
#include "grid/base/RurTypeInfo.h"
#include "grid/base/rurutil.h"
#include "platform/Graphics.h"
#include "platform/Published.h"

#include <QScopeGuard>

#include <algorithm>

namespace {

using B = TBaseGrid;
[[maybe_unused]] const TClassInfo& BaseGridClass =
    PublishClass<B>("TBaseGrid", "TObjStringGrid",
                    {
                        PropBool("ActiveRowShow", &B::ActiveRowShow, &B::SetActiveRowShow, false),
                        PropColor("ActiveRowColor", &B::ActiveRowColor, &B::SetActiveRowColor, clInfoBk),
                        PropBool("DefaultDrawing", &B::DefaultDrawing, &B::SetDefaultDrawing, false),
                        PropInt("GridLineWidth", &B::GridLineWidth, &B::SetGridLineWidth, 1),
                        PropColor("GridLineColor", &B::GridLineColor, &B::SetGridLineColor, clSilver),
                        PropColor("GridFixedLineColor", &B::GridFixedLineColor, &B::SetGridFixedLineColor, clGray),
                        PropBool("HoverRow", &B::HoverRow, &B::SetHoverRow, false),
                        PropColor("HoverRowColor", &B::HoverRowColor, &B::SetHoverRowColor, clInfoBk),
                        PropColor("HoverRowColorTo", &B::HoverRowColorTo, &B::SetHoverRowColorTo, clNone),
                        // Declared with the empty set as default, though a grid starts with
                        // [hcNormal, hcSelected]: a form holding the empty set loads back as
                        // [hcNormal, hcSelected].
                        PropSet("HoverRowCells", &B::HoverRowCells, &B::SetHoverRowCells, HoverRowCellInfo, 0),
                        PropEvent("OnGetDisplText", &B::OnGetDisplText),
                        PropEvent("OnGetDisplWideText", &B::OnGetDisplWideText),
                    });

} // namespace

TBaseGrid::TBaseGrid(TComponent* AOwner)
    : TObjStringGrid(AOwner), FHoverRowCells(SetBit(hcNormal) | SetBit(hcSelected)),
      FDefFont(std::make_unique<TFont>()), FDefBrush(std::make_unique<TBrush>())
{
  TCustomGrid::SetGridLineWidth(0);
  TCustomGrid::SetDefaultDrawing(false);
}

TBaseGrid::~TBaseGrid()
{
  FDefFont.reset();
  FDefBrush.reset();
  ClearProps();
}

String TBaseGrid::ClassName() const { return QStringLiteral("TBaseGrid"); }

// ---------------------------------------------------------------- raw cells

String TBaseGrid::GetGridCell(int32_t ACol, int32_t ARow) const { return Cells(ACol, ARow); }
void TBaseGrid::SetGridCell(int32_t ACol, int32_t ARow, const String& Value) { SetCells(ACol, ARow, Value); }
TObject* TBaseGrid::GetGridObject(int32_t ACol, int32_t ARow) const { return Objects(ACol, ARow); }
void TBaseGrid::SetGridObject(int32_t ACol, int32_t ARow, TObject* Value) { SetObjects(ACol, ARow, Value); }

// ---------------------------------------------------------------- records

TCellProperties* TBaseGrid::Record(int32_t ACol, int32_t ARow) const
{
  if (ACol < 0 || ACol >= TotalColCount() || ARow < 0)
    return nullptr;
  return dynamic_cast<TCellProperties*>(Objects(ACol, ARow));
}

bool TBaseGrid::HasCellProperties(int32_t ACol, int32_t ARow) const { return Record(ACol, ARow) != nullptr; }

TCellProperties* TBaseGrid::GetCellProperties(int32_t ACol, int32_t ARow)
{
  if (TCellProperties* CP = Record(ACol, ARow))
    return CP;
  return CreateCellProperties(ACol, ARow);
}

TCellProperties* TBaseGrid::CreateCellProperties(int32_t ACol, int32_t ARow)
{
  auto* CP = new TCellProperties(this, ACol, ARow);
  CP->SetAlignment(GetDefaultAlignment());
  TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
  TAlignment HAlign = taLeftJustify;
  TVAlignment VAlign = vtaTop;
  bool WordWrap = FWordWrap;
  TCellGradientDirection Direction = GradientVertical;
  GetDefaultProps(ACol, ARow, FDefFont.get(), FDefBrush.get(), ColorTo, MirrorColor, MirrorColorTo, HAlign, VAlign,
                  WordWrap, Direction);
  CP->SetDefaults(HAlign, VAlign, WordWrap, *FDefFont, FDefBrush->Color(), ColorTo, Direction);
  // Stored once it holds the defaults: working them out asks about the
  // cell, which must not answer from a half-made record.
  SetGridObject(ACol, ARow, CP);
  return CP;
}

void TBaseGrid::SetCellProperties(int32_t ACol, int32_t ARow, TCellProperties* Value)
{
  delete Record(ACol, ARow);
  SetGridObject(ACol, ARow, Value);
}

// ---------------------------------------------------------------- merge-aware cells

String TBaseGrid::GetCellEx(int32_t ACol, int32_t ARow)
{
  TPoint Source{ACol, ARow};
  if (HasCellProperties(ACol, ARow))
    Source = BaseCell(ACol, ARow);
  String Value = Cells(Source.X, Source.Y);
  if (Source.Y < FNormalRowCount) {
    GetDisplText(Source.X, Source.Y, Value);
    if (OnGetDisplWideText) {
      String Wide = DecodeWideStr(Value);
      GetDisplWideText(Source.X, Source.Y, Wide);
      Value = EncodeWideStr(Wide);
    }
  }
  return Value;
}

void TBaseGrid::SetCellEx(int32_t ACol, int32_t ARow, const String& Value)
{
  if (HasCellProperties(ACol, ARow)) {
    const TPoint Base = BaseCell(ACol, ARow);
    SetCells(Base.X, Base.Y, Value);
    CellTextChange(Base.X, Base.Y);
    if (Parent())
      RepaintCell(ACol, ARow);
  } else {
    FEditCellSet = true;
    const auto Reset = qScopeGuard([this] { FEditCellSet = false; });
    SetCells(ACol, ARow, Value);
  }
  if (FHideLastRow && ARow == RowCount() - 1)
    FloatFooterUpdate();
}

TObject* TBaseGrid::GetObjectEx(int32_t ACol, int32_t ARow) const
{
  const TCellProperties* CP = Record(ACol, ARow);
  return CP ? reinterpret_cast<TObject*>(CP->Object()) : nullptr;
}

void TBaseGrid::SetObjectEx(int32_t ACol, int32_t ARow, TObject* Value)
{
  // The text goes through a blank so that the cell has storage while its
  // record is made.
  const bool Empty = GetGridCell(ACol, ARow).isEmpty();
  if (Empty)
    SetGridCell(ACol, ARow, QStringLiteral(" "));
  GetCellProperties(ACol, ARow)->SetObject(reinterpret_cast<uintptr_t>(Value));
  if (Empty)
    SetGridCell(ACol, ARow, String());
}

TObject* TBaseGrid::GetGraphicObjectEx(int32_t ACol, int32_t ARow) const
{
  const TCellProperties* CP = Record(ACol, ARow);
  return CP ? CP->GraphicObject() : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int32_t ACol, int32_t ARow, TObject* Value)
{
  if (ComponentState() & csDestroying) {
    if (!Value)
      if (TCellProperties* CP = Record(ACol, ARow))
        CP->SetGraphicObject(nullptr);
    return;
  }
  const bool Empty = GetGridCell(ACol, ARow).isEmpty();
  if (Empty)
    SetCellEx(ACol, ARow, QStringLiteral(" "));
  TCellProperties* CP = Record(ACol, ARow);
  if (!CP) {
    // As a new record, but through the setters, which repaint.
    CP = new TCellProperties(this, ACol, ARow);
    SetGridObject(ACol, ARow, CP);
    TFont Font;
    TBrush Brush;
    TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
    TAlignment HAlign = GetDefaultAlignment();
    TVAlignment VAlign = vtaTop;
    bool WordWrap = FWordWrap;
    TCellGradientDirection Direction = GradientVertical;
    GetDefaultProps(ACol, ARow, &Font, &Brush, ColorTo, MirrorColor, MirrorColorTo, HAlign, VAlign, WordWrap,
                    Direction);
    CP->SetDefaults(HAlign, VAlign, WordWrap, Font, Brush.Color(), ColorTo, Direction);
    CP->SetAlignment(HAlign);
    CP->SetVAlignment(VAlign);
    CP->SetWordWrap(WordWrap);
    CP->SetBrushColor(Brush.Color());
    CP->SetBrushColorTo(ColorTo);
  }
  CP->SetGraphicObject(Value);
  if (Empty)
    SetCellEx(ACol, ARow, String());
}

TObject* TBaseGrid::GetCPGraphicObject(const TCellProperties* CP) { return CP ? CP->GraphicObject() : nullptr; }

void TBaseGrid::NilCol(int32_t ACol)
{
  for (int32_t R = 0; R < RowCount(); ++R) {
    SetGridObject(ACol, R, nullptr);
    SetCellEx(ACol, R, String());
  }
}

void TBaseGrid::NilRow(int32_t ARow)
{
  for (int32_t C = 0; C < ColCount(); ++C) {
    SetGridObject(C, ARow, nullptr);
    SetCellEx(C, ARow, String());
  }
}

void TBaseGrid::NilCell(int32_t ACol, int32_t ARow)
{
  SetCellEx(ACol, ARow, String());
  SetGridObject(ACol, ARow, nullptr);
}

void TBaseGrid::ClearPropRect(int32_t ACol1, int32_t ARow1, int32_t ACol2, int32_t ARow2)
{
  if (!FHasCellProps)
    return;
  for (int32_t C = ACol1; C <= ACol2; ++C)
    for (int32_t R = ARow1; R <= ARow2; ++R) {
      TCellProperties* CP = Record(C, R);
      if (!CP)
        continue;
      // Graphic objects of other classes belong to whoever attached them.
      if (TObject* G = CP->GraphicObject(); G && G->ClassName() == QStringLiteral("TCellGraphic"))
        delete G;
      delete CP;
      SetGridObject(C, R, nullptr);
    }
}

void TBaseGrid::ClearPropCell(int32_t ACol, int32_t ARow)
{
  if (TCellProperties* CP = Record(ACol, ARow)) {
    delete CP;
    SetGridObject(ACol, ARow, nullptr);
  }
}

void TBaseGrid::ClearProps() { ClearPropRect(0, 0, ColCount() - 1, RowCount() - 1); }

// ---------------------------------------------------------------- merged cells

TPoint TBaseGrid::BaseCell(int32_t ACol, int32_t ARow) const
{
  const TCellProperties* CP = Record(ACol, ARow);
  if (!CP || CP->IsBaseCell() || CP->CellSpanX() == -1 || CP->CellSpanY() < 0)
    return TPoint{ACol, ARow};
  return TPoint{ACol - CP->CellSpanX(), ARow - CP->CellSpanY()};
}

bool TBaseGrid::IsBaseCell(int32_t ACol, int32_t ARow) const
{
  const TCellProperties* CP = Record(ACol, ARow);
  return !CP || CP->IsBaseCell();
}

bool TBaseGrid::IsBaseCellEx(int32_t ACol, int32_t ARow, int32_t& BCol, int32_t& BRow) const
{
  BCol = ACol;
  BRow = ARow;
  if (IsBaseCell(ACol, ARow))
    return true;
  const TPoint Base = BaseCell(ACol, ARow);
  BCol = Base.X;
  BRow = Base.Y;
  return false;
}

TPoint TBaseGrid::CellSpan(int32_t ACol, int32_t ARow) const
{
  const TCellProperties* CP = Record(ACol, ARow);
  if (!CP || (CP->CellSpanX() == -1 && CP->CellSpanY() <= 0))
    return TPoint{0, 0};
  const TPoint Base = BaseCell(ACol, ARow);
  const TCellProperties* BCP = Record(Base.X, Base.Y);
  if (!BCP)
    return TPoint{0, 0};
  return TPoint{std::max(0, BCP->CellSpanX()), std::max(0, BCP->CellSpanY())};
}

TPoint TBaseGrid::CellExt(int32_t ACol, int32_t ARow) const
{
  const TCellProperties* CP = Record(ACol, ARow);
  if (!CP || CP->CellSpanX() == -1 || CP->CellSpanY() == -1)
    return TPoint{0, 0};
  const TPoint Base = BaseCell(ACol, ARow);
  const TPoint Span = CellSpan(ACol, ARow);
  return TPoint{Base.X + Span.X - ACol, Base.Y + Span.Y - ARow};
}

TRect TBaseGrid::FullCell(int32_t ACol, int32_t ARow) const
{
  const TPoint Base = BaseCell(ACol, ARow);
  const TPoint Span = CellSpan(ACol, ARow);
  return TRect{Base.X, Base.Y, Base.X + Span.X, Base.Y + Span.Y};
}

bool TBaseGrid::IsMergedCell(int32_t ACol, int32_t ARow) const
{
  const TCellProperties* CP = Record(ACol, ARow);
  return CP && (CP->CellSpanX() > 0 || CP->CellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int32_t ACol, int32_t ARow) const
{
  return IsMergedCell(ACol, ARow) && !Record(ACol, ARow)->IsBaseCell();
}

bool TBaseGrid::IsXMergedCell(int32_t ACol, int32_t ARow) const
{
  return HasCellProperties(ACol, ARow) && CellSpan(ACol, ARow).X > 0;
}

bool TBaseGrid::IsYMergedCell(int32_t ACol, int32_t ARow) const
{
  return HasCellProperties(ACol, ARow) && CellSpan(ACol, ARow).Y > 0;
}

int32_t TBaseGrid::MinRowSpan(int32_t ARow) const
{
  int32_t Min = RowCount();
  if (ARow >= RowCount())
    return Min;
  for (int32_t C = 0; C < TotalColCount(); ++C) {
    const int32_t S = CellSpan(C, ARow).Y;
    if (S > 0 && S < Min)
      Min = S;
  }
  return Min;
}

int32_t TBaseGrid::MaxRowSpan(int32_t ARow) const
{
  int32_t Max = 0;
  for (int32_t C = 0; C < TotalColCount(); ++C)
    Max = std::max(Max, CellSpan(C, ARow).Y);
  return Max;
}

bool TBaseGrid::RowSpanIdentical(int32_t ARow1, int32_t ARow2) const
{
  bool Found = false;
  for (int32_t C = 0; C < TotalColCount(); ++C) {
    if (CellSpan(C, ARow1).Y <= 0 || CellSpan(C, ARow2).Y <= 0)
      continue;
    if (BaseCell(C, ARow1).Y != BaseCell(C, ARow2).Y)
      return false;
    Found = true;
  }
  return Found;
}

bool TBaseGrid::ColSpanIdentical(int32_t ACol1, int32_t ACol2) const
{
  bool Found = false;
  for (int32_t R = 0; R < RowCount(); ++R) {
    if (CellSpan(ACol1, R).X <= 0 || CellSpan(ACol2, R).X <= 0)
      continue;
    if (BaseCell(ACol1, R).X != BaseCell(ACol2, R).X)
      return false;
    Found = true;
  }
  return Found;
}

void TBaseGrid::MergeCells(int32_t ACol, int32_t ARow, int32_t SpanX, int32_t SpanY)
{
  ++FMergeCount;
  for (int32_t I = ACol; I < ACol + SpanX; ++I)
    for (int32_t J = ARow; J < ARow + SpanY; ++J) {
      TCellProperties* CP = GetCellProperties(I, J);
      const bool Base = I == ACol && J == ARow;
      CP->SetIsBaseCell(Base);
      CP->SetCellSpanX(Base ? SpanX - 1 : I - ACol);
      CP->SetCellSpanY(Base ? SpanY - 1 : J - ARow);
    }
  for (int32_t I = ACol; I < ACol + SpanX; ++I)
    for (int32_t J = ARow; J < ARow + SpanY; ++J)
      RepaintCell(DisplColIndex(I), J);
}

void TBaseGrid::SplitCells(int32_t ACol, int32_t ARow)
{
  GetCellProperties(ACol, ARow);
  const TPoint Base = BaseCell(ACol, ARow);
  const TCellProperties* BCP = GetCellProperties(Base.X, Base.Y);
  const int32_t W = BCP->CellSpanX(), H = BCP->CellSpanY();
  for (int32_t I = Base.X; I <= Base.X + W; ++I)
    for (int32_t J = Base.Y; J <= Base.Y + H; ++J) {
      TCellProperties* CP = GetCellProperties(I, J);
      CP->SetIsBaseCell(true);
      CP->SetCellSpanX(-1);
      CP->SetCellSpanY(-1);
    }
  for (int32_t I = Base.X; I <= Base.X + W; ++I)
    for (int32_t J = Base.Y; J <= Base.Y + H; ++J)
      RepaintCell(DisplColIndex(I), J);
  --FMergeCount;
}

// ---------------------------------------------------------------- geometry

TRect TBaseGrid::GetCellRect(int32_t ACol, int32_t ARow) const
{
  // Scrolling cells are measured from the first one in view, which stands
  // right after the fixed ones; only the cells between that one and the
  // cell are summed, so a far row of a long grid costs no more than a near
  // one.
  auto Offset = [](int32_t I, int32_t Fixed, int32_t First, int32_t FixedExtent, auto Size) {
    int32_t P = 0;
    if (I < Fixed) {
      for (int32_t J = 0; J < I; ++J)
        P += Size(J);
      return P;
    }
    P = FixedExtent;
    for (int32_t J = First; J < I; ++J)
      P += Size(J);
    for (int32_t J = I; J < First; ++J)
      P -= Size(J);
    return P;
  };
  const int32_t X = Offset(ACol, FixedCols(), LeftCol(), FixedWidth(), [this](int32_t C) { return ColWidths(C); });
  const int32_t Y = Offset(ARow, FixedRows(), TopRow(), FixedHeight(), [this](int32_t R) { return RowHeights(R); });
  return TRect{X, Y, X + ColWidths(ACol), Y + RowHeights(ARow)};
}

TRect TBaseGrid::CellRect(int32_t ACol, int32_t ARow) const
{
  const int32_t Col = RealColIndex(ACol);
  const TCellProperties* CP = Record(Col, ARow);
  if (CP && (CP->CellSpanX() != -1 || CP->CellSpanY() > 0)) {
    const TPoint Base = BaseCell(Col, ARow);
    const TPoint Span = CellSpan(Col, ARow);
    const int32_t BX = DisplColIndex(Base.X);
    TRect R1 = GetCellRect(BX, Base.Y);
    if (R1.Width() == 0)
      ++R1.Right;
    TRect R2 = GetCellRect(BX + Span.X, Base.Y + Span.Y);
    if (R2.Width() == 0)
      --R2.Left;
    return TRect{std::min(R1.Left, R2.Left), std::min(R1.Top, R2.Top), std::max(R1.Right, R2.Right),
                 std::max(R1.Bottom, R2.Bottom)};
  }
  if (CP && CP->Control())
    return GetCellRect(ACol, ARow);
  TRect R = TCustomGrid::CellRect(ACol, ARow);
  R.Right = R.Left + ColWidths(ACol);
  R.Bottom = R.Top + RowHeights(ARow);
  return R;
}

TPoint TBaseGrid::CellSize(int32_t ACol, int32_t ARow) const
{
  TRect R = GetCellRect(ACol, ARow);
  if (IsMergedCell(ACol, ARow)) {
    const TPoint Base = BaseCell(ACol, ARow);
    const TPoint Span = CellSpan(ACol, ARow);
    const TRect R1 = GetCellRect(Base.X, Base.Y);
    const TRect R2 = GetCellRect(Base.X + Span.X, Base.Y + Span.Y);
    R = TRect{std::min(R1.Left, R2.Left), std::min(R1.Top, R2.Top), std::max(R1.Right, R2.Right),
              std::max(R1.Bottom, R2.Bottom)};
  }
  return TPoint{R.Width(), R.Height()};
}

int32_t TBaseGrid::FixedColsWidth() const
{
  int32_t W = 0;
  for (int32_t C = 0; C < FixedCols(); ++C)
    W += ColWidths(C);
  return W;
}

int32_t TBaseGrid::FixedRowsHeight() const
{
  int32_t H = 0;
  for (int32_t R = 0; R < FixedRows(); ++R)
    H += RowHeights(R);
  return H;
}

void TBaseGrid::RepaintCell(int32_t ACol, int32_t ARow)
{
  if (!HandleAllocated())
    return;
  // A plain cell out of view has nothing to repaint; a merged range may
  // reach into view from a cell that is not.
  if (!IsMergedCell(RealColIndex(ACol), ARow) && TCustomGrid::CellRect(ACol, ARow).IsEmpty())
    return;
  InvalidateRect(CellRect(ACol, ARow));
}

void TBaseGrid::RepaintFixedMergedCols()
{
  if (FixedRows() <= 0)
    return;
  for (int32_t C = LeftCol(); C <= LeftCol() + VisibleColCount(); ++C)
    for (int32_t R = 0; R < FixedRows(); ++R)
      if (IsMergedCell(C, R))
        RepaintCell(C, R);
}

void TBaseGrid::RepaintFixedMergedRows()
{
  if (FixedCols() <= 0)
    return;
  for (int32_t R = TopRow(); R <= TopRow() + VisibleRowCount(); ++R)
    for (int32_t C = 0; C < FixedCols(); ++C)
      if (IsMergedCell(C, R))
        RepaintCell(C, R);
}

// ---------------------------------------------------------------- settings

void TBaseGrid::SetActiveRowShow(bool Value)
{
  if (Value == FActiveRowShow)
    return;
  FActiveRowShow = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowColor(TColor Value)
{
  if (Value == FActiveRowColor)
    return;
  FActiveRowColor = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowColorTo(TColor Value)
{
  if (Value == FActiveRowColorTo)
    return;
  FActiveRowColorTo = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColor(TColor Value)
{
  if (Value == FActiveRowMirrorColor)
    return;
  FActiveRowMirrorColor = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColorTo(TColor Value)
{
  if (Value == FActiveRowMirrorColorTo)
    return;
  FActiveRowMirrorColorTo = Value;
  Invalidate();
}

void TBaseGrid::SetDefaultDrawing(bool Value)
{
  TCustomGrid::SetDefaultDrawing(false);
  FDefaultDrawing = Value;
}

void TBaseGrid::SetGridLineWidth(int32_t Value)
{
  FGridLineWidth = Value;
  TCustomGrid::SetGridLineWidth(0);
  Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value)
{
  FGridLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value)
{
  FGridFixedLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value)
{
  if (Value == FSelectionStyle)
    return;
  FSelectionStyle = Value;
  Invalidate();
}

// ---------------------------------------------------------------- virtual operations

bool TBaseGrid::IsFixed(int32_t, int32_t) { return false; }
int32_t TBaseGrid::NodeIndent(int32_t) { return 0; }
bool TBaseGrid::HasNodes() { return false; }
void TBaseGrid::FloatFooterUpdate() {}

void TBaseGrid::GetDisplText(int32_t ACol, int32_t ARow, String& Value)
{
  if (OnGetDisplText)
    OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDisplWideText(int32_t ACol, int32_t ARow, String& Value)
{
  if (OnGetDisplWideText)
    OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDefaultProps(int32_t, int32_t, TFont* AFont, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                                TColor& MirrorColorTo, TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap,
                                TCellGradientDirection& GradientDirection)
{
  AFont->Assign(Font());
  ABrush->SetColor(Color());
  ColorTo = MirrorColor = MirrorColorTo = clNone;
  HAlign = GetDefaultAlignment();
  VAlign = vtaTop;
  WordWrap = FWordWrap;
  GradientDirection = GradientVertical;
}

TAlignment TBaseGrid::GetDefaultAlignment() { return taLeftJustify; }
void TBaseGrid::CellTextChange(int32_t, int32_t) {}
bool TBaseGrid::HasCustomCellBorder() { return false; }
bool TBaseGrid::UseVCLStyles() { return false; }

void TBaseGrid::GetVisualProperties(int32_t, int32_t, TGridDrawState&, bool, bool, bool, TBrush*, TColor&, TColor&,
                                    TColor&, TFont*, TAlignment&, TVAlignment&, bool&, TCellGradientDirection&)
{
}

void TBaseGrid::GetEditorLook(int32_t ACol, int32_t ARow, TBrush& ABrush, TFont& AFont, TAlignment& HAlign)
{
  ABrush.SetColor(Color());
  AFont.Assign(Font());
  TGridDrawState State = 0;
  TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
  HAlign = taLeftJustify;
  TVAlignment VAlign = vtaTop;
  bool Wrap = false;
  TCellGradientDirection Direction = GradientVertical;
  GetVisualProperties(ACol, ARow, State, false, false, true, &ABrush, ColorTo, Mirror, MirrorTo, &AFont, HAlign, VAlign,
                      Wrap, Direction);
}

int32_t TBaseGrid::RealColIndex(int32_t ACol) const { return ACol; }
int32_t TBaseGrid::DisplColIndex(int32_t ACol) const { return ACol; }
int32_t TBaseGrid::TotalColCount() const { return ColCount(); }

// ---------------------------------------------------------------- navigation

bool TBaseGrid::SelectCell(int32_t ACol, int32_t ARow)
{
  RepaintCell(Col(), Row());
  const bool Result = TObjStringGrid::SelectCell(ACol, ARow);
  RepaintCell(ACol, ARow);
  return Result;
}

void TBaseGrid::SelectBaseCell()
{
  // Merges are kept by real column; the current cell is a display one.
  const int32_t RCol = RealColIndex(Col());
  if (!HasCellProperties(RCol, Row()))
    return;
  const TPoint Base = BaseCell(RCol, Row());
  SetCol(DisplColIndex(Base.X));
  SetRow(Base.Y);
}

void TBaseGrid::KeyDown(uint16_t& Key, TShiftState Shift)
{
  // The range's first and last display columns (merges are kept by real
  // column; hidden columns before the range shift the display ones).
  const int32_t RCol = RealColIndex(Col());
  int32_t First = Col(), Last = Col();
  TPoint Base{RCol, Row()};
  TPoint Span{0, 0};
  const bool InRecord = HasCellProperties(RCol, Row());
  if (InRecord) {
    Base = BaseCell(RCol, Row());
    Span = CellSpan(RCol, Row());
    First = DisplColIndex(Base.X);
    Last = DisplColIndex(Base.X + Span.X);
  }
  switch (Key) {
  case VK_NEXT:
    if (VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1 && FHideLastRow && RowCount() > 1)
      SetRow(RowCount() - 2);
    break;
  case VK_RIGHT:
    if (InRecord && Col() <= Last && Col() < ColCount() - 1 && First < ColCount() - 1 && Last < ColCount())
      SetCol(Last);
    break;
  // Leaving a range to the left, up or down: stand on its first column (top
  // row, bottom row), so that the framework's one step lands on the cell
  // next to the range, as Right does.
  case VK_LEFT:
    if (InRecord && First < Col() && First > FixedCols())
      SetCol(First);
    break;
  case VK_UP:
    if (InRecord && Base.Y < Row() && Base.Y > FixedRows())
      SetRow(Base.Y);
    break;
  case VK_DOWN:
    if (InRecord && Row() < Base.Y + Span.Y && Base.Y + Span.Y < RowCount() - 1)
      SetRow(Base.Y + Span.Y);
    break;
  default:
    break;
  }
  TObjStringGrid::KeyDown(Key, Shift);
  SelectBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos)
{
  const bool Result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
  if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && FHideLastRow)
    SetTopRow(TopRow() + 1);
  SelectBaseCell();
  return Result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos)
{
  const bool Result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
  SelectBaseCell();
  return Result;
}

void TBaseGrid::TopLeftChanged()
{
  TObjStringGrid::TopLeftChanged();
  // Merged fixed cells straddle the scroll boundary and must be redrawn
  // whole.
  RepaintFixedMergedRows();
  RepaintFixedMergedCols();
}
