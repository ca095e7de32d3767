// Drawing of a laid-out legend: the box, the title, each item's texts,
// symbol and check box and the dividing lines; the item under the mouse
// and what a press on it does.
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomChart.h"
#include "chart/core/SeriesList.h"
#include "chart/core/ZuzSelected.h"
#include "platform/CanvasMath.h"
#include "platform/Controls.h"

#include <QScopeGuard>

#include <algorithm>

namespace {

class TEntity {
public:
  TEntity(TCanvas3D* C, const String& Name, TZuzTransform* T = nullptr) : FC(C) { FC->BeginEntity(Name, nullptr, T); }
  ~TEntity() { FC->EndEntity(); }
  TEntity(const TEntity&) = delete;
  TEntity& operator=(const TEntity&) = delete;

private:
  TCanvas3D* FC;
};

// Column K of the text style is drawn right-aligned.
bool RightAligned(TLegendStyle Style, TLegendTextStyle Text, int K)
{
  if (Style == lsSeries)
    return false;
  if (K == 0)
    return Text == ltsLeftValue || Text == ltsLeftPercent || Text == ltsXValue || Text == ltsValue ||
           Text == ltsPercent || Text == ltsXAndValue || Text == ltsXAndPercent;
  if (K == 1)
    return Text == ltsRightValue || Text == ltsRightPercent || Text == ltsXAndValue || Text == ltsXAndPercent;
  return false;
}

} // namespace

// ---------------------------------------------------------------------------
// The symbol box

void TLegendSymbol::Draw(TColor Color, const TRect& R)
{
  TCustomZuzPanel* P = ILegend ? ILegend->ParentChart() : nullptr;
  if (!P)
    return;
  TCanvas3D* C = P->InternalCanvas();
  if ((FShadow->ShouldDraw() || FEmboss->ShouldDraw())) {
    const TColor OldColor = C->Brush()->Color();
    const TBrushStyle OldStyle = C->Brush()->Style();
    if (C->SupportsFullRotation())
      FShadow->ZPosition = 0.5;
    if (FShadow->ShouldDraw())
      FShadow->Draw(C, R, 0, 0);
    if (FEmboss->ShouldDraw())
      FEmboss->Draw(C, R, 0, 0);
    C->Brush()->SetColor(OldColor);
    C->Brush()->SetStyle(OldStyle);
  }
  if (!FDefaultPen)
    C->AssignVisiblePen(FPen.get());
  if (C->IsGradientVisible()) {
    FGradient->SetEndColor(Color);
    C->Gradient()->Assign(FGradient.get());
  } else {
    C->Gradient()->SetVisible(false);
    C->Brush()->SetColor(Color);
  }
  if (!C->Pen()->Visible() || C->Pen()->Style() == psClear) {
    if (C->Brush()->Style() != bsClear)
      C->Rectangle(R.Left, R.Top, R.Right + 1, R.Bottom + 1);
    return;
  }
  auto* Chart = dynamic_cast<TCustomChart*>(P);
  if (FDefaultPen && Chart && C->Brush()->Color() == Chart->LegendColor && C->Brush()->Color() == clBlack)
    C->Pen()->SetColor(clWhite);
  const int32_t W = C->Pen()->Width() / 2;
  C->Rectangle(R.Left + W, R.Top + W, R.Right - W, R.Bottom - W);
}

void TCustomChartLegend::PrepareSymbolPen()
{
  if (TCustomChart* C = Chart())
    C->LegendPen = FSymbol->DefaultPen() ? nullptr : FSymbol->Pen();
}

TCursor TCustomChartLegend::CalcCursor() const
{
  if (FSelected && FSelected->Visible())
    return crHandPoint;
  return Cursor();
}

// ---------------------------------------------------------------------------
// Drawing

