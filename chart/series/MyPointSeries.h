#pragma once
// A point series that ties each point to the axes: before a point's
// pointer it draws, with LinesPen, a line from the vertical axis across to
// the point and one from the point down to the horizontal axis, so a
// pointer reads like a level on a scale.
//
// Published besides the point series' (default): LinesPen (the series'
// pen defaults). Main thread only.
#include "chart/series/PointSeries.h"

#include <memory>

class TZuzPen;

class TMyPointSeries : public TPointSeries {
public:
  explicit TMyPointSeries(TComponent* AOwner);
  ~TMyPointSeries() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  TZuzPen* LinesPen() const { return FLinesPen.get(); }
  void SetLinesPen(TZuzPen* Value);

  void DrawValue(int32_t ValueIndex) override;

private:
  std::unique_ptr<TZuzPen> FLinesPen;
};
