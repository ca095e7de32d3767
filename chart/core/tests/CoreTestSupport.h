#pragma once
// What the chart core tests share: the GUI application (offscreen), a
// private config folder so that no user's chart editor options leak in, the
// chart library started once, and a chart that draws into an image.
#include "chart/core/CustomAxisPanel.h"
#include "chart/canvas/tests/RecordingCanvas.h"
#include "chart/core/ChartSeries.h"
#include "chart/canvas/Geometry.h"
#include "chart/core/CustomChart.h"
#include "platform/Canvas.h"

#include <QImage>
#include <QStringList>

#include <functional>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

// An axis panel sized W x H whose device is an image; Paint() draws it.
class TImageChart : public TCustomAxisPanel {
public:
  TImageChart(int32_t W = 400, int32_t H = 250);
  ~TImageChart() override;
  using TCustomAxisPanel::Paint;
  // Told of every invalidation that takes effect (AutoRepaint on).
  void Invalidate() override;
  std::function<void()> OnInvalidate;
  QImage Image;
};

// A complete chart sized W x H whose device is an image.
class TImageTChart : public TChart {
public:
  TImageTChart(int32_t W = 400, int32_t H = 250);
  ~TImageTChart() override;
  using TChart::Paint;
  QImage Image;
};

// A series whose points are hit within 3 pixels of their pixel; Tests
// counts the hit tests.
class TDotSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
  int32_t Clicked(int32_t X, int32_t Y) override;
  using TChartSeries::Clicked;
  int Tests = 0;
};

// A recording canvas that also logs "Begin <entity>" and "End".
class TEntityLogCanvas : public TRecordingCanvas {
public:
  TVisualBlock* BeginEntity(const String& Entity, TVisualBlock*, TZuzTransform*) override;
  void EndEntity() override;
  // The calls inside the first entity named Name.
  QStringList Inside(const QString& Name) const;
  // Every entity opened, with the visual block it was opened with.
  std::vector<std::pair<String, TVisualBlock*>> Entities;
};

// A visual block that logs where it was placed and how it was drawn:
// "Draw L(x,y,z) S(x,y,z) #colour T<transparency>", "Path x,y #colour",
// "ClearPath". Published, so a series can clone it from a template.
class TRecordingBlock : public TVisualBlock {
public:
  explicit TRecordingBlock(TComponent* AOwner);
  ~TRecordingBlock() override;
  String ClassName() const override;
  void DrawBlock(TPen* APen, TBrush* ABrush, TZuzTransparency ATransparency, TColor AColor) override;
  void AddPathPoint(float X, float Y, TColor AColor) override;
  void ClearPath() override;
  void Repaint() override {}
  QWidget* Editor(QWidget*, bool) override { return nullptr; }
  QStringList Log;
  TPen* DrawnPen = nullptr;
  TBrush* DrawnBrush = nullptr;
  // Set to true when the block is freed.
  bool* Freed = nullptr;
};

// The same, of a class that cannot be made by name.
class TUnlistedBlock : public TRecordingBlock {
public:
  using TRecordingBlock::TRecordingBlock;
};

// The points of a series as (X, Y) pairs.
using TPoints = std::vector<std::pair<double, double>>;
TPoints PointsOf(const TChartSeries* S);

// The folder that stands for the user's config folder during the tests.
String TestConfigFolder();

// Readable test output for texts and lists of them.
inline void PrintTo(const QString& S, std::ostream* Os) { *Os << '"' << S.toStdString() << '"'; }
inline void PrintTo(const QStringList& L, std::ostream* Os)
{
  *Os << '{';
  for (const QString& S : L)
    *Os << ' ' << '"' << S.toStdString() << '"';
  *Os << " }";
}