void TCustomChartLegend::DrawLegend()
{
  TCustomChart* C = Chart();
  if (!C)
    return;
  TCanvas3D* Cv = C->InternalCanvas();
  {
    const TEntity Entity(Cv, QStringLiteral("Legend"), Transform.get());
    if (ITotalItems > 0 && ILastValue >= FFirstValue && NumRows > 0) {
      IInverted = CalcInverted();
      std::unique_ptr<TZuzBlend> Blend;
      if (FGlobalTransp > 0)
        Blend = Cv->BeginBlending(ShapeBounds, FGlobalTransp);
      const auto End = qScopeGuard([&] {
        if (Blend)
          Cv->EndBlending(std::move(Blend));
      });
      Draw(C, ShapeBounds);
      DrawLegendTitle();
      const TEntity Items(Cv, QStringLiteral("Items"));
      DrawItems();
    }
  }
  if (CustomPosition() && FPosUnits == muPercent)
    OffsetParent(-1);
}

void TCustomChartLegend::DrawLegendTitle()
{
  if (!IDrawTitle || !FTitle)
    return;
  TCustomChart* C = Chart();
  int32_t X = ShapeBounds.Left + 2;
  if (FTitle->Alignment() == taCenter)
    X = (ShapeBounds.Left + ShapeBounds.Right - TitleWidth()) / 2;
  else if (FTitle->Alignment() == taRightJustify)
    X = ShapeBounds.Right - FTitle->Width() - 2;
  FTitle->MoveTo(X, ShapeBounds.Top + 2);
  FTitle->Draw(C, FTitle->ShapeBounds);
  C->InternalCanvas()->AssignFont(Font());
}

void TCustomChartLegend::DrawItems()
{
  if (!FItems->Custom())
    FItems->ClearItems();
  ICustomFont = false;
  Chart()->InternalCanvas()->AssignFont(Font());
  int32_t Slot = 0;
  if (IInverted)
    for (int32_t V = ILastValue; V >= FFirstValue; --V)
      DrawLegendItem(V, Slot++);
  else
    for (int32_t V = FFirstValue; V <= ILastValue; ++V)
      DrawLegendItem(V, Slot++);
}

