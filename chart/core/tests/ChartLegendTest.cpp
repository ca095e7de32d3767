// The legend's layout and its answers to the mouse: the effective style,
// rows and columns for each alignment, the room it takes from the chart,
// its item texts, symbol sizes, the hit test and the check boxes.
#include "CoreTestSupport.h"

#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartPage.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesList.h"
#include "chart/core/ZuzSelected.h"
#include "chart/core/ZuzStrings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// A series that draws nothing: the legend is what is looked at.
class TQuietSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
};

// A chart without axes, so that the chart rectangle left after the legend
// is the legend's doing alone.
class TLegendChart : public TImageTChart {
public:
  TLegendChart(int32_t W = 400, int32_t H = 250) : TImageTChart(W, H)
  {
    SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
    SetView3D(false);
    SetAxisVisible(false);
  }
  TChartSeries* Add(const QString& Title, int32_t Points = 3)
  {
    auto* S = new TQuietSeries(this);
    AddSeries(S);
    S->SetTitle(Title);
    for (int32_t I = 0; I < Points; ++I)
      S->AddXY(I, I + 1, QStringLiteral("V%1").arg(I));
    return S;
  }
  std::vector<TChartSeries*> AddMany(int32_t N)
  {
    std::vector<TChartSeries*> R;
    for (int32_t I = 0; I < N; ++I)
      R.push_back(Add(QStringLiteral("S%1").arg(I)));
    return R;
  }
  TChartLegend* L() { return Legend(); }
};

// The point at the vertical middle of a laid-out row of a vertical legend.
TPoint RowPoint(TChartLegend* L, int32_t Row)
{
  const TRect B = L->GetRectLegend();
  return TPoint{(B.Left + B.Right) / 2, L->FirstItemTop() + 1 + Row * L->ItemHeight + L->ItemHeight / 2};
}

// The items met left to right across the legend box at height Y.
std::vector<int32_t> ItemsAcross(TChartLegend* L, int32_t Y)
{
  std::vector<int32_t> Seen;
  const TRect B = L->GetRectLegend();
  for (int32_t X = B.Left; X <= B.Right; ++X)
    if (const int32_t I = L->Clicked(X, Y); I != -1 && (Seen.empty() || Seen.back() != I))
      Seen.push_back(I);
  return Seen;
}

} // namespace

TEST(ChartLegend, TheEffectiveStyle)
{
  struct Case {
    const char* Name;
    int Series, Inactive;
    bool CheckBoxes;
    TLegendStyle Style, Expected;
  };
  const Case Cases[] = {
      {"one active series lists its values", 1, 0, false, lsAuto, lsValues},
      {"two active series list the series", 2, 0, false, lsAuto, lsSeries},
      {"one of two inactive lists the values", 2, 1, false, lsAuto, lsValues},
      {"check boxes list the series", 1, 0, true, lsAuto, lsSeries},
      {"a style set stays", 2, 0, false, lsLastValues, lsLastValues},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TLegendChart C;
    const auto S = C.AddMany(K.Series);
    for (int I = 0; I < K.Inactive; ++I)
      S[static_cast<size_t>(I)]->SetActive(false);
    C.L()->SetCheckBoxes(K.CheckBoxes);
    C.L()->SetLegendStyle(K.Style);
    EXPECT_EQ(C.L()->CalcLegendStyle(), K.Expected);
  }
  // A values legend has no check boxes even when they are switched on.
  TLegendChart C;
  C.Add(QStringLiteral("Depth"));
  C.L()->SetLegendStyle(lsValues);
  C.L()->SetCheckBoxes(true);
  EXPECT_FALSE(C.L()->HasCheckBoxes());
}

