#include "chart/canvas/ClipHistory.h"
#include "platform/Canvas.h"
#include "platform/Region.h"

#include <vector>

namespace {
std::vector<TRegion>& History()
{
  static std::vector<TRegion> List;
  return List;
}
} // namespace

void SetCanvasRegion(TCanvas* DC, const TRegion& Region, TRegionMode Mode)
{
  if (!DC)
    return;
  TRegion Current;
  if (DC->GetClipRgn(Current))
    History().push_back(Current);
  DC->ExtSelectClipRgn(&Region, Mode);
}

void ClipCanvas(TCanvas* Canvas, const TRect& Rect) { SetCanvasRegion(Canvas, TRegion::FromRect(Rect), RGN_AND); }

void UnClipCanvas(TCanvas* Canvas)
{
  if (!Canvas)
    return;
  auto& H = History();
  if (H.empty()) {
    Canvas->SelectClipRgn(nullptr);
    return;
  }
  Canvas->SelectClipRgn(&H.back());
  H.pop_back();
}

void DeleteClipHistory() { History().clear(); }

int32_t ClipHistoryCount() { return static_cast<int32_t>(History().size()); }

TRegion InternalCreateRegion(TCanvas*, std::span<const TPoint> Points, int32_t NumPoints)
{
  const size_t N = std::min<size_t>(Points.size(), NumPoints < 0 ? 0 : static_cast<size_t>(NumPoints));
  return TRegion::FromPolygon(Points.first(N));
}