void TCustomChartLegend::DrawLegendItem(int32_t ValueIndex, int32_t Slot)
{
  if (Slot >= ITotalItems || Slot >= static_cast<int32_t>(IItems.size()))
    return;
  TCustomChart* C = Chart();
  TCanvas3D* Cv = C->InternalCanvas();
  const bool Ids = Cv->SupportsID;
  if (Ids)
    Cv->BeginEntity(QString::number(ValueIndex), nullptr, nullptr);
  const auto EndId = qScopeGuard([&] {
    if (Ids)
      Cv->EndEntity();
  });
  Cv->Brush()->SetColor(C->LegendColor);
  Cv->Brush()->SetStyle(bsClear);
  Cv->SetBackMode(cbmTransparent);
  PrepareSymbolPen();
  const int32_t F = FrameWidth();
  const bool Boxes = HasCheckBoxes();
  int32_t X = XLegendText;
  int32_t Y = FirstItemTop() + 1 + ItemsTopMargin;
  int32_t SymbolX = ShapeBounds.Left + F / 2 + 6 + (Boxes ? FTextSymbolGap + 11 : 0);
  int32_t Row = Slot, Col = 0, ColOffset = 0;
  if (!Vertical() && NumCols > 0) {
    Row = Slot / NumCols;
    Col = Slot % NumCols;
    for (int32_t K = 0; K < Col; ++K)
      ColOffset += ColumnWidth(K);
    SymbolX += ColOffset;
    if (IJustify)
      X += ColOffset;
  }
  const std::array<String, 3>& Texts = IItems[static_cast<size_t>(Slot)];
  // Every row of a column puts its symbol after the column's widest texts,
  // so that symbols line up and clear right-aligned texts.
  if (FSymbol->Position() == spRight)
    SymbolX += ColumnTextWidth(Col, 0) + ColumnTextWidth(Col, 1) + ColumnTextWidth(Col, 2) + FTextSymbolGap + 2;
  Y += ItemHeight * Row + FVertSpacing / 2;
  if (C->OnGetLegendPos)
    C->OnGetLegendPos(C, ValueIndex, X, Y, SymbolX);
  TChartSeries* Series = InternalLegendStyle == lsValues ? GetLegendSeries() : ItemSeries(ValueIndex);
  const auto SeriesFontColor = [&] {
    if (!FFontSeriesColor || !Series)
      return;
    if (InternalLegendStyle == lsValues)
      Cv->Font()->SetColor(Series->LegendItemColor(ValueIndex));
    else if (InternalLegendStyle != lsSeriesGroups)
      Cv->Font()->SetColor(Series->SeriesColor());
  };
  SeriesFontColor();
  TLegendItem* Custom = FItems->Custom() ? FItems->ItemIfAny(ValueIndex) : nullptr;
  const bool Hovered =
      C->Hover()->Visible() && FSelected && FSelected->Hover()->Visible() && FSelected->HoverIndex() == ValueIndex;
  int32_t TX = X - 2;
  for (int K = 0; K < 3; ++K) {
    const String& Text = Custom ? (K == 0   ? Custom->Text()
                                   : K == 1 ? Custom->Text2()
                                            : Custom->Text3())
                                : Texts[static_cast<size_t>(K)];
    const bool Right = RightAligned(InternalLegendStyle, FTextStyle, K);
    const int32_t Stored = ColumnTextWidth(Col, K);
    int32_t At = TX;
    if (Right) {
      int32_t Lines = 0;
      At = (Vertical() || IJustify) ? TX + Stored - 4 : TX + C->MultiLineTextWidth(Text, Lines, TextFormat());
    }
    if (!Text.isEmpty()) {
      int32_t Align = Right ? TA_RIGHT : TA_LEFT;
      int32_t DrawX = At, DrawY = Y + (Boxes ? 1 : 0);
      if (K == 0) {
        if (FItems->Custom() && Custom) {
          if (FItems->CustomPosition()) {
            DrawX = Custom->Left();
            DrawY = Custom->Top();
            Align = Custom->Align();
          }
          if (Custom->HasFont()) {
            Cv->AssignFont(Custom->Font());
            ICustomFont = true;
          } else if (ICustomFont) {
            Cv->AssignFont(Font());
            ICustomFont = false;
            SeriesFontColor();
          }
        } else if (!FItems->Custom()) {
          TLegendItem* Item = FItems->GetItem(ValueIndex);
          Item->FLeft = DrawX;
          Item->FTop = DrawY;
          Item->FAlign = Align;
          Item->FText = Texts[0];
          Item->FText2 = Texts[1];
          Item->FText3 = Texts[2];
        }
      }
      if (!FFontSeriesColor && !ICustomFont)
        Cv->AssignFont(Font());
      if (Hovered)
        Cv->Font()->SetColor(FSelected->Hover()->Font()->Color());
      Cv->SetTextAlign(Align);
      Cv->TextOut(DrawX, DrawY, Text, TextFormat() == ttfHtml);
    }
    // A right-aligned column ends where its width does; the next column
    // starts after it either way, or the two would overlap.
    TX += Stored + ISpaceWidth;
  }
  // The symbol and the check box.
  TRect SR{SymbolX, Y, SymbolX + IColorWidths[static_cast<size_t>(Slot)], Y};
  if (FSymbol->HeightUnits() == lcsPixels)
    SR.Bottom = Y + FSymbol->Height();
  else {
    SR.Bottom = Y + ItemHeight + 1;
    const bool First = Slot == 0, Last = Slot == std::min(ITotalItems, ILastValue - FFirstValue + 1) - 1;
    if (!FSymbol->Continuous() || First)
      SR.Top += 2;
    if (!FSymbol->Continuous() || Last)
      SR.Bottom -= FVertSpacing + 3;
    if (FSymbol->Height() <= 100)
      SR.Bottom = SR.Top + PixelRound((SR.Bottom - SR.Top) * FSymbol->Height() / 100.0);
  }
  if (FItems->Custom() && FItems->CustomPosition()) {
    if (TLegendItem* It = FItems->ItemIfAny(ValueIndex))
      SR = It->Symbol;
  } else if (TLegendItem* It = FItems->ItemIfAny(ValueIndex))
    It->Symbol = SR;
  const int32_t BoxX = XLegendBox + (!Vertical() && IJustify ? ColOffset : 0);
  DrawItemSymbol(ValueIndex, Slot, SR, BoxX, Y - FVertSpacing / 2);
  // Dividing lines between items.
  if (FDividingLines->Visible() && Slot > 0) {
    const int32_t Cut = Frame()->Visible() ? (Frame()->Width() + 1) / 2 : 0;
    Cv->AssignVisiblePen(FDividingLines.get());
    if (Vertical()) {
      const int32_t LineY = Y - FVertSpacing / 2;
      Cv->DoHorizLine(ShapeBounds.Left + Cut, ShapeBounds.Right - Cut, LineY);
    } else if (Row == 0)
      Cv->DoVertLine(ShapeBounds.Left + ColOffset + 1, ShapeBounds.Top + Cut, ShapeBounds.Bottom - Cut);
  }
  if (!Vertical() && !IJustify) {
    const int32_t W = ColumnWidth(Col);
    XLegendText += W;
    XLegendColor += W;
    XLegendBox += W;
  }
}

