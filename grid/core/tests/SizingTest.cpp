// Stretching columns, the sizing events, the combo item list, editability,
// and columns and rows sized to their content.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/core/ColumnSize.h"
#include "platform/Canvas.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/tests/QtTestApp.h"
#include "rtl/Exceptions.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <vector>

namespace {

using V = std::vector<int32_t>;

// A grid whose client area is exactly its bounds.
std::unique_ptr<TZurEvoderOzod> Plain(int32_t Cols, int32_t Width)
{
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  G->SetBorderStyle(bsNone);
  G->SetScrollBars(ssNone);
  G->SetColCount(Cols);
  G->SetBounds(0, 0, Width, 200);
  return G;
}

V Widths(TZurEvoderOzod& G)
{
  V W;
  for (int32_t C = 0; C < G.ColCount(); ++C)
    W.push_back(G.ColWidths(C));
  return W;
}

V Heights(TZurEvoderOzod& G)
{
  V H;
  for (int32_t R = 0; R < G.RowCount(); ++R)
    H.push_back(G.RowHeights(R));
  return H;
}

// The height and width of text in a font, as the canvas measures it.
TPoint Measured(const QString& Name, int32_t Size, const QString& Text)
{
  TCanvas C;
  C.Font()->SetName(Name);
  C.Font()->SetSize(Size);
  return C.TextExtent(Text);
}

} // namespace

// ---------------------------------------------------------------- stretching

TEST(Stretching, OneColumnFillsWhatTheOthersLeave)
{
  // The set-up screen's grid: 11 columns, the last one stretched.
  auto G = Plain(11, 500);
  G->ColumnSize()->SetStretch(true);
  G->ColumnSize()->SetStretchColumn(10);
  for (int32_t C = 0; C < 10; ++C)
    G->SetColWidths(C, 42);
  G->StretchColumn(10, -1);
  EXPECT_EQ(G->ColWidths(10), 80);

  G->SetColWidths(0, 142); // the others now need 520
  G->StretchColumn(10, -1);
  EXPECT_EQ(G->ColWidths(10), G->DefaultColWidth());

  try {
    G->StretchColumn(11, -1);
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message().toStdString(), "Stretch column index out of range");
  }
  G->SetColWidths(0, 42);
  G->StretchColumn(-1, -1); // the last column
  EXPECT_EQ(G->ColWidths(10), 80);

  G->ColumnSize()->SetStretch(false);
  G->SetColWidths(10, 5);
  G->StretchColumn(10, -1); // without Stretch nothing happens
  EXPECT_EQ(G->ColWidths(10), 5);
}

TEST(Stretching, AllColumnsShareTheWidth)
{
  for (const auto& [Width, Expected] : {std::pair{100, V{10, 30, 30, 30}}, std::pair{101, V{10, 31, 30, 30}}}) {
    SCOPED_TRACE(Width);
    auto G = Plain(4, Width);
    G->SetColWidths(0, 10);
    G->StretchColumns();
    EXPECT_EQ(Widths(*G), Expected);
    EXPECT_EQ(G->ColumnSize()->StretchColumn(), -1);
  }
}

TEST(Stretching, HidingColumnsOfAStretchedGridNeverFails)
{
  EnsureQtApplication();
  TForm Form(nullptr);
  auto* G = new TZurEvoderOzod(&Form);
  G->SetParent(&Form);
  G->SetBorderStyle(bsNone);
  G->SetScrollBars(ssNone);
  G->SetBounds(0, 0, 500, 200);
  G->SetColCount(11);
  for (int32_t C = 0; C < 10; ++C)
    G->SetColWidths(C, 40);
  G->ColumnSize()->SetStretchColumn(10);
  G->ColumnSize()->SetStretch(true); // with a parent: stretches at once
  EXPECT_EQ(G->ColWidths(10), 100);
  // Column 10 is no longer shown: the change goes through, nothing stretches.
  EXPECT_NO_THROW(G->HideColumn(3));
  EXPECT_EQ(G->ColCount(), 10);
  EXPECT_NO_THROW(G->UnHideColumn(3));
  EXPECT_EQ(G->ColCount(), 11);
}

// ---------------------------------------------------------------- sizing events

