#pragma once
// The latest-values table (form "MDILast", the main window's "Last Data
// Display"): one row per chosen item, ascending, with its name, the date
// and time of its latest reading, the reading as the core formatted it, and
// a quality mark that judges the sample's salinity against the configured
// range: "1" (drawn solid red) while it lies below Salinity_Low or above
// Salinity_High, "0" (solid green) while it lies inside, the limits
// counting as inside. The mark follows the salinity, so every row shows the
// same one.
//
// Where there is nothing to judge the mark is left empty and drawn in the
// grid's own colours, never as good: no salinity sensor fitted, a salinity
// that is no number ("-----", a replayed file's text) or not finite, and
// before the first sample. A salinity that is no number costs only the
// mark; the readings are still written.
//
// A rebuild (an item switched on or off) writes the names and fits the
// columns to their content; the first sample after it fits them again to
// the values, after which they stay as the operator sizes them. A row that
// now shows another item than before loses its old reading, date, time and
// mark until the next sample, so no reading stands under another item's
// name; switching the last item off leaves the table as it was.
#include "app/windows/TableWindow.h"

#include <vector>

class TBrush;

class TMDILast : public TTableWindow {
public:
  explicit TMDILast(IDisplayHost& Host);
  ~TMDILast() override;
  String ClassName() const override;

  void DataUpdate() override;
  // The grid's cell colour event: the mark column's solid red or green.
  void ZurEvoderOzod1GetCellColor(int32_t ARow, int32_t ACol, TBrush* ABrush, TFont* AFont);

protected:
  void FormShow() override;
  void ContentSetup() override;

private:
  // "1", "0", or empty when there is nothing to judge.
  String QualityMark() const;

  // The item each row showed last (index = row; 0 none).
  std::vector<int32_t> FRowItems;
};