void TCustomChartLegend::DrawBox(bool Checked, int32_t X, int32_t RowY)
{
  TCustomChart* C = Chart();
  const int32_t Y = RowY + (ItemHeight - FVertSpacing - 11) / 2 - 1;
  C->InternalCanvas()->DrawCheckBox(X, Y, Checked, C->LegendColor, FCheckBoxesStyle == cbsCheck);
}

void TCustomChartLegend::DrawSymbol(TChartSeries* S, int32_t ValueIndex, int32_t Slot, const TRect& R)
{
  if (FSymbol->OnDraw) {
    FSymbol->OnDraw(FSymbol.get(), S, ValueIndex, R);
    return;
  }
  if (IColorWidths.empty() || IColorWidths[static_cast<size_t>(Slot)] < 1)
    return;
  if (S)
    S->DrawLegend(ValueIndex, R);
  else
    FSymbol->Draw(clWhite, R);
  if (FSelected && FSelected->Visible() && FSelected->ItemIndex() == (S && ValueIndex >= 0 ? ValueIndex : Slot)) {
    TCanvas3D* Cv = Chart()->InternalCanvas();
    Cv->AssignVisiblePen(FSelected->Pen());
    Cv->Brush()->SetStyle(bsClear);
    Cv->Rectangle(R.Left - 2, R.Top - 2, R.Right + 2, R.Bottom + 2);
  }
}

void TCustomChartLegend::DrawItemSymbol(int32_t ValueIndex, int32_t Slot, const TRect& SymbolRect, int32_t BoxX,
                                        int32_t RowY)
{
  TCustomChart* C = Chart();
  switch (InternalLegendStyle) {
  case lsSeries:
  case lsLastValues: {
    TChartSeries* S = ItemSeries(ValueIndex);
    if (!S)
      return;
    if (HasCheckBoxes())
      DrawBox(S->Active(), BoxX, RowY);
    DrawSymbol(S, InternalLegendStyle == lsSeries ? -1 : S->CountLegendItems() - 1, Slot, SymbolRect);
    break;
  }
  case lsValues: {
    TChartSeries* S = GetLegendSeries();
    DrawSymbol(S, S ? S->CalcLegendIndex(ValueIndex) : ValueIndex, Slot, SymbolRect);
    break;
  }
  case lsSeriesGroups:
    if (HasCheckBoxes() && ValueIndex < C->SeriesGroups().Count())
      DrawBox(C->SeriesGroups().Items(ValueIndex)->Active() != gaNo, BoxX, RowY);
    break;
  case lsAuto:
    break;
  }
}