TEST(SizingEvents, SizingOneColumnByHandSizesTheOthersInProportion)
{
  auto G = Plain(5, 600);
  for (int32_t C = 0; C < 5; ++C)
    G->SetColWidths(C, 50);
  G->MouseActions()->SetAllColumnSize(true);
  std::vector<int32_t> Ended;
  G->OnEndColumnSize = [&](TObject*, int32_t ACol) { Ended.push_back(ACol); };
  G->ColSized = true;
  G->Colclicked = 2;
  G->Colclickedsize = 50;
  G->SetColWidths(2, 100);
  EXPECT_EQ(Widths(*G), (V{50, 100, 100, 100, 100})); // the fixed column stays
  EXPECT_EQ(Ended, V{2});
  EXPECT_EQ(G->Colclicked, -1);
  EXPECT_FALSE(G->ColSized);

  // The application may change the width the user chose.
  G->OnUpdateColumnSize = [](TObject*, int32_t, int32_t& W) { W = 77; };
  G->MouseActions()->SetAllColumnSize(false);
  G->ColSized = true;
  G->Colclicked = 3;
  G->SetColWidths(3, 120);
  EXPECT_EQ(G->ColWidths(3), 77);
  EXPECT_EQ(Ended, (V{2, 3}));
}

TEST(SizingEvents, RowSizedByHand)
{
  auto G = Plain(3, 300);
  G->SetRowCount(4);
  std::vector<int32_t> Ended;
  G->OnEndRowSize = [&](TObject*, int32_t ARow) { Ended.push_back(ARow); };
  G->MouseActions()->SetAllRowSize(true);
  G->RowSized = true;
  G->Rowclicked = 2;
  G->Rowclickedsize = 22;
  G->SetRowHeights(2, 44);
  // The normal rows take the height of the first of them, the fixed row
  // keeps its own.
  EXPECT_EQ(Heights(*G), (V{22, 44, 44, 44}));
  EXPECT_EQ(Ended, V{2});
}

// ---------------------------------------------------------------- combo items and editability

TEST(ComboItems, EachCellGetsItsListFromTheApplication)
{
  auto G = Plain(4, 300);
  G->OnGetEditorProp = [](TObject* Sender, int32_t ACol, int32_t, TEditLink*) {
    auto* Grid = static_cast<TZurEvoderOzod*>(Sender);
    Grid->ClearComboString();
    const QStringList Items = ACol == 1 ? QStringList{"RS232", "RS485"} : QStringList{"4800", "9600", "19200"};
    for (const QString& S : Items)
      Grid->AddComboString(S);
  };
  G->SetCells(1, 1, QStringLiteral("RS485"));
  G->SetCells(2, 1, QStringLiteral("19200"));
  EXPECT_EQ(G->ComboIndex(1, 1), 1);
  EXPECT_EQ(G->ComboIndex(2, 1), 2);
  EXPECT_EQ(G->GetComboCount(), 3);
  G->SetComboIndex(2, 1, 0);
  EXPECT_EQ(G->Cells(2, 1).toStdString(), "4800");
  EXPECT_THROW(G->SetComboIndex(2, 1, 3), EStringListError);
  EXPECT_EQ(G->Cells(2, 1).toStdString(), "4800");
  G->SetCells(3, 1, QStringLiteral("1200"));
  EXPECT_EQ(G->ComboIndex(3, 1), -1);

  G->SetComboSelection(1);
  EXPECT_FALSE(G->RemoveComboString(QStringLiteral("300")));
  EXPECT_FALSE(G->SetComboSelectionString(QStringLiteral("300")));
  EXPECT_EQ(G->ComboSelection(), 1);
  EXPECT_TRUE(G->SetComboSelectionString(QStringLiteral("19200")));
  EXPECT_EQ(G->ComboSelection(), 2);
  EXPECT_TRUE(G->RemoveComboString(QStringLiteral("4800")));
  EXPECT_EQ(G->GetComboCount(), 2);
}

