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

void TMDIScroll::InsertSample(TDateTime Date, TDateTime Time, const std::vector<String>& Values)
{
  TZurEvoderOzod* G = ZurEvoderOzod1;
  const TFormatSettings& FS = Core().Locale_Format;
  G->InsertRows(1, 1);
  const bool Stamped = Date != 0 || Time != 0;
  G->SetCells(0, 1, Stamped ? DateToStr(Date, FS) : String());
  G->SetCells(1, 1, Stamped ? TimeToStr(Time, FS) : String());
  int32_t Col = FirstItemColumn;
  for (const String& V : Values)
    G->SetCells(Col++, 1, V);
  TrimRows();
}

void TMDIScroll::TrimRows()
{
  // The header and at least one row, whatever a settings file says.
  const int32_t Limit = std::max(Core().Maximum_View_Points, 2);
  TZurEvoderOzod* G = ZurEvoderOzod1;
  if (G->RowCount() > Limit)
    G->RemoveRows(Limit, G->RowCount() - Limit);
}

void TMDIScroll::InitialUpdate()
{
  if (DataUpdateFlag == 1) {
    const TCoreData& C = Core();
    const TSampleHistory& H = C.History;
    std::vector<int32_t> Slots;
    for (int32_t N : ShownItems())
      Slots.push_back(ItemSlot(N));
    ClearRow(1);
    ZurEvoderOzod1->BeginUpdate();
    const auto End = qScopeGuard([this] { ZurEvoderOzod1->EndUpdate(); });
    std::vector<String> Values(Slots.size());
    for (int32_t J = 0; J < H.Time_Array_Index(); ++J) {
      for (size_t K = 0; K < Slots.size(); ++K)
        Values[K] = Slots[K] >= 0 ? H.Value(Slots[K], J) : String();
      InsertSample(H.DateArray(J), H.TimeArray(J), Values);
    }
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
    InsertSample(Date, Time, Values);
  }
  ProcessMessages();
}