// ---------------------------------------------------------------------------
// The mouse

int32_t TCustomChartLegend::Clicked(const TPoint& P)
{
  TCustomChart* C = Chart();
  if (!C)
    return -1;
  TRect Area = ShapeBounds;
  if (Vertical() && OnCalcSize) {
    int32_t Size = 0;
    OnCalcSize(this, Size);
    Area.Right -= Size;
  }
  if (P.X < Area.Left || P.X > Area.Right || P.Y < Area.Top || P.Y > Area.Bottom)
    return -1;
  C->InternalCanvas()->AssignFont(Font());
  const int32_t H = CalcItemHeight();
  const bool Reversed = CalcInverted();
  int32_t Row = -1;
  for (int32_t R = 0, Top = FirstItemTop() + 1; R < NumRows; ++R, Top += H)
    if (P.Y >= Top && P.Y <= Top + H) {
      Row = Reversed ? NumRows - 1 - R : R;
      break;
    }
  if (Vertical())
    return Row < 0 ? -1 : FFirstValue + Row;
  if (IJustify) {
    int32_t Hit = -1;
    for (int32_t Col = 0, X0 = ShapeBounds.Left; Col < NumCols; ++Col) {
      const int32_t W = ColumnWidth(Col);
      if (P.X >= X0 && P.X <= X0 + W)
        Hit = Col;
      X0 += W;
    }
    if (Hit < 0 || Row < 0)
      return -1;
    int32_t Item;
    if (!Reversed)
      Item = Hit + Row * NumCols;
    else {
      const int32_t Rest = (ILastValue - FFirstValue + 1) % NumCols;
      Item = (Rest <= 0 ? NumCols + Row * NumCols : Row * NumCols + Rest) - Hit - 1;
    }
    return Item >= ITotalItems || Item < 0 ? -1 : Item + FFirstValue;
  }
  for (int32_t Col = 0, X0 = ShapeBounds.Left + 1; Col < NumCols; ++Col) {
    const int32_t W = ColumnWidth(Col);
    if (P.X >= X0 && P.X <= X0 + W)
      return Reversed ? NumCols + FFirstValue - Col - 1 : FFirstValue + Col;
    X0 += W;
  }
  return -1;
}

bool TCustomChartLegend::DoMouseDown(int32_t, int32_t, int32_t ItemIndex)
{
  Selected()->SetItemIndex(ItemIndex);
  TCustomChart* C = Chart();
  if (ItemIndex == -1 || !HasCheckBoxes() || !C)
    return false;
  if (CalcLegendStyle() == lsSeriesGroups) {
    TSeriesGroups& G = C->SeriesGroups();
    if (ItemIndex >= G.Count())
      return true;
    if (FCheckBoxesStyle == cbsCheck) {
      TSeriesGroup* Group = G.Items(ItemIndex);
      Group->SetActive(Group->Active() == gaNo ? gaYes : gaNo);
    } else
      for (int32_t I = 0; I < G.Count(); ++I)
        G.Items(I)->SetActive(I == ItemIndex ? gaYes : gaNo);
    return true;
  }
  TChartSeries* Clicked = C->SeriesLegend(ItemIndex, false);
  if (FCheckBoxesStyle == cbsCheck) {
    if (Clicked)
      Clicked->SetActive(!Clicked->Active());
  } else
    for (TChartSeries* S : std::vector<TChartSeries*>(C->SeriesList().Items()))
      if (S->ShowInLegend())
        S->SetActive(S == Clicked);
  return true;
}
