// The string grid's dimensions with their side effects, the look presets
// and the display text.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/core/GridSettings.h"

#include <gtest/gtest.h>

#include <string>

TEST(GridDimensions, AKeptFixedRowSurvivesAGridWithoutOtherRows)
{
  TZurEvoderOzod G(nullptr);
  G.SetFixedRowAlways(true);
  G.SetRowCount(1);
  G.SetFixedRows(1);
  EXPECT_EQ(G.TBaseGrid::FixedRows(), 0); // the framework had to give it up
  EXPECT_EQ(G.FixedRows(), 1);
  bool Fixed = false;
  G.GetCellFixed(1, 0, Fixed);
  EXPECT_TRUE(Fixed);
  G.SetRowCount(5);
  EXPECT_EQ(G.TBaseGrid::FixedRows(), 1);

  TZurEvoderOzod Plain(nullptr);
  Plain.SetRowCount(2);
  EXPECT_THROW(Plain.SetFixedRows(2), EInvalidGridOperation);
}

TEST(GridDimensions, FixedSizesAndCounts)
{
  TZurEvoderOzod G(nullptr);
  G.SetFixedCols(2);
  G.SetFixedColWidth(G.DefaultColWidth()); // equal to the default: no column changes
  G.SetColWidths(1, 30);
  G.SetFixedColWidth(G.DefaultColWidth());
  EXPECT_EQ(G.ColWidths(1), 30);
  G.SetFixedColWidth(80);
  EXPECT_EQ(G.ColWidths(0), 80);
  EXPECT_EQ(G.ColWidths(1), 80);
  EXPECT_EQ(G.FixedColWidth(), 80);
  G.SetFixedRowHeight(30);
  EXPECT_EQ(G.RowHeights(0), 30);
  EXPECT_EQ(G.RowHeights(1), 22);

  G.HideColumn(3);
  G.SetColCount(G.ColCount() + 2); // 6 shown, one hidden
  EXPECT_EQ(G.AllColCount(), 7);
  EXPECT_TRUE(G.IsHiddenColumn(3));
  for (int32_t C : {5, 6})
    EXPECT_FALSE(G.IsHiddenColumn(C)) << C;
  EXPECT_EQ(G.RealColIndex(5), 6);

  G.SetRowCount(30);
  EXPECT_EQ(G.FNormalRowCount, 30);
  G.SetRowCount(12);
  EXPECT_EQ(G.FMaxRowCount, 30);
  EXPECT_EQ(G.FNormalRowCount, 12);
}

TEST(GridDimensions, WordWrapReachesNewRecords)
{
  TZurEvoderOzod G(nullptr);
  G.SetWordWrap(false);
  EXPECT_FALSE(G.WordWrap());
  EXPECT_FALSE(G.FWordWrap);
  EXPECT_FALSE(G.GetCellProperties(2, 2)->WordWrap());
}

TEST(GridDimensions, LookPresetsApplyTheirColours)
{
  struct Case {
    TGridLook Look;
    TGridSelectionStyle Style;
    TColor Selection;
    TColor GradFrom, GradTo; // as the control look holds them
    TColor FooterColor;
  };
  const Case Cases[] = {
      {glStandard, ssDefault, clHighlight, clNone, clBtnFace, clBtnFace},
      {glListView, ssDefault, clHighlight, clBtnFace, 0x00FFFFFF, clBtnFace},
      {glXP, ssDefault, 0x00EACAB6, clBtnFace, 0x00FFFFFF, clNone},
      {glZID, ssDefault, 0x00EACAB6, 0x00C0C0C0, 0x00FFFFFF, clNone},
      {glVista, ssVista, 0x00EACAB6, clNone, clNone, 0x00FFFFFF},
      {glOffice2007, ssOffice2007, 0x00EACAB6, clNone, clNone, 0x00FFFFFF},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(TZurEvoderOzod::GetLookAsString(C.Look).toStdString());
    TZurEvoderOzod G(nullptr);
    G.SetLook(glCustom);
    G.SetLook(C.Look);
    EXPECT_EQ(G.Look(), C.Look);
    EXPECT_EQ(G.SelectionStyle(), C.Style);
    EXPECT_EQ(G.SelectionColor(), C.Selection);
    EXPECT_EQ(G.ControlLook()->FixedGradientFrom(), C.GradFrom);
    EXPECT_EQ(G.ControlLook()->FixedGradientTo(), C.GradTo);
    EXPECT_EQ(G.SearchFooter()->Color(), C.FooterColor);
    EXPECT_EQ(G.BorderColor(), 0x00B99D7Fu);
    EXPECT_EQ(G.ScrollType(), ssNormal);
    EXPECT_EQ(G.GridLineColor(), clSilver);
  }
  // The grid's own fixed gradient follows the control look, as device
  // colours.
  TZurEvoderOzod X(nullptr);
  X.SetLook(glListView);
  EXPECT_EQ(X.FZURGrad[fgFrom], ColorToRGB(clBtnFace));
  EXPECT_EQ(X.FZURGrad[fgTo], 0x00FFFFFFu);
  EXPECT_EQ(X.ControlLook()->FixedGradientHoverFrom(), 0x00808080u); // plain looks leave the hover gradient
  X.SetLook(glXP);
  EXPECT_EQ(X.ControlLook()->FixedGradientHoverFrom(), 0x00BEC6C8u);
  EXPECT_EQ(X.FZURGrad[fgHoverMirrorFrom], 0x00ABBCBFu);
}

