#pragma once
// Lists of integers that belong to a cell and report their changes: a
// cell's image indexes, the grid's hidden-row look-up, selections, column
// orders and sizes. Add, Delete, DeleteValue and setting an item fire
// OnChange (with the list, Col and Row); Insert at a position and Clear do
// not. The sorted operations expect the list in ascending order.
#include "grid/base/RurTypes.h"

#include <vector>

class TIntList : public TObject {
public:
  // Col and Row name the owning cell (-1 or 0 where the list belongs to the
  // grid). Each new list gets the next serial Tag of the process.
  TIntList(int32_t Col, int32_t Row);
  ~TIntList() override;
  String ClassName() const override;

  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // Index errors raise EListError "List index out of bounds (<i>)".
  int32_t GetInteger(int32_t Index) const;
  void SetInteger(int32_t Index, int32_t Value);
  int32_t operator[](int32_t Index) const { return GetInteger(Index); }
  int32_t Add(int32_t Value);
  void Delete(int32_t Index);
  // Deletes the first occurrence; nothing when absent.
  void DeleteValue(int32_t Value);
  bool HasValue(int32_t Value) const;
  int32_t IndexOf(int32_t Value) const;
  // At a position, silently (Index clipped to the list).
  void Insert(int32_t Index, int32_t Value);
  // Sorted insert: into an empty list through Add (notifies), otherwise at
  // SortedPosOf(Value) without notification.
  void Insert(int32_t Value);
  // Binary searches: the index of an equal item (-1 when absent); the index
  // where Value would go. Any of several equal items may be found.
  int32_t SortedIndexOf(int32_t Value) const;
  int32_t SortedPosOf(int32_t Value) const;
  void Clear();
  void Exchange(int32_t Index1, int32_t Index2);
  void Move(int32_t CurIndex, int32_t NewIndex);
  void Assign(const TIntList& Source);

  // "3,-1,7". Setting clears the list and adds each comma-separated item
  // (each addition notifies); a piece that is no integer raises
  // EConvertError, leaving the items before it.
  String StrValue() const;
  void SetStrValue(const String& Value);

  int32_t Col() const { return FCol; }
  int32_t Row() const { return FRow; }
  int32_t Tag() const { return FTag; }

  TImageChangeEvent OnChange;

protected:
  void Changed();
  // The index of an item equal to Value, or -1; LastMid is the last middle
  // index visited.
  int32_t BinarySearch(int32_t Value, int32_t& LastMid) const;
  void CheckIndex(int32_t Index) const;
  std::vector<int32_t> FItems;

private:
  int32_t FCol;
  int32_t FRow;
  int32_t FTag;
};

// The columns of a multi-column sort, primary first, each with its
// direction (bit 31 set: descending).
class TSortIndexList : public TIntList {
public:
  TSortIndexList();
  String ClassName() const override;

  void AddIndex(int32_t ColumnIndex, bool Ascending);
  // Position of the first item for that column, -1 when absent.
  int32_t FindIndex(int32_t ColumnIndex) const;
  int32_t SortColumns(int32_t Index) const;
  void SetSortColumns(int32_t Index, int32_t Column);
  bool SortDirections(int32_t Index) const; // True: ascending
  void SetSortDirections(int32_t Index, bool Ascending);
  // Flips the direction of the first item for that column, if any.
  void ToggleIndex(int32_t ColumnIndex);
  // "u2;d5": "u" ascending or "d" descending and the column (low 16 bits),
  // joined by ";". Loading skips pieces shorter than two characters; a
  // malformed number gives the value of its leading digits.
  String SaveToString() const;
  void LoadFromString(const String& S);
};
