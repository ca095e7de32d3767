#pragma once
// The bases of chart tools and animations: chart elements that are not
// series but hear the chart's drawing steps and the user's mouse, wheel,
// keys and drag and drop. Every event operation does nothing here; tool
// kinds override what they need. A chart keeps its tools and animations in
// two lists (TChartTools, TChartAnimations) that do not own them: a tool
// leaves its chart's list when it is destroyed or moved to another chart.
// Main thread only.
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/CustomChartElement.h"

#include <vector>

class TChartSeries;

enum TChartMouseEvent : uint8_t { cmeDown, cmeMove, cmeUp };
enum TWheelMouseEvent : uint8_t { wmeDown, wmeMove, wmeUp };
enum TChartKeyEvent : uint8_t { ckeDown, ckeUp, ckePress };
enum TChartDragDropEvent : uint8_t { cdeOver, cdeDrop, cdeStart, cdeEnd };

class TZuzCustomTool : public TCustomChartElement {
public:
  explicit TZuzCustomTool(TComponent* AOwner);
  // Leaves its chart's list.
  ~TZuzCustomTool() override;
  String ClassName() const override;

  // Leaves the old chart's list and joins the new chart's (which applies
  // the chart's theme).
  void SetParentChart(TCustomAxisPanel* Value) override;

  virtual void ChartEvent(TChartToolEvent AEvent);
  virtual void ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual void ChartDragDropEvent(TChartDragDropEvent AEvent, TObject* Source, int32_t X, int32_t Y, bool& Accept);
  virtual void ChartKeyEvent(TChartKeyEvent AEvent, uint16_t& Key, char16_t& KeyChar, TShiftState Shift);
  virtual void SeriesEvent(TChartToolEvent AEvent, TChartSeries* Series);
  virtual void WheelMouseEvent(TWheelMouseEvent AEvent, int32_t Delta, int32_t X, int32_t Y);
  virtual String Description() const { return String(); }
  virtual String LongDescription() const { return String(); }
  // Either class derives from the other.
  bool SameClass(const TZuzCustomTool* Tool) const;

protected:
  // The list of the chart this kind of element lives in.
  virtual class TChartTools* ListOf(TCustomAxisPanel* Chart) const;
};

class TZuzCustomAnimation : public TZuzCustomTool {
public:
  explicit TZuzCustomAnimation(TComponent* AOwner);
  ~TZuzCustomAnimation() override;
  String ClassName() const override;
  virtual void Play() = 0;

protected:
  TChartTools* ListOf(TCustomAxisPanel* Chart) const override;
};

class TChartTools : public TObject {
public:
  explicit TChartTools(TCustomAxisPanel* AOwner);
  ~TChartTools() override;
  String ClassName() const override;
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // Raises EListError outside the list.
  TZuzCustomTool* Items(int32_t Index) const;
  int32_t IndexOf(const TZuzCustomTool* Tool) const;
  // Through the tool's parent chart when the list has a chart.
  TZuzCustomTool* Add(TZuzCustomTool* Tool);
  // Applies the chart's theme to a tool new to it, then appends.
  void InternalAdd(TZuzCustomTool* Tool);
  void Remove(TZuzCustomTool* Tool);
  // Frees every tool.
  void Clear();
  void SetActive(bool Value);
  const std::vector<TZuzCustomTool*>& Items() const { return FItems; }
  TCustomAxisPanel* Owner() const { return FOwner; }

private:
  TCustomAxisPanel* FOwner;
  std::vector<TZuzCustomTool*> FItems;
};

class TChartAnimations : public TChartTools {
public:
  using TChartTools::TChartTools;
  String ClassName() const override;
};