TEST(ChartLegend, AVerticalLegendShowsTheRowsThatFit)
{
  TLegendChart C(400, 250);
  C.Add(QStringLiteral("Depth"), 50);
  C.Draw();
  TChartLegend* L = C.L();
  ASSERT_EQ(L->CalcLegendStyle(), lsValues);
  EXPECT_EQ(L->ITotalItems, 50);
  EXPECT_EQ(L->NumCols, 1);
  ASSERT_GT(L->NumRows, 3);
  ASSERT_LT(L->NumRows, 50);
  EXPECT_EQ(L->ILastValue, L->NumRows - 1);
  // The rows start TopPos percent down the chart rectangle's height and
  // stop before its bottom: one more row would not fit.
  const int32_t Room = C.ChartRect.Bottom - 1 - L->FirstItemTop();
  EXPECT_LE(L->NumRows * L->ItemHeight, Room);
  EXPECT_GT((L->NumRows + 1) * L->ItemHeight, Room);
  // 10 percent of the height, rounded half to even.
  EXPECT_EQ(L->GetRectLegend().Top,
            C.ChartRect.Top + static_cast<int32_t>(std::nearbyint((C.ChartRect.Bottom - C.ChartRect.Top) / 10.0)));
  EXPECT_EQ(L->IItems[0][1], QStringLiteral("V0"));

  // From the eleventh value on.
  L->SetFirstValue(10);
  C.Draw();
  EXPECT_EQ(L->ITotalItems, 40);
  EXPECT_EQ(L->IItems[0][1], QStringLiteral("V10"));
  EXPECT_EQ(L->ILastValue, 10 + L->NumRows - 1);
  EXPECT_EQ(L->Clicked(RowPoint(L, 0)), 10);

  // A negative first value is refused and the old one kept.
  EXPECT_THROW(L->SetFirstValue(-1), LegendException);
  EXPECT_EQ(L->FirstValue(), 10);
}

TEST(ChartLegend, AStripOfManySeriesIsJustifiedAndLimitedInRows)
{
  TLegendChart C(200, 400);
  for (int I = 0; I < 25; ++I)
    C.Add(QStringLiteral("Sensor %1").arg(I));
  C.L()->SetAlignment(laTop);
  C.Draw();
  TChartLegend* L = C.L();
  EXPECT_TRUE(L->IJustify);
  EXPECT_EQ(L->NumRows, 10);
  ASSERT_GE(L->NumCols, 1);
  ASSERT_LT(L->NumCols * 10, 25);
  EXPECT_EQ(L->ILastValue, L->NumCols * 10 - 1);
  // Centred on the chart and no wider than it.
  const TRect B = L->GetRectLegend();
  EXPECT_GE(B.Left, 0);
  EXPECT_LE(B.Right, C.Width());
  EXPECT_LE(std::abs((B.Left + B.Right) - C.Width()), 2);
  // Items run along the rows: the second row starts after the first.
  std::vector<int32_t> Second;
  for (int32_t Col = 0; Col < L->NumCols; ++Col)
    Second.push_back(L->NumCols + Col);
  EXPECT_EQ(ItemsAcross(L, RowPoint(L, 1).Y), Second);

  // A higher row limit shows them all.
  L->SetMaxNumRows(30);
  C.Draw();
  EXPECT_GE(L->NumCols * L->NumRows, 25);
  EXPECT_EQ(L->ILastValue, 24);
}

TEST(ChartLegend, AShortStripKeepsOneRowOfItemsWideAsTheirTexts)
{
  TLegendChart C(600, 250);
  C.AddMany(3);
  C.L()->SetAlignment(laBottom);
  C.Draw();
  TChartLegend* L = C.L();
  EXPECT_FALSE(L->IJustify);
  EXPECT_EQ(L->NumRows, 1);
  EXPECT_EQ(L->NumCols, 3);
  // Left to right, the items in order; inverted, from the last.
  const TRect B = L->GetRectLegend();
  const int32_t Y = (B.Top + B.Bottom) / 2;
  EXPECT_EQ(ItemsAcross(L, Y), (std::vector<int32_t>{0, 1, 2}));
  L->SetInverted(true);
  C.Draw();
  EXPECT_EQ(ItemsAcross(L, Y), (std::vector<int32_t>{2, 1, 0}));
}

