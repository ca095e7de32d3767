// The grid painted into an image and compared with golden images: fixed
// row and column, merged cells, per-cell colours and fonts, alignments,
// word wrap, progress bars and each selection style. Also the order in
// which a cell's colour and font are decided.
#include "grid/core/ZurEvoderOzod.h"

#include "PaintedGrid.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/base/rurutil.h"
#include "grid/core/GridAppearance.h"
#include "grid/core/GridSettings.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/tests/GoldenImage.h"
#include "platform/tests/QtTestApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

// A grid without a window, painted into an image of its own size.

// The colours a cell gets on screen, as the cell pass asks for them.
struct TVisual {
  TColor Brush;
  TColor Font;
  TGridDrawState State;
};

TVisual VisualOf(TZurEvoderOzod& G, int32_t ACol, int32_t ARow)
{
  TBrush Brush;
  TFont Font;
  TColor To = clNone, Mirror = clNone, MirrorTo = clNone;
  TAlignment H = taLeftJustify;
  TVAlignment V = vtaTop;
  bool Wrap = true;
  TCellGradientDirection GD = GradientVertical;
  TGridDrawState State = 0;
  G.GetVisualProperties(ACol, ARow, State, false, true, true, &Brush, To, Mirror, MirrorTo, &Font, H, V, Wrap, GD);
  return TVisual{Brush.Color(), Font.Color(), State};
}

} // namespace

TEST(GridPaint, FixedAreaMergedCellsColoursFontsAlignmentsWrapAndProgress)
{
  TPaintedGrid G(420, 200);
  G.SetColCount(5);
  G.SetRowCount(7);
  G.SetDefaultColWidth(80);
  G.SetDefaultRowHeight(24);
  G.SetLook(glStandard);
  G.ControlLook()->SetControlStyle(csClassic);
  G.SetHideFocusRect(true);
  G.SetRowHeights(4, 40);
  const char* Headers[] = {"", "Left", "Centre", "Right", "Bar"};
  for (int32_t C = 0; C < 5; ++C)
    G.SetCells(C, 0, QString::fromLatin1(Headers[C]));
  for (int32_t R = 1; R < 7; ++R)
    G.SetCells(0, R, QString::number(R));
  // Alignments, one per column.
  for (int32_t R = 1; R < 4; ++R) {
    G.SetCells(1, R, QStringLiteral("ab"));
    G.SetCells(2, R, QStringLiteral("cd"));
    G.SetCells(3, R, QStringLiteral("12.5"));
  }
  G.OnGetAlignment = [](TObject*, int32_t, int32_t ACol, TAlignment& H, TVAlignment& V) {
    if (ACol == 2)
      H = taCenter;
    if (ACol == 3) {
      H = taRightJustify;
      V = vtaBottom;
    }
  };
  // Colours and fonts of single cells.
  TCellProperties* P = G.GetCellProperties(1, 2);
  P->SetBrushColor(clYellow);
  P->SetFontColor(clRed);
  P->SetFontStyle(FontStyleBit(fsBold));
  G.GetCellProperties(2, 3)->SetFontName(QStringLiteral("Courier New"));
  G.GetCellProperties(2, 3)->SetFontSize(-16);
  // A merged range and a wrapped text.
  G.MergeCells(1, 5, 2, 2);
  G.SetCellEx(1, 5, QStringLiteral("merged over two columns and two rows"));
  G.SetCells(3, 4, QStringLiteral("a text that wraps onto lines"));
  // Progress bars: plain and multi-level.
  G.SetCells(4, 1, QStringLiteral("40"));
  TCellGraphic* Bar = G.CreateCellGraphic(4, 1);
  Bar->SetCellType(ctProgress);
  Bar->SetCellBitmapColor(0x00C08000);
  Bar->SetCellIconColor(clWhite);
  G.SetCells(4, 2, QStringLiteral("75"));
  TCellGraphic* Gauge = G.CreateCellGraphic(4, 2);
  Gauge->SetCellType(ctXPProgress);
  Gauge->SetCellErrFrom(0);
  Gauge->SetCellErrLen(100);
  G.SetRow(6);
  G.SetCol(4);
  EXPECT_GOLDEN(G.Painted(), QStringLiteral("grid_cells"), 16, 40);
}