TEST(Editability, EditingOnAndTheCellsOwnAnswers)
{
  auto G = Plain(4, 300);
  EXPECT_FALSE(G->IsEditable(1, 1)); // editing is off
  G->SetOptions(G->Options() | GridOptionBit(goEditing));
  EXPECT_TRUE(G->IsEditable(1, 1));
  EXPECT_FALSE(G->IsEditable(0, 1)); // fixed
  G->OnCanEditCell = [](TObject*, int32_t ARow, int32_t, bool& CanEdit) { CanEdit = ARow != 2; };
  EXPECT_FALSE(G->IsEditable(1, 2));
  G->MergeCells(1, 1, 1, 2); // (1, 2) answers through its base cell (1, 1)
  EXPECT_TRUE(G->IsEditable(1, 2));
  G->OnIsPasswordCell = [](TObject*, int32_t, int32_t ACol, bool& P) { P = ACol == 3; };
  EXPECT_TRUE(G->IsPassword(3, 1));
  EXPECT_FALSE(G->IsPassword(2, 1));
}

// ---------------------------------------------------------------- automatic sizing

TEST(AutoSize, RowsTakeTheTallerOfTwoFonts)
{
  EnsureQtApplication();
  auto G = Plain(3, 300);
  G->SetRowCount(4);
  G->Font()->SetName(QStringLiteral("Arial"));
  G->Font()->SetSize(10);
  // The application makes row 2's second column large.
  G->OnGetCellColor = [](TObject*, int32_t ARow, int32_t ACol, TGridDrawState, TBrush*, TFont* F) {
    if (ARow == 2 && ACol == 2) {
      F->SetName(QStringLiteral("Times New Roman"));
      F->SetSize(20);
    }
  };
  for (int32_t R = 1; R < 4; ++R)
    for (int32_t C = 1; C < 3; ++C)
      G->SetCells(C, R, QStringLiteral("gh"));
  const int32_t Small = Measured(QStringLiteral("Arial"), 10, QStringLiteral("gh")).Y;
  const int32_t Large = Measured(QStringLiteral("Times New Roman"), 20, QStringLiteral("gh")).Y;
  ASSERT_GT(Large, Small + 5);

  // Measured cell by cell: insets 2 + 2 and the grid lines 1 + 1.
  G->AutoSizeRows(false, 0);
  EXPECT_EQ(G->RowHeights(1), Small + 6);
  EXPECT_EQ(G->RowHeights(2), Large + 6);
  EXPECT_EQ(G->RowHeights(0), G->DefaultRowHeight()); // fixed rows left alone

  // By line count, in the font of the row's first normal cell: a large
  // font measured there first must not carry over to the next row.
  G->SetWordWrap(false);
  G->OnGetCellColor = [](TObject*, int32_t ARow, int32_t ACol, TGridDrawState, TBrush*, TFont* F) {
    if (ARow == 2 && ACol == 1)
      F->SetSize(20);
  };
  G->AutoSizeRows(false, 0);
  EXPECT_EQ(G->RowHeights(1), Small + 2 + 2);
  EXPECT_EQ(G->RowHeights(2), Measured(QStringLiteral("Arial"), 20, QStringLiteral("gh")).Y + 2 + 2);
  EXPECT_EQ(G->RowHeights(3), Small + 2 + 2);
}

TEST(AutoSize, ColumnsTakeTheirWidestCellInItsFont)
{
  EnsureQtApplication();
  auto G = Plain(4, 600);
  G->SetWordWrap(false);
  G->Font()->SetName(QStringLiteral("Arial"));
  G->Font()->SetSize(10);
  G->SetCells(1, 1, QStringLiteral("Salinity"));
  G->SetCells(1, 2, QStringLiteral("Sound speed"));
  G->SetCells(2, 1, QStringLiteral("1500.25"));
  G->GetCellProperties(2, 1)->SetFontName(QStringLiteral("Courier New"));
  G->SetCells(3, 1, QStringLiteral("x"));
  G->HideColumn(2);
  // Display column 2 is real column 3 now; sized by its own cells.
  G->AutoSizeColumns(false, 0);
  const int32_t Arial = Measured(QStringLiteral("Arial"), 10, QStringLiteral("Sound speed")).X;
  EXPECT_EQ(G->ColWidths(1), Arial + 4 + 2 + 2);
  EXPECT_EQ(G->ColWidths(2), Measured(QStringLiteral("Arial"), 10, QStringLiteral("x")).X + 8);
  G->UnHideColumn(2);
  G->AutoSizeCol(2, 3); // with a padding
  EXPECT_EQ(G->ColWidths(2), Measured(QStringLiteral("Courier New"), 10, QStringLiteral("1500.25")).X + 8 + 3);
}

