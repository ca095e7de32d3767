#pragma once
// The time scroll window (form "MDIScroll", the main window's "Scroll
// Display"): a running log of the samples, newest on top under the header,
// with columns "Date", "Time" and one per chosen item (ascending, headed
// with its name; a third column stands even with nothing chosen).
//
// DataUpdate puts a row for the sample under the header: the readings as
// the core formatted them, and the date and time of the newest reading in
// the row (each value carries its own stamp; a row of pressure-module
// values has no profiling-instrument stamp to borrow, and a row of values
// taken at one moment should not show another). Then the table is trimmed
// to Maximum_View_Points rows, the header included (at least the header and
// one row), also when the limit was lowered while the window stood open.
//
// A rebuild (an item switched on or off) replays the core's history, oldest
// first, so a newly chosen item shows its past at once: row 1 is emptied and
// each history sample goes in on top of it, trimmed as above. Switching the
// last item off leaves two rows and three columns showing what they showed.
//
// The column widths are the operator's, kept in "colsizes.ini" under
// "Time Scroll" (TTableWindow::KeepColumnSizes).
#include "app/windows/TableWindow.h"

class TMDIScroll : public TTableWindow {
public:
  explicit TMDIScroll(IDisplayHost& Host);
  ~TMDIScroll() override;
  String ClassName() const override;

  void DataUpdate() override;
  // Replays the history into the table; the end of every rebuild.
  void InitialUpdate();

protected:
  void ContentSetup() override;

private:
  // Row Row of one sample: its stamp (none when 0) and its texts in the
  // item columns.
  void WriteSample(int32_t Row, TDateTime Date, TDateTime Time, const std::vector<String>& Values);
  // The rows the table holds at most, the header included.
  int32_t RowLimit() const;
  void TrimRows();
};
