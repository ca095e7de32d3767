// The string grid's life cycle: defaults, the unit's registrations, form
// streaming, copying another grid, bounds, and what the grid frees.
#include "grid/core/ZurEvoderOzod.h"

#include "FormText.h"
#include "Tracked.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/core/GridSettings.h"
#include "platform/ClassRegistry.h"
#include "platform/Filer.h"
#include "platform/Graphics.h"
#include "platform/ObjectText.h"
#include "platform/StringGridCells.h"
#include "rtl/StringList.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(GridLifeCycle, ANewGridHasItsDefaults)
{
  TZurEvoderOzod G(nullptr);
  EXPECT_EQ(G.RowCount(), 10);
  EXPECT_EQ(G.ColCount(), 5);
  EXPECT_EQ(G.FixedRows(), 1);
  EXPECT_EQ(G.FixedCols(), 1);
  EXPECT_EQ(G.DefaultRowHeight(), 22);
  EXPECT_EQ(G.FixedRowHeight(), 22);
  EXPECT_EQ(G.Width(), 400);
  EXPECT_EQ(G.Height(), 250);
  EXPECT_EQ(G.Look(), glXP);
  EXPECT_EQ(G.ScrollBars(), ssBoth);
  EXPECT_EQ(G.HoverRowCells(), SetBit(hcNormal) | SetBit(hcSelected));
  EXPECT_EQ(G.FloatFormat().toStdString(), "%.2f");
  EXPECT_EQ(G.FilterDropDownClear().toStdString(), "(All)");
  EXPECT_EQ(G.Version().toStdString(), "8.4.0.3");
  EXPECT_EQ(G.CheckTrue().toStdString(), "Y");
  EXPECT_EQ(G.FixedFont()->Name().toStdString(), "Tahoma");
  EXPECT_EQ(G.SelectionColor(), 0x00EACAB6u);
  EXPECT_EQ(G.GridLineWidth(), 1);
  EXPECT_EQ(G.TCustomGrid::GridLineWidth(), 0);
  EXPECT_FALSE(G.DefaultDrawing());
  EXPECT_EQ(G.DrawingStyle(), gdsClassic);
  EXPECT_EQ(G.FZURGrad[fgFrom], 0x00FFFFFFu);
  G.SetVersion(QStringLiteral("1.0"));
  EXPECT_EQ(G.Version().toStdString(), "8.4.0.3");
}

TEST(GridLifeCycle, TheUnitRegistersItsNamesOnce)
{
  const TGridUnitIds& Ids = RegisterGridUnit();
  const std::set<uint32_t> All{Ids.CF_GRIDCELLS, Ids.WM_GRIDEDITDONE,  Ids.WM_GRIDEDITSHOW,    Ids.WM_GRIDEDITINVALID,
                               Ids.WM_EDITPROP,  Ids.WM_DTPSHIFTFOCUS, Ids.WM_FILTEREDITUPDATE};
  EXPECT_EQ(All.size(), 7u);
  EXPECT_EQ(All.count(0u), 0u);
  EXPECT_EQ(&RegisterGridUnit(), &Ids);
  EXPECT_NE(GetClass(QStringLiteral("TZurEvoderOzod")), nullptr);
}

TEST(GridLifeCycle, AFormRoundTripKeepsNonDefaultProperties)
{
  TZurEvoderOzod A(nullptr);
  A.SetColCount(7);
  A.SetRowCount(12);
  A.SetFixedRows(2);
  A.SetDefaultRowHeight(18);
  A.SetLook(glStandard);
  A.SetWordWrap(false);
  A.SetDefaultAlignment(taRightJustify);
  A.SetSelectionColor(clLime);
  A.SetURLShow(true);
  A.SetGridLineColor(clRed);
  A.SetFloatFormat(QStringLiteral("%.3f"));
  A.SetHoverRowCells(0);
  A.ColumnHeaders()->Add(QStringLiteral("Slot"));
  A.ColumnHeaders()->Add(QStringLiteral("Port"));
  A.Grouping()->SetHeaderUnderline(true);
  A.ControlLook()->SetControlStyle(csClassic);
  A.SortSettings()->SetShow(true);
  A.FixedFont()->SetSize(12);
  A.SetColWidths(3, 99);
  const std::string Form = TextOf(&A);
  // Declared defaults are not written; the values after construction that
  // differ from them are.
  EXPECT_EQ(Form.find("ScrollBarAlways"), std::string::npos);
  EXPECT_NE(Form.find("RowCount = 12"), std::string::npos);
  EXPECT_NE(Form.find("FixedRowHeight = 22"), std::string::npos);

  TZurEvoderOzod B(nullptr);
  ReadText(Form, &B);
  EXPECT_EQ(B.ColCount(), 7);
  EXPECT_EQ(B.RowCount(), 12);
  EXPECT_EQ(B.FixedRows(), 2);
  EXPECT_EQ(B.DefaultRowHeight(), 18);
  EXPECT_EQ(B.Look(), glStandard);
  EXPECT_FALSE(B.WordWrap());
  EXPECT_EQ(B.DefaultAlignment(), taRightJustify);
  EXPECT_EQ(B.SelectionColor(), clLime);
  EXPECT_TRUE(B.URLShow());
  EXPECT_EQ(B.GridLineColor(), clRed);
  EXPECT_EQ(B.FloatFormat().toStdString(), "%.3f");
  EXPECT_EQ(B.HoverRowCells(), SetBit(hcNormal) | SetBit(hcSelected));
  EXPECT_TRUE(B.Grouping()->HeaderUnderline());
  EXPECT_EQ(B.ControlLook()->ControlStyle(), csClassic);
  EXPECT_TRUE(B.SortSettings()->Show());
  EXPECT_EQ(B.FixedFont()->Size(), 12);
  EXPECT_EQ(B.ColWidths(3), 99);
  // The headers land in the fixed row once loading is complete.
  EXPECT_EQ(B.Cells(1, 0).toStdString(), "Port");
  EXPECT_TRUE(B.FLoaded);
  EXPECT_EQ(B.FFixedRowsMin, 2);
}

