#include "app/windows/TableWindow.h"

#include "app/windows/DisplayHost.h"
#include "grid/core/ColumnSize.h"
#include "grid/core/ZurEvoderOzod.h"
#include "platform/Colors.h"
#include "platform/Graphics.h"
#include "platform/StdActns.h"
#include "platform/StringGridCells.h"

#include "rtl/Exceptions.h"

#include <QDebug>
#include <QDir>

#include <algorithm>

TTableWindow::TTableWindow(IDisplayHost& Host, TMdiChildKind Kind, const char* FormName, const char* Caption,
                           const char* CellFontName, int32_t Cols, int32_t Rows)
    : TDisplayWindow(Host, Kind, FormName, TItemChoice::Many)
{
  SetCaption(QString::fromLatin1(Caption));
  auto* G = new TZurEvoderOzod(this);
  ZurEvoderOzod1 = G;
  G->SetName(QStringLiteral("ZurEvoderOzod1"));
  G->SetTabStop(false);
  G->SetDefaultRowHeight(21);
  G->SetOptions(GridOptionBit(goFixedVertLine) | GridOptionBit(goFixedHorzLine) | GridOptionBit(goVertLine) |
                GridOptionBit(goHorzLine) | GridOptionBit(goColSizing));
  G->SetScrollBars(ssBoth);
  G->SetShowSelection(false);
  G->SetHideFocusRect(true);
  G->SetEnableWheel(false);
  G->SetEnableHTML(false);
  // One line per cell: a name or reading wrapped into a row of one line's
  // height shows only its first half, and sizing to content would keep the
  // column narrow.
  G->SetWordWrap(false);
  G->Font()->SetName(QString::fromLatin1(CellFontName));
  G->Font()->SetHeight(-11);
  G->FixedFont()->SetName(QStringLiteral("Arial"));
  G->FixedFont()->SetHeight(-11);
  G->FixedFont()->SetStyle(FontStyleBit(fsBold));
  G->SetColCount(Cols);
  G->SetRowCount(Rows);
  G->SetFixedCols(0);
  G->SetFixedRows(1);
  SetContent(G);
  AddAppearanceItems();
}

TTableWindow::~TTableWindow() = default;

void TTableWindow::FormShow()
{
  TDisplayWindow::FormShow();
  ResizeFlag = 0;
}

void TTableWindow::KeepColumnSizes(const char* Section)
{
  ZurEvoderOzod1->SetFixedColWidth(44);
  TColumnSize* CS = ZurEvoderOzod1->ColumnSize();
  CS->SetSave(true);
  CS->SetLocation(clIniFile);
  CS->SetKey(QDir(Host().SetupFolder()).filePath(QStringLiteral("colsizes.ini")));
  CS->SetSection(QString::fromLatin1(Section));
  // Called as the operator starts sizing a column: the widths as they stand
  // then; the grid saves the last ones when it is freed. The width the
  // operator gives is saved as soon as it is set too, so that it outlives a
  // program that does not end in order.
  ZurEvoderOzod1->OnColumnSize = [this](TObject*, int32_t, bool&) { ColumnSizes(true); };
  ZurEvoderOzod1->OnEndColumnSize = [this](TObject*, int32_t) { ColumnSizes(true); };
}

void TTableWindow::LoadColumnSizes() { ColumnSizes(false); }

void TTableWindow::ColumnSizes(bool Save)
{
  try {
    if (Save)
      ZurEvoderOzod1->SaveColSizes();
    else
      ZurEvoderOzod1->LoadColSizes();
  } catch (const Exception& E) {
    qWarning().noquote() << QStringLiteral("Fathomix: %1: column widths not %2: %3")
                                .arg(Caption(), Save ? QStringLiteral("saved") : QStringLiteral("loaded"), E.Message());
  }
}

void TTableWindow::NameItems(bool Columns)
{
  TZurEvoderOzod* G = ZurEvoderOzod1;
  int32_t Count = 0;
  for (int32_t N : ShownItems()) {
    ++Count;
    if (Count >= 2) {
      if (Columns)
        G->SetColCount(G->ColCount() + 1);
      else
        G->SetRowCount(G->RowCount() + 1);
    }
    G->SetFixedRows(1);
    if (Columns)
      G->SetCells(G->ColCount() - 1, 0, ItemName(N));
    else
      G->SetCells(0, G->RowCount() - 1, ItemName(N));
  }
}

void TTableWindow::FitColumns()
{
  ZurEvoderOzod1->AutoSizeColumns(false, 10);
  ZurEvoderOzod1->Repaint();
}

void TTableWindow::ClearRow(int32_t Row)
{
  TZurEvoderOzod* G = ZurEvoderOzod1;
  const int32_t Cols = std::max(G->ColCount(), G->CellStore().ColExtent());
  for (int32_t C = 0; C < Cols; ++C)
    if (!G->Cells(C, Row).isEmpty())
      G->SetCells(C, Row, String());
}

bool TTableWindow::Appearance(TLayoutAppearance& Out) const
{
  AppearanceOf(ZurEvoderOzod1->Color(), *ZurEvoderOzod1->Font(), Out);
  return true;
}

void TTableWindow::ApplyLayoutAppearance(const TLayoutWindow& Layout)
{
  ZurEvoderOzod1->SetColor(static_cast<TColor>(Layout.Form_Color));
  TFont F;
  F.Assign(ZurEvoderOzod1->Font());
  LayoutFont(Layout, F);
  ZurEvoderOzod1->SetFont(&F);
  // The fixed cells keep their own colour.
  F.SetColor(ZurEvoderOzod1->FixedFont()->Color());
  ZurEvoderOzod1->SetFixedFont(&F);
}

void TTableWindow::ColorSelect1Accept() { ZurEvoderOzod1->SetColor(ColorSelect1->Color()); }

void TTableWindow::FontEdit1Accept()
{
  ZurEvoderOzod1->SetFont(FontEdit1->DialogFont());
  ZurEvoderOzod1->SetFixedFont(FontEdit1->DialogFont());
  ZurEvoderOzod1->FixedFont()->SetColor(clBlack);
  ProcessMessages();
  ZurEvoderOzod1->AutoSizeRows(true, 0);
}
