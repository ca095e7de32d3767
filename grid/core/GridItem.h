#pragma once
// One row taken out of the grid (hidden, collapsed into its node or
// filtered out), kept in the grid's row store until it comes back: its real
// index, its height, the filter level that took it and, in Items, the text
// of every cell with the cell's property record as the string's object.
// The item owns the list but not the records: they go back into the grid
// with the row.
#include "platform/Collection.h"

#include <memory>

class TStringList;

class TGridItem : public TCollectionItem {
public:
  explicit TGridItem(TCollection* ACollection);
  ~TGridItem() override;
  String ClassName() const override;

  int32_t Idx() const { return FIdx; }
  void SetIdx(int32_t Value) { FIdx = Value; }
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t Value) { FHeight = Value; }
  TStringList* Items() const { return FItems.get(); }
  void SetItems(TStringList* Value);
  int32_t Level() const { return FLevel; }
  void SetLevel(int32_t Value) { FLevel = Value; }

private:
  int32_t FIdx = 0;
  int32_t FHeight = 0;
  std::unique_ptr<TStringList> FItems;
  int32_t FLevel = 0;
};
