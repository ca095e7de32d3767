#pragma once
// The depth scroll window (form "MDIDepthScroll", the main window's "Depth
// Scroll Display"): the depth tables as a table of the 6000 depth bins, the
// bin's depth in the first column ("Depth, m") and each chosen item's value
// in that bin in a column of its own (ascending, headed with its name; a
// second column stands even with nothing chosen). The rows are rewritten at
// every sample and after a data file has been replayed; a bin where the item
// was never seen shows 0 in the item's format.
//
// The item's column reads the depth table of the item's sensor slot, found
// through the slot index variables (TDisplayWindow::ItemSlot), and is
// formatted with the item's mask (DataFormatArray[2N-1]).
//
// A sample changes a few bins of the 6000; the window remembers the value
// and the mask each cell was written from and formats and writes only the
// cells whose value or mask changed (all of them after a rebuild), so the
// table ends as a full rewrite would leave it at a small part of the cost.
//
// The column widths are the operator's, kept in "colsizes.ini" under
// "Depth Scroll" (TTableWindow::KeepColumnSizes).
#include "app/windows/TableWindow.h"

#include <cstdint>
#include <vector>

class TMDIDepthScroll : public TTableWindow {
public:
  explicit TMDIDepthScroll(IDisplayHost& Host);
  ~TMDIDepthScroll() override;
  String ClassName() const override;

  void DataUpdate() override;

protected:
  void ContentSetup() override;

private:
  // What an item column was last written from.
  struct TColumnShown {
    int32_t Slot = -1;
    String Mask;
    // The value of each bin (index bin - 1), as its bits; empty: nothing
    // written since the last rebuild.
    std::vector<uint64_t> Bits;
  };
  std::vector<TColumnShown> FColumns;
  // The depth written into each bin's first cell; empty likewise.
  std::vector<int32_t> FDepths;
};
