#include "app/windows/MDILast.h"

#include "app/core/CoreData.h"
#include "grid/core/ZurEvoderOzod.h"
#include "platform/Graphics.h"
#include "rtl/DateTime.h"
#include "rtl/Numbers.h"

#include <cmath>

namespace {

constexpr TColor MarkRed = 255;
constexpr TColor MarkGreen = 32768;
constexpr int32_t MarkColumn = 4;

// The stamp of DataArray entry Index in Stamps, 0 when the table has none.
TDateTime StampOf(const std::vector<TDateTime>& Stamps, int32_t Index)
{
  return Index >= 0 && static_cast<size_t>(Index) < Stamps.size() ? Stamps[static_cast<size_t>(Index)] : 0;
}

} // namespace

TMDILast::TMDILast(IDisplayHost& Host)
    : TTableWindow(Host, TMdiChildKind::LastData, "MDILast", "Last Data Window", "Tahoma", 5, 2)
{
  TZurEvoderOzod* G = ZurEvoderOzod1;
  const char* const Headers[] = {"Parameter", "Date", "Time", "Reading", "QA"};
  const int32_t Widths[] = {70, 36, 40, 56, 28};
  for (int32_t C = 0; C < 5; ++C) {
    G->SetCells(C, 0, QString::fromLatin1(Headers[C]));
    G->SetColWidths(C, Widths[C]);
  }
  G->SetAutoSize(true);
  G->OnGetCellColor = [this](TObject*, int32_t ARow, int32_t ACol, TGridDrawState, TBrush* ABrush, TFont* AFont) {
    ZurEvoderOzod1GetCellColor(ARow, ACol, ABrush, AFont);
  };
}

TMDILast::~TMDILast() = default;

String TMDILast::ClassName() const { return QStringLiteral("TMDILast"); }

void TMDILast::FormShow()
{
  TTableWindow::FormShow();
  DataNumberArray.fill(0);
}

void TMDILast::ContentSetup()
{
  TZurEvoderOzod* G = ZurEvoderOzod1;
  G->SetRowCount(2);
  NameItems(false);
  // A row that takes another item drops what it showed of the old one.
  const std::vector<int32_t> Items = ShownItems();
  for (size_t I = 0; I < Items.size(); ++I) {
    const auto Row = static_cast<int32_t>(I + 1);
    if (FRowItems.size() <= static_cast<size_t>(Row))
      FRowItems.resize(static_cast<size_t>(Row) + 1, 0);
    if (FRowItems[static_cast<size_t>(Row)] != Items[I]) {
      for (int32_t C = 1; C <= MarkColumn; ++C)
        G->SetCells(C, Row, String());
      FRowItems[static_cast<size_t>(Row)] = Items[I];
    }
  }
  FitColumns();
  ResizeFlag = 0;
  ProcessMessages();
}

String TMDILast::QualityMark() const
{
  const TCoreData& C = Core();
  // Without a salinity sensor entry 0 stands in, which is some other item's
  // value or "0.000": nothing that says the water is good.
  if (C.SalinityIndex <= 0)
    return String();
  double Salinity = 0;
  if (!TryStrToFloat(C.Value(C.SalinityIndex), Salinity) || !std::isfinite(Salinity))
    return String();
  return Salinity < C.Salinity_Low || Salinity > C.Salinity_High ? QStringLiteral("1") : QStringLiteral("0");
}

void TMDILast::DataUpdate()
{
  if (DataUpdateFlag == 1) {
    TZurEvoderOzod* G = ZurEvoderOzod1;
    const TCoreData& C = Core();
    const String Mark = QualityMark();
    int32_t Row = 1;
    for (int32_t N : ShownItems()) {
      if (Row >= G->RowCount())
        break;
      const int32_t Index = 2 * N - 1;
      G->SetCells(1, Row, DateToStr(StampOf(C.DataDateArray, Index), C.Locale_Format));
      G->SetCells(2, Row, TimeToStr(StampOf(C.DataTimeArray, Index), C.Locale_Format));
      G->SetCells(3, Row, C.Value(Index));
      G->SetCells(MarkColumn, Row, Mark);
      ++Row;
    }
  }
  if (ResizeFlag == 0) {
    FitColumns();
    ResizeFlag = 1;
  }
  ProcessMessages();
}

void TMDILast::ZurEvoderOzod1GetCellColor(int32_t ARow, int32_t ACol, TBrush* ABrush, TFont* AFont)
{
  if (ARow < 1 || ACol != MarkColumn)
    return;
  const String Mark = ZurEvoderOzod1->Cells(ACol, ARow);
  TColor Colour;
  if (Mark == QLatin1String("1"))
    Colour = MarkRed;
  else if (Mark == QLatin1String("0"))
    Colour = MarkGreen;
  else
    return;
  ABrush->SetColor(Colour);
  AFont->SetColor(Colour);
}