TEST(GridPaint, EverySelectionStyle)
{
  struct Case {
    TGridSelectionStyle Style;
    const char* Name;
  };
  for (const Case& C : {Case{ssDefault, "grid_selection_default"}, Case{ssVista, "grid_selection_vista"},
                        Case{ssWin7, "grid_selection_win7"}, Case{ssOffice2007, "grid_selection_office2007"}}) {
    SCOPED_TRACE(C.Name);
    TPaintedGrid G(260, 100);
    G.SetColCount(4);
    G.SetRowCount(4);
    G.SetHideFocusRect(true);
    // Drawn as in a focused grid.
    G.SetOptions(G.Options() | GridOptionBit(goDrawFocusSelected) | GridOptionBit(goRangeSelect));
    G.SetSelectionStyle(C.Style);
    for (int32_t R = 1; R < 4; ++R)
      for (int32_t Cl = 1; Cl < 4; ++Cl)
        G.SetCells(Cl, R, QStringLiteral("x%1").arg(Cl * 10 + R));
    G.SetSelection(TGridRect{1, 1, 3, 2});
    EXPECT_GOLDEN(G.Painted(), QString::fromLatin1(C.Name), 16, 40);
  }
}

// Each source of a cell's colour overrides the earlier ones, the
// application's event last.
TEST(GridPaint, ColourAndFontResolutionOrder)
{
  EnsureQtApplication();
  struct Case {
    const char* What;
    std::function<void(TZurEvoderOzod&)> Setup;
    TColor Brush;
    TColor FontColor;
  };
  const Case Cases[] = {
      {"grid colour", [](TZurEvoderOzod& G) { G.SetColor(clAqua); }, clAqua, clWindowText},
      {"record over grid",
       [](TZurEvoderOzod& G) {
         G.SetColor(clAqua);
         G.GetCellProperties(2, 2)->SetBrushColor(clYellow);
         G.GetCellProperties(2, 2)->SetFontColor(clRed);
       },
       clYellow, clRed},
      {"bands under a plain cell",
       [](TZurEvoderOzod& G) {
         G.Bands()->SetActive(true);
         G.Bands()->SetPrimaryColor(clLime);
       },
       clSilver /* row 2 is the second band */, clWindowText},
      {"record over bands",
       [](TZurEvoderOzod& G) {
         G.Bands()->SetActive(true);
         G.GetCellProperties(2, 2)->SetBrushColor(clYellow);
       },
       clYellow, clWindowText},
      {"automatic colour of a negative number",
       [](TZurEvoderOzod& G) {
         G.SetCells(2, 2, QStringLiteral("-1.5"));
         G.AutoColor()->NegativeNumber()->SetTextColor(clRed);
         G.AutoColor()->NegativeNumber()->SetBkgColor(clMaroon);
       },
       clMaroon, clRed},
      {"automatic colour leaves text alone",
       [](TZurEvoderOzod& G) {
         G.SetCells(2, 2, QStringLiteral("abc"));
         G.AutoColor()->NegativeNumber()->SetTextColor(clRed);
       },
       clWindow, clWindowText},
      {"event over record and automatic colour",
       [](TZurEvoderOzod& G) {
         G.SetCells(2, 2, QStringLiteral("-1"));
         G.AutoColor()->NegativeNumber()->SetBkgColor(clMaroon);
         G.GetCellProperties(2, 2)->SetFontColor(clRed);
         G.OnGetCellColor = [](TObject*, int32_t, int32_t, TGridDrawState, TBrush* B, TFont* F) {
           B->SetColor(clNavy);
           F->SetColor(clWhite);
         };
       },
       clNavy, clWhite},
      {"selection over the event",
       [](TZurEvoderOzod& G) {
         G.OnGetCellColor = [](TObject*, int32_t, int32_t, TGridDrawState, TBrush* B, TFont*) { B->SetColor(clNavy); };
         G.SetSelectionColorMixer(true);
         G.SetSelectionColorMixerFactor(100);
         G.SetSelection(TGridRect{2, 2, 2, 2});
       },
       0x00EACAB6, 0x00000000},
      {"gradient event sets the brush",
       [](TZurEvoderOzod& G) {
         G.OnGetCellGradient = [](TObject*, int32_t, int32_t, TColor& C, TColor& To, TColor&, TColor&,
                                  TCellGradientDirection&) {
           C = clOlive;
           To = clWhite;
         };
       },
       clOlive, clWindowText},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    TZurEvoderOzod G(nullptr);
    G.SetRowCount(5);
    G.SetCol(4);
    G.SetRow(4);
    G.Bands()->SetSecondaryColor(clSilver);
    C.Setup(G);
    const TVisual Got = VisualOf(G, 2, 2);
    EXPECT_EQ(Got.Brush, C.Brush);
    EXPECT_EQ(Got.Font, C.FontColor);
  }
}