TEST(GridDimensions, TheSameLookAgainChangesNothing)
{
  TZurEvoderOzod G(nullptr);
  G.SetSelectionColor(clRed);
  G.SetScrollType(ssFlat);
  G.SetLook(glXP); // already glXP
  EXPECT_EQ(G.SelectionColor(), clRed);
  EXPECT_EQ(G.ScrollType(), ssFlat);

  // The custom look keeps every colour but still resets the scroll type.
  G.SetBorderColor(clGreen);
  G.SetLook(glCustom);
  EXPECT_EQ(G.SelectionColor(), clRed);
  EXPECT_EQ(G.ScrollType(), ssNormal);
  EXPECT_EQ(G.BorderColor(), clGreen);
  EXPECT_TRUE(TZurEvoderOzod::GetLookAsString(glCustom).isEmpty());
  EXPECT_EQ(TZurEvoderOzod::GetLookAsFriendlyString(glXP).toStdString(), "Windows XP");
}

TEST(GridDimensions, DisplayTextLinksAddressesInPrefixOrder)
{
  TZurEvoderOzod G(nullptr);
  G.SetURLShowInText(true);
  G.SetCells(1, 1, QStringLiteral("www.a.org or http://b.org"));
  EXPECT_EQ(G.GetCellEx(1, 1).toStdString(), "www.a.org or <a href=\"http://b.org\">http://b.org</a>");
  G.SetCells(1, 2, QStringLiteral("see www.a.org"));
  EXPECT_EQ(G.GetCellEx(1, 2).toStdString(), "see <a href=\"www.a.org\">www.a.org</a>");
  G.SetURLShowInText(false);
  EXPECT_EQ(G.GetCellEx(1, 2).toStdString(), "see www.a.org");
}

TEST(GridDimensions, GroupHeadersShowTheirCount)
{
  TZurEvoderOzod G(nullptr);
  TCellGraphic* Node = G.CreateCellGraphic(0, 2);
  Node->SetCellType(ctNode);
  Node->SetCellIndex(5);   // span
  Node->SetCellErrFrom(1); // sub-nodes
  G.SetCells(1, 2, QStringLiteral("Group"));
  G.Grouping()->SetShowGroupCount(true);
  EXPECT_EQ(G.GetCellEx(1, 2).toStdString(), "Group (3)");
  EXPECT_EQ(G.GetCellEx(2, 2).toStdString(), ""); // only column 1
  G.Grouping()->SetGroupCountFormat(QStringLiteral(" [%d rows]"));
  EXPECT_EQ(G.GetCellEx(1, 2).toStdString(), "Group [3 rows]");
}

TEST(GridDimensions, SortIndicatorRow)
{
  TZurEvoderOzod G(nullptr);
  G.SetFixedRows(2);
  G.SortSettings()->SetShow(true);
  G.SortSettings()->SetRow(1);
  EXPECT_TRUE(G.ShouldDrawSortIndicator(1, 1));
  EXPECT_FALSE(G.ShouldDrawSortIndicator(1, 0));
  G.MergeCells(1, 0, 1, 2); // a header merged over both fixed rows
  EXPECT_TRUE(G.ShouldDrawSortIndicator(1, 0));
  EXPECT_THROW(G.SortSettings()->SetRow(2), Exception);
  EXPECT_EQ(G.SortSettings()->Row(), 1);
}