TEST(GridLifeCycle, AFormHoldingTheDeclaredFixedRowHeightLoadsTheConstructorsValue)
{
  TZurEvoderOzod G(nullptr);
  ReadText("object G: TZurEvoderOzod\r\n  FixedRowHeight = 21\r\nend\r\n", &G);
  EXPECT_EQ(G.FixedRowHeight(), 21); // written explicitly, it is read
  TZurEvoderOzod Silent(nullptr);
  ReadText("object G: TZurEvoderOzod\r\n  RowCount = 4\r\nend\r\n", &Silent);
  EXPECT_EQ(Silent.FixedRowHeight(), 22);
}

TEST(GridLifeCycle, AssignCopiesSettingsSizesAndCells)
{
  TZurEvoderOzod A(nullptr);
  A.SetColCount(6);
  A.SetRowCount(4);
  A.HideColumn(2);
  A.SetCells(1, 1, QStringLiteral("one"));
  A.GetCellProperties(1, 1)->SetFontColor(clRed);
  A.CreateCellGraphic(3, 2)->SetButton(40, 20, QStringLiteral("Go"), haCenter, vaCenter);
  A.SetSelectionColor(clAqua);
  A.SetFloatFormat(QStringLiteral("%.1f")); // not in the copied list
  A.OnGetCellColor = [](TObject*, int32_t, int32_t, TGridDrawState, TBrush*, TFont*) {};

  TZurEvoderOzod B(nullptr);
  B.Assign(&A);
  EXPECT_EQ(B.ColCount(), 5); // as the source reports it, without its hidden column
  EXPECT_EQ(B.RowCount(), 4);
  EXPECT_EQ(B.SelectionColor(), clAqua);
  EXPECT_EQ(B.FloatFormat().toStdString(), "%.2f");
  EXPECT_FALSE(B.OnGetCellColor);
  EXPECT_EQ(B.Cells(1, 1).toStdString(), "one");
  EXPECT_EQ(B.GetCellProperties(1, 1)->FontColor(), clRed);
  ASSERT_EQ(B.GetCellType(3, 2), ctButton);
  EXPECT_NE(B.GetCellGraphic(3, 2), A.GetCellGraphic(3, 2));
  EXPECT_EQ(B.GetCellGraphic(3, 2)->CellText().toStdString(), "Go");

  TComponent NotAGrid(nullptr);
  B.Assign(&NotAGrid); // ignored
  EXPECT_EQ(B.RowCount(), 4);
}

TEST(GridLifeCycle, IntegralHeightShowsWholeRows)
{
  TZurEvoderOzod G(nullptr);
  G.SetColCount(2);
  G.SetIntegralHeight(true);
  G.SetBounds(0, 0, 400, 250);
  EXPECT_EQ(G.Height(), 246);
  G.SetIntegralHeight(false);
  G.SetBounds(0, 0, 400, 250);
  EXPECT_EQ(G.Height(), 250);
}

TEST(GridLifeCycle, DestructionFreesRecordsAndCellGraphicsEvenHiddenOnes)
{
  bool BitmapFreed = false, HiddenFreed = false, HandedInFreed = false;
  auto* HandedIn = new TTracked(&HandedInFreed);
  {
    TZurEvoderOzod G(nullptr);
    G.SetColCount(5);
    G.SetRowCount(8);
    TCellGraphic* Made = G.CreateCellGraphic(2, 2);
    Made->SetCellType(ctBitmap);
    Made->SetCellBitmap(new TTracked(&BitmapFreed));
    Made->SetCellCreated(true);
    TCellGraphic* InHiddenRow = G.CreateCellGraphic(1, 5);
    InHiddenRow->SetCellType(ctBitmap);
    InHiddenRow->SetCellBitmap(new TTracked(&HiddenFreed));
    InHiddenRow->SetCellCreated(true);
    G.HideRow(5);
    G.HideColumn(2);
    TCellGraphic* Theirs = G.CreateCellGraphic(3, 3);
    Theirs->SetCellType(ctBitmap);
    Theirs->SetCellBitmap(HandedIn);
    G.SetRowCount(3); // the records beyond a shrunk count are freed too
  }
  EXPECT_TRUE(BitmapFreed);
  EXPECT_TRUE(HiddenFreed);
  EXPECT_FALSE(HandedInFreed);
  delete HandedIn;
}

TEST(GridLifeCycle, AnEmptyLargeGridHoldsNothingPerCell)
{
  TZurEvoderOzod G(nullptr);
  G.SetColCount(31);
  G.SetRowCount(6001);
  for (int32_t R = 0; R < G.RowCount(); ++R)
    for (int32_t C = 0; C < G.ColCount(); ++C) {
      bool Fixed = false;
      G.GetCellFixed(C, R, Fixed);
      bool CanEdit = true;
      G.GetCellReadOnly(C, R, CanEdit);
      ASSERT_EQ(G.GetCellType(C, R), ctEmpty);
    }
  EXPECT_EQ(G.CellStore().SlotCount(), 0);
  EXPECT_EQ(G.CellStore().RowsHeld(), 0);
  EXPECT_FALSE(G.FHasCellProps);
}
