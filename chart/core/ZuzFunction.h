#pragma once
// Functions: a series can be computed instead of filled. It gets a function
// (TZuzFunction) and one or more source series; whenever a source or a
// setting of the function changes, the series is cleared and the function
// adds the computed points to it (the chart's CheckDatasource runs the
// function through the series' AddValues).
//
// The base gathers the values to combine and hands them to CalculateValue,
// which each function kind defines:
//   - Period 0: one result over all points of the source (CalculateAllPoints):
//     one point in the middle of the X range, or, for an output series that
//     does not allow a single point, a level line from the first to the last
//     X;
//   - Period > 0: one result per period (CalculateByPeriod), a period being
//     Round(Period) points (psNumPoints) or an X range of Period (psRange),
//     the result placed at the first, middle or last X of the period
//     (PeriodAlign); a last incomplete period of points adds nothing, a
//     range without points adds 0;
//   - several sources: one result per point index of the longest source
//     (CalculateMany) or, with CalcByValue, per X value found in the sources
//     (CalculateManyByValue).
// Null points take part only with IncludeNulls (the default).
//
// A function belongs to one series (its parent component), which frees it,
// and is streamed as the series' child. Published (default): CalcByValue
// (False), IncludeNulls (True), Period (0), PeriodAlign (paCenter; paLast for
// moving functions), PeriodStyle (psNumPoints). Main thread only.
#include "platform/Component.h"

#include <vector>

class TChartSeries;
class TChartValueList;
class TCustomAxisPanel;

enum TFunctionPeriodStyle : uint8_t { psNumPoints, psRange };
enum TFunctionPeriodAlign : uint8_t { paFirst, paCenter, paLast };

using TFunctionValues = std::vector<double>;

class TZuzFunction : public TComponent {
public:
  explicit TZuzFunction(TComponent* AOwner);
  // Its series forgets it.
  ~TZuzFunction() override;
  String ClassName() const override;

  // CalcByValue, IncludeNulls, Period, PeriodStyle and PeriodAlign of
  // another function.
  void Assign(TPersistent* Source) override;

  void BeginUpdate() { IUpdating = true; }
  // Recalculates when an update was open.
  void EndUpdate();
  bool Updating() const { return IUpdating; }
  // Unless updating: the output series checks its data source (the chart
  // refills it through this function).
  void ReCalculate();

  bool CalcByValue() const { return FCalcByValue; }
  void SetCalcByValue(bool Value);
  bool IncludeNulls() const { return FIncludeNulls; }
  void SetIncludeNulls(bool Value);
  double Period() const { return FPeriod; }
  // Raises ChartException ZuzMsg_FunctionPeriod for a negative period (the
  // period is unchanged).
  void SetPeriod(double Value);
  // Stores without recalculating.
  void InternalSetPeriod(double Value) { FPeriod = Value; }
  TFunctionPeriodAlign PeriodAlign() const { return FPeriodAlign; }
  void SetPeriodAlign(TFunctionPeriodAlign Value);
  TFunctionPeriodStyle PeriodStyle() const { return FPeriodStyle; }
  void SetPeriodStyle(TFunctionPeriodStyle Value);

  // The output series.
  TChartSeries* ParentSeries() const { return FParent; }
  // Series takes this function (its former function is freed); the former
  // series forgets it.
  void SetParentSeries(TChartSeries* Series);
  // Adds (X, Y) to the output series when Vertical, else (Y, X).
  void AddFunctionXY(bool Vertical, double X, double Y);
  // The source's list the function reads: the one the output series'
  // mandatory list names as its ValueSource, else the source's mandatory
  // list.
  TChartValueList* ValueList(TChartSeries* Source) const;
  // Moves the output series to the right axis and splits the chart: the
  // left axis ends at 70 percent, the right one starts there.
  void SplitAxes();

  // ---- The steps a function kind overrides ---------------------------------------
  // Adds the result of First..Last at X = tmpX.
  virtual void CalculatePeriod(TChartSeries* Source, double tmpX, int32_t FirstIndex, int32_t LastIndex);
  // Stores Value at Values[Position] (sorted kinds insert in order).
  virtual void AddValue(TFunctionValues& Values, int32_t Position, double Value);
  // The combination of the values gathered; 0 here.
  virtual double CalculateValue(const TFunctionValues& Values);
  virtual void CalculateAllPoints(TChartSeries* Source, TChartValueList* NotMandatorySource);
  virtual void CalculateByPeriod(TChartSeries* Source, TChartValueList* NotMandatorySource);
  // By period when Period is not 0, else over all points.
  virtual void DoCalculation(TChartSeries* Source, TChartValueList* NotMandatorySource);
  virtual bool GallerySource() const { return false; }
  virtual String GetEditorClass() const;
  // The chart's last series gets this function and, with two series or
  // more, the second-last one as its source.
  virtual void PrepareForGallery(TCustomAxisPanel* Chart);
  // CalculateValue over the source's values First..Last (First -1: all);
  // null points only with IncludeNulls.
  virtual double Calculate(TChartSeries* Source, int32_t FirstIndex, int32_t LastIndex);
  // CalculateValue over point ValueIndex of each source that has one.
  virtual double CalculateMany(const std::vector<TChartSeries*>& SourceSeries, int32_t ValueIndex);
  // CalculateValue over the point at X of each source that has one.
  virtual double CalculateManyByValue(const std::vector<TChartSeries*>& SourceSeries, double X);
  virtual void Clear() {}
  virtual bool IsValidSource(TChartSeries*) const { return true; }
  // Recomputes the output series from Source (and the series' other
  // sources); nothing while updating or without a source.
  virtual void AddPoints(TChartSeries* Source);

  // The function is streamed as a child of its series.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  // Only a series is taken.
  void SetParentComponent(TComponent* Value) override;

  // Read by editors: the kind supports a period, needs no source, takes
  // exactly one source, hides the source list.
  bool CanUsePeriod = true;
  bool NoSourceRequired = false;
  bool SingleSource = false;
  bool HideSourceList = false;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Stores a changed setting and recalculates; nothing when unchanged.
  template <class T>
  void ChangeSetting(T& Field, T Value)
  {
    if (Field != Value) {
      Field = Value;
      ReCalculate();
    }
  }
  // The output series' sources that are series, in source order.
  std::vector<TChartSeries*> SourceSeries() const;

  bool IUpdating = false;

private:
  friend class TChartSeries;
  void CalculateManySources(TChartSeries* Source);
  void CalculateManySourcesByValue();
  // The next period start after X on the output's horizontal axis.
  double NextPeriod(double X) const;

  bool FCalcByValue = false;
  bool FIncludeNulls = true;
  double FPeriod = 0;
  TFunctionPeriodStyle FPeriodStyle = psNumPoints;
  TFunctionPeriodAlign FPeriodAlign = paCenter;
  TChartSeries* FParent = nullptr;
};

// A function over a moving window of Round(Period) points: one result per
// point from the Period-th on, placed by PeriodAlign (paLast by default).
class TZuzMovingFunction : public TZuzFunction {
public:
  explicit TZuzMovingFunction(TComponent* AOwner);
  String ClassName() const override;
  void DoCalculation(TChartSeries* Source, TChartValueList* NotMandatorySource) override;
};

// A total order of doubles for sorting: NaN after every number (under < and
// > NaN would be "equal" to everything, and equality would not be
// transitive).
int32_t CompareFunctionValues(double A, double B);