TEST(GridPaint, SelectionMixesWithTheCellsOwnColour)
{
  EnsureQtApplication();
  struct Case {
    int32_t Factor;
    bool Mixer;
    TColor Own;
    TColor Expected;
  };
  const Case Cases[] = {
      {100, true, clRed, 0x00EACAB6},
      {0, true, clRed, clRed},
      {150, true, clRed, 0x00EACAB6},
      {50, false, clRed, 0x00EACAB6},
      {50, true, clRed, TZurEvoderOzod::BlendColor(0x00EACAB6, clRed, 50)},
      {0, true, clWindow, 0x00EACAB6}, // a cell in the grid colour always takes the selection colour
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Factor);
    TZurEvoderOzod G(nullptr);
    G.SetSelectionColorMixer(C.Mixer);
    G.SetSelectionColorMixerFactor(C.Factor);
    if (C.Own != clWindow)
      G.GetCellProperties(1, 1)->SetBrushColor(C.Own);
    G.SetSelection(TGridRect{1, 1, 1, 1});
    const TVisual Got = VisualOf(G, 1, 1);
    EXPECT_EQ(Got.Brush, C.Expected);
    EXPECT_TRUE(Got.State & GridDrawBit(gdSelected));
  }
  EXPECT_EQ(TZurEvoderOzod::BlendColor(clWhite, clBlack, 50), RGBColor(128, 128, 128));
}

// Rows, columns and cells selected one by one take the selection colours;
// disabled rows the disabled font colour.
TEST(GridPaint, DisjunctSelectionsAndDisabledRows)
{
  EnsureQtApplication();
  TZurEvoderOzod G(nullptr);
  G.SetColCount(5);
  G.SetRowCount(8);
  const TColor Sel = G.SelectionColor();
  // Selected rows away from the current row are a shade darker.
  G.MouseActions()->SetDisjunctRowSelect(true);
  G.SetRowSelect(5, true);
  TVisual V = VisualOf(G, 2, 5);
  EXPECT_EQ(V.Brush, ChangeColorPerc(Sel, -10));
  EXPECT_EQ(V.State, GridDrawBit(gdSelected));
  EXPECT_EQ(VisualOf(G, 2, 4).Brush, G.Color());
  G.SetRow(5);
  EXPECT_EQ(VisualOf(G, 2, 5).Brush, Sel);
  // The rectangle does not colour anything while rows are selected apart.
  G.SetSelection(TGridRect{1, 2, 3, 2});
  EXPECT_EQ(VisualOf(G, 2, 2).Brush, G.Color());
  G.MouseActions()->SetDisjunctRowSelect(false);

  G.MouseActions()->SetDisjunctColSelect(true);
  G.SetColSelect(3, true);
  EXPECT_EQ(VisualOf(G, 3, 6).Brush, Sel);
  EXPECT_EQ(VisualOf(G, 4, 6).Brush, G.Color());
  G.MouseActions()->SetDisjunctColSelect(false);

  G.MouseActions()->SetDisjunctCellSelect(true);
  G.SelectCells(1, 6, 2, 6);
  EXPECT_EQ(VisualOf(G, 2, 6).Brush, Sel);
  EXPECT_EQ(VisualOf(G, 3, 6).Brush, G.Color());
  G.MouseActions()->SetDisjunctCellSelect(false);

  G.SetRowEnabled(7, false);
  EXPECT_EQ(VisualOf(G, 2, 7).Font, G.DisabledFontColor());
  EXPECT_NE(VisualOf(G, 2, 6).Font, G.DisabledFontColor());
}

// The sort settings name a cell-store column; with a hidden column to its
// left the indicator and the sort header colour stand over that column,
// not over the one at its store index.
TEST(GridPaint, SortIndicatorStandsOverTheSortedColumnPastAHiddenOne)
{
  TPaintedGrid G(330, 80);
  G.SetColCount(5);
  G.SetRowCount(4);
  G.SetDefaultColWidth(64);
  G.SetLook(glStandard);
  for (int32_t C = 0; C < 5; ++C)
    G.SetCells(C, 0, QStringLiteral("h%1").arg(C));
  G.SortSettings()->SetShow(true);
  G.HideColumn(1);
  auto Header = [&](int32_t DisplayCol) {
    const TRect R = G.CellRect(DisplayCol, 0);
    return G.Painted().copy(R.Left, R.Top, R.Width(), R.Height());
  };
  const QImage Plain1 = Header(1), Plain2 = Header(2);
  G.SortSettings()->SetColumn(2); // shown as display column 1
  EXPECT_NE(Header(1), Plain1);
  EXPECT_EQ(Header(2), Plain2);
  G.SortSettings()->SetColumn(-1);
  G.SortSettings()->SetIndexShow(true);
  G.SortIndexes()->AddIndex(3, true); // display column 2
  EXPECT_EQ(Header(1), Plain1);
  EXPECT_NE(Header(2), Plain2);
}
