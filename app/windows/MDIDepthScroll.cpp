#include "app/windows/MDIDepthScroll.h"

#include "app/core/CoreData.h"
#include "grid/core/ZurEvoderOzod.h"
#include "rtl/Numbers.h"

#include <algorithm>
#include <bit>
#include <vector>

TMDIDepthScroll::TMDIDepthScroll(IDisplayHost& Host)
    : TTableWindow(Host, TMdiChildKind::DepthScroll, "MDIDepthScroll", "Depth Scroll Window", "Arial", 1,
                   TDepthBins::BinCount + 1)
{
  KeepColumnSizes("Depth Scroll");
}

TMDIDepthScroll::~TMDIDepthScroll() = default;

String TMDIDepthScroll::ClassName() const { return QStringLiteral("TMDIDepthScroll"); }

void TMDIDepthScroll::ContentSetup()
{
  TZurEvoderOzod* G = ZurEvoderOzod1;
  G->SetColCount(2);
  G->SetCells(0, 0, QStringLiteral("Depth, m"));
  NameItems(true);
  // The columns may hold other items now: the next update writes them all.
  FColumns.clear();
  FDepths.clear();
  LoadColumnSizes();
  ProcessMessages();
}

void TMDIDepthScroll::DataUpdate()
{
  if (DataUpdateFlag == 1) {
    const TCoreData& C = Core();
    TZurEvoderOzod* G = ZurEvoderOzod1;
    const int32_t Bins = std::min(TDepthBins::BinCount, G->RowCount() - 1);
    const std::vector<int32_t> Items = ShownItems();
    FColumns.resize(Items.size());
    for (size_t K = 0; K < Items.size(); ++K) {
      const int32_t N = Items[K];
      const auto Index = static_cast<size_t>(2 * N - 1);
      const int32_t Slot = ItemSlot(N);
      const String Mask = Index < C.DataFormatArray.size() ? C.DataFormatArray[Index] : String();
      TColumnShown& Shown = FColumns[K];
      if (Shown.Slot != Slot || Shown.Mask != Mask || Shown.Bits.size() != static_cast<size_t>(Bins)) {
        Shown.Slot = Slot;
        Shown.Mask = Mask;
        Shown.Bits.clear();
      }
    }
    const bool AllDepths = FDepths.size() != static_cast<size_t>(Bins);
    if (AllDepths)
      FDepths.assign(static_cast<size_t>(Bins), 0);
    for (int32_t Bin = 1; Bin <= Bins; ++Bin) {
      const auto I = static_cast<size_t>(Bin - 1);
      const int32_t Depth = C.Bins.TableDepthArray(Bin);
      if (AllDepths || FDepths[I] != Depth) {
        G->SetCells(0, Bin, IntToStr(Depth));
        FDepths[I] = Depth;
      }
    }
    int32_t Col = 1;
    for (TColumnShown& Shown : FColumns) {
      if (Shown.Slot < 0) {
        // No slot stands for the item (a table rebuilt under the window).
        for (int32_t Bin = 1; Bin <= Bins; ++Bin)
          G->SetCells(Col, Bin, String());
        ++Col;
        continue;
      }
      const bool All = Shown.Bits.empty();
      if (All)
        Shown.Bits.assign(static_cast<size_t>(Bins), 0);
      for (int32_t Bin = 1; Bin <= Bins; ++Bin) {
        const double V = C.DepthTables.Value(Shown.Slot, Bin);
        const auto Bits = std::bit_cast<uint64_t>(V);
        uint64_t& Was = Shown.Bits[static_cast<size_t>(Bin - 1)];
        if (All || Was != Bits) {
          G->SetCells(Col, Bin, FormatFloat(Shown.Mask, V));
          Was = Bits;
        }
      }
      ++Col;
    }
  }
  ProcessMessages();
}
