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

class TChartAxis;
class TChartSeries;
class TClassInfo;

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
  // Stores the new parent (the element's own move).
  virtual void StoreParentChart(TCustomAxisPanel* Value);
};

// A tool that works on one series (cursors, marks tips ...); it forgets the
// series when that is freed.
class TZuzCustomToolSeries : public TZuzCustomTool {
public:
  explicit TZuzCustomToolSeries(TComponent* AOwner);
  ~TZuzCustomToolSeries() override;
  String ClassName() const override;
  String GetEditorClass() const override;
  // The series reference (no free notification), then the element's.
  void Assign(TPersistent* Source) override;
  TChartSeries* Series() const { return FSeries; }
  // Nothing when unchanged; no repaint.
  virtual void SetSeries(TChartSeries* Value);
  // The series' custom axis when it is bound to one, else its axis;
  // without a series the first standard axis (bottom, top; left, right)
  // then custom axis an active series uses, else the bottom (left) axis.
  TChartAxis* GetHorizAxis() const;
  TChartAxis* GetVertAxis() const;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TChartSeries* FSeries = nullptr;
};

// A tool that works on one axis; the axis is stored as "AxisID", its index
// in the chart's Axes.
class TZuzCustomToolAxis : public TZuzCustomTool {
public:
  explicit TZuzCustomToolAxis(TComponent* AOwner);
  String ClassName() const override;
  String GetEditorClass() const override;
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;
  TChartAxis* Axis() const { return FAxis; }
  // Moves the tool to the axis' chart (nullptr detaches it) and repaints;
  // nothing when unchanged and already in that chart.
  virtual void SetAxis(TChartAxis* Value);
  // Stores the axis only.
  void InternalSetAxis(TChartAxis* Value) { FAxis = Value; }

private:
  TChartAxis* FAxis = nullptr;
};

class TZuzCustomAnimation : public TZuzCustomTool {
public:
  explicit TZuzCustomAnimation(TComponent* AOwner);
  ~TZuzCustomAnimation() override;
  String ClassName() const override;
  virtual void Play() = 0;
  // The name, else the description, else the class name.
  String Title() const;

protected:
  TChartTools* ListOf(TCustomAxisPanel* Chart) const override;
  // The parent is stored without the element's own move.
  void StoreParentChart(TCustomAxisPanel* Value) override;
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
  // A new tool of the class (a TZuzCustomTool kind) owned by the chart.
  TZuzCustomTool* Add(const TClassInfo* ToolClass);
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
  // Callers keep Index within the list.
  TZuzCustomAnimation* Get(int32_t Index) const;
  // A new animation of the class, owned by the chart's owner.
  TZuzCustomAnimation* AddClass(const TClassInfo* AnimationClass);
};

// The hook an open chart editor installs in its chart: series call Repaint
// when they change, the editor's chart list Refresh. Empty here.
class TZuzCustomDesigner : public TObject {
public:
  String ClassName() const override;
  virtual void Refresh() {}
  virtual void Repaint() {}
};
