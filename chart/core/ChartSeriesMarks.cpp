// A series' marks: what each point's mark says, which points get one,
// where it goes and how marks keep clear of each other.
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzSelected.h"
#include "rtl/Numbers.h"

#include <QScopeGuard>

#include <algorithm>

TSeriesMarks* TChartSeries::Marks()
{
  if (!FMarks) {
    FMarks = std::make_unique<TSeriesMarks>(this);
    FMarks->DefaultVisible = false;
    FMarks->SetParent(FParent);
  }
  return FMarks.get();
}

void TChartSeries::SetMarks(TSeriesMarks* Value)
{
  if (Value)
    Marks()->Assign(Value);
}

bool TChartSeries::HasMarks() const { return FMarks && FMarks->Visible(); }

String TChartSeries::GetMarkLabel(int32_t ValueIndex) { return XLabel(ValueIndex); }

String TChartSeries::MarkPercent(int32_t ValueIndex, bool AddTotal)
{
  const double Total = MandatoryValueList->TotalABS();
  const double P = Total == 0 ? 100.0 : std::abs(GetMarkValue(ValueIndex)) * 100.0 / Total;
  const String Text = FormatFloat(PercentFormat(), P);
  if (!AddTotal)
    return Text;
  const bool Multi = FMarks && FMarks->MultiLine();
  return Format(Multi ? ZuzMsg_DefaultPercentOf2 : ZuzMsg_DefaultPercentOf, {Text, FormatFloat(ValueFormat(), Total)});
}

String TChartSeries::GetMarkTextStyle(bool MultiLine, int32_t ValueIndex, TSeriesMarksStyle Style)
{
  const String S = MultiLine ? String(ZuzTextLineBreak) : QStringLiteral(" ");
  const auto Value = [&] { return FormatFloat(ValueFormat(), GetMarkValue(ValueIndex)); };
  const auto Label = [&] { return GetMarkLabel(ValueIndex); };
  const auto LabelOrValue = [&] {
    const String L = Label();
    return L.isEmpty() ? Value() : L;
  };
  const auto XText = [&] {
    const double X = NotMandatoryValueList->GetValue(ValueIndex);
    return GetHorizAxis() ? GetHorizAxis()->LabelValue(X) : FormatFloat(ValueFormat(), X);
  };
  switch (Style) {
  case smsValue:
    return Value();
  case smsPercent:
    return MarkPercent(ValueIndex, false);
  case smsLabel:
    return Label();
  case smsLabelPercent:
    return LabelOrValue() + S + MarkPercent(ValueIndex, false);
  case smsLabelValue: {
    const String L = Label();
    return L.isEmpty() ? Value() : L + S + Value();
  }
  case smsLegend: {
    String T = FParent ? FParent->FormattedValueLegend(this, ValueIndex) : String();
    if (!MultiLine)
      T.replace(ZuzLegendColumnSeparator, QLatin1Char(' '));
    return T;
  }
  case smsPercentTotal:
    return MarkPercent(ValueIndex, true);
  case smsLabelPercentTotal:
    return LabelOrValue() + S + MarkPercent(ValueIndex, true);
  case smsXValue:
    return XText();
  case smsXY:
    return XText() + S + Value();
  case smsSeriesTitle:
    return !Title().isEmpty() ? Title() : Name();
  case smsPointIndex:
    return QString::number(ValueIndex);
  case smsPercentRelative: {
    if (ValueIndex == 0)
      return FormatFloat(PercentFormat(), 100);
    const double First = GetMarkValue(0);
    return FormatFloat(PercentFormat(), First == 0 ? 0 : GetMarkValue(ValueIndex) * 100.0 / First);
  }
  case smsLabelPercentValue:
    return LabelOrValue() + S + MarkPercent(ValueIndex, false) + S + Value();
  case smsLabelOrValue:
    return LabelOrValue();
  }
  return Value();
}

String TChartSeries::GetMarkText(int32_t ValueIndex)
{
  TSeriesMarks* M = Marks();
  String Text;
  if (ValueIndex < M->ItemCount() && M->MarkItem(ValueIndex) != M &&
      static_cast<TMarksItem*>(M->MarkItem(ValueIndex))->ICustomText) {
    Text = M->MarkItem(ValueIndex)->Text();
    if (Text.endsWith(QStringLiteral("\r\n")))
      Text.chop(2);
  } else
    Text = GetMarkTextStyle(M->MultiLine(), ValueIndex, M->Style());
  if (OnGetMarkText)
    OnGetMarkText(this, ValueIndex, Text);
  return Text;
}

