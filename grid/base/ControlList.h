#pragma once
// The controls placed in cells, by cell: the grid keeps one item per
// control with the cell's column and row. The list owns its items, not the
// controls.
#include "rtl/Object.h"

#include <memory>
#include <vector>

class QWidget;
class TControl;

struct TControlItem {
  int32_t FX = 0; // column
  int32_t FY = 0; // row
  TControl* FObject = nullptr;
};

class TControlList : public TObject {
public:
  TControlList();
  ~TControlList() override;
  String ClassName() const override;

  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  void AddControl(int32_t X, int32_t Y, TControl* AObject);
  // The first item for that cell; -1 when none.
  int32_t ControlIndex(int32_t X, int32_t Y) const;
  // Index errors raise EListError "List index out of bounds (<i>)".
  TControlItem* GetControl(int32_t Index) const;
  // Frees the item; the control stays.
  void RemoveControl(int32_t Index);
  void ClearControls();
  // Whether an item's control is a windowed control with that window.
  bool HasHandle(const QWidget* Handle) const;

private:
  std::vector<std::unique_ptr<TControlItem>> FItems;
};