TEST(AutoSize, LimitsGrowOnlyAndSuppressedRows)
{
  EnsureQtApplication();
  auto G = Plain(3, 600);
  G->SetRowCount(4);
  G->SetWordWrap(false);
  G->SetCells(1, 1, QStringLiteral("a rather long text for a narrow column"));
  G->SetMaxColWidth(50);
  G->AutoSizeCol(1, 0);
  EXPECT_EQ(G->ColWidths(1), 50);
  G->SetMinColWidth(50); // equal limits are no limits
  G->AutoSizeCol(1, 0);
  EXPECT_GT(G->ColWidths(1), 100);

  G->SetMinColWidth(0);
  G->SetMaxColWidth(0);
  G->SetColWidths(2, 300);
  G->SetSizeGrowOnly(true);
  G->AutoSizeColumns(false, 0);
  EXPECT_EQ(G->ColWidths(2), 300); // never narrower
  G->SetSizeGrowOnly(false);
  G->AutoGrowColumns(false, 0);
  EXPECT_EQ(G->ColWidths(2), 300);
  G->AutoSizeCol(2, 0);
  EXPECT_LT(G->ColWidths(2), 300);

  G->SuppressRow(2);
  G->SetMinRowHeight(40);
  G->AutoSizeRows(false, 0);
  EXPECT_EQ(G->RowHeights(2), 0);
  EXPECT_EQ(G->RowHeights(3), 40 + 2); // the inset comes after the limits
}

TEST(AutoSize, ACheckBoxWithTextTakesTheDefaultRowHeight)
{
  EnsureQtApplication();
  auto G = Plain(3, 600);
  G->SetRowCount(3);
  G->SetDefaultRowHeight(30);
  G->SetCells(1, 1, QStringLiteral("Fitted"));
  G->CreateCellGraphic(1, 1)->SetCheckBox(true, false, false, haLeft, vaTop);
  G->CreateCellGraphic(1, 2)->SetCheckBox(true, false, false, haLeft, vaTop);
  G->AutoSizeRows(false, 0);
  EXPECT_EQ(G->RowHeights(1), 30 + 6);
  EXPECT_EQ(G->RowHeights(2), 15 + 6); // the box alone
}

TEST(AutoSize, WrappedTextFitsTheColumnWidth)
{
  EnsureQtApplication();
  auto G = Plain(3, 600);
  G->SetRowCount(3);
  G->Font()->SetName(QStringLiteral("Arial"));
  G->Font()->SetSize(10);
  const TPoint Word = Measured(QStringLiteral("Arial"), 10, QStringLiteral("Temperature"));
  G->SetColWidths(1, Word.X + 8);
  G->SetCells(1, 1, QStringLiteral("Temperature Temperature Temperature"));
  G->AutoSizeRow(1, 0);
  EXPECT_EQ(G->RowHeights(1), 3 * Word.Y + 6);
  G->AutoSizeRow(1, 5);
  EXPECT_EQ(G->RowHeights(1), 3 * Word.Y + 6 + 5);
}

TEST(AutoSize, FittingColumnsIntoTheControl)
{
  auto G = Plain(4, 400);
  G->SetBorderStyle(bsSingle);
  for (int32_t C = 0; C < 4; ++C)
    G->SetColWidths(C, 50);
  G->SetOptions(G->Options() & ~GridOptionBit(goVertLine));
  G->AutoFitColumns(false);
  EXPECT_EQ(G->ColWidths(0), 50); // the fixed column keeps its width
  int32_t Sum = 0;
  for (int32_t C = 1; C < 4; ++C)
    Sum += G->ColWidths(C);
  EXPECT_EQ(Sum, 400 - 50 - 4); // the rest, less the border
  G->SizeToCols();
  EXPECT_EQ(G->ClientWidth(), 50 + Sum);
}