bool TChartSeries::CanDrawMark(int32_t ValueIndex)
{
  if (IsNull(ValueIndex))
    return false;
  if (FMarks && FMarks->SoftClip())
    return IsPointInChartRect(ValueIndex);
  return true;
}

int32_t TChartSeries::MaxMarkWidth()
{
  if (!FMarks)
    return 0;
  int32_t W = 0;
  for (int32_t I = 0; I < Count(); ++I)
    if (FMarks->MarkItem(I)->Visible())
      W = std::max(W, FMarks->TextWidth(I));
  return W;
}

void TChartSeries::CalculateMarkPosition(TCustomTextShape* Shape, const String& Text, TSeriesMarkPosition& Position,
                                         int32_t X, int32_t Y)
{
  Shape->SetText(Text);
  Shape->CalcBounds(FParent);
  int32_t W = Shape->Width();
  const int32_t H = Shape->Height();
  Position.Height = H;
  if (TSeriesMarksSymbol* S = FMarks->SymbolIfAny(); S && S->ShouldDraw()) {
    W += H - 4;
    const int32_t P = S->Pen()->Visible() ? S->Pen()->Width() : 0;
    if (P >= 2) {
      W += P;
      Position.Height = P + H;
    }
    S->ShapeBounds = TRect{0, 0, H, H};
  }
  Position.Width = W;
  FMarks->Positions().MoveTo(Position, X, Y);
}

void TChartSeries::MarkOverlap(int32_t, const TRect& R1, const TRect& R2, TPoint& Offset)
{
  if (YMandatory)
    Offset = TPoint{0, R1.Top < R2.Top ? R2.Top - R1.Bottom : R2.Bottom - R1.Top};
  else
    Offset = TPoint{R1.Left < R2.Left ? R2.Left - R1.Right : R2.Right - R1.Left, 0};
}

void TChartSeries::DrawMark(int32_t ValueIndex, const String& Text, TSeriesMarkPosition& Position)
{
  TSeriesMarks* M = Marks();
  if (!M->AutoPosition() || M->AntiOverlap(FFirstVisibleIndex, ValueIndex, Position))
    M->InternalDraw(ValueIndex, GetValueColor(ValueIndex), Text, Position);
}

void TChartSeries::DrawMarks()
{
  TSeriesMarks* M = Marks();
  TCanvas3D* C = FParent->InternalCanvas();
  TSeriesMarkPosition Position;
  std::unique_ptr<TZuzBlend> Blend;
  if (M->UseSeriesTransparency() && Transparency() > 0)
    Blend = C->BeginBlending(C->Bounds(), Transparency());
  const auto End = qScopeGuard([&] {
    if (Blend)
      C->EndBlending(std::move(Blend));
  });
  if (FFirstVisibleIndex < 0)
    return;
  const int32_t Every = std::max(M->CalcEvery(), 1);
  M->ZPosition = MiddleZ;
  for (int32_t I = FFirstVisibleIndex; I <= FLastVisibleIndex; ++I) {
    if (I % Every != 0 || !CanDrawMark(I))
      continue;
    const String Text = GetMarkText(I);
    if (Text.isEmpty())
      continue;
    TCustomTextShape* Shape = M->MarkItem(I);
    if (!Shape->Visible())
      continue;
    for (int32_t K = 0; K < M->Children()->Count(); ++K)
      if (auto* Child = dynamic_cast<TSeriesMarkShape*>(M->Children()->Get(K)->Shape()))
        Child->SetText(GetMarkTextStyle(M->MultiLine(), I, Child->Style()));
    std::unique_ptr<TZuzFont> Saved;
    if (ShouldHoverMark(I)) {
      Saved = std::make_unique<TZuzFont>();
      Saved->Assign(Shape->Font());
      if (FSelected)
        Shape->Font()->SetStyle(FSelected->Hover()->Font()->Style());
    }
    Position = TSeriesMarkPosition{};
    CalculateMarkPosition(Shape, Text, Position, CalcXPos(I), CalcYPos(I));
    if (Saved)
      Shape->Font()->Assign(Saved.get());
    const bool Ids = C->SupportsID;
    if (Ids)
      C->BeginEntity(QString::number(I), nullptr, nullptr);
    DrawMark(I, Text, Position);
    if (Ids)
      C->EndEntity();
  }
}

int32_t TChartSeries::MarksClicked(int32_t X, int32_t Y) { return HasMarks() ? FMarks->Clicked(X, Y) : -1; }
