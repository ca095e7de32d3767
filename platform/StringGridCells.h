#pragma once
// The cell store of the framework's string grid: a text and an object
// pointer per cell, held sparsely. A row takes memory only once one of its
// cells holds text or an object, and then only up to its last such cell; a
// cell that is set back to empty text and no object gives its slot up. So
// a grid of 6001 x 31 cells that shows nothing holds no cell at all.
//
// The store knows nothing of the grid's counts: cells beyond a shrunk row or
// column count keep their content (hidden columns live there), and come
// back when the count grows again.
//
// Objects are not owned: whoever puts an object into a cell frees it.
// Negative indexes read as empty and are ignored on writing.
#include "rtl/Object.h"

#include <memory>
#include <vector>

class TStringList;

class TStringGridCells {
public:
  TStringGridCells();
  ~TStringGridCells();
  TStringGridCells(const TStringGridCells&) = delete;
  TStringGridCells& operator=(const TStringGridCells&) = delete;

  String Cell(int32_t ACol, int32_t ARow) const;
  void SetCell(int32_t ACol, int32_t ARow, const String& Value);
  TObject* Object(int32_t ACol, int32_t ARow) const;
  void SetObject(int32_t ACol, int32_t ARow, TObject* Value);

  // Whole rows and columns as string lists (texts with their objects),
  // ColCount (RowCount) entries long. Setting writes every cell of the
  // range: entries beyond the list's count become empty.
  void GetRow(int32_t ARow, int32_t ColCount, TStringList& Into) const;
  void SetRow(int32_t ARow, int32_t ColCount, const TStringList& From);
  void GetCol(int32_t ACol, int32_t RowCount, TStringList& Into) const;
  void SetCol(int32_t ACol, int32_t RowCount, const TStringList& From);

  // The cells of a row or column move to the new index and those between
  // shift by one towards the old place.
  void MoveRow(int32_t FromIndex, int32_t ToIndex);
  // Two rows change places whole, in constant time whatever lies between.
  void ExchangeRows(int32_t ARow1, int32_t ARow2);
  void MoveCol(int32_t FromIndex, int32_t ToIndex);
  // The row (column) goes; those after it move up (left) by one.
  void DeleteRow(int32_t ARow);
  void DeleteCol(int32_t ACol);
  // Count empty rows (columns) at the index; those from there on move down
  // (right).
  void InsertRows(int32_t ARow, int32_t Count);
  void InsertCols(int32_t ACol, int32_t Count);
  void Clear();

  // Cell slots held (filled cells and the empty ones before them in their
  // rows), and rows holding any.
  int64_t SlotCount() const;
  int32_t RowsHeld() const;
  // One past the last row (column) that holds a cell; 0 when none.
  int32_t RowExtent() const;
  int32_t ColExtent() const;

private:
  struct TSlot {
    String Text;
    TObject* Obj = nullptr;
    bool IsEmpty() const { return Text.isEmpty() && Obj == nullptr; }
  };
  using TRowCells = std::vector<TSlot>;

  const TSlot* Find(int32_t ACol, int32_t ARow) const;
  TSlot* Slot(int32_t ACol, int32_t ARow);
  void Release(int32_t ACol, int32_t ARow);
  void TrimRows();
  void ReadLine(int32_t Index, int32_t Count, bool IsRow, TStringList& Into) const;
  void WriteLine(int32_t Index, int32_t Count, bool IsRow, const TStringList& From);

  // Indexed by row, null for a row without cells, no longer than the last
  // row that holds one.
  std::vector<std::unique_ptr<TRowCells>> FRows;
};
