// The string grid's store of cell graphic records: made, found, replaced
// and freed with their cell. Columns are real, rows display rows.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"

namespace {

// The grid's shared row check-box record: never attached to a cell, never
// freed by the cell operations.
bool IsVirtualRecord(const TCellGraphic* G)
{
  return G && (G->CellType() == ctVirtCheckBox || G->CellType() == ctRowCheckBox);
}

} // namespace

TCellGraphic* TZurEvoderOzod::CreateCellGraphic(int32_t ACol, int32_t ARow)
{
  TCellGraphic* Old = GetCellGraphic(ACol, ARow);
  auto* G = new TCellGraphic();
  if (!GetGridCell(ACol, ARow).isEmpty()) {
    SetGraphicObjectEx(ACol, ARow, G);
  } else {
    // Through a blank, so that the cell has storage while its record is
    // made; both writes announce the text change.
    SetCellEx(ACol, ARow, QStringLiteral(" "));
    SetGraphicObjectEx(ACol, ARow, G);
    SetCellEx(ACol, ARow, String());
  }
  if (Old && Old != G && !IsVirtualRecord(Old) && Old != FCellGraphic.get())
    delete Old;
  if (FNumHidden > 0 && DisplColIndex(ACol) != ACol)
    RepaintCell(DisplColIndex(ACol), ARow);
  return G;
}

TCellGraphic* TZurEvoderOzod::GetCellGraphic(int32_t ACol, int32_t ARow)
{
  if (ACol == 0 && FMouseActions->HotmailRowSelect()) {
    TCellGraphic* G = FCellGraphic.get();
    G->SetCellType(ctRowCheckBox);
    // The rows' disjunct selection: row 0 shows all, some or none.
    const int32_t Selected = FSelectedRows->Count();
    const int32_t Normal = RowCount() - TBaseGrid::FixedRows();
    if (ARow == 0) {
      G->SetCellAngle(Selected > 0 && Selected < Normal ? 1 : 0);
      G->SetCellBoolean(Selected >= Normal);
    } else {
      const size_t Real = static_cast<size_t>(RealRowIndex(ARow));
      G->SetCellAngle(0);
      G->SetCellBoolean(Real < FRowSelect.size() && FRowSelect[Real]);
    }
    G->SetCellTransparent(FControlLook->ControlStyle() == csFlat);
    return G;
  }
  return dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
}

TCellType TZurEvoderOzod::GetCellType(int32_t ACol, int32_t ARow)
{
  if (ACol < 0 || ARow < 0)
    return ctEmpty;
  if (ACol == 0 && FMouseActions->HotmailRowSelect())
    return ctRowCheckBox;
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return G ? G->CellType() : ctEmpty;
}

bool TZurEvoderOzod::GetCellEmpty(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  return !G || (G->CellType() == ctNone && G->CellComment().isEmpty());
}

bool TZurEvoderOzod::IsCellGraphic(int32_t ACol, int32_t ARow, TCellTypes Types)
{
  if (ACol < 0 || ARow < 0)
    return false;
  const TPoint Base = BaseCell(ACol, ARow);
  const TCellGraphic* G = GetCellGraphic(Base.X, Base.Y);
  return G && (Types & CellTypeBit(G->CellType()));
}

bool TZurEvoderOzod::FreeCellGraphic(int32_t ACol, int32_t ARow)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G)
    return false;
  if (G == FCellGraphic.get())
    return true;
  if (HasCellProperties(ACol, ARow))
    GetCellProperties(ACol, ARow)->SetGraphicObject(nullptr);
  if (!IsVirtualRecord(G))
    delete G;
  if (!(ComponentState() & csDestroying))
    RepaintCell(DisplColIndex(ACol), ARow);
  return true;
}

bool TZurEvoderOzod::RemoveCellGraphic(int32_t ACol, int32_t ARow, TCellType CellType)
{
  if (GetCellType(ACol, ARow) != CellType)
    return false;
  return FreeCellGraphic(ACol, ARow);
}

TIntList* TZurEvoderOzod::GetCellImages(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return G ? G->Images() : nullptr;
}

intptr_t TZurEvoderOzod::GetCellImageIdx(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G)
    return -1;
  switch (G->CellType()) {
  case ctImageList:
    return G->CellIndex();
  case ctBitmap:
    return reinterpret_cast<intptr_t>(G->CellBitmap());
  case ctIcon:
    return reinterpret_cast<intptr_t>(G->CellIcon());
  default:
    return -1;
  }
}

// ---------------------------------------------------------------- kinds the base grid asks about

bool TZurEvoderOzod::IsNode(int32_t ARow) { return GetCellType(0, ARow) == ctNode; }

bool TZurEvoderOzod::IsSummary(int32_t ARow) { return GetCellType(0, ARow) == ctSummary; }