TEST(ChartLegend, TheLegendTakesItsRoomAndAMargin)
{
  struct Case {
    const char* Name;
    TLegendAlignment Align;
    int32_t Margin;
  };
  const Case Cases[] = {
      {"left, 3 percent of the width", laLeft, 0},
      {"right, 3 percent of the width", laRight, 0},
      {"right, 5 pixels", laRight, 5},
      {"top, 4 percent of the height", laTop, 0},
      {"bottom, 4 percent of the height", laBottom, 0},
      {"top, 7 pixels", laTop, 7},
  };
  // The plot without a legend.
  TLegendChart Plain(500, 300);
  Plain.AddMany(2);
  Plain.L()->SetVisible(false);
  Plain.Draw();
  const TRect Full = Plain.ChartRect;
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TLegendChart C(500, 300);
    C.AddMany(2);
    TChartLegend* L = C.L();
    L->SetAlignment(K.Align);
    const bool Vertical = K.Align == laLeft || K.Align == laRight;
    if (Vertical)
      L->SetHorizMargin(K.Margin);
    else
      L->SetVertMargin(K.Margin);
    C.Draw();
    const TRect B = L->GetRectLegend();
    const TRect& R = C.ChartRect;
    // 3 or 4 percent of the chart rectangle's width or height before the
    // legend took its room.
    const int32_t M = K.Margin != 0 ? K.Margin : Vertical ? Full.Width() * 3 / 100 : Full.Height() * 4 / 100;
    TRect Expected = Full;
    switch (K.Align) {
    case laLeft:
      Expected.Left = B.Right + M;
      break;
    case laRight:
      Expected.Right = B.Left - M;
      break;
    case laTop:
      Expected.Top = B.Bottom + M;
      break;
    case laBottom:
      Expected.Bottom = B.Top - M;
      break;
    }
    EXPECT_EQ(R, Expected);
  }
  // Without ResizeChart, or with nothing to list, the plot keeps its room.
  TLegendChart C(500, 300);
  C.AddMany(2);
  C.L()->SetResizeChart(false);
  C.Draw();
  EXPECT_EQ(C.ChartRect, Full);
  TLegendChart Empty(500, 300);
  Empty.Add(QStringLiteral("Empty"), 0);
  Empty.Draw();
  EXPECT_EQ(Empty.L()->ITotalItems, 0);
  EXPECT_EQ(Empty.ChartRect, Full);
}

