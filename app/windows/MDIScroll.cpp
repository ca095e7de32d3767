#include "app/windows/MDIScroll.h"

#include "app/core/CoreData.h"
#include "grid/core/ZurEvoderOzod.h"
#include "rtl/DateTime.h"

#include <QScopeGuard>

#include <algorithm>

namespace {

constexpr int32_t FirstItemColumn = 2;

} // namespace

TMDIScroll::TMDIScroll(IDisplayHost& Host)
    : TTableWindow(Host, TMdiChildKind::Scroll, "MDIScroll", "Scroll Window", "Arial", 1, 2)
{
  KeepColumnSizes("Time Scroll");
}

TMDIScroll::~TMDIScroll() = default;

String TMDIScroll::ClassName() const { return QStringLiteral("TMDIScroll"); }

void TMDIScroll::ContentSetup()
{
  TZurEvoderOzod* G = ZurEvoderOzod1;
  G->SetRowCount(2);
  G->SetColCount(FirstItemColumn + 1);
  G->SetCells(0, 0, QStringLiteral("Date"));
  G->SetCells(1, 0, QStringLiteral("Time"));
  NameItems(true);
  LoadColumnSizes();
  InitialUpdate();
  ProcessMessages();
}

void TMDIScroll::WriteSample(int32_t Row, TDateTime Date, TDateTime Time, const std::vector<String>& Values)
{
  TZurEvoderOzod* G = ZurEvoderOzod1;
  const TFormatSettings& FS = Core().Locale_Format;
  const bool Stamped = Date != 0 || Time != 0;
  G->SetCells(0, Row, Stamped ? DateToStr(Date, FS) : String());
  G->SetCells(1, Row, Stamped ? TimeToStr(Time, FS) : String());
  int32_t Col = FirstItemColumn;
  for (const String& V : Values)
    G->SetCells(Col++, Row, V);
}

int32_t TMDIScroll::RowLimit() const
{
  // The header and at least one row, whatever a settings file says.
  return std::max(Core().Maximum_View_Points, 2);
}

void TMDIScroll::TrimRows()
{
  const int32_t Limit = RowLimit();
  TZurEvoderOzod* G = ZurEvoderOzod1;
  if (G->RowCount() > Limit)
    G->RemoveRows(Limit, G->RowCount() - Limit);
}

// Row 1 emptied, then each history sample, oldest first, put on top and
// the table trimmed: that leaves the newest samples that fit on top, newest
// first, and the emptied row under them while there is room. Made here in
// one insertion rather than one per sample, which would move the whole
// table a thousand times.
void TMDIScroll::InitialUpdate()
{
  if (DataUpdateFlag == 1) {
    const TSampleHistory& H = Core().History;
    std::vector<int32_t> Slots;
    for (int32_t N : ShownItems())
      Slots.push_back(ItemSlot(N));
    TZurEvoderOzod* G = ZurEvoderOzod1;
    G->BeginUpdate();
    const auto End = qScopeGuard([G] { G->EndUpdate(); });
    ClearRow(1);
    const int32_t Count = std::min(H.Time_Array_Index(), RowLimit() - 1);
    G->InsertRows(1, Count);
    std::vector<String> Values(Slots.size());
    for (int32_t Row = 1; Row <= Count; ++Row) {
      const int32_t J = H.Time_Array_Index() - Row;
      for (size_t K = 0; K < Slots.size(); ++K)
        Values[K] = Slots[K] >= 0 ? H.Value(Slots[K], J) : String();
      WriteSample(Row, H.DateArray(J), H.TimeArray(J), Values);
    }
    TrimRows();
  }
  ProcessMessages();
}

void TMDIScroll::DataUpdate()
{
  if (DataUpdateFlag == 1) {
    const TCoreData& C = Core();
    std::vector<String> Values;
    TDateTime Date = 0, Time = 0;
    for (int32_t N : ShownItems()) {
      const auto Index = static_cast<size_t>(2 * N - 1);
      Values.push_back(C.Value(2 * N - 1));
      if (Index >= C.DataDateArray.size() || Index >= C.DataTimeArray.size())
        continue;
      const TDateTime D = C.DataDateArray[Index], T = C.DataTimeArray[Index];
      if (D + T > Date + Time) {
        Date = D;
        Time = T;
      }
    }
    // One change of the table, not three: the row count goes up and back
    // down within it, so the scroll bars neither move nor repaint, and the
    // rows already shown are moved down on the screen, not painted again.
    TZurEvoderOzod* G = ZurEvoderOzod1;
    G->BeginUpdate();
    const auto End = qScopeGuard([G] { G->EndUpdate(); });
    G->InsertRows(1, 1);
    WriteSample(1, Date, Time, Values);
    TrimRows();
    G->ShowRowsInserted(1, 1);
  }
  ProcessMessages();
}