TEST(ChartLegend, ItemTextsSplitIntoColumns)
{
  struct Case {
    TLegendTextStyle Style;
    std::array<QString, 3> Columns;
  };
  const Case Cases[] = {
      {ltsPlain, {QStringLiteral("Cars"), QString(), QString()}},
      {ltsLeftValue, {QStringLiteral("12.5"), QStringLiteral("Cars"), QString()}},
      {ltsRightValue, {QStringLiteral("Cars"), QStringLiteral("12.5"), QString()}},
      {ltsValue, {QStringLiteral("12.5"), QString(), QString()}},
      {ltsXAndValueAndText, {QStringLiteral("4"), QStringLiteral("12.5"), QStringLiteral("Cars")}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(int(K.Style));
    TLegendChart C;
    auto* S = new TQuietSeries(&C);
    C.AddSeries(S);
    S->AddXY(4, 12.5, QStringLiteral("Cars"));
    S->AddXY(5, 10, QStringLiteral("Vans"));
    C.L()->SetTextStyle(K.Style);
    C.Draw();
    ASSERT_EQ(C.L()->IItems.size(), 2u);
    EXPECT_EQ(C.L()->IItems[0][0], K.Columns[0]);
    EXPECT_EQ(C.L()->IItems[0][1], K.Columns[1]);
    EXPECT_EQ(C.L()->IItems[0][2], K.Columns[2]);
    // An empty column takes no width.
    for (int Col = 0; Col < 3; ++Col)
      EXPECT_EQ(C.L()->IItemsWidth[0][static_cast<size_t>(Col)] == 0, K.Columns[static_cast<size_t>(Col)].isEmpty());
  }
}

TEST(ChartLegend, TheHitTestOfAVerticalLegend)
{
  TLegendChart C;
  C.AddMany(3);
  C.Draw();
  TChartLegend* L = C.L();
  ASSERT_EQ(L->NumRows, 3);
  const TRect B = L->GetRectLegend();
  const int32_t X = (B.Left + B.Right) / 2, H = L->ItemHeight, Top = L->FirstItemTop() + 1;
  struct Case {
    const char* Name;
    TPoint P;
    int32_t Item, InvertedItem;
  };
  const Case Cases[] = {
      {"first row", {X, Top + 2}, 0, 2},
      {"the border of two rows is the upper row's", {X, Top + H}, 0, 2},
      {"just below it", {X, Top + H + 1}, 1, 1},
      {"last row", {X, Top + 2 * H + 2}, 2, 0},
      {"inside the box below the last row", {X, B.Bottom - 1}, -1, -1},
      {"left of the box", {B.Left - 1, Top + 2}, -1, -1},
  };
  ASSERT_GT(B.Bottom - 1, Top + 3 * H);
  for (bool Inverted : {false, true}) {
    L->SetInverted(Inverted);
    C.Draw();
    for (const Case& K : Cases) {
      SCOPED_TRACE(testing::Message() << K.Name << (Inverted ? ", inverted" : ""));
      EXPECT_EQ(L->Clicked(K.P), Inverted ? K.InvertedItem : K.Item);
    }
  }
}

TEST(ChartLegend, CheckBoxesSwitchTheirSeries)
{
  TLegendChart C;
  const auto S = C.AddMany(5);
  S[1]->SetActive(false);
  TChartLegend* L = C.L();
  L->SetCheckBoxes(true);
  C.Draw();
  // The inactive series keeps its row.
  EXPECT_EQ(L->ITotalItems, 5);
  EXPECT_GE(L->ItemHeight, 17);
  EXPECT_TRUE(L->DoMouseDown(0, 0, 1));
  EXPECT_TRUE(S[1]->Active());
  EXPECT_TRUE(L->DoMouseDown(0, 0, 1));
  EXPECT_FALSE(S[1]->Active());
  EXPECT_EQ(L->Selected()->ItemIndex(), 1);

  // Switching to radio style leaves the first active series only.
  L->SetCheckBoxesStyle(cbsRadio);
  const std::vector<bool> FirstOnly{true, false, false, false, false};
  for (size_t I = 0; I < S.size(); ++I)
    EXPECT_EQ(S[I]->Active(), FirstOnly[I]) << I;
  // A click on the third leaves the third only.
  EXPECT_TRUE(L->DoMouseDown(0, 0, 2));
  for (size_t I = 0; I < S.size(); ++I)
    EXPECT_EQ(S[I]->Active(), I == 2) << I;

  // A values legend neither shows nor switches boxes.
  TLegendChart V;
  TChartSeries* One = V.Add(QStringLiteral("Depth"));
  V.L()->SetLegendStyle(lsValues);
  V.L()->SetCheckBoxes(true);
  V.Draw();
  EXPECT_FALSE(V.L()->DoMouseDown(0, 0, 0));
  EXPECT_TRUE(One->Active());
  EXPECT_LT(V.L()->ItemHeight, 17);
}

TEST(ChartLegend, SymbolSizes)
{
  TLegendChart C;
  C.AddMany(3);
  TChartLegend* L = C.L();
  C.Draw();
  // Squared, 100 percent high, no extra spacing: 4 pixels less than a row.
  EXPECT_EQ(L->IColorWidth, L->ItemHeight - 4);
  L->Symbol()->SetSquared(false);
  L->Symbol()->SetWidthUnits(lcsPixels);
  L->Symbol()->SetWidth(30);
  C.Draw();
  EXPECT_EQ(L->IColorWidth, 30);
  EXPECT_EQ(L->Items().GetItem(0)->Symbol.Width(), 30);
  L->Symbol()->SetWidthUnits(lcsPercent);
  L->Symbol()->SetWidth(50);
  EXPECT_EQ(L->Symbol()->CalcWidth(41), 20); // round(20.5), half to even
}

TEST(ChartLegend, ContinuousSymbolsJoinIntoOneBar)
{
  TLegendChart C;
  C.AddMany(3);
  TChartLegend* L = C.L();
  L->SetVertSpacing(4);
  for (bool Continuous : {false, true}) {
    SCOPED_TRACE(Continuous ? "continuous" : "apart");
    L->Symbol()->SetContinuous(Continuous);
    C.Draw();
    TRect R[3];
    for (int I = 0; I < 3; ++I)
      R[I] = L->Items().GetItem(I)->Symbol;
    const int32_t RowY = L->FirstItemTop() + 1 + L->ItemsTopMargin + 4 / 2;
    // The first starts 2 pixels into its row, the last ends spacing + 3 short.
    EXPECT_EQ(R[0].Top, RowY + 2);
    EXPECT_EQ(R[2].Bottom, RowY + 2 * L->ItemHeight + L->ItemHeight + 1 - 4 - 3);
    for (int I = 0; I < 2; ++I)
      EXPECT_EQ(R[I].Bottom >= R[I + 1].Top, Continuous) << I;
  }
}

TEST(ChartLegend, SymbolsOnTheRightLineUpAfterTheWidestTexts)
{
  TLegendChart C;
  auto* S = new TQuietSeries(&C);
  C.AddSeries(S);
  S->AddXY(0, 8.5, QStringLiteral("A"));
  S->AddXY(1, 123456.5, QStringLiteral("Longer label"));
  S->AddXY(2, 7, QStringLiteral("B"));
  TChartLegend* L = C.L();
  L->SetTextStyle(ltsRightValue);
  L->Symbol()->SetPosition(spRight);
  C.Draw();
  ASSERT_EQ(L->NumRows, 3);
  const int32_t Left = L->Items().GetItem(1)->Symbol.Left;
  EXPECT_EQ(L->Items().GetItem(0)->Symbol.Left, Left);
  EXPECT_EQ(L->Items().GetItem(2)->Symbol.Left, Left);
  // After the widest row's texts and inside the box.
  EXPECT_GE(Left, L->XLegendText + L->IItemsWidth[1][0] + L->IItemsWidth[1][1]);
  EXPECT_LE(Left + L->IColorWidth, L->GetRectLegend().Right);
}

TEST(ChartLegend, DrawingColumnsOrderAndDividingLines)
{
  // Drawn on a recording canvas: the legend's items are what it logs
  // inside the "Items" entity.
  const auto Make = [](TLegendChart& C) {
    auto Rec = std::make_unique<TEntityLogCanvas>();
    TEntityLogCanvas* R = Rec.get();
    C.SetInternalCanvas(std::move(Rec));
    return R;
  };
  {
    SCOPED_TRACE("values right-aligned in the first column");
    TLegendChart C;
    TEntityLogCanvas* R = Make(C);
    auto* S = new TQuietSeries(&C);
    C.AddSeries(S);
    S->AddXY(0, 1, QStringLiteral("short"));
    S->AddXY(1, 123456, QStringLiteral("a longer label"));
    C.L()->SetTextStyle(ltsLeftValue);
    C.Draw();
    TLegendItem* A = C.L()->Items().GetItem(0);
    TLegendItem* B = C.L()->Items().GetItem(1);
    EXPECT_EQ(A->Align(), TA_RIGHT);
    EXPECT_EQ(A->Left(), B->Left());
    // The labels start together after the values' column.
    const QStringList Texts = R->Inside(QStringLiteral("Items")).filter(QStringLiteral("TextOut"));
    ASSERT_EQ(Texts.size(), 4);
    const auto XOf = [](const QString& S) { return S.section(QLatin1Char('('), 1).section(QLatin1Char(','), 0, 0); };
    EXPECT_EQ(XOf(Texts[1]), XOf(Texts[3]));
    EXPECT_GT(XOf(Texts[1]).toInt(), A->Left());
  }
  {
    SCOPED_TRACE("inverted: the last value in the first row");
    TLegendChart C;
    C.Add(QStringLiteral("Depth"), 3);
    C.L()->SetInverted(true);
    C.Draw();
    TLegendItems& I = C.L()->Items();
    EXPECT_LT(I.GetItem(2)->Top(), I.GetItem(1)->Top());
    EXPECT_LT(I.GetItem(1)->Top(), I.GetItem(0)->Top());
    EXPECT_EQ(I.GetItem(2)->Text2(), QStringLiteral("V2"));
  }
  {
    SCOPED_TRACE("dividing lines between the columns of a two-row strip");
    TLegendChart C(300, 300);
    TEntityLogCanvas* R = Make(C);
    for (int I = 0; I < 7; ++I)
      C.Add(QStringLiteral("Sensor %1").arg(I));
    TChartLegend* L = C.L();
    L->SetAlignment(laTop);
    L->DividingLines()->SetVisible(true);
    C.Draw();
    ASSERT_GE(L->NumRows, 2);
    ASSERT_GE(L->NumCols, 2);
    const TRect B = L->GetRectLegend();
    const int32_t Cut = (L->Frame()->Width() + 1) / 2;
    const QStringList Log = R->Inside(QStringLiteral("Items"));
    int Lines = 0;
    for (int K = 0; K + 1 < Log.size(); ++K)
      if (Log[K].startsWith(QStringLiteral("MoveTo")) && Log[K + 1].startsWith(QStringLiteral("LineTo"))) {
        ++Lines;
        EXPECT_TRUE(Log[K].endsWith(QStringLiteral(",%1)").arg(B.Top + Cut))) << Log[K].toStdString();
        EXPECT_TRUE(Log[K + 1].endsWith(QStringLiteral(",%1)").arg(B.Bottom - Cut))) << Log[K + 1].toStdString();
      }
    EXPECT_EQ(Lines, L->NumCols - 1);
  }
}

TEST(ChartLegend, AValuesLegendFollowsThePage)
{
  TLegendChart C(400, 400);
  TChartSeries* S = C.Add(QStringLiteral("Depth"), 25);
  S->SetTitle(QStringLiteral("Depth"));
  TChartLegend* L = C.L();
  C.Pages()->SetPointsPerPage(10);
  C.Pages()->SetCurrent(2);
  L->SetFirstValue(3);
  C.Draw();
  // The page's first value wins over the one set, and the page's size
  // bounds the count.
  EXPECT_EQ(L->FirstValue(), 10);
  EXPECT_EQ(L->ITotalItems, 10);
  EXPECT_EQ(L->IItems[0][1], QStringLiteral("V10"));
  C.Pages()->SetCurrent(3);
  C.Draw();
  EXPECT_EQ(L->FirstValue(), 20);
  EXPECT_EQ(L->ITotalItems, 5);
  // Without CurrentPage the legend keeps its own first value.
  L->SetCurrentPage(false);
  L->SetFirstValue(2);
  C.Draw();
  EXPECT_EQ(L->FirstValue(), 2);
  EXPECT_EQ(L->IItems[0][1], QStringLiteral("V2"));
}

TEST(ChartLegend, SeriesGroupsAreItemsAndSwitchTogether)
{
  TLegendChart C;
  const auto S = C.AddMany(4);
  TSeriesGroup* Water = C.SeriesGroups().Add(QStringLiteral("Water"));
  Water->Series().Add(S[0]);
  Water->Series().Add(S[1]);
  TSeriesGroup* Air = C.SeriesGroups().Add(QStringLiteral("Air"));
  Air->Series().Add(S[2]);
  Air->Series().Add(S[3]);
  TChartLegend* L = C.L();
  L->SetLegendStyle(lsSeriesGroups);
  L->SetCheckBoxes(true);
  C.Draw();
  EXPECT_EQ(L->ITotalItems, 2);
  EXPECT_EQ(L->IItems[1][0], QStringLiteral("Air"));
  EXPECT_EQ(L->IColorWidth, 0); // groups show no symbol
  EXPECT_EQ(L->Clicked(RowPoint(L, 1)), 1);

  // Check style: a group that is not wholly off goes off, and back on.
  S[2]->SetActive(false);
  EXPECT_TRUE(L->DoMouseDown(0, 0, 1));
  EXPECT_EQ(Air->Active(), gaNo);
  EXPECT_TRUE(L->DoMouseDown(0, 0, 1));
  EXPECT_EQ(Air->Active(), gaYes);
  EXPECT_EQ(Water->Active(), gaYes);
  // Radio style: the clicked group alone.
  L->SetCheckBoxesStyle(cbsRadio);
  EXPECT_EQ(Water->Active(), gaYes);
  EXPECT_EQ(Air->Active(), gaNo);
  EXPECT_TRUE(L->DoMouseDown(0, 0, 1));
  EXPECT_EQ(Water->Active(), gaNo);
  EXPECT_EQ(Air->Active(), gaYes);
}
